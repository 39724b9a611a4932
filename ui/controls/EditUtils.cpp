#include "ui/controls/EditUtils.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

#include "platform/win/Rects.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/OfficePainters.h"
#include "ui/foundation/ThemeManager.h"
#include "ui/foundation/WinXPPainter.h"

using namespace win;

namespace {

constexpr int SystemColorBrushCount = 31;

// Filled at start-up; the system owns these brushes, so they are never deleted.
std::array<HBRUSH, SystemColorBrushCount>* SystemColorBrushes = nullptr;
TcxSolidBrushCache* BrushCacheInstance = nullptr;

bool IsSystemColorIndex(TColor Color) {
  auto u = static_cast<std::uint32_t>(Color);
  return u >= 0xFF000000u && u <= 0xFF000000u + SystemColorBrushCount - 1;
}

}  // namespace

// ---- TcxSolidBrushCache -----------------------------------------------------------------------------

TcxSolidBrushCache::TcxSolidBrushCache(int ACapacity)
    : FColors(ACapacity), FBrushes(ACapacity), FUseCounts(ACapacity), FCapacity(ACapacity) {
  FNotifier = new TcxSystemPaletteChangedNotifier();
  FNotifier->OnPaletteChanged = [this](TObject*) { SystemPaletteChanged(); };
}

TcxSolidBrushCache::~TcxSolidBrushCache() {
  delete FNotifier;
  DropAllBrushes();
}

void TcxSolidBrushCache::DropAllBrushes() {
  for (int i = 0; i < FCount; ++i) DeleteObject(FBrushes[i]);
  FCount = 0;
}

int TcxSolidBrushCache::RarestIndex() const {
  int best = 0;
  for (int i = 0; i < FCount; ++i) {
    if (FUseCounts[i] == 0) return i;
    if (FUseCounts[i] < FUseCounts[best]) best = i;
  }
  return best;
}

HBRUSH TcxSolidBrushCache::GetBrush(TColor Color) {
  if (IsSystemColorIndex(Color) && SystemColorBrushes)
    return (*SystemColorBrushes)[static_cast<std::uint32_t>(Color) & 0xFFFFFFu];

  // Signed comparison keeps system colours and markers (high bit set) before plain RGB values.
  auto first = FColors.begin();
  auto pos = std::lower_bound(first, first + FCount, Color);
  int index = static_cast<int>(pos - first);
  if (index < FCount && FColors[index] == Color) {
    ++FUseCounts[index];
    return FBrushes[index];
  }

  if (FCount == FCapacity) {
    int victim = RarestIndex();
    DeleteObject(FBrushes[victim]);
    for (int i = victim; i < FCount - 1; ++i) {
      FColors[i] = FColors[i + 1];
      FBrushes[i] = FBrushes[i + 1];
      FUseCounts[i] = FUseCounts[i + 1];
    }
    --FCount;
    if (index > victim) --index;
  }
  for (int i = FCount; i > index; --i) {
    FColors[i] = FColors[i - 1];
    FBrushes[i] = FBrushes[i - 1];
    FUseCounts[i] = FUseCounts[i - 1];
  }
  FColors[index] = Color;
  FBrushes[index] = CreateSolidBrush(ColorToRGB(Color));
  FUseCounts[index] = 0;
  ++FCount;
  return FBrushes[index];
}

// ---- unit -------------------------------------------------------------------------------------------

void EditPaintingStartup() {
  if (!SystemColorBrushes) {
    SystemColorBrushes = new std::array<HBRUSH, SystemColorBrushCount>();
    for (int i = 0; i < SystemColorBrushCount; ++i) (*SystemColorBrushes)[i] = GetSysColorBrush(i);
  }
  if (!BrushCacheInstance) BrushCacheInstance = new TcxSolidBrushCache();
}

void EditPaintingShutdown() {
  delete BrushCacheInstance;
  BrushCacheInstance = nullptr;
  delete SystemColorBrushes;
  SystemColorBrushes = nullptr;
}

TcxSolidBrushCache* SolidBrushCache() { return BrushCacheInstance; }

