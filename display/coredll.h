#pragma once
#include "dynamiclibrary.h"

// coredll.dll's entry points that not every device has; the missing ones are replaced, except
// SetKMode, which is null then.
class CoreDll : public DynamicLibrary {
public:
    static CoreDll& Instance();
    CoreDll();

    AllKeysProc AllKeys;
    SetKModeProc SetKMode;
    ChangeDisplaySettingsExProc ChangeDisplaySettingsEx;
};
