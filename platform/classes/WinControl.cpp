// Windowed controls: their windows, children, layout, painting, keys and focus.
#include "platform/classes/Controls.h"

#include <algorithm>

#include "platform/classes/ControlsInternal.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"

using namespace win;
using namespace controls_detail;

namespace {

constexpr LPCSTR kControlProp = "VWControl";
// The control whose window is being made: its first messages come before CreateWindowEx returns.
thread_local TWinControl* g_CreationControl = nullptr;

}  // namespace

// ---- TWinControl -----------------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
  FBrush = new TBrush();
  FBrush->SetColor(FColor);
}

TWinControl::~TWinControl() {
  Destroying();
  if (FParent) FParent->RemoveControl(this);
  // Children go before the window they sit in, the topmost first.
  while (!FControls.empty() || !FWinControls.empty()) {
    TControl* c = !FWinControls.empty() ? FWinControls.back() : FControls.back();
    RemoveControl(c);
    TObject::Free(c);
  }
  DestroyWindowHandle();
  delete FBrush;
}

void TWinControl::DeclareProperties(TPropTable&) {}

TWinControl* TWinControl::FindControl(HWND Handle) {
  if (!Handle || !IsWindow(Handle)) return nullptr;
  return static_cast<TWinControl*>(GetProp(Handle, kControlProp));
}

LRESULT TWinControl::InitWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = static_cast<TWinControl*>(GetProp(hwnd, kControlProp));
  if (!control && g_CreationControl) {
    control = g_CreationControl;
    g_CreationControl = nullptr;
    control->FHandle = hwnd;
    SetProp(hwnd, kControlProp, control);
  }
  if (!control) return DefWindowProc(hwnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  try {
    control->WindowProc(m);
  } catch (...) {
    if (Application)
      Application->HandleException(control);
    else
      DefaultHandleException(control);
  }
  return m.Result;
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::SetParentWindow(HWND Value) {
  if (FParent || FParentWindow == Value) return;
  if (FHandle && Value) win::SetParent(FHandle, Value);
  else if (FHandle && !Value) DestroyHandle();
  FParentWindow = Value;
  UpdateControlState();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params = TCreateParams{};
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(csAcceptsControls)) {
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!FEnabled) Params.Style |= WS_DISABLED;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent ? FParent->FHandle : FParentWindow;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = DefWindowProc;
  Params.WindowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  Params.WindowClass.hbrBackground = nullptr;
  Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char* ControlClassName) {
  WNDCLASS wc;
  if (!GetClassInfo(nullptr, ControlClassName, &wc)) return;
  // Keep our own class styles for redrawing and double clicks, as the standard class decides
  // the rest of what its windows do.
  UINT keep = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass = wc;
  Params.WindowClass.style = (wc.style & ~keep) | (Params.WindowClass.style & keep) | (wc.style & keep);
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (!params.WndParent && (params.Style & WS_CHILD))
    throw EInvalidOperation(Format("Control '%s' has no parent window", Name().c_str()));
  FDefWndProc = params.WindowClass.lpfnWndProc ? params.WindowClass.lpfnWndProc : DefWindowProc;
  WNDCLASS existing;
  bool registered = GetClassInfo(nullptr, params.WinClassName.c_str(), &existing) &&
                    existing.lpfnWndProc == &TWinControl::InitWndProc;
  if (!registered) {
    WNDCLASS wc = params.WindowClass;
    wc.lpfnWndProc = &TWinControl::InitWndProc;
    wc.lpszClassName = params.WinClassName.c_str();
    if (GetClassInfo(nullptr, params.WinClassName.c_str(), &existing)) UnregisterClass(params.WinClassName.c_str(), nullptr);
    if (!RegisterClass(&wc)) throw EOutOfResources(Format("Error creating window class %s", params.WinClassName.c_str()));
  }
  // The window's stored text arrives while it is being made: an edit that tells of it does not
  // report a change the user or the code made.
  const bool wasCreating = FControlState.Contains(csCreating);
  FControlState.Include(csCreating);
  try {
    CreateWindowHandle(params);
  } catch (...) {
    if (!wasCreating) FControlState.Exclude(csCreating);
    throw;
  }
  if (!wasCreating) FControlState.Exclude(csCreating);
  if (!FHandle) throw EOutOfResources(Format("Error creating window %s", params.WinClassName.c_str()));
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  TWinControl* saved = g_CreationControl;
  g_CreationControl = this;
  HWND h = CreateWindowEx(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style, Params.X,
                          Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr, nullptr, Params.Param);
  g_CreationControl = saved;
  if (h && !FHandle) {
    FHandle = h;
    SetProp(h, kControlProp, this);
  }
  if (!h) FHandle = nullptr;
}

void TWinControl::AdoptWindowHandle(HWND Window) {
  if (FHandle || !Window) return;
  FHandle = Window;
  SetProp(Window, kControlProp, this);
}

