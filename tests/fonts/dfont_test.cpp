#include <string>
#include <vector>
#include "app_folder_test.h"
#include "ce.h"
#include "dexception.h"
#include "dfont.h"
#include "gameengine.h"
#include "idle_midlet.h"
#include "pinned_fonts.h"

using dfc::lang::DcharArray;
using dfc::lang::DIndexOutOfBoundsExceptionPtr;
using dfc::lang::DNullPointerExceptionPtr;
using dfc::microedition::lcdui::DFont;
using dfc::microedition::lcdui::DFontPtr;

namespace {

class DeviceFont : public AppFolderTest {
protected:
    void SetUp() override {
        AppFolderTest::SetUp();
        expectPinnedFonts();
    }
    void TearDown() override {
        DFont::cache = nullptr;
        AppFolderTest::TearDown();
    }

    static std::vector<std::string> picture(const DFont::Glyph& glyph) {
        std::vector<std::string> rows;
        for (int r = 0; r < glyph.rows; ++r) {
            std::string row;
            for (int c = 0; c < glyph.width; ++c) row += glyph.ink(r, c) ? '#' : '.';
            rows.push_back(row);
        }
        return rows;
    }
    static int ink(const DFont::Glyph& glyph) {
        int n = 0;
        for (uint8_t b : glyph.bits) n += b == 0xFF;
        return n;
    }
};

}  // namespace

TEST_F(DeviceFont, WithoutACharacterListTheFontCarries0To254) {
    DFontPtr font = DFont::getDefaultFont();
    EXPECT_NE(font->glyphOf(0), nullptr);
    EXPECT_GT(font->charWidth(u'\u00FE'), 0);
    EXPECT_EQ(font->glyphOf(u'\u00FF'), nullptr);
    EXPECT_EQ(font->charWidth(u'\u00FF'), 0);
    EXPECT_EQ(font->charWidth(u'\u20AC'), 0);
}

TEST_F(DeviceFont, CharacterListHoldsBigEndianUnitsAndDropsAnOddByte) {
    folder.write("charset.dat", std::string("\x00" "A" "\x20\xAC" "\x00" "C" "\x00", 7));
    DFontPtr font = DFont::getDefaultFont();
    int a = font->charWidth(u'A'), euro = font->charWidth(u'\u20AC'), c = font->charWidth(u'C');
    EXPECT_GT(a, 0);
    EXPECT_GT(euro, 0);
    EXPECT_GT(c, 0);
    EXPECT_EQ(font->charWidth(u'B'), 0);
    EXPECT_EQ(font->stringWidth(u"A\u20ACBC"), a + euro + c);
    EXPECT_EQ(font->glyphOf(0), nullptr) << "the odd last byte makes no character";
}

TEST_F(DeviceFont, EmptyCharacterListGivesTheDefaultOne) {
    folder.write("charset.dat", "");
    DFontPtr font = DFont::getDefaultFont();
    EXPECT_GT(font->charWidth(u'A'), 0);
    EXPECT_EQ(font->charWidth(u'\u00FF'), 0);
}

TEST_F(DeviceFont, CacheAnswersTheSameFontForTheSameFaceStyleAndSize) {
    DFontPtr small = DFont::getFont(0, 0, 8);
    EXPECT_EQ(DFont::getFont(0, 0, 8).get(), small.get());
    EXPECT_EQ(DFont::getDefaultFont().get(), small.get());
    EXPECT_EQ(DFont::getFont(1).get(), small.get());
    EXPECT_EQ(DFont::getFont(0).get(), DFont::getFont(0, 0, 0).get());
    EXPECT_NE(DFont::getFont(0).get(), small.get());
    EXPECT_NE(DFont::getFont(0, 1, 8).get(), small.get());
}

TEST_F(DeviceFont, SizesStylesAndFacesGiveThePinnedMetrics) {
    struct Case {
        int face, style, size;
        int height, baseline;
        std::vector<int> widths;  // of "AgW1.i"
    };
    const Case cases[] = {
        {0, 0, 8, 15, 12, {8, 8, 11, 8, 4, 3}},   {0, 0, 0, 17, 13, {9, 9, 13, 9, 4, 3}},
        {0, 0, 16, 21, 16, {11, 10, 18, 11, 5, 5}}, {0, 0, 4, 13, 10, {7, 6, 9, 6, 3, 2}},
        {32, 0, 8, 15, 12, {7, 7, 7, 7, 7, 7}},    {64, 0, 8, 15, 12, {7, 7, 7, 7, 7, 7}},
        {0, 1, 8, 15, 12, {9, 9, 14, 8, 5, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.face) + "/" + std::to_string(c.style) + "/" + std::to_string(c.size));
        DFontPtr font = DFont::getFont(c.face, c.style, c.size);
        EXPECT_EQ(font->getHeight(), c.height);
        EXPECT_EQ(font->getBaseline(), c.baseline);
        std::vector<int> widths;
        for (char16_t ch : std::u16string(u"AgW1.i")) widths.push_back(font->charWidth(ch));
        EXPECT_EQ(widths, c.widths);
    }
}

