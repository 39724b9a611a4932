#include "ui/bars/BarCategories.h"

#include <algorithm>

#include "platform/classes/Filer.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarStrings.h"
#include "ui/controls/LibraryStrings.h"

using namespace dxBarStrs;

namespace {
// Where items are parked while a category moves past the others.
constexpr int kParkedCategory = -1000;

bool LinkShows(TdxBarManager* Manager, TdxBarItemLink* Link) {
  TdxBarItem* item = Link->Item();
  if (!item) return false;
  return item->Visible() == ivAlways || (item->Visible() == ivInCustomizing && Manager->InCustomizing());
}

bool BarShowsLinks(TdxBarManager* Manager, TdxBar* Bar) {
  TdxBarItemLinks* links = Bar->ItemLinks();
  for (int i = 0; i < links->Count(); ++i)
    if (LinkShows(Manager, links->Items(i))) return true;
  return false;
}
}  // namespace

TdxBarManagerCategories::TdxBarManagerCategories(TdxBarManager* ABarManager) : FBarManager(nullptr) {
  // A new manager is not modified by its first category.
  if (!ABarManager || !ABarManager->IsLoading()) Add(cxGetResourceString(dxSBAR_DEFAULTCATEGORYNAME));
  FBarManager = ABarManager;
}

TdxBarManagerCategories::~TdxBarManagerCategories() {
  for (int i = 0; i < Count(); ++i) delete Objects(i);
}

void TdxBarManagerCategories::Changed() {
  TStringList::Changed();
  if (FBarManager && UpdateCount() == 0) FBarManager->DesignerModified();
}

TdxBarCategoryData* TdxBarManagerCategories::Data(int Index) {
  return ValidIndex(Index) ? static_cast<TdxBarCategoryData*>(Objects(Index)) : nullptr;
}

TdxBarCategoryData* TdxBarManagerCategories::NeedData(int Index) {
  TdxBarCategoryData* data = Data(Index);
  if (!data) {
    data = new TdxBarCategoryData;
    TStringList::PutObject(Index, data);
  }
  return data;
}

