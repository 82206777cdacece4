#include "dinteger.h"
#include <cstdio>
#include "dexception.h"

namespace dfc::lang {
namespace {

DStringPtr fromAscii(const char* text) { return new DString(text); }

bool isSpace(char16_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int digitValue(char16_t c, int radix) {
    int d = c >= '0' && c <= '9'   ? c - '0'
            : c >= 'a' && c <= 'f' ? c - 'a' + 10
            : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                   : 99;
    return d < radix ? d : -1;
}

}  // namespace

bool DInteger::equals(DObjectPtr other) {
    // An empty argument is a null dereference of an integer pointer; an object of another class is unequal.
    if (!other) DObjectPtr::throwNullPointer(DIntegerPtr::pointee(), DIntegerPtr::header(), DIntegerPtr::line());
    auto* same = dynamic_cast<DInteger*>(other.get());
    return same && same->value == value;
}

DStringPtr DInteger::toString(int value) {
    char text[40];
    std::snprintf(text, sizeof text, "%d", value);
    return fromAscii(text);
}

DStringPtr DInteger::toString(int value, int radix) {
    if (radix == 10) return toString(value);
    if (radix != 16) return u"";
    char text[40];
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    std::snprintf(text, sizeof text, value < 0 ? "-%x" : "%x", magnitude);
    return fromAscii(text);
}

int DInteger::parseInt(const DStringPtr& text, int radix) {
    if ((radix != 10 && radix != 16) || !text) return 0;
    const char16_t* c = text->chars();
    while (isSpace(*c)) ++c;
    bool negative = *c == '-';
    if (*c == '-' || *c == '+') ++c;
    if (radix == 16 && c[0] == '0' && (c[1] == 'x' || c[1] == 'X') && digitValue(c[2], 16) >= 0) c += 2;
    uint32_t result = 0;
    for (int d; (d = digitValue(*c, radix)) >= 0; ++c) result = result * uint32_t(radix) + uint32_t(d);
    return static_cast<int>(negative ? 0u - result : result);
}

DIntegerPtr DInteger::valueOf(const DStringPtr& text) { return new DInteger(text ? parseInt(text) : 0); }

}  // namespace dfc::lang
