#include "ui/controls/ControlServices.h"

#include <cstdlib>
#include <memory>

#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keyboard.h"
#include "platform/win/Keys.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/Locale.h"
#include "ui/foundation/OSVersion.h"

using namespace win;

// ---- mouse, keys and characters ----------------------------------------------------------------

void GetCursorPosition(POINT& P) {
  if (!GetCursorPos(&P)) P = POINT{-1, -1};
}

WORD AsyncMouseKeys() {
  WORD keys = 0;
  auto down = [](int vk) { return GetAsyncKeyState(vk) < 0; };
  if (down(VK_LBUTTON)) keys |= MK_LBUTTON;
  if (down(VK_RBUTTON)) keys |= MK_RBUTTON;
  if (down(VK_SHIFT)) keys |= MK_SHIFT;
  if (down(VK_CONTROL)) keys |= MK_CONTROL;
  if (down(VK_MBUTTON)) keys |= MK_MBUTTON;
  return keys;
}

WORD ShiftStateToMouseKeys(TShiftState Shift) {
  WORD keys = 0;
  if (Shift.Contains(ssShift)) keys |= MK_SHIFT;
  if (Shift.Contains(ssCtrl)) keys |= MK_CONTROL;
  if (Shift.Contains(ssLeft)) keys |= MK_LBUTTON;
  if (Shift.Contains(ssRight)) keys |= MK_RBUTTON;
  if (Shift.Contains(ssMiddle)) keys |= MK_MBUTTON;
  return keys;
}

bool IsPlainMouseMove(TShiftState Shift) {
  for (TShiftStateItem s : {ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble})
    if (Shift.Contains(s)) return false;
  return true;
}

bool IsLeftButtonOnly(TShiftState Shift, bool AllowDouble) {
  if (!Shift.Contains(ssLeft)) return false;
  for (TShiftStateItem s : {ssShift, ssAlt, ssCtrl, ssRight, ssMiddle})
    if (Shift.Contains(s)) return false;
  return AllowDouble || !Shift.Contains(ssDouble);
}

bool IsCtrlKeyDown() { return GetAsyncKeyState(VK_CONTROL) < 0; }

unsigned DoubleClickTime() { return GetDoubleClickTime(); }

namespace {
int DragThreshold() { return Mouse ? Mouse->DragThreshold() : 5; }
}  // namespace

bool IsWithinDragThreshold(POINT MouseDownPos, int X, int Y) {
  int t = DragThreshold();
  return std::abs(X - MouseDownPos.x) < t && std::abs(Y - MouseDownPos.y) < t;
}

int DetectDragStart(HWND Wnd, POINT P) {
  int result = ddsCancelled;
  const int t = DragThreshold();
  const RECT square{P.x - t, P.y - t, P.x + t, P.y + t};
  auto inside = [&](POINT q) { return q.x >= square.left && q.x < square.right && q.y >= square.top && q.y < square.bottom; };
  SetCapture(Wnd);
  // The capture goes back whichever way the loop ends, unless another window took it.
  struct CaptureGuard {
    HWND wnd;
    ~CaptureGuard() {
      if (GetCapture() == wnd) ReleaseCapture();
    }
  } guard{Wnd};
  while (GetCapture() == Wnd) {
    MSG msg;
    BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    bool done = false;
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_KEYUP:
        done = msg.wParam == VK_ESCAPE;
        break;
      case WM_MOUSEMOVE:
        if (msg.hwnd == Wnd) {
          POINT q{static_cast<short>(msg.lParam & 0xFFFF), static_cast<short>((msg.lParam >> 16) & 0xFFFF)};
          ClientToScreen(Wnd, &q);
          if (!inside(q)) {
            result = ddsStarted;
            done = true;
          }
        }
        break;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_MBUTTONUP:
        result = ddsReleased;
        done = true;
        break;
      default: break;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
    if (done) break;
  }
  return result;
}

