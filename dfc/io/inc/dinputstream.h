#pragma once
#include <cstdint>
#include "dinputstream.ptr"
#include "dprimitives.h"

namespace dfc::io {

// A source of bytes. read () and the array reads answer -1 at the end.
class DInputStream : public lang::DObject {
public:
    virtual int available() = 0;
    // Reads byte by byte through read (); stops early at the end. The range must lie inside b.
    virtual int read(const lang::DbyteArrayPtr& b, int off, int len);
    virtual int read(const lang::DbyteArrayPtr& b) { return read(b, 0, b->length); }
    virtual int read() = 0;
    virtual void close() {}
    virtual void reset() {}
    virtual int64_t skip(int64_t n) = 0;
};

}  // namespace dfc::io
