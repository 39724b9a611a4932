#include "platform/gdi/ImageList.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "platform/system/HandleTable.h"

namespace {

using namespace win;

struct ImageListObj {
  int cx = 16, cy = 16;
  UINT flags = 0;
  // Pixels 0xAARRGGBB, top row first; masks one byte a pixel, 1 where transparent.
  std::vector<std::vector<std::uint32_t>> images;
  std::vector<std::vector<std::uint8_t>> masks;
  COLORREF bk = CLR_NONE;
  std::array<int, 16> overlays{};
  // The bitmaps GetImageInfo hands out, made when asked and dropped on every change.
  HBITMAP infoImage = nullptr, infoMask = nullptr;

  ImageListObj() { overlays.fill(-1); }
  ~ImageListObj() { DropInfo(); }
  ImageListObj(const ImageListObj&) = delete;
  ImageListObj& operator=(const ImageListObj&) = delete;

  void DropInfo() {
    if (infoImage) DeleteObject(infoImage);
    if (infoMask) DeleteObject(infoMask);
    infoImage = infoMask = nullptr;
  }
  bool Masked() const { return (flags & ILC_MASK) != 0; }
  bool Color32() const { return (flags & 0xFE) == ILC_COLOR32; }
  std::size_t Area() const { return static_cast<std::size_t>(cx) * static_cast<std::size_t>(cy); }
  int Count() const { return static_cast<int>(images.size()); }
  bool Valid(int i) const { return i >= 0 && i < Count(); }
};

platform::HandleTable<ImageListObj>& Lists() {
  static platform::HandleTable<ImageListObj> t(platform::HandleKind::Other);
  return t;
}

ImageListObj* Get(HIMAGELIST h) { return Lists().Get(reinterpret_cast<std::uintptr_t>(h)); }

std::uint32_t ToPixel(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

constexpr int kMaxSide = 1 << 14;

// A bitmap's pixels as 0xAARRGGBB, top row first.
bool ReadPixels(HBITMAP bmp, int& w, int& h, std::vector<std::uint32_t>& px) {
  BITMAP bm;
  if (!bmp || GetObject(bmp, sizeof bm, &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
  w = bm.bmWidth;
  h = bm.bmHeight;
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biBitCount = 32;
  px.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
  HDC dc = CreateCompatibleDC(nullptr);
  int rows = GetDIBits(dc, bmp, 0, static_cast<UINT>(h), px.data(), &bi, DIB_RGB_COLORS);
  DeleteDC(dc);
  if (rows == 0) return false;
  // Depths without alpha leave the top byte as it was: only 32-bit sources carry alpha.
  if (bm.bmBitsPixel != 32)
    for (auto& p : px) p &= 0xFFFFFF;
  return true;
}

// A 32-bit top-down section holding `px` (w x h) and its selecting context.
struct Scratch {
  Scratch(int w, int h, const std::uint32_t* px) {
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp && px) std::memcpy(bits, px, static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4);
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bmp);
  }
  ~Scratch() {
    SelectObject(dc, old);
    DeleteDC(dc);
    if (bmp) DeleteObject(bmp);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  HBITMAP bmp = nullptr;
  HDC dc = nullptr;
  HGDIOBJ old = nullptr;
};

// A 1-bit top-down section, white where `transparent` is set.
HBITMAP MonoMask(int w, int h, const std::uint8_t* transparent, int srcStride, int xs, int ys) {
  std::vector<std::uint8_t> buf(sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD));
  auto* bi = reinterpret_cast<BITMAPINFO*>(buf.data());
  bi->bmiHeader = BITMAPINFOHEADER{};
  bi->bmiHeader.biWidth = w;
  bi->bmiHeader.biHeight = -h;
  bi->bmiHeader.biBitCount = 1;
  bi->bmiHeader.biClrUsed = 2;
  RGBQUAD white;
  white.rgbRed = white.rgbGreen = white.rgbBlue = 255;
  std::memcpy(buf.data() + sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD), &white, sizeof white);
  void* bits = nullptr;
  HBITMAP m = CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!m) return nullptr;
  int stride = ((w + 31) / 32) * 4;
  auto* rows = static_cast<std::uint8_t*>(bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (transparent[static_cast<std::size_t>(ys + y) * static_cast<std::size_t>(srcStride) + static_cast<std::size_t>(xs + x)])
        rows[y * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
  return m;
}

// Cuts a strip into images of the list's size, left to right; -1 when nothing fits.
int AddStrip(ImageListObj& l, const std::vector<std::uint32_t>& px, int w, int h, const std::vector<std::uint8_t>* mask) {
  int n = std::max(1, w / l.cx);
  int first = l.Count();
  for (int k = 0; k < n; ++k) {
    std::vector<std::uint32_t> img(l.Area(), 0);
    std::vector<std::uint8_t> m(l.Area(), 0);
    for (int y = 0; y < std::min(h, l.cy); ++y)
      for (int x = 0; x < l.cx && k * l.cx + x < w; ++x) {
        std::size_t s = static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(k * l.cx + x);
        std::size_t d = static_cast<std::size_t>(y) * static_cast<std::size_t>(l.cx) + static_cast<std::size_t>(x);
        img[d] = l.Color32() ? px[s] : px[s] & 0xFFFFFF;
        if (l.Masked() && mask) m[d] = (*mask)[s];
      }
    l.images.push_back(std::move(img));
    l.masks.push_back(std::move(m));
  }
  l.DropInfo();
  return first;
}

bool MaskOf(HBITMAP mask, int w, int h, std::vector<std::uint8_t>& out) {
  out.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
  if (!mask) return true;
  int mw, mh;
  std::vector<std::uint32_t> px;
  if (!ReadPixels(mask, mw, mh, px)) return false;
  for (int y = 0; y < std::min(h, mh); ++y)
    for (int x = 0; x < std::min(w, mw); ++x)
      out[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)] =
          (px[static_cast<std::size_t>(y) * static_cast<std::size_t>(mw) + static_cast<std::size_t>(x)] & 0xFFFFFF) != 0;
  return true;
}

std::uint32_t Mix(std::uint32_t p, std::uint32_t c, int percent) {
  std::uint32_t out = p & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    int a = static_cast<int>((p >> shift) & 0xFF), b = static_cast<int>((c >> shift) & 0xFF);
    out |= static_cast<std::uint32_t>(a + (b - a) * percent / 100) << shift;
  }
  return out;
}

