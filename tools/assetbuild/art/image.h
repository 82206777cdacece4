// A picture being made: RGB pixels, each opaque or transparent. Drawing blends with
// coverage inside opaque areas; against transparency an edge is kept or dropped whole,
// because the device has a colour key and no alpha.
#pragma once
#include <vector>
#include "colour.h"

namespace assets {

struct Pixel {
    Colour colour;
    bool opaque = false;
    bool operator==(const Pixel&) const = default;
};

class Image {
public:
    Image() = default;
    Image(int width, int height) : w(width), h(height), pixels(size_t(width) * height) {}

    int width() const { return w; }
    int height() const { return h; }
    bool empty() const { return w == 0 || h == 0; }
    const Pixel& at(int x, int y) const { return pixels[size_t(y) * w + x]; }
    Pixel& at(int x, int y) { return pixels[size_t(y) * w + x]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }

    // Lays `colour` over the pixel with the given coverage (0..1).
    void cover(int x, int y, Colour colour, double coverage);
    // Copies the opaque pixels of `source` with its top-left corner at (x, y).
    void place(const Image& source, int x, int y);
    Image scaled(int factor) const;
    Image cropped(int x, int y, int width, int height) const;

private:
    int w = 0, h = 0;
    std::vector<Pixel> pixels;
};

}  // namespace assets
