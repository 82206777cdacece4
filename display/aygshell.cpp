#include "aygshell.h"
#include "programwide.h"

namespace {

BOOL SHFullScreenReplacement(HWND, DWORD) { return TRUE; }

}  // namespace

AygShell& AygShell::Instance() { return ProgramWide::Get<AygShell>(); }

AygShell::AygShell()
    : DynamicLibrary(u"aygshell.dll"),
      SHFullScreen(Lookup<SHFullScreenProc>(u"SHFullScreen", SHFullScreenReplacement)) {}
