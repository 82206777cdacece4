#pragma once
#include <cstdint>
#include <vector>
#include "renderpoint.h"
#include "renderrect.h"
#include "surface.h"

class RasterOp;

// The renderer's RGB565 surface: a display-layer surface, owned, and an optional colour
// key that keyed blits leave out.
class RenderSurface {
public:
    static constexpr int32_t noKey = -1;

    // A new surface of its own, its pixels counted in the PixelBudget; holds none when they
    // would pass it or memory runs out.
    RenderSurface(uint32_t width, uint32_t height);
    // Takes over the given surface.
    explicit RenderSurface(Surface* surface);
    RenderSurface(const RenderSurface&) = delete;
    RenderSurface& operator=(const RenderSurface&) = delete;
    ~RenderSurface();

    // Null when the pixels would pass the PixelBudget or memory runs out.
    static RenderSurface* create(uint32_t width, uint32_t height);

    // The byte pitch and the address of the given pixel, or of (0, 0); false without pixels.
    bool lock(int32_t* pitch, void** address, uint32_t flags = 0, const RenderPoint* point = nullptr);
    bool unlock(uint32_t flags = 0);
    // Unchecked: (x, y) must lie inside.
    uint16_t getPixel(int32_t x, int32_t y) const { return *surface->pixelAddress(uint32_t(x), uint32_t(y)); }
    // Holds another surface without deleting the one held; the display's back buffer comes
    // and goes this way.
    void attach(Surface* other) {
        surface = other;
        forgetKeyPixels();
    }
    // A copy of every pixel, with the same colour key; null when memory runs out.
    RenderSurface* clone() const;

    // Every way to the pixels to write keeps what is known of the key pixels true. Whoever asks
    // for them here may change them anyhow: what is known of them is forgotten.
    Surface* getSurface() {
        forgetKeyPixels();
        return surface;
    }
    const Surface* getSurface() const { return surface; }
    // The pixels, which the surface must hold, for a write inside area, the surface told of it
    // first. The write leaves values of any kind...
    Surface& pixelsToWrite(const RenderRect& area) {
        if (keyPixelsKnown()) [[unlikely]]
            wrote(area);
        return *surface;
    }
    // ... or, for a draw of the colour through op, the colour itself when op is the opaque one.
    Surface& pixelsToWrite(const RenderRect& area, uint16_t colour, const RasterOp& op) {
        if (keyPixelsKnown()) [[unlikely]]
            wroteColour(area, colour, op);
        return *surface;
    }
    // The pixels while nothing is known of the key pixels, so that a write has nothing to tell;
    // null otherwise. A write made pixel by pixel keeps pixelsToWrite off its plain path this way.
    Surface* pixelsToWriteUntold() { return keyPixelsKnown() ? nullptr : surface; }
    int32_t width() const { return surface ? int32_t(surface->width) : 0; }
    int32_t height() const { return surface ? int32_t(surface->height) : 0; }
    // -1 for none, else a pixel value in the low 16 bits.
    int32_t getColourKey() const { return colourKey; }
    void setColourKey(int32_t key) { colourKey = key; }
    // Whether a pixel equals the colour key; false without one. A whole look the first time;
    // after that, while no key pixel is known, a look at no more than the pixels that a render
    // context wrote since: a keyed blit of a surface without key pixels can then take the opaque
    // path.
    bool holdsKeyPixel() const;
    // Off, a surface with a key counts as holding key pixels, so that keyed pictures always take
    // the keyed path: plain drawing, which tests compare with. One flag read per keyed blit.
    static inline bool keyFreeShortcut = true;

private:
    enum class KeyPixels : uint8_t { unknown, absent, present };
    // More rectangles written between two looks are kept as the one round them all.
    static constexpr size_t unseenLimit = 16;

    void forgetKeyPixels() { keyPixels = KeyPixels::unknown; }
    // Whether writes need telling: something is known of the key pixels.
    bool keyPixelsKnown() const { return keyPixels != KeyPixels::unknown; }
    bool knownKeyFree() const { return keyPixels == KeyPixels::absent && keyPixelsOf == colourKey; }
    void wrote(const RenderRect& area);
    [[gnu::cold]] void wroteColour(const RenderRect& area, uint16_t colour, const RasterOp& op);
    bool keyPixelIn(const RenderRect& area) const;

    Surface* surface;
    // The pixels taken from the PixelBudget for a surface of its own.
    uint64_t budgeted = 0;
    int32_t colourKey = noKey;
    mutable KeyPixels keyPixels = KeyPixels::unknown;
    // The key whose pixels keyPixels tells of.
    mutable int32_t keyPixelsOf = noKey;
    // Written since the last look while no key pixel was known.
    mutable std::vector<RenderRect> unseen;
};
