#include "gitm.h"

void GITM::init(int32_t newKind, int32_t newX, int32_t newY) {
    kind = newKind;
    x = newX;
    y = newY;
    active = true;
    hitPoints = kind == wallBlock ? wallHitPoints : kind <= secondHouse ? 3 : 1;
}

void GITM::deactivate() { active = false; }

bool GITM::damage(int32_t amount) {
    if (!active) return false;
    hitPoints -= amount;
    if (hitPoints < 1) active = false;
    return active;
}
