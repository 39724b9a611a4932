#pragma once
// The program's windows as the benchmarks run them: the platform started on virtual time and a
// headless screen, the forms and library units up and the application initialised, all taken
// down again at the end. What is measured is then the program's own work, never a real wait.
#include "app/Program.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "platform/win/Startup.h"
#include "platform/win/Window.h"

namespace benchsupport {

class ProgramStage {
 public:
  explicit ProgramStage(int ScreenWidth = 1280, int ScreenHeight = 1024) {
    platform::StartPlatform();
    platform::InstallClock(&clock);
    platform::InstallDisplay(platform::CreateHeadlessDisplay(ScreenWidth, ScreenHeight));
    InitializeForms();
    StartLibraryUnits();
    Application->Initialize();
  }
  ~ProgramStage() {
    FinalizeForms();
    EndLibraryUnits();
    win::MSG m;
    while (win::PeekMessage(&m, nullptr, 0, 0, win::PM_REMOVE)) {
    }
    platform::ResetDisplay();
    platform::InstallClock(nullptr);
  }
  ProgramStage(const ProgramStage&) = delete;
  ProgramStage& operator=(const ProgramStage&) = delete;

  // Runs every message that is ready; never waits.
  static void Pump() {
    win::MSG m;
    for (int guard = 0; guard < 10000 && win::PeekMessage(&m, nullptr, 0, 0, win::PM_NOREMOVE); ++guard)
      Application->ProcessMessages();
  }

  platform::VirtualClock clock;
};

}  // namespace benchsupport
