#include "platform/classes/Controls.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/classes/ControlsInternal.h"
#include "platform/classes/Forms.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ImageList.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"

using namespace win;

namespace {

struct CursorName {
  TCursor Value;
  const char* Name;
};
constexpr CursorName kCursorNames[] = {
    {crDefault, "crDefault"},     {crArrow, "crArrow"},       {crCross, "crCross"},
    {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"}, {crSizeNS, "crSizeNS"},
    {crSizeNWSE, "crSizeNWSE"},   {crSizeWE, "crSizeWE"},     {crUpArrow, "crUpArrow"},
    {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},         {crNoDrop, "crNoDrop"},
    {crHSplit, "crHSplit"},       {crVSplit, "crVSplit"},     {crMultiDrag, "crMultiDrag"},
    {crSQLWait, "crSQLWait"},     {crNo, "crNo"},             {crAppStart, "crAppStart"},
    {crHelp, "crHelp"},           {crHandPoint, "crHandPoint"}, {crSizeAll, "crSizeAll"},
    {crNone, "crNone"},           {crSize, "crSize"}};

}  // namespace

namespace controls_detail {

TControl* g_CaptureControl = nullptr;
TControl* g_MouseControl = nullptr;
DragState g_Drag;

void DefaultHandleException(TObject*) {
  try {
    throw;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "unknown exception\n");
  }
}

void ForgetControl(TControl* Control) {
  if (g_CaptureControl == Control) g_CaptureControl = nullptr;
  if (g_MouseControl == Control) g_MouseControl = nullptr;
  if (g_Drag.control == Control) {
    // The drag ends with its control, not accepted anywhere.
    if (g_Drag.images) g_Drag.images->EndDrag();
    if (g_Drag.ownsObject) delete g_Drag.object;
    g_Drag = DragState{};
  }
  if (g_Drag.target == Control) g_Drag.target = nullptr;
  if (Application) Application->ControlDestroying(Control);
}

void SetMouseControl(TControl* Control) {
  if (g_MouseControl == Control) return;
  TControl* old = g_MouseControl;
  g_MouseControl = Control;
  if (old) old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
  // A leave handler may have destroyed the new control; it is still the mouse control then only
  // when it survived.
  if (g_MouseControl == Control && Control) Control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(Control));
}

}  // namespace controls_detail

using namespace controls_detail;

bool CursorToIdent(std::int64_t Cursor, String& Ident) {
  for (const CursorName& c : kCursorNames)
    if (c.Value == Cursor) {
      Ident = c.Name;
      return true;
    }
  return false;
}

bool IdentToCursor(const String& Ident, std::int64_t& Cursor) {
  for (const CursorName& c : kCursorNames)
    if (SameText(Ident, c.Name)) {
      Cursor = c.Value;
      return true;
    }
  return false;
}

TShiftState KeysToShiftState(WPARAM Keys) {
  TShiftState s;
  if (Keys & MK_SHIFT) s.Include(ssShift);
  if (Keys & MK_CONTROL) s.Include(ssCtrl);
  if (Keys & MK_LBUTTON) s.Include(ssLeft);
  if (Keys & MK_RBUTTON) s.Include(ssRight);
  if (Keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (KeyData & 0x20000000) s.Include(ssAlt);
  return s;
}

TShiftState KeyboardStateToShiftState(const BYTE* KeyboardState) {
  TShiftState s;
  auto down = [KeyboardState](int Vk) { return (KeyboardState[Vk] & 0x80) != 0; };
  if (down(VK_SHIFT)) s.Include(ssShift);
  if (down(VK_CONTROL)) s.Include(ssCtrl);
  if (down(VK_MENU)) s.Include(ssAlt);
  if (down(VK_LBUTTON)) s.Include(ssLeft);
  if (down(VK_RBUTTON)) s.Include(ssRight);
  if (down(VK_MBUTTON)) s.Include(ssMiddle);
  return s;
}

TShiftState GetShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  if (GetKeyState(VK_LBUTTON) < 0) s.Include(ssLeft);
  if (GetKeyState(VK_RBUTTON) < 0) s.Include(ssRight);
  if (GetKeyState(VK_MBUTTON) < 0) s.Include(ssMiddle);
  return s;
}


bool IsMouseMessage(UINT Msg) { return Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST && Msg != WM_MOUSEWHEEL && Msg != WM_MOUSEHWHEEL; }

// ---- TSizeConstraints ------------------------------------------------------------------------------

