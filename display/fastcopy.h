#pragma once
#include <cstddef>

// Moves rows and blocks of pixels; the two ranges never overlap.
void FastCopy(void* destination, const void* source, size_t bytes);
