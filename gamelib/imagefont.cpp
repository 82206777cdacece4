#include "imagefont.h"
#include <cwctype>
#include "ddamageddataexception.h"
#include "ddatainputstream.h"
#include "dimage.h"
#include "dioexception.h"
#include "dstringbuffer.h"
#include "gamelib.h"
#include "glyphstrip.h"
#include "screencanvas.h"

using dfc::io::DDamagedDataException;
using dfc::io::DDamagedDataExceptionPtr;
using dfc::io::DDataInputStream;
using dfc::io::DDataInputStreamPtr;
using dfc::io::DIOExceptionPtr;
using dfc::lang::DbyteArray;
using dfc::lang::DbyteArray2d;
using dfc::lang::DintArray;
using dfc::lang::DintArray2d;
using dfc::lang::DStringArray;
using dfc::lang::DStringBuffer;
using dfc::lang::DStringBufferPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DGraphicsPtr;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImageArray;

ImageFont::ImageFont()
    : images(new DImageArray(partSlots)),
      offsets(new DintArray2d(partSlots)),
      widths(new DbyteArray2d(partSlots)),
      charsets(new DStringArray(partSlots)) {}

void ImageFont::load(const DStringPtr& name) {
    partCount = 0;
    images = new DImageArray(partSlots);
    offsets = new DintArray2d(partSlots);
    widths = new DbyteArray2d(partSlots);
    charsets = new DStringArray(partSlots);
    for (int part = 0; part < partSlots; ++part) loadPart(name, part);
}

void ImageFont::loadPart(const DStringPtr& name, int part) {
    const DStringPtr base = name + u"/font_" + part;
    images[part] = DImage::createImage(base + u".png", 0);
    DDataInputStreamPtr in = new DDataInputStream(GameLib::openResource(base));
    const DStringPtr entry = GameLib::servingEntry(base);
    try {
        readMetrics(in, entry, part);
    } catch (DDamagedDataExceptionPtr&) {
        throw;
    } catch (DIOExceptionPtr&) {
        throw damaged(entry, u"it ends before its last glyph, or a glyph's text is no modified UTF-8");
    }
    in->close();
    const int64_t total = offsets[part][offsets[part]->length - 1];
    const int32_t stripWidth = images[part]->getWidth();
    if (!GlyphStrip::fits(widths[part]->length - 1, total, stripWidth))
        throw damaged(entry, DStringPtr(u"its glyphs add up to ") + int32_t(total) + u" pixels but its strip " +
                                 GameLib::pictureEntry(base + u".png") + u" is " + stripWidth + u" wide");
    ++partCount;
}

void ImageFont::readMetrics(const DDataInputStreamPtr& in, const DStringPtr& entry, int part) {
    const int count = in->readByte();
    if (count < 0) throw damaged(entry, DStringPtr(u"its glyph count is negative (") + count + u")");
    DintArray& offset = *(offsets[part] = new DintArray(count + 1));
    DbyteArray& width = *(widths[part] = new DbyteArray(count + 1));
    DStringBufferPtr characters = new DStringBuffer();
    for (int j = 0; j < count; ++j) {
        DStringPtr glyph = cased(in->readUTF());
        // The charset is indexed by glyph: each glyph must name exactly one character.
        if (glyph->length() != 1) throw damaged(entry, DStringPtr(u"glyph ") + j + u" is not one character");
        characters->append(glyph);
        width[j] = static_cast<int8_t>(in->readByte());
        if (width[j] < 0) throw damaged(entry, DStringPtr(u"glyph ") + j + u" has a negative width");
        offset[j + 1] = width[j] + offset[j];
    }
    charsets[part] = characters->toString();
}

DDamagedDataExceptionPtr ImageFont::damaged(const DStringPtr& entry, const DStringPtr& why) {
    return new DDamagedDataException(u"the font metrics " + entry + u" are damaged: " + why);
}

DStringPtr ImageFont::cased(const DStringPtr& text) const {
    if (!text) return u"";
    return upperCase ? text->toUpperCase() : text;
}

bool ImageFont::findGlyph(char16_t c, Glyph* glyph) {
    for (int part = 0; part < partCount; ++part) {
        const int index = charsets[part]->indexOf(c);
        if (index >= 0) {
            *glyph = Glyph{part, index};
            return true;
        }
    }
    return false;
}

int ImageFont::advance(char16_t c) {
    if (c == u' ') return widths[0][0] + spacing;
    Glyph glyph;
    if (!findGlyph(c, &glyph)) return 0;
    return widths[glyph.part][glyph.index] + spacing;
}

int ImageFont::stringWidth(const DStringPtr& text) {
    if (!text) return 0;
    int total = 0;
    for (int i = 0; i < text->length(); ++i) total += charWidth(text->charAt(i));
    return total;
}

int ImageFont::charWidth(char16_t c) {
    // Cased as cased() cases a whole text: unit by unit.
    return advance(upperCase ? static_cast<char16_t>(std::towupper(c)) : c);
}

int ImageFont::getHeight() { return images[0]->getHeight(); }

void ImageFont::drawString(const DStringPtr& text, int x, int y, int anchor) {
    drawStringImpl(ScreenCanvas::screenGraphics, text, x, y, anchor);
}

void ImageFont::drawStringImpl(const DGraphicsPtr& g, const DStringPtr& text, int x, int y, int anchor) {
    const int clipX = g->getClipX(), clipY = g->getClipY();
    const int clipWidth = g->getClipWidth(), clipHeight = g->getClipHeight();
    if (anchor & DGraphics::HCENTER) x -= stringWidth(text) >> 1;
    if (anchor & DGraphics::RIGHT) x -= stringWidth(text);
    if (anchor & DGraphics::BASELINE) y -= getHeight() / 2;
    if (anchor & DGraphics::VCENTER) y -= getHeight() / 2;
    if (anchor & DGraphics::BOTTOM) y -= getHeight();

    const DStringPtr shown = cased(text);
    for (int i = 0; i < shown->length(); ++i) {
        const char16_t c = shown->charAt(i);
        Glyph glyph;
        if (c != u' ' && findGlyph(c, &glyph)) {
            // One clipped blit of the strip shows just this glyph.
            const int w = widths[glyph.part][glyph.index];
            g->setClip(x, y, w, images[glyph.part]->getHeight());
            g->drawImage(images[glyph.part], x - offsets[glyph.part][glyph.index], y, DGraphics::TOP | DGraphics::LEFT);
            g->setClip(clipX, clipY, clipWidth, clipHeight);
        }
        x += advance(c);
    }
}
