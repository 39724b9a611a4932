#include "ui/editors/TextEdit.h"

#include <algorithm>

#include "platform/classes/DateUtils.h"
#include "platform/classes/FormatSettings.h"
#include "platform/classes/StdCtrls.h"
#include "platform/classes/SysUtils.h"
#include "platform/classes/Utf8.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/controls/EditRepository.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/controls/VariantRoutines.h"
#include "ui/foundation/ScopeGuards.h"

using namespace win;

namespace {

template <class Enter, class Leave, class Body>
void Bracketed(Enter EnterStep, Leave LeaveStep, Body BodyStep) {
  EnterStep();
  try {
    BodyStep();
  } catch (...) {
    LeaveStep();
    throw;
  }
  LeaveStep();
}

// Characters [From, From + Count) of S.
String Utf8Mid(const String& S, int From, int Count) {
  std::size_t begin = Utf8ByteOffset(S, From);
  std::size_t end = Count < 0 ? S.size() : Utf8ByteOffset(S, From + Count);
  return begin >= end ? String() : S.substr(begin, end - begin);
}

bool ClipboardText(HWND Owner, String& Text) { return platform::wm::GetClipboardTextUtf8(Owner, Text); }

int gUnitStarts = 0;

}  // namespace

IcxInnerEditObserver*& InnerEditObserver() {
  static IcxInnerEditObserver* observer = nullptr;
  return observer;
}

// ---- construction -------------------------------------------------------------------------------------

TcxCustomTextEdit::TcxCustomTextEdit(TComponent* AOwner)
    : TcxCustomTextEdit(AOwner, TcxCustomEditClasses{TcxCustomTextEditProperties::StaticClass(),
                                                     TcxCustomInnerTextEdit::StaticClass(),
                                                     EditDataBindingClassOf<TcxEditDataBinding>()}) {}

