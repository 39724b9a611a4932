#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"

namespace {

std::vector<String> gEvents;

class TProbe : public TComponent {
  VW_CLASS(TProbe, TComponent)
 public:
  using TComponent::TComponent;
  ~TProbe() override {
    gEvents.push_back("destroy " + Name() + (HasState(csDestroying) ? " destroying" : ""));
  }
  void Watch(TProbe* other) {
    Watched = other;
    other->FreeNotification(this);
  }
  TProbe* Watched = nullptr;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == Watched) {
      gEvents.push_back(Name() + " forgets " + Watched->Name());
      Watched = nullptr;
    }
  }
};

TProbe* Make(TComponent* owner, const char* name) {
  auto* p = new TProbe(owner);
  p->SetName(name);
  return p;
}

TEST(ComponentTest, OwnerDestroysItsComponentsLastCreatedFirst) {
  gEvents.clear();
  auto* owner = Make(nullptr, "Owner");
  Make(owner, "A");
  auto* b = Make(owner, "B");
  Make(b, "B1");
  Make(owner, "C");
  EXPECT_EQ(owner->ComponentCount(), 3);
  EXPECT_EQ(b->ComponentIndex(), 1);
  TObject::Free(owner);
  EXPECT_EQ(gEvents, (std::vector<String>{"destroy Owner destroying", "destroy C destroying", "destroy B destroying",
                                          "destroy B1 destroying", "destroy A destroying"}));
}

TEST(ComponentTest, FreeNotificationClearsReferencesAcrossOwners) {
  gEvents.clear();
  auto* form1 = Make(nullptr, "Form1");
  auto* form2 = Make(nullptr, "Form2");
  auto* watcher = Make(form1, "Watcher");
  auto* target = Make(form2, "Target");
  watcher->Watch(target);
  target->Watch(watcher);
  // The target goes first; the watcher must not keep its address (AddressSanitizer would catch a
  // later use).
  TObject::Free(form2);
  EXPECT_EQ(watcher->Watched, nullptr);
  EXPECT_NE(std::find(gEvents.begin(), gEvents.end(), "Watcher forgets Target"), gEvents.end());
  // And the watcher's own destruction must not reach back to the freed target.
  TObject::Free(form1);
}

TEST(ComponentTest, SiblingsHearOfARemovalThroughTheirOwner) {
  gEvents.clear();
  auto* owner = Make(nullptr, "Owner");
  auto* a = Make(owner, "A");
  auto* b = Make(owner, "B");
  a->Watched = b;  // no free notification needed between components of one owner
  delete b;
  EXPECT_EQ(a->Watched, nullptr);
  EXPECT_EQ(owner->ComponentCount(), 1);
  TObject::Free(owner);
}

TEST(ComponentTest, NamesFollowTheIdentifierRulesAndStayUniqueWithinAnOwner) {
  auto owner = std::unique_ptr<TProbe>(Make(nullptr, "Owner"));
  auto* a = Make(owner.get(), "Button1");
  struct Case {
    const char* name;
    bool ok;
  } cases[] = {{"_x9", true}, {"Label_2", true}, {"", true}, {"1abc", false}, {"a b", false},
               {"a.b", false}, {"\xE6\x8C\x89\xE9\x92\xAE", false}};
  auto* b = Make(owner.get(), "Other");
  for (const auto& c : cases) {
    if (c.ok) {
      EXPECT_NO_THROW(b->SetName(c.name)) << c.name;
    } else {
      try {
        b->SetName(c.name);
        ADD_FAILURE() << c.name;
      } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), String("''") + c.name + "'' is not a valid component name");
      }
    }
  }
  try {
    b->SetName("BUTTON1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "A component named BUTTON1 already exists");
  }
  a->SetName("button1");  // a new case of its own name is no clash
  EXPECT_EQ(owner->FindComponent("BUTTON1"), a);
  EXPECT_EQ(owner->FindComponent(""), nullptr);
  // Names of unowned components need not be unique.
  std::unique_ptr<TProbe> loose(Make(nullptr, "Owner"));
}

