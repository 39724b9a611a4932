// Message hooks, layered windows and animation, monitors, system parameters, mouse tracking and
// dialog navigation.
#include "platform/win/Hooks.h"

#include <algorithm>
#include <functional>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>

#include "platform/gdi/Surface.h"
#include "platform/system/Clock.h"
#include "platform/system/Sync.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

std::uint64_t HookOrder(std::uintptr_t hook);

namespace {

struct Hook {
  int id = 0;
  HOOKPROC proc = nullptr;
  DWORD threadId = 0;
};

HandleTable<Hook>& Hooks() {
  static HandleTable<Hook> table(HandleKind::Hook);
  return table;
}

// The hooks of one kind on the calling thread, newest first (the newest runs first).
std::vector<std::uintptr_t> Chain(int id) {
  std::vector<std::pair<std::uintptr_t, Hook*>> all;
  DWORD tid = GetCurrentThreadId();
  Hooks().ForEach([&](std::uintptr_t h, Hook* k) {
    if (k->id == id && k->threadId == tid) all.emplace_back(h, k);
  });
  std::vector<std::uintptr_t> out;
  for (auto it = all.rbegin(); it != all.rend(); ++it) out.push_back(it->first);
  // Slots are reused, so order by installation: the table's slot order is not enough.
  std::sort(out.begin(), out.end(), [](std::uintptr_t a, std::uintptr_t b) { return HookOrder(a) > HookOrder(b); });
  return out;
}

bool g_anyHooks = false;

LRESULT RunChain(int id, int code, WPARAM wParam, LPARAM lParam) {
  auto chain = Chain(id);
  if (chain.empty()) return 0;
  Hook* first = Hooks().Get(chain.front());
  return first ? first->proc(code, wParam, lParam) : 0;
}

LRESULT HookedCall(Window& w, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND h = w.handle;
  if (g_anyHooks && !Chain(WH_CALLWNDPROC).empty()) {
    CWPSTRUCT cwp{lParam, wParam, msg, h};
    RunChain(WH_CALLWNDPROC, HC_ACTION, CurrentQueue().currentSent ? 1 : 0, reinterpret_cast<LPARAM>(&cwp));
    // The hook sees the message; the window gets it as the hook left it.
    msg = cwp.message;
    wParam = cwp.wParam;
    lParam = cwp.lParam;
  }
  // The procedure is read only now, after the hooks: a hook may replace it for this very message
  // (the library's popups swallow one activation message that way).
  Window* again = Find(h);
  if (!again || !again->proc) return 0;
  LRESULT r = again->proc(h, msg, wParam, lParam);
  if (g_anyHooks && !Chain(WH_CALLWNDPROCRET).empty()) {
    CWPRETSTRUCT ret{r, lParam, wParam, msg, h};
    RunChain(WH_CALLWNDPROCRET, HC_ACTION, 0, reinterpret_cast<LPARAM>(&ret));
  }
  return r;
}

}  // namespace

std::uint64_t HookOrder(std::uintptr_t hook) {
  static std::map<std::uintptr_t, std::uint64_t> order;
  static std::uint64_t next = 0;
  auto it = order.find(hook);
  if (it == order.end()) it = order.emplace(hook, ++next).first;
  return it->second;
}

void RunGetMessageHooks(MSG& msg, bool remove) {
  if (!g_anyHooks) return;
  RunChain(WH_GETMESSAGE, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(&msg));
}

bool RunInputHooks(const MSG& msg, bool remove) {
  if (!g_anyHooks) return false;
  int code = remove ? HC_ACTION : HC_NOREMOVE;
  if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
    MOUSEHOOKSTRUCT mh;
    mh.pt = msg.pt;
    mh.hwnd = msg.hwnd;
    mh.wHitTestCode = HTCLIENT;
    return RunChain(WH_MOUSE, code, msg.message, reinterpret_cast<LPARAM>(&mh)) != 0;
  }
  if (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK) {
    MOUSEHOOKSTRUCT mh;
    mh.pt = msg.pt;
    mh.hwnd = msg.hwnd;
    mh.wHitTestCode = static_cast<UINT>(msg.wParam);
    return RunChain(WH_MOUSE, code, msg.message, reinterpret_cast<LPARAM>(&mh)) != 0;
  }
  if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP)
    return RunChain(WH_KEYBOARD, code, msg.wParam, msg.lParam) != 0;
  return false;
}

