#include "ui/controls/ContainerViewInfo.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
#include "platform/win/Focus.h"
#include "platform/win/Window.h"
#include "ui/controls/Container.h"
#include "ui/controls/ControlServices.h"

using namespace win;

namespace {

constexpr int kShadowSize = 3;
// TMT_BORDERCOLOR: the frame around a themed edit's content.
constexpr int kThemeBorderColor = 3801;

using GetScrollBarInfoProc = BOOL (*)(HWND, LONG, SCROLLBARINFO*);
GetScrollBarInfoProc gGetScrollBarInfo = nullptr;

std::vector<TcxShownPopup*> gShownPopups;
int gPopupShowingLock = 0;

bool IsEmptyRect(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

}  // namespace

// ---- TcxContainerViewInfo ---------------------------------------------------------------------------

void TcxContainerViewInfo::PaintBorderFrame(TcxCanvas* Canvas, TRect R) {
  if (Painter || BorderStyle == cbsSingle || BorderStyle == cbsThick) {
    Canvas->DrawSideFrame(R, BorderColor, BorderWidth, cxBordersAll);
    return;
  }
  switch (BorderStyle) {
    case cbsFlat:
      Canvas->Draw3DEdge(R, true, true, Edges);
      R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
      Canvas->DrawSideFrame(R, clBtnFace, 1, cxBordersAll);
      break;
    case cbs3D:
      Canvas->Draw3DEdge(R, true, true, Edges);
      R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
      Canvas->DrawTwoColorFrame(R, cl3DDkShadow, cl3DLight, Edges, 1);
      break;
    default: break;
  }
}

void TcxContainerViewInfo::PaintBody(TcxCanvas* Canvas) {
  if (NativeStyle)
    PaintNativeBody(Canvas);
  else
    PaintPlainBody(Canvas);
}

void TcxContainerViewInfo::PaintPlainBody(TcxCanvas* Canvas) {
  TRect r = BorderRect;
  r.Left -= BorderWidth;
  r.Top -= BorderWidth;
  if (Edges.Contains(bRight)) r.Right += BorderWidth;
  if (Edges.Contains(bBottom)) r.Bottom += BorderWidth;
  if (Shadow) PaintContainerShadow(Canvas, r);
  if (!Edges.Contains(bRight)) r.Right += BorderWidth;
  if (!Edges.Contains(bBottom)) r.Bottom += BorderWidth;
  PaintBorderFrame(Canvas, r);
  Canvas->ChangeBrushColor(BackgroundColor);
  Canvas->FillRectWithBitmap(BorderRect, nullptr);
}

void TcxContainerViewInfo::PaintNativeBody(TcxCanvas* Canvas) {
  if (BorderStyle == cbsNone) {
    Canvas->FillRectWithColor(Bounds, BackgroundColor);
    return;
  }
  TRect content;
  HTHEME theme = AcquireThemeHandle(ThemedObjectType);
  if (UxGetThemeBackgroundContentRect(theme, Canvas->DeviceContext(), 1, NativeState, Bounds, content) != S_OK)
    content = Bounds;
  Canvas->FillRectWithColor(content, BackgroundColor);
  COLORREF frame = 0;
  if (IsDwmCompositionOn())
    UxGetThemeColor(AcquireThemeHandle(tciListBox), 3, 1, kThemeBorderColor, frame);
  else
    UxGetThemeColor(AcquireThemeHandle(tciComboBox), 1, 1, kThemeBorderColor, frame);
  FillRectAround(Canvas, Bounds, content, static_cast<TColor>(frame));
}

void TcxContainerViewInfo::CopyStateFrom(TcxContainerViewInfo* Source) {
  if (Source) ClientRect = Source->ClientRect;
}

TcxRegion* TcxContainerViewInfo::DiffRegion(TcxContainerViewInfo*) { return new TcxRegion(); }

void TcxContainerViewInfo::ShiftBy(int DX, int DY) {
  for (TRect* r : {&BorderRect, &Bounds, &ClientRect}) {
    r->Left += DX;
    r->Right += DX;
    r->Top += DY;
    r->Bottom += DY;
  }
}

bool TcxContainerViewInfo::AdoptStylePainter(TcxContainerStyle* Style) {
  Painter = Style->LookAndFeel()->SkinPainter();
  UseSkins = Painter != nullptr;
  return UseSkins;
}

// ---- border widths and rectangles -------------------------------------------------------------------

int ContainerBorderWidth(TcxContainerBorderStyle BorderStyle) {
  switch (BorderStyle) {
    case cbsNone: return 0;
    case cbsThick: case cbsFlat: case cbs3D: return 2;
    default: return 1;
  }
}

int ContainerBorderWidthFor(TcxContainerBorderStyle BorderStyle, TcxCustomLookAndFeelPainterClass Painter) {
  if (!Painter) return ContainerBorderWidth(BorderStyle);
  if (BorderStyle == cbsNone) return 0;
  return BorderStyle == cbsThick ? 2 : 1;
}

void GrowRectOnEdges(TRect& R, int Width, TcxBorders Edges) {
  if (Edges.Contains(bLeft)) R.Left -= Width;
  if (Edges.Contains(bTop)) R.Top -= Width;
  if (Edges.Contains(bRight)) R.Right += Width;
  if (Edges.Contains(bBottom)) R.Bottom += Width;
}

void DeflateRectOffEdges(TRect& R, int Width, TcxBorders Edges) {
  if (!Edges.Contains(bLeft)) R.Left += Width;
  if (!Edges.Contains(bTop)) R.Top += Width;
  if (!Edges.Contains(bRight)) R.Right -= Width;
  if (!Edges.Contains(bBottom)) R.Bottom -= Width;
}

void ControlLocalBounds(TControl* Control, TRect& R) { R = TRect(0, 0, Control->Width(), Control->Height()); }

// ---- shadow and regions -----------------------------------------------------------------------------

void PaintContainerShadow(TcxCanvas* Canvas, const TRect& R) {
  Canvas->ChangeBrushColor(clBtnShadow);
  TRect bottom(R.Left + kShadowSize, R.Bottom, R.Right, R.Bottom + kShadowSize);
  Canvas->FillRectWithBitmap(bottom, nullptr);
  Canvas->ExcludeRectFromClip(bottom);
  TRect right(R.Right, R.Top + kShadowSize, R.Right + kShadowSize, R.Bottom + kShadowSize);
  Canvas->FillRectWithBitmap(right, nullptr);
  Canvas->ExcludeRectFromClip(right);
}

HRGN MakeShadowRegion(HWND, const TRect& Outline, const TRect& Insets, const TRect& Excluded, bool Shadow,
                      bool NativeBorder) {
  if (!Shadow || NativeBorder) return nullptr;
  HRGN region = CreateRectRgn(Outline.Left, Outline.Top, Outline.Right, Outline.Bottom);
  TRect shifted(Outline.Left + kShadowSize + Insets.Left, Outline.Top + kShadowSize + Insets.Top,
                Outline.Right + kShadowSize - Insets.Right, Outline.Bottom + kShadowSize - Insets.Bottom);
  HRGN shadow = CreateRectRgn(shifted.Left, shifted.Top, shifted.Right, shifted.Bottom);
  CombineRgn(region, region, shadow, RGN_OR);
  DeleteObject(shadow);
  if (!IsEmptyRect(Excluded)) {
    HRGN excluded = CreateRectRgn(Excluded.Left, Excluded.Top, Excluded.Right, Excluded.Bottom);
    CombineRgn(region, region, excluded, RGN_DIFF);
    DeleteObject(excluded);
  }
  return region;
}

bool IsWindowRegionChanged(HWND Window, HRGN Region) {
  HRGN current = CreateRectRgn(0, 0, 0, 0);
  int kind = GetWindowRgn(Window, current);
  bool changed;
  if (!Region)
    changed = kind == SIMPLEREGION || kind == COMPLEXREGION;
  else
    changed = !EqualRgn(current, Region);
  DeleteObject(current);
  return changed;
}

void ApplyWindowRegion(HWND Window, HRGN Region) {
  if (IsWindowRegionChanged(Window, Region))
    SetWindowRgn(Window, Region, TRUE);
  else if (Region)
    DeleteObject(Region);
}

void SetWindowShadowRegion(HWND Window, const TRect& Outline, const TRect& Insets, const TRect& Excluded, bool Shadow,
                           bool NativeBorder) {
  ApplyWindowRegion(Window, MakeShadowRegion(Window, Outline, Insets, Excluded, Shadow, NativeBorder));
}

void ApplyChildClip(TWinControl* Control, const TcxContainerInnerControlClip& Clip) {
  HRGN region = Clip.NoClip ? nullptr : CreateRectRgn(Clip.Rect.Left, Clip.Rect.Top, Clip.Rect.Right, Clip.Rect.Bottom);
  SetWindowRgn(Control->Handle(), region, TRUE);
}

// ---- windows, focus and forms -----------------------------------------------------------------------

HWND TopLevelAncestorWindow(HWND Window) {
  for (HWND w = Window; w; w = GetParent(w))
    if ((GetWindowLong(w, GWL_STYLE) & WS_CHILD) == 0) return w;
  return nullptr;
}

bool WindowBelongsToControl(TWinControl* Control, HWND Window, bool CheckChildren) {
  if (!Control) return false;
  if (Control->HandleAllocated() && Window == Control->Handle()) return true;
  return CheckChildren && ControlOwnsWindow(Control, Window);
}

bool ControlOwnsWindow(TWinControl* Control, HWND Window) {
  if (!Control || !Window || !Control->HandleAllocated() || Control->Handle() == Window) return false;
  if (IsChild(Control->Handle(), Window)) return true;
  for (int i = 0; i < Control->ControlCount(); ++i)
    if (auto* child = dynamic_cast<TWinControl*>(Control->Controls(i)))
      if (WindowBelongsToControl(child, Window, true)) return true;
  // Popups opened from a control on this popup count as this popup's.
  bool isPopup = std::any_of(gShownPopups.begin(), gShownPopups.end(),
                             [Control](TcxShownPopup* p) { return p->PopupWindowControl() == Control; });
  for (TcxShownPopup* popup : std::vector<TcxShownPopup*>(gShownPopups)) {
    TWinControl* window = popup->PopupWindowControl();
    TWinControl* owner = popup->PopupOwnerControl();
    if (!window || window == Control) continue;
    bool ownerHere = owner == Control || (isPopup && owner && Control->HandleAllocated() && owner->HandleAllocated() &&
                                          IsChild(Control->Handle(), owner->Handle()));
    if (ownerHere && WindowBelongsToControl(window, Window, true)) return true;
  }
  return false;
}

bool IsControlOwnWindow(TWinControl* Control, HWND Window) { return WindowBelongsToControl(Control, Window, false); }

bool WindowInControlForm(TWinControl* Control, HWND Window) {
  if (!Control) return false;
  TCustomForm* form = Control->GetParentForm();
  if (!form) return false;
  if (WindowBelongsToControl(form, Window, true)) return true;
  if (form->Parent() || !form->HandleAllocated()) return false;
  HWND top = form->Handle();
  for (HWND parent = GetParent(top); parent && IsChild(parent, top); parent = GetParent(parent)) top = parent;
  return Window == top || IsChild(top, Window);
}

bool IsControlWindowVisible(TWinControl* Control) {
  return Control && Control->HandleAllocated() && IsWindowVisible(Control->Handle());
}

bool IsFormActive(TCustomForm* Form) {
  if (!Form || !Form->HandleAllocated()) return false;
  HWND active = GetActiveWindow();
  if (Form->Handle() == active) return true;
  if (IsMDIChildForm(Form)) {
    // A document is active when its frame is and its MDI client names it the active one.
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main || !main->HandleAllocated() || main->Handle() != active) return false;
    HWND client = GetParent(Form->Handle());
    return client && reinterpret_cast<HWND>(SendMessage(client, WM_MDIGETACTIVE, 0, 0)) == Form->Handle();
  }
  return TopLevelAncestorWindow(Form->Handle()) == active;
}

