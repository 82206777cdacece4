#include "gxlibrary.h"
#include "programwide.h"

GXLibrary& GXLibrary::Instance() { return ProgramWide::Get<GXLibrary>(); }

GXLibrary::GXLibrary()
    : DynamicLibrary(u"gx.dll"),
      GXOpenDisplay(Lookup<GXOpenDisplayProc>(u"?GXOpenDisplay@@YAHPAUHWND__@@K@Z")),
      GXCloseDisplay(Lookup<GXCloseDisplayProc>(u"?GXCloseDisplay@@YAHXZ")),
      GXBeginDraw(Lookup<GXBeginDrawProc>(u"?GXBeginDraw@@YAPAXXZ")),
      GXEndDraw(Lookup<GXEndDrawProc>(u"?GXEndDraw@@YAHXZ")),
      GXGetDisplayProperties(
          Lookup<GXGetDisplayPropertiesProc>(u"?GXGetDisplayProperties@@YA?AUGXDisplayProperties@@XZ")),
      GXSuspend(Lookup<GXSuspendProc>(u"?GXSuspend@@YAHXZ")),
      GXResume(Lookup<GXResumeProc>(u"?GXResume@@YAHXZ")),
      GXSetViewport(Lookup<GXSetViewportProc>(u"?GXSetViewport@@YAHKKKK@Z")),
      GXIsDisplayDRAMBuffer(Lookup<GXIsDisplayDRAMBufferProc>(u"?GXIsDisplayDRAMBuffer@@YAHXZ")) {}

bool GXLibrary::IsUsable() const {
    return GXOpenDisplay && GXCloseDisplay && GXBeginDraw && GXEndDraw && GXGetDisplayProperties;
}
