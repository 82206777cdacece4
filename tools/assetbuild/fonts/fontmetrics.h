// A bitmap font as the game's text drawing sees it: up to three parts of characters with
// their advance widths, the strip height, the spacing added after each glyph and whether
// text is upper-cased first.
#pragma once
#include <array>
#include <string>
#include <vector>

namespace assets {

struct FontMetrics {
    struct Part {
        std::u32string chars;
        std::vector<int> widths;
    };
    std::array<Part, 3> parts;
    int height = 0;
    int spacing = 0;
    bool upperCase = true;

    // Width of a text drawn with this font; characters the font lacks add nothing.
    int stringWidth(const std::u32string& text) const;
    // What one character adds to a text's width.
    int charWidth(char32_t ch) const;
    bool has(char32_t ch) const;
    // The bytes of one part's metrics file: glyph count, then each glyph's text and width.
    std::string encode(int part) const;
};

// Upper-casing as the device does it for the characters the fonts carry.
char32_t upperCased(char32_t ch);

}  // namespace assets
