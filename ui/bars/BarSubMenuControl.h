#pragma once
// The menu window: the pop-up list a sub-item, a drop-down button, a popup menu or the library
// itself opens. It stacks its item controls vertically, places itself beside what opened it
// (flipping at the edges of the work area), scrolls when it is taller than the work area, and
// closes as part of the chain of bars it was opened from. The library's own popups are internal
// menus that own their links.
//
// Opening, in the opener's order: create the menu (owner: the bar manager); set its links, parent
// bar, sub-item or drop-down button, the owner size and Left/Top (the menu opens to the right of
// and below that point unless placement flips it); then PopupMenuWindow. The window is made while
// it shows: placement happens in the window's creation.
#include <functional>

#include "platform/classes/Interface.h"

#include "ui/bars/BarClasses.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarMenuAnimation.h"
#include "ui/bars/BarMenuPlacement.h"

class TdxBarManager;
class TdxBarSubMenuControl;

// Where the menu animation unit plugs in. Without a starter no menu animates (fades go through
// AnimateWindow and need none).
struct TdxBarMenuAnimator {
  // Starts the opening animation of the placed menu; answers the running animation.
  TObject* (*Start)(TdxBarSubMenuControl* AMenu) = nullptr;
  // Stops a running animation, letting it finish the menu's final placement or not.
  void (*Stop)(TObject* AAnimation, bool AFinish) = nullptr;
};
extern TdxBarMenuAnimator dxBarMenuAnimator;
// A number below ABound for maRandom; tests install their own.
extern std::function<int(int ABound)> dxBarMenuRandom;

// The menu's drawn links and the separators before them.
class TdxBarSubMenuControlViewInfo : public TCustomdxBarControlViewInfo {
  VW_CLASS(TdxBarSubMenuControlViewInfo, TCustomdxBarControlViewInfo)
 public:
  using TCustomdxBarControlViewInfo::TCustomdxBarControlViewInfo;
  void Calculate() override;
};

class TdxBarSubMenuControl : public TCustomdxBarControl {
  VW_CLASS(TdxBarSubMenuControl, TCustomdxBarControl)
 public:
  explicit TdxBarSubMenuControl(TComponent* AOwner);
  ~TdxBarSubMenuControl() override;

  // ---- new virtual operations, in slot order ----
  virtual void DrawMenuFrame(win::HDC DC, const TRect& R);
  // A descendant's second placement pass: the size it wants instead; false keeps the first.
  virtual bool ChildAdjustsSize(TSize& ASize);
  virtual bool AcceptsRightButton() const;
  virtual TSize CalcItemsSize();
  virtual bool FitsWidthToScreen() const { return false; }
  // A sub-item opening the menu by keyboard selects the first selectable link.
  virtual bool SelectsFirstItemOnKeyboardOpen() const { return true; }
  virtual int ScrollInterval() const { return 80; }
  virtual TSize CalcContentSize() { return CalcItemsSize(); }
  virtual void ShowMenuWindow();
  virtual void PaintContents();
  virtual void FillMenuBackground(win::HDC DC, const TRect& R, bool AWithOrigin, TColor AColor, win::HBRUSH ABrush);
  virtual TRect FrameInsets(bool AWithCaption) const;
  virtual TRect ContentInsets() const;

