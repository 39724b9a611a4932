// BUTTON, STATIC, LISTBOX and COMBOBOX answer with the default handling until they are built.
#include "platform/win/ControlsInternal.h"
namespace platform::wm {
using namespace win;
LRESULT ComboBoxProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }
LRESULT ComboLBoxProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProc(h, m, w, l); }
}
