// The splice, the single display and the matrix linkage as the operator drives them on the grid
// console: what reaches the screens and the matrices, how long the console pauses on the virtual
// clock, and what the cells and lists show. Pseudo-terminals stand for COM1 to COM3, a loopback
// listener for the network bridge.
#include <chrono>
#include <functional>
#include <map>
#include <fstream>
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/CommSettings.h"
#include "console/DeviceLinks.h"
#include "console/GridConsole.h"
#include "matrix/MatrixConfig.h"
#include "matrix/MatrixEngine.h"
#include "matrix/SwitchCommands.h"
#include "platform/net/Tcp.h"
#include "platform/system/Registry.h"
#include "tests/app/AppFixture.h"
#include "tests/console/links/GridConsoleFixture.h"
#include "variants/HybridConsole.h"

namespace {

using Bytes = testsupport::SerialPeer::Bytes;
using namespace win;

enum { kVideo, kVga, kDvi, kHdmi, kSdi, kYuv, kVideo2 };

class SpliceTest : public testsupport::GridConsoleTest {
 protected:
  void SetUp() override {
    GridConsoleTest::SetUp();
    ASSERT_TRUE(bridge.Listen());
  }

  void Select(int left, int top, int right, int bottom) {
    Form1->stringgrid1->SetSelection({left, top, right, bottom});
  }
  // The signal type as the operator picks it, with the make of its list at `make`.
  void Pick(int type, TcxComboBox* makes = nullptr, int make = 0) {
    if (makes) makes->SetItemIndex(make);
    Form1->ComboBox4->SetItemIndex(-1);
    Form1->ComboBox4->SetItemIndex(type);
  }
  void Linkage(bool on) {
    Form1->CheckBox3->SetChecked(on);
    Form1->ComboBox8->SetItemIndex(4);  // input 5
  }
  std::string Cell(int c, int r) { return Form1->stringgrid1->Cells(c, r); }

