#pragma once
// The grid console as a user of many years has it: every window created on a headless screen and
// virtual time, the console shown on the full "cfg.ini" of a 15 x 15 wall.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "bench/console/FullConfig.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "platform/win/Startup.h"
#include "platform/win/Window.h"

struct ShownGridConsole {
  platform::VirtualClock clock;
  std::string folder;
  ShownGridConsole() {
    platform::StartPlatform();
    platform::InstallClock(&clock);
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1920, 1080));
    char name[] = "/tmp/vw-console-bench-XXXXXX";
    folder = mkdtemp(name) ? name : "/tmp";
    WriteFullConfig(folder);
    SetProgramFolder(folder);
    InitializeForms();
    StartLibraryUnits();
    Application->Initialize();
    CreateProgramWindows();
    Form18->tmr1->SetEnabled(false);
    Form18->ConsoleKind = ckGrid;
    Form1->Show();
  }
  ~ShownGridConsole() {
    FinalizeForms();
    EndLibraryUnits();
    win::MSG m;
    while (win::PeekMessage(&m, nullptr, 0, 0, win::PM_REMOVE)) {
    }
    SetProgramFolder("");
    platform::ResetDisplay();
    platform::InstallClock(nullptr);
    std::remove((folder + "/cfg.ini").c_str());
    std::remove(folder.c_str());
  }
  void Pump() {
    win::MSG m;
    for (int guard = 0; guard < 10000 && win::PeekMessage(&m, nullptr, 0, 0, win::PM_NOREMOVE); ++guard)
      Application->ProcessMessages();
  }
};
