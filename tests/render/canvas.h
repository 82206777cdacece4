// A target surface inside a border of canary pixels that no drawing may touch, with its
// pixels readable as a picture of one character a pixel.
#pragma once
#include <map>
#include <string>
#include <vector>
#include "rendersurface.h"

class Canvas {
public:
    static constexpr uint16_t canary = 0xC0DE;
    static constexpr int border = 16;

    Canvas(int width, int height, uint16_t background = 0)
        : width(width), height(height), outerPitch(width + 2 * border),
          pixels(size_t(outerPitch) * (height + 2 * border), canary),
          surface(new Surface(&pixels[size_t(border) * outerPitch + border], width, height, outerPitch * 2)) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) set(x, y, background);
    }

    RenderSurface& target() { return surface; }
    uint16_t at(int x, int y) const { return pixels[size_t(y + border) * outerPitch + x + border]; }
    void set(int x, int y, uint16_t v) { pixels[size_t(y + border) * outerPitch + x + border] = v; }

    bool canaryIntact() const {
        for (int y = -border; y < height + border; ++y)
            for (int x = -border; x < width + border; ++x) {
                bool inside = x >= 0 && x < width && y >= 0 && y < height;
                if (!inside && pixels[size_t(y + border) * outerPitch + x + border] != canary) return false;
            }
        return true;
    }

    // One line a row; each pixel is its character in the legend, or '?' when it has none.
    std::vector<std::string> picture(const std::map<uint16_t, char>& legend) const {
        std::vector<std::string> rows;
        for (int y = 0; y < height; ++y) {
            std::string row;
            for (int x = 0; x < width; ++x) {
                auto found = legend.find(at(x, y));
                row += found == legend.end() ? '?' : found->second;
            }
            rows.push_back(row);
        }
        return rows;
    }

    const int width;
    const int height;

private:
    int outerPitch;
    std::vector<uint16_t> pixels;
    RenderSurface surface;
};

// A surface filled from a picture: each character's pixel value is in the legend.
inline RenderSurface* surfaceFrom(const std::vector<std::string>& rows, const std::map<char, uint16_t>& legend) {
    auto* s = RenderSurface::create(uint32_t(rows[0].size()), uint32_t(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            *s->getSurface()->pixelAddress(uint32_t(x), uint32_t(y)) = legend.at(rows[y][x]);
    return s;
}
