#pragma once
#include "ce_types.h"

// Characters of a path buffer, terminator included.
constexpr int maxPathLength = 260;

// A path beginning with '\' as it is; any other placed in the executable's folder. Answers
// the length of the result in out, or 0 when there is no folder or the result would not fit.
int resolveModulePath(const WCHAR* path, WCHAR (&out)[maxPathLength]);
