#pragma once
#include "ce_types.h"
#include "dfileoutputstream.ptr"
#include "doutputstream.h"
#include "dstring.h"

namespace dfc::io {

// Writes a file beside the executable; opening empties an existing file.
class DFileOutputStream : public DOutputStream {
public:
    static DFileOutputStreamPtr open(const lang::DStringPtr& name);
    ~DFileOutputStream() override { close(); }

    void finalize() override { close(); }
    // Every byte is written or DIOException is thrown.
    void write(const lang::DbyteArrayPtr& b, int off, int len) override;
    void write(const lang::DbyteArrayPtr& b) override { write(b, 0, b ? b->length : 0); }
    void write(int v) override;
    void flush() override;
    void close() override;
    int64_t skip(int64_t n);

private:
    explicit DFileOutputStream(HANDLE handle) : handle(handle) {}
    void writeBytes(const void* bytes, int n);

    HANDLE handle;
};

}  // namespace dfc::io
