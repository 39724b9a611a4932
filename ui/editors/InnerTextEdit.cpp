#include "ui/editors/InnerTextEdit.h"

#include <algorithm>

#include "platform/classes/SysUtils.h"
#include "platform/classes/Utf8.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/editors/TextEdit.h"
#include "ui/foundation/ScopeGuards.h"

using namespace win;

namespace {

constexpr UINT kImeComposition = 0x010F;

}  // namespace

int CaretCharIndex(TWinControl* Edit) {
  if (!Edit->HandleAllocated()) return 0;
  HWND h = Edit->Handle();
  POINT caret{0, 0};
  GetCaretPos(&caret);
  int length = Utf8Count(Edit->Text());
  auto xOf = [h](int Index) { return static_cast<int>(static_cast<short>(LOWORD(SendMessage(h, EM_POSFROMCHAR, Index, 0)))); };
  // For an empty text the search probes -1, which never matches: the answer is 0.
  int low = 0, high = length - 1;
  while (low <= high) {
    int mid = (low + high) / 2;
    int x = xOf(mid);
    if (x == caret.x) return mid;
    if (x < caret.x)
      low = mid + 1;
    else
      high = mid - 1;
  }
  return std::clamp(low, 0, length);
}

void NotifyOwnerOfInnerFocus(TWinControl* Inner, TcxCustomEdit* Owner, const TMessage& Message) {
  if (Inner->ComponentState().Contains(csDestroying)) return;
  if (Message.Msg == WM_SETFOCUS && Owner->HandleAllocated() && reinterpret_cast<HWND>(Message.WParam) == Owner->Handle())
    return;
  Owner->NotifyFocusChanged();
}

// ---- the adapter ----------------------------------------------------------------------------------------

Variant TcxCustomInnerTextEditHelper::InnerEditValue() { return Variant(FEdit->Text()); }

void TcxCustomInnerTextEditHelper::SetInnerEditValue(const Variant& Value) {
  String text = VarToStr(Value);
  if (FEdit->ComponentState().Contains(csDesigning)) {
    bool differs = text != FEdit->Text();
    FEdit->SetText(text);
    if (differs && FEdit->OnChange) FEdit->OnChange(FEdit);
    return;
  }
  TcxCustomTextEdit* owner = FEdit->OwnerEdit();
  if (FEdit->HandleAllocated() && owner && owner->IsValidating() &&
      owner->ActiveTextProperties()->UsesLookupItems() && owner->FoundItemMark()) {
    String current = FEdit->Text();
    if (AnsiSameText(text, current) && text != current) {
      // Only the spelling changes: the completed tail stays selected.
      int start = FEdit->SelStart(), length = FEdit->SelLength();
      FEdit->SetText(text);
      FEdit->SetSelStart(start);
      FEdit->SetSelLength(length);
      return;
    }
  }
  FEdit->SetText(text);
}

TAlignment TcxCustomInnerTextEditHelper::Alignment() { return FEdit->InnerAlignment(); }
void TcxCustomInnerTextEditHelper::SetAlignment(TAlignment Value) { FEdit->SetInnerAlignment(Value); }
TcxEditEchoMode TcxCustomInnerTextEditHelper::EchoMode() { return FEdit->EchoMode(); }
void TcxCustomInnerTextEditHelper::SetEchoMode(TcxEditEchoMode Value) { FEdit->SetEchoMode(Value); }
TChar TcxCustomInnerTextEditHelper::PasswordChar() { return FEdit->InnerPasswordChar(); }
void TcxCustomInnerTextEditHelper::SetPasswordChar(TChar Value) { FEdit->SetInnerPasswordChar(Value); }
bool TcxCustomInnerTextEditHelper::UseLeftAlignmentOnEditing() { return FEdit->UseLeftAlignmentOnEditing(); }
void TcxCustomInnerTextEditHelper::SetUseLeftAlignmentOnEditing(bool Value) {
  FEdit->SetUseLeftAlignmentOnEditing(Value);
}

