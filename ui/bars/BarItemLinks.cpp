#include "ui/bars/BarItemLinks.h"

#include <algorithm>
#include <memory>

#include "platform/classes/Filer.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/Streams.h"
#include "platform/win/Keyboard.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarMDI.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/Core.h"

using namespace win;
using namespace dxBarStrs;

TdxBar* TdxBarItemLinks::FMergingBar = nullptr;

namespace {

template <class T>
int IndexIn(const std::vector<T*>& List, const T* Value) {
  auto it = std::find(List.begin(), List.end(), Value);
  return it == List.end() ? -1 : static_cast<int>(it - List.begin());
}

bool IsSeparatorLink(const TdxBarItemLink* Link) {
  return Link && Link->Item() && Link->Item()->InheritsFrom(TdxBarSeparator::StaticClass());
}

}  // namespace

char32_t dxBarAcceleratorChar(const String& Caption) {
  int pos = AcceleratorPosition(Caption);
  if (pos <= 0) return 0;
  // Walk pos - 1 code points, then decode the one that follows.
  std::size_t i = 0;
  auto next = [&](std::size_t at) {
    auto c = static_cast<unsigned char>(Caption[at]);
    std::size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    return std::min(at + len, Caption.size());
  };
  for (int n = 1; n < pos && i < Caption.size(); ++n) i = next(i);
  if (i >= Caption.size()) return 0;
  auto c = static_cast<unsigned char>(Caption[i]);
  if (c < 0x80) return c;
  std::size_t end = next(i);
  char32_t cp = c & (c >= 0xF0 ? 0x07 : c >= 0xE0 ? 0x0F : 0x1F);
  for (std::size_t k = i + 1; k < end; ++k) cp = (cp << 6) | (static_cast<unsigned char>(Caption[k]) & 0x3F);
  return cp;
}

bool dxBarAcceptsItemOn(TdxBarItemLinks* ALinks, TdxBarItem* AItem, String& AErrorText) {
  bool menu = ALinks->ShowsAllVisible();
  if (!AItem->CanPlaceOn(menu ? 1 : 0, ALinks->OwnerObject(), AErrorText)) return false;
  if (menu && ALinks->OwnerObject()) {
    TdxBarItemLinks* own = AItem->ItemLinks();
    // A popup menu is no item: it is found as its links, reached through the item's own.
    if ((own && (own->ContainsLinks(ALinks) || own->ContainsOwner(ALinks->OwnerObject()))) ||
        AItem == ALinks->OwnerObject()) {
      AErrorText = cxGetResourceString(dxSBAR_RECURSIVEMENUS);
      return false;
    }
  }
  return true;
}

// ---- item options --------------------------------------------------------------------------------

TdxBarItemOptions::TdxBarItemOptions(TdxBarItemLinks* ALinks) : FLinks(ALinks) {
  FShowDescriptions = Read(ioShowDescriptions) != 0;
  FShowShortCuts = Read(ioShowShortCuts) != 0;
  FSize = static_cast<TdxBarMenuItemSize>(Read(ioSize));
  FAssignedValues = {};
}

void TdxBarItemOptions::DeclareProperties(TPropTable& t) {
  using O = TdxBarItemOptions;
  t.Add("AssignedValues", &O::AssignedValues, &O::SetAssignedValues).SetDefault(TdxBarItemOptionValues{});
  t.Add("ShowDescriptions", &O::ShowDescriptions, &O::SetShowDescriptions)
      .Stored(&O::IsShowDescriptionsStored);
  t.Add("ShowShortCuts", &O::ShowShortCuts, &O::SetShowShortCuts)
      .Stored(&O::IsShowShortCutsStored);
  t.Add("Size", &O::Size, &O::SetSize).Stored(&O::IsSizeStored);
}

int TdxBarItemOptions::Read(TdxBarItemOptionValue Option) const {
  if (FAssignedValues.Contains(Option)) return OwnValue(Option);
  int value = Option == ioShowShortCuts ? 1 : 0;
  if (FLinks) FLinks->DefaultOption(Option, value);
  return value;
}

int TdxBarItemOptions::OwnValue(TdxBarItemOptionValue Option) const {
  switch (Option) {
    case ioShowDescriptions: return FShowDescriptions;
    case ioShowShortCuts: return FShowShortCuts;
    default: return FSize;
  }
}

bool TdxBarItemOptions::ShowDescriptions() const { return Read(ioShowDescriptions) != 0; }
bool TdxBarItemOptions::ShowShortCuts() const { return Read(ioShowShortCuts) != 0; }
TdxBarMenuItemSize TdxBarItemOptions::Size() const { return static_cast<TdxBarMenuItemSize>(Read(ioSize)); }

void TdxBarItemOptions::SetShowDescriptions(bool Value) {
  FShowDescriptions = Value;
  FAssignedValues.Include(ioShowDescriptions);
}

void TdxBarItemOptions::SetShowShortCuts(bool Value) {
  FShowShortCuts = Value;
  FAssignedValues.Include(ioShowShortCuts);
}

void TdxBarItemOptions::SetSize(TdxBarMenuItemSize Value) {
  FSize = Value;
  FAssignedValues.Include(ioSize);
}

void TdxBarItemOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarItemOptions*>(Source);
  if (!source) return TPersistent::Assign(Source);
  FAssignedValues = source->FAssignedValues;
  FShowDescriptions = source->FShowDescriptions;
  FShowShortCuts = source->FShowShortCuts;
  FSize = source->FSize;
}

TPersistent* TdxBarItemOptions::GetOwner() { return FLinks; }

// ---- the link ------------------------------------------------------------------------------------

TdxBarItemLink::TdxBarItemLink(TCollection* ACollection)
    : TcxInterfacedCollectionItem(ACollection), FUserGlyph(new TBitmap) {
  FUserGlyph->OnChange = [this](TObject*) { UserGlyphChanged(); };
  if (TdxBarItemLinks* links = Links()) {
    if (TdxBarManager* manager = links->BarManager()) FUseCount = manager->MostRecentItemsThreshold();
    links->LinkCreated(this);
  }
}

TdxBarItemLink::~TdxBarItemLink() {
  FDestroying = true;
  TdxBarItemLinks* links = Links();
  TdxBarManager* manager = BarManager();
  if (manager && !manager->IsDestroying() && manager->OnItemLinkDelete) manager->OnItemLinkDelete(manager, this);
  FreeControl();
  if (TdxBarDesignController* controller = BarDesignController()) controller->LinkDestroying(this);
  if (FItem) FItem->RemoveLink(this);
  FItem = nullptr;
  if (links) links->LinkDestroying(this);
  delete FUserGlyph;
  InvalidateObjectLinks(this);
}

void TdxBarItemLink::DeclareProperties(TPropTable& t) {
  using L = TdxBarItemLink;
  t.Add("BeginGroup", &L::StoredBeginGroup, &L::SetBeginGroup).SetDefault(false);
  t.Add("ButtonGroup", &L::ButtonGroup, &L::SetButtonGroup).SetDefault(bgpNone);
  t.Add("Distributed", &L::Distributed, &L::SetDistributed).SetDefault(true);
  t.Add("MostRecentlyUsed", &L::MostRecentlyUsed, &L::SetMostRecentlyUsed).SetDefault(true);
  t.Add("Position", &L::Position, &L::SetPosition).SetDefault(ipBeginsNewRow);
  t.Add("UserCaption", &L::UserCaption, &L::SetUserCaption);
  t.Add("UserDefine", &L::UserDefine, &L::SetUserDefine).SetDefault(TdxBarUserDefines{});
  t.Add("UserGlyph", &L::UserGlyph, &L::SetUserGlyph);
  t.Add("UserPaintStyle", &L::UserPaintStyle, &L::SetUserPaintStyle).SetDefault(TdxBarPaintStyle::psStandard);
  t.Add("UserWidth", &L::UserWidth, &L::SetUserWidth).SetDefault(0);
  t.Add("ViewLevels", &L::ViewLevels, &L::SetViewLevels).SetDefault(dxBarAllViewLevels);
  t.Add("Visible", &L::Visible, &L::SetVisible).SetDefault(true);
}

