// What DefWindowProc does with system commands, cursors, non-client mouse and system keys.
#include <map>
#include <mutex>

#include "platform/system/HandleTable.h"
#include "platform/system/Resources.h"
#include "platform/system/Sync.h"
#include "platform/win/CursorFile.h"
#include "platform/win/Metrics.h"
#include "platform/win/Focus.h"
#include "platform/win/ControlsInternal.h"
#include "platform/win/Help.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

struct CursorObj {
  platform::CursorShape shape = platform::CursorShape::Arrow;
  std::shared_ptr<const platform::CursorImage> image;  // a cursor of the program's resources
};

HandleTable<CursorObj>& Cursors() {
  static HandleTable<CursorObj> table(HandleKind::Cursor);
  return table;
}

HCURSOR StandardCursor(platform::CursorShape shape) {
  static HCURSOR cache[16] = {};
  auto i = static_cast<std::size_t>(shape);
  if (!cache[i]) cache[i] = MakeHandle<HCURSOR>(Cursors().Add(std::make_unique<CursorObj>(CursorObj{shape, nullptr})));
  return cache[i];
}

// Cursors loaded from resources are shared, as the platform's are: loading one again gives the
// same handle, and destroying it does nothing.
HCURSOR ResourceCursor(LPCSTR name) {
  static std::mutex mutex;
  static std::map<std::string, HCURSOR> loaded;
  const std::string key = platform::ResourceKey(name);
  std::lock_guard lock(mutex);
  if (auto it = loaded.find(key); it != loaded.end()) return it->second;
  HRSRC res = FindResource(nullptr, name, RT_CURSOR);
  if (!res) return nullptr;  // FindResource said why
  auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, res)));
  auto image = DecodeCursorFile(bytes, SizeofResource(nullptr, res), GetSystemMetrics(SM_CXCURSOR));
  if (!image) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  auto obj = std::make_unique<CursorObj>();
  obj->shape = platform::CursorShape::Image;
  obj->image = std::move(image);
  HCURSOR h = MakeHandle<HCURSOR>(Cursors().Add(std::move(obj)));
  loaded.emplace(key, h);
  return h;
}

HCURSOR g_cursor = nullptr;

}  // namespace

LRESULT DefSysCommand(Window& w, WPARAM wParam, LPARAM lParam) {
  HWND h = w.handle;
  switch (wParam & 0xFFF0) {
    case SC_CLOSE:
      if (!(w.cls->style & CS_NOCLOSE)) SendMessage(h, WM_CLOSE, 0, 0);
      return 0;
    case SC_MINIMIZE: ShowWindow(h, SW_MINIMIZE); return 0;
    case SC_MAXIMIZE: ShowWindow(h, SW_MAXIMIZE); return 0;
    case SC_RESTORE:
      // A minimized window may refuse to open.
      if ((w.style & WS_MINIMIZE) && !SendMessage(h, WM_QUERYOPEN, 0, 0)) return 0;
      ShowWindow(h, SW_RESTORE);
      return 0;
    case SC_MOVE:
    case SC_SIZE:
      return SizeMoveLoop ? SizeMoveLoop(w, wParam, lParam) : 0;
    case SC_KEYMENU:
      return KeyMenu ? KeyMenu(w, wParam, lParam) : 0;
    default: return 0;
  }
}

LRESULT (*KeyMenu)(Window&, WPARAM, LPARAM) = nullptr;

