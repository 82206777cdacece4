#pragma once
#include "dexception.h"
#include "dstring.h"

// Lines on DSystem::err about a saved record that could not be read or written: what it
// holds, the store's folder on this machine and the reason. Each store is named once a run
// for each of the two, so that a store that keeps failing does not fill the terminal.
class RecordReport {
public:
    // what: "option <key>" or "high scores <store>"; outcome: what the game does instead.
    static void unreadable(const dfc::lang::DStringPtr& store, const dfc::lang::DStringPtr& what,
                           const dfc::lang::DStringPtr& reason, const char16_t* outcome);
    static void unsaved(const dfc::lang::DStringPtr& store, const dfc::lang::DStringPtr& what,
                        const dfc::lang::DExceptionPtr& error);
    // The system's reason when the registry gave one, else what the record's reader met.
    static dfc::lang::DStringPtr reasonOf(const dfc::lang::DExceptionPtr& error);
};
