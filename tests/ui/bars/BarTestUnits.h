#pragma once
// The headless screen and the units the bar library runs on, started in the program's order, and
// stopped with the settings tests may have changed put back.
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Modules.h"
#include "platform/win/Hooks.h"
#include "ui/bars/BarCustomizationForm.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/GraphicsUnit.h"

inline void StartBarTestUnits() {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
  InitializeForms();
  GraphicsUnitStartup();
  Application->Initialize();
  ControlsUnitStartup();
  BarUnitStartup();
  // Customizing mode is tested without the dialog; the dialog's own tests bring it back.
  CustomizationFormClass = nullptr;
}

inline void StopBarTestUnits() {
  BarUnitShutdown();
  ControlsUnitShutdown();
  platform::ResetSystemParameters();
  platform::ResetModuleOverrides();
  GraphicsUnitShutdown();
  FinalizeForms();
  platform::ResetDisplay();
}
