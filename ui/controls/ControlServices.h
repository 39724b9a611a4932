#pragma once
// What the library's controls share for talking to the window system: the mouse, its buttons and
// the modifier keys, whether a drag has started, which window lies under a point, work areas,
// which keys count as characters, system menus of skinned forms, menu heights and the designer.
#include <cstdint>

#include "platform/classes/Forms.h"
#include "platform/classes/Interface.h"
#include "platform/classes/Menus.h"
#include "platform/win/Menu.h"
// StripAccelerators and StripAcceleratorsWide belong to the services too; the text layout needs
// them first, so they live with it.
#include "ui/foundation/Accelerators.h"

// ---- mouse, keys and characters ----------------------------------------------------------------

// The mouse in screen coordinates; (-1, -1) when it cannot be read.
void GetCursorPosition(win::POINT& P);
// MK_ flags of the buttons and keys held now: left 1, right 2, Shift 4, Ctrl 8, middle 16.
win::WORD AsyncMouseKeys();
win::WORD ShiftStateToMouseKeys(TShiftState Shift);
// No button, modifier or double-click flag.
bool IsPlainMouseMove(TShiftState Shift);
// The left button alone; the double-click flag only when AllowDouble.
bool IsLeftButtonOnly(TShiftState Shift, bool AllowDouble);
bool IsCtrlKeyDown();
unsigned DoubleClickTime();
// Both distances below the mouse's drag threshold: a move of exactly the threshold is outside.
bool IsWithinDragThreshold(win::POINT MouseDownPos, int X, int Y);

// Results of DetectDragStart.
constexpr int ddsReleased = 0;  // a mouse button went up
constexpr int ddsStarted = 1;   // the mouse left the drag square
constexpr int ddsCancelled = 2; // Escape, the capture went elsewhere, or the loop could not go on
// Waits, holding the capture for Wnd, until the mouse leaves the drag square around P (screen
// coordinates), a button is released, or the wait is cancelled. Every message it looks at is
// dispatched; a WM_QUIT is posted again.
int DetectDragStart(win::HWND Wnd, win::POINT P);

// The character Key gives with the keyboard as it is now, #0 when it gives none or more than one.
char VirtualKeyToAnsiChar(win::WORD Key);
inline win::WORD TranslateKeyCode(win::WORD Key) { return Key; }
// Navigation, function, modifier, keypad and similar keys; the space bar and every code above 255
// are character keys.
bool IsNonCharacterKey(win::WORD Key);
inline bool IsPrintableChar(char Ch) { return static_cast<unsigned char>(Ch) >= 32; }
// '+', '-' and digits; Mode 1 adds the decimal separator, Mode 2 also 'e' and 'E'.
bool IsNumericChar(char Ch, std::uint8_t Mode);

// ---- windows and geometry ------------------------------------------------------------------------

bool CanGetWindowHandle(TWinControl* Control);
bool IsControlShowing(TWinControl* Control);
bool IsChildWindowStyle(win::HWND Wnd);
bool WindowContains(win::HWND Parent, win::HWND Wnd);
// Owner is met walking GetParent up from Wnd (which yields a popup's owner too); Wnd itself is
// not compared.
bool IsOwnedWindow(win::HWND Owner, win::HWND Wnd);
// The window and every parent of a child window are enabled.
bool IsWindowEnabledDeep(win::HWND Wnd);
bool IsMDIChildForm(TCustomForm* Form);
bool IsMDIParentForm(TCustomForm* Form);
// Whether the platform's visual styles are on; never, while there is no theme library.
bool ThemesActive();
void MapPointBetweenWindows(win::HWND FromWnd, win::HWND ToWnd, win::POINT& P);
// Both corners mapped as points, not reordered afterwards.
void MapRectBetweenWindows(win::HWND FromWnd, win::HWND ToWnd, win::RECT& R);
// The empty rectangle when the window system cannot answer.
void ClientRectOfWindow(win::HWND Wnd, win::RECT& R);
void WindowRectOfWindow(win::HWND Wnd, win::RECT& R);
void WindowRectOfControl(TWinControl* Control, win::RECT& R);
// The deepest visible window under a screen point; 0 for none.
win::HWND WindowAtScreenPoint(win::POINT P);
win::HWND DeepestChildWindowAt(win::HWND Wnd, win::POINT P);
bool PointHasMonitor(win::POINT P);
void DesktopWorkArea(win::POINT P, win::RECT& R);
void MonitorWorkArea(win::HMONITOR Monitor, win::RECT& R);
// Narrower or lower than its monitor's work area.
bool IsSmallerThanWorkArea(win::HWND Wnd);

// ---- menus and texts ------------------------------------------------------------------------------

// The window system's window-menu template (Index 0), decorated with the caption-button pictures;
// null when the template does not exist, as for the MDI templates (Index 1 and 2) here.
win::HMENU LoadSystemMenuTemplate(int Index);
// Enables and greys the window-menu commands to match the window's style and state.
void UpdateSystemMenuItems(win::HWND Wnd, win::HMENU Menu);
void StripDialogSystemMenu(win::HMENU SysMenu, win::HWND Wnd, bool IsDialog, TBorderIcons BorderIcons, bool LockUpdate);
// Replaces the items of Target by those of Source; submenus are shared, not copied.
void CopyMenuItems(win::HMENU Source, win::HMENU Target);
// The tallest column of the menu, measured in the screen's menu font, plus 4.
int PopupMenuHeight(TPopupMenu* Menu);

// The library's own popup menus: their shortcuts and how they pop up.
class IcxPopupMenuSupport : public virtual IInterface {
 public:
  virtual bool IsShortCut(TMessage& Message) = 0;
  virtual void Popup(int X, int Y) = 0;
};
bool IsPopupMenuShortCut(TComponent* Menu, TMessage& Message);
bool ShowPopupMenuFor(TControl* Control, TComponent* Menu, int X, int Y);
// "Owner.Child.Name", the names up the owners.
void QualifiedComponentName(TComponent* Component, String& Name);

// ---- design time ----------------------------------------------------------------------------------

// None of csLoading, csWriting, csDestroying.
bool IsComponentReady(TComponent* Component);
bool IsControlChainReady(TControl* Control);
// Tells a designer of the component's form that it changed; there is no form designer in this
// system, so only the conditions are checked.
void SetDesignerModified(TPersistent* Persistent);

// The drag object of the platform that last passed over a library control; null after it left.
TDragObject* CurrentDragObject();
void SetCurrentDragObject(TDragObject* Value);
