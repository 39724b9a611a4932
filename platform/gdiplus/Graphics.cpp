// Graphics: where they draw, their modes, and the one road every drawing takes to the pixels.
#include <cmath>
#include <cstring>
#include <utility>

#include "platform/gdi/Surface.h"
#include "platform/gdiplus/Internal.h"

namespace platform::gdiplus {

HandleTable<Object>& Objects() {
  static HandleTable<Object> table(HandleKind::GdiPlus);
  return table;
}

win::GpStatus DeleteObjectOf(const void* handle, Kind kind) {
  auto value = reinterpret_cast<std::uintptr_t>(handle);
  Object* o = Objects().Get(value);
  if (!o || o->kind != kind) return win::InvalidParameter;
  Objects().Remove(value);
  return win::Ok;
}

std::size_t LiveObjects() { return Objects().Count(); }

cairo_surface_t* WrapPixels(std::uint32_t* pixels, int width, int height) {
  return cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels), CAIRO_FORMAT_ARGB32, width,
                                             height, width * 4);
}

win::RECT CoverOf(double x0, double y0, double x1, double y1, double margin) {
  if (x1 < x0) std::swap(x0, x1);
  if (y1 < y0) std::swap(y0, y1);
  // Coordinates far outside any surface are held where int arithmetic stays safe.
  auto clamp = [](double v) { return std::clamp(v, -1e8, 1e8); };
  return {static_cast<win::LONG>(std::floor(clamp(x0 - margin))), static_cast<win::LONG>(std::floor(clamp(y0 - margin))),
          static_cast<win::LONG>(std::ceil(clamp(x1 + margin))), static_cast<win::LONG>(std::ceil(clamp(y1 + margin)))};
}

bool Graphics::Antialias() const {
  return smoothing == win::SmoothingModeHighQuality || smoothing == win::SmoothingModeAntiAlias ||
         smoothing == win::SmoothingModeAntiAlias8x4 || smoothing == win::SmoothingModeAntiAlias8x8;
}

Graphics::~Graphics() {
  if (lentDc) {
    win::SelectObject(lentDc, lentOld);
    win::DeleteDC(lentDc);
    win::DeleteObject(lentBitmap);
  }
}

Target TargetOf(Graphics& g) {
  Target t;
  if (g.dc) {
    gdi::DrawingTarget dt;
    if (!gdi::DrawingTargetOf(g.dc, dt)) {
      t.status = win::Win32Error;
      return t;
    }
    t.dcPixels = dt.pixels;
    t.width = dt.pixels.width;
    t.height = dt.pixels.height;
    t.origin = dt.origin;
    t.clip = std::move(dt.clip);
    return t;
  }
  Bitmap* b = Find<Bitmap>(g.image);
  if (!b) {
    t.status = win::InvalidParameter;
    return t;
  }
  t.bitmap = b;
  t.width = b->width;
  t.height = b->height;
  t.clip = Region(win::RECT{0, 0, b->width, b->height});
  if (b->locked || g.lentDc) t.status = win::ObjectBusy;
  return t;
}

namespace {

win::GpStatus FromCairo(cairo_status_t s) {
  switch (s) {
    case CAIRO_STATUS_SUCCESS: return win::Ok;
    case CAIRO_STATUS_NO_MEMORY: return win::OutOfMemory;
    case CAIRO_STATUS_INVALID_MATRIX:
    case CAIRO_STATUS_INVALID_SIZE: return win::InvalidParameter;
    default: return win::GenericError;
  }
}

}  // namespace