char VirtualKeyToAnsiChar(WORD Key) {
  UINT scan = MapVirtualKey(Key, 0);
  BYTE state[256] = {};
  GetKeyboardState(state);
  WORD buffer[2] = {};
  return ToAscii(Key, scan, state, buffer, 0) == 1 ? static_cast<char>(buffer[0] & 0xFF) : '\0';
}

bool IsNonCharacterKey(WORD Key) {
  if (Key > 255) return false;
  auto in = [Key](int lo, int hi) { return Key >= lo && Key <= hi; };
  return Key == 3 || Key == 8 || Key == 9 || Key == 12 || Key == 13 || in(16, 20) || Key == 27 || in(33, 47) ||
         in(91, 95) || in(96, 145) || in(160, 165) || Key == 229 || in(246, 254);
}

bool IsNumericChar(char Ch, std::uint8_t Mode) {
  if (Ch == '+' || Ch == '-' || (Ch >= '0' && Ch <= '9')) return true;
  if (Mode == 1) return Ch == GetLocaleDecimalSeparator();
  if (Mode == 2) return Ch == GetLocaleDecimalSeparator() || Ch == 'e' || Ch == 'E';
  return false;
}

// ---- windows and geometry ------------------------------------------------------------------------

bool CanGetWindowHandle(TWinControl* Control) {
  if (!Control) return false;
  if (Control->HandleAllocated()) return true;
  if (Control->HasState(csDestroying)) return false;
  if (Control->ParentWindow()) return true;
  if (Control->Parent()) return CanGetWindowHandle(Control->Parent());
  return Application && Application->Handle() && dynamic_cast<TCustomForm*>(Control);
}

bool IsControlShowing(TWinControl* Control) {
  return Control && Control->HandleAllocated() && IsWindowVisible(Control->WindowHandle());
}

bool IsChildWindowStyle(HWND Wnd) { return (static_cast<DWORD>(GetWindowLong(Wnd, GWL_STYLE)) & WS_CHILD) != 0; }

bool WindowContains(HWND Parent, HWND Wnd) { return Parent && (Parent == Wnd || IsChild(Parent, Wnd)); }

bool IsOwnedWindow(HWND Owner, HWND Wnd) {
  if (!Owner) return false;
  for (HWND w = GetParent(Wnd); w; w = GetParent(w))
    if (w == Owner) return true;
  return false;
}

bool IsWindowEnabledDeep(HWND Wnd) {
  if (!IsWindowEnabled(Wnd)) return false;
  return !IsChildWindowStyle(Wnd) || IsWindowEnabledDeep(GetParent(Wnd));
}

namespace {
bool HasFormStyle(TCustomForm* Form, TFormStyle Style) {
  return Form && !Form->HasState(csDesigning) && Form->FormStyle() == Style;
}
}  // namespace

bool IsMDIChildForm(TCustomForm* Form) { return HasFormStyle(Form, fsMDIChild); }
bool IsMDIParentForm(TCustomForm* Form) { return HasFormStyle(Form, fsMDIForm); }

bool ThemesActive() { return false; }

void MapPointBetweenWindows(HWND FromWnd, HWND ToWnd, POINT& P) { MapWindowPoints(FromWnd, ToWnd, &P, 1); }

void MapRectBetweenWindows(HWND FromWnd, HWND ToWnd, RECT& R) {
  POINT tl{R.left, R.top}, br{R.right, R.bottom};
  MapPointBetweenWindows(FromWnd, ToWnd, tl);
  MapPointBetweenWindows(FromWnd, ToWnd, br);
  R = RECT{tl.x, tl.y, br.x, br.y};
}

void ClientRectOfWindow(HWND Wnd, RECT& R) {
  if (!GetClientRect(Wnd, &R)) R = RECT{};
}

void WindowRectOfWindow(HWND Wnd, RECT& R) {
  if (!GetWindowRect(Wnd, &R)) R = RECT{};
}

