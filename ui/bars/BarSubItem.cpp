#include "ui/bars/BarSubItem.h"

#include <algorithm>

#include "platform/classes/Utf8.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/LibraryStrings.h"

using namespace dxBarStrs;

namespace {

const String SeparatorString = "-";

bool IsSeparator(TStrings* AItems, int AIndex) { return AItems->Strings(AIndex) == SeparatorString; }

}  // namespace

String dxBarExtraPaneFileTitle(const String& AFileName) {
  const std::size_t slash = AFileName.find_last_of("\\/");
  String name = slash == String::npos ? AFileName : AFileName.substr(slash + 1);
  if (const std::size_t dot = name.rfind('.'); dot != String::npos && dot > 0) name.erase(dot);
  return name;
}

String dxBarListItemEntryNumber(int AEntry) {
  if (AEntry < 9) return std::to_string(AEntry + 1);
  String number;
  Utf8Append(number, static_cast<char32_t>(AEntry + 56));
  return number;
}

// ---- TCustomdxBarSubItem ------------------------------------------------------------------------

TCustomdxBarSubItem::TCustomdxBarSubItem(TComponent* AOwner)
    : TdxBarItem(AOwner), FItemLinks(new TdxBarSubMenuControlItemLinks(BarManager(), this)) {
  SetShowCaptionDefault(true);
}

TCustomdxBarSubItem::~TCustomdxBarSubItem() {
  Destroying();
  if (FDetachingBar) FDetachingBar->RemoveFreeNotification(this);
  FDetachingBar = nullptr;
  delete FItemLinks;
  FItemLinks = nullptr;
}

void TCustomdxBarSubItem::DeclareProperties(TPropTable& t) {
  using S = TCustomdxBarSubItem;
  t.Add("BarSize", &S::FBarSize, &S::SetBarSize).SetDefault(0);
  t.Add("Detachable", &S::Detachable, &S::SetDetachable).SetDefault(false);
  t.Add("DetachingBar", &S::DetachingBar, &S::SetDetachingBar).SetDefault(-1);
  t.Add("Glyph", &TdxBarItem::Glyph, &TdxBarItem::SetGlyph);
  t.Add("ImageIndex", &TdxBarItem::ImageIndex, &TdxBarItem::SetImageIndex).SetDefault(-1).Stored(&S::IsImageIndexStored);
  t.Add("LargeGlyph", &TdxBarItem::LargeGlyph, &TdxBarItem::SetLargeGlyph);
  t.Add("LargeImageIndex", &TdxBarItem::LargeImageIndex, &TdxBarItem::SetLargeImageIndex).SetDefault(-1);
  t.Add("ShowCaption", &TdxBarItem::ShowCaption, &TdxBarItem::SetShowCaption).SetDefault(true);
  t.Add("OnClick", &TdxBarItem::OnClick, &TdxBarItem::SetOnClick);
  t.Add("OnDetaching", &S::OnDetaching);
  t.Add("OnPaintBar", &S::OnPaintBar);
}

int TCustomdxBarSubItem::DetachingBar() const { return FDetachingBar ? FDetachingBar->IndexInCollection() : -1; }

void TCustomdxBarSubItem::SetDetachingBar(int Value) {
  TdxBars* bars = BarManager() ? BarManager()->Bars() : nullptr;
  if (!bars || Value < -1 || Value >= bars->Count()) Value = -1;
  if (Value == DetachingBar()) return;
  if (FDetachingBar) FDetachingBar->RemoveFreeNotification(this);
  FDetachingBar = Value < 0 ? nullptr : bars->Items(Value);
  if (FDetachingBar) FDetachingBar->AddFreeNotification(this);
}

void TCustomdxBarSubItem::BarChanged(int AOperation, TdxBar* ABar) {
  if (AOperation == 1 && ABar && ABar == FDetachingBar) SetDetachingBar(-1);
}

