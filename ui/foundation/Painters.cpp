#include "ui/foundation/Painters.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/Gdi.h"
#include "platform/win/Metrics.h"
#include "ui/foundation/Bitmaps.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/OSVersion.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/foundation/RadioButtonImageList.h"

using namespace win;

using TP = TcxCustomLookAndFeelPainter;

const TcxCustomLookAndFeelPainter* CustomLookAndFeelPainter() {
  static const TcxCustomLookAndFeelPainter instance;
  return &instance;
}

namespace {

LibraryTextFlags AlignmentFlags(TAlignment Horz, TcxAlignmentVert Vert, bool MultiLine, bool ShowEndEllipsis) {
  LibraryTextFlags f = Horz == taLeftJustify ? ltfAlignLeft : Horz == taRightJustify ? ltfAlignRight : ltfCenterHorz;
  f |= Vert == vaTop ? ltfAlignTop : Vert == vaBottom ? ltfAlignBottom : ltfCenterVert;
  f |= MultiLine ? ltfWordBreak : ltfSingleLine;
  if (ShowEndEllipsis) f |= ltfEndEllipsis;
  return f;
}

TRect Deflated(TRect R, int D) {
  R.Left += D;
  R.Top += D;
  R.Right -= D;
  R.Bottom -= D;
  return R;
}

bool IsEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

void FillTriangle(TcxCanvas* ACanvas, const TPoint (&Points)[3], TColor Color) {
  ACanvas->ActiveBrush()->SetStyle(bsSolid);
  ACanvas->ActiveBrush()->SetColor(Color);
  ACanvas->ActivePen()->SetColor(Color);
  ACanvas->FillPolygon(Points, 2);
}

}  // namespace

// ---- colours --------------------------------------------------------------------------------------

TColor TcxCustomLookAndFeelPainter::DefaultContentColor() const { return clWindow; }
TColor TcxCustomLookAndFeelPainter::DefaultContentTextColor() const { return clWindowText; }
TColor TcxCustomLookAndFeelPainter::DefaultFilterPanelColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::DefaultFilterPanelTextColor() const { return clBtnHighlight; }
TColor TcxCustomLookAndFeelPainter::DefaultFixedLineColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::DefaultColor22() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::DefaultTextColor23() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::DefaultColor24() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::DefaultGridLineColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::DefaultGroupByBoxColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::DefaultGroupByBoxTextColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::DefaultGroupRowColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::DefaultGroupRowTextColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::DefaultHeaderBackgroundColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::DefaultHeaderBackgroundTextColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::DefaultHeaderColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::DefaultHeaderTextColor() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::DefaultHyperlinkTextColor() const { return static_cast<TColor>(0xFF0000); }
TColor TcxCustomLookAndFeelPainter::DefaultColor35() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::DefaultTextColor36() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::DefaultLinkTextColor() const { return static_cast<TColor>(0xFF0000); }
TColor TcxCustomLookAndFeelPainter::DefaultSizeGripAreaColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::DefaultCategoryTextColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultVerticalGridLineColor() const { return static_cast<TColor>(0); }
TColor TcxCustomLookAndFeelPainter::DefaultBlankHeaderColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::DefaultCalendarHolidayTextColor() const { return static_cast<TColor>(0x0000FF); }
TColor TcxCustomLookAndFeelPainter::DefaultCalendarInactiveDayTextColor() const { return clGrayText; }
TColor TcxCustomLookAndFeelPainter::DefaultCalendarSelectedDayColor() const { return clHighlight; }
TColor TcxCustomLookAndFeelPainter::DefaultCalendarSelectedDayTextColor() const { return clHighlightText; }
TColor TcxCustomLookAndFeelPainter::DefaultCalendarSeparatorColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::DefaultCalendarBackgroundColor() const { return clWindow; }
TColor TcxCustomLookAndFeelPainter::DefaultCalendarDayTextColor() const { return clWindowText; }
TColor TcxCustomLookAndFeelPainter::DefaultCalendarTodayFrameColor() const { return static_cast<TColor>(0x000080); }
TColor TcxCustomLookAndFeelPainter::DefaultCalendarTodayTextColor() const { return static_cast<TColor>(0x800000); }
TColor TcxCustomLookAndFeelPainter::DefaultColor58() const { return clWindow; }
TColor TcxCustomLookAndFeelPainter::DefaultTextColor59() const { return clWindowText; }
TColor TcxCustomLookAndFeelPainter::DefaultViewFrameColor() const { return static_cast<TColor>(0x9D9DA1); }
TColor TcxCustomLookAndFeelPainter::DefaultColor61() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::DefaultSchedulerNavigatorColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::DefaultColor65() const { return static_cast<TColor>(0xD5FFFF); }
TColor TcxCustomLookAndFeelPainter::DefaultAppointmentTextColor() const { return clWindowText; }
TColor TcxCustomLookAndFeelPainter::DefaultSelectionColor() const { return clHighlight; }
TColor TcxCustomLookAndFeelPainter::DefaultSelectionTextColor() const { return clHighlightText; }
TColor TcxCustomLookAndFeelPainter::DefaultCardSeparatorColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::DefaultColor71() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::DefaultTextColor72() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::DefaultColor73() const { return clWindow; }
TColor TcxCustomLookAndFeelPainter::DefaultColor74() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::DefaultColor75() const { return static_cast<TColor>(0xFFFFFF); }
TColor TcxCustomLookAndFeelPainter::DefaultTimeGridHeaderTextColor() const { return static_cast<TColor>(0); }
TColor TcxCustomLookAndFeelPainter::DefaultColor77() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::DefaultTextColor78() const { return clBtnText; }
TColor TcxCustomLookAndFeelPainter::DefaultColor79() const { return static_cast<TColor>(0xFFFFFF); }
TColor TcxCustomLookAndFeelPainter::DefaultColor80() const { return static_cast<TColor>(0); }
TColor TcxCustomLookAndFeelPainter::DefaultColor81() const { return static_cast<TColor>(0); }
TColor TcxCustomLookAndFeelPainter::DefaultColor82() const { return static_cast<TColor>(0); }
TColor TcxCustomLookAndFeelPainter::DefaultColor83() const { return static_cast<TColor>(0xCFCFCF); }
TColor TcxCustomLookAndFeelPainter::DefaultColor84() const { return static_cast<TColor>(0xFFFFFF); }
TColor TcxCustomLookAndFeelPainter::DefaultColor85() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::DefaultColor86() const { return static_cast<TColor>(0xF0CAA6); }
TColor TcxCustomLookAndFeelPainter::DefaultColor87() const { return static_cast<TColor>(0x800000); }
TColor TcxCustomLookAndFeelPainter::DefaultColor88() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::DefaultColor89() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::DefaultFooterSeparatorColor() const { return clBtnShadow; }
TColor TcxCustomLookAndFeelPainter::EditButtonCaptionColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::TrackBarTicksColor() const { return clDefault; }
TColor TcxCustomLookAndFeelPainter::DefaultLayoutControlColor() const { return clBtnFace; }
TColor TcxCustomLookAndFeelPainter::DefaultCalculatorColor() const { return clBtnFace; }

