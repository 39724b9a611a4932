#include "app/VideoChooser.h"

#include "app/BootWindow.h"
#include "console/Config.h"
#include "platform/win/Focus.h"
#include "platform/win/Window.h"
#include "console/GridConsole.h"
#include "variants/SplicingConsole.h"

TForm22* Form22 = nullptr;

TForm22::TForm22(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormShow", &TForm22::FormShow);
  RegisterHandler("rzpnl1Click", &TForm22::rzpnl1Click);
  RegisterHandler("FormClose", &TForm22::FormClose);
}

TForm22::~TForm22() {
  if (Form22 == this) Form22 = nullptr;
}

void TForm22::Loaded() {
  TForm::Loaded();
  rzpnl1 = dynamic_cast<TRzPanel*>(FindComponent("rzpnl1"));
  mp1 = dynamic_cast<TMediaPlayer*>(FindComponent("mp1"));
}

void TForm22::FormShow(TObject*) {
  try {
    mp1->SetFileName(ProgramFilePath("lo.wmv"));
    mp1->Open();
    mp1->SetDisplayRect(win::RECT{0, 0, rzpnl1->Width(), rzpnl1->Height()});
    mp1->Play();
  } catch (EMCIDeviceError& e) {
    // The chooser still shows and its click areas work: they do not depend on the video.
    Application->ShowException(e);
  }
}

void TForm22::rzpnl1Click(TObject*) {
  win::POINT p{};
  win::GetCursorPos(&p);
  win::ScreenToClient(win::WindowFromPoint(p), &p);
  Hide();
  if (p.y < kVideoChooserSplitY) {
    Form18->ConsoleKind = ckGrid;
    Form1->Show();
  } else {
    Form18->ConsoleKind = ckSplicing;
    Form23->Show();
  }
}

void TForm22::FormClose(TObject*, TCloseAction&) { Form18->Close(); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm22>();
  return true;
}();

}  // namespace
