#pragma once
#include "lcdprobe.h"

// The XScale's LCD controller, probed once.
class XScaleLcd : public LcdProbe {
public:
    static XScaleLcd& Instance();
    XScaleLcd();

    // Bit 26: loading the palette; bits 0-20: the scan position.
    static constexpr DWORD dmaCommand = 0x20C;
};
