#include "displaybase.h"
#include <algorithm>
#include "displaylog.h"
#include "fastcopy.h"
#include "rotationdriver.h"

void DisplayBase::resume() {
    active = true;
    driverSurface = nullptr;
    if (driver) driver->resume();
}

void DisplayBase::suspend() {
    if (driver) driver->suspend();
    active = false;
    driverSurface = nullptr;
}

void DisplayBase::paint() {
    if (driver) driver->paint();
}

DisplayBase::~DisplayBase() {
    delete backBuffer;
    delete driver;
}

bool DisplayBase::Initialize(const DisplayParameters& requested) {
    if (driver || !UseDriver(requested)) return false;
    const VideoMode& mode = driver->mode;
    parameters = DisplayParameters{mode.width, mode.height, mode.orientation, 0};
    DWORD capability = mode.swapCapability;
    if (capability != SWAP_CAPABILITY_NONE &&
        (requested.swapEffect != SWAP_COPY || capability == SWAP_CAPABILITY_KEEP)) {
        parameters.swapEffect = capability;
    } else {
        backBuffer = Surface::Create(mode.width, mode.height);
        if (!backBuffer) return false;
        parameters.swapEffect = SWAP_COPY;
    }
    driverSurface = nullptr;
    SetDirtyRect(nullptr);
    return true;
}

// The detected driver, turned when it does not face the way asked for.
bool DisplayBase::UseDriver(const DisplayParameters& requested) {
    driver = CreateDriver(requested);
    if (!driver) return false;
    if (requested.orientation >= ORIENTATION_ANY || requested.orientation == driver->mode.orientation) return true;
    DisplayLog("Rotating from %d to %d", int(driver->mode.orientation), int(requested.orientation));
    VideoDriver* found = driver;
    auto* rotation = new RotationDriver(found);
    driver = rotation;
    if (rotation->Initialize(window, requested, found->mode)) return true;
    delete driver;
    driver = nullptr;
    return false;
}

bool DisplayBase::BeginScene() {
    if (!active) return false;
    if (!driverSurface) driverSurface = driver->GetSurface();
    return driverSurface != nullptr;
}

Surface* DisplayBase::GetBackBuffer() const {
    if (!driverSurface) return nullptr;
    return backBuffer ? backBuffer : driverSurface;
}

// The display's own copy goes out to even bounds, but never past the screen.
void DisplayBase::SetDirtyRect(const RECT* rect) {
    LONG width = LONG(parameters.width), height = LONG(parameters.height);
    RECT r{0, 0, width, height};
    if (rect)
        r = RECT{std::max(rect->left, LONG(0)), std::max(rect->top, LONG(0)), std::min(rect->right, width),
                 std::min(rect->bottom, height)};
    if (r.right <= r.left || r.bottom <= r.top) r = RECT{0, 0, 0, 0};
    driver->SetDirtyRect(r);
    dirtyRect =
        RECT{r.left & ~1, r.top & ~1, std::min((r.right + 1) & ~1, width), std::min((r.bottom + 1) & ~1, height)};
    LONG rowBytes = 2 * (dirtyRect.right - dirtyRect.left);
    // One block only when the rows of both surfaces follow each other without a gap.
    dirtyRectSpansPitch = rowBytes == LONG(driver->mode.pitch) && (!backBuffer || rowBytes == backBuffer->pitch);
}

bool DisplayBase::Swap(DWORD flags) {
    if (!driverSurface || !active) return false;
    if (backBuffer) {
        if (flags & SWAP_WAIT) driver->WaitForSwap(flags);
        CopyDirtyRect();
    }
    driver->Present(flags);
    driverSurface = nullptr;
    return true;
}

void DisplayBase::CopyDirtyRect() {
    const RECT& r = dirtyRect;
    if (r.right <= r.left || r.bottom <= r.top) return;
    if (dirtyRectSpansPitch) {
        FastCopy(driverSurface->pixelAddress(0, r.top), backBuffer->pixelAddress(0, r.top),
                 size_t(r.bottom - r.top) * backBuffer->pitch);
        return;
    }
    for (LONG y = r.top; y < r.bottom; ++y)
        FastCopy(driverSurface->pixelAddress(r.left, y), backBuffer->pixelAddress(r.left, y),
                 2 * size_t(r.right - r.left));
}
