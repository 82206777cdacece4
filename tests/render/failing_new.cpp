#include "failing_new.h"
#include <new>

namespace {

int failuresDue = 0;

bool failureDue() {
    if (failuresDue <= 0) return false;
    --failuresDue;
    return true;
}

}  // namespace

void failNextAllocations(int count) { failuresDue = count; }

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return failureDue() ? nullptr : ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return failureDue() ? nullptr : ::operator new[](size);
    } catch (...) {
        return nullptr;
    }
}
