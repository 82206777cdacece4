#include "rendersurface.h"
#include <new>
#include "opaquerasterop.h"
#include "pixelrows.h"

RenderSurface::RenderSurface(uint32_t width, uint32_t height) : surface(Surface::Create(width, height)) {}

RenderSurface::RenderSurface(Surface* surface) : surface(surface) {}

RenderSurface::~RenderSurface() { delete surface; }

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
        point ? static_cast<void*>(surface->pixelAddress(uint32_t(point->x), uint32_t(point->y))) : surface->pixels;
    return true;
}

bool RenderSurface::unlock(uint32_t) { return true; }

bool RenderSurface::holdsKeyPixel() const {
    if (colourKey < 0 || !surface) return false;
    if (!keyFreeShortcut) return true;
    if (keyPixels == KeyPixels::unknown || keyPixelsOf != colourKey) {
        bool found = anyPixelEquals(reinterpret_cast<const uint16_t*>(surface->pixels), surface->pitch, surface->width,
                                    surface->height, uint16_t(colourKey));
        keyPixels = found ? KeyPixels::present : KeyPixels::absent;
        keyPixelsOf = colourKey;
    }
    return keyPixels == KeyPixels::present;
}

// A surface known to hold no key pixel looks at the written pixels alone; anything else known
// may no longer hold (key pixels may have been drawn over).
void RenderSurface::wrote(const RenderRect& area) {
    if (!knownKeyFree()) return forgetKeyPixels();
    const RenderRect inside = area.intersect({0, 0, width(), height()});
    if (!inside.isEmpty() &&
        anyPixelEquals(surface->pixelAddress(uint32_t(inside.left), uint32_t(inside.top)), surface->pitch,
                       size_t(inside.width()), size_t(inside.height()), uint16_t(colourKey)))
        keyPixels = KeyPixels::present;
}

void RenderSurface::wroteColour(uint16_t colour) {
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
