#include "ui/pages/TabLayout.h"

#include <algorithm>
#include <cmath>

#include "ui/pages/Tabs.h"

namespace {

// Row widths weighed by 2^(L - width): a row with much free room costs far more than several rows
// with a little. A double overflows once a row has more than 1023 free pixels, and then no move
// could lower an infinite total; long double keeps wide controls balanced.
using TDeviation = long double;

}  // namespace

// ---- helpers --------------------------------------------------------------------------------------

int TcxTabLayout::VisibleCount() { return FControl->Tabs()->VisibleCount(); }

TcxTab* TcxTabLayout::VisibleTab(int TabVisibleIndex) {
  return FControl->Tabs()->VisibleTabs()->GetTab(TabVisibleIndex);
}

int TcxTabLayout::Extent(int TabVisibleIndex) { return VisibleTab(TabVisibleIndex)->RotatedWidth(); }

int TcxTabLayout::SpacingAlong() {
  TcxPCDistance spacing = FControl->LayoutPainter()->TabSpacing();
  return FControl->Rotate() ? spacing.dh : spacing.dw;
}

int TcxTabLayout::SpacingAcross() {
  TcxPCDistance spacing = FControl->LayoutPainter()->TabSpacing();
  return FControl->Rotate() ? spacing.dw : spacing.dh;
}

bool TcxTabLayout::RowAxisIsX() { return cxPCIsHorizontalPosition(FControl->TabPosition()); }

int TcxTabLayout::RowStart() { return RowAxisIsX() ? FMetrics.StartPoint.X : FMetrics.StartPoint.Y; }
int TcxTabLayout::AcrossStart() { return RowAxisIsX() ? FMetrics.StartPoint.Y : FMetrics.StartPoint.X; }
int TcxTabLayout::AcrossEnd() { return RowAxisIsX() ? FMetrics.EndPoint.Y : FMetrics.EndPoint.X; }

void TcxTabLayout::SetRowCoordinate(TcxTab* Tab, int Value) {
  TPoint p = Tab->Position();
  (RowAxisIsX() ? p.X : p.Y) = Value;
  Tab->SetPosition(p);
}

void TcxTabLayout::SetAcrossCoordinate(TcxTab* Tab, int Value) {
  TPoint p = Tab->Position();
  (RowAxisIsX() ? p.Y : p.X) = Value;
  Tab->SetPosition(p);
}

void TcxTabLayout::CalculateMetrics(TcxPCNavigatorButtons Buttons) {
  FMetrics = TcxPCTabsAreaMetrics();
  FControl->LayoutPainter()->CalculateTabsAndButtonsArea(Buttons, FMetrics);
}

// The control hears of the buttons once, when the layout is done: the choice tries the buttons of
// a fitting row before those of an overflowing one, and a button held down must survive that.
void TcxTabLayout::SetNavigatorButtons(TcxPCNavigatorButtons Value) { FNavigatorButtons = Value; }

void TcxTabLayout::PlacedTabRange(int& First, int& Last) {
  if (FControl->MultiLine()) {
    First = 0;
    Last = VisibleCount() - 1;
  } else {
    First = FFirstVisibleTab;
    Last = FLastVisibleTab;
  }
}

// ---- the layout -----------------------------------------------------------------------------------

void TcxTabLayout::Calculate() {
  TcxPCNavigatorButtons old = FNavigatorButtons;
  CalculateLayout();
  FControl->NavigatorButtonsChanged(old, FNavigatorButtons);
}

void TcxTabLayout::CalculateLayout() {
  TcxTabs* tabs = FControl->Tabs();
  int n = VisibleCount();
  FFirstBand = TRect();
  FSecondBand = TRect();
  if (FFirstVisibleTab == -1 && n > 0) FFirstVisibleTab = 0;
  if (FFirstVisibleTab > n - 1) FFirstVisibleTab = n - 1;
  FLastVisibleTab = FFirstVisibleTab;
  FControl->ResetIndicesForLayout(n);
  FRowCount = 0;
  FTopRowCount = 0;
  if (n == 0) {
    SetNavigatorButtons({});
    CalculateMetrics({});
    return;
  }
  IcxTabLayoutPainter* painter = FControl->LayoutPainter();
  tabs->SetTabHeight(painter->NormalTabHeight());
  for (int i = 0; i < tabs->Count(); ++i) {
    TcxTab* tab = tabs->Tab(i);
    tab->SetNormalWidth(tab->Visible() ? painter->CalculateTabWidth(tab) : 0);
  }
  if (FControl->MultiLine())
    MultiRowLayout();
  else
    SingleRowLayout();
}

