#pragma once
#include <cstdint>
#include "ce_system.h"

// Milliseconds from an earlier tick count to now. The count wraps after 49 days; the signed
// difference of the two counts is right across the wrap.
inline int32_t millisSince(DWORD moment) { return static_cast<int32_t>(GetTickCount() - moment); }
