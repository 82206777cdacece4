#pragma once
#include "dobject.h"
#include "dbytearray.ptr"
#include "dstring.ptr"

namespace dfc::lang {

// Immutable UTF-16 text, always terminated.
class DString : public DObject {
public:
    explicit DString(const char16_t* text);
    explicit DString(const char* ascii);
    DString(const char16_t* units, int count);
    DString(const DString& other);
    ~DString() override;

    DStringPtr toString() override { return DStringPtr(this); }
    int hashCode() override;
    bool equals(DObjectPtr other) override;

    int length() const { return count; }
    char16_t charAt(int index) const;
    const char16_t* chars() const { return value; }
    DStringPtr substring(int begin, int end);
    DStringPtr substring(int begin) { return substring(begin, count); }
    int indexOf(char16_t ch) const { return indexOf(ch, 0); }
    int indexOf(char16_t ch, int from) const;
    int indexOf(const DStringPtr& str) const { return indexOf(str, 0); }
    int indexOf(const DStringPtr& str, int from) const;
    int lastIndexOf(char16_t ch) const { return lastIndexOf(ch, count - 1); }
    int lastIndexOf(char16_t ch, int from) const;
    bool startsWith(const DStringPtr& prefix) const;
    bool startsWith(const DStringPtr& prefix, int offset) const;
    bool endsWith(const DStringPtr& suffix) const;
    int compareTo(const DStringPtr& other) const;
    bool equals(const DStringPtr& other);
    bool equals(const char16_t* text) const;
    DStringPtr trim();
    DStringPtr toLowerCase() const;
    DStringPtr toUpperCase() const;
    DStringPtr replace(char16_t oldUnit, char16_t newUnit);
    // The low 8 bits of each unit.
    DbyteArrayPtr getBytes() const;

    static DStringPtr valueOf(const DObjectPtr& object);
    static DStringPtr valueOf(bool b);
    static DStringPtr valueOf(int i);
    static DStringPtr concat(const char16_t* a, const char16_t* b);

private:
    DString() = default;
    static DString* adopt(char16_t* units, int count);

    int count = 0;
    char16_t* value = nullptr;
    int hash = 0;

    friend DStringPtr concatUnits(const char16_t*, int, const char16_t*, int);
};

// Compares with a wide text; false for an empty pointer.
bool operator==(const DStringPtr& s, const char16_t* text);

}  // namespace dfc::lang
