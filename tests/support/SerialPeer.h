#pragma once
// The device at the far end of a serial line, for tests: the master side of a pseudo-terminal
// pair. The port under test opens the slave side by PortName() ("//./dev/pts/N") or DevicePath().
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace testsupport {

class SerialPeer {
 public:
  using Bytes = std::vector<std::uint8_t>;

  SerialPeer() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) path_ = ptsname(master_);
  }
  ~SerialPeer() { Close(); }
  SerialPeer(const SerialPeer&) = delete;
  SerialPeer& operator=(const SerialPeer&) = delete;

  // "//./dev/pts/N", the name a port opens the line by.
  std::string PortName() const { return path_.empty() ? std::string() : "//." + path_; }
  const std::string& DevicePath() const { return path_; }
  void Close() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }
  void Send(const Bytes& b) { ASSERT_EQ(::write(master_, b.data(), b.size()), static_cast<ssize_t>(b.size())); }
  // Reads until `count` bytes arrived or `quietMs` pass without any.
  Bytes Receive(std::size_t count, int quietMs = 2000) {
    Bytes out;
    std::uint8_t buf[4096];
    while (out.size() < count) {
      pollfd p{master_, POLLIN, 0};
      if (::poll(&p, 1, quietMs) <= 0) break;
      ssize_t n = ::read(master_, buf, sizeof buf);
      if (n <= 0) break;
      out.insert(out.end(), buf, buf + n);
    }
    return out;
  }
  // Whatever arrives within `quietMs`: for checking that nothing does.
  Bytes Drain(int quietMs = 100) { return Receive(SIZE_MAX, quietMs); }
  // Whether no program holds the port open: the line hangs up when its last user lets go of it.
  bool HungUp() const {
    pollfd p{master_, 0, 0};
    return ::poll(&p, 1, 0) == 1 && (p.revents & POLLHUP);
  }
  termios Line() const {
    termios t{};
    tcgetattr(master_, &t);
    return t;
  }

 private:
  int master_ = -1;
  std::string path_;
};

}  // namespace testsupport
