#include "ui/bars/BarOffice11Painter.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

#include "platform/classes/Bitmap.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarOffice11Colors.h"
#include "ui/bars/BarXPPainter.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;
using namespace dxbar;

namespace {

HBRUSH Sys(int Index) { return GetSysColorBrush(Index); }

void Pixel(HDC DC, int X, int Y, TColor Color) { SetPixelV(DC, X, Y, ColorToRGB(Color)); }

TColor Blend(TColor A, TColor B) { return BlendColorsByPercent(A, B, 50); }

bool IsVerticalDock(TCustomdxBarControl* Bar) {
  const int style = Bar->DockingStyleIndex();
  return style == 1 || style == 3;
}

// A solid brush of a colour for one operation, gone when the scope ends, also by an exception.
class TScopedSolidBrush {
 public:
  explicit TScopedSolidBrush(TColor Color) : FBrush(CreateSolidBrush(ColorToRGB(Color))) {}
  ~TScopedSolidBrush() { DeleteObject(FBrush); }
  TScopedSolidBrush(const TScopedSolidBrush&) = delete;
  TScopedSolidBrush& operator=(const TScopedSolidBrush&) = delete;
  HBRUSH Handle() const { return FBrush; }

 private:
  HBRUSH FBrush;
};

// The state gradient of a glyph cell or combo button: (first, second).
std::pair<TColor, TColor> StateColors(bool Internal, bool Pressed, bool Selected) {
  if (Internal) {
    const TColor c = Pressed ? Office11ControlColor : Office11HotColor1;
    return {c, c};
  }
  if (!Pressed) return {Office11HotColor1, Office11HotColor2};
  if (Selected) return {Office11DownColor2, Office11DownColor1};
  if (ColorToRGB(Office11DownColor1) == ColorToRGB(Office11DownColor2))
    return {Office11DownFallbackColor, Office11DownFallbackColor};
  return {Office11DownColor1, Office11DownColor2};
}

// Narrows the clip to the union of the rectangles (logical coordinates).
void ClipToRects(HDC DC, std::initializer_list<TRect> Rects) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (const TRect& r : Rects) {
    POINT corners[2] = {{r.Left, r.Top}, {r.Right, r.Bottom}};
    LPtoDP(DC, corners, 2);
    HRGN part = CreateRectRgn(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
  }
  ExtSelectClipRgn(DC, region, RGN_AND);
  DeleteObject(region);
}

// Where the bar's client area starts inside its window.
TPoint ClientOriginInWindow(TdxBarPainter* Painter, TCustomdxBarControl* Bar) {
  if (Bar->HandleAllocated()) {
    RECT window{};
    GetWindowRect(Bar->Handle(), &window);
    POINT origin{0, 0};
    ClientToScreen(Bar->Handle(), &origin);
    return {origin.x - window.left, origin.y - window.top};
  }
  TRect insets;
  Painter->CalcBarNonClient(Bar, Bar->DockingStyleIndex(), insets, Bar->SizeGrip());
  return {insets.Left, insets.Top};
}

}  // namespace

// ---- colours of the rounded frame -----------------------------------------------------------------

TRect TdxBarOffice11Painter::BarGradientBounds(TB* Bar) {
  const TRect whole(0, 0, Bar->Width(), Bar->Height());
  if (IsEmpty(whole)) return {};
  return IsVerticalDock(Bar) ? Inflate(whole, -1, 0) : Inflate(whole, 0, -1);
}

TColor TdxBarOffice11Painter::BarColorAt(TB* Bar, int Pos) {
  return GradientColorAt(BarGradientBounds(Bar), Pos, Office11ToolbarColor1, Office11ToolbarColor2,
                         IsVerticalDock(Bar));
}

TColor TdxBarOffice11Painter::DockColorAt(TB* Bar, const TPoint& P) {
  TdxDockControl* dock = Bar->DockControl();
  if (!dock) return GradientColorAt({0, 0, Bar->Width(), Bar->Height()}, P.X, Office11DockColor1,
                                    Office11DockColor2, true);
  // Side docks show one colour; top and bottom docks the gradient by x in the dock.
  if (dock->Align() == alLeft) return Office11DockColor1;
  if (dock->Align() == alRight) return Office11DockColor2;
  const RECT client = dock->ClientRect();
  const int x = std::clamp(P.X + Bar->Left(), static_cast<int>(client.left), static_cast<int>(client.right) - 1);
  return GradientColorAt(client, x, Office11DockColor1, Office11DockColor2, true);
}

void TdxBarOffice11Painter::FillDockThrough(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  TdxDockControl* dock = Bar->DockControl();
  if (!dock) {
    TdxBarPainter::FillDockedBarBackground(Bar, DC, R, Brush);
    return;
  }
  // The dock's background under the bar, offset by the bar's place in it.
  FillDockBackground(dock, DC, R, Offset(R, Bar->Left(), Bar->Top()), Brush, clNone);
}

