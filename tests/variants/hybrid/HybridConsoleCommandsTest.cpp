// The hybrid-matrix console's buttons and popup items besides the splice and the cell model: their
// frames read at the screens' pseudo-terminal, every pause on the virtual clock, and the windows
// they open.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "console/DebugWindow.h"
#include "console/LoginWindow.h"
#include "console/SceneRename.h"
#include "console/ScreenFrame.h"
#include "console/VersionWindow.h"
#include "dialogs/CellColours.h"
#include "dialogs/EdgeBlending.h"
#include "dialogs/IrregularShape.h"
#include "dialogs/PictureParametersConsoles.h"
#include "dialogs/PlaybackSettings.h"
#include "dialogs/SplicingSettingsHybrid.h"
#include "dialogs/SubtitleSettings.h"
#include "dialogs/TimingSettings.h"
#include "dialogs/VirtualRemote.h"
#include "matrix/MatrixConfig.h"
#include "tests/support/ScreenFrames.h"
#include "tests/variants/hybrid/HybridConsoleFixture.h"

namespace {

using testsupport::Frame;
using testsupport::Frames;

class HybridCommandsTest : public hybridtest::HybridConsoleTest {
 protected:
  // Brings the pages the control sits on to the front, and presses it with the mouse.
  void ClickOn(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
      if (auto* page = dynamic_cast<TcxTabSheet*>(c)) page->PageControl()->SetActivePage(page);
    Pump();
    ClickAt(control->ClientToScreen(win::POINT{control->Width() / 2, control->Height() / 2}));
    Pump();
  }
  bool Quiet() { return peers[0].Drain(30).empty(); }
  // The service pages, as engineering mode shows them.
  void ShowServicePages() {
    Form18->DebugMode = 1;
    Form33->UpdateControlStatesHybrid();
    Pump();
  }
};

TEST_F(HybridCommandsTest, CommandsSendTheirFramesWithTheirPauses) {
  ShowConsole();
  Connect();
  ShowServicePages();
  struct Case {
    const char* what;
    std::function<void()> act;
    Bytes frames;
    std::uint64_t ms;  // each frame takes 20 ms of its own
  };
  auto click = [&](TControl* c) { return [this, c] { ClickOn(c); }; };
  auto item = [&](TMenuItem* i) { return [this, i] { i->Click(); Pump(); }; };
  auto pair = [](std::uint8_t a1, std::uint8_t a2, std::uint8_t c1, std::uint8_t c2, std::uint8_t v) {
    return Frames({Frame(a1, a2, c1, v), Frame(a1, a2, c2, v)});
  };
  const Case cases[] = {
      {"still before any selection", item(Form33->nStill), Frame(0x11, 0x11, 0x51, 0x01), 20},
      // The show's HDMI choice left the third scene chosen.
      {"first scene", [] { Form33->ComboBox3->SetItemIndex(0); }, {}, 0},
      {"save scene 1", click(Form33->BitBtn12), pair(0x11, 0xFF, 0x59, 0x82, 0x01), 20 + 200 + 20},
      {"third scene", [] { Form33->ComboBox3->SetItemIndex(2); }, {}, 0},
      {"recall scene 3", click(Form33->BitBtn13), pair(0x11, 0xFF, 0x5A, 0x83, 0x03), 20 + 200 + 20},
      {"select columns 1-2, rows 1-3", [this] { Drag(1, 1, 2, 3); }, {}, 0},
      {"power on", click(Form33->BitBtn5), Frame(0x11, 0x23, 0x10, 0x01), 20},
      {"standby", click(Form33->BitBtn6), Frame(0x11, 0x23, 0x10, 0x00), 20},
      {"fan automatic", click(Form33->BitBtn11), pair(0x11, 0x23, 0x56, 0x81, 0x00), 20 + 200 + 20},
      {"always off", click(Form33->RadioButton2), {}, 0},
      {"fan always off", click(Form33->BitBtn11), pair(0x11, 0x23, 0x56, 0x81, 0x02), 20 + 200 + 20},
      {"always on", click(Form33->RadioButton1), {}, 0},
      {"fan always on", click(Form33->BitBtn11), pair(0x11, 0x23, 0x56, 0x81, 0x01), 20 + 200 + 20},
      {"panel type, none checked", click(Form33->Button1), Frame(0x11, 0x23, 0x84, 0x02), 20},
      {"LG 8", click(Form33->RadioButton4), {}, 0},
      {"panel type LG 8", click(Form33->Button1), Frame(0x11, 0x23, 0x84, 0x00), 20},
      {"Samsung", click(Form33->rb1), {}, 0},
      {"panel type Samsung", click(Form33->Button1), Frame(0x11, 0x23, 0x84, 0x01), 20},
      {"LG 10", click(Form33->RadioButton5), {}, 0},
      {"panel type LG 10", click(Form33->Button1), Frame(0x11, 0x23, 0x84, 0x02), 20},
      {"A/B, none checked", click(Form33->Button8), Frame(0x11, 0x23, 0x85, 0x01), 20},
      {"standard", click(Form33->RadioButton9), {}, 0},
      {"A/B standard", click(Form33->Button8), Frame(0x11, 0x23, 0x85, 0x00), 20},
      {"sync value", [] { Form33->cxAsynParam->SetText("300"); }, {}, 0},
      {"sync send", click(Form33->Bitbtn), Frame(0x11, 0x23, 0x8C, 0x2C), 20},
      {"popup save", item(Form33->N8), pair(0x11, 0x23, 0x53, 0x7E, 0x01), 20 + 200 + 20},
      {"still", item(Form33->nStill), Frame(0x11, 0x23, 0x51, 0x01), 20},
      {"no signal black", item(Form33->N10), Frame(0x11, 0x23, 0x5E, 0x00), 20},
      {"no signal blue", item(Form33->N11), Frame(0x11, 0x23, 0x5D, 0x01), 20},
      {"aging open", item(Form33->N19), Frame(0x11, 0x23, 0xF1, 0x01), 20},
      {"aging close", item(Form33->N20), Frame(0x11, 0x23, 0xF1, 0x00), 20},
      {"flip positive", item(Form33->N21), Frame(0x11, 0x23, 0x87, 0x00), 20},
      {"flip inverse", item(Form33->N22), Frame(0x11, 0x23, 0x87, 0x01), 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Elapsed(c.act), c.ms);
    if (!c.frames.empty()) {
      EXPECT_EQ(peers[0].Receive(c.frames.size()), c.frames);
    }
    EXPECT_TRUE(Quiet());
  }
  EXPECT_TRUE(Boxes().empty());
  // The test page as the cases leave it: LG 10 and A/B standard checked.
  ClickOn(Form33->RadioButton9);
  SaveWindowShot(Form33, "variants/hybrid-console-test-page.png");
}

TEST_F(HybridCommandsTest, ASyncValueThatIsNoIntegerSendsNothing) {
  ShowConsole();
  Connect();
  ShowServicePages();
  for (const char* text : {"", "abc", "3.5", "99999999999"}) {
    SCOPED_TRACE(text);
    Form33->cxAsynParam->SetText(text);
    ClickOn(Form33->Bitbtn);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"error !"});
    EXPECT_TRUE(Quiet());
  }
  // A negative value goes as its low byte.
  Form33->cxAsynParam->SetText("-1");
  ClickOn(Form33->Bitbtn);
  EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x11, 0x8C, 0xFF));
}

