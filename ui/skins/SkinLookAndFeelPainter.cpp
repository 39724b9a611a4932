#include "ui/skins/SkinLookAndFeelPainter.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/Gdi.h"
#include "ui/foundation/Bitmaps.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/Geometry.h"

using TSK = TdxSkinLookAndFeelPainter;
using TOP = TcxOffice11LookAndFeelPainter;

const TdxSkinLookAndFeelPainter* SkinLookAndFeelPainter() {
  static const TdxSkinLookAndFeelPainter instance;
  return &instance;
}

TdxSkinElementState SkinElementStateOf(TcxButtonState State) {
  switch (State) {
    case cxbsDefault:
      return esActive;
    case cxbsHot:
      return esHot;
    case cxbsPressed:
      return esPressed;
    case cxbsDisabled:
      return esDisabled;
    default:
      return esNormal;
  }
}

int SkinCheckImageIndexOf(TcxCheckBoxState State) {
  return State == cbsChecked ? 1 : State == cbsGrayed ? 2 : 0;
}

void DrawSkinElement(TcxCanvas* ACanvas, TdxSkinElement* Element, const TRect& R, int ImageIndex,
                     TdxSkinElementState State) {
  if (Element) Element->DrawOnDC(ACanvas->DeviceContext(), R, ImageIndex, State);
}

namespace {

bool IsValidColor(TColor C) { return C != clNone && C != clDefault; }
bool Present(const TdxSkinColor* C) { return C != nullptr; }
bool Valid(const TdxSkinColor* C) { return C && IsValidColor(C->Value()); }

TRect ContentOffsetOf(TdxSkinElement* E) { return E->ContentOffset()->Rect(); }
TSize ImageSizeOf(TdxSkinElement* E) { return TSize(E->ImageSize()); }

}  // namespace

// ---- the table --------------------------------------------------------------------------------------

TdxSkinLookAndFeelPainterInfo* TSK::SkinPainterInfo() const {
  TcxExtendedStylePainters* registry = ExtendedStylePainterRegistry();
  TObject* info = nullptr;
  if (!registry || !registry->InfoOfPainter(this, info)) return nullptr;
  return dynamic_cast<TdxSkinLookAndFeelPainterInfo*>(info);
}

String TSK::SkinUnitName() const { return "dxSkinsLookAndFeelPainter"; }

// ---- colours ----------------------------------------------------------------------------------------

// A skin-wide or group colour: the skin's value when the test passes, else the parent's answer.
#define VW_SKIN_COLOR(Op, Member, Test)             \
  TColor TSK::Op() const {                          \
    TdxSkinInfo* I = SkinPainterInfo();             \
    if (I && Test(I->Member)) return I->Member->Value(); \
    return TOP::Op();                               \
  }
// An element's Color or TextColor, present whenever the element is.
#define VW_ELEMENT_COLOR(Op, Element, Which)  \
  TColor TSK::Op() const {                    \
    TdxSkinInfo* I = SkinPainterInfo();       \
    if (I && I->Element) return I->Element->Which(); \
    return TOP::Op();                         \
  }
#define VW_ELEMENT_COLOR_VALID(Op, Element, Which)                             \
  TColor TSK::Op() const {                                                     \
    TdxSkinInfo* I = SkinPainterInfo();                                        \
    if (I && I->Element && IsValidColor(I->Element->Which())) return I->Element->Which(); \
    return TOP::Op();                                                          \
  }

VW_SKIN_COLOR(DefaultContentColor, SkinContentColor, Valid)
VW_SKIN_COLOR(DefaultColor24, SkinContentColor, Valid)
VW_SKIN_COLOR(DefaultCalculatorColor, SkinContentColor, Valid)
VW_SKIN_COLOR(DefaultColor58, SkinContentColor, Present)
VW_SKIN_COLOR(DefaultColor61, SkinContentColor, Present)
VW_SKIN_COLOR(DefaultContentEvenColor, SkinContentEvenColor, Valid)
VW_SKIN_COLOR(DefaultContentOddColor, SkinContentOddColor, Valid)
VW_SKIN_COLOR(DefaultContentTextColor, SkinContentTextColor, Valid)
VW_SKIN_COLOR(DefaultHyperlinkTextColor, EditorsHyperLinkTextColor, Valid)
VW_SKIN_COLOR(DefaultHeaderBackgroundColor, SkinHeaderBackgroundColor, Present)
VW_SKIN_COLOR(DefaultHeaderBackgroundTextColor, SkinHeaderBackgroundTextColor, Present)
VW_SKIN_COLOR(DefaultCalendarDayTextColor, EditorsCalendarDayTextColor, Valid)
VW_SKIN_COLOR(DefaultCalendarHolidayTextColor, EditorsCalendarHolidayTextColor, Valid)
VW_SKIN_COLOR(DefaultCalendarInactiveDayTextColor, EditorsCalendarInactiveDayTextColor, Valid)
VW_SKIN_COLOR(DefaultCalendarSelectedDayColor, EditorsCalendarSelectedDayColor, Valid)
VW_SKIN_COLOR(DefaultCalendarSelectedDayTextColor, EditorsCalendarSelectedDayTextColor, Valid)
VW_SKIN_COLOR(DefaultCalendarSeparatorColor, EditorsCalendarSeparatorColor, Valid)
VW_SKIN_COLOR(DefaultCalendarTodayFrameColor, EditorsCalendarTodayFrameColor, Valid)
VW_SKIN_COLOR(DefaultCalendarTodayTextColor, EditorsCalendarTodayTextColor, Valid)
VW_SKIN_COLOR(DefaultViewFrameColor, SkinContainerBorderColor, Present)
VW_SKIN_COLOR(DefaultSchedulerNavigatorColor, SchedulerNavigatorColor, Present)
VW_SKIN_COLOR(DefaultSelectionColor, SkinSelectionColor, Present)
VW_SKIN_COLOR(DefaultSelectionTextColor, SkinSelectionTextColor, Present)
VW_SKIN_COLOR(DefaultLayoutControlColor, SkinLayoutControlColor, Present)
VW_SKIN_COLOR(DefaultOffice11GroupRowSeparatorColor, GridGroupRowOffice11SeparatorColor, Present)
VW_SKIN_COLOR(DefaultOffice11GroupRowTextColor, GridGroupRowOffice11TextColor, Present)

VW_ELEMENT_COLOR(DefaultFilterPanelTextColor, GridGridFilterPanel, TextColor)
VW_ELEMENT_COLOR(DefaultFixedLineColor, GridGridFixedLine, Color)
VW_ELEMENT_COLOR(DefaultFixedGridLineColor, GridGridFixedLine, Color)
VW_ELEMENT_COLOR(DefaultGridLineColor, GridGridLine, Color)
VW_ELEMENT_COLOR(DefaultGroupByBoxTextColor, GridGridGroupPanel, TextColor)
VW_ELEMENT_COLOR(DefaultGroupRowColor, GridGroupRow, Color)
VW_ELEMENT_COLOR(DefaultGroupRowTextColor, GridGroupRow, TextColor)
VW_ELEMENT_COLOR(DefaultCardSeparatorColor, GridCardSeparator, Color)
VW_ELEMENT_COLOR(DefaultHeaderColor, CommonHeader, Color)
VW_ELEMENT_COLOR(DefaultHeaderTextColor, CommonHeader, TextColor)
VW_ELEMENT_COLOR(DefaultBandBorderColor, VerticalGridBandBorder, Color)
VW_ELEMENT_COLOR(DefaultCategoryColor, VerticalGridCategory, Color)
VW_ELEMENT_COLOR(DefaultCategoryTextColor, VerticalGridCategory, TextColor)
VW_ELEMENT_COLOR(DefaultRowHeaderColor, VerticalGridRowHeader, Color)
VW_ELEMENT_COLOR(DefaultRowHeaderTextColor, VerticalGridRowHeader, TextColor)
VW_ELEMENT_COLOR(DefaultVerticalGridLineColor, VerticalGridGridLine, Color)
VW_ELEMENT_COLOR(DefaultAppointmentTextColor, SchedulerAppointment, TextColor)
VW_ELEMENT_COLOR(EditButtonCaptionColor, EditorsEditorButton, TextColor)
VW_ELEMENT_COLOR(GroupBoxPanelTextColor, CommonGroupPanelNoBorder, TextColor)
VW_ELEMENT_COLOR_VALID(DefaultGroupPanelColor, GridGridGroupPanel, Color)
VW_ELEMENT_COLOR_VALID(DefaultGroupPanelTextColor, GridGridGroupPanel, TextColor)
VW_ELEMENT_COLOR_VALID(DefaultSchedulerRulerColor, SchedulerRuler, Color)
VW_ELEMENT_COLOR_VALID(DefaultSchedulerRulerTextColor, SchedulerRuler, TextColor)
VW_ELEMENT_COLOR_VALID(DefaultTimeGridHeaderTextColor, SchedulerTimeGridHeader, TextColor)

