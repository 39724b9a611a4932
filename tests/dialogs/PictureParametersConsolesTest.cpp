// The splicing and hybrid-matrix consoles' picture parameter dialog as the operator drives it:
// clicks injected into the shown dialog, the screens' port a pseudo-terminal standing for COM1,
// time virtual. Both consoles hold the wall selection (2,1)-(3,2), so a frame addressed to it reads
// C6 21 32 command value BB; the splicing console's picture steps go to 11 11 instead.
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "console/CommSettings.h"
#include "dialogs/PictureParametersConsoles.h"
#include "tests/dialogs/PictureDialogFixture.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

namespace {

using namespace win;
using picturetest::Bytes;
using picturetest::Pauses;

constexpr int kSelected = 0x2132;  // start 21, end 32
constexpr int kFirst = 0x1111;     // the first screen

// Frames of (address pair, command, value), one after the other.
Bytes Frames(std::initializer_list<std::tuple<int, int, int>> frames) {
  Bytes out;
  for (auto [to, command, value] : frames) {
    Bytes f = {0xC6, static_cast<std::uint8_t>(to >> 8), static_cast<std::uint8_t>(to & 0xFF),
               static_cast<std::uint8_t>(command), static_cast<std::uint8_t>(value), 0xBB};
    out.insert(out.end(), f.begin(), f.end());
  }
  return out;
}

class PictureParametersConsolesTest : public picturetest::PictureDialogTest {
 protected:
  void SetUp() override {
    PictureDialogTest::SetUp();
    if (HasFatalFailure()) return;
    dialog = Form32;
    Form18->tmr1->SetEnabled(false);
    Form18->ConsoleKind = ckHybrid;
    SelectOn(Form23);
    SelectOn(Form33);
  }

  template <class Console>
  static void SelectOn(Console* console) {
    console->SelectionLeft = 2, console->SelectionTop = 1, console->SelectionRight = 3, console->SelectionBottom = 2;
  }
  void Connect() { PictureDialogTest::Connect(Form33->BitBtn1); }
};

TEST_F(PictureParametersConsolesTest, PictureStepsGoToTheFirstScreenUnderTheSplicingConsole) {
  struct Case {
    const char* control;
    Bytes splicing, hybrid;
    Pauses pauses;
  } cases[] = {
      {"SpeedButton2", Frames({{kFirst, 0x31, 1}}), Frames({{kSelected, 0x31, 1}}), {20}},
      {"SpeedButton30", Frames({{kFirst, 0x45, 1}, {kFirst, 0x45, 1}}),
       Frames({{kSelected, 0x45, 1}, {kFirst, 0x45, 1}}), {20, 20}},
      {"SpeedButton29", Frames({{kFirst, 0x45, 0}}), Frames({{kSelected, 0x45, 0}}), {20}},
      {"Button2", Frames({{kFirst, 0x53, 1}, {kFirst, 0x7E, 1}}), Frames({{kSelected, 0x53, 1}, {kSelected, 0x7E, 1}}),
       {20, 100, 20}},
      {"Button1", Frames({{kFirst, 0x4C, 1}}), Frames({{kSelected, 0x4C, 1}}), {20}},
      {"Button4", Frames({{kFirst, 0x4D, 1}}), Frames({{kSelected, 0x4D, 1}}), {20}},
      {"cxButton8", Frames({{kFirst, 0x43, 1}}), Frames({{kSelected, 0x43, 1}}), {20}},
      {"SpeedButton56", Frames({{kFirst, 0x3A, 1}}), Frames({{kSelected, 0x3A, 1}}), {20}},
      {"SpeedButton45", Frames({{kFirst, 0x35, 0}}), Frames({{kSelected, 0x35, 0}}), {20}},
      // Every other control goes to the selection under both consoles.
      {"SpeedButton44", Frames({{kSelected, 0x7C, 1}}), Frames({{kSelected, 0x7C, 1}}), {20}},
      {"SpeedButton43", Frames({{kSelected, 0x7C, 0}}), Frames({{kSelected, 0x7C, 0}}), {20}},
      {"BitBtn8", Frames({{kSelected, 0x7D, 1}, {kSelected, 0x52, 1}}), Frames({{kSelected, 0x7D, 1}, {kSelected, 0x52, 1}}),
       {20, 100, 20}},
      {"BitbtnSame", Frames({{kSelected, 0x8D, 1}}), Frames({{kSelected, 0x8D, 1}}), {20}},
  };
  Connect();
  ShowDialog();
  for (TConsoleKind kind : {ckSplicing, ckHybrid}) {
    Form18->ConsoleKind = kind;
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.control) + (kind == ckSplicing ? " splicing" : " hybrid"));
      const Bytes& expected = kind == ckSplicing ? c.splicing : c.hybrid;
      Sent sent = PressAndRead(Find(c.control), expected.size() / 6);
      EXPECT_EQ(sent.bytes, expected);
      EXPECT_EQ(sent.pauses, c.pauses);
    }
  }
  EXPECT_TRUE(screens.Drain(20).empty());
}