void TcxTabLayout::SingleRowLayout() {
  FRowCount = 1;
  TcxTabPosition position = FControl->TabPosition();
  FTopRowCount = position == tpTop || position == tpLeft ? 1 : 0;
  ChooseNavigatorAndPlace();
  SetBandsAlongRow();
  if (!HasRoom()) return;
  for (int i = FFirstVisibleTab; i <= FLastVisibleTab; ++i) {
    VisibleTab(i)->SetRow(0);
    VisibleTab(i)->SetVisibleRow(0);
  }
  CalculateRotatedTabWidth();
  PlaceAcross();
}

void TcxTabLayout::ChooseNavigatorAndPlace() {
  TcxPCOptions options = FControl->Options();
  bool multiLine = FControl->MultiLine();
  int n = VisibleCount();
  int remembered = FFirstVisibleTab;
  FFirstVisibleTab = 0;

  TcxPCNavigatorButtons buttons;
  if (!multiLine) {
    if (options.Contains(pcoCloseButton)) buttons.Include(nbClose);
    if (options.Contains(pcoGoDialog) && options.Contains(pcoAlwaysShowGoDialogButton)) buttons.Include(nbGoDialog);
  }
  SetNavigatorButtons(buttons);
  CalculateMetrics(buttons);
  if (!HasRoom()) return;
  PlaceTabs(0, n - 1, false);
  if (FLastTabFullyVisible) return;

  FFirstVisibleTab = std::clamp(remembered, 0, n - 1);
  buttons = {};
  // Rows that break never scroll: a multi-line control shows no navigator even for a cut tab.
  if (!multiLine) {
    if (options.Contains(pcoCloseButton)) buttons.Include(nbClose);
    if (!options.Contains(pcoNoArrows)) buttons.Include(nbTopLeft).Include(nbBottomRight);
    if (options.Contains(pcoGoDialog)) buttons.Include(nbGoDialog);
  }
  SetNavigatorButtons(buttons);
  CalculateMetrics(buttons);
  if (!HasRoom()) return;
  PlaceTabs(FFirstVisibleTab, n - 1, true);
  if (FLastTabFullyVisible) {
    // Free room at the end: scroll back until the last tab would no longer fit.
    while (FFirstVisibleTab > 0) {
      --FFirstVisibleTab;
      PlaceTabs(FFirstVisibleTab, n - 1, true);
      if (!FLastTabFullyVisible) {
        ++FFirstVisibleTab;
        PlaceTabs(FFirstVisibleTab, n - 1, true);
        break;
      }
    }
  }
}

void TcxTabLayout::PlaceTabs(int First, int Last, bool StopWhenFull) {
  int s = SpacingAlong();
  int L = FMetrics.RowLength;
  int p = RowStart();
  bool reverse = cxPCRowRunsInReverse(FControl->TabPosition(), FControl->Rotate(), FControl->Options());
  int next = reverse ? p + L - 1 : p;
  int placedStart = 0, placedEnd = -1;
  for (int i = First; i <= Last; ++i) {
    FLastVisibleTab = i;
    int w = Extent(i);
    if (reverse) {
      placedEnd = next;
      placedStart = next - w + 1;
      next = placedStart - 1 - s;
    } else {
      placedStart = next;
      placedEnd = next + w - 1;
      next = placedEnd + 1 + s;
    }
    SetRowCoordinate(VisibleTab(i), placedStart);
    if (StopWhenFull && (reverse ? next < p : next > p + L - 1)) break;
  }
  FLastTabFullyVisible = placedStart >= p && placedEnd <= p + L - 1 && FLastVisibleTab == Last;
}

