#pragma once
// Accessibility in the shape of the platform's: the IAccessible interface with its constants, and
// the "oleacc" entries that hand an object from a window's WM_GETOBJECT to whoever asks for it.
// Objects stay inside the process: nothing is exported to a desktop accessibility bus.
#include "platform/win/Messages.h"
#include "platform/win/Ole.h"

namespace win {

inline constexpr IID IID_IAccessible{0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

constexpr LONG CHILDID_SELF = 0;

constexpr LONG OBJID_WINDOW = 0, OBJID_SYSMENU = -1, OBJID_TITLEBAR = -2, OBJID_MENU = -3, OBJID_CLIENT = -4,
               OBJID_VSCROLL = -5, OBJID_HSCROLL = -6, OBJID_SIZEGRIP = -7, OBJID_CARET = -8, OBJID_CURSOR = -9,
               OBJID_ALERT = -10, OBJID_SOUND = -11, OBJID_QUERYCLASSNAMEIDX = -12, OBJID_NATIVEOM = -16;

constexpr LONG NAVDIR_MIN = 0, NAVDIR_UP = 1, NAVDIR_DOWN = 2, NAVDIR_LEFT = 3, NAVDIR_RIGHT = 4, NAVDIR_NEXT = 5,
               NAVDIR_PREVIOUS = 6, NAVDIR_FIRSTCHILD = 7, NAVDIR_LASTCHILD = 8, NAVDIR_MAX = 9;

constexpr LONG SELFLAG_NONE = 0, SELFLAG_TAKEFOCUS = 0x1, SELFLAG_TAKESELECTION = 0x2, SELFLAG_EXTENDSELECTION = 0x4,
               SELFLAG_ADDSELECTION = 0x8, SELFLAG_REMOVESELECTION = 0x10, SELFLAG_VALID = 0x1F;

constexpr DWORD ROLE_SYSTEM_TITLEBAR = 0x1, ROLE_SYSTEM_MENUBAR = 0x2, ROLE_SYSTEM_SCROLLBAR = 0x3,
                ROLE_SYSTEM_GRIP = 0x4, ROLE_SYSTEM_SOUND = 0x5, ROLE_SYSTEM_CURSOR = 0x6, ROLE_SYSTEM_CARET = 0x7,
                ROLE_SYSTEM_ALERT = 0x8, ROLE_SYSTEM_WINDOW = 0x9, ROLE_SYSTEM_CLIENT = 0xA,
                ROLE_SYSTEM_MENUPOPUP = 0xB, ROLE_SYSTEM_MENUITEM = 0xC, ROLE_SYSTEM_TOOLTIP = 0xD,
                ROLE_SYSTEM_APPLICATION = 0xE, ROLE_SYSTEM_DOCUMENT = 0xF, ROLE_SYSTEM_PANE = 0x10,
                ROLE_SYSTEM_CHART = 0x11, ROLE_SYSTEM_DIALOG = 0x12, ROLE_SYSTEM_BORDER = 0x13,
                ROLE_SYSTEM_GROUPING = 0x14, ROLE_SYSTEM_SEPARATOR = 0x15, ROLE_SYSTEM_TOOLBAR = 0x16,
                ROLE_SYSTEM_STATUSBAR = 0x17, ROLE_SYSTEM_TABLE = 0x18, ROLE_SYSTEM_COLUMNHEADER = 0x19,
                ROLE_SYSTEM_ROWHEADER = 0x1A, ROLE_SYSTEM_COLUMN = 0x1B, ROLE_SYSTEM_ROW = 0x1C,
                ROLE_SYSTEM_CELL = 0x1D, ROLE_SYSTEM_LINK = 0x1E, ROLE_SYSTEM_HELPBALLOON = 0x1F,
                ROLE_SYSTEM_CHARACTER = 0x20, ROLE_SYSTEM_LIST = 0x21, ROLE_SYSTEM_LISTITEM = 0x22,
                ROLE_SYSTEM_OUTLINE = 0x23, ROLE_SYSTEM_OUTLINEITEM = 0x24, ROLE_SYSTEM_PAGETAB = 0x25,
                ROLE_SYSTEM_PROPERTYPAGE = 0x26, ROLE_SYSTEM_INDICATOR = 0x27, ROLE_SYSTEM_GRAPHIC = 0x28,
                ROLE_SYSTEM_STATICTEXT = 0x29, ROLE_SYSTEM_TEXT = 0x2A, ROLE_SYSTEM_PUSHBUTTON = 0x2B,
                ROLE_SYSTEM_CHECKBUTTON = 0x2C, ROLE_SYSTEM_RADIOBUTTON = 0x2D, ROLE_SYSTEM_COMBOBOX = 0x2E,
                ROLE_SYSTEM_DROPLIST = 0x2F, ROLE_SYSTEM_PROGRESSBAR = 0x30, ROLE_SYSTEM_DIAL = 0x31,
                ROLE_SYSTEM_HOTKEYFIELD = 0x32, ROLE_SYSTEM_SLIDER = 0x33, ROLE_SYSTEM_SPINBUTTON = 0x34,
                ROLE_SYSTEM_DIAGRAM = 0x35, ROLE_SYSTEM_ANIMATION = 0x36, ROLE_SYSTEM_EQUATION = 0x37,
                ROLE_SYSTEM_BUTTONDROPDOWN = 0x38, ROLE_SYSTEM_BUTTONMENU = 0x39,
                ROLE_SYSTEM_BUTTONDROPDOWNGRID = 0x3A, ROLE_SYSTEM_WHITESPACE = 0x3B, ROLE_SYSTEM_PAGETABLIST = 0x3C,
                ROLE_SYSTEM_CLOCK = 0x3D, ROLE_SYSTEM_SPLITBUTTON = 0x3E, ROLE_SYSTEM_IPADDRESS = 0x3F,
                ROLE_SYSTEM_OUTLINEBUTTON = 0x40;

constexpr DWORD STATE_SYSTEM_NORMAL = 0, STATE_SYSTEM_UNAVAILABLE = 0x1, STATE_SYSTEM_SELECTED = 0x2,
                STATE_SYSTEM_FOCUSED = 0x4, STATE_SYSTEM_PRESSED = 0x8, STATE_SYSTEM_CHECKED = 0x10,
                STATE_SYSTEM_MIXED = 0x20, STATE_SYSTEM_INDETERMINATE = STATE_SYSTEM_MIXED,
                STATE_SYSTEM_READONLY = 0x40, STATE_SYSTEM_HOTTRACKED = 0x80, STATE_SYSTEM_DEFAULT = 0x100,
                STATE_SYSTEM_EXPANDED = 0x200, STATE_SYSTEM_COLLAPSED = 0x400, STATE_SYSTEM_BUSY = 0x800,
                STATE_SYSTEM_FLOATING = 0x1000, STATE_SYSTEM_MARQUEED = 0x2000, STATE_SYSTEM_ANIMATED = 0x4000,
                STATE_SYSTEM_INVISIBLE = 0x8000, STATE_SYSTEM_OFFSCREEN = 0x10000, STATE_SYSTEM_SIZEABLE = 0x20000,
                STATE_SYSTEM_MOVEABLE = 0x40000, STATE_SYSTEM_SELFVOICING = 0x80000,
                STATE_SYSTEM_FOCUSABLE = 0x100000, STATE_SYSTEM_SELECTABLE = 0x200000,
                STATE_SYSTEM_LINKED = 0x400000, STATE_SYSTEM_TRAVERSED = 0x800000,
                STATE_SYSTEM_MULTISELECTABLE = 0x1000000, STATE_SYSTEM_EXTSELECTABLE = 0x2000000,
                STATE_SYSTEM_ALERT_LOW = 0x4000000, STATE_SYSTEM_ALERT_MEDIUM = 0x8000000,
                STATE_SYSTEM_ALERT_HIGH = 0x10000000, STATE_SYSTEM_PROTECTED = 0x20000000,
                STATE_SYSTEM_HASPOPUP = 0x40000000, STATE_SYSTEM_VALID = 0x7FFFFFFF;

class IAccessible : public IDispatch {
 public:
  virtual HRESULT get_accParent(IDispatch** parent) = 0;
  virtual HRESULT get_accChildCount(LONG* count) = 0;
  virtual HRESULT get_accChild(VARIANT child, IDispatch** dispatch) = 0;
  virtual HRESULT get_accName(VARIANT child, BSTR* name) = 0;
  virtual HRESULT get_accValue(VARIANT child, BSTR* value) = 0;
  virtual HRESULT get_accDescription(VARIANT child, BSTR* description) = 0;
  virtual HRESULT get_accRole(VARIANT child, VARIANT* role) = 0;
  virtual HRESULT get_accState(VARIANT child, VARIANT* state) = 0;
  virtual HRESULT get_accHelp(VARIANT child, BSTR* help) = 0;
  virtual HRESULT get_accHelpTopic(BSTR* helpFile, VARIANT child, LONG* topic) = 0;
  virtual HRESULT get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) = 0;
  virtual HRESULT get_accFocus(VARIANT* child) = 0;
  virtual HRESULT get_accSelection(VARIANT* children) = 0;
  virtual HRESULT get_accDefaultAction(VARIANT child, BSTR* action) = 0;
  virtual HRESULT accSelect(LONG flags, VARIANT child) = 0;
  virtual HRESULT accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) = 0;
  virtual HRESULT accNavigate(LONG direction, VARIANT start, VARIANT* end) = 0;
  virtual HRESULT accHitTest(LONG x, LONG y, VARIANT* child) = 0;
  virtual HRESULT accDoDefaultAction(VARIANT child) = 0;
  virtual HRESULT put_accName(VARIANT child, BSTR name) = 0;
  virtual HRESULT put_accValue(VARIANT child, BSTR value) = 0;
};

// What a window answers to WM_GETOBJECT for an object of its own: a positive reference that
// holds the object until ObjectFromLresult takes it, or an error code. `wParam` is WM_GETOBJECT's.
LRESULT LresultFromObject(REFIID riid, WPARAM wParam, IUnknown* object);
// Takes the object behind such a reference (once) and asks it for `riid`.
HRESULT ObjectFromLresult(LRESULT result, REFIID riid, WPARAM wParam, void** object);
// Asks the window with WM_GETOBJECT for its object `objectId` and that object for `riid`. There
// are no standard objects for windows that answer nothing: E_FAIL then.
HRESULT AccessibleObjectFromWindow(HWND hwnd, DWORD objectId, REFIID riid, void** object);

}  // namespace win

namespace platform {

// "oleacc.dll", loaded by name; part of the window system's start-up.
void RegisterAccessibilityModule();

}  // namespace platform
