#include "ui/foundation/WinXPPainter.h"

#include <algorithm>

#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/OfficePainters.h"
#include "ui/foundation/ParentBackground.h"

using namespace win;

using TXP = TcxWinXPLookAndFeelPainter;
using TSP = TcxStandardLookAndFeelPainter;

const TcxWinXPLookAndFeelPainter* WinXPLookAndFeelPainter() {
  static const TcxWinXPLookAndFeelPainter instance;
  return &instance;
}

namespace {

HTHEME Theme(TdxThemeClassId Id) { return AcquireThemeHandle(Id); }
HDC DC(TcxCanvas* C) { return C->DeviceContext(); }
TRect Deflated(TRect R, int D) { return TRect(R.Left + D, R.Top + D, R.Right - D, R.Bottom - D); }

int PlainState(TcxButtonState S) {
  switch (S) {
    case cxbsHot: return 2;
    case cxbsPressed: return 3;
    case cxbsDisabled: return 4;
    default: return 1;
  }
}
int ArrowState(TcxArrowPointing P, TcxButtonState S) { return static_cast<int>(P) * 4 + PlainState(S); }
int CheckState(bool Checked, TcxButtonState S) { return (Checked ? 4 : 0) + PlainState(S); }
int HeaderState(TcxButtonState S) { return S == cxbsHot ? 2 : S == cxbsPressed ? 3 : 1; }
int ThumbState(TcxButtonState S) { return S == cxbsHot ? 2 : S == cxbsPressed ? 3 : S == cxbsDisabled ? 4 : 1; }
int EditorButtonState(TcxButtonState S) {
  switch (S) {
    case cxbsHot: return 5;
    case cxbsPressed: return 3;
    case cxbsDisabled: return 4;
    default: return 2;
  }
}
int TrackThumbState(TcxButtonState S) {
  switch (S) {
    case cxbsNormal: return 1;
    case cxbsPressed: return 3;
    case cxbsDisabled: return 5;
    default: return 2;
  }
}
int TrackThumbPart(bool Horizontal, int Shape) {
  if (Shape == 0) return Horizontal ? TKP_THUMBTOP : TKP_THUMBLEFT;
  if (Shape == 1) return Horizontal ? TKP_THUMBBOTTOM : TKP_THUMBRIGHT;
  return Horizontal ? TKP_THUMB : TKP_THUMBVERT;
}

bool PartSize(HTHEME T, HDC Dc, int Part, int State, THEMESIZE Kind, TSize& Size) {
  return UxGetThemePartSize(T, Dc, Part, State, nullptr, Kind, Size) == S_OK;
}

// The content rectangle of (0, 0, 100, 100).
bool Content100(HTHEME T, int Part, int State, TRect& CR) {
  return UxGetThemeBackgroundContentRect(T, nullptr, Part, State, TRect(0, 0, 100, 100), CR) == S_OK;
}

}  // namespace

bool TXP::PrefersThemedLook() const { return HasVisualStyles(); }

void TXP::DrawDirectionalArrow(TcxCanvas* ACanvas, const TRect& R, TcxArrowPointing Pointing, TColor Color) const {
  TcxCustomLookAndFeelPainter::DrawDirectionalArrow(ACanvas, R, Pointing, Color);
}
TSize TXP::SortArrowSize() const { return UltraFlatLookAndFeelPainter()->SortArrowSize(); }
void TXP::DrawSortArrow(TcxCanvas* ACanvas, const TRect& R, bool Ascending) const {
  UltraFlatLookAndFeelPainter()->DrawSortArrow(ACanvas, R, Ascending);
}
void TXP::DrawIndicatorCell(TcxCanvas* ACanvas, const TRect& R, int Kind, TColor BackColor,
                            const TcxDrawBackgroundEvent& OnDrawBackground) const {
  FlatLookAndFeelPainter()->TcxCustomLookAndFeelPainter::DrawIndicatorCell(ACanvas, R, Kind, BackColor,
                                                                           OnDrawBackground);
}
void TXP::DrawCalendarMonthHeader(TcxCanvas* ACanvas, const TRect& R, const String& Text, TcxBorders Neighbours,
                                  const TcxPaintParams& Params, int Which, int ArrowOffset,
                                  const TcxDrawBackgroundEvent& OnDrawBackground) const {
  DrawColumnHeader(ACanvas, R, R, Neighbours, cxBordersAll, cxbsNormal, taCenter, vaCenter, false, false, Text,
                   Params.Font, Params.TextColor, Params.Color, OnDrawBackground, false, false);
  CustomLookAndFeelPainter()->DrawMonthHeaderArrows(ACanvas, R, Which, ArrowOffset, clWindowText);
}
void TXP::DrawGroupBoxControlBackground(TcxCanvas* ACanvas, TControl* Control, const TRect& R, TColor Color,
                                        TColor) const {
  if (Color == clDefault) {
    if (Control) PaintParentBackground(Control, ACanvas, R, true);
  } else {
    ACanvas->FillRectWithColor(R, Color);
  }
}