void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
}

}  // namespace

namespace win {

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int) {
  if (cx <= 0 || cy <= 0 || cx > kMaxSide || cy > kMaxSide) return nullptr;
  auto l = std::make_unique<ImageListObj>();
  l->cx = cx;
  l->cy = cy;
  l->flags = flags;
  return reinterpret_cast<HIMAGELIST>(Lists().Add(std::move(l)));
}

BOOL ImageList_Destroy(HIMAGELIST himl) { return Lists().Remove(reinterpret_cast<std::uintptr_t>(himl)) ? TRUE : FALSE; }

HIMAGELIST ImageList_Duplicate(HIMAGELIST himl) {
  ImageListObj* l = Get(himl);
  if (!l) return nullptr;
  HIMAGELIST copy = ImageList_Create(l->cx, l->cy, l->flags, 0, 0);
  ImageListObj* c = Get(copy);
  c->images = l->images;
  c->masks = l->masks;
  c->bk = l->bk;
  c->overlays = l->overlays;
  return copy;
}

int ImageList_GetImageCount(HIMAGELIST himl) {
  ImageListObj* l = Get(himl);
  return l ? l->Count() : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT count) {
  ImageListObj* l = Get(himl);
  if (!l || count > (1u << 20)) return FALSE;
  l->images.resize(count, std::vector<std::uint32_t>(l->Area(), 0));
  l->masks.resize(count, std::vector<std::uint8_t>(l->Area(), 0));
  l->DropInfo();
  return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
  ImageListObj* l = Get(himl);
  if (!l) return FALSE;
  if (cx) *cx = l->cx;
  if (cy) *cy = l->cy;
  return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy) {
  ImageListObj* l = Get(himl);
  if (!l || cx <= 0 || cy <= 0 || cx > kMaxSide || cy > kMaxSide) return FALSE;
  l->cx = cx;
  l->cy = cy;
  l->images.clear();
  l->masks.clear();
  l->DropInfo();
  return TRUE;
}

UINT ImageList_GetFlags(HIMAGELIST himl) {
  ImageListObj* l = Get(himl);
  return l ? l->flags : 0;
}

