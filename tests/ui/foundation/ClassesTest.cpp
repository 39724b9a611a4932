#include <gtest/gtest.h>

#include <vector>

#include "ui/foundation/AutoWidthObject.h"
#include "ui/foundation/Component.h"
#include "ui/foundation/Interfaced.h"
#include "ui/foundation/Lists.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/foundation/RegisteredClasses.h"
#include "ui/foundation/Routines.h"

namespace {

// ---- object links -------------------------------------------------------------------------------

TEST(ObjectLinks, ControllerLivesFromFirstToLastLink) {
  ASSERT_EQ(ObjectLinkUsers(), 0);
  EXPECT_EQ(CreateObjectLink(nullptr), nullptr);
  EXPECT_EQ(ObjectLinkController(), nullptr);
  FreeObjectLink(nullptr);
  EXPECT_EQ(ObjectLinkUsers(), 0);

  auto* target = new TcxComponent(nullptr);
  TObject other;
  TcxObjectLink* a = CreateObjectLink(target);
  TcxObjectLink* b = CreateObjectLink(target);
  TcxObjectLink* c = CreateObjectLink(&other);
  ASSERT_NE(ObjectLinkController(), nullptr);
  EXPECT_EQ(ObjectLinkController()->Links.size(), 3u);

  TObject::Free(target);  // a TcxComponent invalidates its links itself
  EXPECT_EQ(a->LinkedObject, nullptr);
  EXPECT_EQ(b->LinkedObject, nullptr);
  EXPECT_EQ(c->LinkedObject, &other);
  EXPECT_EQ(ObjectLinkController()->Links.size(), 1u);

  FreeObjectLink(a);
  FreeObjectLink(c);
  EXPECT_EQ(ObjectLinkUsers(), 1);
  ASSERT_NE(ObjectLinkController(), nullptr);
  FreeObjectLink(b);  // an invalidated link still releases its use
  EXPECT_EQ(ObjectLinkUsers(), 0);
  EXPECT_EQ(ObjectLinkController(), nullptr);
}

// ---- width sharing ------------------------------------------------------------------------------

struct WidthItem {
  int Width, MinWidth;
  bool Fixed;
};

struct DistributeCase {
  const char* Name;
  int Available;
  std::vector<WidthItem> Items;
  std::vector<int> Expected;
};

TEST(TcxAutoWidthObject, DistributeWidth) {
  const DistributeCase cases[] = {
      {"cumulative rounding", 200, {{100, 0, false}, {100, 0, false}, {100, 0, false}}, {67, 66, 67}},
      {"exact", 300, {{100, 0, false}, {50, 0, false}, {150, 0, false}}, {100, 50, 150}},
      // The first item's share (60) is not above its minimum: it gets 80 and the others share 70.
      {"clamped to minimum", 150, {{100, 80, false}, {100, 0, false}, {50, 0, false}}, {80, 47, 23}},
      {"fixed item first", 100, {{40, 0, true}, {30, 0, false}, {30, 0, false}}, {40, 30, 30}},
      // Only fixed items: the remaining width is 0 and nothing else changes.
      {"only fixed", 10, {{40, 0, true}}, {40}},
      // Nothing to share from: every share is 0, so each item falls back to its minimum.
      {"zero widths", 100, {{0, 5, false}, {0, 7, false}}, {5, 7}},
      {"shrinking", 50, {{100, 0, false}, {100, 0, false}}, {25, 25}},
  };
  for (const auto& c : cases) {
    TcxAutoWidthObject obj(4);
    obj.AvailableWidth = c.Available;
    for (const auto& w : c.Items) {
      TcxAutoWidthItem* item = obj.AppendItem();
      EXPECT_EQ(item->AutoWidth, -1);
      item->Width = w.Width;
      item->MinWidth = w.MinWidth;
      item->Fixed = w.Fixed;
    }
    obj.DistributeWidth();
    std::vector<int> got;
    for (int i = 0; i < obj.ItemCount(); ++i) got.push_back(obj.ItemAt(i)->AutoWidth);
    EXPECT_EQ(got, c.Expected) << c.Name;
  }
}

// ---- routines -----------------------------------------------------------------------------------

TEST(Routines, RangeMidpointRoundsTowardMinusInfinity) {
  const struct {
    int A, B, Mid;
  } cases[] = {{-1, 0, -1}, {1, 0, 0}, {3, 4, 3}, {-3, 0, -2}, {-4, 0, -2}, {INT_MAX, INT_MAX, INT_MAX},
               {INT_MIN, INT_MIN, INT_MIN}};
  for (const auto& c : cases) EXPECT_EQ(RangeMidpoint(c.A, c.B), c.Mid) << c.A << " " << c.B;
  EXPECT_EQ(SignOfFloat(0.0), 1);
  EXPECT_EQ(SignOfFloat(-0.5), -1);
}

TEST(Routines, CharByteLengthAt) {
  const String s = "a\xE4\xB8\x8A\xC3\xA9";  // a, a three-byte and a two-byte character
  EXPECT_EQ(CharByteLengthAt(s, 1), 1);
  EXPECT_EQ(CharByteLengthAt(s, 2), 3);
  EXPECT_EQ(CharByteLengthAt(s, 5), 2);
  EXPECT_EQ(CharByteLengthAt(s, 7), 0);
  EXPECT_EQ(CharByteLengthAt("\xE4\xB8", 1), 2);  // cut short: never past the end
}

class TdxBar : public TComponent {
  VW_CLASS(TdxBar, TComponent)
 public:
  using TComponent::TComponent;
};

class TNamedThing : public TComponent {
  VW_CLASS(TNamedThing, TComponent)
 public:
  using TComponent::TComponent;
};

TEST(Routines, MakeUniqueItemName) {
  TComponent root(nullptr);
  auto* manager = new TComponent(&root);
  manager->SetName("BarManager1");
  TdxBar bar(nullptr);
  TNamedThing thing(nullptr);

  String name;
  MakeUniqueItemName(&root, manager, &bar, "TdxBar", "", name);
  EXPECT_EQ(name, "BarManager11");
  (new TComponent(&root))->SetName("barmanager11");  // taken, whatever the case
  MakeUniqueItemName(&root, manager, &bar, "TdxBar", "", name);
  EXPECT_EQ(name, "BarManager12");

  const struct {
    TComponent* Item;
    const char* Prefix;
    const char* Base;
    const char* Expected;
  } cases[] = {
      {&bar, "TdxBar", "2nd bar!", "BarManager12ndbar"},  // digit first: the class name less its prefix
      {&bar, "tdxbar", " 2", "BarManager12"},             // prefix compared without case
      {&thing, "TdxBar", "3", "BarManager1NamedThing3"},  // prefix does not fit: leading T goes
      {&thing, "", "", "BarManager1NamedThing1"},
      {&thing, "", "Tools \xE5\xB7\xA5\xE5\x85\xB7", "BarManager1Tools"},  // multi-byte characters go whole
  };
  for (const auto& c : cases) {
    MakeUniqueItemName(&root, manager, c.Item, c.Prefix, c.Base, name);
    EXPECT_EQ(name, c.Expected) << c.Base;
  }

  // Names owned deeper down count too; with a BaseName the first candidate has no number.
  auto* nested = new TComponent(manager);
  nested->SetName("Tools");
  MakeUniqueItemName(&root, nullptr, &thing, "", "Tools", name);
  EXPECT_EQ(name, "Tools1");
}

TEST(Routines, QueryPersistentOwner) {
  TcxInterfacedPersistent owner(nullptr);
  TcxInterfacedPersistent owned(&owner);
  EXPECT_EQ(QueryPersistentOwner(&owned), &owner);
  EXPECT_EQ(QueryPersistentOwner(&owner), nullptr);
  EXPECT_EQ(QueryPersistentOwner(nullptr), nullptr);
}

// ---- registries ---------------------------------------------------------------------------------

class TA : public TObject {
  VW_CLASS(TA, TObject)
};
class TB : public TA {
  VW_CLASS(TB, TA)
};
class TC : public TB {
  VW_CLASS(TC, TB)
};
class TD : public TC {
  VW_CLASS(TD, TC)
};
class TRa : public TObject {
  VW_CLASS(TRa, TObject)
};
class TRc : public TObject {
  VW_CLASS(TRc, TObject)
};

TEST(TcxRegisteredClassList, LookupFindsNearestRegisteredAncestor) {
  TcxRegisteredClassList list;
  list.InsertPair(ClassOf<TC>(), ClassOf<TRc>());
  // Registered after its descendant, the ancestor's pair still goes in front of it.
  list.InsertPair(ClassOf<TA>(), ClassOf<TRa>());
  ASSERT_EQ(list.EntryCount(), 2);
  EXPECT_EQ(list.ItemAt(0)->ItemClass, ClassOf<TA>());

  EXPECT_EQ(list.LookupRegisteredClass(ClassOf<TA>()), ClassOf<TRa>());
  EXPECT_EQ(list.LookupRegisteredClass(ClassOf<TB>()), ClassOf<TRa>());  // only through an ancestor
  EXPECT_EQ(list.LookupRegisteredClass(ClassOf<TC>()), ClassOf<TRc>());
  EXPECT_EQ(list.LookupRegisteredClass(ClassOf<TD>()), ClassOf<TRc>());
  EXPECT_EQ(list.LookupRegisteredClass(ClassOf<TRa>()), nullptr);

  int index = 99;
  EXPECT_FALSE(list.LocateItemClass(ClassOf<TObject>(), index));
  EXPECT_EQ(index, 0);  // the first descendant's position

  list.DropPairs(ClassOf<TC>(), ClassOf<TRa>());  // no such pair
  EXPECT_EQ(list.EntryCount(), 2);
  list.DropPairs(ClassOf<TC>(), ClassOf<TRc>());
  EXPECT_EQ(list.LookupRegisteredClass(ClassOf<TD>()), ClassOf<TRa>());
}

class TEditPropsA : public TPersistent {
  VW_CLASS(TEditPropsA, TPersistent)
};
class TEditPropsB : public TPersistent {
  VW_CLASS(TEditPropsB, TPersistent)
};
class TEditPropsC : public TPersistent {
  VW_CLASS(TEditPropsC, TPersistent)
};

TEST(TcxRegisteredClasses, DescriptionsSortingAndLookup) {
  TcxRegisteredClasses reg(false);
  reg.AddClass(ClassOf<TEditPropsA>(), "TextEdit|Represents a single line text editor");
  reg.AddClass(ClassOf<TEditPropsB>(), "comboBox|Represents a combo box");
  reg.AddClass(ClassOf<TEditPropsA>(), "Duplicate|ignored");
  reg.AddClass(ClassOf<TEditPropsC>(), "Memo");
  ASSERT_EQ(reg.ItemCount(), 3);
  EXPECT_EQ(reg.CaptionAt(0), "TextEdit");
  EXPECT_EQ(reg.CaptionAt(2), "Memo");

  reg.ApplySorted(true);
  EXPECT_EQ(reg.CaptionAt(0), "comboBox");  // case-insensitive order of the captions
  EXPECT_EQ(reg.CaptionAt(1), "Memo");
  EXPECT_EQ(reg.ClassAt(2), ClassOf<TEditPropsA>());

  EXPECT_EQ(reg.LookupByClassName("TEditPropsC"), ClassOf<TEditPropsC>());
  EXPECT_EQ(reg.LookupByClassName("teditpropsc"), nullptr);
  reg.RemoveClass(ClassOf<TEditPropsC>());
  EXPECT_EQ(reg.IndexOfClass(ClassOf<TEditPropsC>()), -1);
  EXPECT_EQ(GetClass("TEditPropsA"), nullptr);  // not asked to register for streaming
}

TEST(TcxRegisteredClasses, RegistersForStreamingWhenAsked) {
  TcxRegisteredClasses reg(true);
  reg.AddClass(ClassOf<TEditPropsB>(), "ComboBox");
  EXPECT_EQ(GetClass("TEditPropsB"), ClassOf<TEditPropsB>());
  UnRegisterClass(ClassOf<TEditPropsB>());
}

// ---- lists --------------------------------------------------------------------------------------

class TCounted : public TObject {
  VW_CLASS(TCounted, TObject)
 public:
  explicit TCounted(int* Alive) : FAlive(Alive) { ++*FAlive; }
  ~TCounted() override { --*FAlive; }

