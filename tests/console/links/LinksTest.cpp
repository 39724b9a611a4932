// The grid console's links as the operator drives them: the connect and disconnect buttons, the
// communication settings window, and what reaches the screens and matrices. Three pseudo-terminals
// stand for the machine's COM1 to COM3 through the registry's device tree; a loopback listener
// stands for the network bridge.
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/CommSettings.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "console/ScreenFrame.h"
#include "dialogs/PictureParameters.h"
#include "matrix/MatrixConfig.h"
#include "platform/net/Tcp.h"
#include "platform/system/Registry.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ComPorts.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

namespace {

using Bytes = testsupport::SerialPeer::Bytes;
using namespace win;

class LinksTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    testsupport::ServeAsComPorts(peers, folder);  // COM1..COM3
    ASSERT_TRUE(bridge.Listen());
    CreateProgramWindows();
    Pump();
    Form18->ConsoleKind = ckGrid;
  }
  void TearDown() override {
    AppTest::TearDown();
    platform::SetSerialDeviceRoots("", "");
  }

  // The settings window as the operator leaves it.
  void Choose(const char* p, const char* pA, const char* pB, bool videoOwn, bool rgbOwn) {
    Form2->ComboBox1->SetText(p);
    Form2->ComboBox2->SetText(pA);
    Form2->ComboBox3->SetText(pB);
    Form2->CheckBox2->SetChecked(videoOwn);
    Form2->CheckBox3->SetChecked(rgbOwn);
  }
  void ChooseNetwork(const std::string& port) {
    Form2->rbRemote->SetCheckedValue(true);
    Form2->EditIP->SetText("127.0.0.1");
    Form2->EditPort->SetText(port);
  }
  std::string Status(TdxStatusBar* bar, int panel = 0) { return bar->Panels()->PanelAt(panel)->Text(); }
  void SelectOnGrid(int left, int top, int right, int bottom) {
    Form1->SelectionLeft = left;
    Form1->SelectionTop = top;
    Form1->SelectionRight = right;
    Form1->SelectionBottom = bottom;
  }
  // The twelve controls that follow the flags, in the order the console sets them.
  std::vector<bool> ControlStates() {
    return {Form1->N7->Enabled(),        Form1->BitBtn18->Enabled(),  Form1->BitBtn5->Enabled(),
            Form1->BitBtn6->Enabled(),   Form4->BitBtn8->Enabled(),   Form1->BitBtn9->Enabled(),
            Form1->BitBtn1->Enabled(),   Form1->BitBtn2->Enabled(),   Form1->BitBtn15->Enabled(),
            Form1->TabSheet3->TabVisible(), Form1->TabSheet4->TabVisible(), Form1->PageControl1->Visible()};
  }
  std::vector<std::string> Boxes() {
    std::vector<std::string> texts;
    for (const std::string& b : boxes) texts.push_back(b.substr(b.find('|') + 1));
    boxes.clear();
    return texts;
  }
  Bytes FromBridge(platform::TcpConnection& peer, std::size_t count) {
    Bytes got(count);
    std::size_t n = 0;
    while (n < count) {
      long r = peer.Receive(got.data() + n, count - n, 1000);
      if (r <= 0) break;
      n += static_cast<std::size_t>(r);
    }
    got.resize(n);
    return got;
  }
  void ClickOn(TControl* control) {
    ClickAt(control->ClientToScreen(POINT{control->Width() / 2, control->Height() / 2}));
  }

  testsupport::SerialPeer peers[3];
  platform::TcpListener bridge;
};

