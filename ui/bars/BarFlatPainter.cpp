#include "ui/bars/BarFlatPainter.h"

#include "ui/bars/BarDropDownFrame.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStandardPainter.h"

using namespace win;
using namespace dxbar;

namespace {

HBRUSH Sys(int Index) { return GetSysColorBrush(Index); }

HBRUSH Or(HBRUSH Brush, int SysColor) { return Brush ? Brush : GetSysColorBrush(SysColor); }

}  // namespace

bool TdxBarFlatPainter::WhiteFace() { return GetSysColor(COLOR_BTNFACE) == RGB(255, 255, 255); }
bool TdxBarFlatPainter::BlackFace() { return GetSysColor(COLOR_BTNFACE) == RGB(0, 0, 0); }

void TdxBarFlatPainter::DrawGlyphFrame(TdxBarItemControl* C, HDC DC, HBRUSH Brush, bool NeedsBorder, const TRect& R,
                                       TdxBarPaintMode PaintType, bool /*NoGlyph*/, bool Selected, bool Down,
                                       bool Pressed, bool DroppedDown, bool /*IsSplitButton*/) {
  TB* bar = C ? C->Parent() : nullptr;
  if (DroppedDown && bar && PaintType != pmMenu) {
    DrawDroppedOwnerFrame(bar, DC, R, C->OwnerBounds());
  } else if (Down || (Selected && PaintType != pmMenu)) {
    DrawHotFrame(DC, R);
  } else if (NeedsBorder) {
    TP p(C);
    const bool opaque = Selected || Pressed || Down || (C && (C->IsRarelyUsed() || C->HasOwnBkBrush()));
    DrawItemRing(p, DC, R, Brush, opaque);
  }
}

void TdxBarFlatPainter::DrawCheckMarkGlyph(HDC DC, const TPoint& P, bool Enabled, bool Double, bool /*IsRadio*/) {
  COLORREF ink;
  if (!Enabled)
    ink = GetSysColor(COLOR_BTNSHADOW);
  else if (WhiteFace() || (BlackFace() && GetSysColor(COLOR_BTNTEXT) != RGB(255, 255, 255)))
    ink = RGB(255, 255, 255);
  else
    ink = RGB(0, 0, 0);
  DrawBarCheckStrokes(DC, P, Double, ink);
}

void TdxBarFlatPainter::DrawHotFrame(HDC DC, const TRect& R) {
  const bool blackFace = BlackFace();
  Frame(DC, R, Sys(blackFace ? COLOR_HIGHLIGHTTEXT : COLOR_HIGHLIGHT));
}

TColor TdxBarFlatPainter::FloatCaptionGlyphColor(bool Active, int ButtonState) {
  if (ButtonState == 1 || ButtonState == 2) return clBtnText;
  return TdxBarPainter::FloatCaptionGlyphColor(Active, ButtonState);
}

void TdxBarFlatPainter::DrawMarkBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  const int state = Bar->MarkState();
  if (state == 2) {
    DrawDroppedOwnerFace(Bar, DC, R, Bar->OwnerBounds());
    return;
  }
  if (state != 0)
    DrawHotFrame(DC, R);
  else
    Frame(DC, R, Brush);
  const TRect inner = Inflate(R, -1, -1);
  if (state == 1)
    Fill(DC, inner, HotBrush(ManagerOf(Bar)));
  else
    Bar->FillBarBackground(DC, inner, true, clNone, Brush);
}

int TdxBarFlatPainter::FloatCaptionTextOrigin(TB* Bar, TRect& TextRect, const TRect& MarkRect) {
  // The caption already ends at the close button's area (DrawFloatCaption cuts it there).
  return TdxBarPainter::FloatCaptionTextOrigin(Bar, TextRect, MarkRect) + 2;
}

int TdxBarFlatPainter::MarkGlyphColorIndex(TB* Bar) { return WhiteFace() && Bar->MarkState() == 1 ? 15 : 18; }

void TdxBarFlatPainter::DrawMenuExpandButtonFace(TB* Bar, HDC DC, const TRect& R) {
  DrawHotFrame(DC, R);
  Fill(DC, Inflate(R, -1, -1), HotBrush(ManagerOf(Bar)));
}

