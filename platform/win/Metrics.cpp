#include "platform/win/Metrics.h"

#include <map>
#include <mutex>

#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Window.h"

namespace win {
namespace {

std::mutex g_mutex;
std::map<int, int>& Overrides() {
  static std::map<int, int> m;
  return m;
}

}  // namespace

void SetSystemMetricOverride(int index, int value) {
  std::lock_guard lock(g_mutex);
  Overrides()[index] = value;
}

int GetSystemMetrics(int index) {
  {
    std::lock_guard lock(g_mutex);
    auto it = Overrides().find(index);
    if (it != Overrides().end()) return it->second;
  }
  auto screen = [](bool width) {
    platform::ScreenRect r = platform::CurrentDisplay().ScreenBounds();
    return width ? r.Width() : r.Height();
  };
  auto work = [](bool width) {
    platform::ScreenRect r = platform::CurrentDisplay().WorkArea();
    return width ? r.Width() : r.Height();
  };
  switch (index) {
    case SM_CXSCREEN: case SM_CXVIRTUALSCREEN: return screen(true);
    case SM_CYSCREEN: case SM_CYVIRTUALSCREEN: return screen(false);
    case SM_XVIRTUALSCREEN: case SM_YVIRTUALSCREEN: return 0;
    case SM_CXFULLSCREEN: return work(true);
    case SM_CYFULLSCREEN: return work(false) - 19;
    case SM_CXMAXIMIZED: return work(true) + 8;
    case SM_CYMAXIMIZED: return work(false) + 8;
    case SM_CXMAXTRACK: return screen(true) + 12;
    case SM_CYMAXTRACK: return screen(false) + 12;
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL: return 16;
    case SM_CYVTHUMB: case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CYSMCAPTION: return 15;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CXICONSPACING: case SM_CYICONSPACING: return 75;
    case SM_CYMENU: return 19;
    case SM_CXSIZE: return 18;
    case SM_CYSIZE: return 18;
    case SM_CXSMSIZE: return 12;
    case SM_CYSMSIZE: return 14;
    case SM_CXMENUSIZE: case SM_CYMENUSIZE: return 18;
    case SM_CXMENUCHECK: case SM_CYMENUCHECK: return 13;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXMINTRACK: return 112;
    case SM_CYMINTRACK: return 27;
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINIMIZED: return 24;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
    case SM_CXDRAG: case SM_CYDRAG: return 4;
    case SM_CXFOCUSBORDER: case SM_CYFOCUSBORDER: return 1;
    case SM_MOUSEPRESENT: case SM_MOUSEWHEELPRESENT: case SM_CMONITORS: case SM_SAMEDISPLAYFORMAT: return 1;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_DBCSENABLED: return 1;
    case SM_SWAPBUTTON: case SM_DEBUG: case SM_MENUDROPALIGNMENT: case SM_CLEANBOOT: case SM_REMOTESESSION: return 0;
    case SM_CYKANJIWINDOW: return 0;
    default: return 0;
  }
}

BOOL SetSysColors(int count, const INT* elements, const COLORREF* values) {
  if (!platform::SetSchemeColors(count, elements, values)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  SendMessage(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

}  // namespace win
