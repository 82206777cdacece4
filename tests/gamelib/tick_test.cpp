// The frame tick on the virtual clock: paints skipped after slow frames, the fixed pace, and
// modes that end themselves.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "ce_system.h"
#include "dexception.h"
#include "gamelib.h"
#include "headless.h"
#include "keystate.h"
#include "platform.h"
#include "program_fixture.h"
#include "screencanvas.h"
#include "started_app.h"

namespace {

// A mode whose update and paint take the given milliseconds of the virtual clock.
class TimedMode : public GameInterface {
public:
    void update() override {
        Sleep(updateMillis);
        ++updates;
    }
    void paint() override {
        Sleep(paintMillis);
        ++paints;
    }

    DWORD updateMillis = 0;
    DWORD paintMillis = 0;
    int updates = 0;
    int paints = 0;
};

std::vector<std::string> happenings;

// A game that returns to the shell from its own update or paint and then still uses itself.
class LeavingGame : public GameInterface {
public:
    explicit LeavingGame(bool fromPaint) : fromPaint(fromPaint) {}
    ~LeavingGame() override { happenings.push_back("released"); }
    void update() override {
        if (!fromPaint) leave();
    }
    void paint() override {
        if (fromPaint) leave();
    }
    void stop() override { happenings.push_back(GameLib::currentMode.get() == this ? "stop while current" : "stop"); }

private:
    void leave() {
        GameLib::returnToShell();
        marker = 42;  // the object must still be alive here
        happenings.push_back("left");
    }
    bool fromPaint;
    int marker = 0;
};

}  // namespace

TEST_F(ProgramTest, APaintIsSkippedWhenTheUpdateAndThePreviousPaintUseTheBudget) {
    // Each row is one tick: how long its update and its paint take, and whether it paints.
    struct Row {
        DWORD update, paint;
        bool painted;
        int paintDurationAfter;
    } rows[] = {
        {0, 20, true, 20},   // first tick
        {6, 20, false, 0},   // 6 + 20 reaches 26: no paint, and the paint time resets
        {5, 20, true, 20},   // 5 + 0
        {5, 3, true, 3},     // 5 + 20 = 25 still paints
        {30, 3, false, 0},   // an update alone over budget
        {30, 3, false, 0},   // ... even after a skipped paint
        {25, 3, true, 3},
    };
    inProgram([&] {
        TimedMode* mode = new TimedMode();
        GameLib::currentMode = mode;
        int paints = 0;
        for (const Row& row : rows) {
            mode->updateMillis = row.update;
            mode->paintMillis = row.paint;
            GameLib::gameLib->tick();
            paints += row.painted;
            EXPECT_EQ(mode->paints, paints) << "update " << row.update;
            EXPECT_EQ(GameLib::lastPaintDuration, row.paintDurationAfter) << "update " << row.update;
        }
    });
}

TEST_F(ProgramTest, EveryTickEndsOneFramePeriodAfterThePreviousOne) {
    inProgram([&] {
        TimedMode* mode = new TimedMode();
        GameLib::currentMode = mode;
        device->advance(60000);  // the device has been up a while: far from the count 0
        const DWORD start = GetTickCount();
        GameLib::gameLib->tick();
        EXPECT_EQ(GetTickCount(), start) << "the first tick does not wait";
        std::vector<DWORD> ends;
        for (DWORD work : {0u, 10u, 24u, 3u}) {
            mode->updateMillis = work;
            GameLib::gameLib->tick();
            ends.push_back(GameLib::lastFrameTime);
        }
        EXPECT_EQ(ends, (std::vector<DWORD>{start + 25, start + 50, start + 75, start + 100}));

        // A frame that overran starts the next period where it ended.
        mode->updateMillis = 40;
        GameLib::gameLib->tick();
        EXPECT_EQ(GameLib::lastFrameTime, start + 140);
    });
}

TEST_F(ProgramTest, TheFrameWaitSurvivesTheWrapOfTheTickCount) {
    device = &platform::headless::install(profileName(), 0xFFFFFF00u);
    inProgram([&] {
        GameLib::currentMode = new TimedMode();
        // The previous frame ended just before the count wrapped, this one begins just after.
        device->advance(0xF0u - (GetTickCount() - 0xFFFFFF00u));
        GameLib::lastFrameTime = GetTickCount();
        device->advance(20);
        ASSERT_LT(GetTickCount(), 0x100u);
        GameLib::gameLib->tick();
        EXPECT_EQ(GameLib::lastFrameTime, 0xFFFFFFF0u + 25u);

        // A count from the future (the clock jumped back) is not waited for.
        GameLib::lastFrameTime = GetTickCount() + 1000;
        const DWORD before = GetTickCount();
        GameLib::gameLib->tick();
        EXPECT_EQ(GameLib::lastFrameTime, before);
    });
}

// The shell menu a game returns to needs the program's data.
using RunningProgram = StartedAppTest;

TEST_F(RunningProgram, AGameMayReturnToTheShellFromItsOwnUpdateOrPaint) {
    for (bool fromPaint : {false, true}) {
        happenings.clear();
        inProgram([&] {
            GameLib::currentMode = new LeavingGame(fromPaint);
            GameLib::gameLib->tick();
            EXPECT_EQ(dynamic_cast<LeavingGame*>(GameLib::currentMode.get()), nullptr) << fromPaint;
        });
        EXPECT_EQ(happenings, (std::vector<std::string>{"stop while current", "left", "released"})) << fromPaint;
    }
}

TEST_F(ProgramTest, ATickWithoutAModeThrows) {
    inProgram([] {
        GameLib::currentMode = nullptr;
        EXPECT_THROW(GameLib::gameLib->tick(), dfc::lang::DNullPointerExceptionPtr);
    });
}

// Between the loading steps of its start a game shows the back buffer as it stands: its own
// paint is not ready and must not run.
TEST_F(RunningProgram, ALoadingStepPresentsTheBackBufferWithoutPaintingTheMode) {
    struct Step {
        int x, y, width, height;
        uint32_t colour;
        uint16_t shown;
    };
    const Step steps[] = {{0, 0, 176, 220, 0x000000, 0x0000}, {20, 180, 60, 10, 0xFF0000, 0xF800},
                          {80, 180, 40, 10, 0x00FF00, 0x07E0}, {170, 0, 6, 220, 0xFFFFFF, 0xFFFF}};
    inProgram([&] {
        auto* mode = new TimedMode();
        GameLib::currentMode = mode;
        for (const Step& step : steps) {
            ScreenCanvas::screenGraphics->setColor(step.colour);
            ScreenCanvas::screenGraphics->fillRect(step.x, step.y, step.width - 1, step.height - 1);
            GameLib::present();
            const platform::Picture& screen = platform::screen();
            EXPECT_EQ(screen.pixels[(step.y + step.height / 2) * screen.width + step.x + step.width / 2], step.shown)
                << step.x << "," << step.y;
        }
        EXPECT_EQ(mode->paints, 0);
        const platform::Picture& screen = platform::screen();
        EXPECT_EQ(screen.pixels[185 * screen.width + 30], 0xF800) << "an earlier step stays on the screen";
    });
}
