#include "rendersurface.h"
#include <algorithm>
#include <new>
#include "opaquerasterop.h"
#include "pixelbudget.h"
#include "pixelrows.h"

RenderSurface::RenderSurface(uint32_t width, uint32_t height) : surface(nullptr) {
    const uint64_t pixels = uint64_t(width) * height;
    if (!PixelBudget::take(pixels)) return;
    surface = Surface::Create(width, height);
    if (surface)
        budgeted = pixels;
    else
        PixelBudget::giveBack(pixels);
}

RenderSurface::RenderSurface(Surface* surface) : surface(surface) {}

RenderSurface::~RenderSurface() {
    delete surface;
    PixelBudget::giveBack(budgeted);
}

RenderSurface* RenderSurface::create(uint32_t width, uint32_t height) {
    auto* made = new (std::nothrow) RenderSurface(width, height);
    if (made && !made->surface) {
        delete made;
        return nullptr;
    }
    return made;
}

bool RenderSurface::lock(int32_t* pitch, void** address, uint32_t, const RenderPoint* point) {
    if (!surface) return false;
    forgetKeyPixels();
    *pitch = surface->pitch;
    *address =
        point ? static_cast<void*>(surface->pixelAddress(uint32_t(point->x), uint32_t(point->y))) : surface->pixels();
    return true;
}

bool RenderSurface::unlock(uint32_t) { return true; }

bool RenderSurface::holdsKeyPixel() const {
    if (colourKey < 0 || !surface) return false;
    if (!keyFreeShortcut) return true;
    // Nothing known is a surface free of key pixels whose every pixel is still to be looked at.
    if (keyPixels == KeyPixels::unknown || keyPixelsOf != colourKey) {
        unseen.assign(1, {0, 0, width(), height()});
        keyPixels = KeyPixels::absent;
        keyPixelsOf = colourKey;
    }
    if (keyPixels == KeyPixels::absent &&
        std::any_of(unseen.begin(), unseen.end(), [this](const RenderRect& area) { return keyPixelIn(area); }))
        keyPixels = KeyPixels::present;
    unseen.clear();
    return keyPixels == KeyPixels::present;
}

bool RenderSurface::keyPixelIn(const RenderRect& area) const {
    return anyPixelEquals(surface->pixelAddress(uint32_t(area.left), uint32_t(area.top)), surface->pitch,
                          size_t(area.width()), size_t(area.height()), uint16_t(colourKey));
}

// A surface known to hold no key pixel notes where it was written, for the next look; anything
// else known may no longer hold (key pixels may have been drawn over).
void RenderSurface::wrote(const RenderRect& area) {
    if (!knownKeyFree()) return forgetKeyPixels();
    const RenderRect inside = area.intersect({0, 0, width(), height()});
    if (inside.isEmpty()) return;
    // Pictures are drawn over one another at one place: the last rectangle often holds the new one.
    if (!unseen.empty()) {
        const RenderRect& last = unseen.back();
        if (last.left <= inside.left && last.top <= inside.top && inside.right <= last.right &&
            inside.bottom <= last.bottom)
            return;
    }
    if (unseen.size() < unseenLimit) return unseen.push_back(inside);
    RenderRect round = inside;
    for (const RenderRect& noted : unseen) round = round.unite(noted);
    unseen.assign(1, round);
}

// Through the other operations a colour draw leaves blends of any value.
void RenderSurface::wroteColour(const RenderRect& area, uint16_t colour, const RasterOp& op) {
    if (&op != &OpaqueRasterOp::instance()) return wrote(area);
    if (!knownKeyFree()) return forgetKeyPixels();
    if (colour == uint16_t(colourKey)) keyPixels = KeyPixels::present;
}

RenderSurface* RenderSurface::clone() const {
    if (!surface) return nullptr;
    RenderSurface* copy = create(surface->width, surface->height);
    if (!copy) return nullptr;
    OpaqueRasterOp::instance().copy(*copy->surface, {0, 0}, *surface, {0, 0, width(), height()});
    copy->colourKey = colourKey;
    return copy;
}
