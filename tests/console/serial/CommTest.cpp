#include "console/serial/Comm.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/classes/FormDescription.h"
#include "tests/support/Artifacts.h"
#include "tests/support/SerialPeer.h"

namespace {

using namespace win;
using Bytes = std::vector<BYTE>;

using Peer = testsupport::SerialPeer;

// Runs the user-interface thread's message loop until `done` holds or `ms` pass.
bool Pump(const std::function<bool()>& done, int ms = 3000) {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  MSG msg;
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  return true;
}

int ThreadCount() {
  int n = 0;
  if (DIR* d = opendir("/proc/self/task")) {
    while (dirent* e = readdir(d))
      if (e->d_name[0] != '.') ++n;
    closedir(d);
  }
  return n;
}

// Waits for the thread count to settle back to `expected` (ended threads leave asynchronously;
// one left over from an earlier test may leave as well).
bool ThreadsBackTo(int expected) {
  for (int i = 0; i < 200 && ThreadCount() > expected; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return ThreadCount() <= expected;
}

// The settings every console gives its ports.
void ConsoleSettings(TComm& c, const std::string& name) {
  c.SetCommName(name);
  c.SetBaudRate(9600);
  c.SetByteSize(TByteSize::_8);
  c.SetParity(TParity::None);
  c.SetStopBits(TStopBits::_1);
  c.SetDtrControl(TDtrControl::DtrDisable);
  c.SetRtsControl(TRtsControl::RtsDisable);
  c.SetOutx_XonXoffFlow(false);
  c.SetInx_XonXoffFlow(false);
}

class TCommTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(peer.PortName().empty());
    baseThreads = ThreadCount();
    comm = std::make_unique<TComm>(nullptr);
    ConsoleSettings(*comm, peer.PortName());
  }

  Peer peer;
  std::unique_ptr<TComm> comm;
  int baseThreads = 0;
};

TEST(TCommDefaultsTest, PublishedDefaultsMatchTheFreshComponent) {
  // A stored form leaves out every property at its default, so a mismatch would silently change
  // a port that the form means to keep as created.
  TComm comm(nullptr);
  int withDefault = 0;
  for (const auto& p : TComm::StaticClass()->Properties().Props()) {
    if (!p->HasDefault || !p->GetOrd) continue;
    ++withDefault;
    EXPECT_EQ(p->GetOrd(&comm), p->Default) << p->Name;
  }
  EXPECT_GE(withDefault, 25);
  EXPECT_EQ(comm.CommName(), "COM2");
  EXPECT_EQ(comm.PortHandle(), nullptr);
}

TEST(TCommDefaultsTest, ConsoleSettingsSurviveAFormDescription) {
  TComm stored(nullptr);
  stored.SetName("Comm1");
  ConsoleSettings(stored, "//./COM1");
  stored.SetXoffChar(0x19);
  String text = ComponentToFormText(&stored);
  EXPECT_NE(text.find("DtrControl = DtrDisable"), String::npos) << text;
  EXPECT_EQ(text.find("BaudRate"), String::npos) << "defaults are left out\n" << text;

  TComm read(nullptr);
  FormTextToComponent(text, &read);
  for (const auto& p : TComm::StaticClass()->Properties().Props()) {
    if (p->GetOrd) {
      EXPECT_EQ(p->GetOrd(&read), p->GetOrd(&stored)) << p->Name;
    }
    if (p->GetStr) {
      EXPECT_EQ(p->GetStr(&read), p->GetStr(&stored)) << p->Name;
    }
  }
}

