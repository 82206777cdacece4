// The entries of game.dat being made: their bytes, what they are, and where each came from.
// Also the naming rules the archive lookup depends on.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>
#include "core/place.h"

namespace assets {

class EntrySet {
public:
    enum class Kind { picture, fontMetrics, atlasText, properties, keys, help, sound, music, raw };
    struct Entry {
        std::string bytes;
        Kind kind;
        Place origin;
    };

    void add(const std::string& name, std::string bytes, Kind kind, const Place& origin);
    const Entry* find(const std::string& name) const;
    const std::map<std::string, Entry>& all() const { return entries; }

    // Name rules, and no two names the game may try sharing a hash (nor hashing to 0).
    void checkNames() const;

    // The archive lookup's hash: h = h * 31 + byte, bytes signed, 32-bit wrapping.
    static uint32_t hash(const std::string& name);
    // Every name the game may ask for because of this entry: the name, its "ppc/" twin
    // and, for sounds, the same name with the other sound extension.
    static std::vector<std::string> namesTried(const std::string& name);

private:
    std::map<std::string, Entry> entries;
};

}  // namespace assets
