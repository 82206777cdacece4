// Reads every made entry back the way the game will and refuses what it could not use:
// pictures that do not decode, hold alpha or turn into holes, atlas texts, properties,
// help texts, sounds and tunes that break their layout rules, and fonts whose metrics
// and strips disagree.
#pragma once
#include <string>
#include "entryset.h"

namespace assets {

class OutputCheck {
public:
    static void all(const EntrySet& entries);
    // A font's three parts: metrics files, strips, and (when present) the "ppc/" strips.
    static void font(const EntrySet& entries, const std::string& name, const Place& origin);

private:
    static void picture(const std::string& name, const EntrySet::Entry& entry);
    static void atlasText(const EntrySet& entries, const std::string& name, const EntrySet::Entry& entry);
};

}  // namespace assets
