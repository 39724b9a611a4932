#pragma once
// The one clock every tick count, pause, timer and time of day goes through. Tests install a
// virtual clock so that long timers and pauses cost no real time and repeat exactly.
#include <cstdint>
#include <ctime>

#include "platform/system/Types.h"

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start; never goes back.
  virtual std::uint64_t NowMs() = 0;
  virtual void Sleep(std::uint32_t ms) = 0;
  // Seconds and milliseconds of the wall clock, as UTC.
  virtual std::int64_t WallMs() = 0;
  virtual bool IsVirtual() const { return false; }
};

class RealClock final : public Clock {
 public:
  std::uint64_t NowMs() override;
  void Sleep(std::uint32_t ms) override;
  std::int64_t WallMs() override;
};

// Time moves only when told to: by Advance, by Sleep, or by a message loop that would otherwise
// wait for its next timer.
class VirtualClock final : public Clock {
 public:
  explicit VirtualClock(std::uint64_t startMs = 1000, std::int64_t wallMs = 1'767'225'600'000 /* 2026-01-01 */);
  std::uint64_t NowMs() override;
  void Sleep(std::uint32_t ms) override { Advance(ms); }
  std::int64_t WallMs() override;
  bool IsVirtual() const override { return true; }

  void Advance(std::uint64_t ms);
  // Moves time forward to `ms` if it lies ahead.
  void AdvanceTo(std::uint64_t ms);
  void SetWallMs(std::int64_t wallMs);

 private:
  std::uint64_t now_;
  std::int64_t wallOffset_;
};

Clock& CurrentClock();
// nullptr brings back the real clock. The caller keeps ownership.
void InstallClock(Clock* clock);

// Installs a virtual clock for the lifetime of the object.
class ScopedVirtualClock {
 public:
  ScopedVirtualClock() { InstallClock(&clock_); }
  ~ScopedVirtualClock() { InstallClock(nullptr); }
  ScopedVirtualClock(const ScopedVirtualClock&) = delete;
  ScopedVirtualClock& operator=(const ScopedVirtualClock&) = delete;
  VirtualClock* operator->() { return &clock_; }
  VirtualClock& clock() { return clock_; }

 private:
  VirtualClock clock_;
};

// Offset of local time from UTC in minutes; the console runs in the machine's zone.
int LocalUtcOffsetMinutes(std::int64_t wallMs);

}  // namespace platform

namespace win {

struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;
  WORD wDayOfWeek = 0;
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
};

DWORD GetTickCount();
std::uint64_t GetTickCount64();
void Sleep(DWORD ms);
void GetLocalTime(SYSTEMTIME* st);
void GetSystemTime(SYSTEMTIME* st);

}  // namespace win
