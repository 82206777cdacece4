#include "dstring.h"
#include <cstring>
#include <cwctype>
#include "dexception.h"
#include "dinteger.h"
#include "dprimitives.h"

namespace dfc::lang {
namespace {

int unitsIn(const char16_t* text) {
    int n = 0;
    while (text[n]) ++n;
    return n;
}

char16_t* copyUnits(const char16_t* text, int count) {
    auto* units = new char16_t[count + 1];
    if (count) std::memcpy(units, text, sizeof(char16_t) * count);
    units[count] = 0;
    return units;
}

[[noreturn]] void outOfRange() { throw DStringIndexOutOfBoundsExceptionPtr(new DStringIndexOutOfBoundsException()); }

const char16_t nullText[] = u"null";

}  // namespace

DStringPtr concatUnits(const char16_t* a, int aCount, const char16_t* b, int bCount) {
    auto* units = new char16_t[aCount + bCount + 1];
    std::memcpy(units, a, sizeof(char16_t) * aCount);
    std::memcpy(units + aCount, b, sizeof(char16_t) * bCount);
    units[aCount + bCount] = 0;
    return DString::adopt(units, aCount + bCount);
}

DString::DString(const char16_t* text) : count(unitsIn(text)), value(copyUnits(text, count)) {}

DString::DString(const char* ascii) : count(int(std::strlen(ascii))), value(new char16_t[count + 1]) {
    for (int i = 0; i <= count; ++i) value[i] = static_cast<unsigned char>(ascii[i]);
}

DString::DString(const char16_t* units, int n) : count(n), value(copyUnits(units, n)) {}

DString::DString(const DString& other) : DObject(), count(other.count), value(copyUnits(other.value, other.count)) {}

DString::~DString() { delete[] value; }

DString* DString::adopt(char16_t* units, int n) {
    auto* s = new DString();
    s->count = n;
    s->value = units;
    return s;
}

int DString::hashCode() {
    if (hash == 0 && count > 0) {
        uint32_t h = 0;
        for (int i = 0; i < count; ++i) h = h * 31 + value[i];
        hash = static_cast<int>(h);
    }
    return hash;
}

bool DString::equals(DObjectPtr other) { return equals(other->toString()); }

char16_t DString::charAt(int index) const {
    if (index < 0 || index >= count) outOfRange();
    return value[index];
}

DStringPtr DString::substring(int begin, int end) {
    if (begin < 0 || end > count || begin > end) outOfRange();
    return new DString(value + begin, end - begin);
}

int DString::indexOf(char16_t ch, int from) const {
    if (from < 0) from = 0;
    for (int i = from; i < count; ++i)
        if (value[i] == ch) return i;
    return -1;
}

int DString::indexOf(const DStringPtr& str, int from) const {
    if (from < 0) from = 0;
    if (from > count) return -1;
    int n = str->count;
    for (int i = from; i + n <= count; ++i)
        if (std::memcmp(value + i, str->value, sizeof(char16_t) * n) == 0) return i;
    return -1;
}

int DString::lastIndexOf(char16_t ch, int from) const {
    if (from >= count) from = count - 1;
    for (int i = from; i >= 0; --i)
        if (value[i] == ch) return i;
    return -1;
}

bool DString::startsWith(const DStringPtr& prefix) const { return startsWith(prefix, 0); }

bool DString::startsWith(const DStringPtr& prefix, int offset) const {
    int n = prefix->count;
    if (offset < 0 || offset > count - n) return false;
    return std::memcmp(value + offset, prefix->value, sizeof(char16_t) * n) == 0;
}

bool DString::endsWith(const DStringPtr& suffix) const {
    int n = suffix->count;
    return count >= n && std::memcmp(value + count - n, suffix->value, sizeof(char16_t) * n) == 0;
}

int DString::compareTo(const DStringPtr& other) const {
    const char16_t* a = value;
    const char16_t* b = other->value;
    for (;; ++a, ++b) {
        if (*a != *b) return *a < *b ? -1 : 1;
        if (!*a) return 0;
    }
}

bool DString::equals(const DStringPtr& other) { return other && compareTo(other) == 0; }

bool DString::equals(const char16_t* text) const {
    for (int i = 0;; ++i) {
        if (value[i] != text[i]) return false;
        if (!value[i]) return true;
    }
}

DStringPtr DString::trim() {
    if (count == 0) return this;
    int begin = 0, end = count;
    while (begin < end && value[begin] < 33) ++begin;
    while (end > begin && value[end - 1] < 33) --end;
    if (begin == 0 && end == count) return this;
    return substring(begin, end);
}

DStringPtr DString::toLowerCase() const {
    char16_t* units = copyUnits(value, count);
    for (int i = 0; i < count; ++i) units[i] = static_cast<char16_t>(std::towlower(units[i]));
    return adopt(units, count);
}

DStringPtr DString::toUpperCase() const {
    char16_t* units = copyUnits(value, count);
    for (int i = 0; i < count; ++i) units[i] = static_cast<char16_t>(std::towupper(units[i]));
    return adopt(units, count);
}

DStringPtr DString::replace(char16_t oldUnit, char16_t newUnit) {
    if (count == 0) return this;
    char16_t* units = copyUnits(value, count);
    for (int i = 0; i < count; ++i)
        if (units[i] == oldUnit) units[i] = newUnit;
    return adopt(units, count);
}

DbyteArrayPtr DString::getBytes() const {
    auto* bytes = new DbyteArray(count);
    for (int i = 0; i < count; ++i) bytes->data[i] = static_cast<int8_t>(value[i] & 0xFF);
    return bytes;
}

DStringPtr DString::valueOf(const DObjectPtr& object) { return object ? object->toString() : DStringPtr(u"null"); }

DStringPtr DString::valueOf(bool b) { return b ? u"true" : u"false"; }

DStringPtr DString::valueOf(int i) { return DInteger::toString(i); }

DStringPtr DString::concat(const char16_t* a, const char16_t* b) {
    if (!a) a = nullText;
    if (!b) b = nullText;
    return concatUnits(a, unitsIn(a), b, unitsIn(b));
}

bool operator==(const DStringPtr& s, const char16_t* text) {
    return s && text && static_cast<const DString*>(s.get())->equals(text);
}

DStringPtr::DStringPtr(const char16_t* text) : DPtr(new DString(text)) {}

DStringPtr DStringPtr::toString() const { return *this; }

namespace {
const char16_t* unitsOf(const DStringPtr& s) { return s ? s->chars() : nullText; }
int countOf(const DStringPtr& s) { return s ? s->length() : 4; }
const char16_t* orNull(const char16_t* text) { return text ? text : nullText; }
}  // namespace

DStringPtr operator+(const DStringPtr& a, const DStringPtr& b) {
    return concatUnits(unitsOf(a), countOf(a), unitsOf(b), countOf(b));
}

DStringPtr operator+(const DStringPtr& a, const char16_t* b) {
    return concatUnits(unitsOf(a), countOf(a), orNull(b), unitsIn(orNull(b)));
}

DStringPtr operator+(const char16_t* a, const DStringPtr& b) {
    return concatUnits(orNull(a), unitsIn(orNull(a)), unitsOf(b), countOf(b));
}

DStringPtr operator+(const DStringPtr& a, int b) { return a + DInteger::toString(b); }

DStringPtr operator+(int a, const DStringPtr& b) { return DInteger::toString(a) + b; }

}  // namespace dfc::lang
