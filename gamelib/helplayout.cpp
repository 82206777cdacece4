#include "helplayout.h"
#include <algorithm>
#include "animation.h"
#include "dsystem.h"
#include "imagefont.h"

using dfc::lang::DObjectArray;
using dfc::lang::DObjectArrayPtr;
using dfc::lang::DObjectPtr;
using dfc::lang::DStringPtr;
using dfc::lang::DSystem;

DObjectArrayPtr HelpLayout::lines;
int32_t HelpLayout::lineCount = 0;

namespace {

constexpr char16_t lineFeed = u'\n';
constexpr char16_t blank = u' ';
// Picture numbers beyond this many digits name no picture.
constexpr int32_t maxDigits = 6;

}  // namespace

void HelpLayout::layout(const DStringPtr& text, const DObjectPtr& pictures, int32_t charsPerLine, int32_t maxWidth,
                        const ImageFontPtr& font) {
    charsPerLine = std::max(charsPerLine, 1);
    lines = new DObjectArray(initialSlots);
    lineCount = 0;
    // width is that of text[start, i), kept as the scan goes and lessened by what a cut takes
    // away: each character is measured at most twice, however long its paragraph.
    int32_t start = 0, lastSpace = 0;
    int64_t width = 0;
    for (int32_t i = 0; i < text->length(); ++i) {
        const char16_t c = text->charAt(i);
        if (c == lineFeed) {
            // The line feed cuts until the rest fits. A cut at a blank just before it leaves
            // nothing: the line feed then ends the paragraph.
            bool ended = false;
            while (!ended && i - start > charsPerLine && width > maxWidth) {
                const int32_t next = cut(text, pictures, start, lastSpace, charsPerLine);
                ended = next == i;
                width -= measure(font, text, start, next);
                start = next;
            }
            if (!ended) add(lineOrPicture(text->substring(start, i), pictures));
            start = i + 1;
            width = 0;
            continue;
        }
        if (c == blank) {
            if (i - start > charsPerLine && width > maxWidth) {
                const int32_t next = cut(text, pictures, start, lastSpace, charsPerLine);
                width -= measure(font, text, start, next);
                start = next;
            }
            // Also when this blank ended a line: it is where the next line may break.
            lastSpace = i;
        }
        width += font->charWidth(c);
    }
}

int32_t HelpLayout::cut(const DStringPtr& text, const DObjectPtr& pictures, int32_t start, int32_t lastSpace,
                        int32_t charsPerLine) {
    if (lastSpace - 1 > start) {
        add(lineOrPicture(text->substring(start, lastSpace), pictures));
        return lastSpace + 1;
    }
    add(lineOrPicture(text->substring(start, start + charsPerLine), pictures));
    return start + charsPerLine;
}

int64_t HelpLayout::measure(const ImageFontPtr& font, const DStringPtr& text, int32_t from, int32_t to) {
    int64_t width = 0;
    for (int32_t i = from; i < to; ++i) width += font->charWidth(text->charAt(i));
    return width;
}

void HelpLayout::clear() {
    lines = nullptr;
    lineCount = 0;
}

DObjectPtr HelpLayout::line(int32_t i) {
    if (!lines || i < 0 || i >= lineCount || i >= lines->length) return nullptr;
    return lines[i];
}

void HelpLayout::add(const DObjectPtr& slot) {
    if (lineCount == lines->length) {
        DObjectArrayPtr more = new DObjectArray(2 * lines->length);
        DSystem::arraycopy(lines, 0, more, 0, lineCount);
        lines = more;
    }
    lines[lineCount++] = slot;
}

DObjectPtr HelpLayout::lineOrPicture(const DStringPtr& text, const DObjectPtr& pictures) {
    const int32_t number = pictureNumber(text);
    if (number >= 0)
        if (DObjectPtr shown = picture(number, pictures)) return shown;
    return text;
}

int32_t HelpLayout::pictureNumber(const DStringPtr& text) {
    const int32_t length = text->length();
    if (length < 2 || length > maxDigits + 1 || text->charAt(0) != u'%') return -1;
    int32_t number = 0;
    for (int32_t i = 1; i < length; ++i) {
        const char16_t digit = text->charAt(i);
        if (digit < u'0' || digit > u'9') return -1;
        number = number * 10 + (digit - u'0');
    }
    return number;
}

DObjectPtr HelpLayout::picture(int32_t index, const DObjectPtr& pictures) {
    if (dynamic_cast<Animation*>(pictures.get())) return index == 0 ? pictures : nullptr;
    auto* list = dynamic_cast<DObjectArray*>(pictures.get());
    if (!list || index >= list->length) return nullptr;
    return (*list)[index];
}
