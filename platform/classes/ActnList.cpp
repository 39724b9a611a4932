#include "platform/classes/ActnList.h"

#include <algorithm>

#include "platform/classes/Filer.h"

namespace {

TActionHook g_executeHook = nullptr;
TActionHook g_updateHook = nullptr;

}  // namespace

void SetActionExecuteHook(TActionHook Hook) { g_executeHook = Hook; }
void SetActionUpdateHook(TActionHook Hook) { g_updateHook = Hook; }

// ---- TBasicActionLink -----------------------------------------------------------------------

TBasicActionLink::TBasicActionLink(TObject* AClient) { AssignClient(AClient); }

TBasicActionLink::~TBasicActionLink() {
  if (FAction) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (Value == FAction) return;
  if (FAction) FAction->UnRegisterChanges(this);
  FAction = Value;
  if (FAction) FAction->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent* AComponent) {
  if (!FAction) return false;
  FAction->SetActionComponent(AComponent);
  bool result = false;
  try {
    result = FAction->Execute();
  } catch (...) {
    // A handler that frees the action clears FAction through the action's destructor.
    if (FAction) FAction->SetActionComponent(nullptr);
    throw;
  }
  if (FAction) FAction->SetActionComponent(nullptr);
  return result;
}

bool TBasicActionLink::Update() { return FAction && FAction->Update(); }

void TBasicActionLink::Change() {
  if (OnChange) OnChange(FAction);
}

// ---- TBasicAction -------------------------------------------------------------------------------

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
  // Clients let go of the action; each link's SetAction(nullptr) takes itself out of the list.
  while (!FClients.empty()) {
    TBasicActionLink* link = FClients.back();
    FClients.pop_back();
    link->FAction = nullptr;
    link->Change();
  }
  if (FActionComponent) FActionComponent->RemoveFreeNotification(this);
}

void TBasicAction::DeclareProperties(TPropTable& t) {
  t.Add("OnExecute", &TBasicAction::OnExecute, &TBasicAction::SetOnExecute);
  t.Add("OnUpdate", &TBasicAction::OnUpdate);
}

bool TBasicAction::Execute() {
  if (!FOnExecute) return false;
  auto handler = FOnExecute;
  handler(this);
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate) return false;
  auto handler = OnUpdate;
  handler(this);
  return true;
}

void TBasicAction::SetActionComponent(TComponent* Value) {
  if (Value == FActionComponent) return;
  if (FActionComponent) FActionComponent->RemoveFreeNotification(this);
  FActionComponent = Value;
  if (FActionComponent) FActionComponent->FreeNotification(this);
}

void TBasicAction::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FActionComponent) FActionComponent = nullptr;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Value) {
  if (std::find(FClients.begin(), FClients.end(), Value) == FClients.end()) FClients.push_back(Value);
  Value->FAction = this;
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Value) {
  auto it = std::find(FClients.begin(), FClients.end(), Value);
  if (it == FClients.end()) return;
  FClients.erase(it);
  Value->FAction = nullptr;
}

void TBasicAction::SetOnExecute(TNotifyEvent Value) {
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(FClients)) link->SetOnExecute(Value);
  FOnExecute = std::move(Value);
  ++FOnExecuteVersion;
  // A name read from a form is recorded after this; a handler given in code has none.
  SetEventHandlerName("OnExecute", String());
  Change();
}

void TBasicAction::Change() {
  if (OnChange) OnChange(this);
}

// ---- TContainedAction ------------------------------------------------------------------------

TContainedAction::~TContainedAction() {
  if (FActionList) FActionList->RemoveAction(this);
}

void TContainedAction::DeclareProperties(TPropTable& t) {
  t.Add("Category", &TContainedAction::Category, &TContainedAction::SetCategory);
}

void TContainedAction::SetActionList(TCustomActionList* Value) {
  if (Value == FActionList) return;
  if (FActionList) FActionList->RemoveAction(this);
  if (Value) Value->AddAction(this);
}

void TContainedAction::SetCategory(const String& Value) {
  if (Value == FCategory) return;
  FCategory = Value;
  if (FActionList && FActionList->OnChange) FActionList->OnChange(FActionList);
}

int TContainedAction::Index() const { return FActionList ? FActionList->IndexOfAction(this) : -1; }

void TContainedAction::SetIndex(int Value) {
  if (!FActionList) return;
  auto& list = FActionList->FActions;
  int cur = Index();
  Value = std::clamp(Value, 0, static_cast<int>(list.size()) - 1);
  if (cur < 0 || cur == Value) return;
  list.erase(list.begin() + cur);
  list.insert(list.begin() + Value, this);
}

