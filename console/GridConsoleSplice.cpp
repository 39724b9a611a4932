// The grid console's two central commands and the matrix linkage behind them: the splice, which
// gives the selected rectangle one signal and routes the chosen matrix input to its screens; the
// single display, which gives each selected screen the signal by itself; the signal-type picker
// and the linkage box that steer both.
#include "app/BootWindow.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "console/ScreenFrame.h"
#include "matrix/MatrixConfig.h"
#include "matrix/MatrixEngine.h"

namespace {

// Signal types, as the hidden signal-type list numbers them.
enum : int { kVideo = 0, kVga = 1, kDvi = 2, kHdmi = 3, kSdi = 4, kYuv = 5, kVideo2 = 6 };

// The make list of the matrix configuration for a signal type; none for YUV, VIDEO2 and others.
TcxComboBox* MakeListOf(int signal) {
  switch (signal) {
    case kVideo: return Form3->ComboBox3;
    case kVga: return Form3->ComboBox4;
    case kDvi: return Form3->ComboBox5;
    case kHdmi: return Form3->ComboBox7;
    case kSdi: return Form3->ComboBox8;
    default: return nullptr;
  }
}

// The matrix configuration's input count for a signal type; the linkage offers 255 inputs for the
// types that have none.
TLabeledEdit* InputCountOf(int signal) {
  switch (signal) {
    case kVideo: return Form3->lbledtVideoIPort;
    case kVga: return Form3->lbledtVGAIPort;
    case kDvi: return Form3->lbledtDVIIPort;
    case kHdmi: return Form3->lbledtHDMIIPort;
    default: return nullptr;
  }
}

}  // namespace

void TForm1::RegisterSpliceHandlers() {
  RegisterHandler("BitBtn8Click", &TForm1::BitBtn8Click);
  RegisterHandler("BitBtn10Click", &TForm1::BitBtn10Click);
  RegisterHandler("ComboBox4Change", &TForm1::ComboBox4Change);
  RegisterHandler("CheckBox3Click", &TForm1::CheckBox3Click);
}

bool TForm1::FstRouting() const {
  return Label7->Caption() == "FST" && ComboBox1->Text() == "HDMI" && CheckBox3->Checked();
}

void TForm1::BitBtn8Click(TObject*) {
  const String signal = ComboBox1->Text();
  const String make = Label7->Caption();
  const TGridRect selection = stringgrid1->Selection();
  auto takeSelection = [&] {
    SelectionLeft = selection.Left;
    SelectionTop = selection.Top;
    SelectionRight = selection.Right;
    SelectionBottom = selection.Bottom;
    MatrixInput = ComboBox8->ItemIndex() + 1;
  };

  // These makes keep their scenes in the console: a splice is only bookkeeping for the scenes.
  if ((make == "SISO" && signal == "HDMI") || (make == "VGA15" && signal == "VGA")) {
    if (Replaying) {
      if (ReplayCountdown == 1) Replaying = false;
      --ReplayCountdown;
      return;
    }
    takeSelection();
    if (Recording) {
      ++RecordedSpliceCount;
      for (int value : {SelectionLeft, SelectionTop, SelectionRight, SelectionBottom, MatrixInput})
        RecordedSplices += IntToStr(value) + ",";
    }
    return;
  }

  takeSelection();
  const int type = ComboBox1->ItemIndex();
  // The input routed is named in the cells of the types the linkage routes (VIDEO2 it does not,
  // VGA's cells stay plain).
  const bool named = CheckBox3->Checked() && type != kVga && type >= kVideo && type <= kYuv;
  const String cell = named ? signal + ComboBox8->Text() : signal;
  for (int c = SelectionLeft; c <= SelectionRight; ++c)
    for (int r = SelectionTop; r <= SelectionBottom; ++r) stringgrid1->SetCells(c, r, cell);

  // With FST the screen command is itself the routing: the matrix gets nothing more.
  const bool link = !FstRouting();
  switch (Form3->RadioGroup1->ItemIndex()) {
    case 0:  // screens first
      SendScreenCommand(scSelectInput, type);
      BlockingPause(StrToInt(Form3->LabeledEdit4->Text()));
      if (link) LinkMatrixToSelection();
      break;
    case 1:  // matrix first
      if (link) LinkMatrixToSelection();
      BlockingPause(StrToInt(Form3->LabeledEdit4->Text()));
      SendScreenCommand(scSelectInput, type);
      break;
    default: break;
  }
}