win::GpStatus PaintWith(Graphics& g, const win::RECT& bounds, void (*paint)(cairo_t*, void*), void* context) {
  Target t = TargetOf(g);
  if (t.status != win::Ok) return t.status;
  if (bounds.right <= bounds.left || bounds.bottom <= bounds.top) return win::Ok;
  win::RECT world = bounds;
  Region area(win::RECT{world.left + t.origin.x, world.top + t.origin.y, world.right + t.origin.x,
                        world.bottom + t.origin.y});
  area.Intersect(t.clip);
  if (area.Empty()) return win::Ok;
  const win::RECT box = area.Bounds();
  const int w = box.right - box.left, h = box.bottom - box.top;

  // The drawing runs on a premultiplied copy of the area; only what it changed goes back, so a
  // pixel it left alone keeps every bit, its alpha byte and any colour the copy could not hold.
  std::vector<std::uint32_t> before(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  if (t.bitmap) {
    t.bitmap->Read(box, before.data());
  } else {
    for (int y = 0; y < h; ++y) {
      const std::uint32_t* src = t.dcPixels.Row(box.top + y) + box.left;
      std::uint32_t* dst = before.data() + static_cast<std::size_t>(y) * w;
      for (int x = 0; x < w; ++x) dst[x] = 0xFF000000u | (src[x] & 0xFFFFFFu);
    }
  }
  std::vector<std::uint32_t> after = before;
  cairo_surface_t* surface = WrapPixels(after.data(), w, h);
  cairo_t* cr = cairo_create(surface);
  cairo_translate(cr, t.origin.x - box.left, t.origin.y - box.top);
  cairo_set_operator(cr, g.compositing == win::CompositingModeSourceCopy ? CAIRO_OPERATOR_SOURCE : CAIRO_OPERATOR_OVER);
  cairo_set_antialias(cr, g.Antialias() ? CAIRO_ANTIALIAS_GOOD : CAIRO_ANTIALIAS_NONE);
  paint(cr, context);
  win::GpStatus status = FromCairo(cairo_status(cr));
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  cairo_surface_destroy(surface);
  if (status != win::Ok) return status;

  std::vector<std::uint8_t> changed(after.size(), 0);
  for (const win::RECT& rc : area.Rects()) {
    for (int y = rc.top; y < rc.bottom; ++y) {
      std::size_t row = static_cast<std::size_t>(y - box.top) * w;
      for (int x = rc.left; x < rc.right; ++x) {
        std::size_t i = row + static_cast<std::size_t>(x - box.left);
        if (after[i] == before[i]) continue;
        if (t.bitmap) {
          changed[i] = 1;
        } else {
          // What lands on a device is opaque: a colour drawn with SourceCopy and some
          // transparency shows as it would over black.
          t.dcPixels.At(x, y) = 0xFF000000u | (after[i] & 0xFFFFFFu);
        }
      }
    }
  }
  if (t.bitmap) t.bitmap->Write(box, after.data(), changed.data());
  return win::Ok;
}

}  // namespace platform::gdiplus

namespace win {

using namespace platform::gdiplus;

GpStatus GdipCreateFromHDC(HDC dc, GpGraphics** graphics) {
  if (!graphics) return InvalidParameter;
  *graphics = nullptr;
  platform::gdi::DrawingTarget dt;
  if (!platform::gdi::DrawingTargetOf(dc, dt)) return InvalidParameter;
  auto g = std::make_unique<Graphics>();
  g->dc = dc;
  *graphics = AddObject<GpGraphics*>(std::move(g));
  return Ok;
}

GpStatus GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics) {
  if (!graphics) return InvalidParameter;
  *graphics = nullptr;
  Bitmap* b = Find<Bitmap>(image);
  if (!b) return InvalidParameter;
  if (b->locked) return WrongState;
  auto g = std::make_unique<Graphics>();
  g->image = image;
  *graphics = AddObject<GpGraphics*>(std::move(g));
  return Ok;
}

GpStatus GdipDeleteGraphics(GpGraphics* graphics) {
  Graphics* g = Find<Graphics>(graphics);
  if (!g) return InvalidParameter;
  if (g->lentDc) GdipReleaseDC(graphics, g->lentDc);
  return DeleteObjectOf(graphics, Kind::Graphics);
}

GpStatus GdipGetDC(GpGraphics* graphics, HDC* dc) {
  Graphics* g = Find<Graphics>(graphics);
  if (!g || !dc) return InvalidParameter;
  *dc = nullptr;
  if (g->dc) {
    *dc = g->dc;
    return Ok;
  }
  if (g->lentDc) return ObjectBusy;
  Bitmap* b = Find<Bitmap>(g->image);
  if (!b) return InvalidParameter;
  if (b->locked) return ObjectBusy;
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = b->width;
  bi.bmiHeader.biHeight = -b->height;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC mem = section ? CreateCompatibleDC(nullptr) : nullptr;
  if (!mem) {
    if (section) DeleteObject(section);
    return Win32Error;
  }
  g->lentCopy.resize(static_cast<std::size_t>(b->width) * static_cast<std::size_t>(b->height));
  b->Read(RECT{0, 0, b->width, b->height}, g->lentCopy.data());
  std::memcpy(bits, g->lentCopy.data(), g->lentCopy.size() * 4);
  g->lentBitmap = section;
  g->lentOld = SelectObject(mem, section);
  g->lentDc = mem;
  b->dcOut = true;
  *dc = mem;
  return Ok;
}

GpStatus GdipReleaseDC(GpGraphics* graphics, HDC dc) {
  Graphics* g = Find<Graphics>(graphics);
  if (!g || !dc) return InvalidParameter;
  if (g->dc) return dc == g->dc ? Ok : InvalidParameter;
  if (dc != g->lentDc) return InvalidParameter;
  GdiFlush();
  if (Bitmap* b = Find<Bitmap>(g->image)) {
    // What GDI drew has no alpha: the pixels it changed become opaque, the rest stay as they were.
    platform::PixelBuffer px = platform::gdi::BitmapPixels(g->lentBitmap);
    std::vector<std::uint32_t> now(g->lentCopy.size());
    std::vector<std::uint8_t> changed(now.size(), 0);
    for (int y = 0; y < b->height; ++y)
      for (int x = 0; x < b->width; ++x) {
        std::size_t i = static_cast<std::size_t>(y) * b->width + x;
        now[i] = px.At(x, y);
        if (now[i] != g->lentCopy[i]) {
          now[i] |= 0xFF000000u;
          changed[i] = 1;
        }
      }
    b->dcOut = false;
    b->Write(RECT{0, 0, b->width, b->height}, now.data(), changed.data());
  }
  SelectObject(g->lentDc, g->lentOld);
  DeleteDC(g->lentDc);
  DeleteObject(g->lentBitmap);
  g->lentDc = nullptr;
  g->lentBitmap = nullptr;
  g->lentOld = nullptr;
  g->lentCopy.clear();
  return Ok;
}

