#pragma once
// The accessibility helpers of the bar library: dock sites, toolbar and menu windows, a toolbar's
// mark, its caption buttons and each item control, forming the tree the keyboard walks (dock site >
// toolbar window > item controls, caption buttons > caption button; menu window > item controls).
// Beside the accessible answers they give keyboard navigation what it needs: selection, spatial
// and tab-order neighbours, and navigation keys.
#include <vector>

#include "ui/bars/Accessibility.h"
#include "ui/bars/BarNavigation.h"

class TdxBarItemControl;
class TdxBarControl;
class TdxBarCaptionButton;
class TdxBarCaptionButtons;
class TdxBarSubMenuControl;
class TdxBarItemLink;

class TdxBarAccessibilityHelper : public TcxAccessibilityHelper, public virtual IdxBarAccessibilityHelper {
  VW_CLASS(TdxBarAccessibilityHelper, TcxAccessibilityHelper)
 public:
  using TcxAccessibilityHelper::TcxAccessibilityHelper;

  // Navigation forgets the helper too.
  void DetachOwner() override;
  // Every child of a bar helper is an object of its own.
  bool IsPlainChildElement(int /*Index*/) override { return false; }

  // ---- IdxBarAccessibilityHelper ----
  bool KeyTipsAvailable(IKeyTipWindowHost*& WindowHost) override;
  bool AllowsChildNavigation(win::WORD /*Key*/) override { return true; }
  TdxBarAccessibilityHelper* BarHelperObject() override { return this; }
  TdxBarManager* OwningBarManager() override;
  void DefaultSelectable(IdxBarAccessibilityHelper*& Object) override;
  void NeighbourInDirection(int Direction, IdxBarAccessibilityHelper*& Object) override;
  void RootObject(IdxBarAccessibilityHelper*& Object) override;
  bool ProcessNavigationKey(win::WORD& /*Key*/) override { return false; }
  bool WantsNavigationKey(win::WORD /*Key*/) override { return false; }
  bool IsCurrentSelection() override;
  void NextInTabOrder(TShiftState Shift, IdxBarAccessibilityHelper*& Object) override;
  void SelectObject(bool SetFocus) override;
  void UnselectObject(IdxBarAccessibilityHelper* NextObject) override;
  TObject* HelperObject() override { return this; }
  void OwnerGone() override { DetachOwner(); }

  // ---- key tips ----
  // The tip given to the object (its KeyTip property); empty when none.
  virtual String AssignedKeyTip() { return {}; }
  // The tip the object wears when none is given.
  virtual String DefaultKeyTip() { return {}; }
  // The assigned tip, else the default one, cut to 3 characters.
  String KeyTipText();
  std::unique_ptr<TdxBarKeyTipData> CreateKeyTipData();
  // Fills a cleared record: text, visibility and the action; kinds add placement and state.
  virtual void FillKeyTipInfo(TdxBarKeyTipInfo& Info);
  void AddKeyTipData(TdxBarKeyTipDataList& List);
  // Selectable children add their own tips, others those inside them; nothing while invisible.
  virtual void CollectKeyTipData(TdxBarKeyTipDataList& List);
  virtual TdxBarAccessibilityHelper* KeyTipParent() { return BarParent(); }
  virtual bool GroupsKeyTips() { return IsSelectable(); }
  virtual void ExecuteKeyTip(TObject* /*Sender*/) {}
  // Escape while this helper's tips show: back to its container's tips with this helper selected,
  // or out of keyboard mode at the top.
  virtual void EscapeFromKeyTips();

  // ---- the tree as keyboard navigation sees it ----
  virtual TdxBarAccessibilityHelper* LogicalChildAt(int Index);
  virtual int LogicalChildCount() { return CountChildren(); }
  virtual int LogicalIndexOf(TcxAccessibilityHelper* Child) { return IndexOfChild(Child); }
  // The next selectable helper after (or with Shift before) the logical child at Index, searched
  // inside children, then in the parent; at the root it wraps once. Nil when nothing is selectable.
  virtual TdxBarAccessibilityHelper* NextSelectableFrom(int Index, TShiftState Shift);

  // Nil while invisible; itself when selectable; else the first such object among its children.
  TdxBarAccessibilityHelper* FirstSelectableObject();
  TdxBarAccessibilityHelper* BarParent();
  TdxBarAccessibilityHelper* BarChildAt(int Index);
  // The children in order, asked for at once: walks of the tree use it, since some helpers find
  // their children afresh for each ChildAt.
  virtual void ListChildren(std::vector<TdxBarAccessibilityHelper*>& Children);

