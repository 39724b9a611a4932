#include <string>

#include "platform/classes/ExtCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/DragImage.h"
#include "ui/controls/PopupWindow.h"
#include "ui/controls/WindowProcController.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

class PopupTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    SetWorkArea(RECT{0, 0, 1024, 740});
    popup = new TcxPopupWindow(nullptr);
  }
  void TearDown() override {
    delete popup;
    ControlsTest::TearDown();
  }
  void SetWorkArea(RECT r) { SystemParametersInfo(SPI_SETWORKAREA, 0, &r, 0); }
  TPoint Position(TRect owner, int width, int height) {
    popup->OwnerBounds = owner;
    popup->SetBounds(0, 0, width, height);
    TPoint p;
    popup->CalcPosition(p);
    return p;
  }
  TcxPopupWindow* popup = nullptr;
};

TEST_F(PopupTest, OpensBelowItsOwnerLeftAligned) {
  EXPECT_EQ(Position(TRect(100, 100, 300, 120), 200, 100), TPoint(100, 120));
}

TEST_F(PopupTest, FlipsAboveWhenThereIsMoreRoomThere) {
  EXPECT_EQ(Position(TRect(100, 700, 300, 720), 200, 100), TPoint(100, 600));
}

// Moving it up to fit would cover the owner: it stays below, even though it runs off the bottom.
TEST_F(PopupTest, StaysBelowWhenThereIsNotMoreRoomAbove) {
  SetWorkArea(RECT{0, 0, 1024, 300});
  EXPECT_EQ(Position(TRect(0, 100, 100, 120), 200, 250), TPoint(0, 120));
}

TEST_F(PopupTest, ACentredPopupIsShiftedBackInsideTheWorkArea) {
  popup->AlignHorz = 1;
  EXPECT_EQ(Position(TRect(900, 100, 1000, 120), 300, 50).X, 724);
  popup->AlignHorz = 2;
  EXPECT_EQ(Position(TRect(0, 100, 100, 120), 300, 50).X, 0);
}

TEST_F(PopupTest, BesideTheOwnerItFlipsLeftAndClampsVertically) {
  popup->Direction = 0;
  popup->AlignVert = 0;
  popup->AlignHorz = 2;
  EXPECT_EQ(Position(TRect(100, 100, 200, 120), 150, 80), TPoint(200, 100));
  // No room on the right: it opens to the left; too low: moved up into the work area.
  EXPECT_EQ(Position(TRect(900, 700, 1000, 720), 150, 80), TPoint(750, 660));
}

TEST_F(PopupTest, FittingMovesTheChildrenInOnEveryCall) {
  popup->FrameStyle = 1;
  popup->BorderSpace = 2;
  auto* panel = new TPanel(popup);
  panel->SetParent(popup);
  panel->SetBounds(0, 0, 80, 40);
  popup->OwnerBounds = TRect(100, 100, 200, 120);
  popup->Popup();
  Pump();
  EXPECT_EQ(popup->Width(), 86);
  EXPECT_EQ(popup->Height(), 46);
  EXPECT_EQ(panel->Left(), 3);
  EXPECT_EQ(popup->Left(), 100);
  EXPECT_EQ(popup->Top(), 120);
  TRect inner;
  popup->InnerClientRect(inner);
  EXPECT_EQ(inner, TRect(3, 3, 83, 43));
  popup->Popup();
  EXPECT_EQ(popup->Width(), 89);
  EXPECT_EQ(popup->Height(), 49);
  EXPECT_EQ(panel->Left(), 6);
}

TEST_F(PopupTest, FrameStyles) {
  const TColor face = clBtnFace;
  popup->SetColor(face);
  popup->FrameColor = clRed;
  for (int style = 1; style <= 3; ++style) {
    SCOPED_TRACE(style);
    popup->FrameStyle = style;
    popup->OwnerBounds = TRect(100 * style, 100, 100 * style + 10, 110);
    popup->SetBounds(0, 0, 60, 40);
    popup->Popup();
    popup->Invalidate();
    Pump();
    HDC dc = GetDC(popup->Handle());
    const COLORREF outer = GetPixel(dc, 0, 10), second = GetPixel(dc, 1, 10), inside = GetPixel(dc, 3, 10);
    ReleaseDC(popup->Handle(), dc);
    EXPECT_EQ(inside, ColorToRGB(face));
    switch (style) {
      case 1:
        EXPECT_EQ(outer, ColorToRGB(clRed));
        EXPECT_EQ(second, ColorToRGB(face));
        break;
      case 2:
        EXPECT_EQ(outer, ColorToRGB(clBtnHighlight));
        EXPECT_EQ(second, ColorToRGB(face));
        break;
      case 3:
        EXPECT_EQ(outer, ColorToRGB(cl3DLight));
        EXPECT_EQ(second, ColorToRGB(clBtnHighlight));
        break;
    }
    EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("cx_popup_frame" + std::to_string(style) + ".png")));
    popup->ClosePopup();
  }
}

