// Scenes as the operator drives them on the grid console: the screens' frame, the matrices'
// presets and the make's own scene command on the right ports in the configured order, the pauses
// on the virtual clock, the scenes the console records and replays itself, and the rename dialog.
// Pseudo-terminals stand for COM1 (the screens), COM2 (port A) and COM3 (port B).
#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/CommSettings.h"
#include "console/GridConsole.h"
#include "console/SceneRename.h"
#include "matrix/MatrixConfig.h"
#include "platform/system/Registry.h"
#include "tests/app/AppFixture.h"
#include "tests/console/links/GridConsoleFixture.h"
#include "variants/HybridConsole.h"

namespace {

using Bytes = testsupport::SerialPeer::Bytes;
using namespace win;

enum { kVideo, kVga, kDvi, kHdmi };
enum { kScreens, kPortA, kPortB };

Bytes Frame(std::uint8_t command, std::uint8_t scene) { return {0xC6, 0x11, 0xFF, command, scene, 0xBB}; }
Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

class ScenesTest : public testsupport::GridConsoleTest {
 protected:
  // Shows the grid console on `config` with a 3 × 3 wall, its links open on the three ports with
  // both matrix port boxes ticked; no make has presets yet, the screens go first.
  void ShowConsole(const std::string& config = "") {
    GridConsoleTest::ShowConsole(config);
    OpenSerial();
    Form3->ComboBox3->SetItemIndex(0);
    Form3->ComboBox4->SetItemIndex(0);
    Order(0, "100", "30");
  }
  void PortBoxes(bool a, bool b) {
    Form2->CheckBox2->SetChecked(a);
    Form2->CheckBox3->SetChecked(b);
  }
  static void Choose(TcxComboBox* list, const char* make) {
    const int index = list->Properties()->Items()->IndexOf(make);
    ASSERT_GE(index, 0) << make;
    list->SetItemIndex(index);
  }
  // The signal type as the operator picks it, with the linkage box as given.
  void Pick(int type, bool linkage) {
    Form1->ComboBox4->SetItemIndex(-1);
    Form1->ComboBox4->SetItemIndex(type);
    Form1->CheckBox3->SetChecked(linkage);
  }
  void Scene(int n) { Form1->ComboBox3->SetItemIndex(n - 1); }
  void Save() { ClickOn(Form1->BitBtn12); }
  void Recall() { ClickOn(Form1->BitBtn13); }
  POINT CellCentre(int column, int row) {
    RECT r = Form1->stringgrid1->CellRect(column, row);
    return Form1->stringgrid1->ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  static std::vector<std::string> Lines(TStrings* lines) {
    std::vector<std::string> all;
    for (int i = 0; i < lines->Count(); ++i) all.push_back(lines->Strings(i));
    return all;
  }
};

TEST_F(ScenesTest, ScreensFirstWithoutPortBoxesSendsTheFrameAndPausesOnly) {
  ShowConsole();
  PortBoxes(false, false);
  Pick(kVideo, false);
  Scene(3);
  EXPECT_EQ(Elapsed([&] { Save(); }), 20u + 5u + 100u);
  EXPECT_EQ(peers[kScreens].Receive(6), Frame(0x59, 3));
  EXPECT_TRUE(QuietEverywhere());
  EXPECT_TRUE(boxes.empty());

  // Another send order sends nothing but still pauses and sends the make's command.
  Order(-1, "100", "30");
  Pick(kHdmi, false);
  Form1->Label7->SetCaption("HDMI06");
  Scene(3);
  EXPECT_EQ(Elapsed([&] { Recall(); }), 100u);
  EXPECT_EQ(peers[kScreens].Receive(5), Text("Load3"));
  EXPECT_TRUE(QuietEverywhere());
}

TEST_F(ScenesTest, MatrixFirstRecallsThePresetsThenTheScreensThenTheMakesCommand) {
  ShowConsole();
  Order(1, "100", "30");
  PortBoxes(false, true);  // the video matrix shares the screens' port
  Choose(Form3->ComboBox3, "AV01");
  Form3->LabeledEdit1->SetText("3");
  Choose(Form3->ComboBox4, "XM-VGA");
  Pick(kHdmi, false);
  Form1->Label7->SetCaption("HDMI06");
  Scene(3);
  EXPECT_EQ(Elapsed([&] { Recall(); }), 100u + 30u + 5u + 20u + 100u);
  EXPECT_EQ(peers[kScreens].Receive(13), Join({{0x96, 0x03, 0x15, 0x03, 0x00, 0x03, 0xB4}, Frame(0x5A, 3)}));
  EXPECT_EQ(peers[kPortB].Receive(11), Join({{0x2A, 0x03, 0x02, 0x00, 0x00, 0x21}, Text("Load3")}));
  EXPECT_TRUE(QuietEverywhere());
}

// The presets and scene commands of the makes, driven through the scene buttons: the general
// presets by the make lists with the port boxes ticked, the make's own by type, label and linkage.
TEST_F(ScenesTest, EachMakesPresetReachesItsPortByteForByte) {
  ShowConsole();
  struct Case {
    const char* name;
    std::function<void()> setup;
    int scene;
    bool save;
    int peer;
    Bytes bytes;
    std::uint64_t extraMs = 0;
  };
  auto video = [](const char* make, const char* id) {
    return [=] { Choose(Form3->ComboBox3, make); Form3->LabeledEdit1->SetText(id); };
  };
  auto vga = [this](const char* make, const char* id, bool linkage) {
    return [=, this] {
      Pick(kVga, linkage);
      Choose(Form3->ComboBox4, make);
      Form3->LabeledEdit2->SetText(id);
    };
  };
  auto label = [this](int type, const char* make, bool linkage) {
    return [=, this] {
      Pick(type, linkage);
      Form1->Label7->SetCaption(make);
      Form3->LabeledEdit6->SetText("01");
    };
  };
  const Case cases[] = {
      {"AV01 save", video("AV01", "3"), 2, true, kPortA, {0x96, 0x03, 0x11, 0x03, 0x00, 0x02, 0xAF}},
      {"AV01 recall", video("AV01", "3"), 2, false, kPortA, {0x96, 0x03, 0x15, 0x03, 0x00, 0x02, 0xB3}},
      {"video Samplex", video("Samplex", "01"), 12, false, kPortA, Text("PA01RF0C00NT")},
      {"XM-VGA", vga("XM-VGA", "1", false), 16, true, kPortB, {0x2A, 0x10, 0x01, 0x00, 0x00, 0x21}},
      {"KINGRODA save", label(kHdmi, "KINGRODA", false), 3, true, kPortB, {0xA5, 0x00, 0x01, 0x06, 0x03, 0x00, 0x00, 0xAF}},
      {"KINGRODA recall", label(kHdmi, "KINGRODA", false), 3, false, kPortB, {0xA5, 0x00, 0x01, 0x05, 0x03, 0x00, 0x00, 0xAE}},
      {"IM88 save", label(kHdmi, "IM88", false), 1, true, kPortA, {0x7B, 0x7B, 0x02, 0x01, 0x00, 0xF3, 0x7D, 0x7D}},
      {"IM88 recall", label(kHdmi, "IM88", false), 1, false, kPortA, {0x7B, 0x7B, 0x03, 0x01, 0x00, 0xF4, 0x7D, 0x7D}},
      {"HDMI06 save", label(kHdmi, "HDMI06", false), 10, true, kPortB, Text("SaveA")},
      {"HDMI06 recall", label(kHdmi, "HDMI06", false), 16, false, kPortB, Text("Load10")},
      {"DVI08", [this] { Pick(kDvi, true); Choose(Form3->ComboBox5, "DVI08"); }, 1, true, kPortB,
       {0xAA, 0x00, 0x05, 0x00, 0x00, 0xFF}},
      {"HDMI03", label(kHdmi, "HDMI03", true), 1, false, kPortB, Text("PV01RF0100NTPV01VW0000NT"), 500},
      {"CHUANGGAO save", vga("CHUANGGAO", "1", true), 4, true, kPortB, Text("<4,R>")},
      {"CHUANGGAO recall", vga("CHUANGGAO", "1", true), 4, false, kPortB, Text("<4,R>")},
      {"VGA Samplex twice", vga("Samplex", "01", true), 10, false, kPortB, Text("PV01RF0A00NTPV01RF1000NT")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Form3->ComboBox3->SetItemIndex(0);
    Form3->ComboBox4->SetItemIndex(0);
    Pick(kVideo, false);
    c.setup();
    Scene(c.scene);
    EXPECT_EQ(Elapsed([&] { c.save ? Save() : Recall(); }), 20u + 5u + 100u + 30u + 100u + c.extraMs);
    EXPECT_EQ(peers[kScreens].Receive(6), Frame(c.save ? 0x59 : 0x5A, c.scene));
    EXPECT_EQ(peers[c.peer].Receive(c.bytes.size()), c.bytes);
    EXPECT_TRUE(QuietEverywhere());
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(ScenesTest, EngineeringModeLogsWhatTheScenesSend) {
  ShowConsole();
  Choose(Form3->ComboBox3, "Samplex");
  Form3->LabeledEdit1->SetText("01");
  Pick(kHdmi, false);
  Form1->Label7->SetCaption("KINGRODA");
  Scene(3);
  for (bool debug : {false, true}) {
    SCOPED_TRACE(debug);
    Form18->DebugMode = debug ? 1 : 0;
    Form1->Memo1->Lines()->Clear();
    Form33->Memo1->Lines()->Clear();
    Save();
    EXPECT_EQ(peers[kPortA].Receive(12), Text("PA01SF0300NT"));
    EXPECT_EQ(peers[kPortB].Receive(8), Bytes({0xA5, 0x00, 0x01, 0x06, 0x03, 0x00, 0x00, 0xAF}));
    const std::vector<std::string> grid = Lines(Form1->Memo1->Lines());
    const std::vector<std::string> hybrid = Lines(Form33->Memo1->Lines());
    auto has = [](const std::vector<std::string>& lines, const std::string& line) {
      return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_EQ(has(grid, "PA01SF0300NT"), debug);
    EXPECT_EQ(has(grid, "A5,00,01,06,03,00,00,AF"), debug);
    EXPECT_EQ(has(hybrid, "PA01SF0300NT"), debug);
    EXPECT_EQ(has(hybrid, "A5,00,01,06,03,00,00,AF"), debug);
    if (!debug) {
      EXPECT_TRUE(grid.empty());
      EXPECT_TRUE(hybrid.empty());
    }
    QuietEverywhere();
  }
  // A "->" line goes to the grid console's log alone.
  Form1->Memo1->Lines()->Clear();
  Form33->Memo1->Lines()->Clear();
  Pick(kVga, true);
  Choose(Form3->ComboBox4, "CHUANGGAO");
  Scene(3);
  Recall();
  EXPECT_EQ(peers[kPortB].Receive(5), Text("<3,R>"));
  const std::vector<std::string> grid = Lines(Form1->Memo1->Lines());
  EXPECT_NE(std::find(grid.begin(), grid.end(), "-><3,R>"), grid.end());
  EXPECT_TRUE(Lines(Form33->Memo1->Lines()).empty() || Lines(Form33->Memo1->Lines()).back() != "-><3,R>");
}

TEST_F(ScenesTest, NativeScenesRecordTheSplicesAndReplayThem) {
  ShowConsole();
  Choose(Form3->ComboBox7, "SISO");
  Pick(kHdmi, true);
  ASSERT_EQ(Form1->Label7->Caption(), "SISO");
  Scene(2);
  Save();
  EXPECT_EQ(Form1->BitBtn12->Caption(), "正在录制");
  EXPECT_TRUE(Form1->Recording);

  DragAt(CellCentre(1, 1), CellCentre(2, 2));
  Form1->ComboBox8->SetItemIndex(4);
  ClickOn(Form1->BitBtn8);
  DragAt(CellCentre(3, 1), CellCentre(3, 2));
  Form1->ComboBox8->SetItemIndex(6);
  ClickOn(Form1->BitBtn8);

  Save();
  EXPECT_EQ(ConfigValue("nativeMatrix", "scene2"), "2,1,1,2,2,5,3,1,3,2,7,");
  EXPECT_EQ(Form1->BitBtn12->Caption(), "保存预案");
  EXPECT_FALSE(Form1->Recording);
  EXPECT_EQ(peers[kScreens].Receive(12), Join({Frame(0x59, 2), Frame(0x59, 2)}));
  EXPECT_TRUE(QuietEverywhere());

  // The replay runs each recorded splice as the splice button would, without the grid.
  Form1->stringgrid1->SetSelection({1, 3, 1, 3});
  Recall();
  EXPECT_EQ(peers[kScreens].Receive(6), Frame(0x5A, 2));
  EXPECT_EQ(Form1->SelectionLeft, 3);
  EXPECT_EQ(Form1->SelectionTop, 1);
  EXPECT_EQ(Form1->SelectionRight, 3);
  EXPECT_EQ(Form1->SelectionBottom, 2);
  EXPECT_EQ(Form1->MatrixInput, 7);
  EXPECT_FALSE(Form1->Replaying);
  EXPECT_EQ(Form1->ReplayCountdown, 0);
  const TGridRect shown = Form1->stringgrid1->Selection();
  EXPECT_EQ(shown.Left, 1);
  EXPECT_EQ(shown.Top, 3);
  EXPECT_TRUE(boxes.empty());

  // Stopping without a splice stores "0,", which is no record; nor is a missing or negative one.
  Scene(4);
  Save();
  Save();
  EXPECT_EQ(ConfigValue("nativeMatrix", "scene4"), "0,");
  Form1->ConfigFile->WriteString("nativeMatrix", "scene6", "-1,");
  Form1->ConfigFile->WriteString("nativeMatrix", "scene7", "0,0,0,0,0");
  for (int n : {4, 5, 6, 7}) {
    SCOPED_TRACE(n);
    boxes.clear();
    Scene(n);
    Recall();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("无预案记录"), std::string::npos) << boxes[0];
    EXPECT_FALSE(Form1->Replaying);
  }
  // After them a native splice is recorded, not swallowed as a replay step.
  Save();
  ClickOn(Form1->BitBtn8);
  EXPECT_EQ(Form1->RecordedSpliceCount, 1);
  SaveWindowShot(Form1->GroupBox3, "console/scenes-recording-zh.png");
}

TEST_F(ScenesTest, FailuresStopTheSceneWhereTheyStand) {
  ShowConsole();
  Pick(kVideo, false);
  Scene(1);
  Order(0, "x", "30");
  EXPECT_EQ(Elapsed([&] { Save(); }), 20u + 5u);
  EXPECT_EQ(peers[kScreens].Receive(6), Frame(0x59, 1));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("'x' is not a valid integer value"), std::string::npos) << boxes[0];
  EXPECT_TRUE(QuietEverywhere());

  // A negative pause is none.
  boxes.clear();
  Order(0, "-1", "-100");
  EXPECT_EQ(Elapsed([&] { Save(); }), 20u + 5u);
  EXPECT_TRUE(boxes.empty());

  // A record with a piece missing: the first splice runs, then the conversion stops the replay.
  boxes.clear();
  Order(0, "0", "0");
  Choose(Form3->ComboBox7, "SISO");
  Pick(kHdmi, true);
  Scene(1);
  Form1->ConfigFile->WriteString("nativeMatrix", "scene1", "3,1,1,2,2,5,");
  QuietEverywhere();
  Recall();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("'' is not a valid integer value"), std::string::npos) << boxes[0];
  EXPECT_EQ(Form1->SelectionRight, 2);
  EXPECT_EQ(Form1->MatrixInput, 5);
  EXPECT_FALSE(Form1->Replaying);
  EXPECT_EQ(Form1->ReplayCountdown, 0);

  // A record shorter than its count stops at the missing piece.
  boxes.clear();
  Form1->ConfigFile->WriteString("nativeMatrix", "scene1", "2,1,1,2,2,5");
  Recall();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("List index out of bounds (6)"), std::string::npos) << boxes[0];
  EXPECT_FALSE(Form1->Replaying);
}

TEST_F(ScenesTest, RenameChangesTheChosenSceneAndStoresAllSixteen) {
  ShowConsole();
  Scene(5);
  ClickOn(Form1->Button2);
  ASSERT_TRUE(Form9->Visible());
  EXPECT_EQ(Form9->Caption(), "更改名称 ");
  EXPECT_EQ(Form9->Edit1->Text(), "场景5");
  SaveWindowShot(Form9, "console/scene-rename-zh.png");
  Form9->Edit1->SetText("Lobby");
  ClickOn(Form9->Button1);
  EXPECT_FALSE(Form9->Visible());
  EXPECT_EQ(Form1->ComboBox3->Properties()->Items()->Strings(4), "Lobby");
  EXPECT_EQ(Form1->ComboBox3->Text(), "Lobby");
  for (int n = 1; n <= 16; ++n)
    EXPECT_EQ(ConfigValue("scene", ("scene" + std::to_string(n)).c_str()), n == 5 ? "Lobby" : "场景" + std::to_string(n));
  std::ifstream file(folder + "/cfg.ini", std::ios::binary);
  const std::string disk((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_NE(disk.find("scene1=\xB3\xA1\xBE\xB0" "1"), std::string::npos);  // GBK on disk
  EXPECT_NE(disk.find("scene5=Lobby"), std::string::npos);

  // Two scenes of one name: the first of them is the one the buttons and the rename act on.
  Form1->ComboBox3->Properties()->Items()->SetStrings(6, "lobby");
  Form1->ComboBox3->Properties()->Items()->SetStrings(2, "Lobby");
  Form1->ComboBox3->Properties()->Items()->SetStrings(4, "场景5");
  Pick(kVideo, false);
  Scene(7);
  Save();
  EXPECT_EQ(peers[kScreens].Receive(6), Frame(0x59, 3));
  ClickOn(Form1->Button2);
  Form9->Edit1->SetText("Hall");
  ClickOn(Form9->Button1);
  EXPECT_EQ(Form1->ComboBox3->Properties()->Items()->Strings(2), "Hall");
  EXPECT_EQ(Form1->ComboBox3->Properties()->Items()->Strings(6), "lobby");

  // Cancel stores nothing.
  ClickOn(Form1->Button2);
  Form9->Edit1->SetText("Other");
  ClickOn(Form9->Button2);
  EXPECT_FALSE(Form9->Visible());
  EXPECT_EQ(ConfigValue("scene", "scene3"), "Hall");
}

TEST_F(ScenesTest, RenameOfATypedNameThatIsNoSceneStopsAndStoresNothing) {
  ShowConsole("language=1\n");
  Order(0, "0", "0");
  Choose(Form3->ComboBox7, "SISO");
  Pick(kHdmi, true);
  Save();
  EXPECT_EQ(Form1->BitBtn12->Caption(), "正在录制");
  SaveWindowShot(Form1->GroupBox3, "console/scenes-recording-en.png");
  Save();
  EXPECT_EQ(Form1->BitBtn12->Caption(), "Save");

  Form1->ComboBox3->SetText("Nowhere");
  ClickOn(Form1->Button2);
  EXPECT_EQ(Form9->Label1->Caption(), "Input New Name");
  EXPECT_EQ(Form9->Button1->Caption(), "Change");
  EXPECT_EQ(Form9->Button2->Caption(), "Cancel");
  SaveWindowShot(Form9, "console/scene-rename-en.png");
  Form9->Edit1->SetText("Lobby");
  ClickOn(Form9->Button1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("List index out of bounds (-1)"), std::string::npos) << boxes[0];
  EXPECT_TRUE(Form9->Visible());
  EXPECT_EQ(ConfigValue("scene", "scene1"), "?");
  Form9->Close();
}

}  // namespace
