#pragma once
// The bar library's classes as the start-up and its registries need them: class references by
// name, with their place in the hierarchy. Items, item controls, bar windows, painters and the
// design-time helpers grow their behaviour in their own units; here they are the shells that
// the item-class registry, the streaming registry and the design controller refer to.
#include <vector>

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Controls.h"
#include "platform/classes/TypInfo.h"
#include "ui/bars/BarComponents.h"
#include "ui/bars/BarItem.h"
#include "ui/foundation/Types.h"

class TdxFadingObjectHelper;
class TdxBarPainter;
class TdxDockControl;

#define VW_BAR_SHELL(Self, Parent, ...) \
  class Self : public Parent {          \
    VW_CLASS(Self, Parent)              \
   public:                              \
    __VA_ARGS__                         \
  };

#define VW_BAR_COMPONENT_SHELL(Self, Parent) \
  VW_BAR_SHELL(Self, Parent, explicit Self(TComponent* AOwner) : Parent(AOwner) {})

// ---- items ------------------------------------------------------------------------------------

// The kinds below carry what the base item asks of them (defaults, design actions, the published
// button properties); their own units give them the rest.
class TdxBarButton : public TdxBarItem {
  VW_CLASS(TdxBarButton, TdxBarItem)
 public:
  explicit TdxBarButton(TComponent* AOwner) : TdxBarItem(AOwner) { SetUnclickAfterDoingDefault(true); }
  static void DeclareProperties(TPropTable& t);
  bool HasPaintStyles() const override { return true; }
  TdxBarCustomizationActions AvailableActions() override;
};
class TdxBarLargeButton : public TdxBarButton {
  VW_CLASS(TdxBarLargeButton, TdxBarButton)
 public:
  explicit TdxBarLargeButton(TComponent* AOwner) : TdxBarButton(AOwner) { SetShowCaptionDefault(true); }
  TdxBarCustomizationActions AvailableActions() override;
  int ActionImageIndex() const override { return LargeImageIndex(); }
  void SetActionImageIndex(int Value) override { SetLargeImageIndex(Value); }
};
// Edit and combo items are window items: they do not click directly and show as buttons on a
// vertical toolbar that turns its texts.
class TdxBarEdit : public TdxBarItem {
  VW_CLASS(TdxBarEdit, TdxBarItem)
 public:
  explicit TdxBarEdit(TComponent* AOwner) : TdxBarItem(AOwner) { SetWidthDefault(100); }
  bool ClicksDirectly() const override { return false; }
  TClass ControlClass(bool ARotated) override;
};
VW_BAR_COMPONENT_SHELL(TCustomdxBarCombo, TdxBarEdit)
VW_BAR_COMPONENT_SHELL(TdxBarCombo, TCustomdxBarCombo)
class TCustomdxBarSubItem : public TdxBarItem {
  VW_CLASS(TCustomdxBarSubItem, TdxBarItem)
 public:
  explicit TCustomdxBarSubItem(TComponent* AOwner) : TdxBarItem(AOwner) { SetShowCaptionDefault(true); }
  bool ClicksDirectly() const override { return false; }
  TdxBarCustomizationActions AvailableActions() override;
};
VW_BAR_COMPONENT_SHELL(TdxBarSubItem, TCustomdxBarSubItem)
VW_BAR_COMPONENT_SHELL(TdxBarContainerItem, TCustomdxBarSubItem)
VW_BAR_COMPONENT_SHELL(TdxBarListItem, TdxBarContainerItem)
VW_BAR_COMPONENT_SHELL(TdxBarExtraPaneListItem, TdxBarListItem)
VW_BAR_COMPONENT_SHELL(TdxBarApplicationMenuButtonItem, TdxBarItem)
VW_BAR_COMPONENT_SHELL(TdxBarQuickCustExtButton, TdxBarButton)
VW_BAR_COMPONENT_SHELL(TdxBarQuickCustItem, TdxBarItem)
VW_BAR_COMPONENT_SHELL(TdxBarQuickAccessItem, TCustomdxBarSubItem)
VW_BAR_COMPONENT_SHELL(TSystemMenuSubItem, TCustomdxBarSubItem)

