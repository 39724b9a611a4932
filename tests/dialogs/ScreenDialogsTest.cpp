// The screen dialogs that send through the grid console's sender (edge blending, irregular shape
// and the virtual remote) as the operator drives them: clicks injected into the shown window, the
// screens' port a pseudo-terminal standing for COM1, time virtual. The grid console's selection
// is (1,1)-(2,2), addresses 11 22; the hybrid console's (1,1)-(3,2), addresses 11 32; the
// splicing console's the one screen (2,1), addresses 21 21.
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/CommSettings.h"
#include "console/GridConsole.h"
#include "dialogs/AddressTool.h"
#include "dialogs/EdgeBlending.h"
#include "dialogs/IrregularShape.h"
#include "dialogs/PlaybackSettings.h"
#include "dialogs/VirtualRemote.h"
#include "platform/system/Registry.h"
#include "platform/win/Keys.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ComPorts.h"
#include "tests/support/PauseRecorder.h"
#include "tests/support/ScreenFrames.h"
#include "tests/support/SerialPeer.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

namespace {

using Bytes = testsupport::SerialPeer::Bytes;
using Pauses = std::vector<std::uint32_t>;
using testsupport::Frame;
using testsupport::Frames;
using namespace win;

Bytes Grid(int command, int value) {
  return Frame(0x11, 0x22, static_cast<std::uint8_t>(command), static_cast<std::uint8_t>(value));
}
Bytes Hybrid(int command, int value) {
  return Frame(0x11, 0x32, static_cast<std::uint8_t>(command), static_cast<std::uint8_t>(value));
}

class ScreenDialogsTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    testsupport::ServeAsComPorts({&screens, 1}, folder);  // COM1
    if (HasFatalFailure()) return;
    CreateProgramWindows();
    Pump();
    // The handlers' pauses pass the boot window's time; its choice must not open over the dialogs.
    Form18->tmr1->SetEnabled(false);
    Form18->ConsoleKind = ckGrid;
    Form1->SelectionLeft = 1, Form1->SelectionTop = 1, Form1->SelectionRight = 2, Form1->SelectionBottom = 2;
    Form23->SelectionLeft = 2, Form23->SelectionTop = 1, Form23->SelectionRight = 2, Form23->SelectionBottom = 1;
    Form33->SelectionLeft = 1, Form33->SelectionTop = 1, Form33->SelectionRight = 3, Form33->SelectionBottom = 2;
    Form2->ComboBox1->SetText("COM1");
    Form2->ComboBox2->SetText("COM1");
    Form2->ComboBox3->SetText("COM1");
    Form1->BitBtn1->Click();
    ASSERT_EQ(Form18->LinkOpen, 1);
  }
  void TearDown() override {
    AppTest::TearDown();
    platform::SetSerialDeviceRoots("", "");
  }

  void ShowWindow(TForm* form) {
    form->Show();
    Pump();
  }
  void Press(TControl* control) {
    ClickAt(control->ClientToScreen(POINT{control->Width() / 2, control->Height() / 2}));
    Pump();
  }
  struct Sent {
    Bytes bytes;
    Pauses pauses;
  };
  Sent PressAndRead(TControl* control, std::size_t frames) {
    testsupport::PauseRecorder recorder(clock.clock());
    Press(control);
    return {screens.Receive(frames * 6), recorder.pauses};
  }
  // Puts the grid console in the state whose screen commands become routing frames.
  void RouteThroughFstHdmi() {
    Form1->ComboBox1->SetItemIndex(3);
    Form1->CheckBox3->SetChecked(true);
    Form1->Label7->SetCaption("FST");
    Form1->ComboBox8->SetItemIndex(0);
  }

  testsupport::SerialPeer screens;
};

