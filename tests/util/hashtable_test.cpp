#include <gtest/gtest.h>
#include <vector>
#include "denumeration.h"
#include "dexception.h"
#include "dhashtable.h"
#include "dinteger.h"

using namespace dfc::lang;
using namespace dfc::util;

namespace {

// An integer's hash is its value, so a key's bucket is its value modulo the bucket count.
DObjectPtr key(int value) { return new DInteger(value); }

std::vector<int> keyOrder(const DHashtablePtr& table) {
    std::vector<int> order;
    for (DEnumerationPtr keys = table->keys(); keys->hasMoreElements();)
        order.push_back(DIntegerPtr::from(keys->nextElement())->intValue());
    return order;
}

DHashtablePtr tableOf(int capacity, const std::vector<int>& keys) {
    DHashtablePtr table = new DHashtable(capacity, 75);
    for (int k : keys) table->put(key(k), key(-k));
    return table;
}

}  // namespace

// The order of the keys shows the bucket count: buckets from the last to the first, each
// chain newest first, and growth re-chains the old buckets from 0 up.
TEST(Hashtable, GrowthPointsShowInTheKeyOrder) {
    struct Case {
        const char* name;
        int capacity;
        std::vector<int> keys;
        std::vector<int> order;
    } cases[] = {
        {"no growth: 11 and 0 share bucket 0", 11, {0, 1, 2, 3, 4, 5, 6, 11}, {6, 5, 4, 3, 2, 1, 11, 0}},
        {"ninth key grows to 23 buckets", 11, {0, 1, 2, 3, 4, 5, 6, 7, 11}, {11, 7, 6, 5, 4, 3, 2, 1, 0}},
        {"eighteenth key grows to 47 buckets", 11, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 23},
         {23, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}},
        {"seventeen keys stay in 23 buckets", 11, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 23},
         {15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 23, 0}},
        {"growth reverses a chain that stays together", 11, {0, 253, 506, 1, 2, 3, 4, 5, 6},
         {6, 5, 4, 3, 2, 1, 0, 253, 506}},
        {"capacity 0 is 1 bucket that grows to 3 at once", 0, {1, 3}, {1, 3}},
        {"colliding keys newest first", 11, {0, 11, 22}, {22, 11, 0}},
    };
    for (auto& c : cases) EXPECT_EQ(keyOrder(tableOf(c.capacity, c.keys)), c.order) << c.name;
}

TEST(Hashtable, ReplacingAtTheThresholdDoesNotGrow) {
    DHashtablePtr table = tableOf(11, {0, 1, 2, 3, 4, 5, 6, 11});
    DObjectPtr old = table->put(key(11), key(99));
    EXPECT_EQ(DIntegerPtr::from(old)->intValue(), -11);
    EXPECT_EQ(keyOrder(table), (std::vector<int>{6, 5, 4, 3, 2, 1, 11, 0}));
    EXPECT_EQ(DIntegerPtr::from(table->get(key(11)))->intValue(), 99);
}

TEST(Hashtable, RemovingFromAChain) {
    struct Case {
        int removed;
        std::vector<int> order;
    } cases[] = {{22, {11, 0}}, {11, {22, 0}}, {0, {22, 11}}, {33, {22, 11, 0}}};
    for (auto& c : cases) {
        DHashtablePtr table = tableOf(11, {0, 11, 22});
        DObjectPtr value = table->remove(key(c.removed));
        EXPECT_EQ(value.isNull(), c.removed == 33) << c.removed;
        if (value) {
            EXPECT_EQ(DIntegerPtr::from(value)->intValue(), -c.removed);
        }
        EXPECT_EQ(keyOrder(table), c.order) << c.removed;
    }
}

TEST(Hashtable, KeysMatchByEquals) {
    DHashtablePtr table = new DHashtable(11, 75);
    table->put(DStringPtr(u"name"), key(1));
    EXPECT_EQ(DIntegerPtr::from(table->get(DStringPtr(u"name")))->intValue(), 1);
    EXPECT_TRUE(table->get(DStringPtr(u"Name")).isNull());

    DObjectPtr a = new DObject(), b = new DObject();
    table->put(a, key(2));
    table->put(b, key(3));
    EXPECT_EQ(DIntegerPtr::from(table->get(a))->intValue(), 2);
    EXPECT_EQ(DIntegerPtr::from(table->get(b))->intValue(), 3);
}

TEST(Hashtable, EmptyKeysAndValuesAndBadArguments) {
    DHashtablePtr table = new DHashtable(11, 75);
    EXPECT_THROW(table->put(DObjectPtr(), key(1)), DNullPointerExceptionPtr);
    EXPECT_THROW(table->put(key(1), DObjectPtr()), DNullPointerExceptionPtr);
    EXPECT_THROW(table->get(DObjectPtr()), DNullPointerExceptionPtr);
    EXPECT_THROW(table->remove(DObjectPtr()), DNullPointerExceptionPtr);
    EXPECT_THROW(DHashtable(11, 0), DIllegalArgumentExceptionPtr);
    EXPECT_THROW(DHashtable(-1, 75), DIllegalArgumentExceptionPtr);
}

TEST(Hashtable, EnumerationsAndClear) {
    DHashtablePtr table = tableOf(11, {3, 14});
    DEnumerationPtr values = table->elements();
    EXPECT_EQ(DIntegerPtr::from(values->nextElement())->intValue(), -14);
    EXPECT_EQ(DIntegerPtr::from(values->nextElement())->intValue(), -3);
    EXPECT_FALSE(values->hasMoreElements());
    EXPECT_TRUE(values->nextElement().isNull());

    table->clear();
    EXPECT_TRUE(keyOrder(table).empty());
    EXPECT_TRUE(table->get(key(3)).isNull());
}

TEST(Hashtable, EnumerationKeepsItsTableAlive) {
    DEnumerationPtr keys = tableOf(11, {5}).get()->keys();
    EXPECT_EQ(DIntegerPtr::from(keys->nextElement())->intValue(), 5);
    EXPECT_THROW(DEnumerationPtr()->hasMoreElements(), DNullPointerExceptionPtr);
}