TdxBarItemLinks* TdxBarItemLink::Links() const { return dynamic_cast<TdxBarItemLinks*>(Collection()); }

TdxBarManager* TdxBarItemLink::BarManager() const {
  TdxBarItemLinks* links = Links();
  return links ? links->BarManager() : (FItem ? FItem->BarManager() : nullptr);
}

TCustomdxBarControl* TdxBarItemLink::BarControl() const {
  TdxBarItemLinks* links = Links();
  return links ? links->BarControl() : nullptr;
}

bool TdxBarItemLink::OwnerLoading() const {
  TdxBarItemLinks* links = Links();
  return links && links->OwnerLoading();
}

TdxBarItem* TdxBarItemLink::Item() const {
  // While the owner reads itself from an ancestor, the item is the one the stream named.
  if (!FItem && !FLoadedItemName.empty() && OwnerLoading())
    if (TdxBarManager* manager = BarManager()) return manager->ItemByName(FLoadedItemName);
  return FItem;
}

void TdxBarItemLink::SetItem(TdxBarItem* Value) {
  if (Value == FItem) return;
  TdxBarItemLinks* links = Links();
  if (!links) {
    // A link outside any collection belongs to whoever made it: it only changes its item.
    if (FItem) FItem->RemoveLink(this);
    FItem = Value;
    if (Value) Value->AddLink(this);
    return;
  }
  bool freeSelf = false;
  String error;
  {
    TCollectionUpdate bracket(links);
    FreeControl();
    if (FItem) FItem->RemoveLink(this);
    FItem = nullptr;
    if (!Value) {
      freeSelf = true;
    } else if (!links->AcceptsItem(Value, error)) {
      freeSelf = true;
    } else {
      FItem = Value;
      Value->AddLink(this);
      links->RebuildLists();
      if (!links->OwnerLoading()) ResetUseCount();
      if (links->UpdateCount() == 1) {
        TdxBarManager* manager = links->BarManager();
        if (manager) manager->ItemLinkChanged(this);
      }
    }
  }
  if (freeSelf) {
    delete this;
    if (Value) throw EdxException(error);
  }
}

void TdxBarItemLink::SetBeginGroup(bool Value) {
  if (FBeginGroup == Value) return;
  FBeginGroup = Value;
  if (FControl) FControl->BeginGroupChanged();
  if (TCustomdxBarControl* bar = BarControl()) bar->RebuildBar(false);
  Changed(false);
}

void TdxBarItemLink::SetButtonGroup(TdxBarButtonGroupPosition Value) {
  if (FButtonGroup == Value) return;
  FButtonGroup = Value;
  Changed(true);
}

void TdxBarItemLink::SetPosition(TdxBarItemPosition Value) {
  if (FPosition == Value) return;
  FPosition = Value;
  Changed(true);
}

void TdxBarItemLink::SetViewLevels(TdxBarItemViewLevels Value) {
  if (FViewLevels == Value) return;
  FViewLevels = Value;
  Changed(true);
}

void TdxBarItemLink::SetDistributed(bool Value) {
  if (FDistributed == Value) return;
  FDistributed = Value;
  if (TdxBarItemLinks* links = Links(); links && links->IndexOf(this) >= 0 && IndexIn(links->FPendingDistribution, this) < 0)
    links->FPendingDistribution.push_back(this);
  Changed(true);
}

void TdxBarItemLink::ApplyDistributed(bool Value) {
  bool changed = FDistributed != Value;
  FDistributed = Value;
  if (TdxBarItemLinks* links = Links()) {
    std::erase(links->FPendingDistribution, this);
    if (changed) Changed(true);
  }
}

void TdxBarItemLink::SetMostRecentlyUsed(bool Value) {
  if (FMostRecentlyUsed == Value) return;
  FMostRecentlyUsed = Value;
  ResetUseCount();
  if (TCustomdxBarControl* bar = BarControl()) bar->RebuildBar(false);
  Changed(false);
}

void TdxBarItemLink::SetVisible(bool Value) {
  TdxBarItemLinks* links = Links();
  TdxBarManager* manager = BarManager();
  if ((manager && manager->IsLoading()) || (links && links->Assigning())) {
    FLoadedVisible = Value;
    return;
  }
  WriteVisible(Value);
}

void TdxBarItemLink::WriteVisible(bool Value) {
  FLoadedVisible = Value;
  if (FVisible == Value) return;
  FVisible = Value;
  TdxBarManager* manager = BarManager();
  if (!manager || !manager->IsDesigning()) VisibleChanged();
  Changed(false);
}

bool TdxBarItemLink::CanShowNow() const { return FItem && FItem->IsVisibleNow() && FVisible; }

void TdxBarItemLink::VisibleChanged() {
  TdxBarItemLinks* links = Links();
  if (!links) return;
  links->RebuildLists();
  if (CanShowNow()) {
    MarkUsed(false);
    if (TCustomdxBarControl* bar = links->BarControl()) {
      if (!FControl) CreateControl();
      if (FControl) FControl->VisibilityChanged();
      bar->LinksChanged();
    }
  } else {
    links->MoveToRecentEnd(this);
    if (FControl) {
      FControl->VisibilityChanged();
      FreeControl();
      if (TCustomdxBarControl* bar = links->BarControl()) bar->LinksChanged();
    }
  }
}

// ---- user values ----

void TdxBarItemLink::ForceUserDefine(TdxBarUserDefine Flag) {
  TdxBarUserDefines without = FUserDefine;
  without.Exclude(Flag);
  FUserDefine = without;
  TdxBarUserDefines with = without;
  with.Include(Flag);
  SetUserDefine(with);
}

void TdxBarItemLink::SetUserCaption(const String& Value) {
  if (Value == Caption() && HasUserCaption()) return;
  if (Value == FUserCaption && HasUserCaption()) return;
  FUserCaption = Value;
  ForceUserDefine(udCaption);
}

void TdxBarItemLink::SetUserGlyph(TBitmap* Value) {
  if (Value == FUserGlyph) return;
  FUserGlyph->Assign(Value);
  ForceUserDefine(udGlyph);
}

void TdxBarItemLink::SetUserPaintStyle(TdxBarPaintStyle Value) {
  if (Value == PaintStyle()) return;
  FUserPaintStyle = Value;
  ForceUserDefine(udPaintStyle);
}

void TdxBarItemLink::SetUserWidth(int Value) {
  if (Value == Width()) return;
  FUserWidth = Value;
  ForceUserDefine(udWidth);
}

void TdxBarItemLink::SetUserDefine(TdxBarUserDefines Value) {
  if (Value == FUserDefine) return;
  TdxBarUserDefines old = FUserDefine;
  FUserDefine = Value;
  for (TdxBarUserDefine flag : {udCaption, udGlyph, udPaintStyle, udWidth}) {
    bool was = old.Contains(flag), now = Value.Contains(flag);
    if (was == now) continue;
    if (was) switch (flag) {
        case udCaption: FUserCaption.clear(); break;
        case udGlyph: {
          auto onChange = std::move(FUserGlyph->OnChange);
          FUserGlyph->Assign(nullptr);
          FUserGlyph->OnChange = std::move(onChange);
          break;
        }
        case udPaintStyle: FUserPaintStyle = TdxBarPaintStyle::psStandard; break;
        case udWidth: FUserWidth = 0; break;
      }
    if (FControl) switch (flag) {
        case udCaption: FControl->CaptionChanged(); break;
        case udGlyph: FControl->GlyphChanged(); break;
        case udPaintStyle: FControl->PaintStyleChanged(); break;
        case udWidth: FControl->WidthChanged(); break;
      }
  }
  Changed(false);
}

void TdxBarItemLink::UserGlyphChanged() {
  if (FControl) FControl->GlyphChanged();
}

String TdxBarItemLink::Caption() const {
  TdxBarItem* item = Item();
  return HasUserCaption() || !item ? FUserCaption : item->Caption();
}

