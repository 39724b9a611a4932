#include "console/TimedPower.h"

#include <algorithm>
#include <vector>

#include "console/Config.h"
#include "matrix/MatrixEngine.h"
#include "platform/system/Clock.h"

namespace {

constexpr unsigned kPollMs = 3000;
// Past the minute that fired, so it cannot fire twice.
constexpr unsigned kAfterFiringMs = 61000;

struct TRegistration {
  TTimedPowerFields Fields;
  TTimer* Timer;
};

std::vector<TRegistration>& Registrations() {
  static std::vector<TRegistration> registrations;
  return registrations;
}

}  // namespace

void RestartTimer(TTimer* Timer, unsigned Interval) {
  Timer->SetEnabled(false);
  Timer->SetInterval(Interval);
  Timer->SetEnabled(true);
}

void ReadTimedPower(const TTimedPowerFields& Fields, TTimer* Timer, TCustomIniFile& Profile) {
  const bool on = ReadConfig(Profile, cfg::timesetting::Flag);
  Timer->SetEnabled(on);
  *Fields.OnHour = ReadConfig(Profile, cfg::timesetting::OHour);
  *Fields.OffHour = ReadConfig(Profile, cfg::timesetting::CHour);
  *Fields.OnMinute = ReadConfig(Profile, cfg::timesetting::OMin);
  *Fields.OffMinute = ReadConfig(Profile, cfg::timesetting::CMin);
  *Fields.Enabled = on ? 1 : 0;
  *Fields.Repeat = ReadConfig(Profile, cfg::timesetting::Mode);
}

void RegisterTimedPower(const TTimedPowerFields& Fields, TTimer* Timer) {
  UnregisterTimedPower(Timer);
  Registrations().push_back({Fields, Timer});
}

void UnregisterTimedPower(TTimer* Timer) {
  std::erase_if(Registrations(), [Timer](const TRegistration& r) { return r.Timer == Timer; });
}

std::size_t TimedPowerConsoleCount() { return Registrations().size(); }

void TimedPowerTick(const TTimedPowerFields& Fields, TTimer* Timer, const TScreenFrameSender& Send,
                    TCustomIniFile* Profile) {
  RestartTimer(Timer, kPollMs);
  if (!*Fields.Enabled) {
    Timer->SetEnabled(false);
    return;
  }
  win::SYSTEMTIME now;
  win::GetLocalTime(&now);
  auto fire = [&](int power) {
    Send(MakeScreenFrame(kWholeWall, scPower, power));
    RestartTimer(Timer, kAfterFiringMs);
    if (*Fields.Repeat == 0) {
      Timer->SetEnabled(false);
      if (Profile) WriteConfig(*Profile, cfg::timesetting::Flag, false);
    }
  };
  // Both times are tested on every poll: equal times power on, then off, in one tick.
  if (now.wHour == *Fields.OnHour && now.wMinute == *Fields.OnMinute) fire(1);
  if (now.wHour == *Fields.OffHour && now.wMinute == *Fields.OffMinute) fire(0);
}

void ApplyTimedPowerSchedule(const TTimedPowerSchedule& Schedule) {
  for (const TRegistration& r : Registrations()) {
    r.Timer->SetEnabled(true);
    *r.Fields.OnHour = Schedule.OnHour;
    *r.Fields.OffHour = Schedule.OffHour;
    *r.Fields.OnMinute = Schedule.OnMinute;
    *r.Fields.OffMinute = Schedule.OffMinute;
    *r.Fields.Enabled = 1;
    *r.Fields.Repeat = Schedule.Repeat;
  }
}

void StopTimedPower() {
  for (const TRegistration& r : Registrations()) r.Timer->SetEnabled(false);
}

void PowerOnScreenByScreen(const TGridRect& Selection, const std::function<String()>& DelaySeconds,
                           const TScreenFrameSender& Send) {
  for (int r = Selection.Top; r <= Selection.Bottom; ++r) {
    for (int c = Selection.Left; c <= Selection.Right; ++c) {
      Send(MakeScreenFrame(OneScreenAddress(c, r), scPower, 1));
      BlockingPause(std::int64_t{StrToInt(DelaySeconds())} * 1000);
    }
  }
}