TcxCustomTextEdit::TcxCustomTextEdit(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomEdit(AOwner, Classes) {
  Construct();
}

void TcxCustomTextEdit::InitializeEditor() {
  TcxCustomEdit::InitializeEditor();
  Construct();
}

// The text editor's own steps of the initialisation; the base ran its own in its constructor.
void TcxCustomTextEdit::Construct() {
  FBeepOnEnter = true;
  FFoundItemMark = false;
  if (IcxInnerTextEdit* inner = InnerTextEditInterface()) {
    inner->InnerControl()->SetColor(clWindow);
    inner->SetOnSelectionSet([this](TObject* Sender) { AfterTextChangeHook(Sender); });
  }
  SetWidth(121);
  SetHeight(21);
  if (!FLookupData) {
    if (TClass lookupClass = ActiveTextProperties()->LookupDataClass()) {
      FLookupData.reset(static_cast<TcxCustomTextEditLookupData*>(lookupClass->Create(this)));
      FLookupData->SetOnSelectItem([this](TObject* Sender) { ApplyLookupCurrentItem(Sender); });
    }
  }
  if (!FListenerRegistered)
    if (TcxFormatController* controller = FormatControllerInstance()) {
      controller->AddListener(this);
      FListenerRegistered = true;
    }
}

TcxCustomTextEdit::~TcxCustomTextEdit() {
  // WM_GETTEXT answers from here once the properties are gone.
  FSavedText = CurrentText();
  if (FListenerRegistered)
    if (TcxFormatController* controller = FormatControllerInstance()) controller->RemoveListener(this);
  FLookupData.reset();
}

void TcxCustomTextEdit::Loaded() {
  TcxCustomEdit::Loaded();
  RefreshStateAtCursor(false);
}

// ---- small answers ------------------------------------------------------------------------------------

TcxCustomTextEditProperties* TcxCustomTextEdit::ActiveTextProperties() {
  return static_cast<TcxCustomTextEditProperties*>(ActiveProperties());
}

IcxInnerTextEdit* TcxCustomTextEdit::InnerTextEditInterface() { return dynamic_cast<IcxInnerTextEdit*>(InnerEdit()); }

bool TcxCustomTextEdit::AllowsFreeTyping() {
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  return properties->EchoMode() == eemNormal && properties->AllowsEditing();
}

bool TcxCustomTextEdit::SupportsEditing() { return ActiveTextProperties()->TypingMode() != etmNoCaret; }

bool TcxCustomTextEdit::InnerTextShowsValue() {
  TcxEditTypingMode mode = ActiveTextProperties()->TypingMode();
  return (mode == etmFree || mode == etmLookupOnly) && !InnerControlMissing();
}

int TcxCustomTextEdit::InnerCaretCharIndex() {
  auto* inner = dynamic_cast<TcxCustomInnerTextEdit*>(InnerControl());
  return inner ? CaretCharIndex(inner) : 0;
}

bool TcxCustomTextEdit::FocusedOrReplacing() { return IsFocused() || FReplacing; }

int TcxCustomTextEdit::InnerTextHeight() {
  TWinControl* inner = InnerControl();
  TcxScreenCanvas canvas;
  canvas.AssignFont(inner ? inner->Font() : Font());
  return canvas.MeasureTextHeight("Wg");
}

bool TcxCustomTextEdit::IsKeyAcceptable(TChar Ch) {
  if (TcxCustomEdit::IsKeyAcceptable(Ch)) return true;
  return Ch < 256 && ActiveTextProperties()->ExtraKeys().test(Ch);
}

bool TcxCustomTextEdit::IsValueChangingChar(TChar Ch) { return Ch == 8 || Ch == 22 || Ch == 24 || Ch >= 32; }

bool TcxCustomTextEdit::IsValueChangingKey(WORD Key, TShiftState Shift) {
  if (TcxCustomEdit::IsValueChangingKey(Key, Shift) || Key == VK_DELETE) return true;
  if (!ActiveTextProperties()->UsesLookupItems() || !FLookupData || FLookupData->IsEmptyList() ||
      !CanNavigateItems(0))
    return false;
  if (Key == VK_PRIOR || Key == VK_NEXT) return !HasOpenPopup();
  if (Key == VK_UP || Key == VK_DOWN) return !HasOpenPopup() && !Shift.Contains(ssAlt);
  return false;
}

// ---- selection ----------------------------------------------------------------------------------------

int TcxCustomTextEdit::SelStart() {
  TcxEditTypingMode mode = ActiveTextProperties()->TypingMode();
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  if (!inner || mode == etmNoCaret || (mode == etmListOnly && !FFoundItemMark)) return 0;
  return inner->SelStart();
}

void TcxCustomTextEdit::SetSelStart(int Value) {
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  if (inner && ActiveTextProperties()->TypingMode() != etmNoCaret) inner->SetSelStart(Value);
}

int TcxCustomTextEdit::SelLength() {
  TcxEditTypingMode mode = ActiveTextProperties()->TypingMode();
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  if (!inner || mode == etmNoCaret || (mode == etmListOnly && !FFoundItemMark)) return 0;
  return inner->SelLength();
}

void TcxCustomTextEdit::SetSelLength(int Value) {
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  if (inner && ActiveTextProperties()->TypingMode() != etmNoCaret) inner->SetSelLength(Value);
}

void TcxCustomTextEdit::SetSelection(int Start, int Length) {
  SetSelStart(Start);
  SetSelLength(Length);
}

// ---- item index ---------------------------------------------------------------------------------------

int TcxCustomTextEdit::ReadItemIndex() {
  if (!FLookupData) return -1;
  return ValueToItemIndex(FLookupData->CurrentKey());
}

int TcxCustomTextEdit::ValueToItemIndex(const Variant& Value) {
  return VarIsNull(Value) || VarIsEmpty(Value) ? -1 : Value.AsInteger();
}

Variant TcxCustomTextEdit::LookupItemToValue(int Key) {
  Variant display(FLookupData ? FLookupData->DisplayTextOfKey(Key) : String());
  Variant value;
  ConvertDisplayToEditValue(display, value, ShowsEditingState());
  return value;
}

TObject* TcxCustomTextEdit::SelectedItemObject() {
  int index = ItemIndex();
  if (index < 0) return nullptr;
  TStrings* items = ActiveTextProperties()->LookupItems();
  return index < items->Count() ? items->Objects(index) : nullptr;
}

void TcxCustomTextEdit::WriteItemIndex(int Value) {
  if (!FLookupData) return;
  int before = ItemIndex();
  Bracketed([this] { LockValueChanges(true); }, [this] { LockValueChanges(false); },
            [this, Value] {
              FLookupData->SetCurrentKey(ItemIndexToValue(Value));
              Variant value = LookupItemToValue(ValueToItemIndex(FLookupData->CurrentKey()));
              if (VarEqualsLoose(value, EditValue())) return;
              // The select-item handler was refused (or had nothing to do): the value is stored here.
              Bracketed([this] { SetLookupChangeFlag(); }, [this] { ClearLookupChangeFlag(); },
                        [this, &value] { SetEditValue(value); });
            });
  if (ItemIndex() == before) return;
  SetValueChanged(false);
  Click();
}

void TcxCustomTextEdit::ApplyLookupCurrentItem(TObject*) {
  Variant value = LookupItemToValue(ValueToItemIndex(FLookupData->CurrentKey()));
  bool differs = !VarEqualsLoose(value, EditValue());
  if (differs && !RequestEditing()) return;
  Bracketed(
      [this] {
        PushModifiedState();
        SetLookupChangeFlag();
      },
      [this] {
        ClearLookupChangeFlag();
        PopModifiedState();
      },
      [this, &value] { SetEditValueChecked(value); });
  if (differs) MarkModified(true);
  SelectAllContent();
  RefreshStateAtCursor(false);
}

// ---- text and value -----------------------------------------------------------------------------------

String TcxCustomTextEdit::CurrentDisplayText() {
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  return inner ? VarToStr(inner->InnerEditValue()) : String();
}

void TcxCustomTextEdit::SetInnerEditValue(const Variant& Value) {
  if (IcxInnerTextEdit* inner = InnerTextEditInterface()) inner->SetInnerEditValue(Value);
}

bool TcxCustomTextEdit::TrySetEditingText(const String& Text) {
  Variant value(Text);
  if (!ActiveTextProperties()->AcceptsDisplayText(value, ShowsEditingState())) return false;
  if (UserAction() && !RequestEditing()) return false;
  ApplyEditValue(value);
  return true;
}

void TcxCustomTextEdit::ApplyEditValue(const Variant& Value) {
  DataBinding()->SetDisplayValue(Value);
  if (UserAction()) return;
  ClearFoundItemMark();
  RefreshValueFromDisplay();
  SetValueChanged(false);
}

void TcxCustomTextEdit::ApplyEditValueGuarded(const Variant& Value) {
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  if (properties->TypingMode() == etmFree && properties->UsesLookupItems() && FLookupData &&
      !FLookupData->ContainsText(VarToStr(Value)))
    FireNewLookupDisplayText(VarToStr(Value));
  TcxCustomEdit::ApplyEditValueGuarded(Value);
}

void TcxCustomTextEdit::FireNewLookupDisplayText(const String& Text) {
  if (auto* own = dynamic_cast<TcxCustomTextEditProperties*>(Properties()); own && own->OnNewLookupDisplayText)
    own->OnNewLookupDisplayText(this, Text);
  if (RepositoryItem())
    if (auto* item = dynamic_cast<TcxCustomTextEditProperties*>(RepositoryItem()->Properties());
        item && item->OnNewLookupDisplayText)
      item->OnNewLookupDisplayText(this, Text);
}

bool TcxCustomTextEdit::ReplaceTextByUser(const String& Text) {
  if (!RequestEditing()) return false;
  SetText(Text);
  MarkModified(true);
  return true;
}

void TcxCustomTextEdit::SetInplaceTextPosted(const String& Value, bool Post) {
  {
    TcxFlagScope replacing(FReplacing, true);
    ApplyTypedText(Value);
  }
  if (Post && !IsInPlace() && CanPostEditValue() && !IsFocused())
    Bracketed([this] { LockChangeEvents(true); }, [this] { LockChangeEvents(false); },
              [this] {
                SetEditValueQuietly(Variant(CurrentDisplayText()));
                PostEditValue(false);
              });
  MarkModified(true);
}

void TcxCustomTextEdit::UndoEditing() { RevertEditValue(); }

void TcxCustomTextEdit::RefreshDisplayText() {
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  bool editing = ShowsEditingState();
  Variant display;
  Variant value = EditValue();
  if (properties->CanValidate()) {
    if (properties->IsEditValueValid(value)) {
      properties->ConvertToEditValue(value, display, editing);
    } else if (IsFocused()) {
      display = properties->EmptyEditValue();
    } else if (VarHoldsDateTime(value)) {
      display = DateTimeToStr(value.AsDouble());
    } else {
      try {
        display = VarToStr(value);
      } catch (const EVariantError&) {
        display = String();
      }
    }
  } else {
    properties->ConvertToEditValue(value, display, editing);
  }
  Bracketed(
      [this] {
        PushModifiedState();
        FDisplayRefresh = true;
      },
      [this] {
        FDisplayRefresh = false;
        PopModifiedState();
        ClearFoundItemMark();
        RefreshDrawnValue();
      },
      [this, &display] { DataBinding()->SetDisplayValue(display); });
}

void TcxCustomTextEdit::RefreshValueFromDisplay() {
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  bool compare = properties->CanCompareEditValues();
  Variant old = EditValue();
  Variant value;
  ConvertDisplayToEditValue(Variant(CurrentDisplayText()), value, ShowsEditingState());
  SetEditValueField(value);
  DisplayValueTaken();
  FinishValueFromDisplay(compare && !VariantsEqual(value, old));
}

void TcxCustomTextEdit::FinishValueFromDisplay(bool Changed) {
  if (UserAction())
    MarkModified(true);
  else
    SetValueChanged(false);
  if (Changed) {
    NotifyEditValueChanged();
    if (!ActiveTextProperties()->HasTextChangeEvents()) NotifyChange();
  }
}

bool TcxCustomTextEdit::MustCommitText() {
  IcxEditDefaultValuesProvider* provider = DataBinding()->ProviderInterface();
  return !IsInPlace() && provider && !provider->IsDataStorage();
}

void TcxCustomTextEdit::CommitDisplayText() {
  if (!InnerControl()) return;
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  TcxEditTypingMode mode = properties->TypingMode();
  if (mode == etmLookupOnly || mode == etmListOnly) {
    if ((Modified() && !Validated()) || MustCommitText()) {
      Variant shown(CurrentDisplayText());
      if (properties->AcceptsDisplayText(shown, ShowsEditingState())) return;
      Bracketed([this] { PushModifiedState(); }, [this] { PopModifiedState(); },
                [this, properties] {
                  DataBinding()->SetDisplayValue(properties->EmptyEditValue());
                  if (!Modified()) RefreshValueFromDisplay();
                });
    } else {
      RefreshDisplayText();
    }
  } else if (!Modified()) {
    DataBinding()->RefreshEditorDisplay();
  }
}

void TcxCustomTextEdit::RefreshDrawnValue() {
  {
    std::unique_ptr<TcxCustomEditViewData> data(CreateEditViewData());
    if (auto* text = dynamic_cast<TcxCustomTextEditViewData*>(data.get()))
      text->ValueToDisplayText(Variant(CurrentDisplayText()), TextViewInfo());
  }
  if (!HandleAllocated()) return;
  RecalculateForCursor();
  FillFoundItemHighlight();
  RECT r{0, 0, Width(), Height()};
  InvalidateRect(Handle(), &r, FALSE);
}

void TcxCustomTextEdit::HandleDataChanged() {
  Bracketed([this] { LockChangeEvents(true); }, [this] { LockChangeEvents(false, true); },
            [this] {
              if (FDisplayRefresh)
                Bracketed([this] { PushModifiedState(); }, [this] { PopModifiedState(); },
                          [this] { TcxCustomEdit::HandleDataChanged(); });
              else
                TcxCustomEdit::HandleDataChanged();
              if (!TextViewInfo()->TextEditable) RefreshDrawnValue();
              TcxCustomTextEditProperties* properties = ActiveTextProperties();
              if (IsFocused() && properties->IsValueNumeric() && properties->GroupsDigits(FDisplayRefresh))
                ReformatNumberText();
              RematchTypedText();
            });
}

void TcxCustomTextEdit::RematchTypedText() {
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  if (!FLookupData || FLookupChange || properties->TypingMode() != etmFree || !properties->UsesLookupItems()) return;
  // An empty list with nothing chosen stays so whatever the text says; a long text (a memo's log)
  // is not read for it.
  if (FLookupData->IsEmptyList() && FLookupData->CurrentItemKey() == -1 && FLookupData->ListItemIndex() == -1) return;
  int key = FLookupData->CurrentItemKey();
  if (AnsiSameText(FLookupData->DisplayTextOfKey(key), CurrentDisplayText())) return;
  FLookupData->MatchTextToItem();
}

void TcxCustomTextEdit::ReformatNumberText() {
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  if (!inner) return;
  const char separator = FormatSettings.ThousandSeparator;
  String text = Text();
  // The caret stays after as many characters that are not separators as stood before it.
  int caret = inner->SelStart(), digitsBefore = 0, index = 0;
  for (Utf8Reader r(text); !r.AtEnd() && index < caret; ++index)
    if (r.Next() != static_cast<char32_t>(separator)) ++digitsBefore;
  String regrouped = TcxCustomTextEditProperties::RegroupDigits(text);
  String bare = regrouped;
  std::erase(bare, separator);
  double number = 0;
  if (!TryStrToFloat(Trim(bare), number, FormatSettings)) return;
  if (regrouped == text) return;
  SetInnerEditValue(Variant(regrouped));
  int position = 0, seen = 0;
  for (Utf8Reader r(regrouped); !r.AtEnd() && seen < digitsBefore; ++position)
    if (r.Next() != static_cast<char32_t>(separator)) ++seen;
  inner->SetSelStart(position);
}

void TcxCustomTextEdit::NotifyEditValueChanged() {
  TcxCustomEdit::NotifyEditValueChanged();
  NotifyObserverText();
}

// ---- properties ---------------------------------------------------------------------------------------

void TcxCustomTextEdit::PropertiesChangedRefresh() {
  ActiveProperties()->SignalChanged();
  RefreshDisplayText();
}

void TcxCustomTextEdit::PropertiesChanged(TObject* Sender) {
  if (!FLookupData && !IsDestroying()) {
    // Called from the base constructor, before the text editor's own steps ran.
    TcxCustomEdit::PropertiesChanged(Sender);
    return;
  }
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  if (properties->UsesLookupItems() && FLookupData) {
    FLookupData->RefreshListItems();
    if (!FLookupChange) FLookupData->MatchTextToItem();
  }
  if (InnerControl() && !InnerTextShowsValue()) RefreshDrawnValue();
  if (IcxInnerTextEdit* inner = InnerTextEditInterface()) {
    inner->SetAlignment(properties->Alignment()->Horz());
    inner->SetUseLeftAlignmentOnEditing(properties->UseLeftAlignmentOnEditing());
    if (!IsInPlace()) inner->SetAutoSelect(properties->AutoSelect());
    inner->SetCharCase(properties->CharCase());
    inner->SetEchoMode(properties->EchoMode());
    inner->SetHideSelection(properties->HideSelection());
    inner->SetImeMode(properties->ImeMode());
    inner->SetImeName(properties->ImeName());
    inner->SetMaxLength(properties->MaxLength());
    inner->SetOEMConvert(properties->OEMConvert());
    inner->SetPasswordChar(properties->PasswordChar());
    EnforceValueBounds();
    if (!IsPosting()) CommitDisplayText();
    RefreshDrawnValue();
  }
  TcxCustomEdit::PropertiesChanged(Sender);
  if (InnerControl()) InnerControl()->Invalidate();
}

void TcxCustomTextEdit::EnforceValueBounds() {
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  if (DataBinding()->HasData() && properties->IsValueNumeric() && InnerControl() && properties->HasValueBounds())
    ClampToBounds();
}

void TcxCustomTextEdit::ContainerStyleChanged(TObject* Sender) {
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  if (InnerControl() && !IsDestroying() && properties->PasswordChar() == 0 && properties->EchoMode() == eemPassword)
    if (auto* inner = dynamic_cast<TcxCustomInnerTextEdit*>(InnerControl()); inner && inner->HandleAllocated())
      inner->RecreateWnd();
  TcxCustomEdit::ContainerStyleChanged(Sender);
}

void TcxCustomTextEdit::SyncInnerEditAppearance() {
  TWinControl* inner = InnerControl();
  if (!inner || IsDestroying()) return;
  TcxCustomEditViewInfo* info = EditViewInfo();
  IcxInnerTextEdit* edit = InnerTextEditInterface();
  // The colour and font changes are not the text's: the change notification is held off.
  TNotifyEvent saved;
  if (auto* custom = dynamic_cast<TCustomEdit*>(inner)) {
    saved = custom->OnChange;
    custom->OnChange = nullptr;
  }
  inner->SetColor(info->BackgroundColor);
  inner->Font()->Assign(EffectiveFont());
  inner->Font()->SetColor(info->TextColor);
  if (auto* custom = dynamic_cast<TCustomEdit*>(inner)) custom->OnChange = saved;
  (void)edit;
}

bool TcxCustomTextEdit::ApplyState(const TPoint& Point, int Button, TShiftState Shift, bool MouseEvent) {
  bool changed = TcxCustomEdit::ApplyState(Point, Button, Shift, MouseEvent);
  if (changed) SyncInnerEditAppearance();
  return changed;
}

void TcxCustomTextEdit::ClipChildToClient(const TRect& Rect, TWinControl* Control, TcxContainerInnerControlClip& Clip) {
  if (InnerTextShowsValue()) {
    TcxCustomEdit::ClipChildToClient(Rect, Control, Clip);
    return;
  }
  // The view info paints the text: the edit box keeps the focus but shows nothing.
  Clip.NoClip = false;
  Clip.Rect = TRect();
}

void TcxCustomTextEdit::SizeConstraints(TcxEditSizeRequest& Request) {
  Request = TcxEditSizeRequest();
  Request.MaxLineCount = 1;
}

void TcxCustomTextEdit::PositionInnerControl() {
  if (FPositioningLock) return;
  TcxFlagScope lock(FPositioningLock, true);
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  if (!inner) return;
  TWinControl* control = inner->InnerControl();
  const int h = InnerTextHeight();
  TRect client = EditViewInfo()->ClientRect;
  std::unique_ptr<TcxCustomEditViewData> data(CreateEditViewData());
  const TRect m = data->ContentOffsets.Margins;
  const int clientHeight = client.Bottom - client.Top;
  int top = client.Top + m.Top;
  switch (ActiveTextProperties()->Alignment()->Vert()) {
    case taBottomJustify: top = client.Bottom - h - m.Bottom; break;
    case taVCenter: top = client.Top + m.Top + (clientHeight - h - m.Top - m.Bottom) / 2; break;
    default: break;
  }
  // Never above the top margin.
  top = std::max(top, client.Top + m.Top);
  int left = client.Left + m.Left;
  int width = client.Right - client.Left + 1 - m.Left - m.Right;
  if (control->Left() != left || control->Top() != top || control->Width() != width || control->Height() != h)
    control->SetBounds(left, top, width, h);
  TRect align = client;
  if (IsInPlace()) {
    align.Top += 1;
    align.Bottom -= 1;
  } else if (EditViewInfo()->NativeStyle && ActiveTextProperties()->TypingMode() <= etmLookupOnly) {
    align.Right -= 1;
    align.Bottom -= 1;
  }
  RECT r{align.Left, align.Top, align.Right, align.Bottom};
  AlignControls(control, r);
}

void TcxCustomTextEdit::SyncInnerScrollBars(bool KeepVisibility) {
  TcxCustomEdit::SyncInnerScrollBars(KeepVisibility);
  SyncSelectionState();
}

// ---- the inner edit's messages ------------------------------------------------------------------------

bool TcxCustomTextEdit::IsOwnWindow(HWND Wnd) {
  if (TcxCustomEdit::IsOwnWindow(Wnd)) return true;
  IcxInnerEditObserver* observer = InnerEditObserver();
  return observer && observer->ClaimsWindow(Wnd);
}

bool TcxCustomTextEdit::HandleInnerMessage(TMessage& Message) {
  HandleInnerEditMessage(Message);
  // The cut the editor itself hands to the inner edit is the window's to carry out.
  if (Message.Msg == WM_CUT && FCuttingInInner) return false;
  return TcxCustomEdit::HandleInnerMessage(Message);
}

void TcxCustomTextEdit::HandleInnerEditMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE:
    case WM_SETFONT: InnerLayoutChanged(); break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case EM_UNDO:
    case WM_UNDO: NotifyObserverSelection(); break;
    case WM_PAINT:
    case WM_CTLCOLOREDIT:
    case CN_CTLCOLOREDIT: PostDeferredNotification(); break;
    case WM_KEYUP:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: SyncSelectionState(); break;
    case WM_CXDEFERREDNOTIFY:
      if (InnerControl() && InnerControl()->HandleAllocated())
        DiscardPendingMessages(InnerControl()->Handle(), WM_CXDEFERREDNOTIFY, WM_CXDEFERREDNOTIFY, true);
      NotifyObserverDeferred();
      break;
    default: break;
  }
}

