#include "mappedfile.h"
#include "ce_mapping.h"
#include "modulepath.h"

bool MappedFile::open(const WCHAR* name) {
    close();
    WCHAR path[maxPathLength];
    if (!resolveModulePath(name, path)) return false;
    file = CreateFileForMappingW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
    if (file != INVALID_HANDLE_VALUE) mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping) view = static_cast<const uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    if (!view) {
        close();
        return false;
    }
    viewEnd = view + GetFileSize(file, nullptr);
    return true;
}

void MappedFile::close() {
    if (view) UnmapViewOfFile(view);
    if (mapping) CloseHandle(mapping);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
    mapping = nullptr;
    view = viewEnd = nullptr;
}