// ---- what both inner controls do ------------------------------------------------------------------------

template <class TBase>
TcxCustomTextEdit* TcxInnerEditControl<TBase>::OwnerEdit() const {
  return dynamic_cast<TcxCustomTextEdit*>(this->Owner());
}

template <class TBase>
void TcxInnerEditControl<TBase>::LockBounds(bool Lock) {
  if (Lock)
    ++FBoundsLockCount;
  else if (FBoundsLockCount > 0)
    --FBoundsLockCount;
}

template <class TBase>
void TcxInnerEditControl<TBase>::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FCreating || FBoundsLockCount > 0) return;
  auto* container = dynamic_cast<TcxContainer*>(this->Owner());
  if (container) LockInnerControlAlignment(container, true);
  try {
    TBase::SetBounds(ALeft, ATop, AWidth, AHeight);
  } catch (...) {
    if (container) LockInnerControlAlignment(container, false);
    throw;
  }
  if (container) LockInnerControlAlignment(container, false);
}

template <class TBase>
bool TcxInnerEditControl<TBase>::CanFocus() {
  auto* owner = dynamic_cast<TWinControl*>(this->Owner());
  return owner ? owner->CanFocus() : TBase::CanFocus();
}

template <class TBase>
void TcxInnerEditControl<TBase>::CreateHandle() {
  if (auto* container = dynamic_cast<TcxContainer*>(this->Owner())) container->ResetInnerRegion();
  TBase::CreateHandle();
}

template <class TBase>
void TcxInnerEditControl<TBase>::Click() {
  TBase::Click();
  if (auto* owner = dynamic_cast<TControl*>(this->Owner())) owner->Click();
}

template <class TBase>
void TcxInnerEditControl<TBase>::DblClick() {
  TBase::DblClick();
  if (auto* owner = dynamic_cast<TControl*>(this->Owner())) owner->DblClick();
}

template <class TBase>
void TcxInnerEditControl<TBase>::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TBase::MouseDown(Button, Shift, X, Y);
  TcxCustomTextEdit* owner = OwnerEdit();
  if (!owner) return;
  bool saved = owner->InnerClick();
  owner->SetInnerClick(true);
  try {
    owner->InnerEditMouseDown(Button, Shift, X + this->Left(), Y + this->Top());
  } catch (...) {
    owner->SetInnerClick(saved);
    throw;
  }
  owner->SetInnerClick(saved);
}

template <class TBase>
void TcxInnerEditControl<TBase>::MouseMove(TShiftState Shift, int X, int Y) {
  TBase::MouseMove(Shift, X, Y);
  if (TcxCustomTextEdit* owner = OwnerEdit()) owner->InnerEditMouseMove(Shift, X + this->Left(), Y + this->Top());
}

template <class TBase>
void TcxInnerEditControl<TBase>::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TBase::MouseUp(Button, Shift, X, Y);
  if (TcxCustomTextEdit* owner = OwnerEdit()) owner->InnerEditMouseUp(Button, Shift, X + this->Left(), Y + this->Top());
}

template <class TBase>
void TcxInnerEditControl<TBase>::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  if (TcxCustomTextEdit* owner = OwnerEdit())
    owner->InnerEditDragOver(Source, X + this->Left(), Y + this->Top(), State, Accept);
}

template <class TBase>
void TcxInnerEditControl<TBase>::DragDrop(TObject* Source, int X, int Y) {
  if (TcxCustomTextEdit* owner = OwnerEdit()) owner->InnerEditDragDrop(Source, X + this->Left(), Y + this->Top());
}

template <class TBase>
void TcxInnerEditControl<TBase>::KeyDown(WORD& Key, TShiftState Shift) {
  FKeySwallowed = false;
  if (TcxCustomTextEdit* owner = OwnerEdit()) owner->InnerEditKeyDown(Key, Shift);
  if (Key == 0) {
    FKeySwallowed = true;
    return;
  }
  TBase::KeyDown(Key, Shift);
}

