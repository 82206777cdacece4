// The layer's trace of what it does; this build keeps none.
#pragma once

inline void DisplayLog(const char*, ...) {}
