#pragma once
// The single design-time selection controller of the bar library, with the registrations it is
// given at start-up: which design helper serves which bar-window class, and the control editors
// that add item-creating commands to a link's popup.
#include <vector>

#include "ui/controls/DesignController.h"
#include "ui/foundation/RegisteredClasses.h"
#include "ui/foundation/Types.h"

class TComponentList;
class TcxObjectLink;
class TdxBarControl;
class TdxBarItem;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarManager;
class TdxBarPainter;
class TPersistent;

class TdxBarDesignController : public TcxDesignController {
  VW_CLASS(TdxBarDesignController, TcxDesignController)
 public:
  TdxBarDesignController();
  ~TdxBarDesignController() override;

  void RegisterDesignHelper(TClass BarControlClass, TClass HelperClass);
  void RegisterControlEditor(TClass EditorClass);

  // The helper of the class or of its nearest registered ancestor; null when none.
  TClass DesignHelperOf(TClass BarControlClass) { return FDesignHelpers.LookupRegisteredClass(BarControlClass); }
  int ControlEditorCount() const { return static_cast<int>(FControlEditors.size()); }
  TClass ControlEditors(int Index) const { return FControlEditors.at(static_cast<std::size_t>(Index)); }

  // Selects the object in its manager's designer with operation 0 (add), 1 (remove) or 2 (only
  // this): through its selectable item when it has one, else through AManager's designer. The
  // last selected object follows.
  void SelectPersistent(TdxBarManager* AManager, TPersistent* AObject, int AOperation);
  // Some object of the manager's design selection is an item shown by several links.
  bool SelectionHasSeveralLinks(TdxBarManager* AManager);

  // The item link whose customization popup is up; nil for none.
  TObject* CustomizingItemLink = nullptr;
  // The object selected last, brought up to date when an item's design selection changes.
  TObject* LastSelectedObject = nullptr;
  // Design selections are framed solidly; otherwise with a dotted focus rectangle.
  bool ShowsDefaultSelections = true;

  // ---- what the input hooks ask; the customization and drag units answer ----
  // An item link or a toolbar is being dragged: the drag loops mark the controller busy.
  virtual bool IsDragging() const { return FBusy > 0; }
  void BeginBusy() { ++FBusy; }
  void EndBusy() {
    if (FBusy > 0) --FBusy;
  }
  // Escape: selects the parent of the design selection; true when it did.
  virtual bool SelectParentOfSelection() { return false; }
  // Delete: deletes the design selection; true when it did.
  virtual bool DeleteSelection(bool /*ACtrlHeld*/) { return false; }
  // The application became active again: the last selected object is selected once more.
  virtual void ReselectLastSelected() {}
  // The quick-customization popup while it is open, and the toolbar it customizes; nil for none.
  virtual TObject* QuickCustomizationPopup() const;
  virtual TObject* QuickCustomizedBar() const;
  // The open popup closes up.
  virtual void CloseQuickCustomizationPopup();
  // A right click on a dock site: the popup listing the manager's toolbars, drawn by APainter.
  virtual void ShowToolbarsPopup(TdxBarManager* /*AManager*/, TdxBarPainter* /*APainter*/) {}

  // ---- quick customization and the commands of design-time popups ----
  // The toolbar's quick-customization window, filled by the toolbar and shown under R (screen);
  // nil when the toolbar names no window class for it.
  TdxBarControl* ShowQuickCustomization(TdxBarControl* AToolbar, const TRect& R);
  // The item leaves its manager's item list for the list given (the internal items for nil),
  // which frees it.
  void HideInternalItem(TdxBarItem* AItem, TComponentList* AList = nullptr);
  void ClearInternalItems();
  int InternalItemCount() const;
  // A link to a new internal item of the class with the caption, click handler and tag.
  TdxBarItemLink* AddCommandItem(TdxBarItemLinks* ALinks, TClass AItemClass, bool ABeginGroup, TObject* ABar,
                                 TNotifyEvent AOnClick, const String& ACaption);
  // "&Customize...", which turns customizing on, when the links' manager may be customized;
  // disabled while the customization dialog is open.
  void AddCustomizeCommand(TdxBarItemLinks* ALinks, TClass AItemClass, bool ABeginGroup);

 private:
  TcxRegisteredClassList FDesignHelpers;
  TComponentList* FInternalItems;
  TcxObjectLink* FQuickControl = nullptr;
  TcxObjectLink* FQuickCustomizedBar = nullptr;
  std::vector<TClass> FControlEditors;
  int FBusy = 0;
};
