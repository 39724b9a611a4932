#include "ui/foundation/OfficePainters.h"

#include <algorithm>

#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/ParentBackground.h"
#include "ui/foundation/ThemeManager.h"
#include "ui/foundation/WinXPPainter.h"

using namespace win;

using TUP = TcxUltraFlatLookAndFeelPainter;
using TOP = TcxOffice11LookAndFeelPainter;

const TcxUltraFlatLookAndFeelPainter* UltraFlatLookAndFeelPainter() {
  static const TcxUltraFlatLookAndFeelPainter instance;
  return &instance;
}

const TcxOffice11LookAndFeelPainter* Office11LookAndFeelPainter() {
  static const TcxOffice11LookAndFeelPainter instance;
  return &instance;
}

int ButtonStateToThemeState(TcxButtonState State) {
  switch (State) {
    case cxbsDefault: return 5;
    case cxbsHot: return 2;
    case cxbsPressed: return 3;
    case cxbsDisabled: return 4;
    default: return 1;
  }
}

namespace {

TRect Deflated(TRect R, int D) { return TRect(R.Left + D, R.Top + D, R.Right - D, R.Bottom - D); }
bool IsEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

COLORREF Rgb(TColor C) { return ColorToRGB(C); }

// P % of A over (100 - P) % of B, rounded per channel.
TColor MixRgb(COLORREF A, COLORREF B, int P) {
  auto ch = [&](int a, int b) { return static_cast<BYTE>(RoundHalfEven((a * P + b * (100 - P)) / 100.0)); };
  return static_cast<TColor>(RGB(ch(GetRValue(A), GetRValue(B)), ch(GetGValue(A), GetGValue(B)),
                                 ch(GetBValue(A), GetBValue(B))));
}

}  // namespace

// ---- ultra-flat -----------------------------------------------------------------------------------

TColor TUP::ButtonFrameColor(TcxButtonState State) const { return State == cxbsNormal ? clBtnShadow : clHighlight; }
TColor TUP::EdgeColor() const { return clBtnShadow; }
TColor TUP::DarkEdgeColor() const { return clBtnText; }
TColor TUP::HighlightedFrameColor() const { return clHighlight; }

TRect TUP::ButtonFocusBounds(TcxCanvas*, const TRect& R) const {
  const TRect r = Deflated(R, 3);
  return IsEmpty(r) ? R : r;
}

TRect TUP::ButtonGroupBorderWidths(int Count, int Index) const {
  TRect r(1, 2, 1, 2);
  if (Index == 0) ++r.Left;
  if (Index == Count - 1) ++r.Right;
  return r;
}

TcxBorders TUP::VisibleHeaderSides(TcxBorders Neighbours) const {
  TcxBorders sides = cxBordersAll;
  if (Neighbours.Contains(bLeft)) sides.Exclude(bLeft);
  if (Neighbours.Contains(bTop)) sides.Exclude(bTop);
  return sides;
}

TColor TUP::ButtonFaceColor(TcxButtonState State) const {
  if (State == cxbsHot) return HotTrackMixColor();
  if (State == cxbsPressed) return PressedMixColor();
  return clBtnFace;
}

TColor TUP::ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const {
  if (State == cxbsPressed) return clHighlightText;
  return TcxCustomLookAndFeelPainter::ButtonGlyphColor(State, DefaultColor);
}

void TUP::DrawButtonFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  if (State == cxbsDefault) {
    ACanvas->DrawSideFrame(R, clWindowFrame);
    ACanvas->DrawSideFrame(Deflated(R, 1), clWindowFrame);
    return;
  }
  ACanvas->DrawSideFrame(R, State == cxbsNormal ? clBtnText : State == cxbsDisabled ? clBtnShadow : clHighlight);
}

