// The hybrid console's splice: a window whose picture one source screen loops through to the
// others, either inside the selection or over the whole wall, or a matrix input routed to the
// selection through the grid console's linkage; the single display; the signal-type picker and the
// two boxes that choose between window mode and linkage.
#include "console/Config.h"
#include "console/GridConsole.h"
#include "console/ScreenFrame.h"
#include "matrix/MatrixConfig.h"
#include "matrix/MatrixEngine.h"
#include "platform/classes/Dialogs.h"
#include "platform/classes/SysUtils.h"
#include "variants/HybridConsole.h"

namespace {

// Shown in both languages.
const String kNoSourceMessage = "请选择信号源";

// Every pause of the splice between two frames.
constexpr int kSplicePause = 100;

// The signal types the picker offers, with what choosing one sets: the scene list's entry, the
// make list of the matrix configuration and the input count that goes with it.
struct TSignalType {
  const char* Name;
  int Index;  // of the hidden signal-type list, the grid console's picker and the select-input frame
  int Scene;
  TcxComboBox* TForm3::*Make;
  TLabeledEdit* TForm3::*Inputs;
};

constexpr TSignalType kSignalTypes[] = {
    {"HDMI", 3, 2, &TForm3::ComboBox7, &TForm3::lbledtHDMIIPort},
    {"DVI", 2, 2, &TForm3::ComboBox5, &TForm3::lbledtDVIIPort},
    {"VGA", 1, 1, &TForm3::ComboBox4, &TForm3::lbledtVGAIPort},
    {"VIDEO", 0, 0, &TForm3::ComboBox3, &TForm3::lbledtVideoIPort},
};

const TSignalType* SignalTypeNamed(const String& Name) {
  for (const TSignalType& type : kSignalTypes)
    if (Name == type.Name) return &type;
  return nullptr;
}

int ScreenAddress(int Row, int Column) { return Column * 16 + Row; }

bool Inside(const TGridRect& Rect, int Row, int Column) {
  return Row >= Rect.Top && Row <= Rect.Bottom && Column >= Rect.Left && Column <= Rect.Right;
}

}  // namespace

void TForm33::RegisterSpliceHandlers() {
  RegisterHandler("BitBtn8Click", &TForm33::BitBtn8Click);
  RegisterHandler("BitBtn10Click", &TForm33::BitBtn10Click);
  RegisterHandler("ComboBox4PropertiesChange", &TForm33::ComboBox4PropertiesChange);
  RegisterHandler("ComboBox4PropertiesCloseUp", &TForm33::ComboBox4PropertiesCloseUp);
  RegisterHandler("ComboBox4DblClick", &TForm33::ComboBox4DblClick);
  RegisterHandler("ComboBox8PropertiesChange", &TForm33::ComboBox8PropertiesChange);
  RegisterHandler("cxchckbx1Click", &TForm33::cxchckbx1Click);
  RegisterHandler("CheckBox3Click", &TForm33::CheckBox3Click);
}

// ---- Frames -------------------------------------------------------------------------------------------

void TForm33::SendToScreenHybrid(int Address, int Command, int Value) {
  SendScreenFrameHybrid(TScreenFrame::kHeader, Address, Address, Command, Value, TScreenFrame::kTrailer);
}

void TForm33::SendToWallHybrid(int Command, int Value) {
  const int last = ScreenAddress(stringgrid1->RowCount() - 1, stringgrid1->ColCount() - 1);
  SendScreenFrameHybrid(TScreenFrame::kHeader, 0x11, last, Command, Value, TScreenFrame::kTrailer);
}

// ---- The splice ---------------------------------------------------------------------------------------

void TForm33::BitBtn8Click(TObject*) {
  if (cxchckbx1->Checked())
    SpliceWindowHybrid();
  else if (CheckBox3->Checked())
    SpliceLinkedHybrid();
  else
    SpliceWallHybrid();
}

void TForm33::SpliceWindowHybrid() {
  if (!IsSignalSelected) {
    ShowMessage(kNoSourceMessage);
    return;
  }
  SendScreenCommandHybrid(scWindowSource, ScreenAddress(SignalSourceRow, SignalSourceCol));
  BlockingPause(kSplicePause);
  const TGridRect selection = stringgrid1->Selection();
  for (int r = selection.Top; r <= selection.Bottom; ++r) {
    for (int c = selection.Left; c <= selection.Right; ++c) {
      const bool source = r == SignalSourceRow && c == SignalSourceCol;
      SendToScreenHybrid(ScreenAddress(r, c), scWindowMember, source ? 1 : 0);
      BlockingPause(kSplicePause);
    }
  }
  SendScreenCommandHybrid(scSync, SendWallSync ? 0 : 3);
  BlockingPause(kSplicePause);
  SendScreenCommandHybrid(scSpliceMode, 1);
}

void TForm33::SpliceLinkedHybrid() {
  // The grid console routes with its own state, which this console's picker, linkage box, mouse
  // release and show keep in step with this one.
  auto link = [this] {
    Form1->MatrixInput = ComboBox8->ItemIndex() + 1;
    Form1->LinkMatrixToSelection();
  };
  switch (Form3->RadioGroup1->ItemIndex()) {
    case 0:  // screens first
      if (SendWallSync) {
        SendToWallHybrid(scSync, 2);
        BlockingPause(kSplicePause);
      }
      SendScreenCommandHybrid(scSpliceMode, 1);
      BlockingPause(StrToInt(Form3->LabeledEdit4->Text()));
      link();
      break;
    case 1:  // matrix first
      link();
      BlockingPause(StrToInt(Form3->LabeledEdit4->Text()));
      if (SendWallSync) {
        SendToWallHybrid(scSync, 2);
        BlockingPause(50);
      }
      SendScreenCommandHybrid(scSpliceMode, 1);
      break;
    default: break;
  }
}

