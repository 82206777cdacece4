#include "dbytearrayinputstream.h"
#include <algorithm>
#include <cstring>
#include "dbyterange.h"
#include "dexception.h"

namespace dfc::io {

using lang::DbyteArrayPtr;

DByteArrayInputStream::DByteArrayInputStream(const DbyteArrayPtr& b) : buf(b), count(b->length), pos(0) {}

DByteArrayInputStream::DByteArrayInputStream(const DbyteArrayPtr& b, int offset, int length)
    : buf(b), count(0), pos(0) {
    if (!b) DFC_THROW(lang::DNullPointerException);
    if (offset < 0 || length < 0 || offset > b->length) DFC_THROW(lang::DIndexOutOfBoundsException);
    count = int(std::min<int64_t>(int64_t(offset) + length, b->length));
    pos = offset;
}

int DByteArrayInputStream::read(const DbyteArrayPtr& b, int off, int len) {
    checkRange(b, off, len);
    int n = readCount(pos, count, len);
    if (n <= 0) return n;
    checkRange(buf, pos, n);
    std::memcpy(b->data + off, buf->data + pos, size_t(n));
    pos += n;
    return n;
}

int DByteArrayInputStream::read() {
    if (pos >= count) return -1;
    return (*buf)[pos++] & 0xFF;
}

void DByteArrayInputStream::close() {
    buf = nullptr;
    count = 0;
    pos = 0;
}

int64_t DByteArrayInputStream::skip(int64_t n) {
    n = skipDistance(n, pos, count);
    pos += int(n);
    return n;
}

}  // namespace dfc::io
