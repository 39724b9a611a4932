#include "console/serial/CommThreads.h"

#include <cstring>
#include <new>

#include "platform/system/Sync.h"
#include "platform/win/Window.h"

using namespace win;

// ---- TCommThread ------------------------------------------------------------------------------

void TCommThread::PostHangupCall() { PostMessage(FNotifyWnd, WM_COMM_HANGUP, 0, 0); }

// ---- TReadThread ------------------------------------------------------------------------------

void TReadThread::Execute() {
  FReadOverlapped = {};
  FWaitOverlapped = {};
  FReadOverlapped.hEvent = CreateEvent(nullptr, TRUE, TRUE, nullptr);
  FWaitOverlapped.hEvent = CreateEvent(nullptr, TRUE, TRUE, nullptr);
  if (!FReadOverlapped.hEvent || !FWaitOverlapped.hEvent || !SetCommMask(FCommHandle, EV_RLSD | EV_ERR | EV_RING)) {
    PostHangupCall();
  } else if (SetupCommEvent() && SetupReadEvent()) {
    for (;;) {
      HANDLE waits[3] = {FCloseEvent, FWaitOverlapped.hEvent, FReadOverlapped.hEvent};
      DWORD which = WaitForMultipleObjects(3, waits, FALSE, INFINITE);
      if (which == WAIT_OBJECT_0) break;
      if (which == WAIT_OBJECT_0 + 1) {
        if (!HandleCommEvent(true) || !SetupCommEvent()) break;
      } else if (which == WAIT_OBJECT_0 + 2) {
        DWORD count = 0;
        if (!GetOverlappedResult(FCommHandle, &FReadOverlapped, &count, TRUE) || !HandleReadData(count) ||
            !SetupReadEvent())
          break;
      } else {
        PostHangupCall();
        break;
      }
    }
  }
  PurgeComm(FCommHandle, PURGE_RXABORT | PURGE_RXCLEAR);
  // An event wait still in progress would write into this object later; an empty mask ends it.
  SetCommMask(FCommHandle, 0);
  if (FReadOverlapped.hEvent) CloseHandle(FReadOverlapped.hEvent);
  if (FWaitOverlapped.hEvent) CloseHandle(FWaitOverlapped.hEvent);
}

bool TReadThread::SetupReadEvent() {
  while (WaitForSingleObject(FCloseEvent, 0) != WAIT_OBJECT_0) {
    DWORD count = 0;
    if (ReadFile(FCommHandle, FReadBuffer, sizeof FReadBuffer, &count, &FReadOverlapped)) {
      if (!HandleReadData(count)) return false;
      continue;
    }
    DWORD error = GetLastError();
    if (error == ERROR_IO_PENDING) return true;
    if (error != ERROR_INVALID_HANDLE) PostHangupCall();
    return false;
  }
  return false;
}

bool TReadThread::HandleReadData(DWORD count) {
  if (count == 0) return false;
  // One spare zero byte, so a handler may treat the block as a C string.
  BYTE* block = new (std::nothrow) BYTE[count + 1]();
  if (!block) {
    PostHangupCall();
    return false;
  }
  std::memcpy(block, FReadBuffer, count);
  if (!PostMessage(FNotifyWnd, WM_COMM_DATA, count, reinterpret_cast<LPARAM>(block))) {
    delete[] block;
    PostHangupCall();
    return false;
  }
  return true;
}

bool TReadThread::SetupCommEvent() {
  while (WaitForSingleObject(FCloseEvent, 0) != WAIT_OBJECT_0) {
    FEventMask = 0;
    if (WaitCommEvent(FCommHandle, &FEventMask, &FWaitOverlapped)) {
      if (!HandleCommEvent(false)) return false;
      continue;
    }
    DWORD error = GetLastError();
    if (error == ERROR_IO_PENDING) return true;
    if (error != ERROR_INVALID_HANDLE) PostHangupCall();
    return false;
  }
  return false;
}

bool TReadThread::HandleCommEvent(bool fetchResult) {
  if (fetchResult) {
    DWORD unused = 0;
    if (!GetOverlappedResult(FCommHandle, &FWaitOverlapped, &unused, TRUE)) {
      if (GetLastError() != ERROR_INVALID_HANDLE) PostHangupCall();
      return false;
    }
  }
  DWORD mask = FEventMask;
  if (!(mask & (EV_RLSD | EV_ERR | EV_RING))) {
    PostHangupCall();
    return false;
  }
  if (mask & EV_ERR) {
    DWORD errors = 0;
    if (!ClearCommError(FCommHandle, &errors, nullptr)) {
      if (GetLastError() != ERROR_INVALID_HANDLE) PostHangupCall();
      return false;
    }
    if (!PostMessage(FNotifyWnd, WM_COMM_ERROR, 0, static_cast<LPARAM>(errors))) {
      PostHangupCall();
      return false;
    }
  }
  LPARAM modem = 0;
  if (mask & EV_RLSD) modem |= kModemCarrierDetect;
  if (mask & EV_RING) modem |= kModemRing;
  if (modem && !PostMessage(FNotifyWnd, WM_COMM_MODEM, 0, modem)) {
    PostHangupCall();
    return false;
  }
  return true;
}

