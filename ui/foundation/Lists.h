#pragma once
// Lists of the component library: an object list that frees on request, a string list sorted by
// an event, and a collection of event handlers.
#include <functional>
#include <vector>

#include "platform/classes/Lists.h"
#include "platform/classes/Strings.h"

// A pointer list of objects; with OwnObjects, Clear (and destruction) frees them.
class TcxObjectList : public TList {
  VW_CLASS(TcxObjectList, TList)
 public:
  explicit TcxObjectList(bool AOwnObjects = true) : FOwnObjects(AOwnObjects) {}
  ~TcxObjectList() override;

  void Clear();
  // Frees the object and deletes the entry, owned or not.
  void FreeAndDelete(int Index);
  // The index Obj had, after freeing and deleting it; -1 (nothing freed) when it is not listed.
  int FreeAndRemove(TObject* Obj);
  // Raises the list's index error for a bad index.
  TObject* ItemAt(int Index) const { return static_cast<TObject*>(Items(Index)); }
  bool OwnObjects() const { return FOwnObjects; }

 private:
  bool FOwnObjects;
};

class TcxStringList;
using TcxStringListCompareEvent = std::function<int(TcxStringList* List, int Index1, int Index2)>;

// Sorts with OnCompare when it is set, else as the platform's string list does.
class TcxStringList : public TStringList {
  VW_CLASS(TcxStringList, TStringList)
 public:
  TcxStringList() = default;

  void Sort() override;

  TcxStringListCompareEvent OnCompare;
};

// EventArgs is whatever record the invoking code passes, read-only.
using TcxEventHandler = std::function<void(TObject* Sender, const void* EventArgs)>;

class TcxEventHandlerCollection : public TObject {
  VW_CLASS(TcxEventHandlerCollection, TObject)
 public:
  TcxEventHandlerCollection() = default;

  // First to last.
  void InvokeAll(TObject* Sender, const void* EventArgs);

  std::vector<TcxEventHandler> Handlers;
};
