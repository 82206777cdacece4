#include "gameengine.h"
#include "gamelib.h"
#include "gamelist.h"

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    GameList::install();
    GameEngine::applicationFactory = [] { return dfc::microedition::midlet::DMIDletPtr(new GameLib()); };
    GameEngine engine;
    return engine.run(instance, 2000);
}
