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
#include "ui/bars/BarButton.h"
#include "ui/bars/BarButtonControls.h"
#include "ui/bars/BarComponents.h"
#include "ui/bars/BarEditItems.h"
#include "ui/bars/BarItem.h"
#include "ui/bars/BarItemControl.h"
#include "ui/bars/BarSubItem.h"
#include "ui/foundation/Types.h"

class TdxFadingObjectHelper;
class TdxFader;
class TdxBarShadow;
class TdxBarControlMarkFadingHelper;
class TdxBarControlMDIButtonFadingHelper;
class TdxBarPainter;
class TdxDockControl;
class TdxBarControl;

#define VW_BAR_SHELL(Self, Parent, ...) \
  class Self : public Parent {          \
    VW_CLASS(Self, Parent)              \
   public:                              \
    __VA_ARGS__                         \
  };

// Item controls take their link.
#define VW_BAR_CONTROL_SHELL(Self, Parent) VW_BAR_SHELL(Self, Parent, using Parent::Parent;)

#define VW_BAR_COMPONENT_SHELL(Self, Parent) \
  VW_BAR_SHELL(Self, Parent, explicit Self(TComponent* AOwner) : Parent(AOwner) {})

// ---- items ------------------------------------------------------------------------------------

// Edit and combo items live in BarEditItems.h, buttons in BarButton.h, sub-items, containers and
// list items in BarSubItem.h.
// The quick-customization entries and the add-or-remove command live in BarQuickControl.h.
// TSystemMenuSubItem and its control live in BarMDI.h.

// ---- the per-link controls that show items ------------------------------------------------------

// TdxBarItemControl, the label and the separator controls live in BarItemControl.h; the other kinds
// grow in their own units.

// Button, large-button, application-menu button, sub-item and container controls live in
// BarButtonControls.h.
class TcxWindowProcLinkedObject;

// Controls hosting an inner window (edits and combos). While focused, a hidden child window is
// shown over the control's content and edits the item's text; Enter, Escape, Tab and the loss of
// focus decide whether the text goes back to the item. BarEditControls.cpp builds them.
class TdxBarWinControl : public TdxBarItemControl {
  VW_CLASS(TdxBarWinControl, TdxBarItemControl)
 public:
  using TdxBarItemControl::TdxBarItemControl;
  ~TdxBarWinControl() override;
  TClass AccessibilityHelperClass() const override;

  void EnabledChanged() override;
  bool DoesClick() const override;
  // Also for a manager whose MDI child form holds this control's manager, unless loading text.
  bool LetsBarsCloseFor(TdxBarManager* AManager) const override;
  bool IsSelectable() const override;
  void Deactivate(bool AFlag = false) override;
  void Press(bool AByMouse, bool AFlag = false) override;
  // A press on the focused control outside its window reaches the window.
  void PressAgain(bool ASameControl, bool& AHandled) override;
  bool OwnsWindow(win::HWND AWindow) const override;
  bool ClosesBarsOnClick() const override { return false; }
  bool HasInnerWindow() const override { return true; }
  win::HWND EditWindow() const override { return InnerWindowHandle(); }
  // Set while a glass repaint of the window is posted and not yet done.
  bool GlassRepaintPosted() const override { return FInnerBufferedPaint; }
  void SetGlassRepaintPosted(bool Value) override { FInnerBufferedPaint = Value; }
  // The inner window's keys: special keys, the item's events, then Tab, Enter and Escape.
  void KeyDown(win::WORD& AKey, TShiftState AShift) override;
  void KeyUp(win::WORD& AKey, TShiftState AShift) override;
  void KeyPress(char32_t& AKey) override;

  // The inner window is shown and edits.
  virtual bool Focused() const { return FFocused; }
  // The inner window's text, at most 255 characters; empty without a window.
  virtual String WindowText() const;
  virtual win::HWND InnerWindowHandle() const { return nullptr; }
  virtual void SetFocused(bool Value);
  // Enter: the text goes to the item and the bars close.
  void AcceptEdit();
  // Escape: the text is dropped.
  void CancelEdit();
  // Tab: the text goes to the item and the bar moves on as for Tab.
  void LeaveByTab(TShiftState AShift);
  // Where the inner window goes, in the bar window's client coordinates.
  void SetWindowRect(const TRect& R);
  // The window rect, or empty while the window may not show.
  TRect VisibleWindowRect() const;
  bool Focusing() const { return FFocusing; }
  bool OnGlass() const { return FOnGlass; }

 protected:
  virtual void HookInnerWindow();
  virtual void UnhookInnerWindow(bool ADestroyWindow);
  virtual void EndEditing(bool /*AAccept*/) {}
  virtual bool IsSpecialKeyDown(win::WORD AKey, TShiftState AShift) const;
  virtual bool IsSpecialKeyUp(win::WORD AKey, TShiftState AShift) const;
  virtual void WindowPlaced() {}
  virtual void LoadText();
  virtual void SetWindowText(const String& AText);
  virtual void ShowInnerWindow();
  virtual void StoreText();
  virtual void HandleSpecialKeyDown(win::WORD& AKey, TShiftState AShift);
  virtual void HandleSpecialKeyUp(win::WORD& AKey, TShiftState AShift);
  virtual void InnerWndProc(TMessage& Message);
  virtual void InnerWindowLostFocus(win::HWND /*AFocused*/) {}
  void ForwardPress(bool AByMouse);
  // Hands a message to the window procedure the inner window had before the hook.
  void DefaultInnerWndProc(TMessage& Message);
  void SetFocusing(bool Value) { FFocusing = Value; }
  // Mouse messages outside the window but on the control go nowhere.
  void RouteMouseMessage(TMessage& Message);
  // The parent is a toolbar window being dragged: its inner windows wait for the drop.
  bool ParentBeingDragged() const;
  // A dragged toolbar unhooks the inner windows for the drag and hooks them again after it.
  friend class TdxBarControl;

 private:
  void HandleKillFocus(TMessage& Message);

  bool FInnerBufferedPaint = false;
  bool FFocused = false;
  bool FFocusing = false;
  int FKeysPressedInside = 0;
  bool FOnGlass = false;
  TcxWindowProcLinkedObject* FWindowHook = nullptr;
  TRect FWindowRect{};
  // The window that had the focus before this control took it (the manager keeps none of its own).
  win::HWND FRememberedFocus = nullptr;
};
// Adds the edit layout (part 0 the edit box's content, 1 the caption, 2 the glyph) and the user
// sizing of the edit width while customizing; the edit kind owns the "EDIT" window.
class TdxBarCustomEditControl : public TdxBarWinControl {
  VW_CLASS(TdxBarCustomEditControl, TdxBarWinControl)
 public:
  using TdxBarWinControl::TdxBarWinControl;
  ~TdxBarCustomEditControl() override;

  bool IsSelected() const override;
  TdxBarItemViewLevels PossibleViewLevels() const override;
  unsigned DefaultContentParts() const override;
  int PartCount() const override { return 3; }
  TClass DrawParamsClass() const override { return TdxBarEditLikeControlDrawParams::StaticClass(); }
  void RefreshDrawParams(bool AFull) override;
  void CalcPartRects() override;
  void ApplyStyle() override;
  void DrawContent(const TRect& R, TdxBarPaintMode APaintMode) override;
  // The painter's part insets: the same for the caption (1) and the glyph (0) part.
  TRect TextMargins(int AKind = 0) override;
  // Everything left of the edit box for the caption: its text and insets and the painter's gaps.
  int CaptionAreaWidth() override;
  // The edit box: the link's user width, else the item's.
  int ExtraWidth() override;
  int GlyphAreaWidth() override;
  int RawHeight() override;
  int RawWidth() override { return SmallWidth(); }
  int SmallWidth() override;
  int MinWidth() override { return CaptionAreaWidth() + MinEditWidth(); }
  bool AcceptsMouse() const override;
  void BeginUserSizing(const TPoint& P) override;
  bool IsUserSizingPoint(const TPoint& P) const override;
  void EndUserSizing(bool ACommit) override;
  void UserSizingMove(const TPoint& P) override;
  win::HBRUSH EditBrushHandle() const override;
  void DrawEditText(TCanvas* Canvas, const TRect& R) override;

