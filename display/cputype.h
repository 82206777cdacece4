#pragma once
#include "ce_types.h"

enum CPUType : DWORD { CPU_OTHER = 0, CPU_STRONGARM = 1, CPU_XSCALE = 2 };

// The processor family, read once from its identification register in kernel mode.
CPUType GetCPUType();

// The family an identification register value names.
CPUType CPUTypeOf(DWORD identification);
