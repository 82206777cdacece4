#include <gtest/gtest.h>
#include <cstring>
#include "dexception.h"
#include "dinteger.h"
#include "dobjectarray2d.h"
#include "dprimitives.h"
#include "dstringarray.h"
#include "dtypedarray.h"
#include "text.h"

using namespace dfc::lang;

namespace {

class DIntegerArray : public DTypedArray<DIntegerPtr> {
public:
    using DTypedArray::DTypedArray;
};
DFC_DECLARE_PTR(DIntegerArray, DObjectArrayPtr);

class DIntegerArray2d : public DTypedArray2d<DIntegerArrayPtr> {
public:
    using DTypedArray2d::DTypedArray2d;
};
DFC_DECLARE_PTR(DIntegerArray2d, DObjectArrayPtr);

template <class Call>
bool throwsArrayIndex(Call call) {
    try {
        call();
    } catch (DArrayIndexOutOfBoundsExceptionPtr&) {
        return true;
    }
    return false;
}

}  // namespace

TEST(PrimitiveArrays, AccessIsCheckedAtBothEnds) {
    DintArrayPtr empty = new DintArray(0);
    EXPECT_EQ(empty->length, 0);
    EXPECT_EQ(empty->data, nullptr);
    EXPECT_TRUE(throwsArrayIndex([&] { (*empty)[0]; }));

    DintArrayPtr a = new DintArray(3);
    a[2] = 7;
    EXPECT_EQ(a[2], 7);
    EXPECT_EQ(a[0], 0);
    EXPECT_TRUE(throwsArrayIndex([&] { a[-1]; }));
    EXPECT_TRUE(throwsArrayIndex([&] { a[3]; }));

    DintArrayPtr negative = new DintArray(-4);
    EXPECT_EQ(negative->length, 0);
}

TEST(PrimitiveArrays, OutOfBoundsMessageNamesTheAccessingHeader) {
    DbyteArrayPtr a = new DbyteArray(1);
    try {
        a[1];
        FAIL();
    } catch (DExceptionPtr& e) {
        std::u16string message = e->getMessage()->chars();
        EXPECT_NE(message.find(u"dprimitives.h:"), std::u16string::npos);
        EXPECT_EQ(narrow(e->toString()), "DArrayIndexOutOfBoundsException");
    }
}

TEST(PrimitiveArrays, ValuesAreNarrowedAndMissingOnesStayZero) {
    DbyteArrayPtr bytes = new DbyteArray(3, 1, 0x180, -1);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1], int8_t(0x80));
    EXPECT_EQ(bytes[2], -1);

    DlongArrayPtr longs = new DlongArray(2, int64_t(1) << 40, 5);
    EXPECT_EQ(longs[0], int64_t(1) << 40);

    DcharArrayPtr fewer = new DcharArray(3, 'a');
    EXPECT_EQ(fewer[0], u'a');
    EXPECT_EQ(fewer[2], 0);

    DboolArrayPtr more = new DboolArray(1, 1, 1, 1);
    EXPECT_EQ(more->length, 1);
    EXPECT_TRUE(more[0]);
}

TEST(PrimitiveArrays, GridsAreRowsOfArrays) {
    DintArray2dPtr grid = new DintArray2d(2, 3);
    grid[1][2] = 5;
    EXPECT_EQ(grid->length, 2);
    EXPECT_EQ(grid[1]->length, 3);
    EXPECT_EQ(grid[1][2], 5);
    EXPECT_TRUE(throwsArrayIndex([&] { grid[2]; }));
    EXPECT_TRUE(throwsArrayIndex([&] { grid[0][3]; }));

    DshortArray3dPtr cube = new DshortArray3d(2, 3, 4);
    cube[1][2][3] = -2;
    EXPECT_EQ(cube[1][2][3], -2);
    EXPECT_EQ(cube[0][0][0], 0);

    DbyteArray2dPtr rowsOnly = new DbyteArray2d(2);
    EXPECT_TRUE(rowsOnly[0].isNull());
    rowsOnly[0] = new DbyteArray(1);
    EXPECT_EQ(rowsOnly[0]->length, 1);
}

