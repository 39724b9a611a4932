// The STATIC class: text, images, rectangles, frames and etched lines, and owner-drawn statics.
#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/win/ControlsInternal.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

struct Static {
  HWND hwnd = nullptr;
  HFONT font = nullptr;
  HANDLE image = nullptr;
  UINT imageType = IMAGE_BITMAP;

  DWORD Style() const { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }
  DWORD Type() const { return Style() & SS_TYPEMASK; }
};

Static* StaticOf(HWND hwnd) { return ControlState<Static>(hwnd); }

SIZE ImageSize(const Static& s) {
  if (!s.image) return {0, 0};
  HBITMAP bmp = static_cast<HBITMAP>(s.image);
  if (s.imageType == IMAGE_ICON) {
    ICONINFO ii{};
    if (!GetIconInfo(static_cast<HICON>(s.image), &ii) || !ii.hbmColor) return {32, 32};
    bmp = ii.hbmColor;
  }
  BITMAP bm{};
  if (!GetObject(bmp, sizeof bm, &bm)) return {0, 0};
  return {bm.bmWidth, bm.bmHeight};
}

void PaintImage(Static& s, HDC dc, const RECT& r) {
  if (!s.image) return;
  SIZE sz = ImageSize(s);
  int x = r.left, y = r.top;
  if (s.Style() & SS_CENTERIMAGE) {
    x = r.left + (r.right - r.left - sz.cx) / 2;
    y = r.top + (r.bottom - r.top - sz.cy) / 2;
  }
  if (s.imageType == IMAGE_ICON) {
    DrawIconEx(dc, x, y, static_cast<HICON>(s.image), sz.cx, sz.cy, 0, nullptr, DI_NORMAL);
    return;
  }
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, s.image);
  BitBlt(dc, x, y, sz.cx, sz.cy, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

void PaintText(Static& s, HDC dc, const RECT& r) {
  DWORD style = s.Style();
  DWORD type = s.Type();
  UINT fmt = DT_EXPANDTABS;
  if (type == SS_CENTER) fmt |= DT_CENTER | DT_WORDBREAK;
  else if (type == SS_RIGHT) fmt |= DT_RIGHT | DT_WORDBREAK;
  else if (type == SS_LEFT) fmt |= DT_LEFT | DT_WORDBREAK;
  else fmt |= DT_LEFT | DT_SINGLELINE;  // SS_SIMPLE, SS_LEFTNOWORDWRAP
  if (style & SS_NOPREFIX) fmt |= DT_NOPREFIX;
  if (style & SS_CENTERIMAGE) fmt = (fmt & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  switch (style & SS_ELLIPSISMASK) {
    case SS_ENDELLIPSIS: fmt |= DT_END_ELLIPSIS | DT_SINGLELINE; fmt &= ~DT_WORDBREAK; break;
    case SS_PATHELLIPSIS: fmt |= DT_PATH_ELLIPSIS | DT_SINGLELINE; fmt &= ~DT_WORDBREAK; break;
    case SS_WORDELLIPSIS: fmt |= DT_WORD_ELLIPSIS | DT_SINGLELINE; fmt &= ~DT_WORDBREAK; break;
    default: break;
  }
  std::string text = GetWindowTextString(s.hwnd);
  RECT t = r;
  SetBkMode(dc, TRANSPARENT);
  if (!IsWindowEnabled(s.hwnd)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  DrawText(dc, text.c_str(), -1, &t, fmt);
}

void Paint(Static& s, HDC dc) {
  HWND hwnd = s.hwnd;
  RECT r;
  GetClientRect(hwnd, &r);
  DWORD type = s.Type();
  if (type == SS_OWNERDRAW) {
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_STATIC;
    dis.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED;
    dis.hwndItem = hwnd;
    dis.hDC = dc;
    dis.rcItem = r;
    if (HWND parent = GetParent(hwnd)) SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    return;
  }
  auto fill = [&](int color) { FillRect(dc, &r, GetSysColorBrush(color)); };
  auto frame = [&](int color) { FrameRect(dc, &r, GetSysColorBrush(color)); };
  switch (type) {
    case SS_BLACKRECT: fill(COLOR_WINDOWFRAME); return;
    case SS_GRAYRECT: fill(COLOR_BTNSHADOW); return;
    case SS_WHITERECT: fill(COLOR_BTNHIGHLIGHT); return;
    case SS_BLACKFRAME: frame(COLOR_WINDOWFRAME); return;
    case SS_GRAYFRAME: frame(COLOR_BTNSHADOW); return;
    case SS_WHITEFRAME: frame(COLOR_BTNHIGHLIGHT); return;
    case SS_ETCHEDHORZ: {
      RECT line{r.left, r.top, r.right, r.top + 2};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
      return;
    }
    case SS_ETCHEDVERT: {
      RECT line{r.left, r.top, r.left + 2, r.bottom};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
      return;
    }
    case SS_ETCHEDFRAME: {
      RECT e = r;
      DrawEdge(dc, &e, EDGE_ETCHED, BF_RECT);
      return;
    }
    default: break;
  }
  HGDIOBJ oldFont = SelectObject(dc, s.font ? s.font : DefaultGuiFont());
  HBRUSH bg = ControlColor(hwnd, dc, WM_CTLCOLORSTATIC);
  if (!StaticOf(hwnd)) return;
  if (bg) FillRect(dc, &r, bg);
  RECT inner = r;
  if (s.Style() & SS_SUNKEN) {
    DrawEdge(dc, &inner, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  }
  if (type == SS_BITMAP || type == SS_ICON) PaintImage(s, dc, inner);
  else PaintText(s, dc, inner);
  SelectObject(dc, oldFont);
}

}  // namespace

LRESULT StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Static* s = StaticOf(hwnd);
  if (!s && msg != WM_NCCREATE) return DefWindowProc(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_NCCREATE: {
      auto st = std::make_unique<Static>();
      st->hwnd = hwnd;
      AttachState(hwnd, std::move(st));
      return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    case WM_NCDESTROY:
      DetachState<Static>(hwnd);
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_NCHITTEST:
      // Statics let the mouse through unless they want to hear of clicks.
      if (!(s->Style() & SS_NOTIFY)) return HTTRANSPARENT;
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      PAINTSTRUCT ps;
      HDC dc = msg == WM_PAINT ? BeginPaint(hwnd, &ps) : reinterpret_cast<HDC>(wParam);
      Paint(*s, dc);
      if (msg == WM_PAINT) EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_SETTEXT: {
      LRESULT r = DefWindowProc(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return r;
    }
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(static_cast<DWORD_PTR>(lParam))) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s->font);
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_LBUTTONDOWN:
      if (s->Style() & SS_NOTIFY) NotifyParent(hwnd, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (s->Style() & SS_NOTIFY) NotifyParent(hwnd, STN_DBLCLK);
      return 0;
    case STM_SETIMAGE:
    case STM_SETICON: {
      HANDLE old = s->image;
      s->image = reinterpret_cast<HANDLE>(msg == STM_SETICON ? wParam : static_cast<WPARAM>(lParam));
      s->imageType = msg == STM_SETICON ? IMAGE_ICON : static_cast<UINT>(wParam);
      // An image static takes its image's size unless told to keep its own.
      DWORD style = s->Style();
      if (s->image && !(style & (SS_CENTERIMAGE | SS_REALSIZEIMAGE)) && (s->Type() == SS_BITMAP || s->Type() == SS_ICON)) {
        SIZE sz = ImageSize(*s);
        if (sz.cx > 0 && sz.cy > 0) {
          Window* w = Find(hwnd);
          int ex = w ? (w->Width() - (w->client.right - w->client.left)) : 0;
          int ey = w ? (w->Height() - (w->client.bottom - w->client.top)) : 0;
          SetWindowPos(hwnd, nullptr, 0, 0, sz.cx + ex, sz.cy + ey, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
      }
      InvalidateRect(hwnd, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE:
      return static_cast<UINT>(wParam) == s->imageType ? reinterpret_cast<LRESULT>(s->image) : 0;
    case STM_GETICON:
      return s->imageType == IMAGE_ICON ? reinterpret_cast<LRESULT>(s->image) : 0;
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace platform::wm
