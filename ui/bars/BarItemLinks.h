#pragma once
// Item links: each place a bar item shows in (a toolbar, a sub-menu, a popup menu), with what may
// differ between two places of one command (group start, the user's own caption, glyph, paint
// style and width, row placement, view levels, visibility, use counts). A link collection derives
// the lists a bar window shows, keeps the recency order of collapsing menus, finds links by
// accelerator, offers shortcuts, merges child bars and reads and writes its links in a stored layout.
#include <functional>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Controls.h"
#include "platform/classes/Menus.h"
#include "platform/classes/TypInfo.h"
#include "ui/bars/BarItem.h"
#include "ui/foundation/Interfaced.h"
#include "ui/foundation/Types.h"

VW_ENUM(TdxBarButtonGroupPosition, bgpNone, bgpStart, bgpMember)
VW_ENUM(TdxBarItemPosition, ipBeginsNewRow, ipBeginsNewColumn, ipContinuesRow)
VW_ENUM(TdxBarUserDefine, udCaption, udGlyph, udPaintStyle, udWidth)
using TdxBarUserDefines = TSet<TdxBarUserDefine>;
VW_ENUM(TdxBarItemOptionValue, ioShowDescriptions, ioShowShortCuts, ioSize)
using TdxBarItemOptionValues = TSet<TdxBarItemOptionValue>;
VW_ENUM(TdxBarMenuItemSize, misNormal, misLarge)

constexpr TdxBarItemViewLevels dxBarAllViewLevels{ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon,
                                                  ivlControlOnly};

class TdxBar;
class TdxBarManager;
class TCustomdxBarControl;
class TCustomIniFile;

// {1CB4E538-769E-45F4-9BE3-20814F440106}: toolbars, sub-items and popup menus own link collections.
class IdxBarLinksOwner : public virtual IInterface {
 public:
  virtual bool AcceptsItem(TdxBarItem* Item, String& ErrorText) = 0;
  // The menu window for the links.
  virtual TCustomdxBarControl* CreateSubMenuControl() = 0;
  virtual TComponent* OwnerComponent() = 0;
  virtual TdxBarItemLinks* ItemLinks() = 0;
};

// An option value as DefaultOption and ResolveOption hand it over (booleans as 0 and 1).
using TdxBarItemOptionValue_t = int;

// The display options of a menu's links: each read answers its own value when assigned, else the
// collection's default.
class TdxBarItemOptions : public TPersistent {
  VW_CLASS(TdxBarItemOptions, TPersistent)
 public:
  explicit TdxBarItemOptions(TdxBarItemLinks* ALinks);
  static void DeclareProperties(TPropTable& t);
  void Assign(TPersistent* Source) override;

  TdxBarItemOptionValues AssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TdxBarItemOptionValues Value) { FAssignedValues = Value; }
  bool ShowDescriptions() const;
  void SetShowDescriptions(bool Value);
  bool ShowShortCuts() const;
  void SetShowShortCuts(bool Value);
  TdxBarMenuItemSize Size() const;
  void SetSize(TdxBarMenuItemSize Value);
  // The stored value when assigned, without falling back.
  int OwnValue(TdxBarItemOptionValue Option) const;
  bool IsShowDescriptionsStored() const { return FAssignedValues.Contains(ioShowDescriptions); }
  bool IsShowShortCutsStored() const { return FAssignedValues.Contains(ioShowShortCuts); }
  bool IsSizeStored() const { return FAssignedValues.Contains(ioSize); }

 protected:
  TPersistent* GetOwner() override;

 private:
  int Read(TdxBarItemOptionValue Option) const;
  TdxBarItemLinks* FLinks;
  TdxBarItemOptionValues FAssignedValues;
  bool FShowDescriptions = false;
  bool FShowShortCuts = true;
  TdxBarMenuItemSize FSize = misNormal;
};

class TdxBarItemLink : public TcxInterfacedCollectionItem, public IdxBarSelectableItem {
  VW_CLASS(TdxBarItemLink, TcxInterfacedCollectionItem)
 public:
  explicit TdxBarItemLink(TCollection* ACollection = nullptr);
  ~TdxBarItemLink() override;
  static void DeclareProperties(TPropTable& t);
  void Assign(TPersistent* Source) override;

