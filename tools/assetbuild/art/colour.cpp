#include "colour.h"
#include <algorithm>
#include <cctype>
#include <cmath>
#include "core/builderror.h"

namespace assets {

Colour Colour::parse(const std::string& text, const Place& place) {
    bool wellFormed = text.size() == 7 && text[0] == '#' &&
                      std::all_of(text.begin() + 1, text.end(), [](char c) { return std::isxdigit(uint8_t(c)); });
    if (!wellFormed) throw BuildError(place, "colour \"" + text + "\" is not #rrggbb");
    unsigned value = std::stoul(text.substr(1), nullptr, 16);
    return Colour{uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)};
}

Colour Colour::mix(Colour from, Colour to, double amount) {
    amount = std::clamp(amount, 0.0, 1.0);
    auto channel = [amount](uint8_t a, uint8_t b) { return uint8_t(std::lround(a + (b - a) * amount)); };
    return Colour{channel(from.r, to.r), channel(from.g, to.g), channel(from.b, to.b)};
}

}  // namespace assets
