#include "ui/bars/BarDesignController.h"

#include <algorithm>
#include <memory>

#include "platform/classes/Lists.h"
#include "platform/classes/TypInfo.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Window.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarEditItems.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/Component.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

namespace {

// A command's tag: the action in the high word, the entry's value in the low word.
constexpr std::intptr_t CommandTag(int AAction, int AValue) { return (AAction << 16) | (AValue & 0xFFFF); }
int TagAction(std::intptr_t ATag) { return static_cast<int>((ATag >> 16) & 0xFFFF); }
int TagValue(std::intptr_t ATag) { return static_cast<int>(ATag & 0xFF); }

// Not among the replaceable strings.
constexpr const char* kSeveralLinksQuestion =
    "One of the selected objects is an item which has several links. Are you sure you want to delete these links?";

bool Offers(TdxBarCustomizationActions AActions, int AAction) { return (AActions & dxBarCustomizationAction(AAction)) != 0; }

// "Group" and "Ungroup" follow the three positions in the button-group sub-menu.
constexpr int kButtonGroupGroup = 3, kButtonGroupUngroup = 4;
// The view-levels sub-menu: 0..3 one level only, 4..7 one level toggled, 8 all.
constexpr int kViewLevelToggle = 4, kViewLevelAll = 8;

template <class T>
std::unique_ptr<T> NewOfClass(TClass AClass) {
  if (!AClass || !AClass->CanCreate()) return nullptr;
  return std::unique_ptr<T>(dynamic_cast<T*>(AClass->Create()));
}

TdxBarButton* AsCheckCommand(TdxBarItemLink* ALink, bool ADown) {
  auto* button = ALink ? dynamic_cast<TdxBarButton*>(ALink->Item()) : nullptr;
  if (!button) return nullptr;
  button->SetButtonStyle(bsChecked);
  button->SetDown(ADown);
  return button;
}

TdxBarItemViewLevels AllViewLevels() {
  return {ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly};
}

// Whether the entry of the view-levels sub-menu is down for the levels.
bool ViewLevelEntryDown(int AValue, const TdxBarItemViewLevels& ALevels) {
  if (AValue < kViewLevelToggle) return ALevels == TdxBarItemViewLevels{static_cast<TdxBarItemViewLevel>(AValue)};
  if (AValue < kViewLevelAll) return ALevels.Contains(static_cast<TdxBarItemViewLevel>(AValue - kViewLevelToggle));
  return ALevels == AllViewLevels();
}

bool WindowAcceptsInput(TdxBarManager* AManager) {
  auto* owner = AManager ? dynamic_cast<TWinControl*>(AManager->Owner()) : nullptr;
  return owner && owner->HandleAllocated() && IsWindowEnabled(owner->Handle());
}

}  // namespace

// ---- control editors -----------------------------------------------------------------------------

void TdxBarControlEditor::AddCommand(TdxBarItemLinks* ALinks, bool ABeginGroup) {
  TdxBarDesignController* controller = BarDesignController();
  if (!controller) return;
  TdxBarItemLink* link = controller->AddCommandItem(ALinks, CommandItemClass(), ABeginGroup, nullptr, nullptr, CommandCaption());
  if (link) InitCommand(link);
}

void TdxBarSingleItemEditor::InitCommand(TdxBarItemLink* ALink) {
  TdxBarDesignController* controller = BarDesignController();
  TdxBarItem* command = ALink->Item();
  TClass editor = ClassType();
  command->SetOnClick([editor](TObject* Sender) {
    if (TdxBarDesignController* c = BarDesignController()) c->RunEditorCommand(editor, dynamic_cast<TdxBarItem*>(Sender));
  });
  command->SetEnabled(controller && controller->EditableInDesigner());
}

TClass TdxBarSingleItemEditor::CommandItemClass() const { return TdxBarButton::StaticClass(); }

TClass TdxAddSubItemEditor::ItemClassFor(const String&) const { return TdxBarSubItem::StaticClass(); }
String TdxAddSubItemEditor::CommandCaption() const { return cxGetResourceString(dxBarStrs::dxSBAR_CP_ADDSUBITEM); }
TClass TdxAddButtonEditor::ItemClassFor(const String&) const { return TdxBarButton::StaticClass(); }
String TdxAddButtonEditor::CommandCaption() const { return cxGetResourceString(dxBarStrs::dxSBAR_CP_ADDBUTTON); }
TClass TdxAddLargeButtonEditor::ItemClassFor(const String&) const { return TdxBarLargeButton::StaticClass(); }
String TdxAddLargeButtonEditor::CommandCaption() const {
  return cxGetResourceString(dxBarStrs::dxSBAR_CP_ADDLARGEBUTTON);
}
TClass TdxAddSeparatorEditor::ItemClassFor(const String&) const { return TdxBarSeparator::StaticClass(); }
String TdxAddSeparatorEditor::CommandCaption() const { return cxGetResourceString(dxBarStrs::dxSBAR_CP_ADDSEPARATOR); }

TClass TdxItemsEditorEx::ItemClassFor(const String& ACaption) const {
  TClass found = FindClass(ACaption);
  return found && found->InheritsFrom(TdxBarItem::StaticClass()) ? found : nullptr;
}

String TdxItemsEditorEx::CommandCaption() const { return cxGetResourceString(dxBarStrs::dxSBAR_CP_ADDDXITEM); }

TClass TdxItemsEditorEx::CommandItemClass() const { return TdxBarSubItem::StaticClass(); }

