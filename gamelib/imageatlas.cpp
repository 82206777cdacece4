#include "imageatlas.h"
#include "ddatainputstream.h"
#include "dinteger.h"
#include "dioexception.h"
#include "gamelib.h"
#include "screencanvas.h"
#include "stringmanager.h"

using dfc::io::DDataInputStream;
using dfc::io::DDataInputStreamPtr;
using dfc::io::DEOFExceptionPtr;
using dfc::lang::DintArray;
using dfc::lang::DintArrayPtr;
using dfc::lang::DInteger;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphicsPtr;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;
using dfc::util::DHashtable;
using dfc::util::DHashtablePtr;

DHashtablePtr ImageAtlas::imageAtlas;
DGraphicsPtr ImageAtlas::currentGraphics;
int32_t ImageAtlas::width = 0;
int32_t ImageAtlas::height = 0;
DImagePtr ImageAtlas::pictures[codeSlots];

namespace {
constexpr int fieldCount = 5;
// The turned copies, in the order they are made.
constexpr int32_t turnedCodes[] = {6, 5, 3, 2};
}  // namespace

void ImageAtlas::load(const DStringPtr& name) {
    if (!imageAtlas) imageAtlas = new DHashtable(11, 75);
    imageAtlas->clear();
    dropPictures();
    currentGraphics = ScreenCanvas::screenGraphics;
    readRectangles(name);
    loadPictures(name);
}

void ImageAtlas::readRectangles(const DStringPtr& name) {
    DDataInputStreamPtr in = new DDataInputStream(GameLib::openResource(name + u".txt"));
    try {
        while (DStringPtr line = StringManager::readLine(in)) {
            DStringArrayPtr fields = StringManager::split(line, u';');
            if (fields->length < fieldCount) continue;
            DintArrayPtr rectangle = new DintArray(4);
            for (int i = 0; i < 4; ++i) rectangle[i] = DInteger::parseInt(fields[i + 1]);
            imageAtlas->put(DStringPtr(fields[0]), rectangle);
        }
    } catch (DEOFExceptionPtr&) {
        // A text without an empty last line ends here.
    }
    in->close();
}

void ImageAtlas::loadPictures(const DStringPtr& name) {
    DImagePtr atlas = DImage::createImage(name + u".png", 0);
    for (int32_t code : turnedCodes) pictures[code] = DImage::createImage(atlas, code);
    pictures[0] = atlas;
    width = atlas->getWidth();
    height = atlas->getHeight();
}

DintArrayPtr ImageAtlas::find(const DStringPtr& name) {
    if (!imageAtlas) return DintArrayPtr();
    return DintArrayPtr::from(imageAtlas->get(name));
}

DImagePtr ImageAtlas::picture(int32_t transform) {
    const bool turned = transform > 0 && transform < codeSlots && pictures[transform];
    return turned ? pictures[transform] : pictures[0];
}

void ImageAtlas::dropPictures() {
    for (DImagePtr& p : pictures) p = nullptr;
    width = height = 0;
}

void ImageAtlas::release() {
    dropPictures();
    imageAtlas = nullptr;
    currentGraphics = nullptr;
}
