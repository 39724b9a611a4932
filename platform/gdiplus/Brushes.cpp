// Brushes (solid, linear gradient, hatch, texture) and pens, and the cairo sources they become.
#include <cmath>
#include <cstring>

#include "platform/gdiplus/Internal.h"

namespace platform::gdiplus {

namespace {

// The named hatch patterns as eight rows of eight pixels, the leftmost pixel in the top bit.
// Styles 0 to 5 and 18 to 33 and 48 to 50 are made by rule (HatchRows); these have no rule.
struct NamedHatch {
  win::GpHatchStyle style;
  std::uint8_t rows[8];
};
constexpr NamedHatch kNamedHatches[] = {
    {34, {0x80, 0x04, 0x40, 0x02, 0x20, 0x01, 0x10, 0x08}},  // small confetti
    {35, {0xC1, 0x0C, 0x98, 0x18, 0x03, 0x30, 0x86, 0x60}},  // large confetti
    {36, {0x81, 0x42, 0x24, 0x18, 0x81, 0x42, 0x24, 0x18}},  // zigzag
    {37, {0x00, 0x18, 0xA4, 0x03, 0x00, 0x18, 0xA4, 0x03}},  // wave
    {38, {0x01, 0x02, 0x04, 0x08, 0x18, 0x24, 0x42, 0x81}},  // diagonal brick
    {39, {0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08}},  // horizontal brick
    {40, {0x88, 0x54, 0x22, 0x45, 0x88, 0x14, 0x22, 0x51}},  // weave
    {41, {0xAA, 0x55, 0xAA, 0x55, 0xF0, 0xF0, 0xF0, 0xF0}},  // plaid
    {42, {0x00, 0x10, 0x08, 0x10, 0x00, 0x01, 0x80, 0x01}},  // divot
    {43, {0xAA, 0x00, 0x80, 0x00, 0x80, 0x00, 0x80, 0x00}},  // dotted grid
    {44, {0x80, 0x00, 0x22, 0x00, 0x08, 0x00, 0x22, 0x00}},  // dotted diamond
    {45, {0x03, 0x84, 0x48, 0x30, 0x0C, 0x02, 0x01, 0x01}},  // shingle
    {46, {0xFF, 0x66, 0xFF, 0x99, 0xFF, 0x66, 0xFF, 0x99}},  // trellis
    {47, {0x77, 0x89, 0x8F, 0x8F, 0x77, 0x98, 0xF8, 0xF8}},  // sphere
    {51, {0x41, 0x22, 0x14, 0x08, 0x14, 0x22, 0x41, 0x80}},  // outlined diamond
    {52, {0x08, 0x1C, 0x3E, 0x7F, 0x3E, 0x1C, 0x08, 0x00}},  // solid diamond
};

// An 8 x 8 ordered-dither threshold table, for the percentage patterns.
constexpr std::uint8_t kBayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},   {48, 16, 56, 24, 50, 18, 58, 26}, {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22}, {3, 35, 11, 43, 1, 33, 9, 41},   {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},   {63, 31, 55, 23, 61, 29, 53, 21}};
constexpr int kPercents[] = {5, 10, 20, 25, 30, 40, 50, 60, 70, 75, 80, 90};

