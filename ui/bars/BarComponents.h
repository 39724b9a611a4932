#pragma once
// What items, groups and popup menus share: the bar component with its change notification to the
// lists that hold it, the selectable-object interface of design-time selection, the component list
// that keeps each component's holders, the manager's option objects' base and item groups.
#include <cstdint>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/Interface.h"
#include "platform/classes/Lists.h"
#include "platform/classes/TypInfo.h"
#include "ui/foundation/ComponentCollection.h"

// When an item shows: never, only while the bars are customized, or always.
VW_ENUM(TdxBarItemVisible, ivNever, ivInCustomizing, ivAlways)
// The looks a toolbar's layout may give a link, from the largest to the smallest.
VW_ENUM(TdxBarItemViewLevel, ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly)
using TdxBarItemViewLevels = TSet<TdxBarItemViewLevel>;

class TdxBarManager;
class TdxBarComponentList;

// The link-popup actions an object offers while customizing: bit n stands for action n.
using TdxBarCustomizationActions = std::uint32_t;
constexpr TdxBarCustomizationActions dxBarCustomizationAction(int N) { return TdxBarCustomizationActions{1} << N; }

// An object the designer (or the customization dialog) can select: items, links, toolbars.
class IdxBarSelectableItem : public virtual IInterface {
 public:
  virtual bool AllowsDeletion(bool ADeleteItems) = 0;
  // Deletes the object when allowed and clears the reference.
  virtual void DeleteSelected(IdxBarSelectableItem*& AReference, bool ADeleteItems) = 0;
  virtual void ApplyCustomizationAction(int AAction) = 0;
  virtual TdxBarManager* OwningManager() = 0;
  virtual TPersistent* SelectableObject() = 0;
  // Adds (once each) the objects whose selection this one depends on.
  virtual void AddMasterObjects(TList* AList) = 0;
  virtual void NextSelectableObject(IdxBarSelectableItem*& AItem) = 0;
  // What to select when nothing else is left.
  virtual TPersistent* ParentSelectable() = 0;
  virtual int SelectionStatus() = 0;
  virtual TdxBarCustomizationActions AvailableActions() = 0;
  virtual void RepaintSelection() = 0;
  virtual bool HasSeveralLinks() = 0;
  virtual bool IsSelectedInDesigner() = 0;
  virtual void SelectInDesigner(int AOperation) = 0;
  virtual bool SelectParent() = 0;
  virtual void DesignSelectionChanged() = 0;
};

// Nil when the object is not selectable.
IdxBarSelectableItem* BarSelectableItemOf(TObject* AObject);
bool SupportsSelection(TObject* AObject);
// Deletes from the list, from the last, every object that is not selectable.
void RemoveNonSelectable(TList* AList);
// The object behind a selectable item; nil for nil.
TPersistent* SelectableItemInstance(IdxBarSelectableItem* AItem);

// The base of the manager's option objects; the manager owns them for streaming.
class TdxBarPersistent : public TPersistent {
  VW_CLASS(TdxBarPersistent, TPersistent)
 public:
  explicit TdxBarPersistent(TdxBarManager* ABarManager) : FBarManager(ABarManager) {}
  TdxBarManager* BarManager() const { return FBarManager; }

 protected:
  TPersistent* GetOwner() override;

 private:
  TdxBarManager* FBarManager;
};

// The base of items, groups and popup menus.
class TdxBarComponent : public TComponent, public virtual IdxBarSelectableItem {
  VW_CLASS(TdxBarComponent, TComponent)
 public:
  explicit TdxBarComponent(TComponent* AOwner) : TComponent(AOwner) {}
  // Leaves every list that still holds it, so no list keeps a freed entry.
  ~TdxBarComponent() override;

  TdxBarManager* BarManager() const { return FBarManager; }

  // Tells every holding list of a change of this component (nil for all its items); silent while
  // the component is destroyed.
  virtual void Changed(bool AAllItems = false);
  virtual bool Enabled() const { return FEnabled; }
  virtual TdxBarItemVisible Visible() const { return FVisible; }
  // The kinds of components decide what a change does; the base only stores it.
  virtual void SetEnabled(bool Value) { FEnabled = Value; }
  virtual void SetVisible(TdxBarItemVisible Value) { FVisible = Value; }

