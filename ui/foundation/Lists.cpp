#include "ui/foundation/Lists.h"

TcxObjectList::~TcxObjectList() { Clear(); }

void TcxObjectList::Clear() {
  if (FOwnObjects)
    for (int i = 0; i < Count(); ++i) {
      TObject* obj = ItemAt(i);
      // Cleared before the free, so an object that looks itself up while dying finds nothing.
      SetItems(i, nullptr);
      TObject::Free(obj);
    }
  TList::Clear();
}

void TcxObjectList::FreeAndDelete(int Index) {
  TObject* obj = ItemAt(Index);
  Delete(Index);
  TObject::Free(obj);
}

int TcxObjectList::FreeAndRemove(TObject* Obj) {
  const int index = IndexOf(Obj);
  if (index >= 0) FreeAndDelete(index);
  return index;
}

void TcxStringList::Sort() {
  if (OnCompare)
    CustomSort([this](TStringList*, int Index1, int Index2) { return OnCompare(this, Index1, Index2); });
  else
    TStringList::Sort();
}

void TcxEventHandlerCollection::InvokeAll(TObject* Sender, const void* EventArgs) {
  // By index and by copy: a handler may add or drop handlers while it runs.
  for (std::size_t i = 0; i < Handlers.size(); ++i) {
    TcxEventHandler handler = Handlers[i];
    if (handler) handler(Sender, EventArgs);
  }
}