template <class TBase>
void TcxInnerEditControl<TBase>::DefaultHandler(TMessage& Message) {
  auto* container = dynamic_cast<TcxContainer*>(this->Owner());
  if (container && ContainerHandlesInnerMessage(container, Message)) return;
  TBase::DefaultHandler(Message);
}

template <class TBase>
bool TcxInnerEditControl<TBase>::OwnerTakesMessage(TMessage& Message) {
  TcxCustomTextEdit* owner = OwnerEdit();
  if (!owner) return false;
  if (owner->HandleInnerKeyDown(Message)) return true;
  if (Message.Msg != WM_LBUTTONDOWN && Message.Msg != WM_LBUTTONDBLCLK) return false;
  if (owner->DragMode() != dmAutomatic || owner->IsDesigning()) return false;
  owner->BeginDrag(false);
  return true;
}

template class TcxInnerEditControl<TCustomEdit>;
template class TcxInnerEditControl<TMemo>;

// ---- the edit box ---------------------------------------------------------------------------------------

// The platform constructor cannot reach this class's SetBounds; the creating flag, set from the
// member's initialiser on, covers the rest of the construction.
TcxCustomInnerTextEdit::TcxCustomInnerTextEdit(TComponent* AOwner) : TcxInnerEditControl(AOwner) {
  FHelper = std::make_unique<TcxCustomInnerTextEditHelper>(this);
  SetControlStyle(ControlStyle() + TControlStyle{csDoubleClicks});
  SetParentColor(true);
  SetParentFont(false);
  FKeySwallowed = false;
  FEchoMode = eemNormal;
  FCreating = false;
  FUseLeftAlignmentOnEditing = true;
}

TcxCustomInnerTextEdit::~TcxCustomInnerTextEdit() = default;

void TcxCustomInnerTextEdit::ResetInnerMargins() {
  if (HandleAllocated()) SendMessage(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(0, 1));
}

void TcxCustomInnerTextEdit::SetInnerAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  if (!FUseLeftAlignmentOnEditing) RecreateWnd();
}

void TcxCustomInnerTextEdit::SetEchoMode(TcxEditEchoMode Value) {
  if (FEchoMode == Value) return;
  FEchoMode = Value;
  RecreateWnd();
}

void TcxCustomInnerTextEdit::SetInnerPasswordChar(TChar Value) {
  if (FPasswordChar == Value) return;
  FPasswordChar = Value;
  if (FEchoMode == eemPassword) RecreateWnd();
}

void TcxCustomInnerTextEdit::SetUseLeftAlignmentOnEditing(bool Value) {
  if (FUseLeftAlignmentOnEditing == Value) return;
  FUseLeftAlignmentOnEditing = Value;
  if (FAlignment != taLeftJustify) RecreateWnd();
}

