#include "matrix/MatrixConfig.h"

#include <type_traits>

#include "app/BootWindow.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "dialogs/SplicingSettings.h"
#include "dialogs/SplicingSettingsHybrid.h"

TForm3* Form3 = nullptr;

namespace {

// One wiring grid with its manual box and where its cells are stored.
struct TWiring {
  TStringGrid* Grid;
  TcxCheckBox* Manual;
  cfg::TStringKey (*Screen)(int R, int C, int Columns);
  const cfg::TBoolKey& Flag;
};

std::array<TWiring, 3> WiringsOf(const TForm3& Form) {
  return {{{Form.StringGrid1, Form.CheckBox1, &cfg::AVmux::Screen, cfg::AVmux::CustomerMux},
           {Form.StringGrid2, Form.CheckBox2, &cfg::VGAmux::Screen, cfg::VGAmux::CustomerMux},
           {Form.StringGrid3, Form.CheckBox3, &cfg::DVImux::Screen, cfg::DVImux::CustomerMux}}};
}

struct TWallSize {
  int Rows;
  int Columns;
};

// The wall as a console's splicing settings hold it (TForm15 or TForm34).
template <class TSettings>
TWallSize WallOf(const TSettings* Settings) {
  return {Settings->ComboBox1->ItemIndex() + 1, Settings->ComboBox2->ItemIndex() + 1};
}

}  // namespace

TForm3::TForm3(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormShow", &TForm3::FormShow);
  RegisterHandler("Button4Click", &TForm3::Button4Click);
  RegisterHandler("Button1Click", &TForm3::Button1Click);
  RegisterHandler("ComboBox6Change", &TForm3::ComboBox6Change);
  RegisterHandler("CheckBox1Click", &TForm3::CheckBox1Click);
  RegisterHandler("CheckBox2Click", &TForm3::CheckBox2Click);
  RegisterHandler("CheckBox3Click", &TForm3::CheckBox3Click);
  RegisterHandler("BitBtn1Click", &TForm3::BitBtn1Click);
}

TForm3::~TForm3() {
  if (Form3 == this) Form3 = nullptr;
}

void TForm3::Loaded() {
  TForm::Loaded();
  auto find = [this](auto*& field, const char* name) {
    field = dynamic_cast<std::remove_reference_t<decltype(field)>>(FindComponent(name));
  };
#define VW_FIND(Name) find(Name, #Name)
  VW_FIND(GroupBox2);
  VW_FIND(Label3);
  VW_FIND(Label4);
  VW_FIND(Label5);
  VW_FIND(Label10);
  VW_FIND(Label15);
  VW_FIND(ComboBox3);
  VW_FIND(ComboBox4);
  VW_FIND(ComboBox5);
  VW_FIND(ComboBox7);
  VW_FIND(ComboBox8);
  VW_FIND(PageControl1);
  VW_FIND(TabSheet3);
  VW_FIND(Label9);
  VW_FIND(Label12);
  VW_FIND(Label13);
  VW_FIND(MaskEdit1);
  VW_FIND(MaskEdit2);
  VW_FIND(TabSheet4);
  VW_FIND(LabeledEdit1);
  VW_FIND(LabeledEdit2);
  VW_FIND(LabeledEdit3);
  VW_FIND(LabeledEdit6);
  VW_FIND(TabSheet5);
  VW_FIND(LabeledEdit4);
  VW_FIND(LabeledEdit5);
  VW_FIND(RadioGroup1);
  VW_FIND(cxtbshtInPort);
  VW_FIND(lbledtVideoIPort);
  VW_FIND(lbledtVGAIPort);
  VW_FIND(lbledtDVIIPort);
  VW_FIND(lbledtHDMIIPort);
  VW_FIND(cxGroupBox1);
  VW_FIND(Label11);
  VW_FIND(ComboBox6);
  VW_FIND(GroupBox3);
  VW_FIND(StringGrid1);
  VW_FIND(StringGrid2);
  VW_FIND(StringGrid3);
  VW_FIND(CheckBox1);
  VW_FIND(CheckBox2);
  VW_FIND(CheckBox3);
  VW_FIND(BitBtn1);
  VW_FIND(GroupBox1);
  VW_FIND(Label14);
  VW_FIND(Button5);
  VW_FIND(Button6);
#undef VW_FIND
}

