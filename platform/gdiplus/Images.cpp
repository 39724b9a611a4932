// Drawing images: parts, scaling with the interpolation modes, colour matrices, cached bitmaps.
#include <cmath>

#include "platform/gdiplus/Internal.h"

namespace platform::gdiplus {

namespace {

bool IsAlphaScale(const win::ColorMatrix& cm) {
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 5; ++j)
      if ((i != 3 || j != 3) && cm.m[i][j] != (i == j ? 1.0f : 0.0f)) return false;
  return true;
}

std::uint32_t Channel(double v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); }

void ApplyMatrix(const win::ColorMatrix& cm, std::vector<std::uint32_t>& pixels) {
  if (IsAlphaScale(cm)) {
    // Scaling alpha scales every premultiplied channel alike.
    double f = std::clamp(static_cast<double>(cm.m[3][3]), 0.0, 1.0);
    for (std::uint32_t& p : pixels) {
      std::uint32_t r = 0;
      for (int shift = 0; shift < 32; shift += 8)
        r |= static_cast<std::uint32_t>(std::lround(((p >> shift) & 0xFF) * f)) << shift;
      p = r;
    }
    return;
  }
  for (std::uint32_t& p : pixels) {
    std::uint32_t s = Unpremultiply(p);
    double in[5] = {((s >> 16) & 0xFF) / 255.0, ((s >> 8) & 0xFF) / 255.0, (s & 0xFF) / 255.0, (s >> 24) / 255.0, 1};
    double out[4];
    for (int j = 0; j < 4; ++j) {
      out[j] = 0;
      for (int i = 0; i < 5; ++i) out[j] += in[i] * cm.m[i][j];
    }
    p = Premultiply((Channel(out[3]) << 24) | (Channel(out[0]) << 16) | (Channel(out[1]) << 8) | Channel(out[2]));
  }
}

cairo_filter_t FilterFor(win::GpInterpolationMode mode) {
  switch (mode) {
    case win::InterpolationModeNearestNeighbor: return CAIRO_FILTER_NEAREST;
    case win::InterpolationModeHighQuality:
    case win::InterpolationModeBicubic:
    case win::InterpolationModeHighQualityBilinear:
    case win::InterpolationModeHighQualityBicubic: return CAIRO_FILTER_GOOD;
    default: return CAIRO_FILTER_BILINEAR;
  }
}

bool Whole(double v) { return v == std::floor(v); }

}  // namespace

// Draws the source rectangle of `image` into the destination rectangle (a negative size flips).
// Only pixels inside the source rectangle are ever sampled: its edges repeat outward where a
// filter reaches past them.
win::GpStatus DrawBitmap(win::GpGraphics* graphics, const Bitmap& image, double dx, double dy, double dw, double dh,
                         double sx, double sy, double sw, double sh, win::GpImageAttributes* attributes) {
  Graphics* g = Find<Graphics>(graphics);
  if (!g) return win::InvalidParameter;
  ImageAttributes* ia = nullptr;
  if (attributes && !(ia = Find<ImageAttributes>(attributes))) return win::InvalidParameter;
  if (image.locked) return win::WrongState;
  if (!(sw >= 0) || !(sh >= 0) || !std::isfinite(dw) || !std::isfinite(dh)) return win::InvalidParameter;
  if (sw == 0 || sh == 0 || dw == 0 || dh == 0) return win::Ok;
  // The part of the source rectangle inside the image, and where it lands.
  double ix0 = std::max(sx, 0.0), iy0 = std::max(sy, 0.0);
  double ix1 = std::min(sx + sw, static_cast<double>(image.width)), iy1 = std::min(sy + sh, static_cast<double>(image.height));
  if (ix1 <= ix0 || iy1 <= iy0) return win::Ok;
  double kx = dw / sw, ky = dh / sh;
  double ex0 = dx + (ix0 - sx) * kx, ex1 = dx + (ix1 - sx) * kx;
  double ey0 = dy + (iy0 - sy) * ky, ey1 = dy + (iy1 - sy) * ky;
  win::RECT part{static_cast<win::LONG>(std::floor(ix0)), static_cast<win::LONG>(std::floor(iy0)),
                 static_cast<win::LONG>(std::ceil(ix1)), static_cast<win::LONG>(std::ceil(iy1))};
  int pw = part.right - part.left, ph = part.bottom - part.top;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(pw) * static_cast<std::size_t>(ph));
  image.Read(part, pixels.data());
  if (ia) {
    const auto& m = ia->matrices[win::ColorAdjustTypeBitmap] ? ia->matrices[win::ColorAdjustTypeBitmap]
                                                              : ia->matrices[win::ColorAdjustTypeDefault];
    if (m) ApplyMatrix(*m, pixels);
  }
  // An unscaled, unflipped draw on whole pixels copies them: no filter may blend neighbours.
  bool exact = kx == 1 && ky == 1 && Whole(ex0) && Whole(ey0) && Whole(ix0) && Whole(iy0);
  cairo_filter_t filter = exact ? CAIRO_FILTER_NEAREST : FilterFor(g->interpolation);
  cairo_surface_t* surface = WrapPixels(pixels.data(), pw, ph);
  cairo_pattern_t* source = cairo_pattern_create_for_surface(surface);
  cairo_surface_destroy(surface);
  cairo_pattern_set_extend(source, CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(source, filter);
  cairo_matrix_t m;
  cairo_matrix_init(&m, 1 / kx, 0, 0, 1 / ky, sx - dx / kx - part.left, sy - dy / ky - part.top);
  cairo_pattern_set_matrix(source, &m);
  win::GpStatus s = Paint(graphics, CoverOf(ex0, ey0, ex1, ey1, 0), [&](cairo_t* cr) {
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GOOD);
    cairo_rectangle(cr, std::min(ex0, ex1), std::min(ey0, ey1), std::abs(ex1 - ex0), std::abs(ey1 - ey0));
    cairo_set_source(cr, source);
    cairo_fill(cr);
  });
  cairo_pattern_destroy(source);
  return s;
}

}  // namespace platform::gdiplus

