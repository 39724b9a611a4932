#include <vector>

#include "platform/classes/Timer.h"
#include "tests/platform/classes/StdComponentsFixture.h"

namespace {

using stdcomp::StdComponentsTest;

class TimerTest : public StdComponentsTest {
 protected:
  std::vector<std::uint64_t> ticks;
  void Watch(TTimer& t) {
    t.SetOnTimer([this, &t](TObject* sender) {
      EXPECT_EQ(sender, &t);
      ticks.push_back(clock->NowMs());
    });
  }
};

TEST_F(TimerTest, TicksEveryIntervalWhileEnabled) {
  std::uint64_t start = clock->NowMs();
  TTimer t(nullptr);
  t.SetInterval(300);
  Watch(t);
  RunFor(1000);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{start + 300, start + 600, start + 900}));
  t.SetEnabled(false);
  RunFor(1000);
  EXPECT_EQ(ticks.size(), 3u);
}

TEST_F(TimerTest, RestartingCountsAWholeIntervalAgain) {
  TTimer t(nullptr);
  t.SetInterval(500);
  Watch(t);
  std::uint64_t start = clock->NowMs();
  RunFor(400);
  t.SetEnabled(false);
  t.SetEnabled(true);
  RunFor(600);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{start + 900}));
  // Writing the interval it already has changes nothing; a new one restarts the count.
  ticks.clear();
  RunFor(300);  // at +1300: 400 ms into the period
  t.SetInterval(500);
  RunFor(100);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{start + 1400}));
  t.SetInterval(200);
  RunFor(199);
  EXPECT_EQ(ticks.size(), 1u);
  RunFor(1);
  EXPECT_EQ(ticks.size(), 2u);
}

TEST_F(TimerTest, IdleWithoutHandlerOrInterval) {
  TTimer t(nullptr);
  t.SetInterval(0);
  Watch(t);
  RunFor(2000);
  EXPECT_TRUE(ticks.empty());
  t.SetInterval(100);
  RunFor(100);
  EXPECT_EQ(ticks.size(), 1u);
}

TEST_F(TimerTest, HandlerMayStopOrFreeItsTimer) {
  auto* t = new TTimer(nullptr);
  t->SetInterval(50);
  int calls = 0;
  t->SetOnTimer([&](TObject*) {
    ++calls;
    t->SetEnabled(false);
  });
  RunFor(500);
  EXPECT_EQ(calls, 1);

  t->SetEnabled(true);
  t->SetOnTimer([&](TObject*) {
    ++calls;
    delete t;
    t = nullptr;
  });
  RunFor(500);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(t, nullptr);
}

TEST_F(TimerTest, PublishedPropertiesAndOwnerDestroysIt) {
  TComponent owner(nullptr);
  auto* t = new TTimer(&owner);
  EXPECT_EQ(GetOrdProp(t, "Interval"), 1000);
  EXPECT_EQ(GetEnumProp(t, "Enabled"), "True");
  SetOrdProp(t, "Interval", 20);
  Watch(*t);
  RunFor(40);
  EXPECT_EQ(ticks.size(), 2u);
}

}  // namespace