int ImageList_Add(HIMAGELIST himl, HBITMAP image, HBITMAP mask) {
  ImageListObj* l = Get(himl);
  int w, h;
  std::vector<std::uint32_t> px;
  if (!l || !ReadPixels(image, w, h, px)) return -1;
  std::vector<std::uint8_t> m;
  if (!MaskOf(l->Masked() ? mask : nullptr, w, h, m)) return -1;
  return AddStrip(*l, px, w, h, &m);
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP image, COLORREF mask) {
  ImageListObj* l = Get(himl);
  int w, h;
  std::vector<std::uint32_t> px;
  if (!l || !ReadPixels(image, w, h, px)) return -1;
  std::vector<std::uint8_t> m(px.size(), 0);
  std::uint32_t key = ToPixel(mask);
  for (std::size_t i = 0; i < px.size(); ++i)
    if ((px[i] & 0xFFFFFF) == key) {
      m[i] = 1;
      px[i] = 0;
    }
  return AddStrip(*l, px, w, h, &m);
}

int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON icon) {
  ImageListObj* l = Get(himl);
  ICONINFO ii;
  if (!l || (i != -1 && !l->Valid(i)) || !GetIconInfo(icon, &ii)) return -1;
  int w = 0, h = 0;
  std::vector<std::uint32_t> px;
  std::vector<std::uint8_t> m;
  bool ok = ii.hbmColor && ReadPixels(ii.hbmColor, w, h, px) && MaskOf(ii.hbmMask, w, h, m);
  DeleteObject(ii.hbmMask);
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  if (!ok) return -1;
  // An icon is one image, scaled to the list's size by nearest pixels.
  std::vector<std::uint32_t> img(l->Area());
  std::vector<std::uint8_t> mm(l->Area());
  for (int y = 0; y < l->cy; ++y)
    for (int x = 0; x < l->cx; ++x) {
      std::size_t s = static_cast<std::size_t>(y * h / l->cy) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x * w / l->cx);
      std::size_t d = static_cast<std::size_t>(y) * static_cast<std::size_t>(l->cx) + static_cast<std::size_t>(x);
      img[d] = px[s];
      mm[d] = m[s];
    }
  l->DropInfo();
  if (i == -1) {
    l->images.push_back(std::move(img));
    l->masks.push_back(std::move(mm));
    return l->Count() - 1;
  }
  l->images[static_cast<std::size_t>(i)] = std::move(img);
  l->masks[static_cast<std::size_t>(i)] = std::move(mm);
  return i;
}

int ImageList_AddIcon(HIMAGELIST himl, HICON icon) { return ImageList_ReplaceIcon(himl, -1, icon); }

BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP image, HBITMAP mask) {
  ImageListObj* l = Get(himl);
  if (!l || !l->Valid(i)) return FALSE;
  int n = l->Count();
  if (ImageList_Add(himl, image, mask) < 0) return FALSE;
  // The first image of what was added takes the place; the rest is dropped.
  l->images[static_cast<std::size_t>(i)] = std::move(l->images[static_cast<std::size_t>(n)]);
  l->masks[static_cast<std::size_t>(i)] = std::move(l->masks[static_cast<std::size_t>(n)]);
  l->images.resize(static_cast<std::size_t>(n));
  l->masks.resize(static_cast<std::size_t>(n));
  l->DropInfo();
  return TRUE;
}

BOOL ImageList_Remove(HIMAGELIST himl, int i) {
  ImageListObj* l = Get(himl);
  if (!l) return FALSE;
  if (i == -1) {
    l->images.clear();
    l->masks.clear();
  } else {
    if (!l->Valid(i)) return FALSE;
    l->images.erase(l->images.begin() + i);
    l->masks.erase(l->masks.begin() + i);
  }
  l->DropInfo();
  return TRUE;
}

BOOL ImageList_RemoveAll(HIMAGELIST himl) { return ImageList_Remove(himl, -1); }

