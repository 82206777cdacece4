#include <string>
#include <vector>
#include "ce.h"
#include "headless_test.h"
#include "pinned_fonts.h"

namespace {

struct Request {
    const char16_t* face;
    LONG height;
    LONG weight = FW_NORMAL;
    BYTE italic = 0;
    BYTE underline = 0;
};

HFONT makeFont(const Request& r) {
    LOGFONTW lf{};
    lf.lfHeight = r.height;
    lf.lfWeight = r.weight;
    lf.lfItalic = r.italic;
    lf.lfUnderline = r.underline;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    std::u16string face(r.face);
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

// A memory context on a white bottom-up 32-bit bitmap with one font selected.
class Canvas {
public:
    Canvas(const Request& r, int w = 32, int h = 24) : width(w), height(h) {
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        SelectObject(dc, dib);
        font = makeFont(r);
        SelectObject(dc, font);
        HBRUSH white = CreateSolidBrush(0xFFFFFF);
        RECT all{0, 0, w, h};
        FillRect(dc, &all, white);
        DeleteObject(white);
    }
    ~Canvas() {
        DeleteDC(dc);
        DeleteObject(dib);
        DeleteObject(font);
    }

    uint32_t pixel(int x, int y) const { return bits[(height - 1 - y) * width + x]; }
    std::vector<std::string> picture(int rows, int columns) const {
        std::vector<std::string> out;
        for (int y = 0; y < rows; ++y) {
            std::string line;
            for (int x = 0; x < columns; ++x) line += (pixel(x, y) & 0xFFFFFF) == 0 ? '#' : '.';
            out.push_back(line);
        }
        return out;
    }
    int ink() const {
        int n = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) n += pixel(x, y) != 0xFFFFFF;
        return n;
    }
    int widthOf(char16_t ch) const {
        int w = -1;
        GetCharWidth32(dc, ch, ch, &w);
        return w;
    }
    void text(const std::u16string& s, int x = 0, int y = 0) {
        ExtTextOutW(dc, x, y, 0, nullptr, s.data(), UINT(s.size()), nullptr);
    }

    HDC dc;
    HBITMAP dib;
    HFONT font;
    uint32_t* bits = nullptr;
    int width;
    int height;
};

class GdiFont : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        expectPinnedFonts();
    }
};

class GdiDevice : public HeadlessTest {};

}  // namespace

TEST_F(GdiFont, MetricsAndWidthsFollowTheRequest) {
    struct Case {
        Request request;
        TEXTMETRICW metrics;
        std::vector<int> widths;  // of "AgW1.i"
    };
    const Case cases[] = {
        {{u"Tahoma", -12}, {15, 12, 3}, {8, 8, 11, 8, 4, 3}},
        {{u"Tahoma", -14}, {17, 13, 4}, {9, 9, 13, 9, 4, 3}},
        {{u"Tahoma", -17}, {21, 16, 5}, {11, 10, 18, 11, 5, 5}},
        {{u"Tahoma", 13}, {13, 10, 3}, {7, 6, 9, 6, 3, 2}},  // a cell of at most 13 rows
        {{u"", -12}, {15, 12, 3}, {8, 8, 11, 8, 4, 3}},
        {{u"Courier New", -12}, {15, 12, 3}, {7, 7, 7, 7, 7, 7}},
        {{u"Tahoma", -12, FW_BOLD}, {15, 12, 3}, {9, 9, 14, 8, 5, 4}},
        {{u"Tahoma", -12, FW_NORMAL, 1}, {15, 12, 3}, {8, 8, 12, 8, 4, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.request.height) + " " + std::to_string(c.request.weight));
        Canvas canvas(c.request);
        TEXTMETRICW tm{};
        ASSERT_TRUE(GetTextMetricsW(canvas.dc, &tm));
        EXPECT_EQ(tm.tmHeight, c.metrics.tmHeight);
        EXPECT_EQ(tm.tmAscent, c.metrics.tmAscent);
        EXPECT_EQ(tm.tmDescent, c.metrics.tmDescent);
        std::vector<int> widths;
        for (char16_t ch : std::u16string(u"AgW1.i")) widths.push_back(canvas.widthOf(ch));
        EXPECT_EQ(widths, c.widths);
    }
}

