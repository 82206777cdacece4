#pragma once
#include <cstdint>
#include <functional>
#include "dimage.h"
#include "dimagearray.h"
#include "dstringarray.h"
#include "gameimage.h"
#include "gameimagearray.h"
#include "gameinterface.h"
#include "gameregistry.h"
#include "iconsprings.h"
#include "shellmenu.ptr"

// The first mode after start-up and the one every game returns to: the eight games and an
// exit item, as spring-moved icons with a sliding caption on screens under 320 pixels high,
// or as a panel of titles with the game's picture and a start button on larger ones. A
// chosen game is built and started after the launch delay; exit ends the program.
class ShellMenu : public GameInterface {
public:
    static constexpr int32_t itemCount = 9;
    static constexpr int32_t largeScreenHeight = 320;
    // The game each icon of the small layout starts, in grid order; the large layout lists
    // them in registry order.
    static const GameRegistry::Game smallLayoutGames[GameRegistry::gameCount];
    // States.
    static constexpr int32_t introState = 0, launchState = 1, idleState = 2, captionInState = 3,
                             captionOutState = 4;

    void start() override;
    void update() override;
    void paint() override;

    // The lines of a caption: one, or two broken at its first blank when it is wider than
    // maxWidth by the measure.
    static dfc::lang::DStringArrayPtr captionLines(const dfc::lang::DStringPtr& caption, int32_t maxWidth,
                                                  const std::function<int(const dfc::lang::DStringPtr&)>& measure);

    // Milliseconds, set by start for the layout.
    static int32_t introTime;
    static int32_t launchDelay;
    static int32_t captionInTime;
    static int32_t captionOutTime;

    dfc::lang::DStringArrayPtr itemTexts;
    dfc::microedition::lcdui::DImagePtr background;
    int32_t state = introState;
    int32_t timer = 0;
    // The selected item, -1 for none.
    int32_t selection = -1;
    // The item whose caption was shown last.
    int32_t previousSelection = -1;
    int32_t exitIndex = 8;
    bool gameChosen = false;
    bool exitChosen = false;
    bool captionShown = false;
    bool largeLayout = false;

    // Large layout.
    dfc::microedition::lcdui::DImageArrayPtr gameArt;
    GameImageArrayPtr titleImages;
    GameImageArrayPtr selectedTitleImages;
    GameImagePtr startImage;
    GameImagePtr selectedStartImage;
    dfc::microedition::lcdui::DImagePtr panel;
    dfc::microedition::lcdui::DImagePtr selectedFrame;
    dfc::microedition::lcdui::DImagePtr startButton;
    dfc::microedition::lcdui::DImagePtr selectedStartButton;
    int32_t rowsLeft = 0, rowsTop = 0, rowGap = 0, pressedOffsetX = 0, pressedOffsetY = 0;

    // Small layout.
    int32_t cellWidth = 0, cellHeight = 0;
    IconSprings icons;
    GameImageArrayPtr smallIcons;
    GameImageArrayPtr smallSelectedIcons;

private:
    void loadSmallLayout();
    void loadLargeLayout();
    void placeIcons();
    void loadCaptions(const char16_t* const keys[itemCount]);

    void readInput();
    void readMoves();
    void moveBy(int32_t step, bool wrapToEnds, IconSprings::Axis axis);
    void afterMove();
    void readChoice();
    void choose();
    void pressIcon();
    void pressPanel();
    // The panel row under the stylus; -1 for none.
    int32_t rowAt(int32_t x, int32_t y) const;

    // Counts the state's timer down; true when it ran out this frame.
    bool timeUp();
    void runState();
    void endCaption();
    void launch();

    void paintSmall();
    void paintCaption();
    void paintLarge();
    void paintStartButton();
    int32_t panelX() const;
    int32_t panelY() const;
    int32_t rowY(int32_t row) const;
};
