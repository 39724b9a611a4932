#include "platform/comm/Comm.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <unordered_map>

#include "platform/comm/LineMarks.h"
#include "platform/system/HandleTable.h"
#include "platform/system/Registry.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;
using win::BOOL;
using win::BYTE;
using win::DWORD;
using win::FALSE;
using win::HANDLE;
using win::OVERLAPPED;
using win::TRUE;

struct PendingRead {
  OVERLAPPED* ov = nullptr;
  BYTE* buffer = nullptr;
  DWORD length = 0;
  DWORD got = 0;
  Clock::time_point lastByte;
  std::optional<Clock::time_point> deadline;
};

struct PendingWrite {
  OVERLAPPED* ov = nullptr;
  const BYTE* buffer = nullptr;
  DWORD length = 0;
  DWORD done = 0;
  std::optional<Clock::time_point> deadline;
};

struct PendingWait {
  OVERLAPPED* ov = nullptr;
  DWORD* mask = nullptr;
};

struct Port {
  int fd = -1;
  bool tty = false;
  bool closed = false;
  bool hungUp = false;
  dev_t device = 0;
  bool exclusive = false;

  std::mutex lock;
  win::DCB dcb;
  win::COMMTIMEOUTS timeouts;
  DWORD eventMask = 0;
  DWORD events = 0;  // raised and not yet reported to a wait
  DWORD errors = 0;  // CE_* bits until ClearCommError
  DWORD outputLines = 0;
  bool modemLines = true;  // false once the device has shown it has none
  int lastModem = -1;
  bool icount = true;
  int lastOverruns = -1;
  LineMarkDecoder marks;

  PendingRead read;
  PendingWrite write;
  PendingWait wait;

  int wake = -1;
  std::thread service;
  bool stopping = false;
};

std::mutex g_portsLock;
std::unordered_map<std::uintptr_t, std::shared_ptr<Port>> g_ports;
std::set<dev_t> g_openDevices;
std::uint32_t g_nextSlot = 0;

std::shared_ptr<Port> FindPort(HANDLE h) {
  std::lock_guard lock(g_portsLock);
  auto it = g_ports.find(HandleValue(h));
  return it == g_ports.end() ? nullptr : it->second;
}

