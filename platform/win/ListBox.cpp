// The LISTBOX class: strings with item data, sorted or not, single, multiple and extended
// selection, owner-drawn items of fixed or variable height, type-ahead and scrolling.
#include <algorithm>
#include <cstring>
#include <cwctype>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "platform/win/ControlsInternal.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

constexpr DWORD kTypeAheadMs = 1000;

struct Item {
  std::string text;
  ULONG_PTR data = 0;
  bool selected = false;
  int height = 0;  // variable-height owner draw only
};

struct ListBox {
  HWND hwnd = nullptr;
  // The window the list was created under. A list lifted to the desktop afterwards (the drop-down
  // lists of bar combos) still reports to it: items are measured and drawn there.
  HWND createdParent = nullptr;
  std::vector<Item> items;
  int top = 0;
  int caret = 0;
  int anchor = 0;
  int cursel = -1;  // single selection
  int itemHeight = 13;
  int hExtent = 0;
  int xOffset = 0;
  bool focused = false;
  bool redraw = true;
  bool tracking = false;
  // A selection notice went out since the last press.
  bool selNoticed = false;
  HFONT font = nullptr;
  // The bars asked for at creation; they come and go with the need for them.
  bool wantV = false;
  bool wantH = false;
  std::u32string typed;
  DWORD typedAt = 0;

