#include "spritebase.h"
#include "dotvorgame.h"

using G = DotvorGame;

SpriteBase::SpriteBase(int32_t index, const vector_3dPtr& at) : index(index) {
    if (G::scoreImages && index >= 0 && index < G::scoreImages->length) image = G::scoreImages[index];
    setPosition(at->x, at->y);
}

void SpriteBase::paint(int dx, int dy) {
    if (index == -1 || !image) return;
    G::drawCentred(image, position->x + dx + G::cellWidth / 2, position->y + dy + G::cellHeight / 2);
}

void SpriteBase::update() {
    age += 1;
    if (age > lifetime) index = -1;
}

void SpriteBase::setPosition(int32_t x, int32_t y) {
    position->set(x, y);
    bounds->set(x, y, x + G::cellWidth, y + G::cellHeight);
}