void TSizeConstraints::DeclareProperties(TPropTable& t) {
  t.Add("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight).SetDefault(0);
  t.Add("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth).SetDefault(0);
  t.Add("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight).SetDefault(0);
  t.Add("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth).SetDefault(0);
}

void TSizeConstraints::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TSizeConstraints*>(Source)) {
    FMinHeight = s->FMinHeight;
    FMaxHeight = s->FMaxHeight;
    FMinWidth = s->FMinWidth;
    FMaxWidth = s->FMaxWidth;
    Change();
    return;
  }
  TPersistent::Assign(Source);
}

TPersistent* TSizeConstraints::GetOwner() { return FControl; }

// A maximum below the minimum pulls the minimum down with it, and the other way round, so the
// pair never contradicts itself.
void TSizeConstraints::SetMaxHeight(int Value) {
  if (Value < 0) Value = 0;
  if (Value == FMaxHeight) return;
  FMaxHeight = Value;
  if (Value > 0 && Value < FMinHeight) FMinHeight = Value;
  Change();
}
void TSizeConstraints::SetMaxWidth(int Value) {
  if (Value < 0) Value = 0;
  if (Value == FMaxWidth) return;
  FMaxWidth = Value;
  if (Value > 0 && Value < FMinWidth) FMinWidth = Value;
  Change();
}
void TSizeConstraints::SetMinHeight(int Value) {
  if (Value < 0) Value = 0;
  if (Value == FMinHeight) return;
  FMinHeight = Value;
  if (FMaxHeight > 0 && Value > FMaxHeight) FMaxHeight = Value;
  Change();
}
void TSizeConstraints::SetMinWidth(int Value) {
  if (Value < 0) Value = 0;
  if (Value == FMinWidth) return;
  FMinWidth = Value;
  if (FMaxWidth > 0 && Value > FMaxWidth) FMaxWidth = Value;
  Change();
}
void TSizeConstraints::Change() {
  if (OnChange) OnChange(this);
}

// ---- TControl --------------------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  FFont = new TFont();
  FFont->OnChange = [this](TObject* s) { FontChanged(s); };
  FConstraints = std::make_unique<TSizeConstraints>(this);
  FConstraints->OnChange = [this](TObject* s) { ConstraintsChanged(s); };
}

TControl::~TControl() {
  ForgetControl(this);
  if (FParent) FParent->RemoveControl(this);
  delete FFont;
}

void TControl::DeclareProperties(TPropTable& t) {
  t.Add("Left", &TControl::Left, &TControl::SetLeft);
  t.Add("Top", &TControl::Top, &TControl::SetTop);
  t.Add("Width", &TControl::Width, &TControl::SetWidth);
  t.Add("Height", &TControl::Height, &TControl::SetHeight);
  t.Add("Cursor", &TControl::Cursor, &TControl::SetCursor).SetDefault(crDefault).Idents(CursorToIdent, IdentToCursor);
  t.Add("Hint", &TControl::Hint, &TControl::SetHint);
  t.Add("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext).SetDefault(0);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  WindowProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) {
  if (IsMouseMessage(Message.Msg)) {
    if (Application) Application->HintMouseMessage(this, Message);
    if (Message.Msg == WM_MOUSEMOVE && !FControlState.Contains(csLButtonDown)) SetMouseControl(this);
    if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) {
      if (FDragMode == dmAutomatic && FDragKind == dkDrag) {
        BeginDrag(false);
        FControlState.Include(csLButtonDown);
        return;
      }
      FControlState.Include(csLButtonDown);
    } else if (Message.Msg == WM_LBUTTONUP) {
      FControlState.Exclude(csLButtonDown);
    }
    if (g_Drag.control == this && (Message.Msg == WM_MOUSEMOVE || Message.Msg == WM_LBUTTONUP)) {
      POINT p = ClientToScreen(POINT{Message.XPos(), Message.YPos()});
      if (Message.Msg == WM_MOUSEMOVE) {
        DragMoveTo(p);
      } else {
        FControlState.Exclude(csClicked);
        DragFinish(true);
      }
      return;
    }
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: WMMouseButton(Message, mbLeft, true, false); return;
    case WM_LBUTTONDBLCLK: WMMouseButton(Message, mbLeft, true, FControlStyle.Contains(csDoubleClicks)); return;
    case WM_LBUTTONUP: WMMouseButton(Message, mbLeft, false, false); return;
    case WM_RBUTTONDOWN: WMMouseButton(Message, mbRight, true, false); return;
    case WM_RBUTTONDBLCLK: WMMouseButton(Message, mbRight, true, FControlStyle.Contains(csDoubleClicks)); return;
    case WM_RBUTTONUP: WMMouseButton(Message, mbRight, false, false); return;
    case WM_MBUTTONDOWN: WMMouseButton(Message, mbMiddle, true, false); return;
    case WM_MBUTTONDBLCLK: WMMouseButton(Message, mbMiddle, true, FControlStyle.Contains(csDoubleClicks)); return;
    case WM_MBUTTONUP: WMMouseButton(Message, mbMiddle, false, false); return;
    case WM_MOUSEMOVE: WMMouseMove(Message); return;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); return;
    case WM_CONTEXTMENU: WMContextMenu(Message); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); return;
    case CM_TEXTCHANGED: CMTextChanged(Message); return;
    case CM_FONTCHANGED: CMFontChanged(Message); return;
    case CM_COLORCHANGED: CMColorChanged(Message); return;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); return;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); return;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); return;
    case CM_MOUSEENTER: CMMouseEnter(Message); return;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return;
    case CM_HITTEST: CMHitTest(Message); return;
    case CM_SYSCOLORCHANGE: CMSysColorChange(Message); return;
    case WM_CANCELMODE:
    case CM_CANCELMODE: WMCancelMode(Message); return;
    default: DefaultHandler(Message); return;
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXTLENGTH: Message.Result = static_cast<LRESULT>(FText.size()); return;
    case WM_GETTEXT: {
      auto* buf = reinterpret_cast<char*>(Message.LParam);
      auto size = static_cast<std::size_t>(Message.WParam);
      if (!buf || size == 0) return;
      std::size_t n = std::min(size - 1, FText.size());
      FText.copy(buf, n);
      buf[n] = '\0';
      Message.Result = static_cast<LRESULT>(n);
      return;
    }
    case WM_SETTEXT: {
      auto* text = reinterpret_cast<const char*>(Message.LParam);
      FText = text ? text : "";
      Message.Result = 1;
      return;
    }
    default: return;
  }
}

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  for (TWinControl* p = AParent; p; p = p->FParent)
    if (p == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) {
    AParent->InsertControl(this);
    UpdateAnchorRules();
  }
}

