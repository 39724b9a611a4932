#pragma once
// The native look: every part drawn by the theme library. Each override takes the cached theme
// handle of its class and draws or measures through it; without one it falls back to the standard
// painter, so the painter answers sensibly even when visual styles go off while it is in use.
#include "ui/foundation/StandardPainters.h"
#include "ui/foundation/ThemeManager.h"

class TcxWinXPLookAndFeelPainter : public TcxStandardLookAndFeelPainter {
 public:
  TcxPainterStyle PainterStyle() const override { return psNative; }
  bool PrefersThemedLook() const override;
  TColor DefaultColor65() const override { return static_cast<TColor>(0xD5FFFF); }
  int ButtonCaptionOffset() const override { return 2; }
  int ButtonPressedShift() const override { return 0; }
  bool HotTracksButtons() const override { return true; }
  bool HotTracksHeaders() const override { return true; }
  void DrawDirectionalArrow(TcxCanvas* ACanvas, const TRect& R, TcxArrowPointing Pointing,
                            TColor Color) const override;
  TSize SortArrowSize() const override;
  void DrawSortArrow(TcxCanvas* ACanvas, const TRect& R, bool Ascending) const override;
  void DrawIndicatorCell(TcxCanvas* ACanvas, const TRect& R, int Kind, TColor BackColor,
                         const TcxDrawBackgroundEvent& OnDrawBackground) const override;
  void DrawSplitterBar(TcxCanvas*, const TRect&, bool, bool, bool) const override {}
  void DrawCalendarMonthHeader(TcxCanvas* ACanvas, const TRect& R, const String& Text, TcxBorders Neighbours,
                               const TcxPaintParams& Params, int Which, int ArrowOffset,
                               const TcxDrawBackgroundEvent& OnDrawBackground) const override;
  void DrawGroupBoxControlBackground(TcxCanvas* ACanvas, TControl* Control, const TRect& R, TColor StartColor,
                                     TColor EndColor) const override;

  // Button class.
  void DrawArrowButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const override;
  TRect GroupButtonDrawBounds(const TRect& R, int Count, int Index) const override;
  int ButtonBorderWidth(TcxButtonState State) const override;
  TColor ButtonFaceColor(TcxButtonState State) const override;
  TRect ButtonFocusBounds(TcxCanvas* ACanvas, const TRect& R) const override;
  TRect ButtonGroupBorderWidths(int Count, int Index) const override;
  TColor ButtonGlyphColor(TcxButtonState State, TColor DefaultColor) const override;
  void DrawPushButton(TcxCanvas* ACanvas, const TRect& R, const String& Caption, TcxButtonState State,
                      bool DrawBorder, TColor FaceColor, TColor TextColor, bool WordWrap,
                      int ThemeClassKind) const override;
  int CheckBoxBorderWidth() const override;
  TSize CheckBoxSize() const override;
  void DrawCheckMark(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Checked,
                     TColor Color) const override;
  void DrawCheckBoxFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const override;
  void DrawRadioButton(TcxCanvas* ACanvas, int X, int Y, TcxButtonState State, bool Checked, bool Focused,
                       TColor BackColor, bool IsDesigning) const override;
  TSize RadioButtonGlyphSize() const override;
  TPoint FilterToggleSize() const override;
  void DrawGroupBoxBorder(TcxCanvas* ACanvas, const TRect& R, bool Enabled, int Extra,
                          TcxBorders Sides) const override;
  TColor GroupBoxCaptionTextColor(bool Enabled, int CaptionPosition) const override;

