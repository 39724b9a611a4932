#pragma once
// The ultra-flat look (one-pixel frames in one colour, hot tracking in highlight colours, the
// default kind's painter) and the Office-2003 look derived from it, which takes its colours from
// the Office-2003 colour table and borrows the native painter where visual styles are on.
#include "ui/foundation/StandardPainters.h"

class TcxUltraFlatLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
 public:
  TcxPainterStyle PainterStyle() const override { return psUltraFlat; }
  int BorderWidth() const override { return 1; }
  int ButtonBorderWidth(TcxButtonState State) const override { return State == cxbsDefault ? 2 : 1; }
  TRect ButtonFocusBounds(TcxCanvas* ACanvas, const TRect& R) const override;
  TRect ButtonGroupBorderWidths(int Count, int Index) const override;
  int ButtonCaptionOffset() const override { return 2; }
  int ButtonPressedShift() const override { return 0; }
  TcxButtonState ButtonGlyphState(TcxButtonState) const override { return cxbsNormal; }
  int ExpandBoxSize() const override { return 11; }
  bool HotTracksButtons() const override { return true; }
  int HeaderFrameWidth() const override { return 1; }
  TcxBorders VisibleHeaderSides(TcxBorders Neighbours) const override;
  TSize SortArrowSize() const override { return TSize(7, 8); }
  TcxBorders LayoutViewRecordCaptionSides() const override { return TcxBorders{bRight, bBottom}; }
  int FooterFrameWidth() const override { return 1; }
  int FooterCellFrameWidth() const override { return 1; }
  int FooterCellSpacing() const override { return 2; }
  TPoint FilterCloseGlyphSize() const override { return TPoint(16, 15); }
  int TabFrameWidth(bool) const override { return 1; }
  TSize SplitterGripSize(bool Horizontal) const override { return Horizontal ? TSize(17, 1) : TSize(1, 17); }
  TColor DefaultViewFrameColor() const override { return clBtnShadow; }
  TColor SplitterEdgeColor(bool Highlighted) const override { return Highlighted ? clHighlight : clBtnShadow; }

  TColor ButtonFaceColor(TcxButtonState State) const override;
  TColor ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const override;
  void DrawButtonFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const override;
  void DrawGroupedButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, int Count, int Index,
                         TColor FrameColor) const override;
  void DrawButtonGroupFrame(TcxCanvas* ACanvas, const TRect& R, bool Emphasized, bool Hot) const override;
  void DrawEditorButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const override;
  void DrawControlBorder(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const override;
  void DrawSeparatorBar(TcxCanvas* ACanvas, const TRect& R, const TcxPaintParams& Params,
                        bool Horizontal) const override;
  void DrawExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor Color) const override;
  void DrawCheckBoxFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const override;
  void DrawColumnHeaderFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorders Neighbours,
                             TcxBorders Sides) const override;
  void DrawColumnHeaderDirect(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds,
                              TcxBorders Neighbours, TcxBorders Sides, TcxButtonState State,
                              TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine,
                              bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                              TColor BackColor, const TcxDrawBackgroundEvent& OnDrawBackground) const override;
  void DrawHeaderSectionFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides,
                              TcxButtonState State) const override;
  void DrawHeaderSectionContent(TcxCanvas* ACanvas, const TRect& R, const TRect& TextBounds, TcxButtonState State,
                                TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine,
                                bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                                TColor BackColor) const override;
  void DrawSortArrow(TcxCanvas* ACanvas, const TRect& R, bool Ascending) const override;
  void DrawFooterPanel(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides) const override;
  void DrawFooterFrame(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawFooterCellFrame(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawFilterDropDownArrowButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State,
                                     bool Active) const override;
  void DrawNavigationButtonFace(TcxCanvas* ACanvas, const TRect& R, const TRect& ContentRect, bool IsNext,
                                TcxButtonState State) const override;
  void DrawTabItemFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorder Border, TcxBorders Sides,
                        bool Vertical) const override;
  void DrawTabStripBase(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides, bool Vertical) const override;
  void DrawScrollBarElement(TcxCanvas* ACanvas, bool Horizontal, const TRect& R, int Part,
                            TcxButtonState State) const override;
  void DrawGroupBoxBorder(TcxCanvas* ACanvas, const TRect& R, bool Enabled, int Extra,
                          TcxBorders Sides) const override;
  void DrawTrackBarTrackFrame(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawTrackBarPointedThumbEdges(TcxCanvas* ACanvas, const TcxPoints& LightEdge, const TcxPoints& InnerDarkEdge,
                                     const TcxPoints& OuterDarkEdge) const override;
  void DrawTrackBarRectThumbEdges(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawPreviewBackground(TcxCanvas* ACanvas, const TRect& R) const override;

  // Added by this painter, after the base's operations.
  virtual TColor ButtonFrameColor(TcxButtonState State) const;
  virtual TColor EdgeColor() const;
  virtual TColor DarkEdgeColor() const;
  virtual TColor HighlightedFrameColor() const;

 protected:
  // The frame and thumb-edge colour of track bars.
  virtual TColor TrackBarEdgeColor() const { return clWindowText; }
};

class TcxOffice11LookAndFeelPainter : public TcxUltraFlatLookAndFeelPainter {
 public:
  TcxPainterStyle PainterStyle() const override { return psOffice11; }
  bool PrefersThemedLook() const override { return true; }
  TColor DefaultAccentTextColor() const override { return clHighlightText; }
  int SmallExpandBoxSize() const override { return 11; }
  bool ExpandBoxDrawnFirst() const override { return false; }
  bool HotTracksHeaders() const override { return true; }
  TcxBorders VisibleHeaderSides(TcxBorders) const override { return cxBordersAll; }
  TSize SplitterGripSize(bool Horizontal) const override {
    return TcxCustomLookAndFeelPainter::SplitterGripSize(Horizontal);
  }
  TColor DefaultViewFrameColor() const override;
  TColor DefaultFilterPanelColor() const override;
  TColor DefaultFilterPanelTextColor() const override;
  TColor DefaultColor22() const override;
  TColor DefaultBlankHeaderColor() const override;
  TColor DefaultColor77() const override;
  TColor DefaultTextColor23() const override { return DefaultHeaderTextColor(); }
  TColor DefaultGroupByBoxColor() const override;
  TColor DefaultGroupByBoxTextColor() const override;
  TColor DefaultGroupRowColor() const override;
  TColor DefaultHeaderBackgroundColor() const override { return DefaultGroupByBoxColor(); }
  TColor DefaultHeaderColor() const override { return Office11HeaderColor(); }
  TColor DefaultCalendarSelectedDayColor() const override;
  TColor DefaultCalendarSelectedDayTextColor() const override { return clWindowText; }
  TColor DefaultColor61() const override;
  TColor DefaultColor71() const override;
  TColor DefaultColor73() const override { return DefaultColor71(); }
  TColor DefaultColor79() const override { return DefaultColor61(); }
  TColor DefaultFooterSeparatorColor() const override { return Office11ShadowColor(); }
  TColor SplitterLightColor(bool Highlighted) const override;
  TColor SplitterEdgeColor(bool Highlighted) const override;

  TColor ButtonFaceColor(TcxButtonState State) const override;
  TColor ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const override;
  TColor CheckBoxFaceColor(TcxButtonState State) const override;
  void DrawButtonFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const override;
  void DrawEditorButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const override;
  void DrawControlBorder(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const override;
  void DrawViewFrame(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor Color) const override;
  void DrawSmallExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor BorderColor,
                          TColor Color) const override;
  void DrawCellContent(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxButtonState State,
                       TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis,
                       const String& Text, TFont* Font, TColor TextColor, TColor BackColor,
                       const TcxDrawBackgroundEvent& OnDrawBackground, bool Solid) const override;
  void DrawColumnHeader(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxBorders Neighbours,
                        TcxBorders Sides, TcxButtonState State, TAlignment AlignmentHorz,
                        TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                        TFont* Font, TColor TextColor, TColor BackColor,
                        const TcxDrawBackgroundEvent& OnDrawBackground, bool Flag, bool SecondFlag) const override;
  void DrawColumnHeaderDirect(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds,
                              TcxBorders Neighbours, TcxBorders Sides, TcxButtonState State,
                              TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert, bool MultiLine,
                              bool ShowEndEllipsis, const String& Text, TFont* Font, TColor TextColor,
                              TColor BackColor, const TcxDrawBackgroundEvent& OnDrawBackground) const override;
  void DrawColumnHeaderFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorders Neighbours,
                             TcxBorders Sides) const override;
  void DrawHeaderSection(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxBorders Neighbours,
                         TcxBorders Sides, TcxButtonState State, TAlignment AlignmentHorz,
                         TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                         TFont* Font, TColor TextColor, TColor BackColor) const override;
  void DrawSortArrow(TcxCanvas* ACanvas, const TRect& R, bool Ascending) const override;
  void DrawCalendarMonthHeader(TcxCanvas* ACanvas, const TRect& R, const String& Text, TcxBorders Neighbours,
                               const TcxPaintParams& Params, int Which, int ArrowOffset,
                               const TcxDrawBackgroundEvent& OnDrawBackground) const override;
  void DrawLayoutViewRecordCaption(TcxCanvas* ACanvas, const TRect& R, int Position, int State) const override;
  void DrawNavigationButtonFace(TcxCanvas* ACanvas, const TRect& R, const TRect& ContentRect, bool IsNext,
                                TcxButtonState State) const override;
  void DrawScrollBarElement(TcxCanvas* ACanvas, bool Horizontal, const TRect& R, int Part,
                            TcxButtonState State) const override;
  void DrawSizeGripGlyph(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawGroupBoxBorder(TcxCanvas* ACanvas, const TRect& R, bool Enabled, int Extra,
                          TcxBorders Sides) const override;
  TColor GroupBoxCaptionTextColor(bool Enabled, int CaptionPosition) const override;
  void DrawGroupBoxControlBackground(TcxCanvas* ACanvas, TControl* Control, const TRect& R, TColor StartColor,
                                     TColor EndColor) const override;
  void DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawBlankHeader(TcxCanvas* ACanvas, TRect& R) const override;

  TColor ButtonFrameColor(TcxButtonState State) const override;
  TColor EdgeColor() const override;
  TColor DarkEdgeColor() const override { return clBtnText; }
  TColor HighlightedFrameColor() const override;

  // Added by this painter, after the ultra-flat painter's.
  virtual TColor Office11LightColor() const;
  virtual TColor Office11ShadowColor() const;
  virtual TColor Office11HighlightColor() const;
  virtual TColor Office11HeaderColor() const;

 protected:
  TColor TrackBarEdgeColor() const override { return clBtnText; }
};

const TcxUltraFlatLookAndFeelPainter* UltraFlatLookAndFeelPainter();
const TcxOffice11LookAndFeelPainter* Office11LookAndFeelPainter();

// The push-button theme state of a button state: default 5, normal 1, hot 2, pressed 3, disabled 4.
int ButtonStateToThemeState(TcxButtonState State);
