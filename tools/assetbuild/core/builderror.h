// A broken rule: the build stops and names the place.
#pragma once
#include <stdexcept>
#include <string>
#include "place.h"

namespace assets {

class BuildError : public std::runtime_error {
public:
    BuildError(const Place& place, const std::string& message)
        : std::runtime_error(place.text() + ": " + message), origin(place) {}
    explicit BuildError(const std::string& message) : std::runtime_error(message) {}

    // The file, line and cell at fault, as far as they are known.
    const Place& place() const { return origin; }

private:
    Place origin;
};

}  // namespace assets
