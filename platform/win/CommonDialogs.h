#pragma once
// The common dialogs, as modal windows of our own: colour, font and open file (with a picture
// preview).
#include "platform/gdi/Gdi.h"
#include "platform/system/Types.h"
#include "platform/win/Window.h"

namespace win {

using LPCCHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

constexpr DWORD CC_RGBINIT = 0x1, CC_FULLOPEN = 0x2, CC_PREVENTFULLOPEN = 0x4, CC_SHOWHELP = 0x8, CC_ENABLEHOOK = 0x10,
                CC_SOLIDCOLOR = 0x80, CC_ANYCOLOR = 0x100;

struct CHOOSECOLOR {
  DWORD lStructSize = sizeof(CHOOSECOLOR);
  HWND hwndOwner = nullptr;
  HWND hInstance = nullptr;
  COLORREF rgbResult = 0;
  COLORREF* lpCustColors = nullptr;  // 16 colours, read and written back
  DWORD Flags = 0;
  LPARAM lCustData = 0;
  LPCCHOOKPROC lpfnHook = nullptr;
  LPCSTR lpTemplateName = nullptr;
};

constexpr DWORD CF_SCREENFONTS = 0x1, CF_PRINTERFONTS = 0x2, CF_BOTH = 0x3, CF_SHOWHELP = 0x4, CF_ENABLEHOOK = 0x8,
                CF_INITTOLOGFONTSTRUCT = 0x40, CF_USESTYLE = 0x80, CF_EFFECTS = 0x100, CF_APPLY = 0x200,
                CF_LIMITSIZE = 0x2000, CF_NOVECTORFONTS = 0x800, CF_FORCEFONTEXIST = 0x10000, CF_TTONLY = 0x40000,
                CF_NOSCRIPTSEL = 0x800000;

struct CHOOSEFONT {
  DWORD lStructSize = sizeof(CHOOSEFONT);
  HWND hwndOwner = nullptr;
  HDC hDC = nullptr;
  LOGFONTA* lpLogFont = nullptr;
  INT iPointSize = 0;  // tenths of a point
  DWORD Flags = 0;
  COLORREF rgbColors = 0;
  LPARAM lCustData = 0;
  LPCCHOOKPROC lpfnHook = nullptr;
  LPCSTR lpTemplateName = nullptr;
  HINSTANCE hInstance = nullptr;
  LPSTR lpszStyle = nullptr;
  WORD nFontType = 0;
  INT nSizeMin = 0;
  INT nSizeMax = 0;
};

constexpr DWORD OFN_READONLY = 0x1, OFN_OVERWRITEPROMPT = 0x2, OFN_HIDEREADONLY = 0x4, OFN_NOCHANGEDIR = 0x8,
                OFN_SHOWHELP = 0x10, OFN_ENABLEHOOK = 0x20, OFN_ALLOWMULTISELECT = 0x200, OFN_PATHMUSTEXIST = 0x800,
                OFN_FILEMUSTEXIST = 0x1000, OFN_EXPLORER = 0x80000, OFN_ENABLESIZING = 0x800000;

struct OPENFILENAME {
  DWORD lStructSize = sizeof(OPENFILENAME);
  HWND hwndOwner = nullptr;
  HINSTANCE hInstance = nullptr;
  LPCSTR lpstrFilter = nullptr;  // pairs of NUL-terminated strings, ended by an empty one
  LPSTR lpstrCustomFilter = nullptr;
  DWORD nMaxCustFilter = 0;
  DWORD nFilterIndex = 0;        // 1-based
  LPSTR lpstrFile = nullptr;
  DWORD nMaxFile = 0;
  LPSTR lpstrFileTitle = nullptr;
  DWORD nMaxFileTitle = 0;
  LPCSTR lpstrInitialDir = nullptr;
  LPCSTR lpstrTitle = nullptr;
  DWORD Flags = 0;
  WORD nFileOffset = 0;
  WORD nFileExtension = 0;
  LPCSTR lpstrDefExt = nullptr;
  LPARAM lCustData = 0;
  LPCCHOOKPROC lpfnHook = nullptr;
  LPCSTR lpTemplateName = nullptr;
};

constexpr DWORD CDERR_STRUCTSIZE = 0x0001, CDERR_INITIALIZATION = 0x0002, FNERR_BUFFERTOOSMALL = 0x3003;

BOOL ChooseColor(CHOOSECOLOR* cc);
BOOL ChooseFont(CHOOSEFONT* cf);
BOOL GetOpenFileName(OPENFILENAME* ofn);
DWORD CommDlgExtendedError();

// The picture preview's decoder: BMP, JPEG and PNG files as a 32-bit bitmap, or null.
HBITMAP LoadPictureFile(const char* path);

}  // namespace win
