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

// ---- the adapter ----------------------------------------------------------------------------------------

TcxCustomInnerTextEditHelper::TcxCustomInnerTextEditHelper(TcxCustomInnerTextEdit* AEdit)
    : TcxInterfacedPersistent(nullptr), FEdit(AEdit) {}

TcxContainer* TcxCustomInnerTextEditHelper::ControlContainer() { return dynamic_cast<TcxContainer*>(FEdit->Owner()); }
TWinControl* TcxCustomInnerTextEditHelper::InnerControl() { return FEdit; }

void TcxCustomInnerTextEditHelper::TakeInnerFocus() {
  bool autoSelect = FEdit->AutoSelect();
  FEdit->SetAutoSelect(false);
  try {
    if (FEdit->CanFocus()) FEdit->SetFocus();
  } catch (...) {
    FEdit->SetAutoSelect(autoSelect);
    throw;
  }
  FEdit->SetAutoSelect(autoSelect);
}

void TcxCustomInnerTextEditHelper::SetOnChange(TNotifyEvent Handler) { FEdit->OnChange = std::move(Handler); }
void TcxCustomInnerTextEditHelper::SetInnerReadOnly(bool Value) { FEdit->SetReadOnly(Value); }

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

void TcxCustomInnerTextEditHelper::LockBounds(bool Lock) { FEdit->LockBounds(Lock); }
void TcxCustomInnerTextEditHelper::ClearSelection() { FEdit->ClearSelection(); }
void TcxCustomInnerTextEditHelper::CopyToClipboard() { FEdit->CopyToClipboard(); }
TAlignment TcxCustomInnerTextEditHelper::Alignment() { return FEdit->InnerAlignment(); }
void TcxCustomInnerTextEditHelper::SetAlignment(TAlignment Value) { FEdit->SetInnerAlignment(Value); }
bool TcxCustomInnerTextEditHelper::AutoSelect() { return FEdit->AutoSelect(); }
void TcxCustomInnerTextEditHelper::SetAutoSelect(bool Value) { FEdit->SetAutoSelect(Value); }
TEditCharCase TcxCustomInnerTextEditHelper::CharCase() { return FEdit->CharCase(); }
void TcxCustomInnerTextEditHelper::SetCharCase(TEditCharCase Value) { FEdit->SetCharCase(Value); }
TcxEditEchoMode TcxCustomInnerTextEditHelper::EchoMode() { return FEdit->EchoMode(); }
void TcxCustomInnerTextEditHelper::SetEchoMode(TcxEditEchoMode Value) { FEdit->SetEchoMode(Value); }

int TcxCustomInnerTextEditHelper::FirstVisibleCharIndex() {
  if (!FEdit->HandleAllocated()) return 0;
  return LOWORD(SendMessage(FEdit->Handle(), EM_CHARFROMPOS, 0, 0));
}

bool TcxCustomInnerTextEditHelper::HideSelection() { return FEdit->HideSelection(); }
void TcxCustomInnerTextEditHelper::SetHideSelection(bool Value) { FEdit->SetHideSelection(Value); }
TImeMode TcxCustomInnerTextEditHelper::ImeMode() { return FEdit->ImeMode(); }
void TcxCustomInnerTextEditHelper::SetImeMode(TImeMode Value) { FEdit->SetImeMode(Value); }
TImeName TcxCustomInnerTextEditHelper::ImeName() { return FEdit->ImeName(); }
void TcxCustomInnerTextEditHelper::SetImeName(const TImeName& Value) { FEdit->SetImeName(Value); }
bool TcxCustomInnerTextEditHelper::KeySwallowed() { return FEdit->KeySwallowed(); }
void TcxCustomInnerTextEditHelper::SetKeySwallowed(bool Value) { FEdit->SetKeySwallowed(Value); }
int TcxCustomInnerTextEditHelper::MaxLength() { return FEdit->MaxLength(); }
void TcxCustomInnerTextEditHelper::SetMaxLength(int Value) { FEdit->SetMaxLength(Value); }
bool TcxCustomInnerTextEditHelper::OEMConvert() { return FEdit->OEMConvert(); }
void TcxCustomInnerTextEditHelper::SetOEMConvert(bool Value) { FEdit->SetOEMConvert(Value); }
TNotifyEvent TcxCustomInnerTextEditHelper::OnSelectionSet() { return FEdit->OnSelectionSet; }
void TcxCustomInnerTextEditHelper::SetOnSelectionSet(TNotifyEvent Value) { FEdit->OnSelectionSet = std::move(Value); }
TChar TcxCustomInnerTextEditHelper::PasswordChar() { return FEdit->InnerPasswordChar(); }
void TcxCustomInnerTextEditHelper::SetPasswordChar(TChar Value) { FEdit->SetInnerPasswordChar(Value); }
int TcxCustomInnerTextEditHelper::SelLength() { return FEdit->HandleAllocated() ? FEdit->SelLength() : 0; }
int TcxCustomInnerTextEditHelper::SelStart() { return FEdit->HandleAllocated() ? FEdit->SelStart() : 0; }

void TcxCustomInnerTextEditHelper::SetSelLength(int Value) {
  if (FEdit->HandleAllocated()) FEdit->SetSelLength(Value);
}

void TcxCustomInnerTextEditHelper::SetSelStart(int Value) {
  if (FEdit->HandleAllocated()) FEdit->SetSelStart(Value);
}

