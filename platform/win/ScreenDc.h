#pragma once
// Drawing on the screen: a DC of the desktop draws into the top-level windows' pixels under it.
#include "platform/system/Types.h"

namespace platform::wm {

win::HDC MakeScreenDc();
// Hands what was drawn to the windows that show it; false for a DC that is not a screen DC.
bool ReleaseScreenDc(win::HDC dc);

}  // namespace platform::wm
