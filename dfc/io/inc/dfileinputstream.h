#pragma once
#include "ce_types.h"
#include "dfileinputstream.ptr"
#include "dinputstream.h"
#include "dstring.h"

namespace dfc::io {

// Reads a file beside the executable. Unlike other streams, read () throws DEOFException at
// the end of the file; the array reads answer -1.
class DFileInputStream : public DInputStream {
public:
    // "/charset.dat" opens charset.dat in the executable's folder; a missing file throws
    // DFileNotFoundException "File: <path> not found.".
    static DFileInputStreamPtr open(const lang::DStringPtr& name);
    ~DFileInputStream() override { close(); }

    void finalize() override { close(); }
    // Negative once a skip has passed the end.
    int available() override;
    int read(const lang::DbyteArrayPtr& b, int off, int len) override;
    int read(const lang::DbyteArrayPtr& b) override { return read(b, 0, b ? b->length : 0); }
    int read() override;
    void close() override;
    void reset() override;
    int64_t skip(int64_t n) override;

private:
    explicit DFileInputStream(HANDLE handle) : handle(handle) {}

    HANDLE handle;
};

}  // namespace dfc::io
