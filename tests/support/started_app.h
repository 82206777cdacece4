// The program started with the built game data, held inside its start-up so that a test can
// drive the game library frame by frame: the canvas, fonts, game-wide tables, key map and the
// started shell menu are in place while the body runs.
#pragma once
#include <functional>
#include <string>
#include "app_folder_test.h"
#include "data_dir.h"

class StartedAppTest : public AppFolderTest {
public:
    // Frames of the game library, 25 virtual milliseconds each.
    static void frames(int count);
    // A key press applied in one frame and its release in the next.
    static void press(int code);
    // A stylus press applied in one frame, released afterwards.
    static void tap(int x, int y);

protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program, runs body, then ends the program as its exit item does.
    void inProgram(const std::function<void()>& body);
    // Runs the program to its end as the user does, from the first frame to the last.
    void runProgram();

    ScopedDataDir dataDir;
};

class PocketPcAppTest : public StartedAppTest {
protected:
    std::string profileName() const override { return "pocketpc"; }
};

// The game library's shared input state and timers back to how the program starts.
void resetSharedState();
