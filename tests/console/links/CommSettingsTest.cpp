// The communication settings window driven by the mouse: the link choice, the port refresh, OK and
// Cancel, and the loader that fills it from "cfg.ini".
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/CommSettings.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "platform/net/Tcp.h"
#include "platform/system/Registry.h"
#include "tests/app/AppFixture.h"
#include "tests/support/SerialPeer.h"

namespace {

namespace fs = std::filesystem;
using namespace win;

class CommSettingsTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    sys = folder + "/sys";
    dev = folder + "/dev";
    fs::create_directories(dev);
    platform::SetSerialDeviceRoots(sys, dev);
    CreateProgramWindows();
    Pump();
    Form18->ConsoleKind = ckGrid;
  }
  void TearDown() override {
    AppTest::TearDown();
    platform::SetSerialDeviceRoots("", "");
  }

  // A serial device the registry lists, its node one of the peers (or nothing to open).
  void AddDevice(const std::string& name, const std::string& node = "/dev/null") {
    fs::create_directories(sys + "/" + name + "/device");
    fs::create_symlink(node, dev + "/" + name);
  }
  void Show() {
    Form2->Show();
    Pump();
  }
  void ClickOn(TControl* control) {
    ClickAt(control->ClientToScreen(POINT{control->Width() / 2, control->Height() / 2}));
  }
  std::string Stored(const char* key) {
    auto ini = OpenConfigFile();
    return ini->ReadString("setting", key, "(none)");
  }
  std::vector<std::string> Items(TcxComboBox* list) {
    std::vector<std::string> items;
    for (int i = 0; i < list->Properties()->Items()->Count(); ++i)
      items.push_back(list->Properties()->Items()->Strings(i));
    return items;
  }
  // Enabled states of the serial controls, then of the network ones.
  std::vector<bool> Enabling() {
    return {Form2->ComboBox1->Enabled(), Form2->ComboBox2->Enabled(), Form2->ComboBox3->Enabled(),
            Form2->CheckBox2->Enabled(), Form2->CheckBox3->Enabled(), Form2->btnRefresh->Enabled(),
            Form2->EditIP->Enabled(),    Form2->EditPort->Enabled()};
  }

  std::string sys, dev;
};

TEST_F(CommSettingsTest, TheLinkChoiceSwapsWhichControlsServe) {
  Show();
  const std::vector<bool> serial = {true, true, true, true, true, true, false, false};
  const std::vector<bool> network = {false, false, false, false, false, false, true, true};
  EXPECT_EQ(Enabling(), serial);
  ClickOn(Form2->rbRemote);
  EXPECT_TRUE(Form2->rbRemote->Checked());
  EXPECT_EQ(Enabling(), network);
  ClickOn(Form2->rbSerial);
  EXPECT_EQ(Enabling(), serial);
}

TEST_F(CommSettingsTest, RefreshListsTheMachinesPortsInRegistryOrder) {
  // A short first device name must not cut the enumeration of longer ones short.
  AddDevice("ttyS0");
  AddDevice("ttyUSB0");
  AddDevice("ttyACM10");
  fs::create_directories(sys + "/ttyS0");
  std::ofstream(sys + "/ttyS0/type") << "4\n";
  Show();
  ClickOn(Form2->btnRefresh);
  for (TcxComboBox* list : {Form2->ComboBox1, Form2->ComboBox2, Form2->ComboBox3}) {
    EXPECT_EQ(Items(list), std::vector<std::string>({"COM1", "COM2", "COM3"}));
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_EQ(list->Text(), "COM1");
  }

  // No serial port at all: the key is missing and the lists stay as they were.
  platform::SetSerialDeviceRoots(folder + "/none", dev);
  Form2->ComboBox2->SetItemIndex(2);
  ClickOn(Form2->btnRefresh);
  EXPECT_EQ(Items(Form2->ComboBox1).size(), 3u);
  EXPECT_EQ(Form2->ComboBox2->Text(), "COM3");
  EXPECT_TRUE(boxes.empty());
}

TEST_F(CommSettingsTest, OkStoresTheSettingsInOrderAndAFreshLoadShowsThem) {
  Show();
  Form2->ComboBox1->SetItemIndex(11);  // COM12
  Form2->ComboBox2->SetItemIndex(1);
  Form2->ComboBox3->SetItemIndex(2);
  Form2->CheckBox1->SetChecked(true);
  Form2->CheckBox3->SetChecked(true);
  Form2->EditIP->SetText("10.0.0.7");
  Form2->EditPort->SetText("4001");
  ClickOn(Form2->Button1);
  EXPECT_FALSE(Form2->Visible());
  EXPECT_TRUE(boxes.empty());
  struct {
    const char* key;
    const char* value;
  } stored[] = {{"com port", "12"},   {"auto open port", "1"}, {"auto open port A", "0"}, {"auto open port B", "1"},
                {"com port A", "2"},  {"com port B", "3"},     {"serialCtrl", "1"},       {"IPAddress", "10.0.0.7"},
                {"Port", "4001"}};
  for (const auto& s : stored) EXPECT_EQ(Stored(s.key), s.value) << s.key;
  // The keys in the order written, as the file keeps them.
  std::ifstream in(ConfigFilePath());
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t at = 0;
  for (const auto& s : stored) {
    std::size_t next = text.find(std::string(s.key) + "=", at);
    EXPECT_NE(next, std::string::npos) << s.key << " after the one before it";
    at = next;
  }
  EXPECT_EQ(Form1->Comm1->CommName(), "//./COM12");
  EXPECT_EQ(Form1->Comm2->CommName(), "//./COM2");
  EXPECT_EQ(Form1->Comm3->CommName(), "//./COM3");

  // A fresh load: the controls as stored, COM12 selected.
  Form2->ComboBox1->SetItemIndex(0);
  Form2->CheckBox3->SetChecked(false);
  Form2->EditIP->SetText("");
  auto ini = OpenConfigFile();
  Form2->LoadSettings(*ini);
  EXPECT_EQ(Form2->ComboBox1->ItemIndex(), 11);
  EXPECT_EQ(Form2->ComboBox1->Text(), "COM12");
  EXPECT_TRUE(Form2->CheckBox3->Checked());
  EXPECT_EQ(Form2->EditIP->Text(), "10.0.0.7");
  EXPECT_TRUE(Form2->rbSerial->Checked());
}

