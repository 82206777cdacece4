#include "gxdmalibrary.h"
#include "programwide.h"

namespace {

BOOL IsDMAReadyReplacement() { return TRUE; }

}  // namespace

GXDMALibrary& GXDMALibrary::Instance() { return ProgramWide::Get<GXDMALibrary>(); }

GXDMALibrary::GXDMALibrary()
    : DynamicLibrary(u"gxdma.dll"),
      DmaDRAMtoVRAM(Lookup<DmaDRAMtoVRAMProc>(u"DmaDRAMtoVRAM")),
      IsDMAReady(Lookup<IsDMAReadyProc>(u"IsDMAReady", IsDMAReadyReplacement)) {}
