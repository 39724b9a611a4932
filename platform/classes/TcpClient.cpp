#include "platform/classes/TcpClient.h"

#include "platform/net/Tcp.h"

TTcpClient::TTcpClient(TComponent* AOwner)
    : TComponent(AOwner), FConnection(std::make_unique<platform::TcpConnection>()) {}

TTcpClient::~TTcpClient() { Close(); }

void TTcpClient::DeclareProperties(TPropTable& t) {
  t.Add("Active", &TTcpClient::Active, &TTcpClient::SetActive).SetDefault(false);
  t.Add("BlockMode", &TTcpClient::BlockMode, &TTcpClient::SetBlockMode).SetDefault(bmBlocking);
  t.Add("RemoteHost", &TTcpClient::RemoteHost, &TTcpClient::SetRemoteHost);
  t.Add("RemotePort", &TTcpClient::RemotePort, &TTcpClient::SetRemotePort);
}

void TTcpClient::SetActive(bool Value) {
  // A stored Active waits for the address, which may be read after it.
  if (HasState(csLoading)) {
    FStreamedActive = Value;
    return;
  }
  if (Value == FActive) return;
  if (Value) {
    FActive = true;
    Connect();
  } else {
    Close();
  }
}

void TTcpClient::Loaded() {
  TComponent::Loaded();
  if (FStreamedActive) SetActive(true);
}

bool TTcpClient::Connected() const { return FConnected && FConnection->IsOpen() && !FConnection->PeerGone(); }

bool TTcpClient::Open() {
  if (!FActive)
    SetActive(true);
  else if (!Connected())
    Connect();
  return FConnected;
}

void TTcpClient::Close() {
  FConnection->Close();
  FConnected = false;
  FActive = false;
}

bool TTcpClient::Connect() {
  FConnected = FConnection->Connect(FRemoteHost, FRemotePort, ConnectTimeoutMs);
  FLastError = FConnected ? 0 : FConnection->LastError();
  return FConnected;
}

void TTcpClient::SetRemoteHost(const String& Value) {
  // The address of an open connection cannot change under it.
  if (Value == FRemoteHost) return;
  if (FActive) Close();
  FRemoteHost = Value;
}

void TTcpClient::SetRemotePort(const String& Value) {
  if (Value == FRemotePort) return;
  if (FActive) Close();
  FRemotePort = Value;
}

int TTcpClient::SendBuf(const void* Buf, int BufSize, int /*Flags*/) {
  if (!FConnected) {
    FLastError = FConnection->LastError();
    return -1;
  }
  if (BufSize <= 0 || !Buf) return 0;
  long n = FConnection->Send(Buf, static_cast<std::size_t>(BufSize), SendTimeoutMs);
  FLastError = n == BufSize ? 0 : FConnection->LastError();
  if (!FConnection->IsOpen()) FConnected = false;
  return static_cast<int>(n);
}

namespace {

// Form descriptions name these classes; the reader finds them here.
const bool kRegistered = [] {
  RegisterClassesOf<TTcpClient>();
  return true;
}();

}  // namespace
