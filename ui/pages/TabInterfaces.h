#pragma once
// The two narrow views through which tabs and the tab layout reach their surroundings: what they
// ask of the painter (every measure) and what they read and tell the tab control. The tab control
// implements the one and its painter the other, so the layout and the tabs run in tests without a
// window, on a painter of fixed metrics.
#include "ui/pages/PCTypes.h"

class TcxTab;
class TcxTabs;
class TcxTabLayout;

class IcxTabLayoutPainter {
 public:
  virtual ~IcxTabLayoutPainter() = default;
  // The common height of every tab.
  virtual int NormalTabHeight() = 0;
  // The tab's normal width along its row.
  virtual int CalculateTabWidth(TcxTab* Tab) = 0;
  // -1 asks for the least width any tab may have.
  virtual int MinTabWidth(int TabVisibleIndex) = 0;
  // dw between the tabs of a row, dh between rows (their roles swap under Rotate).
  virtual TcxPCDistance TabSpacing() = 0;
  virtual void CalculateTabsAndButtonsArea(TcxPCNavigatorButtons Buttons, TcxPCTabsAreaMetrics& Metrics) = 0;
  virtual TRect TabRectAdjustment(int TabVisibleIndex) = 0;
  virtual bool DrawsTabShapes() = 0;
  virtual bool AllowsTabMultiSelect() = 0;
  virtual bool PressesTabsLikeButtons() = 0;
};

class IcxTabControl {
 public:
  virtual ~IcxTabControl() = default;

  virtual IcxTabLayoutPainter* LayoutPainter() = 0;
  virtual TcxTabs* Tabs() = 0;
  virtual TcxTabLayout* Layout() = 0;

  // ---- properties ----
  virtual bool MultiLine() = 0;
  virtual bool Rotate() = 0;
  virtual bool RaggedRight() = 0;
  virtual bool ScrollOpposite() = 0;
  virtual TcxTabPosition TabPosition() = 0;
  virtual TcxPCOptions Options() = 0;
  virtual int MaxRotatedTabWidth() = 0;
  virtual bool ControlEnabled() = 0;
  virtual bool IsLoading() = 0;
  virtual bool IsDestroying() = 0;
  // The page control wants no selected tab that is hidden.
  virtual bool RequiresVisibleSelection() = 0;

  // ---- selection state ----
  virtual int TabIndex() = 0;
  virtual void SetTabIndex(int Value) = 0;
  // Sets the index alone, firing nothing: the first tab inserted is selected this way.
  virtual void SetTabIndexWithoutEvents(int Value) = 0;
  virtual int SelectedTabVisibleIndex() = 0;
  virtual int HotTabVisibleIndex() = 0;
  virtual int PressedTabVisibleIndex() = 0;
  virtual int FocusedTabVisibleIndex() = 0;
  virtual void ClearFocusedTab() = 0;
  virtual bool MultiSelectMode() = 0;
  virtual void SetMultiSelectMode(bool Value) = 0;
  // The layout's reset: positions not below the visible count become -1, TabIndex at most the last.
  virtual void ResetIndicesForLayout(int VisibleCount) = 0;
  // After every layout, the buttons shown before and now: those gone lose their hot and pressed
  // states, and the arrows' and close button's enabled states are recomputed.
  virtual void NavigatorButtonsChanged(TcxPCNavigatorButtons Old, TcxPCNavigatorButtons New) = 0;

  // ---- notifications ----
  virtual void Relayout() = 0;
  virtual void RepaintTab(int TabVisibleIndex, TcxPCTabPropertyChanged Kind) = 0;
  // The width of the caption as drawn with the tab's prepared font.
  virtual int MeasureTabCaptionWidth(TcxTab* Tab) = 0;
};

// ---- derived from the properties ----------------------------------------------------------------

// Captions run vertically: tabs on the sides without Rotate, or on top or bottom with it.
inline bool cxPCHasVerticalText(TcxTabPosition Position, bool Rotate) {
  return (Position == tpLeft || Position == tpRight) != Rotate;
}
// 0 horizontal, 1 vertical from bottom to top, 2 vertical from top to bottom.
inline int cxPCTabTextDirection(TcxTabPosition Position, bool Rotate, TcxPCOptions Options) {
  if (!cxPCHasVerticalText(Position, Rotate)) return 0;
  return Options.Contains(pcoTopToBottomText) ? 2 : 1;
}
// The first tab lies at the far end of the row: captions that run from bottom to top along a side,
// or rotated top-to-bottom captions on top and bottom.
inline bool cxPCRowRunsInReverse(TcxTabPosition Position, bool Rotate, TcxPCOptions Options) {
  bool topToBottom = Options.Contains(pcoTopToBottomText);
  if (Position == tpLeft || Position == tpRight) return !Rotate && !topToBottom;
  return Rotate && topToBottom;
}
inline bool cxPCIsHorizontalPosition(TcxTabPosition Position) { return Position == tpTop || Position == tpBottom; }