TEST_F(GdiFont, GlyphIsDrawnOneBitFromTheTopLeftOfItsCell) {
    Canvas canvas({u"Tahoma", -12});
    SetTextAlign(canvas.dc, TA_TOP | TA_LEFT);
    SetTextColor(canvas.dc, 0);
    canvas.text(u"1");
    const std::vector<std::string> expected = {
        "........", "........", "........", ".###....", "...#....", "...#....", "...#....", "...#....",
        "...#....", "...#....", "...#....", ".#####..", "........", "........", "........",
    };
    EXPECT_EQ(canvas.picture(15, 8), expected);
    // Nothing but pure ink and untouched background: no grey edges.
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_TRUE(canvas.pixel(x, y) == 0 || canvas.pixel(x, y) == 0xFFFFFF);
}

TEST_F(GdiFont, TextColourAndPositionReachTheBitmapAndGetPixel) {
    Canvas canvas({u"Tahoma", -12});
    SetTextColor(canvas.dc, RGB(255, 0, 0));
    canvas.text(u"1", 5, 2);
    EXPECT_EQ(canvas.pixel(6, 5), 0xFF0000u);  // DIB pixels are 0x00RRGGBB
    EXPECT_EQ(GetPixel(canvas.dc, 6, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(canvas.dc, 5, 5), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(canvas.dc, 32, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(canvas.dc, 0, -1), CLR_INVALID);
}

TEST_F(GdiFont, BoldInksMoreAndUnderlineRunsUnderTheAdvance) {
    Canvas plain({u"Tahoma", -12}), bold({u"Tahoma", -12, FW_BOLD});
    plain.text(u"A");
    bold.text(u"A");
    EXPECT_GT(bold.ink(), plain.ink());

    Canvas underlined({u"Tahoma", -12, FW_NORMAL, 0, 1});
    underlined.text(u"ii");
    int fullRows = 0;
    for (int y = 12; y < 15; ++y) {
        int run = 0;
        for (int x = 0; x < 6; ++x) run += underlined.pixel(x, y) == 0;
        fullRows += run == 6;
    }
    EXPECT_EQ(fullRows, 1);
    EXPECT_EQ(underlined.pixel(6, 13), 0xFFFFFFu);
}

TEST_F(GdiFont, GlyphsAtTheEdgeAreCutToTheBitmap) {
    Canvas canvas({u"Tahoma", -17}, 12, 10);
    canvas.text(u"Wg", 6, 2);
    canvas.text(u"W", -5, -3);
    EXPECT_GT(canvas.ink(), 0);
}

TEST_F(GdiDevice, ReportsNinetySixDotsPerInchVertically) {
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    ReleaseDC(nullptr, screen);
}

TEST_F(GdiDevice, DibSectionsAreThirtyTwoBitAndStartBlack) {
    struct Case {
        LONG width, height;
        WORD planes, bits;
        DWORD compression;
        UINT usage;
        bool made;
    };
    const Case cases[] = {
        {4, 3, 1, 32, BI_RGB, DIB_RGB_COLORS, true},  {4, -3, 1, 32, BI_RGB, DIB_RGB_COLORS, true},
        {0, 3, 1, 32, BI_RGB, DIB_RGB_COLORS, false}, {4, 0, 1, 32, BI_RGB, DIB_RGB_COLORS, false},
        {4, 3, 2, 32, BI_RGB, DIB_RGB_COLORS, false}, {4, 3, 1, 24, BI_RGB, DIB_RGB_COLORS, false},
        {4, 3, 1, 32, 3, DIB_RGB_COLORS, false},      {4, 3, 1, 32, BI_RGB, 1, false},
        {1 << 20, 3, 1, 32, BI_RGB, DIB_RGB_COLORS, false},
    };
    for (const Case& c : cases) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), c.width, c.height, c.planes, c.bits, c.compression, 0, 0, 0, 0, 0};
        void* bits = reinterpret_cast<void*>(1);
        HBITMAP dib = CreateDIBSection(nullptr, &info, c.usage, &bits, nullptr, 0);
        EXPECT_EQ(dib != nullptr, c.made) << c.width << "x" << c.height;
        if (!dib) {
            EXPECT_EQ(bits, nullptr);
            continue;
        }
        auto* pixels = static_cast<uint32_t*>(bits);
        for (int i = 0; i < 12; ++i) EXPECT_EQ(pixels[i], 0u);
        BITMAP described{};
        ASSERT_TRUE(GetObjectW(dib, sizeof described, &described));
        EXPECT_EQ(described.bmBitsPixel, 32);
        EXPECT_EQ(described.bmWidthBytes, 16);
        DeleteObject(dib);
    }
}