void TcxTabLayout::MultiRowLayout() {
  SetNavigatorButtons({});
  CalculateMetrics({});
  if (!HasRoom()) return;
  int L = FMetrics.RowLength;
  int s = SpacingAlong();
  BreakIntoRows(L, s);
  if (FRowCount < 2) {
    ChooseNavigatorAndPlace();
    SetBandsAlongRow();
  } else {
    CalculateMetrics({});
    TcxPCLineIndexBoundsArray rows(static_cast<std::size_t>(FRowCount), TcxPCIndexInterval{-1, -2});
    int n = VisibleCount();
    for (int i = 0; i < n; ++i) {
      TcxPCIndexInterval& row = rows[static_cast<std::size_t>(VisibleTab(i)->Row())];
      if (row.Left < 0) row.Left = i;
      row.Right = i;
    }
    bool stretch = !FControl->Rotate() && !FControl->RaggedRight();
    for (const TcxPCIndexInterval& row : rows) {
      if (row.Left < 0) continue;  // balancing may leave a row without tabs
      if (stretch) {
        int widths = 0;
        for (int i = row.Left; i <= row.Right; ++i) widths += Extent(i);
        int free = L - (widths + s * (row.Right - row.Left));
        if (free > 0 && widths > 0) {
          int given = 0;
          for (int i = row.Left; i <= row.Right; ++i) {
            TcxTab* tab = VisibleTab(i);
            int share = i == row.Right ? free - given
                                       : static_cast<int>(static_cast<long long>(free) * tab->NormalWidth() / widths);
            given += share;
            tab->SetNormalWidth(tab->NormalWidth() + share);
          }
        }
      }
      PlaceTabs(row.Left, row.Right, true);
    }
    SetBandsAlongRow();
  }
  CalculateRotatedTabWidth();
  OrderRows();
}

void TcxTabLayout::BreakIntoRows(int L, int S) {
  int n = VisibleCount();
  FRowCount = 1;
  int used = 0;
  int groupStart = 0;
  auto spansRows = [&](int first, int last) { return VisibleTab(last)->Row() > VisibleTab(first)->Row(); };
  for (int i = 0; i < n; ++i) {
    TcxTab* tab = VisibleTab(i);
    int w = Extent(i);
    if (w < L) {
      if (used + w > L) {
        ++FRowCount;
        used = w + S;
      } else {
        used += w + S;
      }
      tab->SetRow(FRowCount - 1);
    } else {
      if (used != 0) {
        ++FRowCount;
        used = 0;
      }
      if (groupStart <= i - 1 && spansRows(groupStart, i - 1)) BalanceGroup(groupStart, i - 1, L, S);
      groupStart = i + 1;
      if (!FControl->Rotate() && FControl->LayoutPainter()->MinTabWidth(i) < L) tab->SetNormalWidth(L);
      tab->SetRow(FRowCount - 1);
      if (i != n - 1) ++FRowCount;
    }
  }
  if (n - groupStart >= 2 && spansRows(groupStart, n - 1)) BalanceGroup(groupStart, n - 1, L, S);
}

void TcxTabLayout::BalanceGroup(int First, int Last, int L, int S) {
  if (FControl->Rotate() && FControl->RaggedRight()) return;
  int firstRow = VisibleTab(First)->Row();
  TcxPCLineIndexBoundsArray bounds(static_cast<std::size_t>(VisibleTab(Last)->Row() - firstRow + 1));
  for (auto& row : bounds) row = {0, -1};
  for (int i = First; i <= Last; ++i) {
    TcxPCIndexInterval& row = bounds[static_cast<std::size_t>(VisibleTab(i)->Row() - firstRow)];
    if (row.Right < row.Left) row.Left = i;
    row.Right = i;
  }

  // Sums of the extents up to each position, so a row's width costs two lookups.
  std::vector<int> sums(static_cast<std::size_t>(Last + 2), 0);
  for (int i = First; i <= Last; ++i) sums[static_cast<std::size_t>(i) + 1] = sums[static_cast<std::size_t>(i)] + Extent(i);
  auto width = [&](const TcxPCIndexInterval& row) {
    if (row.Right < row.Left) return 0;
    return sums[static_cast<std::size_t>(row.Right) + 1] - sums[static_cast<std::size_t>(row.Left)] +
           S * (row.Right - row.Left);
  };
  // The exponent is a whole number: setting it directly is exact and far cheaper than exp2. Each
  // row keeps its deviation, so a total is a plain sum and a move recomputes only two rows.
  auto deviation = [&](const TcxPCIndexInterval& row) { return std::ldexp(TDeviation(1), L - width(row)); };
  struct TRows {
    TcxPCLineIndexBoundsArray Bounds;
    std::vector<TDeviation> Deviations;
  };
  TRows rows{bounds, {}};
  for (const auto& row : bounds) rows.Deviations.push_back(deviation(row));
  auto total = [](const TRows& b) {
    TDeviation sum = 0;
    for (TDeviation d : b.Deviations) sum += d;
    return sum;
  };
  int rowCount = static_cast<int>(bounds.size());
  // Moves one tab into row R from its neighbour in Direction; refused unless the row gains (its
  // deviation falls) and stays within L. A neighbour without tabs has nothing to give: taking "its
  // last tab" would take one of the row before it and tangle the bounds.
  auto move = [&](TRows& b, int r, int direction) {
    if (direction < 0 ? r == 0 : r == rowCount - 1) return false;
    std::size_t ri = static_cast<std::size_t>(r), di = static_cast<std::size_t>(r + direction);
    TcxPCIndexInterval& row = b.Bounds[ri];
    TcxPCIndexInterval& donor = b.Bounds[di];
    if (donor.Right < donor.Left) return false;
    TcxPCIndexInterval newRow = row, newDonor = donor;
    if (direction < 0) {
      newRow.Left = donor.Right;
      if (row.Right < row.Left) newRow.Right = donor.Right;
      --newDonor.Right;
    } else {
      newRow.Right = donor.Left;
      if (row.Right < row.Left) newRow.Left = donor.Left;
      ++newDonor.Left;
    }
    int newWidth = width(newRow);
    if (newWidth <= width(row) || newWidth > L) return false;
    row = newRow;
    donor = newDonor;
    b.Deviations[ri] = deviation(newRow);
    b.Deviations[di] = deviation(newDonor);
    return true;
  };

  for (;;) {
    TDeviation before = total(rows);
    bool improved = false;
    // a. Sweep backwards, filling each row from the one before it.
    TRows copy = rows;
    for (int r = rowCount - 1; r >= 0 && !improved; --r) {
      // Each move is weighed against the total just before it.
      TDeviation remembered = total(copy);
      while (move(copy, r, -1)) {
        TDeviation now = total(copy);
        if (now > remembered) break;
        remembered = now;
      }
      if (total(copy) < before) {
        rows = copy;
        improved = true;
      }
    }
    // b, c. Single moves into each row, from the next row and then from the previous one.
    for (int direction : {+1, -1}) {
      for (int r = 0; r < rowCount && !improved; ++r) {
        copy = rows;
        if (move(copy, r, direction) && total(copy) < before) {
          rows = copy;
          improved = true;
        }
      }
    }
    if (!improved) break;
  }
  bounds = rows.Bounds;

  for (int r = 0; r < rowCount; ++r)
    for (int i = bounds[static_cast<std::size_t>(r)].Left; i <= bounds[static_cast<std::size_t>(r)].Right; ++i)
      VisibleTab(i)->SetRow(firstRow + r);
}

