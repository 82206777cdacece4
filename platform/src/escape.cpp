// What the display driver tells about the screen: its capabilities and its escapes.
#include <cstring>
#include "ce.h"
#include "ce_display.h"
#include "device.h"

namespace {

constexpr DWORD gxInfoVersion = 100;

bool supported(int escape) {
    const platform::Profile& p = platform::profile();
    return escape == QUERYESCSUPPORT || (escape == GETGXINFO && p.gxInfoEscape) ||
           (escape == GETRAWFRAMEBUFFER && p.rawFrameBufferEscape);
}

// The frame memory as the driver sees it; with gxdma.dll that is the system-memory copy
// the DMA pushes to the panel.
int gxInfo(int outputSize, char* output) {
    GXDeviceInfo info{};
    if (!output || outputSize < int(sizeof info)) return 0;
    std::memcpy(&info, output, sizeof info);
    if (info.version != gxInfoVersion) return 0;
    platform::Device& d = platform::device();
    info.frameBuffer = d.dmaBuffer.empty() ? d.programPixels() : d.dmaBuffer.data();
    info.stride = DWORD(d.pitch);
    info.width = DWORD(d.uprightWidth);
    info.height = DWORD(d.uprightHeight);
    info.bitsPerPixel = 16;
    info.format = d.profile.panel.mounting % 2 ? GXINFO_LANDSCAPE : 0;
    std::memcpy(output, &info, sizeof info);
    return 1;
}

int rawFrameBuffer(int outputSize, char* output) {
    if (!output || outputSize < int(sizeof(RawFrameBufferInfo))) return 0;
    platform::Device& d = platform::device();
    GXDisplayProperties strides = d.gapiProperties();
    RawFrameBufferInfo info{FORMAT_565, 16, d.programPixels() + d.uprightOffset(0, 0), int(strides.xPitch),
                            int(strides.yPitch), d.uprightWidth, d.uprightHeight};
    std::memcpy(output, &info, sizeof info);
    return 1;
}

}  // namespace

int GetDeviceCaps(HDC, int index) {
    const platform::Profile& p = platform::profile();
    switch (index) {
    case HORZRES: return p.screenWidth;
    case VERTRES: return p.screenHeight;
    case BITSPIXEL: return p.screenBpp;
    case LOGPIXELSY: return 96;
    default: return 0;
    }
}

int ExtEscape(HDC, int escape, int inputSize, const char* input, int outputSize, char* output) {
    if (escape == QUERYESCSUPPORT) {
        DWORD asked = 0;
        if (!input || inputSize < int(sizeof asked)) return 0;
        std::memcpy(&asked, input, sizeof asked);
        return supported(int(asked)) ? 1 : 0;
    }
    if (!supported(escape)) return 0;
    if (escape == GETGXINFO) return gxInfo(outputSize, output);
    if (escape == GETRAWFRAMEBUFFER) return rawFrameBuffer(outputSize, output);
    return 0;
}