  // ---- stored values ----
  bool BeginGroup() const;
  bool StoredBeginGroup() const { return FBeginGroup; }
  void SetBeginGroup(bool Value);
  TdxBarButtonGroupPosition ButtonGroup() const { return FButtonGroup; }
  void SetButtonGroup(TdxBarButtonGroupPosition Value);
  TObject* Data() const { return FData; }
  void SetData(TObject* Value) { FData = Value; }
  bool Distributed() const { return FDistributed; }
  void SetDistributed(bool Value);
  // The layout's writer: stores without the pending mark, reports a change, leaves the pending list.
  void ApplyDistributed(bool Value);
  TdxBarItem* Item() const;
  // Nil frees the link; an item the owner refuses frees the link and raises EdxException.
  void SetItem(TdxBarItem* Value);
  bool MostRecentlyUsed() const { return FMostRecentlyUsed; }
  void SetMostRecentlyUsed(bool Value);
  TdxBarItemPosition Position() const { return FPosition; }
  void SetPosition(TdxBarItemPosition Value);
  TdxBarItemViewLevels ViewLevels() const { return FViewLevels; }
  void SetViewLevels(TdxBarItemViewLevels Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int UseCount() const { return FUseCount; }
  void SetUseCount(int Value) { FUseCount = Value; }

  // ---- user values ----
  const String& UserCaption() const { return FUserCaption; }
  void SetUserCaption(const String& Value);
  TBitmap* UserGlyph() const { return FUserGlyph; }
  void SetUserGlyph(TBitmap* Value);
  TdxBarPaintStyle UserPaintStyle() const { return FUserPaintStyle; }
  void SetUserPaintStyle(TdxBarPaintStyle Value);
  int UserWidth() const { return FUserWidth; }
  void SetUserWidth(int Value);
  TdxBarUserDefines UserDefine() const { return FUserDefine; }
  void SetUserDefine(TdxBarUserDefines Value);
  bool HasUserCaption() const { return FUserDefine.Contains(udCaption); }
  bool HasUserGlyph() const { return FUserDefine.Contains(udGlyph); }
  bool HasUserWidth() const { return FUserDefine.Contains(udWidth); }

  // ---- effective values ----
  String Caption() const;
  TBitmap* Glyph() const;
  TdxBarPaintStyle PaintStyle() const;
  int Width() const;

  // ---- place ----
  TdxBarItemLinks* Links() const;
  TdxBarManager* BarManager() const;
  TCustomdxBarControl* BarControl() const;
  TdxBarItemControl* Control() const { return FControl; }
  void SetControl(TdxBarItemControl* Value) { FControl = Value; }
  // Makes the control through the item's control class when missing; frees it.
  void CreateControl();
  void FreeControl();
  int VisibleIndex() const;
  int CanVisibleIndex() const;
  int RecentIndex() const;
  // The next shown link after this one (cycling); nil when that is the link itself or none shows.
  TdxBarItemLink* NextLink() const;
  TdxBarItemLink* ContainerLink() const { return FContainerLink ? FContainerLink : const_cast<TdxBarItemLink*>(this); }
  TdxBarItemLink* OwnContainerLink() const { return FContainerLink; }
  void SetContainerLink(TdxBarItemLink* Value) { FContainerLink = Value; }
  const TRect& ItemRect() const { return FItemRect; }
  void SetItemRect(const TRect& Value);
  // The thickness of the toolbar line the link sits in; its own thickness until a layout sets it.
  int LineThickness() const;
  void SetLineThickness(int Value) { FLineThickness = Value; }
  TPoint ScreenToLink(const TPoint& P) const;
  TdxBar* MergeSource() const { return FMergeSource; }
  void SetMergeSource(TdxBar* Value) { FMergeSource = Value; }
  // The toolbar layout's row breaks: set by its row pass, read by its placing pass.
  bool RowBreak() const { return FRowBreak; }
  void SetRowBreak(bool Value) { FRowBreak = Value; }
  int SavedRecentIndex() const { return FSavedRecentIndex; }
  void SetSavedRecentIndex(int Value) { FSavedRecentIndex = Value; }

  // ---- operations ----
  // A link leaving its place keeps the group separators right.
  void TransferGroupStart();
  // The item's visibility changed: the lists follow, the control is made or freed.
  virtual void VisibleChanged();
  virtual void RecreateControl();
  bool MatchesAccelerator(win::WORD Key, TShiftState Shift) const;
  // A command of the customizing popup, with values from the link being customized.
  virtual void ExecuteCommand(int ACommand);
  // Marks the link used (only when it can be shown now), counting or not, and passes the mark up.
  void MarkUsed(bool ACount);
  // With MostRecentlyUsed: the manager's recent count and marked used; else 0 and last in recency.
  void ResetUseCount();
  virtual void MoveToCollection(TCollection* ACollection);
  virtual void UserGlyphChanged();
  bool IsMerged() const { return FMergeSource != nullptr; }
  // Layout reading and writing of this link's section.
  void SaveToLayout(TCustomIniFile* AStorage, const String& ASection, bool ARegistry, bool AToolbar, bool ARecent);
  // False when the stored item name is unknown (the caller frees the link).
  bool LoadFromLayout(TCustomIniFile* AStorage, const String& ASection, bool ARegistry, bool AToolbar, bool ARecent);

  // ---- loading ----
  const String& LoadedItemName() const { return FLoadedItemName; }
  void SetLoadedItemName(const String& Value) { FLoadedItemName = Value; }
  bool LoadedVisible() const { return FLoadedVisible; }
  int LoadedRecentIndex() const { return FLoadedRecentIndex; }
  void SetLoadedRecentIndex(int Value) { FLoadedRecentIndex = Value; }
  int LoadedUseCount() const { return FLoadedUseCount; }
  void SetLoadedUseCount(int Value) { FLoadedUseCount = Value; }
  const String& PrecedingItemName() const { return FPrecedingItemName; }
  void SetPrecedingItemName(const String& Value) { FPrecedingItemName = Value; }

  // ---- design selection ----
  bool AllowsDeletion(bool) override { return true; }
  void DeleteSelected(IdxBarSelectableItem*& AReference, bool ADeleteItems) override;
  void ApplyCustomizationAction(int AAction) override { ExecuteCommand(AAction); }
  TdxBarManager* OwningManager() override { return BarManager(); }
  TPersistent* SelectableObject() override { return this; }
  void AddMasterObjects(TList* AList) override;
  void NextSelectableObject(IdxBarSelectableItem*& AItem) override;
  TPersistent* ParentSelectable() override;
  int SelectionStatus() override;
  TdxBarCustomizationActions AvailableActions() override;
  void RepaintSelection() override {}
  bool HasSeveralLinks() override { return false; }
  bool IsSelectedInDesigner() override;
  void SelectInDesigner(int AOperation) override;
  bool SelectParent() override;
  void DesignSelectionChanged() override;

  // "ItemName": written when the link has an item, or against an ancestor when the items differ.
  void DefineProperties(TFiler* Filer) override;

 protected:
  String GetDisplayName() override;

 private:
  friend class TdxBarItemLinks;
  void ForceUserDefine(TdxBarUserDefine Flag);
  bool CanShowNow() const;
  bool OwnerLoading() const;
  void WriteVisible(bool Value);

  bool FBeginGroup = false;
  TdxBarButtonGroupPosition FButtonGroup = bgpNone;
  TdxBarItemControl* FControl = nullptr;
  TdxBar* FMergeSource = nullptr;
  TObject* FData = nullptr;
  bool FDistributed = true;
  TdxBarItem* FItem = nullptr;
  TRect FItemRect{};
  int FLineThickness = 0;
  String FLoadedItemName;
  int FLoadedRecentIndex = -1;
  int FLoadedUseCount = 0;
  bool FLoadedVisible = true;
  bool FMostRecentlyUsed = true;
  TdxBarItemLink* FContainerLink = nullptr;
  TdxBarItemPosition FPosition = ipBeginsNewRow;
  String FPrecedingItemName;
  int FSavedRecentIndex = -1;
  int FUseCount = 0;
  String FUserCaption;
  TdxBarUserDefines FUserDefine;
  TBitmap* FUserGlyph = nullptr;
  TdxBarPaintStyle FUserPaintStyle = TdxBarPaintStyle::psStandard;
  int FUserWidth = 0;
  TdxBarItemViewLevels FViewLevels = dxBarAllViewLevels;
  bool FVisible = true;
  bool FRowBreak = false;
  bool FDestroying = false;
};

// The links of one owner. The owner decides what may be placed; the collection derives what shows.
class TdxBarItemLinks : public TCollection, public virtual IInterface {
  VW_CLASS(TdxBarItemLinks, TCollection)
 public:
  // AOwnerObject: the toolbar, sub-item or popup menu (its IdxBarLinksOwner, when it has one,
  // decides what may be placed).
  explicit TdxBarItemLinks(TdxBarManager* ABarManager = nullptr, TObject* AOwnerObject = nullptr);
  ~TdxBarItemLinks() override;
  void Assign(TPersistent* Source) override;

