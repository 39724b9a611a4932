#include "ui/bars/BarPainter.h"

#include <cmath>
#include <memory>
#include <optional>

#include "platform/classes/Controls.h"
#include "platform/classes/ImageList.h"
#include "platform/classes/Lists.h"
#include "platform/win/Hooks.h"
#include "platform/win/Metrics.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "platform/win/Focus.h"
#include "platform/win/Controls.h"
#include "ui/bars/BarDrawing.h"
#include "ui/bars/BarDropDownFrame.h"
#include "ui/bars/BarHintViewInfo.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/BarXPPainter.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/Fader.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;
using namespace dxbar;


// ---- shared helpers -----------------------------------------------------------------------------

namespace dxbar {

void Fill(HDC DC, const TRect& R, HBRUSH Brush) {
  if (IsEmpty(R) || !Brush) return;
  RECT r = R;
  FillRect(DC, &r, Brush);
}

void FillColor(HDC DC, const TRect& R, COLORREF Color) {
  if (IsEmpty(R)) return;
  HBRUSH brush = CreateSolidBrush(Color);
  RECT r = R;
  FillRect(DC, &r, brush);
  DeleteObject(brush);
}

void Frame(HDC DC, const TRect& R, HBRUSH Brush) {
  if (IsEmpty(R) || !Brush) return;
  RECT r = R;
  FrameRect(DC, &r, Brush);
}

void Edge(HDC DC, const TRect& R, UINT EdgeKind, UINT Flags) {
  if (IsEmpty(R)) return;
  RECT r = R;
  DrawEdge(DC, &r, EdgeKind, Flags);
}

void ExcludeRect(HDC DC, const TRect& R) {
  if (!IsEmpty(R)) ExcludeClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
}

COLORREF ColorOf(TColor Color, COLORREF Fallback) {
  if (Color == clDefault || Color == clNone) return Fallback;
  return ColorToRGB(Color);
}

// The platform offers no high-contrast scheme; the look follows the system colours alone.
bool HighContrast() { return false; }

}  // namespace dxbar

TdxBarScopedPen::TdxBarScopedPen(HDC DC, COLORREF Color, int Width)
    : FDC(DC), FPen(CreatePen(PS_SOLID, Width, Color)), FPrevious(SelectObject(DC, FPen)) {}

TdxBarScopedPen::~TdxBarScopedPen() {
  SelectObject(FDC, FPrevious);
  DeleteObject(FPen);
}

TdxBarClipKeeper::TdxBarClipKeeper(HDC DC) : FDC(DC) { KeepClipRegion(DC, FRegion, FExisted); }
TdxBarClipKeeper::~TdxBarClipKeeper() { PutBackClipRegion(FDC, FRegion, FExisted); }

namespace {

void Line(HDC DC, int X0, int Y0, int X1, int Y1) {
  MoveToEx(DC, X0, Y0, nullptr);
  LineTo(DC, X1, Y1);
}

// The text size a canvas-less call measures with: the DC's font.
TSize TextExtent(HDC DC, const String& Text) {
  SIZE s{};
  GetTextExtentPoint32(DC, Text.c_str(), static_cast<int>(Text.size()), &s);
  return s;
}

// Background mode and the DC's text colour, back as they were at the end of a scope.
class TTextStateKeeper {
 public:
  explicit TTextStateKeeper(HDC DC) : FDC(DC), FMode(GetBkMode(DC)), FColor(GetTextColor(DC)) {}
  ~TTextStateKeeper() {
    SetBkMode(FDC, FMode);
    SetTextColor(FDC, FColor);
  }

 private:
  HDC FDC;
  int FMode;
  COLORREF FColor;
};

// The shared paint canvas bound to a DC for a scope; a scope inside one already bound to the same
// DC uses that level (binding syncs the canvas's objects with the DC, which costs more than the
// text it surrounds).
class TPaintCanvasLevel {
 public:
  explicit TPaintCanvasLevel(HDC DC) : FCanvas(PaintCanvasInstance()) {
    if (!FCanvas) return;
    if (FCanvas->LevelCount() > 0 && FCanvas->Canvas() && FCanvas->DeviceContext() == DC) return;
    FCanvas->PushDC(DC);
    FPushed = true;
  }
  ~TPaintCanvasLevel() {
    if (FPushed) FCanvas->PopLevel();
  }
  TcxPaintCanvas* Canvas() const { return FCanvas; }

 private:
  TcxPaintCanvas* FCanvas;
  bool FPushed = false;
};

}  // namespace

// ---- protected helpers --------------------------------------------------------------------------

HBRUSH TdxBarPainter::SysBrush(int Index) { return GetSysColorBrush(Index); }

HBRUSH TdxBarPainter::BarBkBrush(TB* Bar) {
  HBRUSH brush = Bar ? Bar->BkBrush() : nullptr;
  return brush ? brush : SysBrush(COLOR_BTNFACE);
}

HBRUSH TdxBarPainter::ItemBkBrush(TP& P) {
  if (P.BkBrush) return P.BkBrush;
  HBRUSH brush = P.OwnerControl ? P.OwnerControl->BkBrush() : nullptr;
  return brush ? brush : BarBkBrush(ParentOf(P));
}

int TdxBarPainter::BarFontSize(TP& P) {
  TB* bar = ParentOf(P);
  TFont* font = bar ? bar->ItemsFont() : nullptr;
  if (!font) {
    TdxBarManager* manager = ManagerOf(P);
    font = manager ? manager->Font() : nullptr;
  }
  return font ? font->Size() : 8;
}

// ---- 0 to 35: control client, captions, glyph frames, colours, marks ------------------------------

void TdxBarPainter::FillControlClient(TB* Bar, HDC DC, const TRect& R) {
  Bar->FillBarBackground(DC, R, true, clNone, BarBkBrush(Bar));
}

TRect TdxBarPainter::FloatCaptionBounds(TB* /*Bar*/, const TRect& WindowRect) {
  TRect r = Inflate(WindowRect, -FrameWidthX(), -FrameWidthY());
  r.Bottom = r.Top + SmallCaptionHeight();
  return r;
}

TRect TdxBarPainter::CaptionBoundsBesideGlyph(TBP& P, const TRect& R, const TRect& GlyphRect, int& Alignment) {
  TRect r = R;
  const bool vertical = P.PaintType == pmVertical;
  const TPoint offset = P.OwnerControl ? P.OwnerControl->CaptionOffset() : TPoint{};
  if (P.ViewSize == cvsLarge) {
    const TdxBarGlyphLayout layout = P.OwnerControl ? P.OwnerControl->GlyphLayout() : glTop;
    Alignment = 1;
    if (P.ShowsGlyph() && !IsEmpty(GlyphRect)) {
      if (!vertical) {
        switch (layout) {
          case glLeft: r.Left = GlyphRect.Right + 3; Alignment = 0; break;
          case glRight: r.Right = GlyphRect.Left - 3; Alignment = 2; break;
          case glTop: r.Top = GlyphRect.Bottom; break;
          case glBottom: r.Bottom = GlyphRect.Top; break;
        }
      } else {
        // Rotated bars read from top to bottom: left becomes top, top becomes right.
        switch (layout) {
          case glLeft: r.Top = GlyphRect.Bottom + 3; Alignment = 0; break;
          case glRight: r.Bottom = GlyphRect.Top - 3; Alignment = 2; break;
          case glTop: r.Right = GlyphRect.Left; break;
          case glBottom: r.Left = GlyphRect.Right; break;
        }
      }
    }
    return Offset(r, offset.X, offset.Y);
  }
  Alignment = 0;
  TB* bar = ParentOf(P);
  const int halfFont = bar && bar->ItemsFont() ? -bar->ItemsFont()->Height() / 2 : 5;
  const int extent = P.ShowsGlyph() ? (vertical ? P.ButtonExtent.cy : P.ButtonExtent.cx) : halfFont;
  if (vertical)
    r.Top += extent;
  else
    r.Left += extent;
  r = Offset(r, offset.X, offset.Y);
  if (!SubItemStateQuery(P)) PressedShift(P, r);
  return r;
}

void TdxBarPainter::DrawGlyphFrame(TdxBarItemControl*, HDC, HBRUSH, bool, const TRect&, TdxBarPaintMode, bool, bool,
                                   bool, bool, bool, bool) {}

void TdxBarPainter::DrawMissingGlyphCheck(TP& P, HDC DC, const TRect& R, bool Checked, bool IsRadio) {
  if (!Checked || !P.InMenu()) return;
  const bool large = BarFontSize(P) >= 16;
  const int w = large ? 18 : 9, h = large ? 14 : 7;
  const TPoint origin(R.Left + (Width(R) - w) / 2, R.Top + (Height(R) - h) / 2);
  DrawCheckMarkGlyph(DC, origin, P.Enabled, large, IsRadio);
}

// Flat painters draw a disabled arrow once, in button shadow, as they draw disabled text.
void TdxBarPainter::DrawDownArrow(HDC DC, const TRect& R, TColor Color, bool Enabled, bool Selected, int Size) {
  DrawBarArrow(DC, R, adDown, Color, Enabled, Selected, IsFlatStyle(), Size);
}

void TdxBarPainter::DrawSideArrow(HDC DC, const TRect& R, TColor Color, bool Enabled, bool Selected, int Size) {
  DrawBarArrow(DC, R, adRight, Color, Enabled, Selected, IsFlatStyle(), Size);
}

