// The grid console's fixed commands as the operator gives them: buttons clicked and popup items
// chosen on the real window, the frames and their times read at the screens' pseudo-terminal,
// every pause on the virtual clock.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/CommSettings.h"
#include "console/DebugWindow.h"
#include "console/GridConsole.h"
#include "console/LoginWindow.h"
#include "console/VersionWindow.h"
#include "dialogs/AddressTool.h"
#include "dialogs/EdgeBlending.h"
#include "dialogs/IrregularShape.h"
#include "dialogs/PictureParameters.h"
#include "dialogs/PlaybackSettings.h"
#include "dialogs/SplicingSettings.h"
#include "dialogs/SubtitleSettings.h"
#include "dialogs/TimingSettings.h"
#include "dialogs/VirtualRemote.h"
#include "platform/classes/Timer.h"
#include "platform/display/Display.h"
#include "platform/net/Tcp.h"
#include "platform/system/Registry.h"
#include "platform/win/Keys.h"
#include "tests/app/AppFixture.h"
#include "tests/support/Artifacts.h"
#include "tests/support/ComPorts.h"
#include "tests/support/ScreenFrames.h"

namespace {

using Bytes = testsupport::SerialPeer::Bytes;
using namespace win;
using testsupport::Frame;
using testsupport::Frames;

class CommandsTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    testsupport::ServeAsComPorts(peers, folder);  // COM1..COM3
  }
  void TearDown() override {
    AppTest::TearDown();
    platform::SetSerialDeviceRoots("", "");
  }

  // The console on a 3 × 3 wall, the screens' port open, engineering mode on and the selection
  // (1,1)-(3,3), as the grid's mouse release leaves it.
  void ShowConsole(const std::string& config = "") {
    WriteConfig("[config]\nrow=3\ncol=3\n" + config);
    CreateProgramWindows();
    Pump();
    Form18->tmr1->SetEnabled(false);
    Form18->ConsoleKind = ckGrid;
    Form1->Show();
    Pump();
    Form2->ComboBox1->SetText("COM1");
    Form2->ComboBox2->SetText("COM2");
    Form2->ComboBox3->SetText("COM3");
    ClickOn(Form1->BitBtn1);
    ASSERT_EQ(Form18->LinkOpen, 1);
    Form18->DebugMode = 1;
    Form1->UpdateControlStates();
    Select(1, 1, 3, 3);
  }
  void Select(int left, int top, int right, int bottom) {
    Form1->stringgrid1->SetSelection({left, top, right, bottom});
    Form1->SelectionLeft = left, Form1->SelectionTop = top;
    Form1->SelectionRight = right, Form1->SelectionBottom = bottom;
  }
  // Brings the pages the control sits on to the front.
  void Reveal(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
      if (auto* page = dynamic_cast<TcxTabSheet*>(c)) page->PageControl()->SetActivePage(page);
    Pump();
  }
  void ClickOn(TControl* control, int button = platform::kButtonLeft) {
    Reveal(control);
    const POINT at = control->ClientToScreen(POINT{control->Width() / 2, control->Height() / 2});
    if (button == platform::kButtonLeft) {
      ClickAt(at);
    } else {
      Headless().InjectMouseMove(at.x, at.y);
      Headless().InjectMouseButton(button, true);
      Headless().InjectMouseButton(button, false);
    }
    Pump();
  }
  void Press(unsigned key) {
    Headless().InjectKey(key, true);
    Headless().InjectKey(key, false);
  }
  // Opens the grid's popup with the right button and walks it by keys: `path` is the number of
  // Down presses at each level, a submenu opened with Right between them.
  void ChooseFromPopup(const std::vector<int>& path) {
    TStringGrid* grid = Form1->stringgrid1;
    const TRect cell = grid->CellRect(2, 2);
    const POINT at = grid->ClientToScreen(POINT{(cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2});
    Headless().InjectMouseMove(at.x, at.y);
    Headless().InjectMouseButton(platform::kButtonRight, true);
    Headless().InjectMouseButton(platform::kButtonRight, false);
    for (std::size_t level = 0; level < path.size(); ++level) {
      for (int i = 0; i < path[level]; ++i) Press(VK_DOWN);
      Press(level + 1 < path.size() ? VK_RIGHT : VK_RETURN);
    }
    Pump();
  }
  std::uint64_t Elapsed(const std::function<void()>& action) {
    const std::uint64_t before = clock->NowMs();
    action();
    return clock->NowMs() - before;
  }
  TMenuItem* ItemNamed(const char* name) { return dynamic_cast<TMenuItem*>(Form1->FindComponent(name)); }
  bool Quiet() { return peers[0].Drain(30).empty(); }

  testsupport::SerialPeer peers[3];
};