void TcxCustomTextEdit::PostDeferredNotification() {
  if (InnerControl() && InnerControl()->HandleAllocated())
    PostMessage(InnerControl()->Handle(), WM_CXDEFERREDNOTIFY, 0, 0);
}

void TcxCustomTextEdit::InnerLayoutChanged() {
  if (IcxInnerTextEdit* inner = InnerTextEditInterface()) FFirstVisiblePos = inner->FirstVisibleCharIndex();
  if (IcxInnerEditObserver* observer = InnerEditObserver()) observer->InnerEditNotified(InnerControl(), 0);
}

void TcxCustomTextEdit::NotifyObserverDeferred() {
  if (IcxInnerEditObserver* observer = InnerEditObserver()) observer->InnerEditNotified(InnerControl(), 1);
}

void TcxCustomTextEdit::NotifyObserverSelection() {
  if (IcxInnerEditObserver* observer = InnerEditObserver()) observer->InnerEditNotified(InnerControl(), 2);
}

void TcxCustomTextEdit::NotifyObserverText() {
  if (IcxInnerEditObserver* observer = InnerEditObserver()) observer->InnerEditNotified(InnerControl(), 3);
}

void TcxCustomTextEdit::SyncSelectionState() {
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  if (!inner || !inner->InnerControl()->HandleAllocated()) return;
  if (inner->FirstVisibleCharIndex() != FFirstVisiblePos) {
    InnerLayoutChanged();
    return;
  }
  int start = inner->SelStart(), length = inner->SelLength();
  if (start == FLastSelStart && length == FLastSelLength) return;
  FLastSelStart = start;
  FLastSelLength = length;
  NotifyObserverSelection();
}

