#pragma once
// The application menu: a large menu window with the ordinary items on the left, an extra pane on
// the right (a list such as recently used documents, shown by a hidden internal toolbar docked in a
// site that is a child of the menu window) and a row of buttons along the bottom. The component
// owning the menu is not part of the library: it answers IdxBarApplicationMenuOwner beside the
// links-owner interface of the menu's links.
#include "platform/classes/Collection.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/Bars.h"

class TdxBarApplicationMenuButtons;
class TdxBarApplicationMenuControl;
class TdxBarExtraPaneListItem;

// What the owner of an application menu supplies. The menu asks it through the owner object of
// its item links.
class IdxBarApplicationMenuOwner : public virtual IInterface {
 public:
  virtual TdxBarManager* ApplicationMenuBarManager() = 0;
  virtual TdxBarApplicationMenuButtons* ApplicationMenuButtons() = 0;
  // The pane's width at the painter's nominal text size; 0 uses the ratio.
  virtual int ExtraPaneWidth() = 0;
  // The pane's width as a fraction of the menu's content width.
  virtual double ExtraPaneSizeRatio() = 0;
  // The pane's entries (TdxBarExtraPaneItem), in order.
  virtual TCollection* ExtraPaneItems() = 0;
  // The list item that shows the entries in the pane; nil for no pane list.
  virtual TdxBarExtraPaneListItem* ExtraPaneListItem() = 0;
};

// The owner may name the helper whose key tips hold the application menu's.
class IdxBarApplicationMenuKeyTipParent : public virtual IInterface {
 public:
  static constexpr const char* GUID = "{6411B5B8-FFF8-42BD-BFD4-0B53151C97DC}";
  virtual TdxBarAccessibilityHelper* ApplicationMenuKeyTipParent() = 0;
};

// ---- the bottom buttons ---------------------------------------------------------------------------

// One bottom button: an internal item that takes over the look and the click of an external button.
// The internal item belongs to the manager but never appears in its item list.
class TdxBarApplicationMenuButton : public TCollectionItem {
  VW_CLASS(TdxBarApplicationMenuButton, TCollectionItem)
 public:
  explicit TdxBarApplicationMenuButton(TCollection* ACollection = nullptr);
  ~TdxBarApplicationMenuButton() override;
  static void DeclareProperties(TPropTable& t);
  void Assign(TPersistent* Source) override;

  TdxBarButton* Item() const;
  void SetItem(TdxBarButton* Value);
  // 0: measured.
  int Width() const;
  void SetWidth(int Value);
  TdxBarApplicationMenuButtonItem* InternalItem() const { return FInternalItem; }

 private:
  TdxBarApplicationMenuButtonItem* FInternalItem = nullptr;
};

class TdxBarApplicationMenuButtons : public TCollection {
  VW_CLASS(TdxBarApplicationMenuButtons, TCollection)
 public:
  // AOwner: the application menu component (it streams the collection).
  explicit TdxBarApplicationMenuButtons(TPersistent* AOwner = nullptr)
      : TCollection(TdxBarApplicationMenuButton::StaticClass()), FOwner(AOwner) {}
  TdxBarApplicationMenuButton* Add() { return static_cast<TdxBarApplicationMenuButton*>(TCollection::Add()); }
  TdxBarApplicationMenuButton* Items(int Index) const {
    return static_cast<TdxBarApplicationMenuButton*>(TCollection::Items(Index));
  }
  // The manager the owner answers; nil without one.
  TdxBarManager* BarManager() const;

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

// The links of the bottom buttons; their bar window is the application menu.
class TdxBarApplicationMenuButtonItemLinks : public TdxBarSubMenuControlItemLinks {
  VW_CLASS(TdxBarApplicationMenuButtonItemLinks, TdxBarSubMenuControlItemLinks)
 public:
  using TdxBarSubMenuControlItemLinks::TdxBarSubMenuControlItemLinks;
  // Right-aligned along the row, 6 pixels apart, each as wide as its control measures; the buttons
  // from the first that does not fit on keep empty rectangles.
  void LayOutButtons(const TRect& R);
};

// ---- the menu window --------------------------------------------------------------------------------

class TdxBarApplicationMenuControlViewInfo : public TdxBarSubMenuControlViewInfo {
  VW_CLASS(TdxBarApplicationMenuControlViewInfo, TdxBarSubMenuControlViewInfo)
 public:
  using TdxBarSubMenuControlViewInfo::TdxBarSubMenuControlViewInfo;
  void Calculate() override;
};

class TdxBarApplicationMenuControl : public TdxBarSubMenuControl {
  VW_CLASS(TdxBarApplicationMenuControl, TdxBarSubMenuControl)
 public:
  explicit TdxBarApplicationMenuControl(TComponent* AOwner);
  ~TdxBarApplicationMenuControl() override;