bool TContainedAction::Execute() {
  if (FActionList && FActionList->ExecuteAction(this)) return true;
  if (g_executeHook && g_executeHook(this)) return true;
  return TBasicAction::Execute();
}

bool TContainedAction::Update() {
  if (FActionList && FActionList->UpdateAction(this)) return true;
  if (g_updateHook && g_updateHook(this)) return true;
  return TBasicAction::Update();
}

void TContainedAction::ReadState(TReader* Reader) {
  if (auto* list = dynamic_cast<TCustomActionList*>(Reader->Parent())) SetActionList(list);
  TBasicAction::ReadState(Reader);
}

TComponent* TContainedAction::GetParentComponent() { return FActionList; }

void TContainedAction::SetParentComponent(TComponent* AParent) {
  if (auto* list = dynamic_cast<TCustomActionList*>(AParent)) SetActionList(list);
}

// ---- TCustomAction ---------------------------------------------------------------------------

TCustomAction::TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

void TCustomAction::DeclareProperties(TPropTable& t) {
  t.Add("AutoCheck", &TCustomAction::AutoCheck, &TCustomAction::SetAutoCheck).SetDefault(false);
  t.Add("Caption", &TCustomAction::Caption, &TCustomAction::SetCaption);
  t.Add("Checked", &TCustomAction::Checked, &TCustomAction::SetChecked).SetDefault(false);
  t.Add("Enabled", &TCustomAction::Enabled, &TCustomAction::SetEnabled).SetDefault(true);
  t.Add("GroupIndex", &TCustomAction::GroupIndex, &TCustomAction::SetGroupIndex).SetDefault(0);
  t.Add("HelpContext", &TCustomAction::HelpContext, &TCustomAction::SetHelpContext).SetDefault(0);
  t.Add("Hint", &TCustomAction::Hint, &TCustomAction::SetHint);
  t.Add("ImageIndex", &TCustomAction::ImageIndex, &TCustomAction::SetImageIndex).SetDefault(-1);
  t.Add("ShortCut", &TCustomAction::ShortCut, &TCustomAction::SetShortCut).SetDefault(0);
  t.Add("Visible", &TCustomAction::Visible, &TCustomAction::SetVisible).SetDefault(true);
}

template <class F>
void TCustomAction::ForEachLink(F f) {
  // A client may drop its link while hearing of a change.
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(FClients))
    if (std::find(FClients.begin(), FClients.end(), link) != FClients.end())
      if (auto* al = dynamic_cast<TActionLink*>(link)) f(al);
}

bool TCustomAction::Execute() {
  if (FActionList && FActionList->State() != asNormal) return false;
  Update();
  if (!FEnabled) return false;
  if (FAutoCheck) SetChecked(!FChecked);
  return TContainedAction::Execute();
}

bool TCustomAction::DoHint(String& HintStr) {
  bool canShow = true;
  if (OnHint) OnHint(HintStr, canShow);
  return canShow;
}

bool TCustomAction::Update() {
  bool handled = TContainedAction::Update();
  if (!handled && FDisableIfNoHandler) SetEnabled(static_cast<bool>(FOnExecute));
  return handled;
}

void TCustomAction::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  ForEachLink([&](TActionLink* l) { l->SetCaption(Value); });
  FCaption = Value;
  Change();
}

void TCustomAction::SetChecked(bool Value) {
  if (Value == FChecked || FChecking) return;
  FChecking = true;
  struct Done {
    bool& f;
    ~Done() { f = false; }
  } done{FChecking};
  ForEachLink([&](TActionLink* l) { l->SetChecked(Value); });
  FChecked = Value;
  // Checking one action of a group unchecks the others of its list.
  if (Value && FGroupIndex > 0 && FActionList) {
    for (int i = 0; i < FActionList->ActionCount(); ++i) {
      auto* other = dynamic_cast<TCustomAction*>(FActionList->Actions(i));
      if (other && other != this && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
    }
  }
  Change();
}

void TCustomAction::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  if (FActionList && FActionList->State() == asSuspended) {
    FEnabled = Value;
    Change();
    return;
  }
  ForEachLink([&](TActionLink* l) { l->SetEnabled(Value); });
  FEnabled = Value;
  Change();
}

void TCustomAction::SetVisible(bool Value) {
  if (Value == FVisible) return;
  ForEachLink([&](TActionLink* l) { l->SetVisible(Value); });
  FVisible = Value;
  Change();
}

void TCustomAction::SetHint(const String& Value) {
  if (Value == FHint) return;
  ForEachLink([&](TActionLink* l) { l->SetHint(Value); });
  FHint = Value;
  Change();
}