  virtual void AdjustFrameRect(TRect& /*R*/) {}
  // The frame ring around the edit box leaves the canvas's clip region.
  virtual void ExcludeEditFrame();
  // Places the window and draws the text while the control paints it; R is the content on the canvas.
  virtual void DrawEditContent(TCanvas* /*Canvas*/, const TRect& /*R*/) {}
  // The edit box in the bar's client coordinates.
  virtual TRect EditRect();
  virtual int MinEditWidth() const { return 20; }
  virtual bool ShowsCaption() const;
  virtual void RefreshForEditing() {}

  int EditLeftOffset() { return EditRect().Left - ItemRect().Left; }
  // The edit style's font when it sets one, else the bar's items font.
  TFont* EditFont() const;
  // What painters fill a menu's edit with: the bar's background, or its hot brush while selected.
  win::HBRUSH MenuEditBrush() const;
  TcxStyle* EditStyle() const;
  bool UserSizing() const { return FUserSizing; }
  int SizingWidth() const { return FSizingWidth; }

 protected:
  void ShowInnerWindow() override;
  // The painter's layout of the control in R (parts as CalcPartRects numbers them).
  virtual void CalcLayout(const TRect& R, std::vector<TRect>& AParts);
  // The sizing frame on the screen, drawn again to erase it.
  void DrawSizingFrame(int AWidth) const;
  const std::vector<TRect>& PaintParts() const { return FPaintParts; }

 private:
  // The caption's own part: its text and the painter's insets.
  int CaptionTextWidth();
  mutable win::HBRUSH FBackgroundBrush = nullptr;
  mutable TColor FBackgroundColor = clNone;
  int FEditTextSize = 0;
  bool FRightBorderSizing = false;
  int FSizingWidth = 0;
  bool FUserSizing = false;
  // The parts of the rectangle being painted, for the content drawn back from the painter.
  std::vector<TRect> FPaintParts;
};
class TdxBarEditControl : public TdxBarCustomEditControl {
  VW_CLASS(TdxBarEditControl, TdxBarCustomEditControl)
 public:
  explicit TdxBarEditControl(TdxBarItemLink* ALink = nullptr);
  ~TdxBarEditControl() override;
  void Press(bool AByMouse, bool AFlag = false) override;
  bool DrawsInPaintPass() const override { return false; }
  TRect InnerWindowRect() const override;
  win::HWND InnerWindowHandle() const override { return FWindow; }
  void SetFocused(bool Value) override;
  String DisplayText() const override;
  int MinEditWidth() const override { return 20; }
  // False only while focused and enabled: the window shows the text then.
  virtual bool PaintsText() const;
  // The window comes with the toolbar's drop and goes with its drag.
  void HookInnerWindow() override;
  void UnhookInnerWindow(bool ADestroyWindow) override;

 protected:
  void EndEditing(bool AAccept) override;
  void WindowPlaced() override;
  void SetWindowText(const String& AText) override;
  void ShowInnerWindow() override;
  void InnerWndProc(TMessage& Message) override;
  void DrawEditContent(TCanvas* Canvas, const TRect& R) override;
  void RefreshForEditing() override { RefreshDrawParams(true); }
  virtual void CreateInnerWindow();
  virtual void DestroyInnerWindow(bool ADestroy);
  virtual win::DWORD InnerWindowStyle() const { return 0x40000084; }

 private:
  // On glass the window paints through a buffer with full alpha.
  void PaintOnGlass(TMessage& Message, bool ARepaint);
  win::HWND FWindow = nullptr;
};
// Adds part 3, the drop-down button, and the drop-down window the item supplies.
class TCustomdxBarComboControl : public TdxBarEditControl {
  VW_CLASS(TCustomdxBarComboControl, TdxBarEditControl)
 public:
  using TdxBarEditControl::TdxBarEditControl;
  ~TCustomdxBarComboControl() override;
  void EnabledChanged() override;
  void Deactivate(bool AFlag = false) override;
  int PartCount() const override { return 4; }
  void RefreshDrawParams(bool AFull) override;
  bool OwnsWindow(win::HWND AWindow) const override;
  bool IsDroppedDown() const override { return FDroppedDown; }
  bool LetsBarsHide() const override { return !FDroppedDown; }
  void AdjustFrameRect(TRect& R) override;
  void DrawContent(const TRect& R, TdxBarPaintMode APaintMode) override;
  bool PaintsText() const override;
  // Where the list drops: below the edit box on a horizontal toolbar, beside the control elsewhere.
  virtual TPoint DropDownPoint();
  virtual void SetDroppedDown(bool Value);

 protected:
  bool IsSpecialKeyDown(win::WORD AKey, TShiftState AShift) const override;
  bool IsSpecialKeyUp(win::WORD AKey, TShiftState AShift) const override;
  void HandleSpecialKeyDown(win::WORD& AKey, TShiftState AShift) override;
  void HandleSpecialKeyUp(win::WORD& AKey, TShiftState AShift) override;
  void InnerWndProc(TMessage& Message) override;
  void CalcLayout(const TRect& R, std::vector<TRect>& AParts) override;
  bool IsButtonPart(int APart) const;

 private:
  bool FDroppedDown = false;
  bool FDroppedDownAtPress = false;
};
// The list combo: the window shows a local entry that Up, Down and the wheel browse while the list
// is closed; Enter and Tab commit it while the window text still names it.
class TdxBarComboControl : public TCustomdxBarComboControl {
  VW_CLASS(TdxBarComboControl, TCustomdxBarComboControl)
 public:
  using TCustomdxBarComboControl::TCustomdxBarComboControl;
  // The entry the window shows while editing, before it is committed to the item.
  virtual int LocalItemIndex() const { return FLocalItemIndex; }
  // Takes the entry and shows its text.
  virtual void SetLocalItemIndex(int Index);
  // Takes the entry the typed text points at, leaving the text as typed.
  virtual void StoreLocalItemIndex(int Index) { FLocalItemIndex = Index; }
  void SetFocused(bool Value) override;

 protected:
  void LoadText() override;
  void InnerWndProc(TMessage& Message) override;

 private:
  // One entry up or down within the list (none moves an empty list or up from no entry).
  void Browse(bool ADown);
  int FLocalItemIndex = -1;
};

// ---- toolbars, groups, screen tips and the application menu's buttons (stored in forms) ---------

// TdxBar lives in Bars.h, TdxBarManager in BarManager.h.
class TdxBar;
class TdxBarCaptionButtons;
class TdxBarManager;
// Screen tips live in BarScreenTips.h.
class TdxBarScreenTip;
class TdxBarScreenTipBand;
class TdxBarScreenTipCollection;
// The application menu's buttons live in BarApplicationMenu.h.

// ---- bar windows --------------------------------------------------------------------------------

VW_ENUM(TdxBarDockingStyle, dsNone, dsLeft, dsTop, dsRight, dsBottom)

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
// Client-aligned items take the width the others leave: their own width is the minimum.
constexpr unsigned dxBarBehaviourStretchClientItems = 0x10;
constexpr unsigned dxBarBehaviourKeyboardNavigation = 0x40;
constexpr unsigned dxBarBehaviourNoCustomizingPopup = 0x100;
constexpr unsigned dxBarRootBehaviour = 0x13;
// The private message that rebuilds a bar window, and the one that makes an edit window on glass
// repaint itself.
constexpr unsigned dxBarRebuildMessage = 0x8000 + 200;
constexpr unsigned dxBarRepaintOnGlassMessage = 0x8000 + 129;
// The colour FillBarBackground is given for non-client fills: the background picture's or the brush.
constexpr TColor dxBarNoColor = static_cast<TColor>(0x1FFFFFFF);

