// The user levels as the operator reaches them: the login window, the password change, and the two
// small service windows (the version query and the debug sender), driven by keys and clicks on the
// program's own windows. COM1 is a pseudo-terminal peer, the network bridge a loopback listener,
// time is virtual and message boxes are captured.
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/CommSettings.h"
#include "console/DebugWindow.h"
#include "console/GridConsole.h"
#include "console/LoginWindow.h"
#include "console/PasswordWindow.h"
#include "console/VersionWindow.h"
#include "console/WallGrid.h"
#include "dialogs/PictureParametersConsoles.h"
#include "matrix/MatrixConfig.h"
#include "platform/net/Tcp.h"
#include "platform/system/Registry.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ComPorts.h"
#include "tests/support/SerialPeer.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

namespace {

namespace fs = std::filesystem;
using Bytes = testsupport::SerialPeer::Bytes;
using namespace win;

// The factory level's code. It is the program's own secret: no header names it.
constexpr const char* kFactoryCode = "270318";

class UsersTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    testsupport::ServeAsComPorts({&screens, 1}, folder);  // COM1
    if (HasFatalFailure()) return;
  }
  void TearDown() override {
    AppTest::TearDown();
    platform::SetSerialDeviceRoots("", "");
  }
  void Create() {
    CreateProgramWindows();
    Pump();
    // The boot window's fade is over and the grid console is up: the boot window's timer would
    // otherwise run on with every frame's pause and open the start-up chooser over the windows.
    Form18->tmr1->SetEnabled(false);
    Form18->ConsoleKind = ckGrid;
    Form1->SelectionLeft = 1, Form1->SelectionTop = 1, Form1->SelectionRight = 2, Form1->SelectionBottom = 2;
  }
  void Connect() {
    Form2->ComboBox1->SetText("COM1");
    Form2->ComboBox2->SetText("COM1");
    Form2->ComboBox3->SetText("COM1");
    Form1->BitBtn1->Click();
    ASSERT_EQ(Form18->LinkOpen, 1);
  }
  // Every console and dialog in one interface language.
  void UseLanguage(int language) {
    Form1->Language = language;
    Form23->LanguageSplicing = language;
    Form33->LanguageHybrid = language;
  }

  void Show(TForm* form) {
    form->Show();
    Pump();
  }
  void Key(WORD vk) {
    Headless().InjectKey(vk, true);
    Pump();
    Headless().InjectKey(vk, false);
    Pump();
  }
  void Type(const std::string& text) {
    if (text.empty()) return;
    Headless().InjectText(text);
    Pump();
  }
  void Click(TControl* control) {
    ClickAt(control->ClientToScreen(POINT{control->Width() / 2, control->Height() / 2}));
  }
  bool Focused(TWinControl* control) { return control->HandleAllocated() && GetFocus() == control->Handle(); }
  bool Shown(TForm* form) { return form->HandleAllocated() && IsWindowVisible(form->Handle()); }
  std::vector<std::string> Boxes() {
    std::vector<std::string> texts;
    for (const std::string& b : boxes) texts.push_back(b.substr(b.find('|') + 1));
    boxes.clear();
    return texts;
  }
  std::vector<std::string> UserPanels() {
    std::vector<std::string> out;
    for (TdxStatusBar* bar : {Form1->StatusBar1, Form23->StatusBar1, Form33->StatusBar1})
      out.push_back(bar->Panels()->PanelAt(1)->Text());
    return out;
  }
  std::vector<bool> LogsShown() { return {Form1->Memo1->Visible(), Form23->Memo1->Visible(), Form33->Memo1->Visible()}; }
  std::vector<bool> ServicePagesShown() {
    return {Form1->PageControl1->Visible(), Form23->PageControl1->Visible(), Form33->PageControl1->Visible()};
  }
  // The playback and virtual-remote buttons of the three consoles.
  std::vector<bool> FactoryButtons() {
    return {Form1->btnPlayMode->Enabled(),  Form1->Bitbtn->Enabled(),       Form23->btnPlayMode->Enabled(),
            Form23->Bitbtn9->Enabled(),     Form33->btnPlayMode->Enabled(), Form33->Bitbtn9->Enabled()};
  }
  std::vector<int> Flags() {
    return {Form18->AdminLoggedIn, Form18->EngineerLoggedIn, Form18->FactoryLoggedIn, Form18->DebugMode};
  }
  // The login as the operator does it: the window opened, the entry typed, Enter. Enter moves to
  // the login button, which as the focused button takes the same key as its click.
  void LogIn(const std::string& entry) {
    Show(Form7);
    Type(entry);
    Key(VK_RETURN);
  }
  void LogOut() {
    Show(Form7);
    Click(Form7->Button4);
  }
  void ChangePassword(const std::string& old, const std::string& fresh, const std::string& again) {
    Show(Form8);
    // Enter after the last one reaches the change button and clicks it.
    for (const std::string* text : {&old, &fresh, &again}) {
      Type(*text);
      Key(VK_RETURN);
    }
  }
  std::string StoredPassword() {
    std::ifstream in(folder + "/cfg.ini");
    std::string line, value = "(none)";
    while (std::getline(in, line))
      if (line.rfind("password=", 0) == 0) value = line.substr(9, line.find_last_not_of("\r") - 8);
    return value;
  }

  testsupport::SerialPeer screens;
};

