#include "variants/SplicingConsole.h"

#include "console/Config.h"

TForm23* Form23 = nullptr;

TForm23::TForm23(TComponent* AOwner) : TForm(AOwner) { RegisterHandler("FormCreate", &TForm23::FormCreate); }

TForm23::~TForm23() {
  if (Form23 == this) Form23 = nullptr;
}

void TForm23::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.ExStyle |= win::WS_EX_APPWINDOW;
}

void TForm23::Loaded() {
  TForm::Loaded();
  FindComponent(cxgrpbxTop, "cxgrpbxTop");
  FindComponent(cxpgcntrlTop, "cxpgcntrlTop");
  FindComponent(cxtbshtOther, "cxtbshtOther");
  FindComponent(btnPlayMode, "btnPlayMode");
  FindComponent(Bitbtn9, "Bitbtn9");
  FindComponent(Label3, "Label3");
  FindComponent(PageControl1, "PageControl1");
  FindComponent(TabSheet3, "TabSheet3");
  FindComponent(TabSheet4, "TabSheet4");
  FindComponent(Memo1, "Memo1");
  FindComponent(StatusBar1, "StatusBar1");
}

void TForm23::FormCreate(TObject*) {
  // The language and the password; the console's other settings join as its window grows.
  std::unique_ptr<TIniFile> ini = OpenConfigFile();
  LanguageSplicing = ReadConfig(*ini, cfg::config::Language);
  AdminPasswordSplicing = ReadConfig(*ini, cfg::config::Password);
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm23>();
  return true;
}();

}  // namespace