void TUP::DrawGroupedButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, int Count, int Index,
                            TColor FrameColor) const {
  TRect r = R;
  ++r.Top;
  --r.Bottom;
  const bool first = Index == 0, last = Index == Count - 1;
  if (first) ++r.Left;
  if (last) --r.Right;
  TRect inside = r;
  if (State == cxbsNormal || State == cxbsDisabled) {
    ACanvas->DrawSideFrame(r, FrameColor);
    inside = Deflated(r, 1);
  } else {
    // Neighbours share the highlighted line between them.
    if (!first) {
      ACanvas->FillRectWithColor(TRect(r.Left, r.Top, r.Left + 1, r.Bottom), HighlightedFrameColor());
      ++inside.Left;
    }
    if (!last) {
      ACanvas->FillRectWithColor(TRect(r.Right - 1, r.Top, r.Right, r.Bottom), HighlightedFrameColor());
      --inside.Right;
    }
  }
  ACanvas->FillRectWithColor(inside, ButtonFaceColor(State));
}

void TUP::DrawButtonGroupFrame(TcxCanvas* ACanvas, const TRect& R, bool Emphasized, bool Hot) const {
  ACanvas->DrawSideFrame(R, Emphasized ? clBtnText : Hot ? HighlightedFrameColor() : clBtnShadow);
}

void TUP::DrawEditorButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  DrawPushButton(ACanvas, R, "", State, State == cxbsHot || State == cxbsPressed, clDefault, clDefault, false, 0);
}

void TUP::DrawControlBorder(TcxCanvas* ACanvas, const TRect& R) const { ACanvas->DrawSideFrame(R, clBtnShadow); }

void TUP::DrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const {
  ACanvas->FillRectWithColor(SeparatorLineBounds(R, BorderWidth(), Vertical), clBtnShadow);
}

void TUP::DrawSeparatorBar(TcxCanvas* ACanvas, const TRect& R, const TcxPaintParams& Params, bool Horizontal) const {
  TRect rest;
  if (Horizontal) {
    ACanvas->FillRectWithColor(TRect(R.Left, R.Top, R.Right, R.Top + 1), DefaultViewFrameColor());
    ACanvas->FillRectWithColor(TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom), DefaultViewFrameColor());
    rest = TRect(R.Left - 1, R.Top + 1, R.Right + 1, R.Bottom - 1);
  } else {
    ACanvas->FillRectWithColor(TRect(R.Left, R.Top, R.Left + 1, R.Bottom), DefaultViewFrameColor());
    ACanvas->FillRectWithColor(TRect(R.Right - 1, R.Top, R.Right, R.Bottom), DefaultViewFrameColor());
    rest = TRect(R.Left + 1, R.Top - 1, R.Right - 1, R.Bottom + 1);
  }
  DrawFooterBackground(ACanvas, rest, Params);
}

void TUP::DrawExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor Color) const {
  ACanvas->DrawSideFrame(R, clBtnShadow);
  ACanvas->FillRectWithColor(Deflated(R, 1), Color == clDefault ? clBtnFace : Color);
  DrawExpandCross(ACanvas, R, Expanded, clBtnText);
  ACanvas->ExcludeRectFromClip(R);
}

void TUP::DrawCheckBoxFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  ACanvas->DrawSideFrame(R, clBtnText);
  ACanvas->DrawSideFrame(Deflated(R, 1), CheckBoxFaceColor(State));
}

void TUP::DrawColumnHeaderFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorders, TcxBorders Sides) const {
  TcxBorders sides{bRight, bBottom};
  if (Sides.Contains(bLeft)) sides.Include(bLeft);
  if (Sides.Contains(bTop)) sides.Include(bTop);
  ACanvas->DrawSideFrame(R, clBtnText, 1, sides);
}

void TUP::DrawColumnHeaderDirect(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds,
                                 TcxBorders Neighbours, TcxBorders Sides, TcxButtonState State,
                                 TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine,
                                 bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                                 TColor BackColor, const TcxDrawBackgroundEvent& OnDrawBackground) const {
  DrawCellContent(ACanvas, Bounds, Deflated(TextBounds, 1), State, AlignmentHorz, AlignmentVert, MultiLine,
                  ShowEndEllipsis, Text, Font, TextColor, BackColor, OnDrawBackground, false);
  DrawColumnHeaderFrame(ACanvas, Deflated(Bounds, 1), Neighbours, Sides);
}