void TcxCustomInnerTextEdit::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  TcxCustomTextEdit* owner = OwnerEdit();
  TAlignment alignment = taLeftJustify;
  if ((!FUseLeftAlignmentOnEditing || ComponentState().Contains(csDesigning)) && owner)
    alignment = owner->ActiveTextProperties()->Alignment()->Horz();
  static const DWORD kAlignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  Params.Style &= ~static_cast<DWORD>(ES_LEFT | ES_RIGHT | ES_CENTER | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME);
  Params.Style |= kAlignments[alignment] | ES_AUTOHSCROLL;
  if (owner && owner->ActiveTextProperties()->EchoMode() == eemPassword) Params.Style |= ES_PASSWORD;
  Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TcxCustomInnerTextEdit::CreateWindowHandle(const TCreateParams& Params) {
  // The text goes in through the edit's own procedure, after the window exists.
  TCreateParams params = Params;
  String text = params.Caption;
  params.Caption.clear();
  TCustomEdit::CreateWindowHandle(params);
  if (HandleAllocated() && DefWndProc())
    CallWindowProc(DefWndProc(), Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TcxCustomInnerTextEdit::CreateHandle() {
  TcxInnerEditControl::CreateHandle();
  TcxCustomTextEdit* owner = OwnerEdit();
  if (!owner || !HandleAllocated()) return;
  TcxCustomTextEditProperties* properties = owner->ActiveTextProperties();
  if (properties->EchoMode() != eemPassword) return;
  // Without the theme library the system's own password glyph is never used.
  TChar ch = properties->PasswordChar() ? properties->PasswordChar() : U'*';
  SendMessage(Handle(), EM_SETPASSWORDCHAR, ch, 0);
}

void TcxCustomInnerTextEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  ResetInnerMargins();
}

void TcxCustomInnerTextEdit::KeyPress(TChar& Key) {
  FKeySwallowed = false;
  // Tab never reaches the edit box.
  if (Key == 9) Key = 0;
  TcxCustomTextEdit* owner = OwnerEdit();
  if (Key != 0 && owner) owner->InnerEditKeyPress(Key);
  if (Key == 0) {
    FKeySwallowed = true;
    return;
  }
  if (owner && (Key == 13 || Key == 27) &&
      (owner->IsInPlace() || owner->PendingEscape() || (Key == 13 && !owner->BeepOnEnter()))) {
    owner->SetPendingEscape(false);
    Key = 0;
    FKeySwallowed = true;
    return;
  }
  TCustomEdit::KeyPress(Key);
}

void TcxCustomInnerTextEdit::KeyUp(WORD& Key, TShiftState Shift) {
  FKeySwallowed = false;
  if (Key == VK_TAB) Key = 0;
  TcxCustomTextEdit* owner = OwnerEdit();
  if (Key != 0 && owner) owner->InnerEditKeyUp(Key, Shift);
  if (Key == 0) {
    FKeySwallowed = true;
    return;
  }
  TCustomEdit::KeyUp(Key, Shift);
}

TcxCustomInnerTextEdit::TEditState TcxCustomInnerTextEdit::SaveState(bool WithText) {
  TEditState state;
  state.HasText = WithText;
  if (WithText) state.Text = Text();
  state.SelStart = FHelper->SelStart();
  state.SelLength = FHelper->SelLength();
  return state;
}

bool TcxCustomInnerTextEdit::StateChanged(const TEditState& Saved) {
  if (!HandleAllocated()) return true;
  if (Saved.SelStart != FHelper->SelStart() || Saved.SelLength != FHelper->SelLength()) return true;
  return Saved.HasText && !AnsiSameText(Saved.Text, Text());
}

void TcxCustomInnerTextEdit::HandleKeyDownMessage(TMessage& Message) {
  TcxCustomTextEdit* owner = OwnerEdit();
  if (owner && owner->HasOpenPopup()) {
    auto key = static_cast<WORD>(Message.WParam);
    if (owner->ActiveTextProperties()->IsPopupKey(key, KeyDataToShiftState(Message.LParam)))
      if (IcxTextEditLookupData* lookup = owner->LookupDataInterface())
        if (TWinControl* list = lookup->ActiveControl(); list && list->HandleAllocated())
          if (SendMessage(list->Handle(), WM_KEYDOWN, Message.WParam, Message.LParam) == 0) return;
  }
  TEditState saved = SaveState(true);
  FKeySwallowed = false;
  TCustomEdit::WndProc(Message);
  auto key = static_cast<WORD>(Message.WParam);
  if (owner && key != 0 && !FKeySwallowed && !StateChanged(saved)) {
    owner->FireKeyDownNotification(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
  }
}

void TcxCustomInnerTextEdit::HandleCharMessage(TMessage& Message) {
  TEditState saved = SaveState(true);
  FKeySwallowed = false;
  TCustomEdit::WndProc(Message);
  TcxCustomTextEdit* owner = OwnerEdit();
  if (!owner) return;
  owner->ClearLookupChangeFlag();
  if (!FKeySwallowed && StateChanged(saved)) owner->SetFoundItemMark(false);
}

bool TcxCustomInnerTextEdit::PaintsUnfocusedText() {
  return FUseLeftAlignmentOnEditing && FAlignment != taLeftJustify && HandleAllocated() && GetFocus() != Handle();
}

void TcxCustomInnerTextEdit::PaintUnfocusedText(TMessage& Message) {
  PAINTSTRUCT ps{};
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  bool own = dc == nullptr;
  if (own) dc = BeginPaint(Handle(), &ps);
  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.Font()->Assign(Font());
  RECT client;
  GetClientRect(Handle(), &client);
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(client);
  String text = Text();
  TChar mask = FPasswordChar ? FPasswordChar : (FEchoMode == eemPassword ? U'*' : 0);
  if (mask) {
    String masked;
    for (int i = Utf8Count(text); i > 0; --i) Utf8Append(masked, mask);
    text = masked;
  }
  DWORD margins = static_cast<DWORD>(SendMessage(Handle(), EM_GETMARGINS, 0, 0));
  int left = LOWORD(margins), right = HIWORD(margins);
  int width = client.right - client.left, textWidth = canvas.TextWidth(text);
  int x = FAlignment == taRightJustify ? left + width - textWidth - right
                                       : left + (width - right - left - textWidth) / 2;
  canvas.Brush()->SetStyle(bsClear);
  canvas.TextRect(client, x, 0, text);
  canvas.SetHandle(nullptr);
  if (own) EndPaint(Handle(), &ps);
  Message.Result = 0;
}

void TcxCustomInnerTextEdit::WndProc(TMessage& Message) {
  if (OwnerTakesMessage(Message)) return;
  TcxCustomTextEdit* owner = OwnerEdit();
  switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_NCPAINT: Message.Result = 0; return;
    case WM_GETDLGCODE: {
      TCustomEdit::WndProc(Message);
      Message.Result |= DLGC_WANTCHARS;
      if (owner) {
        if (owner->WantsTabKey() && GetKeyState(VK_CONTROL) >= 0) Message.Result |= DLGC_WANTTAB;
        if (owner->IsInPlace() || owner->HasOpenPopup()) Message.Result |= DLGC_WANTALLKEYS;
      }
      return;
    }
    case WM_KEYDOWN: HandleKeyDownMessage(Message); return;
    case WM_CHAR: HandleCharMessage(Message); return;
    case kImeComposition:
      if (owner && !owner->RequestEditing()) return;
      break;
    case EM_REPLACESEL:
      if (owner && owner->IsFocused() && !owner->RequestEditing()) return;
      break;
    case EM_SETSEL:
      TCustomEdit::WndProc(Message);
      if (OnSelectionSet) OnSelectionSet(this);
      return;
    case WM_CLEAR:
      if (!ReadOnly() && owner) {
        TcxEditUserActionScope userAction(owner, true);
        owner->DeleteSelectedText();
      }
      return;
    case WM_UNDO:
      TCustomEdit::WndProc(Message);
      if (owner) owner->ReformatText();
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomEdit::WndProc(Message);
      if (owner) NotifyOwnerOfInnerFocus(this, owner, Message);
      return;
    case WM_SETFONT:
    case WM_SIZE:
      TCustomEdit::WndProc(Message);
      ResetInnerMargins();
      return;
    case WM_PAINT:
      if (PaintsUnfocusedText()) {
        PaintUnfocusedText(Message);
        return;
      }
      break;
    case CM_MOUSELEAVE:
      TCustomEdit::WndProc(Message);
      if (owner) owner->RefreshStateAtCursor(false);
      return;
    default: break;
  }
  TCustomEdit::WndProc(Message);
}
