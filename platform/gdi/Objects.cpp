// Handle tables, stock objects, creation, selection and deletion of drawing objects.
#include <algorithm>
#include <cstring>

#include "platform/gdi/Internal.h"

namespace platform::gdi {

HandleTable<PenObj>& Pens() {
  static HandleTable<PenObj> t(HandleKind::Pen);
  return t;
}
HandleTable<BrushObj>& Brushes() {
  static HandleTable<BrushObj> t(HandleKind::Brush);
  return t;
}
HandleTable<FontObj>& Fonts() {
  static HandleTable<FontObj> t(HandleKind::Font);
  return t;
}
HandleTable<BitmapObj>& Bitmaps() {
  static HandleTable<BitmapObj> t(HandleKind::Bitmap);
  return t;
}
HandleTable<RegionObj>& Regions() {
  static HandleTable<RegionObj> t(HandleKind::Region);
  return t;
}
HandleTable<PaletteObj>& Palettes() {
  static HandleTable<PaletteObj> t(HandleKind::Palette);
  return t;
}
HandleTable<DeviceContext>& DCs() {
  static HandleTable<DeviceContext> t(HandleKind::DeviceContext);
  return t;
}
HandleTable<IconObj>& Icons() {
  static HandleTable<IconObj> t(HandleKind::Icon);
  return t;
}

namespace {

struct StockObjects {
  win::HGDIOBJ objects[20] = {};
  win::HBITMAP defaultBitmap = nullptr;

