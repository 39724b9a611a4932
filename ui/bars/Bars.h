#pragma once
// Toolbar definitions, their collection, their caption buttons and merge data, and the dock sites
// as far as the toolbars reach them. A toolbar definition is what stays of a toolbar while its
// window comes and goes: where it docks or floats, what it shows and how it merges.
#include <functional>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Controls.h"
#include "platform/classes/Graphics.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/Menus.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarLookups.h"
#include "ui/foundation/ComponentCollection.h"
#include "ui/foundation/Interfaced.h"

using TdxBarDockingStyles = TSet<TdxBarDockingStyle>;
VW_ENUM(TdxBarBorderStyle, bbsNone, bbsSingle)

class TdxBar;
class TdxBars;
class TdxDockControl;
class TdxBarDockControl;
class TdxDockRow;
class TdxBarScreenTip;
class TcxFreeNotificator;

// ---- caption buttons ----------------------------------------------------------------------------

constexpr int dxBarCaptionButtonNormal = 0;
constexpr int dxBarCaptionButtonDisabled = 1;
constexpr int dxBarCaptionButtonHot = 2;
constexpr int dxBarCaptionButtonPressed = 4;

// A button on a floating toolbar's caption.
class TdxBarCaptionButton : public TcxInterfacedCollectionItem {
  VW_CLASS(TdxBarCaptionButton, TcxInterfacedCollectionItem)
 public:
  explicit TdxBarCaptionButton(TCollection* ACollection);
  ~TdxBarCaptionButton() override;
  static void DeclareProperties(TPropTable& t);
  void Assign(TPersistent* Source) override;

  bool Enabled() const { return FEnabled; }
  // Disabled is state 1; enabling makes the button normal.
  void SetEnabled(bool Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  const String& KeyTip() const { return FKeyTip; }
  void SetKeyTip(const String& Value) { FKeyTip = Value; }
  TdxBarScreenTip* ScreenTip() const { return FScreenTip; }
  void SetScreenTip(TdxBarScreenTip* Value);
  TNotifyEvent OnClick;

  TBitmap* Glyph() const { return FGlyph; }
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
  // Where the painter drew the button on the floating caption, window coordinates.
  const TRect& Rect() const { return FRect; }
  void SetRect(const TRect& Value) { FRect = Value; }
  // 0 normal, 1 disabled, 2 hot, 4 pressed. A change while the toolbar has a window shows the
  // button's hint while it is hot and hides it otherwise.
  int State() const { return FState; }
  void SetState(int Value);
  // The keyboard navigation has the button selected (the caption's keyboard access sets it).
  bool KeyboardSelected() const { return FKeyboardSelected; }
  void SetKeyboardSelected(bool Value) { FKeyboardSelected = Value; }
  TdxBar* Bar() const;
  void Click();
  // The button's accessibility helper, made on first use.
  TObject* AccessibilityHelper();

 private:
  TObject* FAccessibilityHelper = nullptr;
  bool FEnabled = true;
  String FHint, FKeyTip;
  TdxBarScreenTip* FScreenTip = nullptr;
  TBitmap* FGlyph;
  TRect FRect{};
  int FState = dxBarCaptionButtonNormal;
  bool FKeyboardSelected = false;
};

class TdxBarCaptionButtons : public TcxOwnedInterfacedCollection {
  VW_CLASS(TdxBarCaptionButtons, TcxOwnedInterfacedCollection)
 public:
  explicit TdxBarCaptionButtons(TdxBar* ABar);
  ~TdxBarCaptionButtons() override;

  TdxBarCaptionButton* Add() { return static_cast<TdxBarCaptionButton*>(TCollection::Add()); }
  TdxBarCaptionButton* Items(int Index) const { return static_cast<TdxBarCaptionButton*>(TCollection::Items(Index)); }
  TdxBar* Bar() const { return FBar; }
  // The first enabled button whose rectangle holds the point; -1 for none.
  int ButtonAtPoint(const TPoint& P) const;
  // Enabled buttons under the point (or selected by keyboard) become pressed or hot, every other
  // enabled button normal; disabled buttons keep state 1.
  void UpdateStates(const TPoint& P, bool APressed);
  // The union of the buttons' non-empty rectangles.
  TRect Bounds() const;
  // A screen tip is being freed: no button refers to it any longer.
  void ScreenTipFreed(TComponent* ATip);
  void WatchScreenTip(TdxBarScreenTip* ATip);
  // The collection's accessibility helper, made on first use.
  TObject* AccessibilityHelper();

