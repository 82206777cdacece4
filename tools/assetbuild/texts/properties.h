// Properties files ("/keys", "/res", a game's texts and animation lists): key=value lines.
#pragma once
#include <string>
#include <vector>
#include "linefile.h"

namespace assets {

class Properties {
public:
    struct Entry {
        std::string key, value;
        Place place;
    };

    // Reads and checks a file; `integers` demands decimal values (the key map).
    static std::vector<Entry> read(const std::string& bytes, const Place& place, bool integers);
    static std::string encode(const std::vector<Entry>& entries);
    // Refuses a key given twice, naming both places.
    static void checkUnique(const std::vector<Entry>& entries);
};

}  // namespace assets