TEST_F(DeviceFont, GlyphsHoldTheInkOfTheCharacter) {
    DFontPtr font = DFont::getDefaultFont();
    const std::vector<std::string> one = {
        "........", "........", "........", ".###....", "...#....", "...#....", "...#....", "...#....",
        "...#....", "...#....", "...#....", ".#####..", "........", "........", "........",
    };
    EXPECT_EQ(picture(*font->glyphOf(u'1')), one);
    EXPECT_EQ(ink(*font->glyphOf(u' ')), 0);
    EXPECT_EQ(ink(*font->glyphOf(u'A')), 22);
    EXPECT_GT(ink(*DFont::getFont(0, 1, 8)->glyphOf(u'A')), ink(*font->glyphOf(u'A')));
}

TEST_F(DeviceFont, UnderlinedGlyphsCarryTheLineBelowTheBaseline) {
    const DFont::Glyph& plain = *DFont::getFont(0, 0, 8)->glyphOf(u'i');
    const DFont::Glyph& underlined = *DFont::getFont(0, 4, 8)->glyphOf(u'i');
    auto fullRows = [](const DFont::Glyph& g) {
        int rows = 0;
        for (int r = 12; r < g.rows; ++r) {
            bool full = true;
            for (int c = 0; c < g.width; ++c) full = full && g.ink(r, c);
            rows += full;
        }
        return rows;
    };
    EXPECT_EQ(fullRows(plain), 0);
    EXPECT_EQ(fullRows(underlined), 1);
}

// No window is in front here: the glyphs are sized from the font, never from a window.
TEST_F(DeviceFont, WideGlyphsComeWholeWithoutAForegroundWindow) {
    ASSERT_EQ(GetForegroundWindow(), nullptr);
    const DFont::Glyph& w = *DFont::getFont(0, 1, 16)->glyphOf(u'W');
    EXPECT_EQ(w.rows, 21);
    EXPECT_GT(w.width, 18);
    EXPECT_GT(ink(w), 60);
}

TEST_F(DeviceFont, MeasuresTextsAndRanges) {
    DFontPtr font = DFont::getDefaultFont();
    int c = font->charWidth(u'C'), d = font->charWidth(u'D'), e = font->charWidth(u'E');
    EXPECT_EQ(font->stringWidth(u""), 0);
    EXPECT_EQ(font->stringWidth(nullptr), 0);
    EXPECT_EQ(font->substringWidth(u"ABCDE", 2, 100), c + d + e);
    EXPECT_EQ(font->substringWidth(u"ABCDE", 2, 4), c + d);
    EXPECT_EQ(font->substringWidth(u"ABCDE", 5, 5), 0);
    dfc::lang::DcharArrayPtr chars = new DcharArray(5, 'A', 'B', 'C', 'D', 'E');
    EXPECT_EQ(font->charsWidth(chars, 2, 100), c + d + e);

    EXPECT_THROW(font->substringWidth(u"ABCDE", -1, 2), DIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(font->substringWidth(u"ABCDE", 0, -1), DIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(font->substringWidth(u"ABCDE", 6, 7), DIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(font->charsWidth(chars, 6, 7), DIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(font->substringWidth(nullptr, 0, 1), DNullPointerExceptionPtr);
    EXPECT_THROW(font->charsWidth(nullptr, 0, 1), DNullPointerExceptionPtr);
}

TEST_F(DeviceFont, FrameShutDownDropsTheCache) {
    GameEngine::applicationFactory = [] { return dfc::microedition::midlet::DMIDletPtr(new IdleMidlet()); };
    GameEngine engine;
    ASSERT_TRUE(engine.startMidlet());
    DFont::getDefaultFont();
    ASSERT_TRUE(DFont::cache);
    engine.destroy();
    EXPECT_FALSE(DFont::cache);
}
