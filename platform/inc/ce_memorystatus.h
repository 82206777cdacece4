// The device's memory figures.
#pragma once
#include "ce_types.h"

struct MEMORYSTATUS {
    DWORD dwLength;
    DWORD dwTotalPhys;
    DWORD dwAvailPhys;
};

void GlobalMemoryStatus(MEMORYSTATUS* status);
