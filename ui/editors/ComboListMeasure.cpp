#include "ui/editors/ComboListMeasure.h"

#include <algorithm>

TSize MeasureComboList(const TcxComboListMetrics& M, int DropDownRows, int MaxHeight, int MaxWidth, int& HorzExtent) {
  const int rows = std::min(DropDownRows, M.Count);
  TSize size(0, 0);
  for (int i = 0; i < rows; ++i) size.cy += M.ItemHeight(i);
  int widest = 0;
  for (int i = 0; i < M.Count; ++i) widest = std::max(widest, M.ItemWidth(i));
  size.cx = widest + 4;
  HorzExtent = size.cx;
  if (M.Count > DropDownRows || (MaxHeight > 0 && MaxHeight < size.cy)) size.cx += M.VScrollWidth;
  if (MaxWidth > 0 && MaxWidth < size.cx) size.cy += M.HScrollHeight;
  return size;
}

bool FitComboListToSize(const TcxComboListMetrics& M, int HorzExtent, const TSize& ListSize, TSize& Size,
                        int MaxHeight, int MaxWidth) {
  if (Size == ListSize || M.Count <= 0) return true;
  // The height Rows rows need, with the horizontal bar when the text's width falls short.
  auto needs = [&](int Rows, int RowsHeight, bool& HBar) {
    const int textWidth = Size.cx - (Rows < M.Count ? M.VScrollWidth : 0);
    HBar = textWidth < HorzExtent || (MaxWidth > 0 && textWidth > MaxWidth);
    return RowsHeight + (HBar ? M.HScrollHeight : 0);
  };
  const bool grows = Size.cy >= ListSize.cy;
  int rows = 0, sum = 0, previousSum = 0;
  for (int i = 0; i < M.Count; ++i) {
    previousSum = sum;
    sum += M.ItemHeight(i);
    rows = i + 1;
    bool hbar = false;
    const int need = needs(rows, sum, hbar);
    const bool pastMax = MaxHeight > 0 && need > MaxHeight;
    if (need == Size.cy && !pastMax) break;
    if (need > Size.cy || pastMax) {
      if ((pastMax || grows) && rows > 1) {
        rows -= 1;
        sum = previousSum;
      }
      break;
    }
  }
  bool hbar = false;
  Size.cy = needs(rows, sum, hbar);
  int minWidth = rows < M.Count ? M.VScrollWidth : 0;
  if (hbar) minWidth += M.VScrollWidth;
  Size.cx = std::max(static_cast<int>(Size.cx), minWidth);
  return true;
}