// ---- Button ---------------------------------------------------------------------------------------

void TXP::DrawArrowButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  if (HTHEME t = Theme(tciButton))
    UxDrawThemeBackground(t, DC(ACanvas), BP_PUSHBUTTON, ButtonStateToThemeState(State), R);
  else
    TSP::DrawArrowButtonBorder(ACanvas, R, State);
}

TRect TXP::GroupButtonDrawBounds(const TRect& R, int Count, int Index) const {
  TRect r = TSP::GroupButtonDrawBounds(R, Count, Index);
  if (HTHEME t = Theme(tciButton))
    if (UxIsThemeBackgroundPartiallyTransparent(t, BP_PUSHBUTTON, 1)) r = Deflated(r, -1);
  return r;
}

int TXP::ButtonBorderWidth(TcxButtonState State) const {
  TRect cr;
  if (HTHEME t = Theme(tciButton))
    if (Content100(t, BP_PUSHBUTTON, ButtonStateToThemeState(State), cr)) return cr.Left;
  // The standard painter's answer for the same state, so that a default button without a theme
  // keeps its wider frame exactly as the standard painter draws it.
  return TSP::ButtonBorderWidth(State);
}

TColor TXP::ButtonFaceColor(TcxButtonState State) const {
  COLORREF c = 0;
  if (HTHEME t = Theme(tciButton))
    if (UxGetThemeColor(t, BP_PUSHBUTTON, ButtonStateToThemeState(State), TMT_COLOR, c) == S_OK)
      return static_cast<TColor>(c);
  return TSP::ButtonFaceColor(State);
}

TRect TXP::ButtonFocusBounds(TcxCanvas* ACanvas, const TRect& R) const {
  TRect cr;
  if (HTHEME t = Theme(tciButton))
    if (UxGetThemeBackgroundContentRect(t, DC(ACanvas), BP_PUSHBUTTON, 1, R, cr) == S_OK) return cr;
  return TSP::ButtonFocusBounds(ACanvas, R);
}

TRect TXP::ButtonGroupBorderWidths(int Count, int Index) const {
  TRect cr;
  HTHEME t = Theme(tciButton);
  if (!t || !Content100(t, BP_PUSHBUTTON, 1, cr)) return TSP::ButtonGroupBorderWidths(Count, Index);
  TRect w(cr.Left, cr.Top, 100 - cr.Right, 100 - cr.Bottom);
  if (UxIsThemeBackgroundPartiallyTransparent(t, BP_PUSHBUTTON, 1)) w = TRect(w.Left - 1, w.Top - 1, w.Right - 1, w.Bottom - 1);
  return w;
}

TColor TXP::ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const {
  COLORREF c = 0;
  if (HTHEME t = Theme(tciButton))
    if (UxGetThemeColor(t, BP_PUSHBUTTON, ButtonStateToThemeState(State), TMT_TEXTCOLOR, c) == S_OK)
      return static_cast<TColor>(c);
  return TSP::ButtonGlyphColor(State, DefaultColor);
}

void TXP::DrawPushButton(TcxCanvas* ACanvas, const TRect& R, const String& Caption, TcxButtonState State,
                         bool DrawBorder, TColor FaceColor, TColor TextColor, bool WordWrap, int ThemeClassKind) const {
  HTHEME t = Theme(ThemeClassKind == 1 ? tciToolBar : tciButton);
  if (!t) {
    TSP::DrawPushButton(ACanvas, R, Caption, State, DrawBorder, FaceColor, TextColor, WordWrap, ThemeClassKind);
    return;
  }
  const int state = ButtonStateToThemeState(State);
  UxDrawThemeBackground(t, DC(ACanvas), BP_PUSHBUTTON, state, R);
  if (!Caption.empty())
    UxDrawThemeTextAnsi(t, DC(ACanvas), BP_PUSHBUTTON, state, Caption, -1, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0,
                        R);
}