// ---- Login and logout -------------------------------------------------------------------------------

TEST_F(UsersTest, EachEntryGivesItsLevelAndTheLogoutUndoesIt) {
  Create();
  struct Row {
    std::string entry;
    std::vector<int> flags;  // admin, engineer, factory, engineering mode
    bool accepted;
  };
  const Row rows[] = {
      {"5807", {1, 0, 0, 0}, true},
      {"40619", {1, 1, 0, 1}, true},
      {kFactoryCode, {1, 0, 1, 1}, true},
      {"1234", {0, 0, 0, 0}, false},
      {"", {0, 0, 0, 0}, false},
  };
  for (int language : {0, 1}) {
    UseLanguage(language);
    const bool en = language == 1;
    for (const Row& row : rows) {
      SCOPED_TRACE((en ? "English, " : "Chinese, ") + row.entry);
      const std::vector<std::string> panelsBefore = UserPanels();
      LogIn(row.entry);
      EXPECT_EQ(Flags(), row.flags);
      const bool service = row.flags[3] != 0;
      if (!row.accepted) {
        EXPECT_EQ(Boxes(), std::vector<std::string>{en ? "Password is wrong，please check and input again!"
                                                       : "密码错误，请确认后重新输入!"});
        EXPECT_TRUE(Shown(Form7)) << "a wrong entry leaves the window open";
        EXPECT_EQ(UserPanels(), panelsBefore);
        Form7->Close();
        Pump();
        continue;
      }
      EXPECT_EQ(Boxes(), std::vector<std::string>{en ? "OK, Please logout in time after operation"
                                                     : "管理员登录成功，请操作完成后及时退出"});
      EXPECT_FALSE(Shown(Form7));
      EXPECT_EQ(Form7->MaskEdit1->Text(), "");
      EXPECT_EQ(UserPanels(), std::vector<std::string>(3, en ? "User ： Administrator" : "操作权限 ： 管理员"));
      EXPECT_EQ(LogsShown(), std::vector<bool>(3, service));
      // The grid console follows the level.
      for (TMenuItem* item : {Form1->N7, Form1->N15}) EXPECT_TRUE(item->Enabled()) << item->Name();
      EXPECT_TRUE(Form1->BitBtn18->Enabled());
      EXPECT_EQ(Form1->btnPlayMode->Enabled(), row.flags[2] != 0);
      EXPECT_EQ(Form1->Bitbtn->Enabled(), row.flags[2] != 0);
      EXPECT_EQ(Form1->PageControl1->Visible(), service);
      EXPECT_EQ(Form1->TabSheet3->TabVisible(), service);

      LogOut();
      EXPECT_TRUE(Shown(Form7)) << "the logout leaves the window open";
      EXPECT_TRUE(Boxes().empty());
      EXPECT_EQ(Flags(), std::vector<int>({0, 0, 0, 0}));
      EXPECT_EQ(UserPanels(), std::vector<std::string>(3, en ? "User ： Operator" : "操作权限 ： 操作员"));
      EXPECT_EQ(LogsShown(), std::vector<bool>(3, false));
      EXPECT_EQ(ServicePagesShown(), std::vector<bool>(3, false));
      EXPECT_EQ(FactoryButtons(), std::vector<bool>(6, false));
      for (TMenuItem* item : {Form1->N7, Form1->N15}) EXPECT_FALSE(item->Enabled()) << item->Name();
      EXPECT_FALSE(Form1->BitBtn18->Enabled());
      // The refresh ran while the service mode was still on: the test tabs stay, in a hidden control.
      EXPECT_EQ(Form1->TabSheet3->TabVisible(), service);
      Form7->Close();
      Pump();
    }
  }
}

