#include "started_app.h"
#include <filesystem>
#include <gtest/gtest.h>
#include "ce.h"
#include "d7zipinputstream.h"
#include "dexception.h"
#include "gameengine.h"
#include "gamelib.h"
#include "gamelist.h"
#include "gamemenu.h"
#include "keystate.h"
#include "platform.h"
#include "screencanvas.h"
#include "sound.h"

using dfc::lang::DExceptionPtr;
using dfc::microedition::midlet::DMIDletPtr;

namespace {

std::function<void()> testBody;

// The real start-up, then the test's body in place of the frames.
class ProbeLib : public GameLib {
public:
    void startApp() override {
        GameLib::startApp();
        if (!isAlive()) return;
        try {
            testBody();
        } catch (DExceptionPtr& e) {
            ADD_FAILURE() << "exception: " << platform::narrow(e->toString()->chars());
        }
        notifyDestroyed();
    }
    // Nothing runs after the body.
    void tick() override {
        if (isAlive()) GameLib::tick();
    }
};

}  // namespace

void resetSharedState() {
    ScreenCanvas::keyQueue.clear();
    // A large screen's size would lead a later test to the large screen's pictures.
    ScreenCanvas::screenWidth = ScreenCanvas::screenHeight = 0;
    KeyState::up = KeyState::down = KeyState::left = KeyState::right = KeyState::fire = false;
    KeyState::key0 = KeyState::key1 = KeyState::key3 = KeyState::key7 = KeyState::key9 = false;
    KeyState::star = KeyState::pound = KeyState::leftSoft = KeyState::rightSoft = false;
    KeyState::pauseKey = KeyState::minusOneKey = KeyState::minusTwoKey = KeyState::anyKey = false;
    KeyState::codeSequencePos = 0;
    KeyState::pointerX = KeyState::pointerY = KeyState::prevPointerX = KeyState::prevPointerY = 0;
    KeyState::pointerDown = KeyState::doubleTap = KeyState::pointerDragged = false;
    KeyState::lastPressTime = 0;
    GameLib::lastFrameTime = 0;
    GameLib::lastPaintDuration = 0;
    GameMenu::lastKeyTime = 0;
    GameMenu::nameEntered = false;
    Sound::loopCount = 1;
    Sound::effectsOn = true;
}

void StartedAppTest::SetUp() {
    AppFolderTest::SetUp();
    std::filesystem::copy_file(std::string(MOSSYARD_BINARY_DIR) + "/bin/game.dat", folder.file("game.dat"));
    // The program's games and application, as its entry sets them; this also undoes a test's
    // own entries.
    GameList::install();
    GameEngine::applicationFactory = [] { return DMIDletPtr(new GameLib()); };
    resetSharedState();
}

void StartedAppTest::TearDown() {
    dfc::io::D7zipInputStream::closeArchive();
    resetSharedState();
    AppFolderTest::TearDown();
}

void StartedAppTest::inProgram(const std::function<void()>& body) {
    testBody = body;
    GameEngine::applicationFactory = [] { return DMIDletPtr(new ProbeLib()); };
    runProgram();
    testBody = nullptr;
}

void StartedAppTest::runProgram() {
    GameEngine engine;
    engine.run(nullptr, 0);
    // The window goes, so that the next start finds no program running.
    DestroyWindow(engine.getWindow());
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void StartedAppTest::frames(int count) {
    for (int i = 0; i < count; ++i) GameLib::gameLib->tick();
}

void StartedAppTest::press(int code) {
    GameLib::screenCanvas->keyPressed(code);
    frames(1);
    GameLib::screenCanvas->keyReleased(code);
    frames(1);
}

void StartedAppTest::tap(int x, int y) {
    GameLib::screenCanvas->pointerPressed(x, y);
    frames(1);
    GameLib::screenCanvas->pointerReleased(x, y);
}
