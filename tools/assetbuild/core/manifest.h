// A data folder's manifest: one line per thing to build,
//   KIND ENTRY SOURCE [OPTIONS]   (picture, font, atlas, props, props+, keys, sound, music,
//                                   help, anim, raw, charset, round, tunnels, tankmap,
//                                   screens)
//   need ATLAS PICTURE ...        (pictures the code names)
//   needkeys ENTRY KEY ...        (property keys the code looks up)
//   tiles ATLAS PICTURE ...       (pictures of the first one's size, square, a multiple of 4)
// Options: +ppc (the same file under "ppc/" too), atlas=NAME, font=NAME, pictures=N,
// quality=N.
#pragma once
#include <filesystem>
#include <map>
#include <string>
#include <vector>
#include "place.h"

namespace assets {

struct ManifestItem {
    std::string kind;
    std::string entry;
    std::filesystem::path source;  // empty for need and needkeys
    std::string sourceName;        // as shown in messages
    std::vector<std::string> names;  // need, needkeys
    std::map<std::string, std::string> options;
    bool alsoLarge = false;
    // A file the game reads line by line (a level, a map, a list): its lines end in CR LF.
    bool text = false;
    Place place;

    std::string option(const std::string& key, const std::string& fallback) const;
    int intOption(const std::string& key, int fallback) const;
};

class Manifest {
public:
    // `shownAs` is the folder as messages name it, such as "data/lib".
    static std::vector<ManifestItem> read(const std::filesystem::path& folder, const std::string& shownAs);
};

}  // namespace assets
