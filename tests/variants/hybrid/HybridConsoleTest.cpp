// The hybrid-matrix console as the program starts and shows it: headless, on virtual time, in a
// folder of the test's own holding the skin list file and whatever "cfg.ini" a case puts there.
// COM1 to COM3 are pseudo-terminal peers, the network bridge a loopback listener; selections are
// dragged on the grid with the injected mouse.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/CommSettings.h"
#include "console/GridConsole.h"
#include "console/LoginWindow.h"
#include "console/ScreenFrame.h"
#include "console/VersionWindow.h"
#include "dialogs/PictureParametersConsoles.h"
#include "dialogs/SplicingSettingsHybrid.h"
#include "dialogs/SubtitleSettings.h"
#include "dialogs/TimingSettings.h"
#include "matrix/MatrixConfig.h"
#include "platform/display/Display.h"
#include "platform/net/Tcp.h"
#include "platform/system/Registry.h"
#include "tests/variants/hybrid/HybridConsoleFixture.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

namespace {

namespace fs = std::filesystem;
using Bytes = testsupport::SerialPeer::Bytes;
using hybridtest::HybridConsoleTest;
using namespace win;

std::vector<std::string> Numbered(const std::string& prefix, int count) {
  std::vector<std::string> out;
  for (int i = 1; i <= count; ++i) out.push_back(prefix + std::to_string(i));
  return out;
}

TEST_F(HybridConsoleTest, FirstStartInAnEmptyFolder) {
  WriteConfig("[config]\nsoftwareType=3\n");
  Start();
  Tick();
  ASSERT_EQ(VisibleForms(), std::vector<std::string>{"TForm33"});
  // The default title's trailing blank does not survive the read.
  EXPECT_EQ(Form33->Caption(), "Vellmar混合矩阵拼接系统");
  for (TStringGrid* grid : {Form33->stringgrid1, Form1->stringgrid1}) {
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(grid->ColCount(), 4);
  }
  TStringGrid* grid = Form33->stringgrid1;
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(grid->Cells(i, 0), std::to_string(i));
    EXPECT_EQ(grid->Cells(0, i), std::to_string(i));
  }
  EXPECT_EQ(grid->ColWidths(0), 16);
  EXPECT_EQ(grid->RowHeights(0), 14);
  EXPECT_EQ(Form33->DefaultCellColorHybrid, clCream);
  EXPECT_EQ(Form34->Edit1->Text(), "LCD WALL");
  EXPECT_EQ(Form33->Label3->Caption(), "LCD WALL");
  EXPECT_EQ(Items(Form33->ComboBox3), Numbered("场景", 16));
  // The signal type offered first, HDMI, is applied at show and picks the third scene.
  EXPECT_EQ(Form33->ComboBox3->Text(), "场景3");
  EXPECT_EQ(Form18->LinkOpen, 0);
  EXPECT_EQ(Panel(0), "COM1 COM1 COM1 关闭");
  EXPECT_EQ(Panel(1), "操作权限 ： 操作员");
  EXPECT_EQ(Form33->BitbtnENCH->Caption(), "English");
  EXPECT_EQ(Form33->cbbSkin->ItemIndex(), -1);
  EXPECT_EQ(Form33->dxskncntrlrSkin->SkinName(), "Foggy");
  EXPECT_EQ(Items(Form33->ComboBox4), std::vector<std::string>{"HDMI"});
  EXPECT_FALSE(Form33->SendWallSync);
  EXPECT_FALSE(Form33->N4->Visible());
  EXPECT_FALSE(Form33->tmrTimingSet->Enabled());
  EXPECT_TRUE(Form33->Timer1->Enabled());
  EXPECT_NE(GetWindowLong(Form33->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  // A fresh file: local cells taking HDMI under its own name; nothing beyond the wall is touched.
  EXPECT_EQ(Form33->CellAddresses->at(0)[0], "本地");
  EXPECT_EQ(Form33->CellNames->at(0)[0][3], "HDMI");
  EXPECT_EQ(Form33->CellAddresses->at(24)[24], "");
  EXPECT_TRUE(Boxes().empty());

  // A second show reads everything again and still holds sixteen scenes.
  Form33->ComboBox3->SetItemIndex(5);
  ShowAgain();
  EXPECT_EQ(Items(Form33->ComboBox3), Numbered("场景", 16));
  EXPECT_EQ(Form33->ComboBox3->ItemIndex(), 2);
}

TEST_F(HybridConsoleTest, StoredSettingsAreReadAtCreationAndAtShow) {
  ShowConsole(
      "[config]\nrow=2\ncol=5\nname=Hall A\nUSER=Line 3\npassword=77\nlanguage=1\n"
      "[setting]\nKJ=1\n[scene]\nscene2=Morning\nscene3=\n"
      "[timesetting]\nflag=1\nohour=7\nomin=30\nchour=19\ncmin=5\nmode=1\n");
  EXPECT_EQ(Form33->stringgrid1->RowCount(), 3);
  EXPECT_EQ(Form33->stringgrid1->ColCount(), 6);
  EXPECT_EQ(Form1->stringgrid1->RowCount(), 3);
  EXPECT_EQ(Form1->stringgrid1->ColCount(), 6);
  EXPECT_EQ(Form34->ComboBox1->ItemIndex(), 1);
  EXPECT_EQ(Form34->ComboBox2->ItemIndex(), 4);
  EXPECT_EQ(Form33->Label3->Caption(), "Hall A");
  EXPECT_EQ(Form5->Label3->Caption(), "Line 3");
  EXPECT_EQ(Form33->AdminPasswordHybrid, "77");
  EXPECT_TRUE(Form33->CheckBox1->Checked());
  std::vector<std::string> scenes = Numbered("scene", 16);
  scenes[1] = "Morning";
  EXPECT_EQ(Items(Form33->ComboBox3), scenes);
  EXPECT_TRUE(Form33->tmrTimingSet->Enabled());
  EXPECT_EQ((std::vector<int>{Form33->PowerOnHour, Form33->PowerOnMinute, Form33->PowerOffHour,
                              Form33->PowerOffMinute, Form33->TimedPowerEnabled, Form33->TimedPowerRepeat}),
            (std::vector<int>{7, 30, 19, 5, 1, 1}));

  // The wall is shared among the panel's width and height; a resize shares it again and widens the
  // service pages.
  TStringGrid* grid = Form33->stringgrid1;
  EXPECT_EQ(grid->ColWidths(5), (Form33->Panel1->Width() - 32) / 5);
  EXPECT_EQ(grid->RowHeights(2), (Form33->Panel1->Height() - 32) / 2);
  EXPECT_EQ(Form33->PageControl1->Width(), 1002 - 410);
  Form33->SetBounds(Form33->Left(), Form33->Top(), Form33->Width() + 100, Form33->Height() + 40);
  Pump();
  EXPECT_EQ(grid->ColWidths(1), (Form33->Panel1->Width() - 32) / 5);
  EXPECT_EQ(grid->RowHeights(1), (Form33->Panel1->Height() - 32) / 2);
  EXPECT_EQ(Form33->PageControl1->Width(), 1102 - 410);

  // The grid console's sizing shares its own wall and this console's.
  grid->SetColCount(8);
  grid->SetColWidths(7, 5);
  Form1->SizeWallGrid();
  EXPECT_EQ(grid->ColWidths(7), (Form33->Panel1->Width() - 32) / 7);
}

TEST_F(HybridConsoleTest, WallSizesOutsideTheListsAreBroughtIntoThem) {
  ShowConsole("[config]\nrow=0\ncol=40\n");
  EXPECT_EQ(Form34->ComboBox1->ItemIndex(), 0);
  EXPECT_EQ(Form34->ComboBox2->ItemIndex(), 14);
  EXPECT_EQ(Form33->stringgrid1->RowCount(), 2);
  EXPECT_EQ(Form33->stringgrid1->ColCount(), 16);
}

TEST_F(HybridConsoleTest, TheLogoIsReadByWhatItHoldsAndANonPictureIsSkipped) {
  std::vector<std::uint32_t> pixels(40 * 30, 0xFF00FF);
  ASSERT_TRUE(platform::WritePng(folder + "/clogo.jpg", pixels.data(), 40, 30, 40));
  ShowConsole();
  for (TImage* image : {Form33->Image1, Form34->Image1}) {
    ASSERT_NE(image->Picture()->Graphic(), nullptr);
    EXPECT_EQ(image->Picture()->Width(), 40);
  }
  FinalizeForms();
  InitializeForms();

  // A file nothing decodes counts as missing: the loading goes on to its end at every start.
  std::ofstream(folder + "/clogo.jpg") << "not a picture";
  ShowConsole();
  EXPECT_EQ(Form33->Image1->Picture()->Graphic(), nullptr);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Form33->stringgrid1->RowCount(), 4);
  EXPECT_EQ(Panel(0), "COM1 COM1 COM1 关闭");
  EXPECT_EQ(Items(Form33->ComboBox4), std::vector<std::string>{"HDMI"});
}

TEST_F(HybridConsoleTest, TheSelectionDraggedOnTheGridAddressesTheCommands) {
  ShowConsole();
  Connect();
  // No release yet: the first screen.
  Form33->SendScreenCommandHybrid(scStill, 1);
  EXPECT_EQ(peers[0].Receive(6), Bytes({0xC6, 0x11, 0x11, 0x51, 0x01, 0xBB}));

  Form32->Label2->SetCaption("");
  Drag(2, 1, 3, 2);
  EXPECT_EQ(Selection(Form33), (std::vector<int>{2, 1, 3, 2}));
  EXPECT_EQ(Selection(Form23), (std::vector<int>{2, 1, 3, 2}));
  EXPECT_EQ(Selection(Form1), (std::vector<int>{2, 1, 3, 2}));
  EXPECT_EQ(Form32->Label2->Caption(), "2,1 - 3,2");
  Form33->SendScreenCommandHybrid(scStill, 1);
  EXPECT_EQ(peers[0].Receive(6), Bytes({0xC6, 0x21, 0x32, 0x51, 0x01, 0xBB}));

  // The active console's selection is the one addressed; an empty one is the first screen.
  struct Case {
    TConsoleKind kind;
    std::vector<int> grid;
    std::uint8_t start, end;
  } cases[] = {{ckGrid, {0, 0, 0, 0}, 0x11, 0x11}, {ckGrid, {1, 2, 1, 3}, 0x12, 0x13},
               {ckSplicing, {0, 0, 0, 0}, 0x21, 0x32}, {ckNone, {0, 0, 0, 0}, 0x21, 0x32}};
  for (const Case& c : cases) {
    SCOPED_TRACE("kind " + std::to_string(c.kind));
    Form18->ConsoleKind = c.kind;
    Form1->SelectionLeft = c.grid[0], Form1->SelectionTop = c.grid[1];
    Form1->SelectionRight = c.grid[2], Form1->SelectionBottom = c.grid[3];
    Form33->SendScreenCommandHybrid(scPower, 0);
    EXPECT_EQ(peers[0].Receive(6), Bytes({0xC6, c.start, c.end, scPower, 0x00, 0xBB}));
  }

  // FST's HDMI routing belongs to the grid console's sender only.
  Form18->ConsoleKind = ckHybrid;
  Form1->ComboBox1->SetItemIndex(3);
  Form1->CheckBox3->SetChecked(true);
  Form1->Label7->SetCaption("FST");
  Form1->SendScreenCommand(scStill, 1);
  EXPECT_EQ(peers[0].Receive(6).front(), 0xD6);
  Form33->SendScreenCommandHybrid(scStill, 1);
  EXPECT_EQ(peers[0].Receive(6), Bytes({0xC6, 0x21, 0x32, 0x51, 0x01, 0xBB}));

  const std::uint8_t text[] = {'P', 'V', 'N', 'T'};
  Form33->WriteRgbMatrixHybrid(text, 4);
  EXPECT_EQ(peers[0].Receive(4), Bytes(text, text + 4));
}

TEST_F(HybridConsoleTest, TheServiceGestureLogsEachFrameInTheThreeConsolesInOrder) {
  ShowConsole();
  Connect();
  std::vector<std::string> order;
  auto logged = [&](const char* console) {
    if (order.empty() || order.back() != console) order.push_back(console);
  };
  Form1->Memo1->Properties()->OnChange = [&](TObject*) { logged("grid"); };
  Form23->Memo1->OnChange = [&](TObject*) { logged("splicing"); };
  Form33->Memo1->OnChange = [&](TObject*) { logged("hybrid"); };

  Drag(1, 1, 1, 1);
  Form33->stringgrid1->SetFocus();
  Headless().InjectText("*");
  Pump();
  ASSERT_EQ(Form18->DebugMode, 1);
  EXPECT_TRUE(Form33->Memo1->Visible());
  EXPECT_TRUE(Form33->N4->Visible());
  EXPECT_TRUE(Form33->PageControl1->Visible());
  SaveWindowShot(Form33, "variants/hybrid-console-engineering.png");

  const std::uint64_t before = clock->NowMs();
  Form33->SendScreenCommandHybrid(scStill, 1);
  EXPECT_EQ(clock->NowMs() - before, 20u);
  EXPECT_EQ(peers[0].Receive(6), Bytes({0xC6, 0x11, 0x11, 0x51, 0x01, 0xBB}));
  EXPECT_EQ(order, std::vector<std::string>({"splicing", "hybrid", "grid"}));
  for (TStrings* log : {Form1->Memo1->Lines(), Form23->Memo1->Lines(), Form33->Memo1->Lines()})
    EXPECT_EQ(log->Strings(log->Count() - 1), "->C6,11,11,51,01,BB");

  // Any other key ends the mode.
  Headless().InjectText("x");
  Pump();
  EXPECT_EQ(Form18->DebugMode, 0);
  EXPECT_FALSE(Form33->Memo1->Visible());
  EXPECT_FALSE(Form33->N4->Visible());
  EXPECT_FALSE(Form33->PageControl1->Visible());
}

TEST_F(HybridConsoleTest, LinksOpenReportAndCloseInThisConsolesTexts) {
  ShowConsole();
  for (int language : {0, 1}) {
    SCOPED_TRACE(language ? "English" : "Chinese");
    Form33->LanguageHybrid = language;
    ChoosePorts("COM1", "COM2", "COM3", true);
    Form33->BitBtn1->Click();
    EXPECT_EQ(Panel(0), language ? "COM1 COM2 COM3 opened" : "COM1 COM2 COM3 已打开");
    EXPECT_EQ(Form18->LinkOpen, 1);
    for (TComm* port : {Form1->Comm1, Form1->Comm2, Form1->Comm3}) EXPECT_NE(port->PortHandle(), nullptr);
    for (TComm* port : {Form33->Comm1, Form33->Comm2, Form33->Comm3}) EXPECT_EQ(port->PortHandle(), nullptr);
    EXPECT_FALSE(Form33->BitBtn1->Enabled());
    EXPECT_TRUE(Form33->BitBtn2->Enabled());
    Form33->BitBtn2->Click();
    EXPECT_EQ(Panel(0), language ? "COM1 COM2 COM3 closed" : "COM1 COM2 COM3 关闭");
    EXPECT_EQ(Form18->LinkOpen, 0);
    for (TComm* port : {Form1->Comm1, Form1->Comm2, Form1->Comm3}) EXPECT_EQ(port->PortHandle(), nullptr);

    // A port no device answers: this console's message, ending in an ASCII "!".
    ChoosePorts("COM1", "COM9", "COM3", true);
    Form33->BitBtn1->Click();
    EXPECT_EQ(Boxes(), std::vector<std::string>{language ? "openCOM9error，please check it!"
                                                         : "打开COM9错误，请确认该串口是否存在或被其他程序占用!"});
    EXPECT_EQ(Panel(0), language ? "COM9 error!" : "COM9 错误!");
    EXPECT_EQ(Form18->LinkOpen, 0);
    Form33->BitBtn2->Click();

    // One own port for both matrices.
    ChoosePorts("COM1", "COM2", "COM2", true);
    Form33->BitBtn1->Click();
    EXPECT_EQ(Boxes(), std::vector<std::string>{"视频、RGB矩阵串口冲突"});
    EXPECT_EQ(Form18->LinkOpen, 0);
    Form33->BitBtn2->Click();
  }
}

TEST_F(HybridConsoleTest, TheNetworkLinkReportsInThisConsolesTexts) {
  platform::TcpListener bridge;
  ASSERT_TRUE(bridge.Listen());
  ShowConsole();
  Form33->LanguageHybrid = 1;
  Form2->rbRemote->SetCheckedValue(true);
  Form2->EditIP->SetText("127.0.0.1");
  Form2->EditPort->SetText(std::to_string(bridge.Port()));
  const std::string where = "RemoteAddr:127.0.0.1:" + std::to_string(bridge.Port());
  Form33->BitBtn1->Click();
  platform::TcpConnection peer;
  ASSERT_TRUE(bridge.Accept(peer, 2000));
  EXPECT_EQ(Panel(0), where + " Connected");
  EXPECT_EQ(Form18->LinkOpen, 1);
  Form33->SendScreenCommandHybrid(scStill, 1);
  std::uint8_t got[6] = {};
  EXPECT_EQ(peer.Receive(got, 6, 1000), 6);
  EXPECT_EQ(Bytes(got, got + 6), Bytes({0xC6, 0x11, 0x11, 0x51, 0x01, 0xBB}));
  Form33->BitBtn2->Click();
  EXPECT_EQ(Panel(0), where + " Closed");
  EXPECT_EQ(Form18->LinkOpen, 0);

  bridge.Close();
  Form33->BitBtn1->Click();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Connect Failed"});
  EXPECT_EQ(Panel(0), where + " Closed");
  EXPECT_EQ(Form18->LinkOpen, 0);
}

TEST_F(HybridConsoleTest, AutoOpenOpensTheLinksAtShowAndItsAbsenceClosesThem) {
  ShowConsole("[setting]\nauto open port=1\ncom port=1\ncom port A=2\ncom port B=3\n"
              "auto open port A=1\nauto open port B=1\n");
  EXPECT_EQ(Form18->LinkOpen, 1);
  for (TComm* port : {Form1->Comm1, Form1->Comm2, Form1->Comm3}) EXPECT_NE(port->PortHandle(), nullptr);
  EXPECT_EQ(Panel(0), "COM1 COM2 COM3 已打开");

  // The box is read again at every show.
  WriteConfig("[setting]\nauto open port=0\ncom port=1\ncom port A=2\ncom port B=3\n");
  ShowAgain();
  EXPECT_FALSE(Form2->CheckBox1->Checked());
  EXPECT_EQ(Form18->LinkOpen, 0);
  for (TComm* port : {Form1->Comm1, Form1->Comm2, Form1->Comm3}) EXPECT_EQ(port->PortHandle(), nullptr);
  EXPECT_EQ(Panel(0), "COM1 COM2 COM3 关闭");
}

TEST_F(HybridConsoleTest, ControlStatesOfTheThreeConsolesFollowTheFlags) {
  ShowConsole();
  // Per console, in this order: what follows the link, the administrator, engineering mode and
  // the factory level.
  auto states = [] {
    std::vector<bool> out;
    for (TMenuItem* item : {Form33->nStill, Form33->N7, Form33->N12, Form33->N9, Form33->N15, Form33->N16,
                            Form33->N17})
      out.push_back(item->Visible());
    for (TControl* c : {Form33->BitBtn5, Form33->BitBtn6, Form33->BitBtn2, Form33->BitBtn1, Form33->BitBtn18,
                        Form33->btnPlayMode, Form33->Bitbtn9})
      out.push_back(c->Enabled());
    out.push_back(Form33->TabSheet3->TabVisible() && Form33->TabSheet4->TabVisible());
    out.push_back(Form33->PageControl1->Visible());
    out.push_back(Form23->N7->Enabled() && Form23->N15->Enabled());
    for (TControl* c : {Form23->BitBtn5, Form23->BitBtn6, Form23->BitBtn2, Form23->BitBtn1, Form23->btnPlayMode,
                        Form23->Bitbtn9})
      out.push_back(c->Enabled());
    out.push_back(Form23->PageControl1->Visible() && Form23->TabSheet3->TabVisible());
    out.push_back(Form32->BitBtn8->Enabled());
    out.push_back(Form1->N7->Enabled() && Form1->N15->Enabled());
    for (TControl* c : {Form1->BitBtn5, Form1->BitBtn1, Form1->BitBtn18, Form1->btnPlayMode, Form1->Bitbtn})
      out.push_back(c->Enabled());
    out.push_back(Form1->PageControl1->Visible());
    return out;
  };
  struct Case {
    std::uint8_t link, admin, debug, factory;
    std::vector<bool> want;
  } cases[] = {
      // clang-format off
      //  hybrid popup (7)                    link link link !link admin fact fact debug debug
      {0, 0, 0, 0, {0, 0, 0, 0, 0, 0, 0,      0, 0, 0, 1, 0, 0, 0,  0, 0,
      //  splicing: admin  link link link !link fact fact  debug   dialog   grid: admin link !link admin fact fact debug
                    0,     0, 0, 0, 1, 0, 0,  0,  0,  0, 0, 1, 0, 0, 0, 0}},
      {1, 0, 0, 0, {0, 0, 0, 0, 0, 0, 0,      1, 1, 1, 0, 0, 0, 0,  0, 0,
                    0,     1, 1, 1, 0, 0, 0,  0,  1,  0, 1, 0, 0, 0, 0, 0}},
      {0, 1, 0, 0, {1, 1, 1, 1, 1, 1, 1,      0, 0, 0, 1, 1, 0, 0,  0, 0,
                    1,     0, 0, 0, 1, 0, 0,  0,  0,  1, 0, 1, 1, 0, 0, 0}},
      {0, 0, 1, 0, {0, 0, 0, 0, 0, 0, 0,      0, 0, 0, 1, 0, 0, 0,  1, 1,
                    0,     0, 0, 0, 1, 0, 0,  1,  0,  0, 0, 1, 0, 0, 0, 1}},
      {0, 0, 0, 1, {0, 0, 0, 0, 0, 0, 0,      0, 0, 0, 1, 0, 1, 1,  0, 0,
                    0,     0, 0, 0, 1, 1, 1,  0,  0,  0, 0, 1, 0, 1, 1, 0}},
      {1, 1, 1, 1, {1, 1, 1, 1, 1, 1, 1,      1, 1, 1, 0, 1, 1, 1,  1, 1,
                    1,     1, 1, 1, 0, 1, 1,  1,  1,  1, 1, 0, 1, 1, 1, 1}},
      // clang-format on
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.link) + std::to_string(c.admin) + std::to_string(c.debug) +
                 std::to_string(c.factory));
    Form18->LinkOpen = c.link, Form18->AdminLoggedIn = c.admin;
    Form18->DebugMode = c.debug, Form18->FactoryLoggedIn = c.factory;
    Form33->UpdateControlStatesHybrid();
    EXPECT_EQ(states(), c.want);
    // The items the refresh does not name keep their places.
    for (TMenuItem* item : {Form33->N6, Form33->ApartMode1, Form33->N8}) EXPECT_TRUE(item->Visible());
    for (TMenuItem* item : {Form33->N13, Form33->N14, Form33->N18}) EXPECT_FALSE(item->Visible());
  }
}

