#include "ui/foundation/DrawingRoutines.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "platform/win/Focus.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/IndexedText.h"
#include "ui/foundation/OSVersion.h"

using namespace win;

TAlphaBlendFunc AlphaBlendEntry = nullptr;

namespace {

// Characters (code points) of a UTF-8 text: the platform's text calls count in them.
int CharCount(const String& Text) {
  int n = 0;
  for (unsigned char c : Text) n += (c & 0xC0) != 0x80;
  return n;
}

int CountOrWhole(const String& Text, int Count) { return Count < 0 ? CharCount(Text) : Count; }

// Holds a class-library canvas locked for the scope.
class CanvasLock {
 public:
  explicit CanvasLock(TCanvas* Canvas) : FCanvas(Canvas) { FCanvas->Lock(); }
  ~CanvasLock() { FCanvas->Unlock(); }
  CanvasLock(const CanvasLock&) = delete;
  CanvasLock& operator=(const CanvasLock&) = delete;

 private:
  TCanvas* FCanvas;
};

}  // namespace

// ---- rectangles and colours ----------------------------------------------------------------------

bool SameRectSize(const TRect& R1, const TRect& R2) {
  return WidthOfRect(R1) == WidthOfRect(R2) && HeightOfRect(R1) == HeightOfRect(R2);
}

TColor NearestScreenColor(TColor Colour) {
  const COLORREF rgb = ColorToRGB(Colour);
  HDC dc = GetDC(nullptr);
  if (!dc) return static_cast<TColor>(rgb);
  const COLORREF nearest = GetNearestColor(dc, rgb);
  ReleaseDC(nullptr, dc);
  return static_cast<TColor>(nearest == CLR_INVALID ? rgb : nearest);
}

int RoundToChannel(float X) {
  // Clamped before converting, so that no value is out of the integer range.
  return ClampColorChannel(static_cast<int>(std::nearbyint(std::clamp(X, -1.0f, 256.0f))));
}

TColor MixSystemColors(std::int8_t FacePercent, std::int8_t HighlightPercent, std::int8_t WindowPercent) {
  const COLORREF face = ColorToRGB(clBtnFace);
  const COLORREF highlight = ColorToRGB(clHighlight);
  if (face == 0 || face == 0xFFFFFF) return static_cast<TColor>(highlight);
  const COLORREF window = ColorToRGB(clWindow);
  auto mix = [&](BYTE f, BYTE h, BYTE w) {
    return static_cast<BYTE>(ClampColorChannel(MulDiv(f, FacePercent, 100) + MulDiv(h, HighlightPercent, 100) +
                                               MulDiv(w, WindowPercent, 100)));
  };
  return static_cast<TColor>(RGB(mix(GetRValue(face), GetRValue(highlight), GetRValue(window)),
                                 mix(GetGValue(face), GetGValue(highlight), GetGValue(window)),
                                 mix(GetBValue(face), GetBValue(highlight), GetBValue(window))));
}

TColor PressedMixColor() { return NearestScreenColor(MixSystemColors(14, 44, 40)); }

TColor HotTrackMixColor() { return NearestScreenColor(MixSystemColors(-2, 30, 72)); }

void BlendPixel(TRGBQuad Colour, TRGBQuad& Pixel, BYTE Alpha) {
  const float c = static_cast<float>(Alpha) / 255.0f;
  const float a = c * static_cast<float>(Colour.rgbReserved);
  const float k = 1.0f - a / 255.0f;
  auto channel = [&](BYTE s, BYTE d) {
    return static_cast<BYTE>(RoundToChannel(c * static_cast<float>(s) + k * static_cast<float>(d)));
  };
  Pixel.rgbRed = channel(Colour.rgbRed, Pixel.rgbRed);
  Pixel.rgbGreen = channel(Colour.rgbGreen, Pixel.rgbGreen);
  Pixel.rgbBlue = channel(Colour.rgbBlue, Pixel.rgbBlue);
  Pixel.rgbReserved = static_cast<BYTE>(RoundToChannel(a + k * static_cast<float>(Pixel.rgbReserved)));
}

