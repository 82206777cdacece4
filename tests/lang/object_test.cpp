#include <gtest/gtest.h>
#include "dexception.h"
#include "dinteger.h"
#include "dstring.h"
#include "text.h"

using namespace dfc::lang;

namespace {

struct Counted : DObject {
    explicit Counted(int* destroyed) : destroyed(destroyed) {}
    ~Counted() override { ++*destroyed; }
    int* destroyed;
};

DFC_DECLARE_PTR(Counted, DObjectPtr);

}  // namespace

TEST(ObjectModel, CountsFollowThePointersThatHoldTheObject) {
    int destroyed = 0;
    auto* object = new Counted(&destroyed);
    EXPECT_EQ(object->getRefCount(), 0);
    {
        CountedPtr a = object;
        EXPECT_EQ(object->getRefCount(), 1);
        a = object;  // storing the pointer already held
        EXPECT_EQ(object->getRefCount(), 1);
        CountedPtr b = a;
        EXPECT_EQ(object->getRefCount(), 2);
        b = nullptr;
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST(ObjectModel, EmptyPointersCompareAndPrint) {
    DObjectPtr empty, alsoEmpty;
    DObjectPtr full = new DInteger(3);
    EXPECT_TRUE(empty.equals(alsoEmpty));
    EXPECT_FALSE(empty.equals(full));
    EXPECT_FALSE(full.equals(empty));
    EXPECT_EQ(narrow(empty.toString()), "null");
    EXPECT_EQ(narrow(full.toString()), "DObjectPtr@3");
}

TEST(ObjectModel, DefaultTextIsTheMaskedAddressInHexadecimal) {
    DObjectPtr object = new DObject();
    int hash = object->hashCode();
    EXPECT_GE(hash, 0);
    EXPECT_EQ(uintptr_t(hash), reinterpret_cast<uintptr_t>(object.get()) & 0x7fffffff);
    char expected[32];
    std::snprintf(expected, sizeof expected, "DObject@%x", hash);
    EXPECT_TRUE(object->toString()->equals(DStringPtr(new DString(expected))));
}

TEST(Exceptions, WithoutAMessageTheTextIsTheMarkerAlone) {
    DThrowablePtr e = new DException();
    EXPECT_EQ(narrow(e->getMessage()), "");
    EXPECT_EQ(narrow(e->toString()), "*** : ");
    DExceptionPtr withMessage = new DException(u"broken");
    EXPECT_EQ(narrow(withMessage->toString()), "*** : broken");
    DExceptionPtr named = new DIllegalStateException(u"ignored in the text");
    EXPECT_EQ(narrow(named->toString()), "DIllegalStateException");
}

TEST(Exceptions, AThrownPointerIsCaughtByThePointerClassOfAnyBase) {
    int line = 0;
    auto throwState = [&line] { line = __LINE__; DFC_THROW(DIllegalStateException); };
    EXPECT_THROW(throwState(), DIllegalStateExceptionPtr);
    EXPECT_THROW(throwState(), DRuntimeExceptionPtr);
    EXPECT_THROW(throwState(), DExceptionPtr);
    EXPECT_THROW(throwState(), DThrowablePtr);
    EXPECT_THROW(throwState(), DObjectPtr);
    try {
        throwState();
    } catch (DExceptionPtr& e) {
        // The site's message: this file's path, ":" and the line of the throw.
        DStringPtr message = e->getMessage();
        EXPECT_TRUE(message->endsWith(DStringPtr(u"object_test.cpp:") + line)) << narrow(message);
    }
}

TEST(Exceptions, DereferencingAnEmptyPointerNamesThePointeeAndItsHeader) {
    DIntegerPtr empty;
    try {
        empty->intValue();
        FAIL() << "no exception";
    } catch (DThrowablePtr& e) {
        DStringPtr message = e->getMessage();
        EXPECT_TRUE(message->startsWith(DStringPtr(u"DInteger ")));
        int colon = message->lastIndexOf(u':');
        ASSERT_GT(colon, 0);
        EXPECT_TRUE(message->substring(0, colon)->endsWith(DStringPtr(u"dinteger.ptr"))) << narrow(message);
        EXPECT_GT(DInteger::parseInt(message->substring(colon + 1)), 0);
        EXPECT_EQ(narrow(e->toString()), "DNullPointerException");
    }
}
