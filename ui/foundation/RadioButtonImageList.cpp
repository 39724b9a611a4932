#include "ui/foundation/RadioButtonImageList.h"

#include <algorithm>

#include "platform/classes/Bitmap.h"
#include "platform/gdi/Gdi.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/OfficePainters.h"

using namespace win;

namespace {

int gGlyphWidth = 0, gGlyphHeight = 0;
TcxRadioButtonImageList* gInstance = nullptr;
std::vector<int> gImageIndexes;

enum : std::uint8_t { pcOutside, pcOuterTopLeft, pcOuterBottomRight, pcInnerTopLeft, pcInnerBottomRight, pcBody, pcCheck };

int GlyphKey(int State, bool Checked, int Kind, bool IsDesigning, bool Focused) {
  return (State - 1) + (Checked ? 4 : 0) + Kind * 8 + (IsDesigning ? 32 : 0) + (Focused ? 64 : 0);
}

void FillBlack(TBitmap& B) {
  B.Canvas()->Brush()->SetColor(clBlack);
  B.Canvas()->FillRect(TRect(0, 0, B.Width(), B.Height()));
}

// A rounded rectangle over the whole of R with corner ellipse (width - 1, height - 1).
void Circle(HDC DC, const TRect& R, bool Filled) {
  HGDIOBJ pen = SelectObject(DC, GetStockObject(BLACK_PEN));
  HGDIOBJ brush = SelectObject(DC, GetStockObject(Filled ? BLACK_BRUSH : WHITE_BRUSH));
  RoundRect(DC, R.Left, R.Top, R.Right, R.Bottom, R.Right - R.Left - 1, R.Bottom - R.Top - 1);
  SelectObject(DC, brush);
  SelectObject(DC, pen);
}

// A white 32-bit bitmap of the glyph size with Draw applied; calls Mark for every black pixel.
template <class DrawFn, class MarkFn>
void BlackPixelsOf(DrawFn Draw, MarkFn Mark) {
  TBitmap b;
  b.SetPixelFormat(pf32bit);
  b.SetSize(gGlyphWidth, gGlyphHeight);
  b.Canvas()->Brush()->SetColor(clWhite);
  b.Canvas()->FillRect(TRect(0, 0, gGlyphWidth, gGlyphHeight));
  Draw(b.Canvas()->Handle());
  for (int i = 0; i < gGlyphHeight; ++i)
    for (int j = 0; j < gGlyphWidth; ++j)
      if ((GetPixel(b.Canvas()->Handle(), j, i) & 0xFFFFFF) == 0) Mark(i, j);
}

// Which half of a ring a cell lies in: the lower-right one below the diagonal from the lower-left
// to the upper-right corner.
bool BelowDiagonal(int I, int J) {
  return (gGlyphHeight - 1) * (gGlyphWidth - 1 - J) < I * (gGlyphWidth - 1);
}

struct TGlyphColors {
  TColor Body, Ring, Check;
  TColor Code[7];
};

TGlyphColors ColorsOf(TcxLookAndFeelKind Kind, TcxButtonState State, bool Checked, bool IsDesigning, bool Focused) {
  const bool disabled = State == cxbsDisabled;
  const bool active = State == cxbsHot || State == cxbsPressed;
  TGlyphColors c{};
  if (Kind == lfOffice11) {
    c.Body = State == cxbsNormal ? clWindow : Office11LookAndFeelPainter()->ButtonFaceColor(State);
  } else if (disabled) {
    c.Body = clBtnFace;
  } else if (Kind == lfUltraFlat) {
    c.Body = State == cxbsHot ? HotTrackMixColor() : State == cxbsPressed ? PressedMixColor() : clWindow;
  } else {
    c.Body = State == cxbsPressed ? clBtnFace : clWindow;
  }
  if (Kind == lfOffice11)
    c.Ring = disabled ? Office11DisabledArrowColor
             : Focused || active || IsDesigning ? Office11HighlightFrameColor
                                                : clBtnText;
  else
    c.Ring = Focused || active || (IsDesigning && !disabled) ? clHighlight : clBtnShadow;
  if (!Checked)
    c.Check = c.Body;
  else if (!disabled)
    c.Check = clWindowText;
  else
    c.Check = Kind == lfOffice11 ? Office11DisabledArrowColor : clBtnShadow;

  c.Code[pcOutside] = clBlack;
  c.Code[pcBody] = c.Body;
  c.Code[pcCheck] = c.Check;
  switch (Kind) {
    case lfFlat:
      c.Code[pcOuterTopLeft] = clBtnShadow;
      c.Code[pcOuterBottomRight] = clBtnHighlight;
      c.Code[pcInnerTopLeft] = c.Code[pcInnerBottomRight] = cl3DLight;
      break;
    case lfStandard:
      c.Code[pcOuterTopLeft] = clBtnShadow;
      c.Code[pcOuterBottomRight] = clBtnHighlight;
      c.Code[pcInnerTopLeft] = cl3DDkShadow;
      c.Code[pcInnerBottomRight] = cl3DLight;
      break;
    case lfUltraFlat:
    case lfOffice11:
      c.Code[pcOuterTopLeft] = c.Code[pcOuterBottomRight] = c.Ring;
      c.Code[pcInnerTopLeft] = c.Code[pcInnerBottomRight] = c.Body;
      break;
  }
  return c;
}

// The colour as the bitmap's pixel: blue in the low byte.
std::uint32_t PixelOf(TColor C) {
  const COLORREF rgb = ColorToRGB(C);
  return (static_cast<std::uint32_t>(GetRValue(rgb)) << 16) | (static_cast<std::uint32_t>(GetGValue(rgb)) << 8) |
         GetBValue(rgb);
}

}  // namespace

