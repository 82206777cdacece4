#include "atlaslines.h"
#include "atlasrectangle.h"
#include "ddamageddataexception.h"
#include "excerpt.h"
#include "stringmanager.h"

using dfc::io::DDamagedDataException;
using dfc::io::DDamagedDataExceptionPtr;
using dfc::lang::DintArray;
using dfc::lang::DintArrayPtr;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;

namespace {

constexpr int fieldCount = 5;
// More digits than this could overflow; no picture is that large.
constexpr int maxDigits = 9;

// A field of digits only; false for anything else.
bool decimal(const DStringPtr& field, int32_t* value) {
    const int length = field->length();
    if (length == 0 || length > maxDigits) return false;
    int32_t result = 0;
    for (int i = 0; i < length; ++i) {
        const char16_t c = field->charAt(i);
        if (c < u'0' || c > u'9') return false;
        result = result * 10 + (c - u'0');
    }
    *value = result;
    return true;
}

// Picture names are plain text: a control byte shows a text of another kind.
bool printable(const DStringPtr& name) {
    for (int i = 0; i < name->length(); ++i)
        if (name->charAt(i) < u' ' || name->charAt(i) == 0x7F) return false;
    return true;
}

bool pictureLine(const DStringArrayPtr& fields, DintArray& rectangle) {
    if (fields->length < fieldCount || !printable(fields[0])) return false;
    for (int i = 0; i < 4; ++i)
        if (!decimal(fields[i + 1], &rectangle[i])) return false;
    return true;
}

// The start of a picture line, as a text cut short inside one leaves it.
bool cutPictureLine(const DStringArrayPtr& fields) {
    if (fields->length >= fieldCount || !printable(fields[0])) return false;
    const int last = fields->length - 1;
    int32_t number = 0;
    for (int i = 1; i <= last; ++i)
        if (!decimal(fields[i], &number) && !(i == last && fields[i]->length() == 0)) return false;
    return true;
}

DStringPtr described(const DStringPtr& name, DintArray& r) {
    return Excerpt::quoted(name) + u" at (" + r[0] + u", " + r[1] + u") " + r[2] + u" x " + r[3];
}

}  // namespace

AtlasLines::AtlasLines(const DStringPtr& textEntry, const DStringPtr& pictureEntry, int32_t pictureWidth,
                       int32_t pictureHeight)
    : textEntry(textEntry), pictureEntry(pictureEntry), pictureWidth(pictureWidth), pictureHeight(pictureHeight) {}

DStringPtr AtlasLines::read(const DStringPtr& line, bool ended, DintArrayPtr* rectangle) {
    ++lines;
    const DStringArrayPtr fields = StringManager::split(line, u';');
    DintArrayPtr r = new DintArray(4);
    if (!pictureLine(fields, *r)) {
        // A text cut short inside a picture line is named as such by its reader.
        if (!ended && cutPictureLine(fields)) return DStringPtr();
        damaged(DStringPtr(u"line ") + lines + u", " + Excerpt::quoted(line) + u", is not name;x;y;width;height");
    }
    if (!AtlasRectangle::fits(r[0], r[1], r[2], r[3], pictureWidth, pictureHeight) && outside++ == 0)
        firstOutside = described(fields[0], *r);
    *rectangle = r;
    return fields[0];
}

void AtlasLines::throwIfOutside() const {
    if (outside == 0) return;
    damaged(DStringPtr(u"") + outside + u" of its " + lines + u" rectangles lie outside its picture " + pictureEntry +
            u" (" + pictureWidth + u" x " + pictureHeight + u"), the first " + firstOutside);
}

void AtlasLines::damaged(const DStringPtr& why) const {
    throw DDamagedDataExceptionPtr(new DDamagedDataException(u"the image atlas " + textEntry + u" is damaged: " + why));
}
