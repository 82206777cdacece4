// The maze game started inside the program with the built game data, as the shell starts it,
// so that a test can lay out a small maze, place the actors and run game steps on them.
#pragma once
#include <string>
#include <vector>
#include "dotvor.h"
#include "dotvorgame.h"
#include "started_game.h"

class DotvorTest : public StartedGameTest<Dotvor> {
public:
    // A new maze of the rows' size read from the rows (map characters), its tiles chosen; the
    // game's map from now on.
    static void useMaze(const std::vector<std::string>& rows);
    // A map read from the bytes into a maze of the given size, for the reader's cases.
    static MapBasePtr readMap(const std::string& bytes, int width, int height);
    // A new game on the built maps, its intro run out.
    static void startPlaying();
    // Game steps, as the main mode runs them on every second frame.
    static void steps(int count);
    // Pixel position of a cell's top-left corner.
    static int px(int cell) { return cell * DotvorGame::cellWidth; }
    static SpookyBasePtr ghostAt(int kind, int x, int y);
    // What the program's error stream printed since the body began.
    static std::string diagnostics();
};

class PocketPcDotvorTest : public DotvorTest {
protected:
    std::string profileName() const override { return "pocketpc"; }
};