void TForm3::LoadSettings(TCustomIniFile& Ini) {
  using namespace cfg::setting;
  ComboBox3->SetItemIndex(ReadConfig(Ini, VideoMux));
  ComboBox4->SetItemIndex(ReadConfig(Ini, VgaMux));
  ComboBox5->SetItemIndex(ReadConfig(Ini, DviMux));
  ComboBox7->SetItemIndex(ReadConfig(Ini, HdmiMux));
  ComboBox8->SetItemIndex(ReadConfig(Ini, SdiMux));
  MaskEdit1->SetText(ReadConfig(Ini, MuxOut0));
  MaskEdit2->SetText(ReadConfig(Ini, MuxIn0));
  LabeledEdit1->SetText(ReadConfig(Ini, VideoId));
  LabeledEdit2->SetText(ReadConfig(Ini, VgaId));
  LabeledEdit3->SetText(ReadConfig(Ini, DviId));
  LabeledEdit6->SetText(ReadConfig(Ini, HdmiId));
  lbledtVideoIPort->SetText(ReadConfig(Ini, VideoInport));
  lbledtVGAIPort->SetText(ReadConfig(Ini, VgaInport));
  lbledtDVIIPort->SetText(ReadConfig(Ini, DviInport));
  lbledtHDMIIPort->SetText(ReadConfig(Ini, HdmiInport));
  LabeledEdit4->SetText(ReadConfig(Ini, MuxDelay1));
  LabeledEdit5->SetText(ReadConfig(Ini, MuxDelay2));
  RadioGroup1->SetItemIndex(ReadConfig(Ini, CommSendCfg));
}

void SizeWiringGrid(TStringGrid* Grid, int Rows, int Columns) {
  Grid->SetRowCount(Rows);
  Grid->SetColCount(Columns);
  Grid->SetWidth(18 * (Columns + 1));
  Grid->SetHeight(18 * (Rows + 1));
}

void WireOneToOne(TStringGrid* Grid, int Rows, int Columns) {
  SizeWiringGrid(Grid, Rows, Columns);
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Columns; ++c) Grid->SetCells(c, r, IntToStr(r * Columns + c + 1));
}

void TForm3::LoadWiring(TCustomIniFile& Ini, int Rows, int Columns) {
  // Ticking a box wires its grid one to one first; the stored cells then replace that.
  for (const TWiring& w : WiringsOf(*this)) w.Manual->SetChecked(ReadConfig(Ini, w.Flag));
  for (const TWiring& w : WiringsOf(*this)) {
    WireOneToOne(w.Grid, Rows, Columns);
    if (!w.Manual->Checked()) continue;
    for (int r = 0; r < Rows; ++r)
      for (int c = 0; c < Columns; ++c) w.Grid->SetCells(c, r, ReadConfig(Ini, w.Screen(r, c, Columns)));
  }
}

// ---- The dialog -------------------------------------------------------------------------------------

void TForm3::FormShow(TObject*) {
  if (Form1->Language == 1) ApplyEnglishCaptions();
  if (LabeledEdit5->Text().empty()) LabeledEdit5->SetText("100");
  if (LabeledEdit4->Text().empty()) LabeledEdit4->SetText("100");
}

void TForm3::Button4Click(TObject*) {
  StoreSettings();
  Close();
}

void TForm3::StoreSettings() {
  // Nothing is checked here: what the operator typed is what the matrix routines convert later.
  // The keys land in the order written, in one rewrite: a 15 x 15 wall has 675 wiring cells.
  TConfigWriteBatch batch;
  auto ini = OpenConfigFile();
  using namespace cfg::setting;
  WriteConfig(*ini, VideoMux, ComboBox3->ItemIndex());
  WriteConfig(*ini, VgaMux, ComboBox4->ItemIndex());
  WriteConfig(*ini, DviMux, ComboBox5->ItemIndex());
  WriteConfig(*ini, HdmiMux, ComboBox7->ItemIndex());
  WriteConfig(*ini, SdiMux, ComboBox8->ItemIndex());
  WriteConfig(*ini, MuxOut0, MaskEdit1->Text());
  WriteConfig(*ini, MuxIn0, MaskEdit2->Text());
  WriteConfig(*ini, VideoId, LabeledEdit1->Text());
  WriteConfig(*ini, VgaId, LabeledEdit2->Text());
  WriteConfig(*ini, DviId, LabeledEdit3->Text());
  WriteConfig(*ini, HdmiId, LabeledEdit6->Text());
  WriteConfig(*ini, MuxDelay1, LabeledEdit4->Text());
  WriteConfig(*ini, MuxDelay2, LabeledEdit5->Text());
  WriteConfig(*ini, CommSendCfg, RadioGroup1->ItemIndex());
  WriteConfig(*ini, VideoInport, lbledtVideoIPort->Text());
  WriteConfig(*ini, VgaInport, lbledtVGAIPort->Text());
  WriteConfig(*ini, DviInport, lbledtDVIIPort->Text());
  WriteConfig(*ini, HdmiInport, lbledtHDMIIPort->Text());

  // The grid console's model label names the make of its current signal type; SDI has a list of
  // its own here although the switching uses the VGA one.
  TcxComboBox* const makes[] = {ComboBox3, ComboBox4, ComboBox5, ComboBox7, ComboBox8};
  const int signalType = Form1->ComboBox1->ItemIndex();
  if (signalType >= 0 && signalType < 5)
    Form1->Label7->SetCaption(makes[signalType]->Text());
  else if (signalType == 5 || signalType == 6)  // YUV, VIDEO2
    Form1->Label7->SetCaption("");

  // A grid without manual wiring keeps whatever its section held before.
  for (const TWiring& w : WiringsOf(*this)) {
    if (!w.Manual->Checked()) continue;
    const int columns = w.Grid->ColCount();
    for (int r = 0; r < w.Grid->RowCount(); ++r)
      for (int c = 0; c < columns; ++c) WriteConfig(*ini, w.Screen(r, c, columns), w.Grid->Cells(c, r));
  }
  for (const TWiring& w : WiringsOf(*this)) WriteConfig(*ini, w.Flag, w.Manual->Checked());
}