TcxRadioButtonImageList::TcxRadioButtonImageList() {
  Measure();
  BuildPattern();
  Render();
}

TcxRadioButtonImageList::~TcxRadioButtonImageList() {
  TObject::Free(FButtonMask);
  TObject::Free(FImageList);
}

void TcxRadioButtonImageList::Measure() {
  TSize cell;
  if (HBITMAP checkboxes = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECKBOXES))) {
    BITMAP data{};
    if (GetObject(checkboxes, sizeof data, &data)) cell = TSize(data.bmWidth / 4, data.bmHeight / 3);
    DeleteObject(checkboxes);
  }
  gGlyphWidth = gGlyphHeight = 0;
  if (cell.cx > 0 && cell.cy > 0) {
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(cell.cx, cell.cy);
    HDC dc = b.Canvas()->Handle();
    RECT r{0, 0, cell.cx, cell.cy};

    FillBlack(b);
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONRADIOMASK | DFCS_FLAT);
    int first = -1, top = -1;
    for (int x = 0; x < cell.cx; ++x) {
      bool any = false;
      for (int y = 0; y < cell.cy && !any; ++y) any = (GetPixel(dc, x, y) & 0xFFFFFF) == 0;
      if (any && first < 0) first = x;
      gGlyphWidth += any;
    }
    for (int y = 0; y < cell.cy; ++y) {
      bool any = false;
      for (int x = 0; x < cell.cx && !any; ++x) any = (GetPixel(dc, x, y) & 0xFFFFFF) == 0;
      if (any && top < 0) top = y;
      gGlyphHeight += any;
    }
    if (gGlyphWidth == 0 || gGlyphHeight == 0) gGlyphWidth = gGlyphHeight = 0;
    FRadioRect = TRect(std::max(first, 0), std::max(top, 0), std::max(first, 0) + gGlyphWidth,
                       std::max(top, 0) + gGlyphHeight);

    FillBlack(b);
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED | DFCS_FLAT);
    if (gGlyphWidth > 0) {
      const COLORREF ink = ColorToRGB(clWindowText);
      const int cx = (FRadioRect.Left + FRadioRect.Right) / 2, cy = (FRadioRect.Top + FRadioRect.Bottom) / 2;
      auto isInk = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < cell.cx && y < cell.cy && (GetPixel(dc, x, y) & 0xFFFFFF) == ink;
      };
      int t = cy, bt = cy, l = cx, rt = cx;
      while (isInk(cx, t - 1)) --t;
      while (isInk(cx, bt + 1)) ++bt;
      while (isInk(l - 1, cy)) --l;
      while (isInk(rt + 1, cy)) ++rt;
      FCheckRect = isInk(cx, cy) ? TRect(l, t, rt + 1, bt + 1) : TRect(cx, cy, cx, cy);
    }
  }

  FImageList = new TImageList(nullptr, gGlyphWidth, gGlyphHeight);
  FImageList->SetMasked(true);
  FButtonMask = new TBitmap();
  FButtonMask->SetMonochrome(true);
  FButtonMask->SetSize(gGlyphWidth, gGlyphHeight);
  if (gGlyphWidth > 0) {
    FButtonMask->Canvas()->Brush()->SetColor(clWhite);
    FButtonMask->Canvas()->FillRect(TRect(0, 0, gGlyphWidth, gGlyphHeight));
    Circle(FButtonMask->Canvas()->Handle(), TRect(0, 0, gGlyphWidth, gGlyphHeight), true);
  }
}

