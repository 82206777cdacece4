#pragma once
#include "dstring.h"

// A help text as the game data holds it: paragraphs of modified UTF-8, each after its length in
// two bytes. A text that is empty, cut short or not of that kind is named once, and what was read
// before the damage is shown.
class HelpText {
public:
    // The paragraphs of the resource, each ended by a line feed.
    static dfc::lang::DStringPtr read(const dfc::lang::DStringPtr& name);

private:
    static void nameDamage(const dfc::lang::DStringPtr& name, const dfc::lang::DStringPtr& damage);
};
