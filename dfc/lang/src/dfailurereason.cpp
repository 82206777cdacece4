#include "dfailurereason.h"
#include <new>
#include "dioexception.h"

namespace dfc::lang {

namespace {

const char16_t* const internalError = u"an error inside the program";

DStringPtr reasonOfKind(DThrowable* thrown) {
    if (dynamic_cast<DNullPointerException*>(thrown)) return u"a value it needs is missing";
    if (dynamic_cast<DIndexOutOfBoundsException*>(thrown)) return u"it reached past the end of a table";
    if (dynamic_cast<io::DEOFException*>(thrown)) return u"the data ends early";
    if (dynamic_cast<io::DIOException*>(thrown)) return u"data it reads cannot be read";
    return internalError;
}

}  // namespace

DStringPtr DFailureReason::of(const DThrowablePtr& e) {
    return e->hasOwnMessage() ? e->getMessage() : reasonOfKind(e.get());
}

DStringPtr DFailureReason::of(const std::exception& e) {
    return dynamic_cast<const std::bad_alloc*>(&e) ? u"the memory ran out" : internalError;
}

}  // namespace dfc::lang