#undef VW_SKIN_COLOR
#undef VW_ELEMENT_COLOR
#undef VW_ELEMENT_COLOR_VALID

// The aliases ask the painter class they are called on, so a derived skin painter that changes
// the target changes them too.
TColor TSK::DefaultColor22() const { return DefaultHeaderColor(); }
TColor TSK::DefaultBlankHeaderColor() const { return DefaultHeaderColor(); }
TColor TSK::HeaderTextColorForState(bool) const { return DefaultHeaderTextColor(); }
TColor TSK::DefaultLinkTextColor() const { return DefaultHyperlinkTextColor(); }
TColor TSK::DefaultSelectedAppointmentTextColor() const { return DefaultAppointmentTextColor(); }
TColor TSK::DefaultTextColor78() const { return DefaultTimeGridHeaderTextColor(); }
TColor TSK::DefaultFooterSeparatorColor() const { return DefaultGridLineColor(); }

TColor TSK::DefaultCalendarBackgroundColor() const { return clNone; }

TColor TSK::DefaultEditorBackgroundColorOfKind(int Kind) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (I && Kind >= 0 && Kind < 4 && Valid(I->EditorsBackgroundColors[Kind]))
    return I->EditorsBackgroundColors[Kind]->Value();
  // Inactive and read-only editors look like normal ones unless the skin says otherwise.
  if (I && (Kind == 2 || Kind == 3)) return DefaultEditorBackgroundColorOfKind(0);
  return TOP::DefaultEditorBackgroundColorOfKind(Kind);
}

TColor TSK::DefaultEditorTextColorOfKind(int Kind) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (I && Kind >= 0 && Kind < 4 && Valid(I->EditorsTextColors[Kind])) return I->EditorsTextColors[Kind]->Value();
  if (I && (Kind == 2 || Kind == 3)) return DefaultEditorTextColorOfKind(0);
  return TOP::DefaultEditorTextColorOfKind(Kind);
}

TColor TSK::DefaultSizeGripAreaColor() const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (I && I->FormFormContent && I->FormFormContent->Color() != clDefault) return I->FormFormContent->Color();
  return TOP::DefaultSizeGripAreaColor();
}

TColor TSK::DefaultOffice11GroupRowColor(bool UseWindowColor) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (I && I->GridGroupRowOffice11ContentColor) return I->GridGroupRowOffice11ContentColor->Value();
  return TOP::DefaultOffice11GroupRowColor(UseWindowColor);
}

TColor TSK::CalcButtonTextColor(int Kind) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (I && Kind >= 0 && Kind < 28 && Valid(I->EditorsCalcEditTextColors[Kind]))
    return I->EditorsCalcEditTextColors[Kind]->Value();
  return TOP::CalcButtonTextColor(Kind);
}

TColor TSK::ContainerFrameColor(bool Highlighted) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinColor* c = I ? (Highlighted ? I->SkinContainerHighlightBorderColor : I->SkinContainerBorderColor) : nullptr;
  return c ? c->Value() : TOP::ContainerFrameColor(Highlighted);
}

TColor TSK::ProgressBarTextColor(bool OverFilledPart) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinColor* c =
      I ? (OverFilledPart ? I->EditorsProgressBarFilledTextColor : I->EditorsProgressBarEmptyTextColor) : nullptr;
  return Valid(c) ? c->Value() : TOP::ProgressBarTextColor(OverFilledPart);
}

// ---- borders and buttons ----------------------------------------------------------------------------

void TSK::DrawControlBorder(TcxCanvas* ACanvas, const TRect& R) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->SkinContainerBorderColor) return TOP::DrawControlBorder(ACanvas, R);
  ACanvas->DrawSideFrame(R, I->SkinContainerBorderColor->Value(), 1, cxBordersAll);
}

void TSK::DrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !(Vertical ? I->EditorsLabelLineVert : I->EditorsLabelLine)) return TOP::DrawSeparator(ACanvas, R, Vertical);
  DrawLabelLine(ACanvas, SeparatorLineBounds(R, 2, Vertical), clDefault, clDefault, Vertical);
}

int TSK::ButtonBorderWidth(TcxButtonState State) const {
  TdxSkinInfo* I = SkinPainterInfo();
  return I && I->CommonButton ? 0 : TOP::ButtonBorderWidth(State);
}

TRect TSK::ButtonGroupBorderWidths(int Count, int Index) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->EditorsEditorButton) return TOP::ButtonGroupBorderWidths(Count, Index);
  const TSize image = ImageSizeOf(I->EditorsEditorButton), inner = NavigatorButtonMinSize();
  const int dx = (image.cx - inner.cx) / 2, dy = (image.cy - inner.cy) / 2;
  return TRect(dx, dy, dx, dy);
}

TColor TSK::ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->CommonButton) return TOP::ButtonGlyphColor(State, DefaultColor);
  if (State == cxbsDisabled && I->CommonButtonDisabledText) return I->CommonButtonDisabledText->Value();
  return I->CommonButton->TextColor();
}

void TSK::DrawPushButton(TcxCanvas* ACanvas, const TRect& R, const String& Caption, TcxButtonState State,
                         bool DrawBorder, TColor FaceColor, TColor TextColor, bool WordWrap,
                         int ThemeClassKind) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->CommonButton)
    return TOP::DrawPushButton(ACanvas, R, Caption, State, DrawBorder, FaceColor, TextColor, WordWrap,
                               ThemeClassKind);
  DrawSkinElement(ACanvas, I->CommonButton, R, 0, SkinElementStateOf(State));
  TRect r = RectWithinMargins(R, ContentOffsetOf(I->CommonButton));
  if (TextColor == clDefault) TextColor = ButtonGlyphColor(State, TextColor);
  ACanvas->ActiveFont()->SetColor(TextColor);
  ACanvas->ActiveBrush()->SetStyle(bsClear);
  // An even text height centres the caption the same way in every state; short buttons lift it.
  if (HeightOfRect(r) % 2 != 0) --r.Bottom;
  if (HeightOfRect(r) < 18) --r.Top;
  if (State == cxbsPressed) {
    const int s = ButtonPressedShift();
    r = ShiftRect(r, s, s, true);
  }
  if (!Caption.empty())
    ACanvas->DrawTextInRect(Caption, r,
                            ltfCenterHorz | ltfCenterVert | ltfShowPrefix | (WordWrap ? ltfWordBreak : ltfSingleLine),
                            State != cxbsDisabled);
  ACanvas->ActiveBrush()->SetStyle(bsSolid);
}

