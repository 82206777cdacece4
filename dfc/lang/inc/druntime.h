#pragma once
#include <cstdint>
#include "druntime.ptr"

namespace dfc::lang {

// The device's memory figures; one instance exists from start-up to exit.
class DRuntime : public DObject {
public:
    static DRuntimePtr getRuntime();
    // Available and total physical memory in bytes.
    int64_t freeMemory();
    int64_t totalMemory();
};

}  // namespace dfc::lang
