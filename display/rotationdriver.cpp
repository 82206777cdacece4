#include "rotationdriver.h"
#include <algorithm>

namespace {

constexpr LONG tileSize = 16;

LONG RoundDown(LONG v) { return v / tileSize * tileSize; }
LONG RoundUp(LONG v) { return (v + tileSize - 1) / tileSize * tileSize; }

}  // namespace

RotationDriver::RotationDriver(VideoDriver* wrapped) : wrapped(wrapped) {}

bool RotationDriver::Initialize(HWND, const DisplayParameters& requested, const VideoMode& driverMode) {
    turns = (driverMode.orientation + 4 - requested.orientation % 4) % 4;
    bool across = turns % 2 != 0;
    mode = driverMode;
    mode.width = across ? driverMode.height : driverMode.width;
    mode.height = across ? driverMode.width : driverMode.height;
    mode.bpp = 16;
    mode.orientation = requested.orientation;
    mode.swapCapability = SWAP_CAPABILITY_KEEP;
    own.reset(Surface::Create(mode.width, mode.height));
    if (!own) return false;
    mode.pitch = DWORD(own->pitch);
    mode.frameBuffer = own->pixels();
    CPUType cpu = GetCPUType();
    plainCopy = SelectRotationCopy(turns, TileOrder::byColumns, cpu);
    // Right after the wait the scan is past, so rows go first; without a kept picture there
    // is nothing to gain.
    bool keepsPicture = driverMode.swapCapability != SWAP_CAPABILITY_NONE;
    waitedCopy = keepsPicture ? SelectRotationCopy(turns, TileOrder::byRows, cpu) : plainCopy;
    return true;
}

Surface* RotationDriver::GetSurface() {
    target = wrapped->GetSurface();
    return target ? own.get() : nullptr;
}

void RotationDriver::Present(DWORD flags) {
    if (target) {
        if (flags & SWAP_WAIT) {
            wrapped->WaitForSwap(flags);
            waitedCopy(*own, *target, kept);
        } else {
            plainCopy(*own, *target, kept);
        }
    }
    target = nullptr;
    wrapped->Present(flags);
}

RECT RotationDriver::ToDriver(const RECT& r) const {
    LONG w = LONG(wrapped->mode.width), h = LONG(wrapped->mode.height);
    switch (turns) {
    case 1: return RECT{w - r.bottom, r.left, w - r.top, r.right};
    case 2: return RECT{w - r.right, h - r.bottom, w - r.left, h - r.top};
    case 3: return RECT{r.top, h - r.right, r.bottom, h - r.left};
    default: return r;
    }
}

// The copy works on whole tiles, but never past the driver's surface.
void RotationDriver::SetDirtyRect(const RECT& rect) {
    RECT mapped = ToDriver(rect);
    wrapped->SetDirtyRect(mapped);
    LONG w = LONG(wrapped->mode.width), h = LONG(wrapped->mode.height);
    kept = RECT{std::max(RoundDown(mapped.left), LONG(0)), std::max(RoundDown(mapped.top), LONG(0)),
                std::min(RoundUp(mapped.right), w), std::min(RoundUp(mapped.bottom), h)};
}
