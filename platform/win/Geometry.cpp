#include <algorithm>

#include "platform/system/Sync.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

int FrameThickness(DWORD style, DWORD exStyle) {
  int b = 0;
  if (style & WS_THICKFRAME)
    b = GetSystemMetrics(SM_CXFRAME);
  else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    b = GetSystemMetrics(SM_CXDLGFRAME);
  else if (style & WS_BORDER)
    b = GetSystemMetrics(SM_CXBORDER);
  if (exStyle & WS_EX_CLIENTEDGE) b += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) b += GetSystemMetrics(SM_CXBORDER);
  return b;
}

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

}  // namespace

RECT NonClientInsets(DWORD style, DWORD exStyle, bool menu) {
  int b = FrameThickness(style, exStyle);
  RECT in{b, b, b, b};
  if (HasCaption(style))
    in.top += GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  if (menu) in.top += GetSystemMetrics(SM_CYMENU);
  if (style & WS_VSCROLL) in.right += GetSystemMetrics(SM_CXVSCROLL);
  if (style & WS_HSCROLL) in.bottom += GetSystemMetrics(SM_CYHSCROLL);
  return in;
}

int (*NonClientMenuHeight)(const Window&) = nullptr;

RECT DefaultClientRect(const Window& w, const RECT& windowRect) {
  // A top-level window's id is its menu; the menu bar's height joins in once menus exist.
  RECT in = NonClientInsets(w.style, w.exStyle, false);
  if (!(w.style & WS_CHILD) && w.id != 0 && NonClientMenuHeight) in.top += NonClientMenuHeight(w);
  int width = windowRect.right - windowRect.left;
  int height = windowRect.bottom - windowRect.top;
  RECT c{in.left, in.top, width - in.right, height - in.bottom};
  if (c.right < c.left) c.right = c.left;
  if (c.bottom < c.top) c.bottom = c.top;
  return c;
}

void RecalcClient(Window& w) {
  // WM_NCCALCSIZE works in parent coordinates; the result is kept relative to the window.
  NCCALCSIZE_PARAMS params{};
  params.rgrc[0] = w.rect;
  LRESULT r = CallProc(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&params.rgrc[0]));
  (void)r;
  RECT c = params.rgrc[0];
  w.client = {c.left - w.rect.left, c.top - w.rect.top, c.right - w.rect.left, c.bottom - w.rect.top};
  if (w.client.right < w.client.left) w.client.right = w.client.left;
  if (w.client.bottom < w.client.top) w.client.bottom = w.client.top;
}

Window* TopLevelOf(Window* w) {
  while (w && w->IsChild()) w = Find(w->parent);
  return w;
}

POINT ClientOriginOnScreen(const Window& w) {
  RECT r = ScreenRect(w);
  return {r.left + w.client.left, r.top + w.client.top};
}

RECT ScreenRect(const Window& w) {
  if (!w.IsChild()) return w.rect;
  Window* p = Find(w.parent);
  if (!p) return w.rect;
  POINT o = ClientOriginOnScreen(*p);
  return {w.rect.left + o.x, w.rect.top + o.y, w.rect.right + o.x, w.rect.bottom + o.y};
}

RECT RectInTop(const Window& w, bool clientOnly) {
  Window* top = TopLevelOf(const_cast<Window*>(&w));
  RECT s = ScreenRect(w);
  int ox = top ? top->rect.left : 0, oy = top ? top->rect.top : 0;
  RECT r{s.left - ox, s.top - oy, s.right - ox, s.bottom - oy};
  if (clientOnly) r = {r.left + w.client.left, r.top + w.client.top, r.left + w.client.right, r.top + w.client.bottom};
  return r;
}

