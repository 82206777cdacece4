#include "ddisplay.h"
#include "dmidlet.h"
#include "renderdisplay.h"

namespace dfc::microedition::lcdui {

namespace {
// Not counted: the application and the frame hold the display.
DDisplay* singleton = nullptr;

DCanvas* asCanvas(const DDisplayablePtr& displayable) { return dynamic_cast<DCanvas*>(displayable.get()); }
}  // namespace

DDisplay::DDisplay(RenderDisplay* device) : device(device) {
    // The application first: a display it cannot take must not stay behind as the singleton.
    midlet::DMIDletPtr application = midlet::DMIDlet::getCurrent();
    application->display = this;
    singleton = this;
    if (RenderSurface* backBuffer = device ? device->beginFrame() : nullptr) {
        width = backBuffer->width();
        height = backBuffer->height();
    }
}

DDisplay::~DDisplay() {
    current = nullptr;
    if (singleton == this) singleton = nullptr;
}

DDisplayPtr DDisplay::getDisplay(midlet::DMIDletPtr midlet) { return midlet->display; }

void DDisplay::setCurrent(DDisplayablePtr displayable) {
    if (current) {
        if (DCanvas* canvas = asCanvas(current)) canvas->hideNotify();
        current->shown = false;
    }
    current = displayable;
    if (current) {
        if (DCanvas* canvas = asCanvas(current)) canvas->showNotify();
        current->shown = true;
    }
}

void DDisplay::flush() {
    DCanvas* canvas = singleton ? asCanvas(singleton->current) : nullptr;
    if (!canvas) return;
    RenderDisplay* screen = singleton->device;
    if (!screen || !screen->beginFrame()) return;
    screen->blit(0, 0, *canvas->getBackBuffer());
    screen->endFrame();
}

}  // namespace dfc::microedition::lcdui
