// Raster operations: brush fills, blits with ROP3 codes, stretching, alpha blending, gradients.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "platform/gdi/Internal.h"

namespace platform::gdi {

namespace {

constexpr std::uint32_t kRgb = 0xFFFFFF;

// Hatch rows, bit 7 is the leftmost pixel.
constexpr std::uint8_t kHatch[6][8] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF},  // HS_HORIZONTAL
    {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01},  // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
    {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0xFF},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
};

bool UsesPattern(std::uint8_t rop) { return ((rop >> 4) & 0x0F) != (rop & 0x0F); }
bool UsesSource(std::uint8_t rop) { return ((rop >> 2) & 0x33) != (rop & 0x33); }

}  // namespace

std::uint32_t Rop3(std::uint8_t rop, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
  switch (rop) {
    case 0x00: return 0;
    case 0xFF: return kRgb;
    case 0xCC: return s;
    case 0xF0: return p;
    case 0xAA: return d;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x66: return s ^ d;
    case 0x5A: return p ^ d;
    case 0x55: return d ^ kRgb;
    case 0x33: return s ^ kRgb;
    default: break;
  }
  // Complements flip colour bits only, so an alpha byte is never made up from nothing.
  std::uint32_t r = 0;
  for (int i = 0; i < 8; ++i) {
    if (!((rop >> i) & 1)) continue;
    r |= ((i & 4) ? p : p ^ kRgb) & ((i & 2) ? s : s ^ kRgb) & ((i & 1) ? d : d ^ kRgb);
  }
  return r;
}

std::uint32_t Rop2(int rop2, std::uint32_t p, std::uint32_t d) {
  int code = (rop2 - 1) & 0x0F;
  switch (code) {
    case 12: return p;
    case 10: return d;
    case 6: return p ^ d;
    case 0: return 0;
    case 15: return kRgb;
    default: break;
  }
  std::uint32_t r = 0;
  for (int i = 0; i < 4; ++i) {
    if (!((code >> i) & 1)) continue;
    r |= ((i & 2) ? p : p ^ kRgb) & ((i & 1) ? d : d ^ kRgb);
  }
  return r & kRgb;
}

std::uint8_t Rop2ToRop3(int rop2) {
  int code = (rop2 - 1) & 0x0F;
  std::uint8_t r = 0;
  for (int i = 0; i < 8; ++i) {
    int pbit = (i >> 2) & 1, dbit = i & 1;
    if ((code >> ((pbit << 1) | dbit)) & 1) r = static_cast<std::uint8_t>(r | (1 << i));
  }
  return r;
}

Pattern MakeSolidPattern(DeviceContext& dc, win::COLORREF c) {
  Pattern p;
  p.kind = Pattern::Solid;
  p.color = ResolveColor(dc, c);
  return p;
}

Pattern MakePattern(DeviceContext& dc, win::HBRUSH h) {
  // A small value is a system colour index plus one, as window classes and FillRect accept.
  auto v = HandleValue(h);
  if (v > 0 && v <= 31) h = win::GetSysColorBrush(static_cast<int>(v) - 1);
  Pattern p;
  BrushObj* b = Brush(h);
  if (!b) return p;
  if (b->dcBrush) return MakeSolidPattern(dc, dc.s.dcBrushColor);
  p.ox = dc.origin.x + dc.s.brushOrg.x;
  p.oy = dc.origin.y + dc.s.brushOrg.y;
  switch (b->style) {
    case win::BS_SOLID: return MakeSolidPattern(dc, b->color);
    case win::BS_HATCHED: {
      p.kind = Pattern::Tiled;
      p.width = p.height = 8;
      p.pixels.assign(64, 0);
      p.paint.assign(64, 1);
      std::uint32_t fg = ResolveColor(dc, b->color), bg = ResolveColor(dc, dc.s.bkColor);
      bool opaque = dc.s.bkMode == win::OPAQUE;
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
          bool on = (kHatch[b->hatch][y] >> (7 - x)) & 1;
          p.pixels[static_cast<size_t>(y * 8 + x)] = on ? fg : bg;
          if (!on && !opaque) p.paint[static_cast<size_t>(y * 8 + x)] = 0;
        }
      return p;
    }
    case win::BS_PATTERN: {
      p.kind = Pattern::Tiled;
      p.width = b->patternWidth;
      p.height = b->patternHeight;
      p.pixels = b->pattern;
      p.paint.assign(p.pixels.size(), 1);
      if (b->patternMono) {
        // Monochrome patterns take the DC's colours: black bits the text colour, white the background.
        std::uint32_t fg = ResolveColor(dc, dc.s.textColor), bg = ResolveColor(dc, dc.s.bkColor);
        for (auto& px : p.pixels) px = (px & kRgb) ? bg : fg;
      } else if (IsMono(dc)) {
        for (auto& px : p.pixels) px = ResolveColor(dc, ToColorRef(px));
      }
      return p;
    }
    default: return p;
  }
}

