#include "ddisplay.h"
#include "dmidlet.h"

namespace dfc::microedition::lcdui {
namespace {
DDisplay* singleton = nullptr;
}

DDisplay::DDisplay(RenderDisplay* device) : device(device) {
    singleton = this;
    midlet::DMIDletPtr midlet = midlet::DMIDlet::getCurrent();
    midlet->display = this;
}

DDisplay::~DDisplay() {
    current = nullptr;
    if (singleton == this) singleton = nullptr;
}

void DDisplay::setCurrent(DDisplayablePtr displayable) {
    if (current) {
        if (auto* canvas = dynamic_cast<DCanvas*>(current.get())) canvas->hideNotify();
        current->shown = false;
    }
    current = displayable;
    if (current) {
        if (auto* canvas = dynamic_cast<DCanvas*>(current.get())) canvas->showNotify();
        current->shown = true;
    }
}

}  // namespace dfc::microedition::lcdui
