#include "rendercontext.h"
#include <algorithm>
#include <cmath>
#include <new>
#include <vector>
#include "alpharasterop.h"
#include "combinerrasterop.h"
#include "opaquerasterop.h"

namespace {

// Edge where a line crosses a clip boundary; wide enough that no product overflows.
int64_t crossing(int64_t from, int64_t to, int64_t along0, int64_t along1, int64_t at) {
    return from + int64_t(__int128(to - from) * (at - along0) / (along1 - along0));
}

int outcode(const RenderRect& area, int64_t x, int64_t y) {
    int code = x < area.left ? 1 : x >= area.right ? 2 : 0;
    return code | (y < area.top ? 4 : y >= area.bottom ? 8 : 0);
}

// Cohen-Sutherland: moves the ends onto the area; false when the line misses it.
bool clipLine(const RenderRect& area, int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1) {
    int code0 = outcode(area, x0, y0), code1 = outcode(area, x1, y1);
    for (;;) {
        if (!(code0 | code1)) return true;
        if (code0 & code1) return false;
        bool moveFirst = code0 != 0;
        int code = moveFirst ? code0 : code1;
        int64_t x, y;
        if (code & 1) {
            x = area.left;
            y = crossing(y0, y1, x0, x1, x);
        } else if (code & 2) {
            x = area.right - 1;
            y = crossing(y0, y1, x0, x1, x);
        } else if (code & 4) {
            y = area.top;
            x = crossing(x0, x1, y0, y1, y);
        } else {
            y = area.bottom - 1;
            x = crossing(x0, x1, y0, y1, y);
        }
        if (moveFirst) {
            x0 = x, y0 = y;
            code0 = outcode(area, x, y);
        } else {
            x1 = x, y1 = y;
            code1 = outcode(area, x, y);
        }
    }
}

// Cuts the run of length pixels from start to [low, end); false when nothing is left.
bool clipRun(int64_t& start, int64_t& length, int64_t low, int64_t end) {
    if (start < low) {
        length -= low - start;
        start = low;
    }
    if (start + length > end) length = end - start;
    return length >= 1;
}

constexpr int32_t noEdge = -16000;

// The bytes the surface's rows span, whichever way its pitch runs.
std::pair<uintptr_t, uintptr_t> span(const Surface& s) {
    auto first = reinterpret_cast<uintptr_t>(s.pixels());
    auto last = first + uintptr_t(ptrdiff_t(s.height - (s.height > 0)) * s.pitch);
    return {std::min(first, last), std::max(first, last) + 2 * uintptr_t(s.width)};
}

bool sharePixels(const Surface& a, const Surface& b) {
    auto [aStart, aEnd] = span(a);
    auto [bStart, bEnd] = span(b);
    return aStart < bEnd && bStart < aEnd;
}

// Records where each edge of the polygon crosses the rows below its upper end: the first
// crossing of a row in left, any later one in right.
void scanEdge(RenderPoint a, RenderPoint b, std::vector<int32_t>& left, std::vector<int32_t>& right) {
    if (a.y > b.y) std::swap(a, b);
    int64_t rows = int64_t(left.size());
    int64_t slope = ((int64_t(b.x) - a.x) * 256) / (int64_t(b.y) - a.y);
    for (int64_t r = std::max<int64_t>(int64_t(a.y) + 1, 0); r <= std::min<int64_t>(b.y, rows - 1); ++r) {
        auto x = int32_t((int64_t(a.x) * 256 + slope * (r - a.y)) >> 8);
        (left[r] == noEdge ? left[r] : right[r]) = x;
    }
}

}  // namespace

RenderContext::RenderContext(RenderSurface* surface) : op(&OpaqueRasterOp::instance()) {
    if (surface) setTarget(surface);
}

RenderContext::~RenderContext() {
    delete alphaOp;
    delete combinerOp;
}

RenderContext* RenderContext::create(RenderSurface* surface) {
    return surface ? new (std::nothrow) RenderContext(surface) : nullptr;
}

RenderSurface* RenderContext::setTarget(RenderSurface* surface) {
    RenderSurface* previous = target;
    target = surface;
    clip = {0, 0, surface ? surface->width() : 0, surface ? surface->height() : 0};
    return previous;
}

void RenderContext::setClip(const RenderRect& rect) {
    clip = RenderRect{0, 0, target ? target->width() : 0, target ? target->height() : 0}.intersect(rect);
}

void RenderContext::setOpaque() { op = &OpaqueRasterOp::instance(); }

