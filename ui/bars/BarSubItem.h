#pragma once
// Sub-items: bar items that open a menu of their own links (main-menu entries, cascading menus,
// the drop-down of a sub-item on a toolbar). Container items are sub-items whose entries are made
// while they are shown: in a menu their link gives way to the generated links, on a toolbar they
// open a menu that holds them. The list item generates one button per string, the container item
// repeats the links it owns, and the extra-pane list item is the file list of an application
// menu's extra pane.
#include <functional>
#include <vector>

#include "platform/classes/Collection.h"
#include "platform/classes/Lists.h"
#include "platform/classes/Strings.h"
#include "ui/bars/BarItem.h"
#include "ui/bars/BarItemLinks.h"

class TdxBar;
class TdxBarButton;
class TdxBarLabel;
class TdxBarContainerLinkData;
class TCanvas;

// What the owner of a menu's links may add: a strip left of the items (a sub-item's side bar).
class IdxBarSubMenuOwner : public virtual IInterface {
 public:
  static constexpr const char* GUID = "{5A7DAB0F-2B64-46B3-A1C1-8E0D65C1F3A4}";
  // The strip's width; 0 for none.
  virtual int BarSize() = 0;
  // Draws the strip into R.
  virtual void PaintBar(TCanvas* Canvas, const TRect& R) = 0;
};

using TdxBarPaintSubMenuBarEvent = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R)>;

class TCustomdxBarSubItem : public TdxBarItem, public IdxBarLinksOwner, public IdxBarSubMenuOwner {
  VW_CLASS(TCustomdxBarSubItem, TdxBarItem)
 public:
  explicit TCustomdxBarSubItem(TComponent* AOwner);
  ~TCustomdxBarSubItem() override;
  static void DeclareProperties(TPropTable& t);

  // The side strip of the item's menus; a negative width is stored as 0.
  int BarSize() override { return FBarSize; }
  void SetBarSize(int Value) { FBarSize = Value < 0 ? 0 : Value; }
  bool Detachable() const { return FDetachable; }
  void SetDetachable(bool Value) { FDetachable = Value; }
  // The toolbar a torn-off menu becomes, as its index among the manager's toolbars; -1 for none.
  // An index out of range counts as -1. The toolbar remembers the sub-item and tells it when it goes.
  int DetachingBar() const;
  void SetDetachingBar(int Value);
  TdxBar* DetachingBarObject() const { return FDetachingBar; }
  TdxBarItemLinks* ItemLinks() const override { return FItemLinks; }
  void SetItemLinks(TdxBarItemLinks* Value) { FItemLinks->Assign(Value); }
  TdxBarItemOptions* ItemOptions() const { return FItemLinks->ItemOptions(); }
  void SetItemOptions(TdxBarItemOptions* Value) { FItemLinks->ItemOptions()->Assign(Value); }
  // A command the designer made for its own menus: its menus never customize, and disabled it
  // never drops down.
  bool Internal() const { return FInternal; }
  void SetInternal(bool Value);

  // ---- IdxBarLinksOwner ----
  // Refuses what cannot stand in a menu and a sub-item that would open this menu again.
  bool AcceptsItem(TdxBarItem* Item, String& ErrorText) override;
  TCustomdxBarControl* CreateSubMenuControl() override;
  TComponent* OwnerComponent() override { return this; }
  TdxBarItemLinks* ItemLinks() override { return FItemLinks; }

  // ---- IdxBarSubMenuOwner ----
  void PaintBar(TCanvas* Canvas, const TRect& R) override;

  // The menu is about to show, has closed, is being torn off.
  virtual void NotifyPopup();
  virtual void NotifyCloseUp();
  virtual void NotifyDetaching();

  // Shortcuts go into the menu's links: a sub-item is never clicked by one.
  bool ClicksDirectly() const override { return false; }
  void BarManagerChanged() override;
  void BarChanged(int AOperation, TdxBar* ABar) override;
  TdxBarCustomizationActions AvailableActions() override;
  // The menu's links in the stored layout (BarLayoutPersistence.cpp); only a named item has a
  // section of its own.
  void RestoreSubItemLayout(TCustomIniFile* AStorage, const String& ASectionBase, bool ARegistry) override;
  void LoadSubItemLayout(TCustomIniFile* AStorage, const String& ASectionBase, bool ARegistry) override;
  void LoadSubItemRecentUse(TCustomIniFile* AStorage, const String& ASectionBase) override;
  void SaveSubItemLayout(TCustomIniFile* AStorage, const String& ASectionBase, bool ARegistry) override;

