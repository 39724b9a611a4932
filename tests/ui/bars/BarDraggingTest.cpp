// Dragging toolbars with the mouse on the headless screen: along a site, from floating into a site
// after the docking pause, Ctrl, the corner rule, the ways a drag ends, the two windows a toolbar
// keeps while it changes shape, refused and covered sites, and the double click.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/classes/ExtCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Messages.h"
#include "platform/win/Rects.h"
#include "platform/win/Window.h"
#include "platform/win/WindowManager.h"
#include "tests/ui/bars/BarDragScript.h"
#include "tests/ui/bars/BarToolbarFixture.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarDockControl.h"
#include "ui/bars/BarEditItems.h"
#include "ui/bars/BarUnit.h"

using namespace win;

namespace {

int WindowCount() {
  int count = 0;
  platform::wm::Windows().ForEach([&](std::uintptr_t, auto*) { ++count; });
  return count;
}

platform::HeadlessControl& Screen() { return *platform::Headless(); }

TRect ScreenRect(TWinControl* W) {
  RECT r;
  GetWindowRect(W->Handle(), &r);
  return {r.left, r.top, r.right, r.bottom};
}

class BarDraggingTest : public BarToolbarFixture {
 protected:
  void SetUp() override {
    BarToolbarFixture::SetUp();
    Form->SetBounds(200, 150, 560, 420);
    Pump();
  }
  TdxBar* NewBar(TdxBarDockingStyle AStyle, int AButtons = 3) {
    TdxBar* bar = AddToolbar<TdxBar>("T" + std::to_string(++FBars), AStyle, AButtons, 60, 40);
    return bar;
  }
  static TdxBarControl* W(TdxBar* ABar) { return ABar->Control(); }
  // The middle of a docked toolbar's grip.
  static TPoint Grip(TdxBar* ABar) {
    const TRect r = ScreenRect(W(ABar));
    POINT origin{0, 0};
    ClientToScreen(W(ABar)->Handle(), &origin);
    if (W(ABar)->IsVertical()) return {(r.Left + r.Right) / 2, (r.Top + origin.y) / 2};
    return {(r.Left + origin.x) / 2, (r.Top + r.Bottom) / 2};
  }
  // A point on a floating toolbar's caption, AX right of its left edge.
  static TPoint Caption(TdxBar* ABar, int AX = 12) {
    const TRect r = ScreenRect(W(ABar));
    const TRect band = W(ABar)->CaptionBand(true);
    return {r.Left + AX, r.Top + (band.Top + band.Bottom) / 2};
  }
  // A point of the form's client area on the screen.
  TPoint FormPoint(int X, int Y) const {
    POINT p{X, Y};
    ClientToScreen(Form->Handle(), &p);
    return {p.x, p.y};
  }
  static std::function<void()> MoveTo(TPoint P) {
    return [P] { Screen().InjectMouseMove(P.X, P.Y); };
  }
  static std::function<void()> Release() {
    return [] { Screen().InjectMouseButton(1, false); };
  }
  static std::function<void()> Key(WORD AKey, bool ADown) {
    return [AKey, ADown] { Screen().InjectKey(AKey, ADown); };
  }

  // Presses the left button at AFrom, where the drag starts, runs the script while the drag's loop
  // waits, and returns once the messages are handled; true when a WM_QUIT came out. After every
  // drag each toolbar has one window again.
  bool Drag(const TPoint& AFrom, TDragScript& AScript) {
    // The pointer enters first: the mouse tracking makes its one window for the program then.
    Screen().InjectMouseMove(AFrom.X, AFrom.Y);
    Pump();
    const int before = WindowCount();
    Screen().InjectMouseButton(1, true);
    const bool quit = AScript.Run();
    EXPECT_FALSE(M->Bars()->Dragging());
    EXPECT_EQ(WindowCount(), before) << "one window per toolbar after the drag";
    return quit;
  }
  TdxDockControl* Site(TdxBarDockingStyle AStyle) const { return M->Bars()->DockControls(AStyle); }

