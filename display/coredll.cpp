#include "coredll.h"
#include "programwide.h"

namespace {

BOOL allKeysWord = FALSE;

// Keeps the setting where the system has nowhere to keep it.
BOOL AllKeysReplacement(BOOL all) {
    BOOL previous = allKeysWord;
    allKeysWord = all;
    return previous;
}

LONG ChangeDisplaySettingsExReplacement(LPCWSTR, LPVOID, HWND, DWORD, LPVOID) { return 0; }

}  // namespace

CoreDll& CoreDll::Instance() { return ProgramWide::Get<CoreDll>(); }

CoreDll::CoreDll()
    : DynamicLibrary(u"coredll.dll"),
      AllKeys(Lookup<AllKeysProc>(u"AllKeys", AllKeysReplacement)),
      SetKMode(Lookup<SetKModeProc>(u"SetKMode")),
      ChangeDisplaySettingsEx(Lookup<ChangeDisplaySettingsExProc>(u"ChangeDisplaySettingsEx",
                                                                  ChangeDisplaySettingsExReplacement)) {}