  // ScrollBar class.
  void DrawArrowButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, TcxArrowPointing Pointing,
                       bool Bordered) const override;
  void DrawScrollBarElement(TcxCanvas* ACanvas, bool Horizontal, const TRect& R, int Part,
                            TcxButtonState State) const override;
  int ScrollBarMinThumbLength(bool Vertical) const override;
  TSize SizeGripSize() const override;
  void DrawSizeGripGlyph(TcxCanvas* ACanvas, const TRect& R) const override;

  // Header class.
  void DrawColumnHeader(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxBorders Neighbours,
                        TcxBorders Sides, TcxButtonState State, TAlignment AlignmentHorz,
                        TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                        TFont* Font, TColor TextColor, TColor BackColor,
                        const TcxDrawBackgroundEvent& OnDrawBackground, bool Flag, bool SecondFlag) const override;
  void DrawHeaderPressedEffect(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawHeaderSection(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& TextBounds, TcxBorders Neighbours,
                         TcxBorders Sides, TcxButtonState State, TAlignment AlignmentHorz,
                         TcxAlignmentVert AlignmentVert, bool MultiLine, bool ShowEndEllipsis, const String& Text,
                         TFont* Font, TColor TextColor, TColor BackColor) const override;
  int HeaderFrameWidth() const override;
  int HeaderSectionFrameWidth(TcxButtonState State) const override;
  TRect HeaderSectionContentBounds(const TRect& Bounds, TcxButtonState State) const override;
  void DrawBlankHeader(TcxCanvas* ACanvas, TRect& R) const override;

  // Tab class.
  void DrawTabItemFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorder Border, TcxBorders Sides,
                        bool Vertical) const override;
  bool CanDrawTabs(bool Vertical) const override;
  bool HotTracksTabs(bool Vertical) const override;
  int TabFrameWidth(bool Vertical) const override;

  // TreeView and ExplorerBar classes.
  void DrawExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor Color) const override;
  bool ExpandBoxDrawnFirst() const override { return false; }
  void DrawSmallExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor BorderColor,
                          TColor Color) const override;
  int ExpandBoxSize() const override;
  int SmallExpandBoxSize() const override { return ExpandBoxSize(); }
  void DrawGroupExpander(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TcxButtonState State) const override;
  int GroupExpanderSize() const override;
  bool HitTestGroupExpander(const TRect& R, const TPoint& P) const override;

  // ListView, Edit, Window, ComboBox, ToolBar and Progress classes.
  int BorderWidth() const override;
  void DrawControlBorder(TcxCanvas* ACanvas, const TRect& R) const override;
  void DrawFooterFrame(TcxCanvas* ACanvas, const TRect& R) const override;
  int FooterFrameWidth() const override;
  void DrawFilterCloseGlyph(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const override;
  TPoint FilterCloseGlyphSize() const override;
  TSize SmallCloseButtonSize() const override;
  void DrawFilterDropDownArrowButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State,
                                     bool Active) const override;
  TColor DefaultViewFrameColor() const override;
  void DrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const override;
  void DrawEditorButtonFace(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const override;
  void DrawProgressIndicator(TcxCanvas* ACanvas, const TRect& Bounds, const TRect& ProgressRect,
                             const TcxPaintParams& Params, bool Framed) const override;
  TRect ProgressIndicatorMargins() const override { return TRect(3, 3, 3, 3); }

  // TrackBar class.
  void TrackBarThumbBounds(TcxCanvas* ACanvas, TRect& R, bool Horizontal, int Shape) const override;
  void DrawTrackBarTrack(TcxCanvas* ACanvas, const TRect& R, const TRect& SelectionRect, bool ShowSelection,
                         bool Enabled, bool Horizontal, TColor Color) const override;
  void DrawTrackBarThumb(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, bool Horizontal, int Shape,
                         TColor Color) const override;

  // Added by this painter: themed text with the canvas font in the text colour.
  virtual void DrawThemeCaption(TcxCanvas* ACanvas, win::HTHEME Theme, int Part, int State, const TRect& ClipRect,
                                const TRect& R, TAlignment AlignmentHorz, TcxAlignmentVert AlignmentVert,
                                bool MultiLine, bool ShowEndEllipsis, bool ShowPrefix, const String& Text, TFont* Font,
                                TColor TextColor, TColor BackColor) const;
};

const TcxWinXPLookAndFeelPainter* WinXPLookAndFeelPainter();