void TdxBarOffice11Painter::PaintBarGradient(TB* Bar, HDC DC, const TRect& R, const TRect& Gradient) {
  if (IsEmpty(R)) return;
  TdxBarClipKeeper keep(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  PaintKneeGradientRect(DC, Gradient, Office11ToolbarColor1, Office11ToolbarColor2, IsVerticalDock(Bar));
}

// ---- glyph cells ----------------------------------------------------------------------------------

void TdxBarOffice11Painter::DrawGlyphFrame(TdxBarItemControl* C, HDC DC, HBRUSH Brush, bool NeedsBorder,
                                           const TRect& R, TdxBarPaintMode PaintType, bool NoGlyph, bool Selected,
                                           bool Down, bool Pressed, bool DroppedDown, bool /*IsSplitButton*/) {
  TB* bar = C ? C->Parent() : nullptr;
  const bool menu = PaintType == pmMenu;
  if ((menu && Selected && NoGlyph && !Down) || (C && C->HasOwnBkBrush())) {
    Fill(DC, R, Brush);
    return;
  }
  const bool pressed = Down || Pressed;
  const bool across = PaintType == pmVertical;
  TP p(C);
  if (DroppedDown && !Down) {
    PaintGradientRect(DC, R, Office11DroppedColor1, Office11DroppedColor2, across);
  } else if (!menu && (Selected || pressed)) {
    const auto [first, second] = StateColors(bar && bar->IsInternal(), pressed, Selected);
    PaintGradientRect(DC, R, first, second, across);
  } else {
    FillItemBackground(p, DC, R, Brush, Selected || pressed);
  }
  if (Down || (Selected && !menu) || DroppedDown) {
    if (DroppedDown && bar)
      DrawDroppedOwnerFrame(bar, DC, R, C->OwnerBounds());
    else if (Selected || dynamic_cast<TdxBarButtonControl*>(C))
      OutlineOffice11Selection(DC, R);
    else
      Frame(DC, R, Office11SelectionBrush);
  } else if (NeedsBorder) {
    DrawItemRing(p, DC, R, Brush, Selected || pressed);
  }
}

void TdxBarOffice11Painter::DrawDownArrow(HDC DC, const TRect& R, TColor, bool Enabled, bool Selected, int) {
  PaintOffice11MenuArrow(DC, R, true, Enabled, Selected);
}

void TdxBarOffice11Painter::DrawSideArrow(HDC DC, const TRect& R, TColor, bool Enabled, bool Selected, int Size) {
  PaintOffice11SizedArrow(DC, R, false, Size, Selected, Enabled);
}

void TdxBarOffice11Painter::DrawHotFrame(HDC DC, const TRect& R) { OutlineOffice11Selection(DC, R); }

TColor TdxBarOffice11Painter::TextColor(bool Selected, bool Flat) {
  if (Selected && !Flat) return IsButtonFaceWhite() ? clWhite : Office11SelectedTextColor;
  return Office11ArrowColor;
}

void TdxBarOffice11Painter::DisabledTextColors(bool, bool, TColor& First, TColor& Second) {
  First = Second = Office11DisabledArrowColor;
}

TColor TdxBarOffice11Painter::FloatCaptionColor(bool) { return Office11FloatCaptionColor; }
TColor TdxBarOffice11Painter::FloatCaptionTextColor(bool) { return Office11FloatCaptionTextColor; }

TColor TdxBarOffice11Painter::FloatCaptionGlyphColor(bool, int ButtonState) {
  if (ButtonState == 1) return Office11CaptionGlyphHotColor;
  if (ButtonState == 2) return Office11CaptionGlyphDownColor;
  return Office11FloatCaptionTextColor;
}

// ---- the mark -------------------------------------------------------------------------------------

void TdxBarOffice11Painter::DrawMarkBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  const int state = std::clamp(Bar->MarkState(), 0, 2);
  const bool vertical = IsVerticalDock(Bar);
  TRect body = R;
  if (Bar->BorderStyleIndex() == 1 && !Bar->IsMainMenu()) {
    const TRect strip = vertical ? TRect{R.Left, R.Top, R.Right, R.Top + 2} : TRect{R.Left, R.Top, R.Left + 2, R.Bottom};
    FillBarBackground(Bar, DC, strip, strip, Brush, clNone);
    body = vertical ? TRect{R.Left - 2, R.Top + 2, R.Right + 2, R.Bottom}
                    : TRect{R.Left + 2, R.Top - 2, R.Right, R.Bottom + 2};
    PaintKneeGradientRect(DC, body, Office11MarkStartColor(state), Office11MarkEndColor(state), vertical);
    const TPoint inner = vertical ? TPoint(R.Left, body.Top) : TPoint(body.Left, R.Top);
    Pixel(DC, inner.X, inner.Y, Blend(Office11MarkCornerColor(state), BarColorAt(Bar, 2)));
    return;
  }
  PaintKneeGradientRect(DC, body, Office11MarkStartColor(state), Office11MarkEndColor(state), vertical);
}

void TdxBarOffice11Painter::DrawMarkContent(TB* Bar, HDC DC, const TRect& R) {
  const bool vertical = IsVerticalDock(Bar);
  const bool plain = Bar->BorderStyleIndex() != 1 || Bar->IsMainMenu();
  const int f = plain ? 2 : 0, g = plain ? 1 : 0;
  auto glyphs = [&](int D, TColor Color) {
    const COLORREF c = ColorToRGB(Color);
    if (AllowsQuickCustomizing()) {
      // A five-pixel dash along the bar and a small filled triangle three pixels beyond it.
      if (!vertical) {
        const int x = R.Right - f - 6 + D, y = R.Bottom - g - 8 + D;
        FillColor(DC, {x, y, x + 5, y + 1}, c);
        for (int i = 0; i < 3; ++i) FillColor(DC, {x + i, y + 3 + i, x + 5 - i, y + 4 + i}, c);
      } else {
        const int x = R.Right - g - 8 + D, y = R.Bottom - f - 6 + D;
        FillColor(DC, {x, y, x + 1, y + 5}, c);
        for (int i = 0; i < 3; ++i) FillColor(DC, {x + 3 + i, y + i, x + 4 + i, y + 5 - i}, c);
      }
    }
    if (!Bar->HidesItems()) return;
    // Two chevrons four pixels apart, pointing along the bar.
    for (int k = 0; k < 2; ++k) {
      if (!vertical) {
        const int x = R.Right - f - 7 + D + 4 * k, y = R.Top - g + 3 + D;
        for (int i = 0; i < 3; ++i) {
          SetPixelV(DC, x + i, y + i, c);
          SetPixelV(DC, x + i, y + 4 - i, c);
        }
      } else {
        const int x = R.Left - f + 3 + D, y = R.Bottom - g - 7 + D + 4 * k;
        for (int i = 0; i < 3; ++i) {
          SetPixelV(DC, x + i, y + i, c);
          SetPixelV(DC, x + 4 - i, y + i, c);
        }
      }
    }
  };
  glyphs(1, Office11MarkGlyphLightColor);
  glyphs(0, Office11MarkGlyphColor);
}

