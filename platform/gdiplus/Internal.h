#pragma once
// GDI+'s objects behind their handles, and the pixel conversions they share. Only platform/gdiplus
// includes this.
#include <cairo.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

#include "platform/display/PixelBuffer.h"
#include "platform/gdi/Region.h"
#include "platform/gdiplus/GdiPlus.h"
#include "platform/system/HandleTable.h"

namespace platform::gdiplus {

enum class Kind { Graphics, Brush, Pen, Path, Bitmap, ImageAttributes, CachedBitmap };

struct Object {
  explicit Object(Kind k) : kind(k) {}
  virtual ~Object() = default;
  Kind kind;
};

HandleTable<Object>& Objects();

template <class H>
H AddObject(std::unique_ptr<Object> object) {
  return MakeHandle<H>(Objects().Add(std::move(object)));
}

// The object behind a handle when it is alive and of that kind.
template <class T>
T* Find(const void* handle) {
  Object* o = Objects().Get(reinterpret_cast<std::uintptr_t>(handle));
  return o && o->kind == T::kKind ? static_cast<T*>(o) : nullptr;
}

win::GpStatus DeleteObjectOf(const void* handle, Kind kind);

// ---- pixels ----

// Premultiplied 0xAARRGGBB, as cairo's ARGB32 holds it.
inline std::uint32_t Premultiply(std::uint32_t argb) {
  std::uint32_t a = argb >> 24;
  if (a == 255) return argb;
  if (a == 0) return 0;
  auto mul = [a](std::uint32_t c) { return (c * a + 127) / 255; };
  return (a << 24) | (mul((argb >> 16) & 0xFF) << 16) | (mul((argb >> 8) & 0xFF) << 8) | mul(argb & 0xFF);
}
inline std::uint32_t Unpremultiply(std::uint32_t p) {
  std::uint32_t a = p >> 24;
  if (a == 255) return p;
  if (a == 0) return 0;
  auto div = [a](std::uint32_t c) { return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a); };
  return (a << 24) | (div((p >> 16) & 0xFF) << 16) | (div((p >> 8) & 0xFF) << 8) | div(p & 0xFF);
}
// A premultiplied pixel with no channel above its alpha.
inline std::uint32_t ClampPremultiplied(std::uint32_t p) {
  std::uint32_t a = p >> 24;
  if (a == 255) return p;
  std::uint32_t r = std::min((p >> 16) & 0xFF, a), g = std::min((p >> 8) & 0xFF, a), b = std::min(p & 0xFF, a);
  return (a << 24) | (r << 16) | (g << 8) | b;
}

// ---- bitmaps ----

struct Bitmap : Object {
  static constexpr Kind kKind = Kind::Bitmap;
  Bitmap() : Object(kKind) {}

  int width = 0, height = 0;
  win::GpPixelFormat format = win::PixelFormat32bppARGB;
  int stride = 0;  // bytes, negative for bottom-up memory
  std::uint8_t* scan0 = nullptr;
  std::vector<std::uint8_t> own;  // empty when the memory is the caller's

  // GdipBitmapLockBits
  bool locked = false;
  win::UINT lockFlags = 0;
  win::GpRect lockRect;
  win::GpPixelFormat lockFormat = 0;
  std::vector<std::uint8_t> lockBuffer;  // when the lock converts
  void* lockScan0 = nullptr;
  int lockStride = 0;

  // GdipGetDC on a graphics of this bitmap.
  bool dcOut = false;

  std::uint8_t* Row(int y) const { return scan0 + static_cast<std::ptrdiff_t>(y) * stride; }
  bool HasAlpha() const { return format == win::PixelFormat32bppARGB || format == win::PixelFormat32bppPARGB; }

  // Premultiplied pixels of a part that lies inside the bitmap, top row first.
  void Read(const win::RECT& part, std::uint32_t* out) const;
  // Writes premultiplied pixels where `changed` says so (all when null).
  void Write(const win::RECT& part, const std::uint32_t* in, const std::uint8_t* changed);
};

// A bitmap in its own memory, of a format the stand-in keeps; null when the size is not one.
std::unique_ptr<Bitmap> NewBitmap(int width, int height, win::GpPixelFormat format);
bool SupportedFormat(win::GpPixelFormat format);
// A cairo surface over premultiplied pixels (which must outlive it).
cairo_surface_t* WrapPixels(std::uint32_t* pixels, int width, int height);

// ---- codecs (Codecs.cpp) ----

// Decodes a whole file image; UnknownImageFormat when it is neither PNG nor BMP, GenericError
// when it is broken.
win::GpStatus DecodeImage(const std::uint8_t* data, std::size_t size, std::unique_ptr<Bitmap>& out);
win::GpStatus EncodePng(const Bitmap& bitmap, std::vector<std::uint8_t>& out);

// ---- brushes and pens (Brushes.cpp) ----

struct Brush : Object {
  static constexpr Kind kKind = Kind::Brush;
  explicit Brush(win::GpBrushType t) : Object(kKind), type(t) {}

