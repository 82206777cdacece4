#include "failurereason.h"
#include <new>
#include "dioexception.h"

using dfc::lang::DStringPtr;

namespace {

const char16_t* const internalError = u"an error inside the program";

}  // namespace

DStringPtr FailureReason::of(const dfc::lang::DThrowablePtr& e) {
    dfc::lang::DThrowable* const thrown = e.get();
    if (dynamic_cast<dfc::lang::DNullPointerException*>(thrown)) return u"a value it needs is missing";
    if (dynamic_cast<dfc::lang::DIndexOutOfBoundsException*>(thrown)) return u"it reached past the end of a table";
    if (dynamic_cast<dfc::io::DIOException*>(thrown)) return u"data it reads cannot be read";
    return internalError;
}

DStringPtr FailureReason::of(const std::exception& e) {
    return dynamic_cast<const std::bad_alloc*>(&e) ? u"the memory ran out" : internalError;
}
