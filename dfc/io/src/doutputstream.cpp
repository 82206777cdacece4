#include "doutputstream.h"
#include "dbyterange.h"

namespace dfc::io {

void DOutputStream::write(const lang::DbyteArrayPtr& b, int off, int len) {
    checkRange(b, off, len);
    for (int i = 0; i < len; ++i) write(int(b->data[off + i]));
}

}  // namespace dfc::io
