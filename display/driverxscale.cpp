#include "driverxscale.h"
#include "xscalelcd.h"

namespace {

constexpr DWORD paletteLoading = 1u << 26;
constexpr DWORD positionMask = 0x1FFFFF;

}  // namespace

DriverXScale::DriverXScale() : LcdDriver(XScaleLcd::Instance()) {}

// Rows 20 to 34 of the frame.
void DriverXScale::SetScanWindow() {
    scanStart = 20 * lcd.pitch;
    scanEnd = 34 * lcd.pitch;
}

bool DriverXScale::ScanInWindow() const {
    DWORD command = lcd.Register(XScaleLcd::dmaCommand);
    DWORD position = command & positionMask;
    return !(command & paletteLoading) && position >= scanStart && position <= scanEnd;
}
