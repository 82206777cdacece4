#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>
#include "dexception.h"
#include "dioexception.h"
#include "dprintstream.h"
#include "dsystem.h"
#include "gameengine.h"
#include "headless_test.h"

using dfc::lang::DException;
using dfc::lang::DExceptionPtr;
using dfc::microedition::midlet::DMIDletPtr;
using platform::headless::Event;

namespace {

// What reached the canvas, in order: "press 10000", "release 0,0" ...
std::vector<std::string> events;

class RecordingCanvas : public dfc::microedition::lcdui::DCanvas {
    void log(const std::string& what, int a) { events.push_back(what + " " + std::to_string(a)); }
    void log(const std::string& what, int x, int y) {
        events.push_back(what + " " + std::to_string(x) + "," + std::to_string(y));
    }

public:
    void keyPressed(int code) override { log("press", code); }
    void keyRepeated(int code) override { log("repeat", code); }
    void keyReleased(int code) override { log("release", code); }
    void pointerPressed(int x, int y) override { log("down", x, y); }
    void pointerReleased(int x, int y) override { log("up", x, y); }
    void pointerDragged(int x, int y) override { log("drag", x, y); }
};

// An application that ticks like a game (25 ms a frame) and ends when told.
class TestMidlet : public dfc::microedition::midlet::DMIDlet {
public:
    void destroyApp(bool unconditional) override { destroyed.push_back(unconditional); }
    void pauseApp() override {}
    void startApp() override {
        if (onStart) onStart();
        display->setCurrent(new RecordingCanvas());
    }
    void tick() override {
        tickTimes.push_back(GetTickCount());
        if (onTick) onTick(int(tickTimes.size()));
        Sleep(25);
    }

    static inline std::function<void()> onStart;
    static inline std::function<void(int)> onTick;
    static inline std::vector<DWORD> tickTimes;
    static inline std::vector<bool> destroyed;
};

class Frame : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        events.clear();
        TestMidlet::tickTimes.clear();
        TestMidlet::destroyed.clear();
        TestMidlet::onStart = nullptr;
        TestMidlet::onTick = [](int n) {
            if (n == 40) DMIDletPtr::from(dfc::microedition::midlet::DMIDlet::getCurrent())->notifyDestroyed();
        };
        GameEngine::applicationFactory = [] { return DMIDletPtr(new TestMidlet()); };
    }

    // Runs the program until it ends; the events are scheduled after the splash.
    void run(DWORD splash = 0) {
        GameEngine engine;
        engine.run(nullptr, splash);
    }

    void at(DWORD ms, Event::Kind kind, int a = 0, int b = 0) { device->schedule(Event{ms, kind, a, b}); }

    // A fresh run of the program in which one key is pressed and released.
    void pressAndRelease(int virtualKey) {
        SetUp();
        at(100, Event::keyDown, virtualKey);
        at(110, Event::keyUp, virtualKey);
        run();
    }
};

class SmartphoneFrame : public Frame {};
class PocketPcFrame : public Frame {
    std::string profileName() const override { return "pocketpc"; }
};

struct KeyCase {
    int virtualKey;
    int smartphone;
    int pocketPc;
} const keyCases[] = {
    {13, 10002, 10002}, {27, 10000, 27},    {112, 10000, 112}, {113, 10001, 113}, {119, 10004, 119},
    {120, 10003, 120},  {0xC1, 0xC1, 10000}, {0xC2, 0xC2, 10004}, {0xC3, 0xC3, 10003}, {0xC4, 0xC4, 10001},
    {37, 37, 37},       {40, 40, 40},       {'0', '0', '0'},   {'9', '9', '9'},
};

std::vector<std::string> pressesOf(int code) {
    return {"press " + std::to_string(code), "release " + std::to_string(code)};
}

}  // namespace

TEST_F(SmartphoneFrame, TranslatesKeysWithTheSmartphoneTable) {
    for (const KeyCase& k : keyCases) {
        pressAndRelease(k.virtualKey);
        EXPECT_EQ(events, pressesOf(k.smartphone)) << "virtual key " << k.virtualKey;
    }
}

TEST_F(PocketPcFrame, TranslatesKeysWithThePocketPcTable) {
    for (const KeyCase& k : keyCases) {
        pressAndRelease(k.virtualKey);
        EXPECT_EQ(events, pressesOf(k.pocketPc)) << "virtual key " << k.virtualKey;
    }
}

