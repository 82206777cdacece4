// The exception family. Exceptions are thrown and caught as their pointer classes:
//   DFC_THROW(DIOException);          message: the throwing source file and line
//   catch (DExceptionPtr& e) { ... }  catches every exception of the library
#pragma once
#include "dexception.ptr"
#include "dstring.h"

namespace dfc::lang {

class DThrowable : public DObject {
public:
    explicit DThrowable(DStringPtr message = DStringPtr()) : message(message) {}
    ~DThrowable() override = default;
    DStringPtr toString() override;
    virtual DStringPtr getMessage();

private:
    DStringPtr message;
};

class DException : public DThrowable {
public:
    using DThrowable::DThrowable;
};

// "path:line" of a throw site.
DStringPtr throwSite(const char* path, int line);

}  // namespace dfc::lang

// An exception class that names itself in toString.
#define DFC_DECLARE_EXCEPTION(Name, Base)                                        \
    class Name : public Base {                                                   \
    public:                                                                      \
        using Base::Base;                                                        \
        ::dfc::lang::DStringPtr toString() override { return u"" #Name; }       \
    }

#define DFC_THROW(Name) throw Name##Ptr(new Name(::dfc::lang::throwSite(__FILE__, __LINE__)))

namespace dfc::lang {
DFC_DECLARE_EXCEPTION(DNumberFormatException, DException);
DFC_DECLARE_EXCEPTION(DNullPointerException, DException);
DFC_DECLARE_EXCEPTION(DIndexOutOfBoundsException, DException);
DFC_DECLARE_EXCEPTION(DArrayIndexOutOfBoundsException, DIndexOutOfBoundsException);
DFC_DECLARE_EXCEPTION(DStringIndexOutOfBoundsException, DIndexOutOfBoundsException);
DFC_DECLARE_EXCEPTION(DIllegalArgumentException, DException);
DFC_DECLARE_EXCEPTION(DRuntimeException, DException);
DFC_DECLARE_EXCEPTION(DIllegalStateException, DRuntimeException);

// The message of a number format error for an input text.
DStringPtr numberFormatMessage(const DStringPtr& input);
}  // namespace dfc::lang
