// Scroll bars: the standard bars of any window (in its non-client area) and the SCROLLBAR class,
// with their ranges, drawing, hit testing and the tracking loop that sends WM_HSCROLL/WM_VSCROLL.
#include <algorithm>
#include <map>

#include "platform/gdi/Gdi.h"
#include "platform/win/ControlsInternal.h"
#include "platform/win/Focus.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

struct BarData {
  int min = 0;
  int max = 100;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;
  bool tracking = false;
  UINT disabled = ESB_ENABLE_BOTH;
  int pressed = 0;  // the part held down: one of Part, 0 for none
};

enum Part { kNone = 0, kArrow1 = 1, kPage1 = 2, kThumb = 3, kPage2 = 4, kArrow2 = 5 };

// Bars of non-client scroll bars, keyed by window; the standard range is 0..100 as the platform has it.
std::map<HWND, BarData[2]>& NonClientBars() {
  static std::map<HWND, BarData[2]> bars;
  return bars;
}

struct CtlState {
  BarData bar;
};

BarData* Data(HWND hwnd, int bar, bool create) {
  if (bar == SB_CTL) {
    auto* s = ControlState<CtlState>(hwnd);
    return s ? &s->bar : nullptr;
  }
  if (bar != SB_HORZ && bar != SB_VERT) return nullptr;
  auto& all = NonClientBars();
  auto it = all.find(hwnd);
  if (it == all.end()) {
    if (!create) return nullptr;
    it = all.try_emplace(hwnd).first;
  }
  return &it->second[bar];
}

bool Vertical(HWND hwnd, int bar) {
  if (bar == SB_CTL) return (GetWindowLong(hwnd, GWL_STYLE) & SBS_VERT) != 0;
  return bar == SB_VERT;
}

// The bar's rectangle in window coordinates (non-client) or client coordinates (SB_CTL).
RECT BarRect(HWND hwnd, int bar) {
  Window* w = Find(hwnd);
  if (!w) return {};
  if (bar == SB_CTL) return {0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  if (bar == SB_VERT) {
    if (!(w->style & WS_VSCROLL)) return {};
    return {w->client.right, w->client.top, w->client.right + GetSystemMetrics(SM_CXVSCROLL), w->client.bottom};
  }
  if (!(w->style & WS_HSCROLL)) return {};
  return {w->client.left, w->client.bottom, w->client.right, w->client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
}

struct Layout {
  int length = 0;  // along the bar
  int arrow = 0;
  int thumbStart = 0;  // from the bar's start, 0 when there is no thumb
  int thumbSize = 0;
};

bool Enabled(const BarData& d, HWND hwnd) {
  return d.disabled != ESB_DISABLE_BOTH && IsWindowEnabled(hwnd) && d.max > d.min;
}

Layout Measure(const BarData& d, const RECT& r, bool vertical, bool enabled) {
  Layout l;
  l.length = vertical ? r.bottom - r.top : r.right - r.left;
  int across = vertical ? r.right - r.left : r.bottom - r.top;
  l.arrow = std::min(across, l.length / 2);
  int track = l.length - 2 * l.arrow;
  if (!enabled || track <= 0) return l;
  long long range = static_cast<long long>(d.max) - d.min + 1;
  int minThumb = std::min(GetSystemMetrics(SM_CYVTHUMB) / 2, track);
  int thumb = d.page ? static_cast<int>(std::max<long long>(track * static_cast<long long>(d.page) / range, minThumb))
                     : std::min(GetSystemMetrics(SM_CYVTHUMB), track);
  if (thumb >= track) return l;
  long long span = range - std::max<long long>(static_cast<long long>(d.page), 1);
  int pos = d.tracking ? d.trackPos : d.pos;
  int offset = span > 0 ? static_cast<int>((track - thumb) * (static_cast<long long>(pos) - d.min) / span) : 0;
  l.thumbSize = thumb;
  l.thumbStart = l.arrow + std::clamp(offset, 0, track - thumb);
  return l;
}

int MaxPos(const BarData& d) {
  return d.page ? d.max - static_cast<int>(d.page) + 1 : d.max;
}

void Clamp(BarData& d) {
  int top = std::max(MaxPos(d), d.min);
  d.pos = std::clamp(d.pos, d.min, top);
}

HBRUSH TrackBrush() {
  // The classic track: a checkerboard of the highlight and face colours.
  static HBRUSH brush = nullptr;
  static COLORREF made[2] = {CLR_INVALID, CLR_INVALID};
  COLORREF a = GetSysColor(COLOR_BTNHIGHLIGHT), b = GetSysColor(COLOR_BTNFACE);
  if (!brush || made[0] != a || made[1] != b) {
    if (brush) DeleteObject(brush);
    std::uint32_t bits[64];
    auto px = [](COLORREF c) { return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c); };
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) bits[y * 8 + x] = ((x + y) & 1) ? px(b) : px(a);
    HBITMAP bmp = CreateBitmap(8, 8, 1, 32, bits);
    brush = CreatePatternBrush(bmp);
    DeleteObject(bmp);
    made[0] = a;
    made[1] = b;
  }
  return brush;
}