void TCustomdxBarSubItem::SetInternal(bool Value) {
  if (Value == FInternal) return;
  FInternal = Value;
  FItemLinks->SetInternal(Value);
}

bool TCustomdxBarSubItem::AcceptsItem(TdxBarItem* Item, String& ErrorText) {
  return dxBarAcceptsItemOn(FItemLinks, Item, ErrorText);
}

TCustomdxBarControl* TCustomdxBarSubItem::CreateSubMenuControl() {
  // A menu opened from a link belongs to that link's manager and to the window of the link's bar,
  // which gets the focus back from it.
  if (TdxBarItemLink* link = ActiveLink()) {
    auto* menu = new TdxBarSubMenuControl(link->BarManager());
    if (TCustomdxBarControl* bar = link->BarControl(); bar && bar->HandleAllocated()) menu->SetParentWindow(bar->Handle());
    return menu;
  }
  return new TdxBarSubMenuControl(BarManager());
}

void TCustomdxBarSubItem::PaintBar(TCanvas* Canvas, const TRect& R) {
  if (OnPaintBar) OnPaintBar(this, Canvas, R);
}

void TCustomdxBarSubItem::NotifyPopup() {
  if (OnPopup) OnPopup(this);
}

void TCustomdxBarSubItem::NotifyCloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomdxBarSubItem::NotifyDetaching() {
  if (OnDetaching) OnDetaching(this);
}

void TCustomdxBarSubItem::BarManagerChanged() {
  if (FItemLinks) FItemLinks->SetBarManager(BarManager());
}

// ---- TdxBarSubItem ------------------------------------------------------------------------------

void TdxBarSubItem::DeclareProperties(TPropTable& t) {
  using S = TdxBarSubItem;
  t.Add("AllowCustomizing", &S::AllowCustomizing, &S::SetAllowCustomizing).SetDefault(true);
  t.Add("ItemLinks", static_cast<TdxBarItemLinks* (S::*)() const>(&S::ItemLinks), &S::SetItemLinks);
  t.Add("ItemOptions", &S::ItemOptions, &S::SetItemOptions);
  t.Add("OnCloseUp", &S::OnCloseUp);
  t.Add("OnPopup", &S::OnPopup);
}

bool TdxBarSubItem::IsMergeableWith(TdxBarItem* AItem) const { return dynamic_cast<TdxBarSubItem*>(AItem) != nullptr; }

String TdxBarSubItem::DefaultCaption() const { return cxGetResourceString(dxSBAR_NEWSUBITEMCAPTION); }

// ---- TCustomdxBarContainerItem ------------------------------------------------------------------

void TCustomdxBarContainerItem::DeclareProperties(TPropTable& t) {
  t.Add("OnGetData", &TCustomdxBarContainerItem::OnGetData);
}

void TCustomdxBarContainerItem::Populate(TdxBarItemLinks* ALinks, TdxBarContainerLinkData* ALinkData, int AIndex) {
  FPopulating = true;
  try {
    Expand(ALinks, ALinkData, AIndex);
  } catch (...) {
    FPopulating = false;
    throw;
  }
  FPopulating = false;
}

void TCustomdxBarContainerItem::Expand(TdxBarItemLinks* /*ALinks*/, TdxBarContainerLinkData* /*ALinkData*/, int /*AIndex*/) {
  if (FClearPending) ClearItemList();
  if (FPopulationCount == 0 && OnGetData) OnGetData(this);
  ++FPopulationCount;
}

TdxBarItemLink* TCustomdxBarContainerItem::CreateExpandedLink(TdxBarItemLinks* ALinks, TdxBarContainerLinkData* ALinkData,
                                                              TdxBarItem* AItem, int AIndex) {
  TdxBarItemLink* link = ALinks->Add();
  TdxBarItemLink* container = ALinkData->ItemLink;
  link->SetContainerLink(container);
  link->SetIndex(std::min(AIndex, ALinks->Count() - 1));
  link->SetItem(AItem);
  // Taken over after the item is set, which resets both.
  if (container) {
    link->SetUseCount(container->UseCount());
    // A recent position means something only within the container link's own collection.
    if (container->Links() == ALinks) ALinks->MoveToRecentPosition(link, container->RecentIndex());
  }
  ALinkData->InPlaceItems->Add(link);
  return link;
}