  // ---- overrides of the bar window ----
  void CalcLayout() override;
  bool DropPositionAt(const TPoint& P, TdxBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                      bool& AOnSeparator) const override;
  void CalcMetrics() override;
  void CalcItemsRect() override;
  bool CanActivate() const override { return true; }
  bool AllowsDesignHitTest() const override;
  bool ClipsLastItem(const TRect& R) const override;
  bool ShowsItemHints() const override { return (BehaviourFlags() & dxBarBehaviourMenuHints) != 0; }
  bool IsUpdateLocked() const override;
  bool LinksMenuToOwner() const override { return false; }
  void HandleMouseLeft() override;
  void HandleItemMouseMove(TShiftState Shift, const TPoint& P, TdxBarItemControl* AControl) override;
  void ReturnFocus() override;
  void DoCloseUp() override;
  void DrawItemControl(TdxBarItemControl* AControl, TcxCanvas* ACanvas, const TRect& R) override;
  void Rebuild(bool ARecreate) override;
  void PaintItems() override;
  void DragMouseMoved(int X, int Y, bool& AAllowDrop) override;
  TClass AccessibilityHelperClass() const override;
  TBitmap* BackgroundBitmap() const override;
  int SeparatorSize() const override;
  unsigned BehaviourFlags() const override;
  int ItemHeight(TdxBarItemControl* AControl) const override;
  TFont* ItemsFont() const override;
  bool InCustomizingMode() const override;
  bool IsMainMenu() const override { return false; }
  bool ShowsShadow() const override;
  bool IsStatusBar() const override { return false; }
  int SeparatorSizeBefore(TdxBarItemLink* ALink) const override;
  int ItemDrawMode() const override { return 1; }
  TPersistent* DesignSelectable() const override;
  TClass ViewInfoClass() const override { return TdxBarSubMenuControlViewInfo::StaticClass(); }
  void MakeControlVisible(TdxBarItemControl* AControl) override;
  int DropDownOffset() const override;
  int TextSize() const override;
  TRect MouseTrackingArea() const override;
  bool IsPopupStyle() const override { return true; }
  bool IsPopupWindow() const override { return true; }
  bool StacksItemsVertically() const override { return true; }
  bool IsOwnerWindow(win::HWND Window) const override;
  bool HasMark() const override;
  TRect MarkRect() const override;
  void SetMarkState(int AState) override;
  void AssignFont() override;
  void SetSelectedControl(TdxBarItemControl* AControl) override;
  void SelectByAccelerator(TdxBarItemControl* AControl, bool AAmbiguous) override;
  void HandleKeyDown(TMessage& Message) override;
  void SetActive(bool AActive) override;
  TRect ItemRect(TdxBarItemControl* AControl, bool AWithSeparator) const override;
  void InvalidateItemControl(TdxBarItemControl* AControl) override;
  void CustomizingPopupDone(int AResult) override;
  void ShowCustomizingPopup(TdxBarItemControl* AControl) override;
  void FillBarBackground(win::HDC DC, const TRect& R, bool AWithOrigin, TColor AColor, win::HBRUSH ABrush) override;
  bool IsInternal() const override;
  bool HasOwnBackground() const override;
  void DrawNonClient(win::HDC DC) override;
  void Dismiss() override;
  int BarKind() const override { return 2; }
  win::HBRUSH BkBrush() const override;
  int SideBandWidth() const override { return SideStripWidth(); }
  // The tear-off caption: flag 0x01 of the parent and a Detachable sub-item.
  bool IsDetachable() const override;
  bool DetachCaptionHot() const override { return FDetachCaptionSelected; }
  int DetachCaptionSize() const override;
  bool ShadesRarelyUsed() const override;
  bool ShowsDescriptions() const override;
  // The layout goes by each control's measured height.
  int LaidOutItemHeight(TdxBarItemControl* AControl) const override;

  // ---- opening and showing ----
  // Shows the menu: the popup handler, the animation kind of this showing, then ShowMenuWindow.
  virtual void PopupMenuWindow();
  // Moves and sizes the window for the content (ASize {0, 0}: measured); the flips are reported.
  void PlaceMenu(TSize ASize, bool& AFlippedHorizontally, bool& AFlippedVertically);
  // The window's size for its content: measured content, mark, frame and content insets.
  TSize CalcMenuSize();
  void StopAnimation(bool AFinish);
  // The animation thread ended: the menu forgets it.
  void AnimationEnded() { FAnimationThread = nullptr; }
  // The placed window's final geometry and growth table for its opening animation.
  TdxBarMenuAnimationParams AnimationParams();
  TObject* AnimationThread() const { return FAnimationThread; }

  // ---- scrolling ----
  int TopIndex() const { return FTopIndex; }
  // Clamped below at 0; a change invalidates the items.
  void SetTopIndex(int Value);
  bool CanScrollUp() const { return FTopIndex > 0; }
  bool CanScrollDown() const;
  // Visible indexes of the first and last link drawn (the arrows cover the others laid out).
  int FirstDrawnIndex() const { return FTopIndex + (CanScrollUp() ? 1 : 0); }
  int LastDrawnIndex() const;
  // The number of visible links from the top index that got a rectangle.
  int LaidOutCount() const;
  TRect ScrollButtonBounds(bool ATop) const;
  bool Scrolling() const { return FScrollTimer != 0; }
  int SideStripWidth() const;