void TcxRadioButtonImageList::BuildPattern() {
  const int w = gGlyphWidth, h = gGlyphHeight;
  FPattern.assign(static_cast<std::size_t>(w * h), pcOutside);
  if (w == 0) return;
  auto at = [&](int i, int j) -> std::uint8_t& { return FPattern[static_cast<std::size_t>(i * w + j)]; };
  auto onOuterRing = [&](int i, int j) { return at(i, j) == pcOuterTopLeft || at(i, j) == pcOuterBottomRight; };
  auto innerCode = [&](int i, int j) -> std::uint8_t {
    const int lhs = (h - 1) * (w - 1 - j), rhs = i * (w - 1);
    if (lhs != rhs) return lhs < rhs ? pcInnerBottomRight : pcInnerTopLeft;
    return j > w / 2 ? pcInnerBottomRight : pcInnerTopLeft;
  };

  BlackPixelsOf([&](HDC dc) { Circle(dc, TRect(0, 0, w, h), false); },
                [&](int i, int j) { at(i, j) = BelowDiagonal(i, j) ? pcOuterBottomRight : pcOuterTopLeft; });

  for (int i = 1; i <= h - 2; ++i) {
    for (int j = w / 2 - 1; j >= 0 && at(i, j) == pcOutside; --j) at(i, j) = pcBody;
    for (int j = w / 2; j < w && at(i, j) == pcOutside; ++j) at(i, j) = pcBody;
  }

  // The inner ring: a walk from the middle towards the outer ring along each row, then each
  // column; on the first and last line every cell walked is ring, elsewhere only the last one.
  for (int i = 1; i <= h - 2; ++i) {
    const bool edge = i == 1 || i == h - 2;
    for (int dir : {-1, 1}) {
      int last = -1;
      for (int j = dir < 0 ? w / 2 - 1 : w / 2; j >= 0 && j < w && !onOuterRing(i, j); j += dir) {
        if (edge) at(i, j) = innerCode(i, j);
        last = j;
      }
      if (!edge && last >= 0) at(i, last) = innerCode(i, last);
    }
  }
  for (int j = 1; j <= w - 2; ++j) {
    const bool edge = j == 1 || j == w - 2;
    for (int dir : {-1, 1}) {
      int last = -1;
      for (int i = dir < 0 ? h / 2 - 1 : h / 2; i >= 0 && i < h && !onOuterRing(i, j); i += dir) {
        if (edge) at(i, j) = innerCode(i, j);
        last = i;
      }
      if (!edge && last >= 0) at(last, j) = innerCode(last, j);
    }
  }

  const TRect check(FCheckRect.Left - FRadioRect.Left, FCheckRect.Top - FRadioRect.Top,
                    FCheckRect.Right - FRadioRect.Left, FCheckRect.Bottom - FRadioRect.Top);
  if (check.Right > check.Left && check.Bottom > check.Top)
    BlackPixelsOf([&](HDC dc) { Circle(dc, check, true); }, [&](int i, int j) { at(i, j) = pcCheck; });
}

