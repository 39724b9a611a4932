// Menus: the menu objects, menu bars drawn in the non-client area, popup windows, the window menu
// and the modal loop that tracks them.
#include "platform/win/Menu.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <cwctype>
#include <map>
#include <memory>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/system/HandleTable.h"
#include "platform/system/Modules.h"
#include "platform/win/ControlsInternal.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/Rects.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

struct Item {
  UINT type = MFT_STRING;
  UINT state = 0;
  UINT id = 0;
  HMENU sub = nullptr;
  HBITMAP checked = nullptr;
  HBITMAP unchecked = nullptr;
  HBITMAP bitmap = nullptr;
  ULONG_PTR data = 0;
  std::string text;
  RECT rect;  // laid out within its bar (window coordinates) or popup (client coordinates)
};

struct MenuObj {
  std::vector<Item> items;
  bool bar = false;
  DWORD style = 0;
  UINT cyMax = 0;
  HBRUSH back = nullptr;
  DWORD helpId = 0;
  ULONG_PTR menuData = 0;
  HWND popup = nullptr;  // the window showing it while it is open
  int hot = -1;          // highlighted item
  bool open = false;     // a bar item's popup is open (the bar item shows pressed)
};

HandleTable<MenuObj>& Menus() {
  static HandleTable<MenuObj> table(HandleKind::Menu);
  return table;
}

MenuObj* M(HMENU h) { return Menus().Get(platform::HandleValue(h)); }

HFONT MenuFont(bool bold) {
  static HFONT normal = nullptr, strong = nullptr;
  HFONT& f = bold ? strong : normal;
  if (!f) {
    LOGFONTA lf{};
    lf.lfHeight = -11;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(lf.lfFaceName, "Tahoma");
    f = CreateFontIndirect(&lf);
  }
  return f;
}

bool IsSeparator(const Item& it) { return (it.type & MFT_SEPARATOR) != 0; }
bool IsDisabled(const Item& it) { return (it.state & MFS_GRAYED) != 0; }
bool IsOwnerDraw(const Item& it) { return (it.type & MFT_OWNERDRAW) != 0; }
bool IsBitmapItem(const Item& it) { return (it.type & MFT_BITMAP) != 0 && !it.text.size(); }

// Finds an item by command (searching sub-menus too) or by position.
MenuObj* FindItem(HMENU menu, UINT key, bool byPosition, int& index, HMENU* owner = nullptr) {
  MenuObj* m = M(menu);
  if (!m) return nullptr;
  if (byPosition) {
    if (key >= m->items.size()) return nullptr;
    index = static_cast<int>(key);
    if (owner) *owner = menu;
    return m;
  }
  for (std::size_t i = 0; i < m->items.size(); ++i) {
    if (!m->items[i].sub && m->items[i].id == key) {
      index = static_cast<int>(i);
      if (owner) *owner = menu;
      return m;
    }
  }
  for (std::size_t i = 0; i < m->items.size(); ++i) {
    if (m->items[i].sub) {
      if (MenuObj* found = FindItem(m->items[i].sub, key, false, index, owner)) return found;
    }
  }
  // A sub-menu may be found by its own id, as the platform allows.
  for (std::size_t i = 0; i < m->items.size(); ++i) {
    if (m->items[i].sub && m->items[i].id == key) {
      index = static_cast<int>(i);
      if (owner) *owner = menu;
      return m;
    }
  }
  return nullptr;
}

Item FromFlags(UINT flags, UINT_PTR idOrSub, LPCSTR text) {
  Item it;
  if (flags & MF_SEPARATOR) it.type |= MFT_SEPARATOR;
  if (flags & MF_OWNERDRAW) {
    it.type |= MFT_OWNERDRAW;
    it.data = reinterpret_cast<ULONG_PTR>(text);
  } else if (flags & MF_BITMAP) {
    it.type |= MFT_BITMAP;
    it.bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(text));
  } else if (!(flags & MF_SEPARATOR) && text) {
    it.text = text;
  }
  if (flags & MF_MENUBARBREAK) it.type |= MFT_MENUBARBREAK;
  if (flags & MF_MENUBREAK) it.type |= MFT_MENUBREAK;
  if (flags & MF_RIGHTJUSTIFY) it.type |= MFT_RIGHTJUSTIFY;
  it.state |= flags & (MF_GRAYED | MF_DISABLED);
  if (flags & MF_CHECKED) it.state |= MFS_CHECKED;
  if (flags & MF_DEFAULT) it.state |= MFS_DEFAULT;
  if (flags & MF_HILITE) it.state |= MFS_HILITE;
  if (flags & MF_POPUP) {
    it.sub = reinterpret_cast<HMENU>(idOrSub);
    it.id = static_cast<UINT>(idOrSub);
  } else {
    it.id = static_cast<UINT>(idOrSub);
  }
  return it;
}

void DestroyTree(HMENU h) {
  std::unique_ptr<MenuObj> m = Menus().Remove(platform::HandleValue(h));
  if (!m) return;
  if (m->popup && IsWindow(m->popup)) DestroyWindow(m->popup);
  for (Item& it : m->items)
    if (it.sub) DestroyTree(it.sub);
}

// ---- layout ------------------------------------------------------------------------------------

