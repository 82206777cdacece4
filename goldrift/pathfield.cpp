#include "pathfield.h"

PathField::PathField(const char16_t* grid, int width, int height, int16_t* distance, int16_t* frontier)
    : grid(grid), width(width), height(height), distance(distance), frontier(frontier) {}

void PathField::restart(int heroCell) {
    const int count = width * height;
    for (int i = 0; i < count; ++i) distance[i] = -1;
    distance[heroCell] = 0;
    frontier[0] = int16_t(heroCell);
    if (count > 1) frontier[1] = -1;
}

void PathField::expand(int layers) {
    for (int layer = 0; layer < layers && !complete(); ++layer) expandLayer();
}

bool PathField::canStand(int c, int dir) const {
    const int x = c + dir;
    const char16_t ch = grid[x];
    if (ch == u'-' || ch == u'H') return true;
    const char16_t below = grid[x + width];
    return isSolid(below) || isHole(below) || below == u'H';
}

// The next layer is gathered from the frontier's far end down, then moved to its front.
void PathField::expandLayer() {
    const int count = width * height;
    const int d = distance[frontier[0]];
    int write = count - 1;
    for (int read = 0; read < write && frontier[read] != -1; ++read) {
        const int c = frontier[read], row = c / width, col = c % width;
        if (col > 0 && distance[c - 1] == -1 && !isSolid(grid[c - 1]) && (row == height - 1 || canStand(c, -1)))
            reach(c - 1, d, &write);
        if (col < width - 1 && distance[c + 1] == -1 && !isSolid(grid[c + 1]) && (row == height - 1 || canStand(c, 1)))
            reach(c + 1, d, &write);
        if (row > 0 && distance[c - width] == -1) climbScan(c, d, &write);
        if (row < height - 1) {
            const int n = c + width;
            if (distance[n] == -1 && (grid[n] == u'H' || (grid[c] == u'H' && grid[n] == u'-'))) reach(n, d, &write);
        }
    }
    int next = 0;
    for (int i = write + 1; i < count; ++i) frontier[next++] = frontier[i];
    if (next < count) frontier[next] = -1;
}

void PathField::climbScan(int c, int d, int* write) {
    const int col = c % width;
    for (int t = c - width; t > 0; t -= width) {
        const char16_t ch = grid[t];
        if (isSolid(ch) || isHole(ch)) return;
        const bool stop = ch == u'H' || (t - width > 0 && (grid[t - width] == u'H' || grid[t - width] == u'-')) ||
                          (col >= 1 && canStand(t, -1)) || (col < width - 1 && canStand(t, 1));
        if (!stop) continue;
        if (distance[t] == -1) reach(t, d, write);
        return;
    }
}

void PathField::reach(int n, int d, int* write) {
    distance[n] = int16_t(d + 1);
    frontier[*write] = int16_t(n);
    *write -= 1;
}
