#include "loadingbar.h"
#include <algorithm>
#include "dgraphics.h"
#include "screencanvas.h"

int32_t LoadingBar::percent = 0;
int32_t LoadingBar::y = 0;
int32_t LoadingBar::step = 0;
int32_t LoadingBar::frameColor = 0;
int32_t LoadingBar::barColor = 0;

namespace {
constexpr int32_t outlineWidth = 108;
constexpr int32_t outlineHeight = 10;
constexpr int32_t barWidth = 104;
constexpr int32_t barHeight = 6;
}  // namespace

void LoadingBar::start(int32_t barY, int32_t startPercent, int32_t percentStep, int32_t frame, int32_t bar) {
    y = barY;
    percent = startPercent;
    step = percentStep;
    frameColor = frame;
    barColor = bar;
    advance();
}

void LoadingBar::advance() {
    percent = std::clamp(percent + step, 0, 100);
    const int32_t x = (ScreenCanvas::screenWidth - outlineWidth) >> 1;
    dfc::microedition::lcdui::DGraphics& g = *ScreenCanvas::screenGraphics;
    g.setColor(frameColor);
    g.drawRect(x, y, outlineWidth, outlineHeight);
    g.setColor(barColor);
    g.fillRect(x + 2, y + 2, percent * barWidth / 100, barHeight);
}
