#include <memory>
#include "driverdirect.h"
#include "drivergapi.h"
#include "driverimageon100.h"
#include "drivermediaq.h"
#include "driverstrongarm.h"
#include "drivervga.h"
#include "driverxscale.h"
#include "gdidriver.h"
#include "slowfb.h"

VideoDriver* CreateDriver(DWORD id) {
    switch (id) {
    case DRIVER_GDI: return new GDIDriver();
    case DRIVER_DIRECT: return new DriverDirect();
    case DRIVER_GAPI: return new DriverGAPI();
    case DRIVER_STRONGARM: return new DriverStrongARM();
    case DRIVER_XSCALE: return new DriverXScale();
    case DRIVER_IMAGEON100: return new DriverImageon100();
    case DRIVER_MEDIAQ: {
        auto mediaq = std::make_unique<DriverMediaQ>();
        auto* slow = new SlowFB(mediaq.get());
        mediaq.release();
        return slow;
    }
    case DRIVER_VGA: return new DriverVGA();
    default: return nullptr;
    }
}
