// The program: every window is created at start; the boot window leads to a console or a chooser,
// and closing the boot window ends the program.
#include <cstdio>
#include <cstdlib>

#include "app/Program.h"
#include "platform/display/Display.h"
#include "platform/win/Startup.h"
#include "ui/bars/BarUnit.h"

namespace {

int ProgramMain() {
  platform::StartPlatform();
  InitializeForms();
  // The bar library starts before the application initialises (it hooks that step) and ends
  // after the forms are gone.
  BarUnitStartup();
  StartLibraryUnits();
  const auto end = [] {
    FinalizeForms();
    EndLibraryUnits();
    BarUnitShutdown();
  };
  try {
    Application->Initialize();
    Application->SetTitle(kProgramTitle);
    CreateProgramWindows();
    Application->Run();
  } catch (...) {
    // A run that cannot start (no display to show the first window on) ends as a finished one
    // does, so that nothing the start-up made outlives it.
    end();
    throw;
  }
  end();
  return 0;
}

}  // namespace

int main() {
  try {
    return ProgramMain();
  } catch (const platform::DisplayUnavailable& e) {
    std::fprintf(stderr, "videowall: %s; scripts/run starts the program on a virtual X server (Xvfb) where there is no desktop\n",
                 e.what());
    return EXIT_FAILURE;
  }
}
