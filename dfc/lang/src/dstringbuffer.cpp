#include "dstringbuffer.h"
#include <algorithm>
#include <cstring>
#include "dexception.h"

namespace dfc::lang {
namespace {

[[noreturn]] void outOfRange() { throw DStringIndexOutOfBoundsExceptionPtr(new DStringIndexOutOfBoundsException()); }

int unitsIn(const char16_t* text) {
    int n = 0;
    while (text[n]) ++n;
    return n;
}

}  // namespace

DStringBuffer::DStringBuffer(int length) : capacity(length + 1), value(new char16_t[capacity]()) {}

DStringBuffer::DStringBuffer(const DStringPtr& text)
    : count(text->length()), capacity(count + 1), value(new char16_t[capacity]()) {
    std::memcpy(value, text->chars(), sizeof(char16_t) * count);
}

DStringBuffer::~DStringBuffer() { delete[] value; }

DStringPtr DStringBuffer::toString() { return new DString(value, count); }

void DStringBuffer::ensureCapacity(int needed) {
    if (needed <= capacity) return;
    int grown = std::max(needed, capacity * 2);
    auto* units = new char16_t[grown]();
    std::memcpy(units, value, sizeof(char16_t) * count);
    delete[] value;
    value = units;
    capacity = grown;
}

void DStringBuffer::appendUnits(const char16_t* units, int n) {
    ensureCapacity(count + n + 1);
    std::memcpy(value + count, units, sizeof(char16_t) * n);
    count += n;
    value[count] = 0;
}

DStringBufferPtr DStringBuffer::append(const DStringPtr& text) {
    if (!text) return append(u"null");
    appendUnits(text->chars(), text->length());
    return this;
}

DStringBufferPtr DStringBuffer::append(const char16_t* text) {
    if (!text) text = u"null";
    appendUnits(text, unitsIn(text));
    return this;
}

DStringBufferPtr DStringBuffer::append(char16_t unit) {
    appendUnits(&unit, 1);
    return this;
}

DStringBufferPtr DStringBuffer::insert(int offset, char16_t unit) {
    if (offset < 0 || offset > count) outOfRange();
    ensureCapacity(count + 2);
    std::memmove(value + offset + 1, value + offset, sizeof(char16_t) * (count - offset));
    value[offset] = unit;
    value[++count] = 0;
    return this;
}

DStringBufferPtr DStringBuffer::insert(int offset, const DStringPtr& text) {
    if (offset == count) return append(text);
    if (offset < 0 || offset > count) outOfRange();
    if (!text) return this;
    int n = text->length();
    ensureCapacity(count + n + 1);
    std::memmove(value + offset + n, value + offset, sizeof(char16_t) * (count - offset));
    std::memcpy(value + offset, text->chars(), sizeof(char16_t) * n);
    count += n;
    value[count] = 0;
    return this;
}

DStringBufferPtr DStringBuffer::deleteCharAt(int index) {
    if (index < 0 || index >= count) outOfRange();
    std::memmove(value + index, value + index + 1, sizeof(char16_t) * (count - index - 1));
    value[--count] = 0;
    return this;
}

void DStringBuffer::setLength(int length) {
    if (length < 0) outOfRange();
    ensureCapacity(length + 1);
    if (length < count) std::fill(value + length, value + count, char16_t(0));
    count = length;
}

char16_t DStringBuffer::charAt(int index) const {
    if (index < 0 || index >= count) outOfRange();
    return value[index];
}

void DStringBuffer::setCharAt(int index, char16_t unit) {
    if (index < 0 || index >= count) outOfRange();
    value[index] = unit;
}

}  // namespace dfc::lang