void TSK::DrawGroupedButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, int Count, int Index,
                            TColor FrameColor) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->EditorsEditorButton || !I->EditorsCloseButton)
    return TOP::DrawGroupedButton(ACanvas, R, State, Count, Index, FrameColor);
  DrawEditButton(ACanvas, R, State, bkEditor, cxbpRight);
}

void TSK::DrawButtonGroupFrame(TcxCanvas* ACanvas, const TRect& R, bool Emphasized, bool Hot) const {
  if (!SkinPainterInfo()) TOP::DrawButtonGroupFrame(ACanvas, R, Emphasized, Hot);
}

void TSK::DrawEditButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, TcxEditButtonGlyphKind Kind,
                         TcxEditBtnPosition Position) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->EditorsCloseButton || !I->EditorsEditorButton)
    return TOP::DrawEditButton(ACanvas, R, State, Kind, Position);
  ACanvas->PushClipRegion();
  ACanvas->ClipToRect(R);
  TdxSkinElement* button = Kind == bkClose ? I->EditorsCloseButton : I->EditorsEditorButton;
  const bool merge = I->EditorsEditorButtonMergeBorders;
  TRect r = R;
  // The button's own border then lies over the editor's, outside the clip.
  if (merge) r = GrowRectSides(r, Position == cxbpLeft ? 1 : 0, 1, Position == cxbpRight ? 1 : 0, 1);
  DrawSkinElement(ACanvas, button, r, 0, SkinElementStateOf(State));
  TRect glyph = RectWithinMargins(r, ContentOffsetOf(button));
  if (merge) {
    if (Position == cxbpLeft)
      glyph.Left = r.Left + 1;
    else
      glyph.Right = r.Right - 1;
  }
  if (Kind == bkEllipsis) {
    const int d = WidthOfRect(glyph) < 12 ? 1 : 2;
    const TRect dots = CenterExtentInRect(glyph, 3 * d + 4, d);
    const TColor color = I->EditorsEditorButton->TextColor();
    for (int i = 0; i < 3; ++i) {
      const int x = dots.Left + i * (d + 2);
      ACanvas->FillRectWithColor(TRect(x, dots.Top, x + d, dots.Top + d), color);
    }
  } else if (TdxSkinElement* g = I->EditorsButtonGlyphs[Kind]) {
    // The glyph does not follow the button's state: only the button's background does.
    g->Glyph()->DrawOnDC(ACanvas->DeviceContext(), glyph, 0, esNormal);
  }
  ACanvas->PopClipRegion();
}

int TSK::EditButtonCaptionOffset() const { return SkinPainterInfo() ? 1 : TOP::EditButtonCaptionOffset(); }

TSize TSK::EditButtonMinSize() const {
  TdxSkinInfo* I = SkinPainterInfo();
  return I && I->EditorsEditorButton ? ImageSizeOf(I->EditorsEditorButton) : TOP::EditButtonMinSize();
}

void TSK::DrawExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor Color) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->GridPlusMinus) return TOP::DrawExpandBox(ACanvas, R, Expanded, Color);
  DrawSkinElement(ACanvas, I->GridPlusMinus, R, Expanded ? 1 : 0);
}

void TSK::DrawSmallExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor BorderColor,
                             TColor Color) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->GridPlusMinus) return TOP::DrawSmallExpandBox(ACanvas, R, Expanded, BorderColor, Color);
  DrawSkinElement(ACanvas, I->GridPlusMinus, R, Expanded ? 1 : 0);
}

void TSK::DrawRotatedGroupExpander(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Expanded,
                                   int Position) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->GridPlusMinus) return TOP::DrawRotatedGroupExpander(ACanvas, R, State, Expanded, Position);
  DrawExpandBox(ACanvas, R, Expanded, clDefault);
}

int TSK::ExpandBoxSize() const {
  TdxSkinInfo* I = SkinPainterInfo();
  return I && I->GridPlusMinus ? ImageSizeOf(I->GridPlusMinus).cy : TOP::ExpandBoxSize();
}

TSize TSK::CheckBoxSize() const {
  TdxSkinInfo* I = SkinPainterInfo();
  return I && I->EditorsCheckbox ? ImageSizeOf(I->EditorsCheckbox) : TOP::CheckBoxSize();
}

void TSK::DrawCheckBox(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State,
                       TcxCheckBoxState CheckState) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->EditorsCheckbox) return TOP::DrawCheckBox(ACanvas, R, State, CheckState);
  DrawSkinElement(ACanvas, I->EditorsCheckbox, R, SkinCheckImageIndexOf(CheckState), SkinElementStateOf(State));
}

void TSK::DrawRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState State, bool Checked, bool Focused,
                          TColor BackColor, bool IsDesigning) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->EditorsRadioButton)
    return TOP::DrawRadioButton(ACanvas, X, Y, State, Checked, Focused, BackColor, IsDesigning);
  const TSize size = ImageSizeOf(I->EditorsRadioButton);
  const TRect r(X, Y, X + size.cx, Y + size.cy);
  if (BackColor != clDefault) ACanvas->FillRectWithColor(r, BackColor);
  DrawSkinElement(ACanvas, I->EditorsRadioButton, r, Checked ? 1 : 0, SkinElementStateOf(State));
}

TSize TSK::RadioButtonGlyphSize() const {
  TdxSkinInfo* I = SkinPainterInfo();
  return I && I->EditorsRadioButton ? ImageSizeOf(I->EditorsRadioButton) : TOP::RadioButtonGlyphSize();
}

void TSK::DrawLabelLine(TcxCanvas* ACanvas, const TRect& R, TColor ShadowColor, TColor HighlightColor,
                        bool Vertical) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e = I ? (Vertical ? I->EditorsLabelLineVert : I->EditorsLabelLine) : nullptr;
  if (!e) return TOP::DrawLabelLine(ACanvas, R, ShadowColor, HighlightColor, Vertical);
  DrawSkinElement(ACanvas, e, R);
}

int TSK::LabelLineThickness() const {
  TdxSkinInfo* I = SkinPainterInfo();
  return I && I->EditorsLabelLine ? I->EditorsLabelLine->MinSize()->CurrentSize().cy : TOP::LabelLineThickness();
}

// ---- headers and cells ------------------------------------------------------------------------------

void TSK::DrawCellContent(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxButtonState State,
                          TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine,
                          bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor, TColor BackColor,
                          const TcxDrawBackgroundEvent& OnDrawBackground, bool Solid) const {
  // The header element is what stands under the text instead of a fill.
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->CommonHeader)
    return TOP::DrawCellContent(ACanvas, Bounds, TextBounds, State, AlignmentHorz, AlignmentVert, MultiLine,
                                ShowEndEllipsis, Text, Font, TextColor, BackColor, OnDrawBackground, Solid);
  if (Text.empty()) return;
  ACanvas->ActiveBrush()->SetStyle(bsClear);
  if (Font) ACanvas->AssignFont(Font);
  ACanvas->ActiveFont()->SetColor(TextColor);
  LibraryTextFlags flags = AlignmentHorz == taLeftJustify    ? ltfAlignLeft
                           : AlignmentHorz == taRightJustify ? ltfAlignRight
                                                             : ltfCenterHorz;
  flags |= AlignmentVert == vaTop ? ltfAlignTop : AlignmentVert == vaBottom ? ltfAlignBottom : ltfCenterVert;
  flags |= MultiLine ? ltfWordBreak : ltfSingleLine;
  if (ShowEndEllipsis) flags |= ltfEndEllipsis;
  ACanvas->DrawTextInRect(Text, TextBounds, flags, true);
  ACanvas->ActiveBrush()->SetStyle(bsSolid);
}

