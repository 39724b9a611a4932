// Input from the display turned into window messages, and the state that goes with it:
// activation, focus, capture, the cursor, key states and window regions.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>

#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/RegionHandle.h"
#include "platform/system/Clock.h"
#include "platform/system/Sync.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

struct InputState {
  HWND active = nullptr;
  HWND focus = nullptr;
  HWND capture = nullptr;
  POINT cursor{0, 0};
  BYTE keys[256] = {};
  UINT doubleClickTime = 500;
  // The last button press, for double clicks.
  UINT lastDownMsg = 0;
  HWND lastDownWnd = nullptr;
  DWORD lastDownTime = 0;
  POINT lastDownPt{-100000, -100000};
  bool lastWasDouble = false;
  HCURSOR cursorHandle = nullptr;
  int cursorShowCount = 0;
  // Native focus asked for and not yet confirmed, oldest first. An activation that hands itself
  // on (a menu to its owner, the owner to its form) asks for several in one go, and the desktop
  // confirms each in turn: a late confirmation must not pass for the operator's own change.
  std::deque<platform::SurfaceId> requestedFocus;
  platform::SurfaceId nativeFocus = 0;  // where the desktop last put the native focus
  platform::SurfaceId focusLeft = 0;  // the active window's native focus went, perhaps to another program
  bool activatingByClick = false;
  // TrackMouseEvent
  HWND tracked = nullptr;
  DWORD trackFlags = 0;
  UINT hoverTime = 400;
  std::uint64_t hoverDue = UINT64_MAX;
  RECT hoverRect{};
};

InputState& S() {
  static InputState s;
  static std::uint64_t device = platform::DisplayGeneration();
  // Keys and buttons are held on the display's devices: a display installed afresh holds none, and
  // a press on the one before makes no double click with a press on it. Input that the old display
  // still had queued (a key's release after a modal loop ended on its press) never arrives.
  if (std::uint64_t now = platform::DisplayGeneration(); now != device) {
    device = now;
    std::memset(s.keys, 0, sizeof s.keys);
    s.lastDownMsg = 0;
    s.lastDownWnd = nullptr;
    s.lastDownTime = 0;
    s.lastDownPt = POINT{-100000, -100000};
    s.lastWasDouble = false;
    // Surfaces are the old display's: no focus asked of it is confirmed by the new one.
    s.requestedFocus.clear();
    s.nativeFocus = 0;
  }
  return s;
}

bool Down(int vk) { return (S().keys[vk & 0xFF] & 0x80) != 0; }

WPARAM MouseKeyFlags() {
  WPARAM f = 0;
  if (Down(VK_LBUTTON)) f |= MK_LBUTTON;
  if (Down(VK_RBUTTON)) f |= MK_RBUTTON;
  if (Down(VK_MBUTTON)) f |= MK_MBUTTON;
  if (Down(VK_XBUTTON1)) f |= MK_XBUTTON1;
  if (Down(VK_XBUTTON2)) f |= MK_XBUTTON2;
  if (Down(VK_SHIFT)) f |= MK_SHIFT;
  if (Down(VK_CONTROL)) f |= MK_CONTROL;
  return f;
}

void SetKey(int vk, bool down) {
  BYTE& k = S().keys[vk & 0xFF];
  if (down && !(k & 0x80)) k ^= 0x01;  // toggles on each press
  k = static_cast<BYTE>(down ? (k | 0x80) : (k & ~0x80));
}

void PostInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, std::uint64_t timeMs) {
  MSG m;
  m.hwnd = hwnd;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = static_cast<DWORD>(timeMs ? timeMs : platform::CurrentClock().NowMs());
  m.pt = S().cursor;
  PlaceInputMessage(m);
}

Window* TopOfSurface(platform::SurfaceId id) {
  for (HWND t : TopLevels())
    if (Window* w = Find(t); w && w->store && w->store->surface == id) return w;
  return nullptr;
}

// The window the mouse is over, with its hit-test code.
HWND MouseTarget(POINT pt, LRESULT& hit) { return WindowUnderPoint(pt, &hit); }

UINT ButtonMessage(int button, bool down, bool nc) {
  UINT base;
  switch (button) {
    case platform::kButtonRight: base = WM_RBUTTONDOWN; break;
    case platform::kButtonMiddle: base = WM_MBUTTONDOWN; break;
    case platform::kButtonX1:
    case platform::kButtonX2: base = WM_XBUTTONDOWN; break;
    default: base = WM_LBUTTONDOWN; break;
  }
  UINT msg = down ? base : base + 1;
  if (nc) msg = msg - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN;
  return msg;
}

