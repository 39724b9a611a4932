#include "platform/comm/Comm.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/Artifacts.h"

namespace {

using namespace win;

// The far end of the line: the master of a pseudo-terminal pair. The port opens the slave.
class Peer {
 public:
  Peer() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    name_ = std::string("//.") + ptsname(master_);
  }
  ~Peer() { Close(); }
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;

  const std::string& PortName() const { return name_; }
  int fd() const { return master_; }
  void Close() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

  void Send(const std::vector<BYTE>& bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // Reads until `count` bytes arrived or a second passes without any.
  std::vector<BYTE> Receive(std::size_t count) {
    std::vector<BYTE> out;
    BYTE buf[4096];
    while (out.size() < count) {
      pollfd p{master_, POLLIN, 0};
      if (::poll(&p, 1, 1000) <= 0) break;
      ssize_t n = ::read(master_, buf, sizeof buf);
      if (n <= 0) break;
      out.insert(out.end(), buf, buf + n);
    }
    return out;
  }

  termios Line() const {
    termios t{};
    tcgetattr(master_, &t);  // a master reports its slave's settings
    return t;
  }

 private:
  int master_ = -1;
  std::string name_;
};

HANDLE Open(const std::string& name) {
  return CreateFile(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED,
                    nullptr);
}

// An OVERLAPPED with its own manual-reset event.
struct Overlapped : OVERLAPPED {
  Overlapped() { hEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr); }
  ~Overlapped() { CloseHandle(hEvent); }
  bool Done(DWORD ms) { return WaitForSingleObject(hEvent, ms) == WAIT_OBJECT_0; }
};

DCB ConsoleSettings() {
  DCB d;
  d.BaudRate = 9600;
  d.fBinary = 1;
  d.fDtrControl = DTR_CONTROL_DISABLE;
  d.fRtsControl = RTS_CONTROL_DISABLE;
  d.ByteSize = 8;
  d.Parity = NOPARITY;
  d.StopBits = ONESTOPBIT;
  d.XonChar = 0x11;
  d.XoffChar = 0x13;
  d.XonLim = d.XoffLim = 500;
  return d;
}

class CommTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(peer.PortName().empty());
    port = Open(peer.PortName());
    ASSERT_NE(port, INVALID_HANDLE_VALUE) << GetLastError();
  }
  void TearDown() override {
    if (port != INVALID_HANDLE_VALUE) CloseHandle(port);
  }
  void UseTimeouts(DWORD interval, DWORD multiplier = 0, DWORD constant = 0) {
    COMMTIMEOUTS t{interval, multiplier, constant, 0, 0};
    ASSERT_TRUE(SetCommTimeouts(port, &t));
  }

  Peer peer;
  HANDLE port = INVALID_HANDLE_VALUE;
};

TEST_F(CommTest, OpensExclusivelyAsACharacterDevice) {
  EXPECT_EQ(GetFileType(port), FILE_TYPE_CHAR);
  EXPECT_TRUE(SetupComm(port, 4096, 4096));

  EXPECT_EQ(Open(peer.PortName()), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);

  ASSERT_TRUE(CloseHandle(port));
  EXPECT_FALSE(CloseHandle(port)) << "a closed port's handle is stale";
  port = Open(peer.PortName());
  EXPECT_NE(port, INVALID_HANDLE_VALUE) << "closing releases the device";
}

