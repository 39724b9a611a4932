#include <gtest/gtest.h>

#include "tests/ui/pages/FakeTabControl.h"
#include "ui/foundation/Core.h"
#include "ui/pages/PCStrings.h"

namespace {

template <class F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const EdxException& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(Tabs, ErrorTexts) {
  TFakeTabControl control;
  control.AddTabs({50, 50, 50});
  EXPECT_EQ(ErrorOf([&] { control.TabList.Strings(-1); }), "TcxTabs.Get: Tab's index (-1) out of bounds");
  EXPECT_EQ(ErrorOf([&] { control.TabList.Strings(3); }), "TcxTabs.Get: Tab's index (3) out of bounds");
  EXPECT_EQ(ErrorOf([&] { control.TabList.Insert(4, "x"); }), "TcxTabs.Insert: Tab's index (4) out of bounds");
  EXPECT_EQ(ErrorOf([&] { control.TabList.Delete(3); }), "TcxTabs.Delete: Tab's index (3) out of bounds");
  EXPECT_EQ(ErrorOf([&] { control.TabList.Tab(5); }), "TcxTabs.GetTab: Tab's index (5) out of bounds");
  EXPECT_EQ(ErrorOf([&] { control.TabList.VisibleTab(5); }),
            "TcxTabs.GetVisibleTab: TabVisibleIndex (5) must be between 0 and 2");
  EXPECT_EQ(ErrorOf([&] { control.TabList.VisibleTabs()->GetTab(3); }),
            "TcxVisibleTabList.GetTab: TabVisibleIndex (3) must be between 0 and 2");
  control.TabList.Clear();
  EXPECT_EQ(ErrorOf([&] { control.TabList.VisibleTabs()->GetTab(0); }),
            "TcxVisibleTabList.GetTab: There are no visible tabs");
}

TEST(Tabs, StringsAreListedUnderTheProduct) {
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  int index = repository->IndexOfProduct("Page Control Library");
  ASSERT_GE(index, 0);
  TdxProductResourceStrings* product = repository->ProductAt(index);
  EXPECT_EQ(product->ResStringCount(), 12);
  EXPECT_EQ(cxPCMessage(scxPCAllowRotateError, {"OneNote"}), "OneNote style does not support rotation of tabs");
}

TEST(Tabs, FirstInsertedTabIsSelectedSilently) {
  TFakeTabControl control;
  control.FLoading = true;
  control.TabList.Add("50");
  EXPECT_EQ(control.FTabIndex, -1);
  control.FLoading = false;
  control.TabList.Clear();
  control.TabList.Add("50");
  control.TabList.Add("50");
  EXPECT_EQ(control.FTabIndex, 0);
  EXPECT_EQ(control.SilentSelections, 1);
  // Indexes follow inserts, deletes and moves; the image index starts as the tab's own index.
  control.TabList.Insert(0, "first");
  control.TabList.Move(2, 0);
  EXPECT_EQ(control.TabList.Strings(0), "50");
  EXPECT_EQ(control.TabList.Tab(0)->Index(), 0);
  EXPECT_EQ(control.TabList.Tab(1)->Caption(), "first");
  EXPECT_EQ(control.TabList.Tab(1)->ImageIndex(), 0);
  EXPECT_TRUE(control.TabList.Tab(1)->IsImageIndexStored());
  control.TabList.Delete(0);
  EXPECT_EQ(control.TabList.Tab(0)->Index(), 0);
  EXPECT_EQ(control.TabList.VisibleCount(), 2);
}

TEST(Tabs, ChangeNotifications) {
  TFakeTabControl control;
  control.AddTabs({50, 50, 50});
  TcxTab* tab = control.TabList.Tab(1);
  auto last = [&] { return control.Repaints.empty() ? std::pair<int, int>{-9, -9} : control.Repaints.back(); };

  tab->SetColor(clRed);
  EXPECT_EQ(last(), (std::pair<int, int>{1, tpcColor}));
  tab->SetHighlighted(true);
  EXPECT_EQ(last(), (std::pair<int, int>{1, tpcHighlighted}));
  tab->SetEnabled(false);
  EXPECT_EQ(last(), (std::pair<int, int>{1, tpcEnabled}));
  tab->SetCaption("50 wide as before");
  EXPECT_EQ(last(), (std::pair<int, int>{1, tpcNotSpecified}));

  int relayouts = control.Relayouts;
  tab->SetCaption("70");
  EXPECT_EQ(control.Relayouts, relayouts + 1);
  EXPECT_EQ(tab->NormalWidth(), 70);
  tab->SetImageIndex(-5);
  EXPECT_EQ(tab->ImageIndex(), -1);
  EXPECT_EQ(control.Relayouts, relayouts + 2);
  tab->SetImageIndex(-1);
  EXPECT_EQ(control.Relayouts, relayouts + 2);

  // Inside an update nothing happens until its end, which relayouts once.
  control.TabList.BeginUpdate();
  control.TabList.Add("20");
  control.TabList.Tab(0)->SetCaption("90");
  control.TabList.EndUpdate();
  EXPECT_EQ(control.Relayouts, relayouts + 3);
}

TEST(Tabs, SelectedMarkNeedsAMultiSelectStyle) {
  TFakeTabControl control;
  control.AddTabs({50, 50, 50});
  control.TabList.Tab(2)->SetSelected(true);
  EXPECT_FALSE(control.TabList.Tab(2)->Selected());
  control.TabList.Tab(0)->SetSelected(true);  // the TabIndex tab
  EXPECT_TRUE(control.TabList.Tab(0)->Selected());

  control.Painter.MultiSelect = true;
  control.TabList.Tab(2)->SetSelected(true);
  EXPECT_TRUE(control.TabList.Tab(2)->Selected());
  EXPECT_TRUE(control.FMultiSelectMode);
  EXPECT_EQ(control.Repaints.back(), (std::pair<int, int>{2, tpcSelected}));
}

TEST(Tabs, HidingTheSelectedTabSelectsTheNextVisibleOne) {
  struct TCase {
    const char* Name;
    int Selected;
    bool ScrolledAway;
    int Expected;
  } cases[] = {
      {"middle tab", 4, false, 5},
      {"last tab", 9, false, 8},
      {"last tab scrolled out of view", 9, true, 8},
      {"first tab scrolled out of view", 0, true, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFakeTabControl control;
    control.FRequiresVisibleSelection = true;
    control.Painter.Width = 200;
    control.AddTabs({50, 50, 50, 50, 50, 50, 50, 50, 50, 50});
    control.SetTabIndex(c.Selected);
    control.TabLayout.SetFirstVisibleTab(c.Selected == 0 ? 6 : 0);
    if (!c.ScrolledAway) control.TabLayout.MakeTabVisible(c.Selected);
    control.Relayout();
    ASSERT_EQ(control.TabList.Tab(c.Selected)->IsOnScreen(), !c.ScrolledAway);
    control.TabList.Tab(c.Selected)->SetVisible(false);
    EXPECT_EQ(control.FTabIndex, c.Expected);
  }
}

TEST(Tabs, VisibleListSearchGivesInsertionPlaces) {
  TFakeTabControl control;
  control.AddTabs({10, 10, 10, 10, 10, 10});
  control.TabList.Tab(1)->SetVisible(false);
  control.TabList.Tab(4)->SetVisible(false);
  TcxVisibleTabList* list = control.TabList.VisibleTabs();  // 0 2 3 5
  struct {
    int Index;
    bool Found;
    int Position;
  } cases[] = {{0, true, 0}, {1, false, 1}, {3, true, 2}, {4, false, 3}, {5, true, 3}, {9, false, 4}};
  for (const auto& c : cases) {
    int position = -7;
    EXPECT_EQ(list->Find(c.Index, position), c.Found) << c.Index;
    EXPECT_EQ(position, c.Position) << c.Index;
  }
  list->Add(3);
  EXPECT_EQ(list->Count(), 4);
  EXPECT_EQ(control.TabList.Tab(4)->VisibleIndex(), -1);
  control.TabList.Tab(4)->SetVisible(true);
  EXPECT_EQ(control.TabList.Tab(4)->VisibleIndex(), 3);
}

TEST(Tabs, AssignAndSlants) {
  TFakeTabControl control;
  control.AddTabs({10, 10});
  TcxTab* source = control.TabList.Tab(0);
  TcxTab* dest = control.TabList.Tab(1);
  source->SetCaption("copied");
  source->SetColor(clRed);
  source->SetImageIndex(5);
  source->SetHighlighted(true);
  dest->Assign(source);
  EXPECT_EQ(dest->Caption(), "copied");
  EXPECT_EQ(dest->ImageIndex(), 5);
  EXPECT_TRUE(dest->Highlighted());
  EXPECT_EQ(dest->Color(), clDefault);

  int changes = 0;
  TcxTabSlants slants([&] { ++changes; });
  EXPECT_EQ(slants.Kind(), skSlant);
  EXPECT_EQ(slants.Positions(), TcxTabSlantPositions{spLeft});
  slants.SetKind(skSlant);
  slants.SetKind(skCutCorner);
  TcxTabSlants other;
  other.SetPositions({spLeft, spRight});
  slants.Assign(&other);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(slants.Kind(), skSlant);
}

}  // namespace
