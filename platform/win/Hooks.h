#pragma once
// Per-thread message hooks and the window system's remaining services: layered windows,
// window animation, monitors, system parameters, mouse tracking and dialog navigation.
#include "platform/gdi/Gdi.h"
#include "platform/system/Types.h"
#include "platform/win/Window.h"

namespace win {

using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

constexpr int WH_MSGFILTER = -1;
constexpr int WH_KEYBOARD = 2;
constexpr int WH_GETMESSAGE = 3;
constexpr int WH_CALLWNDPROC = 4;
constexpr int WH_CBT = 5;
constexpr int WH_MOUSE = 7;
constexpr int WH_CALLWNDPROCRET = 12;

constexpr int HC_ACTION = 0;
constexpr int HC_NOREMOVE = 3;

struct CWPSTRUCT {
  LPARAM lParam = 0;
  WPARAM wParam = 0;
  UINT message = 0;
  HWND hwnd = nullptr;
};

struct CWPRETSTRUCT {
  LRESULT lResult = 0;
  LPARAM lParam = 0;
  WPARAM wParam = 0;
  UINT message = 0;
  HWND hwnd = nullptr;
};

struct MOUSEHOOKSTRUCT {
  POINT pt;
  HWND hwnd = nullptr;
  UINT wHitTestCode = 0;
  ULONG_PTR dwExtraInfo = 0;
};

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE instance, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

// Layered windows.
constexpr DWORD LWA_COLORKEY = 0x1;
constexpr DWORD LWA_ALPHA = 0x2;
constexpr DWORD ULW_COLORKEY = 0x1;
constexpr DWORD ULW_ALPHA = 0x2;
constexpr DWORD ULW_OPAQUE = 0x4;

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags);
BOOL UpdateLayeredWindow(HWND hwnd, HDC dst, const POINT* ptDst, const SIZE* size, HDC src, const POINT* ptSrc,
                         COLORREF key, const BLENDFUNCTION* blend, DWORD flags);

constexpr DWORD AW_HOR_POSITIVE = 0x00000001;
constexpr DWORD AW_HOR_NEGATIVE = 0x00000002;
constexpr DWORD AW_VER_POSITIVE = 0x00000004;
constexpr DWORD AW_VER_NEGATIVE = 0x00000008;
constexpr DWORD AW_CENTER = 0x00000010;
constexpr DWORD AW_HIDE = 0x00010000;
constexpr DWORD AW_ACTIVATE = 0x00020000;
constexpr DWORD AW_SLIDE = 0x00040000;
constexpr DWORD AW_BLEND = 0x00080000;
BOOL AnimateWindow(HWND hwnd, DWORD timeMs, DWORD flags);

// Monitors: one screen, the primary one.
constexpr DWORD MONITOR_DEFAULTTONULL = 0;
constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 1;
constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;
constexpr DWORD MONITORINFOF_PRIMARY = 1;
struct MONITORINFO {
  DWORD cbSize = sizeof(MONITORINFO);
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags = 0;
};
HMONITOR MonitorFromPoint(POINT pt, DWORD flags);
HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
HMONITOR MonitorFromRect(const RECT* rc, DWORD flags);
BOOL GetMonitorInfo(HMONITOR monitor, MONITORINFO* info);
using MONITORENUMPROC = BOOL (*)(HMONITOR, HDC, RECT*, LPARAM);
BOOL EnumDisplayMonitors(HDC dc, const RECT* clip, MONITORENUMPROC proc, LPARAM data);

// System parameters the library reads.
constexpr UINT SPI_GETBEEP = 0x0001;
constexpr UINT SPI_GETMOUSE = 0x0003;
constexpr UINT SPI_GETKEYBOARDDELAY = 0x0016;
constexpr UINT SPI_GETKEYBOARDSPEED = 0x000A;
constexpr UINT SPI_GETICONTITLELOGFONT = 0x001F;
constexpr UINT SPI_SETICONTITLELOGFONT = 0x0022;
constexpr UINT SPI_GETDRAGFULLWINDOWS = 0x0026;
constexpr UINT SPI_GETNONCLIENTMETRICS = 0x0029;
constexpr UINT SPI_SETNONCLIENTMETRICS = 0x002A;
constexpr UINT SPI_SETWORKAREA = 0x002F;
constexpr UINT SPI_GETWORKAREA = 0x0030;
constexpr UINT SPI_GETHIGHCONTRAST = 0x0042;
constexpr UINT SPI_GETFONTSMOOTHING = 0x004A;
constexpr UINT SPI_GETMOUSEHOVERWIDTH = 0x0062;
constexpr UINT SPI_GETMOUSEHOVERHEIGHT = 0x0064;
constexpr UINT SPI_GETMOUSEHOVERTIME = 0x0066;
constexpr UINT SPI_GETWHEELSCROLLLINES = 0x0068;
constexpr UINT SPI_GETMENUSHOWDELAY = 0x006A;
constexpr UINT SPI_GETACTIVEWINDOWTRACKING = 0x1000;
constexpr UINT SPI_GETMENUANIMATION = 0x1002;
constexpr UINT SPI_GETCOMBOBOXANIMATION = 0x1004;
constexpr UINT SPI_GETLISTBOXSMOOTHSCROLLING = 0x1006;
constexpr UINT SPI_GETGRADIENTCAPTIONS = 0x1008;
constexpr UINT SPI_GETKEYBOARDCUES = 0x100A;
constexpr UINT SPI_GETMENUUNDERLINES = 0x100A;
constexpr UINT SPI_GETHOTTRACKING = 0x100E;
constexpr UINT SPI_GETMENUFADE = 0x1012;
constexpr UINT SPI_GETSELECTIONFADE = 0x1014;
constexpr UINT SPI_GETTOOLTIPANIMATION = 0x1016;
constexpr UINT SPI_GETTOOLTIPFADE = 0x1018;
constexpr UINT SPI_GETCURSORSHADOW = 0x101A;
constexpr UINT SPI_GETFLATMENU = 0x1022;
constexpr UINT SPI_GETDROPSHADOW = 0x1024;
constexpr UINT SPI_GETUIEFFECTS = 0x103E;
constexpr UINT SPI_GETFOCUSBORDERWIDTH = 0x200E;
constexpr UINT SPI_GETFOCUSBORDERHEIGHT = 0x2010;

