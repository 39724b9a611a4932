#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/classes/Thread.h"

namespace {

std::atomic<int> gWakes{0};

// Stands in for the window system's loop: it sleeps until woken and then serves the queue. The
// hook may run after the loop has served the call, so it touches nothing the loop owns.
class UiLoop {
 public:
  UiLoop() {
    platform::SetSynchronizeWakeHook([] { ++gWakes; });
  }
  ~UiLoop() { platform::SetSynchronizeWakeHook(nullptr); }
  // Runs until `done` or the deadline; answers whether `done` came true.
  template <class F>
  bool RunUntil(F done) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      CheckSynchronize(10);
    }
    return true;
  }
};

class TWorker : public TThread {
  VW_CLASS(TWorker, TThread)
 public:
  explicit TWorker(bool suspended) : TThread(suspended) {}
  std::function<void(TWorker*)> Body;
  using TThread::SetReturnValue;

 protected:
  void Execute() override {
    if (Body) Body(this);
  }
};

TEST(ThreadTest, SynchronizeRunsOnTheUiThreadWhileItSitsInItsLoop) {
  UiLoop loop;
  std::thread::id ranOn;
  std::atomic<bool> after{false};
  auto* t = TThread::Create<TWorker>(true);
  t->Body = [&](TWorker* self) {
    self->Synchronize([&] { ranOn = std::this_thread::get_id(); });
    after = true;
  };
  t->Start();
  EXPECT_TRUE(loop.RunUntil([&] { return after.load(); }));
  EXPECT_EQ(ranOn, std::this_thread::get_id());
  EXPECT_GE(gWakes.load(), 1);
  t->WaitFor();
  delete t;
}

TEST(ThreadTest, AnExceptionInTheSynchronizedCallReachesTheWorker) {
  UiLoop loop;
  String caught;
  auto* t = TThread::Create<TWorker>(true);
  t->Body = [&](TWorker* self) {
    try {
      self->Synchronize([] { throw EConvertError("bad value"); });
    } catch (const EConvertError& e) {
      caught = e.Message();
    }
  };
  t->Start();
  // WaitFor on the UI thread serves the call itself: no deadlock.
  t->WaitFor();
  EXPECT_EQ(caught, "bad value");
  delete t;
}

TEST(ThreadTest, SuspendedThreadsWaitForStartAndStopWhenTerminated) {
  std::atomic<int> laps{0};
  auto* t = TThread::Create<TWorker>(true);
  t->Body = [&](TWorker* self) {
    while (!self->Terminated()) {
      ++laps;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    self->SetReturnValue(7);
  };
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(laps.load(), 0);
  EXPECT_TRUE(t->Suspended());
  t->SetPriority(tpHigher);
  EXPECT_EQ(t->Priority(), tpHigher);
  t->Start();
  EXPECT_THROW(t->Start(), EThread);
  while (laps.load() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  t->Terminate();
  EXPECT_EQ(t->WaitFor(), 7);
  EXPECT_TRUE(t->Finished());
  delete t;
}

TEST(ThreadTest, FreeOnTerminateThreadFiresOnTerminateOnTheUiThreadAndFreesItself) {
  UiLoop loop;
  std::atomic<bool> terminated{false};
  std::thread::id firedOn;
  auto* t = TThread::Create<TWorker>(true);
  t->SetFreeOnTerminate(true);
  t->OnTerminate = [&](TObject*) {
    firedOn = std::this_thread::get_id();
    terminated = true;
  };
  t->Start();
  EXPECT_TRUE(loop.RunUntil([&] { return terminated.load(); }));
  EXPECT_EQ(firedOn, std::this_thread::get_id());
  // The object frees itself; AddressSanitizer's leak check confirms it.
}

TEST(ThreadTest, DestroyingARunningThreadTerminatesAndWaitsForIt) {
  std::atomic<bool> running{false}, stopped{false};
  auto* t = TThread::Create<TWorker>(true);
  t->Body = [&](TWorker* self) {
    running = true;
    while (!self->Terminated()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    stopped = true;
  };
  t->Start();
  while (!running) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  // Free waits before the worker's Body (a member Execute uses) is destroyed.
  TObject::Free(t);
  EXPECT_TRUE(stopped.load());
  // Never started: destroyed without running.
  TObject::Free(TThread::Create<TWorker>(true));
  bool raised = false;
  std::thread([&] {
    try {
      CheckSynchronize();
    } catch (const EThread&) {
      raised = true;
    }
  }).join();
  EXPECT_TRUE(raised);
}

}  // namespace
