#pragma once
// The styles whose tabs are not rectangles. "Slanted" cuts the tabs' upper corners or slants their
// ends (TabSlants), neighbours overlapping by half a slant; "OneNote" draws notebook dividers in
// the Office-2003 scheme's colours. Both fill tabs with a two-colour gradient, take clicks only
// inside the drawn shape and prefer the selected tab where shapes overlap.
#include <map>
#include <tuple>
#include <vector>

#include "ui/pages/PCStandardPainter.h"

// The position of one edge of a tab's outline.
enum TLinePosition : std::uint8_t { lpL, lpLT, lpT, lpRT, lpR, lpRB, lpB, lpLB };
using TPoints = std::vector<TPoint>;
using TLinePositions = std::vector<TLinePosition>;

class TcxPCSlantedPainter : public TcxPCStandardPainter {
  VW_CLASS(TcxPCSlantedPainter, TcxPCStandardPainter)
 public:
  using TcxPCStandardPainter::TcxPCStandardPainter;
  TcxPCPainterClass PainterClass() const override;

  // ---- the slots the two styles add, in their order ----
  virtual bool HotTracksSelectedTab() { return false; }
  virtual void PaintTabGradient(TcxCanvas* ACanvas, const TRect& R, bool Reversed, bool Horizontal, int TabVisibleIndex);
  virtual void PaintPageJoin(int TabVisibleIndex);
  virtual void TabGradientColors(int TabVisibleIndex, TColor& First, TColor& Second);
  virtual int SlantExtraWidth();
  virtual TColor OutlineColor() { return clBtnShadow; }
  virtual TcxTabSlantPositions SlantedSides();
  virtual void ImageAreaSize(TSize& Size);
  virtual int ReservedZero() { return 0; }
  virtual int SlantSize();
  // Inner leaves the outline's pixels out (the fill's clip); outer holds them (the tab's region).
  virtual std::unique_ptr<TcxRegion> TabShapeRegion(int TabVisibleIndex, bool Inner);
  virtual void PaintTabOutline(int TabVisibleIndex, const TRect& R);
  virtual void PaintTabMark(int TabVisibleIndex);

  // ---- overrides ----
  int CalculateTabWidth(TcxTab* Tab) override;
  void FillPageArea() override;
  int NavigatorButtonSpacing(TcxPCNavigatorButton Button1, TcxPCNavigatorButton Button2) override;
  int NavigatorTabsGap() override { return 1; }
  int NavigatorEdgeOffset() override { return ParentInfo()->ParentReservedFlag() ? 2 : 1; }
  int NavigatorEndOffset() override { return ParentInfo()->ParentReservedFlag() ? 2 : 0; }
  TRect PageClientExtents() override;
  TRect TabContentOffsets(int TabVisibleIndex) override;
  TRect TabImageTextOffsets(int TabVisibleIndex) override;
  int ClientShift() override { return 1; }
  bool UsesPageColorForTabs() override { return true; }
  int TabImageTextGap(int) override { return 3; }
  int MinTabWidth(int TabVisibleIndex) override { return TabImageAreaWidth(TabVisibleIndex); }
  TColor TabFillColor(int TabVisibleIndex) override;
  std::unique_ptr<TcxRegion> TabRegion(int TabVisibleIndex) override;
  TcxPCWOffset TabContentPadding(int TabVisibleIndex) override;
  TRect SelectedTabExpansion() override { return TRect(); }
  TcxPCDistance TabSpacing() override;
  TcxPCWOffset TabTextIndent(int TabVisibleIndex) override { return TabContentPadding(TabVisibleIndex); }
  void BeforeLayout() override {
    FSlantSize = SlantSize();
    FBlends.clear();
  }
  bool IsPointInTabShape(int TabVisibleIndex, int X, int Y) override;
  bool IsTabActiveLook(int) override { return false; }
  void PaintFrameBorder() override;
  void PaintTabs() override;
  void PaintRotatedTabContent(TBitmap* Bitmap, const TcxPCTabImageAndTextData& Data, int TabVisibleIndex) override;
  bool NavigatorButtonInfo(TcxPCNavigatorButton Button, TcxPCNavigatorGlyphInfo& Info) override;
  TColor NavigatorButtonColor(TcxPCNavigatorButtonState State) override;
  TColor NavigatorArrowColor(TcxPCNavigatorButtonState State) override;
  void NavigatorGlyphOffset(TcxPCNavigatorButton Button, TPoint& Offset) override { CentredGlyphOffset(Button, Offset); }
  int NavigatorButtonExtent() override { return 17; }
  int NavigatorButtonLength(TcxPCNavigatorButton Button) override;
  int StyleMinTabHeight() override { return 0; }
  int TabImageAreaWidth(int TabVisibleIndex) override;
  void TabShapeExtents(TRect& Extents) override;
  int TabContentHeight() override;
  void PaintNavigatorButtonFrame(TRect& R, TcxPCNavigatorButtonState State) override;
  void PaintTabFrame(TcxTab* Tab, int TabVisibleIndex) override;

