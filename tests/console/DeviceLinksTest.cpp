#include "console/DeviceLinks.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/classes/Forms.h"
#include "platform/net/Tcp.h"
#include "platform/system/Clock.h"
#include "tests/support/SerialPeer.h"

namespace {

using Bytes = testsupport::SerialPeer::Bytes;

std::vector<std::string>* gBoxes = nullptr;

int RecordingMessageBox(win::HWND, const String& Text, const String&, int) {
  if (gBoxes) gBoxes->push_back(Text);
  return 1;
}

// Three serial peers named COM1..COM3 by the settings, a bridge listening on loopback, and the
// four links as the grid console holds them.
class DeviceLinksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitializeForms();
    gBoxes = &boxes;
    TApplication::SetMessageBoxFunc(RecordingMessageBox);
    TComm** ports[] = {&screen, &video, &rgb};
    for (int i = 0; i < 3; ++i) {
      ASSERT_FALSE(peers[i].PortName().empty());
      *ports[i] = new TComm(nullptr);
      owned.emplace_back(*ports[i]);
      (*ports[i])->SetDtrControl(TDtrControl::DtrDisable);
      (*ports[i])->SetRtsControl(TRtsControl::RtsDisable);
      (*ports[i])->SetOutx_XonXoffFlow(false);
      (*ports[i])->SetInx_XonXoffFlow(false);
    }
    client = std::make_unique<TTcpClient>(nullptr);
    links = {screen, video, rgb, client.get()};
    ASSERT_TRUE(bridge.Listen());
    settings.Address = "127.0.0.1";
    settings.Port = std::to_string(bridge.Port());
    console.SetStatus = [this](const String& s) { status.push_back(s); };
    console.LinkOpen = &linkOpen;
    console.Refresh = [this] { ++refreshes; };
  }
  void TearDown() override {
    owned.clear();
    client.reset();
    TApplication::SetMessageBoxFunc(nullptr);
    gBoxes = nullptr;
    FinalizeForms();
  }

  // The port names the settings give COM1..COM3, set on the ports as the connect button does.
  void NamePorts(const char* p, const char* pA, const char* pB) {
    settings.ScreenPort = p;
    settings.VideoPort = pA;
    settings.RgbPort = pB;
    TComm* ports[] = {screen, video, rgb};
    const char* names[] = {p, pA, pB};
    for (int i = 0; i < 3; ++i) ports[i]->SetCommName(DeviceOf(names[i]));
  }
  std::string DeviceOf(const std::string& com) {
    if (com.size() == 4 && com.rfind("COM", 0) == 0 && com[3] >= '1' && com[3] <= '3')
      return peers[com[3] - '1'].PortName();
    return "//./dev/pts/999999";  // no such device
  }
  testsupport::SerialPeer& Peer(const std::string& com) { return peers[com[3] - '1']; }

  platform::ScopedVirtualClock clock;
  testsupport::SerialPeer peers[3];
  std::vector<std::unique_ptr<TComm>> owned;
  TComm* screen = nullptr;
  TComm* video = nullptr;
  TComm* rgb = nullptr;
  std::unique_ptr<TTcpClient> client;
  platform::TcpListener bridge;
  TDeviceLinks links;
  TLinkSettings settings;
  TLinkConsole console;
  std::uint8_t linkOpen = 0;
  int refreshes = 0;
  std::vector<std::string> status;
  std::vector<std::string> boxes;
};

TEST_F(DeviceLinksTest, ConnectOpensTheChosenPortsAndDisconnectClosesThem) {
  for (bool english : {false, true}) {
    SCOPED_TRACE(english ? "English" : "Chinese");
    console.English = english;
    status.clear();
    NamePorts("COM1", "COM2", "COM3");
    settings.VideoOwnPort = settings.RgbOwnPort = true;
    OpenDeviceLink(links, settings, console, true);
    EXPECT_EQ(status, std::vector<std::string>{english ? "COM1 COM2 COM3 opened" : "COM1 COM2 COM3 已打开"});
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(linkOpen, 1);
    for (TComm* port : {screen, video, rgb}) EXPECT_NE(port->PortHandle(), nullptr);
    for (auto& peer : peers) {
      termios t = peer.Line();
      EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));
      EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
      EXPECT_FALSE(t.c_cflag & (PARENB | CSTOPB | CRTSCTS));
      EXPECT_FALSE(t.c_iflag & (IXON | IXOFF));
    }

    // Connecting again leaves open ports as they are and counts them as opened.
    OpenDeviceLink(links, settings, console, true);
    EXPECT_EQ(linkOpen, 1);

    OpenDeviceLink(links, settings, console, false);
    EXPECT_EQ(status.back(), english ? "COM1 COM2 COM3 closed" : "COM1 COM2 COM3 关闭");
    EXPECT_EQ(linkOpen, 0);
    for (TComm* port : {screen, video, rgb}) EXPECT_EQ(port->PortHandle(), nullptr);
  }
  EXPECT_EQ(refreshes, 6);
}

