// The hybrid console's per-cell model: where each screen's picture comes from, which signal the
// screen takes in, and a display name per signal type. Memory and "cfg.ini" are kept together,
// each edit writing its key at once.
#include "console/Config.h"
#include "console/ScreenFrame.h"
#include "console/WallGrid.h"
#include "dialogs/SignalRename.h"
#include "dialogs/SplicingSettingsHybrid.h"
#include "matrix/MatrixEngine.h"
#include "variants/HybridConsole.h"

namespace {

// The model keeps the Chinese word when the cells go back to local, whatever the language; only
// the loading picks the word by language.
const String kLocalWordChinese = "本地";

int WallRows() { return Form34->ComboBox1->ItemIndex() + 1; }
int WallColumns() { return Form34->ComboBox2->ItemIndex() + 1; }

}  // namespace

void TForm33::RegisterCellHandlers() {
  RegisterHandler("stringgrid1DrawCell", &TForm33::stringgrid1DrawCell);
  RegisterHandler("stringgrid1DblClick", &TForm33::stringgrid1DblClick);
  RegisterHandler("N6Click", &TForm33::N6Click);
  RegisterHandler("ApartMode1Click", &TForm33::ApartMode1Click);
}

String TForm33::LocalWordHybrid() const { return LanguageHybrid != 0 ? String("local") : kLocalWordChinese; }

void TForm33::initStringGrid() {
  TIniFile& ini = *ConfigFileHybrid;
  SignalSourceRow = ReadConfig(ini, cfg::hybridGeneral::SignalSourceRow);
  SignalSourceCol = ReadConfig(ini, cfg::hybridGeneral::SignalSourceCol);
  IsSignalSelected = ReadConfig(ini, cfg::hybridGeneral::IsSignalSelected);
  // The wall is at most 15 × 15; the arrays hold 25 × 25, and cells beyond the wall keep what
  // they held.
  const int rows = WallRows();
  const int columns = WallColumns();
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= columns; ++c) {
      String address = "( " + ReadConfig(ini, cfg::cellAddress::Cell(r, c)) + " )";
      if (address == "( local )") address = LocalWordHybrid();
      (*CellAddresses)[r - 1][c - 1] = address;
      (*CellSignals)[r - 1][c - 1] = ReadConfig(ini, cfg::cellSignal::Cell(r, c));
      for (int k = 0; k < 4; ++k)
        (*CellNames)[r - 1][c - 1][k] = ReadConfig(ini, cfg::cellName::Cell(r, c, cfg::kCellSignalTypes[k]));
    }
  }
  stringgrid1->Invalidate();
}

void TForm33::stringgrid1DrawCell(TObject*, int ACol, int ARow, win::RECT Rect, TGridDrawState State) {
  // The header row and column keep the grid's own look, with their numbers.
  if (ACol < 1 || ARow < 1 || ARow > kHybridCellRows || ACol > kHybridCellColumns) {
    DrawWallCell(stringgrid1, ConfigFileHybrid.get(), DefaultCellColorHybrid, ACol, ARow, Rect, State);
    return;
  }
  TCanvas* canvas = stringgrid1->Canvas();
  // Read on every drawing: the colour dialog writes the file and repaints.
  if (State != TGridDrawState{gdSelected})
    canvas->Brush()->SetColor(WallCellColor(ConfigFileHybrid.get(), DefaultCellColorHybrid, ACol, ARow));
  canvas->FillRect(Rect);
  // Each line leaves the others and the background standing.
  const TBrushStyle brushStyle = canvas->Brush()->Style();
  canvas->Brush()->SetStyle(bsClear);

  const bool english = LanguageHybrid != 0;
  const int x = Rect.left + 5;
  // The lines are clipped to the cell, so a small cell does not write into its neighbours.
  canvas->Font()->SetColor(clBlack);
  if (IsSignalSelected && ARow == SignalSourceRow && ACol == SignalSourceCol) {
    const TFontStyles style = canvas->Font()->Style();
    canvas->Font()->SetStyle(style + TFontStyles{fsBold});
    canvas->TextRect(Rect, x, Rect.top + 5, english ? "---SOURCE---" : "---信号源---");
    canvas->Font()->SetStyle(style);
  } else {
    canvas->TextRect(Rect, x, Rect.top + 5,
                     (english ? "Signal Addr:  " : "信号地址:  ") + (*CellAddresses)[ARow - 1][ACol - 1]);
  }
  const String& signal = (*CellSignals)[ARow - 1][ACol - 1];
  canvas->Font()->SetColor(clRed);
  canvas->TextRect(Rect, x, Rect.top + 20, (english ? "Local Signal:  " : "本地信号:  ") + signal);
  const int k = cfg::CellSignalTypeIndex(signal);
  if (k >= 0) {
    canvas->Font()->SetColor(clBlue);
    canvas->TextRect(Rect, x, Rect.top + 35, (*CellNames)[ARow - 1][ACol - 1][k]);
  }
  canvas->Brush()->SetStyle(brushStyle);
}

void TForm33::cellSignalChange(const String& Name) {
  const TGridRect selection = stringgrid1->Selection();
  // A whole wall is 225 keys: one rewrite of the file, not one each.
  TConfigWriteBatch batch;
  for (int r = selection.Top; r <= selection.Bottom; ++r) {
    for (int c = selection.Left; c <= selection.Right; ++c) {
      if (r < 1 || c < 1 || r > kHybridCellRows || c > kHybridCellColumns) continue;
      (*CellSignals)[r - 1][c - 1] = Name;
      WriteConfig(*ConfigFileHybrid, cfg::cellSignal::Cell(r, c), Name);
    }
  }
  stringgrid1->Invalidate();
}

void TForm33::N6Click(TObject*) {
  const TGridRect selection = stringgrid1->Selection();
  SignalSourceRow = selection.Bottom;
  SignalSourceCol = selection.Right;
  TIniFile& ini = *ConfigFileHybrid;
  WriteConfig(ini, cfg::hybridGeneral::SignalSourceRow, SignalSourceRow);
  WriteConfig(ini, cfg::hybridGeneral::SignalSourceCol, SignalSourceCol);
  IsSignalSelected = true;
  WriteConfig(ini, cfg::hybridGeneral::IsSignalSelected, true);
  stringgrid1->Invalidate();
}

void TForm33::ApartMode1Click(TObject*) {
  TIniFile& ini = *ConfigFileHybrid;
  const int rows = WallRows();
  const int columns = WallColumns();
  {
    // A whole wall is 225 keys: one rewrite of the file, landed before the screens are told.
    TConfigWriteBatch batch;
    for (int r = 1; r <= rows; ++r) {
      for (int c = 1; c <= columns; ++c) {
        (*CellAddresses)[r - 1][c - 1] = kLocalWordChinese;
        WriteConfig(ini, cfg::cellAddress::Cell(r, c), "local");
      }
    }
    IsSignalSelected = false;
    WriteConfig(ini, cfg::hybridGeneral::IsSignalSelected, false);
  }
  stringgrid1->Invalidate();
  SendScreenCommandHybrid(scWindowMember, 1);
  BlockingPause(200);
  SendScreenCommandHybrid(scSpliceMode, 0);
}

void TForm33::stringgrid1DblClick(TObject*) {
  const TGridRect selection = stringgrid1->Selection();
  RenameRow = selection.Top;
  RenameCol = selection.Left;
  Form35->Show();
}