int TXP::CheckBoxBorderWidth() const { return Theme(tciButton) ? 0 : TSP::CheckBoxBorderWidth(); }

TSize TXP::CheckBoxSize() const {
  TSize s;
  if (HTHEME t = Theme(tciButton))
    if (PartSize(t, nullptr, BP_CHECKBOX, CBS_CHECKEDNORMAL, TS_TRUE, s)) return s;
  return TSP::CheckBoxSize();
}

void TXP::DrawCheckMark(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Checked, TColor Color) const {
  if (HTHEME t = Theme(tciButton))
    UxDrawThemeBackground(t, DC(ACanvas), BP_CHECKBOX, CheckState(Checked, State), R);
  else
    TSP::DrawCheckMark(ACanvas, R, State, Checked, Color);
}

void TXP::DrawCheckBoxFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  if (!Theme(tciButton)) TSP::DrawCheckBoxFrame(ACanvas, R, State);
}

void TXP::DrawRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState State, bool Checked, bool Focused,
                          TColor BackColor, bool IsDesigning) const {
  HTHEME t = Theme(tciButton);
  if (!t) {
    TSP::DrawRadioButton(ACanvas, X, Y, State, Checked, Focused, BackColor, IsDesigning);
    return;
  }
  const TSize size = RadioButtonGlyphSize();
  UxDrawThemeBackground(t, DC(ACanvas), BP_RADIOBUTTON, CheckState(Checked, State),
                        TRect(X, Y, X + size.cx, Y + size.cy));
}

TSize TXP::RadioButtonGlyphSize() const {
  TSize s;
  if (HTHEME t = Theme(tciButton))
    if (PartSize(t, nullptr, BP_RADIOBUTTON, 1, TS_TRUE, s)) return s;
  return TSP::RadioButtonGlyphSize();
}

TPoint TXP::FilterToggleSize() const {
  TSize s;
  if (HTHEME t = Theme(tciButton))
    if (PartSize(t, nullptr, BP_CHECKBOX, CBS_CHECKEDNORMAL, TS_TRUE, s)) return TPoint(s.cx, s.cy);
  return TSP::FilterToggleSize();
}

void TXP::DrawGroupBoxBorder(TcxCanvas* ACanvas, const TRect& R, bool Enabled, int Extra, TcxBorders Sides) const {
  if (HTHEME t = Theme(tciButton))
    UxDrawThemeBackground(t, DC(ACanvas), BP_GROUPBOX, Enabled ? GBS_NORMAL : GBS_DISABLED, R);
  else
    TSP::DrawGroupBoxBorder(ACanvas, R, Enabled, Extra, Sides);
}

TColor TXP::GroupBoxCaptionTextColor(bool Enabled, int CaptionPosition) const {
  COLORREF c = 0;
  if (HTHEME t = Theme(tciButton))
    if (UxGetThemeColor(t, BP_GROUPBOX, Enabled ? GBS_NORMAL : GBS_DISABLED, TMT_TEXTCOLOR, c) == S_OK)
      return static_cast<TColor>(c);
  return TSP::GroupBoxCaptionTextColor(Enabled, CaptionPosition);
}

// ---- ScrollBar ------------------------------------------------------------------------------------

void TXP::DrawArrowButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, TcxArrowPointing Pointing,
                          bool Bordered) const {
  if (HTHEME t = Theme(tciScrollBar))
    UxDrawThemeBackground(t, DC(ACanvas), SBP_ARROWBTN, ArrowState(Pointing, State), R);
  else
    TSP::DrawArrowButton(ACanvas, R, State, Pointing, Bordered);
}

