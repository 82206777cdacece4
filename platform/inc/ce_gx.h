// The entry points of the display libraries some devices carry: gx.dll (direct access to the
// display), gxdma.dll (a DMA push from system memory to the display) and CoreLinkLib.dll (the
// graphics chip's overlays). Each is looked up by name; these are their types.
#pragma once
#include "ce_types.h"

struct GXDisplayProperties {
    DWORD width;
    DWORD height;
    LONG xPitch;  // bytes from a pixel to its right-hand neighbour
    LONG yPitch;  // bytes from a pixel to the one below
    LONG bitsPerPixel;
    DWORD format;
};

constexpr DWORD GX_FULLSCREEN = 1;

using GXOpenDisplayProc = int (*)(HWND window, DWORD flags);
using GXCloseDisplayProc = int (*)();
// The picture's top-left pixel for this frame; null when the display cannot be drawn on.
using GXBeginDrawProc = LPVOID (*)();
using GXEndDrawProc = int (*)();
using GXGetDisplayPropertiesProc = GXDisplayProperties (*)();
using GXSuspendProc = int (*)();
using GXResumeProc = int (*)();
// The rows of the picture the next GXEndDraw brings out; a height of 0 means all.
using GXSetViewportProc = int (*)(DWORD top, DWORD height, DWORD reserved1, DWORD reserved2);
using GXIsDisplayDRAMBufferProc = BOOL (*)();

// Pushes a rectangle of the frame buffer in system memory to the display.
using DmaDRAMtoVRAMProc = BOOL (*)(DWORD left, DWORD top, DWORD width, DWORD height);
using IsDMAReadyProc = BOOL (*)();

using AtiCoreProcessAttachProc = BOOL (*)();
using AtiCoreProcessDetachProc = BOOL (*)();
// A surface in the chip's memory: its id and its offset there.
using AtiCoreAllocateSurfaceProc = BOOL (*)(WORD* surface, DWORD* offset, DWORD width, DWORD height);
using AtiCoreDestroySurfaceProc = BOOL (*)(WORD surface);
using AtiCoreAllocOverlayProc = BOOL (*)(WORD* overlay);
using AtiCoreReleaseOverlayProc = BOOL (*)(WORD overlay);
using AtiCoreSetupOverlayProc = BOOL (*)(WORD overlay, DWORD offset, DWORD width, DWORD height);
using AtiCoreSetOverlayPosProc = BOOL (*)(WORD overlay, DWORD x, DWORD y);
using AtiCoreSetOverlayOnOffProc = BOOL (*)(WORD overlay, BOOL on);
// Non-zero when the chip finished its work within the time (milliseconds).
using AtiCoreWaitCompleteProc = BOOL (*)(DWORD milliseconds);
// Opens the chip's memory at the offset for the processor to write.
using AtiCoreSetupMemoryTransferProc = BOOL (*)(DWORD offset, LPVOID* address);
using AtiCoreTerminateMemoryTransferProc = BOOL (*)();
