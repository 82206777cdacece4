// Makes the allocations of this test program from a size on fail as when memory runs out, by
// throwing std::bad_alloc.
#pragma once
#include <cstddef>

// SIZE_MAX: none fails.
void failAllocationsFrom(size_t size);
