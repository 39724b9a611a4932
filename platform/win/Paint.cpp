#include <algorithm>
#include <map>

#include "platform/gdi/RegionHandle.h"
#include "platform/gdi/Surface.h"
#include "platform/system/Sync.h"
#include "platform/win/ScreenDc.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

// What a DC handed out by the window system covers, so that releasing it shows its pixels.
struct WindowDc {
  HWND window = nullptr;
  HWND top = nullptr;
  Region area;  // top-level coordinates
  bool own = false;  // a CS_OWNDC window's DC: it lives as long as its window
  // How the DC was made, so it can follow its window when the top level's pixels are made anew.
  bool clientOnly = true, clipChildren = false, clipSiblings = false, limited = false;
};

std::map<HDC, WindowDc>& WindowDcs() {
  static std::map<HDC, WindowDc> m;
  return m;
}

HWND g_locked = nullptr;  // LockWindowUpdate

bool UnderLock(Window& w) {
  if (!g_locked) return false;
  for (Window* a = &w; a; a = a->IsChild() ? Find(a->parent) : nullptr)
    if (a->handle == g_locked) return true;
  return false;
}

std::uint32_t g_emptyPixel = 0;

HDC MakeDc(Window* w, bool clientOnly, bool clipChildren, bool clipSiblings, const Region* limit) {
  Window* top = w ? TopLevelOf(w) : nullptr;
  if (!w || !top || !top->store) {
    // The screen DC, or a window without pixels: measuring works, drawing lands nowhere.
    PixelBuffer none{&g_emptyPixel, 1, 1, 1};
    HDC dc = platform::gdi::CreateSurfaceDC(none, {0, 0}, Region(), w ? w->handle : nullptr);
    WindowDcs()[dc] = {w ? w->handle : nullptr, nullptr, Region()};
    return dc;
  }
  Region vis = UnderLock(*w) ? Region() : VisibleRegion(*w, clientOnly, clipChildren, clipSiblings);
  if (limit) vis.Intersect(*limit);
  RECT r = RectInTop(*w, clientOnly);
  // A window of a CS_OWNDC class keeps one client DC whose selections and settings persist.
  if (clientOnly && (w->cls->style & CS_OWNDC)) {
    for (auto& [dc, info] : WindowDcs()) {
      if (!info.own || info.window != w->handle) continue;
      platform::gdi::UpdateSurfaceDC(dc, top->store->Buffer(), {r.left, r.top}, vis);
      info.top = top->handle;
      info.area = vis;
      return dc;
    }
    HDC dc = platform::gdi::CreateSurfaceDC(top->store->Buffer(), {r.left, r.top}, vis, w->handle);
    WindowDcs()[dc] = {w->handle, top->handle, vis, true, clientOnly, clipChildren, clipSiblings, limit != nullptr};
    return dc;
  }
  HDC dc = platform::gdi::CreateSurfaceDC(top->store->Buffer(), {r.left, r.top}, vis, w->handle);
  WindowDcs()[dc] = {w->handle, top->handle, vis, false, clientOnly, clipChildren, clipSiblings, limit != nullptr};
  return dc;
}

void SendNcPaint(Window& w) {
  w.framePending = false;
  CallProc(w, WM_NCPAINT, 1, 0);
}

// Sends WM_ERASEBKGND through a DC clipped to the update area; true when the window erased.
bool SendErase(Window& w, const Region& updateInTop) {
  HDC dc = MakeDc(&w, true, (w.style & WS_CLIPCHILDREN) != 0, (w.style & WS_CLIPSIBLINGS) != 0, &updateInTop);
  HWND h = w.handle;
  bool erased = CallProc(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
  ReleaseDC(h, dc);
  return erased;
}

Region ClientInWindow(const Window& w) { return Region(w.client); }

}  // namespace

// The top level's pixels were made anew (its size changed): DCs still held into the old pixels
// (a CS_OWNDC window's DC, or a canvas that keeps its DC between messages) draw into the new ones,
// where their windows now are.
void RetargetWindowDcs(Window& top) {
  const Region bounds(RECT{0, 0, top.store->width, top.store->height});
  for (auto& [dc, info] : WindowDcs()) {
    if (info.top != top.handle) continue;
    Window* w = Find(info.window);
    Region vis;
    RECT r{};
    if (w && !info.limited) {
      vis = UnderLock(*w) ? Region() : VisibleRegion(*w, info.clientOnly, info.clipChildren, info.clipSiblings);
      r = RectInTop(*w, info.clientOnly);
    } else {
      // A paint's DC keeps its update area, within the new pixels.
      vis = info.area;
      if (w) r = RectInTop(*w, info.clientOnly);
    }
    vis.Intersect(bounds);
    platform::gdi::UpdateSurfaceDC(dc, top.store->Buffer(), {r.left, r.top}, vis);
    info.area = vis;
  }
}

