#pragma once
#include "dcanvas.ptr"
#include "ddisplayable.h"

namespace dfc::microedition::lcdui {

// A displayable that takes key and stylus events; every event slot does nothing by default.
class DCanvas : public DDisplayable {
public:
    virtual void showNotify() {}
    virtual void pointerPressed(int, int) {}
    virtual void pointerReleased(int, int) {}
    virtual void hideNotify() {}
    virtual void keyPressed(int) {}
    virtual void keyReleased(int) {}
    virtual void keyRepeated(int) {}
    virtual lang::DObjectPtr unusedObject() { return lang::DObjectPtr(); }
    virtual void pointerDragged(int, int) {}
};

}  // namespace dfc::microedition::lcdui
