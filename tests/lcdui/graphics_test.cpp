#include <string>
#include <utility>
#include <vector>
#include "app_folder_test.h"
#include "dexception.h"
#include "dgraphics.h"
#include "dimage.h"
#include "rendersurface.h"
#include "null_pointer.h"
#include "pinned_fonts.h"

using dfc::lang::DintArray;
using dfc::microedition::lcdui::DFont;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DGraphicsPtr;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;

namespace {

constexpr uint16_t white = 0xFFFF, black = 0x0000, red = 0xF800;

struct Box {
    int left, top, right, bottom;  // right and bottom exclusive; left > right when empty
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << "(" << b.left << "," << b.top << ")-(" << b.right << "," << b.bottom << ")";
}

class Graphics : public AppFolderTest {
protected:
    void SetUp() override {
        AppFolderTest::SetUp();
        expectPinnedFonts();
        target = DImage::createImage(40, 40);
        g = target->getGraphics();
    }
    void TearDown() override {
        g = nullptr;
        target = nullptr;
        DFont::cache = nullptr;
        AppFolderTest::TearDown();
    }

    uint16_t at(int x, int y) const { return target->getSurface()->getPixel(x, y); }
    // The box of every pixel that is not white.
    Box drawn() const {
        Box b{40, 40, 0, 0};
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                if (at(x, y) != white) b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x + 1),
                                            std::max(b.bottom, y + 1)};
        return b;
    }
    int count(uint16_t colour) const {
        int n = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) n += at(x, y) == colour;
        return n;
    }
    void wipe() {
        g->setClip(0, 0, 40, 40);
        g->setColor(0xFFFFFF);
        g->fillRect(0, 0, 40, 40);
        g->setColor(0);
    }
    static DImagePtr solid(int w, int h, int argb) {
        dfc::lang::DintArrayPtr pixels = new DintArray(w * h);
        for (int i = 0; i < w * h; ++i) (*pixels)[i] = argb;
        return DImage::createRGBImage(pixels, w, h, false);
    }

    DImagePtr target;
    DGraphicsPtr g;
};

}  // namespace

TEST_F(Graphics, ColoursConvertToRgb565) {
    struct Case {
        int rgb;
        uint16_t pixel;
    };
    const Case cases[] = {
        {0xFF0000, 0xF800}, {0x00FF00, 0x07E0},      {0x0000FF, 0x001F},
        {0xFFFFFF, 0xFFFF}, {0x123456, 0x11AA}, {int(0xFF123456), 0x11AA},  // the top byte is ignored
    };
    for (const Case& c : cases) {
        g->setColor(c.rgb);
        g->fillRect(0, 0, 0, 0);
        EXPECT_EQ(g->getColor(), c.rgb);
        EXPECT_EQ(at(0, 0), c.pixel) << std::hex << c.rgb;
    }
    g->setColorRGB(255, 0, 0);
    g->fillRect(0, 0, 0, 0);
    EXPECT_EQ(g->getColor(), 0xFF0000);
    EXPECT_EQ(at(0, 0), red);
    g->setColorRGB(0x12, 0x34, 0x56);
    g->fillRect(0, 0, 0, 0);
    EXPECT_EQ(g->getColor(), 0x123456);
    EXPECT_EQ(at(0, 0), 0x11AA);
}

TEST_F(Graphics, DrawsInBlackUntilTheFirstColour) {
    EXPECT_EQ(g->getColor(), 0);
    g->fillRect(2, 2, 1, 1);
    EXPECT_EQ(count(black), 4);
}

TEST_F(Graphics, RectanglesCoverOneMoreColumnAndRow) {
    g->fillRect(0, 0, 9, 9);
    EXPECT_EQ(drawn(), (Box{0, 0, 10, 10}));
    EXPECT_EQ(count(black), 100);
    wipe();
    g->drawRect(5, 5, 9, 9);
    EXPECT_EQ(drawn(), (Box{5, 5, 15, 15}));
    EXPECT_EQ(count(black), 36);
}

TEST_F(Graphics, SinglePointLinesAndTextIgnoreTheClip) {
    g->setClip(0, 0, 2, 2);
    g->drawLine(5, 5, 5, 5);
    EXPECT_EQ(at(5, 5), black);
    EXPECT_EQ(count(black), 1);
    g->drawLine(0, 0, 9, 9);
    EXPECT_EQ(count(black), 3) << "a longer line keeps to the clip";
    wipe();
    g->setClip(0, 0, 1, 1);
    g->drawString(u"1", 10, 10, DGraphics::TOP | DGraphics::LEFT);
    EXPECT_EQ(drawn(), (Box{11, 13, 16, 22}));
}

