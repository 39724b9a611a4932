#pragma once
// The few things SDL leaves out and the X server can do directly: exact stacking, window shapes
// and asking whether a compositor runs. Kept apart so that X's global names never meet ours.
// Every function is a no-op (or answers false) when the window is not an X window.
#include <string>
#include <vector>

#include "platform/display/Display.h"

struct SDL_Window;

namespace platform::x11 {

bool IsX11(SDL_Window* window);
// The id of the screen's default visual ("0x21"), or empty off X. Windows of another visual, or
// with a colormap of their own, hide what lies beneath even where they are shaped away.
std::string DefaultVisualId(SDL_Window* anyWindow);
// Gives a window of the default visual the screen's default colormap.
void UseDefaultColormap(SDL_Window* window);
// Sends what SDL has queued for the server now rather than at its next event pump.
void Flush(SDL_Window* window);
// Stacks the windows in the given order, topmost first, without touching the focus.
void Restack(const std::vector<SDL_Window*>& topToBottom);
// Limits what the window shows and where it takes the mouse; nullptr gives back the whole rectangle.
void SetShape(SDL_Window* window, const std::vector<ScreenRect>* rects);
// The pointer as the server has it now; SDL's own figure lags until its next events arrive.
bool QueryPointer(SDL_Window* anyWindow, int& x, int& y);
// True when a compositing manager owns the screen, so window opacity can be seen.
bool CompositorRunning(SDL_Window* anyWindow);

// The X library ends the process when its connection breaks, and its way of ending ran our
// teardown into calls that wait for ever on the dead connection. From here on a lost connection
// prints one line and ends the process with status 1; ConnectionLost() then tells the teardown
// to leave the native windows alone. Installed before the video system opens, and again after,
// since that puts its own handler in front of ours.
void EndOnConnectionLoss();
bool ConnectionLost();

}  // namespace platform::x11
