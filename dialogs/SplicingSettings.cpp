#include "dialogs/SplicingSettings.h"

#include <cstdio>

#include "app/BootWindow.h"
#include "console/GridConsole.h"
#include "console/WallGrid.h"
#include "matrix/MatrixConfig.h"
#include "variants/HybridConsole.h"

TForm15* Form15 = nullptr;

TForm15::TForm15(TComponent* AOwner) : TSplicingSettingsDialog(AOwner) {}

TForm15::~TForm15() {
  if (Form15 == this) Form15 = nullptr;
}

int TForm15::ConsoleLanguage() const { return Form1->Language; }

void TForm15::ApplyEnglishCaptions() {
  TSplicingSettingsDialog::ApplyEnglishCaptions();
  SetCaptionsByName({{"Label2", "Splice Type:"}, {"Label7", "row"}, {"Label8", "col"}});
}

void TForm15::ApplySettings() {
  StoreName();
  StoreSize();
  CopyLogo();
  ShowOnConsole(Form1->Image1, Form1->Label3);
  LayOutWallGrid(Form1->stringgrid1, Rows(), Columns());
  Form33->SizeWallGridHybrid();
  Form1->SizeWallGrid();
  Close();
  SendWallSizeToMatrix();
}

void TForm15::SendWallSizeToMatrix() {
  if (Form1->Label7->Caption() != "FST" || Form1->ComboBox1->Text() != "HDMI" || !Form1->CheckBox3->Checked()) return;
  char size[8];
  std::snprintf(size, sizeof size, "%02X%02X", Rows(), Columns());
  const String text = "PV" + Form3->LabeledEdit6->Text() + "VW" + size + "NT";
  Form33->WriteRgbMatrixHybrid(reinterpret_cast<const std::uint8_t*>(text.data()),
                               static_cast<std::uint16_t>(text.size()));
  if (Form18->DebugMode) {
    Form1->Memo1->Lines()->Add(text);
    Form33->Memo1->Lines()->Add(text);
  }
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm15>();
  return true;
}();

}  // namespace
