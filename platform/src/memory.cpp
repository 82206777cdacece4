// Address space for the program: reservations, mappings of the simulated device's physical
// memory into them, and reads that report a fault instead of taking it.
#include <sys/mman.h>
#include <sys/uio.h>
#include <unistd.h>
#include <map>
#include "ce_memory.h"
#include "device.h"

namespace {

// Reserved ranges by start address, with their length. Lives on through the program's exit,
// when mappings are still being released.
std::map<uintptr_t, size_t>& reservations() {
    static auto* r = new std::map<uintptr_t, size_t>;
    return *r;
}

bool insideReservation(uintptr_t start, size_t bytes) {
    auto& r = reservations();
    auto it = r.upper_bound(start);
    if (it == r.begin()) return false;
    --it;
    return start >= it->first && start + bytes <= it->first + it->second;
}

// Below this the kernel reaches physical memory directly; above it lie its static windows.
constexpr uintptr_t directPhysicalLimit = 0x20000000;

bool physicalSource(LPVOID source, DWORD protect, DWORD* physical) {
    auto value = reinterpret_cast<uintptr_t>(source);
    if (protect & PAGE_PHYSICAL) {
        if (value > 0xFFFFFFu) return false;
        *physical = DWORD(value << 8);
        return true;
    }
    if (value < directPhysicalLimit) {
        *physical = DWORD(value);
        return true;
    }
    return value <= 0xFFFFFFFFu && platform::device().kernelToPhysical(DWORD(value), physical);
}

}  // namespace

void GetSystemInfo(SYSTEM_INFO* info) {
    if (info) info->dwPageSize = DWORD(platform::pageSize);
}

LPVOID VirtualAlloc(LPVOID address, DWORD size, DWORD type, DWORD protect) {
    if (address || size == 0 || type != MEM_RESERVE || protect != PAGE_NOACCESS) return nullptr;
    size_t bytes = platform::pageRound(size);
    void* reserved = mmap(nullptr, bytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (reserved == MAP_FAILED) return nullptr;
    reservations()[reinterpret_cast<uintptr_t>(reserved)] = bytes;
    return reserved;
}

BOOL VirtualFree(LPVOID address, DWORD size, DWORD type) {
    auto it = reservations().find(reinterpret_cast<uintptr_t>(address));
    if (it == reservations().end() || size != 0 || type != MEM_RELEASE) return FALSE;
    munmap(address, it->second);
    reservations().erase(it);
    return TRUE;
}

BOOL VirtualCopy(LPVOID destination, LPVOID source, DWORD size, DWORD protect) {
    auto start = reinterpret_cast<uintptr_t>(destination);
    size_t bytes = platform::pageRound(size);
    DWORD physical = 0;
    if (size == 0 || start % platform::pageSize || !insideReservation(start, bytes)) return FALSE;
    if (!physicalSource(source, protect, &physical) || physical % platform::pageSize) return FALSE;
    const platform::PhysicalMemory* memory = platform::device().memoryAt(physical, bytes);
    if (!memory) return FALSE;
    return memory->mapAt(destination, physical - memory->base, bytes) ? TRUE : FALSE;
}

BOOL ReadProcessMemory(HANDLE, const void* address, LPVOID buffer, DWORD size, DWORD* bytesRead) {
    if (bytesRead) *bytesRead = 0;
    if (!buffer) return FALSE;
    iovec local{buffer, size};
    iovec remote{const_cast<void*>(address), size};
    ssize_t n = process_vm_readv(getpid(), &local, 1, &remote, 1, 0);
    if (n < 0) return FALSE;
    if (bytesRead) *bytesRead = DWORD(n);
    return DWORD(n) == size ? TRUE : FALSE;
}