void TWinControl::ForgetHandle() {
  FHandle = nullptr;
  FShowing = false;
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  CreateWnd();
  if (FFont->Handle()) SendMessage(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), 0);
  // The window may have been given another size than asked for (a frame too small, a maximum).
  UpdateBounds();
  for (TControl* c : FWinControls) {
    auto* w = static_cast<TWinControl*>(c);
    if (w->FHandle) {
      win::SetParent(w->FHandle, FHandle);
      SetWindowPos(w->FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

void TWinControl::DestroyWnd() {
  // The text lives in the window; keep it for the next one.
  if (!HasState(csDestroying)) FText = GetText();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  if (!FHandle) return;
  FControlState.Include(csDestroyingHandle);
  for (TControl* c : FWinControls) {
    auto* w = static_cast<TWinControl*>(c);
    if (w->FHandle) w->DestroyWnd();
  }
  HWND h = FHandle;
  if (HasState(csDestroying)) {
    // The object is going away: the last messages of the window go to its default procedure.
    RemoveProp(h, kControlProp);
    SetWindowLongPtr(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefWndProc ? FDefWndProc : DefWindowProc));
  }
  DestroyWindow(h);
  if (IsWindow(h)) RemoveProp(h, kControlProp);
  FHandle = nullptr;
  FShowing = false;
  FControlState.Exclude(csDestroyingHandle);
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  DestroyWnd();
}

void TWinControl::RestoreDefWndProc() {
  if (!FHandle) return;
  RemoveProp(FHandle, kControlProp);
  SetWindowLongPtr(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefWndProc ? FDefWndProc : DefWindowProc));
}

HWND TWinControl::DetachHandle() {
  HWND h = FHandle;
  if (!h) return nullptr;
  RestoreDefWndProc();
  FHandle = nullptr;
  FShowing = false;
  return h;
}

void TWinControl::AttachHandle(HWND Window) {
  if (!Window || Window == FHandle) return;
  if (!IsWindow(Window)) throw EInvalidOperation("Invalid window handle");
  if (FindControl(Window)) throw EInvalidOperation("Window already belongs to a control");
  DestroyHandle();
  auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(Window, GWLP_WNDPROC));
  // A window of one of our classes whose control went away answers through its class procedure,
  // which would hand its messages to nobody.
  FDefWndProc = proc && proc != &TWinControl::InitWndProc ? proc : DefWindowProc;
  FHandle = Window;
  SetProp(Window, kControlProp, this);
  SetWindowLongPtr(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::InitWndProc));
  ReadWindowBounds();
  FShowing = IsWindowVisible(Window) != FALSE;
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  FControlState.Include(csRecreating);
  bool showing = FShowing;
  DestroyHandle();
  FControlState.Exclude(csRecreating);
  if (showing || FParent || FParentWindow) UpdateControlState();
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (FHandle) {
    Message.Result = CallWindowProc(FDefWndProc ? FDefWndProc : DefWindowProc, FHandle, Message.Msg, Message.WParam,
                                    Message.LParam);
    return;
  }
  TControl::DefaultHandler(Message);
}

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      if (TCustomForm* form = ::GetParentForm(this); form && form != static_cast<TControl*>(this)) {
        if (!form->SetFocusedControl(this)) return;
      }
      break;
    default:
      // The mouse over a windowless child is the child's.
      if (IsMouseMessage(Message.Msg) && IsControlMouseMsg(Message)) return;
      break;
  }
  if ((Message.Msg == WM_LBUTTONDBLCLK || Message.Msg == WM_RBUTTONDBLCLK || Message.Msg == WM_MBUTTONDBLCLK) &&
      !FControlStyle.Contains(csDoubleClicks))
    Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
  TControl::WndProc(Message);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  TControl* target = nullptr;
  if (g_CaptureControl && g_CaptureControl->FParent == this && !dynamic_cast<TWinControl*>(g_CaptureControl))
    target = g_CaptureControl;
  else if (!g_CaptureControl || g_CaptureControl == this)
    target = ControlAtPos(POINT{Message.XPos(), Message.YPos()}, false);
  if (!target || dynamic_cast<TWinControl*>(target)) return false;
  if (target->FControlState.Contains(csDestroyingHandle)) return false;
  UINT msg = Message.Msg;
  if ((msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK) &&
      !target->FControlStyle.Contains(csDoubleClicks))
    msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
  Message.Result = target->Perform(msg, Message.WParam,
                                   PointToLParam(Message.XPos() - target->FLeft, Message.YPos() - target->FTop));
  return true;
}

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case WM_PRINTCLIENT: WMPrintClient(Message); return;
    case WM_NCCALCSIZE: WMNCCalcSize(Message); return;
    case WM_NCPAINT: WMNCPaint(Message); return;
    case CM_BORDERCHANGED:
      if (FHandle) {
        SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                     SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
        if (FVisible) Invalidate();
      }
      return;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(Message); return;
    case WM_SIZE: WMSize(Message); return;
    case WM_SETFOCUS: WMSetFocus(Message); return;
    case WM_KILLFOCUS: WMKillFocus(Message); return;
    case WM_SETCURSOR: WMSetCursor(Message); return;
    case WM_SYSCOLORCHANGE:
      // The scheme changed: the control and every child take their colours again.
      Perform(CM_SYSCOLORCHANGE, 0, 0);
      DefaultHandler(Message);
      return;
    case WM_COMMAND: WMCommand(Message); return;
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: WMNotifyFromChild(Message); return;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORMSGBOX: WMCtlColor(Message); return;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: CNKeyDown(Message); return;
    case CN_KEYUP: CNKeyUp(Message); return;
    case CN_CHAR: CNChar(Message); return;
    case WM_CHAR: WMChar(Message); return;
    case CN_SYSCHAR: CNSysChar(Message); return;
    case CN_CTLCOLORBTN:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORSCROLLBAR: {
      auto dc = reinterpret_cast<HDC>(Message.WParam);
      SetTextColor(dc, ColorToRGB(FFont->Color()));
      SetBkColor(dc, ColorToRGB(FColor));
      Message.Result = reinterpret_cast<LRESULT>(FBrush->Handle());
      return;
    }
    case CM_DIALOGKEY: CMDialogKey(Message); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    case CM_ENTER: CMEnter(Message); return;
    case CM_EXIT: CMExit(Message); return;
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); return;
    case CM_INVALIDATE: CMInvalidate(Message); return;
    case CM_FOCUSCHANGED: Broadcast(Message); return;
    case CM_CURSORCHANGED: {
      POINT p;
      if (FHandle && GetCursorPos(&p) && WindowFromPoint(p) == FHandle)
        SendMessage(FHandle, WM_SETCURSOR, reinterpret_cast<WPARAM>(FHandle), HTCLIENT);
      return;
    }
    default: TControl::Dispatch(Message); return;
  }
}