int ButtonKey(int button) {
  switch (button) {
    case platform::kButtonRight: return VK_RBUTTON;
    case platform::kButtonMiddle: return VK_MBUTTON;
    case platform::kButtonX1: return VK_XBUTTON1;
    case platform::kButtonX2: return VK_XBUTTON2;
    default: return VK_LBUTTON;
  }
}

void PostLeave(InputState& s) {
  HWND h = s.tracked;
  bool nc = (s.trackFlags & TME_NONCLIENT) != 0;
  s.tracked = nullptr;
  s.trackFlags = 0;
  s.hoverDue = UINT64_MAX;
  if (Find(h)) PostMessage(h, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
}

// Leaving the tracked window (or its client area, for client tracking) ends the tracking with
// WM_MOUSELEAVE; moving out of the hover rectangle restarts the hover wait.
void TrackMove(HWND target, LRESULT hit, POINT pt) {
  InputState& s = S();
  if (!s.tracked) return;
  bool nc = (s.trackFlags & TME_NONCLIENT) != 0;
  bool inside = target == s.tracked && (nc ? hit != HTCLIENT : hit == HTCLIENT);
  if (!inside && (s.trackFlags & TME_LEAVE)) {
    PostLeave(s);
    return;
  }
  if (!inside) {
    s.tracked = nullptr;
    s.trackFlags = 0;
    s.hoverDue = UINT64_MAX;
    return;
  }
  if ((s.trackFlags & TME_HOVER) &&
      (pt.x < s.hoverRect.left || pt.x >= s.hoverRect.right || pt.y < s.hoverRect.top || pt.y >= s.hoverRect.bottom)) {
    int hw = 4, hh = 4;
    s.hoverRect = {pt.x - hw / 2, pt.y - hh / 2, pt.x + hw / 2 + 1, pt.y + hh / 2 + 1};
    s.hoverDue = platform::CurrentClock().NowMs() + s.hoverTime;
  }
}

void HandleMouse(const platform::InputEvent& e) {
  InputState& s = S();
  POINT pt{e.x, e.y};
  s.cursor = pt;
  bool isDown = e.kind == platform::InputKind::MouseDown;
  bool isUp = e.kind == platform::InputKind::MouseUp;
  int button = e.button;
  if (GetSystemMetrics(SM_SWAPBUTTON) && (button == platform::kButtonLeft || button == platform::kButtonRight))
    button = button == platform::kButtonLeft ? platform::kButtonRight : platform::kButtonLeft;
  if (isDown || isUp) SetKey(ButtonKey(button), isDown);

  if (e.kind == platform::InputKind::MouseWheel) {
    HWND target = s.focus ? s.focus : s.active;
    if (!target) return;
    WPARAM wp = MAKEWPARAM(static_cast<WORD>(MouseKeyFlags()), static_cast<WORD>(static_cast<SHORT>(e.wheelDelta)));
    PostInput(target, WM_MOUSEWHEEL, wp, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)), e.timeMs);
    return;
  }

  LRESULT hit = HTCLIENT;
  HWND target = s.capture;
  if (!target) target = MouseTarget(pt, hit);
  TrackMove(target, hit, pt);
  if (!target) return;
  Window* w = Find(target);
  if (!w) return;
  UINT mouseMsg = e.kind == platform::InputKind::MouseMove ? WM_MOUSEMOVE : ButtonMessage(button, isDown, false);

  if (!s.capture && w->threadId == GetCurrentThreadId())
    SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(mouseMsg)));
  if (!(w = Find(target))) return;

  if (isDown && !s.capture) {
    Window* top = TopLevelOf(w);
    if (top && top->handle != s.active && !(top->style & WS_DISABLED)) {
      HWND topHandle = top->handle;  // the window may be gone once it has answered
      LRESULT ma = SendMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(topHandle),
                               MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(mouseMsg)));
      if ((ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT) && IsWindow(topHandle)) {
        // An activation by the mouse reports itself as WA_CLICKACTIVE.
        s.activatingByClick = true;
        SetActiveWindow(topHandle);
        s.activatingByClick = false;
      }
      if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT) return;
      if (!(w = Find(target))) return;
    }
    // A press in a document that is not the active one activates it.
    MdiActivateOnClick(target);
    if (!(w = Find(target))) return;
  }
  if (w->style & WS_DISABLED) return;

  bool client = hit == HTCLIENT || s.capture;
  UINT msg = e.kind == platform::InputKind::MouseMove ? (client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE)
                                                       : ButtonMessage(button, isDown, !client);
  if (isDown) {
    // A second press of the same button, soon and close by, is a double click where the class asks.
    bool dblClass = !client || (w->cls->style & CS_DBLCLKS);
    DWORD now = static_cast<DWORD>(e.timeMs ? e.timeMs : platform::CurrentClock().NowMs());
    bool close = std::abs(pt.x - s.lastDownPt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                 std::abs(pt.y - s.lastDownPt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    bool dbl = dblClass && !s.lastWasDouble && s.lastDownMsg == msg && s.lastDownWnd == target &&
               now - s.lastDownTime <= s.doubleClickTime && close;
    s.lastDownMsg = msg;
    s.lastDownWnd = target;
    s.lastDownTime = now;
    s.lastDownPt = pt;
    s.lastWasDouble = dbl;
    if (dbl) msg += 2;  // xBUTTONDOWN + 2 is xBUTTONDBLCLK
  }
  if (client) {
    POINT c = pt;
    ScreenToClient(target, &c);
    WPARAM wp = MouseKeyFlags();
    if (msg >= WM_XBUTTONDOWN && msg <= WM_XBUTTONDBLCLK)
      wp = MAKEWPARAM(static_cast<WORD>(wp), button == platform::kButtonX1 ? 1 : 2);
    PostInput(target, msg, wp, MAKELPARAM(static_cast<WORD>(c.x), static_cast<WORD>(c.y)), e.timeMs);
  } else {
    PostInput(target, msg, static_cast<WPARAM>(hit), MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)), e.timeMs);
  }
}

