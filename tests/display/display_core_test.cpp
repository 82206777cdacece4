// The display over its driver: what it keeps, what it copies, how it follows its window.
#include "display_fixture.h"
#include "displaybase.h"
#include "stub_driver.h"

namespace {

// A display whose driver the test makes; the display owns it.
class StubDisplay : public DisplayBase {
public:
    explicit StubDisplay(StubDriver* driver) : DisplayBase(nullptr), stub(driver) {}
    VideoDriver* CreateDriver(const DisplayParameters&) override { return stub; }
    StubDriver* stub;
};

struct Settlement {
    DWORD capability;
    DWORD requested;
    DWORD swapEffect;
    bool ownBackBuffer;
};

TEST(DisplayBaseTest, SettlesTheSwapEffectAndTheBackBufferByTheDriversCapability) {
    const Settlement cases[] = {
        {SWAP_CAPABILITY_NONE, SWAP_DISCARD, SWAP_COPY, true},
        {SWAP_CAPABILITY_NONE, SWAP_COPY, SWAP_COPY, true},
        {SWAP_CAPABILITY_DISCARD, SWAP_DISCARD, SWAP_DISCARD, false},
        {SWAP_CAPABILITY_DISCARD, SWAP_COPY, SWAP_COPY, true},
        {SWAP_CAPABILITY_KEEP, SWAP_DISCARD, SWAP_COPY, false},
        {SWAP_CAPABILITY_KEEP, SWAP_COPY, SWAP_COPY, false},
    };
    for (const Settlement& c : cases) {
        auto* driver = new StubDriver(240, 320, 480, 0, c.capability);
        StubDisplay display(driver);
        ASSERT_TRUE(display.Initialize(DisplayParameters{176, 220, 0, c.requested}));
        const DisplayParameters& p = display.Parameters();
        EXPECT_EQ(p.swapEffect, c.swapEffect) << "capability " << c.capability << ", asked " << c.requested;
        EXPECT_EQ(p.width, 240u);
        EXPECT_EQ(p.height, 320u);
        ASSERT_TRUE(display.BeginScene());
        EXPECT_EQ(display.GetBackBuffer() != &driver->surface, c.ownBackBuffer)
            << "capability " << c.capability << ", asked " << c.requested;
    }
}

// The driver gets the clamped rectangle; the display copies it widened to even bounds.
struct DirtyCase {
    RECT asked;
    RECT toDriver;
    RECT copied;
};

TEST(DisplayBaseTest, ClampsTheDirtyRectangleAndCopiesItWidenedToEvenBounds) {
    const DirtyCase cases[] = {
        {{-5, -5, 1000, 1000}, {0, 0, 240, 320}, {0, 0, 240, 320}},
        {{3, 3, 7, 7}, {3, 3, 7, 7}, {2, 2, 8, 8}},
        {{10, 10, 10, 20}, {0, 0, 0, 0}, {0, 0, 0, 0}},
        {{239, 319, 240, 320}, {239, 319, 240, 320}, {238, 318, 240, 320}},
    };
    for (const DirtyCase& c : cases) {
        auto* driver = new StubDriver(240, 320, 480, 0, SWAP_CAPABILITY_NONE);
        StubDisplay display(driver);
        ASSERT_TRUE(display.Initialize(DisplayParameters{176, 220, 0, SWAP_DISCARD}));
        ASSERT_TRUE(display.BeginScene());
        Surface* back = display.GetBackBuffer();
        for (DWORD y = 0; y < back->height; ++y)
            for (DWORD x = 0; x < back->width; ++x) *back->pixelAddress(x, y) = Pattern(int(x), int(y));
        display.SetDirtyRect(&c.asked);
        EXPECT_EQ(driver->dirtyRects.back(), c.toDriver) << c.asked;
        ASSERT_TRUE(display.Swap(0));
        for (LONG y = 0; y < 320; ++y) {
            for (LONG x = 0; x < 240; ++x) {
                bool inside = x >= c.copied.left && x < c.copied.right && y >= c.copied.top && y < c.copied.bottom;
                uint16_t expected = inside ? Pattern(x, y) : 0xEEEE;
                ASSERT_EQ(driver->Pixel(x, y), expected) << c.asked << " at " << x << ", " << y;
            }
        }
    }
}

// An odd-sized screen: the even bounds stop at its edge, and rows whose pitches differ are
// copied one by one.
TEST(DisplayBaseTest, CopiesAnOddSizedScreenWithoutRunningPastIt) {
    const RECT cases[] = {{174, 218, 175, 219}, {0, 0, 175, 219}, {-1, 100, 500, 101}};
    for (const RECT& asked : cases) {
        auto* driver = new StubDriver(175, 219, 350, 0, SWAP_CAPABILITY_NONE);
        StubDisplay display(driver);
        ASSERT_TRUE(display.Initialize(DisplayParameters{175, 219, 0, SWAP_DISCARD}));
        ASSERT_TRUE(display.BeginScene());
        Surface* back = display.GetBackBuffer();
        ASSERT_EQ(back->pitch, 352);
        for (DWORD y = 0; y < back->height; ++y)
            for (DWORD x = 0; x < back->width; ++x) *back->pixelAddress(x, y) = Pattern(int(x), int(y));
        display.SetDirtyRect(&asked);
        ASSERT_TRUE(display.Swap(0));
        for (LONG y = std::max(asked.top, LONG(0)); y < std::min(asked.bottom, LONG(219)); ++y)
            for (LONG x = std::max(asked.left, LONG(0)); x < std::min(asked.right, LONG(175)); ++x)
                ASSERT_EQ(driver->Pixel(x, y), Pattern(x, y)) << asked << " at " << x << ", " << y;
    }
}

TEST(DisplayBaseTest, WaitsForTheScanOnlyWhenAskedAndOnlyWithItsOwnBackBuffer) {
    auto* copying = new StubDriver(240, 320, 480, 0, SWAP_CAPABILITY_NONE);
    StubDisplay withBackBuffer(copying);
    ASSERT_TRUE(withBackBuffer.Initialize(DisplayParameters{176, 220, 0, SWAP_DISCARD}));
    auto* direct = new StubDriver(240, 320, 480, 0, SWAP_CAPABILITY_KEEP);
    StubDisplay drawingStraight(direct);
    ASSERT_TRUE(drawingStraight.Initialize(DisplayParameters{176, 220, 0, SWAP_DISCARD}));
    for (StubDisplay* d : {&withBackBuffer, &drawingStraight}) {
        EXPECT_FALSE(d->Swap(SWAP_WAIT));  // no frame begun
        ASSERT_TRUE(d->BeginScene());
        EXPECT_TRUE(d->Swap(0));
        ASSERT_TRUE(d->BeginScene());
        EXPECT_TRUE(d->Swap(SWAP_WAIT));
    }
    EXPECT_EQ(copying->waits, 1);
    EXPECT_EQ(direct->waits, 0);
    EXPECT_EQ(copying->presents, 2);
    EXPECT_EQ(direct->presents, 2);
}

class DisplayWindow : public DisplayFixture, public ::testing::Test {
protected:
    void TearDown() override { StopDevice(); }

