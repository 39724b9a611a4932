#pragma once
// The look-and-feel painter of skins: every library control draws through it while a skin is
// chosen. It reads colours, element pictures, content offsets and sizes from the lookup table of
// its skin, and wherever the table lacks what an operation needs it does exactly what its parent,
// the Office-2003 painter, does with the same arguments, by calling that painter's operation.
// Each registered skin has its own painter class derived from this one; such a class changes only
// which table it reads.
#include "ui/foundation/OfficePainters.h"
#include "ui/skins/SkinInfo.h"

// The table a registry entry of a skin painter keeps.
class TdxSkinLookAndFeelPainterInfo : public TdxSkinInfo {
  VW_CLASS(TdxSkinLookAndFeelPainterInfo, TdxSkinInfo)
 public:
  using TdxSkinInfo::TdxSkinInfo;
};

// The element state a button state draws in, and the picture a check state shows.
TdxSkinElementState SkinElementStateOf(TcxButtonState State);
int SkinCheckImageIndexOf(TcxCheckBoxState State);

class TdxSkinLookAndFeelPainter : public TcxOffice11LookAndFeelPainter {
 public:
  using TOP = TcxOffice11LookAndFeelPainter;

  // ---- colours ----
  TColor DefaultContentColor() const override;
  TColor DefaultContentEvenColor() const override;
  TColor DefaultContentOddColor() const override;
  TColor DefaultContentTextColor() const override;
  TColor DefaultEditorBackgroundColorOfKind(int Kind) const override;
  TColor DefaultEditorTextColorOfKind(int Kind) const override;
  TColor DefaultFilterPanelTextColor() const override;
  TColor DefaultFixedLineColor() const override;
  TColor DefaultColor22() const override;
  TColor DefaultColor24() const override;
  TColor DefaultGridLineColor() const override;
  TColor DefaultGroupByBoxTextColor() const override;
  TColor DefaultGroupRowColor() const override;
  TColor DefaultGroupRowTextColor() const override;
  TColor DefaultHeaderBackgroundColor() const override;
  TColor DefaultHeaderBackgroundTextColor() const override;
  TColor DefaultHeaderColor() const override;
  TColor DefaultHeaderTextColor() const override;
  TColor DefaultHyperlinkTextColor() const override;
  TColor DefaultLinkTextColor() const override;
  TColor DefaultFixedGridLineColor() const override;
  TColor DefaultSizeGripAreaColor() const override;
  TColor DefaultBandBorderColor() const override;
  TColor DefaultCategoryColor() const override;
  TColor DefaultCategoryTextColor() const override;
  TColor DefaultRowHeaderColor() const override;
  TColor DefaultRowHeaderTextColor() const override;
  TColor DefaultVerticalGridLineColor() const override;
  TColor DefaultBlankHeaderColor() const override;
  TColor HeaderTextColorForState(bool Accented) const override;
  TColor DefaultCalendarHolidayTextColor() const override;
  TColor DefaultCalendarInactiveDayTextColor() const override;
  TColor DefaultCalendarSelectedDayColor() const override;
  TColor DefaultCalendarSelectedDayTextColor() const override;
  TColor DefaultCalendarSeparatorColor() const override;
  TColor DefaultCalendarBackgroundColor() const override;
  TColor DefaultCalendarDayTextColor() const override;
  TColor DefaultCalendarTodayFrameColor() const override;
  TColor DefaultCalendarTodayTextColor() const override;
  TColor DefaultColor58() const override;
  TColor DefaultViewFrameColor() const override;
  TColor DefaultColor61() const override;
  TColor DefaultSchedulerNavigatorColor() const override;
  TColor DefaultSchedulerRulerColor() const override;
  TColor DefaultSchedulerRulerTextColor() const override;
  TColor DefaultSelectedAppointmentTextColor() const override;
  TColor DefaultAppointmentTextColor() const override;
  TColor DefaultSelectionColor() const override;
  TColor DefaultSelectionTextColor() const override;
  TColor DefaultCardSeparatorColor() const override;
  TColor DefaultTimeGridHeaderTextColor() const override;
  TColor DefaultTextColor78() const override;
  TColor DefaultOffice11GroupRowColor(bool UseWindowColor) const override;
  TColor DefaultOffice11GroupRowSeparatorColor() const override;
  TColor DefaultOffice11GroupRowTextColor() const override;
  TColor DefaultGroupPanelColor() const override;
  TColor DefaultGroupPanelTextColor() const override;
  TColor DefaultFooterSeparatorColor() const override;
  TColor DefaultLayoutControlColor() const override;
  TColor CalcButtonTextColor(int Kind) const override;
  TColor DefaultCalculatorColor() const override;