TEST_F(TCommTest, OpenPortFailuresLeaveThePortClosed) {
  std::string plain = testsupport::TempDir("tcomm") + "/not-a-device";
  std::ofstream(plain) << "x";
  TComm holder(nullptr);
  ConsoleSettings(holder, peer.PortName());
  holder.OpenPort();

  struct {
    std::string name;
    const char* message;
  } cases[] = {
      {"//./dev/pts/999999", "Error opening serial port"},
      {peer.PortName(), "Error opening serial port"},  // held by `holder`
      {plain, "File handle is not a comm handle "},
      {"/dev/null", "Cannot setup comm buffer"},
  };
  for (const auto& c : cases) {
    comm->SetCommName(c.name);
    try {
      comm->OpenPort();
      ADD_FAILURE() << c.name << " opened";
    } catch (const ECommsError& e) {
      EXPECT_EQ(e.Message(), c.message) << c.name;
    }
    EXPECT_EQ(comm->PortHandle(), nullptr) << c.name;
  }

  // A second open of an open port is refused and the open port goes on working.
  try {
    holder.OpenPort();
    ADD_FAILURE() << "opened twice";
  } catch (const ECommsError& e) {
    EXPECT_EQ(e.Message(), "This serial port already opened");
  }
  ASSERT_NE(holder.PortHandle(), nullptr);
  Bytes frame{0xC6, 0x11, 0xFF, 0x10, 0x01, 0xBB};
  ASSERT_TRUE(holder.SendData(frame.data(), 6));
  EXPECT_EQ(peer.Receive(6), frame);
}

TEST_F(TCommTest, SettingsReachTheLine) {
  comm->OpenPort();
  termios t = peer.Line();
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_FALSE(t.c_cflag & (PARENB | CSTOPB | CRTSCTS));
  EXPECT_FALSE(t.c_iflag & (IXON | IXOFF));
  DWORD lines = 0xFF;
  ASSERT_TRUE(platform::CommOutputLines(comm->PortHandle(), &lines));
  EXPECT_EQ(lines, 0u) << "DTR and RTS off";
  COMMTIMEOUTS timeouts;
  ASSERT_TRUE(GetCommTimeouts(comm->PortHandle(), &timeouts));
  EXPECT_EQ(timeouts.ReadIntervalTimeout, 100u);
}

TEST_F(TCommTest, PropertyWritesWhileOpen) {
  comm->OpenPort();
  comm->SetBaudRate(115200);
  termios t = peer.Line();
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B115200)) << "the device state is re-applied at once";
  comm->SetReadIntervalTimeout(40);
  COMMTIMEOUTS timeouts;
  ASSERT_TRUE(GetCommTimeouts(comm->PortHandle(), &timeouts));
  EXPECT_EQ(timeouts.ReadIntervalTimeout, 40u);

  DCB dcb;
  comm->SetParity(TParity::Odd);
  ASSERT_TRUE(GetCommState(comm->PortHandle(), &dcb));
  EXPECT_EQ(dcb.Parity, NOPARITY) << "Parity waits for the next state write";
  comm->SetStopBits(TStopBits::_2);
  ASSERT_TRUE(GetCommState(comm->PortHandle(), &dcb));
  EXPECT_EQ(dcb.Parity, ODDPARITY);
  EXPECT_EQ(dcb.StopBits, TWOSTOPBITS);

  HANDLE before = comm->PortHandle();
  comm->SetCommName("//./dev/pts/999999");
  EXPECT_EQ(comm->PortHandle(), before) << "a new name waits for the next open";
}

TEST_F(TCommTest, SentBytesArriveCompleteAndInOrder) {
  EXPECT_FALSE(comm->SendData("x", 1)) << "closed port";
  comm->OpenPort();
  EXPECT_FALSE(comm->SendData("x", 0));

  int emptyEvents = 0;
  comm->OnSendDataEmpty = [&](TObject* sender) {
    EXPECT_EQ(sender, comm.get());
    ++emptyEvents;
  };
  // Frames go out byte by byte, as the console's frame sender does; thousands of them, back to back.
  Bytes expected;
  for (int i = 0; i < 3000; ++i) {
    Bytes frame{0xC6, static_cast<BYTE>(i), static_cast<BYTE>(i >> 8), 0x5A, static_cast<BYTE>(i * 7), 0xBB};
    for (BYTE b : frame) ASSERT_TRUE(comm->SendData(&b, 1));
    expected.insert(expected.end(), frame.begin(), frame.end());
  }
  Bytes big(20000);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<BYTE>(i % 251);
  ASSERT_TRUE(comm->SendData(big.data(), static_cast<std::uint16_t>(big.size())));
  expected.insert(expected.end(), big.begin(), big.end());

  Bytes got = peer.Receive(expected.size());
  EXPECT_EQ(got.size(), expected.size());
  EXPECT_TRUE(got == expected);
  EXPECT_TRUE(Pump([&] { return emptyEvents > 0; })) << "the queue ran empty";
}

