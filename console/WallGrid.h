#pragma once
// The wall grid's rules that every console showing the wall as a string grid shares: how a cell
// is painted from the cell colours of "cfg.ini", how a selection reads as text, and the hidden
// service gesture that switches engineering mode on.
#include "platform/classes/Graphics.h"
#include "platform/classes/Grids.h"
#include "platform/classes/IniFiles.h"

// Gives a wall grid a header row and column around Rows × Columns screens, numbered from 1; the
// header column is 16 px wide and the header row 14 px high.
void LayOutWallGrid(TStringGrid* Grid, int Rows, int Columns);

// A selection as the consoles show it: "left,top - right,bottom".
String WallSelectionText(const TGridRect& Selection);

// Paints a cell over the grid's own drawing of it. A cell that is only selected keeps the grid's
// highlight; any other data cell is filled with its colour from [stringgrid] (the file as it is
// now; no file, no key, an empty value or a value that names no colour give DefaultCellColor),
// a header cell with the grid's fixed colour. Its text is then drawn in black at the cell's
// top-left corner, without margin.
void DrawWallCell(TStringGrid* Grid, TCustomIniFile* Config, TColor DefaultCellColor, int ACol, int ARow,
                  const win::RECT& Rect, TGridDrawState State);
// The colour of a data cell by that rule, read now.
TColor WallCellColor(TCustomIniFile* Config, TColor DefaultCellColor, int ACol, int ARow);

// The hidden service gesture: the first screen of the wall selected alone and '*' typed on the
// grid. Anything else typed there ends engineering mode.
inline constexpr TGridRect kServiceGestureSelection{1, 1, 1, 1};
inline constexpr TChar kServiceGestureKey = U'*';
bool IsServiceGesture(const TGridRect& Selection, TChar Key);