TEST_F(PictureParametersConsolesTest, EveryPictureStepButtonIsWiredDownZeroUpOne) {
  Connect();
  ShowDialog();
  Form18->ConsoleKind = ckSplicing;
  for (const picturetest::StepRow& row : picturetest::kStepRows) {
    SCOPED_TRACE(row.down);
    if (row.command == 0x45) continue;  // the phase's up button adds a frame: above
    EXPECT_EQ(PressAndRead(Find(row.down), 1).bytes, Frames({{kFirst, row.command, 0}}));
    EXPECT_EQ(PressAndRead(Find(row.up), 1).bytes, Frames({{kFirst, row.command, 1}}));
  }
  // The grid console's colour temperature has mixed colours; here the COLOR TEMP page has none.
  for (const char* name : {"btnDrnYellowSub", "lblBrightLevelYellow", "img1", "edt1", "btn1"})
    EXPECT_EQ(Form32->FindComponent(name), nullptr) << name;
  EXPECT_TRUE(screens.Drain(20).empty());
}

TEST_F(PictureParametersConsolesTest, ColourAdjustmentAndEdgeBrighteningSendToTheSelection) {
  struct Case {
    const char* control;
    Bytes bytes;
    Pauses pauses;
  } cases[] = {
      {"Bitbtn", Frames({{kSelected, 0x73, 0}}), {20}},
      {"Bitbtn1", Frames({{kSelected, 0x73, 1}}), {20}},
      {"Bitbtn3", Frames({{kSelected, 0x74, 0}}), {20}},
      {"Bitbtn2", Frames({{kSelected, 0x74, 1}}), {20}},
      {"Bitbtn5", Frames({{kSelected, 0x75, 0}}), {20}},
      {"Bitbtn4", Frames({{kSelected, 0x75, 1}}), {20}},
      {"Bitbtn13", Frames({{kSelected, 0x79, 0}}), {20}},
      {"Bitbtn14", Frames({{kSelected, 0x79, 1}}), {20}},
      {"btnBrnYellowSub", Frames({{kSelected, 0x73, 0}, {kSelected, 0x74, 0}}), {20, 100, 20}},
      {"btnBrnYellowAdd", Frames({{kSelected, 0x73, 1}, {kSelected, 0x74, 1}}), {20, 100, 20}},
      {"btnBrnPurpleSub", Frames({{kSelected, 0x73, 0}, {kSelected, 0x75, 0}}), {20, 100, 20}},
      {"btnBrnPurpleAdd", Frames({{kSelected, 0x73, 1}, {kSelected, 0x75, 1}}), {20, 100, 20}},
      {"btnBrnCyanSub", Frames({{kSelected, 0x74, 0}, {kSelected, 0x75, 0}}), {20, 100, 20}},
      {"btnBrnCyanAdd", Frames({{kSelected, 0x74, 1}, {kSelected, 0x75, 1}}), {20, 100, 20}},
      {"btnBrnGraySub", Frames({{kSelected, 0x73, 0}, {kSelected, 0x74, 0}, {kSelected, 0x75, 0}}),
       {20, 100, 20, 100, 20}},
      {"btnBrnGrayAdd", Frames({{kSelected, 0x73, 1}, {kSelected, 0x74, 1}, {kSelected, 0x75, 1}}),
       {20, 100, 20, 100, 20}},
  };
  Connect();
  ShowDialog();
  for (TConsoleKind kind : {ckSplicing, ckHybrid}) {
    Form18->ConsoleKind = kind;
    for (const Case& c : cases) {
      SCOPED_TRACE(c.control);
      Sent sent = PressAndRead(Find(c.control), c.bytes.size() / 6);
      EXPECT_EQ(sent.bytes, c.bytes);
      EXPECT_EQ(sent.pauses, c.pauses);
    }
  }

  // The level's position + 1, three times over for the first two commands; a typed text that is
  // no item sends zeros.
  struct Level {
    const char* text;
    int a, level;
  } levels[] = {{"85", 0xFF, 85}, {"1", 3, 1}, {"40", 120, 40}, {"abc", 0, 0}};
  for (const Level& l : levels) {
    SCOPED_TRACE(l.text);
    Form32->cbb3->SetText(l.text);
    Sent sent = PressAndRead(Form32->BitbtnSet, 3);
    EXPECT_EQ(sent.bytes, Frames({{kSelected, 0x93, l.a}, {kSelected, 0x94, l.a}, {kSelected, 0x95, l.level}}));
    EXPECT_EQ(sent.pauses, Pauses({20, 200, 20, 200, 20}));
  }

  // With nothing selected on the hybrid-matrix console, its sender falls back to the first screen.
  Form33->SelectionLeft = Form33->SelectionTop = Form33->SelectionRight = Form33->SelectionBottom = 0;
  EXPECT_EQ(PressAndRead(Form32->BitbtnSame, 1).bytes, Frames({{kFirst, 0x8D, 1}}));
  EXPECT_EQ(PressAndRead(Find("btnBrnPurpleAdd"), 2).bytes, Frames({{kFirst, 0x73, 1}, {kFirst, 0x75, 1}}));
  EXPECT_TRUE(screens.Drain(20).empty());
}

