#include "app/PictureChooser.h"

#include "app/BootWindow.h"
#include "ui/controls/ControlsUnit.h"

TForm26* Form26 = nullptr;

TForm26::TForm26(TComponent* AOwner) : TForm(AOwner) { RegisterHandler("FormClose", &TForm26::FormClose); }

TForm26::~TForm26() {
  if (Form26 == this) Form26 = nullptr;
}

void TForm26::WndProc(TMessage& Message) {
  if (!RefuseSkinQuery(Message)) TForm::WndProc(Message);
}

void TForm26::FormClose(TObject*, TCloseAction&) {
  // Alt+F4 is this window's only way out; hidden, it would leave the program running with none.
  Form18->Close();
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm26>();
  return true;
}();

}  // namespace