TEST_F(HybridConsoleTest, AFactoryLoginOffersEverySignalTypeUntilTheNextShow) {
  ShowConsole("[hybridGeneral]\ntype=1\n");
  EXPECT_EQ(Items(Form33->ComboBox4), (std::vector<std::string>{"DVI", "HDMI"}));
  EXPECT_FALSE(Form33->GBox1GBox->Visible());
  Form7->Show();
  Pump();
  Form7->MaskEdit1->SetText("270318");
  Form7->Button1->Click();
  Pump();
  ASSERT_EQ(Form18->FactoryLoggedIn, 1);
  EXPECT_TRUE(Form33->GBox1GBox->Visible());
  EXPECT_EQ(Items(Form33->ComboBox4), (std::vector<std::string>{"VIDEO", "VGA", "DVI", "HDMI"}));
  EXPECT_TRUE(Form33->SendWallSync);
  EXPECT_TRUE(Form33->nStill->Visible());
  Form7->Close();
  Pump();
  SaveWindowShot(Form33, "variants/hybrid-console-factory.png");
  Pump();

  ShowAgain();
  EXPECT_EQ(Items(Form33->ComboBox4), (std::vector<std::string>{"DVI", "HDMI"}));
  EXPECT_FALSE(Form33->SendWallSync);

  // A logout takes the administrator's popup items away again.
  Form7->Show();
  Pump();
  Form7->Button4->Click();
  Pump();
  EXPECT_FALSE(Form33->nStill->Visible());
  EXPECT_FALSE(Form33->N17->Visible());
}

