#pragma once
#include <cstddef>
#include "dstring.h"

// The one place where damaged data is named on standard error: each fault once a run, in one
// line, however often the play meets it again. A fault is a short text naming the entry and
// what is wrong with it; an exception's message is one already. What has been named is kept
// as digests, at most `capacity` of them: past that, one last line says that the rest goes
// unnamed. A new diagnostic stream, a new run's, starts with nothing named.
class DamageLog {
public:
    static constexpr size_t capacity = 4096;

    // Prints the line unless its fault has been named.
    static void name(const dfc::lang::DStringPtr& fault, const dfc::lang::DStringPtr& line);
    // The line is its own fault.
    static void name(const dfc::lang::DStringPtr& line);
};
