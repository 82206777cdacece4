#pragma once
#include <cstddef>
#include <cstdint>
#include "imagecodec.h"
#include "rendersurface.h"

// Null when the bytes are not a whole PNG picture; one refused for its size leaves that in
// *oversize, when given.
RenderSurface* readPng(const uint8_t* data, size_t size, ImageCodec::Oversize* oversize);
