#pragma once
// The bar library's classes as the start-up and its registries need them: class references by
// name, with their place in the hierarchy. Items, item controls, bar windows, painters and the
// design-time helpers grow their behaviour in their own units; here they are the shells that
// the item-class registry, the streaming registry and the design controller refer to.
#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Controls.h"
#include "platform/classes/TypInfo.h"
#include "ui/bars/BarComponents.h"

#define VW_BAR_SHELL(Self, Parent, ...) \
  class Self : public Parent {          \
    VW_CLASS(Self, Parent)              \
   public:                              \
    __VA_ARGS__                         \
  };

#define VW_BAR_COMPONENT_SHELL(Self, Parent) \
  VW_BAR_SHELL(Self, Parent, explicit Self(TComponent* AOwner) : Parent(AOwner) {})

// ---- items ------------------------------------------------------------------------------------

class TdxBarItem : public TdxBarComponent {
  VW_CLASS(TdxBarItem, TdxBarComponent)
 public:
  explicit TdxBarItem(TComponent* AOwner) : TdxBarComponent(AOwner) {}
  // The index of the item's category in its manager; -1 for none.
  int Category() const { return FCategory; }
  // The items' own unit also moves the item in the manager's list and tells the designer.
  virtual void SetCategory(int Value) { FCategory = Value; }
  // The category list renumbering: the index alone, without notification.
  void SetCategoryIndex(int Value) { FCategory = Value; }

 private:
  int FCategory = 0;
};
using TdxBarItemClass = TClass;

VW_BAR_COMPONENT_SHELL(TdxBarButton, TdxBarItem)
VW_BAR_COMPONENT_SHELL(TdxBarLargeButton, TdxBarButton)
VW_BAR_COMPONENT_SHELL(TdxBarEdit, TdxBarItem)
VW_BAR_COMPONENT_SHELL(TCustomdxBarCombo, TdxBarEdit)
VW_BAR_COMPONENT_SHELL(TdxBarCombo, TCustomdxBarCombo)
VW_BAR_COMPONENT_SHELL(TCustomdxBarSubItem, TdxBarItem)
VW_BAR_COMPONENT_SHELL(TdxBarSubItem, TCustomdxBarSubItem)
VW_BAR_COMPONENT_SHELL(TdxBarContainerItem, TCustomdxBarSubItem)
VW_BAR_COMPONENT_SHELL(TdxBarListItem, TdxBarContainerItem)
VW_BAR_COMPONENT_SHELL(TdxBarExtraPaneListItem, TdxBarListItem)
VW_BAR_COMPONENT_SHELL(TdxBarLabel, TdxBarItem)
VW_BAR_COMPONENT_SHELL(TdxBarSeparator, TdxBarItem)
VW_BAR_COMPONENT_SHELL(TdxBarApplicationMenuButtonItem, TdxBarItem)
VW_BAR_COMPONENT_SHELL(TdxBarQuickCustExtButton, TdxBarButton)
VW_BAR_COMPONENT_SHELL(TdxBarQuickCustItem, TdxBarItem)
VW_BAR_COMPONENT_SHELL(TdxBarQuickAccessItem, TCustomdxBarSubItem)
VW_BAR_COMPONENT_SHELL(TSystemMenuSubItem, TCustomdxBarSubItem)

// ---- the per-link controls that show items ------------------------------------------------------

class TdxBarItemControl : public TObject {
  VW_CLASS(TdxBarItemControl, TObject)
};
using TdxBarItemControlClass = TClass;

VW_BAR_SHELL(TdxBarButtonControl, TdxBarItemControl)
VW_BAR_SHELL(TdxBarLargeButtonControl, TdxBarButtonControl)
VW_BAR_SHELL(TdxBarEditControl, TdxBarItemControl)
VW_BAR_SHELL(TCustomdxBarComboControl, TdxBarEditControl)
VW_BAR_SHELL(TdxBarComboControl, TCustomdxBarComboControl)
VW_BAR_SHELL(TdxBarSubItemControl, TdxBarItemControl)
VW_BAR_SHELL(TdxBarContainerItemControl, TdxBarSubItemControl)
VW_BAR_SHELL(TdxBarCustomStaticControl, TdxBarItemControl)
VW_BAR_SHELL(TdxBarSeparatorControl, TdxBarItemControl)
VW_BAR_SHELL(TdxBarApplicationMenuButtonControl, TdxBarButtonControl)
VW_BAR_SHELL(TdxBarQuickCustExtButtonControl, TdxBarButtonControl)
VW_BAR_SHELL(TdxBarQuickCustItemControl, TdxBarItemControl)
VW_BAR_SHELL(TSystemMenuSubItemControl, TdxBarSubItemControl)

// ---- toolbars, groups, screen tips and the application menu's buttons (stored in forms) ---------

