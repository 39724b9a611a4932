#include "ui/editors/MaskEdit.h"

#include <algorithm>
#include <iterator>

#include "platform/classes/StdCtrls.h"
#include "platform/classes/Utf8.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/controls/VariantRoutines.h"
#include "ui/foundation/ScopeGuards.h"

using namespace win;

namespace {

int gUnitStarts = 0;

// The properties' change notifications held back for a scope. A lock already set by a derived
// editor's own step stays set afterwards; inside an update bracket the flag cannot be told apart
// from the bracket and is released.
class TChangesLock {
 public:
  explicit TChangesLock(TcxCustomEditProperties* P)
      : FP(P), FWasLocked(P->IsChangeLocked() && P->UpdateCount() == 0) {
    FP->SetChangesLocked(true);
  }
  ~TChangesLock() { FP->SetChangesLocked(FWasLocked); }
  TChangesLock(const TChangesLock&) = delete;
  TChangesLock& operator=(const TChangesLock&) = delete;

 private:
  TcxCustomEditProperties* FP;
  bool FWasLocked;
};

}  // namespace

// ---- construction -------------------------------------------------------------------------------------

TcxCustomMaskEdit::TcxCustomMaskEdit(TComponent* AOwner)
    : TcxCustomMaskEdit(AOwner, TcxCustomEditClasses{TcxCustomMaskEditProperties::StaticClass(),
                                                     TcxCustomInnerTextEdit::StaticClass(),
                                                     EditDataBindingClassOf<TcxEditDataBinding>()}) {}

