#pragma once
// The headless screen with the application objects, virtual time and the control unit started,
// and one shown form, for the benchmarks of the library's controls.
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "ui/controls/ControlsUnit.h"

namespace benchstage {

struct ControlsStage {
  platform::ScopedVirtualClock clock;
  TForm* form = nullptr;
  ControlsStage(int FormWidth, int FormHeight) {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
    InitializeForms();
    Application->Initialize();
    ControlsUnitStartup();
    form = new TForm(Application, 0);
    form->SetBounds(0, 0, FormWidth, FormHeight);
    form->Show();
  }
  ~ControlsStage() {
    delete form;
    ControlsUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  ControlsStage(const ControlsStage&) = delete;
  ControlsStage& operator=(const ControlsStage&) = delete;
};

}  // namespace benchstage
