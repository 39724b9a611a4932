#include "ui/panels/Gradients.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/classes/Forms.h"

namespace rz {

using win::COLORREF;
using win::HDC;
using win::RECT;

namespace {

constexpr int kStrip = 8;

// Three channels in 16.16 fixed point.
struct Accumulator {
  int r, g, b;
  explicit Accumulator(COLORREF c)
      : r(static_cast<int>(c & 0xFF) << 16), g(static_cast<int>((c >> 8) & 0xFF) << 16),
        b(static_cast<int>((c >> 16) & 0xFF) << 16) {}
  // The per-pixel increment that moves from this toward Target over N pixels; none for an empty run.
  Accumulator StepToward(COLORREF Target, long long N) const {
    Accumulator t(Target), d(0);
    if (N > 0) {
      d.r = static_cast<int>((static_cast<long long>(t.r) - r) / N);
      d.g = static_cast<int>((static_cast<long long>(t.g) - g) / N);
      d.b = static_cast<int>((static_cast<long long>(t.b) - b) / N);
    }
    return d;
  }
  void Add(const Accumulator& d) {
    r += d.r;
    g += d.g;
    b += d.b;
  }
  COLORREF Color() const { return win::RGB(r >> 16, g >> 16, b >> 16); }
};

// A solid brush made for one band and deleted with it.
void FillBand(HDC DC, const RECT& R, COLORREF Color) {
  if (R.right <= R.left || R.bottom <= R.top) return;
  win::HBRUSH brush = win::CreateSolidBrush(Color);
  win::FillRect(DC, &R, brush);
  win::DeleteObject(brush);
}

// Bands over the pixels From, From - 1, ... (Count of them), colours from Start moving toward
// Target by a step of 1/N per pixel.
void FillRun(HDC DC, bool AlongX, int From, int Count, COLORREF Start, COLORREF Target, int N, int MinBand) {
  Accumulator acc(Start);
  const Accumulator step = acc.StepToward(Target, N);
  int p = From;
  while (Count > 0) {
    const COLORREF color = acc.Color();
    const int high = p;
    int length = 0;
    do {
      --p;
      --Count;
      acc.Add(step);
      ++length;
    } while (Count > 0 && (length < MinBand || acc.Color() == color));
    RECT band = AlongX ? RECT{p + 1, 0, high + 1, kStrip} : RECT{0, p + 1, kStrip, high + 1};
    FillBand(DC, band, color);
  }
}

void FillPolygon(HDC DC, const win::POINT* Points, int Count, COLORREF Color) {
  win::HBRUSH brush = win::CreateSolidBrush(Color);
  win::HGDIOBJ old = win::SelectObject(DC, brush);
  win::Polygon(DC, Points, Count);
  win::SelectObject(DC, old);
  win::DeleteObject(brush);
}

// A memory context with a bitmap of its own, freed however the drawing ends.
class ScratchBitmap {
 public:
  ScratchBitmap(HDC Like, int Width, int Height) {
    dc_ = win::CreateCompatibleDC(Like);
    bitmap_ = win::CreateCompatibleBitmap(Like, Width, Height);
    old_ = win::SelectObject(dc_, bitmap_);
    oldPen_ = win::SelectObject(dc_, win::GetStockObject(win::NULL_PEN));
  }
  ~ScratchBitmap() {
    win::SelectObject(dc_, oldPen_);
    win::SelectObject(dc_, old_);
    win::DeleteDC(dc_);
    win::DeleteObject(bitmap_);
  }
  ScratchBitmap(const ScratchBitmap&) = delete;
  ScratchBitmap& operator=(const ScratchBitmap&) = delete;
  HDC DC() const { return dc_; }

