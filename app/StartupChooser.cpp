#include "app/StartupChooser.h"

#include "app/BootWindow.h"
#include "ui/controls/ControlsUnit.h"
#include "console/GridConsole.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

TForm25* Form25 = nullptr;

TForm25::TForm25(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("img1Click", &TForm25::img1Click);
  RegisterHandler("img2Click", &TForm25::img2Click);
  RegisterHandler("img3Click", &TForm25::img3Click);
  RegisterHandler("img4Click", &TForm25::img4Click);
  RegisterHandler("FormPaint", &TForm25::FormPaint);
  RegisterHandler("FormClose", &TForm25::FormClose);
}

TForm25::~TForm25() {
  if (Form25 == this) Form25 = nullptr;
}

void TForm25::Loaded() {
  TForm::Loaded();
  img1 = dynamic_cast<TImage*>(FindComponent("img1"));
  img2 = dynamic_cast<TImage*>(FindComponent("img2"));
  img3 = dynamic_cast<TImage*>(FindComponent("img3"));
  img4 = dynamic_cast<TImage*>(FindComponent("img4"));
}

void TForm25::WndProc(TMessage& Message) {
  if (!RefuseSkinQuery(Message)) TForm::WndProc(Message);
}

void TForm25::img1Click(TObject*) {
  Form18->ConsoleKind = ckGrid;
  img2->Hide();
  img3->Hide();
  Form1->Show();
}

void TForm25::img2Click(TObject*) {
  Form18->ConsoleKind = ckSplicing;
  img1->Hide();
  img3->Hide();
  Form23->Show();
}

void TForm25::img4Click(TObject*) {
  Form18->ConsoleKind = ckHybrid;
  Form33->Show();
}

void TForm25::img3Click(TObject*) {
  img1->Hide();
  img2->Hide();
  Close();
  Form18->Close();
}

void TForm25::FormPaint(TObject*) {
  // Setting the colour it already has repaints nothing, so this settles after one more paint.
  SetColor(clLime);
}

void TForm25::FormClose(TObject*, TCloseAction&) {
  // Hidden, the chooser would leave the program running with no window to end it by.
  Form18->Close();
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm25>();
  return true;
}();

}  // namespace
