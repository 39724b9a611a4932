// The splicing console as the operator meets it: started by the program or shown as the start-up
// shows it, driven by clicks and keys on the headless screen, its frames read at the screens'
// pseudo-terminal (COM1) and every pause on the virtual clock.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/CommSettings.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "console/SceneRename.h"
#include "console/TimedPower.h"
#include "console/WallGrid.h"
#include "dialogs/PictureParametersConsoles.h"
#include "dialogs/SplicingSettingsSplicing.h"
#include "matrix/MatrixConfig.h"
#include "platform/classes/DateUtils.h"
#include "platform/net/Tcp.h"
#include "platform/system/Registry.h"
#include "platform/win/Keys.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ComPorts.h"
#include "tests/support/ScreenFrames.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

namespace {

namespace fs = std::filesystem;
using Bytes = testsupport::SerialPeer::Bytes;
using namespace win;
using testsupport::Frame;
using testsupport::Frames;

// A colour as the backing store holds it, 0x00RRGGBB.
std::uint32_t Rgb(TColor color) {
  const COLORREF c = ColorToRGB(color);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

class SplicingConsoleTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    testsupport::ServeAsComPorts(peers, folder);  // COM1..COM3
    fs::copy_file(VW_SKIN_LIST, folder + "/AllSkins.skinres");
  }
  void TearDown() override {
    AppTest::TearDown();
    platform::SetSerialDeviceRoots("", "");
  }