 private:
  HDC dc_;
  win::HBITMAP bitmap_;
  win::HGDIOBJ old_, oldPen_;
};

}  // namespace

int MinimumBandSize(std::uint8_t Steps, bool BoxPattern) {
  if (Steps == 0) Steps = 1;
  if (Steps <= 8) return Steps;
  return (BoxPattern ? 256 : 255) / Steps + 1;
}

void FillLinearGradient(HDC DC, bool AlongX, int Origin, int Length, COLORREF StartColor, COLORREF StopColor,
                        std::uint8_t Steps) {
  const int m = MinimumBandSize(Steps, false);
  if (Origin < 0) {
    FillRun(DC, AlongX, Length - 1, Length, StopColor, StartColor, Length, m);
    return;
  }
  FillRun(DC, AlongX, Origin, Origin + 1, StopColor, StartColor, Origin + 1, m);
  FillRun(DC, AlongX, Length - 1, Length - Origin - 1, StartColor, StopColor, Length - Origin - 1, m);
}

void FillBoxGradient(HDC DC, int Width, int Height, int MarginX, int MarginY, COLORREF StartColor,
                     COLORREF StopColor, std::uint8_t Steps) {
  if (StartColor == StopColor || Width <= 4 || Height <= 4) {
    FillBand(DC, RECT{0, 0, Width + 1, Height + 1}, StartColor);
    return;
  }
  const int m = MinimumBandSize(Steps, true);
  const int cx = ((Width - 1) >> 1) + 1, cy = ((Height - 1) >> 1) + 1;
  const int hx = std::max(((Width - 1) >> 1) - MarginX, 0), hy = std::max(((Height - 1) >> 1) - MarginY, 0);
  const int n = std::max(hx, hy) + 1;
  Accumulator acc(StopColor);
  const Accumulator step = acc.StepToward(StartColor, n);
  long long x = static_cast<long long>(hx) << 16, y = static_cast<long long>(hy) << 16;
  const long long dx = (static_cast<long long>(hx) << 16) / n, dy = (static_cast<long long>(hy) << 16) / n;
  int prevX = cx, prevY = cy;
  // Each step moves both positions outward; after n of them they stand at the quadrant's edge.
  for (int steps = 0; steps <= n;) {
    const COLORREF color = acc.Color();
    int length = 0;
    bool out = false;
    do {
      x -= dx;
      y -= dy;
      acc.Add(step);
      ++length;
      ++steps;
      out = (x < 0 && y < 0) || steps > n;
    } while (!out && (length < m || acc.Color() == color));
    if (out) {
      // What the last band would have reached is the quadrant's edge.
      FillBand(DC, RECT{0, 0, cx, prevY}, color);
      FillBand(DC, RECT{0, prevY, prevX, cy}, color);
      break;
    }
    const int ix = static_cast<int>(std::max(x, 0LL) >> 16), iy = static_cast<int>(std::max(y, 0LL) >> 16);
    if (iy < prevY) FillBand(DC, RECT{ix, iy, cx, prevY}, color);
    if (ix < prevX) FillBand(DC, RECT{ix, prevY, prevX, cy}, color);
    prevX = ix;
    prevY = iy;
  }
}

void FillDiagonalGradient(HDC DC, int Width, int Height, COLORREF StartColor, COLORREF StopColor,
                          std::uint8_t Steps) {
  const bool falling = Width < 0;
  const long long W = std::llabs(Width), H = Height;
  if (W == 0 || H <= 0) return;
  const long long d = static_cast<long long>(std::sqrt(static_cast<double>(W * W + H * H))) + 1;
  const long long half = std::max(d / 2, 1LL);
  const int m = MinimumBandSize(Steps, false);
  Accumulator acc(falling ? StopColor : StartColor);
  const Accumulator step = acc.StepToward(falling ? StartColor : StopColor, d);
  const long long sx = (W << 16) / half, sy = (H << 16) / half;
  // Points in 16.16; a rising diagonal begins at the bottom-left corner, a falling one mirrored.
  auto pt = [&](long long px, long long py) {
    long long ix = px >> 16;
    return win::POINT{static_cast<int>(falling ? W - ix : ix), static_cast<int>(py >> 16)};
  };
  // Point A runs along the bottom edge and then up the far edge; point B up the near edge and then
  // along the top edge. Every band lies between two lines joining them.
  long long ax = 0, ay = H << 16, bx = 0, by = H << 16;
  for (int phase = 0; phase < 2; ++phase) {
    long long done = 0;
    while (done < half) {
      const COLORREF color = acc.Color();
      const win::POINT a0 = pt(ax, ay), b0 = pt(bx, by);
      int length = 0;
      do {
        if (phase == 0) {
          ax += sx;
          by -= sy;
        } else {
          ay -= sy;
          bx += sx;
        }
        acc.Add(step);
        ++length;
        ++done;
      } while (done < half && (length < m || acc.Color() == color));
      const win::POINT quad[4] = {a0, pt(ax, ay), pt(bx, by), b0};
      FillPolygon(DC, quad, 4, color);
    }
    // The rest of the phase, up to the line through the corners it ends on.
    const win::POINT a0 = pt(ax, ay), b0 = pt(bx, by);
    if (phase == 0) {
      ax = W << 16;
      ay = H << 16;
      bx = 0;
      by = 0;
    } else {
      ax = W << 16;
      ay = 0;
      bx = W << 16;
      by = 0;
    }
    const win::POINT corner = pt(ax, ay), other = pt(bx, by);
    if (a0.x != corner.x || a0.y != corner.y || b0.x != other.x || b0.y != other.y) {
      const win::POINT rest[4] = {a0, corner, other, b0};
      FillPolygon(DC, rest, 4, acc.Color());
    }
  }
}

void ReplicateStrip(HDC DC, int X, int Y, int TotalWidth, int TotalHeight, int StripWidth, int StripHeight,
                    win::DWORD RasterOp) {
  int w = std::max(StripWidth, 1), h = std::max(StripHeight, 1);
  while (w < TotalWidth || h < TotalHeight) {
    if (w < TotalWidth) {
      int n = std::min(w, TotalWidth - w);
      win::BitBlt(DC, X + w, Y, n, std::min(h, TotalHeight), DC, X, Y, RasterOp);
      w += n;
    }
    if (h < TotalHeight) {
      int n = std::min(h, TotalHeight - h);
      win::BitBlt(DC, X, Y + h, std::min(w, TotalWidth), n, DC, X, Y, RasterOp);
      h += n;
    }
  }
}

void MirrorQuadrant(HDC DC, int X, int Y, int Width, int Height, win::DWORD RasterOp) {
  // The quadrant holds the middle row and column of an odd size; they stay where they are.
  const int quadWidth = (Width + 1) / 2, halfWidth = Width / 2, halfHeight = Height / 2;
  if (halfHeight > 0)
    win::StretchBlt(DC, X, Y + Height, quadWidth, -halfHeight, DC, X, Y, quadWidth, halfHeight, RasterOp);
  if (halfWidth > 0)
    win::StretchBlt(DC, X + Width, Y, -halfWidth, Height, DC, X, Y, halfWidth, Height, RasterOp);
}

void PaintGradientBands(TCanvas* Canvas, const RECT& Rect, TGradientDirection Direction, TColor StartColor,
                        TColor StopColor, std::uint8_t Steps) {
  const COLORREF S = ColorToRGB(StartColor), E = ColorToRGB(StopColor);
  const int W = std::abs(Rect.right - Rect.left), H = std::abs(Rect.bottom - Rect.top);
  if (W == 0 || H == 0) return;
  HDC target = Canvas->Handle();
  ScratchBitmap bitmap(target, W, H);
  HDC dc = bitmap.DC();
  const RECT all{0, 0, W, H};
  switch (Direction) {
    case gdDiagonalUp:
    case gdDiagonalDown:
      if (S == E)
        FillBand(dc, all, S);
      else
        FillDiagonalGradient(dc, Direction == gdDiagonalUp ? W : -W, H, S, E, Steps);
      break;
    case gdHorizontalEnd:
    case gdHorizontalCenter:
      FillLinearGradient(dc, false, Direction == gdHorizontalEnd ? -1 : H / 2, H, S, E, Steps);
      ReplicateStrip(dc, 0, 0, W, H, kStrip, H, win::SRCCOPY);
      break;
    case gdVerticalEnd:
    case gdVerticalCenter:
      FillLinearGradient(dc, true, Direction == gdVerticalEnd ? -1 : W / 2, W, S, E, Steps);
      ReplicateStrip(dc, 0, 0, W, H, W, kStrip, win::SRCCOPY);
      break;
    default: {
      if (Direction == gdHorizontalBox || Direction == gdSquareBox) FillBand(dc, all, S);
      const int mx = (Direction == gdHorizontalBox || Direction == gdBigSquareBox) ? W / 4 : 0;
      const int my = (Direction == gdVerticalBox || Direction == gdBigSquareBox) ? H / 4 : 0;
      FillBoxGradient(dc, W, H, mx, my, S, E, Steps);
      MirrorQuadrant(dc, 0, 0, W, H, win::SRCCOPY);
      break;
    }
  }
  win::BitBlt(target, std::min(Rect.left, Rect.right), std::min(Rect.top, Rect.bottom), W, H, dc, 0, 0,
              win::SRCCOPY);
}

void PaintParentBackground(TControl* Control, HDC DC, bool InvalidateParent) {
  TWinControl* parent = Control ? Control->Parent() : nullptr;
  if (!parent) return;
  const bool designing = Control->HasState(csDesigning);
  int saved = win::SaveDC(DC);
  try {
    win::OffsetViewportOrgEx(DC, -Control->Left(), -Control->Top(), nullptr);
    win::RECT client = parent->ClientRect();
    win::IntersectClipRect(DC, 0, 0, client.right, client.bottom);
    auto paint = [&] {
      parent->Perform(win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(DC), 0);
      parent->Perform(win::WM_PRINTCLIENT, reinterpret_cast<win::WPARAM>(DC), win::PRF_CLIENT);
    };
    if (designing) {
      try {
        paint();
      } catch (const std::exception&) {
      }
    } else {
      paint();
    }
  } catch (...) {
    win::RestoreDC(DC, saved);
    throw;
  }
  win::RestoreDC(DC, saved);
  if (!InvalidateParent || designing || !parent->HandleAllocated()) return;
  if (dynamic_cast<TCustomControl*>(parent) || dynamic_cast<TCustomForm*>(parent)) return;
  // The parent repaints only what it shows itself: invalidating its children too would erase this
  // control again, which would invalidate the parent again, without end.
  win::RECT client = parent->ClientRect();
  win::HRGN area = win::CreateRectRgn(0, 0, client.right, client.bottom);
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(parent->Controls(i));
    if (!child || !child->Visible()) continue;
    win::RECT b = child->BoundsRect();
    win::HRGN r = win::CreateRectRgn(b.left, b.top, b.right, b.bottom);
    win::CombineRgn(area, area, r, win::RGN_DIFF);
    win::DeleteObject(r);
  }
  win::RedrawWindow(parent->Handle(), nullptr, area, win::RDW_INVALIDATE | win::RDW_ERASE | win::RDW_NOCHILDREN);
  win::DeleteObject(area);
}

}  // namespace rz
