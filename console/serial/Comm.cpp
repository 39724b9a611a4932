#include "console/serial/Comm.h"

#include <cstring>
#include <mutex>

#include "console/serial/CommThreads.h"
#include "platform/classes/Thread.h"
#include "platform/system/Sync.h"

using namespace win;

namespace {

constexpr char kWindowClass[] = "TCommWindow";
constexpr DWORD kStopTimeoutMs = 10000;
constexpr DWORD kQueueSize = 4096;

void RegisterWindowClass(WNDPROC proc) {
  static std::once_flag once;
  std::call_once(once, [proc] {
    WNDCLASS wc;
    wc.lpfnWndProc = proc;
    wc.lpszClassName = kWindowClass;
    RegisterClass(&wc);
  });
}

}  // namespace

TComm::TComm(TComponent* AOwner) : TComponent(AOwner) {
  if (!HasState(csDesigning)) {
    RegisterWindowClass(&TComm::WndProc);
    FHWnd = CreateWindowEx(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (FHWnd) SetWindowLongPtr(FHWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // The threads post to this thread's queue, which may not exist yet when no message loop has
    // run; a post that fails for want of it would end a thread with a hang-up request.
    MSG msg;
    PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);
  }
}

TComm::~TComm() {
  ClosePort();
  FStragglers.clear();
  if (FHWnd) {
    // Blocks the receive thread posted and nobody took yet belong to us.
    MSG msg;
    while (PeekMessage(&msg, FHWnd, WM_COMM_DATA, WM_COMM_DATA, PM_REMOVE))
      delete[] reinterpret_cast<BYTE*>(msg.lParam);
    SetWindowLongPtr(FHWnd, GWLP_USERDATA, 0);
    DestroyWindow(FHWnd);
  }
}

void TComm::DeclareProperties(TPropTable& t) {
  t.Add("CommName", &TComm::CommName, &TComm::SetCommName);
  t.Add("BaudRate", &TComm::BaudRate, &TComm::SetBaudRate).SetDefault(9600);
  t.Add("ParityCheck", &TComm::ParityCheck, &TComm::SetParityCheck).SetDefault(false);
  t.Add("Outx_CtsFlow", &TComm::Outx_CtsFlow, &TComm::SetOutx_CtsFlow).SetDefault(false);
  t.Add("Outx_DsrFlow", &TComm::Outx_DsrFlow, &TComm::SetOutx_DsrFlow).SetDefault(false);
  t.Add("DtrControl", &TComm::DtrControl, &TComm::SetDtrControl).SetDefault(TDtrControl::DtrEnable);
  t.Add("DsrSensitivity", &TComm::DsrSensitivity, &TComm::SetDsrSensitivity).SetDefault(false);
  t.Add("TxContinueOnXoff", &TComm::TxContinueOnXoff, &TComm::SetTxContinueOnXoff).SetDefault(true);
  t.Add("Outx_XonXoffFlow", &TComm::Outx_XonXoffFlow, &TComm::SetOutx_XonXoffFlow).SetDefault(true);
  t.Add("Inx_XonXoffFlow", &TComm::Inx_XonXoffFlow, &TComm::SetInx_XonXoffFlow).SetDefault(true);
  t.Add("ReplaceWhenParityError", &TComm::ReplaceWhenParityError, &TComm::SetReplaceWhenParityError)
      .SetDefault(false);
  t.Add("IgnoreNullChar", &TComm::IgnoreNullChar, &TComm::SetIgnoreNullChar).SetDefault(false);
  t.Add("RtsControl", &TComm::RtsControl, &TComm::SetRtsControl).SetDefault(TRtsControl::RtsEnable);
  t.Add("XonLimit", &TComm::XonLimit, &TComm::SetXonLimit).SetDefault(500);
  t.Add("XoffLimit", &TComm::XoffLimit, &TComm::SetXoffLimit).SetDefault(500);
  t.Add("ByteSize", &TComm::ByteSize, &TComm::SetByteSize).SetDefault(TByteSize::_8);
  t.Add("Parity", &TComm::Parity, &TComm::SetParity).SetDefault(TParity::None);
  t.Add("StopBits", &TComm::StopBits, &TComm::SetStopBits).SetDefault(TStopBits::_1);
  t.Add("XonChar", &TComm::XonChar, &TComm::SetXonChar).SetDefault(0x11);
  t.Add("XoffChar", &TComm::XoffChar, &TComm::SetXoffChar).SetDefault(0x13);
  t.Add("ReplacedChar", &TComm::ReplacedChar, &TComm::SetReplacedChar).SetDefault(0);
  t.Add("ReadIntervalTimeout", &TComm::ReadIntervalTimeout, &TComm::SetReadIntervalTimeout).SetDefault(100);
  t.Add("ReadTotalTimeoutMultiplier", &TComm::ReadTotalTimeoutMultiplier, &TComm::SetReadTotalTimeoutMultiplier)
      .SetDefault(0);
  t.Add("ReadTotalTimeoutConstant", &TComm::ReadTotalTimeoutConstant, &TComm::SetReadTotalTimeoutConstant)
      .SetDefault(0);
  t.Add("WriteTotalTimeoutMultiplier", &TComm::WriteTotalTimeoutMultiplier, &TComm::SetWriteTotalTimeoutMultiplier)
      .SetDefault(0);
  t.Add("WriteTotalTimeoutConstant", &TComm::WriteTotalTimeoutConstant, &TComm::SetWriteTotalTimeoutConstant)
      .SetDefault(0);
  t.Add("OnReceiveData", &TComm::OnReceiveData);
  t.Add("OnReceiveError", &TComm::OnReceiveError);
  t.Add("OnModemStateChange", &TComm::OnModemStateChange);
  t.Add("OnRequestHangup", &TComm::OnRequestHangup);
  t.Add("OnSendDataEmpty", &TComm::OnSendDataEmpty);
}

void TComm::OpenPort() {
  if (FHandle) throw ECommsError("This serial port already opened");

  HANDLE h = CreateFile(FCommName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw ECommsError("Error opening serial port");
  if (GetFileType(h) != FILE_TYPE_CHAR) {
    CloseHandle(h);
    throw ECommsError("File handle is not a comm handle ");
  }
  if (!SetupComm(h, kQueueSize, kQueueSize)) {
    CloseHandle(h);
    throw ECommsError("Cannot setup comm buffer");
  }

  FHandle = h;
  PurgeComm(FHandle, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
  FSendDataEmpty = true;
  _SetCommTimeout();
  _SetCommState();

  FCloseEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  if (!FCloseEvent) {
    CloseHandle(FHandle);
    FHandle = nullptr;
    throw ECommsError("Unable to create event");
  }

  std::unique_ptr<TReadThread> reader;
  try {
    reader.reset(TThread::Create<TReadThread>());
  } catch (const EThread&) {
    CloseHandle(FCloseEvent);
    FCloseEvent = nullptr;
    CloseHandle(FHandle);
    FHandle = nullptr;
    throw ECommsError("Unable to create read thread");
  }
  reader->FCommHandle = FHandle;
  reader->FCloseEvent = FCloseEvent;
  reader->FNotifyWnd = FHWnd;
  reader->SetPriority(tpHighest);
  ReadThread = std::move(reader);

  std::unique_ptr<TWriteThread> writer;
  try {
    writer.reset(TThread::Create<TWriteThread>());
  } catch (const EThread&) {
  }
  if (!writer || !writer->QueueReady()) {
    StopReadThread();
    CloseHandle(FCloseEvent);
    FCloseEvent = nullptr;
    CloseHandle(FHandle);
    FHandle = nullptr;
    throw ECommsError("Unable to create write thread");
  }
  writer->FCommHandle = FHandle;
  writer->FCloseEvent = FCloseEvent;
  writer->FNotifyWnd = FHWnd;
  writer->FSendDataEmpty = &FSendDataEmpty;
  writer->SetPriority(tpHigher);
  WriteThread = std::move(writer);

  ReadThread->Resume();
  WriteThread->Resume();
  // A block sent right after opening needs the transmit thread's queue to exist already.
  HANDLE ready[2] = {WriteThread->QueueReady(), WriteThread->Handle()};
  WaitForMultipleObjects(2, ready, FALSE, kStopTimeoutMs);
}

void TComm::ClosePort() {
  if (!FHandle) return;
  StopReadThread();
  StopWriteThread();
  CloseHandle(FCloseEvent);
  FCloseEvent = nullptr;
  CloseHandle(FHandle);
  FHandle = nullptr;
}

void TComm::StopReadThread() {
  if (!ReadThread) return;
  SetEvent(FCloseEvent);
  PurgeComm(FHandle, PURGE_RXABORT | PURGE_RXCLEAR);
  ReleaseThread(std::move(ReadThread));
}

void TComm::StopWriteThread() {
  if (!WriteThread) return;
  SetEvent(FCloseEvent);
  PurgeComm(FHandle, PURGE_TXABORT | PURGE_TXCLEAR);
  FSendDataEmpty = true;
  ReleaseThread(std::move(WriteThread));
}

void TComm::ReleaseThread(std::unique_ptr<TCommThread> thread) {
  if (thread->Suspended()) return;  // never started: nothing runs on it
  if (WaitForSingleObject(thread->Handle(), kStopTimeoutMs) != WAIT_OBJECT_0) {
    thread->Terminate();
    FStragglers.push_back(std::move(thread));
  }
}

bool TComm::SendData(const void* DataPtr, std::uint16_t DataSize) {
  if (!WriteThread || DataSize == 0 || !DataPtr) return false;
  auto* block = new BYTE[DataSize + 1u]();
  std::memcpy(block, DataPtr, DataSize);
  // Cleared before the post: the transmit thread may run the queue empty before we return.
  bool wasEmpty = FSendDataEmpty.exchange(false);
  if (!WriteThread->PostBlock(block, DataSize)) {
    delete[] block;
    FSendDataEmpty = wasEmpty;
    return false;
  }
  return true;
}

void TComm::_SetCommState() {
  DCB dcb;
  GetCommState(FHandle, &dcb);
  dcb.BaudRate = FBaudRate;
  dcb.fBinary = 1;
  dcb.fParity = FParityCheck;
  dcb.fOutxCtsFlow = FOutx_CtsFlow;
  dcb.fOutxDsrFlow = FOutx_DsrFlow;
  switch (FDtrControl) {
    case TDtrControl::DtrEnable: dcb.fDtrControl = DTR_CONTROL_ENABLE; break;
    case TDtrControl::DtrHandshake: dcb.fDtrControl = DTR_CONTROL_HANDSHAKE; break;
    default: dcb.fDtrControl = DTR_CONTROL_DISABLE; break;
  }
  dcb.fDsrSensitivity = FDsrSensitivity;
  dcb.fTXContinueOnXoff = FTxContinueOnXoff;
  dcb.fOutX = FOutx_XonXoffFlow;
  dcb.fInX = FInx_XonXoffFlow;
  dcb.fErrorChar = FReplaceWhenParityError;
  dcb.fNull = FIgnoreNullChar;
  switch (FRtsControl) {
    case TRtsControl::RtsEnable: dcb.fRtsControl = RTS_CONTROL_ENABLE; break;
    case TRtsControl::RtsHandshake: dcb.fRtsControl = RTS_CONTROL_HANDSHAKE; break;
    case TRtsControl::RtsTransmissionAvailable: dcb.fRtsControl = RTS_CONTROL_TOGGLE; break;
    default: dcb.fRtsControl = RTS_CONTROL_DISABLE; break;
  }
  dcb.fAbortOnError = 0;
  dcb.fDummy2 = 0;
  dcb.XonLim = FXonLimit;
  dcb.XoffLim = FXoffLimit;
  dcb.ByteSize = static_cast<BYTE>(static_cast<int>(FByteSize) + 5);
  dcb.Parity = static_cast<BYTE>(FParity);
  dcb.StopBits = static_cast<BYTE>(FStopBits);
  dcb.XonChar = FXonChar;
  dcb.XoffChar = FXoffChar;
  dcb.ErrorChar = FReplacedChar;
  SetCommState(FHandle, &dcb);
}

void TComm::_SetCommTimeout() {
  COMMTIMEOUTS t;
  GetCommTimeouts(FHandle, &t);
  t.ReadIntervalTimeout = FReadIntervalTimeout;
  t.ReadTotalTimeoutMultiplier = FReadTotalTimeoutMultiplier;
  t.ReadTotalTimeoutConstant = FReadTotalTimeoutConstant;
  t.WriteTotalTimeoutMultiplier = FWriteTotalTimeoutMultiplier;
  t.WriteTotalTimeoutConstant = FWriteTotalTimeoutConstant;
  SetCommTimeouts(FHandle, &t);
}

LRESULT TComm::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TComm*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
  if (self && msg >= WM_COMM_DATA && msg <= WM_COMM_SENDEMPTY) {
    self->HandleMessage(msg, wParam, lParam);
    return 0;
  }
  if (!self && msg == WM_COMM_DATA) {
    delete[] reinterpret_cast<BYTE*>(lParam);
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

void TComm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMM_DATA: {
      // Released even when the handler raises.
      std::unique_ptr<BYTE[]> block(reinterpret_cast<BYTE*>(lParam));
      if (OnReceiveData) OnReceiveData(this, block.get(), static_cast<std::uint16_t>(wParam));
      break;
    }
    case WM_COMM_ERROR:
      if (OnReceiveError) OnReceiveError(this, static_cast<DWORD>(lParam));
      break;
    case WM_COMM_HANGUP:
      if (OnRequestHangup) OnRequestHangup(this);
      break;
    case WM_COMM_MODEM:
      if (OnModemStateChange) OnModemStateChange(this, static_cast<DWORD>(lParam));
      break;
    case WM_COMM_SENDEMPTY:
      if (OnSendDataEmpty) OnSendDataEmpty(this);
      break;
    default:
      break;
  }
}

namespace {
// Form descriptions create serial ports by class name.
const bool kRegistered = [] {
  RegisterClassesOf<TComm>();
  return true;
}();
}  // namespace