void TdxBarFlatPainter::DrawSpinArrow(HDC DC, const TRect& R, bool Up, bool Enabled, bool Selected) {
  const int color = !Enabled ? COLOR_BTNSHADOW : (Selected && WhiteFace() ? COLOR_BTNFACE : COLOR_BTNTEXT);
  POINT pts[3];
  SpinTriangle(R, Up, pts);
  FillPolygon(DC, pts, 3, GetSysColor(color), GetSysColor(color));
}

void TdxBarFlatPainter::CalcSpinLayout(TP& P, const TRect& R, TdxBarEditLayout& L) {
  TdxBarPainter::CalcSpinLayout(P, R, L);
  L.ContentRect.Bottom += 1;
}

int TdxBarFlatPainter::SubItemArrowSize(TP& P, TFont* Font) {
  TB* bar = ParentOf(P);
  if (bar && bar->IsMainMenu()) return 8;
  return TdxBarPainter::SubItemArrowSize(P, Font);
}

void TdxBarFlatPainter::DrawMenuGlyphArea(TBP& P, HDC DC, const TRect& R) {
  TB* bar = ParentOf(P);
  if (!bar) return;
  TdxBarManager* manager = ManagerOf(bar);
  const int iconArea = MenuIconAreaSize(bar);
  const TRect glyph = MenuGlyphBounds(R, iconArea);
  const bool selected = P.IsSelected;
  const bool opaque = selected || (P.OwnerControl && P.OwnerControl->IsRarelyUsed());
  HBRUSH flat = Or(manager ? manager->FlatToolbarsBrush() : nullptr, COLOR_BTNFACE);
  HBRUSH menu = MenuBrush(bar);
  if (selected) {
    DrawHotFrame(DC, R);
  } else {
    const int column = R.Left + iconArea + 1;
    FillItemBackground(P, DC, {R.Left, R.Top, column, R.Top + 1}, flat, opaque);
    FillItemBackground(P, DC, {R.Left, R.Bottom - 1, column, R.Bottom}, flat, opaque);
    FillItemBackground(P, DC, {R.Left, R.Top, R.Left + 1, R.Bottom}, flat, opaque);
    FillItemBackground(P, DC, {column, R.Top, R.Right, R.Top + 1}, menu, opaque);
    FillItemBackground(P, DC, {column, R.Bottom - 1, R.Right, R.Bottom}, menu, opaque);
    FillItemBackground(P, DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, menu, opaque);
  }
  const TRect inner = Inflate(R, -1, -1);
  HBRUSH hot = HotBrush(manager);
  HBRUSH stripBrush = selected ? hot : flat;
  const TRect strip(glyph.Right, inner.Top, glyph.Right + 2, inner.Bottom);
  FillItemBackground(P, DC, strip, stripBrush, opaque);
  FillItemBackground(P, DC, {glyph.Left, inner.Top, strip.Right, glyph.Top}, stripBrush, opaque);
  FillItemBackground(P, DC, {glyph.Left, glyph.Bottom, strip.Right, inner.Bottom}, stripBrush, opaque);
  FillItemBackground(P, DC, {strip.Right, inner.Top, inner.Right, inner.Bottom}, selected ? hot : ItemBkBrush(P),
                     opaque);
}

void TdxBarFlatPainter::DrawLoweredFrame(HDC DC, TRect& R) {
  Frame(DC, R, Sys(COLOR_BTNSHADOW));
  R = Inflate(R, -1, -1);
}

void TdxBarFlatPainter::DrawEditButtonFrame(TP& P, HDC DC, TRect& R, bool Selected, bool Pressed) {
  TdxBarManager* manager = ManagerOf(P);
  if (Selected) {
    DrawHotFrame(DC, R);
    R = Inflate(R, -1, -1);
    Fill(DC, R, Pressed ? DownHotBrush(manager) : HotBrush(manager));
  } else {
    HBRUSH bk = BarBkBrush(ParentOf(P));
    Frame(DC, R, bk);
    R = Inflate(R, -1, -1);
    Fill(DC, R, bk);
  }
}