HBRUSH CachedSolidBrush(TColor Color) {
  // Painting outside the unit's lifetime still works; the brush then lives until start-up drops it.
  if (!BrushCacheInstance) EditPaintingStartup();
  return BrushCacheInstance->GetBrush(Color);
}

// ---- fills ------------------------------------------------------------------------------------------

void FillRectWithBrush(HDC DC, const TRect& R, HBRUSH Brush) {
  RECT rc = R;
  FillRect(DC, &rc, Brush);
}

void FillRectSolid(TcxCanvas* ACanvas, const TRect& R, TColor Color) {
  HDC dc = ACanvas->DeviceContext();
  FillRectWithBrush(dc, R, CachedSolidBrush(Color));
}

void FillRectExcluding(TcxCanvas* ACanvas, const TRect& Outer, const TRect& Inner, HBRUSH Brush) {
  bool outerEmpty = Outer.Right <= Outer.Left || Outer.Bottom <= Outer.Top;
  if (outerEmpty || Outer == Inner) return;
  HDC dc = ACanvas->DeviceContext();
  if (Inner.Right <= Inner.Left || Inner.Bottom <= Inner.Top) {
    FillRectWithBrush(dc, Outer, Brush);
    return;
  }
  FillRectWithBrush(dc, TRect(Outer.Left, Outer.Top, Inner.Left, Outer.Bottom), Brush);
  FillRectWithBrush(dc, TRect(Inner.Left, Outer.Top, Inner.Right, Inner.Top), Brush);
  FillRectWithBrush(dc, TRect(Inner.Right, Outer.Top, Outer.Right, Outer.Bottom), Brush);
  FillRectWithBrush(dc, TRect(Inner.Left, Inner.Bottom, Inner.Right, Outer.Bottom), Brush);
}

// ---- lines ------------------------------------------------------------------------------------------

void DrawEditPolyline(TcxCanvas* ACanvas, const TPoint* Points, int SegmentCount, bool PixelExact, TColor Color) {
  if (SegmentCount < 0) return;
  const TPoint& last = Points[SegmentCount];
  if (!PixelExact) {
    ACanvas->ActivePen()->SetColor(Color);
    ACanvas->DrawPolyline(Points, SegmentCount);
    ACanvas->PutPixel(last.X, last.Y, Color);
    return;
  }
  HDC dc = ACanvas->DeviceContext();
  for (int i = 0; i < SegmentCount; ++i) {
    const TPoint& a = Points[i];
    const TPoint& b = Points[i + 1];
    TRect r;
    if (a.X == b.X) {
      r.Left = a.X;
      r.Right = a.X + 1;
      if (b.Y >= a.Y) {
        r.Top = a.Y;
        r.Bottom = b.Y;
      } else {
        r.Top = b.Y + 1;
        r.Bottom = a.Y + 1;
      }
    } else {
      r.Top = a.Y;
      r.Bottom = a.Y + 1;
      if (b.X >= a.X) {
        r.Left = a.X;
        r.Right = b.X;
      } else {
        r.Left = b.X + 1;
        r.Right = a.X + 1;
      }
    }
    FillRectWithBrush(dc, r, CachedSolidBrush(Color));
  }
  FillRectWithBrush(dc, TRect(last.X, last.Y, last.X + 1, last.Y + 1), CachedSolidBrush(Color));
}