void TSK::DrawColumnHeader(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxBorders Neighbours,
                           TcxBorders Sides, TcxButtonState State, TAlignment AlignmentHorz,
                           TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                           TFont* Font, TColor TextColor, TColor BackColor,
                           const TcxDrawBackgroundEvent& OnDrawBackground, bool Flag, bool Special) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e = I ? (Special ? I->CommonHeaderSpecial : I->CommonHeader) : nullptr;
  if (!e)
    return TOP::DrawColumnHeader(ACanvas, Bounds, TextBounds, Neighbours, Sides, State, AlignmentHorz,
                                 AlignmentVert, MultiLine, ShowEndEllipsis, Text, Font, TextColor, BackColor,
                                 OnDrawBackground, Flag, Special);
  ACanvas->PushClipRegion();
  ACanvas->ClipToRect(Bounds);
  // A hidden side's border falls outside the clip, so neighbours share one line.
  const TRect r = GrowRectSides(Bounds, Sides.Contains(bLeft) ? 0 : 1, Sides.Contains(bTop) ? 0 : 1,
                                Sides.Contains(bRight) ? 0 : 1, Sides.Contains(bBottom) ? 0 : 1);
  DrawSkinElement(ACanvas, e, r, 0, SkinElementStateOf(State));
  ACanvas->PopClipRegion();
  DrawCellContent(ACanvas, HeaderContentBounds(Bounds, Sides), TextBounds, State, AlignmentHorz, AlignmentVert,
                  MultiLine, ShowEndEllipsis, Text, Font, TextColor, BackColor, OnDrawBackground, false);
}

void TSK::DrawColumnHeaderDirect(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds,
                                 TcxBorders Neighbours, TcxBorders Sides, TcxButtonState State,
                                 TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine,
                                 bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                                 TColor BackColor, const TcxDrawBackgroundEvent& OnDrawBackground) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->CommonHeader)
    return TOP::DrawColumnHeaderDirect(ACanvas, Bounds, TextBounds, Neighbours, Sides, State, AlignmentHorz,
                                       AlignmentVert, MultiLine, ShowEndEllipsis, Text, Font, TextColor, BackColor,
                                       OnDrawBackground);
  DrawColumnHeader(ACanvas, Bounds, TextBounds, Neighbours, Sides, State, AlignmentHorz, AlignmentVert, MultiLine,
                   ShowEndEllipsis, Text, Font, TextColor, BackColor, nullptr, false, false);
}

void TSK::DrawHeaderDivider(TcxCanvas* ACanvas, const TRect& Bounds, int IndentSize, TColor Color,
                            const TcxPaintParams& Params) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->SkinHeaderBackgroundColor) return TOP::DrawHeaderDivider(ACanvas, Bounds, IndentSize, Color, Params);
  ACanvas->FillRectWithColor(TRect(Bounds.Left + IndentSize, Bounds.Top, Bounds.Right - IndentSize, Bounds.Bottom),
                             I->SkinHeaderBackgroundColor->Value());
}

TcxBorders TSK::VisibleHeaderSides(TcxBorders Neighbours) const {
  TcxBorders sides = TOP::VisibleHeaderSides(Neighbours);
  if (!SkinPainterInfo()) return sides;
  if (Neighbours.Contains(bLeft)) sides.Exclude(bLeft);
  if (Neighbours.Contains(bTop)) sides.Exclude(bTop);
  return sides;
}

bool TSK::HeaderIsOpaque() const { return SkinPainterInfo() ? false : TOP::HeaderIsOpaque(); }

bool TSK::IsHeaderElementOpaque() const {
  TdxSkinInfo* I = SkinPainterInfo();
  return I && I->CommonHeader ? !I->CommonHeader->NeedsAlphaBlend() : TOP::IsHeaderElementOpaque();
}

void TSK::DrawBlankHeader(TcxCanvas* ACanvas, TRect& R) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->CommonHeader) return TOP::DrawBlankHeader(ACanvas, R);
  const TRect r = GrowRectSides(R, 1, 0, 1, 0);
  DrawColumnHeader(ACanvas, r, r, TcxBorders(), cxBordersAll, cxbsNormal, taLeftJustify, vaCenter, false, false, "",
                   nullptr, clDefault, clDefault, nullptr, false, false);
}

void TSK::DrawCalendarMonthHeader(TcxCanvas* ACanvas, const TRect& R, const String& Text, TcxBorders Neighbours,
                                  const TcxPaintParams& Params, int Which, int ArrowOffset,
                                  const TcxDrawBackgroundEvent& OnDrawBackground) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->CommonHeader)
    return TOP::DrawCalendarMonthHeader(ACanvas, R, Text, Neighbours, Params, Which, ArrowOffset, OnDrawBackground);
  DrawColumnHeader(ACanvas, R, R, Neighbours, VisibleHeaderSides(Neighbours), cxbsNormal, taCenter, vaCenter, false,
                   false, Text, Params.Font, Params.TextColor, Params.Color, OnDrawBackground, false, false);
  DrawMonthHeaderArrows(ACanvas, R, Which, ArrowOffset, HeaderTextColorForState(false));
}

// ---- grid, footer, filter and layout-view parts -----------------------------------------------------

void TSK::DrawGroupByBoxBackground(TcxCanvas* ACanvas, const TRect& R, bool Transparent, TColor Color,
                                   TBitmap* Bitmap) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->GridGridGroupPanel) return TOP::DrawGroupByBoxBackground(ACanvas, R, Transparent, Color, Bitmap);
  DrawSkinElement(ACanvas, I->GridGridGroupPanel, R);
}

void TSK::DrawFilterPanelBackground(TcxCanvas* ACanvas, const TRect& R, bool Transparent, TColor Color,
                                    TBitmap* Bitmap) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->GridGridFilterPanel) return TOP::DrawFilterPanelBackground(ACanvas, R, Transparent, Color, Bitmap);
  DrawSkinElement(ACanvas, I->GridGridFilterPanel, R);
}

void TSK::DrawFilterDropDownArrowButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State,
                                        bool Active) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e = I ? (Active ? I->GridFilterButtonActive : I->GridFilterButton) : nullptr;
  if (!e) return TOP::DrawFilterDropDownArrowButton(ACanvas, R, State, Active);
  DrawSkinElement(ACanvas, e, R, 0, SkinElementStateOf(State));
}

void TSK::DrawFilterCloseGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->EditorsCloseButton) return TOP::DrawFilterCloseGlyph(ACanvas, R, State);
  DrawSkinElement(ACanvas, I->EditorsCloseButton, R, 0, SkinElementStateOf(State));
}

TPoint TSK::FilterCloseGlyphSize() const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->EditorsCloseButton) return TOP::FilterCloseGlyphSize();
  const TSize s = ImageSizeOf(I->EditorsCloseButton);
  return TPoint(s.cx, s.cy);
}

TSize TSK::SmallCloseButtonSize() const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->PageControlTabHeaderCloseButton) return TOP::SmallCloseButtonSize();
  return I->PageControlTabHeaderCloseButton->MinSize()->CurrentSize();
}

void TSK::DrawSmallCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->PageControlTabHeaderCloseButton) return TOP::DrawSmallCloseButton(ACanvas, R, State);
  DrawSkinElement(ACanvas, I->PageControlTabHeaderCloseButton, R, 0, SkinElementStateOf(State));
}

