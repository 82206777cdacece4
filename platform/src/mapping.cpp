// File mappings over the host's mmap.
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <map>
#include <memory>
#include "ce_mapping.h"
#include "filehandle.h"
#include "handle.h"

namespace {

struct MappingHandle : PlatformHandle {
    MappingHandle(int fd, size_t size) : fd(fd), size(size) {}
    ~MappingHandle() override { close(fd); }
    int fd;
    size_t size;
};

// Each view's length, which unmapping needs.
std::map<const void*, size_t>& views() {
    static std::map<const void*, size_t> lengths;
    return lengths;
}

}  // namespace

HANDLE CreateFileForMappingW(LPCWSTR fileName, DWORD access, DWORD shareMode, LPVOID security, DWORD creation,
                             DWORD flags, HANDLE templateFile) {
    return CreateFileW(fileName, access, shareMode, security, creation, flags, templateFile);
}

HANDLE CreateFileMappingW(HANDLE file, LPVOID, DWORD protect, DWORD maximumSizeHigh, DWORD maximumSizeLow, LPCWSTR) {
    auto* f = platform::handleAs<FileHandle>(file);
    struct stat info;
    if (!f || protect != PAGE_READONLY || maximumSizeHigh || maximumSizeLow || fstat(f->fd, &info) != 0 ||
        info.st_size <= 0)
        return nullptr;
    // The mapping keeps its own descriptor: closing the file must not take it away.
    int fd = dup(f->fd);
    if (fd < 0) return nullptr;
    return platform::addHandle(std::make_unique<MappingHandle>(fd, size_t(info.st_size)));
}

LPVOID MapViewOfFile(HANDLE mapping, DWORD desiredAccess, DWORD offsetHigh, DWORD offsetLow, DWORD bytesToMap) {
    auto* m = platform::handleAs<MappingHandle>(mapping);
    if (!m || desiredAccess != FILE_MAP_READ || offsetHigh || offsetLow || bytesToMap) return nullptr;
    void* view = mmap(nullptr, m->size, PROT_READ, MAP_PRIVATE, m->fd, 0);
    if (view == MAP_FAILED) return nullptr;
    views()[view] = m->size;
    return view;
}

BOOL UnmapViewOfFile(const void* view) {
    auto found = views().find(view);
    if (found == views().end()) return FALSE;
    munmap(const_cast<void*>(found->first), found->second);
    views().erase(found);
    return TRUE;
}