GpStatus GdipGraphicsClear(GpGraphics* graphics, ARGB color) {
  Graphics* g = Find<Graphics>(graphics);
  if (!g) return InvalidParameter;
  Target t = TargetOf(*g);
  if (t.status != Ok) return t.status;
  RECT all = t.clip.Bounds();
  all = {all.left - t.origin.x, all.top - t.origin.y, all.right - t.origin.x, all.bottom - t.origin.y};
  GpCompositingMode mode = std::exchange(g->compositing, CompositingModeSourceCopy);
  GpStatus s = Paint(graphics, all, [color](cairo_t* cr) {
    cairo_set_source_rgba(cr, ((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0, (color & 0xFF) / 255.0,
                          (color >> 24) / 255.0);
    cairo_paint(cr);
  });
  g->compositing = mode;
  return s;
}

#define VW_GRAPHICS_OR_FAIL(ptr)            \
  Graphics* g = Find<Graphics>(graphics); \
  if (!g || !(ptr)) return InvalidParameter

GpStatus GdipSetInterpolationMode(GpGraphics* graphics, GpInterpolationMode mode) {
  Graphics* g = Find<Graphics>(graphics);
  if (!g || mode < InterpolationModeDefault || mode > InterpolationModeHighQualityBicubic) return InvalidParameter;
  g->interpolation = mode;
  return Ok;
}
GpStatus GdipGetInterpolationMode(GpGraphics* graphics, GpInterpolationMode* mode) {
  VW_GRAPHICS_OR_FAIL(mode);
  *mode = g->interpolation;
  return Ok;
}
GpStatus GdipSetCompositingMode(GpGraphics* graphics, GpCompositingMode mode) {
  Graphics* g = Find<Graphics>(graphics);
  if (!g || (mode != CompositingModeSourceOver && mode != CompositingModeSourceCopy)) return InvalidParameter;
  g->compositing = mode;
  return Ok;
}
GpStatus GdipGetCompositingMode(GpGraphics* graphics, GpCompositingMode* mode) {
  VW_GRAPHICS_OR_FAIL(mode);
  *mode = g->compositing;
  return Ok;
}
GpStatus GdipSetCompositingQuality(GpGraphics* graphics, GpCompositingQuality quality) {
  Graphics* g = Find<Graphics>(graphics);
  if (!g || quality < CompositingQualityDefault || quality > CompositingQualityAssumeLinear) return InvalidParameter;
  g->quality = quality;
  return Ok;
}
GpStatus GdipGetCompositingQuality(GpGraphics* graphics, GpCompositingQuality* quality) {
  VW_GRAPHICS_OR_FAIL(quality);
  *quality = g->quality;
  return Ok;
}
GpStatus GdipSetSmoothingMode(GpGraphics* graphics, GpSmoothingMode mode) {
  Graphics* g = Find<Graphics>(graphics);
  if (!g || mode < SmoothingModeDefault || mode > SmoothingModeAntiAlias8x8) return InvalidParameter;
  g->smoothing = mode;
  return Ok;
}
GpStatus GdipGetSmoothingMode(GpGraphics* graphics, GpSmoothingMode* mode) {
  VW_GRAPHICS_OR_FAIL(mode);
  *mode = g->smoothing;
  return Ok;
}

GpStatus GdipIsVisibleRect(GpGraphics* graphics, REAL x, REAL y, REAL width, REAL height, BOOL* result) {
  VW_GRAPHICS_OR_FAIL(result);
  *result = FALSE;
  Target t = TargetOf(*g);
  // A busy graphics can still say what it would draw on.
  if (t.status != Ok && t.status != ObjectBusy) return t.status;
  if (!(width > 0) || !(height > 0)) return Ok;
  RECT r = CoverOf(x, y, static_cast<double>(x) + width, static_cast<double>(y) + height, 0);
  r = {r.left + t.origin.x, r.top + t.origin.y, r.right + t.origin.x, r.bottom + t.origin.y};
  *result = t.clip.ContainsRect(r) != 0 ? TRUE : FALSE;
  return Ok;
}

GpStatus GdipIsVisibleRectI(GpGraphics* graphics, INT x, INT y, INT width, INT height, BOOL* result) {
  return GdipIsVisibleRect(graphics, static_cast<REAL>(x), static_cast<REAL>(y), static_cast<REAL>(width),
                           static_cast<REAL>(height), result);
}

#undef VW_GRAPHICS_OR_FAIL

}  // namespace win
