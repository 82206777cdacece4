#include "dfileaccess.h"
#include "ce.h"
#include "dbyterange.h"
#include "dioexception.h"
#include "dsystem.h"

namespace dfc::io::fileaccess {

using namespace lang;

namespace {

DWORD move(HANDLE file, LONG distance, DWORD method) {
    DWORD position = SetFilePointer(file, distance, nullptr, method);
    if (position == INVALID_SET_FILE_POINTER) DFC_THROW(DIOException);
    return position;
}

}  // namespace

DStringPtr pathOf(const DStringPtr& name) {
    if (!name) DFC_THROW(DNullPointerException);
    return DSystem::getProperty(u"app.fullpath") + name->replace(u'/', u'\\');
}

HANDLE create(const DStringPtr& path, DWORD access, DWORD creation) {
    HANDLE file = CreateFileW(path->chars(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, creation,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

void checkArguments(const DbyteArrayPtr& b, int off, int len) {
    if (!b || off > b->length || len == 0) DFC_THROW(DIOException);
    if (!rangeFits(b->length, off, len)) DFC_THROW(DIndexOutOfBoundsException);
}

int64_t skip(HANDLE file, int64_t n) {
    DWORD old = move(file, 0, FILE_CURRENT);
    DWORD now = move(file, LONG(uint32_t(uint64_t(n))), FILE_CURRENT);
    return int32_t(now - old);
}

void close(HANDLE& file) {
    if (!file) return;
    CloseHandle(file);
    file = nullptr;
}

}  // namespace dfc::io::fileaccess
