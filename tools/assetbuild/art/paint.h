// What a shape is filled with: one colour, or a gradient across the shape's box
// (#top-#bottom vertical, #left>#right horizontal, #centre@#edge radial).
#pragma once
#include <string>
#include "colour.h"

namespace assets {

struct Box {
    double x = 0, y = 0, w = 0, h = 0;
};

class Paint {
public:
    Paint() = default;
    explicit Paint(Colour colour) : from(colour), to(colour) {}
    static Paint parse(const std::string& text, const Place& place);

    // The colour at (x, y) for a shape whose box is `box`.
    Colour at(double x, double y, const Box& box) const;

private:
    enum class Kind { solid, vertical, horizontal, radial };
    Kind kind = Kind::solid;
    Colour from, to;
};

}  // namespace assets