TEST_F(UsersTest, TheButtonsAndTheFocusFollowTheLevel) {
  Create();
  for (TButton* b : {Form7->Button1, Form7->Button2, Form7->Button3, Form7->Button4}) EXPECT_TRUE(b->Enabled());
  Show(Form7);
  EXPECT_TRUE(Focused(Form7->MaskEdit1));
  EXPECT_TRUE(Form7->Label1->Enabled());
  // The entry is masked and takes eight characters.
  Type("1234567890");
  EXPECT_EQ(Form7->MaskEdit1->Text(), "12345678");
  EXPECT_EQ(Form7->MaskEdit1->PasswordChar(), '*');
  // Enter moves to the login button, which takes the key as its click.
  Form7->MaskEdit1->SetText("");
  Type("1234");
  Key(VK_RETURN);
  EXPECT_TRUE(Focused(Form7->Button1));
  EXPECT_EQ(Boxes().size(), 1u);
  Form7->MaskEdit1->SetFocus();
  Form7->MaskEdit1->SetText("");
  Type("5807");
  Key(VK_RETURN);
  EXPECT_EQ(Form18->AdminLoggedIn, 1);
  EXPECT_FALSE(Form7->Button1->Enabled());
  EXPECT_FALSE(Form7->MaskEdit1->Enabled());
  EXPECT_TRUE(Form7->Button4->Enabled());
  EXPECT_TRUE(Form7->Button3->Enabled());

  Show(Form7);
  EXPECT_TRUE(Focused(Form7->Button4));
  EXPECT_FALSE(Form7->Label1->Enabled());
  Click(Form7->Button4);
  EXPECT_TRUE(Focused(Form7->Button2));
  EXPECT_TRUE(Form7->Label1->Enabled());
  EXPECT_TRUE(Form7->Button1->Enabled());
  EXPECT_TRUE(Form7->MaskEdit1->Enabled());
  EXPECT_FALSE(Form7->Button4->Enabled());
  EXPECT_FALSE(Form7->Button3->Enabled());

  // The change-password button opens its window; the close button closes the login.
  Form7->Button3->SetEnabled(true);
  Click(Form7->Button3);
  EXPECT_TRUE(Shown(Form8));
  Form8->Close();
  Click(Form7->Button2);
  EXPECT_FALSE(Shown(Form7));
}

TEST_F(UsersTest, TheServiceModeBelongsToTheServiceLevels) {
  Create();
  Connect();
  auto logged = [] { return Form1->Memo1->Lines()->Count(); };

  // The mode turned on by the grid's service gesture outlives a login with the password.
  Form1->stringgrid1->SetSelection(kServiceGestureSelection);
  TChar key = kServiceGestureKey;
  Form1->stringgrid1KeyPress(Form1->stringgrid1, key);
  ASSERT_EQ(Form18->DebugMode, 1);
  LogIn("5807");
  LogOut();
  EXPECT_EQ(Form18->DebugMode, 1);
  Form18->DebugMode = 0;
  Form7->Close();
  Boxes();

  // An engineering login turns the frame log on; its logout turns it off.
  LogIn("40619");
  ASSERT_EQ(Flags(), std::vector<int>({1, 1, 0, 1}));
  int before = logged();
  Form1->SendScreenCommand(0x10, 1);
  EXPECT_EQ(logged(), before + 1);
  EXPECT_EQ(Form1->Memo1->Lines()->Strings(before), "->C6,11,22,10,01,BB");
  LogOut();
  before = logged();
  Form1->SendScreenCommand(0x10, 1);
  EXPECT_EQ(logged(), before);
  EXPECT_EQ(screens.Receive(12).size(), 12u);
}

// ---- Password change --------------------------------------------------------------------------------