void TXP::DrawScrollBarElement(TcxCanvas* ACanvas, bool Horizontal, const TRect& R, int Part,
                               TcxButtonState State) const {
  HTHEME t = Theme(tciScrollBar);
  if (!t) {
    TSP::DrawScrollBarElement(ACanvas, Horizontal, R, Part, State);
    return;
  }
  if (R.Right <= R.Left || R.Bottom <= R.Top) return;
  const int state = ThumbState(State);
  switch (Part) {
    case 1:
    case 2:
      DrawArrowButton(ACanvas, R, State, Horizontal ? (Part == 1 ? adLeft : adRight) : (Part == 1 ? adUp : adDown),
                      true);
      break;
    case 3: {
      UxDrawThemeBackground(t, DC(ACanvas), Horizontal ? SBP_THUMBBTNHORZ : SBP_THUMBBTNVERT, state, R);
      const int gripper = Horizontal ? SBP_GRIPPERHORZ : SBP_GRIPPERVERT;
      TSize size;
      const bool fits = !PartSize(t, DC(ACanvas), gripper, state, TS_TRUE, size) ||
                        (Horizontal ? R.Right - R.Left > size.cy : R.Bottom - R.Top > size.cx);
      if (fits) UxDrawThemeBackground(t, DC(ACanvas), gripper, state, R);
      break;
    }
    case 4:
      UxDrawThemeBackground(t, DC(ACanvas), Horizontal ? SBP_UPPERTRACKHORZ : SBP_UPPERTRACKVERT, state, R);
      break;
    case 5:
      UxDrawThemeBackground(t, DC(ACanvas), Horizontal ? SBP_LOWERTRACKHORZ : SBP_LOWERTRACKVERT, state, R);
      break;
    default:
      break;
  }
}

int TXP::ScrollBarMinThumbLength(bool Vertical) const {
  HTHEME t = Theme(tciScrollBar);
  if (!t) return TSP::ScrollBarMinThumbLength(Vertical);
  // Asks the horizontal gripper for vertical bars and the vertical one for horizontal bars; the
  // answer is a floor of at least 8 either way.
  const int part = Vertical ? SBP_GRIPPERHORZ : SBP_GRIPPERVERT;
  TSize min, truth;
  if (!PartSize(t, nullptr, part, 1, TS_MIN, min)) return 8;
  int l = Vertical ? min.cy : min.cx;
  if (PartSize(t, nullptr, part, 1, TS_TRUE, truth)) l = std::max(l, (Vertical ? truth.cy : truth.cx) + 4);
  return std::max(l, 8);
}

TSize TXP::SizeGripSize() const {
  TSize s;
  if (HTHEME t = Theme(tciScrollBar))
    if (PartSize(t, nullptr, SBP_SIZEBOX, 1, TS_TRUE, s)) return s;
  return TSP::SizeGripSize();
}

void TXP::DrawSizeGripGlyph(TcxCanvas* ACanvas, const TRect& R) const {
  if (HTHEME t = Theme(tciScrollBar))
    UxDrawThemeBackground(t, DC(ACanvas), SBP_SIZEBOX, 1, R);
  else
    TSP::DrawSizeGripGlyph(ACanvas, R);
}

// ---- Header ---------------------------------------------------------------------------------------

void TXP::DrawColumnHeader(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxBorders Neighbours,
                           TcxBorders Sides, TcxButtonState State, TAlignment AlignmentHorz,
                           TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                           TFont* Font, TColor TextColor, TColor BackColor,
                           const TcxDrawBackgroundEvent& OnDrawBackground, bool Flag, bool SecondFlag) const {
  HTHEME t = Theme(tciHeader);
  if (!t) {
    TSP::DrawColumnHeader(ACanvas, Bounds, TextBounds, Neighbours, Sides, State, AlignmentHorz, AlignmentVert,
                          MultiLine, ShowEndEllipsis, Text, Font, TextColor, BackColor, OnDrawBackground, Flag,
                          SecondFlag);
    return;
  }
  const int state = HeaderState(State);
  const TdxOffice11ColorScheme scheme = CurrentOffice11ColorScheme();
  const int part =
      Flag && state == 1 && (scheme == ocsBlue || scheme == ocsOlive) ? HP_HEADERITEMRIGHT : HP_HEADERITEM;
  UxDrawThemeBackground(t, DC(ACanvas), part, state, Bounds);
  TRect text = TextBounds;
  if (State == cxbsPressed) text = TRect(text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1);
  DrawThemeCaption(ACanvas, t, part, state, Bounds, text, AlignmentHorz, AlignmentVert, MultiLine, ShowEndEllipsis,
                   false, Text, Font, TextColor, BackColor);
}

void TXP::DrawHeaderPressedEffect(TcxCanvas* ACanvas, const TRect& R) const {
  if (!Theme(tciHeader)) TSP::DrawHeaderPressedEffect(ACanvas, R);
}