BOOL ImageList_Copy(HIMAGELIST dst, int iDst, HIMAGELIST src, int iSrc, UINT flags) {
  ImageListObj* d = Get(dst);
  ImageListObj* s = Get(src);
  if (!d || !s || !d->Valid(iDst) || !s->Valid(iSrc) || d->cx != s->cx || d->cy != s->cy) return FALSE;
  auto di = static_cast<std::size_t>(iDst), si = static_cast<std::size_t>(iSrc);
  if (flags & ILCF_SWAP) {
    if (d != s) return FALSE;
    std::swap(d->images[di], d->images[si]);
    std::swap(d->masks[di], d->masks[si]);
  } else {
    d->images[di] = s->images[si];
    d->masks[di] = s->masks[si];
  }
  d->DropInfo();
  return TRUE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* info) {
  ImageListObj* l = Get(himl);
  if (!l || !info || !l->Valid(i)) return FALSE;
  // The images in rows of four, as the list keeps them.
  constexpr int kColumns = 4;
  int rows = (l->Count() + kColumns - 1) / kColumns;
  int w = l->cx * kColumns, h = l->cy * rows;
  if (!l->infoImage) {
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
    std::vector<std::uint8_t> m(px.size(), 0);
    for (int k = 0; k < l->Count(); ++k) {
      int ox = (k % kColumns) * l->cx, oy = (k / kColumns) * l->cy;
      for (int y = 0; y < l->cy; ++y)
        for (int x = 0; x < l->cx; ++x) {
          std::size_t s = static_cast<std::size_t>(y) * static_cast<std::size_t>(l->cx) + static_cast<std::size_t>(x);
          std::size_t d = static_cast<std::size_t>(oy + y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(ox + x);
          px[d] = l->images[static_cast<std::size_t>(k)][s];
          m[d] = l->masks[static_cast<std::size_t>(k)][s];
        }
    }
    BITMAPINFO bi{};
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    l->infoImage = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!l->infoImage) return FALSE;
    std::memcpy(bits, px.data(), px.size() * 4);
    if (l->Masked()) l->infoMask = MonoMask(w, h, m.data(), w, 0, 0);
  }
  info->hbmImage = l->infoImage;
  info->hbmMask = l->infoMask;
  info->rcImage = RECT{(i % kColumns) * l->cx, (i / kColumns) * l->cy, (i % kColumns + 1) * l->cx,
                       (i / kColumns + 1) * l->cy};
  return TRUE;
}

HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT) {
  ImageListObj* l = Get(himl);
  if (!l || !l->Valid(i)) return nullptr;
  Scratch color(l->cx, l->cy, l->images[static_cast<std::size_t>(i)].data());
  HBITMAP mask = MonoMask(l->cx, l->cy, l->masks[static_cast<std::size_t>(i)].data(), l->cx, 0, 0);
  ICONINFO ii;
  ii.hbmColor = color.bmp;
  ii.hbmMask = mask;
  HICON icon = CreateIconIndirect(&ii);
  if (mask) DeleteObject(mask);
  return icon;
}

COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF color) {
  ImageListObj* l = Get(himl);
  if (!l) return CLR_NONE;
  COLORREF old = l->bk;
  l->bk = color;
  return old;
}

COLORREF ImageList_GetBkColor(HIMAGELIST himl) {
  ImageListObj* l = Get(himl);
  return l ? l->bk : CLR_NONE;
}