TcxCustomMaskEdit::TcxCustomMaskEdit(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomTextEdit(AOwner, Classes) {
  Construct();
}

void TcxCustomMaskEdit::InitializeEditor() {
  TcxCustomTextEdit::InitializeEditor();
  Construct();
}

// A standard mode always comes first; the first properties change replaces it when the kind differs.
void TcxCustomMaskEdit::Construct() {
  TcxCustomMaskEditProperties* properties = ActiveMaskProperties();
  // Without mask properties there is no mask: the editor stays the text editor.
  if (!properties) return;
  FMode.reset(properties->MaskModeClass(emkStandard)->Construct(this, properties));
  FShiftHeld = false;
  properties->SetEmptyValueText(MaskEmptyValueText());
}

TcxCustomMaskEdit::~TcxCustomMaskEdit() { FMode.reset(); }

void TcxCustomMaskEdit::Loaded() {
  TcxCustomTextEdit::Loaded();
  if (!HasMask()) return;
  // The loaded text is how the editor was stored: adopting it changes nothing anyone must hear of.
  LockChangeEvents(true);
  try {
    AdoptTextAfterLoad();
  } catch (...) {
    LockChangeEvents(false, false);
    throw;
  }
  LockChangeEvents(false, false);
}

void TcxCustomMaskEdit::AdoptTextAfterLoad() { ApplyEditValue(Variant(EditValueText())); }

// ---- small answers ------------------------------------------------------------------------------------

TcxCustomMaskEditProperties* TcxCustomMaskEdit::ActiveMaskProperties() {
  return dynamic_cast<TcxCustomMaskEditProperties*>(ActiveProperties());
}

bool TcxCustomMaskEdit::HasMask() {
  if (!FMode) return false;
  TcxCustomMaskEditProperties* properties = ActiveMaskProperties();
  return properties && properties->HasMask();
}

String TcxCustomMaskEdit::EditValueText() {
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  return inner ? VarToStr(inner->InnerEditValue()) : String();
}

String TcxCustomMaskEdit::MaskEmptyValueText() { return HasMask() ? FMode->EmptyValueText() : String(); }

void TcxCustomMaskEdit::ApplyTextThroughMask(const String& Text) {
  if (HasMask() && MaskAppliesToText()) FMode->SetText(Text);
}

void TcxCustomMaskEdit::RefreshValueText() { FValueText = FMode->ValueFromText(EditValueText(), true); }

bool TcxCustomMaskEdit::AllowsFreeTyping() { return !HasMask() && TcxCustomTextEdit::AllowsFreeTyping(); }

// ---- keys sent to the edit box --------------------------------------------------------------------------

void TcxCustomMaskEdit::SendToInnerEdit(UINT Msg, WPARAM WParam) {
  TWinControl* inner = InnerControl();
  if (!inner || !inner->HandleAllocated()) return;
  TcxFlagScope simulating(FSimulatingKey, true);
  SendMessage(inner->Handle(), Msg, WParam, 0);
}

// The edit box reads Shift and Ctrl from the keyboard state: for the sent key it is the state given,
// whatever keys the operator holds (a held Shift would turn a sent Delete into a cut).
void TcxCustomMaskEdit::SendKeyDown(WORD Key, TShiftState Shift) {
  BYTE saved[256], state[256];
  GetKeyboardState(saved);
  std::copy(std::begin(saved), std::end(saved), std::begin(state));
  auto set = [&state](std::initializer_list<int> Keys, bool Down) {
    for (int vk : Keys) state[vk] = static_cast<BYTE>(Down ? (state[vk] | 0x80) : (state[vk] & ~0x80));
  };
  set({VK_SHIFT, VK_LSHIFT, VK_RSHIFT}, Shift.Contains(ssShift));
  set({VK_CONTROL, VK_LCONTROL, VK_RCONTROL}, Shift.Contains(ssCtrl));
  set({VK_MENU, VK_LMENU, VK_RMENU}, Shift.Contains(ssAlt));
  SetKeyboardState(state);
  try {
    SendToInnerEdit(WM_KEYDOWN, Key);
  } catch (...) {
    SetKeyboardState(saved);
    throw;
  }
  SetKeyboardState(saved);
}

void TcxCustomMaskEdit::SendChar(TChar Ch) { SendToInnerEdit(WM_CHAR, static_cast<WPARAM>(Ch)); }

void TcxCustomMaskEdit::SetSelStartQuietly(int Value) {
  TcxFlagScope guard(FCaretMoveGuard, true);
  SetSelStart(Value);
}

void TcxCustomMaskEdit::SetSelLengthQuietly(int Value) {
  TcxFlagScope guard(FCaretMoveGuard, true);
  SetSelLength(Value);
}

void TcxCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift) {
  if (!FSimulatingKey) TcxCustomTextEdit::KeyDown(Key, Shift);
}

void TcxCustomMaskEdit::KeyPress(TChar& Key) {
  if (!FSimulatingKey) TcxCustomTextEdit::KeyPress(Key);
}

void TcxCustomMaskEdit::KeyUp(WORD& Key, TShiftState Shift) {
  if (!FSimulatingKey) TcxCustomTextEdit::KeyUp(Key, Shift);
}

// ---- properties ---------------------------------------------------------------------------------------