void TCustomdxBarContainerItem::Collapse(TdxBarContainerLinkData* ALinkData) {
  --FPopulationCount;
  ALinkData->InPlaceItems->Clear();
}

bool TCustomdxBarContainerItem::CanExpand(TObject* /*Sender*/) const { return !FPopulating && !dxBarIsResettingBar(); }

void TCustomdxBarContainerItem::ItemsChanged(TObject* Sender) {
  if (CanExpand(Sender)) VisibleChanged();
}

// ---- TdxBarListItem -----------------------------------------------------------------------------

TdxBarListItem::TdxBarListItem(TComponent* AOwner)
    : TCustomdxBarContainerItem(AOwner), FItemList(new TComponentList(true)), FItems(new TStringList) {
  FItems->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
}

TdxBarListItem::~TdxBarListItem() {
  FItems->OnChange = nullptr;
  delete FItemList;
  FItemList = nullptr;
  delete FItems;
  FItems = nullptr;
}

void TdxBarListItem::DeclareProperties(TPropTable& t) {
  using L = TdxBarListItem;
  t.Add("DataIndex", &L::DataIndex, &L::SetDataIndex).Stored(false);
  t.Add("ItemIndex", &L::ItemIndex, &L::SetItemIndex).SetDefault(-1);
  t.Add("Items", &L::Items, &L::SetItems);
  t.Add("LargeGlyph", &TdxBarItem::LargeGlyph, &TdxBarItem::SetLargeGlyph);
  t.Add("LargeImageIndex", &TdxBarItem::LargeImageIndex, &TdxBarItem::SetLargeImageIndex).SetDefault(-1);
  t.Add("ShowCheck", &L::ShowCheck, &L::SetShowCheck).SetDefault(false);
  t.Add("ShowNumbers", &L::ShowNumbers, &L::SetShowNumbers).SetDefault(true);
}

int TdxBarListItem::DataIndex() const {
  if (FItemIndex < 0 || FItemIndex >= FItems->Count()) return -1;
  int entries = 0;
  for (int s = 0; s <= FItemIndex; ++s)
    if (!IsSeparator(FItems, s)) ++entries;
  return entries - 1;
}

void TdxBarListItem::SetDataIndex(int Value) {
  const int count = FItems->Count();
  if (count == 0) {
    FItemIndex = -1;
    return;
  }
  int entry = -1;
  for (int s = 0; s < count; ++s) {
    if (!IsSeparator(FItems, s)) ++entry;
    if (entry == Value) {
      FItemIndex = s;
      return;
    }
  }
  FItemIndex = count;
}

std::vector<TdxBarButton*> TdxBarListItem::EntryButtons() const {
  std::vector<TdxBarButton*> buttons;
  for (int i = 0; i < FItemList->Count(); ++i)
    if (auto* button = dynamic_cast<TdxBarButton*>(FItemList->Items(i))) buttons.push_back(button);
  return buttons;
}

TdxBarButton* TdxBarListItem::EntryButton(int AEntry) const {
  for (int i = 0, e = 0; i < FItemList->Count(); ++i)
    if (auto* button = dynamic_cast<TdxBarButton*>(FItemList->Items(i)); button && e++ == AEntry) return button;
  return nullptr;
}

String TdxBarListItem::EntryCaption(int Index) { return CaptionOfString(FItems->Strings(Index)); }

bool TdxBarListItem::HasContent() const { return TCustomdxBarContainerItem::HasContent() || FItems->Count() > 0; }