class TcxObjectLink;
class TcxScreenCanvas;

// The item controls a bar window shows, in painting order, and the separators between them.
class TCustomdxBarControlViewInfo : public TObject {
  VW_CLASS(TCustomdxBarControlViewInfo, TObject)
 public:
  struct Separator {
    TdxBarItemControl* Control;
    TRect Bounds;
    bool Horizontal;
  };
  using CreateArgType = TCustomdxBarControl;
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

// One container item a menu expands in place: the item, the link that holds it and where that
// link stood, and the links generated for it (owned).
class TdxBarContainerLinkData : public TObject {
  VW_CLASS(TdxBarContainerLinkData, TObject)
 public:
  TdxBarContainerLinkData(TCustomdxBarContainerItem* AItem, TdxBarItemLink* AItemLink, int AItemLinkIndex)
      : Item(AItem), ItemLink(AItemLink), ItemLinkIndex(AItemLinkIndex) {}
  ~TdxBarContainerLinkData() override { delete InPlaceItems; }
  TCustomdxBarContainerItem* Item;
  TdxBarItemLink* ItemLink;
  int ItemLinkIndex;
  TObjectList* InPlaceItems = new TObjectList(true);
  // The container link left the collection in favour of its content; its recent place is kept.
  bool LinkHidden = false;
  int SavedRecentIndex = -1;
};

// The window every toolbar and menu shows on screen. It displays one link collection through the
// item controls the links make, hit-tests and paints them through the bar painter, takes part in
// the chain of active bars and in the chain of bars opened from one another.
//
// Item controls exist exactly while the window handle exists (CreateHandle makes them, DestroyWnd
// frees them). The seams the item controls rest on: ItemDrawMode and DrawItemControl (painting),
// SelectedControl/SelectedLink and PreviousTrackedLink (what is hot or chosen), OwnsItemControl
// (whether a control that ran user code still belongs here), InvalidateItemControl and
// ItemControlFocused (what they ask of the window), ItemLinkDestroying and ItemControlDestroying
// (the links tell the window what goes). A rotating bar's Paint takes its canvas font through
// UpdateCanvasFont: the class library gives the canvas the control's font for every paint.
// The mouse, the keyboard, selection and the active chain live in BarControlInput.cpp.
class TCustomdxBarControl : public TCustomControl {
  VW_CLASS(TCustomdxBarControl, TCustomControl)
 public:
  // Listed among the live bars, invisible at (100, 100, 50, 30), no mouse capture by the class library.
  explicit TCustomdxBarControl(TComponent* AOwner);
  ~TCustomdxBarControl() override;
  void BeforeDestruction() override;