void TcxCustomMaskEdit::PropertiesChanged(TObject* Sender) {
  TcxCustomMaskEditProperties* properties = ActiveMaskProperties();
  if (!FMode || !properties) {
    TcxCustomTextEdit::PropertiesChanged(Sender);
    return;
  }
  bool maskChanged = false, kindChanged = false, caseChanged = false, echoChanged = false;
  int savedStart = 0, savedLength = 0;
  {
    TChangesLock lock(properties);
    const String mask = properties->EditMask();
    maskChanged = FMode->MaskText() != mask || properties->IsFormatChanging();
    kindChanged = FMode->MaskKind() != properties->MaskKind();
    caseChanged = properties->CharCase() != FMode->CharCase();
    bool emptied = false;
    if (kindChanged) {
      const bool wasStandard = FMode->MaskKind() == emkStandard;
      const TEditCharCase charCase = FMode->CharCase();
      const TcxEditEchoMode echoMode = FMode->EchoMode();
      FMode.reset();
      FMode.reset(properties->MaskModeClass(properties->MaskKind())->Construct(this, properties));
      FMode->SetCharCase(charCase);
      FMode->SetEchoMode(echoMode);
      // A picture mask means nothing to a regular expression and back.
      if (wasStandard != (properties->MaskKind() == emkStandard)) {
        properties->SetStoredEditMask(String());
        emptied = true;
      }
      const String current = properties->EditMask();
      FMode->SetMaskText(current);
      if (!TcxCustomMaskEditProperties::IsMaskBlank(current)) FMode->SynchronizeEditValue();
      properties->SetEmptyValueText(MaskEmptyValueText());
    }
    if (maskChanged) {
      properties->SetMaxLength(0);
      FMode->SetMaskText(mask);
      // A new mask that came with the kind change stays.
      if (emptied) properties->SetStoredEditMask(mask);
      if (!TcxCustomMaskEditProperties::IsMaskBlank(mask))
        FMode->SynchronizeEditValue();
      else if (IsStandardMode() && HandleAllocated() && SelLength() == 1)
        SetSelLength(0);
      properties->SetEmptyValueText(MaskEmptyValueText());
    }
    if (caseChanged) {
      if (properties->CharCase() == ecNormal && HasMask()) {
        if (IcxInnerTextEdit* inner = InnerTextEditInterface()) inner->SetCharCase(ecNormal);
        FMode->SynchronizeEditValue();
      }
      FMode->SetCharCase(properties->CharCase());
    }
    echoChanged = properties->EchoMode() != FMode->EchoMode();
    if (echoChanged && HandleAllocated()) {
      savedStart = SelStart();
      savedLength = SelLength();
    }
    bool valueSet = true;
    if (InnerControl()) valueSet = !VarIsNull(EditValue());
    if (valueSet && HasMask()) FMode->UpdateEditValue();
  }
  if (auto* regExpr = dynamic_cast<TcxMaskEditRegExprMode*>(FMode.get()))
    regExpr->Engine()->SetCaseInsensitive(properties->CaseInsensitive());
  TcxCustomTextEdit::PropertiesChanged(Sender);
  if (echoChanged) {
    if (HandleAllocated()) {
      SetSelStart(savedStart);
      SetSelLength(savedLength);
    }
    FMode->SetEchoMode(properties->EchoMode());
  }
  if (kindChanged || caseChanged || maskChanged) RefreshValueText();
}

// ---- text and value -----------------------------------------------------------------------------------

void TcxCustomMaskEdit::HandleDataChanged() {
  if (HasMask()) RefreshValueText();
  TcxCustomTextEdit::HandleDataChanged();
}

String TcxCustomMaskEdit::CurrentText() { return HasMask() ? FValueText : TcxCustomTextEdit::CurrentText(); }

bool TcxCustomMaskEdit::ApplyText(const String& Text) {
  if (!HasMask()) return TcxCustomTextEdit::ApplyText(Text);
  SetEditValueChecked(Variant(Text));
  SetEditValueField(Variant(FValueText));
  return true;
}

void TcxCustomMaskEdit::ApplyEditValue(const Variant& Value) {
  if (!HasMask() || ComponentState().Contains(csLoading)) {
    TcxCustomTextEdit::ApplyEditValue(Value);
    return;
  }
  const String text = VarToStr(Value);
  String shown;
  // Unfocused, a picture editor shows its bare value; the mask appears with the focus.
  if (IsFocused() || !IsStandardMode() || ActiveMaskProperties()->AlwaysShowBlanksAndLiterals())
    shown = FMode->FormatText(text, true);
  else
    shown = FMode->ValueFromText(text, true);
  TcxCustomTextEdit::ApplyEditValue(Variant(shown));
  ApplyTextThroughMask(EditValueText());
}

