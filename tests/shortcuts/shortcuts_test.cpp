// The drawing shortcuts must draw what plain drawing draws. Each game on both screens is played
// from the shell with random keys and taps from a fixed seed, so the same each time: first with
// the shortcuts off, then with them on, and every frame of the two plays must be the same.
// Before each frame the screen's back buffer is filled with a colour of that frame, the same in
// both plays: a pixel that plain drawing sets and a shortcut leaves alone shows it.
//
// On a difference the frame of each play is written to shortcuts-frames/ in the build folder;
// the plain one comes from a third play up to that frame.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <string_view>
#include <vector>
#include "drawncells.h"
#include "game_cases.h"
#include "game_run.h"
#include "gamelib.h"
#include "platform.h"
#include "rendercontext.h"
#include "rendersurface.h"
#include "screencanvas.h"
#include "screencover.h"
#include "shellmenu.h"
#include "started_app.h"

namespace {

constexpr int playFrames = 4000;

size_t screenDigest() {
    const std::vector<uint16_t>& pixels = platform::screen().pixels;
    return std::hash<std::u16string_view>{}(
        std::u16string_view(reinterpret_cast<const char16_t*>(pixels.data()), pixels.size()));
}

bool shellIsCurrent() { return dynamic_cast<ShellMenu*>(GameLib::currentMode.get()) != nullptr; }

// Plain drawing while it lives, whatever way the test ends: keyed pictures always drawn keyed,
// every frame cleared, every block of the tank field drawn again.
class PlainDrawing {
public:
    PlainDrawing() { switchShortcuts(false); }
    ~PlainDrawing() { switchShortcuts(true); }
    PlainDrawing(const PlainDrawing&) = delete;
    PlainDrawing& operator=(const PlainDrawing&) = delete;

private:
    static void switchShortcuts(bool on) {
        RenderSurface::keyFreeShortcut = ScreenCover::skipsClear = DrawnCells::skipUnchanged = on;
    }
};

// Keys pressed and let go and the screen tapped at random: mostly the joystick and fire, now
// and then a digit (the level code too), star, pound or a soft key (the pause menu).
class RandomPlayer {
public:
    explicit RandomPlayer(unsigned seed) : random(seed) {}

    // What the player does before the next frame.
    void act() {
        ScreenCanvas& canvas = *GameLib::screenCanvas;
        if (tapped) canvas.pointerReleased(tapX, tapY);
        tapped = false;
        const unsigned roll = random() % 1000;
        if (roll < 120) {
            toggle(keyChoices[random() % std::size(keyChoices)]);
        } else if (roll < 200 && !held.empty()) {
            toggle(held[random() % held.size()]);
        } else if (roll < 210) {
            tapX = int(random() % unsigned(ScreenCanvas::screenWidth));
            tapY = int(random() % unsigned(ScreenCanvas::screenHeight));
            canvas.pointerPressed(tapX, tapY);
            tapped = true;
        } else if (roll < 212) {
            toggle(roll == 210 ? keys::softLeft : keys::softRight);
        }
    }

    void letGo() {
        while (!held.empty()) toggle(held.back());
        if (tapped) GameLib::screenCanvas->pointerReleased(tapX, tapY);
        tapped = false;
    }

private:
    static constexpr int keyChoices[] = {
        keys::left, keys::left, keys::left, keys::right, keys::right, keys::right, keys::up,   keys::up, keys::down,
        keys::down, keys::fire, keys::fire, keys::fire,  '0',         '1',         '2',        '3',      '4',
        '5',        '6',        '7',        '8',         '9',         keys::star,  keys::pound};

    void toggle(int code) {
        const auto at = std::find(held.begin(), held.end(), code);
        if (at == held.end()) {
            GameLib::screenCanvas->keyPressed(code);
            held.push_back(code);
        } else {
            GameLib::screenCanvas->keyReleased(code);
            held.erase(at);
        }
    }

    std::mt19937 random;
    std::vector<int> held;
    bool tapped = false;
    int tapX = 0, tapY = 0;
};

class Shortcuts : public StartedAppTest, public ::testing::WithParamInterface<GameCase> {
protected:
    std::string profileName() const override { return GetParam().screen; }

    // Plays from a fresh start, handing each frame's number to look after the frame, until
    // look answers false. Back on the shell, the game is started again.
    void play(const std::function<bool(int)>& look) {
        restart();
        inProgram([&] {
            RandomPlayer player(1000u + unsigned(GetParam().game) * 2 + (profileName() == "pocketpc"));
            for (int frame = 0; frame < playFrames; ++frame) {
                if (shellIsCurrent()) {
                    player.letGo();
                    openGameFromShell(GetParam().game);
                    if (HasFatalFailure()) return;
                }
                player.act();
                RenderContext(GameLib::screenCanvas->getBackBuffer()).clear(uint16_t(frame * 40503u));
                frames(1);
                if (!look(frame)) return;
            }
        });
    }

    // The device, the program's folder and its saved records as a first start finds them.
    void restart() {
        if (!started) {
            started = true;
            return;
        }
        TearDown();
        for (const std::string& path : {folder.path(), dataDir.path()})
            for (const auto& entry : std::filesystem::directory_iterator(path)) std::filesystem::remove_all(entry);
        SetUp();
    }

    std::string frameName(int frame, const char* drawing) const {
        return std::string(gameNames[GetParam().game]) + "-" + GetParam().screen + "-frame" + std::to_string(frame) +
               "-" + drawing;
    }

    bool started = false;
};

TEST_P(Shortcuts, DrawWhatPlainDrawingDraws) {
    std::vector<size_t> plain;
    {
        const PlainDrawing off;
        play([&](int) {
            plain.push_back(screenDigest());
            return true;
        });
    }
    ASSERT_EQ(plain.size(), size_t(playFrames));
    int differs = -1;
    play([&](int frame) {
        if (screenDigest() == plain[size_t(frame)]) return true;
        differs = frame;
        captureScreen("shortcuts-frames", frameName(frame, "shortcuts"));
        return false;
    });
    if (differs < 0) return;
    const PlainDrawing off;
    play([&](int frame) {
        if (frame < differs) return true;
        captureScreen("shortcuts-frames", frameName(frame, "plain"));
        return false;
    });
    ADD_FAILURE() << gameNames[GetParam().game] << " on " << GetParam().screen << ", frame " << differs
                  << ": the drawing shortcuts draw another picture than plain drawing; both are in "
                  << MOSSYARD_BINARY_DIR << "/shortcuts-frames/ as " << frameName(differs, "plain") << ".png and "
                  << frameName(differs, "shortcuts") << ".png";
}

INSTANTIATE_TEST_SUITE_P(Games, Shortcuts, ::testing::ValuesIn(allGameCases()), gameCaseName);

}  // namespace