TColor TP::DefaultAccentTextColor() const { return IsWindowsVistaOrLater ? static_cast<TColor>(0xCC6600) : clHighlightText; }
TColor TP::DefaultContentEvenColor() const { return DefaultContentColor(); }
TColor TP::DefaultContentOddColor() const { return DefaultContentColor(); }
TColor TP::DefaultFixedGridLineColor() const { return DefaultGridLineColor(); }
TColor TP::DefaultBandBorderColor() const { return DefaultVerticalGridLineColor(); }
TColor TP::DefaultCategoryColor() const { return DefaultHeaderColor(); }
TColor TP::DefaultRowHeaderColor() const { return DefaultHeaderColor(); }
TColor TP::DefaultSchedulerRulerColor() const { return DefaultHeaderColor(); }
TColor TP::DefaultRowHeaderTextColor() const { return DefaultHeaderTextColor(); }
TColor TP::DefaultSchedulerRulerTextColor() const { return DefaultHeaderTextColor(); }
TColor TP::DefaultSelectedAppointmentTextColor() const { return DefaultSelectionTextColor(); }
TColor TP::DefaultGroupPanelColor() const { return DefaultHeaderBackgroundColor(); }
TColor TP::DefaultGroupPanelTextColor() const { return DefaultHeaderBackgroundTextColor(); }
TColor TP::DefaultEditorContentColor() const {
  const TColor c = DefaultEditorBackgroundColor(false);
  return c == clDefault ? DefaultContentColor() : c;
}
TColor TP::DefaultProgressBarTextColor() const { return ProgressBarTextColor(false); }
TColor TP::GroupBoxPanelTextColor() const { return GroupBoxCaptionTextColor(true, 0); }
bool TP::IsHeaderElementOpaque() const { return HeaderIsOpaque(); }
TColor TP::HeaderTextColorForState(bool Accented) const {
  return Accented ? DefaultAccentTextColor() : DefaultHeaderTextColor();
}
TColor TP::DefaultEditorBackgroundColor(bool Disabled) const { return DefaultEditorBackgroundColorOfKind(Disabled ? 1 : 0); }
TColor TP::DefaultEditorTextColor(bool Disabled) const { return DefaultEditorTextColorOfKind(Disabled ? 1 : 0); }
TColor TP::DefaultEditorBackgroundColorOfKind(int) const { return clDefault; }
TColor TP::DefaultEditorTextColorOfKind(int) const { return clDefault; }
TColor TP::DefaultOffice11GroupRowColor(bool UseWindowColor) const {
  return UseWindowColor ? clWindow : Office11GroupRowColor;
}
TColor TP::DefaultOffice11GroupRowSeparatorColor() const { return Office11GroupRowSeparatorColor; }
TColor TP::DefaultOffice11GroupRowTextColor() const { return Office11GroupRowTextColor; }
TColor TP::ButtonFaceColor(TcxButtonState) const { return clBtnFace; }
TColor TP::ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const {
  if (State == cxbsDisabled) return clBtnShadow;
  return DefaultColor == clDefault ? clBtnText : DefaultColor;
}
TcxButtonState TP::ButtonGlyphState(TcxButtonState State) const { return State; }
TColor TP::CheckBoxFaceColor(TcxButtonState State) const {
  return State == cxbsPressed || State == cxbsDisabled ? clBtnFace : clWindow;
}
TColor TP::NavigationButtonArrowColor(bool, TcxButtonState State, TColor DefaultColor) const {
  return ButtonGlyphColor(State, DefaultColor);
}
TColor TP::ContainerFrameColor(bool) const { return clDefault; }
TColor TP::ProgressBarTextColor(bool OverFilledPart) const { return OverFilledPart ? clDefault : clWindowText; }
TColor TP::GroupBoxCaptionTextColor(bool Enabled, int) const { return Enabled ? clWindowText : clBtnShadow; }
TColor TP::SplitterEdgeColor(bool) const { return clBtnShadow; }
TColor TP::SplitterLightColor(bool) const { return clWhite; }
TColor TP::CalcButtonTextColor(int Kind) const {
  if (Kind <= 2) return static_cast<TColor>(0x000080);
  if (Kind <= 6) return static_cast<TColor>(0x0000FF);
  if (Kind <= 18) return static_cast<TColor>(0xFF0000);
  if (Kind <= 22) return static_cast<TColor>(0x0000FF);
  if (Kind <= 25) return static_cast<TColor>(0x800000);
  if (Kind == 26) return static_cast<TColor>(0x0000FF);
  return static_cast<TColor>(0xFF0000);
}

// ---- identity and metrics -------------------------------------------------------------------------

TcxPainterStyle TP::PainterStyle() const { return psStandard; }
bool TP::PrefersThemedLook() const { return false; }
int TP::BorderWidth() const { return 0; }
int TP::ButtonBorderWidth(TcxButtonState) const { return 0; }
TRect TP::ButtonFocusBounds(TcxCanvas*, const TRect& R) const {
  const TRect r = Deflated(R, 4);
  return IsEmpty(r) ? R : r;
}
TRect TP::ButtonGroupBorderWidths(int, int) const {
  const int w = ButtonBorderWidth(cxbsNormal);
  return TRect(w, w, w, w);
}
int TP::ButtonCaptionOffset() const { return 0; }
int TP::ButtonPressedShift() const { return 0; }
TRect TP::GroupButtonDrawBounds(const TRect& R, int, int) const { return R; }
bool TP::ExpandBoxDrawnFirst() const { return true; }
int TP::ExpandBoxSize() const { return 0; }
int TP::GroupExpanderSize() const { return 15; }
bool TP::HotTracksButtons() const { return false; }
bool TP::HitTestGroupExpander(const TRect& R, const TPoint& P) const {
  return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}
int TP::SmallExpandBoxSize() const { return 9; }
int TP::CheckBoxBorderWidth() const { return 2; }
TSize TP::CheckBoxSize() const {
  static const TSize size = [] {
    HBITMAP checkboxes = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECKBOXES));
    BITMAP data{};
    TSize s;
    if (checkboxes && GetObject(checkboxes, sizeof data, &data)) s = TSize(data.bmWidth / 4, data.bmHeight / 3);
    if (checkboxes) DeleteObject(checkboxes);
    return s;
  }();
  return size;
}
int TP::LabelLineThickness() const { return 2; }
TcxBorders TP::VisibleHeaderSides(TcxBorders) const { return cxBordersAll; }
int TP::HeaderFrameWidth() const { return 0; }
bool TP::HeaderIsOpaque() const { return true; }
int TP::HeaderSectionFrameWidth(TcxButtonState) const { return 1; }
bool TP::HotTracksHeaders() const { return false; }
TSize TP::SortArrowSize() const { return TSize(0, 0); }
TPoint TP::SortArrowAreaSize() const { return TPoint(16, SortArrowSize().cy); }
TRect TP::LayoutViewElementPadding(int) const { return TRect(); }
TRect TP::LayoutViewElementSpacing(int) const { return TRect(); }
TcxBorders TP::LayoutViewRecordCaptionSides() const { return cxBordersAll; }
int TP::FooterFrameWidth() const { return 0; }
int TP::FooterCellFrameWidth() const { return 0; }
int TP::FooterCellSpacing() const { return 0; }
bool TP::FooterCellsDrawnFirst() const { return true; }
int TP::FooterSeparatorWidth() const { return 1; }
TPoint TP::FilterToggleSize() const { return TPoint(13, 13); }
TPoint TP::FilterCloseGlyphSize() const { return TPoint(16, 14); }
TPoint TP::FilterDropDownArrowButtonSize() const { return TPoint(15, 0); }
TcxEditPopupBorderStyle TP::PopupFrameStyle() const { return epbsSingle; }
bool TP::CanDrawTabs(bool) const { return false; }
bool TP::HotTracksTabs(bool) const { return false; }
int TP::TabFrameWidth(bool) const { return 0; }
bool TP::ScrollBarStyleFlag() const { return true; }
int TP::ScrollBarMinThumbLength(bool) const { return 8; }
TSize TP::SizeGripSize() const { return TSize(GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)); }
TSize TP::SmallCloseButtonSize() const { return TSize(14, 15); }
void TP::NavigationButtonSizes(bool IsNext, TRect& Borders, TSize& ArrowSize, bool& HasTextArea) const {
  Borders = IsNext ? TRect(2, 6, 0, 6) : TRect(0, 6, 2, 6);
  HasTextArea = true;
  ArrowSize = TSize(7, 7);
}
TRect TP::ProgressIndicatorMargins() const { return TRect(2, 2, 2, 2); }
int TP::ThinFrameWidth() const { return 1; }
int TP::EditButtonCaptionOffset() const { return 0; }
TSize TP::EditButtonMinSize() const { return TSize(0, 0); }
TSize TP::NavigatorButtonMinSize() const { return TSize(0, 0); }
TSize TP::TrackBarThumbSize(bool) const { return TSize(0, 0); }
TRect TP::ProgressBarFrameMargins(bool) const { return TRect(); }
TRect TP::GroupBoxFrameMargins(bool, int) const { return TRect(); }
int TP::GroupBoxCaptionTailLength(bool, int) const { return 0; }
TRect TP::GroupBoxPanelMargins() const { return TRect(); }
int TP::TrackBarTrackThickness() const { return 0; }
TSize TP::SplitterGripSize(bool Horizontal) const { return Horizontal ? TSize(17, 2) : TSize(2, 17); }
TRect TP::PrintPageBorderMargins() const { return TRect(2, 2, 4, 4); }
TSize TP::RadioButtonGlyphSize() const { return RadioButtonImages()->Size(); }

// ---- bounds ---------------------------------------------------------------------------------------

