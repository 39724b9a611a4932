#pragma once
// What a container's layout came to, and how it paints from it: background, frame and drop
// shadow in the library's own border styles or through the system's theme. The same unit holds
// the routines that the container, the popup window and the inner controls share: border widths,
// the shadow region and window regions, focus and active-form tests, message-queue routines,
// scroll-bar information, invalidation and string comparison.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/classes/Forms.h"
#include "platform/win/Controls.h"
#include "ui/controls/ContainerStyle.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Painters.h"
#include "ui/foundation/ThemeManager.h"

// The visual state, a set of bits.
using TcxContainerVisualState = std::uint8_t;
inline constexpr TcxContainerVisualState cvsNormal = 1;
inline constexpr TcxContainerVisualState cvsFocused = 2;
inline constexpr TcxContainerVisualState cvsDisabled = 4;
inline constexpr TcxContainerVisualState cvsHot = 8;

class TcxContainerViewInfo : public TObject {
  VW_CLASS(TcxContainerViewInfo, TObject)
 public:
  TcxContainerViewInfo() = default;

  TColor BackgroundColor = clWindow;
  TColor BorderColor = clWindowFrame;
  // Inside the frame: where the background is filled.
  TRect BorderRect;
  TcxContainerBorderStyle BorderStyle = cbsNone;
  int BorderWidth = 0;
  TRect Bounds;
  // Where the inner control goes.
  TRect ClientRect;
  TcxContainerVisualState ContainerState = cvsNormal;
  TcxBorders Edges;
  // 0: hot tracking off; 1: on, neither focused nor hot; 2: on and focused or hot.
  std::uint8_t HotState = 0;
  int NativePart = 0;
  int NativeState = 0;
  bool NativeStyle = false;
  TcxCustomLookAndFeelPainterClass Painter = nullptr;
  bool Shadow = false;
  TdxThemeClassId ThemedObjectType = tciButton;
  bool UseSkins = false;

  virtual void PaintBorderFrame(TcxCanvas* Canvas, TRect R);
  virtual TcxContainerBorderStyle EffectiveBorderStyle() { return BorderStyle; }
  virtual void PaintBody(TcxCanvas* Canvas);
  virtual void AssignBackgroundColor(TColor Color) { BackgroundColor = Color; }
  virtual void CopyStateFrom(TcxContainerViewInfo* Source);
  // Owned by the caller.
  virtual TcxRegion* DiffRegion(TcxContainerViewInfo* Previous);
  virtual void ShiftBy(int DX, int DY);
  virtual void PaintWithHandler(TcxCanvas* Canvas) { PaintBody(Canvas); }
  virtual bool AdoptStylePainter(TcxContainerStyle* Style);

 protected:
  void PaintNativeBody(TcxCanvas* Canvas);
  void PaintPlainBody(TcxCanvas* Canvas);
};

using TcxContainerViewInfoClass = std::function<TcxContainerViewInfo*()>;
template <class T>
TcxContainerViewInfoClass ContainerViewInfoClassOf() {
  return []() -> TcxContainerViewInfo* { return new T(); };
}

// ---- border widths and rectangles -----------------------------------------------------------------

int ContainerBorderWidth(TcxContainerBorderStyle BorderStyle);
// A skin painter draws every frame 1 pixel wide but the thick one (2) and none (0).
int ContainerBorderWidthFor(TcxContainerBorderStyle BorderStyle, TcxCustomLookAndFeelPainterClass Painter);
void GrowRectOnEdges(TRect& R, int Width, TcxBorders Edges);
void DeflateRectOffEdges(TRect& R, int Width, TcxBorders Edges);
void ControlLocalBounds(TControl* Control, TRect& R);

// ---- shadow and window regions --------------------------------------------------------------------

// 3 pixels at the right and bottom, starting 3 pixels in from the top-left; each strip is left out
// of the canvas's clip region once filled.
void PaintContainerShadow(TcxCanvas* Canvas, const TRect& R);
// The outline joined with the outline shifted (3, 3) and shrunk by Insets, less Excluded; 0
// without a shadow or with a native border. The caller owns the region.
win::HRGN MakeShadowRegion(win::HWND Window, const TRect& Outline, const TRect& Insets, const TRect& Excluded,
                           bool Shadow, bool NativeBorder);
