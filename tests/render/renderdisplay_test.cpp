#include <gtest/gtest.h>
#include <memory>
#include "../display/display_fixture.h"
#include "canvas.h"
#include "renderdisplay.h"

namespace {

// A headless device of the given kind with the program's window on it.
class RenderDisplayTest : public DisplayFixture, public ::testing::Test {
protected:
    void start(const std::string& profile) { StartDevice(profile); }
    void TearDown() override {
        screen.reset();
        StopDevice();
    }

    std::unique_ptr<RenderDisplay> open() {
        return std::unique_ptr<RenderDisplay>(RenderDisplay::create(window, {176, 220, 0, 1}));
    }

    // How many panel pixels hold the colour.
    static int shown(uint16_t colour) {
        int n = 0;
        for (uint16_t p : platform::screen().pixels) n += p == colour;
        return n;
    }

    std::unique_ptr<RenderDisplay> screen;
};

}  // namespace

TEST_F(RenderDisplayTest, AFrameDrawnOnTheBackBufferReachesTheScreen) {
    start("smartphone");
    screen = open();
    ASSERT_TRUE(screen);
    const RenderDisplay::Parameters& p = screen->getParameters();
    EXPECT_EQ(176u, p.width);
    EXPECT_EQ(220u, p.height);

    RenderSurface* back = screen->beginFrame();
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(back, screen->getTarget());
    EXPECT_EQ(176, back->width());
    EXPECT_EQ(220, back->height());
    RenderRect clip = screen->getClip();
    EXPECT_EQ(176, clip.right);
    EXPECT_EQ(220, clip.bottom);

    // The display class presents a canvas: its back image blitted whole at (0, 0).
    Canvas canvas(176, 220, 0x001F);
    for (int x = 0; x < 176; ++x) canvas.set(x, 0, 0xF800);
    screen->blit(0, 0, canvas.target());
    screen->endFrame();
    EXPECT_EQ(176, shown(0xF800));
    EXPECT_EQ(176 * 219, shown(0x001F));
    // Between frames there is nothing to draw on, and drawing is harmless.
    EXPECT_EQ(nullptr, back->getSurface());
    screen->clear(0x07E0);
    screen->drawLine(0, 0, 100, 100, 0x07E0);
}

// A display larger than the screens the program is laid out for shows the largest layout that
// fits, centred on black, so nothing the program does not draw stays on the screen.
TEST_F(RenderDisplayTest, ALargerDisplayShowsTheLayoutCentredOnBlack) {
    struct Case {
        const char* profile;
        int width, height;  // the layout's
        int left, top;      // where it shows
    };
    for (const Case& c : {Case{"vga", 240, 320, 120, 160}, Case{"desktop", 176, 220, 72, 10},
                          Case{"pocketpc", 240, 320, 0, 0}}) {
        SCOPED_TRACE(c.profile);
        start(c.profile);
        screen = open();
        ASSERT_TRUE(screen);
        EXPECT_EQ(DWORD(c.width), screen->getParameters().width);
        EXPECT_EQ(DWORD(c.height), screen->getParameters().height);
        for (uint16_t colour : {uint16_t(0xF800), uint16_t(0x07E0)}) {
            RenderSurface* back = screen->beginFrame();
            ASSERT_NE(nullptr, back);
            EXPECT_EQ(c.width, back->width());
            screen->clear(colour);
            screen->endFrame();
            const platform::Picture& panel = platform::screen();
            EXPECT_EQ(c.width * c.height, shown(colour));
            EXPECT_EQ(panel.width * panel.height - c.width * c.height, shown(0x0000));
            EXPECT_EQ(colour, panel.pixels[size_t(c.top * panel.width + c.left)]);
        }
        screen.reset();
        StopDevice();
    }
}

TEST_F(RenderDisplayTest, OnlyTheDirtyRectangleIsPresented) {
    start("xscale");
    screen = open();
    ASSERT_TRUE(screen);
    ASSERT_TRUE(screen->beginFrame());
    screen->clear(0xFFFF);
    screen->endFrame();
    ASSERT_TRUE(screen->setTarget());
    screen->clear(0x0000);
    RenderRect dirty{2, 4, 12, 10};
    screen->endFrame(&dirty);
    EXPECT_EQ(10 * 6, shown(0x0000));
}

TEST_F(RenderDisplayTest, NoFrameWhileSuspended) {
    start("smartphone");
    screen = open();
    ASSERT_TRUE(screen);
    SendMessageW(window, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(nullptr, screen->beginFrame());
    screen->fillRect(0, 0, 10, 10, 0xFFFF);
    screen->endFrame();
    SendMessageW(window, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_NE(nullptr, screen->beginFrame());
    screen->endFrame();
}

TEST_F(RenderDisplayTest, SurfacesItDoesNotOwnOutliveIt) {
    start("smartphone");
    screen = open();
    ASSERT_TRUE(screen);
    // Closed in the middle of a frame: the back buffer is the display's to free.
    RenderSurface* back = screen->beginFrame();
    ASSERT_TRUE(back);
    Canvas canvas(4, 4);
    EXPECT_EQ(back, screen->setTarget(&canvas.target()));
    screen->clear(0xFFFF);
    screen.reset();
    EXPECT_EQ(0xFFFF, canvas.at(3, 3));
    EXPECT_NE(nullptr, canvas.target().getSurface());
}

TEST_F(RenderDisplayTest, NoDisplayWithoutAWindow) {
    start("smartphone");
    EXPECT_EQ(nullptr, RenderDisplay::create(nullptr, {176, 220, 0, 1}));
}
