#include <algorithm>
#include <vector>

#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/controls/Timer.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

class CxTimerTest : public ControlsTest {
 protected:
  bool Listed(const TcxTimer& t) {
    auto* list = ActiveTimerList();
    return std::find(list->begin(), list->end(), t.EventID()) != list->end();
  }
  std::vector<std::uint64_t> ticks;
  TNotifyEvent Recorder() {
    return [this](TObject*) { ticks.push_back(clock->NowMs()); };
  }
};

TEST_F(CxTimerTest, StartsOnlyWhenEnabledWithAHandler) {
  TcxTimer t(nullptr);
  EXPECT_TRUE(t.Enabled());
  EXPECT_EQ(t.Interval(), 1000u);
  t.SetInterval(100);
  RunFor(300);
  EXPECT_FALSE(t.TimerOn());
  EXPECT_TRUE(ticks.empty());

  const std::uint64_t start = clock->NowMs();
  t.SetOnTimer(Recorder());
  EXPECT_TRUE(t.TimerOn());
  EXPECT_TRUE(Listed(t));
  RunFor(250);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{start + 100, start + 200}));

  t.SetEnabled(false);
  EXPECT_FALSE(t.TimerOn());
  EXPECT_FALSE(Listed(t));
  RunFor(300);
  EXPECT_EQ(ticks.size(), 2u);
}

TEST_F(CxTimerTest, IntervalZeroOrUnchangedIsIgnored) {
  TcxTimer t(nullptr);
  t.SetInterval(200);
  t.SetOnTimer(Recorder());
  const std::uint64_t start = clock->NowMs();
  RunFor(150);
  t.SetInterval(0);
  EXPECT_EQ(t.Interval(), 200u);
  // The same value does not restart the count either.
  t.SetInterval(200);
  RunFor(100);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{start + 200}));
  // A new value starts a whole interval afresh.
  t.SetInterval(50);
  RunFor(60);
  EXPECT_EQ(ticks.back(), start + 300);
}

TEST_F(CxTimerTest, ATimerFreedInItsOwnTickIsNotTouchedAgain) {
  auto* t = new TcxTimer(nullptr);
  t->SetInterval(10);
  int fired = 0;
  t->SetOnTimer([&](TObject* sender) {
    ++fired;
    delete static_cast<TcxTimer*>(sender);
  });
  RunFor(50);
  EXPECT_EQ(fired, 1);
  EXPECT_TRUE(ActiveTimerList()->empty());
}

TEST_F(CxTimerTest, TicksOfStoppedOrUnknownTimersAreDropped) {
  TcxTimer t(nullptr);
  t.SetOnTimer(Recorder());
  t.SetEnabled(false);
  HWND w = TimerWindowInstance()->Handle();
  PostMessage(w, WM_TIMER, t.EventID(), 0);
  PostMessage(w, WM_TIMER, 12345, 0);
  Pump();
  EXPECT_TRUE(ticks.empty());
}

TEST_F(CxTimerTest, NoTimerRunsAfterTheUnitHasShutDown) {
  ControlsUnitShutdown();
  unitShutDown = true;
  EXPECT_EQ(TimerWindowInstance(), nullptr);
  EXPECT_EQ(ActiveTimerList(), nullptr);
  TcxTimer t(nullptr);
  t.SetOnTimer(Recorder());
  EXPECT_FALSE(t.TimerOn());
}

}  // namespace