void DrawBar(HDC dc, HWND hwnd, int bar, const RECT& r) {
  BarData* d = Data(hwnd, bar, true);
  if (!d || r.right <= r.left || r.bottom <= r.top) return;
  bool vertical = Vertical(hwnd, bar);
  bool enabled = Enabled(*d, hwnd);
  Layout l = Measure(*d, r, vertical, enabled);
  auto part = [&](int from, int to) {
    return vertical ? RECT{r.left, r.top + from, r.right, r.top + to} : RECT{r.left + from, r.top, r.left + to, r.bottom};
  };
  RECT a1 = part(0, l.arrow), a2 = part(l.length - l.arrow, l.length);
  UINT off1 = (!enabled || (d->disabled & ESB_DISABLE_LTUP)) ? DFCS_INACTIVE : 0;
  UINT off2 = (!enabled || (d->disabled & ESB_DISABLE_RTDN)) ? DFCS_INACTIVE : 0;
  DrawFrameControl(dc, &a1, DFC_SCROLL, (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | off1 |
                                           (d->pressed == kArrow1 ? DFCS_PUSHED | DFCS_FLAT : 0));
  DrawFrameControl(dc, &a2, DFC_SCROLL, (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | off2 |
                                           (d->pressed == kArrow2 ? DFCS_PUSHED | DFCS_FLAT : 0));
  int trackEnd = l.length - l.arrow;
  HBRUSH track = TrackBrush();
  HBRUSH held = GetSysColorBrush(COLOR_3DDKSHADOW);
  if (l.thumbSize == 0) {
    RECT t = part(l.arrow, trackEnd);
    FillRect(dc, &t, track);
    return;
  }
  RECT p1 = part(l.arrow, l.thumbStart), p2 = part(l.thumbStart + l.thumbSize, trackEnd);
  FillRect(dc, &p1, d->pressed == kPage1 ? held : track);
  FillRect(dc, &p2, d->pressed == kPage2 ? held : track);
  RECT th = part(l.thumbStart, l.thumbStart + l.thumbSize);
  FillRect(dc, &th, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &th, EDGE_RAISED, BF_RECT);
}

int HitPart(HWND hwnd, int bar, const RECT& r, POINT p) {
  BarData* d = Data(hwnd, bar, true);
  if (!d || p.x < r.left || p.x >= r.right || p.y < r.top || p.y >= r.bottom) return kNone;
  bool vertical = Vertical(hwnd, bar);
  Layout l = Measure(*d, r, vertical, Enabled(*d, hwnd));
  int at = vertical ? p.y - r.top : p.x - r.left;
  if (at < l.arrow) return kArrow1;
  if (at >= l.length - l.arrow) return kArrow2;
  if (l.thumbSize == 0) return kNone;
  if (at < l.thumbStart) return kPage1;
  if (at < l.thumbStart + l.thumbSize) return kThumb;
  return kPage2;
}

void Redraw(HWND hwnd, int bar) {
  if (bar == SB_CTL) {
    InvalidateRect(hwnd, nullptr, FALSE);
    return;
  }
  Window* w = Find(hwnd);
  if (!w || !w->Visible()) return;
  HDC dc = GetWindowDC(hwnd);
  DrawBar(dc, hwnd, bar, BarRect(hwnd, bar));
  ReleaseDC(hwnd, dc);
}

void PaintNonClientBars(Window& w, HDC dc) {
  if (w.style & WS_VSCROLL) DrawBar(dc, w.handle, SB_VERT, BarRect(w.handle, SB_VERT));
  if (w.style & WS_HSCROLL) DrawBar(dc, w.handle, SB_HORZ, BarRect(w.handle, SB_HORZ));
  if ((w.style & WS_VSCROLL) && (w.style & WS_HSCROLL)) {
    RECT corner{w.client.right, w.client.bottom, w.client.right + GetSystemMetrics(SM_CXVSCROLL),
                w.client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    FillRect(dc, &corner, GetSysColorBrush(COLOR_BTNFACE));
  }
}

struct PainterInstaller {
  PainterInstaller() { NonClientScrollPainter = PaintNonClientBars; }
} g_painter;

constexpr UINT_PTR kRepeatTimer = 0x5C01;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 50;

void Send(HWND hwnd, int bar, WORD code, int pos) {
  HWND target = bar == SB_CTL ? GetParent(hwnd) : hwnd;
  if (!target) return;
  UINT msg = Vertical(hwnd, bar) ? WM_VSCROLL : WM_HSCROLL;
  SendMessage(target, msg, MAKEWPARAM(code, static_cast<WORD>(pos)),
              bar == SB_CTL ? reinterpret_cast<LPARAM>(hwnd) : 0);
}

WORD CodeOf(int part) {
  switch (part) {
    case kArrow1: return SB_LINEUP;
    case kArrow2: return SB_LINEDOWN;
    case kPage1: return SB_PAGEUP;
    case kPage2: return SB_PAGEDOWN;
    default: return SB_ENDSCROLL;
  }
}

// `start` is in the coordinates of BarRect: window coordinates for non-client bars, client for SB_CTL.
void Track(HWND hwnd, int bar, POINT start) {
  BarData* d = Data(hwnd, bar, true);
  if (!d || !Enabled(*d, hwnd)) return;
  RECT r = BarRect(hwnd, bar);
  int part = HitPart(hwnd, bar, r, start);
  if (part == kNone) return;
  if ((part == kArrow1 && (d->disabled & ESB_DISABLE_LTUP)) || (part == kArrow2 && (d->disabled & ESB_DISABLE_RTDN)))
    return;
  bool vertical = Vertical(hwnd, bar);
  auto toBar = [&](POINT screen) {
    RECT wr;
    GetWindowRect(hwnd, &wr);
    if (bar == SB_CTL) {
      ScreenToClient(hwnd, &screen);
      return screen;
    }
    return POINT{screen.x - wr.left, screen.y - wr.top};
  };
  Layout l = Measure(*d, r, vertical, true);
  int grab = (vertical ? start.y - r.top : start.x - r.left) - l.thumbStart;
  SetCapture(hwnd);
  d->pressed = part;
  if (part == kThumb) {
    d->tracking = true;
    d->trackPos = d->pos;
  } else {
    Send(hwnd, bar, CodeOf(part), 0);
    if (!(d = Data(hwnd, bar, false))) return;
    SetTimer(hwnd, kRepeatTimer, kFirstRepeatMs, nullptr);
  }
  Redraw(hwnd, bar);
  POINT mouse = start;
  MSG msg;
  while (GetCapture() == hwnd) {
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // A release we never saw (the button went up over another program) ends the loop too.
      if (!(GetKeyState(0x01) & 0x8000)) break;
      WaitMessage();
      continue;
    }
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) break;
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
      mouse = toBar(msg.pt);
      if (part == kThumb) {
        if (!(d = Data(hwnd, bar, false))) break;
        Layout now = Measure(*d, r, vertical, true);
        int track = now.length - 2 * now.arrow - now.thumbSize;
        int at = (vertical ? mouse.y - r.top : mouse.x - r.left) - grab - now.arrow;
        long long span = static_cast<long long>(MaxPos(*d)) - d->min;
        int pos = track > 0 ? d->min + static_cast<int>((std::clamp(at, 0, track) * span + track / 2) / track) : d->min;
        // Far from the bar the thumb snaps back, as the classic bar does.
        int across = vertical ? mouse.x - r.left : mouse.y - r.top;
        int width = vertical ? r.right - r.left : r.bottom - r.top;
        if (across < -2 * width || across > 3 * width) pos = d->pos;
        if (pos != d->trackPos) {
          d->trackPos = pos;
          Redraw(hwnd, bar);
          Send(hwnd, bar, SB_THUMBTRACK, pos);
        }
      } else {
        if (!(d = Data(hwnd, bar, false))) break;
        int over = HitPart(hwnd, bar, r, mouse);
        int show = over == part ? part : kNone;
        if (show != d->pressed) {
          d->pressed = show;
          Redraw(hwnd, bar);
        }
      }
      continue;
    }
    if (msg.message == WM_TIMER && msg.hwnd == hwnd && msg.wParam == kRepeatTimer) {
      SetTimer(hwnd, kRepeatTimer, kRepeatMs, nullptr);
      if (!(d = Data(hwnd, bar, false))) break;
      // Paging repeats only while the thumb has not yet reached the mouse.
      if (HitPart(hwnd, bar, r, mouse) == part) {
        Send(hwnd, bar, CodeOf(part), 0);
        if (!IsWindow(hwnd)) break;
        Redraw(hwnd, bar);
      }
      continue;
    }
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
      if (msg.message == WM_KEYDOWN && msg.wParam == 0x1B) break;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  if (!IsWindow(hwnd)) return;
  KillTimer(hwnd, kRepeatTimer);
  if (GetCapture() == hwnd) ReleaseCapture();
  if (!(d = Data(hwnd, bar, false))) return;
  d->pressed = kNone;
  if (part == kThumb) {
    int pos = d->trackPos;
    Send(hwnd, bar, SB_THUMBPOSITION, pos);
    if (!(d = Data(hwnd, bar, false))) return;
    d->tracking = false;
  }
  Send(hwnd, bar, SB_ENDSCROLL, 0);
  if (Data(hwnd, bar, false)) Redraw(hwnd, bar);
}

}  // namespace