TEST_F(CommSettingsTest, TheLoaderKeepsAPortTheListLacksAndTakesTheDefaults) {
  WriteConfig("[setting]\ncom port=20\ncom port A=0\nserialCtrl=0\n");
  auto ini = OpenConfigFile();
  Form2->LoadSettings(*ini);
  EXPECT_EQ(Form2->ComboBox1->ItemIndex(), -1);
  EXPECT_EQ(Form2->ComboBox1->Text(), "COM20");
  EXPECT_EQ(Form2->ComboBox2->ItemIndex(), -1);
  EXPECT_EQ(Form2->ComboBox2->Text(), "");
  EXPECT_EQ(Form2->ComboBox3->Text(), "COM1");
  EXPECT_TRUE(Form2->rbRemote->Checked());
  EXPECT_EQ(Form2->EditIP->Text(), cfg::setting::kDefaultBridgeAddress);
  EXPECT_EQ(Form2->EditPort->Text(), "8899");
  EXPECT_EQ(Form2->LinkSettings().ScreenPort, "COM20") << "the next connect uses the stored port";
}

TEST_F(CommSettingsTest, APortNameThatIsNoNumberStopsOkWithTheKeysBeforeItKept) {
  Show();
  Form2->ComboBox2->SetItemIndex(-1);  // empty pA
  Form2->CheckBox2->SetChecked(true);
  ClickOn(Form2->Button1);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("'' is not a valid integer value"), std::string::npos) << boxes[0];
  EXPECT_TRUE(Form2->Visible());
  EXPECT_EQ(Stored("com port"), "1");
  EXPECT_EQ(Stored("auto open port A"), "1");
  EXPECT_EQ(Stored("auto open port B"), "0");
  EXPECT_EQ(Stored("com port A"), "(none)");
  EXPECT_EQ(Stored("serialCtrl"), "(none)");
}

TEST_F(CommSettingsTest, CancelKeepsTheChoiceLiveButStoresNothing) {
  platform::TcpListener bridge;
  ASSERT_TRUE(bridge.Listen());
  WriteConfig("[setting]\nserialCtrl=1\n");
  Show();
  ClickOn(Form2->rbRemote);
  Form2->EditIP->SetText("127.0.0.1");
  Form2->EditPort->SetText(std::to_string(bridge.Port()));
  ClickOn(Form2->Button2);
  EXPECT_FALSE(Form2->Visible());
  EXPECT_EQ(Stored("serialCtrl"), "1");

  Form1->BitBtn1->Click();
  platform::TcpConnection peer;
  ASSERT_TRUE(bridge.Accept(peer, 2000));
  Form1->SendScreenFrame(0xC6, 0x11, 0x11, 0x5F, 1, 0xBB);
  std::uint8_t got[6] = {};
  long n = 0;
  for (int i = 0; i < 10 && n < 6; ++i) {
    long r = peer.Receive(got + n, 6 - n, 500);
    if (r <= 0) break;
    n += r;
  }
  EXPECT_EQ(std::vector<std::uint8_t>(got, got + n), std::vector<std::uint8_t>({0xC6, 0x11, 0x11, 0x5F, 0x01, 0xBB}));
}

TEST_F(CommSettingsTest, TheSplicingConsoleHidesTheMatrixPortsButOkStillStoresThem) {
  Form18->ConsoleKind = ckSplicing;
  Show();
  EXPECT_FALSE(Form2->GroupBox2->Visible());
  EXPECT_FALSE(Form2->GroupBox3->Visible());
  Form2->ComboBox2->SetItemIndex(4);
  Form2->ComboBox3->SetItemIndex(5);
  ClickOn(Form2->Button1);
  EXPECT_EQ(Stored("com port A"), "5");
  EXPECT_EQ(Stored("com port B"), "6");
}

TEST_F(CommSettingsTest, Screenshots) {
  for (int language : {0, 1}) {
    Form1->Language = language;
    for (bool serial : {true, false}) {
      (serial ? Form2->rbSerial : Form2->rbRemote)->SetCheckedValue(true);
      Form2->EditIP->SetText("192.168.1.200");
      Form2->EditPort->SetText("8899");
      Show();
      SaveWindowShot(Form2, std::string("console/comm-settings-") + (language ? "en" : "zh") + "-" +
                                (serial ? "serial" : "tcp") + ".png");
      Form2->Hide();
    }
  }
}

}  // namespace