  // ---- virtual operations, in the order toolbars and menus refine them ----
  // The screen point a hint of the height goes to: 20 pixels (at 96 pixels per inch) below the point,
  // or ending at the bar's client top near the bottom of the work area.
  virtual TPoint AdjustHintPosition(const TPoint& APoint, int AHintHeight);
  virtual void HandleItemActivated(TdxBarItemControl* AControl);
  // After a mouse move: outside the window the mouse has left; a moved mouse is remembered.
  virtual void TrackMousePosition(TShiftState Shift, int X, int Y);
  virtual bool KeepsMouseTracking() const { return false; }
  virtual bool PassesKeyboardInput() const { return false; }
  virtual void NotifyHookedMouseDown(win::HWND /*Window*/, win::UINT /*Message*/, void* /*HookData*/) {}
  virtual void HandleWindowPosChanged(const win::WINDOWPOS& APos);
  virtual bool ChildMenuBounds(TRect& /*R*/) { return false; }
  virtual void CalcLayout() { CalcItemsRect(); }
  // Where a dragged link would drop at a client point: the link under it, whether the bar stacks
  // vertically (or the point lies above a separator), before or after it by halves, and whether the
  // point is on the link's separator. False when no own link lies under the point.
  virtual bool DropPositionAt(const TPoint& P, TdxBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                              bool& AOnSeparator) const;
  // Text size, the painter's nominal size, the ratio, the arrow and edit metrics.
  virtual void CalcMetrics();
  virtual void CalcItemsRect() { FItemsRect = ClientRect(); }
  // Places the visible links from ATopIndex down the visible items rectangle; ABottom is where they end.
  virtual void CalcVerticalItemRects(int ATopIndex, int& ABottom);
  virtual void CalcHorizontalItemRects() {}
  // AKind 1 lays the links out as a vertical list, 0 and 2 as toolbar rows; others lay out nothing.
  virtual void CalcItemRects(int AKind, int ATopIndex);
  virtual void CalcViewInfo() { ViewInfo()->Calculate(); }
  virtual void CreateControls();
  virtual void DestroyControls();
  // A link's visibility changed.
  virtual void LinksChanged() {}
  virtual void HandleKeyDown(TMessage& Message);
  virtual bool CanActivate() const;
  virtual bool HonoursItemAlign(TdxBarItemControl* /*AControl*/) const { return false; }
  virtual bool CanResizeByUser() const { return true; }
  virtual bool CanPaintItem(TdxBarItemControl* AControl) const;
  virtual bool AllowsDesignHitTest() const;
  // Whether the active bar closes up when the manager hides its floating bars for AWindow.
  virtual bool ClosesForWindow(TdxBarManager* AManager, win::HWND AWindow) const;
  virtual bool ClipsLastItem(const TRect& /*R*/) const { return false; }
  virtual bool AllowsCustomizingPopup(bool ARightClick) const;
  virtual bool ShowsItemHints() const { return !FIsActive; }
  virtual bool IsUpdateLocked() const;
  virtual bool LinksMenuToOwner() const;
  virtual void ReserveTopArea() {}
  virtual void ReserveBottomArea() {}
  // Customizing: a press on a design-selected own control arms the drag of its link.
  virtual void PrepareLinkDrag(const TPoint& P, bool ASameControl);
  virtual void ActivateWithControl(TdxBarItemControl* AControl);
  virtual void DeactivateAndDeselect();
  // The manager tracks the mouse for this bar, the control is tracked, the bar turns hot.
  virtual void HandleMouseEntered(TShiftState Shift, const TPoint& P, TdxBarItemControl* AControl);
  virtual void HandleItemMouseDown(TMouseButton Button, TShiftState Shift, bool AInsideClient,
                                   TdxBarItemControl* AControl, const TPoint& P);
  // The bar is no longer hot: tracking and a hot mark end, the selection goes unless it holds on.
  virtual void HandleMouseLeft();
  virtual void HandleItemMouseMove(TShiftState Shift, const TPoint& P, TdxBarItemControl* AControl);
  virtual void HandleItemMouseUp(TMouseButton Button, TShiftState Shift, bool AInsideClient,
                                 TdxBarItemControl* AControl, const TPoint& P);
  virtual void CreateItemControls();
  virtual void FireDestroying();
  virtual void DestroyItemControls();
  virtual void ReturnFocus();
  virtual void DoCloseUp();
  virtual void DrawItemControl(TdxBarItemControl* AControl, TcxCanvas* ACanvas, const TRect& R);
  // Recreating: the controls are freed and made again, then hot tracking is refreshed.
  virtual void Rebuild(bool ARecreate);
  virtual void SetActive(bool AActive);
  virtual void PaintItems();
  virtual void DragMouseMoved(int /*X*/, int /*Y*/, bool& /*AAllowDrop*/) {}
  virtual TdxBarItemLink* FindLinkByAccelerator(win::WORD Key, TShiftState Shift, TdxBarItemLink* AStart);
  // The first link of the accelerator whose item is enabled, searching on from AStart and stopping
  // where it began; AAmbiguous when another enabled link has the same accelerator.
  virtual TdxBarItemLink* FindEnabledAcceleratedLink(win::WORD Key, TShiftState Shift, bool& AAmbiguous,
                                                    TdxBarItemLink* AStart);
  // An enabled control that takes the mouse is selected and pressed.
  virtual void PressControl(TdxBarItemControl* AControl);
  virtual TClass AccessibilityHelperClass() const = 0;
  virtual TBitmap* BackgroundBitmap() const = 0;
  virtual int SeparatorSize() const = 0;
  // 0x13 for a root; a bar opened from another answers its parent's.
  virtual unsigned BehaviourFlags() const;
  // The control's height for the vertical layout; the text size without one.
  virtual int ItemHeight(TdxBarItemControl* AControl) const;
  // The height the vertical layout gives the control: ItemHeight unless the bar measures it.
  virtual int LaidOutItemHeight(TdxBarItemControl* AControl) const { return ItemHeight(AControl); }
  virtual TBitmap* DefaultGlyph() const { return nullptr; }
  virtual TFont* ItemsFont() const;
  // The library's hot-track fader.
  virtual TdxFader* BarFader() const;
  virtual TRect ItemInnerRect(TdxBarItemControl* AControl) const;
  virtual bool InCustomizingMode() const;
  virtual bool AllowsFading() const { return false; }
  virtual bool IsMainMenu() const = 0;
  virtual bool ShowsShadow() const;
  virtual bool IsStatusBar() const = 0;
  virtual int ItemViewKind(TdxBarItemControl* /*AControl*/) const { return 4; }
  virtual int SeparatorSizeBefore(TdxBarItemLink* ALink) const;
  // The control's rectangle, with its separator when asked; empty for none.
  virtual TRect ItemRect(TdxBarItemControl* AControl, bool AWithSeparator) const;
  // A rectangle region of ItemRect with the separator; the caller deletes it.
  virtual win::HRGN ItemRegion(TdxBarItemControl* AControl) const;
  virtual int MarkState() const { return FMarkState; }
  virtual int MarkAreaSize() const { return HasMark() ? FMarkSize : 0; }
  virtual int ReferenceTextSize() const;
  virtual TWinControl* OwnerControl() const;
  // The explicit painter, the parent bar's, the dock site's or the manager's; asked anew on every call.
  virtual TdxBarPainter* BarPainter() const;
  virtual int ItemDrawMode() const { return RotatesText() ? 2 : 0; }
  // What the designer selects for the empty part of the bar.
  virtual TPersistent* DesignSelectable() const { return nullptr; }
  virtual win::HBRUSH BackgroundBrush() const;
  virtual win::HBRUSH DownBrush() const;
  virtual win::HBRUSH DownHotBrush() const;
  virtual win::HBRUSH HotBrush() const;
  virtual TClass ViewInfoClass() const = 0;
  virtual void MakeControlVisible(TdxBarItemControl* /*AControl*/) {}
  virtual void SetItemLinks(TdxBarItemLinks* Value);
  virtual win::HDC AcquireWindowDC() { return win::GetWindowDC(Handle()); }
  virtual void ReleaseWindowDC(win::HDC DC) { win::ReleaseDC(Handle(), DC); }
  virtual int DropDownOffset() const;
  virtual int IconAreaSize() const;
  virtual int TextSize() const;
  virtual TRect MouseTrackingArea() const { return BoundsRect(); }
  virtual bool PainterWantsShadow() const;
  virtual void CloseByEscape();
  virtual bool IsPopupStyle() const { return false; }
  virtual bool IsAncestorOf(TCustomdxBarControl* ABar) const;
  virtual bool OwnsItemControl(TdxBarItemControl* AControl) const;
  virtual bool TouchesOwner() const;
  virtual bool IsOwnerWindow(win::HWND /*Window*/) const { return false; }
  virtual bool IsPopupWindow() const { return false; }
  virtual bool StacksItemsVertically() const { return IsVertical(); }
  virtual bool IsWindowEnabled() const;
  virtual void ItemControlFocused(TdxBarItemControl* /*AControl*/) {}
  virtual bool HasMark() const { return false; }
  // The customize mark's rectangle in client coordinates; empty without one.
  virtual TRect MarkRect() const { return {}; }
  virtual void SetMarkState(int AState) = 0;
  virtual bool HasQuickAccessExtra() const { return false; }
  virtual bool ShouldIgnoreMouse(bool ACheckUnmoved) const;
  virtual void PaintItemControl(TcxCanvas* ACanvas, TdxBarItemControl* AControl);
  virtual void SetDockingStyle(TdxBarDockingStyle Value);
  virtual void AssignFont() = 0;
  virtual void UpdateAfterHandle() {}
  // Customizing: a click selects the control (or the bar's design parent) in the designer.
  virtual void DesignSelectControl(TdxBarItemControl* AControl, TMouseButton Button, TShiftState Shift);
  virtual void SelectByAccelerator(TdxBarItemControl* AControl, bool AAmbiguous);
  virtual void SelectControlByKeyboard(TdxBarItemControl* AControl);
  // The mouse selects the control and activates it (a sub-item's menu opens after the hover delay).
  virtual void HotTrackControl(TdxBarItemControl* AControl);
  virtual void SetSelectedControl(TdxBarItemControl* AControl);
  virtual void InvalidateItemControl(TdxBarItemControl* AControl) = 0;
  virtual void ViewStateChanged(int /*APrevious*/) {}
  virtual void CustomizingPopupDone(int /*AResult*/) {}
  // The design controller's popup for the bar's design-selected link (nil: its empty part).
  virtual void ShowCustomizingPopup(TdxBarItemControl* AControl);
  virtual bool PaintsNonClientBuffered() const { return true; }
  // Fills R with ABrush, or with the window's background picture (aligned to the window's origin
  // when AWithOrigin) when AColor is dxBarNoColor or clNone.
  virtual void FillBarBackground(win::HDC DC, const TRect& R, bool AWithOrigin, TColor AColor, win::HBRUSH ABrush) = 0;
  virtual void FillNonClientBackground(win::HDC DC, win::HRGN ARegion, bool AFlag, win::HBRUSH ABrush);
  virtual bool IsInternal() const { return false; }
  virtual bool HasBackgroundBitmap() const;
  virtual bool HasOwnBackground() const;
  virtual TPoint BackgroundOrigin() const { return {0, 0}; }
  virtual void DrawNonClient(win::HDC /*DC*/) {}
  virtual void ResetBackgroundCache();
  virtual void UpdateDoubleBuffered();
  virtual void Dismiss() = 0;
  // Unless already closing: DoCloseUp, the guard cleared afterwards only if the bar survived.
  virtual void CloseUp();
  virtual bool IsOnGlass() const { return false; }
  virtual bool IsVertical() const { return false; }
  virtual bool RotatesText() const { return false; }
  // 0 toolbar, 1 quick-customization bar, 2 menu.
  virtual int BarKind() const = 0;
  virtual void RebuildRecreating() { RebuildBar(true); }
  // The window ends its hot tracking: the mouse left it (the manager calls it too).
  virtual void MouseLeft();
  virtual void DoubleClickControl(TdxBarItemControl* AControl);

