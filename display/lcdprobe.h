#pragma once
#include "ce_types.h"

// A panel depth and the palette that precedes the pixels in the controller's frame memory.
struct LcdDepth {
    DWORD bpp;
    DWORD paletteBytes;
};

// What probing the processor's LCD controller found. Usable only when it scans an active
// 16-bit panel; the register block stays mapped then.
class LcdProbe {
public:
    virtual ~LcdProbe();
    LcdProbe(const LcdProbe&) = delete;
    LcdProbe& operator=(const LcdProbe&) = delete;

    bool Found() const { return registers != nullptr; }
    // A register read as the hardware holds it now.
    DWORD Register(DWORD byteOffset) const { return registers[byteOffset / 4]; }

    DWORD width = 0;
    DWORD height = 0;
    bool passive = false;
    DWORD bpp = 0;
    DWORD pitch = 0;
    DWORD paletteBytes = 0;

protected:
    LcdProbe() = default;
    // Maps the register block; false when it is not there or its controller is off.
    bool MapRegisters(DWORD physical, DWORD size);
    // Keeps the mapping only for an active 16-bit panel.
    void KeepIfUsable();
    // Reads a register; false when reading faults.
    bool Read(DWORD byteOffset, DWORD* value) const;

private:
    void Release();

    volatile DWORD* registers = nullptr;
};