// Gives the window Region when it differs from the window's; else Region is deleted.
void ApplyWindowRegion(win::HWND Window, win::HRGN Region);
bool IsWindowRegionChanged(win::HWND Window, win::HRGN Region);
void SetWindowShadowRegion(win::HWND Window, const TRect& Outline, const TRect& Insets, const TRect& Excluded,
                           bool Shadow, bool NativeBorder);

// The window region last given to a child: none (NoClip) or the rectangle, in the child's
// coordinates.
struct TcxContainerInnerControlClip {
  bool NoClip = true;
  TRect Rect;
};
void ApplyChildClip(TWinControl* Control, const TcxContainerInnerControlClip& Clip);

// ---- windows, focus and forms ---------------------------------------------------------------------

win::HWND TopLevelAncestorWindow(win::HWND Window);
bool WindowBelongsToControl(TWinControl* Control, win::HWND Window, bool CheckChildren);
bool ControlOwnsWindow(TWinControl* Control, win::HWND Window);
bool IsControlOwnWindow(TWinControl* Control, win::HWND Window);
bool WindowInControlForm(TWinControl* Control, win::HWND Window);
bool IsControlWindowVisible(TWinControl* Control);
bool IsFormActive(TCustomForm* Form);

// ---- the message queue ----------------------------------------------------------------------------

bool IsMessagePendingFor(win::HWND Window, win::UINT Msg);
// Removes Window's queued messages First..Last (First..First when Last is 0): one, or all with
// All. A WM_QUIT met on the way is posted again and ends the removal. True when any went.
bool DiscardPendingMessages(win::HWND Window, win::UINT First, win::UINT Last, bool All);
void DisableWindowIntoList(std::vector<win::HWND>& List, win::HWND Window);
void EnableListedWindows(std::vector<win::HWND>* List);

// ---- invalidation and filling ---------------------------------------------------------------------

void InvalidateControlRect(TWinControl* Control, const TRect& R, bool Erase);
// The four strips of Outer around a non-empty Inner, else Outer.
void InvalidateAroundRect(win::HWND Window, const TRect& Outer, const TRect& Inner, bool Erase);
void FillRectAround(TcxCanvas* Canvas, const TRect& Outer, const TRect& Inner, TColor Color);

// ---- scroll bars and themes -----------------------------------------------------------------------

bool QueryScrollBarInfo(win::HWND Window, win::LONG ObjectId, win::SCROLLBARINFO& Info);
bool ScrollBarInfoApiAvailable();
// Looks the entry point up in "User32"; the unit's start-up runs it.
void BindGetScrollBarInfo();
// A test seam: as on a system without the entry point (false), or bound again (true).
void SetScrollBarInfoApiBoundForTesting(bool Bound);
bool IsNativeThemeActive(bool NativeStyle, TdxThemeClassId ClassId);

class TcxContainer;
// Fills R on the inner control's window context with the container painter's size-grip colour.
void FillInnerSizeGripCorner(TcxContainer* Container, const TRect& R);

// ---- small helpers --------------------------------------------------------------------------------

int MouseButtonCode(TMouseButton Button);
TShiftState CurrentShiftState();
void MouseCursorPosThunk(win::POINT& P);
bool StringsEqual(const String& S1, const String& S2, bool CaseSensitive);
void AssignFontFrom(TFont* Dest, TFont* Source);
void RecreateControlWindow(TObject* Sender, TWinControl* Control);

// ---- popups being shown ---------------------------------------------------------------------------

// The popup windows on screen, each with the control that opened it; the popup window registers
// itself while shown.
class TcxShownPopup {
 public:
  virtual ~TcxShownPopup() = default;
  virtual TWinControl* PopupWindowControl() = 0;
  virtual TWinControl* PopupOwnerControl() = 0;
};
void RegisterShownPopup(TcxShownPopup* Popup);
void UnregisterShownPopup(TcxShownPopup* Popup);
const std::vector<TcxShownPopup*>& ShownPopups();
void LockPopupShowing(bool Lock);
bool IsPopupShowingLocked();
bool ReadContainerUnitFlag();