TEST_F(HybridConsoleTest, TheStoredTypeChoosesTheSignalTypesOffered) {
  struct Case {
    int type;
    std::vector<std::string> items;
    bool sync;
  } cases[] = {{0, {"HDMI"}, false},
               {2, {"VIDEO", "VGA", "DVI", "HDMI"}, false},
               {3, {"HDMI"}, true},
               {4, {"DVI", "HDMI"}, true},
               {5, {"VIDEO", "VGA", "DVI", "HDMI"}, true},
               {7, {}, false},
               {-1, {}, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    ShowConsole("[hybridGeneral]\ntype=" + std::to_string(c.type) + "\n");
    EXPECT_EQ(Items(Form33->ComboBox4), c.items);
    EXPECT_EQ(Form33->SendWallSync, c.sync);
    FinalizeForms();
    InitializeForms();
  }
}

TEST_F(HybridConsoleTest, CaptionsFollowTheStoredLanguage) {
  auto popup = [] {
    std::vector<std::string> out;
    for (TMenuItem* item : {Form33->N6, Form33->ApartMode1, Form33->nStill, Form33->N7, Form33->N8, Form33->N12,
                            Form33->N9, Form33->N10, Form33->N11, Form33->N15, Form33->N16, Form33->N19, Form33->N20,
                            Form33->N17, Form33->N21, Form33->N22, Form33->N18})
      out.push_back(item->Caption());
    return out;
  };
  const std::vector<std::string> english = {"Signal Select", "Apart Mode", "Still", "Image adjustment", "Save",
                                            "Border Effect", "Signal pattern", "No signal black screen",
                                            "No signal blue screen", "Special Regulation", "Aging Mode", "Open",
                                            "Close", "Flip Mode", "Positive", "inverse", "Update"};
  const std::vector<std::string> chinese = {"信号选择", "分屏模式", "画面静止", "图像调整", "本机保存", "边缘融合",
                                            "信号模式", "无信号黑屏", "无信号蓝屏", "异型调节", "老化模式",
                                            "模式打开", "模式关闭", "翻转模式", "图像正显", "图像倒显", "程序升级"};
  for (int language : {0, 2}) {
    SCOPED_TRACE(language);
    ShowConsole("[config]\nlanguage=" + std::to_string(language) + "\ncaption=Room 2\n");
    EXPECT_EQ(popup(), chinese);
    ShowAgain();
    EXPECT_EQ(popup(), chinese);
    EXPECT_EQ(Form33->Caption(), "Room 2");
    EXPECT_EQ(Form33->BitBtn1->Caption(), "连接串口/无线");
    EXPECT_EQ(Form33->BitbtnENCH->Caption(), language == 0 ? "English" : "中文");
    EXPECT_EQ(Form33->CheckBox3->Caption(), "矩阵联动");
    EXPECT_EQ(Form33->Label3->Caption(), "LCD WALL");
    if (language == 0) SaveWindowShot(Form33, "variants/hybrid-console-zh.png");
    FinalizeForms();
    InitializeForms();
  }

  ShowConsole("[config]\nlanguage=1\ncaption=Room 2\n");
  EXPECT_EQ(popup(), english);
  struct Row {
    std::string got, want;
  } rows[] = {
      {Form33->Caption(), " Vellmar Hybrid Matrix Control System"},
      {Panel(1), "User : operator"},
      {Form33->FILE1->Caption(), "File"},
      {Form33->SETTING1->Caption(), "Setting"},
      {Form33->N1->Caption(), "Help"},
      {Form33->N3->Caption(), "Administrator"},
      {Form33->EXIT1->Caption(), "Exit"},
      {Form33->WALL1->Caption(), "Com. Setting"},
      {Form33->CONFIG1->Caption(), "System Config"},
      {Form33->N5->Caption(), "Video Adjust"},
      {Form33->English1->Caption(), "English | 中文"},
      {Form33->N2->Caption(), "About"},
      {Form33->N4->Caption(), "Debug"},
      {Form33->BitBtn1->Caption(), "Open"},
      {Form33->BitBtn2->Caption(), "Close"},
      {Form33->BitBtn5->Caption(), "PowerOn"},
      {Form33->BitBtn6->Caption(), "PowerOff"},
      {Form32->BitBtn8->Caption(), "Reset"},
      {Form33->BitBtn12->Caption(), "Save"},
      {Form33->BitBtn13->Caption(), "Load"},
      {Form33->Button4->Caption(), "Mini"},
      {Form33->Button2->Caption(), "Name..."},
      {Form33->GroupBox3->Caption(), "Model"},
      {Form33->tsSystemSetting->Caption(), "Config"},
      {Form33->tsSerialSetting->Caption(), "Port Operate"},
      {Form33->cxtbshtOther->Caption(), "Other"},
      {Form33->BitBtn8->Caption(), "Run"},
      {Form33->BitBtn10->Caption(), "Single"},
      {Form33->BitBtn16->Caption(), "Port Setting"},
      {Form33->BitBtn17->Caption(), "Splice Setting"},
      {Form33->BitBtn18->Caption(), "Matrix Setting"},
      {Form33->BitBtn3->Caption(), "Administrator"},
      {Form33->BitbtnENCH->Caption(), "Chinese"},
      {Form33->Bitbtn9->Caption(), "Controller"},
      {Form33->BitBtn4->Caption(), "About"},
      {Form33->cxchckbx1->Caption(), "Window"},
      {Form33->Label1->Caption(), "Signal Type"},
      {Form33->CheckBox3->Caption(), "Matrix[EX]"},
      {Form33->Label2->Caption(), "Matrix Input"},
      {Form33->grpChanel->Caption(), "Signal"},
      {Form33->GroupBox6->Caption(), "Power"},
      {Form33->LabeledEdit10->EditLabel()->Caption(), "sec"},
      {Form33->CheckBox1->Caption(), "Delayed"},
      {Form33->rbChinese->Caption(), "Chinese"},
      {Form33->rbEnglish->Caption(), "English"},
      {Form33->TabSheet3->Caption(), "Temperature Control"},
      {Form33->GroupBox1->Caption(), "Fan Mode"},
      {Form33->RadioButton1->Caption(), "Open"},
      {Form33->RadioButton2->Caption(), "Close"},
      {Form33->RadioButton3->Caption(), "Auto"},
      {Form33->BitBtn11->Caption(), "Apply"},
      {Form33->TabSheet4->Caption(), "Testing"},
      {Form33->GroupBox2->Caption(), "TI Mode"},
      {Form33->GroupBox4->Caption(), "Group Mode"},
      {Form33->RadioButton9->Caption(), "A Group"},
      {Form33->RadioButton10->Caption(), "B Group"},
      {Form33->RadioButton4->Caption(), "LG 8 Bit"},
      {Form33->RadioButton5->Caption(), "LG 10 Bit"},
      {Form33->rb1->Caption(), "SUMSUNG"},
      {Form33->Button1->Caption(), "Apply"},
      {Form33->Button8->Caption(), "Apply"},
      {Form33->BitBtn7->Caption(), "Manual Debug"},
      {Form33->cxtbsht1->Caption(), "Synchronization"},
      {Form33->lbl1->Caption(), "Syn Param:"},
      {Form33->Bitbtn->Caption(), "Set"},
      {Form33->Bitbtn161->Caption(), "Auto"},
      {Form33->btnPlayMode->Caption(), "Play Setting"},
      {Form33->btnBackColor->Caption(), "Background"},
      {Form33->cxLabel1->Caption(), "Skin"},
      {Form33->btnTimeSet->Caption(), "Timing Setting"},
      {Form33->btnSubtitileSetting->Caption(), "Subtitle Setting"},
      {frmSubtitleSettings->Caption(), "Subtitle Setting"},
      {frmSubtitleSettings->BitbAddDisplay->Caption(), "Add"},
      {Form5->Button1->Caption(), "Version"},
      {frmTimingSetting->Caption(), "Timing Setting"},
      {frmTimingSetting->lblExecMode->Caption(), "Repeat Mode"},
      {frmTimingSetting->lblOpenSys->Caption(), "StartUp"},
      {frmTimingSetting->lblCloseSys->Caption(), "ShutDown"},
      {frmTimingSetting->cbFlag->Caption(), "On/Off"},
      {frmTimingSetting->lbledtOHours->EditLabel()->Caption(), "H"},
      {frmTimingSetting->lbledtOMin->EditLabel()->Caption(), "M"},
      {frmTimingSetting->btnOK->Caption(), "OK"},
      {frmTimingSetting->btnClose->Caption(), "Close"},
  };
  for (const Row& row : rows) EXPECT_EQ(row.got, row.want);
  EXPECT_EQ(Items(frmTimingSetting->cbbExecMode), (std::vector<std::string>{"No Repeat", "Each Day"}));
  EXPECT_EQ(Items(Form33->ComboBox3), Numbered("scene", 16));
  // The link routine wrote its state over the caption at this show.
  EXPECT_EQ(Panel(0), "COM1 COM1 COM1 closed");
  SaveWindowShot(Form33, "variants/hybrid-console-en.png");
}

TEST_F(HybridConsoleTest, TheLanguageButtonStoresTheOtherLanguageForTheNextStart) {
  ShowConsole();
  Form33->BitbtnENCH->Click();
  EXPECT_NE(ReadConfigText().find("language=1"), std::string::npos);
  Form33->BitbtnENCH->Click();
  EXPECT_NE(ReadConfigText().find("language=0"), std::string::npos);
  EXPECT_EQ(Boxes(), std::vector<std::string>(2, "please restart this program !"));
  EXPECT_EQ(Form33->BitBtn1->Caption(), "连接串口/无线");
  EXPECT_EQ(Form33->BitbtnENCH->Caption(), "English");

  // While creation captions the button, a press does nothing.
  Form33->LanguageGuardHybrid = true;
  Form33->BitbtnENCH->Click();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Form33->LanguageHybrid, 0);
}

