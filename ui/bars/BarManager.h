#pragma once
// The bar manager: the non-visual component a window owns to get toolbars and menus. It keeps the
// window's toolbars, items, categories, groups and popup menus, their look (style, painter, fonts,
// brushes, images), the user's options, the customizing mode and the stored layout; every bar
// window, item and painter reaches its settings through it.
#include <exception>
#include <functional>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Forms.h"
#include "platform/classes/ImageList.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/Interface.h"
#include "ui/bars/BarBackgrounds.h"
#include "ui/bars/BarCategories.h"
#include "ui/bars/BarPopupMenu.h"
#include "ui/bars/BarPopupMenuLinks.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarDragInfo.h"
#include "ui/bars/BarImageOptions.h"
#include "ui/bars/BarPainters.h"
#include "ui/bars/Bars.h"
#include "ui/controls/MouseTracking.h"
#include "ui/foundation/Lists.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/foundation/ThemeManager.h"

VW_ENUM(TdxBarManagerStyle, bmsStandard, bmsEnhanced, bmsFlat, bmsXP, bmsOffice11, bmsUseLookAndFeel)
VW_ENUM(TdxBarMenuAnimations, maNone, maRandom, maUnfold, maSlide, maFade)
VW_ENUM(TdxBarMDIStateChange, msActivated, msDeactivated, msMaximizedChanged)

// What the MDI-state handlers receive.
struct TdxBarMDIStateChangeEventData {
  TdxBarMDIStateChange Change;
  win::HWND Wnd;
};
// The MDI buttons' commands (0 minimize, 1 restore, 2 close) and their hints (BarMDI.cpp).
win::UINT dxBarMDICommand(int AIndex);
String dxBarMDICommandHint(int AIndex);

class TdxBarManager;

// ---- what the manager owns and its own issues fill ------------------------------------------------

// The form designer at design time, or the customization dialog's selection at run time.
class IdxBarDesigner : public virtual IInterface {
 public:
  virtual bool CanDeleteComponent(TComponent* AComponent) = 0;
  virtual void GetSelection(TList* AList) = 0;
  virtual int GetSelectionStatus(TPersistent* AComponent) = 0;
  virtual bool IsComponentSelected(TPersistent* AComponent) { return GetSelectionStatus(AComponent) == 1; }
  virtual void SelectComponent(TPersistent* AComponent, int AOperation) = 0;
  virtual void SetSelection(TList* AList) = 0;
  // What a design-time double-click on the component does.
  virtual void DesignerAction(TComponent* AComponent) = 0;
  virtual String UniqueName(const String& ABaseName) = 0;
};

// ---- events -------------------------------------------------------------------------------------

using TdxBarEvent = std::function<void(TdxBarManager* Sender, TdxBar* ABar)>;
using TdxBarVisibleChangeEvent = TdxBarEvent;
using TdxBarItemLinkEvent = std::function<void(TdxBarManager* Sender, TdxBarItemLink* AItemLink)>;
using TdxBarMergeItemLinkEvent =
    std::function<void(TdxBarManager* Sender, TdxBarItemLinks* ADstItemLinks, TdxBarItemLinks* ASrcItemLinks,
                       TdxBarItemLink* ASrcItemLink, TdxBarItemMergeKind& AMergeKind, int& AMergeIndex)>;
using TdxBarCanDockingEvent = std::function<void(TdxBar* Sender, TdxBarDockingStyle Style,
                                                 TdxDockControl* DockControl, bool& CanDocking)>;
using TdxBarMergeEvent = std::function<void(TdxBarManager* Sender, TdxBarManager* ChildBarManager, bool AddItems)>;
using TdxBarShowPopupEvent = std::function<void(TdxBarManager* Sender, TdxBarItemLinks* PopupItemLinks)>;
using TdxBarClickItemEvent = std::function<void(TdxBarManager* Sender, TdxBarItem* ClickedItem)>;

// ---- the manager --------------------------------------------------------------------------------

// Internal state bits.
constexpr unsigned bmsLoading = 0x001;
constexpr unsigned bmsRestoringPositions = 0x002;
constexpr unsigned bmsUnderConstruction = 0x004;
constexpr unsigned bmsRecreatingBarWindows = 0x008;
constexpr unsigned bmsCancelMode = 0x010;
constexpr unsigned bmsActivating = 0x020;
constexpr unsigned bmsShowingFloatingBars = 0x040;
constexpr unsigned bmsOwnerFormDisabledOnDeactivate = 0x080;
constexpr unsigned bmsSavingDesignedLayout = 0x100;

// Which bar painter draws a style: 0 standard, 1 enhanced, 2 flat, 3 themed, 4 Office-2003,
// 5 the default class.
int dxBarPainterKind(TdxBarManagerStyle Style, bool VisualStyles, TcxLookAndFeelKind LookAndFeelKind, bool LookAndFeelNative,
                     bool LookAndFeelHasSkin);
