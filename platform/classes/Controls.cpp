#include "platform/classes/Controls.h"

#include <algorithm>
#include <cstdio>

#include "platform/classes/ControlsInternal.h"
#include "platform/classes/Forms.h"
#include "platform/classes/Filer.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"

using namespace win;

namespace {

constexpr LPCSTR kControlProp = "VWControl";
thread_local TWinControl* g_CreationControl = nullptr;

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
  DoStartDrag(object);
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
    drag.object->Finished(accepted ? target : nullptr, x, y, accepted);
    if (!dynamic_cast<TDragControlObject*>(drag.object) && drag.control) drag.control->DoEndDrag(accepted ? target : nullptr, x, y);
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
    if (Double) {
      shift.Include(ssDouble);
      if (Button == mbLeft && FControlStyle.Contains(csClickEvents)) DblClick();
    }
    if (!FControlStyle.Contains(csNoStdEvents)) MouseDown(Button, shift, x, y);
  } else {
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
    if (Button == mbLeft && FControlState.Contains(csClicked)) {
      FControlState.Exclude(csClicked);
      RECT r = ClientRect();
      if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) Click();
    }
    if (!FControlStyle.Contains(csNoStdEvents)) MouseUp(Button, shift, x, y);
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
  CreateWindowHandle(params);
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
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, std::max(1, static_cast<int>(r.right)), std::max(1, static_cast<int>(r.bottom)));
  ReleaseDC(nullptr, screen);
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
    auto ch = static_cast<char>(Message.WParam);
    KeyPress(ch);
    Message.WParam = static_cast<unsigned char>(ch);
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
void TWinControl::KeyPress(char& Key) {
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

void TWinControl::CNChar(TMessage& Message) {
  Message.Result = 1;
  if (DoKeyPress(Message)) return;
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

void TCustomControl::PaintWindow(HDC DC) {
  auto* canvas = static_cast<TControlCanvas*>(FCanvas);
  canvas->FreeHandle();
  FCanvas->Lock();
  try {
    FCanvas->SetHandle(DC);
    FCanvas->Font()->Assign(FFont);
    FCanvas->Brush()->SetColor(FColor);
    Paint();
    FCanvas->SetHandle(nullptr);
  } catch (...) {
    FCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
    throw;
  }
  FCanvas->Unlock();
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
