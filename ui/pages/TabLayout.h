#pragma once
// The tab layout: rows, places along and across the rows, the navigator of a single row, and the
// two row bands the tabs are clipped to. It reads every measure from the painter and every
// setting from the control through their narrow interfaces.
#include "ui/pages/TabInterfaces.h"

class TcxTabLayout {
 public:
  explicit TcxTabLayout(IcxTabControl* AControl) : FControl(AControl) {}

  // Lays out every visible tab.
  void Calculate();
  // Orders the rows again around the selected tab and places them across (a selection change with
  // MultiLine needs only this).
  void OrderRows();
  // A scroll arrow moved the row by one tab; the next Calculate places it from there.
  void ScrollRow(bool Forward);
  // Lowers or raises FirstVisibleTab so that the next Calculate shows the tab whole.
  void MakeTabVisible(int TabVisibleIndex);
  void CalculateRotatedTabWidth();

  // Per visible row (indexed by VisibleRow): first and last placed position, (-1, -1) for none.
  TcxPCLineIndexBoundsArray VisibleRowBounds();
  // The positions the layout placed: every visible tab with MultiLine, else the row's range.
  void PlacedTabRange(int& First, int& Last);
  // The band a row lies in.
  TRect BandOfRow(int VisibleRow) const { return VisibleRow < FTopRowCount ? FFirstBand : FSecondBand; }
  bool HasRoom() const { return FMetrics.RowLength >= 1; }

  int FirstVisibleTab() const { return FFirstVisibleTab; }
  void SetFirstVisibleTab(int Value) { FFirstVisibleTab = Value; }
  int LastVisibleTab() const { return FLastVisibleTab; }
  bool LastTabFullyVisible() const { return FLastTabFullyVisible; }
  int RowCount() const { return FRowCount; }
  int TopRowCount() const { return FTopRowCount; }
  int RotatedTabWidth() const { return FRotatedTabWidth; }
  int RotatedCaptionWidth() const { return FRotatedCaptionWidth; }
  TRect FirstBand() const { return FFirstBand; }
  TRect SecondBand() const { return FSecondBand; }
  const TcxPCTabsAreaMetrics& TabsAreaMetrics() const { return FMetrics; }
  TcxPCNavigatorButtons NavigatorButtons() const { return FNavigatorButtons; }
  // Fills the metrics for a set of buttons (the shown ones are not changed).
  void CalculateMetrics(TcxPCNavigatorButtons Buttons);

 private:
  int VisibleCount();
  TcxTab* VisibleTab(int TabVisibleIndex);
  int Extent(int TabVisibleIndex);
  // Along the row and between rows, after the swap under Rotate.
  int SpacingAlong();
  int SpacingAcross();
  bool RowAxisIsX();
  int RowStart();
  int AcrossStart();
  int AcrossEnd();
  void SetRowCoordinate(TcxTab* Tab, int Value);
  void SetAcrossCoordinate(TcxTab* Tab, int Value);

  void SetNavigatorButtons(TcxPCNavigatorButtons Value);
  void CalculateLayout();
  void SingleRowLayout();
  void ChooseNavigatorAndPlace();
  void PlaceTabs(int First, int Last, bool StopWhenFull);
  void MultiRowLayout();
  void BreakIntoRows(int L, int S);
  void BalanceGroup(int First, int Last, int L, int S);
  void PlaceAcross();
  void SetBandsAlongRow();

  IcxTabControl* FControl;
  int FFirstVisibleTab = -1;
  int FLastVisibleTab = -1;
  bool FLastTabFullyVisible = false;
  int FRowCount = 0;
  int FTopRowCount = 0;
  int FRotatedTabWidth = 0;
  int FRotatedCaptionWidth = 0;
  TRect FFirstBand;
  TRect FSecondBand;
  TcxPCTabsAreaMetrics FMetrics;
  TcxPCNavigatorButtons FNavigatorButtons;
};
