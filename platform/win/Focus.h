#pragma once
// Activation, keyboard focus, mouse capture, the cursor, key states and window regions.
#include "platform/system/Types.h"
#include "platform/win/Window.h"

namespace win {

HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND hwnd);

HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

BOOL GetCursorPos(POINT* pt);
BOOL SetCursorPos(int x, int y);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
int ShowCursor(BOOL show);
HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name);
BOOL DestroyCursor(HCURSOR cursor);
UINT GetDoubleClickTime();
BOOL SetDoubleClickTime(UINT ms);

inline const LPCSTR IDC_ARROW = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(32512));
inline const LPCSTR IDC_IBEAM = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(32513));
inline const LPCSTR IDC_WAIT = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(32514));
inline const LPCSTR IDC_CROSS = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(32515));
inline const LPCSTR IDC_UPARROW = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(32516));
inline const LPCSTR IDC_SIZENWSE = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(32642));
inline const LPCSTR IDC_SIZENESW = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(32643));
inline const LPCSTR IDC_SIZEWE = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(32644));
inline const LPCSTR IDC_SIZENS = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(32645));
inline const LPCSTR IDC_SIZEALL = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(32646));
inline const LPCSTR IDC_NO = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(32648));
inline const LPCSTR IDC_HAND = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(32649));
inline const LPCSTR IDC_APPSTARTING = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(32650));
inline const LPCSTR IDC_HELP = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(32651));

BOOL MessageBeep(UINT type);
BOOL Beep(DWORD frequency, DWORD durationMs);

// Key states: the high bit (0x8000 for GetKeyState's SHORT) is down, the low bit toggled.
SHORT GetKeyState(int vk);
SHORT GetAsyncKeyState(int vk);
BOOL GetKeyboardState(BYTE* state);
BOOL SetKeyboardState(const BYTE* state);

// Window regions: the window owns the region once set; coordinates are the window's own.
int SetWindowRgn(HWND hwnd, HRGN rgn, BOOL redraw);
int GetWindowRgn(HWND hwnd, HRGN rgn);


}  // namespace win
