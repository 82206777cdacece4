#pragma once
#include "dbytearrayoutputstream.ptr"
#include "doutputstream.h"
#include "dstring.h"

namespace dfc::io {

// Collects written bytes in an array that grows 64 bytes at a time.
class DByteArrayOutputStream : public DOutputStream {
public:
    DByteArrayOutputStream() : DByteArrayOutputStream(64) {}
    explicit DByteArrayOutputStream(int size);

    // The string one writeUTF put at the start of the buffer.
    lang::DStringPtr toString() override;
    using DOutputStream::write;
    void write(const lang::DbyteArrayPtr& b, int off, int len) override;
    void write(int v) override;
    void close() override;
    // Writes start again at 0; the buffer and its old bytes stay.
    virtual void reset() { count = 0; }

    int size() const { return count; }
    // The stream's own buffer, not a copy: its length is the capacity, not size (). Stored
    // records rely on this, so they come in 64-byte steps.
    lang::DbyteArrayPtr toByteArray() const { return buf; }

private:
    void grow(int capacity);

    lang::DbyteArrayPtr buf;
    int count = 0;
};

}  // namespace dfc::io