 protected:
  void* InterfaceFor(win::REFIID riid) override;
  // The base rule of NextSelectableFrom, also used when climbing into a parent.
  TdxBarAccessibilityHelper* TabOrderFrom(int Index, bool Forward);
  // The first (or last) selectable helper inside Helper's logical children.
  static TdxBarAccessibilityHelper* SelectableInside(TdxBarAccessibilityHelper* Helper, bool Forward);
  // Candidates for a spatial move from R: the selectable, visible helpers in the direction under
  // Root (itself included), parents before children, leaving out Skip and all below it.
  static void CollectCandidates(TdxBarAccessibilityHelper* Root, TdxBarAccessibilityHelper* Skip, const TRect& R,
                                int Direction, std::vector<TdxBarAccessibilityHelper*>& List);
  // The nearest of List in the direction from R.
  static TdxBarAccessibilityHelper* NearestFrom(const TRect& R, const std::vector<TdxBarAccessibilityHelper*>& List,
                                                int Direction, bool Wrap);
};

// Keeps a helper alive for a scope: a key or a selection change may free the owner that held it.
class THelperHold {
 public:
  explicit THelperHold(IdxBarAccessibilityHelper* Helper);
  ~THelperHold();
  THelperHold(const THelperHold&) = delete;
  THelperHold& operator=(const THelperHold&) = delete;

 private:
  TdxBarAccessibilityHelper* FHelper;
};

// A helper's IdxBarAccessibilityHelper; nil for nil.
IdxBarAccessibilityHelper* BarInterfaceOf(TcxAccessibilityHelper* Helper);
// The helper behind an interface reference; nil for nil.
TdxBarAccessibilityHelper* BarHelperOf(IdxBarAccessibilityHelper* Helper);

// ---- dock sites ---------------------------------------------------------------------------------

class TdxDockControlAccessibilityHelper : public TdxBarAccessibilityHelper {
  VW_CLASS(TdxDockControlAccessibilityHelper, TdxBarAccessibilityHelper)
 public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  TdxDockControl* DockControl() const;
  TcxAccessibilityHelper* ChildAt(int Index) override;
  int CountChildren() override;
  int IndexOfChild(TcxAccessibilityHelper* Child) override;
  win::HWND OwnerWindow() override;
  void ScreenBounds(int ChildID, TRect& R) override;
  int StateOf(int ChildID) override;
  TdxBarManager* OwningBarManager() override;
  void ListChildren(std::vector<TdxBarAccessibilityHelper*>& Children) override;

 private:
  // The shown toolbar windows, row by row.
  std::vector<TdxBarControl*> BarWindows();
};

// ---- bar windows --------------------------------------------------------------------------------

class TCustomdxBarControlAccessibilityHelper : public TdxBarAccessibilityHelper {
  VW_CLASS(TCustomdxBarControlAccessibilityHelper, TdxBarAccessibilityHelper)
 public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  TcxAccessibilityHelper* ChildAt(int Index) override;
  int CountChildren() override;
  int IndexOfChild(TcxAccessibilityHelper* Child) override;
  win::HWND OwnerWindow() override;
  void ScreenBounds(int ChildID, TRect& R) override;
  int StateOf(int ChildID) override;
  bool AllowsChildNavigation(win::WORD Key) override;
  TdxBarAccessibilityHelper* NextSelectableFrom(int Index, TShiftState Shift) override;

  // ---- bar-control operations, in slot order ----
  virtual TCustomdxBarControl* BarControlOf();
  virtual void ItemKeyTipPlacement(TdxBarItemControl* AControl, TPoint& P, int& VerticalPlacement,
                                   int& HorizontalPlacement);
  // The helper of the item control nearest in the direction among this bar's helpers; no wrap.
  virtual void ItemNeighbour(TdxBarItemControl* AControl, int Direction, IdxBarAccessibilityHelper*& Object);
  // Its items report themselves hidden.
  virtual bool HidesItems() { return false; }
  virtual void ReleaseItemSelection();

 protected:
  // The bar's own handling of a key: the selected control drops down for its drop-down key.
  bool TakesDropDownKey(win::WORD Key);
};

class TdxBarCaptionButtonsAccessibilityHelper;

