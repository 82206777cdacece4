// Coverage (0..1) per pixel: the ink of lettering before it is coloured.
#pragma once
#include <cstddef>
#include <vector>

namespace assets {

class Mask {
public:
    Mask() = default;
    Mask(int width, int height) : w(width), h(height), values(size_t(width) * height, 0.0f) {}

    int width() const { return w; }
    int height() const { return h; }
    float at(int x, int y) const { return x < 0 || y < 0 || x >= w || y >= h ? 0.0f : values[size_t(y) * w + x]; }
    // Keeps the larger of the present and the given coverage.
    void add(int x, int y, float coverage);
    // The ink grown by one pixel all round: the outline drawn behind it. Faint ink counts
    // double, so thin strokes get a whole outline.
    Mask grown() const;
    Mask shifted(int dx, int dy) const;

private:
    int w = 0, h = 0;
    std::vector<float> values;
};

}  // namespace assets
