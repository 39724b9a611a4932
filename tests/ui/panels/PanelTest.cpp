// The framed panel on the headless screen: frames, fill, caption, grid, children and resizing.
#include <gtest/gtest.h>

#include "platform/classes/FormDescription.h"
#include "platform/classes/Registry.h"
#include "platform/classes/StdCtrls.h"
#include "tests/ui/panels/PanelsFixture.h"
#include "ui/panels/Panel.h"

namespace panelstest {
namespace {

using win::RECT;
using win::RGB;

class PanelTest : public PanelsTest {
 protected:
  TRzPanel* MakePanel(int x, int y, int w, int h) {
    auto* p = new TRzPanel(form);
    p->SetBounds(x, y, w, h);
    p->SetParent(form);
    p->OnPaint = [this](TObject*) { ++paints; };
    Pump();
    return p;
  }
  void SetUp() override {
    PanelsTest::SetUp();
    form = MakeForm(50, 50, 600, 400, static_cast<TColor>(RGB(0, 128, 0)));
  }
  TForm* form = nullptr;
  int paints = 0;
};

TEST_F(PanelTest, FramesAndClientAreasOnPixels) {
  const Rgb face = ColorToRGB(clBtnFace), green = RGB(0, 128, 0);
  auto* none = MakePanel(10, 10, 60, 40);
  none->SetBorderOuter(fsNone);
  auto* popup = MakePanel(80, 10, 60, 40);
  popup->SetBorderOuter(fsPopup);
  auto* down = MakePanel(150, 10, 60, 40);
  down->SetBorderOuter(fsButtonDown);
  down->SetBorderColor(clBlack);
  down->SetBorderShadow(clBlack);
  auto* rounded = MakePanel(220, 10, 60, 40);
  rounded->SetBorderOuter(fsFlatRounded);
  Pump();

  EXPECT_EQ(Pixel(none, 0, 0), face);
  EXPECT_EQ(Pixel(none, 59, 39), face);
  EXPECT_EQ(none->ClientRect().left, 0);
  EXPECT_EQ(none->ClientRect().right, 60);

  EXPECT_EQ(Pixel(popup, 0, 20), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(popup, 30, 0), RGB(255, 255, 255));
  EXPECT_EQ(Pixel(popup, 59, 20), RGB(128, 128, 128));
  EXPECT_EQ(Pixel(popup, 30, 39), RGB(128, 128, 128));
  EXPECT_EQ(Pixel(popup, 1, 1), face);
  EXPECT_EQ(popup->ClientRect().left, 1);
  EXPECT_EQ(popup->ClientRect().bottom, 39);

  // The system's button-down edge; the black colours are not used.
  EXPECT_EQ(Pixel(down, 0, 20), RGB(0, 0, 0));
  EXPECT_EQ(Pixel(down, 1, 20), RGB(128, 128, 128));
  EXPECT_EQ(Pixel(down, 58, 20), RGB(128, 128, 128));
  EXPECT_EQ(Pixel(down, 2, 20), face);

  const Rgb flat = RGB(159, 159, 159);
  EXPECT_EQ(Pixel(rounded, 0, 0), green);
  EXPECT_EQ(Pixel(rounded, 59, 0), green);
  EXPECT_EQ(Pixel(rounded, 0, 39), green);
  EXPECT_EQ(Pixel(rounded, 59, 39), green);
  EXPECT_EQ(Pixel(rounded, 1, 1), flat);
  EXPECT_EQ(Pixel(rounded, 0, 20), flat);
  EXPECT_EQ(Pixel(rounded, 30, 39), flat);
  EXPECT_EQ(Pixel(rounded, 1, 20), face);
  EXPECT_EQ(rounded->ClientRect().left, 2);
  EXPECT_EQ(rounded->ClientRect().right, 58);
}

TEST_F(PanelTest, WritesRepaintOnlyOnChange) {
  auto* p = MakePanel(10, 10, 100, 50);
  paints = 0;
  p->SetBorderOuter(fsRaised);
  p->SetBorderColor(clBtnFace);
  p->SetGridXSize(8);
  p->SetVisualStyle(vsWinXP);
  p->SetTransparent(false);
  p->SetFlatColorAdjustment(30);
  Pump();
  EXPECT_EQ(paints, 0);
  p->SetFlatColorAdjustment(10);
  Pump();
  EXPECT_EQ(paints, 1);
}

TEST_F(PanelTest, GridCaptionAndDisabledCaption) {
  auto* p = MakePanel(10, 10, 64, 40);
  p->SetBorderOuter(fsNone);
  p->SetShowGrid(true);
  p->SetGridColor(clRed);
  p->SetGridXSize(0);
  Pump();
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_NE(Pixel(p, x, y), RGB(255, 0, 0)) << x << "," << y;
  p->SetGridXSize(8);
  p->SetGridYSize(10);
  Pump();
  EXPECT_EQ(Pixel(p, 7, 9), RGB(255, 0, 0));
  EXPECT_EQ(Pixel(p, 7, 10), ColorToRGB(clBtnFace));
  p->SetGridStyle(gsSolidLines);
  Pump();
  EXPECT_EQ(Pixel(p, 15, 3), RGB(255, 0, 0));
  EXPECT_EQ(Pixel(p, 3, 19), RGB(255, 0, 0));

  auto* c = MakePanel(100, 10, 120, 40);
  c->SetBorderOuter(fsNone);
  c->Font()->SetColor(clBlue);
  c->SetCaption("Caption");
  Pump();
  auto count = [&](Rgb color) {
    int n = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 120; ++x) n += Pixel(c, x, y) == color;
    return n;
  };
  EXPECT_GT(count(RGB(0, 0, 255)), 20);
  c->SetEnabled(false);
  Pump();
  EXPECT_EQ(count(RGB(0, 0, 255)), 0);
  EXPECT_GT(count(ColorToRGB(clGrayText)), 20);
}

TEST_F(PanelTest, DisablingKeepsWhatChildrenWere) {
  auto* p = MakePanel(10, 10, 200, 100);
  auto* a = new TButton(form);
  a->SetParent(p);
  auto* b = new TButton(form);
  b->SetParent(p);
  b->SetEnabled(false);
  p->SetEnabled(false);
  EXPECT_FALSE(a->Enabled());
  p->SetEnabled(true);
  EXPECT_TRUE(a->Enabled());
  EXPECT_FALSE(b->Enabled());
  // A child that left takes its record along.
  p->SetEnabled(false);
  b->SetParent(nullptr);
  b->SetEnabled(true);
  b->SetParent(p);
  p->SetEnabled(true);
  EXPECT_TRUE(b->Enabled());
}

// A window class of its own, registered without the redraw-on-resize styles.
class TStripPanel : public TRzPanel {
  VW_CLASS(TStripPanel, TRzPanel)
 public:
  explicit TStripPanel(TComponent* AOwner) : TRzPanel(AOwner) { SetFullRepaint(false); }
};

TEST_F(PanelTest, ResizingInvalidatesTheFrameStripsOnly) {
  auto* p = new TStripPanel(form);
  p->SetBounds(10, 10, 100, 50);
  p->SetParent(form);
  Pump();
  p->SetBounds(10, 10, 120, 50);
  RECT u{};
  ASSERT_TRUE(win::GetUpdateRect(p->Handle(), &u, win::FALSE));
  // The old right frame (2 pixels of fsRaised and the margin of 1) and what the resize uncovered.
  EXPECT_EQ(u.left, 100 - 2 - 1);
  EXPECT_EQ(u.right, 120);
  Pump();
  p->SetCaption("x");
  Pump();
  p->SetBounds(10, 10, 130, 50);
  ASSERT_TRUE(win::GetUpdateRect(p->Handle(), &u, win::FALSE));
  EXPECT_EQ(u.left, 0);
  Pump();

  // At the bottom the far edge stays.
  auto* bottom = MakePanel(0, 0, 50, 40);
  bottom->SetAlign(alBottom);
  Pump();
  int edge = bottom->Top() + bottom->Height();
  bottom->SetHeight(25);
  EXPECT_EQ(bottom->Top() + bottom->Height(), edge);
}

TEST_F(PanelTest, ObsoletePropertiesAndTheFrameController) {
  auto* p = new TRzPanel(form);
  FormTextToComponent(
      "object P: TRzPanel\n  UseGradients = True\n  ThemeAware = False\n  FrameSides = [sdLeft, sdTop]\n"
      "  BorderOuter = fsGroove\nend\n",
      p);
  EXPECT_EQ(p->VisualStyle(), vsGradient);
  EXPECT_EQ(p->BorderOuter(), fsGroove);

  auto* controller = new TRzFrameController(form);
  controller->SetFrameVisible(true);
  controller->SetFrameStyle(fsFlat);
  controller->SetColor(clRed);
  p->SetFrameController(controller);
  EXPECT_EQ(p->BorderOuter(), fsFlat);
  EXPECT_EQ(p->Color(), clRed);
  EXPECT_EQ(p->BorderShadow(), static_cast<TColor>(RGB(149, 0, 0)));
  delete controller;
  EXPECT_EQ(p->FrameController(), nullptr);
}

TEST_F(PanelTest, SwatchGridAsThePictureDialogBuildsIt) {
  struct Press {
    TObject* sender;
    TMouseButton button;
    TShiftState shift;
    int x, y;
  };
  std::vector<Press> presses;
  TRzPanel* selected = nullptr;
  std::vector<TRzPanel*> swatches;
  for (int row = 0; row < 7; ++row)
    for (int col = 0; col < 36; ++col) {
      auto* s = new TRzPanel(form);
      s->SetName("Swatch" + IntToStr(row * 36 + col));
      s->SetHint("RGB");
      s->SetParent(form);
      s->SetCaption("");
      s->SetColor(static_cast<TColor>(RGB(col * 7, row * 36, 255 - col * 7)));
      s->SetBounds(8 + col * 16, 8 + row * 16, 15, 15);
      s->Font()->SetSize(8);
      s->OnMouseDown = [&, s](TObject* sender, TMouseButton b, TShiftState shift, int x, int y) {
        presses.push_back({sender, b, shift, x, y});
        if (selected) selected->SetBorderOuter(fsNone);
        s->SetBorderOuter(fsButtonDown);
        selected = s;
      };
      swatches.push_back(s);
    }
  Pump();
  TRzPanel* target = swatches[40];
  MoveMouse(target, 5, 6);
  MouseButton(true);
  MouseButton(false);
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(presses[0].sender, target);
  EXPECT_EQ(presses[0].button, mbLeft);
  EXPECT_TRUE(presses[0].shift.Contains(ssLeft));
  EXPECT_EQ(presses[0].x, 5);
  EXPECT_EQ(presses[0].y, 6);
  Pump();
  EXPECT_EQ(Pixel(target, 0, 7), RGB(0, 0, 0));
  EXPECT_EQ(target->ClientRect().left, 2);
  MoveMouse(swatches[41], 3, 3);
  MouseButton(true, 3);
  MouseButton(false, 3);
  ASSERT_EQ(presses.size(), 2u);
  EXPECT_EQ(presses[1].button, mbRight);
  Pump();
  EXPECT_EQ(Pixel(target, 0, 7), ColorToRGB(target->Color()));
  SaveControl("panels-swatches.png", form);
}

TEST_F(PanelTest, Gallery) {
  struct Look {
    const char* caption;
    TFrameStyleEx outer, inner;
    int border;
  } looks[] = {{"fsRaised", fsRaised, fsNone, 0},         {"fsLowered", fsLowered, fsNone, 0},
               {"fsPopup", fsPopup, fsNone, 0},           {"fsStatus", fsStatus, fsNone, 0},
               {"fsGroove", fsGroove, fsNone, 0},         {"fsBump", fsBump, fsNone, 0},
               {"fsFlat", fsFlat, fsNone, 0},             {"fsFlatBold", fsFlatBold, fsNone, 0},
               {"fsButtonUp", fsButtonUp, fsNone, 0},     {"fsButtonDown", fsButtonDown, fsNone, 0},
               {"fsFlatRounded", fsFlatRounded, fsNone, 0}, {"raised + band", fsRaised, fsLowered, 3}};
  for (int i = 0; i < 12; ++i) {
    auto* p = MakePanel(10 + (i % 4) * 140, 10 + (i / 4) * 60, 130, 50);
    p->SetBorderOuter(looks[i].outer);
    p->SetBorderInner(looks[i].inner);
    p->SetBorderWidth(looks[i].border);
    p->SetCaption(looks[i].caption);
  }
  auto* grad = MakePanel(10, 190, 130, 60);
  grad->SetVisualStyle(vsGradient);
  grad->SetCaption("vsGradient");
  grad->SetAlignmentVertical(avTop);
  auto* custom = MakePanel(150, 190, 130, 60);
  custom->SetVisualStyle(vsGradient);
  custom->SetGradientColorStyle(gcsCustom);
  custom->SetGradientColorStart(clNavy);
  custom->SetGradientColorStop(clAqua);
  custom->SetGradientDirection(gdSquareBox);
  custom->Font()->SetColor(clWhite);
  custom->SetCaption("custom box");
  custom->SetAlignmentVertical(avBottom);
  auto* grid = MakePanel(290, 190, 130, 60);
  grid->SetShowGrid(true);
  grid->SetGridStyle(gsDottedLines);
  grid->SetCaption("grid");
  grid->SetAlignment(taLeftJustify);
  auto* see = MakePanel(430, 190, 130, 60);
  see->SetTransparent(true);
  see->SetBorderOuter(fsFlatRounded);
  see->SetCaption("transparent");
  Pump();
  EXPECT_EQ(Pixel(see, 40, 50), RGB(0, 128, 0));
  SaveControl("panels-gallery.png", form);
}

}  // namespace
}  // namespace panelstest