TEST_F(CommandsTest, EveryOneFrameControlSendsItsCommandToTheSelection) {
  ShowConsole();
  struct Case {
    const char* what;
    std::function<void()> act;
    std::uint8_t command, value;
  };
  auto click = [&](TControl* c) { return [this, c] { ClickOn(c); }; };
  // The items are clicked as the menu's choice does; every row is also chosen on the real menu below.
  auto popup = [&](TMenuItem* item) { return [this, item] { item->Click(); Pump(); }; };
  const Case cases[] = {
      {"still", popup(Form1->nStill), 0x51, 1},
      {"standby", click(Form1->BitBtn6), 0x10, 0},
      {"software version", click(Form1->Button3), 0x5F, 1},
      {"update", click(Form1->Button5), 0xFF, 1},
      {"lock address", click(Form1->btnLock), 0x67, 1},
      {"unlock address", click(Form1->btnRefresh), 0x67, 0},
      {"AMD", click(Form1->cxButton1), 0xFE, 0},
      {"plain graphics", click(Form1->cxButton2), 0xFE, 1},
      {"boot logo splice", click(Form1->cxButton3), 0xEF, 1},
      {"boot logo single", click(Form1->cxButton4), 0xEF, 0},
      {"TI", click(Form1->Button1), 0x5C, 0},
      {"two groups", click(Form1->Button8), 0x5B, 1},
      {"colour depth", click(Form1->btnRTDo), 0x60, 0},
      {"aging on", click(Form1->rbOpenAM), 0xF1, 1},
      {"aging off", click(Form1->rbCloseAM), 0xF1, 0},
      {"logo on", click(Form1->rbOpenLogo), 0x66, 1},
      {"logo off", click(Form1->rbCloseLogo), 0x66, 0},
      {"fan automatic", click(Form1->BitBtn11), 0x56, 0},
      {"save", popup(Form1->N8), 0x53, 1},
      {"no signal black", popup(Form1->N10), 0x5E, 0},
      {"no signal blue", popup(Form1->N11), 0x5D, 1},
      {"aging open", popup(Form1->N19), 0xF1, 1},
      {"aging close", popup(Form1->N20), 0xF1, 0},
      {"positive", popup(Form1->N21), 0xF2, 0},
      {"inverse", popup(Form1->N22), 0xF2, 1},
      {"update item", popup(Form1->N18), 0xFF, 1},
      {"2K splice", popup(ItemNamed("N2K1")), 0xFC, 2},
      {"4K splice", popup(ItemNamed("N4K1")), 0xFC, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Elapsed(c.act), 20u);
    EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x33, c.command, c.value));
    EXPECT_TRUE(Quiet());
  }
  // Address frames ignore the selection.
  ClickOn(Form1->btnGetAddress);
  EXPECT_EQ(peers[0].Receive(6), Frame(0xFF, 0x22, 0x00, 0x00));
  ClickOn(Form1->BitbShowAddress);
  EXPECT_EQ(peers[0].Receive(6), Frame(0xFF, 0x24, 0x01, 0x01));
  EXPECT_TRUE(Quiet());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(CommandsTest, EveryRowOfTheGridsPopupChosenOnTheRealMenu) {
  ShowConsole();
  // Down presses from no selection; the disabled "Image adjustment" row is second and is walked
  // over like any other, as the menu lets the keyboard rest on it.
  struct Case {
    const char* what;
    std::vector<int> path;
    std::uint8_t command, value;
  };
  const Case cases[] = {
      {"still", {1}, 0x51, 1},          {"save", {3}, 0x53, 1},
      {"no signal black", {5, 0}, 0x5E, 0}, {"no signal blue", {5, 1}, 0x5D, 1},
      {"aging open", {7, 0}, 0xF1, 1},  {"aging close", {7, 1}, 0xF1, 0},
      {"positive", {8, 0}, 0xF2, 0},    {"inverse", {8, 1}, 0xF2, 1},
      {"update", {9}, 0xFF, 1},         {"2K splice", {10, 0}, 0xFC, 2},
      {"4K splice", {10, 1}, 0xFC, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Elapsed([&] { ChooseFromPopup(c.path); }), 20u);
    EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x33, c.command, c.value));
    EXPECT_TRUE(Quiet());
  }
  // The disabled row closes the menu and sends nothing; the two openers show their windows.
  ChooseFromPopup({2});
  EXPECT_FALSE(Form4->Visible());
  ChooseFromPopup({4});
  EXPECT_TRUE(Form11->Visible());
  Form11->Hide();  // it opens over the grid
  ChooseFromPopup({6});
  EXPECT_TRUE(Form16->Visible());
  EXPECT_TRUE(Quiet());
}

