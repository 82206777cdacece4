#include "handle.h"
#include <map>
#include "ce_file.h"

namespace platform {
namespace {

// Only handles that were given out and not yet closed are honoured, so a stale or
// made-up handle fails the call instead of touching freed memory.
std::map<HANDLE, std::unique_ptr<PlatformHandle>>& live() {
    static std::map<HANDLE, std::unique_ptr<PlatformHandle>> handles;
    return handles;
}

}  // namespace

HANDLE addHandle(std::unique_ptr<PlatformHandle> object) {
    HANDLE handle = reinterpret_cast<HANDLE>(object.get());
    live()[handle] = std::move(object);
    return handle;
}

PlatformHandle* findHandle(HANDLE handle) {
    auto found = live().find(handle);
    return found == live().end() ? nullptr : found->second.get();
}

}  // namespace platform

BOOL CloseHandle(HANDLE object) { return platform::live().erase(object) ? TRUE : FALSE; }