TEST_F(Graphics, ClipWhollyOutsideTurnsDrawingOff) {
    DImagePtr picture = solid(4, 4, int(0xFFFF0000));
    struct Case {
        int x, y, w, h;
        bool draws;
    };
    const Case cases[] = {
        {-10, 0, 10, 20, false}, {40, 0, 5, 5, false},  {0, 40, 5, 5, false}, {0, -5, 5, 5, false},
        {0, 0, 0, 5, false},     {0, 0, 5, 0, false},   {-10, 0, 11, 20, true}, {39, 39, 5, 5, true},
    };
    for (const Case& c : cases) {
        wipe();
        g->setClip(c.x, c.y, c.w, c.h);
        g->fillRect(0, 0, 39, 39);
        g->drawLine(1, 1, 1, 1);
        g->drawLine(0, 0, 39, 39);
        g->drawRect(0, 0, 39, 39);
        g->drawString(u"1", 0, 0, 0);
        g->drawImage(picture, 0, 0, 0);
        g->drawRegion(picture, 36, 36, 0);
        EXPECT_EQ(count(white) < 40 * 40, c.draws) << c.x << "," << c.y << " " << c.w << "x" << c.h;
    }
    // The next clip that meets the target turns it on again.
    g->setClip(0, 0, 40, 40);
    g->fillRect(0, 0, 0, 0);
    EXPECT_EQ(at(0, 0), black);
}

TEST_F(Graphics, ImageAnchorsPreferRightAndBottom) {
    DImagePtr picture = solid(4, 2, int(0xFFFF0000));
    DImagePtr odd = solid(3, 3, int(0xFFFF0000));
    using G = DGraphics;
    struct Case {
        DImagePtr image;
        int anchor;
        Box box;
    };
    const Case cases[] = {
        {picture, 0, {10, 10, 14, 12}},
        {picture, G::LEFT | G::TOP, {10, 10, 14, 12}},
        {picture, G::RIGHT, {6, 10, 10, 12}},
        {picture, G::HCENTER, {8, 10, 12, 12}},
        {picture, G::LEFT | G::RIGHT, {6, 10, 10, 12}},
        {picture, G::HCENTER | G::RIGHT, {6, 10, 10, 12}},
        {picture, G::VCENTER, {10, 9, 14, 11}},
        {picture, G::BOTTOM, {10, 8, 14, 10}},
        {picture, G::VCENTER | G::BOTTOM, {10, 8, 14, 10}},
        {picture, G::TOP | G::BOTTOM, {10, 8, 14, 10}},
        {picture, G::BASELINE, {10, 10, 14, 12}},
        {odd, G::HCENTER | G::VCENTER, {9, 9, 12, 12}},
    };
    for (const Case& c : cases) {
        wipe();
        g->drawImage(c.image, 10, 10, c.anchor);
        EXPECT_EQ(drawn(), c.box) << "anchor " << c.anchor;
    }
}

TEST_F(Graphics, StringAnchorsPreferLeftAndTop) {
    // "1" in the pinned default font: 8 wide, 15 high, baseline 12; its ink lies at
    // columns 1-5 and rows 3-11 of its cell.
    using G = DGraphics;
    const std::pair<int, std::pair<int, int>> cases[] = {
        {0, {0, 0}},
        {G::LEFT | G::TOP, {0, 0}},
        {G::LEFT | G::RIGHT, {0, 0}},
        {G::RIGHT, {-8, 0}},
        {G::HCENTER, {-4, 0}},
        {G::HCENTER | G::RIGHT, {-8, 0}},
        {G::TOP | G::BOTTOM, {0, 0}},
        {G::BOTTOM, {0, -15}},
        {G::VCENTER, {0, -7}},
        {G::VCENTER | G::BOTTOM, {0, -15}},
        {G::BASELINE, {0, -12}},
        {G::VCENTER | G::BASELINE, {0, -7}},
        {G::TOP | G::BASELINE, {0, 0}},
    };
    for (auto [anchor, shift] : cases) {
        wipe();
        g->drawString(u"1", 20, 20, anchor);
        auto [dx, dy] = shift;
        EXPECT_EQ(drawn(), (Box{21 + dx, 23 + dy, 26 + dx, 32 + dy})) << "anchor " << anchor;
    }
}

TEST_F(Graphics, TextSkipsCharactersTheFontLacksAndNullTexts) {
    g->drawString(u"11", 0, 0, 0);
    Box both = drawn();
    wipe();
    g->drawString(u"1\u20AC1", 0, 0, 0);
    EXPECT_EQ(drawn(), both);
    wipe();
    g->drawString(nullptr, 0, 0, 0);
    EXPECT_EQ(count(white), 40 * 40);
}

TEST_F(Graphics, RegionDrawsTheKeyPixelsAndKeepsTheKey) {
    dfc::lang::DintArrayPtr pixels =
        new DintArray(4, int(0xFFFF00FF), int(0xFFFF0000), int(0xFFFF0000), int(0xFFFF00FF));
    DImagePtr picture = DImage::createRGBImage(pixels, 2, 2, false);
    g->drawImage(picture, 0, 0, 0);
    EXPECT_EQ(at(0, 0), white);
    EXPECT_EQ(at(1, 0), red);
    g->drawRegion(picture, 10, 0, 0);
    EXPECT_EQ(at(10, 0), 0xF81F);
    EXPECT_EQ(at(11, 0), red);
    EXPECT_EQ(picture->getSurface()->getColourKey(), 0xF81F);
}

TEST_F(Graphics, NullImageOrFontIsNamedInTheException) {
    EXPECT_TRUE(namesNull("DImage", [&] { g->drawImage(nullptr, 0, 0, 0); }));
    EXPECT_TRUE(namesNull("DImage", [&] { g->drawRegion(nullptr, 0, 0, 0); }));
    g->setFont(nullptr);
    EXPECT_FALSE(g->getFont());
    EXPECT_TRUE(namesNull("DFont", [&] { g->drawString(u"x", 0, 0, 0); }));
}
