#pragma once
// The list machinery of the customization dialog: the helpers that take over the toolbars, the
// categories and the commands list boxes (fill, draw, mouse, keys and the dialog's private
// messages), and the selection controller that stands in for the form designer at run time.
#include <functional>

#include "platform/classes/Interface.h"
#include "platform/classes/Messages.h"
#include "platform/classes/StdCtrls.h"
#include "ui/bars/BarCustomizationPainters.h"
#include "ui/bars/BarManager.h"
#include "ui/foundation/ComponentCollection.h"

// The dialog's private messages to its lists. Fill: wParam 0 refills the list; wParam an object
// rebuilds that object's entry at index lParam. Re-read: the selection comes again from the
// designer. Update: the list's actions follow its selection.
constexpr win::UINT DXBAR_FILLLIST = 0x80C9;
constexpr win::UINT DXBAR_SYNCSELECTION = 0x80CA;
constexpr win::UINT DXBAR_UPDATEACTIONS = 0x80CB;
// Posted to the dialog itself (wParam the list box): refresh that list once.
constexpr win::UINT DXBAR_REFRESHLIST = 0x80CC;

// The actions the lists run by keys.
enum TdxBarCustomizationListAction {
  claNewToolBar,
  claDeleteToolBar,
  claInsertCategory,
  claDeleteCategory,
  claAddItem,
  claDeleteItem,
  claMoveUpItem,
  claMoveDownItem
};

// What the lists ask of the dialog they sit in; the customization dialog implements it.
class IdxBarCustomizationListsOwner {
 public:
  virtual ~IdxBarCustomizationListsOwner() = default;
  // The manager being customized.
  virtual TdxBarManager* CustomizedBarManager() = 0;
  virtual TdxBarCustomizationFormPainterClass PainterClass() = 0;
  virtual TCustomListBox* CategoriesListBox() = 0;
  virtual TCustomListBox* ItemsListBox() = 0;
  // The colour between the parts of a command entry.
  virtual TColor ListSeparatorColor() = 0;
  // AKind 1 with an object: that object's entry; otherwise the whole list.
  virtual void RefreshList(TCustomListBox* AListBox, TObject* AObject, int AKind) = 0;
  virtual void PushSelectionToDesigner(TCustomListBox* AListBox) = 0;
  virtual void SyncSelectionFromDesigner(TCustomListBox* AListBox) = 0;
  // The toolbar actions (bars list) or the command actions (commands list).
  virtual void UpdateToolBarActions() = 0;
  virtual void UpdateItemActions() = 0;
  virtual void ExecuteListAction(TdxBarCustomizationListAction AAction) = 0;
  // The categories or the commands popup menu at a screen point.
  virtual void PopupListMenu(TCustomListBox* AListBox, const TPoint& AScreen) = 0;
  // The description of the command selected in the commands list (empty for none).
  virtual void SetDescription(const String& AText) = 0;
};

// Takes over a list box's window procedure for its lifetime and passes every message on. A list
// box freed first is forgotten, so the dialog may free its controls and helpers in any order.
class TdxBarCustomizationFormListBoxHelper : public TObject {
  VW_CLASS(TdxBarCustomizationFormListBoxHelper, TObject)
 public:
  TdxBarCustomizationFormListBoxHelper(IdxBarCustomizationListsOwner* AOwnerForm, TCustomListBox* AListBox);
  ~TdxBarCustomizationFormListBoxHelper() override;
  TCustomListBox* ListBox() const { return FListBox; }
  IdxBarCustomizationListsOwner* OwnerForm() const { return FOwnerForm; }
  virtual void WindowProc(TMessage& Message);

 protected:
  // The private messages: refill (nil object) or rebuild one entry, and update the list's actions.
  virtual void Fill(TObject* /*AObject*/, int /*AIndex*/) {}
  virtual void UpdateActions() {}
  TdxBarManager* BarManager() const { return FOwnerForm->CustomizedBarManager(); }
  // Design time: a designing manager with a designer installed.
  bool IsDesigning() const;
  void CallPrevWindowProc(TMessage& Message);

 private:
  class TListWatch;
  IdxBarCustomizationListsOwner* FOwnerForm;
  TCustomListBox* FListBox;
  TListWatch* FListWatch;
  std::function<void(TMessage&)> FPrevWindowProc;
};

