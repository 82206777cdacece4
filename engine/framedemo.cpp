#include "framedemo.h"
#include "ce.h"
#include "dcanvas.h"
#include "ddisplay.h"

namespace {

constexpr int squareSize = 16;

class DemoCanvas : public dfc::microedition::lcdui::DCanvas {
public:
    void keyPressed(int code) override {
        if (code == 37) x -= 4;
        if (code == 39) x += 4;
        if (code == 38) y -= 4;
        if (code == 40) y += 4;
        if (code == 10000 || code == 10001) quit = true;
    }
    void keyRepeated(int code) override { keyPressed(code); }
    void pointerPressed(int px, int py) override { pointerDragged(px, py); }
    void pointerDragged(int px, int py) override {
        x = px - squareSize / 2;
        y = py - squareSize / 2;
    }

    int x = 80;
    int y = 100;
    bool quit = false;
};

}  // namespace

dfc::microedition::midlet::DMIDletPtr FrameDemo::create() { return new FrameDemo(); }

void FrameDemo::startApp() { display->setCurrent(new DemoCanvas()); }

void FrameDemo::tick() {
    auto* canvas = static_cast<DemoCanvas*>(display->getCurrent().get());
    if (canvas->quit) notifyDestroyed();
    HDC dc = GetDC(nullptr);
    RECT all{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HBRUSH ground = CreateSolidBrush(RGB(40, 90, 60));
    HBRUSH square = CreateSolidBrush(RGB(230, 200, 80));
    RECT box{canvas->x, canvas->y, canvas->x + squareSize, canvas->y + squareSize};
    FillRect(dc, &all, ground);
    FillRect(dc, &box, square);
    DeleteObject(ground);
    DeleteObject(square);
    ReleaseDC(nullptr, dc);
    Sleep(25);
}