TEST_F(LinksTest, ConnectOpensThePortsTheSettingsNameAndFramesReachTheScreens) {
  Choose("COM1", "COM2", "COM3", true, true);
  for (int language : {0, 1}) {
    SCOPED_TRACE(language ? "English" : "Chinese");
    Form1->Language = language;
    Form1->BitBtn1->Click();
    EXPECT_EQ(Status(Form1->StatusBar1), language ? "COM1 COM2 COM3 opened" : "COM1 COM2 COM3 已打开");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Form18->LinkOpen, 1);
    for (TComm* port : {Form1->Comm1, Form1->Comm2, Form1->Comm3}) EXPECT_NE(port->PortHandle(), nullptr);
    for (auto& peer : peers) {
      termios t = peer.Line();
      EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));
      EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
      EXPECT_FALSE(t.c_cflag & (PARENB | CSTOPB | CRTSCTS));
      EXPECT_FALSE(t.c_iflag & (IXON | IXOFF | IXANY));
    }
    // A pseudo-terminal has no modem lines to read back; the ports are told to keep them low.
    for (TComm* port : {Form1->Comm1, Form1->Comm2, Form1->Comm3}) {
      EXPECT_EQ(port->DtrControl(), TDtrControl::DtrDisable);
      EXPECT_EQ(port->RtsControl(), TRtsControl::RtsDisable);
    }

    SelectOnGrid(1, 1, 3, 3);
    std::uint64_t before = clock->NowMs();
    Form1->SendScreenCommand(scPower, 1);
    EXPECT_EQ(clock->NowMs() - before, 20u);
    EXPECT_EQ(peers[0].Receive(6), Bytes({0xC6, 0x11, 0x33, 0x10, 0x01, 0xBB}));

    Form1->BitBtn2->Click();
    EXPECT_EQ(Status(Form1->StatusBar1), language ? "COM1 COM2 COM3 closed" : "COM1 COM2 COM3 关闭");
    EXPECT_EQ(Form18->LinkOpen, 0);
    for (TComm* port : {Form1->Comm1, Form1->Comm2, Form1->Comm3}) EXPECT_EQ(port->PortHandle(), nullptr);
    EXPECT_EQ(ControlStates(), std::vector<bool>({false, false, false, false, false, false, true, false, false,
                                                  false, false, false}));
  }
}

TEST_F(LinksTest, InEngineeringModeEachFrameIsLoggedInTheThreeConsolesInOrder) {
  Choose("COM1", "COM1", "COM1", false, false);
  Form1->BitBtn1->Click();
  std::vector<std::string> order;
  // The library's memo may report one appended line as more than one change.
  auto logged = [&](const char* console) {
    if (order.empty() || order.back() != console) order.push_back(console);
  };
  Form1->Memo1->Properties()->OnChange = [&](TObject*) { logged("grid"); };
  Form23->Memo1->OnChange = [&](TObject*) { logged("splicing"); };
  Form33->Memo1->OnChange = [&](TObject*) { logged("hybrid"); };
  SelectOnGrid(1, 1, 3, 3);
  Form1->SendScreenCommand(scPower, 1);
  EXPECT_TRUE(order.empty()) << "no log outside engineering mode";

  Form18->DebugMode = 1;
  Form1->SendScreenCommand(scPower, 1);
  EXPECT_EQ(order, std::vector<std::string>({"grid", "splicing", "hybrid"}));
  for (TStrings* log : {Form1->Memo1->Lines(), Form23->Memo1->Lines(), Form33->Memo1->Lines()})
    EXPECT_EQ(log->Strings(log->Count() - 1), "->C6,11,33,10,01,BB");

  // Every digit in the log, the low byte on the wire.
  Form1->SendScreenFrame(0xC6, 0x11, 0x33, 0x20, 300, 0xBB);
  EXPECT_EQ(Form1->Memo1->Lines()->Strings(Form1->Memo1->Lines()->Count() - 1), "->C6,11,33,20,12C,BB");
  EXPECT_EQ(peers[0].Receive(18).back(), 0xBB);
}