TControl* TWinControl::Controls(int Index) const {
  auto n = static_cast<int>(FControls.size());
  if (Index < 0 || Index >= ControlCount()) throw EListError(Format(SListIndexError, Index));
  return Index < n ? FControls[static_cast<std::size_t>(Index)] : FWinControls[static_cast<std::size_t>(Index - n)];
}

void TWinControl::InsertControl(TControl* AControl) {
  if (!AControl) return;
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
    for (TWinControl* p = this; p; p = p->FParent)
      if (p == w) throw EInvalidOperation("A control cannot have itself as its parent");
    FWinControls.push_back(AControl);
    FTabList.push_back(AControl);
  } else {
    FControls.push_back(AControl);
  }
  AControl->FParent = this;
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) w->FParentWindow = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(AControl); w && w->FHandle) {
    if (FHandle)
      win::SetParent(w->FHandle, FHandle);
    else
      w->DestroyHandle();
  }
  if (!HasState(csReading)) {
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  }
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) w->UpdateControlState();
  else AControl->Invalidate();
  if (AControl->FAlign != alNone) Realign();
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (!AControl || AControl->FParent != this) return;
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
    if (TCustomForm* form = ::GetParentForm(this)) form->DefocusControl(w, true);
    if (w->FHandle && !w->HasState(csDestroying)) w->DestroyHandle();
    std::erase(FWinControls, AControl);
    std::erase(FTabList, AControl);
    w->FShowing = false;
  } else {
    AControl->Invalidate();
    std::erase(FControls, AControl);
  }
  if (g_CaptureControl == AControl) {
    g_CaptureControl = nullptr;
    ReleaseCapture();
  }
  AControl->FParent = nullptr;
  if (AControl->FAlign != alNone && !HasState(csDestroying)) Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const {
  for (TControl* c = Control; c; c = c->FParent)
    if (c == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(POINT Pos, bool AllowDisabled, bool AllowWinControls) {
  auto hit = [&](TControl* c) {
    if (!c->FVisible || !(c->FEnabled || AllowDisabled)) return false;
    if (Pos.x < c->FLeft || Pos.y < c->FTop || Pos.x >= c->FLeft + c->FWidth || Pos.y >= c->FTop + c->FHeight)
      return false;
    return c->Perform(CM_HITTEST, 0, PointToLParam(Pos.x - c->FLeft, Pos.y - c->FTop)) != 0;
  };
  if (AllowWinControls)
    for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
      if (hit(*it)) return *it;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (hit(*it)) return *it;
  return nullptr;
}

void TWinControl::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TControl* c : FControls)
    if (c->Owner() == Root) Proc(c);
  for (TControl* c : FWinControls)
    if (c->Owner() == Root) Proc(c);
}

void TWinControl::Broadcast(TMessage& Message) {
  // A handler may add or remove children: walk a copy.
  TControlList all = FControls;
  all.insert(all.end(), FWinControls.begin(), FWinControls.end());
  for (TControl* c : all) {
    if (std::find(FControls.begin(), FControls.end(), c) == FControls.end() &&
        std::find(FWinControls.begin(), FWinControls.end(), c) == FWinControls.end())
      continue;
    c->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT Msg) {
  TMessage m{Msg, 0, 0, 0};
  Broadcast(m);
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if (!HasState(csLoading)) {
    if ((AWidth != FWidth || AHeight != FHeight) && !CanResize(AWidth, AHeight)) {
      AWidth = FWidth;
      AHeight = FHeight;
    }
    if (FAutoSize) CanAutoSize(AWidth, AHeight);
    DoConstraints(AWidth, AHeight);
  }
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  int oldWidth = FWidth, oldHeight = FHeight;
  if (FHandle && !IsIconic(FHandle)) {
    // The window may settle on other bounds than asked for (a smallest size for its frame):
    // the control keeps what the window has.
    FInSetBounds = true;
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    FInSetBounds = false;
    ReadWindowBounds();
  } else {
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
  }
  bool sized = FWidth != oldWidth || FHeight != oldHeight;
  if (!FAnchorMove) UpdateAnchorRules();
  RequestAlign();
  if (sized && !HasState(csLoading)) {
    Realign();
    Resize();
  }
}

RECT TWinControl::ClientRect() {
  if (FHandle) {
    RECT r;
    GetClientRect(FHandle, &r);
    return r;
  }
  TCreateParams p;
  CreateParams(p);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, p.Style, FALSE, p.ExStyle);
  int w = FWidth - (frame.right - frame.left) - 2 * FBorderWidth;
  int h = FHeight - (frame.bottom - frame.top) - 2 * FBorderWidth;
  return RECT{0, 0, std::max(0, w), std::max(0, h)};
}

