#pragma once
#include "ddamageddataexception.ptr"
#include "ddatainputstream.h"
#include "dgraphics.h"
#include "dimagearray.h"
#include "dprimitives.h"
#include "dstringarray.h"
#include "imagefont.ptr"

// A bitmap font of up to three glyph strips. Each strip is a picture of glyphs side by side;
// its metrics name the glyphs and give their widths.
class ImageFont : public dfc::lang::DObject {
public:
    static constexpr int partSlots = 3;

    ImageFont();

    // Loads the strips name + "/font_<i>.png" and their metrics name + "/font_<i>". Metrics that
    // cannot be read, or whose glyph widths do not fill their strip, throw DDamagedDataException.
    void load(const dfc::lang::DStringPtr& name);
    // Draws on the screen. A null text (a key the texts lack) is drawn as nothing and measured
    // as zero wide.
    void drawString(const dfc::lang::DStringPtr& text, int x, int y, int anchor);
    void drawStringImpl(const dfc::microedition::lcdui::DGraphicsPtr& g, const dfc::lang::DStringPtr& text, int x,
                        int y, int anchor);
    int stringWidth(const dfc::lang::DStringPtr& text);
    // What one character of a text adds to its stringWidth. Layouts that measure as they scan
    // go through it, so that a test can count their work.
    virtual int charWidth(char16_t c);
    // The height of the first strip.
    int getHeight();

    dfc::microedition::lcdui::DImageArrayPtr images;
    dfc::lang::DintArray2dPtr offsets;
    dfc::lang::DbyteArray2dPtr widths;
    dfc::lang::DStringArrayPtr charsets;
    int32_t partCount = 0;
    // Pixels after every glyph, blanks included.
    int32_t spacing = 0;
    bool upperCase = true;

private:
    struct Glyph {
        int part;
        int index;
    };

    void loadPart(const dfc::lang::DStringPtr& name, int part);
    // The part's glyph count, characters and widths; entry names the metrics in what it throws.
    void readMetrics(const dfc::io::DDataInputStreamPtr& in, const dfc::lang::DStringPtr& entry, int part);
    static dfc::io::DDamagedDataExceptionPtr damaged(const dfc::lang::DStringPtr& entry,
                                                     const dfc::lang::DStringPtr& why);
    // False for a character no strip carries.
    bool findGlyph(char16_t c, Glyph* glyph);
    // What a character moves the pen by: a blank the first glyph's width, a missing one 0.
    int advance(char16_t c);
    // The text as the strips carry it; empty for a null text.
    dfc::lang::DStringPtr cased(const dfc::lang::DStringPtr& text) const;
};
