// The BUTTON class: push buttons, check boxes (two- and three-state), radio buttons, group boxes
// and owner-drawn buttons, in the classic look.
#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/win/ControlsInternal.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/Rects.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

constexpr int kBoxSize = 13;

struct Button {
  HWND hwnd = nullptr;
  LRESULT check = BST_UNCHECKED;
  bool pushed = false;   // drawn pressed
  bool focused = false;
  bool tracking = false; // mouse captured after a press
  bool spaceDown = false;
  HFONT font = nullptr;
  HANDLE image = nullptr;
  UINT imageType = IMAGE_BITMAP;

  DWORD Style() const { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }
  DWORD Type() const { return Style() & BS_TYPEMASK; }
  bool IsPush() const {
    DWORD t = Type();
    return t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON || t == BS_PUSHBOX || t == BS_USERBUTTON || (IsCheckLike() && (Style() & BS_PUSHLIKE));
  }
  bool IsCheckLike() const {
    DWORD t = Type();
    return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE || t == BS_RADIOBUTTON ||
           t == BS_AUTORADIOBUTTON;
  }
  bool IsRadio() const { return Type() == BS_RADIOBUTTON || Type() == BS_AUTORADIOBUTTON; }
};

Button* ButtonOf(HWND hwnd) { return ControlState<Button>(hwnd); }

void Redraw(Button& b) { InvalidateRect(b.hwnd, nullptr, FALSE); }

// The other radio buttons of a group: the siblings between WS_GROUP marks.
std::vector<HWND> GroupOf(HWND hwnd) {
  std::vector<HWND> out;
  HWND parent = GetParent(hwnd);
  if (!parent) return {hwnd};
  std::vector<HWND> kids;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) kids.push_back(c);
  std::size_t at = std::find(kids.begin(), kids.end(), hwnd) - kids.begin();
  if (at == kids.size()) return {hwnd};
  std::size_t start = at;
  while (start > 0 && !(GetWindowLong(kids[start], GWL_STYLE) & WS_GROUP)) --start;
  std::size_t end = at + 1;
  while (end < kids.size() && !(GetWindowLong(kids[end], GWL_STYLE) & WS_GROUP)) ++end;
  return {kids.begin() + static_cast<std::ptrdiff_t>(start), kids.begin() + static_cast<std::ptrdiff_t>(end)};
}

