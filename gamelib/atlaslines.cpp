#include "atlaslines.h"
#include "atlasrectangle.h"
#include "damageddata.h"
#include "stringmanager.h"

using dfc::lang::DintArray;
using dfc::lang::DintArrayPtr;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;

namespace {

constexpr int fieldCount = 5;
// More digits than this could overflow; no picture is that large.
constexpr int maxDigits = 9;
// A line quoted in a diagnostic is cut after this many characters: a text put in an atlas's
// place may hold lines of any length.
constexpr int quotedLength = 60;

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

DStringPtr quoted(const DStringPtr& line) {
    if (line->length() <= quotedLength) return u"\"" + line + u"\"";
    return u"\"" + line->substring(0, quotedLength) + u"...\"";
}

DStringPtr described(const DStringPtr& name, DintArray& r) {
    return u"\"" + name + u"\" at (" + r[0] + u", " + r[1] + u") " + r[2] + u" x " + r[3];
}

}  // namespace

AtlasLines::AtlasLines(const DStringPtr& textEntry, const DStringPtr& pictureEntry, int32_t pictureWidth,
                       int32_t pictureHeight)
    : textEntry(textEntry), pictureEntry(pictureEntry), pictureWidth(pictureWidth), pictureHeight(pictureHeight) {}

DStringPtr AtlasLines::read(const DStringPtr& line, bool ended, DintArrayPtr* rectangle) {
    ++lines;
    const DStringArrayPtr fields = StringManager::split(line, u';');
    DintArrayPtr r = new DintArray(4);
    bool numbers = fields->length >= fieldCount;
    for (int i = 0; numbers && i < 4; ++i) numbers = decimal(fields[i + 1], &r[i]);
    // A text cut short inside a line is named as such by its reader.
    if (!numbers && !ended) return DStringPtr();
    if (!numbers) damaged(DStringPtr(u"line ") + lines + u", " + quoted(line) + u", is not name;x;y;width;height");
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
    throw DamagedDataPtr(new DamagedData(u"the image atlas " + textEntry + u" is damaged: " + why));
}