TRect TdxBarOffice11Painter::MarkRedrawBounds(TB* Bar, const TRect& Client, const TRect& Caption) {
  TRect r = MarkBounds(Bar, Client, Caption);
  if (Bar->BorderStyleIndex() != 1 || Bar->IsMainMenu()) return r;
  const int style = Bar->DockingStyleIndex();
  if (style == 1 || style == 3) return {r.Left - 1, r.Top, r.Right + 1, r.Bottom + 2};
  if (style == 2 || style == 4) return {r.Left, r.Top - 1, r.Right + 2, r.Bottom + 1};
  return r;
}

void TdxBarOffice11Painter::RedrawMark(TB* Bar, const TRect& Client, const TRect& Caption) {
  TdxBarPainter::RedrawMark(Bar, Client, Caption);
  if (Bar->HandleAllocated() && Bar->DockingStyleIndex() != 0) SendMessage(Bar->Handle(), WM_NCPAINT, 1, 0);
}

void TdxBarOffice11Painter::DrawExpandChevrons(TB*, HDC DC, const TRect& R, bool) {
  TBitmap* picture = Office11SubMenuExpandBitmap;
  if (!picture || picture->Empty()) return;
  const int side = Height(R) - 2;
  const TRect square(R.Left + (Width(R) - side) / 2, R.Top + 1, R.Left + (Width(R) - side) / 2 + side, R.Bottom - 1);
  const int w = picture->Width(), h = picture->Height();
  const int x = square.Left + (Width(square) - w) / 2, y = square.Top + (Height(square) - h) / 2;
  HDC source = picture->Canvas()->Handle();
  TransparentBlt(DC, x, y, w, h, source, 0, 0, w, h, GetPixel(source, 0, 0));
}

// ---- menus ----------------------------------------------------------------------------------------

void TdxBarOffice11Painter::DrawMenuGlyphArea(TBP& P, HDC DC, const TRect& R) {
  TB* bar = ParentOf(P);
  if (!bar) return;
  const int iconArea = MenuIconAreaSize(bar);
  const TRect glyph = MenuGlyphBounds(R, iconArea);
  const bool selected = P.IsSelected;
  HBRUSH back = ItemBkBrush(P);
  if (selected) {
    DrawHotFrame(DC, R);
  } else {
    // The item's one-pixel border shows the menu behind it (the glyph column's gradient included).
    const int column = R.Left + iconArea + 1;
    FillItemBackground(P, DC, {R.Left, R.Top, column, R.Top + 1}, back, false);
    FillItemBackground(P, DC, {R.Left, R.Bottom - 1, column, R.Bottom}, back, false);
    FillItemBackground(P, DC, {R.Left, R.Top, R.Left + 1, R.Bottom}, back, false);
    FillItemBackground(P, DC, {column, R.Top, R.Right, R.Top + 1}, back, false);
    FillItemBackground(P, DC, {column, R.Bottom - 1, R.Right, R.Bottom}, back, false);
    FillItemBackground(P, DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, back, false);
  }
  const TRect inner = Inflate(R, -1, -1);
  HBRUSH brush = selected ? HotBrush(ManagerOf(bar)) : back;
  const TRect strip(glyph.Right, inner.Top, glyph.Right + 2, inner.Bottom);
  FillItemBackground(P, DC, strip, brush, selected);
  FillItemBackground(P, DC, {glyph.Left, inner.Top, glyph.Right, glyph.Top}, brush, selected);
  FillItemBackground(P, DC, {glyph.Left, glyph.Bottom, glyph.Right, inner.Bottom}, brush, selected);
  FillItemBackground(P, DC, {strip.Right, inner.Top, inner.Right, inner.Bottom}, brush, selected);
}

TdxBarMenuMarks TdxBarOffice11Painter::CalcMenuMarks(HDC DC, int TextSize) {
  TdxBarMenuMarks m = TdxBarFlatPainter::CalcMenuMarks(DC, TextSize);
  if (Office11SubMenuExpandBitmap) m.MarkHeight = Office11SubMenuExpandBitmap->Height() + 2;
  return m;
}