TBitmap* TdxBarItemLink::Glyph() const {
  TdxBarItem* item = Item();
  return HasUserGlyph() || !item ? FUserGlyph : item->Glyph();
}

TdxBarPaintStyle TdxBarItemLink::PaintStyle() const {
  TdxBarItem* item = Item();
  return FUserDefine.Contains(udPaintStyle) || !item ? FUserPaintStyle : item->PaintStyle();
}

int TdxBarItemLink::Width() const {
  if (HasUserWidth()) return FUserWidth;
  TdxBarItem* item = Item();
  return item && item->InheritsFrom(TdxBarEdit::StaticClass()) ? item->Width() : 0;
}

// ---- effective group start ----

bool TdxBarItemLink::BeginGroup() const {
  TdxBarItemLinks* links = Links();
  if (!links) return FBeginGroup;
  int v = VisibleIndex();
  if (v == 0) return false;
  if (FBeginGroup && (v == -1 || !IsSeparatorLink(links->VisibleLinks(v - 1)))) return true;
  if (v > 0) {
    TCustomdxBarControl* bar = links->BarControl();
    if (FItem && bar && FControl && (FItem->Align() == iaCenter || FItem->Align() == iaRight) && bar->HonoursItemAlign(FControl))
      return false;
    int from = links->IndexOf(links->VisibleLinks(v - 1)), to = links->IndexOf(const_cast<TdxBarItemLink*>(this));
    for (int i = from + 1; i < to; ++i)
      if (links->Items(i)->FBeginGroup) return true;
  }
  return false;
}

// ---- place ----

int TdxBarItemLink::VisibleIndex() const {
  TdxBarItemLinks* links = Links();
  return links ? links->IndexInVisible(this) : -1;
}

int TdxBarItemLink::CanVisibleIndex() const {
  TdxBarItemLinks* links = Links();
  return links ? links->IndexInCanVisible(this) : -1;
}

int TdxBarItemLink::RecentIndex() const {
  TdxBarItemLinks* links = Links();
  return links ? links->IndexInRecent(this) : -1;
}

TdxBarItemLink* TdxBarItemLink::NextLink() const {
  TdxBarItemLinks* links = Links();
  if (!links) return nullptr;
  int count = links->ShownCount();
  if (count == 0) return nullptr;
  int i = VisibleIndex() + 1;
  if (i >= count) i = 0;
  TdxBarItemLink* next = links->VisibleLinks(i);
  return next == this ? nullptr : next;
}

void TdxBarItemLink::SetItemRect(const TRect& Value) {
  FItemRect = Value;
  if (FControl) FControl->CalcPartRects();
}

TPoint TdxBarItemLink::ScreenToLink(const TPoint& P) const {
  TPoint result = P;
  if (TCustomdxBarControl* bar = BarControl()) result = bar->ScreenToClient(P);
  return {result.X - FItemRect.Left, result.Y - FItemRect.Top};
}

std::function<TdxBarItemControl*(TdxBarItemLink*)> dxBarItemControlFactory;

void TdxBarItemLink::CreateControl() {
  if (FControl || !FItem) return;
  TCustomdxBarControl* bar = BarControl();
  if (dxBarItemControlFactory) {
    FControl = dxBarItemControlFactory(this);
  } else {
    TClass cls = FItem->ControlClass(bar && bar->RotatesText());
    if (cls && cls->CanCreate()) FControl = dynamic_cast<TdxBarItemControl*>(cls->Create(this));
  }
  if (!FControl) return;
  if (!FControl->ItemLink()) FControl->SetItemLink(this);
  if (!FControl->Parent()) FControl->SetParent(bar);
  // The parts that depend on the control's kind (made already when a class reference created the
  // control); a control that cannot finish goes again.
  try {
    FControl->AfterConstruction();
  } catch (...) {
    TdxBarItemControl* control = FControl;
    FControl = nullptr;
    delete control;
    throw;
  }
}

void TdxBarItemLink::FreeControl() {
  TdxBarItemControl* control = FControl;
  FControl = nullptr;
  if (TCustomdxBarControl* bar = control ? BarControl() : nullptr) bar->ItemControlDestroying(control);
  delete control;
}

void TdxBarItemLink::RecreateControl() {
  TdxBarManager* manager = BarManager();
  if (manager && manager->IsLocked()) return;
  if (!FControl) return;
  FreeControl();
  CreateControl();
}

void TdxBarItemLink::TransferGroupStart() {
  TdxBarItemLinks* links = Links();
  if (!links) return;
  int i = CanVisibleIndex();
  if (i < 0 || i + 1 >= links->CanVisibleCount()) return;
  TdxBarItemLink* next = links->CanVisibleLinks(i + 1);
  if (i == 0)
    next->SetBeginGroup(false);
  else if (BeginGroup() && !next->BeginGroup())
    next->SetBeginGroup(true);
}

bool TdxBarItemLink::MatchesAccelerator(WORD Key, TShiftState Shift) const {
  if (Shift.Contains(ssCtrl)) return false;
  char32_t c = dxBarAcceleratorChar(Caption());
  if (c == 0) return false;
  if (c >= '0' && c <= '9') return Key == c && Shift.Empty();
  if (c >= 0x80) return false;
  SHORT vk = VkKeyScan(static_cast<char>(c));
  if (vk == -1) return false;
  return Key == static_cast<WORD>(vk & 0xFF);
}

void TdxBarItemLink::ExecuteCommand(int ACommand) {
  TdxBarDesignController* controller = BarDesignController();
  auto* source = controller ? dynamic_cast<TdxBarItemLink*>(controller->CustomizingItemLink) : nullptr;
  if (!source) source = this;
  switch (ACommand) {
    case 0: SetUserDefine({}); break;
    case 4:
      if (FItem) FItem->SetCaption(source->Caption());
      break;
    case 5: SetUserPaintStyle(source->PaintStyle()); break;
    case 6: SetPosition(source->Position()); break;
    case 7: SetViewLevels(source->ViewLevels()); break;
    case 8: SetButtonGroup(source->ButtonGroup()); break;
    case 9: SetDistributed(source->Distributed()); break;
    case 10: SetBeginGroup(source->BeginGroup()); break;
    case 11: SetVisible(source->Visible()); break;
    case 12: SetMostRecentlyUsed(source->MostRecentlyUsed()); break;
    default: break;
  }
}

// ---- recent use ----

void TdxBarItemLink::MarkUsed(bool ACount) {
  TdxBarItemLinks* links = Links();
  if (!links || !CanShowNow()) return;
  bool wasVisible = VisibleIndex() >= 0;
  if (links->RecentUseAllowed()) {
    links->MoveToRecentFront(this);
    if (ACount) ++FUseCount;
  }
  if (!wasVisible)
    if (TCustomdxBarControl* bar = links->BarControl()) bar->LinksChanged();
  // The mark passes up to the sub-item that owns these links, or to the item whose control opened
  // the popup menu that owns them.
  auto* opener = dynamic_cast<TdxBarItem*>(links->OwnerObject());
  if (auto* popup = dynamic_cast<TdxBarPopupMenu*>(links->OwnerObject())) {
    auto* window = dynamic_cast<TdxBarSubMenuControl*>(links->BarControl());
    TdxBarItemControl* control = window && window->DropDownButton() ? window->DropDownButton() : popup->OwnerItemControl();
    opener = control ? control->Item() : nullptr;
  }
  if (opener)
    if (TdxBarItemLink* active = opener->ActiveLink()) active->ContainerLink()->MarkUsed(ACount);
}

void TdxBarItemLink::ResetUseCount() {
  TdxBarItemLinks* links = Links();
  if (FMostRecentlyUsed) {
    FUseCount = links ? TdxBarItemLinks::RecentUseCount(links->BarManager()) : 0;
    MarkUsed(false);
  } else {
    FUseCount = 0;
    if (!links) return;
    bool shown = VisibleIndex() >= 0;
    links->MoveToRecentEnd(this);
    if (shown)
      if (TCustomdxBarControl* bar = links->BarControl()) bar->LinksChanged();
  }
}

