#include "pauselatch.h"
#include "keystate.h"

void PauseLatch::hold() { held = held || KeyState::pauseKey; }

bool PauseLatch::take() {
    const bool down = held || KeyState::pauseKey;
    held = false;
    return down;
}
