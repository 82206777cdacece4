#pragma once
#include "dynamiclibrary.h"

// aygshell.dll's full-screen control; a device without it gets a replacement that succeeds.
class AygShell : public DynamicLibrary {
public:
    static AygShell& Instance();
    AygShell();

    SHFullScreenProc SHFullScreen;
};
