#include "ui/controls/InnerListBox.h"

#include <algorithm>

#include "platform/classes/Utf8.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "platform/win/Accessibility.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/controls/ContainerViewInfo.h"
#include "ui/foundation/ScopeGuards.h"

using namespace win;

namespace {

constexpr DWORD kScrollBarHiddenStates = STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;

// The messages after which the system bars may have changed.
bool ChangesScrollBars(UINT Msg) {
  switch (Msg) {
    case WM_WINDOWPOSCHANGED: case WM_HSCROLL: case WM_VSCROLL: case LB_ADDSTRING: case LB_INSERTSTRING:
    case LB_DELETESTRING: case LB_RESETCONTENT: case LB_SETCURSEL: case LB_SETHORIZONTALEXTENT:
    case LB_SETTOPINDEX: case LB_SETCARETINDEX: case WM_MOUSEWHEEL: case CM_WININICHANGE:
    // The keyboard scrolls the list too, and a virtual list's count sets its range.
    case WM_KEYDOWN: case LB_SETCOUNT:
      return true;
    default: return false;
  }
}

TColor SizeGripColor(TcxContainer* Container) {
  return Container->NormalStyle()->LookAndFeel()->ActivePainter()->DefaultSizeGripAreaColor();
}

}  // namespace

TcxCustomInnerListBox::TcxCustomInnerListBox(TComponent* AOwner) : TListBox(AOwner) {
  FCanvas = std::make_unique<TcxCanvas>(Canvas());
  FHScrollBar = MakeScrollBar(sbHorizontal);
  FVScrollBar = MakeScrollBar(sbVertical);
  FLookAndFeel = std::make_unique<TcxLookAndFeel>(this);
  FLookAndFeel->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues) { AppearanceChanged(); };
  FHScrollBar->LookAndFeel()->AttachToMaster(FLookAndFeel.get());
  FVScrollBar->LookAndFeel()->AttachToMaster(FLookAndFeel.get());
  SetBorderStyle(bsNone);
  TControlStyle style = ControlStyle();
  style.Exclude(csOpaque);
  style.Include(csDoubleClicks);
  SetControlStyle(style);
  SetParentColor(false);
  SetParentFont(true);
}

TcxCustomInnerListBox::~TcxCustomInnerListBox() {
  Destroying();
  // The bars may stand on another control by now; they go all the same, so that no stale bar is
  // left on the container.
  for (TcxScrollBar** bar : {&FHScrollBar, &FVScrollBar}) {
    if (!*bar) continue;
    (*bar)->RemoveFreeNotification(this);
    (*bar)->LookAndFeel()->AttachToMaster(nullptr);
    TObject::Free(*bar);
    *bar = nullptr;
  }
  FLookAndFeel->OnChanged = nullptr;
}

void TcxCustomInnerListBox::DeclareProperties(TPropTable& t) {
  t.Add("AutoCompleteDelay", &TcxCustomInnerListBox::AutoCompleteDelay, &TcxCustomInnerListBox::SetAutoCompleteDelay)
      .SetDefault(500u);
}

TcxScrollBar* TcxCustomInnerListBox::MakeScrollBar(TScrollBarKind Kind) {
  auto* bar = new TcxScrollBar(nullptr);
  bar->SetKind(Kind);
  bar->SetSmallChange(1);
  bar->SetVisible(false);
  bar->FreeNotification(this);
  if (Kind == sbHorizontal)
    bar->OnScroll = [this](TObject*, TScrollCode Code, int& Pos) { HScrollBarScroll(Code, Pos); };
  else
    bar->OnScroll = [this](TObject*, TScrollCode Code, int& Pos) { VScrollBarScroll(Code, Pos); };
  return bar;
}

void TcxCustomInnerListBox::Notification(TComponent* AComponent, TOperation Operation) {
  TListBox::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FHScrollBar) FHScrollBar = nullptr;
  if (AComponent == FVScrollBar) FVScrollBar = nullptr;
}

void TcxCustomInnerListBox::AppearanceChanged() {
  if (HandleAllocated()) Invalidate();
}

