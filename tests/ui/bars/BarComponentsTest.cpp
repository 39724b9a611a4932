// Bar components and item groups: the holders a component tells of its changes, recursion refused,
// values pushed to members inside one update, and the member names a form description keeps.
#include <gtest/gtest.h>

#include <map>

#include "platform/classes/FormDescription.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Modules.h"
#include "platform/win/Metrics.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/Core.h"
#include "tests/ui/bars/BarItemFixture.h"

namespace {

class BarComponentsTest : public BarItemFixture {};

TEST_F(BarComponentsTest, GroupsRefuseRecursionAndPushValuesInOneUpdate) {
  auto* m = NewCountingManager();
  auto* i1 = NewItem(m, "Item1");
  auto* i2 = NewItem(m, "Item2");
  auto* other = NewItem(m, "Item3");
  TdxBarGroup* a = m->AddGroup();
  TdxBarGroup* b = m->AddGroup();
  a->Add(i1);
  a->Add(b);
  b->Add(i2);
  a->Add(nullptr);
  a->Add(b);
  EXPECT_EQ(a->Count(), 2) << "nil and present members are ignored";

  for (TdxBarGroup* refused : {a, b}) {
    try {
      b->Add(refused);
      FAIL() << "a recursive group";
    } catch (const EdxException& e) {
      EXPECT_STREQ(e.what(), "You cannot create recursive groups");
    }
  }
  EXPECT_EQ(b->Count(), 1);
  EXPECT_EQ(b->Items(0), i2);

  m->Refreshes = 0;
  a->SetVisible(ivNever);
  EXPECT_EQ(m->Refreshes, 1) << "one update for all members";
  EXPECT_EQ(i1->Visible(), ivNever);
  EXPECT_EQ(i2->Visible(), ivNever) << "nested groups pass the value on";
  EXPECT_EQ(b->Visible(), ivNever);
  EXPECT_EQ(other->Visible(), ivAlways);
  a->SetEnabled(false);
  EXPECT_EQ(m->Refreshes, 2);
  EXPECT_FALSE(i1->Enabled());
  EXPECT_FALSE(i2->Enabled());
  EXPECT_TRUE(other->Enabled());
}

TEST_F(BarComponentsTest, HoldersHearOfChangesAndNothingDangles) {
  auto* m = NewCountingManager();
  auto* item = NewItem(m, "Item1");
  TdxBarGroup* g1 = m->AddGroup();
  TdxBarGroup* g2 = m->AddGroup();
  g1->Add(item);
  g2->Add(item);
  std::map<TObject*, std::vector<TComponent*>> heard;
  for (TdxBarComponentList* list : {m->ItemList(), g1->ItemList(), g2->ItemList()})
    list->OnChange = [&](TObject* Sender, TComponent* C, TcxCollectionChangeKind Kind) {
      if (Kind == cckChanged) heard[Sender].push_back(C);
    };
  ASSERT_EQ(item->HolderCount(), 3);
  item->Changed();
  EXPECT_EQ(heard.size(), 3u);
  for (auto& [list, components] : heard) EXPECT_EQ(components, std::vector<TComponent*>{item});

  heard.clear();
  g1->Remove(item);
  EXPECT_EQ(item->HolderCount(), 2);
  item->Changed(true);
  EXPECT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[g2->ItemList()], std::vector<TComponent*>{nullptr}) << "nil: all items changed";

  // A freed group leaves its members' holders; a freed item leaves every list.
  delete g2;
  EXPECT_EQ(item->HolderCount(), 1);
  g1->Add(item);
  delete item;
  EXPECT_EQ(g1->Count(), 0);
  EXPECT_EQ(m->ItemCount(), 0);
  for (TdxBarComponentList* list : {m->ItemList(), g1->ItemList()}) list->OnChange = nullptr;
}

TEST_F(BarComponentsTest, RenamingAGroupTellsItsHolders) {
  auto* m = NewCountingManager();
  TdxBarGroup* g = m->AddGroup();
  int changes = 0;
  m->GroupList()->OnChange = [&](TObject*, TComponent* C, TcxCollectionChangeKind Kind) {
    if (Kind == cckChanged && C == g) ++changes;
  };
  g->SetName("Renamed");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(g->GetParentComponent(), m);
  EXPECT_TRUE(g->HasParent());
  m->GroupList()->OnChange = nullptr;
}

TEST_F(BarComponentsTest, GroupFormDescriptionKeepsMemberNames) {
  auto* m = NewCountingManager();
  auto* i1 = NewItem(m, "Item1");
  auto* i2 = NewItem(m, "Item2");
  TdxBarGroup* g = m->AddGroup();
  g->SetName("Group1");
  g->Add(i2);
  g->Add(i1);
  const String text = ComponentToFormText(g);
  EXPECT_NE(text.find("Items = (\r\n    'Item2'\r\n    'Item1')"), String::npos) << text;

  // Not written against an ancestor with the same names in the same order.
  auto written = [](TdxBarGroup* Group, TdxBarGroup* Ancestor) {
    TMemoryStream stream;
    TWriter writer(&stream);
    writer.WriteDescendent(Group, Ancestor);
    return stream.Size();
  };
  TdxBarGroup* same = m->AddGroup();
  same->Add(i2);
  same->Add(i1);
  TdxBarGroup* reordered = m->AddGroup();
  reordered->Add(i1);
  reordered->Add(i2);
  EXPECT_LT(written(g, same), written(g, reordered));

  // Read: resolved in Loaded through the owner, a missing name skipped.
  TdxBarGroup* read = m->AddGroup();
  FormTextToComponent(
      "object Group2: TdxBarGroup\r\n"
      "  Items = (\r\n"
      "    'Item1'\r\n"
      "    'Gone'\r\n"
      "    'Item2')\r\n"
      "end\r\n",
      read);
  ASSERT_EQ(read->Count(), 2);
  EXPECT_EQ(read->Items(0), i1);
  EXPECT_EQ(read->Items(1), i2);
}

class TStyleCountingBarControl : public TdxBarControl {
  VW_CLASS(TStyleCountingBarControl, TdxBarControl)
 public:
  explicit TStyleCountingBarControl(TComponent* AOwner) : TdxBarControl(AOwner) {}
  void BarManagerStyleChanged() override { ++StyleChanges; }
  int StyleChanges = 0;
};

TEST_F(BarComponentsTest, ABarBackgroundRebuildsTheLookOnce) {
  auto* m = NewCountingManager();
  auto* control = new TStyleCountingBarControl(Form);
  m->Backgrounds()->SetBar(nullptr);
  EXPECT_EQ(control->StyleChanges, 0) << "nil over an empty picture";

  TBitmap picture;
  picture.SetSize(8, 8);
  m->Backgrounds()->SetBar(&picture);
  EXPECT_EQ(control->StyleChanges, 1);
  EXPECT_EQ(m->Backgrounds()->Bar()->Width(), 8);
  m->Backgrounds()->SetSubMenu(&picture);
  EXPECT_EQ(control->StyleChanges, 1) << "menus read their picture when they paint";
  m->Backgrounds()->SetBar(nullptr);
  EXPECT_EQ(control->StyleChanges, 2) << "nil over a picture clears it";
  EXPECT_TRUE(m->Backgrounds()->Bar()->Empty());

  TdxBarBackgrounds copy(m);
  copy.Assign(m->Backgrounds());
  EXPECT_TRUE(copy.Bar()->Empty());
  EXPECT_EQ(copy.SubMenu()->Width(), 8);
  delete control;
}

}  // namespace
