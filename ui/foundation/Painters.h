#pragma once
// The painter interface. A painter is a class without data: every look the library draws in is one
// class with exactly one immutable instance, and a painter "class" is a pointer to that instance.
// Every operation is a const virtual function, declared here in the interface's slot order; a
// composite operation calls the finer ones through this, so a painter that overrides only a fine
// operation changes every drawing built on it. "Inherited" is a qualified call to the parent's
// function from inside an override.
#include <functional>
#include <vector>

#include "platform/classes/DateUtils.h"
#include "platform/classes/ImageList.h"
#include "platform/classes/StdCtrls.h"
#include "ui/foundation/Canvas.h"

class TControl;

enum TcxButtonState { cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled };
enum TcxCheckBoxState { cbsUnchecked, cbsChecked, cbsGrayed };
VW_ENUM_NAMES(TcxCheckBoxState, cbsUnchecked, cbsChecked, cbsGrayed)
enum TcxArrowPointing { adUp, adDown, adLeft, adRight };
enum TcxAlignmentVert { vaTop, vaBottom, vaCenter };
enum TcxPainterStyle { psFlat, psStandard, psUltraFlat, psNative, psOffice11 };
enum TcxEditPopupBorderStyle { epbsDefault, epbsSingle, epbsFrame3D, epbsFlat };
enum TcxEditButtonGlyphKind { bkClose, bkCombo, bkEditor, bkEllipsis, bkSpinUp, bkSpinDown, bkSpinLeft, bkSpinRight };
// Which side of its editor an edit button sits on.
enum TcxEditBtnPosition { cxbpLeft, cxbpRight };

// A background callback: answers whether it painted the background itself.
using TcxDrawBackgroundEvent = std::function<bool(TcxCanvas* ACanvas, const TRect& Bounds)>;
using TcxPoints = std::vector<TPoint>;

class TcxCustomLookAndFeelPainter;
// A painter "class": its one instance. Identity by pointer, descent by dynamic_cast.
using TcxCustomLookAndFeelPainterClass = const TcxCustomLookAndFeelPainter*;

class TcxCustomLookAndFeelPainter {
 public:
  TcxCustomLookAndFeelPainter() = default;
  TcxCustomLookAndFeelPainter(const TcxCustomLookAndFeelPainter&) = delete;
  TcxCustomLookAndFeelPainter& operator=(const TcxCustomLookAndFeelPainter&) = delete;
  virtual ~TcxCustomLookAndFeelPainter() = default;

  // The arrow of n pixels deep and 2n - 1 wide for Rect (n from Size, or from Rect when Size is 0);
  // Proportional first cuts Rect to a centred square.
  static void ArrowTrianglePoints(const TRect& R, TPoint (&Points)[3], TcxArrowPointing Pointing, bool Proportional,
                                  int Size = 0);
  // The month arrows; reads BorderWidth of the painter it is called on.
  void DrawMonthHeaderArrows(TcxCanvas* ACanvas, const TRect& R, int Which, int ArrowOffset, TColor Color) const;