  platform::ScopedVirtualClock Clock;

 private:
  int FBars = 0;
};

// ---- inside a site --------------------------------------------------------------------------------

TEST_F(BarDraggingTest, AToolbarDraggedAlongItsRowFollowsThePointerPixelForPixel) {
  TdxBar* bar = NewBar(dsTop);
  bar->SetDockedLeft(40);
  Pump();
  const TRect start = ScreenRect(W(bar));
  const TPoint grip = Grip(bar);
  TDragScript script;
  int step = 0;
  for (int dx : {1, 7, 30, 55, 12}) {
    step += 10;
    script.At(step, MoveTo({grip.X + dx, grip.Y + 2}));
    script.At(step + 5, [&, dx] {
      EXPECT_EQ(ScreenRect(W(bar)).Left, start.Left + dx) << "moved by " << dx;
      EXPECT_EQ(ScreenRect(W(bar)).Top, start.Top) << "still on its row";
    });
  }
  script.At(step + 10, Release());
  Drag(grip, script);
  EXPECT_EQ(W(bar)->DockingStyle(), dsTop);
  EXPECT_EQ(ScreenRect(W(bar)).Left, start.Left + 12);
  EXPECT_EQ(bar->DockedLeft(), W(bar)->Left()) << "the place is written back";
}

TEST_F(BarDraggingTest, APressAndReleaseWithoutMovingLeavesEveryToolbarWhereItWas) {
  TdxBar* first = NewBar(dsTop);
  TdxBar* second = NewBar(dsTop);
  second->SetRow(1);
  TdxBar* left = NewBar(dsLeft);
  Pump();
  for (TdxBar* bar : {first, second, left}) {
    const TRect before = ScreenRect(W(bar));
    const int row = bar->Row();
    TDragScript script;
    script.At(10, Release());
    Drag(Grip(bar), script);
    EXPECT_EQ(ScreenRect(W(bar)), before) << bar->Caption();
    EXPECT_EQ(bar->Row(), row) << bar->Caption();
    EXPECT_EQ(W(bar)->DockingStyle(), bar->DockingStyle());
  }
}

// ---- floating to docked -----------------------------------------------------------------------------

TEST_F(BarDraggingTest, AFloatingToolbarDocksAtTheFirstTickAfterThePauseWhereThePointerIsThen) {
  TdxBar* bar = NewBar(dsNone);
  const TPoint from = Caption(bar);
  const TPoint zone = FormPoint(150, 8);
  TDragScript script;
  script.At(10, MoveTo(zone));
  script.At(30, [&] { EXPECT_EQ(W(bar)->DockingStyle(), dsNone) << "20 ms in the zone"; });
  script.At(40, [&] {
    EXPECT_EQ(W(bar)->DockingStyle(), dsTop) << "docked at the tick 21 ms after the move";
    const TPoint grab = W(bar)->GrabPoint(dsTop);
    EXPECT_EQ(ScreenRect(W(bar)).Left, zone.X - grab.X) << "under the pointer as it rests";
  });
  script.At(50, Release());
  Drag(from, script);
  EXPECT_EQ(bar->DockingStyle(), dsTop);
  EXPECT_EQ(bar->DockedDockingStyle(), dsTop);
}

TEST_F(BarDraggingTest, MovesEvery10MsKeepAToolbarFloatingUntilThePointerRests) {
  TdxBar* bar = NewBar(dsNone);
  const TPoint from = Caption(bar);
  TDragScript script;
  for (int t = 10; t <= 80; t += 10) script.At(t, MoveTo(FormPoint(100 + t, 10)));
  script.At(95, [&] { EXPECT_EQ(W(bar)->DockingStyle(), dsNone) << "every move restarted the wait"; });
  script.At(110, [&] { EXPECT_EQ(W(bar)->DockingStyle(), dsTop) << "21 ms after the last move"; });
  script.At(120, Release());
  Drag(from, script);
}

TEST_F(BarDraggingTest, CtrlKeepsAToolbarFloatingAndPressingOrReleasingItActsAtOnce) {
  TdxBar* bar = NewBar(dsTop);
  const TPoint grip = Grip(bar);
  TDragScript script;
  script.At(10, MoveTo({grip.X + 20, grip.Y}));
  script.At(20, Key(VK_CONTROL, true));
  script.At(30, [&] { EXPECT_EQ(W(bar)->DockingStyle(), dsNone) << "Ctrl floats it without a move"; });
  script.At(40, MoveTo({grip.X + 40, grip.Y}));
  script.At(100, [&] { EXPECT_EQ(W(bar)->DockingStyle(), dsNone) << "held Ctrl keeps it floating in the zone"; });
  script.At(110, Key(VK_CONTROL, false));
  script.At(130, [&] { EXPECT_EQ(W(bar)->DockingStyle(), dsNone) << "the docking pause starts at the release"; });
  script.At(140, [&] { EXPECT_EQ(W(bar)->DockingStyle(), dsTop) << "and ends 21 ms later"; });
  script.At(150, Release());
  Drag(grip, script);
}

// ---- corners and ends -------------------------------------------------------------------------------

TEST_F(BarDraggingTest, WhereTheLeftAndTopZonesMeetTheToolbarDocksLeft) {
  TdxBar* bar = NewBar(dsNone);
  TDragScript script;
  script.At(10, MoveTo(FormPoint(4, 4)));
  script.At(50, Release());
  Drag(Caption(bar), script);
  EXPECT_EQ(bar->DockingStyle(), dsLeft);
}

TEST_F(BarDraggingTest, EscapeEndsTheDragWhereTheToolbarIs) {
  TdxBar* bar = NewBar(dsNone);
  const TPoint from = Caption(bar);
  const TRect start = ScreenRect(W(bar));
  TDragScript script;
  script.At(10, MoveTo({from.X + 40, from.Y + 30}));
  script.At(20, Key(VK_ESCAPE, true));
  Drag(from, script);
  Screen().InjectMouseMove(from.X + 90, from.Y + 90);
  Screen().InjectMouseButton(1, false);
  Pump();
  EXPECT_EQ(ScreenRect(W(bar)).Left, start.Left + 40) << "no way back to the start";
  EXPECT_EQ(ScreenRect(W(bar)).Top, start.Top + 30) << "the move after Escape is no drag";
  EXPECT_EQ(bar->FloatLeft(), W(bar)->Left());
}

TEST_F(BarDraggingTest, LosingTheCaptureEndsTheDragAndForgetsThePendingDocking) {
  TdxBar* bar = NewBar(dsNone);
  auto* other = new TPanel(Form);
  other->SetParent(Form);
  other->SetBounds(300, 200, 40, 40);
  Pump();
  TDragScript script;
  script.At(10, MoveTo(FormPoint(150, 8)));
  script.At(15, [&] {
    EXPECT_TRUE(BarDesignController()->IsDragging());
    SetCapture(other->Handle());
  });
  Drag(Caption(bar), script);
  EXPECT_FALSE(W(bar)->BeingDragged());
  EXPECT_EQ(M->Bars()->DraggedWindow(), nullptr);
  EXPECT_FALSE(BarDesignController()->IsDragging());
  Clock->Advance(100);
  Pump();
  EXPECT_EQ(W(bar)->DockingStyle(), dsNone) << "the docking timer went with the drag";
  ReleaseCapture();
  Screen().InjectMouseButton(1, false);
  Pump();
}

TEST_F(BarDraggingTest, AQuitPostedDuringTheDragEndsItAndReachesTheOuterLoop) {
  TdxBar* bar = NewBar(dsNone);
  TDragScript script;
  script.At(10, [] { PostQuitMessage(3); });
  script.At(20, MoveTo({10, 10}));
  EXPECT_TRUE(Drag(Caption(bar), script));
  EXPECT_EQ(GetCapture(), nullptr);
  Screen().InjectMouseButton(1, false);
  Pump();
}

// ---- changing shape ---------------------------------------------------------------------------------

TEST_F(BarDraggingTest, ChangingShapeSwapsTwoWindowsAndEditWindowsComeBackAfterTheDrop) {
  TdxBar* bar = NewBar(dsTop);
  auto* edit = new TdxBarEdit(Form);
  bar->ItemLinks()->AddItem(edit);
  Pump();
  auto editWindow = [&] { return bar->ItemLinks()->Items(3)->Control()->EditWindow(); };
  ASSERT_NE(editWindow(), nullptr);
  const TPoint grip = Grip(bar);
  const TPoint away = FormPoint(260, 220);
  int during = 0;
  TDragScript script;
  script.At(10, MoveTo({grip.X + 5, grip.Y}));
  script.At(20, [&] {
    during = WindowCount();
    EXPECT_EQ(editWindow(), nullptr) << "no edit window while dragged";
    EXPECT_NE(W(bar)->DockedWindow(), nullptr);
    EXPECT_NE(W(bar)->FloatingWindow(), nullptr);
  });
  script.At(30, MoveTo(away));
  script.At(40, [&] {
    EXPECT_EQ(W(bar)->DockingStyle(), dsNone);
    EXPECT_EQ(W(bar)->Handle(), W(bar)->FloatingWindow());
    EXPECT_EQ(WindowCount(), during) << "floating made no window";
  });
  script.At(50, MoveTo({grip.X + 25, grip.Y}));
  script.At(100, [&] {
    EXPECT_EQ(W(bar)->DockingStyle(), dsTop);
    EXPECT_EQ(W(bar)->Handle(), W(bar)->DockedWindow());
    EXPECT_EQ(WindowCount(), during) << "docking again made no window";
  });
  script.At(110, Release());
  Drag(grip, script);
  EXPECT_EQ(W(bar)->DockedWindow(), nullptr);
  EXPECT_EQ(W(bar)->FloatingWindow(), nullptr);
  ASSERT_NE(editWindow(), nullptr);
  EXPECT_TRUE(IsWindow(editWindow()));
  EXPECT_EQ(GetParent(editWindow()), W(bar)->Handle());
}

TEST_F(BarDraggingTest, ThePointerKeepsItsPixelBackInTheStartSiteAndItsRelativePlaceFloating) {
  TdxBar* bar = NewBar(dsTop);
  bar->SetDockedLeft(30);
  Pump();
  const TPoint grip = Grip(bar);
  const int grabX = grip.X - ScreenRect(W(bar)).Left;
  const TPoint away = FormPoint(250, 230);
  TDragScript script;
  script.At(10, MoveTo(away));
  script.At(20, [&] {
    ASSERT_EQ(W(bar)->DockingStyle(), dsNone);
    const TRect r = ScreenRect(W(bar));
    EXPECT_EQ(away.X - r.Left, MulDiv(r.Right - r.Left, W(bar)->GrabRatioX().X, W(bar)->GrabRatioX().Y));
    EXPECT_EQ(away.Y - r.Top, MulDiv(r.Bottom - r.Top, W(bar)->GrabRatioY().X, W(bar)->GrabRatioY().Y));
  });
  script.At(30, MoveTo({grip.X + 70, grip.Y + 1}));
  script.At(80, [&] {
    ASSERT_EQ(W(bar)->DockingStyle(), dsTop);
    EXPECT_EQ(grip.X + 70 - ScreenRect(W(bar)).Left, grabX) << "the same pixel of the grip";
  });
  script.At(90, Release());
  Drag(grip, script);
}

// ---- refusals and covered sites ---------------------------------------------------------------------

TEST_F(BarDraggingTest, ARefusedSiteIsNeverDockedInto) {
  M->OnDocking = [](TdxBar*, TdxBarDockingStyle AStyle, TdxDockControl*, bool& ACan) {
    if (AStyle == dsLeft) ACan = false;
  };
  TdxBar* bar = NewBar(dsNone);
  TDragScript script;
  script.At(10, MoveTo(FormPoint(6, 200)));
  script.At(60, [&] { EXPECT_EQ(W(bar)->DockingStyle(), dsNone); });
  script.At(70, MoveTo(FormPoint(4, 4)));
  script.At(120, Release());
  Drag(Caption(bar), script);
  EXPECT_EQ(bar->DockingStyle(), dsTop) << "the corner goes to the top site";
}

TEST_F(BarDraggingTest, AStandAloneSiteCoveredByASiblingIsNoTargetWhereItIsCovered) {
  auto* holder = new TPanel(Form);
  holder->SetParent(Form);
  holder->SetBounds(100, 150, 300, 120);
  auto* site = new TdxBarDockControl(Form);
  site->SetBarManager(M);
  site->SetParent(holder);
  site->SetAlign(dalTop);
  auto* cover = new TPanel(Form);
  cover->SetParent(Form);
  cover->SetBounds(100, 140, 150, 60);
  cover->BringToFront();
  Pump();
  TdxBar* bar = NewBar(dsNone);
  TDragScript script;
  script.At(10, MoveTo(FormPoint(180, 160)));
  script.At(60, [&] { EXPECT_EQ(W(bar)->DockingStyle(), dsNone) << "covered"; });
  script.At(70, MoveTo(FormPoint(330, 160)));
  script.At(120, [&] { EXPECT_EQ(W(bar)->DockControl(), site) << "uncovered"; });
  script.At(130, Release());
  Drag(Caption(bar), script);
  EXPECT_EQ(bar->DockControl(), site);
}

// ---- the double click -------------------------------------------------------------------------------

class BarDoubleClickTest : public BarDraggingTest {
 protected:
  static void DoubleClick(const TPoint& P) {
    Screen().InjectMouseMove(P.X, P.Y);
    for (int i = 0; i < 2; ++i) {
      Screen().InjectMouseButton(1, true);
      Screen().InjectMouseButton(1, false);
    }
    Pump();
  }
};

TEST_F(BarDoubleClickTest, ADockedToolbarFloatsAtItsFloatingPlaceAndComesBackToItsDockedPlace) {
  NewBar(dsTop);
  TdxBar* bar = NewBar(dsTop);
  bar->SetDockedLeft(90);
  bar->SetOneOnRow(true);
  Pump();
  const TRect docked = ScreenRect(W(bar));
  const int row = bar->Row();
  ASSERT_EQ(Site(dsTop)->RowCount(), 2);
  DoubleClick(Grip(bar));
  ASSERT_EQ(bar->DockingStyle(), dsNone);
  EXPECT_EQ(ScreenRect(W(bar)).Left, 200);
  EXPECT_EQ(ScreenRect(W(bar)).Top, 150);
  DoubleClick(Caption(bar));
  ASSERT_EQ(bar->DockingStyle(), dsTop);
  EXPECT_EQ(bar->Row(), row);
  EXPECT_EQ(ScreenRect(W(bar)), docked);
}

TEST_F(BarDoubleClickTest, ANeverDockedToolbarDocksOnANewLastRowOfTheTopSite) {
  NewBar(dsTop);
  TdxBar* bar = NewBar(dsNone);
  bar->SetDockedDockingStyle(dsNone);
  DoubleClick(Caption(bar));
  EXPECT_EQ(bar->DockingStyle(), dsTop);
  EXPECT_EQ(bar->Row(), 1);
  EXPECT_TRUE(bar->OneOnRow());
  EXPECT_EQ(Site(dsTop)->RowCount(), 2);
}

TEST_F(BarDoubleClickTest, ARefusedPlaceLeavesTheToolbarAsItIs) {
  TdxBar* bar = NewBar(dsNone);
  M->OnDocking = [](TdxBar*, TdxBarDockingStyle AStyle, TdxDockControl*, bool& ACan) { ACan = AStyle == dsNone; };
  DoubleClick(Caption(bar));
  EXPECT_EQ(bar->DockingStyle(), dsNone);
}

}  // namespace
