#pragma once
// The grid console as a user of many years has it: every window created on a headless screen and
// virtual time, the console shown on the full "cfg.ini" of a 15 x 15 wall.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/BootWindow.h"
#include "bench/ProgramStage.h"
#include "bench/console/FullConfig.h"
#include "console/Config.h"
#include "console/GridConsole.h"

// A folder of its own holding the full "cfg.ini", made before the program's windows and removed
// after them.
struct FullConfigFolder {
  std::string folder;
  FullConfigFolder() {
    char name[] = "/tmp/vw-console-bench-XXXXXX";
    folder = mkdtemp(name) ? name : "/tmp";
    WriteFullConfig(folder);
    SetProgramFolder(folder);
  }
  ~FullConfigFolder() {
    SetProgramFolder("");
    std::remove((folder + "/cfg.ini").c_str());
    std::remove(folder.c_str());
  }
};

struct ShownGridConsole : FullConfigFolder, benchsupport::ProgramStage {
  ShownGridConsole() : ProgramStage(1920, 1080) {
    CreateProgramWindows();
    Form18->tmr1->SetEnabled(false);
    Form18->ConsoleKind = ckGrid;
    Form1->Show();
  }
};