  virtual TClass ExtraPaneDockControlClass() const;

  // ---- overrides ----
  void CalcItemRects(int AKind, int ATopIndex) override;
  void CalcItemsRect() override;
  bool ChildMenuBounds(TRect& R) override;
  TSize CalcContentSize() override;
  TClass ViewInfoClass() const override { return TdxBarApplicationMenuControlViewInfo::StaticClass(); }
  void DrawMenuFrame(win::HDC DC, const TRect& R) override;
  void ShowMenuWindow() override;
  void PaintContents() override;
  void FillMenuBackground(win::HDC DC, const TRect& R, bool AWithOrigin, TColor AColor, win::HBRUSH ABrush) override;
  TdxBarItemLink* FindLinkByAccelerator(win::WORD Key, TShiftState Shift, TdxBarItemLink* AStart) override;
  TdxBarItemLink* FindEnabledAcceleratedLink(win::WORD Key, TShiftState Shift, bool& AAmbiguous,
                                            TdxBarItemLink* AStart) override;
  TClass AccessibilityHelperClass() const override;
  unsigned BehaviourFlags() const override { return 0x9E; }
  TRect ContentInsets() const override;
  bool OwnsItemControl(TdxBarItemControl* AControl) const override;
  void SelectByAccelerator(TdxBarItemControl* AControl, bool AAmbiguous) override;
  void MakeControlVisible(TdxBarItemControl* AControl) override;
  void SetItemLinks(TdxBarItemLinks* Value) override;
  void CreateItemControls() override;
  void DestroyItemControls() override;

  // ---- the areas, client coordinates ----
  TRect ButtonsRect() const { return FButtonsRect; }
  TRect ExtraPaneRect() const { return FExtraPaneRect; }
  int ExtraPaneSize() const { return FExtraPaneSize; }
  // The menu's content rectangle: the client inside the painter's border insets.
  TRect ContentRect() const;

  // ---- parts ----
  TdxBar* ExtraPaneBar() const { return FExtraPaneBar; }
  TdxBarDockControl* DockControl() const { return FDockControl; }
  TdxBarApplicationMenuButtonItemLinks* ButtonItemLinks() const { return FButtonItemLinks; }
  // The copies searched for accelerators; nil before the first search.
  TdxBarItemLinks* TotalItemLinks() const { return FTotalItemLinks; }
  // The owner's settings; nil when the owner does not answer them.
  IdxBarApplicationMenuOwner* MenuOwner() const;
  // The pane's shown links; nil without a pane.
  TdxBarItemLinks* ExtraPaneLinks() const;

 protected:
  void FillAreas();
  void ShowExtraPane();
  void PaintBackgroundAround(win::HDC DC);
  void RebuildTotalItemLinks();

 private:
  TdxBar* FExtraPaneBar = nullptr;
  TdxBarApplicationMenuButtonItemLinks* FButtonItemLinks = nullptr;
  TRect FButtonsRect{};
  TdxBarDockControl* FDockControl = nullptr;
  TRect FExtraPaneRect{};
  int FExtraPaneSize = 0;
  TdxBarItemLinks* FTotalItemLinks = nullptr;
};

// ---- the extra pane ------------------------------------------------------------------------------------

// The pane's site inside the menu window: it holds one toolbar window over its whole client area.
class TdxBarExtraPaneDockControl : public TdxBarDockControl {
  VW_CLASS(TdxBarExtraPaneDockControl, TdxBarDockControl)
 public:
  explicit TdxBarExtraPaneDockControl(TComponent* AOwner);
  TClass BarControlClass() const override;
  TClass AccessibilityHelperClass() const override;
  void ArrangeRows() override;
  // The menu sizes the site: its rows never do.
  void FitToRows() override {}
  // The application menu whose child the site is; nil.
  TdxBarApplicationMenuControl* ApplicationMenu() const;
};

class TdxBarExtraPaneControlViewInfo : public TdxBarControlViewInfo {
  VW_CLASS(TdxBarExtraPaneControlViewInfo, TdxBarControlViewInfo)
 public:
  using TdxBarControlViewInfo::TdxBarControlViewInfo;
  // A strip of the separator size right above the control beginning a group, across the window.
  void CalcSeparatorRect(TdxBarItemLink* ALink, const TRect& AItemRect) override;
};

// The toolbar window of the pane: its links stacked vertically, drawn with the pane's look; what
// the user does in it is the application menu's business.
class TdxBarExtraPaneControl : public TdxBarControl {
  VW_CLASS(TdxBarExtraPaneControl, TdxBarControl)
 public:
  using TdxBarControl::TdxBarControl;
  TdxBarApplicationMenuControl* ApplicationMenu() const;

