#pragma once
// Passes time on to a virtual clock and keeps every pause asked of it, so a handler's frames and
// the pauses between them can be read back in order.
#include <cstdint>
#include <vector>

#include "platform/system/Clock.h"

namespace testsupport {

class PauseRecorder final : public platform::Clock {
 public:
  explicit PauseRecorder(platform::VirtualClock& inner) : inner_(inner) { platform::InstallClock(this); }
  ~PauseRecorder() override { platform::InstallClock(&inner_); }
  std::uint64_t NowMs() override { return inner_.NowMs(); }
  void Sleep(std::uint32_t ms) override {
    pauses.push_back(ms);
    inner_.Sleep(ms);
  }
  std::int64_t WallMs() override { return inner_.WallMs(); }
  bool IsVirtual() const override { return true; }

  std::vector<std::uint32_t> pauses;

 private:
  platform::VirtualClock& inner_;
};

}  // namespace testsupport
