#pragma once
// The whole program's windows on a headless screen and virtual time, with "cfg.ini" in a folder
// of the test's own.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"

namespace apptest {

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes "cfg.ini" beside the program (GBK is ASCII here).
  void WriteConfig(const std::string& text);
  // A logo of four coloured quadrants (red, green, blue, yellow from the top left, clockwise).
  std::string WriteQuadrantLogo(const std::string& name, int width = 64, int height = 48);
  // Creates every window and starts as the message loop does: the boot window is shown.
  void Start();
  // Ends the program and readies its next start on the same folder: what it stored is kept, every
  // window is gone until the test creates them again.
  void Restart();
  // Runs every message that is ready; never waits.
  void Pump();
  // One tick of the boot window's 10 ms timer.
  void Tick();
  void RunFor(std::uint64_t ms);
  void ClickAt(win::POINT screen);
  // Presses a mouse button at one screen point, moves to the other and releases it there.
  void DragAt(win::POINT from, win::POINT to, int button = platform::kButtonLeft);
  std::uint8_t BootAlpha();
  // The windows now visible, by class name.
  std::vector<std::string> VisibleForms();
  bool Terminated();
  // A window's own pixels (what it draws, before any layering), as 0x00RRGGBB.
  std::vector<std::uint32_t> WindowPixels(TWinControl* control);
  std::uint32_t WindowPixel(TWinControl* control, int x, int y);
  std::uint32_t ScreenPixel(int x, int y);
  void SaveWindowShot(TWinControl* control, const std::string& name);
  platform::HeadlessControl& Headless() { return *platform::Headless(); }

  platform::ScopedVirtualClock clock;
  std::string folder;

 private:
  void StartProgram();
  void EndProgram();

 public:
  // Message boxes the program showed: "caption|text".
  std::vector<std::string> boxes;
  // Runs while a message box is up, given its text: what the program had done before showing it.
  std::function<void(const std::string& text)> whileBoxShown;
  static AppTest* current;
};

}  // namespace apptest