HBRUSH TdxBarFlatPainter::GlyphBrushFor(TdxBarItemControl* C, TdxBarPaintMode PaintType, bool NoGlyph,
                                        bool Selected, bool Down, bool Pressed, bool DroppedDown, bool StaticItem,
                                        bool GrayGlyph) {
  TB* bar = C ? C->Parent() : nullptr;
  TdxBarManager* manager = ManagerOf(bar);
  if (DroppedDown && !Down) return ControlBrush(bar);
  if (DroppedDown) return DownHotBrush(manager);
  if (Selected) return Down || Pressed ? DownHotBrush(manager) : HotBrush(manager);
  if (Down) return DownBrush(manager);
  if (PaintType == pmMenu && !StaticItem) return MenuGlyphBrush(manager);
  return TdxBarPainter::GlyphBrushFor(C, PaintType, NoGlyph, Selected, Down, Pressed, DroppedDown, StaticItem,
                                      GrayGlyph);
}

bool TdxBarFlatPainter::ShowsGlyphFrame(TdxBarItemControl* C, bool Down, bool Pressed, bool Selected, bool NoGlyph) {
  if (!NoGlyph && (Down || Pressed || Selected)) return true;
  return TdxBarPainter::ShowsGlyphFrame(C, Down, Pressed, Selected, NoGlyph);
}

int TdxBarFlatPainter::ParentArrowAreaWidth(TdxBarItemControl* C) {
  TB* bar = C ? C->Parent() : nullptr;
  return bar && bar->IsMenu() ? bar->TextSize() + 3 : 0;
}

HBRUSH TdxBarFlatPainter::ToolbarBrush(TdxBarManager* Manager) {
  return Or(Manager ? Manager->FlatToolbarsBrush() : nullptr, COLOR_BTNFACE);
}

HBRUSH TdxBarFlatPainter::BarBrush(TB* Bar) {
  if (Bar && (Bar->IsMainMenu() || Bar->IsStatusBar())) return Sys(COLOR_BTNFACE);
  return TdxBarPainter::BarBrush(Bar);
}

HBRUSH TdxBarFlatPainter::DownBrush(TdxBarManager* Manager) {
  return Or(Manager ? Manager->FlatToolbarsDownedBrush() : nullptr, COLOR_BTNSHADOW);
}

HBRUSH TdxBarFlatPainter::DownHotBrush(TdxBarManager* Manager) {
  return Or(Manager ? Manager->FlatToolbarsDownedSelBrush() : nullptr, COLOR_HIGHLIGHT);
}

HBRUSH TdxBarFlatPainter::HotBrush(TdxBarManager* Manager) {
  return Or(Manager ? Manager->FlatToolbarsSelBrush() : nullptr, COLOR_HIGHLIGHT);
}

void TdxBarFlatPainter::DrawToolbarSeparator(TB* Bar, HDC DC, const TRect& R, bool Vertical, HBRUSH Brush) {
  const int margin = ToolbarSeparatorMargin();
  TRect line = R;
  if (Vertical) {
    FillBarBackgroundPart(Bar, DC, {R.Left, R.Top, R.Right, R.Top + margin}, Brush);
    FillBarBackgroundPart(Bar, DC, {R.Left, R.Bottom - margin, R.Right, R.Bottom}, Brush);
    line = {R.Left, R.Top + margin, R.Right, R.Bottom - margin};
    Fill(DC, {line.Left, line.Top, line.Right, line.Top + 1}, Sys(COLOR_BTNSHADOW));
    FillBarBackgroundPart(Bar, DC, {line.Left, line.Top + 1, line.Right, line.Bottom}, Brush);
  } else {
    FillBarBackgroundPart(Bar, DC, {R.Left, R.Top, R.Left + margin, R.Bottom}, Brush);
    FillBarBackgroundPart(Bar, DC, {R.Right - margin, R.Top, R.Right, R.Bottom}, Brush);
    line = {R.Left + margin, R.Top, R.Right - margin, R.Bottom};
    Fill(DC, {line.Left, line.Top, line.Left + 1, line.Bottom}, Sys(COLOR_BTNSHADOW));
    FillBarBackgroundPart(Bar, DC, {line.Left + 1, line.Top, line.Right, line.Bottom}, Brush);
  }
}

