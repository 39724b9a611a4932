// The default window procedure and the classic non-client area: frames, captions and their buttons.
#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/gdi/Gdi.h"
#include "platform/system/Sync.h"
#include "platform/win/Focus.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

bool HasCaption(const Window& w) { return (w.style & WS_CAPTION) == WS_CAPTION; }

int OuterFrame(const Window& w) {
  if (w.style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
  if ((w.style & WS_DLGFRAME) || (w.exStyle & WS_EX_DLGMODALFRAME)) return GetSystemMetrics(SM_CXDLGFRAME);
  if (w.style & WS_BORDER) return GetSystemMetrics(SM_CXBORDER);
  return 0;
}

}  // namespace

RECT CaptionRect(const Window& w) {
  if (!HasCaption(w)) return {};
  int b = OuterFrame(w);
  int h = GetSystemMetrics((w.exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  // The caption's last row is a line of the frame colour.
  return {b, b, w.Width() - b, b + h - 1};
}

// Caption buttons from the right: close, then maximize/restore and minimize.
RECT CaptionButtonRect(const Window& w, LRESULT which) {
  RECT cap = CaptionRect(w);
  if (cap.right <= cap.left || !(w.style & WS_SYSMENU)) return {};
  bool tool = (w.exStyle & WS_EX_TOOLWINDOW) != 0;
  int bw = GetSystemMetrics(tool ? SM_CXSMSIZE : SM_CXSIZE) - 2;
  int bh = (cap.bottom - cap.top) - 4;
  int top = cap.top + 2;
  int right = cap.right - 2;
  RECT close{right - bw, top, right, top + bh};
  if (which == HTCLOSE) return close;
  if (tool || !(w.style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX))) return {};
  RECT max{close.left - 2 - bw, top, close.left - 2, top + bh};
  if (which == HTMAXBUTTON) return max;
  if (which == HTMINBUTTON) return {max.left - bw, top, max.left, top + bh};
  return {};
}

namespace {

bool In(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

LRESULT HitTest(Window& w, POINT screen) {
  RECT wr = ScreenRect(w);
  POINT p{screen.x - wr.left, screen.y - wr.top};
  if (!In(RECT{0, 0, w.Width(), w.Height()}, p)) return HTNOWHERE;
  if (In(w.client, p)) return HTCLIENT;
  if (w.style & WS_MINIMIZE) return HTCAPTION;
  if ((w.style & WS_THICKFRAME) && !(w.style & WS_MAXIMIZE)) {
    int f = GetSystemMetrics(SM_CXFRAME);
    // Corners reach along the edges as far as a caption button is wide, as the classic frame does.
    int corner = GetSystemMetrics(SM_CYCAPTION) + f;
    bool left = p.x < f, right = p.x >= w.Width() - f, top = p.y < f, bottom = p.y >= w.Height() - f;
    if (left || right || top || bottom) {
      bool nearLeft = p.x < corner, nearRight = p.x >= w.Width() - corner;
      bool nearTop = p.y < corner, nearBottom = p.y >= w.Height() - corner;
      if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
      if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
      if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
      if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
      if (top) return HTTOP;
      if (bottom) return HTBOTTOM;
      if (left) return HTLEFT;
      return HTRIGHT;
    }
  }
  RECT cap = CaptionRect(w);
  if (In(cap, p)) {
    for (LRESULT b : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON})
      if (In(CaptionButtonRect(w, b), p)) return b;
    if ((w.style & WS_SYSMENU) && !(w.exStyle & WS_EX_TOOLWINDOW) && p.x < cap.left + GetSystemMetrics(SM_CXSMICON) + 2)
      return HTSYSMENU;
    return HTCAPTION;
  }
  // Only a top-level window with a menu (its id) has a menu bar; a band a window's own frame
  // leaves above its client is not one.
  const bool hasMenu = !(w.style & WS_CHILD) && w.id != 0 && NonClientMenuHeight;
  if (hasMenu && w.client.top > cap.bottom + 1 && p.y >= cap.bottom + 1 && p.y < w.client.top &&
      p.x >= w.client.left && p.x < w.client.right)
    return HTMENU;
  if ((w.style & WS_VSCROLL) && p.x >= w.client.right && p.y >= w.client.top && p.y < w.client.bottom) return HTVSCROLL;
  if ((w.style & WS_HSCROLL) && p.y >= w.client.bottom && p.x >= w.client.left && p.x < w.client.right) return HTHSCROLL;
  if ((w.style & WS_VSCROLL) && (w.style & WS_HSCROLL) && p.x >= w.client.right && p.y >= w.client.bottom)
    return (w.style & WS_THICKFRAME) ? HTGROWBOX : HTBORDER;
  // A frame the window drew itself (no border styles) is nowhere to the system.
  return (w.style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) ? HTBORDER : HTNOWHERE;
}

HFONT CaptionFont(bool small) {
  static HFONT normal = nullptr, tool = nullptr;
  HFONT& f = small ? tool : normal;
  if (!f) {
    LOGFONTA lf{};
    lf.lfHeight = -11;
    lf.lfWeight = small ? 400 : 700;
    lf.lfCharSet = 1;  // DEFAULT_CHARSET
    std::strcpy(lf.lfFaceName, "Tahoma");
    f = CreateFontIndirect(&lf);
  }
  return f;
}

}  // namespace

bool IsActiveFrame(const Window& w) {
  // A document window's caption shows whether it is its client's active one.
  if (w.IsChild()) return (w.exStyle & WS_EX_MDICHILD) && w.ncActive;
  return w.handle == GetActiveWindow() || w.ncActive;
}

void (*NonClientMenuPainter)(Window&, HDC) = nullptr;
void (*NonClientScrollPainter)(Window&, HDC) = nullptr;

// Paints the frame and caption into `dc`, whose origin is the window's top-left.
void PaintNonClient(Window& w, HDC dc) {
  RECT r{0, 0, w.Width(), w.Height()};
  // Leave the client area alone.
  ExcludeClipRect(dc, w.client.left, w.client.top, w.client.right, w.client.bottom);
  if ((w.style & WS_THICKFRAME) || (w.style & WS_DLGFRAME) || (w.exStyle & WS_EX_DLGMODALFRAME)) {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    int rest = OuterFrame(w) - 2;
    for (int i = 0; i < rest; ++i) {
      FrameRect(dc, &r, GetSysColorBrush((w.style & WS_THICKFRAME) ? (IsActiveFrame(w) ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER) : COLOR_BTNFACE));
      r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
  } else if (w.style & WS_BORDER) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  }
  if (HasCaption(w)) {
    RECT cap = CaptionRect(w);
    bool active = IsActiveFrame(w);
    TRIVERTEX v[2];
    COLORREF c1 = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    COLORREF c2 = GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    v[0] = {cap.left, cap.top, static_cast<COLOR16>(GetRValue(c1) << 8), static_cast<COLOR16>(GetGValue(c1) << 8),
            static_cast<COLOR16>(GetBValue(c1) << 8), 0};
    v[1] = {cap.right, cap.bottom, static_cast<COLOR16>(GetRValue(c2) << 8), static_cast<COLOR16>(GetGValue(c2) << 8),
            static_cast<COLOR16>(GetBValue(c2) << 8), 0};
    GRADIENT_RECT gr{0, 1};
    GradientFill(dc, v, 2, &gr, 1, GRADIENT_FILL_RECT_H);
    RECT line{cap.left, cap.bottom, cap.right, cap.bottom + 1};
    FillRect(dc, &line, GetSysColorBrush(COLOR_BTNFACE));

    RECT text = cap;
    text.left += 3;
    RECT firstButton = CaptionButtonRect(w, HTMINBUTTON);
    if (firstButton.right <= firstButton.left) firstButton = CaptionButtonRect(w, HTCLOSE);
    if (firstButton.right > firstButton.left) text.right = firstButton.left - 2;
    HGDIOBJ oldFont = SelectObject(dc, CaptionFont((w.exStyle & WS_EX_TOOLWINDOW) != 0));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    DrawText(dc, w.text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, oldFont);

    RECT b = CaptionButtonRect(w, HTCLOSE);
    if (b.right > b.left) {
      UINT pushed = w.ncPressed == HTCLOSE ? DFCS_PUSHED : 0;
      DrawFrameControl(dc, &b, DFC_CAPTION, DFCS_CAPTIONCLOSE | pushed | (w.cls->style & CS_NOCLOSE ? DFCS_INACTIVE : 0));
    }
    b = CaptionButtonRect(w, HTMAXBUTTON);
    if (b.right > b.left) {
      UINT kind = (w.style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX;
      DrawFrameControl(dc, &b, DFC_CAPTION, kind | (w.ncPressed == HTMAXBUTTON ? DFCS_PUSHED : 0) |
                                                (w.style & WS_MAXIMIZEBOX ? 0 : DFCS_INACTIVE));
    }
    b = CaptionButtonRect(w, HTMINBUTTON);
    if (b.right > b.left) {
      UINT kind = (w.style & WS_MINIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN;
      DrawFrameControl(dc, &b, DFC_CAPTION, kind | (w.ncPressed == HTMINBUTTON ? DFCS_PUSHED : 0) |
                                                (w.style & WS_MINIMIZEBOX ? 0 : DFCS_INACTIVE));
    }
  }
  if (NonClientMenuPainter) NonClientMenuPainter(w, dc);
  // Extended edges sit just outside the client area (and its scroll bars).
  RECT inner = w.client;
  if (w.style & WS_VSCROLL) inner.right += GetSystemMetrics(SM_CXVSCROLL);
  if (w.style & WS_HSCROLL) inner.bottom += GetSystemMetrics(SM_CYHSCROLL);
  if (w.exStyle & WS_EX_CLIENTEDGE) {
    RECT e{inner.left - 2, inner.top - 2, inner.right + 2, inner.bottom + 2};
    if (w.exStyle & WS_EX_STATICEDGE) e = {e.left - 1, e.top - 1, e.right + 1, e.bottom + 1};
    DrawEdge(dc, &e, EDGE_SUNKEN, BF_RECT);
  }
  if (w.exStyle & WS_EX_STATICEDGE) {
    RECT e{inner.left - 1, inner.top - 1, inner.right + 1, inner.bottom + 1};
    if (w.exStyle & WS_EX_CLIENTEDGE) e = {e.left - 2, e.top - 2, e.right + 2, e.bottom + 2};
    DrawEdge(dc, &e, BDR_SUNKENOUTER, BF_RECT);
  }
  if (NonClientScrollPainter) NonClientScrollPainter(w, dc);
}

LRESULT NonClientHitTest(Window& w, POINT screen) { return HitTest(w, screen); }

}  // namespace platform::wm

namespace win {

using namespace platform::wm;
using platform::Region;

namespace {

LRESULT EraseBackground(Window& w, HDC dc) {
  HBRUSH brush = w.cls->background;
  if (!brush) return 0;
  // A class brush may be a system colour index plus one.
  if (reinterpret_cast<UINT_PTR>(brush) <= 64) brush = GetSysColorBrush(static_cast<int>(reinterpret_cast<UINT_PTR>(brush)) - 1);
  RECT rc;
  GetClientRect(w.handle, &rc);
  FillRect(dc, &rc, brush);
  return 1;
}

void PrintInto(Window& w, HDC dc, LPARAM options) {
  HWND h = w.handle;
  if ((options & PRF_CHECKVISIBLE) && !IsWindowVisible(h)) return;
  int saved = SaveDC(dc);
  if (options & PRF_NONCLIENT) {
    PaintNonClient(w, dc);
    RestoreDC(dc, saved);
    saved = SaveDC(dc);
  }
  POINT org;
  OffsetViewportOrgEx(dc, w.client.left, w.client.top, &org);
  IntersectClipRect(dc, 0, 0, w.client.right - w.client.left, w.client.bottom - w.client.top);
  if (options & PRF_ERASEBKGND) SendMessage(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  if (options & PRF_CLIENT) SendMessage(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), options);
  if ((options & PRF_CHILDREN) && Find(h)) {
    std::vector<HWND> kids = Find(h)->children;
    // Bottom of the z-order first, so the topmost child ends up on top.
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
      Window* c = Find(*it);
      if (!c || !c->Visible()) continue;
      int s2 = SaveDC(dc);
      OffsetViewportOrgEx(dc, c->rect.left, c->rect.top, nullptr);
      IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
      SendMessage(*it, WM_PRINT, reinterpret_cast<WPARAM>(dc), options | PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
      RestoreDC(dc, s2);
    }
  }
  RestoreDC(dc, saved);
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = Find(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
      if (cs && cs->lpszName && (reinterpret_cast<UINT_PTR>(cs->lpszName) >> 16)) w->text = cs->lpszName;
      // A child starts with its parent's keyboard cues.
      if (w->IsChild())
        if (Window* p = Find(w->parent)) w->uiState = p->uiState;
      return TRUE;
    }
    case WM_NCCALCSIZE: {
      RECT* r = reinterpret_cast<RECT*>(lParam);  // rgrc[0] leads NCCALCSIZE_PARAMS too
      if (!r) return 0;
      RECT c = DefaultClientRect(*w, *r);
      *r = {r->left + c.left, r->top + c.top, r->left + c.right, r->top + c.bottom};
      return 0;
    }
    case WM_NCPAINT: {
      // wParam is the region to paint, in screen coordinates, or 1 for the whole frame: a skinned
      // frame hands on only the part it leaves to the default (its menu bar, say).
      HRGN part = wParam > 1 ? reinterpret_cast<HRGN>(wParam) : nullptr;
      HDC dc = part ? GetDCEx(hwnd, part, DCX_WINDOW | DCX_INTERSECTRGN) : GetWindowDC(hwnd);
      if (!dc) return 0;
      PaintNonClient(*w, dc);
      ReleaseDC(hwnd, dc);
      return 0;
    }
    case WM_SYNCPAINT:
      // What another window's move uncovered: the frame and the background now, the rest at
      // the next WM_PAINT.
      RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_ERASENOW | RDW_ALLCHILDREN);
      return 0;
    case WM_QUERYOPEN:
      return TRUE;
    case WM_GETICON:
      if (wParam == ICON_BIG) return reinterpret_cast<LRESULT>(w->bigIcon);
      if (wParam == ICON_SMALL) return reinterpret_cast<LRESULT>(w->smallIcon);
      // ICON_SMALL2: the small one, else what the window or its class has.
      return reinterpret_cast<LRESULT>(w->smallIcon ? w->smallIcon : w->cls->iconSm ? w->cls->iconSm : w->bigIcon ? w->bigIcon : w->cls->icon);
    case WM_SETICON: {
      HICON icon = reinterpret_cast<HICON>(lParam);
      HICON old = wParam == ICON_BIG ? std::exchange(w->bigIcon, icon) : std::exchange(w->smallIcon, icon);
      if (HasCaptionStyle(w->style)) RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_NCACTIVATE:
      w->ncActive = wParam != 0;
      if (HasCaptionStyle(w->style)) RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
      return TRUE;
    case WM_NCHITTEST:
      return NonClientHitTest(*w, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(lParam);
      w->text = text ? text : "";
      if (w->store && w->store->surface && platform::HasDisplay()) platform::CurrentDisplay().SetTitle(w->store->surface, w->text);
      if (HasCaptionStyle(w->style)) RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
      return TRUE;
    }
    case WM_GETTEXT: {
      char* buf = reinterpret_cast<char*>(lParam);
      if (!buf || wParam == 0) return 0;
      std::size_t n = std::min<std::size_t>(w->text.size(), wParam - 1);
      // Never cut a character in two.
      while (n > 0 && n < w->text.size() && (static_cast<unsigned char>(w->text[n]) & 0xC0) == 0x80) --n;
      std::memcpy(buf, w->text.data(), n);
      buf[n] = 0;
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_ERASEBKGND:
      return EraseBackground(*w, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINT:
      PrintInto(*w, reinterpret_cast<HDC>(wParam), lParam);
      return 0;
    case WM_WINDOWPOSCHANGED: {
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!wp) return 0;
      if (!(wp->flags & SWP_NOSIZE) || (wp->flags & SWP_FRAMECHANGED)) {
        WPARAM kind = (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        CallProc(*w, WM_SIZE, kind,
                 MAKELPARAM(static_cast<WORD>(w->client.right - w->client.left), static_cast<WORD>(w->client.bottom - w->client.top)));
        if (!(w = Find(hwnd))) return 0;
      }
      if (!(wp->flags & SWP_NOMOVE) || (wp->flags & SWP_FRAMECHANGED)) {
        POINT o{w->rect.left + w->client.left, w->rect.top + w->client.top};
        CallProc(*w, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(o.x), static_cast<WORD>(o.y)));
      }
      return 0;
    }
    case WM_SETREDRAW:
      // As the platform does it: redraw off hides the window from painting without hiding it.
      if (wParam) {
        w->style |= WS_VISIBLE;
      } else {
        w->style &= ~WS_VISIBLE;
      }
      return 0;
    case WM_SYSCOMMAND:
      return DefSysCommand(*w, wParam, lParam);
    case WM_MOUSEACTIVATE:
      if (w->IsChild()) {
        LRESULT r = SendMessage(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
      }
      return MA_ACTIVATE;
    case WM_SETCURSOR:
      return DefSetCursor(*w, wParam, lParam);
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_CONTEXTMENU:
      if (w->IsChild()) return SendMessage(w->parent, msg, wParam, lParam);
      if (msg == WM_CONTEXTMENU) return 0;
      return 0;
    case WM_HELP:
      // Unanswered help climbs to the parent, and from a top-level window to its owner.
      if (w->IsChild()) return SendMessage(w->parent, msg, wParam, lParam);
      if (w->owner) return SendMessage(w->owner, msg, wParam, lParam);
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
      if (msg == WM_CTLCOLORSCROLLBAR) {
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_SCROLLBAR));
      }
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    case WM_RBUTTONUP: {
      // The right button's release asks for the context menu, at the point in screen coordinates.
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(hwnd, &p);
      SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
      return 0;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCMOUSEMOVE:
    case WM_NCRBUTTONUP:
      return DefNonClientMouse(*w, msg, wParam, lParam);
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_KEYF1:
      return DefKeyboard(*w, msg, wParam, lParam);
    case WM_CHANGEUISTATE:
    case WM_UPDATEUISTATE:
    case WM_QUERYUISTATE:
      return DefUiState(*w, msg, wParam, lParam);
    case WM_ACTIVATE:
      // An activated window takes the focus unless it is minimized.
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) SetFocus(hwnd);
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_GETMINMAXINFO:
    case WM_SHOWWINDOW:
    case WM_PARENTNOTIFY:
    default:
      return 0;
  }
}

}  // namespace win