// ---- canvas colours ---------------------------------------------------------------------------------

void TcxCustomInnerListBox::SaveCanvasColors() {
  FSavedBrushColor = FCanvas->ActiveBrush()->Color();
  FSavedFontColor = FCanvas->ActiveFont()->Color();
}

void TcxCustomInnerListBox::RestoreCanvasColors() {
  FCanvas->ActiveBrush()->SetColor(FSavedBrushColor);
  FCanvas->ActiveFont()->SetColor(FSavedFontColor);
  // Drawing code may have selected its own objects into the context behind the canvas's back.
  if (Canvas()->HandleAllocated()) Canvas()->RequiredState(TCanvasState{csHandleValid, csBrushValid});
}

// ---- forwarding to the container --------------------------------------------------------------------

void TcxCustomInnerListBox::Click() {
  TListBox::Click();
  if (!FContainer) return;
  if (FVScrollBar) FVScrollBar->SetPosition(TopIndex());
  FContainer->Click();
}

void TcxCustomInnerListBox::DblClick() {
  TListBox::DblClick();
  if (FContainer) FContainer->DblClick();
}

void TcxCustomInnerListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TListBox::MouseDown(Button, Shift, X, Y);
  if (!FContainer) return;
  FContainer->SetInnerClick(true);
  try {
    FContainer->MouseDown(Button, Shift, X + Left(), Y + Top());
  } catch (...) {
    FContainer->SetInnerClick(false);
    throw;
  }
  FContainer->SetInnerClick(false);
}

void TcxCustomInnerListBox::MouseMove(TShiftState Shift, int X, int Y) {
  TListBox::MouseMove(Shift, X, Y);
  if (FContainer) FContainer->MouseMove(Shift, X + Left(), Y + Top());
}

void TcxCustomInnerListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TListBox::MouseUp(Button, Shift, X, Y);
  if (FContainer) FContainer->MouseUp(Button, Shift, X + Left(), Y + Top());
}

void TcxCustomInnerListBox::KeyDown(WORD& Key, TShiftState Shift) {
  if (FContainer) FContainer->KeyDown(Key, Shift);
  if (Key != 0) TListBox::KeyDown(Key, Shift);
}

void TcxCustomInnerListBox::KeyUp(WORD& Key, TShiftState Shift) {
  if (Key == VK_TAB) Key = 0;
  if (FContainer) FContainer->KeyUp(Key, Shift);
  if (Key != 0) TListBox::KeyUp(Key, Shift);
}

void TcxCustomInnerListBox::KeyPress(TChar& Key) {
  if (Key == VK_TAB) Key = 0;
  if (FContainer) {
    FContainer->KeyPress(Key);
    if (Key == VK_RETURN) Key = 0;
  }
  if (Key == 0) return;
  // The class library's own search is replaced by this list's, so only the event runs of it.
  TWinControl::KeyPress(Key);
  if (Key != 0) IncrementalSearchKey(Key);
}

bool TcxCustomInnerListBox::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  if (FContainer && FContainer->DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  return TListBox::DoMouseWheel(Shift, WheelDelta, MousePos);
}

void TcxCustomInnerListBox::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  if (FContainer)
    FContainer->DragOver(Source, X + Left(), Y + Top(), State, Accept);
  else
    TListBox::DragOver(Source, X, Y, State, Accept);
}

void TcxCustomInnerListBox::DragDrop(TObject* Source, int X, int Y) {
  if (FContainer)
    FContainer->DragDrop(Source, X + Left(), Y + Top());
  else
    TListBox::DragDrop(Source, X, Y);
}

void TcxCustomInnerListBox::DoContextPopup(POINT MousePos, bool& Handled) {
  if (!FContainer) {
    TListBox::DoContextPopup(MousePos, Handled);
    return;
  }
  if (MousePos.x != -1 || MousePos.y != -1) MousePos = POINT{MousePos.x + Left(), MousePos.y + Top()};
  FContainer->DoContextPopup(MousePos, Handled);
}

