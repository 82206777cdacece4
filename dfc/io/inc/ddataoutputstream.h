#pragma once
#include "ddataoutputstream.ptr"
#include "doutputstream.h"
#include "dstring.h"

namespace dfc::io {

// Writes big-endian values and modified UTF-8 strings to another stream, one byte at a time.
// Closing it closes the wrapped stream.
class DDataOutputStream : public DOutputStream {
public:
    explicit DDataOutputStream(const DOutputStreamPtr& out) : out(out) {}

    void write(const lang::DbyteArrayPtr& b, int off, int len) override { out->write(b, off, len); }
    void write(const lang::DbyteArrayPtr& b) override { write(b, 0, b->length); }
    void write(int v) override { out->write(v); }
    void flush() override { out->flush(); }
    void close() override { out->close(); }

    void writeBoolean(bool v) { writeBigEndian(v ? 1 : 0, 1); }
    void writeByte(int v) { writeBigEndian(uint32_t(v), 1); }
    // A UTF-16 unit: two bytes, high first.
    void writeChar(int v) { writeBigEndian(uint32_t(v), 2); }
    void writeShort(int v) { writeBigEndian(uint32_t(v), 2); }
    void writeInt(int v) { writeBigEndian(uint32_t(v), 4); }
    void writeLong(int64_t v) { writeBigEndian(uint64_t(v), 8); }
    void writeChars(const lang::DStringPtr& s);
    // Throws DUTFDataFormatException, having written nothing, past 65535 encoded bytes.
    void writeUTF(const lang::DStringPtr& s);

private:
    void writeBigEndian(uint64_t v, int n);

    DOutputStreamPtr out;
};

}  // namespace dfc::io
