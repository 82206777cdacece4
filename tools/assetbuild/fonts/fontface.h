// A typeface from the lettering fonts, set to one pixel size, rendering glyph coverage.
#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <vector>
#include "art/mask.h"
#include "core/place.h"

namespace assets {

class FontFace {
public:
    struct Glyph {
        int left = 0, top = 0;  // bitmap position from the pen, top above the baseline
        int width = 0, rows = 0;
        int advance = 0;
        std::vector<uint8_t> coverage;
    };
    // A line of text as ink: the mask, and where the first pen position and baseline lie in it.
    struct Ink {
        Mask mask;
        int penX = 0, baseline = 0;
    };

    // `face` is a file name without ".ttf" in `fontDir`.
    FontFace(const std::filesystem::path& fontDir, const std::string& face, int pixelSize, const Place& place);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    bool has(char32_t ch) const;
    Glyph glyph(char32_t ch, const Place& place) const;
    int kerning(char32_t left, char32_t right) const;
    // The ink of a whole line, with `pad` empty pixels all round (for outline and shadow).
    Ink ink(const std::u32string& text, int pad, const Place& place) const;

private:
    struct Handles;
    std::unique_ptr<Handles> handles;
};

}  // namespace assets