 private:
  int* FAlive;
};

TEST(TcxObjectList, FreesOnRequestAndWhenOwning) {
  int alive = 0;
  {
    TcxObjectList list(false);
    auto* a = new TCounted(&alive);
    auto* b = new TCounted(&alive);
    TCounted stranger(&alive);
    list.Add(a);
    list.Add(b);
    EXPECT_EQ(list.FreeAndRemove(&stranger), -1);
    EXPECT_EQ(alive, 3);
    EXPECT_EQ(list.FreeAndRemove(b), 1);
    list.FreeAndDelete(0);  // frees even though the list does not own
    EXPECT_EQ(alive, 1);
    EXPECT_THROW(list.ItemAt(0), EListError);
  }
  {
    TcxObjectList owning(true);
    owning.Add(new TCounted(&alive));
    owning.Add(new TCounted(&alive));
    owning.Clear();
    EXPECT_EQ(alive, 0);
    owning.Add(new TCounted(&alive));
  }
  EXPECT_EQ(alive, 0);
}

TEST(TcxStringList, SortsByItsEvent) {
  TcxStringList list;
  for (const char* s : {"bb", "a", "ccc"}) list.Add(s);
  list.OnCompare = [](TcxStringList* L, int I1, int I2) {
    return static_cast<int>(L->Strings(I2).size()) - static_cast<int>(L->Strings(I1).size());
  };
  list.Sort();
  EXPECT_EQ(list.CommaText(), "ccc,bb,a");
  list.OnCompare = nullptr;
  list.Sort();
  EXPECT_EQ(list.CommaText(), "a,bb,ccc");
}

TEST(TcxEventHandlerCollection, InvokesInOrder) {
  TcxEventHandlerCollection handlers;
  String order;
  int arg = 5;
  handlers.Handlers.push_back([&](TObject*, const void* a) { order += std::to_string(*static_cast<const int*>(a)); });
  handlers.Handlers.push_back(nullptr);
  handlers.Handlers.push_back([&](TObject* s, const void*) { order += s == &handlers ? "s" : "?"; });
  handlers.InvokeAll(&handlers, &arg);
  EXPECT_EQ(order, "5s");
}

// ---- components ---------------------------------------------------------------------------------

class TLinking : public TcxComponent {
  VW_CLASS(TLinking, TcxComponent)
 public:
  using TcxComponent::TcxComponent;
  std::vector<TComponent*> Refs;
  void Refresh() { RefreshFakeLinks(); }

