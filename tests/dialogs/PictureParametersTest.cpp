// The grid console's picture parameter dialog as the operator drives it: clicks injected into the
// shown dialog, the screens' port a pseudo-terminal standing for COM1, time virtual. The wall
// selection is (1,1)-(2,2), so every frame reads C6 11 22 command value BB.
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "console/CommSettings.h"
#include "console/GridConsole.h"
#include "console/ScreenFrame.h"
#include "dialogs/PictureParameters.h"
#include "tests/dialogs/PictureDialogFixture.h"

namespace {

using namespace win;
using picturetest::Bytes;
using picturetest::Pauses;

Bytes Frame(int command, int value) {
  return {0xC6, 0x11, 0x22, static_cast<std::uint8_t>(command), static_cast<std::uint8_t>(value), 0xBB};
}

Bytes Frames(std::initializer_list<std::pair<int, int>> frames) {
  Bytes out;
  for (auto [command, value] : frames) {
    Bytes f = Frame(command, value);
    out.insert(out.end(), f.begin(), f.end());
  }
  return out;
}

class PictureParametersTest : public picturetest::PictureDialogTest {
 protected:
  void SetUp() override {
    PictureDialogTest::SetUp();
    if (HasFatalFailure()) return;
    dialog = Form4;
    Form18->ConsoleKind = ckGrid;
    Form1->SelectionLeft = 1, Form1->SelectionTop = 1, Form1->SelectionRight = 2, Form1->SelectionBottom = 2;
  }

