#include "renderdisplay.h"

RenderDisplay* RenderDisplay::create(HWND window, const Parameters& parameters) {
    if (!window) return nullptr;
    return new RenderDisplay(parameters);
}
