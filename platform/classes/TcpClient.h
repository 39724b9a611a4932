#pragma once
// The TCP client component in blocking mode: a connection to RemoteHost:RemotePort, made by
// Active or Open, and written to with SendBuf.
//
// Each connection attempt waits at most ConnectTimeoutMs, and a send to a peer that stopped
// reading gives up after SendTimeoutMs, so the window thread that calls them is never frozen for
// long.
#include <cstdint>
#include <memory>

#include "platform/classes/Component.h"

namespace platform {
class TcpConnection;
}

VW_ENUM(TSocketBlockMode, bmBlocking, bmNonBlocking)

class TTcpClient : public TComponent {
  VW_CLASS(TTcpClient, TComponent)
 public:
  static constexpr std::uint32_t ConnectTimeoutMs = 2000;
  static constexpr std::uint32_t SendTimeoutMs = 2000;

  explicit TTcpClient(TComponent* AOwner);
  ~TTcpClient() override;

  static void DeclareProperties(TPropTable& t);

  // Setting Active true creates the socket and makes one connection attempt; the client stays
  // active (but not connected) when the attempt fails. False closes the connection.
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  // False as soon as the peer is known to have closed or reset the connection, so that a client
  // whose bridge restarted can be opened again.
  bool Connected() const;
  // Activates the client when it is not; an active client that is unconnected, or whose peer has
  // gone, makes one more attempt. True when connected afterwards.
  bool Open();
  void Close();

  const String& RemoteHost() const { return FRemoteHost; }
  void SetRemoteHost(const String& Value);
  const String& RemotePort() const { return FRemotePort; }
  void SetRemotePort(const String& Value);
  TSocketBlockMode BlockMode() const { return FBlockMode; }
  void SetBlockMode(TSocketBlockMode Value) { FBlockMode = Value; }

  // The count of bytes sent, or -1 when the client is not connected or nothing could be sent.
  // A send that finds the peer gone closes the connection and leaves the client unconnected.
  int SendBuf(const void* Buf, int BufSize, int Flags = 0);
  // errno of the last failed attempt or send, also of a send cut short (ETIMEDOUT when the peer
  // stopped reading); 0 after a success.
  int LastError() const { return FLastError; }

 protected:
  void Loaded() override;

 private:
  bool Connect();

  std::unique_ptr<platform::TcpConnection> FConnection;
  String FRemoteHost;
  String FRemotePort;
  int FLastError = 0;
  TSocketBlockMode FBlockMode = bmBlocking;
  bool FActive = false;
  bool FConnected = false;
  bool FStreamedActive = false;
};
