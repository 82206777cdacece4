#include "paint.h"
#include <cmath>

namespace assets {

Paint Paint::parse(const std::string& text, const Place& place) {
    Paint paint;
    size_t split = text.find_first_of("->@", 1);
    if (split == std::string::npos) {
        paint.from = paint.to = Colour::parse(text, place);
        return paint;
    }
    paint.kind = text[split] == '-' ? Kind::vertical : text[split] == '>' ? Kind::horizontal : Kind::radial;
    paint.from = Colour::parse(text.substr(0, split), place);
    paint.to = Colour::parse(text.substr(split + 1), place);
    return paint;
}

Colour Paint::at(double x, double y, const Box& box) const {
    auto part = [](double v, double start, double size) { return size > 0 ? (v - start) / size : 0.0; };
    switch (kind) {
        case Kind::solid: return from;
        case Kind::vertical: return Colour::mix(from, to, part(y, box.y, box.h));
        case Kind::horizontal: return Colour::mix(from, to, part(x, box.x, box.w));
        case Kind::radial: {
            double dx = part(x, box.x, box.w) * 2 - 1, dy = part(y, box.y, box.h) * 2 - 1;
            return Colour::mix(from, to, std::sqrt(dx * dx + dy * dy));
        }
    }
    return from;
}

}  // namespace assets
