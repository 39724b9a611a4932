#pragma once
// Help: F1 asks the focused window for help with WM_HELP, which climbs to the parent and the
// owner until someone answers it; WinHelp has no help viewer behind it here and only keeps a
// record of what it was asked, so that tests can read it.
#include <string>
#include <vector>

#include "platform/system/Types.h"

namespace win {

constexpr int HELPINFO_WINDOW = 1, HELPINFO_MENUITEM = 2;

// WM_HELP's lParam. For a window, iCtrlId is its child id, hItemHandle the window itself and
// dwContextId its context help id; MousePos is where the pointer was, in screen coordinates.
struct HELPINFO {
  UINT cbSize = sizeof(HELPINFO);
  int iContextType = HELPINFO_WINDOW;
  int iCtrlId = 0;
  HANDLE hItemHandle = nullptr;
  DWORD_PTR dwContextId = 0;
  POINT MousePos{};
};
using LPHELPINFO = HELPINFO*;

constexpr UINT HELP_CONTEXT = 0x0001, HELP_QUIT = 0x0002, HELP_INDEX = 0x0003, HELP_CONTENTS = 0x0003,
               HELP_HELPONHELP = 0x0004, HELP_SETINDEX = 0x0005, HELP_SETCONTENTS = 0x0005,
               HELP_CONTEXTPOPUP = 0x0008, HELP_FORCEFILE = 0x0009, HELP_KEY = 0x0101, HELP_COMMAND = 0x0102,
               HELP_PARTIALKEY = 0x0105, HELP_MULTIKEY = 0x0201, HELP_SETWINPOS = 0x0203,
               HELP_CONTEXTMENU = 0x000a, HELP_FINDER = 0x000b, HELP_WM_HELP = 0x000c, HELP_SETPOPUP_POS = 0x000d;

// Recorded; TRUE, as a viewer that took the request would answer. HELP_QUIT needs no file.
BOOL WinHelp(HWND hwnd, LPCSTR helpFile, UINT command, ULONG_PTR data);
inline BOOL WinHelpA(HWND hwnd, LPCSTR helpFile, UINT command, ULONG_PTR data) {
  return WinHelp(hwnd, helpFile, command, data);
}

BOOL SetWindowContextHelpId(HWND hwnd, DWORD contextId);
DWORD GetWindowContextHelpId(HWND hwnd);

}  // namespace win

namespace platform {

struct WinHelpCall {
  win::HWND hwnd = nullptr;
  std::string helpFile;
  win::UINT command = 0;
  win::ULONG_PTR data = 0;
  friend bool operator==(const WinHelpCall&, const WinHelpCall&) = default;
};

// Every WinHelp call so far, oldest first.
std::vector<WinHelpCall> WinHelpCalls();
void ClearWinHelpCalls();

}  // namespace platform
