#pragma once
// Class registries: classes mapped to classes along the inheritance line, and classes listed with
// a caption and hint for the designer.
#include "platform/classes/Strings.h"
#include "ui/foundation/Lists.h"

class TcxRegisteredClassListItemData : public TObject {
  VW_CLASS(TcxRegisteredClassListItemData, TObject)
 public:
  TcxRegisteredClassListItemData() = default;

  TClass ItemClass = nullptr;
  TClass RegisteredClass = nullptr;
};

// Pairs kept in inheritance order: a pair for a class stands after the pairs of its ancestors and
// before those of its descendants, so a lookup finds the nearest registered ancestor.
class TcxRegisteredClassList : public TObject {
  VW_CLASS(TcxRegisteredClassList, TObject)
 public:
  TcxRegisteredClassList() = default;
  ~TcxRegisteredClassList() override;

  // The class registered for ItemClass or its nearest registered ancestor; null when none.
  TClass LookupRegisteredClass(TClass ItemClass);
  int EntryCount() const { return FItems.Count(); }
  TcxRegisteredClassListItemData* ItemAt(int Index) const {
    return static_cast<TcxRegisteredClassListItemData*>(FItems.ItemAt(Index));
  }
  void ClearPairs();

  // Scans from the last pair: true with the index of the first pair met whose class is AClass or
  // an ancestor; otherwise false, with Index at the first pair of a descendant (-1 when none).
  virtual bool LocateItemClass(TClass AClass, int& Index);
  virtual void InsertPair(TClass ItemClass, TClass RegisteredClass);
  // Drops every pair of exactly these two classes.
  virtual void DropPairs(TClass ItemClass, TClass RegisteredClass);

 private:
  TcxObjectList FItems{true};
};

class TcxRegisteredClasses;

// Descriptions with their classes, sorted through the owning registry.
class TcxRegisteredClassesStringList : public TStringList {
  VW_CLASS(TcxRegisteredClassesStringList, TStringList)
 public:
  explicit TcxRegisteredClassesStringList(TcxRegisteredClasses* AOwner) : FOwner(AOwner) {}

  TcxRegisteredClasses* Owner() const { return FOwner; }
  TClass ClassAt(int Index);
  void AddClass(const String& Description, TClass AClass);
  void SortByOwner();

 private:
  TcxRegisteredClasses* FOwner;
};

// The caption of "Caption|Hint": the text before the first "|", or all of it.
String CaptionOfDescription(const String& Description);

class TcxRegisteredClasses : public TObject {
  VW_CLASS(TcxRegisteredClasses, TObject)
 public:
  // With RegisterClasses, every added class is also registered for form descriptions.
  explicit TcxRegisteredClasses(bool RegisterClasses = false);
  ~TcxRegisteredClasses() override;

  // Nothing when the class is listed already.
  void AddClass(TClass AClass, const String& Description);
  void RemoveClass(TClass AClass);
  // The first class of exactly that name (case-sensitive), else null.
  TClass LookupByClassName(const String& Name);
  int ItemCount() const { return FItems->Count(); }
  String CaptionAt(int Index) const { return CaptionOfDescription(FItems->Strings(Index)); }
  String DescriptionAt(int Index) const { return FItems->Strings(Index); }
  TClass ClassAt(int Index) const { return FItems->ClassAt(Index); }
  int IndexOfClass(TClass AClass) const;
  bool Sorted() const { return FSorted; }
  // Sorts at once when it becomes true.
  void ApplySorted(bool Value);
  bool RegisterClasses() const { return FRegisterClasses; }

  // Compares the captions of two entries as the user's locale orders text, without case.
  virtual int CompareDescriptions(int Index1, int Index2);
  virtual void SortByDescription();

 private:
  TcxRegisteredClassesStringList* FItems;
  bool FRegisterClasses;
  bool FSorted = false;
};