LRESULT DefSetCursor(Window& w, WPARAM wParam, LPARAM lParam) {
  // A child's parent may choose the cursor first.
  if (w.IsChild() && SendMessage(w.parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
  using platform::CursorShape;
  CursorShape shape = CursorShape::Arrow;
  switch (static_cast<SHORT>(LOWORD(lParam))) {
    case HTCLIENT:
      if (reinterpret_cast<HWND>(wParam) == w.handle && w.cls->cursor) {
        SetCursor(w.cls->cursor);
        return TRUE;
      }
      if (reinterpret_cast<HWND>(wParam) == w.handle) return FALSE;
      break;
    case HTLEFT: case HTRIGHT: shape = CursorShape::SizeWE; break;
    case HTTOP: case HTBOTTOM: shape = CursorShape::SizeNS; break;
    case HTTOPLEFT: case HTBOTTOMRIGHT: shape = CursorShape::SizeNWSE; break;
    case HTTOPRIGHT: case HTBOTTOMLEFT: shape = CursorShape::SizeNESW; break;
    case HTERROR:
      if (HIWORD(lParam) == WM_LBUTTONDOWN) MessageBeep(0);
      break;
    default: break;
  }
  SetCursor(StandardCursor(shape));
  return FALSE;
}

LRESULT DefNonClientMouse(Window& w, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND h = w.handle;
  LRESULT hit = static_cast<LRESULT>(wParam);
  switch (msg) {
    case WM_NCLBUTTONDOWN:
      switch (hit) {
        case HTCAPTION: SendMessage(h, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, lParam); break;
        case HTLEFT: case HTRIGHT: case HTTOP: case HTTOPLEFT: case HTTOPRIGHT: case HTBOTTOM: case HTBOTTOMLEFT:
        case HTBOTTOMRIGHT: {
          // A child that is no sizable window itself (a status bar's size grip) sizes the
          // top-level window it lies in.
          HWND sized = h;
          if (w.IsChild() && !(w.style & WS_THICKFRAME)) {
            sized = GetAncestor(h, GA_ROOT);
            if (!sized || !(GetWindowLong(sized, GWL_STYLE) & WS_THICKFRAME) || IsZoomed(sized)) break;
          }
          SendMessage(sized, WM_SYSCOMMAND, SC_SIZE + static_cast<WPARAM>(hit - HTLEFT + 1), lParam);
          break;
        }
        case HTCLOSE: case HTMAXBUTTON: case HTMINBUTTON:
          if (CaptionButtonLoop) CaptionButtonLoop(w, hit);
          break;
        case HTMENU: case HTSYSMENU:
          TrackMenuBarClick(h, hit, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
          break;
        case HTVSCROLL: case HTHSCROLL:
          TrackNonClientScroll(h, hit == HTVSCROLL ? 1 : 0, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
          break;
        default: break;
      }
      return 0;
    case WM_NCLBUTTONDBLCLK:
      if (hit == HTCAPTION && (w.style & WS_MAXIMIZEBOX))
        SendMessage(h, WM_SYSCOMMAND, (w.style & (WS_MAXIMIZE | WS_MINIMIZE)) ? SC_RESTORE : SC_MAXIMIZE, lParam);
      else if (hit == HTSYSMENU && (w.style & WS_SYSMENU))
        SendMessage(h, WM_SYSCOMMAND, SC_CLOSE, lParam);
      return 0;
    case WM_NCRBUTTONUP:
      if (hit == HTCAPTION) SendMessage(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), lParam);
      return 0;
    default: return 0;
  }
}


namespace {

WORD ApplyUiAction(WORD state, WORD action, WORD flags) {
  // A user who asked for the cues always (SPI_SETKEYBOARDCUES) never has them hidden.
  BOOL always = FALSE;
  SystemParametersInfo(SPI_GETKEYBOARDCUES, 0, &always, 0);
  if (always) flags = static_cast<WORD>(flags & ~(UISF_HIDEFOCUS | UISF_HIDEACCEL));
  // The class library initializes to hidden; the cues show once the keyboard is used.
  if (action == UIS_SET || action == UIS_INITIALIZE) return static_cast<WORD>(state | flags);
  if (action == UIS_CLEAR) return static_cast<WORD>(state & ~flags);
  return state;
}

}  // namespace

LRESULT DefUiState(Window& w, UINT msg, WPARAM wParam, LPARAM) {
  const WORD action = LOWORD(wParam);
  const WORD flags = static_cast<WORD>(HIWORD(wParam) & (UISF_HIDEFOCUS | UISF_HIDEACCEL | UISF_ACTIVE));
  switch (msg) {
    case WM_QUERYUISTATE: return w.uiState;
    case WM_CHANGEUISTATE:
      if (action < UIS_SET || action > UIS_INITIALIZE) return 0;
      // A child asks its top-level window, which tells the whole tree when something changes.
      if (w.IsChild()) return SendMessage(w.parent, WM_CHANGEUISTATE, wParam, 0);
      if (ApplyUiAction(w.uiState, action, flags) != w.uiState || action == UIS_INITIALIZE)
        SendMessage(w.handle, WM_UPDATEUISTATE, wParam, 0);
      return 0;
    case WM_UPDATEUISTATE: {
      if (action < UIS_SET || action > UIS_INITIALIZE) return 0;
      w.uiState = ApplyUiAction(w.uiState, action, flags);
      std::vector<HWND> children = w.children;
      for (HWND c : children)
        if (IsWindow(c)) SendMessage(c, WM_UPDATEUISTATE, wParam, 0);
      return 0;
    }
    default: return 0;
  }
}

LRESULT DefKeyboard(Window& w, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND h = w.handle;
  // Moving about with the keyboard, or Alt, brings the focus frames and underlines back.
  if ((msg == WM_KEYDOWN && (wParam == VK_TAB || wParam == VK_LEFT || wParam == VK_RIGHT || wParam == VK_UP ||
                             wParam == VK_DOWN)) ||
      (msg == WM_SYSKEYDOWN && wParam == VK_MENU)) {
    if (w.uiState & (UISF_HIDEFOCUS | UISF_HIDEACCEL))
      SendMessage(h, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
  }
  // The menu key and Shift+F10 ask for the context menu, with no point (-1, -1).
  if ((msg == WM_KEYUP && wParam == VK_APPS) || (msg == WM_SYSKEYDOWN && wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000))) {
    SendMessage(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), static_cast<LPARAM>(-1));
    return 0;
  }
  // F1 asks for help about the window that has the keyboard.
  if (msg == WM_KEYF1) {
    HELPINFO info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = w.IsChild() ? static_cast<int>(w.id) : 0;
    info.hItemHandle = h;
    info.dwContextId = GetWindowContextHelpId(h);
    GetCursorPos(&info.MousePos);
    SendMessage(h, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    return 0;
  }
  if (msg == WM_SYSKEYDOWN && wParam == VK_F4 && (lParam & (1 << 29))) {
    // Alt+F4 closes the top-level window.
    Window* top = TopLevelOf(&w);
    if (top) PostMessage(top->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  // Alt enters the menu only when released without another key in between (Alt+F4, a mnemonic).
  static bool altAlone = false;
  if (msg == WM_SYSKEYDOWN || msg == WM_KEYDOWN) altAlone = msg == WM_SYSKEYDOWN && wParam == VK_MENU;
  if (msg == WM_SYSKEYUP && (wParam == VK_F10 || (wParam == VK_MENU && altAlone))) {
    altAlone = false;
    Window* top = TopLevelOf(&w);
    if (top) SendMessage(top->handle, WM_SYSCOMMAND, SC_KEYMENU, 0);
    return 0;
  }
  if (msg == WM_SYSCHAR && w.IsChild()) return SendMessage(w.parent, msg, wParam, lParam);
  // Alt and a letter open the menu that has it as its mnemonic.
  if (msg == WM_SYSCHAR && (lParam & (1 << 29))) return SendMessage(h, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam));
  (void)h;
  return 0;
}

void (*HideCaretHook)(HWND, bool) = nullptr;
void HideCaretForPaint(HWND hwnd, bool hide) {
  if (HideCaretHook) HideCaretHook(hwnd, hide);
}

void ForgetWindow(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return;
  ForgetWindowTimers(hwnd, w->threadId);
  ForgetWindowInput(hwnd);
  ForgetWindowPaint(hwnd);
  ForgetScrollBars(hwnd);
  ForgetCaret(hwnd);
  ForgetMenus(hwnd);
}

static std::atomic<bool> g_systemClassesDone{false};
void (*SystemClassRegistrar)() = nullptr;

void RegisterSystemClasses() {
  if (g_systemClassesDone.exchange(true)) return;
  EnsureStandardClasses();
  if (SystemClassRegistrar) SystemClassRegistrar();
}

}  // namespace platform::wm

namespace win {

using namespace platform::wm;
using platform::Region;

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) {
  using platform::CursorShape;
  if (!name) return nullptr;
  // A module's cursors come from the program's resources; no module means the system's own.
  if (instance) return ResourceCursor(name);
  auto id = reinterpret_cast<UINT_PTR>(name);
  if ((id >> 16) != 0) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  switch (id) {
    case 32512: return StandardCursor(CursorShape::Arrow);
    case 32513: return StandardCursor(CursorShape::IBeam);
    case 32514: return StandardCursor(CursorShape::Wait);
    case 32515: return StandardCursor(CursorShape::Cross);
    case 32516: return StandardCursor(CursorShape::UpArrow);
    case 32642: return StandardCursor(CursorShape::SizeNWSE);
    case 32643: return StandardCursor(CursorShape::SizeNESW);
    case 32644: return StandardCursor(CursorShape::SizeWE);
    case 32645: return StandardCursor(CursorShape::SizeNS);
    case 32646: return StandardCursor(CursorShape::SizeAll);
    case 32648: return StandardCursor(CursorShape::No);
    case 32649: return StandardCursor(CursorShape::Hand);
    case 32650: return StandardCursor(CursorShape::AppStarting);
    case 32651: return StandardCursor(CursorShape::Help);
    default: return nullptr;
  }
}

BOOL DestroyCursor(HCURSOR) { return TRUE; }

HCURSOR SetCursor(HCURSOR cursor) {
  HCURSOR old = g_cursor;
  g_cursor = cursor;
  if (platform::HasDisplay()) {
    CursorObj* c = Cursors().Get(platform::HandleValue(cursor));
    if (c && c->image) platform::CurrentDisplay().SetCursorImage(c->image);
    else platform::CurrentDisplay().SetCursor(!cursor ? platform::CursorShape::Hidden : c ? c->shape : platform::CursorShape::Arrow);
  }
  return old;
}

HCURSOR GetCursor() { return g_cursor; }

int ShowCursor(BOOL show) {
  static int count = 0;
  count += show ? 1 : -1;
  if (platform::HasDisplay() && count < 0) platform::CurrentDisplay().SetCursor(platform::CursorShape::Hidden);
  return count;
}

BOOL MessageBeep(UINT type) {
  if (platform::HasDisplay()) platform::CurrentDisplay().Beep(platform::BeepSound{type, 880, 150});
  return TRUE;
}

BOOL Beep(DWORD frequency, DWORD durationMs) {
  if (platform::HasDisplay())
    platform::CurrentDisplay().Beep(platform::BeepSound{platform::BeepSound::kToneBeep, frequency, durationMs});
  return TRUE;
}

}  // namespace win
