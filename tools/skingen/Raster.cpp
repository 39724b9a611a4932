#include "tools/skingen/Raster.h"

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

std::uint8_t Clamp8(double v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0))); }

double Linear(std::uint8_t c) {
  double v = c / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

}  // namespace

Rgba Mix(Rgba a, Rgba b, double t) {
  return {Clamp8(a.r + (b.r - a.r) * t), Clamp8(a.g + (b.g - a.g) * t), Clamp8(a.b + (b.b - a.b) * t),
          Clamp8(a.a + (b.a - a.a) * t)};
}
Rgba Lighten(Rgba c, double t) { return Mix(c, Rgba{255, 255, 255, c.a}, t); }
Rgba Darken(Rgba c, double t) { return Mix(c, Rgba{0, 0, 0, c.a}, t); }
Rgba Desaturate(Rgba c, double t) {
  std::uint8_t grey = Clamp8(0.3 * c.r + 0.59 * c.g + 0.11 * c.b);
  return Mix(c, Rgba{grey, grey, grey, c.a}, t);
}
Rgba WithAlpha(Rgba c, std::uint8_t a) { return {c.r, c.g, c.b, a}; }

double Luminance(Rgba c) { return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b); }

double Contrast(Rgba a, Rgba b) {
  double la = Luminance(a), lb = Luminance(b);
  if (la < lb) std::swap(la, lb);
  return (la + 0.05) / (lb + 0.05);
}

bool Raster::Opaque() const {
  return std::all_of(px_.begin(), px_.end(), [](Rgba p) { return p.a == 255; });
}

void Raster::Blend(int x, int y, Rgba c, double coverage) {
  if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
  Rgba& d = At(x, y);
  double sa = c.a / 255.0 * coverage, da = d.a / 255.0;
  double oa = sa + da * (1 - sa);
  if (oa <= 0) {
    d = Rgba{};
    return;
  }
  auto ch = [&](std::uint8_t s, std::uint8_t t) { return Clamp8((s * sa + t * da * (1 - sa)) / oa); };
  d = {ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), Clamp8(oa * 255)};
}

void Raster::Fill(int x0, int y0, int x1, int y1, Rgba c) {
  for (int y = std::max(0, y0); y < std::min(h_, y1); ++y)
    for (int x = std::max(0, x0); x < std::min(w_, x1); ++x) At(x, y) = c;
}

void Raster::BlendRect(int x0, int y0, int x1, int y1, Rgba c) {
  for (int y = std::max(0, y0); y < std::min(h_, y1); ++y)
    for (int x = std::max(0, x0); x < std::min(w_, x1); ++x) Blend(x, y, c, 1.0);
}

void Raster::Put(const Raster& src, int x0, int y0) {
  for (int y = 0; y < src.h_; ++y)
    for (int x = 0; x < src.w_; ++x)
      if (x0 + x >= 0 && y0 + y >= 0 && x0 + x < w_ && y0 + y < h_) At(x0 + x, y0 + y) = src.At(x, y);
}

double RoundRectDistance(double px, double py, double x0, double y0, double x1, double y1, double r) {
  double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  double hx = (x1 - x0) / 2 - r, hy = (y1 - y0) / 2 - r;
  double qx = std::abs(px - cx) - hx, qy = std::abs(py - cy) - hy;
  double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
  return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - r;
}

bool InPolygon(const std::vector<Point>& poly, double x, double y) {
  bool in = false;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Point &a = poly[i], &b = poly[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
  }
  return in;
}

void FillRoundRect(Raster& r, double x0, double y0, double x1, double y1, double radius, Rgba top, Rgba bottom) {
  double h = std::max(1.0, y1 - y0 - 1);
  r.FillShape(
      x0, y0, x1, y1, [&](double x, double y) { return RoundRectDistance(x, y, x0, y0, x1, y1, radius) <= 0; },
      [&](int, int y) { return Mix(top, bottom, std::clamp((y - y0) / h, 0.0, 1.0)); });
}

void StrokeRoundRect(Raster& r, double x0, double y0, double x1, double y1, double radius, double width, Rgba c) {
  r.FillShape(
      x0, y0, x1, y1,
      [&](double x, double y) {
        double d = RoundRectDistance(x, y, x0, y0, x1, y1, radius);
        return d <= 0 && d > -width;
      },
      [&](int, int) { return c; });
}

void FillPolygon(Raster& r, const std::vector<Point>& poly, Rgba c) {
  double x0 = poly[0].x, x1 = x0, y0 = poly[0].y, y1 = y0;
  for (const Point& p : poly) {
    x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
  }
  r.FillShape(x0, y0, x1, y1, [&](double x, double y) { return InPolygon(poly, x, y); }, [&](int, int) { return c; });
}

void StrokeLine(Raster& r, Point a, Point b, double thickness, Rgba c) {
  double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
  if (len <= 0) return;
  double nx = -dy / len * thickness / 2, ny = dx / len * thickness / 2;
  FillPolygon(r, {{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}}, c);
}

void FillCircle(Raster& r, double cx, double cy, double radius, Rgba c) {
  r.FillShape(
      cx - radius, cy - radius, cx + radius, cy + radius,
      [&](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; },
      [&](int, int) { return c; });
}

}  // namespace skingen