TEST_F(LinksTest, TheSelectionAddressedFollowsTheActiveConsole) {
  Choose("COM1", "COM1", "COM1", false, false);
  Form1->BitBtn1->Click();
  SelectOnGrid(1, 1, 1, 1);
  Form23->SelectionLeft = 2, Form23->SelectionTop = 2, Form23->SelectionRight = 2, Form23->SelectionBottom = 3;
  Form33->SelectionLeft = 3, Form33->SelectionTop = 1, Form33->SelectionRight = 4, Form33->SelectionBottom = 2;
  struct Case {
    TConsoleKind kind;
    std::uint8_t start, end;
  } cases[] = {{ckGrid, 0x11, 0x11}, {ckSplicing, 0x22, 0x23}, {ckHybrid, 0x31, 0x42}, {ckNone, 0x31, 0x42}};
  for (const Case& c : cases) {
    Form18->ConsoleKind = c.kind;
    Form1->SendScreenCommand(scStill, 1);
    EXPECT_EQ(peers[0].Receive(6), Bytes({0xC6, c.start, c.end, scStill, 0x01, 0xBB})) << "kind " << c.kind;
  }
  // The grid console falls back to no screen: no selection is the pair 00 00.
  Form18->ConsoleKind = ckGrid;
  SelectOnGrid(0, 0, 0, 0);
  Form1->SendScreenCommand(scStill, 1);
  EXPECT_EQ(peers[0].Receive(6), Bytes({0xC6, 0x00, 0x00, scStill, 0x01, 0xBB}));

  // FST, HDMI and linkage: the routing frame of the chosen input goes out in place of any command.
  SelectOnGrid(1, 1, 3, 3);
  Form1->ComboBox1->SetItemIndex(3);
  Form3->lbledtHDMIIPort->SetText("16");
  Form1->CheckBox3->SetChecked(true);  // which labels the HDMI list's make and offers its inputs
  Form1->Label7->SetCaption("FST");
  Form1->ComboBox8->SetItemIndex(4);
  Form1->SendScreenCommand(scPower, 1);
  EXPECT_EQ(peers[0].Receive(6), Bytes({0xD6, 0x11, 0x33, 0x01, 0x05, 0xD6}));
  Form1->CheckBox3->SetChecked(false);
  Form1->SendScreenCommand(scPower, 1);
  EXPECT_EQ(peers[0].Receive(6), Bytes({0xC6, 0x11, 0x33, scPower, 0x01, 0xBB}));
}

TEST_F(LinksTest, ConflictAndOpenFailureAreReportedAndLeaveWhatTheyMust) {
  // One own port for both matrices: the message, and nothing else changes.
  Choose("COM1", "COM2", "COM2", true, true);
  std::vector<bool> before = ControlStates();
  Form1->BitBtn1->Click();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"视频、RGB矩阵串口冲突"});
  EXPECT_EQ(Form18->LinkOpen, 0);
  EXPECT_EQ(ControlStates(), before);
  EXPECT_EQ(Status(Form1->StatusBar1), "COM1 COM2 COM2 已打开");
  SelectOnGrid(1, 1, 1, 1);
  Form1->SendScreenCommand(scStill, 1);
  EXPECT_EQ(peers[0].Receive(6), Bytes({0xC6, 0x11, 0x11, scStill, 0x01, 0xBB}));

  // A port that maps to no device: reported by name, the rest open and deliver.
  Form1->BitBtn2->Click();
  Choose("COM1", "COM9", "COM3", true, true);
  Form1->BitBtn1->Click();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"打开COM9错误，请确认该串口是否存在或被其他程序占用！"});
  EXPECT_EQ(Status(Form1->StatusBar1), "COM9 错误!");
  EXPECT_EQ(Form18->LinkOpen, 0);
  const std::uint8_t rgb[] = {'R', 'G', 'B'};
  Form1->WriteRgbMatrix(rgb, 3);
  EXPECT_EQ(peers[2].Receive(3), Bytes({'R', 'G', 'B'}));
  Form1->WriteVideoMatrix(rgb, 3);
  EXPECT_TRUE(peers[1].Drain(50).empty()) << "port A is not open: its bytes are dropped";
}

