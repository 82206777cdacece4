#include "renderdisplay.h"
#include <new>

namespace {

struct Layout {
    DWORD width, height;
};
// The screen sizes the shell and the games are laid out for, largest first.
constexpr Layout layouts[] = {{240, 320}, {176, 220}};

}  // namespace

RenderDisplay* RenderDisplay::create(HWND window, const Parameters& parameters) {
    auto* made = new (std::nothrow) RenderDisplay(parameters);
    if (!made) return nullptr;
    made->display = Display::Create(window, &made->parameters);
    if (!made->display) {
        delete made;
        return nullptr;
    }
    made->parameters = made->display->GetParameters();
    made->stageFor(made->parameters.width, made->parameters.height);
    if (made->stage) {
        made->parameters.width = DWORD(made->stage->width());
        made->parameters.height = DWORD(made->stage->height());
    }
    return made;
}

RenderDisplay::~RenderDisplay() {
    backBuffer.attach(nullptr);
    delete display;
}

void RenderDisplay::stageFor(DWORD width, DWORD height) {
    for (const Layout& layout : layouts) {
        if (layout.width == width && layout.height == height) return;
        if (layout.width <= width && layout.height <= height) {
            stage.reset(RenderSurface::create(layout.width, layout.height));
            stageLeft = int32_t(width - layout.width) / 2;
            stageTop = int32_t(height - layout.height) / 2;
            return;
        }
    }
}

RenderSurface* RenderDisplay::beginFrame() {
    // The display may hand out another surface each frame, after a resume for one.
    if (display->BeginScene()) backBuffer.attach(display->GetBackBuffer());
    if (!backBuffer.getSurface()) return nullptr;
    RenderSurface* target = stage ? stage.get() : &backBuffer;
    RenderContext::setTarget(target);
    return target;
}

void RenderDisplay::showStage() {
    RenderContext::setTarget(&backBuffer);
    clear(0x0000);
    blit(stageLeft, stageTop, *stage);
}

RenderSurface* RenderDisplay::setTarget(RenderSurface* surface) {
    return surface ? RenderContext::setTarget(surface) : beginFrame();
}

void RenderDisplay::endFrame(const RenderRect* rect) {
    if (stage) {
        if (backBuffer.getSurface()) showStage();
        rect = nullptr;  // the whole screen was drawn
    }
    if (rect) {
        RECT dirty{rect->left, rect->top, rect->right, rect->bottom};
        display->SetDirtyRect(&dirty);
    }
    display->Swap(0);
    backBuffer.attach(nullptr);
}
