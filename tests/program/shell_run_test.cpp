// A whole run as the user makes it, headless: start-up, the shell, a game with its score and
// help pages, back to the shell, and out through the exit item.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "ce_system.h"
#include "dstringarray.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gameregistry.h"
#include "helplayout.h"
#include "shellmenu.h"
#include "started_app.h"

using dfc::lang::DStringArray;

namespace {

std::vector<std::string> seen;

void note(const std::string& what) {
    if (seen.empty() || seen.back() != what) seen.push_back(what);
}

// A game with a menu of four items: a game to play, its score table, its help and the way out.
class MenuGame : public GameInterface {
public:
    void start() override {
        note("game started");
        menu = new GameMenu();
        menu->setItems(new DStringArray(4, u"Start", u"High scores", u"Help", u"Exit"));
        menu->layoutText(u"/tst/help.txt", nullptr);
        scores = new GameMenu();
        scores->loadHighScores(u"menugame", 1);
        scores->mode = GameMenu::scorePage;
    }
    void update() override {
        if (page == GameMenu::scorePage) {
            scores->handleKeys();
            if (scores->closeRequested) closePage();
            return;
        }
        menu->handleKeys();
        if (page == GameMenu::helpPage && menu->closeRequested) closePage();
        if (page != GameMenu::listPage || !menu->selectionMade) return;
        if (menu->selected == 3) {
            GameLib::returnToShell();
            return;
        }
        page = menu->selected == 1 ? GameMenu::scorePage : menu->selected == 2 ? GameMenu::helpPage : page;
        menu->mode = page == GameMenu::helpPage ? GameMenu::helpPage : GameMenu::listPage;
        menu->firstVisible = 0;
    }
    void paint() override {
        if (page == GameMenu::scorePage) {
            scores->paint();
            note("score table with " + std::to_string(scores->items->length) + " entries");
        } else {
            menu->paint();
            if (page != GameMenu::helpPage)
                note("menu");
            else
                note(menu->firstVisible == 0 ? "help, first page" : "help, further on");
        }
    }
    void stop() override { note("game stopped"); }

private:
    void closePage() {
        page = GameMenu::listPage;
        menu->mode = GameMenu::listPage;
        menu->closeRequested = scores->closeRequested = false;
        menu->firstVisible = 0;
    }

    GameMenuPtr menu;
    GameMenuPtr scores;
    int page = GameMenu::listPage;
};

class WholeRun : public StartedAppTest {
protected:
    void SetUp() override {
        StartedAppTest::SetUp();
        std::string help;
        for (int i = 0; i < 30; ++i) {
            const std::string paragraph = "Paragraph " + std::to_string(i) + " of the help text.";
            help += std::string{char(0), char(paragraph.size())} + paragraph;
        }
        folder.write("tst/help.txt", help);
        seen.clear();
        GameRegistry::entries[GameRegistry::brixmoor] = {GameRegistry::make<MenuGame>, nullptr};
    }

    // Runs the script's events against the program; true when the program ended by itself.
    bool run(const std::string& script) {
        folder.write("run.txt", script + "60000 close\n");
        std::string error;
        EXPECT_TRUE(device->loadScript(folder.file("run.txt"), &error)) << error;
        runProgram();
        return GetTickCount() < 60000;
    }
};

class WholeRunPocketPc : public WholeRun {
protected:
    std::string profileName() const override { return "pocketpc"; }
};

// A key held for 100 ms.
std::string held(int at, const char* key) {
    return std::to_string(at) + " keydown " + key + "\n" + std::to_string(at + 100) + " keyup " + key + "\n";
}

// The game's side of the run, from 5000 ms on: its score table, two pages of help, and out.
const std::string inTheGame = held(5000, "down") + held(5400, "select")  // the score table
                              + held(5900, "select")                      // closes it
                              + held(6400, "down") + held(6800, "select")  // the help
                              + held(7300, "select")                      // its next page
                              + held(7800, "softleft")                    // closed
                              + held(8300, "down") + held(8700, "select");  // exit

const std::vector<std::string> gameSide = {"game started", "menu", "score table with 8 entries", "menu",
                                           "help, first page", "help, further on", "menu", "game stopped"};

}  // namespace

TEST_F(WholeRun, TheSmallShellStartsAGameAndEndsThroughExit) {
    const bool ended = run(held(1500, "right") + held(1900, "select") + inTheGame + held(10000, "up") +
                           held(10400, "up") + held(10800, "up") + held(11200, "select"));
    EXPECT_TRUE(ended) << "the exit item ended the program";
    EXPECT_TRUE(device->messageBoxes().empty());
    EXPECT_EQ(seen, gameSide);
    EXPECT_GE(GetTickCount(), 11200u + 200 + 500) << "after the caption and the launch delay";
}

TEST_F(WholeRunPocketPc, TheLargeShellStartsAGameAndEndsThroughExit) {
    const bool ended =
        run(held(1500, "down") + held(1900, "select") + inTheGame + held(10000, "up") + held(10400, "select"));
    EXPECT_TRUE(ended);
    EXPECT_TRUE(device->messageBoxes().empty());
    EXPECT_EQ(seen, gameSide);
    EXPECT_GE(GetTickCount(), 10400u + 1700);
}
