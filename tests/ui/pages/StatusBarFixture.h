#pragma once
// A headless screen on virtual time with the theme access and the Office-2003 colours started,
// forms to put status bars on, and reading, saving and clicking their pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "ui/pages/StatusBar.h"
#include "ui/pages/StatusBarPanelStyles.h"

namespace statusbartest {

using Rgb = win::COLORREF;

class StatusBarTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Starts the theme access with the fake theme library opening "Status" (before any bar).
  void UseFakeThemes();

  void Pump();
  void RunFor(std::uint64_t ms);
  // A shown form whose client area is ClientWidth x ClientHeight.
  TForm* MakeForm(int ClientWidth, int ClientHeight, TFormBorderStyle Style = bsNone);
  // A bar on the form with the consoles' three text panels (200, 200, 428; the third right-justified).
  TdxStatusBar* MakeConsoleBar(TForm* Form);
  TdxStatusBarPanel* AddTextPanel(TdxStatusBar* Bar, int Width, const String& Text = "");

  // The bar's pixel, 0x00BBGGRR, from the screen as last composed.
  Rgb Pixel(TControl* Control, int x, int y);
  // One row of the bar as letters by a legend ('?' elsewhere).
  std::string Row(TControl* Control, int y, int x0, int x1, const std::vector<std::pair<char, Rgb>>& Legend);
  void SaveControl(const std::string& FileName, TControl* Control);
  void MoveMouse(TControl* Control, int x, int y);
  void MouseButton(bool Down);
  void Key(unsigned Vk, bool Down);

  platform::ScopedVirtualClock clock;
  std::vector<std::uint32_t> screen_;
  int screenWidth_ = 0, screenHeight_ = 0;
};

}  // namespace statusbartest