void WindowRectOfControl(TWinControl* Control, RECT& R) {
  if (Control && Control->HandleAllocated())
    WindowRectOfWindow(Control->WindowHandle(), R);
  else
    R = RECT{};
}

HWND WindowAtScreenPoint(POINT P) {
  HWND w = WindowFromPoint(P);
  if (!w) return nullptr;
  ScreenToClient(w, &P);
  return DeepestChildWindowAt(w, P);
}

HWND DeepestChildWindowAt(HWND Wnd, POINT P) {
  for (;;) {
    HWND child = ChildWindowFromPointEx(Wnd, P, CWP_SKIPINVISIBLE);
    if (!child || child == Wnd) return Wnd;
    MapWindowPoints(Wnd, child, &P, 1);
    Wnd = child;
  }
}

bool PointHasMonitor(POINT P) {
  if (MonitorFromPoint(P, MONITOR_DEFAULTTONEAREST)) return true;
  TCustomForm* form = nullptr;
  if (TWinControl* c = FindVCLWindow(P)) form = GetParentForm(c);
  if (!form && Application) form = Application->MainForm();
  return form && form->HandleAllocated() && MonitorFromWindow(form->WindowHandle(), MONITOR_DEFAULTTONULL);
}

void DesktopWorkArea(POINT P, RECT& R) { MonitorWorkArea(MonitorFromPoint(P, MONITOR_DEFAULTTONEAREST), R); }

void MonitorWorkArea(HMONITOR Monitor, RECT& R) {
  if (Monitor) {
    MONITORINFO info;
    info.cbSize = sizeof(MONITORINFO);
    if (GetMonitorInfo(Monitor, &info)) {
      R = info.rcWork;
      return;
    }
  }
  SystemParametersInfo(SPI_GETWORKAREA, 0, &R, 0);
}

bool IsSmallerThanWorkArea(HWND Wnd) {
  RECT w, work;
  WindowRectOfWindow(Wnd, w);
  MonitorWorkArea(MonitorFromWindow(Wnd, MONITOR_DEFAULTTOPRIMARY), work);
  return w.right - w.left < work.right - work.left || w.bottom - w.top < work.bottom - work.top;
}

// ---- menus -----------------------------------------------------------------------------------------

HMENU LoadSystemMenuTemplate(int Index) {
  if (Index < 0 || Index > 2) return nullptr;
  HMENU menu = LoadMenu(nullptr, reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(16 * (Index + 1))));
  if (!menu) return nullptr;
  if (SetMenuInfoProc) {
    MENUINFO info;
    info.cbSize = sizeof(MENUINFO);
    info.fMask = MIM_APPLYTOSUBMENUS | MIM_STYLE;
    info.dwStyle = MNS_CHECKORBMP;
    SetMenuInfoProc(menu, &info);
  }
  auto setBitmap = [menu](UINT command, HBITMAP bitmap) {
    MENUITEMINFO item;
    item.cbSize = sizeof(MENUITEMINFO);
    item.fMask = MIIM_BITMAP;
    item.hbmpItem = bitmap;
    SetMenuItemInfo(menu, command, FALSE, &item);
  };
  setBitmap(static_cast<UINT>(SC_CLOSE), HBMMENU_POPUP_CLOSE);
  if (Index != 2) {
    setBitmap(static_cast<UINT>(SC_MINIMIZE), HBMMENU_POPUP_MINIMIZE);
    setBitmap(static_cast<UINT>(SC_MAXIMIZE), HBMMENU_POPUP_MAXIMIZE);
    setBitmap(static_cast<UINT>(SC_RESTORE), HBMMENU_POPUP_RESTORE);
  }
  return menu;
}