void TcxRadioButtonImageList::Render() {
  if (gGlyphWidth == 0 || FImageList->Count() > 0) return;
  const int w = gGlyphWidth, h = gGlyphHeight;
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(w, h);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w * h));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;

  for (bool focused : {false, true})
    for (bool designing : {false, true})
      for (int kind = lfFlat; kind <= lfOffice11; ++kind)
        for (bool checked : {false, true})
          for (int state = cxbsNormal; state <= cxbsDisabled; ++state) {
            const TGlyphColors colors = ColorsOf(static_cast<TcxLookAndFeelKind>(kind),
                                                 static_cast<TcxButtonState>(state), checked, designing, focused);
            std::uint32_t code[7];
            for (int k = 0; k < 7; ++k) code[k] = PixelOf(colors.Code[k]);
            for (std::size_t p = 0; p < pixels.size(); ++p) pixels[p] = code[FPattern[p]];
            SetDIBits(bitmap.Canvas()->Handle(), bitmap.Handle(), 0, static_cast<UINT>(h), pixels.data(), &info,
                      DIB_RGB_COLORS);
            const int index = FImageList->Add(&bitmap, FButtonMask);
            const auto key = static_cast<std::size_t>(GlyphKey(state, checked, kind, designing, focused));
            if (gImageIndexes.size() <= key) gImageIndexes.resize(key + 1, -1);
            gImageIndexes[key] = index;
          }
}

void TcxRadioButtonImageList::Reset() {
  FImageList->Clear();
  Render();
}

TSize TcxRadioButtonImageList::Size() const { return TSize(gGlyphWidth, gGlyphHeight); }

int TcxRadioButtonImageList::ImageIndexOf(int Key) const {
  return Key >= 0 && static_cast<std::size_t>(Key) < gImageIndexes.size() ? gImageIndexes[static_cast<std::size_t>(Key)]
                                                                          : -1;
}

void TcxRadioButtonImageList::Draw(TCanvas* Canvas, int X, int Y, TColor BackColor, TcxLookAndFeelKind Kind,
                                   TcxButtonState State, bool Checked, bool Focused, bool IsDesigning) {
  if (State == cxbsDefault) State = cxbsNormal;
  const int index = ImageIndexOf(GlyphKey(State, Checked, Kind, IsDesigning, Focused));
  if (index < 0) return;
  if (BackColor == clDefault) {
    FImageList->Draw(Canvas, X, Y, index);
    return;
  }
  TBitmap square;
  square.SetPixelFormat(pf32bit);
  square.SetSize(gGlyphWidth, gGlyphHeight);
  square.Canvas()->Brush()->SetColor(BackColor);
  square.Canvas()->FillRect(TRect(0, 0, gGlyphWidth, gGlyphHeight));
  FImageList->Draw(square.Canvas(), 0, 0, index);
  Canvas->Draw(X, Y, &square);
}

TcxRadioButtonImageList* RadioButtonImages() {
  if (!gInstance) gInstance = new TcxRadioButtonImageList();
  return gInstance;
}

void FreeRadioButtonImages() {
  FreeAndNil(gInstance);
  gImageIndexes.clear();
}

void TSystemPaletteChangedNotifier::NotifyPaletteChanged() {
  TcxSystemPaletteChangedNotifier::NotifyPaletteChanged();
  if (gInstance) gInstance->Reset();
}