void TdxBarItemLink::MoveToCollection(TCollection* ACollection) { SetCollection(ACollection); }

// ---- assign and streaming ----

void TdxBarItemLink::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarItemLink*>(Source);
  if (!source) return TcxInterfacedCollectionItem::Assign(Source);
  FData = source->FData;
  FUserCaption = source->FUserCaption;
  {
    auto onChange = std::move(FUserGlyph->OnChange);
    FUserGlyph->Assign(source->FUserGlyph);
    FUserGlyph->OnChange = std::move(onChange);
  }
  FUserPaintStyle = source->FUserPaintStyle;
  FUserWidth = source->FUserWidth;
  TdxBarManager* manager = BarManager();
  TdxBarItem* item = source->Item();
  if (item && dxBarIsResettingBar()) {
    // A reset rebuilds from the designed layout: its items are the form's components by name.
    TComponent* form = manager ? manager->Owner() : nullptr;
    item = form ? dynamic_cast<TdxBarItem*>(form->FindComponent(item->Name())) : nullptr;
  } else if (item && manager && manager->IsLoading() && manager != item->BarManager()) {
    item = manager->ItemByName(item->Name());
  }
  // Placing nil frees a link of a collection that had an item; one without keeps the rest.
  const bool freesSelf = !item && FItem && Links();
  SetItem(item);
  if (freesSelf) return;
  TdxBarUserDefines defines = source->FUserDefine;
  FUserDefine = {};
  SetUserDefine(defines);
  SetBeginGroup(source->BeginGroup());
  SetButtonGroup(source->FButtonGroup);
  SetDistributed(source->FDistributed);
  SetPosition(source->FPosition);
  SetViewLevels(source->FViewLevels);
  SetVisible(source->FVisible);
  FMergeSource = TdxBarItemLinks::MergingBar();
}

void TdxBarItemLink::DefineProperties(TFiler* Filer) {
  TcxInterfacedCollectionItem::DefineProperties(Filer);
  auto* ancestor = dynamic_cast<TdxBarItemLink*>(Filer->Ancestor());
  TdxBarItem* item = Item();
  bool hasData;
  if (!ancestor) {
    hasData = item != nullptr;
  } else {
    TdxBarItem* other = ancestor->Item();
    hasData = (item == nullptr) != (other == nullptr) || (item && other && item->Name() != other->Name());
  }
  Filer->DefineProperty(
      "ItemName", [this](TReader* Reader) { FLoadedItemName = Reader->ReadString(); },
      [this](TWriter* Writer) { Writer->WriteString(Item() ? Item()->Name() : String()); }, hasData);
}

String TdxBarItemLink::GetDisplayName() {
  TdxBarItem* item = Item();
  return item ? item->Name() : TcxInterfacedCollectionItem::GetDisplayName();
}

// ---- layout ----

namespace {
// Sets are stored as one binary byte.
void WriteSetByte(TCustomIniFile* AStorage, const String& ASection, const char* AName, std::uint64_t Bits) {
  TMemoryStream bytes;
  auto b = static_cast<BYTE>(Bits);
  bytes.Write(&b, 1);
  bytes.SetPosition(0);
  AStorage->WriteBinaryStream(ASection, AName, &bytes);
}
// The first stored byte; -1 when nothing was read.
int ReadSetByte(TCustomIniFile* AStorage, const String& ASection, const char* AName) {
  TMemoryStream bytes;
  if (AStorage->ReadBinaryStream(ASection, AName, &bytes) <= 0) return -1;
  BYTE b = 0;
  bytes.Read(&b, 1);
  return b;
}
}  // namespace

void TdxBarItemLink::SaveToLayout(TCustomIniFile* AStorage, const String& ASection, bool ARegistry, bool AToolbar,
                                  bool ARecent) {
  AStorage->WriteString(ASection, "ItemName", FItem ? FItem->Name() : String());
  AStorage->WriteBool(ASection, "BeginGroup", FBeginGroup);
  WriteSetByte(AStorage, ASection, "UserDefine", FUserDefine.Bits());
  if (HasUserCaption()) AStorage->WriteString(ASection, "UserCaption", FUserCaption);
  if (FUserDefine.Contains(udPaintStyle))
    AStorage->WriteInteger(ASection, "UserPaintStyle", static_cast<int>(FUserPaintStyle));
  if (HasUserWidth()) AStorage->WriteInteger(ASection, "UserWidth", FUserWidth);
  if (ARegistry && HasUserGlyph()) {
    TMemoryStream bytes;
    FUserGlyph->SaveToStream(&bytes);
    bytes.SetPosition(0);
    AStorage->WriteBinaryStream(ASection, "UserGlyph", &bytes);
  }
  if (AToolbar) {
    AStorage->WriteInteger(ASection, "ButtonGroup", FButtonGroup);
    AStorage->WriteInteger(ASection, "Position", FPosition);
    WriteSetByte(AStorage, ASection, "ViewLevels", FViewLevels.Bits());
    AStorage->WriteBool(ASection, "Visible", FVisible);
  }
  if (ARecent) {
    AStorage->WriteInteger(ASection, "UseCount", FUseCount);
    AStorage->WriteInteger(ASection, "RecentIndex", RecentIndex());
  }
  TdxBarManager* manager = BarManager();
  if (manager && (manager->InternalState() & bmsSavingDesignedLayout))
    AStorage->WriteBool(ASection, "MostRecentlyUsed", FMostRecentlyUsed);
}

bool TdxBarItemLink::LoadFromLayout(TCustomIniFile* AStorage, const String& ASection, bool ARegistry, bool AToolbar,
                                    bool ARecent) {
  String name = AStorage->ReadString(ASection, "ItemName", String());
  if (!name.empty()) {
    TdxBarManager* manager = BarManager();
    TdxBarItem* item = manager ? manager->ItemByName(name) : nullptr;
    // An item the owner would refuse (a layout written for other items) goes like an unknown one,
    // so the links after it still load.
    String refusal;
    TdxBarItemLinks* links = Links();
    if (!item || (links && !links->AcceptsItem(item, refusal))) return false;
    SetItem(item);
  }
  SetBeginGroup(AStorage->ReadBool(ASection, "BeginGroup", false));
  // A damaged value reads as no user values and the rest of the link still loads.
  TdxBarUserDefines defines;
  bool read = false;
  if (!ARegistry) {
    String text = AStorage->ReadString(ASection, "UserDefine", String());
    if (text.size() == 1) {
      if (text[0] >= '0' && text[0] <= '9') defines = TdxBarUserDefines::FromBits(static_cast<unsigned>(text[0] - '0'));
      read = true;
    }
  }
  if (!read) {
    if (int b = ReadSetByte(AStorage, ASection, "UserDefine"); b >= 0) defines = TdxBarUserDefines::FromBits(b & 0x0F);
  }
  String caption = defines.Contains(udCaption) ? AStorage->ReadString(ASection, "UserCaption", String()) : String();
  int paintStyle = defines.Contains(udPaintStyle) ? AStorage->ReadInteger(ASection, "UserPaintStyle", 0) : 0;
  int width = defines.Contains(udWidth) ? AStorage->ReadInteger(ASection, "UserWidth", 100) : 0;
  FUserCaption = caption;
  if (paintStyle >= 0 && paintStyle <= 3) FUserPaintStyle = static_cast<TdxBarPaintStyle>(paintStyle);
  FUserWidth = width;
  if (ARegistry && defines.Contains(udGlyph)) {
    TMemoryStream bytes;
    if (AStorage->ReadBinaryStream(ASection, "UserGlyph", &bytes) > 0) {
      auto onChange = std::move(FUserGlyph->OnChange);
      FUserGlyph->LoadFromStream(&bytes);
      FUserGlyph->OnChange = std::move(onChange);
    }
  }
  FUserDefine = {};
  SetUserDefine(defines);
  if (AToolbar) {
    int group = AStorage->ReadInteger(ASection, "ButtonGroup", FButtonGroup);
    if (group >= 0 && group <= bgpMember) SetButtonGroup(static_cast<TdxBarButtonGroupPosition>(group));
    int position = AStorage->ReadInteger(ASection, "Position", FPosition);
    if (position >= 0 && position <= ipContinuesRow) SetPosition(static_cast<TdxBarItemPosition>(position));
    if (int b = ReadSetByte(AStorage, ASection, "ViewLevels"); b >= 0)
      SetViewLevels(TdxBarItemViewLevels::FromBits(b & 0x0F));
    FLoadedVisible = AStorage->ReadBool(ASection, "Visible", true);
  }
  if (ARecent) {
    FLoadedUseCount = AStorage->ReadInteger(ASection, "UseCount", 0);
    FLoadedRecentIndex = AStorage->ReadInteger(ASection, "RecentIndex", -1);
  }
  return true;
}