  // ---- plain operations ----
  unsigned State() const { return FState; }
  TdxBarManager* BarManager() const;
  // The canvas to draw and measure with: the window's, or a screen canvas while there is no handle.
  TcxCanvas* DrawCanvas();
  bool IsDestroying() const { return HasState(csDestroying) || (FState & dxBarBeingDestroyed); }
  TdxBarItemLinks* ItemLinks() const { return FItemLinks; }
  TdxBarItemLink* SelectedLink() const { return FSelectedLink; }
  // The selected link's control; nil without one.
  TdxBarItemControl* SelectedControl() const;
  TdxBarItemLink* PreviousTrackedLink() const { return FPrevTrackedLink; }
  void SetPreviousTrackedLink(TdxBarItemLink* Value) { FPrevTrackedLink = Value; }
  // The control under a client point in painting order; none while customizing without design hit
  // tests, or when the control under the point skips customizing hit tests.
  TdxBarItemControl* ItemControlAtPoint(const TPoint& P) const;
  TdxBarItemControl* ItemControlAtCursor() const;
  // The bar this one was opened from and the one opened from it; both sides point at each other and
  // the links read none once a bar is gone.
  virtual TCustomdxBarControl* ParentBar() const;
  TCustomdxBarControl* ChildBar() const;
  void SetChildBar(TCustomdxBarControl* Value);
  void SetParentBar(TCustomdxBarControl* Value);
  // The bar that was active before this one became active; none once it is gone.
  TCustomdxBarControl* PreviousActiveBar() const;
  void SetDockControl(TdxDockControl* Value);
  TdxBarDockingStyle DockingStyle() const { return FDockingStyle; }
  // Calls SetActive unless the state is already the one asked for or the bar cannot be activated;
  // while customizing a deactivation always goes through.
  void SetActiveState(bool AActive);
  bool Active() const { return FIsActive; }
  // Whether this bar takes mouse input: no bar is active, or it lies on the active bar's chain of parents.
  virtual bool AcceptsMouseInput() const;
  void SetViewState(int Value);
  int ViewState() const { return FViewState; }
  bool IsFocusedBar() const;
  void HideFocus();
  // Ctrl+Tab: from the chain's root toolbar to the next (or previous) bar, across managers, that
  // shows a selectable link. A menu root switches nowhere.
  void SwitchBar(bool AForward);
  // The control pressed on a toolbar holds the mouse until the button goes up or the capture moves.
  TdxBarItemControl* ClickedControl() const { return FClickedControl; }
  void SetClickedControl(TdxBarItemControl* Value) { FClickedControl = Value; }
  // A press armed the drag of a design-selected link.
  bool DragDown() const { return FDragDown; }
  // The next button-up (and a press or double click before it) is swallowed.
  bool IgnoreMouseClick() const { return FIgnoreMouseClick; }
  void SetIgnoreMouseClick(bool Value) { FIgnoreMouseClick = Value; }
  // The mouse message being handled; a double click not taken as one reads as a press.
  const TMessage& CurrentMessage() const { return FCurrentMessage; }
  bool ContainsScreenPoint(const TPoint& P) const;
  // Does nothing while destroying, without a handle, while rebuilding or making or freeing controls,
  // or while the manager is update-locked. While customizing, the selection comes back on its new control.
  virtual void RebuildBar(bool ARecreate);
  TRect ControlRect(TdxBarItemControl* AControl) const;
  TRect ControlScreenRect(TdxBarItemControl* AControl) const;
  TRect WindowRect() const;
  TRect NonClientRect() const;
  TPoint ClientOffset() const;
  TRect ClientRectInWindow() const;
  win::HFONT FontHandle() const;
  void ShowNoActivate();
  void RedrawFrame();
  // False while the selected control or the child chain holds the bars open.
  bool ChainMayHide() const;
  // A one-pixel line along the edge shared with the owner (window coordinates; with AScreen moved
  // outwards and to the screen); empty when the bar does not touch its owner.
  TRect OwnerGapRect(bool AScreen) const;
  TObject* AccessibilityHelper();
  void UpdateShadow();
  // A bar that rotates its text draws with a font turned by -90 degrees (top to bottom).
  void UpdateCanvasFont();
  void UpdateDoubleClicks();
  void SetDetachCursor(bool ASelected);
  bool CursorOverWindow() const;

  // ---- fields the toolbar, menu and item-control units read and write ----
  double Ratio() const { return FRatio; }
  int MenuArrowHeight() const { return FMenuArrowHeight; }
  int MenuArrowWidth() const { return FMenuArrowWidth; }
  int EditTextSize() const { return FEditTextSize; }
  virtual int ComboBoxArrowWidth() const { return FComboBoxArrowWidth; }
  int MeasuredTextSize() const { return FTextSize; }
  int MeasuredIconAreaSize() const { return FIconAreaSize; }
  // The screen rectangle of the element a popup was opened from; empty for none.
  const TRect& OwnerScreenBounds() const { return FOwnerBounds; }
  void SetOwnerScreenBounds(const TRect& Value) { FOwnerBounds = Value; }
  void SetOwnerControl(TWinControl* Value) { FOwnerControl = Value; }
  // Menus: the hot control is shown only in full menus (its item controls copy their state here).
  bool MenuNonRecent() const { return FMenuNonRecent; }
  void SetMenuNonRecent(bool Value) { FMenuNonRecent = Value; }
  TRect ItemsRect() const { return FItemsRect; }
  void SetItemsRect(const TRect& Value) { FItemsRect = Value; }
  TRect VisibleItemsRect() const { return FVisibleItemsRect; }
  void SetVisibleItemsRect(const TRect& Value) { FVisibleItemsRect = Value; }
  TCustomdxBarControlViewInfo* ViewInfo() const;
  TdxBarShadow* Shadow() const { return FShadow; }
  TBitmap* BackgroundTempBitmap() const { return FBackgroundTempBitmap; }
  win::HBRUSH CurrentBackgroundBrush() const { return FCurrentBackgroundBrush; }
  void SetPainter(TdxBarPainter* Value) { FPainter = Value; }
  bool ClosedByEscape() const { return FClosedByEscape; }
  void SetClosedByEscape(bool Value) { FClosedByEscape = Value; }
  bool IsDowned() const { return FIsDowned; }
  void SetIsDowned(bool Value) { FIsDowned = Value; }
  const TPoint& LastMousePos() const { return FLastMousePos; }
  void SetLastMousePos(const TPoint& Value) { FLastMousePos = Value; }
  int ExpandedContainerCount() const { return static_cast<int>(FExpandedContainers.size()); }
  TdxBarContainerLinkData* ExpandedContainers(int Index) const { return FExpandedContainers[static_cast<std::size_t>(Index)]; }
  TNotifyEvent OnDestroying;
  // A link of the bar, or a link's item control, is being freed: the bar lets go of it.
  void ItemLinkDestroying(TdxBarItemLink* ALink);
  void ItemControlDestroying(TdxBarItemControl* AControl);

  // ---- what painters and the manager read of a bar window; toolbars and menus answer ----
  virtual win::HBRUSH BkBrush() const { return BackgroundBrush(); }
  virtual bool IsMenu() const { return BarKind() == 2; }
  // The toolbar's docking style as its index; dsNone floats (and is what menus answer).
  virtual int DockingStyleIndex() const { return static_cast<int>(FDockingStyle); }
  // The dock site a docked toolbar lies in; nil for floating toolbars and menus.
  virtual TdxDockControl* DockControl() const { return FDockControl; }
  // A toolbar's border style: 0 none, 1 single.
  virtual int BorderStyleIndex() const { return 1; }
  virtual bool SizeGrip() const { return false; }
  virtual bool ShowsGrip() const { return true; }
  virtual bool ShowsCaption() const { return true; }
  virtual bool HasCloseButton() const { return false; }
  virtual int CloseButtonState() const { return 0; }
  virtual bool HidesItems() const { return false; }
  virtual TdxFadingObjectHelper* MarkFadingHelper() const { return nullptr; }
  // clDefault when the toolbar has no colour of its own.
  virtual TColor BarColor() const { return static_cast<TColor>(0x20000000); }
  virtual bool NoShadow() const { return false; }
  // Menus: the ratio of large items (1 without), detachable, caption hot, side band width,
  // whether rarely used items are shaded, and whether items show descriptions.
  virtual double ItemsScaleRatio() const { return 1.0; }
  virtual bool IsDetachable() const { return false; }
  virtual bool DetachCaptionHot() const { return false; }
  // The tear-off caption's own height, before the painter's band around it.
  virtual int DetachCaptionSize() const { return 0; }
  virtual int SideBandWidth() const { return 0; }
  virtual bool ShadesRarelyUsed() const { return false; }
  virtual bool ShowsDescriptions() const { return false; }
  // Where the menu's owner item lies in this window's client coordinates; empty when none.
  virtual TRect OwnerBounds() const { return {}; }
  // The window's own copy of a background drawn once (the themed status bar); nil for none.
  virtual TBitmap* BackgroundCache() const { return nullptr; }
  // Whether the window is in keyboard or mouse mode, and its current control.
  virtual bool IsActive() const { return FIsActive; }
  virtual TdxBarItemControl* CurrentControl() const { return SelectedControl(); }
  virtual void UpdateControlState() {}
  // The manager's style, painter or fonts changed: the window recomputes its frame.
  virtual void BarManagerStyleChanged() {}
  // The window's background brushes follow the manager's.
  virtual void RefreshBrushes() {}
  // Client and frame repainted as they stand.
  virtual void RepaintBar() {}
  // Measures the toolbar again and places its items.
  virtual void RecalcAndLayout() {}
  // The manager's selected control moved to another root toolbar: this window lets its go.
  virtual void DropSelection() {}