TEST_F(DeviceLinksTest, APortThatFailsIsReportedAndTheOthersStillOpen) {
  NamePorts("COM1", "COM9", "COM3");
  settings.VideoOwnPort = settings.RgbOwnPort = true;
  for (bool english : {false, true}) {
    console.English = english;
    boxes.clear();
    status.clear();
    OpenDeviceLink(links, settings, console, true);
    EXPECT_EQ(boxes, std::vector<std::string>{english ? "openCOM9error，please check it！"
                                                       : "打开COM9错误，请确认该串口是否存在或被其他程序占用！"});
    EXPECT_EQ(status.back(), english ? "COM9 error!" : "COM9 错误!");
    EXPECT_EQ(linkOpen, 0);
    EXPECT_EQ(video->PortHandle(), nullptr);
    EXPECT_NE(screen->PortHandle(), nullptr);
    EXPECT_NE(rgb->PortHandle(), nullptr);
  }
  // Ports that opened deliver, although the link counts as closed.
  const std::uint8_t bytes[] = {1, 2, 3};
  WriteRgbMatrix(links, settings, bytes, 3);
  EXPECT_EQ(Peer("COM3").Receive(3), Bytes({1, 2, 3}));

  // The hybrid console's texts end in a plain exclamation mark.
  console.Texts = kHybridLinkTexts;
  boxes.clear();
  OpenDeviceLink(links, settings, console, true);
  EXPECT_EQ(boxes, std::vector<std::string>{"openCOM9error，please check it!"});
}

TEST_F(DeviceLinksTest, OneOwnPortForBothMatricesEndsTheConnectAtOnce) {
  NamePorts("COM1", "COM2", "COM2");
  settings.VideoOwnPort = settings.RgbOwnPort = true;
  linkOpen = 1;  // whatever it was, it stays
  OpenDeviceLink(links, settings, console, true);
  EXPECT_EQ(boxes, std::vector<std::string>{"视频、RGB矩阵串口冲突"});
  EXPECT_EQ(status, std::vector<std::string>{"COM1 COM2 COM2 已打开"});
  EXPECT_EQ(linkOpen, 1);
  EXPECT_EQ(refreshes, 0);
  EXPECT_EQ(video->PortHandle(), nullptr);
  EXPECT_EQ(rgb->PortHandle(), nullptr);

  // The screen port, opened first, stays open and delivers.
  SendFrameOnScreenLink(links, settings, {0xC6, 0x11, 0x11, 0x10, 0x01, 0xBB}, false, {});
  EXPECT_EQ(Peer("COM1").Receive(6), Bytes({0xC6, 0x11, 0x11, 0x10, 0x01, 0xBB}));

  // With port A already open there is no test: port B then opens the same line a second time,
  // which fails as any busy port does.
  video->OpenPort();
  boxes.clear();
  OpenDeviceLink(links, settings, console, true);
  EXPECT_EQ(boxes, std::vector<std::string>{"打开COM2错误，请确认该串口是否存在或被其他程序占用！"});
  EXPECT_EQ(linkOpen, 0);
}

TEST_F(DeviceLinksTest, MatrixWritersTakeTheLinkTheSettingsName) {
  struct Case {
    const char *p, *pA, *pB;
    bool videoOwn, rgbOwn, openVideo;
    const char *video, *rgbPeer;  // the peer that receives each writer's bytes
  } cases[] = {
      {"COM1", "COM1", "COM1", true, true, false, "COM1", "COM1"},   // A and B are the screen port
      {"COM1", "COM2", "COM3", false, false, false, "COM1", "COM1"}, // own ports not ticked
      {"COM1", "COM2", "COM3", true, true, true, "COM2", "COM3"},    // own ports
      {"COM1", "COM2", "COM2", false, true, true, "COM1", "COM2"},   // B = A with port A open: port A
      {"COM1", "COM2", "COM2", false, true, false, "COM1", "COM2"},  // B = A, port A closed: port B
  };
  const std::uint8_t bytes[] = {0xAA, 0x00, 0x03, 0x05, 0x07, 0xFF};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.p) + " " + c.pA + " " + c.pB + (c.openVideo ? " A open" : ""));
    NamePorts(c.p, c.pA, c.pB);
    settings.VideoOwnPort = c.videoOwn;
    settings.RgbOwnPort = c.rgbOwn;
    screen->OpenPort();
    if (c.openVideo) video->OpenPort();
    if (std::string(c.pB) != c.p && !(c.openVideo && std::string(c.pB) == c.pA)) rgb->OpenPort();
    WriteVideoMatrix(links, settings, bytes, 6);
    EXPECT_EQ(Peer(c.video).Receive(6), Bytes(bytes, bytes + 6));
    WriteRgbMatrix(links, settings, bytes, 3);
    EXPECT_EQ(Peer(c.rgbPeer).Receive(3), Bytes(bytes, bytes + 3));
    for (auto& peer : peers) EXPECT_TRUE(peer.Drain(20).empty());
    for (TComm* port : {screen, video, rgb}) port->ClosePort();
  }

  // A matrix port that is not open takes its bytes silently.
  NamePorts("COM1", "COM2", "COM3");
  settings.VideoOwnPort = true;
  WriteVideoMatrix(links, settings, bytes, 6);
  EXPECT_TRUE(Peer("COM2").Drain(20).empty());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(DeviceLinksTest, FramesGoOutByteForByteWithTheirPauseAndLog) {
  NamePorts("COM1", "COM2", "COM3");
  OpenDeviceLink(links, settings, console, true);
  TStringList grid, splicing, hybrid;
  std::uint64_t before = clock->NowMs();
  SendFrameOnScreenLink(links, settings, {0xC6, 0x11, 0x33, 0x10, 0x01, 0xBB}, true, {&grid, &splicing, &hybrid});
  EXPECT_EQ(clock->NowMs() - before, 20u);
  EXPECT_EQ(Peer("COM1").Receive(6), Bytes({0xC6, 0x11, 0x33, 0x10, 0x01, 0xBB}));
  for (TStringList* log : {&grid, &splicing, &hybrid}) {
    ASSERT_EQ(log->Count(), 1);
    EXPECT_EQ(log->Strings(0), "->C6,11,33,10,01,BB");
  }

  // The wire carries low bytes, the log every digit.
  SendFrameOnScreenLink(links, settings, {0xC6, 300, 0x33, 0x10, -1, 0xBB}, true, {&grid});
  EXPECT_EQ(Peer("COM1").Receive(6), Bytes({0xC6, 0x2C, 0x33, 0x10, 0xFF, 0xBB}));
  EXPECT_EQ(grid.Strings(1), "->C6,12C,33,10,FFFFFFFF,BB");

  // Outside engineering mode nothing is logged.
  SendFrameOnScreenLink(links, settings, {0xC6, 0, 0, 0x5A, 1, 0xBB}, false, {&grid});
  EXPECT_EQ(grid.Count(), 2);
  EXPECT_EQ(clock->NowMs() - before, 60u);
}

