#pragma once
// The non-client area of a sizable drop-down window of the bar library: the border and, above or
// below the client area, a panel with a size grip in one corner and a close button at its other
// end.
#include "platform/win/Window.h"
#include "ui/controls/DropDownGrip.h"
#include "ui/foundation/Types.h"

// Paints the frame into the window's own DC. The grip's corner puts the panel at the top (top
// corners) or the bottom; the close button goes to the panel's other end. GripRect and CloseRect
// receive where the two ended up, on the screen, for the window's hit tests; both are empty without
// a panel, and CloseRect also when the panel is too low for a button.
void DrawDropDownFrame(win::HWND Window, bool ShowPanel, bool Flat, bool CloseHot, bool CloseDown, TRect& GripRect,
                       TRect& CloseRect, TcxGripCorner Corner);
