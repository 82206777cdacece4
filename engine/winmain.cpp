#include "gameengine.h"

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    GameEngine engine;
    engine.run(instance, 2000);
    return 0;
}
