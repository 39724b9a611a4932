#pragma once
// Which Windows the program runs on, as the library's version-dependent code asks it (AlphaBlend,
// for one, is never used on the 9x platform). Computed from the platform's answer before any of
// the library's units starts.
#include "platform/system/Version.h"

extern bool IsWindows9xPlatform;
extern bool IsWindows95;
extern bool IsWindows98;
extern bool IsWindowsME;
extern bool IsWindowsNTPlatform;
extern bool IsWindows2000;
extern bool IsWindows2000OrLater;
extern bool IsWindowsXP;
extern bool IsWindowsXPOrLater;
extern bool IsWindows2000OrXP;
extern bool IsWindowsVista;
extern bool IsWindowsVistaOrLater;
extern bool IsWindows7;
extern bool IsRunningUnderWow64;

// Sets the flags from the platform's version answer.
void InitializeOSVersionFlags();
// Sets the flags for the given version; the WOW64 flag still comes from the platform.
void InitializeOSVersionFlags(const win::OSVERSIONINFO& Version);
