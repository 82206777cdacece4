#include <gtest/gtest.h>
#include "dexception.h"
#include "dinteger.h"

using namespace dfc::lang;

TEST(Integer, EqualsOnlyAnotherIntegerOfTheSameValue) {
    DIntegerPtr seven = new DInteger(7);
    EXPECT_TRUE(seven->equals(new DInteger(7)));
    EXPECT_FALSE(seven->equals(new DInteger(8)));
    EXPECT_FALSE(seven->equals(DStringPtr(u"7")));
    EXPECT_FALSE(seven->equals(new DObject()));
    EXPECT_THROW(seven->equals(DObjectPtr()), DNullPointerExceptionPtr);
}

TEST(Integer, ParsingWrapsTo32Bits) {
    struct Case {
        const char16_t* text;
        int radix;
        int value;
    } cases[] = {
        {u"  42abc", 10, 42},        {u"-2147483648", 10, INT32_MIN}, {u"2147483648", 10, INT32_MIN},
        {u"4294967297", 10, 1},      {u"99999999999999999999", 10, 0x630FFFFF},
        {u"ffffffff", 16, -1},       {u"1ffffffff", 16, -1},          {u"12", 8, 0},
    };
    for (auto& c : cases) EXPECT_EQ(DInteger::parseInt(c.text, c.radix), c.value) << c.value;
}
