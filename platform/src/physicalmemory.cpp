#include "physicalmemory.h"
#include <sys/mman.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>

namespace platform {

PhysicalMemory::PhysicalMemory(DWORD base, size_t bytes) : base(base), size(pageRound(bytes ? bytes : 1)) {
    file = memfd_create("mossyard-physical", MFD_CLOEXEC);
    if (file < 0 || ftruncate(file, off_t(size)) != 0) {
        std::perror("mossyard: simulated physical memory");
        std::abort();
    }
    void* v = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, file, 0);
    if (v == MAP_FAILED) {
        std::perror("mossyard: simulated physical memory");
        std::abort();
    }
    view = static_cast<uint8_t*>(v);
}

PhysicalMemory::~PhysicalMemory() {
    munmap(view, size);
    close(file);
}

bool PhysicalMemory::contains(DWORD address, size_t bytes) const {
    return address >= base && uint64_t(address) - base + bytes <= size;
}

bool PhysicalMemory::mapAt(void* address, size_t offset, size_t bytes) const {
    if (offset + bytes > size) return false;
    return mmap(address, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_FIXED, file, off_t(offset)) != MAP_FAILED;
}

uint8_t* PhysicalMemory::mapAligned(size_t alignment) const {
    // Reserve enough to find the right place, map there, and give the rest back.
    size_t span = size + alignment;
    void* reserved = mmap(nullptr, span, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (reserved == MAP_FAILED) return nullptr;
    uintptr_t start = reinterpret_cast<uintptr_t>(reserved);
    uintptr_t wanted = (start & ~(alignment - 1)) + (base & (alignment - 1));
    if (wanted < start) wanted += alignment;
    auto* placed = reinterpret_cast<uint8_t*>(wanted);
    if (!mapAt(placed, 0, size)) {
        munmap(reserved, span);
        return nullptr;
    }
    if (wanted > start) munmap(reserved, wanted - start);
    uintptr_t end = wanted + size, reservedEnd = start + span;
    if (reservedEnd > end) munmap(reinterpret_cast<void*>(end), reservedEnd - end);
    return placed;
}

void PhysicalMemory::unmapView(uint8_t* v) const {
    if (v) munmap(v, size);
}

}  // namespace platform