// The port for a comm operation, or nullptr with the error set.
std::shared_ptr<Port> CommPort(HANDLE h) {
  auto port = FindPort(h);
  if (!port) {
    win::SetLastError(win::ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (!port->tty) {
    win::SetLastError(win::ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  return port;
}

DWORD ErrorFromErrno(int e) {
  switch (e) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
      return win::ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return win::ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
      return win::ERROR_ACCESS_DENIED;
    case EBUSY:
      return win::ERROR_SHARING_VIOLATION;
    case EBADF:
      return win::ERROR_INVALID_HANDLE;
    case ENOMEM:
      return win::ERROR_NOT_ENOUGH_MEMORY;
    case EINVAL:
      return win::ERROR_INVALID_PARAMETER;
    default:
      return win::ERROR_GEN_FAILURE;
  }
}

void Complete(OVERLAPPED* ov, DWORD error, DWORD count) {
  ov->InternalHigh = count;
  ov->Internal = error;
  if (ov->hEvent) win::SetEvent(ov->hEvent);
}

void Wake(Port& p) {
  std::uint64_t one = 1;
  [[maybe_unused]] auto n = ::write(p.wake, &one, sizeof one);
}

// --- Speeds --------------------------------------------------------------------------------------

struct Speed {
  DWORD baud;
  speed_t code;
};
constexpr Speed kSpeeds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

std::optional<speed_t> SpeedCode(DWORD baud) {
  for (const Speed& s : kSpeeds)
    if (s.baud == baud) return s.code;
  return std::nullopt;
}

DWORD BaudOf(speed_t code) {
  for (const Speed& s : kSpeeds)
    if (s.code == code) return s.baud;
  return 0;
}

// A device control block describing the line as the driver has it now.
win::DCB DcbFromTermios(const termios& t) {
  win::DCB d;
  d.BaudRate = BaudOf(cfgetospeed(&t));
  d.fBinary = 1;
  d.fParity = (t.c_iflag & INPCK) ? 1 : 0;
  d.fOutxCtsFlow = (t.c_cflag & CRTSCTS) ? 1 : 0;
  d.fDtrControl = win::DTR_CONTROL_ENABLE;  // the driver raises DTR and RTS on open
  d.fRtsControl = (t.c_cflag & CRTSCTS) ? win::RTS_CONTROL_HANDSHAKE : win::RTS_CONTROL_ENABLE;
  d.fOutX = (t.c_iflag & IXON) ? 1 : 0;
  d.fInX = (t.c_iflag & IXOFF) ? 1 : 0;
  d.XonLim = 2048;
  d.XoffLim = 512;
  switch (t.c_cflag & CSIZE) {
    case CS5: d.ByteSize = 5; break;
    case CS6: d.ByteSize = 6; break;
    case CS7: d.ByteSize = 7; break;
    default: d.ByteSize = 8; break;
  }
  if (!(t.c_cflag & PARENB))
    d.Parity = win::NOPARITY;
  else if (t.c_cflag & CMSPAR)
    d.Parity = (t.c_cflag & PARODD) ? win::MARKPARITY : win::SPACEPARITY;
  else
    d.Parity = (t.c_cflag & PARODD) ? win::ODDPARITY : win::EVENPARITY;
  d.StopBits = (t.c_cflag & CSTOPB) ? win::TWOSTOPBITS : win::ONESTOPBIT;
  d.XonChar = static_cast<char>(t.c_cc[VSTART]);
  d.XoffChar = static_cast<char>(t.c_cc[VSTOP]);
  return d;
}

// A serial line never cooks its bytes: no echo, no line editing, no translation. PARMRK makes the
// driver mark bytes received with errors ("\377 \0 x") so that they can be counted and replaced.
void MakeRaw(termios& t) {
  t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | IGNPAR | ISTRIP | INLCR | IGNCR | ICRNL | IXANY | IMAXBEL |
                                      IUCLC);
  t.c_iflag |= PARMRK;
  t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHOE | ECHOK | ECHONL | ICANON | ISIG | IEXTEN);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
}

void SetModemLine(Port& p, int line, bool on) {
  // Pseudo-terminals have no modem lines and refuse this; the port still records what it drives.
  int bits = line;
  (void)ioctl(p.fd, on ? TIOCMBIS : TIOCMBIC, &bits);
  DWORD flag = line == TIOCM_DTR ? kLineDtr : kLineRts;
  p.outputLines = on ? (p.outputLines | flag) : (p.outputLines & ~flag);
}

// --- Receiving ----------------------------------------------------------------------------------

void TakeBytes(Port& p, const BYTE* data, std::size_t n) {
  LineMarkOptions options;
  options.dropNulls = p.dcb.fNull;
  options.replaceErrors = p.dcb.fErrorChar;
  options.errorChar = static_cast<BYTE>(p.dcb.ErrorChar);
  options.parityEnabled = p.dcb.Parity != win::NOPARITY;
  DWORD events = 0;
  p.read.got += static_cast<DWORD>(
      p.marks.Decode(data, n, p.read.buffer + p.read.got, options, p.errors, events));
  p.events |= events & p.eventMask;
}

void CheckOverruns(Port& p) {
  if (!p.icount) return;
  serial_icounter_struct counts{};
  if (ioctl(p.fd, TIOCGICOUNT, &counts) != 0) {
    p.icount = false;
    return;
  }
  int overruns = counts.overrun + counts.buf_overrun;
  if (p.lastOverruns >= 0 && overruns != p.lastOverruns) {
    p.errors |= win::CE_OVERRUN;
    p.events |= win::EV_ERR & p.eventMask;
  }
  p.lastOverruns = overruns;
}

// Reads what the driver holds into the pending read. Returns 0 or the error that ends the line.
DWORD FillRead(Port& p) {
  BYTE raw[4096];
  while (p.read.got < p.read.length) {
    std::size_t want = std::min<std::size_t>(p.read.length - p.read.got, sizeof raw);
    ssize_t n = ::read(p.fd, raw, want);
    if (n > 0) {
      p.read.lastByte = Clock::now();
      TakeBytes(p, raw, static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) break;
    return n == 0 || errno == EIO ? win::ERROR_GEN_FAILURE : ErrorFromErrno(errno);
  }
  CheckOverruns(p);
  return 0;
}

bool ReadReturnsAtOnce(const win::COMMTIMEOUTS& t) {
  return t.ReadIntervalTimeout == win::MAXDWORD && t.ReadTotalTimeoutMultiplier == 0 &&
         t.ReadTotalTimeoutConstant == 0;
}

bool ReadReturnsOnAnyByte(const win::COMMTIMEOUTS& t) {
  return t.ReadIntervalTimeout == win::MAXDWORD && t.ReadTotalTimeoutMultiplier == win::MAXDWORD &&
         t.ReadTotalTimeoutConstant != 0 && t.ReadTotalTimeoutConstant != win::MAXDWORD;
}

// When the pending read is due by the time-out rules, as of `now`.
bool ReadDue(const Port& p, Clock::time_point now) {
  const PendingRead& r = p.read;
  const win::COMMTIMEOUTS& t = p.timeouts;
  if (r.got == r.length || ReadReturnsAtOnce(t)) return true;
  if (r.got > 0 && ReadReturnsOnAnyByte(t)) return true;
  if (r.got > 0 && t.ReadIntervalTimeout != 0 && t.ReadIntervalTimeout != win::MAXDWORD &&
      now - r.lastByte >= std::chrono::milliseconds(t.ReadIntervalTimeout))
    return true;
  return r.deadline && now >= *r.deadline;
}

std::optional<Clock::time_point> ReadWakeTime(const Port& p) {
  std::optional<Clock::time_point> at = p.read.deadline;
  DWORD interval = p.timeouts.ReadIntervalTimeout;
  if (p.read.got > 0 && interval != 0 && interval != win::MAXDWORD) {
    auto t = p.read.lastByte + std::chrono::milliseconds(interval);
    if (!at || t < *at) at = t;
  }
  return at;
}

void FinishRead(Port& p, DWORD error) {
  Complete(p.read.ov, error, p.read.got);
  p.read = {};
}

// --- Sending ------------------------------------------------------------------------------------

DWORD FillWrite(Port& p) {
  while (p.write.done < p.write.length) {
    ssize_t n = ::write(p.fd, p.write.buffer + p.write.done, p.write.length - p.write.done);
    if (n > 0) {
      p.write.done += static_cast<DWORD>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) break;
    return n == 0 || errno == EIO ? win::ERROR_GEN_FAILURE : ErrorFromErrno(errno);
  }
  return 0;
}

void FinishWrite(Port& p, DWORD error) {
  Complete(p.write.ov, error, p.write.done);
  p.write = {};
}

// --- Events -------------------------------------------------------------------------------------

constexpr DWORD kModemEvents = win::EV_CTS | win::EV_DSR | win::EV_RLSD | win::EV_RING;

void CheckModem(Port& p) {
  if (!p.modemLines || !(p.eventMask & kModemEvents)) return;
  int bits = 0;
  if (ioctl(p.fd, TIOCMGET, &bits) != 0) {
    p.modemLines = false;
    return;
  }
  if (p.lastModem >= 0) {
    int changed = bits ^ p.lastModem;
    DWORD ev = 0;
    if (changed & TIOCM_CTS) ev |= win::EV_CTS;
    if (changed & TIOCM_DSR) ev |= win::EV_DSR;
    if (changed & TIOCM_CD) ev |= win::EV_RLSD;
    if ((changed & TIOCM_RNG) && (bits & TIOCM_RNG)) ev |= win::EV_RING;
    p.events |= ev & p.eventMask;
  }
  p.lastModem = bits;
}

void ReportEvents(Port& p) {
  if (!p.wait.ov || !(p.events & p.eventMask)) return;
  *p.wait.mask = p.events & p.eventMask;
  p.events = 0;
  Complete(p.wait.ov, 0, sizeof(DWORD));
  p.wait = {};
}

// The line is gone (the peer closed, the adapter was pulled): every operation fails from now on.
void HangUp(Port& p) {
  p.hungUp = true;
  // Bytes that did arrive are still delivered; the next read reports the loss.
  if (p.read.ov) FinishRead(p, p.read.got > 0 ? 0 : win::ERROR_GEN_FAILURE);
  if (p.write.ov) FinishWrite(p, win::ERROR_GEN_FAILURE);
  if (p.wait.ov) {
    Complete(p.wait.ov, win::ERROR_GEN_FAILURE, 0);
    p.wait = {};
  }
}

void AbortAll(Port& p) {
  if (p.read.ov) FinishRead(p, win::ERROR_OPERATION_ABORTED);
  if (p.write.ov) FinishWrite(p, win::ERROR_OPERATION_ABORTED);
  if (p.wait.ov) {
    *p.wait.mask = 0;
    Complete(p.wait.ov, win::ERROR_OPERATION_ABORTED, 0);
    p.wait = {};
  }
}

void Serve(Port* port) {
  Port& p = *port;
  std::unique_lock lock(p.lock);
  while (!p.stopping) {
    pollfd fds[2] = {{p.wake, POLLIN, 0}, {p.fd, 0, 0}};
    nfds_t count = 1;
    bool busy = p.read.ov || p.write.ov || p.wait.ov;
    if (!p.hungUp && busy) {
      fds[1].events = static_cast<short>((p.read.ov ? POLLIN : 0) | (p.write.ov ? POLLOUT : 0));
      count = 2;
    }
    std::optional<Clock::time_point> at;
    if (p.read.ov) at = ReadWakeTime(p);
    if (p.write.ov && p.write.deadline && (!at || *p.write.deadline < *at)) at = p.write.deadline;
    bool watchModem = p.wait.ov && p.modemLines && (p.eventMask & kModemEvents);
    auto now = Clock::now();
    int timeout = -1;
    if (at) timeout = static_cast<int>(std::max<long long>(
                0, std::chrono::ceil<std::chrono::milliseconds>(*at - now).count()));
    if (watchModem && (timeout < 0 || timeout > 20)) timeout = 20;  // modem lines have no poll event

    lock.unlock();
    int ready = ::poll(fds, count, timeout);
    lock.lock();
    if (ready < 0 && errno != EINTR) break;
    if (fds[0].revents & POLLIN) {
      std::uint64_t drained;
      [[maybe_unused]] auto n = ::read(p.wake, &drained, sizeof drained);
    }
    if (p.stopping || p.closed) break;
    if (p.hungUp) continue;

    short rev = count == 2 ? fds[1].revents : 0;
    DWORD failure = 0;
    if (p.read.ov && (rev & (POLLIN | POLLHUP | POLLERR))) failure = FillRead(p);
    if (!failure && p.write.ov && (rev & (POLLOUT | POLLHUP | POLLERR))) failure = FillWrite(p);
    if (!failure && (rev & (POLLHUP | POLLERR | POLLNVAL)) && !(rev & POLLIN)) failure = win::ERROR_GEN_FAILURE;
    if (failure) {
      HangUp(p);
      continue;
    }
    now = Clock::now();
    if (p.read.ov && ReadDue(p, now)) FinishRead(p, 0);
    if (p.write.ov && (p.write.done == p.write.length || (p.write.deadline && now >= *p.write.deadline)))
      FinishWrite(p, 0);
    if (p.wait.ov) {
      CheckModem(p);
      ReportEvents(p);
    }
  }
}

BOOL ClosePort(HANDLE h) {
  std::shared_ptr<Port> port = FindPort(h);
  if (!port) {
    win::SetLastError(win::ERROR_INVALID_HANDLE);
    return FALSE;
  }
  {
    std::lock_guard lock(port->lock);
    if (port->closed) {
      win::SetLastError(win::ERROR_INVALID_HANDLE);
      return FALSE;
    }
    port->closed = true;
    port->stopping = true;
    AbortAll(*port);
    if (port->wake >= 0) Wake(*port);
  }
  if (port->service.joinable()) port->service.join();
  {
    std::lock_guard lock(g_portsLock);
    g_ports.erase(HandleValue(h));
    if (port->exclusive) g_openDevices.erase(port->device);
  }
  std::lock_guard lock(port->lock);
  if (port->wake >= 0) ::close(port->wake);
  ::close(port->fd);  // drops the advisory lock as well
  port->fd = port->wake = -1;
  return TRUE;
}

// Runs an overlapped-style operation to its end for callers that gave no OVERLAPPED.
template <class Start>
BOOL RunToEnd(HANDLE h, DWORD* transferred, Start start) {
  OVERLAPPED ov;
  ov.hEvent = win::CreateEvent(nullptr, TRUE, FALSE, nullptr);
  BOOL ok = start(&ov);
  if (!ok && win::GetLastError() == win::ERROR_IO_PENDING) ok = win::GetOverlappedResult(h, &ov, transferred, TRUE);
  DWORD error = win::GetLastError();
  win::CloseHandle(ov.hEvent);
  win::SetLastError(error);
  return ok;
}

}  // namespace

bool CommOutputLines(HANDLE h, DWORD* lines) {
  auto port = CommPort(h);
  if (!port || !lines) return false;
  std::lock_guard lock(port->lock);
  *lines = port->outputLines;
  return true;
}

}  // namespace platform

