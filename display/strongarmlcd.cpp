#include "strongarmlcd.h"
#include "physicalmapping.h"
#include "programwide.h"

namespace {

constexpr DWORD registerBlock = 0xB0100000;
constexpr DWORD registerBytes = 44;
constexpr DWORD activePanel = 0x80;

// The palette's first word tells the depth in its bits 12 and 13.
LcdDepth DepthOf(WORD paletteWord) {
    switch (paletteWord & 0x3000) {
    case 0x0000: return {4, 32};
    case 0x1000: return {8, 512};
    case 0x2000: return {16, 32};
    default: return {0, 0};
    }
}

}  // namespace

StrongArmLcd& StrongArmLcd::Instance() { return ProgramWide::Get<StrongArmLcd>(); }

StrongArmLcd::StrongArmLcd() {
    if (!MapRegisters(registerBlock, registerBytes)) return;
    DWORD control = 0, base = 0, pixels = 0, lines = 0;
    WORD paletteWord = 0;
    if (Read(0, &control) && Read(dmaBase, &base) && Read(0x20, &pixels) && Read(0x24, &lines)) {
        width = (pixels & 0x3FF) + 16;
        height = (lines & 0x3FF) + 1;
        passive = !(control & activePanel);
        uint8_t* palette = MapPhysical(base, sizeof paletteWord, false);
        if (palette && ReadGuarded(palette, &paletteWord, sizeof paletteWord)) {
            LcdDepth depth = DepthOf(paletteWord);
            bpp = depth.bpp;
            paletteBytes = depth.paletteBytes;
            pitch = ((width + 15) & ~15u) * bpp / 8;
        }
        Unmap(palette);
    }
    KeepIfUsable();
}
