#include "renderdisplay.h"
#include <new>

RenderDisplay* RenderDisplay::create(HWND window, const Parameters& parameters) {
    auto* made = new (std::nothrow) RenderDisplay(parameters);
    if (!made) return nullptr;
    made->display = Display::Create(window, &made->parameters);
    if (!made->display) {
        delete made;
        return nullptr;
    }
    made->parameters = made->display->GetParameters();
    return made;
}

RenderDisplay::~RenderDisplay() {
    backBuffer.attach(nullptr);
    delete display;
}

RenderSurface* RenderDisplay::beginFrame() {
    // The display may hand out another surface each frame, after a resume for one.
    if (display->BeginScene()) backBuffer.attach(display->GetBackBuffer());
    if (!backBuffer.getSurface()) return nullptr;
    RenderContext::setTarget(&backBuffer);
    return &backBuffer;
}

RenderSurface* RenderDisplay::setTarget(RenderSurface* surface) {
    return surface ? RenderContext::setTarget(surface) : beginFrame();
}

void RenderDisplay::endFrame(const RenderRect* rect) {
    if (rect) {
        RECT dirty{rect->left, rect->top, rect->right, rect->bottom};
        display->SetDirtyRect(&dirty);
    }
    display->Swap(0);
    backBuffer.attach(nullptr);
}
