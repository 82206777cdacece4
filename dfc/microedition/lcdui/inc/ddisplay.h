#pragma once
#include "dcanvas.h"
#include "ddisplay.ptr"
#include "dmidlet.ptr"

class RenderDisplay;

namespace dfc::microedition::lcdui {

// The one display: which displayable is shown, and the screen it is shown on.
class DDisplay : public lang::DObject {
public:
    // Takes its size from the device's back buffer: 0 x 0 when the device has none to give.
    explicit DDisplay(RenderDisplay* device);
    ~DDisplay() override;

    static DDisplayPtr getDisplay(midlet::DMIDletPtr midlet);
    // Tells the old displayable it is hidden and the new one it is shown; presents nothing.
    void setCurrent(DDisplayablePtr displayable);
    DDisplayablePtr getCurrent() const { return current; }
    // Presents the current canvas of the one display; a frame the device cannot begin is skipped.
    static void flush();

private:
    DDisplayablePtr current;
    RenderDisplay* device;

public:
    int32_t width = 0;
    int32_t height = 0;
};

}  // namespace dfc::microedition::lcdui