void DrawRectSides(TcxCanvas* ACanvas, TRect& R, int Sides, TColor Color) {
  ACanvas->ActivePen()->SetColor(Color);
  auto line = [&](int x1, int y1, int x2, int y2) {
    ACanvas->MoveToPoint(x1, y1);
    ACanvas->LineToPoint(x2, y2);
  };
  if (Sides & rsLeft) {
    line(R.Left, R.Top, R.Left, R.Bottom);
    ++R.Left;
  }
  if (Sides & rsRight) {
    line(R.Right - 1, R.Top, R.Right - 1, R.Bottom);
    --R.Right;
  }
  if (Sides & rsTop) {
    line(R.Left, R.Top, R.Right, R.Top);
    ++R.Top;
  }
  if (Sides & rsBottom) {
    line(R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
    --R.Bottom;
  }
}

// ---- arrows -----------------------------------------------------------------------------------------

TSize EditArrowSize(const TSize& Size, TcxArrowPointing Direction) {
  int m = std::min(Size.cx, Size.cy);
  int w = (m - 1) / 2;
  if (w % 2 == 0) ++w;
  int h = w / 2 + 1;
  if (Direction == adLeft || Direction == adRight) std::swap(w, h);
  return TSize(w, h);
}

void DrawEditArrow(TcxCanvas* ACanvas, int A, const TRect& R, TColor Color, bool Pressed, int Count,
                   TcxArrowPointing Direction) {
  if (A <= 0 || Count <= 0) return;
  bool vertical = Direction == adUp || Direction == adDown;
  int across = 2 * A - 1;
  int along = Count * A;
  int blockW = vertical ? across : along;
  int blockH = vertical ? along : across;
  int x0 = R.Left + (R.Right - R.Left - blockW) / 2;
  int y0 = R.Top + (R.Bottom - R.Top - blockH) / 2;
  if (Pressed) {
    ++x0;
    ++y0;
  }
  HDC dc = ACanvas->DeviceContext();
  for (int t = 0; t < Count; ++t) {
    for (int k = 0; k < A; ++k) {
      // Row (or column) k of the triangle: the tip first for up and left.
      int half = (Direction == adUp || Direction == adLeft) ? k : A - 1 - k;
      int from = A - 1 - half;
      int to = A + half;  // exclusive
      int step = t * A + k;
      TRect r = vertical ? TRect(x0 + from, y0 + step, x0 + to, y0 + step + 1)
                         : TRect(x0 + step, y0 + from, x0 + step + 1, y0 + to);
      FillRectWithBrush(dc, r, CachedSolidBrush(Color));
    }
  }
}

// ---- small helpers ----------------------------------------------------------------------------------

bool CharIsDecimalDigit(char C) { return C >= '0' && C <= '9'; }

bool OffsetRectByPoint(TRect& R, const TPoint& P) {
  RECT rc = R;
  BOOL ok = OffsetRect(&rc, P.X, P.Y);
  R = rc;
  return ok != 0;
}

namespace {

struct TFlagPair {
  UINT DrawText;
  TcxTextLayoutFlags Layout;
  // The alignments are values of a field, not single bits: justified text (3) is neither centred
  // nor right-aligned.
  TcxTextLayoutFlags LayoutMask;
};

// Eight pairs; each side's bit has the same meaning as its partner.
constexpr TFlagPair kFlagPairs[8] = {
    {DT_CENTER, tlfCenterHorz, tlfHorzMask},        {DT_RIGHT, tlfAlignRight, tlfHorzMask},
    {DT_VCENTER, tlfCenterVert, tlfVertMask},       {DT_BOTTOM, tlfAlignBottom, tlfVertMask},
    {DT_SINGLELINE, tlfSingleLine, tlfSingleLine},  {DT_WORDBREAK, tlfWordBreak, tlfWordBreak},
    {DT_EXPANDTABS, tlfExpandTabs, tlfExpandTabs},  {DT_CALCRECT, tlfMeasureOnly, tlfMeasureOnly},
};

}  // namespace

TcxTextLayoutFlags ConvertDrawTextFlags(UINT Flags) {
  TcxTextLayoutFlags result = 0;
  for (const TFlagPair& p : kFlagPairs)
    if (Flags & p.DrawText) result |= p.Layout;
  return result;
}

UINT ConvertTextLayoutFlagsToDrawText(TcxTextLayoutFlags Flags) {
  UINT result = 0;
  for (const TFlagPair& p : kFlagPairs)
    if ((Flags & p.LayoutMask) == p.Layout) result |= p.DrawText;
  return result;
}

// ---- glyphs -----------------------------------------------------------------------------------------

namespace {

// A bitmap of the glyph's size filled with the colour.
std::unique_ptr<TBitmap> FilledBitmap(int Width, int Height, TColor Color) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(Width, Height);
  bitmap->Canvas()->Brush()->SetColor(Color);
  bitmap->Canvas()->FillRect(Rect(0, 0, Width, Height));
  return bitmap;
}

}  // namespace