 protected:
  void Update(TCollectionItem* Item) override;

 private:
  TObject* FAccessibilityHelper = nullptr;
  TdxBar* FBar;
  TcxFreeNotificator* FFreeNotificator;
};

// ---- merge data ---------------------------------------------------------------------------------

// What a toolbar knows of merging: the toolbar it is merged into and those merged into it.
class TdxBarMergeData : public TObject {
  VW_CLASS(TdxBarMergeData, TObject)
 public:
  TdxBarMergeData();
  ~TdxBarMergeData() override;

  std::vector<TdxBar*>& MergedBars() { return FMergedBars; }
  const std::vector<TdxBar*>& MergedBars() const { return FMergedBars; }
  TdxBar* MergedWith = nullptr;
  bool VisibleBeforeMerging = false;
  bool CreatedByMerging = false;
  bool VisibleBeforeHiding = false;

  // Copies the merged list into the saved list and watches each toolbar there; a freed toolbar
  // leaves the saved list.
  void SaveMergedBars();
  void CopyMergedBars(std::vector<TdxBar*>& AList) const { AList = FMergedBars; }
  // Empties the saved list and stops watching.
  void ClearSavedMergedBars();
  int SavedMergedBarCount() const { return static_cast<int>(FSavedMergedBars.size()); }
  TdxBar* SavedMergedBars(int Index) const { return FSavedMergedBars[static_cast<std::size_t>(Index)]; }

 private:
  void BarFreed(TComponent* ABar);

  TcxFreeNotificator* FFreeNotificator;
  std::vector<TdxBar*> FMergedBars;
  std::vector<TdxBar*> FSavedMergedBars;
};

// ---- the toolbar --------------------------------------------------------------------------------

// One toolbar or main menu bar of a manager; a component kept in the manager's toolbar collection.
class TdxBar : public TcxComponentCollectionItem, public IdxBarLinksOwner, public virtual IdxBarSelectableItem {
  VW_CLASS(TdxBar, TcxComponentCollectionItem)
 public:
  explicit TdxBar(TComponent* AOwner);
  ~TdxBar() override;
  static void DeclareProperties(TPropTable& t);
  void Assign(TPersistent* Source) override;

  TdxBars* Bars() const;
  TdxBarManager* BarManager() const { return FBarManager; }