void HandleKey(const platform::InputEvent& e) {
  bool down = e.kind == platform::InputKind::KeyDown;
  int vk = static_cast<int>(e.vk & 0xFF);
  bool wasDown = Down(vk);
  SetKey(vk, down);
  // The generic modifiers follow their sided keys.
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) SetKey(VK_SHIFT, Down(VK_LSHIFT) || Down(VK_RSHIFT) || down);
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) SetKey(VK_CONTROL, Down(VK_LCONTROL) || Down(VK_RCONTROL) || down);
  if (vk == VK_LMENU || vk == VK_RMENU) SetKey(VK_MENU, Down(VK_LMENU) || Down(VK_RMENU) || down);
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) vk = VK_SHIFT;
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) vk = VK_CONTROL;
  if (vk == VK_LMENU || vk == VK_RMENU) vk = VK_MENU;

  InputState& s = S();
  HWND target = s.focus ? s.focus : s.active;
  if (!target) return;
  bool alt = Down(VK_MENU);
  // Alt chords and F10 are system keys; so is any key when no window has the focus.
  // Alt's own release is a system key too, whatever the key state says by then.
  bool sys = ((alt || vk == VK_MENU) && !Down(VK_CONTROL)) || vk == VK_F10 || !s.focus;
  UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  DWORD lp = 1u | ((e.scanCode & 0xFF) << 16);
  if (e.extended) lp |= 1u << 24;
  if (alt) lp |= 1u << 29;
  if (down ? (wasDown || e.repeat) : true) lp |= 1u << 30;
  if (!down) lp |= 1u << 31;
  PostInput(target, msg, static_cast<WPARAM>(vk), static_cast<LPARAM>(lp), e.timeMs);
}

bool AnyCharacterKeyDown() {
  for (int vk = 0x08; vk < 0x100; ++vk) {
    switch (vk) {
      case VK_SHIFT: case VK_CONTROL: case VK_MENU: case VK_CAPITAL: case VK_NUMLOCK: case VK_SCROLL:
      case VK_LSHIFT: case VK_RSHIFT: case VK_LCONTROL: case VK_RCONTROL: case VK_LMENU: case VK_RMENU:
        continue;
      default:
        if (Down(vk)) return true;
    }
  }
  return false;
}

