#pragma once
#include <cstddef>
#include <cstdint>
#include "rendersurface.h"

// Null when the bytes are not a whole PNG picture.
RenderSurface* readPng(const uint8_t* data, size_t size);
