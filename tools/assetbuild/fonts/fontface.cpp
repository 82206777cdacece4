#include "fontface.h"
#include <ft2build.h>
#include FT_FREETYPE_H
#include <algorithm>
#include <climits>
#include "core/builderror.h"

namespace assets {

struct FontFace::Handles {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Handles() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

FontFace::FontFace(const std::filesystem::path& fontDir, const std::string& face, int pixelSize, const Place& place)
    : handles(std::make_unique<Handles>()) {
    std::filesystem::path file = fontDir / (face + ".ttf");
    if (FT_Init_FreeType(&handles->library) != 0) throw BuildError(place, "cannot start FreeType");
    if (FT_New_Face(handles->library, file.c_str(), 0, &handles->face) != 0)
        throw BuildError(place, "cannot open the typeface " + file.string());
    if (pixelSize < 4 || pixelSize > 200 || FT_Set_Pixel_Sizes(handles->face, 0, FT_UInt(pixelSize)) != 0)
        throw BuildError(place, "cannot set the size " + std::to_string(pixelSize));
}

FontFace::~FontFace() = default;

bool FontFace::has(char32_t ch) const { return FT_Get_Char_Index(handles->face, ch) != 0; }

FontFace::Glyph FontFace::glyph(char32_t ch, const Place& place) const {
    FT_UInt index = FT_Get_Char_Index(handles->face, ch);
    if (index == 0 && ch != U' ')
        throw BuildError(place, "the typeface has no glyph for U+" + std::to_string(unsigned(ch)));
    if (FT_Load_Glyph(handles->face, index, FT_LOAD_TARGET_MONO) != 0 ||
        FT_Render_Glyph(handles->face->glyph, FT_RENDER_MODE_NORMAL) != 0)
        throw BuildError(place, "cannot render U+" + std::to_string(unsigned(ch)));
    FT_GlyphSlot slot = handles->face->glyph;
    Glyph glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = int(slot->bitmap.width);
    glyph.rows = int(slot->bitmap.rows);
    glyph.advance = int((slot->advance.x + 32) >> 6);
    glyph.coverage.resize(size_t(glyph.width) * glyph.rows);
    for (int y = 0; y < glyph.rows; ++y)
        for (int x = 0; x < glyph.width; ++x)
            glyph.coverage[size_t(y) * glyph.width + x] = slot->bitmap.buffer[y * slot->bitmap.pitch + x];
    return glyph;
}

int FontFace::kerning(char32_t left, char32_t right) const {
    if (!FT_HAS_KERNING(handles->face)) return 0;
    FT_Vector delta{};
    FT_Get_Kerning(handles->face, FT_Get_Char_Index(handles->face, left), FT_Get_Char_Index(handles->face, right),
                   FT_KERNING_DEFAULT, &delta);
    return int(delta.x >> 6);
}

FontFace::Ink FontFace::ink(const std::u32string& text, int pad, const Place& place) const {
    struct Placed {
        Glyph glyph;
        int x;
    };
    std::vector<Placed> placed;
    int pen = 0, left = INT_MAX, right = INT_MIN, top = INT_MIN, bottom = INT_MAX;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i > 0) pen += kerning(text[i - 1], text[i]);
        Glyph g = glyph(text[i], place);
        if (g.width > 0 && g.rows > 0) {
            left = std::min(left, pen + g.left);
            right = std::max(right, pen + g.left + g.width);
            top = std::max(top, g.top);
            bottom = std::min(bottom, g.top - g.rows);
        }
        placed.push_back({g, pen});
        pen += g.advance;
    }
    Ink ink;
    if (left == INT_MAX) {
        ink.mask = Mask(2 * pad + 1, 2 * pad + 1);
        ink.penX = pad;
        ink.baseline = pad;
        return ink;
    }
    ink.mask = Mask(right - left + 2 * pad, top - bottom + 2 * pad);
    ink.penX = pad - left;
    ink.baseline = pad + top;
    for (const Placed& p : placed)
        for (int y = 0; y < p.glyph.rows; ++y)
            for (int x = 0; x < p.glyph.width; ++x)
                ink.mask.add(ink.penX + p.x + p.glyph.left + x, ink.baseline - p.glyph.top + y,
                             p.glyph.coverage[size_t(y) * p.glyph.width + x] / 255.0f);
    return ink;
}

}  // namespace assets
