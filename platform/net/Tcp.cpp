#include "platform/net/Tcp.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

using SteadyClock = std::chrono::steady_clock;

// Sockets talk to real peers, so their waits run on real time, never on the injectable clock.
int RemainingMs(SteadyClock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

bool ParsePort(const std::string& text, std::uint16_t& port) {
  if (text.empty() || text.size() > 5) return false;
  unsigned value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  if (value == 0 || value > 65535) return false;
  port = static_cast<std::uint16_t>(value);
  return true;
}

bool SetBlocking(int fd, bool blocking) {
  int flags = fcntl(fd, F_GETFL, 0);
  if (flags < 0) return false;
  flags = blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK);
  return fcntl(fd, F_SETFL, flags) == 0;
}

// Waits until the socket is ready for the given events; EINTR does not cut the wait short.
int PollFor(int fd, short events, SteadyClock::time_point deadline) {
  for (;;) {
    pollfd p{fd, events, 0};
    int n = ::poll(&p, 1, RemainingMs(deadline));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n;
    return p.revents;
  }
}

// Errors after which the connection cannot carry another byte.
bool ConnectionGone(int error) {
  return error == EPIPE || error == ECONNRESET || error == ECONNABORTED || error == ENOTCONN || error == ETIMEDOUT;
}

// Why the socket failed, as the peer's reset left it; a plain close leaves no error behind.
int PendingError(int fd) {
  int soError = 0;
  socklen_t len = sizeof soError;
  if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &len) != 0 || soError == 0) return EPIPE;
  return soError;
}

// One address, non-blocking connect, waited for until the deadline.
int ConnectOne(const addrinfo* ai, SteadyClock::time_point deadline, int& error) {
  int fd = ::socket(ai->ai_family, ai->ai_socktype | SOCK_CLOEXEC, ai->ai_protocol);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  if (!SetBlocking(fd, false)) {
    error = errno;
    ::close(fd);
    return -1;
  }
  int rc = ::connect(fd, ai->ai_addr, ai->ai_addrlen);
  if (rc != 0 && errno != EINPROGRESS) {
    error = errno;
    ::close(fd);
    return -1;
  }
  if (rc != 0) {
    int ready = PollFor(fd, POLLOUT, deadline);
    if (ready <= 0) {
      error = ready == 0 ? ETIMEDOUT : errno;
      ::close(fd);
      return -1;
    }
    int soError = 0;
    socklen_t len = sizeof soError;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &len) != 0 || soError != 0) {
      error = soError ? soError : errno;
      ::close(fd);
      return -1;
    }
  }
  int one = 1;
  // Device frames are a few bytes each and must leave at once.
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  error = 0;
  return fd;
}

}  // namespace

TcpConnection& TcpConnection::operator=(TcpConnection&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = other.fd_;
    error_ = other.error_;
    other.fd_ = -1;
  }
  return *this;
}

bool TcpConnection::Connect(const std::string& host, const std::string& port, std::uint32_t timeoutMs) {
  Close();
  std::uint16_t portNumber = 0;
  if (host.empty() || !ParsePort(port, portNumber)) {
    error_ = EINVAL;
    return false;
  }
  auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV | AI_ADDRCONFIG;
  addrinfo* list = nullptr;
  int gai = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &list);
  if (gai != 0 || !list) {
    error_ = gai == EAI_SYSTEM ? errno : EHOSTUNREACH;
    if (list) ::freeaddrinfo(list);
    return false;
  }
  error_ = ETIMEDOUT;
  for (const addrinfo* ai = list; ai && fd_ < 0; ai = ai->ai_next) {
    if (SteadyClock::now() >= deadline) {
      error_ = ETIMEDOUT;
      break;
    }
    fd_ = ConnectOne(ai, deadline, error_);
  }
  ::freeaddrinfo(list);
  return fd_ >= 0;
}

bool TcpConnection::PeerGone() const {
  if (fd_ < 0) return false;
  pollfd p{fd_, POLLRDHUP, 0};
  int n;
  do {
    n = ::poll(&p, 1, 0);
  } while (n < 0 && errno == EINTR);
  return n > 0 && (p.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

void TcpConnection::Lost(int error) {
  Close();
  error_ = error;
}

long TcpConnection::Send(const void* data, std::size_t length, std::uint32_t sendTimeoutMs) {
  if (fd_ < 0) {
    error_ = ENOTCONN;
    return -1;
  }
  if (length == 0) return 0;
  // A peer that closed is only heard of by a send after the one it resets, and that first send
  // would be reported as delivered: ask the socket first.
  if (PeerGone()) {
    Lost(PendingError(fd_));
    return -1;
  }
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::size_t sent = 0;
  auto deadline = SteadyClock::now() + std::chrono::milliseconds(sendTimeoutMs);
  while (sent < length) {
    ssize_t n = ::send(fd_, bytes + sent, length - sent, MSG_NOSIGNAL);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
      deadline = SteadyClock::now() + std::chrono::milliseconds(sendTimeoutMs);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      int ready = PollFor(fd_, POLLOUT, deadline);
      if (ready > 0 && !(ready & (POLLERR | POLLHUP))) continue;
      if (ready > 0)
        Lost(PendingError(fd_));
      else
        error_ = ready == 0 ? ETIMEDOUT : errno;
    } else {
      int error = n < 0 ? errno : EPIPE;
      if (ConnectionGone(error))
        Lost(error);
      else
        error_ = error;
    }
    break;
  }
  return sent > 0 ? static_cast<long>(sent) : -1;
}

long TcpConnection::Receive(void* data, std::size_t length, std::uint32_t timeoutMs) {
  if (fd_ < 0) {
    error_ = ENOTCONN;
    return -1;
  }
  if (length == 0) return 0;
  auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    ssize_t n = ::recv(fd_, data, length, 0);
    if (n == 0) Close();
    if (n >= 0) return static_cast<long>(n);
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
      if (ConnectionGone(errno))
        Lost(errno);
      else
        error_ = errno;
      return -1;
    }
    int ready = PollFor(fd_, POLLIN, deadline);
    if (ready <= 0) {
      error_ = ready == 0 ? ETIMEDOUT : errno;
      return -1;
    }
  }
}

void TcpConnection::Close() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
}

bool TcpListener::Listen(std::uint16_t port) {
  Close();
  fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd_ < 0) return false;
  int one = 1;
  ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd_, 4) != 0) {
    Close();
    return false;
  }
  socklen_t len = sizeof addr;
  ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  return true;
}

bool TcpListener::Accept(TcpConnection& out, std::uint32_t timeoutMs) {
  if (fd_ < 0) return false;
  auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    int fd = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd >= 0) {
      out.Close();
      out.fd_ = fd;
      out.error_ = 0;
      return true;
    }
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return false;
    if (PollFor(fd_, POLLIN, deadline) <= 0) return false;
  }
}

void TcpListener::Close() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  port_ = 0;
}

}  // namespace platform