TEST_F(ScreenDialogsTest, AddressToolNamesTheScreenBySerialThenGivesRowAndColumn) {
  ShowWindow(Form36);
  EXPECT_EQ(Form36->Caption(), "Form36");
  EXPECT_EQ(Form36->Width(), 437);
  EXPECT_EQ(Form36->Height(), 235);
  EXPECT_EQ(PressAndRead(Form36->Bitbtn, 1).bytes, Frame(0xFF, 0x22, 0x00, 0x00));
  EXPECT_EQ(PressAndRead(Form36->Bitbtn161, 1).bytes, Frame(0xFF, 0x24, 0x01, 0x01));

  struct Case {
    const char *serial, *row, *column;
    Bytes frames;
    Pauses pauses;
  } cases[] = {
      {"4660", "2", "3",
       Frames({Frame(0xFF, 0x23, 0x12, 0x34), Frame(0xFF, 0x20, 0x02, 0x01), Frame(0xFF, 0x21, 0x03, 0x01)}),
       {20, 100, 20, 100, 20}},
      {"65535", "255", "256",
       Frames({Frame(0xFF, 0x23, 0xFF, 0xFF), Frame(0xFF, 0x20, 0xFF, 0x01), Frame(0xFF, 0x21, 0x00, 0x01)}),
       {20, 100, 20, 100, 20}},
      {"255", "1", "c", Frames({Frame(0xFF, 0x23, 0x00, 0xFF), Frame(0xFF, 0x20, 0x01, 0x01)}), {20, 100, 20, 100}},
      {"", "1", "1", {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.serial);
    boxes.clear();
    Form36->cxTextEdit2->SetText(c.serial);
    Form36->cxTextEdit3->SetText(c.row);
    Form36->cxTextEdit4->SetText(c.column);
    Sent sent = PressAndRead(Form36->Bitbtn162, c.frames.size() / 6);
    EXPECT_EQ(sent.bytes, c.frames);
    EXPECT_EQ(sent.pauses, c.pauses);
    EXPECT_EQ(boxes.size(), c.pauses.size() == 5 ? 0u : 1u);
  }
  EXPECT_TRUE(screens.Drain(20).empty());

  // The lock goes to the grid console's selection, and to the first screen before any.
  EXPECT_EQ(PressAndRead(Form36->Bitbtn164, 1).bytes, Grid(0x67, 0));
  Form1->SelectionLeft = Form1->SelectionTop = Form1->SelectionRight = Form1->SelectionBottom = 0;
  EXPECT_EQ(PressAndRead(Form36->Bitbtn163, 1).bytes, Frame(0x11, 0x11, 0x67, 0x01));
}

TEST_F(ScreenDialogsTest, EdgeBlendingSendsEachConsolesPairOneSecondApart) {
  ShowWindow(Form11);
  EXPECT_FALSE(Form11->TrackBar1->Enabled());
  EXPECT_FALSE(Form11->Label6->Enabled());
  Press(Form11->CheckBox1);
  ASSERT_TRUE(Form11->CheckBox1->Checked());
  EXPECT_TRUE(Form11->TrackBar1->Enabled() && Form11->TrackBar2->Enabled());
  EXPECT_TRUE(Form11->Label5->Enabled() && Form11->Label6->Enabled());
  const String longVertical = Form11->Label6->Caption();
  Form11->TrackBar1->SetPosition(30);
  EXPECT_EQ(Form11->Label5->Caption(), "调节  30");
  EXPECT_EQ(Form11->Label6->Caption(), longVertical) << "the untouched bar keeps the form's caption";
  Form11->TrackBar2->SetPosition(70);
  EXPECT_EQ(Form11->Label6->Caption(), "调节  70");

  Form18->ConsoleKind = ckHybrid;
  Sent hybrid = PressAndRead(Form11->BitBtn10, 2);
  EXPECT_EQ(hybrid.bytes, Frames({Hybrid(0x7F, 30), Hybrid(0x80, 70)}));
  EXPECT_EQ(hybrid.pauses, Pauses({20, 1000, 20}));
  Form18->ConsoleKind = ckGrid;
  EXPECT_EQ(PressAndRead(Form11->BitBtn10, 2).bytes, Frames({Grid(0x54, 30), Grid(0x55, 70)}));

  // Off goes out as zero amounts whatever the bars show.
  Press(Form11->CheckBox1);
  EXPECT_FALSE(Form11->TrackBar2->Enabled());
  EXPECT_EQ(PressAndRead(Form11->BitBtn10, 2).bytes, Frames({Grid(0x54, 0), Grid(0x55, 0)}));

  // The grid console's routing state turns every command into the routing of its chosen input,
  // on the hybrid console's selection too.
  Press(Form11->CheckBox1);
  RouteThroughFstHdmi();
  Form18->ConsoleKind = ckHybrid;
  const Bytes routing = {0xD6, 0x11, 0x32, 0x01, 0x01, 0xD6};
  EXPECT_EQ(PressAndRead(Form11->BitBtn10, 2).bytes, Frames({routing, routing}));
  EXPECT_TRUE(screens.Drain(20).empty());
}

TEST_F(ScreenDialogsTest, IrregularShapeSendsEachNumberAsTwoLowBytes) {
  ShowWindow(Form16);
  EXPECT_EQ(Form16->Edit2->Text(), "0");
  EXPECT_EQ(Form16->Edit3->Text(), "1920");
  EXPECT_EQ(Form16->Edit4->Text(), "0");
  EXPECT_EQ(Form16->Edit5->Text(), "1080");
  EXPECT_EQ(PressAndRead(Form16->Button1, 2).bytes, Frames({Grid(0xF6, 0x07), Grid(0xF7, 0x80)}));
  Sent vertical = PressAndRead(Form16->Button3, 2);
  EXPECT_EQ(vertical.bytes, Frames({Grid(0xFA, 0x04), Grid(0xFB, 0x38)}));
  EXPECT_EQ(vertical.pauses, Pauses({20, 100, 20}));
  struct Case {
    const char* text;
    int high, low;
  } cases[] = {{"0", 0x00, 0x00}, {"65535", 0xFF, 0xFF}, {"65536", 0x00, 0x00}, {"-1", 0x00, 0xFF}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Form16->Edit2->SetText(c.text);
    EXPECT_EQ(PressAndRead(Form16->Button5, 2).bytes, Frames({Grid(0xF4, c.high), Grid(0xF5, c.low)}));
  }

  Form16->Edit4->SetText("abc");
  Press(Form16->Button2);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].substr(boxes[0].find('|') + 1), "'abc' is not a valid integer value.");
  EXPECT_TRUE(screens.Drain(20).empty()) << "nothing of that pair";

  // The switch goes to the selection current at each click.
  EXPECT_EQ(PressAndRead(Form16->CheckBox1, 1).bytes, Grid(0xF3, 1));
  Form1->SelectionRight = 1, Form1->SelectionBottom = 1;
  EXPECT_EQ(PressAndRead(Form16->CheckBox1, 1).bytes, Frame(0x11, 0x11, 0xF3, 0));
}