// TdxBar lives in Bars.h, TdxBarManager in BarManager.h.
class TdxBar;
class TdxBarManager;
VW_BAR_COMPONENT_SHELL(TdxBarScreenTip, TComponent)
VW_BAR_SHELL(TdxBarScreenTipBand, TPersistent)
VW_BAR_SHELL(TdxBarScreenTipCollection, TCollection,
             TdxBarScreenTipCollection() : TCollection(TdxBarScreenTip::StaticClass()) {})
VW_BAR_SHELL(TdxBarApplicationMenuButton, TCollectionItem,
             explicit TdxBarApplicationMenuButton(TCollection* ACollection) : TCollectionItem(ACollection) {})
VW_BAR_SHELL(TdxBarApplicationMenuButtons, TCollection,
             TdxBarApplicationMenuButtons() : TCollection(TdxBarApplicationMenuButton::StaticClass()) {})

// ---- bar windows --------------------------------------------------------------------------------

// What the manager asks of every bar window; the bar window's own unit gives these their work.
class TCustomdxBarControl : public TCustomControl {
  VW_CLASS(TCustomdxBarControl, TCustomControl)
 public:
  explicit TCustomdxBarControl(TComponent* AOwner) : TCustomControl(AOwner) {}
  // The bar window this one dropped from (a menu's opener); nil for a root.
  virtual TCustomdxBarControl* ParentBar() const { return nullptr; }
  // Popups the library builds for itself (customizing and toolbar lists) answer true.
  virtual bool IsInternal() const { return false; }

  virtual void CloseUp() {}
  virtual void CreateControls() {}
  virtual void DestroyControls() {}
  virtual void RebuildRecreating() {}
  virtual void UpdateControlState() {}
  // The manager's style, painter or fonts changed: the window recomputes its frame.
  virtual void BarManagerStyleChanged() {}
  // The window's background brushes follow the manager's.
  virtual void RefreshBrushes() {}
  // Client and frame repainted as they stand.
  virtual void RepaintBar() {}
  // Measures the toolbar again and places its items.
  virtual void RecalcAndLayout() {}
  // The window ends its hot tracking: the mouse left it.
  virtual void MouseLeft() {}
  // The manager's selected control moved to another root toolbar: this window lets its go.
  virtual void DropSelection() {}
};
VW_BAR_COMPONENT_SHELL(TdxBarControl, TCustomdxBarControl)
VW_BAR_COMPONENT_SHELL(TdxBarSubMenuControl, TCustomdxBarControl)
VW_BAR_COMPONENT_SHELL(TdxBarApplicationMenuControl, TdxBarSubMenuControl)

// ---- painters -----------------------------------------------------------------------------------

class TcxCustomLookAndFeelPainter;

class TdxBarPainter : public TObject {
  VW_CLASS(TdxBarPainter, TObject)
 public:
  // Runs right after the class reference made the painter: the skin painter it draws with (nil
  // when none). Only the skin bar painter keeps it.
  virtual void Construct(const TcxCustomLookAndFeelPainter* /*AData*/) {}
};
VW_BAR_SHELL(TdxBarFlatPainter, TdxBarPainter)
VW_BAR_SHELL(TdxBarStandardPainter, TdxBarPainter)
VW_BAR_SHELL(TdxBarEnhancedPainter, TdxBarStandardPainter)
VW_BAR_SHELL(TdxBarOffice11Painter, TdxBarFlatPainter)
VW_BAR_SHELL(TdxBarXPPainter, TdxBarFlatPainter)
VW_BAR_SHELL(TdxBarSkinPainter, TdxBarPainter)
using TdxBarPainterClass = TClass;

// ---- keyboard navigation ------------------------------------------------------------------------

VW_BAR_SHELL(TdxBarNavigationController, TObject)

// ---- design time --------------------------------------------------------------------------------

VW_BAR_SHELL(TdxBarControlEditor, TObject)
VW_BAR_SHELL(TdxAddSubItemEditor, TdxBarControlEditor)
VW_BAR_SHELL(TdxAddButtonEditor, TdxBarControlEditor)
VW_BAR_SHELL(TdxAddLargeButtonEditor, TdxBarControlEditor)
VW_BAR_SHELL(TdxAddSeparatorEditor, TdxBarControlEditor)
VW_BAR_SHELL(TdxItemsEditorEx, TdxBarControlEditor)

VW_BAR_SHELL(TCustomdxBarControlDesignHelper, TObject)
VW_BAR_SHELL(TdxBarControlDesignHelper, TCustomdxBarControlDesignHelper)
VW_BAR_SHELL(TdxBarSubMenuControlDesignHelper, TCustomdxBarControlDesignHelper)
VW_BAR_SHELL(TdxBarApplicationMenuControlDesignHelper, TdxBarSubMenuControlDesignHelper)

#undef VW_BAR_COMPONENT_SHELL
#undef VW_BAR_SHELL
