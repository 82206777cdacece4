// Time, processes and the shell's full-screen control.
#pragma once
#include "ce_types.h"

DWORD GetTickCount();
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
// The desktop run really sleeps; the headless run advances its virtual clock instead,
// so any wait for time to pass must go through here.
void Sleep(DWORD milliseconds);

HANDLE GetCurrentProcess();
BOOL TerminateProcess(HANDLE process, UINT exitCode);

constexpr DWORD SHFS_SHOWTASKBAR = 0x0001;
constexpr DWORD SHFS_HIDETASKBAR = 0x0002;
constexpr DWORD SHFS_SHOWSIPBUTTON = 0x0004;
constexpr DWORD SHFS_HIDESIPBUTTON = 0x0008;
constexpr DWORD SHFS_SHOWSTARTICON = 0x0010;
constexpr DWORD SHFS_HIDESTARTICON = 0x0020;
BOOL SHFullScreen(HWND window, DWORD state);

// The program's Windows-style entry point; the platform's main calls it.
int WinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand);

constexpr UINT SPI_GETPLATFORMTYPE = 257;
constexpr UINT SPI_GETOEMINFO = 258;
// Answers the device's platform type ("SmartPhone", "PocketPC") or its model text.
BOOL SystemParametersInfoW(UINT action, UINT param, LPVOID out, UINT winIni);

// A line for whoever watches the device's debug output: standard error here.
void OutputDebugStringW(LPCWSTR text);
