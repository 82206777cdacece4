#pragma once
#include "dprimitives.h"
#include "dstring.h"
#include "dstringarray.h"

// A game's high-score table as its record store "<prefix>hs<number>" keeps it: record 1 holds
// the number of entries in one byte, then each entry's name (writeUTF) and score (writeInt),
// best first, padded with zeros to the 64-byte step of the stream that wrote it. The game
// menu keeps the table in its items (names) and values (scores).
class HighScores {
public:
    static constexpr int defaultEntries = 8;

    static dfc::lang::DStringPtr storeName(const dfc::lang::DStringPtr& prefix, int number);
    // Reads the table. False, leaving names and scores as they were, when the store holds none
    // or a damaged one (cut short, or a count of 0): the caller then shows and saves the defaults.
    // A record that cannot be read is named on DSystem::err, once a store in a run.
    static bool load(const dfc::lang::DStringPtr& prefix, int number, dfc::lang::DStringArrayPtr* names,
                     dfc::lang::DintArrayPtr* scores);
    // Replaces the stored table. A failure leaves the old record and is named on DSystem::err,
    // once a store in a run.
    static void save(const dfc::lang::DStringPtr& prefix, int number, const dfc::lang::DStringArrayPtr& names,
                     const dfc::lang::DintArrayPtr& scores);
    // The same two with the table number first, the order the games pass them in.
    static bool load(int number, const dfc::lang::DStringPtr& prefix, dfc::lang::DStringArrayPtr* names,
                     dfc::lang::DintArrayPtr* scores) {
        return load(prefix, number, names, scores);
    }
    static void save(int number, const dfc::lang::DStringPtr& prefix, const dfc::lang::DStringArrayPtr& names,
                     const dfc::lang::DintArrayPtr& scores) {
        save(prefix, number, names, scores);
    }
    // The first run's table: defaultEntries entries named emptyText + " ", each scoring 0.
    static void defaults(const dfc::lang::DStringPtr& emptyText, dfc::lang::DStringArrayPtr* names,
                         dfc::lang::DintArrayPtr* scores);
    // Puts the entry above the first score it beats; the last entry drops out. A score equal
    // to an entry goes below it; one that beats none changes nothing.
    static void insert(const dfc::lang::DStringArrayPtr& names, const dfc::lang::DintArrayPtr& scores,
                       const dfc::lang::DStringPtr& name, int score);
    // Whether the score beats the lowest entry.
    static bool isHighScore(const dfc::lang::DintArrayPtr& scores, int score);
};
