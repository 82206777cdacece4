#pragma once
#include <cstdint>
#include <utility>
#include "pixelcombiner.h"
#include "rasterop.h"
#include "rendersurface.h"

class AlphaRasterOp;
class CombinerRasterOp;

// Draws on a target surface through the current raster operation, clipped to a rectangle
// inside the target. Colours are RGB565 pixel values. An empty clip draws nothing, except
// clear, which always fills the whole target, and plot and drawText, which are bounded by
// the target surface alone.
class RenderContext {
public:
    explicit RenderContext(RenderSurface* surface = nullptr);
    RenderContext(const RenderContext&) = delete;
    RenderContext& operator=(const RenderContext&) = delete;
    ~RenderContext();

    // Null when there is no surface or memory runs out.
    static RenderContext* create(RenderSurface* surface);

    // Returns the previous target; the clip becomes the whole new target.
    RenderSurface* setTarget(RenderSurface* surface);
    RenderSurface* getTarget() const { return target; }
    // The rectangle's part inside the target.
    void setClip(const RenderRect& rect);
    const RenderRect& getClip() const { return clip; }

    void setOpaque();
    // Blends with alpha & 0xFF; 252 and above draw opaque. Null, with the raster operation
    // unchanged, when memory runs out.
    RasterOp* setAlpha(int32_t alpha);
    // Hands every pixel to the combiner (not owned); null, unchanged, when there is no
    // combiner or memory runs out.
    RasterOp* setCombiner(PixelCombiner* combiner);
    RasterOp* getOp() const { return op; }

    // Source pixels equal to the source's colour key are left out when it has one. Source
    // rectangles are cut to the source surface, so nothing outside it is read.
    void blit(int32_t x, int32_t y, const RenderSurface& source, const RenderRect* sourceRect = nullptr);
    // Stretches the source region over the destination rectangle.
    void blitScaled(const RenderRect& destination, const RenderSurface& source, const RenderRect* sourceRect = nullptr);
    // The whole source turned by angle radians about its centre, centred on (x, y).
    void blitRotated(int32_t x, int32_t y, float angle, const RenderSurface& source);
    // Scales the source region onto the whole scratch surface, then draws that turned.
    void blitScaledRotated(int32_t x, int32_t y, float angle, const RenderSurface& source, RenderSurface& scratch,
                           const RenderRect* sourceRect = nullptr);

    // The whole target, clip or not.
    void clear(uint16_t colour);
    // Bounded by the target surface, not by the clip.
    void plot(int32_t x, int32_t y, uint16_t colour);
    // Pixels x to x + length - 1.
    void drawHLine(int32_t x, int32_t y, int32_t length, uint16_t colour);
    // Rows y to y + length: length + 1 pixels.
    void drawVLine(int32_t x, int32_t y, int32_t length, uint16_t colour);
    // Both ends drawn, except that a horizontal line leaves out its end with the larger x.
    void drawLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint16_t colour);
    // The outline of columns x0 to x1 and rows y0 to y1, both inclusive.
    void drawRect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint16_t colour);
    void drawRect(const RenderRect& rect, uint16_t colour) {
        drawRect(rect.left, rect.top, rect.right, rect.bottom, colour);
    }
    // Lines from each point to the next, then from the first to the last.
    void drawPolyline(const RenderPoint* points, int32_t count, uint16_t colour);
    void fillPolygon(const RenderPoint* points, int32_t count, uint16_t colour);
    void drawCircle(int32_t x, int32_t y, int32_t radius, uint16_t colour);
    // Right and bottom exclusive.
    void fillRect(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint16_t colour);
    void fillRect(const RenderRect& rect, uint16_t colour) {
        fillRect(rect.left, rect.top, rect.right, rect.bottom, colour);
    }
    // Text in a font of 256 glyphs of 8 x 16 bits (a byte a row, bit 7 leftmost), 9 pixels a
    // character. Alignment 0 starts at x, 2 centres on the target, 3 ends at its right edge,
    // any other starts at 0. Bounded by the target surface, like plot.
    void drawText(const uint8_t* font, const char16_t* text, int32_t alignment, int32_t x, int32_t y, uint16_t colour);

private:
    // To read: a write takes the target's pixels from pixelsToWrite, which tells it of the write.
    const Surface* targetSurface() const { return target ? std::as_const(*target).getSurface() : nullptr; }
    [[gnu::cold]] void tellAndPlot(RenderPoint at, uint16_t colour);
    // Whether a blit of the source leaves its key pixels out.
    bool isKeyed(const RenderSurface& source) const;
    // The clip as far as it lies on the target now; empty when there is nothing to draw on.
    RenderRect drawArea() const;
    void plotInside(int64_t x, int64_t y, uint16_t colour);
    void horizontal(int64_t x, int64_t y, int64_t length, uint16_t colour);
    void vertical(int64_t x, int64_t y, int64_t length, uint16_t colour);
    void affine(RenderRect box, const AffineTransform& transform, const RenderSurface& source);

    RenderSurface* target = nullptr;
    RenderRect clip{0, 0, 0, 0};
    RasterOp* op;
    AlphaRasterOp* alphaOp = nullptr;
    CombinerRasterOp* combinerOp = nullptr;
};
