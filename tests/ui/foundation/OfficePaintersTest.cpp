#include <gtest/gtest.h>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/OfficePainters.h"
#include "ui/foundation/ThemeManager.h"
#include "ui/foundation/WinXPPainter.h"

namespace {

using namespace win;
using surfacetest::Surface;
using testsupport::FakeThemeLibrary;

COLORREF Rgb(TColor C) { return ColorToRGB(C); }

class OfficePaintersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(320, 240));
    InitializeForms();
    Application->Initialize();
  }
  void TearDown() override {
    while (Office11ColorsUseCount() > 0) RelinquishOffice11Colors();
    Office11ColorsShutdown();
    ThemeAccessShutdown();
    FakeThemeLibrary::Uninstall();
    FinalizeForms();
    platform::ResetDisplay();
  }
  void Start() {
    ThemeAccessStartup();
    Office11ColorsStartup();
    AcquireOffice11Colors();
  }
  void StartWithFake(std::initializer_list<const char*> classes) {
    FakeThemeLibrary::Install();
    for (const char* c : classes) FakeThemeLibrary::OpenableClasses().insert(c);
    Start();
  }
};

TEST_F(OfficePaintersTest, ASingleUltraFlatGroupedButtonIsDrawnOnePixelIn) {
  Start();
  const TcxUltraFlatLookAndFeelPainter* p = UltraFlatLookAndFeelPainter();
  EXPECT_EQ(p->ButtonGroupBorderWidths(1, 0), TRect(2, 2, 2, 2));
  EXPECT_EQ(p->ButtonGroupBorderWidths(3, 1), TRect(1, 2, 1, 2));
  Surface s(10, 8, clRed);
  TcxCanvas c(s.Canvas());
  p->DrawGroupedButton(&c, TRect(0, 0, 10, 8), cxbsNormal, 1, 0, clBlack);
  EXPECT_EQ(s.Mask(clBlack),
            "..........\n"
            ".########.\n"
            ".#......#.\n"
            ".#......#.\n"
            ".#......#.\n"
            ".#......#.\n"
            ".########.\n"
            "..........\n");

  // Hot buttons between neighbours share the highlighted line: a middle one draws it on both sides.
  Surface row(10, 4, clRed);
  TcxCanvas rc(row.Canvas());
  p->DrawGroupedButton(&rc, TRect(0, 0, 10, 4), cxbsHot, 3, 1, clBlack);
  EXPECT_EQ(row.Mask(clHighlight),
            "..........\n"
            "#........#\n"
            "#........#\n"
            "..........\n");
  EXPECT_EQ(row.At(1, 1), Rgb(HotTrackMixColor()));
}

TEST_F(OfficePaintersTest, Office2003Headers) {
  Start();
  const TcxOffice11LookAndFeelPainter* p = Office11LookAndFeelPainter();
  EXPECT_EQ(Rgb(p->Office11HeaderColor()), RGB(230, 227, 223));
  const TColor H = p->Office11HeaderColor(), L = p->Office11LightColor();

  // A normal header: the header mix down to three rows above the bottom, then the gradient.
  Surface s(12, 12, clRed);
  TcxCanvas c(s.Canvas());
  p->DrawCellContent(&c, TRect(0, 0, 12, 10), TRect(0, 0, 12, 10), cxbsNormal, taLeftJustify, vaTop, false, false, "",
                     nullptr, clBlack, clWhite, nullptr, false);
  EXPECT_EQ(s.At(5, 0), Rgb(H));
  EXPECT_EQ(s.At(5, 6), Rgb(H));
  // The bottom row ends the gradient at (or, with the bound GradientFill, within a step of) L.
  EXPECT_LE(std::abs(GetGValue(s.At(5, 9)) - GetGValue(Rgb(L))), 5);
  EXPECT_NE(s.At(5, 8), Rgb(H));

  // A hot one: the light face, and three rows from the hot to the hot-light colour from one pixel
  // left of the cell to its right edge, reaching one row below it.
  s.Clear(clRed);
  p->DrawCellContent(&c, TRect(1, 0, 11, 10), TRect(1, 0, 11, 10), cxbsHot, taLeftJustify, vaTop, false, false, "",
                     nullptr, clBlack, clWhite, nullptr, false);
  EXPECT_EQ(s.At(5, 3), Rgb(Office11GradientLightColor));
  EXPECT_EQ(s.At(0, 8), Rgb(Office11HotColor));
  EXPECT_EQ(s.At(10, 8), Rgb(Office11HotColor));
  EXPECT_EQ(s.At(5, 10), Rgb(Office11HotLightColor));
  EXPECT_EQ(s.At(11, 9), ColorToRGB(clRed));
}

