#include "tests/ui/controls/ControlsFixture.h"

#include "platform/win/Hooks.h"
#include "ui/controls/ControlsUnit.h"

namespace controlstest {

using namespace win;

void ControlsTest::SetUp() {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
  InitializeForms();
  Application->Initialize();
  ControlsUnitStartup();
}

void ControlsTest::TearDown() {
  // A unit that refuses to shut down is this test's fault; the rest still runs, or every later
  // test of the program would start on this one's windows and display.
  if (!unitShutDown) {
    try {
      ControlsUnitShutdown();
    } catch (const std::exception& e) {
      ADD_FAILURE() << "the controls unit refused to shut down: " << e.what();
    }
  }
  SystemParametersInfo(SPI_SETWORKAREA, 0, nullptr, 0);
  platform::ResetSystemParameters();
  FinalizeForms();
  platform::ResetDisplay();
}

void ControlsTest::Pump() {
  MSG m;
  for (int guard = 0; guard < 1000 && PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard)
    Application->ProcessMessages();
}

void ControlsTest::RunFor(std::uint64_t ms) {
  std::uint64_t end = clock->NowMs() + ms;
  Pump();
  while (clock->NowMs() < end) {
    clock->Advance(1);
    Pump();
  }
}

void ControlsTest::MoveMouse(int x, int y) {
  Headless().InjectMouseMove(x, y);
  Pump();
}

void ControlsTest::Type(const std::string& Utf8) {
  Headless().InjectText(Utf8);
  Pump();
}

void ControlsTest::Key(unsigned Vk, std::initializer_list<unsigned> Modifiers) {
  for (unsigned m : Modifiers) Headless().InjectKey(m, true);
  Headless().InjectKey(Vk, true);
  Headless().InjectKey(Vk, false);
  for (unsigned m : Modifiers) Headless().InjectKey(m, false);
  Pump();
}

TForm* ControlsTest::NewForm(int left, int top, int width, int height) {
  auto* form = new TForm(Application, 0);
  form->SetBorderStyle(bsNone);
  form->SetBounds(left, top, width, height);
  form->Show();
  Pump();
  return form;
}

}  // namespace controlstest