// Typed text the key messages cannot carry (input methods, other layouts) arrives as WM_CHAR
// with a whole Unicode code point in wParam.
void HandleText(const platform::InputEvent& e) {
  InputState& s = S();
  HWND target = s.focus;
  if (!target) return;
  const std::string& t = e.text;
  // Plain ASCII typed on a key comes through TranslateMessage from the key itself; text that
  // arrives with no key held (pasted by an input method, injected) is delivered here.
  if (t.size() == 1 && static_cast<unsigned char>(t[0]) < 0x80 && AnyCharacterKeyDown()) return;
  for (std::size_t i = 0; i < t.size();) {
    unsigned char c = static_cast<unsigned char>(t[i]);
    std::uint32_t cp;
    std::size_t n;
    if (c < 0x80) { cp = c; n = 1; }
    else if ((c >> 5) == 6) { cp = c & 0x1F; n = 2; }
    else if ((c >> 4) == 14) { cp = c & 0x0F; n = 3; }
    else if ((c >> 3) == 30) { cp = c & 0x07; n = 4; }
    else { ++i; continue; }
    if (i + n > t.size()) break;
    for (std::size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(t[i + k]) & 0x3F);
    i += n;
    PostInput(target, WM_CHAR, cp, 1, e.timeMs);
  }
}

