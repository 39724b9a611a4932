#include "ui/foundation/ResourceStrings.h"

#include <gtest/gtest.h>

namespace {

const TResStringRec sReadError{"Stream read error"};
const TResStringRec sWriteError{"Stream write error"};

void FillData(TdxProductResourceStrings* P) {
  // Recorded out of order: the product keeps its identifiers sorted.
  P->RecordResString("cxSDataWriteError", &sWriteError);
  P->RecordResString("cxSDataReadError", &sReadError);
}

class Listener : public IcxStringTableListener {
 public:
  void TranslationChanged() override { ++Calls; }
  int Calls = 0;
};

TEST(ResourceStrings, TextOfRecord) {
  EXPECT_EQ(GetLocalizedResString(&sReadError), "Stream read error");
  EXPECT_EQ(GetLocalizedResString(sWriteError), "Stream write error");
  EXPECT_EQ(GetLocalizedResString(nullptr), "");
}

TEST(ResourceStrings, ProductRunsFillProcOnceAndSortsIdentifiers) {
  TdxResourceStringsRepository repo;
  int fills = 0;
  repo.AddProduct("Data Controller Library", [&](TdxProductResourceStrings* P) {
    ++fills;
    FillData(P);
  });
  ASSERT_EQ(fills, 1);
  ASSERT_EQ(repo.ProductCount(), 1);
  TdxProductResourceStrings* p = repo.ProductAt(0);
  EXPECT_EQ(p->Name(), "Data Controller Library");
  ASSERT_EQ(p->ResStringCount(), 2);
  EXPECT_EQ(p->ResStringNameAt(0), "cxSDataReadError");
  EXPECT_EQ(p->ResStringAt(0), &sReadError);
  EXPECT_EQ(p->ResStringNameAt(1), "cxSDataWriteError");
  EXPECT_EQ(GetLocalizedResString(p->ResStringAt(1)), "Stream write error");

  repo.AddProduct("Without strings", nullptr);
  EXPECT_EQ(repo.ProductAt(1)->ResStringCount(), 0);
}

TEST(ResourceStrings, SameTitleTwiceKeepsBothAndRemoveTakesTheFirst) {
  TdxResourceStringsRepository repo;
  repo.AddProduct("Core Library", [](TdxProductResourceStrings* P) { P->RecordResString("a", &sReadError); });
  repo.AddProduct("Editors Library", nullptr);
  repo.AddProduct("Core Library", nullptr);
  ASSERT_EQ(repo.ProductCount(), 3);
  EXPECT_EQ(repo.IndexOfProduct("Core Library"), 0);

  repo.RemoveProduct("core library");  // titles are case-sensitive
  repo.RemoveProduct("Bars Library");  // unknown: nothing happens
  ASSERT_EQ(repo.ProductCount(), 3);

  repo.RemoveProduct("Core Library");
  ASSERT_EQ(repo.ProductCount(), 2);
  EXPECT_EQ(repo.ProductAt(0)->Name(), "Editors Library");
  EXPECT_EQ(repo.ProductAt(1)->Name(), "Core Library");
  EXPECT_EQ(repo.ProductAt(1)->ResStringCount(), 0);  // the second registration is the one left
  EXPECT_EQ(repo.IndexOfProduct("Core Library"), 1);
}

TEST(ResourceStrings, ListenersAreKeptOnceAndNeverCalled) {
  TdxResourceStringsRepository repo;
  Listener a, b;
  repo.AttachListener(&a);
  repo.AttachListener(&a);
  repo.AttachListener(&b);
  ASSERT_EQ(repo.ListenerCount(), 2);
  repo.DetachListener(&a);
  repo.DetachListener(&a);
  ASSERT_EQ(repo.ListenerCount(), 1);
  EXPECT_EQ(repo.ListenerAt(0), &b);
  repo.AddProduct("Core Library", FillData);
  repo.RemoveProduct("Core Library");
  EXPECT_EQ(a.Calls + b.Calls, 0);
}

TEST(ResourceStrings, ProcessRepositoryIsOne) {
  TdxResourceStringsRepository* repo = GetResourceStringsRepository();
  ASSERT_NE(repo, nullptr);
  EXPECT_EQ(GetResourceStringsRepository(), repo);
  int before = repo->ProductCount();
  repo->AddProduct("Page Control Library", FillData);
  EXPECT_EQ(repo->ProductCount(), before + 1);
  repo->RemoveProduct("Page Control Library");
  EXPECT_EQ(repo->ProductCount(), before);
}

}  // namespace
