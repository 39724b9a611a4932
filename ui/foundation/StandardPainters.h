#pragma once
// The classic three-dimensional look (standard) and the flat look: two-pixel sunken borders and
// raised buttons, or one-pixel borders and single-step edges.
#include "ui/foundation/Painters.h"

class TcxStandardLookAndFeelPainter : public TcxCustomLookAndFeelPainter {
 public:
  TcxPainterStyle PainterStyle() const override { return psStandard; }
  int BorderWidth() const override { return 2; }
  int ButtonBorderWidth(TcxButtonState State) const override { return State == cxbsDefault ? 3 : 2; }
  int ButtonCaptionOffset() const override { return 1; }
  int ButtonPressedShift() const override { return 1; }
  int ExpandBoxSize() const override { return 12; }
  int HeaderFrameWidth() const override { return 1; }
  int HeaderSectionFrameWidth(TcxButtonState State) const override { return State == cxbsPressed ? 1 : 2; }
  TSize SortArrowSize() const override { return TSize(8, 7); }
  int FooterFrameWidth() const override { return 1; }
  int FooterCellFrameWidth() const override { return 1; }
  int FooterCellSpacing() const override { return 1; }
  int TabFrameWidth(bool) const override { return 1; }
  TColor DefaultColor65() const override { return clWindow; }

  void DrawControlBorder(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const override;
  void DrawSeparatorBar(TcxCanvas* ACanvas, const TRect& R, const TcxPaintParams& Params,
                        bool Horizontal) const override;
  void DrawButtonFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const override;
  void DrawGroupExpander(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TcxButtonState State) const override;
  void DrawExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor Color) const override;
  void DrawCheckBoxFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const override;
  void DrawColumnHeaderFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorders Neighbours,
                             TcxBorders Sides) const override;
  void DrawHeaderSectionFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides,
                              TcxButtonState State) const override;
  void DrawSortArrow(TcxCanvas* ACanvas, const TRect& R, bool Ascending) const override;
  void DrawCalendarMonthHeader(TcxCanvas* ACanvas, const TRect& R, const String& Text, TcxBorders Neighbours,
                               const TcxPaintParams& Params, int Which, int ArrowOffset,
                               const TcxDrawBackgroundEvent& OnDrawBackground) const override;
  void DrawFooterFrame(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawFooterCellFrame(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawFilterDropDownArrowButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State,
                                     bool Active) const override;
  void DrawTabStripBase(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides, bool Vertical) const override;
  void DrawTabItemFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorder Border, TcxBorders Sides,
                        bool Vertical) const override;
  void DrawScrollBarElement(TcxCanvas* ACanvas, bool Horizontal, const TRect& R, int Part,
                            TcxButtonState State) const override;
  void DrawGroupBoxBorder(TcxCanvas* ACanvas, const TRect& R, bool Enabled, int Extra,
                          TcxBorders Sides) const override;
  void DrawTrackBarTrackFrame(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawTrackBarPointedThumbEdges(TcxCanvas* ACanvas, const TcxPoints& LightEdge, const TcxPoints& InnerDarkEdge,
                                     const TcxPoints& OuterDarkEdge) const override;
  void DrawTrackBarRectThumbEdges(TcxCanvas* ACanvas, const TRect& R) const override;

 protected:
  // The sort triangle of SortArrowSize centred in R: right edge, base, left edge in one path.
  void DrawSortTriangle(TcxCanvas* ACanvas, const TRect& R, bool Ascending, TColor Light, TColor Dark) const;
  // Track parts: the first pattern brush, the second when pressed.
  static void DrawScrollBarTrackPart(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State);
};

class TcxFlatLookAndFeelPainter : public TcxStandardLookAndFeelPainter {
 public:
  TcxPainterStyle PainterStyle() const override { return psFlat; }
  int BorderWidth() const override { return 1; }
  int ButtonBorderWidth(TcxButtonState State) const override { return State == cxbsDefault ? 2 : 1; }
  int ExpandBoxSize() const override { return 11; }
  int HeaderSectionFrameWidth(TcxButtonState) const override { return 1; }
  TColor DefaultColor65() const override { return static_cast<TColor>(0xD5FFFF); }
  TColor SplitterEdgeColor(bool Highlighted) const override { return Highlighted ? cl3DDkShadow : clBtnShadow; }

  void DrawControlBorder(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawSeparatorBar(TcxCanvas* ACanvas, const TRect& R, const TcxPaintParams& Params,
                        bool Horizontal) const override;
  void DrawButtonFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const override;
  void DrawGroupExpander(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TcxButtonState State) const override;
  void DrawExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor Color) const override;
  void DrawCheckBoxFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const override;
  void DrawHeaderSectionFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides,
                              TcxButtonState State) const override;
  void DrawCalendarMonthHeader(TcxCanvas* ACanvas, const TRect& R, const String& Text, TcxBorders Neighbours,
                               const TcxPaintParams& Params, int Which, int ArrowOffset,
                               const TcxDrawBackgroundEvent& OnDrawBackground) const override;
  void DrawScrollBarElement(TcxCanvas* ACanvas, bool Horizontal, const TRect& R, int Part,
                            TcxButtonState State) const override;
  void DrawGroupBoxBorder(TcxCanvas* ACanvas, const TRect& R, bool Enabled, int Extra,
                          TcxBorders Sides) const override;
  void DrawTrackBarTrackFrame(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawTrackBarPointedThumbEdges(TcxCanvas* ACanvas, const TcxPoints& LightEdge, const TcxPoints& InnerDarkEdge,
                                     const TcxPoints& OuterDarkEdge) const override;
  void DrawTrackBarRectThumbEdges(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawBlankHeader(TcxCanvas* ACanvas, TRect& R) const override;
};

const TcxStandardLookAndFeelPainter* StandardLookAndFeelPainter();
const TcxFlatLookAndFeelPainter* FlatLookAndFeelPainter();

// The two 8 x 8 pattern bitmaps of scroll-bar tracks (0: clBtnFace and clBtnHighlight, 1: black
// and cl3DDkShadow in a checkerboard), made on first use; RefreshScrollBarPatternBitmaps repaints
// them in the current system colours.
TBitmap* ScrollBarPatternBitmap(int Index);
void RefreshScrollBarPatternBitmaps();
void FreeScrollBarPatternBitmaps();
