// Message boxes: a modal window with the text, an icon and the buttons its type asks for, and the
// modal loop the common dialogs share.
#include "platform/win/MessageBox.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/win/ControlsInternal.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Menu.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

constexpr char kDialogClass[] = "#32770";

struct ModalState {
  bool done = false;
  int result = 0;
};

LRESULT DialogFrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // A dialog's own procedure hangs off its user data; this class only gives it a face colour.
  auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(hwnd, 0));
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
    SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    proc = reinterpret_cast<WNDPROC>(cs->lpCreateParams);
  }
  if (proc) return proc(hwnd, msg, wParam, lParam);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace

void EnsureDialogClass() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSEX wc;
  wc.style = CS_DBLCLKS | CS_SAVEBITS;
  wc.lpfnWndProc = DialogFrameProc;
  wc.cbWndExtra = 2 * sizeof(void*);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = kDialogClass;
  RegisterSystemClass(wc);
}

HWND CreateDialogWindow(HWND owner, const std::string& title, int clientW, int clientH, WNDPROC proc, void* data) {
  EnsureDialogClass();
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_CLIPCHILDREN;
  RECT r{0, 0, clientW, clientH};
  AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME);
  int w = r.right - r.left, h = r.bottom - r.top;
  // Centred over the owner, or on the screen, and kept on it.
  platform::ScreenRect wa = platform::HasDisplay() ? platform::CurrentDisplay().WorkArea() : platform::ScreenRect{0, 0, 1024, 768};
  RECT around{wa.left, wa.top, wa.right, wa.bottom};
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
  int x = around.left + (around.right - around.left - w) / 2, y = around.top + (around.bottom - around.top - h) / 2;
  x = std::clamp(x, static_cast<int>(wa.left), std::max(static_cast<int>(wa.left), static_cast<int>(wa.right) - w));
  y = std::clamp(y, static_cast<int>(wa.top), std::max(static_cast<int>(wa.top), static_cast<int>(wa.bottom) - h));
  HWND dlg = CreateWindowEx(WS_EX_DLGMODALFRAME, kDialogClass, title.c_str(), style, x, y, w, h, owner, nullptr, nullptr,
                            reinterpret_cast<void*>(proc));
  if (dlg) SetWindowLongPtr(dlg, static_cast<int>(sizeof(void*)), reinterpret_cast<LONG_PTR>(data));
  return dlg;
}

void* DialogData(HWND dlg) { return reinterpret_cast<void*>(GetWindowLongPtr(dlg, static_cast<int>(sizeof(void*)))); }

