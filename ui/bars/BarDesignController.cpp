#include "ui/bars/BarDesignController.h"

#include "platform/classes/Lists.h"
#include "ui/bars/BarComponents.h"
#include "ui/bars/BarManager.h"

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