TdxBarPainterClass dxBarPainterClassOfKind(int Kind);
// The style the library means by "standard style" and the like.
TdxBarManagerStyle dxBarResolvedStyle(TdxBarManagerStyle Style, bool VisualStyles, TcxLookAndFeelKind LookAndFeelKind,
                                      bool LookAndFeelNative);
// The recent-use threshold for a percentage: 0 for 100, else the smallest n from 1 with
// n x (100 - p) div 100 > 0.
int dxBarMostRecentItemsThreshold(int Percents);

class TdxBarManager : public TComponent {
  VW_CLASS(TdxBarManager, TComponent)
 public:
  // Nil owner: the application's main form. Raises EdxException when the owner is no windowed
  // control or has a manager already; such a manager touches no list.
  explicit TdxBarManager(TComponent* AOwner);
  ~TdxBarManager() override;
  void BeforeDestruction() override;
  static void DeclareProperties(TPropTable& t);

  // ---- published properties ----
  bool AllowCallFromAnotherForm() const { return FAllowCallFromAnotherForm; }
  void SetAllowCallFromAnotherForm(bool Value) { FAllowCallFromAnotherForm = Value; }
  bool AllowReset() const { return FAllowReset; }
  void SetAllowReset(bool Value) { FAllowReset = Value; }
  bool AlwaysMerge() const { return FAlwaysMerge; }
  void SetAlwaysMerge(bool Value) { FAlwaysMerge = Value; }
  bool AlwaysSaveText() const { return FAlwaysSaveText; }
  void SetAlwaysSaveText(bool Value) { FAlwaysSaveText = Value; }
  bool AutoAlignBars() const { return FAutoAlignBars; }
  void SetAutoAlignBars(bool Value);
  bool AutoDockColor() const { return FAutoDockColor; }
  void SetAutoDockColor(bool Value);
  bool AutoHideEmptyBars() const { return FAutoHideEmptyBars; }
  void SetAutoHideEmptyBars(bool Value);
  bool Scaled() const { return FScaled; }
  void SetScaled(bool Value);
  TFont* Font() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  // The edit items' font and the floating toolbars' caption font, made from Font.
  TFont* EditFont() const { return FEditFont; }
  TFont* BarCaptionFont() const { return FBarCaptionFont; }
  TdxBarBackgrounds* Backgrounds() const { return FBackgrounds; }
  void SetBackgrounds(TdxBarBackgrounds* Value) { FBackgrounds->Assign(Value); }
  int ButtonArrowWidth() const { return FButtonArrowWidth; }
  void SetButtonArrowWidth(int Value);
  bool CanCustomize() const { return FCanCustomize; }
  void SetCanCustomize(bool Value) { FCanCustomize = Value; }
  TStrings* Categories() const { return FCategories; }
  void SetCategories(TStrings* Value) { FCategories->Assign(Value); }
  TdxBarManagerCategories* CategoryList() const { return FCategories; }
  TdxBarItemVisible CategoryItemsVisible(int Index) const { return FCategories->ItemsVisible(Index); }
  void SetCategoryItemsVisible(int Index, TdxBarItemVisible Value) { FCategories->SetItemsVisible(Index, Value); }
  bool CategoryVisible(int Index) const { return FCategories->Visible(Index); }
  void SetCategoryVisible(int Index, bool Value) { FCategories->SetVisible(Index, Value); }
  // The category's items in the manager's item order.
  std::vector<TdxBarItem*> GetItemsByCategory(int Index) const { return FCategories->CategoryItems(Index); }
  std::vector<TdxBarItem*> GetVisibleItemsByCategory(int Index) const { return FCategories->VisibleCategoryItems(Index); }
  int GetVisibleCategoryIndex(int N) const { return FCategories->VisibleCategoryIndex(N); }
  TColor DockColor() const;
  void SetDockColor(TColor Value);
  bool FlatCloseButton() const { return FFlatCloseButton; }
  void SetFlatCloseButton(bool Value);
  TBitmap* HelpButtonGlyph() const { return FHelpButtonGlyph; }
  void SetHelpButtonGlyph(TBitmap* Value) { FHelpButtonGlyph->Assign(Value); }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  bool HideFloatingBarsWhenInactive() const { return FHideFloatingBarsWhenInactive; }
  void SetHideFloatingBarsWhenInactive(bool Value);
  TdxBarImageOptions* ImageOptions() const { return FImageOptions; }
  void SetImageOptions(TdxBarImageOptions* Value) { FImageOptions->Assign(Value); }
  TCustomImageList* DisabledImages() const { return FImageOptions->DisabledImages(); }
  void SetDisabledImages(TCustomImageList* Value) { FImageOptions->SetDisabledImages(Value); }
  TCustomImageList* DisabledLargeImages() const { return FImageOptions->DisabledLargeImages(); }
  void SetDisabledLargeImages(TCustomImageList* Value) { FImageOptions->SetDisabledLargeImages(Value); }
  TCustomImageList* HotImages() const { return FImageOptions->HotImages(); }
  void SetHotImages(TCustomImageList* Value) { FImageOptions->SetHotImages(Value); }
  TCustomImageList* Images() const { return FImageOptions->Images(); }
  void SetImages(TCustomImageList* Value) { FImageOptions->SetImages(Value); }
  TCustomImageList* LargeImages() const { return FImageOptions->LargeImages(); }
  void SetLargeImages(TCustomImageList* Value) { FImageOptions->SetLargeImages(Value); }
  TColor ImageListBkColor() const { return FImageOptions->ImageListBkColor(); }
  void SetImageListBkColor(TColor Value) { FImageOptions->SetImageListBkColor(Value); }
  bool LargeIcons() const { return FImageOptions->LargeIcons(); }
  void SetLargeIcons(bool Value) { FImageOptions->SetLargeIcons(Value); }
  bool MakeDisabledImagesFaded() const { return FImageOptions->MakeDisabledImagesFaded(); }
  void SetMakeDisabledImagesFaded(bool Value) { FImageOptions->SetMakeDisabledImagesFaded(Value); }
  bool StretchGlyphs() const { return FImageOptions->StretchGlyphs(); }
  void SetStretchGlyphs(bool Value) { FImageOptions->SetStretchGlyphs(Value); }
  bool UseLargeImagesForLargeIcons() const { return FImageOptions->UseLargeImagesForLargeIcons(); }
  void SetUseLargeImagesForLargeIcons(bool Value) { FImageOptions->SetUseLargeImagesForLargeIcons(Value); }
  const String& IniFileName() const { return FIniFileName; }
  void SetIniFileName(const String& Value) { FIniFileName = Value; }
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel; }
  void SetLookAndFeel(TcxLookAndFeel* Value) { FLookAndFeel->Assign(Value); }
  int LargeButtonArrowWidth() const { return FLargeButtonArrowWidth; }
  void SetLargeButtonArrowWidth(int Value);
  TdxBarMenuAnimations MenuAnimations() const { return FMenuAnimations; }
  void SetMenuAnimations(TdxBarMenuAnimations Value);
  bool MenusShowRecentItemsFirst() const { return FMenusShowRecentItemsFirst; }
  void SetMenusShowRecentItemsFirst(bool Value);
  int MostRecentItemsPercents() const { return FMostRecentItemsPercents; }
  void SetMostRecentItemsPercents(int Value);
  TdxBarDockingStyles NotDocking() const { return FNotDocking; }
  void SetNotDocking(TdxBarDockingStyles Value);
  TdxBarPopupMenuLinks* PopupMenuLinks() const { return FPopupMenuLinks; }
  void SetPopupMenuLinks(TdxBarPopupMenuLinks* Value) { FPopupMenuLinks->Assign(Value); }
  const String& RegistryPath() const { return FRegistryPath; }
  // Normalised to a key path with a backslash at both ends.
  void SetRegistryPath(const String& Value);
  bool ShowCloseButton() const { return FShowCloseButton; }
  void SetShowCloseButton(bool Value);
  bool ShowFullMenusAfterDelay() const { return FShowFullMenusAfterDelay; }
  void SetShowFullMenusAfterDelay(bool Value);
  bool ShowHelpButton() const { return FShowHelpButton; }
  void SetShowHelpButton(bool Value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value) { FShowHint = Value; }
  bool ShowHintForDisabledItems() const { return FShowHintForDisabledItems; }
  void SetShowHintForDisabledItems(bool Value) { FShowHintForDisabledItems = Value; }
  bool ShowShortCutInHint() const { return FShowShortCutInHint; }
  // The object under the mouse that supplies the hint (an item control, a caption button, a bar
  // window); hint timing sets it.
  TObject* HintObject() const { return FHintObject; }
  void SetHintObject(TObject* Value) { FHintObject = Value; }
  void SetShowShortCutInHint(bool Value) { FShowShortCutInHint = Value; }
  bool StoreInIniFile() const { return FStoreInIniFile; }
  void SetStoreInIniFile(bool Value) { FStoreInIniFile = Value; }
  bool StoreInRegistry() const { return FStoreInRegistry; }
  void SetStoreInRegistry(bool Value) { FStoreInRegistry = Value; }
  TdxBarManagerStyle Style() const { return FStyle; }
  void SetStyle(TdxBarManagerStyle Value);
  bool SunkenBorder() const { return FSunkenBorder; }
  void SetSunkenBorder(bool Value);
  bool UseF10ForMenu() const { return FUseF10ForMenu; }
  void SetUseF10ForMenu(bool Value) { FUseF10ForMenu = Value; }
  bool UseFullReset() const { return FUseFullReset; }
  void SetUseFullReset(bool Value) { FUseFullReset = Value; }
  bool UseSystemFont() const { return FUseSystemFont; }
  void SetUseSystemFont(bool Value);
  int WaitForDockingTime() const { return FWaitForDockingTime; }
  void SetWaitForDockingTime(int Value);

  // ---- published events ----
  TdxBarEvent OnBarAdd, OnBarAfterReset, OnBarBeforeReset, OnBarClose, OnBarDelete, OnBarDockingStyleChange;
  TdxBarVisibleChangeEvent OnBarVisibleChange;
  TdxBarItemLinkEvent OnItemLinkAdd, OnItemLinkChange, OnItemLinkDelete;
  TdxBarMergeItemLinkEvent OnMergeItemLink;
  TNotifyEvent OnCloseButtonClick, OnHelpButtonClick, OnHideCustomizingForm, OnShowCustomizingForm;
  TdxBarCanDockingEvent OnDocking;
  TdxBarMergeEvent OnMenuMerge, OnMerge;
  TdxBarShowPopupEvent OnShowCustomizingPopup, OnShowToolbarsPopup;
  TdxBarClickItemEvent OnClickItem;

  // ---- state ----
  bool IsDesigning() const { return HasState(csDesigning); }
  bool IsLoading() const { return HasState(csLoading); }
  bool IsDestroying() const { return HasState(csDestroying); }
  bool InCustomizing() const { return FIsCustomizing || IsDesigning(); }
  bool IsCustomizing() const { return FIsCustomizing; }
  unsigned InternalState() const { return FInternalState; }
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  // Another manager than this one is customizing.
  bool OtherManagerCustomizing() const;
  // False for a frame placed inline on a form in the designer.
  bool EditableInDesigner() const;
  TMemIniFile* SavedState() const { return FSavedState; }
  TcxEventHandlerCollection* IniReadHandlers() const { return FIniReadHandlers; }
  TcxEventHandlerCollection* IniWriteHandlers() const { return FIniWriteHandlers; }
  TcxEventHandlerCollection* SystemFontChangedHandlers() const { return FSystemFontChangedHandlers; }
  TcxEventHandlerCollection* MDIStateChangedHandlers() const { return FMDIStateChangedHandlers; }

  // ---- look ----
  TdxBarPainter* Painter() const { return FPainter; }
  // The class for the current style and look-and-feel.
  virtual TdxBarPainterClass GetPainterClass();
  TdxBarManagerStyle ResolvedStyle() const;
  // Whether visual styles were available when the painter was last made, per themed object type.
  bool ThemeAvailable() const { return FThemeAvailable; }
  // Hands the manager's style to another look-and-feel (the customization dialog's).
  void AssignStyleToLookAndFeel(TcxLookAndFeel* ALookAndFeel);
  bool IsRecentItemsActive() const { return ResolvedStyle() != bmsStandard; }
  int MostRecentItemsThreshold() const { return FMostRecentItemsThreshold; }
  // Style, NotDocking, backgrounds, theme or look-and-feel changed.
  void StyleChanged();
  // The five brushes of the flat styles, in the screen's nearest colours, and the theme's toolbar
  // brush (nil without visual styles).
  win::HBRUSH FlatToolbarsBorderBrush() const { return FFlatToolbarsBorderBrush; }
  win::HBRUSH FlatToolbarsBrush() const { return FFlatToolbarsBrush; }
  win::HBRUSH FlatToolbarsDownedBrush() const { return FFlatToolbarsDownedBrush; }
  win::HBRUSH FlatToolbarsDownedSelBrush() const { return FFlatToolbarsDownedSelBrush; }
  win::HBRUSH FlatToolbarsSelBrush() const { return FFlatToolbarsSelBrush; }
  win::HBRUSH ThemeToolbarBrush() const { return FThemeToolbarBrush; }
  TColor FlatToolbarsBorderColor() const { return FFlatToolbarsBorderColor; }
  TColor FlatToolbarsColor() const { return FFlatToolbarsColor; }
  // WM_SYSCOLORCHANGE: brushes and the Office-2003 colours again.
  void SysColorChanged();
  // The settings-change message for non-client metrics: the fonts follow the system's again.
  void SystemFontsChanged();

  // ---- lookup ----
  TdxBars* Bars() const { return FBars; }
  int ItemCount() const { return FItems->Count(); }
  // The item and group lists; their change events report every change of a member.
  TdxBarComponentList* ItemList() const { return FItems; }
  TdxBarComponentList* GroupList() const { return FGroups; }
  // Nil out of range.
  TdxBarItem* Items(int Index) const;
  TdxBarItem* ItemByName(const String& AName) const;
  // Items list themselves while they belong to the manager.
  void AddItem(TdxBarItem* AItem);
  void RemoveItem(TdxBarItem* AItem);
  void MoveItem(int CurIndex, int NewIndex);
  TdxBar* BarByName(const String& AName) const;
  TdxBar* BarByCaption(const String& ACaption) const;
  String GetUniqueBarName(const String& APrefix);
  String GetUniqueBarCaption(const String& APrefix);
  String GetUniqueItemName(TClass AItemClass);
  int DockControlCount() const { return static_cast<int>(FDockControls.size()); }
  TdxDockControl* DockControls(int Index) const { return FDockControls[static_cast<std::size_t>(Index)]; }
  void AddDockControl(TdxDockControl* ADockControl);
  void RemoveDockControl(TdxDockControl* ADockControl);
  int PopupMenuCount() const { return static_cast<int>(FPopupMenus.size()); }
  TdxBarPopupMenu* PopupMenus(int Index) const { return FPopupMenus[static_cast<std::size_t>(Index)]; }
  void AddPopupMenu(TdxBarPopupMenu* AMenu);
  void RemovePopupMenu(TdxBarPopupMenu* AMenu);
  int GroupCount() const { return FGroups->Count(); }
  TdxBarGroup* Groups(int Index) const { return static_cast<TdxBarGroup*>(FGroups->Items(Index)); }
  // A new group of the manager's owner.
  TdxBarGroup* AddGroup();
  // Lists a group with the manager (once).
  void AddGroup(TdxBarGroup* AGroup);

  // ---- toolbars ----
  // A new toolbar with a unique caption (asking the user first when asked); nil when cancelled.
  TdxBar* AddToolbar(bool AMainMenu = false, bool AAskUser = false);
  // Asks the user for the toolbar's caption and takes it when accepted.
  void RenameBar(TdxBar* ABar);
  // Stands in for the name dialog of the editor forms (kind toolbar: add or rename) when set, as
  // tests do; unset, the manager opens the dialog itself.
  std::function<bool(String& AText, bool ARename)> ShowNameDialog;

  // ---- docking ----
  virtual bool CanDockBar(TdxBar* ABar, TdxBarDockingStyle AStyle, TdxDockControl* ADockControl);

  // ---- update locking ----
  void BeginUpdate(bool ARedraw = true);
  void EndUpdate(bool ARelayout = true, bool ARedraw = true);
  // Unlocks without the refresh, switching redrawing back on.
  void EndUpdateNoRefresh();
  bool IsLocked() const { return FLockUpdate > 0; }
  // Items take actions still being read while this counts.
  void LockLoadingActions() { ++FLoadingActionCount; }
  void UnlockLoadingActions() { --FLoadingActionCount; }
  int LoadingActionCount() const { return FLoadingActionCount; }
  int LockUpdateCount() const { return FLockUpdate; }
  // The sub-menu window whose items changed while locked; rebuilt by the last unlock.
  TdxBarSubMenuControl* ChangedSubMenuControl() const { return FChangedSubMenuControl; }
  void SetChangedSubMenuControl(TdxBarSubMenuControl* Value) { FChangedSubMenuControl = Value; }

  // ---- designer ----
  IdxBarDesigner* Designer() const { return FDesigner; }
  void SetDesigner(IdxBarDesigner* Value) { FDesigner = Value; }
  void DesignerModified();
  void LockDesignerModified() { ++FDesignerNotifyLockCount; }
  void UnlockDesignerModified(bool ANotify = true);
  bool CanDeleteComponent(TComponent* AComponent);
  void GetSelection(TList* AList);
  int GetSelectionStatus(TPersistent* AComponent);
  void SelectComponent(TPersistent* AComponent, int AOperation);
  void SetSelection(TList* AList);

  // ---- customizing ----
  void SetCustomizing(bool Value);
  // The customization dialog; shown and hidden with customizing mode by its own unit.
  TForm* CustomizingForm() const { return FCustomizingForm; }
  // The window the drags of toolbars and links capture the mouse for: the customization dialog
  // while customizing, else the application's window when visible, else the owner form.
  win::HWND DragCaptureWindow() const;
  void SetCustomizingForm(TForm* Value) { FCustomizingForm = Value; }
  // Stands in for the customization dialog when set.
  std::function<void(TdxBarManager*, bool Show)> ShowCustomizingForm;
  // The window dialogs of the manager use as their parent.
  win::HWND DialogParentWindow() const;

  // ---- selection and mouse ----
  TdxBarItemControl* SelectedItem() const { return FSelectedItem; }
  // ARootBar: the root toolbar of AValue's window; while customizing, a control on another root
  // toolbar makes the current one's window drop its selection first.
  void SetSelectedItem(TdxBarItemControl* AValue, TCustomdxBarControl* AControlBar = nullptr,
                       TCustomdxBarControl* ARootBar = nullptr);
  TCustomdxBarControl* MouseTrackingBarControl() const { return FMouseTrackingBarControl; }
  // The bar window the keyboard moves in while no menu is open; nil for none.
  TCustomdxBarControl* FocusedBarControl() const { return FFocusedBarControl; }
  void SetFocusedBarControl(TCustomdxBarControl* Value) { FFocusedBarControl = Value; }
  // Held while the mouse moves the selection from one control to another.
  void LockChangingFocusedItem() { ++FChangingFocusedItemCount; }
  void UnlockChangingFocusedItem() { --FChangingFocusedItemCount; }
  bool ChangingFocusedItem() const { return FChangingFocusedItemCount > 0; }
  // The window's MouseLeft runs for the window tracked before.
  void StartMouseTracking(TCustomdxBarControl* ABarControl);
  void EndMouseTracking(TCustomdxBarControl* ABarControl);
  void RefreshHotTracking(TCustomdxBarControl* ABarControl = nullptr);
  // While a modal editor of the customization runs, the windows of the shown floating toolbars are
  // disabled; afterwards those that still exist are enabled again.
  void DisableFloatingBars();
  void EnableFloatingBars();
  // Runs a drag of the item or link to its end, also when it fails.
  void DragItem(TdxBarItem* AItem, TdxBarItemLink* ALink);
  TdxBarDragInfo* DragInfo() const { return FDragInfo; }

  // ---- events ----
  virtual void DoClickItem(TdxBarItem* AItem);
  void DoBarAfterReset(TdxBar* ABar);
  void DoBarBeforeReset(TdxBar* ABar);
  void DoBarClose(TdxBar* ABar);
  void DoBarDockingStyleChange(TdxBar* ABar);
  void DoCloseButtonClick();
  void DoHelpButtonClick();
  void DoShowCustomizingPopup(TdxBarItemLinks* ALinks);
  void DoShowToolbarsPopup(TdxBarItemLinks* ALinks);
  void ItemLinkChanged(TdxBarItemLink* ALink);

  // ---- the stored layout (BarLayoutPersistence.cpp) ----
  // The cores every storage goes through; ARegistry picks the separator, the main section's name
  // and whether user glyphs are kept. Loading runs inside one update of the manager.
  void SaveLayout(TCustomIniFile* AStorage, const String& ASectionBase, bool ARegistry);
  void LoadLayout(TCustomIniFile* AStorage, const String& ASectionBase, bool ARegistry);
  // Nothing for a path that names no key.
  void LoadLayoutFromRegistry(const String& ARegistryPath);
  virtual void SaveLayoutToRegistry(const String& ARegistryPath);
  // Nothing for an empty name while no stream is attached; with a stream, the stream's INI lines
  // stand in for the file's: loading reads them from its position, saving writes them there.
  void LoadLayoutFromIniFile(const String& AFileName);
  virtual void SaveLayoutToIniFile(const String& AFileName);
  // Not owned: the caller keeps the stream alive while it is attached (nil detaches it).
  TStream* LayoutStream() const { return FLayoutStream; }
  void SetLayoutStream(TStream* Value) { FLayoutStream = Value; }
  // Asks first; on Yes the menus' and toolbars' recent use goes back to the designed layout's.
  void ResetUsageData();
  // The same without asking, for callers that asked themselves.
  void ResetUsageDataUnasked();
  // While a layout loads: the names of the items added after it was saved (their links stay).
  const std::vector<String>* LayoutNewItemNames() const { return FLayoutNewItemNames; }

  // The owner's window was re-created: the bars it lost come back on WM_CREATE.
  void OwnerWindowRecreated();
  // The bars whose windows went with a destroyed window and come back when it is made again.
  void AddBarToRestore(TdxBar* ABar);
  void ForgetBarToRestore(TdxBar* ABar);
  bool IsBarToRestore(TdxBar* ABar) const;
  // A stand-alone site got its window: the remembered bars docked in it show again.
  void ShowRememberedBars(TdxDockControl* ADockControl);
  // The toolbar that is the window's main menu bar; at most one.
  TdxBar* MainMenuBar() const { return FMainMenuBar; }
  void SetMainMenuBar(TdxBar* Value) { FMainMenuBar = Value; }
  // The active document of the application's main form when that is an MDI form; nil otherwise.
  win::HWND ActiveMDIChild() const;
  // The active document is maximized, as last seen by RefreshMDIState.
  bool ChildMaximized() const { return FChildMaximized; }
  // The manager was read from a stored form at least once (never cleared).
  bool ReadFromStream() const { return FReadStateCount > 0; }

  // ---- messages the input hooks route to the manager (BarManagerMessages.cpp) ----
  // What the manager does with a message of a window it belongs to.
  void HandleRoutedMessage(win::HWND AWindow, win::UINT AMessage, win::WPARAM WParam, win::LPARAM LParam);
  // The owner form counts as active or not: floating toolbars show or hide (only on a change unless
  // forced; not re-entrant). AActivated: the window getting the activation.
  void SetOwnerFormActive(bool AActive, bool AForce, win::HWND AActivated = nullptr);
  bool OwnerFormActive() const { return FOwnerFormActive; }
  // Moves floating toolbars back into the work area of the owner's monitor.
  void KeepFloatingBarsInWorkArea();
  // Help for the selected item of the active bar window (or the item under APoint).
  void ShowItemHelp(const TPoint& APoint);
  // The MDI state after a document's activation or destruction (BarMDI.cpp): the document's window
  // menu on the main menu bar, its main menu merged, and the main menu bar's MDI buttons.
  virtual void RefreshMDIState();
  // Sends the active document the MDI button's command (0 minimize, 1 restore, 2 close).
  void ExecuteMDICommand(int AIndex);
  // Items the manager made itself (a document's window menu): owned by it, out of its item list.
  void AddInternalItem(TdxBarItem* AItem);
  void FreeInternalItems();
  int InternalItemCount() const { return static_cast<int>(FInternalItems.size()); }

 protected:
  void DefineProperties(TFiler* Filer) override;
  void ReadState(TReader* Reader) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int Order) override;

  // Extension points for the units that build on the manager.
  virtual void RefreshAfterUpdate(bool ARelayout);
  virtual void ApplyFontToBars();

 private:
  class TMouseLeaveCaller;
  static TComponent* CheckOwner(TComponent* AOwner);
  bool IsDockColorStored() const;
  void CreatePainter();
  void CreateBrushes();
  void DestroyBrushes();
  void FontChanged(TObject* Sender);
  void UpdateFonts();
  void ReadSystemFont();
  void ImageListChanged(TCustomImageList* List);
  void ImageOptionsChanged(TObject* Sender);
  void BarsChanged();
  void RefreshDockColors();
  void ReadBars(TReader* Reader);
  void ReadDockControlHeights(TReader* Reader);
  void WriteDockControlHeights(TWriter* Writer);
  void RepaintAllBars();
  void UpdateFloatingBarsVisibility();
  void CheckBrokenLinks();
  // The MDI state (BarMDI.cpp).
  void HandleMDIStateChange(TdxBarMDIStateChange AKind, win::HWND AChild);
  void AddSystemMenuItem(win::HWND AChild);
  void MergeMDIChild(TdxBarManager* AChildManager);
  void UnmergeMDIChild(TdxBarManager* AChildManager);
  void InternalItemRemoved(TComponent* AComponent);
  // Customizing shows every toolbar as it is defined: merges are undone while it lasts.
  void UndoMergesForCustomizing();
  void RedoMergesAfterCustomizing();

  bool FAllowCallFromAnotherForm = false;
  bool FAllowReset = true;
  bool FAlwaysMerge = false;
  bool FAlwaysSaveText = false;
  bool FAutoAlignBars = false;
  bool FAutoDockColor = true;
  bool FAutoHideEmptyBars = false;
  bool FScaled = true;
  TFont* FFont = nullptr;
  TFont* FEditFont = nullptr;
  TFont* FBarCaptionFont = nullptr;
  TdxBarBackgrounds* FBackgrounds = nullptr;
  TcxLookAndFeel* FLookAndFeel = nullptr;
  int FButtonArrowWidth = 11;
  bool FCanCustomize = true;
  TdxBarManagerCategories* FCategories = nullptr;
  TColor FDockColor = clBtnFace;
  bool FFlatCloseButton = false;
  TBitmap* FHelpButtonGlyph = nullptr;
  int FHelpContext = 0;
  bool FHideFloatingBarsWhenInactive = true;
  TdxBarImageOptions* FImageOptions = nullptr;
  String FIniFileName;
  int FLargeButtonArrowWidth = 13;
  TdxBarMenuAnimations FMenuAnimations = maNone;
  bool FMenusShowRecentItemsFirst = true;
  int FMostRecentItemsPercents = 95;
  int FMostRecentItemsThreshold = 20;
  TdxBarDockingStyles FNotDocking;
  TdxBarPopupMenuLinks* FPopupMenuLinks = nullptr;
  String FRegistryPath;
  bool FShowCloseButton = false;
  bool FShowFullMenusAfterDelay = true;
  bool FShowHelpButton = false;
  bool FShowHint = true;
  bool FShowHintForDisabledItems = true;
  bool FShowShortCutInHint = false;
  TObject* FHintObject = nullptr;
  bool FStoreInIniFile = false;
  bool FStoreInRegistry = false;
  TdxBarManagerStyle FStyle = bmsStandard;
  bool FSunkenBorder = false;
  bool FUseF10ForMenu = true;
  bool FUseFullReset = false;
  bool FUseSystemFont = false;
  int FWaitForDockingTime = 21;

  TdxBars* FBars = nullptr;
  TdxBarComponentList* FItems = nullptr;
  std::vector<TdxBarItem*> FInternalItems;
  TdxBarComponentList* FGroups = nullptr;
  std::vector<TdxDockControl*> FDockControls;
  std::vector<TdxBarPopupMenu*> FPopupMenus;
  TMemIniFile* FSavedState = nullptr;
  TStream* FLayoutStream = nullptr;
  const std::vector<String>* FLayoutNewItemNames = nullptr;
  TcxEventHandlerCollection* FIniReadHandlers = nullptr;
  TcxEventHandlerCollection* FIniWriteHandlers = nullptr;
  TcxEventHandlerCollection* FSystemFontChangedHandlers = nullptr;
  TcxEventHandlerCollection* FMDIStateChangedHandlers = nullptr;
  TdxThemeChangedNotificator* FThemeChangedNotificator = nullptr;
  TdxBarDragInfo* FDragInfo = nullptr;
  TdxBarPainter* FPainter = nullptr;
  IdxBarDesigner* FDesigner = nullptr;
  TForm* FCustomizingForm = nullptr;

  win::HBRUSH FFlatToolbarsBorderBrush = nullptr;
  win::HBRUSH FFlatToolbarsBrush = nullptr;
  win::HBRUSH FFlatToolbarsDownedBrush = nullptr;
  win::HBRUSH FFlatToolbarsDownedSelBrush = nullptr;
  win::HBRUSH FFlatToolbarsSelBrush = nullptr;
  win::HBRUSH FThemeToolbarBrush = nullptr;
  TColor FFlatToolbarsBorderColor = clNone;
  TColor FFlatToolbarsColor = clNone;
  bool FOffice11ColorsAcquired = false;

  int FLockUpdate = 0;
  int FLoadingActionCount = 0;
  std::vector<TcxObjectLink*> FRedrawStoppedSites;
  TdxBarSubMenuControl* FChangedSubMenuControl = nullptr;
  int FDesignerNotifyLockCount = 0;
  bool FDesignerNotifyPending = false;
  int FReadStateCount = 0;
  bool FChildMaximized = false;
  win::HWND FRememberedMDIChild = nullptr;
  unsigned FInternalState = 0;
  bool FIsCustomizing = false;
  bool FModified = false;
  bool FChangingStyle = false;
  bool FThemeAvailable = false;
  bool FChangingFontInternally = false;

  TdxBarItemControl* FSelectedItem = nullptr;
  TCustomdxBarControl* FSelectedItemBar = nullptr;
  TCustomdxBarControl* FMouseTrackingBarControl = nullptr;
  TCustomdxBarControl* FFocusedBarControl = nullptr;
  TMouseLeaveCaller* FMouseLeaveCaller = nullptr;
  int FChangingFocusedItemCount = 0;
  std::vector<TdxBar*> FBarsToRestore;
  TdxBar* FMainMenuBar = nullptr;
  std::vector<win::HWND> FDisabledFloatingBars;
  bool FOwnerFormActive = true;
  void HandleActivate(win::WPARAM WParam, win::HWND AOther);
  void HandleActivateApp(bool AActive);
};

// Keeps a manager's update open for a scope, closed also when a step raises; nothing for nil.
class TdxBarManagerUpdate {
 public:
  explicit TdxBarManagerUpdate(TdxBarManager* AManager)
      : FManager(AManager), FUncaught(std::uncaught_exceptions()) {
    if (FManager) FManager->BeginUpdate();
  }
  // The refresh that ends the update may raise; while another exception unwinds, that one wins.
  ~TdxBarManagerUpdate() noexcept(false) {
    if (!FManager) return;
    if (std::uncaught_exceptions() == FUncaught) {
      FManager->EndUpdate();
      return;
    }
    try {
      FManager->EndUpdate();
    } catch (...) {
    }
  }
  TdxBarManagerUpdate(const TdxBarManagerUpdate&) = delete;
  TdxBarManagerUpdate& operator=(const TdxBarManagerUpdate&) = delete;

 private:
  TdxBarManager* FManager;
  int FUncaught;
};

// The manager whose owner owns the window; nil when none.
TdxBarManager* GetBarManagerByWindow(win::HWND AWindow);
// The manager of the component's nearest windowed owner or of one of its parent windows.
TdxBarManager* GetBarManagerByComponent(TComponent* AComponent);