void TcxTabLayout::CalculateRotatedTabWidth() {
  if (!FControl->Rotate()) {
    FRotatedTabWidth = FControl->Tabs()->TabHeight();
    return;
  }
  int first = 0, last = VisibleCount() - 1;
  if (!FControl->Options().Contains(pcoFixedTabWidthWhenRotated)) PlacedTabRange(first, last);
  TcxTab* widest = nullptr;
  for (int i = std::max(first, 0); i <= last; ++i) {
    TcxTab* tab = VisibleTab(i);
    if (!widest || tab->NormalWidth() > widest->NormalWidth()) widest = tab;
  }
  if (!widest) {
    FRotatedCaptionWidth = 0;
    FRotatedTabWidth = 0;
  } else {
    FRotatedCaptionWidth = FControl->MeasureTabCaptionWidth(widest);
    FRotatedTabWidth = widest->NormalWidth();
  }
  int maxWidth = FControl->MaxRotatedTabWidth();
  if (maxWidth > 0) FRotatedTabWidth = std::min(FRotatedTabWidth, maxWidth);
}

void TcxTabLayout::OrderRows() {
  TcxTabPosition position = FControl->TabPosition();
  bool rotate = FControl->Rotate();
  bool topToBottom = FControl->Options().Contains(pcoTopToBottomText);
  bool reversed = false;
  switch (position) {
    case tpTop: reversed = rotate && !topToBottom; break;
    case tpBottom: reversed = !(rotate && !topToBottom); break;
    case tpLeft: reversed = topToBottom && !rotate; break;
    case tpRight: reversed = !(topToBottom && !rotate); break;
  }
  int n = VisibleCount();
  for (int i = 0; i < n; ++i) {
    TcxTab* tab = VisibleTab(i);
    tab->SetVisibleRow(reversed ? FRowCount - 1 - tab->Row() : tab->Row());
  }
  int k = FRowCount;
  int selected = FControl->SelectedTabVisibleIndex();
  if (selected >= 0 && selected < n) {
    int v = VisibleTab(selected)->VisibleRow();
    if (FControl->ScrollOpposite()) {
      k = v + 1;
    } else if (FControl->LayoutPainter()->DrawsTabShapes() && FRowCount > 0) {
      for (int i = 0; i < n; ++i) {
        TcxTab* tab = VisibleTab(i);
        tab->SetVisibleRow((tab->VisibleRow() + FRowCount - 1 - v) % FRowCount);
      }
    }
  }
  FTopRowCount = k;
  if (position == tpBottom || position == tpRight) {
    for (int i = 0; i < n; ++i) VisibleTab(i)->SetVisibleRow(FRowCount - 1 - VisibleTab(i)->VisibleRow());
    FTopRowCount = FRowCount - FTopRowCount;
  }
  PlaceAcross();
}