void TcxCustomTextEdit::InnerWindowProc(TMessage& Message) {
  if (Message.Msg == WM_SETFOCUS) {
    IcxInnerTextEdit* inner = InnerTextEditInterface();
    if (inner && inner->AutoSelect()) SelectAllContent();
    return;
  }
  TcxCustomEdit::InnerWindowProc(Message);
}

void TcxCustomTextEdit::UnhookInnerWindowProc() {
  bool hooked = InnerWindowProcHooked();
  TcxCustomEdit::UnhookInnerWindowProc();
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  if (!hooked || !inner || !inner->InnerControl()->HandleAllocated() || IsDestroying()) return;
  bool autoSelect = inner->AutoSelect();
  inner->SetAutoSelect(false);
  SendMessage(inner->InnerControl()->Handle(), WM_SETFOCUS, 0, 0);
  inner->SetAutoSelect(autoSelect);
}

void TcxCustomTextEdit::ActivateInplace(TcxCustomEditData*& AEditData) {
  TcxCustomEdit::ActivateInplace(AEditData);
  if (!HandleAllocated()) return;
  SetSelStart(0);
  if (ActiveTextProperties()->AutoSelect()) SelectAllContent();
}

bool TcxCustomTextEdit::FocusChanged() {
  bool result = TcxCustomEdit::FocusChanged();
  if (InnerControl()) InnerControl()->Invalidate();
  return result;
}