TEST_F(HybridConsoleTest, TheClockShowsTheWeekdayOfTheLanguage) {
  // A Wednesday, at noon so that every zone within eleven hours of UTC sees the same day.
  clock->SetWallMs(1'767'787'200'000);
  struct Case {
    int language;
    const char* ending;
  } cases[] = {{0, "   星期三---"}, {1, "   Wed ---"}, {2, "   Wed ---"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    ShowConsole("[config]\nlanguage=" + std::to_string(c.language) + "\n");
    RunFor(1000);
    const std::string text = Panel(2);
    ASSERT_GE(text.size(), std::string(c.ending).size());
    EXPECT_EQ(text.substr(text.size() - std::string(c.ending).size()), c.ending);
    EXPECT_EQ(text.rfind("2026/1/7 ", 0), 0u) << text;
    FinalizeForms();
    InitializeForms();
  }
}

TEST_F(HybridConsoleTest, TheStoredSkinIsAppliedAndClosingStoresTheChoiceAndEndsTheProgram) {
  ShowConsole("[SkinName]\nSkin=1\n");
  EXPECT_EQ(Form33->cbbSkin->Text(), "Blue");
  EXPECT_EQ(Form33->dxskncntrlrSkin->SkinName(), "Blue");
  SaveWindowShot(Form33, "variants/hybrid-console-blue.png");
  Connect();
  EXPECT_FALSE(peers[0].HungUp());
  Form33->cbbSkin->SetItemIndex(2);
  EXPECT_EQ(Form33->dxskncntrlrSkin->SkinName(), Form33->cbbSkin->Text());
  Form33->Close();
  Pump();
  EXPECT_TRUE(peers[0].HungUp());
  EXPECT_EQ(Form1->Comm1->PortHandle(), nullptr);
  EXPECT_EQ(Form33->ConfigFileHybrid, nullptr);
  EXPECT_TRUE(Terminated());
  EXPECT_NE(ReadConfigText().find("Skin=2"), std::string::npos) << ReadConfigText();

  // A typed name that is no item stores -1, which chooses nothing at the next start.
  Restart();
  ShowConsole(ReadConfigText());
  EXPECT_EQ(Form33->cbbSkin->ItemIndex(), 2);
  Form33->cbbSkin->SetText("NoSuchSkin");
  Form33->Close();
  Pump();
  EXPECT_NE(ReadConfigText().find("Skin=-1"), std::string::npos);
  Restart();
  ShowConsole(ReadConfigText());
  EXPECT_EQ(Form33->cbbSkin->ItemIndex(), -1);
  EXPECT_EQ(Form33->dxskncntrlrSkin->SkinName(), "Foggy");
}

TEST_F(HybridConsoleTest, WithoutASkinListCreationGoesOnAndTheStoredChoiceSurvives) {
  fs::remove(folder + "/AllSkins.skinres");
  ShowConsole("[SkinName]\nSkin=3\n");
  EXPECT_TRUE(Items(Form33->cbbSkin).empty());
  EXPECT_EQ(Form33->AdminPasswordHybrid, "5807");  // creation went on
  EXPECT_EQ(Form33->stringgrid1->RowCount(), 4);
  Form33->Close();
  Pump();
  EXPECT_NE(ReadConfigText().find("Skin=3"), std::string::npos);
}

// ---- The cell model -------------------------------------------------------------------------------

TEST_F(HybridConsoleTest, CellModelLoadsTheWallOnly) {
  ShowConsole(
      "[config]\nlanguage=1\nrow=15\ncol=15\n[hybridGeneral]\nsignalSource_row=3\nsignalSource_col=2\n"
      "[cellAddress]\n2,3=2 , 3\n15,15=local\n16,16=1 , 1\n[cellSignal]\n2,3=SDI\n[cellName]\n1,1,HDMI=Desk\n");
  const auto& addresses = *Form33->CellAddresses;
  EXPECT_EQ(addresses[1][2], "( 2 , 3 )");
  EXPECT_EQ(addresses[14][14], "local");
  EXPECT_EQ(addresses[15][15], "");
  EXPECT_EQ(Form33->CellSignals->at(1)[2], "SDI");
  EXPECT_EQ(Form33->CellNames->at(0)[0][3], "Desk");
  EXPECT_EQ(Form33->CellNames->at(0)[0][1], "VGA");
  EXPECT_EQ(Form33->SignalSourceRow, 3);
  EXPECT_EQ(Form33->SignalSourceCol, 2);
  EXPECT_FALSE(Form33->IsSignalSelected);
}

TEST_F(HybridConsoleTest, SignalSelectAndApartMode) {
  ShowConsole("[config]\nlanguage=1\nrow=3\ncol=4\n[cellAddress]\n1,1=1 , 1\n");
  Connect();
  peers[0].Drain(30);
  Form33->stringgrid1->SetSelection({2, 2, 4, 3});
  Form33->N6->Click();
  EXPECT_EQ(Form33->SignalSourceRow, 3);
  EXPECT_EQ(Form33->SignalSourceCol, 4);
  EXPECT_TRUE(Form33->IsSignalSelected);
  const std::string text = ReadConfigText();
  EXPECT_NE(text.find("signalSource_row=3"), std::string::npos);
  EXPECT_NE(text.find("signalSource_col=4"), std::string::npos);
  EXPECT_NE(text.find("isSignalSelected=1"), std::string::npos);

  // The local signal of the grid's own selection, in memory and in the file at once.
  Form33->cellSignalChange("DVI");
  EXPECT_EQ(Form33->CellSignals->at(2)[3], "DVI");
  EXPECT_EQ(Form33->CellSignals->at(0)[0], "HDMI");
  EXPECT_NE(ReadConfigText().find("3,4=DVI"), std::string::npos);

  Drag(1, 1, 2, 2);
  const std::uint64_t before = clock->NowMs();
  Form33->ApartMode1->Click();
  EXPECT_EQ(clock->NowMs() - before, 20u + 200u + 20u);  // each frame's own pause, and the wait
  EXPECT_EQ(peers[0].Receive(12), Bytes({0xC6, 0x11, 0x22, 0x8E, 0x01, 0xBB, 0xC6, 0x11, 0x22, 0x88, 0x00, 0xBB}));
  EXPECT_FALSE(Form33->IsSignalSelected);
  // The Chinese word until the next show, whatever the language; the file says "local".
  EXPECT_EQ(Form33->CellAddresses->at(0)[0], "本地");
  EXPECT_EQ(ReadConfigText().find("1 , 1"), std::string::npos);
  ShowAgain();
  EXPECT_EQ(Form33->CellAddresses->at(0)[0], "local");
}

TEST_F(HybridConsoleTest, DrawnCellsShowTheirThreeLines) {
  ShowConsole(
      "[config]\nlanguage=1\nrow=3\ncol=3\n[hybridGeneral]\nisSignalSelected=1\nsignalSource_row=1\n"
      "signalSource_col=1\n[stringgrid]\n2,2=clYellow\n3,3=noColour\n[cellAddress]\n2,3=1 , 1\n");
  TStringGrid* grid = Form33->stringgrid1;
  grid->SetSelection({3, 3, 3, 3});
  Pump();
  auto count = [&](int column, int row, std::uint32_t colour, int top, int bottom) {
    const RECT r = grid->CellRect(column, row);
    int n = 0;
    for (int y = r.top + top; y < r.top + bottom && y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += WindowPixel(grid, x, y) == colour;
    return n;
  };
  const std::uint32_t black = 0x000000, red = 0xFF0000, blue = 0x0000FF;
  // Black in the first band, red in the second, blue in the third.
  EXPECT_GT(count(2, 1, black, 5, 19), 0);
  EXPECT_GT(count(2, 1, red, 20, 34), 0);
  EXPECT_GT(count(2, 1, blue, 35, 50), 0);
  EXPECT_EQ(count(2, 1, red, 5, 19), 0);
  // The named colour fills its cell; a text that names no colour paints the default, silently.
  EXPECT_GT(count(2, 2, 0xFFFF00, 0, 4), 0);
  EXPECT_TRUE(Boxes().empty());
  // The bold source mark is wider than the regular text would be.
  EXPECT_GT(count(1, 1, black, 5, 19), 0);
  SaveWindowShot(Form33, "variants/hybrid-cells-en.png");
}

}  // namespace