// ---- the per-link controls that show items ------------------------------------------------------

class TdxBarItemControlDrawParams;
class TdxCachedImageOptions;
class TCustomdxBarControl;
class TBitmap;
class TCustomImageList;
class TCanvas;

class TdxBarItemControl : public TObject {
  VW_CLASS(TdxBarItemControl, TObject)
 public:
  // ---- what painters read of a control; the item controls' unit answers from link and item ----
  // The bar window the control stands on.
  virtual TCustomdxBarControl* Parent() const { return FParent; }
  void SetParent(TCustomdxBarControl* Value) { FParent = Value; }
  TdxBarItemLink* ItemLink() const { return FItemLink; }
  void SetItemLink(TdxBarItemLink* Value) { FItemLink = Value; }
  // Its own background brush (the bar's unless the item has one) and whether the item has one.
  virtual win::HBRUSH BkBrush() const { return nullptr; }
  virtual bool HasOwnBkBrush() const { return false; }
  virtual bool IsRarelyUsed() const { return false; }
  virtual bool Enabled() const { return true; }
  // The item style's font and background colours; clDefault when the style has none.
  virtual TColor FontColor() const { return static_cast<TColor>(0x20000000); }
  virtual TColor StyleColor() const { return static_cast<TColor>(0x20000000); }
  // The image shown now: a glyph of the item's own, else an image of the list; its size.
  virtual bool HasImage() const { return false; }
  virtual TBitmap* CurrentGlyph() const { return nullptr; }
  virtual TCustomImageList* CurrentImages() const { return nullptr; }
  virtual int CurrentImageIndex() const { return -1; }
  virtual TSize GlyphSize() const { return {16, 16}; }
  virtual bool HasLargeGlyph() const { return false; }
  virtual bool HasOwnDisabledLook() const { return false; }
  virtual TdxCachedImageOptions* ImageCache() const { return nullptr; }
  // Painters write back where they drew the glyph (the view info's image bounds).
  virtual TRect ImageBounds() const { return {}; }
  virtual void SetImageBounds(const TRect& /*R*/) {}
  virtual TdxBarGlyphLayout GlyphLayout() const { return glTop; }
  // The item's own shift of its caption.
  virtual TPoint CaptionOffset() const { return {0, 0}; }
  // The edit window while the control edits; nil otherwise.
  virtual win::HWND EditWindow() const { return nullptr; }
  // The text an edit-like control shows (the text being edited when it edits).
  virtual String DisplayText() const { return {}; }
  // Lets the control draw its edit content in R on the canvas set up with its colours.
  virtual void DrawEditText(TCanvas* /*Canvas*/, const TRect& /*R*/) {}
  // A menu's item control that dropped its menu: where the owner item lay (for joined painters).
  virtual TRect OwnerBounds() const { return {}; }

  // ---- the item's notices of what changed ----
  virtual void CaptionChanged() {}
  virtual void EnabledChanged() {}
  virtual void PaintStyleChanged() {}
  virtual void BeginGroupChanged() {}
  virtual void VisibleChanged() {}
  // Whether the bar chain may hide while this control is selected (a dropped-down edit says no).
  virtual bool LetsBarsHide() const { return true; }
  // The control shows its own link's item (not a part of a container's content).
  virtual bool IsOwnItem() const { return true; }
  // Customizing hit tests stop at this control and find nothing.
  virtual bool SkippedByCustomizingHitTest() const { return false; }
  // The control's own height in a vertical list; 0 when it takes the bar's text size.
  virtual int Height() const { return 0; }
  // Whether keyboard selection may stop on the control.
  virtual bool IsSelectable() const { return true; }
  virtual void GlyphChanged() {}
  virtual void HotGlyphChanged() {}
  virtual void LargeGlyphChanged() {}
  virtual void WidthChanged() {}
  // Forgets the cached item images; with AResetLayout the measurements too.
  virtual void DropImageCache(bool /*AResetLayout*/) {}
  virtual void CalcLayout() {}
  virtual void Repaint() {}
  // Takes the item's style values again.
  virtual void ApplyStyle() {}

