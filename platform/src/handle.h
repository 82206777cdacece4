// Kernel objects the layer hands out as HANDLEs; CloseHandle destroys them.
#pragma once
#include <memory>
#include "ce_types.h"

struct PlatformHandle {
    virtual ~PlatformHandle() = default;
};

namespace platform {

HANDLE addHandle(std::unique_ptr<PlatformHandle> object);
PlatformHandle* findHandle(HANDLE handle);

// The live object behind a handle, or null for a handle that is closed, invalid or of another kind.
template <class T>
T* handleAs(HANDLE handle) {
    return dynamic_cast<T*>(findHandle(handle));
}

}  // namespace platform
