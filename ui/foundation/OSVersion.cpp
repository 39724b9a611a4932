#include "ui/foundation/OSVersion.h"

bool IsWindows9xPlatform = false;
bool IsWindows95 = false;
bool IsWindows98 = false;
bool IsWindowsME = false;
bool IsWindowsNTPlatform = false;
bool IsWindows2000 = false;
bool IsWindows2000OrLater = false;
bool IsWindowsXP = false;
bool IsWindowsXPOrLater = false;
bool IsWindows2000OrXP = false;
bool IsWindowsVista = false;
bool IsWindowsVistaOrLater = false;
bool IsWindows7 = false;
bool IsRunningUnderWow64 = false;

namespace {

// A failing query leaves the flag false.
bool QueryWow64() {
  win::BOOL wow64 = win::FALSE;
  return win::IsWow64Process(win::GetCurrentProcess(), &wow64) && wow64;
}

// Runs while the program's statics are set up, ahead of every unit start-up of the library.
[[maybe_unused]] const bool gInitialized = (InitializeOSVersionFlags(), true);

}  // namespace

void InitializeOSVersionFlags(const win::OSVERSIONINFO& Version) {
  const win::DWORD major = Version.dwMajorVersion;
  const win::DWORD minor = Version.dwMinorVersion;
  IsWindows9xPlatform = Version.dwPlatformId == win::VER_PLATFORM_WIN32_WINDOWS;
  IsWindows95 = IsWindows9xPlatform && minor == 0;
  IsWindows98 = IsWindows9xPlatform && minor == 10;
  IsWindowsME = IsWindows9xPlatform && minor == 90;
  IsWindowsNTPlatform = Version.dwPlatformId == win::VER_PLATFORM_WIN32_NT;
  IsWindows2000 = IsWindowsNTPlatform && major == 5 && minor == 0;
  IsWindows2000OrLater = IsWindowsNTPlatform && major >= 5;
  IsWindowsXP = IsWindowsNTPlatform && major == 5 && minor > 0;
  IsWindowsXPOrLater = IsWindows2000OrLater && !IsWindows2000;
  IsWindows2000OrXP = IsWindows2000 || IsWindowsXP;
  IsWindowsVista = IsWindowsNTPlatform && major == 6;
  IsWindowsVistaOrLater = IsWindowsNTPlatform && major >= 6;
  IsWindows7 = IsWindowsNTPlatform && major == 6 && minor == 1;
  IsRunningUnderWow64 = QueryWow64();
}

void InitializeOSVersionFlags() {
  win::OSVERSIONINFO version;
  if (!win::GetVersionEx(&version)) version = win::OSVERSIONINFO();
  InitializeOSVersionFlags(version);
}
