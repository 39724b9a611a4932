#include "ui/bars/BarDesignController.h"

#include "platform/classes/Lists.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarComponents.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/ObjectLinks.h"

TdxBarDesignController::TdxBarDesignController() : FInternalItems(new TComponentList(true)) {}

TdxBarDesignController::~TdxBarDesignController() {
  FreeObjectLinkAndNil(FQuickControl);
  FreeObjectLinkAndNil(FQuickCustomizedBar);
  delete FInternalItems;
}

void TdxBarDesignController::RegisterDesignHelper(TClass BarControlClass, TClass HelperClass) {
  FDesignHelpers.InsertPair(BarControlClass, HelperClass);
}

void TdxBarDesignController::RegisterControlEditor(TClass EditorClass) { FControlEditors.push_back(EditorClass); }

void TdxBarDesignController::SelectPersistent(TdxBarManager* AManager, TPersistent* AObject, int AOperation) {
  IdxBarSelectableItem* item = BarSelectableItemOf(AObject);
  if (!item) {
    if (AManager) AManager->SelectComponent(AObject, AOperation);
    return;
  }
  item->SelectInDesigner(AOperation);
  if (AOperation == 0 || AOperation == 2)
    LastSelectedObject = AObject;
  else if (AOperation == 1 && LastSelectedObject == AObject && !item->IsSelectedInDesigner())
    LastSelectedObject = nullptr;
}

bool TdxBarDesignController::SelectionHasSeveralLinks(TdxBarManager* AManager) {
  if (!AManager) return false;
  TList selection;
  AManager->GetSelection(&selection);
  for (int i = 0; i < selection.Count(); ++i)
    if (IdxBarSelectableItem* item = BarSelectableItemOf(static_cast<TPersistent*>(selection.Items(i)));
        item && item->HasSeveralLinks())
      return true;
  return false;
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
  if (!ALinks) return nullptr;
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