struct Measure {
  HDC dc = CreateCompatibleDC(nullptr);
  ~Measure() { DeleteDC(dc); }
  SIZE Text(const std::string& s, bool bold) {
    SelectObject(dc, MenuFont(bold));
    RECT r{0, 0, 0, 0};
    DrawText(dc, s.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
  }
};

SIZE BitmapSize(HBITMAP b) {
  auto v = reinterpret_cast<INT_PTR>(b);
  if (v >= -1 && v <= 11) return {GetSystemMetrics(SM_CXMENUSIZE), GetSystemMetrics(SM_CYMENUSIZE)};
  BITMAP bm{};
  if (!GetObject(b, sizeof bm, &bm)) return {0, 0};
  return {bm.bmWidth, bm.bmHeight};
}

SIZE OwnerMeasure(HWND owner, const Item& it, int fallbackHeight) {
  MEASUREITEMSTRUCT mis;
  mis.CtlType = ODT_MENU;
  mis.itemID = it.id;
  mis.itemData = it.data;
  mis.itemHeight = static_cast<UINT>(fallbackHeight);
  if (owner) SendMessage(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  return {static_cast<LONG>(mis.itemWidth), static_cast<LONG>(mis.itemHeight)};
}

constexpr int kPopupBorder = 3;
constexpr int kCheckColumn = 18;
constexpr int kArrowColumn = 16;

int PopupItemHeight() { return GetSystemMetrics(SM_CYMENU) - 2; }

// Lays out a popup's items in client coordinates and returns its window size.
SIZE LayoutPopup(MenuObj& m, HWND owner) {
  Measure measure;
  int textWidth = 0, accelWidth = 0;
  int y = kPopupBorder, x = kPopupBorder;
  int colWidth = 0;
  std::vector<int> heights(m.items.size());
  std::vector<int> widths(m.items.size());
  for (std::size_t i = 0; i < m.items.size(); ++i) {
    Item& it = m.items[i];
    int h = PopupItemHeight();
    int w = 0;
    if (IsSeparator(it)) {
      h = 9;
    } else if (IsOwnerDraw(it)) {
      SIZE s = OwnerMeasure(owner, it, h);
      h = s.cy;
      w = s.cx;
    } else if (IsBitmapItem(it)) {
      SIZE s = BitmapSize(it.bitmap);
      h = std::max(h, static_cast<int>(s.cy));
      w = s.cx;
    } else {
      std::size_t tab = it.text.find('\t');
      std::string label = it.text.substr(0, tab);
      SIZE s = measure.Text(label, (it.state & MFS_DEFAULT) != 0);
      textWidth = std::max(textWidth, static_cast<int>(s.cx));
      if (tab != std::string::npos) accelWidth = std::max(accelWidth, static_cast<int>(measure.Text(it.text.substr(tab + 1), false).cx));
      h = std::max(h, static_cast<int>(s.cy) + 4);
    }
    heights[i] = h;
    widths[i] = w;
  }
  int column = kCheckColumn + textWidth + (accelWidth ? accelWidth + 16 : 0) + kArrowColumn;
  for (std::size_t i = 0; i < m.items.size(); ++i) column = std::max(column, widths[i] + (IsOwnerDraw(m.items[i]) ? 0 : kCheckColumn));
  int maxBottom = 0;
  for (std::size_t i = 0; i < m.items.size(); ++i) {
    Item& it = m.items[i];
    if (i > 0 && (it.type & (MFT_MENUBREAK | MFT_MENUBARBREAK))) {
      x += colWidth ? colWidth : column;
      y = kPopupBorder;
    }
    colWidth = column;
    it.rect = {x, y, x + column, y + heights[i]};
    y += heights[i];
    maxBottom = std::max(maxBottom, y);
  }
  if (m.items.empty()) maxBottom = kPopupBorder + 2;
  return {x + column + kPopupBorder, maxBottom + kPopupBorder};
}

RECT BarRect(const Window& w) {
  int h = w.client.top - (CaptionRect(w).bottom + 1);
  if (!HasCaptionStyle(w.style)) h = w.client.top - NonClientInsets(w.style, w.exStyle, false).top;
  int right = w.client.right + ((w.style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
  return {w.client.left, w.client.top - h, right, w.client.top};
}

// Lays out a bar's items in window coordinates within `area` and returns the rows' height.
int LayoutBar(MenuObj& m, const RECT& area, HWND owner) {
  Measure measure;
  int rowH = GetSystemMetrics(SM_CYMENU);
  int x = area.left, y = area.top, rows = 1;
  std::size_t rightFrom = m.items.size();
  for (std::size_t i = 0; i < m.items.size(); ++i) {
    Item& it = m.items[i];
    int w;
    if (IsOwnerDraw(it)) w = OwnerMeasure(owner, it, rowH).cx;
    else if (IsBitmapItem(it)) w = BitmapSize(it.bitmap).cx + 4;
    else w = measure.Text(it.text, false).cx + 16;
    if ((x + w > area.right && x > area.left) || (i > 0 && (it.type & (MFT_MENUBREAK | MFT_MENUBARBREAK)))) {
      x = area.left;
      y += rowH;
      ++rows;
    }
    if ((it.type & MFT_RIGHTJUSTIFY) && rightFrom == m.items.size()) rightFrom = i;
    it.rect = {x, y, x + w, y + rowH};
    x += w;
  }
  // Items from the first right-justified one on sit at the right end of the last row.
  if (rightFrom < m.items.size()) {
    int shift = area.right - m.items.back().rect.right;
    for (std::size_t i = rightFrom; i < m.items.size(); ++i)
      if (m.items[i].rect.top == m.items.back().rect.top) OffsetRect(&m.items[i].rect, std::max(0, shift), 0);
  }
  return rows * rowH;
}

// ---- drawing -----------------------------------------------------------------------------------

void DrawMenuBitmap(HDC dc, HBITMAP b, const RECT& r, bool disabled) {
  auto v = reinterpret_cast<INT_PTR>(b);
  UINT glyph = 0xFFFF;
  switch (v) {
    case 2: case 9: glyph = DFCS_CAPTIONRESTORE; break;
    case 3: case 7: case 11: glyph = DFCS_CAPTIONMIN; break;
    case 5: case 6: case 8: glyph = DFCS_CAPTIONCLOSE; break;
    case 10: glyph = DFCS_CAPTIONMAX; break;
    default: break;
  }
  if (glyph != 0xFFFF) {
    int s = std::min(r.right - r.left, r.bottom - r.top) - 4;
    RECT g{r.left + (r.right - r.left - s) / 2, r.top + (r.bottom - r.top - s) / 2, 0, 0};
    g.right = g.left + s;
    g.bottom = g.top + s;
    if (v < 8) {
      // The bar's glyphs are small buttons.
      DrawFrameControl(dc, &g, DFC_CAPTION, glyph | (disabled ? DFCS_INACTIVE : 0));
      return;
    }
    // The popup glyphs are bare symbols in the text's colour: the button's symbol is lifted out
    // of a button drawn a little larger than the place, its edges left behind.
    int big = s + 6;
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateBitmap(big, big, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all{0, 0, big, big};
    DrawFrameControl(mem, &all, DFC_CAPTION, glyph);
    COLORREF ink = GetTextColor(dc);
    for (int yy = 3; yy < big - 3; ++yy)
      for (int xx = 3; xx < big - 3; ++xx)
        if ((GetPixel(mem, xx, yy) & 0xFFFFFF) == 0) SetPixelV(dc, g.left + xx - 3, g.top + yy - 3, ink);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    return;
  }
  if (v <= 11) return;
  BITMAP bm{};
  if (!GetObject(b, sizeof bm, &bm)) return;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, b);
  BitBlt(dc, r.left + (r.right - r.left - bm.bmWidth) / 2, r.top + (r.bottom - r.top - bm.bmHeight) / 2, bm.bmWidth,
         bm.bmHeight, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

// The window menu of a maximized document, in its frame's bar: the document's small icon, or a
// plain window picture when it has none.
void DrawWindowIcon(HDC dc, HWND hwnd, const RECT& r) {
  int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
  int x = r.left + (r.right - r.left - cx) / 2, y = r.top + (r.bottom - r.top - cy) / 2;
  HICON icon = nullptr;
  if (IsWindow(hwnd)) {
    icon = reinterpret_cast<HICON>(SendMessage(hwnd, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessage(hwnd, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtr(hwnd, GCL_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtr(hwnd, GCL_HICON));
  }
  if (icon && DrawIconEx(dc, x, y, icon, cx, cy, 0, nullptr, DI_NORMAL)) return;
  RECT frame{x + 1, y + 2, x + cx - 1, y + cy - 2};
  FillRect(dc, &frame, GetSysColorBrush(COLOR_WINDOW));
  FrameRect(dc, &frame, GetSysColorBrush(COLOR_WINDOWFRAME));
  RECT caption{frame.left, frame.top, frame.right, frame.top + 3};
  FillRect(dc, &caption, GetSysColorBrush(COLOR_ACTIVECAPTION));
}

void DrawLabel(HDC dc, const std::string& text, RECT r, UINT fmt, bool disabled, bool selected) {
  SetBkMode(dc, TRANSPARENT);
  if (disabled && !selected) {
    RECT lit{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawText(dc, text.c_str(), -1, &lit, fmt);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  }
  DrawText(dc, text.c_str(), -1, &r, fmt);
}

void DrawOwnerItem(HDC dc, HWND owner, HMENU menu, const Item& it, bool selected) {
  DRAWITEMSTRUCT dis;
  dis.CtlType = ODT_MENU;
  dis.itemID = it.id;
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = (selected ? ODS_SELECTED : 0) | ((it.state & MFS_CHECKED) ? ODS_CHECKED : 0) |
                  (IsDisabled(it) ? ODS_GRAYED | ODS_DISABLED : 0) | ((it.state & MFS_DEFAULT) ? ODS_DEFAULT : 0);
  dis.hwndItem = reinterpret_cast<HWND>(menu);
  dis.hDC = dc;
  dis.rcItem = it.rect;
  dis.itemData = it.data;
  int saved = SaveDC(dc);
  if (owner) SendMessage(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  RestoreDC(dc, saved);
}

void PaintPopupItems(HDC dc, HMENU menu, MenuObj& m, HWND owner) {
  for (std::size_t i = 0; i < m.items.size(); ++i) {
    const Item& it = m.items[i];
    bool selected = static_cast<int>(i) == m.hot && !IsSeparator(it);
    RECT r = it.rect;
    if (IsOwnerDraw(it)) {
      FillRect(dc, &r, m.back ? m.back : GetSysColorBrush(COLOR_MENU));
      DrawOwnerItem(dc, owner, menu, it, selected);
      continue;
    }
    if (IsSeparator(it)) {
      RECT line{r.left + 1, r.top + 4, r.right - 1, r.top + 6};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
      continue;
    }
    FillRect(dc, &r, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : (m.back ? m.back : GetSysColorBrush(COLOR_MENU)));
    bool disabled = IsDisabled(it);
    COLORREF fg = disabled ? GetSysColor(selected ? COLOR_GRAYTEXT : COLOR_BTNSHADOW)
                           : GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    SetTextColor(dc, fg);
    RECT check{r.left, r.top, r.left + kCheckColumn, r.bottom};
    HBITMAP mark = (it.state & MFS_CHECKED) ? it.checked : it.unchecked;
    if (it.bitmap && !IsBitmapItem(it)) {
      DrawMenuBitmap(dc, it.bitmap, check, disabled);
    } else if (mark) {
      DrawMenuBitmap(dc, mark, check, disabled);
    } else if ((it.state & MFS_CHECKED) && !(m.style & MNS_NOCHECK)) {
      RECT c{check.left + 3, check.top + (check.bottom - check.top - 13) / 2, check.left + 16, 0};
      c.bottom = c.top + 13;
      // The mark takes the text's colour: draw it in a mask and paint through.
      HDC mem = CreateCompatibleDC(dc);
      HBITMAP bmp = CreateBitmap(13, 13, 1, 32, nullptr);
      HGDIOBJ old = SelectObject(mem, bmp);
      RECT all{0, 0, 13, 13};
      DrawFrameControl(mem, &all, DFC_MENU, (it.type & MFT_RADIOCHECK) ? DFCS_MENUBULLET : DFCS_MENUCHECK);
      for (int yy = 0; yy < 13; ++yy)
        for (int xx = 0; xx < 13; ++xx)
          if ((GetPixel(mem, xx, yy) & 0xFFFFFF) == 0) SetPixelV(dc, c.left + xx, c.top + yy, fg);
      SelectObject(mem, old);
      DeleteObject(bmp);
      DeleteDC(mem);
    }
    if (IsBitmapItem(it)) {
      RECT b{r.left + kCheckColumn, r.top, r.right - kArrowColumn, r.bottom};
      DrawMenuBitmap(dc, it.bitmap, b, disabled);
    } else {
      SelectObject(dc, MenuFont((it.state & MFS_DEFAULT) != 0));
      std::size_t tab = it.text.find('\t');
      RECT t{r.left + kCheckColumn, r.top, r.right - kArrowColumn, r.bottom};
      DrawLabel(dc, it.text.substr(0, tab), t, DT_SINGLELINE | DT_VCENTER | DT_LEFT, disabled, selected);
      if (tab != std::string::npos) {
        SetTextColor(dc, fg);
        DrawLabel(dc, it.text.substr(tab + 1), t, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX, disabled, selected);
      }
    }
    if (it.sub) {
      RECT a{r.right - kArrowColumn, r.top + (r.bottom - r.top - 13) / 2, r.right - 3, 0};
      a.bottom = a.top + 13;
      HDC mem = CreateCompatibleDC(dc);
      HBITMAP bmp = CreateBitmap(13, 13, 1, 32, nullptr);
      HGDIOBJ old = SelectObject(mem, bmp);
      RECT all{0, 0, 13, 13};
      DrawFrameControl(mem, &all, DFC_MENU, DFCS_MENUARROW);
      for (int yy = 0; yy < 13; ++yy)
        for (int xx = 0; xx < 13; ++xx)
          if ((GetPixel(mem, xx, yy) & 0xFFFFFF) == 0) SetPixelV(dc, a.left + xx, a.top + yy, fg);
      SelectObject(mem, old);
      DeleteObject(bmp);
      DeleteDC(mem);
    }
  }
}

void PaintBar(Window& w, HDC dc) {
  MenuObj* m = (!(w.style & WS_CHILD) && w.id) ? M(reinterpret_cast<HMENU>(w.id)) : nullptr;
  if (!m) return;
  RECT area = BarRect(w);
  if (area.bottom <= area.top) return;
  LayoutBar(*m, area, w.handle);
  SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  FillRect(dc, &area, m->back ? m->back : GetSysColorBrush(COLOR_MENU));
  SelectObject(dc, MenuFont(false));
  for (std::size_t i = 0; i < m->items.size(); ++i) {
    const Item& it = m->items[i];
    bool hot = static_cast<int>(i) == m->hot;
    if (IsOwnerDraw(it)) {
      DrawOwnerItem(dc, w.handle, reinterpret_cast<HMENU>(w.id), it, hot);
      continue;
    }
    RECT r = it.rect;
    if (hot) {
      RECT e = r;
      DrawEdge(dc, &e, m->open ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    RECT t = r;
    if (hot && m->open) OffsetRect(&t, 1, 1);
    if (IsBitmapItem(it) && it.bitmap == HBMMENU_SYSTEM) {
      DrawWindowIcon(dc, reinterpret_cast<HWND>(it.data), t);
    } else if (IsBitmapItem(it)) {
      DrawMenuBitmap(dc, it.bitmap, t, IsDisabled(it));
    } else {
      SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
      DrawLabel(dc, it.text, t, DT_SINGLELINE | DT_VCENTER | DT_CENTER, IsDisabled(it), false);
    }
  }
  RestoreDC(dc, -1);
}

int BarHeight(const Window& w) {
  MenuObj* m = M(reinterpret_cast<HMENU>(w.id));
  if (!m) return 0;
  RECT in = NonClientInsets(w.style, w.exStyle, false);
  RECT area{in.left, 0, w.Width() - in.right + ((w.style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0), 0};
  area.right -= (w.style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0;
  return LayoutBar(*m, area, nullptr);
}

// ---- the popup window class ---------------------------------------------------------------------

constexpr char kPopupClass[] = "#32768";

struct PopupData {
  HMENU menu = nullptr;
  HWND owner = nullptr;
};

LRESULT PopupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* d = reinterpret_cast<PopupData*>(GetWindowLongPtr(hwnd, 0));
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
      SetWindowLongPtr(hwnd, 0, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
      return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    case WM_NCDESTROY:
      delete d;
      SetWindowLongPtr(hwnd, 0, 0);
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT r;
      GetClientRect(hwnd, &r);
      MenuObj* m = d ? M(d->menu) : nullptr;
      FillRect(dc, &r, (m && m->back) ? m->back : GetSysColorBrush(COLOR_MENU));
      RECT e = r;
      DrawEdge(dc, &e, EDGE_RAISED, BF_RECT);
      if (m) PaintPopupItems(dc, d->menu, *m, d->owner);
      EndPaint(hwnd, &ps);
      return 0;
    }
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

void EnsurePopupClass() {
  static bool done = false;
  if (done) return;
  done = true;
  WNDCLASSEX wc;
  wc.style = CS_SAVEBITS | CS_DBLCLKS | CS_DROPSHADOW;
  wc.lpfnWndProc = PopupProc;
  wc.cbWndExtra = sizeof(void*);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kPopupClass;
  RegisterSystemClass(wc);
}

// ---- window menus -------------------------------------------------------------------------------

std::map<HWND, HMENU>& SystemMenus() {
  static std::map<HWND, HMENU> menus;
  return menus;
}

// The window menu templates: 16 for windows, 32 for MDI children, 48 for windows that are
// neither minimized nor maximized (dialogs and tool windows).
HMENU BuildWindowMenu(int templateId = 16) {
  HMENU m = CreatePopupMenu();
  struct Entry {
    UINT id;
    const char* text;
    HBITMAP bitmap;
    int templates;  // bit 0: 16, bit 1: 32, bit 2: 48
  } entries[] = {
      {static_cast<UINT>(SC_RESTORE), "&Restore", HBMMENU_POPUP_RESTORE, 3},
      {static_cast<UINT>(SC_MOVE), "&Move", nullptr, 7},
      {static_cast<UINT>(SC_SIZE), "&Size", nullptr, 7},
      {static_cast<UINT>(SC_MINIMIZE), "Mi&nimize", HBMMENU_POPUP_MINIMIZE, 3},
      {static_cast<UINT>(SC_MAXIMIZE), "Ma&ximize", HBMMENU_POPUP_MAXIMIZE, 3},
      {0, nullptr, nullptr, 7},
      {static_cast<UINT>(SC_CLOSE), "&Close\tAlt+F4", HBMMENU_POPUP_CLOSE, 5},
      {static_cast<UINT>(SC_CLOSE), "&Close\tCtrl+F4", HBMMENU_POPUP_CLOSE, 2},
      {0, nullptr, nullptr, 2},
      {static_cast<UINT>(SC_NEXTWINDOW), "Nex&t\tCtrl+F6", nullptr, 2},
  };
  const int bit = templateId == 32 ? 2 : templateId == 48 ? 4 : 1;
  for (const Entry& e : entries) {
    if (!(e.templates & bit)) continue;
    if (!e.text) {
      AppendMenu(m, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    MENUITEMINFO mii;
    mii.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP | MIIM_FTYPE;
    mii.fType = MFT_STRING;
    mii.wID = e.id;
    mii.dwTypeData = const_cast<char*>(e.text);
    mii.hbmpItem = e.bitmap;
    InsertMenuItem(m, static_cast<UINT>(GetMenuItemCount(m)), TRUE, &mii);
  }
  SetMenuDefaultItem(m, static_cast<UINT>(SC_CLOSE), FALSE);
  return m;
}

// The window menu's items follow the window's state each time it opens.
void UpdateWindowMenu(HWND hwnd, HMENU m) {
  DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
  bool minimized = (style & WS_MINIMIZE) != 0, maximized = (style & WS_MAXIMIZE) != 0;
  auto set = [&](WPARAM id, bool on) { EnableMenuItem(m, static_cast<UINT>(id), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
  set(SC_RESTORE, minimized || maximized);
  set(SC_MOVE, !maximized);
  set(SC_SIZE, !minimized && !maximized && (style & WS_THICKFRAME));
  set(SC_MINIMIZE, !minimized && (style & WS_MINIMIZEBOX));
  set(SC_MAXIMIZE, !maximized && (style & WS_MAXIMIZEBOX));
}

// ---- the modal loop -----------------------------------------------------------------------------

struct Level {
  HMENU menu = nullptr;
  HWND wnd = nullptr;
};

struct Tracker {
  HWND owner = nullptr;
  UINT flags = 0;
  bool notify = true;
  bool system = false;      // the window menu: commands go as WM_SYSCOMMAND
  HMENU bar = nullptr;      // the menu bar being tracked, if any
  HWND barWindow = nullptr;
  std::vector<Level> levels;
  RECT exclude{};
  bool haveExclude = false;
  bool armed = false;       // the mouse has been over an item since the loop began
  bool done = false;
  UINT chosen = 0;
  bool chosenValid = false;
};

Tracker* g_tracker = nullptr;

void Select(Tracker& t, HMENU menu, int index) {
  MenuObj* m = M(menu);
  if (!m || m->hot == index) return;
  m->hot = index;
  if (m->popup) InvalidateRect(m->popup, nullptr, FALSE);
  else if (menu == t.bar) DrawMenuBar(t.barWindow);
  if (!t.notify || !IsWindow(t.owner)) return;
  if (index >= 0 && index < static_cast<int>(m->items.size())) {
    const Item& it = m->items[static_cast<std::size_t>(index)];
    UINT f = it.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    f |= MF_HILITE;
    if (it.sub) f |= MF_POPUP;
    if (IsSeparator(it)) f |= MF_SEPARATOR;
    if (IsOwnerDraw(it)) f |= MF_OWNERDRAW;
    if (t.system) f |= MF_SYSMENU;
    UINT idOrPos = it.sub ? static_cast<UINT>(index) : it.id;
    SendMessage(t.owner, WM_MENUSELECT, MAKEWPARAM(static_cast<WORD>(idOrPos), static_cast<WORD>(f)), reinterpret_cast<LPARAM>(menu));
  }
}

void ClosePopupsFrom(Tracker& t, std::size_t depth) {
  while (t.levels.size() > depth) {
    Level l = t.levels.back();
    t.levels.pop_back();
    if (MenuObj* m = M(l.menu)) {
      m->hot = -1;
      m->popup = nullptr;
    }
    if (IsWindow(l.wnd)) DestroyWindow(l.wnd);
    if (t.notify && IsWindow(t.owner))
      SendMessage(t.owner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(l.menu), MAKELPARAM(0, t.system ? MF_SYSMENU : 0));
  }
  if (t.bar && t.levels.empty()) {
    if (MenuObj* b = M(t.bar)) {
      if (b->open) {
        b->open = false;
        DrawMenuBar(t.barWindow);
      }
    }
  }
}

// Places a popup of `size` at (x, y) with the alignment flags, on the screen, clear of `avoid`.
POINT PlacePopup(SIZE size, int x, int y, UINT flags, const RECT* avoid, bool vertical) {
  platform::ScreenRect wa = platform::HasDisplay() ? platform::CurrentDisplay().WorkArea() : platform::ScreenRect{0, 0, 1024, 768};
  if (flags & TPM_RIGHTALIGN) x -= size.cx;
  else if (flags & TPM_CENTERALIGN) x -= size.cx / 2;
  if (flags & TPM_BOTTOMALIGN) y -= size.cy;
  else if (flags & TPM_VCENTERALIGN) y -= size.cy / 2;
  if (x + size.cx > wa.right) x = avoid && !vertical ? avoid->left - size.cx : wa.right - size.cx;
  if (y + size.cy > wa.bottom) y = avoid && vertical ? avoid->top - size.cy : wa.bottom - size.cy;
  if (avoid && vertical && y < avoid->bottom && y + size.cy > avoid->top) {
    y = avoid->bottom;
    if (y + size.cy > wa.bottom) y = avoid->top - size.cy;
  }
  if (avoid && !vertical && x < avoid->right && x + size.cx > avoid->left) {
    x = avoid->right;
    if (x + size.cx > wa.right) x = avoid->left - size.cx;
  }
  x = std::max(x, static_cast<int>(wa.left));
  y = std::max(y, static_cast<int>(wa.top));
  return {x, y};
}

bool OpenPopup(Tracker& t, HMENU menu, int x, int y, UINT flags, const RECT* avoid, bool vertical, int indexInParent) {
  MenuObj* m = M(menu);
  if (!m) return false;
  if (t.notify && IsWindow(t.owner))
    SendMessage(t.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(static_cast<WORD>(std::max(indexInParent, 0)), t.system ? 1 : 0));
  if (!(m = M(menu)) || m->items.empty()) return false;
  SIZE size = LayoutPopup(*m, t.owner);
  POINT at = PlacePopup(size, x, y, flags, avoid, vertical);
  EnsurePopupClass();
  auto* data = new PopupData{menu, t.owner};
  HWND wnd = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kPopupClass, "", WS_POPUP | WS_CLIPSIBLINGS,
                            at.x, at.y, size.cx, size.cy, t.owner, nullptr, nullptr, data);
  if (!wnd) {
    delete data;
    return false;
  }
  m->popup = wnd;
  m->hot = -1;
  t.levels.push_back({menu, wnd});
  SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow(wnd);
  return true;
}

int FirstSelectable(const MenuObj& m, int from, int step) {
  int n = static_cast<int>(m.items.size());
  for (int k = 1; k <= n; ++k) {
    int i = ((from + step * k) % n + n) % n;
    if (!IsSeparator(m.items[static_cast<std::size_t>(i)])) return i;
  }
  return -1;
}

void OpenSub(Tracker& t, std::size_t level, int index, bool selectFirst) {
  Level l = t.levels[level];
  MenuObj* m = M(l.menu);
  if (!m || index < 0) return;
  const Item& it = m->items[static_cast<std::size_t>(index)];
  if (!it.sub || IsDisabled(it)) return;
  ClosePopupsFrom(t, level + 1);
  RECT wr;
  GetWindowRect(l.wnd, &wr);
  RECT ir = it.rect;
  OffsetRect(&ir, wr.left, wr.top);
  RECT avoid{wr.left, ir.top, wr.right, ir.bottom};
  if (OpenPopup(t, it.sub, ir.right - 3, ir.top - kPopupBorder, 0, &avoid, false, index) && selectFirst) {
    MenuObj* s = M(it.sub);
    if (s) Select(t, it.sub, FirstSelectable(*s, -1, 1));
  }
}

void OpenBarItem(Tracker& t, int index, bool selectFirst) {
  MenuObj* b = M(t.bar);
  if (!b || index < 0 || index >= static_cast<int>(b->items.size())) return;
  ClosePopupsFrom(t, 0);
  Select(t, t.bar, index);
  b = M(t.bar);
  const Item& it = b->items[static_cast<std::size_t>(index)];
  if (!it.sub || IsDisabled(it)) return;
  b->open = true;
  DrawMenuBar(t.barWindow);
  RECT wr;
  GetWindowRect(t.barWindow, &wr);
  RECT ir = it.rect;
  OffsetRect(&ir, wr.left, wr.top);
  if (OpenPopup(t, it.sub, ir.left, ir.bottom, 0, &ir, true, index) && selectFirst) {
    if (MenuObj* s = M(it.sub)) Select(t, it.sub, FirstSelectable(*s, -1, 1));
  } else if (!selectFirst) {
    if (MenuObj* s = M(it.sub)) s->hot = -1;
  }
}

void Choose(Tracker& t, const Item& it) {
  if (IsDisabled(it) || IsSeparator(it) || it.sub) return;
  t.chosen = it.id;
  t.chosenValid = true;
  t.done = true;
}

// Which level and item lie under a screen point; level -1 for the bar.
bool HitAt(Tracker& t, POINT p, int& level, int& index) {
  for (int l = static_cast<int>(t.levels.size()) - 1; l >= 0; --l) {
    RECT wr;
    GetWindowRect(t.levels[static_cast<std::size_t>(l)].wnd, &wr);
    if (!PtInRect(&wr, p)) continue;
    level = l;
    index = -1;
    MenuObj* m = M(t.levels[static_cast<std::size_t>(l)].menu);
    POINT c{p.x - wr.left, p.y - wr.top};
    for (std::size_t i = 0; m && i < m->items.size(); ++i)
      if (PtInRect(&m->items[i].rect, c)) index = static_cast<int>(i);
    return true;
  }
  if (t.bar) {
    RECT wr;
    GetWindowRect(t.barWindow, &wr);
    MenuObj* b = M(t.bar);
    POINT c{p.x - wr.left, p.y - wr.top};
    for (std::size_t i = 0; b && i < b->items.size(); ++i) {
      if (PtInRect(&b->items[i].rect, c)) {
        level = -1;
        index = static_cast<int>(i);
        return true;
      }
    }
  }
  return false;
}

void MouseMove(Tracker& t, POINT p) {
  int level = 0, index = -1;
  if (!HitAt(t, p, level, index)) return;
  if (level == -1) {
    MenuObj* b = M(t.bar);
    if (b && b->open && b->hot != index) OpenBarItem(t, index, false);
    t.armed = true;
    return;
  }
  Level l = t.levels[static_cast<std::size_t>(level)];
  MenuObj* m = M(l.menu);
  if (!m) return;
  if (index >= 0) t.armed = true;
  if (index >= 0 && IsSeparator(m->items[static_cast<std::size_t>(index)])) index = -1;
  if (m->hot != index || static_cast<std::size_t>(level) + 1 < t.levels.size()) {
    if (index >= 0 && m->items[static_cast<std::size_t>(index)].sub) {
      if (m->hot != index || t.levels.size() == static_cast<std::size_t>(level) + 1) {
        Select(t, l.menu, index);
        OpenSub(t, static_cast<std::size_t>(level), index, false);
      }
    } else if (index >= 0 || static_cast<std::size_t>(level) + 1 == t.levels.size()) {
      ClosePopupsFrom(t, static_cast<std::size_t>(level) + 1);
      Select(t, l.menu, index);
    }
  }
}

void ButtonDown(Tracker& t, POINT p) {
  int level = 0, index = -1;
  if (!HitAt(t, p, level, index)) {
    // A click anywhere else closes the menus.
    t.done = true;
    return;
  }
  t.armed = true;
  if (level == -1) {
    MenuObj* b = M(t.bar);
    if (b && b->open && b->hot == index) {
      ClosePopupsFrom(t, 0);
      t.done = !t.levels.empty() ? false : true;
      return;
    }
    OpenBarItem(t, index, false);
  }
}

void ButtonUp(Tracker& t, POINT p) {
  if (!t.armed) return;
  int level = 0, index = -1;
  if (!HitAt(t, p, level, index) || index < 0) return;
  if (level < 0) {
    // A command on the bar itself (a maximized document's buttons) runs on release; a disabled
    // one ends the menu mode with nothing chosen.
    MenuObj* b = M(t.bar);
    if (!b || static_cast<std::size_t>(index) >= b->items.size()) return;
    const Item& it = b->items[static_cast<std::size_t>(index)];
    if (it.sub || IsSeparator(it)) return;
    if (IsDisabled(it)) t.done = true;
    else Choose(t, it);
    return;
  }
  MenuObj* m = M(t.levels[static_cast<std::size_t>(level)].menu);
  if (m) Choose(t, m->items[static_cast<std::size_t>(index)]);
}

// Mnemonic of an item: the character after a single '&'.
char32_t Mnemonic(const Item& it) {
  std::u32string s = Utf8ToCodePoints(it.text);
  for (std::size_t i = 0; i + 1 < s.size(); ++i) {
    if (s[i] == U'&') {
      if (s[i + 1] == U'&') {
        ++i;
        continue;
      }
      return static_cast<char32_t>(std::towlower(static_cast<wint_t>(s[i + 1])));
    }
  }
  return 0;
}

// Acts on a typed character in a menu: true when something was found.
bool MnemonicIn(Tracker& t, HMENU menu, char32_t c, bool isBar) {
  MenuObj* m = M(menu);
  if (!m) return false;
  c = static_cast<char32_t>(std::towlower(static_cast<wint_t>(c)));
  std::vector<int> hits;
  for (std::size_t i = 0; i < m->items.size(); ++i)
    if (Mnemonic(m->items[i]) == c) hits.push_back(static_cast<int>(i));
  int pick = -1;
  bool execute = false;
  if (hits.size() == 1) {
    pick = hits[0];
    execute = true;
  } else if (hits.size() > 1) {
    pick = hits[0];
    for (int h : hits)
      if (h > m->hot) {
        pick = h;
        break;
      }
  } else if (t.notify && IsWindow(t.owner)) {
    LRESULT r = SendMessage(t.owner, WM_MENUCHAR, MAKEWPARAM(static_cast<WORD>(c), static_cast<WORD>(isBar ? MF_SYSMENU * 0 : MF_POPUP)),
                            reinterpret_cast<LPARAM>(menu));
    WORD how = HIWORD(static_cast<DWORD_PTR>(r));
    if (how == MNC_CLOSE) {
      t.done = true;
      return true;
    }
    if (how == MNC_EXECUTE || how == MNC_SELECT) {
      pick = LOWORD(static_cast<DWORD_PTR>(r));
      execute = how == MNC_EXECUTE;
      if (!(m = M(menu)) || pick >= static_cast<int>(m->items.size())) return false;
    }
  }
  if (pick < 0) return false;
  if (isBar) {
    OpenBarItem(t, pick, true);
    if (!(m = M(menu))) return true;
    if (execute && !m->items[static_cast<std::size_t>(pick)].sub) Choose(t, m->items[static_cast<std::size_t>(pick)]);
    return true;
  }
  Select(t, menu, pick);
  if (execute) {
    const Item& it = m->items[static_cast<std::size_t>(pick)];
    if (it.sub) OpenSub(t, t.levels.size() - 1, pick, true);
    else Choose(t, it);
  }
  return true;
}

void KeyDown(Tracker& t, WPARAM vk) {
  bool inBar = t.levels.empty();
  HMENU cur = inBar ? t.bar : t.levels.back().menu;
  MenuObj* m = M(cur);
  if (!m) {
    t.done = true;
    return;
  }
  MenuObj* b = t.bar ? M(t.bar) : nullptr;
  switch (vk) {
    case VK_ESCAPE:
      if (inBar) t.done = true;
      else if (t.levels.size() == 1 && b) {
        ClosePopupsFrom(t, 0);
      } else {
        ClosePopupsFrom(t, t.levels.size() - 1);
        if (t.levels.empty()) t.done = true;
      }
      return;
    case VK_MENU:
    case VK_F10:
      t.done = true;
      return;
    case VK_UP:
    case VK_DOWN:
      if (inBar) {
        OpenBarItem(t, std::max(b->hot, 0), true);
        return;
      }
      Select(t, cur, FirstSelectable(*m, m->hot < 0 ? (vk == VK_DOWN ? -1 : 0) : m->hot, vk == VK_DOWN ? 1 : -1));
      return;
    case VK_RIGHT:
      if (!inBar && m->hot >= 0 && m->items[static_cast<std::size_t>(m->hot)].sub) {
        OpenSub(t, t.levels.size() - 1, m->hot, true);
        return;
      }
      if (b) {
        bool wasOpen = !inBar;
        int next = FirstSelectable(*b, b->hot, 1);
        if (wasOpen) OpenBarItem(t, next, true);
        else Select(t, t.bar, next);
      }
      return;
    case VK_LEFT:
      if (t.levels.size() > 1) {
        ClosePopupsFrom(t, t.levels.size() - 1);
        return;
      }
      if (b) {
        bool wasOpen = !inBar;
        int prev = FirstSelectable(*b, b->hot < 0 ? 0 : b->hot, -1);
        if (wasOpen) OpenBarItem(t, prev, true);
        else Select(t, t.bar, prev);
      }
      return;
    case VK_RETURN:
      if (inBar) {
        OpenBarItem(t, std::max(b->hot, 0), true);
        return;
      }
      if (m->hot >= 0) {
        const Item& it = m->items[static_cast<std::size_t>(m->hot)];
        if (it.sub) OpenSub(t, t.levels.size() - 1, m->hot, true);
        else if (!IsDisabled(it)) Choose(t, it);
        else t.done = true;
      }
      return;
    default:
      return;
  }
}

// Runs the loop; returns the command chosen (0 for none).
UINT RunLoop(Tracker& t) {
  Tracker* outer = g_tracker;
  g_tracker = &t;
  HWND capture = t.owner;
  SetCapture(capture);
  MSG msg;
  while (!t.done) {
    if (!IsWindow(t.owner)) break;
    if (GetCapture() != capture) break;
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    switch (msg.message) {
      case WM_MOUSEMOVE:
      case WM_NCMOUSEMOVE:
        MouseMove(t, msg.pt);
        continue;
      case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN:
      case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_NCLBUTTONDBLCLK:
        ButtonDown(t, msg.pt);
        continue;
      case WM_LBUTTONUP: case WM_NCLBUTTONUP:
        ButtonUp(t, msg.pt);
        continue;
      case WM_RBUTTONUP: case WM_NCRBUTTONUP:
        if (t.flags & TPM_RIGHTBUTTON) ButtonUp(t, msg.pt);
        continue;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        KeyDown(t, msg.wParam);
        TranslateMessage(&msg);
        continue;
      case WM_CHAR:
      case WM_SYSCHAR: {
        bool inBar = t.levels.empty();
        if (msg.wParam > 0x20 || (msg.wParam == 0x20 && !inBar)) {
          if (!MnemonicIn(t, inBar ? t.bar : t.levels.back().menu, static_cast<char32_t>(msg.wParam), inBar)) MessageBeep(0);
        }
        continue;
      }
      case WM_KEYUP:
      case WM_SYSKEYUP:
        continue;
      default:
        break;
    }
    DispatchMessage(&msg);
  }
  ClosePopupsFrom(t, 0);
  if (t.bar) {
    if (MenuObj* b = M(t.bar)) {
      b->hot = -1;
      b->open = false;
    }
    if (IsWindow(t.barWindow)) DrawMenuBar(t.barWindow);
  }
  if (GetCapture() == capture) ReleaseCapture();
  g_tracker = outer;
  return t.chosenValid ? t.chosen : 0;
}

void Finish(Tracker& t, UINT cmd, bool popupCall) {
  if (t.notify && IsWindow(t.owner)) {
    SendMessage(t.owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessage(t.owner, WM_EXITMENULOOP, popupCall ? TRUE : FALSE, 0);
  }
  if (!t.chosenValid || !IsWindow(t.owner) || ((t.flags & TPM_RETURNCMD) && popupCall)) return;
  if (t.system) PostMessage(t.owner, WM_SYSCOMMAND, cmd, 0);
  else PostMessage(t.owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(cmd), 0), 0);
}

void Begin(Tracker& t, HMENU top, bool popupCall) {
  if (!t.notify || !IsWindow(t.owner)) return;
  SendMessage(t.owner, WM_ENTERMENULOOP, popupCall ? TRUE : FALSE, 0);
  SendMessage(t.owner, WM_INITMENU, reinterpret_cast<WPARAM>(top), 0);
}

Window* MenuWindow(Window& w) {
  // Keys typed in a child reach the top-level window that owns the menu bar.
  Window* top = TopLevelOf(&w);
  return top ? top : &w;
}

bool HasBar(const Window& w) { return !(w.style & WS_CHILD) && w.id && M(reinterpret_cast<HMENU>(w.id)); }

LRESULT TrackWindowMenu(HWND hwnd, POINT at) {
  HMENU sys = GetSystemMenu(hwnd, FALSE);
  if (!sys) return 0;
  UpdateWindowMenu(hwnd, sys);
  Tracker t;
  t.owner = hwnd;
  t.system = true;
  Begin(t, sys, false);
  if (!OpenPopup(t, sys, at.x, at.y, 0, nullptr, true, 0)) {
    Finish(t, 0, false);
    return 0;
  }
  UINT cmd = RunLoop(t);
  Finish(t, cmd, false);
  return 0;
}

LRESULT KeyMenuHook(Window& w, WPARAM, LPARAM lParam) {
  Window* top = MenuWindow(w);
  HWND hwnd = top->handle;
  char32_t c = static_cast<char32_t>(lParam);
  if (c == U' ' || (!HasBar(*top) && c == 0 && (top->style & WS_SYSMENU))) {
    if (c != U' ') return 0;
    RECT wr;
    GetWindowRect(hwnd, &wr);
    RECT cap = CaptionRect(*top);
    return TrackWindowMenu(hwnd, {wr.left + cap.left, wr.top + cap.bottom + 1});
  }
  if (!HasBar(*top)) {
    if (c) MessageBeep(0);
    return 0;
  }
  Tracker t;
  t.owner = hwnd;
  t.bar = reinterpret_cast<HMENU>(top->id);
  t.barWindow = hwnd;
  Begin(t, t.bar, false);
  if (c == 0) {
    Select(t, t.bar, 0);
  } else if (!MnemonicIn(t, t.bar, c, true)) {
    MessageBeep(0);
    Finish(t, 0, false);
    return 0;
  }
  UINT cmd = t.done ? (t.chosenValid ? t.chosen : 0) : RunLoop(t);
  if (t.done && !g_tracker) {
    // Chosen at once (a mnemonic of an item without a popup): clean up as the loop would.
    ClosePopupsFrom(t, 0);
    if (MenuObj* b = M(t.bar)) b->hot = -1, b->open = false;
    DrawMenuBar(hwnd);
  }
  Finish(t, cmd, false);
  return 0;
}

struct Installer {
  Installer() {
    NonClientMenuHeight = BarHeight;
    NonClientMenuPainter = PaintBar;
    KeyMenu = KeyMenuHook;
    UserObjectCounter = [] { return Windows().Count() + Menus().Count(); };
  }
} g_installer;

}  // namespace

void TrackMenuBarClick(HWND hwnd, LRESULT hit, POINT screen) {
  Window* w = Find(hwnd);
  if (!w) return;
  if (hit == HTSYSMENU) {
    RECT wr;
    GetWindowRect(hwnd, &wr);
    RECT cap = CaptionRect(*w);
    TrackWindowMenu(hwnd, {wr.left + cap.left, wr.top + cap.bottom + 1});
    return;
  }
  if (!HasBar(*w)) return;
  Tracker t;
  t.owner = hwnd;
  t.bar = reinterpret_cast<HMENU>(w->id);
  t.barWindow = hwnd;
  t.armed = true;
  Begin(t, t.bar, false);
  int level = 0, index = -1;
  if (HitAt(t, screen, level, index) && level == -1) OpenBarItem(t, index, false);
  UINT cmd = RunLoop(t);
  Finish(t, cmd, false);
}

void ForgetMenus(HWND hwnd) {
  auto& sys = SystemMenus();
  auto it = sys.find(hwnd);
  if (it != sys.end()) {
    DestroyTree(it->second);
    sys.erase(it);
  }
}

}  // namespace platform::wm

namespace win {

using namespace platform::wm;

HMENU CreateMenu() {
  auto m = std::make_unique<MenuObj>();
  m->bar = true;
  return reinterpret_cast<HMENU>(Menus().Add(std::move(m)));
}

HMENU CreatePopupMenu() { return reinterpret_cast<HMENU>(Menus().Add(std::make_unique<MenuObj>())); }

BOOL DestroyMenu(HMENU menu) {
  if (!M(menu)) return FALSE;
  // A maximized document's window menu lent to this bar is not the bar's to destroy.
  MdiMenuDestroying(menu);
  DestroyTree(menu);
  return TRUE;
}

BOOL IsMenu(HMENU menu) { return M(menu) ? TRUE : FALSE; }

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSub, LPCSTR text) {
  MenuObj* m = M(menu);
  if (!m) return FALSE;
  if ((flags & MF_POPUP) && !M(reinterpret_cast<HMENU>(idOrSub))) return FALSE;
  std::size_t at = m->items.size();
  if (flags & MF_BYPOSITION) {
    if (position != 0xFFFFFFFFu) at = std::min<std::size_t>(position, m->items.size());
  } else {
    int index = -1;
    HMENU owner = nullptr;
    MenuObj* holder = FindItem(menu, position, false, index, &owner);
    if (holder) {
      holder->items.insert(holder->items.begin() + index, FromFlags(flags, idOrSub, text));
      return TRUE;
    }
  }
  m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(at), FromFlags(flags, idOrSub, text));
  return TRUE;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrSub, LPCSTR text) {
  return InsertMenu(menu, 0xFFFFFFFFu, (flags & ~MF_BYCOMMAND) | MF_BYPOSITION, idOrSub, text);
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSub, LPCSTR text) {
  int index = -1;
  MenuObj* m = FindItem(menu, position, (flags & MF_BYPOSITION) != 0, index);
  if (!m) return FALSE;
  Item& it = m->items[static_cast<std::size_t>(index)];
  HMENU oldSub = it.sub;
  it = FromFlags(flags & ~MF_BYPOSITION, idOrSub, text);
  // A replaced popup is destroyed unless it is the one put back.
  if (oldSub && oldSub != it.sub) DestroyTree(oldSub);
  return TRUE;
}

namespace {

bool ApplyInfo(Item& it, const MENUITEMINFO* info) {
  UINT mask = info->fMask;
  if (mask & MIIM_TYPE) {
    it.type = info->fType;
    if (info->fType & MFT_BITMAP) {
      it.bitmap = reinterpret_cast<HBITMAP>(info->dwTypeData);
      it.text.clear();
    } else if (!(info->fType & (MFT_SEPARATOR | MFT_OWNERDRAW))) {
      it.text = info->dwTypeData ? info->dwTypeData : "";
    }
  }
  if (mask & MIIM_FTYPE) it.type = (it.type & MFT_BITMAP && !(mask & MIIM_TYPE) ? MFT_BITMAP : 0) | info->fType;
  if (mask & MIIM_STRING) it.text = info->dwTypeData ? info->dwTypeData : "";
  if (mask & MIIM_STATE) it.state = info->fState;
  if (mask & MIIM_ID) it.id = info->wID;
  if (mask & MIIM_SUBMENU) {
    if (info->hSubMenu && !M(info->hSubMenu)) return false;
    it.sub = info->hSubMenu;
  }
  if (mask & MIIM_CHECKMARKS) {
    it.checked = info->hbmpChecked;
    it.unchecked = info->hbmpUnchecked;
  }
  if (mask & MIIM_DATA) it.data = info->dwItemData;
  // hbmpItem lies past the end of the shorter, older structure.
  if ((mask & MIIM_BITMAP) && info->cbSize >= sizeof(MENUITEMINFO)) it.bitmap = info->hbmpItem;
  return true;
}

}  // namespace

BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info) {
  MenuObj* m = M(menu);
  if (!m || !info) return FALSE;
  Item it;
  if (!ApplyInfo(it, info)) return FALSE;
  std::size_t at = m->items.size();
  if (byPosition) {
    at = std::min<std::size_t>(item, m->items.size());
  } else {
    int index = -1;
    if (MenuObj* holder = FindItem(menu, item, false, index)) {
      holder->items.insert(holder->items.begin() + index, it);
      return TRUE;
    }
  }
  m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(at), it);
  return TRUE;
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFO info) {
  int index = -1;
  MenuObj* m = FindItem(menu, item, byPosition != FALSE, index);
  if (!m || !info) return FALSE;
  const Item& it = m->items[static_cast<std::size_t>(index)];
  UINT mask = info->fMask;
  if (mask & (MIIM_TYPE | MIIM_FTYPE)) info->fType = it.type;
  if (mask & MIIM_STATE) info->fState = it.state;
  if (mask & MIIM_ID) info->wID = it.id;
  if (mask & MIIM_SUBMENU) info->hSubMenu = it.sub;
  if (mask & MIIM_CHECKMARKS) {
    info->hbmpChecked = it.checked;
    info->hbmpUnchecked = it.unchecked;
  }
  if (mask & MIIM_DATA) info->dwItemData = it.data;
  if ((mask & MIIM_BITMAP) && info->cbSize >= sizeof(MENUITEMINFO)) info->hbmpItem = it.bitmap;
  if (mask & (MIIM_STRING | MIIM_TYPE)) {
    if ((mask & MIIM_TYPE) && (it.type & MFT_BITMAP) && it.text.empty()) {
      info->dwTypeData = reinterpret_cast<LPSTR>(it.bitmap);
    } else if (info->dwTypeData && info->cch > 0) {
      std::string text = it.text;
      info->cch = static_cast<UINT>(CopyTextOut(text, info->cch, reinterpret_cast<LPARAM>(info->dwTypeData)));
    } else {
      info->cch = static_cast<UINT>(it.text.size());
    }
  }
  return TRUE;
}

BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info) {
  int index = -1;
  MenuObj* m = FindItem(menu, item, byPosition != FALSE, index);
  if (!m || !info) return FALSE;
  return ApplyInfo(m->items[static_cast<std::size_t>(index)], info) ? TRUE : FALSE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
  int index = -1;
  MenuObj* m = FindItem(menu, position, (flags & MF_BYPOSITION) != 0, index);
  if (!m) return FALSE;
  m->items.erase(m->items.begin() + index);
  if (m->hot >= static_cast<int>(m->items.size())) m->hot = -1;
  return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
  int index = -1;
  MenuObj* m = FindItem(menu, position, (flags & MF_BYPOSITION) != 0, index);
  if (!m) return FALSE;
  HMENU sub = m->items[static_cast<std::size_t>(index)].sub;
  m->items.erase(m->items.begin() + index);
  if (m->hot >= static_cast<int>(m->items.size())) m->hot = -1;
  if (sub) DestroyTree(sub);
  return TRUE;
}

int EnableMenuItem(HMENU menu, UINT item, UINT flags) {
  int index = -1;
  MenuObj* m = FindItem(menu, item, (flags & MF_BYPOSITION) != 0, index);
  if (!m) return -1;
  Item& it = m->items[static_cast<std::size_t>(index)];
  int old = static_cast<int>(it.state & (MF_GRAYED | MF_DISABLED));
  it.state = (it.state & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  return old;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
  int index = -1;
  MenuObj* m = FindItem(menu, item, (flags & MF_BYPOSITION) != 0, index);
  if (!m) return static_cast<DWORD>(-1);
  Item& it = m->items[static_cast<std::size_t>(index)];
  DWORD old = it.state & MF_CHECKED;
  it.state = (it.state & ~MF_CHECKED) | (flags & MF_CHECKED);
  return old;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
  MenuObj* m = M(menu);
  if (!m) return FALSE;
  bool found = false;
  for (std::size_t i = 0; i < m->items.size(); ++i) {
    Item& it = m->items[i];
    UINT key = (flags & MF_BYPOSITION) ? static_cast<UINT>(i) : it.id;
    if (key < first || key > last) continue;
    if (key == check) {
      it.state |= MFS_CHECKED;
      it.type |= MFT_RADIOCHECK;
      found = true;
    } else {
      it.state &= ~MFS_CHECKED;
    }
  }
  return found ? TRUE : FALSE;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  int index = -1;
  MenuObj* m = FindItem(menu, item, (flags & MF_BYPOSITION) != 0, index);
  if (!m) return static_cast<UINT>(-1);
  const Item& it = m->items[static_cast<std::size_t>(index)];
  UINT s = (it.state & (MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT)) |
           (it.type & (MFT_SEPARATOR | MFT_OWNERDRAW | MFT_MENUBARBREAK | MFT_MENUBREAK | MFT_BITMAP));
  if (it.sub) {
    MenuObj* sub = M(it.sub);
    // A popup's state carries its item count in the high byte of the low word.
    s = (s & 0xFF) | MF_POPUP | (sub ? static_cast<UINT>(std::min<std::size_t>(sub->items.size(), 255)) << 8 : 0);
  }
  return s;
}

int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags) {
  int index = -1;
  MenuObj* m = FindItem(menu, item, (flags & MF_BYPOSITION) != 0, index);
  if (!m) return 0;
  const std::string& text = m->items[static_cast<std::size_t>(index)].text;
  if (!buffer || size <= 0) return static_cast<int>(text.size());
  return static_cast<int>(CopyTextOut(text, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetMenuItemCount(HMENU menu) {
  MenuObj* m = M(menu);
  return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  MenuObj* m = M(menu);
  if (!m || position < 0 || position >= static_cast<int>(m->items.size())) return static_cast<UINT>(-1);
  const Item& it = m->items[static_cast<std::size_t>(position)];
  return it.sub ? static_cast<UINT>(-1) : it.id;
}

HMENU GetSubMenu(HMENU menu, int position) {
  MenuObj* m = M(menu);
  if (!m || position < 0 || position >= static_cast<int>(m->items.size())) return nullptr;
  return m->items[static_cast<std::size_t>(position)].sub;
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition) {
  MenuObj* m = M(menu);
  if (!m) return FALSE;
  bool found = item == static_cast<UINT>(-1);
  for (std::size_t i = 0; i < m->items.size(); ++i) {
    Item& it = m->items[i];
    bool match = item != static_cast<UINT>(-1) && (byPosition ? i == item : (!it.sub && it.id == item));
    if (match) {
      it.state |= MFS_DEFAULT;
      found = true;
    } else {
      it.state &= ~MFS_DEFAULT;
    }
  }
  return found ? TRUE : FALSE;
}

UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT) {
  MenuObj* m = M(menu);
  if (!m) return static_cast<UINT>(-1);
  for (std::size_t i = 0; i < m->items.size(); ++i)
    if (m->items[i].state & MFS_DEFAULT) return byPosition ? static_cast<UINT>(i) : m->items[i].id;
  return static_cast<UINT>(-1);
}

BOOL SetMenuInfo(HMENU menu, const MENUINFO* info) {
  MenuObj* m = M(menu);
  if (!m || !info) return FALSE;
  if (info->fMask & MIM_STYLE) m->style = info->dwStyle;
  if (info->fMask & MIM_MAXHEIGHT) m->cyMax = info->cyMax;
  if (info->fMask & MIM_BACKGROUND) m->back = info->hbrBack;
  if (info->fMask & MIM_HELPID) m->helpId = info->dwContextHelpID;
  if (info->fMask & MIM_MENUDATA) m->menuData = info->dwMenuData;
  if (info->fMask & MIM_APPLYTOSUBMENUS) {
    MENUINFO sub = *info;
    for (Item& it : m->items)
      if (it.sub) SetMenuInfo(it.sub, &sub);
  }
  return TRUE;
}

BOOL GetMenuInfo(HMENU menu, MENUINFO* info) {
  MenuObj* m = M(menu);
  if (!m || !info) return FALSE;
  if (info->fMask & MIM_STYLE) info->dwStyle = m->style;
  if (info->fMask & MIM_MAXHEIGHT) info->cyMax = m->cyMax;
  if (info->fMask & MIM_BACKGROUND) info->hbrBack = m->back;
  if (info->fMask & MIM_HELPID) info->dwContextHelpID = m->helpId;
  if (info->fMask & MIM_MENUDATA) info->dwMenuData = m->menuData;
  return TRUE;
}

HMENU LoadMenu(HINSTANCE instance, LPCSTR name) {
  auto id = reinterpret_cast<UINT_PTR>(name);
  // The window system's own templates live in its module ("user32.dll"); a null instance
  // names them too.
  const bool systemModule = !instance || instance == GetModuleHandle("user32.dll");
  if (id > 0xFFFF && name && std::string(name) == "SYSMENU") id = 16;
  if (!systemModule || (id != 16 && id != 32 && id != 48)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  // The window menu is returned as a popup inside a bar, as a menu resource is.
  HMENU bar = CreateMenu();
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(BuildWindowMenu(static_cast<int>(id))), "");
  return bar;
}

HMENU GetSystemMenu(HWND hwnd, BOOL revert) {
  Window* w = Get(hwnd);
  if (!w) return nullptr;
  auto& sys = SystemMenus();
  auto it = sys.find(hwnd);
  if (revert) {
    if (it != sys.end()) {
      DestroyTree(it->second);
      sys.erase(it);
    }
    return nullptr;
  }
  if (!(w->style & WS_SYSMENU)) return nullptr;
  bool document = (w->exStyle & WS_EX_MDICHILD) != 0;
  if (it != sys.end() && M(it->second)) {
    // A document's menu is read from outside (the frame's bar shows it): keep it current.
    if (document) UpdateWindowMenu(hwnd, it->second);
    return it->second;
  }
  HMENU m = BuildWindowMenu(document ? 32 : 16);
  sys[hwnd] = m;
  if (document) UpdateWindowMenu(hwnd, m);
  return m;
}

HMENU GetMenu(HWND hwnd) {
  Window* w = Get(hwnd);
  if (!w || (w->style & WS_CHILD)) return nullptr;
  return reinterpret_cast<HMENU>(w->id);
}

BOOL SetMenu(HWND hwnd, HMENU menu) {
  Window* w = Get(hwnd);
  if (!w || (w->style & WS_CHILD)) return FALSE;
  if (menu && !M(menu)) return FALSE;
  w->id = reinterpret_cast<LONG_PTR>(menu);
  if (MenuObj* m = M(menu)) m->bar = true;
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  // A frame's new bar carries its maximized document's window menu and buttons too.
  MdiFrameMenuChanged(hwnd);
  return TRUE;
}

BOOL DrawMenuBar(HWND hwnd) {
  Window* w = Get(hwnd);
  if (!w || !HasBar(*w)) return FALSE;
  // A bar whose rows changed needs the frame recomputed; otherwise a repaint will do.
  int want = BarHeight(*w);
  int have = w->client.top - (HasCaptionStyle(w->style) ? CaptionRect(*w).bottom + 1 : NonClientInsets(w->style, w->exStyle, false).top);
  if (want != have)
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  HDC dc = GetWindowDC(hwnd);
  if ((w = Find(hwnd))) PaintBar(*w, dc);
  ReleaseDC(hwnd, dc);
  return TRUE;
}

BOOL GetMenuItemRect(HWND hwnd, HMENU menu, UINT item, RECT* rect) {
  MenuObj* m = M(menu);
  if (!m || !rect || item >= m->items.size()) return FALSE;
  RECT r = m->items[item].rect;
  RECT wr;
  if (m->popup && IsWindow(m->popup)) {
    GetWindowRect(m->popup, &wr);
  } else {
    Window* w = Get(hwnd);
    if (!w || reinterpret_cast<HMENU>(w->id) != menu) return FALSE;
    LayoutBar(*m, BarRect(*w), hwnd);
    r = m->items[item].rect;
    GetWindowRect(hwnd, &wr);
  }
  OffsetRect(&r, wr.left, wr.top);
  *rect = r;
  return TRUE;
}

int MenuItemFromPoint(HWND hwnd, HMENU menu, POINT screen) {
  MenuObj* m = M(menu);
  if (!m) return -1;
  for (UINT i = 0; i < m->items.size(); ++i) {
    RECT r;
    if (GetMenuItemRect(hwnd, menu, i, &r) && PtInRect(&r, screen)) return static_cast<int>(i);
  }
  return -1;
}

BOOL HiliteMenuItem(HWND hwnd, HMENU menu, UINT item, UINT flags) {
  int index = -1;
  MenuObj* m = FindItem(menu, item, (flags & MF_BYPOSITION) != 0, index);
  if (!m) return FALSE;
  m->hot = (flags & MF_HILITE) ? index : (m->hot == index ? -1 : m->hot);
  DrawMenuBar(hwnd);
  return TRUE;
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params) {
  if (!M(menu) || !IsWindow(owner)) return FALSE;
  if (g_tracker && !(flags & TPM_RECURSE)) return FALSE;
  Tracker t;
  t.owner = owner;
  t.flags = flags;
  t.notify = !(flags & TPM_NONOTIFY);
  if (params) {
    t.exclude = params->rcExclude;
    t.haveExclude = true;
  }
  Begin(t, menu, true);
  if (!OpenPopup(t, menu, x, y, flags, t.haveExclude ? &t.exclude : nullptr, (flags & TPM_VERTICAL) != 0, 0)) {
    Finish(t, 0, true);
    return FALSE;
  }
  UINT cmd = RunLoop(t);
  Finish(t, cmd, true);
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(cmd);
  return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

BOOL EndMenu() {
  if (!g_tracker) return FALSE;
  g_tracker->done = true;
  PostMessage(g_tracker->owner, WM_NULL, 0, 0);
  return TRUE;
}

}  // namespace win