TEST_F(UsersTest, ThePasswordChangesOnlyWithTheOldPasswordAndAConfirmation) {
  Create();
  const std::string wrongOld = "旧密码输入不正确，请确认后重新输入";
  const std::string success = "密码更改成功，请牢记密码";
  std::string storedWhileShown;
  whileBoxShown = [&](const std::string&) { storedWhileShown = StoredPassword(); };
  struct Row {
    std::string old, fresh, again;
    std::string message;
    TEdit* focus;  // after the message; null when the window closed
    std::string stored;
  };
  const Row rows[] = {
      {"1234", "1111", "1111", wrongOld, Form8->Edit1, "(none)"},
      {"40619", "1111", "1111", wrongOld, Form8->Edit1, "(none)"},
      {"5807", "1111", "2222", "两次输入密码不符，请确认后重新输入", Form8->Edit2, "(none)"},
      {"5807", "1111", "1111", success, nullptr, "1111"},
      {"1111", "", "", success, nullptr, ""},
  };
  std::string stored = "(none)";
  for (const Row& row : rows) {
    SCOPED_TRACE(row.old + " / " + row.fresh + " / " + row.again);
    ChangePassword(row.old, row.fresh, row.again);
    EXPECT_EQ(Boxes(), std::vector<std::string>{row.message});
    EXPECT_EQ(storedWhileShown, stored) << "nothing is stored before the message";
    stored = row.stored;
    EXPECT_EQ(StoredPassword(), stored);
    if (row.focus) {
      EXPECT_TRUE(Shown(Form8));
      EXPECT_TRUE(Focused(row.focus));
      Form8->Close();
      Pump();
    } else {
      EXPECT_FALSE(Shown(Form8));
      EXPECT_EQ(Form1->AdminPassword, row.fresh);
      EXPECT_EQ(Form23->AdminPasswordSplicing, row.fresh);
      EXPECT_EQ(Form33->AdminPasswordHybrid, row.fresh);
    }
    if (row.old == "5807" && row.focus == nullptr) {
      // The login takes the new password and no longer the old one.
      LogIn("5807");
      EXPECT_EQ(Form18->AdminLoggedIn, 0);
      Form7->Close();
      LogIn("1111");
      EXPECT_EQ(Form18->AdminLoggedIn, 1);
      LogOut();
      Form7->Close();
      Boxes();
    }
  }
  // An empty password: the login takes an empty entry.
  LogIn("");
  EXPECT_EQ(Form18->AdminLoggedIn, 1);
}

TEST_F(UsersTest, TheConsolesReadThePasswordAndLanguageAtCreation) {
  WriteConfig("[config]\npassword=9\nlanguage=1\n");
  Create();
  EXPECT_EQ(Form23->AdminPasswordSplicing, "9");
  EXPECT_EQ(Form33->AdminPasswordHybrid, "9");
  EXPECT_EQ(Form23->LanguageSplicing, 1);
  EXPECT_EQ(Form33->LanguageHybrid, 1);

  Show(Form7);
  EXPECT_EQ(Form7->Caption(), " Administrator Manage");
  EXPECT_EQ(Form7->Button3->Caption(), "Reset Password");
  EXPECT_EQ(Form7->Button3->Left(), 142);
  EXPECT_EQ(Form7->Button3->Width(), 131);
  SaveWindowShot(Form7, "console/login-en.png");
  Form7->Close();
  Show(Form8);
  EXPECT_EQ(Form8->Caption(), " Change password");
  EXPECT_EQ(Form8->Label3->Caption(), "Input Again:");
  SaveWindowShot(Form8, "console/password-en.png");
}

// ---- Version window ---------------------------------------------------------------------------------

TEST_F(UsersTest, TheVersionButtonAsksTheSelectedScreens) {
  WriteConfig("[config]\nUSER=Line 7 control room\n");
  Create();
  // The grid console's loading writes the user line.
  Form1->Show();
  Pump();
  EXPECT_EQ(Form5->Label3->Caption(), "Line 7 control room");
  Connect();
  Show(Form5);
  EXPECT_EQ(Form5->Caption(), "版本信息");
  SaveWindowShot(Form5, "console/version-zh.png");
  Click(Form5->Button1);
  EXPECT_EQ(screens.Receive(6), Bytes({0xC6, 0x11, 0x22, 0x5F, 0x01, 0xBB}));

  // FST with HDMI and linkage: the routing frame goes out instead.
  Form1->ComboBox1->SetItemIndex(3);
  Form3->lbledtHDMIIPort->SetText("16");
  Form1->CheckBox3->SetChecked(true);  // which labels the HDMI list's make and offers its inputs
  Form1->Label7->SetCaption("FST");
  Form1->ComboBox8->SetItemIndex(4);
  Click(Form5->Button1);
  EXPECT_EQ(screens.Receive(6), Bytes({0xD6, 0x11, 0x22, 0x01, 0x05, 0xD6}));

  Click(Form5->BitBtn1);
  EXPECT_FALSE(Shown(Form5));
  Form1->Language = 1;
  Show(Form5);
  EXPECT_EQ(Form5->Caption(), " About");
  EXPECT_EQ(Form5->Label1->Caption(), "Quorrin");
  EXPECT_EQ(Form5->BitBtn1->Caption(), "Close");
  EXPECT_EQ(Form5->Label2->Caption(), "VER:8.4");
  SaveWindowShot(Form5, "console/version-en.png");
}

