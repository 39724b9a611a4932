#pragma once
// What the standard window classes share: per-window state, text as code points, fonts and
// notifications. Only platform/win code includes this.
#include <memory>
#include <string>
#include <string_view>

#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"

namespace platform::wm {

// Every standard class keeps one pointer to its state in the window's extra bytes.
constexpr int kStateExtra = sizeof(void*);

template <class T>
T* ControlState(win::HWND hwnd) {
  return reinterpret_cast<T*>(win::GetWindowLongPtr(hwnd, 0));
}

template <class T>
T* AttachState(win::HWND hwnd, std::unique_ptr<T> state) {
  T* raw = state.release();
  win::SetWindowLongPtr(hwnd, 0, reinterpret_cast<win::LONG_PTR>(raw));
  return raw;
}

template <class T>
void DetachState(win::HWND hwnd) {
  T* raw = ControlState<T>(hwnd);
  win::SetWindowLongPtr(hwnd, 0, 0);
  delete raw;
}

std::u32string Utf8ToCodePoints(std::string_view utf8);
std::string CodePointsToUtf8(std::u32string_view text);
std::string CodePointToUtf8(char32_t c);

// Lines one wheel message scrolls a list of `page` visible lines: the notches it carries times the
// user's lines per notch (SPI_GETWHEELSCROLLLINES), a page per notch when that says so; positive
// scrolls towards the end.
int WheelScrollLines(win::WPARAM wParam, int page);

// The font controls draw with until WM_SETFONT gives them another.
win::HFONT DefaultGuiFont();

// WM_COMMAND to the parent with the control's id and a notification code.
void NotifyParent(win::HWND hwnd, win::WORD code);
// WM_CTLCOLORxxx to the parent (or the default colours without one); returns the background brush.
win::HBRUSH ControlColor(win::HWND hwnd, win::HDC dc, win::UINT msg);

// Copies text into a WM_GETTEXT-style buffer without cutting a character; returns the bytes copied.
win::LRESULT CopyTextOut(const std::string& text, win::WPARAM size, win::LPARAM buffer);

// The registrars of the individual classes.
win::LRESULT ButtonProc(win::HWND, win::UINT, win::WPARAM, win::LPARAM);
win::LRESULT StaticProc(win::HWND, win::UINT, win::WPARAM, win::LPARAM);
win::LRESULT EditProc(win::HWND, win::UINT, win::WPARAM, win::LPARAM);
win::LRESULT ListBoxProc(win::HWND, win::UINT, win::WPARAM, win::LPARAM);
win::LRESULT ComboBoxProc(win::HWND, win::UINT, win::WPARAM, win::LPARAM);
win::LRESULT ComboLBoxProc(win::HWND, win::UINT, win::WPARAM, win::LPARAM);
win::LRESULT ScrollBarProc(win::HWND, win::UINT, win::WPARAM, win::LPARAM);

// Scroll bars of the non-client area, for DefWindowProc.
void TrackNonClientScroll(win::HWND hwnd, int bar, win::POINT screen);
void ForgetScrollBars(win::HWND hwnd);
// The caret goes with its window.
void ForgetCaret(win::HWND hwnd);

// Menu bars and the window menu, for DefWindowProc's non-client clicks; a window's menus go with it.
void TrackMenuBarClick(win::HWND hwnd, win::LRESULT hit, win::POINT screen);
void ForgetMenus(win::HWND hwnd);

// Modal dialogs of our own (message boxes, common dialogs): a "#32770" window whose procedure is
// `proc` and whose data pointer DialogData returns, and the loop that runs it with its owner disabled.
win::HWND CreateDialogWindow(win::HWND owner, const std::string& title, int clientW, int clientH, win::WNDPROC proc, void* data);
void* DialogData(win::HWND dlg);
bool DialogKey(win::HWND dlg, const win::MSG& msg);
int RunModal(win::HWND dlg, win::HWND owner, bool& done, int& result, win::HWND initialFocus);

// Links the standard classes into the program; the window system calls it before the first lookup.
void EnsureStandardClasses();
win::ATOM RegisterSystemClass(const win::WNDCLASSEX& wc);

}  // namespace platform::wm
