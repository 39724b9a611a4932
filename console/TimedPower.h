#pragma once
// The wall's power over time. The timed power: each console keeps the power-on and power-off
// times of [timesetting] in six fields of its own and polls them with a timer of its own. Every
// console registers its fields and timer here at creation, so the timed power settings reach all
// of them, not only the console in use. And the delayed power-on, which every console's power
// button offers.
#include <cstddef>
#include <functional>

#include "console/ScreenFrame.h"
#include "platform/classes/Grids.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/Timer.h"

// A console's six fields: on and off time, whether the schedule is on, and the repeat mode
// (0 once, any other value every day).
struct TTimedPowerFields {
  int* OnHour = nullptr;
  int* OnMinute = nullptr;
  int* OffHour = nullptr;
  int* OffMinute = nullptr;
  int* Enabled = nullptr;
  int* Repeat = nullptr;
};

// What the settings dialog hands every console when the schedule is turned on.
struct TTimedPowerSchedule {
  int OnHour = 0;
  int OnMinute = 0;
  int OffHour = 0;
  int OffMinute = 0;
  int Repeat = 0;
};

// How a console puts a frame on its screen link.
using TScreenFrameSender = std::function<void(const TScreenFrame&)>;

// Stops the timer and starts it again with `Interval`: its next tick comes a whole interval from now.
void RestartTimer(TTimer* Timer, unsigned Interval);

// Fills the fields from [timesetting] as the console's creation reads them, and switches the
// timer on exactly when the stored schedule is on.
void ReadTimedPower(const TTimedPowerFields& Fields, TTimer* Timer, TCustomIniFile& Profile);

// A console's power timer is known to the settings dialog from here on. The fields must outlive
// the registration; a console unregisters before it goes.
void RegisterTimedPower(const TTimedPowerFields& Fields, TTimer* Timer);
void UnregisterTimedPower(TTimer* Timer);
// How many consoles' power timers are registered: at a set time each sends its own frame.
std::size_t TimedPowerConsoleCount();

// One poll of a console's power timer (every 3 s): at the on time the whole wall is powered on,
// at the off time it goes to standby, each then waiting 61 s so that one minute fires once. In
// once mode the first time that comes stops the timer and stores the schedule as off (in
// `Profile`; a console that has let go of its file stores nothing).
void TimedPowerTick(const TTimedPowerFields& Fields, TTimer* Timer, const TScreenFrameSender& Send,
                    TCustomIniFile* Profile);

// The settings dialog's OK: every registered console takes the schedule and polls it, or, when
// the schedule is turned off, stops polling (its cached times stay).
void ApplyTimedPowerSchedule(const TTimedPowerSchedule& Schedule);
void StopTimedPower();

// The delayed power-on: one screen after another over a grid's selection, rows outer, each frame
// followed by the delay in seconds that `DelaySeconds` gives, read again after every screen. A
// delay that is no number raises the conversion error after that screen's frame, so the screens
// after it stay off. The delay is counted in 64 bits, and a negative one is no pause at all.
void PowerOnScreenByScreen(const TGridRect& Selection, const std::function<String()>& DelaySeconds,
                           const TScreenFrameSender& Send);
