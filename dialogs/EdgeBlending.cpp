#include "dialogs/EdgeBlending.h"

#include "app/BootWindow.h"
#include "console/GridConsole.h"
#include "console/ScreenFrame.h"
#include "platform/classes/SysUtils.h"
#include "platform/system/Clock.h"

TForm11* Form11 = nullptr;

TForm11::TForm11(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormShow", &TForm11::FormShow);
  RegisterHandler("CheckBox1Click", &TForm11::CheckBox1Click);
  RegisterHandler("TrackBar1Change", &TForm11::TrackBar1Change);
  RegisterHandler("TrackBar2Change", &TForm11::TrackBar2Change);
  RegisterHandler("BitBtn10Click", &TForm11::BitBtn10Click);
}

TForm11::~TForm11() {
  if (Form11 == this) Form11 = nullptr;
}

void TForm11::Loaded() {
  TForm::Loaded();
  FindComponent(GroupBox1, "GroupBox1");
  FindComponent(CheckBox1, "CheckBox1");
  FindComponent(Label5, "Label5");
  FindComponent(TrackBar1, "TrackBar1");
  FindComponent(Label6, "Label6");
  FindComponent(TrackBar2, "TrackBar2");
  FindComponent(BitBtn10, "BitBtn10");
  // Blending starts off, and with it the bars and their captions.
  CheckBox1Click(this);
}

void TForm11::FormShow(TObject*) {
  if (Form1->Language != 1) return;
  SetCaption("Border Effect");
  GroupBox1->SetCaption("Border Effect");
  CheckBox1->SetCaption("Enable");
  BitBtn10->SetCaption("Apply");
  Label5->SetCaption("H. border adjust");
  Label6->SetCaption("V. Border adjust");
}

void TForm11::CheckBox1Click(TObject*) {
  const bool on = CheckBox1->Checked();
  for (TControl* control : std::initializer_list<TControl*>{TrackBar1, TrackBar2, Label5, Label6})
    control->SetEnabled(on);
}

// The English captions are spelled as the screens' manuals have always shown them.
void TForm11::TrackBar1Change(TObject*) {
  const String position = IntToStr(TrackBar1->Position());
  Label5->SetCaption((Form1->Language == 1 ? "H. boder " : "调节  ") + position);
}

void TForm11::TrackBar2Change(TObject*) {
  const String position = IntToStr(TrackBar2->Position());
  Label6->SetCaption((Form1->Language == 1 ? "V. Boder  " : "调节  ") + position);
}

void TForm11::BitBtn10Click(TObject*) {
  // Blending off goes out as zero amounts, whatever the bars show.
  const bool on = CheckBox1->Checked();
  const int h = on ? TrackBar1->Position() : 0;
  const int v = on ? TrackBar2->Position() : 0;
  // The splicing and hybrid screens take the amounts under their own pair of commands.
  const bool alt = Form18->ConsoleKind == ckSplicing || Form18->ConsoleKind == ckHybrid;
  Form1->SendScreenCommand(alt ? scEdgeBlendHAlt : scEdgeBlendH, h);
  win::Sleep(1000);
  Form1->SendScreenCommand(alt ? scEdgeBlendVAlt : scEdgeBlendV, v);
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm11>();
  return true;
}();

}  // namespace