 private:
  TdxBarItemLink* FItemLink = nullptr;
  TCustomdxBarControl* FParent = nullptr;
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
// Screen tips live in BarScreenTips.h.
class TdxBarScreenTip;
class TdxBarScreenTipBand;
class TdxBarScreenTipCollection;
VW_BAR_SHELL(TdxBarApplicationMenuButton, TCollectionItem,
             explicit TdxBarApplicationMenuButton(TCollection* ACollection) : TCollectionItem(ACollection) {})
VW_BAR_SHELL(TdxBarApplicationMenuButtons, TCollection,
             TdxBarApplicationMenuButtons() : TCollection(TdxBarApplicationMenuButton::StaticClass()) {})

// ---- bar windows --------------------------------------------------------------------------------

// The bar window's state word: re-entry guards and its destruction.
constexpr unsigned dxBarCreatingControls = 0x01;
constexpr unsigned dxBarDestroyingControls = 0x02;
constexpr unsigned dxBarMenuDestroyingWindow = 0x04;
constexpr unsigned dxBarBeingDestroyed = 0x08;
constexpr unsigned dxBarDestroyed = 0x10;
constexpr unsigned dxBarClosingUp = 0x20;
constexpr unsigned dxBarPaintingItem = 0x40;
constexpr unsigned dxBarRebuilding = 0x80;
constexpr unsigned dxBarSettingCanvasFont = 0x100;
// Behaviour flags a bar window answers (menus adjust their parent's).
constexpr unsigned dxBarBehaviourTearOff = 0x01;
constexpr unsigned dxBarBehaviourSelectOnActivate = 0x02;
constexpr unsigned dxBarBehaviourMenuHints = 0x04;
constexpr unsigned dxBarBehaviourKeyboardNavigation = 0x40;
constexpr unsigned dxBarBehaviourNoCustomizingPopup = 0x100;
constexpr unsigned dxBarRootBehaviour = 0x13;
// The private message that rebuilds a bar window.
constexpr unsigned dxBarRebuildMessage = 0x8000 + 200;

class TcxObjectLink;

// The item controls a bar window shows, in painting order, and the separators between them.
class TCustomdxBarControlViewInfo : public TObject {
  VW_CLASS(TCustomdxBarControlViewInfo, TObject)
 public:
  struct Separator {
    TdxBarItemControl* Control;
    TRect Bounds;
    bool Horizontal;
  };
  explicit TCustomdxBarControlViewInfo(TCustomdxBarControl* ABarControl) : FBarControl(ABarControl) {}
  TCustomdxBarControl* BarControl() const { return FBarControl; }
  virtual void Clear() {
    FControls.clear();
    FSeparators.clear();
  }
  // The base only clears; toolbars and menus fill the lists.
  virtual void Calculate() { Clear(); }
  void AddItemControl(TdxBarItemControl* AControl) { FControls.push_back(AControl); }
  void RemoveItemControl(TdxBarItemControl* AControl);
  int Count() const { return static_cast<int>(FControls.size()); }
  TdxBarItemControl* Items(int Index) const { return FControls[static_cast<std::size_t>(Index)]; }
  bool Contains(TdxBarItemControl* AControl) const;
  void AddSeparator(const TRect& R, bool AHorizontal, TdxBarItemControl* AControl) {
    FSeparators.push_back({AControl, R, AHorizontal});
  }
  int SeparatorCount() const { return static_cast<int>(FSeparators.size()); }
  // The first separator record of the control; false when it has none.
  bool FindSeparator(TdxBarItemControl* AControl, int& AIndex) const;
  const TRect& SeparatorBounds(int Index) const { return FSeparators[static_cast<std::size_t>(Index)].Bounds; }
  bool SeparatorHorizontal(int Index) const { return FSeparators[static_cast<std::size_t>(Index)].Horizontal; }