 protected:
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // The control under the mouse becomes the tracked one: the one before is left, the new one
  // entered, and the control under the mouse is moved over in every case.
  void TrackItemControl(TdxBarItemControl* AControl, const TPoint& P, TShiftState Shift);
  void CreateHandle() override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Resize() override;
  // The links' controls are told the window is gone; MouseLeft first unless the bar is destroying.
  void ReleaseControls();
  // A fill with the brush, else with the colour (none for clNone): for bars without a background picture.
  void FillPlainBackground(win::HDC DC, const TRect& R, TColor AColor, win::HBRUSH ABrush);

  TcxScreenCanvas* FActiveCanvas = nullptr;
  TBitmap* FBackgroundTempBitmap = nullptr;
  win::HBRUSH FCurrentBackgroundBrush = nullptr;
  TcxCanvas* FBarCanvas = nullptr;
  TcxObjectLink* FChildBarLink = nullptr;
  TdxBarItemControl* FClickedControl = nullptr;
  bool FClosedByEscape = false;
  TMessage FCurrentMessage{};
  TdxDockControl* FDockControl = nullptr;
  TdxBarDockingStyle FDockingStyle = dsNone;
  bool FDragDown = false;
  TPoint FDragPoint{};
  std::vector<TdxBarContainerLinkData*> FExpandedContainers;
  TObject* FAccessibilityHelper = nullptr;
  bool FIgnoreMouseClick = false;
  bool FIsActive = false;
  bool FIsDowned = false;
  TdxBarItemLinks* FItemLinks = nullptr;
  bool FMovingChanging = false;
  TRect FOwnerBounds{};
  TWinControl* FOwnerControl = nullptr;
  TcxObjectLink* FParentBarLink = nullptr;
  TcxObjectLink* FPreviousActiveBarLink = nullptr;
  TdxBarItemLink* FPrevTrackedLink = nullptr;
  TdxBarItemLink* FSelectedLink = nullptr;
  TdxBarShadow* FShadow = nullptr;
  int FTextSize = 0, FEditTextSize = 0, FMarkSize = 0, FMenuArrowHeight = 4, FMenuArrowWidth = 0,
      FComboBoxArrowWidth = 0, FIconAreaSize = 0;
  double FRatio = 1.0;
  TRect FItemsRect{};
  TRect FVisibleItemsRect{};
  TPoint FLastMousePos{-1, -1};
  int FMarkState = 0;
  TdxBarPainter* FPainter = nullptr;
  unsigned FState = 0;
  mutable TCustomdxBarControlViewInfo* FViewInfo = nullptr;
  int FViewState = 0;
  bool FMenuHandsBackSelection = false;
  bool FMenuNonRecent = false;

 protected:
  // Container links give way to their content in place, and come back.
  void ExpandContainers();
  void CollapseContainers();

 private:
  void BeforeDestroy();
  void PaintNonClient(TMessage& Message);
  void WMCtlColorEdit(TMessage& Message);
  void WMSetCursor(TMessage& Message) override;
  // The input half of the window procedure (BarControlInput.cpp); false for other messages.
  bool HandleInputMessage(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMCaptureChanged(TMessage& Message);
  void DoubleClickAsPress();
};

class TdxBarControl;
// The toolbar window's view: its item controls in order and the separators before group starts.
class TdxBarControlViewInfo : public TCustomdxBarControlViewInfo {
  VW_CLASS(TdxBarControlViewInfo, TCustomdxBarControlViewInfo)
 public:
  using TCustomdxBarControlViewInfo::TCustomdxBarControlViewInfo;
  // The toolbar lays its items out first.
  void Calculate() override;
  virtual void AddSeparatorFor(TdxBarItemLink* ALink);
  virtual int FirstInfoIndex() const { return 0; }
  virtual bool HasSeparators() const { return true; }
  // A line across the bar above a wrapped line, or along it before the item.
  virtual void CalcSeparatorRect(TdxBarItemLink* ALink, const TRect& AItemRect);
  virtual bool StopsAtControl(TdxBarItemControl* /*AControl*/) const { return false; }
};

// Hit codes a toolbar window keeps from its last WM_NCHITTEST.
constexpr int dxBarHitNone = 0;
constexpr int dxBarHitClient = 1;
constexpr int dxBarHitCaption = 2;
constexpr int dxBarHitLeft = 10, dxBarHitRight = 11, dxBarHitTop = 12, dxBarHitBottom = 15;
constexpr int dxBarHitSizeGrip = 17;
constexpr int dxBarHitClose = 20;
// A toolbar window with this behaviour flag keeps the class library's hit test (the application
// menu's extra pane shows one).
constexpr unsigned dxBarBehaviourPlainHitTest = 0x80;
// Presses go to the control again only in the focused bar.
constexpr unsigned dxBarBehaviourPressAgainFocusedOnly = 0x20;

// A toolbar's window: a child of its dock site, or a floating tool window owned by the manager's
// form; also the drop-down popup of a private hidden toolbar. It owns the frame (grip, floating
// caption and close button, size grip), the hit test behind it, floating resizing that snaps to
// item arrangements, and writes where it stands back into its toolbar.
//
// The item layout and size rules live in BarToolbarLayout.cpp. The dock sites' rows and the drag
// loop fill the hooks marked "dock" and "drag"; the mark, the caption and MDI buttons and the
// focus hand-over are marked "controls".
class TdxBarControl : public TCustomdxBarControl {
  VW_CLASS(TdxBarControl, TCustomdxBarControl)
 public:
  // The mark's and the three MDI buttons' fading helpers come with the window and go before it.
  explicit TdxBarControl(TComponent* AOwner);
  ~TdxBarControl() override;
  void BeforeDestruction() override;
  // A window of the class for the toolbar, owned by the manager.
  static TdxBarControl* CreateForBar(TClass AClass, TdxBarManager* AOwner, TdxBar* ABar);
  // A drop-down window of the class for ABar's caption buttons, opened from AParent: it shows a
  // private hidden toolbar of its own.
  static TdxBarControl* CreatePopup(TClass AClass, TCustomdxBarControl* AParent, TdxBar* ABar);