  DWORD Style() const { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }
  bool OwnerDraw() const { return (Style() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
  bool Variable() const { return (Style() & LBS_OWNERDRAWVARIABLE) != 0; }
  bool HasStrings() const { return !OwnerDraw() || (Style() & LBS_HASSTRINGS); }
  bool Multi() const { return (Style() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
  bool Extended() const { return (Style() & LBS_EXTENDEDSEL) != 0; }
  bool NoSel() const { return (Style() & LBS_NOSEL) != 0; }
  int Count() const { return static_cast<int>(items.size()); }
};

ListBox* LbOf(HWND hwnd) { return ControlState<ListBox>(hwnd); }

// Where notifications and owner-draw requests go: the parent, else the window created under.
HWND Owner(const ListBox& lb) {
  if (HWND parent = GetParent(lb.hwnd)) return parent;
  return lb.createdParent && IsWindow(lb.createdParent) ? lb.createdParent : nullptr;
}

// The list's id, also once it was lifted out of its parent.
int ControlId(const ListBox& lb) { return static_cast<int>(GetWindowLongPtr(lb.hwnd, GWL_ID)); }

void NotifyOwner(const ListBox& lb, WORD code) {
  if (HWND owner = Owner(lb))
    SendMessage(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(ControlId(lb)), code), reinterpret_cast<LPARAM>(lb.hwnd));
}

int Height(const ListBox& lb, int i) {
  if (lb.Variable() && i >= 0 && i < lb.Count()) return lb.items[static_cast<std::size_t>(i)].height;
  return lb.itemHeight;
}

int ClientHeight(const ListBox& lb) {
  RECT c;
  GetClientRect(lb.hwnd, &c);
  return c.bottom - c.top;
}

// Items that fit wholly from `top` down; at least one.
int PageSize(const ListBox& lb, int top) {
  int h = ClientHeight(lb), used = 0, n = 0;
  for (int i = std::max(top, 0); i < lb.Count(); ++i) {
    used += Height(lb, i);
    if (used > h) break;
    ++n;
  }
  if (top >= lb.Count()) n = std::max(1, h / std::max(1, lb.itemHeight));
  return std::max(1, n);
}

// The highest top index that still fills the window.
int MaxTop(const ListBox& lb) {
  int h = ClientHeight(lb), used = 0;
  int i = lb.Count() - 1;
  for (; i >= 0; --i) {
    used += Height(lb, i);
    if (used > h) break;
  }
  return std::max(0, i + 1);
}

RECT ItemRect(const ListBox& lb, int i) {
  RECT c;
  GetClientRect(lb.hwnd, &c);
  int y = 0;
  if (i >= lb.top) {
    for (int k = lb.top; k < i; ++k) y += Height(lb, k);
  } else {
    for (int k = i; k < lb.top; ++k) y -= Height(lb, k);
  }
  int width = std::max(static_cast<int>(c.right), lb.hExtent);
  return {-lb.xOffset, y, width - lb.xOffset, y + Height(lb, i)};
}

void Invalidate(ListBox& lb) {
  if (lb.redraw) InvalidateRect(lb.hwnd, nullptr, TRUE);
}

void InvalidateItem(ListBox& lb, int i) {
  if (!lb.redraw || i < 0 || i >= lb.Count()) return;
  RECT r = ItemRect(lb, i);
  InvalidateRect(lb.hwnd, &r, TRUE);
}

void UpdateScroll(ListBox& lb) {
  if (!lb.redraw) return;
  DWORD s = lb.Style();
  if (lb.wantV) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | ((s & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0);
    si.nMin = 0;
    si.nMax = std::max(0, lb.Count() - 1);
    si.nPage = static_cast<UINT>(PageSize(lb, lb.top));
    if (lb.Count() == 0) si.nPage = 1;
    si.nPos = lb.top;
    SetScrollInfo(lb.hwnd, SB_VERT, &si, TRUE);
  }
  if (lb.wantH) {
    RECT c;
    GetClientRect(lb.hwnd, &c);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | ((s & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0);
    si.nMin = 0;
    si.nMax = std::max(0, lb.hExtent - 1);
    si.nPage = static_cast<UINT>(std::max(1L, static_cast<long>(c.right)));
    si.nPos = lb.xOffset;
    SetScrollInfo(lb.hwnd, SB_HORZ, &si, TRUE);
  }
}

void SetTop(ListBox& lb, int top) {
  top = std::clamp(top, 0, MaxTop(lb));
  if (top == lb.top) return;
  lb.top = top;
  Invalidate(lb);
  UpdateScroll(lb);
}

void EnsureVisible(ListBox& lb, int i) {
  if (i < 0 || i >= lb.Count()) return;
  if (i < lb.top) {
    SetTop(lb, i);
    return;
  }
  // The least scrolling that shows the item wholly: walk up from it while the items above still
  // fit (one pass, however far the item lies below the top).
  const int client = ClientHeight(lb);
  int top = i;
  int y = Height(lb, i);
  while (top > lb.top && y + Height(lb, top - 1) <= client) y += Height(lb, --top);
  SetTop(lb, top);
}

void Notify(ListBox& lb, WORD code) {
  if (code == LBN_SELCHANGE) lb.selNoticed = true;
  if (lb.Style() & LBS_NOTIFY) NotifyOwner(lb, code);
}

int CompareText(const std::string& a, const std::string& b) {
  std::u32string x = Utf8ToCodePoints(a), y = Utf8ToCodePoints(b);
  std::size_t n = std::min(x.size(), y.size());
  for (std::size_t i = 0; i < n; ++i) {
    auto cx = static_cast<char32_t>(std::towlower(static_cast<wint_t>(x[i])));
    auto cy = static_cast<char32_t>(std::towlower(static_cast<wint_t>(y[i])));
    if (cx != cy) return cx < cy ? -1 : 1;
  }
  return x.size() == y.size() ? 0 : x.size() < y.size() ? -1 : 1;
}

bool HasPrefix(const std::string& text, const std::string& prefix) {
  std::u32string t = Utf8ToCodePoints(text), p = Utf8ToCodePoints(prefix);
  if (p.size() > t.size()) return false;
  for (std::size_t i = 0; i < p.size(); ++i)
    if (std::towlower(static_cast<wint_t>(t[i])) != std::towlower(static_cast<wint_t>(p[i]))) return false;
  return true;
}

void Measure(ListBox& lb, int i) {
  if (!lb.Variable()) return;
  Item& it = lb.items[static_cast<std::size_t>(i)];
  MEASUREITEMSTRUCT mis;
  mis.CtlType = ODT_LISTBOX;
  mis.CtlID = static_cast<UINT>(ControlId(lb));
  mis.itemID = static_cast<UINT>(i);
  mis.itemHeight = static_cast<UINT>(lb.itemHeight);
  mis.itemData = it.data;
  if (HWND parent = Owner(lb)) SendMessage(parent, WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
  if (ListBox* again = LbOf(lb.hwnd)) {
    if (i < again->Count()) again->items[static_cast<std::size_t>(i)].height = std::max(1, static_cast<int>(mis.itemHeight));
  }
}

LRESULT Insert(ListBox& lb, int at, LPARAM lParam, bool sorted) {
  Item it;
  if (lb.HasStrings()) {
    const char* s = reinterpret_cast<const char*>(lParam);
    it.text = s ? s : "";
  } else {
    it.data = static_cast<ULONG_PTR>(lParam);
  }
  if (sorted && lb.HasStrings()) {
    at = 0;
    while (at < lb.Count() && CompareText(lb.items[static_cast<std::size_t>(at)].text, it.text) <= 0) ++at;
  } else if (at < 0 || at > lb.Count()) {
    if (at != -1) return LB_ERR;
    at = lb.Count();
  }
  lb.items.insert(lb.items.begin() + at, std::move(it));
  if (lb.cursel >= at) ++lb.cursel;
  if (lb.caret >= at && lb.Count() > 1) ++lb.caret;
  if (lb.anchor >= at && lb.Count() > 1) ++lb.anchor;
  Measure(lb, at);
  Invalidate(lb);
  UpdateScroll(lb);
  return at;
}

void Delete(ListBox& lb, int i) {
  Item it = lb.items[static_cast<std::size_t>(i)];
  lb.items.erase(lb.items.begin() + i);
  if (lb.cursel == i) lb.cursel = -1;
  else if (lb.cursel > i) --lb.cursel;
  if (lb.caret > i || lb.caret >= lb.Count()) lb.caret = std::max(0, lb.caret - 1);
  if (lb.anchor > i || lb.anchor >= lb.Count()) lb.anchor = std::max(0, lb.anchor - 1);
  lb.top = std::clamp(lb.top, 0, MaxTop(lb));
  if (lb.OwnerDraw()) {
    // Owners that keep their own objects behind item data hear of each item that goes.
    struct DELETEITEM {
      UINT CtlType, CtlID, itemID;
      HWND hwndItem;
      ULONG_PTR itemData;
    } dis{ODT_LISTBOX, static_cast<UINT>(ControlId(lb)), static_cast<UINT>(i), lb.hwnd, it.data};
    if (HWND parent = Owner(lb)) SendMessage(parent, WM_DELETEITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
  }
}

bool IsSelected(const ListBox& lb, int i) {
  if (i < 0 || i >= lb.Count()) return false;
  return lb.Multi() ? lb.items[static_cast<std::size_t>(i)].selected : lb.cursel == i;
}

void SetCaret(ListBox& lb, int i) {
  if (i == lb.caret) return;
  int old = lb.caret;
  lb.caret = i;
  if (lb.focused) {
    InvalidateItem(lb, old);
    InvalidateItem(lb, i);
  }
}

void SelectSingle(ListBox& lb, int i) {
  if (lb.cursel == i) return;
  InvalidateItem(lb, lb.cursel);
  lb.cursel = i;
  InvalidateItem(lb, i);
}

bool SetRange(ListBox& lb, int from, int to, bool select) {
  if (from > to) std::swap(from, to);
  from = std::max(0, from);
  to = std::min(to, lb.Count() - 1);
  bool changed = false;
  for (int i = from; i <= to; ++i) {
    Item& it = lb.items[static_cast<std::size_t>(i)];
    if (it.selected != select) {
      it.selected = select;
      InvalidateItem(lb, i);
      changed = true;
    }
  }
  return changed;
}

// Selects only the range from the anchor to `i` (extended selection with Shift).
bool SelectOnlyRange(ListBox& lb, int from, int to) {
  bool changed = false;
  int a = std::min(from, to), b = std::max(from, to);
  for (int i = 0; i < lb.Count(); ++i) {
    bool want = i >= a && i <= b;
    Item& it = lb.items[static_cast<std::size_t>(i)];
    if (it.selected != want) {
      it.selected = want;
      InvalidateItem(lb, i);
      changed = true;
    }
  }
  return changed;
}

// A user's move to item `i`: selects as the style and the modifier keys say.
void UserMove(ListBox& lb, int i, bool shift, bool ctrl, bool toggle) {
  if (lb.Count() == 0) return;
  i = std::clamp(i, 0, lb.Count() - 1);
  bool changed = false;
  if (lb.NoSel()) {
    SetCaret(lb, i);
  } else if (!lb.Multi()) {
    changed = lb.cursel != i;
    SelectSingle(lb, i);
    SetCaret(lb, i);
  } else if (!lb.Extended()) {
    SetCaret(lb, i);
    if (toggle) {
      Item& it = lb.items[static_cast<std::size_t>(i)];
      it.selected = !it.selected;
      InvalidateItem(lb, i);
      changed = true;
    }
  } else {
    if (shift) {
      changed = SelectOnlyRange(lb, lb.anchor, i);
    } else if (ctrl) {
      if (toggle) {
        Item& it = lb.items[static_cast<std::size_t>(i)];
        it.selected = !it.selected;
        InvalidateItem(lb, i);
        lb.anchor = i;
        changed = true;
      }
    } else {
      changed = SelectOnlyRange(lb, i, i);
      lb.anchor = i;
    }
    SetCaret(lb, i);
  }
  EnsureVisible(lb, i);
  if (changed) Notify(lb, LBN_SELCHANGE);
}

int IndexAt(const ListBox& lb, POINT p, bool* outside) {
  RECT c;
  GetClientRect(lb.hwnd, &c);
  bool out = p.x < 0 || p.x >= c.right || p.y < 0 || p.y >= c.bottom;
  int y = 0;
  int i = lb.top;
  if (p.y < 0) {
    if (outside) *outside = true;
    return std::max(0, lb.top - 1);
  }
  for (; i < lb.Count(); ++i) {
    int h = Height(lb, i);
    if (p.y < y + h) break;
    y += h;
  }
  if (i >= lb.Count()) {
    out = true;
    i = std::max(0, lb.Count() - 1);
  }
  if (outside) *outside = out;
  return i;
}

void DrawItem(ListBox& lb, HDC dc, int i, HBRUSH bg) {
  RECT r = ItemRect(lb, i);
  bool sel = IsSelected(lb, i);
  bool focus = lb.focused && i == lb.caret;
  bool enabled = IsWindowEnabled(lb.hwnd) != FALSE;
  if (lb.OwnerDraw()) {
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_LISTBOX;
    dis.CtlID = static_cast<UINT>(ControlId(lb));
    dis.itemID = static_cast<UINT>(i);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = (sel ? ODS_SELECTED : 0) | (focus ? ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
    dis.hwndItem = lb.hwnd;
    dis.hDC = dc;
    dis.rcItem = r;
    dis.itemData = i < lb.Count() ? lb.items[static_cast<std::size_t>(i)].data : 0;
    int saved = SaveDC(dc);
    if (HWND parent = Owner(lb)) SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    RestoreDC(dc, saved);
    return;
  }
  if (i >= lb.Count()) return;
  COLORREF text = GetTextColor(dc), back = GetBkColor(dc);
  if (sel) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    FillRect(dc, &r, bg);
    if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  }
  SetBkMode(dc, TRANSPARENT);
  RECT tr{r.left + 2, r.top, r.right, r.bottom};
  UINT fmt = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT;
  if (lb.Style() & LBS_USETABSTOPS) fmt |= DT_EXPANDTABS;
  const std::string& t = lb.items[static_cast<std::size_t>(i)].text;
  DrawText(dc, t.c_str(), static_cast<int>(t.size()), &tr, fmt);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
  if (focus) DrawFocusRect(dc, &r);
}

void Paint(ListBox& lb) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(lb.hwnd, &ps);
  if (!lb.redraw) {
    // Painting waits until redrawing is turned back on, which repaints the whole list.
    EndPaint(lb.hwnd, &ps);
    return;
  }
  HGDIOBJ oldFont = SelectObject(dc, lb.font ? lb.font : DefaultGuiFont());
  HBRUSH bg = nullptr;
  if (!GetParent(lb.hwnd) && Owner(lb))
    bg = reinterpret_cast<HBRUSH>(SendMessage(Owner(lb), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(lb.hwnd)));
  if (!bg) bg = ControlColor(lb.hwnd, dc, WM_CTLCOLORLISTBOX);
  if (!IsWindow(lb.hwnd)) return;
  RECT c;
  GetClientRect(lb.hwnd, &c);
  int h = c.bottom;
  int y = 0;
  for (int i = lb.top; i < lb.Count() && y < h; ++i) {
    DrawItem(lb, dc, i, bg);
    if (!IsWindow(lb.hwnd)) return;
    y += Height(lb, i);
  }
  RECT rest{c.left, y, c.right, c.bottom};
  if (rest.bottom > rest.top) FillRect(dc, &rest, bg);
  // An empty list still shows where the focus is.
  if (lb.Count() == 0 && lb.focused) {
    RECT f{0, 0, c.right, lb.itemHeight};
    DrawFocusRect(dc, &f);
  }
  SelectObject(dc, oldFont);
  EndPaint(lb.hwnd, &ps);
}

void ApplyFont(ListBox& lb, HFONT font) {
  lb.font = font;
  if (lb.OwnerDraw()) return;  // owner-drawn heights come from the owner
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, font ? font : DefaultGuiFont());
  TEXTMETRICA tm{};
  GetTextMetrics(dc, &tm);
  DeleteDC(dc);
  lb.itemHeight = std::max(1, static_cast<int>(tm.tmHeight));
}

LRESULT FindString(const ListBox& lb, WPARAM start, LPARAM lParam, bool exact) {
  int n = lb.Count();
  if (n == 0) return LB_ERR;
  int from = static_cast<int>(static_cast<INT_PTR>(start));
  if (from < -1 || from >= n) from = -1;
  for (int k = 1; k <= n; ++k) {
    int i = (from + k) % n;
    const Item& it = lb.items[static_cast<std::size_t>(i)];
    if (!lb.HasStrings()) {
      if (it.data == static_cast<ULONG_PTR>(lParam)) return i;
      continue;
    }
    const char* s = reinterpret_cast<const char*>(lParam);
    std::string p = s ? s : "";
    if (exact ? CompareText(it.text, p) == 0 : HasPrefix(it.text, p)) return i;
  }
  return LB_ERR;
}

void TypeAhead(ListBox& lb, char32_t c) {
  if (!lb.HasStrings() || lb.Count() == 0) return;
  DWORD now = GetTickCount();
  if (now - lb.typedAt > kTypeAheadMs) lb.typed.clear();
  lb.typedAt = now;
  lb.typed.push_back(c);
  std::string prefix = CodePointsToUtf8(lb.typed);
  // The same letter again steps through the items that start with it.
  bool repeat = lb.typed.size() > 1 && std::all_of(lb.typed.begin(), lb.typed.end(), [&](char32_t x) { return x == lb.typed[0]; });
  int start = lb.caret;
  LRESULT found = LB_ERR;
  if (repeat) {
    found = FindString(lb, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(CodePointToUtf8(c).c_str()), false);
  } else {
    // A longer prefix may still match the current item.
    found = FindString(lb, static_cast<WPARAM>(lb.typed.size() > 1 ? start - 1 : start), reinterpret_cast<LPARAM>(prefix.c_str()), false);
  }
  if (found != LB_ERR) UserMove(lb, static_cast<int>(found), false, false, false);
}

void KeyDown(ListBox& lb, WPARAM vk) {
  bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  if (lb.Style() & LBS_WANTKEYBOARDINPUT) {
    HWND parent = Owner(lb);
    LRESULT r = parent ? SendMessage(parent, WM_VKEYTOITEM, MAKEWPARAM(static_cast<WORD>(vk), static_cast<WORD>(lb.caret)),
                                     reinterpret_cast<LPARAM>(lb.hwnd))
                       : -1;
    if (!LbOf(lb.hwnd) || r == -2) return;
    if (r >= 0) {
      UserMove(lb, static_cast<int>(r), false, false, false);
      return;
    }
  }
  int to = -1;
  int page = PageSize(lb, lb.top);
  switch (vk) {
    case VK_UP: to = lb.caret - 1; break;
    case VK_DOWN: to = lb.caret + 1; break;
    case VK_PRIOR: to = lb.caret - std::max(1, page - 1); break;
    case VK_NEXT: to = lb.caret + std::max(1, page - 1); break;
    case VK_HOME: to = 0; break;
    case VK_END: to = lb.Count() - 1; break;
    case VK_SPACE:
      if (lb.Multi()) {
        if (lb.Extended() && !ctrl) UserMove(lb, lb.caret, shift, false, false);
        else {
          bool was = IsSelected(lb, lb.caret);
          (void)was;
          UserMove(lb, lb.caret, false, true, true);
        }
      }
      return;
    default: return;
  }
  if (lb.Count() == 0) return;
  to = std::clamp(to, 0, lb.Count() - 1);
  if (lb.Multi() && !lb.Extended()) {
    UserMove(lb, to, false, false, false);
  } else if (lb.Extended() && ctrl && !shift) {
    SetCaret(lb, to);
    EnsureVisible(lb, to);
  } else {
    UserMove(lb, to, shift, false, false);
  }
}

void MouseDown(ListBox& lb, POINT p, WPARAM keys, bool dbl) {
  bool outside = false;
  int i = IndexAt(lb, p, &outside);
  if (lb.Count() == 0 || outside) {
    if (dbl) return;
    return;
  }
  if (dbl) {
    Notify(lb, LBN_DBLCLK);
    return;
  }
  bool shift = (keys & MK_SHIFT) != 0, ctrl = (keys & MK_CONTROL) != 0;
  lb.selNoticed = false;
  if (lb.Multi() && !lb.Extended()) UserMove(lb, i, false, false, true);
  else UserMove(lb, i, shift, ctrl, true);
  lb.tracking = !(lb.Multi() && !lb.Extended()) && !ctrl;
  if (lb.tracking) SetCapture(lb.hwnd);
}

void MouseMove(ListBox& lb, POINT p) {
  if (!lb.tracking || lb.Count() == 0) return;
  int i = IndexAt(lb, p, nullptr);
  // Above or below the window the list scrolls one item per move.
  if (p.y < 0) i = std::max(0, lb.top - 1);
  if (i == lb.caret) return;
  UserMove(lb, i, lb.Extended(), false, false);
}

}  // namespace

LRESULT ListBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ListBox* lb = LbOf(hwnd);
  if (!lb && msg != WM_NCCREATE) return DefWindowProc(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_NCCREATE: {
      auto s = std::make_unique<ListBox>();
      s->hwnd = hwnd;
      if (const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam)) s->createdParent = cs->hwndParent;
      lb = AttachState(hwnd, std::move(s));
      DWORD style = lb->Style();
      if (style & LBS_OWNERDRAWVARIABLE) style &= ~LBS_OWNERDRAWFIXED;
      if (style & LBS_EXTENDEDSEL) style &= ~LBS_MULTIPLESEL;
      lb->wantV = (style & WS_VSCROLL) != 0;
      lb->wantH = (style & WS_HSCROLL) != 0;
      SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(style));
      return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    case WM_CREATE:
      ApplyFont(*lb, nullptr);
      if (lb->OwnerDraw()) {
        // The owner gives the height of fixed items once, and of variable items as each arrives.
        MEASUREITEMSTRUCT mis;
        mis.CtlType = ODT_LISTBOX;
        mis.CtlID = static_cast<UINT>(ControlId(*lb));
        mis.itemHeight = 13;
        if (HWND parent = Owner(*lb)) SendMessage(parent, WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
        if ((lb = LbOf(hwnd))) lb->itemHeight = std::max(1, static_cast<int>(mis.itemHeight));
      }
      if (lb) UpdateScroll(*lb);
      return 0;
    case WM_NCDESTROY:
      DetachState<ListBox>(hwnd);
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_DESTROY:
      if (lb->OwnerDraw()) {
        while (lb->Count() > 0) {
          Delete(*lb, lb->Count() - 1);
          if (!(lb = LbOf(hwnd))) return 0;
        }
      }
      return 0;
    case WM_SETFONT:
      ApplyFont(*lb, reinterpret_cast<HFONT>(wParam));
      UpdateScroll(*lb);
      if (LOWORD(static_cast<DWORD_PTR>(lParam))) Invalidate(*lb);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(lb->font);
    case WM_SETREDRAW:
      lb->redraw = wParam != 0;
      if (lb->redraw) {
        UpdateScroll(*lb);
        InvalidateRect(hwnd, nullptr, TRUE);
      }
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(*lb);
      return 0;
    case WM_SIZE:
      lb->top = std::clamp(lb->top, 0, MaxTop(*lb));
      UpdateScroll(*lb);
      Invalidate(*lb);
      return 0;
    case WM_ENABLE:
      Invalidate(*lb);
      return 0;
    case WM_SETFOCUS:
      lb->focused = true;
      InvalidateItem(*lb, lb->caret);
      if (lb->Count() == 0) InvalidateRect(hwnd, nullptr, TRUE);
      NotifyOwner(*lb, LBN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      lb->focused = false;
      lb->tracking = false;
      InvalidateItem(*lb, lb->caret);
      if (lb->Count() == 0) InvalidateRect(hwnd, nullptr, TRUE);
      NotifyOwner(*lb, LBN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
      KeyDown(*lb, wParam);
      return 0;
    case WM_CHAR:
      if (wParam >= 0x20 && wParam != 0x7F) {
        if (lb->OwnerDraw() && !lb->HasStrings()) {
          HWND parent = Owner(*lb);
          LRESULT r = parent ? SendMessage(parent, WM_CHARTOITEM, MAKEWPARAM(static_cast<WORD>(wParam), static_cast<WORD>(lb->caret)),
                                           reinterpret_cast<LPARAM>(hwnd))
                             : -1;
          if ((lb = LbOf(hwnd)) && r >= 0) UserMove(*lb, static_cast<int>(r), false, false, false);
          return 0;
        }
        if (wParam != ' ' || !lb->Multi()) TypeAhead(*lb, static_cast<char32_t>(wParam));
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GetFocus() != hwnd) SetFocus(hwnd);
      if (!(lb = LbOf(hwnd))) return 0;
      MouseDown(*lb, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam, msg == WM_LBUTTONDBLCLK);
      return 0;
    case WM_MOUSEMOVE:
      if (wParam & MK_LBUTTON) MouseMove(*lb, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      if (lb->tracking) {
        lb->tracking = false;
        if (GetCapture() == hwnd) ReleaseCapture();
        // Every click ends in a selection notice, also one that picked the entry already selected.
        if (!lb->selNoticed && !lb->items.empty()) Notify(*lb, LBN_SELCHANGE);
      }
      return 0;
    case WM_CAPTURECHANGED:
      lb->tracking = false;
      return 0;
    case WM_MOUSEWHEEL: {
      SetTop(*lb, lb->top + WheelScrollLines(wParam, PageSize(*lb, lb->top)));
      return 0;
    }
    case WM_VSCROLL: {
      int page = PageSize(*lb, lb->top);
      // A scroll bar control of the owner's passes the thumb's position in the high word; the
      // list's own bar is read in full.
      SCROLLINFO si;
      si.fMask = SIF_TRACKPOS;
      si.nTrackPos = HIWORD(wParam);
      if (!lParam) GetScrollInfo(hwnd, SB_VERT, &si);
      switch (LOWORD(wParam)) {
        case SB_LINEUP: SetTop(*lb, lb->top - 1); break;
        case SB_LINEDOWN: SetTop(*lb, lb->top + 1); break;
        case SB_PAGEUP: SetTop(*lb, lb->top - std::max(1, page - 1)); break;
        case SB_PAGEDOWN: SetTop(*lb, lb->top + std::max(1, page - 1)); break;
        case SB_TOP: SetTop(*lb, 0); break;
        case SB_BOTTOM: SetTop(*lb, lb->Count()); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: SetTop(*lb, si.nTrackPos); break;
        default: break;
      }
      return 0;
    }
    case WM_HSCROLL: {
      RECT c;
      GetClientRect(hwnd, &c);
      int old = lb->xOffset;
      SCROLLINFO si;
      si.fMask = SIF_TRACKPOS;
      si.nTrackPos = HIWORD(wParam);
      if (!lParam) GetScrollInfo(hwnd, SB_HORZ, &si);
      switch (LOWORD(wParam)) {
        case SB_LINELEFT: lb->xOffset -= 8; break;
        case SB_LINERIGHT: lb->xOffset += 8; break;
        case SB_PAGELEFT: lb->xOffset -= c.right; break;
        case SB_PAGERIGHT: lb->xOffset += c.right; break;
        case SB_LEFT: lb->xOffset = 0; break;
        case SB_RIGHT: lb->xOffset = lb->hExtent; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: lb->xOffset = si.nTrackPos; break;
        default: break;
      }
      lb->xOffset = std::clamp(lb->xOffset, 0, std::max(0, lb->hExtent - static_cast<int>(c.right)));
      if (old != lb->xOffset) {
        Invalidate(*lb);
        UpdateScroll(*lb);
      }
      return 0;
    }

    case LB_ADDSTRING:
      return Insert(*lb, -1, lParam, (lb->Style() & LBS_SORT) != 0);
    case LB_INSERTSTRING:
      return Insert(*lb, static_cast<int>(static_cast<INT_PTR>(wParam)), lParam, false);
    case LB_DELETESTRING: {
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (i < 0 || i >= lb->Count()) return LB_ERR;
      Delete(*lb, i);
      if (!(lb = LbOf(hwnd))) return 0;
      Invalidate(*lb);
      UpdateScroll(*lb);
      return lb->Count();
    }
    case LB_RESETCONTENT:
      while (lb->Count() > 0) {
        Delete(*lb, lb->Count() - 1);
        if (!(lb = LbOf(hwnd))) return 0;
      }
      lb->top = lb->caret = lb->anchor = 0;
      lb->cursel = -1;
      Invalidate(*lb);
      UpdateScroll(*lb);
      return 0;
    case LB_GETCOUNT:
      return lb->Count();
    case LB_GETTEXT: {
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (i < 0 || i >= lb->Count() || !lParam) return LB_ERR;
      const Item& it = lb->items[static_cast<std::size_t>(i)];
      if (!lb->HasStrings()) {
        std::memcpy(reinterpret_cast<void*>(lParam), &it.data, sizeof it.data);
        return sizeof it.data;
      }
      // The caller's buffer is as long as LB_GETTEXTLEN said, plus the terminator.
      std::memcpy(reinterpret_cast<char*>(lParam), it.text.c_str(), it.text.size() + 1);
      return static_cast<LRESULT>(it.text.size());
    }
    case LB_GETTEXTLEN: {
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (i < 0 || i >= lb->Count()) return LB_ERR;
      return lb->HasStrings() ? static_cast<LRESULT>(lb->items[static_cast<std::size_t>(i)].text.size())
                              : static_cast<LRESULT>(sizeof(ULONG_PTR));
    }
    case LB_GETITEMDATA: {
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (i < 0 || i >= lb->Count()) return LB_ERR;
      return static_cast<LRESULT>(lb->items[static_cast<std::size_t>(i)].data);
    }
    case LB_SETITEMDATA: {
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (i < 0 || i >= lb->Count()) return LB_ERR;
      lb->items[static_cast<std::size_t>(i)].data = static_cast<ULONG_PTR>(lParam);
      return TRUE;
    }
    case LB_SETCURSEL: {
      if (lb->Multi()) return LB_ERR;
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (i < 0 || i >= lb->Count()) {
        SelectSingle(*lb, -1);
        return LB_ERR;
      }
      SelectSingle(*lb, i);
      SetCaret(*lb, i);
      EnsureVisible(*lb, i);
      return i;
    }
    case LB_GETCURSEL:
      if (lb->Multi()) return lb->Count() ? lb->caret : LB_ERR;
      return lb->cursel < 0 ? LB_ERR : lb->cursel;
    case LB_SETSEL: {
      if (!lb->Multi()) return LB_ERR;
      int i = static_cast<int>(lParam);
      if (i == -1) {
        SetRange(*lb, 0, lb->Count() - 1, wParam != 0);
        return 0;
      }
      if (i < 0 || i >= lb->Count()) return LB_ERR;
      SetRange(*lb, i, i, wParam != 0);
      if (wParam) {
        SetCaret(*lb, i);
        lb->anchor = i;
      }
      return 0;
    }
    case LB_GETSEL: {
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (i < 0 || i >= lb->Count()) return LB_ERR;
      return IsSelected(*lb, i) ? 1 : 0;
    }
    case LB_GETSELCOUNT: {
      if (!lb->Multi()) return LB_ERR;
      return std::count_if(lb->items.begin(), lb->items.end(), [](const Item& it) { return it.selected; });
    }
    case LB_GETSELITEMS: {
      if (!lb->Multi()) return LB_ERR;
      int* out = reinterpret_cast<int*>(lParam);
      int n = 0;
      for (int i = 0; i < lb->Count() && n < static_cast<int>(wParam); ++i)
        if (lb->items[static_cast<std::size_t>(i)].selected) {
          if (out) out[n] = i;
          ++n;
        }
      return n;
    }
    case LB_SELITEMRANGE: {
      if (!lb->Multi()) return LB_ERR;
      SetRange(*lb, LOWORD(static_cast<DWORD_PTR>(lParam)), HIWORD(static_cast<DWORD_PTR>(lParam)), wParam != 0);
      return 0;
    }
    case LB_SELITEMRANGEEX: {
      if (!lb->Multi()) return LB_ERR;
      int a = static_cast<int>(static_cast<INT_PTR>(wParam)), b = static_cast<int>(lParam);
      if (a <= b) SetRange(*lb, a, b, true);
      else SetRange(*lb, b, a, false);
      return 0;
    }
    case LB_SETCARETINDEX: {
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (i < 0 || i >= lb->Count()) return LB_ERR;
      SetCaret(*lb, i);
      if (!lb->Multi()) SelectSingle(*lb, i);
      // lParam TRUE scrolls only until the item is partly visible; either way it ends up in view.
      EnsureVisible(*lb, i);
      return 0;
    }
    case LB_GETCARETINDEX:
      return lb->caret;
    case LB_SETANCHORINDEX: {
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (i < 0 || i >= lb->Count()) return LB_ERR;
      lb->anchor = i;
      return 0;
    }
    case LB_GETANCHORINDEX:
      return lb->anchor;
    case LB_SETTOPINDEX: {
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (i < 0 || (i >= lb->Count() && lb->Count() > 0)) return LB_ERR;
      SetTop(*lb, i);
      return 0;
    }
    case LB_GETTOPINDEX:
      return lb->top;
    case LB_FINDSTRING:
      return FindString(*lb, wParam, lParam, false);
    case LB_FINDSTRINGEXACT:
      return FindString(*lb, wParam, lParam, true);
    case LB_SELECTSTRING: {
      LRESULT i = FindString(*lb, wParam, lParam, false);
      if (i == LB_ERR) return LB_ERR;
      if (lb->Multi()) {
        SetRange(*lb, static_cast<int>(i), static_cast<int>(i), true);
        SetCaret(*lb, static_cast<int>(i));
      } else {
        SelectSingle(*lb, static_cast<int>(i));
        SetCaret(*lb, static_cast<int>(i));
      }
      EnsureVisible(*lb, static_cast<int>(i));
      return i;
    }
    case LB_GETITEMRECT: {
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (!lParam || i < 0 || (i >= lb->Count() && !(i == 0 && lb->Count() == 0))) return LB_ERR;
      *reinterpret_cast<RECT*>(lParam) = ItemRect(*lb, i);
      return 1;
    }
    case LB_ITEMFROMPOINT: {
      bool outside = false;
      int i = IndexAt(*lb, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, &outside);
      return MAKELRESULT(static_cast<WORD>(i), outside ? 1 : 0);
    }
    case LB_GETITEMHEIGHT: {
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (lb->Variable() && (i < 0 || i >= lb->Count())) return LB_ERR;
      return Height(*lb, i);
    }
    case LB_SETITEMHEIGHT: {
      int h = LOWORD(static_cast<DWORD_PTR>(lParam));
      if (h <= 0 || h > 255) return LB_ERR;
      int i = static_cast<int>(static_cast<INT_PTR>(wParam));
      if (lb->Variable()) {
        if (i < 0 || i >= lb->Count()) return LB_ERR;
        lb->items[static_cast<std::size_t>(i)].height = h;
      } else {
        lb->itemHeight = h;
      }
      lb->top = std::clamp(lb->top, 0, MaxTop(*lb));
      Invalidate(*lb);
      UpdateScroll(*lb);
      return 0;
    }
    case LB_SETHORIZONTALEXTENT:
      lb->hExtent = static_cast<int>(wParam);
      UpdateScroll(*lb);
      Invalidate(*lb);
      return 0;
    case LB_GETHORIZONTALEXTENT:
      return lb->hExtent;
    case LB_INITSTORAGE:
      lb->items.reserve(lb->items.size() + wParam);
      return static_cast<LRESULT>(lb->items.capacity());
    case LB_SETCOUNT: {
      // A list without data has only a count; its owner draws each item from its index.
      if (!(lb->Style() & LBS_NODATA)) return LB_ERR;
      const auto count = static_cast<std::size_t>(std::min<WPARAM>(wParam, 0x7FFFFFF));
      lb->items.resize(count);
      const int last = static_cast<int>(count) - 1;
      if (lb->cursel > last) lb->cursel = -1;
      lb->caret = std::clamp(lb->caret, 0, std::max(0, last));
      lb->anchor = std::clamp(lb->anchor, 0, std::max(0, last));
      lb->top = std::clamp(lb->top, 0, std::max(0, last));
      UpdateScroll(*lb);
      Invalidate(*lb);
      return 0;
    }
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace platform::wm
