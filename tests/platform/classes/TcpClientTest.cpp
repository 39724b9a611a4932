#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/classes/TcpClient.h"
#include "platform/net/Tcp.h"

namespace {

using Clock = std::chrono::steady_clock;

long ElapsedMs(Clock::time_point since) {
  return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

std::vector<unsigned char> ReadExactly(platform::TcpConnection& peer, std::size_t count) {
  std::vector<unsigned char> got;
  unsigned char buf[256];
  while (got.size() < count) {
    long n = peer.Receive(buf, sizeof buf, 2000);
    if (n <= 0) break;
    got.insert(got.end(), buf, buf + n);
  }
  return got;
}

TEST(TcpClient, ActiveConnectsAndSendBufSendsExactlyTheBytes) {
  platform::TcpListener listener;
  ASSERT_TRUE(listener.Listen());
  TTcpClient client(nullptr);
  client.SetRemoteHost("127.0.0.1");
  client.SetRemotePort(std::to_string(listener.Port()));
  EXPECT_FALSE(client.Connected());
  client.SetActive(true);
  ASSERT_TRUE(client.Connected());
  platform::TcpConnection peer;
  ASSERT_TRUE(listener.Accept(peer, 2000));

  const unsigned char frame[] = {0xC6, 0x11, 0xFF, 0x5A, 0x01, 0xBB, 0x00};
  EXPECT_EQ(client.SendBuf(frame, 6), 6);
  EXPECT_EQ(client.SendBuf(frame + 6, 1), 1);
  EXPECT_EQ(ReadExactly(peer, 7), std::vector<unsigned char>(frame, frame + 7));

  // Open on a connected client makes no new connection.
  EXPECT_TRUE(client.Open());
  platform::TcpConnection second;
  EXPECT_FALSE(listener.Accept(second, 100));

  client.Close();
  EXPECT_FALSE(client.Connected());
  EXPECT_FALSE(client.Active());
  EXPECT_EQ(client.SendBuf(frame, 6), -1);
  unsigned char b;
  EXPECT_EQ(peer.Receive(&b, 1, 2000), 0);
}

TEST(TcpClient, RefusedConnectionIsReportedWithinTheTimeOut) {
  std::string port;
  {
    platform::TcpListener probe;
    ASSERT_TRUE(probe.Listen());
    port = std::to_string(probe.Port());
  }
  TTcpClient client(nullptr);
  client.SetRemoteHost("127.0.0.1");
  client.SetRemotePort(port);
  auto start = Clock::now();
  client.SetActive(true);
  EXPECT_TRUE(client.Active());
  EXPECT_FALSE(client.Connected());
  EXPECT_FALSE(client.Open());
  EXPECT_LT(ElapsedMs(start), 2 * static_cast<long>(TTcpClient::ConnectTimeoutMs));
  EXPECT_EQ(client.LastError(), ECONNREFUSED);
  EXPECT_EQ(client.SendBuf("x", 1), -1);
}

TEST(TcpClient, OpenMakesOneMoreAttemptWhenStillUnconnected) {
  // The first attempt is refused; a listener then appears on the same port and Open reaches it.
  platform::TcpListener listener;
  ASSERT_TRUE(listener.Listen());
  std::uint16_t port = listener.Port();
  listener.Close();
  TTcpClient client(nullptr);
  client.SetRemoteHost("127.0.0.1");
  client.SetRemotePort(std::to_string(port));
  client.SetActive(true);
  ASSERT_FALSE(client.Connected());
  if (!listener.Listen(port)) GTEST_SKIP() << "port taken in between";
  EXPECT_TRUE(client.Open());
  platform::TcpConnection peer;
  EXPECT_TRUE(listener.Accept(peer, 2000));
}

TEST(TcpClient, ADroppedPeerIsNoticedAndOpenConnectsToTheRestartedListener) {
  platform::TcpListener listener;
  ASSERT_TRUE(listener.Listen());
  std::uint16_t port = listener.Port();
  TTcpClient client(nullptr);
  client.SetRemoteHost("127.0.0.1");
  client.SetRemotePort(std::to_string(port));
  ASSERT_TRUE(client.Open());
  {
    // The bridge accepts, then goes away and comes back on the same port.
    platform::TcpConnection peer;
    ASSERT_TRUE(listener.Accept(peer, 2000));
  }
  listener.Close();
  EXPECT_FALSE(client.Connected());
  EXPECT_EQ(client.SendBuf("\xC6\x11", 2), -1);
  EXPECT_EQ(client.LastError(), EPIPE);
  EXPECT_FALSE(client.Connected());
  EXPECT_TRUE(client.Active());

  ASSERT_TRUE(listener.Listen(port));
  ASSERT_TRUE(client.Open());
  platform::TcpConnection peer;
  ASSERT_TRUE(listener.Accept(peer, 2000));
  EXPECT_EQ(client.SendBuf("\xC6\x11", 2), 2);
  EXPECT_EQ(client.LastError(), 0);
  EXPECT_EQ(ReadExactly(peer, 2), (std::vector<unsigned char>{0xC6, 0x11}));
}

TEST(TcpClient, ASendCutShortByTheTimeOutReportsIt) {
  // The peer never reads, so the kernel's buffers fill and the rest waits out the send time-out.
  platform::TcpListener listener;
  ASSERT_TRUE(listener.Listen());
  TTcpClient client(nullptr);
  client.SetRemoteHost("127.0.0.1");
  client.SetRemotePort(std::to_string(listener.Port()));
  ASSERT_TRUE(client.Open());
  platform::TcpConnection peer;
  ASSERT_TRUE(listener.Accept(peer, 2000));
  std::vector<char> big(64 << 20, 'a');
  auto start = Clock::now();
  int n = client.SendBuf(big.data(), static_cast<int>(big.size()));
  EXPECT_GT(n, 0);
  EXPECT_LT(n, static_cast<int>(big.size()));
  EXPECT_EQ(client.LastError(), ETIMEDOUT);
  EXPECT_LT(ElapsedMs(start), 2 * static_cast<long>(TTcpClient::SendTimeoutMs));
  // A slow peer is still a peer.
  EXPECT_TRUE(client.Connected());
}

TEST(TcpClient, PublishedPropertiesAndANewAddressDropsTheConnection) {
  TTcpClient client(nullptr);
  EXPECT_EQ(GetEnumProp(&client, "BlockMode"), "bmBlocking");
  SetStrProp(&client, "RemotePort", "8899");
  EXPECT_EQ(client.RemotePort(), "8899");
  // A different address drops the connection it had.
  platform::TcpListener listener;
  ASSERT_TRUE(listener.Listen());
  client.SetRemoteHost("127.0.0.1");
  client.SetRemotePort(std::to_string(listener.Port()));
  ASSERT_TRUE(client.Open());
  client.SetRemotePort("8899");
  EXPECT_FALSE(client.Connected());
  EXPECT_FALSE(client.Active());
}

}  // namespace
