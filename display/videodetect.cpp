#include "videodetect.h"
#include <cstring>
#include "aticorelibrary.h"
#include "cputype.h"
#include "devicemodel.h"
#include "displaylog.h"
#include "gxlibrary.h"
#include "millisecondclock.h"
#include "programwide.h"
#include "strides.h"
#include "strongarmlcd.h"
#include "xscalelcd.h"

HWND VideoDetect::window = nullptr;

namespace {

constexpr DWORD orientationUnknown = 4;
constexpr DWORD gxInfoVersion = 100;

// The display driver answers the escape only when it says it supports it.
bool Escape(int escape, void* record, int size) {
    HDC dc = GetDC(nullptr);
    DWORD asked = DWORD(escape);
    bool done = ExtEscape(dc, QUERYESCSUPPORT, sizeof asked, reinterpret_cast<const char*>(&asked), 0, nullptr) > 0 &&
                ExtEscape(dc, escape, 0, nullptr, size, static_cast<char*>(record)) > 0;
    ReleaseDC(nullptr, dc);
    return done;
}

// MediaQ frame buffers sit high in the chip's 512 KB window and fit in its last 256 KB.
constexpr uintptr_t mediaqWindow = 0x80000;
constexpr uintptr_t mediaqFrameStart = 0x42000;
constexpr DWORD mediaqFrameBytes = 0x40000;
constexpr DWORD slowClearMilliseconds = 14;

}  // namespace

VideoDetect& VideoDetect::Instance() { return ProgramWide::Get<VideoDetect>(); }

VideoDetect::VideoDetect() {
    mode.orientation = orientationUnknown;
    DetectDrivers();
    BuildModeList();
}

void VideoDetect::AddCandidate(DriverId id) {
    if (candidateCount < 8) candidates[candidateCount++] = id;
}

void VideoDetect::DetectDrivers() {
    if (DetectGDI()) AddCandidate(DRIVER_GDI);
    if (mode.bpp == 16) {
        if (DetectGAPI())
            AddCandidate(DRIVER_GAPI);
        else if (!GXLibrary::Instance().IsLoaded() && DetectDirect())
            AddCandidate(DRIVER_DIRECT);

        if (DetectVGA())
            AddCandidate(DRIVER_VGA);
        else if (DetectStrongARM())
            AddCandidate(DRIVER_STRONGARM);
        else if (DetectXScale())
            AddCandidate(DRIVER_XSCALE);
        else if (DetectImageon())
            AddCandidate(DRIVER_IMAGEON100);
        else if (DetectMediaQ())
            AddCandidate(DRIVER_MEDIAQ);
    }
    if (mode.orientation == orientationUnknown) mode.orientation = 0;
}

// Square-ish screens whose sides are whole tiles can be turned every way; others only back
// to the native orientation.
void VideoDetect::BuildModeList() {
    modes[0] = DisplayMode{mode.width, mode.height, mode.orientation};
    modeCount = 1;
    if (mode.width % 16 == 0 && mode.height % 16 == 0) {
        for (; modeCount < 4; ++modeCount) {
            const DisplayMode& before = modes[modeCount - 1];
            modes[modeCount] = DisplayMode{before.height, before.width, (before.orientation + 1) % 4};
        }
    } else if (mode.orientation != 0) {
        bool upsideDown = mode.orientation == 2;
        modes[modeCount++] =
            DisplayMode{upsideDown ? mode.width : mode.height, upsideDown ? mode.height : mode.width, 0};
    }
}

bool VideoDetect::IsOrientationSupported(const DisplayParameters& requested) const {
    if (requested.orientation == ORIENTATION_ANY) return true;
    for (DWORD i = 0; i < modeCount; ++i)
        if (modes[i].orientation == requested.orientation) return true;
    return false;
}

VideoDriver* VideoDetect::InitializeDriver(HWND w, const DisplayParameters& requested) {
    if (candidateCount == 0 || !IsOrientationSupported(requested)) return nullptr;
    if (forcedDriver) return TryDriver(forcedDriver, w, requested);
    // GDI, found first, is the last resort.
    for (DWORD i = candidateCount; i-- > 0;)
        if (VideoDriver* driver = TryDriver(candidates[i], w, requested)) return driver;
    return nullptr;
}

// A driver that fails, or faults, while it is made or opened counts as not there.
VideoDriver* VideoDetect::TryDriver(DWORD id, HWND w, const DisplayParameters& requested) const {
    VideoDriver* driver = nullptr;
    try {
        driver = CreateDriver(id);
        DisplayLog("Trying driver %d", int(id));
        if (driver && driver->Initialize(w, requested, mode)) return driver;
    } catch (...) {
        DisplayLog("Driver %d raised an exception", int(id));
    }
    delete driver;
    return nullptr;
}

