#pragma once
// The single design-time selection controller of the bar library, with the registrations it is
// given at start-up: which design helper serves which bar-window class, and the control editors
// that add item-creating commands to a link's popup. It runs the popups of customizing (a link's
// popup, the toolbars popup, a toolbar's quick customization) out of command items it makes,
// keeps out of every manager's item list and frees before the next popup; it keeps the last
// selected object and deletes selections.
#include <functional>
#include <vector>

#include "ui/bars/BarComponents.h"
#include "ui/controls/DesignController.h"
#include "ui/foundation/RegisteredClasses.h"
#include "ui/foundation/Types.h"

class TComponentList;
class TcxFreeNotificator;
class TcxObjectLink;
class TCustomdxBarControl;
class TdxBarControl;
class TdxBarCustomizingPopup;
class TdxBarEdit;
class TdxBarItem;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarManager;
class TdxBarPainter;
class TPersistent;

// Fills a popup's links.
using TdxBarPopupFillHandler = std::function<void(TdxBarItemLinks* ALinks)>;

// ---- control editors: commands that add a new item after the customized link ----

class TdxBarControlEditor : public TObject {
  VW_CLASS(TdxBarControlEditor, TObject)
 public:
  TdxBarControlEditor() = default;
  // The class of the item the command made with that caption creates; nil for none.
  virtual TClass ItemClassFor(const String& /*ACaption*/) const { return nullptr; }
  virtual String CommandCaption() const { return {}; }
  virtual void InitCommand(TdxBarItemLink* /*ALink*/) {}
  virtual TClass CommandItemClass() const { return nullptr; }
  virtual void AfterItemAdded(TdxBarItemLink* /*ALink*/, const String& /*ACaption*/) {}
  void AddCommand(TdxBarItemLinks* ALinks, bool ABeginGroup);
};

// The editors of one item class: a button command that runs the editor.
class TdxBarSingleItemEditor : public TdxBarControlEditor {
  VW_CLASS(TdxBarSingleItemEditor, TdxBarControlEditor)
 public:
  TdxBarSingleItemEditor() = default;
  void InitCommand(TdxBarItemLink* ALink) override;
  TClass CommandItemClass() const override;
};

class TdxAddSubItemEditor : public TdxBarSingleItemEditor {
  VW_CLASS(TdxAddSubItemEditor, TdxBarSingleItemEditor)
 public:
  TdxAddSubItemEditor() = default;
  TClass ItemClassFor(const String& ACaption) const override;
  String CommandCaption() const override;
};

class TdxAddButtonEditor : public TdxBarSingleItemEditor {
  VW_CLASS(TdxAddButtonEditor, TdxBarSingleItemEditor)
 public:
  TdxAddButtonEditor() = default;
  TClass ItemClassFor(const String& ACaption) const override;
  String CommandCaption() const override;
};

class TdxAddLargeButtonEditor : public TdxBarSingleItemEditor {
  VW_CLASS(TdxAddLargeButtonEditor, TdxBarSingleItemEditor)
 public:
  TdxAddLargeButtonEditor() = default;
  TClass ItemClassFor(const String& ACaption) const override;
  String CommandCaption() const override;
};

class TdxAddSeparatorEditor : public TdxBarSingleItemEditor {
  VW_CLASS(TdxAddSeparatorEditor, TdxBarSingleItemEditor)
 public:
  TdxAddSeparatorEditor() = default;
  TClass ItemClassFor(const String& ACaption) const override;
  String CommandCaption() const override;
};

// A sub-menu listing every item class registered for the editors, by class name.
class TdxItemsEditorEx : public TdxBarControlEditor {
  VW_CLASS(TdxItemsEditorEx, TdxBarControlEditor)
 public:
  TdxItemsEditorEx() = default;
  TClass ItemClassFor(const String& ACaption) const override;
  String CommandCaption() const override;
  void InitCommand(TdxBarItemLink* ALink) override;
  TClass CommandItemClass() const override;
  void FillClassMenu(TdxBarItemLinks* ALinks);
};

// ---- design helpers: what a link's popup offers per bar-window class ----

class TCustomdxBarControlDesignHelper : public TObject {
  VW_CLASS(TCustomdxBarControlDesignHelper, TObject)
 public:
  TCustomdxBarControlDesignHelper() = default;
  virtual bool ShowsAllViewLevels() const { return false; }
  virtual void AdjustActions(TdxBarCustomizationActions& AActions) const { AActions &= ~HiddenActions(); }
  // Appends the editor classes whose commands the popup offers.
  virtual void GetEditors(std::vector<TClass>& AList) const;
  virtual TdxBarCustomizationActions HiddenActions() const { return 0x13E0; }
};