void TrackNonClientScroll(HWND hwnd, int bar, POINT screen) {
  RECT wr;
  GetWindowRect(hwnd, &wr);
  Track(hwnd, bar, {screen.x - wr.left, screen.y - wr.top});
}

void ForgetScrollBars(HWND hwnd) { NonClientBars().erase(hwnd); }

LRESULT ScrollBarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCREATE:
      AttachState(hwnd, std::make_unique<CtlState>());
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
      DetachState<CtlState>(hwnd);
      return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT r;
      GetClientRect(hwnd, &r);
      DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
      if (style & (SBS_SIZEBOX | SBS_SIZEGRIP)) {
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawFrameControl(dc, &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
      } else {
        DrawBar(dc, hwnd, SB_CTL, r);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Track(hwnd, SB_CTL, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN: {
      bool vertical = Vertical(hwnd, SB_CTL);
      WORD code = 0xFFFF;
      switch (wParam) {
        case 0x26: case 0x25: code = SB_LINEUP; break;     // up, left
        case 0x28: case 0x27: code = SB_LINEDOWN; break;   // down, right
        case 0x21: code = SB_PAGEUP; break;
        case 0x22: code = SB_PAGEDOWN; break;
        case 0x24: code = SB_TOP; break;
        case 0x23: code = SB_BOTTOM; break;
        default: break;
      }
      (void)vertical;
      if (code != 0xFFFF) {
        Send(hwnd, SB_CTL, code, 0);
        Send(hwnd, SB_CTL, SB_ENDSCROLL, 0);
      }
      return 0;
    }
    case SBM_SETPOS: return SetScrollPos(hwnd, SB_CTL, static_cast<int>(wParam), static_cast<BOOL>(lParam));
    case SBM_GETPOS: return GetScrollPos(hwnd, SB_CTL);
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
      int old = GetScrollPos(hwnd, SB_CTL);
      SetScrollRange(hwnd, SB_CTL, static_cast<int>(wParam), static_cast<int>(lParam), msg == SBM_SETRANGEREDRAW);
      return old;
    }
    case SBM_GETRANGE: {
      int lo = 0, hi = 0;
      GetScrollRange(hwnd, SB_CTL, &lo, &hi);
      if (wParam) *reinterpret_cast<int*>(wParam) = lo;
      if (lParam) *reinterpret_cast<int*>(lParam) = hi;
      return 0;
    }
    case SBM_ENABLE_ARROWS: return EnableScrollBar(hwnd, SB_CTL, static_cast<UINT>(wParam));
    case SBM_SETSCROLLINFO:
      return SetScrollInfo(hwnd, SB_CTL, reinterpret_cast<const SCROLLINFO*>(lParam), static_cast<BOOL>(wParam));
    case SBM_GETSCROLLINFO: return GetScrollInfo(hwnd, SB_CTL, reinterpret_cast<SCROLLINFO*>(lParam));
    case SBM_GETSCROLLBARINFO:
      return GetScrollBarInfo(hwnd, OBJID_CLIENT, reinterpret_cast<SCROLLBARINFO*>(lParam));
    default:
      return DefWindowProc(hwnd, msg, wParam, lParam);
  }
}

}  // namespace platform::wm

