#include "console/GridConsole.h"

#include <type_traits>

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("BitBtn1Click", &TForm1::BitBtn1Click);
  RegisterHandler("BitBtn2Click", &TForm1::BitBtn2Click);
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.ExStyle |= win::WS_EX_APPWINDOW;
}

void TForm1::Loaded() {
  TForm::Loaded();
  auto find = [this](auto*& field, const char* name) {
    field = dynamic_cast<std::remove_reference_t<decltype(field)>>(FindComponent(name));
  };
  find(Comm1, "Comm1");
  find(Comm2, "Comm2");
  find(Comm3, "Comm3");
  find(socketClient, "socketClient");
  find(BitBtn1, "BitBtn1");
  find(BitBtn2, "BitBtn2");
  find(BitBtn5, "BitBtn5");
  find(BitBtn6, "BitBtn6");
  find(BitBtn9, "BitBtn9");
  find(BitBtn15, "BitBtn15");
  find(BitBtn18, "BitBtn18");
  find(btnPlayMode, "btnPlayMode");
  find(Bitbtn, "Bitbtn");
  find(Label7, "Label7");
  find(ComboBox1, "ComboBox1");
  find(ComboBox8, "ComboBox8");
  find(CheckBox3, "CheckBox3");
  find(PopupMenu1, "PopupMenu1");
  find(N7, "N7");
  find(N15, "N15");
  find(PageControl1, "PageControl1");
  find(TabSheet3, "TabSheet3");
  find(TabSheet4, "TabSheet4");
  find(Memo1, "Memo1");
  find(StatusBar1, "StatusBar1");
}

void SetLinkStatus(TdxStatusBar* StatusBar, const String& Text) { StatusBar->Panels()->PanelAt(0)->SetText(Text); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm1>();
  return true;
}();

}  // namespace