  TdxBarItemLink* Items(int Index) const { return static_cast<TdxBarItemLink*>(TCollection::Items(Index)); }
  TdxBarItemLink* Add() { return static_cast<TdxBarItemLink*>(TCollection::Add()); }
  TdxBarItemLink* Insert(int Index) { return static_cast<TdxBarItemLink*>(TCollection::Insert(Index)); }
  // A link inside an update bracket, given the item (which may refuse it).
  TdxBarItemLink* AddItem(TdxBarItem* AItem);
  // An item of the class owned by AManager (or the collection's manager) and a link for it; a
  // refused item is freed and the error passes on.
  TdxBarItemLink* AddItemOfClass(TClass ANewItemClass, TdxBarManager* AManager = nullptr);
  int IndexOf(TdxBarItemLink* ALink) const;
  int IndexOfItemName(const String& AName) const;
  void Move(int AFrom, int ATo);
  void BeginUpdate() override;
  void EndUpdate() override;

  TdxBarManager* BarManager() const { return FBarManager; }
  void SetBarManager(TdxBarManager* Value) { FBarManager = Value; }
  TObject* OwnerObject() const { return FOwnerObject; }
  void SetOwnerObject(TObject* Value) { FOwnerObject = Value; }
  IdxBarLinksOwner* LinksOwner() const;
  // The component whose loading and destruction the collection follows.
  TComponent* OwnerComponent() const;
  TCustomdxBarControl* BarControl() const { return FBarControl; }
  void SetBarControl(TCustomdxBarControl* Value) { FBarControl = Value; }
  void FreeBarControl();
  TdxBarItemOptions* ItemOptions() const { return FItemOptions; }
  void SetItemOptions(TdxBarItemOptions* Value) { FItemOptions->Assign(Value); }
  bool UseRecentItems() const { return FUseRecentItems; }
  void SetUseRecentItems(bool Value) { FUseRecentItems = Value; }
  bool Internal() const { return FInternal; }
  void SetInternal(bool Value) { FInternal = Value; }
  bool Assigning() const { return FAssigning; }
  TNotifyEvent OnChange;