  // ---- published properties ----
  bool AllowClose() const { return FAllowClose; }
  void SetAllowClose(bool Value);
  bool AllowCustomizing() const { return FAllowCustomizing; }
  void SetAllowCustomizing(bool Value) { FAllowCustomizing = Value; }
  bool AllowQuickCustomizing() const { return FAllowQuickCustomizing; }
  void SetAllowQuickCustomizing(bool Value);
  bool AllowReset() const { return FAllowReset; }
  void SetAllowReset(bool Value) { FAllowReset = Value; }
  int AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(int Value);
  TBitmap* BackgroundBitmap() const { return FBackgroundBitmap; }
  void SetBackgroundBitmap(TBitmap* Value);
  TdxBarBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TdxBarBorderStyle Value);
  const String& Caption() const { return FCaption; }
  // A caption another toolbar of the manager has is refused.
  void SetCaption(const String& Value);
  TdxBarCaptionButtons* CaptionButtons() const { return FCaptionButtons; }
  void SetCaptionButtons(TdxBarCaptionButtons* Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // While the manager loads: the loaded site.
  TdxBarDockControl* DockControl() const;
  virtual void SetDockControl(TdxBarDockControl* Value);
  TdxBarDockControl* DockedDockControl() const { return FDockedDockControl; }
  void SetDockedDockControl(TdxBarDockControl* Value);
  TdxBarDockingStyle DockedDockingStyle() const;
  void SetDockedDockingStyle(TdxBarDockingStyle Value) { FDockedDockingStyle = Value; }
  int DockedLeft() const { return FDockedLeft; }
  void SetDockedLeft(int Value);
  int DockedTop() const { return FDockedTop; }
  void SetDockedTop(int Value);
  // While the manager loads: the loaded style; with a stand-alone site: the site's style.
  TdxBarDockingStyle DockingStyle() const;
  virtual void SetDockingStyle(TdxBarDockingStyle Value);
  int FloatLeft() const { return FFloatLeft; }
  void SetFloatLeft(int Value);
  int FloatTop() const { return FFloatTop; }
  void SetFloatTop(int Value);
  int FloatClientWidth() const { return FFloatClientWidth; }
  void SetFloatClientWidth(int Value);
  int FloatClientHeight() const { return FFloatClientHeight; }
  void SetFloatClientHeight(int Value);
  TFont* Font() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TBitmap* Glyph() const { return FGlyph; }
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
  bool Hidden() const { return FHidden; }
  void SetHidden(bool Value);
  bool IsMainMenu() const { return FIsMainMenu; }
  void SetIsMainMenu(bool Value);
  TdxBarItemLinks* ItemLinks() override { return FItemLinks; }
  TdxBarItemLinks* ItemLinks() const { return FItemLinks; }
  void SetItemLinks(TdxBarItemLinks* Value) { FItemLinks->Assign(Value); }
  const String& KeyTip() const { return FKeyTip; }
  void SetKeyTip(const String& Value) { FKeyTip = Value; }
  bool MultiLine() const { return FMultiLine; }
  // Switching it off is refused for the main menu.
  void SetMultiLine(bool Value);
  TdxBarDockingStyles NotDocking() const { return FNotDocking; }
  void SetNotDocking(TdxBarDockingStyles Value);
  const String& OldName() const { return FOldName; }
  void SetOldName(const String& Value) { FOldName = Value; }
  bool OneOnRow() const { return FOneOnRow; }
  void SetOneOnRow(bool Value);
  bool RotateWhenVertical() const { return FRotateWhenVertical; }
  void SetRotateWhenVertical(bool Value);
  // The index of its dock row when it has one.
  int Row() const;
  void SetRow(int Value);
  bool ShowMark() const { return FShowMark; }
  void SetShowMark(bool Value);
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value);
  bool UseOwnFont() const { return FUseOwnFont; }
  void SetUseOwnFont(bool Value);
  bool UseRecentItems() const { return FItemLinks->UseRecentItems(); }
  void SetUseRecentItems(bool Value);
  bool UseRestSpace() const { return FUseRestSpace; }
  void SetUseRestSpace(bool Value);
  // While the manager loads: the loaded value.
  bool Visible() const;
  virtual void SetVisible(bool Value);
  bool WholeRow() const { return FWholeRow; }
  void SetWholeRow(bool Value);

  // ---- what other parts ask of a toolbar ----
  // DockControl, else the built-in site of DockingStyle; nil while floating.
  TdxDockControl* RealDockControl() const;
  TdxBarPainter* Painter() const;
  // The window while the toolbar is shown.
  TdxBarControl* Control() const;

  // ---- design selection ----
  bool AllowsDeletion(bool ADeleteItems) override;
  void DeleteSelected(IdxBarSelectableItem*& AReference, bool ADeleteItems) override;
  void ApplyCustomizationAction(int) override {}
  TdxBarManager* OwningManager() override { return FBarManager; }
  TPersistent* SelectableObject() override { return this; }
  // The manager's owner.
  void AddMasterObjects(TList* AList) override;
  void NextSelectableObject(IdxBarSelectableItem*& AItem) override { AItem = nullptr; }
  // The first window from the dock site up whose class streams, else the manager's owner.
  TPersistent* ParentSelectable() override;
  int SelectionStatus() override;
  TdxBarCustomizationActions AvailableActions() override { return dxBarCustomizationAction(1); }
  void RepaintSelection() override;
  bool HasSeveralLinks() override { return false; }
  bool IsSelectedInDesigner() override { return SelectionStatus() == 1; }
  void SelectInDesigner(int AOperation) override;
  bool SelectParent() override;
  void DesignSelectionChanged() override;
  // Test seam: hands the toolbar a window of the caller's making.
  void SetControl(TdxBarControl* Value);
  TdxBarControl* NewBarControl();
  void PlaceBarControl();
  void UpdateControlPosition();
  // A built-in site counts as none.
  void SetDockingStyleAndControl(TdxBarDockingStyle AStyle, TdxDockControl* ADockControl);
  TdxDockRow* CurrentDockRow() const { return FCurrentDockRow; }
  void SetDockRow(TdxDockRow* ARow);
  void LeaveDockRow(bool ADeleteEmpty = true);
  // While a layout is read: the highest row index it may ask for (its "BarCount" or the number of
  // toolbars, whichever is larger, less one).
  int RestoringRowLimit() const;
  int NonClientWidth(TdxBarDockingStyle AStyle) const;
  int NonClientHeight(TdxBarDockingStyle AStyle) const;
  bool IsStatusBarLike() const;
  bool ShowsSizeGrip() const;
  bool IsClosable() const;
  bool CanMove() const;
  bool CanReset() const { return FPredefined && FAllowReset; }
  bool CanDelete() const;
  // Frees the toolbar when CanDelete.
  void Delete();
  // The next toolbar of the collection, wrapping; none when alone.
  TdxBar* NextBar() const;
  void AddFreeNotification(TComponent* ASubItem);
  void RemoveFreeNotification(TComponent* ASubItem);
  virtual TClass BarControlClass() const;
  virtual void CaptionButtonsChanged(int AIndex);