void HandleEvent(const platform::InputEvent& e) {
  using K = platform::InputKind;
  switch (e.kind) {
    case K::MouseMove:
    case K::MouseDown:
    case K::MouseUp:
    case K::MouseWheel:
      HandleMouse(e);
      break;
    case K::KeyDown:
    case K::KeyUp:
      HandleKey(e);
      break;
    case K::Text:
      HandleText(e);
      break;
    case K::CloseRequest:
      if (Window* top = TopOfSurface(e.surface)) PostMessage(top->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case K::Exposed:
      if (Window* top = TopOfSurface(e.surface)) MarkDirty(*top, Region(RECT{0, 0, top->Width(), top->Height()}));
      break;
    case K::FocusIn: {
      // The desktop confirms focus changes we asked for late; only a change we did not ask for
      // (the operator clicked another native window of ours) activates a window.
      InputState& s = S();
      s.focusLeft = 0;
      s.nativeFocus = e.surface;
      std::deque<platform::SurfaceId>& asked = s.requestedFocus;
      // A surface gone meanwhile confirms nothing any more.
      std::erase_if(asked, [](platform::SurfaceId id) { return !TopOfSurface(id); });
      if (auto it = std::find(asked.begin(), asked.end(), e.surface); it != asked.end()) {
        asked.erase(asked.begin(), it + 1);
        break;
      }
      if (!asked.empty()) break;  // passing through on the way to the focus we asked for
      if (Window* top = TopOfSurface(e.surface); top && top->handle != s.active && !(top->style & WS_DISABLED))
        SetActiveWindow(top->handle);
      break;
    }
    case K::FocusOut: {
      // The active window lost the focus we did not move: unless a window of ours takes it among
      // the events at hand, another program has it (PumpDisplay deactivates the application).
      InputState& s = S();
      Window* active = Find(s.active);
      if (s.nativeFocus == e.surface) s.nativeFocus = 0;
      if (s.requestedFocus.empty() && active && TopOfSurface(e.surface) == active) s.focusLeft = e.surface;
      break;
    }
    case K::Moved:
      if (Window* top = TopOfSurface(e.surface); top && (top->rect.left != e.x || top->rect.top != e.y))
        SetWindowPos(top->handle, nullptr, e.x, e.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    case K::Quit:
      PostQuitMessage(0);
      break;
  }
}

}  // namespace

void PumpDisplay(ThreadQueue& q) {
  if (!platform::HasDisplay()) return;
  auto& d = platform::CurrentDisplay();
  platform::InputEvent e;
  // Input becomes messages one event at a time, as it is taken: a window that captures the
  // mouse on a button press gets the moves that follow, as the platform's raw input queue does.
  for (;;) {
    {
      std::lock_guard lock(q.mutex);
      if (!q.input.empty()) return;
    }
    if (!d.Poll(e)) {
      // No window of ours took the focus: the activation went to another program, which the
      // application hears as a deactivation towards no window and WM_ACTIVATEAPP false.
      InputState& s = S();
      if (s.focusLeft) {
        Window* active = Find(s.active);
        const bool stillActive = active && TopOfSurface(s.focusLeft) == active;
        s.focusLeft = 0;
        if (stillActive) win::SetActiveWindow(nullptr);
      }
      return;
    }
    HandleEvent(e);
  }
}

POINT CursorPosition() { return S().cursor; }

std::uint64_t HoverDeadline() { return S().hoverDue; }

void CheckHover() {
  InputState& s = S();
  if (s.hoverDue == UINT64_MAX || platform::CurrentClock().NowMs() < s.hoverDue) return;
  s.hoverDue = UINT64_MAX;
  HWND h = s.tracked;
  Window* w = Find(h);
  if (!w) return;
  // Hover is reported once; the caller tracks again for the next one.
  s.trackFlags &= ~TME_HOVER;
  bool nc = (s.trackFlags & TME_NONCLIENT) != 0;
  POINT c = s.cursor;
  if (!nc) ScreenToClient(h, &c);
  if (!(s.trackFlags & TME_LEAVE)) s.tracked = nullptr;
  PostMessage(h, nc ? WM_NCMOUSEHOVER : WM_MOUSEHOVER, nc ? HTCLIENT : MouseKeyFlags(),
              MAKELPARAM(static_cast<WORD>(c.x), static_cast<WORD>(c.y)));
}

bool WindowRegionHit(const Window& w, POINT p) { return !w.windowRgn || w.windowRgn->Contains(p.x, p.y); }

namespace {

// Another visible, enabled top-level window to take over activation, owner first.
HWND NextToActivate(HWND leaving) {
  Window* w = Find(leaving);
  if (w && w->owner) {
    Window* o = Find(w->owner);
    if (o && o->Visible() && !(o->style & WS_DISABLED)) return o->handle;
  }
  for (HWND t : TopLevels()) {
    if (t == leaving) continue;
    Window* c = Find(t);
    if (c && c->Visible() && !(c->style & (WS_DISABLED | WS_CHILD)) && !(c->exStyle & WS_EX_NOACTIVATE) &&
        !(c->style & WS_MINIMIZE) && c->threadId == GetCurrentThreadId())
      return t;
  }
  return nullptr;
}

bool Contains(HWND ancestor, HWND hwnd) { return hwnd && (hwnd == ancestor || IsChild(ancestor, hwnd)); }

}  // namespace

void OnWindowShown(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return;
  if (!(w->exStyle & WS_EX_NOACTIVATE) && !(w->style & (WS_DISABLED | WS_MINIMIZE | WS_CHILD))) SetActiveWindow(hwnd);
}

void OnWindowHidden(HWND hwnd) {
  InputState& s = S();
  if (Contains(hwnd, s.capture)) ReleaseCapture();
  if (s.active == hwnd) {
    HWND next = NextToActivate(hwnd);
    if (next)
      SetActiveWindow(next);
    else
      SetActiveWindow(nullptr);
  } else if (Contains(hwnd, s.focus)) {
    Window* w = Find(hwnd);
    SetFocus(w && w->IsChild() ? w->parent : nullptr);
  }
}

void OnWindowDisabled(HWND hwnd) {
  InputState& s = S();
  if (Contains(hwnd, s.capture)) ReleaseCapture();
  if (Contains(hwnd, s.focus)) SetFocus(nullptr);
  if (Window* w = Find(hwnd)) CallProc(*w, WM_CANCELMODE, 0, 0);
}

void ForgetWindowInput(HWND hwnd) {
  InputState& s = S();
  if (s.capture == hwnd) s.capture = nullptr;
  if (s.focus == hwnd) s.focus = nullptr;
  if (s.lastDownWnd == hwnd) s.lastDownWnd = nullptr;
  if (s.tracked == hwnd) {
    s.tracked = nullptr;
    s.trackFlags = 0;
    s.hoverDue = UINT64_MAX;
  }
  if (s.active == hwnd) {
    s.active = nullptr;
    HWND next = NextToActivate(hwnd);
    if (next) SetActiveWindow(next);
  }
}

void ApplySurfaceAttributes(Window& w) {
  if (!w.store || !w.store->surface || !platform::HasDisplay()) return;
  auto& d = platform::CurrentDisplay();
  d.SetLayer(w.store->surface, w.layer);
  std::vector<platform::ScreenRect> shape;
  if (w.windowRgn)
    for (const RECT& r : w.windowRgn->Rects()) shape.push_back({r.left, r.top, r.right, r.bottom});
  d.SetShape(w.store->surface, shape);
}

}  // namespace platform::wm