  StockObjects() {
    auto brush = [](win::UINT style, win::COLORREF c) {
      auto b = std::make_unique<BrushObj>();
      b->style = style;
      b->color = c;
      b->stock = true;
      return reinterpret_cast<win::HGDIOBJ>(Brushes().Add(std::move(b)));
    };
    auto pen = [](win::UINT style, win::COLORREF c) {
      auto p = std::make_unique<PenObj>();
      p->style = style;
      p->color = c;
      p->stock = true;
      return reinterpret_cast<win::HGDIOBJ>(Pens().Add(std::move(p)));
    };
    auto font = [](const char* face, int height, int weight, win::BYTE pitch) {
      auto f = std::make_unique<FontObj>();
      std::strncpy(f->lf.lfFaceName, face, win::LF_FACESIZE - 1);
      f->lf.lfHeight = height;
      f->lf.lfWeight = weight;
      f->lf.lfPitchAndFamily = pitch;
      f->stock = true;
      return reinterpret_cast<win::HGDIOBJ>(Fonts().Add(std::move(f)));
    };
    objects[win::WHITE_BRUSH] = brush(win::BS_SOLID, win::RGB(255, 255, 255));
    objects[win::LTGRAY_BRUSH] = brush(win::BS_SOLID, win::RGB(192, 192, 192));
    objects[win::GRAY_BRUSH] = brush(win::BS_SOLID, win::RGB(128, 128, 128));
    objects[win::DKGRAY_BRUSH] = brush(win::BS_SOLID, win::RGB(64, 64, 64));
    objects[win::BLACK_BRUSH] = brush(win::BS_SOLID, win::RGB(0, 0, 0));
    objects[win::NULL_BRUSH] = brush(win::BS_NULL, 0);
    objects[win::WHITE_PEN] = pen(win::PS_SOLID, win::RGB(255, 255, 255));
    objects[win::BLACK_PEN] = pen(win::PS_SOLID, 0);
    objects[win::NULL_PEN] = pen(win::PS_NULL, 0);
    objects[win::OEM_FIXED_FONT] = font("Courier New", 12, win::FW_NORMAL, win::FIXED_PITCH | win::FF_MODERN);
    objects[win::ANSI_FIXED_FONT] = font("Courier New", 12, win::FW_NORMAL, win::FIXED_PITCH | win::FF_MODERN);
    objects[win::ANSI_VAR_FONT] = font("MS Sans Serif", -11, win::FW_NORMAL, win::VARIABLE_PITCH | win::FF_SWISS);
    objects[win::SYSTEM_FONT] = font("System", 16, win::FW_BOLD, win::VARIABLE_PITCH | win::FF_SWISS);
    objects[win::DEVICE_DEFAULT_FONT] = font("System", 16, win::FW_BOLD, win::VARIABLE_PITCH | win::FF_SWISS);
    objects[win::SYSTEM_FIXED_FONT] = font("Courier New", 12, win::FW_NORMAL, win::FIXED_PITCH | win::FF_MODERN);
    objects[win::DEFAULT_GUI_FONT] = font("Tahoma", -11, win::FW_NORMAL, win::VARIABLE_PITCH | win::FF_SWISS);
    {
      auto pal = std::make_unique<PaletteObj>();
      static const win::BYTE base[20][3] = {
          {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
          {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
          {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
          {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
      for (auto& e : base) pal->entries.push_back({e[0], e[1], e[2], 0});
      pal->stock = true;
      objects[win::DEFAULT_PALETTE] = reinterpret_cast<win::HGDIOBJ>(Palettes().Add(std::move(pal)));
    }
    {
      auto b = std::make_unique<BrushObj>();
      b->dcBrush = true;
      b->stock = true;
      objects[win::DC_BRUSH] = reinterpret_cast<win::HGDIOBJ>(Brushes().Add(std::move(b)));
      auto p = std::make_unique<PenObj>();
      p->stock = true;
      objects[win::DC_PEN] = reinterpret_cast<win::HGDIOBJ>(Pens().Add(std::move(p)));
    }
    auto bm = std::make_unique<BitmapObj>();
    bm->width = bm->height = 1;
    bm->bitsPixel = 1;
    bm->mono = true;
    bm->stock = true;
    bm->storage.assign(1, 0);
    defaultBitmap = MakeHandle<win::HBITMAP>(Bitmaps().Add(std::move(bm)));
  }
};

StockObjects& Stock() {
  static StockObjects s;
  return s;
}

}  // namespace

win::HBITMAP DefaultBitmap() { return Stock().defaultBitmap; }

namespace {

bool HeldByDc(win::HGDIOBJ object) {
  auto holds = [&](const DcState& s) {
    return s.pen == object || s.brush == object || s.font == object;
  };
  // Asked on every release of a deleted object that was still selected, which canvases do all
  // the time: no copy of the DC list.
  return DCs().AnyOf([&](const DeviceContext& dc) {
    if (holds(dc.s)) return true;
    for (const DcState& s : dc.saved)
      if (holds(s)) return true;
    return false;
  });
}

}  // namespace

void ReleaseIfDeleted(win::HGDIOBJ object) {
  auto v = HandleValue(object);
  bool pending = false;
  switch (HandleKindOf(v)) {
    case HandleKind::Pen: if (PenObj* p = Pens().Get(v)) pending = p->deletePending; break;
    case HandleKind::Brush: if (BrushObj* b = Brushes().Get(v)) pending = b->deletePending; break;
    case HandleKind::Font: if (FontObj* f = Fonts().Get(v)) pending = f->deletePending; break;
    default: break;
  }
  if (!pending || HeldByDc(object)) return;
  switch (HandleKindOf(v)) {
    case HandleKind::Pen: Pens().Remove(v); break;
    case HandleKind::Brush: Brushes().Remove(v); break;
    case HandleKind::Font: Fonts().Remove(v); break;
    default: break;
  }
}

void ReleaseStateObjects(const DcState& s) {
  ReleaseIfDeleted(s.pen);
  ReleaseIfDeleted(s.brush);
  ReleaseIfDeleted(s.font);
}

bool IsDcPen(win::HPEN h) { return reinterpret_cast<win::HGDIOBJ>(h) == Stock().objects[win::DC_PEN]; }

}  // namespace platform::gdi

using namespace platform;
using namespace platform::gdi;

namespace win {

HGDIOBJ GetStockObject(int index) {
  if (index < 0 || index >= 20) return nullptr;
  return Stock().objects[index];
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles) {
  auto p = std::make_unique<PenObj>();
  p->extended = true;
  p->style = style;
  p->width = static_cast<int>(width);
  p->color = brush ? brush->lbColor : 0;
  if (brush && brush->lbStyle == BS_NULL) p->style = (style & ~PS_STYLE_MASK) | PS_NULL;
  if ((style & PS_STYLE_MASK) == PS_USERSTYLE) {
    if (!styles || styleCount == 0 || styleCount > 16) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    p->user.assign(styles, styles + styleCount);
  }
  // A cosmetic pen is always one pixel wide.
  if ((style & PS_TYPE_MASK) == PS_COSMETIC) p->width = 1;
  return MakeHandle<HPEN>(Pens().Add(std::move(p)));
}

HPEN CreatePen(int style, int width, COLORREF color) {
  auto p = std::make_unique<PenObj>();
  p->style = static_cast<UINT>(style) & PS_STYLE_MASK;
  if (p->style > PS_INSIDEFRAME) p->style = PS_SOLID;
  p->width = std::max(width, 0);
  if (p->width == 0) p->width = 1;
  // Dashed styles exist only one pixel wide; a wider dashed pen draws solid.
  if (p->width > 1 && p->style >= PS_DASH && p->style <= PS_DASHDOTDOT) p->style = PS_SOLID;
  p->color = color;
  return MakeHandle<HPEN>(Pens().Add(std::move(p)));
}

HPEN CreatePenIndirect(const LOGPEN* lp) {
  if (!lp) return nullptr;
  return CreatePen(static_cast<int>(lp->lopnStyle), lp->lopnWidth.x, lp->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto b = std::make_unique<BrushObj>();
  b->color = color;
  return MakeHandle<HBRUSH>(Brushes().Add(std::move(b)));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto b = std::make_unique<BrushObj>();
  b->style = BS_HATCHED;
  b->hatch = hatch;
  b->color = color;
  return MakeHandle<HBRUSH>(Brushes().Add(std::move(b)));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  BitmapObj* bm = Bmp(bitmap);
  if (!bm || bm->width <= 0 || bm->height <= 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  auto b = std::make_unique<BrushObj>();
  b->style = BS_PATTERN;
  b->patternWidth = bm->width;
  b->patternHeight = bm->height;
  b->patternMono = bm->mono;
  PixelBuffer v = bm->View();
  b->pattern.resize(static_cast<size_t>(bm->width) * static_cast<size_t>(bm->height));
  for (int y = 0; y < bm->height; ++y)
    std::memcpy(&b->pattern[static_cast<size_t>(y) * static_cast<size_t>(bm->width)], v.Row(y),
                static_cast<size_t>(bm->width) * 4);
  return MakeHandle<HBRUSH>(Brushes().Add(std::move(b)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb) {
  if (!lb) return nullptr;
  switch (lb->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(lb->lbColor);
    case BS_NULL: return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    case BS_HATCHED: return CreateHatchBrush(static_cast<int>(lb->lbHatch), lb->lbColor);
    case BS_PATTERN:
    case BS_PATTERN8X8: return CreatePatternBrush(reinterpret_cast<HBITMAP>(lb->lbHatch));
    default: SetLastError(ERROR_NOT_SUPPORTED); return nullptr;
  }
}

HFONT CreateFontIndirect(const LOGFONTA* lf) {
  if (!lf) return nullptr;
  auto f = std::make_unique<FontObj>();
  f->lf = *lf;
  f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
  return MakeHandle<HFONT>(Fonts().Add(std::move(f)));
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                 DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                 DWORD pitchAndFamily, LPCSTR face) {
  LOGFONTA lf;
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = static_cast<BYTE>(italic != 0);
  lf.lfUnderline = static_cast<BYTE>(underline != 0);
  lf.lfStrikeOut = static_cast<BYTE>(strikeOut != 0);
  lf.lfCharSet = static_cast<BYTE>(charSet);
  lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  lf.lfQuality = static_cast<BYTE>(quality);
  lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreateFontIndirect(&lf);
}

HPALETTE CreatePalette(const LOGPALETTE* lp) {
  if (!lp) return nullptr;
  auto p = std::make_unique<PaletteObj>();
  p->entries.assign(lp->palPalEntry, lp->palPalEntry + lp->palNumEntries);
  return MakeHandle<HPALETTE>(Palettes().Add(std::move(p)));
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
  PaletteObj* p = Palettes().Get(HandleValue(palette));
  if (!p) return 0;
  if (!entries) return static_cast<UINT>(p->entries.size());
  UINT n = 0;
  for (UINT i = start; i < p->entries.size() && n < count; ++i, ++n) entries[n] = p->entries[i];
  return n;
}

DWORD GetObjectType(HGDIOBJ object) {
  auto v = HandleValue(object);
  switch (HandleKindOf(v)) {
    case HandleKind::Pen:
      if (PenObj* p = Pens().Get(v)) return p->extended && !p->stock ? OBJ_EXTPEN : OBJ_PEN;
      break;
    case HandleKind::Brush: if (Brushes().Get(v)) return OBJ_BRUSH; break;
    case HandleKind::Font: if (Fonts().Get(v)) return OBJ_FONT; break;
    case HandleKind::Bitmap: if (Bitmaps().Get(v)) return OBJ_BITMAP; break;
    case HandleKind::Region: if (Regions().Get(v)) return OBJ_REGION; break;
    case HandleKind::Palette: if (Palettes().Get(v)) return OBJ_PAL; break;
    case HandleKind::DeviceContext:
      if (DeviceContext* d = DCs().Get(v)) return d->memory ? OBJ_MEMDC : OBJ_DC;
      break;
    default: break;
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return 0;
}

BOOL DeleteObject(HGDIOBJ object) {
  auto v = HandleValue(object);
  switch (HandleKindOf(v)) {
    case HandleKind::Pen: {
      PenObj* p = Pens().Get(v);
      if (!p || p->deletePending) break;
      if (p->stock) return TRUE;
      p->deletePending = true;
      ReleaseIfDeleted(object);
      return TRUE;
    }
    case HandleKind::Brush: {
      BrushObj* b = Brushes().Get(v);
      if (!b || b->deletePending) break;
      if (b->stock) return TRUE;
      b->deletePending = true;
      ReleaseIfDeleted(object);
      return TRUE;
    }
    case HandleKind::Font: {
      FontObj* f = Fonts().Get(v);
      if (!f || f->deletePending) break;
      if (f->stock) return TRUE;
      f->deletePending = true;
      ReleaseIfDeleted(object);
      return TRUE;
    }
    case HandleKind::Bitmap: {
      BitmapObj* b = Bitmaps().Get(v);
      if (!b) break;
      if (b->stock) return TRUE;
      // A bitmap still selected into a DC stays: the DC draws on its pixels.
      if (b->selectedIn && Dc(b->selectedIn)) return FALSE;
      Bitmaps().Remove(v);
      return TRUE;
    }
    case HandleKind::Region:
      if (Regions().Remove(v)) return TRUE;
      break;
    case HandleKind::Palette: {
      PaletteObj* p = Palettes().Get(v);
      if (!p) break;
      if (!p->stock) Palettes().Remove(v);
      return TRUE;
    }
    default: break;
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}

int GetObject(HGDIOBJ object, int size, LPVOID buffer) {
  auto v = HandleValue(object);
  auto out = [&](const void* data, int n) {
    if (!buffer) return n;
    int m = std::min(n, size);
    if (m <= 0) return 0;
    std::memcpy(buffer, data, static_cast<size_t>(m));
    return m;
  };
  switch (HandleKindOf(v)) {
    case HandleKind::Pen:
      if (PenObj* p = Pens().Get(v)) {
        LOGPEN lp;
        lp.lopnStyle = p->style;
        lp.lopnWidth.x = p->width;
        lp.lopnColor = p->color;
        return out(&lp, sizeof lp);
      }
      break;
    case HandleKind::Brush:
      if (BrushObj* b = Brushes().Get(v)) {
        LOGBRUSH lb;
        lb.lbStyle = b->style;
        lb.lbColor = b->color;
        lb.lbHatch = b->style == BS_HATCHED ? static_cast<ULONG_PTR>(b->hatch) : 0;
        return out(&lb, sizeof lb);
      }
      break;
    case HandleKind::Font:
      if (FontObj* f = Fonts().Get(v)) return out(&f->lf, sizeof f->lf);
      break;
    case HandleKind::Bitmap:
      if (BitmapObj* b = Bitmaps().Get(v)) {
        PixelsToBits(*b);  // whoever asks for the bits is about to use them
        DIBSECTION ds;
        ds.dsBm.bmWidth = b->width;
        ds.dsBm.bmHeight = b->height;
        ds.dsBm.bmPlanes = 1;
        ds.dsBm.bmBitsPixel = static_cast<WORD>(b->bitsPixel);
        if (b->dib) {
          ds.dsBm.bmWidthBytes = ((b->width * b->bitsPixel + 31) / 32) * 4;
          ds.dsBm.bmBits = b->nativeBpp ? static_cast<void*>(b->native.data()) : b->storage.data();
          ds.dsBmih.biWidth = b->width;
          ds.dsBmih.biHeight = b->bottomUp ? b->height : -b->height;
          ds.dsBmih.biBitCount = static_cast<WORD>(b->bitsPixel);
          ds.dsBmih.biSizeImage = static_cast<DWORD>(ds.dsBm.bmWidthBytes * b->height);
          if (size >= static_cast<int>(sizeof(DIBSECTION))) return out(&ds, sizeof ds);
        } else {
          ds.dsBm.bmWidthBytes = ((b->width * b->bitsPixel + 15) / 16) * 2;
        }
        return out(&ds.dsBm, sizeof ds.dsBm);
      }
      break;
    case HandleKind::Palette:
      if (PaletteObj* p = Palettes().Get(v)) {
        WORD n = static_cast<WORD>(p->entries.size());
        return out(&n, sizeof n);
      }
      break;
    default: break;
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return 0;
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  long long n = static_cast<long long>(a) * b;
  bool negative = (n < 0) != (c < 0);
  unsigned long long un = static_cast<unsigned long long>(n < 0 ? -n : n);
  unsigned long long uc = static_cast<unsigned long long>(c < 0 ? -static_cast<long long>(c) : c);
  unsigned long long q = (un + uc / 2) / uc;
  if (q > (negative ? 2147483648ull : 2147483647ull)) return -1;
  return negative ? static_cast<int>(-static_cast<long long>(q)) : static_cast<int>(q);
}

}  // namespace win
