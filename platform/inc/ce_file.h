// Files and the executable's own path. Paths are the device's: backslash separators.
#pragma once
#include <string>
#include "ce_types.h"

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFF;
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(intptr_t(-1));

// On failure GetLastError tells why: ERROR_FILE_NOT_FOUND (missing, or no regular file),
// ERROR_ACCESS_DENIED, ERROR_INVALID_PARAMETER (a creation other than CREATE_ALWAYS or
// OPEN_EXISTING), or ERROR_OPEN_FAILED for any other reason.
HANDLE CreateFileW(LPCWSTR fileName, DWORD access, DWORD shareMode, LPVOID security, DWORD creation, DWORD flags,
                   HANDLE templateFile);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, DWORD* read, LPVOID overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written, LPVOID overlapped);
// Moves by a signed 32-bit distance (64-bit with distanceHigh); answers the new position's
// low 32 bits, or INVALID_SET_FILE_POINTER when the move fails (before the start, say).
DWORD SetFilePointer(HANDLE file, LONG distance, LONG* distanceHigh, DWORD method);
BOOL FlushFileBuffers(HANDLE file);
DWORD GetFileSize(HANDLE file, DWORD* sizeHigh);
BOOL CloseHandle(HANDLE object);

// The executable's full path name; the answer is the number of units written without the terminator.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);

// Not the device's own: how the person at this machine names a device path in a message, the
// host's path here ("\\home\\me\\game.dat" is "/home/me/game.dat").
std::u16string HostPathOf(LPCWSTR devicePath);