// Toolbars offer the paint styles.
class TdxBarControlDesignHelper : public TCustomdxBarControlDesignHelper {
  VW_CLASS(TdxBarControlDesignHelper, TCustomdxBarControlDesignHelper)
 public:
  TdxBarControlDesignHelper() = default;
  TdxBarCustomizationActions HiddenActions() const override { return 0x13C0; }
};

// Menus offer separators and "Most recently used".
class TdxBarSubMenuControlDesignHelper : public TCustomdxBarControlDesignHelper {
  VW_CLASS(TdxBarSubMenuControlDesignHelper, TCustomdxBarControlDesignHelper)
 public:
  TdxBarSubMenuControlDesignHelper() = default;
  void GetEditors(std::vector<TClass>& AList) const override;
  TdxBarCustomizationActions HiddenActions() const override { return 0x03E0; }
};

class TdxBarApplicationMenuControlDesignHelper : public TdxBarSubMenuControlDesignHelper {
  VW_CLASS(TdxBarApplicationMenuControlDesignHelper, TdxBarSubMenuControlDesignHelper)
 public:
  TdxBarApplicationMenuControlDesignHelper() = default;
  TdxBarCustomizationActions HiddenActions() const override { return 0x13E0; }
};

// ---- the controller ----

class TdxBarDesignController : public TcxDesignController {
  VW_CLASS(TdxBarDesignController, TcxDesignController)
 public:
  TdxBarDesignController();
  ~TdxBarDesignController() override;

  void RegisterDesignHelper(TClass BarControlClass, TClass HelperClass);
  void UnregisterDesignHelper(TClass BarControlClass, TClass HelperClass);
  void RegisterControlEditor(TClass EditorClass);

  // The helper of the class or of its nearest registered ancestor; null when none.
  TClass DesignHelperOf(TClass BarControlClass) { return FDesignHelpers.LookupRegisteredClass(BarControlClass); }
  int ControlEditorCount() const { return static_cast<int>(FControlEditors.size()); }
  TClass ControlEditors(int Index) const { return FControlEditors.at(static_cast<std::size_t>(Index)); }

  // ---- selection ----
  // Selects the object in its manager's designer with operation 0 (add), 1 (remove) or 2 (only
  // this): through its selectable item when it has one, else through AManager's designer. The
  // last selected object follows.
  void SelectPersistent(TdxBarManager* AManager, TPersistent* AObject, int AOperation);
  void SelectSelectable(IdxBarSelectableItem* AItem, int AOperation);
  // Some object of the manager's design selection is an item shown by several links.
  bool SelectionHasSeveralLinks(TdxBarManager* AManager);
  // The manager's design selection holds exactly one selectable object.
  bool SelectionIsSingle(TdxBarManager* AManager);
  IdxBarSelectableItem* LastSelected() const { return BarSelectableItemOf(LastSelectedObject); }
  void SetLastSelected(IdxBarSelectableItem* AItem);
  // Forgets the last selected object when the designer no longer selects it, or while the
  // application is inactive.
  void CheckLastSelected();
  void ForgetSelection(IdxBarSelectableItem* AItem);
  bool IsLastSelected(IdxBarSelectableItem* AItem) const;
  bool IsCustomizedLink(IdxBarSelectableItem* AItem) const;
  bool HasCustomizedLink() const;
  // Whether the object draws itself as selected.
  bool ShowsDesignSelection(IdxBarSelectableItem* AItem);

  // The item link whose customization popup is up, or was last; nil for none.
  TObject* CustomizingItemLink = nullptr;
  // The object selected last. Set through SetLastSelected, which watches it.
  TObject* LastSelectedObject = nullptr;
  // Design selections are framed solidly; otherwise with a dotted focus rectangle.
  bool ShowsDefaultSelections = true;

  // ---- deletion and keys ----
  // Deletes the design selection (its items with ADeleteItems, else links); at run time frees the
  // last selected link of a customizing manager. True when the design selection held something to
  // delete.
  bool DeleteDesignSelection(bool ADeleteItems, bool ACheckWindow);
  bool HasDeletableSelection();

