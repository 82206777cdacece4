#include "imageatlas.h"
#include <algorithm>
#include <iterator>
#include "atlaslines.h"
#include "damagelog.h"
#include "ddamageddataexception.h"
#include "ddatainputstream.h"
#include "dioexception.h"
#include "excerpt.h"
#include "gamelib.h"
#include "keybudget.h"
#include "screencanvas.h"
#include "stringmanager.h"

using dfc::io::DDamagedDataException;
using dfc::io::DDamagedDataExceptionPtr;
using dfc::io::DDataInputStream;
using dfc::io::DDataInputStreamPtr;
using dfc::io::DEOFExceptionPtr;
using dfc::lang::DintArrayPtr;
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
bool ImageAtlas::cutShort = false;
DStringPtr ImageAtlas::entry;
DImagePtr ImageAtlas::pictures[codeSlots];

namespace {
// The turned copies, in the order they are made.
constexpr int32_t turnedCodes[] = {6, 5, 3, 2};
}  // namespace

void ImageAtlas::load(const DStringPtr& name) {
    if (!imageAtlas) imageAtlas = new DHashtable(11, 75);
    imageAtlas->clear();
    dropPictures();
    currentGraphics = ScreenCanvas::screenGraphics;
    // The picture first: every rectangle is checked against it as it is read.
    loadPictures(name);
    try {
        readRectangles(name);
    } catch (DDamagedDataExceptionPtr&) {
        // Nothing of a damaged atlas is drawn from.
        imageAtlas->clear();
        dropPictures();
        throw;
    }
}

void ImageAtlas::readRectangles(const DStringPtr& name) {
    const DStringPtr text = name + u".txt";
    // The text of this screen's picture: the other screen's rectangles would cut it wrong.
    DDataInputStreamPtr in = new DDataInputStream(GameLib::openScreenResource(text));
    entry = GameLib::servingEntry(text);
    AtlasLines lines(entry, GameLib::pictureEntry(name + u".png"), width, height);
    DStringPtr last;
    bool ended = true, lastEnded = true;
    KeyBudget budget;
    try {
        while (DStringPtr line = StringManager::readLine(in, &ended)) {
            last = line;
            lastEnded = ended;
            DintArrayPtr rectangle;
            const DStringPtr picture = lines.read(line, ended, &rectangle);
            if (picture && budget.admits(picture)) imageAtlas->put(picture, rectangle);
        }
    } catch (DEOFExceptionPtr&) {
        cutShort = true;
    }
    in->close();
    lines.throwIfOutside();
    if (cutShort) reportCutShort(entry, last, lastEnded);
    if (budget.exceeded())
        DamageLog::name(u"the pictures of the atlas " + entry,
                        u"ImageAtlas: " + entry + u" holds " + KeyBudget::overrun());
}

// An atlas text ends with an empty line; without it, it was cut short where it ends.
void ImageAtlas::reportCutShort(const DStringPtr& entry, const DStringPtr& last, bool lastEnded) {
    DStringPtr where;
    if (!last)
        where = DStringPtr(u"it is empty");
    else if (lastEnded)
        where = u"it ends after the picture " + Excerpt::quoted(StringManager::split(last, u';')[0]) +
                u"; the pictures after it are missing";
    else
        where = u"it ends inside the line " + Excerpt::quoted(last) + u"; the pictures from there on are missing";
    DamageLog::name(u"the atlas " + entry,
                    u"ImageAtlas: " + entry + u" is cut short, without the empty line that ends an atlas: " + where);
}

// All of the turned copies or none: a sprite drawn turned from the unturned picture would be cut
// from the wrong place. Should the pictures held leave no room for them all, the atlas is refused
// whole, as a damaged one is.
void ImageAtlas::loadPictures(const DStringPtr& name) {
    DImagePtr made[codeSlots];
    made[0] = DImage::createImage(name + u".png", 0);
    try {
        for (int32_t code : turnedCodes) made[code] = DImage::createImage(made[0], code);
    } catch (DDamagedDataExceptionPtr& refused) {
        throw DDamagedDataExceptionPtr(new DDamagedDataException(u"the turned copies of the image atlas " +
                                                                 GameLib::pictureEntry(name + u".png") + u": " +
                                                                 refused->getMessage()));
    }
    std::copy(std::begin(made), std::end(made), pictures);
    width = pictures[0]->getWidth();
    height = pictures[0]->getHeight();
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
    cutShort = false;
    entry = nullptr;
}

void ImageAtlas::release() {
    dropPictures();
    imageAtlas = nullptr;
    currentGraphics = nullptr;
}
