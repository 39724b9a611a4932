#include "matrix/MatrixEngine.h"

#include <algorithm>
#include <limits>

#include "app/BootWindow.h"
#include "console/GridConsole.h"
#include "matrix/MatrixConfig.h"
#include "matrix/SwitchCommands.h"
#include "platform/system/Clock.h"
#include "variants/HybridConsole.h"

void BlockingPause(std::int64_t ms) {
  // The clock sleeps at most 2^32 − 1 ms at a time; longer pauses are laid end to end.
  constexpr std::int64_t kLongest = std::numeric_limits<std::uint32_t>::max();
  while (ms > 0) {
    const std::int64_t step = std::min(ms, kLongest);
    platform::CurrentClock().Sleep(static_cast<std::uint32_t>(step));
    ms -= step;
  }
}

namespace {

MatrixChoice ChoiceOf(TcxComboBox* list) { return {list->ItemIndex(), list->Text()}; }

}  // namespace

MatrixSettings ReadMatrixSettings() {
  MatrixSettings s;
  s.SignalIndex = Form1->ComboBox1->ItemIndex();
  s.SignalText = Form1->ComboBox1->Text();
  s.ModelLabel = Form1->Label7->Caption();
  s.Linkage = Form1->CheckBox3->Checked();
  s.DebugMode = Form18->DebugMode != 0;
  s.VideoMake = ChoiceOf(Form3->ComboBox3);
  s.VgaMake = ChoiceOf(Form3->ComboBox4);
  s.DviMake = ChoiceOf(Form3->ComboBox5);
  s.HdmiMake = ChoiceOf(Form3->ComboBox7);
  s.VideoId = Form3->LabeledEdit1->Text();
  s.VgaId = Form3->LabeledEdit2->Text();
  s.DviId = Form3->LabeledEdit3->Text();
  s.HdmiId = Form3->LabeledEdit6->Text();
  s.OutputBase = Form3->MaskEdit1->Text();
  s.InputBase = Form3->MaskEdit2->Text();
  return s;
}

void ConsoleMatrixSink::Write(MatrixLink link, const unsigned char* data, std::size_t length) {
  const auto size = static_cast<std::uint16_t>(length);
  switch (link) {
    case MatrixLink::VideoMatrix: Form1->WriteVideoMatrix(data, size); break;
    case MatrixLink::RgbMatrix: Form1->WriteRgbMatrix(data, size); break;
    case MatrixLink::ScreenPort: Form1->Comm1->SendData(data, size); break;
  }
}

void ConsoleMatrixSink::Pause(int ms) { BlockingPause(ms); }

void ConsoleMatrixSink::Log(unsigned boxes, const String& line) {
  if (boxes & mlbGridConsole) Form1->Memo1->Lines()->Add(line);
  if (boxes & mlbHybridConsole) Form33->Memo1->Lines()->Add(line);
}

void BuildMatrixSwitch(int outputIndex, int input) {
  ConsoleMatrixSink sink;
  PlayMatrixSends(MatrixSwitchSends(ReadMatrixSettings(), outputIndex, input), sink);
}
