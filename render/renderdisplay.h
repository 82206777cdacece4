#pragma once
#include "ce_types.h"
#include "display.h"
#include "rendercontext.h"

// The renderer's screen: a render context that draws, frame by frame, on the display's
// back buffer.
class RenderDisplay : public RenderContext {
public:
    using Parameters = DisplayParameters;

    // Opens the display on the window; null when it cannot be opened.
    static RenderDisplay* create(HWND window, const Parameters& parameters);
    RenderDisplay(const RenderDisplay&) = delete;
    RenderDisplay& operator=(const RenderDisplay&) = delete;
    ~RenderDisplay();

    // Makes the display's back buffer the target for a frame (clip reset to all of it); null
    // while the display has none to give, as when suspended: skip the frame then.
    RenderSurface* beginFrame();
    // The given surface becomes the target and the previous one is answered; without one,
    // as beginFrame.
    RenderSurface* setTarget(RenderSurface* surface = nullptr);
    // Presents the frame, only the rectangle of it when one is given.
    void endFrame(const RenderRect* rect = nullptr);

    // As the display settled them.
    const Parameters& getParameters() const { return parameters; }

private:
    explicit RenderDisplay(const Parameters& requested) : parameters(requested) {}

    Parameters parameters;
    Display* display = nullptr;
    // Wraps the display's back buffer during a frame; the display owns that surface.
    RenderSurface backBuffer{nullptr};
};
