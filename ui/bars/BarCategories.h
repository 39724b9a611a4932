#pragma once
// The manager's item categories: the names in order, and per category whether it is listed and
// how its items show. Items keep their category as an index, so every edit of the list renumbers
// the items with it.
#include <vector>

#include "platform/classes/Strings.h"
#include "ui/bars/BarClasses.h"

class TdxBarManager;

// What a category keeps beside its name; a category without it reads the defaults.
class TdxBarCategoryData : public TObject {
  VW_CLASS(TdxBarCategoryData, TObject)
 public:
  TdxBarItemVisible ItemsVisible = ivAlways;
  TdxBarItemVisible LoadedItemsVisible = ivAlways;
  bool Visible = true;
};

class TdxBarManagerCategories : public TStringList {
  VW_CLASS(TdxBarManagerCategories, TStringList)
 public:
  // Holds "Default" unless the manager is loading.
  explicit TdxBarManagerCategories(TdxBarManager* ABarManager);
  ~TdxBarManagerCategories() override;
  TdxBarManager* BarManager() const { return FBarManager; }

  // Copies names and settings; data objects are never shared between lists.
  void Assign(TPersistent* Source) override;
  void Clear() override;
  void Delete(int Index) override;
  void Exchange(int Index1, int Index2) override;
  void InsertObject(int Index, const String& S, TObject* AObject) override;
  void Move(int CurIndex, int NewIndex) override;
  void CustomSort(const TStringListSortCompare& Compare) override;
  // Every item of category FromIndex goes to ToIndex (without notification).
  void ReassignCategory(int FromIndex, int ToIndex);

  // Nil when the category keeps no settings yet.
  TdxBarCategoryData* Data(int Index);
  TdxBarItemVisible ItemsVisible(int Index);
  // Pushes the value to the category's items that show as the category did, inside one update.
  void SetItemsVisible(int Index, TdxBarItemVisible Value);
  bool Visible(int Index);
  void SetVisible(int Index, bool Value);
  // The visibility of a category's items as read from the form; applied by the manager's Loaded.
  void ApplyLoadedVisibility(int Index);
  // The category's items, in the manager's item order.
  std::vector<TdxBarItem*> CategoryItems(int Index);
  // At run time the items whose visibility lets them show now; at design time all.
  std::vector<TdxBarItem*> VisibleCategoryItems(int Index);
  // The index of the n-th visible category (at design time n itself); -1 when there is none.
  int VisibleCategoryIndex(int N);


 protected:
  // "ItemsVisibles" and "Visibles", one value per category, always written.
  void DefineProperties(TFiler* Filer) override;
  void Changed() override;

 private:
  bool ValidIndex(int Index) { return Index >= 0 && Index < Count(); }
  TdxBarCategoryData* NeedData(int Index);
  void SetIndexes(int Category, int NewIndex);
  void ReadItemsVisibles(TReader* Reader);
  void WriteItemsVisibles(TWriter* Writer);
  void ReadVisibles(TReader* Reader);
  void WriteVisibles(TWriter* Writer);

  TdxBarManager* FBarManager;
  bool FMoving = false;
};