void TdxBarOffice11Painter::FillMenuBackground(TB* Bar, HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush,
                                               TColor Color) {
  TdxBarManager* manager = ManagerOf(Bar);
  TBitmap* picture = manager ? manager->Backgrounds()->SubMenu() : nullptr;
  if ((picture && !picture->Empty()) || IsEmpty(R)) {
    TdxBarPainter::FillMenuBackground(Bar, DC, R, Origin, Brush, Color);
    return;
  }
  TdxBarClipKeeper keep(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  const bool rarely = Bar->ShadesRarelyUsed();
  const TColor first = rarely ? Office11RarelyUsedColumnColor1 : Office11MenuColumnColor1;
  const TColor second = rarely ? Office11RarelyUsedColumnColor2 : Office11MenuColumnColor2;
  // The origin is the menu's client rectangle in the paint coordinates: the column starts at its
  // left, whichever part of a row R is (items refill their strips one by one).
  const int zero = Origin.Left;
  const TRect column(zero, R.Top, zero + MenuTextIndent(Bar), R.Bottom);
  PaintKneeGradientRect(DC, column, first, second, true);
  const TRect band(column.Right, R.Top, column.Right + MenuItemExtraWidth(), R.Bottom);
  if (!IsEmpty(band)) SolidFillRect(DC, band, second);
  Fill(DC, {std::max(band.Right, R.Left), R.Top, R.Right, R.Bottom}, Brush ? Brush : MenuBrush(Bar));
}

void TdxBarOffice11Painter::DrawMenuBorder(TB* Bar, HDC DC, TRect& R) {
  Frame(DC, R, Office11BorderBrush);
  const TSize grip = SizeGripSize();
  FillSizeGripArea(Bar, DC, {R.Right - 1 - grip.cx, R.Bottom - 1 - grip.cy, R.Right - 1, R.Bottom - 1});
  if (!Bar->IsDetachable()) return;
  const TRect inner = Inflate(R, -1, -1);
  const TRect area(inner.Left, inner.Top, inner.Right, inner.Top + DetachCaptionHeight(Bar->DetachCaptionSize()));
  Frame(DC, area, Office11MenuBrush);
  Fill(DC, {area.Left, area.Top, area.Right, area.Top + 2}, Office11MenuBrush);
  Fill(DC, {area.Left, area.Bottom - 2, area.Right, area.Bottom - 1}, Office11MenuBrush);
  DrawDetachCaption(Bar, DC, {area.Left + 1, area.Top + 2, area.Right - 1, area.Bottom - 2});
}

void TdxBarOffice11Painter::DrawMenuClientBorder(TB* Bar, HDC DC, TRect& R, HBRUSH) {
  TdxBarManager* manager = ManagerOf(Bar);
  TBitmap* picture = manager ? manager->Backgrounds()->SubMenu() : nullptr;
  if ((picture && !picture->Empty()) || Bar->SideBandWidth() > 0) {
    Frame(DC, R, Office11MenuBrush);
    return;
  }
  Fill(DC, {R.Left, R.Top, R.Right, R.Top + 1}, Office11MenuBrush);
  Fill(DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, Office11MenuBrush);
  Fill(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, Office11MenuBrush);
  SolidFillRect(DC, {R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1}, Office11MenuColumnColor1);
}

void TdxBarOffice11Painter::DrawDetachCaption(TB* Bar, HDC DC, const TRect& R) {
  const bool hot = Bar->DetachCaptionHot();
  if (hot) {
    OutlineOffice11Selection(DC, R);
    Fill(DC, Inflate(R, -1, -1), Office11HotBrush);
  } else {
    Fill(DC, R, Office11DetachCaptionBrush);
  }
  const int dx = hot ? Width(R) / 4 : (Width(R) + 2) / 4, dy = hot ? 1 : 2;
  DrawGripDots(DC, {R.Left + dx, R.Top + dy, R.Right - dx, R.Bottom - dy}, false);
}

HBRUSH TdxBarOffice11Painter::MenuBrush(TB*) { return Office11MenuBrush; }

void TdxBarOffice11Painter::DrawSeparatorCaption(TSP& P, HDC DC, const TRect& R) {
  TScopedSolidBrush column(Office11MenuColumnColor2);
  HBRUSH previous = P.BkBrush;
  P.BkBrush = column.Handle();
  try {
    TdxBarFlatPainter::DrawSeparatorCaption(P, DC, R);
  } catch (...) {
    P.BkBrush = previous;
    throw;
  }
  P.BkBrush = previous;
}

HBRUSH TdxBarOffice11Painter::MenuGlyphBrush(TdxBarManager*) { return Office11MenuBrush; }

// ---- open menus and their owners ------------------------------------------------------------------

void TdxBarOffice11Painter::FillDroppedLink(HDC DC, const TRect& Owner, const TRect& Link) {
  bool second;
  if (Width(Link) > Height(Link))
    second = Link.Top > (Owner.Top + Owner.Bottom) / 2;
  else
    second = Link.Left > (Owner.Left + Owner.Right) / 2;
  SolidFillRect(DC, Link, second ? Office11DroppedColor2 : Office11DroppedColor1);
}

void TdxBarOffice11Painter::DrawDroppedOwnerFrame(TB* Bar, HDC DC, const TRect& R, const TRect& OwnerState) {
  const TRect link = OwnerLinkBounds(R, OwnerState);
  if (!IsEmpty(link)) FillDroppedLink(DC, R, link);
  TdxBarClipKeeper keep(DC);
  ExcludeRect(DC, link);
  DrawOwnerFrame(Bar, DC, R);
}

void TdxBarOffice11Painter::DrawOwnerFrame(TB*, HDC DC, const TRect& R) { Frame(DC, R, Office11BorderBrush); }

void TdxBarOffice11Painter::FillOwnerMenuLink(TB* Bar, HDC DC, const TRect& R) {
  const TRect owner = Bar ? Bar->OwnerBounds() : TRect{};
  if (IsEmpty(owner)) {
    TdxBarFlatPainter::FillOwnerMenuLink(Bar, DC, R);
    return;
  }
  FillDroppedLink(DC, owner, R);
}

void TdxBarOffice11Painter::DrawDropPartFrame(TdxBarItemControl* C, HDC DC, const TRect& R, HBRUSH Brush,
                                              TdxBarPaintMode PaintType, bool Selected, bool Down) {
  if (!Selected && PaintType != pmMenu && !Down) {
    TP p(C);
    DrawItemRing(p, DC, R, Brush, false);
  } else if (PaintType != pmMenu || Selected) {
    OutlineOffice11Selection(DC, R);
  } else {
    Frame(DC, R, Office11SeparatorBrush);
  }
}

// ---- metrics and brushes --------------------------------------------------------------------------

bool TdxBarOffice11Painter::HighlightsDownButtons() { return !AreOffice11ColorsThemed(); }

bool TdxBarOffice11Painter::WantsShadow(TB* Bar) { return Bar && Bar->IsMenu() && !Bar->NoShadow(); }

HBRUSH TdxBarOffice11Painter::ControlBrush(TB*) { return Office11ControlBrush; }
HBRUSH TdxBarOffice11Painter::ToolbarBrush(TdxBarManager*) { return Office11MenuBrush; }
HBRUSH TdxBarOffice11Painter::DownBrush(TdxBarManager*) { return Office11DownBrush; }
HBRUSH TdxBarOffice11Painter::DownHotBrush(TdxBarManager*) { return Office11DownHotBrush; }
HBRUSH TdxBarOffice11Painter::HotBrush(TdxBarManager*) { return Office11HotBrush; }
HBRUSH TdxBarOffice11Painter::QuickControlBrush(TB*) { return Office11MenuBrush; }
HBRUSH TdxBarOffice11Painter::HeaderBandBrush() { return Office11HeaderBandBrush; }
HBRUSH TdxBarOffice11Painter::StaticBorderBrush() { return Office11BorderBrush; }
TColor TdxBarOffice11Painter::SeparatorLineColor() { return Office11BarSeparatorColor; }
TColor TdxBarOffice11Painter::DisabledEditTextColor() { return Office11DisabledArrowColor; }
TColor TdxBarOffice11Painter::PushButtonHeaderColor() { return Office11PushHeaderColor; }

TRect TdxBarOffice11Painter::DockedBarInsets(TB* Bar, int DockingStyle) {
  if (!Bar || !Bar->IsMainMenu()) return {2, 2, 2, 2};
  return DockingStyle == 1 || DockingStyle == 3 ? TRect{2, 0, 2, 0} : TRect{0, 2, 0, 2};
}

void TdxBarOffice11Painter::FillSizeGripArea(TB*, HDC DC, const TRect& R) { Fill(DC, R, Office11MenuBrush); }

HBRUSH TdxBarOffice11Painter::ButtonBrush(TP& P) {
  if (!P.Enabled) return Sys(COLOR_BTNFACE);
  TB* bar = ParentOf(P);
  if (!P.IsSelected) return BarBkBrush(bar);
  return P.IsDropDown ? DownHotBrush(ManagerOf(bar)) : HotBrush(ManagerOf(bar));
}

TColor TdxBarOffice11Painter::ComboArrowColor(TP& P) {
  if (!P.Enabled) return Office11DisabledArrowColor;
  if (P.IsSelected) {
    if (IsButtonFaceWhite()) return clWhite;
    if (P.IsDropDown && !AreOffice11ColorsThemed()) return clHighlightText;
  }
  return Office11ArrowColor;
}

HBRUSH TdxBarOffice11Painter::ComboButtonBrush(TP& P) {
  TdxBarManager* manager = ManagerOf(P);
  if (P.IsSelected) return HotBrush(manager);
  if (P.IsDropDown) return DownHotBrush(manager);
  return ButtonBrush(P);
}

void TdxBarOffice11Painter::DrawComboButtonFace(TP& P, HDC DC, TRect& R, HBRUSH Brush, bool Selected,
                                                bool DroppedDown) {
  if (Selected) {
    OutlineOffice11Selection(DC, Inflate(R, 1, 1));
    const auto [first, second] = StateColors(false, DroppedDown, true);
    PaintGradientRect(DC, R, first, second, false);
    R = Inflate(R, -1, -1);
    return;
  }
  HBRUSH frame = P.Enabled ? ItemBkBrush(P) : Brush;
  Frame(DC, R, frame);
  Fill(DC, {R.Left - 1, R.Top, R.Left, R.Bottom}, frame);
  R = Inflate(R, -1, -1);
  if (P.Enabled && P.InMenu())
    Fill(DC, R, Office11ControlBrush);
  else
    FillItemBackground(P, DC, R, Brush, !P.Enabled);
  if (DroppedDown) R = Offset(R, 1, 1);
}

void TdxBarOffice11Painter::DrawDropDownListBorder(HDC DC, const TRect& R, TColor) {
  Frame(DC, R, Office11BorderBrush);
  Frame(DC, Inflate(R, -1, -1), Office11MenuBrush);
}

void TdxBarOffice11Painter::DrawCheckCellFrame(TP& P, HDC DC, const TRect& Cell, const TRect&, bool Flag) {
  if (!Flag) return;
  OutlineOffice11Selection(DC, Cell);
  Fill(DC, {Cell.Right, Cell.Top, Cell.Right + 2, Cell.Bottom}, HotBrush(ManagerOf(P)));
}

// ---- edits ----------------------------------------------------------------------------------------

void TdxBarOffice11Painter::DrawEditButtonFrame(TP& P, HDC DC, TRect& R, bool Selected, bool Pressed) {
  TB* bar = ParentOf(P);
  TdxBarManager* manager = ManagerOf(bar);
  if (Selected) {
    DrawHotFrame(DC, R);
    R = Inflate(R, -1, -1);
    Fill(DC, R, Pressed ? DownHotBrush(manager) : HotBrush(manager));
  } else if (P.Enabled) {
    Frame(DC, R, BarBkBrush(bar));
    R = Inflate(R, -1, -1);
    Fill(DC, R, Office11ControlBrush);
  } else {
    SolidFrameRect(DC, R, Office11DisabledArrowColor);
    R = Inflate(R, -1, -1);
    Fill(DC, R, Sys(COLOR_BTNFACE));
  }
}

void TdxBarOffice11Painter::DrawEditGlyphFrame(TEP& P, HDC DC, const TRect& R) {
  if (P.InMenu())
    Fill(DC, R, Office11ControlBrush);
  else
    FillItemBackground(P, DC, R, ItemBkBrush(P), false);
}

void TdxBarOffice11Painter::DrawEditFrame(TEP& P, HDC DC, TRect& R, bool Selected) {
  if (Selected)
    OutlineOffice11Selection(DC, R);
  else if (!P.Enabled)
    SolidFrameRect(DC, R, Office11DisabledArrowColor);
  else if (!P.InMenu())
    DrawItemRing(P, DC, R, BarBkBrush(ParentOf(P)), false);
  else
    Frame(DC, R, Office11ControlBrush);
  R = Inflate(R, -1, -1);
}

int TdxBarOffice11Painter::EditCaptionGapBar(TP& P) {
  TB* bar = ParentOf(P);
  if (P.InMenu()) return MenuTextIndentOf(bar ? bar->IconAreaSize() : 19);
  TFont* font = bar ? bar->ItemsFont() : nullptr;
  return font ? std::abs(font->Height()) / 2 : TdxBarFlatPainter::EditCaptionGapBar(P);
}

TRect TdxBarOffice11Painter::EditMenuInsets(TP& P) {
  TB* bar = ParentOf(P);
  const int glyph = P.OwnerControl ? P.OwnerControl->GlyphSize().cx : 16;
  return {bar ? MenuIconAreaSize(bar) - glyph : 0, 0, 0, 0};
}

void TdxBarOffice11Painter::DrawPushButton(HDC DC, const TRect& R, const String& Text, bool Pressed) {
  if (HasVisualStyles({tciToolBar})) {
    TdxBarXPPainter themed;
    themed.DrawPushButton(DC, R, Text, Pressed);
    return;
  }
  TdxBarFlatPainter::DrawPushButton(DC, R, Text, Pressed);
}

// ---- toolbars and docks ---------------------------------------------------------------------------

void TdxBarOffice11Painter::FillDockBackground(TdxDockControl* Dock, HDC DC, const TRect& R, const TRect& Origin,
                                               HBRUSH Brush, TColor Color) {
  if (!Dock) {
    TdxBarFlatPainter::FillDockBackground(Dock, DC, R, Origin, Brush, Color);
    return;
  }
  TBitmap* cache = Dock->BackgroundCache();
  if (cache->Empty()) {
    const RECT client = Dock->ClientRect();
    const int w = client.right - client.left, h = client.bottom - client.top;
    if (w <= 0 || h <= 0) return;
    cache->SetSize(w, h);
    const TColor first = Dock->Align() == alRight ? Office11DockColor2 : Office11DockColor1;
    const TColor second = Dock->Align() == alLeft ? Office11DockColor1 : Office11DockColor2;
    PaintGradientRect(cache->Canvas()->Handle(), {0, 0, w, h}, first, second, true);
  }
  BitBlt(DC, R.Left, R.Top, Width(R), Height(R), cache->Canvas()->Handle(), Origin.Left, Origin.Top, SRCCOPY);
}

void TdxBarOffice11Painter::FillDockedBarBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  if (Bar->BorderStyleIndex() != 1 || Bar->IsMainMenu() || Bar->HasOwnBackground() || IsEmpty(R)) {
    TdxBarPainter::FillDockedBarBackground(Bar, DC, R, Brush);
    return;
  }
  TRect gradient = BarGradientBounds(Bar);
  if (IsEmpty(gradient)) {
    gradient = R;
  } else {
    const TPoint origin = ClientOriginInWindow(this, Bar);
    gradient = Offset(gradient, -origin.X, -origin.Y);
  }
  PaintBarGradient(Bar, DC, R, gradient);
}

