// Item categories: list edits keep every item's category index in step, the items visibility of a
// category reaches its items and empty toolbars, and the two per-category lists a form keeps.
#include <gtest/gtest.h>

#include <map>

#include "platform/classes/FormDescription.h"
#include "tests/ui/bars/BarItemFixture.h"

namespace {

class BarCategoriesTest : public BarItemFixture {
 protected:
  // Categories "A", "B", "C" holding a0 a1, b0, c0.
  void MakeThree() {
    M = NewCountingManager();
    M->SetName("dxBarManager1");
    Cats = M->CategoryList();
    Cats->Clear();
    for (const char* name : {"A", "B", "C"}) Cats->Add(name);
    Items = {{"a0", NewItem(M, "a0", 0)}, {"a1", NewItem(M, "a1", 0)}, {"b0", NewItem(M, "b0", 1)},
             {"c0", NewItem(M, "c0", 2)}};
  }
  String Names() {
    String s;
    for (int i = 0; i < Cats->Count(); ++i) s += Cats->Strings(i);
    return s;
  }
  std::map<String, int> Indexes() {
    std::map<String, int> result;
    for (auto& [name, item] : Items) result[name] = item->Category();
    return result;
  }

  TCountingBarManager* M = nullptr;
  TdxBarManagerCategories* Cats = nullptr;
  std::map<String, TFixtureItem*> Items;
};

TEST_F(BarCategoriesTest, ListEditsKeepItemsInTheirCategories) {
  struct Case {
    const char* what;
    std::function<void(TdxBarManagerCategories*)> edit;
    const char* names;
    std::map<String, int> indexes;
  };
  const std::vector<Case> cases = {
      {"move 0 to 2", [](auto* c) { c->Move(0, 2); }, "BCA", {{"a0", 2}, {"a1", 2}, {"b0", 0}, {"c0", 1}}},
      {"move 2 to 0", [](auto* c) { c->Move(2, 0); }, "CAB", {{"a0", 1}, {"a1", 1}, {"b0", 2}, {"c0", 0}}},
      {"insert at the end", [](auto* c) { c->Insert(3, "D"); }, "ABCD", {{"a0", 0}, {"a1", 0}, {"b0", 1}, {"c0", 2}}},
      {"insert at 0", [](auto* c) { c->Insert(0, "Z"); }, "ZABC", {{"a0", 1}, {"a1", 1}, {"b0", 2}, {"c0", 3}}},
      {"exchange 0 and 1", [](auto* c) { c->Exchange(0, 1); }, "BAC", {{"a0", 1}, {"a1", 1}, {"b0", 0}, {"c0", 2}}},
      {"invalid indexes", [](auto* c) { c->Move(0, 5); c->Exchange(-1, 1); c->ReassignCategory(7, 0); c->ReassignCategory(1, -1); },
       "ABC", {{"a0", 0}, {"a1", 0}, {"b0", 1}, {"c0", 2}}},
      {"reassign 1 to 2", [](auto* c) { c->ReassignCategory(1, 2); }, "ABC", {{"a0", 0}, {"a1", 0}, {"b0", 2}, {"c0", 2}}},
      {"delete 1", [](auto* c) { c->Delete(1); }, "AC", {{"a0", 0}, {"a1", 0}, {"c0", 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MakeThree();
    c.edit(Cats);
    if (c.indexes.count("b0") == 0) Items.erase("b0");
    EXPECT_EQ(Names(), c.names);
    EXPECT_EQ(Indexes(), c.indexes);
    delete M;
    for (auto& [name, item] : Items) delete item;
  }
}

TEST_F(BarCategoriesTest, ExchangeGoesThroughEachItemsCategory) {
  MakeThree();
  Cats->Exchange(0, 1);
  EXPECT_EQ(Items["a0"]->CategoryWrites, 1);
  EXPECT_EQ(Items["b0"]->CategoryWrites, 1);
  EXPECT_EQ(Items["c0"]->CategoryWrites, 0);
  Cats->Move(0, 1);
  Cats->Insert(0, "Z");
  EXPECT_EQ(Items["b0"]->CategoryWrites, 1) << "move and insert write the indexes directly";
}

TEST_F(BarCategoriesTest, DeletingTheOnlyCategoryFreesItsItemsAndLeavesDefault) {
  TCountingBarManager* m = NewCountingManager();
  ASSERT_EQ(m->Categories()->Count(), 1);
  EXPECT_EQ(m->Categories()->Strings(0), "Default");
  NewItem(m, "one");
  NewItem(m, "two");
  m->Categories()->Delete(0);
  EXPECT_EQ(m->ItemCount(), 0);
  EXPECT_EQ(Form->FindComponent("one"), nullptr);
  ASSERT_EQ(m->Categories()->Count(), 1);
  EXPECT_EQ(m->Categories()->Strings(0), "Default");
}

TEST_F(BarCategoriesTest, SortingKeepsItemsInTheirNamedCategories) {
  MakeThree();
  Cats->Clear();
  for (const char* name : {"Gamma", "Alpha", "Delta", "Beta"}) Cats->Add(name);
  auto* d0 = NewItem(M, "d0", 3);
  std::map<TdxBarItem*, String> named;
  for (int i = 0; i < M->ItemCount(); ++i) named[M->Items(i)] = Cats->Strings(M->Items(i)->Category());
  M->Refreshes = 0;
  Cats->Sort();
  EXPECT_EQ(Names(), "AlphaBetaDeltaGamma");
  EXPECT_EQ(M->Refreshes, 1) << "one update";
  for (auto& [item, name] : named) EXPECT_EQ(Cats->Strings(item->Category()), name) << item->Name();
  EXPECT_EQ(d0->Category(), 1);
}

TEST_F(BarCategoriesTest, ItemsVisibilityFollowsTheCategory) {
  MakeThree();
  TFixtureItem* own = NewItem(M, "own", 0);
  own->SetVisible(ivInCustomizing);
  M->Refreshes = 0;
  M->SetCategoryItemsVisible(0, ivNever);
  EXPECT_EQ(M->Refreshes, 1);
  EXPECT_EQ(Items["a0"]->Visible(), ivNever);
  EXPECT_EQ(Items["a1"]->Visible(), ivNever);
  EXPECT_EQ(Items["b0"]->Visible(), ivAlways);
  EXPECT_EQ(own->Visible(), ivInCustomizing) << "a visibility of its own is kept";
  EXPECT_EQ(M->CategoryItemsVisible(0), ivNever);
  EXPECT_TRUE(M->Modified());
  M->SetCategoryItemsVisible(0, ivAlways);
  EXPECT_EQ(Items["a0"]->Visible(), ivAlways);
  EXPECT_EQ(Items["a1"]->Visible(), ivAlways);
  EXPECT_EQ(own->Visible(), ivInCustomizing);
  EXPECT_EQ(M->CategoryItemsVisible(1), ivAlways) << "no data reads the default";
  EXPECT_TRUE(M->CategoryVisible(1));

  // What the customization dialog lists: visible items and visible categories.
  EXPECT_EQ(M->GetVisibleItemsByCategory(0), (std::vector<TdxBarItem*>{Items["a0"], Items["a1"]}));
  M->SetCategoryVisible(1, false);
  EXPECT_EQ(M->GetVisibleCategoryIndex(0), 0);
  EXPECT_EQ(M->GetVisibleCategoryIndex(1), 2);
  EXPECT_EQ(M->GetVisibleCategoryIndex(2), -1);
}

TEST_F(BarCategoriesTest, AutoHideEmptyBarsHidesAndShowsToolbars) {
  MakeThree();
  M->SetAutoHideEmptyBars(true);
  TdxBar* bar = M->Bars()->Add();
  bar->SetVisible(true);
  bar->ItemLinks()->AddItem(Items["a0"]);
  bar->ItemLinks()->AddItem(Items["a1"]);
  TdxBar* mixed = M->Bars()->Add();
  mixed->SetVisible(true);
  mixed->ItemLinks()->AddItem(Items["a0"]);
  mixed->ItemLinks()->AddItem(Items["b0"]);

  M->SetCategoryItemsVisible(0, ivInCustomizing);
  EXPECT_TRUE(bar->Visible()) << "ivInCustomizing changes no toolbar";
  M->SetCategoryItemsVisible(0, ivAlways);
  M->SetCategoryItemsVisible(0, ivNever);
  EXPECT_FALSE(bar->Visible());
  EXPECT_TRUE(bar->HiddenAsEmpty());
  EXPECT_TRUE(mixed->Visible());
  M->SetCategoryItemsVisible(0, ivAlways);
  EXPECT_TRUE(bar->Visible());
  EXPECT_FALSE(bar->HiddenAsEmpty());
}

TEST_F(BarCategoriesTest, FormDescriptionKeepsTheTwoListsAndReadsPastExtras) {
  MakeThree();
  M->SetCategoryItemsVisible(2, ivNever);
  M->SetCategoryVisible(1, false);
  const String text = ComponentToFormText(M);
  EXPECT_NE(text.find("Categories.ItemsVisibles = (\r\n    2\r\n    2\r\n    0)"), String::npos) << text;
  EXPECT_NE(text.find("Categories.Visibles = (\r\n    True\r\n    False\r\n    True)"), String::npos) << text;

  // Five stored values for three categories: the extras are read past, the rest of the form loads,
  // and the items visibility applies after loading.
  M->SetCategoryItemsVisible(2, ivAlways);
  M->SetCategoryVisible(1, true);
  FormTextToComponent(
      "object dxBarManager1: TCountingBarManager\r\n"
      "  Categories.Strings = (\r\n"
      "    'A'\r\n"
      "    'B'\r\n"
      "    'C')\r\n"
      "  Categories.ItemsVisibles = (\r\n"
      "    0\r\n"
      "    2\r\n"
      "    2\r\n"
      "    0\r\n"
      "    0)\r\n"
      "  Categories.Visibles = (\r\n"
      "    True\r\n"
      "    False\r\n"
      "    True\r\n"
      "    False\r\n"
      "    False)\r\n"
      "  Style = bmsFlat\r\n"
      "end\r\n",
      M);
  EXPECT_EQ(M->Style(), bmsFlat);
  EXPECT_EQ(M->CategoryItemsVisible(0), ivNever);
  EXPECT_EQ(Items["a0"]->Visible(), ivNever);
  EXPECT_EQ(Items["b0"]->Visible(), ivAlways);
  EXPECT_FALSE(M->CategoryVisible(1));
  EXPECT_TRUE(M->CategoryVisible(2));
}

}  // namespace