TEST_F(HybridCommandsTest, DelayedPowerOnGoesScreenByScreenOverTheGridsSelection) {
  ShowConsole();
  Connect();
  Form33->CheckBox1->SetChecked(true);
  EXPECT_EQ(ReadConfigText().find("KJ"), std::string::npos);  // the tick is read at show, never written
  Form33->LabeledEdit10->SetText("1");
  Drag(1, 1, 2, 2);
  const Bytes fourScreens = Frames({Frame(0x11, 0x11, 0x10, 0x01), Frame(0x21, 0x21, 0x10, 0x01),
                                    Frame(0x12, 0x12, 0x10, 0x01), Frame(0x22, 0x22, 0x10, 0x01)});
  EXPECT_EQ(Elapsed([&] { ClickOn(Form33->BitBtn5); }), 4u * (20u + 1000u));
  EXPECT_EQ(peers[0].Receive(24), fourScreens);
  // The grid's own selection counts, not the stored fields.
  Form33->SelectionRight = 3;
  Form33->LabeledEdit10->SetText("-1");  // no pause at all
  EXPECT_EQ(Elapsed([&] { ClickOn(Form33->BitBtn5); }), 4u * 20u);
  EXPECT_EQ(peers[0].Receive(24), fourScreens);
  // A delay past 32 bits of milliseconds is counted whole.
  Drag(1, 1, 1, 1);
  Form33->LabeledEdit10->SetText("4294968");
  EXPECT_EQ(Elapsed([&] { ClickOn(Form33->BitBtn5); }), 20u + 4294968000u);
  EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x11, 0x10, 0x01));
  // A delay that is no number stops after the first screen, with the conversion's message.
  Drag(1, 1, 3, 1);
  Form33->LabeledEdit10->SetText("x");
  ClickOn(Form33->BitBtn5);
  EXPECT_EQ(peers[0].Receive(6), Frame(0x11, 0x11, 0x10, 0x01));
  EXPECT_TRUE(Quiet());
  const std::vector<std::string> messages = Boxes();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("'x' is not a valid integer value"), std::string::npos) << messages[0];
}