namespace win {

using namespace platform::wm;
using platform::Region;

HWND GetFocus() { return S().focus; }
HWND GetActiveWindow() { return S().active; }
HWND GetForegroundWindow() { return S().active; }
HWND GetCapture() { return S().capture; }

HWND SetActiveWindow(HWND hwnd) {
  InputState& s = S();
  Window* w = hwnd ? Get(hwnd) : nullptr;
  if (hwnd && !w) return nullptr;
  if (w) {
    Window* top = TopLevelOf(w);
    hwnd = top ? top->handle : hwnd;
    w = top;
    // A child-styled window standing on the desktop (detached from its parent) is never active.
    if (w && (w->style & WS_CHILD)) return nullptr;
  }
  HWND old = s.active;
  if (old == hwnd) return old;
  if (Window* o = Find(old)) {
    CallProc(*o, WM_NCACTIVATE, FALSE, 0);
    if ((o = Find(old))) CallProc(*o, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, (o->style & WS_MINIMIZE) ? 1 : 0), reinterpret_cast<LPARAM>(hwnd));
    if (!hwnd && (o = Find(old))) CallProc(*o, WM_ACTIVATEAPP, FALSE, 0);
  }
  s.active = hwnd;
  // The focus moves when the new window takes it in its activation, so that the window losing
  // it hears which one gets it; one left outside the active window is taken away at the end.
  auto settleFocus = [&] {
    if (s.active != hwnd) return;  // a nested activation has settled it
    if (hwnd && !Find(hwnd)) s.active = nullptr;  // destroyed while it was being activated
    if (s.active) {
      if (!Contains(hwnd, s.focus)) SetFocus(hwnd);
    } else if (s.focus) {
      HWND f = s.focus;
      s.focus = nullptr;
      if (Window* fw = Find(f)) CallProc(*fw, WM_KILLFOCUS, 0, 0);
    }
  };
  if (!(w = Find(hwnd))) {
    settleFocus();
    return old;
  }
  if (!old) CallProc(*w, WM_ACTIVATEAPP, TRUE, 0);
  if (!(w = Find(hwnd))) {
    settleFocus();
    return old;
  }
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!(w = Find(hwnd))) {
    settleFocus();
    return old;
  }
  if (w->store && w->store->surface && platform::HasDisplay()) {
    const platform::SurfaceId id = w->store->surface;
    // Asking again for the focus already asked for, or already held, brings no confirmation.
    const platform::SurfaceId expected = s.requestedFocus.empty() ? s.nativeFocus : s.requestedFocus.back();
    if (platform::CurrentDisplay().Activate(id) && id != expected) s.requestedFocus.push_back(id);
  }
  CallProc(*w, WM_NCACTIVATE, TRUE, 0);
  if ((w = Find(hwnd)))
    CallProc(*w, WM_ACTIVATE, MAKEWPARAM(s.activatingByClick ? WA_CLICKACTIVE : WA_ACTIVE, (w->style & WS_MINIMIZE) ? 1 : 0),
             reinterpret_cast<LPARAM>(old));
  settleFocus();
  return old;
}

BOOL SetForegroundWindow(HWND hwnd) {
  if (!Get(hwnd)) return FALSE;
  SetActiveWindow(hwnd);
  return TRUE;
}

