#include "matrix/MatrixConfig.h"

#include <type_traits>

#include "console/Config.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(TComponent* AOwner) : TForm(AOwner) {}

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

void TForm3::LoadWiring(TCustomIniFile& Ini, int Rows, int Columns) {
  CheckBox1->SetChecked(ReadConfig(Ini, cfg::AVmux::CustomerMux));
  CheckBox2->SetChecked(ReadConfig(Ini, cfg::VGAmux::CustomerMux));
  CheckBox3->SetChecked(ReadConfig(Ini, cfg::DVImux::CustomerMux));
  struct Wiring {
    TStringGrid* Grid;
    TcxCheckBox* Manual;
    cfg::TStringKey (*Screen)(int R, int C, int Columns);
  };
  const Wiring wirings[] = {{StringGrid1, CheckBox1, &cfg::AVmux::Screen},
                            {StringGrid2, CheckBox2, &cfg::VGAmux::Screen},
                            {StringGrid3, CheckBox3, &cfg::DVImux::Screen}};
  for (const Wiring& w : wirings) {
    SizeWiringGrid(w.Grid, Rows, Columns);
    const bool manual = w.Manual->Checked();
    for (int r = 0; r < Rows; ++r)
      for (int c = 0; c < Columns; ++c)
        w.Grid->SetCells(c, r, manual ? ReadConfig(Ini, w.Screen(r, c, Columns)) : IntToStr(c + Columns * r + 1));
  }
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm3>();
  return true;
}();

}  // namespace