TEST_F(CommandsTest, OpenPopupScreenshot) {
  ShowConsole();
  // The picture is taken from inside the menu's own loop, once the menu has painted and the loop
  // waits; then the menu is left with Escape.
  TTimer shot(nullptr);
  shot.SetInterval(1);
  bool taken = false;
  HWND menuWindow = nullptr;
  shot.SetOnTimer([&](TObject*) {
    shot.SetEnabled(false);
    int w = 0, h = 0;
    auto pixels = Headless().ComposeScreen(w, h);
    platform::WritePng(testsupport::ArtifactPath("console/grid-console-popup.png"), pixels.data(), w, h, w);
    const TRect cell = Form1->stringgrid1->CellRect(2, 2);
    menuWindow = WindowFromPoint(
        Form1->stringgrid1->ClientToScreen(POINT{(cell.Left + cell.Right) / 2 + 20, cell.Bottom - 5}));
    if (menuWindow == Form1->stringgrid1->Handle()) menuWindow = nullptr;
    taken = true;
    Press(VK_DOWN);
    Press(VK_ESCAPE);
  });
  shot.SetEnabled(true);
  ChooseFromPopup({});
  EXPECT_TRUE(taken);
  EXPECT_TRUE(Quiet());
  // The closed menu takes no more clicks: the grid under where it stood answers again.
  const TRect cell = Form1->stringgrid1->CellRect(2, 2);
  const POINT inside = Form1->stringgrid1->ClientToScreen(POINT{(cell.Left + cell.Right) / 2 + 20, cell.Bottom - 5});
  EXPECT_NE(menuWindow, nullptr);
  EXPECT_EQ(WindowFromPoint(inside), Form1->stringgrid1->Handle());
}