// A solid rectangle: pixman's fill where the buffer has a layout it takes, else row by row.
static void FillSolid(const PixelBuffer& t, const win::RECT& rc, std::uint32_t color) {
  if (t.stride > 0 &&
      pixman_fill(reinterpret_cast<std::uint32_t*>(t.pixels), t.stride, 32, rc.left, rc.top, rc.right - rc.left,
                  rc.bottom - rc.top, color))
    return;
  for (int y = rc.top; y < rc.bottom; ++y) std::fill(t.Row(y) + rc.left, t.Row(y) + rc.right, color);
}

void FillArea(DeviceContext& dc, const Region& area, const Pattern& pat, std::uint8_t rop) {
  if (UsesPattern(rop) && pat.kind == Pattern::None) return;
  PixelBuffer t = Target(dc);
  if (!t.pixels) return;
  Region r(area);
  r.Intersect(Clip(dc));
  bool mono = IsMono(dc);
  for (const win::RECT& rc : r.Rects()) {
    if (pat.kind == Pattern::Solid && rop == 0xF0) {
      FillSolid(t, rc, pat.color);
      continue;
    }
    for (int y = rc.top; y < rc.bottom; ++y) {
      std::uint32_t* row = t.Row(y);
      for (int x = rc.left; x < rc.right; ++x) {
        if (pat.kind == Pattern::Tiled && UsesPattern(rop) && !pat.Paints(x, y)) continue;
        std::uint32_t p = pat.kind == Pattern::None ? 0 : pat.At(x, y);
        std::uint32_t v = Rop3(rop, p, 0, row[x]);
        row[x] = mono ? (v & kRgb) : v;
      }
    }
  }
}

void PlotSpan(DeviceContext& dc, int x0, int x1, int y, std::uint32_t color, int rop2) {
  PixelBuffer t = Target(dc);
  if (!t.pixels || x1 <= x0) return;
  const Region& clip = Clip(dc);
  win::RECT span{x0, y, x1, y + 1};
  int overlap = clip.ContainsRect(span);
  if (overlap == 0) return;
  std::uint32_t* row = t.Row(y);
  for (int x = x0; x < x1; ++x) {
    if (overlap == 2 && !clip.Contains(x, y)) continue;
    row[x] = rop2 == win::R2_COPYPEN ? color : Rop2(rop2, color, row[x]);
  }
}

// ---- blits ----

