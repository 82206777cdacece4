// The exception family. Exceptions are thrown and caught as their pointer classes:
//   DFC_THROW(DIOException);          message: the throwing source file and line
//   catch (DExceptionPtr& e) { ... }  catches every exception of the library
// A user is told an exception through DFailureReason, never by its message alone.
#pragma once
#include "dexception.ptr"
#include "dstring.h"

namespace dfc::lang {

// Where in the source a library throw happened: the message of an exception that has none
// of its own, for a developer.
struct DThrowSite {
    DStringPtr text;
};

class DThrowable : public DObject {
public:
    explicit DThrowable(DStringPtr message = DStringPtr()) : message(message) {}
    // The message is the site's text, and the exception knows it for no message of its own.
    explicit DThrowable(const DThrowSite& site) : message(site.text), fromSite(true) {}
    ~DThrowable() override = default;
    DStringPtr toString() override;
    virtual DStringPtr getMessage();
    // Whether the message tells the user what failed: it is neither empty nor a throw site.
    bool hasOwnMessage() const;
    // What failed, as the exception's kind tells it to a user; null for a kind with no words.
    virtual DStringPtr reasonOfKind() const { return nullptr; }

private:
    DStringPtr message;
    bool fromSite = false;
};

class DException : public DThrowable {
public:
    using DThrowable::DThrowable;
};

// "path:line" of a throw site.
DThrowSite throwSite(const char* path, int line);

}  // namespace dfc::lang

// An exception class that names itself in toString.
#define DFC_DECLARE_EXCEPTION(Name, Base)                                        \
    class Name : public Base {                                                   \
    public:                                                                      \
        using Base::Base;                                                        \
        ::dfc::lang::DStringPtr toString() override { return u"" #Name; }       \
    }

// ... that also tells its kind's failure to a user, in the words `told`.
#define DFC_DECLARE_TOLD_EXCEPTION(Name, Base, told)                           \
    class Name : public Base {                                                 \
    public:                                                                    \
        using Base::Base;                                                      \
        ::dfc::lang::DStringPtr toString() override { return u"" #Name; }      \
        ::dfc::lang::DStringPtr reasonOfKind() const override { return told; } \
    }

#define DFC_THROW(Name) throw Name##Ptr(new Name(::dfc::lang::throwSite(__FILE__, __LINE__)))

namespace dfc::lang {
DFC_DECLARE_EXCEPTION(DNumberFormatException, DException);
DFC_DECLARE_TOLD_EXCEPTION(DNullPointerException, DException, u"a value it needs is missing");
DFC_DECLARE_TOLD_EXCEPTION(DIndexOutOfBoundsException, DException, u"it reached past the end of a table");
DFC_DECLARE_EXCEPTION(DArrayIndexOutOfBoundsException, DIndexOutOfBoundsException);
DFC_DECLARE_EXCEPTION(DStringIndexOutOfBoundsException, DIndexOutOfBoundsException);
DFC_DECLARE_EXCEPTION(DIllegalArgumentException, DException);
DFC_DECLARE_EXCEPTION(DRuntimeException, DException);
DFC_DECLARE_EXCEPTION(DIllegalStateException, DRuntimeException);

// The message of a number format error for an input text.
DStringPtr numberFormatMessage(const DStringPtr& input);
}  // namespace dfc::lang