  platform::TcpListener bridge;
};


TEST_F(SpliceTest, SpliceLabelsTheCellsAndSendsTheScreenCommandThenPauses) {
  ShowConsole();
  OpenSerial();
  Pick(kVga);
  Linkage(false);
  Order(0);
  Select(1, 1, 2, 2);
  EXPECT_EQ(Elapsed([&] { ClickOn(Form1->BitBtn8); }), 20u + 100u);
  EXPECT_EQ(peers[0].Receive(6), Bytes({0xC6, 0x11, 0x22, 0x20, 0x01, 0xBB}));
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(Cell(c, r), c <= 2 && r <= 2 ? "VGA" : "") << c << "," << r;
  EXPECT_EQ(Form1->SelectionRight, 2);
  EXPECT_EQ(Form1->MatrixInput, 5);
  EXPECT_TRUE(QuietEverywhere());

  // Another send order labels the cells and sends nothing.
  Order(-1);
  Pick(kDvi);
  EXPECT_EQ(Elapsed([&] { ClickOn(Form1->BitBtn8); }), 0u);
  EXPECT_EQ(Cell(2, 2), "DVI");
  EXPECT_TRUE(QuietEverywhere());
  EXPECT_TRUE(boxes.empty());
  SaveWindowShot(Form1, "console/grid-console-splice.png");
}

TEST_F(SpliceTest, SingleDisplaySendsEachScreenItsOwnFrameAndStoresTheSignal) {
  ShowConsole("[wait]\nsleep=1\n");
  OpenSerial();
  Pick(kHdmi);
  Select(1, 1, 2, 2);
  Form1->SelectionLeft = 7;  // the single display leaves the wall selection alone
  EXPECT_EQ(Elapsed([&] { ClickOn(Form1->BitBtn10); }), 4u * 21u);
  Bytes expected;
  for (std::uint8_t a : {0x11, 0x21, 0x12, 0x22}) expected.insert(expected.end(), {0xC6, a, a, 0x20, 0x03, 0xBB});
  EXPECT_EQ(peers[0].Receive(24), expected);
  EXPECT_EQ(ConfigValue("setting", "signalindex"), "3");
  EXPECT_EQ(Cell(2, 2), "HDMI");
  EXPECT_EQ(Form1->SelectionLeft, 7);
  EXPECT_TRUE(QuietEverywhere());
}

TEST_F(SpliceTest, FstModeSendsTheRoutingFrameAndNoMatrixCommands) {
  ShowConsole();
  OpenSerial();
  Pick(kHdmi);
  Linkage(true);
  Form1->Label7->SetCaption("FST");
  Order(0);
  Select(1, 1, 3, 2);
  EXPECT_EQ(Elapsed([&] { ClickOn(Form1->BitBtn8); }), 120u);
  EXPECT_EQ(peers[0].Receive(6), Bytes({0xD6, 0x11, 0x32, 0x01, 0x05, 0xD6}));
  EXPECT_EQ(Cell(3, 2), "HDMI5");
  EXPECT_TRUE(QuietEverywhere());

  ClickOn(Form1->BitBtn10);
  Bytes six;
  for (int i = 0; i < 6; ++i) six.insert(six.end(), {0xD6, 0x11, 0x32, 0x00, 0x05, 0xD6});
  EXPECT_EQ(peers[0].Receive(36), six);
  EXPECT_TRUE(QuietEverywhere());
}

TEST_F(SpliceTest, LinkedCellsAreNamedAfterTheRoutedInput) {
  ShowConsole("[setting]\nsignalindex=2\nlinkage=1\n[maxtixname]\n0=Cam A\n");
  Select(1, 1, 1, 2);
  Order(-1);
  Form1->ComboBox8->SetItemIndex(0);
  ClickOn(Form1->BitBtn8);
  EXPECT_EQ(Cell(1, 1), "DVICam A");
  EXPECT_EQ(Cell(1, 2), "DVICam A");
  SaveWindowShot(Form1, "console/grid-console-linked-splice.png");
  // VIDEO names the input the linkage routes; VGA and VIDEO2 stay plain.
  struct Case { int type; const char* cell; } cases[] = {
      {kVideo, "VIDEOCam A"}, {kVga, "VGA"}, {kHdmi, "HDMICam A"}, {kSdi, "SDICam A"}, {kYuv, "YUVCam A"}, {kVideo2, "VIDEO2"}};
  for (const Case& c : cases) {
    Pick(c.type);
    ClickOn(Form1->BitBtn8);
    EXPECT_EQ(Cell(1, 1), c.cell);
  }
  Linkage(false);
  Pick(kHdmi);
  ClickOn(Form1->BitBtn8);
  EXPECT_EQ(Cell(1, 1), "HDMI");
}

TEST_F(SpliceTest, NativeSceneMakesOnlyKeepTheScenesBooks) {
  ShowConsole();
  OpenSerial();
  Linkage(true);
  Order(0);
  Select(1, 1, 2, 2);
  for (auto [type, make] : {std::pair{kHdmi, "SISO"}, std::pair{kVga, "VGA15"}}) {
    Pick(type);
    Form1->Label7->SetCaption(make);
    Form1->Recording = false;
    Form1->RecordedSpliceCount = 0;
    Form1->RecordedSplices = "";
    EXPECT_EQ(Elapsed([&] { ClickOn(Form1->BitBtn8); }), 0u);
    EXPECT_EQ(Cell(1, 1), "");
    EXPECT_EQ(Form1->RecordedSpliceCount, 0);

    Form1->Recording = true;
    ClickOn(Form1->BitBtn8);
    EXPECT_EQ(Form1->RecordedSpliceCount, 1);
    EXPECT_EQ(Form1->RecordedSplices, "1,1,2,2,5,");
    EXPECT_EQ(Form1->MatrixInput, 5);

    Form1->Replaying = true;
    Form1->ReplayCountdown = 2;
    ClickOn(Form1->BitBtn8);
    EXPECT_EQ(Form1->ReplayCountdown, 1);
    EXPECT_TRUE(Form1->Replaying);
    ClickOn(Form1->BitBtn8);
    EXPECT_EQ(Form1->ReplayCountdown, 0);
    EXPECT_FALSE(Form1->Replaying);
    EXPECT_EQ(Form1->RecordedSpliceCount, 1) << "replayed splices are not recorded";
    EXPECT_EQ(Cell(1, 1), "");
  }
  EXPECT_TRUE(QuietEverywhere());
}

TEST_F(SpliceTest, AFirstPauseThatIsNoNumberStopsTheSpliceWhereItStands) {
  ShowConsole();
  OpenSerial();
  Pick(kVga, Form3->ComboBox4, 0);  // CREATEK: "input V output ."
  Linkage(true);
  Select(1, 1, 1, 1);
  Order(0, "abc");
  ClickOn(Form1->BitBtn8);
  EXPECT_EQ(peers[0].Receive(6), Bytes({0xC6, 0x11, 0x11, 0x20, 0x01, 0xBB}));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("'abc' is not a valid integer value"), std::string::npos) << boxes[0];
  EXPECT_TRUE(QuietEverywhere());