void TForm3::Button1Click(TObject*) {
  // Only closes: the controls keep what was changed, and the matrix routines already use it.
  Close();
}

void TForm3::ComboBox6Change(TObject*) {
  const int shown = ComboBox6->ItemIndex();
  if (shown < 0 || shown > 2) return;
  const auto wirings = WiringsOf(*this);
  for (int i = 0; i < 3; ++i) {
    wirings[i].Grid->SetVisible(i == shown);
    wirings[i].Manual->SetVisible(i == shown);
  }
}

void TForm3::ResetToWall(TStringGrid* Grid) {
  // The hybrid-matrix console keeps its wall in its own settings; the grid console's still hold
  // their design size then.
  const TWallSize wall = Form18->ConsoleKind == ckHybrid ? WallOf(Form34) : WallOf(Form15);
  WireOneToOne(Grid, wall.Rows, wall.Columns);
}

void TForm3::CheckBox1Click(TObject*) { ResetToWall(StringGrid1); }

void TForm3::CheckBox2Click(TObject*) { ResetToWall(StringGrid2); }

void TForm3::CheckBox3Click(TObject*) { ResetToWall(StringGrid3); }

void TForm3::BitBtn1Click(TObject*) {
  TWallSize wall{};
  if (Form18->ConsoleKind == ckHybrid)
    wall = WallOf(Form34);
  else if (Form18->ConsoleKind == ckGrid)
    wall = WallOf(Form15);
  else
    return;  // the splicing console switches no matrix
  for (const TWiring& w : WiringsOf(*this)) WireOneToOne(w.Grid, wall.Rows, wall.Columns);
}

void TForm3::ApplyEnglishCaptions() {
  SetCaption("Matrix Setting");
  Button5->SetCaption("OK");
  Button6->SetCaption("Close");
  TabSheet3->SetCaption("Matrix circulation Config");
  TabSheet3->SetCaption("Address");
  TabSheet4->SetCaption("ID");
  TabSheet5->SetCaption("The response time");
  cxtbshtInPort->SetCaption("Matrix Input Amount");
  Label3->SetCaption("Video Matrix");
  Label4->SetCaption("VGA Matrix");
  Label5->SetCaption("DVI Matrix");
  Label10->SetCaption("HDMI Matrix");
  Label15->SetCaption("SDI Matrix");
  LabeledEdit1->EditLabel()->SetCaption("Video Matrix");
  LabeledEdit2->EditLabel()->SetCaption("VGA Matrix");
  LabeledEdit3->EditLabel()->SetCaption("DVI Matrix");
  LabeledEdit6->EditLabel()->SetCaption("HDMI Matrix");
  LabeledEdit4->EditLabel()->SetCaption("The response time");
  LabeledEdit5->EditLabel()->SetCaption("Time interval");
  lbledtVideoIPort->EditLabel()->SetCaption("Video Matrix Input");
  lbledtVGAIPort->EditLabel()->SetCaption("VGA Matrix Input");
  lbledtDVIIPort->EditLabel()->SetCaption("DVI Matrix Input");
  lbledtHDMIIPort->EditLabel()->SetCaption("HDMI Matrix Input");
  GroupBox1->SetCaption("Additional");
  Label9->SetCaption("Output Base port");
  Label12->SetCaption("Input Base port");
  Label13->SetCaption("Only for :Samplex Infiova ");
  Label11->SetCaption("Matrix Type:");
  RadioGroup1->SetCaption("Instructions sending sequence");
  RadioGroup1->RadioProperties()->Items()->RadioItemAt(0)->SetCaption("Screen preferred");
  RadioGroup1->RadioProperties()->Items()->RadioItemAt(1)->SetCaption("Matrix preferred");
  Label14->SetCaption("Manual configuration: from the beginning,0 is\r\n empty. Manual configuration must be numeric.");
  GroupBox2->SetCaption("Matrix brand");
  GroupBox3->SetCaption("Matrix output to splice connection diagram");
  cxGroupBox1->SetCaption("Matrix Select");
  BitBtn1->SetCaption("Port Match");
  CheckBox1->SetCaption("AV Customer");
  CheckBox2->SetCaption("VGA Customer");
  CheckBox3->SetCaption("DVI Customer");
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm3>();
  return true;
}();

}  // namespace
