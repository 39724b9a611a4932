#pragma once
// Internal state of the window system, shared by its translation units. Nothing outside
// platform/win includes this.
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/gdi/Region.h"
#include "platform/system/HandleTable.h"
#include "platform/win/Window.h"

namespace platform::wm {

struct WindowClass {
  std::string name;        // as registered
  std::string key;         // upper-cased for lookup
  win::ATOM atom = 0;
  win::UINT style = 0;
  win::WNDPROC proc = nullptr;
  int clsExtra = 0;
  int wndExtra = 0;
  win::HINSTANCE instance = nullptr;
  win::HICON icon = nullptr;
  win::HICON iconSm = nullptr;
  win::HCURSOR cursor = nullptr;
  win::HBRUSH background = nullptr;
  std::string menuName;
  std::vector<win::BYTE> extra;
  bool system = false;
  int windows = 0;  // live windows of the class; a class in use cannot be unregistered
};

struct Window;

// The pixels of a top-level window and what of them the screen has not yet seen.
struct BackingStore {
  std::vector<std::uint32_t> pixels;
  int width = 0;
  int height = 0;
  Region dirty;  // in window coordinates
  SurfaceId surface = 0;
  PixelBuffer Buffer() { return {pixels.data(), width, height, width}; }
};

struct Window {
  win::HWND handle = nullptr;
  WindowClass* cls = nullptr;
  win::WNDPROC proc = nullptr;
  win::DWORD style = 0;
  win::DWORD exStyle = 0;
  std::string text;
  win::HWND parent = nullptr;   // null for top-level windows
  win::HWND owner = nullptr;
  bool messageOnly = false;
  std::vector<win::HWND> children;  // z-order, topmost first
  win::RECT rect;                   // in the parent's client coordinates, screen for top-level
  win::RECT client;                 // client area in window coordinates (origin at rect's top-left)
  win::LONG_PTR id = 0;             // child id, or the menu of a top-level window
  win::LONG_PTR userData = 0;
  std::vector<win::BYTE> extra;
  std::map<std::string, win::HANDLE> props;
  win::HINSTANCE instance = nullptr;
  win::DWORD threadId = 0;

  // Painting state, in window coordinates.
  Region update;
  bool erasePending = false;
  bool framePending = false;  // the non-client area needs WM_NCPAINT
  bool internalPaint = false;
  bool inPaint = false;
  bool redrawOff = false;     // WM_SETREDRAW FALSE

  bool destroying = false;
  bool created = false;       // WM_NCCREATE has returned TRUE
  int showState = 0;          // SW_ state last applied: normal, minimized, maximized
  win::RECT normalRect;       // restored position while minimized or maximized

  std::unique_ptr<BackingStore> store;
  std::unique_ptr<Region> windowRgn;    // SetWindowRgn, in window coordinates
  platform::LayerAttributes layer;      // layered-window attributes of a top-level window
  bool layered = false;
  bool ncActive = false;                // WM_NCACTIVATE state: the caption is drawn active
  win::WORD uiState = 0;                // keyboard cues hidden (UISF_ flags)
  win::HICON bigIcon = nullptr;         // WM_SETICON's, not owned
  win::HICON smallIcon = nullptr;
  win::LRESULT ncPressed = 0;           // caption button shown pressed  // top-level windows that are not message-only

