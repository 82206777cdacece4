// What detection finds on each device, which driver it opens, and what it falls back to.
#include <algorithm>
#include <typeinfo>
#include <vector>
#include "cputype.h"
#include "devicemodel.h"
#include "display_fixture.h"
#include "driverdirect.h"
#include "drivergapi.h"
#include "driverimageon100.h"
#include "driverstrongarm.h"
#include "drivervga.h"
#include "driverxscale.h"
#include "gdidriver.h"
#include "slowfb.h"
#include "strides.h"
#include "stub_driver.h"
#include "videodetect.h"

inline bool operator==(const DisplayMode& a, const DisplayMode& b) {
    return a.width == b.width && a.height == b.height && a.orientation == b.orientation;
}

inline std::ostream& operator<<(std::ostream& out, const DisplayMode& m) {
    return out << "(" << m.width << ", " << m.height << ", " << m.orientation << ")";
}

namespace {

class Detection : public DisplayFixture, public ::testing::Test {
protected:
    void TearDown() override { StopDevice(); }

    VideoDetect& Detect() {
        VideoDetect::window = window;
        return VideoDetect::Instance();
    }

    std::vector<DWORD> Candidates() {
        VideoDetect& d = Detect();
        return std::vector<DWORD>(d.candidates, d.candidates + d.candidateCount);
    }

    // The class of the driver detection opens for the usual request, or "none".
    std::string Opened(HWND w, DWORD orientation = 0) {
        DisplayParameters p{176, 220, orientation, SWAP_DISCARD};
        VideoDriver* driver = Detect().InitializeDriver(w, p);
        std::string name = driver ? typeid(*driver).name() : "none";
        delete driver;
        return name;
    }

