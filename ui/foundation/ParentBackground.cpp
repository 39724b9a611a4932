#include "ui/foundation/ParentBackground.h"

#include "platform/win/Focus.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "ui/foundation/Geometry.h"

using namespace win;

namespace {

// Puts a saved DC state back however the painting ends.
class SavedDC {
 public:
  explicit SavedDC(HDC DC) : FDC(DC), FIndex(SaveDC(DC)) {}
  ~SavedDC() { RestoreDC(FDC, FIndex); }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC FDC;
  int FIndex;
};

// The control paints itself into DC as a copy (csPaintCopy tells it so): background, then content.
void PerformPaintCopy(TWinControl* Control, HDC DC) {
  if (Control->HasState(csDestroying)) return;
  const TControlState state = Control->ControlState();
  Control->SetControlState(state + TControlState{csPaintCopy});
  struct Restore {
    TWinControl* C;
    TControlState S;
    ~Restore() { C->SetControlState(S); }
  } restore{Control, state};
  Control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
  Control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
}

// Paints the window of Control and its windowed children, with DC's logical coordinates being the
// window's own: its region and frame edge honoured, its client area painted by the control.
void PaintWindowCopy(TWinControl* Control, HDC DC) {
  HWND wnd = Control->WindowHandle();
  if (!wnd) return;
  RECT window;
  GetWindowRect(wnd, &window);
  SavedDC saved(DC);
  IntersectClipRect(DC, 0, 0, window.right - window.left, window.bottom - window.top);
  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(wnd, shape);
  if (kind == SIMPLEREGION || kind == COMPLEXREGION) {
    POINT origin{0, 0};
    LPtoDP(DC, &origin, 1);
    OffsetRgn(shape, origin.x, origin.y);
    ExtSelectClipRgn(DC, shape, RGN_AND);
  }
  DeleteObject(shape);

  IcxFrameEdgeQuery* query = nullptr;
  const bool edgeWanted = !Supports(Control, &query) || query->HasFrameEdge();
  RECT edge{0, 0, window.right - window.left, window.bottom - window.top};
  const auto exStyle = static_cast<DWORD>(GetWindowLong(wnd, GWL_EXSTYLE));
  const auto style = static_cast<DWORD>(GetWindowLong(wnd, GWL_STYLE));
  if (edgeWanted && (exStyle & WS_EX_CLIENTEDGE))
    DrawEdge(DC, &edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  else if (edgeWanted && (style & WS_BORDER))
    DrawEdge(DC, &edge, BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | BF_MONO);

  POINT client{0, 0};
  ClientToScreen(wnd, &client);
  RECT clientRect;
  GetClientRect(wnd, &clientRect);
  const int cx = client.x - window.left, cy = client.y - window.top;
  IntersectClipRect(DC, cx, cy, cx + clientRect.right, cy + clientRect.bottom);
  OffsetWindowOrgEx(DC, -cx, -cy, nullptr);
  PerformPaintCopy(Control, DC);

  // The children, from the bottom of the z-order up.
  HWND child = GetWindow(wnd, GW_CHILD);
  for (child = child ? GetWindow(child, GW_HWNDLAST) : nullptr; child; child = GetWindow(child, GW_HWNDPREV)) {
    TWinControl* c = TWinControl::FindControl(child);
    if (!c || !IsWindowVisible(child)) continue;
    RECT r;
    GetWindowRect(child, &r);
    SavedDC inChild(DC);
    OffsetWindowOrgEx(DC, client.x - r.left, client.y - r.top, nullptr);
    PaintWindowCopy(c, DC);
  }
}

}  // namespace

void PaintParentBackground(TControl* Control, TcxCanvas* Canvas, const TRect& R, bool IncludeSiblings) {
  TWinControl* parent = Control ? Control->Parent() : nullptr;
  if (!parent) return;
  HDC dc = Canvas->DeviceContext();
  const POINT origin = Control->ClientOrigin();
  {
    const POINT parentOrigin = parent->ClientOrigin();
    const int dx = origin.x - parentOrigin.x, dy = origin.y - parentOrigin.y;
    SavedDC saved(dc);
    OffsetWindowOrgEx(dc, dx, dy, nullptr);
    const TRect area = ShiftRect(R, dx, dy, true);
    RECT rc = area;
    if (RectVisible(dc, &rc)) {
      IntersectClipRect(dc, area.Left, area.Top, area.Right, area.Bottom);
      PerformPaintCopy(parent, dc);
    }
  }
  if (!IncludeSiblings) return;
  // The windowed siblings beneath the control, from the bottom up; a windowless control lies
  // beneath all of them.
  auto* self = dynamic_cast<TWinControl*>(Control);
  HWND selfWnd = self ? self->WindowHandle() : nullptr;
  if (!selfWnd) return;
  for (HWND sibling = GetWindow(selfWnd, GW_HWNDLAST); sibling && sibling != selfWnd;
       sibling = GetWindow(sibling, GW_HWNDPREV)) {
    TWinControl* s = TWinControl::FindControl(sibling);
    if (!s || !IsWindowVisible(sibling)) continue;
    RECT window;
    GetWindowRect(sibling, &window);
    const int kx = origin.x - window.left, ky = origin.y - window.top;
    SavedDC saved(dc);
    OffsetWindowOrgEx(dc, kx, ky, nullptr);
    const TRect area = ShiftRect(R, kx, ky, true);
    TRect inWindow;
    if (!IntersectRects(inWindow, area, TRect(0, 0, window.right - window.left, window.bottom - window.top))) continue;
    RECT rc = inWindow;
    if (!RectVisible(dc, &rc)) continue;
    IntersectClipRect(dc, inWindow.Left, inWindow.Top, inWindow.Right, inWindow.Bottom);
    PaintWindowCopy(s, dc);
  }
}

void PaintParentBackgroundToCanvas(TControl* Control, TCanvas* Canvas, const TRect& R, bool IncludeSiblings) {
  TcxCanvas canvas(Canvas);
  PaintParentBackground(Control, &canvas, R, IncludeSiblings);
}

void PaintParentBackgroundShifted(TControl* Control, TcxCanvas* Canvas, const TRect& R, const TPoint& Offset,
                                  bool IncludeSiblings) {
  HDC dc = Canvas->DeviceContext();
  OffsetWindowOrgEx(dc, Offset.X, Offset.Y, nullptr);
  struct Back {
    HDC DC;
    TPoint O;
    ~Back() { OffsetWindowOrgEx(DC, -O.X, -O.Y, nullptr); }
  } back{dc, Offset};
  PaintParentBackground(Control, Canvas, R, IncludeSiblings);
}