RasterOp* RenderContext::setAlpha(int32_t alpha) {
    uint32_t a = uint32_t(alpha) & 0xFF;
    if ((a | 3) == 255) {
        setOpaque();
        return op;
    }
    if (!alphaOp) alphaOp = new (std::nothrow) AlphaRasterOp;
    if (!alphaOp) return nullptr;
    alphaOp->setAlpha(a);
    return op = alphaOp;
}

RasterOp* RenderContext::setCombiner(PixelCombiner* combiner) {
    if (!combiner) return nullptr;
    if (!combinerOp) combinerOp = new (std::nothrow) CombinerRasterOp;
    if (!combinerOp) return nullptr;
    combinerOp->setCombiner(combiner);
    return op = combinerOp;
}

RenderRect RenderContext::drawArea() const {
    const Surface* surface = targetSurface();
    if (!surface) return {0, 0, 0, 0};
    RenderRect area = clip.intersect({0, 0, int32_t(surface->width), int32_t(surface->height)});
    return area.isEmpty() ? RenderRect{0, 0, 0, 0} : area;
}

// A keyed copy of a source without key pixels is the opaque copy, whatever the raster
// operation: except onto its own pixels, where the order in which they are read matters.
bool RenderContext::isKeyed(const RenderSurface& source) const {
    if (source.getColourKey() < 0) return false;
    const Surface* into = targetSurface();
    return source.holdsKeyPixel() || (into && sharePixels(*source.getSurface(), *into));
}

void RenderContext::blit(int32_t x, int32_t y, const RenderSurface& source, const RenderRect* sourceRect) {
    RenderRect area = drawArea();
    if (area.isEmpty() || !source.getSurface()) return;
    RenderRect whole{0, 0, source.width(), source.height()};
    RenderRect from = sourceRect ? *sourceRect : whole;
    RenderRect inside = from.intersect(whole);
    if (inside.isEmpty()) return;
    // Where the source's top-left pixel lands, and the part of that placement on the area.
    int64_t left = int64_t(x) + inside.left - from.left, top = int64_t(y) + inside.top - from.top;
    int64_t right = std::min<int64_t>(left + inside.width(), area.right);
    int64_t bottom = std::min<int64_t>(top + inside.height(), area.bottom);
    int64_t clippedLeft = std::max<int64_t>(left, area.left), clippedTop = std::max<int64_t>(top, area.top);
    if (right <= clippedLeft || bottom <= clippedTop) return;
    auto sourceLeft = int32_t(inside.left + (clippedLeft - left)), sourceTop = int32_t(inside.top + (clippedTop - top));
    RenderRect region{sourceLeft, sourceTop, int32_t(sourceLeft + (right - clippedLeft)),
                      int32_t(sourceTop + (bottom - clippedTop))};
    RenderPoint at{int32_t(clippedLeft), int32_t(clippedTop)};
    // Asked before the target is told: a blit onto its own pixels looks at them here.
    const bool keyed = isKeyed(source);
    Surface& into = target->pixelsToWrite({at.x, at.y, int32_t(right), int32_t(bottom)});
    if (keyed)
        op->copyKeyed(into, at, *source.getSurface(), region, uint16_t(source.getColourKey()));
    else
        op->copy(into, at, *source.getSurface(), region);
}

void RenderContext::affine(RenderRect box, const AffineTransform& transform, const RenderSurface& source) {
    box = box.intersect(drawArea());
    if (box.isEmpty()) return;
    const bool keyed = isKeyed(source);
    Surface& into = target->pixelsToWrite(box);
    if (keyed)
        op->copyAffineKeyed(into, box, transform, *source.getSurface(), uint16_t(source.getColourKey()));
    else
        op->copyAffine(into, box, transform, *source.getSurface());
}

void RenderContext::blitScaled(const RenderRect& destination, const RenderSurface& source,
                               const RenderRect* sourceRect) {
    RenderRect from = sourceRect ? *sourceRect : RenderRect{0, 0, source.width(), source.height()};
    if (destination.isEmpty() || from.isEmpty() || !source.getSurface()) return;
    // Source steps per destination pixel with 10 fraction bits; the sums wrap as unsigned.
    uint32_t a = (uint32_t(from.width()) << 10) / uint32_t(destination.width());
    uint32_t d = (uint32_t(from.height()) << 10) / uint32_t(destination.height());
    uint32_t tx = 64 * ((uint32_t(from.left) << 10) - uint32_t(destination.left) * a);
    uint32_t ty = 64 * ((uint32_t(from.top) << 10) - uint32_t(destination.top) * d);
    affine(destination, {int32_t(a), 0, 0, int32_t(d), int32_t(tx), int32_t(ty)}, source);
}

