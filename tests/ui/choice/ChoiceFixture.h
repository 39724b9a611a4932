#pragma once
// A headless screen with virtual time, the painters and the control services started, for the
// tests of the buttons; with screen reads, screenshots and injected mouse and keys.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"

namespace choicetest {

// 0x00BBGGRR of a pixel.
using Rgb = win::COLORREF;

class ChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs every message that is ready, paints included; never waits.
  void Pump();
  void RunFor(std::uint64_t ms);
  platform::HeadlessControl& Headless() { return *platform::Headless(); }
  // A shown borderless form at (Left, Top); freed before the units shut down.
  TForm* MakeForm(int Left, int Top, int Width, int Height, TColor Color = clBtnFace);
  Rgb ScreenPixel(int x, int y);
  Rgb Pixel(TControl* Control, int x, int y);
  void SaveScreen(const std::string& FileName, const win::RECT& ScreenRect);
  void SaveControl(const std::string& FileName, TControl* Control, int Margin = 0);
  void MoveMouse(TControl* Control, int x, int y);
  void MouseButton(bool Down, int Button = 1);
  void Click(TControl* Control, int x, int y);
  void Key(unsigned Vk, bool Down);
  // Body runs with the test theme library opening the listed classes; the forms it leaves are
  // freed before the theme goes.
  void WithTestTheme(std::initializer_list<const char*> Classes, const std::function<void()>& Body);

  platform::ScopedVirtualClock clock;
  std::vector<TForm*> forms_;
  std::vector<std::uint32_t> screen_;
  int screenWidth_ = 0, screenHeight_ = 0;
};

}  // namespace choicetest