TColor TdxBarPainter::TextColor(bool Selected, bool Flat) {
  return SystemColor(Selected && !Flat ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
}

void TdxBarPainter::DisabledTextColors(bool Selected, bool Flat, TColor& First, TColor& Second) {
  if (Selected || Flat) {
    First = Second = SystemColor(COLOR_GRAYTEXT);
  } else {
    // First is drawn on top, Second one pixel right and down beneath it.
    First = SystemColor(COLOR_BTNSHADOW);
    Second = SystemColor(COLOR_BTNHIGHLIGHT);
  }
}

TColor TdxBarPainter::ArrowColor(TP& P, bool Selected, bool Flat) {
  if (!ArrowsUseTextColor()) return clDefault;
  TColor first, second;
  ItemTextColors(P, Selected, Flat, first, second);
  return first;
}

bool TdxBarPainter::FadesDisabledImages(TB* Bar) {
  TdxBarManager* manager = ManagerOf(Bar);
  return manager && manager->MakeDisabledImagesFaded();
}

bool TdxBarPainter::SupportsFading() { return dynamic_cast<IdxBarPainterFading*>(this) != nullptr; }

void TdxBarPainter::ShowHintWindow(TB* Bar, const TRect& /*R*/, const TPoint& Cursor, int Height, TPoint& Position) {
  Position = Cursor;
  if (Bar) Position = Bar->AdjustHintPosition(Position, Height);
}

TdxBarCustomHintViewInfo* TdxBarPainter::CreateHintViewInfo(TdxBarManager* Manager, const String& Hint,
                                                            const String& ShortCut, TdxBarScreenTip* /*ScreenTip*/) {
  POINT p{};
  GetCursorPos(&p);
  return new TdxBarHintViewInfo(Manager, Hint, ShortCut, TPoint(p.x, p.y));
}

bool TdxBarPainter::IsShortRect(const TRect& R) { return Height(R) < 17; }

TColor TdxBarPainter::FloatCaptionColor(bool Active) {
  return SystemColor(Active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
}

TColor TdxBarPainter::FloatCaptionTextColor(bool Active) {
  return SystemColor(Active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
}

TColor TdxBarPainter::FloatCaptionGlyphColor(bool Active, int /*ButtonState*/) { return FloatCaptionTextColor(Active); }

void TdxBarPainter::DrawBarSizeGrip(HDC DC, const TRect& R) {
  if (UsesNativeBackground() && HasVisualStyles({tciStatus})) {
    TdxBarXPPainter::DrawThemedBarSizeGrip(DC, R);
    return;
  }
  // Without visual styles the frame-control grip is drawn through a mask: only its lines land.
  DrawTransparentSizeGrip(DC, R);
}

void TdxBarPainter::DrawMarkDropArrow(HDC DC, const TRect& R, TColor Color) {
  // A 7 x 4 triangle, centred in R.
  const int x = R.Left + (Width(R) - 7) / 2, y = R.Top + (Height(R) - 4) / 2;
  TdxBarScopedPen pen(DC, ColorOf(Color));
  for (int i = 0; i < 4; ++i) Line(DC, x + i, y + i, x + 7 - i, y + i);
}

void TdxBarPainter::DrawMarkChevrons(TB* Bar, HDC DC, const TRect& R, int Offset) {
  TdxBarScopedPen pen(DC, GetSysColor(COLOR_BTNTEXT));
  const bool vertical = Bar->IsVertical();
  if (!vertical) {
    const int x = R.Left + Offset, y = R.Top + (IsShortRect(R) ? 3 : 4);
    // Two V strokes side by side, 3 pixels deep, pointing right.
    for (int i = 0; i < 2; ++i) {
      Line(DC, x + i, y, x + i + 2, y + 2);
      Line(DC, x + i + 2, y + 2, x + i - 1, y + 5);
    }
  } else {
    const int x = R.Right - 8, y = R.Top + Offset;
    for (int i = 0; i < 2; ++i) {
      Line(DC, x, y + i, x + 2, y + i + 2);
      Line(DC, x + 2, y + i + 2, x + 5, y + i - 1);
    }
  }
}

void TdxBarPainter::DrawMarkContent(TB* Bar, HDC DC, const TRect& R) {
  const COLORREF color = GetSysColor(MarkGlyphColorIndex(Bar));
  if (AllowsQuickCustomizing()) {
    POINT pts[3];
    if (!Bar->IsVertical()) {
      const int x = R.Left + 3, y = R.Bottom - 7 + (IsShortRect(R) ? 1 : 0);
      pts[0] = {x, y};
      pts[1] = {x + 4, y};
      pts[2] = {x + 2, y + 2};
    } else {
      const int x = R.Left + 5, y = R.Top + 3;
      pts[0] = {x, y};
      pts[1] = {x, y + 4};
      pts[2] = {x - 2, y + 2};
    }
    FillPolygon(DC, pts, 3, color, color);
  }
  if (Bar->HidesItems()) {
    DrawMarkChevrons(Bar, DC, R, 2);
    DrawMarkChevrons(Bar, DC, R, 6);
  }
}

int TdxBarPainter::FloatCaptionTextOrigin(TB* /*Bar*/, TRect& /*TextRect*/, const TRect& MarkRect) {
  return MarkRect.Right + 3;
}

// ---- 36 to 66: captions, ellipsis buttons, arrows, menu scroll and expand buttons, layouts --------

void TdxBarPainter::DrawItemCaption(TBP& P, HDC DC, const TRect& R, int Alignment, UINT Format) {
  DrawItemText(P, DC, P.Caption, R, Alignment, P.Enabled, P.HighlightFlag, P.PaintType == pmVertical, false,
               P.ArrowColorFlag, Format);
}

TRect TdxBarPainter::MeasureCaption(HDC DC, const String& Caption) {
  TRect r(0, 0, 0, 0);
  RECT rr = r;
  DrawText(DC, Caption.c_str(), -1, &rr, DT_CALCRECT | DT_SINGLELINE);
  return rr;
}

void TdxBarPainter::AddDropDownExtent(TP& P, TSize& Size) {
  TdxBarManager* manager = ManagerOf(P);
  if (P.HasDropDownPart && manager)
    Size.cx += DropArrowPartWidth(manager, manager->LargeIcons() && P.ViewSize != cvsSmall);
  else if (TB* bar = ParentOf(P))
    Size.cx += bar->TextSize() / 2;
}

TRect TdxBarPainter::EllipsisButtonBounds(const TRect& R) {
  const int w = EllipsisButtonWidth(R);
  if (w <= 0 || w >= Width(R)) return {};
  return {R.Right - w, R.Top, R.Right, R.Bottom};
}

int TdxBarPainter::EllipsisButtonWidth(const TRect& R) {
  const TRect insets = PickerSwatchInsets();
  return (Height(R) - 4) / 7 * 7 - insets.Left - insets.Right + 4;
}

void TdxBarPainter::DrawEllipsisDot(HDC DC, const TRect& R, bool Enabled) {
  FillColor(DC, R, GetSysColor(Enabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
}

void TdxBarPainter::DrawEllipsisDots(HDC DC, const TRect& R, bool Enabled, bool Pressed) {
  const int size = std::max(1, Height(R) / 8);
  const int total = 5 * size;
  int x = R.Left + (Width(R) - total) / 2, y = R.Top + (Height(R) - size) / 2 + EllipsisDotLift(size) - size;
  if (Pressed) {
    ++x;
    ++y;
  }
  for (int i = 0; i < 3; ++i) DrawEllipsisDot(DC, {x + 2 * size * i, y, x + 2 * size * i + size, y + size}, Enabled);
}

void TdxBarPainter::DrawComboArrow(HDC DC, const TRect& R, int Size, TColor Color, bool Enabled) {
  DrawBarArrow(DC, R, adDown, Color, Enabled, false, false, (Size + 1) / 2);
}

void TdxBarPainter::FillArrowShape(HDC DC, const TRect& R, TColor Color) { FillColor(DC, R, ColorOf(Color)); }

void TdxBarPainter::DrawFilledArrow(HDC DC, const TRect& R, const TPoint (&Points)[3], TColor Color) {
  TdxBarClipKeeper keep(DC);
  POINT pts[3] = {Points[0], Points[1], Points[2]};
  // The region of a polygon leaves out its right and bottom edges; the arrow's last row and
  // column belong to it, so the outline is widened by one to the right and down.
  POINT outline[3] = {pts[0], pts[1], pts[2]};
  for (POINT& p : outline) {
    if (p.x > std::min({pts[0].x, pts[1].x, pts[2].x})) ++p.x;
    if (p.y > std::min({pts[0].y, pts[1].y, pts[2].y})) ++p.y;
  }
  HRGN region = CreatePolygonRgn(outline, 3, WINDING);
  ExtSelectClipRgn(DC, region, RGN_AND);
  FillArrowShape(DC, R, Color);
  DeleteObject(region);
}

void TdxBarPainter::DrawMenuScrollButton(TB* Bar, HDC DC, const TRect& R, bool Top, int State, bool Shown) {
  if (IsEmpty(R)) return;
  // Inside out: the arrow, the hook, the divider, then the band around what is already there.
  const int size = MenuScrollArrowSize(Height(R));
  TPoint pts[3];
  TcxCustomLookAndFeelPainter::ArrowTrianglePoints(R, pts, Top ? adUp : adDown, false, size);
  if (Top) {
    pts[0].Y += 1;
    pts[2].X += 1;
    pts[2].Y += 1;
  } else {
    pts[0].X += 1;
    pts[1].Y += 1;
    if ((Height(R) + size) % 2 != 0)
      for (TPoint& p : pts) p.Y -= 1;
  }
  POINT poly[3] = {pts[0], pts[1], pts[2]};
  {
    TdxBarClipKeeper keep(DC);
    HRGN region = CreatePolygonRgn(poly, 3, WINDING);
    ExtSelectClipRgn(DC, region, RGN_AND);
    FillColor(DC, R, GetSysColor(COLOR_BTNTEXT));
    DeleteObject(region);
  }
  HRGN arrow = CreatePolygonRgn(poly, 3, WINDING);
  ExtSelectClipRgn(DC, arrow, RGN_DIFF);
  DeleteObject(arrow);
  DrawMenuScrollExtra(Bar, DC, R, Top);
  if (Top && Shown) DrawMenuScrollDivider(Bar, DC, R, State);
  FillMenuScrollButton(Bar, DC, R);
}

void TdxBarPainter::FillMenuScrollButton(TB* Bar, HDC DC, const TRect& R) {
  Bar->FillBarBackground(DC, R, true, clNone, MenuItemBrush(Bar));
}

void TdxBarPainter::DrawMenuScrollDivider(TB* /*Bar*/, HDC DC, const TRect& R, int State) {
  const TRect line(R.Left - 1, R.Top, R.Right + 1, R.Top + 1);
  Fill(DC, line, SysBrush(State == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW));
  ExcludeRect(DC, line);
}

TRect TdxBarPainter::MenuScrollButtonBounds(TB* Bar, const TRect& Client, bool Top) {
  const int h = MenuScrollButtonHeight(Bar);
  TRect r = Client;
  if (Top)
    r.Bottom = r.Top + h;
  else
    r.Top = r.Bottom - h;
  return r;
}

void TdxBarPainter::DrawExpandChevrons(TB* /*Bar*/, HDC DC, const TRect& R, bool Hot) {
  const int n = MenuChevronSize(Height(R));
  if (n <= 0) return;
  const bool whiteFace = GetSysColor(COLOR_BTNFACE) == RGB(255, 255, 255);
  TdxBarScopedPen pen(DC, GetSysColor(whiteFace && IsFlatStyle() && Hot ? COLOR_BTNFACE : COLOR_BTNTEXT));
  // n strokes on consecutive rows, the second half n div 2 lower: two chevrons one above the other.
  // Each stroke spans n + 1 columns and n div 2 + 1 rows; the last starts n - 1 + n div 2 rows down.
  const int totalHeight = (n - 1 + n / 2) + n / 2 + 1;
  const int x = R.Left + (Width(R) - (n + 1)) / 2;
  const int y = R.Top + (Height(R) - totalHeight) / 2;
  for (int i = 0; i < n; ++i) {
    const int row = y + i + (i >= n / 2 ? n / 2 : 0);
    MoveToEx(DC, x, row, nullptr);
    LineTo(DC, x + n / 2, row + n / 2);
    LineTo(DC, x + n + 1, row - 1);
  }
}

void TdxBarPainter::DrawMenuExpandButton(TB* Bar, HDC DC, const TRect& R, bool Hot) {
  if (IsEmpty(R)) return;
  const int w = Width(R), h = Height(R);
  HDC memDC = CreateCompatibleDC(DC);
  HBITMAP bitmap = CreateCompatibleBitmap(DC, w, h);
  HGDIOBJ oldBitmap = SelectObject(memDC, bitmap);
  try {
    const TRect local(0, 0, w, h);
    // The off-screen copy keeps the menu's picture grid by moving its origin.
    SetWindowOrgEx(memDC, R.Left, R.Top, nullptr);
    Bar->FillBarBackground(memDC, R, true, clNone, MenuItemBrush(Bar));
    if (Hot) DrawMenuExpandButtonFace(Bar, memDC, R);
    DrawExpandChevrons(Bar, memDC, R, Hot);
    SetWindowOrgEx(memDC, 0, 0, nullptr);
    BitBlt(DC, R.Left, R.Top, w, h, memDC, 0, 0, SRCCOPY);
    (void)local;
  } catch (...) {
    SelectObject(memDC, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memDC);
    throw;
  }
  SelectObject(memDC, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memDC);
  ExcludeRect(DC, R);
}

void TdxBarPainter::DrawMenuExpandButtonFace(TB* Bar, HDC DC, const TRect& R) {
  Edge(DC, R, BDR_RAISEDINNER, BF_RECT);
  Fill(DC, Inflate(R, -1, -1), BarBkBrush(Bar) == SysBrush(COLOR_BTNFACE) ? SysBrush(COLOR_3DLIGHT) : BarBkBrush(Bar));
}

TRect TdxBarPainter::EditContentBounds(const TRect& R) {
  const TRect offsets = CaptionOffsets();
  int top, bottom;
  EditFrameInsets(top, bottom);
  return {R.Left + offsets.Left, R.Top + top, R.Right - offsets.Right, R.Bottom - bottom};
}

void dxbar::SpinTriangle(const TRect& R, bool Up, POINT (&Points)[3]) {
  const int s = std::max(2, (Width(R) + 1) / 2);
  const int x = R.Left + (Width(R) - (2 * s - 1)) / 2, y = R.Top + (Height(R) - s) / 2;
  if (Up) {
    Points[0] = {x, y + s - 1};
    Points[1] = {x + 2 * s - 2, y + s - 1};
    Points[2] = {x + s - 1, y};
  } else {
    Points[0] = {x, y};
    Points[1] = {x + 2 * s - 2, y};
    Points[2] = {x + s - 1, y + s - 1};
  }
}

void TdxBarPainter::DrawSpinArrow(HDC DC, const TRect& R, bool Up, bool Enabled, bool /*Selected*/) {
  POINT pts[3];
  SpinTriangle(R, Up, pts);
  if (!Enabled) {
    POINT shifted[3] = {{pts[0].x + 1, pts[0].y + 1}, {pts[1].x + 1, pts[1].y + 1}, {pts[2].x + 1, pts[2].y + 1}};
    const COLORREF hl = GetSysColor(COLOR_BTNHIGHLIGHT);
    FillPolygon(DC, shifted, 3, hl, hl);
  }
  const COLORREF c = GetSysColor(Enabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
  FillPolygon(DC, pts, 3, c, c);
}

void TdxBarPainter::DrawFaceText(HDC DC, const TRect& R, const String& Text, bool Pressed) {
  TTextStateKeeper keep(DC);
  RECT r = Pressed ? Offset(R, 1, 1) : R;
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, GetSysColor(COLOR_BTNTEXT));
  DrawText(DC, Text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TdxBarPainter::AdjustForDropDownPart(TP& P, const TRect& PartRect, TdxBarEditLayout& L) {
  if (!P.HasDropDownPart) return;
  L.TextEnd = PartRect.Left;
  L.ContentEnd = PartRect.Left;
}

void TdxBarPainter::CalcPickerLayout(TP& P, const TRect& R, TdxBarEditLayout& L) {
  CalcComboLayout(P, R, L);
  L.EllipsisRect = EllipsisButtonBounds({L.ContentRect.Left, L.ContentRect.Top, L.ButtonRect.Left, L.ContentRect.Bottom});
  const TRect insets = HasPickerSwatch() ? PickerSwatchInsets() : ComboButtonInsets();
  L.SwatchRect = {L.ContentRect.Left + insets.Left, L.ContentRect.Top + insets.Top,
                  (IsEmpty(L.EllipsisRect) ? L.ButtonRect.Left : L.EllipsisRect.Left) - insets.Right,
                  L.ContentRect.Bottom - insets.Bottom};
}

void TdxBarPainter::CalcComboLayout(TP& P, const TRect& R, TdxBarEditLayout& L) {
  const TRect insets = ComboButtonInsets();
  L.ContentRect = {R.Left + insets.Left, R.Top + insets.Top, R.Right - insets.Right, R.Bottom - insets.Bottom};
  TB* bar = ParentOf(P);
  const int arrow = bar ? bar->ComboBoxArrowWidth() : 11;
  L.ButtonRect = {L.ContentRect.Right - arrow, L.ContentRect.Top, L.ContentRect.Right, L.ContentRect.Bottom};
  L.ContentRect.Right = L.ButtonRect.Left;
  L.ContentEnd = L.ContentRect.Right;
}

void TdxBarPainter::CalcEditLayout(TP& P, const TRect& R, TdxBarEditLayout& L, int CaptionWidth, int GlyphWidth) {
  TRect r = R;
  if (P.InMenu()) r.Left += EditMenuInsets(P).Left;
  if (GlyphWidth > 0) {
    L.GlyphRect = {r.Left, r.Top, r.Left + GlyphWidth, r.Bottom};
    r.Left = L.GlyphRect.Right;
  }
  if (CaptionWidth > 0) {
    L.CaptionRect = {r.Left, r.Top, r.Left + CaptionWidth + EditCaptionGap(P) + EditCaptionEndGap(), r.Bottom};
    L.TextEnd = L.CaptionRect.Right - EditCaptionEndGap();
    r.Left = L.CaptionRect.Right;
  }
  const TRect o = EditBorderOffsets();
  L.ContentRect = {r.Left + o.Left, r.Top + o.Top, r.Right - o.Right, r.Bottom - o.Bottom};
  L.ContentEnd = L.ContentRect.Right;
}

void TdxBarPainter::CalcSpinLayout(TP& P, const TRect& R, TdxBarEditLayout& L) {
  CalcEditLayout(P, R, L, 0, 0);
  const int w = SpinButtonWidth(Height(L.ContentRect));
  const TRect buttons{L.ContentRect.Right - w, L.ContentRect.Top, L.ContentRect.Right, L.ContentRect.Bottom};
  L.UpButtonRect = SpinButtonBounds(buttons, true);
  L.DownButtonRect = SpinButtonBounds(buttons, false);
  L.ContentRect.Right = buttons.Left;
  L.ContentEnd = L.ContentRect.Right;
}

// ---- 67 to 110: colours, non-client, metrics, glyphs and text ------------------------------------

void TdxBarPainter::ItemTextColors(TP& P, bool Selected, bool Flat, TColor& First, TColor& Second) {
  if (P.Enabled) {
    const TColor own = P.OwnerControl ? P.OwnerControl->FontColor() : clDefault;
    First = own != clDefault ? own : EnabledTextColor(Selected, Flat);
    Second = First;
  } else {
    DisabledTextColors(Selected, Flat, First, Second);
  }
}

void TdxBarPainter::CalcBarNonClient(TB* Bar, int DockingStyle, TRect& Insets, bool WithSizeGrip) {
  Insets = {};
  if (DockingStyle != 0) {
    if (Bar->BorderStyleIndex() != 0) {
      Insets = DockedBarInsets(Bar, DockingStyle);
      const int grip = Bar->ShowsGrip() ? GripSizeDocked() : NoGripInset();
      // Top and bottom bars grow at the left, left and right bars at the top.
      if (DockingStyle == 2 || DockingStyle == 4)
        Insets.Left += grip;
      else
        Insets.Top += grip;
    } else if (Bar->IsStatusBar()) {
      const TRect s = StatusBarInsets();
      Insets = {s.Left, StatusBarTopBand() + s.Top, s.Right, s.Bottom};
      if (WithSizeGrip) Insets.Right += SizeGripSize().cx;
    }
    return;
  }
  Insets = {FrameWidthX(), FrameWidthY(), FrameWidthX(), FrameWidthY()};
  if (Bar->ShowsCaption()) {
    Insets.Left += FloatFrameSideInset();
    Insets.Right += FloatFrameSideInset();
    Insets.Top += SmallCaptionHeightPlus() + FloatFrameTopInset();
    Insets.Bottom += FloatFrameBottomInset();
  }
}

int TdxBarPainter::CalcIconAreaSize(TB* Bar, bool LargeItems) {
  int size = LargeItems ? static_cast<int>(std::nearbyint(40 * Bar->ItemsScaleRatio())) : Bar->TextSize();
  AdjustMenuItemHeight(size);
  return size;
}

int TdxBarPainter::SubItemArrowSize(TP& /*P*/, TFont* Font) { return Font ? -Font->Height() / 2 : 0; }

int TdxBarPainter::EditMinHeight(HDC DC) { return TextExtent(DC, "Wg").cy + 6; }

TRect TdxBarPainter::PlaceGlyph(const TRect& R, const TSize& Glyph, TdxBarGlyphLayout Layout, bool Vertical,
                                bool CaptionShown) {
  int x = R.Left + (Width(R) - Glyph.cx) / 2, y = R.Top + (Height(R) - Glyph.cy) / 2;
  if (CaptionShown) {
    if (!Vertical) {
      switch (Layout) {
        case glLeft: x = R.Left + 4; break;
        case glRight: x = R.Right - Glyph.cx - 4; break;
        case glTop: y = R.Top + 2; break;
        case glBottom: y = R.Bottom - Glyph.cy - 2; break;
      }
    } else {
      switch (Layout) {
        case glLeft: y = R.Top + 4; break;
        case glRight: y = R.Bottom - Glyph.cy - 4; break;
        case glTop: x = R.Right - Glyph.cx - 2; break;
        case glBottom: x = R.Left + 2; break;
      }
    }
  }
  return {x, y, x + Glyph.cx, y + Glyph.cy};
}

void TdxBarPainter::FillItemBackground(TP& P, HDC DC, const TRect& R, HBRUSH Brush, bool Opaque) {
  if (IsEmpty(R)) return;
  TB* bar = ParentOf(P);
  if (Opaque || !bar)
    Fill(DC, R, Brush ? Brush : BarBkBrush(bar));
  else
    bar->FillBarBackground(DC, R, true, clNone, Brush);
}

void TdxBarPainter::DrawItemRing(TP& P, HDC DC, const TRect& R, HBRUSH Brush, bool Opaque) {
  if (IsEmpty(R)) return;
  if (Opaque) {
    Frame(DC, R, Brush);
    return;
  }
  TdxBarClipKeeper keep(DC);
  ExcludeRect(DC, Inflate(R, -1, -1));
  FillItemBackground(P, DC, R, Brush, false);
}

void TdxBarPainter::DrawDisabledMark(HDC DC, const TRect& R) { Fill(DC, R, SysBrush(COLOR_BTNSHADOW)); }

void TdxBarPainter::FillBarBackgroundPart(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  Bar->FillBarBackground(DC, R, true, clNone, Brush);
}

void TdxBarPainter::DrawItemGlyph(TBP& P, HDC DC, const TRect& Cell, TdxBarPaintMode PaintType, bool NoGlyph,
                                  bool Selected, bool Down, bool Pressed, bool DroppedDown, bool IsSplit,
                                  bool GrayGlyph) {
  TdxBarItemControl* c = P.OwnerControl;
  TSize glyph = c ? c->GlyphSize() : TSize{16, 16};
  TB* bar = ParentOf(P);
  TdxBarManager* manager = ManagerOf(bar);
  if (PaintType == pmMenu && bar) {
    const double ratio = bar->ItemsScaleRatio();
    if (ratio > 1.0) {
      const TSize before = glyph;
      glyph = {static_cast<int>(std::nearbyint(glyph.cx * ratio)), static_cast<int>(std::nearbyint(glyph.cy * ratio))};
      if (glyph.cx > before.cx && glyph.cy > before.cy && (Width(Cell) - glyph.cx) % 2 != 0 &&
          (Height(Cell) - glyph.cy) % 2 != 0) {
        --glyph.cx;
        --glyph.cy;
      }
    }
  } else if (P.ViewSize != cvsSmall && manager && manager->LargeIcons() && SupportsLargeIcons()) {
    if (TCustomImageList* large = manager->LargeImages())
      glyph = {large->Width(), large->Height()};
    else if (!(manager->UseLargeImagesForLargeIcons() && c && c->HasLargeGlyph()))
      glyph = {glyph.cx * 2, glyph.cy * 2};
  }
  TRect image;
  if (P.ViewSize == cvsLarge && PaintType != pmMenu) {
    image = PlaceGlyph(Cell, glyph, c ? c->GlyphLayout() : glTop, PaintType == pmVertical, P.ShowsCaption());
  } else {
    // Beside a caption the glyph takes the button extent along the bar; alone it takes the cell.
    TRect area = Cell;
    if (PaintType != pmMenu && P.ShowsCaption()) {
      if (PaintType == pmVertical)
        area.Bottom = std::min(area.Bottom, area.Top + P.ButtonExtent.cy);
      else
        area.Right = std::min(area.Right, area.Left + P.ButtonExtent.cx);
    }
    const int x = area.Left + (Width(area) - glyph.cx) / 2, y = area.Top + (Height(area) - glyph.cy) / 2;
    image = {x, y, x + glyph.cx, y + glyph.cy};
    int shift = 0;
    if (Down) shift += GlyphPressOffset(Down);
    if (Pressed) shift += GlyphSecondPressOffset(Down);
    image = Offset(image, shift, shift);
  }
  if (c) c->SetImageBounds(image);
  DrawGlyphImage(P, DC, Cell, image, PaintType, NoGlyph, Selected, Down, Pressed, DroppedDown, IsSplit, GrayGlyph,
                 P.Checked, false);
}

void TdxBarPainter::DrawGlyphImage(TP& P, HDC DC, const TRect& Cell, const TRect& ImageRect,
                                   TdxBarPaintMode PaintType, bool NoGlyph, bool Selected, bool Down, bool Pressed,
                                   bool DroppedDown, bool IsSplit, bool GrayGlyph, bool Checked, bool StaticItem) {
  TdxBarItemControl* c = P.OwnerControl;
  TB* bar = ParentOf(P);
  TdxBarManager* manager = ManagerOf(bar);
  const bool hasImage = c && c->HasImage() && !NoGlyph;
  TSize imageSize = hasImage ? TSize{Width(ImageRect), Height(ImageRect)} : TSize{};
  // Without an image the manager's default glyph size stands in (the button extent less padding).
  if (!hasImage) imageSize = {P.ButtonExtent.cx - ButtonHorzPadding(), P.ButtonExtent.cy - ButtonVertPadding()};
  const bool needsBorder = Width(Cell) >= imageSize.cx + 2 && Height(Cell) >= imageSize.cy + 2;
  const TRect area = needsBorder ? Inflate(Cell, -1, -1) : Cell;
  HBRUSH brush = GlyphBrushFor(c, PaintType, NoGlyph || !hasImage, Selected, Down, Pressed, DroppedDown, StaticItem,
                               GrayGlyph);
  if (UsesNativeBackground())
    DrawGlyphFrame(c, DC, brush, needsBorder, Cell, PaintType, !hasImage, Selected, Down, Pressed, DroppedDown,
                   IsSplit);
  if (!UsesNativeBackground() && (!hasImage || GlyphOverBackground(c)))
    FillItemBackground(P, DC, area, brush, ShowsGlyphFrame(c, Down, Pressed, Selected, !hasImage));
  if (!hasImage) {
    DrawMissingGlyphCheck(P, DC, area, Checked, false);
  } else {
    if (GlyphOverBackground(c)) brush = nullptr;
    const bool menuItem = PaintType == pmMenu;
    const int mode = GlyphDrawMode(c->HasOwnDisabledLook() || P.Enabled, FadesDisabledImages(bar), GrayGlyph,
                                   GlyphDrawFlagA(), GlyphDrawFlagB(), Selected, Down, menuItem ? false : Pressed);
    PaintItemImage(DC, ImageRect, area, mode, c->CurrentGlyph(), c->CurrentImages(), c->CurrentImageIndex(),
                   manager ? manager->ImageListBkColor() : clNone, false, true, brush, c->ImageCache(),
                   c->ImageCache() != nullptr);
  }
  if (!UsesNativeBackground())
    DrawGlyphFrame(c, DC, brush ? brush : GlyphBrushFor(c, PaintType, !hasImage, Selected, Down, Pressed, DroppedDown,
                                                        StaticItem, GrayGlyph),
                   needsBorder, Cell, PaintType, !hasImage, Selected, Down, Pressed, DroppedDown, IsSplit);
}

void TdxBarPainter::DrawVerticalText(HDC DC, const String& Text, int AccelPos, TRect R, int Alignment, TColor Color,
                                     UINT Format) {
  const TSize extent = TextExtent(DC, Text);
  if (Alignment == 1)
    R.Top += (Height(R) - extent.cx) / 2;
  else if (Alignment == 2)
    R.Top += Height(R) - extent.cx;
  R.Left += (Width(R) + extent.cy) / 2;
  TRect r = R;
  DrawTextOnDC(DC, Text, r, Format | DT_SINGLELINE, -1, Color, TRANSPARENT);
  if (AccelPos <= 0) return;
  TEXTMETRIC tm{};
  GetTextMetrics(DC, &tm);
  const String before = Text.substr(0, static_cast<std::size_t>(AccelPos - 1));
  // One character, however many bytes it takes.
  std::size_t len = 1;
  const unsigned char lead = static_cast<unsigned char>(Text[static_cast<std::size_t>(AccelPos - 1)]);
  if (lead >= 0xF0) len = 4;
  else if (lead >= 0xE0) len = 3;
  else if (lead >= 0xC0) len = 2;
  const String accel = Text.substr(static_cast<std::size_t>(AccelPos - 1), len);
  const int from = R.Top + TextExtent(DC, before).cx;
  const int to = from + TextExtent(DC, accel).cx;
  // R.Left was moved right by (width + text height) / 2 for the rotated origin; the line stands
  // at (left + right - text height) / 2 + descent - 2 of the unshifted rectangle.
  const int originalLeft = R.Left - (Width(R) + extent.cy) / 2;
  const int originalRight = originalLeft + Width(R);
  const int x = (originalLeft + originalRight - extent.cy) / 2 + tm.tmDescent - 2;
  TdxBarScopedPen pen(DC, ColorOf(Color, GetTextColor(DC)));
  Line(DC, x, from, x, to);
}

void TdxBarPainter::DrawItemText(TP& P, HDC DC, const String& Text, const TRect& R, int Alignment, bool Enabled,
                                 bool Selected, bool Vertical, bool Clip, bool Flat, UINT Format) {
  if (Text.empty()) return;
  TPaintCanvasLevel level(DC);
  TTextStateKeeper textState(DC);
  // Only rotated text clips through the DC; its clip comes back with the scope.
  std::optional<TdxBarClipKeeper> clipState;
  UINT format = Format | DT_NOCLIP;
  if (Clip) {
    if (Vertical) {
      clipState.emplace(DC);
      AddClipRectangle(DC, R);
    } else {
      format &= ~static_cast<UINT>(DT_NOCLIP);
    }
  }
  TColor first, second;
  const bool saveEnabled = P.Enabled;
  P.Enabled = Enabled;
  try {
    ItemTextColors(P, Selected, IsFlatStyle() || Flat, first, second);
  } catch (...) {
    P.Enabled = saveEnabled;
    throw;
  }
  P.Enabled = saveEnabled;
  SetBkMode(DC, TRANSPARENT);
  if (Vertical) {
    String text = Text;
    const int accel = AcceleratorPosition(text, true);
    if (accel > 0) format |= DT_NOPREFIX;
    if (first != second) DrawVerticalText(DC, text, accel, Offset(R, 1, 1), Alignment, second, format);
    DrawVerticalText(DC, text, accel, R, Alignment, first, format);
    return;
  }
  format |= static_cast<UINT>(Alignment) | DT_VCENTER;
  if (first != second) {
    TRect shifted = Offset(R, 1, 1);
    DrawTextOnDC(DC, Text, shifted, format, -1, second, TRANSPARENT);
  }
  TRect r = R;
  DrawTextOnDC(DC, Text, r, format, -1, first, TRANSPARENT);
}

void TdxBarPainter::DrawLoweredFrame(HDC DC, TRect& R) {
  Edge(DC, R, BDR_SUNKENOUTER, BF_RECT);
  R = Inflate(R, -1, -1);
}

HBRUSH TdxBarPainter::GlyphBrushFor(TdxBarItemControl* C, TdxBarPaintMode, bool, bool, bool, bool, bool, bool, bool) {
  HBRUSH brush = C ? C->BkBrush() : nullptr;
  if (!brush && C && C->Parent()) brush = C->Parent()->BkBrush();
  return brush ? brush : SysBrush(COLOR_BTNFACE);
}

bool TdxBarPainter::SelectedLooksFlat() { return IsFlatStyle() && !HighContrast(); }

bool TdxBarPainter::ShowsGlyphFrame(TdxBarItemControl* C, bool Down, bool Pressed, bool Selected, bool NoGlyph) {
  const bool rarely = C && C->IsRarelyUsed();
  if (NoGlyph) return rarely || Down || Pressed || Selected;
  return rarely || (C && C->HasOwnBkBrush());
}

bool TdxBarPainter::GlyphOverBackground(TdxBarItemControl* C) {
  if (UsesNativeBackground()) return true;
  return C && !C->IsRarelyUsed() && C->Parent() && C->Parent()->HasOwnBackground();
}

int TdxBarPainter::ParentArrowAreaWidth(TdxBarItemControl* C) {
  TB* bar = C ? C->Parent() : nullptr;
  return bar && bar->IsMenu() ? bar->TextSize() + 1 : 0;
}

int TdxBarPainter::FrameWidthX() { return GetSystemMetrics(SM_CXFRAME); }
int TdxBarPainter::FrameWidthY() { return GetSystemMetrics(SM_CYFRAME); }

int TdxBarPainter::DropArrowPartWidth(TdxBarManager* Manager, bool LargeIcons) {
  int w = Manager ? Manager->ButtonArrowWidth() : 11;
  if (LargeIcons) w *= 2;
  return MadeOdd(w);
}

int TdxBarPainter::LargeDropArrowPartWidth(TdxBarManager* Manager) {
  return Manager ? Manager->LargeButtonArrowWidth() : 13;
}

void TdxBarPainter::FillDockBackground(TdxDockControl* Dock, HDC DC, const TRect& R, const TRect& Origin,
                                       HBRUSH Brush, TColor Color) {
  TdxBarManager* Manager = Dock ? Dock->BarManager() : nullptr;
  TBitmap* picture = Manager ? Manager->Backgrounds()->Bar() : nullptr;
  FillOrTile(DC, R, Origin, picture && !picture->Empty() ? picture->Handle() : nullptr, Color, Brush);
}

// ---- 111 to 185: shadows, brushes, toolbars, frames, captions, marks, status bars ---------------

bool TdxBarPainter::WantsShadow(TB* Bar) { return IsFlatForShifts() && !(Bar && Bar->NoShadow()); }

bool TdxBarPainter::ShadowAgainstOwner(TB* Bar) {
  if (!WantsShadow(Bar)) return false;
  auto* owner = Bar ? dynamic_cast<TB*>(Bar->OwnerControl()) : nullptr;
  return !owner || owner->NoShadow();
}

HBRUSH TdxBarPainter::ControlBrush(TB* Bar) { return BarBrush(Bar); }

void TdxBarPainter::FillDockedBarBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  Bar->FillBarBackground(DC, R, true, clNone, Brush);
}

void TdxBarPainter::FillFloatBarBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  TdxBarManager* manager = ManagerOf(Bar);
  TBitmap* picture = manager ? manager->Backgrounds()->Bar() : nullptr;
  FillOrTile(DC, R, R, picture && !picture->Empty() ? picture->Handle() : nullptr, clBtnFace, Brush);
}

void TdxBarPainter::FillSizeGripArea(TB* Bar, HDC DC, const TRect& R) {
  if (IsEmpty(R)) return;
  Fill(DC, R, ControlBrush(Bar));
}

HBRUSH TdxBarPainter::ToolbarBrush(TdxBarManager*) { return SysBrush(COLOR_BTNFACE); }
HBRUSH TdxBarPainter::BarBrush(TB* Bar) { return ToolbarBrush(ManagerOf(Bar)); }
HBRUSH TdxBarPainter::DownBrush(TdxBarManager*) { return CheckerBrush ? CheckerBrush : SysBrush(COLOR_BTNHIGHLIGHT); }
HBRUSH TdxBarPainter::DownHotBrush(TdxBarManager*) { return SysBrush(COLOR_BTNFACE); }
HBRUSH TdxBarPainter::HotBrush(TdxBarManager*) { return SysBrush(COLOR_HIGHLIGHT); }

int TdxBarPainter::EditTextAreaHeight(int TextHeight) {
  const TRect offsets = CaptionOffsets();
  int top, bottom;
  EditFrameInsets(top, bottom);
  return TextHeight + offsets.Top + offsets.Bottom + top + bottom;
}

void TdxBarPainter::FillFloatCaption(TB* /*Bar*/, HDC DC, const TRect& R, HBRUSH Brush) { Fill(DC, R, Brush); }

int TdxBarPainter::SmallCaptionHeight() {
  NONCLIENTMETRICS m;
  m.cbSize = 340;
  if (!SystemParametersInfo(SPI_GETNONCLIENTMETRICS, m.cbSize, &m, 0)) return GetSystemMetrics(SM_CYSMCAPTION);
  return m.iSmCaptionHeight;
}

void TdxBarPainter::FillBarBackground(TB* Bar, HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush,
                                      TColor Color) {
  if (IsEmpty(R)) return;
  TdxBarManager* manager = ManagerOf(Bar);
  if (TBitmap* own = Bar->BackgroundBitmap(); own && !own->Empty()) {
    FillOrTile(DC, R, Origin, own->Handle(), Color, Brush);
  } else if (Bar->IsStatusBar() && manager && !manager->Backgrounds()->Bar()->Empty()) {
    FillStatusBarBackground(Bar, DC, R, Origin, Brush);
  } else if (Bar->BarColor() != clDefault) {
    FillColor(DC, R, ColorToRGB(Bar->BarColor()));
  } else if (Bar->DockingStyleIndex() != 0) {
    FillDockedBarBackground(Bar, DC, R, Brush);
  } else {
    FillFloatBarBackground(Bar, DC, R, Brush);
  }
}

void TdxBarPainter::DrawToolbarSeparator(TB* Bar, HDC DC, const TRect& R, bool Vertical, HBRUSH Brush) {
  const int margin = ToolbarSeparatorMargin();
  TRect line = R;
  if (Vertical) {
    FillBarBackgroundPart(Bar, DC, {R.Left, R.Top, R.Right, R.Top + margin}, Brush);
    FillBarBackgroundPart(Bar, DC, {R.Left, R.Bottom - margin, R.Right, R.Bottom}, Brush);
    line.Top += margin;
    line.Bottom -= margin;
    FillBarBackgroundPart(Bar, DC, {line.Left, line.Top + 2, line.Right, line.Bottom}, Brush);
    Edge(DC, line, EDGE_ETCHED, BF_TOP);
  } else {
    FillBarBackgroundPart(Bar, DC, {R.Left, R.Top, R.Left + margin, R.Bottom}, Brush);
    FillBarBackgroundPart(Bar, DC, {R.Right - margin, R.Top, R.Right, R.Bottom}, Brush);
    line.Left += margin;
    line.Right -= margin;
    FillBarBackgroundPart(Bar, DC, {line.Left + 2, line.Top, line.Right, line.Bottom}, Brush);
    Edge(DC, line, EDGE_ETCHED, BF_LEFT);
  }
}

void TdxBarPainter::DrawButtonFace(TB* Bar, HDC DC, const TRect& R, int State, bool Active) {
  if (State == 0) {
    FillColor(DC, R, ColorToRGB(FloatCaptionColor(Active)));
    return;
  }
  DrawHotFrame(DC, R);
  TdxBarManager* manager = ManagerOf(Bar);
  Fill(DC, Inflate(R, -1, -1), State == 1 ? HotBrush(manager) : DownHotBrush(manager));
}

void TdxBarPainter::DrawFloatCaption(TB* Bar, HDC DC, const TRect& R, const String& Caption, HBRUSH Brush,
                                     bool Active) {
  if (IsEmpty(R)) return;
  // The band and the one pixel below it.
  Fill(DC, {R.Left, R.Top, R.Right, R.Bottom + 1}, Brush);
  if (FloatCaptionIsFlat()) FillFloatCaption(Bar, DC, R, Brush);
  TRect textRect = R;
  if (Bar->HasCloseButton()) textRect.Right -= SmallCaptionHeight();
  TRect markRect = Bar->HasMark() ? MarkBounds(Bar, {}, R) : TRect{};
  const bool markAtStart = Bar->HasMark() && markRect.Left < R.Left + Width(R) / 2;
  if (markAtStart)
    textRect.Left = FloatCaptionTextOrigin(Bar, textRect, markRect);
  else
    textRect.Left += 2;
  TdxBarCaptionButtons* buttons = CaptionButtonsOf(Bar);
  if (buttons) {
    const int buttonsEnd = Bar->HasMark() && !markAtStart ? std::min(textRect.Right, markRect.Left) : textRect.Right;
    textRect.Right = std::min(textRect.Right, PlaceCaptionButtons(buttons, R, buttonsEnd));
  }
  TdxBarManager* manager = ManagerOf(Bar);
  HFONT font = CreateSmallCaptionFont(manager ? manager->Font() : nullptr, manager && manager->UseSystemFont());
  HGDIOBJ oldFont = SelectObject(DC, font);
  {
    TTextStateKeeper keep(DC);
    SetTextColor(DC, ColorToRGB(FloatCaptionTextColor(Active)));
    SetBkColor(DC, ColorToRGB(FloatCaptionColor(Active)));
    SetBkMode(DC, FloatCaptionIsFlat() ? TRANSPARENT : OPAQUE);
    TEXTMETRIC tm{};
    GetTextMetrics(DC, &tm);
    const int y = R.Top + (Height(R) - tm.tmHeight) / 2;
    RECT clip = textRect;
    const UINT options = FloatCaptionIsFlat() ? ETO_CLIPPED : (ETO_OPAQUE | ETO_CLIPPED);
    try {
      ExtTextOut(DC, textRect.Left, y, options, &clip, Caption.c_str(), static_cast<UINT>(Caption.size()), nullptr);
    } catch (...) {
      SelectObject(DC, oldFont);
      DeleteObject(font);
      throw;
    }
  }
  SelectObject(DC, oldFont);
  DeleteObject(font);
  if (buttons) DrawCaptionButtons(Bar, DC, buttons, Active);
  if (Bar->HasMark()) DrawMarkArrow(Bar, DC, markRect, Active);
}

TdxBarCaptionButtons* TdxBarPainter::CaptionButtonsOf(TB* Bar) {
  auto* toolbar = dynamic_cast<TdxBarControl*>(Bar);
  return toolbar ? toolbar->ShownCaptionButtons() : nullptr;
}

int TdxBarPainter::PlaceCaptionButtons(TdxBarCaptionButtons* Buttons, const TRect& Caption, int End) {
  // Square cells from the end towards the text, the first button nearest the end; one that would
  // reach over the caption's start gets no room and so takes no clicks.
  const int side = Height(Caption);
  int right = End;
  for (int i = 0; i < Buttons->Count(); ++i) {
    TdxBarCaptionButton* button = Buttons->Items(i);
    if (right - side < Caption.Left) {
      button->SetRect({});
      continue;
    }
    button->SetRect({right - side, Caption.Top, right, Caption.Bottom});
    right -= side;
  }
  return right;
}

void TdxBarPainter::DrawCaptionButtons(TB* Bar, HDC DC, TdxBarCaptionButtons* Buttons, bool Active) {
  for (int i = 0; i < Buttons->Count(); ++i) {
    TdxBarCaptionButton* button = Buttons->Items(i);
    const TRect r = button->Rect();
    if (IsEmpty(r)) continue;
    const int state = button->State();
    DrawButtonFace(Bar, DC, r, state == dxBarCaptionButtonPressed ? 2 : state == dxBarCaptionButtonHot ? 1 : 0, Active);
    TBitmap* glyph = button->Glyph();
    if (!glyph || glyph->Empty()) continue;
    const int w = std::min(glyph->Width(), Width(r)), h = std::min(glyph->Height(), Height(r));
    TRect cell{r.Left + (Width(r) - w) / 2, r.Top + (Height(r) - h) / 2, 0, 0};
    cell.Right = cell.Left + w;
    cell.Bottom = cell.Top + h;
    if (state == dxBarCaptionButtonPressed) cell = Offset(cell, 1, 1);
    DrawGlyphEnabled(DC, cell, glyph, button->Enabled());
  }
}

void TdxBarPainter::DrawMarkArrow(TB* /*Bar*/, HDC DC, const TRect& MarkRect, bool Active) {
  DrawMarkDropArrow(DC, MarkRect, FloatCaptionGlyphColor(Active, 0));
}

void TdxBarPainter::DrawMark(TB* Bar, HDC DC, const TRect& R) {
  if (IsEmpty(R)) return;
  TdxFadingObjectHelper* fading = Bar->MarkFadingHelper();
  if (!fading || fading->IsIdle() || !fading->DrawFadingImage(DC, R))
    DrawMarkBackground(Bar, DC, R, BarBkBrush(Bar));
  DrawMarkContent(Bar, DC, R);
}

void TdxBarPainter::DrawStatusBarGrip(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  if (IsEmpty(R)) return;
  FillBarBackgroundPart(Bar, DC, R, Brush);
  DrawBarSizeGrip(DC, R);
}

void TdxBarPainter::FillStatusBarTopBand(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  FillBarBackgroundPart(Bar, DC, {R.Left, R.Top, R.Right, R.Top + StatusBarTopBand()}, Brush);
}

TRect TdxBarPainter::MarkBounds(TB* Bar, const TRect& Client, const TRect& Caption) {
  const int style = Bar->DockingStyleIndex();
  if (style == 1 || style == 3) return {Client.Left, Client.Bottom - MarkSize(), Client.Right, Client.Bottom};
  if (style == 2 || style == 4) return {Client.Right - MarkSize(), Client.Top, Client.Right, Client.Bottom};
  const int side = Height(Caption);
  int right = Caption.Right;
  if (Bar->HasCloseButton()) right -= CloseButtonSize().cx + 1;
  int left = right - side;
  if (left < Caption.Left) {
    left = Caption.Left;
    right = left + side;
  }
  return {left, Caption.Top, right, Caption.Bottom};
}

void TdxBarPainter::RedrawMark(TB* Bar, const TRect& Client, const TRect& Caption) {
  if (!Bar->HandleAllocated()) return;
  if (Bar->DockingStyleIndex() != 0) {
    RECT r = MarkRedrawBounds(Bar, Client, Caption);
    InvalidateRect(Bar->Handle(), &r, FALSE);
    return;
  }
  HDC dc = GetWindowDC(Bar->Handle());
  try {
    DrawMarkArrow(Bar, dc, MarkBounds(Bar, Client, Caption), true);
  } catch (...) {
    ReleaseDC(Bar->Handle(), dc);
    throw;
  }
  ReleaseDC(Bar->Handle(), dc);
}

void TdxBarPainter::FillStatusBarBackground(TB* Bar, HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush) {
  if (UsesNativeBackground() && HasVisualStyles({tciStatus})) {
    const RECT client = Bar->ClientRect();
    TdxBarXPPainter::FillThemedStatusBar(DC, R, Origin, client, Bar->BackgroundCache());
    return;
  }
  TdxBarManager* manager = ManagerOf(Bar);
  TBitmap* picture = manager ? manager->Backgrounds()->Bar() : nullptr;
  FillOrTile(DC, R, Origin, picture && !picture->Empty() ? picture->Handle() : nullptr, clBtnFace, Brush);
}

TSize TdxBarPainter::SizeGripSize() {
  if (HasVisualStyles({tciStatus})) return TdxBarXPPainter::ThemedBarSizeGripSize();
  return {GetSystemMetrics(SM_CXHSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

TRect TdxBarPainter::CheckCellBounds(TP& /*P*/, HDC /*DC*/, const TRect& R, bool /*Flag*/) {
  return {R.Left, R.Top, R.Left + Height(R), R.Bottom};
}

int TdxBarPainter::ItemIconAreaWidth(TdxBarItemControl* C) {
  TB* bar = C ? C->Parent() : nullptr;
  return bar ? bar->IconAreaSize() : 0;
}

HBRUSH TdxBarPainter::ButtonBrush(TP& P) { return ItemBkBrush(P); }

bool TdxBarPainter::ButtonUsesBrush(TP& P) {
  const bool rarely = P.OwnerControl && P.OwnerControl->IsRarelyUsed();
  return rarely || (IsFlatStyle() && (P.IsSelected || P.IsDropDown));
}

bool TdxBarPainter::ButtonFillsHot(TP& P) {
  if (IsFlatStyle()) {
    const bool whiteFace = GetSysColor(COLOR_BTNFACE) == RGB(255, 255, 255);
    return (whiteFace && P.IsSelected && (P.InMenu() || !P.IsDropDown)) || (P.InMenu() && P.IsDropDown);
  }
  return IsFlatForShifts() && P.IsDropDown;
}

void TdxBarPainter::PressedShift(TBP& P, TRect& R) {
  if (IsFlatForShifts()) return;
  int shift = 0;
  if (P.IsPressed || P.Down) ++shift;
  if (P.IsPressed && P.Down) ++shift;
  R = Offset(R, shift, shift);
}

void TdxBarPainter::PressedShiftIfNotFlat(TBP& P, TRect& R) {
  if (!IsFlatForShifts() && P.IsPressed) R = Offset(R, 1, 1);
}

// ---- 186 to 232: buttons, drop-down parts, combos, menus ----------------------------------------

void TdxBarPainter::PaintButtonItem(TBP& P, HDC DC, const TRect& R) {
  if (IsEmpty(R)) return;
  // One paint-canvas level for the captions, shortcut and description lines below.
  TPaintCanvasLevel level(DC);
  TRect r = R;
  if (P.Lowered) DrawLoweredFrame(DC, r);
  TB* bar = ParentOf(P);
  TdxBarManager* manager = ManagerOf(bar);
  const bool selected = P.IsSelected;
  const bool pressed = P.DrawDownFrame || P.IsPressed;
  const bool noGlyph = !P.ShowsGlyph() || !(P.OwnerControl && P.OwnerControl->HasImage());
  if (P.InMenu()) {
    const int iconArea = bar ? MenuIconAreaSize(bar) : 19;
    DrawMenuGlyphArea(P, DC, r);
    const TRect glyphCell = MenuGlyphBounds(r, iconArea);
    DrawItemGlyph(P, DC, glyphCell, pmMenu, noGlyph, selected, P.Down, false, P.IsDropDown, false, false);
    TRect text = MenuTextBounds(r, iconArea);
    TRect captionRect = text;
    HDC dc = DC;
    if (bar && bar->ShowsDescriptions()) {
      const int h = TextExtent(dc, "Wg").cy;
      const int H = Height(r);
      const int blockTop = r.Bottom - 2 * ((H - 3 * h) / 4) - 2 * h;
      if (!P.Description.empty()) {
        const TRect block(text.Left, blockTop, text.Right - bar->TextSize(), r.Bottom);
        captionRect.Bottom = blockTop;
        TStringList lines;
        {
          TPaintCanvasLevel level(dc);
          if (level.Canvas()) WrapTextToLines(P.Description, level.Canvas(), block, &lines);
        }
        if (lines.Count() > 2) {
          const String first = lines.Strings(0);
          String rest = P.Description.substr(std::min(P.Description.size(), first.size()));
          const auto b = rest.find_first_not_of(" \t\r\n");
          const auto e = rest.find_last_not_of(" \t\r\n");
          rest = b == String::npos ? String() : rest.substr(b, e - b + 1);
          lines.Clear();
          lines.Add(first);
          lines.Add(rest);
        }
        for (int i = 0; i < lines.Count(); ++i) {
          const TRect line(block.Left, block.Top + i * h, block.Right, block.Top + (i + 1) * h);
          DrawItemText(P, dc, lines.Strings(i), line, 0, P.Enabled, selected, false, true, false,
                       DT_END_ELLIPSIS | DT_SINGLELINE);
        }
      }
    }
    // A menu with descriptions shows every caption bold.
    HFONT boldFont = nullptr;
    HGDIOBJ oldFont = nullptr;
    if (bar && bar->ShowsDescriptions()) {
      LOGFONT lf{};
      GetObject(GetCurrentObject(dc, OBJ_FONT), sizeof(lf), &lf);
      lf.lfWeight = FW_BOLD;
      boldFont = CreateFontIndirect(&lf);
      oldFont = SelectObject(dc, boldFont);
    }
    try {
      DrawItemText(P, dc, P.Caption, captionRect, 0, P.Enabled, selected, false, false, false, DT_SINGLELINE);
    } catch (...) {
      if (boldFont) {
        SelectObject(dc, oldFont);
        DeleteObject(boldFont);
      }
      throw;
    }
    if (boldFont) {
      SelectObject(dc, oldFont);
      DeleteObject(boldFont);
    }
    if (!P.ShortCut.empty()) {
      const int size = bar ? bar->TextSize() : 19;
      const TRect sc(text.Left, captionRect.Top, text.Right - (size + 5), captionRect.Bottom);
      DrawItemText(P, dc, P.ShortCut, sc, 2, P.Enabled, selected, false, false, false, DT_SINGLELINE);
    }
    if (P.HasDropDownPart && !P.IsCustomizing)
      DrawDropDownPart(P, DC, r);
    else if (P.IsDropDown || (!P.IsButtonControl && P.ArrowSize.cx > 0 && !P.IsCustomizing))
      DrawSubItemArrow(P, DC, r);
    return;
  }
  const bool large = P.ViewSize == cvsLarge;
  const int partWidth = P.HasDropDownPart && manager ? DropArrowPartWidth(manager, P.ViewSize != cvsSmall) : 0;
  TRect caption = r;
  if (P.HasDropDownPart) caption.Right -= partWidth;
  if (large) {
    // Bars paint no background under their items: the pixel the inset leaves is the bar's.
    DrawItemRing(P, DC, caption, nullptr, false);
    caption = Inflate(caption, -1, -1);
    PressedShift(P, caption);
  }
  // The glyph cell carries the button's state frame: the whole button when the glyph fills it,
  // else the part before the drop-down (the glyph then stands before the caption).
  const TRect cell = P.GlyphFillsButton ? r : caption;
  DrawItemGlyph(P, DC, cell, P.PaintType, noGlyph, selected, P.Down, pressed, P.IsDropDown, P.HasDropDownPart,
                P.GrayGlyph);
  if (P.ShowsCaption()) {
    int alignment = 0;
    const TRect glyphRect = P.ShowsGlyph() && P.OwnerControl ? TRect(P.OwnerControl->ImageBounds()) : TRect{};
    const TRect textRect = CaptionBoundsBesideGlyph(P, caption, glyphRect, alignment);
    DrawButtonCaption(P, DC, textRect, alignment);
  }
  if ((P.HasDropDownPart || P.IsDropDown || P.ArrowSize.cx > 0) && !P.IsCustomizing) {
    if (P.HasDropDownPart)
      DrawDropDownPart(P, DC, r);
    else if (!P.IsButtonControl && P.ArrowSize.cx > 0)
      DrawSubItemArrow(P, DC, r);
  }
}

void TdxBarPainter::DrawButtonCaption(TBP& P, HDC DC, const TRect& R, int Alignment) {
  if (P.Caption.empty()) return;
  DrawItemCaption(P, DC, R, Alignment, DT_SINGLELINE);
}

void TdxBarPainter::DrawDropArrowPart(TBP& P, HDC DC, const TRect& R) {
  TRect r = R;
  if (P.IsDropDown && !IsFlatForShifts() && (Width(R) > 9 || P.InMenu())) r = Offset(r, 1, 1);
  const TColor color = ArrowColor(P, P.HighlightFlag, P.ArrowColorFlag);
  const bool enabled = P.Enabled && P.DropDownEnabled;
  if (P.InMenu())
    DrawSideArrow(DC, r, color, enabled, P.IsSelected && !IsFlatStyle(), BarArrowFittedSize(r, adRight));
  else
    DrawDownArrow(DC, r, color, enabled, false, BarArrowFittedSize(r, adDown));
}

void TdxBarPainter::FillDropArrowPart(TBP& P, HDC DC, const TRect& R) {
  FillItemBackground(P, DC, R, ButtonBrush(P), ButtonUsesBrush(P));
}

void TdxBarPainter::DrawDropDownPart(TBP& P, HDC DC, const TRect& R) {
  TdxBarManager* manager = ManagerOf(P);
  const int width = P.InMenu() ? (ParentOf(P) ? ParentOf(P)->TextSize() : 19)
                               : DropArrowPartWidth(manager, P.ViewSize != cvsSmall);
  TRect part(R.Right - width, R.Top, R.Right, R.Bottom);
  const bool flatOnToolbar = IsFlatStyle() && !P.InMenu();
  if (flatOnToolbar) part.Left -= 1;
  if (!(flatOnToolbar && P.IsDropDown)) FillDropArrowPart(P, DC, part);
  DrawDropArrowPart(P, DC, part);
}

void TdxBarPainter::DrawSubItemArrow(TBP& P, HDC DC, const TRect& R) {
  TRect r = R;
  if (!P.InMenu()) PressedShift(P, r);
  const TColor color = ArrowColor(P, P.HighlightFlag, P.ArrowColorFlag);
  if (P.PaintType == pmHorizontal) {
    const int w = P.ArrowSize.cx > 0 ? P.ArrowSize.cx : 11;
    const TRect cell(r.Right - w, r.Top, r.Right, r.Bottom);
    DrawDownArrow(DC, cell, color, P.Enabled, false, BarArrowFittedSize(cell, adDown));
    return;
  }
  TB* bar = ParentOf(P);
  const int w = P.InMenu() && bar ? bar->TextSize() : (P.ArrowSize.cx > 0 ? P.ArrowSize.cx : 11);
  const TRect cell(r.Right - w, r.Top, r.Right, r.Bottom);
  // The arrow fits a square as wide as the menu's arrow area.
  const int side = MenuArrowWidth(bar ? bar->TextSize() : 19);
  const TRect fit(cell.Left, cell.Top, cell.Left + side, cell.Top + side);
  DrawSideArrow(DC, cell, color, P.Enabled, P.IsSelected && P.InMenu() && !IsFlatStyle(),
                BarArrowFittedSize(fit, adRight));
}

TColor TdxBarPainter::ComboArrowColor(TP& P) {
  if (!IsFlatStyle() && !P.Enabled) return clDefault;
  return SystemColor(COLOR_BTNTEXT);
}

void TdxBarPainter::DrawComboButton(TP& P, HDC DC, const TRect& R, bool Selected, bool DroppedDown) {
  TRect r = R;
  HBRUSH brush = ComboButtonBrush(P);
  DrawComboButtonFace(P, DC, r, brush, Selected, DroppedDown);
  const int size = MadeOdd(Width(r) / 4);
  DrawComboArrow(DC, r, size, ComboArrowColor(P), P.Enabled);
}

void TdxBarPainter::DrawDropDownListBorder(HDC DC, const TRect& R, TColor InnerColor) {
  Frame(DC, R, SysBrush(COLOR_BTNSHADOW));
  HBRUSH inner = CreateSolidBrush(ColorOf(InnerColor, GetSysColor(COLOR_WINDOW)));
  Frame(DC, Inflate(R, -1, -1), inner);
  DeleteObject(inner);
}

TdxBarMenuMarks TdxBarPainter::CalcMenuMarks(HDC DC, int TextSize) {
  TdxBarMenuMarks m;
  m.TextSize = TextSize;
  m.ArrowWidth = MenuArrowWidth(TextSize);
  m.MarkHeight = TextExtent(DC, "0").cy + 1;
  const int chevron = MenuChevronSize(m.MarkHeight);
  if (chevron % 2 != 0) m.MarkHeight = 2 * chevron + 4;
  return m;
}

TRect TdxBarPainter::MenuBorderInsets(TB* /*Bar*/) {
  const int b = MenuInnerBorder();
  return {b, b, b, b};
}

int TdxBarPainter::MenuTextIndent(TB* Bar) {
  int indent = Bar->SideBandWidth() + MenuIconAreaSize(Bar);
  AdjustMenuItemHeight(indent);
  return indent;
}

TRect TdxBarPainter::MenuGlyphBounds(const TRect& R, int IconArea) {
  return {R.Left, R.Top, R.Left + IconArea, R.Bottom};
}

TRect TdxBarPainter::MenuTextBounds(const TRect& R, int IconArea) {
  return {R.Left + MenuTextIndentOf(IconArea), R.Top, R.Right, R.Bottom};
}

TRect TdxBarPainter::MenuSeparatorBounds(TB* /*Bar*/, const TRect& Row, bool AfterShadedRarelyUsed) {
  const int top = Row.Top - (AfterShadedRarelyUsed ? 1 : 0);
  return {Row.Left, top - MenuSeparatorHeight(), Row.Right, top};
}

void TdxBarPainter::MenuClientInsets(TRect& R) { R = Inflate(R, -3, -3); }

void TdxBarPainter::FillMenuBackground(TB* Bar, HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush,
                                       TColor Color) {
  TdxBarManager* manager = ManagerOf(Bar);
  TBitmap* picture = manager ? manager->Backgrounds()->SubMenu() : nullptr;
  FillOrTile(DC, R, Origin, picture && !picture->Empty() ? picture->Handle() : nullptr, Color, Brush);
}

void TdxBarPainter::DrawMenuBorder(TB* Bar, HDC DC, TRect& R) {
  if (IsEmpty(R)) return;
  HBRUSH face = SysBrush(COLOR_BTNFACE);
  Fill(DC, {R.Left, R.Top, R.Left + 1, R.Bottom - 1}, face);
  Fill(DC, {R.Left, R.Top, R.Right, R.Top + 1}, face);
  Edge(DC, R, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
  if (Bar->IsDetachable()) {
    const TRect inner(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
    Edge(DC, inner, BDR_RAISEDINNER, BF_LEFT | BF_TOP | BF_RIGHT);
    const TRect band(inner.Left + 1, inner.Top + 1, inner.Right - 1,
                     inner.Top + 1 + DetachCaptionHeight(Bar->DetachCaptionSize()));
    Frame(DC, band, face);
    DrawDetachCaption(Bar, DC, Inflate(band, -1, -1));
  }
}

void TdxBarPainter::DrawMenuClientBorder(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) {
  TRect r = R;
  if (Bar->IsDetachable()) r.Top -= 2;
  Edge(DC, r, BDR_RAISEDINNER, BF_RECT);
  Frame(DC, Inflate(R, -1, -1), Brush);
}

void TdxBarPainter::DrawDetachCaption(TB* Bar, HDC DC, const TRect& R) {
  Fill(DC, R, SysBrush(Bar->DetachCaptionHot() ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
}

void TdxBarPainter::DrawMenuSeparator(TP& P, HDC DC, const TRect& R, bool RarelyUsedGroup) {
  TB* bar = ParentOf(P);
  HBRUSH brush = RarelyUsedGroup ? SysBrush(COLOR_3DLIGHT) : MenuItemBrush(bar);
  FillItemBackground(P, DC, R, brush, RarelyUsedGroup);
  const TRect line(R.Left + MenuGroupIndent(), R.Top + 4, R.Right - MenuGroupIndent(), R.Bottom - 4);
  DrawSeparatorLine(DC, line);
}

void TdxBarPainter::DrawSeparatorLine(HDC DC, const TRect& R) { Edge(DC, R, EDGE_ETCHED, BF_TOP); }

HBRUSH TdxBarPainter::MenuItemBrush(TB* Bar) { return MenuItemsUseMenuBrush() ? MenuBrush(Bar) : BarBkBrush(Bar); }

HBRUSH TdxBarPainter::MenuBrush(TB*) { return SysBrush(COLOR_BTNFACE); }

// ---- 235 to 333: application menus, edits, pickers, spins, progress, statics, separators -------

void TdxBarPainter::FillApplicationMenu(TB* Bar, HDC DC, const TRect& R) { Fill(DC, R, MenuBrush(Bar)); }
void TdxBarPainter::FillExtraPane(TB* Bar, HDC DC, const TRect& R) { Fill(DC, R, MenuBrush(Bar)); }

void TdxBarPainter::DrawEditText(TEP& /*P*/, TcxCanvas* Canvas, const TRect& R, const String& Text) {
  HDC dc = Canvas->DeviceContext();
  Fill(dc, R, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
  TRect r = EditContentBounds(R);
  TTextStateKeeper keep(dc);
  DrawTextOnDC(dc, Text, r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, -1, clDefault, TRANSPARENT);
}

void TdxBarPainter::LookAndFeelChanged(TdxBarManager* Manager) {
  if (Manager) Manager->StyleChanged();
}

TColor TdxBarPainter::EditBackColor() { return SystemColor(COLOR_WINDOW); }

TColor TdxBarPainter::DisabledEditBackColor(TB* Bar) {
  LOGBRUSH lb{};
  if (GetObject(BarBkBrush(Bar), sizeof(lb), &lb) && lb.lbStyle == BS_SOLID) return static_cast<TColor>(lb.lbColor);
  return clBtnFace;
}

TColor TdxBarPainter::EditColor(TP& P) {
  if (!P.Enabled) return DisabledEditBackColor(ParentOf(P));
  const TColor own = P.OwnerControl ? P.OwnerControl->StyleColor() : clDefault;
  return own != clDefault ? own : EditBackColor();
}

TColor TdxBarPainter::EditTextColorDefault() { return SystemColor(COLOR_WINDOWTEXT); }
TColor TdxBarPainter::DisabledEditTextColor() { return SystemColor(COLOR_GRAYTEXT); }

TColor TdxBarPainter::EditTextColor(TP& P) {
  if (!P.Enabled) return DisabledEditTextColor();
  const TColor own = P.OwnerControl ? P.OwnerControl->FontColor() : clDefault;
  return own != clDefault ? own : EditTextColorDefault();
}

void TdxBarPainter::EditColors(TP& P, TColor& Text, TColor& Back) {
  Text = EditTextColor(P);
  Back = EditColor(P);
}

void TdxBarPainter::DrawListItem(HDC DC, const TRect& R, const String& Text, bool Selected, int Offset) {
  Fill(DC, R, SysBrush(Selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  TTextStateKeeper keep(DC);
  TRect r(R.Left + 2, R.Top + Offset, R.Right, R.Bottom);
  DrawTextOnDC(DC, Text, r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, -1,
               SystemColor(Selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT), TRANSPARENT);
}

void TdxBarPainter::DrawEdit(TEP& P, HDC DC, const TRect& R) {
  if (IsEmpty(R)) return;
  TdxBarClipKeeper keep(DC);
  FillEditParts(P, DC, R);
  if (P.InMenu() && P.IsSelected) DrawEditSelection(P, DC, R);
  PrepareEditDraw(P);
  if (!IsEmpty(P.GlyphRect)) {
    DrawEditGlyph(P, DC, P.GlyphRect);
    ExcludeRect(DC, P.GlyphRect);
  }
  if (!IsEmpty(P.CaptionRect)) {
    DrawEditCaption(P, DC, P.CaptionRect);
    ExcludeRect(DC, P.CaptionRect);
  }
  TRect frame = IsEmpty(P.ContentRect) ? R : Inflate(P.ContentRect, EditBorderOffsets().Left, EditBorderOffsets().Top);
  DrawEditFrame(P, DC, frame, P.IsSelected);
  TPaintCanvasLevel level(DC);
  if (level.Canvas()) DrawEditContent(P, level.Canvas(), frame);
}

void TdxBarPainter::FillEditParts(TEP& P, HDC DC, const TRect& /*R*/) {
  if (!IsEmpty(P.CaptionRect))
    FillItemBackground(P, DC, P.CaptionRect, EditCaptionUsesMenuBrush(P) ? MenuBrush(ParentOf(P)) : EditPartBrush(P),
                       EditCaptionUsesMenuBrush(P));
  if (!IsEmpty(P.GlyphRect))
    FillItemBackground(P, DC, P.GlyphRect, EditGlyphUsesMenuBrush(P) ? MenuBrush(ParentOf(P)) : EditPartBrush(P),
                       EditGlyphUsesMenuBrush(P));
}

void TdxBarPainter::DrawEditFrame(TEP& P, HDC DC, TRect& R, bool Selected) {
  const bool rarely = P.OwnerControl && P.OwnerControl->IsRarelyUsed();
  HBRUSH bk = BarBkBrush(ParentOf(P));
  if (Selected)
    Edge(DC, R, BDR_SUNKENOUTER, BF_RECT);
  else
    DrawItemRing(P, DC, R, bk, rarely);
  R = Inflate(R, -1, -1);
  DrawItemRing(P, DC, R, P.Enabled ? bk : SysBrush(COLOR_BTNHIGHLIGHT), rarely || Selected || !P.Enabled);
  R = Inflate(R, -1, -1);
}

void TdxBarPainter::DrawEditCaption(TEP& P, HDC DC, const TRect& R) {
  const TRect insets = EditPartInsets(P);
  const TRect r(R.Left + insets.Left, R.Top + insets.Top, R.Right - insets.Right, R.Bottom - insets.Bottom);
  DrawItemText(P, DC, P.Caption, r, 0, P.Enabled, EditPartSelected(P), false, true, false, DT_SINGLELINE);
}

void TdxBarPainter::DrawEditSelection(TEP& /*P*/, HDC DC, const TRect& R) { DrawHotFrame(DC, R); }

void TdxBarPainter::DrawEditGlyph(TEP& P, HDC DC, const TRect& R) {
  TdxBarItemControl* c = P.OwnerControl;
  if (!c || !c->HasImage()) return;
  const TSize g = c->GlyphSize();
  const int x = R.Left + (Width(R) - g.cx) / 2, y = R.Top + (Height(R) - g.cy) / 2;
  DrawGlyphImage(P, DC, R, {x, y, x + g.cx, y + g.cy}, P.PaintType, false, EditPartSelected(P), false, false, false,
                 false, false, false, false);
}

bool TdxBarPainter::EditCaptionUsesMenuBrush(TP& P) {
  return P.InMenu() && (P.IsSelected || (P.OwnerControl && P.OwnerControl->IsRarelyUsed()));
}

bool TdxBarPainter::EditGlyphUsesMenuBrush(TP& P) {
  return P.InMenu() && P.OwnerControl && P.OwnerControl->IsRarelyUsed();
}

void TdxBarPainter::DrawEditContent(TEP& P, TcxCanvas* Canvas, const TRect& R) {
  TColor text, back;
  EditColors(P, text, back);
  HDC dc = Canvas->DeviceContext();
  TdxBarClipKeeper keep(dc);
  TTextStateKeeper textState(dc);
  Canvas->Canvas()->Font()->SetColor(text);
  Canvas->Canvas()->Brush()->SetColor(back);
  AddClipRectangle(dc, R);
  if (P.OwnerControl) P.OwnerControl->DrawEditText(Canvas->Canvas(), R);
}

TRect TdxBarPainter::EditPartInsets(TP& /*P*/) { return {2, 0, 0, 0}; }

int TdxBarPainter::EditCaptionGap(TP& P) { return P.InMenu() ? EditCaptionGapMenu(P) : EditCaptionGapBar(P); }

HBRUSH TdxBarPainter::EditPartBrush(TP& P) { return BarBkBrush(ParentOf(P)); }

void TdxBarPainter::SelectEditText(HWND Edit, bool NotifyChange) {
  if (!Edit) return;
  if (NotifyChange) PostMessage(Edit, WM_COMMAND, MAKEWPARAM(0, 0x300), 0);
  SendMessage(Edit, EM_SETSEL, 0, -1);
}

bool TdxBarPainter::PickerSwatchVisible(const TdxBarEditLayout& L) { return Width(L.SwatchRect) > 0; }

void TdxBarPainter::CalcPickerSwatch(TP& /*P*/, TdxBarEditLayout& L) {
  if (HasPickerSwatch() && PickerSwatchVisible(L)) L.SwatchRect.Right = L.EllipsisRect.Left - PickerSwatchInsets().Right;
}

void TdxBarPainter::DrawPickerButton(TP& P, HDC DC, const TRect& R, bool Pressed) {
  TRect r = R;
  DrawEditButtonFrame(P, DC, r, P.IsSelected, Pressed);
  DrawEllipsisDots(DC, r, P.Enabled, Pressed);
}

void TdxBarPainter::DrawDoubleFrame(HDC DC, const TRect& R, HBRUSH Brush) {
  Frame(DC, R, Brush);
  Frame(DC, Inflate(R, 0, -1), Brush);
}

void TdxBarPainter::PlaceDropDownWindow(TRect& R, bool Above) {
  R = Inflate(R, -1, -1);
  if (Above)
    R.Bottom += DropDownPanelSize();
  else
    R.Top -= DropDownPanelSize();
}

void TdxBarPainter::DrawDropDownWindowFrame(HWND Window, bool ShowPanel, bool CloseHot, bool CloseDown, TRect& GripRect,
                                            TRect& CloseRect, TcxGripCorner Corner) {
  DrawDropDownFrame(Window, ShowPanel, false, CloseHot, CloseDown, GripRect, CloseRect, Corner);
}

int TdxBarPainter::DropDownPanelSize() { return GetSystemMetrics(SM_CYHSCROLL) + 2; }

void TdxBarPainter::DrawPushButton(HDC DC, const TRect& R, const String& Text, bool Pressed) {
  if (IsEmpty(R)) return;
  RECT r = R;
  if (Pressed) {
    DrawFrameControl(DC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
  } else {
    Fill(DC, R, SysBrush(COLOR_BTNFACE));
    {
      TdxBarScopedPen pen(DC, GetSysColor(COLOR_BTNTEXT));
      Line(DC, R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
      LineTo(DC, R.Right - 1, R.Top - 1);
    }
    {
      TdxBarScopedPen pen(DC, GetSysColor(COLOR_BTNFACE));
      Line(DC, R.Left, R.Bottom - 2, R.Left, R.Top);
      LineTo(DC, R.Right - 1, R.Top);
    }
    {
      TdxBarScopedPen pen(DC, GetSysColor(COLOR_BTNSHADOW));
      Line(DC, R.Left + 1, R.Bottom - 2, R.Right - 2, R.Bottom - 2);
      LineTo(DC, R.Right - 2, R.Top);
    }
    {
      TdxBarScopedPen pen(DC, GetSysColor(COLOR_BTNHIGHLIGHT));
      Line(DC, R.Left + 1, R.Bottom - 3, R.Left + 1, R.Top + 1);
      LineTo(DC, R.Right - 2, R.Top + 1);
    }
    SetPixelV(DC, R.Right - 3, R.Top + 1, GetSysColor(COLOR_BTNFACE));
  }
  DrawFaceText(DC, R, Text, Pressed);
}

TColor TdxBarPainter::PushButtonHeaderColor() { return clBtnFace; }

TPoint TdxBarPainter::SpinArrowOrigin(const TRect& Button, const TSize& Arrow) {
  return {Button.Left + (Width(Button) - Arrow.cx) / 2, Button.Top + (Height(Button) - Arrow.cy) / 2};
}

TSize TdxBarPainter::SpinArrowSizeFor(int ButtonHeight) {
  const int h = std::max(2, (ButtonHeight - 2) / 2);
  return {2 * h - 1, h};
}

TRect TdxBarPainter::SpinButtonBounds(const TRect& Buttons, bool Upper) {
  const TRect insets = SpinButtonInsets();
  const TRect r(Buttons.Left + insets.Left, Buttons.Top + insets.Top, Buttons.Right - insets.Right,
                Buttons.Bottom - insets.Bottom);
  const int middle = r.Top + Height(r) / 2;
  return Upper ? TRect{r.Left, r.Top, r.Right, middle} : TRect{r.Left, middle, r.Right, r.Bottom};
}

int TdxBarPainter::SpinButtonWidth(int Height) { return std::max(11, Height * 3 / 4) | 1; }

int TdxBarPainter::SpinButtonState(bool Enabled, bool Pressed, bool Hot) {
  if (!Enabled) return 4;
  if (Pressed) return 3;
  return Hot ? 2 : 1;
}

void TdxBarPainter::DrawSpinButton(TP& P, HDC DC, const TRect& R, bool Upper, int PressedIndex, bool Active) {
  TRect r = R;
  const bool pressed = PressedIndex == (Upper ? 0 : 1);
  Edge(DC, r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE);
  const TSize arrow = SpinArrowSizeFor(Height(r));
  TPoint origin = SpinArrowOrigin(r, arrow);
  if (Active && pressed) origin = {origin.X + 1, origin.Y + 1};
  DrawSpinArrow(DC, {origin.X, origin.Y, origin.X + arrow.cx, origin.Y + arrow.cy}, Upper, P.Enabled, P.IsSelected);
}

void TdxBarPainter::FillSpinArea(TB* Bar, HDC DC, const TRect& R) { Fill(DC, R, BarBkBrush(Bar)); }

TColor TdxBarPainter::ProgressColor() { return SystemColor(COLOR_HIGHLIGHT); }

void TdxBarPainter::DrawProgress(TB* Bar, HDC DC, const TRect& R, int Min, int Max, int Value, bool Smooth,
                                 bool Vertical) {
  FillProgressTrack(Bar, DC, R);
  if (Max <= Min) return;
  const int length = Vertical ? Height(R) : Width(R);
  const int done = MulDiv(std::clamp(Value, Min, Max) - Min, length, Max - Min);
  const TRect part = Vertical ? TRect{R.Left, R.Bottom - done, R.Right, R.Bottom}
                              : TRect{R.Left, R.Top, R.Left + done, R.Bottom};
  if (Smooth)
    FillProgressSmooth(DC, part);
  else
    DrawProgressBlocks(DC, part, Vertical);
}

void TdxBarPainter::FillProgressTrack(TB* Bar, HDC DC, const TRect& R) { Fill(DC, R, BarBkBrush(Bar)); }

void TdxBarPainter::DrawProgressBlocks(HDC DC, const TRect& Done, bool Vertical) {
  const int thickness = Vertical ? Width(Done) : Height(Done);
  const int block = std::max(1, thickness * 2 / 3);
  if (Vertical) {
    for (int y = Done.Bottom; y > Done.Top; y -= block + 2)
      FillProgressBlock(DC, {Done.Left, std::max(Done.Top, y - block), Done.Right, y});
  } else {
    for (int x = Done.Left; x < Done.Right; x += block + 2)
      FillProgressBlock(DC, {x, Done.Top, std::min(Done.Right, x + block), Done.Bottom});
  }
}

void TdxBarPainter::FillProgressSmooth(HDC DC, const TRect& R) { FillColor(DC, R, ColorToRGB(ProgressColor())); }

HBRUSH TdxBarPainter::HeaderBandBrush() { return SysBrush(COLOR_BTNSHADOW); }

int TdxBarPainter::ItemTextSize(TdxBarItemControl* C) {
  TB* bar = C ? C->Parent() : nullptr;
  return bar ? bar->TextSize() : 0;
}

void TdxBarPainter::DrawStaticArrow(TP& P, HDC DC, const TRect& R) {
  TB* bar = ParentOf(P);
  const int w = bar ? bar->TextSize() : 19;
  const TRect cell(R.Right - w, R.Top, R.Right, R.Bottom);
  DrawSideArrow(DC, cell, ArrowColor(P, P.IsSelected, IsFlatStyle()), P.Enabled, StaticIsSelected(P),
                BarArrowFittedSize(cell, adRight));
}

void TdxBarPainter::FillStaticHeader(TP& P, HDC DC, const TRect& R) {
  Fill(DC, {R.Left, R.Top, R.Right, R.Top + 1}, SysBrush(COLOR_BTNHIGHLIGHT));
  const TRect band(R.Left, R.Top + 1, R.Right, R.Bottom);
  Fill(DC, band, StaticIsSelected(P) ? HotBrush(ManagerOf(P)) : HeaderBandBrush());
  if (StaticIsSelected(P)) DrawHotFrame(DC, R);
}

void TdxBarPainter::DrawStaticHeader(TP& P, HDC DC, const TRect& R) {
  FillStaticHeader(P, DC, R);
  const int indent = StaticTextIndent();
  DrawItemText(P, DC, P.Caption, {R.Left + indent, R.Top, R.Right, R.Bottom}, 0, P.Enabled, StaticIsSelected(P), false,
               true, false, DT_SINGLELINE);
  if (StaticShowsArrow(P)) DrawStaticArrow(P, DC, R);
}

void TdxBarPainter::FillStaticItem(TSP& P, HDC DC, const TRect& R) {
  FillItemBackground(P, DC, R, ItemBkBrush(P), StaticIsRarelyUsed(P));
}

void TdxBarPainter::DrawStaticBorder(TSP& P, HDC DC, const TRect& R) {
  switch (P.BorderStyle) {
    case 1: Edge(DC, R, BDR_SUNKENOUTER, BF_RECT); break;
    case 2: Edge(DC, R, BDR_RAISEDINNER, BF_RECT); break;
    case 3: Edge(DC, R, EDGE_ETCHED, BF_RECT); break;
    case 4:
      Edge(DC, R, BDR_RAISEDINNER, BF_RECT);
      Edge(DC, Inflate(R, -1, -1), BDR_SUNKENOUTER, BF_RECT);
      break;
    default: break;
  }
}

void TdxBarPainter::DrawStaticItem(TSP& P, HDC DC, const TRect& R) {
  if (IsEmpty(R)) return;
  FillStaticItem(P, DC, R);
  DrawStaticBorder(P, DC, R);
  const int border = StaticBorderInsets(P.BorderStyle);
  TRect content = Inflate(R, -border, -border);
  TB* bar = ParentOf(P);
  int textLeft = content.Left;
  if (P.ShowsGlyph() && P.OwnerControl && P.OwnerControl->HasImage()) {
    const TRect cell = P.InMenu() && bar ? MenuGlyphBounds(content, MenuIconAreaSize(bar))
                                         : TRect{content.Left, content.Top, content.Left + P.ButtonExtent.cx,
                                                 content.Bottom};
    const TSize g = P.OwnerControl->GlyphSize();
    const int x = cell.Left + (Width(cell) - g.cx) / 2, y = cell.Top + (Height(cell) - g.cy) / 2;
    DrawGlyphImage(P, DC, cell, {x, y, x + g.cx, y + g.cy}, P.PaintType, false, StaticIsSelected(P), false, false,
                   false, false, false, false, true);
    textLeft = cell.Right + 2;
  }
  if (!P.ShowsCaption()) return;
  // TAlignment: 0 left, 1 right, 2 centre; DrawText: 0 left, 1 centre, 2 right.
  static constexpr int kDrawAlign[3] = {0, 2, 1};
  const int align = kDrawAlign[std::clamp(P.Alignment, 0, 2)];
  TRect text = content;
  if (textLeft != content.Left) {
    text.Left = textLeft;
  } else if (align != 1) {
    const int indent = (bar ? bar->TextSize() : 19) / 4;
    if (align == 0)
      text.Left += indent;
    else
      text.Right -= indent;
  }
  DrawItemText(P, DC, P.Caption, text, align, P.Enabled, StaticIsSelected(P), P.PaintType == pmVertical, true, false,
               DT_SINGLELINE);
}

void TdxBarPainter::DrawSeparatorItem(TSP& P, HDC DC, const TRect& R) {
  FillStaticItem(P, DC, R);
  DrawStaticBorder(P, DC, R);
}

bool TdxBarPainter::StaticIsRarelyUsed(TP& P) { return P.OwnerControl && P.OwnerControl->IsRarelyUsed(); }

int TdxBarPainter::StaticBorderInsets(int BorderStyle) {
  static constexpr int kInsets[5] = {0, 1, 1, 2, 2};
  return BorderStyle >= 0 && BorderStyle < 5 ? kInsets[BorderStyle] : 0;
}

void TdxBarPainter::DrawSeparatorControl(TdxBarSeparatorControlDrawParams& P, HDC DC, const TRect& R) {
  if (IsEmpty(R)) return;
  TB* bar = ParentOf(P);
  if (P.ShowsCaption() && !P.Caption.empty()) {
    const int line = SeparatorLineHeight();
    TRect caption = R;
    if (!P.IsFirst) {
      const TRect above(R.Left, R.Top, R.Right, R.Top + line);
      FillItemBackground(P, DC, above, ItemBkBrush(P), false);
      DrawSeparatorLineAt(DC, above);
      caption.Top += line;
    }
    caption.Bottom -= line;
    DrawSeparatorCaption(P, DC, caption);
    const TRect below(R.Left, caption.Bottom, R.Right, R.Bottom);
    FillItemBackground(P, DC, below, ItemBkBrush(P), false);
    DrawSeparatorLineAt(DC, below);
    return;
  }
  if (P.InMenu())
    DrawMenuSeparator(P, DC, R, false);
  else
    DrawToolbarSeparator(bar, DC, R, P.PaintType == pmVertical, BarBkBrush(bar));
}