bool HatchInk(win::GpHatchStyle style, int x, int y) {
  auto mod = [](int v, int m) { return ((v % m) + m) % m; };
  switch (style) {
    case 0: return y == 0;
    case 1: return x == 0;
    case 2: return x == y;
    case 3: return x + y == 7;
    case 4: return x == 0 || y == 0;
    case 5: return x == y || x + y == 7;
    case 18: return mod(x - y, 4) == 0;
    case 19: return mod(x + y, 4) == 3;
    case 20: return mod(x - y, 4) < 2;
    case 21: return mod(x + y, 4) >= 2;
    case 22: return mod(x - y, 8) < 3;
    case 23: return mod(x + y, 8) >= 5;
    case 24: return x % 4 == 0;
    case 25: return y % 4 == 0;
    case 26: return x % 2 == 0;
    case 27: return y % 2 == 0;
    case 28: return x % 4 < 2;
    case 29: return y % 4 < 2;
    case 30: return y < 4 && mod(x - y, 4) == 0;
    case 31: return y < 4 && mod(x + y, 4) == 3;
    case 32: return y % 4 == 0 && (x < 4) == (y == 0);
    case 33: return x % 4 == 0 && (y < 4) == (x == 0);
    case 48: return x % 4 == 0 || y % 4 == 0;
    case 49: return (x / 2 + y / 2) % 2 == 0;
    case 50: return (x / 4 + y / 4) % 2 == 0;
    default: break;
  }
  if (style >= 6 && style <= 17) return kBayer[y][x] < (kPercents[style - 6] * 64 + 50) / 100;
  for (const NamedHatch& h : kNamedHatches)
    if (h.style == style) return (h.rows[y] >> (7 - x)) & 1;
  return false;
}

void AddStop(cairo_pattern_t* p, double offset, win::ARGB c) {
  cairo_pattern_add_color_stop_rgba(p, offset, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                                    (c & 0xFF) / 255.0, (c >> 24) / 255.0);
}

// A pattern over a copy of premultiplied pixels.
cairo_pattern_t* PixelPattern(const std::uint32_t* pixels, int width, int height) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return nullptr;
  }
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < height; ++y)
    std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride, pixels + static_cast<std::ptrdiff_t>(y) * width,
                static_cast<std::size_t>(width) * 4);
  cairo_surface_mark_dirty(s);
  cairo_pattern_t* p = cairo_pattern_create_for_surface(s);
  cairo_surface_destroy(s);
  cairo_pattern_set_filter(p, CAIRO_FILTER_NEAREST);
  return p;
}

}  // namespace

cairo_pattern_t* Brush::Pattern() const {
  switch (type) {
    case win::BrushTypeSolidColor:
      return cairo_pattern_create_rgba(((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                                       (color & 0xFF) / 255.0, (color >> 24) / 255.0);
    case win::BrushTypeLinearGradient: {
      // Laid out on the unit square of the brush's rectangle, so that the diagonal modes run
      // corner to corner whatever the rectangle's shape.
      cairo_pattern_t* p;
      switch (mode) {
        case win::LinearGradientModeHorizontal: p = cairo_pattern_create_linear(0, 0, 1, 0); break;
        case win::LinearGradientModeVertical: p = cairo_pattern_create_linear(0, 0, 0, 1); break;
        case win::LinearGradientModeForwardDiagonal: p = cairo_pattern_create_linear(0, 0, 1, 1); break;
        default: p = cairo_pattern_create_linear(1, 0, 0, 1); break;
      }
      AddStop(p, 0, color);
      AddStop(p, 1, color2);
      cairo_matrix_t m;
      cairo_matrix_init_scale(&m, 1.0 / rect.Width, 1.0 / rect.Height);
      cairo_matrix_translate(&m, -rect.X, -rect.Y);
      cairo_pattern_set_matrix(p, &m);
      cairo_pattern_set_extend(p, wrap == win::WrapModeTile ? CAIRO_EXTEND_REPEAT : CAIRO_EXTEND_REFLECT);
      return p;
    }
    case win::BrushTypeHatchFill: {
      std::uint32_t ink = Premultiply(color), paper = Premultiply(color2), cells[64];
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) cells[y * 8 + x] = HatchInk(hatch, x, y) ? ink : paper;
      cairo_pattern_t* p = PixelPattern(cells, 8, 8);
      if (p) cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
      return p;
    }
    default: {
      // Flipping wraps tile a texture twice as large holding the mirrored copies.
      bool fx = wrap == win::WrapModeTileFlipX || wrap == win::WrapModeTileFlipXY;
      bool fy = wrap == win::WrapModeTileFlipY || wrap == win::WrapModeTileFlipXY;
      int w = textureWidth * (fx ? 2 : 1), h = textureHeight * (fy ? 2 : 1);
      std::vector<std::uint32_t> tile(static_cast<std::size_t>(w) * h);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          int sx = x < textureWidth ? x : 2 * textureWidth - 1 - x;
          int sy = y < textureHeight ? y : 2 * textureHeight - 1 - y;
          tile[static_cast<std::size_t>(y) * w + x] = texels[static_cast<std::size_t>(sy) * textureWidth + sx];
        }
      cairo_pattern_t* p = PixelPattern(tile.data(), w, h);
      if (p) cairo_pattern_set_extend(p, wrap == win::WrapModeClamp ? CAIRO_EXTEND_NONE : CAIRO_EXTEND_REPEAT);
      return p;
    }
  }
}

}  // namespace platform::gdiplus

