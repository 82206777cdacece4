#include "dfileinputstream.h"
#include "ce.h"
#include "dfileaccess.h"
#include "dioexception.h"

namespace dfc::io {

using namespace lang;

DFileInputStreamPtr DFileInputStream::open(const DStringPtr& name) {
    DStringPtr path = fileaccess::pathOf(name);
    HANDLE file = fileaccess::create(path, GENERIC_READ, OPEN_EXISTING);
    if (!file) throw DFileNotFoundExceptionPtr(new DFileNotFoundException(u"File: " + path + u" not found."));
    return new DFileInputStream(file);
}

int DFileInputStream::available() {
    DWORD current = SetFilePointer(handle, 0, nullptr, FILE_CURRENT);
    DWORD end = SetFilePointer(handle, 0, nullptr, FILE_END);
    if (current == INVALID_SET_FILE_POINTER || end == INVALID_SET_FILE_POINTER ||
        SetFilePointer(handle, LONG(current), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        DFC_THROW(DIOException);
    return int32_t(end - current);
}

int DFileInputStream::read(const DbyteArrayPtr& b, int off, int len) {
    fileaccess::checkArguments(b, off, len);
    DWORD got = 0;
    if (!ReadFile(handle, b->data + off, DWORD(len), &got, nullptr)) DFC_THROW(DIOException);
    return got == 0 ? -1 : int(got);
}

int DFileInputStream::read() {
    uint8_t byte = 0;
    DWORD got = 0;
    if (!ReadFile(handle, &byte, 1, &got, nullptr)) DFC_THROW(DIOException);
    if (got == 0) DFC_THROW(DEOFException);
    return byte;
}

void DFileInputStream::close() { fileaccess::close(handle); }

void DFileInputStream::reset() { SetFilePointer(handle, 0, nullptr, FILE_BEGIN); }

int64_t DFileInputStream::skip(int64_t n) { return fileaccess::skip(handle, n); }

}  // namespace dfc::io
