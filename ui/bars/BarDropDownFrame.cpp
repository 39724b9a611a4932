#include "ui/bars/BarDropDownFrame.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/win/Metrics.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Geometry.h"

using namespace win;

namespace {

// The window DC bound to the shared paint canvas for one drawing, both let go however it ends.
class TWindowPaintLevel {
 public:
  TWindowPaintLevel(TcxPaintCanvas* Canvas, HWND Window) : FCanvas(Canvas), FWindow(Window), FDC(GetWindowDC(Window)) {
    try {
      FCanvas->PushDC(FDC);
    } catch (...) {
      ReleaseDC(FWindow, FDC);
      throw;
    }
  }
  ~TWindowPaintLevel() {
    FCanvas->PopLevel();
    ReleaseDC(FWindow, FDC);
  }
  TWindowPaintLevel(const TWindowPaintLevel&) = delete;
  TWindowPaintLevel& operator=(const TWindowPaintLevel&) = delete;
  HDC DC() const { return FDC; }

 private:
  TcxPaintCanvas* FCanvas;
  HWND FWindow;
  HDC FDC;
};

// The close button's square within the panel: s = min(SM_CXSIZE, panel height - 4), made odd, in
// a strip s + 4 wide at the end away from the grip; one pixel lower in a bottom panel. Empty when
// the panel is too low for a button.
TRect CloseButtonBounds(const TRect& Panel, bool GripRight, bool BottomPanel) {
  int s = std::min(GetSystemMetrics(SM_CXSIZE), HeightOfRect(Panel) - 4);
  if (s % 2 == 0) --s;
  if (s <= 0) return {};
  const int stripLeft = GripRight ? Panel.Left : Panel.Right - (s + 4);
  const int left = stripLeft + 2;
  const int top = Panel.Top + (HeightOfRect(Panel) - s) / 2 + (BottomPanel ? 1 : 0);
  return {left, top, left + s, top + s};
}

}  // namespace

void DrawDropDownFrame(HWND Window, bool ShowPanel, bool Flat, bool CloseHot, bool CloseDown, TRect& GripRect,
                       TRect& CloseRect, TcxGripCorner Corner) {
  GripRect = CloseRect = {};
  // Nothing to draw with once the graphics have shut down.
  TcxPaintCanvas* canvas = PaintCanvasInstance();
  if (!canvas) return;
  RECT screenWindow{};
  GetWindowRect(Window, &screenWindow);
  const TPoint windowOrigin{screenWindow.left, screenWindow.top};
  const TRect windowRect = ShiftRect(screenWindow, windowOrigin.X, windowOrigin.Y, false);
  RECT client{};
  GetClientRect(Window, &client);
  POINT clientOrigin{0, 0};
  ClientToScreen(Window, &clientOrigin);
  const TRect clientRect = ShiftRect(client, clientOrigin.x - windowOrigin.X, clientOrigin.y - windowOrigin.Y, true);
  const int border = clientRect.Left;
  const bool topPanel = Corner == TcxGripCorner::TopLeft || Corner == TcxGripCorner::TopRight;
  const bool gripRight = Corner == TcxGripCorner::TopRight || Corner == TcxGripCorner::BottomRight;
  TRect panel = GrowRect(windowRect, -border, -border);
  if (topPanel)
    panel.Bottom = clientRect.Top;
  else
    panel.Top = clientRect.Bottom;
  const TColor frameColor = Flat ? clBtnShadow : clWindowFrame;

  TWindowPaintLevel level(canvas, Window);
  canvas->DrawSideFrame(windowRect, frameColor, border);
  if (!ShowPanel) return;

  canvas->ClipToRect(panel);
  canvas->DrawSideFrame(panel, frameColor, border, topPanel ? TcxBorders{bBottom} : TcxBorders{bTop}, true);

  RECT grip = panel;
  PaintSizeGrip(level.DC(), grip, Corner);
  canvas->ExcludeRectFromClip(grip);
  GripRect = ShiftRect(grip, windowOrigin.X, windowOrigin.Y, true);

  const TRect close = CloseButtonBounds(panel, gripRight, !topPanel);
  if (!RectHasNoArea(close)) {
    RECT frame = close;
    const bool edged = (CloseHot || CloseDown) && !Flat;
    const bool pushed = CloseHot && CloseDown;
    DrawFrameControl(level.DC(), &frame, DFC_CAPTION,
                     DFCS_CAPTIONCLOSE | DFCS_FLAT | (pushed && !Flat ? DFCS_PUSHED : 0));
    if (edged)
      canvas->Draw3DEdge(close, pushed, pushed);
    else
      canvas->DrawSideFrame(close, clBtnFace);
    canvas->DrawSideFrame(GrowRect(close, -1, -1), clBtnFace);
    canvas->ExcludeRectFromClip(close);
    CloseRect = ShiftRect(close, windowOrigin.X, windowOrigin.Y, true);
  }
  canvas->FillRectWithColor(panel, clBtnFace);
}