POINT TWinControl::ClientOrigin() {
  if (FHandle) {
    POINT p{0, 0};
    win::ClientToScreen(FHandle, &p);
    return p;
  }
  return TControl::ClientOrigin();
}

bool TWinControl::ReadWindowBounds() {
  if (!FHandle || IsIconic(FHandle)) return false;
  RECT r;
  GetWindowRect(FHandle, &r);
  HWND parent = win::GetParent(FHandle);
  if ((GetWindowLong(FHandle, GWL_STYLE) & WS_CHILD) && parent)
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  int w = r.right - r.left, h = r.bottom - r.top;
  bool sized = w != FWidth || h != FHeight;
  FLeft = r.left;
  FTop = r.top;
  FWidth = w;
  FHeight = h;
  return sized;
}

bool TWinControl::UpdateBounds() {
  if (FInSetBounds || !FHandle || IsIconic(FHandle)) return false;
  int l = FLeft, t = FTop;
  bool sized = ReadWindowBounds();
  if ((l != FLeft || t != FTop || sized) && !FAnchorMove) UpdateAnchorRules();
  return sized;
}

void TWinControl::WMWindowPosChanged(TMessage& Message) {
  DefaultHandler(Message);
  // Inside SetBounds the control realigns once the window settled, but whoever handles this
  // message after us must already read the window's new place.
  if (FInSetBounds) {
    if (FHandle && !IsIconic(FHandle)) ReadWindowBounds();
    return;
  }
  // Normally WM_SIZE has told of a new size already; this covers a window system that did not.
  if (UpdateBounds()) {
    Realign();
    if (!HasState(csLoading)) Resize();
  }
}

void TWinControl::WMSize(TMessage& Message) {
  DefaultHandler(Message);
  if (FInSetBounds) return;
  bool sized = UpdateBounds();
  Realign();
  if (sized && !HasState(csLoading)) Resize();
}

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl) {
  if (FAlignLevel != 0 || HasState(csLoading) || HasState(csDestroying)) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  FControlState.Exclude(csAlignmentNeeded);
  RECT r = ClientRect();
  AlignControls(AControl, r);
  if (FAutoSize) DoAutoSize();
}

void TWinControl::AdjustClientRect(RECT&) {}

void TWinControl::AlignControls(TControl* AControl, RECT& Rect) {
  if (FControlState.Contains(csAligning)) return;
  FControlState.Include(csAligning);
  struct Guard {
    TWinControl* self;
    ~Guard() { self->FControlState.Exclude(csAligning); }
  } guard{this};
  AdjustClientRect(Rect);
  TControlList all = FControls;
  all.insert(all.end(), FWinControls.begin(), FWinControls.end());

  auto place = [&](TControl* c, int l, int t, int w, int h) {
    c->FAnchorMove = true;
    c->SetBounds(l, t, w, h);
    c->FAnchorMove = false;
  };

  for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
    TControlList list;
    for (TControl* c : all)
      if (c->FAlign == align && c->FVisible) list.push_back(c);
    auto key = [&](TControl* c) {
      switch (align) {
        case alTop: return c->FTop;
        case alBottom: return -(c->FTop + c->FHeight);
        case alLeft: return c->FLeft;
        case alRight: return -(c->FLeft + c->FWidth);
        default: return 0;
      }
    };
    // The control being moved goes in front of those it now stands level with.
    std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) {
      int ka = key(a), kb = key(b);
      if (ka != kb) return ka < kb;
      return a == AControl && b != AControl;
    });
    for (TControl* c : list) {
      int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
      switch (align) {
        case alTop:
          place(c, Rect.left, Rect.top, std::max(0, w), c->FHeight);
          Rect.top += c->FHeight;
          break;
        case alBottom:
          place(c, Rect.left, Rect.bottom - c->FHeight, std::max(0, w), c->FHeight);
          Rect.bottom -= c->FHeight;
          break;
        case alLeft:
          place(c, Rect.left, Rect.top, c->FWidth, std::max(0, h));
          Rect.left += c->FWidth;
          break;
        case alRight:
          place(c, Rect.right - c->FWidth, Rect.top, c->FWidth, std::max(0, h));
          Rect.right -= c->FWidth;
          break;
        default:
          place(c, Rect.left, Rect.top, std::max(0, w), std::max(0, h));
          break;
      }
    }
  }

  // Anchored controls keep their distances to the anchored sides of the parent.
  RECT client = ClientRect();
  for (TControl* c : all) {
    if (c->FAlign != alNone || c->FAnchors == TAnchors{akLeft, akTop}) continue;
    if (c->FOriginalParentSize.x <= 0 && c->FOriginalParentSize.y <= 0) continue;
    int dx = client.right - c->FOriginalParentSize.x, dy = client.bottom - c->FOriginalParentSize.y;
    int l = c->FLeft, t = c->FTop, w = c->FWidth, h = c->FHeight;
    bool left = c->FAnchors.Contains(akLeft), right = c->FAnchors.Contains(akRight);
    bool top = c->FAnchors.Contains(akTop), bottom = c->FAnchors.Contains(akBottom);
    if (c->FOriginalParentSize.x > 0) {
      if (left && right) {
        l = c->FAnchorRules.x;
        w = c->FAnchorSize.x + dx;
      } else if (right) {
        l = c->FAnchorRules.x + dx;
      } else if (!left) {
        l = c->FAnchorRules.x + dx / 2;
      }
    }
    if (c->FOriginalParentSize.y > 0) {
      if (top && bottom) {
        t = c->FAnchorRules.y;
        h = c->FAnchorSize.y + dy;
      } else if (bottom) {
        t = c->FAnchorRules.y + dy;
      } else if (!top) {
        t = c->FAnchorRules.y + dy / 2;
      }
    }
    place(c, l, t, w, h);
  }
}