TRect TP::FooterCellContentBounds(const TRect& R) const { return Deflated(R, FooterCellFrameWidth()); }
TRect TP::FooterCellTextBounds(const TRect& R) const { return Deflated(FooterCellContentBounds(R), 2); }
TRect TP::SeparatorLineBounds(const TRect& R, int Thickness, bool Vertical) const {
  TRect r = R;
  if (Vertical) {
    r.Left = (R.Left + R.Right) / 2 - Thickness / 2;
    r.Right = r.Left + Thickness;
  } else {
    r.Top = (R.Top + R.Bottom) / 2 - Thickness / 2;
    r.Bottom = r.Top + Thickness;
  }
  return r;
}
TRect TP::HeaderContentBounds(const TRect& R, TcxBorders Sides) const {
  const int w = HeaderFrameWidth();
  TRect r = R;
  if (Sides.Contains(bLeft)) r.Left += w;
  if (Sides.Contains(bTop)) r.Top += w;
  if (Sides.Contains(bRight)) r.Right -= w;
  if (Sides.Contains(bBottom)) r.Bottom -= w;
  return r;
}
TRect TP::HeaderBoundsFromContent(const TRect& R, TcxBorders Neighbours, TcxBorders Sides) const {
  const int w = HeaderFrameWidth();
  const TcxBorders visible = VisibleHeaderSides(Neighbours);
  TRect r = R;
  if (Sides.Contains(bLeft) && visible.Contains(bLeft)) r.Left -= w;
  if (Sides.Contains(bTop) && visible.Contains(bTop)) r.Top -= w;
  if (Sides.Contains(bRight) && visible.Contains(bRight)) r.Right += w;
  if (Sides.Contains(bBottom) && visible.Contains(bBottom)) r.Bottom += w;
  return r;
}
int TP::HeaderHeightForText(int TextHeight) const { return 2 * HeaderFrameWidth() + TextHeight + 4; }
int TP::HeaderWidthForText(TcxCanvas* ACanvas, TcxBorders Sides, const String& Text, TFont* Font) const {
  ACanvas->PushDrawingState();
  if (Font) ACanvas->AssignFont(Font);
  int width = ACanvas->MeasureTextWidth(Text) + 4;
  ACanvas->PopDrawingState();
  if (Sides.Contains(bLeft)) width += HeaderFrameWidth();
  if (Sides.Contains(bRight)) width += HeaderFrameWidth();
  return width;
}
TRect TP::HeaderSectionTextBounds(const TRect& Bounds, TcxButtonState State) const {
  TRect r = Bounds;
  if (State == cxbsPressed) {
    r.Left += 1, r.Right += 1, r.Top += 1, r.Bottom += 1;
  }
  return r;
}
TRect TP::HeaderSectionContentBounds(const TRect& Bounds, TcxButtonState State) const {
  return Deflated(Bounds, HeaderSectionFrameWidth(State));
}
void TP::TrackBarThumbBounds(TcxCanvas*, TRect& R, bool, int) const {
  R.Right -= 1;
  R.Bottom -= 1;
}

// ---- drawing that is the painters' own ------------------------------------------------------------

void TP::DrawControlBorder(TcxCanvas*, const TRect&) const {}
void TP::DrawSeparator(TcxCanvas*, const TRect&, bool) const {}
void TP::DrawButtonFrame(TcxCanvas*, const TRect&, TcxButtonState) const {}
void TP::DrawButtonGroupFrame(TcxCanvas*, const TRect&, bool, bool) const {}
void TP::DrawExpandBox(TcxCanvas*, const TRect&, bool, TColor) const {}
void TP::DrawCheckBoxFrame(TcxCanvas*, const TRect&, TcxButtonState) const {}
void TP::DrawColumnHeaderFrame(TcxCanvas*, const TRect&, TcxBorders, TcxBorders) const {}
void TP::DrawHeaderSectionFrame(TcxCanvas*, const TRect&, TcxBorders, TcxButtonState) const {}
void TP::DrawSortArrow(TcxCanvas*, const TRect&, bool) const {}
void TP::DrawFooterFrame(TcxCanvas*, const TRect&) const {}
void TP::DrawFooterCellFrame(TcxCanvas*, const TRect&) const {}
void TP::DrawFilterDropDownArrowButton(TcxCanvas*, const TRect&, TcxButtonState, bool) const {}
void TP::DrawTabItem(TcxCanvas*, const TRect&, TcxBorders, const String&, TcxButtonState, bool, TFont*, TColor, TColor,
                     bool) const {}
void TP::DrawTabItemFrame(TcxCanvas*, const TRect&, TcxBorder, TcxBorders, bool) const {}
void TP::DrawTabStripBase(TcxCanvas*, const TRect&, TcxBorders, bool) const {}
void TP::DrawScrollBarElement(TcxCanvas*, bool, const TRect&, int, TcxButtonState) const {}
void TP::DrawSeparatorBar(TcxCanvas*, const TRect&, const TcxPaintParams&, bool) const {}
void TP::DrawEditButton(TcxCanvas*, const TRect&, TcxButtonState, TcxEditButtonGlyphKind, TcxEditBtnPosition) const {}
void TP::DrawProgressBarFrame(TcxCanvas*, const TRect&, bool) const {}
void TP::DrawProgressBarChunk(TcxCanvas*, const TRect&, bool) const {}
void TP::DrawGroupBoxBackground(TcxCanvas*, const TRect&, const TRect&) const {}
void TP::DrawGroupBoxCaptionBackground(TcxCanvas*, const TRect&, int) const {}
void TP::DrawGroupBoxSides(TcxCanvas*, const TRect&, TcxBorders, int) const {}
void TP::DrawGroupBoxBorder(TcxCanvas*, const TRect&, bool, int, TcxBorders) const {}
void TP::DrawGroupPanelBody(TcxCanvas*, const TRect&) const {}
void TP::DrawTrackBarTrackFrame(TcxCanvas*, const TRect&) const {}
void TP::DrawTrackBarPointedThumbEdges(TcxCanvas*, const TcxPoints&, const TcxPoints&, const TcxPoints&) const {}
void TP::DrawTrackBarRectThumbEdges(TcxCanvas*, const TRect&) const {}

// ---- backgrounds and cells ------------------------------------------------------------------------

void TP::FillBackground(TcxCanvas* ACanvas, const TRect& R, bool Transparent, TColor Color, TBitmap* Bitmap) const {
  if (!Transparent)
    ACanvas->FillRectWithColor(R, Color);
  else if (Bitmap && !Bitmap->Empty())
    ACanvas->FillRectWithBitmap(R, Bitmap);
}
void TP::DrawGroupByBoxBackground(TcxCanvas* ACanvas, const TRect& R, bool Transparent, TColor Color,
                                  TBitmap* Bitmap) const {
  FillBackground(ACanvas, R, Transparent, Color, Bitmap);
}
void TP::DrawFilterPanelBackground(TcxCanvas* ACanvas, const TRect& R, bool Transparent, TColor Color,
                                   TBitmap* Bitmap) const {
  FillBackground(ACanvas, R, Transparent, Color, Bitmap);
}
void TP::FillWindowContent(TcxCanvas* ACanvas, const TRect& R) const { ACanvas->FillRectWithColor(R, clBtnFace); }
void TP::DrawGroupBoxPanelBackground(TcxCanvas* ACanvas, const TRect& R, bool) const {
  ACanvas->FillRectWithColor(R, clBtnFace);
}
void TP::DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R) const {
  ACanvas->FillRectWithColor(R, DefaultLayoutControlColor());
}
void TP::DrawPreviewBackground(TcxCanvas* ACanvas, const TRect& R) const { ACanvas->FillRectWithColor(R, clBtnShadow); }
void TP::DrawFooterBackground(TcxCanvas* ACanvas, const TRect& R, const TcxPaintParams& Params) const {
  if (IsEmpty(R)) return;
  if (Params.Bitmap && !Params.Bitmap->Empty())
    ACanvas->FillRectWithBitmap(R, Params.Bitmap);
  else
    ACanvas->FillRectWithColor(R, Params.Color);
}

void TP::DrawCellContent(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxButtonState,
                         TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis,
                         const String& Text, TFont* Font, TColor TextColor, TColor BackColor,
                         const TcxDrawBackgroundEvent& OnDrawBackground, bool) const {
  if (!OnDrawBackground || !OnDrawBackground(ACanvas, Bounds)) ACanvas->FillRectWithColor(Bounds, BackColor);
  if (Text.empty()) return;
  ACanvas->ActiveBrush()->SetStyle(bsClear);
  if (Font) ACanvas->AssignFont(Font);
  ACanvas->ActiveFont()->SetColor(TextColor);
  ACanvas->DrawTextInRect(Text, TextBounds, AlignmentFlags(AlignmentHorz, AlignmentVert, MultiLine, ShowEndEllipsis));
  ACanvas->ActiveBrush()->SetStyle(bsSolid);
}

// ---- arrows ---------------------------------------------------------------------------------------