void EnsureBackingStore(Window& w) {
  if (w.IsChild() || w.messageOnly || w.parent) return;
  if (!w.store) w.store = std::make_unique<BackingStore>();
  BackingStore& s = *w.store;
  if (s.width != w.Width() || s.height != w.Height()) {
    s.width = std::max(0, w.Width());
    s.height = std::max(0, w.Height());
    s.pixels.assign(static_cast<std::size_t>(s.width) * s.height, 0);
    RetargetWindowDcs(w);
  }
}

platform::SurfaceFlags SurfaceFlagsOf(const Window& w) {
  platform::SurfaceFlags flags;
  flags.topmost = (w.exStyle & WS_EX_TOPMOST) != 0;
  flags.toolWindow = (w.exStyle & WS_EX_TOOLWINDOW) != 0;
  flags.appWindow = (w.exStyle & WS_EX_APPWINDOW) != 0;
  flags.owned = w.owner != nullptr;
  // Menus, hints and drop-downs: tool or never-active popups without a caption. Dialogs have
  // captions, and borderless forms (owned by the application's window like every form) are
  // windows the user works in: both stay ordinary desktop windows.
  flags.popup = (w.style & WS_POPUP) != 0 && (w.style & WS_CAPTION) != WS_CAPTION &&
                (w.exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE)) != 0;
  return flags;
}

void SyncSurfaceFlags(Window& w) {
  if (w.store && w.store->surface && platform::HasDisplay())
    platform::CurrentDisplay().SetFlags(w.store->surface, SurfaceFlagsOf(w));
}

void EnsureSurface(Window& w) {
  EnsureBackingStore(w);
  if (!w.store || w.store->surface) return;
  auto& display = platform::CurrentDisplay();
  CurrentQueue().displayThread = true;
  // Device capabilities report the screen the windows are shown on.
  platform::ScreenRect screen = display.ScreenBounds();
  platform::gdi::SetScreenSize(screen.Width(), screen.Height());
  w.store->surface = display.CreateSurface({w.rect.left, w.rect.top, w.rect.right, w.rect.bottom}, SurfaceFlagsOf(w));
  w.store->dirty = Region(RECT{0, 0, w.store->width, w.store->height});
  display.SetTitle(w.store->surface, w.text);
  ApplySurfaceAttributes(w);
  std::vector<platform::SurfaceId> order;
  for (HWND t : TopLevels())
    if (Window* o = Find(t); o && o->store && o->store->surface) order.push_back(o->store->surface);
  display.Restack(order);
}

void MarkDirty(Window& top, const Region& area) {
  if (!top.store) return;
  top.store->dirty.Unite(area);
}

void PresentAll() {
  if (!platform::HasDisplay()) return;
  auto& display = platform::CurrentDisplay();
  for (HWND t : TopLevels()) {
    Window* w = Find(t);
    if (!w || !w->store || !w->store->surface || w->store->dirty.Empty()) continue;
    if (w->threadId != GetCurrentThreadId()) continue;
    std::vector<platform::ScreenRect> rects;
    for (const RECT& r : w->store->dirty.Rects()) rects.push_back({r.left, r.top, r.right, r.bottom});
    w->store->dirty.Clear();
    display.Present(w->store->surface, w->store->Buffer(), rects);
  }
}

void InvalidateWindowArea(Window& w, const Region& area, bool erase, bool includeChildren, bool frame) {
  if (!w.Visible()) return;
  Region a = area;
  a.Intersect(RECT{0, 0, w.Width(), w.Height()});
  if (!frame) a.Intersect(ClientInWindow(w));
  if (a.Empty()) return;
  Region nc = a;
  nc.Subtract(ClientInWindow(w));
  if (!nc.Empty()) w.framePending = true;
  Region inClient = a;
  inClient.Intersect(ClientInWindow(w));
  if (!inClient.Empty()) {
    w.update.Unite(inClient);
    if (erase) w.erasePending = true;
  }
  if (!includeChildren) return;
  for (HWND c : w.children) {
    Window* cw = Find(c);
    if (!cw || !cw->Visible()) continue;
    Region ca = inClient;
    ca.Offset(-(w.client.left + cw->rect.left), -(w.client.top + cw->rect.top));
    // The parent's painting covers grandchildren too, whatever the child's own clipping.
    InvalidateWindowArea(*cw, ca, erase, true, true);
  }
}

