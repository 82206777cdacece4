#include "dbytearrayoutputstream.h"
#include <cstring>
#include "dbytearrayinputstream.h"
#include "dbyterange.h"
#include "ddatainputstream.h"

namespace dfc::io {

using namespace lang;

DByteArrayOutputStream::DByteArrayOutputStream(int size) : buf(new DbyteArray(size)) {}

DStringPtr DByteArrayOutputStream::toString() {
    DDataInputStreamPtr in = new DDataInputStream(new DByteArrayInputStream(buf));
    return in->readUTF();
}

void DByteArrayOutputStream::write(const DbyteArrayPtr& b, int off, int len) {
    checkRange(b, off, len);
    if (buf->length - count < len) grow(count + len + 64);
    if (len > 0) std::memcpy(buf->data + count, b->data + off, size_t(len));
    count += len;
}

void DByteArrayOutputStream::write(int v) {
    if (buf->length <= count) grow(buf->length + 64);
    buf->data[count++] = static_cast<int8_t>(v);
}

void DByteArrayOutputStream::close() {
    buf = nullptr;
    count = 0;
}

void DByteArrayOutputStream::grow(int capacity) {
    DbyteArrayPtr larger = new DbyteArray(capacity);
    if (count > capacity) count = capacity;
    if (count > 0) std::memcpy(larger->data, buf->data, size_t(count));
    buf = larger;
}

}  // namespace dfc::io