bool TWinControl::CanAutoSize(int& NewWidth, int& NewHeight) {
  if (FWinControls.empty() && FControls.empty()) return false;
  int right = 0, bottom = 0;
  for (TControl* c : FControls)
    if (c->FVisible) {
      right = std::max(right, c->FLeft + c->FWidth);
      bottom = std::max(bottom, c->FTop + c->FHeight);
    }
  for (TControl* c : FWinControls)
    if (c->FVisible) {
      right = std::max(right, c->FLeft + c->FWidth);
      bottom = std::max(bottom, c->FTop + c->FHeight);
    }
  RECT client = ClientRect();
  NewWidth += right - client.right;
  NewHeight += bottom - client.bottom;
  return true;
}

void TWinControl::DoAutoSize() {
  if (HasState(csLoading) || FControlState.Contains(csAligning)) return;
  int w = FWidth, h = FHeight;
  if (CanAutoSize(w, h) && (w != FWidth || h != FHeight)) {
    bool saved = FAutoSize;
    FAutoSize = false;
    SetBounds(FLeft, FTop, w, h);
    FAutoSize = saved;
  }
}

void TWinControl::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  if (Value) DoAutoSize();
}

void TWinControl::SetTabStop(bool Value) {
  if (FTabStop == Value) return;
  FTabStop = Value;
  if (FHandle) {
    LONG style = GetWindowLong(FHandle, GWL_STYLE);
    SetWindowLong(FHandle, GWL_STYLE, Value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG>(WS_TABSTOP)));
  }
  Perform(CM_TABSTOPCHANGED, 0, 0);
}

int TWinControl::TabOrder() const {
  if (!FParent) return -1;
  auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (HasState(csLoading)) {
    // The stored orders are put in place once all siblings are read.
    FTabOrderRead = Value;
    return;
  }
  if (!FParent) return;
  auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  int count = static_cast<int>(list.size());
  if (Value < 0 || Value > count) Value = count;
  list.insert(list.begin() + Value, this);
}

