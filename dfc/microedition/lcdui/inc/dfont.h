#pragma once
#include <cstdint>
#include <vector>
#include "dfont.ptr"
#include "dhashtable.ptr"
#include "dprimitives.h"
#include "dstring.h"

namespace dfc::microedition::lcdui {

// A device font drawn once, character by character, into glyphs of ink bytes, so that text
// is drawn and measured without the device afterwards. Fonts are shared through a cache.
class DFont : public lang::DObject {
public:
    // One character's picture: rows x width bytes, 0xFF for ink.
    struct Glyph {
        int32_t width = 0;
        int32_t rows = 0;
        std::vector<uint8_t> bits;

        void resize(int32_t newWidth, int32_t newRows);
        bool ink(int32_t row, int32_t column) const { return bits[size_t(row) * width + column] != 0; }
    };

    // face 0 is the proportional face, 32 and 64 the fixed-pitch one; style bits 1 bold,
    // 2 italic, 4 underlined; size 0 medium, 8 small, 16 large.
    static DFontPtr getFont(int face, int style, int size);
    // 0 gives the medium font, anything else the small one.
    static DFontPtr getFont(int specifier);
    static DFontPtr getDefaultFont();

    // Fonts made so far, by face | style | size; the frame drops it at shut-down.
    static util::DHashtablePtr cache;

    int getHeight() const { return height; }
    int getBaseline() const { return baseline; }
    // A null text measures 0.
    int stringWidth(const lang::DStringPtr& text) const;
    // 0 for a character the font does not carry.
    int charWidth(char16_t ch) const;
    // The characters from offset up to end, or to the end of the array when end lies beyond it.
    int charsWidth(const lang::DcharArrayPtr& chars, int offset, int end) const;
    int substringWidth(const lang::DStringPtr& text, int offset, int end) const;
    // The first glyph of the character, or null when the font does not carry it.
    const Glyph* glyphOf(char16_t ch) const;

private:
    DFont(int face, int style, int size);
    void readCharacters();
    // Draws every character with the device font of this face, style and size.
    void rasterise();
    int unitsWidth(const char16_t* units, int offset, int end, int length) const;

    int32_t face;
    int32_t style;
    int32_t size;
    int32_t height = 0;
    int32_t baseline = 0;
    std::vector<char16_t> characters;
    std::vector<Glyph> glyphs;
};

}  // namespace dfc::microedition::lcdui
