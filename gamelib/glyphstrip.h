// What a bitmap font's strip must be for its metrics: the glyphs side by side fill it exactly.
// A part without glyphs keeps a strip one pixel wide, since a picture is never empty. The asset
// builder proves every font it packs by this rule; the loader refuses metrics that break it,
// since their glyphs would be cut from the wrong pixels.
#pragma once
#include <cstdint>

struct GlyphStrip {
    static constexpr bool fits(int32_t glyphCount, int64_t widthSum, int64_t stripWidth) {
        return glyphCount == 0 ? stripWidth == 1 : widthSum == stripWidth;
    }
};