void TXP::DrawHeaderSection(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxBorders Neighbours,
                            TcxBorders Sides, TcxButtonState State, TAlignment AlignmentHorz,
                            TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                            TFont* Font, TColor TextColor, TColor BackColor) const {
  if (!Theme(tciHeader)) {
    TSP::DrawHeaderSection(ACanvas, Bounds, TextBounds, Neighbours, Sides, State, AlignmentHorz, AlignmentVert,
                           MultiLine, ShowEndEllipsis, Text, Font, TextColor, BackColor);
    return;
  }
  ACanvas->FillRectWithColor(Bounds, clBtnFace);
  DrawColumnHeader(ACanvas, Bounds, TextBounds, Neighbours, Sides, State, AlignmentHorz, AlignmentVert, MultiLine,
                   ShowEndEllipsis, Text, Font, TextColor, BackColor, nullptr, false, false);
}

int TXP::HeaderFrameWidth() const {
  TRect cr;
  if (HTHEME t = Theme(tciHeader))
    if (Content100(t, HP_HEADERITEM, 1, cr)) return std::max((cr.Left + cr.Top) / 2, 1);
  return TSP::HeaderFrameWidth();
}

int TXP::HeaderSectionFrameWidth(TcxButtonState State) const {
  return Theme(tciHeader) ? HeaderFrameWidth() : TSP::HeaderSectionFrameWidth(State);
}

TRect TXP::HeaderSectionContentBounds(const TRect& Bounds, TcxButtonState State) const {
  return Theme(tciHeader) ? Deflated(Bounds, HeaderFrameWidth()) : TSP::HeaderSectionContentBounds(Bounds, State);
}

void TXP::DrawBlankHeader(TcxCanvas* ACanvas, TRect& R) const {
  if (HTHEME t = Theme(tciHeader))
    UxDrawThemeBackground(t, DC(ACanvas), HP_HEADERITEMLEFT, 1, R);
  else
    TSP::DrawBlankHeader(ACanvas, R);
}

// ---- Tab ------------------------------------------------------------------------------------------

void TXP::DrawTabItemFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorder Border, TcxBorders Sides,
                           bool Vertical) const {
  if (!Theme(tciTab)) TSP::DrawTabItemFrame(ACanvas, R, Border, Sides, Vertical);
}
bool TXP::CanDrawTabs(bool Vertical) const { return Theme(tciTab) ? true : TSP::CanDrawTabs(Vertical); }
bool TXP::HotTracksTabs(bool Vertical) const { return Theme(tciTab) ? true : TSP::HotTracksTabs(Vertical); }
int TXP::TabFrameWidth(bool Vertical) const { return Theme(tciTab) ? 1 : TSP::TabFrameWidth(Vertical); }

// ---- TreeView and ExplorerBar ---------------------------------------------------------------------

void TXP::DrawExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor Color) const {
  HTHEME t = Theme(tciTreeView);
  if (!t) {
    TSP::DrawExpandBox(ACanvas, R, Expanded, Color);
    return;
  }
  UxDrawThemeBackground(t, DC(ACanvas), TVP_GLYPH, Expanded ? GLPS_OPENED : GLPS_CLOSED, R);
  ACanvas->ExcludeRectFromClip(R);
}

void TXP::DrawSmallExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor BorderColor,
                             TColor Color) const {
  if (Theme(tciTreeView))
    DrawExpandBox(ACanvas, R, Expanded, clDefault);
  else
    TSP::DrawSmallExpandBox(ACanvas, R, Expanded, BorderColor, Color);
}

int TXP::ExpandBoxSize() const {
  TSize s;
  if (HTHEME t = Theme(tciTreeView))
    if (PartSize(t, nullptr, TVP_GLYPH, GLPS_OPENED, TS_TRUE, s)) return s.cx;
  return TSP::ExpandBoxSize();
}

void TXP::DrawGroupExpander(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TcxButtonState State) const {
  HTHEME t = Theme(tciExplorerBar);
  if (!t) {
    TSP::DrawGroupExpander(ACanvas, R, Expanded, State);
    return;
  }
  // Called with normal, hot and pressed only; anything else draws as normal.
  const int state = State == cxbsHot ? 2 : State == cxbsPressed ? 3 : 1;
  UxDrawThemeBackground(t, DC(ACanvas), Expanded ? EBP_NORMALGROUPEXPAND : EBP_NORMALGROUPCOLLAPSE, state, R);
}

