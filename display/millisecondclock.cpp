#include "millisecondclock.h"
#include "ce.h"

DWORD MillisecondClock() {
    LARGE_INTEGER frequency, count;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart < 1000 || !QueryPerformanceCounter(&count))
        return GetTickCount();
    return DWORD(count.QuadPart / (frequency.QuadPart / 1000));
}

void YieldProcessor() { Sleep(0); }