void TdxBarOffice11Painter::FillFloatBarBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  if (Bar->IsInternal() || Bar->HasOwnBackground() || IsEmpty(R)) {
    TdxBarFlatPainter::FillFloatBarBackground(Bar, DC, R, Brush);
    return;
  }
  const RECT client = Bar->ClientRect();
  TRect gradient(client.left, client.top, client.right, client.bottom);
  if (IsEmpty(gradient)) gradient = R;
  TdxBarClipKeeper keep(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  PaintGradientRect(DC, gradient, Office11ToolbarColor1, Office11ToolbarColor2, false);
}

void TdxBarOffice11Painter::DrawToolbarSeparator(TB* Bar, HDC DC, const TRect& R, bool Vertical, HBRUSH Brush) {
  FillBarBackground(Bar, DC, R, R, Brush, clNone);
  const int m = ToolbarSeparatorMargin();
  if (Vertical) {
    const int y = R.Top + m;
    Fill(DC, {R.Left + 3, y, R.Right - 4, y + 1}, Office11SeparatorBrush);
    Fill(DC, {R.Left + 4, y + 1, R.Right - 3, y + 2}, Office11SeparatorLightBrush);
  } else {
    const int x = R.Left + m;
    Fill(DC, {x, R.Top + 3, x + 1, R.Bottom - 4}, Office11SeparatorBrush);
    Fill(DC, {x + 1, R.Top + 4, x + 2, R.Bottom - 3}, Office11SeparatorLightBrush);
  }
}