TComponent* TControl::GetParentComponent() { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* p = dynamic_cast<TWinControl*>(Value)) SetParent(p);
}

void TControl::ReadState(TReader* Reader) {
  FControlState.Include(csReadingState);
  try {
    if (auto* p = dynamic_cast<TWinControl*>(Reader->Parent())) SetParent(p);
    TComponent::ReadState(Reader);
  } catch (...) {
    FControlState.Exclude(csReadingState);
    throw;
  }
  FControlState.Exclude(csReadingState);
  if (FParent) {
    if (FParentColor) Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (FParentFont) Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (FParentShowHint) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  }
}

void TControl::Loaded() {
  TComponent::Loaded();
  UpdateAnchorRules();
}

void TControl::SetReference(bool Enable) {
  TComponent::SetReference(Enable);
  if (!Enable) {
    auto* owner = dynamic_cast<TControl*>(Owner());
    FCaptionFollowsName = FControlStyle.Contains(csSetCaption) && !HasState(csLoading) && !HasState(csDesigning) &&
                          !(owner && owner->HasState(csLoading)) && GetText() == Name();
  } else if (FCaptionFollowsName) {
    FCaptionFollowsName = false;
    SetText(Name());
  }
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
  if (Operation == opRemove && FActionLink && AComponent == FActionLink->Action()) FActionLink.reset();
}

void TControl::DoConstraints(int& NewWidth, int& NewHeight) {
  int minW = FConstraints->MinWidth(), minH = FConstraints->MinHeight();
  int maxW = FConstraints->MaxWidth(), maxH = FConstraints->MaxHeight();
  ConstrainedResize(minW, minH, maxW, maxH);
  if (maxW > 0 && NewWidth > maxW) NewWidth = maxW;
  if (minW > 0 && NewWidth < minW) NewWidth = minW;
  if (maxH > 0 && NewHeight > maxH) NewHeight = maxH;
  if (minH > 0 && NewHeight < minH) NewHeight = minH;
}

void TControl::ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight) {
  if (OnConstrainedResize) OnConstrainedResize(this, MinWidth, MinHeight, MaxWidth, MaxHeight);
}

bool TControl::CanResize(int& NewWidth, int& NewHeight) {
  bool resize = true;
  if (OnCanResize) OnCanResize(this, NewWidth, NewHeight, resize);
  return resize;
}

bool TControl::CanAutoSize(int&, int&) { return false; }

void TControl::UpdateBoundsRect(const RECT& R) {
  FLeft = R.left;
  FTop = R.top;
  FWidth = R.right - R.left;
  FHeight = R.bottom - R.top;
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
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
  bool sized = AWidth != FWidth || AHeight != FHeight;
  Invalidate();
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (!FAnchorMove) UpdateAnchorRules();
  Invalidate();
  RequestAlign();
  if (sized && !HasState(csLoading)) Resize();
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::UpdateAnchorRules() {
  if (!FParent || FParent->FControlState.Contains(csAligning)) return;
  RECT r = FParent->ClientRect();
  FOriginalParentSize = POINT{r.right, r.bottom};
  FAnchorRules = POINT{FLeft, FTop};
  FAnchorSize = POINT{FWidth, FHeight};
}

void TControl::RequestAlign() {
  if (FParent && !FParent->FControlState.Contains(csAligning) && (FAlign != alNone || FParent->FAutoSize))
    FParent->AlignControl(this);
}

void TControl::DoAutoSize() {}

void TControl::AdjustSize() {
  if (!HasState(csLoading)) SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TControl::ConstraintsChanged(TObject*) { AdjustSize(); }

RECT TControl::ClientRect() { return RECT{0, 0, FWidth, FHeight}; }

void TControl::SetClientSize(int W, int H) {
  RECT c = ClientRect();
  SetBounds(FLeft, FTop, FWidth - c.right + W, FHeight - c.bottom + H);
}
void TControl::SetClientWidth(int Value) { SetClientSize(Value, ClientHeight()); }
void TControl::SetClientHeight(int Value) { SetClientSize(ClientWidth(), Value); }

POINT TControl::ClientOrigin() {
  if (!FParent) return POINT{FLeft, FTop};
  POINT p = FParent->ClientOrigin();
  return POINT{p.x + FLeft, p.y + FTop};
}

POINT TControl::ClientToScreen(POINT P) {
  POINT o = ClientOrigin();
  return POINT{P.x + o.x, P.y + o.y};
}

POINT TControl::ScreenToClient(POINT P) {
  POINT o = ClientOrigin();
  return POINT{P.x - o.x, P.y - o.y};
}

POINT TControl::ClientToParent(POINT P, TWinControl* AParent) {
  if (!AParent) AParent = FParent;
  if (!AParent) throw EInvalidOperation(Format("Control '%s' has no parent window", Name().c_str()));
  TControl* c = this;
  while (c && c != AParent) {
    P.x += c->FLeft;
    P.y += c->FTop;
    c = c->FParent;
  }
  if (!c) throw EInvalidOperation(Format("'%s' is not a parent of '%s'", AParent->Name().c_str(), Name().c_str()));
  return P;
}

POINT TControl::ParentToClient(POINT P, TWinControl* AParent) {
  POINT offset = ClientToParent(POINT{0, 0}, AParent);
  return POINT{P.x - offset.x, P.y - offset.y};
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  TAlign old = FAlign;
  FAlign = Value;
  FAnchors = AnchorAlign[Value];
  if (!HasState(csLoading) && Value != alNone && old == alNone) UpdateAnchorRules();
  RequestAlign();
  if (FParent && Value == alNone && !FParent->FControlState.Contains(csAligning)) FParent->Realign();
}

void TControl::SetAnchors(TAnchors Value) {
  if (FAnchors == Value) return;
  FAnchors = Value;
  if (!HasState(csLoading)) UpdateAnchorRules();
}

void TControl::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  if (Value) AdjustSize();
}

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  VisibleChanging();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
  RequestAlign();
}

