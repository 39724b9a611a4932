#pragma once
// The receive and transmit threads of an open serial port. They talk to the user-interface thread
// only by posting messages to the port's hidden window; every wait they make also watches the
// port's close event, so closing never has to wait for the line.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/comm/Comm.h"
#include "platform/win/Messages.h"

// What the threads post to the hidden window, and what the transmit thread takes from its queue.
constexpr win::UINT WM_COMM_DATA = win::WM_USER + 1;     // wParam length, lParam block (new[])
constexpr win::UINT WM_COMM_ERROR = win::WM_USER + 2;    // lParam line error bits
constexpr win::UINT WM_COMM_HANGUP = win::WM_USER + 3;
constexpr win::UINT WM_COMM_MODEM = win::WM_USER + 4;    // lParam: 8 carrier detect changed, 4 ring
constexpr win::UINT WM_COMM_SENDEMPTY = win::WM_USER + 5;

constexpr win::LPARAM kModemCarrierDetect = 8;
constexpr win::LPARAM kModemRing = 4;

// A worker thread created suspended; Execute is its body. The thread keeps the object alive while
// it runs, so a thread that outlasts its stop time-out never runs on freed memory.
class TCommThread : public std::enable_shared_from_this<TCommThread> {
 public:
  TCommThread() = default;
  virtual ~TCommThread();
  TCommThread(const TCommThread&) = delete;
  TCommThread& operator=(const TCommThread&) = delete;

  // False when the thread cannot be created.
  bool Create();
  void SetPriority(int priority);
  void Resume();
  // True when the thread has ended within `ms`.
  bool WaitFor(win::DWORD ms);
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  win::DWORD ThreadID() const { return FThreadID; }
  win::HANDLE Handle() const { return FHandle; }

  win::HANDLE FCommHandle = nullptr;
  win::HANDLE FCloseEvent = nullptr;
  win::HWND FNotifyWnd = nullptr;

 protected:
  virtual void Execute() = 0;
  // Asks the user-interface side to hang up; the thread ends after it.
  void PostHangupCall();

 private:
  static win::DWORD Run(void* parameter);

  win::HANDLE FHandle = nullptr;
  win::DWORD FThreadID = 0;
  bool FStarted = false;
  std::shared_ptr<TCommThread> FKeepAlive;  // handed to the thread when it starts
  std::atomic<bool> FTerminated{false};
};

class TReadThread final : public TCommThread {
 protected:
  void Execute() override;

 private:
  bool SetupReadEvent();
  bool HandleReadData(win::DWORD count);
  bool SetupCommEvent();
  bool HandleCommEvent(bool fetchResult);

  win::OVERLAPPED FReadOverlapped;
  win::OVERLAPPED FWaitOverlapped;
  win::BYTE FReadBuffer[2048] = {};
  win::DWORD FEventMask = 0;
};

class TWriteThread final : public TCommThread {
 public:
  TWriteThread();
  ~TWriteThread() override;

  std::atomic<bool>* FSendDataEmpty = nullptr;

  // Set once the thread's message queue exists, so that posting to it cannot fail for want of one.
  win::HANDLE QueueReady() const { return FQueueReady; }
  // Posts a block for writing; on success the thread owns it. False once the thread has ended.
  bool PostBlock(win::BYTE* block, win::WORD length);

 protected:
  void Execute() override;

 private:
  bool WriteBlock(const win::BYTE* data, win::DWORD length);
  // Frees the blocks still queued; no block can be queued after this.
  void CloseQueue();

  win::OVERLAPPED FWriteOverlapped;
  win::HANDLE FQueueReady = nullptr;
  std::mutex FQueueLock;
  bool FQueueClosed = false;
};