TEST(CommOpenTest, FailuresAndFileTypes) {
  EXPECT_EQ(Open("//./dev/pts/999999"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Open("//./COM4000"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

  std::string file = testsupport::TempDir("comm") + "/plain";
  std::ofstream(file) << "x";
  HANDLE h = Open(file);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFileType(h), FILE_TYPE_DISK);
  EXPECT_FALSE(SetupComm(h, 4096, 4096));
  CloseHandle(h);

  // A character device that is no serial line.
  h = Open("/dev/null");
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFileType(h), FILE_TYPE_CHAR);
  EXPECT_FALSE(SetupComm(h, 4096, 4096));
  DCB d;
  EXPECT_FALSE(GetCommState(h, &d));
  CloseHandle(h);
}

TEST_F(CommTest, SettingsReachTheLine) {
  DCB d = ConsoleSettings();
  ASSERT_TRUE(SetCommState(port, &d));
  termios t = peer.Line();
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_FALSE(t.c_cflag & (PARENB | CSTOPB | CRTSCTS));
  EXPECT_FALSE(t.c_iflag & (IXON | IXOFF | INPCK));
  EXPECT_FALSE(t.c_lflag & (ICANON | ECHO)) << "a serial line is raw";
  DWORD lines = 0xFF;
  ASSERT_TRUE(platform::CommOutputLines(port, &lines));
  EXPECT_EQ(lines, 0u) << "DTR and RTS off";

  DCB back;
  ASSERT_TRUE(GetCommState(port, &back));
  EXPECT_EQ(back.BaudRate, 9600u);
  EXPECT_EQ(back.fDtrControl, DTR_CONTROL_DISABLE);
  EXPECT_EQ(back.fRtsControl, RTS_CONTROL_DISABLE);
}

TEST_F(CommTest, FramingVariants) {
  struct {
    DWORD baud;
    BYTE size, parity, stop;
    speed_t speed;
    tcflag_t cflags;  // among CSIZE, PARENB, PARODD, CMSPAR, CSTOPB
  } cases[] = {
      {115200, 7, EVENPARITY, ONESTOPBIT, B115200, CS7 | PARENB},
      {4800, 8, ODDPARITY, TWOSTOPBITS, B4800, CS8 | PARENB | PARODD | CSTOPB},
      {19200, 8, MARKPARITY, ONESTOPBIT, B19200, CS8 | PARENB | PARODD | CMSPAR},
      {38400, 6, SPACEPARITY, ONESTOPBIT, B38400, CS6 | PARENB | CMSPAR},
      {1200, 5, NOPARITY, ONE5STOPBITS, B1200, CS5 | CSTOPB},
  };
  for (const auto& c : cases) {
    DCB d = ConsoleSettings();
    d.BaudRate = c.baud;
    d.ByteSize = c.size;
    d.Parity = c.parity;
    d.StopBits = c.stop;
    d.fOutX = d.fInX = 1;
    ASSERT_TRUE(SetCommState(port, &d)) << c.baud;
    termios t = peer.Line();
    EXPECT_EQ(cfgetospeed(&t), c.speed) << c.baud;
    // A pseudo-terminal forces 8 data bits and no parity; the other framing bits reach it.
    constexpr tcflag_t kKept = PARODD | CMSPAR | CSTOPB;
    EXPECT_EQ(t.c_cflag & kKept, c.cflags & kKept) << c.baud;
    DCB back;
    ASSERT_TRUE(GetCommState(port, &back));
    EXPECT_EQ(back.ByteSize, c.size);
    EXPECT_EQ(back.Parity, c.parity);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
  }

  DCB bad = ConsoleSettings();
  bad.BaudRate = 14400;  // no such rate on this line discipline
  EXPECT_FALSE(SetCommState(port, &bad));
  bad = ConsoleSettings();
  bad.ByteSize = 9;
  EXPECT_FALSE(SetCommState(port, &bad));
  termios t = peer.Line();
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B1200)) << "a refused state changes nothing";
}

TEST_F(CommTest, WritesArriveCompleteAndInOrder) {
  DCB d = ConsoleSettings();
  ASSERT_TRUE(SetCommState(port, &d));
  // Larger than the pseudo-terminal's buffer, so the write must go pending and be completed later.
  std::vector<BYTE> data(200000);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<BYTE>(i * 7 + i / 251);
  std::vector<BYTE> got;
  std::thread reader([&] { got = peer.Receive(data.size()); });
  Overlapped ov;
  DWORD written = 0;
  BOOL ok = WriteFile(port, data.data(), static_cast<DWORD>(data.size()), &written, &ov);
  if (!ok) {
    ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
    ASSERT_TRUE(GetOverlappedResult(port, &ov, &written, TRUE));
  }
  reader.join();
  EXPECT_EQ(written, data.size());
  EXPECT_TRUE(got == data) << "received " << got.size() << " of " << data.size();
}

TEST_F(CommTest, ReadEndsAfterTheIntervalWithEveryByteIntact) {
  DCB d = ConsoleSettings();
  ASSERT_TRUE(SetCommState(port, &d));
  UseTimeouts(50);
  BYTE buf[2048] = {};
  Overlapped ov;
  DWORD n = 0;
  ASSERT_FALSE(ReadFile(port, buf, sizeof buf, &n, &ov));
  ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);
  EXPECT_FALSE(ov.Done(100)) << "no byte, no end: the total time-outs are 0";
  // 0xFF and 0x00 are the bytes the driver's error marks are made of.
  std::vector<BYTE> sent{0xC6, 0xFF, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xBB, '\r', '\n', 0x11, 0x13};
  peer.Send(sent);
  ASSERT_TRUE(ov.Done(2000));
  ASSERT_TRUE(GetOverlappedResult(port, &ov, &n, FALSE));
  EXPECT_EQ(std::vector<BYTE>(buf, buf + n), sent);
}