TEST_F(CommandsTest, PowerOnIsDelayedPerScreenBroadcastOrToTheSelection) {
  ShowConsole();
  Form1->CheckBox1->SetChecked(true);
  Form1->LabeledEdit10->SetText("2");
  Select(1, 1, 2, 1);
  Form1->SelectionRight = 3;  // the grid's own selection counts, not the wall selection
  EXPECT_EQ(Elapsed([&] { ClickOn(Form1->BitBtn5); }), 2u * (20u + 2000u));
  EXPECT_EQ(peers[0].Receive(12), Frames({Frame(0x11, 0x11, 0x10, 0x01), Frame(0x21, 0x21, 0x10, 0x01)}));
  // Rows are the outer loop.
  Form1->LabeledEdit10->SetText("0");
  Select(1, 1, 2, 2);
  ClickOn(Form1->BitBtn5);
  EXPECT_EQ(peers[0].Receive(24), Frames({Frame(0x11, 0x11, 0x10, 0x01), Frame(0x21, 0x21, 0x10, 0x01),
                                          Frame(0x12, 0x12, 0x10, 0x01), Frame(0x22, 0x22, 0x10, 0x01)}));
  // A negative delay pauses nothing.
  Form1->LabeledEdit10->SetText("-1");
  EXPECT_EQ(Elapsed([&] { ClickOn(Form1->BitBtn5); }), 4u * 20u);
  peers[0].Receive(24);

  Form1->CheckBox1->SetChecked(false);
  ClickOn(Form1->BitBtn5);
  EXPECT_EQ(peers[0].Receive(6), Frame(0x00, 0xFF, 0x10, 0x01)) << "4K broadcasts";
  Form1->chk1->SetChecked(false);
  Select(1, 1, 3, 3);
  ClickOn(Form1->BitBtn5);
  EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x33, 0x10, 0x01));
  EXPECT_TRUE(Quiet());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(CommandsTest, ADelayThatIsNoNumberStopsAfterTheFirstScreen) {
  ShowConsole();
  Form1->CheckBox1->SetChecked(true);
  Form1->LabeledEdit10->SetText("x");
  Select(1, 1, 3, 1);
  ClickOn(Form1->BitBtn5);
  EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x11, 0x10, 0x01));
  EXPECT_TRUE(Quiet());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("'x' is not a valid integer value"), std::string::npos) << boxes[0];
}

TEST_F(CommandsTest, ManualFanModeSendsModeRunAndStopValues) {
  ShowConsole();
  ClickOn(Form1->rb);
  EXPECT_TRUE(Form1->rb->Checked());
  EXPECT_EQ(Elapsed([&] { ClickOn(Form1->BitBtn11); }), 3u * 20u + 2u * 100u);
  EXPECT_EQ(peers[0].Receive(18),
            Frames({Frame(0x11, 0x33, 0x56, 0x03), Frame(0x11, 0x33, 0x57, 0xD0), Frame(0x11, 0x33, 0x58, 0xD7)}));

  // Each mode radio sends its own value; values beyond a byte keep their low bits.
  for (auto [radio, value] : {std::pair{Form1->RadioButton1, 1}, std::pair{Form1->RadioButton2, 2}}) {
    ClickOn(radio);
    ClickOn(Form1->BitBtn11);
    EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x33, 0x56, value));
  }
  ClickOn(Form1->rb);
  Form1->LabeledEdit1->SetText("300");
  Form1->LabeledEdit2->SetText("abc");
  ClickOn(Form1->BitBtn11);
  EXPECT_EQ(peers[0].Receive(12), Frames({Frame(0x11, 0x33, 0x56, 0x03), Frame(0x11, 0x33, 0x57, 300 & 0xFF)}));
  EXPECT_TRUE(Quiet());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("'abc' is not a valid integer value"), std::string::npos) << boxes[0];
}

TEST_F(CommandsTest, AddressingBySerialNumberSetsRowThenColumn) {
  ShowConsole();
  Reveal(Form1->cxtxtdt1);
  Form1->cxtxtdt1->SetText("1000");
  Form1->edtRow->SetText("2");
  Form1->edtCol->SetText("3");
  EXPECT_EQ(Elapsed([&] { ClickOn(Form1->btnSetAddr); }), 3u * 20u + 2u * 100u);
  const Bytes expected =
      Frames({Frame(0xFF, 0x23, 0x03, 0xE8), Frame(0xFF, 0x20, 0x02, 0x01), Frame(0xFF, 0x21, 0x03, 0x01)});
  EXPECT_EQ(peers[0].Receive(18), expected);

  Form1->edtCol->SetText("c");
  ClickOn(Form1->btnSetAddr);
  EXPECT_EQ(peers[0].Receive(12), Bytes(expected.begin(), expected.begin() + 12));
  EXPECT_TRUE(Quiet());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("'c' is not a valid integer value"), std::string::npos) << boxes[0];
}

