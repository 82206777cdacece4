// Address space, physical memory mapping and guarded reads.
#pragma once
#include "ce_types.h"

constexpr DWORD MEM_RESERVE = 0x2000;
constexpr DWORD MEM_RELEASE = 0x8000;
constexpr DWORD PAGE_NOACCESS = 0x01;
constexpr DWORD PAGE_READWRITE = 0x04;
constexpr DWORD PAGE_NOCACHE = 0x200;
constexpr DWORD PAGE_PHYSICAL = 0x400;

struct SYSTEM_INFO {
    DWORD dwPageSize;
};
void GetSystemInfo(SYSTEM_INFO* info);

// Reserves address space (MEM_RESERVE with PAGE_NOACCESS); null when it cannot.
LPVOID VirtualAlloc(LPVOID address, DWORD size, DWORD type, DWORD protect);
BOOL VirtualFree(LPVOID address, DWORD size, DWORD type);
// Maps memory into reserved, page-aligned space: physical memory when protect holds
// PAGE_PHYSICAL (source = physical address >> 8), else the kernel's static address source.
BOOL VirtualCopy(LPVOID destination, LPVOID source, DWORD size, DWORD protect);

// Copies memory that may not be there; FALSE where reading it would fault.
BOOL ReadProcessMemory(HANDLE process, const void* address, LPVOID buffer, DWORD size, DWORD* bytesRead);
