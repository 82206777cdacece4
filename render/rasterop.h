#pragma once
#include <cstdint>
#include "renderrect.h"
#include "surface.h"

// Maps a destination pixel centre into the source: with X = 64x + 32 and Y = 64y + 32,
// u = (aX + cY + tx) >> 16 and v = (bX + dY + ty) >> 16, in unsigned 32-bit arithmetic.
struct AffineTransform {
    int32_t a;
    int32_t b;
    int32_t c;
    int32_t d;
    int32_t tx;
    int32_t ty;
};

// How pixels reach a surface. The render context clips every request first: nothing here
// tests bounds, and every coordinate given lies inside the destination.
class RasterOp {
public:
    virtual ~RasterOp() = default;
    virtual void copy(Surface& dst, RenderPoint at, const Surface& src, const RenderRect& from) = 0;
    virtual void copyKeyed(Surface& dst, RenderPoint at, const Surface& src, const RenderRect& from, uint16_t key) = 0;
    // Destination pixels whose source point falls outside the source are left alone.
    virtual void copyAffine(Surface& dst, const RenderRect& area, const AffineTransform& t, const Surface& src) = 0;
    virtual void copyAffineKeyed(Surface& dst, const RenderRect& area, const AffineTransform& t, const Surface& src,
                                 uint16_t key) = 0;
    // The circle's points outside the clip are left out.
    virtual void circleClipped(Surface& dst, RenderPoint centre, int32_t radius, uint16_t colour,
                               const RenderRect& clip) = 0;
    virtual void circle(Surface& dst, RenderPoint centre, int32_t radius, uint16_t colour) = 0;
    virtual void fill(Surface& dst, uint16_t colour) = 0;
    virtual void fillRect(Surface& dst, const RenderRect& rect, uint16_t colour) = 0;
    // count pixels rightward from the start.
    virtual void hline(Surface& dst, RenderPoint start, int32_t count, uint16_t colour) = 0;
    // Both end points included.
    virtual void line(Surface& dst, RenderPoint p0, RenderPoint p1, uint16_t colour) = 0;
    virtual void plot(Surface& dst, RenderPoint p, uint16_t colour) = 0;
    // count + 1 pixels downward from the start; none when count is negative.
    virtual void vline(Surface& dst, RenderPoint start, int32_t count, uint16_t colour) = 0;
};