void TControl::Show() {
  if (FParent) FParent->Show();
  SetVisible(true);
}

void TControl::Hide() { SetVisible(false); }

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

String TControl::GetText() {
  auto len = static_cast<std::size_t>(Perform(WM_GETTEXTLENGTH, 0, 0));
  String s(len + 1, '\0');
  auto n = static_cast<std::size_t>(Perform(WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(s.data())));
  s.resize(std::min(n, len));
  return s;
}

void TControl::SetTextValue(const String& Value) { Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str())); }

void TControl::SetText(const String& Value) {
  if (GetText() == Value) return;
  SetTextValue(Value);
  Perform(CM_TEXTCHANGED, 0, 0);
}

int TControl::GetTextLen() { return static_cast<int>(Perform(WM_GETTEXTLENGTH, 0, 0)); }
String TControl::GetTextBuf() { return GetText(); }

void TControl::SetColor(TColor Value) {
  if (FColor == Value) {
    FParentColor = false;
    return;
  }
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (FParent && !HasState(csReading)) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::FontChanged(TObject*) {
  FParentFont = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (FParent && !HasState(csReading)) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  FParentBiDiMode = false;
  Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
  if (FShowHint == Value) {
    FParentShowHint = false;
    return;
  }
  FShowHint = Value;
  FParentShowHint = false;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint == Value) return;
  FParentShowHint = Value;
  if (FParent && !HasState(csReading)) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu == Value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::BeginDrag(bool Immediate, int Threshold) {
  if (g_Drag.control) return;
  TDragObject* object = nullptr;
  FDragStartCancelled = false;
  DoStartDrag(object);
  if (FDragStartCancelled) {
    FDragStartCancelled = false;
    return;
  }
  bool owns = false;
  if (!object) {
    object = new TDragControlObject(this);
    owns = true;
  }
  g_Drag = DragState{};
  g_Drag.control = this;
  g_Drag.object = object;
  g_Drag.ownsObject = owns;
  g_Drag.threshold = Threshold < 0 ? (Mouse ? Mouse->DragThreshold() : 5) : Threshold;
  GetCursorPos(&g_Drag.start);
  SetMouseCapture(true);
  if (Immediate) {
    g_Drag.active = true;
    DragMoveTo(g_Drag.start);
  }
}

void TControl::EndDrag(bool Drop) {
  if (g_Drag.control == this) DragFinish(Drop);
}

bool TControl::Dragging() const { return g_Drag.control == this; }

// The object the drop targets are told of: the dragged control itself for a control drag.
static TObject* DragSource() {
  if (auto* c = dynamic_cast<TDragControlObject*>(g_Drag.object)) return c->Control();
  return g_Drag.object;
}

void TControl::DragMoveTo(POINT Screen) {
  if (!g_Drag.active) {
    if (std::abs(Screen.x - g_Drag.start.x) < g_Drag.threshold && std::abs(Screen.y - g_Drag.start.y) < g_Drag.threshold)
      return;
    g_Drag.active = true;
    g_Drag.images = g_Drag.object ? g_Drag.object->GetDragImages() : nullptr;
    if (g_Drag.images && !g_Drag.images->BeginDrag(nullptr, Screen.x, Screen.y)) g_Drag.images = nullptr;
  }
  TObject* source = DragSource();
  TControl* target = FindDragTarget(Screen, false);
  bool accept = false;
  if (target != g_Drag.target) {
    if (TControl* old = g_Drag.target) {
      POINT q = old->ScreenToClient(Screen);
      bool ignored = false;
      old->DragOver(source, q.x, q.y, dsDragLeave, ignored);
    }
    g_Drag.target = target;
    if (target) {
      POINT q = target->ScreenToClient(Screen);
      target->DragOver(source, q.x, q.y, dsDragEnter, accept);
    }
  } else if (target) {
    POINT q = target->ScreenToClient(Screen);
    target->DragOver(source, q.x, q.y, dsDragMove, accept);
  }
  // A handler may have ended the drag.
  if (!g_Drag.object) return;
  if (TDragImageList* images = g_Drag.images) {
    // The image shows over the controls that display it, and follows the mouse.
    if (target && target->ControlStyle().Contains(csDisplayDragImage)) images->ShowDragImage();
    else images->HideDragImage();
    images->DragMove(Screen.x, Screen.y);
  }
  g_Drag.accepted = target && accept;
  g_Drag.object->FDragPos = Screen;
  g_Drag.object->FDragTarget = g_Drag.target;
  TCursor cursor = g_Drag.object->GetDragCursor(g_Drag.accepted, Screen.x, Screen.y);
  if (::Screen)
    if (HCURSOR h = ::Screen->Cursors(cursor)) win::SetCursor(h);
}

void TControl::DragFinish(bool Drop) {
  DragState drag = g_Drag;
  g_Drag = DragState{};
  // The image goes before the target hears of the drop.
  if (drag.images) drag.images->EndDrag();
  if (drag.control) drag.control->SetMouseCapture(false);
  POINT p{};
  GetCursorPos(&p);
  TControl* target = drag.active ? drag.target : nullptr;
  bool accepted = false;
  int x = 0, y = 0;
  if (target) {
    POINT q = target->ScreenToClient(p);
    x = q.x;
    y = q.y;
    TObject* source = dynamic_cast<TDragControlObject*>(drag.object) ? drag.control : static_cast<TObject*>(drag.object);
    if (Drop) {
      // The last word on accepting is the target's at the drop point.
      target->DragOver(source, x, y, dsDragMove, accepted);
      if (accepted) {
        drag.object->FDropped = true;
        target->DragDrop(source, x, y);
      }
    } else {
      bool ignored = false;
      target->DragOver(source, x, y, dsDragLeave, ignored);
    }
  }
  if (drag.object) {
    drag.object->FCancelling = !Drop;
    // Finished may free the object: nothing of it is read after.
    const bool controlObject = dynamic_cast<TDragControlObject*>(drag.object) != nullptr;
    drag.object->Finished(accepted ? target : nullptr, x, y, accepted);
    if (!controlObject && drag.control) drag.control->DoEndDrag(accepted ? target : nullptr, x, y);
    if (drag.ownsObject) delete drag.object;
  }
}

void TControl::CancelDrag() {
  if (g_Drag.control) g_Drag.control->DragFinish(false);
}

void TControl::DragCanceled() {}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = static_cast<bool>(OnDragOver);
  if (OnDragOver) OnDragOver(this, Source, X, Y, State, Accept);
}
void TControl::DragDrop(TObject* Source, int X, int Y) {
  if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}