TEST_F(SmartphoneFrame, AHeldKeyRepeatsAndIsNeverPressedTwice) {
    at(100, Event::keyDown, 38);
    at(150, Event::keyDown, 38);
    at(200, Event::keyDown, 38);
    at(250, Event::keyUp, 38);
    run();
    EXPECT_EQ(events, (std::vector<std::string>{"press 38", "repeat 38", "repeat 38", "release 38"}));
}

TEST_F(SmartphoneFrame, StylusEventsKeepTheirSignAndMovesNeedTheButton) {
    HWND w = nullptr;
    TestMidlet::onTick = [&w](int n) {
        w = GameEngine::singleton()->getWindow();
        if (n == 1) {
            PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));  // no button held: ignored
            PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(WORD(-3), 7));
            PostMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, WORD(-1)));
            PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(21, 22));
        }
        if (n == 3) dfc::microedition::midlet::DMIDlet::getCurrent()->notifyDestroyed();
    };
    run();
    EXPECT_EQ(events, (std::vector<std::string>{"down -3,7", "drag 20,-1", "up 21,22"}));
}

class VgaFrame : public Frame {
    std::string profileName() const override { return "vga"; }
};

// On a screen larger than the program's picture, which shows centred, the stylus points are
// those of the picture.
TEST_F(VgaFrame, StylusPointsAreThoseOfThePictureShownCentred) {
    TestMidlet::onTick = [](int n) {
        HWND w = GameEngine::singleton()->getWindow();
        if (n == 1) {
            PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 160));
            PostMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(359, 479));
            PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(100, 150));
        }
        if (n == 3) dfc::microedition::midlet::DMIDlet::getCurrent()->notifyDestroyed();
    };
    run();
    EXPECT_EQ(events, (std::vector<std::string>{"down 0,0", "drag 239,319", "up -20,-10"}));
}

TEST_F(SmartphoneFrame, TheSplashEndsOnTheFirstIdlePassAfterItsDeadline) {
    // Every idle pass takes a virtual millisecond; the deadline may lie across the wrap of the count.
    for (DWORD start : {0u, 0xFFFFFF00u, 0xFFFFFFFFu - 2000u}) {
        device = &platform::headless::install("smartphone", start);
        SetUp();
        device = &platform::headless::install("smartphone", start);
        run(2000);
        ASSERT_FALSE(TestMidlet::tickTimes.empty());
        // Pass at deadline + 1 ends the splash; the application's first tick is the pass after.
        EXPECT_EQ(TestMidlet::tickTimes.front(), DWORD(start + 2000 + 2)) << "start " << start;
    }
}

TEST_F(SmartphoneFrame, EndingTheApplicationDestroysItOnceUnconditionally) {
    run();
    EXPECT_EQ(TestMidlet::tickTimes.size(), 40u);
    EXPECT_EQ(TestMidlet::destroyed, std::vector<bool>{true});
    EXPECT_EQ(GameEngine::singleton(), nullptr);
}

TEST_F(SmartphoneFrame, ClosingTheWindowEndsTheLoop) {
    TestMidlet::onTick = nullptr;
    at(300, Event::close);
    run();
    EXPECT_EQ(TestMidlet::destroyed, std::vector<bool>{true});
    EXPECT_LT(TestMidlet::tickTimes.size(), 20u);
}

TEST_F(SmartphoneFrame, DeactivationReleasesTheStylusAndStopsTheTicks) {
    TestMidlet::onTick = [](int n) {
        if (n == 10) dfc::microedition::midlet::DMIDlet::getCurrent()->notifyDestroyed();
    };
    at(100, Event::deactivate);
    at(5000, Event::activate);
    run();
    EXPECT_EQ(events, std::vector<std::string>{"up 0,0"});
    ASSERT_EQ(TestMidlet::tickTimes.size(), 10u);
    // No tick while inactive: the ticks jump from before 100 ms to after 5000 ms.
    auto resumed = std::find_if(TestMidlet::tickTimes.begin(), TestMidlet::tickTimes.end(),
                                [](DWORD t) { return t >= 100; });
    ASSERT_NE(resumed, TestMidlet::tickTimes.end());
    EXPECT_GE(*resumed, 5000u);
}

