#pragma once
#include "dcanvas.h"
#include "ddisplay.ptr"

class RenderDisplay;

namespace dfc::microedition::lcdui {

// The one display: which displayable is shown, and the screen it is shown on.
class DDisplay : public lang::DObject {
public:
    explicit DDisplay(RenderDisplay* device);
    ~DDisplay() override;

    void setCurrent(DDisplayablePtr displayable);
    DDisplayablePtr getCurrent() const { return current; }

private:
    DDisplayablePtr current;
    RenderDisplay* device;

public:
    int32_t width = 0;
    int32_t height = 0;
};

}  // namespace dfc::microedition::lcdui