void TdxBarOffice11Painter::DrawButtonFace(TB*, HDC DC, const TRect& R, int State, bool Active) {
  if (State == 0) {
    SolidFillRect(DC, R, FloatCaptionColor(Active));
    return;
  }
  OutlineOffice11Selection(DC, R);
  SolidFillRect(DC, Inflate(R, -1, -1), State == 1 ? Office11HotColor1 : Office11HotColor2);
}

void TdxBarOffice11Painter::DrawFloatBorder(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) {
  if (Bar->IsInternal()) {
    Frame(DC, R, Office11BorderBrush);
    R = Inflate(R, -1, -1);
    for (int i = 1; i < FrameWidthX(); ++i) {
      Frame(DC, R, Brush);
      R = Inflate(R, -1, -1);
    }
    return;
  }
  SolidFrameRect(DC, R, Office11FloatBorderColor);
  R = Inflate(R, -1, -1);
  SolidFrameRect(DC, R, Office11FloatBorderColor);
  R = Inflate(R, -1, -1);
  SolidFrameRect(DC, R, Office11FloatInnerBorderColor);
  for (TPoint p : {TPoint(R.Left, R.Top), TPoint(R.Right - 1, R.Top), TPoint(R.Left, R.Bottom - 1),
                   TPoint(R.Right - 1, R.Bottom - 1)})
    Pixel(DC, p.X, p.Y, Office11FloatBorderColor);
  R = Inflate(R, -1, -1);
}

