#pragma once
// The program's windows: every one is created once, at start, in a fixed order, and kept until
// the program ends; each class has one global instance through which the others reach it.
#include <functional>

#include "platform/classes/Forms.h"

// The program's title on the desktop.
inline constexpr const char* kProgramTitle = "Normal Large-Screen Control System";

// Creates the 33 windows in their order. The boot window comes first and is the main form; the
// grid console comes next to last, so its creation handler finds every window but the channel
// naming dialog. Created (for tests and measurements) is called with each window once its
// creation handler has run, before the next window is created.
void CreateProgramWindows(const std::function<void(TCustomForm*)>& Created = {});

// The component library's units the forms rely on: GDI+, pictures, the skin engine, the painting
// units with the root look-and-feel and the painter registry, and the registered skins. Started
// before the first form description is read, so that a stored skin name finds its painter while
// the form loads; ended in reverse after the last form is gone.
void StartLibraryUnits();
void EndLibraryUnits();
