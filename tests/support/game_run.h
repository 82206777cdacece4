// Driving a game from the shell as a player does, inside StartedAppTest::inProgram: the keys
// that reach a game on either screen, keys held over several frames (several games only step
// every second or third frame), and frames written out for a person to look at.
#pragma once
#include <string>

// Key codes as the device sends them; fire is the select key.
namespace keys {
constexpr int left = 37, up = 38, right = 39, down = 40;
constexpr int softLeft = 10000, softRight = 10001, fire = 10002, pound = 10003, star = 10004;
}  // namespace keys

// From the shell's first frame to the game of that registry number (0 the brick game, 1 Rockvale,
// 2 Dotvor, 3 Tunnex, 4 the tank game, 5 Goldrift, 6 Swarmline, 7 Floodpass), wherever the
// screen's layout shows it; returns once the shell has handed over to the game, which has had
// its start.
void openGameFromShell(int index);
// A key pressed, then the frames the menus want between two keys.
void menuKey(int code);
// The key held down for frameCount frames, then released.
void holdKey(int code, int frameCount);
// Types name on the name-entry keyboard by moving its cursor and pressing fire, then "ok".
void typeName(const std::string& name);
// Writes the screen as it is now to <build folder>/<folder>/<name>.png.
void captureScreen(const std::string& folder, const std::string& name);
