#include "xscalelcd.h"
#include "programwide.h"

namespace {

constexpr DWORD registerBlock = 0x44000000;
constexpr DWORD registerBytes = 544;

// Register 3's bits 24-26; deeper codes are not panels this layer can use.
LcdDepth DepthOf(DWORD code) {
    static const LcdDepth depths[] = {{1, 8}, {2, 8}, {4, 32}, {8, 512}, {16, 0}};
    return code < 5 ? depths[code] : LcdDepth{0, 0};
}

// Rows are whole multiples of 8 pixels in these set-ups, of 4 otherwise.
DWORD RowMultiple(DWORD control, DWORD bpp) {
    bool wide = (control & 0x80) && (bpp == 8 || bpp == 16);
    bool dual = (control & 0x2) && (control & 0x200);
    return wide || dual ? 8 : 4;
}

}  // namespace

XScaleLcd& XScaleLcd::Instance() { return ProgramWide::Get<XScaleLcd>(); }

XScaleLcd::XScaleLcd() {
    if (!MapRegisters(registerBlock, registerBytes)) return;
    DWORD control = 0, pixels = 0, lines = 0, format = 0;
    if (Read(0, &control) && Read(0x4, &pixels) && Read(0x8, &lines) && Read(0xC, &format)) {
        width = (pixels & 0x3FF) + 1;
        height = (lines & 0x3FF) + 1;
        LcdDepth depth = DepthOf((format >> 24) & 7);
        bpp = depth.bpp;
        paletteBytes = depth.paletteBytes;
        DWORD multiple = RowMultiple(control, bpp);
        pitch = (width + multiple - 1) / multiple * multiple * bpp / 8;
    }
    KeepIfUsable();
}
