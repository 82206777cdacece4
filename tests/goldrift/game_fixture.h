// The ladder game started inside the program with the built game data, as the shell starts
// it, so that a test can lay out a level of its own and run the rules on it.
#pragma once
#include <string>
#include <vector>
#include "goldrift.h"
#include "runner.h"
#include "started_game.h"

class GoldriftTest : public StartedGameTest<Goldrift> {
public:
    // Writes a map beside the program as "/gdr/maps/<n>.txt" (levels above 75 are not in
    // the archive, so the game reads this file).
    void writeMap(int n, const std::vector<std::string>& rows);
    void writeFile(int n, const std::string& bytes);
    // Loads rows as level n (above 75) and lets the hero and every enemy stand still there.
    void loadLevel(int n, const std::vector<std::string>& rows);
    // The grid as rows of text.
    static std::vector<std::string> gridRows();
    static char cellAt(int col, int row) { return char(Goldrift::grid[row * Goldrift::gridWidth + col]); }
    static void place(const RunnerPtr& runner, int col, int row, int state);
    // What the program's error stream printed since the body began.
    static std::string diagnostics();
    // Frames until the game reaches the state, at most `limit`; false when it did not.
    static bool runUntil(int state, int limit = 400);

protected:
    // The menus take a key only a while after the last one.
    void afterStart() override { frames(10); }
};

class PocketPcGoldriftTest : public GoldriftTest {
protected:
    std::string profileName() const override { return "pocketpc"; }
};