TEST_F(CommTest, NullBytesAreDroppedWhenAsked) {
  DCB d = ConsoleSettings();
  d.fNull = 1;
  ASSERT_TRUE(SetCommState(port, &d));
  UseTimeouts(MAXDWORD);  // return at once with what is there
  peer.Send({1, 0, 2, 0, 0, 3});
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  BYTE buf[16];
  Overlapped ov;
  DWORD n = 0;
  ASSERT_TRUE(ReadFile(port, buf, sizeof buf, &n, &ov));
  EXPECT_EQ(std::vector<BYTE>(buf, buf + n), (std::vector<BYTE>{1, 2, 3}));
}

TEST_F(CommTest, TotalTimeoutEndsAnEmptyRead) {
  UseTimeouts(0, 0, 30);
  BYTE buf[8];
  DWORD n = 99;
  auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(ReadFile(port, buf, sizeof buf, &n, nullptr));
  EXPECT_EQ(n, 0u);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(25));
}

TEST_F(CommTest, PurgeAndCloseAbortPendingOperations) {
  BYTE buf[16];
  Overlapped read, wait;
  DWORD mask = 0, n = 0;
  ASSERT_TRUE(SetCommMask(port, EV_RLSD | EV_ERR | EV_RING));
  ASSERT_FALSE(ReadFile(port, buf, sizeof buf, &n, &read));
  ASSERT_FALSE(WaitCommEvent(port, &mask, &wait));
  ASSERT_EQ(GetLastError(), ERROR_IO_PENDING);

  ASSERT_TRUE(PurgeComm(port, PURGE_RXABORT | PURGE_RXCLEAR));
  ASSERT_TRUE(read.Done(0));
  EXPECT_FALSE(GetOverlappedResult(port, &read, &n, FALSE));
  EXPECT_EQ(GetLastError(), ERROR_OPERATION_ABORTED);

  // A new mask ends the wait in progress with no events.
  ASSERT_TRUE(SetCommMask(port, EV_ERR));
  ASSERT_TRUE(wait.Done(0));
  EXPECT_TRUE(GetOverlappedResult(port, &wait, &n, FALSE));
  EXPECT_EQ(mask, 0u);

  ASSERT_FALSE(ReadFile(port, buf, sizeof buf, &n, &read));
  ASSERT_TRUE(CloseHandle(port));
  ASSERT_TRUE(read.Done(1000));
  EXPECT_FALSE(GetOverlappedResult(port, &read, &n, FALSE));
  EXPECT_EQ(GetLastError(), ERROR_OPERATION_ABORTED);
  EXPECT_FALSE(ReadFile(port, buf, sizeof buf, &n, &read));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  port = INVALID_HANDLE_VALUE;
}

TEST_F(CommTest, PeerThatDisappearsFailsTheLine) {
  ASSERT_TRUE(SetCommMask(port, EV_RLSD | EV_ERR | EV_RING));
  BYTE buf[16];
  Overlapped read, wait;
  DWORD mask = 0, n = 0;
  ASSERT_FALSE(ReadFile(port, buf, sizeof buf, &n, &read));
  ASSERT_FALSE(WaitCommEvent(port, &mask, &wait));
  peer.Close();
  ASSERT_TRUE(wait.Done(2000));
  ASSERT_TRUE(read.Done(2000));
  EXPECT_FALSE(GetOverlappedResult(port, &wait, &n, FALSE));
  EXPECT_EQ(GetLastError(), ERROR_GEN_FAILURE);
  EXPECT_FALSE(GetOverlappedResult(port, &read, &n, FALSE));
  BYTE one = 1;
  Overlapped write;
  EXPECT_FALSE(WriteFile(port, &one, 1, &n, &write));
  EXPECT_EQ(GetLastError(), ERROR_GEN_FAILURE);
  DWORD errors = 0;
  EXPECT_FALSE(ClearCommError(port, &errors, nullptr));
}

TEST_F(CommTest, ClearCommErrorReportsQueues) {
  peer.Send({1, 2, 3});
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  DWORD errors = 99;
  COMSTAT stat;
  ASSERT_TRUE(ClearCommError(port, &errors, &stat));
  EXPECT_EQ(errors, 0u);
  EXPECT_EQ(stat.cbInQue, 3u);
  ASSERT_TRUE(PurgeComm(port, PURGE_RXCLEAR));
  ASSERT_TRUE(ClearCommError(port, &errors, &stat));
  EXPECT_EQ(stat.cbInQue, 0u);
}

}  // namespace
