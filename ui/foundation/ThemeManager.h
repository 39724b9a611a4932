#pragma once
// Access to the operating system's visual styles. The theme library ("UxTheme.dll") and the
// desktop window manager ("dwmapi.dll") are bound by name at start-up; every themed drawing of
// the library takes its theme handle from one cache with an entry per themed object type, and
// objects that keep themed state hear of theme and system-colour changes through notificators.
// Without the theme library (as on this platform) every answer is false or 0 and the library
// draws without themes.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "platform/classes/Messages.h"
#include "platform/classes/Object.h"
#include "platform/classes/SysUtils.h"
#include "platform/theme/Theme.h"
#include "ui/foundation/Types.h"

enum TdxThemeClassId : int {
  tciButton, tciClock, tciComboBox, tciEdit, tciExplorerBar, tciHeader, tciListBox, tciListView, tciMenu,
  tciPage, tciProgress, tciRebar, tciScrollBar, tciSpin, tciStartPanel, tciStatus, tciTab, tciTaskBand,
  tciTaskBar, tciToolBar, tciToolTip, tciTrackBar, tciTrayNotify, tciTreeView, tciWindow
};
constexpr int ThemeClassIdCount = tciWindow + 1;

// A set of theme classes, one bit per type.
class TdxThemeClassIds {
 public:
  constexpr TdxThemeClassIds() = default;
  constexpr TdxThemeClassIds(std::initializer_list<TdxThemeClassId> Ids) {
    for (TdxThemeClassId Id : Ids) FBits |= 1u << Id;
  }
  constexpr bool Contains(TdxThemeClassId Id) const { return (FBits >> Id) & 1u; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr std::uint32_t Bits() const { return FBits; }

 private:
  std::uint32_t FBits = 0;
};

// ---- the bound entry points and their wrappers ---------------------------------------------------
// A wrapper whose entry point is missing answers E_NOTIMPL, false or 0 and draws nothing.

bool IsUxThemeBound();
win::HTHEME UxOpenThemeData(win::HWND Window, const char* ClassList);
win::HRESULT UxCloseThemeData(win::HTHEME Theme);
win::HRESULT UxDrawThemeBackground(win::HTHEME Theme, win::HDC DC, int Part, int State, const TRect& Rect,
                                   const TRect* ClipRect = nullptr);
inline win::HRESULT UxDrawThemeBackgroundAlt(win::HTHEME Theme, win::HDC DC, int Part, int State, const TRect& Rect,
                                             const TRect* ClipRect = nullptr) {
  return UxDrawThemeBackground(Theme, DC, Part, State, Rect, ClipRect);
}
win::HRESULT UxDrawThemeText(win::HTHEME Theme, win::HDC DC, int Part, int State, const String& Text, int CharCount,
                             win::DWORD TextFlags, win::DWORD TextFlags2, const TRect& Rect);
// Strings are UTF-8 throughout, so the 8-bit form needs no conversion.
inline win::HRESULT UxDrawThemeTextAnsi(win::HTHEME Theme, win::HDC DC, int Part, int State, const String& Text,
                                        int CharCount, win::DWORD TextFlags, win::DWORD TextFlags2, const TRect& Rect) {
  return UxDrawThemeText(Theme, DC, Part, State, Text, CharCount, TextFlags, TextFlags2, Rect);
}
win::HRESULT UxGetThemeBackgroundContentRect(win::HTHEME Theme, win::HDC DC, int Part, int State,
                                             const TRect& BoundingRect, TRect& ContentRect);
win::HRESULT UxGetThemePartSize(win::HTHEME Theme, win::HDC DC, int Part, int State, const TRect* Rect,
                                win::THEMESIZE SizeKind, TSize& Size);
inline win::HRESULT UxGetThemePartSizeAlt(win::HTHEME Theme, win::HDC DC, int Part, int State, const TRect* Rect,
                                          win::THEMESIZE SizeKind, TSize& Size) {
  return UxGetThemePartSize(Theme, DC, Part, State, Rect, SizeKind, Size);
}
inline win::HRESULT UxGetThemePartSizeNoRect(win::HTHEME Theme, win::HDC DC, int Part, int State,
                                             win::THEMESIZE SizeKind, TSize& Size) {
  return UxGetThemePartSize(Theme, DC, Part, State, nullptr, SizeKind, Size);
}
win::HRESULT UxGetThemeBackgroundRegion(win::HTHEME Theme, win::HDC DC, int Part, int State, const TRect& Rect,
                                        win::HRGN& Region);
win::HRESULT UxDrawThemeEdge(win::HTHEME Theme, win::HDC DC, int Part, int State, const TRect& DestRect,
                             win::UINT Edge, win::UINT Flags, TRect* ContentRect);
bool UxIsThemeBackgroundPartiallyTransparent(win::HTHEME Theme, int Part, int State);
// Keeps the font selected into DC: the theme library may leave another one there.
win::HRESULT UxDrawThemeParentBackground(win::HWND Window, win::HDC DC, const TRect* Rect);
win::HRESULT UxGetThemeColor(win::HTHEME Theme, int Part, int State, int PropId, win::COLORREF& Color);
bool UxIsThemeActive();
win::HRESULT UxGetCurrentThemeName(char* FileName, int FileNameChars, char* ColorBuff, int ColorChars,
                                   char* SizeBuff, int SizeChars);
win::HPAINTBUFFER UxBeginBufferedPaint(win::HDC TargetDC, const TRect& TargetRect, win::BP_BUFFERFORMAT Format,
                                       const win::BP_PAINTPARAMS* PaintParams, win::HDC& PaintDC);
win::HRESULT UxEndBufferedPaint(win::HPAINTBUFFER BufferedPaint, bool UpdateTarget);
win::HRESULT UxBufferedPaintSetAlpha(win::HPAINTBUFFER BufferedPaint, const TRect* Rect, win::BYTE Alpha);

// ---- the theme manager ---------------------------------------------------------------------------

// Visual styles are on (the library is bound and a theme is active) and every listed class opens.
bool HasVisualStyles(TdxThemeClassIds ClassIds = {});
bool IsThemeClassAvailable(TdxThemeClassId ClassId);
// The cached handle of the type (0 when none opens). A nil ClassList takes the list the entry was
// last opened with, else the type's own name; another list closes the cached handle and opens
// anew. Lists compare without regard to case. A failed open is not remembered.
win::HTHEME AcquireThemeHandle(TdxThemeClassId ClassId, const char* ClassList = nullptr);
// 1 without visual styles, 0 when nothing is open, else the result of closing the handle.
win::HRESULT ReleaseThemeHandle(TdxThemeClassId ClassId);
// Closes every open handle; each type keeps its list for the next open.
void ReleaseAllThemeHandles();
bool IsLunaOrRoyaleTheme();
bool IsDwmCompositionOn();
bool IsDwmApiLoaded();
// The type's default class list ("Button" for tciButton).
const char* ThemeClassName(TdxThemeClassId ClassId);

// Hears of theme and system-colour changes while the theme library is loaded; with none it
// never joins the list and is never told.
class TdxThemeChangedNotificator : public TObject {
  VW_CLASS(TdxThemeChangedNotificator, TObject)
 public:
  TdxThemeChangedNotificator();
  ~TdxThemeChangedNotificator() override;
  std::function<void()> OnThemeChanged;
  virtual void RelayThemeChange();
};

// The hidden window that receives WM_THEMECHANGED and WM_SYSCOLORCHANGE.
class TdxThemeChangedEventReceiver : public TObject {
  VW_CLASS(TdxThemeChangedEventReceiver, TObject)
 public:
  TdxThemeChangedEventReceiver();
  ~TdxThemeChangedEventReceiver() override;
  win::HWND WindowHandle() const { return FWindowHandle; }

 protected:
  void HandleMessage(TMessage& Message);
  void NotifyNotificators();

 private:
  win::HWND FWindowHandle = nullptr;
};

// The receiver while the theme library is loaded (tests send it the change messages).
TdxThemeChangedEventReceiver* ThemeChangedEventReceiver();

// Start-up binds the libraries (after InitCommonControls) and makes the receiver and the list;
// shutdown undoes it in reverse. Run once per program, or per test.
void ThemeAccessStartup();
void ThemeAccessShutdown();
