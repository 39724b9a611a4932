#include "platform/win/Help.h"

#include <mutex>

#include "platform/win/Window.h"

namespace {

std::mutex g_mutex;
std::vector<platform::WinHelpCall> g_calls;

// Kept as a window property: few windows have one, and it goes with the window.
constexpr const char* kContextHelpProp = "vw.ContextHelpId";

}  // namespace

namespace win {

BOOL WinHelp(HWND hwnd, LPCSTR helpFile, UINT command, ULONG_PTR data) {
  std::lock_guard lock(g_mutex);
  g_calls.push_back({hwnd, helpFile ? helpFile : "", command, data});
  return TRUE;
}

BOOL SetWindowContextHelpId(HWND hwnd, DWORD contextId) {
  if (!IsWindow(hwnd)) return FALSE;
  if (contextId == 0) {
    RemoveProp(hwnd, kContextHelpProp);
    return TRUE;
  }
  return SetProp(hwnd, kContextHelpProp, reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(contextId)));
}

DWORD GetWindowContextHelpId(HWND hwnd) {
  return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(GetProp(hwnd, kContextHelpProp)));
}

}  // namespace win

namespace platform {

std::vector<WinHelpCall> WinHelpCalls() {
  std::lock_guard lock(g_mutex);
  return g_calls;
}

void ClearWinHelpCalls() {
  std::lock_guard lock(g_mutex);
  g_calls.clear();
}

}  // namespace platform