void TP::ArrowTrianglePoints(const TRect& R, TPoint (&Points)[3], TcxArrowPointing Pointing, bool Proportional,
                             int Size) {
  TRect r = R;
  if (Proportional) {
    const int w = r.Right - r.Left, h = r.Bottom - r.Top;
    if (w > h) {
      r.Left += (w - h) / 2;
      r.Right = r.Left + h;
    } else if (h > w) {
      r.Top += (h - w) / 2;
      r.Bottom = r.Top + w;
    }
  }
  const int w = r.Right - r.Left, h = r.Bottom - r.Top;
  const bool vertical = Pointing == adUp || Pointing == adDown;
  const int n = Size > 0 ? Size : (vertical ? (w - 1) / 4 + 1 : (h - 1) / 4 + 1);
  if (vertical) {
    const int x0 = r.Left + (w - (2 * n - 1)) / 2;
    const int y0 = r.Top + (h - n) / 2;
    if (Pointing == adUp) {
      Points[0] = TPoint(x0, y0 + n - 1);
      Points[1] = TPoint(x0 + 2 * n - 2, y0 + n - 1);
      Points[2] = TPoint(x0 + n - 1, y0);
    } else {
      Points[0] = TPoint(x0, y0);
      Points[1] = TPoint(x0 + 2 * n - 2, y0);
      Points[2] = TPoint(x0 + n - 1, y0 + n - 1);
    }
  } else {
    const int y0 = r.Top + (h - (2 * n - 1)) / 2;
    const int x0 = r.Left + (w - n) / 2;
    if (Pointing == adLeft) {
      Points[0] = TPoint(x0 + n - 1, y0);
      Points[1] = TPoint(x0 + n - 1, y0 + 2 * n - 2);
      Points[2] = TPoint(x0, y0 + n - 1);
    } else {
      Points[0] = TPoint(x0, y0);
      Points[1] = TPoint(x0, y0 + 2 * n - 2);
      Points[2] = TPoint(x0 + n - 1, y0 + n - 1);
    }
  }
}

void TP::DrawDirectionalArrow(TcxCanvas* ACanvas, const TRect& R, TcxArrowPointing Pointing, TColor Color) const {
  TPoint p[3];
  ArrowTrianglePoints(R, p, Pointing, true, 0);
  FillTriangle(ACanvas, p, Color);
}

void TP::DrawArrowButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, TcxArrowPointing Pointing,
                         bool Bordered) const {
  TPoint p[3];
  ArrowTrianglePoints(R, p, Pointing, false, 0);
  if (Bordered)
    DrawArrowButtonBorder(ACanvas, R, State);
  else
    ACanvas->FillRectWithColor(R, ButtonFaceColor(State));
  FillTriangle(ACanvas, p, ButtonGlyphColor(State, clDefault));
}

void TP::DrawArrowButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  ACanvas->FillRectWithColor(R, ButtonFaceColor(State));
  DrawButtonFrame(ACanvas, R, State);
}

void TP::DrawArrowButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State,
                              TcxArrowPointing Pointing) const {
  TRect r = R;
  if (State == cxbsPressed) {
    const int s = ButtonPressedShift();
    r.Left += s, r.Right += s, r.Top += s, r.Bottom += s;
  }
  TPoint p[3];
  ArrowTrianglePoints(r, p, Pointing, true, 0);
  if (State == cxbsDisabled) {
    TPoint shifted[3] = {{p[0].X + 1, p[0].Y + 1}, {p[1].X + 1, p[1].Y + 1}, {p[2].X + 1, p[2].Y + 1}};
    FillTriangle(ACanvas, shifted, clBtnHighlight);
    FillTriangle(ACanvas, p, clBtnShadow);
  } else {
    FillTriangle(ACanvas, p, ButtonGlyphColor(State, clDefault));
  }
}

void TP::DrawDownArrowGlyph(TcxCanvas* ACanvas, const TRect& R, TColor Color) const {
  int w = (R.Right - R.Left) / 2;
  if (w % 2 == 0) ++w;
  const int h = w / 2 + 1;
  const int x = (R.Left + R.Right - w) / 2;
  const int y = RoundHalfEven((R.Top + R.Bottom - h) / 2.0);
  const TPoint p[3] = {{x, y}, {x + w - 1, y}, {x + w / 2, y + h - 1}};
  FillTriangle(ACanvas, p, Color);
}

void TP::DrawMonthHeaderArrows(TcxCanvas* ACanvas, const TRect& R, int Which, int ArrowOffset, TColor Color) const {
  TRect r = R;
  r.Top += BorderWidth();
  r.Top += 1;
  r.Bottom -= 1;
  int n = (r.Bottom - r.Top) / 2;
  if (n % 2 == 0) ++n;
  const int h = n / 2;
  const int y0 = (r.Top + r.Bottom - n) / 2 - 1;
  if (Which == 1 || Which == 3) {
    const int x = r.Left + ArrowOffset - 1;
    const TPoint p[3] = {{x, y0}, {x, y0 + n + 1}, {x - h - 1, y0 + h + 1}};
    FillTriangle(ACanvas, p, Color);
  }
  if (Which == 2 || Which == 3) {
    const int x = r.Right - ArrowOffset + 1;
    const TPoint p[3] = {{x, y0}, {x, y0 + n + 1}, {x + h + 1, y0 + h + 1}};
    FillTriangle(ACanvas, p, Color);
  }
}

// ---- buttons --------------------------------------------------------------------------------------

void TP::DrawPushButton(TcxCanvas* ACanvas, const TRect& R, const String& Caption, TcxButtonState State,
                        bool DrawBorder, TColor FaceColor, TColor TextColor, bool WordWrap, int) const {
  TRect r = R;
  if (DrawBorder) {
    DrawButtonFrame(ACanvas, r, State);
    r = Deflated(r, ButtonBorderWidth(State));
  }
  if (FaceColor == clDefault) FaceColor = ButtonFaceColor(State);
  ACanvas->FillRectWithColor(r, FaceColor);
  if (TextColor == clDefault) TextColor = ButtonGlyphColor(State, clDefault);
  ACanvas->ActiveBrush()->SetStyle(bsClear);
  // An odd height loses its bottom pixel; a short one then gains a pixel at the top.
  if ((r.Bottom - r.Top) % 2 != 0) --r.Bottom;
  if (r.Bottom - r.Top < 18) --r.Top;
  if (State == cxbsPressed) {
    const int s = ButtonPressedShift();
    r.Left += s, r.Right += s, r.Top += s, r.Bottom += s;
  }
  if (!Caption.empty()) {
    ACanvas->ActiveFont()->SetColor(TextColor);
    ACanvas->DrawTextInRect(Caption, r,
                            ltfCenterHorz | ltfCenterVert | ltfShowPrefix | (WordWrap ? ltfWordBreak : ltfSingleLine),
                            State != cxbsDisabled);
  }
  ACanvas->ActiveBrush()->SetStyle(bsSolid);
}

void TP::DrawGroupedButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, int, int, TColor) const {
  DrawPushButton(ACanvas, R, "", State, true, clDefault, clDefault, false, 0);
}

void TP::DrawEditorButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  DrawPushButton(ACanvas, R, "", State, true, clDefault, clDefault, false, 0);
}

// ---- expand boxes and group expanders -------------------------------------------------------------

void DrawExpandCross(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor Color) {
  const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
  const int half = (R.Right - R.Left - 4) / 2;
  ACanvas->FillRectWithColor(TRect(cx - half, cy, cx + half + 1, cy + 1), Color);
  if (!Expanded) ACanvas->FillRectWithColor(TRect(cx, cy - half, cx + 1, cy + half + 1), Color);
}

namespace {

// Two chevrons, two layers thick, pointing up when expanded.
void DrawGroupExpandMark(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor Color) {
  const int x0 = (R.Left + R.Right - 7) / 2, y0 = (R.Top + R.Bottom - 8) / 2;
  for (int t : {y0, y0 + 4})
    for (int d = 0; d <= 3; ++d) {
      // Column offsets 3 - d and 3 + d; the outer layer steps one row per column from its apex.
      const int outerY = Expanded ? t + d : t + 4 - d;
      ACanvas->PutPixel(x0 + 3 - d, outerY, Color);
      ACanvas->PutPixel(x0 + 3 + d, outerY, Color);
      if (d <= 2) {
        const int innerY = Expanded ? t + 1 + d : t + 3 - d;
        ACanvas->PutPixel(x0 + 3 - d, innerY, Color);
        ACanvas->PutPixel(x0 + 3 + d, innerY, Color);
      }
    }
}

}  // namespace

void TP::DrawSmallExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor BorderColor,
                            TColor Color) const {
  ACanvas->DrawSideFrame(R, BorderColor);
  if (Color != clDefault) ACanvas->FillRectWithColor(Deflated(R, 1), Color);
  DrawExpandCross(ACanvas, R, Expanded, clBtnText);
}

void TP::DrawGroupExpander(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TcxButtonState State) const {
  DrawPushButton(ACanvas, R, "", State, true, clDefault, clDefault, false, 0);
  DrawGroupExpandMark(ACanvas, R, Expanded, ButtonGlyphColor(State, clDefault));
}

