// Fills shapes with smooth edges: each pixel's coverage is sampled on a 4 x 4 grid.
#pragma once
#include <functional>
#include "image.h"
#include "paint.h"

namespace assets {

class Painter {
public:
    using Inside = std::function<bool(double x, double y)>;

    explicit Painter(Image& target) : image(target) {}

    // Fills every pixel of `box` (widened to whole pixels) by how much of it lies inside.
    void fill(const Box& box, const Paint& paint, const Inside& inside);

private:
    Image& image;
};

}  // namespace assets