  void Connect() { PictureDialogTest::Connect(Form1->BitBtn1); }
};

TEST_F(PictureParametersTest, EveryStepButtonSendsItsCommandDownZeroUpOne) {
  Connect();
  ShowDialog();
  for (const picturetest::StepRow& row : picturetest::kStepRows) {
    SCOPED_TRACE(row.down);
    Sent down = PressAndRead(Find(row.down), 1);
    EXPECT_EQ(down.bytes, Frame(row.command, 0));
    EXPECT_EQ(down.pauses, Pauses({20}));
    EXPECT_EQ(PressAndRead(Find(row.up), 1).bytes, Frame(row.command, 1));
  }
  EXPECT_TRUE(screens.Drain(20).empty());
}

TEST_F(PictureParametersTest, BackLightAndMixedColoursSendThreeFramesInOrder) {
  Connect();
  ShowDialog();
  Sent backlight = PressAndRead(Find("SpeedButton44"), 2);
  EXPECT_EQ(backlight.bytes, Frames({{0x50, 1}, {0x7C, 1}}));
  EXPECT_EQ(backlight.pauses, Pauses({20, 100, 20}));
  EXPECT_EQ(PressAndRead(Find("SpeedButton43"), 2).bytes, Frames({{0x50, 0}, {0x7C, 0}}));

  struct Row {
    const char* colour;
    int sub[3];
  } rows[] = {{"Yellow", {0, 0, 1}}, {"Purple", {0, 1, 0}}, {"Cyan", {1, 0, 0}}, {"Gray", {1, 1, 1}}};
  for (auto [group, red] : {std::pair{"Brn", 0x38}, std::pair{"Drn", 0x35}}) {
    for (const Row& row : rows) {
      for (bool add : {false, true}) {
        std::string name = std::string("btn") + group + row.colour + (add ? "Add" : "Sub");
        SCOPED_TRACE(name);
        auto value = [&](int i) { return add ? 1 - row.sub[i] : row.sub[i]; };
        Sent sent = PressAndRead(Find(name), 3);
        EXPECT_EQ(sent.bytes, Frames({{red, value(0)}, {red + 1, value(1)}, {red + 2, value(2)}}));
        const std::uint32_t pause = name == "btnDrnGrayAdd" ? 50 : 100;
        EXPECT_EQ(sent.pauses, Pauses({20, pause, 20, pause, 20}));
      }
    }
  }
}

TEST_F(PictureParametersTest, SwatchesSendTheirGainsWithTheirPauses) {
  Connect();
  ShowDialog();
  struct Case {
    const char* swatch;
    Bytes bytes;
    Pauses pauses;
  } cases[] = {
      {"BtnYel0", Frames({{0x6B, 0x6E}, {0x6C, 0x6E}}), {20, 100, 20, 50}},
      {"BtnYel35", Frames({{0x6B, 0x91}, {0x6C, 0x91}}), {20, 100, 20, 50}},
      {"BtnGra0", Frames({{0x6B, 0x92}, {0x6C, 0x92}, {0x6D, 0x92}}), {20, 100, 20, 100, 20, 100}},
      {"BtnGra35", Frames({{0x6B, 0x6F}, {0x6C, 0x6F}, {0x6D, 0x6F}}), {20, 100, 20, 100, 20, 100}},
      {"BtnPur10", Frames({{0x6B, 0x78}, {0x6D, 0x78}}), {20, 100, 20, 50}},
      {"BtnBlu5", Frames({{0x6D, 0x73}}), {20, 100}},
      {"BtnRed1", Frames({{0x6B, 0x6F}}), {20, 50}},
      {"BtnChi2", Frames({{0x6C, 0x70}, {0x6D, 0x70}}), {20, 100, 20, 50}},
      {"BtnGre3", Frames({{0x6C, 0x71}}), {20, 50}},
  };
  // Columns 34 and 35 lie beyond the panel: those are pressed through the handler.
  for (const Case& c : cases) {
    SCOPED_TRACE(c.swatch);
    auto* swatch = Find<TRzPanel>(c.swatch);
    Sent sent = swatch->Left() + swatch->Width() <= Form4->Panel1->Width()
                    ? PressAndRead(swatch, c.bytes.size() / 6)
                    : CallAndRead([&] { Form4->SwatchMouseDown(swatch, mbLeft, {}, 1, 1); }, c.bytes.size() / 6);
    EXPECT_EQ(sent.bytes, c.bytes);
    EXPECT_EQ(sent.pauses, c.pauses);
    EXPECT_EQ(Form4->SelectedSwatch, swatch);
  }

  // A grey swatch holds the program for its frames and pauses.
  std::uint64_t before = clock->NowMs();
  PressAndRead(Find("BtnGra1"), 3);
  EXPECT_EQ(clock->NowMs() - before, 360u);

  // Any mouse button; the same swatch again stays selected and sends again.
  auto* first = Find<TRzPanel>("BtnGre7");
  auto* second = Find<TRzPanel>("BtnChi7");
  for (int button : {platform::kButtonRight, platform::kButtonMiddle, platform::kButtonLeft}) {
    EXPECT_EQ(PressAndRead(first, 1, button).bytes, Frame(0x6C, 117)) << button;
    EXPECT_EQ(Form4->SelectedSwatch, first);
    EXPECT_EQ(first->BorderOuter(), fsButtonDown);
  }
  PressAndRead(second, 2);
  EXPECT_EQ(Form4->SelectedSwatch, second);
  EXPECT_EQ(second->BorderOuter(), fsButtonDown);
  EXPECT_EQ(first->BorderOuter(), fsNone);
  EXPECT_TRUE(screens.Drain(20).empty());
}

TEST_F(PictureParametersTest, ThePaletteIsDrawnInItsColoursWithTheSelectedEdge) {
  ShowDialog();
  Form4->cxPageControl1->SetActivePage(Form4->ColorAdjust);
  TPanel* panel = Form4->Panel1;
  // Across its page: 788 as designed, less what the consoles' skin gives the page's margins.
  EXPECT_EQ(panel->Width(), Form4->ColorAdjust->ClientWidth());
  EXPECT_GE(panel->Width(), 770);  // still 35 px a swatch column
  EXPECT_EQ(panel->Height(), 297);
  auto* yellow0 = Find<TRzPanel>("BtnYel0");
  EXPECT_EQ(yellow0->BoundsRect(), (RECT{10, 10, 40, 40}));
  EXPECT_EQ(yellow0->Hint(), "0");
  EXPECT_EQ(yellow0->Caption(), "");
  EXPECT_EQ(Find<TRzPanel>("BtnGra35")->BoundsRect(), (RECT{1235, 220, 1265, 250}));
  EXPECT_EQ(Find<TRzPanel>("BtnGra35")->Owner(), Form4);
  EXPECT_EQ(Find<TRzPanel>("BtnGra35")->Parent(), panel);

  std::vector<std::uint32_t> pixels = WindowPixels(panel);
  auto at = [&](int x, int y) { return pixels.at(static_cast<std::size_t>(y) * panel->Width() + x); };
  for (int y = 10; y < 40; ++y)
    for (int x = 10; x < 40; ++x) ASSERT_EQ(at(x, y), 0xFFFFFFu) << x << "," << y;
  EXPECT_EQ(at(9, 9), 0x808080u) << "the panel's grey around it";
  EXPECT_EQ(at(40, 40), 0x808080u);
  const std::uint32_t column20[] = {0xFFFFAF, 0xFFAFFF, 0xFFAFAF, 0xAFFFFF, 0xAFFFAF, 0xAFAFFF, 0xAFAFAF};
  for (int row = 0; row < 7; ++row) EXPECT_EQ(at(10 + 20 * 35 + 15, 10 + row * 35 + 15), column20[row]) << row;

  // The selected swatch shows the button-down edge; the one selected before it shows none.
  auto* blue = Find<TRzPanel>("BtnBlu3");
  auto* grey = Find<TRzPanel>("BtnGra3");
  Form4->SwatchMouseDown(blue, mbLeft, {}, 0, 0);
  Form4->SwatchMouseDown(grey, mbLeft, {}, 0, 0);
  pixels = WindowPixels(panel);
  const std::uint32_t blueFill = 0xF3F3FF, greyFill = 0xF3F3F3;
  for (int i = 0; i < 30; ++i) {
    EXPECT_EQ(at(blue->Left() + i, blue->Top()), blueFill) << i;
    EXPECT_EQ(at(blue->Left(), blue->Top() + i), blueFill) << i;
  }
  EXPECT_NE(at(grey->Left(), grey->Top()), greyFill) << "dark top-left edge";
  EXPECT_NE(at(grey->Left() + 29, grey->Top() + 29), greyFill) << "light bottom-right edge";
  EXPECT_EQ(at(grey->Left() + 15, grey->Top() + 15), greyFill);
}

TEST_F(PictureParametersTest, GainsSendTheLowByteOfEachEditAndStopAtABadOne) {
  Connect();
  ShowDialog();
  for (TEdit* edit : {Form4->edt1, Form4->edt2, Form4->edt3}) EXPECT_EQ(edit->Text(), "128");
  Sent sent = PressAndRead(Form4->btn1, 3);
  EXPECT_EQ(sent.bytes, Frames({{0x6B, 128}, {0x6C, 128}, {0x6D, 128}}));
  EXPECT_EQ(sent.pauses, Pauses({20, 100, 20, 100, 20}));

  Form4->edt1->SetText("300");
  Form4->edt2->SetText("-1");
  Form4->edt3->SetText("0");
  EXPECT_EQ(PressAndRead(Form4->btn1, 3).bytes, Frames({{0x6B, 0x2C}, {0x6C, 0xFF}, {0x6D, 0x00}}));

  Form4->edt2->SetText("12a");
  sent = PressAndRead(Form4->btn1, 1);
  EXPECT_EQ(sent.bytes, Frame(0x6B, 0x2C)) << "the red gain, then nothing";
  EXPECT_EQ(sent.pauses, Pauses({20, 100}));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].substr(boxes[0].find('|') + 1), "'12a' is not a valid integer value.");
  EXPECT_TRUE(screens.Drain(20).empty());
}

