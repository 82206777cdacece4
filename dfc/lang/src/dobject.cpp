#include "dobject.h"
#include "dexception.h"
#include "dinteger.h"
#include "dstring.h"

namespace dfc::lang {

bool DObjectPtr::equals(const DObjectPtr& other) const {
    if (ptr == other.ptr) return true;
    if (!ptr || !other.ptr) return false;
    return ptr->equals(other);
}

DStringPtr DObjectPtr::toString() const {
    if (!ptr) return u"null";
    return u"DObjectPtr@" + DInteger::toString(ptr->hashCode(), 16);
}

void DObjectPtr::throwNullPointer(const char16_t* className, const char* headerPath, int line) {
    DStringPtr message = DStringPtr(className) + u" " + DStringPtr(new DString(headerPath)) + u":" + line;
    throw DNullPointerExceptionPtr(new DNullPointerException(message));
}

DStringPtr DObject::toString() { return u"DObject@" + DInteger::toString(hashCode(), 16); }

}  // namespace dfc::lang
