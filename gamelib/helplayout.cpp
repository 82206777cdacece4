#include "helplayout.h"
#include "animation.h"
#include "dsystem.h"
#include "helplines.h"
#include "imagefont.h"

using dfc::lang::DObjectArray;
using dfc::lang::DObjectArrayPtr;
using dfc::lang::DObjectPtr;
using dfc::lang::DStringPtr;
using dfc::lang::DSystem;

DObjectArrayPtr HelpLayout::lines;
int32_t HelpLayout::lineCount = 0;

namespace {

// Picture numbers beyond this many digits name no picture.
constexpr int32_t maxDigits = 6;

}  // namespace

void HelpLayout::layout(const DStringPtr& text, const DObjectPtr& pictures, int32_t charsPerLine, int32_t maxWidth,
                        const ImageFontPtr& font) {
    lines = new DObjectArray(initialSlots);
    lineCount = 0;
    HelpLines breaking([&](int32_t i) { return text->charAt(i); },
                       [&](char32_t c) { return font->charWidth(char16_t(c)); },
                       [&](int32_t from, int32_t to) { add(lineOrPicture(text->substring(from, to), pictures)); },
                       charsPerLine, maxWidth);
    breaking.breakText(text->length());
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
