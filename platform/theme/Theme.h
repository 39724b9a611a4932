#pragma once
// The theme library's vocabulary: its handles, the part, state and property numbers the library
// draws with, the size kinds and the signatures of its entry points. The platform has no theme
// library and registers no "UxTheme.dll", so binding it by name fails and every themed feature
// takes its fallback; these declarations are what code binding it, and test fakes standing in
// for it, agree on.
#include "platform/system/Types.h"
#include "platform/win/ComStream.h"

namespace win {

using HTHEME = HANDLE;
using HPAINTBUFFER = HANDLE;

// Which size GetThemePartSize answers.
enum THEMESIZE : int { TS_MIN = 0, TS_TRUE = 1, TS_DRAW = 2 };

// Property ids of GetThemeColor. TMT_COLOR is the type code of colour values, which one caller
// asks as if it were a property.
constexpr int TMT_COLOR = 204;
constexpr int TMT_BORDERCOLOR = 3801;
constexpr int TMT_FILLCOLOR = 3802;
constexpr int TMT_TEXTCOLOR = 3803;

// Button class.
constexpr int BP_PUSHBUTTON = 1, BP_RADIOBUTTON = 2, BP_CHECKBOX = 3, BP_GROUPBOX = 4;
constexpr int PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5;
constexpr int CBS_UNCHECKEDNORMAL = 1, CBS_CHECKEDNORMAL = 5;
constexpr int RBS_UNCHECKEDNORMAL = 1, RBS_CHECKEDNORMAL = 5;
constexpr int GBS_NORMAL = 1, GBS_DISABLED = 2;

// ScrollBar class.
constexpr int SBP_ARROWBTN = 1, SBP_THUMBBTNHORZ = 2, SBP_THUMBBTNVERT = 3, SBP_UPPERTRACKHORZ = 4,
              SBP_LOWERTRACKHORZ = 5, SBP_UPPERTRACKVERT = 6, SBP_LOWERTRACKVERT = 7, SBP_GRIPPERHORZ = 8,
              SBP_GRIPPERVERT = 9, SBP_SIZEBOX = 10;
constexpr int ABS_UPNORMAL = 1, ABS_DOWNNORMAL = 5, ABS_LEFTNORMAL = 9, ABS_RIGHTNORMAL = 13;

// Header class.
constexpr int HP_HEADERITEM = 1, HP_HEADERITEMLEFT = 2, HP_HEADERITEMRIGHT = 3;

// Tab class.
constexpr int TABP_TABITEM = 1, TABP_PANE = 9;

// TreeView class.
constexpr int TVP_GLYPH = 2, GLPS_CLOSED = 1, GLPS_OPENED = 2;

// ExplorerBar class.
constexpr int EBP_NORMALGROUPEXPAND = 6, EBP_NORMALGROUPCOLLAPSE = 7;

// TrackBar class.
constexpr int TKP_TRACK = 1, TKP_TRACKVERT = 2, TKP_THUMB = 3, TKP_THUMBBOTTOM = 4, TKP_THUMBTOP = 5,
              TKP_THUMBVERT = 6, TKP_THUMBLEFT = 7, TKP_THUMBRIGHT = 8;

// Window, ComboBox, ToolBar, Progress and ListView classes.
constexpr int WP_SMALLCLOSEBUTTON = 19;
constexpr int CP_DROPDOWNBUTTON = 1;
constexpr int TP_BUTTON = 1, TP_SEPARATOR = 5, TP_SEPARATORVERT = 6;
constexpr int PP_BAR = 1, PP_CHUNK = 3;
constexpr int LVP_LISTDETAIL = 5;

// Buffered painting.
enum BP_BUFFERFORMAT : int { BPBF_COMPATIBLEBITMAP = 0, BPBF_DIB = 1, BPBF_TOPDOWNDIB = 2, BPBF_TOPDOWNMONODIB = 3 };
struct BP_PAINTPARAMS {
  DWORD cbSize = sizeof(BP_PAINTPARAMS);
  DWORD dwFlags = 0;
  const RECT* prcExclude = nullptr;
  const void* pBlendFunction = nullptr;
};

// The entry points as the library calls them. Text is UTF-8, as every string of the platform.
using OpenThemeDataProc = HTHEME (*)(HWND window, LPCSTR classList);
using CloseThemeDataProc = HRESULT (*)(HTHEME theme);
using DrawThemeBackgroundProc = HRESULT (*)(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                                            const RECT* clip);
using DrawThemeTextProc = HRESULT (*)(HTHEME theme, HDC dc, int part, int state, LPCSTR text, int charCount,
                                      DWORD flags, DWORD flags2, const RECT* rect);
using GetThemeBackgroundContentRectProc = HRESULT (*)(HTHEME theme, HDC dc, int part, int state, const RECT* bounds,
                                                      RECT* content);
using GetThemePartSizeProc = HRESULT (*)(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                                         THEMESIZE kind, SIZE* size);
using GetThemeBackgroundRegionProc = HRESULT (*)(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                                                 HRGN* region);
using DrawThemeEdgeProc = HRESULT (*)(HTHEME theme, HDC dc, int part, int state, const RECT* dest, UINT edge,
                                      UINT flags, RECT* content);
using IsThemeBackgroundPartiallyTransparentProc = BOOL (*)(HTHEME theme, int part, int state);
using DrawThemeParentBackgroundProc = HRESULT (*)(HWND window, HDC dc, const RECT* rect);
using GetThemeColorProc = HRESULT (*)(HTHEME theme, int part, int state, int propId, COLORREF* color);
using IsThemeActiveProc = BOOL (*)();
using GetCurrentThemeNameProc = HRESULT (*)(LPSTR fileName, int fileNameChars, LPSTR colorBuff, int colorChars,
                                            LPSTR sizeBuff, int sizeChars);
using BeginBufferedPaintProc = HPAINTBUFFER (*)(HDC target, const RECT* targetRect, BP_BUFFERFORMAT format,
                                                const BP_PAINTPARAMS* params, HDC* paintDC);
using EndBufferedPaintProc = HRESULT (*)(HPAINTBUFFER buffer, BOOL updateTarget);
using BufferedPaintSetAlphaProc = HRESULT (*)(HPAINTBUFFER buffer, const RECT* rect, BYTE alpha);
using DwmIsCompositionEnabledProc = HRESULT (*)(BOOL* enabled);

}  // namespace win