TEST_F(ScreenDialogsTest, PlaybackPressFramesGoFirstAndCodesOnlyOnBecomingChecked) {
  ShowWindow(frmPlayMode);
  auto control = [&](const char* name) { return dynamic_cast<TControl*>(frmPlayMode->FindComponent(name)); };
  const Bytes splicing90 = Frame(0x21, 0x21, 0xEB, 0x25);
  Form18->ConsoleKind = ckSplicing;
  EXPECT_EQ(PressAndRead(control("rbNinty"), 2).bytes, Frames({Frame(0x11, 0x11, 0xF0, 0x01), splicing90}));
  EXPECT_EQ(PressAndRead(control("rbNinty"), 1).bytes, Frame(0x11, 0x11, 0xF0, 0x01)) << "checked already";
  Form18->ConsoleKind = ckGrid;
  EXPECT_EQ(PressAndRead(control("rbOheity"), 1).bytes, Grid(0xEB, 0x26)) << "no press frame on the grid console";
  Press(control("rbOheity"));
  Form18->ConsoleKind = ckHybrid;
  EXPECT_EQ(PressAndRead(control("rbPicMode"), 2).bytes, Frames({Frame(0x11, 0x11, 0x20, 0x0A), Hybrid(0xEB, 0x23)}));
  EXPECT_EQ(PressAndRead(control("rbVidMode"), 2).bytes, Frames({Frame(0x11, 0x11, 0x20, 0x0B), Hybrid(0xEB, 0x22)}));
  Form18->ConsoleKind = ckSplicing;
  EXPECT_EQ(PressAndRead(control("rbVidMode"), 1).bytes, Frame(0x11, 0x11, 0x20, 0x0B));
  EXPECT_TRUE(screens.Drain(20).empty()) << "the checked angle's second click on the grid console sent nothing";

  Form18->ConsoleKind = ckGrid;
  struct Choice {
    const char* name;
    int code;
  } choices[] = {{"rb1", 0x21}, {"rb2", 0x20}, {"rb25", 0x30}, {"rb3", 0x31}, {"rb15", 0x34}, {"rb6", 0x37},
                 {"rb18", 0x3A}, {"rb24", 0x40}, {"btn2", 0x05}, {"btn1", 0x01}, {"btn5", 0x02},
                 {"btn3", 0x03}, {"btn4", 0x04}, {"btn10", 0x06}, {"btn6", 0x0A}, {"btn9", 0x0D}};
  for (const Choice& c : choices) EXPECT_EQ(PressAndRead(control(c.name), 1).bytes, Grid(0xEB, c.code)) << c.name;

  // A choice by keyboard sends its code alone, on the splicing console too.
  Form18->ConsoleKind = ckSplicing;
  dynamic_cast<TWinControl*>(control("rb24"))->SetFocus();
  Pump();
  Headless().InjectKey(VK_UP, true);
  Headless().InjectKey(VK_UP, false);
  Pump();
  EXPECT_EQ(screens.Receive(6), Frame(0x21, 0x21, 0xEB, 0x3F)) << "from 16 back to 15";
  EXPECT_TRUE(screens.Drain(20).empty());
}