void TdxBarListItem::HideGeneratedItem(TdxBarItem* AItem) {
  if (TdxBarDesignController* controller = BarDesignController()) {
    controller->HideInternalItem(AItem, FItemList);
    return;
  }
  FItemList->Add(AItem);
  if (TdxBarManager* manager = AItem->BarManager()) manager->RemoveItem(AItem);
}

TComponent* TdxBarListItem::GeneratedItemOwner() const {
  TdxBarManager* manager = BarManager();
  return manager && manager->Owner() ? manager->Owner() : Owner();
}

void TdxBarListItem::FillEntryButton(TdxBarButton* AButton, int AString, int AEntry) {
  if (AButton->Action() != Action()) AButton->SetAction(Action());
  const bool current = FShowCheck && AString == FItemIndex;
  AButton->SetButtonStyle(current ? bsChecked : bsDefault);
  AButton->SetDown(current);
  const String number = FShowNumbers ? "&" + dxBarListItemEntryNumber(AEntry) + " " : String();
  // The hint is written after the caption, so the caption's hint rule leaves no trace.
  AButton->SetCaption(number + EntryCaption(AString));
  AButton->SetHint(EntryHint(FItems->Strings(AString)));
  AButton->SetTag(AString);
  AButton->SetOnClick([this](TObject* Sender) { EntryClicked(Sender); });
  AButton->SetEnabled(Enabled());
}

void TdxBarListItem::Expand(TdxBarItemLinks* ALinks, TdxBarContainerLinkData* ALinkData, int AIndex) {
  TCustomdxBarContainerItem::Expand(ALinks, ALinkData, AIndex);
  // Buttons a window still shows are reused, and brought up to date with the entries now: the
  // strings may have changed since they were made, and may have grown.
  std::vector<TdxBarButton*> buttons = EntryButtons();
  bool beginGroup = false;
  for (int s = 0, e = 0; s < FItems->Count(); ++s) {
    if (IsSeparator(FItems, s)) {
      beginGroup = true;
      continue;
    }
    if (e == 0) beginGroup = true;
    if (static_cast<std::size_t>(e) == buttons.size()) {
      auto* button = new TdxBarButton(GeneratedItemOwner());
      HideGeneratedItem(button);
      buttons.push_back(button);
    }
    TdxBarButton* button = buttons[static_cast<std::size_t>(e)];
    FillEntryButton(button, s, e);
    CreateExpandedLink(ALinks, ALinkData, button, AIndex + e)->SetBeginGroup(beginGroup);
    beginGroup = false;
    ++e;
  }
}

void TdxBarListItem::ClearItemList() {
  // Items a window still shows stay; they go with the next clear that finds them unlinked.
  bool linked = false;
  for (int i = 0; i < FItemList->Count() && !linked; ++i)
    if (auto* item = dynamic_cast<TdxBarItem*>(FItemList->Items(i))) linked = item->LinkCount() > 0;
  if (!linked) FItemList->Clear();
  TCustomdxBarContainerItem::ClearItemList();
}

void TdxBarListItem::Click() {
  if (ActiveLink()) return;
  TCustomdxBarContainerItem::Click();
}

void TdxBarListItem::EntryClicked(TObject* Sender) {
  if (auto* button = dynamic_cast<TComponent*>(Sender)) FItemIndex = static_cast<int>(button->Tag());
  Click();
}

// ---- TdxBarContainerItem ------------------------------------------------------------------------

TdxBarContainerItem::TdxBarContainerItem(TComponent* AOwner) : TCustomdxBarContainerItem(AOwner) {
  ItemLinks()->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
}

void TdxBarContainerItem::DeclareProperties(TPropTable& t) {
  using C = TdxBarContainerItem;
  t.Add("ItemLinks", static_cast<TdxBarItemLinks* (C::*)() const>(&C::ItemLinks), &C::SetItemLinks);
}

