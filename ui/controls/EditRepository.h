#pragma once
// Named properties objects that many editors share: an editor that takes a repository item as its
// RepositoryItem listens to it, re-applies the item's properties whenever they change, and forgets
// the item before it goes.
#include <vector>

#include "platform/classes/Component.h"
#include "ui/controls/EditProperties.h"

class TcxEditRepository;
class TcxEditRepositoryItem;

class IcxEditRepositoryItemListener : public virtual IInterface {
 public:
  virtual void ItemRemoved(TcxEditRepositoryItem* Sender) = 0;
  virtual void PropertiesChanged(TcxEditRepositoryItem* Sender) = 0;
};

class TcxEditRepositoryItem : public TComponent {
  VW_CLASS(TcxEditRepositoryItem, TComponent)
 public:
  explicit TcxEditRepositoryItem(TComponent* AOwner);
  ~TcxEditRepositoryItem() override;
  static void DeclareProperties(TPropTable& t);

  TcxCustomEditProperties* Properties() const { return FProperties; }
  void SetProperties(TcxCustomEditProperties* Value) { FProperties->Assign(Value); }
  TcxEditRepository* Repository() const { return FRepository; }
  void AttachToRepository(TcxEditRepository* ARepository);
  int ListenerCount() const { return static_cast<int>(FListeners.size()); }

  // A design-time anchor for the properties' events.
  TNotifyEvent PropertiesEvents;

  virtual void PropertiesChanged(TObject* Sender);
  // Adds the listener unless it listens already.
  virtual void RegisterListener(IcxEditRepositoryItemListener* Listener);
  virtual TClass PropertiesClass();
  // The repository's name followed by what the class name has after "TcxEditRepository".
  virtual String DefaultItemName();
  virtual void UnregisterListener(IcxEditRepositoryItemListener* Listener);

  bool HasParent() override { return FRepository != nullptr; }
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* Value) override;

 protected:
  // Descendants name their properties class here: the constructor cannot ask PropertiesClass yet.
  TcxEditRepositoryItem(TComponent* AOwner, TClass APropertiesClass);
  void ReadState(TReader* Reader) override;
  void NotifyItemRemoved();

 private:
  std::vector<IcxEditRepositoryItemListener*> FListeners;
  TcxCustomEditProperties* FProperties = nullptr;
  TClass FPropertiesClass;
  TcxEditRepository* FRepository = nullptr;
};

class TcxEditRepository : public TComponent {
  VW_CLASS(TcxEditRepository, TComponent)
 public:
  explicit TcxEditRepository(TComponent* AOwner) : TComponent(AOwner) {}
  // Frees every item, the last first.
  ~TcxEditRepository() override;

  virtual TcxEditRepositoryItem* NewItem(TClass ItemClass);
  virtual TcxEditRepositoryItem* NewItemOwned(TClass ItemClass, TComponent* AOwner);
  void IncludeItem(TcxEditRepositoryItem* Item);
  void ExcludeItem(TcxEditRepositoryItem* Item);
  int ItemCount() const { return static_cast<int>(FItems.size()); }
  TcxEditRepositoryItem* ItemAt(int Index) const { return FItems[static_cast<std::size_t>(Index)]; }

  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

 private:
  std::vector<TcxEditRepositoryItem*> FItems;
};
