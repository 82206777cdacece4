#include <sys/sysinfo.h>
#include <algorithm>
#include "ce_memorystatus.h"

namespace {
// The device's figures are 32-bit: a larger host reports 4 GB less one byte.
DWORD clamp(uint64_t bytes) { return DWORD(std::min<uint64_t>(bytes, 0xFFFFFFFF)); }
}  // namespace

void GlobalMemoryStatus(MEMORYSTATUS* status) {
    if (!status) return;
    struct sysinfo info {};
    sysinfo(&info);
    status->dwLength = sizeof *status;
    status->dwTotalPhys = clamp(uint64_t(info.totalram) * info.mem_unit);
    status->dwAvailPhys = clamp(uint64_t(info.freeram) * info.mem_unit);
}