// ---- TWriteThread -----------------------------------------------------------------------------

TWriteThread::TWriteThread() { FQueueReady = CreateEvent(nullptr, TRUE, FALSE, nullptr); }

TWriteThread::~TWriteThread() {
  CloseQueue();
  if (FQueueReady) CloseHandle(FQueueReady);
}

bool TWriteThread::PostBlock(BYTE* block, WORD length) {
  std::lock_guard lock(FQueueLock);
  if (FQueueClosed) return false;
  return PostThreadMessage(ThreadID(), WM_COMM_DATA, length, reinterpret_cast<LPARAM>(block)) != FALSE;
}

void TWriteThread::CloseQueue() {
  std::lock_guard lock(FQueueLock);
  if (FQueueClosed) return;
  FQueueClosed = true;
  // Only the thread itself can see its queue; before it runs there is none to drain.
  if (GetCurrentThreadId() != ThreadID()) return;
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
    if (!msg.hwnd && msg.message == WM_COMM_DATA) delete[] reinterpret_cast<BYTE*>(msg.lParam);
}

void TWriteThread::Execute() {
  MSG msg;
  PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);  // makes the queue
  SetEvent(FQueueReady);

  FWriteOverlapped = {};
  FWriteOverlapped.hEvent = CreateEvent(nullptr, TRUE, TRUE, nullptr);
  if (!FWriteOverlapped.hEvent) {
    PostHangupCall();
  } else {
    bool emptyReported = false;
    for (;;) {
      if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        FSendDataEmpty->store(true);
        if (!emptyReported) {
          emptyReported = true;
          if (!PostMessage(FNotifyWnd, WM_COMM_SENDEMPTY, 0, 0)) {
            PostHangupCall();
            break;
          }
        }
        HANDLE waits[1] = {FCloseEvent};
        DWORD which = MsgWaitForMultipleObjects(1, waits, FALSE, INFINITE, QS_ALLINPUT);
        if (which == WAIT_OBJECT_0) break;
        if (which == WAIT_OBJECT_0 + 1) continue;
        PostHangupCall();
        break;
      }
      if (WaitForSingleObject(FCloseEvent, 0) == WAIT_OBJECT_0) {
        if (!msg.hwnd && msg.message == WM_COMM_DATA) delete[] reinterpret_cast<BYTE*>(msg.lParam);
        break;
      }
      if (msg.hwnd) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        continue;
      }
      if (msg.message != WM_COMM_DATA) continue;
      auto* block = reinterpret_cast<BYTE*>(msg.lParam);
      bool written = WriteBlock(block, static_cast<DWORD>(msg.wParam));
      delete[] block;
      emptyReported = false;
      if (!written) break;
    }
  }
  PurgeComm(FCommHandle, PURGE_TXABORT | PURGE_TXCLEAR);
  FSendDataEmpty->store(true);
  if (FWriteOverlapped.hEvent) CloseHandle(FWriteOverlapped.hEvent);
  CloseQueue();
}

bool TWriteThread::WriteBlock(const BYTE* data, DWORD length) {
  DWORD done = 0;
  while (done < length) {
    DWORD written = 0;
    if (WriteFile(FCommHandle, data + done, length - done, &written, &FWriteOverlapped)) {
      done += written;
      continue;
    }
    DWORD error = GetLastError();
    if (error != ERROR_IO_PENDING) {
      if (error != ERROR_INVALID_HANDLE) PostHangupCall();
      return false;
    }
    HANDLE waits[2] = {FCloseEvent, FWriteOverlapped.hEvent};
    DWORD which = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (which != WAIT_OBJECT_0 + 1) {
      // The block is freed on return: the write must be over before that.
      PurgeComm(FCommHandle, PURGE_TXABORT);
      GetOverlappedResult(FCommHandle, &FWriteOverlapped, &written, TRUE);
      if (which != WAIT_OBJECT_0) PostHangupCall();
      return false;
    }
    if (!GetOverlappedResult(FCommHandle, &FWriteOverlapped, &written, TRUE)) {
      if (GetLastError() != ERROR_INVALID_HANDLE) PostHangupCall();
      return false;
    }
    done += written;
  }
  return true;
}