void TSK::DrawFooterPanel(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->GridFooterPanel) return TOP::DrawFooterFrame(ACanvas, R);
  const TRect co = ContentOffsetOf(I->GridFooterPanel);
  const int separator = FooterSeparatorWidth();
  ACanvas->PushClipRegion();
  ACanvas->ExcludeRectFromClip(RectWithinMargins(R, TRect(co.Left, separator, co.Right, co.Bottom)));
  const TRect r = GrowRectSides(R, Sides.Contains(bLeft) ? 0 : co.Left, Sides.Contains(bTop) ? 0 : separator,
                                Sides.Contains(bRight) ? 0 : co.Right, Sides.Contains(bBottom) ? 0 : co.Bottom);
  DrawSkinElement(ACanvas, I->GridFooterPanel, r);
  ACanvas->PopClipRegion();
}

void TSK::DrawFooterFrame(TcxCanvas* ACanvas, const TRect& R) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->GridFooterPanel) return TOP::DrawFooterFrame(ACanvas, R);
  const TRect co = ContentOffsetOf(I->GridFooterPanel);
  ACanvas->PushClipRegion();
  ACanvas->ExcludeRectFromClip(TRect(R.Left, R.Top, R.Right - co.Right, R.Bottom - co.Bottom));
  ACanvas->ExcludeRectFromClip(TRect(R.Left, R.Top - 1, R.Right, R.Top));
  DrawSkinElement(ACanvas, I->GridFooterPanel, GrowRectSides(R, co.Left, 1, 0, 0));
  ACanvas->PopClipRegion();
}

void TSK::DrawFooterBackground(TcxCanvas* ACanvas, const TRect& R, const TcxPaintParams& Params) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->GridFooterPanel || (Params.Bitmap && !Params.Bitmap->Empty()))
    return TOP::DrawFooterBackground(ACanvas, R, Params);
  const TRect co = ContentOffsetOf(I->GridFooterPanel);
  DrawSkinElement(ACanvas, I->GridFooterPanel, GrowRectSides(R, co.Left, FooterSeparatorWidth(), co.Right, co.Bottom));
}

void TSK::DrawFooterCellContent(TcxCanvas* ACanvas, const TRect& R, TAlignment AlignmentHorz,
                                TcxAlignmentVert AlignmentVert, bool MultiLine, const String& Text, TFont* Font,
                                TColor TextColor, TColor BackColor,
                                const TcxDrawBackgroundEvent& OnDrawBackground) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (I && I->GridFooterCell) DrawSkinElement(ACanvas, I->GridFooterCell, R);
  TOP::DrawFooterCellContent(ACanvas, R, AlignmentHorz, AlignmentVert, MultiLine, Text, Font, TextColor, BackColor,
                             OnDrawBackground);
}

void TSK::DrawFooterCellFrame(TcxCanvas* ACanvas, const TRect& R) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->GridFooterCell) TOP::DrawFooterCellFrame(ACanvas, R);
}

int TSK::FooterCellFrameWidth() const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->GridFooterCell) return TOP::FooterCellFrameWidth();
  const TRect co = ContentOffsetOf(I->GridFooterCell);
  return std::max({co.Left, co.Top, co.Right, co.Bottom});
}

bool TSK::FooterCellsDrawnFirst() const { return SkinPainterInfo() ? false : TOP::FooterCellsDrawnFirst(); }

void TSK::DrawIndicatorCustomizeGlyph(TcxCanvas* ACanvas, const TRect& R, TColor Color) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->GridIndicatorImages) return TOP::DrawIndicatorCustomizeGlyph(ACanvas, R, Color);
  DrawSkinElement(ACanvas, I->GridIndicatorImages, CenterSizeInRect(R, ImageSizeOf(I->GridIndicatorImages)), 2);
}

void TSK::DrawIndicatorGlyph(TcxCanvas* ACanvas, const TRect& R, int Kind) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->GridIndicatorImages || Kind < 0 || Kind > 5) return TOP::DrawIndicatorGlyph(ACanvas, R, Kind);
  static const int indexes[6] = {-1, 0, 1, 2, 0, 0};
  if (Kind == 0) return;
  DrawSkinElement(ACanvas, I->GridIndicatorImages, CenterSizeInRect(R, ImageSizeOf(I->GridIndicatorImages)),
                  indexes[Kind]);
}

void TSK::DrawLayoutViewItem(TcxCanvas* ACanvas, const TRect& R, int State, TcxBorders Sides) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e = I ? I->GridLayoutViewItem : nullptr;
  if (!e) return TOP::DrawLayoutViewItem(ACanvas, R, State, Sides);
  if (State != 1) return DrawSkinElement(ACanvas, e, R, 0, SkinElementStateOf(static_cast<TcxButtonState>(State)));
  if (Sides.Empty()) return;
  const TRect m = e->Image()->Margins()->Rect();
  ACanvas->PushClipRegion();
  ACanvas->ClipToRect(R);
  DrawSkinElement(ACanvas, e,
                  GrowRectSides(R, Sides.Contains(bLeft) ? 0 : m.Left, Sides.Contains(bTop) ? 0 : m.Top,
                                Sides.Contains(bRight) ? 0 : m.Right, Sides.Contains(bBottom) ? 0 : m.Bottom));
  ACanvas->PopClipRegion();
}

void TSK::DrawLayoutViewRecordCaption(TcxCanvas* ACanvas, const TRect& R, int Position, int State) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e = I && Position >= 0 && Position < 5 ? I->GridLayoutViewRecordCaptionParts[Position] : nullptr;
  if (!e) return TOP::DrawLayoutViewRecordCaption(ACanvas, R, Position, State);
  DrawSkinElement(ACanvas, e, R, 0, State >= 2 ? esActive : esNormal);
}

void TSK::DrawLayoutViewRecordFrame(TcxCanvas* ACanvas, const TRect& R, int Position, int State,
                                    TcxBorders Sides) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e = I && Position >= 0 && Position < 5 ? I->GridLayoutViewRecordParts[Position] : nullptr;
  if (!e) return TOP::DrawLayoutViewRecordFrame(ACanvas, R, Position, State, Sides);
  DrawSkinElement(ACanvas, e, R);
}

void TSK::DrawLayoutViewRecordExpandButton(TcxCanvas* ACanvas, const TRect& R, bool Expanded,
                                           TcxButtonState State) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->GridLayoutViewRecordExpandButton)
    return TOP::DrawLayoutViewRecordExpandButton(ACanvas, R, Expanded, State);
  DrawSkinElement(ACanvas, I->GridLayoutViewRecordExpandButton, R, Expanded ? 0 : 1, SkinElementStateOf(State));
}

TRect TSK::LayoutViewElementPadding(int Kind) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || Kind < 0 || Kind >= 6 || !I->GridLayoutViewPaddings[Kind]) return TOP::LayoutViewElementPadding(Kind);
  return I->GridLayoutViewPaddings[Kind]->Value()->Rect();
}

TRect TSK::LayoutViewElementSpacing(int Kind) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || Kind < 0 || Kind >= 6 || !I->GridLayoutViewSpacings[Kind]) return TOP::LayoutViewElementSpacing(Kind);
  return I->GridLayoutViewSpacings[Kind]->Value()->Rect();
}

// ---- windows, scroll bars, grips --------------------------------------------------------------------

void TSK::FillWindowContent(TcxCanvas* ACanvas, const TRect& R) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->FormFormContent) return TOP::FillWindowContent(ACanvas, R);
  ACanvas->FillRectWithColor(R, I->FormFormContent->Color());
}

int TSK::ScrollBarMinThumbLength(bool Vertical) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e = I ? (Vertical ? I->CommonScrollThumbVert : I->CommonScrollThumbHorz) : nullptr;
  if (!e) return TOP::ScrollBarMinThumbLength(Vertical);
  const TSize s = ImageSizeOf(e);
  return Vertical ? s.cy : s.cx;
}

