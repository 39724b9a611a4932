#pragma once
// A headless screen with the application objects, virtual time and the control base started, for
// the tests of the control services and windows.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"

namespace controlstest {

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs every message that is ready, paints included; never waits.
  void Pump();
  void RunFor(std::uint64_t ms);
  void MoveMouse(int x, int y);
  // Text as an input method delivers it, and a key pressed and released with its modifiers held.
  void Type(const std::string& Utf8);
  void Key(unsigned Vk, std::initializer_list<unsigned> Modifiers = {});
  platform::HeadlessControl& Headless() { return *platform::Headless(); }
  // A shown form without a description at the screen rectangle given.
  TForm* NewForm(int left, int top, int width, int height);

  platform::ScopedVirtualClock clock;
  // Set when a test has shut the control unit down itself.
  bool unitShutDown = false;
};

}  // namespace controlstest
