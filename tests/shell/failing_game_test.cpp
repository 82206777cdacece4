// A game that throws where the library calls it (its start, an update, a paint) is dropped:
// a diagnostic telling what went wrong, its stop, its release, and a fresh shell menu from
// which the games still start.
#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>
#include "dbytearrayoutputstream.h"
#include "dioexception.h"
#include "dprintstream.h"
#include "dsystem.h"
#include "game_run.h"
#include "gamelib.h"
#include "gameregistry.h"
#include "platform.h"
#include "shellmenu.h"
#include "started_app.h"

using dfc::io::DByteArrayOutputStream;
using dfc::io::DByteArrayOutputStreamPtr;
using dfc::io::DPrintStream;
using dfc::lang::DSystem;

namespace {

enum class Where { nowhere, start, update, paint };
enum class Failure { io, nullPointer, index, state, outOfMemory, library };

class FailingGame : public GameInterface {
public:
    FailingGame() { ++alive; }
    ~FailingGame() override { --alive; }
    void start() override { throwIf(Where::start); }
    // A few good frames first, as a game that fails in the middle of play.
    void update() override {
        if (++updates > 3) throwIf(Where::update);
    }
    void paint() override {
        if (++paints > 3) throwIf(Where::paint);
    }
    void stop() override {
        ++stopped;
        if (stopFails) dfc::lang::DStringPtr()->length();
    }

    static inline Where where = Where::nowhere;
    static inline Failure failure = Failure::io;
    static inline bool stopFails = false;
    static inline int alive = 0;
    static inline int stopped = 0;

private:
    static void throwIf(Where here) {
        if (here != where) return;
        switch (failure) {
            case Failure::io: DFC_THROW(dfc::io::DIOException);
            case Failure::nullPointer: dfc::lang::DStringPtr()->length(); break;
            case Failure::index: DFC_THROW(dfc::lang::DArrayIndexOutOfBoundsException);
            case Failure::state: DFC_THROW(dfc::lang::DIllegalStateException);
            case Failure::outOfMemory: throw std::bad_alloc();
            case Failure::library: throw std::out_of_range("vector::_M_range_check");
        }
    }

    int updates = 0;
    int paints = 0;
};

// A game that, after a few frames, hands back to the shell as its exit item does.
class LeavingGame : public GameInterface {
public:
    void start() override {}
    void update() override {
        if (++updates == 3) GameLib::returnToShell();
    }
    void paint() override {}
    void stop() override {}

private:
    int updates = 0;
};

bool onShell() { return dynamic_cast<ShellMenu*>(GameLib::currentMode.get()) != nullptr; }

class FailingGameTest : public StartedAppTest {
protected:
    void SetUp() override {
        StartedAppTest::SetUp();
        for (GameRegistry::Entry& entry : GameRegistry::entries) entry = {GameRegistry::make<FailingGame>, nullptr};
        FailingGame::alive = FailingGame::stopped = 0;
        FailingGame::stopFails = false;
    }
};

}  // namespace

// Whatever was thrown, the line tells what went wrong, without the exception's class or the
// source that threw it.
TEST_F(FailingGameTest, TheGameIsDroppedAndTheShellComesBack) {
    const std::string failed = "GameLib: the game failed: ";
    struct Case {
        const char* name;
        Where where;
        Failure failure;
        bool stopFails;
        std::string said;
    } const cases[] = {
        {"start", Where::start, Failure::io, false, failed + "data it reads cannot be read\r\n"},
        {"update", Where::update, Failure::nullPointer, false, failed + "a value it needs is missing\r\n"},
        {"paint", Where::paint, Failure::index, false, failed + "it reached past the end of a table\r\n"},
        {"update, a state", Where::update, Failure::state, false, failed + "an error inside the program\r\n"},
        {"update out of memory", Where::update, Failure::outOfMemory, false, failed + "the memory ran out\r\n"},
        {"update, the C++ library", Where::update, Failure::library, false, failed + "an error inside the program\r\n"},
        {"update, and its stop", Where::update, Failure::io, true,
         failed + "data it reads cannot be read\r\nGameLib: the failed game did not stop cleanly: a value it needs "
                  "is missing\r\n"},
    };
    for (const Case& c : cases) {
        FailingGame::where = c.where;
        FailingGame::failure = c.failure;
        FailingGame::stopFails = c.stopFails;
        FailingGame::stopped = 0;
        inProgram([&c] {
            DByteArrayOutputStreamPtr printed = new DByteArrayOutputStream();
            DSystem::err = new DPrintStream(printed);
            // Moves onto a game and chooses it; the game fails within its first frames.
            frames(50);
            menuKey(39);
            menuKey(10002);
            frames(100);
            EXPECT_TRUE(onShell()) << c.name;
            EXPECT_EQ(FailingGame::stopped, 1) << c.name;
            EXPECT_EQ(FailingGame::alive, 0) << c.name << ": the game is released";
            const std::string said(reinterpret_cast<const char*>(printed->toByteArray()->data),
                                   size_t(printed->size()));
            EXPECT_EQ(said, c.said) << c.name;

            // The shell is a fresh one, and a game that does not fail plays from it.
            FailingGame::where = Where::nowhere;
            FailingGame::stopFails = false;
            openGameFromShell(1);
            frames(20);
            EXPECT_FALSE(onShell()) << c.name;
            EXPECT_EQ(FailingGame::alive, 1) << c.name;
        });
    }
}

// The shell's own atlas damaged while a game plays: when the game hands back, the shell's failure
// and the end of the program it brings are one line, naming the atlas.
TEST_F(FailingGameTest, AShellAtlasDamagedWhileAGamePlaysEndsTheProgramInOneLine) {
    for (GameRegistry::Entry& entry : GameRegistry::entries) entry = {GameRegistry::make<LeavingGame>, nullptr};
    inProgram([this] {
        frames(50);
        menuKey(39);
        // A picture beside the program comes before the archive's: one pixel is too small for the atlas.
        std::filesystem::create_directories(folder.file("menu"));
        ASSERT_TRUE(platform::savePng(platform::Picture{1, 1, {0}}, folder.file("menu/small_icons.png")));
        DByteArrayOutputStreamPtr printed = new DByteArrayOutputStream();
        DSystem::err = new DPrintStream(printed);
        menuKey(10002);
        frames(100);
        const std::string said(reinterpret_cast<const char*>(printed->toByteArray()->data), size_t(printed->size()));
        EXPECT_EQ(said.rfind("GameLib: the shell menu failed, and without it the program ends: the image atlas "
                             "menu/small_icons.txt is damaged: ",
                             0),
                  0u)
            << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_FALSE(GameLib::gameLib->isAlive());
    });
}
