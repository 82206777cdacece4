// Read-only views of whole files in memory.
#pragma once
#include "ce_file.h"

constexpr DWORD PAGE_READONLY = 0x02;
constexpr DWORD FILE_MAP_READ = 0x0004;

// A file handle that CreateFileMappingW accepts; otherwise as CreateFileW.
HANDLE CreateFileForMappingW(LPCWSTR fileName, DWORD access, DWORD shareMode, LPVOID security, DWORD creation,
                             DWORD flags, HANDLE templateFile);
// Null when the file cannot be mapped (an empty file cannot). Only read-only mappings of the
// whole file (sizes 0) are offered. CloseHandle closes it; views made from it stay.
HANDLE CreateFileMappingW(HANDLE file, LPVOID security, DWORD protect, DWORD maximumSizeHigh, DWORD maximumSizeLow,
                          LPCWSTR name);
// The whole file (offset 0, size 0) for reading; null on failure.
LPVOID MapViewOfFile(HANDLE mapping, DWORD desiredAccess, DWORD offsetHigh, DWORD offsetLow, DWORD bytesToMap);
BOOL UnmapViewOfFile(const void* view);