TEST_F(LinksTest, MatrixBytesTakeThePortTheSettingsGive) {
  struct Case {
    const char *p, *pA, *pB;
    bool videoOwn, rgbOwn;
    int videoPeer, rgbPeer;
  } cases[] = {
      {"COM1", "COM1", "COM1", true, true, 0, 0},   // A and B named as the screen port
      {"COM1", "COM2", "COM3", true, true, 1, 2},   // own ports
      {"COM1", "COM2", "COM3", false, false, 0, 0}, // own ports not ticked
      {"COM1", "COM2", "COM2", false, true, 0, 1},  // B = A with port A closed: port B, on the same line
  };
  const std::uint8_t bytes[] = {0xAA, 0x00, 0x03, 0x05, 0x07, 0xFF};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.p) + " " + c.pA + " " + c.pB);
    Choose(c.p, c.pA, c.pB, c.videoOwn, c.rgbOwn);
    Form1->BitBtn1->Click();
    Form1->WriteVideoMatrix(bytes, 6);
    EXPECT_EQ(peers[c.videoPeer].Receive(6), Bytes(bytes, bytes + 6));
    Form1->WriteRgbMatrix(bytes, 2);
    EXPECT_EQ(peers[c.rgbPeer].Receive(2), Bytes(bytes, bytes + 2));
    for (auto& peer : peers) EXPECT_TRUE(peer.Drain(20).empty());
    Form1->BitBtn2->Click();
  }
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(LinksTest, TheNetworkLinkConnectsOnceAndCarriesEveryByteUnchanged) {
  ChooseNetwork(std::to_string(bridge.Port()));
  Form1->BitBtn1->Click();
  platform::TcpConnection peer;
  ASSERT_TRUE(bridge.Accept(peer, 2000));
  std::string where = "127.0.0.1:" + std::to_string(bridge.Port());
  EXPECT_EQ(Status(Form1->StatusBar1), "无线地址:" + where + " 已连接");
  EXPECT_EQ(Form18->LinkOpen, 1);

  SetLinkStatus(Form1->StatusBar1, "untouched");
  Form1->BitBtn1->Click();
  EXPECT_EQ(Status(Form1->StatusBar1), "untouched") << "a connected client is left alone";

  SelectOnGrid(1, 1, 3, 3);
  Form1->SendScreenCommand(scPower, 1);
  const std::uint8_t matrix[] = {0x01, 0x02, 0x03};
  Form1->WriteVideoMatrix(matrix, 3);
  Form1->WriteRgbMatrix(matrix, 2);
  EXPECT_EQ(FromBridge(peer, 11), Bytes({0xC6, 0x11, 0x33, 0x10, 0x01, 0xBB, 1, 2, 3, 1, 2}));
  for (auto& p : peers) EXPECT_TRUE(p.Drain(10).empty());

  Form1->BitBtn2->Click();
  EXPECT_EQ(Status(Form1->StatusBar1), "无线地址:" + where + " 关闭");
  EXPECT_EQ(Form18->LinkOpen, 0);

  // Nobody listening: the failure in both languages.
  bridge.Close();
  for (int language : {0, 1}) {
    Form1->Language = language;
    Form1->BitBtn1->Click();
    EXPECT_EQ(Boxes(), std::vector<std::string>{language ? "Connect Failed" : "连接失败"});
    EXPECT_EQ(Status(Form1->StatusBar1),
              (language ? "RemoteAddr:" : "无线地址:") + where + (language ? " Disconnect" : " 关闭"));
    EXPECT_EQ(Form18->LinkOpen, 0);
  }
}

TEST_F(LinksTest, ControlStatesFollowTheFlags) {
  struct Case {
    std::uint8_t admin, link, debug;
    std::vector<bool> states;
  } cases[] = {
      {0, 0, 0, {false, false, false, false, false, false, true, false, false, false, false, false}},
      {1, 0, 0, {true, true, false, false, false, false, true, false, false, false, false, false}},
      {0, 1, 0, {false, false, true, true, true, true, false, true, true, false, false, false}},
      {0, 0, 1, {false, false, false, false, false, false, true, false, false, true, true, true}},
      {1, 1, 1, {true, true, true, true, true, true, false, true, true, true, true, true}},
  };
  for (const Case& c : cases) {
    Form18->AdminLoggedIn = c.admin;
    Form18->LinkOpen = c.link;
    Form18->DebugMode = c.debug;
    Form1->UpdateControlStates();
    EXPECT_EQ(ControlStates(), c.states) << int(c.admin) << int(c.link) << int(c.debug);
  }
}

}  // namespace
