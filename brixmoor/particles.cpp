#include "particles.h"
#include "dgraphics.h"
#include "gamelib.h"
#include "screencanvas.h"

using dfc::lang::DintArrayPtr;
using dfc::microedition::lcdui::DGraphicsPtr;

namespace {

constexpr int lifetime = 50;
constexpr int chipLifetime = 24;

}  // namespace

void Particles::spawn(int number, int kind, int atX, int atY, int colour) {
    for (int i = 0; i < count && number > 0; ++i) {
        DintArrayPtr row = rows[i];
        if (row[kindField] != freeRow) continue;
        row[kindField] = kind;
        row[xField] = atX * 65536;
        row[yField] = atY * 65536;
        row[ageField] = 0;
        row[colourField] = colour;
        // Signed remainders: -6 to 6 quarter pixels a frame either way.
        row[xSpeedField] = (GameLib::sharedRandom->nextInt() % 7) * 0x4000;
        row[ySpeedField] = (GameLib::sharedRandom->nextInt() % 7) * 0x4000;
        --number;
    }
}

void Particles::step() {
    const int64_t right = int64_t(ScreenCanvas::screenWidth) * 65536,
                  bottom = int64_t(ScreenCanvas::screenHeight) * 65536;
    for (int i = 0; i < count; ++i) {
        DintArrayPtr row = rows[i];
        if (row[kindField] == freeRow) continue;
        if (row[xField] < 0 || row[xField] >= right || row[yField] >= bottom) {
            row[kindField] = freeRow;
            continue;
        }
        row[xField] += row[xSpeedField];
        row[yField] += row[ySpeedField];
        row[ySpeedField] += 0x2000;
        row[ageField] += 1;
        if (row[ageField] >= lifetime || (row[kindField] == chip && row[ageField] > chipLifetime))
            row[kindField] = freeRow;
    }
}

void Particles::paint() {
    const DGraphicsPtr& g = ScreenCanvas::screenGraphics;
    for (int i = 0; i < count; ++i) {
        DintArrayPtr row = rows[i];
        const int kind = row[kindField];
        if (kind == freeRow) continue;
        const int left = lifetime - row[ageField];
        const int c = left * 255 / lifetime;
        const int px = row[xField] >> 16, py = row[yField] >> 16;
        if (kind == fireSpark || kind == spark) {
            g->setColorRGB(c, c, kind == spark ? c : 0);
            g->drawLine(px, py, px, py);
        } else if (kind == chip) {
            const int colour = chipColour(row[colourField]);
            if (colour < 0) continue;
            g->setColorRGB(((colour >> 16) & 0xFF) * left / lifetime, ((colour >> 8) & 0xFF) * left / lifetime,
                           (colour & 0xFF) * left / lifetime);
            g->fillRect(px, py, 1, 1);
        }
    }
}

void Particles::clear() {
    for (int i = 0; i < count; ++i) rows[i][kindField] = freeRow;
}

int Particles::chipColour(int brickKind) {
    switch (brickKind) {
        case 1:
        case 2: return 0xFF3AB2;
        case 4: return 0x49BDFF;
        case 6: return 0xEB4A06;
        case 7: return 0x44FF0F;
        case 8: return 0xFF58E6;
        case 9: return 0xFFFFFF;
        default: return -1;
    }
}
