#pragma once
// Links that give ordinary controls of the manager's window a bar popup menu as their context
// menu, and let that menu's shortcuts work while the focus is in the control.
#include <functional>

#include "platform/classes/Collection.h"
#include "platform/classes/Controls.h"
#include "platform/classes/Menus.h"

class TdxBarManager;
class TdxBarPopupMenu;
class TdxBarPopupMenuLink;
class TcxWindowProcLinkedObject;

// X, Y in the control's client coordinates ((-1, -1) from the keyboard); the handler may move the
// menu or forbid it.
using TdxBarPopupMenuLinkActionEvent =
    std::function<void(TdxBarPopupMenuLink* Sender, int& X, int& Y, bool ClickedByMouse, bool& AllowPopup)>;

class TdxBarPopupMenuLink : public TCollectionItem {
  VW_CLASS(TdxBarPopupMenuLink, TCollectionItem)
 public:
  explicit TdxBarPopupMenuLink(TCollection* ACollection);
  // Lets the control go.
  ~TdxBarPopupMenuLink() override;
  static void DeclareProperties(TPropTable& t);
  // From another link: control and menu found by name in this manager's owner.
  void Assign(TPersistent* Source) override;

  TdxBarManager* BarManager() const;
  TControl* Control() const { return FControl; }
  // A control outside the manager's window is taken as nil.
  void SetControl(TControl* Value);
  TdxBarPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TdxBarPopupMenu* Value);
  bool ProcessChildren() const { return FProcessChildren; }
  void SetProcessChildren(bool Value) { FProcessChildren = Value; }
  TdxBarPopupMenuLinkActionEvent OnAction;

  // Shows the menu at (X, Y) of the control's client area, (-1, -1) meaning the keyboard; the
  // answer is whether the popup was allowed.
  bool DoPopup(int X, int Y);
  // The menu's item with the shortcut runs when OnAction allows; true when one ran.
  bool OfferShortCut(TShortCut AShortCut);

 private:
  friend class TdxBarPopupMenuLinks;
  bool LiesInManagersWindow(TControl* AControl) const;
  void HookedWindowProc(TMessage& Message);
  void ContextPopup(TObject* Sender, win::POINT MousePos, bool& Handled);
  void ControlFreed();

  TControl* FControl = nullptr;
  TdxBarPopupMenu* FPopupMenu = nullptr;
  bool FProcessChildren = true;
  TcxWindowProcLinkedObject* FHook = nullptr;
  // While the link's context handler stands in for the control's own around one WM_CONTEXTMENU.
  bool FHandlerInPlace = false;
  TControl* FContextControl = nullptr;
  TContextPopupEvent FPrevContextPopup;
};

class TdxBarPopupMenuLinks : public TCollection {
  VW_CLASS(TdxBarPopupMenuLinks, TCollection)
 public:
  explicit TdxBarPopupMenuLinks(TdxBarManager* ABarManager);
  TdxBarManager* BarManager() const { return FBarManager; }
  TdxBarPopupMenuLink* Add() { return static_cast<TdxBarPopupMenuLink*>(TCollection::Add()); }
  TdxBarPopupMenuLink* Items(int Index) const { return static_cast<TdxBarPopupMenuLink*>(TCollection::Items(Index)); }
  // A control or popup menu of the links is going away: the links forget it.
  void ComponentRemoved(TComponent* AComponent);
  // For the focused control: links on exactly it, then links serving its children on a control
  // containing it; the first that runs an item ends the search.
  bool IsShortCut(TControl* AControl, TShortCut AShortCut);

 protected:
  TPersistent* GetOwner() override;

 private:
  TdxBarManager* FBarManager;
};
