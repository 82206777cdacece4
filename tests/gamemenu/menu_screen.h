// A game menu as the screen shows it, and what was drawn where.
#pragma once
#include <algorithm>
#include <cstdint>
#include "dcanvas.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "platform.h"
#include "screencanvas.h"

// The menu painted and put on the panel.
inline const platform::Picture& shown(const GameMenuPtr& menu) {
    menu->paint();
    GameLib::screenCanvas->DCanvas::repaint();
    return platform::screen();
}

// Pixels that differ from the fill colour in the rectangle.
inline int marked(const platform::Picture& picture, int x0, int y0, int x1, int y1, uint16_t fill) {
    int count = 0;
    for (int y = std::max(y0, 0); y < y1 && y < picture.height; ++y)
        for (int x = std::max(x0, 0); x < x1 && x < picture.width; ++x)
            count += picture.pixels[size_t(y * picture.width + x)] != fill;
    return count;
}