void TControl::DoStartDrag(TDragObject*& DragObject) {
  if (OnStartDrag) OnStartDrag(this, DragObject);
}
void TControl::DoEndDrag(TObject* Target, int X, int Y) {
  if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}

TCursor TDragObject::GetDragCursor(bool Accepted, int, int) { return Accepted ? crDrag : crNoDrop; }

TCursor TDragControlObject::GetDragCursor(bool Accepted, int, int) { return Accepted ? FControl->DragCursor() : crNoDrop; }

TDragImageList* TDragControlObject::GetDragImages() { return FControl ? FControl->GetDragImages() : nullptr; }

TDragObject* DragObject() { return g_Drag.object; }

void TDragControlObject::Finished(TObject* Target, int X, int Y, bool Accepted) {
  if (!Accepted) {
    FControl->DragCanceled();
    Target = nullptr;
  }
  FControl->DoEndDrag(Target, X, Y);
}

bool TControl::MouseCapture() const { return g_CaptureControl == this; }

void TControl::SetMouseCapture(bool Value) {
  if (MouseCapture() == Value) return;
  if (Value) {
    g_CaptureControl = this;
    auto* w = dynamic_cast<TWinControl*>(this);
    TWinControl* holder = w ? w : FParent;
    if (holder && holder->HandleAllocated()) win::SetCapture(holder->Handle());
  } else {
    g_CaptureControl = nullptr;
    win::ReleaseCapture();
  }
}

void TControl::Invalidate() {
  if (!FParent || !FParent->HandleAllocated() || !FVisible) return;
  RECT r = BoundsRect();
  InvalidateRect(FParent->Handle(), &r, !FControlStyle.Contains(csOpaque));
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  if (!FParent || !FParent->HandleAllocated() || !FVisible) return;
  Invalidate();
  FParent->Update();
}

void TControl::SetZOrder(bool TopMost) {
  if (FParent) FParent->SetZOrderPosition(this, TopMost);
}
void TControl::BringToFront() { SetZOrder(true); }
void TControl::SendToBack() { SetZOrder(false); }

void TControl::ScaleBy(int M, int D) {
  if (D == 0) return;
  ChangeScale(M, D);
}