  // ---- borders and buttons ----
  void DrawControlBorder(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const override;
  int ButtonBorderWidth(TcxButtonState State) const override;
  TRect ButtonGroupBorderWidths(int Count, int Index) const override;
  TColor ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const override;
  void DrawPushButton(TcxCanvas* ACanvas, const TRect& R, const String& Caption, TcxButtonState State,
                      bool DrawBorder, TColor FaceColor, TColor TextColor, bool WordWrap,
                      int ThemeClassKind) const override;
  void DrawGroupedButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, int Count, int Index,
                         TColor FrameColor) const override;
  void DrawButtonGroupFrame(TcxCanvas* ACanvas, const TRect& R, bool Emphasized, bool Hot) const override;
  void DrawExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor Color) const override;
  void DrawRotatedGroupExpander(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Expanded,
                                int Position) const override;
  void DrawSmallExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor BorderColor,
                          TColor Color) const override;
  int ExpandBoxSize() const override;
  TSize CheckBoxSize() const override;
  void DrawCheckBox(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State,
                    TcxCheckBoxState CheckState) const override;
  void DrawRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState State, bool Checked, bool Focused,
                       TColor BackColor, bool IsDesigning) const override;
  TSize RadioButtonGlyphSize() const override;
  void DrawLabelLine(TcxCanvas* ACanvas, const TRect& R, TColor ShadowColor, TColor HighlightColor,
                     bool Vertical) const override;
  int LabelLineThickness() const override;

  // ---- headers and cells ----
  void DrawCellContent(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxButtonState State,
                       TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis,
                       const String& Text, TFont* Font, TColor TextColor, TColor BackColor,
                       const TcxDrawBackgroundEvent& OnDrawBackground, bool Solid) const override;
  void DrawColumnHeader(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxBorders Neighbours,
                        TcxBorders Sides, TcxButtonState State, TAlignment AlignmentHorz,
                        TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                        TFont* Font, TColor TextColor, TColor BackColor,
                        const TcxDrawBackgroundEvent& OnDrawBackground, bool Flag, bool Special) const override;
  void DrawColumnHeaderDirect(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds,
                              TcxBorders Neighbours, TcxBorders Sides, TcxButtonState State,
                              TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine,
                              bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                              TColor BackColor, const TcxDrawBackgroundEvent& OnDrawBackground) const override;
  void DrawHeaderDivider(TcxCanvas* ACanvas, const TRect& Bounds, int IndentSize, TColor Color,
                         const TcxPaintParams& Params) const override;
  TcxBorders VisibleHeaderSides(TcxBorders Neighbours) const override;
  bool HeaderIsOpaque() const override;
  bool IsHeaderElementOpaque() const override;
  void DrawBlankHeader(TcxCanvas* ACanvas, TRect& R) const override;
  void DrawCalendarMonthHeader(TcxCanvas* ACanvas, const TRect& R, const String& Text, TcxBorders Neighbours,
                               const TcxPaintParams& Params, int Which, int ArrowOffset,
                               const TcxDrawBackgroundEvent& OnDrawBackground) const override;

  // ---- grid, footer, filter and layout-view parts ----
  void DrawGroupByBoxBackground(TcxCanvas* ACanvas, const TRect& R, bool Transparent, TColor Color,
                                TBitmap* Bitmap) const override;
  void DrawFilterPanelBackground(TcxCanvas* ACanvas, const TRect& R, bool Transparent, TColor Color,
                                 TBitmap* Bitmap) const override;
  void DrawFilterDropDownArrowButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State,
                                     bool Active) const override;
  void DrawFilterCloseGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const override;
  TPoint FilterCloseGlyphSize() const override;
  TSize SmallCloseButtonSize() const override;
  void DrawSmallCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const override;
  void DrawFooterPanel(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides) const override;
  void DrawFooterFrame(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawFooterBackground(TcxCanvas* ACanvas, const TRect& R, const TcxPaintParams& Params) const override;
  void DrawFooterCellContent(TcxCanvas* ACanvas, const TRect& R, TAlignment AlignmentHorz,
                             TcxAlignmentVert AlignmentVert, bool MultiLine, const String& Text, TFont* Font,
                             TColor TextColor, TColor BackColor,
                             const TcxDrawBackgroundEvent& OnDrawBackground) const override;
  void DrawFooterCellFrame(TcxCanvas* ACanvas, const TRect& R) const override;
  int FooterCellFrameWidth() const override;
  bool FooterCellsDrawnFirst() const override;
  void DrawIndicatorCustomizeGlyph(TcxCanvas* ACanvas, const TRect& R, TColor Color) const override;
  void DrawIndicatorGlyph(TcxCanvas* ACanvas, const TRect& R, int Kind) const override;
  void DrawLayoutViewItem(TcxCanvas* ACanvas, const TRect& R, int State, TcxBorders Sides) const override;
  void DrawLayoutViewRecordCaption(TcxCanvas* ACanvas, const TRect& R, int Position, int State) const override;
  void DrawLayoutViewRecordFrame(TcxCanvas* ACanvas, const TRect& R, int Position, int State,
                                 TcxBorders Sides) const override;
  void DrawLayoutViewRecordExpandButton(TcxCanvas* ACanvas, const TRect& R, bool Expanded,
                                        TcxButtonState State) const override;
  TRect LayoutViewElementPadding(int Kind) const override;
  TRect LayoutViewElementSpacing(int Kind) const override;

  // ---- windows, scroll bars, grips ----
  void FillWindowContent(TcxCanvas* ACanvas, const TRect& R) const override;
  bool ScrollBarStyleFlag() const override { return true; }
  int ScrollBarMinThumbLength(bool Vertical) const override;
  void DrawScrollBarTrack(TcxCanvas* ACanvas, const TRect& R, bool Horizontal) const override;
  void DrawScrollBarElement(TcxCanvas* ACanvas, bool Horizontal, const TRect& R, int Part,
                            TcxButtonState State) const override;
  TSize SizeGripSize() const override;
  void DrawSizeGripGlyph(TcxCanvas* ACanvas, const TRect& R) const override;

  // ---- scheduler, navigation, progress, clock ----
  void DrawNavigationButtonFace(TcxCanvas* ACanvas, const TRect& R, const TRect& ContentRect, bool IsNext,
                                TcxButtonState State) const override;
  void CalcNavigationButtonLayout(bool IsNext, bool Rotated, const TSize& TextSize1, const TSize& TextSize2,
                                  TRect& Bounds, TRect& TextRect, TRect& ArrowRect) const override;
  TColor NavigationButtonArrowColor(bool IsNext, TcxButtonState State, TColor DefaultColor) const override;
  void NavigationButtonSizes(bool IsNext, TRect& Borders, TSize& ArrowSize, bool& HasTextArea) const override;
  void DrawProgressIndicator(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& ProgressRect,
                             const TcxPaintParams& Params, bool Framed) const override;
  TRect ProgressIndicatorMargins() const override;
  void DrawEditorButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const override;
  void DrawClockFace(TcxCanvas* ACanvas, const TRect& R, TDateTime Time, TColor BackColor) const override;

  // ---- editor buttons and navigator glyphs ----
  void DrawEditButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, TcxEditButtonGlyphKind Kind,
                      TcxEditBtnPosition Position) const override;
  int EditButtonCaptionOffset() const override;
  TSize EditButtonMinSize() const override;
  TColor EditButtonCaptionColor() const override;
  TColor ContainerFrameColor(bool Highlighted) const override;
  void DrawNavigatorGlyph(TcxCanvas* ACanvas, TCustomImageList* ImageList, int ImageIndex, int Extra,
                          const TRect& R, bool Enabled, bool UseImageList) const override;
  TSize NavigatorButtonMinSize() const override;

  // ---- progress bars ----
  void DrawProgressBarFrame(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const override;
  void DrawProgressBarChunk(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const override;
  TRect ProgressBarFrameMargins(bool Vertical) const override;
  TColor ProgressBarTextColor(bool OverFilledPart) const override;

  // ---- group boxes ----
  void DrawGroupBoxBackground(TcxCanvas* ACanvas, const TRect& R, const TRect& ClipRect) const override;
  void DrawGroupBoxCaptionBackground(TcxCanvas* ACanvas, const TRect& R, int CaptionPosition) const override;
  void DrawGroupBoxSides(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides, int CaptionPosition) const override;
  void DrawGroupBoxExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Expanded,
                                int Position) const override;
  void DrawGroupBoxBorder(TcxCanvas* ACanvas, const TRect& R, bool Enabled, int CaptionPosition,
                          TcxBorders Sides) const override;
  TRect GroupBoxFrameMargins(bool HasCaption, int CaptionPosition) const override;
  TColor GroupBoxCaptionTextColor(bool Enabled, int CaptionPosition) const override;
  int GroupBoxCaptionTailLength(bool HasCaption, int CaptionPosition) const override;
  void DrawGroupPanelBody(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawGroupBoxPanelBackground(TcxCanvas* ACanvas, const TRect& R, bool WithBody) const override;
  TColor GroupBoxPanelTextColor() const override;

  // ---- track bars ----
  void DrawTrackBarTrack(TcxCanvas* ACanvas, const TRect& R, const TRect& SelectionRect, bool ShowSelection,
                         bool Enabled, bool Horizontal, TColor Color) const override;
  void DrawTrackBarThumb(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Horizontal, int Shape,
                         TColor Color) const override;
  TSize TrackBarThumbSize(bool Horizontal) const override;
  int TrackBarTrackThickness() const override;

  // ---- splitters and printing ----
  void DrawSplitterBar(TcxCanvas* ACanvas, const TRect& R, bool Highlighted, bool SecondFlag,
                       bool Horizontal) const override;
  TSize SplitterGripSize(bool Horizontal) const override;
  void DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R) const override;
  TRect PrintPageBorderMargins() const override;
  void DrawPreviewBackground(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawPrintPageBorder(TcxCanvas* ACanvas, const TRect& PageRect, const TRect& ContentRect, int Kind,
                           bool FillContent) const override;

  // Added by this painter: the table of its skin (null while the class is not registered), and
  // the name of the unit that declares it.
  virtual TdxSkinLookAndFeelPainterInfo* SkinPainterInfo() const;
  virtual String SkinUnitName() const;

 protected:
  // The frame element of a group box's caption position (4: a box without caption) and the
  // caption element (none for 4).
  static TdxSkinElement* GroupBoxFrameElement(TdxSkinInfo* Info, int CaptionPosition);
  static TdxSkinElement* GroupBoxCaptionElement(TdxSkinInfo* Info, int CaptionPosition);
};

const TdxSkinLookAndFeelPainter* SkinLookAndFeelPainter();

// Whether the painter is a skin painter: its class derives from the skin painter's.
inline bool IsSkinPainter(TcxCustomLookAndFeelPainterClass Painter) {
  return dynamic_cast<const TdxSkinLookAndFeelPainter*>(Painter) != nullptr;
}

// Draws the element over R on the canvas; nothing without an element.
void DrawSkinElement(TcxCanvas* ACanvas, TdxSkinElement* Element, const TRect& R, int ImageIndex = 0,
                     TdxSkinElementState State = esNormal);