  // ---- selection ----
  bool AllowsDeletion(bool ADeleteItems) override;
  void DeleteSelected(IdxBarSelectableItem*& AReference, bool ADeleteItems) override;
  void ApplyCustomizationAction(int) override {}
  TdxBarManager* OwningManager() override { return FBarManager; }
  void AddMasterObjects(TList* AList) override;
  void NextSelectableObject(IdxBarSelectableItem*& AItem) override { AItem = nullptr; }
  TPersistent* ParentSelectable() override { return Owner(); }
  int SelectionStatus() override;
  TdxBarCustomizationActions AvailableActions() override { return dxBarCustomizationAction(1); }
  void RepaintSelection() override {}
  bool HasSeveralLinks() override { return false; }
  bool IsSelectedInDesigner() override { return SelectionStatus() == 1; }
  void SelectInDesigner(int AOperation) override;
  bool SelectParent() override { return false; }
  void DesignSelectionChanged() override {}
  TPersistent* SelectableObject() override { return this; }

  // The lists holding the component now.
  int HolderCount() const { return static_cast<int>(FHolders.size()); }
  TdxBarComponentList* Holders(int Index) const { return FHolders[static_cast<std::size_t>(Index)]; }

 protected:
  void SetBarManagerReference(TdxBarManager* Value) { FBarManager = Value; }
  TdxBarItemVisible FVisible = ivAlways;

 private:
  friend class TdxBarComponentList;
  TdxBarManager* FBarManager = nullptr;
  bool FEnabled = true;
  std::vector<TdxBarComponentList*> FHolders;
};

// A list of bar components that records itself with each component it holds.
class TdxBarComponentList : public TcxComponentList {
  VW_CLASS(TdxBarComponentList, TcxComponentList)
 public:
  TdxBarComponentList() = default;
  ~TdxBarComponentList() override;
  TdxBarComponent* Items(int Index) const { return static_cast<TdxBarComponent*>(TcxComponentList::Items(Index)); }
  // The list's change event for the component, or for nil (all changed).
  void ComponentChanged(TdxBarComponent* AComponent) { RaiseChange(AComponent, cckChanged); }

 protected:
  TClass ItemClassAllowed() override { return TdxBarComponent::StaticClass(); }
  void NotifyItem(TComponent* Component, TListNotification Action) override;
};

// Switches the enabled state or visibility of many items (and nested groups) at once.
class TdxBarGroup : public TdxBarComponent {
  VW_CLASS(TdxBarGroup, TdxBarComponent)
 public:
  explicit TdxBarGroup(TComponent* AOwner);
  ~TdxBarGroup() override;
  static void DeclareProperties(TPropTable& t);

  // Nil and present members are ignored; the group itself, or a group containing it, raises.
  void Add(TdxBarComponent* AItem);
  void Remove(TdxBarComponent* AItem);
  int IndexOf(TdxBarComponent* AItem) const { return FItems->IndexOf(AItem); }
  int Count() const { return FItems->Count(); }
  TdxBarComponent* Items(int Index) const { return FItems->Items(Index); }
  TdxBarComponentList* ItemList() const { return FItems; }
  // Whether the component is a member here or in a nested group, at any depth.
  bool Contains(TdxBarComponent* AItem) const;

  void SetEnabled(bool Value) override;
  void SetVisible(TdxBarItemVisible Value) override;

  TComponent* GetParentComponent() override;
  bool HasParent() override { return BarManager() != nullptr; }
  // A manager takes the group into its group list.
  void SetParentComponent(TComponent* Value) override;

 protected:
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;
  // Renames reach the holding lists.
  void SetReference(bool Enable) override;

 private:
  std::vector<String> MemberNames() const;
  void ReadItems(TReader* Reader);
  void WriteItems(TWriter* Writer);
  TComponent* LookupRoot() const;

  TdxBarComponentList* FItems;
  // The member names read while loading, until Loaded resolves them.
  std::vector<String> FItemNames;
  bool FHasItemNames = false;
};