bool IsAutoRadio(HWND h) {
  return GetClassNameString(h) == "Button" && (GetWindowLong(h, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

void SetCheck(Button& b, LRESULT check) {
  DWORD t = b.Type();
  if (!b.IsCheckLike()) return;
  if (check == BST_INDETERMINATE && t != BS_3STATE && t != BS_AUTO3STATE) check = BST_CHECKED;
  if (check != BST_CHECKED && check != BST_INDETERMINATE) check = BST_UNCHECKED;
  if (b.check == check) return;
  b.check = check;
  // A checked radio button is the one a Tab lands on.
  if (b.IsRadio()) {
    DWORD s = b.Style();
    SetWindowLong(b.hwnd, GWL_STYLE, static_cast<LONG>(check ? s | WS_TABSTOP : s & ~WS_TABSTOP));
  }
  Redraw(b);
}

void Clicked(HWND hwnd) {
  Button* b = ButtonOf(hwnd);
  if (!b) return;
  switch (b->Type()) {
    case BS_AUTOCHECKBOX: SetCheck(*b, b->check ? BST_UNCHECKED : BST_CHECKED); break;
    case BS_AUTO3STATE:
      SetCheck(*b, b->check == BST_UNCHECKED ? BST_CHECKED : b->check == BST_CHECKED ? BST_INDETERMINATE : BST_UNCHECKED);
      break;
    case BS_AUTORADIOBUTTON:
      // One checked in the group: this one.
      for (HWND other : GroupOf(hwnd))
        if (other != hwnd && IsAutoRadio(other)) SendMessage(other, BM_SETCHECK, BST_UNCHECKED, 0);
      if ((b = ButtonOf(hwnd))) SetCheck(*b, BST_CHECKED);
      break;
    default: break;
  }
  if (IsWindow(hwnd)) NotifyParent(hwnd, BN_CLICKED);
}

void SetPushed(Button& b, bool pushed) {
  if (b.pushed == pushed) return;
  b.pushed = pushed;
  Redraw(b);
  if (b.Style() & BS_NOTIFY) NotifyParent(b.hwnd, pushed ? BN_HILITE : BN_UNHILITE);
}

UINT TextFormat(const Button& b, bool push) {
  DWORD s = b.Style();
  UINT fmt = (s & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  DWORD h = s & BS_CENTER;
  if (h == BS_LEFT) fmt |= DT_LEFT;
  else if (h == BS_RIGHT) fmt |= DT_RIGHT;
  else if (h == BS_CENTER || (h == 0 && push)) fmt |= DT_CENTER;
  DWORD v = s & BS_VCENTER;
  if (!(s & BS_MULTILINE)) {
    if (v == BS_TOP) fmt |= DT_TOP;
    else if (v == BS_BOTTOM) fmt |= DT_BOTTOM;
    else fmt |= DT_VCENTER;
  }
  return fmt;
}

// Draws the caption in `r`; with multi-line text the block is placed vertically by hand.
RECT DrawCaption(Button& b, HDC dc, RECT r, UINT fmt, bool enabled) {
  std::string text = GetWindowTextString(b.hwnd);
  RECT measured = r;
  DrawText(dc, text.c_str(), -1, &measured, fmt | DT_CALCRECT);
  int w = measured.right - measured.left, h = measured.bottom - measured.top;
  RECT place = r;
  if (fmt & DT_WORDBREAK) {
    DWORD v = b.Style() & BS_VCENTER;
    int top = v == BS_TOP ? r.top : v == BS_BOTTOM ? r.bottom - h : r.top + (r.bottom - r.top - h) / 2;
    place = {r.left, top, r.right, top + h};
  }
  SetBkMode(dc, TRANSPARENT);
  if (enabled) {
    DrawText(dc, text.c_str(), -1, &place, fmt);
  } else {
    // Disabled text is etched: a highlight under a shadow.
    RECT lit{place.left + 1, place.top + 1, place.right + 1, place.bottom + 1};
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawText(dc, text.c_str(), -1, &lit, fmt);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawText(dc, text.c_str(), -1, &place, fmt);
  }
  // Where the text ended up, for the focus rectangle.
  int left = (fmt & DT_CENTER) ? r.left + (r.right - r.left - w) / 2 : (fmt & DT_RIGHT) ? r.right - w : r.left;
  int top = (fmt & DT_WORDBREAK) ? place.top
            : (fmt & DT_VCENTER) ? r.top + (r.bottom - r.top - h) / 2
            : (fmt & DT_BOTTOM) ? r.bottom - h : r.top;
  return {left, top, left + w, top + h};
}

bool DrawImage(Button& b, HDC dc, const RECT& r) {
  DWORD s = b.Style();
  if (!(s & (BS_BITMAP | BS_ICON)) || !b.image) return false;
  if (b.imageType == IMAGE_ICON) {
    ICONINFO ii{};
    int w = 32, h = 32;
    if (GetIconInfo(static_cast<HICON>(b.image), &ii) && ii.hbmColor) {
      BITMAP bm{};
      GetObject(ii.hbmColor, sizeof bm, &bm);
      w = bm.bmWidth;
      h = bm.bmHeight;
    }
    DrawIconEx(dc, r.left + (r.right - r.left - w) / 2, r.top + (r.bottom - r.top - h) / 2, static_cast<HICON>(b.image), w, h, 0,
               nullptr, DI_NORMAL);
    return true;
  }
  BITMAP bm{};
  if (!GetObject(b.image, sizeof bm, &bm)) return false;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, b.image);
  BitBlt(dc, r.left + (r.right - r.left - bm.bmWidth) / 2, r.top + (r.bottom - r.top - bm.bmHeight) / 2, bm.bmWidth,
         bm.bmHeight, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
  return true;
}

void PaintPush(Button& b, HDC dc, RECT r, bool enabled) {
  bool def = b.Type() == BS_DEFPUSHBUTTON;
  bool down = b.pushed || (b.IsCheckLike() && b.check);
  if (def) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  }
  if (b.Style() & BS_FLAT) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
  } else if (down && def) {
    // A pressed default button shows a flat shadow frame.
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    RECT face = r;
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
  }
  RECT content{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
  if (down) OffsetRect(&content, 1, 1);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  if (!DrawImage(b, dc, content)) DrawCaption(b, dc, content, TextFormat(b, true), enabled);
  if (b.focused) {
    RECT f{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
    DrawFocusRect(dc, &f);
  }
}

void PaintCheck(Button& b, HDC dc, const RECT& r, bool enabled) {
  bool leftText = (b.Style() & BS_LEFTTEXT) != 0;
  int boxTop = r.top + (r.bottom - r.top - kBoxSize) / 2;
  DWORD v = b.Style() & BS_VCENTER;
  if (v == BS_TOP) boxTop = r.top;
  else if (v == BS_BOTTOM) boxTop = r.bottom - kBoxSize;
  RECT box = leftText ? RECT{r.right - kBoxSize, boxTop, r.right, boxTop + kBoxSize}
                      : RECT{r.left, boxTop, r.left + kBoxSize, boxTop + kBoxSize};
  UINT state = b.IsRadio() ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
  if (b.check == BST_CHECKED) state |= DFCS_CHECKED;
  if (b.check == BST_INDETERMINATE) state |= DFCS_BUTTON3STATE | DFCS_CHECKED;
  if (b.pushed) state |= DFCS_PUSHED;
  if (!enabled) state |= DFCS_INACTIVE;
  DrawFrameControl(dc, &box, DFC_BUTTON, state);
  RECT text = leftText ? RECT{r.left, r.top, box.left - 4, r.bottom} : RECT{box.right + 4, r.top, r.right, r.bottom};
  RECT used = DrawCaption(b, dc, text, TextFormat(b, false), enabled);
  if (b.focused && !GetWindowTextString(b.hwnd).empty()) {
    RECT f{used.left - 1, used.top, used.right + 1, used.bottom + 1};
    IntersectRect(&f, &f, &r);
    DrawFocusRect(dc, &f);
  }
}

void PaintGroup(Button& b, HDC dc, const RECT& r, bool enabled) {
  std::string text = GetWindowTextString(b.hwnd);
  TEXTMETRICA tm{};
  GetTextMetrics(dc, &tm);
  int th = static_cast<int>(tm.tmHeight);
  RECT frame{r.left, r.top + th / 2, r.right, r.bottom};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (text.empty()) return;
  RECT measured{0, 0, 0, 0};
  DrawText(dc, text.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
  RECT gap{r.left + 7, r.top, std::min(static_cast<int>(r.right - 7), static_cast<int>(r.left + 9 + measured.right)), r.top + th};
  HBRUSH bg = reinterpret_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
  FillRect(dc, &gap, bg);
  RECT t{gap.left + 1, gap.top, gap.right, gap.bottom};
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT) == GetTextColor(dc) ? GetTextColor(dc) : GetTextColor(dc));
  DrawCaption(b, dc, t, DT_SINGLELINE | DT_LEFT | DT_TOP, enabled);
}

void PaintOwner(Button& b, HDC dc, const RECT& r, bool enabled, UINT action) {
  DRAWITEMSTRUCT dis;
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = static_cast<UINT>(GetDlgCtrlID(b.hwnd));
  dis.itemAction = action;
  dis.itemState = (b.pushed ? ODS_SELECTED : 0) | (b.focused ? ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
  dis.hwndItem = b.hwnd;
  dis.hDC = dc;
  dis.rcItem = r;
  if (HWND parent = GetParent(b.hwnd)) SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

void Paint(Button& b, HDC dc) {
  HWND hwnd = b.hwnd;
  RECT r;
  GetClientRect(hwnd, &r);
  bool enabled = IsWindowEnabled(hwnd) != FALSE;
  HGDIOBJ oldFont = SelectObject(dc, b.font ? b.font : DefaultGuiFont());
  DWORD type = b.Type();
  if (type == BS_OWNERDRAW) {
    PaintOwner(b, dc, r, enabled, ODA_DRAWENTIRE);
    SelectObject(dc, oldFont);
    return;
  }
  HBRUSH bg = ControlColor(hwnd, dc, b.IsPush() ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC);
  if (!ButtonOf(hwnd)) return;
  FillRect(dc, &r, bg);
  HGDIOBJ oldBrush = SelectObject(dc, bg);
  if (type == BS_GROUPBOX) PaintGroup(b, dc, r, enabled);
  else if (b.IsPush()) PaintPush(b, dc, r, enabled);
  else PaintCheck(b, dc, r, enabled);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldFont);
}

void Press(Button& b) {
  SetPushed(b, true);
}

void Release(HWND hwnd, bool click) {
  Button* b = ButtonOf(hwnd);
  if (!b) return;
  bool was = b->pushed;
  SetPushed(*b, false);
  if (click && was) Clicked(hwnd);
}

void ArrowInGroup(Button& b, bool forward) {
  HWND parent = GetParent(b.hwnd);
  if (!parent) return;
  HWND next = GetNextDlgGroupItem(parent, b.hwnd, forward ? FALSE : TRUE);
  if (!next || next == b.hwnd) return;
  SetFocus(next);
  // Moving onto an automatic radio button checks it, as a click would.
  if (IsAutoRadio(next)) SendMessage(next, BM_CLICK, 0, 0);
}

}  // namespace

LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Button* b = ButtonOf(hwnd);
  if (!b && msg != WM_NCCREATE) return DefWindowProc(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_NCCREATE: {
      auto s = std::make_unique<Button>();
      s->hwnd = hwnd;
      AttachState(hwnd, std::move(s));
      return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    case WM_NCDESTROY:
      DetachState<Button>(hwnd);
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_NCHITTEST:
      // A group box lets the mouse through to what lies under it.
      if (b->Type() == BS_GROUPBOX) return HTTRANSPARENT;
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      PAINTSTRUCT ps;
      // A WM_PAINT that brings a context (an off-screen paint) draws there, as WM_PRINTCLIENT does.
      const bool begin = msg == WM_PAINT && !wParam;
      HDC dc = begin ? BeginPaint(hwnd, &ps) : reinterpret_cast<HDC>(wParam);
      Paint(*b, dc);
      if (begin) EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_SETTEXT: {
      LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
      Redraw(*b);
      return r;
    }
    case WM_SETFONT:
      b->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(static_cast<DWORD_PTR>(lParam))) Redraw(*b);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(b->font);
    case WM_ENABLE:
      Redraw(*b);
      return 0;
    case WM_GETDLGCODE:
      switch (b->Type()) {
        case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_PUSHBUTTON: case BS_PUSHBOX: case BS_USERBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX: return DLGC_STATIC;
        default: return DLGC_BUTTON;
      }
    case WM_SETFOCUS:
      b->focused = true;
      Redraw(*b);
      if (b->Style() & BS_NOTIFY) NotifyParent(hwnd, BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      b->focused = false;
      b->spaceDown = false;
      if (b->pushed && !b->tracking) SetPushed(*b, false);
      Redraw(*b);
      if (b->Style() & BS_NOTIFY) NotifyParent(hwnd, BN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (b->IsRadio() || b->Type() == BS_OWNERDRAW || (b->Style() & BS_NOTIFY)) {
        NotifyParent(hwnd, BN_DOUBLECLICKED);
        return 0;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      if (b->Type() == BS_GROUPBOX) return 0;
      SetCapture(hwnd);
      if (GetFocus() != hwnd) SetFocus(hwnd);
      if (!(b = ButtonOf(hwnd))) return 0;
      b->tracking = true;
      Press(*b);
      return 0;
    case WM_MOUSEMOVE:
      if (b->tracking) {
        RECT r;
        GetClientRect(hwnd, &r);
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        SetPushed(*b, PtInRect(&r, p) != FALSE);
      }
      return 0;
    case WM_LBUTTONUP:
      if (b->tracking) {
        b->tracking = false;
        bool click = b->pushed;
        if (GetCapture() == hwnd) ReleaseCapture();
        Release(hwnd, click);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (b->tracking) {
        b->tracking = false;
        SetPushed(*b, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) {
        if (!b->spaceDown && !b->tracking) {
          b->spaceDown = true;
          Press(*b);
        }
        return 0;
      }
      if (b->IsRadio() && !b->tracking) {
        if (wParam == VK_DOWN || wParam == VK_RIGHT) ArrowInGroup(*b, true);
        else if (wParam == VK_UP || wParam == VK_LEFT) ArrowInGroup(*b, false);
        return 0;
      }
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_KEYUP:
      if (wParam == VK_SPACE && b->spaceDown) {
        b->spaceDown = false;
        Release(hwnd, true);
        return 0;
      }
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_CHAR:
      // Space is taken by the key messages; other characters have nothing to do here.
      return 0;
    case BM_GETCHECK:
      return b->IsCheckLike() ? b->check : BST_UNCHECKED;
    case BM_SETCHECK:
      SetCheck(*b, static_cast<LRESULT>(wParam));
      return 0;
    case BM_GETSTATE:
      return (b->IsCheckLike() ? b->check : 0) | (b->pushed ? BST_PUSHED : 0) | (b->focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
      SetPushed(*b, wParam != 0);
      return 0;
    case BM_SETSTYLE: {
      DWORD s = b->Style();
      SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>((s & 0xFFFF0000u) | (static_cast<DWORD>(wParam) & 0xFFFF)));
      if (LOWORD(static_cast<DWORD_PTR>(lParam))) Redraw(*b);
      return 0;
    }
    case BM_CLICK:
      if (!IsWindowEnabled(hwnd)) return 0;
      Press(*b);
      Release(hwnd, true);
      return 0;
    case BM_SETIMAGE: {
      HANDLE old = b->image;
      b->image = reinterpret_cast<HANDLE>(lParam);
      b->imageType = static_cast<UINT>(wParam);
      Redraw(*b);
      return reinterpret_cast<LRESULT>(old);
    }
    case BM_GETIMAGE:
      return static_cast<UINT>(wParam) == b->imageType ? reinterpret_cast<LRESULT>(b->image) : 0;
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace platform::wm
