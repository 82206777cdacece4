#pragma once
#include "doutputstream.ptr"
#include "dprimitives.h"

namespace dfc::io {

// A sink of bytes.
class DOutputStream : public lang::DObject {
public:
    // Writes byte by byte through write (int); the range must lie inside b.
    virtual void write(const lang::DbyteArrayPtr& b, int off, int len);
    virtual void write(const lang::DbyteArrayPtr& b) { write(b, 0, b->length); }
    // The low 8 bits of v.
    virtual void write(int v) = 0;
    virtual void flush() {}
    virtual void close() {}
};

}  // namespace dfc::io