  // ---- merging ----
  TdxBarMergeData* MergeData() const { return FMergeData; }
  // Raises EdxException with the library's texts for merges that cannot be.
  void Merge(TdxBar* ABar) { Merge(ABar, true); }
  void Merge(TdxBar* ABar, bool AHideMerged);
  // Nil: every toolbar merged into this one.
  void Unmerge(TdxBar* ABar = nullptr) { Unmerge(ABar, true); }
  void Unmerge(TdxBar* ABar, bool AShowAgain);
  // Unmerges the toolbars of AManager (nil: of every manager) merged into this one.
  void UnmergeBarsOfManager(TdxBarManager* AManager);
  // Merges again what the merge data saved, and forgets it.
  void RemergeSavedBars();
  // Hides or shows for merging, keeping an MDI child owner's bounds.
  void SetVisibleForMerging(bool Value);
  bool KeepWhenEmptied() const { return FKeepWhenEmptied; }
  void SetKeepWhenEmptied(bool Value) { FKeepWhenEmptied = Value; }

  // ---- resetting ----
  void Reset();
  void ResetWithConfirmation();

  // ---- the layout section ----
  // The number n of the saved state's section "Bar" + n that holds this caption exactly; -1 for none.
  int SavedStateIndex() const;
  // AStoredBarCount: the "BarCount" the layout's main section holds (clamped by the loop).
  void SaveToLayout(TCustomIniFile* AStorage, const String& ASection, bool ARegistry);
  void LoadFromLayout(TCustomIniFile* AStorage, const String& ASection, bool ARegistry, int AStoredBarCount,
                      const std::vector<String>* ANewItemNames = nullptr);
  // The toolbar's own keys of a section, in the reading order; a raising value leaves it visible.
  void LoadBarKeys(TCustomIniFile* AStorage, const String& ASection, int AStoredBarCount);

  // ---- marks and state the manager keeps on its toolbars ----
  bool Changed() const { return FChanged; }
  void SetChanged(bool Value) { FChanged = Value; }
  bool Predefined() const { return FPredefined; }
  void SetPredefined(bool Value) { FPredefined = Value; }
  bool HiddenAsEmpty() const { return FHiddenAsEmpty; }
  void SetHiddenAsEmpty(bool Value) { FHiddenAsEmpty = Value; }
  bool InternallyHidden() const { return FInternallyHidden; }
  void SetInternallyHidden(bool Value) { FInternallyHidden = Value; }
  bool NameLocked() const { return FNameLocked; }
  void SetNameLocked(bool Value) { FNameLocked = Value; }
  void SetName(const String& Value) override;
  TdxBarDockControl* LoadedDockControl() const { return FLoadedDockControl; }
  TdxBarDockingStyle LoadedDockingStyle() const { return FLoadedDockingStyle; }
  bool LoadedVisible() const { return FLoadedVisible; }
  TFont* EditFont() const { return FEditFont; }
  // The manager's font reached a toolbar without its own.
  virtual void ManagerFontChanged();
  // Fires first in destruction.
  TNotifyEvent OnDestroying;