TEST_F(ScreenDialogsTest, RemoteKeysGoToTheSelectionOrTheWholeWall) {
  ShowWindow(Form27);
  auto key = [&](const char* name) { return dynamic_cast<TControl*>(Form27->FindComponent(name)); };
  Form18->ConsoleKind = ckSplicing;
  EXPECT_EQ(PressAndRead(key("btn13"), 1).bytes, Frame(0x11, 0xFF, 0xEB, 0x05));
  Form18->ConsoleKind = ckGrid;
  EXPECT_EQ(PressAndRead(key("btn13"), 1).bytes, Grid(0xEB, 0x05));
  Form18->ConsoleKind = ckHybrid;
  EXPECT_EQ(PressAndRead(key("btn13"), 1).bytes, Hybrid(0xEB, 0x05));
  EXPECT_EQ(PressAndRead(key("btnPower"), 1).bytes, Hybrid(0xEB, 0x0E)) << "a key, not the power command";
  for (TConsoleKind kind : {ckGrid, ckSplicing, ckHybrid, ckNone}) {
    Form18->ConsoleKind = kind;
    EXPECT_EQ(PressAndRead(key("btn3"), 1).bytes, Frame(0x00, 0xFF, 0x10, 0x01)) << kind;
  }

  Form18->ConsoleKind = ckGrid;
  struct Key {
    const char* name;
    int code;
  } keys[] = {{"btn7", 0x07},  {"btn4", 0x09},  {"btn9", 0x01},  {"btn11", 0x08}, {"btn12", 0x03},
              {"btn14", 0x04}, {"btn17", 0x02}, {"btn19", 0x06}, {"btn20", 0x0A}, {"btn21", 0x0B},
              {"btn22", 0x0C}, {"btn23", 0x0D}};
  for (const Key& k : keys) EXPECT_EQ(PressAndRead(key(k.name), 1).bytes, Grid(0xEB, k.code)) << k.name;
  EXPECT_TRUE(screens.Drain(20).empty());
}

TEST_F(ScreenDialogsTest, RemoteFacesOnTheBlackPanel) {
  ShowWindow(Form27);
  EXPECT_EQ(Form27->ClientWidth(), 238);
  EXPECT_EQ(Form27->ClientHeight(), 400);
  auto centre = [&](const char* name) {
    auto* c = dynamic_cast<TControl*>(Form27->FindComponent(name));
    EXPECT_EQ(c->Width(), 41);
    EXPECT_EQ(c->Height(), 20);
    POINT at = c->ClientToScreen(POINT{3, c->Height() / 2});
    return ScreenPixel(at.x, at.y);
  };
  EXPECT_EQ(centre("btnPower"), 0xFF0000u);
  EXPECT_EQ(centre("btn3"), 0x00FF00u);
  EXPECT_EQ(centre("btn13"), 0xC0C0C0u);
  POINT panel = Form27->rzpnl1->ClientToScreen(POINT{119, 300});
  EXPECT_EQ(ScreenPixel(panel.x, panel.y), 0x000000u);
}