namespace win {

using namespace platform::wm;

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  if (!info || !IsWindow(hwnd)) return 0;
  BarData* d = Data(hwnd, bar, true);
  if (!d) return 0;
  if (info->fMask & SIF_RANGE) {
    d->min = info->nMin;
    d->max = std::max(info->nMax, info->nMin);
  }
  if (info->fMask & SIF_PAGE) {
    long long range = static_cast<long long>(d->max) - d->min + 1;
    d->page = static_cast<UINT>(std::min<long long>(info->nPage, range));
  } else if (info->fMask & SIF_RANGE) {
    long long range = static_cast<long long>(d->max) - d->min + 1;
    d->page = static_cast<UINT>(std::min<long long>(d->page, range));
  }
  if (info->fMask & SIF_POS) d->pos = info->nPos;
  Clamp(*d);
  if (bar != SB_CTL) {
    // A bar whose whole range fits in its page hides, unless asked to stay disabled instead.
    bool needed = d->max > d->min && (d->page == 0 || static_cast<long long>(d->page) <= static_cast<long long>(d->max) - d->min);
    if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
      if (info->fMask & SIF_DISABLENOSCROLL) {
        ShowScrollBar(hwnd, bar, TRUE);
        d = Data(hwnd, bar, false);
        if (d) d->disabled = needed ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
      } else {
        ShowScrollBar(hwnd, bar, needed);
        d = Data(hwnd, bar, false);
      }
    }
  }
  if (!d) return 0;
  if (redraw) Redraw(hwnd, bar);
  return d->pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
  if (!info || !IsWindow(hwnd)) return FALSE;
  BarData* d = Data(hwnd, bar, bar == SB_CTL);
  BarData none;
  if (!d) {
    // A window that never had scroll bars set still answers with the standard range.
    d = &none;
    Window* w = Find(hwnd);
    if (!w || !(w->style & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL))) return FALSE;
  }
  if (info->fMask & SIF_RANGE) {
    info->nMin = d->min;
    info->nMax = d->max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = d->page;
  if (info->fMask & SIF_POS) info->nPos = d->pos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = d->tracking ? d->trackPos : d->pos;
  return TRUE;
}

