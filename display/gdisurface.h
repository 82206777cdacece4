#pragma once
#include "ce.h"
#include "surface.h"

// A surface over a DIB section, selected into a memory DC that can be blitted to the screen.
class GDISurface : public Surface {
public:
    // Null when GDI refuses any part of it.
    static GDISurface* Create(DWORD width, DWORD height);
    ~GDISurface() override;

    HDC dc = nullptr;

private:
    GDISurface() = default;
    bool IsValid() const { return pixels() && bitmap && dc; }

    HBITMAP bitmap = nullptr;
};
