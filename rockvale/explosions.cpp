#include "explosions.h"
#include "gamelib.h"
#include "rockvale.h"
#include "screencanvas.h"
#include "ship.h"
#include "sound.h"

using dfc::lang::DintArray2d;
using dfc::lang::DintArrayPtr;
using dfc::lang::DStringPtr;

namespace {

constexpr int flashFrames = 7;
constexpr int debrisFrames = 13;
// Picture turns of a flash quarter, in the order they are kept.
const char16_t* const turns[] = {u"", u"_up", u"_dn", u"_lv"};

int nextRandom() { return GameLib::sharedRandom->nextInt(); }

bool onScreen(int x, int y, int w, int h) {
    return x + w > 0 && x < ScreenCanvas::screenWidth && y + h > 0 && y < ScreenCanvas::screenHeight;
}

}  // namespace

Explosions::Explosions()
    : explosions(new DintArray2d(slots, 4)), particles(new DintArray2d(slots * rowsPerSlot, 5)) {
    clear();
}

void Explosions::loadImages() {
    explosionImages = new GameImageArray(3 * 4 * flashFrames);
    for (int s = 1; s <= 3; ++s)
        for (int t = 0; t < 4; ++t)
            for (int f = 1; f <= flashFrames; ++f)
                explosionImages[(s - 1) * 28 + t * flashFrames + f - 1] =
                    GameImage::load(DStringPtr(u"wave") + s + u"_" + f + turns[t]);
    sparkImages = new GameImageArray(5);
    for (int i = 0; i < 5; ++i) sparkImages[i] = GameImage::load(DStringPtr(u"bp") + i);
    debrisImages = new GameImageArray(debrisFrames);
    for (int i = 0; i < debrisFrames; ++i) debrisImages[i] = GameImage::load(DStringPtr(u"p") + (i + 1));
}

void Explosions::clear() {
    for (int i = 0; i < slots; ++i) {
        DintArrayPtr slot = explosions[i];
        slot[xField] = slot[yField] = slot[countField] = 0;
        slot[ageField] = -1;
    }
    for (int i = 0; i < slots * rowsPerSlot; ++i) particles[i][rowState] = -1;
    usedExplosions = 0;
}

int Explosions::freeSlot() {
    for (int i = 0; i < slots; ++i)
        if (explosions[i][ageField] == -1) return i;
    return -1;
}

void Explosions::take(int slot, int x, int y, int age) {
    DintArrayPtr s = explosions[slot];
    s[xField] = x;
    s[yField] = y;
    s[ageField] = age;
    if (usedExplosions < slot + 1) usedExplosions = slot + 1;
}

bool Explosions::open(int x, int y, int sparkX, int sparkY) {
    const int slot = freeSlot();
    if (slot < 0) return false;
    take(slot, x, y, 0);
    spawnParticles(sparkX, sparkY, slot, debris);
    return true;
}

void Explosions::addExhaust(bool side) {
    const int slot = freeSlot();
    if (slot < 0) return;
    take(slot, -100, -100, 5);
    const Ship& ship = *Rockvale::ship;
    const int cx = Rockvale::ship->xComponent(ship.step, ship.facingSuffix);
    const int cy = Rockvale::ship->yComponent(ship.step, ship.facingSuffix);
    const int d = side ? 5 : -5;
    spawnParticles(ship.x + ((-13 * cx - cy * d) >> 10), ship.y + ((cx * d - 13 * cy) >> 10), slot, puff);
}

void Explosions::spawnParticles(int x, int y, int slot, int kind) {
    const int base = slot * rowsPerSlot;
    auto set = [&](int row, int px, int py, int vx, int vy, int state) {
        DintArrayPtr r = particles[base + row];
        r[rowX] = px;
        r[rowY] = py;
        r[rowVx] = vx;
        r[rowVy] = vy;
        r[rowState] = state;
    };
    switch (kind) {
        case flash1:
        case flash2:
            Sound::play(Rockvale::exploseSound, 1);
            set(0, x, y, 0, 0, kind);
            break;
        case debris:
            Sound::play(Rockvale::exploseSound, 1);
            for (int row = 1; row <= 4; ++row) {
                const int ox = nextRandom() % 5, oy = nextRandom() % 5;
                const int vx = nextRandom() % 7, vy = nextRandom() % 7;
                set(row, x + ox, y + oy, vx, vy, 0);
            }
            break;
        case sparks:
            Sound::play(Rockvale::exploseSound, 1);
            for (int row = 5; row <= 9; ++row) {
                const int vx = nextRandom() % 14, vy = nextRandom() % 14;
                set(row, x, y, vx, vy, 4);
            }
            break;
        case puff: {
            for (int row = 0; row < rowsPerSlot; ++row) particles[base + row][rowState] = -1;
            const Ship& ship = *Rockvale::ship;
            const int cx = Rockvale::ship->xComponent(ship.step, ship.facingSuffix);
            const int cy = Rockvale::ship->yComponent(ship.step, ship.facingSuffix);
            set(10, x, y, ship.vx + ((-5 * cx) >> 10), ship.vy + ((-5 * cy) >> 10), 0);
            break;
        }
        default: break;
    }
}

