#include "mask.h"
#include <algorithm>

namespace assets {

void Mask::add(int x, int y, float coverage) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    float& value = values[size_t(y) * w + x];
    value = std::max(value, coverage);
}

Mask Mask::grown() const {
    Mask result(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float side = std::max({at(x, y), at(x - 1, y), at(x + 1, y), at(x, y - 1), at(x, y + 1)});
            float corner = std::max({at(x - 1, y - 1), at(x + 1, y - 1), at(x - 1, y + 1), at(x + 1, y + 1)});
            result.values[size_t(y) * w + x] = std::min(1.0f, 2 * std::max(side, corner * 0.7f));
        }
    return result;
}

Mask Mask::shifted(int dx, int dy) const {
    Mask result(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) result.values[size_t(y) * w + x] = at(x - dx, y - dy);
    return result;
}

}  // namespace assets