  TNotifyEvent OnCloseUp;
  TNotifyEvent OnDetaching;
  TdxBarPaintSubMenuBarEvent OnPaintBar;
  TNotifyEvent OnPopup;

 private:
  int FBarSize = 0;
  bool FDetachable = false;
  TdxBar* FDetachingBar = nullptr;
  bool FInternal = false;
  TdxBarItemLinks* FItemLinks;
  // Menus that link each other end the depth-first restore instead of running it forever.
  bool FRestoringLayout = false;
};

class TdxBarSubItem : public TCustomdxBarSubItem {
  VW_CLASS(TdxBarSubItem, TCustomdxBarSubItem)
 public:
  explicit TdxBarSubItem(TComponent* AOwner) : TCustomdxBarSubItem(AOwner) {}
  static void DeclareProperties(TPropTable& t);
  // Whether the item's menus take design-time hit tests.
  bool AllowCustomizing() const { return FAllowCustomizing; }
  void SetAllowCustomizing(bool Value) { FAllowCustomizing = Value; }
  bool IsMergeableWith(TdxBarItem* AItem) const override;
  String DefaultCaption() const override;

 private:
  bool FAllowCustomizing = true;
};

// A sub-item whose entries are generated when it is shown: in a menu its link gives way to the
// generated links (one generation per TdxBarContainerLinkData, from Populate to Collapse).
//
// A generation: the caller (a menu expanding the container in place, or the container's own
// menu on a toolbar) makes the link data, calls Populate with the receiving links and the index
// of the first generated link, and later ScheduleClear and Collapse.
class TCustomdxBarContainerItem : public TCustomdxBarSubItem {
  VW_CLASS(TCustomdxBarContainerItem, TCustomdxBarSubItem)
 public:
  explicit TCustomdxBarContainerItem(TComponent* AOwner) : TCustomdxBarSubItem(AOwner) {}
  static void DeclareProperties(TPropTable& t);
  // Expand with the population flag set, cleared also on failure.
  void Populate(TdxBarItemLinks* ALinks, TdxBarContainerLinkData* ALinkData, int AIndex);
  // The base clears a pending item list, asks for data before the first live generation and counts it.
  virtual void Expand(TdxBarItemLinks* ALinks, TdxBarContainerLinkData* ALinkData, int AIndex);
  // A link for AItem at AIndex of ALinks, belonging to the container's link and to the generation.
  virtual TdxBarItemLink* CreateExpandedLink(TdxBarItemLinks* ALinks, TdxBarContainerLinkData* ALinkData,
                                             TdxBarItem* AItem, int AIndex);
  // Ends a generation: its links are freed.
  virtual void Collapse(TdxBarContainerLinkData* ALinkData);
  virtual void ClearItemList() { FClearPending = false; }
  virtual bool ExpandsInPlace() const { return true; }
  // Whether a change of the data may rebuild the windows showing the item now.
  virtual bool CanExpand(TObject* Sender) const;
  // The data changed: every window showing the item generates again, unless a generation is being
  // made or a toolbar is being reset.
  void ItemsChanged(TObject* Sender);
  void ScheduleClear() { FClearPending = true; }
  bool Populating() const { return FPopulating; }
  int PopulationCount() const { return FPopulationCount; }
  bool HasContent() const override { return static_cast<bool>(OnGetData); }
  // Asked before the first generation of the data the entries are made from.
  TNotifyEvent OnGetData;

 private:
  bool FPopulating = false;
  bool FClearPending = false;
  int FPopulationCount = 0;
};

// One button per string of Items, numbered and with the current entry checked when asked; "-"
// starts a group. The buttons live in the item list until a clear finds them unlinked, so windows
// showing the list at once share them.
class TdxBarListItem : public TCustomdxBarContainerItem {
  VW_CLASS(TdxBarListItem, TCustomdxBarContainerItem)
 public:
  explicit TdxBarListItem(TComponent* AOwner);
  ~TdxBarListItem() override;
  static void DeclareProperties(TPropTable& t);