// ---- the message queue ------------------------------------------------------------------------------

bool IsMessagePendingFor(HWND Window, UINT Msg) {
  MSG m;
  return PeekMessage(&m, nullptr, Msg, Msg, PM_NOREMOVE) && m.hwnd == Window;
}

bool DiscardPendingMessages(HWND Window, UINT First, UINT Last, bool All) {
  if (Last == 0) Last = First;
  bool removed = false;
  MSG m;
  while (PeekMessage(&m, Window, First, Last, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    removed = true;
    if (!All) break;
  }
  return removed;
}

void DisableWindowIntoList(std::vector<HWND>& List, HWND Window) {
  if (!IsWindowEnabled(Window)) return;
  List.push_back(Window);
  EnableWindow(Window, FALSE);
}

void EnableListedWindows(std::vector<HWND>* List) {
  if (!List) return;
  for (HWND w : *List)
    if (IsWindow(w)) EnableWindow(w, TRUE);
}

// ---- invalidation and filling -----------------------------------------------------------------------

void InvalidateControlRect(TWinControl* Control, const TRect& R, bool Erase) {
  if (!Control->HandleAllocated()) return;
  RECT r = R;
  InvalidateRect(Control->Handle(), &r, Erase);
}

void InvalidateAroundRect(HWND Window, const TRect& Outer, const TRect& Inner, bool Erase) {
  if (IsEmptyRect(Inner)) {
    RECT r = Outer;
    InvalidateRect(Window, &r, Erase);
    return;
  }
  const RECT strips[] = {
      {Outer.Left, Outer.Top, Inner.Left, Outer.Bottom},
      {Inner.Left, Outer.Top, Inner.Right, Inner.Top},
      {Inner.Left, Inner.Bottom, Inner.Right, Outer.Bottom},
      {Inner.Right, Outer.Top, Outer.Right, Outer.Bottom},
  };
  for (const RECT& r : strips)
    if (r.right > r.left && r.bottom > r.top) InvalidateRect(Window, &r, Erase);
}

void FillRectAround(TcxCanvas* Canvas, const TRect& Outer, const TRect& Inner, TColor Color) {
  if (IsEmptyRect(Outer) || Outer == Inner) return;
  Canvas->ChangeBrushColor(Color);
  if (IsEmptyRect(Inner)) {
    Canvas->FillRectWithBitmap(Outer, nullptr);
    return;
  }
  Canvas->FillRectWithBitmap(TRect(Outer.Left, Outer.Top, Inner.Left, Outer.Bottom), nullptr);
  Canvas->FillRectWithBitmap(TRect(Inner.Left, Outer.Top, Inner.Right, Inner.Top), nullptr);
  Canvas->FillRectWithBitmap(TRect(Inner.Left, Inner.Bottom, Inner.Right, Outer.Bottom), nullptr);
  Canvas->FillRectWithBitmap(TRect(Inner.Right, Outer.Top, Outer.Right, Outer.Bottom), nullptr);
}

// ---- scroll bars and themes -------------------------------------------------------------------------

bool QueryScrollBarInfo(HWND Window, LONG ObjectId, SCROLLBARINFO& Info) {
  Info.cbSize = 60;
  if (!gGetScrollBarInfo) return false;
  return gGetScrollBarInfo(Window, ObjectId, &Info) != FALSE;
}

bool ScrollBarInfoApiAvailable() { return gGetScrollBarInfo != nullptr; }

void BindGetScrollBarInfo() {
  gGetScrollBarInfo = reinterpret_cast<GetScrollBarInfoProc>(GetProcAddress(GetModuleHandle("User32"), "GetScrollBarInfo"));
}

void SetScrollBarInfoApiBoundForTesting(bool Bound) {
  if (Bound)
    BindGetScrollBarInfo();
  else
    gGetScrollBarInfo = nullptr;
}

bool IsNativeThemeActive(bool NativeStyle, TdxThemeClassId ClassId) {
  return NativeStyle && AcquireThemeHandle(ClassId) != nullptr;
}

void FillInnerSizeGripCorner(TcxContainer* Container, const TRect& R) {
  if (IsEmptyRect(R) || !Container || !Container->InnerControl() || !Container->InnerControl()->HandleAllocated())
    return;
  HWND inner = Container->InnerControl()->Handle();
  HDC dc = GetWindowDC(inner);
  if (!dc) return;
  TColor color = Container->NormalStyle()->LookAndFeel()->ActivePainter()->DefaultSizeGripAreaColor();
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  RECT r = R;
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  ReleaseDC(inner, dc);
}

// ---- small helpers ----------------------------------------------------------------------------------

int MouseButtonCode(TMouseButton Button) {
  switch (Button) {
    case mbLeft: return 1;
    case mbRight: return 2;
    default: return 3;
  }
}

TShiftState CurrentShiftState() { return GetShiftState(); }

void MouseCursorPosThunk(POINT& P) { GetCursorPosition(P); }

bool StringsEqual(const String& S1, const String& S2, bool CaseSensitive) {
  if (CaseSensitive) return AnsiCompareStr(S1, S2) == 0;
  return AnsiUpperCase(S1) == AnsiUpperCase(S2);
}

void AssignFontFrom(TFont* Dest, TFont* Source) { Dest->Assign(Source); }

void RecreateControlWindow(TObject*, TWinControl* Control) { Control->RecreateWnd(); }

// ---- shown popups -----------------------------------------------------------------------------------

void RegisterShownPopup(TcxShownPopup* Popup) {
  if (std::find(gShownPopups.begin(), gShownPopups.end(), Popup) == gShownPopups.end()) gShownPopups.push_back(Popup);
}

void UnregisterShownPopup(TcxShownPopup* Popup) {
  gShownPopups.erase(std::remove(gShownPopups.begin(), gShownPopups.end(), Popup), gShownPopups.end());
}

const std::vector<TcxShownPopup*>& ShownPopups() { return gShownPopups; }

void LockPopupShowing(bool Lock) {
  if (Lock)
    ++gPopupShowingLock;
  else if (gPopupShowingLock > 0)
    --gPopupShowingLock;
}

bool IsPopupShowingLocked() { return gPopupShowingLock != 0; }

bool ReadContainerUnitFlag() { return false; }