void TControl::ChangeScale(int M, int D) {
  // Rounded half away from zero, as negative font heights need.
  auto mul = [&](int v) {
    long long n = static_cast<long long>(v) * M;
    long long half = std::abs(D) / 2;
    return static_cast<int>((n + (n >= 0 ? half : -half)) / D);
  };
  if (!FParentFont) FFont->SetHeight(mul(FFont->Height()));
  int l = mul(FLeft), t = mul(FTop);
  int w = mul(FLeft + FWidth) - l, h = mul(FTop + FHeight) - t;
  SetBounds(l, t, w, h);
}

TCustomForm* TControl::GetParentForm() const { return ::GetParentForm(const_cast<TControl*>(this)); }

void TControl::Click() {
  if (OnClick && !(FActionLink && FActionLink->IsOnExecuteLinked())) {
    auto handler = OnClick;  // the handler may replace OnClick or free the control's form
    handler(this);
  } else if (FActionLink && !HasState(csDesigning)) {
    FActionLink->Execute(this);
  }
}

TBasicAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

std::unique_ptr<TControlActionLink> TControl::CreateActionLink() { return std::make_unique<TControlActionLink>(this); }

std::unique_ptr<TControlActionLink> TWinControl::CreateActionLink() { return std::make_unique<TWinControlActionLink>(this); }

void TControl::SetAction(TBasicAction* Value) {
  if (!Value) {
    if (FActionLink && FActionLink->Action()) FActionLink->Action()->RemoveFreeNotification(this);
    FActionLink.reset();
    return;
  }
  if (!FActionLink) FActionLink = CreateActionLink();
  if (FActionLink->Action()) FActionLink->Action()->RemoveFreeNotification(this);
  FActionLink->SetAction(Value);
  FActionLink->OnChange = [this](TObject* Sender) {
    if (auto* a = dynamic_cast<TBasicAction*>(Sender)) ActionChange(a, false);
  };
  ActionChange(Value, HasState(csLoading));
  Value->FreeNotification(this);
}

void TControl::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  auto* a = dynamic_cast<TCustomAction*>(Sender);
  if (!a) return;
  if (!CheckDefaults || Caption().empty()) SetCaption(a->Caption());
  if (!CheckDefaults || FEnabled) SetEnabled(a->Enabled());
  if (!CheckDefaults || FHint.empty()) SetHint(a->Hint());
  if (!CheckDefaults || FVisible) SetVisible(a->Visible());
  if (!CheckDefaults || FHelpContext == 0) SetHelpContext(a->HelpContext());
}

void TControl::InitiateAction() {
  if (FActionLink) FActionLink->Update();
}

void TControlActionLink::AssignClient(TObject* AClient) { FClient = dynamic_cast<TControl*>(AClient); }

bool TControlActionLink::IsCaptionLinked() {
  auto* a = CustomAction();
  return TActionLink::IsCaptionLinked() && FClient && a && FClient->Caption() == a->Caption();
}
bool TControlActionLink::IsEnabledLinked() {
  auto* a = CustomAction();
  return TActionLink::IsEnabledLinked() && FClient && a && FClient->Enabled() == a->Enabled();
}
bool TControlActionLink::IsHelpContextLinked() {
  auto* a = CustomAction();
  return TActionLink::IsHelpContextLinked() && FClient && a && FClient->HelpContext() == a->HelpContext();
}
bool TControlActionLink::IsHintLinked() {
  auto* a = CustomAction();
  return TActionLink::IsHintLinked() && FClient && a && FClient->Hint() == a->Hint();
}
bool TControlActionLink::IsVisibleLinked() {
  auto* a = CustomAction();
  return TActionLink::IsVisibleLinked() && FClient && a && FClient->Visible() == a->Visible();
}
bool TControlActionLink::IsOnExecuteLinked() { return FAction && FClient && !FClient->OnClick; }
void TControlActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TControlActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TControlActionLink::SetHelpContext(int Value) {
  if (IsHelpContextLinked()) FClient->SetHelpContext(Value);
}
void TControlActionLink::SetHint(const String& Value) {
  if (IsHintLinked()) FClient->SetHint(Value);
}
void TControlActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) FClient->SetVisible(Value);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::WMMouseButton(TMessage& Message, TMouseButton Button, bool Down, bool Double) {
  int x = Message.XPos(), y = Message.YPos();
  TShiftState shift = KeysToShiftState(Message.WParam);
  if (Down) {
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (Button == mbLeft && FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
    // A double-click or mouse-down handler may free the control as well.
    controls_detail::TFreeWatch watch(this);
    if (Double) {
      shift.Include(ssDouble);
      if (Button == mbLeft && FControlStyle.Contains(csClickEvents)) DblClick();
      if (watch.Gone()) return;
    }
    if (!FControlStyle.Contains(csNoStdEvents)) MouseDown(Button, shift, x, y);
    if (watch.Gone()) return;
  } else {
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
    // A click or mouse-up handler may free the control: nothing of it is touched afterwards.
    controls_detail::TFreeWatch watch(this);
    if (Button == mbLeft && FControlState.Contains(csClicked)) {
      FControlState.Exclude(csClicked);
      RECT r = ClientRect();
      if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) Click();
      if (watch.Gone()) return;
    }
    if (!FControlStyle.Contains(csNoStdEvents)) MouseUp(Button, shift, x, y);
    if (watch.Gone()) return;
  }
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated()) DefaultHandler(Message);
}

