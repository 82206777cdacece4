#pragma once
#include "dbytearrayinputstream.ptr"
#include "dinputstream.h"

namespace dfc::io {

// Reads the bytes of an array.
class DByteArrayInputStream : public DInputStream {
public:
    explicit DByteArrayInputStream(const lang::DbyteArrayPtr& b);
    // Reads from offset up to offset + length, or the array's end when that comes first;
    // reset goes back to the array's start, not to offset. A negative offset or length, or an
    // offset past the array's end, throws DIndexOutOfBoundsException.
    DByteArrayInputStream(const lang::DbyteArrayPtr& b, int offset, int length);

    int available() override { return count - pos; }
    using DInputStream::read;
    int read(const lang::DbyteArrayPtr& b, int off, int len) override;
    int read() override;
    void close() override;
    void reset() override { pos = 0; }
    // A negative n moves back, never before the array's start.
    int64_t skip(int64_t n) override;

private:
    lang::DbyteArrayPtr buf;
    int count;
    int pos;
};

}  // namespace dfc::io
