#include "platform/system/Clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace platform {
namespace {

std::atomic<Clock*> g_installed{nullptr};

RealClock& TheRealClock() {
  static RealClock clock;
  return clock;
}

void FillSystemTime(std::int64_t ms, win::SYSTEMTIME* st) {
  std::time_t secs = static_cast<std::time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
  std::tm tm{};
  gmtime_r(&secs, &tm);
  st->wYear = static_cast<win::WORD>(tm.tm_year + 1900);
  st->wMonth = static_cast<win::WORD>(tm.tm_mon + 1);
  st->wDayOfWeek = static_cast<win::WORD>(tm.tm_wday);
  st->wDay = static_cast<win::WORD>(tm.tm_mday);
  st->wHour = static_cast<win::WORD>(tm.tm_hour);
  st->wMinute = static_cast<win::WORD>(tm.tm_min);
  st->wSecond = static_cast<win::WORD>(tm.tm_sec);
  st->wMilliseconds = static_cast<win::WORD>(((ms % 1000) + 1000) % 1000);
}

}  // namespace

std::uint64_t RealClock::NowMs() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void RealClock::Sleep(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::int64_t RealClock::WallMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

VirtualClock::VirtualClock(std::uint64_t startMs, std::int64_t wallMs)
    : now_(startMs), wallOffset_(wallMs - static_cast<std::int64_t>(startMs)) {}

std::uint64_t VirtualClock::NowMs() { return std::atomic_ref(now_).load(); }

std::int64_t VirtualClock::WallMs() { return static_cast<std::int64_t>(NowMs()) + std::atomic_ref(wallOffset_).load(); }

void VirtualClock::Advance(std::uint64_t ms) { std::atomic_ref(now_).fetch_add(ms); }

void VirtualClock::AdvanceTo(std::uint64_t ms) {
  std::atomic_ref<std::uint64_t> now(now_);
  std::uint64_t cur = now.load();
  while (cur < ms && !now.compare_exchange_weak(cur, ms)) {
  }
}

void VirtualClock::SetWallMs(std::int64_t wallMs) {
  std::atomic_ref(wallOffset_).store(wallMs - static_cast<std::int64_t>(NowMs()));
}

Clock& CurrentClock() {
  Clock* c = g_installed.load(std::memory_order_acquire);
  return c ? *c : TheRealClock();
}

void InstallClock(Clock* clock) { g_installed.store(clock, std::memory_order_release); }

int LocalUtcOffsetMinutes(std::int64_t wallMs) {
  std::time_t secs = static_cast<std::time_t>(wallMs / 1000);
  std::tm local{};
  localtime_r(&secs, &local);
  return static_cast<int>(local.tm_gmtoff / 60);
}

}  // namespace platform

namespace win {

DWORD GetTickCount() { return static_cast<DWORD>(platform::CurrentClock().NowMs()); }

std::uint64_t GetTickCount64() { return platform::CurrentClock().NowMs(); }

void Sleep(DWORD ms) { platform::CurrentClock().Sleep(ms); }

void GetSystemTime(SYSTEMTIME* st) { platform::FillSystemTime(platform::CurrentClock().WallMs(), st); }

void GetLocalTime(SYSTEMTIME* st) {
  std::int64_t utc = platform::CurrentClock().WallMs();
  platform::FillSystemTime(utc + std::int64_t{platform::LocalUtcOffsetMinutes(utc)} * 60'000, st);
}

}  // namespace win