// ---- design selection ----

void TdxBarItemLink::DeleteSelected(IdxBarSelectableItem*& AReference, bool) {
  AReference = nullptr;
  delete this;
}

void TdxBarItemLink::AddMasterObjects(TList* AList) {
  if (TCustomdxBarControl* bar = BarControl())
    if (TPersistent* selectable = bar->DesignSelectable(); selectable && AList->IndexOf(selectable) < 0)
      AList->Add(selectable);
  if (FItem && AList->IndexOf(FItem) < 0) AList->Add(FItem);
}

void TdxBarItemLink::NextSelectableObject(IdxBarSelectableItem*& AItem) { AItem = NextLink(); }

TPersistent* TdxBarItemLink::ParentSelectable() {
  TCustomdxBarControl* bar = BarControl();
  return bar ? bar->DesignSelectable() : nullptr;
}

int TdxBarItemLink::SelectionStatus() {
  TdxBarManager* manager = BarManager();
  return manager ? manager->GetSelectionStatus(this) : 0;
}

TdxBarCustomizationActions TdxBarItemLink::AvailableActions() { return FItem ? FItem->AvailableActions() : 0; }

int TdxBarItemLink::LineThickness() const {
  if (FLineThickness > 0) return FLineThickness;
  TCustomdxBarControl* bar = BarControl();
  const bool vertical = bar && bar->IsVertical();
  return vertical ? FItemRect.Right - FItemRect.Left : FItemRect.Bottom - FItemRect.Top;
}

bool TdxBarItemLink::IsSelectedInDesigner() {
  TdxBarManager* manager = BarManager();
  if (!manager) return false;
  return manager->GetSelectionStatus(this) == 1 || (FItem && manager->GetSelectionStatus(FItem) == 1);
}

void TdxBarItemLink::SelectInDesigner(int AOperation) {
  TdxBarManager* manager = BarManager();
  if (!manager) return;
  if (AOperation == 1) manager->SelectComponent(this, AOperation);
  if (FItem) manager->SelectComponent(FItem, AOperation);
}

bool TdxBarItemLink::SelectParent() {
  TdxBarManager* manager = BarManager();
  if (manager) manager->SetSelectedItem(nullptr);
  if (TCustomdxBarControl* bar = BarControl()) bar->SelectControlByKeyboard(nullptr);
  if (manager) manager->SelectComponent(ParentSelectable(), 2);
  return true;
}

void TdxBarItemLink::DesignSelectionChanged() {
  if (FItem) FItem->DesignSelectionChanged();
}

// ---- the collection ------------------------------------------------------------------------------

TdxBarItemLinks::TdxBarItemLinks(TdxBarManager* ABarManager, TObject* AOwnerObject)
    : TCollection(TdxBarItemLink::StaticClass()), FBarManager(ABarManager), FOwnerObject(AOwnerObject) {
  FItemOptions = new TdxBarItemOptions(this);
}

TdxBarItemLinks::~TdxBarItemLinks() {
  FDestroying = true;
  if (TdxBarDesignController* controller = BarDesignController()) controller->LinksDestroying(this);
  BeginUpdate();
  Clear();
  delete FItemOptions;
  if (FBarControl) FreeBarControl();
}

IdxBarLinksOwner* TdxBarItemLinks::LinksOwner() const { return BarLinksOwnerOf(FOwnerObject); }

TComponent* TdxBarItemLinks::OwnerComponent() const {
  if (IdxBarLinksOwner* owner = LinksOwner())
    if (TComponent* c = owner->OwnerComponent()) return c;
  if (auto* c = dynamic_cast<TComponent*>(FOwnerObject)) return c;
  return FBarManager;
}

bool TdxBarItemLinks::OwnerLoading() const {
  TComponent* c = OwnerComponent();
  return c && c->HasState(csLoading);
}

bool TdxBarItemLinks::OwnerDestroying() const {
  if (FDestroying) return true;
  TComponent* c = OwnerComponent();
  return c && c->HasState(csDestroying);
}

void TdxBarItemLinks::FreeBarControl() {
  TCustomdxBarControl* bar = FBarControl;
  FBarControl = nullptr;
  if (!bar) return;
  if (!bar->HasState(csDestroying))
    TObject::Free(bar);
  else if (bar->ItemLinks() == this)
    // Its owner frees it later; by then these links may be gone.
    bar->SetItemLinks(nullptr);
}

void TdxBarItemLinks::CreateBarControl() {
  if (FBarControl) return;
  if (IdxBarLinksOwner* owner = LinksOwner()) FBarControl = owner->CreateSubMenuControl();
}

void TdxBarItemLinks::LinkCreated(TdxBarItemLink* ALink) {
  FRecent.push_back(ALink);
  if (FBarManager && !FBarManager->IsLoading() && FBarManager->OnItemLinkAdd) FBarManager->OnItemLinkAdd(FBarManager, ALink);
}

void TdxBarItemLinks::LinkDestroying(TdxBarItemLink* ALink) {
  if (FBarControl) FBarControl->ItemLinkDestroying(ALink);
  std::erase(FRecent, ALink);
  std::erase(FAvailable, ALink);
  std::erase(FCanVisible, ALink);
  std::erase(FVisibleList, ALink);
  std::erase(FPendingDistribution, ALink);
}

void TdxBarItemLinks::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  // A link joins from its base constructor: the standard update that follows must not read it yet.
  if (Action == cnAdded && UpdateCount() == 0) FSkipAddUpdate = true;
  TCollection::Notify(Item, Action);
}

void TdxBarItemLinks::BeginUpdate() { TCollection::BeginUpdate(); }

void TdxBarItemLinks::EndUpdate() { TCollection::EndUpdate(); }

void TdxBarItemLinks::Update(TCollectionItem* Item) {
  if (FSkipAddUpdate) {
    FSkipAddUpdate = false;
    return;
  }
  if (!Item) RebuildLists();
  if (OwnerDestroying()) return;
  TCollection::Update(Item);
  if (!FInternal && FBarManager) {
    if (dynamic_cast<TdxBarPopupMenu*>(FOwnerObject)) {
      // Popup menus refresh themselves when they show.
    } else {
      FBarManager->SetModified(true);
    }
  }
  if (Item) {
    if (FBarManager) FBarManager->ItemLinkChanged(static_cast<TdxBarItemLink*>(Item));
  } else {
    if (FBarControl && FBarControl->IsWindowEnabled()) FBarControl->RebuildBar(false);
    if (OnChange) OnChange(this);
  }
}

TPersistent* TdxBarItemLinks::GetOwner() { return dynamic_cast<TPersistent*>(FOwnerObject); }

TdxBarItemLink* TdxBarItemLinks::AddItem(TdxBarItem* AItem) {
  TCollectionUpdate bracket(this);
  TdxBarItemLink* link = Add();
  link->SetItem(AItem);
  return AItem ? link : nullptr;
}

TdxBarItemLink* TdxBarItemLinks::AddItemOfClass(TClass ANewItemClass, TdxBarManager* AManager) {
  TdxBarManager* manager = AManager ? AManager : FBarManager;
  TComponent* owner = manager ? manager->Owner() : nullptr;
  auto* item = dynamic_cast<TdxBarItem*>(ANewItemClass->Create(owner));
  if (!item) return nullptr;
  try {
    return AddItem(item);
  } catch (...) {
    TObject::Free(item);
    throw;
  }
}