namespace {

// A window region clips its window's drawing as it clips the mouse.
void ClipToWindowRegion(const Window& w, Region& rgn) {
  if (!w.windowRgn) return;
  RECT inTop = RectInTop(w, false);
  Region shape = *w.windowRgn;
  shape.Offset(inTop.left, inTop.top);
  rgn.Intersect(shape);
}

// What a window covers of its top-level window: its rectangle, within its region when it has one.
Region CoveredInTop(const Window& w) {
  Region shape(RectInTop(w, false));
  ClipToWindowRegion(w, shape);
  return shape;
}

void SubtractSiblingsAbove(const Window& w, Region& rgn) {
  Window* p = Find(w.parent);
  if (!p) return;
  for (HWND s : p->children) {
    if (s == w.handle) break;
    Window* sw = Find(s);
    if (sw && sw->Visible()) rgn.Subtract(CoveredInTop(*sw));
  }
}

}  // namespace

Region VisibleRegion(Window& w, bool clientOnly, bool clipChildren, bool clipSiblings) {
  Region rgn(RectInTop(w, clientOnly));
  ClipToWindowRegion(w, rgn);
  // Every ancestor clips to its client area; those that clip their siblings are clipped by them too.
  if (w.IsChild() && clipSiblings) SubtractSiblingsAbove(w, rgn);
  for (Window* a = w.IsChild() ? Find(w.parent) : nullptr; a; a = a->IsChild() ? Find(a->parent) : nullptr) {
    if (!a->Visible()) return Region();
    rgn.Intersect(RectInTop(*a, true));
    ClipToWindowRegion(*a, rgn);
    if (a->IsChild() && (a->style & WS_CLIPSIBLINGS)) SubtractSiblingsAbove(*a, rgn);
  }
  if (clipChildren) {
    for (HWND c : w.children) {
      Window* cw = Find(c);
      if (cw && cw->Visible()) rgn.Subtract(CoveredInTop(*cw));
    }
  }
  return rgn;
}

}  // namespace platform::wm

