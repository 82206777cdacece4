#pragma once
#include <memory>
#include "ce_types.h"
#include "display.h"
#include "rendercontext.h"
#include "renderpoint.h"

// The renderer's screen: a render context that draws, frame by frame, on the display's
// back buffer. The program is laid out for screens of 176 x 220 and 240 x 320; on a larger
// display it draws on a stage of the largest of those that fits, shown centred on black.
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

    // As the display settled them; the stage's size where there is one.
    const Parameters& getParameters() const { return parameters; }
    // Where the stage's top-left corner shows on the display; (0, 0) without one. A point
    // on the display less this is the point the program drew there.
    RenderPoint stageOrigin() const { return {stageLeft, stageTop}; }

private:
    explicit RenderDisplay(const Parameters& requested) : parameters(requested) {}

    // The stage for a display larger than the layouts, none for one of a layout's size.
    void stageFor(DWORD width, DWORD height);
    // Copies the stage centred onto the display's back buffer, black around it.
    void showStage();

    Parameters parameters;
    std::unique_ptr<RenderSurface> stage;
    int32_t stageLeft = 0, stageTop = 0;
    Display* display = nullptr;
    // Wraps the display's back buffer during a frame; the display owns that surface.
    RenderSurface backBuffer{nullptr};
};