void TUP::DrawHeaderSectionFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides, TcxButtonState State) const {
  ACanvas->DrawSideFrame(R, State == cxbsDisabled ? clBtnShadow : clBlack, 1, Sides);
}

void TUP::DrawHeaderSectionContent(TcxCanvas* ACanvas, const TRect& R, const TRect& TextBounds, TcxButtonState State,
                                   TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine,
                                   bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                                   TColor BackColor) const {
  const bool own = State == cxbsHot || State == cxbsPressed || State == cxbsDisabled;
  ACanvas->FillRectWithColor(R, own ? ButtonFaceColor(State) : BackColor);
  DrawHeaderSectionCaption(ACanvas, HeaderSectionTextBounds(TextBounds, State), State, AlignmentHorz, AlignmentVert,
                           MultiLine, ShowEndEllipsis, Text, Font, TextColor);
}

void TUP::DrawSortArrow(TcxCanvas* ACanvas, const TRect& R, bool Ascending) const {
  // The standard painter's triangle, in one colour.
  const TSize size = SortArrowSize();
  int cx = (R.Left + R.Right) / 2;
  if ((R.Right - R.Left) % 2 == 0) --cx;
  const int top = (R.Top + R.Bottom - size.cy) / 2, bottom = top + size.cy - 1;
  const int left = cx - size.cx / 2, right = left + size.cx - 1;
  const int apexY = Ascending ? top : bottom, baseY = Ascending ? bottom : top;
  TCanvas* c = ACanvas->Canvas();
  c->Pen()->SetColor(clBtnShadow);
  c->MoveTo(cx, apexY);
  c->LineTo(right, baseY);
  c->LineTo(left, baseY);
  c->LineTo(cx, apexY);
}

void TUP::DrawFooterPanel(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides) const {
  ACanvas->DrawSideFrame(R, DefaultFooterSeparatorColor(), FooterSeparatorWidth(), Sides);
}

void TUP::DrawFooterFrame(TcxCanvas* ACanvas, const TRect& R) const {
  DrawFooterPanel(ACanvas, R, TcxBorders{bRight, bBottom});
}

void TUP::DrawFooterCellFrame(TcxCanvas* ACanvas, const TRect& R) const {
  ACanvas->DrawSideFrame(R, DefaultFooterSeparatorColor());
}

void TUP::DrawFilterDropDownArrowButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Active) const {
  ACanvas->DrawSideFrame(R, ButtonFrameColor(State));
  ACanvas->FillRectWithColor(Deflated(R, 1), ButtonFaceColor(State));
  DrawDownArrowGlyph(ACanvas, R, Active ? static_cast<TColor>(0xFF0000) : ButtonGlyphColor(State, clDefault));
}

void TUP::DrawNavigationButtonFace(TcxCanvas* ACanvas, const TRect& R, const TRect& ContentRect, bool IsNext,
                                   TcxButtonState State) const {
  ACanvas->FillRectWithColor(R, clBtnFace);
  const TcxBorders sides = IsNext ? TcxBorders{bLeft, bTop, bBottom} : TcxBorders{bTop, bRight, bBottom};
  ACanvas->DrawSideFrame(R, State == cxbsHot ? EdgeColor() : DarkEdgeColor(), 1, sides);
  DrawNavigationButtonArrow(ACanvas, ContentRect, IsNext, ButtonGlyphColor(State, clDefault));
}

void TUP::DrawTabItemFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorder Border, TcxBorders, bool Vertical) const {
  const bool closing = Vertical ? Border == bBottom : Border == bRight;
  TRect r = R;
  if (closing && !Vertical) r.Bottom -= TabFrameWidth(Vertical);
  ACanvas->FillRectWithColor(r, closing ? DarkEdgeColor() : EdgeColor());
}