bool FindPaintWindowIn(Window& w, DWORD threadId, HWND filter, HWND& out) {
  if (!w.Visible()) return false;
  bool matches = !filter || w.handle == filter || IsChild(filter, w.handle);
  if (w.threadId == threadId && matches && (!w.update.Empty() || w.framePending || w.internalPaint)) {
    out = w.handle;
    return true;
  }
  // Bottom of the z-order first, so that where siblings overlap the upper one is drawn last.
  for (auto it = w.children.rbegin(); it != w.children.rend(); ++it)
    if (Window* cw = Find(*it); cw && FindPaintWindowIn(*cw, threadId, filter, out)) return true;
  return false;
}

bool FindPaintWindow(DWORD threadId, HWND filter, HWND& out) {
  // A thread without windows of its own must not walk the other threads' windows.
  if (threadId == GetCurrentThreadId() && !CurrentThreadOwnsWindows()) return false;
  std::vector<HWND> tops = TopLevels();
  for (HWND t : tops)
    if (Window* w = Find(t); w && !(w->style & WS_MINIMIZE) && FindPaintWindowIn(*w, threadId, filter, out)) return true;
  return false;
}

void SendPaintMessages(Window& w, bool recurse) {
  HWND h = w.handle;
  if (w.Visible() && (!w.update.Empty() || w.framePending || w.internalPaint)) {
    if (w.update.Empty() && !w.internalPaint && w.framePending) {
      SendNcPaint(w);
    } else {
      CallProc(w, WM_PAINT, 0, 0);
    }
  }
  Window* again = Find(h);
  if (!again || !recurse) return;
  std::vector<HWND> kids = again->children;
  for (HWND c : kids)
    if (Window* cw = Find(c)) SendPaintMessages(*cw, true);
}

void ForgetWindowPaint(HWND hwnd) {
  if (g_locked == hwnd) g_locked = nullptr;
  auto& dcs = WindowDcs();
  for (auto it = dcs.begin(); it != dcs.end();) {
    if (it->second.window == hwnd && it->second.own) {
      platform::gdi::DestroySurfaceDC(it->first);
      it = dcs.erase(it);
      continue;
    }
    if (it->second.window == hwnd) it->second.window = nullptr;
    ++it;
  }
}

}  // namespace platform::wm

namespace win {

using namespace platform::wm;
using platform::Region;

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
  Window* w = Get(hwnd);
  if (!w || !ps) return nullptr;
  if (w->framePending) {
    SendNcPaint(*w);
    if (!(w = Find(hwnd))) return nullptr;
  }
  Region update = w->update;
  update.Intersect(w->client);
  w->update.Clear();
  w->internalPaint = false;
  bool erase = w->erasePending;
  w->erasePending = false;

  RECT clientInTop = RectInTop(*w, true);
  Region updateInTop = update;
  updateInTop.Offset(clientInTop.left - w->client.left, clientInTop.top - w->client.top);
  RECT bounds = update.Bounds();
  ps->rcPaint = update.Empty() ? RECT{} : RECT{bounds.left - w->client.left, bounds.top - w->client.top,
                                                bounds.right - w->client.left, bounds.bottom - w->client.top};
  ps->fErase = FALSE;
  // The caret hides before anything is drawn over it, or it would come back inverted.
  HideCaretForPaint(hwnd, true);
  if (erase) ps->fErase = SendErase(*w, updateInTop) ? FALSE : TRUE;
  if (!(w = Find(hwnd))) return nullptr;
  HDC dc = MakeDc(w, true, (w->style & WS_CLIPCHILDREN) != 0, (w->style & WS_CLIPSIBLINGS) != 0, &updateInTop);
  ps->hdc = dc;
  w->inPaint = true;
  return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  if (!ps) return FALSE;
  if (Window* w = Find(hwnd)) w->inPaint = false;
  ReleaseDC(hwnd, ps->hdc);
  HideCaretForPaint(hwnd, false);
  return TRUE;
}

HDC GetDC(HWND hwnd) {
  // The desktop window's context is the screen's: it draws over every window.
  if (!hwnd || hwnd == GetDesktopWindow()) return MakeScreenDc();
  Window* w = Get(hwnd);
  if (!w) return nullptr;
  return MakeDc(w, true, (w->style & WS_CLIPCHILDREN) != 0, (w->style & WS_CLIPSIBLINGS) != 0, nullptr);
}

