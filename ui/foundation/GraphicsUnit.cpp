#include "ui/foundation/GraphicsUnit.h"

#include "platform/system/Modules.h"
#include "platform/system/Version.h"
#include "platform/win/Window.h"
#include "ui/foundation/Bitmaps.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/ImageDrawing.h"

using namespace win;

namespace {

HMODULE gMsimg32 = nullptr;
TPoint gScreenPixelsPerInch(96, 96);

}  // namespace

void ScreenPixelsPerInch(TPoint& P) { P = gScreenPixelsPerInch; }

void GraphicsUnitStartup() {
  ClearSharedCanvasShutdownMark();
  ClearScratchBitmapShutdownMark();

  gMsimg32 = LoadLibrary("msimg32.dll");
  AlphaBlendEntry = gMsimg32 ? reinterpret_cast<TAlphaBlendFunc>(GetProcAddress(gMsimg32, "AlphaBlend")) : nullptr;

  OSVERSIONINFO version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (GetVersionEx(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion > 5) {
    // Nothing depends on it: a window system without the entry simply goes on scaling as it does.
    if (HMODULE user32 = GetModuleHandle("user32.dll")) {
      using TSetProcessDPIAware = BOOL (*)();
      if (auto setAware = reinterpret_cast<TSetProcessDPIAware>(GetProcAddress(user32, "SetProcessDPIAware")))
        setAware();
    }
  }

  RegisterClasses({TcxBitmap::StaticClass(), TcxBitmap32::StaticClass()});

  if (HDC dc = GetDC(nullptr)) {
    gScreenPixelsPerInch = TPoint(GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY));
    ReleaseDC(nullptr, dc);
  }
}

void GraphicsUnitShutdown() {
  ReleaseSharedCanvases();
  ReleaseScratchBitmaps();
  AlphaBlendEntry = nullptr;
  if (gMsimg32) FreeLibrary(gMsimg32);
  gMsimg32 = nullptr;
}