void TdxBarFlatPainter::DrawFloatCloseGlyph(TB* Bar, HDC DC, const TRect& R, int State, bool Active) {
  DrawButtonFace(Bar, DC, R, State, Active);
  TRect r(R.Left + 3, R.Top + 4, R.Right - 3, R.Bottom - 4);
  int w = Width(r);
  if (w % 2 != 0) --w;
  if (w <= 1) return;
  r.Right = r.Left + w;
  r.Bottom = r.Top + w - 1;
  TdxBarScopedPen pen(DC, ColorToRGB(FloatCaptionGlyphColor(Active, State)));
  // Two diagonals, each two pixels wide.
  for (int i = 0; i < 2; ++i) {
    MoveToEx(DC, r.Left + i, r.Top, nullptr);
    LineTo(DC, r.Left + i + w - 1, r.Top + w - 1);
    MoveToEx(DC, r.Right - 1 - i, r.Top, nullptr);
    LineTo(DC, r.Right - 1 - i - (w - 1), r.Top + w - 1);
  }
}

void TdxBarFlatPainter::DrawDockedBarFrame(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) {
  if (IsEmpty(R)) return;
  Frame(DC, R, Sys(COLOR_BTNFACE));
  const TRect ring = Inflate(R, -1, -1);
  for (TPoint p : {TPoint(ring.Left, ring.Top), TPoint(ring.Right - 1, ring.Top), TPoint(ring.Left, ring.Bottom - 1),
                   TPoint(ring.Right - 1, ring.Bottom - 1)})
    SetPixelV(DC, p.X, p.Y, GetSysColor(COLOR_BTNFACE));
  if (Bar->ShowsGrip()) {
    const bool vertical = Bar->DockingStyleIndex() == 1 || Bar->DockingStyleIndex() == 3;
    const int start = GripInset(), w = GripWidth();
    const TRect grip = vertical ? TRect{R.Left + 3, R.Top + start, R.Right - 3, R.Top + start + w}
                                : TRect{R.Left + start, R.Top + 3, R.Left + start + w, R.Bottom - 3};
    // Lines along the bar, the first in shadow, then the given brush, alternating.
    if (!vertical)
      for (int y = grip.Top; y < grip.Bottom; ++y)
        Fill(DC, {grip.Left, y, grip.Right, y + 1}, (y - grip.Top) % 2 == 0 ? Sys(COLOR_BTNSHADOW) : Brush);
    else
      for (int x = grip.Left; x < grip.Right; ++x)
        Fill(DC, {x, grip.Top, x + 1, grip.Bottom}, (x - grip.Left) % 2 == 0 ? Sys(COLOR_BTNSHADOW) : Brush);
  }
  R = Inflate(R, -2, -2);
}

void TdxBarFlatPainter::DrawFloatBorder(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) {
  TdxBarManager* manager = ManagerOf(Bar);
  Frame(DC, R, Or(manager ? manager->FlatToolbarsBorderBrush() : nullptr, COLOR_BTNSHADOW));
  R = Inflate(R, -1, -1);
  Frame(DC, R, Sys(COLOR_BTNHIGHLIGHT));
  R = Inflate(R, -1, -1);
  for (int i = 2; i < FrameWidthX(); ++i) {
    Frame(DC, R, Brush);
    R = Inflate(R, -1, -1);
  }
}

void TdxBarFlatPainter::DrawMarkArrow(TB* Bar, HDC DC, const TRect& MarkRect, bool Active) {
  if (Bar->DockingStyleIndex() == 0 && Bar->HasCloseButton()) {
    HBRUSH caption = CreateSolidBrush(ColorToRGB(FloatCaptionColor(Active)));
    Fill(DC, {MarkRect.Right, MarkRect.Top, MarkRect.Right + 1, MarkRect.Bottom}, caption);
    DeleteObject(caption);
  }
  const int state = Bar->MarkState();
  if (state == 2)
    DrawDroppedOwnerFace(Bar, DC, MarkRect, Bar->OwnerBounds());
  else
    DrawButtonFace(Bar, DC, MarkRect, state, Active);
  TdxBarPainter::DrawMarkArrow(Bar, DC, MarkRect, Active);
}

