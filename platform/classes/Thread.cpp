#include "platform/classes/Thread.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/system/Sync.h"

namespace {

struct SyncCall {
  TThreadMethod method;
  std::exception_ptr error;
  bool done = false;
};

struct SyncQueue {
  std::mutex lock;
  std::condition_variable arrived;  // a call was queued
  std::condition_variable served;   // a call was run
  std::deque<std::shared_ptr<SyncCall>> calls;
  std::function<void()> wake;
  std::thread::id mainThread = std::this_thread::get_id();
};

SyncQueue& Queue() {
  static SyncQueue q;
  return q;
}

// Taken at start-up, on the thread that runs the program.
[[maybe_unused]] const bool gMainThreadNoted = (Queue(), true);

int WinPriority(TThreadPriority p) {
  switch (p) {
    case tpIdle: return win::THREAD_PRIORITY_IDLE;
    case tpLowest: return win::THREAD_PRIORITY_LOWEST;
    case tpLower: return win::THREAD_PRIORITY_BELOW_NORMAL;
    case tpHigher: return win::THREAD_PRIORITY_ABOVE_NORMAL;
    case tpHighest: return win::THREAD_PRIORITY_HIGHEST;
    case tpTimeCritical: return win::THREAD_PRIORITY_TIME_CRITICAL;
    default: return win::THREAD_PRIORITY_NORMAL;
  }
}

}  // namespace

namespace platform {

void SetMainThread() {
  auto& q = Queue();
  std::lock_guard g(q.lock);
  q.mainThread = std::this_thread::get_id();
}

bool IsMainThread() {
  auto& q = Queue();
  std::lock_guard g(q.lock);
  return q.mainThread == std::this_thread::get_id();
}

void SetSynchronizeWakeHook(std::function<void()> Hook) {
  auto& q = Queue();
  std::lock_guard g(q.lock);
  q.wake = std::move(Hook);
}

}  // namespace platform

bool CheckSynchronize(int Timeout) {
  auto& q = Queue();
  std::unique_lock g(q.lock);
  if (q.mainThread != std::this_thread::get_id())
    throw EThread("CheckSynchronize called from a thread that is not the main thread");
  if (q.calls.empty() && Timeout > 0) q.arrived.wait_for(g, std::chrono::milliseconds(Timeout), [&] { return !q.calls.empty(); });
  if (q.calls.empty()) return false;
  std::deque<std::shared_ptr<SyncCall>> calls;
  calls.swap(q.calls);
  g.unlock();
  for (auto& call : calls) {
    try {
      call->method();
    } catch (...) {
      call->error = std::current_exception();
    }
    std::lock_guard done(q.lock);
    call->done = true;
  }
  q.served.notify_all();
  return true;
}

void TThread::Synchronize(TThread*, TThreadMethod Method) {
  if (platform::IsMainThread()) {
    Method();
    return;
  }
  auto& q = Queue();
  auto call = std::make_shared<SyncCall>();
  call->method = std::move(Method);
  std::function<void()> wake;
  {
    std::lock_guard g(q.lock);
    q.calls.push_back(call);
    wake = q.wake;
  }
  q.arrived.notify_all();
  if (wake) wake();
  std::unique_lock g(q.lock);
  q.served.wait(g, [&] { return call->done; });
  if (call->error) std::rethrow_exception(call->error);
}

TThread::TThread(bool CreateSuspended) : FCreateSuspended(CreateSuspended) {
  FHandle = win::CreateThread(nullptr, 0, &TThread::ThreadProc, this, win::CREATE_SUSPENDED, &FThreadID);
  if (!FHandle) throw EThread("Thread creation error");
}

TThread::~TThread() {
  if (FStarted && !FFinished && !FFreeOnTerminate) {
    Terminate();
    WaitFor();
  }
  if (FHandle) win::CloseHandle(FHandle);
}

void TThread::BeforeDestruction() {
  TObject::BeforeDestruction();
  if (FStarted && !FFinished && !FFreeOnTerminate) {
    Terminate();
    WaitFor();
  }
}

void TThread::AfterConstruction() {
  TObject::AfterConstruction();
  if (!FCreateSuspended && !FStarted) Start();
}

void TThread::Start() {
  if (FStarted) throw EThread("Cannot call Start on a running or suspended thread");
  FStarted = true;
  win::ResumeThread(FHandle);
}

std::int32_t TThread::WaitFor() {
  if (!FStarted) throw EThread("Cannot wait for a thread that was never started");
  if (platform::IsMainThread()) {
    // Serve the thread's synchronized calls while waiting, or neither side would ever move on.
    while (win::WaitForSingleObject(FHandle, 0) == win::WAIT_TIMEOUT) CheckSynchronize(5);
  } else {
    win::WaitForSingleObject(FHandle, win::INFINITE);
  }
  return FReturnValue;
}

TThreadPriority TThread::Priority() const {
  int p = win::GetThreadPriority(FHandle);
  for (int i = tpIdle; i <= tpTimeCritical; ++i)
    if (WinPriority(static_cast<TThreadPriority>(i)) == p) return static_cast<TThreadPriority>(i);
  return tpNormal;
}

void TThread::SetPriority(TThreadPriority v) { win::SetThreadPriority(FHandle, WinPriority(v)); }

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

win::DWORD TThread::ThreadProc(void* Parameter) {
  auto* thread = static_cast<TThread*>(Parameter);
  try {
    if (!thread->FTerminated) thread->Execute();
  } catch (...) {
    thread->FFatalException = std::current_exception();
  }
  auto result = static_cast<win::DWORD>(thread->FReturnValue);
  try {
    thread->DoTerminate();
  } catch (...) {
    if (!thread->FFatalException) thread->FFatalException = std::current_exception();
  }
  // Read after the termination step: an owner that switched self-freeing off until then (its
  // synchronised step orders the two) waits for the thread and frees it itself.
  bool freeThread = thread->FFreeOnTerminate;
  thread->FFinished = true;
  // Past this point the object belongs to whoever waits for it, unless it frees itself.
  if (freeThread) delete thread;
  return result;
}