void RenderContext::blitRotated(int32_t x, int32_t y, float angle, const RenderSurface& source) {
    if (!std::isfinite(angle) || !source.getSurface()) return;
    int32_t w = source.width(), h = source.height();
    float halfW = float(w) * 0.5f, halfH = float(h) * 0.5f;
    auto r = int64_t(std::sqrt(double(halfW * halfW + halfH * halfH)) + 1.0);
    RenderRect box{int32_t(std::max<int64_t>(x - r, INT32_MIN)), int32_t(std::max<int64_t>(y - r, INT32_MIN)),
                   int32_t(std::min<int64_t>(x + r, INT32_MAX)), int32_t(std::min<int64_t>(y + r, INT32_MAX))};
    auto cosine = int32_t(std::cos(-angle) * 1024.0f), sine = int32_t(std::sin(-angle) * 1024.0f);
    uint32_t c = uint32_t(cosine), s = uint32_t(sine), ux = uint32_t(x), uy = uint32_t(y);
    uint32_t tx = 64 * ((uint32_t(w) << 9) - c * ux - s * uy);
    uint32_t ty = 64 * (s * ux - c * uy + (uint32_t(h) << 9));
    affine(box, {cosine, int32_t(0u - s), sine, cosine, int32_t(tx), int32_t(ty)}, source);
}

void RenderContext::blitScaledRotated(int32_t x, int32_t y, float angle, const RenderSurface& source,
                                      RenderSurface& scratch, const RenderRect* sourceRect) {
    // The scratch picture is made opaquely; only the final draw uses the current operation,
    // and the caller's target and clip come back as they were.
    RenderRect savedClip = clip;
    RenderSurface* savedTarget = setTarget(&scratch);
    RasterOp* savedOp = op;
    setOpaque();
    scratch.setColourKey(source.getColourKey());
    if (source.getColourKey() >= 0) clear(uint16_t(source.getColourKey()));
    blitScaled({0, 0, scratch.width(), scratch.height()}, source, sourceRect);
    target = savedTarget;
    clip = savedClip;
    op = savedOp;
    blitRotated(x, y, angle, scratch);
}

void RenderContext::clear(uint16_t colour) {
    if (!targetSurface()) return;
    op->fill(target->pixelsToWrite({0, 0, target->width(), target->height()}, colour, *op), colour);
}

void RenderContext::plotInside(int64_t x, int64_t y, uint16_t colour) {
    const Surface* surface = targetSurface();
    if (!surface || x < 0 || x >= surface->width || y < 0 || y >= surface->height) return;
    const RenderPoint at{int32_t(x), int32_t(y)};
    // Text is drawn pixel by pixel: the telling stays off the plain path, so both end in the write.
    if (Surface* pixels = target->pixelsToWriteUntold()) [[likely]]
        return op->plot(*pixels, at, colour);
    tellAndPlot(at, colour);
}

void RenderContext::tellAndPlot(RenderPoint at, uint16_t colour) {
    op->plot(target->pixelsToWrite({at.x, at.y, at.x + 1, at.y + 1}, colour, *op), at, colour);
}

void RenderContext::plot(int32_t x, int32_t y, uint16_t colour) { plotInside(x, y, colour); }

void RenderContext::horizontal(int64_t x, int64_t y, int64_t length, uint16_t colour) {
    RenderRect area = drawArea();
    if (y < area.top || y >= area.bottom || !clipRun(x, length, area.left, area.right)) return;
    Surface& into = target->pixelsToWrite({int32_t(x), int32_t(y), int32_t(x + length), int32_t(y + 1)}, colour, *op);
    op->hline(into, {int32_t(x), int32_t(y)}, int32_t(length), colour);
}

void RenderContext::vertical(int64_t x, int64_t y, int64_t length, uint16_t colour) {
    RenderRect area = drawArea();
    int64_t pixels = length + 1;
    if (x < area.left || x >= area.right || !clipRun(y, pixels, area.top, area.bottom)) return;
    Surface& into = target->pixelsToWrite({int32_t(x), int32_t(y), int32_t(x + 1), int32_t(y + pixels)}, colour, *op);
    op->vline(into, {int32_t(x), int32_t(y)}, int32_t(pixels - 1), colour);
}

void RenderContext::drawHLine(int32_t x, int32_t y, int32_t length, uint16_t colour) {
    horizontal(x, y, length, colour);
}

void RenderContext::drawVLine(int32_t x, int32_t y, int32_t length, uint16_t colour) { vertical(x, y, length, colour); }