void TcxCustomInnerListBox::DefaultHandler(TMessage& Message) {
  if (FContainer && !FContainer->IsDestroying() && FContainer->HandleInnerKeyDown(Message)) return;
  TListBox::DefaultHandler(Message);
}

// ---- incremental search -----------------------------------------------------------------------------

void TcxCustomInnerListBox::IncrementalSearchKey(TChar& Key) {
  if (!AutoComplete()) return;
  const DWORD now = GetTickCount();
  // Unsigned: the difference stays right when the tick count wraps.
  if (now - FLastSearchTime >= FAutoCompleteDelay) FSearchText.clear();
  FLastSearchTime = now;
  if (Key == VK_BACK) {
    // The last whole character goes, however many bytes it takes.
    std::size_t n = FSearchText.size();
    while (n > 0 && (static_cast<unsigned char>(FSearchText[n - 1]) & 0xC0) == 0x80) --n;
    FSearchText.resize(n > 0 ? n - 1 : 0);
  } else if (Key >= 0x20) {
    // Enter and Escape search for nothing: they would only spoil the text typed so far.
    Utf8Append(FSearchText, Key);
  }
  if (FSearchText.empty()) {
    if (Count() > 0) SetItemIndex(0);
  } else {
    int found = -1;
    if (Style() == lbVirtual || Style() == lbVirtualOwnerDraw)
      found = DoFindData(FSearchText);
    else if (HandleAllocated())
      found = static_cast<int>(
          SendMessage(Handle(), LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(FSearchText.c_str())));
    if (found >= 0 && found < Count()) {
      if (MultiSelect() && HandleAllocated()) {
        SendMessage(Handle(), LB_SELITEMRANGE, FALSE, MAKELPARAM(0, static_cast<WORD>(std::min(Count() - 1, 0xFFFF))));
        SendMessage(Handle(), LB_SELITEMRANGE, TRUE, MAKELPARAM(static_cast<WORD>(found), static_cast<WORD>(found)));
      }
      SetItemIndex(found);
    }
  }
  if (Key != VK_BACK && Key != VK_RETURN && Key != VK_ESCAPE) Key = 0;
}

// ---- the library's scroll bars ----------------------------------------------------------------------

bool TcxCustomInnerListBox::UsesLibraryScrollBars() const { return ScrollBarInfoApiAvailable(); }

void TcxCustomInnerListBox::SyncScrollBar(TcxScrollBar* Bar) {
  TWinControl* parent = Parent();
  SCROLLBARINFO info;
  bool visible = QueryScrollBarInfo(Handle(), Bar->Kind() == sbHorizontal ? OBJID_HSCROLL : OBJID_VSCROLL, info) &&
                 (info.rgstate[0] & kScrollBarHiddenStates) == 0;
  TRect r;
  if (visible) {
    Bar->SetEnabled((info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0 && parent->Enabled());
    POINT p = parent->ScreenToClient(POINT{info.rcScrollBar.left, info.rcScrollBar.top});
    const int w = info.rcScrollBar.right - info.rcScrollBar.left, h = info.rcScrollBar.bottom - info.rcScrollBar.top;
    // A bar lying off the list box is not mirrored.
    visible = p.x >= 0 && p.y >= 0 && w <= Width() && h <= Height();
    r = TRect(p.x, p.y, p.x + w, p.y + h);
  }
  if (!visible) {
    Bar->SetVisible(false);
    Bar->SetBounds(0, 0, 0, 0);
    return;
  }
  if (Bar->Parent() != parent) {
    TcxCounterScope locked(FScrollBarsSyncLock);
    Bar->SetParent(parent);
  }
  Bar->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
  Bar->SetCtl3D(false);
  Bar->SetVisible(true);
  Bar->BringToFront();
  SCROLLINFO si;
  si.cbSize = sizeof(SCROLLINFO);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (!GetScrollInfo(Handle(), Bar->Kind() == sbHorizontal ? SB_HORZ : SB_VERT, &si)) return;
  const int page = std::min(static_cast<int>(si.nPage), si.nMax);
  try {
    Bar->ApplyScrollParams(si.nMin, si.nMax, si.nPos, page, true);
  } catch (const Exception&) {
    // A range the bar refuses leaves it as it was.
  }
}

void TcxCustomInnerListBox::SyncScrollBars() {
  if (IsComponentDestroying(this) || FScrollBarsSyncLock > 0 || FRedrawSuspended || FScrollBarsSyncing || !UsesLibraryScrollBars())
    return;
  if (!HandleAllocated() || !Parent()) return;
  TcxFlagScope syncing(FScrollBarsSyncing);
  for (TcxScrollBar* bar : {FHScrollBar, FVScrollBar})
    if (bar) SyncScrollBar(bar);
}

void TcxCustomInnerListBox::HScrollBarScroll(TScrollCode ScrollCode, int& ScrollPos) {
  if (!HandleAllocated()) return;
  TMessage m{WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(ScrollCode), static_cast<WORD>(ScrollPos)),
             reinterpret_cast<LPARAM>(FHScrollBar && FHScrollBar->HandleAllocated() ? FHScrollBar->Handle() : nullptr), 0};
  TListBox::DefaultHandler(m);
  ScrollPos = GetScrollPos(Handle(), SB_HORZ);
}

