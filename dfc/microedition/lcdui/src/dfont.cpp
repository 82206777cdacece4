#include "dfont.h"
#include <algorithm>
#include "ce.h"
#include "dexception.h"
#include "dfileinputstream.h"
#include "dhashtable.h"
#include "dinteger.h"

using dfc::lang::DExceptionPtr;
using dfc::lang::DInteger;
using dfc::lang::DStringPtr;

namespace dfc::microedition::lcdui {

namespace {

constexpr int defaultCharacters = 255;
constexpr COLORREF white = 0xFFFFFF;

void setFaceName(LOGFONTW& font, const char16_t* name) {
    for (int i = 0; name[i] && i < LF_FACESIZE - 1; ++i) font.lfFaceName[i] = name[i];
}

LOGFONTW describe(int face, int style, int size, int dotsPerInch) {
    LOGFONTW font{};
    switch (size) {
    case 0: font.lfHeight = dotsPerInch * -11 / 72; break;
    case 8: font.lfHeight = dotsPerInch * -9 / 72; break;
    case 16: font.lfHeight = dotsPerInch * -13 / 72; break;
    default: font.lfHeight = 13; break;
    }
    font.lfWeight = (style & 1) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (style & 2) ? 1 : 0;
    font.lfUnderline = (style & 4) ? 1 : 0;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = NONANTIALIASED_QUALITY;
    if (face == 0) {
        setFaceName(font, u"Tahoma");
    } else if (face == 32 || face == 64) {
        font.lfPitchAndFamily = FF_MODERN;
        setFaceName(font, u"Courier New");
    }
    return font;
}

// A white 32-bit bitmap stored bottom-up, as large as the largest glyph.
struct Scratch {
    Scratch(HDC dc, int width, int rows) : width(width), rows(rows) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, rows, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    }
    ~Scratch() { DeleteObject(bitmap); }
    bool isInk(int row, int column) const { return (bits[size_t(rows - 1 - row) * width + column] & 0xFFFFFF) == 0; }

    int width;
    int rows;
    HBITMAP bitmap = nullptr;
    uint32_t* bits = nullptr;
};

}  // namespace

util::DHashtablePtr DFont::cache;

void DFont::Glyph::resize(int32_t newWidth, int32_t newRows) {
    width = std::max(newWidth, 0);
    rows = std::max(newRows, 0);
    bits.assign(size_t(width) * rows, 0);
}

DFontPtr DFont::getFont(int face, int style, int size) {
    if (!cache) cache = new util::DHashtable(11, 75);
    lang::DIntegerPtr key = new DInteger(face | style | size);
    DFontPtr font = DFontPtr::from(cache->get(key));
    if (!font) {
        font = new DFont(face, style, size);
        cache->put(key, font);
    }
    return font;
}

DFontPtr DFont::getFont(int specifier) { return specifier == 0 ? getFont(0, 0, 0) : getFont(0, 0, 8); }

DFontPtr DFont::getDefaultFont() { return getFont(0, 0, 8); }

DFont::DFont(int face, int style, int size) : face(face), style(style), size(size) {
    readCharacters();
    rasterise();
}

void DFont::readCharacters() {
    try {
        io::DFileInputStreamPtr in = io::DFileInputStream::open(u"/charset.dat");
        int count = in->available() / 2;
        for (int i = 0; i < count; ++i) {
            int high = in->read();
            int low = in->read();
            characters.push_back(char16_t((high << 8) | low));
        }
        in->close();
    } catch (DExceptionPtr&) {
        // No readable list: the font carries the default characters.
        characters.clear();
    }
    if (characters.empty())
        for (int ch = 0; ch < defaultCharacters; ++ch) characters.push_back(char16_t(ch));
}

void DFont::rasterise() {
    HWND window = GetForegroundWindow();
    HDC screen = GetDC(window);
    LOGFONTW description = describe(face, style, size, GetDeviceCaps(screen, LOGPIXELSY));
    HFONT font = CreateFontIndirectW(&description);
    HDC dc = CreateCompatibleDC(screen);
    SelectObject(dc, font);
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(dc, &metrics)) {
        height = metrics.tmHeight;
        baseline = metrics.tmAscent;
    }

    glyphs.resize(characters.size());
    int widest = 1;
    for (size_t i = 0; i < characters.size(); ++i) {
        int width = 0;
        GetCharWidth32(dc, characters[i], characters[i], &width);
        glyphs[i].resize(width, height);
        widest = std::max(widest, width);
    }

    // Sized from the font, so every glyph fits whole whatever the screen is.
    Scratch scratch(dc, widest, std::max(height, 1));
    SelectObject(dc, scratch.bitmap);
    HBRUSH background = CreateSolidBrush(white);
    SetTextAlign(dc, TA_TOP | TA_LEFT);
    SetTextColor(dc, 0);
    for (size_t i = 0; i < characters.size() && scratch.bits; ++i) {
        Glyph& glyph = glyphs[i];
        RECT cell{0, 0, glyph.width, glyph.rows};
        FillRect(dc, &cell, background);
        ExtTextOutW(dc, 0, 0, 0, nullptr, &characters[i], 1, nullptr);
        for (int r = 0; r < glyph.rows; ++r)
            for (int c = 0; c < glyph.width; ++c)
                glyph.bits[size_t(r) * glyph.width + c] = scratch.isInk(r, c) ? 0xFF : 0;
    }
    DeleteDC(dc);
    ReleaseDC(window, screen);
    DeleteObject(font);
    DeleteObject(background);
}

const DFont::Glyph* DFont::glyphOf(char16_t ch) const {
    auto found = std::find(characters.begin(), characters.end(), ch);
    return found == characters.end() ? nullptr : &glyphs[size_t(found - characters.begin())];
}

int DFont::charWidth(char16_t ch) const {
    const Glyph* glyph = glyphOf(ch);
    return glyph ? glyph->width : 0;
}

int DFont::unitsWidth(const char16_t* units, int offset, int end, int length) const {
    int width = 0;
    for (int i = offset; i < std::min(end, length); ++i) width += charWidth(units[i]);
    return width;
}

int DFont::stringWidth(const DStringPtr& text) const {
    if (!text) return 0;
    return unitsWidth(text->chars(), 0, text->length(), text->length());
}

int DFont::charsWidth(const lang::DcharArrayPtr& chars, int offset, int end) const {
    if (!chars) DFC_THROW(lang::DNullPointerException);
    if (offset < 0 || end < 0 || offset > chars->length) DFC_THROW(lang::DIndexOutOfBoundsException);
    return unitsWidth(chars->data, offset, end, chars->length);
}

int DFont::substringWidth(const DStringPtr& text, int offset, int end) const {
    if (!text) DFC_THROW(lang::DNullPointerException);
    if (offset < 0 || end < 0 || offset > text->length()) DFC_THROW(lang::DIndexOutOfBoundsException);
    return unitsWidth(text->chars(), offset, end, text->length());
}

}  // namespace dfc::microedition::lcdui