TEST_F(OfficePaintersTest, Office2003HeaderFramesJoinTheirNeighbours) {
  Start();
  const TcxOffice11LookAndFeelPainter* p = Office11LookAndFeelPainter();
  const COLORREF H = Rgb(p->Office11HeaderColor()), L = Rgb(p->Office11LightColor());
  const COLORREF shadow = Rgb(p->Office11ShadowColor()), light = Rgb(p->Office11HighlightColor());
  auto mix = [](COLORREF a, COLORREF b, int pc) {
    auto ch = [&](int x, int y) { return static_cast<BYTE>(RoundHalfEven((x * pc + y * (100 - pc)) / 100.0)); };
    return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
  };
  Surface s(10, 10, clRed);
  TcxCanvas c(s.Canvas());
  p->DrawColumnHeaderFrame(&c, TRect(0, 0, 10, 10), TcxBorders{}, cxBordersAll);
  EXPECT_EQ(s.At(4, 0), H);
  EXPECT_EQ(s.At(4, 9), shadow);
  EXPECT_EQ(s.At(0, 1), H);
  EXPECT_EQ(s.At(0, 4), light);
  EXPECT_EQ(s.At(0, 8), L);
  EXPECT_EQ(s.At(9, 0), mix(H, shadow, 50));
  EXPECT_EQ(s.At(9, 8), mix(L, shadow, 50));
  EXPECT_EQ(s.At(9, 4), shadow);

  s.Clear(clRed);
  p->DrawColumnHeaderFrame(&c, TRect(0, 0, 10, 10), TcxBorders{bLeft, bRight}, cxBordersAll);
  EXPECT_EQ(s.At(0, 2), H);
  EXPECT_EQ(s.At(0, 3), light);
  EXPECT_EQ(s.At(0, 7), mix(H, L, 25));
  EXPECT_EQ(s.At(0, 8), L);
  EXPECT_EQ(s.At(9, 1), H);
  EXPECT_EQ(s.At(9, 2), H);
  EXPECT_EQ(s.At(9, 4), shadow);
  EXPECT_EQ(s.At(9, 7), mix(H, L, 25));
  EXPECT_EQ(s.At(9, 8), L);
}

TEST_F(OfficePaintersTest, ExpandBoxCornersBlendIntoTheBackground) {
  Start();
  const TcxOffice11LookAndFeelPainter* p = Office11LookAndFeelPainter();
  Surface s(11, 11, clWhite);
  TcxCanvas c(s.Canvas());
  p->DrawExpandBox(&c, TRect(0, 0, 11, 11), true, clDefault);
  EXPECT_EQ(s.At(0, 0), RGB(231, 235, 239));
  EXPECT_EQ(s.At(10, 10), RGB(203, 209, 215));
  EXPECT_EQ(s.At(0, 10), RGB(203, 209, 215));
  EXPECT_EQ(s.At(10, 0), RGB(203, 209, 215));
  // Over black the same box blends again, not with the white it saw before.
  Surface dark(11, 11, clBlack);
  TcxCanvas dc(dark.Canvas());
  p->DrawExpandBox(&dc, TRect(0, 0, 11, 11), true, clDefault);
  EXPECT_EQ(dark.At(0, 0), RGB(40, 44, 48));
  EXPECT_EQ(dark.At(10, 10), RGB(12, 18, 24));
}