void TWinControl::GetTabOrderList(TControlList& List) {
  for (TControl* c : FTabList) {
    auto* w = static_cast<TWinControl*>(c);
    List.push_back(w);
    w->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) {
  TControlList list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  auto n = static_cast<int>(list.size());
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (list[static_cast<std::size_t>(i)] == CurControl) start = i;
  if (start < 0) start = GoForward ? n - 1 : 0;
  int i = start;
  for (int step = 0; step < n; ++step) {
    i = GoForward ? (i + 1) % n : (i + n - 1) % n;
    auto* c = static_cast<TWinControl*>(list[static_cast<std::size_t>(i)]);
    if (c == CurControl) break;
    if ((!CheckTabStop || c->FTabStop) && (!CheckParent || c->FParent == this) && c->CanFocus()) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* c = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) c->SetFocus();
}

bool TWinControl::CanFocus() {
  TCustomForm* form = ::GetParentForm(this);
  if (!form) return FVisible && FEnabled;
  for (TControl* c = this; c; c = c->FParent) {
    if (!c->FVisible || !c->FEnabled) return false;
    if (c == static_cast<TControl*>(form)) break;
  }
  return true;
}

bool TWinControl::Focused() { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() {
  if (TCustomForm* form = ::GetParentForm(this); form && static_cast<TControl*>(form) != this) {
    form->FocusControl(this);
    return;
  }
  if (FParentWindow && !FParent) {
    win::SetFocus(Handle());
    return;
  }
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  win::SetFocus(Handle());
}

void TWinControl::SetParentBackground(bool Value) {
  if (ParentBackground() == Value) return;
  if (Value)
    FControlStyle.Include(csParentBackground);
  else
    FControlStyle.Exclude(csParentBackground);
  Invalidate();
}

void TWinControl::UpdateControlState() {
  // Only a control whose chain of parents ends in a showing top-level window can show.
  TWinControl* top = this;
  while (top->FParent) {
    top = top->FParent;
    if (!top->FShowing) {
      if (FShowing) UpdateShowing();
      return;
    }
  }
  if (top == this && !FParentWindow && !dynamic_cast<TCustomForm*>(this)) return;
  UpdateShowing();
}

void TWinControl::UpdateShowing() {
  bool show = FVisible && !FControlState.Contains(csReadingState) && !HasState(csLoading) &&
              (FParent ? FParent->FShowing : true);
  if (show && !FHandle) CreateHandle();
  if (FShowing != show) {
    FShowing = show;
    try {
      Perform(CM_SHOWINGCHANGED, 0, 0);
    } catch (...) {
      FShowing = !show;
      throw;
    }
  }
  for (TControl* c : TControlList(FWinControls)) static_cast<TWinControl*>(c)->UpdateShowing();
}

void TWinControl::CMShowingChanged(TMessage&) {
  if (!FHandle) return;
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::CMVisibleChanged(TMessage& Message) {
  if (HasState(csLoading)) return;
  if (!FVisible && FParent) {
    if (TCustomForm* form = ::GetParentForm(this)) form->DefocusControl(this, false);
  }
  UpdateControlState();
  (void)Message;
}

void TWinControl::CMEnabledChanged(TMessage& Message) {
  if (!FEnabled && FParent) {
    if (TCustomForm* form = ::GetParentForm(this)) form->DefocusControl(this, false);
  }
  if (FHandle) EnableWindow(FHandle, FEnabled);
  TControl::CMEnabledChanged(Message);
}

void TWinControl::CMColorChanged(TMessage& Message) {
  FBrush->SetColor(FColor);
  NotifyControls(CM_PARENTCOLORCHANGED);
  TControl::CMColorChanged(Message);
}

void TWinControl::CMFontChanged(TMessage& Message) {
  if (FHandle) SendMessage(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), 0);
  NotifyControls(CM_PARENTFONTCHANGED);
  TControl::CMFontChanged(Message);
}

void TWinControl::CMTextChanged(TMessage& Message) { TControl::CMTextChanged(Message); }

void TWinControl::CMSysColorChange(TMessage& Message) {
  FBrush->SetColor(FColor);
  Invalidate();
  Broadcast(Message);
  Message.Result = 0;
}

void TWinControl::CMInvalidate(TMessage& Message) {
  if (!FHandle || HasState(csDestroying)) return;
  // The parents hear of it first (WParam 1: a child's invalidation), so that a container that
  // draws behind its children can follow.
  if (FParent) FParent->Perform(CM_INVALIDATE, 1, 0);
  if (Message.WParam == 0) InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Invalidate() { Perform(CM_INVALIDATE, 0, 0); }

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::SetZOrderPosition(TControl* Child, bool TopMost) {
  auto& list = dynamic_cast<TWinControl*>(Child) ? FWinControls : FControls;
  auto it = std::find(list.begin(), list.end(), Child);
  if (it == list.end()) return;
  list.erase(it);
  if (TopMost)
    list.push_back(Child);
  else
    list.insert(list.begin(), Child);
  if (auto* w = dynamic_cast<TWinControl*>(Child); w && w->FHandle)
    SetWindowPos(w->FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  else
    Child->Invalidate();
}

void TWinControl::SetChildOrder(TComponent* Child, int Order) {
  auto* c = dynamic_cast<TControl*>(Child);
  if (!c || c->FParent != this) return;
  auto& list = dynamic_cast<TWinControl*>(c) ? FWinControls : FControls;
  auto it = std::find(list.begin(), list.end(), c);
  if (it == list.end()) return;
  list.erase(it);
  Order = std::clamp(Order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + Order, c);
}

void TWinControl::ReadState(TReader* Reader) {
  DisableAlign();
  try {
    TControl::ReadState(Reader);
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
}

void TWinControl::Loaded() {
  TControl::Loaded();
  // The tab orders read for the children come into force now that every sibling exists.
  std::vector<std::pair<int, TControl*>> ordered;
  for (std::size_t i = 0; i < FTabList.size(); ++i) {
    auto* w = static_cast<TWinControl*>(FTabList[i]);
    ordered.emplace_back(w->FTabOrderRead >= 0 ? w->FTabOrderRead : static_cast<int>(FTabList.size() + i), w);
  }
  std::stable_sort(ordered.begin(), ordered.end(), [](auto& a, auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < ordered.size(); ++i) FTabList[i] = ordered[i].second;
  for (TControl* c : FTabList) static_cast<TWinControl*>(c)->FTabOrderRead = -1;
  Realign();
}

void TWinControl::ChangeScale(int M, int D) {
  DisableAlign();
  ScaleControls(M, D);
  TControl::ChangeScale(M, D);
  EnableAlign();
}

void TWinControl::ScaleControls(int M, int D) {
  for (TControl* c : TControlList(FControls)) c->ChangeScale(M, D);
  for (TControl* c : TControlList(FWinControls)) c->ChangeScale(M, D);
}

// ---- painting --------------------------------------------------------------------------------------

void TWinControl::WMPaint(TMessage& Message) {
  if (!FDoubleBuffered || Message.WParam) {
    // A window of a standard class with nothing of ours to draw paints itself, BeginPaint and all.
    if (!FControlState.Contains(csCustomPaint) && ControlCount() == 0)
      DefaultHandler(Message);
    else
      PaintHandler(Message);
    return;
  }
  // Drawn off screen in one go, then shown: no flicker of the background between the steps.
  RECT r = ClientRect();
  // The window's own context gives the format as well as the screen's would, without a copy of
  // the whole screen to make and compare.
  HDC own = GetDC(FHandle);
  HBITMAP bmp = CreateCompatibleBitmap(own, std::max(1, static_cast<int>(r.right)), std::max(1, static_cast<int>(r.bottom)));
  ReleaseDC(FHandle, own);
  HDC mem = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mem, bmp);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(FHandle, &ps);
  try {
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), reinterpret_cast<LPARAM>(mem));
    TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(mem), 0, 0};
    WMPaint(paint);
    BitBlt(dc, 0, 0, r.right, r.bottom, mem, 0, 0, SRCCOPY);
  } catch (...) {
    EndPaint(FHandle, &ps);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(bmp);
    throw;
  }
  EndPaint(FHandle, &ps);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(bmp);
}

void TWinControl::PaintHandler(TMessage& Message) {
  auto dc = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT ps;
  if (!dc) dc = BeginPaint(FHandle, &ps);
  if (!dc) return;
  try {
    if (FControls.empty()) {
      PaintWindow(dc);
    } else {
      // Opaque windowless children cover their place: the window does not draw under them.
      int saved = SaveDC(dc);
      int clip = SIMPLEREGION;
      for (TControl* c : FControls)
        if (c->FVisible && c->FControlStyle.Contains(csOpaque))
          clip = ExcludeClipRect(dc, c->FLeft, c->FTop, c->FLeft + c->FWidth, c->FTop + c->FHeight);
      if (clip != NULLREGION) PaintWindow(dc);
      RestoreDC(dc, saved);
    }
    PaintControls(dc, nullptr);
  } catch (...) {
    if (!Message.WParam) EndPaint(FHandle, &ps);
    throw;
  }
  if (!Message.WParam) EndPaint(FHandle, &ps);
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  auto it = FControls.begin();
  if (First) {
    it = std::find(FControls.begin(), FControls.end(), First);
    if (it == FControls.end()) it = FControls.begin();
  }
  for (; it != FControls.end(); ++it) {
    TControl* c = *it;
    if (!c->FVisible) continue;
    RECT r = c->BoundsRect();
    if (!RectVisible(DC, &r)) continue;
    int saved = SaveDC(DC);
    POINT org;
    GetViewportOrgEx(DC, &org);
    SetViewportOrgEx(DC, org.x + c->FLeft, org.y + c->FTop, nullptr);
    IntersectClipRect(DC, 0, 0, c->FWidth, c->FHeight);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, saved);
  }
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
  int saved = SaveDC(DC);
  POINT org;
  GetViewportOrgEx(DC, &org);
  SetViewportOrgEx(DC, org.x + X, org.y + Y, nullptr);
  IntersectClipRect(DC, 0, 0, FWidth, FHeight);
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  for (TControl* c : FWinControls) {
    auto* w = static_cast<TWinControl*>(c);
    if (w->FVisible) w->PaintTo(DC, w->FLeft, w->FTop);
  }
  RestoreDC(DC, saved);
}

void TWinControl::WMPrintClient(TMessage& Message) {
  if (!(Message.LParam & PRF_CLIENT) || !Message.WParam || ControlCount() == 0) {
    DefaultHandler(Message);
    return;
  }
  TMessage paint{WM_PAINT, Message.WParam, 0, 0};
  PaintHandler(paint);
  Message.Result = 0;
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  auto dc = reinterpret_cast<HDC>(Message.WParam);
  if (FControlStyle.Contains(csParentBackground) && FParent) {
    // A see-through control shows its parent's colour behind it.
    HBRUSH b = CreateSolidBrush(ColorToRGB(FParent->FColor));
    RECT r = ClientRect();
    win::FillRect(dc, &r, b);
    DeleteObject(b);
  } else {
    RECT r = ClientRect();
    win::FillRect(dc, &r, FBrush->Handle());
  }
  Message.Result = 1;
}

void TWinControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0) return;
  // A windowless child under the point has the first say.
  if (Message.XPos() != -1 || Message.YPos() != -1) {
    POINT p = ScreenToClient(POINT{Message.XPos(), Message.YPos()});
    if (TControl* c = ControlAtPos(p, false)) {
      Message.Result = c->Perform(WM_CONTEXTMENU, 0, Message.LParam);
      if (Message.Result != 0) return;
    }
  }
  TControl::WMContextMenu(Message);
}