 private:
  TCustomdxBarControl* FBarControl;
  std::vector<TdxBarItemControl*> FControls;
  std::vector<Separator> FSeparators;
};

// The drop shadow's place until the shadows are drawn: it takes its bounds and visibility.
class TdxBarShadow : public TObject {
  VW_CLASS(TdxBarShadow, TObject)
 public:
  void SetBounds(const TRect& AOwnerRect, const TRect& AWindowRect) {
    FOwnerRect = AOwnerRect;
    FWindowRect = AWindowRect;
  }
  bool Shown() const { return FShown; }
  void SetShown(bool Value) { FShown = Value; }

 private:
  TRect FOwnerRect{}, FWindowRect{};
  bool FShown = false;
};

// What the manager asks of every bar window; the bar window's own unit gives these their work.
class TCustomdxBarControl : public TCustomControl {
  VW_CLASS(TCustomdxBarControl, TCustomControl)
 public:
  // Listed among the live bars, invisible at (100, 100, 50, 30), no mouse capture by the class library.
  explicit TCustomdxBarControl(TComponent* AOwner);
  ~TCustomdxBarControl() override;

  // ---- base machinery (BarControl.cpp) ----
  unsigned State() const { return FState; }
  // 0x13 for a root; a bar opened from another answers its parent's.
  virtual unsigned BehaviourFlags() const;
  // Text size, the painter's nominal size, the ratio, the menu arrow height.
  virtual void CalcMetrics();
  virtual int ReferenceTextSize() const;
  double Ratio() const { return FRatio; }
  int MenuArrowHeight() const { return FMenuArrowHeight; }
  int MeasuredTextSize() const { return FTextSize; }
  // The screen point a hint of the height goes to: 20 pixels (at 96 pixels per inch) below the point,
  // or ending at the bar's client top near the bottom of the work area.
  virtual TPoint AdjustHintPosition(const TPoint& APoint, int AHintHeight);
  // The screen rectangle of the element a popup was opened from; empty for none.
  const TRect& OwnerScreenBounds() const { return FOwnerBounds; }
  void SetOwnerScreenBounds(const TRect& Value) { FOwnerBounds = Value; }
  bool TouchesOwner() const;
  // A one-pixel line along the edge shared with the owner (window coordinates; with AScreen moved
  // outwards and to the screen); empty when the bar does not touch its owner.
  TRect OwnerGapRect(bool AScreen) const;
  // The items area; the visible part after reserved areas.
  TRect ItemsRect() const { return FItemsRect; }
  void SetItemsRect(const TRect& Value) { FItemsRect = Value; }
  TRect VisibleItemsRect() const { return FVisibleItemsRect; }
  void SetVisibleItemsRect(const TRect& Value) { FVisibleItemsRect = Value; }
  // Places the visible links from ATopIndex down the visible items rectangle; ABottom is where they end.
  virtual void CalcVerticalItemRects(int ATopIndex, int& ABottom);
  virtual bool ClipsLastItem(const TRect& /*R*/) const { return false; }
  virtual int SeparatorSize() const { return 0; }
  int SeparatorSizeBefore(TdxBarItemLink* ALink) const;
  // The control's height for the vertical layout; the text size without one.
  virtual int ItemHeight(TdxBarItemControl* AControl) const;
  bool IsUpdateLocked() const;
  // Does nothing while destroying, without a handle, while rebuilding or making or freeing controls,
  // or while the manager is update-locked.
  void RebuildBarGuarded(bool ARecreate);
  virtual void Rebuild(bool ARecreate);
  TCustomdxBarControlViewInfo* ViewInfo() const { return FViewInfo; }
  TdxBarShadow* Shadow() const { return FShadow; }
  // The control under a client point in painting order; none while customizing without design hit
  // tests, or when the control under the point skips customizing hit tests.
  TdxBarItemControl* ItemControlAtPoint(const TPoint& P) const;
  virtual bool AllowsDesignHitTest() const;
  virtual bool InCustomizingMode() const;
  // Both sides of the opener link point at each other; the links read none once a bar is gone.
  TCustomdxBarControl* ChildBar() const;
  void SetChildBar(TCustomdxBarControl* Value);
  void SetParentBar(TCustomdxBarControl* Value);
  // False while the selected control or the child chain holds the bars open.
  bool ChainMayHide() const;
  virtual TdxBarItemControl* SelectedControl() const { return nullptr; }
  // Where a dragged link would drop at a client point: the link under it, whether the bar stacks
  // vertically (or the point lies above a separator), before or after it by halves, and whether the
  // point is on the link's separator. False when no own link lies under the point.
  bool DropPositionAt(const TPoint& P, TdxBarItemLink*& ALink, bool& AVertical, bool& ABefore, bool& AOnSeparator) const;
  virtual bool StacksItemsVertically() const { return IsVertical(); }
  // The control's rectangle, with its separator when asked; empty for none.
  virtual TRect ItemRect(TdxBarItemControl* AControl, bool AWithSeparator) const;
  virtual TRect ItemInnerRect(TdxBarItemControl* AControl) const;

