#include "ui/foundation/ComponentCollection.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

using Change = std::tuple<TcxComponentCollectionItem*, TcxCollectionChangeKind>;

class TBarItem;

// A parent with one collection of bars, as a bar manager has.
class TBarParent : public TComponent {
  VW_CLASS(TBarParent, TComponent)
 public:
  explicit TBarParent(TComponent* AOwner);
  ~TBarParent() override { delete FBars; }
  TcxComponentCollection* Bars() const { return FBars; }

 private:
  TcxComponentCollection* FBars;
};

class TBarItem : public TcxComponentCollectionItem {
  VW_CLASS(TBarItem, TcxComponentCollectionItem)
 public:
  using TcxComponentCollectionItem::TcxComponentCollectionItem;
  int Value = 0;
  void Assign(TPersistent* Source) override {
    if (auto* other = dynamic_cast<TBarItem*>(Source))
      Value = other->Value;
    else
      TcxComponentCollectionItem::Assign(Source);
  }

 protected:
  TcxComponentCollection* CollectionOfParent(TComponent* ParentComponent) override {
    auto* parent = dynamic_cast<TBarParent*>(ParentComponent);
    return parent ? parent->Bars() : nullptr;
  }
};

class TOtherItem : public TBarItem {
  VW_CLASS(TOtherItem, TBarItem)
 public:
  using TBarItem::TBarItem;
};

TBarParent::TBarParent(TComponent* AOwner)
    : TComponent(AOwner), FBars(new TcxComponentCollection(this, ClassOf<TBarItem>())) {}

struct Fixture : ::testing::Test {
  // Declared first: the items still report while the form destroys them.
  std::vector<Change> Changes;
  TComponent Form{nullptr};
  TBarParent* Parent = new TBarParent(&Form);

  void SetUp() override {
    Parent->Bars()->OnChange = [this](TObject* Sender, TcxComponentCollectionItem* Item,
                                      TcxCollectionChangeKind Action) {
      EXPECT_EQ(Sender, Parent->Bars());
      Changes.emplace_back(Item, Action);
    };
  }
};

using TcxComponentCollectionTest = Fixture;

TEST_F(TcxComponentCollectionTest, AppendNewItemJoinsThroughItsParent) {
  TcxComponentCollection* bars = Parent->Bars();
  TcxComponentCollectionItem* a = bars->AppendNewItem();
  TcxComponentCollectionItem* b = bars->AppendNewItem();
  EXPECT_EQ(a->Owner(), &Form);  // owned by the parent's owner
  EXPECT_EQ(a->GetParentComponent(), Parent);
  EXPECT_TRUE(a->HasParent());
  EXPECT_EQ(a->ID(), 0);
  EXPECT_EQ(b->ID(), 1);
  EXPECT_EQ(bars->NextID(), 2);
  EXPECT_EQ(b->IndexInCollection(), 1);
  EXPECT_EQ(Changes, (std::vector<Change>{{a, cckAdded}, {b, cckAdded}}));

  Changes.clear();
  b->MoveToIndex(1);  // same place: nothing
  b->MoveToIndex(0);
  EXPECT_EQ(bars->ItemAt(0), b);
  a->ReportChange(false);
  EXPECT_EQ(Changes, (std::vector<Change>{{nullptr, cckChanged}, {a, cckChanged}}));

  Changes.clear();
  TObject::Free(a);  // leaves its collection on destruction
  EXPECT_EQ(bars->ItemCount(), 1);
  EXPECT_EQ(Changes, (std::vector<Change>{{a, cckExtracted}}));
  EXPECT_THROW(bars->ItemAt(3), EListError);
}

TEST_F(TcxComponentCollectionTest, RemoveAllItemsReportsOnce) {
  TcxComponentCollection* bars = Parent->Bars();
  bars->AppendNewItem();
  bars->AppendNewItem();
  Changes.clear();
  bars->RemoveAllItems();
  EXPECT_EQ(bars->ItemCount(), 0);
  EXPECT_EQ(Form.ComponentCount(), 1);  // only the parent is left
  EXPECT_EQ(Changes, (std::vector<Change>{{nullptr, cckChanged}}));
  bars->RemoveAllItems();  // empty: nothing
  EXPECT_EQ(Changes.size(), 1u);
}

TEST_F(TcxComponentCollectionTest, LocksHoldBackAndForcedUnlockReportsAtZero) {
  TcxComponentCollection* bars = Parent->Bars();
  bars->LockChanges();
  bars->LockChanges();
  bars->AppendNewItem();
  bars->UnlockChanges(true);  // count still 1: nothing
  EXPECT_TRUE(Changes.empty());
  bars->UnlockChanges(false);
  EXPECT_TRUE(Changes.empty());
  bars->LockChanges();
  bars->UnlockChanges(true);
  EXPECT_EQ(Changes, (std::vector<Change>{{nullptr, cckChanged}}));
}