  void CalcLayout() override;
  void CalcItemsRect() override;
  bool AcceptsMouseInput() const override;
  void CreateItemControls() override;
  void DestroyItemControls() override;
  void DoCloseUp() override;
  void DrawSeparator(const TRect& R, bool AAcross) override;
  void FillBarBackground(win::HDC DC, const TRect& R, bool AWithOrigin, TColor AColor, win::HBRUSH ABrush) override;
  unsigned BehaviourFlags() const override;
  TdxBarPainter* BarPainter() const override;
  TdxBarItemLink* FindEnabledAcceleratedLink(win::WORD Key, TShiftState Shift, bool& AAmbiguous,
                                            TdxBarItemLink* AStart) override;
  void SelectByAccelerator(TdxBarItemControl* AControl, bool AAmbiguous) override;
  bool AllowsCustomizingPopup(bool ARightClick) const override;
  void CustomizingPopupDone(int AResult) override;
  void ShowCustomizingPopup(TdxBarItemControl* AControl) override;
  void CloseByEscape() override;
  TClass ViewInfoClass() const override { return TdxBarExtraPaneControlViewInfo::StaticClass(); }
  TClass AccessibilityHelperClass() const override;
  void LinksChanged() override {}
  bool ControlsCreated() const { return FControlsCreated; }

 protected:
  void WndProc(TMessage& Message) override;

 private:
  bool FControlsCreated = false;
};

// ---- keyboard navigation -------------------------------------------------------------------------------

// The three groups the keys move through: the menu's links, the pane's, the buttons'.
class TdxBarApplicationMenuControlAccessibilityHelper : public TdxBarSubMenuControlAccessibilityHelper {
  VW_CLASS(TdxBarApplicationMenuControlAccessibilityHelper, TdxBarSubMenuControlAccessibilityHelper)
 public:
  using TdxBarSubMenuControlAccessibilityHelper::TdxBarSubMenuControlAccessibilityHelper;
  TdxBarApplicationMenuControl* ApplicationMenu() const;
  // The pane site's helper follows the menu's children, while the site exists.
  TcxAccessibilityHelper* ChildAt(int Index) override;
  int CountChildren() override;
  int IndexOfChild(TcxAccessibilityHelper* Child) override;
  void ItemKeyTipPlacement(TdxBarItemControl* AControl, TPoint& P, int& VerticalPlacement,
                           int& HorizontalPlacement) override;
  void ItemNeighbour(TdxBarItemControl* AControl, int Direction, IdxBarAccessibilityHelper*& Object) override;
  TdxBarAccessibilityHelper* KeyTipParent() override;
  // Up and Down move across the groups.
  void MoveVerticallyAcross(TdxBarItemLink* ALink, bool AUp, bool AByTab);
  bool ProcessNavigationKey(win::WORD& Key) override;
};

class TdxBarExtraPaneDockControlAccessibilityHelper : public TdxDockControlAccessibilityHelper {
  VW_CLASS(TdxBarExtraPaneDockControlAccessibilityHelper, TdxDockControlAccessibilityHelper)
 public:
  using TdxDockControlAccessibilityHelper::TdxDockControlAccessibilityHelper;
  TcxAccessibilityHelper* ParentHelper() override;
};

class TdxBarExtraPaneControlAccessibilityHelper : public TdxBarControlAccessibilityHelper {
  VW_CLASS(TdxBarExtraPaneControlAccessibilityHelper, TdxBarControlAccessibilityHelper)
 public:
  using TdxBarControlAccessibilityHelper::TdxBarControlAccessibilityHelper;
  // Up, Down, Tab and Shift+Tab stay with the application menu's groups.
  bool ProcessNavigationKey(win::WORD& Key) override;
  void ItemNeighbour(TdxBarItemControl* AControl, int Direction, IdxBarAccessibilityHelper*& Object) override;
};
