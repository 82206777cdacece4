#include <gtest/gtest.h>
#include <vector>
#include "denumeration.h"
#include "dexception.h"
#include "dinteger.h"
#include "dnosuchelementexception.h"
#include "dvector.h"

using namespace dfc::lang;
using namespace dfc::util;

namespace {

std::vector<int> valuesOf(const DVectorPtr& v) {
    std::vector<int> values;
    for (DEnumerationPtr e = v->elements(); e->hasMoreElements();)
        values.push_back(DIntegerPtr::from(e->nextElement())->intValue());
    return values;
}

DVectorPtr vectorOf(std::initializer_list<int> values) {
    DVectorPtr v = new DVector(2);
    for (int i : values) v->addElement(new DInteger(i));
    return v;
}

}  // namespace

TEST(Vector, InsertAndRemoveKeepTheOrder) {
    DVectorPtr v = vectorOf({1, 2, 3});
    v->insertElementAt(new DInteger(0), 0);
    v->insertElementAt(new DInteger(4), 4);
    EXPECT_EQ(valuesOf(v), (std::vector<int>{0, 1, 2, 3, 4}));
    v->removeElementAt(2);
    v->setElementAt(new DInteger(9), 0);
    EXPECT_EQ(valuesOf(v), (std::vector<int>{9, 1, 3, 4}));
    EXPECT_TRUE(v->removeElement(new DInteger(3)));
    EXPECT_FALSE(v->removeElement(new DInteger(3)));
    EXPECT_EQ(valuesOf(v), (std::vector<int>{9, 1, 4}));
    EXPECT_EQ(v->size(), 3);
}

TEST(Vector, IndicesOutsideTheElementsThrow) {
    DVectorPtr v = vectorOf({1, 2});
    EXPECT_THROW(v->removeElementAt(2), DArrayIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(v->insertElementAt(new DInteger(0), 3), DArrayIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(v->insertElementAt(new DInteger(0), -1), DArrayIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(v->setElementAt(new DInteger(0), 2), DArrayIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(v->elementAt(-1), DArrayIndexOutOfBoundsExceptionPtr);

    DVectorPtr empty = new DVector();
    EXPECT_THROW(empty->removeElementAt(0), DArrayIndexOutOfBoundsExceptionPtr);
    EXPECT_THROW(empty->firstElement(), DNoSuchElementExceptionPtr);
    EXPECT_THROW(empty->lastElement(), DNoSuchElementExceptionPtr);
}

TEST(Vector, Searching) {
    DVectorPtr v = vectorOf({5, 6, 5});
    EXPECT_EQ(v->indexOf(new DInteger(5)), 0);
    EXPECT_EQ(v->indexOf(new DInteger(5), 1), 2);
    EXPECT_EQ(v->indexOf(new DInteger(7)), -1);
    EXPECT_EQ(DIntegerPtr::from(v->firstElement())->intValue(), 5);
    EXPECT_EQ(DIntegerPtr::from(v->lastElement())->intValue(), 5);

    v->addElement(DObjectPtr());
    EXPECT_TRUE(v->contains(DObjectPtr()));
    EXPECT_TRUE(v->contains(new DInteger(6)));
    EXPECT_THROW(v->indexOf(new DInteger(7)), DNullPointerExceptionPtr);
}

TEST(Vector, CopyIntoAndClear) {
    DVectorPtr v = vectorOf({1, 2, 3});
    DObjectArrayPtr shorter = new DObjectArray(2);
    v->copyInto(shorter);
    EXPECT_EQ(DIntegerPtr::from(shorter[1])->intValue(), 2);
    DObjectArrayPtr longer = new DObjectArray(4);
    v->copyInto(longer);
    EXPECT_TRUE(longer[3].isNull());

    v->removeAllElements();
    EXPECT_EQ(v->size(), 0);
    EXPECT_TRUE(v->elements()->nextElement().isNull());
}
