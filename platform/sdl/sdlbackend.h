// The desktop backend: the device screen in an SDL2 window, keys and mouse as the device's
// keys and stylus, and a real clock.
#pragma once
#include <memory>
#include <string>
#include "platform.h"

namespace platform::sdl {

// Null with the reason in *error when there is no display to open a window on, or only one
// that shows nothing. Scale 0: the largest that fits the desktop.
std::unique_ptr<Backend> create(int scale, std::string* error);

// The host keys and what they are on the device, for the help text.
std::string keyTable();

}  // namespace platform::sdl
