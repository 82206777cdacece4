#include "gameimage.h"
#include <utility>
#include "dgraphics.h"
#include "imageatlas.h"

using dfc::lang::DintArrayPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DImagePtr;

namespace {

struct Suffix {
    const char16_t* text;
    int32_t code;
};
constexpr Suffix suffixes[] = {{u"_up", GameImage::turned270},
                               {u"_dn", GameImage::turned90},
                               {u"_lv", GameImage::turned180},
                               {u"_mr", GameImage::mirrored}};
constexpr int suffixLength = 3;

}  // namespace

GameImagePtr GameImage::load(const DStringPtr& name) {
    int32_t code = plain;
    DStringPtr base = name;
    for (const Suffix& suffix : suffixes) {
        if (name->endsWith(suffix.text)) {
            code = suffix.code;
            base = name->substring(0, name->length() - suffixLength);
            break;
        }
    }
    GameImagePtr image = new GameImage();
    DintArrayPtr rectangle = ImageAtlas::find(base);
    if (rectangle) {
        image->x = rectangle[0];
        image->y = rectangle[1];
        image->width = rectangle[2];
        image->height = rectangle[3];
        image->transform(code);
    }
    return image;
}

void GameImage::transform(int32_t code) {
    transformCode = code;
    const int32_t atlasWidth = ImageAtlas::width;
    const int32_t atlasHeight = ImageAtlas::height;
    const int32_t oldX = x, oldY = y, oldWidth = width;
    switch (code) {
    case mirrored: x = atlasWidth - width - x; break;
    case turned90:
        std::swap(width, height);
        x = atlasHeight - width - oldY;
        y = oldX;
        break;
    case turned270:
        std::swap(width, height);
        x = oldY;
        y = atlasWidth - oldWidth - oldX;
        break;
    default: break;
    }
}

void GameImage::drawFrame(int x, int y, const GameImagePtr& image) { image->draw(x, y, false); }

void GameImage::drawFrameVariant(int x, int y, const GameImagePtr& image) { image->draw(x, y, true); }

void GameImage::draw(int left, int top, bool opaque) const {
    if (width <= 0 || height <= 0) return;
    DGraphics& g = *ImageAtlas::currentGraphics;
    const int clipX = g.getClipX(), clipY = g.getClipY();
    const int clipWidth = g.getClipWidth(), clipHeight = g.getClipHeight();
    g.setClip(left, top, width, height);
    const DImagePtr picture = ImageAtlas::picture(transformCode);
    int drawX = left - x, drawY = top - y;
    if (transformCode == turned180) {
        // The half-turned copy runs the other way: the rectangle is measured from its far corner.
        drawX = left + width + x - picture->getWidth();
        drawY = top + height + y - picture->getHeight();
    }
    const int anchor = DGraphics::TOP | DGraphics::LEFT;
    if (opaque)
        g.drawRegion(picture, drawX, drawY, anchor);
    else
        g.drawImage(picture, drawX, drawY, anchor);
    g.setClip(clipX, clipY, clipWidth, clipHeight);
}
