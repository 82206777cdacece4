#pragma once
#include "lcdprobe.h"

// The StrongARM's LCD controller, probed once.
class StrongArmLcd : public LcdProbe {
public:
    static StrongArmLcd& Instance();
    StrongArmLcd();

    static constexpr DWORD dmaBase = 0x10;           // where the frame memory starts (physical)
    static constexpr DWORD dmaCurrentAddress = 0x14;  // what the controller reads now
};