void TdxBarFlatPainter::DrawMDIButton(TB* Bar, HDC DC, const TRect& R, int Kind, int State) {
  if (IsEmpty(R)) return;
  static constexpr UINT kKinds[3] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
  UINT flags = kKinds[std::clamp(Kind, 0, 2)] | DFCS_FLAT;
  if (State == 1) flags |= DFCS_INACTIVE;
  TdxBarManager* manager = ManagerOf(Bar);
  const int w = Width(R) - 2, h = Height(R) - 2;
  if (State >= 2 && State <= 4) {
    HBRUSH fill = State == 2 ? HotBrush(manager) : (State == 3 ? DownBrush(manager) : DownHotBrush(manager));
    DrawHotFrame(DC, R);
    Fill(DC, Inflate(R, -1, -1), fill);
  } else {
    Bar->FillBarBackground(DC, R, true, clNone, BarBkBrush(Bar));
  }
  if (w <= 0 || h <= 0) return;
  HDC memDC = CreateCompatibleDC(DC);
  HBITMAP bitmap = CreateCompatibleBitmap(DC, w, h);
  HGDIOBJ old = SelectObject(memDC, bitmap);
  RECT r{0, 0, w, h};
  DrawFrameControl(memDC, &r, DFC_CAPTION, flags);
  // The glyph's face colour is the transparent one.
  TransparentBlt(DC, R.Left + 1, R.Top + 1, w, h, memDC, 0, 0, w, h, GetSysColor(COLOR_BTNFACE));
  SelectObject(memDC, old);
  DeleteObject(bitmap);
  DeleteDC(memDC);
}

TRect TdxBarFlatPainter::CheckCellBounds(TP& P, HDC DC, const TRect& R, bool Flag) {
  TRect cell = TdxBarPainter::CheckCellBounds(P, DC, R, Flag);
  if (!Flag) DrawItemRing(P, DC, cell, ToolbarBrush(ManagerOf(P)), false);
  return Inflate(cell, -1, -1);
}

void TdxBarFlatPainter::DrawCheckCellFrame(TP& P, HDC DC, const TRect& Cell, const TRect& ItemRect, bool Flag) {
  if (!Flag) return;
  DrawHotFrame(DC, ItemRect);
  Fill(DC, {Cell.Right, Cell.Top, Cell.Right + 2, Cell.Bottom}, HotBrush(ManagerOf(P)));
}

HBRUSH TdxBarFlatPainter::ButtonBrush(TP& P) {
  if (P.IsSelected) {
    TB* bar = ParentOf(P);
    TdxBarManager* manager = ManagerOf(bar);
    return P.IsDropDown || WhiteFace() ? DownHotBrush(manager) : HotBrush(manager);
  }
  return TdxBarPainter::ButtonBrush(P);
}

void TdxBarFlatPainter::FillDropArrowPart(TBP& P, HDC DC, const TRect& R) {
  TdxBarPainter::FillDropArrowPart(P, DC, R);
  if (!(P.IsDropDown && !P.InMenu()))
    DrawDropPartFrame(P.OwnerControl, DC, R, ButtonBrush(P), P.PaintType, P.IsSelected, P.Down);
}

TColor TdxBarFlatPainter::ComboArrowColor(TP& P) {
  if (P.IsSelected && (P.IsDropDown || WhiteFace())) return clHighlightText;
  if (!P.IsSelected && !P.Enabled) return clBtnShadow;
  return TdxBarPainter::ComboArrowColor(P);
}

HBRUSH TdxBarFlatPainter::ComboButtonBrush(TP& P) {
  if (P.InMenu() && !P.IsSelected) return BarBkBrush(ParentOf(P));
  return TdxBarPainter::ComboButtonBrush(P);
}