void TCustomAction::SetImageIndex(TImageIndex Value) {
  if (Value == FImageIndex) return;
  ForEachLink([&](TActionLink* l) { l->SetImageIndex(Value); });
  FImageIndex = Value;
  Change();
}

void TCustomAction::SetShortCut(TShortCut Value) {
  if (Value == FShortCut) return;
  ForEachLink([&](TActionLink* l) { l->SetShortCut(Value); });
  FShortCut = Value;
  Change();
}

void TCustomAction::SetHelpContext(int Value) {
  if (Value == FHelpContext) return;
  ForEachLink([&](TActionLink* l) { l->SetHelpContext(Value); });
  FHelpContext = Value;
  Change();
}

void TCustomAction::SetAutoCheck(bool Value) {
  if (Value == FAutoCheck) return;
  ForEachLink([&](TActionLink* l) { l->SetAutoCheck(Value); });
  FAutoCheck = Value;
  Change();
}

void TCustomAction::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  ForEachLink([&](TActionLink* l) { l->SetGroupIndex(Value); });
  Change();
}

// ---- TActionLink -----------------------------------------------------------------------------

TCustomAction* TActionLink::CustomAction() const { return dynamic_cast<TCustomAction*>(FAction); }

bool TActionLink::IsCaptionLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsCheckedLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsEnabledLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsGroupIndexLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsHelpContextLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsHintLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsImageIndexLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsShortCutLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsVisibleLinked() { return CustomAction() != nullptr; }
bool TActionLink::IsAutoCheckLinked() { return CustomAction() != nullptr; }

// ---- TCustomActionList ---------------------------------------------------------------------------

TCustomActionList::TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomActionList::~TCustomActionList() {
  SetImages(nullptr);
  for (TContainedAction* a : FActions) a->FActionList = nullptr;
  FActions.clear();
}

void TCustomActionList::DeclareProperties(TPropTable& t) {
  t.Add("Images", &TCustomActionList::Images, &TCustomActionList::SetImages);
  t.Add("State", &TCustomActionList::State, &TCustomActionList::SetState).SetDefault(asNormal);
  t.Add("OnChange", &TCustomActionList::OnChange);
  t.Add("OnExecute", &TCustomActionList::OnExecute);
  t.Add("OnUpdate", &TCustomActionList::OnUpdate);
}

TContainedAction* TCustomActionList::Actions(int Index) const {
  if (Index < 0 || Index >= ActionCount()) throw EListError(Format(SListIndexError, {Index}));
  return FActions[static_cast<std::size_t>(Index)];
}

int TCustomActionList::IndexOfAction(const TContainedAction* Action) const {
  auto it = std::find(FActions.begin(), FActions.end(), Action);
  return it == FActions.end() ? -1 : static_cast<int>(it - FActions.begin());
}

void TCustomActionList::AddAction(TContainedAction* Action) {
  FActions.push_back(Action);
  Action->FActionList = this;
  Action->FreeNotification(this);
}

void TCustomActionList::RemoveAction(TContainedAction* Action) {
  auto it = std::find(FActions.begin(), FActions.end(), Action);
  if (it != FActions.end()) FActions.erase(it);
  if (Action->FActionList == this) Action->FActionList = nullptr;
}

void TCustomActionList::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (auto* a = dynamic_cast<TContainedAction*>(AComponent)) RemoveAction(a);
}

void TCustomActionList::SetChildOrder(TComponent* Component, int Order) {
  if (auto* a = dynamic_cast<TContainedAction*>(Component); a && a->FActionList == this) a->SetIndex(Order);
}

void TCustomActionList::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TContainedAction* a : std::vector<TContainedAction*>(FActions))
    if (a->Owner() == Root) Proc(a);
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action) {
  bool handled = false;
  if (OnExecute) OnExecute(Action, handled);
  return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action) {
  bool handled = false;
  if (OnUpdate) OnUpdate(Action, handled);
  return handled;
}

bool TCustomActionList::IsShortCut(TShortCut ShortCut) {
  if (ShortCut == 0 || FState != asNormal) return false;
  for (TContainedAction* a : std::vector<TContainedAction*>(FActions)) {
    auto* ca = dynamic_cast<TCustomAction*>(a);
    if (!ca || ca->ShortCut() != ShortCut) continue;
    ca->Update();
    return ca->Enabled() && ca->Execute();
  }
  return false;
}

void TCustomActionList::SetImages(TComponent* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
}

void TCustomActionList::SetState(TActionListState Value) { FState = Value; }

namespace {

// Form descriptions name these classes; the reader finds them here.
const bool kRegistered = [] {
  RegisterClassesOf<TActionList, TAction, THintAction>();
  return true;
}();

}  // namespace
