#pragma once
// The consoles' simplest controls, given as tables: a control whose whole work is one screen
// command with a fixed value, and one whose whole work is to show a window.
#include <functional>
#include <span>

#include "console/ScreenFrame.h"
#include "platform/classes/Forms.h"

struct TFixedCommand {
  const char* Handler;
  TScreenCommand Command;
  int Value;
};

// The window is asked for when the control is used (the windows are made after the consoles); it
// stays modeless and comes to the front when shown again.
struct TWindowOpener {
  const char* Handler;
  TCustomForm* (*Window)();
};

// Registers each command's click handler on `Form`, sending through `Send`.
void RegisterFixedCommands(TComponent& Form, std::span<const TFixedCommand> Commands,
                           const std::function<void(int Command, int Value)>& Send);
void RegisterWindowOpeners(TComponent& Form, std::span<const TWindowOpener> Openers);
