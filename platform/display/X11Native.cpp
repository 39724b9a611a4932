#include "platform/display/X11Native.h"

#ifdef VW_DISPLAY_X11
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/shape.h>

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace platform::x11 {
namespace {

std::atomic<bool> g_lost{false};
std::atomic<bool> g_exiting{false};

// Never returns: the X library would end the process itself if it did.
int OnConnectionLost(::Display* display) {
  if (g_lost.exchange(true) || g_exiting) {
    // Lost again while ending (the teardown, or another thread, met the dead connection), or lost
    // while the process was already ending: ending it again would start the teardown over.
    _exit(EXIT_FAILURE);
  }
  const char* name = display ? DisplayString(display) : nullptr;
  std::fprintf(stderr, "%s: lost the connection to the display %s (the X server ended); ending\n",
               program_invocation_short_name, name && *name ? name : "");
  std::exit(EXIT_FAILURE);
}

XErrorHandler g_nextErrorHandler = nullptr;

// A thread waking the event loop sends its wake-up to a window of ours; when that window was
// destroyed a moment before, the server answers BadWindow, and the X library's own handler would
// end the program for a message nobody needs any more. Every other error goes on as before.
int OnRequestError(::Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  return g_nextErrorHandler ? g_nextErrorHandler(display, error) : 0;
}

bool Native(SDL_Window* window, ::Display*& display, ::Window& xwindow) {
  if (!window) return false;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  display = info.info.x11.display;
  xwindow = info.info.x11.window;
  return display != nullptr;
}

bool HasShapeExtension(::Display* display) {
  int eventBase = 0, errorBase = 0;
  return XShapeQueryExtension(display, &eventBase, &errorBase);
}

}  // namespace

bool IsX11(SDL_Window* window) {
  ::Display* display = nullptr;
  ::Window xwindow = 0;
  return Native(window, display, xwindow);
}

std::string DefaultVisualId(SDL_Window* anyWindow) {
  ::Display* display = nullptr;
  ::Window xwindow = 0;
  if (!Native(anyWindow, display, xwindow)) return {};
  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", XVisualIDFromVisual(DefaultVisual(display, DefaultScreen(display))));
  return id;
}

void UseDefaultColormap(SDL_Window* window) {
  ::Display* display = nullptr;
  ::Window xwindow = 0;
  if (!Native(window, display, xwindow)) return;
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, xwindow, &attributes)) return;
  int screen = XScreenNumberOfScreen(attributes.screen);
  if (attributes.visual != DefaultVisual(display, screen)) return;
  XSetWindowColormap(display, xwindow, DefaultColormap(display, screen));
  XFlush(display);
}

void Flush(SDL_Window* window) {
  ::Display* display = nullptr;
  ::Window xwindow = 0;
  if (Native(window, display, xwindow)) XFlush(display);
}

void Restack(const std::vector<SDL_Window*>& topToBottom) {
  ::Display* display = nullptr;
  std::vector<::Window> windows;
  for (SDL_Window* w : topToBottom) {
    ::Window xwindow = 0;
    if (Native(w, display, xwindow)) windows.push_back(xwindow);
  }
  if (!display || windows.size() < 2) return;
  XRestackWindows(display, windows.data(), static_cast<int>(windows.size()));
  XFlush(display);
}

void SetShape(SDL_Window* window, const std::vector<ScreenRect>* rects) {
  ::Display* display = nullptr;
  ::Window xwindow = 0;
  if (!Native(window, display, xwindow) || !HasShapeExtension(display)) return;
  if (!rects) {
    XShapeCombineMask(display, xwindow, ShapeBounding, 0, 0, None, ShapeSet);
  } else {
    std::vector<XRectangle> xr;
    xr.reserve(rects->size());
    for (const ScreenRect& r : *rects) {
      if (r.Width() <= 0 || r.Height() <= 0) continue;
      xr.push_back({static_cast<short>(r.left), static_cast<short>(r.top), static_cast<unsigned short>(r.Width()),
                    static_cast<unsigned short>(r.Height())});
    }
    XShapeCombineRectangles(display, xwindow, ShapeBounding, 0, 0, xr.data(), static_cast<int>(xr.size()), ShapeSet,
                            Unsorted);
  }
  XFlush(display);
}

bool QueryPointer(SDL_Window* anyWindow, int& x, int& y) {
  ::Display* display = nullptr;
  ::Window xwindow = 0;
  if (!Native(anyWindow, display, xwindow)) return false;
  ::Window root = 0, child = 0;
  int winX = 0, winY = 0;
  unsigned mask = 0;
  return XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &winX, &winY, &mask);
}

bool CompositorRunning(SDL_Window* anyWindow) {
  ::Display* display = nullptr;
  ::Window xwindow = 0;
  if (!Native(anyWindow, display, xwindow)) return false;
  std::string name = "_NET_WM_CM_S" + std::to_string(DefaultScreen(display));
  Atom atom = XInternAtom(display, name.c_str(), False);
  return atom != None && XGetSelectionOwner(display, atom) != None;
}

void EndOnConnectionLoss() {
  static const bool once = [] {
    std::atexit([] { g_exiting = true; });
    return true;
  }();
  (void)once;
  XSetIOErrorHandler(OnConnectionLost);
  XErrorHandler previous = XSetErrorHandler(OnRequestError);
  if (previous != OnRequestError) g_nextErrorHandler = previous;
}

bool ConnectionLost() { return g_lost; }

}  // namespace platform::x11

#else

namespace platform::x11 {
bool IsX11(SDL_Window*) { return false; }
std::string DefaultVisualId(SDL_Window*) { return {}; }
void UseDefaultColormap(SDL_Window*) {}
void Flush(SDL_Window*) {}
void Restack(const std::vector<SDL_Window*>&) {}
void SetShape(SDL_Window*, const std::vector<ScreenRect>*) {}
bool QueryPointer(SDL_Window*, int&, int&) { return false; }
bool CompositorRunning(SDL_Window*) { return false; }
void EndOnConnectionLoss() {}
bool ConnectionLost() { return false; }
}  // namespace platform::x11

#endif
