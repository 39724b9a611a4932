#include "variants/HybridConsole.h"

#include "console/Config.h"

TForm33* Form33 = nullptr;

TForm33::TForm33(TComponent* AOwner) : TForm(AOwner) { RegisterHandler("FormCreate", &TForm33::FormCreate); }

TForm33::~TForm33() {
  if (Form33 == this) Form33 = nullptr;
}

void TForm33::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.ExStyle |= win::WS_EX_APPWINDOW;
}

void TForm33::Loaded() {
  TForm::Loaded();
  FindComponent(cxgrpbxTop, "cxgrpbxTop");
  FindComponent(cxpgcntrlTop, "cxpgcntrlTop");
  FindComponent(cxtbshtOther, "cxtbshtOther");
  FindComponent(btnPlayMode, "btnPlayMode");
  FindComponent(GBox1GBox, "GBox1GBox");
  FindComponent(Bitbtn9, "Bitbtn9");
  FindComponent(Label3, "Label3");
  FindComponent(PageControl1, "PageControl1");
  FindComponent(TabSheet3, "TabSheet3");
  FindComponent(TabSheet4, "TabSheet4");
  FindComponent(Memo1, "Memo1");
  FindComponent(StatusBar1, "StatusBar1");
}

void TForm33::FormCreate(TObject*) {
  // The language and the password; the console's other settings join as its window grows.
  std::unique_ptr<TIniFile> ini = OpenConfigFile();
  LanguageHybrid = ReadConfig(*ini, cfg::config::Language);
  AdminPasswordHybrid = ReadConfig(*ini, cfg::config::Password);
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm33>();
  return true;
}();

}  // namespace
