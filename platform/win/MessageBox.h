#pragma once
// Message boxes.
#include "platform/system/Types.h"
#include "platform/win/Window.h"

namespace win {

constexpr UINT MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4,
               MB_RETRYCANCEL = 0x5, MB_TYPEMASK = 0xF, MB_ICONHAND = 0x10, MB_ICONERROR = 0x10, MB_ICONSTOP = 0x10,
               MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30, MB_ICONWARNING = 0x30, MB_ICONASTERISK = 0x40,
               MB_ICONINFORMATION = 0x40, MB_ICONMASK = 0xF0, MB_DEFBUTTON1 = 0x0, MB_DEFBUTTON2 = 0x100,
               MB_DEFBUTTON3 = 0x200, MB_DEFMASK = 0xF00, MB_APPLMODAL = 0x0, MB_SYSTEMMODAL = 0x1000,
               MB_TASKMODAL = 0x2000, MB_SETFOREGROUND = 0x10000, MB_TOPMOST = 0x40000;

// Modal to the owner's top-level window; returns the pressed button's id (IDOK, IDCANCEL, ...).
// Button texts follow the desktop's language (Chinese where the locale is zh, English otherwise).
int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

}  // namespace win
