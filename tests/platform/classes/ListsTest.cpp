#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/classes/Lists.h"

namespace {

// Records what the list tells its descendants.
class TRecordingList : public TList {
 public:
  std::vector<std::string> log;

 protected:
  void Notify(void* Ptr, TListNotification Action) override {
    static const char* names[] = {"added", "extracted", "deleted"};
    log.push_back(std::string(names[Action]) + " " + *static_cast<std::string*>(Ptr));
  }
};

TEST(TList, TellsDescendantsWhatEntersAndLeaves) {
  std::string a = "a", b = "b", c = "c";
  TRecordingList list;
  list.Add(&a);
  list.Insert(0, &b);
  list.Add(nullptr);  // nulls are not announced
  list.Add(&c);
  list.Move(0, 2);  // a move is no change of membership
  list.SetItems(0, &b);  // replaces a
  EXPECT_EQ(list.Extract(&b), &b);
  EXPECT_EQ(list.Remove(&c), 2);
  EXPECT_EQ(list.Remove(&c), -1);
  list.Pack();
  EXPECT_EQ(list.Count(), 1);
  list.Clear();
  EXPECT_EQ(list.log, (std::vector<std::string>{"added a", "added b", "added c", "deleted a", "added b", "extracted b",
                                                "deleted c", "deleted b"}));
}

TEST(TList, BadIndexesRaiseTheListError) {
  TList list;
  int x = 0;
  list.Add(&x);
  struct Case {
    std::function<void()> op;
    const char* message;
  } cases[] = {
      {[&] { list.Items(1); }, "List index out of bounds (1)"},
      {[&] { list.Delete(-1); }, "List index out of bounds (-1)"},
      {[&] { list.Insert(2, &x); }, "List index out of bounds (2)"},
      {[&] { list.Move(0, 5); }, "List index out of bounds (5)"},
      {[&] { list.SetCount(-3); }, "List count out of bounds (-3)"},
      {[&] { list.SetCapacity(0); }, "List capacity out of bounds (0)"},
  };
  for (auto& c : cases) {
    try {
      c.op();
      ADD_FAILURE() << c.message << ": no error";
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  EXPECT_EQ(list.Count(), 1);
}

class TCounted : public TObject {
  VW_CLASS(TCounted, TObject)
 public:
  explicit TCounted(int* destroyed = nullptr) : FDestroyed(destroyed) {}
  ~TCounted() override {
    if (FDestroyed) ++*FDestroyed;
  }

 private:
  int* FDestroyed;
};

class TCountedChild : public TCounted {
  VW_CLASS(TCountedChild, TCounted)
 public:
  using TCounted::TCounted;
};

TEST(TObjectList, FreesWhatItOwnsAndHandsBackWhatIsExtracted) {
  int destroyed = 0;
  std::unique_ptr<TCounted> kept;
  {
    TObjectList list;
    for (int i = 0; i < 4; ++i) list.Add(new TCounted(&destroyed));
    list.Delete(0);
    EXPECT_EQ(destroyed, 1);
    list.SetItems(0, new TCounted(&destroyed));  // the replaced object is freed
    EXPECT_EQ(destroyed, 2);
    kept.reset(static_cast<TCounted*>(list.Extract(list.Last())));
    EXPECT_EQ(destroyed, 2);
    list.Add(new TCountedChild(&destroyed));
    EXPECT_EQ(list.FindInstanceOf(TCountedChild::StaticClass()), 2);
    EXPECT_EQ(list.FindInstanceOf(TCounted::StaticClass(), false, 1), 1);
    EXPECT_EQ(list.FindInstanceOf(TCounted::StaticClass(), true, 2), -1);
  }
  EXPECT_EQ(destroyed, 5);  // the rest went with the list
  kept.reset();
  EXPECT_EQ(destroyed, 6);

  TCounted loose(&destroyed);
  {
    TObjectList notOwning(false);
    notOwning.Add(&loose);
    notOwning.Clear();
  }
  EXPECT_EQ(destroyed, 6);
}

TEST(TComponentList, ForgetsComponentsDestroyedElsewhere) {
  auto* owner = new TComponent(nullptr);
  auto* a = new TComponent(owner);
  auto* b = new TComponent(owner);
  TComponentList watching(false);
  watching.Add(a);
  watching.Add(b);
  watching.Add(a);  // twice: both entries must go
  TObject::Free(a);
  ASSERT_EQ(watching.Count(), 1);
  EXPECT_EQ(watching.Items(0), b);

  {
    // An owning list frees what it holds; the owner then no longer lists it.
    TComponentList owning;
    owning.Add(new TComponent(owner));
    EXPECT_EQ(owner->ComponentCount(), 2);
  }
  EXPECT_EQ(owner->ComponentCount(), 1);

  // The list goes first: destroying the component later touches nothing freed (AddressSanitizer).
  {
    TComponentList shortLived(false);
    shortLived.Add(b);
  }
  TObject::Free(owner);
  EXPECT_EQ(watching.Count(), 0);
}

struct IThing : public virtual IInterface {
  virtual int Value() const = 0;
};

class TThing : public TInterfacedObject, public IThing {
 public:
  explicit TThing(int v) : FValue(v) {}
  int Value() const override { return FValue; }

 private:
  int FValue;
};

TEST(TInterfaceList, HoldsInterfaceReferences) {
  TThing one(1), two(2);
  TInterfaceList list;
  list.Add(static_cast<IThing*>(&one));
  list.Add(static_cast<IThing*>(&two));
  list.Exchange(0, 1);
  IThing* first = nullptr;
  ASSERT_TRUE(Supports<IThing>(list.First(), &first));
  EXPECT_EQ(first->Value(), 2);
  EXPECT_EQ(list.IndexOf(static_cast<IThing*>(&one)), 1);
  EXPECT_EQ(list.Remove(static_cast<IThing*>(&two)), 0);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_THROW(list.Items(1), EListError);
}

TEST(TInterfacedObject, TheLastReleaseFreesACountedObject) {
  static int freed;
  freed = 0;
  struct TCounted : TInterfacedObject {
    ~TCounted() override { ++freed; }
  };
  auto* counted = new TCounted;
  EXPECT_EQ(counted->RefCount(), 0);
  EXPECT_EQ(counted->_AddRef(), 1);
  EXPECT_EQ(counted->_AddRef(), 2);
  EXPECT_EQ(counted->_Release(), 1);
  EXPECT_EQ(freed, 0);
  EXPECT_EQ(counted->_Release(), 0);
  EXPECT_EQ(freed, 1);
  // One that nobody counts stays with its owner.
  { TCounted owned; }
  EXPECT_EQ(freed, 2);
}

}  // namespace
