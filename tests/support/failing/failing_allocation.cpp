#include "failing_allocation.h"
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

size_t failingFrom = SIZE_MAX;

}  // namespace

void failAllocationsFrom(size_t size) { failingFrom = size; }

void* operator new(std::size_t size) {
    if (size >= failingFrom) throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }

void operator delete(void* p, std::size_t) noexcept { std::free(p); }

void* operator new[](std::size_t size) { return operator new(size); }

void operator delete[](void* p) noexcept { std::free(p); }

void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
