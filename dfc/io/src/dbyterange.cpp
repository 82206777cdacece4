#include "dbyterange.h"
#include "dexception.h"

namespace dfc::io {

using namespace lang;

void checkRange(const DbyteArrayPtr& b, int off, int len) {
    if (!b) DFC_THROW(DNullPointerException);
    if (!rangeFits(b->length, off, len)) DFC_THROW(DIndexOutOfBoundsException);
}

}  // namespace dfc::io
