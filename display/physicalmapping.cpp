#include "physicalmapping.h"
#include <cstring>
#include "ce.h"
#include "kernelmode.h"
#include "programwide.h"

namespace {

// Physical addresses from here up reach VirtualCopy as page numbers in 256-byte units.
constexpr DWORD shiftedPhysicalStart = 0x20000000;

struct PageSize {
    PageSize() {
        SYSTEM_INFO info{};
        GetSystemInfo(&info);
        bytes = info.dwPageSize ? info.dwPageSize : 4096;
    }
    DWORD bytes;
};

DWORD pageSize() { return ProgramWide::Get<PageSize>().bytes; }

uint8_t* MapPage(DWORD address, DWORD size, LPVOID source, DWORD protect) {
    DWORD within = address % pageSize();
    KernelMode kernel;
    auto* reserved = static_cast<uint8_t*>(VirtualAlloc(nullptr, size + within, MEM_RESERVE, PAGE_NOACCESS));
    if (!reserved) return nullptr;
    if (!VirtualCopy(reserved, source, size + within, protect)) {
        VirtualFree(reserved, 0, MEM_RELEASE);
        return nullptr;
    }
    return reserved + within;
}

LPVOID AsAddress(DWORD value) { return reinterpret_cast<LPVOID>(uintptr_t(value)); }

}  // namespace

uint8_t* MapPhysical(DWORD address, DWORD size, bool cached) {
    DWORD page = address - address % pageSize();
    DWORD protect = PAGE_READWRITE | (cached ? 0 : PAGE_NOCACHE);
    if (page >= shiftedPhysicalStart) return MapPage(address, size, AsAddress(page >> 8), protect | PAGE_PHYSICAL);
    return MapPage(address, size, AsAddress(page), protect);
}

uint8_t* MapKernelStatic(DWORD address, DWORD size) {
    DWORD page = address - address % pageSize();
    return MapPage(address, size, AsAddress(page), PAGE_READWRITE | PAGE_NOCACHE);
}

void Unmap(void* mapped) {
    if (!mapped) return;
    auto address = reinterpret_cast<uintptr_t>(mapped);
    VirtualFree(reinterpret_cast<LPVOID>(address - address % pageSize()), 0, MEM_RELEASE);
}

bool ReadGuarded(const void* address, void* out, DWORD size) {
    DWORD read = 0;
    return ReadProcessMemory(GetCurrentProcess(), address, out, size, &read) && read == size;
}

bool EqualGuarded(const void* a, const void* b, DWORD size) {
    uint8_t left[4096], right[4096];
    for (DWORD done = 0; done < size;) {
        DWORD chunk = size - done < sizeof left ? size - done : DWORD(sizeof left);
        auto* pa = static_cast<const uint8_t*>(a) + done;
        auto* pb = static_cast<const uint8_t*>(b) + done;
        if (!ReadGuarded(pa, left, chunk) || !ReadGuarded(pb, right, chunk)) return false;
        if (std::memcmp(left, right, chunk) != 0) return false;
        done += chunk;
    }
    return true;
}
