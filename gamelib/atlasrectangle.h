// Where a picture of an image atlas may lie: wholly inside the atlas picture, and not empty.
// The asset builder proves every atlas it packs by this rule; the loader refuses a text that
// breaks it, since its rectangles would cut noise out of the picture.
#pragma once
#include <cstdint>

struct AtlasRectangle {
    static constexpr bool fits(int64_t x, int64_t y, int64_t width, int64_t height, int64_t pictureWidth,
                               int64_t pictureHeight) {
        return x >= 0 && y >= 0 && width > 0 && height > 0 && x + width <= pictureWidth && y + height <= pictureHeight;
    }
};
