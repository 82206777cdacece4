#include "game_fixture.h"
#include "captured_diagnostics.h"

bool GameTest::runUntil(int state, int limit) {
    for (int i = 0; i < limit && Brixmoor::gameState != state; ++i) frames(1);
    return Brixmoor::gameState == state;
}

void GameTest::clearField() {
    for (int row = 0; row < BrickList::rows; ++row)
        for (int column = 0; column < BrickList::columns; ++column) place(row, column, Brick::empty, 0);
}

void GameTest::place(int row, int column, int kind, int hits) {
    BrickPtr cell = brick(row, column);
    cell->setKind(kind, hits);
    cell->bonus = 0;
    cell->animation = nullptr;
}

BallPtr GameTest::flyingBall(int look, int x, int y, int vx, int vy) {
    BallPtr ball = Brixmoor::theGame->balls[0];
    ball->setActive(true);
    ball->setLook(look);
    ball->setPosition(x, y);
    ball->vx = vx;
    ball->vy = vy;
    ball->speed = 1;
    return ball;
}

std::string GameTest::diagnostics() {
    return printedDiagnostics();
}
