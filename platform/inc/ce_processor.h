// The processor itself.
#pragma once
#include "ce_types.h"

// What the hardware raises for an instruction it refuses or memory that is not there.
struct HardwareFault {};

// The coprocessor-15 main identification register; raises HardwareFault out of kernel mode
// or on a processor that has none.
DWORD ReadProcessorIdRegister();
