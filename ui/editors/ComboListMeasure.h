#pragma once
// The arithmetic of the combo box's popup list: the size it asks for (so many rows, its widest
// item, the scroll bars it then needs) and the size a user's resize snaps to (whole rows).
#include <functional>

#include "ui/foundation/Types.h"

struct TcxComboListMetrics {
  int Count = 0;
  std::function<int(int Index)> ItemHeight;
  std::function<int(int Index)> ItemWidth;
  int VScrollWidth = 0;
  int HScrollHeight = 0;
};

// The list's size for at most DropDownRows rows; a Max of 0 or less leaves that side free.
// HorzExtent receives the widest item plus 4, the list's horizontal scroll extent.
TSize MeasureComboList(const TcxComboListMetrics& M, int DropDownRows, int MaxHeight, int MaxWidth, int& HorzExtent);

// Snaps a requested size to whole rows: walks the rows from the first and stops where the height
// they need equals the request; past it, a growing list (or one past MaxHeight) keeps one row less
// and a shrinking one keeps the row. ListSize is the list's present size; a Max of 0 is unlimited.
// Always accepts.
bool FitComboListToSize(const TcxComboListMetrics& M, int HorzExtent, const TSize& ListSize, TSize& Size,
                        int MaxHeight, int MaxWidth);
