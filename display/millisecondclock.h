#pragma once
#include "ce_types.h"

// Milliseconds from the performance counter, or the tick count where there is none.
DWORD MillisecondClock();

// Lets the processor go for a moment while waiting on hardware.
void YieldProcessor();

constexpr DWORD hardwareWaitLimit = 100;

// Polls until ready answers true, yielding between polls, but no longer than about 100 ms,
// so that hardware that never answers cannot hang the program. False when time ran out.
template <typename Ready>
bool WaitForHardware(Ready ready) {
    DWORD start = MillisecondClock();
    while (!ready()) {
        if (MillisecondClock() - start >= hardwareWaitLimit) return false;
        YieldProcessor();
    }
    return true;
}
