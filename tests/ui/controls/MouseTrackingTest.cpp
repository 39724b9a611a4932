#include <functional>

#include "platform/classes/ExtCtrls.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/controls/MouseTracking.h"
#include "ui/controls/WindowProcController.h"
#include "ui/foundation/Core.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

struct Caller : IcxMouseTrackingCaller {
  int leaves = 0;
  std::function<void()> onLeave;
  void MouseLeave() override {
    ++leaves;
    if (onLeave) onLeave();
  }
};

struct ShapedCaller : Caller, IcxMouseTrackingHitTest {
  // Only the left half of the control counts.
  int halfWidth = 0;
  bool PointInside(const POINT& P) override { return P.x < halfWidth; }
};

class MouseLeaveWatchTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = NewForm(100, 100, 200, 100);
    // Counts what reaches the window itself: the watch sends, while the class library's own
    // enter and leave notices go straight to the control.
    hook = WindowProcControllerInstance()->HookWindow(form->Handle(), [this](TMessage& m) {
      if (m.Msg == CM_MOUSELEAVE) ++sentLeaves;
      CallPreviousWindowProc(hook, m);
    });
  }
  void TearDown() override {
    WindowProcControllerInstance()->Unhook(hook);
    delete form;
    ControlsTest::TearDown();
  }
  RECT FormClient() { return form->ClientRect(); }
  std::size_t Watches() { return MouseTrackingTimerList()->size(); }

  TForm* form = nullptr;
  TcxWindowProcLinkedObject* hook = nullptr;
  int sentLeaves = 0;
};

TEST_F(MouseLeaveWatchTest, LeavingIsReportedWithinOneTick) {
  Caller caller;
  MoveMouse(150, 150);
  StartMouseLeaveWatch(form, FormClient(), &caller);
  StartMouseLeaveWatch(form, FormClient(), &caller);
  EXPECT_EQ(Watches(), 1u);
  EXPECT_EQ(FindMouseTrackingTimer(&caller)->Bounds.left, 100);
  RunFor(50);
  EXPECT_EQ(caller.leaves, 0);

  MoveMouse(400, 400);
  RunFor(10);
  EXPECT_EQ(caller.leaves, 1);
  EXPECT_EQ(sentLeaves, 1);
  EXPECT_FALSE(IsMouseLeaveWatched(&caller));
  EXPECT_EQ(Watches(), 0u);
}

TEST_F(MouseLeaveWatchTest, ADisabledParentEndsTheWatch) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 50, 50);
  Pump();
  Caller caller;
  MoveMouse(130, 130);
  StartMouseLeaveWatch(panel, panel->ClientRect(), &caller);
  RunFor(30);
  EXPECT_EQ(caller.leaves, 0);
  form->SetEnabled(false);
  RunFor(10);
  EXPECT_EQ(caller.leaves, 1);
  EXPECT_FALSE(IsMouseLeaveWatched(&caller));
}

// A watch without a control (a skinned caption button's rectangle) runs for as long as the mouse
// stays inside its screen rectangle.
TEST_F(MouseLeaveWatchTest, AWatchWithoutAControlEndsOnlyWhenTheMouseLeavesItsBounds) {
  Caller caller;
  MoveMouse(550, 550);
  StartMouseLeaveWatch(nullptr, RECT{500, 500, 600, 600}, &caller);
  RunFor(100);
  EXPECT_EQ(caller.leaves, 0);
  EXPECT_TRUE(IsMouseLeaveWatched(&caller));
  MoveMouse(600, 550);
  RunFor(10);
  EXPECT_EQ(caller.leaves, 1);
  EXPECT_FALSE(IsMouseLeaveWatched(&caller));
}

// The close button hands the hot state straight to the maximise button, whose watch starts while
// the close button's watch is ending: the new watch must survive the end of the old one.
TEST_F(MouseLeaveWatchTest, AWatchStartedAgainInsideMouseLeaveIsKept) {
  Caller caller;
  MoveMouse(550, 550);
  StartMouseLeaveWatch(nullptr, RECT{500, 500, 520, 520}, &caller);
  caller.onLeave = [&] {
    caller.onLeave = nullptr;
    StartMouseLeaveWatch(nullptr, RECT{540, 540, 560, 560}, &caller);
  };
  RunFor(10);
  EXPECT_EQ(caller.leaves, 1);
  ASSERT_TRUE(IsMouseLeaveWatched(&caller));
  EXPECT_EQ(Watches(), 1u);
  RunFor(50);
  EXPECT_EQ(caller.leaves, 1);
  MoveMouse(700, 700);
  RunFor(10);
  EXPECT_EQ(caller.leaves, 2);
  EXPECT_EQ(Watches(), 0u);
}

TEST_F(MouseLeaveWatchTest, AShapedCallerDecidesWhatIsInside) {
  ShapedCaller caller;
  caller.halfWidth = 100;
  MoveMouse(150, 150);
  StartMouseLeaveWatch(form, FormClient(), &caller);
  RunFor(30);
  EXPECT_EQ(caller.leaves, 0);
  // Still over the form, but out of the caller's shape: no CM_MOUSELEAVE, as the mouse is still
  // in the control's client area.
  MoveMouse(250, 150);
  RunFor(10);
  EXPECT_EQ(caller.leaves, 1);
  EXPECT_EQ(sentLeaves, 0);
}

TEST_F(MouseLeaveWatchTest, ShutdownWithAWatchRunningRaisesAndStopsThere) {
  Caller caller;
  MoveMouse(150, 150);
  StartMouseLeaveWatch(form, FormClient(), &caller);
  ASSERT_NE(TimerWindowInstance(), nullptr);
  EXPECT_THROW(
      {
        try {
          ControlsUnitShutdown();
        } catch (EdxException& e) {
          EXPECT_EQ(e.Message(), "MouseTrackingTimerList.Count <> 0");
          throw;
        }
      },
      EdxException);
  // The steps after the check did not run.
  EXPECT_NE(TimerWindowInstance(), nullptr);
  EXPECT_NE(WindowProcControllerInstance(), nullptr);
  // Nothing new is started once shutdown has begun.
  Caller late;
  StartMouseLeaveWatch(form, FormClient(), &late);
  EXPECT_FALSE(IsMouseLeaveWatched(&late));

  ControlsUnitFinalized = false;
  StopMouseLeaveWatch(&caller);
  EXPECT_FALSE(IsMouseLeaveWatched(&caller));
}

}  // namespace