  // The console as the start-up shows it, on `config`; the boot window's timer stopped.
  void ShowConsole(const std::string& config = "") {
    if (!config.empty()) WriteConfig(config);
    CreateProgramWindows();
    Pump();
    Form18->tmr1->SetEnabled(false);
    Form18->ConsoleKind = ckSplicing;
    Form23->Show();
    Pump();
    grid = Form23->stringgrid1;
  }
  void Connect() {
    Form2->ComboBox1->SetText("COM1");
    ClickOn(Form23->BitBtn1);
    ASSERT_EQ(Form18->LinkOpen, 1);
  }
  // Brings the pages the control sits on to the front.
  void Reveal(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
      if (auto* page = dynamic_cast<TcxTabSheet*>(c)) page->PageControl()->SetActivePage(page);
    Pump();
  }
  void ClickOn(TControl* control) {
    Reveal(control);
    ClickAt(control->ClientToScreen(POINT{control->Width() / 2, control->Height() / 2}));
    Pump();
  }
  POINT Centre(int column, int row) {
    const TRect r = grid->CellRect(column, row);
    return grid->ClientToScreen(POINT{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  }
  void Drag(int fromColumn, int fromRow, int toColumn, int toRow) {
    DragAt(Centre(fromColumn, fromRow), Centre(toColumn, toRow));
  }
  // The grid's selection and the console's, as a mouse release leaves them.
  void Select(int left, int top, int right, int bottom) {
    grid->SetSelection({left, top, right, bottom});
    Form23->SelectionLeft = left, Form23->SelectionTop = top;
    Form23->SelectionRight = right, Form23->SelectionBottom = bottom;
  }
  std::uint64_t Elapsed(const std::function<void()>& action) {
    const std::uint64_t before = clock->NowMs();
    action();
    return clock->NowMs() - before;
  }
  bool Quiet() { return peers[0].Drain(30).empty(); }
  std::string LinkState(TdxStatusBar* bar) { return bar->Panels()->PanelAt(0)->Text(); }
  std::vector<std::string> Items(TcxComboBox* list) {
    std::vector<std::string> out;
    TStrings* items = list->Properties()->Items();
    for (int i = 0; i < items->Count(); ++i) out.push_back(items->Strings(i));
    return out;
  }
  std::string ReadConfigText() {
    std::ifstream in(folder + "/cfg.ini");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::uint32_t CellPixel(int column, int row) {
    const TRect r = grid->CellRect(column, row);
    return WindowPixel(grid, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }

  testsupport::SerialPeer peers[3];
  TStringGrid* grid = nullptr;
};

// ---- Loading ------------------------------------------------------------------------------------------

TEST_F(SplicingConsoleTest, TheProgramOpensItOnADefaultWallWithTheLinkClosed) {
  WriteConfig("[config]\nsoftwareType=2\n");
  Start();
  Tick();
  ASSERT_EQ(VisibleForms(), std::vector<std::string>{"TForm23"});
  EXPECT_EQ(Form23->Caption(), "Vellmar智能拼接显示系统");
  EXPECT_EQ(Form23->Width(), 1002);
  EXPECT_EQ(Form23->Height(), 730);
  EXPECT_EQ(Form23->stringgrid1->RowCount(), 4);
  EXPECT_EQ(Form23->stringgrid1->ColCount(), 4);
  EXPECT_EQ(Form23->stringgrid1->Cells(3, 0), "3");
  EXPECT_EQ(Form23->stringgrid1->Cells(0, 2), "2");
  std::vector<std::string> scenes;
  for (int n = 1; n <= 16; ++n) scenes.push_back("场景" + std::to_string(n));
  EXPECT_EQ(Items(Form23->ComboBox3), scenes);
  EXPECT_EQ(Form23->ComboBox3->ItemIndex(), 0);
  EXPECT_EQ(Form18->LinkOpen, 0);
  EXPECT_EQ(LinkState(Form23->StatusBar1), "COM1  关闭");
  EXPECT_EQ(LinkState(Form33->StatusBar1), "COM1  关闭");
  EXPECT_EQ(Form23->BitbtnENCH->Caption(), "English");
  EXPECT_EQ(Form23->Label3->Caption(), "LCD WALL");
  EXPECT_EQ(Form24->Edit1->Text(), "LCD WALL");
  EXPECT_FALSE(Form23->BitBtn5->Enabled());
  EXPECT_FALSE(Form23->BitBtn6->Enabled());
  // The popup's places the refresh of control states counts on.
  TMenuItem* popup = Form23->PopupMenu1->Items();
  EXPECT_EQ(popup->Items(2), Form23->N7);
  EXPECT_EQ(popup->Items(2)->Caption(), "图像调整");
  EXPECT_EQ(popup->Items(6), Form23->N15);
  EXPECT_FALSE(Form23->N15->Visible());
  EXPECT_FALSE(popup->Items(1)->Visible());
  EXPECT_FALSE(Form23->N4->Visible());
  // Timers as the window describes them.
  EXPECT_TRUE(Form23->Timer1->Enabled());
  EXPECT_EQ(Form23->Timer1->Interval(), 1000u);
  EXPECT_FALSE(Form23->tmrTimingSet->Enabled());
  EXPECT_FALSE(Form23->tmr1->Enabled());
  EXPECT_EQ(Form23->tmr1->Interval(), 200u);
  EXPECT_FALSE(Form23->tmrSceneSwitch->Enabled());
  // The skin list has no "MoneyTwins": nothing is chosen and the described skin stays.
  EXPECT_EQ(Form23->cbbSkin->ItemIndex(), -1);
  EXPECT_EQ(Form23->dxskncntrlrSkin->SkinName(), "Foggy");
  EXPECT_TRUE(boxes.empty());
}

TEST_F(SplicingConsoleTest, StoredSettingsAndTheLanguageShapeTheLoading) {
  struct Case {
    const char* what;
    std::string config;
    std::string title, scene1, scene3, button;
    int rows, columns;
  } cases[] = {
      {"english", "[config]\nlanguage=1\ncaption=Hall A\n", " Vellmar Intelligent Large-Screen Control System",
       "scene1", "scene3", "Chinese", 3, 3},
      {"empty scene", "[config]\ncaption=Hall A\nrow=15\ncol=15\n[scene]\nscene1=Lobby\nscene3=\n[setting]\nKJ=1\n",
       "Hall A", "Lobby", "场景3", "English", 15, 15},
      {"sizes beyond the wall", "[config]\nrow=0\ncol=99\n", "Vellmar智能拼接显示系统", "场景1", "场景3", "English",
       1, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ShowConsole(c.config);
    EXPECT_EQ(Form23->Caption(), c.title);
    EXPECT_EQ(Form23->ComboBox3->Properties()->Items()->Strings(0), c.scene1);
    EXPECT_EQ(Form23->ComboBox3->Properties()->Items()->Strings(2), c.scene3);
    EXPECT_EQ(Form23->BitbtnENCH->Caption(), c.button);
    EXPECT_EQ(grid->RowCount(), c.rows + 1);
    EXPECT_EQ(grid->ColCount(), c.columns + 1);
    EXPECT_EQ(grid->Cells(c.columns, 0), std::to_string(c.columns));
    EXPECT_EQ(Form3->StringGrid1->RowCount(), c.rows);
    EXPECT_EQ(Form23->CheckBox1->Checked(), c.config.find("KJ=1") != std::string::npos);
    // Showing again reads the names afresh instead of adding sixteen more.
    Form23->Hide();
    Form23->Show();
    Pump();
    EXPECT_EQ(Form23->ComboBox3->Properties()->Items()->Count(), 16);
    TearDown();
    SetUp();
  }
}

TEST_F(SplicingConsoleTest, AnUndecodableLogoLeavesTheFormsOwnAndTheLoadingGoesOn) {
  std::ofstream(folder + "/clogo.jpg") << "no picture here";
  ShowConsole("[setting]\nauto open port=1\n");
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Form18->LinkOpen, 1) << "the link step still ran";
  EXPECT_EQ(LinkState(Form23->StatusBar1), "COM1  已打开");
  EXPECT_EQ(Form23->Image1->Picture()->Width(), 120) << "the described logo";

  // A real logo reaches the splicing settings too.
  TearDown();
  SetUp();
  WriteQuadrantLogo("clogo.jpg");
  ShowConsole();
  EXPECT_EQ(Form23->Image1->Picture()->Width(), 64);
  EXPECT_EQ(Form24->Image1->Picture()->Width(), 64);
}

// ---- Frames -------------------------------------------------------------------------------------------

TEST_F(SplicingConsoleTest, CommandsSendTheirFramesWithTheirPauses) {
  ShowConsole();
  Connect();
  // The service pages show in engineering mode.
  Form18->DebugMode = 1;
  Form23->UpdateControlStatesSplicing();
  struct Case {
    const char* what;
    std::function<void()> act;
    Bytes frames;
    std::uint64_t ms;
  };
  auto click = [&](TControl* c) { return [this, c] { ClickOn(c); }; };
  auto item = [&](TMenuItem* i) { return [this, i] { i->Click(); Pump(); }; };
  auto select = [&](int l, int t, int r, int b) { return [=, this] { Select(l, t, r, b); }; };
  const Case cases[] = {
      {"splice, no selection", click(Form23->BitBtn8),
       Frames({Frame(0x11, 0x11, 0x8D, 0x01), Frame(0x11, 0x11, 0x88, 0x01)}), 20 + 100 + 20},
      {"flip before any selection", item(Form23->N21), Frame(0x00, 0x00, 0x87, 0x00), 20},
      {"select columns 1-2, rows 1-3", select(1, 1, 2, 3), {}, 0},
      {"standby", click(Form23->BitBtn6), Frame(0x11, 0x23, 0x10, 0x00), 20},
      {"power on", click(Form23->BitBtn5), Frame(0x11, 0x23, 0x10, 0x01), 20},
      {"single display", click(Form23->BitBtn10), Frame(0x11, 0x23, 0x88, 0x00), 20},
      {"flip inverse", item(Form23->N22), Frame(0x11, 0x23, 0x87, 0x01), 20},
      {"VIDEO", click(Form23->rzpnlVIDEO), Frame(0x11, 0x11, 0x20, 0x00), 20},
      {"VGA", click(Form23->rzpnlVGA), Frame(0x11, 0x11, 0x20, 0x01), 20},
      {"DVI", click(Form23->rzpnlDVI), Frame(0x11, 0x11, 0x20, 0x02), 20},
      {"HDMI", click(Form23->rzpnlHDMI), Frame(0x11, 0x11, 0x20, 0x03), 20},
      {"MEDIA", click(Form23->rzpnlVIDEO2), Frame(0x11, 0x11, 0x20, 0x0B), 20},
      {"third scene", [this] { Form23->ComboBox3->SetItemIndex(2); }, {}, 0},
      {"recall", click(Form23->BitBtn13), Frames({Frame(0x11, 0xFF, 0x5A, 0x03), Frame(0x11, 0xFF, 0x83, 0x03)}),
       20 + 200 + 20},
      {"save scene", click(Form23->BitBtn12), Frames({Frame(0x11, 0xFF, 0x59, 0x03), Frame(0x11, 0xFF, 0x82, 0x03)}),
       20 + 200 + 20},
      {"fan 常闭", click(Form23->RadioButton2), {}, 0},
      {"fan apply", click(Form23->BitBtn11), Frames({Frame(0x11, 0x11, 0x56, 0x02), Frame(0x11, 0x11, 0x81, 0x02)}),
       20 + 200 + 20},
      {"popup save", item(Form23->N8), Frames({Frame(0x11, 0x11, 0x53, 0x01), Frame(0x11, 0x11, 0x7E, 0x01)}),
       20 + 200 + 20},
      {"update", item(Form23->N18), Frame(0x11, 0x11, 0xFF, 0x01), 20},
      {"still", item(Form23->nStill), Frame(0x11, 0x11, 0x51, 0x01), 20},
      {"no signal black", item(Form23->N10), Frame(0x11, 0x11, 0x5E, 0x00), 20},
      {"no signal blue", item(Form23->N11), Frame(0x11, 0x11, 0x5D, 0x01), 20},
      {"aging open", item(Form23->N19), Frame(0x11, 0x11, 0xF1, 0x01), 20},
      {"aging close", item(Form23->N20), Frame(0x11, 0x11, 0xF1, 0x00), 20},
      {"panel type LG 8", click(Form23->Button1), Frame(0x11, 0x23, 0x84, 0x00), 20},
      {"Samsung", click(Form23->rb1), {}, 0},
      {"panel type Samsung", click(Form23->Button1), Frame(0x11, 0x23, 0x84, 0x01), 20},
      {"LG 10", click(Form23->RadioButton5), {}, 0},
      {"panel type LG 10", click(Form23->Button1), Frame(0x11, 0x23, 0x84, 0x02), 20},
      {"A/B standard", click(Form23->Button8), Frame(0x11, 0x23, 0x85, 0x00), 20},
      {"swap", click(Form23->RadioButton10), {}, 0},
      {"A/B swapped", click(Form23->Button8), Frame(0x11, 0x23, 0x85, 0x01), 20},
      {"sync at once", click(Form23->Bitbtn161), Frame(0x11, 0x23, 0x8D, 0x01), 20},
      {"sync delay", [this] { Form23->edt1->SetText("300"); }, {}, 0},
      {"sync send", click(Form23->Bitbtn), Frame(0x11, 0x23, 0x8C, 300 & 0xFF), 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Elapsed(c.act), c.ms);
    if (!c.frames.empty()) {
      EXPECT_EQ(peers[0].Receive(c.frames.size()), c.frames);
    }
    EXPECT_TRUE(Quiet());
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(SplicingConsoleTest, TheSelectionFollowsTheActiveConsoleKind) {
  ShowConsole();
  Connect();
  Select(2, 2, 3, 3);
  Form1->SelectionLeft = 1, Form1->SelectionTop = 1, Form1->SelectionRight = 1, Form1->SelectionBottom = 2;
  Form33->SelectionLeft = 3, Form33->SelectionTop = 1, Form33->SelectionRight = 3, Form33->SelectionBottom = 1;
  struct Case {
    TConsoleKind kind;
    Bytes command, flip;
  } cases[] = {
      {ckGrid, Frame(0x11, 0x12, 0x10, 0x00), Frame(0x11, 0x12, 0x87, 0x00)},
      {ckSplicing, Frame(0x22, 0x33, 0x10, 0x00), Frame(0x22, 0x33, 0x87, 0x00)},
      // The hybrid-matrix console's commands go to this console's selection; its flip to its own.
      {ckHybrid, Frame(0x22, 0x33, 0x10, 0x00), Frame(0x31, 0x31, 0x87, 0x00)},
      {ckNone, Frame(0x22, 0x33, 0x10, 0x00), Frame(0x31, 0x31, 0x87, 0x00)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    Form18->ConsoleKind = c.kind;
    Form23->SendScreenCommandSplicing(0x10, 0x00);
    Form23->N21->Click();
    EXPECT_EQ(peers[0].Receive(12), Frames({c.command, c.flip}));
  }
  // The grid console's selection before its first release falls back to the whole wall.
  Form18->ConsoleKind = ckGrid;
  Form1->SelectionLeft = Form1->SelectionTop = Form1->SelectionRight = Form1->SelectionBottom = 0;
  Form23->SendScreenCommandSplicing(0x10, 0x01);
  EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x11, 0x10, 0x01));
  EXPECT_TRUE(Quiet());
}

TEST_F(SplicingConsoleTest, DelayedPowerOnGoesScreenByScreenOverTheGridsSelection) {
  ShowConsole();
  Connect();
  Form23->CheckBox1->SetChecked(true);
  Form23->LabeledEdit10->SetText("1");
  Select(1, 1, 2, 2);
  Form23->SelectionRight = 3;  // the grid's own selection counts, not the wall selection
  EXPECT_EQ(Elapsed([&] { ClickOn(Form23->BitBtn5); }), 4u * (20u + 1000u));
  EXPECT_EQ(peers[0].Receive(24), Frames({Frame(0x11, 0x11, 0x10, 0x01), Frame(0x21, 0x21, 0x10, 0x01),
                                          Frame(0x12, 0x12, 0x10, 0x01), Frame(0x22, 0x22, 0x10, 0x01)}));
  // A negative delay pauses nothing, and a huge one is counted without overflow.
  Form23->LabeledEdit10->SetText("-1");
  EXPECT_EQ(Elapsed([&] { ClickOn(Form23->BitBtn5); }), 4u * 20u);
  peers[0].Receive(24);
  Select(1, 1, 1, 1);
  Form23->LabeledEdit10->SetText("2147484");
  EXPECT_EQ(Elapsed([&] { ClickOn(Form23->BitBtn5); }), 20u + 2147484000u);
  peers[0].Receive(6);
  // A delay that is no number stops after the first screen, with the conversion's message.
  Select(1, 1, 3, 1);
  Form23->LabeledEdit10->SetText("x");
  ClickOn(Form23->BitBtn5);
  EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x11, 0x10, 0x01));
  EXPECT_TRUE(Quiet());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("'x' is not a valid integer value"), std::string::npos) << boxes[0];
}

TEST_F(SplicingConsoleTest, EngineeringModeLogsEveryFrameInTheThreeLogs) {
  ShowConsole();
  Connect();
  Form23->N21->Click();  // no log line yet
  peers[0].Receive(6);
  DragAt(Centre(1, 1), Centre(1, 1));
  Headless().InjectText("*");
  Pump();
  ASSERT_EQ(Form18->DebugMode, 1);
  EXPECT_TRUE(Form23->Memo1->Visible());
  EXPECT_TRUE(Form23->N4->Visible());
  EXPECT_TRUE(Form23->PageControl1->Visible());
  EXPECT_TRUE(Form23->TabSheet3->TabVisible());
  EXPECT_TRUE(Form23->TabSheet4->TabVisible());
  ClickOn(Form23->rzpnlVIDEO2);
  EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x11, 0x20, 0x0B));
  for (TStrings* log : {Form23->Memo1->Lines(), Form1->Memo1->Lines(), Form33->Memo1->Lines()}) {
    ASSERT_EQ(log->Count(), 1);
    EXPECT_EQ(log->Strings(0), "->C6,11,11,20,0B,BB");
  }
  // Any other key ends the mode.
  Headless().InjectText("5");
  Pump();
  EXPECT_EQ(Form18->DebugMode, 0);
  EXPECT_FALSE(Form23->Memo1->Visible());
  EXPECT_FALSE(Form23->PageControl1->Visible());
}

