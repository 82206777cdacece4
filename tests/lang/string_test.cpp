#include <gtest/gtest.h>
#include "dexception.h"
#include "dinteger.h"
#include "dstring.h"
#include "dstringbuffer.h"
#include "text.h"

using namespace dfc::lang;

TEST(Strings, ConcatenationReadsAnEmptyOperandAsNull) {
    DStringPtr none;
    EXPECT_EQ(narrow(DStringPtr(u"abc") + none), "abcnull");
    EXPECT_EQ(narrow(none + 5), "null5");
    EXPECT_EQ(narrow(7 + DStringPtr(u"x")), "7x");
    EXPECT_EQ(narrow(u"<" + DStringPtr(u"b") + u">"), "<b>");
    EXPECT_EQ(narrow(DString::concat(u"a", nullptr)), "anull");
}

TEST(Strings, SearchAndSlices) {
    DStringPtr s = u"abcabc";
    struct Case {
        int got;
        int expected;
    } cases[] = {
        {s->indexOf(u'c'), 2},          {s->indexOf(u'c', 3), 5},      {s->indexOf(u'c', -4), 2},
        {s->indexOf(u'c', 6), -1},      {s->indexOf(u'z'), -1},        {s->indexOf(DStringPtr(u"bc"), 2), 4},
        {s->indexOf(DStringPtr(u""), 3), 3}, {s->indexOf(DStringPtr(u"a"), 7), -1},
        {s->lastIndexOf(u'a'), 3},      {s->lastIndexOf(u'a', 99), 3}, {s->lastIndexOf(u'a', 2), 0},
        {s->lastIndexOf(u'a', -1), -1}, {DStringPtr(u"")->indexOf(u'a'), -1},
        {s->startsWith(DStringPtr(u"ab")), 1}, {s->startsWith(DStringPtr(u"ca"), 2), 1},
        {s->startsWith(DStringPtr(u"c"), -1), 0}, {s->startsWith(DStringPtr(u"bcx"), 4), 0},
        {s->endsWith(DStringPtr(u"bc")), 1}, {s->endsWith(DStringPtr(u"xabcabc")), 0},
        {s->compareTo(DStringPtr(u"abd")), -1}, {s->compareTo(DStringPtr(u"abc")), 1},
        {s->compareTo(DStringPtr(u"abcabc")), 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(cases[i].got, cases[i].expected) << "case " << i;

    EXPECT_EQ(narrow(s->substring(2, 2)), "");
    EXPECT_EQ(narrow(s->substring(1, 4)), "bca");
    EXPECT_EQ(narrow(s->substring(4)), "bc");
    EXPECT_THROW(s->substring(3, 2), DStringIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(s->substring(0, 7), DStringIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(s->substring(-1, 2), DStringIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(s->charAt(6), DIndexOutOfBoundsExceptionPtr);
    try {
        s->charAt(-1);
    } catch (DExceptionPtr& e) {
        EXPECT_EQ(narrow(e->getMessage()), "");
    }
}

TEST(Strings, TrimKeepsTheSameObjectWhenNothingIsTrimmed) {
    DStringPtr padded = u"  x \t";
    EXPECT_EQ(narrow(padded->trim()), "x");
    EXPECT_EQ(narrow(DStringPtr(u"   ")->trim()), "");
    DStringPtr clean = u"a b";
    EXPECT_EQ(clean->trim().get(), clean.get());
    DStringPtr empty = u"";
    EXPECT_EQ(empty->trim().get(), empty.get());
    EXPECT_EQ(empty->replace(u'a', u'b').get(), empty.get());
    EXPECT_NE(clean->replace(u'z', u'y').get(), clean.get());
    EXPECT_EQ(narrow(DStringPtr(u"a.b.c")->replace(u'.', u'/')), "a/b/c");
    EXPECT_EQ(narrow(DStringPtr(u"MiXeD")->toLowerCase()), "mixed");
    EXPECT_EQ(narrow(DStringPtr(u"MiXeD")->toUpperCase()), "MIXED");
}

TEST(Strings, HashesAndEquality) {
    EXPECT_EQ(DStringPtr(u"")->hashCode(), 0);
    EXPECT_EQ(DStringPtr(u"a")->hashCode(), 97);
    EXPECT_EQ(DStringPtr(u"ab")->hashCode(), 3105);
    EXPECT_EQ(DStringPtr(u"polygenelubricants")->hashCode(), int(0x80000000));  // wraps to the most negative value
    DStringPtr seven = u"7";
    EXPECT_TRUE(seven->equals(DObjectPtr(new DInteger(7))));
    EXPECT_FALSE(seven->equals(DStringPtr()));
    EXPECT_THROW(seven->equals(DObjectPtr()), DNullPointerExceptionPtr);
    EXPECT_TRUE(seven == u"7");
    EXPECT_FALSE(DStringPtr() == u"7");
    EXPECT_EQ(narrow(DStringPtr(new DString("\xe9t\xe9"))), "\u00e9t\u00e9");  // bytes widen unsigned
}

TEST(Integers, FormatPerRadix) {
    struct Case {
        int value;
        int radix;
        const char* text;
    } cases[] = {
        {0, 10, "0"},         {-42, 10, "-42"},  {255, 16, "ff"},  {-255, 16, "-ff"},
        {10, 8, ""},          {int(0x80000000), 16, "-80000000"},  {int(0x80000000), 10, "-2147483648"},
    };
    for (const Case& c : cases) EXPECT_EQ(narrow(DInteger::toString(c.value, c.radix)), c.text) << c.value;
}

TEST(Integers, ParseNeverThrows) {
    struct Case {
        const char16_t* text;
        int radix;
        int value;
    } cases[] = {
        {u"  42abc", 10, 42},  {u"-17", 10, -17},   {u"+8", 10, 8},       {u"ff", 16, 255},
        {u"0x1F", 16, 31},     {u"12", 8, 0},       {u"abc", 10, 0},      {u"", 10, 0},
        {u"4294967297", 10, 1}, {u"-2147483648", 10, int(0x80000000)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DInteger::parseInt(DStringPtr(c.text), c.radix), c.value) << narrow(DStringPtr(c.text));
    EXPECT_EQ(DInteger::valueOf(DStringPtr())->intValue(), 0);
    EXPECT_FALSE(DIntegerPtr(new DInteger(5))->equals(DObjectPtr(new DString(u"5"))));
    EXPECT_TRUE(DIntegerPtr(new DInteger(5))->equals(DObjectPtr(new DInteger(5))));
}

TEST(StringBuffers, GrowToTheNeedOrTwiceTheCapacity) {
    DStringBufferPtr b = new DStringBuffer();
    EXPECT_EQ(b->getCapacity(), 16);
    b->append(u"01234567890123456789");
    EXPECT_EQ(b->getCapacity(), 32);
    DStringBufferPtr full = new DStringBuffer(3);  // capacity 4, room for three units
    full->append(u"abc");
    EXPECT_EQ(full->getCapacity(), 4);
    full->append(u'd');
    EXPECT_EQ(full->getCapacity(), 8);
    EXPECT_EQ(narrow(full->toString()), "abcd");
}

TEST(StringBuffers, EditsAndTheirRanges) {
    DStringBufferPtr b = new DStringBuffer(DStringPtr(u"ace"));
    b->insert(1, u'b')->insert(3, DStringPtr(u"d"));
    EXPECT_EQ(narrow(b->toString()), "abcde");
    b->insert(0, DStringPtr());  // an empty pointer inside the text changes nothing
    EXPECT_EQ(narrow(b->toString()), "abcde");
    b->insert(5, DStringPtr());  // at the end it appends "null"
    EXPECT_EQ(narrow(b->toString()), "abcdenull");
    b->setLength(3);
    b->deleteCharAt(0);
    b->setCharAt(0, u'B');
    EXPECT_EQ(narrow(b->toString()), "Bc");
    b->setLength(4);
    EXPECT_EQ(b->length(), 4);
    EXPECT_EQ(b->charAt(3), 0);
    EXPECT_THROW(b->insert(5, u'x'), DStringIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(b->deleteCharAt(4), DStringIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(b->setLength(-1), DStringIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(b->charAt(-1), DStringIndexOutOfBoundsExceptionPtr);
}
