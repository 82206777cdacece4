#include <string>
#include <vector>
#include "app_folder_test.h"
#include "ce.h"
#include "dcanvas.h"
#include "ddisplay.h"
#include "dexception.h"
#include "dfont.h"
#include "dgraphics.h"
#include "renderdisplay.h"
#include "rendersurface.h"
#include "idle_midlet.h"
#include "null_pointer.h"

using dfc::lang::DIllegalStateExceptionPtr;
using dfc::microedition::lcdui::DCanvas;
using dfc::microedition::lcdui::DCanvasPtr;
using dfc::microedition::lcdui::DDisplay;
using dfc::microedition::lcdui::DDisplayable;
using dfc::microedition::lcdui::DDisplayPtr;
using dfc::microedition::lcdui::DFont;
using dfc::microedition::midlet::DMIDletPtr;

namespace {

std::vector<std::string> notices;

class NamedCanvas : public DCanvas {
public:
    explicit NamedCanvas(std::string name) : name(std::move(name)) {}
    void showNotify() override { notices.push_back(name + " show, shown " + std::to_string(shown)); }
    void hideNotify() override { notices.push_back(name + " hide, shown " + std::to_string(shown)); }

    // Fills the back buffer with one colour.
    void paint(int rgb) {
        auto g = getGraphics();
        g->setColor(rgb);
        g->fillRect(0, 0, width, height);
    }

    std::string name;
};

// The program's window with the renderer's screen on it, an application and its display.
class Canvas : public AppFolderTest {
protected:
    void SetUp() override {
        AppFolderTest::SetUp();
        notices.clear();
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = u"CanvasTest";
        RegisterClassW(&wc);
        window = CreateWindowExW(0, u"CanvasTest", u"canvas", WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                 GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr);
        screen.reset(RenderDisplay::create(window, {176, 220, 0, 1}));
        ASSERT_TRUE(screen);
        application = new IdleMidlet();
    }
    void TearDown() override {
        if (application) application->display = nullptr;
        display = nullptr;
        application = nullptr;
        screen.reset();
        DFont::cache = nullptr;
        AppFolderTest::TearDown();
    }

    void open() { display = new DDisplay(screen.get()); }
    void suspend(bool inactive) { SendMessageW(window, WM_ACTIVATE, inactive ? WA_INACTIVE : WA_ACTIVE, 0); }
    static int shown(uint16_t colour) {
        int n = 0;
        for (uint16_t p : platform::screen().pixels) n += p == colour;
        return n;
    }

    HWND window = nullptr;
    std::unique_ptr<RenderDisplay> screen;
    DMIDletPtr application;
    DDisplayPtr display;
};

constexpr int everyPixel = 176 * 220;

}  // namespace

TEST_F(Canvas, TakesTheSizeOfTheDevicesBackBuffer) {
    open();
    EXPECT_EQ(DDisplay::getDisplay(application).get(), display.get());
    EXPECT_EQ(display->width, 176);
    EXPECT_EQ(display->height, 220);
    DCanvasPtr canvas = new NamedCanvas("a");
    EXPECT_EQ(canvas->width, 176);
    EXPECT_EQ(canvas->height, 220);
    EXPECT_EQ(canvas->getBackBuffer()->width(), 176);
    EXPECT_EQ(canvas->getBackBuffer()->height(), 220);
    EXPECT_NE(canvas->getGraphics().get(), canvas->getGraphics().get());
}

TEST_F(Canvas, SetCurrentHidesTheOldThenShowsTheNew) {
    open();
    DCanvasPtr a = new NamedCanvas("a"), b = new NamedCanvas("b");
    display->setCurrent(a);
    EXPECT_TRUE(a->shown);
    display->setCurrent(b);
    EXPECT_FALSE(a->shown);
    EXPECT_TRUE(b->shown);
    display->setCurrent(b);
    display->setCurrent(nullptr);
    EXPECT_FALSE(b->shown);
    EXPECT_FALSE(display->getCurrent());
    const std::vector<std::string> expected = {
        "a show, shown 0", "a hide, shown 1", "b show, shown 0", "b hide, shown 1",
        "b show, shown 0", "b hide, shown 1",
    };
    EXPECT_EQ(notices, expected);
}

TEST_F(Canvas, RepaintPresentsOnlyWhileShown) {
    open();
    auto a = new NamedCanvas("a");
    auto b = new NamedCanvas("b");
    DCanvasPtr holdA = a, holdB = b;
    a->paint(0xFF0000);
    b->paint(0x0000FF);

    a->repaint();
    EXPECT_EQ(shown(0xF800), 0) << "not shown yet";
    display->setCurrent(holdA);
    EXPECT_EQ(shown(0xF800), 0) << "setCurrent presents nothing";
    a->repaint();
    EXPECT_EQ(shown(0xF800), everyPixel);

    display->setCurrent(holdB);
    a->paint(0x00FF00);
    a->repaint();
    EXPECT_EQ(shown(0x07E0), 0) << "a replaced canvas is not presented";
    b->repaint();
    EXPECT_EQ(shown(0x001F), everyPixel);

    display->setCurrent(nullptr);
    DDisplay::flush();
    EXPECT_EQ(shown(0x001F), everyPixel);
}

TEST_F(Canvas, DisplayableThatIsNoCanvasIsNeitherNotifiedNorPresented) {
    open();
    display->setCurrent(new DDisplayable());
    EXPECT_TRUE(display->getCurrent()->shown);
    DDisplay::flush();
    display->setCurrent(nullptr);
    EXPECT_TRUE(notices.empty());
}

TEST_F(Canvas, FlushSkipsAFrameTheDeviceCannotBegin) {
    open();
    auto a = new NamedCanvas("a");
    display->setCurrent(a);
    a->paint(0xFF0000);
    suspend(true);
    a->repaint();
    EXPECT_EQ(shown(0xF800), 0);
    suspend(false);
    a->repaint();
    EXPECT_EQ(shown(0xF800), everyPixel);
}

TEST_F(Canvas, DisplayWithoutABackBufferCarriesNoCanvas) {
    suspend(true);
    open();
    EXPECT_EQ(display->width, 0);
    EXPECT_EQ(display->height, 0);
    EXPECT_THROW(new NamedCanvas("a"), DIllegalStateExceptionPtr);
}

TEST_F(Canvas, MissingApplicationOrDisplayIsNamed) {
    EXPECT_TRUE(namesNull("DDisplay", [] { new NamedCanvas("a"); }));
    EXPECT_TRUE(namesNull("DMIDlet", [] { DDisplay::getDisplay(nullptr); }));
}
