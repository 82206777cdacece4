#include "fastcopy.h"
#include <cstring>

void FastCopy(void* destination, const void* source, size_t bytes) { std::memcpy(destination, source, bytes); }
