#pragma once
// Serial ports with the platform's overlapped I/O shape, over termios. Each open port has a small
// service thread that completes pending reads, writes and event waits and sets their events, so
// callers wait on events (and the close event of their own) exactly as the serial component
// expects. Devices are named as the registry's serial port list names them: "//./COMn" (the n-th
// present serial device) or by path ("//./dev/pts/3").
#include "platform/system/Sync.h"
#include "platform/system/Types.h"

namespace win {

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_FLAG_OVERLAPPED = 0x40000000;

constexpr DWORD FILE_TYPE_UNKNOWN = 0;
constexpr DWORD FILE_TYPE_DISK = 1;
constexpr DWORD FILE_TYPE_CHAR = 2;
constexpr DWORD FILE_TYPE_PIPE = 3;

// Internal holds the operation's error code while done (0 = success), STATUS_PENDING while not.
constexpr ULONG_PTR STATUS_PENDING = 0x103;

struct OVERLAPPED {
  ULONG_PTR Internal = 0;
  ULONG_PTR InternalHigh = 0;
  DWORD Offset = 0;
  DWORD OffsetHigh = 0;
  HANDLE hEvent = nullptr;
};

constexpr DWORD DTR_CONTROL_DISABLE = 0;
constexpr DWORD DTR_CONTROL_ENABLE = 1;
constexpr DWORD DTR_CONTROL_HANDSHAKE = 2;
constexpr DWORD RTS_CONTROL_DISABLE = 0;
constexpr DWORD RTS_CONTROL_ENABLE = 1;
constexpr DWORD RTS_CONTROL_HANDSHAKE = 2;
constexpr DWORD RTS_CONTROL_TOGGLE = 3;

constexpr BYTE NOPARITY = 0;
constexpr BYTE ODDPARITY = 1;
constexpr BYTE EVENPARITY = 2;
constexpr BYTE MARKPARITY = 3;
constexpr BYTE SPACEPARITY = 4;
constexpr BYTE ONESTOPBIT = 0;
constexpr BYTE ONE5STOPBITS = 1;
constexpr BYTE TWOSTOPBITS = 2;

struct DCB {
  DWORD DCBlength = sizeof(DCB);
  DWORD BaudRate = 0;
  DWORD fBinary : 1 = 0;
  DWORD fParity : 1 = 0;
  DWORD fOutxCtsFlow : 1 = 0;
  DWORD fOutxDsrFlow : 1 = 0;
  DWORD fDtrControl : 2 = 0;
  DWORD fDsrSensitivity : 1 = 0;
  DWORD fTXContinueOnXoff : 1 = 0;
  DWORD fOutX : 1 = 0;
  DWORD fInX : 1 = 0;
  DWORD fErrorChar : 1 = 0;
  DWORD fNull : 1 = 0;
  DWORD fRtsControl : 2 = 0;
  DWORD fAbortOnError : 1 = 0;
  DWORD fDummy2 : 17 = 0;
  WORD wReserved = 0;
  WORD XonLim = 0;
  WORD XoffLim = 0;
  BYTE ByteSize = 0;
  BYTE Parity = 0;
  BYTE StopBits = 0;
  char XonChar = 0;
  char XoffChar = 0;
  char ErrorChar = 0;
  char EofChar = 0;
  char EvtChar = 0;
  WORD wReserved1 = 0;
};

struct COMMTIMEOUTS {
  DWORD ReadIntervalTimeout = 0;
  DWORD ReadTotalTimeoutMultiplier = 0;
  DWORD ReadTotalTimeoutConstant = 0;
  DWORD WriteTotalTimeoutMultiplier = 0;
  DWORD WriteTotalTimeoutConstant = 0;
};

struct COMSTAT {
  DWORD fCtsHold : 1 = 0;
  DWORD fDsrHold : 1 = 0;
  DWORD fRlsdHold : 1 = 0;
  DWORD fXoffHold : 1 = 0;
  DWORD fXoffSent : 1 = 0;
  DWORD fEof : 1 = 0;
  DWORD fTxim : 1 = 0;
  DWORD fReserved : 25 = 0;
  DWORD cbInQue = 0;
  DWORD cbOutQue = 0;
};

constexpr DWORD MAXDWORD = 0xFFFFFFFF;

constexpr DWORD EV_RXCHAR = 0x0001;
constexpr DWORD EV_CTS = 0x0008;
constexpr DWORD EV_DSR = 0x0010;
constexpr DWORD EV_RLSD = 0x0020;
constexpr DWORD EV_BREAK = 0x0040;
constexpr DWORD EV_ERR = 0x0080;
constexpr DWORD EV_RING = 0x0100;

constexpr DWORD CE_RXOVER = 0x0001;
constexpr DWORD CE_OVERRUN = 0x0002;
constexpr DWORD CE_RXPARITY = 0x0004;
constexpr DWORD CE_FRAME = 0x0008;
constexpr DWORD CE_BREAK = 0x0010;

constexpr DWORD PURGE_TXABORT = 0x0001;
constexpr DWORD PURGE_RXABORT = 0x0002;
constexpr DWORD PURGE_TXCLEAR = 0x0004;
constexpr DWORD PURGE_RXCLEAR = 0x0008;

constexpr DWORD MS_CTS_ON = 0x0010;
constexpr DWORD MS_DSR_ON = 0x0020;
constexpr DWORD MS_RING_ON = 0x0040;
constexpr DWORD MS_RLSD_ON = 0x0080;

// Opens a serial device (or, for the file-type test, any existing file) by name. Serial devices
// are opened exclusively: a second open of the same device fails with ERROR_SHARING_VIOLATION.
// Returns INVALID_HANDLE_VALUE on failure. The handle is closed with CloseHandle.
HANDLE CreateFile(LPCSTR name, DWORD access, DWORD shareMode, void* security, DWORD disposition, DWORD flags,
                  HANDLE templateFile);
DWORD GetFileType(HANDLE file);

BOOL SetupComm(HANDLE comm, DWORD inQueue, DWORD outQueue);
BOOL PurgeComm(HANDLE comm, DWORD flags);
BOOL GetCommState(HANDLE comm, DCB* dcb);
BOOL SetCommState(HANDLE comm, const DCB* dcb);
BOOL GetCommTimeouts(HANDLE comm, COMMTIMEOUTS* timeouts);
BOOL SetCommTimeouts(HANDLE comm, const COMMTIMEOUTS* timeouts);
BOOL SetCommMask(HANDLE comm, DWORD mask);
BOOL GetCommMask(HANDLE comm, DWORD* mask);
BOOL WaitCommEvent(HANDLE comm, DWORD* mask, OVERLAPPED* overlapped);
BOOL ClearCommError(HANDLE comm, DWORD* errors, COMSTAT* stat);
BOOL GetCommModemStatus(HANDLE comm, DWORD* status);

// With an OVERLAPPED these return FALSE and ERROR_IO_PENDING while the operation runs on; its
// event is set when it is done. Without one they block until done.
BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read, OVERLAPPED* overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written, OVERLAPPED* overlapped);
BOOL GetOverlappedResult(HANDLE file, OVERLAPPED* overlapped, DWORD* transferred, BOOL wait);

}  // namespace win

namespace platform {

// The output modem lines as the port drives them (MS_* style bits: 1 DTR, 2 RTS). Devices without
// modem lines (pseudo-terminals) report what the port would drive.
constexpr win::DWORD kLineDtr = 0x1;
constexpr win::DWORD kLineRts = 0x2;
bool CommOutputLines(win::HANDLE comm, win::DWORD* lines);

}  // namespace platform
