#include "screencover.h"
#include <algorithm>
#include "screencanvas.h"

using dfc::microedition::lcdui::DImagePtr;

void ScreenCover::add(const DImagePtr& picture, int x, int y) {
    add(picture, x, y, 0, 0, ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
}

void ScreenCover::add(const DImagePtr& picture, int x, int y, int clipX, int clipY, int clipWidth, int clipHeight) {
    if (!picture || !picture->isOpaque()) return;
    const Area area{std::max({x, clipX, 0}), std::max({y, clipY, 0}),
                    std::min({x + picture->getWidth(), clipX + clipWidth, ScreenCanvas::screenWidth}),
                    std::min({y + picture->getHeight(), clipY + clipHeight, ScreenCanvas::screenHeight})};
    if (area.left < area.right && area.top < area.bottom) areas.push_back(area);
}

// The screen is cut into bands of rows at every top and bottom edge; within a band each area
// either reaches across all its rows or none.
bool ScreenCover::whole() const {
    if (!skipsClear) return false;
    std::vector<int> edges{0, ScreenCanvas::screenHeight};
    for (const Area& area : areas) {
        edges.push_back(area.top);
        edges.push_back(area.bottom);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    for (size_t i = 0; i + 1 < edges.size(); ++i)
        if (!spansRows(edges[i], edges[i + 1])) return false;
    return true;
}

bool ScreenCover::spansRows(int top, int bottom) const {
    std::vector<Area> across;
    for (const Area& area : areas)
        if (area.top <= top && bottom <= area.bottom) across.push_back(area);
    std::sort(across.begin(), across.end(), [](const Area& a, const Area& b) { return a.left < b.left; });
    int reached = 0;
    for (const Area& area : across) {
        if (area.left > reached) return false;
        reached = std::max(reached, area.right);
    }
    return reached >= ScreenCanvas::screenWidth;
}