namespace win {

using platform::CommPort;
using platform::Port;

HANDLE CreateFile(LPCSTR name, DWORD access, DWORD shareMode, void*, DWORD disposition, DWORD, HANDLE) {
  static std::once_flag registered;
  std::call_once(registered, [] {
    platform::RegisterHandleCloser(static_cast<unsigned>(platform::HandleKind::Comm), platform::ClosePort);
  });
  if (!name || disposition != OPEN_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::string path = platform::SerialPortPath(name);
  if (path.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  int mode = (access & GENERIC_READ) && (access & GENERIC_WRITE) ? O_RDWR
             : (access & GENERIC_WRITE)                          ? O_WRONLY
                                                                 : O_RDONLY;
  int fd = ::open(path.c_str(), mode | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    SetLastError(platform::ErrorFromErrno(errno));
    return INVALID_HANDLE_VALUE;
  }
  auto port = std::make_shared<Port>();
  port->fd = fd;
  struct stat st {};
  ::fstat(fd, &st);
  port->device = st.st_rdev;
  port->tty = ::isatty(fd) != 0;

  std::unique_lock ports(platform::g_portsLock);
  if (port->tty && shareMode == 0) {
    // Another handle of ours, or another program holding the line, makes it busy. Root passes
    // TIOCEXCL, so the advisory lock is what keeps two programs apart. Other character devices
    // (/dev/null) are shared by every program and are not locked.
    if (platform::g_openDevices.count(st.st_rdev) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      SetLastError(ERROR_SHARING_VIOLATION);
      return INVALID_HANDLE_VALUE;
    }
    platform::g_openDevices.insert(st.st_rdev);
    port->exclusive = true;
    ::ioctl(fd, TIOCEXCL);
  }
  if (port->tty) {
    termios t{};
    ::tcgetattr(fd, &t);
    platform::MakeRaw(t);
    ::tcsetattr(fd, TCSANOW, &t);
    port->dcb = platform::DcbFromTermios(t);
    port->outputLines = platform::kLineDtr | platform::kLineRts;
    port->wake = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    port->service = std::thread(platform::Serve, port.get());
  }
  auto value = platform::EncodeHandle(platform::HandleKind::Comm, platform::g_nextSlot++ & 0xFFFFFF, 1);
  platform::g_ports[value] = port;
  return platform::MakeHandle<HANDLE>(value);
}

DWORD GetFileType(HANDLE file) {
  auto port = platform::FindPort(file);
  struct stat st {};
  if (!port || ::fstat(port->fd, &st) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FILE_TYPE_UNKNOWN;
  }
  if (S_ISCHR(st.st_mode)) return FILE_TYPE_CHAR;
  if (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode)) return FILE_TYPE_PIPE;
  return FILE_TYPE_DISK;
}

BOOL SetupComm(HANDLE comm, DWORD inQueue, DWORD outQueue) {
  // The driver's queues have a fixed size; a request is only checked.
  auto port = CommPort(comm);
  if (!port) return FALSE;
  if (inQueue == 0 || outQueue == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

BOOL PurgeComm(HANDLE comm, DWORD flags) {
  auto port = CommPort(comm);
  if (!port) return FALSE;
  std::lock_guard lock(port->lock);
  if (port->closed) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if ((flags & PURGE_RXABORT) && port->read.ov) platform::FinishRead(*port, ERROR_OPERATION_ABORTED);
  if ((flags & PURGE_TXABORT) && port->write.ov) platform::FinishWrite(*port, ERROR_OPERATION_ABORTED);
  if (flags & PURGE_RXCLEAR) {
    ::tcflush(port->fd, TCIFLUSH);
    port->marks.Reset();
  }
  if (flags & PURGE_TXCLEAR) ::tcflush(port->fd, TCOFLUSH);
  return TRUE;
}

BOOL GetCommState(HANDLE comm, DCB* dcb) {
  auto port = CommPort(comm);
  if (!port) return FALSE;
  if (!dcb) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard lock(port->lock);
  *dcb = port->dcb;
  dcb->DCBlength = sizeof(DCB);
  return TRUE;
}

BOOL SetCommState(HANDLE comm, const DCB* dcb) {
  auto port = CommPort(comm);
  if (!port) return FALSE;
  auto speed = dcb ? platform::SpeedCode(dcb->BaudRate) : std::nullopt;
  if (!speed || dcb->ByteSize < 5 || dcb->ByteSize > 8 || dcb->Parity > SPACEPARITY || dcb->StopBits > TWOSTOPBITS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard lock(port->lock);
  if (port->closed) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  termios t{};
  if (::tcgetattr(port->fd, &t) != 0) {
    SetLastError(platform::ErrorFromErrno(errno));
    return FALSE;
  }
  platform::MakeRaw(t);
  cfsetispeed(&t, *speed);
  cfsetospeed(&t, *speed);
  static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
  t.c_cflag = (t.c_cflag & ~static_cast<tcflag_t>(CSIZE)) | kSizes[dcb->ByteSize - 5];
  t.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  switch (dcb->Parity) {
    case ODDPARITY: t.c_cflag |= PARENB | PARODD; break;
    case EVENPARITY: t.c_cflag |= PARENB; break;
    case MARKPARITY: t.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case SPACEPARITY: t.c_cflag |= PARENB | CMSPAR; break;
    default: break;
  }
  // The line knows one and two stop bits; one and a half (a 5-bit-only setting) becomes two.
  if (dcb->StopBits != ONESTOPBIT) t.c_cflag |= CSTOPB;
  // The driver couples CTS output flow and RTS input flow in one switch.
  if (dcb->fOutxCtsFlow || dcb->fRtsControl == RTS_CONTROL_HANDSHAKE) t.c_cflag |= CRTSCTS;
  t.c_iflag &= ~static_cast<tcflag_t>(INPCK | IXON | IXOFF);
  if (dcb->fParity) t.c_iflag |= INPCK;
  if (dcb->fOutX) t.c_iflag |= IXON;
  if (dcb->fInX) t.c_iflag |= IXOFF;
  t.c_cc[VSTART] = static_cast<cc_t>(dcb->XonChar);
  t.c_cc[VSTOP] = static_cast<cc_t>(dcb->XoffChar);
  if (::tcsetattr(port->fd, TCSANOW, &t) != 0) {
    SetLastError(platform::ErrorFromErrno(errno));
    return FALSE;
  }
  platform::SetModemLine(*port, TIOCM_DTR, dcb->fDtrControl != DTR_CONTROL_DISABLE);
  if (dcb->fRtsControl != RTS_CONTROL_HANDSHAKE)
    platform::SetModemLine(*port, TIOCM_RTS, dcb->fRtsControl != RTS_CONTROL_DISABLE);
  else
    port->outputLines |= platform::kLineRts;
  port->dcb = *dcb;
  port->dcb.DCBlength = sizeof(DCB);
  return TRUE;
}

BOOL GetCommTimeouts(HANDLE comm, COMMTIMEOUTS* timeouts) {
  auto port = CommPort(comm);
  if (!port || !timeouts) return FALSE;
  std::lock_guard lock(port->lock);
  *timeouts = port->timeouts;
  return TRUE;
}

BOOL SetCommTimeouts(HANDLE comm, const COMMTIMEOUTS* timeouts) {
  auto port = CommPort(comm);
  if (!port || !timeouts) return FALSE;
  if (timeouts->ReadIntervalTimeout == MAXDWORD && timeouts->ReadTotalTimeoutConstant == MAXDWORD &&
      timeouts->ReadTotalTimeoutMultiplier == MAXDWORD) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard lock(port->lock);
  port->timeouts = *timeouts;
  return TRUE;
}

BOOL SetCommMask(HANDLE comm, DWORD mask) {
  auto port = CommPort(comm);
  if (!port) return FALSE;
  std::lock_guard lock(port->lock);
  if (port->closed) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  port->eventMask = mask;
  port->events &= mask;
  port->lastModem = -1;
  // A wait in progress ends with an empty mask, as it does on the platform.
  if (port->wait.ov) {
    *port->wait.mask = 0;
    platform::Complete(port->wait.ov, 0, sizeof(DWORD));
    port->wait = {};
  }
  if (port->modemLines && (mask & platform::kModemEvents)) platform::CheckModem(*port);
  platform::Wake(*port);
  return TRUE;
}

BOOL GetCommMask(HANDLE comm, DWORD* mask) {
  auto port = CommPort(comm);
  if (!port || !mask) return FALSE;
  std::lock_guard lock(port->lock);
  *mask = port->eventMask;
  return TRUE;
}

BOOL WaitCommEvent(HANDLE comm, DWORD* mask, OVERLAPPED* overlapped) {
  auto port = CommPort(comm);
  if (!port) return FALSE;
  if (!mask) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!overlapped) {
    DWORD unused = 0;
    return platform::RunToEnd(comm, &unused, [&](OVERLAPPED* ov) { return WaitCommEvent(comm, mask, ov); });
  }
  std::lock_guard lock(port->lock);
  if (port->closed || port->hungUp || port->wait.ov) {
    SetLastError(port->closed ? ERROR_INVALID_HANDLE : port->hungUp ? ERROR_GEN_FAILURE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  overlapped->Internal = STATUS_PENDING;
  overlapped->InternalHigh = 0;
  if (overlapped->hEvent) ResetEvent(overlapped->hEvent);
  port->wait = {overlapped, mask};
  platform::CheckModem(*port);
  if (port->events & port->eventMask) {
    platform::ReportEvents(*port);
    return TRUE;
  }
  platform::Wake(*port);
  SetLastError(ERROR_IO_PENDING);
  return FALSE;
}

BOOL ClearCommError(HANDLE comm, DWORD* errors, COMSTAT* stat) {
  auto port = CommPort(comm);
  if (!port) return FALSE;
  std::lock_guard lock(port->lock);
  if (port->closed) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (port->hungUp) {
    SetLastError(ERROR_GEN_FAILURE);
    return FALSE;
  }
  platform::CheckOverruns(*port);
  if (errors) *errors = port->errors;
  port->errors = 0;
  if (stat) {
    *stat = COMSTAT{};
    int in = 0, out = 0;
    if (::ioctl(port->fd, FIONREAD, &in) == 0 && in > 0) stat->cbInQue = static_cast<DWORD>(in);
    if (::ioctl(port->fd, TIOCOUTQ, &out) == 0 && out > 0) stat->cbOutQue = static_cast<DWORD>(out);
  }
  return TRUE;
}

BOOL GetCommModemStatus(HANDLE comm, DWORD* status) {
  auto port = CommPort(comm);
  if (!port || !status) return FALSE;
  std::lock_guard lock(port->lock);
  int bits = 0;
  *status = 0;
  if (port->modemLines && ::ioctl(port->fd, TIOCMGET, &bits) == 0) {
    if (bits & TIOCM_CTS) *status |= MS_CTS_ON;
    if (bits & TIOCM_DSR) *status |= MS_DSR_ON;
    if (bits & TIOCM_RNG) *status |= MS_RING_ON;
    if (bits & TIOCM_CD) *status |= MS_RLSD_ON;
  }
  return TRUE;
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read, OVERLAPPED* overlapped) {
  auto port = platform::FindPort(file);
  if (!port) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (read) *read = 0;
  if (!port->tty) {
    ssize_t n = ::read(port->fd, buffer, toRead);
    if (n < 0) {
      SetLastError(platform::ErrorFromErrno(errno));
      return FALSE;
    }
    if (read) *read = static_cast<DWORD>(n);
    if (overlapped) platform::Complete(overlapped, 0, static_cast<DWORD>(n));
    return TRUE;
  }
  if (!overlapped)
    return platform::RunToEnd(file, read, [&](OVERLAPPED* ov) { return ReadFile(file, buffer, toRead, read, ov); });
  std::lock_guard lock(port->lock);
  if (port->closed || port->hungUp || port->read.ov) {
    SetLastError(port->closed ? ERROR_INVALID_HANDLE : port->hungUp ? ERROR_GEN_FAILURE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  overlapped->Internal = STATUS_PENDING;
  overlapped->InternalHigh = 0;
  Port& p = *port;
  p.read = {overlapped, static_cast<BYTE*>(buffer), toRead, 0, {}, std::nullopt};
  const COMMTIMEOUTS& t = p.timeouts;
  auto now = platform::Clock::now();
  if (platform::ReadReturnsOnAnyByte(t)) {
    p.read.deadline = now + std::chrono::milliseconds(t.ReadTotalTimeoutConstant);
  } else if (t.ReadTotalTimeoutMultiplier || t.ReadTotalTimeoutConstant) {
    auto total = static_cast<long long>(t.ReadTotalTimeoutMultiplier) * toRead + t.ReadTotalTimeoutConstant;
    p.read.deadline = now + std::chrono::milliseconds(total);
  }
  DWORD error = platform::FillRead(p);
  if (error && p.read.got == 0) {
    p.read = {};
    platform::HangUp(p);
    SetLastError(error);
    return FALSE;
  }
  if (error || platform::ReadDue(p, now)) {
    DWORD got = p.read.got;
    platform::FinishRead(p, 0);
    if (error) platform::HangUp(p);
    if (read) *read = got;
    return TRUE;
  }
  if (overlapped->hEvent) ResetEvent(overlapped->hEvent);  // see WriteFile
  platform::Wake(p);
  SetLastError(ERROR_IO_PENDING);
  return FALSE;
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written, OVERLAPPED* overlapped) {
  auto port = platform::FindPort(file);
  if (!port) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (written) *written = 0;
  if (!port->tty) {
    ssize_t n = ::write(port->fd, buffer, toWrite);
    if (n < 0) {
      SetLastError(platform::ErrorFromErrno(errno));
      return FALSE;
    }
    if (written) *written = static_cast<DWORD>(n);
    if (overlapped) platform::Complete(overlapped, 0, static_cast<DWORD>(n));
    return TRUE;
  }
  if (!overlapped)
    return platform::RunToEnd(file, written,
                              [&](OVERLAPPED* ov) { return WriteFile(file, buffer, toWrite, written, ov); });
  std::lock_guard lock(port->lock);
  if (port->closed || port->hungUp || port->write.ov) {
    SetLastError(port->closed ? ERROR_INVALID_HANDLE : port->hungUp ? ERROR_GEN_FAILURE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  overlapped->Internal = STATUS_PENDING;
  overlapped->InternalHigh = 0;
  Port& p = *port;
  p.write = {overlapped, static_cast<const BYTE*>(buffer), toWrite, 0, std::nullopt};
  const COMMTIMEOUTS& t = p.timeouts;
  if (t.WriteTotalTimeoutMultiplier || t.WriteTotalTimeoutConstant) {
    auto total = static_cast<long long>(t.WriteTotalTimeoutMultiplier) * toWrite + t.WriteTotalTimeoutConstant;
    p.write.deadline = platform::Clock::now() + std::chrono::milliseconds(total);
  }
  if (DWORD error = platform::FillWrite(p)) {
    p.write = {};
    platform::HangUp(p);
    SetLastError(error);
    return FALSE;
  }
  if (p.write.done == p.write.length) {
    DWORD done = p.write.done;
    platform::FinishWrite(p, 0);
    if (written) *written = done;
    return TRUE;
  }
  // Reset only now: an operation done at once leaves the event set without a reset before, which
  // spares every waiter of the process a wake-up per byte. Completion needs our lock, so it
  // cannot come before this reset.
  if (overlapped->hEvent) ResetEvent(overlapped->hEvent);
  platform::Wake(p);
  SetLastError(ERROR_IO_PENDING);
  return FALSE;
}

BOOL GetOverlappedResult(HANDLE file, OVERLAPPED* overlapped, DWORD* transferred, BOOL wait) {
  if (!overlapped) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto port = platform::FindPort(file);
  ULONG_PTR status = 0, count = 0;
  auto look = [&] {
    // The service thread completes operations under the port's lock; a closed port has
    // completed all of its operations before it left the table.
    std::unique_lock<std::mutex> lock;
    if (port) lock = std::unique_lock(port->lock);
    status = overlapped->Internal;
    count = overlapped->InternalHigh;
  };
  look();
  if (status == STATUS_PENDING && wait) {
    if (!overlapped->hEvent || WaitForSingleObject(overlapped->hEvent, INFINITE) != WAIT_OBJECT_0) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    look();
  }
  if (status == STATUS_PENDING) {
    SetLastError(ERROR_IO_INCOMPLETE);
    return FALSE;
  }
  if (transferred) *transferred = static_cast<DWORD>(count);
  if (status != 0) {
    SetLastError(static_cast<DWORD>(status));
    return FALSE;
  }
  return TRUE;
}

}  // namespace win