void TForm1::BitBtn10Click(TObject*) {
  const TGridRect s = stringgrid1->Selection();
  const int start = s.Left * 16 + s.Top;
  const int end = s.Right * 16 + s.Bottom;
  WriteConfig(*ConfigFile, cfg::setting::SignalIndex, ComboBox4->ItemIndex());
  const int pause = ReadConfig(*ConfigFile, cfg::wait::Sleep);
  const bool fst = FstRouting();
  for (int r = s.Top; r <= s.Bottom; ++r) {
    for (int c = s.Left; c <= s.Right; ++c) {
      stringgrid1->SetCells(c, r, ComboBox4->Text());
      if (fst) {
        // The routing frame of the whole rectangle, once for each screen.
        SendScreenFrame(kRoutingMark, start, end, 0x00, ComboBox8->ItemIndex() + 1, kRoutingMark);
      } else {
        const int screen = c * 16 + r;
        SendScreenFrame(TScreenFrame::kHeader, screen, screen, scSelectInput, ComboBox1->ItemIndex(),
                        TScreenFrame::kTrailer);
      }
      BlockingPause(pause);
    }
  }
}

void TForm1::LinkMatrixToSelection() {
  if (!CheckBox3->Checked()) return;
  const int type = ComboBox1->ItemIndex();
  const String signal = ComboBox1->Text();
  const bool vgaBlock = signal == "VGA" || type == kSdi || type == kVideo;
  const bool dviBlock = type == kHdmi || type == kYuv || signal == "DVI";
  const int columns = stringgrid1->ColCount() - 1;

  auto route = [&](TStringGrid* wiring, TcxCheckBox* manual, int R, int C) {
    int output = (R - 1) * columns + C - 1;
    if (manual->Checked()) {
      const String cell = wiring->Cells(C - 1, R - 1);
      if (cell.empty()) return;
      // A screen wired to no output may read "0", "00" or " 0": its number decides, not its text.
      const int number = StrToInt(cell);
      if (number == 0) return;
      output = number - 1;
    }
    BuildMatrixSwitch(output, MatrixInput);
    BlockingPause(StrToInt(Form3->LabeledEdit5->Text()));
  };

  for (int R = SelectionTop; R <= SelectionBottom; ++R) {
    for (int C = SelectionLeft; C <= SelectionRight; ++C) {
      if (vgaBlock) route(Form3->StringGrid2, Form3->CheckBox2, R, C);
      if (dviBlock) route(Form3->StringGrid3, Form3->CheckBox3, R, C);
    }
  }
}

void TForm1::ComboBox4Change(TObject*) {
  const int i = ComboBox4->ItemIndex();
  const bool known = i >= kVideo && i <= kVideo2;
  ComboBox1->SetItemIndex(known ? i : kVideo);
  ComboBox8->SetVisible(i != kVideo2);
  ComboBox2->SetVisible(i == kVideo2);
  // Scene 1 for VIDEO, 2 for VGA, 3 for the rest.
  if (known) ComboBox3->SetItemIndex(i == kVideo ? 0 : i == kVga ? 1 : 2);
  TcxComboBox* makes = MakeListOf(i);
  Label7->SetCaption(makes ? makes->Text() : String());
}

void TForm1::CheckBox3Click(TObject*) {
  const bool on = CheckBox3->Checked();
  ComboBox2->SetEnabled(on);
  ComboBox8->SetEnabled(on);
  Label2->SetEnabled(on);
  grpMatix->SetVisible(on);
  if (ConfigFile) WriteConfig(*ConfigFile, cfg::setting::Linkage, on);

  // Each list keeps its choice by position, so a named input or one within the new count stays
  // chosen rather than falling to none, which routes input 0.
  TcxComboBox* lists[] = {ComboBox2, ComboBox8};
  int chosen[2];
  for (int k = 0; k < 2; ++k) {
    chosen[k] = lists[k]->ItemIndex();
    lists[k]->Properties()->Items()->Clear();
  }

  const int type = ComboBox1->ItemIndex();
  int count = 255;
  if (TLabeledEdit* counted = InputCountOf(type)) {
    Label7->SetCaption(MakeListOf(type)->Text());
    count = StrToInt(counted->Text());
  }
  for (int k = 0; k < 2; ++k) {
    TStrings* items = lists[k]->Properties()->Items();
    items->BeginUpdate();
    for (int n = 1; n <= count; ++n) items->Add(IntToStr(n));
    items->EndUpdate();
    if (count > 0) lists[k]->SetItemIndex(chosen[k] >= 0 && chosen[k] < count ? chosen[k] : 0);
  }
}
