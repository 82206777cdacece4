#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "dexception.h"
#include "dinteger.h"
#include "dsystem.h"

using namespace dfc::lang;

namespace {

enum class Outcome { copied, indexOutOfBounds, arrayIndexOutOfBounds, nullPointer };

// Source elements are 1, 2, 3 ...; destination elements 100, 101, ...
struct CopyCase {
    const char* name;
    int sourceLength;  // -1: the source is the destination
    int sourcePos;
    int destinationLength;
    int destinationPos;
    int length;
    Outcome outcome;
    std::vector<int> destinationAfter;
};

DintArrayPtr numbered(int length, int first) {
    DintArrayPtr a = new DintArray(length);
    for (int i = 0; i < length; ++i) a[i] = first + i;
    return a;
}

std::vector<int> contents(const DintArrayPtr& a) { return std::vector<int>(a->data, a->data + a->length); }

Outcome copy(const DintArrayPtr& src, int srcPos, const DintArrayPtr& dst, int dstPos, int length) {
    try {
        DSystem::arraycopy(src, srcPos, dst, dstPos, length);
    } catch (DArrayIndexOutOfBoundsExceptionPtr&) {
        return Outcome::arrayIndexOutOfBounds;
    } catch (DIndexOutOfBoundsExceptionPtr&) {
        return Outcome::indexOutOfBounds;
    } catch (DNullPointerExceptionPtr&) {
        return Outcome::nullPointer;
    }
    return Outcome::copied;
}

}  // namespace

TEST(ArrayCopy, Cases) {
    const CopyCase cases[] = {
        {"whole array", 3, 0, 3, 0, 3, Outcome::copied, {1, 2, 3}},
        {"into the middle", 3, 1, 5, 2, 2, Outcome::copied, {100, 101, 2, 3, 104}},
        {"short source is cut", 4, 0, 10, 0, 10, Outcome::copied, {1, 2, 3, 4, 104, 105, 106, 107, 108, 109}},
        {"length past the destination is cut", 5, 0, 3, 1, 5, Outcome::copied, {100, 1, 2}},
        {"destination position at the end copies nothing", 3, 0, 3, 3, 2, Outcome::copied, {100, 101, 102}},
        {"source position at the end copies nothing", 3, 3, 3, 0, 2, Outcome::copied, {100, 101, 102}},
        {"zero length", 3, 0, 3, 0, 0, Outcome::copied, {100, 101, 102}},
        {"destination position past the end", 3, 0, 3, 4, 1, Outcome::indexOutOfBounds, {100, 101, 102}},
        {"source position past the end", 3, 4, 3, 0, 1, Outcome::indexOutOfBounds, {100, 101, 102}},
        {"negative source position", 3, -1, 3, 0, 1, Outcome::indexOutOfBounds, {100, 101, 102}},
        {"negative destination position", 3, 0, 3, -1, 1, Outcome::indexOutOfBounds, {100, 101, 102}},
        {"negative length", 3, 0, 3, 0, -1, Outcome::indexOutOfBounds, {100, 101, 102}},
        {"within one array, down",
         -1,
         2,
         10,
         0,
         8,
         Outcome::copied,
         {102, 103, 104, 105, 106, 107, 108, 109, 108, 109}},
        {"within one array, up", -1, 0, 10, 2, 8, Outcome::copied, {100, 101, 100, 101, 102, 103, 104, 105, 106, 107}},
        {"within one array, source past the end",
         -1,
         5,
         10,
         0,
         10,
         Outcome::arrayIndexOutOfBounds,
         {100, 101, 102, 103, 104, 105, 106, 107, 108, 109}},
        {"within one array, cut by the destination",
         -1,
         0,
         10,
         5,
         10,
         Outcome::copied,
         {100, 101, 102, 103, 104, 100, 101, 102, 103, 104}},
    };
    for (const CopyCase& c : cases) {
        DintArrayPtr dst = numbered(c.destinationLength, 100);
        DintArrayPtr src = c.sourceLength < 0 ? dst : numbered(c.sourceLength, 1);
        EXPECT_EQ(copy(src, c.sourcePos, dst, c.destinationPos, c.length), c.outcome) << c.name;
        EXPECT_EQ(contents(dst), c.destinationAfter) << c.name;
    }
}

TEST(ArrayCopy, EmptyArraysThrowNullPointer) {
    DintArrayPtr a = numbered(2, 1);
    EXPECT_EQ(copy(DintArrayPtr(), 0, a, 0, 1), Outcome::nullPointer);
    EXPECT_EQ(copy(a, 0, DintArrayPtr(), 0, 1), Outcome::nullPointer);
}

TEST(ArrayCopy, ObjectElementsAreCountedAndMoveWithoutLoss) {
    DObjectArrayPtr objects = new DObjectArray(4);
    for (int i = 0; i < 4; ++i) objects[i] = new DInteger(i);
    DIntegerPtr first = DIntegerPtr::from(objects[0]);

    DSystem::arraycopy(objects, 0, objects, 1, 3);
    std::vector<int> values;
    for (int i = 0; i < 4; ++i) values.push_back(DIntegerPtr::from(objects[i])->intValue());
    EXPECT_EQ(values, (std::vector<int>{0, 0, 1, 2}));
    EXPECT_EQ(first->getRefCount(), 3);

    DSystem::arraycopy(objects, 2, objects, 0, 2);
    values.clear();
    for (int i = 0; i < 4; ++i) values.push_back(DIntegerPtr::from(objects[i])->intValue());
    EXPECT_EQ(values, (std::vector<int>{1, 2, 1, 2}));
    EXPECT_EQ(first->getRefCount(), 1);

    DObjectArrayPtr other = new DObjectArray(2);
    DSystem::arraycopy(objects, 3, other, 0, 2);
    EXPECT_EQ(DIntegerPtr::from(other[0])->intValue(), 2);
    EXPECT_TRUE(other[1].isNull());
}

TEST(ArrayCopy, BytesWithinOneArrayOverlap) {
    DbyteArrayPtr bytes = new DbyteArray(5, 1, 2, 3, 4, 5);
    DSystem::arraycopy(bytes, 0, bytes, 1, 4);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes->data), 5), std::string("\1\1\2\3\4", 5));
}