void TdxItemsEditorEx::InitCommand(TdxBarItemLink* ALink) {
  TdxBarDesignController* controller = BarDesignController();
  auto* command = dynamic_cast<TCustomdxBarSubItem*>(ALink->Item());
  if (!command) return;
  const bool enabled = controller && controller->EditableInDesigner();
  command->SetEnabled(enabled);
  command->SetInternal(true);
  TdxBarItemLinks* links = command->ItemLinks();
  if (!enabled || !links) return;
  links->BeginUpdate();
  try {
    FillClassMenu(links);
  } catch (...) {
    links->EndUpdate();
    throw;
  }
  links->EndUpdate();
}

void TdxItemsEditorEx::FillClassMenu(TdxBarItemLinks* ALinks) {
  TdxBarDesignController* controller = BarDesignController();
  TdxBarItemList* classes = BarItemClasses();
  if (!controller || !classes) return;
  TClass editor = ClassType();
  for (int i = 0; i < classes->ListedCount(); ++i)
    if (TClass itemClass = classes->ListedItemClass(i))
      controller->AddCommandItem(
          ALinks, TdxBarButton::StaticClass(), false, nullptr,
          [editor](TObject* Sender) {
            if (TdxBarDesignController* c = BarDesignController()) c->RunEditorCommand(editor, dynamic_cast<TdxBarItem*>(Sender));
          },
          itemClass->ClassName());
}

// ---- design helpers ------------------------------------------------------------------------------

void TCustomdxBarControlDesignHelper::GetEditors(std::vector<TClass>& AList) const {
  if (TdxBarDesignController* controller = BarDesignController())
    for (int i = 0; i < controller->ControlEditorCount(); ++i) AList.push_back(controller->ControlEditors(i));
}

void TdxBarSubMenuControlDesignHelper::GetEditors(std::vector<TClass>& AList) const {
  TCustomdxBarControlDesignHelper::GetEditors(AList);
  AList.push_back(TdxAddSeparatorEditor::StaticClass());
}

// ---- the controller ------------------------------------------------------------------------------

TdxBarDesignController::TdxBarDesignController()
    : FFreeNotificator(new TcxFreeNotificator(nullptr)), FInternalItems(new TComponentList(true)) {
  FFreeNotificator->OnFreeNotification = [this](TComponent* AComponent) { ComponentFreed(AComponent); };
}

TdxBarDesignController::~TdxBarDesignController() {
  if (FCustomizingPopup) FCustomizingPopup->OnDestroying = nullptr;
  FreeObjectLinkAndNil(FCustomizingBarControl);
  FreeObjectLinkAndNil(FQuickControl);
  FreeObjectLinkAndNil(FQuickCustomizedBar);
  delete FInternalItems;
  FFreeNotificator->OnFreeNotification = nullptr;
  delete FFreeNotificator;
}

void TdxBarDesignController::RegisterDesignHelper(TClass BarControlClass, TClass HelperClass) {
  FDesignHelpers.InsertPair(BarControlClass, HelperClass);
}

void TdxBarDesignController::UnregisterDesignHelper(TClass BarControlClass, TClass HelperClass) {
  FDesignHelpers.DropPairs(BarControlClass, HelperClass);
}

void TdxBarDesignController::RegisterControlEditor(TClass EditorClass) { FControlEditors.push_back(EditorClass); }

// ---- lifetimes -----------------------------------------------------------------------------------

void TdxBarDesignController::ComponentFreed(TComponent* AComponent) {
  if (AComponent == FCustomizingManager) {
    // Whatever the popups were opened for went with the manager's form.
    FCustomizingManager = nullptr;
    SetCustomizingBarControl(nullptr);
    CustomizingItemLink = nullptr;
    FCustomizingLinks = nullptr;
  }
  if (AComponent && AComponent == LastSelectedObject) LastSelectedObject = nullptr;
}

void TdxBarDesignController::SetCustomizingManager(TdxBarManager* AManager) {
  if (AManager == FCustomizingManager) return;
  if (FCustomizingManager && FCustomizingManager != LastSelectedObject)
    FFreeNotificator->UnwatchComponent(FCustomizingManager);
  FCustomizingManager = AManager;
  FFreeNotificator->WatchComponent(AManager);
}

void TdxBarDesignController::SetCustomizingBarControl(TCustomdxBarControl* ABarControl) {
  FreeObjectLinkAndNil(FCustomizingBarControl);
  FCustomizingBarControl = CreateObjectLink(ABarControl);
}

TCustomdxBarControl* TdxBarDesignController::CustomizingBarControl() const {
  return static_cast<TCustomdxBarControl*>(LinkedObjectOf(FCustomizingBarControl));
}

TdxBarItemLink* TdxBarDesignController::CustomizedLink() const {
  return dynamic_cast<TdxBarItemLink*>(CustomizingItemLink);
}

void TdxBarDesignController::LinksDestroying(TdxBarItemLinks* ALinks) {
  if (ALinks && ALinks == FCustomizingLinks) FCustomizingLinks = nullptr;
}

void TdxBarDesignController::LinkDestroying(TdxBarItemLink* ALink) {
  if (!ALink) return;
  if (LastSelectedObject == ALink) LastSelectedObject = nullptr;
  if (CustomizingItemLink == ALink) CustomizingItemLink = nullptr;
}

// ---- selection -----------------------------------------------------------------------------------

void TdxBarDesignController::SelectPersistent(TdxBarManager* AManager, TPersistent* AObject, int AOperation) {
  if (IdxBarSelectableItem* item = BarSelectableItemOf(AObject)) {
    SelectSelectable(item, AOperation);
    return;
  }
  if (TdxBarManager* manager = AManager ? AManager : FCustomizingManager) manager->SelectComponent(AObject, AOperation);
}