TEST_F(OfficePaintersTest, WithoutVisualStylesOffice2003BorrowsStandardScrollBarsAndUltraFlatGroupBoxes) {
  Start();
  const TcxOffice11LookAndFeelPainter* office = Office11LookAndFeelPainter();
  for (int part = 1; part <= 5; ++part)
    for (TcxButtonState state : {cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled}) {
      Surface a(17, 17, clRed), b(17, 17, clRed);
      TcxCanvas ca(a.Canvas()), cb(b.Canvas());
      office->DrawScrollBarElement(&ca, false, TRect(0, 0, 17, 17), part, state);
      StandardLookAndFeelPainter()->DrawScrollBarElement(&cb, false, TRect(0, 0, 17, 17), part, state);
      for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x) ASSERT_EQ(a.At(x, y), b.At(x, y)) << part << "/" << state;
    }
  Surface a(20, 12, clRed), b(20, 12, clRed);
  TcxCanvas ca(a.Canvas()), cb(b.Canvas());
  office->DrawGroupBoxBorder(&ca, TRect(0, 0, 20, 12), true, 0, cxBordersAll);
  UltraFlatLookAndFeelPainter()->DrawGroupBoxBorder(&cb, TRect(0, 0, 20, 12), true, 0, cxBordersAll);
  EXPECT_EQ(a.Mask(clHighlight), b.Mask(clHighlight));
  EXPECT_EQ(office->GroupBoxCaptionTextColor(true, 0), clWindowText);
}

TEST_F(OfficePaintersTest, PressedGlyphColourDependsOnTheTable) {
  Start();
  EXPECT_EQ(Office11LookAndFeelPainter()->ButtonGlyphColor(cxbsPressed, clDefault), clHighlightText);
  EXPECT_EQ(Office11LookAndFeelPainter()->ButtonGlyphColor(cxbsDisabled, clDefault), Office11DisabledArrowColor);
  Office11ColorsShutdown();
  ThemeAccessShutdown();
  while (Office11ColorsUseCount() > 0) RelinquishOffice11Colors();
  StartWithFake({"Button"});
  ASSERT_TRUE(AreOffice11ColorsThemed());
  EXPECT_EQ(Office11LookAndFeelPainter()->ButtonGlyphColor(cxbsPressed, clDefault), Office11ArrowColor);
}

// ---- the native painter -------------------------------------------------------------------------

TEST_F(OfficePaintersTest, NativePainterWithoutTheLibraryPaintsAsTheStandardPainter) {
  Start();
  const TcxWinXPLookAndFeelPainter* xp = WinXPLookAndFeelPainter();
  const TcxStandardLookAndFeelPainter* st = StandardLookAndFeelPainter();
  using Op = std::function<void(const TcxCustomLookAndFeelPainter*, TcxCanvas*, TcxButtonState)>;
  const std::pair<const char*, Op> ops[] = {
      // Without a caption: the pressed caption's shift is this painter's own fixed answer (0).
      {"push button", [](auto p, auto c, auto s) { p->DrawPushButton(c, TRect(1, 1, 30, 20), "", s, true, clDefault, clDefault, false, 0); }},
      {"check box", [](auto p, auto c, auto s) { p->DrawCheckBox(c, TRect(1, 1, 14, 14), s, cbsChecked); }},
      {"arrow button", [](auto p, auto c, auto s) { p->DrawArrowButton(c, TRect(1, 1, 17, 17), s, adDown, true); }},
      {"scroll thumb", [](auto p, auto c, auto s) { p->DrawScrollBarElement(c, true, TRect(1, 1, 30, 17), 3, s); }},
      {"header", [](auto p, auto c, auto s) { p->DrawColumnHeader(c, TRect(0, 0, 30, 20), TRect(2, 0, 28, 20), TcxBorders{}, cxBordersAll, s, taLeftJustify, vaCenter, false, false, "", nullptr, clBlack, clBtnFace, nullptr, true, false); }},
      {"expand box", [](auto p, auto c, auto) { p->DrawExpandBox(c, TRect(2, 2, 14, 14), false, clDefault); }},
      {"close glyph", [](auto p, auto c, auto s) { p->DrawFilterCloseGlyph(c, TRect(0, 0, 16, 14), s); }},
      {"editor button", [](auto p, auto c, auto s) { p->DrawEditorButtonFace(c, TRect(0, 0, 17, 20), s); }},
      {"group box", [](auto p, auto c, auto) { p->DrawGroupBoxBorder(c, TRect(0, 0, 30, 20), true, 0, cxBordersAll); }},
      {"control border", [](auto p, auto c, auto) { p->DrawControlBorder(c, TRect(0, 0, 30, 20)); }},
      {"track thumb", [](auto p, auto c, auto s) { p->DrawTrackBarThumb(c, TRect(4, 2, 15, 20), s, true, 0, clBtnFace); }},
  };
  for (const auto& [name, op] : ops)
    for (TcxButtonState state : {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled}) {
      Surface a(32, 22, clRed), b(32, 22, clRed);
      TcxCanvas ca(a.Canvas()), cb(b.Canvas());
      op(xp, &ca, state);
      op(st, &cb, state);
      for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_EQ(a.At(x, y), b.At(x, y)) << name << " state " << state;
    }
  EXPECT_EQ(xp->ButtonBorderWidth(cxbsDefault), st->ButtonBorderWidth(cxbsDefault));
  EXPECT_EQ(xp->CheckBoxSize(), st->CheckBoxSize());
  EXPECT_EQ(xp->ScrollBarMinThumbLength(true), 8);
  EXPECT_EQ(xp->FilterCloseGlyphSize(), st->FilterCloseGlyphSize());
  EXPECT_EQ(xp->SmallCloseButtonSize(), st->SmallCloseButtonSize());
  EXPECT_EQ(xp->ButtonGroupBorderWidths(1, 0), st->ButtonGroupBorderWidths(1, 0));
  EXPECT_EQ(xp->HeaderFrameWidth(), st->HeaderFrameWidth());
  EXPECT_EQ(xp->ExpandBoxSize(), st->ExpandBoxSize());
}

