#pragma once
#include <cstdint>

// The battle's timings and enemy skill, read from the shared properties at start-up so that
// they can be tuned without a new program. Milliseconds unless stated.
struct TankTunables {
    static int32_t bonusShown;
    static int32_t freezeTime;
    static int32_t shieldTime;
    static int32_t shieldAtStart;
    static int32_t spadeTime;
    // The enemies' decision range and its growth per level.
    static int32_t aiLevel;
    static int32_t aiPerLevel;
    // How near (in units) an enemy must be to aim, and its growth per level.
    static int32_t aiDistance;
    static int32_t aiDistancePerLevel;
    static int32_t newUnitTime;
    static int32_t bornTime;
    static int32_t gameTimeLast;
    static int32_t explodeFrameTime;

    // Each key, or its default when it is missing.
    static void load();
    static void setDefaults();
};
