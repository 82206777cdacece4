// Pixel art as text: palette lines ("k #201008", ". transparent"), a line "---", then one
// text row per pixel row, one palette character per pixel.
#pragma once
#include "image.h"
#include "core/sourcetext.h"

namespace assets {

class PixelGrid {
public:
    static Image load(const SourceText& source);
};

}  // namespace assets