void TSK::DrawScrollBarTrack(TcxCanvas* ACanvas, const TRect& R, bool Horizontal) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e = I ? (Horizontal ? I->CommonScrollContentHorz : I->CommonScrollContentVert) : nullptr;
  if (!e) return TOP::DrawScrollBarTrack(ACanvas, R, Horizontal);
  // The track is drawn again at one size on every scroll.
  e->SetUseCache(true);
  DrawSkinElement(ACanvas, e, R);
}

void TSK::DrawScrollBarElement(TcxCanvas* ACanvas, bool Horizontal, const TRect& R, int Part,
                               TcxButtonState State) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinScrollInfo* part = I && Part >= 0 && Part < 6 ? I->CommonScrollBarParts[Horizontal ? 1 : 0][Part] : nullptr;
  if (!part || !part->Element) return TOP::DrawScrollBarElement(ACanvas, Horizontal, R, Part, State);
  // Page areas at rest are what the track already shows.
  if ((Part == 4 || Part == 5) && State == cxbsNormal) return;
  part->DrawState(ACanvas->DeviceContext(), R, SkinElementStateOf(State));
}

TSize TSK::SizeGripSize() const {
  TdxSkinInfo* I = SkinPainterInfo();
  return I && I->CommonSizeGrip ? ImageSizeOf(I->CommonSizeGrip) : TOP::SizeGripSize();
}

void TSK::DrawSizeGripGlyph(TcxCanvas* ACanvas, const TRect& R) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->CommonSizeGrip) return TOP::DrawSizeGripGlyph(ACanvas, R);
  DrawSkinElement(ACanvas, I->CommonSizeGrip, R);
}

// ---- scheduler, navigation, progress, clock ---------------------------------------------------------

void TSK::DrawNavigationButtonFace(TcxCanvas* ACanvas, const TRect& R, const TRect& ContentRect, bool IsNext,
                                   TcxButtonState State) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* button = I ? (IsNext ? I->SchedulerNavButtonNext : I->SchedulerNavButtonPrev) : nullptr;
  if (!button) return TOP::DrawNavigationButtonFace(ACanvas, R, ContentRect, IsNext, State);
  TdxSkinElement* arrow = IsNext ? I->SchedulerNavButtonNextArrow : I->SchedulerNavButtonPrevArrow;
  ACanvas->PushClipRegion();
  ACanvas->ClipToRect(R);
  DrawSkinElement(ACanvas, button, GrowRectSides(R, IsNext ? 0 : 1, 0, IsNext ? 1 : 0, 0), 0,
                  SkinElementStateOf(State));
  if (arrow) DrawSkinElement(ACanvas, arrow, ContentRect, 0, SkinElementStateOf(State));
  ACanvas->PopClipRegion();
}

void TSK::CalcNavigationButtonLayout(bool IsNext, bool Rotated, const TSize& TextSize1, const TSize& TextSize2,
                                     TRect& Bounds, TRect& TextRect, TRect& ArrowRect) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* button = I ? (IsNext ? I->SchedulerNavButtonNext : I->SchedulerNavButtonPrev) : nullptr;
  if (button) {
    const int minWidth = button->MinSize()->CurrentSize().cx;
    if (WidthOfRect(Bounds) < minWidth) {
      if (IsNext)
        Bounds.Left = Bounds.Right - minWidth;
      else
        Bounds.Right = Bounds.Left + minWidth;
    }
  }
  TOP::CalcNavigationButtonLayout(IsNext, Rotated, TextSize1, TextSize2, Bounds, TextRect, ArrowRect);
}

TColor TSK::NavigationButtonArrowColor(bool IsNext, TcxButtonState State, TColor DefaultColor) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* button = I ? (IsNext ? I->SchedulerNavButtonNext : I->SchedulerNavButtonPrev) : nullptr;
  if (!button) return TOP::NavigationButtonArrowColor(IsNext, State, DefaultColor);
  const TColor c = button->TextColorForState(State);
  return c == clDefault ? DefaultColor : c;
}

void TSK::NavigationButtonSizes(bool IsNext, TRect& Borders, TSize& ArrowSize, bool& HasTextArea) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* button = I ? (IsNext ? I->SchedulerNavButtonNext : I->SchedulerNavButtonPrev) : nullptr;
  TdxSkinElement* arrow = I ? (IsNext ? I->SchedulerNavButtonNextArrow : I->SchedulerNavButtonPrevArrow) : nullptr;
  if (!button || !arrow) return TOP::NavigationButtonSizes(IsNext, Borders, ArrowSize, HasTextArea);
  Borders = ContentOffsetOf(button);
  ArrowSize = ImageSizeOf(arrow);
  HasTextArea = !button->Image()->IsEmpty();
}

void TSK::DrawProgressIndicator(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& ProgressRect,
                                const TcxPaintParams& Params, bool Framed) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->EditorsProgressBorder || !I->EditorsProgressChunk)
    return TOP::DrawProgressIndicator(ACanvas, Bounds, ProgressRect, Params, Framed);
  DrawSkinElement(ACanvas, I->EditorsProgressBorder, Bounds);
  DrawSkinElement(ACanvas, I->EditorsProgressChunk, ProgressRect);
}

TRect TSK::ProgressIndicatorMargins() const {
  TdxSkinInfo* I = SkinPainterInfo();
  return I && I->EditorsProgressBorder ? ContentOffsetOf(I->EditorsProgressBorder) : TOP::ProgressIndicatorMargins();
}

void TSK::DrawEditorButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->EditorsEditorButton) return TOP::DrawEditorButtonFace(ACanvas, R, State);
  DrawSkinElement(ACanvas, I->EditorsEditorButton, R, 0, SkinElementStateOf(State));
}

void TSK::DrawClockFace(TcxCanvas* ACanvas, const TRect& R, TDateTime Time, TColor BackColor) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->EditorsClockFace || !I->EditorsClockGlass) return TOP::DrawClockFace(ACanvas, R, Time, BackColor);
  const int w = WidthOfRect(R), h = HeightOfRect(R);
  if (w <= 0 || h <= 0) return;
  TcxBitmap bitmap(w, h, pf32bit);
  TcxCanvas* c = bitmap.OwnCanvas();
  const TRect all(0, 0, w, h);
  c->FillRectWithColor(all, BackColor);
  DrawSkinElement(c, I->EditorsClockFace, all);
  const double cx = w / 2.0, cy = h / 2.0, rx = w / 2.0 - 2, ry = h / 2.0 - 2;
  const double day = Time - std::floor(Time);
  const int seconds = static_cast<int>(std::lround(day * 86400)) % 86400;
  const int hour = seconds / 3600, minute = seconds / 60 % 60, second = seconds % 60;
  const TColor color = I->EditorsClockFace->TextColor();
  auto px = [](double v) { return static_cast<int>(std::lround(v)); };
  auto hand = [&](double angle, double tip, double tail, double width) {
    const double ca = std::cos(angle), sa = std::sin(angle);
    const TPoint p[4] = {{px(cx + rx * tip * ca), px(cy + ry * tip * sa)},
                         {px(cx - width / 2 * sa), px(cy + width / 2 * ca)},
                         {px(cx - rx * tail * ca), px(cy - ry * tail * sa)},
                         {px(cx + width / 2 * sa), px(cy - width / 2 * ca)}};
    c->ActiveBrush()->SetStyle(bsSolid);
    c->ActiveBrush()->SetColor(color);
    c->ActivePen()->SetColor(color);
    c->FillPolygon(p, 3);
  };
  hand((hour % 12 * 3600 + minute * 60 + second - 10800) * 2 * M_PI / 43200, 0.75, 0.15, 9);
  hand((minute * 60 + second - 900) * 2 * M_PI / 3600, 0.85, 0.2, 7);
  const double sa = (second - 15) * 2 * M_PI / 60;
  c->ActivePen()->SetColor(color);
  c->MoveToPoint(px(cx), px(cy));
  c->LineToPoint(px(cx + rx * 0.9 * std::cos(sa)), px(cy + ry * 0.9 * std::sin(sa)));
  DrawSkinElement(c, I->EditorsClockGlass, all);
  ACanvas->CopyRectFrom(R, bitmap.Canvas(), all);
}

