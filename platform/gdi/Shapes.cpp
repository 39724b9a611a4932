// Lines, shapes and paths. Lines leave out their last point; shape interiors are filled through the
// DC's ROP2 with the selected brush, outlines with the selected pen.
#include <algorithm>
#include <cmath>

#include "platform/gdi/Internal.h"

namespace platform::gdi {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct PenInfo {
  bool null = true;
  std::uint32_t color = 0;
  int width = 1;
  bool insideFrame = false;
  std::vector<int> dashes;  // on, off, on, off ... in pixels; empty when solid
};

PenInfo CurrentPen(DeviceContext& dc) {
  PenInfo p;
  PenObj* pen = Pen(dc.s.pen);
  if (!pen || pen->Kind() == win::PS_NULL) return p;
  p.null = false;
  p.color = ResolveColor(dc, IsDcPen(dc.s.pen) ? dc.s.dcPenColor : pen->color);
  // Pens wider than any real use are cut to a width that still covers a screen.
  p.width = std::clamp(ScaleX(dc, pen->width), 1, 4096);
  p.insideFrame = pen->Kind() == win::PS_INSIDEFRAME;
  switch (pen->Kind()) {
    case win::PS_DASH: p.dashes = {18, 6}; break;
    case win::PS_DOT: p.dashes = {3, 3}; break;
    case win::PS_DASHDOT: p.dashes = {9, 6, 3, 6}; break;
    case win::PS_DASHDOTDOT: p.dashes = {9, 3, 3, 3, 3, 3}; break;
    case win::PS_ALTERNATE: p.dashes = {1, 1}; break;
    case win::PS_USERSTYLE:
      for (win::DWORD d : pen->user) p.dashes.push_back(std::max(1, static_cast<int>(d)));
      if (p.dashes.size() % 2) p.dashes.push_back(p.dashes.back());
      break;
    default: break;
  }
  if (p.width > 1) p.dashes.clear();
  return p;
}

// Where a pen's dash pattern stands: pixels drawn so far, carried from one segment of a polyline
// to the next.
struct DashState {
  long long done = 0;
  static bool On(const PenInfo& pen, long long pos) {
    if (pen.dashes.empty()) return true;
    long long period = 0;
    for (int d : pen.dashes) period += d;
    long long at = pos % period;
    for (size_t i = 0; i < pen.dashes.size(); ++i) {
      if (at < pen.dashes[i]) return i % 2 == 0;
      at -= pen.dashes[i];
    }
    return true;
  }
};

void Disk(std::vector<pixman_box32_t>& boxes, int cx, int cy, int w) {
  // A round pen tip of diameter w centred on the pixel.
  Region d = EllipseRegion(cx - w / 2, cy - w / 2, cx - w / 2 + w, cy - w / 2 + w);
  for (const win::RECT& r : d.Rects()) boxes.push_back({r.left, r.top, r.right, r.bottom});
}

// The pixels of a line: step k of n along the major axis, the minor coordinate rounded from the
// ideal line (halves away from the start).
struct LineSteps {
  win::POINT a;
  long long dx, dy;
  int n;
  bool xMajor;
  LineSteps(win::POINT from, win::POINT to) : a(from) {
    dx = static_cast<long long>(to.x) - from.x;
    dy = static_cast<long long>(to.y) - from.y;
    xMajor = std::llabs(dx) >= std::llabs(dy);
    n = static_cast<int>(xMajor ? std::llabs(dx) : std::llabs(dy));
  }
  win::POINT At(long long k) const {
    if (n == 0) return a;
    long long major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
    long long sMajor = major < 0 ? -1 : 1, sMinor = minor < 0 ? -1 : 1;
    long long m = (2 * k * std::llabs(minor) + n) / (2 * static_cast<long long>(n));
    long long u = k * sMajor, v = m * sMinor;
    return xMajor ? win::POINT{static_cast<int>(a.x + u), static_cast<int>(a.y + v)}
                  : win::POINT{static_cast<int>(a.x + v), static_cast<int>(a.y + u)};
  }
  // The steps whose pixels may fall inside `r`; the rest are skipped without being visited.
  void Within(const win::RECT& r, long long& k0, long long& k1) const {
    k0 = 0;
    k1 = n;
    if (n == 0) return;
    long long major = xMajor ? dx : dy;
    long long start = xMajor ? a.x : a.y;
    long long lo = xMajor ? r.left : r.top, hi = xMajor ? r.right : r.bottom;
    // Along the major axis the coordinate moves by exactly one per step.
    long long p = major > 0 ? lo - start : start - (hi - 1);
    long long q = major > 0 ? hi - 1 - start : start - lo;
    k0 = std::max(k0, p);
    k1 = std::min(k1, q + 1);
    // Along the minor axis, a conservative range from the ideal line.
    long long minor = xMajor ? dy : dx;
    long long mstart = xMajor ? a.y : a.x;
    long long mlo = (xMajor ? r.top : r.left) - 1, mhi = (xMajor ? r.bottom : r.right) + 1;
    if (minor != 0) {
      double t0 = static_cast<double>(mlo - mstart) * n / static_cast<double>(minor);
      double t1 = static_cast<double>(mhi - mstart) * n / static_cast<double>(minor);
      if (t0 > t1) std::swap(t0, t1);
      k0 = std::max(k0, static_cast<long long>(std::floor(t0)) - 1);
      k1 = std::min(k1, static_cast<long long>(std::ceil(t1)) + 2);
    } else if (mstart < mlo || mstart > mhi) {
      k1 = k0;
    }
    if (k1 < k0) k1 = k0;
  }
};

// Draws a line in target coordinates from a to b, leaving out b.
void Line(DeviceContext& dc, const PenInfo& pen, win::POINT a, win::POINT b, DashState& dash) {
  if (pen.null) return;
  LineSteps steps(a, b);
  win::RECT clip = Clip(dc).Bounds();
  if (pen.width > 1) {
    // Wide lines are solid with round ends, both ends included: the band between the end points
    // and a pen tip at each end.
    win::RECT limit{clip.left - pen.width, clip.top - pen.width, clip.right + pen.width, clip.bottom + pen.width};
    std::vector<pixman_box32_t> boxes;
    Disk(boxes, a.x, a.y, pen.width);
    Disk(boxes, b.x, b.y, pen.width);
    Region band = RegionFromBoxes(boxes);
    if (a.x != b.x || a.y != b.y) {
      double ddx = static_cast<double>(steps.dx), ddy = static_cast<double>(steps.dy);
      double len = std::sqrt(ddx * ddx + ddy * ddy), half = pen.width / 2.0;
      double nx = -ddy / len * half, ny = ddx / len * half;
      auto at = [&](win::POINT p, double sx, double sy) {
        return win::POINT{Clamp(std::llround(p.x + 0.5 + sx)), Clamp(std::llround(p.y + 0.5 + sy))};
      };
      win::POINT quad[4] = {at(a, nx, ny), at(b, nx, ny), at(b, -nx, -ny), at(a, -nx, -ny)};
      int four = 4;
      band.Unite(PolygonRegion(quad, &four, 1, win::WINDING, &limit, 0.5));
    }
    Pattern p;
    p.kind = Pattern::Solid;
    p.color = pen.color;
    FillArea(dc, band, p, Rop2ToRop3(dc.s.rop2));
    return;
  }
  std::uint32_t bk = ResolveColor(dc, dc.s.bkColor);
  bool opaque = dc.s.bkMode == win::OPAQUE;
  long long k0, k1;
  steps.Within(clip, k0, k1);
  for (long long k = k0; k < k1; ++k) {
    win::POINT p = steps.At(k);
    if (DashState::On(pen, dash.done + k))
      PlotSpan(dc, p.x, p.x + 1, p.y, pen.color, dc.s.rop2);
    else if (opaque)
      PlotSpan(dc, p.x, p.x + 1, p.y, bk, dc.s.rop2);
  }
  dash.done += steps.n;
}

// What a shape needs to work out: the clip's bounds with a margin, so that outlines found at the
// edge of the worked-out part fall outside what is drawn.
win::RECT Limit(DeviceContext& dc, int margin) {
  win::RECT b = Clip(dc).Bounds();
  return {b.left - margin, b.top - margin, b.right + margin, b.bottom + margin};
}

void FillShape(DeviceContext& dc, const Region& area) {
  FillArea(dc, area, MakePattern(dc, dc.s.brush), Rop2ToRop3(dc.s.rop2));
}

void PaintOutline(DeviceContext& dc, const PenInfo& pen, const Region& area) {
  if (pen.null) return;
  Pattern p;
  p.kind = Pattern::Solid;
  p.color = pen.color;
  FillArea(dc, area, p, Rop2ToRop3(dc.s.rop2));
}

PathFigure& NewFigure(DeviceContext& dc) {
  dc.s.path.figures.emplace_back();
  return dc.s.path.figures.back();
}

// In a path: the figure the next line joins, started at the current position when needed.
PathFigure& OpenFigure(DeviceContext& dc) {
  auto& figs = dc.s.path.figures;
  if (figs.empty() || figs.back().closed) {
    PathFigure& f = NewFigure(dc);
    f.points.push_back(LpToDp(dc, dc.s.pos));
    return f;
  }
  return figs.back();
}

bool Recording(DeviceContext& dc) { return dc.s.path.open; }

std::vector<win::POINT> ToTarget(DeviceContext& dc, const win::POINT* pts, int n) {
  std::vector<win::POINT> out(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) out[static_cast<size_t>(i)] = LpToTarget(dc, pts[i]);
  return out;
}

void PolylineTarget(DeviceContext& dc, const std::vector<win::POINT>& pts, bool closed) {
  PenInfo pen = CurrentPen(dc);
  DashState dash;
  for (size_t i = 0; i + 1 < pts.size(); ++i) Line(dc, pen, pts[i], pts[i + 1], dash);
  if (closed && pts.size() > 1) Line(dc, pen, pts.back(), pts.front(), dash);
}

// The outline of a box-bounded shape for a pen: the outer box and the inner box.
void PenBoxes(const PenInfo& pen, win::RECT box, win::RECT& outer, win::RECT& inner) {
  int w = pen.null ? 0 : pen.width;
  if (pen.insideFrame || w <= 1)
    outer = box;
  else
    outer = {box.left - (w - 1) / 2, box.top - (w - 1) / 2, box.right + w / 2, box.bottom + w / 2};
  inner = {outer.left + w, outer.top + w, outer.right - w, outer.bottom - w};
}

win::RECT NormalBox(DeviceContext& dc, int l, int t, int r, int b) {
  win::RECT rc = LrToTarget(dc, win::RECT{l, t, r, b});
  return rc;
}

double Angle(double cx, double cy, double x, double y) {
  double a = std::atan2(cy - y, x - cx);
  return a < 0 ? a + 2 * kPi : a;
}

bool InSweep(double a, double start, double end, bool clockwise) {
  auto norm = [](double v) { return std::fmod(std::fmod(v, 2 * kPi) + 2 * kPi, 2 * kPi); };
  double sweep = clockwise ? norm(start - end) : norm(end - start);
  if (sweep == 0) return true;
  double at = clockwise ? norm(start - a) : norm(a - start);
  return at <= sweep;
}

enum class ArcKind { Arc, Pie, Chord };

void ArcShape(DeviceContext& dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye, ArcKind kind) {
  win::RECT box = NormalBox(dc, l, t, r, b);
  if (box.right - box.left < 2 || box.bottom - box.top < 2) return;
  win::POINT s = LpToTarget(dc, {xs, ys}), e = LpToTarget(dc, {xe, ye});
  double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
  double a0 = Angle(cx, cy, s.x, s.y), a1 = Angle(cx, cy, e.x, e.y);
  bool clockwise = dc.s.arcDirection == win::AD_CLOCKWISE;
  PenInfo pen = CurrentPen(dc);
  win::RECT limit = Limit(dc, 2);
  Region full = EllipseRegion(box.left, box.top, box.right, box.bottom, &limit);
  Region outline = InnerBoundary(full);
  auto select = [&](const Region& r, auto pred) {
    std::vector<pixman_box32_t> boxes;
    for (const win::RECT& rc : r.Rects())
      for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
          if (pred(x + 0.5, y + 0.5)) boxes.push_back({x, y, x + 1, y + 1});
    return RegionFromBoxes(boxes);
  };
  auto inSweep = [&](double x, double y) { return InSweep(Angle(cx, cy, x, y), a0, a1, clockwise); };
  // Where the radials meet the ellipse.
  auto onEllipse = [&](double a) {
    double rx = (box.right - box.left) / 2.0, ry = (box.bottom - box.top) / 2.0;
    double c = std::cos(a), sn = std::sin(a);
    double k = 1.0 / std::sqrt(c * c / (rx * rx) + sn * sn / (ry * ry));
    return win::POINT{static_cast<int>(std::floor(cx + k * c - 0.5 * (c > 0))),
                      static_cast<int>(std::floor(cy - k * sn - 0.5 * (sn < 0)))};
  };
  win::POINT ps = onEllipse(a0), pe = onEllipse(a1);
  win::POINT centre{static_cast<int>(std::floor(cx)), static_cast<int>(std::floor(cy))};
  Region arc = select(outline, inSweep);
  Region inside(full);
  inside.Subtract(outline);
  if (kind == ArcKind::Pie) {
    FillShape(dc, select(inside, inSweep));
  } else if (kind == ArcKind::Chord) {
    // The side of the chord the arc lies on.
    double mx = (ps.x + pe.x) / 2.0, my = (ps.y + pe.y) / 2.0;
    auto side = [&](double x, double y) { return (pe.x - ps.x) * (y - ps.y) - (pe.y - ps.y) * (x - ps.x); };
    double mid = clockwise ? a0 - std::fmod(std::fmod(a0 - a1, 2 * kPi) + 2 * kPi, 2 * kPi) / 2
                           : a0 + std::fmod(std::fmod(a1 - a0, 2 * kPi) + 2 * kPi, 2 * kPi) / 2;
    win::POINT pm = onEllipse(mid);
    double ref = side(pm.x + 0.5, pm.y + 0.5);
    if (ref == 0) ref = side(mx + 1, my);
    FillShape(dc, select(inside, [&](double x, double y) { return side(x, y) * ref >= 0; }));
  }
  PaintOutline(dc, pen, arc);
  DashState dash;
  if (kind == ArcKind::Pie) {
    Line(dc, pen, centre, ps, dash);
    Line(dc, pen, centre, pe, dash);
  } else if (kind == ArcKind::Chord) {
    Line(dc, pen, ps, pe, dash);
  }
}

void Box(DeviceContext& dc, int l, int t, int r, int b, int ew, int eh, bool ellipse) {
  win::RECT box = NormalBox(dc, l, t, r, b);
  if (ellipse) {
    ew = box.right - box.left;
    eh = box.bottom - box.top;
  }
  PenInfo pen = CurrentPen(dc);
  win::RECT limit = Limit(dc, (pen.null ? 1 : pen.width) + 2);
  if (pen.null) {
    // Without a pen the shape is one pixel smaller in each direction.
    Region area = RoundRectRegion(box.left, box.top, box.right - 1, box.bottom - 1, ew - 1, eh - 1, &limit);
    FillShape(dc, area);
    return;
  }
  win::RECT outer, inner;
  PenBoxes(pen, box, outer, inner);
  auto shape = [&](const win::RECT& rc, int inset) {
    return RoundRectRegion(rc.left, rc.top, rc.right, rc.bottom, ew - 2 * inset, eh - 2 * inset, &limit);
  };
  Region outerR = ew > 1 && eh > 1 ? shape(outer, 0) : Region(outer).Intersect(limit);
  Region innerR;
  if (pen.width == 1) {
    Region ring = InnerBoundary(outerR);
    innerR = outerR;
    innerR.Subtract(ring);
  } else if (inner.right > inner.left && inner.bottom > inner.top) {
    innerR = ew > 1 && eh > 1 ? shape(inner, pen.width) : Region(inner).Intersect(limit);
  }
  FillShape(dc, innerR);
  if (!ellipse && ew <= 1 && pen.width == 1 && !pen.dashes.empty()) {
    // A dashed frame runs its pattern round the corners.
    std::vector<win::POINT> pts = {{box.left, box.top}, {box.right - 1, box.top}, {box.right - 1, box.bottom - 1},
                                   {box.left, box.bottom - 1}};
    PolylineTarget(dc, pts, true);
    return;
  }
  Region ring(outerR);
  ring.Subtract(innerR);
  PaintOutline(dc, pen, ring);
}

void AddEllipseFigure(DeviceContext& dc, int l, int t, int r, int b) {
  win::POINT a = LpToDp(dc, {l, t}), z = LpToDp(dc, {r, b});
  double cx = (a.x + z.x) / 2.0, cy = (a.y + z.y) / 2.0, rx = std::abs(z.x - a.x) / 2.0, ry = std::abs(z.y - a.y) / 2.0;
  PathFigure& f = NewFigure(dc);
  const int n = 64;
  for (int i = 0; i < n; ++i) {
    double ang = 2 * kPi * i / n;
    f.points.push_back({static_cast<int>(std::lround(cx + rx * std::cos(ang))),
                        static_cast<int>(std::lround(cy - ry * std::sin(ang)))});
  }
  f.closed = true;
}

Region PathRegion(DeviceContext& dc, bool limited) {
  std::vector<win::POINT> pts;
  std::vector<int> counts;
  for (const PathFigure& f : dc.s.path.figures) {
    if (f.points.size() < 2) continue;
    pts.insert(pts.end(), f.points.begin(), f.points.end());
    counts.push_back(static_cast<int>(f.points.size()));
  }
  if (counts.empty()) return Region();
  win::RECT limit = Limit(dc, 2);
  limit = {limit.left - dc.origin.x, limit.top - dc.origin.y, limit.right - dc.origin.x, limit.bottom - dc.origin.y};
  return PolygonRegion(pts.data(), counts.data(), static_cast<int>(counts.size()), dc.s.polyFillMode,
                       limited ? &limit : nullptr);
}

}  // namespace

}  // namespace platform::gdi