FlatSB_SetScrollPosProc FlatSB_SetScrollPos = &SetScrollPos;
FlatSB_SetScrollInfoProc FlatSB_SetScrollInfo = &SetScrollInfo;
FlatSB_GetScrollInfoProc FlatSB_GetScrollInfo = &GetScrollInfo;

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  BarData* d = Data(hwnd, bar, IsWindow(hwnd) != FALSE);
  if (!d) return 0;
  int old = d->pos;
  d->pos = pos;
  Clamp(*d);
  if (redraw) Redraw(hwnd, bar);
  return old;
}

int GetScrollPos(HWND hwnd, int bar) {
  BarData* d = Data(hwnd, bar, false);
  return d ? d->pos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  si.nMin = minPos;
  si.nMax = maxPos;
  return SetScrollInfo(hwnd, bar, &si, redraw) >= 0 && IsWindow(hwnd);
}

BOOL GetScrollRange(HWND hwnd, int bar, int* minPos, int* maxPos) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  if (!GetScrollInfo(hwnd, bar, &si)) {
    if (minPos) *minPos = 0;
    if (maxPos) *maxPos = 0;
    return FALSE;
  }
  if (minPos) *minPos = si.nMin;
  if (maxPos) *maxPos = si.nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
  if (!IsWindow(hwnd)) return FALSE;
  if (bar == SB_CTL) return ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE), TRUE;
  DWORD want = 0;
  if (bar == SB_VERT || bar == SB_BOTH) want |= WS_VSCROLL;
  if (bar == SB_HORZ || bar == SB_BOTH) want |= WS_HSCROLL;
  DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
  DWORD next = show ? (style | want) : (style & ~want);
  Data(hwnd, bar == SB_BOTH ? SB_VERT : bar, true);
  if (next != style) {
    SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(next));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows) {
  if (bar == SB_BOTH) return EnableScrollBar(hwnd, SB_HORZ, arrows) && EnableScrollBar(hwnd, SB_VERT, arrows);
  BarData* d = Data(hwnd, static_cast<int>(bar), IsWindow(hwnd) != FALSE);
  if (!d || d->disabled == arrows) return FALSE;
  d->disabled = arrows;
  Redraw(hwnd, static_cast<int>(bar));
  return TRUE;
}

