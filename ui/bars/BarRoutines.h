#pragma once
// Free routines the bar library's managers, bar windows, items and painters share: key and caption
// helpers, glyph modes, arrows, fills and frames, clip regions, message pumping and the geometry
// of keyboard navigation.
#include <vector>

#include "platform/classes/ActnList.h"
#include "platform/classes/Bitmap.h"
#include "platform/classes/Graphics.h"
#include "platform/classes/TypInfo.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Messages.h"
#include "ui/bars/BarClasses.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Painters.h"

// ---- strings and keys ---------------------------------------------------------------------------

// "\" for the registry, "." for other stores.
String LayoutSeparator(bool Registry);
// The class library's shortcut of a key with the modifiers held now; Alt comes from bit 29 of the
// key data. 0 for key 0.
TShortCut ShortCutOf(win::WORD Key, win::LPARAM KeyData);
// " (Ctrl+O)"; empty for no shortcut.
String ShortCutHintText(TShortCut ShortCut);
// 1-based position (in characters) of the accelerator character, 0 when none: the last single
// "&" counts, "&&" is a literal "&", a final "&" is not examined. With RemoveMarks the first "&" of
// every mark is deleted from Caption and the position is in the shortened text.
int AcceleratorPosition(String& Caption, bool RemoveMarks);
int AcceleratorPosition(const String& Caption);
// Value x screen pixels per inch / Base, ties rounded to even.
int ScaleByScreenDpi(int Value, int Base = 96);
// The caption without its "&" marks ("&&" keeps one); a trailing "&" goes without a trace.
String CaptionWithoutAccelerators(const String& Caption);
// The names of the enumeration's values in order.
std::vector<String> EnumValueNames(const TEnumInfo* Info);
template <NamedEnum E>
std::vector<String> EnumValueNames() {
  return EnumValueNames(TypeInfo<E>());
}
// A set type answers the names of its element type.
template <class S>
  requires requires { typename S::Element; }
std::vector<String> EnumValueNames() {
  return EnumValueNames<typename S::Element>();
}
inline TdxBarItemVisible VisibleToItemVisible(bool Visible) { return Visible ? ivAlways : ivNever; }
// The highest level present, counting down from ivlControlOnly; 255 for an empty set.
int HighestRealViewLevel(TdxBarItemViewLevels Levels);

// ---- glyphs and arrows --------------------------------------------------------------------------

// Fading inactive glyphs is always on.
constexpr bool FadeInactiveGlyphs = true;

// 0 normal, 1 disabled, 2 disabled and faded, 3 gray, 4 faded (inactive), 5 shadowed.
int GlyphDrawMode(bool HasOwnDisabledLook, bool FadeDisabledImages, bool GrayGlyph, bool GlyphDrawFlagA,
                  bool GlyphDrawFlagB, bool Selected, bool Down, bool Pressed);

// The look-and-feel painters' arrow directions; bars point theirs down (adDown) or right (adRight).
using TdxBarArrowDirection = TcxArrowPointing;

// Polygon filled with one colour and outlined with another; the objects are gone afterwards.
void FillPolygon(win::HDC DC, const win::POINT* Points, int Count, win::COLORREF FillColor, win::COLORREF PenColor);
// Drop-down and sub-menu arrows of size S centred in R; clDefault resolves from the states.
void DrawBarArrow(win::HDC DC, const win::RECT& R, TdxBarArrowDirection Direction, TColor Color, bool Enabled,
                  bool Selected, bool SkipDisabledHighlight, int S);
int BarArrowFittedSize(const win::RECT& R, TdxBarArrowDirection Direction);
void DrawBarArrowFitted(win::HDC DC, const win::RECT& R, TdxBarArrowDirection Direction, TColor Color, bool Enabled,
                        bool Selected, bool SkipDisabledHighlight = false);

// ---- fills, frames and clipping -----------------------------------------------------------------

// Tiles Bitmap over R with the grid anchored at coordinate 0 of Origin's space, so neighbouring
// areas passed with their common origin join without a seam; without a bitmap fills R with Brush,
// or with Color when there is no brush.
void FillOrTile(win::HDC DC, const win::RECT& R, const win::RECT& Origin, win::HBITMAP Bitmap, TColor Color,
                win::HBRUSH Brush);
