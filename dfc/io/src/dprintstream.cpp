#include "dprintstream.h"

namespace dfc::io {

using namespace lang;

void DPrintStream::finalize() {
    if (out) out->close();
}

void DPrintStream::write(const DbyteArrayPtr& b, int off, int len) {
    if (out) out->write(b, off, len);
}

void DPrintStream::write(const DbyteArrayPtr& b) {
    if (out) out->write(b);
}

void DPrintStream::write(int v) {
    if (out) out->write(v);
}

void DPrintStream::flush() {
    if (out) out->flush();
}

void DPrintStream::close() {
    if (out) out->close();
}

// An empty string writes nothing: a file refuses an empty write.
void DPrintStream::print(const DStringPtr& s) {
    if (out && s->length() > 0) out->write(s->getBytes());
}

}  // namespace dfc::io
