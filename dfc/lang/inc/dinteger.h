#pragma once
#include "dinteger.ptr"
#include "dstring.h"

namespace dfc::lang {

class DInteger : public DObject {
public:
    explicit DInteger(int value) : value(value) {}
    const char* className() const override { return "DInteger"; }
    DStringPtr toString() override { return toString(value); }
    int hashCode() override { return value; }
    bool equals(DObjectPtr other) override;
    int intValue() const { return value; }

    static DStringPtr toString(int value);
    static DStringPtr toString(int value, int radix);
    // Never throws: text without a number reads as 0; too many digits wrap to 32 bits.
    static int parseInt(const DStringPtr& text) { return parseInt(text, 10); }
    static int parseInt(const DStringPtr& text, int radix);
    static DIntegerPtr valueOf(const DStringPtr& text);

private:
    int value;
};

}  // namespace dfc::lang
