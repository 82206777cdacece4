// An image atlas: "name;x;y;width;height" lines over a picture, each named picture then drawn.
// Seeds: *all.txt menu/*.txt ppc/menu/*.txt
// Max length: 1048576 bytes
// Timeout: 60 s
#include "dexception.h"
#include "denumeration.h"
#include "dgraphics.h"
#include "dhashtable.h"
#include "dimage.h"
#include "fuzz_app.h"
#include "gameimage.h"
#include "imageatlas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::startApp();
    static bool pictured = false;
    if (!pictured) fuzz::putPicture("/tst/all.png", 64, 48);
    pictured = true;
    fuzz::putFile("/tst/all.txt", data, size);
    try {
        ImageAtlas::load(u"/tst/all");
        // The graphics draws on the image's surface: the image must outlive it.
        static dfc::microedition::lcdui::DImagePtr target = dfc::microedition::lcdui::DImage::createImage(40, 40);
        ImageAtlas::currentGraphics = target->getGraphics();
        dfc::util::DEnumerationPtr names = ImageAtlas::imageAtlas->keys();
        for (int i = 0; i < 64 && names->hasMoreElements(); ++i) {
            GameImagePtr image = GameImage::load(dfc::lang::DStringPtr::from(names->nextElement()));
            image->drawAt(-3, 5);
            for (int code : {GameImage::mirrored, GameImage::turned90}) {
                image->transform(code);
                image->drawAt(10, -2);
            }
        }
    } catch (dfc::lang::DExceptionPtr&) {
    }
    return 0;
}
