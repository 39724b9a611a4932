// The caret: one per thread's focus owner, drawn by inverting the pixels under it, blinking on the
// caret blink time and taken off the screen while its window paints.
#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/ControlsInternal.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

constexpr UINT_PTR kBlinkTimer = 0xCA7E;

struct Caret {
  HWND hwnd = nullptr;
  int width = 0;
  int height = 0;
  bool grey = false;
  POINT pos;
  int hideCount = 1;   // a new caret is hidden until ShowCaret
  bool drawn = false;  // the inverted pixels are on screen now
  bool paintHidden = false;
};

thread_local Caret g_caret;
UINT g_blinkMs = 530;

void Invert() {
  Caret& c = g_caret;
  if (!c.hwnd || !IsWindow(c.hwnd)) return;
  HDC dc = GetDC(c.hwnd);
  if (!dc) return;
  if (c.grey) {
    HGDIOBJ old = SelectObject(dc, GetStockObject(GRAY_BRUSH));
    PatBlt(dc, c.pos.x, c.pos.y, c.width, c.height, PATINVERT);
    SelectObject(dc, old);
  } else {
    PatBlt(dc, c.pos.x, c.pos.y, c.width, c.height, DSTINVERT);
  }
  ReleaseDC(c.hwnd, dc);
  c.drawn = !c.drawn;
}

bool ShouldShow() { return g_caret.hwnd && g_caret.hideCount == 0 && !g_caret.paintHidden; }

void Erase() {
  if (g_caret.drawn) Invert();
}

void Blink(HWND, UINT, UINT_PTR, DWORD) {
  if (ShouldShow() || g_caret.drawn) Invert();
}

void RestartBlink() {
  if (!g_caret.hwnd) return;
  SetTimer(g_caret.hwnd, kBlinkTimer, g_blinkMs, Blink);
}

void PaintHook(HWND hwnd, bool hide) {
  if (hwnd != g_caret.hwnd) return;
  if (hide) {
    Erase();
    g_caret.paintHidden = true;
  } else {
    g_caret.paintHidden = false;
    if (ShouldShow() && !g_caret.drawn) Invert();
  }
}

struct Installer {
  Installer() { HideCaretHook = PaintHook; }
} g_installer;

}  // namespace

}  // namespace platform::wm

namespace win {

using namespace platform::wm;

BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height) {
  if (!IsWindow(hwnd)) return FALSE;
  DestroyCaret();
  Caret& c = g_caret;
  c = Caret{};
  c.hwnd = hwnd;
  c.grey = reinterpret_cast<UINT_PTR>(bitmap) == 1;
  c.width = width > 0 ? width : GetSystemMetrics(SM_CXBORDER);
  c.height = height > 0 ? height : GetSystemMetrics(SM_CYBORDER);
  RestartBlink();
  return TRUE;
}

BOOL DestroyCaret() {
  Caret& c = g_caret;
  if (!c.hwnd) return FALSE;
  Erase();
  if (IsWindow(c.hwnd)) KillTimer(c.hwnd, kBlinkTimer);
  c = Caret{};
  return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
  Caret& c = g_caret;
  if (!c.hwnd || (hwnd && hwnd != c.hwnd)) return FALSE;
  if (c.hideCount > 0 && --c.hideCount == 0) {
    if (ShouldShow() && !c.drawn) Invert();
    RestartBlink();
  }
  return TRUE;
}

BOOL HideCaret(HWND hwnd) {
  Caret& c = g_caret;
  if (!c.hwnd || (hwnd && hwnd != c.hwnd)) return FALSE;
  ++c.hideCount;
  Erase();
  return TRUE;
}

BOOL SetCaretPos(int x, int y) {
  Caret& c = g_caret;
  if (!c.hwnd) return FALSE;
  if (c.pos.x == x && c.pos.y == y) return TRUE;
  Erase();
  c.pos = {x, y};
  // A moved caret shows at once, so typing never waits for the blink.
  if (ShouldShow()) Invert();
  RestartBlink();
  return TRUE;
}

BOOL GetCaretPos(POINT* pt) {
  if (!pt) return FALSE;
  *pt = g_caret.pos;
  return TRUE;
}

BOOL SetCaretBlinkTime(UINT ms) {
  if (ms == 0) return FALSE;
  g_blinkMs = ms;
  RestartBlink();
  return TRUE;
}

UINT GetCaretBlinkTime() { return g_blinkMs; }

}  // namespace win

namespace platform::wm {
// The caret's window is going away: the caret goes with it.
void ForgetCaret(HWND hwnd) {
  if (g_caret.hwnd == hwnd) {
    g_caret.drawn = false;
    DestroyCaret();
  }
}
}  // namespace platform::wm