 protected:
  void WndProc(TMessage& Message) override;
  TCustomdxBarControlViewInfo* FViewInfo = nullptr;
  TdxBarShadow* FShadow = nullptr;
  TcxObjectLink* FParentBarLink = nullptr;
  TcxObjectLink* FChildBarLink = nullptr;
  unsigned FState = 0;
  double FRatio = 1.0;
  int FTextSize = 0;
  int FMenuArrowHeight = 4;
  TRect FOwnerBounds{};
  TRect FItemsRect{};
  TRect FVisibleItemsRect{};

 public:
  // The bar window this one dropped from (a menu's opener); nil for a root.
  virtual TCustomdxBarControl* ParentBar() const;
  // Popups the library builds for itself (customizing and toolbar lists) answer true.
  virtual bool IsInternal() const { return false; }
  // 0 toolbar, 1 quick-customization bar, 2 menu.
  virtual int BarKind() const { return 0; }
  // Whether the window is in keyboard or mouse mode with a current control.
  virtual bool IsActive() const { return false; }
  virtual TdxBarItemControl* CurrentControl() const { return nullptr; }

  virtual void CloseUp() {}
  // The links shown; nil before they are given.
  virtual TdxBarItemLinks* ItemLinks() const { return nullptr; }
  // Rebuilds the item controls (recreating them) unless a guard holds.
  virtual void RebuildBar(bool ARecreate) { RebuildBarGuarded(ARecreate); }
  // A link's visibility changed.
  virtual void LinksChanged() {}
  virtual bool IsWindowEnabled() const { return HandleAllocated() && Enabled(); }
  virtual bool HonoursItemAlign(TdxBarItemControl* /*AControl*/) const { return false; }
  virtual bool RotatesText() const { return false; }
  // What the designer selects for the empty part of the bar.
  virtual TPersistent* DesignSelectable() const { return nullptr; }
  virtual void CreateControls() {}
  virtual void DestroyControls() {}
  virtual void RebuildRecreating() { RebuildBar(true); }
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

