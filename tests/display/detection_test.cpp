// What detection finds on each device, which driver it opens, and what it falls back to.
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
#include "videodetect.h"

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

}  // namespace
