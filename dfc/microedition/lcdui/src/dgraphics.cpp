#include "dgraphics.h"
#include <algorithm>
#include <limits>
#include "dimage.h"
#include "rendercontext.h"

namespace dfc::microedition::lcdui {

namespace {

// Far edges of huge rectangles saturate instead of wrapping round.
int32_t edge(int64_t value) {
    return int32_t(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Text anchors look at left before right before centre, and at top before bottom before
// centre before baseline.
int textLeft(int x, int anchor, int width) {
    if (anchor & DGraphics::LEFT) return x;
    if (anchor & DGraphics::RIGHT) return x - width;
    if (anchor & DGraphics::HCENTER) return x - (width >> 1);
    return x;
}

int textTop(int y, int anchor, int height, int baseline) {
    if (anchor & DGraphics::TOP) return y;
    if (anchor & DGraphics::BOTTOM) return y - height;
    if (anchor & DGraphics::VCENTER) return y - (height >> 1);
    if (anchor & DGraphics::BASELINE) return y - baseline;
    return y;
}

}  // namespace

DGraphics::DGraphics(RenderSurface* target)
    : context(std::make_unique<RenderContext>(target)), target(target), font(DFont::getDefaultFont()) {
    setClip(0, 0, target->width(), target->height());
}

DGraphics::~DGraphics() = default;

void DGraphics::setColor(int rgb) {
    colour = rgb;
    colour565 = uint16_t(((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x001F));
}

void DGraphics::setColorRGB(int red, int green, int blue) {
    colour = ((red & 255) << 16) | ((green & 255) << 8) | (blue & 255);
    colour565 = uint16_t(((red & 0xFFF8) << 8) | ((green & 0xFC) << 3) | (blue >> 3));
}

void DGraphics::setClip(int x, int y, int width, int height) {
    clipX = x;
    clipY = y;
    clipWidth = width;
    clipHeight = height;
    int64_t right = int64_t(x) + width, bottom = int64_t(y) + height;
    clipVisible = right > 0 && x < target->width() && bottom > 0 && y < target->height() && width >= 1 && height >= 1;
    if (clipVisible)
        context->setClip(RenderRect{x, y, edge(right), edge(bottom)});
    else
        context->setClip(RenderRect{0, 0, target->width(), target->height()});
}

void DGraphics::blit(const DImagePtr& image, int x, int y, int anchor) {
    int w = image->getWidth(), h = image->getHeight();
    if (anchor & RIGHT)
        x -= w;
    else if (anchor & HCENTER)
        x -= w >> 1;
    if (anchor & BOTTOM)
        y -= h;
    else if (anchor & VCENTER)
        y -= h >> 1;
    RenderRect whole{0, 0, w, h};
    context->blit(x, y, *image->getSurface(), &whole);
}

void DGraphics::drawImage(DImagePtr image, int x, int y, int anchor) {
    if (clipVisible) blit(image, x, y, anchor);
}

void DGraphics::drawRegion(DImagePtr image, int x, int y, int anchor) {
    if (!clipVisible) return;
    RenderSurface* surface = image->getSurface();
    int32_t key = surface->getColourKey();
    surface->setColourKey(RenderSurface::noKey);
    blit(image, x, y, anchor);
    surface->setColourKey(key);
}

void DGraphics::drawString(lang::DStringPtr text, int x, int y, int anchor) {
    if (!clipVisible) return;
    int height = font->getHeight();
    if (!text) return;
    x = textLeft(x, anchor, font->stringWidth(text));
    y = textTop(y, anchor, height, font->getBaseline());
    for (int i = 0; i < text->length(); ++i) {
        const DFont::Glyph* glyph = font->glyphOf(text->charAt(i));
        if (!glyph) continue;
        for (int r = 0; r < glyph->rows; ++r)
            for (int c = 0; c < glyph->width; ++c)
                if (glyph->ink(r, c)) context->plot(x + c, y + r, colour565);
        x += glyph->width;
    }
}

void DGraphics::fillRect(int x, int y, int width, int height) {
    if (clipVisible) context->fillRect(x, y, edge(int64_t(x) + width + 1), edge(int64_t(y) + height + 1), colour565);
}

void DGraphics::drawLine(int x1, int y1, int x2, int y2) {
    if (!clipVisible) return;
    if (x1 == x2 && y1 == y2)
        context->plot(x1, y1, colour565);
    else
        context->drawLine(x1, y1, x2, y2, colour565);
}

void DGraphics::drawRect(int x, int y, int width, int height) {
    if (clipVisible) context->drawRect(x, y, edge(int64_t(x) + width), edge(int64_t(y) + height), colour565);
}

}  // namespace dfc::microedition::lcdui
