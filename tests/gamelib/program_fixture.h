// Tests that run inside the program: the engine with its window and display, and the game
// library with its canvas shown, over a fresh folder for the executable.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>
#include "archive_fixture.h"
#include "dimage.h"

class ProgramTest : public ArchiveTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program, makes the canvas and shows it, runs body, and ends the program.
    void inProgram(const std::function<void()>& body);
    // Writes a picture beside the executable, one RGB565 value a pixel in rows.
    void writePicture(const std::string& name, int width, int height, const std::vector<uint16_t>& pixels);
    // A font of 2-pixel-high strips beside the executable: part 0 holds "a" (2 wide) and "b"
    // (3 wide), part 1 holds "1" (1 wide), part 2 holds nothing.
    void writeTestFont(const std::string& name);
};

// Each pixel of the test font's strips has its own value.
uint16_t stripPixel(int part, int column, int row);
// A font's metrics: the glyph count byte, then each glyph's text and width.
std::string metrics(const std::vector<std::pair<std::string, int>>& glyphs, int count);

class PocketPcProgramTest : public ProgramTest {
protected:
    std::string profileName() const override { return "pocketpc"; }
};

// The game library's shared state back to how the program starts.
void resetGameLibState();

// An image's pixels in rows as RGB565 values, the colour key included.
std::vector<uint16_t> pixelsOf(const dfc::microedition::lcdui::DImagePtr& image);
