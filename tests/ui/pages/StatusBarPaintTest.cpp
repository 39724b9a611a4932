// What the bar and its text panels put on the screen, and the painters' own drawing on a surface.
#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/foundation/Surface.h"
#include "tests/ui/pages/StatusBarFixture.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/StandardPainters.h"

namespace statusbartest {
namespace {

using namespace win;
using surfacetest::Surface;
using testsupport::FakeThemeLibrary;

const Rgb kText = RGB(0, 0, 0);

// The leftmost and rightmost columns in [x0, x1) holding text-coloured pixels in the bar's rows.
std::pair<int, int> InkColumns(StatusBarTest* T, std::function<Rgb(int, int)> At, int x0, int x1, int y0, int y1) {
  int first = -1, last = -1;
  for (int x = x0; x < x1; ++x)
    for (int y = y0; y < y1; ++y)
      if (At(x, y) == kText) {
        if (first < 0) first = x;
        last = x;
        break;
      }
  (void)T;
  return {first, last};
}

class StatusBarPaintTest : public StatusBarTest {
 protected:
  std::pair<int, int> BarInk(TControl* Bar, int x0, int x1) {
    return InkColumns(this, [&](int x, int y) { return Pixel(Bar, x, y); }, x0, x1, 3, 19);
  }
  // Where the same text, drawn with the bar's font into (0, 0, Width, 16) with the flags, inks.
  std::pair<int, int> ReferenceInk(TdxCustomStatusBar* Bar, const String& Text, int Width, LibraryTextFlags Flags) {
    Surface s(Width, 16, clBtnFace);
    TcxCanvas c(s.Canvas());
    c.AssignFont(Bar->Font());
    c.ActiveBrush()->SetStyle(bsClear);
    c.DrawTextInRect(Text, TRect(0, 0, Width, 16), Flags);
    return InkColumns(this, [&](int x, int y) { return s.At(x, y); }, 0, Width, 0, 16);
  }
};

TEST_F(StatusBarPaintTest, TextPanelsPlaceTheirTextTwoPixelsInsideTheContent) {
  TForm* form = MakeForm(1000, 200);
  TdxStatusBar* bar = MakeConsoleBar(form);
  SaveControl("statusbar/console-text.png", bar);
  // The clock panel runs over [408, 1000); its bevel leaves [409, 999); the text ends 2 px inside.
  const String clock = bar->Panels()->PanelAt(2)->Text();
  auto ref = ReferenceInk(bar, clock, 300, ltfAlignRight | ltfCenterVert | ltfSingleLine);
  EXPECT_EQ(BarInk(bar, 409, 999).second - 997, ref.second - 300);
  // Left-justified: 2 px after the bevel.
  auto leftRef = ReferenceInk(bar, bar->Panels()->PanelAt(0)->Text(), 200, ltfAlignLeft | ltfCenterVert | ltfSingleLine);
  EXPECT_EQ(BarInk(bar, 1, 201).first, 3 + leftRef.first);

  // With an image the text moves right by the image width + 2 (it starts at width + 4).
  TImageList images(nullptr);
  images.SetWidth(12);
  images.SetHeight(12);
  TBitmap glyph;
  glyph.SetSize(12, 12);
  glyph.Canvas()->Brush()->SetColor(clRed);
  glyph.Canvas()->FillRect(win::RECT{0, 0, 12, 12});
  images.Add(&glyph, nullptr);
  bar->SetImages(&images);
  static_cast<TdxStatusBarTextPanelStyle*>(bar->Panels()->PanelAt(0)->PanelStyle())->SetImageIndex(0);
  Pump();
  EXPECT_EQ(Pixel(bar, 2, 10), ColorToRGB(clRed));
  EXPECT_EQ(BarInk(bar, 1, 201).first, 1 + 12 + 4 + leftRef.first);
  bar->SetImages(nullptr);
}

TEST_F(StatusBarPaintTest, EllipsesAndOnGetTextChangeWhatIsDrawn) {
  TForm* form = MakeForm(300, 200);
  auto* bar = new TdxStatusBar(form);
  bar->SetParent(form);
  TdxStatusBarPanel* panel = AddTextPanel(bar, 80, "C:\\Program Files\\VideoWall\\scenes\\evening.scn");
  AddTextPanel(bar, 50, "x");
  auto* style = static_cast<TdxStatusBarTextPanelStyle*>(panel->PanelStyle());
  struct Case {
    TdxStatusBarEllipsisType type;
    LibraryTextFlags flags;
  };
  for (Case c : {Case{dxetNone, 0x61}, Case{dxetTruncate, 0x861}, Case{dxetSmartPath, 0x2061}}) {
    style->SetEllipsisType(c.type);
    EXPECT_EQ(style->TextFlags(), c.flags);
    Pump();
    auto ref = ReferenceInk(bar, panel->Text(), 76, c.flags);
    EXPECT_EQ(BarInk(bar, 1, 81), std::make_pair(ref.first + 3, ref.second + 3)) << int(c.type);
  }
  style->SetAlignment(taCenter);
  EXPECT_EQ(style->TextFlags(), 0x2064u);

  TRect given;
  style->OnGetText = [&](TObject* Sender, const TRect& R, String& Text) {
    EXPECT_EQ(Sender, style);
    given = R;
    Text = "";
  };
  bar->Invalidate();
  Pump();
  EXPECT_EQ(given, TRect(3, 3, 79, 19));
  EXPECT_EQ(BarInk(bar, 1, 81).first, -1);
}

TEST_F(StatusBarPaintTest, WritingTheSameTextNeitherLaysOutNorPaints) {
  TForm* form = MakeForm(500, 200);
  TdxStatusBar* bar = MakeConsoleBar(form);
  TdxStatusBarPanel* clock = bar->Panels()->PanelAt(2);
  int paints = 0;
  clock->OnDrawPanel = [&](TdxStatusBarPanel*, TcxCanvas*, const TRect&, bool&) { ++paints; };
  bar->Invalidate();
  Pump();
  ASSERT_EQ(paints, 1);
  clock->SetText(clock->Text());
  Pump();
  EXPECT_EQ(paints, 1);
  clock->SetText("2026-12-10 20:30:01");
  Pump();
  EXPECT_EQ(paints, 2);
}

TEST_F(StatusBarPaintTest, PaintPanelFillsHiddenPanelsAndHonoursOnDrawPanel) {
  TForm* form = MakeForm(300, 200);
  auto* bar = new TdxStatusBar(form);
  bar->SetParent(form);
  TdxStatusBarPanel* panel = AddTextPanel(bar, 50);
  panel->PanelStyle()->SetColor(clRed);
  TdxStatusBarPainterClass painter = StatusBarStandardPainter();
  Surface s(12, 8, clLime);
  TcxCanvas c(s.Canvas());

  panel->SetVisible(false);
  painter->PaintPanel(bar, panel, TRect(0, 0, 12, 8), &c);
  EXPECT_EQ(s.CountOf(clBtnFace), 12 * 8);  // filled in the bar's colour, no bevel

  panel->SetVisible(true);
  s.Clear(clLime);
  panel->OnDrawPanel = [](TdxStatusBarPanel*, TcxCanvas*, const TRect& R, bool& Done) {
    EXPECT_EQ(R, TRect(1, 1, 11, 7));
    Done = true;
  };
  painter->PaintPanel(bar, panel, TRect(0, 0, 12, 8), &c);
  EXPECT_EQ(s.At(0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(s.At(11, 7), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(s.CountOf(clRed), 0);
  EXPECT_EQ(s.CountOf(clLime), 10 * 6);

  panel->OnDrawPanel = nullptr;
  painter->PaintPanel(bar, panel, TRect(0, 0, 12, 8), &c);
  EXPECT_EQ(s.CountOf(clRed), 10 * 6);
}

TEST_F(StatusBarPaintTest, BevelsOfEachPainter) {
  TForm* form = MakeForm(300, 200);
  auto* bar = new TdxStatusBar(form);
  bar->SetParent(form);
  auto draw = [&](TdxStatusBarPainterClass painter, TdxStatusBarPanelBevel bevel, TRect& r) {
    Surface s(8, 6, clWhite);
    TcxCanvas c(s.Canvas());
    r = TRect(0, 0, 8, 6);
    painter->DrawPanelBevel(bar, bevel, r, &c);
    return s.Mask(clWhite);
  };
  TRect r;
  // Flat: raised looks like lowered, a 1-pixel shadow frame.
  EXPECT_EQ(draw(StatusBarFlatPainter(), dxpbRaised, r), draw(StatusBarFlatPainter(), dxpbLowered, r));
  EXPECT_EQ(r, TRect(1, 1, 7, 5));
  EXPECT_EQ(draw(StatusBarFlatPainter(), dxpbNone, r), std::string(6, ' ').replace(0, 6, "") +
                                                            "########\n########\n########\n########\n########\n########\n");
  EXPECT_EQ(r, TRect(0, 0, 8, 6));
  // Standard: the sunken and raised single edges differ.
  EXPECT_NE(draw(StatusBarStandardPainter(), dxpbRaised, r), draw(StatusBarStandardPainter(), dxpbLowered, r));
  EXPECT_EQ(r, TRect(1, 1, 7, 5));
  // Office-2003: a frame in the darkened gradient colour.
  Surface s(8, 6, clWhite);
  TcxCanvas c(s.Canvas());
  r = TRect(0, 0, 8, 6);
  StatusBarOffice11Painter()->DrawPanelBevel(bar, dxpbLowered, r, &c);
  EXPECT_EQ(s.At(0, 0), ColorToRGB(BlendColorsByPercent(Office11GradientDarkColor, clBlack, 90)));
  EXPECT_EQ(r, TRect(1, 1, 7, 5));
}

TEST_F(StatusBarPaintTest, UnderOffice11TheGapsShowTheBarsGradient) {
  TForm* form = MakeForm(500, 200);
  TdxStatusBar* bar = MakeConsoleBar(form);
  bar->SetPaintStyle(stpsOffice11);
  Pump();
  Surface s(500, 20, clWhite);
  TcxCanvas c(s.Canvas());
  TRect r(0, 0, 500, 20);
  StatusBarOffice11Painter()->PaintBarBorder(bar, &c, r);
  for (int y : {1, 8, 18}) EXPECT_EQ(Pixel(bar, 204, y), s.At(204, y)) << y;
  EXPECT_NE(s.At(204, 1), s.At(204, 18));
}

TEST_F(StatusBarPaintTest, TheThemePainterDrawsTheStatusPartsAtTheThemesSizes) {
  UseFakeThemes();
  FakeThemeLibrary::PartSizes()[{"STATUS", 3, 0, TS_TRUE}] = SIZE{13, 15};
  FakeThemeLibrary::PartSizes()[{"STATUS", 1, 0, TS_TRUE}] = SIZE{3, 18};
  TForm* form = MakeForm(500, 200, bsSizeable);
  TdxStatusBar* bar = MakeConsoleBar(form);
  bar->SetPaintStyle(stpsXP);
  ASSERT_TRUE(bar->ThemesAvailable());
  ASSERT_EQ(bar->Painter(), StatusBarXPPainter());
  EXPECT_EQ(bar->Painter()->SizeGripSize(), TSize(13, 15));
  EXPECT_EQ(bar->Painter()->SeparatorWidthBetween(bar), 3);
  EXPECT_EQ(bar->Painter()->BarBorderWidths(bar), TRect(0, 2, 0, 0));
  EXPECT_EQ(bar->ViewInfo()->PanelViewInfo(1)->Bounds().Left, 205);
  FakeThemeLibrary::Calls().clear();
  bar->Invalidate();
  Pump();
  for (const char* call : {"DrawThemeBackground(STATUS,0,0)", "DrawThemeBackground(STATUS,1,0)",
                           "DrawThemeBackground(STATUS,3,0)"})
    EXPECT_GE(FakeThemeLibrary::CountOf(call), 1) << call;
  EXPECT_EQ(Pixel(bar, 203, 10), FakeThemeLibrary::ColorOf("Status", 1, 0));
  EXPECT_EQ(Pixel(bar, 495, 17), FakeThemeLibrary::ColorOf("Status", 3, 0));
  SaveControl("statusbar/gallery-xp-fake-grip.png", bar);
}

class TProbeSkinPainter : public TcxStandardLookAndFeelPainter {};
const TProbeSkinPainter kProbeSkin;
class TProbeStatusBarSkinPainter : public TdxStatusBarStandardPainter {};
const TProbeStatusBarSkinPainter kProbeStatusBarSkin;

struct ChoiceCase {
  TdxStatusBarPaintStyle style;
  TcxLookAndFeelKind kind;
  bool native;
  TdxStatusBarPainterClass withoutThemes;
  TdxStatusBarPainterClass withThemes;
};

// Every paint style by look-and-feel kind, native style and theme availability.
const ChoiceCase kChoices[] = {
    {stpsStandard, lfUltraFlat, true, StatusBarStandardPainter(), StatusBarStandardPainter()},
    {stpsFlat, lfStandard, true, StatusBarFlatPainter(), StatusBarFlatPainter()},
    {stpsXP, lfStandard, false, StatusBarStandardPainter(), StatusBarXPPainter()},
    {stpsOffice11, lfFlat, true, StatusBarOffice11Painter(), StatusBarOffice11Painter()},
    {stpsUseLookAndFeel, lfFlat, false, StatusBarStandardPainter(), StatusBarStandardPainter()},
    {stpsUseLookAndFeel, lfStandard, false, StatusBarStandardPainter(), StatusBarStandardPainter()},
    {stpsUseLookAndFeel, lfUltraFlat, false, StatusBarFlatPainter(), StatusBarFlatPainter()},
    {stpsUseLookAndFeel, lfOffice11, false, StatusBarOffice11Painter(), StatusBarOffice11Painter()},
    {stpsUseLookAndFeel, lfOffice11, true, StatusBarOffice11Painter(), StatusBarXPPainter()},
    {stpsUseLookAndFeel, lfUltraFlat, true, StatusBarFlatPainter(), StatusBarXPPainter()},
};

void CheckChoices(StatusBarTest* T, bool Themes) {
  TForm* form = new TForm(Application, 0);
  auto* bar = new TdxStatusBar(form);
  bar->SetParent(form);
  EXPECT_EQ(bar->ThemesAvailable(), Themes);
  for (const ChoiceCase& c : kChoices) {
    bar->SetPaintStyle(c.style);
    bar->LookAndFeel()->SetKind(c.kind);
    bar->LookAndFeel()->SetNativeStyle(c.native);
    EXPECT_EQ(bar->Painter(), Themes ? c.withThemes : c.withoutThemes)
        << "style " << int(c.style) << " kind " << int(c.kind) << " native " << c.native;
  }
  delete form;
  (void)T;
}

TEST_F(StatusBarPaintTest, ThePaintStyleChoosesThePainterWithoutThemes) { CheckChoices(this, false); }

TEST_F(StatusBarPaintTest, ThePaintStyleChoosesThePainterWithThemes) {
  UseFakeThemes();
  CheckChoices(this, true);
}

TEST_F(StatusBarPaintTest, ASkinnedLookAndFeelTakesTheRegisteredSkinPainter) {
  TForm* form = MakeForm(300, 100);
  auto* bar = new TdxStatusBar(form);
  bar->SetParent(form);
  ASSERT_TRUE(ExtendedStylePainterRegistry()->RegisterPainter("Probe", &kProbeSkin, nullptr));
  bar->SetPaintStyle(stpsUseLookAndFeel);
  bar->LookAndFeel()->SetSkinName("Probe");
  ASSERT_EQ(bar->LookAndFeel()->SkinPainter(), &kProbeSkin);
  // No skin painter class registered: the kind decides.
  EXPECT_EQ(bar->Painter(), StatusBarFlatPainter());
  SetStatusBarSkinPainterClass(&kProbeStatusBarSkin);
  bar->LookAndFeel()->SetKind(lfStandard);
  EXPECT_EQ(bar->Painter(), &kProbeStatusBarSkin);
  // Only stpsUseLookAndFeel follows the skin.
  bar->SetPaintStyle(stpsOffice11);
  EXPECT_EQ(bar->Painter(), StatusBarOffice11Painter());
  bar->SetPaintStyle(stpsUseLookAndFeel);
  bar->LookAndFeel()->SetSkinName("");
  EXPECT_EQ(bar->Painter(), StatusBarStandardPainter());
  SetStatusBarSkinPainterClass(nullptr);
  ExtendedStylePainterRegistry()->UnregisterPainter("Probe");
}

TEST_F(StatusBarPaintTest, TheSizeGripGlyphKeepsTheBackgroundBetweenItsStrokes) {
  Surface s(16, 16, clRed);
  TdxStatusBarPainter::DrawGripGlyph(s.Canvas()->Handle(), TRect(0, 0, 16, 16));
  Surface glyph(16, 16, clBtnFace);
  RECT r{0, 0, 16, 16};
  DrawFrameControl(glyph.Canvas()->Handle(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  int strokes = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      if (glyph.At(x, y) == ColorToRGB(clBtnFace)) {
        EXPECT_EQ(s.At(x, y), ColorToRGB(clRed)) << x << "," << y;
      } else {
        ++strokes;
        EXPECT_EQ(s.At(x, y), glyph.At(x, y)) << x << "," << y;
      }
    }
  EXPECT_GT(strokes, 10);
}

}  // namespace
}  // namespace statusbartest