  // ---- new virtual operations, in slot order ----
  virtual bool TestsFirstItemOverflow() const { return false; }
  virtual bool CanMove() const;
  virtual bool IsShowing() const;
  virtual void ClickCaptionButton(int AIndex);
  virtual bool HasCaptionButtons() const;
  virtual TClass MarkAccessibilityHelperClass() const { return nullptr; }
  virtual String MoreButtonsHint() const;
  virtual bool WrapsItems() const;
  virtual TClass QuickControlClass() const;
  virtual TCustomForm* AnyParentForm() const;
  virtual bool AllowsQuickCustomizing() const;
  // The hidden links, then the add-or-remove command when the toolbar allows it.
  virtual void FillQuickPopup(TdxBarItemLinks* ALinks);
  virtual void AddQuickCustomizeCommand(TdxBarItemLinks* ALinks);
  // One entry per link the user may show or hide, the reset command, the customize command.
  virtual void FillQuickCustomizeList(TdxBarItemLinks* ALinks);
  // The minimal width and height for a docking style (BarToolbarLayout.cpp).
  virtual int MinLengthFor(TdxBarDockingStyle AStyle);
  virtual int MinThicknessFor(TdxBarDockingStyle AStyle);
  // Left of (horizontal) or above (vertical) the client origin; empty floating or borderless.
  virtual TRect GripHitBounds() const;
  // The client size for a wanted width; a short single-line toolbar keeps the most recently used
  // links that fit (its links' collapsed count stays so).
  virtual TSize CalcSizeForWidth(TdxBarDockingStyle AStyle, int AWidth);
  virtual TSize PopupSize() { return {}; }
  virtual bool HasFloatingCaption() const { return true; }
  virtual bool ShowsCloseButton() const;
  // The parent bar's mark on the screen: where a popup opens.
  virtual TRect OwnerMarkScreenRect() const;
  virtual bool ShowsMDIButtons() const;
  // The floating caption shows the buttons' new states.
  virtual void CaptionButtonsChanged(int AIndex);
  virtual void CaptionChanged();
  virtual void DrawSeparator(const TRect& R, bool AAcross);
  virtual void PaintNonClient(win::HDC DC);
  virtual void PaintClient();
  virtual void FillClientBackground();
  virtual String Caption() const;
  virtual TFont* BarFont() const;
  virtual void BarChangedHook() {}
  virtual bool CanHostQuickPopup() const { return true; }
  virtual bool NotInPopupWindow() const;
  virtual void ResetParentMark();
  virtual void ShowAsPopup(const TRect& AOwnerRect) { PlacePopup(AOwnerRect, 1); }
  // The minimize, restore and close buttons of a maximized MDI child, or the close button alone.
  virtual bool ShowsMDIOrCloseButtons() const;
  // An MDI button's rectangle in client coordinates; empty while it is not shown.
  virtual TRect MDIButtonRect(int AIndex) const;
  // Draws the shown MDI buttons, each excluded from the clip when asked.
  virtual void DrawMDIButtons(bool AExcludeFromClip);

  // ---- overrides of the bar window ----
  void HandleWindowPosChanged(const win::WINDOWPOS& APos) override;
  void CalcLayout() override;
  void CalcMetrics() override;
  void LinksChanged() override;
  bool HonoursItemAlign(TdxBarItemControl* AControl) const override;
  bool CanResizeByUser() const override;
  bool AllowsDesignHitTest() const override;
  bool IsUpdateLocked() const override;
  void HandleItemMouseDown(TMouseButton Button, TShiftState Shift, bool AInsideClient, TdxBarItemControl* AControl,
                           const TPoint& P) override;
  void Rebuild(bool ARecreate) override;
  void PressControl(TdxBarItemControl* AControl) override;
  TClass AccessibilityHelperClass() const override;
  TBitmap* BackgroundBitmap() const override;
  int SeparatorSize() const override;
  TFont* ItemsFont() const override;
  TRect ItemInnerRect(TdxBarItemControl* AControl) const override;
  bool IsMainMenu() const override;
  bool IsStatusBar() const override;
  TPersistent* DesignSelectable() const override;
  win::HBRUSH BackgroundBrush() const override;
  TClass ViewInfoClass() const override { return TdxBarControlViewInfo::StaticClass(); }
  win::HDC AcquireWindowDC() override;
  void ReleaseWindowDC(win::HDC DC) override;
  TRect MouseTrackingArea() const override;
  bool IsPopupStyle() const override { return IsPopupWindow(); }
  bool IsInternal() const override { return IsPopupWindow(); }
  bool IsPopupWindow() const override { return FPopup; }
  bool HasMark() const override;
  TRect MarkRect() const override;
  int MarkState() const override;
  void SetMarkState(int AState) override;
  bool ShouldIgnoreMouse(bool ACheckUnmoved) const override;
  void AssignFont() override;
  void SetDockingStyle(TdxBarDockingStyle Value) override;
  void UpdateAfterHandle() override;
  void InvalidateItemControl(TdxBarItemControl* AControl) override;
  bool PaintsNonClientBuffered() const override;
  void FillBarBackground(win::HDC DC, const TRect& R, bool AWithOrigin, TColor AColor, win::HBRUSH ABrush) override;
  bool HasBackgroundBitmap() const override;
  bool HasOwnBackground() const override;
  TPoint BackgroundOrigin() const override { return ClientOffset(); }
  void DrawNonClient(win::HDC DC) override;
  void Dismiss() override;
  bool IsVertical() const override { return DockingStyle() == dsLeft || DockingStyle() == dsRight; }
  bool RotatesText() const override;
  int BarKind() const override { return 0; }
  void Repaint() override;
  // The mark, the caption, close and MDI buttons, focus and design-time sizing (BarToolbarMark.cpp).
  void HandleKeyDown(TMessage& Message) override;
  void PrepareLinkDrag(const TPoint& P, bool ASameControl) override;
  void ActivateWithControl(TdxBarItemControl* AControl) override;
  void DeactivateAndDeselect() override;
  void HandleMouseLeft() override;
  void HandleItemMouseMove(TShiftState Shift, const TPoint& P, TdxBarItemControl* AControl) override;
  void DoCloseUp() override;
  void SetActive(bool AActive) override;
  void SelectControlByKeyboard(TdxBarItemControl* AControl) override;
  // What painters read of the toolbar.
  int BorderStyleIndex() const override;
  bool SizeGrip() const override { return FSizeGripShown; }
  bool HasCloseButton() const override { return ShowsCloseButton(); }
  int CloseButtonState() const override { return FCloseGlyphState; }
  TColor BarColor() const override;

  // ---- the mark and the MDI buttons, as their fading helpers ask for them ----
  // The painter supports fading and there is a fader.
  bool AllowsFading() const override;
  TdxFadingObjectHelper* MarkFadingHelper() const override;
  // Index 0 minimize, 1 restore, 2 close.
  TdxBarControlMDIButtonFadingHelper* MDIButtonFadingHelper(int AIndex) const;
  // The painter draws the mark again where it stands.
  virtual void RedrawMark();

  // ---- plain operations ----
  TdxBar* ShownBar() const { return FShownBar; }
  // The window shows the toolbar's links.
  void SetShownBar(TdxBar* Value);
  TdxBar* SourceBar() const { return FSourceBar; }
  // The buttons on the caption: a popup's are its source bar's; nil when there are none.
  TdxBarCaptionButtons* ShownCaptionButtons() const;
  // While positive the window writes no position into its toolbar.
  void BeginInternalUpdate() { ++FInternalUpdateDepth; }
  void EndInternalUpdate() { if (FInternalUpdateDepth > 0) --FInternalUpdateDepth; }
  int InternalUpdateDepth() const { return FInternalUpdateDepth; }
  // An internal update for a scope, ended also when the scope raises.
  class TInternalUpdate {
   public:
    explicit TInternalUpdate(TdxBarControl* AWindow) : FWindow(AWindow) { FWindow->BeginInternalUpdate(); }
    ~TInternalUpdate() { FWindow->EndInternalUpdate(); }
    TInternalUpdate(const TInternalUpdate&) = delete;
    TInternalUpdate& operator=(const TInternalUpdate&) = delete;

   private:
    TdxBarControl* FWindow;
  };
  bool StoringPosition() const { return FStoringPosition; }
  // Takes the docking style and the dock site (none floating): a new window of the new shape, or
  // during a drag the kept window of that shape.
  virtual void ApplyDockingStyle(TdxBarDockingStyle AStyle, TdxDockControl* ADockControl);
  void ApplyPlannedBounds();
  // Writes where the window stands into its toolbar.
  virtual void StorePositionInBar();
  void FrameChanged();
  virtual void RefreshFrame();
  // The manager's style or font changed.
  void RecalculateForStyle();
  virtual void FontChanged();
  TColor CaptionColor() const;
  TColor CaptionTextColor() const;
  // Where the window sits among its dock site's rows. Dock; 0 and 0 until the rows are laid out.
  virtual int RowIndex() const { return 0; }
  virtual int ColumnIndex() const { return 0; }
  // The window's size in a docking style, frame included; the links' collapsed count stays.
  virtual TSize SizeForStyle(TdxBarDockingStyle AStyle);
  // The client size for a wanted height.
  virtual TSize CalcSizeForHeight(TdxBarDockingStyle AStyle, int AHeight);