void TcxCustomTextEdit::DoExit() {
  TcxCustomEdit::DoExit();
  SetFoundItemMark(false);
}

void TcxCustomTextEdit::KeyPress(TChar& Key) {
  if (Key == 27 && EscapeReverted() && FPendingEscape && !HasOpenPopup()) FPendingEscape = false;
  TcxCustomEdit::KeyPress(Key);
}

// ---- the editor window's messages -------------------------------------------------------------------------

void TcxCustomTextEdit::HandleGetText(TMessage& Message) {
  String text = Properties() ? CurrentText() : FSavedText;
  if (Message.Msg == WM_GETTEXTLENGTH) {
    Message.Result = static_cast<LRESULT>(text.size());
    return;
  }
  auto size = static_cast<std::size_t>(Message.WParam);
  auto* buffer = reinterpret_cast<char*>(Message.LParam);
  if (size < 1 || !buffer) {
    Message.Result = 0;
    return;
  }
  // Cut to the buffer, never inside a character.
  std::size_t length = std::min(text.size(), size - 1);
  while (length > 0 && length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  std::copy_n(text.data(), length, buffer);
  buffer[length] = '\0';
  Message.Result = static_cast<LRESULT>(length);
}

void TcxCustomTextEdit::HandleTextReplace(TMessage& Message) {
  auto* request = reinterpret_cast<const TcxTextReplaceRequest*>(Message.LParam);
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  if (!request || !inner || !inner->InnerControl()->HandleAllocated()) return;
  TcxFlagScope replacing(FReplacing, true);
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  bool hideSelection = properties->HideSelection();
  properties->SetHideSelection(true);
  try {
    inner->SetSelStart(request->SelStart);
    inner->SetSelLength(request->SelLength);
    SendMessage(inner->InnerControl()->Handle(), EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(request->Text.c_str()));
    inner->SetSelStart(request->CaretPos);
  } catch (...) {
    properties->SetHideSelection(hideSelection);
    throw;
  }
  properties->SetHideSelection(hideSelection);
}

void TcxCustomTextEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETTEXT: {
      if (FSetTextGuard) break;
      Message.Result = 0;
      TcxFlagScope guard(FSetTextGuard, true);
      const char* text = reinterpret_cast<const char*>(Message.LParam);
      Message.Result = ApplyText(text ? String(text) : String()) ? 1 : 0;
      return;
    }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: HandleGetText(Message); return;
    case WM_CLEAR:
      Bracketed([this] { SetUserAction(true); }, [this] { SetUserAction(false); },
                [this] {
                  if (!ActiveProperties()->ReadOnly() && DataBinding()->HasData()) DeleteSelectedText();
                });
      return;
    case WM_COMMAND: {
      TcxCustomEdit::Dispatch(Message);
      WORD code = HIWORD(Message.WParam);
      if (code == EN_CHANGE) NotifyObserverText();
      else if (code == EN_HSCROLL || code == EN_VSCROLL) InnerLayoutChanged();
      return;
    }
    case WM_SETFOCUS:
      if (InnerControl() && !IsInPlace() && !ControlState().Contains(csDestroyingHandle)) InnerControl()->HandleNeeded();
      break;
    case WM_CXTEXTREPLACE: HandleTextReplace(Message); break;
    default: break;
  }
  TcxCustomEdit::Dispatch(Message);
}