TEST_F(SplicingConsoleTest, TimedPowerSendsOnBeforeOffInOneTickAndOnceModeStops) {
  // The times are the clock's own minute, whatever the zone.
  win::WORD hour = 0, minute = 0, second = 0, ms = 0;
  DecodeTime(Now(), hour, minute, second, ms);
  const std::string h = std::to_string(hour), m = std::to_string(minute);
  ShowConsole("[timesetting]\nflag=1\nmode=0\nohour=" + h + "\nomin=" + m + "\nchour=" + h + "\ncmin=" + m + "\n");
  Connect();
  ASSERT_TRUE(Form23->tmrTimingSet->Enabled());
  clock->Advance(3000);
  Pump();
  // Every console's own power timer sends its pair on the shared screen link.
  Bytes pairs;
  for (std::size_t i = 0; i < TimedPowerConsoleCount(); ++i) {
    const Bytes pair = Frames({Frame(0x11, 0xFF, 0x10, 0x01), Frame(0x11, 0xFF, 0x10, 0x00)});
    pairs.insert(pairs.end(), pair.begin(), pair.end());
  }
  EXPECT_EQ(peers[0].Receive(pairs.size()), pairs);
  EXPECT_FALSE(Form23->tmrTimingSet->Enabled());
  EXPECT_NE(ReadConfigText().find("flag=0"), std::string::npos) << ReadConfigText();
  EXPECT_TRUE(Quiet());
}