  // ---- item layout (BarToolbarLayout.cpp) ----
  // The width (height) with every link on one line; at least the minimal one.
  int FullWidthFor(TdxBarDockingStyle AStyle);
  int FullHeightFor(TdxBarDockingStyle AStyle);
  // Breaks the visible links into lines of at most ALength along; ASize holds the minimal size on
  // entry and the client size on exit.
  void WrapForWidth(bool ADocked, int ALength, TSize& ASize);
  // The MDI button area: LM wide and TM high (three buttons along the bar, else the close button).
  int MDIAreaWidth() const;
  int MDIAreaHeight() const;
  void CalcHorizontalItemRects() override;
  // Where no link lies under the point: before the first link of the row under it (before its
  // centre- or right-aligned last link), or after the row's last link.
  bool DropPositionAt(const TPoint& P, TdxBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                      bool& AOnSeparator) const override;
  // Where the pointer holds the window in a shape: the pixel it was taken by when back in the
  // starting kind of site during a drag, else the grab ratios applied to the shape's size.
  virtual TPoint GrabPoint(TdxBarDockingStyle AStyle);

  // ---- geometry, in window coordinates unless said ----
  TRect CaptionBand(bool AInWindow = true) const;
  TRect CloseButtonBounds() const;
  TRect MarkRectInWindow() const;
  TRect MarkScreenRect() const;
  // Client coordinates; empty without a size grip.
  TRect SizeGripBounds() const;
  // Moves the popup beside (vertical parent) or below the owner rectangle: kind 0 ends at its right
  // edge, kind 1 starts at its left edge; kept inside the work area there.
  void PlacePopup(const TRect& AOwnerRect, int AKind);

  // ---- state ----
  win::HWND FocusBeforeBar() const { return FFocusBeforeBar; }
  int CloseGlyphState() const { return FCloseGlyphState; }
  // The windows a drag keeps for the docked and the floating shape.
  win::HWND DockedWindow() const { return FDockedWindow; }
  win::HWND FloatingWindow() const { return FFloatingWindow; }
  bool ItemSizing() const { return FItemSizing; }
  bool SizeGripShown() const { return FSizeGripShown; }
  int LastHitCode() const { return FLastHitCode; }
  int MDIButtonCX() const { return FMDIButtonCX; }
  int MDIButtonCY() const { return FMDIButtonCY; }
  int MinLength() const { return FMinLength; }
  int MaxLength() const { return FMaxLength; }
  void SetRowLengths(int AMin, int AMax) {
    FMinLength = AMin;
    FMaxLength = AMax;
  }
  bool BeingDragged() const { return FBeingDragged; }
  // A drag starts or ends: while it runs the window keeps one window per shape and swaps them on
  // a change of shape; the end destroys the one not in use and writes the place into the toolbar.
  void SetDragging(bool AMoving);
  TdxBarControl* OpenQuickControl() const { return FOpenQuickControl; }
  bool Shortened() const { return FShortened; }
  void SetShortened(bool Value) { FShortened = Value; }
  void SetPlannedBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    FPlannedLeft = ALeft;
    FPlannedTop = ATop;
    FPlannedWidth = AWidth;
    FPlannedHeight = AHeight;
  }
  // Offset of the pointer in the window and the window's extent, per axis.
  const TPoint& GrabRatioX() const { return FGrabRatioX; }
  const TPoint& GrabRatioY() const { return FGrabRatioY; }
  // Called by a press on the caption, the grip or the empty area (hit code 2): the collection's
  // drag loop takes it from here.
  virtual void StartDrag();

  // ---- the close button, the caption buttons and the MDI buttons ----
  void SetCloseGlyphState(int AState);
  // The MDI button (0 minimize, 1 restore, 2 close) may turn hot, or be pressed.
  bool MDIButtonEnabled(int AIndex, bool AForPressing) const;
  void RedrawMDIButtons();
  // The MDI buttons' tracking, one for every toolbar window: pressed, pressed-inside, indexes.
  static bool MDIButtonPressed();
  static bool MDIButtonHot();
  static int MDIButtonPressedIndex();
  static int MDIButtonHotIndex();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void Paint() override;
  void Resize() override;
  // The docked client is not filled by the class library.
  bool OtherManagerCustomizing() const;


 private:
  void NCCalcSize(TMessage& Message);
  void NCHitTest(TMessage& Message);
  void Sizing(TMessage& Message);
  void WindowPosChanging(TMessage& Message);
  void Destroyed(TMessage& Message);
  void PlaceWithoutActivation(int X, int Y);
  TRect NonClientInsets(TdxBarDockingStyle AStyle) const;
  bool HasSizeGripNow() const;
  // BarDragging.cpp: the end of a drag keeps the window of the shape in use.
  void EndDraggingWindows();
  // A double click on the grip or caption docks a floating toolbar and floats a docked one.
  void ToggleDockingByDoubleClick();
  // BarToolbarMark.cpp: what the toolbar does with the messages of its mark, caption buttons,
  // MDI buttons and item sizing; true when the message is handled.
  bool HandleControlsMessage(TMessage& Message);
  // The mark is clickable and holds the client point.
  bool OnClickableMark(const TPoint& P) const;
  // A left press on an MDI or close button starts tracking it; true when it did.
  bool StartMDIButtonTracking(const TPoint& P);
  void MarkWatchTick();
  void TrackCaptionButtons(TMessage& Message);
  void EndMDIButtonTracking();
  // The first shown MDI button under the client point that may turn hot (or be pressed); -1 none.
  int MDIButtonAt(const TPoint& P, bool AForPressing) const;
  void DrawMDIButton(win::HDC DC, int AIndex, bool AExcludeFromClip);

  TdxBarControlMarkFadingHelper* FMarkFadingHelper = nullptr;
  TdxBarControlMDIButtonFadingHelper* FMDIButtonFadingHelpers[3] = {};
  TdxBar* FShownBar = nullptr;
  win::HWND FFocusBeforeBar = nullptr;
  int FCloseGlyphState = 0;
  win::HWND FDockedWindow = nullptr;
  win::HWND FFloatingWindow = nullptr;
  win::HBITMAP FBufferedBitmap = nullptr;
  bool FItemSizing = false;
  bool FSizeGripShown = false;
  int FLastHitCode = dxBarHitNone;
  int FInternalUpdateDepth = 0;
  int FMDIButtonCX = 0, FMDIButtonCY = 0;
  int FMinLength = 0, FMaxLength = 0;
  win::UINT_PTR FMarkWatchTimer = 0;
  bool FBeingDragged = false;
  TdxBar* FSourceBar = nullptr;
  bool FStoringPosition = false;
  win::HRGN FBufferedRegion = nullptr;
  win::HDC FBufferedDC = nullptr;
  win::HGDIOBJ FBufferedOldBitmap = nullptr;
  TcxObjectLink* FFocusedBarBefore = nullptr;
  TdxBarControl* FOpenQuickControl = nullptr;
  bool FShortened = false;
  int FPlannedLeft = 0, FPlannedTop = 0, FPlannedWidth = 0, FPlannedHeight = 0;
  TPoint FGrabRatioX{}, FGrabRatioY{};
  bool FPopup = false;
  bool FFillingBackground = false;
};
// The menu windows live in BarSubMenuControl.h.
class TdxBarSubMenuControl;
class TContainerItemSubMenuControl;

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

class TdxBarNavigationController;  // BarNavigation.h

// The design-time editors and helpers live in BarDesignController.h.

#undef VW_BAR_COMPONENT_SHELL
#undef VW_BAR_CONTROL_SHELL
#undef VW_BAR_SHELL