TEST_F(HybridCommandsTest, ButtonsOpenTheirWindowsAndCommandsWithoutALinkReportNothing) {
  ShowConsole();
  struct Case {
    std::function<void()> open;
    TCustomForm* window;
  };
  auto button = [](TcxButton* b) { return [b] { b->Click(); }; };
  auto item = [](TMenuItem* i) { return [i] { i->Click(); }; };
  const Case cases[] = {
      {button(Form33->BitBtn16), Form2},          {button(Form33->BitBtn17), Form34},
      {button(Form33->BitBtn18), Form3},          {button(Form33->BitBtn3), Form7},
      {button(Form33->BitBtn4), Form5},           {button(Form33->BitBtn7), Form6},
      {button(Form33->btnPlayMode), frmPlayMode}, {button(Form33->btnBackColor), Form20},
      {button(Form33->btnTimeSet), frmTimingSetting},
      {button(Form33->btnSubtitileSetting), frmSubtitleSettings},
      {button(Form33->Bitbtn9), Form27},          {item(Form33->N7), Form32},
      {item(Form33->N12), Form11},                {item(Form33->N15), Form16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.window->ClassName());
    ASSERT_FALSE(c.window->Visible());
    c.open();
    Pump();
    EXPECT_TRUE(c.window->Visible());
    c.window->Hide();
    Pump();
  }
  // With no link open the commands go nowhere, and nothing is reported.
  for (TMenuItem* i : {Form33->N8, Form33->nStill, Form33->N22}) i->Click();
  Form33->BitBtn12->Click();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(Quiet());
}

TEST_F(HybridCommandsTest, TheRenameButtonRenamesThisConsolesScenes) {
  ShowConsole();
  Form33->ComboBox3->SetItemIndex(4);
  ClickOn(Form33->Button2);
  ASSERT_TRUE(Form9->Visible());
  EXPECT_EQ(Form9->Caption(), Form33->Button2->Caption());
  EXPECT_EQ(Form9->Edit1->Text(), "场景5");
  SaveWindowShot(Form9, "variants/hybrid-scene-rename.png");
  Form9->Edit1->SetText("Lobby");
  Form9->Button1->Click();
  Pump();
  EXPECT_EQ(Items(Form33->ComboBox3)[4], "Lobby");
  EXPECT_NE(ReadConfigText().find("scene5=Lobby"), std::string::npos) << ReadConfigText();
  EXPECT_TRUE(Boxes().empty());
}

}  // namespace