void TdxBarDesignController::SelectSelectable(IdxBarSelectableItem* AItem, int AOperation) {
  if (!AItem) return;
  AItem->SelectInDesigner(AOperation);
  if (AOperation == 1)
    CheckLastSelected();
  else if (AOperation == 0 || AOperation == 2)
    SetLastSelected(AItem);
}

void TdxBarDesignController::GetSelectableSelection(TdxBarManager* AManager, TList* AList) {
  if (!AManager) return;
  AManager->GetSelection(AList);
  RemoveNonSelectable(AList);
}

bool TdxBarDesignController::SelectionHasSeveralLinks(TdxBarManager* AManager) {
  TList selection;
  GetSelectableSelection(AManager, &selection);
  for (int i = 0; i < selection.Count(); ++i)
    if (BarSelectableItemOf(static_cast<TPersistent*>(selection.Items(i)))->HasSeveralLinks()) return true;
  return false;
}

bool TdxBarDesignController::SelectionIsSingle(TdxBarManager* AManager) {
  TList selection;
  GetSelectableSelection(AManager, &selection);
  return selection.Count() == 1;
}

void TdxBarDesignController::SetLastSelected(IdxBarSelectableItem* AItem) {
  TObject* object = SelectableItemInstance(AItem);
  if (object == LastSelectedObject) return;
  IdxBarSelectableItem* previous = LastSelected();
  if (auto* component = dynamic_cast<TComponent*>(LastSelectedObject); component && component != FCustomizingManager)
    FFreeNotificator->UnwatchComponent(component);
  LastSelectedObject = object;
  FFreeNotificator->WatchComponent(dynamic_cast<TComponent*>(object));
  if (previous) previous->RepaintSelection();
  if (AItem) AItem->RepaintSelection();
}

void TdxBarDesignController::CheckLastSelected() {
  IdxBarSelectableItem* last = LastSelected();
  if (last && (!last->IsSelectedInDesigner() || !AppActive)) SetLastSelected(nullptr);
}

void TdxBarDesignController::ReselectLastSelected() {
  CheckLastSelected();
  if (IdxBarSelectableItem* last = LastSelected()) last->RepaintSelection();
}

void TdxBarDesignController::ForgetSelection(IdxBarSelectableItem* AItem) {
  if (AItem && IsLastSelected(AItem)) SetLastSelected(nullptr);
}

bool TdxBarDesignController::IsLastSelected(IdxBarSelectableItem* AItem) const {
  return AItem && LastSelectedObject && SelectableItemInstance(AItem) == LastSelectedObject;
}

bool TdxBarDesignController::IsCustomizedLink(IdxBarSelectableItem* AItem) const {
  return AItem && HasCustomizingPopup() && CustomizingItemLink && SelectableItemInstance(AItem) == CustomizingItemLink;
}

bool TdxBarDesignController::HasCustomizedLink() const { return HasCustomizingPopup() && CustomizingItemLink; }

bool TdxBarDesignController::ShowsDesignSelection(IdxBarSelectableItem* AItem) {
  if (!AItem) return false;
  TdxBarManager* manager = AItem->OwningManager();
  if (!manager || !manager->IsDesigning()) return IsLastSelected(AItem);
  if (!SelectionIsSingle(manager)) return false;
  if (SelectionHasSeveralLinks(manager)) return IsCustomizedLink(AItem);
  return true;
}

// ---- deletion and keys ---------------------------------------------------------------------------

TdxBarManager* TdxBarDesignController::SelectionManager() {
  if (IdxBarSelectableItem* last = LastSelected())
    if (TdxBarManager* manager = last->OwningManager()) return manager;
  if (!BarManagers) return nullptr;
  for (int i = 0; i < BarManagers->Count(); ++i) {
    auto* manager = static_cast<TdxBarManager*>(BarManagers->Items(i));
    TList selection;
    manager->GetSelection(&selection);
    if (selection.Count() > 0) return manager;
  }
  return nullptr;
}

bool TdxBarDesignController::HasDeletableSelection() {
  TdxBarManager* manager = SelectionManager();
  if (!manager) return false;
  if (!manager->IsDesigning()) return dynamic_cast<TdxBarItemLink*>(LastSelectedObject) != nullptr;
  TList selection;
  GetSelectableSelection(manager, &selection);
  for (int i = 0; i < selection.Count(); ++i)
    if (BarSelectableItemOf(static_cast<TPersistent*>(selection.Items(i)))->AllowsDeletion(false)) return true;
  return false;
}

namespace {

// The object's last master object is in the list: deleting that takes the object along.
bool MasterInList(IdxBarSelectableItem* AItem, TList* AList) {
  TList masters;
  AItem->AddMasterObjects(&masters);
  return masters.Count() > 0 && AList->IndexOf(masters.Items(masters.Count() - 1)) >= 0;
}

bool Acceptable(TPersistent* AObject, TList* AList) {
  if (!AObject || AList->IndexOf(AObject) >= 0) return false;
  IdxBarSelectableItem* item = BarSelectableItemOf(AObject);
  return !item || !MasterInList(item, AList);
}

// What to select once the list is deleted: from the last object along its next objects, else its
// parent. The walk stops at an object seen before, so items whose next objects cycle end it.
TPersistent* SelectionAfterDeletion(TList* AList) {
  auto* start = BarSelectableItemOf(static_cast<TPersistent*>(AList->Items(AList->Count() - 1)));
  std::vector<IdxBarSelectableItem*> seen{start};
  IdxBarSelectableItem* current = start;
  for (;;) {
    IdxBarSelectableItem* next = nullptr;
    current->NextSelectableObject(next);
    if (!next || std::find(seen.begin(), seen.end(), next) != seen.end()) break;
    seen.push_back(next);
    if (TPersistent* object = next->SelectableObject(); Acceptable(object, AList)) return object;
    current = next;
  }
  TPersistent* parent = start->ParentSelectable();
  return Acceptable(parent, AList) ? parent : nullptr;
}

}  // namespace