// ---- navigator glyphs -------------------------------------------------------------------------------

void TSK::DrawNavigatorGlyph(TcxCanvas* ACanvas, TCustomImageList* ImageList, int ImageIndex, int Extra,
                             const TRect& R, bool Enabled, bool UseImageList) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->EditorsNavigator || !I->EditorsNavigatorVert || UseImageList)
    return TOP::DrawNavigatorGlyph(ACanvas, ImageList, ImageIndex, Extra, R, Enabled, UseImageList);
  if (RectHasNoArea(R)) return;
  TdxSkinElement* e = I->EditorsNavigator;
  int index = ImageIndex;
  if (index >= e->ImageCount()) {
    index -= e->ImageCount();
    e = I->EditorsNavigatorVert;
  }
  if (Enabled) return DrawSkinElement(ACanvas, e, R, index);
  TcxBitmap32 bitmap(WidthOfRect(R), HeightOfRect(R), true);
  e->DrawOnDC(bitmap.Canvas()->Handle(), bitmap.ImageRect(), index, esNormal);
  TRGBColors pixels;
  if (bitmap.ReadPixels(pixels)) {
    for (TRGBQuad& p : pixels) {
      // Alpha counts twice, so that half-transparent edges stay light.
      const auto grey = static_cast<win::BYTE>((p.rgbBlue + p.rgbGreen + p.rgbRed + 2 * p.rgbReserved) / 5);
      p.rgbBlue = p.rgbGreen = p.rgbRed = grey;
    }
    bitmap.WritePixels(pixels);
  }
  BlendBitmapToDC(ACanvas->DeviceContext(), &bitmap, R, bitmap.ImageRect(), false, 255);
}

TSize TSK::NavigatorButtonMinSize() const {
  TdxSkinInfo* I = SkinPainterInfo();
  return I && I->EditorsNavigator ? ImageSizeOf(I->EditorsNavigator) : TOP::NavigatorButtonMinSize();
}

// ---- progress bars ----------------------------------------------------------------------------------

void TSK::DrawProgressBarFrame(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e = I ? (Vertical ? I->EditorsProgressBorderVert : I->EditorsProgressBorder) : nullptr;
  if (!e) return TOP::DrawProgressBarFrame(ACanvas, R, Vertical);
  DrawSkinElement(ACanvas, e, R);
}

void TSK::DrawProgressBarChunk(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e = I ? (Vertical ? I->EditorsProgressChunkVert : I->EditorsProgressChunk) : nullptr;
  if (!e) return TOP::DrawProgressBarChunk(ACanvas, R, Vertical);
  DrawSkinElement(ACanvas, e, R);
}

TRect TSK::ProgressBarFrameMargins(bool Vertical) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e = I ? (Vertical ? I->EditorsProgressBorderVert : I->EditorsProgressBorder) : nullptr;
  return e ? ContentOffsetOf(e) : TOP::ProgressBarFrameMargins(Vertical);
}

// ---- group boxes ------------------------------------------------------------------------------------

TdxSkinElement* TSK::GroupBoxFrameElement(TdxSkinInfo* Info, int CaptionPosition) {
  if (!Info) return nullptr;
  switch (CaptionPosition) {
    case 0:
      return Info->CommonGroupPanelTop;
    case 1:
      return Info->CommonGroupPanelBottom;
    case 2:
      return Info->CommonGroupPanelLeft;
    case 3:
      return Info->CommonGroupPanelRight;
    case 4:
      return Info->CommonGroupPanel;
    default:
      return nullptr;
  }
}

TdxSkinElement* TSK::GroupBoxCaptionElement(TdxSkinInfo* Info, int CaptionPosition) {
  if (!Info) return nullptr;
  switch (CaptionPosition) {
    case 0:
      return Info->CommonGroupPanelCaptionTop;
    case 1:
      return Info->CommonGroupPanelCaptionBottom;
    case 2:
      return Info->CommonGroupPanelCaptionLeft;
    case 3:
      return Info->CommonGroupPanelCaptionRight;
    default:
      return nullptr;
  }
}

void TSK::DrawGroupBoxBackground(TcxCanvas* ACanvas, const TRect& R, const TRect& ClipRect) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->CommonGroupPanelNoBorder) return TOP::DrawGroupBoxBackground(ACanvas, R, ClipRect);
  DrawSkinElement(ACanvas, I->CommonGroupPanelNoBorder, ClipRect);
}

void TSK::DrawGroupBoxCaptionBackground(TcxCanvas* ACanvas, const TRect& R, int CaptionPosition) const {
  TdxSkinElement* e = GroupBoxCaptionElement(SkinPainterInfo(), CaptionPosition);
  if (!e) return TOP::DrawGroupBoxCaptionBackground(ACanvas, R, CaptionPosition);
  DrawSkinElement(ACanvas, e, R);
}

void TSK::DrawGroupBoxSides(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides, int CaptionPosition) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* frame = GroupBoxFrameElement(I, CaptionPosition);
  if (!frame || !I->CommonGroupPanelNoBorder) return TOP::DrawGroupBoxSides(ACanvas, R, Sides, CaptionPosition);
  if (RectHasNoArea(R)) return;
  ACanvas->PushClipRegion();
  ACanvas->ClipToRect(R);
  const TRect co = ContentOffsetOf(frame);
  TdxSkinBorders* borders = frame->Borders();
  auto inset = [&](TcxBorder Side, int Offset, int BorderIndex) {
    return Sides.Contains(Side) ? Offset + borders->BorderAt(BorderIndex)->Thin() : 0;
  };
  const TRect inner = RectWithinMargins(R, TRect(inset(bLeft, co.Left, 0), inset(bTop, co.Top, 1),
                                                 inset(bRight, co.Right, 2), inset(bBottom, co.Bottom, 3)));
  DrawSkinElement(ACanvas, I->CommonGroupPanelNoBorder, inner);
  ACanvas->ExcludeRectFromClip(inner);
  DrawSkinElement(ACanvas, frame, R);
  ACanvas->PopClipRegion();
}

void TSK::DrawGroupBoxBorder(TcxCanvas* ACanvas, const TRect& R, bool Enabled, int CaptionPosition,
                             TcxBorders Sides) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!GroupBoxFrameElement(I, CaptionPosition) || !I->CommonGroupPanelNoBorder)
    return TOP::DrawGroupBoxBorder(ACanvas, R, Enabled, CaptionPosition, Sides);
  DrawGroupBoxSides(ACanvas, R, Sides, CaptionPosition);
}

TRect TSK::GroupBoxFrameMargins(bool HasCaption, int CaptionPosition) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e =
      HasCaption ? GroupBoxCaptionElement(I, CaptionPosition) : GroupBoxFrameElement(I, CaptionPosition);
  return e ? ContentOffsetOf(e) : TOP::GroupBoxFrameMargins(HasCaption, CaptionPosition);
}