TEST_F(DeviceLinksTest, TheNetworkLinkConnectsOnceAndCarriesFramesAndMatrixBytesUnchanged) {
  settings.Serial = false;
  for (bool english : {false, true}) {
    console.English = english;
    status.clear();
    OpenNetworkLink(links, settings, console, true);
    platform::TcpConnection peer;
    ASSERT_TRUE(bridge.Accept(peer, 2000));
    std::string where = "127.0.0.1:" + settings.Port;
    EXPECT_EQ(status, std::vector<std::string>{english ? "RemoteAddr:" + where + " Connected"
                                                       : "无线地址:" + where + " 已连接"});
    EXPECT_EQ(linkOpen, 1);

    // Connected already: nothing changes, not even the status.
    OpenNetworkLink(links, settings, console, true);
    EXPECT_EQ(status.size(), 1u);
    platform::TcpConnection second;
    EXPECT_FALSE(bridge.Accept(second, 50));

    SendFrameOnScreenLink(links, settings, {0xC6, 0x11, 0x33, 0x10, 0x01, 0xBB}, false, {});
    const std::uint8_t matrix[] = {'P', 'V', '0', '1', 0x00, 0xFF};
    WriteVideoMatrix(links, settings, matrix, 6);
    WriteRgbMatrix(links, settings, matrix, 4);
    std::uint8_t got[16] = {};
    long n = 0;
    for (int i = 0; i < 10 && n < 16; ++i) {
      long r = peer.Receive(got + n, 16 - n, 200);
      if (r <= 0) break;
      n += r;
    }
    EXPECT_EQ(Bytes(got, got + n), Bytes({0xC6, 0x11, 0x33, 0x10, 0x01, 0xBB, 'P', 'V', '0', '1', 0x00, 0xFF, 'P',
                                          'V', '0', '1'}));

    OpenNetworkLink(links, settings, console, false);
    EXPECT_EQ(status.back(), english ? "RemoteAddr:" + where + " Disconnect" : "无线地址:" + where + " 关闭");
    EXPECT_EQ(linkOpen, 0);
    EXPECT_FALSE(client->Active());
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(DeviceLinksTest, ARefusedConnectionIsReported) {
  settings.Serial = false;
  settings.Port = std::to_string(bridge.Port());
  bridge.Close();  // nobody listens there now
  for (bool english : {false, true}) {
    console.English = english;
    boxes.clear();
    OpenNetworkLink(links, settings, console, true);
    EXPECT_EQ(boxes, std::vector<std::string>{english ? "Connect Failed" : "连接失败"});
    EXPECT_EQ(status.back(), (english ? "RemoteAddr:127.0.0.1:" : "无线地址:127.0.0.1:") + settings.Port +
                                 (english ? " Disconnect" : " 关闭"));
    EXPECT_EQ(linkOpen, 0);
  }
  console.Texts = kHybridLinkTexts;
  console.English = true;
  OpenNetworkLink(links, settings, console, false);
  EXPECT_EQ(status.back(), "RemoteAddr:127.0.0.1:" + settings.Port + " Closed");
}

}  // namespace
