#pragma once
#include "dstring.h"
#include "dstringbuffer.ptr"

namespace dfc::lang {

// Growable UTF-16 text; every unit past the text is 0, so it is always terminated.
class DStringBuffer : public DObject {
public:
    DStringBuffer() : DStringBuffer(15) {}
    explicit DStringBuffer(int length);
    explicit DStringBuffer(const DStringPtr& text);
    ~DStringBuffer() override;

    DStringPtr toString() override;

    DStringBufferPtr append(const DStringPtr& text);
    DStringBufferPtr append(const char16_t* text);
    DStringBufferPtr append(char16_t unit);
    DStringBufferPtr insert(int offset, char16_t unit);
    DStringBufferPtr insert(int offset, const DStringPtr& text);
    DStringBufferPtr deleteCharAt(int index);
    void setLength(int length);
    char16_t charAt(int index) const;
    void setCharAt(int index, char16_t unit);
    int length() const { return count; }
    int getCapacity() const { return capacity; }

private:
    // Grows to the larger of the need and twice the capacity; new units are 0.
    void ensureCapacity(int needed);
    void appendUnits(const char16_t* units, int n);

    int count = 0;
    int capacity = 0;
    char16_t* value = nullptr;
};

}  // namespace dfc::lang