    static LRESULT Counting(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_DESTROY) ++destroys;
        return DefWindowProcW(w, message, wParam, lParam);
    }
    static inline int destroys = 0;
};

TEST_F(DisplayWindow, StopsDrawingWhileTheWindowIsInactive) {
    StartDevice("pocketpc");
    DisplayParameters p{176, 220, 0, 1};
    Display* display = CreateDisplay(&p);
    ASSERT_NE(display, nullptr);
    platform::libraryCalls().clear();

    SendMessageW(window, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(display->BeginScene());
    EXPECT_FALSE(display->Swap(0));
    EXPECT_EQ(display->GetBackBuffer(), nullptr);
    SendMessageW(window, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(display->BeginScene());
    EXPECT_TRUE(display->Swap(0));

    const std::vector<std::string> calls = platform::libraryCalls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "SHFullScreen(21)"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "SHFullScreen(42)"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "GXSuspend()"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "GXResume()"), 1);
    delete display;
}

TEST_F(DisplayWindow, TakesOverTheWindowAndGivesItBack) {
    StartDevice("desktop");
    SetWindowLongW(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(Counting));
    DisplayParameters p{176, 220, 0, 1};
    Display* display = CreateDisplay(&p);
    ASSERT_NE(display, nullptr);
    EXPECT_NE(GetWindowLongW(window, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(Counting));
    EXPECT_EQ(platform::libraryCalls().back(), "SHFullScreen(42)");
    delete display;
    EXPECT_EQ(GetWindowLongW(window, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(Counting));
    EXPECT_EQ(platform::libraryCalls().back(), "AllKeys(0)");

    // A window destroyed under the display hands on its last message and is forgotten.
    display = CreateDisplay(&p);
    ASSERT_NE(display, nullptr);
    destroys = 0;
    DestroyWindow(window);
    EXPECT_EQ(destroys, 1);
    delete display;
}

TEST_F(DisplayWindow, FailsCleanlyForNoWindowOrAnOrientationTheDeviceLacks) {
    static platform::Profile across = *platform::findProfile("smartphone");
    across.panel.width = 176;
    across.panel.height = 220;
    across.panel.mounting = 1;
    across.screenWidth = 220;
    across.screenHeight = 176;
    StartDevice(across);
    LONG_PTR original = GetWindowLongW(window, GWL_WNDPROC);
    DisplayParameters p{176, 220, 2, 1};
    EXPECT_EQ(CreateDisplay(&p), nullptr);
    EXPECT_EQ(GetWindowLongW(window, GWL_WNDPROC), original);
    EXPECT_EQ(p.orientation, 2u);
    EXPECT_EQ(Display::Create(nullptr, &p), nullptr);
    p.orientation = ORIENTATION_ANY;
    Display* display = CreateDisplay(&p);
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(p.orientation, 1u);
    EXPECT_EQ(p.width, 176u);
    delete display;
}

TEST_F(DisplayWindow, RefusesASeventeenthWindow) {
    StartDevice("desktop");
    std::vector<Display*> displays;
    std::vector<HWND> windows;
    for (int i = 0; i < 17; ++i) {
        windows.push_back(CreateWindowExW(0, u"DisplayTest", u"more", WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr,
                                          nullptr, nullptr));
        DisplayParameters p{176, 220, 0, 1};
        displays.push_back(Display::Create(windows.back(), &p));
    }
    for (int i = 0; i < 16; ++i) EXPECT_NE(displays[i], nullptr) << i;
    EXPECT_EQ(displays[16], nullptr);
    LONG_PTR original = GetWindowLongW(window, GWL_WNDPROC);
    EXPECT_EQ(GetWindowLongW(windows[16], GWL_WNDPROC), original);
    for (Display* d : displays) delete d;
}

TEST_F(DisplayWindow, ReportsASwapEffectOfNoneAsDiscard) {
    StartDevice("mediaq");
    DisplayParameters p{176, 220, 0, 0};
    Display* display = CreateDisplay(&p);
    ASSERT_NE(display, nullptr);
    EXPECT_EQ(p.swapEffect, SWAP_DISCARD);
    EXPECT_EQ(display->GetParameters().swapEffect, SWAP_DISCARD);
    delete display;
}

TEST_F(DisplayWindow, ListsTheModesTheDeviceOffers) {
    StartDevice("pocketpc");
    DisplayParameters p{176, 220, 0, 1};
    Display* display = CreateDisplay(&p);
    ASSERT_NE(display, nullptr);
    ASSERT_EQ(display->GetModeCount(), 4u);
    DisplayMode mode{};
    ASSERT_TRUE(display->GetModeInfo(1, &mode));
    EXPECT_EQ(mode.width, 320u);
    EXPECT_EQ(mode.height, 240u);
    EXPECT_EQ(mode.orientation, 1u);
    EXPECT_FALSE(display->GetModeInfo(4, &mode));
    EXPECT_FALSE(display->GetModeInfo(0, nullptr));
    delete display;
}

TEST_F(DisplayWindow, WorksWithoutTheShellAndKeyEntryPoints) {
    static platform::Profile bare = *platform::findProfile("pocketpc");
    bare.libraries.erase(bare.libraries.begin(), bare.libraries.begin() + 2);  // no coredll extras, no aygshell
    StartDevice(bare);
    DisplayParameters p{176, 220, 0, 1};
    Display* display = CreateDisplay(&p);
    ASSERT_NE(display, nullptr);
    SendMessageW(window, WM_ACTIVATE, WA_INACTIVE, 0);
    SendMessageW(window, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(display->BeginScene());
    delete display;
    for (const std::string& call : platform::libraryCalls()) EXPECT_EQ(call.find("SHFullScreen"), std::string::npos);
}

}  // namespace
