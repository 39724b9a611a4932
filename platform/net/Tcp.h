#pragma once
// Blocking TCP connections for the class library's client. Every wait is bounded: a connect
// gives up after its time-out, and a send to a peer that stops reading gives up after the send
// time-out, so the thread that runs the windows is never held for long.
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

class TcpConnection {
 public:
  TcpConnection() = default;
  ~TcpConnection() { Close(); }
  TcpConnection(const TcpConnection&) = delete;
  TcpConnection& operator=(const TcpConnection&) = delete;
  TcpConnection(TcpConnection&& other) noexcept : fd_(other.fd_), error_(other.error_) { other.fd_ = -1; }
  TcpConnection& operator=(TcpConnection&& other) noexcept;

  // One attempt at host:port (a numeric address or a name; port a decimal number 1..65535).
  // Tries each address the name resolves to until one answers, within timeoutMs in total.
  // False leaves the connection closed and the reason in LastError.
  bool Connect(const std::string& host, const std::string& port, std::uint32_t timeoutMs);
  // False once closed, also when the connection was found lost: the peer closed it or reset it.
  bool IsOpen() const { return fd_ >= 0; }
  // True when the peer has closed or reset the connection, as far as the socket has heard;
  // asks without waiting and without taking any bytes.
  bool PeerGone() const;
  // Sends all of the bytes unless the peer goes away or stops reading for sendTimeoutMs: the
  // count actually sent, or -1 when nothing could be sent. A count short of `length` leaves the
  // reason in LastError. A peer that has gone closes the connection, before or during the send.
  long Send(const void* data, std::size_t length, std::uint32_t sendTimeoutMs);
  // Waits up to timeoutMs for bytes: the count read, 0 when the peer closed (which closes the
  // connection), -1 on an error or when nothing arrived in time.
  long Receive(void* data, std::size_t length, std::uint32_t timeoutMs);
  void Close();

  // errno of the last failure (ETIMEDOUT for a connect or send that ran out of time, EINVAL for
  // a port that is no number, EPIPE or ECONNRESET for a peer that went away).
  int LastError() const { return error_; }

 private:
  friend class TcpListener;
  // Closes the connection after the peer was found gone, keeping why in LastError.
  void Lost(int error);

  int fd_ = -1;
  int error_ = 0;
};

// A listening socket on the loopback interface, for tests and tools.
class TcpListener {
 public:
  TcpListener() = default;
  ~TcpListener() { Close(); }
  TcpListener(const TcpListener&) = delete;
  TcpListener& operator=(const TcpListener&) = delete;

  // Port 0 picks a free port; Port() tells which.
  bool Listen(std::uint16_t port = 0);
  std::uint16_t Port() const { return port_; }
  // Waits up to timeoutMs for a peer; false when none came.
  bool Accept(TcpConnection& out, std::uint32_t timeoutMs);
  void Close();

 private:
  int fd_ = -1;
  std::uint16_t port_ = 0;
};

}  // namespace platform