// ---- typing -----------------------------------------------------------------------------------------------

void TcxCustomTextEdit::SetFoundItemMark(bool Value) {
  if (!HandleAllocated() || FFoundItemMark == Value || FFoundMarkLock) return;
  FFoundItemMark = Value;
  RecalculateForCursor();
  RefreshDrawnValue();
}

void TcxCustomTextEdit::ClearFoundItemMark() {
  if (ActiveTextProperties()->UsesLookupItems()) SetFoundItemMark(false);
}

void TcxCustomTextEdit::FillFoundItemHighlight() {
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  TcxEditTypingMode mode = properties->TypingMode();
  if (mode != etmListOnly && mode != etmNoCaret) return;
  TcxCustomTextEditViewInfo* info = TextViewInfo();
  info->HighlightStart = 0;
  info->HighlightLength = 0;
  if (mode == etmNoCaret || !FFoundItemMark || !properties->FixedListSelection()) return;
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  int selStart = inner ? inner->SelStart() : 0, selLength = inner ? inner->SelLength() : 0;
  if (info->SelectionBar) {
    info->HighlightStart = 0;
    info->HighlightLength = Utf8Count(info->Text) - selLength;
    info->HighlightBkColor = clHighlightText;
    info->HighlightTextColor = clHighlight;
  } else {
    info->HighlightStart = selStart;
    info->HighlightLength = selLength;
    info->HighlightBkColor = clHighlight;
    info->HighlightTextColor = clHighlightText;
  }
  info->TextOutData.Initialized = false;
}

void TcxCustomTextEdit::NavigateItems(TcxEditLookupDirection Direction) {
  Bracketed(
      [this] {
        LockChangeEvents(true);
        FNavigating = true;
      },
      [this] {
        FNavigating = false;
        LockChangeEvents(false);
      },
      [this, Direction] {
        int before = FLookupData->CurrentItemKey();
        Bracketed([this] { LockValueChanges(true); }, [this] { LockValueChanges(false); },
                  [this, Direction] { FLookupData->GoTo(Direction, false); });
        if (FLookupData->CurrentItemKey() == before) return;
        MarkModifiedAndChange();
        if (CanPostEditValue() && ActiveProperties()->ImmediatePost() && ValidateEnteredValue(true))
          PostEditValue(false);
      });
}

void TcxCustomTextEdit::EditKeyDown(WORD& Key, TShiftState Shift) {
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  const TcxEditTypingMode mode = properties->TypingMode();
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  if (mode == etmListOnly && !IsClearOrClickKey(Key, Shift) &&
      (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_DELETE)) {
    SetFoundItemMark(false);
    FireKeyDownNotification(Key, Shift);
    Key = 0;
    return;
  }
  bool markBefore = FFoundItemMark;
  if (inner) inner->SetKeySwallowed(true);
  TcxCustomEdit::EditKeyDown(Key, Shift);
  const WORD saved = Key;
  if (Key == VK_RETURN && markBefore && FLookupData) {
    FLookupData->PickItem();
    SelectAllContent();
  }
  if (Key >= VK_PRIOR && Key <= VK_DELETE) {
    switch (Key) {
      case VK_LEFT:
      case VK_RIGHT: SetFoundItemMark(false); break;
      case VK_DELETE:
        if (mode == etmLookupOnly) {
          FireKeyDownNotification(Key, Shift);
          Key = 0;
        } else {
          SetFoundItemMark(false);
        }
        break;
      case VK_PRIOR:
      case VK_NEXT:
      case VK_END:
      case VK_HOME:
      case VK_UP:
      case VK_DOWN: {
        bool homeOrEnd = Key == VK_HOME || Key == VK_END;
        if (homeOrEnd && mode != etmListOnly) break;
        if (properties->UsesLookupItems() && FLookupData && CanNavigateItems(0) && !FLookupData->IsEmptyList()) {
          TcxEditLookupDirection direction = egdNext;
          switch (Key) {
            case VK_PRIOR: direction = Shift.Contains(ssCtrl) ? egdFirst : egdPageUp; break;
            case VK_NEXT: direction = Shift.Contains(ssCtrl) ? egdLast : egdPageDown; break;
            case VK_END: direction = egdLast; break;
            case VK_HOME: direction = egdFirst; break;
            case VK_UP: direction = egdPrior; break;
            default: direction = egdNext; break;
          }
          NavigateItems(direction);
          Key = 0;
        }
        if (homeOrEnd) break;
        // A single-line box keeps no navigation keys: only the key-down notification sees them.
        if (!(inner && inner->IsMultiLine())) {
          if (Key == 0) Key = saved;
          FireKeyDownNotification(Key, Shift);
          Key = 0;
        }
        break;
      }
      default: break;
    }
  }
  if (Key == VK_END && mode != etmListOnly && SelLength() == 0) SetFoundItemMark(false);
  if (Key != 0 && inner) inner->SetKeySwallowed(false);
}

