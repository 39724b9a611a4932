#include "matrix/ChannelNaming.h"

#include "console/Config.h"
#include "console/GridConsole.h"

TForm37* Form37 = nullptr;

TForm37::TForm37(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormCreate", &TForm37::FormCreate);
  RegisterHandler("FormShow", &TForm37::FormShow);
  RegisterHandler("btn1Click", &TForm37::btn1Click);
  RegisterHandler("btn2Click", &TForm37::btn2Click);
}

TForm37::~TForm37() {
  if (Form37 == this) Form37 = nullptr;
}

void TForm37::Loaded() {
  TForm::Loaded();
  lbl1 = dynamic_cast<TLabel*>(FindComponent("lbl1"));
  edt1 = dynamic_cast<TEdit*>(FindComponent("edt1"));
  btn1 = dynamic_cast<TButton*>(FindComponent("btn1"));
  btn2 = dynamic_cast<TButton*>(FindComponent("btn2"));
}

void TForm37::FormCreate(TObject*) { ConfigFile = OpenConfigFile(); }

void TForm37::FormShow(TObject*) { EditedInputIndex = Form1->ComboBox8->ItemIndex(); }

void TForm37::btn1Click(TObject*) {
  TcxComboBox* inputs = Form1->ComboBox8;
  // With no input chosen this raises the list's index error before anything changes.
  inputs->Properties()->Items()->SetStrings(EditedInputIndex, edt1->Text());
  inputs->SetText(edt1->Text());
  WriteConfig(*ConfigFile, cfg::maxtixname::Input(EditedInputIndex), edt1->Text());
  Hide();
}

void TForm37::btn2Click(TObject*) { Hide(); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm37>();
  return true;
}();

}  // namespace
