#include "console/LoginWindow.h"

#include "app/BootWindow.h"
#include "console/GridConsole.h"
#include "console/PasswordWindow.h"
#include "platform/classes/Dialogs.h"
#include "platform/win/Keys.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

TForm7* Form7 = nullptr;

namespace {

// The service codes: beyond the administrator, engineering turns the frame log and the test pages
// on, and the factory level reaches the playback and virtual-remote buttons as well.
constexpr const char* kEngineeringCode = "40619";
constexpr const char* kFactoryCode = "270318";

bool English() { return Form33->LanguageHybrid == 1; }

// The user level as every console's status bar shows it.
void ShowUserLevel(const char* English, const char* Chinese) {
  const String text = ::English() ? English : Chinese;
  for (TdxStatusBar* bar : {Form1->StatusBar1, Form23->StatusBar1, Form33->StatusBar1})
    bar->Panels()->PanelAt(1)->SetText(text);
}

// The service pages and the frame logs of the three consoles, in their order.
void HideServiceControls() {
  Form1->PageControl1->SetVisible(false);
  Form1->Memo1->SetVisible(false);
  Form23->PageControl1->SetVisible(false);
  Form23->Memo1->SetVisible(false);
  Form33->PageControl1->SetVisible(false);
  Form33->Memo1->SetVisible(false);
}

}  // namespace

TForm7::TForm7(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormShow", &TForm7::FormShow);
  RegisterHandler("MaskEdit1KeyDown", &TForm7::MaskEdit1KeyDown);
  RegisterHandler("Button1Click", &TForm7::Button1Click);
  RegisterHandler("Button4Click", &TForm7::Button4Click);
  RegisterHandler("Button3Click", &TForm7::Button3Click);
  RegisterHandler("Button2Click", &TForm7::Button2Click);
}

TForm7::~TForm7() {
  if (Form7 == this) Form7 = nullptr;
}

void TForm7::Loaded() {
  TForm::Loaded();
  FindComponent(Label1, "Label1");
  FindComponent(MaskEdit1, "MaskEdit1");
  FindComponent(Button1, "Button1");
  FindComponent(Button4, "Button4");
  FindComponent(Button3, "Button3");
  FindComponent(Button2, "Button2");
}

void TForm7::FormShow(TObject*) {
  if (Form18->AdminLoggedIn) {
    Button4->SetFocus();
    Label1->SetEnabled(false);
  } else {
    MaskEdit1->SetFocus();
    Label1->SetEnabled(true);
  }
  if (!English()) return;
  SetCaption(" Administrator Manage");
  Label1->SetCaption("Input Admin Password:");
  Button1->SetCaption("Login");
  Button4->SetCaption("Logout");
  Button3->SetCaption("Reset Password");
  Button3->SetLeft(142);
  Button3->SetWidth(131);
  Button2->SetCaption("Close");
}

void TForm7::MaskEdit1KeyDown(TObject*, win::WORD& Key, TShiftState) {
  if (Key == win::VK_RETURN) Button1->SetFocus();
}

void TForm7::Button1Click(TObject*) {
  const String entry = MaskEdit1->Text();
  const bool engineering = entry == kEngineeringCode;
  const bool factory = entry == kFactoryCode;
  if (entry != Form33->AdminPasswordHybrid && entry != Form1->AdminPassword && !engineering && !factory) {
    ShowMessage(English() ? "Password is wrong，please check and input again!" : "密码错误，请确认后重新输入!");
    return;
  }
  Form18->AdminLoggedIn = 1;
  if (engineering) Form18->EngineerLoggedIn = 1;
  if (factory) Form18->FactoryLoggedIn = 1;
  MaskEdit1->SetText("");
  ShowUserLevel("User ： Administrator", "操作权限 ： 管理员");
  MaskEdit1->SetEnabled(false);
  Button1->SetEnabled(false);
  Button4->SetEnabled(true);
  Button3->SetEnabled(true);
  if (Form18->EngineerLoggedIn || Form18->FactoryLoggedIn) {
    Form18->DebugMode = 1;
    for (TControl* log : std::initializer_list<TControl*>{Form1->Memo1, Form23->Memo1, Form33->Memo1})
      log->SetVisible(true);
  }
  Form33->UpdateControlStatesHybrid();
  ShowMessage(English() ? "OK, Please logout in time after operation" : "管理员登录成功，请操作完成后及时退出");
  Close();
}

void TForm7::Button4Click(TObject*) {
  Form18->AdminLoggedIn = 0;
  ShowUserLevel("User ： Operator", "操作权限 ： 操作员");
  Button4->SetEnabled(false);
  Button3->SetEnabled(false);
  Button1->SetEnabled(true);
  MaskEdit1->SetEnabled(true);
  Button2->SetFocus();
  Label1->SetEnabled(true);
  // The refresh sees the service mode still on: the service levels are undone after it.
  Form33->UpdateControlStatesHybrid();
  if (Form18->EngineerLoggedIn) {
    Form18->DebugMode = 0;
    HideServiceControls();
    Form18->EngineerLoggedIn = 0;
  }
  if (Form18->FactoryLoggedIn) {
    Form18->DebugMode = 0;
    HideServiceControls();
    for (TcxButton* button : {Form1->Bitbtn, Form1->btnPlayMode, Form23->Bitbtn9, Form23->btnPlayMode,
                              Form33->Bitbtn9, Form33->btnPlayMode})
      button->SetEnabled(false);
    Form18->FactoryLoggedIn = 0;
  }
}

void TForm7::Button3Click(TObject*) { Form8->Show(); }

void TForm7::Button2Click(TObject*) { Close(); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm7>();
  return true;
}();

}  // namespace
