// Throughput of the serial component's send path against plain write(2) of the same blocks to the
// same pseudo-terminal, in one run. Both are timed until the far end has read every byte.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "console/serial/Comm.h"

namespace {

constexpr std::size_t kBytesPerRun = 64 * 1024;

struct Line {
  int master = -1;
  std::string slave;
  Line() {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(master);
    unlockpt(master);
    slave = ptsname(master);
  }
  ~Line() { ::close(master); }
  // Reads until `count` bytes have arrived.
  void Drain(std::size_t count) const {
    char buf[8192];
    std::size_t got = 0;
    while (got < count) {
      pollfd p{master, POLLIN, 0};
      if (::poll(&p, 1, 5000) <= 0) return;
      ssize_t n = ::read(master, buf, sizeof buf);
      if (n <= 0) return;
      got += static_cast<std::size_t>(n);
    }
  }
};

void PumpMessages() {
  win::MSG msg;
  while (win::PeekMessage(&msg, nullptr, 0, 0, win::PM_REMOVE)) win::DispatchMessage(&msg);
}

void BM_SendData(benchmark::State& state) {
  Line line;
  TComm comm(nullptr);
  comm.SetCommName("//." + line.slave);
  comm.SetOutx_XonXoffFlow(false);
  comm.SetInx_XonXoffFlow(false);
  comm.OpenPort();
  const auto block = static_cast<std::size_t>(state.range(0));
  std::vector<win::BYTE> data(block, 0x5A);
  for (auto _ : state) {
    std::thread reader([&] { line.Drain(kBytesPerRun); });
    bool queued = true;
    for (std::size_t sent = 0; sent < kBytesPerRun && queued; sent += block)
      queued = comm.SendData(data.data(), static_cast<std::uint16_t>(block));
    reader.join();
    if (!queued) {
      state.SkipWithError("SendData refused a block");
      break;
    }
    state.PauseTiming();
    PumpMessages();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytesPerRun));
  comm.ClosePort();
}

void BM_DirectWrite(benchmark::State& state) {
  Line line;
  int fd = ::open(line.slave.c_str(), O_RDWR | O_NOCTTY);
  termios t{};
  tcgetattr(fd, &t);
  cfmakeraw(&t);
  cfsetspeed(&t, B9600);
  tcsetattr(fd, TCSANOW, &t);
  const auto block = static_cast<std::size_t>(state.range(0));
  std::vector<char> data(block, 0x5A);
  for (auto _ : state) {
    std::thread reader([&] { line.Drain(kBytesPerRun); });
    for (std::size_t sent = 0; sent < kBytesPerRun; sent += block) {
      std::size_t done = 0;
      while (done < block) {
        ssize_t n = ::write(fd, data.data() + done, block - done);
        if (n > 0) done += static_cast<std::size_t>(n);
      }
    }
    reader.join();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytesPerRun));
  ::close(fd);
}

}  // namespace

// 1 byte: the console's frame sender; 6: one frame per call; 1024: matrix and debug blocks.
BENCHMARK(BM_SendData)->Arg(1)->Arg(6)->Arg(1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DirectWrite)->Arg(1)->Arg(6)->Arg(1024)->Unit(benchmark::kMillisecond)->UseRealTime();