class TdxBarControlAccessibilityHelper : public TCustomdxBarControlAccessibilityHelper {
  VW_CLASS(TdxBarControlAccessibilityHelper, TCustomdxBarControlAccessibilityHelper)
 public:
  using TCustomdxBarControlAccessibilityHelper::TCustomdxBarControlAccessibilityHelper;
  TdxBarControl* Toolbar() const;
  void DetachOwner() override;
  TcxAccessibilityHelper* ChildAt(int Index) override;
  int CountChildren() override;
  int IndexOfChild(TcxAccessibilityHelper* Child) override;
  TcxAccessibilityHelper* ParentHelper() override;
  TdxBarManager* OwningBarManager() override;
  void DefaultSelectable(IdxBarAccessibilityHelper*& Object) override;
  bool ProcessNavigationKey(win::WORD& Key) override;
  void SelectObject(bool SetFocus) override;
  void UnselectObject(IdxBarAccessibilityHelper* NextObject) override;
  TCustomdxBarControl* BarControlOf() override;
  void ItemNeighbour(TdxBarItemControl* AControl, int Direction, IdxBarAccessibilityHelper*& Object) override;

  // The helper of the toolbar's caption buttons; nil without a toolbar.
  TdxBarCaptionButtonsAccessibilityHelper* CaptionButtonsHelper();
  // The helper of the toolbar's mark, made on first use and detached with this helper.
  TdxBarAccessibilityHelper* MarkHelper();

 private:
  TcxAccessibilityHelper* FMarkHelper = nullptr;
};

// The menu window: its keys move the selection up and down its links, expand a personalised menu,
// and hand Left and Right to the toolbar the menu chain started from.
class TdxBarSubMenuControlAccessibilityHelper : public TCustomdxBarControlAccessibilityHelper {
  VW_CLASS(TdxBarSubMenuControlAccessibilityHelper, TCustomdxBarControlAccessibilityHelper)
 public:
  using TCustomdxBarControlAccessibilityHelper::TCustomdxBarControlAccessibilityHelper;
  TdxBarSubMenuControl* Menu() const;
  TdxBarManager* OwningBarManager() override;
  // Every key is the menu's.
  bool ProcessNavigationKey(win::WORD& Key) override;
  void ItemKeyTipPlacement(TdxBarItemControl* AControl, TPoint& P, int& VerticalPlacement,
                           int& HorizontalPlacement) override;
  // The menu closes and its opener's container shows its tips again.
  void EscapeFromKeyTips() override;
  // The tips of a menu follow from the control that dropped it.
  TdxBarAccessibilityHelper* KeyTipParent() override;

  // The shown link after (or before) Link, wrapping; nil when none can be selected.
  TdxBarItemLink* AdjacentLink(TdxBarItemLink* Link, bool Forward);
  void MoveHorizontally(bool ToLeft);
  void MoveVertically(bool Up, bool ByTab);
};

class TdxBarControlMarkAccessibilityHelper : public TdxBarAccessibilityHelper {
  VW_CLASS(TdxBarControlMarkAccessibilityHelper, TdxBarAccessibilityHelper)
 public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  TdxBarControl* Toolbar() const;
  TcxAccessibilityHelper* ParentHelper() override;
  win::HWND OwnerWindow() override;
  void ScreenBounds(int ChildID, TRect& R) override;
  int StateOf(int ChildID) override;
  bool IsSelectable() override { return IsVisible(); }
  TdxBarManager* OwningBarManager() override;
  bool WantsNavigationKey(win::WORD Key) override;
  bool ProcessNavigationKey(win::WORD& Key) override;
  void SelectObject(bool SetFocus) override;
  void UnselectObject(IdxBarAccessibilityHelper* NextObject) override;
};

class TdxBarCaptionButtonsAccessibilityHelper : public TdxBarAccessibilityHelper {
  VW_CLASS(TdxBarCaptionButtonsAccessibilityHelper, TdxBarAccessibilityHelper)
 public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  TdxBarCaptionButtons* Buttons() const;
  TcxAccessibilityHelper* ChildAt(int Index) override;
  int CountChildren() override;
  int IndexOfChild(TcxAccessibilityHelper* Child) override;
  TcxAccessibilityHelper* ParentHelper() override;
  win::HWND OwnerWindow() override;
  void ScreenBounds(int ChildID, TRect& R) override;
  int StateOf(int ChildID) override;
  TdxBarManager* OwningBarManager() override;
  void UnselectObject(IdxBarAccessibilityHelper* NextObject) override;
  // The toolbar window showing the buttons; nil while there is none.
  TdxBarControl* Toolbar() const;
  // The buttons take their hot states from where the mouse is.
  void RefreshHotState();
};