namespace {

struct BlitGeometry {
  win::RECT dest;  // target coordinates, ordered
  win::RECT src;   // source target coordinates, ordered
  bool mirrorX = false, mirrorY = false;
  int Dw() const { return dest.right - dest.left; }
  int Dh() const { return dest.bottom - dest.top; }
  int Sw() const { return src.right - src.left; }
  int Sh() const { return src.bottom - src.top; }
  bool Identity() const { return !mirrorX && !mirrorY && Sw() == Dw() && Sh() == Dh(); }
};

// The rectangle between the two corners, ordered; as for every rectangle the right and bottom
// edges are left out, so a negative extent from x covers x+w .. x-1.
win::RECT Span(win::POINT a, win::POINT b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

bool Geometry(DeviceContext& dest, DeviceContext* src, int x, int y, int w, int h, int xs, int ys, int ws, int hs,
              BlitGeometry& g) {
  win::POINT a = LpToTarget(dest, {x, y});
  win::POINT b = LpToTarget(dest, {Clamp(static_cast<long long>(x) + w), Clamp(static_cast<long long>(y) + h)});
  g.mirrorX = (b.x < a.x);
  g.mirrorY = (b.y < a.y);
  g.dest = Span(a, b);
  if (src) {
    win::POINT c = LpToTarget(*src, {xs, ys});
    win::POINT d = LpToTarget(*src, {Clamp(static_cast<long long>(xs) + ws), Clamp(static_cast<long long>(ys) + hs)});
    if (d.x < c.x) g.mirrorX = !g.mirrorX;
    if (d.y < c.y) g.mirrorY = !g.mirrorY;
    g.src = Span(c, d);
    if (g.src.right == g.src.left || g.src.bottom == g.src.top) return false;
  }
  return g.dest.right > g.dest.left && g.dest.bottom > g.dest.top;
}

// Reads source pixels for a blit. A monochrome source takes the destination's text colour for
// black and background colour for white; a colour source going to a monochrome destination gives
// white where it has the source DC's background colour and black elsewhere. A blit within one
// buffer reads from a copy, so overlapping moves see the original pixels.
class Sampler {
 public:
  Sampler(DeviceContext& dest, DeviceContext& src, const win::RECT& need) {
    s_ = Target(src);
    bool srcMono = IsMono(src), destMono = IsMono(dest);
    toColour_ = srcMono && !destMono;
    toMono_ = !srcMono && destMono;
    fg_ = ResolveColor(dest, dest.s.textColor);
    bg_ = ResolveColor(dest, dest.s.bkColor);
    key_ = ToPixel(PlainColor(src.s.bkColor));
    PixelBuffer d = Target(dest);
    if (d.pixels && d.pixels == s_.pixels) {
      win::RECT r{std::max(need.left, 0), std::max(need.top, 0), std::min(need.right, s_.width),
                  std::min(need.bottom, s_.height)};
      if (r.right > r.left && r.bottom > r.top) {
        copyRect_ = r;
        int w = r.right - r.left;
        copy_.resize(static_cast<size_t>(w) * static_cast<size_t>(r.bottom - r.top));
        for (int y = r.top; y < r.bottom; ++y)
          std::memcpy(&copy_[static_cast<size_t>(y - r.top) * static_cast<size_t>(w)], s_.Row(y) + r.left,
                      static_cast<size_t>(w) * 4);
      }
      copied_ = true;
    }
  }

  // The source's own pixel, false outside the source.
  bool Raw(int x, int y, std::uint32_t& v) const {
    if (copied_) {
      if (x < copyRect_.left || y < copyRect_.top || x >= copyRect_.right || y >= copyRect_.bottom) return false;
      v = copy_[static_cast<size_t>(y - copyRect_.top) * static_cast<size_t>(copyRect_.right - copyRect_.left) +
                static_cast<size_t>(x - copyRect_.left)];
      return true;
    }
    if (!s_.pixels || !s_.Contains(x, y)) return false;
    v = s_.At(x, y);
    return true;
  }
  std::uint32_t Convert(std::uint32_t v) const {
    if (toColour_) return (v & 0xFFFFFF) ? bg_ : fg_;
    if (toMono_) return (v & 0xFFFFFF) == key_ ? 0xFFFFFF : 0;
    return v;
  }
  bool Get(int x, int y, std::uint32_t& v) const {
    if (!Raw(x, y, v)) return false;
    v = Convert(v);
    return true;
  }
  int Width() const { return s_.width; }
  int Height() const { return s_.height; }

 private:
  PixelBuffer s_;
  bool toColour_ = false, toMono_ = false, copied_ = false;
  std::uint32_t fg_ = 0, bg_ = 0, key_ = 0;
  win::RECT copyRect_{};
  std::vector<std::uint32_t> copy_;
};

// Which source pixels a destination column (or row) takes: [from, to) in source coordinates.
struct SourceSpan {
  int from, to;
};
std::vector<SourceSpan> MapAxis(int first, int last, int destStart, int destLen, int srcStart, int srcLen, bool mirror) {
  std::vector<SourceSpan> out;
  out.reserve(static_cast<size_t>(last - first));
  for (int d = first; d < last; ++d) {
    long long i = d - destStart;
    if (mirror) i = destLen - 1 - i;
    int s0 = static_cast<int>(i * srcLen / destLen);
    int s1 = std::max(s0 + 1, static_cast<int>((i + 1) * srcLen / destLen));
    out.push_back({srcStart + s0, srcStart + s1});
  }
  return out;
}

// One destination pixel's worth of source: the first source pixel, or when shrinking with a
// combining mode, the AND (BLACKONWHITE), OR (WHITEONBLACK) or average (HALFTONE) of its box.
bool SampleBox(const Sampler& s, SourceSpan sx, SourceSpan sy, int mode, std::uint32_t& v) {
  bool shrink = sx.to - sx.from > 1 || sy.to - sy.from > 1;
  if (!shrink || mode == win::COLORONCOLOR) return s.Get(sx.from, sy.from, v);
  int x0 = std::max(sx.from, 0), x1 = std::min(sx.to, s.Width());
  int y0 = std::max(sy.from, 0), y1 = std::min(sy.to, s.Height());
  unsigned long long r = 0, g = 0, b = 0, a = 0, n = 0;
  std::uint32_t andv = 0xFFFFFFFF, orv = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      std::uint32_t p;
      if (!s.Get(x, y, p)) continue;
      andv &= p;
      orv |= p;
      r += (p >> 16) & 0xFF;
      g += (p >> 8) & 0xFF;
      b += p & 0xFF;
      a += p >> 24;
      ++n;
    }
  if (!n) return false;
  if (mode == win::BLACKONWHITE)
    v = andv;
  else if (mode == win::WHITEONBLACK)
    v = orv;
  else
    v = static_cast<std::uint32_t>(((a + n / 2) / n) << 24 | ((r + n / 2) / n) << 16 | ((g + n / 2) / n) << 8 |
                                   ((b + n / 2) / n));
  return true;
}

// Runs `pixel(destPixel, sourceSpanX, sourceSpanY, x, y)` over the clipped destination.
template <class F>
void ForEachDestPixel(DeviceContext& dest, const BlitGeometry& g, F pixel) {
  PixelBuffer t = Target(dest);
  if (!t.pixels) return;
  Region r(g.dest);
  r.Intersect(Clip(dest));
  for (const win::RECT& rc : r.Rects()) {
    std::vector<SourceSpan> cols = MapAxis(rc.left, rc.right, g.dest.left, g.Dw(), g.src.left, g.Sw(), g.mirrorX);
    std::vector<SourceSpan> rows = MapAxis(rc.top, rc.bottom, g.dest.top, g.Dh(), g.src.top, g.Sh(), g.mirrorY);
    for (int y = rc.top; y < rc.bottom; ++y) {
      SourceSpan sy = rows[static_cast<size_t>(y - rc.top)];
      std::uint32_t* row = t.Row(y);
      for (int x = rc.left; x < rc.right; ++x) pixel(row[x], cols[static_cast<size_t>(x - rc.left)], sy, x, y);
    }
  }
}

// BitBlt's common case: a plain copy between buffers of one format, row by row.
bool FastCopy(DeviceContext& dest, DeviceContext& src, const BlitGeometry& g) {
  if (IsMono(dest) != IsMono(src)) return false;
  PixelBuffer d = Target(dest), s = Target(src);
  if (!d.pixels || !s.pixels) return true;
  // Only where the source has pixels.
  win::RECT have{std::max(g.src.left, 0), std::max(g.src.top, 0), std::min(g.src.right, s.width),
                 std::min(g.src.bottom, s.height)};
  if (have.right <= have.left || have.bottom <= have.top) return true;
  int dx = g.dest.left - g.src.left, dy = g.dest.top - g.src.top;
  Region r(win::RECT{have.left + dx, have.top + dy, have.right + dx, have.bottom + dy});
  r.Intersect(Clip(dest));
  std::vector<win::RECT> rects = r.Rects();
  bool same = d.pixels == s.pixels && d.stride == s.stride;
  if (same && rects.size() > 1) {
    // Several pieces moving within one buffer could read what an earlier piece wrote: read
    // them all from a copy.
    int w = have.right - have.left;
    std::vector<std::uint32_t> copy(static_cast<size_t>(w) * static_cast<size_t>(have.bottom - have.top));
    for (int y = have.top; y < have.bottom; ++y)
      std::memcpy(&copy[static_cast<size_t>(y - have.top) * static_cast<size_t>(w)], s.Row(y) + have.left,
                  static_cast<size_t>(w) * 4);
    for (const win::RECT& rc : rects)
      for (int y = rc.top; y < rc.bottom; ++y)
        std::memcpy(d.Row(y) + rc.left,
                    &copy[static_cast<size_t>(y - dy - have.top) * static_cast<size_t>(w) +
                          static_cast<size_t>(rc.left - dx - have.left)],
                    static_cast<size_t>(rc.right - rc.left) * 4);
    return true;
  }
  // One piece moving within one buffer: go in the order that reads each row before it is
  // overwritten (memmove takes care of moves within a row).
  if (same && dy > 0) std::reverse(rects.begin(), rects.end());
  for (const win::RECT& rc : rects) {
    size_t bytes = static_cast<size_t>(rc.right - rc.left) * 4;
    if (rc.left == 0 && rc.right == d.width && d.stride == d.width && s.stride == s.width && s.width == d.width &&
        dx == 0) {
      // Whole rows of two packed buffers: one block move, which large copies do fastest.
      std::memmove(d.Row(rc.top), s.Row(rc.top - dy), bytes * static_cast<size_t>(rc.bottom - rc.top));
      continue;
    }
    if (same && dy > 0) {
      for (int y = rc.bottom - 1; y >= rc.top; --y) std::memmove(d.Row(y) + rc.left, s.Row(y - dy) + rc.left - dx, bytes);
    } else {
      for (int y = rc.top; y < rc.bottom; ++y) std::memmove(d.Row(y) + rc.left, s.Row(y - dy) + rc.left - dx, bytes);
    }
  }
  return true;
}

bool Blit(win::HDC hdest, int x, int y, int w, int h, win::HDC hsrc, int xs, int ys, int ws, int hs, win::DWORD rop,
          win::HBITMAP maskBitmap = nullptr, int xm = 0, int ym = 0) {
  DeviceContext* dest = Dc(hdest);
  if (!dest) {
    win::SetLastError(win::ERROR_INVALID_HANDLE);
    return false;
  }
  std::uint8_t fore = static_cast<std::uint8_t>((rop >> 16) & 0xFF);
  std::uint8_t back = maskBitmap ? static_cast<std::uint8_t>((rop >> 24) & 0xFF) : fore;
  bool needSrc = UsesSource(fore) || UsesSource(back);
  DeviceContext* src = needSrc ? Dc(hsrc) : nullptr;
  if (needSrc && !src) {
    win::SetLastError(win::ERROR_INVALID_HANDLE);
    return false;
  }
  BitmapObj* mask = nullptr;
  if (maskBitmap) {
    mask = Bmp(maskBitmap);
    if (!mask || !mask->mono) {
      win::SetLastError(win::ERROR_INVALID_PARAMETER);
      return false;
    }
  }
  BlitGeometry g;
  if (!Geometry(*dest, src, x, y, w, h, xs, ys, ws, hs, g)) return true;
  if (!src) g.src = g.dest;  // no source: an identity mapping keeps the loops simple
  if (src && !mask && fore == 0xCC && g.Identity() && FastCopy(*dest, *src, g)) return true;
  Pattern pat;
  if (UsesPattern(fore) || UsesPattern(back)) pat = MakePattern(*dest, dest->s.brush);
  bool mono = IsMono(*dest);
  std::optional<Sampler> sampler;
  if (src) sampler.emplace(*dest, *src, g.src);
  PixelBuffer mv = mask ? mask->View() : PixelBuffer{};
  int mode = dest->s.stretchMode;
  ForEachDestPixel(*dest, g, [&](std::uint32_t& d, SourceSpan sx, SourceSpan sy, int px, int py) {
    std::uint8_t op = fore;
    if (mask) {
      int mx = xm + px - g.dest.left, my = ym + py - g.dest.top;
      op = mv.Contains(mx, my) && (mv.At(mx, my) & 0xFFFFFF) ? fore : back;
    }
    std::uint32_t sv = 0, pv = 0;
    if (UsesSource(op) && !SampleBox(*sampler, sx, sy, mode, sv)) return;
    if (UsesPattern(op)) {
      if (pat.kind == Pattern::None || (pat.kind == Pattern::Tiled && !pat.Paints(px, py))) return;
      pv = pat.At(px, py);
    }
    std::uint32_t v = Rop3(op, pv, sv, d);
    d = mono ? (v & kRgb) : v;
  });
  return true;
}

float RoundToChannel(float v) {
  float r = std::nearbyint(v);
  return r < 0 ? 0 : (r > 255 ? 255 : r);
}

}  // namespace

