#include "ui/bars/BarStandardPainter.h"

#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"

using namespace win;
using namespace dxbar;

namespace {

// Edge kinds by state: 0 raised, 1 sunken.
constexpr UINT kEdges[2] = {BDR_RAISEDINNER, BDR_SUNKENOUTER};

void Line(HDC DC, int X0, int Y0, int X1, int Y1) {
  MoveToEx(DC, X0, Y0, nullptr);
  LineTo(DC, X1, Y1);
}

void Pixel(HDC DC, int X, int Y, int SysColor) { SetPixelV(DC, X, Y, GetSysColor(SysColor)); }

// Top of the two-pixel column of each of the nine check columns.
constexpr int kCheckTops[9] = {2, 3, 4, 5, 4, 3, 2, 1, 0};

}  // namespace

void DrawBarCheckStrokes(HDC DC, const TPoint& P, bool Double, COLORREF Color, int Dx, int Dy) {
  const int scale = Double ? 2 : 1;
  HBRUSH brush = CreateSolidBrush(Color);
  for (int i = 0; i < 9; ++i) {
    const int x = P.X + i * scale + Dx, y = P.Y + kCheckTops[i] * scale + Dy;
    RECT r{x, y, x + scale, y + 2 * scale};
    FillRect(DC, &r, brush);
  }
  DeleteObject(brush);
}

void TdxBarStandardPainter::DrawGlyphFrame(TdxBarItemControl* C, HDC DC, HBRUSH Brush, bool NeedsBorder,
                                           const TRect& R, TdxBarPaintMode PaintType, bool NoGlyph, bool Selected,
                                           bool Down, bool Pressed, bool DroppedDown, bool IsSplitButton) {
  if (Down || (Selected && !(PaintType == pmMenu && NoGlyph))) {
    const bool sunken = Down || Pressed || (DroppedDown && !IsSplitButton);
    Edge(DC, R, kEdges[sunken ? 1 : 0], BF_RECT);
  } else if (NeedsBorder) {
    TP p(C);
    const bool opaque = Down || Selected || Pressed || (C && (C->IsRarelyUsed() || C->HasOwnBkBrush()));
    DrawItemRing(p, DC, R, Brush, opaque);
  }
}

void TdxBarStandardPainter::DrawCheckMarkGlyph(HDC DC, const TPoint& P, bool Enabled, bool Double, bool /*IsRadio*/) {
  const int s = Double ? 2 : 1;
  if (!Enabled) {
    DrawBarCheckStrokes(DC, P, Double, GetSysColor(COLOR_BTNHIGHLIGHT), s, s);
    DrawBarCheckStrokes(DC, P, Double, GetSysColor(COLOR_BTNSHADOW));
    return;
  }
  const bool blackFace = GetSysColor(COLOR_BTNFACE) == RGB(0, 0, 0);
  const COLORREF ink = blackFace ? RGB(255, 255, 255) : RGB(0, 0, 0);
  // The silver pass lies one row lower and shows as the strokes' lower edge.
  DrawBarCheckStrokes(DC, P, Double, RGB(0xC0, 0xC0, 0xC0), 0, s);
  DrawBarCheckStrokes(DC, P, Double, ink);
}

void TdxBarStandardPainter::DrawMarkChevrons(TB* Bar, HDC DC, const TRect& R, int Offset) {
  const bool vertical = Bar->IsVertical();
  const int lighter = vertical ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
  const int darker = vertical ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW;
  for (int i = 0; i < 2; ++i) {
    TdxBarScopedPen pen(DC, GetSysColor(i == 0 ? lighter : darker));
    if (!vertical) {
      const int x = R.Left + Offset + i, y = R.Top + 4;
      Line(DC, x, y, x + 2, y + 2);
      Line(DC, x + 2, y + 2, x - 1, y + 5);
    } else {
      const int x = R.Right - 8, y = R.Top + Offset + i;
      Line(DC, x, y, x + 2, y + 2);
      Line(DC, x + 2, y + 2, x + 5, y - 1);
    }
  }
}

void TdxBarStandardPainter::DrawMarkBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  Bar->FillBarBackground(DC, R, true, clNone, Brush);
}

void TdxBarStandardPainter::DrawDisabledMark(HDC DC, const TRect& R) {
  Fill(DC, Offset(R, 1, 1), GetSysColorBrush(COLOR_BTNHIGHLIGHT));
  TdxBarPainter::DrawDisabledMark(DC, R);
}

