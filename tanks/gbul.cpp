#include "gbul.h"
#include "gtnk.h"
#include "tanktunables.h"

namespace {

// Power of the player's and of an enemy's shots by kind, and whether they fly fast.
constexpr int32_t playerPower[] = {1, 1, 2, 4}, enemyPower[] = {1, 1, 1, 2};
constexpr bool playerFast[] = {false, true, true, true}, enemyFast[] = {false, true, false, true};

}  // namespace

void GBUL::launch(int32_t newX, int32_t newY, int32_t newDirection, int32_t kind, bool player, int32_t width,
                  int32_t height, int32_t tile) {
    direction = newDirection;
    byPlayer = player;
    justLaunched = true;
    x = newX + 2 * GTNK::_XMO(direction);
    y = newY + 2 * GTNK::_YMO(direction);
    subX = subY = 0;
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    const int32_t index = kind & 3;
    power = player ? playerPower[index] : enemyPower[index];
    const bool fast = player ? playerFast[index] : enemyFast[index];
    const int32_t slow = tile <= 16 ? 2 : 2 * tile / 16;
    speed = fast ? 2 * slow : slow;
    state = FLYING;
    frame = timer = 0;
    active = true;
}

void GBUL::burst() {
    state = BURSTING;
    frame = timer = 0;
}

bool GBUL::step() {
    if (justLaunched) {
        justLaunched = false;
        return active;
    }
    if (state == FLYING) {
        subX += speed * GTNK::_XMO(direction);
        subY += speed * GTNK::_YMO(direction);
        if (subX % subUnits == 0 && subY % subUnits == 0) {
            x += subX / subUnits;
            y += subY / subUnits;
            subX %= subUnits;
            subY %= subUnits;
        }
    } else {
        timer += GTNK::stepMillis;
        if (timer > TankTunables::explodeFrameTime) {
            timer = 0;
            if (++frame > 3) active = false;
        }
    }
    return active;
}

int32_t GBUL::pixelX() { return subX + 4 * (x - GTNK::_XCO(direction)); }

int32_t GBUL::pixelY() { return subY + 4 * (y - GTNK::_YCO(direction)); }