void TcxCustomInnerListBox::VScrollBarScroll(TScrollCode ScrollCode, int& ScrollPos) {
  if (!HandleAllocated()) return;
  switch (ScrollCode) {
    case scLineUp: SetTopIndex(TopIndex() - 1); return;
    case scLineDown: SetTopIndex(TopIndex() + 1); return;
    case scPosition:
    case scTrack:
      SetTopIndex(ScrollPos);
      ScrollPos = GetScrollPos(Handle(), SB_VERT);
      return;
    default: {
      TMessage m{WM_VSCROLL, MAKEWPARAM(static_cast<WORD>(ScrollCode), static_cast<WORD>(ScrollPos)),
                 reinterpret_cast<LPARAM>(FVScrollBar && FVScrollBar->HandleAllocated() ? FVScrollBar->Handle() : nullptr), 0};
      TListBox::DefaultHandler(m);
      ScrollPos = GetScrollPos(Handle(), SB_VERT);
      return;
    }
  }
}

TRect TcxCustomInnerListBox::SizeGripRect() {
  if (!FHScrollBar || !FVScrollBar || !FHScrollBar->Visible() || !FVScrollBar->Visible() || !HandleAllocated() ||
      !Parent())
    return TRect();
  POINT corner = Parent()->ClientToScreen(POINT{FVScrollBar->Left(), FHScrollBar->Top()});
  RECT window;
  GetWindowRect(Handle(), &window);
  const int x = corner.x - window.left, y = corner.y - window.top;
  return TRect(x, y, x + FVScrollBar->Width(), y + FHScrollBar->Height());
}

void TcxCustomInnerListBox::PaintSizeGrip(HDC DC) {
  TRect r = SizeGripRect();
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  HBRUSH brush = CreateSolidBrush(ColorToRGB(SizeGripColor(FContainer)));
  RECT rc = r;
  FillRect(DC, &rc, brush);
  DeleteObject(brush);
}

// ---- messages ---------------------------------------------------------------------------------------

void TcxCustomInnerListBox::HandleLeftButtonDown(TMessage& Message) {
  SetDragMode(dmManual);
  try {
    const TShiftState shift = CurrentShiftState();
    const bool ctrl = shift.Contains(ssCtrl), extend = shift.Contains(ssShift);
    POINT p{static_cast<SHORT>(LOWORD(Message.LParam)), static_cast<SHORT>(HIWORD(Message.LParam))};
    int item = ItemAtPos(p, true);
    if (MultiSelect() && !(extend && !ctrl) && item >= 0 && Selected(item)) {
      // A press on a selected item of a multi-select list drags the selection as it is.
      FContainer->BeginDrag(false);
    } else {
      TListBox::WndProc(Message);
      if (!(MultiSelect() && (ctrl || extend))) FContainer->BeginDrag(false);
    }
  } catch (...) {
    SetDragMode(dmAutomatic);
    throw;
  }
  SetDragMode(dmAutomatic);
}

