#pragma once
#include "dprintstream.ptr"
#include "dstring.h"

namespace dfc::io {

// Diagnostic text lines; a stream made without an output writes nothing.
class DPrintStream : public lang::DObject {
public:
    void println(const lang::DStringPtr&) {}
};

}  // namespace dfc::io