TEST(Arrays, ClassNames) {
    struct Case {
        DObjectPtr array;
        const char* name;
    } cases[] = {
        {new DboolArray(1), "DboolArray"},        {new DbyteArray2d(1), "DbyteArray2d"},
        {new DcharArray3d(1), "DcharArray3d"},    {new DshortArray(1), "DshortArray"},
        {new DintArray2d(1, 1), "DintArray2d"},   {new DlongArray3d(1, 1, 1), "DlongArray3d"},
        {new DuintArray(1), "DuintArray"},        {new DObjectArray(1), "DObject"},
        {new DStringArray(1, u"a"), "DObject"},   {new DIntegerArray(0), "DObjectArray"},
        {new DIntegerArray2d(0), "DObjectArray2d"}, {new DIntegerArray2d(1), "DObjectArray2d"},
    };
    for (auto& c : cases) EXPECT_STREQ(c.array->className(), c.name) << c.name;
}

TEST(Arrays, TypedArraysAreNamedAfterTheirElementsAndOwnTheirNames) {
    DIntegerArrayPtr integers = new DIntegerArray(1);
    EXPECT_THROW(integers->className(), DNullPointerExceptionPtr);
    integers[0] = new DInteger(1);
    const char* name = integers->className();
    EXPECT_STREQ(name, "DIntegerArray");

    DIntegerArray2dPtr grid = new DIntegerArray2d(2, 1);
    grid[0][0] = new DInteger(2);
    EXPECT_STREQ(grid->className(), "DIntegerArray2d");

    // Another array's name does not overwrite the one handed out first.
    DIntegerArrayPtr other = new DIntegerArray(1);
    other->data[0] = new DString(u"s");
    EXPECT_STREQ(other->className(), "DObjectArray");
    EXPECT_STREQ(name, "DIntegerArray");
}

TEST(Arrays, ObjectArraysHoldAndReleaseTheirElements) {
    DIntegerPtr one = new DInteger(1);
    {
        DObjectArrayPtr objects = new DObjectArray(2);
        objects[0] = one;
        EXPECT_EQ(one->getRefCount(), 2);
        EXPECT_TRUE(objects[1].isNull());
        EXPECT_TRUE(throwsArrayIndex([&] { objects[2]; }));
        EXPECT_TRUE(throwsArrayIndex([&] { objects[-1]; }));
    }
    EXPECT_EQ(one->getRefCount(), 1);

    DObjectArray2dPtr table = new DObjectArray2d(2, 3);
    table[1][2] = one;
    EXPECT_EQ(DIntegerPtr::from(table[1][2])->intValue(), 1);
    EXPECT_EQ(table[0]->length, 3);
}

TEST(Arrays, StringArraysFromTexts) {
    DStringArrayPtr items = new DStringArray(3, u"Play", u"Help");
    EXPECT_EQ(items->length, 3);
    EXPECT_EQ(items[0]->length(), 4);
    EXPECT_EQ(narrow(DStringPtr(items[1])), "Help");
    EXPECT_TRUE(items[2].isNull());
    EXPECT_EQ(DStringArrayPtr(new DStringArray(0))->length, 0);
}

TEST(Strings, GetBytesKeepsTheLowEightBits) {
    DStringPtr text = DStringPtr(u"A\u00e9\u20ac");
    DbyteArrayPtr bytes = text->getBytes();
    ASSERT_EQ(bytes->length, 3);
    EXPECT_EQ(bytes[0], 0x41);
    EXPECT_EQ(uint8_t(bytes[1]), 0xE9);
    EXPECT_EQ(uint8_t(bytes[2]), 0xAC);
    EXPECT_EQ(DStringPtr(u"")->getBytes()->length, 0);
}
