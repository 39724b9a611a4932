#include <gtest/gtest.h>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/ParentBackground.h"

namespace {

using surfacetest::Surface;

// Vertical stripes four pixels wide, yellow then blue.
class TStripedPanel : public TCustomControl {
  VW_CLASS(TStripedPanel, TCustomControl)
 public:
  using TCustomControl::TCustomControl;

 protected:
  void Paint() override {
    const win::RECT r = ClientRect();
    for (int x = 0; x < r.right; x += 4) {
      Canvas()->Brush()->SetColor((x / 4) % 2 ? clBlue : clYellow);
      Canvas()->FillRect(Rect(x, 0, x + 4, r.bottom));
    }
  }
};

class TSolidBox : public TCustomControl {
  VW_CLASS(TSolidBox, TCustomControl)
 public:
  TSolidBox(TComponent* AOwner, TColor Colour, bool Sunken) : TCustomControl(AOwner), FSunken(Sunken) {
    SetColor(Colour);
  }

 protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    if (FSunken) Params.ExStyle |= win::WS_EX_CLIENTEDGE;
  }
  void Paint() override {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }

 private:
  bool FSunken;
};

class ParentBackgroundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(640, 480));
    InitializeForms();
    Application->Initialize();
    form = new TForm(Application, 0);
    form->SetBounds(10, 10, 300, 200);
    panel = new TStripedPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 200, 100);
    // New windows join their siblings at the bottom: the one made first lies on top.
    above = new TSolidBox(form, clRed, false);
    above->SetParent(panel);
    above->SetBounds(120, 40, 60, 50);
    above->Handle();
    control = new TSolidBox(form, clBlack, false);
    control->SetParent(panel);
    control->SetBounds(50, 20, 100, 60);
    control->Handle();
    beneath = new TSolidBox(form, clLime, true);
    beneath->SetParent(panel);
    beneath->SetBounds(30, 10, 60, 40);
    beneath->Handle();
    form->Show();
  }
  void TearDown() override {
    FinalizeForms();
    platform::ResetDisplay();
  }

  TForm* form = nullptr;
  TStripedPanel* panel = nullptr;
  TSolidBox *above = nullptr, *control = nullptr, *beneath = nullptr;
};

TEST_F(ParentBackgroundTest, ParentAndTheSiblingBeneathShowThrough) {
  ASSERT_EQ(win::GetWindow(above->Handle(), win::GW_HWNDNEXT), control->Handle());
  ASSERT_EQ(win::GetWindow(control->Handle(), win::GW_HWNDNEXT), beneath->Handle());
  Surface s(100, 60, clWhite);
  TcxCanvas canvas(s.Canvas());
  PaintParentBackground(control, &canvas, TRect(0, 0, 100, 60), true);
  s.Save("parent-background.png");

  // Parent (110, 25) and, under the sibling above, (140, 70): the stripes.
  EXPECT_EQ(s.At(60, 5), ColorToRGB(clBlue));
  EXPECT_EQ(s.At(56, 5), ColorToRGB(clYellow));
  EXPECT_EQ(s.At(90, 50), ColorToRGB(clBlue));
  // The sibling beneath: its client area, then its sunken edge on the right and at the bottom.
  EXPECT_EQ(s.At(0, 0), ColorToRGB(clLime));
  EXPECT_EQ(s.At(37, 27), ColorToRGB(clLime));
  EXPECT_EQ(s.At(38, 10), ColorToRGB(cl3DLight));
  EXPECT_EQ(s.At(39, 10), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(s.At(10, 29), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(s.At(40, 10), ColorToRGB((40 + 50) / 4 % 2 ? clBlue : clYellow));
  EXPECT_FALSE(panel->ControlState().Contains(csPaintCopy));

  // Without siblings the parent alone.
  Surface plain(100, 60, clWhite);
  TcxCanvas plainCanvas(plain.Canvas());
  PaintParentBackground(control, &plainCanvas, TRect(0, 0, 100, 60));
  EXPECT_EQ(plain.At(0, 0), ColorToRGB(clYellow));  // parent x 50
}

TEST_F(ParentBackgroundTest, OnlyTheAskedAreaAndNothingWithoutAParent) {
  Surface s(100, 60, clWhite);
  TcxCanvas canvas(s.Canvas());
  PaintParentBackground(control, &canvas, TRect(10, 10, 20, 20), true);
  EXPECT_EQ(s.At(9, 9), ColorToRGB(clWhite));
  EXPECT_EQ(s.At(10, 10), ColorToRGB(clLime));
  EXPECT_EQ(s.At(20, 20), ColorToRGB(clWhite));

  auto* orphan = new TSolidBox(form, clBlack, false);
  Surface untouched(20, 20, clWhite);
  TcxCanvas c(untouched.Canvas());
  PaintParentBackground(orphan, &c, TRect(0, 0, 20, 20), true);
  EXPECT_EQ(untouched.CountOf(clWhite), 400);

  // Shifted: the canvas's (0, 0) shows the control's (5, 0).
  Surface shifted(10, 10, clWhite);
  TcxCanvas sc(shifted.Canvas());
  PaintParentBackgroundShifted(control, &sc, TRect(0, 0, 100, 60), TPoint(40, 30), false);
  EXPECT_EQ(shifted.At(0, 0), ColorToRGB((90 / 4) % 2 ? clBlue : clYellow));
  TPoint origin;
  sc.ReadWindowOrigin(origin);
  EXPECT_EQ(origin, TPoint());
}

}  // namespace
