#pragma once
// The serial port component: opens a port, runs a receive and a transmit thread for it, queues
// outgoing blocks to the transmit thread, and raises what the threads report as events on the
// user-interface thread, through a hidden window.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/comm/Comm.h"
#include "platform/win/Window.h"

class TCommThread;
class TReadThread;
class TWriteThread;

enum class TDtrControl : std::uint8_t { DtrEnable, DtrDisable, DtrHandshake };
VW_ENUM_NAMES(TDtrControl, DtrEnable, DtrDisable, DtrHandshake)
enum class TRtsControl : std::uint8_t { RtsEnable, RtsDisable, RtsHandshake, RtsTransmissionAvailable };
VW_ENUM_NAMES(TRtsControl, RtsEnable, RtsDisable, RtsHandshake, RtsTransmissionAvailable)
enum class TByteSize : std::uint8_t { _5, _6, _7, _8 };
VW_ENUM_NAMES(TByteSize, _5, _6, _7, _8)
enum class TParity : std::uint8_t { None, Odd, Even, Mark, Space };
VW_ENUM_NAMES(TParity, None, Odd, Even, Mark, Space)
enum class TStopBits : std::uint8_t { _1, _1_5, _2 };
VW_ENUM_NAMES(TStopBits, _1, _1_5, _2)

using TReceiveDataEvent = std::function<void(TObject* Sender, void* Buffer, std::uint16_t BufferLength)>;
using TReceiveErrorEvent = std::function<void(TObject* Sender, win::DWORD EventMask)>;
using TModemStateChangeEvent = std::function<void(TObject* Sender, win::DWORD ModemEvent)>;
using TSendDataEmptyEvent = std::function<void(TObject* Sender)>;

VW_DECLARE_EXCEPTION(ECommsError, Exception);

class TComm : public TComponent {
  VW_CLASS(TComm, TComponent)
 public:
  explicit TComm(TComponent* AOwner);
  // Closes an open port first: its threads must not outlive the window they post to.
  ~TComm() override;

  static void DeclareProperties(TPropTable& t);

  void OpenPort();
  void ClosePort();
  // Queues a copy of the bytes for the transmit thread; never waits for the line.
  bool SendData(const void* DataPtr, std::uint16_t DataSize);

  win::HANDLE PortHandle() const { return FHandle; }

  const String& CommName() const { return FCommName; }
  void SetCommName(const String& v) { FCommName = v; }
  win::DWORD BaudRate() const { return FBaudRate; }
  void SetBaudRate(win::DWORD v) { SetStateField(FBaudRate, v); }
  bool ParityCheck() const { return FParityCheck; }
  void SetParityCheck(bool v) { SetStateField(FParityCheck, v); }
  bool Outx_CtsFlow() const { return FOutx_CtsFlow; }
  void SetOutx_CtsFlow(bool v) { SetStateField(FOutx_CtsFlow, v); }
  bool Outx_DsrFlow() const { return FOutx_DsrFlow; }
  void SetOutx_DsrFlow(bool v) { SetStateField(FOutx_DsrFlow, v); }
  TDtrControl DtrControl() const { return FDtrControl; }
  void SetDtrControl(TDtrControl v) { SetStateField(FDtrControl, v); }
  bool DsrSensitivity() const { return FDsrSensitivity; }
  void SetDsrSensitivity(bool v) { SetStateField(FDsrSensitivity, v); }
  bool TxContinueOnXoff() const { return FTxContinueOnXoff; }
  void SetTxContinueOnXoff(bool v) { SetStateField(FTxContinueOnXoff, v); }
  bool Outx_XonXoffFlow() const { return FOutx_XonXoffFlow; }
  void SetOutx_XonXoffFlow(bool v) { SetStateField(FOutx_XonXoffFlow, v); }
  bool Inx_XonXoffFlow() const { return FInx_XonXoffFlow; }
  void SetInx_XonXoffFlow(bool v) { SetStateField(FInx_XonXoffFlow, v); }
  bool ReplaceWhenParityError() const { return FReplaceWhenParityError; }
  void SetReplaceWhenParityError(bool v) { SetStateField(FReplaceWhenParityError, v); }
  bool IgnoreNullChar() const { return FIgnoreNullChar; }
  void SetIgnoreNullChar(bool v) { SetStateField(FIgnoreNullChar, v); }
  TRtsControl RtsControl() const { return FRtsControl; }
  void SetRtsControl(TRtsControl v) { SetStateField(FRtsControl, v); }
  win::WORD XonLimit() const { return FXonLimit; }
  void SetXonLimit(win::WORD v) { SetStateField(FXonLimit, v); }
  win::WORD XoffLimit() const { return FXoffLimit; }
  void SetXoffLimit(win::WORD v) { SetStateField(FXoffLimit, v); }
  TByteSize ByteSize() const { return FByteSize; }
  void SetByteSize(TByteSize v) { SetStateField(FByteSize, v); }
  // Only stored: reaches the device at the next open or the next state-changing write.
  TParity Parity() const { return FParity; }
  void SetParity(TParity v) { FParity = v; }
  TStopBits StopBits() const { return FStopBits; }
  void SetStopBits(TStopBits v) { SetStateField(FStopBits, v); }
  char XonChar() const { return FXonChar; }
  void SetXonChar(char v) { SetStateField(FXonChar, v); }
  char XoffChar() const { return FXoffChar; }
  void SetXoffChar(char v) { SetStateField(FXoffChar, v); }
  char ReplacedChar() const { return FReplacedChar; }
  void SetReplacedChar(char v) { SetStateField(FReplacedChar, v); }
  win::DWORD ReadIntervalTimeout() const { return FReadIntervalTimeout; }
  void SetReadIntervalTimeout(win::DWORD v) { SetTimeoutField(FReadIntervalTimeout, v); }
  win::DWORD ReadTotalTimeoutMultiplier() const { return FReadTotalTimeoutMultiplier; }
  void SetReadTotalTimeoutMultiplier(win::DWORD v) { SetTimeoutField(FReadTotalTimeoutMultiplier, v); }
  win::DWORD ReadTotalTimeoutConstant() const { return FReadTotalTimeoutConstant; }
  void SetReadTotalTimeoutConstant(win::DWORD v) { SetTimeoutField(FReadTotalTimeoutConstant, v); }
  win::DWORD WriteTotalTimeoutMultiplier() const { return FWriteTotalTimeoutMultiplier; }
  void SetWriteTotalTimeoutMultiplier(win::DWORD v) { SetTimeoutField(FWriteTotalTimeoutMultiplier, v); }
  win::DWORD WriteTotalTimeoutConstant() const { return FWriteTotalTimeoutConstant; }
  void SetWriteTotalTimeoutConstant(win::DWORD v) { SetTimeoutField(FWriteTotalTimeoutConstant, v); }

