// The program's start-up with the real game data, without it, and with damaged data; the
// key map.
#include <gtest/gtest.h>
#include <filesystem>
#include <string>
#include "d7zipinputstream.h"
#include "dhashtable.h"
#include "gameengine.h"
#include "gamelib.h"
#include "keystate.h"
#include "loadingbar.h"
#include "screencanvas.h"
#include "program_fixture.h"
#include "stringmanager.h"
#include "text.h"

using dfc::lang::DStringPtr;

namespace {

const std::string builtGameData = std::string(MOSSYARD_BINARY_DIR) + "/bin/game.dat";

class Startup : public ProgramTest {
protected:
    void run() {
        GameEngine engine;
        engine.run(nullptr, 2000);
    }

    static uint16_t pixel(const platform::Picture& p, int x, int y) { return p.pixels[size_t(y * p.width + x)]; }

    // The loading bar, full: its black outline and the red bar inside.
    void expectFullLoadingBar(const platform::Picture& frame) {
        const int left = (frame.width - 108) >> 1;
        const int top = frame.height - (frame.height >> 3);
        EXPECT_EQ(pixel(frame, left, top), 0x0000);
        EXPECT_EQ(pixel(frame, left + 108, top + 10), 0x0000);
        EXPECT_EQ(pixel(frame, left + 2, top + 2), 0xF800);
        EXPECT_EQ(pixel(frame, left + 2 + 104, top + 2 + 6), 0xF800);
        EXPECT_EQ(pixel(frame, left + 1, top + 1), 0xFFFF) << "white between the outline and the bar";
    }
};

class PocketPcStartup : public Startup {
protected:
    std::string profileName() const override { return "pocketpc"; }
};

void expectLogo(const platform::Picture& frame) {
    int coloured = 0;
    for (int y = frame.height / 4; y < frame.height * 3 / 4; ++y)
        for (int x = 0; x < frame.width; ++x) coloured += frame.pixels[size_t(y * frame.width + x)] != 0xFFFF;
    EXPECT_GT(coloured, 100) << "the logo lies on white in the middle of the screen";
}

class RecordingMode : public GameInterface {
public:
    void start() override { ++starts; }
    int starts = 0;
};

}  // namespace

TEST_F(Startup, ShowsTheLogoAndTheLoadingBarThenRunsFrames) {
    std::filesystem::copy_file(builtGameData, folder.file("game.dat"));
    device->stopAfterFrames(8);
    run();
    EXPECT_TRUE(device->messageBoxes().empty());
    EXPECT_EQ(device->lastFrame().width, 176);
    expectFullLoadingBar(device->lastFrame());
    expectLogo(device->lastFrame());
    EXPECT_EQ(KeyState::rightSoftKey2, 8) << "the key map was read";
}

TEST_F(PocketPcStartup, ShowsTheLargeLogoAndTheLoadingBar) {
    std::filesystem::copy_file(builtGameData, folder.file("game.dat"));
    device->stopAfterFrames(6);
    run();
    EXPECT_TRUE(device->messageBoxes().empty());
    EXPECT_EQ(device->lastFrame().height, 320);
    expectFullLoadingBar(device->lastFrame());
    expectLogo(device->lastFrame());
}

TEST_F(Startup, WithoutTheDataArchiveTheProgramEndsQuietly) {
    run();
    EXPECT_TRUE(device->messageBoxes().empty());
    const platform::Picture& screen = platform::screen();
    EXPECT_NE(screen.pixels[size_t(screen.width * (screen.height - screen.height / 8 + 2) + screen.width / 2)], 0xF800)
        << "no loading bar";
}

// Damaged data is named in one line on the host, as a missing archive is: no message box besides.
TEST_F(Startup, DataWithoutTheLogoEndsTheProgramWithoutAMessageBox) {
    pack("game.dat", {{"keys.txt", "KEY_LEFT_SOFT1=1\r\n"}});
    run();
    EXPECT_TRUE(device->messageBoxes().empty());
}

TEST_F(ProgramTest, TheKeyMapKeepsTheDefaultsOfMissingKeysAndStartsTheMode) {
    pack("game.dat", {{"keys.txt", "KEY_LEFT_SOFT1=1234\r\nKEY_RIGHT_SOFT2=8\r\n"}, {"res.txt", "title=Hello\r\n"}});
    inProgram([] {
        dfc::io::D7zipInputStream::openArchive(u"game.dat", u"");
        StringManager::properties = new dfc::util::DHashtable(11, 75);
        RecordingMode* mode = new RecordingMode();
        GameLib::currentMode = mode;
        GameLib::loadKeyMap();
        EXPECT_EQ(KeyState::leftSoftKey1, 1234);
        EXPECT_EQ(KeyState::leftSoftKey2, 0);
        EXPECT_EQ(KeyState::rightSoftKey1, 10001);
        EXPECT_EQ(KeyState::rightSoftKey2, 8);
        EXPECT_EQ(KeyState::middleSoftKey, 10002);
        EXPECT_EQ(mode->starts, 1);
        EXPECT_EQ(narrow(StringManager::getProperty(u"title")), "Hello");
        EXPECT_TRUE(StringManager::properties->get(DStringPtr(u"KEY_LEFT_SOFT1")).isNull());
    });
}

TEST_F(ProgramTest, TheLoadingBarAdvancesByItsStepWithinNoughtAndAHundred) {
    inProgram([] {
        struct Case {
            int start, step, advances, percent;
        } cases[] = {{0, 20, 0, 20}, {0, 20, 4, 100}, {0, 20, 6, 100}, {90, 20, 0, 100}, {10, -20, 1, 0}};
        for (const Case& c : cases) {
            LoadingBar::start(100, c.start, c.step, 0x000000, 0xFF0000);
            for (int i = 0; i < c.advances; ++i) LoadingBar::advance();
            EXPECT_EQ(LoadingBar::percent, c.percent) << c.start << " + " << c.advances << " x " << c.step;
        }

        dfc::microedition::lcdui::DImagePtr screen = dfc::microedition::lcdui::DImage::createImage(176, 220);
        ScreenCanvas::screenGraphics = screen->getGraphics();
        LoadingBar::start(100, 0, 20, 0x000000, 0xFF0000);
        const std::vector<uint16_t> pixels = pixelsOf(screen);
        auto at = [&](int x, int y) { return pixels[size_t(y * 176 + x)]; };
        const int left = (176 - 108) / 2;
        EXPECT_EQ(at(left, 100), 0x0000);
        EXPECT_EQ(at(left + 2 + 20, 102), 0xF800) << "20 % of 104 pixels";
        EXPECT_EQ(at(left + 2 + 21, 102), 0xFFFF);
    });
}