  bool Visible() const { return (style & win::WS_VISIBLE) != 0; }
  bool IsChild() const { return (style & win::WS_CHILD) != 0 && parent != nullptr; }
  int Width() const { return rect.right - rect.left; }
  int Height() const { return rect.bottom - rect.top; }
};

struct Timer {
  win::HWND hwnd = nullptr;
  win::UINT_PTR id = 0;
  win::UINT interval = 0;
  win::TIMERPROC proc = nullptr;
  std::uint64_t due = 0;
  bool posted = false;  // a WM_TIMER for it is waiting to be taken
  std::uint64_t sequence = 0;  // order of creation, for timers due at once
};

struct SentMessage {
  win::HWND hwnd;
  win::UINT msg;
  win::WPARAM wParam;
  win::LPARAM lParam;
  win::LRESULT result = 0;
  bool done = false;
  bool notify = false;  // SendNotifyMessage: nobody waits for the result
  std::uint32_t senderThread = 0;
};

// One message queue per thread that uses the window system.
struct ThreadQueue {
  win::DWORD threadId = 0;
  std::mutex mutex;
  std::condition_variable wake;
  std::deque<win::MSG> posted;
  std::deque<win::MSG> input;
  std::deque<std::shared_ptr<SentMessage>> sent;
  bool quitPending = false;
  int quitCode = 0;
  bool ended = false;  // the thread has ended: nothing sent to it is taken any more
  bool displayThread = false;
  std::vector<Timer> timers;
  std::uint64_t timerSequence = 0;
  // What the thread is processing now, for InSendMessage and GetMessageTime.
  SentMessage* currentSent = nullptr;
  win::DWORD lastMessageTime = 0;
  win::DWORD lastMessagePos = 0;
};

// The table of windows; all access happens on the thread that owns a window, except for the
// posting functions, which only take the queue's lock.
HandleTable<Window>& Windows();
Window* Find(win::HWND hwnd);
// As Find, and sets ERROR_INVALID_WINDOW_HANDLE when the handle is stale or foreign.
Window* Get(win::HWND hwnd);
// The thread of a window, safe to ask from any thread while the window may be destroyed; 0 (and
// ERROR_INVALID_WINDOW_HANDLE) when the handle is stale.
win::DWORD ThreadOfWindow(win::HWND hwnd);
// Whether the calling thread has created windows that still stand.
bool CurrentThreadOwnsWindows();

ThreadQueue& CurrentQueue();
ThreadQueue* QueueOf(win::DWORD threadId);
void WakeQueue(ThreadQueue& q);

WindowClass* FindClass(const std::string& name);
void RegisterSystemClasses();

// Top-level windows, topmost first.
std::vector<win::HWND>& TopLevels();

// The window the mouse finds under a screen point, with its hit-test code (may be null).
win::HWND WindowUnderPoint(win::POINT pt, win::LRESULT* hit);

// Geometry helpers (window coordinates are relative to the window rect's top-left).
win::RECT ScreenRect(const Window& w);
win::POINT ClientOriginOnScreen(const Window& w);
Window* TopLevelOf(Window* w);
// The window's rectangle, or its client area, in its top-level window's coordinates.
win::RECT RectInTop(const Window& w, bool clientOnly);
// Where the window can be seen within its top-level's backing store, in top-level coordinates.
Region VisibleRegion(Window& w, bool clientOnly, bool clipChildren, bool clipSiblings);

// Non-client metrics.
win::RECT NonClientInsets(win::DWORD style, win::DWORD exStyle, bool menu);
// The menu bar's height of a top-level window, set once menus exist; null means no menu bars.
extern int (*NonClientMenuHeight)(const Window&);
win::RECT DefaultClientRect(const Window& w, const win::RECT& windowRect);
void RecalcClient(Window& w);

// Painting.
void InvalidateWindowArea(Window& w, const Region& area, bool erase, bool includeChildren, bool frame);
void MarkDirty(Window& top, const Region& area);
void PresentAll();
void EnsureBackingStore(Window& w);
// The top level's pixels were made anew: DCs still held into the old ones follow their windows.
void RetargetWindowDcs(Window& top);
bool FindPaintWindow(win::DWORD threadId, win::HWND filter, win::HWND& out);
void SendPaintMessages(Window& w, bool recurse);

// Hit testing beyond the rectangle: the window region (window coordinates) and the surface's
// colour key (screen coordinates).
bool WindowRegionHit(const Window& w, win::POINT windowPt);
bool SurfaceHit(const Window& top, win::POINT screenPt);

// Activation and focus follow windows being shown, hidden, disabled and destroyed.
void OnWindowShown(win::HWND hwnd);
void OnWindowHidden(win::HWND hwnd);
void OnWindowDisabled(win::HWND hwnd);

// Input from the display.
void PumpDisplay(ThreadQueue& q);
void PlaceInputMessage(const win::MSG& msg);
win::POINT CursorPosition();
void EnsureSurface(Window& w);
platform::SurfaceFlags SurfaceFlagsOf(const Window& w);
void SyncSurfaceFlags(Window& w);
void ApplySurfaceAttributes(Window& w);

// The caret hides while its window paints (set once the caret exists).
void HideCaretForPaint(win::HWND hwnd, bool hide);

// Non-client drawing and the default handling DefWindowProc delegates to.
win::RECT CaptionRect(const Window& w);
win::RECT CaptionButtonRect(const Window& w, win::LRESULT which);
bool IsActiveFrame(const Window& w);
void PaintNonClient(Window& w, win::HDC dc);
win::LRESULT NonClientHitTest(Window& w, win::POINT screen);
extern void (*NonClientMenuPainter)(Window&, win::HDC);
extern void (*NonClientScrollPainter)(Window&, win::HDC);
inline bool HasCaptionStyle(win::DWORD style) { return (style & win::WS_CAPTION) == win::WS_CAPTION; }
win::LRESULT DefSysCommand(Window& w, win::WPARAM wParam, win::LPARAM lParam);
win::LRESULT DefSetCursor(Window& w, win::WPARAM wParam, win::LPARAM lParam);
win::LRESULT DefNonClientMouse(Window& w, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
win::LRESULT DefKeyboard(Window& w, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
// WM_CHANGEUISTATE, WM_UPDATEUISTATE and WM_QUERYUISTATE.
win::LRESULT DefUiState(Window& w, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);

// Hooks around message retrieval: the get-message hook may change the message; the mouse and
// keyboard hooks may swallow input (true).
void RunGetMessageHooks(win::MSG& msg, bool remove);
bool RunInputHooks(const win::MSG& msg, bool remove);
// A pending hover notification's time (platform clock), or UINT64_MAX.
std::uint64_t HoverDeadline();
void CheckHover();

// Where later parts of the window system plug in: the move and size loops, the window menu,
// caption button tracking, the caret and the standard window classes.
extern win::LRESULT (*SizeMoveLoop)(Window&, win::WPARAM, win::LPARAM);
extern win::LRESULT (*KeyMenu)(Window&, win::WPARAM, win::LPARAM);
extern void (*CaptionButtonLoop)(Window&, win::LRESULT);
extern void (*HideCaretHook)(win::HWND, bool);
extern void (*SystemClassRegistrar)();

void ForgetWindowInput(win::HWND hwnd);
void ForgetWindowPaint(win::HWND hwnd);
void ForgetWindowTimers(win::HWND hwnd, win::DWORD threadId);

// The MDI client: its class procedure, children joining and leaving it, a click activating the
// child it lands in, and where a minimized child lies.
extern win::WNDPROC MdiClientProc;
void MdiChildCreated(win::HWND child);
void MdiChildDestroying(win::HWND child);
void MdiActivateOnClick(win::HWND target);
win::RECT MdiIconSlot(win::HWND child);
// A frame's menu bar replaced, or a menu about to be destroyed.
void MdiFrameMenuChanged(win::HWND frame);
void MdiMenuDestroying(win::HMENU menu);

// Destruction clean-up in other modules.
void ForgetWindow(win::HWND hwnd);

// Sends a message to a window procedure with the hooks of the calling thread.
win::LRESULT CallProc(Window& w, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
// The message hooks, once installed, run around every window procedure call.
extern win::LRESULT (*ProcHook)(Window&, win::UINT, win::WPARAM, win::LPARAM);

}  // namespace platform::wm