// Every window procedure call goes through the hooks' door.
LRESULT (*ProcHook)(Window&, UINT, WPARAM, LPARAM) = HookedCall;

// Layered windows: the colour key hides pixels from the eye and from the mouse.
bool SurfaceHit(const Window& top, POINT screenPt) {
  if (!top.layered || !top.layer.useColorKey || !top.store) return true;
  int x = screenPt.x - top.rect.left, y = screenPt.y - top.rect.top;
  if (x < 0 || y < 0 || x >= top.store->width || y >= top.store->height) return true;
  std::uint32_t px = top.store->pixels[static_cast<std::size_t>(y) * top.store->width + x] & 0xFFFFFF;
  return px != (top.layer.colorKey & 0xFFFFFF);
}

}  // namespace platform::wm

namespace win {

using namespace platform::wm;
using platform::Region;

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE, DWORD threadId) {
  if (!proc || (idHook != WH_CALLWNDPROC && idHook != WH_CALLWNDPROCRET && idHook != WH_GETMESSAGE &&
                idHook != WH_MOUSE && idHook != WH_KEYBOARD && idHook != WH_MSGFILTER && idHook != WH_CBT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // Hooks are per thread here; a system-wide request becomes one for the calling thread.
  DWORD tid = threadId ? threadId : GetCurrentThreadId();
  auto h = Hooks().Add(std::make_unique<Hook>(Hook{idHook, proc, tid}));
  HookOrder(h);
  g_anyHooks = true;
  return platform::MakeHandle<HHOOK>(h);
}

namespace {

// The kind of each removed hook: a hook that takes itself out while it runs still passes the
// message on to the hooks installed before it.
std::map<std::uintptr_t, int>& RemovedHookKinds() {
  static std::map<std::uintptr_t, int> kinds;
  return kinds;
}

}  // namespace

BOOL UnhookWindowsHookEx(HHOOK hook) {
  std::unique_ptr<Hook> removed = Hooks().Remove(platform::HandleValue(hook));
  if (!removed) {
    SetLastError(ERROR_INVALID_HOOK_HANDLE);
    return FALSE;
  }
  RemovedHookKinds()[platform::HandleValue(hook)] = removed->id;
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  std::uintptr_t value = platform::HandleValue(hook);
  int id;
  if (Hook* self = Hooks().Get(value)) {
    id = self->id;
  } else {
    auto removed = RemovedHookKinds().find(value);
    if (removed == RemovedHookKinds().end()) return 0;
    id = removed->second;
  }
  // The next hook is the newest one installed before this one, whatever was removed meanwhile.
  std::uint64_t order = HookOrder(value);
  for (std::uintptr_t h : Chain(id)) {
    if (HookOrder(h) >= order) continue;
    Hook* next = Hooks().Get(h);
    return next ? next->proc(code, wParam, lParam) : 0;
  }
  return 0;
}

// ---------------------------------------------------------------------------------------------
// Layered windows and animation

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  if (!(w->exStyle & WS_EX_LAYERED) || w->IsChild()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  w->layered = true;
  w->layer.layered = true;
  w->layer.perPixelAlpha = false;
  w->layer.useAlpha = (flags & LWA_ALPHA) != 0;
  w->layer.alpha = alpha;
  w->layer.useColorKey = (flags & LWA_COLORKEY) != 0;
  // The key is compared with pixels, which hold 0x00RRGGBB.
  w->layer.colorKey = (static_cast<std::uint32_t>(GetRValue(key)) << 16) | (static_cast<std::uint32_t>(GetGValue(key)) << 8) | GetBValue(key);
  ApplySurfaceAttributes(*w);
  return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags) {
  Window* w = Get(hwnd);
  if (!w || !w->layered || w->layer.perPixelAlpha) return FALSE;
  std::uint32_t k = w->layer.colorKey;
  if (key) *key = RGB(static_cast<BYTE>(k >> 16), static_cast<BYTE>(k >> 8), static_cast<BYTE>(k));
  if (alpha) *alpha = w->layer.alpha;
  if (flags) *flags = (w->layer.useAlpha ? LWA_ALPHA : 0) | (w->layer.useColorKey ? LWA_COLORKEY : 0);
  return TRUE;
}

BOOL UpdateLayeredWindow(HWND hwnd, HDC, const POINT* ptDst, const SIZE* size, HDC src, const POINT* ptSrc,
                         COLORREF key, const BLENDFUNCTION* bf, DWORD flags) {
  Window* w = Get(hwnd);
  if (!w || !(w->exStyle & WS_EX_LAYERED) || w->IsChild()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (ptDst || size) {
    int x = ptDst ? ptDst->x : w->rect.left, y = ptDst ? ptDst->y : w->rect.top;
    int cx = size ? size->cx : w->Width(), cy = size ? size->cy : w->Height();
    SetWindowPos(hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (!(w = Find(hwnd))) return FALSE;
  }
  w->layered = true;
  w->layer.layered = true;
  w->layer.useColorKey = (flags & ULW_COLORKEY) != 0;
  w->layer.colorKey = (static_cast<std::uint32_t>(GetRValue(key)) << 16) | (static_cast<std::uint32_t>(GetGValue(key)) << 8) | GetBValue(key);
  w->layer.useAlpha = (flags & ULW_ALPHA) && bf;
  w->layer.alpha = bf ? bf->SourceConstantAlpha : 255;
  w->layer.perPixelAlpha = (flags & ULW_ALPHA) && bf && (bf->AlphaFormat & AC_SRC_ALPHA);
  if (src) {
    EnsureBackingStore(*w);
    platform::PixelBuffer from = platform::gdi::TargetOf(src);
    BackingStore& s = *w->store;
    int sx = ptSrc ? ptSrc->x : 0, sy = ptSrc ? ptSrc->y : 0;
    for (int y = 0; y < s.height; ++y)
      for (int x = 0; x < s.width; ++x)
        if (from.Contains(sx + x, sy + y)) s.pixels[static_cast<std::size_t>(y) * s.width + x] = from.At(sx + x, sy + y);
    MarkDirty(*w, Region(RECT{0, 0, s.width, s.height}));
  }
  ApplySurfaceAttributes(*w);
  return TRUE;
}

namespace {

// Shows or hides a window in steps of 10 ms: `frame` sets the look for a fraction of the way
// (0 to 1 of the window shown), `restore` gives the window back its own look at the end.
BOOL Animate(HWND hwnd, bool hide, UINT showFlags, int steps, const std::function<void(Window&, double)>& frame,
             const std::function<void(Window&)>& restore) {
  Window* w = Find(hwnd);
  frame(*w, hide ? 1.0 : 0.0);
  ApplySurfaceAttributes(*w);
  if (!hide) {
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, showFlags | SWP_SHOWWINDOW);
    UpdateWindow(hwnd);
  }
  for (int i = 1; i <= steps && (w = Find(hwnd)); ++i) {
    double f = static_cast<double>(i) / steps;
    frame(*w, hide ? 1.0 - f : f);
    ApplySurfaceAttributes(*w);
    PresentAll();
    Sleep(10);
  }
  if (!Find(hwnd)) return TRUE;
  if (hide) SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (!(w = Find(hwnd))) return TRUE;
  restore(*w);
  ApplySurfaceAttributes(*w);
  return TRUE;
}

}  // namespace

BOOL AnimateWindow(HWND hwnd, DWORD timeMs, DWORD flags) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  bool hide = (flags & AW_HIDE) != 0;
  if (hide != (w->Visible() != 0)) return FALSE;  // already in the state asked for
  if ((flags & AW_BLEND) && (flags & AW_SLIDE)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (timeMs == 0) timeMs = 200;
  const int steps = std::max<int>(1, static_cast<int>(timeMs / 10));
  UINT showFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | ((flags & AW_ACTIVATE) ? 0 : SWP_NOACTIVATE);
  if (flags & AW_BLEND) {
    bool wasLayered = w->layered;
    platform::LayerAttributes saved = w->layer;
    return Animate(
        hwnd, hide, showFlags, steps,
        [](Window& target, double f) {
          target.layered = true;
          target.layer.layered = true;
          target.layer.useAlpha = true;
          target.layer.alpha = static_cast<BYTE>(255 * f + 0.5);
        },
        [wasLayered, saved](Window& target) {
          target.layered = wasLayered;
          target.layer = saved;
        });
  }
  // Slides and rolls reveal (or cover) the window through a growing (or shrinking) region.
  std::shared_ptr<Region> savedRgn = w->windowRgn ? std::make_shared<Region>(*w->windowRgn) : nullptr;
  return Animate(
      hwnd, hide, showFlags, steps,
      [flags](Window& target, double f) {
        int W = target.Width(), H = target.Height();
        int dx = static_cast<int>(W * f), dy = static_cast<int>(H * f);
        RECT r{0, 0, W, H};
        if (flags & AW_CENTER) {
          r = {(W - dx) / 2, (H - dy) / 2, (W - dx) / 2 + dx, (H - dy) / 2 + dy};
        } else {
          if (flags & AW_HOR_POSITIVE) r.right = dx;
          if (flags & AW_HOR_NEGATIVE) r.left = W - dx;
          if (flags & AW_VER_POSITIVE) r.bottom = dy;
          if (flags & AW_VER_NEGATIVE) r.top = H - dy;
        }
        target.windowRgn = std::make_unique<Region>(r);
      },
      [savedRgn](Window& target) {
        target.windowRgn = savedRgn ? std::make_unique<Region>(*savedRgn) : nullptr;
      });
}

}  // namespace win

namespace platform::wm {

namespace {

// A setting with its Get and Set actions and the value a fresh desktop has. The effects settings
// (and the focus border's) are set through the pointer argument, the older ones through the
// integer argument.
struct Parameter {
  UINT get, set;
  bool boolean, inPointer;
  UINT initial;
};

const Parameter kParameters[] = {
    {SPI_GETBEEP, SPI_SETBEEP, true, false, 1},
    {SPI_GETKEYBOARDSPEED, SPI_SETKEYBOARDSPEED, false, false, 31},
    {SPI_GETKEYBOARDDELAY, SPI_SETKEYBOARDDELAY, false, false, 1},
    {SPI_GETDRAGFULLWINDOWS, SPI_SETDRAGFULLWINDOWS, true, false, 1},
    {SPI_GETFONTSMOOTHING, SPI_SETFONTSMOOTHING, true, false, 0},
    {SPI_GETMOUSEHOVERWIDTH, SPI_SETMOUSEHOVERWIDTH, false, false, 4},
    {SPI_GETMOUSEHOVERHEIGHT, SPI_SETMOUSEHOVERHEIGHT, false, false, 4},
    {SPI_GETMOUSEHOVERTIME, SPI_SETMOUSEHOVERTIME, false, false, 400},
    {SPI_GETWHEELSCROLLLINES, SPI_SETWHEELSCROLLLINES, false, false, 3},
    {SPI_GETMENUSHOWDELAY, SPI_SETMENUSHOWDELAY, false, false, 400},
    {SPI_GETACTIVEWINDOWTRACKING, SPI_SETACTIVEWINDOWTRACKING, true, true, 0},
    {SPI_GETMENUANIMATION, SPI_SETMENUANIMATION, true, true, 1},
    {SPI_GETCOMBOBOXANIMATION, SPI_SETCOMBOBOXANIMATION, true, true, 1},
    {SPI_GETLISTBOXSMOOTHSCROLLING, SPI_SETLISTBOXSMOOTHSCROLLING, true, true, 1},
    {SPI_GETGRADIENTCAPTIONS, SPI_SETGRADIENTCAPTIONS, true, true, 1},
    {SPI_GETKEYBOARDCUES, SPI_SETKEYBOARDCUES, true, true, 0},
    {SPI_GETHOTTRACKING, SPI_SETHOTTRACKING, true, true, 1},
    {SPI_GETMENUFADE, SPI_SETMENUFADE, true, true, 0},
    {SPI_GETSELECTIONFADE, SPI_SETSELECTIONFADE, true, true, 0},
    {SPI_GETTOOLTIPANIMATION, SPI_SETTOOLTIPANIMATION, true, true, 1},
    {SPI_GETTOOLTIPFADE, SPI_SETTOOLTIPFADE, true, true, 0},
    {SPI_GETCURSORSHADOW, SPI_SETCURSORSHADOW, true, true, 0},
    {SPI_GETFLATMENU, SPI_SETFLATMENU, true, true, 0},
    {SPI_GETDROPSHADOW, SPI_SETDROPSHADOW, true, true, 0},
    {SPI_GETUIEFFECTS, SPI_SETUIEFFECTS, true, true, 1},
    {SPI_GETFOCUSBORDERWIDTH, SPI_SETFOCUSBORDERWIDTH, false, true, 1},
    {SPI_GETFOCUSBORDERHEIGHT, SPI_SETFOCUSBORDERHEIGHT, false, true, 1},
};

// Read from worker threads too (menu animation), so kept under a lock.
struct ParameterValues {
  std::mutex mutex;
  std::map<UINT, UINT> set;  // by Get action; absent: the initial value
};

ParameterValues& Values() {
  static ParameterValues values;
  return values;
}

const Parameter* ParameterFor(UINT action) {
  for (const Parameter& p : kParameters)
    if (p.get == action || p.set == action) return &p;
  return nullptr;
}

UINT ParameterValue(const Parameter& p) {
  auto& v = Values();
  std::lock_guard lock(v.mutex);
  auto it = v.set.find(p.get);
  return it != v.set.end() ? it->second : p.initial;
}

void SetParameterValue(const Parameter& p, UINT value) {
  auto& v = Values();
  std::lock_guard lock(v.mutex);
  v.set[p.get] = value;
}

void ResetParameterValues() {
  auto& v = Values();
  std::lock_guard lock(v.mutex);
  v.set.clear();
}

}  // namespace

}  // namespace platform::wm

namespace win {

// ---------------------------------------------------------------------------------------------
// Monitors and system parameters

namespace {

const HMONITOR kPrimary = reinterpret_cast<HMONITOR>(static_cast<UINT_PTR>(0x10001));

RECT ToRect(const platform::ScreenRect& r) { return {r.left, r.top, r.right, r.bottom}; }

bool g_workAreaSet = false;
RECT g_workArea;

RECT WorkArea() { return g_workAreaSet ? g_workArea : ToRect(platform::CurrentDisplay().WorkArea()); }

// Fonts the user (or a test) chose; the others are the classic ones.
struct ChosenFonts {
  std::optional<LOGFONTA> caption, smCaption, menu, status, message, iconTitle;
} g_fonts;

LOGFONTA UiFont(int height, int weight) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = 1;
  std::strcpy(lf.lfFaceName, "Tahoma");
  return lf;
}

}  // namespace

HMONITOR MonitorFromPoint(POINT pt, DWORD flags) {
  RECT s = ToRect(platform::CurrentDisplay().ScreenBounds());
  bool inside = pt.x >= s.left && pt.x < s.right && pt.y >= s.top && pt.y < s.bottom;
  return inside || flags != MONITOR_DEFAULTTONULL ? kPrimary : nullptr;
}

HMONITOR MonitorFromRect(const RECT* rc, DWORD flags) {
  if (!rc) return nullptr;
  RECT s = ToRect(platform::CurrentDisplay().ScreenBounds());
  bool meets = rc->left < s.right && rc->right > s.left && rc->top < s.bottom && rc->bottom > s.top;
  return meets || flags != MONITOR_DEFAULTTONULL ? kPrimary : nullptr;
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags) {
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return flags == MONITOR_DEFAULTTONULL ? nullptr : kPrimary;
  return MonitorFromRect(&r, flags);
}

BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info) {
  if (monitor != kPrimary || !info) return FALSE;
  info->rcMonitor = ToRect(platform::CurrentDisplay().ScreenBounds());
  info->rcWork = WorkArea();
  info->dwFlags = MONITORINFOF_PRIMARY;
  return TRUE;
}

BOOL EnumDisplayMonitors(HDC, const RECT*, MONITORENUMPROC proc, LPARAM data) {
  if (!proc) return FALSE;
  RECT r = ToRect(platform::CurrentDisplay().ScreenBounds());
  proc(kPrimary, nullptr, &r, data);
  return TRUE;
}

BOOL SystemParametersInfo(UINT action, UINT param, void* data, UINT winIni) {
  if (const platform::wm::Parameter* p = platform::wm::ParameterFor(action)) {
    if (action == p->get) {
      if (!data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
      }
      UINT v = platform::wm::ParameterValue(*p);
      if (p->boolean) *static_cast<BOOL*>(data) = v ? TRUE : FALSE;
      else *static_cast<UINT*>(data) = v;
      return TRUE;
    }
    // The effects settings travel in the pointer's place, the older ones in the integer.
    UINT v = p->inPointer ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(data)) : param;
    platform::wm::SetParameterValue(*p, p->boolean ? (v != 0) : v);
  } else {
    switch (action) {
      case SPI_GETWORKAREA:
        if (!data) return FALSE;
        *static_cast<RECT*>(data) = WorkArea();
        return TRUE;
      case SPI_SETWORKAREA:
        if (data) {
          g_workArea = *static_cast<const RECT*>(data);
          g_workAreaSet = true;
        } else {
          g_workAreaSet = false;
        }
        break;
      case SPI_GETNONCLIENTMETRICS: {
        auto* m = static_cast<NONCLIENTMETRICS*>(data);
        if (!m || m->cbSize < sizeof(NONCLIENTMETRICS) || (param && param < sizeof(NONCLIENTMETRICS))) {
          SetLastError(ERROR_INVALID_PARAMETER);
          return FALSE;
        }
        m->iBorderWidth = 1;
        m->iScrollWidth = m->iScrollHeight = GetSystemMetrics(SM_CXVSCROLL);
        m->iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
        m->iCaptionHeight = GetSystemMetrics(SM_CYCAPTION) - 1;
        m->lfCaptionFont = g_fonts.caption.value_or(UiFont(-11, 700));
        m->iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
        m->iSmCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION) - 1;
        m->lfSmCaptionFont = g_fonts.smCaption.value_or(UiFont(-11, 700));
        m->iMenuWidth = GetSystemMetrics(SM_CXMENUSIZE);
        m->iMenuHeight = GetSystemMetrics(SM_CYMENUSIZE);
        m->lfMenuFont = g_fonts.menu.value_or(UiFont(-11, 400));
        m->lfStatusFont = g_fonts.status.value_or(UiFont(-11, 400));
        m->lfMessageFont = g_fonts.message.value_or(UiFont(-11, 400));
        return TRUE;
      }
      case SPI_SETNONCLIENTMETRICS: {
        // The classic sizes are fixed; the fonts are the user's to choose.
        const auto* m = static_cast<const NONCLIENTMETRICS*>(data);
        if (!m || m->cbSize < sizeof(NONCLIENTMETRICS)) {
          SetLastError(ERROR_INVALID_PARAMETER);
          return FALSE;
        }
        g_fonts.caption = m->lfCaptionFont;
        g_fonts.smCaption = m->lfSmCaptionFont;
        g_fonts.menu = m->lfMenuFont;
        g_fonts.status = m->lfStatusFont;
        g_fonts.message = m->lfMessageFont;
        break;
      }
      case SPI_GETICONTITLELOGFONT:
        if (!data) return FALSE;
        *static_cast<LOGFONTA*>(data) = g_fonts.iconTitle.value_or(UiFont(-11, 400));
        return TRUE;
      case SPI_SETICONTITLELOGFONT:
        if (!data) {
          SetLastError(ERROR_INVALID_PARAMETER);
          return FALSE;
        }
        g_fonts.iconTitle = *static_cast<const LOGFONTA*>(data);
        break;
      default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
  }
  // Every top-level window hears of the change, as the platform broadcasts it: the action in
  // wParam.
  if (winIni & SPIF_SENDCHANGE) SendMessage(HWND_BROADCAST, WM_SETTINGCHANGE, action, 0);
  return TRUE;
}

}  // namespace win

namespace platform {

void ResetSystemParameters() {
  wm::ResetParameterValues();
  win::g_fonts = {};
}

}  // namespace platform