namespace panelstest {
namespace {

TEST_F(PanelTest, ThemeChangeReadsTheColourSchemeAgain) {
  auto* p = MakePanel(10, 10, 100, 50);
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager", true));
    reg.WriteString("ColorName", "HomeStead");
  }
  EXPECT_EQ(rz::XpColorScheme, xsNormalColor);
  win::SendMessage(p->Handle(), win::WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(rz::XpColorScheme, xsHomestead);
  rz::XpColorScheme = xsNormalColor;
}

TEST_F(PanelTest, DockManagerGrabbersAndCaptions) {
  auto* p = MakePanel(10, 10, 200, 120);
  p->UpdateDockManager();
  EXPECT_EQ(p->DockManager(), nullptr);  // not a dock site
  p->SetDockSite(true);
  p->SetUseDockManager(true);
  p->UpdateDockManager();
  TRzPanelDockManager* dock = p->DockManager();
  ASSERT_NE(dock, nullptr);
  EXPECT_TRUE(p->DoubleBuffered());
  EXPECT_EQ(dock->GripSize(), 14);
  EXPECT_EQ(dock->CaptionFont()->Name(), "Verdana");

  auto* edit = new TEdit(form);
  edit->SetParent(p);
  edit->SetCaption("Docked");
  auto* label = new TLabel(form);
  label->SetParent(p);
  label->SetCaption("Label");
  win::RECT r{10, 10, 110, 70};
  dock->AdjustDockRect(edit, r);
  EXPECT_EQ(r.top, 24);
  // A windowed client without the focus has an inactive grabber along its top.
  Surface s(120, 80, RGB(255, 0, 255));
  dock->PaintDockFrame(s.Canvas(), edit, win::RECT{10, 10, 110, 70});
  EXPECT_EQ(s.At(100, 12), ColorToRGB(clInactiveCaption));
  EXPECT_EQ(s.At(100, 24), RGB(255, 0, 255));
  // A windowless client counts as active; a panel at the top puts the grabber on the left.
  p->SetAlign(alTop);
  Surface t(120, 80, RGB(255, 0, 255));
  dock->PaintDockFrame(t.Canvas(), label, win::RECT{10, 10, 110, 70});
  EXPECT_EQ(t.At(12, 60), ColorToRGB(clActiveCaption));
  EXPECT_EQ(t.At(30, 60), RGB(255, 0, 255));
  s.Save("panels-dock-top.png");
  t.Save("panels-dock-left.png");
  p->SetShowDockClientCaptions(false);
  Surface u(120, 80, RGB(255, 0, 255));
  dock->PaintDockFrame(u.Canvas(), label, win::RECT{10, 10, 110, 70});
  EXPECT_EQ(u.At(12, 60), RGB(255, 0, 255));

  // A command in the dock site repaints it.
  Pump();
  paints = 0;
  p->Perform(win::WM_COMMAND, 0, 0);
  Pump();
  EXPECT_EQ(paints, 1);
}

}  // namespace
}  // namespace panelstest