void TdxBarStandardPainter::DrawMenuGlyphArea(TBP& P, HDC DC, const TRect& R) {
  TB* bar = ParentOf(P);
  if (!bar) return;
  TdxBarManager* manager = ManagerOf(bar);
  const TRect glyph = MenuGlyphBounds(R, MenuIconAreaSize(bar));
  const bool selected = P.IsSelected;
  const bool rarely = P.OwnerControl && P.OwnerControl->IsRarelyUsed();
  const bool noImage = !(P.OwnerControl && P.OwnerControl->HasImage() && P.ShowsGlyph());
  HBRUSH own = ItemBkBrush(P);
  HBRUSH hot = HotBrush(manager);
  HBRUSH columnBrush = selected && noImage && !P.Down ? hot : own;
  const bool opaque = selected || rarely;
  FillItemBackground(P, DC, {glyph.Right, R.Top, glyph.Right + 1, R.Bottom}, columnBrush, opaque);
  FillItemBackground(P, DC, {glyph.Left, R.Top, glyph.Right, glyph.Top}, columnBrush, opaque);
  FillItemBackground(P, DC, {glyph.Left, glyph.Bottom, glyph.Right, R.Bottom}, columnBrush, opaque);
  FillItemBackground(P, DC, {glyph.Right + 1, R.Top, R.Right, R.Bottom}, selected ? hot : own, opaque);
}

