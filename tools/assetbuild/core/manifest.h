// A data folder's manifest: one line per thing to build or check, "KIND ENTRY SOURCE
// [OPTIONS]" or, for the checks without output, "KIND NAME WHAT ..." (the kinds are in
// kinds.cpp). Options: +ppc (the same file under "ppc/" too), text (a file read line by
// line), and name=value ones the kind reads.
#pragma once
#include <filesystem>
#include <map>
#include <string>
#include <vector>
#include "place.h"

namespace assets {

struct Kind;

struct ManifestItem {
    const Kind* kind = nullptr;
    std::string entry;
    std::filesystem::path source;  // empty for a check without output
    std::string sourceName;        // as shown in messages
    std::vector<std::string> names;  // a check without output
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
