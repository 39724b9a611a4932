#include "console/WallGrid.h"

#include "console/Config.h"

String WallSelectionText(const TGridRect& Selection) {
  return IntToStr(Selection.Left) + "," + IntToStr(Selection.Top) + " - " + IntToStr(Selection.Right) + "," +
         IntToStr(Selection.Bottom);
}

void DrawWallCell(TStringGrid* Grid, TCustomIniFile* Config, TColor DefaultCellColor, int ACol, int ARow,
                  const win::RECT& Rect, TGridDrawState State) {
  TCanvas* canvas = Grid->Canvas();
  // A header cell keeps the brush the grid drew it with, its fixed colour.
  if (ACol >= 1 && ARow >= 1) {
    if (State == TGridDrawState{gdSelected}) return;
    canvas->Brush()->SetColor(WallCellColor(Config, DefaultCellColor, ACol, ARow));
  }
  canvas->FillRect(Rect);
  canvas->Font()->SetColor(clBlack);
  canvas->TextRect(Rect, Rect.left, Rect.top, Grid->Cells(ACol, ARow));
}

TColor WallCellColor(TCustomIniFile* Config, TColor DefaultCellColor, int ACol, int ARow) {
  const String name = Config ? ReadConfig(*Config, cfg::stringgrid::Cell(ARow, ACol)) : String();
  TColor color = DefaultCellColor;
  // A value that names no colour must not stop the painting: raising here would raise again at
  // every repaint the error box causes. Such a cell shows the default colour.
  if (!name.empty() && !TryStringToColor(name, color)) color = DefaultCellColor;
  return color;
}

bool IsServiceGesture(const TGridRect& Selection, TChar Key) {
  return Selection == kServiceGestureSelection && Key == kServiceGestureKey;
}

void LayOutWallGrid(TStringGrid* Grid, int Rows, int Columns) {
  Grid->SetRowCount(Rows + 1);
  Grid->SetColCount(Columns + 1);
  Grid->SetColWidths(0, 16);
  Grid->SetRowHeights(0, 14);
  for (int c = 1; c <= Columns; ++c) Grid->SetCells(c, 0, IntToStr(c));
  for (int r = 1; r <= Rows; ++r) Grid->SetCells(0, r, IntToStr(r));
}