HWND SetFocus(HWND hwnd) {
  InputState& s = S();
  HWND old = s.focus;
  if (hwnd) {
    Window* w = Get(hwnd);
    if (!w) return nullptr;
    if (w->threadId != GetCurrentThreadId()) return nullptr;
    if (old == hwnd) return old;
    Window* top = TopLevelOf(w);
    if (top && top->handle != s.active) {
      SetActiveWindow(top->handle);
      if (!Find(hwnd)) return nullptr;
      old = s.focus;
      if (old == hwnd) return old;
    }
  }
  s.focus = hwnd;
  if (Window* o = Find(old)) CallProc(*o, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  // The focus may have moved on while the old window heard of it.
  if (hwnd && s.focus == hwnd) {
    if (Window* w = Find(hwnd)) CallProc(*w, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  }
  return old;
}

HWND SetCapture(HWND hwnd) {
  InputState& s = S();
  HWND old = s.capture;
  if (hwnd && !Get(hwnd)) return nullptr;
  s.capture = hwnd;
  if (old && old != hwnd)
    if (Window* o = Find(old)) CallProc(*o, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return old;
}

BOOL ReleaseCapture() {
  InputState& s = S();
  HWND old = s.capture;
  s.capture = nullptr;
  if (Window* o = Find(old)) CallProc(*o, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

BOOL GetCursorPos(POINT* pt) {
  if (!pt) return FALSE;
  *pt = S().cursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  S().cursor = {x, y};
  if (platform::HasDisplay()) platform::CurrentDisplay().WarpMouse(x, y);
  return TRUE;
}

UINT GetDoubleClickTime() { return S().doubleClickTime; }
BOOL SetDoubleClickTime(UINT ms) {
  S().doubleClickTime = ms ? ms : 500;
  return TRUE;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme) {
  if (!tme || tme->cbSize < sizeof(TRACKMOUSEEVENT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  InputState& s = S();
  if (tme->dwFlags & TME_QUERY) {
    tme->dwFlags = s.tracked ? s.trackFlags : 0;
    tme->hwndTrack = s.tracked;
    tme->dwHoverTime = s.hoverTime;
    return TRUE;
  }
  if (!Get(tme->hwndTrack)) return FALSE;
  if (tme->dwFlags & TME_CANCEL) {
    if (s.tracked == tme->hwndTrack) {
      s.trackFlags &= ~(tme->dwFlags & (TME_HOVER | TME_LEAVE));
      if (!(s.trackFlags & TME_HOVER)) s.hoverDue = UINT64_MAX;
      if (!(s.trackFlags & (TME_HOVER | TME_LEAVE))) s.tracked = nullptr;
    }
    return TRUE;
  }
  // The mouse must be over the window now, or the leave comes at once.
  LRESULT hit = HTNOWHERE;
  HWND under = MouseTarget(s.cursor, hit);
  bool nc = (tme->dwFlags & TME_NONCLIENT) != 0;
  if (s.tracked && s.tracked != tme->hwndTrack && (s.trackFlags & TME_LEAVE)) PostLeave(s);
  s.tracked = tme->hwndTrack;
  s.trackFlags = (s.tracked == tme->hwndTrack ? s.trackFlags : 0) | (tme->dwFlags & (TME_HOVER | TME_LEAVE | TME_NONCLIENT));
  s.hoverTime = tme->dwHoverTime == HOVER_DEFAULT ? 400 : tme->dwHoverTime;
  if (under != tme->hwndTrack || (nc ? hit == HTCLIENT : hit != HTCLIENT)) {
    if (tme->dwFlags & TME_LEAVE) PostLeave(s);
    return TRUE;
  }
  if (tme->dwFlags & TME_HOVER) {
    s.hoverRect = {s.cursor.x - 2, s.cursor.y - 2, s.cursor.x + 3, s.cursor.y + 3};
    s.hoverDue = platform::CurrentClock().NowMs() + s.hoverTime;
  }
  return TRUE;
}

SHORT GetKeyState(int vk) {
  BYTE k = S().keys[vk & 0xFF];
  return static_cast<SHORT>(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int vk) { return static_cast<SHORT>(S().keys[vk & 0xFF] & 0x80 ? 0x8000 : 0); }

BOOL GetKeyboardState(BYTE* state) {
  if (!state) return FALSE;
  std::memcpy(state, S().keys, 256);
  return TRUE;
}

BOOL SetKeyboardState(const BYTE* state) {
  if (!state) return FALSE;
  std::memcpy(S().keys, state, 256);
  return TRUE;
}

int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw) {
  Window* w = Get(hwnd);
  if (!w) return 0;
  if (rgn) {
    Region r;
    if (!platform::gdi::RegionOfHandle(rgn, r)) return 0;
    w->windowRgn = std::make_unique<Region>(r);
    DeleteObject(rgn);  // the window owns the region now
  } else {
    w->windowRgn.reset();
  }
  ApplySurfaceAttributes(*w);
  if (redraw) {
    // What the window no longer covers shows its parent again.
    if ((w->style & WS_CHILD) && w->parent) {
      RECT uncovered = w->rect;
      RedrawWindow(w->parent, &uncovered, nullptr, RDW_INVALIDATE | RDW_ERASE);
    }
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
  }
  return 1;
}

int GetWindowRgn(HWND hwnd, HRGN rgn) {
  Window* w = Get(hwnd);
  if (!w || !w->windowRgn) return 0;  // ERROR
  if (!platform::gdi::SetHandleRegion(rgn, *w->windowRgn)) return 0;
  return w->windowRgn->Rects().size() == 1 ? 2 : 3;
}

}  // namespace win