void TWinControl::SetBorderWidth(int Value) {
  Value = std::max(0, Value);
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  Perform(CM_BORDERCHANGED, 0, 0);
  Realign();
}

void TWinControl::WMNCCalcSize(TMessage& Message) {
  DefaultHandler(Message);
  if (FBorderWidth <= 0 || !Message.LParam) return;
  // rgrc[0] leads the structure in both forms of the message.
  auto* r = reinterpret_cast<RECT*>(Message.LParam);
  r->left += FBorderWidth;
  r->top += FBorderWidth;
  r->right = std::max(r->left, static_cast<LONG>(r->right - FBorderWidth));
  r->bottom = std::max(r->top, static_cast<LONG>(r->bottom - FBorderWidth));
}

void TWinControl::WMNCPaint(TMessage& Message) {
  DefaultHandler(Message);
  if (FBorderWidth <= 0 || !FHandle) return;
  // The band between the frame and the client area takes the control's colour.
  RECT window, client;
  GetWindowRect(FHandle, &window);
  GetClientRect(FHandle, &client);
  POINT origin{0, 0};
  win::ClientToScreen(FHandle, &origin);
  int cl = origin.x - window.left, ct = origin.y - window.top;
  RECT band{cl - FBorderWidth, ct - FBorderWidth, cl + client.right + FBorderWidth, ct + client.bottom + FBorderWidth};
  HDC dc = GetWindowDC(FHandle);
  ExcludeClipRect(dc, cl, ct, cl + client.right, ct + client.bottom);
  win::FillRect(dc, &band, FBrush->Handle());
  ReleaseDC(FHandle, dc);
}