bool TcxCustomTextEdit::ShouldSearchOnChar() {
  TcxEditTypingMode mode = ActiveTextProperties()->TypingMode();
  if (mode == etmLookupOnly || mode == etmListOnly) return true;
  int length = SelLength();
  if (length == 0 && SelStart() == Utf8Count(Text())) return true;
  return FFoundItemMark || length != 0;
}

void TcxCustomTextEdit::LocateAndApplyTypedText(const String& AText, bool& Found) {
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  const TcxEditTypingMode mode = properties->TypingMode();
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  String text = AText, tail;
  TChar pending = inner ? inner->PendingImeChar() : 0;
  if (pending) Utf8Append(text, pending);
  Found = FLookupData && FLookupData->Locate(text, tail, false);
  if (Found && pending) {
    // The pending character goes back from the text to the front of the tail.
    String moved;
    Utf8Append(moved, pending);
    text = Utf8Left(text, Utf8Count(text) - 1);
    tail = moved + tail;
  }
  SetFoundItemMark(Found);
  if (text.empty()) {
    if (mode != etmListOnly) ApplyEditValue(Variant(String()));
    SetFoundItemMark(false);
  }
  if (Found) {
    DataBinding()->SetDisplayValue(Variant(text + tail));
    SetSelStart(Utf8Count(text));
    SetSelLength(Utf8Count(tail));
  }
  RefreshDrawnValue();
}

void TcxCustomTextEdit::EditKeyPress(TChar& Key) {
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  if (inner) inner->SetKeySwallowed(true);
  TcxCustomEdit::EditKeyPress(Key);
  if (Key == 0) return;
  ClearLookupChangeFlag();
  TcxEditUserActionScope userAction(this, true);
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  const TcxEditTypingMode mode = properties->TypingMode();
  if (mode == etmListOnly && Key == 8 && !properties->FixedListSelection()) {
    SetFoundItemMark(false);
    Key = 0;
    return;
  }
  const bool lookup = properties->UsesLookupItems() && FLookupData;
  const int keyBefore = lookup ? FLookupData->CurrentItemKey() : -1;
  const bool savedMark = FFoundItemMark;
  bool handled = false;
  Bracketed([this] { LockValueChanges(true); }, [this] { LockValueChanges(false); },
            [&] {
              if (Key == 8 && lookup && properties->IncrementalSearchActive()) {
                String shown = CurrentDisplayText();
                if (mode == etmLookupOnly && !shown.empty() && !FFoundItemMark) {
                  SetSelLength(Utf8Count(shown) - SelStart());
                  SetFoundItemMark(true);
                }
                if (FFoundItemMark) {
                  int prefixLength = Utf8Count(shown) - SelLength() - 1;
                  String prefix = Utf8Left(shown, std::max(prefixLength, 0));
                  SetLookupChangeFlag();
                  LocateAndApplyTypedText(prefix, handled);
                }
                if (mode == etmListOnly) handled = true;
              } else if (Key >= 32 && lookup) {
                bool found = false;
                if (properties->IncrementalSearchActive() && ShouldSearchOnChar()) {
                  SetLookupChangeFlag();
                  String shown = CurrentDisplayText(), typed;
                  Utf8Append(typed, Key);
                  int start = SelStart(), length = SelLength();
                  String candidate;
                  bool tried = false;
                  if (length > 0) {
                    candidate = Utf8Left(shown, start) + typed;
                  } else if (mode != etmListOnly) {
                    candidate = Utf8Left(shown, start) + typed + Utf8Mid(shown, start, -1);
                  } else if (FFoundItemMark) {
                    LocateAndApplyTypedText(shown + typed, found);
                    tried = true;
                    if (!found) candidate = typed;
                  } else {
                    candidate = typed;
                  }
                  if (!found) {
                    if (!tried || !candidate.empty()) LocateAndApplyTypedText(candidate, found);
                    if (!found && mode == etmListOnly && !properties->FixedListSelection() && candidate != typed)
                      LocateAndApplyTypedText(typed, found);
                  }
                  handled = found;
                }
                if ((mode == etmLookupOnly || mode == etmListOnly) && !found) {
                  Key = 0;
                  if (mode == etmLookupOnly && !CurrentDisplayText().empty())
                    SetFoundItemMark(true);
                  else if (mode == etmListOnly && properties->FixedListSelection() && savedMark)
                    SetFoundItemMark(true);
                }
              }
            });
  if (lookup && FLookupData->CurrentItemKey() != keyBefore) MarkModifiedAndChange();
  if (handled) Key = 0;
  if (Key != 0 && inner) inner->SetKeySwallowed(false);
}

