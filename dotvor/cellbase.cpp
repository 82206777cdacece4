#include "cellbase.h"
#include "animation.h"
#include "dotvorgame.h"
#include "mapbase.h"

namespace {

// The animation's frame of the maze clock, centred on the cell; nothing without frames.
void paintFrame(const AnimationPtr& animation, int x, int y) {
    if (!animation || !animation->frames || animation->frames->length == 0) return;
    GameImagePtr frame = animation->frames[DotvorGame::animTick % animation->frames->length];
    DotvorGame::drawCentred(frame, x + DotvorGame::cellWidth / 2, y + DotvorGame::cellHeight / 2);
}

}  // namespace

void CellBase::paint(int x, int y, bool animatedPass) {
    if (animatedPass && !DotvorGame::animChanged) return;
    const GameImagePtr& floor = MapBase::tiles[0][MapBase::tileSet];
    if (!animatedPass) {
        DotvorGame::drawAt(floor, x, y);
        DotvorGame::drawAt(image, x, y);
    }
    switch (content) {
        case tunnel:
            if (animatedPass) paintFrame(MapBase::portalFrames, x, y);
            break;
        case door:
            if (!animatedPass) {
                DotvorGame::drawAt(floor, x, y);
                DotvorGame::drawAt(MapBase::doors[MapBase::tileSet], x, y);
            }
            break;
        case dot:
            if (animatedPass) paintFrame(MapBase::dotFrames, x, y);
            break;
        case energiser:
            if (animatedPass) {
                DotvorGame::drawAt(image, x, y);
                paintFrame(MapBase::energiserFrames, x, y);
            }
            break;
        default: break;
    }
}
