#pragma once
#include "ddatainputstream.ptr"
#include "dinputstream.h"
#include "dstring.h"

namespace dfc::io {

// Reads big-endian values and modified UTF-8 strings from another stream. Closing or
// resetting it leaves the wrapped stream alone.
class DDataInputStream : public DInputStream {
public:
    explicit DDataInputStream(const DInputStreamPtr& in) : in(in) {}

    int available() override { return in->available(); }
    int read(const lang::DbyteArrayPtr& b, int off, int len) override { return in->read(b, off, len); }
    int read(const lang::DbyteArrayPtr& b) override { return in->read(b); }
    int read() override { return in->read(); }
    int64_t skip(int64_t n) override { return in->skip(n); }

    // Each typed reader throws DEOFException when the stream ends inside its value.
    bool readBoolean() { return readBigEndian(1) != 0; }
    int readByte() { return int8_t(readBigEndian(1)); }
    int readUnsignedByte() { return int(readBigEndian(1)); }
    int readShort() { return int16_t(readBigEndian(2)); }
    int readUnsignedShort() { return int(readBigEndian(2)); }
    int readInt() { return int32_t(readBigEndian(4)); }
    int64_t readLong() { return int64_t(readBigEndian(8)); }
    void readFully(const lang::DbyteArrayPtr& b, int off, int len);
    void readFully(const lang::DbyteArrayPtr& b) { readFully(b, 0, b->length); }
    // A 16-bit byte count, then that many bytes of modified UTF-8.
    lang::DStringPtr readUTF();
    static lang::DStringPtr readUTF(const DDataInputStreamPtr& in) { return in->readUTF(); }

private:
    // Reads all n bytes first, so a value cut short still consumes what was there.
    uint64_t readBigEndian(int n);

    DInputStreamPtr in;
};

}  // namespace dfc::io
