#pragma once
// Page controls on the headless screen with the standard styles registered: a form holding one,
// pages with captions, clicks and keys at a control's points, and an event log.
#include <string>
#include <vector>

#include "tests/ui/pages/StatusBarFixture.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/pages/PCStandardPainter.h"
#include "ui/pages/PCTabsPainter.h"
#include "ui/pages/PageControl.h"

namespace pagecontroltest {

class PageControlTest : public statusbartest::StatusBarTest {
 protected:
  void SetUp() override {
    StatusBarTest::SetUp();
    ControlsUnitStartup();
    PCPaintersUnitStartup();
    // Whatever the test before left: the pointer off every control with its button up, no click recent enough
    // to make the next one a double click.
    clock->Advance(10000);
    platform::Headless()->InjectMouseMove(0, 0);
    platform::Headless()->InjectMouseButton(1, false);
    Pump();
  }
  void TearDown() override {
    Pump();
    FinalizeForms();
    PCPaintersUnitShutdown();
    ControlsUnitShutdown();
    StatusBarTest::TearDown();
  }
  // Starts the theme access again with the fake theme library opening the tab, spin and window
  // classes.
  void UseFakeTabThemes();

  // A page control of the given size on a shown form, in the Tabs style, with one page per caption.
  TcxPageControl* MakeControl(int Width, int Height, std::initializer_list<const char*> Captions,
                              TFormBorderStyle Style = bsNone);
  TcxTabSheet* AddPage(TcxPageControl* Control, const String& Caption);
  // Records OnTabChanging, OnPageChanging, OnChange and every page's OnShow and OnHide.
  void RecordEvents(TcxPageControl* Control);
  void Click(TControl* Control, int X, int Y);
  void PressKey(unsigned Vk, std::initializer_list<unsigned> Modifiers = {});
  // The centre of a visible tab in the control's coordinates.
  win::POINT TabCentre(TcxPageControl* Control, int TabVisibleIndex);

  TForm* form_ = nullptr;
  std::vector<std::string> log_;
};

}  // namespace pagecontroltest