namespace {

bool WantsKey(HWND h, WPARAM vk) {
  LRESULT code = SendMessage(h, WM_GETDLGCODE, vk, 0);
  return (code & DLGC_WANTALLKEYS) != 0;
}

HWND DefaultButton(HWND dlg) {
  for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (SendMessage(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return c;
  return nullptr;
}

}  // namespace

// Keys every modal dialog understands: Tab moves the focus, Enter presses the default button,
// Escape cancels. True when the key was taken.
bool DialogKey(HWND dlg, const MSG& msg) {
  if (msg.message == WM_CHAR && (msg.hwnd == dlg || IsChild(dlg, msg.hwnd)) && msg.wParam > 0x20) {
    // A button's mnemonic typed anywhere but in an edit presses it.
    HWND focus = GetFocus();
    if (focus && (SendMessage(focus, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS)) return false;
    char32_t c = static_cast<char32_t>(std::towlower(static_cast<wint_t>(msg.wParam)));
    for (HWND b = GetWindow(dlg, GW_CHILD); b; b = GetWindow(b, GW_HWNDNEXT)) {
      if (!(SendMessage(b, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) || !IsWindowEnabled(b)) continue;
      std::u32string t = Utf8ToCodePoints(GetWindowTextString(b));
      for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        if (t[i] == U'&' && static_cast<char32_t>(std::towlower(static_cast<wint_t>(t[i + 1]))) == c) {
          SendMessage(b, BM_CLICK, 0, 0);
          return true;
        }
      }
    }
    return false;
  }
  if (msg.message != WM_KEYDOWN || (msg.hwnd != dlg && !IsChild(dlg, msg.hwnd))) return false;
  HWND focus = GetFocus();
  switch (msg.wParam) {
    case VK_TAB: {
      if (focus && (SendMessage(focus, WM_GETDLGCODE, msg.wParam, 0) & DLGC_WANTTAB)) return false;
      HWND from = focus;
      while (from && GetParent(from) != dlg) from = GetParent(from);
      HWND next = GetNextDlgTabItem(dlg, from, GetKeyState(VK_SHIFT) < 0);
      if (next) {
        SetFocus(next);
        if (SendMessage(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessage(next, EM_SETSEL, 0, -1);
      }
      return true;
    }
    case VK_RETURN: {
      if (focus && WantsKey(focus, msg.wParam)) return false;
      HWND target = focus && (SendMessage(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) ? focus : DefaultButton(dlg);
      if (target) SendMessage(dlg, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(target)), BN_CLICKED), reinterpret_cast<LPARAM>(target));
      else SendMessage(dlg, WM_COMMAND, IDOK, 0);
      return true;
    }
    case VK_ESCAPE:
      if (focus && WantsKey(focus, msg.wParam)) return false;
      SendMessage(dlg, WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDCANCEL)));
      return true;
    default:
      return false;
  }
}

int RunModal(HWND dlg, HWND owner, bool& done, int& result, HWND initialFocus) {
  // The owner is disabled for as long as the dialog is up, and gets the activation back after.
  bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  ShowWindow(dlg, SW_SHOW);
  SetActiveWindow(dlg);
  if (initialFocus && IsWindow(initialFocus)) SetFocus(initialFocus);
  MSG msg;
  while (!done && IsWindow(dlg)) {
    if (!GetMessage(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (DialogKey(dlg, msg)) continue;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  if (ownerWasEnabled && IsWindow(owner)) EnableWindow(owner, TRUE);
  if (IsWindow(dlg)) {
    if (owner && IsWindow(owner)) SetActiveWindow(owner);
    DestroyWindow(dlg);
  }
  return result;
}

namespace {

struct BoxButton {
  int id;
  const char* zh;
  const char* en;
};

constexpr BoxButton kButtons[] = {
    {IDOK, "确定", "OK"},          {IDCANCEL, "取消", "Cancel"},    {IDABORT, "中止(&A)", "&Abort"},
    {IDRETRY, "重试(&R)", "&Retry"}, {IDIGNORE, "忽略(&I)", "&Ignore"}, {IDYES, "是(&Y)", "&Yes"},
    {IDNO, "否(&N)", "&No"},        {IDHELP, "帮助", "Help"},
};

bool Chinese() {
  for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* v = std::getenv(var);
    if (v && *v) return std::strncmp(v, "zh", 2) == 0;
  }
  return false;
}

const char* ButtonText(int id) {
  bool zh = Chinese();
  for (const BoxButton& b : kButtons)
    if (b.id == id) return zh ? b.zh : b.en;
  return "";
}

std::vector<int> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
  }
}

struct Box {
  std::string text;
  UINT type = 0;
  std::vector<int> buttons;
  RECT textRect;
  bool done = false;
  int result = 0;
};

void DrawIconShape(HDC dc, UINT icon, int x, int y) {
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  auto withBrush = [&](COLORREF c, auto&& draw) {
    HBRUSH b = CreateSolidBrush(c);
    HGDIOBJ old = SelectObject(dc, b);
    draw();
    SelectObject(dc, old);
    DeleteObject(b);
  };
  LOGFONTA lf{};
  lf.lfHeight = -22;
  lf.lfWeight = FW_BOLD;
  std::strcpy(lf.lfFaceName, "Times New Roman");
  HFONT font = CreateFontIndirect(&lf);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  RECT box{x, y, x + 32, y + 32};
  switch (icon) {
    case MB_ICONHAND:
      withBrush(RGB(255, 0, 0), [&] { Ellipse(dc, x + 1, y + 1, x + 31, y + 31); });
      {
        HPEN white = CreatePen(PS_SOLID, 3, RGB(255, 255, 255));
        HGDIOBJ o = SelectObject(dc, white);
        MoveToEx(dc, x + 10, y + 10, nullptr);
        LineTo(dc, x + 22, y + 22);
        MoveToEx(dc, x + 22, y + 10, nullptr);
        LineTo(dc, x + 10, y + 22);
        SelectObject(dc, o);
        DeleteObject(white);
      }
      break;
    case MB_ICONEXCLAMATION: {
      POINT tri[3] = {{x + 16, y + 1}, {x + 31, y + 30}, {x + 1, y + 30}};
      withBrush(RGB(255, 255, 0), [&] { Polygon(dc, tri, 3); });
      SetTextColor(dc, RGB(0, 0, 0));
      RECT t{x, y + 6, x + 32, y + 30};
      DrawText(dc, "!", 1, &t, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
      break;
    }
    case MB_ICONQUESTION:
    case MB_ICONASTERISK:
      withBrush(RGB(255, 255, 255), [&] { Ellipse(dc, x + 1, y + 1, x + 31, y + 31); });
      SetTextColor(dc, RGB(0, 0, 255));
      DrawText(dc, icon == MB_ICONQUESTION ? "?" : "i", 1, &box, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
      break;
    default: break;
  }
  SelectObject(dc, oldFont);
  DeleteObject(font);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

LRESULT BoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* box = static_cast<Box*>(DialogData(hwnd));
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (box) {
        UINT icon = box->type & MB_ICONMASK;
        if (icon) DrawIconShape(dc, icon, 11, 11);
        HGDIOBJ old = SelectObject(dc, DefaultGuiFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        RECT t = box->textRect;
        DrawText(dc, box->text.c_str(), -1, &t, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        SelectObject(dc, old);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_COMMAND: {
      if (!box) return 0;
      int id = LOWORD(wParam);
      // Escape and the close box mean Cancel only where there is one (or a lone OK).
      if (std::find(box->buttons.begin(), box->buttons.end(), id) == box->buttons.end()) {
        if (id != IDCANCEL) return 0;
        if (box->buttons.size() == 1 && box->buttons[0] == IDOK) id = IDOK;
        else return 0;
      }
      box->result = id;
      box->done = true;
      return 0;
    }
    case WM_CLOSE:
      SendMessage(hwnd, WM_COMMAND, IDCANCEL, 0);
      return 0;
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

}  // namespace platform::wm

namespace win {

using namespace platform::wm;

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  Box box;
  box.text = text ? text : "";
  box.type = type;
  box.buttons = ButtonsOf(type);
  // The owner is the top-level window of whatever was passed.
  if (owner) owner = GetAncestor(owner, GA_ROOT);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, DefaultGuiFont());
  platform::ScreenRect wa = platform::HasDisplay() ? platform::CurrentDisplay().WorkArea() : platform::ScreenRect{0, 0, 1024, 768};
  RECT measure{0, 0, std::max(200, (wa.right - wa.left) * 3 / 5), 0};
  DrawText(dc, box.text.c_str(), -1, &measure, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | DT_CALCRECT);
  DeleteDC(dc);
  bool icon = (type & MB_ICONMASK) != 0;
  int textLeft = icon ? 11 + 32 + 12 : 12;
  int textTop = 12;
  int textH = std::max(static_cast<int>(measure.bottom), icon ? 32 : 0);
  int bw = 75, bh = 23, gap = 6;
  int buttonsW = static_cast<int>(box.buttons.size()) * bw + static_cast<int>(box.buttons.size() - 1) * gap;
  int clientW = std::max(textLeft + static_cast<int>(measure.right) + 12, buttonsW + 24);
  int clientH = textTop + textH + 12 + bh + 12;
  int top = icon && measure.bottom < 32 ? textTop + (32 - measure.bottom) / 2 : textTop;
  box.textRect = {textLeft, top, textLeft + measure.right, top + measure.bottom};
  HWND dlg = CreateDialogWindow(owner, caption ? caption : "Error", clientW, clientH, BoxProc, &box);
  if (!dlg) return 0;
  int defIndex = (type & MB_DEFMASK) == MB_DEFBUTTON2 ? 1 : (type & MB_DEFMASK) == MB_DEFBUTTON3 ? 2 : 0;
  if (defIndex >= static_cast<int>(box.buttons.size())) defIndex = 0;
  int x = (clientW - buttonsW) / 2;
  HWND focus = nullptr;
  for (std::size_t i = 0; i < box.buttons.size(); ++i) {
    int id = box.buttons[i];
    bool def = static_cast<int>(i) == defIndex;
    HWND b = CreateWindowEx(0, "Button", ButtonText(id), WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
                                                           (def ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                            x, clientH - 12 - bh, bw, bh, dlg, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessage(b, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultGuiFont()), FALSE);
    // Dialog order is the order of the buttons.
    SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (def) focus = b;
    x += bw + gap;
  }
  // Without a Cancel button the close box has nothing to do.
  bool canCancel = std::find(box.buttons.begin(), box.buttons.end(), IDCANCEL) != box.buttons.end() ||
                   (box.buttons.size() == 1 && box.buttons[0] == IDOK);
  if (!canCancel) {
    if (HMENU sys = GetSystemMenu(dlg, FALSE)) EnableMenuItem(sys, static_cast<UINT>(SC_CLOSE), MF_BYCOMMAND | MF_GRAYED);
  }
  if (type & MB_ICONMASK) MessageBeep(type & MB_ICONMASK);
  return RunModal(dlg, owner, box.done, box.result, focus);
}

}  // namespace win