  TReceiveDataEvent OnReceiveData;
  TReceiveErrorEvent OnReceiveError;
  TModemStateChangeEvent OnModemStateChange;
  std::function<void(TObject* Sender)> OnRequestHangup;
  TSendDataEmptyEvent OnSendDataEmpty;

 private:
  template <class T>
  void SetStateField(T& field, T v) {
    if (field == v) return;
    field = v;
    if (FHandle) _SetCommState();
  }
  template <class T>
  void SetTimeoutField(T& field, T v) {
    if (field == v) return;
    field = v;
    if (FHandle) _SetCommTimeout();
  }
  void _SetCommState();
  void _SetCommTimeout();
  void StopReadThread();
  void StopWriteThread();
  // Waits for a stopping thread and releases it; one that outlasts the wait is kept until the
  // component goes, when the closed port has long made it end.
  void ReleaseThread(std::unique_ptr<TCommThread> thread);
  static win::LRESULT WndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
  void HandleMessage(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);

  std::unique_ptr<TReadThread> ReadThread;
  std::unique_ptr<TWriteThread> WriteThread;
  std::vector<std::unique_ptr<TCommThread>> FStragglers;
  win::HANDLE FHandle = nullptr;
  win::HANDLE FCloseEvent = nullptr;
  win::HWND FHWnd = nullptr;
  // Set by the transmit thread when its queue runs empty, cleared here when a block is queued.
  std::atomic<bool> FSendDataEmpty{true};

  String FCommName = "COM2";
  win::DWORD FBaudRate = 9600;
  bool FParityCheck = false;
  bool FOutx_CtsFlow = false;
  bool FOutx_DsrFlow = false;
  TDtrControl FDtrControl = TDtrControl::DtrEnable;
  bool FDsrSensitivity = false;
  bool FTxContinueOnXoff = true;
  bool FOutx_XonXoffFlow = true;
  bool FInx_XonXoffFlow = true;
  bool FReplaceWhenParityError = false;
  bool FIgnoreNullChar = false;
  TRtsControl FRtsControl = TRtsControl::RtsEnable;
  win::WORD FXonLimit = 500;
  win::WORD FXoffLimit = 500;
  TByteSize FByteSize = TByteSize::_8;
  TParity FParity = TParity::None;
  TStopBits FStopBits = TStopBits::_1;
  char FXonChar = 0x11;
  char FXoffChar = 0x13;
  char FReplacedChar = 0;
  win::DWORD FReadIntervalTimeout = 100;
  win::DWORD FReadTotalTimeoutMultiplier = 0;
  win::DWORD FReadTotalTimeoutConstant = 0;
  win::DWORD FWriteTotalTimeoutMultiplier = 0;
  win::DWORD FWriteTotalTimeoutConstant = 0;
};