namespace win {

using namespace platform::gdiplus;

namespace {

template <class H>
GpStatus NewBrush(std::unique_ptr<Brush> b, H** out) {
  *out = AddObject<H*>(std::move(b));
  return Ok;
}

Brush* BrushOf(const void* h, GpBrushType type) {
  Brush* b = Find<Brush>(h);
  return b && b->type == type ? b : nullptr;
}

bool ValidWrap(GpWrapMode w) { return w >= WrapModeTile && w <= WrapModeClamp; }

}  // namespace

GpStatus GdipCloneBrush(GpBrush* brush, GpBrush** clone) {
  if (!clone) return InvalidParameter;
  *clone = nullptr;
  Brush* b = Find<Brush>(brush);
  if (!b) return InvalidParameter;
  return NewBrush(b->Clone(), clone);
}

GpStatus GdipDeleteBrush(GpBrush* brush) { return DeleteObjectOf(brush, Kind::Brush); }

GpStatus GdipGetBrushType(GpBrush* brush, GpBrushType* type) {
  Brush* b = Find<Brush>(brush);
  if (!b || !type) return InvalidParameter;
  *type = b->type;
  return Ok;
}

GpStatus GdipCreateSolidFill(ARGB color, GpSolidFill** brush) {
  if (!brush) return InvalidParameter;
  auto b = std::make_unique<Brush>(BrushTypeSolidColor);
  b->color = color;
  return NewBrush(std::move(b), brush);
}

GpStatus GdipSetSolidFillColor(GpSolidFill* brush, ARGB color) {
  Brush* b = BrushOf(brush, BrushTypeSolidColor);
  if (!b) return InvalidParameter;
  b->color = color;
  return Ok;
}

GpStatus GdipGetSolidFillColor(GpSolidFill* brush, ARGB* color) {
  Brush* b = BrushOf(brush, BrushTypeSolidColor);
  if (!b || !color) return InvalidParameter;
  *color = b->color;
  return Ok;
}

GpStatus GdipCreateLineBrushFromRectI(const GpRect* rect, ARGB color1, ARGB color2, GpLinearGradientMode mode,
                                      GpWrapMode wrapMode, GpLineGradient** brush) {
  if (!brush) return InvalidParameter;
  *brush = nullptr;
  if (!rect || mode < LinearGradientModeHorizontal || mode > LinearGradientModeBackwardDiagonal ||
      !ValidWrap(wrapMode) || wrapMode == WrapModeClamp)
    return InvalidParameter;
  // A gradient over no length has no direction.
  if (rect->Width <= 0 || rect->Height <= 0) return OutOfMemory;
  auto b = std::make_unique<Brush>(BrushTypeLinearGradient);
  b->rect = *rect;
  b->color = color1;
  b->color2 = color2;
  b->mode = mode;
  b->wrap = wrapMode;
  return NewBrush(std::move(b), brush);
}

GpStatus GdipGetLineRectI(GpLineGradient* brush, GpRect* rect) {
  Brush* b = BrushOf(brush, BrushTypeLinearGradient);
  if (!b || !rect) return InvalidParameter;
  *rect = b->rect;
  return Ok;
}

GpStatus GdipSetLineColors(GpLineGradient* brush, ARGB color1, ARGB color2) {
  Brush* b = BrushOf(brush, BrushTypeLinearGradient);
  if (!b) return InvalidParameter;
  b->color = color1;
  b->color2 = color2;
  return Ok;
}

GpStatus GdipGetLineColors(GpLineGradient* brush, ARGB* colors) {
  Brush* b = BrushOf(brush, BrushTypeLinearGradient);
  if (!b || !colors) return InvalidParameter;
  colors[0] = b->color;
  colors[1] = b->color2;
  return Ok;
}

GpStatus GdipSetLineWrapMode(GpLineGradient* brush, GpWrapMode wrapMode) {
  Brush* b = BrushOf(brush, BrushTypeLinearGradient);
  if (!b || !ValidWrap(wrapMode) || wrapMode == WrapModeClamp) return InvalidParameter;
  b->wrap = wrapMode;
  return Ok;
}

GpStatus GdipGetLineWrapMode(GpLineGradient* brush, GpWrapMode* wrapMode) {
  Brush* b = BrushOf(brush, BrushTypeLinearGradient);
  if (!b || !wrapMode) return InvalidParameter;
  *wrapMode = b->wrap;
  return Ok;
}

GpStatus GdipCreateHatchBrush(GpHatchStyle style, ARGB foreColor, ARGB backColor, GpHatch** brush) {
  if (!brush) return InvalidParameter;
  *brush = nullptr;
  if (style < 0 || style > HatchStyleMax) return InvalidParameter;
  auto b = std::make_unique<Brush>(BrushTypeHatchFill);
  b->hatch = style;
  b->color = foreColor;
  b->color2 = backColor;
  return NewBrush(std::move(b), brush);
}

GpStatus GdipGetHatchStyle(GpHatch* brush, GpHatchStyle* style) {
  Brush* b = BrushOf(brush, BrushTypeHatchFill);
  if (!b || !style) return InvalidParameter;
  *style = b->hatch;
  return Ok;
}

GpStatus GdipGetHatchForegroundColor(GpHatch* brush, ARGB* color) {
  Brush* b = BrushOf(brush, BrushTypeHatchFill);
  if (!b || !color) return InvalidParameter;
  *color = b->color;
  return Ok;
}

GpStatus GdipGetHatchBackgroundColor(GpHatch* brush, ARGB* color) {
  Brush* b = BrushOf(brush, BrushTypeHatchFill);
  if (!b || !color) return InvalidParameter;
  *color = b->color2;
  return Ok;
}

GpStatus GdipCreateTexture2I(GpImage* image, GpWrapMode wrapMode, INT x, INT y, INT width, INT height,
                             GpTexture** texture) {
  if (!texture) return InvalidParameter;
  *texture = nullptr;
  Bitmap* img = Find<Bitmap>(image);
  if (!img || !ValidWrap(wrapMode) || x < 0 || y < 0 || width <= 0 || height <= 0 || width > img->width - x ||
      height > img->height - y)
    return InvalidParameter;
  if (img->locked) return WrongState;
  if (GpStatus fault = InjectedFaults().textureBrush; fault != Ok) return fault;
  auto b = std::make_unique<Brush>(BrushTypeTextureFill);
  b->wrap = wrapMode;
  b->textureWidth = width;
  b->textureHeight = height;
  b->texels.resize(static_cast<std::size_t>(width) * height);
  img->Read(RECT{x, y, x + width, y + height}, b->texels.data());
  return NewBrush(std::move(b), texture);
}

// ---- pens ----

namespace {

GpStatus NewPen(std::unique_ptr<Brush> brush, REAL width, GpPen** pen) {
  if (!pen) return InvalidParameter;
  *pen = nullptr;
  if (!(width >= 0)) return InvalidParameter;
  auto p = std::make_unique<Pen>();
  p->width = width;
  p->brush = std::move(brush);
  *pen = AddObject<GpPen*>(std::move(p));
  return Ok;
}

}  // namespace

GpStatus GdipCreatePen1(ARGB color, REAL width, GpUnit, GpPen** pen) {
  auto b = std::make_unique<Brush>(BrushTypeSolidColor);
  b->color = color;
  return NewPen(std::move(b), width, pen);
}

GpStatus GdipCreatePen2(GpBrush* brush, REAL width, GpUnit, GpPen** pen) {
  Brush* b = Find<Brush>(brush);
  if (!b) {
    if (pen) *pen = nullptr;
    return InvalidParameter;
  }
  return NewPen(b->Clone(), width, pen);
}

GpStatus GdipClonePen(GpPen* pen, GpPen** clone) {
  if (!clone) return InvalidParameter;
  *clone = nullptr;
  Pen* p = Find<Pen>(pen);
  if (!p) return InvalidParameter;
  *clone = AddObject<GpPen*>(std::make_unique<Pen>(*p));
  return Ok;
}

GpStatus GdipDeletePen(GpPen* pen) { return DeleteObjectOf(pen, Kind::Pen); }

GpStatus GdipGetPenFillType(GpPen* pen, GpPenType* type) {
  Pen* p = Find<Pen>(pen);
  if (!p || !type) return InvalidParameter;
  *type = p->brush->type;  // the pen types follow the brush types
  return Ok;
}

GpStatus GdipSetPenBrushFill(GpPen* pen, GpBrush* brush) {
  Pen* p = Find<Pen>(pen);
  Brush* b = Find<Brush>(brush);
  if (!p || !b) return InvalidParameter;
  p->brush = b->Clone();
  return Ok;
}

GpStatus GdipGetPenBrushFill(GpPen* pen, GpBrush** brush) {
  if (!brush) return InvalidParameter;
  *brush = nullptr;
  Pen* p = Find<Pen>(pen);
  if (!p) return InvalidParameter;
  return NewBrush(p->brush->Clone(), brush);
}

GpStatus GdipSetPenColor(GpPen* pen, ARGB color) {
  Pen* p = Find<Pen>(pen);
  if (!p) return InvalidParameter;
  p->brush = std::make_unique<Brush>(BrushTypeSolidColor);
  p->brush->color = color;
  return Ok;
}

GpStatus GdipGetPenColor(GpPen* pen, ARGB* color) {
  Pen* p = Find<Pen>(pen);
  if (!p || !color) return InvalidParameter;
  if (p->brush->type != BrushTypeSolidColor) return WrongState;
  *color = p->brush->color;
  return Ok;
}

GpStatus GdipSetPenMode(GpPen* pen, GpPenAlignment mode) {
  Pen* p = Find<Pen>(pen);
  if (!p || (mode != PenAlignmentCenter && mode != PenAlignmentInset)) return InvalidParameter;
  p->alignment = mode;
  return Ok;
}

GpStatus GdipGetPenMode(GpPen* pen, GpPenAlignment* mode) {
  Pen* p = Find<Pen>(pen);
  if (!p || !mode) return InvalidParameter;
  *mode = p->alignment;
  return Ok;
}

GpStatus GdipSetPenWidth(GpPen* pen, REAL width) {
  Pen* p = Find<Pen>(pen);
  if (!p || !(width >= 0)) return InvalidParameter;
  p->width = width;
  return Ok;
}

GpStatus GdipGetPenWidth(GpPen* pen, REAL* width) {
  Pen* p = Find<Pen>(pen);
  if (!p || !width) return InvalidParameter;
  *width = p->width;
  return Ok;
}

GpStatus GdipSetPenDashStyle(GpPen* pen, GpDashStyle style) {
  Pen* p = Find<Pen>(pen);
  // Custom dashes need a dash array, which nothing here can set.
  if (!p || style < DashStyleSolid || style > DashStyleDashDotDot) return InvalidParameter;
  p->dash = style;
  return Ok;
}

GpStatus GdipGetPenDashStyle(GpPen* pen, GpDashStyle* style) {
  Pen* p = Find<Pen>(pen);
  if (!p || !style) return InvalidParameter;
  *style = p->dash;
  return Ok;
}

}  // namespace win
