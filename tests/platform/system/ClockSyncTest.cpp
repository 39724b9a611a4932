#include <gtest/gtest.h>

#include <atomic>

#include "platform/system/Clock.h"
#include "platform/system/HandleTable.h"
#include "platform/system/Sync.h"

namespace {

TEST(Clock, VirtualClockMovesOnlyWhenTold) {
  platform::ScopedVirtualClock clock;
  const win::DWORD start = win::GetTickCount();
  win::Sleep(3000);
  EXPECT_EQ(win::GetTickCount() - start, 3000u);
  clock->AdvanceTo(clock->NowMs() - 5);  // never backwards
  EXPECT_EQ(win::GetTickCount() - start, 3000u);
}

TEST(Clock, LocalTimeFollowsTheVirtualWallClock) {
  platform::ScopedVirtualClock clock;
  clock->SetWallMs(1'767'225'600'000 + 86'400'000LL * 3 + 1234);  // 2026-01-04, a Sunday
  win::SYSTEMTIME st;
  win::GetSystemTime(&st);
  EXPECT_EQ(st.wYear, 2026);
  EXPECT_EQ(st.wMonth, 1);
  EXPECT_EQ(st.wDay, 4);
  EXPECT_EQ(st.wDayOfWeek, 0);
  EXPECT_EQ(st.wMilliseconds, 234);
}

struct Payload {
  int value;
};

TEST(HandleTable, StaleAndForeignHandlesAreRejected) {
  platform::HandleTable<Payload> brushes(platform::HandleKind::Brush);
  platform::HandleTable<Payload> pens(platform::HandleKind::Pen);
  auto h = brushes.Add(std::make_unique<Payload>(Payload{7}));
  ASSERT_NE(brushes.Get(h), nullptr);
  EXPECT_EQ(pens.Get(h), nullptr);
  EXPECT_NE(brushes.Remove(h), nullptr);
  EXPECT_EQ(brushes.Get(h), nullptr);
  auto again = brushes.Add(std::make_unique<Payload>(Payload{8}));  // reuses the slot
  EXPECT_NE(again, h);
  EXPECT_EQ(brushes.Get(h), nullptr);
  EXPECT_EQ(brushes.Get(again)->value, 8);
  EXPECT_EQ(brushes.Get(0), nullptr);
}

TEST(Events, AutoResetReleasesOneWaitAndManualResetStays) {
  win::HANDLE autoEvent = win::CreateEvent(nullptr, win::FALSE, win::TRUE, nullptr);
  win::HANDLE manual = win::CreateEvent(nullptr, win::TRUE, win::TRUE, nullptr);
  EXPECT_EQ(win::WaitForSingleObject(autoEvent, 0), win::WAIT_OBJECT_0);
  EXPECT_EQ(win::WaitForSingleObject(autoEvent, 0), win::WAIT_TIMEOUT);
  EXPECT_EQ(win::WaitForSingleObject(manual, 0), win::WAIT_OBJECT_0);
  EXPECT_EQ(win::WaitForSingleObject(manual, 0), win::WAIT_OBJECT_0);
  win::HANDLE both[] = {autoEvent, manual};
  EXPECT_EQ(win::WaitForMultipleObjects(2, both, win::FALSE, 0), win::WAIT_OBJECT_0 + 1);
  EXPECT_EQ(win::WaitForMultipleObjects(2, both, win::TRUE, 0), win::WAIT_TIMEOUT);
  EXPECT_TRUE(win::CloseHandle(autoEvent));
  EXPECT_FALSE(win::CloseHandle(autoEvent));
  EXPECT_EQ(win::WaitForSingleObject(autoEvent, 0), win::WAIT_FAILED);
  EXPECT_TRUE(win::CloseHandle(manual));
}

TEST(Threads, WaitEndsWhenTheThreadReturnsAndKeepsItsExitCode) {
  win::HANDLE go = win::CreateEvent(nullptr, win::TRUE, win::FALSE, nullptr);
  win::HANDLE t = win::CreateThread(
      nullptr, 0,
      [](void* event) -> win::DWORD { return win::WaitForSingleObject(event, win::INFINITE) == 0 ? 42 : 1; }, go, 0,
      nullptr);
  EXPECT_EQ(win::WaitForSingleObject(t, 10), win::WAIT_TIMEOUT);
  win::SetEvent(go);
  EXPECT_EQ(win::WaitForSingleObject(t, win::INFINITE), win::WAIT_OBJECT_0);
  win::DWORD code = 0;
  EXPECT_TRUE(win::GetExitCodeThread(t, &code));
  EXPECT_EQ(code, 42u);
  win::CloseHandle(t);
  win::CloseHandle(go);
}

}  // namespace
