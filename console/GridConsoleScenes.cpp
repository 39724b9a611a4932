// The grid console's scenes: saving or recalling scene n tells every screen of the wall and the
// matrices to save or recall n, and one make-specific command follows. Two makes keep no presets:
// for them the console records the splices made between two save presses and replays them.
#include "app/BootWindow.h"
#include "console/CommSettings.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "console/SceneRename.h"
#include "console/ScreenFrame.h"
#include "console/SplitString.h"
#include "matrix/MatrixConfig.h"
#include "matrix/MatrixEngine.h"

namespace {

const char* const kNoSceneRecord = "无预案记录";
const char* const kRecordingCaption = "正在录制";

// Typed into a pause box of the matrix configuration: converted when the pause comes, so a bad
// box stops the scene exactly there.
void PauseFor(TLabeledEdit* box) { BlockingPause(StrToInt(box->Text())); }

void Play(const MatrixSends& sends) {
  ConsoleMatrixSink sink;
  PlayMatrixSends(sends, sink);
}

// However a replay ends, later native splices are recorded again rather than taken as its steps.
class ReplayScope {
 public:
  ReplayScope(TForm1& console, int count) : FConsole(console) {
    FConsole.Replaying = true;
    FConsole.ReplayCountdown = count;
  }
  ~ReplayScope() {
    FConsole.Replaying = false;
    FConsole.ReplayCountdown = 0;
  }
  ReplayScope(const ReplayScope&) = delete;
  ReplayScope& operator=(const ReplayScope&) = delete;

 private:
  TForm1& FConsole;
};

}  // namespace

void TForm1::RegisterSceneHandlers() {
  RegisterHandler("BitBtn12Click", &TForm1::BitBtn12Click);
  RegisterHandler("BitBtn13Click", &TForm1::BitBtn13Click);
  RegisterHandler("Button2Click", &TForm1::Button2Click);
}

void TForm1::SaveVideoMatrixPreset(std::uint8_t n) {
  Play(VideoMatrixPresetSends(ReadMatrixSettings(), MatrixPresetOp::Save, n));
}

void TForm1::RecallVideoMatrixPreset(std::uint8_t n) {
  Play(VideoMatrixPresetSends(ReadMatrixSettings(), MatrixPresetOp::Recall, n));
}

void TForm1::SaveRgbMatrixPreset(std::uint8_t n) {
  Play(RgbMatrixPresetSends(ReadMatrixSettings(), MatrixPresetOp::Save, n));
}

void TForm1::RecallRgbMatrixPreset(std::uint8_t n) {
  Play(RgbMatrixPresetSends(ReadMatrixSettings(), MatrixPresetOp::Recall, n));
}

int TForm1::CurrentScene() { return ComboBox3->Properties()->Items()->IndexOf(ComboBox3->Text()) + 1; }

void TForm1::SendSceneToWall(MatrixPresetOp Op, int Scene) {
  const bool save = Op == MatrixPresetOp::Save;
  const std::uint8_t n = static_cast<std::uint8_t>(Scene);
  auto frame = [&] {
    SendScreenFrame(TScreenFrame::kHeader, 0x11, 0xFF, save ? scSaveScene : scRecallScene, n,
                    TScreenFrame::kTrailer);
  };
  auto presets = [&] {
    if (!Form2->CheckBox2->Checked() && !Form2->CheckBox3->Checked()) return;
    PauseFor(Form3->LabeledEdit4);
    save ? SaveVideoMatrixPreset(n) : RecallVideoMatrixPreset(n);
    PauseFor(Form3->LabeledEdit5);
    save ? SaveRgbMatrixPreset(n) : RecallRgbMatrixPreset(n);
  };
  switch (Form3->RadioGroup1->ItemIndex()) {
    case 0:  // screens first
      frame();
      BlockingPause(5);
      presets();
      break;
    case 1:  // matrix first
      presets();
      BlockingPause(5);
      frame();
      break;
    default: break;
  }
  PauseFor(Form3->LabeledEdit4);
}

void TForm1::BitBtn12Click(TObject*) { RunScene(MatrixPresetOp::Save); }

void TForm1::BitBtn13Click(TObject*) { RunScene(MatrixPresetOp::Recall); }

void TForm1::RunScene(MatrixPresetOp Op) {
  const int n = CurrentScene();
  SendSceneToWall(Op, n);
  const MatrixSends model = SceneModelSends(ReadMatrixSettings(), Op, n);
  if (!model.NativeScene)
    Play(model);
  else if (Op == MatrixPresetOp::Save)
    ToggleNativeRecording(n);
  else
    ReplayNativeScene(n);
}

void TForm1::ToggleNativeRecording(int Scene) {
  if (!Recording) {
    BitBtn12->SetCaption(kRecordingCaption);
    Recording = true;
  } else {
    BitBtn12->SetCaption(Language == 1 ? "Save" : "保存预案");
    WriteConfig(*ConfigFile, cfg::nativeMatrix::Scene(Scene), IntToStr(RecordedSpliceCount) + "," + RecordedSplices);
    Recording = false;
  }
  RecordedSplices.clear();
  RecordedSpliceCount = 0;
}

void TForm1::ReplayNativeScene(int Scene) {
  const String record = ReadConfig(*ConfigFile, cfg::nativeMatrix::Scene(Scene));
  if (record == "0,0,0,0,0") {
    ShowMessage(kNoSceneRecord);
    return;
  }
  const std::unique_ptr<TStringList> pieces = SplitString(record, ",");
  const int count = StrToInt(pieces->Strings(0));
  // A negative count would leave the splice counting down a replay that never ends.
  if (count < 1) {
    ShowMessage(kNoSceneRecord);
    return;
  }
  ReplayScope replay(*this, count);
  for (int k = 0; k < count; ++k) {
    auto piece = [&](int i) { return StrToInt(pieces->Strings(5 * k + i)); };
    SelectionLeft = piece(1);
    SelectionTop = piece(2);
    SelectionRight = piece(3);
    SelectionBottom = piece(4);
    MatrixInput = piece(5);
    BitBtn8Click(BitBtn8);
  }
}

void TForm1::Button2Click(TObject*) {
  Form9->Open(ComboBox3, ConfigFile.get(), Button2->Caption());
}