void TUP::DrawTabStripBase(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides, bool Vertical) const {
  ACanvas->DrawSideFrame(R, EdgeColor(), TabFrameWidth(Vertical), Sides);
}

void TUP::DrawScrollBarElement(TcxCanvas* ACanvas, bool Horizontal, const TRect& R, int Part,
                               TcxButtonState State) const {
  if (IsEmpty(R) || (Part == 3 && State == cxbsDisabled)) return;
  if (Part == 4 || Part == 5) {
    ACanvas->FillRectWithBitmap(R, ScrollBarPatternBitmap(State == cxbsPressed ? 1 : 0));
    ACanvas->ActiveBrush()->SetStyle(bsSolid);
    return;
  }
  if (Part < 1 || Part > 3) return;
  // Hot parts are drawn hot: the state goes in as it is.
  DrawPushButton(ACanvas, R, "", State, true, clDefault, clDefault, false, 0);
  if (Part == 3) return;
  const TcxArrowPointing pointing = Horizontal ? (Part == 1 ? adLeft : adRight) : (Part == 1 ? adUp : adDown);
  DrawArrowButtonGlyph(ACanvas, Deflated(R, ButtonBorderWidth(cxbsNormal)), State, pointing);
}

void TUP::DrawGroupBoxBorder(TcxCanvas* ACanvas, const TRect& R, bool Enabled, int, TcxBorders Sides) const {
  ACanvas->DrawSideFrame(R, Enabled ? clHighlight : clBtnShadow, 1, Sides, true);
}

void TUP::DrawTrackBarTrackFrame(TcxCanvas* ACanvas, const TRect& R) const {
  ACanvas->DrawSideFrame(R, TrackBarEdgeColor());
}

void TUP::DrawTrackBarPointedThumbEdges(TcxCanvas* ACanvas, const TcxPoints& LightEdge, const TcxPoints&,
                                        const TcxPoints& OuterDarkEdge) const {
  ACanvas->ActivePen()->SetColor(TrackBarEdgeColor());
  ACanvas->DrawPolyline(LightEdge.data(), static_cast<int>(LightEdge.size()) - 1);
  ACanvas->DrawPolyline(OuterDarkEdge.data(), static_cast<int>(OuterDarkEdge.size()) - 1);
}

void TUP::DrawTrackBarRectThumbEdges(TcxCanvas* ACanvas, const TRect& R) const {
  ACanvas->DrawSideFrame(R, TrackBarEdgeColor());
}

void TUP::DrawPreviewBackground(TcxCanvas* ACanvas, const TRect& R) const {
  const COLORREF s = Rgb(clBtnShadow);
  auto lighten = [](int c) { return static_cast<BYTE>(c + (255 - c) / 3); };
  ACanvas->FillRectWithColor(
      R, static_cast<TColor>(RGB(lighten(GetRValue(s)), lighten(GetGValue(s)), lighten(GetBValue(s)))));
}

// ---- Office-2003 ----------------------------------------------------------------------------------

TColor TOP::Office11LightColor() const { return Office11GradientDarkColor; }
TColor TOP::Office11ShadowColor() const { return Office11LineShadowColor; }
TColor TOP::Office11HighlightColor() const { return Office11LineHighlightColor; }
TColor TOP::Office11HeaderColor() const {
  return BlendColorsByPercent(Office11GradientLightColor, Office11GradientDarkColor, 50);
}

