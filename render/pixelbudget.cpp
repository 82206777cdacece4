#include "pixelbudget.h"

bool PixelBudget::take(uint64_t pixels) {
    if (pixels > room()) return false;
    held += pixels;
    return true;
}

void PixelBudget::giveBack(uint64_t pixels) { held -= pixels; }
