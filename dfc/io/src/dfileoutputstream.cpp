#include "dfileoutputstream.h"
#include "ce.h"
#include "dfileaccess.h"
#include "dioexception.h"

namespace dfc::io {

using namespace lang;

DFileOutputStreamPtr DFileOutputStream::open(const DStringPtr& name) {
    HANDLE file = fileaccess::create(fileaccess::pathOf(name), GENERIC_WRITE, CREATE_ALWAYS);
    if (!file) DFC_THROW(DIOException);
    return new DFileOutputStream(file);
}

void DFileOutputStream::write(const DbyteArrayPtr& b, int off, int len) {
    fileaccess::checkArguments(b, off, len);
    writeBytes(b->data + off, len);
}

void DFileOutputStream::write(int v) {
    uint8_t byte = uint8_t(v);
    writeBytes(&byte, 1);
}

// A write that stores fewer bytes than asked (a full disk) is a failure, not a success.
void DFileOutputStream::writeBytes(const void* bytes, int n) {
    DWORD written = 0;
    if (!WriteFile(handle, bytes, DWORD(n), &written, nullptr) || written != DWORD(n)) DFC_THROW(DIOException);
}

void DFileOutputStream::flush() {
    if (!FlushFileBuffers(handle)) DFC_THROW(DIOException);
}

void DFileOutputStream::close() { fileaccess::close(handle); }

int64_t DFileOutputStream::skip(int64_t n) { return fileaccess::skip(handle, n); }

}  // namespace dfc::io
