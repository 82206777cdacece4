#include "tunables.h"
#include "stringmanager.h"

int32_t Tunables::bonusShown;
int32_t Tunables::freezeTime;
int32_t Tunables::shieldTime;
int32_t Tunables::shieldAtStart;
int32_t Tunables::spadeTime;
int32_t Tunables::aiLevel;
int32_t Tunables::aiPerLevel;
int32_t Tunables::aiDistance;
int32_t Tunables::aiDistancePerLevel;
int32_t Tunables::newUnitTime;
int32_t Tunables::bornTime;
int32_t Tunables::gameTimeLast;
int32_t Tunables::explodeFrameTime;

namespace {

struct Entry {
    const char16_t* key;
    int32_t* value;
    int32_t byDefault;
};

const Entry entries[] = {
    {u"BON_TIME_IS_ACTIVE", &Tunables::bonusShown, 40000},
    {u"BON_TIME_FOR_TIME", &Tunables::freezeTime, 10000},
    {u"BON_TIME_FOR_KASK", &Tunables::shieldTime, 10000},
    {u"BON_TIME_FOR_KASK_START", &Tunables::shieldAtStart, 3000},
    {u"BON_TIME_FOR_SPADE", &Tunables::spadeTime, 30000},
    {u"ETNK_AI_LEVEL", &Tunables::aiLevel, 24},
    {u"ETNK_AI_PER_LEVEL", &Tunables::aiPerLevel, 4},
    {u"ETNK_AI_DISTANCE", &Tunables::aiDistance, 12},
    {u"ETNK_AI_DISTANCE_PER_LEVEL", &Tunables::aiDistancePerLevel, 1},
    {u"ETNK_TIME_FOR_NEW_UNIT", &Tunables::newUnitTime, 5000},
    {u"ETNK_TIME_FOR_BORN", &Tunables::bornTime, 3000},
    {u"GAME_TIME_LAST", &Tunables::gameTimeLast, 5000},
    {u"EXPLODE_TIME_ANIMATION", &Tunables::explodeFrameTime, 120},
};

}  // namespace

void Tunables::load() {
    for (const Entry& entry : entries) *entry.value = StringManager::getInt(entry.key, entry.byDefault);
}

void Tunables::setDefaults() {
    for (const Entry& entry : entries) *entry.value = entry.byDefault;
}