void TcxCustomMaskEdit::ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool Focused) {
  if (!HasMask()) {
    TcxCustomTextEdit::ConvertDisplayToEditValue(Display, Value, Focused);
    return;
  }
  bool throughMode = Focused || !IsStandardMode();
  if (!throughMode)
    throughMode = !static_cast<TcxMaskEditStandardMode*>(FMode.get())->Mask().SaveLiterals() &&
                  ActiveMaskProperties()->AlwaysShowBlanksAndLiterals();
  if (throughMode)
    Value = Variant(FMode->ValueFromText(VarToStr(Display), true));
  else
    TcxCustomTextEdit::ConvertDisplayToEditValue(Display, Value, Focused);
}

void TcxCustomMaskEdit::RefreshDisplayText() {
  TcxCustomTextEdit::RefreshDisplayText();
  ApplyTextThroughMask(EditValueText());
}

void TcxCustomMaskEdit::ReformatText() {
  if (HasMask())
    ApplyTextThroughMask(EditValueText());
  else
    TcxCustomTextEdit::ReformatText();
}

void TcxCustomMaskEdit::AfterTextChangeHook(TObject* Sender) {
  TcxCustomTextEdit::AfterTextChangeHook(Sender);
  if (!FCaretMoveGuard && HasMask()) FMode->NoteMouseAction();
}

// ---- clipboard --------------------------------------------------------------------------------------------

void TcxCustomMaskEdit::ApplyTypedText(const String& Fragment) {
  if (!HasMask()) {
    TcxCustomTextEdit::ApplyTypedText(Fragment);
    return;
  }
  FMode->SetClipboardTextLength(Utf8Count(Fragment));
  FMode->BeforePaste();
  TcxCustomTextEdit::ApplyTypedText(Fragment);
  // The text editor's step may have changed the properties and with them the mode.
  if (!HasMask()) return;
  FMode->AfterPaste();
  // A text that was refused leaves no paste pending for the next text from elsewhere.
  FMode->SetClipboardTextLength(0);
}

void TcxCustomMaskEdit::PasteText() {
  if (!HasMask()) {
    TcxCustomTextEdit::PasteText();
    return;
  }
  if (!IsClipboardFormatAvailable(CF_TEXT)) return;
  String clip;
  if (!platform::wm::GetClipboardTextUtf8(HandleAllocated() ? Handle() : nullptr, clip)) return;
  FMode->SetClipboardTextLength(Utf8Count(clip));
  FMode->BeforePaste();
  ApplyTypedText(clip);
  if (!HasMask()) return;
  FMode->SetClipboardTextLength(Utf8Count(clip));
  FMode->AfterPaste();
  FMode->SetClipboardTextLength(0);
}

void TcxCustomMaskEdit::CutSelectedText() {
  if (!HasMask()) {
    TcxCustomTextEdit::CutSelectedText();
    return;
  }
  if (IsFocused() && !RequestEditing()) return;
  CopySelectedText();
  if (FMode->DeleteKey()) SendChar(8);
}

// A Delete the mode sends takes the selection out of the edit box as the box itself would: the
// mode keeps its own picture of that change and must not see the text set anew through the mask.
void TcxCustomMaskEdit::DeleteSelectedText() {
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  if (!FSimulatingKey || !inner) {
    TcxCustomTextEdit::DeleteSelectedText();
    return;
  }
  inner->SetSelText(String());
}

// ---- activation by a key ---------------------------------------------------------------------------------

// The activating key goes through the mask like any other; only the edit box's painting is held off
// until it has been handled.
void TcxCustomMaskEdit::HookInnerWindowProc() {
  if (!HasMask()) {
    TcxCustomTextEdit::HookInnerWindowProc();
    return;
  }
  TWinControl* inner = InnerControl();
  if (!inner || !inner->HandleAllocated()) return;
  SendMessage(inner->Handle(), WM_SETREDRAW, FALSE, 0);
  FRedrawHeld = true;
}