namespace win {

using namespace platform::gdiplus;

GpStatus GdipDrawImageRectRect(GpGraphics* graphics, GpImage* image, REAL dstx, REAL dsty, REAL dstwidth,
                               REAL dstheight, REAL srcx, REAL srcy, REAL srcwidth, REAL srcheight, GpUnit,
                               GpImageAttributes* attributes, DrawImageAbort, void*) {
  Bitmap* b = Find<Bitmap>(image);
  if (!b) return InvalidParameter;
  return DrawBitmap(graphics, *b, dstx, dsty, dstwidth, dstheight, srcx, srcy, srcwidth, srcheight, attributes);
}

GpStatus GdipDrawImageRectRectI(GpGraphics* graphics, GpImage* image, INT dstx, INT dsty, INT dstwidth,
                                INT dstheight, INT srcx, INT srcy, INT srcwidth, INT srcheight, GpUnit,
                                GpImageAttributes* attributes, DrawImageAbort, void*) {
  Bitmap* b = Find<Bitmap>(image);
  if (!b) return InvalidParameter;
  return DrawBitmap(graphics, *b, dstx, dsty, dstwidth, dstheight, srcx, srcy, srcwidth, srcheight, attributes);
}

GpStatus GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height) {
  Bitmap* b = Find<Bitmap>(image);
  if (!b) return InvalidParameter;
  return DrawBitmap(graphics, *b, x, y, width, height, 0, 0, b->width, b->height, nullptr);
}

GpStatus GdipDrawImagePointRect(GpGraphics* graphics, GpImage* image, REAL x, REAL y, REAL srcx, REAL srcy,
                                REAL srcwidth, REAL srcheight, GpUnit) {
  Bitmap* b = Find<Bitmap>(image);
  if (!b) return InvalidParameter;
  return DrawBitmap(graphics, *b, x, y, srcwidth, srcheight, srcx, srcy, srcwidth, srcheight, nullptr);
}

GpStatus GdipDrawCachedBitmap(GpGraphics* graphics, GpCachedBitmap* cached, INT x, INT y) {
  CachedBitmap* c = Find<CachedBitmap>(cached);
  if (!c) return InvalidParameter;
  const Bitmap& b = *c->copy;
  return DrawBitmap(graphics, b, x, y, b.width, b.height, 0, 0, b.width, b.height, nullptr);
}

GpStatus GdipCreateImageAttributes(GpImageAttributes** attributes) {
  if (!attributes) return InvalidParameter;
  *attributes = AddObject<GpImageAttributes*>(std::make_unique<ImageAttributes>());
  return Ok;
}

GpStatus GdipDisposeImageAttributes(GpImageAttributes* attributes) {
  return DeleteObjectOf(attributes, Kind::ImageAttributes);
}

GpStatus GdipSetImageAttributesColorMatrix(GpImageAttributes* attributes, GpColorAdjustType type, BOOL enable,
                                           const ColorMatrix* colorMatrix, const ColorMatrix*, GpColorMatrixFlags) {
  ImageAttributes* ia = Find<ImageAttributes>(attributes);
  if (!ia || type < ColorAdjustTypeDefault || type >= ColorAdjustTypeCount) return InvalidParameter;
  if (!enable) {
    ia->matrices[static_cast<std::size_t>(type)].reset();
    return Ok;
  }
  if (!colorMatrix) return InvalidParameter;
  ia->matrices[static_cast<std::size_t>(type)] = *colorMatrix;
  return Ok;
}

}  // namespace win