 protected:
  void CollectLinkedComponents(TList* List) override {
    for (TComponent* c : Refs) List->Add(c);
  }
};

TEST(TcxComponent, FakeLinksShowLinkedComponentsAtDesignTime) {
  TComponent form(nullptr);
  auto* a = new TComponent(&form);
  auto* b = new TComponent(&form);
  auto* l = new TLinking(&form);
  l->Refs = {a, b};
  l->Refresh();  // not designing: untouched
  EXPECT_EQ(l->FakeComponentLink1(), nullptr);

  form.SetDesigning(true);
  l->Refresh();
  EXPECT_EQ(l->FakeComponentLink1(), a);
  EXPECT_EQ(l->FakeComponentLink2(), b);
  EXPECT_EQ(l->FakeComponentLink3(), nullptr);

  TObject::Free(a);  // a link never dangles
  EXPECT_EQ(l->FakeComponentLink1(), nullptr);
  EXPECT_EQ(l->FakeComponentLink2(), b);
  EXPECT_FALSE(IsStoredProp(l, GetPropInfo(l, "FakeComponentLink2")));
}

class TDestroyWatcher : public TcxComponent {
  VW_CLASS(TDestroyWatcher, TcxComponent)
 public:
  using TcxComponent::TcxComponent;
  ~TDestroyWatcher() override { SawDestroying = HasState(csDestroying); }
  static inline bool SawDestroying = false;
};

TEST(TcxComponent, DestroyingIsSetBeforeAnyDestructor) {
  TDestroyWatcher::SawDestroying = false;
  TObject::Free(new TDestroyWatcher(nullptr));
  EXPECT_TRUE(TDestroyWatcher::SawDestroying);
}

TEST(TcxFreeNotificator, RelaysRemovals) {
  TcxFreeNotificator relay(nullptr);
  std::vector<TComponent*> freed;
  relay.OnFreeNotification = [&](TComponent* c) { freed.push_back(c); };
  auto* a = new TComponent(nullptr);
  auto* b = new TComponent(nullptr);
  relay.WatchComponent(a);
  relay.WatchComponent(b);
  relay.WatchComponent(nullptr);
  relay.UnwatchComponent(b);
  relay.UnwatchComponent(nullptr);
  TObject::Free(a);
  TObject::Free(b);
  ASSERT_EQ(freed.size(), 1u);
  EXPECT_EQ(freed[0], a);
}

// ---- owned interfaced collection ----------------------------------------------------------------

class TValueItem : public TcxInterfacedCollectionItem {
  VW_CLASS(TValueItem, TcxInterfacedCollectionItem)
 public:
  using TcxInterfacedCollectionItem::TcxInterfacedCollectionItem;
  int Value = 0;
  void SetValue(int v) {
    Value = v;
    Changed(false);
  }
};

TEST(TcxOwnedInterfacedCollection, ReportsSettledChangesAndSortsWhenAllChanged) {
  TcxInterfacedPersistent owner(nullptr);
  auto* coll = new TcxOwnedInterfacedCollection(&owner, ClassOf<TValueItem>());
  std::vector<TCollectionItem*> changes;
  coll->OnChange = [&](TObject* Sender, TCollectionItem* Item) {
    EXPECT_EQ(Sender, coll);
    changes.push_back(Item);
  };
  coll->OnCompare = [](TcxOwnedInterfacedCollection*, TCollectionItem* A, TCollectionItem* B) {
    return static_cast<TValueItem*>(A)->Value - static_cast<TValueItem*>(B)->Value;
  };

  auto* first = static_cast<TValueItem*>(coll->Add());
  EXPECT_EQ(first->OwnerInterface(), static_cast<IInterface*>(coll));
  EXPECT_EQ(changes.size(), 1u);

  coll->BeginUpdate();
  for (int v : {3, 1, 2}) static_cast<TValueItem*>(coll->Add())->SetValue(v);
  first->SetValue(9);
  EXPECT_EQ(changes.size(), 1u);  // held back
  coll->SetSorted(true);
  coll->EndUpdate();
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[1], nullptr);
  std::vector<int> order;
  for (int i = 0; i < coll->Count(); ++i) order.push_back(static_cast<TValueItem*>(coll->Items(i))->Value);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 9}));

  // A single item's change does not re-sort.
  static_cast<TValueItem*>(coll->Items(0))->SetValue(10);
  ASSERT_EQ(changes.size(), 3u);
  EXPECT_EQ(changes[2], coll->Items(0));

  changes.clear();
  delete coll;  // freeing the items reports nothing
  EXPECT_TRUE(changes.empty());
}

TEST(TcxIUnknownObject, AnswersItsInterfacesWithoutCounting) {
  struct IFoo : virtual IInterface {
    virtual int Foo() = 0;
  };
  struct IBar : virtual IInterface {};
  struct TFoo : TcxIUnknownObject, IFoo {
    int Foo() override { return 7; }
  };
  TFoo foo;
  ASSERT_NE(foo.QueryInterface<IFoo>(), nullptr);
  EXPECT_EQ(foo.QueryInterface<IFoo>()->Foo(), 7);
  EXPECT_EQ(foo.QueryInterface<IBar>(), nullptr);
  EXPECT_EQ(foo.AddRef(), -1);
  EXPECT_EQ(foo.Release(), -1);
}

}  // namespace