void DrawGlyphOnCanvas(TcxCanvas* ACanvas, int X, int Y, TBitmap* Target, TColor Background, bool Enabled,
                       TBitmap* Glyph) {
  if (!Glyph || Glyph->Empty()) return;
  TCanvas* canvas = ACanvas->Canvas();
  const int w = Glyph->Width(), h = Glyph->Height();
  if (Enabled) {
    TCanvas* onto = Target ? Target->Canvas() : canvas;
    TBrushStyle savedStyle = onto->Brush()->Style();
    if (Target || Background == clNone)
      onto->Brush()->SetStyle(bsClear);
    else
      onto->Brush()->SetColor(Background);
    RECT source = Rect(0, 0, w, h);
    if (Target) {
      onto->BrushCopy(source, Glyph, source, Glyph->TransparentColor());
      canvas->Draw(X, Y, Target);
    } else {
      onto->BrushCopy(Rect(X, Y, X + w, Y + h), Glyph, source, Glyph->TransparentColor());
    }
    onto->Brush()->SetStyle(savedStyle);
    return;
  }
  TCustomImageList images(nullptr, w, h);
  images.AddMasked(Glyph, Glyph->TransparentColor());
  if (Target) {
    if (Background != clNone) {
      Target->Canvas()->Brush()->SetColor(Background);
      Target->Canvas()->FillRect(Rect(0, 0, w, h));
    }
    images.Draw(Target->Canvas(), 0, 0, 0, false);
    canvas->Draw(X, Y, Target);
  } else if (Background != clNone) {
    std::unique_ptr<TBitmap> buffer = FilledBitmap(w, h, Background);
    images.Draw(buffer->Canvas(), 0, 0, 0, false);
    canvas->Draw(X, Y, buffer.get());
  } else {
    images.Draw(canvas, X, Y, 0, false);
  }
}

void DrawImageListImageBuffered(TcxCanvas* ACanvas, TCustomImageList* Images, int Index, TBitmap* Bitmap,
                                bool Enabled, TColor Background, const TRect& R) {
  std::unique_ptr<TBitmap> own;
  if (!Bitmap) {
    own = FilledBitmap(Images->Width(), Images->Height(), Background);
    Bitmap = own.get();
  }
  Images->Draw(Bitmap->Canvas(), 0, 0, Index, Enabled);
  ACanvas->Canvas()->Draw(R.Left, R.Top, Bitmap);
}

// ---- editor metrics and colours ---------------------------------------------------------------------

TcxCustomLookAndFeelPainterClass LookAndFeelPainterClassFor(bool Native, TcxLookAndFeelKind Kind) {
  if (Native && HasVisualStyles()) return WinXPLookAndFeelPainter();
  return LookAndFeelPainterOfKind(Kind);
}

TColor UltraFlatButtonBorderColor(bool Office11) { return Office11 ? Office11HighlightFrameColor : clHighlight; }

TColor UltraFlatButtonFillColor(bool Pressed, bool Office11) {
  TcxCustomLookAndFeelPainterClass painter =
      Office11 ? static_cast<TcxCustomLookAndFeelPainterClass>(Office11LookAndFeelPainter())
               : static_cast<TcxCustomLookAndFeelPainterClass>(UltraFlatLookAndFeelPainter());
  return painter->ButtonFaceColor(Pressed ? cxbsPressed : cxbsHot);
}

void SetCanvasFontFromLogFont(TcxCanvas* ACanvas, const LOGFONT& LogFont) {
  ACanvas->ActiveFont()->SetHandle(CreateFontIndirect(&LogFont));
}

bool ReadCanvasLogFont(TcxCanvas* ACanvas, LOGFONT& LogFont) {
  return GetObject(ACanvas->ActiveFont()->Handle(), sizeof(LOGFONT), &LogFont) != 0;
}