// ---- bitmaps and device contexts ----------------------------------------------------------------

void BlitRect(HDC DestDC, HDC SrcDC, const TRect& DestRect, const TPoint& SrcTopLeft, DWORD Rop) {
  BitBlt(DestDC, DestRect.Left, DestRect.Top, WidthOfRect(DestRect), HeightOfRect(DestRect), SrcDC, SrcTopLeft.X,
         SrcTopLeft.Y, Rop);
}

TBitmap* NewBitmapSized(int Width, int Height, TPixelFormat PixelFormat) {
  auto* bitmap = new TBitmap;
  bitmap->SetPixelFormat(PixelFormat);
  bitmap->SetSize(std::max(0, Width), std::max(0, Height));
  return bitmap;
}

TBitmap* NewBitmapForSize(const TSize& Size, TPixelFormat PixelFormat) {
  return NewBitmapSized(Size.cx, Size.cy, PixelFormat);
}

TBitmap* NewBitmapForRect(const TRect& R, TPixelFormat PixelFormat) {
  return NewBitmapSized(WidthOfRect(R), HeightOfRect(R), PixelFormat);
}

TBitmap* CopyDCAreaTo32Bit(HDC SrcDC, const TRect& R) {
  TBitmap* bitmap = NewBitmapForRect(R, pf32bit);
  if (!bitmap->Empty()) {
    HDC dc = bitmap->Canvas()->Handle();
    PatBlt(dc, 0, 0, bitmap->Width(), bitmap->Height(), BLACKNESS);
    BitBlt(dc, 0, 0, bitmap->Width(), bitmap->Height(), SrcDC, R.Left, R.Top, SRCCOPY);
  }
  return bitmap;
}

void StretchBitmapInto(TBitmap* Dest, TBitmap* Source) {
  StretchBlt(Dest->Canvas()->Handle(), 0, 0, Dest->Width(), Dest->Height(), Source->Canvas()->Handle(), 0, 0,
             Source->Width(), Source->Height(), SRCCOPY);
}

void DrawBitmapToDC(HDC DestDC, TBitmap* Bitmap, const TRect& DestRect, const TPoint& SrcTopLeft, DWORD Rop) {
  // The class library's bitmaps carry no palette handle and the screen is true colour, so there is
  // no palette to realize; what remains is the 9x platform's trouble with fewer than 32 bits.
  if (IsWindows9xPlatform && GetDeviceCaps(DestDC, BITSPIXEL) == 32 && TBitmap::BitsOf(Bitmap->PixelFormat()) < 32) {
    std::unique_ptr<TBitmap> copy(NewBitmapForRect(DestRect, pf32bit));
    BitBlt(copy->Canvas()->Handle(), 0, 0, copy->Width(), copy->Height(), Bitmap->Canvas()->Handle(), SrcTopLeft.X,
           SrcTopLeft.Y, SRCCOPY);
    TRGBColors pixels;
    if (GetBitmapColors(copy->Handle(), pixels, true)) {
      for (TRGBQuad& p : pixels) p.rgbReserved = 0;
      StoreBitmapColors(copy->Handle(), pixels, true);
    }
    BlitRect(DestDC, copy->Canvas()->Handle(), DestRect, TPoint(), Rop);
    return;
  }
  BlitRect(DestDC, Bitmap->Canvas()->Handle(), DestRect, SrcTopLeft, Rop);
}