  // ---- IdxBarLinksOwner ----
  bool AcceptsItem(TdxBarItem* Item, String& ErrorText) override;
  TCustomdxBarControl* CreateSubMenuControl() override { return NewBarControl(); }
  TComponent* OwnerComponent() override;
  String ShownName() override { return FCaption.empty() ? Name() : FCaption; }

 protected:
  TcxComponentCollection* CollectionOfParent(TComponent* ParentComponent) override;
  void ReadState(TReader* Reader) override;
  void Updated() override;

 private:
  friend class TdxBars;
  bool ManagerLoading() const;
  bool ManagerDestroying() const;
  bool IsDockingStyleStored() const { return !FDockControl; }
  bool IsDockedDockingStyleStored() const { return !FDockedDockControl; }
  bool IsFontStored() const { return FUseOwnFont; }
  void PositionChanged();
  TRect NonClientInsets(TdxBarDockingStyle AStyle) const;
  void FontChanged(TObject* Sender);
  void MakeEditFont();
  void RebuildWindow();
  void RefreshWindowFrame();
  void FloatingCaptionChanged();
  void ReadBarKeys(TCustomIniFile* AStorage, const String& ASection, int AStoredBarCount);

  TdxBarManager* FBarManager = nullptr;
  bool FAllowClose = true;
  bool FAllowCustomizing = true;
  bool FAllowQuickCustomizing = true;
  bool FAllowReset = true;
  int FAlphaBlendValue = 255;
  TBitmap* FBackgroundBitmap;
  TdxBarBorderStyle FBorderStyle = bbsSingle;
  String FCaption;
  TdxBarCaptionButtons* FCaptionButtons;
  TColor FColor = clDefault;
  TdxBarDockControl* FDockControl = nullptr;
  TdxBarDockControl* FDockedDockControl = nullptr;
  TdxBarDockingStyle FDockedDockingStyle = dsTop;
  int FDockedLeft = 0, FDockedTop = 0;
  TdxBarDockingStyle FDockingStyle = dsNone;
  int FFloatLeft = 0, FFloatTop = 0, FFloatClientWidth = 0, FFloatClientHeight = 0;
  TFont* FFont;
  TFont* FEditFont;
  TBitmap* FGlyph;
  bool FHidden = false;
  bool FIsMainMenu = false;
  TdxBarItemLinks* FItemLinks;
  String FKeyTip;
  bool FMultiLine = false;
  TdxBarDockingStyles FNotDocking;
  String FOldName;
  bool FOneOnRow = false;
  bool FRotateWhenVertical = true;
  int FRow = 0;
  bool FShowMark = true;
  bool FSizeGrip = true;
  bool FUseOwnFont = false;
  bool FUseRestSpace = false;
  bool FVisible = false;
  bool FWholeRow = false;

  TdxDockRow* FCurrentDockRow = nullptr;
  TdxBarDockControl* FLoadedDockControl = nullptr;
  TdxBarDockingStyle FLoadedDockingStyle = dsNone;
  bool FLoadedVisible = false;
  TdxBarMergeData* FMergeData;
  std::vector<TComponent*> FFreeNotifications;
  bool FPredefined = false;
  bool FChangingDockingStyle = false;
  bool FPositionUpdatePending = false;
  bool FInternallyHidden = false;
  bool FNameLocked = false;
  bool FKeepWhenEmptied = false;
  bool FChanged = false;
  bool FHiddenAsEmpty = false;
  bool FChangingFontInternally = false;
  bool FBeingDestroyed = false;
  // The "BarCount" of the layout being read: restored rows are clamped below it.
  int FRestoringBarCount = 0;
};

// ---- the collection -----------------------------------------------------------------------------

// The toolbars of a manager and its four built-in dock sites.
class TdxBars : public TcxComponentCollection {
  VW_CLASS(TdxBars, TcxComponentCollection)
 public:
  explicit TdxBars(TdxBarManager* ABarManager);
  ~TdxBars() override;