void RenderContext::drawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint16_t colour) {
    if (x0 == x1) return vertical(x0, std::min(y0, y1), std::llabs(int64_t(y1) - y0), colour);
    if (y0 == y1) return horizontal(std::min(x0, x1), y0, std::llabs(int64_t(x1) - x0), colour);
    int64_t ax = x0, ay = y0, bx = x1, by = y1;
    if (!clipLine(drawArea(), ax, ay, bx, by)) return;
    Surface& into = target->pixelsToWrite({int32_t(std::min(ax, bx)), int32_t(std::min(ay, by)),
                                           int32_t(std::max(ax, bx) + 1), int32_t(std::max(ay, by) + 1)},
                                          colour, *op);
    op->line(into, {int32_t(ax), int32_t(ay)}, {int32_t(bx), int32_t(by)}, colour);
}

void RenderContext::drawRect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint16_t colour) {
    int64_t width = int64_t(x1) - x0, height = int64_t(y1) - y0;
    horizontal(x0, y0, width, colour);
    vertical(x0, y0, height, colour);
    vertical(x1, y0, height, colour);
    horizontal(x0, y1, width, colour);
}

void RenderContext::drawPolyline(const RenderPoint* points, int32_t count, uint16_t colour) {
    if (!points || count < 1) return;
    for (int32_t i = 0; i + 1 < count; ++i)
        drawLine(points[i].x, points[i].y, points[i + 1].x, points[i + 1].y, colour);
    drawLine(points[0].x, points[0].y, points[count - 1].x, points[count - 1].y, colour);
}

void RenderContext::fillPolygon(const RenderPoint* points, int32_t count, uint16_t colour) {
    if (!points || count < 1) return;
    if (count == 1) return drawHLine(points[0].x, points[0].y, 1, colour);
    if (count == 2) return drawLine(points[0].x, points[0].y, points[1].x, points[1].y, colour);
    int32_t rows = target ? target->height() : 0;
    std::vector<int32_t> left(size_t(std::max(rows, 0)), noEdge), right(left);
    int32_t top = rows, bottom = 0;
    for (int32_t i = 0; i < count; ++i) {
        RenderPoint a = points[i], b = points[(i + 1) % count];
        if (a.y == b.y) continue;
        top = std::min({top, a.y, b.y});
        bottom = std::max({bottom, a.y, b.y});
        scanEdge(a, b, left, right);
    }
    for (int32_t r = std::max(top, 0); r < std::min(bottom, rows); ++r) {
        if (left[r] == noEdge) continue;
        if (right[r] == noEdge) right[r] = left[r];
        drawLine(left[r], r, right[r], r, colour);
    }
}

void RenderContext::drawCircle(int32_t x, int32_t y, int32_t radius, uint16_t colour) {
    RenderRect area = drawArea();
    if (area.isEmpty()) return;
    int64_t left = int64_t(x) - radius, right = int64_t(x) + radius;
    int64_t top = int64_t(y) - radius, bottom = int64_t(y) + radius;
    if (right < area.left || bottom < area.top || left >= area.right || top >= area.bottom) return;
    Surface& into = target->pixelsToWrite(
        {int32_t(std::max<int64_t>(left, area.left)), int32_t(std::max<int64_t>(top, area.top)),
         int32_t(std::min<int64_t>(right + 1, area.right)), int32_t(std::min<int64_t>(bottom + 1, area.bottom))},
        colour, *op);
    if (left >= area.left && right < area.right && top >= area.top && bottom < area.bottom)
        op->circle(into, {x, y}, radius, colour);
    else
        op->circleClipped(into, {x, y}, radius, colour, area);
}

void RenderContext::fillRect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint16_t colour) {
    RenderRect rect = RenderRect{x0, y0, x1, y1}.intersect(drawArea());
    if (rect.isEmpty()) return;
    op->fillRect(target->pixelsToWrite(rect, colour, *op), rect, colour);
}

void RenderContext::drawText(const uint8_t* font, const char16_t* text, int32_t alignment, int32_t x, int32_t y,
                             uint16_t colour) {
    if (!font || !text || !targetSurface()) return;
    int64_t count = 0;
    while (text[count]) ++count;
    int64_t room = int64_t(target->width()) + 1 - 9 * count;
    int64_t left = alignment == 0 ? x : alignment == 2 ? room >> 1 : alignment == 3 ? room : 0;
    for (int64_t i = 0; i < count; ++i, left += 9) {
        const uint8_t* glyph = font + 16 * (text[i] & 0xFF);
        for (int row = 0; row < 16; ++row)
            for (int column = 0; column < 8; ++column)
                if (glyph[row] & (0x80 >> column)) plotInside(left + column, int64_t(y) + row, colour);
    }
}