// ---- Signal panels ------------------------------------------------------------------------------------

TEST_F(SplicingConsoleTest, APressedSignalPanelShowsLoweredForAMoment) {
  ShowConsole();
  TRzPanel* video = Form23->rzpnlVIDEO;
  TRzPanel* vga = Form23->rzpnlVGA;
  const std::vector<std::uint32_t> raised = WindowPixels(video);
  ClickOn(video);
  EXPECT_EQ(video->BorderOuter(), fsLowered);
  const std::vector<std::uint32_t> lowered = WindowPixels(video);
  EXPECT_NE(lowered, raised);
  SaveWindowShot(Form23->grpChanel, "variants/splicing-signal-video-pressed.png");
  // The moment runs from the press; the frame's own pause is part of it.
  RunFor(179);
  EXPECT_EQ(video->BorderOuter(), fsLowered);
  RunFor(1);
  EXPECT_EQ(video->BorderOuter(), fsPopup);
  EXPECT_EQ(WindowPixels(video), raised);
  EXPECT_FALSE(Form23->tmr1->Enabled());

  // A second panel within the moment takes over: the first stays lowered.
  ClickOn(video);
  RunFor(100);
  ClickOn(vga);
  RunFor(200);
  EXPECT_EQ(vga->BorderOuter(), fsPopup);
  EXPECT_EQ(video->BorderOuter(), fsLowered);
  EXPECT_EQ(WindowPixels(video), lowered);
  EXPECT_EQ(Form23->PressedSignalPanel, vga);
}

