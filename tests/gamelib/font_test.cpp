// Bitmap fonts from small glyph strips beside the program.
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>
#include "captured_diagnostics.h"
#include "ddamageddataexception.h"
#include "dgraphics.h"
#include "dimage.h"
#include "dioexception.h"
#include "imagefont.h"
#include "program_fixture.h"
#include "text.h"

using dfc::io::DDamagedDataExceptionPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DGraphicsPtr;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;

namespace {

constexpr uint16_t white = 0xFFFF;

class FontTest : public ProgramTest {
protected:
    static ImageFontPtr loadFont(bool upperCase = true, int spacing = 0) {
        ImageFontPtr font = new ImageFont();
        font->upperCase = upperCase;
        font->spacing = spacing;
        font->load(u"/fonts/t");
        return font;
    }
};

}  // namespace

TEST_F(FontTest, WidthsAddUpTheGlyphsFound) {
    writeTestFont("fonts/t");
    inProgram([] {
        ImageFontPtr font = loadFont();
        EXPECT_EQ(font->partCount, 3);
        EXPECT_EQ(font->getHeight(), 2);
        EXPECT_EQ(narrow(font->charsets[0]), "AB") << "glyph names are upper-cased as they are read";
        EXPECT_EQ(narrow(font->charsets[2]), "");
        EXPECT_EQ(font->images[2]->getWidth(), 1) << "an empty part keeps its strip";

        struct Case {
            const char16_t* text;
            int width;
        } cases[] = {{u"", 0}, {u"AB", 5}, {u"ab", 5}, {u"a b", 7}, {u"a?b", 5}, {u"1a", 3}};
        for (const Case& c : cases) EXPECT_EQ(font->stringWidth(c.text), c.width) << platform::narrow(c.text);

        ImageFontPtr small = loadFont(false, 1);
        EXPECT_EQ(small->stringWidth(u"ab"), 7);
        EXPECT_EQ(small->stringWidth(u"AB"), 0) << "without upper-casing the capitals are not there";
        EXPECT_EQ(small->stringWidth(u"   "), 9);
    });
}

TEST_F(FontTest, GlyphsAreDrawnFromTheirStripsAtEachAnchor) {
    writeTestFont("fonts/t");
    inProgram([] {
        ImageFontPtr font = loadFont();
        struct Case {
            int x, y, anchor;
            int left, top;  // where the text should start
        } cases[] = {
            {3, 4, DGraphics::TOP | DGraphics::LEFT, 3, 4},
            {3, 4, 0, 3, 4},
            {10, 4, DGraphics::HCENTER | DGraphics::TOP, 7, 4},
            {17, 9, DGraphics::RIGHT | DGraphics::BOTTOM, 11, 7},
            {10, 6, DGraphics::HCENTER | DGraphics::VCENTER, 7, 5},
            {3, 6, DGraphics::LEFT | DGraphics::BASELINE, 3, 5},
        };
        for (const Case& c : cases) {
            DImagePtr target = DImage::createImage(20, 12);
            font->drawStringImpl(target->getGraphics(), u"ab1", c.x, c.y, c.anchor);
            std::vector<uint16_t> expected(20 * 12, white);
            for (int row = 0; row < 2; ++row) {
                for (int column = 0; column < 5; ++column)
                    expected[(c.top + row) * 20 + c.left + column] = stripPixel(0, column, row);
                expected[(c.top + row) * 20 + c.left + 5] = stripPixel(1, 0, row);
            }
            EXPECT_EQ(pixelsOf(target), expected) << "anchor " << c.anchor;
        }
    });
}

TEST_F(FontTest, DrawingLeavesTheClipAsItWas) {
    writeTestFont("fonts/t");
    inProgram([] {
        DImagePtr target = DImage::createImage(20, 12);
        DGraphicsPtr g = target->getGraphics();
        g->setClip(0, 0, 8, 12);
        loadFont()->drawStringImpl(g, u"ab", 3, 4, 0);
        g->setColor(0);
        g->fillRect(0, 0, 19, 11);
        const std::vector<uint16_t> pixels = pixelsOf(target);
        EXPECT_EQ(pixels[5 * 20 + 7], 0);
        EXPECT_EQ(pixels[5 * 20 + 8], white) << "the fill is clipped as before the text";
    });
}

// A key the texts lack gives a null text: every font, cased or not, shows it as nothing.
TEST_F(FontTest, ANullTextIsDrawnAsNothingAndMeasuredZeroWide) {
    writeTestFont("fonts/t");
    inProgram([] {
        for (const bool upperCase : {true, false}) {
            ImageFontPtr font = loadFont(upperCase);
            EXPECT_EQ(font->stringWidth(nullptr), 0) << upperCase;
            DImagePtr target = DImage::createImage(20, 12);
            for (const int anchor : {0, DGraphics::HCENTER | DGraphics::TOP, DGraphics::RIGHT | DGraphics::BOTTOM})
                font->drawStringImpl(target->getGraphics(), nullptr, 10, 6, anchor);
            EXPECT_EQ(pixelsOf(target), std::vector<uint16_t>(20 * 12, white)) << upperCase;
        }
    });
}

// Metrics that cannot be read, or that would cut glyphs from the wrong pixels, stop the load
// with one message naming the metrics; nothing is printed on the way.
TEST_F(FontTest, DamagedMetricsAreRefusedNamingTheirEntry) {
    writeTestFont("fonts/t");
    struct Case {
        const char* what;
        std::string bytes;
        const char* why;
    } cases[] = {
        {"negative count", metrics({}, -3), "its glyph count is negative (-3)"},
        {"two characters a glyph", metrics({{"ab", 2}}, 1), "glyph 0 is not one character"},
        {"cut short", metrics({{"a", 2}}, 2), "it ends before its last glyph"},
        {"wider than the strip", metrics({{"1", 2}}, 1),
         "its glyphs add up to 2 pixels but its strip fonts/t/font_1.png is 1 wide"},
        {"narrower than the strip", metrics({{"1", 0}}, 1), "its glyphs add up to 0 pixels"},
        {"negative width", metrics({{"1", -1}, {"2", 2}}, 2), "glyph 0 has a negative width"},
    };
    for (const Case& c : cases) {
        folder.write("fonts/t/font_1", c.bytes);
        inProgram([&] {
            beginDiagnostics();
            try {
                loadFont();
                ADD_FAILURE() << c.what << ": loaded";
            } catch (DDamagedDataExceptionPtr& e) {
                const std::string message = narrow(e->getMessage());
                EXPECT_EQ(message.rfind("the font metrics fonts/t/font_1 are damaged: ", 0), 0u) << message;
                EXPECT_NE(message.find(c.why), std::string::npos) << c.what << ": " << message;
            }
            EXPECT_EQ(printedDiagnostics(), "") << c.what;
            endDiagnostics();
        });
    }
}