bool TdxBarDesignController::DeleteDesignSelection(bool ADeleteItems, bool ACheckWindow) {
  TdxBarManager* manager = SelectionManager();
  if (!manager || (ACheckWindow && !WindowAcceptsInput(manager))) return false;
  SetCustomizingManager(manager);
  if (!manager->IsDesigning()) {
    // Only while the user customizes: a link selected back then must not go with a later Delete.
    if (auto* link = dynamic_cast<TdxBarItemLink*>(LastSelectedObject);
        link && manager->IsCustomizing() && link->BarManager() == manager)
      delete link;
    return false;
  }
  TList list;
  GetSelectableSelection(manager, &list);
  for (int i = list.Count() - 1; i >= 0; --i) {
    IdxBarSelectableItem* item = BarSelectableItemOf(static_cast<TPersistent*>(list.Items(i)));
    if (!item->AllowsDeletion(ADeleteItems) || (ADeleteItems && MasterInList(item, &list))) list.Delete(i);
  }
  if (list.Count() == 0) return false;
  if (!ADeleteItems) {
    bool several = false;
    for (int i = 0; i < list.Count() && !several; ++i)
      several = BarSelectableItemOf(static_cast<TPersistent*>(list.Items(i)))->HasSeveralLinks();
    if (several && BarMessageBox(kSeveralLinksQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
      return true;
  }
  TcxObjectLinkScope managerAlive(manager);
  manager->BeginUpdate();
  try {
    TcxObjectLink* nextLink = CreateObjectLink(SelectionAfterDeletion(&list));
    // Deleting an item takes its links along, which may stand in the list too.
    std::vector<TcxObjectLink*> alive;
    for (int i = 0; i < list.Count(); ++i) alive.push_back(CreateObjectLink(static_cast<TObject*>(list.Items(i))));
    for (int i = list.Count() - 1; i >= 0; --i) {
      if (!LinkedObjectOf(alive[static_cast<std::size_t>(i)])) continue;
      IdxBarSelectableItem* item = BarSelectableItemOf(static_cast<TPersistent*>(list.Items(i)));
      item->DeleteSelected(item, ADeleteItems);
    }
    for (TcxObjectLink* link : alive) FreeObjectLink(link);
    auto* nextObject = static_cast<TPersistent*>(LinkedObjectOf(nextLink));
    FreeObjectLink(nextLink);
    if (nextObject) SelectPersistent(manager, nextObject, 2);
  } catch (...) {
    if (managerAlive.Alive()) manager->EndUpdate();
    throw;
  }
  if (!managerAlive.Alive()) return true;
  manager->EndUpdate();
  NotifyModified();
  return true;
}

bool TdxBarDesignController::SelectParentOfSelection() {
  TdxBarManager* manager = SelectionManager();
  if (!manager || !WindowAcceptsInput(manager)) return false;
  SetCustomizingManager(manager);
  TList selection;
  manager->GetSelection(&selection);
  if (selection.Count() == 0) return false;
  IdxBarSelectableItem* item = BarSelectableItemOf(static_cast<TPersistent*>(selection.Items(selection.Count() - 1)));
  return item && item->SelectParent();
}

// ---- popups --------------------------------------------------------------------------------------

void TdxBarDesignController::ShowLinkPopup(TCustomdxBarControl* ABarControl, TdxBarItemLink* ALink) {
  if (!ABarControl) return;
  FCustomizingLinks = ABarControl->ItemLinks();
  ShowCustomizingPopup(ABarControl->BarManager(), ABarControl->BarPainter(), ALink, ABarControl,
                       [this](TdxBarItemLinks* ALinks) { FillLinkPopup(ALinks); });
}

bool TdxBarDesignController::ShowCustomizingPopup(TdxBarManager* AManager, TdxBarPainter* APainter, TdxBarItemLink* ALink,
                                                  TCustomdxBarControl* ABarControl, const TdxBarPopupFillHandler& AFill) {
  ClearInternalItems();
  SetCustomizingBarControl(ABarControl);
  CustomizingItemLink = ALink;
  SetCustomizingManager(AManager);
  if (!AManager) return false;
  auto* popup = new TdxBarCustomizingPopup(AManager);
  FCustomizingPopup = popup;
  if (ABarControl && ABarControl->HandleAllocated()) popup->SetParentWindow(ABarControl->Handle());
  popup->SetPainter(APainter);
  popup->OnCloseUp = [this](TObject*) { SetCustomizingBarControl(nullptr); };
  popup->OnDestroying = [this, popup](TObject*) {
    if (FCustomizingPopup == popup) FCustomizingPopup = nullptr;
  };
  TcxObjectLinkScope alive(popup);
  try {
    if (AFill) AFill(popup->ItemLinks());
  } catch (...) {
    if (alive.Alive()) TObject::Free(popup);
    throw;
  }
  if (!alive.Alive()) return false;
  if (popup->ItemLinks()->Count() == 0) {
    SetCustomizingBarControl(nullptr);
    TObject::Free(popup);
    return false;
  }
  if (TCustomdxBarControl* bar = CustomizingBarControl())
    if (TdxBarItemControl* selected = bar->SelectedControl()) selected->Deactivate(false);
  if (!alive.Alive()) return false;
  POINT cursor{0, 0};
  GetCursorPos(&cursor);
  popup->SetLeft(cursor.x);
  popup->SetTop(cursor.y);
  popup->PopupMenuWindow();
  return alive.Alive();
}

TCustomdxBarControlDesignHelper* TdxBarDesignController::NewDesignHelper() const {
  TCustomdxBarControl* bar = CustomizingBarControl();
  if (!bar) return nullptr;
  TClass helper = const_cast<TcxRegisteredClassList&>(FDesignHelpers).LookupRegisteredClass(bar->ClassType());
  return NewOfClass<TCustomdxBarControlDesignHelper>(helper).release();
}

void TdxBarDesignController::FillLinkPopup(TdxBarItemLinks* ALinks) {
  TdxBarManager* manager = FCustomizingManager;
  if (!ALinks || !manager) return;
  std::unique_ptr<TCustomdxBarControlDesignHelper> helper(NewDesignHelper());
  TdxBarComponentList* items = manager->ItemList();
  ALinks->BeginUpdate();
  items->LockNotify();
  try {
    const bool designing = manager->IsDesigning();
    if (designing && helper && SelectionIsSingle(manager)) {
      std::vector<TClass> editors;
      helper->GetEditors(editors);
      for (TClass editorClass : editors)
        if (auto editor = NewOfClass<TdxBarControlEditor>(editorClass)) editor->AddCommand(ALinks, false);
    }
    IdxBarSelectableItem* last = LastSelected();
    TdxBarCustomizationActions actions = last ? last->AvailableActions() : 0;
    if (designing) {
      TList selection;
      GetSelectableSelection(manager, &selection);
      for (int i = 0; i < selection.Count(); ++i)
        actions &= BarSelectableItemOf(static_cast<TPersistent*>(selection.Items(i)))->AvailableActions();
    }
    if (helper) helper->AdjustActions(actions);
    AddLinkCommands(ALinks, actions, CustomizedLink(), helper && helper->ShowsAllViewLevels());
  } catch (...) {
    items->UnlockSilently();
    ALinks->EndUpdate();
    throw;
  }
  items->UnlockSilently();
  ALinks->EndUpdate();
}

void TdxBarDesignController::AddLinkCommands(TdxBarItemLinks* ALinks, TdxBarCustomizationActions AActions,
                                             TdxBarItemLink* ALink, bool AShowsAllViewLevels) {
  using namespace dxBarStrs;
  const bool designing = FCustomizingManager && FCustomizingManager->IsDesigning();
  auto run = [](TObject* Sender) {
    if (TdxBarDesignController* c = BarDesignController()) c->RunPopupCommand(Sender);
  };
  auto add = [&](TClass AClass, TdxBarItemLinks* ATarget, int AAction, int AValue, bool ABeginGroup,
                 const String& ACaption) {
    TdxBarItemLink* link = AddCommandItem(ATarget, AClass, ABeginGroup, nullptr, run, ACaption);
    if (link) link->Item()->SetTag(CommandTag(AAction, AValue));
    return link;
  };
  const TClass button = TdxBarButton::StaticClass(), subItem = TdxBarSubItem::StaticClass();
  TdxBarItem* item = ALink ? ALink->Item() : nullptr;

  if (Offers(AActions, 0)) add(button, ALinks, 0, 0, true, cxGetResourceString(dxSBAR_CP_RESET));
  if (Offers(AActions, 1))
    add(button, ALinks, 1, 0, true, cxGetResourceString(dxSBAR_CP_DELETE))->Item()->SetEnabled(HasDeletableSelection());
  if (Offers(AActions, 2))
    add(button, ALinks, 2, 0, false, cxGetResourceString(dxSBAR_CP_DELETEITEM))
        ->Item()
        ->SetEnabled(item && item->AllowsDeletion(true));
  if (Offers(AActions, 3))
    add(button, ALinks, 3, 0, false, cxGetResourceString(designing ? dxSBAR_CP_DELETELINK : dxSBAR_CP_DELETE));
  if (Offers(AActions, 4)) {
    TdxBarItemLink* link = AddCommandItem(ALinks, TdxBarEdit::StaticClass(), true, nullptr, nullptr,
                                          cxGetResourceString(designing ? dxSBAR_CP_CAPTION : dxSBAR_CP_NAME));
    if (auto* edit = link ? dynamic_cast<TdxBarEdit*>(link->Item()) : nullptr) {
      edit->SetTag(CommandTag(4, 0));
      if (ALink) edit->SetText(ALink->Caption());
      edit->OnChange = [](TObject* Sender) {
        if (TdxBarDesignController* c = BarDesignController()) c->CommitCaption(dynamic_cast<TdxBarEdit*>(Sender));
      };
    }
  }
  if (Offers(AActions, 5)) {
    const TResStringRec* captions[] = {&dxSBAR_CP_DEFAULTSTYLE, &dxSBAR_CP_TEXTONLYALWAYS, &dxSBAR_CP_TEXTONLYINMENUS,
                                       &dxSBAR_CP_IMAGEANDTEXT};
    const bool enabled = item && item->HasPaintStyles();
    for (int style = 0; style < 4; ++style) {
      TdxBarItemLink* link = add(button, ALinks, 5, style, style == 0, cxGetResourceString(*captions[style]));
      if (TdxBarButton* command = AsCheckCommand(link, false)) {
        command->SetGroupIndex(-1000);
        command->SetDown(ALink && static_cast<int>(ALink->PaintStyle()) == style);
        command->SetEnabled(enabled);
      }
    }
  }
  if (Offers(AActions, 6)) {
    TdxBarItemLink* menu = add(subItem, ALinks, 6, 0, true, cxGetResourceString(dxSBAR_CP_POSITIONMENU));
    if (TdxBarItemLinks* entries = menu ? menu->Item()->ItemLinks() : nullptr)
      for (int p = ipBeginsNewRow; p <= ipContinuesRow; ++p)
        AsCheckCommand(add(button, entries, 6, p, false, GetEnumName(TypeInfo<TdxBarItemPosition>(), p)),
                       ALink && ALink->Position() == p);
  }
  if (Offers(AActions, 7)) {
    TdxBarItemLink* menu = add(subItem, ALinks, 7, 0, true, cxGetResourceString(dxSBAR_CP_VIEWLEVELSMENU));
    if (TdxBarItemLinks* entries = menu ? menu->Item()->ItemLinks() : nullptr) {
      const TdxBarItemViewLevels levels = ALink ? ALink->ViewLevels() : TdxBarItemViewLevels{};
      auto entry = [&](int AValue, bool ABeginGroup, const String& ACaption) {
        if (TdxBarButton* command =
                AsCheckCommand(add(button, entries, 7, AValue, ABeginGroup, ACaption), ViewLevelEntryDown(AValue, levels)))
          command->SetCloseSubMenuOnClick(false);
      };
      const TEnumInfo* names = TypeInfo<TdxBarItemViewLevel>();
      if (AShowsAllViewLevels) {
        for (int l = ivlLargeIconWithText; l <= ivlControlOnly; ++l)
          entry(kViewLevelToggle + l, false, GetEnumName(names, l));
        entry(kViewLevelAll, true, cxGetResourceString(dxSBAR_CP_ALLVIEWLEVELS));
      }
      for (int l = ivlLargeIconWithText; l <= ivlControlOnly; ++l)
        entry(l, l == ivlLargeIconWithText,
              GetEnumName(names, l) + cxGetResourceString(dxSBAR_CP_SINGLEVIEWLEVELITEMSUFFIX));
    }
  }
  if (Offers(AActions, 8)) {
    TdxBarItemLink* menu = add(subItem, ALinks, 8, 0, false, cxGetResourceString(dxSBAR_CP_BUTTONGROUPMENU));
    if (TdxBarItemLinks* entries = menu ? menu->Item()->ItemLinks() : nullptr) {
      for (int g = bgpNone; g <= bgpMember; ++g)
        AsCheckCommand(add(button, entries, 8, g, false, GetEnumName(TypeInfo<TdxBarButtonGroupPosition>(), g)),
                       ALink && ALink->ButtonGroup() == g);
      add(button, entries, 8, kButtonGroupGroup, true, cxGetResourceString(dxSBAR_CP_BUTTONGROUP));
      add(button, entries, 8, kButtonGroupUngroup, false, cxGetResourceString(dxSBAR_CP_BUTTONUNGROUP));
    }
  }
  if (Offers(AActions, 9))
    AsCheckCommand(add(button, ALinks, 9, 0, false, cxGetResourceString(dxSBAR_CP_DISTRIBUTED)),
                   ALink && ALink->Distributed());
  if (Offers(AActions, 10))
    if (TdxBarButton* command = AsCheckCommand(
            add(button, ALinks, 10, 0, true, cxGetResourceString(dxSBAR_CP_BEGINAGROUP)), ALink && ALink->BeginGroup()))
      command->SetEnabled(ALink && ALink->Index() > 0);
  if (Offers(AActions, 11))
    AsCheckCommand(add(button, ALinks, 11, 0, !Offers(AActions, 10), cxGetResourceString(dxSBAR_CP_VISIBLE)),
                   ALink && ALink->Visible());
  if (Offers(AActions, 12))
    AsCheckCommand(add(button, ALinks, 12, 0, false, cxGetResourceString(dxSBAR_CP_MOSTRECENTLYUSED)),
                   ALink && ALink->MostRecentlyUsed());
}

void TdxBarDesignController::ApplyToSelection(int AAction) {
  TList selection;
  GetSelectableSelection(FCustomizingManager, &selection);
  for (int i = 0; i < selection.Count(); ++i)
    BarSelectableItemOf(static_cast<TPersistent*>(selection.Items(i)))->ApplyCustomizationAction(AAction);
}

void TdxBarDesignController::RunPopupCommand(TObject* ACommand) {
  auto* command = dynamic_cast<TdxBarItem*>(ACommand);
  if (!command) return;
  const int action = TagAction(command->Tag()), value = TagValue(command->Tag());
  TdxBarItemLink* link = CustomizedLink();
  switch (action) {
    case 1: DeleteDesignSelection(false, false); return;
    case 2: DeleteDesignSelection(true, false); return;
    case 3:
      delete link;
      return;
    case 8: RunButtonGroupCommand(link, value); return;
    default: break;
  }
  if (!link) return;
  switch (action) {
    case 0: link->SetUserDefine({}); break;
    case 5: link->SetUserPaintStyle(static_cast<TdxBarPaintStyle>(value)); break;
    case 6: link->SetPosition(static_cast<TdxBarItemPosition>(value)); break;
    case 7: RunViewLevelCommand(link, command, value); break;
    case 9: link->SetDistributed(!link->Distributed()); break;
    case 10: link->SetBeginGroup(!link->BeginGroup()); break;
    case 11: link->SetVisible(!link->Visible()); break;
    case 12: link->SetMostRecentlyUsed(!link->MostRecentlyUsed()); break;
    default: return;
  }
  ApplyToSelection(action);
}

void TdxBarDesignController::RunViewLevelCommand(TdxBarItemLink* ALink, TdxBarItem* ACommand, int AValue) {
  TdxBarItemViewLevels levels = ALink->ViewLevels();
  if (AValue < kViewLevelToggle) {
    levels = {static_cast<TdxBarItemViewLevel>(AValue)};
  } else if (AValue < kViewLevelAll) {
    const auto level = static_cast<TdxBarItemViewLevel>(AValue - kViewLevelToggle);
    if (levels.Contains(level))
      levels.Exclude(level);
    else
      levels.Include(level);
  } else {
    levels = AllViewLevels();
  }
  ALink->SetViewLevels(levels);
  // The sub-menu stays open: its entries show the new levels.
  for (int i = 0; i < ACommand->LinkCount(); ++i)
    if (TdxBarItemLinks* entries = ACommand->Links(i)->Links())
      for (int e = 0; e < entries->Count(); ++e)
        if (auto* entry = dynamic_cast<TdxBarButton*>(entries->Items(e)->Item()); entry && TagAction(entry->Tag()) == 7)
          entry->SetDown(ViewLevelEntryDown(TagValue(entry->Tag()), ALink->ViewLevels()));
}

void TdxBarDesignController::RunButtonGroupCommand(TdxBarItemLink* ALink, int AValue) {
  if (AValue <= bgpMember) {
    if (!ALink) return;
    ALink->SetButtonGroup(static_cast<TdxBarButtonGroupPosition>(AValue));
    ApplyToSelection(8);
    return;
  }
  TdxBarItemLinks* links = FCustomizingLinks;
  if (!links) return;
  TdxBarItemLink* lowest = nullptr;
  for (int i = links->Count() - 1; i >= 0; --i) {
    TdxBarItemLink* link = links->Items(i);
    if (!link->IsSelectedInDesigner()) continue;
    link->SetButtonGroup(AValue == kButtonGroupGroup ? bgpMember : bgpNone);
    lowest = link;
  }
  if (AValue == kButtonGroupGroup && lowest) lowest->SetButtonGroup(bgpStart);
}

void TdxBarDesignController::CommitCaption(TdxBarEdit* AEdit) {
  if (!AEdit) return;
  const String text = AEdit->Text();
  if (Trim(text).empty()) {
    if (FCustomizingPopup) FCustomizingPopup->CloseUp();
    BarMessageBox(cxGetResourceString(dxBarStrs::dxSBAR_COMMANDNAMECANNOTBEBLANK), MB_OK | MB_ICONERROR);
    return;
  }
  TdxBarItemLink* link = CustomizedLink();
  if (!link) return;
  if (FCustomizingManager && FCustomizingManager->IsDesigning()) {
    if (link->Item()) link->Item()->SetCaption(text);
    ApplyToSelection(4);
    NotifyModified();
  } else {
    link->SetUserCaption(text);
  }
}

void TdxBarDesignController::KeepPopupOnTop(bool AOnTop) {
  TdxBarCustomizingPopup* popup = FCustomizingPopup;
  if (!popup || !popup->HandleAllocated()) return;
  constexpr UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  TCustomdxBarControl* bar = CustomizingBarControl();
  if (AOnTop) {
    SetWindowPos(popup->Handle(), HWND_TOPMOST, 0, 0, 0, 0, flags);
    TdxBarItemLink* link = CustomizedLink();
    if (!link || !link->Control()) return;
    HWND above = popup->Handle();
    for (TCustomdxBarControl* b = bar; b; b = b->ParentBar())
      if (b->HandleAllocated()) {
        SetWindowPos(b->Handle(), above, 0, 0, 0, 0, flags);
        above = b->Handle();
      }
    return;
  }
  TCustomdxBarControl* root = bar;
  while (root && root->ParentBar()) root = root->ParentBar();
  for (TCustomdxBarControl* b = root; b; b = b->ChildBar())
    if (b->HandleAllocated()) SetWindowPos(b->Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, flags);
  SetWindowPos(popup->Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, flags);
}

// ---- the toolbars popup --------------------------------------------------------------------------

void TdxBarDesignController::ShowToolbarsPopup(TdxBarManager* AManager, TdxBarPainter* APainter) {
  ClearInternalItems();
  SetCustomizingManager(AManager);
  if (!AManager) return;
  auto* popup = new TdxBarToolbarsPopup(AManager);
  TcxObjectLinkScope alive(popup);
  try {
    popup->SetPainter(APainter);
    FillToolbarsList(popup->ItemLinks());
    AManager->DoShowToolbarsPopup(popup->ItemLinks());
  } catch (...) {
    if (alive.Alive()) TObject::Free(popup);
    throw;
  }
  if (!alive.Alive()) return;
  if (popup->ItemLinks()->Count() == 0) {
    TObject::Free(popup);
    return;
  }
  POINT cursor{0, 0};
  GetCursorPos(&cursor);
  popup->SetLeft(cursor.x);
  popup->SetTop(cursor.y);
  popup->SetShowAnimation(true);
  popup->PopupMenuWindow();
}

void TdxBarDesignController::FillToolbarsList(TdxBarItemLinks* ALinks) {
  if (!ALinks) return;
  while (ALinks->Count() > 0) {
    TdxBarItemLink* link = ALinks->Items(ALinks->Count() - 1);
    if (TdxBarItem* item = link->Item())
      TObject::Free(item);
    else
      delete link;
  }
  TdxBarManager* manager = ALinks->BarManager();
  if (!manager) return;
  for (int i = 0; i < manager->Bars()->Count(); ++i) {
    TdxBar* bar = manager->Bars()->Items(i);
    if (bar->Hidden() || bar->MergeData()->MergedWith) continue;
    TdxBarItemLink* link = AddCommandItem(
        ALinks, TdxBarButton::StaticClass(), false, nullptr,
        [manager, bar](TObject*) {
          // The popup may outlive the toolbar it lists.
          for (int b = 0; b < manager->Bars()->Count(); ++b)
            if (manager->Bars()->Items(b) == bar) bar->SetVisible(!bar->Visible());
        },
        bar->Caption());
    AsCheckCommand(link, bar->Visible());
  }
  AddCustomizeCommand(ALinks, TdxBarButton::StaticClass(), true);
}

// ---- quick customization -------------------------------------------------------------------------

TObject* TdxBarDesignController::QuickCustomizationPopup() const { return LinkedObjectOf(FQuickControl); }

TObject* TdxBarDesignController::QuickCustomizedBar() const {
  return QuickCustomizationPopup() ? LinkedObjectOf(FQuickCustomizedBar) : nullptr;
}

void TdxBarDesignController::CloseQuickCustomizationPopup() {
  if (auto* popup = dynamic_cast<TCustomdxBarControl*>(QuickCustomizationPopup())) popup->CloseUp();
}

TdxBarControl* TdxBarDesignController::ShowQuickCustomization(TdxBarControl* AToolbar, const TRect& R) {
  TClass windowClass = AToolbar ? AToolbar->QuickControlClass() : nullptr;
  if (!windowClass) return nullptr;
  SetCustomizingManager(AToolbar->BarManager());
  TdxBarControl* popup = TdxBarControl::CreatePopup(windowClass, AToolbar, AToolbar->ShownBar());
  FreeObjectLinkAndNil(FQuickControl);
  FreeObjectLinkAndNil(FQuickCustomizedBar);
  FQuickControl = CreateObjectLink(popup);
  FQuickCustomizedBar = CreateObjectLink(AToolbar);
  try {
    AToolbar->FillQuickPopup(popup->ItemLinks());
    popup->SetOwnerScreenBounds(R);
    popup->ShowAsPopup(R);
  } catch (...) {
    TObject::Free(popup);
    throw;
  }
  PlayBarSound(0);
  return popup;
}

// ---- commands of design-time popups --------------------------------------------------------------

void TdxBarDesignController::HideInternalItem(TdxBarItem* AItem, TComponentList* AList) {
  if (!AItem) return;
  (AList ? AList : FInternalItems)->Add(AItem);
  if (TdxBarManager* manager = AItem->BarManager()) manager->RemoveItem(AItem);
}

void TdxBarDesignController::ClearInternalItems() { FInternalItems->Clear(); }

int TdxBarDesignController::InternalItemCount() const { return FInternalItems->Count(); }

TdxBarItemLink* TdxBarDesignController::AddCommandItem(TdxBarItemLinks* ALinks, TClass AItemClass, bool ABeginGroup,
                                                       TObject* ABar, TNotifyEvent AOnClick, const String& ACaption) {
  if (!ALinks || !AItemClass) return nullptr;
  TdxBarItemLink* link = ALinks->AddItemOfClass(AItemClass);
  if (!link) return nullptr;
  TdxBarItem* item = link->Item();
  HideInternalItem(item);
  item->SetCaption(ACaption);
  item->SetOnClick(std::move(AOnClick));
  item->SetTag(reinterpret_cast<std::intptr_t>(ABar));
  link->SetBeginGroup(ABeginGroup);
  return link;
}

void TdxBarDesignController::AddCustomizeCommand(TdxBarItemLinks* ALinks, TClass AItemClass, bool ABeginGroup) {
  TdxBarManager* manager = ALinks ? ALinks->BarManager() : nullptr;
  if (!manager || !manager->CanCustomize()) return;
  // The command lives only while its popup shows, which goes before the manager.
  TdxBarItemLink* link = AddCommandItem(
      ALinks, AItemClass, ABeginGroup, nullptr, [manager](TObject*) { manager->SetCustomizing(true); },
      cxGetResourceString(dxBarStrs::dxSBAR_CUSTOMIZE));
  if (link) link->Item()->SetEnabled(!manager->IsCustomizing());
}

TdxBarItemLink* TdxBarDesignController::CreateItemAfterCustomized(TClass AItemClass) {
  TdxBarManager* manager = FCustomizingManager;
  TdxBarItemLinks* links = FCustomizingLinks;
  if (!manager || !links || !AItemClass) return nullptr;
  TdxBarComponentList* items = manager->ItemList();
  TdxBarItemLink* link = nullptr;
  items->LockNotify();
  links->BeginUpdate();
  try {
    link = links->AddItemOfClass(AItemClass, manager);
    if (TdxBarItem* item = link ? link->Item() : nullptr) {
      const int category = manager->Categories()->IndexOf(cxGetResourceString(dxBarStrs::dxSBAR_DEFAULTCATEGORYNAME));
      item->SetCategory(std::max(category, 0));
      item->SetName(manager->GetUniqueItemName(AItemClass));
      item->SetCaption(item->DefaultCaption());
      if (const int index = links->IndexOf(CustomizedLink()); index >= 0) link->SetIndex(index + 1);
    }
  } catch (...) {
    links->EndUpdate();
    items->UnlockNotify();
    throw;
  }
  links->EndUpdate();
  items->UnlockNotify();
  return link;
}

void TdxBarDesignController::RunEditorCommand(TClass AEditorClass, TdxBarItem* ACommand) {
  auto editor = NewOfClass<TdxBarControlEditor>(AEditorClass);
  if (!editor) return;
  const String caption = ACommand ? ACommand->Caption() : String();
  TClass itemClass = editor->ItemClassFor(caption);
  if (!itemClass) return;
  TdxBarItemLink* link = CreateItemAfterCustomized(itemClass);
  if (!link) return;
  TcxObjectLinkScope alive(link);
  editor->AfterItemAdded(link, caption);
  if (!alive.Alive()) return;
  if (TCustomdxBarControl* bar = link->BarControl()) bar->DesignSelectControl(link->Control(), mbLeft, {});
}

bool TdxBarDesignController::EditableInDesigner() const {
  return FCustomizingManager && FCustomizingManager->EditableInDesigner();
}

void TdxBarDesignController::NotifyModified() {
  if (FCustomizingManager) FCustomizingManager->DesignerModified();
}