int TdxBarItemLinks::IndexOf(TdxBarItemLink* ALink) const {
  if (!ALink || ALink->Collection() != this) return -1;
  return ALink->Index();
}

int TdxBarItemLinks::IndexOfItemName(const String& AName) const {
  for (int i = 0; i < Count(); ++i)
    if (TdxBarItem* item = Items(i)->Item(); item && item->Name() == AName) return i;
  return -1;
}

void TdxBarItemLinks::Move(int AFrom, int ATo) {
  if (AFrom < 0 || AFrom >= Count() || ATo < 0 || ATo >= Count() || AFrom == ATo) return;
  {
    TCollectionUpdate bracket(this);
    Items(AFrom)->SetIndex(ATo);
  }
  if (FBarControl) FBarControl->RebuildBar(false);
}

// ---- lists ----

int TdxBarItemLinks::IndexInVisible(const TdxBarItemLink* ALink) const { return IndexIn(FVisibleList, ALink); }
int TdxBarItemLinks::IndexInCanVisible(const TdxBarItemLink* ALink) const { return IndexIn(FCanVisible, ALink); }
int TdxBarItemLinks::IndexInRecent(const TdxBarItemLink* ALink) const { return IndexIn(FRecent, ALink); }

void TdxBarItemLinks::RebuildLists() {
  FAvailable.clear();
  FCanVisible.clear();
  FVisibleList.clear();
  bool designing = FBarManager && FBarManager->IsDesigning();
  for (int i = 0; i < Count(); ++i) {
    TdxBarItemLink* link = Items(i);
    TdxBarItem* item = link->FItem;
    if (!item) continue;
    if (!designing && !item->IsVisibleNow()) continue;
    FAvailable.push_back(link);
    if (!designing && !link->FVisible) continue;
    FCanVisible.push_back(link);
    if (designing || FCollapsedCount == -1) FVisibleList.push_back(link);
  }
  if (!designing && FCollapsedCount > 0) {
    for (TdxBarItemLink* link : FRecent) {
      if (static_cast<int>(FVisibleList.size()) >= FCollapsedCount) break;
      if (IndexIn(FCanVisible, link) >= 0) FVisibleList.push_back(link);
    }
    std::sort(FVisibleList.begin(), FVisibleList.end(), [this](TdxBarItemLink* a, TdxBarItemLink* b) {
      return IndexIn(FCanVisible, a) < IndexIn(FCanVisible, b);
    });
  }
  bool customizing = FBarManager && FBarManager->InCustomizing();
  if (!customizing && !designing && UpdateCount() == 0) {
    std::vector<TdxBarItemLink*> before = FVisibleList;
    for (int i = static_cast<int>(before.size()) - 1; i >= 0; --i) {
      TdxBarItemLink* link = before[static_cast<std::size_t>(i)];
      bool followedBySeparator = i + 1 >= static_cast<int>(before.size()) || IsSeparatorLink(before[static_cast<std::size_t>(i) + 1]);
      if (IsSeparatorLink(link) && followedBySeparator) {
        std::erase(FVisibleList, link);
        std::erase(FCanVisible, link);
      }
    }
  }
}

int TdxBarItemLinks::ShownCount() const {
  if (ShowsAllVisible() || !FBarControl) return VisibleCount();
  TRect client = FBarControl->ClientRect();
  int n = 0;
  for (TdxBarItemLink* link : FVisibleList) {
    const TRect& r = link->ItemRect();
    if (r.Right <= r.Left || r.Bottom <= r.Top || r.Left < client.Left || r.Top < client.Top || r.Right > client.Right ||
        r.Bottom > client.Bottom)
      break;
    ++n;
  }
  return n;
}

namespace {
bool IsSelectableLink(TdxBarItemLink* Link) { return Link->Control() && Link->Control()->IsSelectable(); }
}  // namespace