void TcxTabLayout::SetBandsAlongRow() {
  const TRect& area = FMetrics.TabsAreaRect;
  if (RowAxisIsX()) {
    FFirstBand.Left = FSecondBand.Left = area.Left;
    FFirstBand.Right = FSecondBand.Right = area.Right;
  } else {
    FFirstBand.Top = FSecondBand.Top = area.Top;
    FFirstBand.Bottom = FSecondBand.Bottom = area.Bottom;
  }
}

void TcxTabLayout::PlaceAcross() {
  int h = FRotatedTabWidth;
  int g = SpacingAcross();
  int first, last;
  PlacedTabRange(first, last);
  for (int i = std::max(first, 0); i <= last; ++i) {
    TcxTab* tab = VisibleTab(i);
    int v = tab->VisibleRow();
    SetAcrossCoordinate(tab, v < FTopRowCount ? AcrossStart() + v * (h + g)
                                              : AcrossEnd() - (FRowCount - v) * h - (FRowCount - v - 1) * g);
  }

  const TRect& area = FMetrics.TabsAreaRect;
  bool x = RowAxisIsX();
  int areaStart = x ? area.Top : area.Left;
  int areaEnd = x ? area.Bottom : area.Right;
  int firstStart = areaStart;
  int firstEnd = std::min(areaEnd, AcrossStart() + FTopRowCount * (h + g) - g + FMetrics.FirstBandExtension);
  int secondStart =
      std::max(areaStart, AcrossEnd() - (FRowCount - FTopRowCount) * (h + g) + g + FMetrics.SecondBandExtension);
  int secondEnd = areaEnd;
  if (FTopRowCount != 0 && FTopRowCount != FRowCount) {
    TcxTabPosition position = FControl->TabPosition();
    if (position == tpTop || position == tpLeft)
      secondStart = std::max(secondStart, std::min(firstEnd + FMetrics.BandGap, areaEnd));
    else
      firstEnd = std::min(firstEnd, std::max(secondStart - FMetrics.BandGap, areaStart));
  }
  if (x) {
    FFirstBand.Top = firstStart;
    FFirstBand.Bottom = firstEnd;
    FSecondBand.Top = secondStart;
    FSecondBand.Bottom = secondEnd;
  } else {
    FFirstBand.Left = firstStart;
    FFirstBand.Right = firstEnd;
    FSecondBand.Left = secondStart;
    FSecondBand.Right = secondEnd;
  }
}

// ---- scrolling ------------------------------------------------------------------------------------

void TcxTabLayout::ScrollRow(bool Forward) {
  FFirstVisibleTab += Forward ? 1 : -1;
  if (FFirstVisibleTab < 0) FFirstVisibleTab = 0;
}

void TcxTabLayout::MakeTabVisible(int TabVisibleIndex) {
  int a = TabVisibleIndex;
  if (a < FFirstVisibleTab) FFirstVisibleTab = a;
  if (a < FLastVisibleTab || (a == FLastVisibleTab && FLastTabFullyVisible)) return;
  CalculateMetrics(FNavigatorButtons);
  FFirstVisibleTab = a;
  if (!HasRoom()) return;
  int L = FMetrics.RowLength;
  int s = SpacingAlong();
  int used = Extent(a);
  while (used + s < L && FFirstVisibleTab >= 1) {
    --FFirstVisibleTab;
    used += s + Extent(FFirstVisibleTab);
    if (used > L) {
      ++FFirstVisibleTab;
      break;
    }
  }
}

TcxPCLineIndexBoundsArray TcxTabLayout::VisibleRowBounds() {
  TcxPCLineIndexBoundsArray result(static_cast<std::size_t>(std::max(FRowCount, 0)), TcxPCIndexInterval{-1, -1});
  int first, last;
  PlacedTabRange(first, last);
  for (int i = std::max(first, 0); i <= last; ++i) {
    int v = VisibleTab(i)->VisibleRow();
    if (v < 0 || v >= FRowCount) continue;
    TcxPCIndexInterval& row = result[static_cast<std::size_t>(v)];
    if (row.Left == -1) row.Left = i;
    row.Right = i;
  }
  return result;
}
