#pragma once
// When a manager asks the single hint window to show or hide a hint: the initial pause, showing at
// once right after a hint (400 ms), the automatic hide, and the options that gate hints.
#include "platform/classes/Component.h"

class TdxBarManager;

// Nothing while the manager customizes or its ShowHint is off. A show request while the window
// shows a screen tip withdraws that tip first. AObject: what supplies the hint (IdxBarHintSource).
void RequestHint(TdxBarManager* AManager, bool AShow, const String& AText = {}, TObject* AObject = nullptr);
void HideHint(TdxBarManager* AManager);

// The process-wide state, for tests and for the hooks' registration.
bool BarHintRequested();
// The text of the last request to show.
String BarHintText();
bool BarHintShown();
bool BarHintRecentlyHidden();
TdxBarManager* BarHintManager();
// A manager leaves the list: its timers stop.
void BarHintTimingManagerGone(TdxBarManager* AManager);
// Stops every timer and forgets the state (the hint window goes).
void BarHintTimingReset();
