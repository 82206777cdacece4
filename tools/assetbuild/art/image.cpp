#include "image.h"

namespace assets {

void Image::cover(int x, int y, Colour colour, double coverage) {
    if (!contains(x, y) || coverage <= 0) return;
    Pixel& pixel = at(x, y);
    if (pixel.opaque) {
        pixel.colour = Colour::mix(pixel.colour, colour, coverage);
    } else if (coverage >= 0.5) {
        pixel = Pixel{colour, true};
    }
}

void Image::place(const Image& source, int x, int y) {
    for (int sy = 0; sy < source.height(); ++sy)
        for (int sx = 0; sx < source.width(); ++sx)
            if (source.at(sx, sy).opaque && contains(x + sx, y + sy)) at(x + sx, y + sy) = source.at(sx, sy);
}

Image Image::scaled(int factor) const {
    Image result(w * factor, h * factor);
    for (int y = 0; y < result.h; ++y)
        for (int x = 0; x < result.w; ++x) result.at(x, y) = at(x / factor, y / factor);
    return result;
}

Image Image::cropped(int x, int y, int width, int height) const {
    Image result(width, height);
    for (int cy = 0; cy < height; ++cy)
        for (int cx = 0; cx < width; ++cx)
            if (contains(x + cx, y + cy)) result.at(cx, cy) = at(x + cx, y + cy);
    return result;
}

}  // namespace assets
