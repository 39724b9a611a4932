// Keyboard navigation among a dialog's controls: Tab and Shift+Tab through tab stops, arrows
// within a group, Enter for the default button and Escape for cancel.
#include "platform/system/Sync.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "platform/win/WindowManager.h"

namespace win {

using namespace platform::wm;

namespace {

constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr WORD DC_HASDEFID = 0x534B;

bool Usable(HWND h) { return IsWindowVisible(h) && IsWindowEnabled(h); }

// The child of the dialog (or of a control parent in it) that holds `control`.
HWND DialogChild(HWND dialog, HWND control) {
  for (HWND h = control; h && h != dialog;) {
    Window* w = Find(h);
    if (!w) return nullptr;
    Window* p = w->IsChild() ? Find(w->parent) : nullptr;
    if (!p) return nullptr;
    if (p->handle == dialog || (p->exStyle & WS_EX_CONTROLPARENT)) return h;
    h = p->handle;
  }
  return nullptr;
}

LRESULT DlgCode(HWND h, MSG* msg) {
  return SendMessage(h, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg));
}

void MoveFocus(HWND target) {
  if (!target) return;
  SetFocus(target);
  // Edits select their text when tabbed into, as the platform's dialogs do.
  if (DlgCode(target, nullptr) & DLGC_HASSETSEL) SendMessage(target, 0x00B1 /* EM_SETSEL */, 0, -1);
}

}  // namespace

BOOL IsDialogMessage(HWND dialog, MSG* msg) {
  if (!msg || !Get(dialog)) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  if (msg->message == WM_KEYDOWN) {
    LRESULT code = DlgCode(msg->hwnd, msg);
    if (msg->wParam == static_cast<WPARAM>(VK_TAB) || msg->wParam == static_cast<WPARAM>(VK_LEFT) ||
        msg->wParam == static_cast<WPARAM>(VK_UP) || msg->wParam == static_cast<WPARAM>(VK_RIGHT) ||
        msg->wParam == static_cast<WPARAM>(VK_DOWN))
      SendMessage(dialog, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    if (!(code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))) {
      WPARAM vk = msg->wParam;
      bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
      if (vk == static_cast<WPARAM>(VK_TAB) && !(code & DLGC_WANTTAB)) {
        MoveFocus(GetNextDlgTabItem(dialog, GetFocus(), shift));
        return TRUE;
      }
      if ((vk == static_cast<WPARAM>(VK_LEFT) || vk == static_cast<WPARAM>(VK_UP) || vk == static_cast<WPARAM>(VK_RIGHT) ||
           vk == static_cast<WPARAM>(VK_DOWN)) && !(code & DLGC_WANTARROWS)) {
        bool back = vk == static_cast<WPARAM>(VK_LEFT) || vk == static_cast<WPARAM>(VK_UP);
        HWND next = GetNextDlgGroupItem(dialog, DialogChild(dialog, GetFocus()), back);
        if (next) {
          SetFocus(next);
          // Radio buttons follow the focus within their group.
          if (DlgCode(next, nullptr) & DLGC_RADIOBUTTON) SendMessage(next, 0x00F5 /* BM_CLICK */, 0, 0);
        }
        return TRUE;
      }
      if (vk == static_cast<WPARAM>(VK_RETURN)) {
        LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
        int id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
        HWND button = GetDlgItem(dialog, id);
        if (!button || Usable(button))
          SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), reinterpret_cast<LPARAM>(button));
        return TRUE;
      }
      if (vk == static_cast<WPARAM>(VK_ESCAPE)) {
        HWND button = GetDlgItem(dialog, IDCANCEL);
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), reinterpret_cast<LPARAM>(button));
        return TRUE;
      }
    }
  }
  if (msg->message == WM_CHAR && (msg->wParam == '\t' || msg->wParam == '\r' || msg->wParam == 0x1B)) {
    LRESULT code = DlgCode(msg->hwnd, msg);
    if (!(code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTCHARS))) return TRUE;
  }
  TranslateMessage(msg);
  DispatchMessage(msg);
  return TRUE;
}

}  // namespace win
