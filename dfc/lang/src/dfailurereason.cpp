#include "dfailurereason.h"
#include <new>

namespace dfc::lang {

namespace {

const char16_t* const internalError = u"an error inside the program";

}  // namespace

DStringPtr DFailureReason::of(const DThrowablePtr& e) {
    if (e->hasOwnMessage()) return e->getMessage();
    const DStringPtr told = e->reasonOfKind();
    return told ? told : DStringPtr(internalError);
}

DStringPtr DFailureReason::of(const std::exception& e) {
    return dynamic_cast<const std::bad_alloc*>(&e) ? u"the memory ran out" : internalError;
}

}  // namespace dfc::lang
