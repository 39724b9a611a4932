#pragma once
// The receive and transmit threads of an open serial port. They talk to the user-interface thread
// only by posting messages to the port's hidden window; every wait they make also watches the
// port's close event, so closing never has to wait for the line.
#include <atomic>
#include <cstdint>
#include <mutex>

#include "platform/classes/Thread.h"
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

// What both threads of a port share: the port, its close event and the window they post to.
// Created suspended; the port's owner starts them once they are wired.
class TCommThread : public TThread {
  VW_CLASS(TCommThread, TThread)
 public:
  TCommThread() : TThread(true) {}

  win::HANDLE FCommHandle = nullptr;
  win::HANDLE FCloseEvent = nullptr;
  win::HWND FNotifyWnd = nullptr;

 protected:
  // Asks the user-interface side to hang up; the thread ends after it.
  void PostHangupCall();
};

class TReadThread final : public TCommThread {
  VW_CLASS(TReadThread, TCommThread)

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
  VW_CLASS(TWriteThread, TCommThread)
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