void TdxBarOffice11Painter::DrawFloatCaption(TB* Bar, HDC DC, const TRect& R, const String& Caption, HBRUSH,
                                             bool Active) {
  TScopedSolidBrush fill(Office11FloatCaptionFillColor);
  TdxBarFlatPainter::DrawFloatCaption(Bar, DC, R, Caption, fill.Handle(), Active);
}

void TdxBarOffice11Painter::DrawGripDots(HDC DC, const TRect& R, bool Vertical) {
  PaintOffice11GripDots(DC, R, Vertical);
}

void TdxBarOffice11Painter::DrawDockedBarFrame(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) {
  if (IsEmpty(R)) return;
  const bool vertical = IsVerticalDock(Bar);
  const TRect frame = R;
  R = {R.Left + DockedBarInsets(Bar, Bar->DockingStyleIndex()).Left,
       R.Top + DockedBarInsets(Bar, Bar->DockingStyleIndex()).Top,
       R.Right - DockedBarInsets(Bar, Bar->DockingStyleIndex()).Right,
       R.Bottom - DockedBarInsets(Bar, Bar->DockingStyleIndex()).Bottom};
  if (Bar->IsMainMenu()) {
    auto dock = [&](const TRect& r) { FillDockThrough(Bar, DC, r, Brush); };
    if (vertical) {
      dock({frame.Left, frame.Top, frame.Left + 2, frame.Bottom});
      dock({frame.Right - 2, frame.Top, frame.Right, frame.Bottom});
    } else {
      dock({frame.Left, frame.Top, frame.Right, frame.Top + 2});
      dock({frame.Left, frame.Bottom - 2, frame.Right, frame.Bottom});
    }
    return;
  }
  if (Bar->BorderStyleIndex() == 1) {
    TScopedSolidBrush border(Office11ToolbarBorderColor);
    if (vertical)
      DrawVerticalFrame(Bar, DC, frame, Brush, border.Handle());
    else
      DrawHorizontalFrame(Bar, DC, frame, Brush, border.Handle());
  }
  if (Bar->ShowsGrip()) {
    const TRect inner = Inflate(frame, -2, -2);
    const int start = GripInset(), w = GripWidth();
    const TRect grip = vertical ? TRect{inner.Left + 3, inner.Top + start, inner.Right - 3, inner.Top + start + w}
                                : TRect{inner.Left + start, inner.Top + 3, inner.Left + start + w, inner.Bottom - 3};
    DrawGripDots(DC, grip, !vertical);
  }
}

void TdxBarOffice11Painter::DrawHorizontalFrame(TB* Bar, HDC DC, const TRect& F, HBRUSH Brush, HBRUSH Border) {
  const int L = F.Left, T = F.Top, R = F.Right, B = F.Bottom;
  const int M = MarkSize(), A = Bar->HasMark() ? M : 0;
  const int state = std::clamp(Bar->MarkState(), 0, 2);
  const TColor markStart = Office11MarkStartColor(state), markEnd = Office11MarkEndColor(state),
               markCorner = Office11MarkCornerColor(state), corner = Office11ToolbarCornerColor;
  const TRect gradient = IsEmpty(BarGradientBounds(Bar)) ? Inflate(F, 0, -1) : BarGradientBounds(Bar);
  auto dockFill = [&](const TRect& r) { FillDockThrough(Bar, DC, r, Brush); };
  auto dockPixel = [&](int x, int y) { dockFill({x, y, x + 1, y + 1}); };
  auto barFill = [&](const TRect& r) { PaintBarGradient(Bar, DC, r, gradient); };
  auto barAt = [&](int y) {
    return GradientColorAt(gradient, y, Office11ToolbarColor1, Office11ToolbarColor2, false);
  };
  auto dockAt = [&](int x, int y) { return DockColorAt(Bar, {x, y}); };

  // Start side.
  dockFill({L, T, L + 2, B});
  const int L2 = L + 2;
  dockFill({L2, T, R, T + 1});
  const int T1 = T + 1;
  dockPixel(L2, B - 2);
  dockPixel(L2 + 1, B - 1);
  barFill({L2, T1 + 2, L2 + 1, B - 3});
  Pixel(DC, L2 + 1, B - 3, corner);
  const TColor startDock = dockAt(L2, T1);
  Pixel(DC, L2, B - 3, Blend(startDock, corner));
  Pixel(DC, L2 + 1, B - 2, Blend(startDock, corner));
  Pixel(DC, L2, T1 + 1, Blend(startDock, barAt(T1 + 1)));
  Pixel(DC, L2 + 1, T1, Blend(startDock, barAt(T1 + 1)));

  // Top edge.
  barFill({L2 + 2, T1, R - 2 - A, T1 + 1});
  if (A) {
    Pixel(DC, R - M - 1, T1, markCorner);
    Pixel(DC, R - 2, T1 + 1, markCorner);
    Pixel(DC, R - M - 2, T1, Blend(markCorner, barAt(T1 + 1)));
    Pixel(DC, R - 2, T1, Blend(markCorner, dockAt(R, T1)));
    Pixel(DC, R - 1, T1 + 1, Blend(markCorner, dockAt(R, T1)));
  } else {
    Pixel(DC, R - 2, T1, Blend(dockAt(R, T1), barAt(T1 + 1)));
    Pixel(DC, R - 1, T1 + 1, Blend(dockAt(R, T1), barAt(T1 + 1)));
  }

  // End side.
  if (!A) {
    barFill({R - 2, T1 + 1, R - 1, B - 2});
    barFill({R - 1, T1 + 2, R, B - 1});
  } else {
    {
      TdxBarClipKeeper keep(DC);
      ClipToRects(DC, {{R - M, T1, R - 2, T1 + 1}, {R - 2, T1 + 2, R, B - 2}, {R - M - 1, B - 1, R - 2, B},
                       {R - M, B - 2, R - 1, B - 1}});
      PaintKneeGradientRect(DC, {R - M - 1, T1, R, B}, markStart, markEnd, false);
    }
    Pixel(DC, R - 1, B - 2, Blend(markEnd, dockAt(R, B)));
    Pixel(DC, R - 2, B - 1, Blend(markEnd, dockAt(R, B)));
  }

  // Bottom edge.
  barFill({L2 + 2, B - 2, R - 2 - A, B - 1});
  if (A) {
    Pixel(DC, R - M - 2, B - 1, Blend(markEnd, corner));
    Pixel(DC, R - M - 1, B - 2, Blend(markEnd, corner));
    Pixel(DC, R - M - 2, B - 2, corner);
    Fill(DC, {L2 + 2, B - 1, R - M - 2, B}, Border);
  } else {
    Pixel(DC, R - 2, B - 1, Blend(corner, dockAt(R, B)));
    Pixel(DC, R - 1, B - 2, Blend(corner, dockAt(R, B)));
    Pixel(DC, R - 2, B - 2, corner);
    Fill(DC, {L2 + 2, B - 1, R - 2, B}, Border);
  }

  for (TPoint p : {TPoint(L2, T1), TPoint(R - 1, T1), TPoint(L2, B - 1), TPoint(R - 1, B - 1)}) dockPixel(p.X, p.Y);
}