TEST_F(OfficePaintersTest, NativePainterPartsAndStatesOnTheFake) {
  StartWithFake({"Button", "ScrollBar", "Header", "ToolBar", "Window", "TrackBar"});
  const TcxWinXPLookAndFeelPainter* xp = WinXPLookAndFeelPainter();
  Surface s(40, 40);
  TcxCanvas c(s.Canvas());
  auto drawn = [] {
    std::vector<std::string> calls;
    for (const std::string& call : FakeThemeLibrary::Calls())
      if (call.rfind("DrawThemeBackground", 0) == 0) calls.push_back(call.substr(20, call.size() - 21));
    FakeThemeLibrary::Calls().clear();
    return calls;
  };
  drawn();
  for (TcxButtonState st : {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled})
    xp->DrawPushButton(&c, TRect(0, 0, 30, 20), "", st, true, clDefault, clDefault, false, 0);
  EXPECT_EQ(drawn(), (std::vector<std::string>{"BUTTON,1,5", "BUTTON,1,1", "BUTTON,1,2", "BUTTON,1,3", "BUTTON,1,4"}));

  std::vector<std::string> arrows;
  for (TcxArrowPointing pt : {adUp, adDown, adLeft, adRight})
    for (TcxButtonState st : {cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled}) {
      xp->DrawArrowButton(&c, TRect(0, 0, 17, 17), st, pt, true);
      arrows.push_back("SCROLLBAR,1," + std::to_string(arrows.size() + 1));
    }
  EXPECT_EQ(drawn(), arrows);

  for (TcxButtonState st : {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled})
    xp->DrawEditorButtonFace(&c, TRect(0, 0, 17, 20), st);
  EXPECT_EQ(drawn(), (std::vector<std::string>{"TOOLBAR,1,2", "TOOLBAR,1,2", "TOOLBAR,1,5", "TOOLBAR,1,3",
                                               "TOOLBAR,1,4"}));

  // The thumb with its gripper where it fits, and the tracks before and after it.
  xp->DrawScrollBarElement(&c, true, TRect(0, 0, 30, 17), 3, cxbsHot);
  xp->DrawScrollBarElement(&c, false, TRect(0, 0, 17, 30), 4, cxbsPressed);
  xp->DrawScrollBarElement(&c, true, TRect(0, 0, 30, 17), 5, cxbsNormal);
  EXPECT_EQ(drawn(), (std::vector<std::string>{"SCROLLBAR,2,2", "SCROLLBAR,8,2", "SCROLLBAR,6,3", "SCROLLBAR,5,1"}));
  FakeThemeLibrary::PartSizes()[{"SCROLLBAR", 8, 2, TS_TRUE}] = {8, 40};
  xp->DrawScrollBarElement(&c, true, TRect(0, 0, 30, 17), 3, cxbsHot);
  EXPECT_EQ(drawn(), (std::vector<std::string>{"SCROLLBAR,2,2"})) << "a gripper taller than the thumb is wide";

  // The header's right part needs the flag, the normal state and the blue or olive scheme.
  auto header = [&](TcxButtonState st, bool flag) {
    xp->DrawColumnHeader(&c, TRect(0, 0, 30, 20), TRect(0, 0, 30, 20), TcxBorders{}, cxBordersAll, st, taLeftJustify,
                         vaCenter, false, false, "", nullptr, clBlack, clBtnFace, nullptr, flag, false);
  };
  header(cxbsNormal, true);
  header(cxbsHot, true);
  header(cxbsNormal, false);
  EXPECT_EQ(drawn(), (std::vector<std::string>{"HEADER,3,1", "HEADER,1,2", "HEADER,1,1"}));
  FakeThemeLibrary::ColorName() = "Metallic";
  RebuildOffice11Colors();
  header(cxbsNormal, true);
  EXPECT_EQ(drawn(), (std::vector<std::string>{"HEADER,1,1"}));

  for (int shape = 0; shape < 3; ++shape)
    for (bool horizontal : {true, false}) xp->DrawTrackBarThumb(&c, TRect(0, 0, 11, 20), cxbsNormal, horizontal, shape, 0);
  EXPECT_EQ(drawn(), (std::vector<std::string>{"TRACKBAR,5,1", "TRACKBAR,7,1", "TRACKBAR,4,1", "TRACKBAR,8,1",
                                               "TRACKBAR,3,1", "TRACKBAR,6,1"}));

  // Metrics from the theme's tables.
  EXPECT_EQ(xp->ScrollBarMinThumbLength(false), 8) << "no sizes: the floor";
  FakeThemeLibrary::PartSizes()[{"SCROLLBAR", 9, 1, TS_MIN}] = {3, 3};
  FakeThemeLibrary::PartSizes()[{"SCROLLBAR", 9, 1, TS_TRUE}] = {9, 9};
  EXPECT_EQ(xp->ScrollBarMinThumbLength(false), 13);
  FakeThemeLibrary::PartSizes()[{"WINDOW", 19, 1, TS_TRUE}] = {13, 13};
  EXPECT_EQ(xp->FilterCloseGlyphSize(), TPoint(17, 17));
  EXPECT_EQ(xp->SmallCloseButtonSize(), TSize(13, 13));

  // An empty caption draws nothing and leaves the canvas font alone.
  c.ActiveFont()->SetName("DejaVu Sans");
  TFont other;
  other.SetName("DejaVu Serif");
  FakeThemeLibrary::Calls().clear();
  xp->DrawThemeCaption(&c, AcquireThemeHandle(tciHeader), 1, 1, TRect(0, 0, 30, 20), TRect(0, 0, 30, 20), taCenter,
                       vaCenter, false, false, false, "", &other, clRed, clWhite);
  EXPECT_EQ(c.ActiveFont()->Name(), "DejaVu Sans");
  EXPECT_EQ(FakeThemeLibrary::CountOf("DrawThemeText"), 0);
  xp->DrawThemeCaption(&c, AcquireThemeHandle(tciHeader), 1, 1, TRect(0, 0, 30, 20), TRect(0, 0, 30, 20), taCenter,
                       vaCenter, false, true, false, "Col", &other, clRed, clWhite);
  ASSERT_EQ(FakeThemeLibrary::CountOf("DrawThemeText"), 1);
  // DT_EDITCONTROL | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE
  EXPECT_EQ(FakeThemeLibrary::Calls().back(), "DrawThemeText(HEADER,1,1,'Col',0xA825)");
}

}  // namespace
