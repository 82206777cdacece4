// Device fonts rasterised by FreeType from the DejaVu faces, one bit per pixel.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <algorithm>
#include <string>
#include "state.h"

namespace {

constexpr const char* fontFolder = "/usr/share/fonts/truetype/dejavu/";
constexpr int defaultPixels = 12;  // 9 points
constexpr LONG boldWeight = 600;

class FreeType {
public:
    static FT_Library library() {
        static FreeType instance;
        return instance.handle;
    }

private:
    FreeType() {
        if (FT_Init_FreeType(&handle)) handle = nullptr;
    }
    ~FreeType() {
        if (handle) FT_Done_FreeType(handle);
    }
    FT_Library handle = nullptr;
};

struct GdiFont : GdiObject {
    GdiFont(FT_Face f, bool underlined) : GdiObject(font), face(f), underline(underlined) {}
    ~GdiFont() override { FT_Done_Face(face); }

    FT_Face face;
    bool underline;
    int ascent = 0;
    int descent = 0;
};

int ceilPixels(FT_Pos p) { return int((p + 63) >> 6); }

// The device's own faces stand in for the ones asked for: a fixed-pitch face for
// "Courier New", the proportional one for every other name.
std::string fileFor(const LOGFONTW& f) {
    std::u16string name;
    for (int i = 0; i < LF_FACESIZE && f.lfFaceName[i]; ++i) name += f.lfFaceName[i];
    std::string file = fontFolder;
    file += name == u"Courier New" ? "DejaVuSansMono" : "DejaVuSans";
    bool bold = f.lfWeight >= boldWeight, italic = f.lfItalic != 0;
    file += bold && italic ? "-BoldOblique" : bold ? "-Bold" : italic ? "-Oblique" : "";
    return file + ".ttf";
}

void setPixels(GdiFont& font, int pixels) {
    FT_Set_Pixel_Sizes(font.face, 0, FT_UInt(pixels));
    font.ascent = ceilPixels(font.face->size->metrics.ascender);
    font.descent = ceilPixels(-font.face->size->metrics.descender);
}

// A negative height asks for characters that many pixels high, a positive one for
// the largest font whose cell fits in that many pixels.
void setHeight(GdiFont& font, LONG height) {
    if (height < 0) return setPixels(font, int(-height));
    if (height == 0) return setPixels(font, defaultPixels);
    for (int pixels = int(height); pixels > 1; --pixels) {
        setPixels(font, pixels);
        if (font.ascent + font.descent <= height) return;
    }
    setPixels(font, 1);
}

GdiFont* selectedFont(HDC dc) {
    if (!dc || !dc->font) return nullptr;
    return static_cast<GdiFont*>(dc->font);
}

// Loads one character's outline hinted for one-bit output, rendered when asked.
bool load(GdiFont& font, UINT ch, bool render) {
    FT_Int32 flags = FT_LOAD_TARGET_MONO | (render ? FT_LOAD_RENDER : 0);
    if (FT_Load_Char(font.face, ch, flags)) return false;
    return !render || font.face->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
}

int advanceOf(const GdiFont& font) { return int((font.face->glyph->advance.x + 32) >> 6); }

void drawGlyph(const GdiFont& font, const platform::Target& t, int penX, int baseline, COLORREF colour) {
    const FT_GlyphSlot slot = font.face->glyph;
    const FT_Bitmap& b = slot->bitmap;
    for (unsigned row = 0; row < b.rows; ++row) {
        const unsigned char* bits = b.buffer + ptrdiff_t(row) * b.pitch;
        for (unsigned col = 0; col < b.width; ++col)
            if (bits[col >> 3] & (0x80 >> (col & 7)))
                t.put(penX + slot->bitmap_left + int(col), baseline - slot->bitmap_top + int(row), colour);
    }
}

void drawUnderline(const GdiFont& font, const platform::Target& t, int left, int right, int baseline,
                   COLORREF colour) {
    FT_Fixed scale = font.face->size->metrics.y_scale;
    int centre = int((-FT_MulFix(font.face->underline_position, scale) + 32) >> 6);
    int thickness = std::max(1, int((FT_MulFix(font.face->underline_thickness, scale) + 32) >> 6));
    int top = baseline + centre - thickness / 2;
    for (int y = top; y < top + thickness; ++y)
        for (int x = left; x < right; ++x) t.put(x, y, colour);
}

}  // namespace

HFONT CreateFontIndirectW(const LOGFONTW* request) {
    FT_Library library = FreeType::library();
    FT_Face face = nullptr;
    if (!request || !library || FT_New_Face(library, fileFor(*request).c_str(), 0, &face)) return nullptr;
    auto* font = new GdiFont(face, request->lfUnderline != 0);
    setHeight(*font, request->lfHeight);
    return font;
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->textColour;
    dc->textColour = colour;
    return previous;
}

UINT SetTextAlign(HDC dc, UINT align) {
    if (!dc) return 0;
    UINT previous = dc->textAlign;
    dc->textAlign = align;
    return previous;
}

BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics) {
    GdiFont* font = selectedFont(dc);
    if (!font || !metrics) return FALSE;
    *metrics = TEXTMETRICW{font->ascent + font->descent, font->ascent, font->descent};
    return TRUE;
}

BOOL GetCharWidth32(HDC dc, UINT first, UINT last, int* widths) {
    GdiFont* font = selectedFont(dc);
    if (!font || !widths || last < first) return FALSE;
    for (UINT ch = first; ch <= last; ++ch) widths[ch - first] = load(*font, ch, false) ? advanceOf(*font) : 0;
    return TRUE;
}

BOOL ExtTextOutW(HDC dc, int x, int y, UINT, const RECT*, LPCWSTR text, UINT count, const int* dx) {
    GdiFont* font = selectedFont(dc);
    platform::Target t(dc);
    if (!font || !t.valid() || (!text && count)) return FALSE;
    int baseline = y + font->ascent, pen = x;
    for (UINT i = 0; i < count; ++i) {
        if (!load(*font, text[i], true)) continue;
        drawGlyph(*font, t, pen, baseline, dc->textColour);
        pen += dx ? dx[i] : advanceOf(*font);
    }
    if (font->underline) drawUnderline(*font, t, x, pen, baseline, dc->textColour);
    platform::touched(dc);
    return TRUE;
}
