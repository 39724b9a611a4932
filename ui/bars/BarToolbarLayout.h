#pragma once
// The size rules of a toolbar and the placement of its items, as arithmetic over a measuring view
// of it. The view holds what the rules read (orientation, separator and mark sizes, the MDI button
// area, frames, the empty sizes) and reaches the links through a few virtual operations, so the
// same arithmetic serves the toolbar window and views fed with sizes directly.
#include "ui/bars/BarClasses.h"

class TdxBarToolbarMeasure {
 public:
  // One link as the rules see it: its item control's measured size, whether it begins a group and
  // the alignment it takes on this toolbar.
  struct TLink {
    int Width = 0;
    int Height = 0;
    bool BeginGroup = false;
    TdxBarItemAlign Align = iaLeft;
    int MinWidth = 1;
  };

  virtual ~TdxBarToolbarMeasure() = default;

  // ---- the toolbar as it stands ----
  // The window's own docking style and orientation, whatever style a rule is asked about.
  TdxBarDockingStyle WindowStyle = dsNone;
  bool Vertical = false;
  // Floating or multi-line.
  bool Wraps = false;
  // Separator size, mark area, and the MDI button area (LM wide, TM high) while it shows.
  int S = 0, M = 0, LM = 0, TM = 0;
  bool ShowsButtons = false;
  bool ShowsCloseButton = false;
  int CloseButtonWidth = 0;
  // The size of a toolbar without items.
  int EmptyLength = 0, EmptyThickness = 0;
  // The frame's horizontal and vertical sums for each docking style.
  TSize Borders[5]{};
  // Recent-use collapsing applies to the links.
  bool Collapses = false;
  // The window stands in the application menu's extra pane: it sizes as floating.
  bool SizesAsFloating = false;
  int FloatClientWidth = 0;
  bool WholeRow = false;
  // The client size of the dock site a whole-row toolbar fills.
  bool HasDockSite = false;
  TSize DockClientSize{};
  // Where the items go.
  TSize ClientSize{};
  bool TestsFirstItemOverflow = false;

  // ---- the links ----
  virtual int CanVisibleCount() = 0;
  virtual TLink CanVisible(int AIndex) = 0;
  virtual int VisibleCount() = 0;
  virtual TLink Visible(int AIndex) = 0;
  virtual int CollapsedCount() = 0;
  // Changes which links are visible; measures nothing.
  virtual void SetCollapsedCount(int ACount) = 0;
  // The line-breaking pass's decision that a visible link starts a new line.
  virtual bool WrapsBefore(int AIndex) = 0;
  virtual void SetWrapsBefore(int AIndex, bool Value) = 0;
  // Placement results: a visible link's rectangle and the thickness of its line (an empty
  // rectangle for links that are not placed), whether it ends a line, and that an aligned item
  // left links out.
  virtual void Place(int AIndex, const TRect& R, int ALineThickness) = 0;
  virtual void SetEndsLine(int AIndex, bool Value) = 0;
  virtual void MarkShortened() = 0;
  // The toolbar places its items again (the window recalculates its view).
  virtual void CalcViewInfo() = 0;

  // ---- the rules ----
  // The rules a window class may refine; the rules reach each other through these, so a
  // window's own answers take part.
  virtual int MinLengthFor(TdxBarDockingStyle AStyle);
  virtual int MinThicknessFor(TdxBarDockingStyle AStyle);
  virtual TSize CalcSizeForWidth(TdxBarDockingStyle AStyle, int AWidth);
  virtual TSize CalcSizeForHeight(TdxBarDockingStyle AStyle, int AHeight);
  int FullWidthFor(TdxBarDockingStyle AStyle);
  int FullHeightFor(TdxBarDockingStyle AStyle);
  // Breaks the visible links into lines of at most ALength along; ASize holds the minimal size on
  // entry and the client size on exit.
  void WrapForWidth(bool ADocked, int ALength, TSize& ASize);
  // The whole window's size for a docking style; the collapsed count comes back as it was.
  TSize SizeForStyle(TdxBarDockingStyle AStyle);
  // Places the visible links in the client area.
  void PlaceItems();

 private:
  struct TMeasured {
    int Along = 0;
    int Across = 0;
    bool Overflowed = false;
  };
  int Along(const TLink& L) const { return Vertical ? L.Height : L.Width; }
  int Across(const TLink& L) const { return Vertical ? L.Width : L.Height; }
  // The visible links side by side (widths, or heights for a vertical run) until one would end
  // beyond ALength; the first is always taken.
  TMeasured MeasureRun(bool AVertical, int ALength);
  // Recent-use collapsing of a single line: the collapsed count ends where the most recently used
  // links fit into ALength; their run is the result.
  TMeasured CollapseInto(bool AVertical, int ALength);
  TSize SingleLineSize(TdxBarDockingStyle AStyle, bool AVertical, int AWanted);
  void ShowUncollapsedOnce();
  int WidestCanVisible();
  int TallestCanVisible();
};
