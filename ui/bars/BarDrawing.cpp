#include "ui/bars/BarDrawing.h"

#include "platform/win/Metrics.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/ImageDrawing.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;

// ---- item images --------------------------------------------------------------------------------

TdxCachedImageOptions::TdxCachedImageOptions() : FGlyph(new TcxAlphaBitmap) {}

TdxCachedImageOptions::~TdxCachedImageOptions() { delete FGlyph; }

void PrepareCachedGlyph(TdxCachedImageOptions* Cache, const TRect& R, TBitmap* Glyph, int DrawMode, bool Smooth,
                        TColor TransparentColor, bool UseGlyphTransparentColor, int ImageIndex,
                        TCustomImageList* ImageList) {
  TcxAlphaBitmap* glyph = Cache->Glyph();
  // A fresh, wholly transparent picture: what the image leaves out stays see-through.
  glyph->Resize(WidthOfRect(R), HeightOfRect(R));
  glyph->ClearImage();
  const TRect all = glyph->ImageRect();
  DrawImageWithMode(glyph->Canvas()->Handle(), all, all, Glyph, ImageList, ImageIndex,
                    static_cast<TcxImageDrawMode>(DrawMode), Smooth, nullptr, TransparentColor,
                    UseGlyphTransparentColor);
  Cache->DrawMode = DrawMode;
  Cache->ImageList = ImageList;
  Cache->GlyphBitmap = Glyph;
  Cache->Valid = true;
}

bool CachedGlyphMatches(const TdxCachedImageOptions* Cache, int DrawMode, TBitmap* Glyph,
                        TCustomImageList* ImageList) {
  if (!Cache->Valid || Cache->DrawMode != DrawMode || Cache->Glyph()->Empty()) return false;
  return Glyph ? Cache->GlyphBitmap == Glyph : Cache->ImageList == ImageList;
}

namespace {

// Keeps the image-drawing hook out of one call and puts it back however the call ends.
class TDrawImageHookPause {
 public:
  TDrawImageHookPause() : FSaved(std::move(cxDrawImageProc)) { cxDrawImageProc = nullptr; }
  ~TDrawImageHookPause() { cxDrawImageProc = std::move(FSaved); }
  TDrawImageHookPause(const TDrawImageHookPause&) = delete;
  TDrawImageHookPause& operator=(const TDrawImageHookPause&) = delete;

 private:
  TcxDrawImageProc FSaved;
};

}  // namespace

void PaintItemImage(HDC DC, const TRect& ImageRect, const TRect& DestRect, int DrawMode, TBitmap* Glyph,
                    TCustomImageList* ImageList, int ImageIndex, TColor BackgroundColor, bool Smooth,
                    bool UseLeftBottomPixelAsTransparent, HBRUSH BackgroundBrush, TdxCachedImageOptions* Cache,
                    bool CacheGlyphs) {
  TBitmap* glyph = HasGlyph(Glyph) ? Glyph : nullptr;
  // The list's background colour means nothing to a glyph of its own.
  const TColor transparent = glyph ? clNone : BackgroundColor;
  if (Cache && CacheGlyphs && DrawMode != idmShadowed) {
    if (!CachedGlyphMatches(Cache, DrawMode, glyph, ImageList))
      PrepareCachedGlyph(Cache, ImageRect, glyph, DrawMode, Smooth, transparent, UseLeftBottomPixelAsTransparent,
                         ImageIndex, ImageList);
    TDrawImageHookPause pause;
    DrawImageWithMode(DC, ImageRect, DestRect, Cache->Glyph(), nullptr, -1, idmNormal, false, BackgroundBrush, clNone,
                      false);
    return;
  }
  DrawImageWithMode(DC, ImageRect, DestRect, glyph, ImageList, ImageIndex, static_cast<TcxImageDrawMode>(DrawMode),
                    Smooth, BackgroundBrush, transparent, UseLeftBottomPixelAsTransparent);
}

void DrawGlyphEnabled(HDC DC, const TRect& R, TBitmap* Bitmap, bool Enabled) {
  DrawImageWithMode(DC, R, R, Bitmap, nullptr, -1, Enabled ? idmNormal : idmDisabled);
}

// ---- size grips ---------------------------------------------------------------------------------