void UpdateSystemMenuItems(HWND Wnd, HMENU Menu) {
  constexpr UINT kGrey = MF_GRAYED | MF_DISABLED;
  const DWORD style = static_cast<DWORD>(GetWindowLong(Wnd, GWL_STYLE));
  UINT size = MF_ENABLED, minimize = MF_ENABLED, maximize = MF_ENABLED, restore = kGrey, move = MF_ENABLED;
  UINT defaultItem = static_cast<UINT>(SC_CLOSE);
  if (IsIconic(Wnd)) {
    restore = MF_ENABLED;
    minimize = kGrey;
    size = kGrey;
    defaultItem = static_cast<UINT>(SC_RESTORE);
  } else if (!(style & WS_MINIMIZEBOX)) {
    minimize = kGrey;
  }
  if (!(style & WS_MAXIMIZEBOX)) {
    maximize = kGrey;
  } else if (IsZoomed(Wnd)) {
    restore = MF_ENABLED;
    maximize = kGrey;
    size = kGrey;
    if (!(!(style & WS_CHILD) && IsSmallerThanWorkArea(Wnd))) move = kGrey;
  }
  if (!(style & WS_THICKFRAME)) size = kGrey;
  EnableMenuItem(Menu, static_cast<UINT>(SC_SIZE), MF_BYCOMMAND | size);
  EnableMenuItem(Menu, static_cast<UINT>(SC_MINIMIZE), MF_BYCOMMAND | minimize);
  EnableMenuItem(Menu, static_cast<UINT>(SC_MAXIMIZE), MF_BYCOMMAND | maximize);
  EnableMenuItem(Menu, static_cast<UINT>(SC_RESTORE), MF_BYCOMMAND | restore);
  EnableMenuItem(Menu, static_cast<UINT>(SC_MOVE), MF_BYCOMMAND | move);
  SetMenuDefaultItem(Menu, defaultItem, FALSE);
}

void StripDialogSystemMenu(HMENU SysMenu, HWND Wnd, bool IsDialog, TBorderIcons BorderIcons, bool LockUpdate) {
  if (!BorderIcons.Contains(biSystemMenu)) return;
  struct UpdateLock {
    bool locked;
    ~UpdateLock() {
      if (locked) LockWindowUpdate(nullptr);
    }
  } lock{LockUpdate && LockWindowUpdate(Wnd)};
  if (IsDialog) {
    DeleteMenu(SysMenu, static_cast<UINT>(SC_TASKLIST), MF_BYCOMMAND);
    DeleteMenu(SysMenu, 7, MF_BYPOSITION);
    DeleteMenu(SysMenu, 5, MF_BYPOSITION);
    DeleteMenu(SysMenu, static_cast<UINT>(SC_MAXIMIZE), MF_BYCOMMAND);
    DeleteMenu(SysMenu, static_cast<UINT>(SC_MINIMIZE), MF_BYCOMMAND);
    DeleteMenu(SysMenu, static_cast<UINT>(SC_SIZE), MF_BYCOMMAND);
    DeleteMenu(SysMenu, static_cast<UINT>(SC_RESTORE), MF_BYCOMMAND);
  }
  UpdateSystemMenuItems(Wnd, SysMenu);
}

