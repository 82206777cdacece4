#include "bonus.h"
#include "bricklist.h"
#include "brixmoor.h"
#include "gamelib.h"
#include "screencanvas.h"

void Bonus::start(int newKind, int atX, int atY) {
    kind = newKind;
    animation = Brixmoor::bonusAnimations[kind];
    x = atX + 2;
    y = atY;
    const int32_t r1 = GameLib::sharedRandom->nextInt();
    // Half the capsules fall straight; the others drift up to 5 pixels a frame either way.
    drift = (GameLib::sharedRandom->nextAbsMod(5) + 1) * (r1 % 2);
}

int Bonus::update(int paddleX, int paddleY, int paddleWidth, int paddleHeight) {
    if (kind == 0) return 0;
    y += fallSpeed;
    x += drift;
    const GameImagePtr first = Brixmoor::firstFrame(animation);
    const int w = first ? first->width : 0, h = first ? first->height : 0;
    if (x + w > paddleX && x < paddleX + paddleWidth && y + h > paddleY && y < paddleY + paddleHeight) {
        const int caught = kind;
        kind = 0;
        return caught;
    }
    bounceOffSides(w);
    if (y + h > ScreenCanvas::screenHeight) kind = 0;
    return 0;
}

void Bonus::bounceOffSides(int width) {
    if (x + width > ScreenCanvas::screenWidth - BrickList::fieldLeft) {
        drift = -drift;
        x = ScreenCanvas::screenWidth - BrickList::fieldLeft - width;
    } else if (x < BrickList::fieldLeft) {
        drift = -drift;
        x = BrickList::fieldLeft;
    }
}

void Bonus::paint() {
    if (kind != 0 && animation) animation->paint(x, y);
}