  // ---- what openers hand the menu ----
  // The button control whose drop-down this menu is.
  TdxBarItemControl* DropDownButton() const { return FDropDownButton; }
  void SetDropDownButton(TdxBarItemControl* Value) { FDropDownButton = Value; }
  // The sub-item control that opened this menu.
  TdxBarItemControl* OwnerSubItemControl() const { return FSubItem; }
  void SetOwnerSubItemControl(TdxBarItemControl* Value) { FSubItem = Value; }
  // The drop-down button, else the sub-item.
  TdxBarItemControl* OwnerItemControl() const { return FDropDownButton ? FDropDownButton : FSubItem; }
  // The size of the element the menu opens beside or below (0 at a point).
  int OwnerWidth() const { return FOwnerWidth; }
  int OwnerHeight() const { return FOwnerHeight; }
  void SetOwnerSize(int AWidth, int AHeight) {
    FOwnerWidth = AWidth;
    FOwnerHeight = AHeight;
  }
  bool ShowAnimation() const { return FShowAnimation; }
  void SetShowAnimation(bool Value) { FShowAnimation = Value; }
  TdxBarMenuAnimations MenuAnimationKind() const { return FMenuAnimationKind; }
  // The popup menu's window the menu belongs to; none for the manager's form.
  win::HWND ParentWindow() const { return FParentWindow; }
  void SetParentWindow(win::HWND Value) { FParentWindow = Value; }
  int OnShowLeft() const { return FOnShowLeft; }
  int OnShowTop() const { return FOnShowTop; }
  win::HBRUSH LightBrush() const { return FLightBrush; }
  win::HPALETTE LightPalette() const { return FLightPalette; }
  bool ExpandingMenu() const { return FExpandingMenu; }

  // ---- the tear-off caption ----
  // The caption band in window coordinates; empty without one.
  TRect DetachCaptionRect() const;
  bool DetachCaptionSelected() const { return FDetachCaptionSelected; }

  // ---- personalised menus ----
  // Recent items first: the manager's MenusShowRecentItemsFirst, outside design mode.
  bool IsPersonalised() const;
  // Shows all items: the window is made anew in place, the menu staying active.
  void ExpandMenu();
  // The id of the running expand timer (2: the mark turns hot, 3: the menu expands); 0 for none.
  win::UINT_PTR ExpandTimer() const { return FExpandTimer; }
  TNotifyEvent OnPopup;
  // Fired once the window is gone.
  TNotifyEvent OnCloseUp;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandle() override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void Paint() override;
  // The window is gone: the close-up handler fires.
  virtual void CloseUpNotification();
  // Personalised menus show only the recent links until the menu expands.
  virtual void InitRecentItems();
  // Which shown links lie outside the recent ones and where the recent state changes.
  void UpdateRecentFlags();
  // The drag of one of this menu's links keeps the window: it is hidden and handed to the drag.
  virtual bool KeepsWindowForDrag() const;
  // The library's customizing popup shows at once, always.
  virtual bool NeverAnimates() const { return false; }