// One pixel of AlphaBlend: c = constant/255, a = c * source alpha, k = 1 - a/255; each colour
// channel c*S + k*D, alpha a + k*D.A, each rounded to the nearest (halves to even) and clamped.
std::uint32_t BlendPixel(std::uint32_t s, std::uint32_t d, std::uint8_t constant, bool perPixel) {
  // Most pixels of a glyph are wholly clear or wholly opaque; the sums below give exactly these.
  if (perPixel && constant == 255) {
    if (s == 0) return d;
    if (s >> 24 == 255) return s;
  }
  float c = static_cast<float>(constant) / 255.0f;
  float sa = perPixel ? static_cast<float>(s >> 24) : 255.0f;
  float a = c * sa;
  float k = 1.0f - a / 255.0f;
  auto ch = [&](int shift) {
    float sv = static_cast<float>((s >> shift) & 0xFF), dv = static_cast<float>((d >> shift) & 0xFF);
    return static_cast<std::uint32_t>(RoundToChannel(c * sv + k * dv)) << shift;
  };
  std::uint32_t alpha = static_cast<std::uint32_t>(RoundToChannel(a + k * static_cast<float>(d >> 24)));
  return ch(16) | ch(8) | ch(0) | (alpha << 24);
}

}  // namespace platform::gdi