void TcxCustomMaskEdit::UnhookInnerWindowProc() {
  if (!FRedrawHeld) {
    TcxCustomTextEdit::UnhookInnerWindowProc();
    return;
  }
  FRedrawHeld = false;
  TWinControl* inner = InnerControl();
  if (!inner || !inner->HandleAllocated()) return;
  SendMessage(inner->Handle(), WM_SETREDRAW, TRUE, 0);
  inner->Invalidate();
}

// ---- keys -----------------------------------------------------------------------------------------------

void TcxCustomMaskEdit::EditKeyDown(WORD& Key, TShiftState Shift) {
  if (!HasMask() || IsClearOrClickKey(Key, Shift)) {
    TcxCustomTextEdit::EditKeyDown(Key, Shift);
    return;
  }
  if (!CanProcessKey(Key, Shift)) {
    FireKeyDownNotification(Key, Shift);
    Key = 0;
    return;
  }
  if (Key != VK_TAB) FShiftHeld = Shift.Contains(ssShift);
  // A read-only editor keeps its text: deleting keys go to the read-only edit box.
  const bool editable = !ReadOnlyInEffect();
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
      if (!HasOpenPopup()) {
        FireKeyDownNotification(Key, Shift);
        Key = 0;
      }
      break;
    case VK_LEFT:
    case VK_RIGHT: {
      const bool left = Key == VK_LEFT;
      if (Shift.Contains(ssCtrl)) {
        SendKeyDown(left ? VK_HOME : VK_END, Shift);
        if (!(left ? FMode->HomeKey() : FMode->EndKey())) Key = 0;
        break;
      }
      // A host such as a grid moves to the neighbouring cell when the caret cannot go further.
      const bool atEdge = left ? FMode->CaretAtStart() : FMode->CaretAtEnd();
      if (!(left ? FMode->LeftKey() : FMode->RightKey())) {
        if (atEdge) FireKeyDownNotification(Key, Shift);
        Key = 0;
      }
      break;
    }
    case VK_DELETE:
      if (!editable) break;
      if (!Shift.Contains(ssShift)) {
        if (!FMode->DeleteKey()) Key = 0;
      } else if (SelLength() == 0) {
        // Cut with nothing selected takes the character before the caret, as Backspace does: the
        // held Shift must not make the caret move select instead.
        FShiftHeld = false;
        if (FMode->BackspaceKey()) SendChar(8);
        Key = 0;
      }
      break;
    case VK_HOME:
      if (!FMode->HomeKey()) Key = 0;
      break;
    case VK_END:
      if (!FMode->EndKey()) Key = 0;
      break;
    default: break;
  }
  if (Key != 0) TcxCustomTextEdit::EditKeyDown(Key, Shift);
}

void TcxCustomMaskEdit::EditKeyPress(TChar& Key) {
  if (!HasMask()) {
    TcxCustomTextEdit::EditKeyPress(Key);
    return;
  }
  if (Key == 9 || Key == 27 || !ValidateKeyChar(Key)) {
    Key = 0;
    return;
  }
  if (Key == 13) return;
  // Clipboard keys and typing into a read-only editor are the text editor's business.
  if (Key == 3 || Key == 22 || Key == 24 || ReadOnlyInEffect()) {
    TcxCustomTextEdit::EditKeyPress(Key);
    return;
  }
  const bool allowed = Key == 8 ? FMode->BackspaceKey() : FMode->CharKey(Key);
  if (!allowed) Key = 0;
}

void TcxCustomMaskEdit::EditKeyUp(WORD& Key, TShiftState Shift) { TcxCustomEdit::EditKeyUp(Key, Shift); }

// ---- mouse and focus --------------------------------------------------------------------------------------

void TcxCustomMaskEdit::DblClick() {
  if (HasMask()) FMode->PrepareSelectAll();
  TcxCustomTextEdit::DblClick();
}

