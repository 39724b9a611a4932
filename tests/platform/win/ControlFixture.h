#pragma once
// A visible form to put standard controls on, and input helpers that type, press and click the
// way a user does, through the headless screen.
#include <initializer_list>
#include <string>

#include "tests/platform/win/WindowFixture.h"

namespace wintest {

class ControlTest : public WindowTest {
 protected:
  void SetUp() override;

  // Types ASCII text key by key (with Shift where needed).
  void Type(const std::string& text);
  void Key(unsigned vk);
  void Chord(std::initializer_list<unsigned> modifiers, unsigned vk);
  void Click(win::POINT screen, int button = 1);
  void DoubleClick(win::POINT screen);
  void Drag(win::POINT from, win::POINT to);
  // A point of a control's client area (as packed by EM_POSFROMCHAR) on the screen, nudged inside
  // the character.
  win::POINT ClientPoint(win::HWND hwnd, win::LRESULT packed, int dx = 2, int dy = 3);
  win::POINT ClientPointXY(win::HWND hwnd, int x, int y);
  std::uint32_t ScreenPixel(win::POINT screen);
  // Pixels of a window's client area that differ from its most common colour.
  int InkOf(win::HWND hwnd);
  // WM_COMMAND notifications with this code that reached the form.
  int Codes(win::WORD code);
  void SaveShot(const std::string& name);

  win::HWND form = nullptr;
};

}  // namespace wintest
