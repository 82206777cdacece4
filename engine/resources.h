#pragma once
#include "ce_window.h"

// The program's resource script: its string table, handed to the system at start.
extern const ResourceString moduleStrings[];
extern const int moduleStringCount;
