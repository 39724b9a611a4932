#pragma once
// The headless screen, the forms and the units the bars draw with, started for one benchmark stage
// and stopped again after the stage has freed its windows: a stage holds it as a member declared
// before its windows, so it outlives them.
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/GraphicsUnit.h"
#include "ui/foundation/PaintersUnit.h"

namespace barbench {

struct TBarUnits {
  TBarUnits() {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1600, 1200));
    InitializeForms();
    Application->Initialize();
    PaintingUnitsStartup();
    GraphicsUnitStartup();
    ControlsUnitStartup();
    BarUnitStartup();
  }
  ~TBarUnits() {
    BarUnitShutdown();
    ControlsUnitShutdown();
    GraphicsUnitShutdown();
    PaintingUnitsShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  TBarUnits(const TBarUnits&) = delete;
  TBarUnits& operator=(const TBarUnits&) = delete;
};

}  // namespace barbench
