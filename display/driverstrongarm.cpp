#include "driverstrongarm.h"
#include "devicemodel.h"
#include "physicalmapping.h"
#include "strongarmlcd.h"

namespace {

// Where the iPAQ H3800 keeps its frame memory's pixels, uncached; it scans its panel across.
constexpr DWORD h3800FrameBuffer = 0xAC050020;
constexpr DWORD h3800Orientation = 3;
constexpr DWORD uncachedBit = 1u << 29;

}  // namespace

DriverStrongARM::DriverStrongARM() : LcdDriver(StrongArmLcd::Instance()) {}

DriverStrongARM::~DriverStrongARM() { Unmap(kernelMapping); }

bool DriverStrongARM::Initialize(HWND window, const DisplayParameters& requested, const VideoMode& detected) {
    if (!LcdDriver::Initialize(window, requested, detected)) return false;
    if (GetDeviceModel() == MODEL_IPAQ_H3800) {
        mode.orientation = h3800Orientation;
        UseKernelFrameBuffer(h3800FrameBuffer);
    }
    return true;
}

void DriverStrongARM::UseKernelFrameBuffer(DWORD address) {
    DWORD bytes = mode.pitch * mode.height;
    uint8_t* uncached = MapKernelStatic(address, bytes);
    if (!uncached) return;
    uint8_t* cached = address & uncachedBit ? MapKernelStatic(address & ~uncachedBit, bytes) : nullptr;
    // Comparing may fault; then the address stays as it was.
    if (cached && EqualGuarded(cached, uncached, bytes)) {
        Unmap(uncached);
        kernelMapping = cached;
    } else {
        Unmap(cached);
        kernelMapping = uncached;
    }
    UseFrameBuffer(kernelMapping);
}

// Rows 34 to 20 from the bottom of the frame memory, past its palette.
void DriverStrongARM::SetScanWindow() {
    DWORD pixels = lcd.Register(StrongArmLcd::dmaBase) + lcd.paletteBytes;
    scanStart = pixels + (lcd.height - 34) * lcd.pitch;
    scanEnd = pixels + (lcd.height - 20) * lcd.pitch;
}

bool DriverStrongARM::ScanInWindow() const {
    DWORD position = lcd.Register(StrongArmLcd::dmaCurrentAddress);
    return position >= scanStart && position <= scanEnd;
}
