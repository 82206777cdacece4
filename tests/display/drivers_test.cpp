// The drivers against the simulated hardware: what they push, where they wait, what they leave.
#include <algorithm>
#include "display_fixture.h"
#include "gdidriver.h"

namespace {

class Drivers : public DisplayFixture, public ::testing::Test {
protected:
    void TearDown() override { StopDevice(); }

    static bool Called(const std::string& call) {
        const auto& calls = platform::libraryCalls();
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
};

struct DmaCase {
    RECT dirty;
    const char* transfer;
};

// The transfer starts on a multiple of 4 pixels and reaches past the rectangle's right edge.
TEST_F(Drivers, PushesTheDirtyRectangleByDmaInWholeGroupsOfFour) {
    const DmaCase cases[] = {
        {{5, 0, 10, 4}, "DmaDRAMtoVRAM(4,0,8,4)"},
        {{3, 0, 6, 1}, "DmaDRAMtoVRAM(0,0,8,1)"},
        {{7, 2, 9, 3}, "DmaDRAMtoVRAM(4,2,8,1)"},
        {{170, 210, 176, 220}, "DmaDRAMtoVRAM(168,210,8,10)"},
    };
    for (const DmaCase& c : cases) {
        StartDevice("smartphone-dma");
        EXPECT_EQ(ShowPatternThenChange(window, c.dirty), "") << c.transfer;
        EXPECT_TRUE(Called(c.transfer)) << c.transfer;
        StopDevice();
    }
}

// A panel mounted every way, drawn through GAPI's buffer in system memory: the viewport names
// the rows of GAPI's own picture that the dirty rectangle touches.
platform::Profile Mounted(int mounting) {
    platform::Profile p = *platform::findProfile("landscape");
    p.panel.width = mounting % 2 ? 320 : 240;
    p.panel.height = mounting % 2 ? 240 : 320;
    p.panel.mounting = mounting;
    return p;
}

// Whichever way the panel is mounted, GAPI's picture is the upright one: the viewport is the
// rows of the upright block, however the rotation turned the rectangle on the way.
TEST_F(Drivers, SetsGapisViewportToTheUprightRows) {
    for (int mounting = 0; mounting < 4; ++mounting) {
        static platform::Profile profile;
        profile = Mounted(mounting);
        StartDevice(profile);
        EXPECT_EQ(ShowPatternThenChange(window, RECT{5, 7, 20, 9}), "") << mounting;
        EXPECT_TRUE(Called("GXSetViewport(7,2,0,0)")) << mounting;
        StopDevice();
    }
}

// Hardware that never answers holds the program up for about 100 ms, no more.
TEST_F(Drivers, WaitsOnHardwareThatNeverAnswersOnlyAWhile) {
    static platform::Profile stuckScan = *platform::findProfile("ipaq3800");
    stuckScan.lcd.scanning = false;
    static platform::Profile stuckXScale = *platform::findProfile("xscale");
    stuckXScale.lcd.scanning = false;
    static platform::Profile busyDma = *platform::findProfile("smartphone-dma");
    busyDma.dmaMicros = 60 * 1000 * 1000;
    static platform::Profile busyChip = *platform::findProfile("e740");
    busyChip.imageonCompletes = false;
    for (const platform::Profile* p : {&stuckScan, &stuckXScale, &busyDma, &busyChip}) {
        StartDevice(*p);
        DisplayParameters params{176, 220, 0, SWAP_DISCARD};
        Display* display = CreateDisplay(&params);
        ASSERT_NE(display, nullptr) << p->name;
        DWORD before = GetTickCount();
        for (int frame = 0; frame < 2; ++frame) {
            ASSERT_TRUE(display->BeginScene()) << p->name;
            EXPECT_TRUE(display->Swap(SWAP_WAIT)) << p->name;
        }
        DWORD waited = GetTickCount() - before;
        EXPECT_GE(waited, 100u) << p->name;
        EXPECT_LE(waited, 2 * 110u) << p->name;
        delete display;
        StopDevice();
    }
}

TEST_F(Drivers, WaitsForTheScanOfARunningLcdLessThanAFrame) {
    for (const char* name : {"ipaq3800", "xscale"}) {
        StartDevice(name);
        DisplayParameters params{176, 220, 0, SWAP_DISCARD};
        Display* display = CreateDisplay(&params);
        ASSERT_NE(display, nullptr);
        for (int frame = 0; frame < 5; ++frame) {
            ASSERT_TRUE(display->BeginScene());
            DWORD before = GetTickCount();
            display->Swap(SWAP_WAIT);
            EXPECT_LE(GetTickCount() - before, 17u) << name;
            Sleep(7);
        }
        delete display;
        StopDevice();
    }
}

TEST_F(Drivers, ReachesTheIpaqFrameMemoryByWhicheverAliasIsThere) {
    static platform::Profile uncachedOnly = *platform::findProfile("ipaq3800");
    uncachedOnly.kernelAliases.erase(uncachedOnly.kernelAliases.begin());
    static platform::Profile noAlias = *platform::findProfile("ipaq3800");
    noAlias.kernelAliases.clear();
    for (const platform::Profile* p : {&uncachedOnly, &noAlias}) {
        StartDevice(*p);
        EXPECT_EQ(ShowPatternThenChange(window, RECT{100, 200, 140, 230}), "") << p->kernelAliases.size();
        StopDevice();
    }
}

TEST_F(Drivers, ShowsTheImageonOverlayOnlyWhileActive) {
    StartDevice("e740");
    DisplayParameters params{176, 220, 0, SWAP_DISCARD};
    Display* display = CreateDisplay(&params);
    ASSERT_NE(display, nullptr);
    ASSERT_TRUE(display->BeginScene());
    DrawFrame(display->GetBackBuffer());
    display->Swap(0);
    EXPECT_EQ(PanelMismatch(240, 320), "");
    SendMessageW(window, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_NE(PanelMismatch(240, 320), "");
    SendMessageW(window, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(PanelMismatch(240, 320), "");
    delete display;
    EXPECT_TRUE(Called("AtiCore_ReleaseOverlay(1)"));
    EXPECT_EQ(platform::libraryCalls().back(), "AtiCore_ProcessDetach()");
}

TEST_F(Drivers, GdiLeavesTheScreenAloneOnceTheWindowIsGone) {
    StartDevice("desktop");
    GDIDriver gdi;
    VideoMode detected{320, 240, 24, 0, 0, 0, nullptr};
    ASSERT_TRUE(gdi.Initialize(window, DisplayParameters{176, 220, 0, SWAP_DISCARD}, detected));
    EXPECT_FALSE(gdi.Initialize(window, DisplayParameters{176, 220, 0, SWAP_DISCARD}, detected));
    EXPECT_EQ(gdi.mode.swapCapability, SWAP_CAPABILITY_KEEP);
    EXPECT_EQ(gdi.mode.pitch, 640u);
    DrawFrame(gdi.GetSurface());
    gdi.SetDirtyRect(RECT{0, 0, 320, 240});
    DestroyWindow(window);
    gdi.Present(0);
    const platform::Picture& picture = platform::screen();
    EXPECT_TRUE(std::all_of(picture.pixels.begin(), picture.pixels.end(), [](uint16_t p) { return p == 0xFFFF; }));
}

}  // namespace