  // ---- the lists ----
  int AvailableCount() const { return static_cast<int>(FAvailable.size()); }
  TdxBarItemLink* AvailableLinks(int I) const { return FAvailable[static_cast<std::size_t>(I)]; }
  int CanVisibleCount() const { return static_cast<int>(FCanVisible.size()); }
  TdxBarItemLink* CanVisibleLinks(int I) const { return FCanVisible[static_cast<std::size_t>(I)]; }
  int VisibleCount() const { return static_cast<int>(FVisibleList.size()); }
  TdxBarItemLink* VisibleLinks(int I) const { return FVisibleList[static_cast<std::size_t>(I)]; }
  int RecentCount() const { return static_cast<int>(FRecent.size()); }
  TdxBarItemLink* RecentLinks(int I) const { return FRecent[static_cast<std::size_t>(I)]; }
  int IndexInVisible(const TdxBarItemLink* ALink) const;
  int IndexInCanVisible(const TdxBarItemLink* ALink) const;
  int IndexInRecent(const TdxBarItemLink* ALink) const;
  virtual void RebuildLists();
  int ShownCount() const;
  TdxBarItemLink* FirstSelectable() const;
  TdxBarItemLink* LastSelectable() const;
  TdxBarItemLink* NextSelectable(TdxBarItemLink* ALink, bool AAny = false) const;
  TdxBarItemLink* PriorSelectable(TdxBarItemLink* ALink, bool AAny = false) const;
  void ClearItemRects();
  bool HasControl(TdxBarItemControl* AControl) const;
  void CreateBarControl();
  // True when the owner's own links (any depth) hold a link of this collection's owner.
  bool ContainsOwner(TObject* AOwner) const;
  // True when these links, or the links of their items at any depth, are ALinks.
  bool ContainsLinks(const TdxBarItemLinks* ALinks) const;
  TdxBarItemLinks* ParentMenuLinks() const;

  // ---- accelerators and shortcuts ----
  virtual bool ShowsAllVisible() const;
  virtual TdxBarItemLink* FindAccelerator(win::WORD Key, TShiftState Shift, TdxBarItemLink* AStart) = 0;
  TdxBarItemLink* FindAcceleratorNoAlt(win::WORD Key, TShiftState Shift, TdxBarItemLink* AStart);
  virtual bool OfferShortCut(TShortCut AShortCut);
  void UpdateActions();

  // ---- options ----
  virtual void DefaultOption(TdxBarItemOptionValue AOption, int& AValue) const;
  virtual void ResolveOption(TdxBarItemOptionValue AOption, TdxBarItemLinks* ARequester, int& AValue) const;
  virtual bool AcceptsItem(TdxBarItem* AItem, String& AErrorText);

