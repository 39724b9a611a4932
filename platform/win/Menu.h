#pragma once
// Menus: menu bars in the non-client area, popup menus and the window menu, with the modal loop
// that tracks them by mouse and keyboard.
#include "platform/system/Types.h"
#include "platform/win/Window.h"

namespace win {

constexpr UINT MF_INSERT = 0x0, MF_CHANGE = 0x80, MF_APPEND = 0x100, MF_DELETE = 0x200, MF_REMOVE = 0x1000,
               MF_BYCOMMAND = 0x0, MF_BYPOSITION = 0x400, MF_SEPARATOR = 0x800, MF_ENABLED = 0x0, MF_GRAYED = 0x1,
               MF_DISABLED = 0x2, MF_UNCHECKED = 0x0, MF_CHECKED = 0x8, MF_USECHECKBITMAPS = 0x200, MF_STRING = 0x0,
               MF_BITMAP = 0x4, MF_OWNERDRAW = 0x100, MF_POPUP = 0x10, MF_MENUBARBREAK = 0x20, MF_MENUBREAK = 0x40,
               MF_UNHILITE = 0x0, MF_HILITE = 0x80, MF_DEFAULT = 0x1000, MF_SYSMENU = 0x2000, MF_HELP = 0x4000,
               MF_RIGHTJUSTIFY = 0x4000, MF_MOUSESELECT = 0x8000;
constexpr UINT MFT_STRING = 0x0, MFT_BITMAP = 0x4, MFT_MENUBARBREAK = 0x20, MFT_MENUBREAK = 0x40, MFT_OWNERDRAW = 0x100,
               MFT_RADIOCHECK = 0x200, MFT_SEPARATOR = 0x800, MFT_RIGHTORDER = 0x2000, MFT_RIGHTJUSTIFY = 0x4000;
constexpr UINT MFS_GRAYED = 0x3, MFS_DISABLED = 0x3, MFS_CHECKED = 0x8, MFS_HILITE = 0x80, MFS_ENABLED = 0x0,
               MFS_UNCHECKED = 0x0, MFS_UNHILITE = 0x0, MFS_DEFAULT = 0x1000;
constexpr UINT MIIM_STATE = 0x1, MIIM_ID = 0x2, MIIM_SUBMENU = 0x4, MIIM_CHECKMARKS = 0x8, MIIM_TYPE = 0x10,
               MIIM_DATA = 0x20, MIIM_STRING = 0x40, MIIM_BITMAP = 0x80, MIIM_FTYPE = 0x100;
constexpr DWORD MIM_MAXHEIGHT = 0x1, MIM_BACKGROUND = 0x2, MIM_HELPID = 0x4, MIM_MENUDATA = 0x8, MIM_STYLE = 0x10,
                MIM_APPLYTOSUBMENUS = 0x80000000;
constexpr DWORD MNS_NOCHECK = 0x80000000, MNS_MODELESS = 0x40000000, MNS_DRAGDROP = 0x20000000,
                MNS_AUTODISMISS = 0x10000000, MNS_NOTIFYBYPOS = 0x08000000, MNS_CHECKORBMP = 0x04000000;
constexpr UINT TPM_LEFTBUTTON = 0x0, TPM_RIGHTBUTTON = 0x2, TPM_LEFTALIGN = 0x0, TPM_CENTERALIGN = 0x4,
               TPM_RIGHTALIGN = 0x8, TPM_TOPALIGN = 0x0, TPM_VCENTERALIGN = 0x10, TPM_BOTTOMALIGN = 0x20,
               TPM_HORIZONTAL = 0x0, TPM_VERTICAL = 0x40, TPM_NONOTIFY = 0x80, TPM_RETURNCMD = 0x100,
               TPM_RECURSE = 0x1, TPM_HORPOSANIMATION = 0x400, TPM_HORNEGANIMATION = 0x800,
               TPM_VERPOSANIMATION = 0x1000, TPM_VERNEGANIMATION = 0x2000, TPM_NOANIMATION = 0x4000;
constexpr LRESULT MNC_IGNORE = 0, MNC_CLOSE = 1, MNC_EXECUTE = 2, MNC_SELECT = 3;

inline const HBITMAP HBMMENU_CALLBACK = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(-1));
inline const HBITMAP HBMMENU_SYSTEM = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(1));
inline const HBITMAP HBMMENU_MBAR_RESTORE = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(2));
inline const HBITMAP HBMMENU_MBAR_MINIMIZE = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(3));
inline const HBITMAP HBMMENU_MBAR_CLOSE = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(5));
inline const HBITMAP HBMMENU_MBAR_CLOSE_D = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(6));
inline const HBITMAP HBMMENU_MBAR_MINIMIZE_D = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(7));
inline const HBITMAP HBMMENU_POPUP_CLOSE = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(8));
inline const HBITMAP HBMMENU_POPUP_RESTORE = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(9));
inline const HBITMAP HBMMENU_POPUP_MAXIMIZE = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(10));
inline const HBITMAP HBMMENU_POPUP_MINIMIZE = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(11));

// cbSize is accepted as the caller has it; older callers pass a shorter structure without hbmpItem.
struct MENUITEMINFO {
  UINT cbSize = sizeof(MENUITEMINFO);
  UINT fMask = 0;
  UINT fType = 0;
  UINT fState = 0;
  UINT wID = 0;
  HMENU hSubMenu = nullptr;
  HBITMAP hbmpChecked = nullptr;
  HBITMAP hbmpUnchecked = nullptr;
  ULONG_PTR dwItemData = 0;
  LPSTR dwTypeData = nullptr;
  UINT cch = 0;
  HBITMAP hbmpItem = nullptr;
};
using LPMENUITEMINFO = MENUITEMINFO*;
using LPCMENUITEMINFO = const MENUITEMINFO*;

struct MENUINFO {
  DWORD cbSize = sizeof(MENUINFO);
  DWORD fMask = 0;
  DWORD dwStyle = 0;
  UINT cyMax = 0;
  HBRUSH hbrBack = nullptr;
  DWORD dwContextHelpID = 0;
  ULONG_PTR dwMenuData = 0;
};

struct TPMPARAMS {
  UINT cbSize = sizeof(TPMPARAMS);
  RECT rcExclude;
};

HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idOrSubMenu, LPCSTR item);
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubMenu, LPCSTR item);
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubMenu, LPCSTR item);
BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info);
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFO info);
BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
// The previous state (MF_ENABLED, MF_GRAYED, MF_DISABLED), or -1 when there is no such item.
int EnableMenuItem(HMENU menu, UINT item, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuString(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition);
UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags);
BOOL SetMenuInfo(HMENU menu, const MENUINFO* info);
BOOL GetMenuInfo(HMENU menu, MENUINFO* info);
// Only the window menu templates are built in, in the window system's module (or a null
// instance): MAKEINTRESOURCE(16) (or "SYSMENU"), 32 for MDI children and 48 for dialogs.
HMENU LoadMenu(HINSTANCE instance, LPCSTR name);
HMENU GetSystemMenu(HWND hwnd, BOOL revert);
HMENU GetMenu(HWND hwnd);
BOOL SetMenu(HWND hwnd, HMENU menu);
BOOL DrawMenuBar(HWND hwnd);
BOOL GetMenuItemRect(HWND hwnd, HMENU menu, UINT item, RECT* rect);
int MenuItemFromPoint(HWND hwnd, HMENU menu, POINT screen);
BOOL HiliteMenuItem(HWND hwnd, HMENU menu, UINT item, UINT flags);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* ignored);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params);
BOOL EndMenu();

}  // namespace win
