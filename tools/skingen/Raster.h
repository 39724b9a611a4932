#pragma once
// A small RGBA rasteriser for skin textures: antialiased shapes by supersampling, straight
// (not premultiplied) colours, source-over compositing. Nothing here depends on the system.
#include <cstdint>
#include <vector>

namespace skingen {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};

// Colour arithmetic on opaque colours.
Rgba Mix(Rgba a, Rgba b, double t);  // a toward b by t (0..1), alpha too
Rgba Lighten(Rgba c, double t);       // toward white
Rgba Darken(Rgba c, double t);        // toward black
Rgba Desaturate(Rgba c, double t);    // toward its own grey
Rgba WithAlpha(Rgba c, std::uint8_t a);
double Luminance(Rgba c);             // relative luminance, sRGB
double Contrast(Rgba a, Rgba b);      // (L1 + 0.05) / (L2 + 0.05), at least 1

struct Point {
  double x, y;
};

class Raster {
 public:
  Raster() = default;
  Raster(int width, int height) : w_(width), h_(height), px_(static_cast<std::size_t>(width) * height) {}
  int Width() const { return w_; }
  int Height() const { return h_; }
  bool Empty() const { return w_ <= 0 || h_ <= 0; }
  Rgba At(int x, int y) const { return px_[static_cast<std::size_t>(y) * w_ + x]; }
  Rgba& At(int x, int y) { return px_[static_cast<std::size_t>(y) * w_ + x]; }
  bool Opaque() const;

  // Composites colour c over the pixel with the given coverage (0..1).
  void Blend(int x, int y, Rgba c, double coverage);
  // Sets every pixel of the rectangle (clipped) without blending.
  void Fill(int x0, int y0, int x1, int y1, Rgba c);
  void BlendRect(int x0, int y0, int x1, int y1, Rgba c);
  // Copies another raster in at (x, y).
  void Put(const Raster& src, int x, int y);

  // Antialiased shapes; coordinates are in pixels, pixel (x, y) covers [x, x+1) x [y, y+1).
  // paint(x, y) gives the colour at a pixel centre, so fills may be gradients.
  template <class Inside, class Paint>
  void FillShape(double x0, double y0, double x1, double y1, Inside inside, Paint paint);

 private:
  int w_ = 0, h_ = 0;
  std::vector<Rgba> px_;
};

// Signed distance to a rounded rectangle [x0, x1) x [y0, y1) with corner radius r (negative inside).
double RoundRectDistance(double px, double py, double x0, double y0, double x1, double y1, double r);
bool InPolygon(const std::vector<Point>& poly, double x, double y);

template <class Inside, class Paint>
void Raster::FillShape(double x0, double y0, double x1, double y1, Inside inside, Paint paint) {
  constexpr int kSub = 4;
  int ix0 = x0 < 0 ? 0 : static_cast<int>(x0), iy0 = y0 < 0 ? 0 : static_cast<int>(y0);
  int ix1 = static_cast<int>(x1 + 1), iy1 = static_cast<int>(y1 + 1);
  if (ix1 > w_) ix1 = w_;
  if (iy1 > h_) iy1 = h_;
  for (int y = iy0; y < iy1; ++y)
    for (int x = ix0; x < ix1; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSub; ++sy)
        for (int sx = 0; sx < kSub; ++sx)
          if (inside(x + (sx + 0.5) / kSub, y + (sy + 0.5) / kSub)) ++hits;
      if (hits) Blend(x, y, paint(x, y), static_cast<double>(hits) / (kSub * kSub));
    }
}

// Shapes used by the skins.
void FillRoundRect(Raster& r, double x0, double y0, double x1, double y1, double radius, Rgba top, Rgba bottom);
// A ring of the given width inside the rounded rectangle's edge.
void StrokeRoundRect(Raster& r, double x0, double y0, double x1, double y1, double radius, double width, Rgba c);
void FillPolygon(Raster& r, const std::vector<Point>& poly, Rgba c);
// A line of the given thickness between two points (a filled quadrilateral).
void StrokeLine(Raster& r, Point a, Point b, double thickness, Rgba c);
void FillCircle(Raster& r, double cx, double cy, double radius, Rgba c);

}  // namespace skingen