void TControl::WMMouseMove(TMessage& Message) {
  if (!FControlStyle.Contains(csNoStdEvents)) MouseMove(KeysToShiftState(Message.WParam), Message.XPos(), Message.YPos());
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated()) DefaultHandler(Message);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (!handled) {
    if (WheelDelta < 0)
      handled = DoMouseWheelDown(Shift, MousePos);
    else if (WheelDelta > 0)
      handled = DoMouseWheelUp(Shift, MousePos);
  }
  return handled;
}
bool TControl::DoMouseWheelDown(TShiftState Shift, POINT MousePos) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}
bool TControl::DoMouseWheelUp(TShiftState Shift, POINT MousePos) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

void TControl::WMMouseWheel(TMessage& Message) {
  auto delta = static_cast<short>(Message.WParamHi());
  TShiftState shift = KeysToShiftState(Message.WParamLo());
  POINT pos{Message.XPos(), Message.YPos()};
  if (DoMouseWheel(shift, delta, pos)) {
    Message.Result = 1;
    return;
  }
  // Unhandled wheel turns go to the parent, as the window system does for windows.
  if (FParent)
    Message.Result = FParent->Perform(Message.Msg, Message.WParam, Message.LParam);
}

void TControl::DoContextPopup(POINT MousePos, bool& Handled) {
  if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

void TControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0) return;
  POINT screen{Message.XPos(), Message.YPos()};
  POINT local{-1, -1};
  if (screen.x != -1 || screen.y != -1) local = ScreenToClient(screen);
  bool handled = false;
  DoContextPopup(local, handled);
  Message.Result = handled ? 1 : 0;
  if (handled) return;
  if (FPopupMenu && FPopupMenu->AutoPopup()) {
    // From the keyboard the menu opens at the control's corner.
    if (screen.x == -1 && screen.y == -1) screen = ClientToScreen(POINT{0, 0});
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(screen.x, screen.y);
    Message.Result = 1;
    return;
  }
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated()) DefaultHandler(Message);
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage&) {
  // A windowless control appears or disappears by its parent repainting the place.
  if (FParent && FParent->HandleAllocated()) {
    RECT r = BoundsRect();
    InvalidateRect(FParent->Handle(), &r, TRUE);
  }
}

void TControl::CMTextChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMParentColorChanged(TMessage& Message) {
  if (!FParentColor) return;
  TColor c = Message.WParam ? static_cast<TColor>(Message.LParam) : (FParent ? FParent->FColor : FColor);
  SetColor(c);
  FParentColor = true;
}

void TControl::CMParentFontChanged(TMessage&) {
  if (!FParentFont || !FParent) return;
  FFont->Assign(FParent->FFont);
  FParentFont = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!FParentShowHint || !FParent) return;
  SetShowHint(FParent->FShowHint);
  FParentShowHint = true;
}

void TControl::CMMouseEnter(TMessage& Message) {
  if (FParent) FParent->Perform(CM_MOUSEENTER, 0, Message.LParam);
  if (Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(this)) {
    FMouseInControl = true;
    if (OnMouseEnter) OnMouseEnter(this);
  }
}

void TControl::CMMouseLeave(TMessage& Message) {
  if (FParent) FParent->Perform(CM_MOUSELEAVE, 0, Message.LParam);
  if (Message.LParam == 0 || Message.LParam == reinterpret_cast<LPARAM>(this)) {
    FMouseInControl = false;
    if (OnMouseLeave) OnMouseLeave(this);
  }
}

void TControl::CMSysColorChange(TMessage&) { Invalidate(); }

void TControl::WMCancelMode(TMessage& Message) {
  if (MouseCapture()) {
    SetMouseCapture(false);
    // A button held down is let go outside the control, so it does not click.
    if (FControlState.Contains(csLButtonDown)) Perform(WM_LBUTTONUP, 0, PointToLParam(-1, -1));
  } else {
    FControlState.Exclude(csLButtonDown);
  }
  if (Message.Msg == WM_CANCELMODE)
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated()) DefaultHandler(Message);
}

// ---- TControlCanvas, TGraphicControl, TCustomControl -----------------------------------------------

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* AControl) {
  if (FControl == AControl) return;
  FreeHandle();
  FControl = AControl;
}

void TControlCanvas::FreeHandle() {
  if (!FDeviceContext) return;
  SetHandle(nullptr);
  ReleaseDC(FWindowHandle, FDeviceContext);
  FDeviceContext = nullptr;
  FWindowHandle = nullptr;
}