using namespace platform;
using namespace platform::gdi;

namespace win {

BOOL MoveToEx(HDC h, int x, int y, POINT* old) {
  DeviceContext* dc = Dc(h);
  if (!dc) return FALSE;
  if (old) *old = dc->s.pos;
  dc->s.pos = {x, y};
  if (Recording(*dc)) NewFigure(*dc).points.push_back(LpToDp(*dc, {x, y}));
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC h, POINT* pos) {
  DeviceContext* dc = Dc(h);
  if (!dc) return FALSE;
  if (pos) *pos = dc->s.pos;
  return TRUE;
}

BOOL LineTo(HDC h, int x, int y) {
  DeviceContext* dc = Dc(h);
  if (!dc) return FALSE;
  if (Recording(*dc)) {
    OpenFigure(*dc).points.push_back(LpToDp(*dc, {x, y}));
  } else {
    PenInfo pen = CurrentPen(*dc);
    DashState dash;
    Line(*dc, pen, LpToTarget(*dc, dc->s.pos), LpToTarget(*dc, {x, y}), dash);
  }
  dc->s.pos = {x, y};
  return TRUE;
}

BOOL Polyline(HDC h, const POINT* pts, int n) {
  DeviceContext* dc = Dc(h);
  if (!dc || !pts || n < 2) return FALSE;
  if (Recording(*dc)) {
    PathFigure& f = NewFigure(*dc);
    for (int i = 0; i < n; ++i) f.points.push_back(LpToDp(*dc, pts[i]));
    return TRUE;
  }
  PolylineTarget(*dc, ToTarget(*dc, pts, n), false);
  return TRUE;
}

BOOL PolylineTo(HDC h, const POINT* pts, DWORD n) {
  DeviceContext* dc = Dc(h);
  if (!dc || !pts) return FALSE;
  for (DWORD i = 0; i < n; ++i) LineTo(h, pts[i].x, pts[i].y);
  return TRUE;
}

BOOL PolyPolyline(HDC h, const POINT* pts, const DWORD* counts, DWORD n) {
  if (!Dc(h) || !pts || !counts) return FALSE;
  for (DWORD i = 0; i < n; ++i) {
    if (counts[i] < 2) return FALSE;
    Polyline(h, pts, static_cast<int>(counts[i]));
    pts += counts[i];
  }
  return TRUE;
}

BOOL PolyPolygon(HDC h, const POINT* pts, const INT* counts, int polygons) {
  DeviceContext* dc = Dc(h);
  if (!dc || !pts || !counts || polygons <= 0) return FALSE;
  int total = 0;
  for (int i = 0; i < polygons; ++i) {
    if (counts[i] < 2) return FALSE;
    total += counts[i];
  }
  if (Recording(*dc)) {
    const POINT* p = pts;
    for (int k = 0; k < polygons; ++k) {
      PathFigure& f = NewFigure(*dc);
      for (int i = 0; i < counts[k]; ++i) f.points.push_back(LpToDp(*dc, p[i]));
      f.closed = true;
      p += counts[k];
    }
    return TRUE;
  }
  std::vector<POINT> t = ToTarget(*dc, pts, total);
  RECT limit = Limit(*dc, 2);
  FillShape(*dc, PolygonRegion(t.data(), counts, polygons, dc->s.polyFillMode, &limit));
  size_t at = 0;
  for (int k = 0; k < polygons; ++k) {
    std::vector<POINT> one(t.begin() + static_cast<long>(at), t.begin() + static_cast<long>(at) + counts[k]);
    PolylineTarget(*dc, one, true);
    at += static_cast<size_t>(counts[k]);
  }
  return TRUE;
}

BOOL Polygon(HDC h, const POINT* pts, int n) { return PolyPolygon(h, pts, &n, 1); }

BOOL Rectangle(HDC h, int l, int t, int r, int b) {
  DeviceContext* dc = Dc(h);
  if (!dc) return FALSE;
  if (Recording(*dc)) {
    PathFigure& f = NewFigure(*dc);
    for (POINT p : {POINT{l, t}, POINT{r, t}, POINT{r, b}, POINT{l, b}}) f.points.push_back(LpToDp(*dc, p));
    f.closed = true;
    return TRUE;
  }
  Box(*dc, l, t, r, b, 0, 0, false);
  return TRUE;
}

BOOL RoundRect(HDC h, int l, int t, int r, int b, int w, int hh) {
  DeviceContext* dc = Dc(h);
  if (!dc) return FALSE;
  if (Recording(*dc)) return Rectangle(h, l, t, r, b);
  Box(*dc, l, t, r, b, ScaleX(*dc, w), ScaleY(*dc, hh), false);
  return TRUE;
}

BOOL Ellipse(HDC h, int l, int t, int r, int b) {
  DeviceContext* dc = Dc(h);
  if (!dc) return FALSE;
  if (Recording(*dc)) {
    AddEllipseFigure(*dc, l, t, r, b);
    return TRUE;
  }
  Box(*dc, l, t, r, b, 0, 0, true);
  return TRUE;
}

BOOL Arc(HDC h, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  DeviceContext* dc = Dc(h);
  if (!dc) return FALSE;
  ArcShape(*dc, l, t, r, b, xs, ys, xe, ye, ArcKind::Arc);
  return TRUE;
}

BOOL Pie(HDC h, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  DeviceContext* dc = Dc(h);
  if (!dc) return FALSE;
  ArcShape(*dc, l, t, r, b, xs, ys, xe, ye, ArcKind::Pie);
  return TRUE;
}

BOOL Chord(HDC h, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  DeviceContext* dc = Dc(h);
  if (!dc) return FALSE;
  ArcShape(*dc, l, t, r, b, xs, ys, xe, ye, ArcKind::Chord);
  return TRUE;
}

BOOL DrawFocusRect(HDC h, const RECT* rc) {
  DeviceContext* dc = Dc(h);
  if (!dc || !rc) return FALSE;
  RECT b = LrToTarget(*dc, *rc);
  if (b.right <= b.left || b.bottom <= b.top) return TRUE;
  // A one-pixel frame of checkerboard dots (even device x + y), inverted: drawing it twice
  // restores what was there.
  std::vector<pixman_box32_t> boxes;
  Region frame(b);
  frame.Subtract(RECT{b.left + 1, b.top + 1, b.right - 1, b.bottom - 1});
  frame.Intersect(Clip(*dc));  // only the dots that can show are worked out
  for (const RECT& r : frame.Rects())
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (((x - dc->origin.x) + (y - dc->origin.y)) % 2 == 0) boxes.push_back({x, y, x + 1, y + 1});
  Region dots = RegionFromBoxes(boxes);
  FillArea(*dc, dots, Pattern{}, 0x55);
  return TRUE;
}

// ---- paths ----

BOOL BeginPath(HDC h) {
  DeviceContext* dc = Dc(h);
  if (!dc) return FALSE;
  dc->s.path = PathState{};
  dc->s.path.open = true;
  return TRUE;
}

BOOL EndPath(HDC h) {
  DeviceContext* dc = Dc(h);
  if (!dc || !dc->s.path.open) return FALSE;
  dc->s.path.open = false;
  dc->s.path.complete = true;
  return TRUE;
}

BOOL AbortPath(HDC h) {
  DeviceContext* dc = Dc(h);
  if (!dc) return FALSE;
  dc->s.path = PathState{};
  return TRUE;
}

BOOL CloseFigure(HDC h) {
  DeviceContext* dc = Dc(h);
  if (!dc || !dc->s.path.open || dc->s.path.figures.empty()) return FALSE;
  dc->s.path.figures.back().closed = true;
  return TRUE;
}

static bool TakePath(DeviceContext* dc) { return dc && dc->s.path.complete; }

BOOL StrokePath(HDC h) {
  DeviceContext* dc = Dc(h);
  if (!TakePath(dc)) return FALSE;
  for (const PathFigure& f : dc->s.path.figures) {
    std::vector<POINT> t;
    for (POINT p : f.points) t.push_back({p.x + dc->origin.x, p.y + dc->origin.y});
    PolylineTarget(*dc, t, f.closed);
  }
  dc->s.path = PathState{};
  return TRUE;
}

BOOL FillPath(HDC h) {
  DeviceContext* dc = Dc(h);
  if (!TakePath(dc)) return FALSE;
  Region r = PathRegion(*dc, true);
  r.Offset(dc->origin.x, dc->origin.y);
  FillShape(*dc, r);
  dc->s.path = PathState{};
  return TRUE;
}

BOOL StrokeAndFillPath(HDC h) {
  DeviceContext* dc = Dc(h);
  if (!TakePath(dc)) return FALSE;
  PathState keep = dc->s.path;
  FillPath(h);
  dc->s.path = keep;
  return StrokePath(h);
}

HRGN PathToRegion(HDC h) {
  DeviceContext* dc = Dc(h);
  if (!TakePath(dc)) return nullptr;
  Region r = PathRegion(*dc, false);
  dc->s.path = PathState{};
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  Rgn(rgn)->rgn = std::move(r);
  return rgn;
}

BOOL SelectClipPath(HDC h, int mode) {
  DeviceContext* dc = Dc(h);
  if (!TakePath(dc)) return FALSE;
  Region r = PathRegion(*dc, false);
  dc->s.path = PathState{};
  return CombineClip(*dc, &r, mode) != ERROR;
}

}  // namespace win