TEST_F(SmartphoneFrame, ACursorOverAnotherWindowReleasesTheStylusEveryPass) {
    TestMidlet::onTick = [](int n) {
        if (n == 3) dfc::microedition::midlet::DMIDlet::getCurrent()->notifyDestroyed();
    };
    at(0, Event::cursorAway);
    run();
    // The pass that ends the splash counts too.
    EXPECT_EQ(events, (std::vector<std::string>{"up 0,0", "up 0,0", "up 0,0", "up 0,0"}));
}

TEST_F(SmartphoneFrame, EventsBeforeTheDisplayExistsAreDropped) {
    GameEngine engine;
    engine.keyPressed(38);
    engine.pointerPressed(1, 1);
    EXPECT_TRUE(events.empty());
}

TEST_F(SmartphoneFrame, AnExceptionFromStartUpIsShownWithItsText) {
    TestMidlet::onStart = [] { throw DExceptionPtr(new DException(u"no game.dat")); };
    run();
    ASSERT_EQ(device->messageBoxes().size(), 1u);
    EXPECT_EQ(platform::narrow(device->messageBoxes()[0].text), "*** : no game.dat");
    EXPECT_EQ(platform::narrow(device->messageBoxes()[0].caption), "Error!");
    EXPECT_TRUE(TestMidlet::tickTimes.empty());
}

// The box shows the exception as it is; the line on the error stream tells it in the user's
// terms, by its own message or else by its kind, never by its class or the source that threw it.
TEST_F(SmartphoneFrame, AStartUpFailureIsToldOnTheErrorStreamWithoutItsClassOrSource) {
    struct Case {
        const char* what;
        std::function<void()> fail;
        const char* box;
        const char* told;
    } const cases[] = {
        {"a throw site", [] { DFC_THROW(dfc::io::DIOException); }, "DIOException", "data it reads cannot be read"},
        {"an empty pointer", [] { dfc::lang::DStringPtr()->length(); }, "DNullPointerException",
         "a value it needs is missing"},
        {"a message of its own", [] { throw DExceptionPtr(new DException(u"no game.dat")); }, "*** : no game.dat",
         "no game.dat"},
    };
    for (const Case& c : cases) {
        SetUp();
        TestMidlet::onStart = c.fail;
        ::testing::internal::CaptureStderr();
        run();
        const std::string printed = ::testing::internal::GetCapturedStderr();
        ASSERT_EQ(device->messageBoxes().size(), 1u) << c.what;
        EXPECT_EQ(platform::narrow(device->messageBoxes()[0].text), c.box) << c.what;
        EXPECT_NE(printed.find(std::string("GameEngine: the program cannot start: ") + c.told + "\n"),
                  std::string::npos)
            << c.what << ": " << printed;
        EXPECT_EQ(printed.find(".cpp"), std::string::npos) << c.what << ": " << printed;
        EXPECT_EQ(printed.find(".ptr"), std::string::npos) << c.what << ": " << printed;
    }
}

TEST_F(SmartphoneFrame, AnyOtherStartUpFailureIsShownPlainly) {
    TestMidlet::onStart = [] { throw 5; };
    run();
    ASSERT_EQ(device->messageBoxes().size(), 1u);
    EXPECT_EQ(platform::narrow(device->messageBoxes()[0].text), "Can't start midlet !");
}

TEST_F(SmartphoneFrame, TheWindowCarriesTheProductTitle) {
    TestMidlet::onTick = [](int) {
        HWND w = GameEngine::singleton()->getWindow();
        EXPECT_EQ(FindWindowW(u"GameEngine", u"Mossvane"), w);
        dfc::microedition::midlet::DMIDlet::getCurrent()->notifyDestroyed();
    };
    run();
    EXPECT_EQ(TestMidlet::tickTimes.size(), 1u);
}

TEST_F(SmartphoneFrame, ASecondEngineInOneProcessEndsIt) {
    EXPECT_EXIT(
        {
            GameEngine first;
            GameEngine second;
        },
        ::testing::ExitedWithCode(0), "GameEngine already exists!");
}

TEST_F(SmartphoneFrame, DiagnosticsReachTheDebugOutput) {
    TestMidlet::onStart = [] { dfc::lang::DSystem::err->println(u"round 7 could not be read"); };
    ::testing::internal::CaptureStderr();
    run();
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("round 7 could not be read\n"), std::string::npos);
}
