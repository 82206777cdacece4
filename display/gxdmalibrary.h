#pragma once
#include "dynamiclibrary.h"

// gxdma.dll: pushes the frame buffer in system memory to the display by DMA.
class GXDMALibrary : public DynamicLibrary {
public:
    static GXDMALibrary& Instance();
    GXDMALibrary();

    bool IsUsable() const { return DmaDRAMtoVRAM != nullptr; }

    DmaDRAMtoVRAMProc DmaDRAMtoVRAM;
    IsDMAReadyProc IsDMAReady;  // a replacement answers ready where it is missing
};