BOOL GetScrollBarInfo(HWND hwnd, LONG object, SCROLLBARINFO* info) {
  if (!info || !IsWindow(hwnd)) return FALSE;
  int bar = object == OBJID_HSCROLL ? SB_HORZ : object == OBJID_VSCROLL ? SB_VERT : object == OBJID_CLIENT ? SB_CTL : -1;
  if (bar < 0) return FALSE;
  if (bar == SB_CTL && !ControlState<CtlState>(hwnd)) return FALSE;
  BarData none;
  BarData* d = Data(hwnd, bar, false);
  if (!d) d = &none;
  RECT r;
  bool vertical = Vertical(hwnd, bar);
  Window* w = Find(hwnd);
  if (bar == SB_CTL) {
    GetClientRect(hwnd, &r);
  } else {
    r = vertical ? RECT{w->client.right, w->client.top, w->client.right + GetSystemMetrics(SM_CXVSCROLL), w->client.bottom}
                 : RECT{w->client.left, w->client.bottom, w->client.right, w->client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
  }
  bool shown = bar == SB_CTL ? IsWindowVisible(hwnd) != FALSE : (w->style & (vertical ? WS_VSCROLL : WS_HSCROLL)) != 0;
  bool enabled = Enabled(*d, hwnd);
  Layout l = Measure(*d, r, vertical, enabled);
  info->dxyLineButton = l.arrow;
  info->xyThumbTop = l.thumbSize ? l.thumbStart : 0;
  info->xyThumbBottom = l.thumbSize ? l.thumbStart + l.thumbSize : 0;
  // The bar's rectangle on the screen.
  RECT wr;
  GetWindowRect(hwnd, &wr);
  if (bar == SB_CTL) {
    POINT o{0, 0};
    ClientToScreen(hwnd, &o);
    info->rcScrollBar = {o.x + r.left, o.y + r.top, o.x + r.right, o.y + r.bottom};
  } else {
    info->rcScrollBar = {wr.left + r.left, wr.top + r.top, wr.left + r.right, wr.top + r.bottom};
  }
  for (DWORD& s : info->rgstate) s = 0;
  if (!shown) info->rgstate[0] |= STATE_SYSTEM_INVISIBLE;
  if (!enabled) info->rgstate[0] |= STATE_SYSTEM_UNAVAILABLE;
  if (!l.thumbSize) info->rgstate[3] |= STATE_SYSTEM_INVISIBLE;
  if (!enabled || (d->disabled & ESB_DISABLE_LTUP)) info->rgstate[1] |= STATE_SYSTEM_UNAVAILABLE;
  if (!enabled || (d->disabled & ESB_DISABLE_RTDN)) info->rgstate[5] |= STATE_SYSTEM_UNAVAILABLE;
  if (d->pressed > 0 && d->pressed <= 5) info->rgstate[d->pressed] |= STATE_SYSTEM_PRESSED;
  return TRUE;
}

}  // namespace win