void TForm33::SpliceWallHybrid() {
  if (!IsSignalSelected) {
    ShowMessage(kNoSourceMessage);
    return;
  }
  const TGridRect selection = stringgrid1->Selection();
  const int rows = stringgrid1->RowCount() - 1;
  const int columns = stringgrid1->ColCount() - 1;
  SendToWallHybrid(scWindowSource, ScreenAddress(SignalSourceRow, SignalSourceCol));
  BlockingPause(kSplicePause);
  SendScreenFrameHybrid(TScreenFrame::kHeader, ScreenAddress(selection.Top, selection.Left),
                        ScreenAddress(selection.Bottom, selection.Right), scWindowMember, 0, TScreenFrame::kTrailer);
  BlockingPause(kSplicePause);

  // Every screen learns whether it is the source, in the window (already told) or outside it.
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= columns; ++c) {
      if (r == SignalSourceRow && c == SignalSourceCol) {
        SendToScreenHybrid(ScreenAddress(r, c), scWindowMember, 1);
      } else if (!Inside(selection, r, c)) {
        SendToScreenHybrid(ScreenAddress(r, c), scWindowMember, 2);
      } else {
        continue;
      }
      BlockingPause(kSplicePause);
    }
  }
  BlockingPause(kSplicePause);

  // The window's screens take the source's picture; the others go back to their own input, the
  // source too when it lies outside the window.
  TIniFile& ini = *ConfigFileHybrid;
  const String source = IntToStr(SignalSourceRow) + " , " + IntToStr(SignalSourceCol);
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= columns; ++c) {
      String& address = (*CellAddresses)[r - 1][c - 1];
      if (Inside(selection, r, c)) {
        address = "( " + source + " )";
        WriteConfig(ini, cfg::cellAddress::Cell(r, c), source);
      } else {
        SendToScreenHybrid(ScreenAddress(r, c), scSpliceMode, 0);
        address = LocalWordHybrid();
        WriteConfig(ini, cfg::cellAddress::Cell(r, c), "local");
        BlockingPause(kSplicePause);
      }
    }
  }
  SendToWallHybrid(scSync, SendWallSync ? 0 : 3);
  BlockingPause(kSplicePause);
  SendScreenCommandHybrid(scSpliceMode, 1);
  stringgrid1->Invalidate();
}

void TForm33::BitBtn10Click(TObject*) { SendScreenCommandHybrid(scSpliceMode, 0); }

// ---- The signal type ----------------------------------------------------------------------------------

void TForm33::ComboBox4PropertiesChange(TObject*) { ComboBox4Operate(); }

void TForm33::ComboBox4PropertiesCloseUp(TObject*) { ComboBox4Operate(); }

void TForm33::ComboBox4DblClick(TObject*) { ComboBox4Operate(); }

void TForm33::ComboBox8PropertiesChange(TObject*) {}

void TForm33::ComboBox4Operate() {
  ComboBox1->SetItemIndex(ComboBox4->ItemIndex());
  String model;
  if (const TSignalType* type = SignalTypeNamed(ComboBox4->Text())) {
    ComboBox1->SetItemIndex(type->Index);
    ComboBox3->SetItemIndex(type->Scene);
    ComboBox8->SetVisible(true);
    model = (Form3->*type->Make)->Text();
    // The grid console's linkage routes by its own picker.
    Form1->ComboBox4->SetItemIndex(type->Index);
    BlockingPause(50);
    SendScreenCommandHybrid(scSelectInput, type->Index);
    cellSignalChange(type->Name);
  }
  Label7->SetCaption(model);
}

// ---- Window mode and matrix linkage -------------------------------------------------------------------

void TForm33::cxchckbx1Click(TObject*) {
  if (cxchckbx1->Checked() && CheckBox3->Checked()) CheckBox3->SetChecked(false);
}

void TForm33::CheckBox3Click(TObject*) {
  const bool on = CheckBox3->Checked();
  ComboBox8->SetEnabled(on);
  // The grid console's linkage routes only while its own box is ticked.
  Form1->CheckBox3->SetChecked(on);
  Label2->SetEnabled(on);
  grpMatix->SetVisible(on);
  WriteConfig(*ConfigFileHybrid, cfg::setting::Linkage, Form1->CheckBox3->Checked());
  TStrings* items = ComboBox8->Properties()->Items();
  items->Clear();
  if (on && cxchckbx1->Checked()) cxchckbx1->SetChecked(false);

  int count = 255;
  if (const TSignalType* type = SignalTypeNamed(ComboBox1->Text())) {
    Label7->SetCaption((Form3->*type->Make)->Text());
    count = StrToInt((Form3->*type->Inputs)->Text());
  }
  items->BeginUpdate();
  for (int n = 1; n <= count; ++n) items->Add(IntToStr(n));
  items->EndUpdate();
}