void FrameRectTwice(win::HDC DC, const win::RECT& R, int SysColor);
void FrameHighlight(win::HDC DC, const win::RECT& R);
// Two nested frames of single pixels: those whose x + y is even take the button text colour.
void DrawDottedFocusFrame(win::HDC DC, const win::RECT& R);
void DeleteAndClearObject(win::HGDIOBJ& Handle);
// Selects Previous back into the DC and deletes the object it replaces.
void RestoreAndDelete(win::HDC DC, win::HGDIOBJ Previous);
// Clips the canvas to the frame: Frame without Content.
void ExcludeFrameInterior(TcxCanvas* Canvas, const TRect& Frame, const TRect& Content);
// Destroys the window when asked and forgets it.
void ReleaseWindowHandle(win::HWND& Window, bool Destroy);
// Kills a set timer; true when it was killed, and the id is then cleared.
bool KillTimerSafe(win::HWND Window, win::UINT_PTR& TimerId);
// Z-order (and with Activate, activation) only: the window keeps its place and size.
void SetWindowPosNoSize(win::HWND Window, win::HWND InsertAfter, bool Activate, win::UINT ExtraFlags = 0);
win::COLORREF NearestScreenColor(win::COLORREF Color);
// The area of a dragged item: a checker of black and button face blended over it.
void HatchArea(win::HDC DC, const win::RECT& R);
win::RECT WorkAreaAt(win::POINT P);
inline void ClampToMinimum(int& Width, int Minimum) {
  if (Width < Minimum) Width = Minimum;
}
// A new bitmap (the caller owns it) that tells Handler of its changes.
TBitmap* NewBitmapWithChangeHandler(TNotifyEvent Handler);
// Keeps a copy of the DC's clip region (and whether it had one) to put back later; putting it back
// restores "no region" when there was none and deletes the copy.
void KeepClipRegion(win::HDC DC, win::HRGN& Region, bool& Existed);
void PutBackClipRegion(win::HDC DC, win::HRGN& Region, bool Existed);
void AddClipRectangle(win::HDC DC, const win::RECT& R);

// ---- messages and mouse -------------------------------------------------------------------------

// Dispatches the mouse messages already queued for the thread; a WM_QUIT met is posted again and
// ends the pumping.
void ProcessPendingMouseMessages();
void ProcessPendingPaints();
bool MouseDownMessage(win::UINT Message);
// Removes the window's queued WM_CHAR messages; a WM_QUIT met is posted again and ends it.
void DropPendingChars(win::HWND Window);
// Loading and inherited, but not being read: the component answers the values it loaded.
bool LoadingFromAncestor(const TComponent* Component);
// The application's message box with the application's title; the button chosen.
int BarMessageBox(const String& Text, win::UINT Flags);
// The physical buttons, whichever virtual button the swapped-buttons setting maps them to.
bool LeftButtonDown();
bool RightButtonDown();

// ---- fonts --------------------------------------------------------------------------------------

// The system's small-caption font; without UseSystemFont it takes Font's face (31 bytes at most)
// and is no larger than 11 pixels high.
win::HFONT CreateSmallCaptionFont(TFont* Font, bool UseSystemFont);
// Scaled: Font at the height of the system's icon-title font (11 pixels when that is 10 or
// smaller); else a copy of Font. Target takes the result.
void MakeEditFont(TFont* Font, TFont* Target, bool Scaled);
// A new font of the same logical font; nil for none.
win::HFONT CopyFontHandle(win::HFONT Font);

// ---- keyboard-navigation geometry ---------------------------------------------------------------

// Directions: 0 left, 1 up, 2 right, 3 down.
struct TdxBarDirectionalMetrics {
  double Deviation = 0;        // degrees off the direction, 0 to 180
  long long Distance = 0;      // the gap in the direction; negative when the candidate is behind
};
TdxBarDirectionalMetrics DirectionalMetrics(const win::RECT& From, const win::RECT& Candidate, int Direction);
// The index of the nearest candidate in the direction (ties to the smaller deviation), leaving out
// Current; left and right wrap around when asked. -1 when none, and always for directions 4 and 5.
int NextInDirection(const std::vector<win::RECT>& Rects, int Current, int Direction, bool Wrap);