    template <typename T>
    static std::string Name() {
        return typeid(T).name();
    }
};

struct DeviceCase {
    const char* profile;
    std::vector<DWORD> candidates;
    std::string driver;
};

TEST_F(Detection, FindsTheDriversEachDeviceOffersAndOpensTheBest) {
    const DeviceCase cases[] = {
        {"smartphone", {DRIVER_GDI, DRIVER_GAPI}, Name<DriverGAPI>()},
        {"pocketpc", {DRIVER_GDI, DRIVER_GAPI}, Name<DriverGAPI>()},
        {"smartphone-dma", {DRIVER_GDI, DRIVER_DIRECT}, Name<DriverDirect>()},
        {"landscape", {DRIVER_GDI, DRIVER_GAPI}, Name<DriverGAPI>()},
        {"xscale", {DRIVER_GDI, DRIVER_GAPI, DRIVER_XSCALE}, Name<DriverXScale>()},
        {"ipaq3800", {DRIVER_GDI, DRIVER_GAPI, DRIVER_STRONGARM}, Name<DriverStrongARM>()},
        {"e740", {DRIVER_GDI, DRIVER_GAPI, DRIVER_IMAGEON100}, Name<DriverImageon100>()},
        {"mediaq", {DRIVER_GDI, DRIVER_GAPI, DRIVER_MEDIAQ}, Name<SlowFB>()},
        {"vga", {DRIVER_GDI, DRIVER_GAPI, DRIVER_VGA}, Name<DriverVGA>()},
        {"desktop", {DRIVER_GDI}, Name<GDIDriver>()},
    };
    for (const DeviceCase& c : cases) {
        StartDevice(c.profile);
        EXPECT_EQ(Candidates(), c.candidates) << c.profile;
        EXPECT_EQ(Opened(window), c.driver) << c.profile;
        StopDevice();
    }
}

TEST_F(Detection, FallsBackWhenADriverFailsOrFaults) {
    static platform::Profile noOverlay = *platform::findProfile("e740");
    noOverlay.imageonOverlays = 0;
    StartDevice(noOverlay);
    EXPECT_EQ(Opened(window), Name<DriverGAPI>());
    // A window that is gone leaves only GDI, which draws wherever it is told.
    EXPECT_EQ(Opened(nullptr), Name<GDIDriver>());
    StopDevice();

    static platform::Profile faulting = *platform::findProfile("e740");
    faulting.faultingEntries = {u"AtiCore_SetupOverlay"};
    StartDevice(faulting);
    EXPECT_EQ(Opened(window), Name<DriverGAPI>());
    // The overlay driver's attachment went with it.
    const auto& calls = platform::libraryCalls();
    auto fault = std::find_if(calls.begin(), calls.end(),
                              [](const std::string& c) { return c.rfind("AtiCore_SetupOverlay", 0) == 0; });
    EXPECT_NE(std::find(fault, calls.end(), "AtiCore_ProcessDetach()"), calls.end());
}

// Frame memory of 176 x 220 pixels mounted a quarter turn: the display libraries report a
// 220 x 176 picture across the memory.
platform::Profile Turned(int mounting, int width = 176, int height = 220) {
    platform::Profile p = *platform::findProfile("pocketpc");
    p.panel.width = width;
    p.panel.height = height;
    p.panel.mounting = mounting;
    p.screenWidth = mounting % 2 ? height : width;
    p.screenHeight = mounting % 2 ? width : height;
    return p;
}

struct ModeCase {
    int mounting;
    int width;
    int height;
    std::vector<DisplayMode> modes;
};

TEST_F(Detection, ListsEveryTurnOfWholeTileScreensAndOnlyTheNativeOneOfOthers) {
    const ModeCase cases[] = {
        {0, 240, 320, {{240, 320, 0}, {320, 240, 1}, {240, 320, 2}, {320, 240, 3}}},
        {1, 176, 220, {{176, 220, 1}, {220, 176, 0}}},
        {2, 176, 220, {{176, 220, 2}, {176, 220, 0}}},
        {0, 176, 220, {{176, 220, 0}}},
    };
    for (const ModeCase& c : cases) {
        static platform::Profile profile;
        profile = Turned(c.mounting, c.width, c.height);
        StartDevice(profile);
        VideoDetect& d = Detect();
        EXPECT_EQ(std::vector<DisplayMode>(d.modes, d.modes + d.modeCount), c.modes) << c.mounting;
        StopDevice();
    }
}

TEST_F(Detection, OpensNoDriverForAnOrientationTheDeviceLacks) {
    static platform::Profile profile = Turned(1);
    StartDevice(profile);
    EXPECT_EQ(Opened(window, 2), "none");
    EXPECT_EQ(Opened(window, 3), "none");
    EXPECT_EQ(Opened(window, ORIENTATION_ANY), Name<DriverGAPI>());
    EXPECT_EQ(Opened(window, 1), Name<DriverGAPI>());
    // Orientation 0 needs the picture turned, which the display does on top of the driver.
    EXPECT_EQ(Opened(window, 0), Name<DriverGAPI>());
}

TEST(DeviceModelTest, KnowsADeviceByTheStartOfItsOemText) {
    const struct {
        const char16_t* oem;
        DeviceModel model;
    } cases[] = {
        {u"Compaq iPAQ H3800", MODEL_IPAQ_H3800},   {u"COMPAQ IPAQ H3870 Pocket PC", MODEL_UNKNOWN},
        {u"compaq ipaq h3800 series", MODEL_IPAQ_H3800}, {u"Compaq iPAQ", MODEL_UNKNOWN},
        {u"Compale P6C", MODEL_COMPALE_P6C},        {u"Typhoon M500", MODEL_TYPHOON},
        {u"TOSHIBA E310", MODEL_TOSHIBA_E310},      {u"Toshiba e330 Pocket PC", MODEL_TOSHIBA_E330},
        {u"Toshiba e740", MODEL_TOSHIBA_E740},      {u"toshiba E750", MODEL_TOSHIBA_E750},
        {u"Toshiba e7", MODEL_UNKNOWN},             {u"", MODEL_UNKNOWN},
    };
    for (const auto& c : cases) EXPECT_EQ(DeviceModelOf(c.oem), c.model) << platform::narrow(c.oem);
}

TEST(CPUTypeTest, KnowsTheFamilyByTheIdentificationRegister) {
    const struct {
        DWORD id;
        CPUType type;
    } cases[] = {
        {0x69052100, CPU_XSCALE},    {0x69052FFF, CPU_XSCALE}, {0x69054117, CPU_OTHER},
        {0x6901B119, CPU_STRONGARM}, {0x69010000, CPU_STRONGARM}, {0x6902B119, CPU_OTHER},
        {0x41129200, CPU_OTHER},     {0, CPU_OTHER},
    };
    for (const auto& c : cases) EXPECT_EQ(CPUTypeOf(c.id), c.type) << std::hex << c.id;
}

TEST_F(Detection, ReadsTheProcessorInKernelModeAndTakesAFaultAsNeither) {
    const struct {
        const char* profile;
        CPUType type;
    } cases[] = {{"xscale", CPU_XSCALE}, {"ipaq3800", CPU_STRONGARM}, {"pocketpc", CPU_OTHER}, {"mediaq", CPU_OTHER}};
    for (const auto& c : cases) {
        StartDevice(c.profile);
        EXPECT_EQ(GetCPUType(), c.type) << c.profile;
        StopDevice();
    }
    // Without SetKMode the register cannot be read at all.
    static platform::Profile userMode = *platform::findProfile("xscale");
    userMode.libraries[0].missing = {u"SetKMode"};
    StartDevice(userMode);
    EXPECT_EQ(GetCPUType(), CPU_OTHER);
    EXPECT_EQ(Candidates(), (std::vector<DWORD>{DRIVER_GDI, DRIVER_GAPI}));
}

TEST_F(Detection, KeepsAnLcdControllerOnlyForAnActiveSixteenBitPanel) {
    static platform::Profile passive = *platform::findProfile("ipaq3800");
    passive.lcd.registers[0] &= ~0x80u;
    static platform::Profile eightBit = *platform::findProfile("ipaq3800");
    eightBit.panel.palette[0] = 0x1000;
    static platform::Profile paletted = *platform::findProfile("xscale");
    paletted.lcd.registers[3] = 3u << 24;
    static platform::Profile switchedOff = *platform::findProfile("xscale");
    switchedOff.lcd.registers[0] = 0;
    static platform::Profile missing = *platform::findProfile("xscale");
    missing.lcd.kind = platform::LcdController::none;
    for (const platform::Profile* p : {&passive, &eightBit, &paletted, &switchedOff, &missing}) {
        StartDevice(*p);
        EXPECT_EQ(Candidates(), (std::vector<DWORD>{DRIVER_GDI, DRIVER_GAPI})) << p->name;
        StopDevice();
    }
}

TEST_F(Detection, RefusesARawFrameBufferLargerThanTheGdiScreen) {
    static platform::Profile scaled = *platform::findProfile("vga");
    scaled.panel.width = 480;
    scaled.panel.height = 640;
    scaled.screenWidth = 240;
    scaled.screenHeight = 320;
    StartDevice(scaled);
    EXPECT_EQ(Candidates(), (std::vector<DWORD>{DRIVER_GDI, DRIVER_GAPI}));
}

TEST_F(Detection, TellsAMediaQFrameBufferByItsSlowness) {
    static platform::Profile fast = *platform::findProfile("mediaq");
    fast.slowMemoryNanosPerWord = 0;
    StartDevice(fast);
    EXPECT_EQ(Candidates(), (std::vector<DWORD>{DRIVER_GDI, DRIVER_GAPI}));
    StopDevice();
    // Without a performance counter the tick count times the clear.
    static platform::Profile noCounter = *platform::findProfile("mediaq");
    noCounter.performanceCounter = false;
    StartDevice(noCounter);
    EXPECT_EQ(Candidates(), (std::vector<DWORD>{DRIVER_GDI, DRIVER_GAPI, DRIVER_MEDIAQ}));
}

// Detection tells a MediaQ chip by where its frame buffer lies, so a display library's buffer in
// system memory must lie in the same place however the host's heap stands; else the probe (a
// millisecond of waiting and a cleared buffer) runs on some starts and not on others.
TEST_F(Detection, FindsAFrameBufferInSystemMemoryInTheSamePlaceOnEveryStart) {
    for (const char* name : {"smartphone", "smartphone-dma", "landscape"}) {
        std::vector<std::vector<uint8_t>> heapInUse;
        uintptr_t firstPlace = 0;
        for (int start = 0; start < 6; ++start) {
            StartDevice(name);
            const int64_t before = device->performanceCounter();
            const uintptr_t place = reinterpret_cast<uintptr_t>(Detect().mode.frameBuffer) % 0x80000;
            EXPECT_EQ(device->performanceCounter(), before) << name << ": probed for a MediaQ on start " << start;
            if (start == 0) firstPlace = place;
            EXPECT_EQ(place, firstPlace) << name << " on start " << start;
            StopDevice();
            heapInUse.emplace_back(size_t(240) * 320 * 2 + 1000 * size_t(start));
        }
    }
}

TEST_F(Detection, AsksTheDisplayDriverOnlyWhenThereIsNoGapi) {
    static platform::Profile both = *platform::findProfile("smartphone-dma");
    both.libraries.push_back({u"gx.dll", {u"?GXOpenDisplay@@YAHPAUHWND__@@K@Z"}});
    StartDevice(both);
    EXPECT_EQ(Candidates(), (std::vector<DWORD>{DRIVER_GDI}));
}

// On two Smartphone models the display libraries are used the plain way: GAPI's frame buffer
// straight, without GXBeginDraw, and the display driver's without DMA.
TEST_F(Detection, UsesTheFrameBufferPlainlyOnTheTwoSmartphoneModels) {
    static platform::Profile gapi = *platform::findProfile("smartphone");
    gapi.oemInfo = u"Typhoon M1";
    gapi.gapiDramBuffer = false;
    static platform::Profile direct = *platform::findProfile("smartphone-dma");
    direct.oemInfo = u"Compale P6C";
    for (const platform::Profile* p : {&gapi, &direct}) {
        StartDevice(*p);
        DisplayParameters params{176, 220, 0, SWAP_DISCARD};
        VideoDriver* driver = Detect().InitializeDriver(window, params);
        ASSERT_NE(driver, nullptr);
        EXPECT_EQ(driver->mode.swapCapability, SWAP_CAPABILITY_NONE) << p->name;
        platform::libraryCalls().clear();
        ASSERT_NE(driver->GetSurface(), nullptr);
        driver->Present(0);
        EXPECT_EQ(platform::libraryCalls(), std::vector<std::string>{}) << p->name;
        delete driver;
        StopDevice();
    }
}

struct StrideCase {
    LONG xStride;
    LONG yStride;
    StrideLayout layout;
};

// A 240 x 320 picture over frame memory with 512-byte rows, in every turn.
TEST(StridesTest, FindTheMemoryLayoutAndItsFirstPixel) {
    const StrideCase cases[] = {
        {2, 512, {0, 240, 320, 512, 0}},
        {512, -2, {1, 320, 240, 512, 2 - 2 * 320}},
        {-2, -512, {2, 240, 320, 512, -(2 * 239 + 512 * 319)}},
        {-512, 2, {3, 320, 240, 512, -512 * 239}},
    };
    for (const StrideCase& c : cases) {
        StrideLayout l = LayoutFromStrides(240, 320, c.xStride, c.yStride, 16);
        EXPECT_EQ(l.orientation, c.layout.orientation);
        EXPECT_EQ(l.width, c.layout.width) << c.layout.orientation;
        EXPECT_EQ(l.height, c.layout.height) << c.layout.orientation;
        EXPECT_EQ(l.pitch, c.layout.pitch) << c.layout.orientation;
        EXPECT_EQ(l.offset, c.layout.offset) << c.layout.orientation;
    }
}

// Upside down: the offset from the picture's top-left pixel reaches the memory's first pixel.
TEST_F(Detection, FindsTheFirstPixelOfAnUpsideDownFrameBuffer) {
    static platform::Profile upsideDown = Turned(2, 240, 320);
    upsideDown.panel.pitch = 512;
    StartDevice(upsideDown);
    VideoDetect& d = Detect();
    EXPECT_EQ(d.mode.orientation, 2u);
    // Memory's first pixel is the picture's bottom-right one.
    *reinterpret_cast<uint16_t*>(d.mode.frameBuffer) = 0x1234;
    const platform::Picture& picture = platform::screen();
    EXPECT_EQ(picture.pixels[size_t(319) * 240 + 239], 0x1234);
}

}  // namespace
