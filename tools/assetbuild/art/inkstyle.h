// How lettering is coloured: a fill, and optionally a one-pixel outline and a drop shadow.
// Lettering ends in a hard edge against transparency, so it reads on any background.
#pragma once
#include <optional>
#include "image.h"
#include "mask.h"
#include "paint.h"

namespace assets {

struct InkStyle {
    Paint fill;
    std::optional<Colour> outline;
    std::optional<Colour> shadow;

    // The ink extends this far beyond the glyphs' own coverage (right and bottom).
    int margin() const { return (outline ? 1 : 0) + (shadow ? 1 : 0); }
    // Colours `ink` onto `image` with the mask's top-left corner at (x, y); gradients run
    // across `paintBox` (in image coordinates).
    void apply(Image& image, const Mask& ink, int x, int y, const Box& paintBox) const;
};

}  // namespace assets