TEST_F(PictureParametersConsolesTest, SwatchesSendTheirLevelsFrom220) {
  Connect();
  ShowDialog();
  struct Case {
    const char* swatch;
    Bytes bytes;
  } cases[] = {
      {"BtnGra0", Frames({{kSelected, 0x76, 0xDC}, {kSelected, 0x77, 0xDC}, {kSelected, 0x78, 0xDC}})},
      {"BtnGra35", Frames({{kSelected, 0x76, 0xFF}, {kSelected, 0x77, 0xFF}, {kSelected, 0x78, 0xFF}})},
      {"BtnYel0", Frames({{kSelected, 0x76, 0xDC}, {kSelected, 0x77, 0xDC}})},
      {"BtnPur10", Frames({{kSelected, 0x76, 230}, {kSelected, 0x78, 230}})},
      {"BtnRed1", Frames({{kSelected, 0x76, 221}})},
      {"BtnChi2", Frames({{kSelected, 0x77, 222}, {kSelected, 0x78, 222}})},
      {"BtnGre3", Frames({{kSelected, 0x77, 223}})},
      {"BtnBlu5", Frames({{kSelected, 0x78, 225}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.swatch);
    auto* swatch = Find<TRzPanel>(c.swatch);
    const std::size_t frames = c.bytes.size() / 6;
    // Columns past the designed width are clipped, so every swatch is pressed through its handler.
    Sent sent = CallAndRead([&] { Form32->SwatchMouseDown(swatch, mbRight, {}, 1, 1); }, frames);
    EXPECT_EQ(sent.bytes, c.bytes);
    Pauses expected;
    for (std::size_t i = 0; i < frames; ++i) {
      if (i) expected.push_back(100);
      expected.push_back(20);
    }
    EXPECT_EQ(sent.pauses, expected) << "100 ms between frames, none after the last";
    EXPECT_EQ(Form32->SelectedSwatch, swatch);
    EXPECT_EQ(swatch->BorderOuter(), fsButtonDown);
  }
  EXPECT_EQ(Find<TRzPanel>("BtnGra0")->BorderOuter(), fsNone);
  // A visible one, by the mouse.
  EXPECT_EQ(PressAndRead(Find("BtnGre4"), 1).bytes, Frames({{kSelected, 0x77, 224}}));
  EXPECT_TRUE(screens.Drain(20).empty());
}

TEST_F(PictureParametersConsolesTest, ThePaletteIsBuiltAtPitch33AndTheWidthPanelWidensBy440) {
  ShowDialog();
  Form32->cxPageControl1->SetActivePage(Form32->ColorAdjust);
  Pump();
  TPanel* panel = Form32->Panel1;
  EXPECT_EQ(Form32->Width(), 761);
  EXPECT_EQ(panel->Height(), 265);
  EXPECT_EQ(panel->Width() / 22, 33) << panel->Width();
  int count = 0;
  for (int i = 0; i < panel->ControlCount(); ++i)
    if (panel->Controls(i)->Name().rfind("Btn", 0) == 0) ++count;
  EXPECT_EQ(count, 252);
  const char* prefixes[] = {"BtnYel", "BtnPur", "BtnRed", "BtnChi", "BtnGre", "BtnBlu", "BtnGra"};
  for (int r = 0; r < 7; ++r)
    for (int n : {0, 17, 35})
      EXPECT_EQ(Find(prefixes[r] + std::to_string(n))->BoundsRect(), (RECT{10 + 33 * n, 10 + 33 * r, 38 + 33 * n, 38 + 33 * r}))
          << prefixes[r] << n;

  auto pixelOf = [&](const char* name, const std::vector<std::uint32_t>& pixels) {
    auto* swatch = Find(name);
    const int x = swatch->Left() + 14, y = swatch->Top() + 14;
    return x < panel->Width() ? pixels.at(static_cast<std::size_t>(y) * panel->Width() + x) : 0xDEADu;
  };
  std::vector<std::uint32_t> pixels = WindowPixels(panel);
  EXPECT_EQ(pixelOf("BtnYel0", pixels), 0xFFFFFFu);
  EXPECT_EQ(pixelOf("BtnYel35", pixels), 0xDEADu) << "beyond the panel";

  // ">>>": 761 + 440, the panel 115 from the new right edge, pressed for 200 ms.
  TRzPanel* toggle = Form32->rzpnl3;
  Press(toggle);
  EXPECT_EQ(Form32->Width(), 1201);
  EXPECT_EQ(toggle->Caption(), "<<<");
  EXPECT_EQ(toggle->Left(), 1086);
  EXPECT_EQ(toggle->BorderOuter(), fsButtonDown);
  RunFor(199);
  EXPECT_EQ(toggle->BorderOuter(), fsButtonDown);
  RunFor(1);
  EXPECT_EQ(toggle->BorderOuter(), fsFlatRounded);
  pixels = WindowPixels(panel);
  EXPECT_EQ(pixelOf("BtnYel35", pixels), 0xFFFF73u);
  EXPECT_EQ(pixelOf("BtnGra35", pixels), 0x737373u);
  EXPECT_EQ(pixelOf("BtnGra0", pixels), 0xFFFFFFu);

  Press(toggle);
  EXPECT_EQ(Form32->Width(), 765);
  EXPECT_EQ(toggle->Caption(), ">>>");
  EXPECT_EQ(toggle->Left(), 650);
}

TEST_F(PictureParametersConsolesTest, ShowingTakesTheActiveConsolesSelectionAndLanguageAndKeepsThePage) {
  Form23->stringgrid1->SetSelection(TGridRect{2, 2, 3, 3});
  Form33->stringgrid1->SetSelection(TGridRect{2, 1, 3, 2});
  // The first show opens on COLOR TEMP; the edge level returns to "1" at every show.
  Form18->ConsoleKind = ckSplicing;
  ShowDialog();
  EXPECT_EQ(Form32->cxPageControl1->ActivePage(), Form32->tsCOLORTEMP);
  EXPECT_EQ(Form32->Label2->Caption(), "2,2 - 3,3");
  Form32->cxPageControl1->SetActivePage(Form32->TabSheet2);
  Form32->cbb3->SetText("12");
  Form32->Button3->Click();
  EXPECT_FALSE(Form32->Visible());

  struct Caption {
    const char *name, *chinese, *english;
  } captions[] = {
      {"cxtbsht1", "信号源调整", "Signal Source ADJ"},
      {"tsCOLORTEMP", "色温", "COLOR TEMP"},
      {"ColorAdjust", "一致性调整", "COLOR ADJUST"},
      {"GBox1", "色温调节", "Color Adjustment"},
      {"lblColorPurple", "紫色", "Purple"},
      {"lblColorBrightness", "亮度", "Brightness"},
      {"GBoxEdge", "边缘增亮", "Egde Brightness"},
      {"lbl6", "增亮幅度", "Increase Range"},
      {"BitbtnSet", "设置", "Apply"},
      {"BitbtnSame", "一键同步", "Auto Sync"},
      {"BitBtn8", "系统复位", "Reset"},
      {"Label25", "背光亮度调整", "Back Light"},
      {"GroupBox10", "重显率调节", "Reproduction Rate Adjustment"},
      {"lblPcPhase", "相位", "Phase"},
      {"GroupBox7", "色温暗阶调整", "Color Darkness Adjustment"},
      {"lblBrightLevelBlue", "蓝色", "Blue"},
  };
  Form18->ConsoleKind = ckHybrid;
  for (int language : {1, 0}) {
    SCOPED_TRACE(language);
    Form33->LanguageHybrid = language;
    ShowDialog();
    EXPECT_EQ(Form32->cxPageControl1->ActivePage(), Form32->TabSheet2) << "the page last shown";
    EXPECT_EQ(Form32->Label2->Caption(), "2,1 - 3,2");
    EXPECT_EQ(Form32->cbb3->Text(), "1");
    EXPECT_EQ(Form32->Caption(), language ? " Video Adjust" : "参数调整");
    for (const Caption& c : captions) EXPECT_EQ(Find(c.name)->Caption(), language ? c.english : c.chinese) << c.name;
    EXPECT_EQ(Find("tsDHY")->Caption(), "DVI/HDMI");
    Form32->Close();
  }
}

TEST_F(PictureParametersConsolesTest, Screenshots) {
  for (int language : {0, 1}) {
    Form33->LanguageHybrid = language;
    ShowDialog();
    Form32->SwatchMouseDown(Find("BtnChi9"), mbLeft, {}, 0, 0);
    const std::string tag = language ? "en" : "zh";
    for (int page = 0; page < Form32->cxPageControl1->PageCount(); ++page) {
      Form32->cxPageControl1->SelectPageByIndex(page);
      SaveWindowShot(Form32, "picture-parameters-consoles-" + tag + "-page" + std::to_string(page) + ".png");
    }
    Press(Form32->rzpnl3);
    RunFor(200);
    SaveWindowShot(Form32, "picture-parameters-consoles-" + tag + "-widened.png");
    Press(Form32->rzpnl3);
    RunFor(200);
    Form32->Close();
    Form32->SetWidth(761);
  }
}

}  // namespace
