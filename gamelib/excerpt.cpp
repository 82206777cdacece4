#include "excerpt.h"

using dfc::lang::DStringPtr;

DStringPtr Excerpt::of(const DStringPtr& text) {
    if (text->length() <= length) return text;
    return text->substring(0, length) + u"...";
}

DStringPtr Excerpt::quoted(const DStringPtr& text) { return u"\"" + of(text) + u"\""; }