void TP::DrawRotatedGroupExpander(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Expanded,
                                  int Position) const {
  DrawPushButton(ACanvas, R, "", State, true, clDefault, clDefault, false, 0);
  // Positions are turns of the upright mark: none, a quarter turn left, a quarter turn right, half
  // a turn. The mark is drawn upright on the face colour, turned, and laid over the button with
  // the face left out.
  static constexpr TcxRotationCode kTurns[4] = {rcNone, rcTurnLeft, rcTurnRight, rcHalfTurn};
  const TcxRotationCode turn = Position >= 0 && Position < 4 ? kTurns[Position] : rcNone;
  const bool sideways = turn == rcTurnLeft || turn == rcTurnRight;
  const int w = R.Right - R.Left, h = R.Bottom - R.Top;
  if (w <= 0 || h <= 0) return;
  const TColor face = ButtonFaceColor(State);
  TcxBitmap mark(sideways ? h : w, sideways ? w : h, pf32bit);
  TcxCanvas canvas(mark.Canvas());
  canvas.FillRectWithColor(mark.ImageRect(), face);
  DrawGroupExpandMark(&canvas, mark.ImageRect(), Expanded, ButtonGlyphColor(State, clDefault));
  mark.RotateImage(turn);
  mark.SetTransparentColor(static_cast<TColor>(ColorToRGB(face)));
  mark.SetTransparent(true);
  ACanvas->Canvas()->Draw(R.Left, R.Top, &mark);
}

void TP::DrawLayoutViewRecordExpandButton(TcxCanvas* ACanvas, const TRect& R, bool Expanded,
                                          TcxButtonState State) const {
  DrawGroupExpander(ACanvas, R, Expanded, State);
}

void TP::DrawGroupBoxExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Expanded,
                                  int Position) const {
  DrawRotatedGroupExpander(ACanvas, R, State, Expanded, Position);
}

// ---- check boxes and radio buttons ----------------------------------------------------------------

void TP::DrawCheckMark(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Checked, TColor Color) const {
  if (ACanvas->ActiveBrush()->Style() == bsSolid) ACanvas->FillRectWithColor(R, CheckBoxFaceColor(State));
  if (!Checked) return;
  ACanvas->ActivePen()->SetColor(Color);
  ACanvas->ActivePen()->SetWidth(1);
  const int w = R.Right - R.Left - 2, h = R.Bottom - R.Top - 4;
  const int cx = (R.Left + R.Right) / 2 - 1;
  for (int d = 0; d <= 2; ++d) {
    const int y = (R.Top + R.Bottom + h) / 2 - 2 + d;
    const TPoint p[3] = {{cx - w / 2 + 1, y - h / 2}, {cx, y}, {cx + w / 2 + 2, y - h}};
    ACanvas->DrawPolyline(p, 2);
  }
}

void TP::DrawCheckBox(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, TcxCheckBoxState CheckState) const {
  DrawCheckBoxFrame(ACanvas, R, State);
  const TRect r = Deflated(R, CheckBoxBorderWidth());
  DrawCheckMark(ACanvas, r, State, CheckState == cbsChecked,
                State == cxbsDisabled || CheckState == cbsGrayed ? clGrayText : clBtnText);
}

void TP::DrawCheckBoxOfState(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Checked) const {
  DrawCheckBox(ACanvas, R, State, Checked ? cbsChecked : cbsUnchecked);
}

void TP::DrawFilterToggle(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Checked) const {
  DrawCheckBoxOfState(ACanvas, R, State, Checked);
}

void TP::DrawRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState State, bool Checked, bool Focused,
                         TColor BackColor, bool IsDesigning) const {
  RadioButtonImages()->Draw(ACanvas->Canvas(), X, Y, BackColor, LookAndFeelKindOfStyle(PainterStyle()), State, Checked,
                            Focused, IsDesigning);
}

void TP::DrawLabelLine(TcxCanvas* ACanvas, const TRect& R, TColor ShadowColor, TColor HighlightColor,
                       bool Vertical) const {
  if (ShadowColor == clDefault) ShadowColor = clBtnShadow;
  if (HighlightColor == clDefault) HighlightColor = clBtnHighlight;
  if (Vertical)
    ACanvas->DrawTwoColorFrame(R, ShadowColor, HighlightColor, TcxBorders{bLeft, bRight});
  else
    ACanvas->DrawTwoColorFrame(R, ShadowColor, HighlightColor, TcxBorders{bTop, bBottom});
}

// ---- headers --------------------------------------------------------------------------------------

void TP::DrawColumnHeader(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxBorders Neighbours,
                          TcxBorders Sides, TcxButtonState State, TAlignment AlignmentHorz,
                          TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                          TFont* Font, TColor TextColor, TColor BackColor,
                          const TcxDrawBackgroundEvent& OnDrawBackground, bool, bool) const {
  DrawColumnHeaderFrame(ACanvas, Bounds, Neighbours, Sides);
  DrawCellContent(ACanvas, HeaderContentBounds(Bounds, Sides), TextBounds, State, AlignmentHorz, AlignmentVert,
                  MultiLine, ShowEndEllipsis, Text, Font, TextColor, BackColor, OnDrawBackground, false);
}

void TP::DrawColumnHeaderDirect(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds,
                                TcxBorders Neighbours, TcxBorders Sides, TcxButtonState State,
                                TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine,
                                bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                                TColor BackColor, const TcxDrawBackgroundEvent& OnDrawBackground) const {
  DrawColumnHeader(ACanvas, Bounds, TextBounds, Neighbours, Sides, State, AlignmentHorz, AlignmentVert, MultiLine,
                   ShowEndEllipsis, Text, Font, TextColor, BackColor, OnDrawBackground, false, false);
}

void TP::DrawHeaderPressedEffect(TcxCanvas* ACanvas, const TRect& R) const { ACanvas->InvertArea(R); }

void TP::DrawHeaderSection(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxBorders,
                           TcxBorders Sides, TcxButtonState State, TAlignment AlignmentHorz,
                           TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                           TFont* Font, TColor TextColor, TColor BackColor) const {
  DrawHeaderSectionFrame(ACanvas, Bounds, Sides, State);
  DrawHeaderSectionContent(ACanvas, HeaderSectionContentBounds(Bounds, State), TextBounds, State, AlignmentHorz,
                           AlignmentVert, MultiLine, ShowEndEllipsis, Text, Font, TextColor, BackColor);
}

void TP::DrawHeaderSectionContent(TcxCanvas* ACanvas, const TRect& R, const TRect& TextBounds, TcxButtonState State,
                                  TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine,
                                  bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                                  TColor BackColor) const {
  ACanvas->FillRectWithColor(R, BackColor);
  DrawHeaderSectionCaption(ACanvas, HeaderSectionTextBounds(TextBounds, State), State, AlignmentHorz, AlignmentVert,
                           MultiLine, ShowEndEllipsis, Text, Font, TextColor);
}

void TP::DrawHeaderSectionCaption(TcxCanvas* ACanvas, const TRect& TextBounds, TcxButtonState State,
                                  TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine,
                                  bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor) const {
  ACanvas->ActiveBrush()->SetStyle(bsClear);
  if (!Text.empty()) {
    if (Font) ACanvas->AssignFont(Font);
    const LibraryTextFlags flags = AlignmentFlags(AlignmentHorz, AlignmentVert, MultiLine, ShowEndEllipsis);
    if (State == cxbsDisabled) {
      TRect shifted = TextBounds;
      shifted.Left += 1, shifted.Right += 1, shifted.Top += 1, shifted.Bottom += 1;
      ACanvas->ActiveFont()->SetColor(clBtnHighlight);
      ACanvas->DrawTextInRect(Text, shifted, flags);
      ACanvas->ActiveFont()->SetColor(clBtnShadow);
    } else {
      ACanvas->ActiveFont()->SetColor(TextColor);
    }
    ACanvas->DrawTextInRect(Text, TextBounds, flags);
  }
  ACanvas->ActiveBrush()->SetStyle(bsSolid);
}

void TP::DrawHeaderDivider(TcxCanvas* ACanvas, const TRect& Bounds, int IndentSize, TColor Color,
                           const TcxPaintParams& Params) const {
  TRect left = Bounds, middle = Bounds, right = Bounds;
  left.Right = std::min(Bounds.Right, Bounds.Left + IndentSize);
  right.Left = std::max(left.Right, Bounds.Right - IndentSize);
  middle.Left = left.Right;
  middle.Right = right.Left;
  DrawFooterBackground(ACanvas, left, Params);
  DrawFooterBackground(ACanvas, right, Params);
  ACanvas->FillRectWithColor(middle, Color);
}

