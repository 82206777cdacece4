#pragma once
#include "dynamiclibrary.h"

// gx.dll: direct access to the display. Its entry points carry their decorated names.
class GXLibrary : public DynamicLibrary {
public:
    static GXLibrary& Instance();
    GXLibrary();

    // Open, close, begin and end drawing and the display's properties are there.
    bool IsUsable() const;

    GXOpenDisplayProc GXOpenDisplay;
    GXCloseDisplayProc GXCloseDisplay;
    GXBeginDrawProc GXBeginDraw;
    GXEndDrawProc GXEndDraw;
    GXGetDisplayPropertiesProc GXGetDisplayProperties;
    GXSuspendProc GXSuspend;
    GXResumeProc GXResume;
    GXSetViewportProc GXSetViewport;
    GXIsDisplayDRAMBufferProc GXIsDisplayDRAMBuffer;
};