TColor TOP::DefaultViewFrameColor() const { return Office11ViewFrameColor; }
TColor TOP::DefaultFilterPanelColor() const { return Office11FilterPanelColor; }
TColor TOP::DefaultFilterPanelTextColor() const { return Office11FilterPanelTextColor; }
TColor TOP::DefaultColor22() const { return Office11FaceColor; }
TColor TOP::DefaultBlankHeaderColor() const { return Office11FaceColor; }
TColor TOP::DefaultColor77() const { return Office11FaceColor; }
TColor TOP::DefaultGroupByBoxColor() const { return Office11GroupByBoxColor; }
TColor TOP::DefaultGroupByBoxTextColor() const { return Office11GradientLightColor; }
TColor TOP::DefaultGroupRowColor() const { return Office11GroupRowColor; }
TColor TOP::DefaultCalendarSelectedDayColor() const { return Office11SelectedDayColor; }
TColor TOP::DefaultColor61() const { return Office11PanelFaceColor; }
TColor TOP::DefaultColor71() const { return Office11LightFaceColor; }
TColor TOP::SplitterLightColor(bool) const { return Office11LineHighlightColor; }
TColor TOP::SplitterEdgeColor(bool Highlighted) const {
  return Highlighted ? Office11HighlightFrameColor : Office11LineShadowColor;
}

TColor TOP::ButtonFaceColor(TcxButtonState State) const {
  switch (State) {
    case cxbsHot: return Office11HotColor;
    case cxbsPressed: return Office11PressedColor;
    case cxbsDisabled: return clBtnFace;
    default: return Office11FaceColor;
  }
}

TColor TOP::ButtonGlyphColor(TcxButtonState State, TColor) const {
  if (State == cxbsPressed && !AreOffice11ColorsThemed()) return clHighlightText;
  if (State == cxbsDisabled) return Office11DisabledArrowColor;
  return Office11ArrowColor;
}

TColor TOP::CheckBoxFaceColor(TcxButtonState State) const {
  if (State == cxbsHot || State == cxbsPressed || State == cxbsDisabled) return ButtonFaceColor(State);
  return TcxCustomLookAndFeelPainter::CheckBoxFaceColor(State);
}

void TOP::DrawButtonFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  if (State == cxbsDefault) {
    TcxUltraFlatLookAndFeelPainter::DrawButtonFrame(ACanvas, R, State);
    return;
  }
  ACanvas->DrawSideFrame(R, State == cxbsNormal     ? clBtnText
                            : State == cxbsDisabled ? Office11DisabledArrowColor
                                                    : Office11HighlightFrameColor);
}

TColor TOP::ButtonFrameColor(TcxButtonState State) const {
  return State == cxbsNormal ? Office11ShadowColor() : Office11HighlightFrameColor;
}
TColor TOP::EdgeColor() const { return Office11ShadowColor(); }
TColor TOP::HighlightedFrameColor() const { return Office11HighlightFrameColor; }

void TOP::DrawEditorButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  WinXPLookAndFeelPainter()->DrawEditorButtonFace(ACanvas, R, State);
}

void TOP::DrawControlBorder(TcxCanvas* ACanvas, const TRect& R) const {
  ACanvas->DrawSideFrame(R, Office11ControlBorderColor);
}

void TOP::DrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const {
  TRect strip = SeparatorLineBounds(R, 2, Vertical);
  strip.Right -= 1;
  strip.Bottom -= 1;
  ACanvas->FillRectWithColor(strip, Office11LineShadowColor);
  ACanvas->FillRectWithColor(TRect(strip.Left + 1, strip.Top + 1, strip.Right + 1, strip.Bottom + 1),
                             Office11LineHighlightColor);
}

void TOP::DrawViewFrame(TcxCanvas* ACanvas, const TRect& R) const {
  ACanvas->DrawSideFrame(R, DefaultViewFrameColor());
}

void TOP::DrawExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor) const {
  TBitmap* box = Expanded ? Office11ExpandButtonMinusBitmap : Office11ExpandButtonPlusBitmap;
  if (!box) return;
  // The corners take a quarter of the box's corner colour over what lies under the box now.
  TCanvas* under = ACanvas->Canvas();
  const COLORREF topLeft = under->Pixels(R.Left, R.Top) & 0xFFFFFF;
  const COLORREF bottomRight = under->Pixels(R.Right - 1, R.Bottom - 1) & 0xFFFFFF;
  TCanvas* c = box->Canvas();
  c->SetPixels(0, 0, MixRgb(Rgb(Office11ExpandBoxCornerColor), topLeft, 25));
  const TColor outer = MixRgb(Rgb(Office11ExpandBoxOuterCornerColor), bottomRight, 25);
  c->SetPixels(10, 10, outer);
  c->SetPixels(0, 10, outer);
  c->SetPixels(10, 0, outer);
  ACanvas->DrawGraphic(R.Left, R.Top, box);
}