// The fonts and sizes of the non-client area, in the layout callers size their buffers for (340 bytes).
struct NONCLIENTMETRICS {
  UINT cbSize = sizeof(NONCLIENTMETRICS);
  int iBorderWidth = 0;
  int iScrollWidth = 0;
  int iScrollHeight = 0;
  int iCaptionWidth = 0;
  int iCaptionHeight = 0;
  LOGFONTA lfCaptionFont{};
  int iSmCaptionWidth = 0;
  int iSmCaptionHeight = 0;
  LOGFONTA lfSmCaptionFont{};
  int iMenuWidth = 0;
  int iMenuHeight = 0;
  LOGFONTA lfMenuFont{};
  LOGFONTA lfStatusFont{};
  LOGFONTA lfMessageFont{};
};
// Setting a parameter: each Set action is its Get action's partner.
constexpr UINT SPI_SETBEEP = 0x0002;
constexpr UINT SPI_SETKEYBOARDSPEED = 0x000B;
constexpr UINT SPI_SETKEYBOARDDELAY = 0x0017;
constexpr UINT SPI_SETDRAGFULLWINDOWS = 0x0025;
constexpr UINT SPI_SETFONTSMOOTHING = 0x004B;
constexpr UINT SPI_SETMOUSEHOVERWIDTH = 0x0063;
constexpr UINT SPI_SETMOUSEHOVERHEIGHT = 0x0065;
constexpr UINT SPI_SETMOUSEHOVERTIME = 0x0067;
constexpr UINT SPI_SETWHEELSCROLLLINES = 0x0069;
constexpr UINT SPI_SETMENUSHOWDELAY = 0x006B;
constexpr UINT SPI_SETACTIVEWINDOWTRACKING = 0x1001;
constexpr UINT SPI_SETMENUANIMATION = 0x1003;
constexpr UINT SPI_SETCOMBOBOXANIMATION = 0x1005;
constexpr UINT SPI_SETLISTBOXSMOOTHSCROLLING = 0x1007;
constexpr UINT SPI_SETGRADIENTCAPTIONS = 0x1009;
constexpr UINT SPI_SETKEYBOARDCUES = 0x100B;
constexpr UINT SPI_SETMENUUNDERLINES = 0x100B;
constexpr UINT SPI_SETHOTTRACKING = 0x100F;
constexpr UINT SPI_SETMENUFADE = 0x1013;
constexpr UINT SPI_SETSELECTIONFADE = 0x1015;
constexpr UINT SPI_SETTOOLTIPANIMATION = 0x1017;
constexpr UINT SPI_SETTOOLTIPFADE = 0x1019;
constexpr UINT SPI_SETCURSORSHADOW = 0x101B;
constexpr UINT SPI_SETFLATMENU = 0x1023;
constexpr UINT SPI_SETDROPSHADOW = 0x1025;
constexpr UINT SPI_SETUIEFFECTS = 0x103F;
constexpr UINT SPI_SETFOCUSBORDERWIDTH = 0x200F;
constexpr UINT SPI_SETFOCUSBORDERHEIGHT = 0x2011;
constexpr UINT SPIF_UPDATEINIFILE = 0x0001;
constexpr UINT SPIF_SENDCHANGE = 0x0002;
constexpr UINT SPIF_SENDWININICHANGE = SPIF_SENDCHANGE;
// SPI_GETWHEELSCROLLLINES' answer for "a page per notch".
constexpr UINT WHEEL_PAGESCROLL = 0xFFFFFFFF;

// Get actions write a BOOL or a UINT to `data`. Set actions take the value in `param`, or for the
// effects settings (0x1000 and up) in the pointer's place; with SPIF_SENDCHANGE every top-level
// window is sent WM_SETTINGCHANGE with the action in wParam. Settings last for the process.
BOOL SystemParametersInfo(UINT action, UINT param, void* data, UINT winIni);

// Mouse tracking.
constexpr DWORD TME_HOVER = 0x00000001;
constexpr DWORD TME_LEAVE = 0x00000002;
constexpr DWORD TME_NONCLIENT = 0x00000010;
constexpr DWORD TME_QUERY = 0x40000000;
constexpr DWORD TME_CANCEL = 0x80000000;
constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;
struct TRACKMOUSEEVENT {
  DWORD cbSize = sizeof(TRACKMOUSEEVENT);
  DWORD dwFlags = 0;
  HWND hwndTrack = nullptr;
  DWORD dwHoverTime = HOVER_DEFAULT;
};
BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme);
BOOL DragDetect(HWND hwnd, POINT pt);

// Dialog navigation; the DLGC_ codes and IDOK/IDCANCEL are in Controls.h.
// Tab and group order come from GetNextDlgTabItem and GetNextDlgGroupItem (Controls.h).
BOOL IsDialogMessage(HWND dialog, MSG* msg);

}  // namespace win

namespace platform {

// Puts every setting SystemParametersInfo can change back to a fresh desktop's value (tests).
void ResetSystemParameters();

}  // namespace platform
