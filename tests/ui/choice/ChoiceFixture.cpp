#include "tests/ui/choice/ChoiceFixture.h"

#include <algorithm>

#include "platform/win/Hooks.h"
#include "platform/win/Metrics.h"
#include "tests/support/Artifacts.h"
#include "tests/support/FakeThemeLibrary.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/foundation/ThemeManager.h"

namespace choicetest {

using namespace win;

void ChoiceTest::SetUp() {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
  InitializeForms();
  Application->Initialize();
  PaintingUnitsStartup();
  ControlsUnitStartup();
}

void ChoiceTest::TearDown() {
  Pump();
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) delete *it;
  forms_.clear();
  ControlsUnitShutdown();
  PaintingUnitsShutdown();
  testsupport::FakeThemeLibrary::Uninstall();
  SystemParametersInfo(SPI_SETWORKAREA, 0, nullptr, 0);
  platform::ResetSystemParameters();
  FinalizeForms();
  platform::ResetDisplay();
}

void ChoiceTest::Pump() {
  MSG m;
  for (int guard = 0; guard < 1000 && PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard)
    Application->ProcessMessages();
  screen_.clear();
}

void ChoiceTest::RunFor(std::uint64_t ms) {
  std::uint64_t end = clock->NowMs() + ms;
  Pump();
  while (clock->NowMs() < end) {
    clock->Advance(1);
    Pump();
  }
}

TForm* ChoiceTest::MakeForm(int Left, int Top, int Width, int Height, TColor Color) {
  auto* form = new TForm(nullptr, 0);
  form->SetBorderStyle(bsNone);
  form->SetBounds(Left, Top, Width, Height);
  form->SetColor(Color);
  form->Show();
  Pump();
  forms_.push_back(form);
  return form;
}

Rgb ChoiceTest::ScreenPixel(int x, int y) {
  MSG m;
  if (screen_.empty() || PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE)) {
    Pump();
    screen_ = Headless().ComposeScreen(screenWidth_, screenHeight_);
  }
  if (x < 0 || y < 0 || x >= screenWidth_ || y >= screenHeight_) return 0xFFFFFFFF;
  std::uint32_t p = screen_[static_cast<std::size_t>(y) * screenWidth_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

Rgb ChoiceTest::Pixel(TControl* Control, int x, int y) {
  POINT p = Control->ClientToScreen(POINT{x, y});
  return ScreenPixel(p.x, p.y);
}

void ChoiceTest::SaveScreen(const std::string& FileName, const RECT& R) {
  Pump();
  int w = 0, h = 0;
  auto pixels = Headless().ComposeScreen(w, h);
  RECT r{std::max<LONG>(R.left, 0), std::max<LONG>(R.top, 0), std::min<LONG>(R.right, w), std::min<LONG>(R.bottom, h)};
  const std::uint32_t* start = pixels.data() + static_cast<std::size_t>(r.top) * w + r.left;
  platform::WritePng(testsupport::ArtifactPath(FileName), start, r.right - r.left, r.bottom - r.top, w);
}

void ChoiceTest::SaveControl(const std::string& FileName, TControl* Control, int Margin) {
  POINT p = Control->ClientToScreen(POINT{0, 0});
  SaveScreen(FileName, RECT{p.x - Margin, p.y - Margin, p.x + Control->Width() + Margin,
                            p.y + Control->Height() + Margin});
}

void ChoiceTest::MoveMouse(TControl* Control, int x, int y) {
  POINT p = Control->ClientToScreen(POINT{x, y});
  Headless().InjectMouseMove(p.x, p.y);
  Pump();
}

void ChoiceTest::MouseButton(bool Down, int Button) {
  Headless().InjectMouseButton(Button, Down);
  Pump();
}

void ChoiceTest::Click(TControl* Control, int x, int y) {
  MoveMouse(Control, x, y);
  MouseButton(true);
  MouseButton(false);
}

void ChoiceTest::Key(unsigned Vk, bool Down) {
  Headless().InjectKey(Vk, Down);
  Pump();
}

void ChoiceTest::WithTestTheme(std::initializer_list<const char*> Classes, const std::function<void()>& Body) {
  testsupport::FakeThemeLibrary::Install();
  for (const char* c : Classes) testsupport::FakeThemeLibrary::OpenableClasses().insert(c);
  ThemeAccessShutdown();
  ThemeAccessStartup();
  auto restore = [this] {
    Pump();
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) delete *it;
    forms_.clear();
    ThemeAccessShutdown();
    testsupport::FakeThemeLibrary::Uninstall();
    ThemeAccessStartup();
  };
  try {
    Body();
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

}  // namespace choicetest