// The toolbars list: a check box per bar (visible, enabled when the bar may be closed) and its
// caption.
class TdxBarCustomizationFormBarListHelper : public TdxBarCustomizationFormListBoxHelper {
  VW_CLASS(TdxBarCustomizationFormBarListHelper, TdxBarCustomizationFormListBoxHelper)
 public:
  TdxBarCustomizationFormBarListHelper(IdxBarCustomizationListsOwner* AOwnerForm, TCustomListBox* AListBox);
  TdxBar* BarAtIndex(int AIndex) const;

 protected:
  void Fill(TObject* AObject, int AIndex) override;
  void UpdateActions() override { OwnerForm()->UpdateToolBarActions(); }

 private:
  void DrawItem(int AIndex, const win::RECT& ARect, TOwnerDrawState AState);
  void MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y);
  void KeyDown(win::WORD& AKey, TShiftState AShift);
  // Shows or hides the bar; a bar that cannot be closed only beeps.
  void ToggleBar(int AIndex);
};

// The categories list: picks the commands shown; at design time reorders categories by dragging.
class TdxBarCustomizationFormCategoryListHelper : public TdxBarCustomizationFormListBoxHelper {
  VW_CLASS(TdxBarCustomizationFormCategoryListHelper, TdxBarCustomizationFormListBoxHelper)
 public:
  TdxBarCustomizationFormCategoryListHelper(IdxBarCustomizationListsOwner* AOwnerForm, TCustomListBox* AListBox);
  // The manager's category index of a list entry (entries are the visible categories at run time).
  int CategoryIndexOf(int AEntry) const;

 protected:
  void Fill(TObject* AObject, int AIndex) override;
  void UpdateActions() override { OwnerForm()->UpdateItemActions(); }

 private:
  void Click();
  void MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y);
  void DragOver(TObject* ASource, int X, int Y, TDragState AState, bool& AAccept);
  void KeyDown(win::WORD& AKey, TShiftState AShift);
  int FDraggingIndex = -1;
};

// The commands list: each item draws its own entry through the form painter; entries follow the
// mouse, and a drag starts the manager's drag of the item onto toolbars.
class TdxBarCustomizationFormItemsListHelper : public TdxBarCustomizationFormListBoxHelper {
  VW_CLASS(TdxBarCustomizationFormItemsListHelper, TdxBarCustomizationFormListBoxHelper)
 public:
  TdxBarCustomizationFormItemsListHelper(IdxBarCustomizationListsOwner* AOwnerForm, TCustomListBox* AListBox);
  void WindowProc(TMessage& Message) override;
  TdxBarItem* ItemAtIndex(int AIndex) const;

 protected:
  void Fill(TObject* AObject, int AIndex) override;
  void UpdateActions() override { OwnerForm()->UpdateItemActions(); }

 private:
  void DrawItem(int AIndex, const win::RECT& ARect, TOwnerDrawState AState);
  void EraseBackground(TMessage& Message);
  void HotTrack();
  void MouseDown(TMouseButton AButton, TShiftState AShift, int X, int Y);
  void MouseUp(TMouseButton AButton, TShiftState AShift, int X, int Y);
  void KeyDown(win::WORD& AKey, TShiftState AShift);
  void DblClick();
  void SelectAt(int X, int Y);
};

// The designer's stand-in while the dialog is open at run time: at most one bar and one item are
// selected.
using TdxBarSelectionChangedEvent = std::function<void(TObject* Sender, TcxCollectionChangeKind AKind)>;

class TdxBarRunTimeSelectionController : public TInterfacedObject, public IdxBarDesigner {
  VW_CLASS(TdxBarRunTimeSelectionController, TInterfacedObject)
 public:
  TdxBarRunTimeSelectionController();
  ~TdxBarRunTimeSelectionController() override;
  TcxComponentList* SelectionList() const { return FSelection; }
  // Replaces the selected component of the same kind (bar, or item) by AComponent.
  void Select(TComponent* AComponent);

  // ---- IdxBarDesigner ----
  bool CanDeleteComponent(TComponent*) override { return true; }
  void GetSelection(TList* AList) override;
  int GetSelectionStatus(TPersistent* AComponent) override;
  bool IsComponentSelected(TPersistent* AComponent) override { return GetSelectionStatus(AComponent) == 1; }
  // Operations 0 and 2 select; the others mean nothing at run time.
  void SelectComponent(TPersistent* AComponent, int AOperation) override;
  void SetSelection(TList* AList) override;
  void DesignerAction(TComponent*) override {}
  String UniqueName(const String&) override { return String(); }

  TdxBarSelectionChangedEvent OnSelectionChanged;

 private:
  TcxComponentList* FSelection;
};