void TdxBarOffice11Painter::DrawVerticalFrame(TB* Bar, HDC DC, const TRect& F, HBRUSH Brush, HBRUSH Border) {
  const int L = F.Left, T = F.Top, R = F.Right, B = F.Bottom;
  const int M = MarkSize(), A = Bar->HasMark() ? M : 0;
  const int state = std::clamp(Bar->MarkState(), 0, 2);
  const TColor markStart = Office11MarkStartColor(state), markEnd = Office11MarkEndColor(state),
               markCorner = Office11MarkCornerColor(state), corner = Office11ToolbarCornerColor;
  const TRect gradient = IsEmpty(BarGradientBounds(Bar)) ? Inflate(F, -1, 0) : BarGradientBounds(Bar);
  auto dockFill = [&](const TRect& r) { FillDockThrough(Bar, DC, r, Brush); };
  auto dockPixel = [&](int x, int y) { dockFill({x, y, x + 1, y + 1}); };
  auto barFill = [&](const TRect& r) { PaintBarGradient(Bar, DC, r, gradient); };
  auto barAt = [&](int x) { return GradientColorAt(gradient, x, Office11ToolbarColor1, Office11ToolbarColor2, true); };
  auto dockAt = [&](int x, int y) { return DockColorAt(Bar, {x, y}); };

  // Start side.
  dockFill({L, T, R, T + 2});
  const int T2 = T + 2;
  dockFill({L, T2, L + 1, B});
  const int L1 = L + 1;
  barFill({L1, T2 + 2, L1 + 1, B - 2 - A});
  barFill({L1 + 2, T2, R - 2, T2 + 1});
  Pixel(DC, R - 2, T2 + 1, corner);
  const TColor startDock = dockAt(L1, T2);
  Pixel(DC, R - 2, T2, Blend(startDock, corner));
  Pixel(DC, R - 1, T2 + 1, Blend(startDock, corner));
  Pixel(DC, L1, T2 + 1, Blend(startDock, barAt(L1)));
  Pixel(DC, L1 + 1, T2, Blend(startDock, barAt(L1)));

  // Left edge.
  if (A) {
    Pixel(DC, L1, B - M - 2, Blend(markCorner, barAt(L1 + 1)));
    Pixel(DC, L1, B - M - 1, markCorner);
    Pixel(DC, L1 + 1, B - 2, markCorner);
    Pixel(DC, L1, B - 2, Blend(markCorner, dockAt(L1, B)));
    Pixel(DC, L1 + 1, B - 1, Blend(markCorner, dockAt(L1, B)));
  } else {
    Pixel(DC, L1, B - 2, Blend(dockAt(L1, B), barAt(L1 + 1)));
    Pixel(DC, L1 + 1, B - 1, Blend(dockAt(L1, B), barAt(L1 + 1)));
  }

  // End side.
  barFill({R - 2, T2 + 2, R - 1, B - 2 - A});
  if (!A) {
    barFill({L1 + 2, B - 1, R - 1, B});
  } else {
    {
      TdxBarClipKeeper keep(DC);
      ClipToRects(DC, {{L1, B - M, L1 + 1, B - 2}, {L1 + 2, B - 2, R - 2, B}, {R - 2, B - M, R - 1, B - 1},
                       {R - 1, B - M - 1, R, B - 2}});
      PaintKneeGradientRect(DC, {L1, B - M - 1, R, B}, markStart, markEnd, true);
    }
    Pixel(DC, R - 1, B - 2, Blend(markEnd, dockAt(R, B)));
    Pixel(DC, R - 2, B - 1, Blend(markEnd, dockAt(R, B)));
  }

  // Right edge.
  if (!A) {
    barFill({L1 + 1, B - 2, R - 2, B - 1});
    Pixel(DC, R - 2, B - 1, Blend(corner, dockAt(R, B)));
    Pixel(DC, R - 1, B - 2, Blend(corner, dockAt(R, B)));
    Pixel(DC, R - 2, B - 2, corner);
    Fill(DC, {R - 1, T2 + 2, R, B - 2}, Border);
  } else {
    Pixel(DC, R - 2, B - M - 1, Blend(markEnd, corner));
    Pixel(DC, R - 1, B - M - 2, Blend(markEnd, corner));
    Pixel(DC, R - 2, B - M - 2, corner);
    Fill(DC, {R - 1, T2 + 2, R, B - M - 2}, Border);
  }

  for (TPoint p : {TPoint(L1, T2), TPoint(R - 1, T2), TPoint(L1, B - 1), TPoint(R - 1, B - 1)}) dockPixel(p.X, p.Y);
}
