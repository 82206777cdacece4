#pragma once
#include "doutputstream.h"
#include "dprintstream.ptr"
#include "dstring.h"

namespace dfc::io {

// Text lines over another stream, one byte per code unit, lines ending "\r\n". A print
// stream without a stream to write to accepts everything and writes nothing.
class DPrintStream : public DOutputStream {
public:
    explicit DPrintStream(const DOutputStreamPtr& out) : out(out) {}

    void finalize() override;
    void write(const lang::DbyteArrayPtr& b, int off, int len) override;
    void write(const lang::DbyteArrayPtr& b) override;
    void write(int v) override;
    void flush() override;
    void close() override;

    // The low 8 bits of each unit, in one array write.
    void print(const lang::DStringPtr& s);
    void printNewline() { print(u"\r\n"); }
    void println(const lang::DStringPtr& s) {
        print(s);
        printNewline();
    }

private:
    DOutputStreamPtr out;
};

}  // namespace dfc::io
