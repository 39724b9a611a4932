#pragma once
// Worker threads with the platform's life cycle: created suspended or running, asked to terminate,
// waited for, freed on their own when told, and able to run a piece of code on the UI thread
// (Synchronize) while that thread sits in its message loop.
//
// A thread created running starts in AfterConstruction, once the most-derived constructor has
// finished; create it with TThread::Create<T>(...) (or call Start yourself after `new`).
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>

#include "platform/classes/TypInfo.h"
#include "platform/system/Types.h"

VW_DECLARE_EXCEPTION(EThread, Exception);

VW_ENUM(TThreadPriority, tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical)

using TThreadMethod = std::function<void()>;

class TThread : public TObject {
  VW_CLASS(TThread, TObject)
 public:
  explicit TThread(bool CreateSuspended);
  // Asks a running thread to terminate and waits for it. Free the object with TObject::Free: that
  // waits before any derived member Execute may use is destroyed (BeforeDestruction).
  ~TThread() override;
  void BeforeDestruction() override;

  template <class T, class... Args>
  static T* Create(Args&&... args) {
    T* t = new T(std::forward<Args>(args)...);
    t->AfterConstruction();
    return t;
  }
  void AfterConstruction() override;

  // Starts a thread created suspended; raises EThread when it already runs.
  void Start();
  void Resume() { Start(); }
  void Terminate() { FTerminated = true; }
  // Waits until Execute has returned and answers ReturnValue. On the UI thread, synchronized
  // calls of the thread are served meanwhile, so the two cannot deadlock.
  std::int32_t WaitFor();

  bool Terminated() const { return FTerminated; }
  bool Suspended() const { return !FStarted; }
  bool Finished() const { return FFinished; }
  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool v) { FFreeOnTerminate = v; }
  TThreadPriority Priority() const;
  void SetPriority(TThreadPriority v);
  std::int32_t ReturnValue() const { return FReturnValue; }
  win::HANDLE Handle() const { return FHandle; }
  win::DWORD ThreadID() const { return FThreadID; }
  // The exception Execute ended with, if any.
  std::exception_ptr FatalException() const { return FFatalException; }

  // Runs on the thread (through Synchronize) once Execute has returned.
  TNotifyEvent OnTerminate;

  // Runs Method on the UI thread and waits for it; an exception it raises is raised again here.
  // On the UI thread itself, Method runs at once.
  void Synchronize(TThreadMethod Method) { Synchronize(this, std::move(Method)); }
  static void Synchronize(TThread* Thread, TThreadMethod Method);

 protected:
  virtual void Execute() = 0;
  virtual void DoTerminate();
  void SetReturnValue(std::int32_t v) { FReturnValue = v; }

 private:
  static win::DWORD ThreadProc(void* Parameter);

  win::HANDLE FHandle = nullptr;
  win::DWORD FThreadID = 0;
  bool FCreateSuspended;
  bool FStarted = false;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  bool FFreeOnTerminate = false;
  std::int32_t FReturnValue = 0;
  std::exception_ptr FFatalException;
};

// Runs the synchronized calls waiting for the UI thread, after waiting up to Timeout ms for one to
// arrive. Answers whether any ran. Raises EThread off the UI thread.
bool CheckSynchronize(int Timeout = 0);

namespace platform {

// The UI thread: the thread that started the program, unless told otherwise.
void SetMainThread();
bool IsMainThread();
// Called after a synchronized call has been queued, from the queuing thread: the window system
// posts itself a message so that its loop calls CheckSynchronize.
void SetSynchronizeWakeHook(std::function<void()> Hook);

}  // namespace platform
