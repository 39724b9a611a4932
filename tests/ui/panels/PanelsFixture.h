#pragma once
// A headless screen, virtual time and the application objects for the framed controls, a memory
// surface with a canvas for drawing routines, and a theme library that paints each part as a
// solid colour naming its state.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/classes/Forms.h"
#include "platform/classes/Themes.h"
#include "platform/system/Modules.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"

namespace panelstest {

// 0x00BBGGRR of a pixel, comparable with RGB() and ColorToRGB().
using Rgb = win::COLORREF;

// A 32-bit memory bitmap with a canvas over it.
class Surface {
 public:
  Surface(int Width, int Height, Rgb Background = win::RGB(255, 0, 255));
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  TCanvas* Canvas() { return &canvas_; }
  win::HDC DC() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb At(int x, int y) const;
  void Fill(Rgb Color);
  // The pixels as letters by a legend; '?' for a colour the legend lacks.
  std::vector<std::string> Mask(const std::vector<std::pair<char, Rgb>>& Legend) const;
  // Writes the surface as a PNG under the artifacts folder.
  void Save(const std::string& FileName) const;

 private:
  int width_, height_;
  win::HDC dc_;
  win::HBITMAP bitmap_;
  win::HGDIOBJ old_;
  std::uint32_t* bits_ = nullptr;
  TCanvas canvas_;
};

// A theme library standing in for "UxTheme.dll": visual styles on while installed, and every part
// painted as a solid fill whose red is part * 40 and green state * 40 (blue 200).
class FakeThemes {
 public:
  static Rgb ColorOf(int Part, int State) { return win::RGB(Part * 40, State * 40, 200); }
  // Installs the module and lets the class library's theme services see it.
  void Install();
  void Uninstall();
  static std::vector<int>& DrawnStates();
};

class PanelsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs every message that is ready, paints included; never waits.
  void Pump();
  void RunFor(std::uint64_t ms);
  platform::HeadlessControl& Headless() { return *platform::Headless(); }
  // A shown form at (Left, Top) with the given client size and colour.
  TForm* MakeForm(int Left, int Top, int ClientWidth, int ClientHeight, TColor Color = clBtnFace);
  // The screen's pixel, 0x00BBGGRR. Pixel() reads the screen as it was last composed: Pump()
  // composes it afresh.
  Rgb ScreenPixel(int x, int y);
  Rgb Pixel(TControl* Control, int x, int y) { return ScreenPixel(ScreenX(Control, x), ScreenY(Control, y)); }
  int ScreenX(TControl* Control, int x) { return Control->ClientToScreen(win::POINT{x, 0}).x; }
  int ScreenY(TControl* Control, int y) { return Control->ClientToScreen(win::POINT{0, y}).y; }
  // Writes a part of the screen as a PNG under the artifacts folder.
  void SaveScreen(const std::string& FileName, const win::RECT& ScreenRect);
  void SaveControl(const std::string& FileName, TControl* Control, int Margin = 0);
  void MoveMouse(TControl* Control, int x, int y);
  void MouseButton(bool Down, int Button = 1);
  void Key(unsigned Vk, bool Down);

  platform::ScopedVirtualClock clock;
  platform::ScopedModuleOverrides modules;
  std::vector<std::uint32_t> screen_;
  int screenWidth_ = 0, screenHeight_ = 0;
  FakeThemes themes;
};

}  // namespace panelstest