int TXP::GroupExpanderSize() const {
  TSize s;
  if (HTHEME t = Theme(tciExplorerBar))
    if (PartSize(t, nullptr, EBP_NORMALGROUPCOLLAPSE, 1, TS_TRUE, s)) return s.cx;
  return TSP::GroupExpanderSize();
}

bool TXP::HitTestGroupExpander(const TRect& R, const TPoint& P) const {
  HTHEME t = Theme(tciExplorerBar);
  HRGN region = nullptr;
  if (!t || UxGetThemeBackgroundRegion(t, nullptr, EBP_NORMALGROUPCOLLAPSE, 2, R, region) != S_OK || !region)
    return TSP::HitTestGroupExpander(R, P);
  const bool inside = PtInRegion(region, P.X, P.Y);
  DeleteObject(region);
  return inside;
}

// ---- ListView, Edit, Window, ComboBox, ToolBar, Progress ------------------------------------------

int TXP::BorderWidth() const { return Theme(tciListView) ? 1 : TSP::BorderWidth(); }

void TXP::DrawControlBorder(TcxCanvas* ACanvas, const TRect& R) const {
  HTHEME t = Theme(tciListView);
  if (!t) {
    TSP::DrawControlBorder(ACanvas, R);
    return;
  }
  const int saved = SaveDC(DC(ACanvas));
  const TRect inner = Deflated(R, 1);
  ExcludeClipRect(DC(ACanvas), inner.Left, inner.Top, inner.Right, inner.Bottom);
  UxDrawThemeBackground(t, DC(ACanvas), LVP_LISTDETAIL, 0, R);
  RestoreDC(DC(ACanvas), saved);
}

void TXP::DrawFooterFrame(TcxCanvas* ACanvas, const TRect& R) const {
  if (HTHEME t = Theme(tciEdit))
    UxDrawThemeEdge(t, DC(ACanvas), 0, 0, R, BDR_RAISEDINNER, BF_RECT, nullptr);
  else
    TSP::DrawFooterFrame(ACanvas, R);
}
int TXP::FooterFrameWidth() const { return Theme(tciEdit) ? 1 : TSP::FooterFrameWidth(); }

void TXP::DrawFilterCloseGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  if (HTHEME t = Theme(tciWindow))
    UxDrawThemeBackground(t, DC(ACanvas), WP_SMALLCLOSEBUTTON, PlainState(State), R);
  else
    TSP::DrawFilterCloseGlyph(ACanvas, R, State);
}

TPoint TXP::FilterCloseGlyphSize() const {
  TSize s;
  if (HTHEME t = Theme(tciWindow))
    if (PartSize(t, nullptr, WP_SMALLCLOSEBUTTON, 1, TS_TRUE, s)) return TPoint(s.cx + 4, s.cy + 4);
  return TSP::FilterCloseGlyphSize();
}

TSize TXP::SmallCloseButtonSize() const {
  TSize s;
  if (HTHEME t = Theme(tciWindow))
    if (PartSize(t, nullptr, WP_SMALLCLOSEBUTTON, 1, TS_TRUE, s)) return s;
  return TSP::SmallCloseButtonSize();
}

void TXP::DrawFilterDropDownArrowButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Active) const {
  if (HTHEME t = Theme(tciComboBox))
    UxDrawThemeBackground(t, DC(ACanvas), CP_DROPDOWNBUTTON, PlainState(State), R);
  else
    TSP::DrawFilterDropDownArrowButton(ACanvas, R, State, Active);
}

TColor TXP::DefaultViewFrameColor() const {
  COLORREF c = 0;
  if (HTHEME t = Theme(tciComboBox))
    if (UxGetThemeColor(t, CP_DROPDOWNBUTTON, 1, TMT_BORDERCOLOR, c) == S_OK) return static_cast<TColor>(c);
  return TSP::DefaultViewFrameColor();
}

void TXP::DrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const {
  if (HTHEME t = Theme(tciToolBar))
    UxDrawThemeBackground(t, DC(ACanvas), Vertical ? TP_SEPARATOR : TP_SEPARATORVERT, 1, R);
  else
    TSP::DrawSeparator(ACanvas, R, Vertical);
}