TEST_F(CommandsTest, OptionGroupsSendTheirChoice) {
  ShowConsole();
  struct Case {
    TcxRadioButton* radio;
    TcxButton* apply;
    std::uint8_t command, value;
  } cases[] = {{Form1->RadioButton5, Form1->Button1, 0x5C, 1}, {Form1->RadioButton4, Form1->Button1, 0x5C, 0},
               {Form1->RadioButton9, Form1->Button8, 0x5B, 0}, {Form1->RadioButton10, Form1->Button8, 0x5B, 1},
               {Form1->rbTBit, Form1->btnRTDo, 0x60, 1},       {Form1->rbRBit, Form1->btnRTDo, 0x60, 0}};
  for (const Case& c : cases) {
    ClickOn(c.radio);
    ClickOn(c.apply);
    EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x33, c.command, c.value)) << c.radio->Name();
  }
  EXPECT_TRUE(Quiet());
}

TEST_F(CommandsTest, AgingRadiosSendOnEveryPressOfAnyButton) {
  ShowConsole();
  ClickOn(Form1->rbOpenAM);
  ClickOn(Form1->rbOpenAM);
  ClickOn(Form1->rbOpenAM, platform::kButtonRight);
  const Bytes on = Frame(0x11, 0x33, 0xF1, 0x01);
  EXPECT_EQ(peers[0].Receive(18), Frames({on, on, on}));
  EXPECT_TRUE(Form1->rbOpenAM->Checked());
  EXPECT_TRUE(Quiet());
}

TEST_F(CommandsTest, WithFstRoutingStandbyRoutesButDelayedPowerOnStaysAScreenFrame) {
  ShowConsole();
  Form1->ComboBox4->SetItemIndex(3);  // HDMI
  Form1->CheckBox3->SetChecked(true);
  Form1->ComboBox8->SetItemIndex(0);
  Form1->Label7->SetCaption("FST");
  Select(1, 1, 3, 3);
  ClickOn(Form1->BitBtn6);
  EXPECT_EQ(peers[0].Receive(6), (Bytes{0xD6, 0x11, 0x33, 0x01, 0x01, 0xD6}));
  Form1->CheckBox1->SetChecked(true);
  Form1->LabeledEdit10->SetText("0");
  Select(1, 1, 1, 1);
  ClickOn(Form1->BitBtn5);
  EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x11, 0x10, 0x01));
  EXPECT_TRUE(Quiet());
}

TEST_F(CommandsTest, OpenersShowTheirWindowsModeless) {
  ShowConsole();
  Form18->AdminLoggedIn = 1;
  Form1->UpdateControlStates();
  Form1->btnPlayMode->SetEnabled(true);
  Form1->Bitbtn->SetEnabled(true);
  struct Case {
    std::function<void()> act;
    TCustomForm* window;
  };
  const Case cases[] = {
      {[&] { ClickOn(Form1->BitBtn16); }, Form2},       {[&] { ClickOn(Form1->BitBtn17); }, Form15},
      {[&] { ClickOn(Form1->BitBtn3); }, Form7},        {[&] { ClickOn(Form1->BitBtn4); }, Form5},
      {[&] { ClickOn(Form1->btnPlayMode); }, frmPlayMode}, {[&] { ClickOn(Form1->btnBackColor); }, Form36},
      {[&] { ClickOn(Form1->btnTimeSet); }, frmTimingSetting},
      {[&] { ClickOn(Form1->btnSubtitileSetting); }, frmSubtitleSettings},
      {[&] { ClickOn(Form1->Bitbtn); }, Form27},        {[&] { ClickOn(Form1->BitBtn7); }, Form6},
      {[&] { Form1->N7->Click(); }, Form4},           {[&] { Form1->N12->Click(); }, Form11},
      {[&] { Form1->N15->Click(); }, Form16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.window->ClassName());
    c.act();
    EXPECT_TRUE(c.window->Visible());
    EXPECT_FALSE(c.window->FormState().Contains(fsModal));
    c.window->Hide();
    Pump();
  }
  EXPECT_TRUE(Quiet());
}