void TP::DrawIndicatorCell(TcxCanvas* ACanvas, const TRect& R, int Kind, TColor BackColor,
                           const TcxDrawBackgroundEvent& OnDrawBackground) const {
  const TcxBorders neighbours{bTop, bBottom};
  DrawColumnHeader(ACanvas, R, R, TcxBorders{}, VisibleHeaderSides(neighbours), cxbsNormal, taLeftJustify, vaTop,
                   false, false, "", nullptr, clNone, BackColor, OnDrawBackground, false, false);
  DrawIndicatorGlyph(ACanvas, R, Kind);
}

void TP::DrawIndicatorHeaderCell(TcxCanvas* ACanvas, const TRect& R, int Kind, TColor BackColor,
                                 const TcxDrawBackgroundEvent& OnDrawBackground) const {
  DrawColumnHeaderDirect(ACanvas, R, R, TcxBorders{}, cxBordersAll, cxbsNormal, taLeftJustify, vaTop, false, false, "",
                         nullptr, clNone, BackColor, OnDrawBackground);
  DrawIndicatorGlyph(ACanvas, R, Kind);
}

void TP::DrawIndicatorGlyph(TcxCanvas* ACanvas, const TRect& R, int Kind) const {
  TCustomImageList* images = cxIndicatorImages();
  if (Kind < 1 || !images || Kind > images->Count()) return;
  images->Draw(ACanvas->Canvas(), R.Left + (R.Right - R.Left - images->Width()) / 2,
               R.Top + (R.Bottom - R.Top - images->Height()) / 2, Kind - 1);
}

void TP::DrawIndicatorCustomizeGlyph(TcxCanvas* ACanvas, const TRect& R, TColor Color) const {
  const int y0 = (R.Top + R.Bottom - 9) / 2;
  for (int i = 0; i < 5; ++i) {
    const int y = y0 + 2 * i;
    ACanvas->FillRectWithColor(TRect(R.Left + 5, y, R.Left + 3 + (R.Right - R.Left - 6), y + 1), Color);
    if (i % 2 == 0) ACanvas->FillRectWithColor(TRect(R.Left + 3, y, R.Left + 4, y + 1), Color);
  }
}

void TP::DrawBlankHeader(TcxCanvas* ACanvas, TRect& R) const {
  ACanvas->FillRectWithColor(R, DefaultBlankHeaderColor());
  ACanvas->Draw3DEdge(R, false, false);
  R = Deflated(R, 1);
}

void TP::DrawCalendarMonthHeader(TcxCanvas* ACanvas, const TRect& R, const String& Text, TcxBorders Neighbours,
                                 const TcxPaintParams& Params, int Which, int ArrowOffset,
                                 const TcxDrawBackgroundEvent& OnDrawBackground) const {
  DrawColumnHeader(ACanvas, R, R, Neighbours, VisibleHeaderSides(Neighbours), cxbsNormal, taCenter, vaCenter, false,
                   false, Text, Params.Font, Params.TextColor, Params.Color, OnDrawBackground, false, false);
  DrawMonthHeaderArrows(ACanvas, R, Which, ArrowOffset, clWindowText);
}

// ---- footers --------------------------------------------------------------------------------------

void TP::DrawFooterPanel(TcxCanvas* ACanvas, const TRect& R, TcxBorders) const {
  TRect separator = R, rest = R;
  separator.Bottom = std::min(R.Bottom, R.Top + FooterSeparatorWidth());
  rest.Top = separator.Bottom;
  DrawFooterSeparator(ACanvas, separator);
  DrawFooterFrame(ACanvas, rest);
}

void TP::DrawFooterSeparator(TcxCanvas* ACanvas, const TRect& R) const {
  ACanvas->FillRectWithColor(R, DefaultFooterSeparatorColor());
}

void TP::DrawFooterCell(TcxCanvas* ACanvas, const TRect& R, TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert,
                        bool MultiLine, const String& Text, TFont* Font, TColor TextColor, TColor BackColor,
                        const TcxDrawBackgroundEvent& OnDrawBackground) const {
  DrawFooterCellFrame(ACanvas, R);
  DrawFooterCellContent(ACanvas, R, AlignmentHorz, AlignmentVert, MultiLine, Text, Font, TextColor, BackColor,
                        OnDrawBackground);
}

void TP::DrawFooterCellContent(TcxCanvas* ACanvas, const TRect& R, TAlignment AlignmentHorz,
                               TcxAlignmentVert AlignmentVert, bool MultiLine, const String& Text, TFont* Font,
                               TColor TextColor, TColor BackColor,
                               const TcxDrawBackgroundEvent& OnDrawBackground) const {
  DrawCellContent(ACanvas, FooterCellContentBounds(R), FooterCellTextBounds(R), cxbsDefault, AlignmentHorz,
                  AlignmentVert, MultiLine, false, Text, Font, TextColor, BackColor, OnDrawBackground, true);
}

// ---- filter, close and size-grip glyphs -----------------------------------------------------------

void TP::DrawFilterCloseGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  DrawButtonFrame(ACanvas, R, State);
  const TRect r = Deflated(R, ButtonBorderWidth(cxbsNormal));
  ACanvas->FillRectWithColor(r, ButtonFaceColor(State));
  int side = FilterCloseGlyphSize().X / 2;
  if (side % 2 == 0) --side;
  int x = (r.Left + r.Right - side) / 2, y = (r.Top + r.Bottom - side) / 2;
  if (ButtonGlyphState(State) == cxbsPressed) ++x, ++y;
  const TColor color = ButtonGlyphColor(State, clDefault);
  for (int shift = 0; shift <= 1; ++shift)
    for (int i = 0; i < side; ++i) {
      ACanvas->PutPixel(x + shift + i, y + i, color);
      ACanvas->PutPixel(x + shift + i, y + side - 1 - i, color);
    }
}

void TP::DrawSmallCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  DrawFilterCloseGlyph(ACanvas, R, State);
}