int TSK::GroupBoxCaptionTailLength(bool HasCaption, int CaptionPosition) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e =
      HasCaption ? GroupBoxCaptionElement(I, CaptionPosition) : GroupBoxFrameElement(I, CaptionPosition);
  if (!e) return TOP::GroupBoxCaptionTailLength(HasCaption, CaptionPosition);
  return e->NeedsAlphaBlend() ? 1 : 0;
}

TColor TSK::GroupBoxCaptionTextColor(bool Enabled, int CaptionPosition) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (I && CaptionPosition == 4 && I->CommonGroupPanelNoBorder) return GroupBoxPanelTextColor();
  if (TdxSkinElement* e = GroupBoxCaptionElement(I, CaptionPosition)) return e->TextColor();
  return TOP::GroupBoxCaptionTextColor(Enabled, CaptionPosition);
}

void TSK::DrawGroupPanelBody(TcxCanvas* ACanvas, const TRect& R) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->CommonGroupPanel) return TOP::DrawGroupPanelBody(ACanvas, R);
  ACanvas->PushClipRegion();
  ACanvas->ExcludeRectFromClip(RectWithinMargins(R, ContentOffsetOf(I->CommonGroupPanel)));
  DrawSkinElement(ACanvas, I->CommonGroupPanel, R);
  ACanvas->PopClipRegion();
}

void TSK::DrawGroupBoxPanelBackground(TcxCanvas* ACanvas, const TRect& R, bool WithBody) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->CommonGroupPanelNoBorder) return TOP::DrawGroupBoxPanelBackground(ACanvas, R, WithBody);
  DrawSkinElement(ACanvas, I->CommonGroupPanelNoBorder, R);
  if (WithBody) DrawGroupPanelBody(ACanvas, R);
}

void TSK::DrawGroupBoxExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Expanded,
                                   int Position) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->CommonGroupExpandButton) return TOP::DrawGroupBoxExpandButton(ACanvas, R, State, Expanded, Position);
  TdxSkinElement* e = I->CommonGroupExpandButton;
  const int index = Expanded ? 0 : 1;
  if (Position <= 0 || Position > 3) return DrawSkinElement(ACanvas, e, R, index, SkinElementStateOf(State));
  const int w = WidthOfRect(R), h = HeightOfRect(R);
  if (w <= 0 || h <= 0) return;
  // The picture is drawn upright and then turned, so that its light falls the same way on every side.
  const bool quarter = Position == 1 || Position == 2;
  TcxBitmap32 bitmap(quarter ? h : w, quarter ? w : h, true);
  e->DrawOnDC(bitmap.Canvas()->Handle(), bitmap.ImageRect(), index, SkinElementStateOf(State));
  ACanvas->RotateBitmap(&bitmap, static_cast<TcxRotationCode>(Position));
  BlendBitmapToDC(ACanvas->DeviceContext(), &bitmap, R, bitmap.ImageRect(), false, 255);
}

// ---- track bars -------------------------------------------------------------------------------------

void TSK::DrawTrackBarTrack(TcxCanvas* ACanvas, const TRect& R, const TRect& SelectionRect, bool ShowSelection,
                            bool Enabled, bool Horizontal, TColor Color) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e = I ? (Horizontal ? I->EditorsTrackBarTrack : I->EditorsTrackBarTrackVert) : nullptr;
  if (!e) return TOP::DrawTrackBarTrack(ACanvas, R, SelectionRect, ShowSelection, Enabled, Horizontal, Color);
  DrawSkinElement(ACanvas, e, R, Enabled ? 0 : 2);
  if (ShowSelection) DrawSkinElement(ACanvas, e, SelectionRect, Enabled ? 1 : 3);
}

void TSK::DrawTrackBarThumb(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Horizontal, int Shape,
                            TColor Color) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e = nullptr;
  if (I && Shape >= 0 && Shape <= 2) {
    TdxSkinElement* horizontal[3] = {I->EditorsTrackBarThumbUp, I->EditorsTrackBarThumb, I->EditorsTrackBarThumbBoth};
    TdxSkinElement* vertical[3] = {I->EditorsTrackBarThumbVertUp, I->EditorsTrackBarThumbVert,
                                   I->EditorsTrackBarThumbVertBoth};
    e = Horizontal ? horizontal[Shape] : vertical[Shape];
  }
  if (!e) return TOP::DrawTrackBarThumb(ACanvas, R, State, Horizontal, Shape, Color);
  DrawSkinElement(ACanvas, e, R, 0, SkinElementStateOf(State));
}

TSize TSK::TrackBarThumbSize(bool Horizontal) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e = I ? (Horizontal ? I->EditorsTrackBarThumb : I->EditorsTrackBarThumbVert) : nullptr;
  return e ? ImageSizeOf(e) : TOP::TrackBarThumbSize(Horizontal);
}

int TSK::TrackBarTrackThickness() const {
  TdxSkinInfo* I = SkinPainterInfo();
  return I && I->EditorsTrackBarTrack ? ImageSizeOf(I->EditorsTrackBarTrack).cy : TOP::TrackBarTrackThickness();
}

// ---- splitters and printing -------------------------------------------------------------------------

void TSK::DrawSplitterBar(TcxCanvas* ACanvas, const TRect& R, bool Highlighted, bool SecondFlag,
                          bool Horizontal) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e = I ? (Horizontal ? I->CommonSplitterHorz : I->CommonSplitter) : nullptr;
  if (!e) return TOP::DrawSplitterBar(ACanvas, R, Highlighted, SecondFlag, Horizontal);
  DrawSkinElement(ACanvas, e, R, 0, Highlighted ? esHot : esNormal);
}

TSize TSK::SplitterGripSize(bool Horizontal) const {
  TdxSkinInfo* I = SkinPainterInfo();
  TdxSkinElement* e = I ? (Horizontal ? I->CommonSplitterHorz : I->CommonSplitter) : nullptr;
  if (!e) return TOP::SplitterGripSize(Horizontal);
  const TSize minimum = e->MinSize()->CurrentSize(), image = ImageSizeOf(e);
  return TSize(std::max(minimum.cx, image.cx), std::max(minimum.cy, image.cy));
}

void TSK::DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R) const {
  if (!SkinPainterInfo()) return TOP::DrawLayoutControlBackground(ACanvas, R);
  ACanvas->FillRectWithColor(R, DefaultLayoutControlColor());
}

TRect TSK::PrintPageBorderMargins() const {
  TdxSkinInfo* I = SkinPainterInfo();
  return I && I->PrintingSystemPageBorder ? ContentOffsetOf(I->PrintingSystemPageBorder)
                                          : TOP::PrintPageBorderMargins();
}

void TSK::DrawPreviewBackground(TcxCanvas* ACanvas, const TRect& R) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->PrintingSystemPreviewBackground) return TOP::DrawPreviewBackground(ACanvas, R);
  I->PrintingSystemPreviewBackground->SetUseCache(true);
  DrawSkinElement(ACanvas, I->PrintingSystemPreviewBackground, R);
}

void TSK::DrawPrintPageBorder(TcxCanvas* ACanvas, const TRect& PageRect, const TRect& ContentRect, int Kind,
                              bool FillContent) const {
  TdxSkinInfo* I = SkinPainterInfo();
  if (!I || !I->PrintingSystemPageBorder)
    return TOP::DrawPrintPageBorder(ACanvas, PageRect, ContentRect, Kind, FillContent);
  ACanvas->PushClipRegion();
  if (FillContent) ACanvas->FillRectWithColor(ContentRect, static_cast<TColor>(0xFFFFFF));
  ACanvas->ExcludeRectFromClip(ContentRect);
  DrawSkinElement(ACanvas, I->PrintingSystemPageBorder, PageRect, 0, Kind == 1 ? esActive : esNormal);
  ACanvas->PopClipRegion();
}