  // ---- what painters read of a bar window; the bar windows' unit gives these their work ----
  virtual TdxBarManager* BarManager() const { return nullptr; }
  // The painter the window draws with (its own, its parent bar's, its dock site's or the
  // manager's); asked anew on every call.
  virtual TdxBarPainter* BarPainter() const { return nullptr; }
  virtual win::HBRUSH BkBrush() const { return nullptr; }
  // Text size, icon area and combo arrow width as the window measured them for its font.
  virtual int TextSize() const { return 19; }
  virtual int IconAreaSize() const { return 19; }
  virtual int ComboBoxArrowWidth() const { return 11; }
  virtual TFont* ItemsFont() const { return nullptr; }
  // Fills R with Brush, or with the window's background picture when Color is clNone; with
  // AOffset the picture's grid follows the window's origin.
  virtual void FillBackground(win::HDC DC, const TRect& R, win::HBRUSH Brush, TColor Color, bool AOffset);
  virtual bool HasOwnBackground() const { return false; }
  // The toolbar's docking style; dsNone floats (and is what menus answer).
  virtual int DockingStyleIndex() const { return 0; }
  // The dock site a docked toolbar lies in; nil for floating toolbars and menus.
  virtual TdxDockControl* DockControl() const { return nullptr; }
  virtual bool IsVertical() const { return false; }
  virtual bool IsMainMenu() const { return false; }
  virtual bool IsMenu() const { return false; }
  // A toolbar's border style: 0 none, 1 single.
  virtual int BorderStyleIndex() const { return 1; }
  // A borderless toolbar docked at the bottom on a whole row: drawn as a status bar.
  virtual bool IsStatusBarLike() const { return false; }
  virtual bool SizeGrip() const { return false; }
  virtual bool ShowsGrip() const { return true; }
  virtual bool ShowsCaption() const { return true; }
  virtual bool HasCloseButton() const { return false; }
  virtual int CloseButtonState() const { return 0; }
  virtual bool HasMark() const { return false; }
  virtual int MarkState() const { return 0; }
  virtual bool HidesItems() const { return false; }
  virtual TdxFadingObjectHelper* MarkFadingHelper() const { return nullptr; }
  // clDefault when the toolbar has no colour of its own; its own background picture, if any.
  virtual TColor BarColor() const { return static_cast<TColor>(0x20000000); }
  virtual win::HBITMAP BarBackground() const { return nullptr; }
  virtual bool NoShadow() const { return false; }
  virtual TCustomdxBarControl* OwnerControl() const { return nullptr; }
  // Menus: the ratio of large items (1 without), detachable, caption hot, side band width,
  // whether rarely used items are shaded, and whether items show descriptions.
  virtual double ItemsScaleRatio() const { return 1.0; }
  virtual bool IsDetachable() const { return false; }
  virtual bool DetachCaptionHot() const { return false; }
  virtual int SideBandWidth() const { return 0; }
  virtual bool ShadesRarelyUsed() const { return false; }
  virtual bool ShowsDescriptions() const { return false; }
  // Where the menu's owner item lies in this window's client coordinates; empty when none.
  virtual TRect OwnerBounds() const { return {}; }
  // The window's own copy of a background drawn once (the themed status bar); nil for none.
  virtual TBitmap* BackgroundCache() const { return nullptr; }
  // Where a hint of that height shows for a point (screen coordinates); the bar window's unit
  // moves it off the point.
  virtual void AdjustHintPosition(TPoint& /*P*/, int /*Height*/) {}
  // The customize mark's rectangle in client coordinates; empty without one.
  virtual TRect MarkRect() const { return {}; }
};
VW_BAR_COMPONENT_SHELL(TdxBarControl, TCustomdxBarControl)
VW_BAR_COMPONENT_SHELL(TdxBarSubMenuControl, TCustomdxBarControl)
VW_BAR_COMPONENT_SHELL(TdxBarApplicationMenuControl, TdxBarSubMenuControl)

// ---- painters ----------------------------------------------------------------------------------

// The painters live in their own units (BarPainter.h, BarPainters.h); class references name them.
class TcxCustomLookAndFeelPainter;
class TdxBarPainter;
class TdxBarStandardPainter;
class TdxBarEnhancedPainter;
class TdxBarFlatPainter;
class TdxBarOffice11Painter;
class TdxBarXPPainter;
class TdxBarSkinPainter;
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