  // ---- what the input hooks ask; the customization and drag units answer ----
  // An item link or a toolbar is being dragged: the drag loops mark the controller busy.
  virtual bool IsDragging() const { return FBusy > 0; }
  void BeginBusy() { ++FBusy; }
  void EndBusy() {
    if (FBusy > 0) --FBusy;
  }
  // Escape: selects the parent of the design selection; true when it did.
  virtual bool SelectParentOfSelection();
  // Delete: deletes the design selection; true when it did.
  virtual bool DeleteSelection(bool ACtrlHeld) { return DeleteDesignSelection(ACtrlHeld, true); }
  // The application became active again: the last selected object is checked once more.
  virtual void ReselectLastSelected();
  // The quick-customization popup while it is open, and the toolbar it customizes; nil for none.
  virtual TObject* QuickCustomizationPopup() const;
  virtual TObject* QuickCustomizedBar() const;
  // The open popup closes up.
  virtual void CloseQuickCustomizationPopup();
  // A right click on a dock site: the popup listing the manager's toolbars, drawn by APainter.
  virtual void ShowToolbarsPopup(TdxBarManager* AManager, TdxBarPainter* APainter);

  // ---- popups ----
  // The popup of ALink (nil: of the bar's empty part) on ABarControl while customizing.
  void ShowLinkPopup(TCustomdxBarControl* ABarControl, TdxBarItemLink* ALink);
  // A customizing popup filled by AFill, shown at the cursor; true when it showed. An empty one is
  // freed at once.
  bool ShowCustomizingPopup(TdxBarManager* AManager, TdxBarPainter* APainter, TdxBarItemLink* ALink,
                            TCustomdxBarControl* ABarControl, const TdxBarPopupFillHandler& AFill);
  bool HasCustomizingPopup() const { return FCustomizingPopup != nullptr; }
  TdxBarCustomizingPopup* CustomizingPopup() const { return FCustomizingPopup; }
  TdxBarManager* CustomizingManager() const { return FCustomizingManager; }
  TCustomdxBarControl* CustomizingBarControl() const;
  TdxBarItemLinks* CustomizingLinks() const { return FCustomizingLinks; }
  void FillLinkPopup(TdxBarItemLinks* ALinks);
  void FillToolbarsList(TdxBarItemLinks* ALinks);
  void RunPopupCommand(TObject* ACommand);
  void CommitCaption(TdxBarEdit* AEdit);
  // On: the popup and the bar windows it was opened from stay above every other window; off:
  // they leave the topmost band again.
  void KeepPopupOnTop(bool AOnTop);

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
  // A new item of the class, linked right after the customized link.
  TdxBarItemLink* CreateItemAfterCustomized(TClass AItemClass);
  // The editor's command was chosen: its new item is made and design-selected.
  void RunEditorCommand(TClass AEditorClass, TdxBarItem* ACommand);
  // The customizing manager's owner is not a frame placed inline on a form being designed.
  bool EditableInDesigner() const;
  void NotifyModified();

  // ---- lifetimes ----
  // A link collection is going: the controller forgets it.
  void LinksDestroying(TdxBarItemLinks* ALinks);
  // A link is going.
  void LinkDestroying(TdxBarItemLink* ALink);

 private:
  void ComponentFreed(TComponent* AComponent);
  void SetCustomizingManager(TdxBarManager* AManager);
  void SetCustomizingBarControl(TCustomdxBarControl* ABarControl);
  TdxBarItemLink* CustomizedLink() const;
  // The design helper of the customizing bar window; nil without one.
  TCustomdxBarControlDesignHelper* NewDesignHelper() const;
  // The selectable objects of the manager's design selection.
  void GetSelectableSelection(TdxBarManager* AManager, TList* AList);
  TdxBarManager* SelectionManager();
  void AddLinkCommands(TdxBarItemLinks* ALinks, TdxBarCustomizationActions AActions, TdxBarItemLink* ALink,
                       bool AShowsAllViewLevels);
  void ApplyToSelection(int AAction);
  void RunViewLevelCommand(TdxBarItemLink* ALink, TdxBarItem* ACommand, int AValue);
  void RunButtonGroupCommand(TdxBarItemLink* ALink, int AValue);

  TcxRegisteredClassList FDesignHelpers;
  std::vector<TClass> FControlEditors;
  TcxFreeNotificator* FFreeNotificator;
  TComponentList* FInternalItems;
  TdxBarManager* FCustomizingManager = nullptr;
  TcxObjectLink* FCustomizingBarControl = nullptr;
  TdxBarItemLinks* FCustomizingLinks = nullptr;
  TdxBarCustomizingPopup* FCustomizingPopup = nullptr;
  TcxObjectLink* FQuickControl = nullptr;
  TcxObjectLink* FQuickCustomizedBar = nullptr;
  int FBusy = 0;
};
