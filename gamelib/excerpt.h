#pragma once
#include <cstdint>
#include "dstring.h"

// Data quoted in a diagnostic: a damaged file may hold a line of any length, and each message
// stays one short line.
class Excerpt {
public:
    // Characters kept of a longer text.
    static constexpr int32_t length = 60;

    // The text, or its first characters and "..." when it is longer.
    static dfc::lang::DStringPtr of(const dfc::lang::DStringPtr& text);
    // The same in quotation marks.
    static dfc::lang::DStringPtr quoted(const dfc::lang::DStringPtr& text);
};