void TdxBarManagerCategories::Assign(TPersistent* Source) {
  auto* strings = dynamic_cast<TStrings*>(Source);
  if (!strings) {
    TStringList::Assign(Source);
    return;
  }
  auto* categories = dynamic_cast<TdxBarManagerCategories*>(Source);
  BeginUpdate();
  try {
    Clear();
    for (int i = 0; i < strings->Count(); ++i) {
      TdxBarCategoryData* data = nullptr;
      if (TdxBarCategoryData* from = categories ? categories->Data(i) : nullptr) {
        data = new TdxBarCategoryData;
        data->ItemsVisible = from->ItemsVisible;
        data->LoadedItemsVisible = from->LoadedItemsVisible;
        data->Visible = from->Visible;
      }
      TStringList::InsertItem(Count(), strings->Strings(i), data);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::vector<TdxBarItem*> TdxBarManagerCategories::CategoryItems(int Index) {
  std::vector<TdxBarItem*> items;
  if (!FBarManager) return items;
  for (int i = 0; i < FBarManager->ItemCount(); ++i)
    if (TdxBarItem* item = FBarManager->Items(i); item->Category() == Index) items.push_back(item);
  return items;
}

std::vector<TdxBarItem*> TdxBarManagerCategories::VisibleCategoryItems(int Index) {
  std::vector<TdxBarItem*> items = CategoryItems(Index);
  if (FBarManager && !FBarManager->IsDesigning())
    std::erase_if(items, [this](TdxBarItem* Item) {
      return !(Item->Visible() == ivAlways || (Item->Visible() == ivInCustomizing && FBarManager->InCustomizing()));
    });
  return items;
}

int TdxBarManagerCategories::VisibleCategoryIndex(int N) {
  if (FBarManager && FBarManager->IsDesigning()) return N;
  for (int i = 0; i < Count(); ++i)
    if (Visible(i) && N-- == 0) return i;
  return -1;
}

void TdxBarManagerCategories::SetIndexes(int Category, int NewIndex) {
  for (TdxBarItem* item : CategoryItems(Category)) item->SetCategoryIndex(NewIndex);
}

void TdxBarManagerCategories::ReassignCategory(int FromIndex, int ToIndex) {
  if (!ValidIndex(FromIndex) || ToIndex < 0) return;
  SetIndexes(FromIndex, ToIndex);
}

void TdxBarManagerCategories::Clear() {
  for (int i = 0; i < Count(); ++i) {
    delete Objects(i);
    TStringList::PutObject(i, nullptr);
  }
  TStringList::Clear();
}

void TdxBarManagerCategories::InsertObject(int Index, const String& S, TObject* AObject) {
  if (!FMoving && Index >= 0 && Index < Count())
    for (int i = Count() - 1; i >= Index; --i) SetIndexes(i, i + 1);
  TStringList::InsertObject(Index, S, AObject);
}

void TdxBarManagerCategories::Delete(int Index) {
  if (FMoving) {
    TStringList::Delete(Index);
    return;
  }
  if (!ValidIndex(Index)) return;
  for (TdxBarItem* item : CategoryItems(Index)) TObject::Free(item);
  for (int i = Index + 1; i < Count(); ++i) SetIndexes(i, i - 1);
  delete Objects(Index);
  TStringList::PutObject(Index, nullptr);
  TStringList::Delete(Index);
  if (Count() == 0) Add(cxGetResourceString(dxSBAR_DEFAULTCATEGORYNAME));
}

void TdxBarManagerCategories::Exchange(int Index1, int Index2) {
  if (!ValidIndex(Index1) || !ValidIndex(Index2)) return;
  // Setting a category moves the item in the manager's list: both sets are taken first.
  const std::vector<TdxBarItem*> first = CategoryItems(Index1);
  const std::vector<TdxBarItem*> second = CategoryItems(Index2);
  for (TdxBarItem* item : first) item->SetCategory(Index2);
  for (TdxBarItem* item : second) item->SetCategory(Index1);
  TStringList::Exchange(Index1, Index2);
}

void TdxBarManagerCategories::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex || !ValidIndex(CurIndex) || !ValidIndex(NewIndex)) return;
  SetIndexes(CurIndex, kParkedCategory);
  if (CurIndex < NewIndex)
    for (int i = CurIndex + 1; i <= NewIndex; ++i) SetIndexes(i, i - 1);
  else
    for (int i = CurIndex - 1; i >= NewIndex; --i) SetIndexes(i, i + 1);
  SetIndexes(kParkedCategory, NewIndex);
  FMoving = true;
  try {
    TStringList::Move(CurIndex, NewIndex);
  } catch (...) {
    FMoving = false;
    throw;
  }
  FMoving = false;
}

void TdxBarManagerCategories::CustomSort(const TStringListSortCompare& Compare) {
  if (Sorted() || Count() < 2 || !Compare) return;
  if (FBarManager) FBarManager->BeginUpdate();
  BeginUpdate();
  try {
    // Exchanging through the categories keeps every item's category index in step.
    QuickSort(0, Count() - 1, Compare, [this](int a, int b) { Exchange(a, b); });
  } catch (...) {
    EndUpdate();
    if (FBarManager) FBarManager->EndUpdate();
    throw;
  }
  EndUpdate();
  if (FBarManager) FBarManager->EndUpdate();
}

// ---- visibility ---------------------------------------------------------------------------------

TdxBarItemVisible TdxBarManagerCategories::ItemsVisible(int Index) {
  TdxBarCategoryData* data = Data(Index);
  return data ? data->ItemsVisible : ivAlways;
}

bool TdxBarManagerCategories::Visible(int Index) {
  TdxBarCategoryData* data = Data(Index);
  return data ? data->Visible : true;
}

void TdxBarManagerCategories::SetVisible(int Index, bool Value) {
  if (!ValidIndex(Index)) return;
  TdxBarCategoryData* data = NeedData(Index);
  if (data->Visible == Value) return;
  data->Visible = Value;
  if (FBarManager) FBarManager->DesignerModified();
}

void TdxBarManagerCategories::SetItemsVisible(int Index, TdxBarItemVisible Value) {
  if (!ValidIndex(Index)) return;
  TdxBarCategoryData* data = NeedData(Index);
  if (FBarManager && FBarManager->IsLoading()) {
    data->LoadedItemsVisible = Value;
    return;
  }
  const TdxBarItemVisible previous = data->ItemsVisible;
  data->ItemsVisible = Value;
  if (FBarManager && !FBarManager->IsDesigning()) {
    TdxBarManager* manager = FBarManager;
    TdxBars* bars = manager->Bars();
    std::vector<bool> shownBefore;
    if (manager->AutoHideEmptyBars())
      for (int i = 0; i < bars->Count(); ++i) shownBefore.push_back(BarShowsLinks(manager, bars->Items(i)));
    manager->BeginUpdate();
    try {
      std::vector<TdxBarItem*> items = CategoryItems(Index);
      // Showing goes from the last item, as the items' own unit expects when they come back.
      if (Value == ivAlways) std::reverse(items.begin(), items.end());
      for (TdxBarItem* item : items)
        if (item->Visible() == previous) item->SetVisible(Value);
      if (manager->AutoHideEmptyBars())
        for (int i = 0; i < bars->Count(); ++i) {
          TdxBar* bar = bars->Items(i);
          const bool shows = BarShowsLinks(manager, bar);
          if (Value == ivNever && !shows && i < static_cast<int>(shownBefore.size()) && shownBefore[i]) {
            bar->SetVisible(false);
            bar->SetHiddenAsEmpty(true);
          } else if (Value == ivAlways && shows && bar->HiddenAsEmpty()) {
            bar->SetVisible(true);
            bar->SetHiddenAsEmpty(false);
          }
        }
    } catch (...) {
      manager->EndUpdate();
      throw;
    }
    manager->EndUpdate();
  }
  if (previous != Value && FBarManager) FBarManager->DesignerModified();
}

void TdxBarManagerCategories::ApplyLoadedVisibility(int Index) {
  if (TdxBarCategoryData* data = Data(Index)) SetItemsVisible(Index, data->LoadedItemsVisible);
}

// ---- form descriptions --------------------------------------------------------------------------

void TdxBarManagerCategories::DefineProperties(TFiler* Filer) {
  TStringList::DefineProperties(Filer);
  Filer->DefineProperty(
      "ItemsVisibles", [this](TReader* Reader) { ReadItemsVisibles(Reader); },
      [this](TWriter* Writer) { WriteItemsVisibles(Writer); }, true);
  Filer->DefineProperty(
      "Visibles", [this](TReader* Reader) { ReadVisibles(Reader); },
      [this](TWriter* Writer) { WriteVisibles(Writer); }, true);
}

// Both readers read to the list's end: a form with more values than categories stays readable.
void TdxBarManagerCategories::ReadItemsVisibles(TReader* Reader) {
  Reader->ReadListBegin();
  for (int i = 0; !Reader->EndOfList(); ++i) {
    const int value = Reader->ReadInteger();
    if (i < Count() && value >= ivNever && value <= ivAlways) SetItemsVisible(i, static_cast<TdxBarItemVisible>(value));
  }
  Reader->ReadListEnd();
}

void TdxBarManagerCategories::WriteItemsVisibles(TWriter* Writer) {
  Writer->WriteListBegin();
  for (int i = 0; i < Count(); ++i) Writer->WriteInteger(ItemsVisible(i));
  Writer->WriteListEnd();
}

void TdxBarManagerCategories::ReadVisibles(TReader* Reader) {
  Reader->ReadListBegin();
  for (int i = 0; !Reader->EndOfList(); ++i) {
    const bool value = Reader->ReadBoolean();
    if (i < Count()) SetVisible(i, value);
  }
  Reader->ReadListEnd();
}

void TdxBarManagerCategories::WriteVisibles(TWriter* Writer) {
  Writer->WriteListBegin();
  for (int i = 0; i < Count(); ++i) Writer->WriteBoolean(Visible(i));
  Writer->WriteListEnd();
}
