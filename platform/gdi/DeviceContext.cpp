// Device contexts: surface and memory DCs, their state, mapping and clipping.
#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdlib>
#include <iterator>
#include <utility>

#include "platform/gdi/Internal.h"
#include "platform/gdi/Surface.h"
#include "platform/system/Version.h"

namespace platform::gdi {

PixelBuffer Target(DeviceContext& dc) {
  if (!dc.memory) return dc.surface;
  BitmapObj* bm = Bmp(dc.s.bitmap);
  return bm ? bm->View() : PixelBuffer{};
}

bool IsMono(DeviceContext& dc) {
  if (!dc.memory) return false;
  BitmapObj* bm = Bmp(dc.s.bitmap);
  return bm && bm->mono;
}

const Region& Clip(DeviceContext& dc) {
  if (!dc.clipDirty) return dc.clipCache;
  PixelBuffer t = Target(dc);
  Region r(win::RECT{0, 0, t.width, t.height});
  if (!dc.memory) r.Intersect(dc.visible);
  if (dc.s.clip) {
    Region c = *dc.s.clip;
    c.Offset(dc.origin.x, dc.origin.y);
    r.Intersect(c);
  }
  dc.clipCache = std::move(r);
  dc.clipDirty = false;
  return dc.clipCache;
}

static int Scale(int v, int num, int den) {
  if (den == 0 || num == den) return v;
  long long n = static_cast<long long>(v) * num;
  // Rounded to nearest, as the mapping of coordinates does.
  long long q = n >= 0 ? (n + std::abs(den) / 2) / den : (n - std::abs(den) / 2) / den;
  return static_cast<int>(q);
}

// Coordinates are kept well inside the int range, so that extreme rectangles (a "whole area"
// of INT_MAX) clip instead of overflowing.
int Clamp(long long v) {
  constexpr long long kLimit = 1ll << 29;
  return static_cast<int>(v < -kLimit ? -kLimit : (v > kLimit ? kLimit : v));
}

static int Map(long long v, long long from, int num, int den, long long to) {
  long long d = v - from;
  if (den != 0 && num != den) {
    long long n = d * num;
    long long half = std::abs(static_cast<long long>(den)) / 2;
    d = n >= 0 ? (n + half) / den : (n - half) / den;
  }
  return Clamp(d + to);
}

win::POINT LpToDp(const DeviceContext& dc, win::POINT p) {
  const DcState& s = dc.s;
  bool text = s.mapMode == win::MM_TEXT;
  return {Map(p.x, s.windowOrg.x, text ? 1 : s.viewportExt.cx, text ? 1 : s.windowExt.cx, s.viewportOrg.x),
          Map(p.y, s.windowOrg.y, text ? 1 : s.viewportExt.cy, text ? 1 : s.windowExt.cy, s.viewportOrg.y)};
}

win::POINT DpToLp(const DeviceContext& dc, win::POINT p) {
  const DcState& s = dc.s;
  bool text = s.mapMode == win::MM_TEXT;
  return {Map(p.x, s.viewportOrg.x, text ? 1 : s.windowExt.cx, text ? 1 : s.viewportExt.cx, s.windowOrg.x),
          Map(p.y, s.viewportOrg.y, text ? 1 : s.windowExt.cy, text ? 1 : s.viewportExt.cy, s.windowOrg.y)};
}

int ScaleX(const DeviceContext& dc, int v) {
  return dc.s.mapMode == win::MM_TEXT ? v : std::abs(Scale(v, dc.s.viewportExt.cx, dc.s.windowExt.cx));
}
int ScaleY(const DeviceContext& dc, int v) {
  return dc.s.mapMode == win::MM_TEXT ? v : std::abs(Scale(v, dc.s.viewportExt.cy, dc.s.windowExt.cy));
}

win::RECT LrToTarget(const DeviceContext& dc, const win::RECT& rc) {
  win::POINT a = LpToTarget(dc, {rc.left, rc.top});
  win::POINT b = LpToTarget(dc, {rc.right, rc.bottom});
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

namespace {
std::atomic<int> g_screenBits{32};
std::atomic<int> g_screenPpi{96};
}  // namespace

win::COLORREF PlainColor(win::COLORREF c) {
  if ((c >> 24) == 0x01) {
    // A palette index on a true-colour device: the default palette's entry.
    win::PALETTEENTRY e[1];
    auto pal = static_cast<win::HPALETTE>(win::GetStockObject(win::DEFAULT_PALETTE));
    if (win::GetPaletteEntries(pal, c & 0xFFFF, 1, e) == 1) return win::RGB(e[0].peRed, e[0].peGreen, e[0].peBlue);
    return 0;
  }
  return c & 0xFFFFFF;
}

// A palette index names an entry of the palette selected into the DC; at 8 bits per pixel a
// palette-relative colour takes the nearest entry of that palette, as the device could show no
// other.
static win::COLORREF PaletteColor(const DeviceContext& dc, win::COLORREF c) {
  const PaletteObj* pal = Palettes().Get(HandleValue(dc.s.palette));
  if (!pal || pal->entries.empty()) return PlainColor(c);
  auto rgbOf = [](const win::PALETTEENTRY& e) { return win::RGB(e.peRed, e.peGreen, e.peBlue); };
  if ((c >> 24) == 0x01) {
    std::size_t i = c & 0xFFFF;
    return i < pal->entries.size() ? rgbOf(pal->entries[i]) : rgbOf(pal->entries[0]);
  }
  if ((c >> 24) == 0x02 && g_screenBits.load() == 8) {
    int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    const win::PALETTEENTRY* best = &pal->entries[0];
    int bestDistance = INT_MAX;
    for (const auto& e : pal->entries) {
      int d = (e.peRed - r) * (e.peRed - r) + (e.peGreen - g) * (e.peGreen - g) + (e.peBlue - b) * (e.peBlue - b);
      if (d < bestDistance) bestDistance = d, best = &e;
    }
    return rgbOf(*best);
  }
  return PlainColor(c);
}

std::uint32_t ResolveColor(DeviceContext& dc, win::COLORREF c) {
  std::uint32_t p = ToPixel(PaletteColor(dc, c));
  if (IsMono(dc)) {
    // A monochrome surface takes the nearer of black and white by intensity.
    unsigned sum = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
    return sum >= 384 ? 0xFFFFFF : 0;
  }
  return p;
}

static void InitState(DcState& s) {
  s = DcState{};
  s.pen = static_cast<win::HPEN>(win::GetStockObject(win::BLACK_PEN));
  s.brush = static_cast<win::HBRUSH>(win::GetStockObject(win::WHITE_BRUSH));
  s.font = static_cast<win::HFONT>(win::GetStockObject(win::SYSTEM_FONT));
  s.palette = static_cast<win::HPALETTE>(win::GetStockObject(win::DEFAULT_PALETTE));
}

static void SetSelectedBitmap(DeviceContext& dc, win::HBITMAP bitmap) {
  if (BitmapObj* old = Bmp(dc.s.bitmap); old && old->selectedIn == dc.self) {
    old->selectedIn = nullptr;
    PixelsToBits(*old);
  }
  dc.s.bitmap = bitmap;
  if (BitmapObj* bm = Bmp(bitmap); bm && !bm->stock) bm->selectedIn = dc.self;
  ClipChanged(dc);
}

win::HDC CreateSurfaceDC(const PixelBuffer& target, win::POINT origin, const Region& visible, win::HWND window) {
  auto dc = std::make_unique<DeviceContext>();
  dc->memory = false;
  dc->surface = target;
  dc->origin = origin;
  dc->visible = visible;
  dc->window = window;
  InitState(dc->s);
  DeviceContext* raw = dc.get();
  auto h = MakeHandle<win::HDC>(DCs().Add(std::move(dc)));
  raw->self = h;
  return h;
}

void DestroySurfaceDC(win::HDC h) {
  DeviceContext* dc = Dc(h);
  if (!dc || dc->memory) return;
  std::unique_ptr<DeviceContext> gone = DCs().Remove(HandleValue(h));
  ReleaseStateObjects(gone->s);
  for (const DcState& s : gone->saved) ReleaseStateObjects(s);
}

bool UpdateSurfaceDC(win::HDC h, const PixelBuffer& target, win::POINT origin, const Region& visible) {
  DeviceContext* dc = Dc(h);
  if (!dc || dc->memory) return false;
  dc->surface = target;
  dc->origin = origin;
  dc->visible = visible;
  ClipChanged(*dc);
  return true;
}

bool IsSurfaceDC(win::HDC h) {
  DeviceContext* dc = Dc(h);
  return dc && !dc->memory;
}

PixelBuffer TargetOf(win::HDC h) {
  DeviceContext* dc = Dc(h);
  return dc ? Target(*dc) : PixelBuffer{};
}

bool DrawingTargetOf(win::HDC h, DrawingTarget& out) {
  DeviceContext* dc = Dc(h);
  if (!dc) return false;
  out.pixels = Target(*dc);
  if (!out.pixels.pixels) return false;
  out.origin = LpToTarget(*dc, {0, 0});
  out.clip = Clip(*dc);
  return true;
}

namespace {
std::atomic<int> g_screenWidth{1920}, g_screenHeight{1080};
}  // namespace

void SetScreenSize(int width, int height) {
  if (width > 0 && height > 0) {
    g_screenWidth = width;
    g_screenHeight = height;
  }
}

PixelBuffer BitmapPixels(win::HBITMAP h) {
  BitmapObj* bm = Bmp(h);
  return bm ? bm->View() : PixelBuffer{};
}

// The DC's drawing area in device coordinates, used where a clip operation needs "everything".
static Region DeviceExtent(DeviceContext& dc) {
  PixelBuffer t = Target(dc);
  Region r(win::RECT{0, 0, t.width, t.height});
  if (!dc.memory) r.Intersect(dc.visible);
  r.Offset(-dc.origin.x, -dc.origin.y);
  return r;
}

static int RegionType(const Region& r) {
  if (r.Empty()) return win::NULLREGION;
  return r.Rects().size() == 1 ? win::SIMPLEREGION : win::COMPLEXREGION;
}

int ClipResult(DeviceContext& dc) { return RegionType(Clip(dc)); }

int CombineClip(DeviceContext& dc, const Region* rgn, int mode) {
  if (mode == win::RGN_COPY) {
    if (rgn)
      dc.s.clip = *rgn;
    else
      dc.s.clip.reset();
  } else {
    if (!rgn) return win::ERROR;
    Region current = dc.s.clip ? *dc.s.clip : DeviceExtent(dc);
    switch (mode) {
      case win::RGN_AND: current.Intersect(*rgn); break;
      case win::RGN_OR: current.Unite(*rgn); break;
      case win::RGN_XOR: current.Xor(*rgn); break;
      case win::RGN_DIFF: current.Subtract(*rgn); break;
      default: return win::ERROR;
    }
    dc.s.clip = std::move(current);
  }
  ClipChanged(dc);
  return ClipResult(dc);
}

}  // namespace platform::gdi

using namespace platform;
using namespace platform::gdi;

namespace win {

HDC CreateCompatibleDC(HDC) {
  auto dc = std::make_unique<DeviceContext>();
  dc->memory = true;
  InitState(dc->s);
  dc->s.bitmap = DefaultBitmap();
  DeviceContext* raw = dc.get();
  auto h = MakeHandle<HDC>(DCs().Add(std::move(dc)));
  raw->self = h;
  return h;
}

BOOL DeleteDC(HDC h) {
  DeviceContext* dc = Dc(h);
  if (!dc) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  auto release = [&](const DcState& s) {
    if (BitmapObj* bm = Bmp(s.bitmap); bm && bm->selectedIn == h) {
      bm->selectedIn = nullptr;
      PixelsToBits(*bm);
    }
  };
  release(dc->s);
  for (const DcState& s : dc->saved) release(s);
  std::unique_ptr<DeviceContext> gone = DCs().Remove(HandleValue(h));
  ReleaseStateObjects(gone->s);
  for (const DcState& s : gone->saved) ReleaseStateObjects(s);
  return TRUE;
}

HWND WindowFromDC(HDC h) {
  DeviceContext* dc = Dc(h);
  return dc ? dc->window : nullptr;
}

int SaveDC(HDC h) {
  DeviceContext* dc = Dc(h);
  if (!dc) return 0;
  dc->saved.push_back(dc->s);
  return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC h, int saved) {
  DeviceContext* dc = Dc(h);
  if (!dc) return FALSE;
  int depth = static_cast<int>(dc->saved.size());
  int level = saved < 0 ? depth + saved + 1 : saved;
  if (level < 1 || level > depth) return FALSE;
  DcState s = std::move(dc->saved[static_cast<size_t>(level - 1)]);
  std::vector<DcState> dropped(std::make_move_iterator(dc->saved.begin() + (level - 1)),
                               std::make_move_iterator(dc->saved.end()));
  dc->saved.resize(static_cast<size_t>(level - 1));
  HBITMAP bitmap = s.bitmap;
  s.bitmap = dc->s.bitmap;
  dropped.push_back(std::move(dc->s));
  dc->s = std::move(s);
  for (const DcState& d : dropped) ReleaseStateObjects(d);
  // The bitmap saved may have been deleted since; then the current one stays.
  if (dc->memory && bitmap != dc->s.bitmap && Bmp(bitmap)) {
    BitmapObj* bm = Bmp(bitmap);
    if (!bm->selectedIn || bm->selectedIn == h || !Dc(bm->selectedIn)) SetSelectedBitmap(*dc, bitmap);
  }
  ClipChanged(*dc);
  return TRUE;
}

HGDIOBJ SelectObject(HDC h, HGDIOBJ object) {
  DeviceContext* dc = Dc(h);
  if (!dc) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  auto v = HandleValue(object);
  switch (HandleKindOf(v)) {
    case HandleKind::Pen: {
      PenObj* p = Pens().Get(v);
      if (!p || p->deletePending) break;
      HGDIOBJ old = std::exchange(dc->s.pen, static_cast<HPEN>(object));
      ReleaseIfDeleted(old);
      return old;
    }
    case HandleKind::Brush: {
      BrushObj* b = Brushes().Get(v);
      if (!b || b->deletePending) break;
      HGDIOBJ old = std::exchange(dc->s.brush, static_cast<HBRUSH>(object));
      ReleaseIfDeleted(old);
      return old;
    }
    case HandleKind::Font: {
      FontObj* f = Fonts().Get(v);
      if (!f || f->deletePending) break;
      HGDIOBJ old = std::exchange(dc->s.font, static_cast<HFONT>(object));
      ReleaseIfDeleted(old);
      return old;
    }
    case HandleKind::Bitmap: {
      BitmapObj* bm = Bitmaps().Get(v);
      if (!bm || !dc->memory) break;
      auto bitmap = static_cast<HBITMAP>(object);
      if (bm->selectedIn && bm->selectedIn != h && Dc(bm->selectedIn)) break;  // in another DC
      HBITMAP old = dc->s.bitmap;
      SetSelectedBitmap(*dc, bitmap);
      return old;
    }
    case HandleKind::Region: {
      RegionObj* r = Regions().Get(v);
      if (!r) break;
      int type = CombineClip(*dc, &r->rgn, RGN_COPY);
      return reinterpret_cast<HGDIOBJ>(static_cast<INT_PTR>(type));
    }
    default: break;
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return nullptr;
}

HGDIOBJ GetCurrentObject(HDC h, UINT type) {
  DeviceContext* dc = Dc(h);
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN: return dc->s.pen;
    case OBJ_BRUSH: return dc->s.brush;
    case OBJ_FONT: return dc->s.font;
    case OBJ_BITMAP: return dc->memory ? dc->s.bitmap : nullptr;
    case OBJ_PAL: return dc->s.palette;
    default: return nullptr;
  }
}

HPALETTE SelectPalette(HDC h, HPALETTE palette, BOOL) {
  DeviceContext* dc = Dc(h);
  if (!dc || !Palettes().Get(HandleValue(palette))) return nullptr;
  return std::exchange(dc->s.palette, palette);
}

UINT RealizePalette(HDC h) { return Dc(h) ? 0 : static_cast<UINT>(-1); }

// Pixels are kept in true colour whatever depth the screen reports, so there is nothing stale to
// map to the newly realised palette.
BOOL UpdateColors(HDC h) { return Dc(h) ? TRUE : FALSE; }

std::size_t (*UserObjectCounter)() = nullptr;

DWORD GetGuiResources(HANDLE process, DWORD flags) {
  if (process != GetCurrentProcess()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (flags == GR_USEROBJECTS && UserObjectCounter) return static_cast<DWORD>(UserObjectCounter() + Icons().Count());
  if (flags != GR_GDIOBJECTS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // Stock objects belong to the system, not to the process.
  std::size_t n = 0;
  auto count = [&n](const auto& table) {
    table.ForEach([&n](std::uintptr_t, const auto* o) { n += o->stock ? 0 : 1; });
  };
  count(Pens());
  count(Brushes());
  count(Fonts());
  count(Bitmaps());
  count(Palettes());
  n += Regions().Count() + DCs().Count();
  return static_cast<DWORD>(n);
}

COLORREF GetNearestColor(HDC h, COLORREF color) {
  DeviceContext* dc = Dc(h);
  if (!dc) return CLR_INVALID;
  COLORREF c = PlainColor(color);
  return IsMono(*dc) ? ToColorRef(ResolveColor(*dc, c)) : c;
}

int GetDeviceCaps(HDC h, int index) {
  DeviceContext* dc = Dc(h);
  if (!dc) return 0;
  // Memory DCs are compatible with the screen, so they answer for the screen too.
  int width = g_screenWidth, height = g_screenHeight;
  const bool palettized = !IsMono(*dc) && g_screenBits.load() == 8;
  switch (index) {
    case BITSPIXEL: return IsMono(*dc) ? 1 : g_screenBits.load();
    case PLANES: return 1;
    case LOGPIXELSX:
    case LOGPIXELSY: return g_screenPpi.load();
    // A palette device reserves the twenty static colours and lets programs realise the rest.
    case NUMCOLORS: return palettized ? 20 : -1;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZRES: return width;
    case VERTRES: return height;
    case HORZSIZE: return MulDiv(width, 254, 960);
    case VERTSIZE: return MulDiv(height, 254, 960);
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB |
             (palettized ? RC_PALETTE : 0);
    case SIZEPALETTE: return palettized ? 256 : 0;
    case NUMRESERVED: return palettized ? 20 : 0;
    case COLORRES: return palettized ? 18 : 24;
    case SHADEBLENDCAPS: return 0x3F;
    default: return 0;
  }
}

#define VW_DC_OR(ret)       \
  DeviceContext* dc = Dc(h); \
  if (!dc) return ret

COLORREF SetBkColor(HDC h, COLORREF c) { VW_DC_OR(CLR_INVALID); return std::exchange(dc->s.bkColor, c); }
COLORREF GetBkColor(HDC h) { VW_DC_OR(CLR_INVALID); return dc->s.bkColor; }
COLORREF SetTextColor(HDC h, COLORREF c) { VW_DC_OR(CLR_INVALID); return std::exchange(dc->s.textColor, c); }
COLORREF GetTextColor(HDC h) { VW_DC_OR(CLR_INVALID); return dc->s.textColor; }
COLORREF SetDCBrushColor(HDC h, COLORREF c) { VW_DC_OR(CLR_INVALID); return std::exchange(dc->s.dcBrushColor, c); }
COLORREF SetDCPenColor(HDC h, COLORREF c) { VW_DC_OR(CLR_INVALID); return std::exchange(dc->s.dcPenColor, c); }
COLORREF GetDCBrushColor(HDC h) { VW_DC_OR(CLR_INVALID); return dc->s.dcBrushColor; }
COLORREF GetDCPenColor(HDC h) { VW_DC_OR(CLR_INVALID); return dc->s.dcPenColor; }

int SetBkMode(HDC h, int mode) {
  VW_DC_OR(0);
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return std::exchange(dc->s.bkMode, mode);
}
int GetBkMode(HDC h) { VW_DC_OR(0); return dc->s.bkMode; }
int SetROP2(HDC h, int mode) {
  VW_DC_OR(0);
  if (mode < R2_BLACK || mode > R2_WHITE) return 0;
  return std::exchange(dc->s.rop2, mode);
}
int GetROP2(HDC h) { VW_DC_OR(0); return dc->s.rop2; }
int SetPolyFillMode(HDC h, int mode) {
  VW_DC_OR(0);
  if (mode != ALTERNATE && mode != WINDING) return 0;
  return std::exchange(dc->s.polyFillMode, mode);
}
int GetPolyFillMode(HDC h) { VW_DC_OR(0); return dc->s.polyFillMode; }
int SetStretchBltMode(HDC h, int mode) {
  VW_DC_OR(0);
  if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
  return std::exchange(dc->s.stretchMode, mode);
}
int GetStretchBltMode(HDC h) { VW_DC_OR(0); return dc->s.stretchMode; }
int SetArcDirection(HDC h, int d) {
  VW_DC_OR(0);
  if (d != AD_CLOCKWISE && d != AD_COUNTERCLOCKWISE) return 0;
  return std::exchange(dc->s.arcDirection, d);
}
int GetArcDirection(HDC h) { VW_DC_OR(0); return dc->s.arcDirection; }
int SetGraphicsMode(HDC h, int m) {
  VW_DC_OR(0);
  if (m != GM_COMPATIBLE && m != GM_ADVANCED) return 0;
  return std::exchange(dc->s.graphicsMode, m);
}
int GetGraphicsMode(HDC h) { VW_DC_OR(0); return dc->s.graphicsMode; }
int SetMapMode(HDC h, int mode) {
  VW_DC_OR(0);
  if (mode != MM_TEXT && mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC) return 0;
  int old = std::exchange(dc->s.mapMode, mode);
  if (mode == MM_TEXT) dc->s.viewportExt = dc->s.windowExt = {1, 1};
  return old;
}
int GetMapMode(HDC h) { VW_DC_OR(0); return dc->s.mapMode; }

BOOL SetBrushOrgEx(HDC h, int x, int y, POINT* old) {
  VW_DC_OR(FALSE);
  if (old) *old = dc->s.brushOrg;
  dc->s.brushOrg = {x, y};
  return TRUE;
}
BOOL GetBrushOrgEx(HDC h, POINT* org) {
  VW_DC_OR(FALSE);
  if (org) *org = dc->s.brushOrg;
  return TRUE;
}

static BOOL SetPoint(POINT& field, int x, int y, POINT* old) {
  if (old) *old = field;
  field = {x, y};
  return TRUE;
}

BOOL SetViewportOrgEx(HDC h, int x, int y, POINT* old) { VW_DC_OR(FALSE); return SetPoint(dc->s.viewportOrg, x, y, old); }
BOOL SetWindowOrgEx(HDC h, int x, int y, POINT* old) { VW_DC_OR(FALSE); return SetPoint(dc->s.windowOrg, x, y, old); }
BOOL OffsetViewportOrgEx(HDC h, int dx, int dy, POINT* old) {
  VW_DC_OR(FALSE);
  return SetPoint(dc->s.viewportOrg, dc->s.viewportOrg.x + dx, dc->s.viewportOrg.y + dy, old);
}
BOOL OffsetWindowOrgEx(HDC h, int dx, int dy, POINT* old) {
  VW_DC_OR(FALSE);
  return SetPoint(dc->s.windowOrg, dc->s.windowOrg.x + dx, dc->s.windowOrg.y + dy, old);
}
BOOL GetViewportOrgEx(HDC h, POINT* org) {
  VW_DC_OR(FALSE);
  if (org) *org = dc->s.viewportOrg;
  return TRUE;
}
BOOL GetWindowOrgEx(HDC h, POINT* org) {
  VW_DC_OR(FALSE);
  if (org) *org = dc->s.windowOrg;
  return TRUE;
}

static BOOL SetExtent(DeviceContext& dc, SIZE& field, int x, int y, SIZE* old) {
  if (old) *old = field;
  if (dc.s.mapMode == MM_TEXT) return TRUE;  // extents are fixed in MM_TEXT
  if (x == 0 || y == 0) return FALSE;
  field = {x, y};
  return TRUE;
}
BOOL SetViewportExtEx(HDC h, int x, int y, SIZE* old) { VW_DC_OR(FALSE); return SetExtent(*dc, dc->s.viewportExt, x, y, old); }
BOOL SetWindowExtEx(HDC h, int x, int y, SIZE* old) { VW_DC_OR(FALSE); return SetExtent(*dc, dc->s.windowExt, x, y, old); }
BOOL GetViewportExtEx(HDC h, SIZE* ext) {
  VW_DC_OR(FALSE);
  if (ext) *ext = dc->s.viewportExt;
  return TRUE;
}
BOOL GetWindowExtEx(HDC h, SIZE* ext) {
  VW_DC_OR(FALSE);
  if (ext) *ext = dc->s.windowExt;
  return TRUE;
}

BOOL DPtoLP(HDC h, POINT* points, int count) {
  VW_DC_OR(FALSE);
  for (int i = 0; points && i < count; ++i) points[i] = DpToLp(*dc, points[i]);
  return TRUE;
}
BOOL LPtoDP(HDC h, POINT* points, int count) {
  VW_DC_OR(FALSE);
  for (int i = 0; points && i < count; ++i) points[i] = LpToDp(*dc, points[i]);
  return TRUE;
}
BOOL GetDCOrgEx(HDC h, POINT* org) {
  VW_DC_OR(FALSE);
  if (org) *org = dc->origin;
  return TRUE;
}

// ---- clipping ----

int SelectClipRgn(HDC h, HRGN rgn) { return ExtSelectClipRgn(h, rgn, RGN_COPY); }

int ExtSelectClipRgn(HDC h, HRGN rgn, int mode) {
  VW_DC_OR(ERROR);
  RegionObj* r = Rgn(rgn);
  if (rgn && !r) return ERROR;
  return CombineClip(*dc, r ? &r->rgn : nullptr, mode);
}

int GetClipRgn(HDC h, HRGN rgn) {
  VW_DC_OR(-1);
  RegionObj* r = Rgn(rgn);
  if (!r) return -1;
  if (!dc->s.clip) return 0;
  r->rgn = *dc->s.clip;
  return 1;
}

int GetClipBox(HDC h, RECT* rc) {
  VW_DC_OR(ERROR);
  const Region& c = Clip(*dc);
  if (rc) {
    RECT b = c.Bounds();
    if (c.Empty()) {
      *rc = RECT{};
    } else {
      POINT a = DpToLp(*dc, {b.left - dc->origin.x, b.top - dc->origin.y});
      POINT z = DpToLp(*dc, {b.right - dc->origin.x, b.bottom - dc->origin.y});
      *rc = {std::min(a.x, z.x), std::min(a.y, z.y), std::max(a.x, z.x), std::max(a.y, z.y)};
    }
  }
  return ClipResult(*dc);
}

static Region DeviceRect(DeviceContext& dc, int l, int t, int r, int b) {
  POINT a = LpToDp(dc, {l, t});
  POINT z = LpToDp(dc, {r, b});
  return Region(RECT{std::min(a.x, z.x), std::min(a.y, z.y), std::max(a.x, z.x), std::max(a.y, z.y)});
}

int ExcludeClipRect(HDC h, int l, int t, int r, int b) {
  VW_DC_OR(ERROR);
  Region rr = DeviceRect(*dc, l, t, r, b);
  return CombineClip(*dc, &rr, RGN_DIFF);
}

int IntersectClipRect(HDC h, int l, int t, int r, int b) {
  VW_DC_OR(ERROR);
  Region rr = DeviceRect(*dc, l, t, r, b);
  return CombineClip(*dc, &rr, RGN_AND);
}

int OffsetClipRgn(HDC h, int dx, int dy) {
  VW_DC_OR(ERROR);
  if (dc->s.clip) dc->s.clip->Offset(ScaleX(*dc, dx), ScaleY(*dc, dy));
  ClipChanged(*dc);
  return ClipResult(*dc);
}

BOOL RectVisible(HDC h, const RECT* rc) {
  VW_DC_OR(FALSE);
  if (!rc) return FALSE;
  RECT t = LrToTarget(*dc, *rc);
  if (t.right <= t.left || t.bottom <= t.top) return FALSE;
  return Clip(*dc).ContainsRect(t) != 0 ? TRUE : FALSE;
}

BOOL PtVisible(HDC h, int x, int y) {
  VW_DC_OR(FALSE);
  POINT p = LpToTarget(*dc, {x, y});
  return Clip(*dc).Contains(p.x, p.y) ? TRUE : FALSE;
}

#undef VW_DC_OR

}  // namespace win

namespace platform {

bool SetScreenBitsPerPixel(int bits) {
  if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  gdi::g_screenBits = bits;
  return true;
}

bool SetScreenPixelsPerInch(int ppi) {
  if (ppi < 48 || ppi > 480) return false;
  gdi::g_screenPpi = ppi;
  return true;
}

int ScreenPixelsPerInch() { return gdi::g_screenPpi.load(); }

}  // namespace platform