TEST_F(PictureParametersTest, TheWidthPanelWidensNarrowsAndLooksPressedFor200ms) {
  ShowDialog();
  TRzPanel* toggle = Form4->rzpnl3;
  EXPECT_EQ(Form4->Width(), 808);
  EXPECT_EQ(toggle->Caption(), ">>>");
  Press(toggle);
  EXPECT_EQ(Form4->Width(), 1208);
  EXPECT_EQ(toggle->Caption(), "<<<");
  EXPECT_EQ(toggle->Left(), 1108);
  EXPECT_EQ(toggle->BorderOuter(), fsButtonDown);
  RunFor(199);
  EXPECT_EQ(toggle->BorderOuter(), fsButtonDown);
  RunFor(1);
  EXPECT_EQ(toggle->BorderOuter(), fsFlatRounded);
  EXPECT_FALSE(Form4->tmr1->Enabled());
  // From the first press on, a swatch that loses the selection takes the panel's own style.
  EXPECT_EQ(Form4->rzpnl2->BorderOuter(), fsFlatRounded);

  // Columns 34 and 35 still lie beyond the widened panel.
  EXPECT_GT(Find("BtnYel34")->Left(), Form4->Panel1->Width());

  // A swatch chosen while the panel looks pressed keeps its frame when the press ends.
  Press(toggle);
  EXPECT_EQ(Form4->Width(), 711);
  EXPECT_EQ(toggle->Caption(), ">>>");
  EXPECT_EQ(toggle->Left(), 611);
  auto* swatch = Find<TRzPanel>("BtnRed2");
  Press(swatch);
  EXPECT_EQ(toggle->BorderOuter(), fsFlatRounded);
  RunFor(250);
  EXPECT_EQ(Form4->SelectedSwatch, swatch);
  EXPECT_EQ(swatch->BorderOuter(), fsButtonDown);
  EXPECT_FALSE(Form4->tmr1->Enabled());
  Press(Find("BtnRed3"));
  EXPECT_EQ(swatch->BorderOuter(), fsFlatRounded);
}

