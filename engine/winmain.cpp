#include "gameengine.h"

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    GameEngine engine;
    return engine.run(instance, 2000);
}
