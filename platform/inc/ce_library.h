// Libraries loaded by name, and the entry points looked up in them.
#pragma once
#include "ce_types.h"

// Cast to the entry point's own type before calling.
using FARPROC = void (*)();

// Null when the device has no library of that name.
HMODULE LoadLibraryW(LPCWSTR name);
// Null when the library does not export the entry point.
FARPROC GetProcAddressW(HMODULE module, LPCWSTR name);
BOOL FreeLibrary(HMODULE module);

// Entry points of coredll.dll and aygshell.dll that not every device exports.
using AllKeysProc = BOOL (*)(BOOL all);
using SetKModeProc = BOOL (*)(BOOL kernel);
using ChangeDisplaySettingsExProc = LONG (*)(LPCWSTR device, LPVOID mode, HWND window, DWORD flags, LPVOID param);
using SHFullScreenProc = BOOL (*)(HWND window, DWORD state);
