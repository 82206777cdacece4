#include "kinds.h"
#include <algorithm>
#include <iterator>
#include "builder.h"

namespace assets {

const Kind* Kind::find(std::string_view name) {
    using enum Line;
    using enum Pass;
    static const Kind table[] = {
        {"picture", source, make, &Builder::picture},
        {"atlas", source, make, &Builder::atlas},
        {"font", source, make, &Builder::font},
        {"props", source, make, &Builder::properties},
        {"props+", source, make, &Builder::properties},
        {"keys", source, make, &Builder::properties},
        {"sound", source, make, &Builder::sound},
        {"music", source, make, &Builder::music},
        {"raw", source, make, &Builder::raw},
        {"round", source, make, &Builder::round},
        {"maze", source, afterMaking, &Builder::maze},
        {"tunnels", source, make, &Builder::tunnels},
        {"tankmap", source, make, &Builder::tankMap},
        {"laddermap", source, make, &Builder::ladderMap},
        {"charset", source, make, &Builder::charset},
        {"help", source, afterMaking, &Builder::help},
        {"anim", source, afterMaking, &Builder::animations},
        {"screens", source, afterMaking, &Builder::riverScreens},
        {"need", names, afterMaking, &Builder::need},
        {"needkeys", names, afterMaking, &Builder::needKeys},
        {"tiles", names, afterMaking, &Builder::tiles},
    };
    const Kind* found = std::find_if(std::begin(table), std::end(table), [&](const Kind& k) { return k.name == name; });
    return found == std::end(table) ? nullptr : found;
}

}  // namespace assets