using namespace platform;
using namespace platform::gdi;

namespace win {

BOOL PatBlt(HDC h, int x, int y, int w, int hgt, DWORD rop) {
  std::uint8_t r = static_cast<std::uint8_t>((rop >> 16) & 0xFF);
  if (UsesSource(r)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return Blit(h, x, y, w, hgt, nullptr, 0, 0, w, hgt, rop) ? TRUE : FALSE;
}

BOOL BitBlt(HDC dest, int x, int y, int w, int h, HDC src, int xs, int ys, DWORD rop) {
  return Blit(dest, x, y, w, h, src, xs, ys, w, h, rop) ? TRUE : FALSE;
}

BOOL StretchBlt(HDC dest, int x, int y, int w, int h, HDC src, int xs, int ys, int ws, int hs, DWORD rop) {
  return Blit(dest, x, y, w, h, src, xs, ys, ws, hs, rop) ? TRUE : FALSE;
}

BOOL MaskBlt(HDC dest, int x, int y, int w, int h, HDC src, int xs, int ys, HBITMAP mask, int xm, int ym, DWORD rop4) {
  if (!mask) return Blit(dest, x, y, w, h, src, xs, ys, w, h, rop4 & 0x00FFFFFF) ? TRUE : FALSE;
  return Blit(dest, x, y, w, h, src, xs, ys, w, h, rop4, mask, xm, ym) ? TRUE : FALSE;
}

BOOL AlphaBlend(HDC hdest, int x, int y, int w, int h, HDC hsrc, int xs, int ys, int ws, int hs, BLENDFUNCTION bf) {
  DeviceContext* dest = Dc(hdest);
  DeviceContext* src = Dc(hsrc);
  if (!dest || !src || bf.BlendOp != AC_SRC_OVER || w < 0 || h < 0 || ws < 0 || hs < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  BlitGeometry g;
  if (!Geometry(*dest, src, x, y, w, h, xs, ys, ws, hs, g)) return TRUE;
  PixelBuffer s = Target(*src);
  // The source rectangle must lie within the source.
  if (g.src.left < 0 || g.src.top < 0 || g.src.right > s.width || g.src.bottom > s.height) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Sampler sampler(*dest, *src, g.src);
  bool perPixel = (bf.AlphaFormat & AC_SRC_ALPHA) != 0;
  ForEachDestPixel(*dest, g, [&](std::uint32_t& d, SourceSpan sx, SourceSpan sy, int, int) {
    std::uint32_t sv;
    if (sampler.Get(sx.from, sy.from, sv)) d = BlendPixel(sv, d, bf.SourceConstantAlpha, perPixel);
  });
  return TRUE;
}

BOOL TransparentBlt(HDC hdest, int x, int y, int w, int h, HDC hsrc, int xs, int ys, int ws, int hs, UINT transparent) {
  DeviceContext* dest = Dc(hdest);
  DeviceContext* src = Dc(hsrc);
  if (!dest || !src || w < 0 || h < 0 || ws < 0 || hs < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  BlitGeometry g;
  if (!Geometry(*dest, src, x, y, w, h, xs, ys, ws, hs, g)) return TRUE;
  Sampler sampler(*dest, *src, g.src);
  // The key is compared in the source's own colours, before any conversion.
  std::uint32_t key = ToPixel(PlainColor(transparent));
  bool mono = IsMono(*dest);
  ForEachDestPixel(*dest, g, [&](std::uint32_t& d, SourceSpan sx, SourceSpan sy, int, int) {
    std::uint32_t sv;
    if (!sampler.Raw(sx.from, sy.from, sv) || (sv & kRgb) == key) return;
    sv = sampler.Convert(sv);
    d = mono ? (sv & kRgb) : sv;
  });
  return TRUE;
}

BOOL GradientFill(HDC h, const TRIVERTEX* v, ULONG nv, const void* mesh, ULONG nm, ULONG mode) {
  DeviceContext* dc = Dc(h);
  if (!dc || !v || !mesh) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  PixelBuffer t = Target(*dc);
  if (!t.pixels) return TRUE;
  auto pixel = [](long long r, long long g, long long b, long long a) {
    return static_cast<std::uint32_t>(((a >> 8) & 0xFF) << 24 | ((r >> 8) & 0xFF) << 16 | ((g >> 8) & 0xFF) << 8 |
                                      ((b >> 8) & 0xFF));
  };
  bool mono = IsMono(*dc);
  auto put = [&](int x, int y, std::uint32_t c, const Region& clip) {
    if (!clip.Contains(x, y)) return;
    t.At(x, y) = mono ? ResolveColor(*dc, ToColorRef(c & 0xFFFFFF)) : c;
  };
  const Region& clip = Clip(*dc);
  if (mode == GRADIENT_FILL_RECT_H || mode == GRADIENT_FILL_RECT_V) {
    auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
    for (ULONG m = 0; m < nm; ++m) {
      if (rects[m].UpperLeft >= nv || rects[m].LowerRight >= nv) return FALSE;
      TRIVERTEX a = v[rects[m].UpperLeft], b = v[rects[m].LowerRight];
      POINT pa = LpToTarget(*dc, {a.x, a.y}), pb = LpToTarget(*dc, {b.x, b.y});
      // The vertex further left (or up) holds the starting colour.
      if ((mode == GRADIENT_FILL_RECT_H && pb.x < pa.x) || (mode == GRADIENT_FILL_RECT_V && pb.y < pa.y)) {
        std::swap(a, b);
        std::swap(pa, pb);
      }
      RECT rc{std::min(pa.x, pb.x), std::min(pa.y, pb.y), std::max(pa.x, pb.x), std::max(pa.y, pb.y)};
      Region area(rc);
      area.Intersect(clip);
      if (area.Empty()) continue;
      bool horizontal = mode == GRADIENT_FILL_RECT_H;
      long long span = horizontal ? rc.right - rc.left : rc.bottom - rc.top;
      for (const RECT& c : area.Rects())
        for (int yy = c.top; yy < c.bottom; ++yy)
          for (int xx = c.left; xx < c.right; ++xx) {
            long long i = horizontal ? xx - rc.left : yy - rc.top;
            auto lerp = [&](COLOR16 p, COLOR16 q) { return p + (static_cast<long long>(q) - p) * i / span; };
            t.At(xx, yy) = mono ? ResolveColor(*dc, ToColorRef(pixel(lerp(a.Red, b.Red), lerp(a.Green, b.Green),
                                                                      lerp(a.Blue, b.Blue), 0) & 0xFFFFFF))
                                : pixel(lerp(a.Red, b.Red), lerp(a.Green, b.Green), lerp(a.Blue, b.Blue),
                                        lerp(a.Alpha, b.Alpha));
          }
    }
    return TRUE;
  }
  if (mode == GRADIENT_FILL_TRIANGLE) {
    auto* tris = static_cast<const GRADIENT_TRIANGLE*>(mesh);
    for (ULONG m = 0; m < nm; ++m) {
      if (tris[m].Vertex1 >= nv || tris[m].Vertex2 >= nv || tris[m].Vertex3 >= nv) return FALSE;
      const TRIVERTEX* tv[3] = {&v[tris[m].Vertex1], &v[tris[m].Vertex2], &v[tris[m].Vertex3]};
      POINT p[3];
      for (int k = 0; k < 3; ++k) p[k] = LpToTarget(*dc, {tv[k]->x, tv[k]->y});
      long long area2 = static_cast<long long>(p[1].x - p[0].x) * (p[2].y - p[0].y) -
                        static_cast<long long>(p[2].x - p[0].x) * (p[1].y - p[0].y);
      if (area2 == 0) continue;
      int x0 = std::min({p[0].x, p[1].x, p[2].x}), x1 = std::max({p[0].x, p[1].x, p[2].x});
      int y0 = std::min({p[0].y, p[1].y, p[2].y}), y1 = std::max({p[0].y, p[1].y, p[2].y});
      x0 = std::max(x0, 0);
      y0 = std::max(y0, 0);
      x1 = std::min(x1, t.width);
      y1 = std::min(y1, t.height);
      for (int yy = y0; yy < y1; ++yy)
        for (int xx = x0; xx < x1; ++xx) {
          long long w[3];
          for (int k = 0; k < 3; ++k) {
            const POINT& a = p[(k + 1) % 3];
            const POINT& b = p[(k + 2) % 3];
            w[k] = static_cast<long long>(b.x - a.x) * (yy - a.y) - static_cast<long long>(xx - a.x) * (b.y - a.y);
            if (area2 < 0) w[k] = -w[k];
          }
          if (w[0] < 0 || w[1] < 0 || w[2] < 0) continue;
          long long total = w[0] + w[1] + w[2];
          auto mix = [&](COLOR16 TRIVERTEX::*ch) {
            return (w[0] * (tv[0]->*ch) + w[1] * (tv[1]->*ch) + w[2] * (tv[2]->*ch)) / total;
          };
          put(xx, yy, pixel(mix(&TRIVERTEX::Red), mix(&TRIVERTEX::Green), mix(&TRIVERTEX::Blue), mix(&TRIVERTEX::Alpha)),
              clip);
        }
    }
    return TRUE;
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

// ---- rectangle fills ----

int FillRect(HDC h, const RECT* rc, HBRUSH brush) {
  DeviceContext* dc = Dc(h);
  if (!dc || !rc) return 0;
  if (rc->right <= rc->left || rc->bottom <= rc->top) return 1;
  Pattern pat = MakePattern(*dc, brush);
  if (pat.kind == Pattern::None && !Brush(brush)) return 0;
  FillArea(*dc, Region(LrToTarget(*dc, *rc)), pat, 0xF0);
  return 1;
}

int FrameRect(HDC h, const RECT* rc, HBRUSH brush) {
  DeviceContext* dc = Dc(h);
  if (!dc || !rc) return 0;
  if (rc->right <= rc->left || rc->bottom <= rc->top) return 1;
  Pattern pat = MakePattern(*dc, brush);
  RECT outer = LrToTarget(*dc, *rc);
  int bx = std::max(1, ScaleX(*dc, 1)), by = std::max(1, ScaleY(*dc, 1));
  Region area(outer);
  area.Subtract(RECT{outer.left + bx, outer.top + by, outer.right - bx, outer.bottom - by});
  FillArea(*dc, area, pat, 0xF0);
  return 1;
}

BOOL InvertRect(HDC h, const RECT* rc) {
  DeviceContext* dc = Dc(h);
  if (!dc || !rc) return FALSE;
  FillArea(*dc, Region(LrToTarget(*dc, *rc)), Pattern{}, 0x55);
  return TRUE;
}

// ---- pixels ----

COLORREF SetPixel(HDC h, int x, int y, COLORREF color) {
  DeviceContext* dc = Dc(h);
  if (!dc) return CLR_INVALID;
  POINT p = LpToTarget(*dc, {x, y});
  if (!Clip(*dc).Contains(p.x, p.y)) return CLR_INVALID;
  std::uint32_t v = ResolveColor(*dc, color);
  Target(*dc).At(p.x, p.y) = v;
  return ToColorRef(v);
}

BOOL SetPixelV(HDC h, int x, int y, COLORREF color) { return SetPixel(h, x, y, color) != CLR_INVALID; }

COLORREF GetPixel(HDC h, int x, int y) {
  DeviceContext* dc = Dc(h);
  if (!dc) return CLR_INVALID;
  POINT p = LpToTarget(*dc, {x, y});
  if (!Clip(*dc).Contains(p.x, p.y)) return CLR_INVALID;
  return ToColorRef(Target(*dc).At(p.x, p.y) & 0xFFFFFF);
}


}  // namespace win