bool TcxCustomTextEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, POINT MousePos) {
  if (TcxCustomEdit::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  if (!CanNavigateItems(1) || HasOpenPopup() || !ActiveTextProperties()->UsesLookupItems() || !FLookupData ||
      FLookupData->IsEmptyList() || !AcceptsMouseWheel(Shift))
    return false;
  // One item per message, however far the wheel turned.
  if (RequestEditing()) NavigateItems(WheelDelta > 0 ? egdPrior : egdNext);
  return true;
}

bool TcxCustomTextEdit::ComposeTypedText(const String& Fragment, String& NewText, int& Caret) {
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  const TcxEditTypingMode mode = properties->TypingMode();
  NewText.clear();
  if (UserAction() && mode == etmNoCaret) return false;
  if (mode == etmListOnly || mode == etmNoCaret) SelectAllContent();
  const String text = Text();
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  const int selStart = inner ? inner->SelStart() : 0, selLength = inner ? inner->SelLength() : 0;
  const int maxLength = properties->MaxLength();
  if (UserAction() && (mode == etmFree || mode == etmNoCaret) && maxLength > 0) {
    String head = Utf8Left(Utf8Left(text, selStart) + Fragment, maxLength);
    Caret = Utf8Count(head);
    if (Caret < selStart) return false;
    NewText = Utf8Left(head + Utf8Mid(text, selStart + selLength, -1), maxLength);
  } else {
    NewText = mode == etmListOnly ? Fragment : Utf8Left(text, selStart) + Fragment + Utf8Mid(text, selStart + selLength, -1);
    Caret = selStart + Utf8Count(Fragment);
  }
  Variant value(NewText);
  if (!properties->AcceptsDisplayText(value, ShowsEditingState())) return false;
  if (UserAction() && !RequestEditing()) return false;
  NewText = VarToStr(value);
  return true;
}

void TcxCustomTextEdit::ApplyTypedText(const String& Fragment) {
  TcxEditUserActionScope userAction(this, FocusedOrReplacing());
  String text;
  int caret = 0;
  if (!ComposeTypedText(Fragment, text, caret)) return;
  ApplyEditValue(Variant(text));
  SetSelStart(caret);
}

void TcxCustomTextEdit::DeleteSelectedText() {
  if (SelLength() == 0) return;
  TcxEditUserActionScope userAction(this, FocusedOrReplacing());
  String text = Text();
  int start = SelStart(), length = SelLength();
  if (TrySetEditingText(Utf8Left(text, start) + Utf8Mid(text, start + length, -1))) SetSelStart(start);
}

void TcxCustomTextEdit::CopySelectedText() {
  TcxEditTypingMode mode = ActiveTextProperties()->TypingMode();
  if (mode == etmListOnly || mode == etmNoCaret) SelectAllContent();
  if (SelLength() > 0)
    if (IcxInnerTextEdit* inner = InnerTextEditInterface()) inner->CopyToClipboard();
}

void TcxCustomTextEdit::CutSelectedText() {
  if (SelLength() <= 0) return;
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  if (!inner) return;
  if (IsFocused()) {
    String text;
    int caret = 0;
    bool composed = false;
    {
      TcxEditUserActionScope userAction(this, true);
      composed = ComposeTypedText(String(), text, caret);
    }
    if (composed) {
      TcxFlagScope cutting(FCuttingInInner, true);
      SendMessage(inner->InnerControl()->Handle(), WM_CUT, 0, 0);
    }
  } else {
    inner->CopyToClipboard();
    ApplyTypedText(String());
  }
}

void TcxCustomTextEdit::PasteText() {
  if (!IsClipboardFormatAvailable(CF_TEXT)) return;
  String clip;
  if (!ClipboardText(HandleAllocated() ? Handle() : nullptr, clip)) return;
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  if (!inner) return;
  if (IsFocused()) {
    String text;
    int caret = 0;
    bool composed = false;
    {
      TcxEditUserActionScope userAction(this, true);
      composed = ComposeTypedText(clip, text, caret);
    }
    if (!composed) return;
    // The edit box would paste the whole clipboard: the composed text goes in instead.
    TcxEditUserActionScope userAction(this, true);
    ApplyEditValue(Variant(text));
    SetSelStart(caret);
  } else {
    ApplyTypedText(clip);
  }
}

void TcxCustomTextEdit::SelectAllContent() {
  IcxInnerTextEdit* inner = InnerTextEditInterface();
  if (inner && inner->InnerControl()->HandleAllocated()) inner->SelectAll();
}

void TcxCustomTextEdit::CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error) {
  TcxCustomTextEditProperties* properties = ActiveTextProperties();
  if (properties->CanValidate() && properties->TypingMode() == etmFree && properties->UsesLookupItems() &&
      FFoundItemMark && FLookupData) {
    String item = FLookupData->DisplayTextOfKey(FLookupData->CurrentItemKey());
    if (!item.empty() && AnsiSameText(item, VarToStr(DisplayValue))) DisplayValue = item;
  }
  TcxCustomEdit::CheckDisplayValue(DisplayValue, ErrorText, Error);
}

// ---- TcxTextEdit --------------------------------------------------------------------------------------

TcxTextEdit::TcxTextEdit(TComponent* AOwner)
    : TcxCustomTextEdit(AOwner, TcxCustomEditClasses{TcxTextEditProperties::StaticClass(),
                                                     TcxCustomInnerTextEdit::StaticClass(),
                                                     EditDataBindingClassOf<TcxEditDataBinding>()}) {}

void TcxTextEdit::DeclareProperties(TPropTable& t) {
  using E = TcxTextEdit;
  DeclarePublishedTextEditor<E>(t);
}

// ---- TcxFilterTextEditHelper ------------------------------------------------------------------------------

void TcxFilterTextEditHelper::PrepareFilterProperties(TcxCustomEditProperties* Properties,
                                                      TcxCustomEditProperties* SourceProperties,
                                                      bool KeepButtons) const {
  TcxCustomFilterEditHelper::PrepareFilterProperties(Properties, SourceProperties, KeepButtons);
  auto* text = dynamic_cast<TcxCustomTextEditProperties*>(Properties);
  if (!text) return;
  text->SetAutoSelect(true);
  text->SetHideSelection(true);
  text->SetViewStyle(0);
}

void TcxFilterTextEditHelper::ApplyFilterValue(TcxCustomEdit* Edit, TcxCustomEditProperties*,
                                               const Variant& Value) const {
  Edit->SetEditValue(Value);
}

// ---- registration ---------------------------------------------------------------------------------------

void TextEditUnitStartup() {
  if (gUnitStarts++ > 0) return;
  EditPropertiesClassRegistry()->AddClass(TcxTextEditProperties::StaticClass(),
                                          GetLocalizedResString(cxLibraryStrings::scxSEditRepositoryTextItem));
  FilterEditsControllerInstance()->AddHelper(TcxTextEditProperties::StaticClass(),
                                             FilterEditHelperClass<TcxFilterTextEditHelper>());
}

void TextEditUnitShutdown() {
  if (gUnitStarts == 0 || --gUnitStarts > 0) return;
  FilterEditsControllerInstance()->RemoveHelper(TcxTextEditProperties::StaticClass(),
                                                FilterEditHelperClass<TcxFilterTextEditHelper>());
}

namespace {
// Form descriptions create text editors by class name.
const bool kRegistered = [] {
  RegisterClassesOf<TcxTextEdit>();
  return true;
}();
}  // namespace