void TdxBarFlatPainter::DrawComboButtonFace(TP& P, HDC DC, TRect& R, HBRUSH Brush, bool Selected, bool /*Dropped*/) {
  if (Selected) {
    R = Inflate(R, 1, 1);
    DrawHotFrame(DC, R);
  } else {
    HBRUSH frame = P.Enabled ? ItemBkBrush(P) : BarBkBrush(ParentOf(P));
    Frame(DC, R, frame);
    Fill(DC, {R.Left - 1, R.Top, R.Left, R.Bottom}, frame);
  }
  R = Inflate(R, -1, -1);
  Fill(DC, R, Brush);
}

TdxBarMenuMarks TdxBarFlatPainter::CalcMenuMarks(HDC DC, int TextSize) {
  TdxBarMenuMarks m = TdxBarPainter::CalcMenuMarks(DC, TextSize);
  const int chevron = MenuChevronSize(m.MarkHeight - 2);
  if (chevron % 2 != 0) m.MarkHeight = 2 * chevron + 4;
  return m;
}

int TdxBarFlatPainter::MenuChevronSize(int Height) {
  int size = (Height - 4) / 2;
  if (size >= 5 && size % 2 != 0) --size;
  return size;
}

TRect TdxBarFlatPainter::MenuGlyphBounds(const TRect& R, int IconArea) {
  return TdxBarPainter::MenuGlyphBounds(Inflate(R, -1, -1), IconArea - 2);
}

TRect TdxBarFlatPainter::MenuTextBounds(const TRect& R, int IconArea) {
  return TdxBarPainter::MenuTextBounds({R.Left, R.Top + 1, R.Right - 1, R.Bottom - 1}, IconArea);
}

TRect TdxBarFlatPainter::MenuSeparatorBounds(TB* /*Bar*/, const TRect& Row, bool /*AfterShadedRarelyUsed*/) {
  return {Row.Left, Row.Top - MenuSeparatorHeight(), Row.Right, Row.Top};
}

void TdxBarFlatPainter::DrawMenuBorder(TB* Bar, HDC DC, TRect& R) {
  TdxBarManager* manager = ManagerOf(Bar);
  Frame(DC, R, Or(manager ? manager->FlatToolbarsBorderBrush() : nullptr, COLOR_BTNSHADOW));
  const TSize grip = SizeGripSize();
  FillSizeGripArea(Bar, DC, {R.Right - 1 - grip.cx, R.Bottom - 1 - grip.cy, R.Right - 1, R.Bottom - 1});
  if (!Bar->IsDetachable()) return;
  const TRect inner = Inflate(R, -1, -1);
  const int captionHeight = DetachCaptionHeight(Bar->DetachCaptionSize());
  HBRUSH window = Sys(COLOR_WINDOW);
  Fill(DC, {inner.Left, inner.Top, inner.Right, inner.Top + 1}, window);
  Fill(DC, {inner.Left, inner.Top, inner.Left + 1, inner.Top + captionHeight + 1}, window);
  Fill(DC, {inner.Right - 1, inner.Top, inner.Right, inner.Top + captionHeight + 1}, window);
  DrawDetachCaption(Bar, DC, {inner.Left + 1, inner.Top + 1, inner.Right - 1, inner.Top + 1 + captionHeight});
}

void TdxBarFlatPainter::DrawMenuClientBorder(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) {
  Frame(DC, R, MenuBrush(Bar));
  Fill(DC, {R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1}, Brush);
}