BOOL ImageList_SetOverlayImage(HIMAGELIST himl, int iImage, int iOverlay) {
  ImageListObj* l = Get(himl);
  if (!l || iOverlay < 1 || iOverlay > 15 || (iImage != -1 && !l->Valid(iImage))) return FALSE;
  l->overlays[static_cast<std::size_t>(iOverlay)] = iImage;
  return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC dc, int x, int y, UINT style) {
  return ImageList_DrawEx(himl, i, dc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC dc, int x, int y, int dx, int dy, COLORREF bk, COLORREF fg,
                      UINT style) {
  ImageListObj* l = Get(himl);
  if (!l || !l->Valid(i) || !dc) return FALSE;
  int w = dx > 0 ? std::min(dx, l->cx) : l->cx;
  int h = dy > 0 ? std::min(dy, l->cy) : l->cy;
  const auto& mask = l->masks[static_cast<std::size_t>(i)];
  std::vector<std::uint32_t> px = l->images[static_cast<std::size_t>(i)];

  if (style & ILD_MASK) {
    HBITMAP m = MonoMask(l->cx, l->cy, mask.data(), l->cx, 0, 0);
    HDC mdc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mdc, m);
    BitBlt(dc, x, y, w, h, mdc, 0, 0, SRCCOPY);
    SelectObject(mdc, old);
    DeleteDC(mdc);
    DeleteObject(m);
    return TRUE;
  }

  bool alpha = l->Color32() && std::any_of(px.begin(), px.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
  if (style & (ILD_BLEND25 | ILD_BLEND50)) {
    std::uint32_t c = ToPixel(fg == CLR_DEFAULT || fg == CLR_NONE ? GetSysColor(COLOR_HIGHLIGHT) : fg);
    int percent = (style & ILD_BLEND50) ? 50 : 25;
    for (auto& p : px) p = Mix(p, c, percent);
  }
  COLORREF background = bk == CLR_DEFAULT ? l->bk : bk;
  bool transparent = (style & ILD_TRANSPARENT) || background == CLR_NONE;
  if (!transparent && (l->Masked() || alpha)) {
    HBRUSH b = CreateSolidBrush(background);
    RECT r{x, y, x + w, y + h};
    FillRect(dc, &r, b);
    DeleteObject(b);
  }

  if (alpha) {
    // Straight alpha in the list, premultiplied for blending.
    for (auto& p : px) {
      std::uint32_t a = p >> 24;
      std::uint32_t out = p & 0xFF000000u;
      for (int shift = 0; shift < 24; shift += 8) out |= (((p >> shift) & 0xFF) * a / 255) << shift;
      p = out;
    }
    Scratch s(l->cx, l->cy, px.data());
    BLENDFUNCTION bf;
    bf.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(dc, x, y, w, h, s.dc, 0, 0, w, h, bf);
  } else if (l->Masked()) {
    Scratch s(l->cx, l->cy, px.data());
    HBITMAP m = MonoMask(l->cx, l->cy, mask.data(), l->cx, 0, 0);
    // Transparent pixels keep the destination; the others take the image.
    MaskBlt(dc, x, y, w, h, s.dc, 0, 0, m, 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
    DeleteObject(m);
  } else {
    Scratch s(l->cx, l->cy, px.data());
    BitBlt(dc, x, y, w, h, s.dc, 0, 0, SRCCOPY);
  }

  auto overlay = static_cast<std::size_t>((style & ILD_OVERLAYMASK) >> 8);
  if (overlay >= 1 && overlay <= 15 && l->Valid(l->overlays[overlay]) && l->overlays[overlay] != i)
    ImageList_DrawEx(himl, l->overlays[overlay], dc, x, y, dx, dy, CLR_NONE, fg, ILD_TRANSPARENT);
  return TRUE;
}

std::vector<std::uint8_t> ImageList_Write(HIMAGELIST himl) {
  std::vector<std::uint8_t> out;
  ImageListObj* l = Get(himl);
  if (!l) return out;
  out = {'V', 'W', 'I', 'L'};
  Put32(out, 1);
  Put32(out, static_cast<std::uint32_t>(l->cx));
  Put32(out, static_cast<std::uint32_t>(l->cy));
  Put32(out, l->flags);
  Put32(out, static_cast<std::uint32_t>(l->Count()));
  Put32(out, l->bk);
  for (int o : l->overlays) Put32(out, static_cast<std::uint32_t>(o));
  for (int k = 0; k < l->Count(); ++k) {
    for (std::uint32_t p : l->images[static_cast<std::size_t>(k)]) Put32(out, p);
    out.insert(out.end(), l->masks[static_cast<std::size_t>(k)].begin(), l->masks[static_cast<std::size_t>(k)].end());
  }
  return out;
}

HIMAGELIST ImageList_Read(const std::uint8_t* data, std::size_t size, std::size_t* used) {
  auto u32 = [&](std::size_t at) {
    return static_cast<std::uint32_t>(data[at]) | static_cast<std::uint32_t>(data[at + 1]) << 8 |
           static_cast<std::uint32_t>(data[at + 2]) << 16 | static_cast<std::uint32_t>(data[at + 3]) << 24;
  };
  constexpr std::size_t kHead = 4 + 6 * 4 + 16 * 4;
  if (!data || size < kHead || std::memcmp(data, "VWIL", 4) != 0 || u32(4) != 1) return nullptr;
  auto cx = static_cast<int>(u32(8)), cy = static_cast<int>(u32(12));
  std::uint32_t count = u32(20);
  if (cx <= 0 || cy <= 0 || cx > kMaxSide || cy > kMaxSide) return nullptr;
  std::size_t per = static_cast<std::size_t>(cx) * static_cast<std::size_t>(cy) * 5;
  if ((size - kHead) / per < count) return nullptr;
  HIMAGELIST h = ImageList_Create(cx, cy, u32(16), 0, 0);
  ImageListObj* l = Get(h);
  l->bk = u32(24);
  for (std::size_t o = 0; o < 16; ++o) l->overlays[o] = static_cast<int>(u32(28 + o * 4));
  std::size_t at = kHead;
  for (std::uint32_t k = 0; k < count; ++k) {
    std::vector<std::uint32_t> img(l->Area());
    for (auto& p : img) {
      p = u32(at);
      at += 4;
    }
    std::vector<std::uint8_t> m(data + at, data + at + l->Area());
    at += l->Area();
    for (auto& b : m) b = b != 0;
    l->images.push_back(std::move(img));
    l->masks.push_back(std::move(m));
  }
  for (int& o : l->overlays)
    if (!l->Valid(o)) o = -1;
  if (used) *used = at;
  return h;
}

}  // namespace win