void TdxBarStandardPainter::DrawEditButtonFrame(TP& P, HDC DC, TRect& R, bool Selected, bool Pressed) {
  HBRUSH bk = BarBkBrush(ParentOf(P));
  if (Selected)
    Edge(DC, R, Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  else
    Frame(DC, R, bk);
  R = Inflate(R, -1, -1);
  Fill(DC, R, bk);
}

HBRUSH TdxBarStandardPainter::GlyphBrushFor(TdxBarItemControl* C, TdxBarPaintMode PaintType, bool NoGlyph,
                                            bool Selected, bool Down, bool Pressed, bool DroppedDown, bool StaticItem,
                                            bool GrayGlyph) {
  TdxBarManager* manager = C && C->Parent() ? C->Parent()->BarManager() : nullptr;
  if (Down) return Selected ? DownHotBrush(manager) : DownBrush(manager);
  if (Selected && PaintType == pmMenu && NoGlyph) return HotBrush(manager);
  return TdxBarPainter::GlyphBrushFor(C, PaintType, NoGlyph, Selected, Down, Pressed, DroppedDown, StaticItem,
                                      GrayGlyph);
}

void TdxBarStandardPainter::DrawFloatCloseGlyph(TB* /*Bar*/, HDC DC, const TRect& R, int State, bool Active) {
  HBRUSH caption = CreateSolidBrush(ColorToRGB(FloatCaptionColor(Active)));
  Frame(DC, R, caption);
  DeleteObject(caption);
  RECT inner = Inflate(R, -1, -1);
  DrawFrameControl(DC, &inner, DFC_CAPTION, DFCS_CAPTIONCLOSE | (State == 2 ? DFCS_PUSHED : 0));
}

void TdxBarStandardPainter::DrawGripBar(HDC DC, const TRect& R, bool Vertical, bool CornerPixel) {
  Edge(DC, R, BDR_RAISEDINNER, BF_RECT);
  if (CornerPixel) {
    if (Vertical)
      Pixel(DC, R.Right - 1, R.Top, COLOR_BTNHIGHLIGHT);
    else
      Pixel(DC, R.Left, R.Bottom - 1, COLOR_BTNHIGHLIGHT);
  }
  Fill(DC, Inflate(R, -1, -1), GetSysColorBrush(COLOR_BTNFACE));
  ExcludeRect(DC, R);
}

void TdxBarStandardPainter::DrawGrip(TB* Bar, HDC DC, const TRect& R) {
  // Along the bar from its start edge; across it inside the border.
  const bool vertical = Bar->DockingStyleIndex() == 1 || Bar->DockingStyleIndex() == 3;
  const int w = GripWidth();
  for (int i = 0; i < 2; ++i) {
    const int start = GripInset() + i * w;
    const TRect bar = vertical ? TRect{R.Left + 2, R.Top + start, R.Right - 2, R.Top + start + w}
                               : TRect{R.Left + start, R.Top + 2, R.Left + start + w, R.Bottom - 2};
    DrawGripBar(DC, bar, vertical, true);
  }
}

void TdxBarStandardPainter::DrawDockedBarFrame(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) {
  if (IsEmpty(R)) return;
  Edge(DC, R, BDR_RAISEDINNER, BF_RECT);
  if (Bar->ShowsGrip()) DrawGrip(Bar, DC, R);
  // The ring between the edge and the client.
  Frame(DC, Inflate(R, -1, -1), Brush);
  R = Inflate(R, -2, -2);
}

void TdxBarStandardPainter::DrawFloatBorder(TB* /*Bar*/, HDC DC, TRect& R, HBRUSH /*Brush*/) {
  Edge(DC, R, EDGE_RAISED, BF_RECT);
  R = Inflate(R, -2, -2);
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  Frame(DC, R, face);
  R = Inflate(R, -1, -1);
  Frame(DC, R, face);
}

void TdxBarStandardPainter::DrawMDIButton(TB* Bar, HDC DC, const TRect& R, int Kind, int State) {
  if (IsEmpty(R)) return;
  static constexpr UINT kKinds[3] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
  UINT flags = kKinds[std::clamp(Kind, 0, 2)];
  if (State == 1) flags |= DFCS_INACTIVE;
  if (State == 4) flags |= DFCS_PUSHED;
  TdxBarManager* manager = ManagerOf(Bar);
  const bool flatClose = Kind == 2 && manager && manager->FlatCloseButton();
  RECT r = R;
  if (!flatClose) {
    DrawFrameControl(DC, &r, DFC_CAPTION, flags);
    return;
  }
  {
    TdxBarClipKeeper keep(DC);
    AddClipRectangle(DC, Inflate(R, -1, -1));
    DrawFrameControl(DC, &r, DFC_CAPTION, flags | DFCS_FLAT);
  }
  Edge(DC, R, State == 4 ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
}

TRect TdxBarStandardPainter::MarkBounds(TB* Bar, const TRect& Client, const TRect& Caption) {
  if (Bar->DockingStyleIndex() != 0) return TdxBarPainter::MarkBounds(Bar, Client, Caption);
  return {Caption.Left, Caption.Top, Caption.Left + 13, Caption.Bottom};
}

void TdxBarStandardPainter::FillDropArrowPart(TBP& P, HDC DC, const TRect& R) {
  TdxBarPainter::FillDropArrowPart(P, DC, R);
  if (P.IsSelected)
    Edge(DC, R, kEdges[P.IsDropDown ? 1 : 0], BF_RECT);
  else if (P.InMenu())
    Edge(DC, {R.Left, R.Top, R.Left + 2, R.Bottom}, EDGE_ETCHED, BF_LEFT | BF_RIGHT);
}

void TdxBarStandardPainter::DrawComboButtonFace(TP& P, HDC DC, TRect& R, HBRUSH Brush, bool Selected,
                                                bool DroppedDown) {
  HBRUSH bk = BarBkBrush(ParentOf(P));
  const TRect column(R.Left - 1, R.Top, R.Left, R.Bottom);
  if (Selected && P.Enabled) {
    Edge(DC, R, kEdges[DroppedDown ? 1 : 0], BF_RECT);
    Fill(DC, column, bk);
  } else {
    HBRUSH frame = P.Enabled ? ItemBkBrush(P) : bk;
    Frame(DC, R, frame);
    Fill(DC, column, frame);
  }
  R = Inflate(R, -1, -1);
  Fill(DC, R, Brush);
  if (DroppedDown) R = Offset(R, 1, 1);
}

void TdxBarStandardPainter::DrawDropDownListBorder(HDC DC, const TRect& R, TColor /*InnerColor*/) {
  Edge(DC, R, EDGE_RAISED, BF_RECT);
}

TRect TdxBarStandardPainter::MenuBorderInsets(TB* Bar) {
  TRect r = TdxBarPainter::MenuBorderInsets(Bar);
  if (Bar && Bar->IsDetachable()) r.Top = 0;
  return r;
}

void TdxBarStandardPainter::DrawMenuItemFrame(TB* Bar, HDC DC, TdxBarItemControl* C, const TRect& R, bool First,
                                              bool Last, bool ChangesGroup, bool BeginsGroup, const TRect& Client) {
  const bool sideBand = Bar->SideBandWidth() > 0;
  const bool rarely = C && C->IsRarelyUsed();
  const int left = R.Left - (sideBand ? 0 : 1);
  if (ChangesGroup) {
    const int y = BeginsGroup ? R.Top - MenuSeparatorHeight() : R.Top;
    Fill(DC, {left, y, R.Right + 1, y + 1}, GetSysColorBrush(rarely ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
  }
  if (!rarely) return;
  HBRUSH menu = BarBkBrush(Bar);
  if (First && !Bar->IsDetachable()) {
    Fill(DC, {left, R.Top - 1, R.Right + 2, R.Top}, menu);
    Pixel(DC, R.Right + 1, R.Top - 2, COLOR_BTNHIGHLIGHT);
  }
  if (!sideBand) Fill(DC, {R.Left - 1, R.Top, R.Left, R.Bottom}, menu);
  Fill(DC, {R.Right, R.Top, R.Right + 2, R.Bottom}, menu);
  if (Last) {
    Fill(DC, {left, R.Bottom, R.Right + 2, Client.Bottom}, menu);
    if (!sideBand) Pixel(DC, R.Left - 2, Client.Bottom - 1, COLOR_BTNHIGHLIGHT);
  }
}

// ---- enhanced -----------------------------------------------------------------------------------

void TdxBarEnhancedPainter::DrawMarkBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  const int state = Bar->MarkState();
  if (state == 1)
    Edge(DC, R, BDR_RAISEDINNER, BF_RECT);
  else if (state == 2)
    Edge(DC, R, BDR_SUNKENOUTER, BF_RECT);
  else
    Frame(DC, R, Brush);
  Bar->FillBarBackground(DC, Inflate(R, -1, -1), true, clNone, Brush);
}

void TdxBarEnhancedPainter::DrawGrip(TB* Bar, HDC DC, const TRect& R) {
  const bool vertical = Bar->DockingStyleIndex() == 1 || Bar->DockingStyleIndex() == 3;
  const int start = GripInset(), w = GripWidth();
  const TRect bar = vertical ? TRect{R.Left + 3, R.Top + start, R.Right - 3, R.Top + start + w}
                             : TRect{R.Left + start, R.Top + 3, R.Left + start + w, R.Bottom - 3};
  DrawGripBar(DC, bar, vertical, false);
}