void TdxBarFlatPainter::DrawDetachCaption(TB* Bar, HDC DC, const TRect& R) {
  TdxBarManager* manager = ManagerOf(Bar);
  const bool hot = Bar->DetachCaptionHot();
  if (hot) {
    DrawHotFrame(DC, R);
    Fill(DC, Inflate(R, -1, -1), HotBrush(manager));
  } else {
    Fill(DC, R, Or(manager ? manager->FlatToolbarsBrush() : nullptr, COLOR_BTNFACE));
  }
  const int left = R.Left + (Width(R) - 33) / 2;
  HBRUSH line = Sys(hot ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
  for (int y = R.Top + 1; y < R.Bottom - 1; y += 2) Fill(DC, {left, y, left + 33, y + 1}, line);
}

void TdxBarFlatPainter::DrawMenuSeparator(TP& P, HDC DC, const TRect& R, bool RarelyUsedGroup) {
  TB* bar = ParentOf(P);
  TdxBarManager* manager = ManagerOf(bar);
  const bool shaded = RarelyUsedGroup && bar && bar->ShadesRarelyUsed();
  HBRUSH item = shaded ? MenuBrush(bar) : BarBkBrush(bar);
  const int split = R.Left + (bar ? bar->TextSize() + 3 : 22);
  FillItemBackground(P, DC, {R.Left, R.Top, split, R.Bottom},
                     Or(manager ? manager->FlatToolbarsBrush() : nullptr, COLOR_BTNFACE), shaded);
  FillItemBackground(P, DC, {split, R.Top, R.Right, R.Bottom}, item, shaded);
  const int y = R.Top + Height(R) / 2;
  DrawSeparatorLine(DC, {split + MenuGroupIndent(), y, R.Right + 1, y + 1});
}

void TdxBarFlatPainter::DrawSeparatorLine(HDC DC, const TRect& R) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(SeparatorLineColor()));
  Fill(DC, {R.Left, R.Top, R.Right, R.Top + 1}, brush);
  DeleteObject(brush);
}

void TdxBarFlatPainter::DrawListItem(HDC DC, const TRect& R, const String& Text, bool Selected, int Offset) {
  TdxBarPainter::DrawListItem(DC, R, Text, Selected, 2 * Offset);
}

void TdxBarFlatPainter::DrawEditFrame(TEP& P, HDC DC, TRect& R, bool Selected) {
  HBRUSH bk = BarBkBrush(ParentOf(P));
  if (Selected)
    DrawHotFrame(DC, R);
  else if (P.InMenu())
    Frame(DC, R, bk);
  else if (P.Enabled)
    DrawItemRing(P, DC, R, bk, false);
  else
    Frame(DC, R, Sys(COLOR_BTNSHADOW));
  R = Inflate(R, -1, -1);
}

