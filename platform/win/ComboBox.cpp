// The COMBOBOX class: simple, drop-down and drop-down list combo boxes built from an EDIT and a
// LISTBOX, with the drop-down list in a popup window of its own.
#include <algorithm>
#include <string>
#include <vector>

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

constexpr int kEditId = 1001;
constexpr int kListId = 1000;

struct Combo {
  HWND hwnd = nullptr;
  HWND edit = nullptr;
  HWND list = nullptr;
  HFONT font = nullptr;
  int fieldHeight = 21;   // the selection field, edge included
  int droppedHeight = 100;
  int droppedWidth = 0;
  bool dropped = false;
  bool focused = false;
  bool buttonDown = false;
  bool tracking = false;
  int selAtDrop = -1;
  DWORD listBars = 0;

  DWORD Style() const { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }
  DWORD Kind() const { return Style() & 0x3; }
  bool Simple() const { return Kind() == CBS_SIMPLE; }
  bool DropList() const { return Kind() == CBS_DROPDOWNLIST; }
  bool OwnerDraw() const { return (Style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
};

Combo* ComboOf(HWND hwnd) { return ControlState<Combo>(hwnd); }

HWND ComboOfList(HWND list) {
  // The popup list is owned by its combo box; a simple combo's list is its child.
  HWND p = GetParent(list);
  return p;
}

RECT ButtonRect(const Combo& c) {
  RECT r;
  GetClientRect(c.hwnd, &r);
  int w = GetSystemMetrics(SM_CXVSCROLL);
  return {r.right - 2 - w, 2, r.right - 2, c.fieldHeight - 2};
}

void Notify(Combo& c, WORD code) { NotifyParent(c.hwnd, code); }

int CurSel(const Combo& c) { return static_cast<int>(SendMessage(c.list, LB_GETCURSEL, 0, 0)); }

std::string ItemText(const Combo& c, int i) {
  LRESULT n = SendMessage(c.list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
  if (n < 0) return {};
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  SendMessage(c.list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<std::size_t>(n));
  return s;
}

void SyncEdit(Combo& c) {
  int sel = CurSel(c);
  if (c.edit) {
    SetWindowText(c.edit, sel >= 0 ? ItemText(c, sel).c_str() : "");
    SendMessage(c.edit, EM_SETSEL, 0, -1);
  }
  InvalidateRect(c.hwnd, nullptr, FALSE);
}

void Layout(Combo& c) {
  RECT r;
  GetClientRect(c.hwnd, &r);
  if (c.edit) {
    int right = c.Simple() ? r.right - 2 : ButtonRect(c).left;
    MoveWindow(c.edit, 3, 3, std::max(0, right - 3), c.fieldHeight - 6, TRUE);
  }
  if (c.Simple() && c.list) MoveWindow(c.list, 0, c.fieldHeight, r.right, std::max(0, static_cast<int>(r.bottom) - c.fieldHeight), TRUE);
}

void CloseUp(Combo& c, bool accept) {
  if (!c.dropped) return;
  c.dropped = false;
  c.buttonDown = false;
  c.tracking = false;
  ShowWindow(c.list, SW_HIDE);
  if (GetCapture() == c.hwnd) ReleaseCapture();
  HWND h = c.hwnd;
  if (accept) {
    Notify(c, CBN_SELENDOK);
  } else {
    Notify(c, CBN_SELENDCANCEL);
    if (Combo* again = ComboOf(h)) {
      SendMessage(again->list, LB_SETCURSEL, static_cast<WPARAM>(again->selAtDrop), 0);
      SyncEdit(*again);
    }
  }
  if (Combo* again = ComboOf(h)) {
    InvalidateRect(h, nullptr, FALSE);
    Notify(*again, CBN_CLOSEUP);
  }
}

void DropDown(Combo& c) {
  if (c.dropped || c.Simple()) return;
  Notify(c, CBN_DROPDOWN);
  if (!ComboOf(c.hwnd)) return;
  RECT wr;
  GetWindowRect(c.hwnd, &wr);
  int count = static_cast<int>(SendMessage(c.list, LB_GETCOUNT, 0, 0));
  int itemH = static_cast<int>(SendMessage(c.list, LB_GETITEMHEIGHT, 0, 0));
  int h = std::min(c.droppedHeight, std::max(1, count) * itemH + 2);
  int w = std::max(static_cast<int>(wr.right - wr.left), c.droppedWidth);
  platform::ScreenRect wa = platform::HasDisplay() ? platform::CurrentDisplay().WorkArea() : platform::ScreenRect{0, 0, 1024, 768};
  int y = wr.bottom;
  if (y + h > wa.bottom && wr.top - h >= wa.top) y = wr.top - h;
  SetWindowPos(c.list, HWND_TOPMOST, wr.left, y, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  c.selAtDrop = CurSel(c);
  if (c.selAtDrop >= 0) SendMessage(c.list, LB_SETTOPINDEX, static_cast<WPARAM>(c.selAtDrop), 0);
  c.dropped = true;
  SetCapture(c.hwnd);
  InvalidateRect(c.hwnd, nullptr, FALSE);
}

void Choose(Combo& c, int index, bool fromUser) {
  int old = CurSel(c);
  SendMessage(c.list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SyncEdit(c);
  if (fromUser && old != CurSel(c)) Notify(c, CBN_SELCHANGE);
}

void Paint(Combo& c) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(c.hwnd, &ps);
  RECT r;
  GetClientRect(c.hwnd, &r);
  RECT field{0, 0, r.right, c.fieldHeight};
  bool enabled = IsWindowEnabled(c.hwnd) != FALSE;
  HGDIOBJ oldFont = SelectObject(dc, c.font ? c.font : DefaultGuiFont());
  HBRUSH bg = ControlColor(c.hwnd, dc, c.DropList() ? WM_CTLCOLORLISTBOX : WM_CTLCOLOREDIT);
  if (!ComboOf(c.hwnd)) return;
  if (c.Simple()) {
    FillRect(dc, &field, GetSysColorBrush(COLOR_BTNFACE));
  }
  RECT inner = field;
  DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  FillRect(dc, &inner, enabled ? bg : GetSysColorBrush(COLOR_BTNFACE));
  if (!c.Simple()) {
    RECT b = ButtonRect(c);
    DrawFrameControl(dc, &b, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (c.buttonDown ? DFCS_PUSHED | DFCS_FLAT : 0) | (enabled ? 0 : DFCS_INACTIVE));
  }
  if (c.DropList()) {
    RECT t{inner.left, inner.top, ButtonRect(c).left, inner.bottom};
    int sel = CurSel(c);
    bool hot = c.focused && !c.dropped;
    if (c.OwnerDraw()) {
      DRAWITEMSTRUCT dis;
      dis.CtlType = ODT_COMBOBOX;
      dis.CtlID = static_cast<UINT>(GetDlgCtrlID(c.hwnd));
      dis.itemID = static_cast<UINT>(sel);
      dis.itemAction = ODA_DRAWENTIRE;
      dis.itemState = ODS_COMBOBOXEDIT | (hot ? ODS_SELECTED | ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
      dis.hwndItem = c.hwnd;
      dis.hDC = dc;
      dis.rcItem = t;
      dis.itemData = sel >= 0 ? static_cast<ULONG_PTR>(SendMessage(c.list, LB_GETITEMDATA, static_cast<WPARAM>(sel), 0)) : 0;
      if (HWND parent = GetParent(c.hwnd)) SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    } else {
      RECT sel_r{t.left + 1, t.top + 1, t.right - 1, t.bottom - 1};
      if (hot) FillRect(dc, &sel_r, GetSysColorBrush(COLOR_HIGHLIGHT));
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, !enabled ? GetSysColor(COLOR_GRAYTEXT) : hot ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetTextColor(dc));
      RECT tt{sel_r.left + 2, sel_r.top, sel_r.right, sel_r.bottom};
      std::string text = sel >= 0 ? ItemText(c, sel) : std::string();
      DrawText(dc, text.c_str(), -1, &tt, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
      if (hot) DrawFocusRect(dc, &sel_r);
    }
  }
  SelectObject(dc, oldFont);
  EndPaint(c.hwnd, &ps);
}

void KeyDown(Combo& c, WPARAM vk) {
  bool alt = GetKeyState(VK_MENU) < 0;
  if (vk == VK_F4 || (alt && (vk == VK_DOWN || vk == VK_UP))) {
    if (c.dropped) CloseUp(c, true);
    else DropDown(c);
    return;
  }
  if (c.dropped && vk == VK_RETURN) {
    CloseUp(c, true);
    return;
  }
  if (c.dropped && vk == VK_ESCAPE) {
    CloseUp(c, false);
    return;
  }
  int count = static_cast<int>(SendMessage(c.list, LB_GETCOUNT, 0, 0));
  if (count == 0) return;
  int sel = CurSel(c);
  int to = sel;
  switch (vk) {
    case VK_UP: to = std::max(0, sel - 1); break;
    case VK_DOWN: to = sel < 0 ? 0 : std::min(count - 1, sel + 1); break;
    case VK_HOME: to = 0; break;
    case VK_END: to = count - 1; break;
    case VK_PRIOR: to = std::max(0, sel - 8); break;
    case VK_NEXT: to = std::min(count - 1, sel + 8); break;
    default: return;
  }
  if (to != sel) Choose(c, to, true);
}

bool OverList(const Combo& c, POINT screen) {
  RECT r;
  GetWindowRect(c.list, &r);
  return c.dropped && PtInRect(&r, screen);
}

void MouseMoveDropped(Combo& c, POINT screen) {
  if (!OverList(c, screen)) return;
  POINT p = screen;
  ScreenToClient(c.list, &p);
  LRESULT hit = SendMessage(c.list, LB_ITEMFROMPOINT, 0, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
  if (HIWORD(static_cast<DWORD_PTR>(hit))) return;
  int i = LOWORD(static_cast<DWORD_PTR>(hit));
  if (i != CurSel(c)) SendMessage(c.list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
}

}  // namespace

LRESULT ComboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Combo* c = ComboOf(hwnd);
  if (!c && msg != WM_NCCREATE) return DefWindowProc(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_NCCREATE: {
      auto s = std::make_unique<Combo>();
      s->hwnd = hwnd;
      c = AttachState(hwnd, std::move(s));
      auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
      HDC dc = CreateCompatibleDC(nullptr);
      SelectObject(dc, DefaultGuiFont());
      TEXTMETRICA tm{};
      GetTextMetrics(dc, &tm);
      DeleteDC(dc);
      c->fieldHeight = static_cast<int>(tm.tmHeight) + 8;
      if (cs) c->droppedHeight = std::max(static_cast<int>(cs->cy) - c->fieldHeight, static_cast<int>(tm.tmHeight) + 2);
      // Scroll bars asked of a combo box belong to its list.
      DWORD style = c->Style();
      c->listBars = style & (WS_VSCROLL | WS_HSCROLL);
      SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(style & ~(WS_VSCROLL | WS_HSCROLL)));
      return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    case WM_CREATE: {
      DWORD style = c->Style();
      DWORD lbStyle = c->listBars | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_COMBOBOX;
      if (style & CBS_SORT) lbStyle |= LBS_SORT;
      if (style & CBS_OWNERDRAWFIXED) lbStyle |= LBS_OWNERDRAWFIXED;
      if (style & CBS_OWNERDRAWVARIABLE) lbStyle |= LBS_OWNERDRAWVARIABLE;
      if (style & CBS_HASSTRINGS) lbStyle |= LBS_HASSTRINGS;
      if (c->Simple()) {
        c->list = CreateWindowEx(WS_EX_CLIENTEDGE, "ListBox", "", WS_CHILD | WS_VISIBLE | lbStyle, 0, 0, 10, 10, hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), nullptr, nullptr);
      } else {
        c->list = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, "ComboLBox", "", WS_POPUP | WS_BORDER | lbStyle,
                                 0, 0, 10, 10, hwnd, nullptr, nullptr, nullptr);
      }
      if (!(c = ComboOf(hwnd))) return -1;
      if (!c->DropList()) {
        DWORD es = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
        if (style & CBS_UPPERCASE) es |= ES_UPPERCASE;
        if (style & CBS_LOWERCASE) es |= ES_LOWERCASE;
        c->edit = CreateWindowEx(0, "Edit", "", es, 0, 0, 10, 10, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
                                 nullptr, nullptr);
        SendMessage(c->edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
      }
      if (!c->list || (!c->DropList() && !c->edit)) return -1;
      // A drop-down combo box is as high as its field; the height asked for is the list's.
      if (!c->Simple()) {
        RECT wr;
        GetWindowRect(hwnd, &wr);
        SetWindowPos(hwnd, nullptr, 0, 0, wr.right - wr.left, c->fieldHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      if ((c = ComboOf(hwnd))) Layout(*c);
      return 0;
    }
    case WM_NCDESTROY: {
      HWND list = c->list;
      DetachState<Combo>(hwnd);
      // The popup list is owned, not a child: it goes with its combo box explicitly.
      if (IsWindow(list) && GetParent(list) == hwnd && !(GetWindowLong(list, GWL_STYLE) & WS_CHILD)) DestroyWindow(list);
      return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    case WM_SIZE:
      Layout(*c);
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(*c);
      return 0;
    case WM_SETFONT:
      c->font = reinterpret_cast<HFONT>(wParam);
      if (c->edit) SendMessage(c->edit, WM_SETFONT, wParam, lParam);
      SendMessage(c->list, WM_SETFONT, wParam, lParam);
      if (LOWORD(static_cast<DWORD_PTR>(lParam))) InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(c->font);
    case WM_ENABLE:
      if (c->edit) EnableWindow(c->edit, static_cast<BOOL>(wParam));
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_SETFOCUS:
      if (c->edit) {
        SetFocus(c->edit);
        SendMessage(c->edit, EM_SETSEL, 0, -1);
        return 0;
      }
      c->focused = true;
      InvalidateRect(hwnd, nullptr, FALSE);
      Notify(*c, CBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      if (c->edit) return 0;
      c->focused = false;
      CloseUp(*c, true);
      if ((c = ComboOf(hwnd))) {
        InvalidateRect(hwnd, nullptr, FALSE);
        Notify(*c, CBN_KILLFOCUS);
      }
      return 0;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS;
      if (c->dropped) code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (msg == WM_SYSKEYDOWN && !(wParam == VK_DOWN || wParam == VK_UP)) return DefWindowProc(hwnd, msg, wParam, lParam);
      KeyDown(*c, wParam);
      return 0;
    case WM_CHAR:
      if (c->DropList() && wParam > 0x20) {
        // Type-ahead goes through the list.
        int before = CurSel(*c);
        SendMessage(c->list, WM_CHAR, wParam, lParam);
        if ((c = ComboOf(hwnd)) && CurSel(*c) != before) {
          SyncEdit(*c);
          Notify(*c, CBN_SELCHANGE);
        }
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      POINT screen = p;
      ClientToScreen(hwnd, &screen);
      if (c->dropped) {
        RECT cr;
        GetClientRect(hwnd, &cr);
        if (OverList(*c, screen)) return 0;
        // A press on the field or button closes; anywhere else cancels.
        CloseUp(*c, PtInRect(&cr, p) != FALSE);
        return 0;
      }
      if (GetFocus() != hwnd && (!c->edit || GetFocus() != c->edit)) SetFocus(hwnd);
      if (!(c = ComboOf(hwnd)) || c->Simple()) return 0;
      RECT b = ButtonRect(*c);
      if (c->DropList() || PtInRect(&b, p)) {
        c->buttonDown = true;
        DropDown(*c);
        if ((c = ComboOf(hwnd))) c->tracking = true;
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (c->dropped) {
        POINT s{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd, &s);
        MouseMoveDropped(*c, s);
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!c->dropped) return 0;
      POINT s{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(hwnd, &s);
      if (c->buttonDown) {
        c->buttonDown = false;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      if (OverList(*c, s)) {
        MouseMoveDropped(*c, s);
        int sel = CurSel(*c);
        bool changed = sel != c->selAtDrop;
        SyncEdit(*c);
        if (changed) Notify(*c, CBN_SELCHANGE);
        if ((c = ComboOf(hwnd))) CloseUp(*c, true);
      }
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (c->dropped && reinterpret_cast<HWND>(lParam) != hwnd) CloseUp(*c, false);
      return 0;
    case WM_COMMAND: {
      HWND from = reinterpret_cast<HWND>(lParam);
      WORD code = HIWORD(wParam);
      if (from == c->edit) {
        if (code == EN_CHANGE) Notify(*c, CBN_EDITCHANGE);
        else if (code == EN_UPDATE) Notify(*c, CBN_EDITUPDATE);
        else if (code == EN_SETFOCUS) Notify(*c, CBN_SETFOCUS);
        else if (code == EN_KILLFOCUS) {
          CloseUp(*c, true);
          if ((c = ComboOf(hwnd))) Notify(*c, CBN_KILLFOCUS);
        }
      } else if (from == c->list) {
        if (code == LBN_SELCHANGE && c->Simple()) {
          SyncEdit(*c);
          Notify(*c, CBN_SELCHANGE);
        } else if (code == LBN_DBLCLK) {
          Notify(*c, CBN_DBLCLK);
        }
      }
      return 0;
    }
    case WM_MEASUREITEM:
    case WM_DRAWITEM: {
      // Owner-drawn items are the owner's business: it hears of them as the combo box's.
      HWND parent = GetParent(hwnd);
      if (!parent) return 0;
      UINT id = static_cast<UINT>(GetDlgCtrlID(hwnd));
      if (msg == WM_MEASUREITEM) {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        mis->CtlType = ODT_COMBOBOX;
        mis->CtlID = id;
      } else {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        dis->CtlType = ODT_COMBOBOX;
        dis->CtlID = id;
        dis->hwndItem = hwnd;
      }
      return SendMessage(parent, msg, id, lParam);
    }
    case WM_SETTEXT:
      if (c->edit) return SendMessage(c->edit, WM_SETTEXT, wParam, lParam);
      {
        // A drop-down list can only show one of its items.
        LRESULT i = SendMessage(c->list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), lParam);
        if (i == LB_ERR) return CB_ERR;
        Choose(*c, static_cast<int>(i), false);
        return TRUE;
      }
    case WM_GETTEXT:
      if (c->edit) return SendMessage(c->edit, WM_GETTEXT, wParam, lParam);
      return CopyTextOut(CurSel(*c) >= 0 ? ItemText(*c, CurSel(*c)) : std::string(), wParam, lParam);
    case WM_GETTEXTLENGTH:
      if (c->edit) return SendMessage(c->edit, WM_GETTEXTLENGTH, 0, 0);
      return CurSel(*c) >= 0 ? static_cast<LRESULT>(ItemText(*c, CurSel(*c)).size()) : 0;
    case WM_CUT: case WM_COPY: case WM_PASTE: case WM_CLEAR: case WM_UNDO:
      return c->edit ? SendMessage(c->edit, msg, wParam, lParam) : 0;

    case CB_ADDSTRING: return SendMessage(c->list, LB_ADDSTRING, wParam, lParam);
    case CB_INSERTSTRING: return SendMessage(c->list, LB_INSERTSTRING, wParam, lParam);
    case CB_DELETESTRING: {
      LRESULT r = SendMessage(c->list, LB_DELETESTRING, wParam, lParam);
      InvalidateRect(hwnd, nullptr, FALSE);
      return r;
    }
    case CB_RESETCONTENT:
      SendMessage(c->list, LB_RESETCONTENT, 0, 0);
      if (c->edit) SetWindowText(c->edit, "");
      InvalidateRect(hwnd, nullptr, FALSE);
      return CB_OKAY;
    case CB_GETCOUNT: return SendMessage(c->list, LB_GETCOUNT, 0, 0);
    case CB_GETLBTEXT: return SendMessage(c->list, LB_GETTEXT, wParam, lParam);
    case CB_GETLBTEXTLEN: return SendMessage(c->list, LB_GETTEXTLEN, wParam, lParam);
    case CB_GETITEMDATA: return SendMessage(c->list, LB_GETITEMDATA, wParam, lParam);
    case CB_SETITEMDATA: return SendMessage(c->list, LB_SETITEMDATA, wParam, lParam);
    case CB_FINDSTRING: return SendMessage(c->list, LB_FINDSTRING, wParam, lParam);
    case CB_FINDSTRINGEXACT: return SendMessage(c->list, LB_FINDSTRINGEXACT, wParam, lParam);
    case CB_SELECTSTRING: {
      LRESULT i = SendMessage(c->list, LB_FINDSTRING, wParam, lParam);
      if (i == LB_ERR) return CB_ERR;
      Choose(*c, static_cast<int>(i), false);
      return i;
    }
    case CB_SETCURSEL: {
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      int count = static_cast<int>(SendMessage(c->list, LB_GETCOUNT, 0, 0));
      Choose(*c, i >= 0 && i < count ? i : -1, false);
      return i >= 0 && i < count ? i : CB_ERR;
    }
    case CB_GETCURSEL: return CurSel(*c) < 0 ? CB_ERR : CurSel(*c);
    case CB_SHOWDROPDOWN:
      if (wParam) DropDown(*c);
      else CloseUp(*c, true);
      return TRUE;
    case CB_GETDROPPEDSTATE: return c->dropped ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT: {
      if (!lParam) return CB_ERR;
      RECT wr;
      GetWindowRect(hwnd, &wr);
      *reinterpret_cast<RECT*>(lParam) = {wr.left, wr.top, std::max(static_cast<int>(wr.right), static_cast<int>(wr.left) + c->droppedWidth),
                                          wr.top + c->fieldHeight + c->droppedHeight};
      return TRUE;
    }
    case CB_SETITEMHEIGHT: {
      int h = static_cast<int>(lParam);
      if (h <= 0 || h > 255) return CB_ERR;
      if (static_cast<INT_PTR>(wParam) == -1) {
        c->fieldHeight = h + 6;
        if (!c->Simple()) {
          RECT wr;
          GetWindowRect(hwnd, &wr);
          SetWindowPos(hwnd, nullptr, 0, 0, wr.right - wr.left, c->fieldHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if ((c = ComboOf(hwnd))) Layout(*c);
        return CB_OKAY;
      }
      return SendMessage(c->list, LB_SETITEMHEIGHT, wParam, lParam);
    }
    case CB_GETITEMHEIGHT:
      if (static_cast<INT_PTR>(wParam) == -1) return c->fieldHeight - 6;
      return SendMessage(c->list, LB_GETITEMHEIGHT, wParam, 0);
    case CB_LIMITTEXT: return c->edit ? SendMessage(c->edit, EM_LIMITTEXT, wParam, 0), TRUE : CB_ERR;
    case CB_GETEDITSEL: return c->edit ? SendMessage(c->edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
      if (!c->edit) return CB_ERR;
      SendMessage(c->edit, EM_SETSEL, static_cast<WPARAM>(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam)))),
                  static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(lParam))));
      return TRUE;
    case CB_GETTOPINDEX: return SendMessage(c->list, LB_GETTOPINDEX, 0, 0);
    case CB_SETTOPINDEX: return SendMessage(c->list, LB_SETTOPINDEX, wParam, 0) == LB_ERR ? CB_ERR : CB_OKAY;
    case CB_SETDROPPEDWIDTH: c->droppedWidth = static_cast<int>(wParam); return c->droppedWidth;
    case CB_GETDROPPEDWIDTH: {
      RECT wr;
      GetWindowRect(hwnd, &wr);
      return std::max(static_cast<int>(wr.right - wr.left), c->droppedWidth);
    }
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

// The drop-down list: a list box in a popup that never takes the focus; its combo box tracks the
// mouse over it.
LRESULT ComboLBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE: {
      // Normally the combo box holds the capture; a stray message is passed on to it.
      HWND combo = ComboOfList(hwnd);
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      MapWindowPoints(hwnd, combo, &p, 1);
      return SendMessage(combo, msg, wParam, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
    }
    default:
      return ListBoxProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace platform::wm