TEST(ComponentTest, ClassReferenceCreatesAComponentWithItsOwner) {
  auto owner = std::unique_ptr<TProbe>(Make(nullptr, "Owner"));
  TComponent* c = TComponent::Create(ClassOf<TProbe>(), owner.get());
  EXPECT_EQ(c->ClassName(), "TProbe");
  EXPECT_EQ(c->Owner(), owner.get());
  EXPECT_THROW(TComponent::Create(ClassOf<TPersistent>(), owner.get()), EInvalidCast);
}

// ---- collections ----

class TCountingCollection : public TCollection {
  VW_CLASS(TCountingCollection, TCollection)
 public:
  using TCollection::TCollection;
  int Updates = 0;
  TCollectionItem* LastUpdated = reinterpret_cast<TCollectionItem*>(1);
  std::vector<String> Notes;
  // Whether every update found every item whole (of the item class, not half-built).
  bool ItemsWhole = true;

 protected:
  void Update(TCollectionItem* Item) override {
    ++Updates;
    LastUpdated = Item;
    for (int i = 0; i < Count(); ++i) ItemsWhole = ItemsWhole && Items(i)->InheritsFrom(ItemClass());
  }
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
    Notes.push_back(GetEnumName(TypeInfo<TCollectionNotification>(), Action) + " " + std::to_string(Item->ID()));
  }
};

class TValueItem : public TCollectionItem {
  VW_CLASS(TValueItem, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  int Value = 0;
  void SetValue(int v) {
    Value = v;
    Changed(false);
  }
  void Assign(TPersistent* Source) override {
    if (auto* s = dynamic_cast<TValueItem*>(Source)) {
      Value = s->Value;
      return;
    }
    TCollectionItem::Assign(Source);
  }
};

TEST(CollectionTest, UpdatesAreHeldBackInsideBeginEndUpdate) {
  TCountingCollection c(ClassOf<TValueItem>());
  auto* a = static_cast<TValueItem*>(c.Add());
  EXPECT_EQ(c.Updates, 1);
  EXPECT_EQ(c.LastUpdated, nullptr);
  a->SetValue(5);
  EXPECT_EQ(c.Updates, 2);
  EXPECT_EQ(c.LastUpdated, a);
  c.BeginUpdate();
  c.BeginUpdate();
  c.Add();
  a->SetValue(6);
  c.EndUpdate();
  EXPECT_EQ(c.Updates, 2);
  c.EndUpdate();
  EXPECT_EQ(c.Updates, 3);
  EXPECT_EQ(c.LastUpdated, nullptr);
  EXPECT_TRUE(c.ItemsWhole) << "an added item is announced once it is built";
}

TEST(CollectionTest, ItemsKeepTheirIdsThroughMovesAndDeletes) {
  TCountingCollection c(ClassOf<TValueItem>());
  for (int i = 0; i < 3; ++i) c.Add();
  c.Items(2)->SetIndex(0);
  EXPECT_EQ(c[0]->ID(), 2);
  EXPECT_EQ(c[1]->ID(), 0);
  c.Delete(1);
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(c.FindItemID(0), nullptr);
  EXPECT_EQ(c.FindItemID(1), c[1]);
  EXPECT_EQ(c.Add()->ID(), 3);
  EXPECT_EQ(c.Notes, (std::vector<String>{"cnAdded 0", "cnAdded 1", "cnAdded 2", "cnDeleting 0", "cnExtracting 0",
                                          "cnAdded 3"}));
  try {
    c.Items(3);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (3)");
  }
  // An item freed on its own leaves the collection.
  TObject::Free(c[0]);
  EXPECT_EQ(c.Count(), 2);
}

TEST(CollectionTest, AssignCopiesItemsAndOwnedCollectionsNameTheirPath) {
  auto owner = std::unique_ptr<TProbe>(Make(nullptr, "Panel1"));
  TOwnedCollection a(owner.get(), ClassOf<TValueItem>());
  TCollection b(ClassOf<TValueItem>());
  static_cast<TValueItem*>(b.Add())->Value = 7;
  static_cast<TValueItem*>(b.Add())->Value = 8;
  a.Add();
  a.Assign(&b);
  ASSERT_EQ(a.Count(), 2);
  EXPECT_EQ(static_cast<TValueItem*>(a[1])->Value, 8);
  EXPECT_EQ(a.Owner(), owner.get());
  EXPECT_EQ(b.Owner(), nullptr);
  EXPECT_EQ(b[1]->GetNamePath(), "TCollection[1]");
}

}  // namespace
