#pragma once
#include <cstddef>
#include <cstdint>
#include "rendersurface.h"

// Null when the bytes do not start a colour or grey JPEG picture; a picture cut short
// decodes as if it ended there.
RenderSurface* readJpeg(const uint8_t* data, size_t size);