// ---- Debug sender -----------------------------------------------------------------------------------

class DebugSenderTest : public UsersTest {
 protected:
  void Send(const std::string& entry) {
    Form6->Edit1->SetText("");
    Form6->Edit1->SetFocus();
    Type(entry);
    Click(Form6->Button1);
  }
};

TEST_F(DebugSenderTest, TheTypedBytesGoOutAsTheyStand) {
  Create();
  Connect();
  Form18->DebugMode = 1;  // even in engineering mode nothing is logged
  Show(Form6);
  std::string digits51, digits52;
  Bytes bytes51;
  for (int i = 0; i < 52; ++i) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", i * 5);
    (i < 51 ? digits51 : digits52) += pair;
    if (i < 51) bytes51.push_back(static_cast<std::uint8_t>(i * 5));
  }
  digits52 = digits51 + digits52;
  struct Row {
    std::string entry;
    Bytes sent;
  };
  const Row rows[] = {
      {"C6 11 33 20 02 BB", {0xC6, 0x11, 0x33, 0x20, 0x02, 0xBB}},
      {"c6,11,ff,5a,01,bb", {0xC6, 0x11, 0xFF, 0x5A, 0x01, 0xBB}},
      {"C61", {0xC6}},
      {"xyz", {}},
      {digits51, bytes51},
      {digits52, {}},
  };
  const std::uint64_t start = clock->NowMs();
  const int logged = Form1->Memo1->Lines()->Count();
  const String feedback = Form6->Memo1->Lines()->Text();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.entry);
    Send(row.entry);
    EXPECT_EQ(screens.Drain(), row.sent);
    EXPECT_EQ(Form6->Edit2->Text(), row.entry);
    std::string digits;
    for (char c : row.entry)
      if (std::isxdigit(static_cast<unsigned char>(c))) digits += c;
    EXPECT_EQ(Form6->Edit3->Text(), digits);
    const bool tooLong = row.entry == digits52;
    EXPECT_EQ(Boxes(), tooLong ? std::vector<std::string>{"一次最多只能发送51个字节！"} : std::vector<std::string>{});
  }
  EXPECT_EQ(clock->NowMs(), start) << "no pause";
  EXPECT_EQ(Form1->Memo1->Lines()->Count(), logged) << "no log line";
  EXPECT_EQ(Form6->Memo1->Lines()->Text(), feedback);
  EXPECT_FALSE(Form6->Edit3->Visible());
  SaveWindowShot(Form6, "console/debug-sender.png");

  // With the port closed nothing arrives and nothing is said.
  Form1->BitBtn2->Click();
  Send("C6 11 33 20 02 BB");
  EXPECT_TRUE(screens.Drain().empty());
  EXPECT_TRUE(Boxes().empty());

  Click(Form6->Button2);
  EXPECT_FALSE(Shown(Form6));
}

TEST_F(DebugSenderTest, OverTheNetworkTheBytesGoAsOneBlock) {
  platform::TcpListener bridge;
  ASSERT_TRUE(bridge.Listen());
  Create();
  Form2->rbRemote->SetCheckedValue(true);
  Form2->EditIP->SetText("127.0.0.1");
  Form2->EditPort->SetText(std::to_string(bridge.Port()));
  Form1->BitBtn1->Click();
  platform::TcpConnection peer;
  ASSERT_TRUE(bridge.Accept(peer, 2000));
  Show(Form6);
  Send("C6 11 33 20 02 BB");
  Bytes got(64);
  long n = peer.Receive(got.data(), got.size(), 1000);
  ASSERT_GT(n, 0);
  got.resize(static_cast<std::size_t>(n));
  EXPECT_EQ(got, Bytes({0xC6, 0x11, 0x33, 0x20, 0x02, 0xBB}));
  EXPECT_TRUE(screens.Drain(20).empty());
}

// ---- The windows as they look -----------------------------------------------------------------------

TEST_F(UsersTest, Screenshots) {
  Create();
  Show(Form7);
  SaveWindowShot(Form7, "console/login-zh.png");
  LogIn("5807");
  Show(Form7);
  SaveWindowShot(Form7, "console/login-zh-logged-in.png");
  Form7->Close();
  Show(Form8);
  SaveWindowShot(Form8, "console/password-zh.png");
}

}  // namespace