void TOP::DrawSmallExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor, TColor Color) const {
  DrawExpandBox(ACanvas, R, Expanded, Color);
}

void TOP::DrawCellContent(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxButtonState State,
                          TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine,
                          bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor, TColor BackColor,
                          const TcxDrawBackgroundEvent& OnDrawBackground, bool Solid) const {
  const bool hot = State == cxbsHot;
  if (!OnDrawBackground || !OnDrawBackground(ACanvas, Bounds)) {
    const TColor face = hot ? Office11GradientLightColor : Office11HeaderColor();
    const TColor end = hot ? Office11GradientLightColor : Office11LightColor();
    const HDC dc = ACanvas->DeviceContext();
    if (Solid) {
      ACanvas->FillRectWithColor(Bounds, face);
    } else {
      ACanvas->FillRectWithColor(TRect(Bounds.Left, Bounds.Top, Bounds.Right, Bounds.Bottom - 3), face);
      PaintGradientRect(dc, TRect(Bounds.Left, std::max(Bounds.Top, Bounds.Bottom - 4), Bounds.Right, Bounds.Bottom),
                        face, end, false);
    }
  }
  TcxCustomLookAndFeelPainter::DrawCellContent(ACanvas, Bounds, TextBounds, State, AlignmentHorz, AlignmentVert,
                                               MultiLine, ShowEndEllipsis, Text, Font, TextColor, BackColor,
                                               [](TcxCanvas*, const TRect&) { return true; }, Solid);
  if (hot)
    PaintGradientRect(ACanvas->DeviceContext(), TRect(Bounds.Left - 1, Bounds.Bottom - 2, Bounds.Right, Bounds.Bottom + 1),
                      Office11HotColor, Office11HotLightColor, false);
}

void TOP::DrawColumnHeader(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxBorders Neighbours,
                           TcxBorders Sides, TcxButtonState State, TAlignment AlignmentHorz,
                           TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                           TFont* Font, TColor TextColor, TColor BackColor, const TcxDrawBackgroundEvent&, bool Flag,
                           bool SecondFlag) const {
  TcxCustomLookAndFeelPainter::DrawColumnHeader(ACanvas, Bounds, TextBounds, Neighbours, Sides, State, AlignmentHorz,
                                                AlignmentVert, MultiLine, ShowEndEllipsis, Text, Font, TextColor,
                                                BackColor, nullptr, Flag, SecondFlag);
}

void TOP::DrawColumnHeaderDirect(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds,
                                 TcxBorders Neighbours, TcxBorders Sides, TcxButtonState State,
                                 TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine,
                                 bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                                 TColor BackColor, const TcxDrawBackgroundEvent& OnDrawBackground) const {
  TcxCustomLookAndFeelPainter::DrawColumnHeaderDirect(ACanvas, Bounds, TextBounds, Neighbours, Sides, State,
                                                      AlignmentHorz, AlignmentVert, MultiLine, ShowEndEllipsis, Text,
                                                      Font, TextColor, BackColor, OnDrawBackground);
}

