#include "ui/foundation/RegisteredClasses.h"

#include "platform/classes/TypInfo.h"

// ---- TcxRegisteredClassList ---------------------------------------------------------------------

TcxRegisteredClassList::~TcxRegisteredClassList() { ClearPairs(); }

void TcxRegisteredClassList::ClearPairs() { FItems.Clear(); }

bool TcxRegisteredClassList::LocateItemClass(TClass AClass, int& Index) {
  Index = -1;
  for (int i = EntryCount() - 1; i >= 0; --i) {
    TClass itemClass = ItemAt(i)->ItemClass;
    if (AClass->InheritsFrom(itemClass)) {
      Index = i;
      return true;
    }
    if (itemClass->InheritsFrom(AClass)) Index = i;
  }
  return false;
}

TClass TcxRegisteredClassList::LookupRegisteredClass(TClass ItemClass) {
  int index;
  return LocateItemClass(ItemClass, index) ? ItemAt(index)->RegisteredClass : nullptr;
}

void TcxRegisteredClassList::InsertPair(TClass ItemClass, TClass RegisteredClass) {
  auto* pair = new TcxRegisteredClassListItemData;
  pair->ItemClass = ItemClass;
  pair->RegisteredClass = RegisteredClass;
  int index;
  if (LocateItemClass(ItemClass, index))
    FItems.Insert(index + 1, pair);
  else if (index >= 0)
    FItems.Insert(index, pair);
  else
    FItems.Add(pair);
}

void TcxRegisteredClassList::DropPairs(TClass ItemClass, TClass RegisteredClass) {
  for (int i = EntryCount() - 1; i >= 0; --i) {
    TcxRegisteredClassListItemData* pair = ItemAt(i);
    if (pair->ItemClass == ItemClass && pair->RegisteredClass == RegisteredClass) FItems.FreeAndDelete(i);
  }
}

// ---- TcxRegisteredClassesStringList -------------------------------------------------------------

// A class reference is no object; it travels through the list's object slot and is only turned
// back into a class reference here.
TClass TcxRegisteredClassesStringList::ClassAt(int Index) { return reinterpret_cast<TClass>(Objects(Index)); }

void TcxRegisteredClassesStringList::AddClass(const String& Description, TClass AClass) {
  AddObject(Description, reinterpret_cast<TObject*>(const_cast<TMetaClass*>(AClass)));
}

void TcxRegisteredClassesStringList::SortByOwner() {
  CustomSort([this](TStringList*, int Index1, int Index2) { return FOwner->CompareDescriptions(Index1, Index2); });
}

String CaptionOfDescription(const String& Description) {
  const auto bar = Description.find('|');
  return bar == String::npos ? Description : Description.substr(0, bar);
}

// ---- TcxRegisteredClasses -----------------------------------------------------------------------

TcxRegisteredClasses::TcxRegisteredClasses(bool RegisterClasses)
    : FItems(new TcxRegisteredClassesStringList(this)), FRegisterClasses(RegisterClasses) {}

TcxRegisteredClasses::~TcxRegisteredClasses() { FreeAndNil(FItems); }

void TcxRegisteredClasses::AddClass(TClass AClass, const String& Description) {
  if (IndexOfClass(AClass) >= 0) return;
  FItems->AddClass(Description, AClass);
  if (FSorted) SortByDescription();
  if (FRegisterClasses) RegisterClass(AClass);
}

void TcxRegisteredClasses::RemoveClass(TClass AClass) {
  const int index = IndexOfClass(AClass);
  if (index >= 0) FItems->Delete(index);
}

TClass TcxRegisteredClasses::LookupByClassName(const String& Name) {
  for (int i = 0; i < ItemCount(); ++i)
    if (ClassAt(i)->ClassName() == Name) return ClassAt(i);
  return nullptr;
}

int TcxRegisteredClasses::IndexOfClass(TClass AClass) const {
  for (int i = 0; i < ItemCount(); ++i)
    if (ClassAt(i) == AClass) return i;
  return -1;
}

void TcxRegisteredClasses::ApplySorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  if (FSorted) SortByDescription();
}

int TcxRegisteredClasses::CompareDescriptions(int Index1, int Index2) {
  return AnsiCompareText(CaptionAt(Index1), CaptionAt(Index2));
}

void TcxRegisteredClasses::SortByDescription() { FItems->SortByOwner(); }
