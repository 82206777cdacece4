#pragma once
#include <cstdint>
#include <memory>
#include "dfont.h"
#include "dgraphics.ptr"
#include "dimage.ptr"
#include "dstring.h"

class RenderContext;
class RenderSurface;

namespace dfc::microedition::lcdui {

// Draws on a canvas back buffer or an image surface, which must outlive it. The colour is
// kept as 0x00RRGGBB and drawn as RGB565; it is black until set.
class DGraphics : public lang::DObject {
public:
    // Anchor bits of drawImage, drawRegion and drawString.
    static constexpr int HCENTER = 1;
    static constexpr int VCENTER = 2;
    static constexpr int LEFT = 4;
    static constexpr int RIGHT = 8;
    static constexpr int TOP = 16;
    static constexpr int BOTTOM = 32;
    static constexpr int BASELINE = 64;

    explicit DGraphics(RenderSurface* target);
    ~DGraphics() override;

    // Skips the image's colour-key pixels. Right wins over centre, bottom over centre.
    void drawImage(DImagePtr image, int x, int y, int anchor);
    // The whole image, key pixels included.
    void drawRegion(DImagePtr image, int x, int y, int anchor);
    // Left wins over right, which wins over centre; top over bottom over centre over baseline.
    // Text is bounded by the target, not by the clip. A null text draws nothing.
    void drawString(lang::DStringPtr text, int x, int y, int anchor);
    // Fills (width + 1) x (height + 1) pixels: the area drawRect outlines.
    void fillRect(int x, int y, int width, int height);
    // A single point is bounded by the target, not by the clip.
    void drawLine(int x1, int y1, int x2, int y2);
    void drawRect(int x, int y, int width, int height);
    // A clip that misses the target turns drawing off until the next one that meets it.
    void setClip(int x, int y, int width, int height);
    // The rectangle of the last setClip as it was given: setting it again restores the clip,
    // drawing turned off included.
    int getClipX() const { return clipX; }
    int getClipY() const { return clipY; }
    int getClipWidth() const { return clipWidth; }
    int getClipHeight() const { return clipHeight; }

    DFontPtr getFont() const { return font; }
    void setFont(DFontPtr newFont) { font = newFont; }
    int getColor() const { return colour; }
    // Bits 24-31 are ignored.
    void setColor(int rgb);
    void setColorRGB(int red, int green, int blue);

private:
    // Where an image's top-left corner goes for the anchor point (x, y).
    void blit(const DImagePtr& image, int x, int y, int anchor);

    uint16_t colour565 = 0;
    int32_t colour = 0;
    std::unique_ptr<RenderContext> context;
    RenderSurface* target;
    DFontPtr font;
    bool clipVisible = true;
    int32_t clipX = 0, clipY = 0, clipWidth = 0, clipHeight = 0;
};

}  // namespace dfc::microedition::lcdui