  // ---- recent use ----
  bool RecentUseAllowed() const;
  int RecentCutoff() const;
  int CollapsedCount() const { return FCollapsedCount; }
  void SetCollapsedCount(int ACount);
  void RestoreCollapsedCount();
  void CompactRecent();
  void MoveToRecentFront(TdxBarItemLink* ALink);
  void MoveToRecentEnd(TdxBarItemLink* ALink);
  void MoveToRecentPosition(TdxBarItemLink* ALink, int APosition);

  // ---- links moving, distribution, merging ----
  bool IsDistributionPending(const TdxBarItemLink* ALink) const;
  void Merge(TdxBarItemLinks* ASource, TdxBar* AMergingBar = nullptr);
  void Unmerge(TdxBar* ABar);
  // The bar being merged while Merge runs (links assigned then record it as their merge source).
  static TdxBar* MergingBar() { return FMergingBar; }

  // ---- streaming and layout ----
  void ResolveLoadedNames();
  void AfterLoad(bool ARestoreVisible);
  void SaveToLayout(TCustomIniFile* AStorage, const String& ASection, bool ARegistry);
  // ANewItemNames: the items added since the layout was saved; their links stay.
  void LoadFromLayout(TCustomIniFile* AStorage, const String& ASection, bool ARegistry,
                      const std::vector<String>* ANewItemNames = nullptr);
  void LoadRecentUse(TCustomIniFile* AStorage, const String& ASection, bool ARegistry);
  void LoadSubItemLayouts(TCustomIniFile* AStorage, const String& ASectionBase, bool ARegistry);
  // Toolbar links store their row placement and visibility; menu links do not.
  virtual bool IsToolbarLinks() const { return false; }

 protected:
  TPersistent* GetOwner() override;
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;
  bool OwnerDestroying() const;
  bool OwnerLoading() const;
  // A cycling search from after AStart (or the first) over Candidates; nil after a full cycle.
  TdxBarItemLink* CycleAccelerator(const std::vector<TdxBarItemLink*>& Candidates, win::WORD Key,
                                   TShiftState Shift, TdxBarItemLink* AStart, bool ARequireReachable);

 private:
  friend class TdxBarItemLink;
  void LinkCreated(TdxBarItemLink* ALink);
  void LinkDestroying(TdxBarItemLink* ALink);
  static int RecentUseCount(TdxBarManager* Manager);
  bool Reaches(TObject* AOwner, const TdxBarItemLinks* ALinks) const;

  TdxBarManager* FBarManager;
  TObject* FOwnerObject;
  bool FAssigning = false;
  std::vector<TdxBarItemLink*> FAvailable, FCanVisible, FVisibleList, FRecent, FPendingDistribution;
  TCustomdxBarControl* FBarControl = nullptr;
  bool FInternal = false;
  TdxBarItemOptions* FItemOptions;
  int FPrevCollapsedCount = -1;
  int FCollapsedCount = -1;
  bool FUseRecentItems = true;
  bool FSkipAddUpdate = false;
  bool FDestroying = false;
  static TdxBar* FMergingBar;
};

// A toolbar's links: accelerators only while the window shows, over the selectable shown links.
class TdxBarControlItemLinks : public TdxBarItemLinks {
  VW_CLASS(TdxBarControlItemLinks, TdxBarItemLinks)
 public:
  using TdxBarItemLinks::TdxBarItemLinks;
  TdxBarItemLink* FindAccelerator(win::WORD Key, TShiftState Shift, TdxBarItemLink* AStart) override;
  bool IsToolbarLinks() const override { return true; }
};

// A menu's links: accelerators over every link that can be visible.
class TdxBarSubMenuControlItemLinks : public TdxBarItemLinks {
  VW_CLASS(TdxBarSubMenuControlItemLinks, TdxBarItemLinks)
 public:
  using TdxBarItemLinks::TdxBarItemLinks;
  TdxBarItemLink* FindAccelerator(win::WORD Key, TShiftState Shift, TdxBarItemLink* AStart) override;
  bool ShowsAllVisible() const override { return true; }
};

// Makes the item control of a link when set (tests and, until the item controls stand, the bar
// windows); otherwise the item's control class is created.
extern std::function<TdxBarItemControl*(TdxBarItemLink*)> dxBarItemControlFactory;

// The accelerator character of a caption, one code point; 0 when none.
char32_t dxBarAcceleratorChar(const String& Caption);
// The owners' placing rule: toolbars ask the item's CanPlaceOn with kind 0, menus with kind 1, and
// menus refuse an item whose own links hold this menu's owner.
bool dxBarAcceptsItemOn(TdxBarItemLinks* ALinks, TdxBarItem* AItem, String& AErrorText);