void TWinControl::WMSetFocus(TMessage& Message) { DefaultHandler(Message); }
void TWinControl::WMKillFocus(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMSetCursor(TMessage& Message) {
  if (reinterpret_cast<HWND>(Message.WParam) == FHandle && static_cast<short>(Message.LParamLo()) == HTCLIENT) {
    TCursor cursor = Screen ? Screen->Cursor() : crDefault;
    if (cursor == crDefault) {
      POINT p;
      GetCursorPos(&p);
      p = ScreenToClient(p);
      TControl* c = ControlAtPos(p, false);
      cursor = c ? c->FCursor : FCursor;
    }
    if (cursor != crDefault) {
      if (HCURSOR h = Screen ? Screen->Cursors(cursor) : nullptr) {
        win::SetCursor(h);
        Message.Result = 1;
        return;
      }
    }
  }
  DefaultHandler(Message);
}

void TWinControl::WMCommand(TMessage& Message) {
  // A child's notification goes back to the child.
  if (Message.LParam) {
    if (TWinControl* child = FindControl(reinterpret_cast<HWND>(Message.LParam)); child && child != this) {
      Message.Result = child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
      return;
    }
  }
  DefaultHandler(Message);
}

void TWinControl::WMNotifyFromChild(TMessage& Message) {
  HWND child = nullptr;
  switch (Message.Msg) {
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      if (dis && dis->CtlType != ODT_MENU) child = dis->hwndItem;
      break;
    }
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM: {
      // Found by the control id the item structure carries.
      int id = static_cast<int>(Message.WParam);
      if (FHandle && id) child = GetDlgItem(FHandle, id);
      // A child control whose window was lifted out of this one (a drop-down list) still reports here.
      for (std::size_t i = 0; !child && id && i < FWinControls.size(); ++i) {
        auto* w = static_cast<TWinControl*>(FWinControls[i]);
        if (w->FHandle && GetWindowLongPtr(w->FHandle, GWL_ID) == id) child = w->FHandle;
      }
      break;
    }
    case WM_NOTIFY: {
      struct Header {
        HWND hwndFrom;
      };
      if (auto* h = reinterpret_cast<Header*>(Message.LParam)) child = h->hwndFrom;
      break;
    }
    default: child = reinterpret_cast<HWND>(Message.LParam); break;
  }
  if (child) {
    if (TWinControl* c = FindControl(child); c && c != this) {
      Message.Result = c->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
      return;
    }
  }
  DefaultHandler(Message);
}

void TWinControl::WMCtlColor(TMessage& Message) {
  if (TWinControl* c = FindControl(reinterpret_cast<HWND>(Message.LParam)); c && c != this) {
    Message.Result = c->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  DefaultHandler(Message);
}

// ---- keys and focus --------------------------------------------------------------------------------

bool TWinControl::DoKeyDown(TMessage& Message) {
  TCustomForm* form = ::GetParentForm(this);
  if (form && static_cast<TControl*>(form) != this && form->KeyPreview() &&
      static_cast<TWinControl*>(form)->DoKeyDown(Message))
    return true;
  auto key = static_cast<WORD>(Message.WParam);
  if (!FControlStyle.Contains(csNoStdEvents)) {
    KeyDown(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
  TCustomForm* form = ::GetParentForm(this);
  if (form && static_cast<TControl*>(form) != this && form->KeyPreview() &&
      static_cast<TWinControl*>(form)->DoKeyPress(Message))
    return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    auto ch = static_cast<TChar>(Message.WParam);
    KeyPress(ch);
    Message.WParam = static_cast<WPARAM>(ch);
    if (ch == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
  TCustomForm* form = ::GetParentForm(this);
  if (form && static_cast<TControl*>(form) != this && form->KeyPreview() &&
      static_cast<TWinControl*>(form)->DoKeyUp(Message))
    return true;
  auto key = static_cast<WORD>(Message.WParam);
  if (!FControlStyle.Contains(csNoStdEvents)) {
    KeyUp(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}
void TWinControl::KeyPress(TChar& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}
void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}
void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

bool TWinControl::IsMenuKey(TMessage& Message) {
  for (TControl* c = this; c; c = c->FParent)
    if (c->FPopupMenu && c->FPopupMenu->IsShortCut(Message)) return true;
  TCustomForm* form = ::GetParentForm(this);
  return form && form->IsShortCut(Message);
}

void TWinControl::CNKeyDown(TMessage& Message) {
  Message.Result = 1;
  if (IsMenuKey(Message)) return;
  if (DoKeyDown(Message)) return;
  auto key = static_cast<WORD>(Message.WParam);
  LRESULT mask = 0;
  switch (key) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask != 0 && Perform(CM_WANTSPECIALKEY, key, 0) == 0 && (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0) {
    TCustomForm* form = ::GetParentForm(this);
    TWinControl* target = form ? static_cast<TWinControl*>(form) : this;
    if (target->Perform(CM_DIALOGKEY, key, Message.LParam) != 0) return;
  }
  Message.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& Message) {
  Message.Result = DoKeyUp(Message) ? 1 : 0;
}

// The control's own character: KeyPress may change it or swallow it before the window sees it.
void TWinControl::WMChar(TMessage& Message) {
  if (DoKeyPress(Message)) {
    Message.Result = 0;
    return;
  }
  DefaultHandler(Message);
}

void TWinControl::CNChar(TMessage& Message) {
  Message.Result = 1;
  // A character the control has no use for may be the accelerator of a control on the form.
  if ((Perform(WM_GETDLGCODE, 0, 0) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) == 0) {
    TCustomForm* form = ::GetParentForm(this);
    TWinControl* target = form ? static_cast<TWinControl*>(form) : this;
    if (target->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0) return;
  }
  Message.Result = 0;
}

void TWinControl::CNSysChar(TMessage& Message) {
  // Alt and a letter: the accelerator of a control on the form.
  if (Message.WParam == ' ') return;
  TCustomForm* form = ::GetParentForm(this);
  TWinControl* target = form ? static_cast<TWinControl*>(form) : this;
  Message.Result = target->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam);
}

void TWinControl::CMDialogKey(TMessage& Message) { Broadcast(Message); }

void TWinControl::CMDialogChar(TMessage& Message) { Broadcast(Message); }

bool TWinControl::DialogChar(TMessage& Message) { return Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0; }
