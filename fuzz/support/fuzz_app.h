// What every fuzz target stands on: a headless device, a started engine whose application
// answers "app.name" (and "" for anything else), a fresh folder beside the seeming executable
// for loose resource files, and a fresh data folder for the record stores. Diagnostics go
// nowhere, so that a run is not slowed by its own messages.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include "dbytearrayinputstream.h"
#include "ddatainputstream.h"
#include "headless.h"

namespace fuzz {

// Sets everything up on the first call; later calls do nothing.
void startApp();
// Writes the bytes as the loose file of a resource name ("/tst/all.txt") beside the executable,
// where GameLib::openResource finds it when no archive is open.
void putFile(const std::string& name, const uint8_t* data, size_t size);
// The folder beside the executable, with "/" separators.
const std::string& appFolder();
// The headless device, whose sound output the targets listen to.
platform::headless::HeadlessBackend& device();
// Writes a small valid bitmap font as name/font_0 to font_2 with their strips, as the game
// data holds fonts; metrics = false writes only the strips.
void putFont(const std::string& name, bool metrics = true);
// A white PNG picture of that size as a loose file.
void putPicture(const std::string& name, int width, int height);
// The shared screen state the game menu draws on: the screen size, a screen graphics over an
// image of that size, and the seven shared fonts, all the font written by putFont.
void useScreen(int width, int height);
// A data stream over a copy of the bytes.
dfc::io::DDataInputStreamPtr dataStream(const uint8_t* data, size_t size);

}  // namespace fuzz