void DrawTransparentSizeGrip(HDC DC, const RECT& R) {
  const int w = R.right - R.left, h = R.bottom - R.top;
  if (w <= 0 || h <= 0) return;
  HDC glyphDC = CreateCompatibleDC(DC);
  HBITMAP glyph = CreateCompatibleBitmap(DC, w, h);
  HGDIOBJ oldGlyph = SelectObject(glyphDC, glyph);
  RECT area{0, 0, w, h};
  DrawFrameControl(glyphDC, &area, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);

  // The mask: white where the glyph shows button face, black where it draws.
  HDC maskDC = CreateCompatibleDC(DC);
  HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
  HGDIOBJ oldMask = SelectObject(maskDC, mask);
  SetBkColor(glyphDC, GetSysColor(COLOR_BTNFACE));
  BitBlt(maskDC, 0, 0, w, h, glyphDC, 0, 0, SRCCOPY);

  // The background keeps what lies under the face; the glyph's face turns black and adds nothing.
  // The mask's white comes out as the destination's background colour, its black as the text colour.
  const COLORREF oldBk = SetBkColor(DC, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(DC, RGB(0, 0, 0));
  BitBlt(DC, R.left, R.top, w, h, maskDC, 0, 0, SRCAND);
  SetBkColor(glyphDC, RGB(255, 255, 255));
  SetTextColor(glyphDC, RGB(0, 0, 0));
  BitBlt(glyphDC, 0, 0, w, h, maskDC, 0, 0, 0x00220326);  // DSna: the glyph where the mask is black
  BitBlt(DC, R.left, R.top, w, h, glyphDC, 0, 0, SRCPAINT);
  SetBkColor(DC, oldBk);
  SetTextColor(DC, oldText);

  SelectObject(maskDC, oldMask);
  DeleteObject(mask);
  DeleteDC(maskDC);
  SelectObject(glyphDC, oldGlyph);
  DeleteObject(glyph);
  DeleteDC(glyphDC);
}

// ---- theme helpers ------------------------------------------------------------------------------

namespace {

constexpr int kEditPart = 1;
constexpr int kDisabledEditState = 4;
constexpr int kSizeBoxRightAlign = 1;

bool ThemeColor(HTHEME Theme, int Part, int State, int Property, COLORREF& Color) {
  return Theme && SUCCEEDED(UxGetThemeColor(Theme, Part, State, Property, Color));
}

TSize ThemePartSize(TdxThemeClassId ClassId, int Part, int State) {
  TSize size(0, 0);
  HTHEME theme = AcquireThemeHandle(ClassId);
  if (!theme || FAILED(UxGetThemePartSizeNoRect(theme, nullptr, Part, State, TS_TRUE, size))) return TSize(0, 0);
  return size;
}

}  // namespace

COLORREF ThemedEditFillColor(HTHEME Theme, int State) {
  COLORREF color;
  if (State == kDisabledEditState && ThemeColor(Theme, kEditPart, State, TMT_FILLCOLOR, color)) return color;
  return GetSysColor(COLOR_WINDOW);
}

COLORREF ThemedEditTextColor(HTHEME Theme, int State) {
  COLORREF color;
  if (ThemeColor(Theme, kEditPart, State, TMT_TEXTCOLOR, color)) return color;
  return GetSysColor(State == kDisabledEditState ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
}

COLORREF ThemedToolbarColor() {
  COLORREF color;
  if (ThemeColor(AcquireThemeHandle(tciToolBar), 0, 0, TMT_FILLCOLOR, color)) return color;
  return GetSysColor(COLOR_BTNFACE);
}

TSize ThemedCloseButtonSize() { return ThemePartSize(tciWindow, WP_SMALLCLOSEBUTTON, 1); }

void DrawThemedCloseButton(HDC DC, RECT& R, bool Selected, int Side, bool Pressed) {
  const int state = Pressed ? 3 : Selected ? 2 : 1;
  const TSize size = ThemedCloseButtonSize();
  const int height = R.bottom - R.top;
  const int margin = size.cy < height ? (height - size.cy) / 2 : 0;
  const int left = Side == 1 || Side == 3 ? R.left + margin : R.right - margin - size.cx;
  R = RECT{left, R.top + margin, left + size.cx, R.top + margin + size.cy};
  FillRect(DC, &R, GetSysColorBrush(COLOR_BTNFACE));
  UxDrawThemeBackground(AcquireThemeHandle(tciWindow), DC, WP_SMALLCLOSEBUTTON, state, TRect(R));
}

TSize ThemedSizeGripSize() {
  TSize size = ThemePartSize(tciScrollBar, SBP_SIZEBOX, kSizeBoxRightAlign);
  return TSize(size.cx + 2, size.cy + 2);
}

void DrawThemedSizeGrip(HDC DC, RECT& R, int Corner) {
  const TSize size = ThemedSizeGripSize();
  const bool right = Corner == 1 || Corner == 3, bottom = Corner == 2 || Corner == 3;
  const int left = right ? R.right - size.cx : R.left, top = bottom ? R.bottom - size.cy : R.top;
  R = RECT{left, top, left + size.cx, top + size.cy};
  FillRect(DC, &R, GetSysColorBrush(COLOR_BTNFACE));

  // The theme draws the grip for the bottom-right corner; the others take a mirrored copy.
  HDC mem = CreateCompatibleDC(DC);
  HBITMAP bitmap = CreateCompatibleBitmap(DC, size.cx, size.cy);
  HGDIOBJ old = SelectObject(mem, bitmap);
  RECT all{0, 0, size.cx, size.cy};
  FillRect(mem, &all, GetSysColorBrush(COLOR_BTNFACE));
  UxDrawThemeBackground(AcquireThemeHandle(tciScrollBar), mem, SBP_SIZEBOX, kSizeBoxRightAlign, TRect(all));
  // A negative source extent covers origin + extent to origin - 1, so a mirrored copy starts at
  // the far edge itself.
  StretchBlt(DC, R.left, R.top, size.cx, size.cy, mem, right ? 0 : size.cx, bottom ? 0 : size.cy,
             right ? size.cx : -size.cx, bottom ? size.cy : -size.cy, SRCCOPY);
  SelectObject(mem, old);
  DeleteObject(bitmap);
  DeleteDC(mem);
}