TEST_F(PictureParametersTest, ShowingWritesTheSelectionTheLanguageAndTheColourTempPage) {
  struct Caption {
    const char *name, *chinese, *english;
  } captions[] = {
      {"Label1", "调整范围:", "Effect Range:"},
      {"BitBtn8", "系统复位", "Reset"},
      {"tsCOLORTEMP", "色温调整", "COLOR TEMP"},
      {"ColorAdjust", "色彩调整", "COLOR ADJUST"},
      {"Label25", "背光亮度调整", "Back Light"},
      {"Button2", "保存调整", "Save"},
      {"Button3", "关闭", "Close"},
      {"Button4", "色彩自动调整", "Auto Color"},
      {"Button1", "位置自动调整", "Auto Pos."},
      {"GroupBox5", "图像", "Picture"},
      {"GroupBox6", "位置", "Postion"},
      {"GroupBox10", "重显率调节", "Reproduction Rate Adjustment"},
      {"GroupBox1", "图像", "Picture"},
      {"GroupBox11", "色彩亮平衡", "Color Brightness Balance"},
      {"GroupBox2", "色彩暗平衡", "Color Darkness Balance"},
      {"grpDHYPicture", "图像", "Picture"},
      {"GroupBox8", "色温亮阶调整", "Color Brightness Adjustment"},
      {"GroupBox7", "色温暗阶调整", "Color Darkness Adjustment"},
      {"lblVideoSaturation", "饱和度", "Satuation"},
      {"lblHStart", "水平起始位置", "HSTART"},
      {"lblPcPhase", "相位", "Phase"},
      {"lblDHYVPosition", "垂直位置", "V Position"},
      {"lblDarkLevelGray", "灰色", "Gray"},
      {"lblBrightLevelYellow", "黄色", "Yellow"},
  };
  const std::pair<const char*, const char*> same[] = {
      {"lbl4", "红色:"}, {"lbl5", "绿色:"}, {"lbl6", "蓝色:"}, {"btn1", "调整"},
      {"lbl13", "注意：参照色温调整下的说明，在色温调整下微调"}, {"lbl11", "在计算机和显示器中，都是用红、绿、蓝作为三种基色，\r\n"
      "因为这三种颜色，经过适当的组合，可以产生其他任何\r\n颜色，如左图所示："}};
  // Stored mixed: a language other than 0 and 1 keeps them.
  Form1->Language = 2;
  ShowDialog();
  EXPECT_EQ(Find("Label25")->Caption(), "Back Light");
  EXPECT_EQ(Find("GroupBox5")->Caption(), "Picture");
  EXPECT_EQ(Find("GroupBox10")->Caption(), "重显率调节");
  EXPECT_EQ(Form4->Caption(), "参数调整");
  Form4->Button3->Click();
  EXPECT_FALSE(Form4->Visible());

  for (int language : {1, 0}) {
    SCOPED_TRACE(language);
    Form1->Language = language;
    Form4->cxPageControl1->SetActivePage(Form4->TabSheet2);
    ShowDialog();
    EXPECT_EQ(Form4->cxPageControl1->ActivePage(), Form4->tsCOLORTEMP);
    EXPECT_EQ(Form4->Caption(), language ? " Video Adjust" : "参数调整");
    for (const Caption& c : captions) EXPECT_EQ(Find(c.name)->Caption(), language ? c.english : c.chinese) << c.name;
    for (const auto& [name, caption] : same) EXPECT_EQ(Find(name)->Caption(), caption) << name;
    // Shown again while open, it only comes forward: the page stays where the operator put it.
    Form4->cxPageControl1->SetActivePage(Form4->TabSheet1);
    ShowDialog();
    EXPECT_EQ(Form4->cxPageControl1->ActivePage(), Form4->TabSheet1);
    Form4->Close();
  }

}