bool AlphaBlendDC(HDC DestDC, HDC SrcDC, const TRect& DestRect, const TRect& SrcRect, BYTE Alpha) {
  if (!AlphaBlendEntry) return false;
  BLENDFUNCTION blend;
  blend.BlendOp = AC_SRC_OVER;
  blend.BlendFlags = 0;
  blend.SourceConstantAlpha = Alpha;
  blend.AlphaFormat = AC_SRC_ALPHA;
  return AlphaBlendEntry(DestDC, DestRect.Left, DestRect.Top, WidthOfRect(DestRect), HeightOfRect(DestRect), SrcDC,
                         SrcRect.Left, SrcRect.Top, WidthOfRect(SrcRect), HeightOfRect(SrcRect), blend) != FALSE;
}

void BlendDCArea(HDC DestDC, HDC SrcDC, const TRect& DestRect, const TRect& SrcRect, bool Smooth, BYTE Alpha) {
  const bool smoothResize = Smooth && !SameRectSize(DestRect, SrcRect);
  if (!IsRunningUnderWow64 && !IsWindows9xPlatform && AlphaBlendAvailable() && !smoothResize) {
    AlphaBlendDC(DestDC, SrcDC, DestRect, SrcRect, Alpha);
    return;
  }
  if (RectHasNoArea(DestRect) || RectHasNoArea(SrcRect)) return;
  // In software: both areas copied out, the source brought to the destination's size, blended
  // over the copy of the destination, and the copy put back.
  std::unique_ptr<TBitmap> source(CopyDCAreaTo32Bit(SrcDC, SrcRect));
  std::unique_ptr<TBitmap> dest(CopyDCAreaTo32Bit(DestDC, DestRect));
  std::unique_ptr<TBitmap> scaled;
  TBitmap* blended = source.get();
  if (!SameRectSize(DestRect, SrcRect)) {
    scaled.reset(NewBitmapForRect(DestRect, pf32bit));
    if (Smooth)
      ResampleBitmap(source.get(), scaled.get(), true);
    else
      StretchBitmapInto(scaled.get(), source.get());
    blended = scaled.get();
  }
  const TRect area(0, 0, dest->Width(), dest->Height());
  if (!AlphaBlendDC(dest->Canvas()->Handle(), blended->Canvas()->Handle(), area, area, Alpha)) {
    TRGBColors src, dst;
    if (GetBitmapColors(blended->Handle(), src, true) && GetBitmapColors(dest->Handle(), dst, true) &&
        src.size() == dst.size()) {
      for (std::size_t i = 0; i < dst.size(); ++i) BlendPixel(src[i], dst[i], Alpha);
      StoreBitmapColors(dest->Handle(), dst, true);
    }
  }
  BitBlt(DestDC, DestRect.Left, DestRect.Top, dest->Width(), dest->Height(), dest->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void BlendBitmapToDC(HDC DestDC, TBitmap* AlphaBitmap, const TRect& DestRect, const TRect& SrcRect, bool Smooth,
                     BYTE Alpha) {
  BlendDCArea(DestDC, AlphaBitmap->Canvas()->Handle(), DestRect, SrcRect, Smooth, Alpha);
}

void BlendBitmapToBitmap(TBitmap* DestBitmap, TBitmap* SrcBitmap, const TRect& DestRect, const TRect& SrcRect,
                         bool Smooth, BYTE Alpha) {
  BlendDCArea(DestBitmap->Canvas()->Handle(), SrcBitmap->Canvas()->Handle(), DestRect, SrcRect, Smooth, Alpha);
}

// ---- resampling -----------------------------------------------------------------------------------

float LanczosKernel(float X) {
  auto sinc = [](float v) {
    if (v == 0.0f) return 1.0f;
    const float p = std::numbers::pi_v<float> * v;
    return std::sin(p) / p;
  };
  if (std::fabs(X) >= 3.0f) return 0.0f;
  return sinc(X) * sinc(X / 3.0f);
}

TContributorList BuildContributors(int SourceExtent, int TargetExtent) {
  TContributorList list(static_cast<std::size_t>(std::max(0, TargetExtent)));
  if (SourceExtent <= 0 || TargetExtent <= 0) return list;
  const double scale = (SourceExtent == 1 || TargetExtent == 1)
                           ? static_cast<double>(TargetExtent) / SourceExtent
                           : static_cast<double>(TargetExtent - 1) / (SourceExtent - 1);
  const double width = scale >= 1.0 ? 1.0 : 1.0 / scale;
  const double support = 3.0 * width;
  // Indices outside the source are reflected at its edges (about -0.5 on the left, n - 0.5 on the
  // right) until they land inside: a wide support reaches past more than one edge.
  const int period = 2 * SourceExtent - 1;
  auto reflect = [&](int j) {
    if (period <= 1) return 0;
    int m = j % period;
    if (m < 0) m += period;
    return m >= SourceExtent ? period - m : m;
  };
  for (int i = 0; i < TargetExtent; ++i) {
    const double centre = i / scale;
    TContributors& contributors = list[static_cast<std::size_t>(i)];
    for (int j = static_cast<int>(std::floor(centre - support)), last = static_cast<int>(std::ceil(centre + support));
         j <= last; ++j) {
      const float x = static_cast<float>((centre - j) / width);
      const float weight = LanczosKernel(x) / static_cast<float>(width) * 256.0f;
      const int w = static_cast<int>(std::nearbyint(weight));
      if (w != 0) contributors.push_back({reflect(j), w});
    }
  }
  return list;
}

namespace {

BYTE ClampWeighted(int Sum) { return static_cast<BYTE>(Sum < 0 ? 0 : std::min(255, Sum >> 8)); }

TRGBQuad WeightedPixel(const TContributors& Contributors, const TRGBQuad* Pixels, std::size_t Stride) {
  int b = 0, g = 0, r = 0, a = 0;
  for (const TContributor& c : Contributors) {
    const TRGBQuad& p = Pixels[static_cast<std::size_t>(c.Pixel) * Stride];
    b += c.Weight * p.rgbBlue;
    g += c.Weight * p.rgbGreen;
    r += c.Weight * p.rgbRed;
    a += c.Weight * p.rgbReserved;
  }
  TRGBQuad out;
  out.rgbBlue = ClampWeighted(b);
  out.rgbGreen = ClampWeighted(g);
  out.rgbRed = ClampWeighted(r);
  out.rgbReserved = ClampWeighted(a);
  return out;
}

}  // namespace

void ResampleBitmap(TBitmap* Source, TBitmap* Dest, bool ForceLanczos) {
  if (!Source || !Dest) return;
  const int sw = Source->Width(), sh = Source->Height(), dw = Dest->Width(), dh = Dest->Height();
  if (sw == 0 || sh == 0 || dw == 0 || dh == 0) return;
  CanvasLock sourceLock(Source->Canvas()), destLock(Dest->Canvas());
  if (!ForceLanczos && IsWindowsNTPlatform) {
    HDC dc = Dest->Canvas()->Handle();
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, dw, dh, Source->Canvas()->Handle(), 0, 0, sw, sh, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
    return;
  }
  TRGBColors source;
  if (!GetBitmapColors(Source->Handle(), source, true)) return;
  // Horizontally into the destination's width, then vertically into its height.
  const TContributorList horz = BuildContributors(sw, dw);
  const TContributorList vert = BuildContributors(sh, dh);
  TRGBColors between(static_cast<std::size_t>(dw) * sh);
  for (int y = 0; y < sh; ++y)
    for (int x = 0; x < dw; ++x)
      between[static_cast<std::size_t>(y) * dw + x] =
          WeightedPixel(horz[static_cast<std::size_t>(x)], &source[static_cast<std::size_t>(y) * sw], 1);
  TRGBColors result(static_cast<std::size_t>(dw) * dh);
  for (int y = 0; y < dh; ++y)
    for (int x = 0; x < dw; ++x)
      result[static_cast<std::size_t>(y) * dw + x] =
          WeightedPixel(vert[static_cast<std::size_t>(y)], &between[static_cast<std::size_t>(x)], static_cast<std::size_t>(dw));
  StoreBitmapColors(Dest->Handle(), result, true);
}

// ---- cursor -------------------------------------------------------------------------------------------

void CurrentCursorExtent(TSize& Size) {
  Size = TSize(GetSystemMetrics(SM_CXCURSOR), GetSystemMetrics(SM_CYCURSOR));
  ICONINFO info;
  HCURSOR cursor = GetCursor();
  if (!cursor || !GetIconInfo(cursor, &info)) return;
  BITMAP mask;
  if (ReadBitmapData(info.hbmMask, mask) && mask.bmBitsPixel == 1 && mask.bmWidth > 0) {
    Size.cx = mask.bmWidth;
    // A cursor without a colour bitmap keeps its AND mask above its XOR mask in one bitmap.
    const bool hasXorHalf = info.hbmColor == nullptr;
    const int andHeight = hasXorHalf ? mask.bmHeight / 2 : mask.bmHeight;
    TRGBColors pixels;
    if (GetBitmapColors(info.hbmMask, pixels, true)) {
      auto lowestRow = [&](int first, int count, auto inked) {
        for (int y = first + count - 1; y >= first; --y)
          for (int x = 0; x < mask.bmWidth; ++x)
            if (inked(pixels[static_cast<std::size_t>(y) * mask.bmWidth + x])) return y - first;
        return -1;
      };
      auto opaque = [](const TRGBQuad& p) { return (p.rgbRed | p.rgbGreen | p.rgbBlue) != 0xFF; };
      auto notBlack = [](const TRGBQuad& p) { return (p.rgbRed | p.rgbGreen | p.rgbBlue) != 0; };
      int row = lowestRow(0, andHeight, opaque);
      if (row < 0 && hasXorHalf) row = lowestRow(andHeight, andHeight, notBlack);
      if (row >= 0) Size.cy = row + 1 - static_cast<int>(info.yHotspot);
    }
  }
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

// ---- text on a device context -------------------------------------------------------------------

UINT TextFlagsToDrawTextFormat(LibraryTextFlags Flags) {
  UINT format = 0;
  if (Flags & ltfAlignRight) format |= DT_RIGHT;
  if (Flags & ltfCenterHorz) format |= DT_CENTER;
  if (Flags & ltfAlignBottom) format |= DT_BOTTOM;
  if (Flags & ltfCenterVert) format |= DT_VCENTER;
  if (Flags & ltfSingleLine) format |= DT_SINGLELINE;
  if (Flags & ltfNoClip) format |= DT_NOCLIP;
  if (Flags & ltfExpandTabs) format |= DT_EXPANDTABS;
  if (!(Flags & ltfShowPrefix)) format |= DT_NOPREFIX;
  if (Flags & ltfWordBreak) {
    format |= DT_WORDBREAK;
    if (!(Flags & ltfNoWordSplit))
      format |= DT_EDITCONTROL;
    else if (Flags & ltfNoFullWidthCharBreak)
      format |= DT_NOFULLWIDTHCHARBREAK;
  }
  if (Flags & ltfEndEllipsis) format |= DT_END_ELLIPSIS;
  if (Flags & ltfMeasureOnly) format |= DT_CALCRECT;
  if (Flags & ltfPathEllipsis) format |= DT_PATH_ELLIPSIS;
  return format;
}

bool MeasureTextOnDC(HDC DC, const String& Text, TSize& Size, int Count) {
  SIZE size{};
  const bool ok = GetTextExtentPoint32(DC, Text.c_str(), CountOrWhole(Text, Count), &size) != FALSE;
  if (ok) Size = size;
  return ok;
}

int DrawTextOnDC(HDC DC, const String& Text, TRect& R, UINT Format, int Count, TColor TextColour, int BkMode) {
  const bool setColour = TextColour != clDefault;
  const COLORREF oldColour = setColour ? SetTextColor(DC, ColorToRGB(TextColour)) : 0;
  const int oldMode = SetBkMode(DC, BkMode);
  RECT rc = R;
  const int result = DrawText(DC, Text.c_str(), CountOrWhole(Text, Count), &rc, Format);
  R = rc;
  SetBkMode(DC, oldMode);
  if (setColour) SetTextColor(DC, oldColour);
  return result;
}

int DrawTextOnCanvas(TCanvas* Canvas, const String& Text, const TRect& R, UINT Format, TColor TextColour) {
  TRect r = R;
  return DrawTextOnDC(Canvas->Handle(), Text, r, Format, -1, TextColour, TRANSPARENT);
}

int DrawTextRotated(TcxCanvas* Canvas, const String& Text, const TRect& R, UINT Format, TColor TextColour,
                    TcxRotationCode Rotation) {
  if (Rotation == rcNone) return DrawTextOnCanvas(Canvas->Canvas(), Text, R, Format, TextColour);
  if (RectHasNoArea(R)) return 0;
  // The area is turned so that the text can be drawn horizontally on it, then turned back.
  static constexpr TcxRotationCode kInverse[] = {rcNone, rcTurnRight, rcTurnLeft, rcHalfTurn};
  std::unique_ptr<TBitmap> area(NewBitmapForRect(R, pf32bit));
  BitBlt(area->Canvas()->Handle(), 0, 0, area->Width(), area->Height(), Canvas->DeviceContext(), R.Left, R.Top,
         SRCCOPY);
  RotateBitmapPixels(area.get(), kInverse[Rotation], false);
  area->Canvas()->Font()->Assign(Canvas->ActiveFont());
  TRect textRect(0, 0, area->Width(), area->Height());
  const int result = DrawTextOnDC(area->Canvas()->Handle(), Text, textRect, Format, -1, TextColour, TRANSPARENT);
  RotateBitmapPixels(area.get(), Rotation, false);
  BitBlt(Canvas->DeviceContext(), R.Left, R.Top, WidthOfRect(R), HeightOfRect(R), area->Canvas()->Handle(), 0, 0,
         SRCCOPY);
  return result;
}

bool TextOutOnDC(HDC DC, const String& Text, const TPoint& Point, const TRect& ClipRect, UINT Options, int Count) {
  RECT rc = ClipRect;
  return ExtTextOut(DC, Point.X, Point.Y, Options, &rc, Text.c_str(), static_cast<UINT>(CountOrWhole(Text, Count)),
                    nullptr) != FALSE;
}

void FontTextExtent(TFont* Font, const String& Text, int FontSize, TSize& Size) {
  Size = TSize();
  TcxScreenCanvas* canvas = ScreenCanvasInstance();
  if (!canvas) return;
  if (Font) canvas->AssignFont(Font);
  if (FontSize != 0) canvas->ActiveFont()->SetSize(FontSize);
  canvas->MeasureText(Text, Size);
  canvas->ReleaseScreenDC();
}

int FontTextWidth(TFont* Font, const String& Text, int FontSize) {
  TSize size;
  FontTextExtent(Font, Text, FontSize, size);
  return size.cx;
}

int FontTextHeight(TFont* Font, const String& Text, int FontSize) {
  TSize size;
  FontTextExtent(Font, Text, FontSize, size);
  return size.cy;
}

void TextSizeOnDC(HDC DC, const String& Text, TSize& Size) {
  TRect r;
  CalcTextRectForLines(DC, Text, 1, false, r);
  Size = TSize(r.Right, r.Bottom);
}

void CalcTextRectForLines(HDC DC, const String& Text, int LineCount, bool FixHeight, TRect& R) {
  const int length = CharCount(Text);
  auto measure = [&](int Width, UINT Format) {
    RECT rc{0, 0, Width, 0};
    DrawText(DC, Text.c_str(), length, &rc, DT_CALCRECT | Format);
    return TRect(rc);
  };
  int limit = 32000;
  if (LineCount > 0) {
    SIZE row{};
    GetTextExtentPoint32(DC, "Wg", 2, &row);
    limit = LineCount * row.cy;
  }
  if (LineCount == 1) {
    R = measure(0, DT_SINGLELINE);
  } else {
    // The narrowest width whose wrapped text still fits the height, between the longest word and
    // the whole text on one line.
    int lo = measure(1, DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK).Right;
    int hi = measure(0, DT_SINGLELINE).Right;
    auto tooTall = [&](int Width) { return HeightOfRect(measure(Width, DT_WORDBREAK)) > limit; };
    while (hi - lo > 1) {
      const int mid = (lo + hi) / 2;
      if (tooTall(mid))
        lo = mid;
      else
        hi = mid;
    }
    R = measure(tooTall(lo) ? hi : lo, DT_WORDBREAK);
  }
  if (FixHeight) R.Bottom = R.Top + limit;
}

void WrapTextToLines(const String& Text, TcxCanvas* Canvas, const TRect& R, TStrings* Strings) {
  if (Text.empty() || !Canvas || !Strings) return;
  const TIndexedText text(Text);
  HDC dc = Canvas->DeviceContext();
  const int maxWidth = WidthOfRect(R);
  auto widthOf = [&](int From, int To) {
    TSize size;
    TextSizeOnDC(dc, text.Slice(From, To), size);
    return size.cx;
  };
  auto isBlank = [](char32_t c) { return c == U' ' || c == U'\t'; };
  auto isBreak = [](char32_t c) { return c == U'\r' || c == U'\n'; };
  auto append = [&](int From, int To) {
    Strings->Add(text.Slice(From, To));
  };

  const int n = text.Length();
  int lineStart = 0, i = 0;
  bool wordOnLine = false;  // a word has fitted on the current line
  int fittedEnd = 0;
  while (i < n) {
    if (isBreak(text[i])) {
      append(lineStart, i);
      while (i < n && isBreak(text[i])) ++i;
      lineStart = i;
      wordOnLine = false;
      continue;
    }
    if (isBlank(text[i])) {
      ++i;
      continue;
    }
    int wordEnd = i;
    while (wordEnd < n && !isBlank(text[wordEnd]) && !isBreak(text[wordEnd])) ++wordEnd;
    if (widthOf(lineStart, wordEnd) > maxWidth) {
      // The line closes before this word; the word starts the next one, alone when it is too wide
      // for any line. Before a first word that is too wide there is nothing to close.
      if (wordOnLine) append(lineStart, fittedEnd);
      lineStart = i;
      wordOnLine = false;
      if (widthOf(i, wordEnd) > maxWidth) {
        append(i, wordEnd);
        lineStart = wordEnd;
        while (lineStart < n && isBlank(text[lineStart])) ++lineStart;
        i = lineStart;
        continue;
      }
    }
    wordOnLine = true;
    fittedEnd = wordEnd;
    i = wordEnd;
  }
  if (lineStart < n) append(lineStart, n);
}

// ---- windows and GDI objects --------------------------------------------------------------------

void InvalidateWindowRect(HWND Wnd, const TRect& R, bool Erase) {
  RECT rc = R;
  InvalidateRect(Wnd, &rc, Erase ? TRUE : FALSE);
}

void InvalidateWholeWindow(HWND Wnd, bool Erase) { InvalidateRect(Wnd, nullptr, Erase ? TRUE : FALSE); }

bool ReadBitmapData(HBITMAP Handle, BITMAP& Data) { return GetObject(Handle, sizeof Data, &Data) != 0; }

bool ReadBrushData(HBRUSH Handle, LOGBRUSH& Data) { return GetObject(Handle, sizeof Data, &Data) != 0; }

bool ReadFontData(HFONT Handle, LOGFONT& Data) { return GetObject(Handle, sizeof Data, &Data) != 0; }

bool ReadPenData(HPEN Handle, LOGPEN& Data) { return GetObject(Handle, sizeof Data, &Data) != 0; }