String TcxCustomInnerTextEditHelper::SelText() { return FEdit->HandleAllocated() ? FEdit->SelText() : String(); }
void TcxCustomInnerTextEditHelper::SetSelText(const String& Value) { FEdit->SetSelText(Value); }
bool TcxCustomInnerTextEditHelper::UseLeftAlignmentOnEditing() { return FEdit->UseLeftAlignmentOnEditing(); }
void TcxCustomInnerTextEditHelper::SetUseLeftAlignmentOnEditing(bool Value) {
  FEdit->SetUseLeftAlignmentOnEditing(Value);
}

void TcxCustomInnerTextEditHelper::SelectAll() {
  if (FEdit->HandleAllocated()) FEdit->SelectAll();
}

// ---- the edit box ---------------------------------------------------------------------------------------

// The platform constructor cannot reach this class's SetBounds; the creating flag, set from the
// member's initialiser on, covers the rest of the construction.
TcxCustomInnerTextEdit::TcxCustomInnerTextEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
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

TcxCustomTextEdit* TcxCustomInnerTextEdit::OwnerEdit() const { return dynamic_cast<TcxCustomTextEdit*>(Owner()); }

void TcxCustomInnerTextEdit::ResetInnerMargins() {
  if (HandleAllocated()) SendMessage(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(0, 1));
}

void TcxCustomInnerTextEdit::LockBounds(bool Lock) {
  if (Lock)
    ++FBoundsLockCount;
  else if (FBoundsLockCount > 0)
    --FBoundsLockCount;
}

void TcxCustomInnerTextEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FCreating || FBoundsLockCount > 0) return;
  auto* container = dynamic_cast<TcxContainer*>(Owner());
  if (container) LockInnerControlAlignment(container, true);
  try {
    TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  } catch (...) {
    if (container) LockInnerControlAlignment(container, false);
    throw;
  }
  if (container) LockInnerControlAlignment(container, false);
}

bool TcxCustomInnerTextEdit::CanFocus() {
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  return owner ? owner->CanFocus() : TCustomEdit::CanFocus();
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
  if (auto* container = dynamic_cast<TcxContainer*>(Owner())) container->ResetInnerRegion();
  TCustomEdit::CreateHandle();
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

void TcxCustomInnerTextEdit::Click() {
  TCustomEdit::Click();
  if (auto* owner = dynamic_cast<TControl*>(Owner())) owner->Click();
}

void TcxCustomInnerTextEdit::DblClick() {
  TCustomEdit::DblClick();
  if (auto* owner = dynamic_cast<TControl*>(Owner())) owner->DblClick();
}

void TcxCustomInnerTextEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomEdit::MouseDown(Button, Shift, X, Y);
  TcxCustomTextEdit* owner = OwnerEdit();
  if (!owner) return;
  bool saved = owner->InnerClick();
  owner->SetInnerClick(true);
  try {
    owner->InnerEditMouseDown(Button, Shift, X + Left(), Y + Top());
  } catch (...) {
    owner->SetInnerClick(saved);
    throw;
  }
  owner->SetInnerClick(saved);
}

void TcxCustomInnerTextEdit::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomEdit::MouseMove(Shift, X, Y);
  if (TcxCustomTextEdit* owner = OwnerEdit()) owner->InnerEditMouseMove(Shift, X + Left(), Y + Top());
}

void TcxCustomInnerTextEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomEdit::MouseUp(Button, Shift, X, Y);
  if (TcxCustomTextEdit* owner = OwnerEdit()) owner->InnerEditMouseUp(Button, Shift, X + Left(), Y + Top());
}

void TcxCustomInnerTextEdit::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  if (TcxCustomTextEdit* owner = OwnerEdit()) owner->InnerEditDragOver(Source, X + Left(), Y + Top(), State, Accept);
}

void TcxCustomInnerTextEdit::DragDrop(TObject* Source, int X, int Y) {
  if (TcxCustomTextEdit* owner = OwnerEdit()) owner->InnerEditDragDrop(Source, X + Left(), Y + Top());
}

void TcxCustomInnerTextEdit::KeyDown(WORD& Key, TShiftState Shift) {
  FKeySwallowed = false;
  if (TcxCustomTextEdit* owner = OwnerEdit()) owner->InnerEditKeyDown(Key, Shift);
  if (Key == 0) {
    FKeySwallowed = true;
    return;
  }
  TCustomEdit::KeyDown(Key, Shift);
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

void TcxCustomInnerTextEdit::DefaultHandler(TMessage& Message) {
  auto* container = dynamic_cast<TcxContainer*>(Owner());
  if (container && ContainerHandlesInnerMessage(container, Message)) return;
  TCustomEdit::DefaultHandler(Message);
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
  TcxCustomTextEdit* owner = OwnerEdit();
  if (owner && owner->HandleInnerKeyDown(Message)) return;
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (owner && owner->DragMode() == dmAutomatic && !owner->IsDesigning()) {
        owner->BeginDrag(false);
        return;
      }
      break;
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
        bool saved = owner->UserAction();
        owner->SetUserAction(true);
        try {
          owner->DeleteSelectedText();
        } catch (...) {
          owner->SetUserAction(saved);
          throw;
        }
        owner->SetUserAction(saved);
      }
      return;
    case WM_UNDO:
      TCustomEdit::WndProc(Message);
      if (owner) owner->ReformatText();
      return;
    case WM_SETFOCUS:
      TCustomEdit::WndProc(Message);
      if (owner && !ComponentState().Contains(csDestroying) &&
          !(owner->HandleAllocated() && reinterpret_cast<HWND>(Message.WParam) == owner->Handle()))
        owner->NotifyFocusChanged();
      return;
    case WM_KILLFOCUS:
      TCustomEdit::WndProc(Message);
      if (owner && !ComponentState().Contains(csDestroying)) owner->NotifyFocusChanged();
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