namespace win {

using namespace platform::wm;
using platform::Region;

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle) {
  if (!rect) return FALSE;
  RECT in = NonClientInsets(style & ~(WS_VSCROLL | WS_HSCROLL), exStyle, menu != FALSE);
  rect->left -= in.left;
  rect->top -= in.top;
  rect->right += in.right;
  rect->bottom += in.bottom;
  return TRUE;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  Window* w = Get(hwnd);
  if (!w || !rect) return FALSE;
  *rect = ScreenRect(*w);
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  Window* w = Get(hwnd);
  if (!w || !rect) return FALSE;
  *rect = {0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* pt) {
  Window* w = Get(hwnd);
  if (!w || !pt) return FALSE;
  POINT o = ClientOriginOnScreen(*w);
  pt->x += o.x;
  pt->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* pt) {
  Window* w = Get(hwnd);
  if (!w || !pt) return FALSE;
  POINT o = ClientOriginOnScreen(*w);
  pt->x -= o.x;
  pt->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  POINT a{0, 0}, b{0, 0};
  if (from && from != GetDesktopWindow()) {
    Window* w = Get(from);
    if (!w) return 0;
    a = ClientOriginOnScreen(*w);
  }
  if (to && to != GetDesktopWindow()) {
    Window* w = Get(to);
    if (!w) return 0;
    b = ClientOriginOnScreen(*w);
  }
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  SetLastError(0);
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

namespace {

bool InRect(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags) {
  Window* p = Get(parent);
  if (!p) return nullptr;
  RECT client{0, 0, p->client.right - p->client.left, p->client.bottom - p->client.top};
  if (!InRect(client, pt)) return nullptr;
  for (HWND c : p->children) {
    Window* w = Find(c);
    if (!w) continue;
    if ((flags & CWP_SKIPINVISIBLE) && !w->Visible()) continue;
    if ((flags & CWP_SKIPDISABLED) && (w->style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (w->exStyle & WS_EX_TRANSPARENT)) continue;
    if (InRect(w->rect, pt) && WindowRegionHit(*w, {pt.x - w->rect.left, pt.y - w->rect.top})) return c;
  }
  return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) { return ChildWindowFromPointEx(parent, pt, CWP_ALL); }

}  // namespace win

namespace platform::wm {

namespace {

bool Skipped(const std::vector<HWND>& skip, HWND h) { return std::find(skip.begin(), skip.end(), h) != skip.end(); }

// The deepest window under the point, leaving out the windows in `skip` (and what lies within them).
HWND SearchPoint(POINT pt, const std::vector<HWND>& skip) {
  for (HWND t : TopLevels()) {
    Window* w = Find(t);
    if (!w || !w->Visible() || (w->style & WS_MINIMIZE) || (w->exStyle & WS_EX_TRANSPARENT) || Skipped(skip, t)) continue;
    if (!InRect(w->rect, pt) || !WindowRegionHit(*w, {pt.x - w->rect.left, pt.y - w->rect.top})) continue;
    if (!SurfaceHit(*w, pt)) continue;
    // A disabled window takes the point for all its children: none of them gets the mouse.
    if (w->style & WS_DISABLED) return t;
    // Down through the children under the point; hidden and disabled ones are passed over.
    HWND found = t;
    for (;;) {
      Window* cur = Find(found);
      POINT local = pt;
      ScreenToClient(found, &local);
      HWND next = nullptr;
      for (HWND c : cur->children) {
        Window* cw = Find(c);
        if (!cw || !cw->Visible() || (cw->exStyle & WS_EX_TRANSPARENT) || Skipped(skip, c)) continue;
        if (InRect(cw->rect, local) && WindowRegionHit(*cw, {local.x - cw->rect.left, local.y - cw->rect.top})) {
          next = (cw->style & WS_DISABLED) ? nullptr : c;
          if (!next) return found;
          break;
        }
      }
      if (!next) return found;
      found = next;
    }
  }
  return nullptr;
}

}  // namespace

HWND WindowUnderPoint(POINT pt, LRESULT* hitOut) {
  // A window of this thread that answers HTTRANSPARENT lets the point through to what lies
  // beneath it: its siblings below, then its parent, then the windows below its top-level.
  std::vector<HWND> skip;
  for (int guard = 0; guard < 256; ++guard) {
    HWND found = SearchPoint(pt, skip);
    Window* w = Find(found);
    if (!w) return nullptr;
    LRESULT hit = HTCLIENT;
    if (w->style & WS_DISABLED)
      hit = HTERROR;  // not asked: a click on it only beeps
    else if (w->threadId == GetCurrentThreadId())
      hit = SendMessage(found, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
    if (!Find(found)) return nullptr;
    if (hit != HTTRANSPARENT) {
      if (hitOut) *hitOut = hit;
      return found;
    }
    skip.push_back(found);
  }
  return nullptr;
}

}  // namespace platform::wm

namespace win {

HWND WindowFromPoint(POINT pt) { return WindowUnderPoint(pt, nullptr); }

// ---------------------------------------------------------------------------------------------
// SetWindowPos

namespace {

// Owned windows stay above their owner: raising the owner lifts them along, in their order.
void KeepOwnedAbove(Window& owner) {
  auto& tops = TopLevels();
  std::vector<HWND> owned;
  for (HWND t : tops)
    if (Window* o = Find(t); o && o->owner == owner.handle && o != &owner) owned.push_back(t);
  if (owned.empty()) return;
  for (HWND o : owned) tops.erase(std::remove(tops.begin(), tops.end(), o), tops.end());
  auto pos = std::find(tops.begin(), tops.end(), owner.handle);
  bool ownerTopmost = (owner.exStyle & WS_EX_TOPMOST) != 0;
  // An owned window that is not topmost cannot rise above the topmost band.
  for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
    Window* o = Find(*it);
    auto at = pos;
    if (o && (o->exStyle & WS_EX_TOPMOST) && !ownerTopmost) at = tops.begin();
    pos = tops.insert(at, *it);
    if (at != pos) pos = std::find(tops.begin(), tops.end(), owner.handle);
  }
  for (HWND o : owned)
    if (Window* ow = Find(o)) KeepOwnedAbove(*ow);
}

void Restack(Window& w, HWND insertAfter) {
  std::vector<HWND>* list = nullptr;
  if (w.parent) {
    Window* p = Find(w.parent);
    if (!p) return;
    list = &p->children;
  } else if (!w.messageOnly) {
    list = &TopLevels();
  } else {
    return;
  }
  auto& v = *list;
  v.erase(std::remove(v.begin(), v.end(), w.handle), v.end());
  bool topLevel = !w.parent;
  DWORD wasTopmost = w.exStyle & WS_EX_TOPMOST;
  if (insertAfter == HWND_TOPMOST && topLevel) w.exStyle |= WS_EX_TOPMOST;
  if (insertAfter == HWND_NOTOPMOST && topLevel) w.exStyle &= ~WS_EX_TOPMOST;
  if ((w.exStyle & WS_EX_TOPMOST) != wasTopmost) SyncSurfaceFlags(w);
  auto isTopmost = [](HWND h) {
    Window* o = Find(h);
    return o && (o->exStyle & WS_EX_TOPMOST);
  };
  std::vector<HWND>::iterator pos;
  if (insertAfter == HWND_BOTTOM) {
    pos = v.end();
    if (topLevel && (w.exStyle & WS_EX_TOPMOST)) {
      // A topmost window sent to the bottom stays within the topmost band... as the platform
      // does, it loses the flag instead.
      w.exStyle &= ~WS_EX_TOPMOST;
    }
  } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
    pos = v.begin();
    if (topLevel && !(w.exStyle & WS_EX_TOPMOST))
      while (pos != v.end() && isTopmost(*pos)) ++pos;
  } else {
    pos = std::find(v.begin(), v.end(), insertAfter);
    if (pos != v.end()) ++pos;
    if (topLevel) {
      // Keep the bands: a normal window cannot go above a topmost one, nor a topmost below.
      if (!(w.exStyle & WS_EX_TOPMOST))
        while (pos != v.end() && isTopmost(*pos)) ++pos;
      else
        while (pos != v.begin() && !isTopmost(*(pos - 1))) --pos;
    }
  }
  v.insert(pos, w.handle);
  if (topLevel) KeepOwnedAbove(w);
}

void SyncSurface(Window& w) {
  if (!w.store || !w.store->surface || !platform::HasDisplay()) return;
  auto& d = platform::CurrentDisplay();
  d.SetBounds(w.store->surface, {w.rect.left, w.rect.top, w.rect.right, w.rect.bottom});
}

void RestackSurfaces() {
  if (!platform::HasDisplay()) return;
  std::vector<platform::SurfaceId> order;
  for (HWND t : TopLevels())
    if (Window* w = Find(t); w && w->store && w->store->surface) order.push_back(w->store->surface);
  platform::CurrentDisplay().Restack(order);
}

}  // namespace

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  if (w->threadId != GetCurrentThreadId()) {
    // Another thread's window: the platform posts the change to its owner; so do we.
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  bool wasVisible = w->Visible();
  if (wasVisible) flags &= ~SWP_SHOWWINDOW;
  if (!wasVisible) flags &= ~SWP_HIDEWINDOW;
  if ((flags & SWP_SHOWWINDOW) && (flags & SWP_HIDEWINDOW)) flags &= ~SWP_HIDEWINDOW;
  if (cx < 0) cx = 0;
  if (cy < 0) cy = 0;
  if (!(flags & SWP_NOMOVE) && x == w->rect.left && y == w->rect.top) flags |= SWP_NOMOVE;
  if (!(flags & SWP_NOSIZE) && cx == w->Width() && cy == w->Height()) flags |= SWP_NOSIZE;
  if (!(flags & SWP_NOZORDER)) {
    // A window already in place needs no z-order change.
    if (insertAfter == hwnd) flags |= SWP_NOZORDER;
  }

  WINDOWPOS wp{hwnd, insertAfter,
               (flags & SWP_NOMOVE) ? w->rect.left : x,
               (flags & SWP_NOMOVE) ? w->rect.top : y,
               (flags & SWP_NOSIZE) ? w->Width() : cx,
               (flags & SWP_NOSIZE) ? w->Height() : cy,
               flags};
  if (!(flags & SWP_NOSENDCHANGING)) {
    CallProc(*w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!(w = Find(hwnd))) return FALSE;
    // The window may change the request, or refuse part of it through the flags.
    flags = wp.flags;
    if (flags & SWP_NOMOVE) {
      wp.x = w->rect.left;
      wp.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
      wp.cx = w->Width();
      wp.cy = w->Height();
    }
    if (wp.x == w->rect.left && wp.y == w->rect.top) flags |= SWP_NOMOVE;
    if (wp.cx == w->Width() && wp.cy == w->Height()) flags |= SWP_NOSIZE;
  }
  if (wp.cx < 0) wp.cx = 0;
  if (wp.cy < 0) wp.cy = 0;

  Window* parent = w->IsChild() ? Find(w->parent) : nullptr;
  Region oldArea;  // what the window covered, in parent client coordinates (or screen)
  if (wasVisible) oldArea = Region(w->rect);
  RECT oldRect = w->rect;
  RECT oldClient = w->client;

  RECT newRect{wp.x, wp.y, wp.x + wp.cx, wp.y + wp.cy};
  bool sized = !(flags & SWP_NOSIZE);
  bool moved = !(flags & SWP_NOMOVE);
  if (sized || (flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = newRect;
    params.rgrc[1] = oldRect;
    params.rgrc[2] = {oldRect.left + oldClient.left, oldRect.top + oldClient.top, oldRect.left + oldClient.right,
                      oldRect.top + oldClient.bottom};
    params.lppos = &wp;
    w->rect = newRect;
    CallProc(*w, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    if (!(w = Find(hwnd))) return FALSE;
    RECT c = params.rgrc[0];
    w->client = {c.left - newRect.left, c.top - newRect.top, c.right - newRect.left, c.bottom - newRect.top};
    if (w->client.right < w->client.left) w->client.right = w->client.left;
    if (w->client.bottom < w->client.top) w->client.bottom = w->client.top;
  }
  w->rect = newRect;
  bool raisedChild = false;
  if (!(flags & SWP_NOZORDER)) {
    std::vector<HWND> before = parent ? parent->children : std::vector<HWND>{};
    Restack(*w, wp.hwndInsertAfter);
    if (parent) {
      // Siblings that went below it no longer hide it: what they covered must be drawn.
      auto was = std::find(before.begin(), before.end(), hwnd) - before.begin();
      auto now = std::find(parent->children.begin(), parent->children.end(), hwnd) - parent->children.begin();
      raisedChild = now < was;
    }
  }
  if (flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
  if (flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
  bool visibleNow = w->Visible();

  if (!w->IsChild() && !w->messageOnly) {
    // The store is resized here, before anything else may size it afresh and lose its pixels.
    if (sized && w->store) {
      // Keep what was drawn where it still fits; the rest will be painted.
      BackingStore& s = *w->store;
      std::vector<std::uint32_t> px(static_cast<std::size_t>(std::max(0, w->Width())) * std::max(0, w->Height()), 0);
      int copyW = std::min(s.width, w->Width()), copyH = std::min(s.height, w->Height());
      for (int row = 0; row < copyH; ++row)
        std::copy_n(s.pixels.begin() + static_cast<std::ptrdiff_t>(row) * s.width, copyW,
                    px.begin() + static_cast<std::ptrdiff_t>(row) * w->Width());
      s.pixels = std::move(px);
      s.width = w->Width();
      s.height = w->Height();
      RetargetWindowDcs(*w);
    }
    if (flags & SWP_SHOWWINDOW) EnsureSurface(*w);
    EnsureBackingStore(*w);
    SyncSurface(*w);
    if (!(flags & SWP_NOZORDER)) RestackSurfaces();
    if (w->store && w->store->surface && platform::HasDisplay()) {
      if (flags & SWP_SHOWWINDOW) {
        // Paint before the native window appears, so it never shows stale pixels.
        platform::CurrentDisplay().SetVisible(w->store->surface, true);
      }
      if (flags & SWP_HIDEWINDOW) platform::CurrentDisplay().SetVisible(w->store->surface, false);
    }
  }

  if (!(flags & SWP_NOREDRAW)) {
    // What the window uncovered belongs to whatever lies below it now.
    if (parent && !oldArea.Empty() && (moved || sized || (flags & SWP_HIDEWINDOW))) {
      Region exposed = oldArea;
      if (visibleNow) {
        // Only what the window's shape covers now stays hidden: outside its region the parent shows.
        Region shape(w->rect);
        if (w->windowRgn) {
          shape = *w->windowRgn;
          shape.Offset(w->rect.left, w->rect.top);
        }
        exposed.Subtract(shape);
      }
      if (!exposed.Empty()) {
        exposed.Offset(parent->client.left, parent->client.top);
        InvalidateWindowArea(*parent, exposed, true, true, false);
      }
    }
    if (visibleNow) {
      bool whole = (flags & SWP_SHOWWINDOW) || (flags & SWP_FRAMECHANGED) || (parent && moved) || raisedChild ||
                   (sized && (w->cls->style & (CS_HREDRAW | CS_VREDRAW)));
      if (whole) {
        InvalidateWindowArea(*w, Region(RECT{0, 0, w->Width(), w->Height()}), true, true, true);
      } else if (sized) {
        // Only the newly uncovered strips of the window and its frame, and of the children that
        // reach into them: they were clipped there until now.
        Region fresh(RECT{0, 0, w->Width(), w->Height()});
        fresh.Subtract(RECT{oldClient.left, oldClient.top, std::min(oldClient.right, w->client.right),
                            std::min(oldClient.bottom, w->client.bottom)});
        InvalidateWindowArea(*w, fresh, true, true, true);
      }
    }
  }

  wp.flags = flags;
  wp.x = w->rect.left;
  wp.y = w->rect.top;
  wp.cx = w->Width();
  wp.cy = w->Height();
  CallProc(*w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
  if (!Find(hwnd)) return TRUE;
  // A top-level window shown or raised without SWP_NOACTIVATE becomes the active one.
  if (!w->IsChild() && !(flags & SWP_NOACTIVATE) && visibleNow &&
      ((flags & SWP_SHOWWINDOW) || !(flags & SWP_NOZORDER)))
    OnWindowShown(hwnd);
  if (flags & SWP_HIDEWINDOW) OnWindowHidden(hwnd);
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL IsWindowVisible(HWND hwnd) {
  Window* w = Find(hwnd);
  // Visible only when every ancestor is.
  while (w) {
    if (!w->Visible()) return FALSE;
    if (!w->IsChild()) return TRUE;
    w = Find(w->parent);
  }
  return FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  Window* w = Find(hwnd);
  return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
  if (enable && wasDisabled) {
    w->style &= ~WS_DISABLED;
    CallProc(*w, WM_ENABLE, TRUE, 0);
  } else if (!enable && !wasDisabled) {
    w->style |= WS_DISABLED;
    OnWindowDisabled(hwnd);
    if ((w = Find(hwnd))) CallProc(*w, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled;
}

BOOL IsIconic(HWND hwnd) {
  Window* w = Find(hwnd);
  return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
  Window* w = Find(hwnd);
  return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL BringWindowToTop(HWND hwnd) { return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL ShowWindow(HWND hwnd, int cmd) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  BOOL wasVisible = w->Visible() ? TRUE : FALSE;
  UINT swp = SWP_NOMOVE | SWP_NOSIZE;
  bool child = w->IsChild();
  if (child) swp |= SWP_NOACTIVATE | SWP_NOZORDER;
  RECT target = w->rect;
  bool stateChange = false;
  DWORD oldState = w->style & (WS_MINIMIZE | WS_MAXIMIZE);

  switch (cmd) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      CallProc(*w, WM_SHOWWINDOW, FALSE, 0);
      if (!(w = Find(hwnd))) return wasVisible;
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return wasVisible;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
      if (!(w->style & WS_MINIMIZE)) {
        if (!(w->style & WS_MAXIMIZE)) w->normalRect = w->rect;
        w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
        stateChange = true;
      }
      swp |= SWP_NOACTIVATE;
      if (w->exStyle & WS_EX_MDICHILD) {
        // A minimized document is a caption in a row along the bottom of the client area.
        target = MdiIconSlot(hwnd);
        swp &= ~(SWP_NOMOVE | SWP_NOSIZE);
        if (!(w = Find(hwnd))) return wasVisible;
      }
      break;
    case SW_SHOWMAXIMIZED:
      if (!(w->style & WS_MAXIMIZE)) {
        if (!(w->style & WS_MINIMIZE)) w->normalRect = w->rect;
        w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
        stateChange = true;
      }
      {
        // The frame lies beyond the work area so that the client area fills it.
        platform::ScreenRect wa = platform::CurrentDisplay().WorkArea();
        RECT in = NonClientInsets(w->style, w->exStyle, false);
        int fx = in.left, fy = in.bottom;
        // A maximized document hides its caption too: the frame's menu bar stands in for it.
        int top = (w->exStyle & WS_EX_MDICHILD) ? in.top : fy;
        target = child ? RECT{-fx, -top, 0, 0} : RECT{wa.left - fx, wa.top - fy, wa.right + fx, wa.bottom + fy};
        if (child) {
          if (Window* p = Find(w->parent))
            target = {-fx, -top, p->client.right - p->client.left + fx, p->client.bottom - p->client.top + fy};
        }
      }
      swp &= ~(SWP_NOMOVE | SWP_NOSIZE);
      break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
      if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) {
        w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
        target = w->normalRect;
        swp &= ~(SWP_NOMOVE | SWP_NOSIZE);
        stateChange = true;
      }
      break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA:
      swp |= SWP_NOACTIVATE | SWP_NOZORDER;
      break;
    case SW_SHOW:
      // Showing a shown window neither raises nor activates it.
      if (wasVisible) return TRUE;
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
  }

  bool minimized = (w->style & WS_MINIMIZE) != 0;
  if (!wasVisible) {
    CallProc(*w, WM_SHOWWINDOW, TRUE, 0);
    if (!(w = Find(hwnd))) return wasVisible;
  }
  swp |= SWP_SHOWWINDOW;
  if (stateChange) swp |= SWP_STATECHANGED | SWP_FRAMECHANGED;
  SetWindowPos(hwnd, HWND_TOP, target.left, target.top, target.right - target.left, target.bottom - target.top, swp & ~SWP_STATECHANGED);
  if (!(w = Find(hwnd))) return wasVisible;
  if (minimized && w->store && w->store->surface && platform::HasDisplay())
    platform::CurrentDisplay().SetVisible(w->store->surface, false);  // a minimized window has no place on our desktop
  else if (!minimized && (oldState & WS_MINIMIZE) && w->store && w->store->surface && platform::HasDisplay())
    platform::CurrentDisplay().SetVisible(w->store->surface, true);
  // A document shown, restored or maximized becomes the active one.
  if ((w->exStyle & WS_EX_MDICHILD) && child && cmd != SW_SHOWNOACTIVATE && cmd != SW_SHOWNA && !minimized)
    SendMessage(hwnd, WM_CHILDACTIVATE, 0, 0);
  // The new state's WM_SIZE came with WM_WINDOWPOSCHANGED: the frame change above asks for it.
  return wasVisible;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement) {
  Window* w = Get(hwnd);
  if (!w || !placement) return FALSE;
  placement->flags = 0;
  placement->showCmd = (w->style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : (w->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED
                       : w->Visible() ? SW_SHOWNORMAL : SW_HIDE;
  placement->ptMinPosition = {-1, -1};
  placement->ptMaxPosition = {-1, -1};
  placement->rcNormalPosition = (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) ? w->normalRect : w->rect;
  return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
  Window* w = Get(hwnd);
  if (!w || !placement) return FALSE;
  const RECT& r = placement->rcNormalPosition;
  if (w->style & (WS_MINIMIZE | WS_MAXIMIZE))
    w->normalRect = r;
  else
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(hwnd, static_cast<int>(placement->showCmd));
  return TRUE;
}

}  // namespace win
