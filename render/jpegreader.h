#pragma once
#include <cstddef>
#include <cstdint>
#include "imagecodec.h"
#include "rendersurface.h"

// Null when the bytes do not start a colour or grey JPEG picture; one refused for its size
// leaves that in *oversize, when given. A picture cut short decodes as if it ended there.
RenderSurface* readJpeg(const uint8_t* data, size_t size, ImageCodec::Oversize* oversize);