  boxes.clear();
  Order(1, "abc");
  ClickOn(Form1->BitBtn8);
  EXPECT_EQ(peers[2].Receive(4), Text("5V1."));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("'abc' is not a valid integer value"), std::string::npos) << boxes[0];
  EXPECT_TRUE(QuietEverywhere()) << "the screens get nothing after the failed pause";
}

TEST_F(SpliceTest, NegativePausesPauseNothing) {
  ShowConsole("[wait]\nsleep=-5\n");
  OpenSerial();
  Pick(kVga, Form3->ComboBox4, 0);
  Linkage(true);
  Select(1, 1, 2, 1);
  Order(0, "-1", "-100");
  EXPECT_EQ(Elapsed([&] { ClickOn(Form1->BitBtn8); }), 20u);
  EXPECT_EQ(peers[2].Receive(8), Text("5V1.5V2."));
  EXPECT_EQ(Elapsed([&] { ClickOn(Form1->BitBtn10); }), 2u * 20u);
  EXPECT_EQ(Elapsed([] { BlockingPause(-1); }), 0u);
  EXPECT_EQ(Elapsed([] { BlockingPause(5'000'000'000); }), 5'000'000'000u) << "longer than one clock sleep";
}

TEST_F(SpliceTest, ALinkedSpliceTakesItsPausesOnTheVirtualClock) {
  ShowConsole("", 4);
  OpenSerial();
  Pick(kVga, Form3->ComboBox4, 0);
  Linkage(true);
  Form3->RadioGroup1->SetItemIndex(0);  // the stored pauses: 100 and 100
  Select(1, 1, 4, 4);
  const auto realStart = std::chrono::steady_clock::now();
  EXPECT_EQ(Elapsed([&] { ClickOn(Form1->BitBtn8); }), 20u + 100u + 16u * 100u);
  std::string routed;
  for (int output = 1; output <= 16; ++output) routed += "5V" + std::to_string(output) + ".";
  EXPECT_EQ(peers[2].Receive(routed.size()), Text(routed));
  EXPECT_LT(std::chrono::steady_clock::now() - realStart, std::chrono::milliseconds(900)) << "no real sleeping";
}

// What the engine receives, read back from the bytes of a make whose text names output and input.
class LinkageTest : public SpliceTest {
 protected:
  void SetUp() override {
    SpliceTest::SetUp();
    ShowConsole();
    OpenSerial();
    Form3->ComboBox3->SetItemIndex(14);  // AV05: "*" input "V" output "#", on port A
    Form3->ComboBox4->SetItemIndex(0);   // CREATEK: input "V" output ".", on port B
    Form3->ComboBox7->SetItemIndex(3);   // CREATEK
    Pick(kVga);
    Linkage(true);
    Form3->LabeledEdit5->SetText("30");
  }
  // Runs the linkage and returns the outputs switched, from 0, and the time it took.
  std::pair<std::vector<int>, std::uint64_t> Link() {
    const std::uint64_t ms = Elapsed([&] { Form1->LinkMatrixToSelection(); });
    std::vector<int> outputs;
    const bool video = Form1->ComboBox1->ItemIndex() == kVideo;
    // The port writes from its own thread: a marker sent after the linkage arrives after all of
    // it, however late the thread runs on a loaded machine.
    static const char kMarker[] = "|end|";
    (video ? Form1->Comm2 : Form1->Comm3)->SendData(kMarker, sizeof kMarker - 1);
    std::string got;
    testsupport::SerialPeer& peer = peers[video ? 1 : 2];
    while (got.find(kMarker) == std::string::npos) {
      const Bytes b = peer.Receive(1, 2000);
      if (b.empty()) break;
      got.append(b.begin(), b.end());
    }
    EXPECT_NE(got.find(kMarker), std::string::npos) << "the marker never came";
    got.erase(got.find(kMarker) == std::string::npos ? got.size() : got.find(kMarker));
    for (std::size_t at = 0; (at = got.find('V', at)) != std::string::npos; ++at)
      outputs.push_back(std::stoi(got.substr(at + 1)) - 1);
    return {outputs, ms};
  }
  void Wire(TStringGrid* grid, TcxCheckBox* box, int c, int r, const char* cell) {
    box->SetChecked(true);
    grid->SetCells(c, r, cell);
  }
  void Selection(int left, int top, int right, int bottom) {
    Form1->SelectionLeft = left, Form1->SelectionTop = top, Form1->SelectionRight = right, Form1->SelectionBottom = bottom;
    Form1->MatrixInput = 5;
  }
};

TEST_F(LinkageTest, EachScreenOfTheSelectionGetsItsOutputThenAPause) {
  Selection(2, 2, 3, 2);
  EXPECT_EQ(Link(), std::make_pair(std::vector<int>{4, 5}, std::uint64_t{60}));
  Selection(1, 1, 2, 2);
  EXPECT_EQ(Link().first, (std::vector<int>{0, 1, 3, 4})) << "rows are the outer loop";
  Selection(2, 1, 1, 1);
  EXPECT_EQ(Link(), std::make_pair(std::vector<int>{}, std::uint64_t{0}));
}

TEST_F(LinkageTest, ManualWiringTakesTheOutputFromTheBlocksGrid) {
  Selection(2, 2, 3, 2);
  Wire(Form3->StringGrid2, Form3->CheckBox2, 1, 1, "7");
  Wire(Form3->StringGrid2, Form3->CheckBox2, 2, 1, "0");
  EXPECT_EQ(Link(), std::make_pair(std::vector<int>{6}, std::uint64_t{30}));
  // A screen wired to no output routes nothing, however its zero is written.
  for (const char* none : {"00", "", "-0"}) {
    Form3->StringGrid2->SetCells(2, 1, none);
    EXPECT_EQ(Link(), std::make_pair(std::vector<int>{6}, std::uint64_t{30})) << "'" << none << "'";
  }
  Form3->StringGrid2->SetCells(2, 1, "9");
  Pick(kVideo);  // VIDEO routes through the VGA block
  EXPECT_EQ(Link().first, (std::vector<int>{6, 8}));
  Pick(kHdmi);
  EXPECT_EQ(Link().first, (std::vector<int>{4, 5})) << "the DVI grid's box is not ticked";
  Wire(Form3->StringGrid3, Form3->CheckBox3, 1, 1, "3");
  Wire(Form3->StringGrid3, Form3->CheckBox3, 2, 1, "2");
  EXPECT_EQ(Link().first, (std::vector<int>{2, 1}));
}

TEST_F(LinkageTest, NothingIsRoutedForVideo2OrWithTheLinkageOff) {
  Selection(1, 1, 3, 3);
  Pick(kVideo2);
  EXPECT_EQ(Link(), std::make_pair(std::vector<int>{}, std::uint64_t{0}));
  Pick(kVga);
  Linkage(false);
  EXPECT_EQ(Link(), std::make_pair(std::vector<int>{}, std::uint64_t{0}));
  EXPECT_TRUE(QuietEverywhere());
}

TEST_F(LinkageTest, AWiringCellOrSecondPauseThatIsNoNumberStopsAfterTheScreensBefore) {
  Selection(1, 1, 3, 1);
  // (The conversion reads "x7" as hexadecimal 7.)
  Wire(Form3->StringGrid2, Form3->CheckBox2, 1, 0, "7x");
  Form3->RadioGroup1->SetItemIndex(1);
  Form1->stringgrid1->SetSelection({1, 1, 3, 1});
  ClickOn(Form1->BitBtn8);
  EXPECT_EQ(peers[2].Receive(4), Text("5V1."));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("'7x' is not a valid integer value"), std::string::npos) << boxes[0];
  EXPECT_TRUE(QuietEverywhere()) << "neither the third screen nor the screen command";

  boxes.clear();
  Form3->CheckBox2->SetChecked(false);
  Form3->LabeledEdit5->SetText("abc");
  ClickOn(Form1->BitBtn8);
  EXPECT_EQ(peers[2].Receive(4), Text("5V1."));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("'abc' is not a valid integer value"), std::string::npos) << boxes[0];
  EXPECT_TRUE(QuietEverywhere());
}

// Every make of every list, and the name no list offers: a linked splice puts exactly the engine's
// write steps on each peer, in order, over each kind of link; in engineering mode both logs hold
// its log steps, otherwise they stay as they were.
TEST_F(SpliceTest, ALinkedSplicePutsExactlyTheEnginesWritesOnEachLink) {
  ShowConsole();
  enum Stream { kScreenPeer, kPortA, kPortB, kBridge, kNone };
  struct Route {
    const char* name;
    Stream video, rgb, screenPort, screens;
    bool debug;
  } routes[] = {{"own ports", kPortA, kPortB, kScreenPeer, kScreenPeer, true},
                {"port A is the screen port", kScreenPeer, kPortB, kScreenPeer, kScreenPeer, false},
                {"network", kBridge, kBridge, kNone, kBridge, true}};
  struct Case {
    int type;
    TcxComboBox* makes;
    std::size_t count;
  } cases[] = {{kVideo, Form3->ComboBox3, VideoMatrixModels().size()}, {kVga, Form3->ComboBox4, VgaMatrixModels().size()},
               {kSdi, Form3->ComboBox4, VgaMatrixModels().size()},    {kDvi, Form3->ComboBox5, DviMatrixModels().size()},
               {kHdmi, Form3->ComboBox7, HdmiMatrixModels().size()},  {kYuv, nullptr, 1}};
  Linkage(true);
  Order(1, "0", "0");
  Select(2, 1, 2, 1);
  for (const Route& route : routes) {
    SCOPED_TRACE(route.name);
    platform::TcpConnection bridgePeer;
    if (route.screens == kBridge) {
      Form2->rbRemote->SetCheckedValue(true);
      Form2->EditIP->SetText("127.0.0.1");
      Form2->EditPort->SetText(std::to_string(bridge.Port()));
      Form1->BitBtn1->Click();
      ASSERT_TRUE(bridge.Accept(bridgePeer, 2000));
    } else {
      OpenSerial(route.video == kPortA ? "COM2" : "COM1");
    }
    Form18->DebugMode = route.debug ? 1 : 0;
    auto receive = [&](Stream stream, std::size_t count) {
      if (stream != kBridge) return peers[stream].Receive(count);
      Bytes got(count);
      std::size_t n = 0;
      for (long r; n < count && (r = bridgePeer.Receive(got.data() + n, count - n, 2000)) > 0;) n += static_cast<std::size_t>(r);
      got.resize(n);
      return got;
    };
    auto splice = [&](const std::string& make) {
      SCOPED_TRACE(make);
      const MatrixSends sends = MatrixSwitchSends(ReadMatrixSettings(), 1, 5);
      ASSERT_TRUE(sends.Failure.empty()) << sends.Failure;
      std::map<Stream, Bytes> expected;
      std::vector<std::string> gridLog, hybridLog;
      const std::string label = Form1->Label7->Caption(), signal = Form1->ComboBox1->Text();
      const bool fst = label == "FST" && signal == "HDMI";
      // The makes that keep their scenes in the console get nothing from a splice.
      const bool native = (label == "SISO" && signal == "HDMI") || (label == "VGA15" && signal == "VGA");
      for (const MatrixStep& step : fst || native ? std::vector<MatrixStep>{} : sends.Steps) {
        if (step.kind == MatrixStep::Kind::Write) {
          const Stream to = step.link == MatrixLink::VideoMatrix ? route.video
                            : step.link == MatrixLink::RgbMatrix ? route.rgb
                                                                  : route.screenPort;
          if (to != kNone) expected[to].insert(expected[to].end(), step.bytes.begin(), step.bytes.end());
        } else if (step.kind == MatrixStep::Kind::Log) {
          if (step.boxes & mlbGridConsole) gridLog.push_back(step.line);
          if (step.boxes & mlbHybridConsole) hybridLog.push_back(step.line);
        }
      }
      // Matrix first, then the screens: FST's screens get the routing frame and the matrix nothing.
      const int type = Form1->ComboBox1->ItemIndex();
      const Bytes frame = fst ? Bytes{0xD6, 0x21, 0x21, 0x01, 0x05, 0xD6}
                              : Bytes{0xC6, 0x21, 0x21, 0x20, static_cast<std::uint8_t>(type), 0xBB};
      if (!native) expected[route.screens].insert(expected[route.screens].end(), frame.begin(), frame.end());
      Form1->Memo1->Lines()->Clear();
      Form33->Memo1->Lines()->Clear();
      Form1->BitBtn8->Click();
      for (const auto& [stream, bytes] : expected) EXPECT_EQ(receive(stream, bytes.size()), bytes) << stream;
      auto lines = [](TStrings* memo) {
        std::vector<std::string> out;
        for (int i = 0; i < memo->Count(); ++i) out.push_back(memo->Strings(i));
        return out;
      };
      if (route.debug && !native) {
        // Each log ends with the screen frame's own line.
        const String frameLine = FrameLogLine({frame[0], frame[1], frame[2], frame[3], frame[4], frame[5]});
        gridLog.push_back(frameLine);
        hybridLog.push_back(frameLine);
      }
      EXPECT_EQ(lines(Form1->Memo1->Lines()), route.debug ? gridLog : std::vector<std::string>{});
      EXPECT_EQ(lines(Form33->Memo1->Lines()), route.debug ? hybridLog : std::vector<std::string>{});
    };
    for (const Case& c : cases) {
      for (std::size_t i = 0; i < c.count; ++i) {
        Pick(c.type, c.makes, static_cast<int>(i));
        splice(Form1->Label7->Caption() + " as " + Form1->ComboBox1->Text());
      }
    }
    Pick(kHdmi);
    Form1->Label7->SetCaption("SVS");
    splice("SVS");
    for (auto& peer : peers) EXPECT_TRUE(peer.Drain(30).empty());
    std::uint8_t stray;
    if (route.screens == kBridge) {
      EXPECT_LE(bridgePeer.Receive(&stray, 1, 30), 0);
    }
    Form1->BitBtn2->Click();
    Form2->rbSerial->SetCheckedValue(true);
  }
}

TEST_F(SpliceTest, PickerAndLinkageBoxSetTheListsAndTheMakeLabel) {
  ShowConsole();
  Form3->ComboBox4->SetItemIndex(2);
  Pick(kVideo2);
  EXPECT_TRUE(Form1->ComboBox2->Visible());
  EXPECT_FALSE(Form1->ComboBox8->Visible());
  EXPECT_EQ(Form1->Label7->Caption(), "");
  EXPECT_EQ(Form1->ComboBox3->ItemIndex(), 2);
  EXPECT_EQ(Form1->ComboBox1->ItemIndex(), kVideo2);
  Pick(kVga);
  EXPECT_EQ(Form1->ComboBox3->ItemIndex(), 1);
  EXPECT_EQ(Form1->Label7->Caption(), VgaMatrixModels()[2]);
  EXPECT_TRUE(Form1->ComboBox8->Visible());
  EXPECT_FALSE(Form1->ComboBox2->Visible());

  auto items = [](TcxComboBox* list) {
    std::vector<std::string> out;
    for (int i = 0; i < list->Properties()->Items()->Count(); ++i) out.push_back(list->Properties()->Items()->Strings(i));
    return out;
  };
  auto numbered = [](int count) {
    std::vector<std::string> out;
    for (int i = 1; i <= count; ++i) out.push_back(std::to_string(i));
    return out;
  };
  Pick(kSdi);
  Form1->CheckBox3->SetChecked(true);
  EXPECT_EQ(items(Form1->ComboBox8), numbered(255));
  EXPECT_EQ(items(Form1->ComboBox2), numbered(255));
  EXPECT_EQ(ConfigValue("setting", "linkage"), "1");
  EXPECT_TRUE(Form1->grpMatix->Visible());
  EXPECT_TRUE(Form1->Label2->Enabled());
  EXPECT_TRUE(Form1->ComboBox8->Enabled());

  // Refilled lists keep the input chosen by its place; one beyond the count falls to the first.
  Form1->ComboBox8->SetItemIndex(11);
  Form1->ComboBox2->SetItemIndex(30);
  Form3->lbledtVGAIPort->SetText("16");
  Pick(kVga);
  Form1->CheckBox3->SetChecked(false);
  EXPECT_EQ(items(Form1->ComboBox8), numbered(16));
  EXPECT_EQ(Form1->ComboBox8->ItemIndex(), 11);
  EXPECT_EQ(Form1->ComboBox2->ItemIndex(), 0);
  EXPECT_FALSE(Form1->grpMatix->Visible());
  EXPECT_FALSE(Form1->ComboBox8->Enabled());
  EXPECT_EQ(ConfigValue("setting", "linkage"), "0");

  Form3->lbledtVGAIPort->SetText("abc");
  ClickOn(Form1->CheckBox3);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("'abc' is not a valid integer value"), std::string::npos) << boxes[0];
  EXPECT_TRUE(items(Form1->ComboBox8).empty());
  EXPECT_TRUE(items(Form1->ComboBox2).empty());
}

TEST_F(SpliceTest, LoadingPicksTheStoredSignalAndLinkageWithTheInputNames) {
  ShowConsole("[setting]\nsignalindex=3\nlinkage=1\nhdmimux=4\n[maxtixname]\n0=Cam A\n");
  EXPECT_EQ(Form1->Label7->Caption(), HdmiMatrixModels()[4]);
  EXPECT_EQ(Form1->ComboBox8->Text(), "Cam A");
  EXPECT_EQ(Form1->ComboBox8->ItemIndex(), 0);
  EXPECT_TRUE(Form1->CheckBox3->Checked());
}

TEST_F(SpliceTest, AFirstStartShowsTheVideoListsFirstMake) {
  ShowConsole();
  EXPECT_EQ(Form1->ComboBox4->ItemIndex(), kVideo);
  EXPECT_EQ(Form1->Label7->Caption(), VideoMatrixModels()[0]);
}

}  // namespace