TdxBarItemLink* TdxBarItemLinks::FirstSelectable() const {
  int n = ShownCount();
  for (int i = 0; i < n; ++i)
    if (IsSelectableLink(FVisibleList[static_cast<std::size_t>(i)])) return FVisibleList[static_cast<std::size_t>(i)];
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::LastSelectable() const {
  for (int i = ShownCount() - 1; i >= 0; --i)
    if (IsSelectableLink(FVisibleList[static_cast<std::size_t>(i)])) return FVisibleList[static_cast<std::size_t>(i)];
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::NextSelectable(TdxBarItemLink* ALink, bool AAny) const {
  int n = ShownCount();
  if (n == 0) return nullptr;
  int start = ALink ? IndexInVisible(ALink) : -1;
  if (start >= n) start = -1;
  for (int step = 1; step <= n; ++step) {
    int i = ((start + step) % n + n) % n;
    TdxBarItemLink* link = FVisibleList[static_cast<std::size_t>(i)];
    if (link == ALink && step == n && ALink) break;
    if (AAny || IsSelectableLink(link)) return link;
  }
  return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::PriorSelectable(TdxBarItemLink* ALink, bool AAny) const {
  int n = ShownCount();
  if (n == 0) return nullptr;
  int start = ALink ? IndexInVisible(ALink) : n;
  if (start < 0 || start >= n) start = n;
  for (int step = 1; step <= n; ++step) {
    int i = ((start - step) % n + n) % n;
    TdxBarItemLink* link = FVisibleList[static_cast<std::size_t>(i)];
    if (link == ALink && step == n && ALink) break;
    if (AAny || IsSelectableLink(link)) return link;
  }
  return nullptr;
}

void TdxBarItemLinks::ClearItemRects() {
  for (int i = 0; i < Count(); ++i) Items(i)->FItemRect = {};
}

bool TdxBarItemLinks::HasControl(TdxBarItemControl* AControl) const {
  if (!AControl) return false;
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Control() == AControl) return true;
  return false;
}

bool TdxBarItemLinks::ContainsOwner(TObject* AOwner) const { return Reaches(AOwner, nullptr); }

bool TdxBarItemLinks::ContainsLinks(const TdxBarItemLinks* ALinks) const { return Reaches(nullptr, ALinks); }

bool TdxBarItemLinks::Reaches(TObject* AOwner, const TdxBarItemLinks* ALinks) const {
  // Walks the sub-menus below these links, each collection once.
  std::vector<const TdxBarItemLinks*> seen{this};
  for (std::size_t k = 0; k < seen.size(); ++k) {
    const TdxBarItemLinks* links = seen[k];
    if (links == ALinks) return true;
    for (int i = 0; i < links->Count(); ++i) {
      TdxBarItem* item = links->Items(i)->Item();
      if (!item) continue;
      if (AOwner && item == AOwner) return true;
      if (TdxBarItemLinks* sub = item->ItemLinks(); sub && std::find(seen.begin(), seen.end(), sub) == seen.end())
        seen.push_back(sub);
    }
  }
  return false;
}

TdxBarItemLinks* TdxBarItemLinks::ParentMenuLinks() const {
  if (!FBarControl) return nullptr;
  TCustomdxBarControl* parent = FBarControl->ParentBar();
  return parent ? parent->ItemLinks() : nullptr;
}

// ---- accelerators and shortcuts ----

bool TdxBarItemLinks::ShowsAllVisible() const { return !dynamic_cast<TdxBar*>(FOwnerObject); }

TdxBarItemLink* TdxBarItemLinks::FindAcceleratorNoAlt(WORD Key, TShiftState Shift, TdxBarItemLink* AStart) {
  Shift.Exclude(ssAlt);
  return FindAccelerator(Key, Shift, AStart);
}

TdxBarItemLink* TdxBarItemLinks::CycleAccelerator(const std::vector<TdxBarItemLink*>& Candidates, WORD Key,
                                                  TShiftState Shift, TdxBarItemLink* AStart, bool ARequireReachable) {
  int n = static_cast<int>(Candidates.size());
  if (n == 0) return nullptr;
  int start = AStart ? IndexIn(Candidates, AStart) : -1;
  for (int step = 1; step <= n; ++step) {
    TdxBarItemLink* link = Candidates[static_cast<std::size_t>((start + step) % n)];
    if (ARequireReachable && !(link->Item() && link->Item()->IsReachable(link))) continue;
    if (link->MatchesAccelerator(Key, Shift)) return link;
  }
  return nullptr;
}

TdxBarItemLink* TdxBarControlItemLinks::FindAccelerator(WORD Key, TShiftState Shift, TdxBarItemLink* AStart) {
  TCustomdxBarControl* bar = BarControl();
  if (!bar || !bar->Visible()) return nullptr;
  std::vector<TdxBarItemLink*> candidates;
  int n = ShownCount();
  for (int i = 0; i < n; ++i)
    if (IsSelectableLink(VisibleLinks(i))) candidates.push_back(VisibleLinks(i));
  return CycleAccelerator(candidates, Key, Shift, AStart, true);
}

TdxBarItemLink* TdxBarSubMenuControlItemLinks::FindAccelerator(WORD Key, TShiftState Shift, TdxBarItemLink* AStart) {
  std::vector<TdxBarItemLink*> candidates;
  for (int i = 0; i < CanVisibleCount(); ++i) candidates.push_back(CanVisibleLinks(i));
  return CycleAccelerator(candidates, Key, Shift, AStart, false);
}

void TdxBarItemLinks::UpdateActions() {
  for (int i = 0; i < Count(); ++i)
    if (TdxBarItem* item = Items(i)->Item())
      if (TBasicAction* action = item->Action()) action->Update();
}

bool TdxBarItemLinks::OfferShortCut(TShortCut AShortCut) {
  if (AShortCut == 0) return false;
  UpdateActions();
  // A handler may change the lists: walk a copy.
  std::vector<TdxBarItemLink*> available = FAvailable;
  for (TdxBarItemLink* link : available)
    if (TdxBarItem* item = link->Item(); item && item->HandleShortCut(AShortCut)) return true;
  return false;
}

// ---- options ----

void TdxBarItemLinks::DefaultOption(TdxBarItemOptionValue AOption, int& AValue) const {
  AValue = AOption == ioShowShortCuts ? 1 : 0;
}

void TdxBarItemLinks::ResolveOption(TdxBarItemOptionValue AOption, TdxBarItemLinks* ARequester, int& AValue) const {
  TdxBarItemLinks* parent = ParentMenuLinks();
  if (FItemOptions->AssignedValues().Contains(AOption) || !parent || parent == this) {
    AValue = FItemOptions->AssignedValues().Contains(AOption) ? FItemOptions->OwnValue(AOption) : 0;
    if (!FItemOptions->AssignedValues().Contains(AOption)) DefaultOption(AOption, AValue);
    return;
  }
  parent->ResolveOption(AOption, ARequester, AValue);
}

bool TdxBarItemLinks::AcceptsItem(TdxBarItem* AItem, String& AErrorText) {
  if (IdxBarLinksOwner* owner = LinksOwner()) return owner->AcceptsItem(AItem, AErrorText);
  return dxBarAcceptsItemOn(this, AItem, AErrorText);
}

// ---- recent use ----

int TdxBarItemLinks::RecentUseCount(TdxBarManager* Manager) { return Manager ? Manager->MostRecentItemsThreshold() : 0; }

bool TdxBarItemLinks::RecentUseAllowed() const {
  if (!FBarManager || !FBarManager->IsRecentItemsActive() || !FUseRecentItems) return false;
  TdxBarItemLinks* parent = ParentMenuLinks();
  return !parent || parent == this || parent->RecentUseAllowed();
}

int TdxBarItemLinks::RecentCutoff() const {
  if (!RecentUseAllowed() || FCanVisible.empty()) return -1;
  int lo = FCanVisible.front()->UseCount(), hi = lo;
  for (TdxBarItemLink* link : FCanVisible) {
    lo = std::min(lo, link->UseCount());
    hi = std::max(hi, link->UseCount());
  }
  int threshold = lo + MulDiv(hi - lo, 100 - FBarManager->MostRecentItemsPercents(), 100);
  int count = static_cast<int>(FCanVisible.size());
  int cutoff = 0;
  for (int i = std::min(count, RecentCount()) - 1; i >= 0; --i) {
    TdxBarItemLink* link = FRecent[static_cast<std::size_t>(i)];
    // Links a container generated leave the collection while expanded but keep their recency.
    if (link->Collection() == this && link->UseCount() >= threshold) {
      cutoff = i + 1;
      break;
    }
  }
  return cutoff == count ? -1 : cutoff;
}

void TdxBarItemLinks::SetCollapsedCount(int ACount) {
  if (!RecentUseAllowed()) ACount = -1;
  FPrevCollapsedCount = FCollapsedCount;
  if (ACount == FCollapsedCount) return;
  FCollapsedCount = ACount;
  RebuildLists();
}

void TdxBarItemLinks::RestoreCollapsedCount() {
  FCollapsedCount = FPrevCollapsedCount;
  RebuildLists();
}

void TdxBarItemLinks::CompactRecent() {
  auto first = std::find_if(FRecent.begin(), FRecent.end(), [this](TdxBarItemLink* l) { return IndexIn(FCanVisible, l) < 0; });
  std::stable_partition(first, FRecent.end(), [this](TdxBarItemLink* l) { return IndexIn(FCanVisible, l) >= 0; });
}

void TdxBarItemLinks::MoveToRecentFront(TdxBarItemLink* ALink) { MoveToRecentPosition(ALink, 0); }

void TdxBarItemLinks::MoveToRecentEnd(TdxBarItemLink* ALink) {
  std::erase(FRecent, ALink);
  FRecent.push_back(ALink);
}

void TdxBarItemLinks::MoveToRecentPosition(TdxBarItemLink* ALink, int APosition) {
  std::erase(FRecent, ALink);
  APosition = std::clamp(APosition, 0, static_cast<int>(FRecent.size()));
  FRecent.insert(FRecent.begin() + APosition, ALink);
}

bool TdxBarItemLinks::IsDistributionPending(const TdxBarItemLink* ALink) const {
  return IndexIn(FPendingDistribution, ALink) >= 0;
}

// ---- merging ----

void TdxBarItemLinks::Merge(TdxBarItemLinks* ASource, TdxBar* AMergingBar) {
  // Merging a collection into itself would walk what it inserts and never end.
  if (!ASource || ASource == this) return;
  TdxBar* savedBar = FMergingBar;
  if (AMergingBar) FMergingBar = AMergingBar;
  struct Restore {
    TdxBar*& Ref;
    TdxBar* Saved;
    ~Restore() { Ref = Saved; }
  } restore{FMergingBar, savedBar};
  std::vector<TdxBarItemLink*> sources;
  for (int i = 0; i < ASource->Count(); ++i) sources.push_back(ASource->Items(i));
  for (TdxBarItemLink* source : sources) {
    if (ASource->IndexOf(source) < 0) continue;
    TdxBarItem* item = source->Item();
    if (!item) continue;
    TdxBarItemMergeKind kind = item->MergeKind();
    int index = -1;
    if (kind == mkMergeByCaption) {
      for (int i = Count() - 1; i >= 0; --i) {
        TdxBarItem* target = Items(i)->Item();
        if (target && target->MergeKind() == mkMergeByCaption && target->Caption() == item->Caption() &&
            target->IsMergeableWith(item) && item->IsMergeableWith(target)) {
          index = i;
          break;
        }
      }
    }
    if (kind != mkNone && !(kind == mkMergeByCaption && index >= 0)) {
      kind = mkAdd;
      index = 0;
      int best = -1;
      for (int i = 0; i < Count(); ++i) {
        TdxBarItem* target = Items(i)->Item();
        if (!target || target->MergeOrder() > item->MergeOrder()) continue;
        if (best < 0 || target->MergeOrder() >= Items(best)->Item()->MergeOrder()) best = i;
      }
      if (best >= 0) index = best + 1;
    }
    if (FBarManager && FBarManager->OnMergeItemLink) FBarManager->OnMergeItemLink(FBarManager, this, ASource, source, kind, index);
    if (index < 0) kind = mkNone;
    if (kind == mkMergeByCaption && (index >= Count() || !Items(index)->Item() || !Items(index)->Item()->IsMergeableWith(item)))
      kind = mkNone;
    if (kind == mkAdd && index > Count()) kind = mkNone;
    if (kind == mkMergeByCaption) {
      TdxBarItemLinks* target = Items(index)->Item()->ItemLinks();
      TdxBarItemLinks* from = item->ItemLinks();
      if (target && from && target != from) target->Merge(from);
    } else if (kind == mkAdd) {
      TdxBarItemLink* link = Insert(index);
      link->Assign(source);
    }
  }
}

void TdxBarItemLinks::Unmerge(TdxBar* ABar) {
  for (int i = Count() - 1; i >= 0; --i) {
    if (i >= Count()) continue;
    TdxBarItemLink* link = Items(i);
    if (link->IsMerged() && (!ABar || link->MergeSource() == ABar)) {
      delete link;
    } else if (TdxBarItem* item = link->Item()) {
      if (TdxBarItemLinks* sub = item->ItemLinks(); sub && sub != this) sub->Unmerge(ABar);
    }
  }
}

// ---- assign ----

void TdxBarItemLinks::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarItemLinks*>(Source);
  if (!source) return TCollection::Assign(Source);
  TdxBarItem* systemItem = nullptr;
  if (Count() > 0 && Items(0)->Item() && Items(0)->Item()->InheritsFrom(TSystemMenuSubItem::StaticClass()))
    systemItem = Items(0)->Item();
  {
    TCollectionUpdate bracket(this);
    FAssigning = true;
    try {
      Clear();
      for (int i = 0; i < source->Count(); ++i) {
        TdxBarItemLink* from = source->Items(i);
        Add()->Assign(from);
      }
    } catch (...) {
      FAssigning = false;
      throw;
    }
    FAssigning = false;
    for (int i = 0; i < Count(); ++i) Items(i)->WriteVisible(Items(i)->FLoadedVisible);
    if (systemItem) AddItem(systemItem)->SetIndex(0);
  }
}

// ---- streaming and layout ----

void TdxBarItemLinks::ResolveLoadedNames() {
  for (int i = Count() - 1; i >= 0; --i) {
    TdxBarItemLink* link = Items(i);
    if (link->FLoadedItemName.empty()) continue;
    String name = link->FLoadedItemName;
    link->FLoadedItemName.clear();
    TdxBarItem* item = FBarManager ? FBarManager->ItemByName(name) : nullptr;
    if (item) link->SetItem(item);
  }
  AfterLoad(true);
}

void TdxBarItemLinks::AfterLoad(bool ARestoreVisible) {
  for (int i = Count() - 1; i >= 0; --i) Items(i)->ResetUseCount();
  if (ARestoreVisible)
    for (int i = 0; i < Count(); ++i) Items(i)->WriteVisible(Items(i)->FLoadedVisible);
  // Stored positions count links the layout did not keep (unnamed, merged): they are taken in
  // rising order, each as far forward as the list allows.
  std::vector<int> positions;
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->FLoadedRecentIndex >= 0) positions.push_back(Items(i)->FLoadedRecentIndex);
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  for (int position : positions)
    for (int i = 0; i < Count(); ++i) {
      TdxBarItemLink* link = Items(i);
      if (link->FLoadedRecentIndex != position) continue;
      link->FUseCount = link->FLoadedUseCount;
      MoveToRecentPosition(link, position);
      link->FLoadedRecentIndex = -1;
    }
  RebuildLists();
  if (FBarControl) FBarControl->CreateControls();
}

