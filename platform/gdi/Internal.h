#pragma once
// The drawing layer's objects behind their handles. Only platform/gdi includes this.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/display/PixelBuffer.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Region.h"
#include "platform/system/HandleTable.h"

namespace platform::gdi {

struct FontFace;  // Fonts.cpp

inline std::uint32_t ToPixel(win::COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline win::COLORREF ToColorRef(std::uint32_t p) {
  return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}

struct PenObj {
  win::UINT style = win::PS_SOLID;  // full style word, including type, cap and join
  int width = 1;
  win::COLORREF color = 0;
  std::vector<win::DWORD> user;  // PS_USERSTYLE dash lengths
  bool stock = false;
  bool deletePending = false;  // deleted while selected: goes when no DC holds it any more
  bool extended = false;
  win::UINT Kind() const { return style & win::PS_STYLE_MASK; }
};

struct BrushObj {
  win::UINT style = win::BS_SOLID;
  win::COLORREF color = 0;
  int hatch = 0;
  // BS_PATTERN: the bitmap's pixels at creation (a brush keeps its own copy).
  std::vector<std::uint32_t> pattern;
  int patternWidth = 0, patternHeight = 0;
  bool patternMono = false;
  bool stock = false;
  bool deletePending = false;
  bool dcBrush = false;  // DC_BRUSH: takes the DC's brush colour
};

struct FontObj {
  win::LOGFONTA lf;
  bool stock = false;
  bool deletePending = false;
  std::shared_ptr<FontFace> face;  // matched on first use
};

struct BitmapObj {
  int width = 0, height = 0;
  int bitsPixel = 32;  // what GetObject reports
  bool mono = false;   // pixels are only 0x000000 and 0xFFFFFF
  bool dib = false;
  bool bottomUp = false;  // DIB section memory row order
  std::vector<std::uint32_t> storage;
  std::vector<win::RGBQUAD> colors;  // DIB colour table when created with one
  win::HDC selectedIn = nullptr;
  bool stock = false;
  // DIB sections of depths other than 32 keep the caller's bits in their own format beside the
  // 32-bit pixels that drawing uses: the bits are read in before a use when the caller may have
  // written them, and written out at GdiFlush (and when the section is deselected or asked for).
  std::vector<std::uint8_t> native;
  int nativeBpp = 0;
  bool drawn = false;  // the pixels may be newer than the bits

  // The pixels for drawing and reading, brought up to date with the section's bits.
  PixelBuffer View();
  PixelBuffer RawView() {
    PixelBuffer b;
    b.width = width;
    b.height = height;
    if (storage.empty()) return b;
    if (bottomUp) {
      b.pixels = storage.data() + static_cast<std::ptrdiff_t>(height - 1) * width;
      b.stride = -width;
    } else {
      b.pixels = storage.data();
      b.stride = width;
    }
    return b;
  }
};

void BitsToPixels(BitmapObj& bm);
void PixelsToBits(BitmapObj& bm);

inline PixelBuffer BitmapObj::View() {
  if (nativeBpp && !drawn) BitsToPixels(*this);
  drawn = nativeBpp != 0;
  return RawView();
}

struct RegionObj {
  Region rgn;
};

struct PaletteObj {
  std::vector<win::PALETTEENTRY> entries;
  bool stock = false;
};

struct IconObj {
  win::HBITMAP mask = nullptr;
  win::HBITMAP color = nullptr;
  win::POINT hotspot;
  bool icon = true;
};

// A path under construction (between BeginPath and EndPath) or closed.
struct PathFigure {
  std::vector<win::POINT> points;  // device coordinates
  bool closed = false;
};
struct PathState {
  bool open = false;      // recording
  bool complete = false;  // EndPath done
  std::vector<PathFigure> figures;
};

struct DcState {
  win::HPEN pen = nullptr;
  win::HBRUSH brush = nullptr;
  win::HFONT font = nullptr;
  win::HBITMAP bitmap = nullptr;
  win::HPALETTE palette = nullptr;
  win::COLORREF textColor = 0;
  win::COLORREF bkColor = 0xFFFFFF;
  win::COLORREF dcBrushColor = 0xFFFFFF;
  win::COLORREF dcPenColor = 0;
  int bkMode = win::OPAQUE;
  int rop2 = win::R2_COPYPEN;
  int polyFillMode = win::ALTERNATE;
  int stretchMode = win::BLACKONWHITE;
  int arcDirection = win::AD_COUNTERCLOCKWISE;
  int graphicsMode = win::GM_COMPATIBLE;
  int mapMode = win::MM_TEXT;
  win::UINT textAlign = 0;
  int charExtra = 0;
  int breakExtra = 0, breakCount = 0;
  win::POINT viewportOrg, windowOrg, brushOrg, pos;
  win::SIZE viewportExt{1, 1}, windowExt{1, 1};
  std::optional<Region> clip;  // device coordinates
  PathState path;
};

struct DeviceContext {
  bool memory = true;
  PixelBuffer surface;  // surface DCs
  win::POINT origin;    // device (0,0) in target coordinates
  Region visible;       // surface DCs: target coordinates
  win::HWND window = nullptr;
  DcState s;
  std::vector<DcState> saved;
  win::HDC self = nullptr;

  // Effective clip in target coordinates, recomputed on demand.
  bool clipDirty = true;
  Region clipCache;
};

HandleTable<PenObj>& Pens();
HandleTable<BrushObj>& Brushes();
HandleTable<FontObj>& Fonts();
HandleTable<BitmapObj>& Bitmaps();
HandleTable<RegionObj>& Regions();
HandleTable<PaletteObj>& Palettes();
HandleTable<DeviceContext>& DCs();
HandleTable<IconObj>& Icons();

inline DeviceContext* Dc(win::HDC h) { return DCs().Get(HandleValue(h)); }
inline BitmapObj* Bmp(win::HBITMAP h) { return Bitmaps().Get(HandleValue(h)); }
inline RegionObj* Rgn(win::HRGN h) { return Regions().Get(HandleValue(h)); }
inline BrushObj* Brush(win::HBRUSH h) { return Brushes().Get(HandleValue(h)); }
inline PenObj* Pen(win::HPEN h) { return Pens().Get(HandleValue(h)); }
inline FontObj* Font(win::HFONT h) { return Fonts().Get(HandleValue(h)); }

win::HBITMAP DefaultBitmap();  // the 1x1 monochrome bitmap of a fresh memory DC
bool IsDcPen(win::HPEN h);     // the stock DC_PEN, which draws in the DC's pen colour

// Frees pens, brushes and fonts deleted while selected once no DC holds them.
void ReleaseIfDeleted(win::HGDIOBJ object);
void ReleaseStateObjects(const DcState& s);

// The pixels the DC draws on; empty when it has none.
PixelBuffer Target(DeviceContext& dc);
bool IsMono(DeviceContext& dc);
// Clip in target coordinates, including the target's bounds.
const Region& Clip(DeviceContext& dc);
inline void ClipChanged(DeviceContext& dc) { dc.clipDirty = true; }
// Combines a device-coordinate region into the DC's clip region (RGN_ modes; RGN_COPY with no
// region removes it) and gives the type of the resulting clip.
int CombineClip(DeviceContext& dc, const Region* rgn, int mode);

// Logical to device and device to target.
win::POINT LpToDp(const DeviceContext& dc, win::POINT p);
win::POINT DpToLp(const DeviceContext& dc, win::POINT p);
int Clamp(long long v);
inline win::POINT LpToTarget(const DeviceContext& dc, win::POINT p) {
  win::POINT d = LpToDp(dc, p);
  return {Clamp(static_cast<long long>(d.x) + dc.origin.x), Clamp(static_cast<long long>(d.y) + dc.origin.y)};
}
// A logical rectangle in target coordinates, normalised.
win::RECT LrToTarget(const DeviceContext& dc, const win::RECT& rc);
int ScaleX(const DeviceContext& dc, int v);  // a logical length in device pixels
int ScaleY(const DeviceContext& dc, int v);

// A colour as it lands on this DC's pixels (palette forms resolved, monochrome mapped).
std::uint32_t ResolveColor(DeviceContext& dc, win::COLORREF c);
win::COLORREF PlainColor(win::COLORREF c);

// ---- raster helpers (Raster.cpp) ----

// A brush made concrete for one drawing call: the colour of each target pixel, or nothing.
struct Pattern {
  enum Kind { None, Solid, Tiled } kind = None;
  std::uint32_t color = 0;
  std::vector<std::uint32_t> pixels;
  std::vector<std::uint8_t> paint;  // Tiled: 0 where the pattern leaves the pixel alone
  int width = 0, height = 0;
  int ox = 0, oy = 0;  // target position of the pattern's (0,0)

  std::uint32_t At(int x, int y) const {
    if (kind == Solid) return color;
    int px = (x - ox) % width, py = (y - oy) % height;
    if (px < 0) px += width;
    if (py < 0) py += height;
    return pixels[static_cast<std::size_t>(py) * static_cast<std::size_t>(width) + static_cast<std::size_t>(px)];
  }
  bool Paints(int x, int y) const {
    if (kind != Tiled) return kind == Solid;
    int px = (x - ox) % width, py = (y - oy) % height;
    if (px < 0) px += width;
    if (py < 0) py += height;
    return paint[static_cast<std::size_t>(py) * static_cast<std::size_t>(width) + static_cast<std::size_t>(px)] != 0;
  }
};
Pattern MakePattern(DeviceContext& dc, win::HBRUSH brush);
Pattern MakeSolidPattern(DeviceContext& dc, win::COLORREF c);

// ROP3 of pattern, source and destination, bitwise over 24 bits.
std::uint32_t Rop3(std::uint8_t rop, std::uint32_t p, std::uint32_t s, std::uint32_t d);
// ROP2 of pen and destination.
std::uint32_t Rop2(int rop2, std::uint32_t p, std::uint32_t d);

// Fills `area` (target coordinates; clipped here) with the pattern under a ROP3 code.
void FillArea(DeviceContext& dc, const Region& area, const Pattern& pat, std::uint8_t rop);
// Plots pixels of a solid colour with the DC's ROP2 (pens, lines).
void PlotSpan(DeviceContext& dc, int x0, int x1, int y, std::uint32_t color, int rop2);
// The ROP3 that applies a ROP2 to a pattern (shape interiors are filled through the ROP2).
std::uint8_t Rop2ToRop3(int rop2);

// One pixel of AlphaBlend (constant alpha, and the source's own alpha when perPixel).
std::uint32_t BlendPixel(std::uint32_t s, std::uint32_t d, std::uint8_t constant, bool perPixel);

// ---- shapes as pixel sets (Regions.cpp); coordinates are pixel edges, pixels are taken by their centres ----
// `limit`, when given, bounds the rows and columns worked out: a shape far larger than what can
// be seen costs no more than the part that can.
Region RectRegion(int l, int t, int r, int b);
Region RoundRectRegion(int l, int t, int r, int b, int w, int h, const win::RECT* limit = nullptr);
inline Region EllipseRegion(int l, int t, int r, int b, const win::RECT* limit = nullptr) {
  return RoundRectRegion(l, t, r, b, r - l, b - t, limit);
}
// A polygon's vertices name pixels, as the pen that outlines it does, so a pixel is inside when
// its own coordinate is (left and top edges in, right and bottom out): a 3-pixel-high triangle
// fills its middle row. `sample` moves the sampling point within the pixel for callers whose
// vertices are pixel edges (0.5: the pixel's centre).
Region PolygonRegion(const win::POINT* pts, const int* counts, int polygons, int fillMode,
                     const win::RECT* limit = nullptr, double sample = 0.0);
// The pixels of `r` that touch a pixel outside it: a one-pixel outline.
Region InnerBoundary(const Region& r);
Region RegionFromBoxes(std::vector<pixman_box32_t>& boxes);

// ---- fonts (Fonts.cpp) ----
FontObj* CurrentFont(DeviceContext& dc);

// UTF-8 decoding with the count rules of the API.
std::u32string DecodeText(win::LPCSTR text, int count);
std::string EncodeText(const std::u32string& text);

}  // namespace platform::gdi