void TXP::DrawEditorButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  if (HTHEME t = Theme(tciToolBar))
    UxDrawThemeBackground(t, DC(ACanvas), TP_BUTTON, EditorButtonState(State), R);
  else
    TSP::DrawEditorButtonFace(ACanvas, R, State);
}

void TXP::DrawProgressIndicator(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& ProgressRect,
                                const TcxPaintParams& Params, bool Framed) const {
  HTHEME t = Theme(tciProgress);
  if (!t) {
    TSP::DrawProgressIndicator(ACanvas, Bounds, ProgressRect, Params, Framed);
    return;
  }
  UxDrawThemeBackground(t, DC(ACanvas), PP_BAR, 0, Bounds);
  UxDrawThemeBackground(t, DC(ACanvas), PP_CHUNK, 0, ProgressRect);
}

// ---- TrackBar -------------------------------------------------------------------------------------

void TXP::TrackBarThumbBounds(TcxCanvas* ACanvas, TRect& R, bool Horizontal, int Shape) const {
  HTHEME t = Theme(tciTrackBar);
  TSize s;
  if (!t || UxGetThemePartSize(t, DC(ACanvas), TrackThumbPart(Horizontal, Shape), 1, &R, TS_DRAW, s) != S_OK) {
    TSP::TrackBarThumbBounds(ACanvas, R, Horizontal, Shape);
    return;
  }
  const int x = R.Left + (R.Right - R.Left - s.cx) / 2, y = R.Top + (R.Bottom - R.Top - s.cy) / 2;
  R = TRect(x, y, x + s.cx, y + s.cy);
}

void TXP::DrawTrackBarTrack(TcxCanvas* ACanvas, const TRect& R, const TRect& SelectionRect, bool ShowSelection,
                            bool Enabled, bool Horizontal, TColor Color) const {
  if (HTHEME t = Theme(tciTrackBar))
    UxDrawThemeBackground(t, DC(ACanvas), Horizontal ? TKP_TRACK : TKP_TRACKVERT, 1, R);
  else
    TSP::DrawTrackBarTrack(ACanvas, R, SelectionRect, ShowSelection, Enabled, Horizontal, Color);
}

void TXP::DrawTrackBarThumb(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Horizontal, int Shape,
                            TColor Color) const {
  if (HTHEME t = Theme(tciTrackBar))
    UxDrawThemeBackground(t, DC(ACanvas), TrackThumbPart(Horizontal, Shape), TrackThumbState(State), R);
  else
    TSP::DrawTrackBarThumb(ACanvas, R, State, Horizontal, Shape, Color);
}

// ---- themed text ----------------------------------------------------------------------------------

void TXP::DrawThemeCaption(TcxCanvas* ACanvas, HTHEME Theme, int Part, int State, const TRect&, const TRect& R,
                           TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine,
                           bool ShowEndEllipsis, bool ShowPrefix, const String& Text, TFont* Font, TColor TextColor,
                           TColor) const {
  if (Text.empty()) return;
  if (Font) ACanvas->AssignFont(Font);
  ACanvas->ActiveFont()->SetColor(TextColor);
  TRect r = R;
  DWORD flags = DT_EDITCONTROL;
  flags |= AlignmentHorz == taLeftJustify ? DT_LEFT : AlignmentHorz == taRightJustify ? DT_RIGHT : DT_CENTER;
  flags |= AlignmentVert == vaTop ? DT_TOP : AlignmentVert == vaBottom ? DT_BOTTOM : DT_VCENTER;
  if (ShowEndEllipsis) flags |= DT_END_ELLIPSIS;
  if (!ShowPrefix) flags |= DT_NOPREFIX;
  if (MultiLine) {
    flags |= DT_WORDBREAK;
    // Wrapped text is placed vertically by hand: DT_VCENTER and DT_BOTTOM act on single lines only.
    TRect measured = r;
    ACanvas->CalcTextRect(Text, measured, ltfWordBreak | ltfAlignLeft | ltfAlignTop);
    const int h = measured.Bottom - measured.Top;
    if (AlignmentVert == vaCenter) r.Top += std::max(0, (r.Bottom - r.Top - h) / 2);
    if (AlignmentVert == vaBottom) r.Top = std::max(r.Top, r.Bottom - h);
  } else {
    flags |= DT_SINGLELINE;
  }
  UxDrawThemeTextAnsi(Theme, DC(ACanvas), Part, State, Text, -1, flags, 0, r);
}
