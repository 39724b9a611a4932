#pragma once
// For real-window tests of class-library forms: the application's messages pumped on the real
// clock until a condition holds, and screenshots kept among the artifacts.
#include <chrono>
#include <functional>
#include <string>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "tests/support/Artifacts.h"
#include "tests/support/X11.h"

namespace testsupport {

// False when the condition still does not hold after `ms` milliseconds.
inline bool PumpUntil(const std::function<bool()>& done, int ms = 4000, int waitMs = 10) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < deadline) {
    Application->ProcessMessages();
    if (done()) return true;
    platform::CurrentDisplay().Wait(waitMs);
  }
  return false;
}

inline void SaveScreenshot(const Screenshot& shot, const std::string& name) {
  if (!shot.pixels.empty())
    platform::WritePng(ArtifactPath(name), shot.pixels.data(), shot.width, shot.height, shot.width);
}

}  // namespace testsupport
