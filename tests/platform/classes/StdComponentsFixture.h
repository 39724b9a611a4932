#pragma once
// A headless screen and virtual time for the standard components, with a pump that runs what the
// window system has ready.
#include <gtest/gtest.h>

#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "platform/win/Window.h"

namespace stdcomp {

class StdComponentsTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768)); }
  void TearDown() override {
    Pump();
    platform::ResetDisplay();
  }

  void Pump() {
    win::MSG m;
    for (int guard = 0; guard < 100000 && win::PeekMessage(&m, nullptr, 0, 0, win::PM_REMOVE); ++guard) {
      if (m.message == win::WM_QUIT) continue;
      win::TranslateMessage(&m);
      win::DispatchMessage(&m);
    }
  }
  // Lets virtual time pass a millisecond at a time, running what falls due.
  void RunFor(std::uint64_t ms) {
    std::uint64_t end = clock->NowMs() + ms;
    Pump();
    while (clock->NowMs() < end) {
      clock->Advance(1);
      Pump();
    }
  }

  platform::ScopedVirtualClock clock;
};

}  // namespace stdcomp