  win::GpBrushType type;
  win::ARGB color = 0;  // solid: the colour; hatch: the foreground
  win::ARGB color2 = 0;  // line gradient: the end colour; hatch: the background
  win::GpRect rect;     // line gradient
  win::GpLinearGradientMode mode = 0;
  win::GpWrapMode wrap = win::WrapModeTile;
  win::GpHatchStyle hatch = 0;
  // Texture: premultiplied pixels.
  std::vector<std::uint32_t> texels;
  int textureWidth = 0, textureHeight = 0;

  std::unique_ptr<Brush> Clone() const { return std::make_unique<Brush>(*this); }
  // A cairo source in world coordinates (pixel edges), owned by the caller; null when cairo
  // could not make one.
  cairo_pattern_t* Pattern() const;
};

struct Pen : Object {
  static constexpr Kind kKind = Kind::Pen;
  Pen() : Object(kKind) {}
  Pen(const Pen& o) : Object(kKind), width(o.width), alignment(o.alignment), dash(o.dash), brush(o.brush->Clone()) {}

  float width = 1;
  win::GpPenAlignment alignment = win::PenAlignmentCenter;
  win::GpDashStyle dash = win::DashStyleSolid;
  std::unique_ptr<Brush> brush;
};

// ---- paths ----

struct PathOp {
  enum Type { Move, Line, Curve, Close } type;
  float x[3] = {}, y[3] = {};  // Curve: two control points and the end point
};

struct Path : Object {
  static constexpr Kind kKind = Kind::Path;
  Path() : Object(kKind) {}
  win::GpFillMode fillMode = win::FillModeAlternate;
  std::vector<PathOp> ops;
  bool figureOpen = false;
  float lastX = 0, lastY = 0;

  // Continues the open figure with a line to (x, y), or starts one there.
  void LineTo(float x, float y);
  void CurveTo(float x1, float y1, float x2, float y2, float x3, float y3);
  void Arc(float x, float y, float w, float h, float start, float sweep);
  void CloseFigure();
  void Emit(cairo_t* cr, float offset) const;
};

// ---- image attributes and cached bitmaps ----

struct ImageAttributes : Object {
  static constexpr Kind kKind = Kind::ImageAttributes;
  ImageAttributes() : Object(kKind) {}
  std::array<std::optional<win::ColorMatrix>, win::ColorAdjustTypeCount> matrices;
};

struct CachedBitmap : Object {
  static constexpr Kind kKind = Kind::CachedBitmap;
  CachedBitmap() : Object(kKind) {}
  std::unique_ptr<Bitmap> copy;  // 32bppPARGB
};

// ---- graphics ----

struct Graphics : Object {
  static constexpr Kind kKind = Kind::Graphics;
  Graphics() : Object(kKind) {}
  ~Graphics() override;

  win::HDC dc = nullptr;           // on a device context
  win::GpImage* image = nullptr;   // or on an image
  win::GpInterpolationMode interpolation = win::InterpolationModeBilinear;
  win::GpCompositingMode compositing = win::CompositingModeSourceOver;
  win::GpCompositingQuality quality = win::CompositingQualityDefault;
  win::GpSmoothingMode smoothing = win::SmoothingModeNone;

  // GdipGetDC on an image: a memory DC over a copy of the image.
  win::HDC lentDc = nullptr;
  win::HBITMAP lentBitmap = nullptr;
  win::HGDIOBJ lentOld = nullptr;
  std::vector<std::uint32_t> lentCopy;

  bool Antialias() const;
};

// Where a graphics draws at this moment: premultiplied pixels are read from it and written back.
struct Target {
  Region clip;          // pixels that may change, target coordinates
  win::POINT origin{};  // world (0, 0) in target coordinates
  int width = 0, height = 0;
  win::GpStatus status = win::Ok;
  // Exactly one of these.
  PixelBuffer dcPixels;
  Bitmap* bitmap = nullptr;
};
Target TargetOf(Graphics& g);

// Runs `paint` on a cairo context whose user space is the graphics' world (units of pixels, pixel
// edges on integers), over the target's pixels within `bounds` (world coordinates); writes back
// the pixels that changed inside the clip. Ok when nothing could be visible.
win::GpStatus PaintWith(Graphics& g, const win::RECT& bounds, void (*paint)(cairo_t*, void*), void* context);

template <class F>
win::GpStatus Paint(win::GpGraphics* handle, const win::RECT& bounds, F&& paint) {
  Graphics* g = Find<Graphics>(handle);
  if (!g) return win::InvalidParameter;
  using Fn = std::remove_reference_t<F>;
  return PaintWith(*g, bounds, [](cairo_t* cr, void* f) { (*static_cast<Fn*>(f))(cr); }, &paint);
}

// Whole pixels that a float rectangle touches, grown by `margin` on every side.
win::RECT CoverOf(double x0, double y0, double x1, double y1, double margin);

}  // namespace platform::gdiplus
