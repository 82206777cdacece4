// A game for the shell to start: it counts how often it is built, started and stopped.
#pragma once
#include "gameinterface.h"

class TestGame : public GameInterface {
public:
    TestGame() { ++built; }
    void start() override { ++started; }
    void stop() override { ++stopped; }

    static void reset() { built = started = stopped = 0; }
    static inline int built = 0;
    static inline int started = 0;
    static inline int stopped = 0;
};
