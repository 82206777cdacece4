#include "dinputstream.h"
#include "dbyterange.h"

namespace dfc::io {

int DInputStream::read(const lang::DbyteArrayPtr& b, int off, int len) {
    checkRange(b, off, len);
    for (int i = 0; i < len; ++i) {
        int c = read();
        if (c == -1) return i > 0 ? i : -1;
        b->data[off + i] = static_cast<int8_t>(c);
    }
    return len;
}

}  // namespace dfc::io