  // The current entry counted without separators; -1 when ItemIndex names none. An entry that
  // does not exist puts ItemIndex past the last string.
  int DataIndex() const;
  void SetDataIndex(int Value);
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value) { FItemIndex = Value; }
  TStrings* Items() const { return FItems; }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  bool ShowCheck() const { return FShowCheck; }
  void SetShowCheck(bool Value) { FShowCheck = Value; }
  bool ShowNumbers() const { return FShowNumbers; }
  void SetShowNumbers(bool Value) { FShowNumbers = Value; }
  // The generated items (owned).
  TComponentList* ItemList() const { return FItemList; }
  // The generated button of entry AEntry (separators not counted); nil before it is made.
  TdxBarButton* EntryButton(int AEntry) const;

  // What an entry's button shows: its hint, and its caption after the number.
  virtual String EntryHint(const String& /*S*/) { return String(); }
  virtual String CaptionOfString(const String& S) { return S; }
  virtual String EntryCaption(int Index);

  bool HasContent() const override;
  void Expand(TdxBarItemLinks* ALinks, TdxBarContainerLinkData* ALinkData, int AIndex) override;
  // Keeps the buttons while another window still links them.
  void ClearItemList() override;
  // Nothing while the item's own menu is open: opening it is no choice of an entry.
  void Click() override;
  // A generated button was clicked: it becomes the current entry, then the item clicks.
  void EntryClicked(TObject* Sender);

 protected:
  // The generated buttons in the order of the entries they showed last; the item list's other
  // entries (the extra pane's caption label) stay out of the numbering.
  std::vector<TdxBarButton*> EntryButtons() const;
  // Generated items belong to the manager's owner, and join the item list instead of the manager's.
  TComponent* GeneratedItemOwner() const;
  void HideGeneratedItem(TdxBarItem* AItem);

 private:
  void FillEntryButton(TdxBarButton* AButton, int AString, int AEntry);

  int FItemIndex = -1;
  TComponentList* FItemList;
  TStringList* FItems;
  bool FShowCheck = false;
  bool FShowNumbers = true;
};

// Repeats the links it owns wherever it is placed; on a toolbar its menu shows them as they are.
class TdxBarContainerItem : public TCustomdxBarContainerItem {
  VW_CLASS(TdxBarContainerItem, TCustomdxBarContainerItem)
 public:
  explicit TdxBarContainerItem(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);
  // Whether an own link's item shows now; an own list of links without items counts as visible.
  bool HasVisibleLinks() const;
  bool HasContent() const override { return TCustomdxBarContainerItem::HasContent() || HasVisibleLinks(); }
  bool IsMergeableWith(TdxBarItem* AItem) const override;
  void Expand(TdxBarItemLinks* ALinks, TdxBarContainerLinkData* ALinkData, int AIndex) override;
  bool CanExpand(TObject* Sender) const override;
};

// An entry of an application menu's extra pane, as whoever fills the pane stores it with its
// string (the string is the file name).
class TdxBarExtraPaneItem : public TCollectionItem {
  VW_CLASS(TdxBarExtraPaneItem, TCollectionItem)
 public:
  explicit TdxBarExtraPaneItem(TCollection* ACollection = nullptr) : TCollectionItem(ACollection) {}
  String DisplayName;
  int ImageIndex = -1;
  String FileName;
};

// The file list of an application menu's extra pane: its caption stands first, as a label, and
// each entry shows its display name, else the file's name without directory and extension.
class TdxBarExtraPaneListItem : public TdxBarListItem {
  VW_CLASS(TdxBarExtraPaneListItem, TdxBarListItem)
 public:
  explicit TdxBarExtraPaneListItem(TComponent* AOwner) : TdxBarListItem(AOwner) {}
  bool HasContent() const override { return TdxBarListItem::HasContent() || !Caption().empty(); }
  void Expand(TdxBarItemLinks* ALinks, TdxBarContainerLinkData* ALinkData, int AIndex) override;
  String EntryHint(const String& S) override { return S; }
  String EntryCaption(int Index) override;
  // (Sender, Index, Text): may change the caption of entry Index.
  std::function<void(TObject* Sender, int Index, String& Text)> OnGetEntryCaption;
};

// The file's name without its directory (up to the last "\" or "/") and without its extension
// (from the last "." after that; a leading dot is no extension).
String dxBarExtraPaneFileTitle(const String& AFileName);
// The number of entry AEntry in a numbered list: 1 to 9, then one character each from "A" on.
String dxBarListItemEntryNumber(int AEntry);