void Explosions::updateExplosions() {
    for (int i = 0; i < slots; ++i) {
        DintArrayPtr s = explosions[i];
        if (s[ageField] == -1) continue;
        switch (s[ageField]) {
            case 0:
                spawnParticles(s[xField], s[yField], i, debris);
                s[countField] += 4;
                break;
            case 2:
                s[countField] = 0;
                spawnParticles(s[xField], s[yField], i, sparks);
                s[countField] += 5;
                break;
            case 4:
                spawnParticles(s[xField], s[yField], i, GameLib::sharedRandom->nextAbsMod(3) + 1);
                s[countField] += 1;
                break;
            case 5: s[countField] += 1; break;
            default: break;
        }
        s[ageField] += 1;
        if (s[countField] < 1 && s[ageField] > 13) {
            int live = 0;
            for (int row = 0; row < rowsPerSlot; ++row)
                if (particles[i * rowsPerSlot + row][rowState] != -1) ++live;
            if (live > 0)
                s[countField] = live;
            else
                s[ageField] = -1;
        }
    }
    usedExplosions = 0;
    for (int i = 0; i < slots; ++i)
        if (explosions[i][ageField] != -1) usedExplosions = i + 1;
}

void Explosions::updateParticles() {
    for (int row = 0; row < usedExplosions * rowsPerSlot; ++row)
        if (particles[row][rowState] != -1) updateRow(row);
}

void Explosions::updateRow(int row) {
    DintArrayPtr r = particles[row];
    const int j = row % rowsPerSlot;
    if (j == 0) {
        r[rowState] += 3;
        if (r[rowState] / 3 > 6) freeRow(row);
    } else if (j <= 4) {
        moveRow(r);
        r[rowVx] = r[rowVx] * 2 / 3;
        r[rowVy] = r[rowVy] * 2 / 3;
        r[rowState] += 1;
        if (r[rowState] > 12) freeRow(row);
    } else if (j <= 9) {
        const int trail = row - j + (r[rowState] % 4) + 4 * j - 10;
        DintArrayPtr t = particles[trail];
        t[rowX] = r[rowX];
        t[rowY] = r[rowY];
        t[rowVx] = t[rowVy] = 0;
        t[rowState] = 1;
        moveRow(r);
        r[rowVx] = r[rowVx] * 4 / 5;
        r[rowVy] = r[rowVy] * 4 / 5;
        r[rowState] += 1;
        if (r[rowVx] == 0 && r[rowVy] == 0) freeRow(row);
    } else {
        moveRow(r);
        r[rowState] += 1;
        if (r[rowState] > 4) freeRow(row);
    }
}

void Explosions::moveRow(const DintArrayPtr& r) {
    r[rowX] += r[rowVx];
    r[rowY] += r[rowVy];
}

void Explosions::freeRow(int row) {
    particles[row][rowState] = -1;
    explosions[row / rowsPerSlot][countField] -= 1;
}

void Explosions::paint() {
    for (int i = 0; i < usedExplosions; ++i)
        if (explosions[i][ageField] >= 0) paintExplosion(i, true);
}

void Explosions::paintExplosion(int slot, bool draw) {
    if (!draw || usedExplosions == 0) return;
    const int base = slot * rowsPerSlot;
    DintArrayPtr flashRow = particles[base];
    if (flashRow[rowState] >= 0 && flashRow[rowState] / 3 < flashFrames) paintFlash(flashRow);
    for (int row = 5; row < rowsPerSlot; ++row) {
        DintArrayPtr r = particles[base + row];
        const int state = r[rowState];
        if (state < 0) continue;
        const int picture = row < 10 ? 0 : state;
        if (picture < sparkImages->length) paintCentred(sparkImages[picture], r[rowX], r[rowY]);
    }
    for (int row = 1; row <= 4; ++row) {
        DintArrayPtr r = particles[base + row];
        const int state = r[rowState];
        if (state >= 0 && state < debrisFrames) paintCentred(debrisImages[state], r[rowX], r[rowY]);
    }
}

// The four quarters of the flash meet at (x, y): the plain picture is the top-left one.
void Explosions::paintFlash(const DintArrayPtr& r) {
    const int state = r[rowState], set = state % 3, frame = state / 3 + 1;
    if (set < 1) return;
    const int x = r[rowX], y = r[rowY];
    const GameImagePtr plain = flashImage(set, frame, 0);
    const int w = plain->width, h = plain->height;
    const int at[4][2] = {{x - w, y - h}, {x - w, y}, {x, y - h}, {x, y}};
    for (int t = 0; t < 4; ++t) {
        const GameImagePtr quarter = flashImage(set, frame, t);
        if (onScreen(at[t][0], at[t][1], quarter->width, quarter->height)) quarter->drawAt(at[t][0], at[t][1]);
    }
}

GameImagePtr Explosions::flashImage(int set, int frame, int turn) {
    return explosionImages[(set - 1) * 28 + turn * flashFrames + frame - 1];
}

void Explosions::paintCentred(const GameImagePtr& image, int x, int y) {
    const int left = x - image->width / 2, top = y - image->height / 2;
    if (onScreen(left, top, image->width, image->height)) image->drawAt(left, top);
}