bool VideoDetect::DetectGDI() {
    HDC dc = GetDC(nullptr);
    if (!dc) return false;
    mode.width = DWORD(GetDeviceCaps(dc, HORZRES));
    mode.height = DWORD(GetDeviceCaps(dc, VERTRES));
    mode.bpp = DWORD(GetDeviceCaps(dc, BITSPIXEL));
    ReleaseDC(nullptr, dc);
    return true;
}

void VideoDetect::UseLayout(const StrideLayout& layout, DWORD bpp) {
    mode.bpp = bpp;
    mode.orientation = layout.orientation;
    mode.width = layout.width;
    mode.height = layout.height;
    mode.pitch = layout.pitch;
}

bool VideoDetect::DetectGAPI() {
    GXLibrary& gx = GXLibrary::Instance();
    if (!gx.IsUsable() || !gx.GXOpenDisplay(window, GX_FULLSCREEN)) return false;
    GXDisplayProperties p = gx.GXGetDisplayProperties();
    StrideLayout layout = LayoutFromStrides(p.width, p.height, p.xPitch, p.yPitch, DWORD(p.bitsPerPixel));
    UseLayout(layout, DWORD(p.bitsPerPixel));
    bool dram = gx.GXIsDisplayDRAMBuffer && gx.GXIsDisplayDRAMBuffer();
    mode.swapCapability = dram && !IsSmartphoneModel(GetDeviceModel()) ? SWAP_CAPABILITY_KEEP : SWAP_CAPABILITY_NONE;
    if (!mode.frameBuffer) {
        if (auto* address = static_cast<uint8_t*>(gx.GXBeginDraw())) {
            if (gx.GXSetViewport) gx.GXSetViewport(0, 0, 0, 0);
            gx.GXEndDraw();
            mode.frameBuffer = address + layout.offset;
        }
    }
    gx.GXCloseDisplay();
    return true;
}

bool VideoDetect::DetectDirect() {
    GXDeviceInfo info{};
    info.version = gxInfoVersion;
    if (!Escape(GETGXINFO, &info, sizeof info)) return false;
    bool across = (info.format & GXINFO_LANDSCAPE) != 0;
    mode.width = across ? info.height : info.width;
    mode.height = across ? info.width : info.height;
    mode.pitch = info.stride;
    mode.orientation = across ? 1 : 0;
    mode.frameBuffer = static_cast<uint8_t*>(info.frameBuffer);
    return true;
}

bool VideoDetect::DetectVGA() {
    RawFrameBufferInfo info{};
    if (!Escape(GETRAWFRAMEBUFFER, &info, sizeof info)) return false;
    if (info.width <= 0 || info.height <= 0 || info.format != FORMAT_565) return false;
    HDC dc = GetDC(nullptr);
    int64_t screen = int64_t(GetDeviceCaps(dc, HORZRES)) * GetDeviceCaps(dc, VERTRES);
    ReleaseDC(nullptr, dc);
    // A frame buffer larger than the GDI screen is one the system scales its picture onto.
    if (int64_t(info.width) * info.height > screen) return false;
    StrideLayout layout = LayoutFromStrides(info.width, info.height, info.xStride, info.yStride, info.bitsPerPixel);
    UseLayout(layout, info.bitsPerPixel);
    mode.swapCapability = SWAP_CAPABILITY_NONE;
    mode.frameBuffer = static_cast<uint8_t*>(info.framePointer) + layout.offset;
    return true;
}

bool VideoDetect::DetectStrongARM() const { return GetCPUType() == CPU_STRONGARM && StrongArmLcd::Instance().Found(); }

bool VideoDetect::DetectXScale() const { return GetCPUType() == CPU_XSCALE && XScaleLcd::Instance().Found(); }

bool VideoDetect::DetectImageon() const {
    DeviceModel model = GetDeviceModel();
    if (model != MODEL_TOSHIBA_E740 && model != MODEL_TOSHIBA_E750) return false;
    AtiCoreLibrary ati;
    if (!ati.IsLoaded() || !ati.AllocOverlay || !ati.AllocateSurface || !ati.ProcessAttach || !ati.ProcessDetach)
        return false;
    ati.ProcessAttach();
    ati.ProcessDetach();
    return true;
}

// A MediaQ frame buffer is told by where it lies and by how slowly it takes a clear.
bool VideoDetect::DetectMediaQ() const {
    DWORD bytes = mode.pitch * mode.height;
    if (!mode.frameBuffer || reinterpret_cast<uintptr_t>(mode.frameBuffer) % mediaqWindow < mediaqFrameStart ||
        bytes > mediaqFrameBytes)
        return false;
    DWORD tick = MillisecondClock();
    WaitForHardware([tick] { return MillisecondClock() != tick; });
    DWORD start = MillisecondClock();
    std::memset(mode.frameBuffer, 0, bytes);
    return MillisecondClock() - start >= slowClearMilliseconds;
}
