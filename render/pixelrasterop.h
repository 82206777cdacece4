#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include "pixelrows.h"
#include "rasterop.h"

// The twelve raster operations, written once over a pixel policy that says how one pixel,
// rows of source pixels and rows of one colour are written. A policy provides put,
// copyRows, copyRowsKeyed and fillRows (see OpaquePixels).
template <class Pixels>
class PixelRasterOp : public RasterOp {
public:
    void copy(Surface& dst, RenderPoint at, const Surface& src, const RenderRect& from) override {
        int64_t width = from.width(), rows = from.height();
        if (width <= 0 || rows <= 0) return;
        uint16_t* d = dst.pixelAddress(at.x, at.y);
        const uint16_t* s = src.pixelAddress(from.left, from.top);
        // Rows without padding on both sides are one run.
        if (dst.pitch == src.pitch && dst.pitch == 2 * width) {
            width *= rows;
            rows = 1;
        }
        pixels.copyRows(d, dst.pitch, s, src.pitch, size_t(width), size_t(rows));
    }

    void copyKeyed(Surface& dst, RenderPoint at, const Surface& src, const RenderRect& from, uint16_t key) override {
        int64_t width = from.width(), rows = from.height();
        if (width <= 0 || rows <= 0) return;
        uint16_t* d = dst.pixelAddress(at.x, at.y);
        const uint16_t* s = src.pixelAddress(from.left, from.top);
        pixels.copyRowsKeyed(d, dst.pitch, s, src.pitch, size_t(width), size_t(rows), key);
    }

    void copyAffine(Surface& dst, const RenderRect& area, const AffineTransform& t, const Surface& src) override {
        mapAffine(dst, area, t, src, [this](uint16_t* d, uint16_t s) { pixels.put(d, s); });
    }

    void copyAffineKeyed(Surface& dst, const RenderRect& area, const AffineTransform& t, const Surface& src,
                         uint16_t key) override {
        mapAffine(dst, area, t, src, [this, key](uint16_t* d, uint16_t s) {
            if (s != key) pixels.put(d, s);
        });
    }

    void circleClipped(Surface& dst, RenderPoint centre, int32_t radius, uint16_t colour,
                       const RenderRect& clip) override {
        midpointCircle(radius, [&](int64_t dx, int64_t dy) {
            int64_t x = centre.x + dx, y = centre.y + dy;
            if (x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom)
                pixels.put(dst.pixelAddress(uint32_t(x), uint32_t(y)), colour);
        });
    }

    void circle(Surface& dst, RenderPoint centre, int32_t radius, uint16_t colour) override {
        midpointCircle(radius, [&](int64_t dx, int64_t dy) {
            pixels.put(dst.pixelAddress(uint32_t(centre.x + dx), uint32_t(centre.y + dy)), colour);
        });
    }

    void fill(Surface& dst, uint16_t colour) override {
        fillRect(dst, {0, 0, int32_t(dst.width), int32_t(dst.height)}, colour);
    }

    void fillRect(Surface& dst, const RenderRect& rect, uint16_t colour) override {
        int64_t width = rect.width(), rows = rect.height();
        if (width <= 0 || rows <= 0) return;
        uint16_t* d = dst.pixelAddress(rect.left, rect.top);
        if (dst.pitch == 2 * width) {
            width *= rows;
            rows = 1;
        }
        pixels.fillRows(d, dst.pitch, size_t(width), size_t(rows), colour);
    }

    void hline(Surface& dst, RenderPoint start, int32_t count, uint16_t colour) override {
        if (count > 0) pixels.fillRows(dst.pixelAddress(start.x, start.y), dst.pitch, size_t(count), 1, colour);
    }

    void line(Surface& dst, RenderPoint p0, RenderPoint p1, uint16_t colour) override {
        int64_t dx = std::llabs(int64_t(p1.x) - p0.x), dy = std::llabs(int64_t(p1.y) - p0.y);
        ptrdiff_t stepX = p1.x >= p0.x ? 2 : -2;
        ptrdiff_t stepY = p1.y >= p0.y ? dst.pitch : -ptrdiff_t(dst.pitch);
        bool yMajor = dx < dy;
        int64_t major = yMajor ? dy : dx, minor = yMajor ? dx : dy;
        ptrdiff_t majorStep = yMajor ? stepY : stepX, diagonalStep = stepX + stepY;
        // Two cursors walk from both ends towards the middle, so the halves mirror each other.
        auto* first = reinterpret_cast<uint8_t*>(dst.pixelAddress(p0.x, p0.y));
        auto* second = reinterpret_cast<uint8_t*>(dst.pixelAddress(p1.x, p1.y));
        int64_t error = -major;
        for (int64_t i = major / 2; i > 0; --i) {
            pixels.put(reinterpret_cast<uint16_t*>(first), colour);
            pixels.put(reinterpret_cast<uint16_t*>(second), colour);
            error += 2 * minor;
            ptrdiff_t step = majorStep;
            if (error > 0) {
                step = diagonalStep;
                error -= 2 * major;
            }
            first += step;
            second -= step;
        }
        pixels.put(reinterpret_cast<uint16_t*>(first), colour);
        if (major & 1) pixels.put(reinterpret_cast<uint16_t*>(second), colour);
    }

    void plot(Surface& dst, RenderPoint p, uint16_t colour) override { pixels.put(dst.pixelAddress(p.x, p.y), colour); }

    void vline(Surface& dst, RenderPoint start, int32_t count, uint16_t colour) override {
        uint16_t* d = dst.pixelAddress(start.x, start.y);
        for (int64_t i = 0; i <= count; ++i, d = nextRow(d, dst.pitch)) pixels.put(d, colour);
    }

protected:
    Pixels pixels;

private:
    // Walks the destination area row by row, handing each pixel whose source point lies
    // inside the source to write.
    template <class Write>
    static void mapAffine(Surface& dst, const RenderRect& area, const AffineTransform& t, const Surface& src,
                          Write write) {
        if (area.isEmpty()) return;
        uint32_t a = uint32_t(t.a), b = uint32_t(t.b), c = uint32_t(t.c), d = uint32_t(t.d);
        uint32_t firstX = 64 * uint32_t(area.left) + 32;
        for (int32_t y = area.top; y < area.bottom; ++y) {
            uint32_t centreY = 64 * uint32_t(y) + 32;
            uint32_t u = a * firstX + c * centreY + uint32_t(t.tx);
            uint32_t v = b * firstX + d * centreY + uint32_t(t.ty);
            uint16_t* out = dst.pixelAddress(area.left, y);
            for (int32_t x = area.left; x < area.right; ++x, ++out, u += 64 * a, v += 64 * b) {
                uint32_t su = u >> 16, sv = v >> 16;
                if (su < src.width && sv < src.height) write(out, *src.pixelAddress(su, sv));
            }
        }
    }

    // The midpoint circle as offsets from the centre; radius 0 gives the centre four times.
    template <class Visit>
    static void midpointCircle(int32_t radius, Visit visit) {
        int64_t x = 0, y = radius, decision = 3 - 2 * int64_t(radius);
        for (; x < y; ++x) {
            visit(-x, -y), visit(x, -y), visit(-x, y), visit(x, y);
            visit(-y, -x), visit(y, -x), visit(-y, x), visit(y, x);
            if (decision >= 0) {
                decision += 4 * (x - y) + 10;
                --y;
            } else {
                decision += 4 * x + 6;
            }
        }
        if (x == y) visit(-x, -y), visit(x, -y), visit(-x, y), visit(x, y);
    }
};