bool TdxBarContainerItem::HasVisibleLinks() const {
  TdxBarItemLinks* own = ItemLinks();
  if (own->Count() == 0) return false;
  bool anyItem = false;
  for (int i = 0; i < own->Count(); ++i) {
    TdxBarItem* item = own->Items(i)->Item();
    if (!item) continue;
    if (item->IsVisibleNow()) return true;
    anyItem = true;
  }
  return !anyItem;
}

bool TdxBarContainerItem::IsMergeableWith(TdxBarItem* AItem) const {
  return dynamic_cast<TdxBarContainerItem*>(AItem) != nullptr;
}

void TdxBarContainerItem::Expand(TdxBarItemLinks* ALinks, TdxBarContainerLinkData* ALinkData, int AIndex) {
  TCustomdxBarContainerItem::Expand(ALinks, ALinkData, AIndex);
  TdxBarItemLinks* own = ItemLinks();
  // The container's own menu shows the own links themselves.
  if (ALinks == own) return;
  TCollectionUpdate update(ALinks);
  std::vector<TdxBarItemLink*> sources;
  for (int i = 0; i < own->CanVisibleCount(); ++i) sources.push_back(own->CanVisibleLinks(i));
  for (std::size_t i = 0; i < sources.size(); ++i) {
    TdxBarItemLink* link = CreateExpandedLink(ALinks, ALinkData, sources[i]->Item(), AIndex + static_cast<int>(i));
    link->Assign(sources[i]);
    // Only the first copy starts a group: the own links' group starts are not carried over.
    link->SetBeginGroup(i == 0 && ExpandsInPlace());
  }
}

bool TdxBarContainerItem::CanExpand(TObject* Sender) const {
  if (!TCustomdxBarContainerItem::CanExpand(Sender)) return false;
  auto* links = dynamic_cast<TdxBarItemLinks*>(Sender);
  TCustomdxBarControl* bar = links ? links->BarControl() : nullptr;
  return !(bar && (bar->State() & (dxBarCreatingControls | dxBarDestroyingControls)));
}

// ---- TdxBarExtraPaneListItem --------------------------------------------------------------------

String TdxBarExtraPaneListItem::EntryCaption(int Index) {
  auto* entry = dynamic_cast<TdxBarExtraPaneItem*>(Items()->Objects(Index));
  String text = entry ? entry->DisplayName : String();
  if (OnGetEntryCaption) OnGetEntryCaption(this, Index, text);
  if (text.empty()) text = dxBarExtraPaneFileTitle(entry ? entry->FileName : Items()->Strings(Index));
  return text;
}

void TdxBarExtraPaneListItem::Expand(TdxBarItemLinks* ALinks, TdxBarContainerLinkData* ALinkData, int AIndex) {
  TdxBarListItem::Expand(ALinks, ALinkData, AIndex);
  std::vector<TdxBarButton*> buttons = EntryButtons();
  std::size_t used = 0;
  bool anyImage = false;
  for (int s = 0; s < Items()->Count() && used < buttons.size(); ++s) {
    if (IsSeparator(Items(), s)) continue;
    auto* entry = dynamic_cast<TdxBarExtraPaneItem*>(Items()->Objects(s));
    const int image = entry ? entry->ImageIndex : -1;
    // Set also to none: a reused button may carry the image of the entry it showed before.
    buttons[used++]->SetImageIndex(image);
    anyImage = anyImage || image != -1;
  }
  for (std::size_t i = 0; i < used; ++i)
    buttons[i]->SetPaintStyle(anyImage ? TdxBarPaintStyle::psCaptionGlyph : TdxBarPaintStyle::psStandard);
  // One caption label for every generation: it stays out of the entries' numbering.
  TdxBarLabel* label = nullptr;
  for (int i = 0; i < ItemList()->Count() && !label; ++i) label = dynamic_cast<TdxBarLabel*>(ItemList()->Items(i));
  if (!label) {
    label = new TdxBarLabel(GeneratedItemOwner());
    ItemList()->Add(label);
  }
  label->SetCaption(Caption());
  CreateExpandedLink(ALinks, ALinkData, label, 0);
}