HDC GetWindowDC(HWND hwnd) {
  if (!hwnd || hwnd == GetDesktopWindow()) return GetDC(nullptr);
  Window* w = Get(hwnd);
  if (!w) return nullptr;
  return MakeDc(w, false, false, (w->style & WS_CLIPSIBLINGS) != 0, nullptr);
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
  if (!hwnd || hwnd == GetDesktopWindow()) return GetDC(nullptr);
  Window* w = Get(hwnd);
  if (!w) return nullptr;
  bool clientOnly = !(flags & DCX_WINDOW);
  bool clipChildren = (flags & DCX_CLIPCHILDREN) || (!(flags & DCX_WINDOW) && (w->style & WS_CLIPCHILDREN));
  bool clipSiblings = (flags & DCX_CLIPSIBLINGS) || (w->style & WS_CLIPSIBLINGS);
  Region limit(RECT{-100000, -100000, 100000, 100000});
  bool limited = false;
  Window* top = TopLevelOf(w);
  POINT topOrigin = top ? POINT{top->rect.left, top->rect.top} : POINT{0, 0};
  if (clip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
    // The region comes in screen coordinates, as the non-client painting messages hand it out.
    Region r;
    if (platform::gdi::RegionOfHandle(clip, r)) {
      r.Offset(-topOrigin.x, -topOrigin.y);
      if (flags & DCX_INTERSECTRGN) limit.Intersect(r); else limit.Subtract(r);
      limited = true;
    }
  }
  if (flags & (DCX_INTERSECTUPDATE | DCX_EXCLUDEUPDATE)) {
    Region u = w->update;
    RECT inTop = RectInTop(*w, false);
    u.Offset(inTop.left, inTop.top);
    if (flags & DCX_INTERSECTUPDATE) limit.Intersect(u); else limit.Subtract(u);
    limited = true;
    if (flags & DCX_VALIDATE) w->update.Clear();
  }
  if ((flags & DCX_PARENTCLIP) && w->IsChild()) {
    if (Window* p = Find(w->parent)) {
      limit.Intersect(VisibleRegion(*p, true, false, (p->style & WS_CLIPSIBLINGS) != 0));
      limited = true;
      clipSiblings = false;
    }
  }
  return MakeDc(w, clientOnly, clipChildren, clipSiblings, limited ? &limit : nullptr);
}

int ReleaseDC(HWND, HDC dc) {
  if (ReleaseScreenDc(dc)) return 1;
  auto& dcs = WindowDcs();
  auto it = dcs.find(dc);
  if (it == dcs.end()) return 0;
  if (Window* top = Find(it->second.top)) MarkDirty(*top, it->second.area);
  if (it->second.own) return 1;  // stays with its window
  dcs.erase(it);
  platform::gdi::DestroySurfaceDC(dc);
  return 1;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (!hwnd) {
    for (HWND t : std::vector<HWND>(TopLevels())) InvalidateRect(t, nullptr, erase);
    return TRUE;
  }
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  Region area(w->client);
  if (rect) {
    Region r(*rect);
    r.Offset(w->client.left, w->client.top);
    area.Intersect(r);
  }
  InvalidateWindowArea(*w, area, erase != FALSE, !(w->style & WS_CLIPCHILDREN), false);
  return TRUE;
}

BOOL InvalidateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  if (!rgn) return InvalidateRect(hwnd, nullptr, erase);
  Region r;
  if (!platform::gdi::RegionOfHandle(rgn, r)) return FALSE;
  r.Offset(w->client.left, w->client.top);
  r.Intersect(w->client);
  InvalidateWindowArea(*w, r, erase != FALSE, !(w->style & WS_CLIPCHILDREN), false);
  return TRUE;
}

namespace {

void Validate(Window& w, const Region& area, bool children) {
  w.update.Subtract(area);
  if (w.update.Empty()) w.erasePending = false;
  if (!children) return;
  for (HWND c : w.children) {
    Window* cw = Find(c);
    if (!cw) continue;
    Region ca = area;
    ca.Offset(-(w.client.left + cw->rect.left), -(w.client.top + cw->rect.top));
    Validate(*cw, ca, true);
  }
}

}  // namespace

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  Region area(w->client);
  if (rect) {
    Region r(*rect);
    r.Offset(w->client.left, w->client.top);
    area = r;
  }
  Validate(*w, area, false);
  return TRUE;
}