void TOP::DrawColumnHeaderFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorders Neighbours, TcxBorders Sides) const {
  const TColor H = Office11HeaderColor(), L = Office11LightColor();
  const TColor shadow = Office11ShadowColor(), highlight = Office11HighlightColor();
  const TColor quarter = MixRgb(Rgb(H), Rgb(L), 25);
  // Each side's column first, rows From to To exclusive, then the single pixels that round its
  // ends, so the pixel sequences stand as listed.
  auto column = [&](int x, int from, int to, TColor C) {
    if (to > from) ACanvas->FillRectWithColor(TRect(x, from, x + 1, to), C);
  };
  if (Sides.Contains(bTop)) ACanvas->FillRectWithColor(TRect(R.Left, R.Top, R.Right, R.Top + 1), H);
  if (Sides.Contains(bBottom)) ACanvas->FillRectWithColor(TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom), shadow);
  if (Sides.Contains(bLeft)) {
    if (Neighbours.Contains(bLeft)) {
      column(R.Left, R.Top + 2, R.Bottom - 3, highlight);
      ACanvas->PutPixel(R.Left, R.Top + 1, H);
      ACanvas->PutPixel(R.Left, R.Top + 2, H);
      ACanvas->PutPixel(R.Left, R.Bottom - 3, quarter);
      ACanvas->PutPixel(R.Left, R.Bottom - 2, L);
    } else {
      column(R.Left, R.Top + 1, R.Bottom - 2, highlight);
      ACanvas->PutPixel(R.Left, R.Top + 1, H);
      ACanvas->PutPixel(R.Left, R.Bottom - 2, L);
    }
  }
  if (Sides.Contains(bRight)) {
    const int x = R.Right - 1;
    if (Neighbours.Contains(bRight)) {
      column(x, R.Top + 2, R.Bottom - 3, shadow);
      ACanvas->PutPixel(x, R.Top + 1, H);
      ACanvas->PutPixel(x, R.Top + 2, H);
      ACanvas->PutPixel(x, R.Bottom - 3, quarter);
      ACanvas->PutPixel(x, R.Bottom - 2, L);
    } else {
      column(x, R.Top + 1, R.Bottom - 2, shadow);
      ACanvas->PutPixel(x, R.Top, MixRgb(Rgb(H), Rgb(shadow), 50));
      ACanvas->PutPixel(x, R.Bottom - 2, MixRgb(Rgb(L), Rgb(shadow), 50));
    }
  }
}

void TOP::DrawHeaderSection(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxBorders Neighbours,
                            TcxBorders Sides, TcxButtonState State, TAlignment AlignmentHorz,
                            TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                            TFont* Font, TColor TextColor, TColor BackColor) const {
  DrawColumnHeader(ACanvas, Bounds, TextBounds, Neighbours, Sides, State, AlignmentHorz, AlignmentVert, MultiLine,
                   ShowEndEllipsis, Text, Font, TextColor, BackColor, nullptr, false, false);
  if (State == cxbsPressed) DrawHeaderPressedEffect(ACanvas, Bounds);
}

void TOP::DrawSortArrow(TcxCanvas* ACanvas, const TRect& R, bool Ascending) const {
  const TSize size = SortArrowSize();
  int cx = (R.Left + R.Right) / 2;
  if ((R.Right - R.Left) % 2 == 0) --cx;
  const int top = (R.Top + R.Bottom - size.cy) / 2, bottom = top + size.cy - 1;
  const int left = cx - size.cx / 2, right = left + size.cx - 1;
  const int apexY = Ascending ? top : bottom, baseY = Ascending ? bottom : top;
  TCanvas* c = ACanvas->Canvas();
  c->Pen()->SetColor(Office11HighlightColor());
  c->MoveTo(cx, apexY);
  c->LineTo(right, baseY);
  c->Pen()->SetColor(Ascending ? Office11HighlightColor() : Office11ShadowColor());
  c->LineTo(left, baseY);
  c->Pen()->SetColor(Office11ShadowColor());
  c->LineTo(cx, apexY);
}

void TOP::DrawCalendarMonthHeader(TcxCanvas* ACanvas, const TRect& R, const String& Text, TcxBorders,
                                  const TcxPaintParams& Params, int Which, int ArrowOffset,
                                  const TcxDrawBackgroundEvent& OnDrawBackground) const {
  if (!OnDrawBackground || !OnDrawBackground(ACanvas, R)) DrawFooterBackground(ACanvas, R, Params);
  ACanvas->ActiveBrush()->SetStyle(bsClear);
  if (Params.Font) ACanvas->AssignFont(Params.Font);
  ACanvas->ActiveFont()->SetColor(Params.TextColor);
  ACanvas->DrawTextInRect(Text, Deflated(R, 1), ltfCenterHorz | ltfCenterVert | ltfSingleLine);
  ACanvas->ActiveBrush()->SetStyle(bsSolid);
  DrawMonthHeaderArrows(ACanvas, R, Which, ArrowOffset, clWindowText);
}