void CopyMenuItems(HMENU Source, HMENU Target) {
  if (Source == Target || !IsMenu(Source) || !IsMenu(Target)) return;
  for (int i = GetMenuItemCount(Target) - 1; i >= 0; --i) DeleteMenu(Target, GetMenuItemID(Target, i), MF_BYCOMMAND);
  const int count = GetMenuItemCount(Source);
  for (int i = 0; i < count; ++i) {
    const auto pos = static_cast<UINT>(i);
    char text[512] = {};
    MENUITEMINFO item;
    item.cbSize = sizeof(MENUITEMINFO);
    item.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
    item.dwTypeData = text;
    item.cch = sizeof(text);
    if (GetMenuItemInfo(Source, pos, TRUE, &item)) InsertMenuItem(Target, pos, TRUE, &item);

    char caption[512] = {};
    MENUITEMINFO textItem;
    textItem.cbSize = sizeof(MENUITEMINFO);
    textItem.fMask = MIIM_STRING;
    textItem.dwTypeData = caption;
    textItem.cch = sizeof(caption);
    if (GetMenuItemInfo(Source, pos, TRUE, &textItem)) SetMenuItemInfo(Target, pos, TRUE, &textItem);
    if (!IsWindows95) {
      MENUITEMINFO bitmapItem;
      bitmapItem.cbSize = sizeof(MENUITEMINFO);
      bitmapItem.fMask = MIIM_BITMAP;
      if (GetMenuItemInfo(Source, pos, TRUE, &bitmapItem)) SetMenuItemInfo(Target, pos, TRUE, &bitmapItem);
    }
  }
  // Greying and enabling the close command makes the window system redraw the close button.
  EnableMenuItem(Target, static_cast<UINT>(SC_CLOSE), MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(Target, static_cast<UINT>(SC_CLOSE), MF_BYCOMMAND | MF_ENABLED);
}

int PopupMenuHeight(TPopupMenu* Menu) {
  if (!Menu || !Screen) return 4;
  HDC dc = GetDC(nullptr);
  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.Font()->Assign(Screen->MenuFont());
  const int defaultHeight = canvas.TextHeight("Qg") + 4;
  int tallest = 0, column = 0;
  TMenuItem* items = Menu->Items();
  for (int i = 0; i < items->Count(); ++i) {
    TMenuItem* item = items->Items(i);
    if (!item->Visible()) continue;
    int height = defaultHeight;
    if (Menu->OwnerDraw() || (Menu->Images() && item->ImageIndex() >= 0)) {
      int width = 0;
      item->MeasureItem(&canvas, width, height);
    }
    if (item->Break() != mbNone) {
      tallest = std::max(tallest, column);
      column = 0;
    }
    column += height;
  }
  canvas.SetHandle(nullptr);
  ReleaseDC(nullptr, dc);
  return std::max(tallest, column) + 4;
}

bool IsPopupMenuShortCut(TComponent* Menu, TMessage& Message) {
  if (!Menu) return false;
  if (auto* support = dynamic_cast<IcxPopupMenuSupport*>(Menu)) return support->IsShortCut(Message);
  if (auto* popup = dynamic_cast<TPopupMenu*>(Menu); popup && popup->WindowHandle()) return popup->IsShortCut(Message);
  return false;
}

bool ShowPopupMenuFor(TControl* Control, TComponent* Menu, int X, int Y) {
  if (!Menu) return false;
  if (auto* support = dynamic_cast<IcxPopupMenuSupport*>(Menu)) {
    support->Popup(X, Y);
    return true;
  }
  if (auto* popup = dynamic_cast<TPopupMenu*>(Menu); popup && popup->AutoPopup()) {
    popup->SetPopupComponent(Control);
    popup->Popup(X, Y);
    return true;
  }
  return false;
}

void QualifiedComponentName(TComponent* Component, String& Name) {
  Name.clear();
  if (!Component) return;
  if (!Component->Owner()) {
    Name = Component->Name();
    return;
  }
  QualifiedComponentName(Component->Owner(), Name);
  Name += "." + Component->Name();
}

// ---- design time ----------------------------------------------------------------------------------

bool IsComponentReady(TComponent* Component) {
  return !Component->HasState(csLoading) && !Component->HasState(csWriting) && !Component->HasState(csDestroying);
}

bool IsControlChainReady(TControl* Control) {
  for (TControl* c = Control; c; c = c->Parent())
    if (!IsComponentReady(c)) return false;
  return true;
}

void SetDesignerModified(TPersistent* Persistent) {
  auto* component = dynamic_cast<TComponent*>(Persistent);
  if (!component || !component->HasState(csDesigning) || !IsComponentReady(component)) return;
  if (auto* control = dynamic_cast<TControl*>(component); control && !IsControlChainReady(control)) return;
  // No root designer exists to be told.
}

namespace {
TDragObject* g_CurrentDragObject = nullptr;
}

TDragObject* CurrentDragObject() { return g_CurrentDragObject; }
void SetCurrentDragObject(TDragObject* Value) { g_CurrentDragObject = Value; }
