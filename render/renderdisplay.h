#pragma once
#include "ce_types.h"

// The renderer's screen on the program's window.
class RenderDisplay {
public:
    struct Parameters {
        int32_t width;
        int32_t height;
        int32_t orientation;
        int32_t swapEffect;
    };

    // Null when the display cannot be opened.
    static RenderDisplay* create(HWND window, const Parameters& parameters);
    virtual ~RenderDisplay() = default;

    const Parameters& getParameters() const { return parameters; }

private:
    explicit RenderDisplay(const Parameters& p) : parameters(p) {}
    Parameters parameters;
};
