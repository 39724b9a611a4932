#pragma once
// The multiple-document interface: an "MDICLIENT" window inside a frame window holds the frame's
// documents as child windows with captions. The client keeps the active child, passes a
// maximized state on to the next child it activates, and puts a maximized child's window menu
// and caption buttons into the frame's menu bar.
#include "platform/win/Window.h"

namespace win {

// The last parameter of CreateWindowEx for an "MDICLIENT": the frame's menu that lists the
// children (or null), and the command of the first child in that list.
struct CLIENTCREATESTRUCT {
  HMENU hWindowMenu = nullptr;
  UINT idFirstChild = 0;
};

// WM_MDICREATE's lParam.
struct MDICREATESTRUCT {
  LPCSTR szClass = nullptr;
  LPCSTR szTitle = nullptr;
  HANDLE hOwner = nullptr;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  DWORD style = 0;
  LPARAM lParam = 0;
};

// The default procedure of a frame with an MDI client: window-menu and child commands, the
// client following the frame's size, focus and caption activation passed to the active child.
LRESULT DefFrameProc(HWND frame, HWND client, UINT msg, WPARAM wParam, LPARAM lParam);
// The default procedure of an MDI child: activation within the client, the next-window commands,
// and the frame's menu bar following the child's maximized state and title.
LRESULT DefMDIChildProc(HWND child, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace win