void TcxCustomInnerListBox::DrawItemMessage(TMessage& Message) {
  auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  TOwnerDrawState state;
  if (dis->itemState & ODS_SELECTED) state.Include(odSelected);
  if (dis->itemState & ODS_FOCUS) state.Include(odFocused);
  if (dis->itemState & ODS_DISABLED) state.Include(odDisabled);
  TCanvas* canvas = Canvas();
  canvas->SetHandle(dis->hDC);
  try {
    canvas->Font()->Assign(Font());
    canvas->Brush()->Assign(Brush());
    if (state.Contains(odSelected)) {
      canvas->Brush()->SetColor(clHighlight);
      canvas->Font()->SetColor(clHighlightText);
    }
    if (static_cast<int>(dis->itemID) >= 0)
      DrawItem(static_cast<int>(dis->itemID), dis->rcItem, state);
    else
      canvas->FillRect(dis->rcItem);
    if (state.Contains(odFocused) && UsesOwnItemDrawing()) DrawFocusRect(dis->hDC, &dis->rcItem);
  } catch (...) {
    canvas->SetHandle(nullptr);
    throw;
  }
  canvas->SetHandle(nullptr);
  Message.Result = 1;
}

void TcxCustomInnerListBox::DestroyWnd() {
  FRedrawSuspended = false;
  TListBox::DestroyWnd();
}

void TcxCustomInnerListBox::WndProc(TMessage& Message) {
  if (ContainerHandlesInnerMessage(FContainer, Message)) return;
  const bool gripPainted = FContainer && UsesLibraryScrollBars();
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      TListBox::WndProc(Message);
      if (FContainer) {
        Message.Result |= DLGC_WANTCHARS;
        if (GetKeyState(VK_CONTROL) >= 0) Message.Result |= DLGC_WANTTAB;
      }
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TListBox::WndProc(Message);
      if (FContainer && !FContainer->IsDestroying() && !IsComponentDestroying(this)) {
        bool fromContainer = Message.Msg == WM_SETFOCUS && FContainer->HandleAllocated() &&
                             reinterpret_cast<HWND>(Message.WParam) == FContainer->Handle();
        if (!fromContainer) FContainer->NotifyFocusChanged();
      }
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (DragMode() == dmAutomatic && FContainer && !FContainer->IsDesigning()) {
        HandleLeftButtonDown(Message);
        return;
      }
      break;
    case CN_DRAWITEM: DrawItemMessage(Message); return;
    case WM_PRINTCLIENT: DefaultHandler(Message); return;
    case WM_SETREDRAW:
      FRedrawSuspended = Message.WParam == 0;
      TListBox::WndProc(Message);
      if (!FRedrawSuspended) SyncScrollBars();
      return;
    case WM_NCCALCSIZE:
      TListBox::WndProc(Message);
      if (!FScrollBarsSyncing) SyncScrollBars();
      return;
    case WM_NCPAINT:
      TListBox::WndProc(Message);
      if (gripPainted) FillInnerSizeGripCorner(FContainer, SizeGripRect());
      return;
    case WM_PRINT:
      if (gripPainted && (Message.LParam & PRF_NONCLIENT)) {
        PaintSizeGrip(reinterpret_cast<HDC>(Message.WParam));
        Message.LParam &= ~static_cast<LPARAM>(PRF_NONCLIENT);
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      TListBox::WndProc(Message);
      SyncScrollBars();
      TRect grip = SizeGripRect();
      if (gripPainted && HandleAllocated() && grip.Right > grip.Left) {
        HRGN region = CreateRectRgn(grip.Left, grip.Top, grip.Right, grip.Bottom);
        SendMessage(Handle(), WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
        DeleteObject(region);
      }
      return;
    }
    default: break;
  }
  TListBox::WndProc(Message);
  if (ChangesScrollBars(Message.Msg)) SyncScrollBars();
}
