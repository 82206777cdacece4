#include "tanktunables.h"
#include "stringmanager.h"

int32_t TankTunables::bonusShown;
int32_t TankTunables::freezeTime;
int32_t TankTunables::shieldTime;
int32_t TankTunables::shieldAtStart;
int32_t TankTunables::spadeTime;
int32_t TankTunables::aiLevel;
int32_t TankTunables::aiPerLevel;
int32_t TankTunables::aiDistance;
int32_t TankTunables::aiDistancePerLevel;
int32_t TankTunables::newUnitTime;
int32_t TankTunables::bornTime;
int32_t TankTunables::gameTimeLast;
int32_t TankTunables::explodeFrameTime;

namespace {

struct Entry {
    const char16_t* key;
    int32_t* value;
    int32_t byDefault;
};

const Entry entries[] = {
    {u"BON_TIME_IS_ACTIVE", &TankTunables::bonusShown, 40000},
    {u"BON_TIME_FOR_TIME", &TankTunables::freezeTime, 10000},
    {u"BON_TIME_FOR_KASK", &TankTunables::shieldTime, 10000},
    {u"BON_TIME_FOR_KASK_START", &TankTunables::shieldAtStart, 3000},
    {u"BON_TIME_FOR_SPADE", &TankTunables::spadeTime, 30000},
    {u"ETNK_AI_LEVEL", &TankTunables::aiLevel, 24},
    {u"ETNK_AI_PER_LEVEL", &TankTunables::aiPerLevel, 4},
    {u"ETNK_AI_DISTANCE", &TankTunables::aiDistance, 12},
    {u"ETNK_AI_DISTANCE_PER_LEVEL", &TankTunables::aiDistancePerLevel, 1},
    {u"ETNK_TIME_FOR_NEW_UNIT", &TankTunables::newUnitTime, 5000},
    {u"ETNK_TIME_FOR_BORN", &TankTunables::bornTime, 3000},
    {u"GAME_TIME_LAST", &TankTunables::gameTimeLast, 5000},
    {u"EXPLODE_TIME_ANIMATION", &TankTunables::explodeFrameTime, 120},
};

}  // namespace

void TankTunables::load() {
    for (const Entry& entry : entries) *entry.value = StringManager::getInt(entry.key, entry.byDefault);
}

void TankTunables::setDefaults() {
    for (const Entry& entry : entries) *entry.value = entry.byDefault;
}
