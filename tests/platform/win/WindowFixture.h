#pragma once
// A headless screen, virtual time and a window class that records what its windows hear.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "platform/win/Focus.h"
#include "platform/win/Rects.h"
#include "platform/win/Window.h"

namespace wintest {

struct Logged {
  std::string window;
  win::UINT msg;
  win::WPARAM wParam;
  win::LPARAM lParam;
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A window of the recording class; `name` appears in the log.
  win::HWND Make(const std::string& name, win::DWORD style, int x, int y, int w, int h, win::HWND parent = nullptr,
                 win::DWORD exStyle = 0, int id = 0);
  // Runs every message that is ready, paints included; never waits.
  void Pump();
  // Lets virtual time pass, running what falls due.
  void RunFor(std::uint64_t ms);
  // The log as "name:MSG" entries, for the given messages only (all when empty).
  std::vector<std::string> Names(const std::vector<win::UINT>& only = {}) const;
  void ClearLog() { log.clear(); }

  platform::HeadlessControl& Screen() { return *platform::Headless(); }
  // The pixel at a point of a top-level window's surface, as last presented.
  std::uint32_t SurfacePixel(win::HWND top, int x, int y);

  platform::ScopedVirtualClock clock;

 public:
  static std::vector<Logged> log;
  // Per-window handlers run before the default; returning true swallows the message.
  static std::map<win::HWND, std::function<bool(win::HWND, win::UINT, win::WPARAM, win::LPARAM, win::LRESULT&)>> handlers;
  static std::map<win::HWND, std::string> names;
};

std::string MessageName(win::UINT msg);

}  // namespace wintest
