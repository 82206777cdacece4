#pragma once
#include "ce_types.h"
#include "cputype.h"
#include "surface.h"

// Copies the picture into a surface turned by quarter turns: destination pixel (x, y) of the
// area comes from the source pixel the turns name (w, h the source's size):
// 1: (y, h - 1 - x); 2: (w - 1 - x, h - 1 - y); 3: (w - 1 - y, x).
using RotationCopy = void (*)(const Surface& from, Surface& to, const RECT& area);

enum class TileOrder { byColumns, byRows };

// Works in 16 x 16 tiles visited in the order given, each turned in blocks of 8 x 8 pixels
// whose rows are written eight pixels at a time; tuned for the processor family.
RotationCopy SelectRotationCopy(DWORD turns, TileOrder order, CPUType cpu);