void TP::DrawSizeGripGlyph(TcxCanvas* ACanvas, const TRect& R) const {
  RECT r = R;
  DrawFrameControl(ACanvas->DeviceContext(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void TP::DrawSizeGripAtCorner(TcxCanvas* ACanvas, const TRect& R, TColor BackColor, int Corner) const {
  const int w = R.Right - R.Left, h = R.Bottom - R.Top;
  if (w <= 0 || h <= 0) return;
  // Corners run top-left, top-right, bottom-left, bottom-right; the system draws the grip into
  // the last, so the left corners are mirrored across and the top ones upside down.
  const bool flipX = Corner == 0 || Corner == 2, flipY = Corner == 0 || Corner == 1;
  TcxBitmap bitmap(w, h, pf32bit);
  TCanvas* canvas = bitmap.Canvas();
  canvas->Brush()->Assign(ACanvas->ActiveBrush());
  HDC mem = canvas->Handle(), dc = ACanvas->DeviceContext();
  // A negative source extent covers origin + extent to origin - 1: a mirrored copy starts at the
  // far edge so that it takes every column and row once.
  const int xs = flipX ? w : 0, ws = flipX ? -w : w, ys = flipY ? h : 0, hs = flipY ? -h : h;
  if (BackColor == clNone) {
    StretchBlt(mem, 0, 0, w, h, dc, R.Left + xs, R.Top + ys, ws, hs, SRCCOPY);
  } else {
    canvas->Brush()->SetColor(BackColor);
    canvas->FillRect(TRect(0, 0, w, h));
  }
  TcxCanvas grip(canvas);
  DrawSizeGripGlyph(&grip, TRect(0, 0, w, h));
  StretchBlt(dc, R.Left, R.Top, w, h, mem, xs, ys, ws, hs, SRCCOPY);
}

// ---- scroll bars, navigation, progress ------------------------------------------------------------

void TP::DrawScrollBarTrack(TcxCanvas* ACanvas, const TRect& R, bool Horizontal) const {
  DrawScrollBarElement(ACanvas, Horizontal, R, 4, cxbsNormal);
}

void TP::DrawNavigationButtonFace(TcxCanvas* ACanvas, const TRect& R, const TRect& ContentRect, bool IsNext,
                                  TcxButtonState State) const {
  ACanvas->FillRectWithColor(R, clBtnFace);
  const TcxBorders sides = IsNext ? TcxBorders{bLeft, bTop, bBottom} : TcxBorders{bTop, bRight, bBottom};
  ACanvas->DrawSideFrame(R, clBtnShadow, 1, sides);
  TRect inner = R;
  inner.Top += 1, inner.Bottom -= 1;
  if (IsNext) inner.Left += 1; else inner.Right -= 1;
  if (State == cxbsPressed)
    ACanvas->DrawTwoColorFrame(inner, clBtnShadow, clBtnHighlight, sides);
  else
    ACanvas->DrawTwoColorFrame(inner, clBtnHighlight, clBtnFace, sides);
  DrawNavigationButtonArrow(ACanvas, ContentRect, IsNext, ButtonGlyphColor(State, clDefault));
}

void TP::DrawNavigationButtonArrow(TcxCanvas* ACanvas, const TRect& R, bool IsNext, TColor Color) const {
  const int h = R.Bottom - R.Top;
  const int rows = h / 2 + h % 2;
  for (int i = 0; i < rows; ++i) {
    const int x = IsNext ? R.Left + i : R.Right - 2 - i;
    ACanvas->FillRectWithColor(TRect(x, R.Top + i, x + 2, R.Top + i + 1), Color);
    ACanvas->FillRectWithColor(TRect(x, R.Bottom - 1 - i, x + 2, R.Bottom - i), Color);
  }
  const int edge = IsNext ? R.Right - 1 : R.Left;
  ACanvas->FillRectWithColor(TRect(edge, R.Top, edge + 1, R.Bottom), Color);
}

void TP::DrawNavigationButton(TcxCanvas* ACanvas, const TRect& R, bool IsNext, TcxButtonState State,
                              const String& Text, const TRect& TextRect, const TRect& ContentRect) const {
  DrawNavigationButtonFace(ACanvas, R, ContentRect, IsNext, State);
  const TColor color = NavigationButtonArrowColor(IsNext, State, clDefault);
  if (IsEmpty(TextRect) || color == clNone) return;
  ACanvas->ActiveBrush()->SetStyle(bsClear);
  ACanvas->ActiveFont()->SetColor(color);
  ACanvas->DrawTextRotatable(Text, TextRect, ltfCenterHorz | ltfCenterVert | ltfSingleLine, true,
                             IsNext ? rcTurnRight : rcTurnLeft);
  ACanvas->ActiveBrush()->SetStyle(bsSolid);
}

void TP::CalcNavigationButtonLayout(bool IsNext, bool Rotated, const TSize& TextSize1, const TSize& TextSize2,
                                    TRect& Bounds, TRect& TextRect, TRect& ArrowRect) const {
  TRect borders;
  TSize arrow;
  bool hasText = false;
  NavigationButtonSizes(IsNext, borders, arrow, hasText);
  const int block = 3 * arrow.cy;
  auto centred = [&](const TRect& In) {
    const int x = In.Left + (In.Right - In.Left - arrow.cx) / 2, y = In.Top + (In.Bottom - In.Top - arrow.cy) / 2;
    return TRect(x, y, x + arrow.cx, y + arrow.cy);
  };
  if (Rotated || !hasText) {
    TextRect = TRect();
    const int height = block + borders.Top + borders.Bottom;
    Bounds.Top = (Bounds.Top + Bounds.Bottom - borders.Top - borders.Bottom - block) / 2;
    Bounds.Bottom = Bounds.Top + height;
    ArrowRect = centred(Bounds);
    return;
  }
  TRect c(Bounds.Left + borders.Left, Bounds.Top + borders.Top, Bounds.Right - borders.Right,
          Bounds.Bottom - borders.Bottom);
  ArrowRect = centred(TRect(c.Left, c.Top, c.Right, c.Top + block));
  TextRect = TRect(c.Left, c.Top + block + 5, c.Right, c.Bottom - 2 * arrow.cy);
  const int excess = std::max(TextSize1.cx, TextSize2.cx) - (TextRect.Bottom - TextRect.Top);
  if (excess > 0) {
    ArrowRect.Top -= excess, ArrowRect.Bottom -= excess;
    TextRect.Top -= excess, TextRect.Bottom += excess;
    Bounds.Top -= excess, Bounds.Bottom += excess;
  }
}

void TP::DrawProgressIndicator(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& ProgressRect,
                               const TcxPaintParams& Params, bool Framed) const {
  if (!Framed) DrawFooterBackground(ACanvas, Bounds, Params);
  ACanvas->DrawSideFrame(Bounds, static_cast<TColor>(0x808080));
  ACanvas->FillRectWithColor(ProgressRect, static_cast<TColor>(0x800000));
}

void TP::DrawViewFrame(TcxCanvas* ACanvas, const TRect& R) const { DrawControlBorder(ACanvas, R); }

void TP::DrawProgressBarText(TcxCanvas* ACanvas, bool Vertical, bool Solid, const String& Text, const TRect& TextRect,
                             const TRect&, const TRect& BarRect, TColor TextColor) const {
  ACanvas->PushDrawingState();
  if (Vertical) ACanvas->SetFontAngle(270);
  if (TextColor == clDefault || !Solid) TextColor = DefaultProgressBarTextColor();
  ACanvas->ActiveBrush()->SetStyle(bsClear);
  // Text turned downward hangs to the left of its origin.
  const TPoint origin = Vertical ? TPoint(TextRect.Right, TextRect.Top) : TPoint(TextRect.Left, TextRect.Top);
  auto textOut = [&](TColor Color) {
    ACanvas->ActiveFont()->SetColor(Color);
    ACanvas->Canvas()->TextOut(origin.X, origin.Y, Text);
  };
  const TRect over(std::max(TextRect.Left, BarRect.Left), std::max(TextRect.Top, BarRect.Top),
                   std::min(TextRect.Right, BarRect.Right), std::min(TextRect.Bottom, BarRect.Bottom));
  if (Solid) {
    textOut(TextColor);
  } else if (ProgressBarTextColor(true) == clDefault) {
    // Every text pixel shows the inverse of what lies under it: the text in white on black,
    // combined by exclusive or.
    const int w = TextRect.Right - TextRect.Left, h = TextRect.Bottom - TextRect.Top;
    if (w > 0 && h > 0) {
      TcxBitmap mask(w, h, pf32bit);
      TcxCanvas maskCanvas(mask.Canvas());
      maskCanvas.FillRectWithColor(mask.ImageRect(), clBlack);
      maskCanvas.AssignFont(ACanvas->ActiveFont());
      if (Vertical) maskCanvas.SetFontAngle(270);
      maskCanvas.ActiveFont()->SetColor(clWhite);
      maskCanvas.ActiveBrush()->SetStyle(bsClear);
      mask.Canvas()->TextOut(origin.X - TextRect.Left, origin.Y - TextRect.Top, Text);
      BitBlt(ACanvas->DeviceContext(), TextRect.Left, TextRect.Top, w, h, mask.Canvas()->Handle(), 0, 0, SRCINVERT);
    }
  } else if (!IsEmpty(over)) {
    // The part over the bar in the filled-part colour, the rest in the empty-part colour.
    ACanvas->PushClipRegion();
    ACanvas->ClipToRect(over);
    textOut(ProgressBarTextColor(true));
    ACanvas->PopClipRegion();
    ACanvas->PushClipRegion();
    ACanvas->ExcludeRectFromClip(over);
    textOut(TextColor);
    ACanvas->PopClipRegion();
  } else {
    textOut(TextColor);
  }
  ACanvas->PopDrawingState();
}

void TP::DrawNavigatorGlyph(TcxCanvas* ACanvas, TCustomImageList* ImageList, int ImageIndex, int, const TRect& R,
                            bool Enabled, bool) const {
  if (!ImageList) return;
  const int x = R.Left + (R.Right - R.Left - ImageList->Width()) / 2;
  const int y = R.Top + (R.Bottom - R.Top - ImageList->Height()) / 2;
  ImageList->Draw(ACanvas->Canvas(), x, y, ImageIndex, Enabled);
}

// ---- clock ----------------------------------------------------------------------------------------

void TP::DrawClockFace(TcxCanvas* ACanvas, const TRect& R, TDateTime Time, TColor BackColor) const {
  const double cx = (R.Left + R.Right) / 2.0, cy = (R.Top + R.Bottom) / 2.0;
  const double rx = (R.Right - R.Left) / 2.0 - 2, ry = (R.Bottom - R.Top) / 2.0 - 2;
  ACanvas->PushClipRegion();
  for (int i = 0; i < 60; i += 5) {
    const double a = i * 2 * M_PI / 60;
    const int x = static_cast<int>(std::lround(cx + rx * std::cos(a))), y = static_cast<int>(std::lround(cy + ry * std::sin(a)));
    ACanvas->DrawTwoColorFrame(TRect(x - 1, y - 1, x + 2, y + 2), static_cast<TColor>(0xFFFF00), clBtnText);
    ACanvas->PutPixel(x, y, static_cast<TColor>(0x808000));
    ACanvas->ExcludeRectFromClip(TRect(x - 1, y - 1, x + 2, y + 2));
  }
  ACanvas->FillRectWithColor(R, BackColor);
  const double day = Time - std::floor(Time);
  const int seconds = static_cast<int>(std::lround(day * 86400)) % 86400;
  const int h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
  auto hand = [&](double angle, double tip, double tail, double width) {
    const double ca = std::cos(angle), sa = std::sin(angle);
    const TPoint p[4] = {
        {static_cast<int>(std::lround(cx + rx * tip * ca)), static_cast<int>(std::lround(cy + ry * tip * sa))},
        {static_cast<int>(std::lround(cx - width / 2 * sa)), static_cast<int>(std::lround(cy + width / 2 * ca))},
        {static_cast<int>(std::lround(cx - rx * tail * ca)), static_cast<int>(std::lround(cy - ry * tail * sa))},
        {static_cast<int>(std::lround(cx + width / 2 * sa)), static_cast<int>(std::lround(cy - width / 2 * ca))}};
    ACanvas->ActiveBrush()->SetColor(static_cast<TColor>(0x808000));
    ACanvas->ActivePen()->SetColor(static_cast<TColor>(0x808000));
    ACanvas->FillPolygon(p, 3);
  };
  hand((h % 12 * 3600 + m * 60 + s - 10800) * 2 * M_PI / 43200, 0.75, 0.15, 9);
  hand((m * 60 + s - 900) * 2 * M_PI / 3600, 0.85, 0.2, 7);
  const double sa = (s - 15) * 2 * M_PI / 60;
  ACanvas->ActivePen()->SetColor(static_cast<TColor>(0x0000FF));
  ACanvas->MoveToPoint(static_cast<int>(std::lround(cx)), static_cast<int>(std::lround(cy)));
  ACanvas->LineToPoint(static_cast<int>(std::lround(cx + rx * 0.9 * std::cos(sa))),
                       static_cast<int>(std::lround(cy + ry * 0.9 * std::sin(sa))));
  ACanvas->PopClipRegion();
}

// ---- layout views, group boxes, track bars, splitters, print preview ------------------------------

void TP::DrawLayoutViewItem(TcxCanvas* ACanvas, const TRect& R, int State, TcxBorders) const {
  ACanvas->FillRectWithColor(R, State == 3 ? DefaultSelectionColor() : DefaultGroupRowColor());
}
void TP::DrawLayoutViewRecordCaptionFrame(TcxCanvas* ACanvas, const TRect& R, int State, TcxBorders Sides) const {
  ACanvas->DrawSideFrame(R, State == 2 ? DefaultSelectionColor() : clBtnShadow, 1, Sides);
}
void TP::DrawLayoutViewRecordCaption(TcxCanvas* ACanvas, const TRect& R, int, int State) const {
  DrawLayoutViewRecordCaptionFrame(ACanvas, R, State, cxBordersAll);
  ACanvas->FillRectWithColor(Deflated(R, 1), State == 2 ? DefaultSelectionColor() : DefaultGroupRowColor());
}
void TP::DrawLayoutViewRecordFrame(TcxCanvas* ACanvas, const TRect& R, int, int State, TcxBorders Sides) const {
  DrawLayoutViewRecordCaptionFrame(ACanvas, R, State, Sides);
  ACanvas->FillRectWithColor(Deflated(R, 1), DefaultGroupRowColor());
}

void TP::DrawGroupBoxControlBackground(TcxCanvas* ACanvas, TControl*, const TRect& R, TColor, TColor) const {
  DrawGroupBoxBackground(ACanvas, R, R);
}
void TP::DrawGroupBoxHeader(TcxCanvas* ACanvas, const TRect& R, int CaptionPosition) const {
  DrawGroupBoxCaptionBackground(ACanvas, R, CaptionPosition);
}

void TP::DrawTrackBarTrack(TcxCanvas* ACanvas, const TRect& R, const TRect&, bool, bool, bool, TColor Color) const {
  ACanvas->FillRectWithColor(R, Color);
  DrawTrackBarTrackFrame(ACanvas, R);
}

void TP::DrawTrackBarThumb(TcxCanvas* ACanvas, const TRect& R, TcxButtonState, bool Horizontal, int Shape,
                           TColor Color) const {
  ACanvas->ActivePen()->SetColor(Color);
  ACanvas->ActiveBrush()->SetStyle(bsSolid);
  ACanvas->ActiveBrush()->SetColor(Color);
  if (Shape == 2) {
    ACanvas->FillRectWithColor(R, Color);
    DrawTrackBarRectThumbEdges(ACanvas, R);
    return;
  }
  const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  const int D = (Horizontal ? R.Right - R.Left : R.Bottom - R.Top) / 2;
  TcxPoints polygon, light, inner, outer;
  if (Shape == 0 && Horizontal) {
    const int cx = L + D, cy = T + D;
    polygon = {{Rt - 1, B - 2}, {L + 1, B - 2}, {L + 1, cy - 1}, {cx, T}, {Rt - 1, cy - 1}};
    light = {{L, B - 1}, {L, cy - 1}, {cx, T - 1}};
    inner = {{cx, T}, {Rt - 1, cy - 1}, {Rt - 1, B - 2}, {L, B - 2}};
    outer = {{cx, T - 1}, {Rt, cy - 1}, {Rt, B - 1}, {L, B - 1}};
  } else if (Shape == 0) {
    const int cx = L + D, cy = T + D;
    polygon = {{Rt - 2, B - 1}, {Rt - 2, T + 1}, {cx - 1, T + 1}, {L, cy}, {cx - 1, B - 1}};
    light = {{Rt - 1, T}, {cx - 1, T}, {L - 1, cy}};
    inner = {{L, cy}, {cx - 1, B - 1}, {Rt - 2, B - 1}, {Rt - 2, T}};
    outer = {{L - 1, cy}, {cx - 1, B}, {Rt - 1, B}, {Rt - 1, T}};
  } else if (Horizontal) {
    const int cx = L + D, cy = B - D;
    polygon = {{Rt - 1, T + 1}, {L + 1, T + 1}, {L + 1, cy}, {cx, B - 1}, {Rt - 1, cy}};
    light = {{Rt, T}, {L, T}, {L, cy}, {cx, B}};
    inner = {{cx, B - 1}, {Rt - 1, cy}, {Rt - 1, T}};
    outer = {{cx, B}, {Rt, cy}, {Rt, T}};
  } else {
    const int cx = Rt - D, cy = T + D;
    polygon = {{L + 1, B - 1}, {L + 1, T + 1}, {cx, T + 1}, {Rt - 1, cy}, {cx, B - 1}};
    light = {{L, B}, {L, T}, {cx, T}, {Rt, cy}};
    inner = {{Rt - 1, cy}, {cx, B - 1}, {L, B - 1}};
    outer = {{Rt, cy}, {cx, B}, {L, B}};
  }
  ACanvas->FillPolygon(polygon.data(), static_cast<int>(polygon.size()) - 1);
  DrawTrackBarPointedThumbEdges(ACanvas, light, inner, outer);
}

void TP::DrawSplitterBar(TcxCanvas* ACanvas, const TRect& R, bool Highlighted, bool, bool Horizontal) const {
  const TSize grip = SplitterGripSize(Horizontal);
  const bool doubled = (Horizontal ? grip.cy : grip.cx) > 1;
  auto line = [&](int offset, TColor Color, int shortBy) {
    const int length = Horizontal ? R.Right - R.Left : R.Bottom - R.Top;
    const int start = Horizontal ? R.Left : R.Top;
    const int across = (Horizontal ? (R.Top + R.Bottom) / 2 : (R.Left + R.Right) / 2) + offset;
    const int centre = start + length / 2;
    auto segment = [&](int from, int to) {
      if (to <= from) return;
      if (Horizontal)
        ACanvas->FillRectWithColor(TRect(from + offset, across, to + offset, across + 1), Color);
      else
        ACanvas->FillRectWithColor(TRect(across, from + offset, across + 1, to + offset), Color);
    };
    segment(start, centre - 5);
    for (int d = 0; d < 3; ++d) segment(centre - 5 + 3 * d + 1, centre - 5 + 3 * d + 3);
    segment(centre + 5, start + length - shortBy);
  };
  line(0, SplitterEdgeColor(Highlighted), doubled ? 1 : 0);
  if (doubled) line(1, SplitterLightColor(Highlighted), 0);
}

void TP::DrawPrintPageBorder(TcxCanvas* ACanvas, const TRect& PageRect, const TRect& ContentRect, int Kind,
                             bool FillContent) const {
  ACanvas->PushClipRegion();
  TRect page = PageRect;
  page.Right -= 2;
  page.Bottom -= 2;
  if (FillContent) ACanvas->FillRectWithColor(ContentRect, clWindow);
  if (Kind == 0) page = Deflated(page, 1);
  ACanvas->ExcludeRectFromClip(ContentRect);
  ACanvas->FillRectWithColor(page, Kind == 0 ? clWindowText : clHighlight);
  ACanvas->ExcludeRectFromClip(page);
  TRect shadow = page;
  shadow.Left += 2, shadow.Right += 2, shadow.Top += 2, shadow.Bottom += 2;
  ACanvas->FillRectWithColor(shadow, clWindowText);
  ACanvas->PopClipRegion();
}
