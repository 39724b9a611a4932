#pragma once
// What the platform reports about the operating system it is. The system's code takes its
// Windows Vista-and-later branches throughout, so the answer is Windows 7 (NT 6.1), and a process
// that is never a 32-bit one on a 64-bit system.
#include "platform/system/Types.h"

namespace win {

constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFO {
  DWORD dwOSVersionInfoSize = sizeof(OSVERSIONINFO);
  DWORD dwMajorVersion = 0;
  DWORD dwMinorVersion = 0;
  DWORD dwBuildNumber = 0;
  DWORD dwPlatformId = 0;
  char szCSDVersion[128] = {};
};

inline BOOL GetVersionEx(OSVERSIONINFO* info) {
  if (!info) return FALSE;
  info->dwMajorVersion = 6;
  info->dwMinorVersion = 1;
  info->dwBuildNumber = 7601;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  info->szCSDVersion[0] = '\0';
  return TRUE;
}

// The pseudo handle that stands for the calling process.
inline HANDLE GetCurrentProcess() { return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1)); }

// The operating system's number for this process.
DWORD GetCurrentProcessId();

inline BOOL IsWow64Process(HANDLE process, BOOL* wow64) {
  if (!process || !wow64) return FALSE;
  *wow64 = FALSE;
  return TRUE;
}

}  // namespace win