TEST_F(PopupTest, TheActiveWindowKeepsItsCaptionAndDeactivationCloses) {
  auto* owner = new TForm(Application, 0);
  owner->SetBounds(50, 50, 300, 200);
  owner->Show();
  Pump();
  std::vector<WPARAM> ncActivations;
  TcxWindowProcLinkedObject* hook = nullptr;
  hook = WindowProcControllerInstance()->HookWindow(owner->Handle(), [&](TMessage& m) {
    if (m.Msg == WM_NCACTIVATE) ncActivations.push_back(m.WParam);
    CallPreviousWindowProc(hook, m);
  });
  popup->OwnerParent = owner;
  popup->OwnerBounds = TRect(10, 10, 100, 30);
  popup->SetBounds(0, 0, 100, 100);
  popup->Popup();
  SetActiveWindow(popup->Handle());
  Pump();
  EXPECT_EQ(popup->Left(), owner->ClientToScreen(POINT{10, 30}).x);
  EXPECT_EQ(popup->PrevActiveWindow, owner->Handle());
  ASSERT_FALSE(ncActivations.empty());
  EXPECT_EQ(ncActivations.back(), 1u);

  // Another window of the program taking activation closes the popup.
  SetActiveWindow(owner->Handle());
  Pump();
  EXPECT_FALSE(popup->Visible());

  // The program going behind another one closes it too, and the owner's caption goes inactive.
  popup->Popup();
  SetActiveWindow(popup->Handle());
  Pump();
  ncActivations.clear();
  SendMessage(popup->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_FALSE(popup->Visible());
  ASSERT_FALSE(ncActivations.empty());
  EXPECT_EQ(ncActivations.front(), 0u);
  WindowProcControllerInstance()->Unhook(hook);
  delete owner;
}

TEST_F(PopupTest, DragImageIsHalfTransparentAndLetsTheMouseThrough) {
  TForm* form = NewForm(10, 10, 200, 200);
  TcxCustomDragImage image(nullptr);
  EXPECT_TRUE(image.AlphaBlend());
  EXPECT_EQ(image.AlphaBlendValue(), 180);
  EXPECT_EQ(image.BoundsRect(), (RECT{0, 0, 0, 0}));
  image.SetBounds(20, 20, 50, 50);
  image.ShowWithCommand(SW_SHOWNOACTIVATE);
  EXPECT_EQ(GetParent(image.Handle()), form->Handle());
  EXPECT_NE(GetClassLong(image.Handle(), GCL_STYLE) & CS_SAVEBITS, 0u);
  EXPECT_EQ(SendMessage(image.Handle(), WM_NCHITTEST, 0, PointToLParam(30, 30)), HTTRANSPARENT);
  EXPECT_EQ(GetActiveWindow(), form->Handle());
  delete form;
}

TEST_F(PopupTest, SizeFrameShowsABandOfItsWidth) {
  TcxSizeFrame frame(nullptr, 3);
  EXPECT_FALSE(frame.AlphaBlend());
  frame.HandleNeeded();
  frame.SetFrameRect(TRect(10, 10, 110, 60));
  HRGN expected = CreateRectRgn(0, 0, 100, 50);
  HRGN hole = CreateRectRgn(3, 3, 97, 47);
  CombineRgn(expected, expected, hole, RGN_DIFF);
  EXPECT_TRUE(frame.Region()->SameAsHandle(expected));
  HRGN applied = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(frame.Handle(), applied), ERROR);
  EXPECT_TRUE(EqualRgn(applied, expected));
  frame.ShowWithCommand(SW_SHOWNOACTIVATE);
  Pump();
  // The halftone band: neighbouring pixels alternate between black and white.
  HDC dc = GetDC(frame.Handle());
  const COLORREF a = GetPixel(dc, 1, 1), b = GetPixel(dc, 2, 1);
  ReleaseDC(frame.Handle(), dc);
  EXPECT_NE(a, b);
  EXPECT_TRUE(a == RGB(0, 0, 0) || a == RGB(255, 255, 255));
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("cx_size_frame.png")));
  for (HRGN r : {expected, hole, applied}) DeleteObject(r);
}

}  // namespace
