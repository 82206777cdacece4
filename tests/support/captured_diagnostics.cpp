#include "captured_diagnostics.h"
#include "dbytearrayoutputstream.h"
#include "dprintstream.h"
#include "dsystem.h"

using dfc::io::DByteArrayOutputStream;
using dfc::io::DByteArrayOutputStreamPtr;
using dfc::io::DPrintStream;
using dfc::lang::DSystem;

namespace {

DByteArrayOutputStreamPtr printed;

}  // namespace

void beginDiagnostics() {
    printed = new DByteArrayOutputStream();
    DSystem::err = new DPrintStream(printed);
}

void endDiagnostics() {
    DSystem::err = nullptr;
    printed = nullptr;
}

std::string printedDiagnostics() {
    if (!printed) return "";
    return std::string(reinterpret_cast<const char*>(printed->toByteArray()->data), size_t(printed->size()));
}
