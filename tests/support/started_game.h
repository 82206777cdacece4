// A game started inside the program with the built game data, as the shell starts it, so that
// a test can set up the game's state and run its rules and frames.
#pragma once
#include <functional>
#include <type_traits>
#include "captured_diagnostics.h"
#include "gamelib.h"
#include "shellmenu.h"
#include "started_app.h"

template <class Game>
class StartedGameTest : public StartedAppTest {
protected:
    // Runs body (given the game, or nothing) with the game started and its menu up, the
    // program's diagnostics captured; whatever game is running after the body is left for
    // the shell. `before` runs in the program before the game starts.
    template <class Body>
    void inGame(const Body& body, const std::function<void()>& before = [] {}) {
        inProgram([&] {
            beginDiagnostics();
            before();
            Game* game = new Game();
            // Held here too: a body may leave the game and still look at it.
            const GameInterfacePtr held = game;
            GameLib::currentMode = held;
            game->start();
            afterStart();
            if constexpr (std::is_invocable_v<const Body&, Game&>) {
                body(*game);
            } else {
                body();
            }
            if (!dynamic_cast<ShellMenu*>(GameLib::currentMode.get())) GameLib::returnToShell();
            endDiagnostics();
        });
    }

    // What a game needs after its start before a body can drive it.
    virtual void afterStart() {}
};
