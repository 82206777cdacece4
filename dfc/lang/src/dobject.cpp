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
    const DThrowSite site{DStringPtr(className) + u" " + throwSite(headerPath, line).text};
    throw DNullPointerExceptionPtr(new DNullPointerException(site));
}

DStringPtr DObject::toString() { return u"DObject@" + DInteger::toString(hashCode(), 16); }

}  // namespace dfc::lang