// ---- Links --------------------------------------------------------------------------------------------

TEST_F(SplicingConsoleTest, ConnectOpensOnlyTheScreensPort) {
  ShowConsole();
  Form2->ComboBox1->SetText("COM1");
  Form2->ComboBox2->SetText("COM2");
  Form2->ComboBox3->SetText("COM3");
  Form2->CheckBox2->SetChecked(true);
  Form2->CheckBox3->SetChecked(true);
  ClickOn(Form23->BitBtn1);
  EXPECT_EQ(Form18->LinkOpen, 1);
  EXPECT_NE(Form1->Comm1->PortHandle(), nullptr);
  for (TComm* port : {Form1->Comm2, Form1->Comm3, Form23->Comm1, Form23->Comm2, Form23->Comm3})
    EXPECT_EQ(port->PortHandle(), nullptr);
  EXPECT_EQ(Form23->Comm2->CommName(), "//./COM2");
  EXPECT_EQ(Form23->Comm3->CommName(), "//./COM3");
  EXPECT_EQ(LinkState(Form23->StatusBar1), "COM1  已打开");
  EXPECT_EQ(LinkState(Form33->StatusBar1), "COM1  已打开");
  EXPECT_TRUE(Form23->BitBtn5->Enabled());
  EXPECT_TRUE(Form23->BitBtn2->Enabled());
  EXPECT_FALSE(Form23->BitBtn1->Enabled());

  // Connect again with the port open: it stays as it is.
  void* handle = Form1->Comm1->PortHandle();
  Form23->LanguageSplicing = 1;
  Form23->BitBtn1->Click();
  EXPECT_EQ(Form1->Comm1->PortHandle(), handle);
  EXPECT_EQ(LinkState(Form23->StatusBar1), "COM1  opened");
  EXPECT_EQ(Form18->LinkOpen, 1);

  ClickOn(Form23->BitBtn2);
  EXPECT_EQ(Form1->Comm1->PortHandle(), nullptr);
  EXPECT_EQ(LinkState(Form23->StatusBar1), "COM1  closed");
  EXPECT_EQ(Form18->LinkOpen, 0);
  EXPECT_FALSE(Form23->BitBtn6->Enabled());

  // With another console in front, its namesakes follow the link instead.
  Form18->ConsoleKind = ckGrid;
  Form18->AdminLoggedIn = 1;
  Form23->OpenDeviceLinkSplicing(true);
  EXPECT_TRUE(Form1->BitBtn5->Enabled());
  EXPECT_FALSE(Form1->BitBtn1->Enabled());
  EXPECT_TRUE(Form1->BitBtn18->Enabled());
  EXPECT_TRUE(Form1->N15->Enabled());
  EXPECT_FALSE(Form23->BitBtn5->Enabled());
  EXPECT_FALSE(Form23->N7->Enabled());
  EXPECT_TRUE(Form32->BitBtn8->Enabled());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(SplicingConsoleTest, AnAbsentPortIsReportedInEitherLanguage) {
  struct Case {
    int language;
    const char* message;
    const char* state;
  } cases[] = {{0, "打开COM9错误，请确认该串口是否存在或被其他程序占用！", "COM9 错误!"},
               {1, "openCOM9error，please check it！", "COM9 error!"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    ShowConsole();
    Form18->LinkOpen = 1;
    Form23->UpdateControlStatesSplicing();
    Form23->LanguageSplicing = c.language;
    Form2->ComboBox1->SetText("COM9");
    Form23->BitBtn1->Click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(c.message), std::string::npos) << boxes[0];
    EXPECT_EQ(LinkState(Form23->StatusBar1), c.state);
    EXPECT_EQ(LinkState(Form33->StatusBar1), c.state);
    EXPECT_EQ(Form18->LinkOpen, 0);
    EXPECT_FALSE(Form23->BitBtn5->Enabled());
    EXPECT_FALSE(Form23->BitBtn6->Enabled());
    EXPECT_TRUE(Form23->BitBtn1->Enabled());
    TearDown();
    SetUp();
  }
}

TEST_F(SplicingConsoleTest, TheNetworkLinkWritesOnlyThisConsolesBar) {
  platform::TcpListener bridge;
  ASSERT_TRUE(bridge.Listen());
  const std::string address = "127.0.0.1:" + std::to_string(bridge.Port());
  ShowConsole("[config]\nlanguage=1\n[setting]\nserialCtrl=0\nIPAddress=127.0.0.1\nPort=" +
              std::to_string(bridge.Port()) + "\n");
  // Not connected: disconnecting says closed and clears the flag.
  EXPECT_EQ(LinkState(Form23->StatusBar1), "RemoteAddr:" + address + " Closed");
  Form18->LinkOpen = 1;
  Form23->BitBtn2Click(Form23->BitBtn2);
  EXPECT_EQ(LinkState(Form23->StatusBar1), "RemoteAddr:" + address + " Closed");
  EXPECT_EQ(Form18->LinkOpen, 0);
  Form33->StatusBar1->Panels()->PanelAt(0)->SetText("untouched");
  ClickOn(Form23->BitBtn1);
  platform::TcpConnection peer;
  ASSERT_TRUE(bridge.Accept(peer, 2000));
  EXPECT_EQ(Form18->LinkOpen, 1);
  EXPECT_EQ(LinkState(Form23->StatusBar1), "RemoteAddr:" + address + " Connected");
  ClickOn(Form23->BitBtn10);
  Bytes got(6);
  EXPECT_EQ(peer.Receive(got.data(), got.size(), 2000), 6);
  EXPECT_EQ(got, Frame(0x11, 0x11, 0x88, 0x00));
  ClickOn(Form23->BitBtn2);
  EXPECT_EQ(LinkState(Form23->StatusBar1), "RemoteAddr:" + address + " Closed");
  EXPECT_EQ(Form18->LinkOpen, 0);
  EXPECT_EQ(LinkState(Form33->StatusBar1), "untouched");
  for (TComm* port : {Form1->Comm1, Form1->Comm2, Form1->Comm3}) EXPECT_EQ(port->PortHandle(), nullptr);
}

// ---- The grid -----------------------------------------------------------------------------------------

TEST_F(SplicingConsoleTest, AMouseReleaseTakesTheSelectionForThisConsoleAlone) {
  ShowConsole();
  Drag(3, 2, 1, 1);
  EXPECT_EQ((std::vector<int>{Form23->SelectionLeft, Form23->SelectionTop, Form23->SelectionRight,
                              Form23->SelectionBottom}),
            (std::vector<int>{1, 1, 3, 2}));
  EXPECT_EQ(Form32->Label2->Caption(), "1,1 - 3,2");
  EXPECT_EQ((std::vector<int>{Form1->SelectionLeft, Form1->SelectionRight, Form33->SelectionLeft}),
            (std::vector<int>{0, 0, 0}));
}

TEST_F(SplicingConsoleTest, TheWallFillsItsPanelAndCellsTakeTheirStoredColours) {
  ShowConsole("[config]\nrow=1\ncol=1\n");
  EXPECT_EQ(grid->ColWidths(1), Form23->Panel1->Width() - 32);
  EXPECT_EQ(grid->RowHeights(1), Form23->Panel1->Height() - 32);
  EXPECT_EQ(Form23->PageControl1->Width(), Form23->Width() - 410);
  // A wider window shares the new width.
  Form23->SetWidth(1202);
  Pump();
  EXPECT_EQ(grid->ColWidths(1), Form23->Panel1->Width() - 32);
  EXPECT_EQ(Form23->PageControl1->Width(), 1202 - 410);

  TearDown();
  SetUp();
  ShowConsole("[stringgrid]\n2,3=clRed\n1,1=reddish\n");
  Select(1, 3, 1, 3);
  Pump();
  grid->Invalidate();
  EXPECT_EQ(CellPixel(3, 2), Rgb(clRed));
  EXPECT_EQ(CellPixel(1, 1), Rgb(clCream)) << "a name that is no colour paints the default";
  EXPECT_EQ(CellPixel(2, 2), Rgb(clCream));
  EXPECT_TRUE(boxes.empty());
  // Selected (and not focused), the cell keeps the grid's highlight.
  Select(1, 1, 3, 3);
  grid->Invalidate();
  EXPECT_NE(CellPixel(3, 2), Rgb(clRed));
}

// ---- Language, skin, closing --------------------------------------------------------------------------

TEST_F(SplicingConsoleTest, TheLanguageButtonStoresTheOtherLanguageForTheNextStart) {
  ShowConsole();
  ClickOn(Form23->BitbtnENCH);
  EXPECT_NE(ReadConfigText().find("language=1"), std::string::npos);
  ClickOn(Form23->BitbtnENCH);
  EXPECT_NE(ReadConfigText().find("language=0"), std::string::npos);
  EXPECT_EQ(boxes, (std::vector<std::string>(2, Application->Title() + "|please restart this program !")));
  EXPECT_EQ(Form23->Caption(), "Vellmar智能拼接显示系统") << "captions change at the next start";
}

TEST_F(SplicingConsoleTest, TheClockShowsTheWeekdayInTheConsolesLanguage) {
  ShowConsole();
  const char* chinese[] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
  const char* english[] = {"Sun ", "Mon ", "Tue ", "Wed ", "Thur", "Fri ", "Sat "};
  RunFor(1000);
  const int day = DayOfWeek(Now()) - 1;
  const std::string chineseText = Form23->StatusBar1->Panels()->PanelAt(2)->Text();
  EXPECT_EQ(chineseText, DateTimeToStr(Now()) + "   " + chinese[day] + "---");
  Form23->LanguageSplicing = 1;
  RunFor(1000);
  EXPECT_EQ(Form23->StatusBar1->Panels()->PanelAt(2)->Text(),
            DateTimeToStr(Now()) + "   " + english[DayOfWeek(Now()) - 1] + "---");
}

TEST_F(SplicingConsoleTest, ClosingStoresTheSkinAndTheMenusExitDoesNot) {
  struct Case {
    const char* what;
    bool list;
    bool exit;
    const char* stored;  // nullptr: no skin key written
  } cases[] = {{"close", true, false, "[SkinName]\r\nSkin=-1"},
               {"close without a list", false, false, nullptr},
               {"exit", true, true, nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!c.list) fs::remove(folder + "/AllSkins.skinres");
    ShowConsole();
    Connect();
    if (c.exit) {
      Form23->EXIT1->Click();
      EXPECT_NE(Form1->Comm1->PortHandle(), nullptr) << "the port is left to the program's end";
      // What still comes to the window finds no file object and asks for none.
      Form23->Invalidate();
      Pump();
    } else {
      Form23->Close();
      Pump();
      EXPECT_EQ(Form1->Comm1->PortHandle(), nullptr);
    }
    EXPECT_EQ(Form23->ConfigFileSplicing, nullptr);
    EXPECT_TRUE(Terminated());
    if (c.stored)
      EXPECT_NE(ReadConfigText().find(c.stored), std::string::npos) << ReadConfigText();
    else
      EXPECT_EQ(ReadConfigText().find("SkinName"), std::string::npos) << ReadConfigText();
    EXPECT_EQ(Form23->dxskncntrlrSkin->SkinName(), "Foggy");
    TearDown();
    SetUp();
  }
}

TEST_F(SplicingConsoleTest, TheRenameButtonRenamesThisConsolesScenes) {
  ShowConsole();
  Form23->ComboBox3->SetItemIndex(4);
  ClickOn(Form23->Button2);
  ASSERT_TRUE(Form9->Visible());
  Form9->Edit1->SetText("Lobby");
  Form9->Button1->Click();
  Pump();
  EXPECT_EQ(Form23->ComboBox3->Properties()->Items()->Strings(4), "Lobby");
  EXPECT_NE(ReadConfigText().find("scene5=Lobby"), std::string::npos) << ReadConfigText();
}

// ---- Screenshots --------------------------------------------------------------------------------------

TEST_F(SplicingConsoleTest, ScreenshotsInBothLanguages) {
  for (int language : {0, 1}) {
    ShowConsole("[config]\nlanguage=" + std::to_string(language) + "\nrow=3\ncol=4\n[stringgrid]\n2,3=clRed\n");
    Connect();
    Drag(1, 1, 2, 2);
    Headless().InjectText("*");  // not the gesture: two screens are selected
    DragAt(Centre(1, 1), Centre(1, 1));
    Headless().InjectText("*");
    Pump();
    Reveal(Form23->TabSheet4);
    Reveal(language ? static_cast<TControl*>(Form23->BitBtn16) : Form23->cbbSkin);
    RunFor(1000);  // the clock
    Form23->rzpnlVGA->SetBorderOuter(fsLowered);
    SaveWindowShot(Form23, language ? "variants/splicing-console-en.png" : "variants/splicing-console-zh.png");
    TearDown();
    SetUp();
  }
}

}  // namespace
