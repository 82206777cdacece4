// The manifest's kinds, one row each: how its line is written, when the builder takes it up
// and which of the builder's handlers makes or checks it. A new kind is a row and a handler.
#pragma once
#include <string_view>

namespace assets {

class Builder;
struct ManifestItem;

struct Kind {
    // "KIND ENTRY SOURCE [OPTIONS]", or "KIND NAME WHAT ..." for a check without output.
    enum class Line { source, names };
    // Made in manifest order, or taken up once everything is made: it looks at the fonts,
    // the atlases or the merged properties.
    enum class Pass { make, afterMaking };

    std::string_view name;
    Line line;
    Pass pass;
    void (Builder::*handle)(const ManifestItem&);

    // Null when `name` is no kind.
    static const Kind* find(std::string_view name);
};

}  // namespace assets