void TOP::DrawLayoutViewRecordCaption(TcxCanvas* ACanvas, const TRect& R, int Position, int State) const {
  DrawLayoutViewRecordCaptionFrame(ACanvas, R, State, cxBordersAll);
  DrawCellContent(ACanvas, R, R, static_cast<TcxButtonState>(State), taLeftJustify, vaTop, false, false, "", nullptr,
                  clDefault, clDefault, nullptr, Position == 0);
}

void TOP::DrawNavigationButtonFace(TcxCanvas* ACanvas, const TRect& R, const TRect& ContentRect, bool IsNext,
                                   TcxButtonState State) const {
  ACanvas->FillRectWithColor(R, State == cxbsHot       ? Office11HotColor
                                : State == cxbsPressed ? Office11PressedColor
                                                       : Office11FaceColor);
  const TcxBorders sides = IsNext ? TcxBorders{bLeft, bTop, bBottom} : TcxBorders{bTop, bRight, bBottom};
  ACanvas->DrawSideFrame(R, Office11ViewFrameColor, 1, sides);
  DrawNavigationButtonArrow(ACanvas, ContentRect, IsNext, ButtonGlyphColor(State, clDefault));
}

void TOP::DrawScrollBarElement(TcxCanvas* ACanvas, bool Horizontal, const TRect& R, int Part,
                               TcxButtonState State) const {
  if (HasVisualStyles({tciScrollBar}))
    WinXPLookAndFeelPainter()->DrawScrollBarElement(ACanvas, Horizontal, R, Part, State);
  else
    StandardLookAndFeelPainter()->DrawScrollBarElement(ACanvas, Horizontal, R, Part, State);
}

void TOP::DrawSizeGripGlyph(TcxCanvas* ACanvas, const TRect& R) const {
  PaintOffice11GripCorner(ACanvas->DeviceContext(), R, clDefault, clDefault);
}

void TOP::DrawGroupBoxBorder(TcxCanvas* ACanvas, const TRect& R, bool Enabled, int Extra, TcxBorders Sides) const {
  if (HasVisualStyles({tciButton}))
    WinXPLookAndFeelPainter()->DrawGroupBoxBorder(ACanvas, R, Enabled, Extra, Sides);
  else
    TcxUltraFlatLookAndFeelPainter::DrawGroupBoxBorder(ACanvas, R, Enabled, Extra, Sides);
}

TColor TOP::GroupBoxCaptionTextColor(bool Enabled, int CaptionPosition) const {
  if (HasVisualStyles({tciButton})) return WinXPLookAndFeelPainter()->GroupBoxCaptionTextColor(Enabled, CaptionPosition);
  return TcxCustomLookAndFeelPainter::GroupBoxCaptionTextColor(Enabled, CaptionPosition);
}

void TOP::DrawGroupBoxControlBackground(TcxCanvas* ACanvas, TControl* Control, const TRect& R, TColor StartColor,
                                        TColor EndColor) const {
  if (StartColor == clDefault) {
    if (Control) PaintParentBackground(Control, ACanvas, R, true);
  } else if (EndColor == clDefault) {
    ACanvas->FillRectWithColor(R, StartColor);
  } else {
    PaintGradientRect(ACanvas->DeviceContext(), R, StartColor, EndColor, false);
  }
}

void TOP::DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R) const {
  PaintGradientRect(ACanvas->DeviceContext(), R, Office11GradientLightColor, Office11GradientDarkColor, false);
}

void TOP::DrawBlankHeader(TcxCanvas* ACanvas, TRect& R) const {
  ACanvas->FillRectWithColor(R, DefaultBlankHeaderColor());
}