class TdxBarCaptionButtonAccessibilityHelper : public TdxBarAccessibilityHelper {
  VW_CLASS(TdxBarCaptionButtonAccessibilityHelper, TdxBarAccessibilityHelper)
 public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  TdxBarCaptionButton* Button() const;
  TcxAccessibilityHelper* ParentHelper() override;
  win::HWND OwnerWindow() override;
  void ScreenBounds(int ChildID, TRect& R) override;
  int StateOf(int ChildID) override;
  bool IsSelectable() override { return IsVisible(); }
  TdxBarManager* OwningBarManager() override;
  bool WantsNavigationKey(win::WORD Key) override;
  bool ProcessNavigationKey(win::WORD& Key) override;
  void SelectObject(bool SetFocus) override;
  void UnselectObject(IdxBarAccessibilityHelper* NextObject) override;
  String AssignedKeyTip() override;
  String DefaultKeyTip() override { return "Y"; }
  void FillKeyTipInfo(TdxBarKeyTipInfo& Info) override;
  void ExecuteKeyTip(TObject* Sender) override;
};

// ---- item controls ------------------------------------------------------------------------------

class TdxBarItemControlAccessibilityHelper : public TdxBarAccessibilityHelper {
  VW_CLASS(TdxBarItemControlAccessibilityHelper, TdxBarAccessibilityHelper)
 public:
  using TdxBarAccessibilityHelper::TdxBarAccessibilityHelper;
  TdxBarItemControl* ItemControl() const;
  // The helper of the control's bar window; nil without one.
  TCustomdxBarControlAccessibilityHelper* BarControlHelper();
  TcxAccessibilityHelper* ParentHelper() override;
  win::HWND OwnerWindow() override;
  void ScreenBounds(int ChildID, TRect& R) override;
  int StateOf(int ChildID) override;
  bool IsSelectable() override;
  TdxBarManager* OwningBarManager() override;
  void NeighbourInDirection(int Direction, IdxBarAccessibilityHelper*& Object) override;
  bool ProcessNavigationKey(win::WORD& Key) override;
  bool WantsNavigationKey(win::WORD Key) override;
  void SelectObject(bool SetFocus) override;
  void UnselectObject(IdxBarAccessibilityHelper* NextObject) override;
  String AssignedKeyTip() override;
  // The letter of a Ctrl+letter shortcut, else the caption's accelerator, else "Y".
  String DefaultKeyTip() override;
  void FillKeyTipInfo(TdxBarKeyTipInfo& Info) override;
};

// Buttons and sub-items: a tip drops a drop-down down and moves the tips into it, and clicks any
// other button.
class TdxBarButtonLikeControlAccessibilityHelper : public TdxBarItemControlAccessibilityHelper {
  VW_CLASS(TdxBarButtonLikeControlAccessibilityHelper, TdxBarItemControlAccessibilityHelper)
 public:
  using TdxBarItemControlAccessibilityHelper::TdxBarItemControlAccessibilityHelper;
  void ExecuteKeyTip(TObject* Sender) override;

 protected:
  virtual bool DropsDown();
};

class TdxBarButtonControlAccessibilityHelper : public TdxBarButtonLikeControlAccessibilityHelper {
  VW_CLASS(TdxBarButtonControlAccessibilityHelper, TdxBarButtonLikeControlAccessibilityHelper)
 public:
  using TdxBarButtonLikeControlAccessibilityHelper::TdxBarButtonLikeControlAccessibilityHelper;

 protected:
  bool DropsDown() override;
};

class TdxBarSubItemControlAccessibilityHelper : public TdxBarButtonLikeControlAccessibilityHelper {
  VW_CLASS(TdxBarSubItemControlAccessibilityHelper, TdxBarButtonLikeControlAccessibilityHelper)
 public:
  using TdxBarButtonLikeControlAccessibilityHelper::TdxBarButtonLikeControlAccessibilityHelper;

 protected:
  bool DropsDown() override { return true; }
};

// Window items: a tip puts the focus into the editor.
class TdxBarWinControlAccessibilityHelper : public TdxBarItemControlAccessibilityHelper {
  VW_CLASS(TdxBarWinControlAccessibilityHelper, TdxBarItemControlAccessibilityHelper)
 public:
  using TdxBarItemControlAccessibilityHelper::TdxBarItemControlAccessibilityHelper;
  void ExecuteKeyTip(TObject* Sender) override;
};

// The helper whose key tips hold this helper's: climbing KeyTipParent, the first that groups key
// tips, else the topmost; nil only when the helper has no key tip parent.
TdxBarAccessibilityHelper* KeyTipContainerOf(TdxBarAccessibilityHelper* Helper);
// Escape in the container's key tips.
void EscapeKeyTips(IdxBarAccessibilityHelper* Container);
// Where keyboard navigation of a manager's bars starts: its main menu's toolbar window; nil when
// it shows none.
IdxBarAccessibilityHelper* RootAccessibleObjectOf(TdxBarManager* Manager);
