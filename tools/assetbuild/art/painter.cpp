#include "painter.h"
#include <algorithm>
#include <cmath>

namespace assets {

void Painter::fill(const Box& box, const Paint& paint, const Inside& inside) {
    constexpr int steps = 4;
    int left = std::max(0, int(std::floor(box.x))), top = std::max(0, int(std::floor(box.y)));
    int right = std::min(image.width(), int(std::ceil(box.x + box.w)));
    int bottom = std::min(image.height(), int(std::ceil(box.y + box.h)));
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            int hits = 0;
            for (int sy = 0; sy < steps; ++sy)
                for (int sx = 0; sx < steps; ++sx)
                    if (inside(x + (sx + 0.5) / steps, y + (sy + 0.5) / steps)) ++hits;
            if (hits > 0) image.cover(x, y, paint.at(x + 0.5, y + 0.5, box), double(hits) / (steps * steps));
        }
}

}  // namespace assets