void TControlCanvas::CreateHandle() {
  if (!FControl) return;
  if (!FDeviceContext) {
    if (auto* w = dynamic_cast<TWinControl*>(FControl)) {
      FWindowHandle = w->Handle();
      FDeviceContext = GetDC(FWindowHandle);
    } else if (FControl->Parent()) {
      FWindowHandle = FControl->Parent()->Handle();
      FDeviceContext = GetDC(FWindowHandle);
      SetViewportOrgEx(FDeviceContext, FControl->Left(), FControl->Top(), nullptr);
      IntersectClipRect(FDeviceContext, 0, 0, FControl->Width(), FControl->Height());
    } else {
      throw EInvalidOperation(Format("Control '%s' has no parent window", FControl->Name().c_str()));
    }
  }
  SetHandle(FDeviceContext);
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {
  auto* c = new TControlCanvas();
  c->SetControl(this);
  FCanvas = c;
}

TGraphicControl::~TGraphicControl() {
  ForgetControl(this);
  delete FCanvas;
}

void TGraphicControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_PAINT && Message.WParam) {
    auto* canvas = static_cast<TControlCanvas*>(FCanvas);
    canvas->FreeHandle();
    FCanvas->Lock();
    try {
      FCanvas->SetHandle(reinterpret_cast<HDC>(Message.WParam));
      FCanvas->Font()->Assign(FFont);
      Paint();
      FCanvas->SetHandle(nullptr);
    } catch (...) {
      FCanvas->SetHandle(nullptr);
      FCanvas->Unlock();
      throw;
    }
    FCanvas->Unlock();
    return;
  }
  TControl::WndProc(Message);
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {
  auto* c = new TControlCanvas();
  c->SetControl(this);
  FCanvas = c;
}

TCustomControl::~TCustomControl() {
  static_cast<TControlCanvas*>(FCanvas)->FreeHandle();
  delete FCanvas;
  FCanvas = nullptr;
}

void TCustomControl::WMPaint(TMessage& Message) {
  FControlState.Include(csCustomPaint);
  try {
    TWinControl::WMPaint(Message);
  } catch (...) {
    FControlState.Exclude(csCustomPaint);
    throw;
  }
  FControlState.Exclude(csCustomPaint);
}

void TCustomControl::WMPrintClient(TMessage& Message) {
  if (!(Message.LParam & PRF_CLIENT) || !Message.WParam) {
    TWinControl::WMPrintClient(Message);
    return;
  }
  TMessage paint{WM_PAINT, Message.WParam, 0, 0};
  PaintHandler(paint);
  Message.Result = 0;
}

void controls_detail::PaintOnCanvas(TCanvas* Canvas, HDC DC, TFont* Font, TColor Color,
                                    const std::function<void()>& Paint) {
  static_cast<TControlCanvas*>(Canvas)->FreeHandle();
  Canvas->Lock();
  try {
    Canvas->SetHandle(DC);
    Canvas->Font()->Assign(Font);
    Canvas->Brush()->SetColor(Color);
    Paint();
    Canvas->SetHandle(nullptr);
  } catch (...) {
    Canvas->SetHandle(nullptr);
    Canvas->Unlock();
    throw;
  }
  Canvas->Unlock();
}

void TCustomControl::PaintWindow(HDC DC) {
  controls_detail::PaintOnCanvas(FCanvas, DC, FFont, FColor, [this] { Paint(); });
}

// ---- free functions --------------------------------------------------------------------------------

TWinControl* FindControl(HWND Handle) {
  for (HWND h = Handle; h; h = win::GetParent(h))
    if (TWinControl* c = TWinControl::FindControl(h)) return c;
  return nullptr;
}

TWinControl* FindVCLWindow(POINT Pos) { return FindControl(WindowFromPoint(Pos)); }

TControl* FindDragTarget(POINT Pos, bool AllowDisabled) {
  HWND h = WindowFromPoint(Pos);
  TWinControl* w = FindControl(h);
  if (!w) return nullptr;
  POINT local = w->ScreenToClient(Pos);
  if (TControl* c = w->ControlAtPos(local, AllowDisabled)) return c;
  return w;
}

TCustomForm* GetParentForm(TControl* Control) {
  TControl* c = Control;
  while (c && c->Parent()) c = c->Parent();
  return c ? dynamic_cast<TCustomForm*>(c) : nullptr;
}

// ---- hidden windows for objects -----------------------------------------------------------------

namespace {

constexpr LPCSTR kUtilWindowClass = "TPUtilWindow";
constexpr LPCSTR kUtilMethodProp = "VWMethod";

LRESULT UtilWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* method = static_cast<std::function<void(TMessage&)>*>(GetProp(hwnd, kUtilMethodProp));
  if (!method) return DefWindowProc(hwnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  try {
    (*method)(m);
  } catch (...) {
    if (Application)
      Application->HandleException(nullptr);
    else
      DefaultHandleException(nullptr);
  }
  return m.Result;
}

}  // namespace

HWND AllocateHWnd(std::function<void(TMessage&)> Method) {
  WNDCLASS wc;
  if (!GetClassInfo(nullptr, kUtilWindowClass, &wc)) {
    wc = WNDCLASS{};
    wc.lpfnWndProc = UtilWndProc;
    wc.lpszClassName = kUtilWindowClass;
    RegisterClass(&wc);
  }
  HWND h = CreateWindowEx(WS_EX_TOOLWINDOW, kUtilWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  if (!h) throw EOutOfResources("Error creating window");
  if (Method) SetProp(h, kUtilMethodProp, new std::function<void(TMessage&)>(std::move(Method)));
  return h;
}

void DeallocateHWnd(HWND Wnd) {
  if (!Wnd || !IsWindow(Wnd)) return;
  auto* method = static_cast<std::function<void(TMessage&)>*>(RemoveProp(Wnd, kUtilMethodProp));
  DestroyWindow(Wnd);
  delete method;
}