 private:
  void MakeLightBrush();
  void FreeLightBrush();
  void AfterWindowCreated();
  bool HandleScrollArrows(const TPoint& P);
  void StopScrolling(bool AResendMouse);
  void ScrollTimerTick();
  void NCCalcSize(TMessage& Message);
  void StartExpandTimer(win::UINT_PTR AId, win::UINT AElapse);
  void KillExpandTimer();
  void ExpandTimerFired(win::UINT_PTR AId);
  // The delayed expansions wait: personalised, not full and ShowFullMenusAfterDelay.
  bool WaitsToExpand() const;
  // Ctrl+Down, and Tab or Down on the last shown link; true when the key was taken.
  bool HandleExpandKeys(TMessage& Message);
  void HandleMarkPress(const TPoint& P);
  // Over the caption the menu answers as client area, so its mouse reaches the menu.
  bool DetachCaptionHitTest(TMessage& Message);
  // The caption's selection follows the client point P.
  void TrackDetachCaption(const TPoint& P);
  void SetDetachCaptionSelected(bool Value);
  // Drags the detaching toolbar off the caption; the menu may be gone when it returns.
  void TearOff();
  void WMLButtonDown(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void DestroyMenuWindow();
  void KeepWindowForDrag();
  // The popup menu component whose window this is; none.
  TdxBarPopupMenu* OwnerPopupMenu() const;

  TObject* FAnimationThread = nullptr;
  // Placement flipped the menu: it opens toward the left, or upward.
  bool FOpensLeftward = false, FOpensUpward = false;
  bool FDetachCaptionSelected = false;
  bool FExpandingMenu = false;
  win::UINT_PTR FExpandTimer = 0;
  win::HBRUSH FLightBrush = nullptr;
  win::HPALETTE FLightPalette = nullptr;
  bool FLockSizeChange = false;
  TdxBarMenuAnimations FMenuAnimationKind = maNone;
  int FOnShowLeft = 0, FOnShowTop = 0;
  int FOwnerWidth = 0, FOwnerHeight = 0;
  win::UINT_PTR FScrollTimer = 0;
  bool FShowAnimation = false;
  int FTopIndex = 0;
  TdxBarItemControl* FDropDownButton = nullptr;
  TdxBarItemControl* FSubItem = nullptr;
  win::HWND FParentWindow = nullptr;
  // The non-recent item being drawn takes the light brush as the bar's brush.
  win::HBRUSH FItemBrush = nullptr;
};

// A menu that owns its links: the library's own popups.
class TdxBarInternalSubMenuControl : public TdxBarSubMenuControl {
  VW_CLASS(TdxBarInternalSubMenuControl, TdxBarSubMenuControl)
 public:
  explicit TdxBarInternalSubMenuControl(TComponent* AOwner);
  ~TdxBarInternalSubMenuControl() override;
  bool InCustomizingMode() const override { return false; }
  bool IsInternal() const override { return true; }
};

// The customizing popup of a link: never animated; the manager fills it before it shows.
class TdxBarCustomizingPopup : public TdxBarInternalSubMenuControl {
  VW_CLASS(TdxBarCustomizingPopup, TdxBarInternalSubMenuControl)
 public:
  using TdxBarInternalSubMenuControl::TdxBarInternalSubMenuControl;
  void PopupMenuWindow() override;
  // The manager's notification filled the links already: showing does not ask it again.
  bool ManagerFilled = false;

 protected:
  bool NeverAnimates() const override { return true; }
};

// The list of toolbars to show or hide; the design controller fills it.
class TdxBarToolbarsPopup : public TdxBarInternalSubMenuControl {
  VW_CLASS(TdxBarToolbarsPopup, TdxBarInternalSubMenuControl)
 public:
  using TdxBarInternalSubMenuControl::TdxBarInternalSubMenuControl;
};

// The application menu lives in BarApplicationMenu.h.

// The private menu of a list or container item: made by its control each time it opens, filled by
// the item and freed when it closes. Its close-up ends the item's generation of links; its
// destruction marks the item's list to be cleared before the next use.
class TContainerItemSubMenuControl : public TdxBarSubMenuControl {
  VW_CLASS(TContainerItemSubMenuControl, TdxBarSubMenuControl)
 public:
  explicit TContainerItemSubMenuControl(TComponent* AOwner);
  ~TContainerItemSubMenuControl() override;
  bool InCustomizingMode() const override { return false; }
  TCustomdxBarContainerItem* ContainerItem() const { return FContainerItem; }
  void SetContainerItem(TCustomdxBarContainerItem* Value) { FContainerItem = Value; }
  TdxBarContainerLinkData* LinkData() const { return FLinkData; }
  // The item's links made for this menu are released, once.
  void Collapse();

 protected:
  void CloseUpNotification() override;

 private:
  TCustomdxBarContainerItem* FContainerItem = nullptr;
  TdxBarContainerLinkData* FLinkData;
  bool FCollapsed = true;
  friend class TdxBarContainerItemControl;
};