TEST_F(TcxComponentCollectionTest, AdmitsOnlyItsItemClassAndAssignsCopies) {
  TcxComponentCollection* bars = Parent->Bars();
  auto* stranger = new TcxComponentCollection(nullptr, ClassOf<TOtherItem>());
  auto* item = new TBarItem(&Form);
  item->ChangeCollection(stranger);  // not a TOtherItem: silently ignored
  EXPECT_EQ(item->Collection(), nullptr);
  EXPECT_EQ(stranger->ItemCount(), 0);
  item->SetParentComponent(Parent);
  EXPECT_EQ(item->Collection(), bars);
  static_cast<TBarItem*>(bars->AppendNewItem())->Value = 2;
  item->Value = 1;

  TBarParent copy(&Form);
  std::vector<Change> copyChanges;
  copy.Bars()->OnChange = [&](TObject*, TcxComponentCollectionItem* I, TcxCollectionChangeKind A) {
    copyChanges.emplace_back(I, A);
  };
  copy.Bars()->Assign(bars);
  ASSERT_EQ(copy.Bars()->ItemCount(), 2);
  EXPECT_EQ(static_cast<TBarItem*>(copy.Bars()->ItemAt(0))->Value, 1);
  EXPECT_EQ(static_cast<TBarItem*>(copy.Bars()->ItemAt(1))->Value, 2);
  EXPECT_EQ(copyChanges, (std::vector<Change>{{nullptr, cckChanged}}));
  delete stranger;
}

TEST_F(TcxComponentCollectionTest, DestroyingTheCollectionFreesItsItemsSilently) {
  Parent->Bars()->AppendNewItem();
  Parent->Bars()->AppendNewItem();
  Changes.clear();
  TObject::Free(Parent);
  EXPECT_EQ(Form.ComponentCount(), 0);
  EXPECT_TRUE(Changes.empty());
}

// ---- component list -----------------------------------------------------------------------------

using ListChange = std::tuple<TComponent*, TcxCollectionChangeKind>;
using ListNotify = std::tuple<TComponent*, TListNotification>;

class TBarsOnlyList : public TcxComponentList {
  VW_CLASS(TBarsOnlyList, TcxComponentList)
 protected:
  TClass ItemClassAllowed() override { return ClassOf<TBarItem>(); }
};

TEST(TcxComponentList, NotifiesEachEntryAndChangesOncePerClear) {
  std::vector<ListChange> changes;
  std::vector<ListNotify> notes;
  auto* list = new TcxComponentList;
  list->OnChange = [&](TObject*, TComponent* C, TcxCollectionChangeKind A) { changes.emplace_back(C, A); };
  list->OnNotify = [&](TObject*, TComponent* C, TListNotification A) { notes.emplace_back(C, A); };
  TComponent a(nullptr), b(nullptr);
  auto* c = new TComponent(nullptr);
  list->Add(&a);
  list->Add(&b);
  list->Add(c);
  EXPECT_EQ(changes.size(), 3u);
  EXPECT_EQ(notes.size(), 3u);

  TObject::Free(c);  // destroyed components leave the list by themselves
  EXPECT_EQ(list->Count(), 2);
  EXPECT_EQ(changes.back(), ListChange(c, cckExtracted));

  changes.clear();
  notes.clear();
  list->Clear();
  EXPECT_EQ(notes, (std::vector<ListNotify>{{&a, lnDeleted}, {&b, lnDeleted}}));
  EXPECT_EQ(changes, (std::vector<ListChange>{{nullptr, cckChanged}}));

  list->LockNotify();
  list->Add(&a);
  list->UnlockSilently();
  list->LockNotify();
  list->UnlockNotify();
  EXPECT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes.back(), ListChange(nullptr, cckChanged));

  changes.clear();
  notes.clear();
  delete list;  // the entries are still told, but no change is reported
  EXPECT_EQ(notes, (std::vector<ListNotify>{{&a, lnDeleted}}));
  EXPECT_TRUE(changes.empty());
}

TEST(TcxComponentList, ExtractsEntriesOfAnotherClassAtOnce) {
  TBarsOnlyList list;
  int notes = 0;
  list.OnNotify = [&](TObject*, TComponent*, TListNotification) { ++notes; };
  TComponent plain(nullptr);
  TComponent form(nullptr);
  auto* bar = new TBarItem(&form);
  list.Add(&plain);
  list.Add(bar);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Items(0), bar);
  EXPECT_EQ(notes, 1);
}

}  // namespace
