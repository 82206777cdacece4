// A bitmap font rendered from a typeface into three glyph strips and their metrics.
// Source lines: face NAME | size PIXELS | fill PAINT | outline COLOUR | shadow COLOUR
// | case upper|mixed | spacing N | maxheight N | part 0|1|2 CHARACTERS (the blank is
// always the first glyph of part 0).
#pragma once
#include <array>
#include <filesystem>
#include "fontmetrics.h"
#include "art/image.h"
#include "core/sourcetext.h"

namespace assets {

class BitmapFont {
public:
    static constexpr int maxGlyphs = 127;

    BitmapFont(const SourceText& source, const std::filesystem::path& fontDir);

    const FontMetrics& metrics() const { return fontMetrics; }
    const Image& strip(int part) const { return strips[size_t(part)]; }

private:
    FontMetrics fontMetrics;
    std::array<Image, 3> strips;
};

}  // namespace assets