BOOL ValidateRgn(HWND hwnd, HRGN rgn) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  if (!rgn) return ValidateRect(hwnd, nullptr);
  Region r;
  if (!platform::gdi::RegionOfHandle(rgn, r)) return FALSE;
  r.Offset(w->client.left, w->client.top);
  Validate(*w, r, false);
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  Region u = w->update;
  u.Intersect(w->client);
  if (rect) {
    RECT b = u.Bounds();
    *rect = u.Empty() ? RECT{} : RECT{b.left - w->client.left, b.top - w->client.top, b.right - w->client.left, b.bottom - w->client.top};
  }
  if (erase && w->erasePending && !u.Empty()) {
    RECT inTop = RectInTop(*w, false);
    Region t = u;
    t.Offset(inTop.left, inTop.top);
    w->erasePending = false;
    SendErase(*w, t);
  }
  return u.Empty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hwnd, HRGN rgn, BOOL erase) {
  Window* w = Get(hwnd);
  if (!w) return 0;
  Region u = w->update;
  u.Intersect(w->client);
  u.Offset(-w->client.left, -w->client.top);
  if (!platform::gdi::SetHandleRegion(rgn, u)) return 0;
  GetUpdateRect(hwnd, nullptr, erase);
  if (u.Empty()) return 1;                       // NULLREGION
  return u.Rects().size() == 1 ? 2 : 3;          // SIMPLEREGION : COMPLEXREGION
}

BOOL UpdateWindow(HWND hwnd) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  // The children come along: a window updated before the loop runs shows its controls drawn.
  SendPaintMessages(*w, true);
  return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN rgn, UINT flags) {
  if (!hwnd) {
    for (HWND t : std::vector<HWND>(TopLevels())) RedrawWindow(t, rect, rgn, flags);
    return TRUE;
  }
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
  Region area;
  if (rgn) {
    if (!platform::gdi::RegionOfHandle(rgn, area)) return FALSE;
    area.Offset(w->client.left, w->client.top);
  } else if (rect) {
    area = Region(*rect);
    area.Offset(w->client.left, w->client.top);
  } else {
    area = Region((flags & RDW_FRAME) ? RECT{0, 0, w->Width(), w->Height()} : w->client);
  }
  if (flags & RDW_INVALIDATE) {
    InvalidateWindowArea(*w, area, (flags & RDW_ERASE) != 0, children, (flags & RDW_FRAME) != 0);
    if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
  }
  if (flags & RDW_VALIDATE) {
    Validate(*w, area, children);
    if (flags & RDW_NOFRAME) w->framePending = false;
    if (flags & RDW_NOERASE) w->erasePending = false;
    if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
  }
  if (flags & RDW_UPDATENOW) {
    SendPaintMessages(*w, children);
  } else if (flags & RDW_ERASENOW) {
    if (w->framePending) SendNcPaint(*w);
    if (Find(hwnd) && w->erasePending) {
      Region u = w->update;
      RECT inTop = RectInTop(*w, false);
      u.Offset(inTop.left, inTop.top);
      w->erasePending = false;
      SendErase(*w, u);
    }
  }
  return TRUE;
}

BOOL LockWindowUpdate(HWND hwnd) {
  if (hwnd) {
    if (g_locked || !Get(hwnd)) return FALSE;
    g_locked = hwnd;
    return TRUE;
  }
  HWND was = g_locked;
  g_locked = nullptr;
  if (Find(was)) RedrawWindow(was, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return TRUE;
}

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scrollRect, const RECT* clipRect, HRGN update, RECT* updateRect, UINT flags) {
  Window* w = Get(hwnd);
  if (!w) return 0;
  if ((flags & SW_SCROLLCHILDREN) || !scrollRect) {
    for (HWND c : std::vector<HWND>(w->children)) {
      Window* cw = Find(c);
      if (!cw) continue;
      if (scrollRect && !(cw->rect.left >= scrollRect->left && cw->rect.top >= scrollRect->top)) continue;
      SetWindowPos(c, nullptr, cw->rect.left + dx, cw->rect.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  // The scrolled area is painted again rather than copied: simpler, and always right.
  RECT area = scrollRect ? *scrollRect : RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  if (clipRect) {
    area.left = std::max(area.left, clipRect->left);
    area.top = std::max(area.top, clipRect->top);
    area.right = std::min(area.right, clipRect->right);
    area.bottom = std::min(area.bottom, clipRect->bottom);
  }
  if (update) platform::gdi::SetHandleRegion(update, Region(area));
  if (updateRect) *updateRect = area;
  if (flags & SW_INVALIDATE) InvalidateRect(hwnd, &area, (flags & SW_ERASE) ? TRUE : FALSE);
  return 2;
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scrollRect, const RECT* clipRect) {
  return ScrollWindowEx(hwnd, dx, dy, scrollRect, clipRect, nullptr, nullptr, SW_INVALIDATE | SW_ERASE | (scrollRect ? 0 : SW_SCROLLCHILDREN)) != 0;
}

BOOL PrintWindow(HWND hwnd, HDC dc, UINT) {
  if (!Get(hwnd)) return FALSE;
  SendMessage(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
  return TRUE;
}

}  // namespace win