void TcxCustomMaskEdit::DoEnter() {
  if (HasMask() && ActiveProperties()->AutoSelect()) FMode->PrepareSelectAll();
  TcxCustomTextEdit::DoEnter();
}

void TcxCustomMaskEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && HasMask()) FMode->NoteMouseAction();
  TcxCustomTextEdit::MouseDown(Button, Shift, X, Y);
}

void TcxCustomMaskEdit::MouseMove(TShiftState Shift, int X, int Y) {
  if (Shift.Contains(ssLeft) && HasMask()) {
    // A drag extends the selection as Shift does.
    TcxFlagScope shift(FShiftHeld, true);
    FMode->NoteMouseAction();
  }
  TcxCustomEditContainer::MouseMove(Shift, X, Y);
}

void TcxCustomMaskEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxCustomEditContainer::MouseUp(Button, Shift, X, Y);
}

// ---- TcxMaskEdit ----------------------------------------------------------------------------------------

TcxMaskEdit::TcxMaskEdit(TComponent* AOwner)
    : TcxCustomMaskEdit(AOwner, TcxCustomEditClasses{TcxMaskEditProperties::StaticClass(),
                                                     TcxCustomInnerTextEdit::StaticClass(),
                                                     EditDataBindingClassOf<TcxEditDataBinding>()}) {}

void TcxMaskEdit::DeclareProperties(TPropTable& t) {
  using E = TcxMaskEdit;
  DeclarePublishedTextEditor<E>(t);
}

// ---- TcxFilterMaskEditHelper --------------------------------------------------------------------------------

TcxFilterOperatorSet TcxFilterMaskEditHelper::SupportedFilterOperators(TcxCustomEditProperties* Properties,
                                                                       TcxValueTypeClass ValueTypeClass,
                                                                       bool Extended) const {
  TcxFilterOperatorSet result = 1662;
  auto* mask = dynamic_cast<TcxCustomMaskEditProperties*>(Properties);
  if (!(mask && mask->HasMask()) && ValueTypeClass && ValueTypeClass->IsStringType()) result |= 384;
  if (Extended) result |= 30720;
  return result;
}

void TcxFilterMaskEditHelper::PrepareFilterProperties(TcxCustomEditProperties* Properties,
                                                      TcxCustomEditProperties* SourceProperties,
                                                      bool KeepButtons) const {
  TcxFilterTextEditHelper::PrepareFilterProperties(Properties, SourceProperties, KeepButtons);
  auto* mask = dynamic_cast<TcxCustomMaskEditProperties*>(Properties);
  if (!mask) return;
  // A condition is typed one piece at a time: the completing kind helps there.
  if (auto* source = dynamic_cast<TcxCustomMaskEditProperties*>(SourceProperties);
      source && source->MaskKind() == emkRegExpr)
    mask->SetMaskKind(emkRegExprEx);
  mask->SetAutoSelect(!mask->HasMask());
}

// ---- registration ---------------------------------------------------------------------------------------

void MaskEditUnitStartup() {
  if (gUnitStarts++ > 0) return;
  EditPropertiesClassRegistry()->AddClass(TcxMaskEditProperties::StaticClass(),
                                          GetLocalizedResString(cxLibraryStrings::scxSEditRepositoryMaskItem));
  FilterEditsControllerInstance()->AddHelper(TcxMaskEditProperties::StaticClass(),
                                             FilterEditHelperClass<TcxFilterMaskEditHelper>());
}

void MaskEditUnitShutdown() {
  if (gUnitStarts == 0 || --gUnitStarts > 0) return;
  FilterEditsControllerInstance()->RemoveHelper(TcxMaskEditProperties::StaticClass(),
                                                FilterEditHelperClass<TcxFilterMaskEditHelper>());
}

namespace {
// Form descriptions create mask editors by class name.
const bool kRegistered = [] {
  RegisterClassesOf<TcxMaskEdit>();
  return true;
}();
}  // namespace