TEST_F(PictureParametersTest, TheSelectionShownIsTheWallGrids) {
  Form1->Show();
  Pump();
  // Before any click on the wall the grid holds its first cell.
  ShowDialog();
  EXPECT_EQ(Form4->Label2->Caption(), "1,1 - 1,1");
  Form4->Close();

  TStringGrid* grid = Form1->stringgrid1;
  auto centre = [&](int column, int row) {
    RECT r = grid->CellRect(column, row);
    return grid->ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  };
  // A drag from column 3, row 2 up to the first screen.
  DragAt(centre(3, 2), centre(1, 1));
  ShowDialog();
  EXPECT_EQ(Form4->Label2->Caption(), "1,1 - 3,2");

  // With the dialog open (moved off the wall), each release on the wall shows at once.
  Form4->SetTop(Form1->Top() + Form1->Height());
  Pump();
  DragAt(centre(2, 3), centre(3, 2));
  EXPECT_EQ(Form4->Label2->Caption(), "2,2 - 3,3");
  EXPECT_TRUE(Form4->Visible());
}

TEST_F(PictureParametersTest, ResetNeedsALinkAndRoutingReplacesEveryFrame) {
  ShowDialog();
  EXPECT_FALSE(Form4->BitBtn8->Enabled());
  Connect();
  EXPECT_TRUE(Form4->BitBtn8->Enabled());
  EXPECT_EQ(PressAndRead(Form4->BitBtn8, 1).bytes, Frame(0x52, 1));
  EXPECT_EQ(PressAndRead(Form4->Button2, 1).bytes, Frame(0x53, 1));
  EXPECT_EQ(PressAndRead(Form4->Button4, 1).bytes, Frame(0x4D, 1));
  EXPECT_EQ(PressAndRead(Form4->Button1, 1).bytes, Frame(0x4C, 1));
  Press(Form4->Button3);
  EXPECT_FALSE(Form4->Visible());
  EXPECT_TRUE(screens.Drain(20).empty()) << "closing sends nothing";

  // FST, HDMI and linkage: each frame becomes the routing of the chosen input.
  ShowDialog();
  Form1->ComboBox1->SetItemIndex(3);
  Form1->CheckBox3->SetChecked(true);  // which labels the HDMI list's make
  Form1->Label7->SetCaption("FST");
  Form1->ComboBox8->SetItemIndex(0);
  const Bytes routing = {0xD6, 0x11, 0x22, 0x01, 0x01, 0xD6};
  Bytes three;
  for (int i = 0; i < 3; ++i) three.insert(three.end(), routing.begin(), routing.end());
  EXPECT_EQ(PressAndRead(Find("BtnGra4"), 3).bytes, three);
}

TEST_F(PictureParametersTest, Screenshots) {
  for (int language : {0, 1}) {
    Form1->Language = language;
    ShowDialog();
    Form4->SwatchMouseDown(Find("BtnGra12"), mbRight, {}, 0, 0);
    for (int page = 0; page < Form4->cxPageControl1->PageCount(); ++page) {
      Form4->cxPageControl1->SelectPageByIndex(page);
      SaveWindowShot(Form4, "picture-parameters-" + std::string(language ? "en" : "zh") + "-page" +
                                std::to_string(page) + ".png");
    }
    Press(Form4->rzpnl3);
    RunFor(200);
    SaveWindowShot(Form4, std::string("picture-parameters-") + (language ? "en" : "zh") + "-widened.png");
    Press(Form4->rzpnl3);
    RunFor(200);
    SaveWindowShot(Form4, std::string("picture-parameters-") + (language ? "en" : "zh") + "-narrowed.png");
    Form4->Close();
    Form4->SetWidth(808);
  }
}

}  // namespace
