// A stretch of the simulated device's physical memory: a shared-memory file, so that every
// mapping of it (the platform's own view, the program's VirtualCopy views, the kernel-static
// aliases) sees the same bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include "ce_types.h"

namespace platform {

constexpr size_t pageSize = 4096;
constexpr size_t pageRound(size_t bytes) { return (bytes + pageSize - 1) & ~(pageSize - 1); }

class PhysicalMemory {
public:
    // base must be page-aligned.
    PhysicalMemory(DWORD base, size_t bytes);
    ~PhysicalMemory();
    PhysicalMemory(const PhysicalMemory&) = delete;
    PhysicalMemory& operator=(const PhysicalMemory&) = delete;

    bool contains(DWORD address, size_t bytes) const;
    // Maps bytes from the page-aligned offset onto the page-aligned address, replacing what
    // was reserved there; false when the system refuses.
    bool mapAt(void* address, size_t offset, size_t bytes) const;
    // A new view whose address lies at the same place within an alignment window as the
    // physical base does; null when it cannot be made. Release with unmapView.
    uint8_t* mapAligned(size_t alignment) const;
    void unmapView(uint8_t* view) const;

    const DWORD base;
    const size_t size;  // whole pages
    uint8_t* view = nullptr;

private:
    int file = -1;
};

}  // namespace platform