TEST_F(ScreenDialogsTest, EnglishCaptionsAndScreenshots) {
  for (int language : {0, 1}) {
    SCOPED_TRACE(language);
    Form1->Language = language;
    const bool en = language == 1;
    ShowWindow(Form11);
    EXPECT_EQ(Form11->Caption(), en ? "Border Effect" : "边缘融合");
    EXPECT_EQ(Form11->GroupBox1->Caption(), en ? "Border Effect" : "边缘融合");
    EXPECT_EQ(Form11->CheckBox1->Caption(), en ? "Enable" : "使用融合效果");
    EXPECT_EQ(Form11->BitBtn10->Caption(), en ? "Apply" : "应用");
    EXPECT_EQ(Form11->Label5->Caption().substr(0, en ? 16 : 24),
              en ? "H. border adjust" : "融合水平方向调节");
    if (en) {
      EXPECT_EQ(Form11->Label6->Caption(), "V. Border adjust");
      Form11->TrackBar1->SetPosition(12);
      Form11->TrackBar2->SetPosition(34);
      EXPECT_EQ(Form11->Label5->Caption(), "H. boder 12");
      EXPECT_EQ(Form11->Label6->Caption(), "V. Boder  34");
    }
    SaveWindowShot(Form11, std::string("edge-blending-") + (en ? "en" : "zh") + ".png");
    Form11->Close();

    ShowWindow(Form16);
    EXPECT_EQ(Form16->Caption(), en ? "Special Regulation" : "异形调节");
    EXPECT_EQ(Form16->GroupBox2->Caption(), en ? "Special Regulation" : "异形调节");
    EXPECT_EQ(Form16->CheckBox1->Caption(), en ? "ENABLE" : "启动调节");
    EXPECT_EQ(Form16->Label20->Visible(), !en);
    EXPECT_EQ(Form16->LabelEn->Visible(), en);
    EXPECT_EQ(Form16->Label21->Caption(), en ? "Horizontal Start" : "水平起始调节：");
    EXPECT_EQ(Form16->Label22->Caption(), en ? "Horizontal Size" : "水平SIZE调节：");
    EXPECT_EQ(Form16->Label24->Caption(), en ? "Vertical Start" : "垂直起始调节：");
    EXPECT_EQ(Form16->Label23->Caption(), en ? "Vertical Size" : "垂直SIZE调节：");
    EXPECT_EQ(Form16->Button3->Caption(), en ? "Apply" : "应用");
    SaveWindowShot(Form16, std::string("irregular-shape-") + (en ? "en" : "zh") + ".png");
    Form16->Close();

    ShowWindow(frmPlayMode);
    EXPECT_EQ(frmPlayMode->Caption(), en ? "Play Setting" : "播放设置");
    EXPECT_EQ(frmPlayMode->cxgrpbxPayMode->Caption(), en ? "Play Mode Selection" : "开机播放模式选择");
    EXPECT_EQ(frmPlayMode->cxgrpbxAngle->Caption(), en ? "Picture angle selection" : "图片播放角度选择");
    EXPECT_EQ(frmPlayMode->rbPicMode->Caption(), en ? "Picture" : "图片");
    EXPECT_EQ(frmPlayMode->rbVidMode->Caption(), en ? "Video" : "视频");
    SaveWindowShot(frmPlayMode, std::string("boot-playback-") + (en ? "en" : "zh") + ".png");
    frmPlayMode->Close();

    ShowWindow(Form36);
    EXPECT_EQ(Form36->Bitbtn162->Caption(), "设置地址") << "the tool's texts stay Chinese";
    SaveWindowShot(Form36, std::string("address-tool-") + (en ? "en" : "zh") + ".png");
    Form36->Close();

    ShowWindow(Form27);
    EXPECT_EQ(Form27->btnPower->Caption(), "关") << "the remote's keys stay Chinese";
    SaveWindowShot(Form27, std::string("virtual-remote-") + (en ? "en" : "zh") + ".png");
    Form27->Close();
  }
}

}  // namespace