TEST_F(TCommTest, ReceivedBytesRaiseOnReceiveDataOnTheUiThread) {
  Bytes got;
  DWORD uiThread = GetCurrentThreadId();
  comm->OnReceiveData = [&](TObject* sender, void* buffer, std::uint16_t length) {
    EXPECT_EQ(sender, comm.get());
    EXPECT_EQ(GetCurrentThreadId(), uiThread);
    auto* b = static_cast<BYTE*>(buffer);
    EXPECT_EQ(b[length], 0) << "blocks carry a spare zero byte";
    got.insert(got.end(), b, b + length);
  };
  comm->OpenPort();
  Bytes sent;
  for (int i = 0; i < 5000; ++i) sent.push_back(static_cast<BYTE>(i * 13));
  peer.Send(sent);
  EXPECT_TRUE(Pump([&] { return got.size() >= sent.size(); }));
  EXPECT_TRUE(got == sent);
}

TEST_F(TCommTest, ClosePortEndsBothThreads) {
  comm->ClosePort();  // closed: nothing happens
  comm->OpenPort();
  EXPECT_GT(ThreadCount(), baseThreads);
  comm->ClosePort();
  EXPECT_EQ(comm->PortHandle(), nullptr);
  EXPECT_TRUE(ThreadsBackTo(baseThreads));
  EXPECT_FALSE(comm->SendData("x", 1));
  comm->OpenPort();  // the device was released
  EXPECT_NE(comm->PortHandle(), nullptr);
}

TEST_F(TCommTest, PeerThatDisappearsMidStreamRequestsHangup) {
  int hangups = 0;
  comm->OnRequestHangup = [&](TObject*) { ++hangups; };
  comm->OpenPort();
  Bytes chunk(1000, 0x55);
  for (int i = 0; i < 50; ++i) ASSERT_TRUE(comm->SendData(chunk.data(), 1000));
  peer.Receive(3000, 200);
  peer.Close();
  EXPECT_TRUE(Pump([&] { return hangups > 0; }));
  // The port stays open until closed, and closing does not hang.
  EXPECT_NE(comm->PortHandle(), nullptr);
  auto start = std::chrono::steady_clock::now();
  comm->ClosePort();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_TRUE(ThreadsBackTo(baseThreads));
}

TEST_F(TCommTest, DestroyingAnOpenPortClosesIt) {
  int received = 0;
  comm->OnReceiveData = [&](TObject*, void*, std::uint16_t) { ++received; };
  comm->OpenPort();
  Bytes chunk(500, 0xAA);
  for (int i = 0; i < 20; ++i) comm->SendData(chunk.data(), 500);
  peer.Send(chunk);  // lands in the window's queue, never dispatched
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
  comm.reset();
  EXPECT_TRUE(ThreadsBackTo(baseThreads));
  EXPECT_EQ(received, 0);
  Pump([] { return false; }, 50);  // nothing left behind to dispatch to a freed component

  TComm again(nullptr);
  ConsoleSettings(again, peer.PortName());
  again.OpenPort();  // the device was released
  EXPECT_NE(again.PortHandle(), nullptr);
}

TEST(TCommStartupTest, SendsBeforeAnyMessageLoopHasRun) {
  // Consoles open their ports while being created, before the message loop first runs; a fresh
  // thread stands for such a user-interface thread.
  Peer peer;
  Bytes got;
  std::thread ui([&] {
    TComm comm(nullptr);
    ConsoleSettings(comm, peer.PortName());
    comm.OpenPort();
    Bytes frame{0xC6, 0x11, 0x11, 0x51, 0x01, 0xBB};
    for (int i = 0; i < 200; ++i)
      for (BYTE b : frame) comm.SendData(&b, 1);
    got = peer.Receive(1200);
  });
  ui.join();
  EXPECT_EQ(got.size(), 1200u);
}

}  // namespace
