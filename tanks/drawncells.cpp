#include "drawncells.h"

using dfc::microedition::lcdui::DImagePtr;

namespace {

bool same(const DrawnCells::Look& a, const DrawnCells::Look& b) {
    return a.ground.get() == b.ground.get() && a.emblem.get() == b.emblem.get() && a.item.get() == b.item.get();
}

}  // namespace

void DrawnCells::follow(const DImagePtr& field, int32_t blocks) {
    if (picture.get() == field.get() && looks.size() == size_t(blocks)) return;
    picture = field;
    // A block not drawn yet has no ground picture, which no drawn block lacks.
    looks.assign(size_t(blocks), Look{});
}

bool DrawnCells::change(int32_t block, const Look& look) {
    if (block < 0 || size_t(block) >= looks.size()) return true;
    if (skipUnchanged && same(looks[size_t(block)], look)) return false;
    looks[size_t(block)] = look;
    return true;
}

void DrawnCells::clear() {
    picture = nullptr;
    looks.clear();
}