  virtual TColor DefaultAccentTextColor() const;
  virtual void FillBackground(TcxCanvas* ACanvas, const TRect& R, bool Transparent, TColor Color, TBitmap* Bitmap) const;
  virtual void DrawDownArrowGlyph(TcxCanvas* ACanvas, const TRect& R, TColor Color) const;
  virtual void DrawCellContent(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxButtonState State, TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor, TColor BackColor, const TcxDrawBackgroundEvent& OnDrawBackground, bool Solid) const;
  virtual void DrawFooterPanel(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides) const;
  virtual void DrawNavigationButtonFace(TcxCanvas* ACanvas, const TRect& R, const TRect& ContentRect, bool IsNext, TcxButtonState State) const;
  virtual TRect FooterCellContentBounds(const TRect& R) const;
  virtual TRect FooterCellTextBounds(const TRect& R) const;
  virtual TRect SeparatorLineBounds(const TRect& R, int Thickness, bool Vertical) const;
  virtual TcxPainterStyle PainterStyle() const;
  virtual bool PrefersThemedLook() const;
  virtual TColor DefaultContentColor() const;
  virtual TColor DefaultContentEvenColor() const;
  virtual TColor DefaultContentOddColor() const;
  virtual TColor DefaultContentTextColor() const;
  virtual TColor DefaultEditorBackgroundColor(bool Disabled) const;
  virtual TColor DefaultEditorBackgroundColorOfKind(int Kind) const;
  virtual TColor DefaultEditorTextColor(bool Disabled) const;
  virtual TColor DefaultEditorTextColorOfKind(int Kind) const;
  virtual TColor DefaultFilterPanelColor() const;
  virtual TColor DefaultFilterPanelTextColor() const;
  virtual TColor DefaultFixedLineColor() const;
  virtual TColor DefaultColor22() const;
  virtual TColor DefaultTextColor23() const;
  virtual TColor DefaultColor24() const;
  virtual TColor DefaultGridLineColor() const;
  virtual TColor DefaultGroupByBoxColor() const;
  virtual TColor DefaultGroupByBoxTextColor() const;
  virtual TColor DefaultGroupRowColor() const;
  virtual TColor DefaultGroupRowTextColor() const;
  virtual TColor DefaultHeaderBackgroundColor() const;
  virtual TColor DefaultHeaderBackgroundTextColor() const;
  virtual TColor DefaultHeaderColor() const;
  virtual TColor DefaultHeaderTextColor() const;
  virtual TColor DefaultHyperlinkTextColor() const;
  virtual TColor DefaultColor35() const;
  virtual TColor DefaultTextColor36() const;
  virtual TColor DefaultLinkTextColor() const;
  virtual TColor DefaultFixedGridLineColor() const;
  virtual TColor DefaultSizeGripAreaColor() const;
  virtual TColor DefaultBandBorderColor() const;
  virtual TColor DefaultCategoryColor() const;
  virtual TColor DefaultCategoryTextColor() const;
  virtual TColor DefaultRowHeaderColor() const;
  virtual TColor DefaultRowHeaderTextColor() const;
  virtual TColor DefaultVerticalGridLineColor() const;
  virtual TColor DefaultEditorContentColor() const;
  virtual TColor DefaultBlankHeaderColor() const;
  virtual TColor HeaderTextColorForState(bool Accented) const;
  virtual TColor DefaultCalendarHolidayTextColor() const;
  virtual TColor DefaultCalendarInactiveDayTextColor() const;
  virtual TColor DefaultCalendarSelectedDayColor() const;
  virtual TColor DefaultCalendarSelectedDayTextColor() const;
  virtual TColor DefaultCalendarSeparatorColor() const;
  virtual TColor DefaultCalendarBackgroundColor() const;
  virtual TColor DefaultCalendarDayTextColor() const;
  virtual TColor DefaultCalendarTodayFrameColor() const;
  virtual TColor DefaultCalendarTodayTextColor() const;
  virtual TColor DefaultColor58() const;
  virtual TColor DefaultTextColor59() const;
  virtual TColor DefaultViewFrameColor() const;
  virtual TColor DefaultColor61() const;
  virtual TColor DefaultSchedulerNavigatorColor() const;
  virtual TColor DefaultSchedulerRulerColor() const;
  virtual TColor DefaultSchedulerRulerTextColor() const;
  virtual TColor DefaultColor65() const;
  virtual TColor DefaultSelectedAppointmentTextColor() const;
  virtual TColor DefaultAppointmentTextColor() const;
  virtual TColor DefaultSelectionColor() const;
  virtual TColor DefaultSelectionTextColor() const;
  virtual TColor DefaultCardSeparatorColor() const;
  virtual TColor DefaultColor71() const;
  virtual TColor DefaultTextColor72() const;
  virtual TColor DefaultColor73() const;
  virtual TColor DefaultColor74() const;
  virtual TColor DefaultColor75() const;
  virtual TColor DefaultTimeGridHeaderTextColor() const;
  virtual TColor DefaultColor77() const;
  virtual TColor DefaultTextColor78() const;
  virtual TColor DefaultColor79() const;
  virtual TColor DefaultColor80() const;
  virtual TColor DefaultColor81() const;
  virtual TColor DefaultColor82() const;
  virtual TColor DefaultColor83() const;
  virtual TColor DefaultColor84() const;
  virtual TColor DefaultColor85() const;
  virtual TColor DefaultColor86() const;
  virtual TColor DefaultColor87() const;
  virtual TColor DefaultColor88() const;
  virtual TColor DefaultColor89() const;
  virtual void DrawDirectionalArrow(TcxCanvas* ACanvas, const TRect& R, TcxArrowPointing Pointing, TColor Color) const;
  virtual void DrawArrowButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, TcxArrowPointing Pointing, bool Bordered) const;
  virtual void DrawArrowButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const;
  virtual void DrawArrowButtonGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, TcxArrowPointing Pointing) const;
  virtual int BorderWidth() const;
  virtual void DrawControlBorder(TcxCanvas* ACanvas, const TRect& R) const;
  virtual void DrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const;
  virtual TRect GroupButtonDrawBounds(const TRect& R, int Count, int Index) const;
  virtual int ButtonBorderWidth(TcxButtonState State) const;
  virtual TColor ButtonFaceColor(TcxButtonState State) const;
  virtual TRect ButtonFocusBounds(TcxCanvas* ACanvas, const TRect& R) const;
  virtual TRect ButtonGroupBorderWidths(int Count, int Index) const;
  virtual int ButtonCaptionOffset() const;
  virtual int ButtonPressedShift() const;
  virtual TColor ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const;
  virtual TcxButtonState ButtonGlyphState(TcxButtonState State) const;
  virtual void DrawPushButton(TcxCanvas* ACanvas, const TRect& R, const String& Caption, TcxButtonState State, bool DrawBorder, TColor FaceColor, TColor TextColor, bool WordWrap, int ThemeClassKind) const;
  virtual void DrawGroupedButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, int Count, int Index, TColor FrameColor) const;
  virtual void DrawButtonFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const;
  virtual void DrawButtonGroupFrame(TcxCanvas* ACanvas, const TRect& R, bool Emphasized, bool Hot) const;
  virtual void DrawExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor Color) const;
  virtual void DrawRotatedGroupExpander(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Expanded, int Position) const;
  virtual bool ExpandBoxDrawnFirst() const;
  virtual void DrawGroupExpander(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TcxButtonState State) const;
  virtual void DrawSmallExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor BorderColor, TColor Color) const;
  virtual int ExpandBoxSize() const;
  virtual int GroupExpanderSize() const;
  virtual bool HotTracksButtons() const;
  virtual bool HitTestGroupExpander(const TRect& R, const TPoint& P) const;
  virtual int SmallExpandBoxSize() const;
  virtual int CheckBoxBorderWidth() const;
  virtual TColor CheckBoxFaceColor(TcxButtonState State) const;
  virtual TSize CheckBoxSize() const;
  virtual void DrawCheckMark(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Checked, TColor Color) const;
  virtual void DrawCheckBoxFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const;
  virtual void DrawCheckBoxOfState(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Checked) const;
  virtual void DrawCheckBox(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, TcxCheckBoxState CheckState) const;
  virtual void DrawRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState State, bool Checked, bool Focused, TColor BackColor, bool IsDesigning) const;
  virtual TSize RadioButtonGlyphSize() const;
  virtual void DrawLabelLine(TcxCanvas* ACanvas, const TRect& R, TColor ShadowColor, TColor HighlightColor, bool Vertical) const;
  virtual int LabelLineThickness() const;
  virtual void DrawColumnHeader(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxBorders Neighbours, TcxBorders Sides, TcxButtonState State, TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor, TColor BackColor, const TcxDrawBackgroundEvent& OnDrawBackground, bool Flag, bool SecondFlag) const;
  virtual void DrawColumnHeaderDirect(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxBorders Neighbours, TcxBorders Sides, TcxButtonState State, TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor, TColor BackColor, const TcxDrawBackgroundEvent& OnDrawBackground) const;
  virtual void DrawColumnHeaderFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorders Neighbours, TcxBorders Sides) const;
  virtual void DrawHeaderPressedEffect(TcxCanvas* ACanvas, const TRect& R) const;
  virtual void DrawHeaderSection(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxBorders Neighbours, TcxBorders Sides, TcxButtonState State, TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor, TColor BackColor) const;
  virtual void DrawHeaderSectionFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides, TcxButtonState State) const;
  virtual void DrawHeaderSectionContent(TcxCanvas* ACanvas, const TRect& R, const TRect& TextBounds, TcxButtonState State, TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor, TColor BackColor) const;
  virtual void DrawHeaderSectionCaption(TcxCanvas* ACanvas, const TRect& TextBounds, TcxButtonState State, TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor) const;
  virtual void DrawHeaderDivider(TcxCanvas* ACanvas, const TRect& Bounds, int IndentSize, TColor Color, const TcxPaintParams& Params) const;
  virtual void DrawSortArrow(TcxCanvas* ACanvas, const TRect& R, bool Ascending) const;
  virtual TcxBorders VisibleHeaderSides(TcxBorders Neighbours) const;
  virtual int HeaderFrameWidth() const;
  virtual TRect HeaderBoundsFromContent(const TRect& R, TcxBorders Neighbours, TcxBorders Sides) const;
  virtual TRect HeaderContentBounds(const TRect& R, TcxBorders Sides) const;
  virtual bool HeaderIsOpaque() const;
  virtual int HeaderHeightForText(int TextHeight) const;
  virtual int HeaderSectionFrameWidth(TcxButtonState State) const;
  virtual TRect HeaderSectionTextBounds(const TRect& Bounds, TcxButtonState State) const;
  virtual TRect HeaderSectionContentBounds(const TRect& Bounds, TcxButtonState State) const;
  virtual int HeaderWidthForText(TcxCanvas* ACanvas, TcxBorders Sides, const String& Text, TFont* Font) const;
  virtual bool HotTracksHeaders() const;
  virtual TPoint SortArrowAreaSize() const;
  virtual TSize SortArrowSize() const;
  virtual void DrawGroupByBoxBackground(TcxCanvas* ACanvas, const TRect& R, bool Transparent, TColor Color, TBitmap* Bitmap) const;
  virtual TColor DefaultOffice11GroupRowColor(bool UseWindowColor) const;
  virtual TColor DefaultOffice11GroupRowSeparatorColor() const;
  virtual TColor DefaultOffice11GroupRowTextColor() const;
  virtual bool IsHeaderElementOpaque() const;
  virtual TColor DefaultGroupPanelColor() const;
  virtual TColor DefaultGroupPanelTextColor() const;
  virtual void DrawLayoutViewItem(TcxCanvas* ACanvas, const TRect& R, int State, TcxBorders Sides) const;
  virtual void DrawLayoutViewRecordCaption(TcxCanvas* ACanvas, const TRect& R, int Position, int State) const;
  virtual void DrawLayoutViewRecordCaptionFrame(TcxCanvas* ACanvas, const TRect& R, int State, TcxBorders Sides) const;
  virtual void DrawLayoutViewRecordFrame(TcxCanvas* ACanvas, const TRect& R, int Position, int State, TcxBorders Sides) const;
  virtual void DrawLayoutViewRecordExpandButton(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TcxButtonState State) const;
  virtual TRect LayoutViewElementPadding(int Kind) const;
  virtual TRect LayoutViewElementSpacing(int Kind) const;
  virtual TcxBorders LayoutViewRecordCaptionSides() const;
  virtual int FooterFrameWidth() const;
  virtual int FooterCellFrameWidth() const;
  virtual int FooterCellSpacing() const;
  virtual bool FooterCellsDrawnFirst() const;
  virtual TColor DefaultFooterSeparatorColor() const;
  virtual int FooterSeparatorWidth() const;
  virtual void DrawFooterCell(TcxCanvas* ACanvas, const TRect& R, TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine, const String& Text, TFont* Font, TColor TextColor, TColor BackColor, const TcxDrawBackgroundEvent& OnDrawBackground) const;
  virtual void DrawFooterCellContent(TcxCanvas* ACanvas, const TRect& R, TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine, const String& Text, TFont* Font, TColor TextColor, TColor BackColor, const TcxDrawBackgroundEvent& OnDrawBackground) const;
  virtual void DrawFooterFrame(TcxCanvas* ACanvas, const TRect& R) const;
  virtual void DrawFooterCellFrame(TcxCanvas* ACanvas, const TRect& R) const;
  virtual void DrawFooterBackground(TcxCanvas* ACanvas, const TRect& R, const TcxPaintParams& Params) const;
  virtual void DrawFooterSeparator(TcxCanvas* ACanvas, const TRect& R) const;
  virtual void DrawFilterToggle(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Checked) const;
  virtual void DrawFilterCloseGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const;
  virtual void DrawFilterDropDownArrowButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Active) const;
  virtual void DrawFilterPanelBackground(TcxCanvas* ACanvas, const TRect& R, bool Transparent, TColor Color, TBitmap* Bitmap) const;
  virtual TPoint FilterToggleSize() const;
  virtual TPoint FilterCloseGlyphSize() const;
  virtual TPoint FilterDropDownArrowButtonSize() const;
  virtual void FillWindowContent(TcxCanvas* ACanvas, const TRect& R) const;
  virtual TcxEditPopupBorderStyle PopupFrameStyle() const;
  virtual void DrawTabItem(TcxCanvas* ACanvas, const TRect& R, TcxBorders Borders, const String& Text, TcxButtonState State, bool Vertical, TFont* Font, TColor TextColor, TColor BackColor, bool ShowPrefix) const;
  virtual void DrawTabItemFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorder Border, TcxBorders Sides, bool Vertical) const;
  virtual void DrawTabStripBase(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides, bool Vertical) const;
  virtual bool CanDrawTabs(bool Vertical) const;
  virtual bool HotTracksTabs(bool Vertical) const;
  virtual int TabFrameWidth(bool Vertical) const;
  virtual void DrawIndicatorCustomizeGlyph(TcxCanvas* ACanvas, const TRect& R, TColor Color) const;
  virtual void DrawIndicatorGlyph(TcxCanvas* ACanvas, const TRect& R, int Kind) const;
  virtual void DrawIndicatorCell(TcxCanvas* ACanvas, const TRect& R, int Kind, TColor BackColor, const TcxDrawBackgroundEvent& OnDrawBackground) const;
  virtual void DrawIndicatorHeaderCell(TcxCanvas* ACanvas, const TRect& R, int Kind, TColor BackColor, const TcxDrawBackgroundEvent& OnDrawBackground) const;
  virtual bool ScrollBarStyleFlag() const;
  virtual int ScrollBarMinThumbLength(bool Vertical) const;
  virtual void DrawScrollBarTrack(TcxCanvas* ACanvas, const TRect& R, bool Horizontal) const;
  virtual void DrawScrollBarElement(TcxCanvas* ACanvas, bool Horizontal, const TRect& R, int Part, TcxButtonState State) const;
  virtual TSize SizeGripSize() const;
  virtual void DrawSizeGripGlyph(TcxCanvas* ACanvas, const TRect& R) const;
  virtual void DrawSizeGripAtCorner(TcxCanvas* ACanvas, const TRect& R, TColor BackColor, int Corner) const;
  virtual TSize SmallCloseButtonSize() const;
  virtual void DrawSmallCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const;
  virtual void CalcNavigationButtonLayout(bool IsNext, bool Rotated, const TSize& TextSize1, const TSize& TextSize2, TRect& Bounds, TRect& TextRect, TRect& ArrowRect) const;
  virtual void DrawCalendarMonthHeader(TcxCanvas* ACanvas, const TRect& R, const String& Text, TcxBorders Neighbours, const TcxPaintParams& Params, int Which, int ArrowOffset, const TcxDrawBackgroundEvent& OnDrawBackground) const;
  virtual void DrawViewFrame(TcxCanvas* ACanvas, const TRect& R) const;
  virtual void DrawProgressIndicator(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& ProgressRect, const TcxPaintParams& Params, bool Framed) const;
  virtual void DrawNavigationButton(TcxCanvas* ACanvas, const TRect& R, bool IsNext, TcxButtonState State, const String& Text, const TRect& TextRect, const TRect& ContentRect) const;
  virtual void DrawNavigationButtonArrow(TcxCanvas* ACanvas, const TRect& R, bool IsNext, TColor Color) const;
  virtual void DrawEditorButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const;
  virtual void DrawSeparatorBar(TcxCanvas* ACanvas, const TRect& R, const TcxPaintParams& Params, bool Horizontal) const;
  virtual TRect ProgressIndicatorMargins() const;
  virtual TColor NavigationButtonArrowColor(bool IsNext, TcxButtonState State, TColor DefaultColor) const;
  virtual void NavigationButtonSizes(bool IsNext, TRect& Borders, TSize& ArrowSize, bool& HasTextArea) const;
  virtual int ThinFrameWidth() const;
  virtual void DrawClockFace(TcxCanvas* ACanvas, const TRect& R, TDateTime Time, TColor BackColor) const;
  virtual void DrawEditButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, TcxEditButtonGlyphKind Kind, TcxEditBtnPosition Position) const;
  virtual int EditButtonCaptionOffset() const;
  virtual TSize EditButtonMinSize() const;
  virtual TColor EditButtonCaptionColor() const;
  virtual TColor ContainerFrameColor(bool Highlighted) const;
  virtual void DrawBlankHeader(TcxCanvas* ACanvas, TRect& R) const;
  virtual void DrawNavigatorGlyph(TcxCanvas* ACanvas, TCustomImageList* ImageList, int ImageIndex, int Extra, const TRect& R, bool Enabled, bool UseImageList) const;
  virtual TSize NavigatorButtonMinSize() const;
  virtual void DrawProgressBarFrame(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const;
  virtual void DrawProgressBarChunk(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const;
  virtual void DrawProgressBarText(TcxCanvas* ACanvas, bool Vertical, bool Solid, const String& Text, const TRect& TextRect, const TRect& BarBounds, const TRect& BarRect, TColor TextColor) const;
  virtual TRect ProgressBarFrameMargins(bool Vertical) const;
  virtual TColor DefaultProgressBarTextColor() const;
  virtual TColor ProgressBarTextColor(bool OverFilledPart) const;
  virtual void DrawGroupBoxBackground(TcxCanvas* ACanvas, const TRect& R, const TRect& ClipRect) const;
  virtual void DrawGroupBoxCaptionBackground(TcxCanvas* ACanvas, const TRect& R, int CaptionPosition) const;
  virtual void DrawGroupBoxSides(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides, int CaptionPosition) const;
  virtual void DrawGroupBoxExpandButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Expanded, int Position) const;
  virtual void DrawGroupBoxBorder(TcxCanvas* ACanvas, const TRect& R, bool Enabled, int Extra, TcxBorders Sides) const;
  virtual TRect GroupBoxFrameMargins(bool HasCaption, int CaptionPosition) const;
  virtual TColor GroupBoxCaptionTextColor(bool Enabled, int CaptionPosition) const;
  virtual int GroupBoxCaptionTailLength(bool HasCaption, int CaptionPosition) const;
  virtual void DrawGroupBoxControlBackground(TcxCanvas* ACanvas, TControl* Control, const TRect& R, TColor StartColor, TColor EndColor) const;
  virtual void DrawGroupPanelBody(TcxCanvas* ACanvas, const TRect& R) const;
  virtual void DrawGroupBoxHeader(TcxCanvas* ACanvas, const TRect& R, int CaptionPosition) const;
  virtual void DrawGroupBoxPanelBackground(TcxCanvas* ACanvas, const TRect& R, bool WithBody) const;
  virtual TRect GroupBoxPanelMargins() const;
  virtual TColor GroupBoxPanelTextColor() const;
  virtual void TrackBarThumbBounds(TcxCanvas* ACanvas, TRect& R, bool Horizontal, int Shape) const;
  virtual void DrawTrackBarTrack(TcxCanvas* ACanvas, const TRect& R, const TRect& SelectionRect, bool ShowSelection, bool Enabled, bool Horizontal, TColor Color) const;
  virtual void DrawTrackBarTrackFrame(TcxCanvas* ACanvas, const TRect& R) const;
  virtual void DrawTrackBarThumb(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Horizontal, int Shape, TColor Color) const;
  virtual void DrawTrackBarPointedThumbEdges(TcxCanvas* ACanvas, const TcxPoints& LightEdge, const TcxPoints& InnerDarkEdge, const TcxPoints& OuterDarkEdge) const;
  virtual void DrawTrackBarRectThumbEdges(TcxCanvas* ACanvas, const TRect& R) const;
  virtual TSize TrackBarThumbSize(bool Horizontal) const;
  virtual TColor TrackBarTicksColor() const;
  virtual int TrackBarTrackThickness() const;
  virtual TColor SplitterLightColor(bool Highlighted) const;
  virtual TColor SplitterEdgeColor(bool Highlighted) const;
  virtual void DrawSplitterBar(TcxCanvas* ACanvas, const TRect& R, bool Highlighted, bool SecondFlag, bool Horizontal) const;
  virtual TSize SplitterGripSize(bool Horizontal) const;
  virtual TColor DefaultLayoutControlColor() const;
  virtual void DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R) const;
  virtual TRect PrintPageBorderMargins() const;
  virtual void DrawPreviewBackground(TcxCanvas* ACanvas, const TRect& R) const;
  virtual void DrawPrintPageBorder(TcxCanvas* ACanvas, const TRect& PageRect, const TRect& ContentRect, int Kind, bool FillContent) const;
  virtual TColor CalcButtonTextColor(int Kind) const;
  virtual TColor DefaultCalculatorColor() const;
};

const TcxCustomLookAndFeelPainter* CustomLookAndFeelPainter();

// The expand cross of the painters' expand boxes: a bar from cx - half to cx + half with
// half = (width - 4) div 2, and the upright one when not expanded.
void DrawExpandCross(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor Color);
