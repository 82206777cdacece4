#pragma once
#include "dynamiclibrary.h"

// CoreLinkLib.dll: the ATI Imageon chip's memory, surfaces and overlays. Each driver loads its own.
class AtiCoreLibrary : public DynamicLibrary {
public:
    AtiCoreLibrary();

    // Every entry point the overlay driver calls is there.
    bool IsUsable() const;

    AtiCoreProcessAttachProc ProcessAttach;
    AtiCoreProcessDetachProc ProcessDetach;
    AtiCoreAllocateSurfaceProc AllocateSurface;
    AtiCoreDestroySurfaceProc DestroySurface;
    AtiCoreAllocOverlayProc AllocOverlay;
    AtiCoreReleaseOverlayProc ReleaseOverlay;
    AtiCoreSetupOverlayProc SetupOverlay;
    AtiCoreSetOverlayPosProc SetOverlayPos;
    AtiCoreSetOverlayOnOffProc SetOverlayOnOff;
    AtiCoreWaitCompleteProc WaitComplete;
    AtiCoreSetupMemoryTransferProc SetupMemoryTransfer;
    AtiCoreTerminateMemoryTransferProc TerminateMemoryTransfer;
};
