#include "gtnk.h"
#include "gamelib.h"
#include "gametables.h"
#include "tanktunables.h"

using dfc::lang::DStringPtr;

namespace {

constexpr int32_t xco[] = {1, 1, 2, 2}, yco[] = {2, 1, 1, 2}, xmo[] = {-1, 0, 1, 0}, ymo[] = {0, -1, 0, 1};

int32_t byDirection(const int32_t (&table)[4], int32_t direction, const char16_t* name) {
    if (direction >= 0 && direction < 4) return table[direction];
    GameLib::diagnose(DStringPtr(u"Error in _GTNK::") + name + u"(...) -> unknow direction, ValOfDir = " + direction);
    return 0;
}

}  // namespace

int32_t GTNK::_XCO(int32_t direction) { return byDirection(xco, direction, u"_XCO"); }
int32_t GTNK::_YCO(int32_t direction) { return byDirection(yco, direction, u"_YCO"); }
int32_t GTNK::_XMO(int32_t direction) { return byDirection(xmo, direction, u"_XMO"); }
int32_t GTNK::_YMO(int32_t direction) { return byDirection(ymo, direction, u"_YMO"); }

void GTNK::init(int32_t newType) {
    const int32_t index = newType & 7;
    animation = 0;
    state = NORMAL;
    type = newType & 15;
    reload = 0;
    armour = GameTables::tanksTypeValueB[index];
    speed = GameTables::tanksTypeValueA[index];
    direction = DOWN;
    hasBeenBorn = isDestroyed = false;
    bornTimer = -1;
    active = true;
}

void GTNK::deactivate() { active = false; }

void GTNK::place(int32_t newX, int32_t newY, int32_t newDirection) {
    x = newX;
    y = newY;
    direction = newDirection;
    subX = subY = 0;
    state = NORMAL;
}

bool GTNK::turn(int32_t newDirection) {
    if (state != NORMAL) return false;
    direction = newDirection;
    return true;
}

bool GTNK::update() {
    reload -= stepMillis;
    if (bornTimer >= 0) bornTimer -= stepMillis;
    if (state == BORN && bornTimer < 0) state = NORMAL;
    if (state == MOVING) {
        subX += speed * _XMO(direction);
        subY += speed * _YMO(direction);
        if (subX % subUnits == 0 && subY % subUnits == 0) {
            x += subX / subUnits;
            y += subY / subUnits;
            subX = subY = 0;
            state = NORMAL;
            animation ^= 4;
        }
    }
    return state == NORMAL;
}

bool GTNK::setState(int32_t newState) {
    switch (newState) {
        case BORN:
            if (hasBeenBorn || isDestroyed) return false;
            hasBeenBorn = true;
            bornTimer = TankTunables::bornTime;
            break;
        case MOVING:
            if (state != NORMAL) return false;
            break;
        case DESTROYED:
            if (!hasBeenBorn || isDestroyed) return false;
            isDestroyed = true;
            break;
        default: return false;
    }
    state = newState;
    return true;
}

bool GTNK::isState(int32_t wanted) { return state == wanted; }

bool GTNK::canFire() {
    if (reload > 0) return false;
    reload = GameTables::tanksTypeMillis[type & 7];
    return true;
}

int32_t GTNK::pixelX() { return (subX >> 1) + 4 * x; }

int32_t GTNK::pixelY() { return (subY >> 1) + 4 * y; }