void TdxBarFlatPainter::DrawEditSelection(TEP& P, HDC DC, const TRect& R) {
  TdxBarPainter::DrawEditSelection(P, DC, R);
  HRGN ring = CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
  HRGN inner = CreateRectRgn(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  CombineRgn(ring, ring, inner, RGN_DIFF);
  ExtSelectClipRgn(DC, ring, RGN_DIFF);
  DeleteObject(inner);
  DeleteObject(ring);
}

bool TdxBarFlatPainter::EditGlyphUsesMenuBrush(TP& P) {
  return P.InMenu() && (P.IsSelected || (P.OwnerControl && P.OwnerControl->IsRarelyUsed()));
}

int TdxBarFlatPainter::EditCaptionGapMenu(TP& P) {
  TB* bar = ParentOf(P);
  return bar ? MenuTextIndentOf(bar->IconAreaSize()) - bar->IconAreaSize() : 2;
}

void TdxBarFlatPainter::DrawDropDownWindowFrame(HWND Window, bool ShowPanel, bool CloseHot, bool CloseDown,
                                                TRect& GripRect, TRect& CloseRect, TcxGripCorner Corner) {
  DrawDropDownFrame(Window, ShowPanel, true, CloseHot, CloseDown, GripRect, CloseRect, Corner);
}

void TdxBarFlatPainter::DrawPushButton(HDC DC, const TRect& R, const String& Text, bool /*Pressed*/) {
  Frame(DC, R, Sys(COLOR_BTNSHADOW));
  Frame(DC, Inflate(R, -1, -1), Sys(COLOR_BTNFACE));
  DrawFaceText(DC, R, Text, false);
}

void TdxBarFlatPainter::DrawSpinButton(TP& P, HDC DC, const TRect& R, bool Upper, int PressedIndex, bool Active) {
  TRect r = R;
  const bool pressed = PressedIndex == (Upper ? 0 : 1);
  DrawEditButtonFrame(P, DC, r, Active || pressed, pressed);
  const TSize arrow = SpinArrowSizeFor(Height(R));
  const TPoint origin = SpinArrowOrigin(R, arrow);
  DrawSpinArrow(DC, {origin.X, origin.Y, origin.X + arrow.cx, origin.Y + arrow.cy}, Upper, P.Enabled, P.IsSelected);
}

bool TdxBarFlatPainter::StaticShowsArrow(TP& P) { return !P.IsSelected || WhiteFace(); }

void TdxBarFlatPainter::DrawStaticBorder(TSP& P, HDC DC, const TRect& R) {
  if (P.BorderStyle == 0) return;
  const TRect o = P.BorderOffsets;
  TdxBarClipKeeper keep(DC);
  ExcludeRect(DC, {R.Left + o.Left, R.Top + o.Top, R.Right - o.Right, R.Bottom - o.Bottom});
  Fill(DC, R, StaticBorderBrush());
}

// ---- the flat family's own operations ----------------------------------------------------------

void TdxBarFlatPainter::DrawDropPartFrame(TdxBarItemControl* C, HDC DC, const TRect& R, HBRUSH /*Brush*/,
                                          TdxBarPaintMode PaintType, bool Selected, bool Down) {
  if (!Selected && PaintType != pmMenu && !Down)
    Frame(DC, R, BarBkBrush(C ? C->Parent() : nullptr));
  else if (PaintType != pmMenu || Selected)
    DrawHotFrame(DC, R);
  else
    Frame(DC, R, Sys(COLOR_BTNSHADOW));
}

HBRUSH TdxBarFlatPainter::MenuGlyphBrush(TdxBarManager* Manager) {
  return Or(Manager ? Manager->FlatToolbarsBrush() : nullptr, COLOR_BTNFACE);
}

void TdxBarFlatPainter::DrawDroppedOwnerFace(TB* Bar, HDC DC, const TRect& R, const TRect& OwnerState) {
  DrawDroppedOwnerFrame(Bar, DC, R, OwnerState);
  Fill(DC, Inflate(R, -1, -1), ControlBrush(Bar));
}

void TdxBarFlatPainter::DrawDroppedOwnerFrame(TB* Bar, HDC DC, const TRect& R, const TRect& OwnerState) {
  // OwnerState is the open menu's rectangle in this DC's coordinates; the side of the item it
  // touches stays open, and the seam between them takes the control brush.
  const TRect open = OwnerLinkBounds(R, OwnerState);
  if (!IsEmpty(open)) FillOwnerMenuLink(Bar, DC, open);
  TdxBarClipKeeper keep(DC);
  ExcludeRect(DC, open);
  DrawOwnerFrame(Bar, DC, R);
}

TRect TdxBarFlatPainter::OwnerLinkBounds(const TRect& R, const TRect& Menu) {
  if (IsEmpty(Menu)) return {};
  const int left = std::max(R.Left + 1, Menu.Left + 1), right = std::min(R.Right - 1, Menu.Right - 1);
  const int top = std::max(R.Top + 1, Menu.Top + 1), bottom = std::min(R.Bottom - 1, Menu.Bottom - 1);
  if (Menu.Top >= R.Bottom - 1) return {left, R.Bottom - 1, right, R.Bottom};
  if (Menu.Bottom <= R.Top + 1) return {left, R.Top, right, R.Top + 1};
  if (Menu.Left >= R.Right - 1) return {R.Right - 1, top, R.Right, bottom};
  if (Menu.Right <= R.Left + 1) return {R.Left, top, R.Left + 1, bottom};
  return {};
}

void TdxBarFlatPainter::DrawOwnerFrame(TB* Bar, HDC DC, const TRect& R) {
  TdxBarManager* manager = ManagerOf(Bar);
  Frame(DC, R, Or(manager ? manager->FlatToolbarsBorderBrush() : nullptr, COLOR_BTNSHADOW));
}

void TdxBarFlatPainter::FillOwnerMenuLink(TB* Bar, HDC DC, const TRect& R) { Fill(DC, R, ControlBrush(Bar)); }
