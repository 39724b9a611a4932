#include "console/VersionWindow.h"

#include "console/GridConsole.h"
#include "console/ScreenFrame.h"

TForm5* Form5 = nullptr;

TForm5::TForm5(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormShow", &TForm5::FormShow);
  RegisterHandler("Button1Click", &TForm5::Button1Click);
  RegisterHandler("BitBtn1Click", &TForm5::BitBtn1Click);
}

TForm5::~TForm5() {
  if (Form5 == this) Form5 = nullptr;
}

void TForm5::Loaded() {
  TForm::Loaded();
  FindComponent(Label1, "Label1");
  FindComponent(Label2, "Label2");
  FindComponent(Label3, "Label3");
  FindComponent(Button1, "Button1");
  FindComponent(BitBtn1, "BitBtn1");
}

void TForm5::FormShow(TObject*) {
  // The query button's English caption comes with the grid console's captions.
  if (Form1->Language != 1) return;
  SetCaption(" About");
  Label1->SetCaption("Quorrin");
  BitBtn1->SetCaption("Close");
}

void TForm5::Button1Click(TObject*) { Form1->SendScreenCommand(scQueryVersion, 1); }

void TForm5::BitBtn1Click(TObject*) { Close(); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm5>();
  return true;
}();

}  // namespace
