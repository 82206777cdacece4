// Whether the pictures of a frame set every pixel of the screen: only then may the fill under
// them be left out.
#include <gtest/gtest.h>
#include <vector>
#include "dgraphics.h"
#include "dimage.h"
#include "screencanvas.h"
#include "screencover.h"

using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;

namespace {

struct Placed {
    int x, y, width, height;
    bool keyed = false;
    // The clip it is drawn with; a width of 0 for none.
    int clipX = 0, clipY = 0, clipWidth = 0, clipHeight = 0;
};

struct Case {
    const char* what;
    std::vector<Placed> pictures;
    bool whole;
};

DImagePtr picture(const Placed& p) {
    const DImagePtr image = DImage::createImage(p.width, p.height);
    if (p.keyed) {
        const auto g = image->getGraphics();
        g->setColor(0xFF00FF);  // the colour key in RGB565
        g->fillRect(1, 1, 0, 0);
    }
    return image;
}

class ScreenCoverTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedWidth = ScreenCanvas::screenWidth;
        savedHeight = ScreenCanvas::screenHeight;
        ScreenCanvas::screenWidth = 40;
        ScreenCanvas::screenHeight = 30;
    }
    void TearDown() override {
        ScreenCanvas::screenWidth = savedWidth;
        ScreenCanvas::screenHeight = savedHeight;
    }
    int savedWidth = 0, savedHeight = 0;
};

TEST_F(ScreenCoverTest, TellsWhetherEveryPixelIsSet) {
    const Case cases[] = {
        {"one picture larger than the screen", {{-5, -5, 60, 50}}, true},
        {"one picture a pixel short on the right", {{0, 0, 39, 30}}, false},
        {"one picture a pixel short at the bottom", {{0, 0, 40, 29}}, false},
        {"a picture with a key pixel", {{0, 0, 40, 30, true}}, false},
        {"side panels and a middle that meet", {{0, 0, 10, 30}, {30, 0, 10, 30}, {10, -8, 20, 50}}, true},
        {"side panels and a middle with a gap", {{0, 0, 10, 30}, {31, 0, 9, 30}, {10, 0, 20, 30}}, false},
        {"a field above a bottom panel", {{0, -100, 40, 120}, {0, 20, 40, 10}}, true},
        {"a field and a panel leaving a row", {{0, 0, 40, 19}, {0, 20, 40, 10}}, false},
        {"a tall picture clipped short of the bottom",
         {{0, 0, 10, 30}, {30, 0, 10, 30}, {10, 0, 20, 40, false, 10, 0, 20, 24}},
         false},
        {"two clipped copies that fill the band",
         {{0, 0, 10, 30}, {30, 0, 10, 30}, {10, 12, 20, 40, false, 10, 0, 20, 30},
          {10, -28, 20, 40, false, 10, 0, 20, 30}},
         true},
        {"nothing", {}, false},
    };
    for (const Case& c : cases) {
        ScreenCover cover;
        for (const Placed& p : c.pictures) {
            if (p.clipWidth > 0) cover.add(picture(p), p.x, p.y, p.clipX, p.clipY, p.clipWidth, p.clipHeight);
            else cover.add(picture(p), p.x, p.y);
        }
        EXPECT_EQ(cover.whole(), c.whole) << c.what;
    }
}

TEST_F(ScreenCoverTest, AMissingPictureCoversNothing) {
    ScreenCover cover;
    cover.add(nullptr, 0, 0);
    EXPECT_FALSE(cover.whole());
}

}  // namespace