TEST_F(CommandsTest, AvailabilityFollowsTheLinksAndTheLogins) {
  WriteConfig("[config]\nrow=3\ncol=3\n");
  CreateProgramWindows();
  Pump();
  Form18->tmr1->SetEnabled(false);
  Form18->ConsoleKind = ckGrid;
  Form1->Show();
  Pump();
  EXPECT_FALSE(Form1->BitBtn5->Enabled());
  EXPECT_FALSE(Form1->BitBtn6->Enabled());
  EXPECT_FALSE(Form1->BitBtn2->Enabled());
  EXPECT_TRUE(Form1->BitBtn1->Enabled());
  EXPECT_FALSE(Form1->BitBtn18->Enabled());
  EXPECT_FALSE(Form1->N7->Enabled());
  EXPECT_FALSE(Form1->Button4->Enabled());
  EXPECT_FALSE(Form1->btnPlayMode->Enabled());
  EXPECT_FALSE(Form1->Bitbtn->Enabled());
  EXPECT_FALSE(Form1->PageControl1->Visible());
  Form2->ComboBox1->SetText("COM1");
  ClickOn(Form1->BitBtn1);
  EXPECT_TRUE(Form1->BitBtn5->Enabled());
  EXPECT_TRUE(Form1->BitBtn6->Enabled());
  EXPECT_TRUE(Form1->BitBtn2->Enabled());
  EXPECT_FALSE(Form1->BitBtn1->Enabled());
  Form18->AdminLoggedIn = 1;
  Form1->UpdateControlStates();
  EXPECT_TRUE(Form1->BitBtn18->Enabled());
  EXPECT_TRUE(Form1->N7->Enabled());
}

TEST_F(CommandsTest, DelayedPowerOnBoxIsStored) {
  ShowConsole();
  ClickOn(Form1->CheckBox1);
  EXPECT_TRUE(Form1->CheckBox1->Checked());
  Form1->ConfigFile->UpdateFile();
  EXPECT_EQ(Form1->ConfigFile->ReadString("setting", "KJ", "?"), "1");
  // The next start shows the box ticked.
  Restart();
  CreateProgramWindows();
  Form18->tmr1->SetEnabled(false);
  Form1->Show();
  Pump();
  EXPECT_TRUE(Form1->CheckBox1->Checked());
}

TEST_F(CommandsTest, ServicePagesAsDesigned) {
  ShowConsole();
  EXPECT_TRUE(Form1->RadioButton3->Checked());
  for (TcxRadioButton* r : {Form1->RadioButton4, Form1->RadioButton5, Form1->RadioButton9, Form1->RadioButton10,
                            Form1->rbRBit, Form1->rbTBit})
    EXPECT_FALSE(r->Checked()) << r->Name();
  EXPECT_TRUE(Form1->rbCloseAM->Checked());
  EXPECT_TRUE(Form1->rbCloseLogo->Checked());
  EXPECT_EQ(Form1->LabeledEdit1->Text(), "208");
  EXPECT_EQ(Form1->LabeledEdit2->Text(), "215");
  EXPECT_TRUE(Form1->chk1->Checked());
  EXPECT_FALSE(Form1->tsDigitalPattern->TabVisible());
  EXPECT_EQ(Form1->N7->Hint(), "需管理员权限");
  for (TcxTabSheet* page : {Form1->TabSheet3, Form1->TabSheet4, Form1->TabSheet1, Form1->tsAddrSetting,
                            Form1->cxtbshtAgingModel, Form1->cxtbshtLogo, Form1->cxTabSheet1}) {
    Form1->PageControl1->SetActivePage(page);
    Pump();
    SaveWindowShot(Form1, "console/grid-console-service-" + page->Name() + ".png");
  }
}

}  // namespace
