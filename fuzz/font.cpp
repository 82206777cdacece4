// Bitmap-font metrics: a glyph count, then each glyph's character and width, over valid
// strips; the font is then measured and drawn with.
// Seeds: fonts/*/font_?
// Timeout: 20 s
#include "dexception.h"
#include "dgraphics.h"
#include "dimage.h"
#include "fuzz_app.h"
#include "imagefont.h"
#include "screencanvas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::startApp();
    static bool stripped = false;
    if (!stripped) fuzz::putFont("/tst", false);
    stripped = true;
    for (int part = 0; part < 3; ++part) fuzz::putFile("/tst/font_" + std::to_string(part), data, size);
    try {
        ImageFontPtr font = new ImageFont();
        font->load(u"/tst");
        // The graphics draws on the image's surface: the image must outlive it.
        static dfc::microedition::lcdui::DImagePtr target = dfc::microedition::lcdui::DImage::createImage(60, 30);
        ScreenCanvas::screenGraphics = target->getGraphics();
        const dfc::lang::DStringPtr text = u"AZ az 09 .,!? \u00e9";
        font->stringWidth(text);
        font->drawString(text, 2, 2,
                         dfc::microedition::lcdui::DGraphics::TOP | dfc::microedition::lcdui::DGraphics::LEFT);
        font->drawString(text, 30, 15,
                         dfc::microedition::lcdui::DGraphics::HCENTER | dfc::microedition::lcdui::DGraphics::TOP);
    } catch (dfc::lang::DExceptionPtr&) {
    }
    return 0;
}