  TdxBarManager* BarManager() const { return FBarManager; }
  // A new toolbar at the end, named after the manager.
  TdxBar* Add() { return static_cast<TdxBar*>(AppendNewItem()); }
  int Count() const { return ItemCount(); }
  TdxBar* Items(int Index) const { return static_cast<TdxBar*>(ItemAt(Index)); }
  void BeginUpdate() { LockChanges(); }
  void EndUpdate() { UnlockChanges(true); }
  // Every toolbar window rebuilds with new item controls.
  void RebuildAll();
  // The built-in site of an edge (dsLeft .. dsBottom); nil for dsNone and after it was detached.
  TdxDockControl* DockControls(TdxBarDockingStyle Style) const;
  // Forgets the built-in site of an edge without freeing it (it is being destroyed).
  void ClearDockControl(TdxBarDockingStyle Style);
  // Creates the built-in sites on the manager's window once it has one.
  void CreateDockControls();

  // ---- dragging a toolbar (BarDragging.cpp) ----
  // The whole drag of a toolbar window in a message loop of its own, until the button goes up,
  // Escape, the capture goes elsewhere or the program quits; nothing unless the window CanMove.
  void DragBar(TdxBarControl* AWindow);
  // Moves the dragged window to a reference point (the pointer plus DragOffset): along its site,
  // into another site, or floating. A floating window docks only from the docking timer.
  void MoveBarTo(TdxBarControl* AWindow, TPoint APoint);
  // The style and site a toolbar docks into at a screen point: left and right sites before top and
  // bottom ones, each in the order the sites were attached; dsNone and no site for none.
  TdxBarDockingStyle FindDockSite(TdxBar* ABar, const TPoint& APoint, TdxDockControl*& ADockControl);
  // The site given, else the built-in one of the style; nothing for dsNone.
  void InsertIntoSite(TdxBarDockingStyle AStyle, TdxDockControl* ADockControl, const TPoint& APoint,
                      TdxBarControl* AWindow);
  void RemoveFromSite(TdxBarDockingStyle AStyle, TdxDockControl* ADockControl, TdxBarControl* AWindow);

  int DockZoneMargin() const { return FDockZoneMargin; }
  // The docking timer's tick is moving the dragged window.
  bool TimerFired() const { return FTimerFired; }
  bool Dragging() const { return FDragging; }
  TdxBarControl* DraggedWindow() const { return FDraggedWindow; }
  // Set and cleared by the window's SetDragging.
  void SetDraggedWindow(TdxBarControl* Value) { FDraggedWindow = Value; }
  TdxBarDockingStyle DragStartStyle() const { return FDragStartStyle; }
  // Added to the pointer to get the reference point; non-zero only across the rows of the site a
  // drag started in.
  TPoint DragOffset() const { return FDragOffset; }
  // The pointer's offset from the window's corner when a drag starts in a site.
  TPoint GrabOffset() const { return FGrabOffset; }

 protected:
  void NameNewItem(TcxComponentCollectionItem* Item) override;
  void ItemMembershipChanged(TcxComponentCollectionItem* Item, TcxCollectionChangeKind Action) override;

 private:
  static void DockingTimerTick(win::HWND, win::UINT, win::UINT_PTR, win::DWORD);
  void StartDockingTimer();
  // A manager going away takes the docking timer of its drag with it.
  void ForgetDockingTimer();

  TdxDockControl* FDockControls[5] = {};
  bool FTimerFired = false;
  int FDockZoneMargin = 23;
  TdxBarManager* FBarManager;
  bool FDragging = false;
  TdxBarControl* FDraggedWindow = nullptr;
  TdxBarDockingStyle FDragStartStyle = dsNone;
  TPoint FDragOffset{};
  TPoint FGrabOffset{};
};

// ---- helpers ------------------------------------------------------------------------------------

// A component's name led by its owners' names, each followed by ".", outermost first: up to and
// including the first owner that is a form, stopping before an owner without a name.
String dxBarQualifiedName(TComponent* AComponent);
// The section names of a manager's layout begin with this: its qualified name and a dot.
String dxBarLayoutSectionBase(TdxBarManager* AManager);
// A dock site as a layout stores it: its name under the manager's owner, else its qualified name.
String dxBarDockControlReference(TdxBarManager* AManager, TdxBarDockControl* ADockControl);
// The stand-alone dock site a stored reference names; nil when it names none.
TdxBarDockControl* dxBarFindDockControl(TdxBarManager* AManager, const String& AReference);
// While a toolbar resets from the manager's saved state.
bool dxBarIsResettingBar();

// The dock sites are declared with the toolbars: a toolbar reaches its site and row everywhere.
#include "ui/bars/BarDockControl.h"
