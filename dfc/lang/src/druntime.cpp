#include "druntime.h"
#include "ce.h"

namespace dfc::lang {
namespace {

DRuntimePtr theRuntime = new DRuntime();

MEMORYSTATUS memoryStatus() {
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    return status;
}

}  // namespace

DRuntimePtr DRuntime::getRuntime() { return theRuntime; }

int64_t DRuntime::freeMemory() { return memoryStatus().dwAvailPhys; }

int64_t DRuntime::totalMemory() { return memoryStatus().dwTotalPhys; }

}  // namespace dfc::lang
