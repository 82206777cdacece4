#include "aticorelibrary.h"

AtiCoreLibrary::AtiCoreLibrary()
    : DynamicLibrary(u"CoreLinkLib.dll"),
      ProcessAttach(Lookup<AtiCoreProcessAttachProc>(u"AtiCore_ProcessAttach")),
      ProcessDetach(Lookup<AtiCoreProcessDetachProc>(u"AtiCore_ProcessDetach")),
      AllocateSurface(Lookup<AtiCoreAllocateSurfaceProc>(u"AtiCore_AllocateSurface")),
      DestroySurface(Lookup<AtiCoreDestroySurfaceProc>(u"AtiCore_DestroySurface")),
      AllocOverlay(Lookup<AtiCoreAllocOverlayProc>(u"AtiCore_AllocOverlay")),
      ReleaseOverlay(Lookup<AtiCoreReleaseOverlayProc>(u"AtiCore_ReleaseOverlay")),
      SetupOverlay(Lookup<AtiCoreSetupOverlayProc>(u"AtiCore_SetupOverlay")),
      SetOverlayPos(Lookup<AtiCoreSetOverlayPosProc>(u"AtiCore_SetOverlayPos")),
      SetOverlayOnOff(Lookup<AtiCoreSetOverlayOnOffProc>(u"AtiCore_SetOverlayOnOff")),
      WaitComplete(Lookup<AtiCoreWaitCompleteProc>(u"AtiCore_WaitComplete")),
      SetupMemoryTransfer(Lookup<AtiCoreSetupMemoryTransferProc>(u"AtiCore_SetupMemoryTransfer")),
      TerminateMemoryTransfer(Lookup<AtiCoreTerminateMemoryTransferProc>(u"AtiCore_TerminateMemoryTransfer")) {}

bool AtiCoreLibrary::IsUsable() const {
    return ProcessAttach && ProcessDetach && AllocateSurface && DestroySurface && AllocOverlay && ReleaseOverlay &&
           SetupOverlay && SetOverlayPos && SetOverlayOnOff && WaitComplete && SetupMemoryTransfer &&
           TerminateMemoryTransfer;
}