  int CurrentSlantSize() const { return FSlantSize; }
  // The outline of a tab, built as for a top row and turned to its row side.
  void TabOutline(int TabVisibleIndex, TPoints& Points, TLinePositions& Positions);
  // The winding polygon of an outline after the one-pixel moves of its inner or outer region.
  static std::unique_ptr<TcxRegion> OutlinePolygonRegion(const TPoints& Points, const TLinePositions& Positions,
                                                          bool Inner);

 protected:
  // Top-frame geometry of a screen rectangle for a row side: near end, page-side edge, length
  // along the strip and depth across it.
  struct TFrame {
    int L, B, W, H;
  };
  static TFrame FrameOf(const TRect& R, TcxTabPosition RowSide);
  void TransformToRowSide(const TRect& R, TcxTabPosition RowSide, TPoints& Points);
  // The fill of the tab under a point of the control, the control's colour where there is none.
  TColor FillUnder(TPoint P);
  // BlendColorsByPercent, kept until the next layout: each blend asks the screen for its nearest
  // colour, and a tab's outline needs several per paint.
  TColor Blend(TColor Color1, TColor Color2, int Percent);

 private:
  int FSlantSize = 0;
  std::map<std::tuple<TColor, TColor, int>, TColor> FBlends;
};

class TcxPCOneNotePainter : public TcxPCSlantedPainter {
  VW_CLASS(TcxPCOneNotePainter, TcxPCSlantedPainter)
 public:
  using TcxPCSlantedPainter::TcxPCSlantedPainter;
  TcxPCPainterClass PainterClass() const override;

  int NavigatorEdgeOffset() override { return ParentInfo()->ParentReservedFlag() ? 2 : 0; }
  TRect TabContentOffsets(int) override { return TRect(0, 3, 0, 1); }
  TRect TabImageTextOffsets(int) override { return TRect(0, 4, 0, 1); }
  TcxPCWOffset TabContentPadding(int TabVisibleIndex) override;
  TRect SelectedTabExpansion() override { return TRect(); }
  TcxPCDistance TabSpacing() override { return {5 - CurrentSlantSize(), -3}; }
  void TabShapeExtents(TRect& Extents) override { Extents = TRect(4, 0, 4, 0); }
  bool HotTracksSelectedTab() override { return true; }
  void PaintPageJoin(int TabVisibleIndex) override;
  int SlantExtraWidth() override { return CurrentSlantSize() + 4; }
  TColor OutlineColor() override { return OneNoteSchemeColors()[0]; }
  TcxTabSlantPositions SlantedSides() override { return {spLeft}; }
  int SlantSize() override { return NormalTabHeight() + 2; }
  std::unique_ptr<TcxRegion> TabShapeRegion(int TabVisibleIndex, bool Inner) override;
  void PaintTabOutline(int TabVisibleIndex, const TRect& R) override;
  void PaintTabMark(int) override {}
};

// "Slanted" (9) and "OneNote" (10, refusing Rotate).
TcxPCPainterClass cxPCSlantedStyle();
TcxPCPainterClass cxPCOneNoteStyle();