namespace {
String LinkSection(const String& ASection, bool ARegistry, int K) {
  return ASection + LayoutSeparator(ARegistry) + "ItemLink" + IntToStr(K);
}
}  // namespace

void TdxBarItemLinks::SaveToLayout(TCustomIniFile* AStorage, const String& ASection, bool ARegistry) {
  bool recent = FBarManager && FBarManager->ResolvedStyle() != bmsStandard && FUseRecentItems;
  std::vector<TdxBarItemLink*> stored;
  for (int i = 0; i < Count(); ++i)
    if (TdxBarItemLink* link = Items(i); link->Item() && !link->Item()->Name().empty() && !link->IsMerged())
      stored.push_back(link);
  for (std::size_t k = 0; k < stored.size(); ++k)
    stored[k]->SaveToLayout(AStorage, LinkSection(ASection, ARegistry, static_cast<int>(k)), ARegistry,
                            IsToolbarLinks(), recent);
  // The count comes last, as stored layouts have it: a sub-menu's section, which holds nothing
  // else, follows its link sections in an INI text.
  AStorage->WriteInteger(ASection, "ItemLinkCount", static_cast<int>(stored.size()));
}

void TdxBarItemLinks::LoadFromLayout(TCustomIniFile* AStorage, const String& ASection, bool ARegistry,
                                     const std::vector<String>* ANewItemNames) {
  bool recent = FBarManager && FBarManager->ResolvedStyle() != bmsStandard && FUseRecentItems;
  {
    TCollectionUpdate bracket(this);
    std::vector<TdxBarItemLink*> kept;
    if (ANewItemNames && !ANewItemNames->empty()) {
      // Predecessors as the list stood before anything was deleted.
      std::vector<String> before;
      for (int i = 0; i < Count(); ++i) before.push_back(Items(i)->Item() ? Items(i)->Item()->Name() : String());
      for (int i = Count() - 1; i >= 0; --i) {
        TdxBarItemLink* link = Items(i);
        TdxBarItem* item = link->Item();
        bool isNew = item && std::any_of(ANewItemNames->begin(), ANewItemNames->end(),
                                         [&](const String& n) { return SameText(n, item->Name()); });
        if (!isNew) {
          delete link;
          continue;
        }
        link->FMergeSource = nullptr;
        link->FPrecedingItemName = i > 0 ? before[static_cast<std::size_t>(i) - 1] : String();
        kept.insert(kept.begin(), link);
      }
    } else {
      Clear();
    }
    // A huge stored count ends at the first missing section.
    int stored = AStorage->ReadInteger(ASection, "ItemLinkCount", 0);
    int count = 0;
    while (count < stored && AStorage->SectionExists(LinkSection(ASection, ARegistry, count))) ++count;
    for (int k = count - 1; k >= 0; --k) {
      TdxBarItemLink* link = Insert(0);
      if (!link->LoadFromLayout(AStorage, LinkSection(ASection, ARegistry, k), ARegistry, IsToolbarLinks(), recent))
        delete link;
    }
    for (TdxBarItemLink* link : kept) {
      if (link->FPrecedingItemName.empty()) {
        link->SetIndex(0);
        continue;
      }
      int at = IndexOfItemName(link->FPrecedingItemName);
      if (at < 0) {
        for (int i = 0; i < Count(); ++i)
          if (Items(i)->Item() && SameText(Items(i)->Item()->Name(), link->FPrecedingItemName)) {
            at = i;
            break;
          }
      }
      if (at >= 0) {
        int from = link->Index();
        link->SetIndex(from > at ? at + 1 : at);
      }
      link->FPrecedingItemName.clear();
    }
  }
  RebuildLists();
  AfterLoad(true);
}

void TdxBarItemLinks::LoadRecentUse(TCustomIniFile* AStorage, const String& ASection, bool ARegistry) {
  int stored = AStorage->ReadInteger(ASection, "ItemLinkCount", 0);
  for (int k = 0; k < std::min(stored, Count()); ++k)
    Items(k)->FMostRecentlyUsed = AStorage->ReadBool(LinkSection(ASection, ARegistry, k), "MostRecentlyUsed", true);
  AfterLoad(false);
  CompactRecent();
}

void TdxBarItemLinks::LoadSubItemLayouts(TCustomIniFile* AStorage, const String& ASectionBase, bool ARegistry) {
  for (int i = 0; i < Count(); ++i)
    if (TdxBarItem* item = Items(i)->Item()) item->RestoreSubItemLayout(AStorage, ASectionBase, ARegistry);
}
