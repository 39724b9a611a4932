// Sub-items, containers and list items: what a sub-item accepts into its menu, its toolbar to tear
// off into, and the links containers generate into the menus that show them.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/ui/bars/BarItemFixture.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarSubItem.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/Bars.h"

namespace {

class BarSubItemTest : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    M = NewCountingManager();
    Menu = new TdxBarSubItem(Form);
  }

  TdxBarListItem* List(std::initializer_list<const char*> AStrings) {
    auto* list = new TdxBarListItem(Form);
    for (const char* s : AStrings) list->Items()->Add(s);
    Menu->ItemLinks()->AddItem(list);
    return list;
  }
  TdxBarButton* Button(const String& Caption) {
    auto* b = new TdxBarButton(Form);
    b->SetCaption(Caption);
    return b;
  }
  // One generation of AItem into the menu's links, right behind the link that holds it.
  std::unique_ptr<TdxBarContainerLinkData> Expand(TCustomdxBarContainerItem* AItem) {
    TdxBarItemLinks* links = Menu->ItemLinks();
    TdxBarItemLink* link = nullptr;
    for (int i = 0; i < links->Count() && !link; ++i)
      if (links->Items(i)->Item() == AItem) link = links->Items(i);
    auto data = std::make_unique<TdxBarContainerLinkData>(AItem, link, link->Index());
    AItem->Populate(links, data.get(), link->Index() + 1);
    return data;
  }
  static void Collapse(TCustomdxBarContainerItem* AItem, std::unique_ptr<TdxBarContainerLinkData>& AData) {
    AItem->ScheduleClear();
    AItem->Collapse(AData.get());
    AData.reset();
  }
  static TdxBarItemLink* Generated(TdxBarContainerLinkData* AData, int AIndex) {
    return static_cast<TdxBarItemLink*>(AData->InPlaceItems->Items(AIndex));
  }
  static std::vector<String> Captions(TdxBarContainerLinkData* AData) {
    std::vector<String> captions;
    for (int i = 0; i < AData->InPlaceItems->Count(); ++i) captions.push_back(Generated(AData, i)->Item()->Caption());
    return captions;
  }

  TCountingBarManager* M = nullptr;
  TdxBarSubItem* Menu = nullptr;
};

// ---- sub-items ------------------------------------------------------------------------------------

TEST_F(BarSubItemTest, ASubItemStartsWithItsMenuLinksAndKeepsItsSettingsInRange) {
  EXPECT_TRUE(Menu->ShowCaption());
  EXPECT_TRUE(Menu->AllowCustomizing());
  EXPECT_FALSE(Menu->ClicksDirectly());
  ASSERT_NE(Menu->ItemLinks(), nullptr);
  EXPECT_TRUE(Menu->ItemLinks()->ShowsAllVisible()) << "a menu's links";
  EXPECT_EQ(Menu->ItemLinks()->BarManager(), M);
  EXPECT_EQ(Menu->ItemLinks()->LinksOwner(), static_cast<IdxBarLinksOwner*>(Menu));
  EXPECT_EQ(Menu->DefaultCaption(), "New SubItem");

  Menu->SetBarSize(-4);
  EXPECT_EQ(Menu->BarSize(), 0);
  Menu->SetBarSize(24);
  EXPECT_EQ(Menu->BarSize(), 24);

  Menu->SetInternal(true);
  EXPECT_TRUE(Menu->ItemLinks()->Internal());
  Menu->SetInternal(false);
  EXPECT_FALSE(Menu->ItemLinks()->Internal());

  EXPECT_TRUE(Menu->IsMergeableWith(new TdxBarSubItem(Form)));
  EXPECT_FALSE(Menu->IsMergeableWith(Button("Open")));
  EXPECT_FALSE(Menu->IsMergeableWith(new TdxBarContainerItem(Form)));
}

TEST_F(BarSubItemTest, AShortcutReachesTheMenusLinksInsteadOfClickingTheSubItem) {
  TdxBarButton* save = Button("Save");
  save->SetShortCut(TextToShortCut("Ctrl+S"));
  int saves = 0, menus = 0;
  save->SetOnClick([&](TObject*) { ++saves; });
  Menu->SetOnClick([&](TObject*) { ++menus; });
  Menu->SetShortCut(TextToShortCut("Ctrl+S"));
  Menu->ItemLinks()->AddItem(save);
  EXPECT_TRUE(Menu->HandleShortCut(TextToShortCut("Ctrl+S")));
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(menus, 0);
}

TEST_F(BarSubItemTest, TheNotificationsAndTheSideStripReachTheirEvents) {
  std::vector<String> fired;
  Menu->OnPopup = [&](TObject* Sender) { fired.push_back(Sender == Menu ? "popup" : "?"); };
  Menu->OnCloseUp = [&](TObject*) { fired.push_back("closeup"); };
  Menu->OnDetaching = [&](TObject*) { fired.push_back("detaching"); };
  TRect painted{};
  Menu->OnPaintBar = [&](TObject*, TCanvas*, const TRect& R) { painted = R; };
  Menu->NotifyPopup();
  Menu->NotifyCloseUp();
  Menu->NotifyDetaching();
  Menu->PaintBar(nullptr, TRect{0, 0, 20, 100});
  EXPECT_EQ(fired, (std::vector<String>{"popup", "closeup", "detaching"}));
  EXPECT_EQ(painted, (TRect{0, 0, 20, 100}));
}

TEST_F(BarSubItemTest, AMenuWindowBelongsToTheItemsManagerWithoutAnActiveLink) {
  TCustomdxBarControl* menu = Menu->CreateSubMenuControl();
  ASSERT_NE(dynamic_cast<TdxBarSubMenuControl*>(menu), nullptr);
  EXPECT_EQ(menu->Owner(), M);
  EXPECT_EQ(static_cast<TdxBarSubMenuControl*>(menu)->ParentWindow(), nullptr);
  TObject::Free(menu);
}

TEST_F(BarSubItemTest, ASubItemThatWouldOpenItsOwnMenuIsRefusedAtAnyDepth) {
  auto* inner = new TdxBarSubItem(Form);
  auto* deepest = new TdxBarSubItem(Form);
  Menu->ItemLinks()->AddItem(inner);
  inner->ItemLinks()->AddItem(deepest);
  String error;
  struct Case {
    TdxBarSubItem* Into;
    const char* What;
  };
  for (Case c : {Case{Menu, "its own menu"}, Case{inner, "one level down"}, Case{deepest, "two levels down"}}) {
    EXPECT_FALSE(c.Into->AcceptsItem(Menu, error)) << c.What;
    EXPECT_EQ(error, "You cannot create recursive menus") << c.What;
    const int before = c.Into->ItemLinks()->Count();
    EXPECT_THROW(c.Into->ItemLinks()->AddItem(Menu), EdxException) << c.What;
    EXPECT_EQ(c.Into->ItemLinks()->Count(), before) << c.What << ": the refused link is gone";
  }
  // The other way round is no recursion.
  auto* other = new TdxBarSubItem(Form);
  EXPECT_TRUE(other->AcceptsItem(Menu, error));
  EXPECT_EQ(error, "");
}

TEST_F(BarSubItemTest, TheDetachingBarIsAToolbarIndexThatForgetsAToolbarGoingAway) {
  EXPECT_EQ(Menu->DetachingBar(), -1);
  Menu->SetDetachingBar(0);
  EXPECT_EQ(Menu->DetachingBar(), -1) << "a manager without toolbars";
  for (int i = 0; i < 3; ++i) M->Bars()->Add()->SetCaption("Bar" + IntToStr(i));

  struct Case {
    int Value, Expected;
  };
  for (Case c : {Case{7, -1}, Case{-4, -1}, Case{3, -1}, Case{2, 2}, Case{-1, -1}, Case{1, 1}}) {
    Menu->SetDetachingBar(c.Value);
    EXPECT_EQ(Menu->DetachingBar(), c.Expected) << c.Value;
  }
  TdxBar* second = M->Bars()->Items(1);
  EXPECT_EQ(Menu->DetachingBarObject(), second);
  TObject::Free(second);
  EXPECT_EQ(Menu->DetachingBar(), -1);
  EXPECT_EQ(Menu->DetachingBarObject(), nullptr);

  // A sub-item going first leaves nothing behind in its toolbar.
  auto* other = new TdxBarSubItem(Form);
  other->SetDetachingBar(0);
  TObject::Free(other);
  TObject::Free(M->Bars()->Items(0));
}

// ---- list items -------------------------------------------------------------------------------------

TEST_F(BarSubItemTest, AListItemMakesNumberedButtonsAndSeparatorsOnlyStartGroups) {
  TdxBarListItem* list = List({"A", "-", "B", "C"});
  Menu->ItemLinks()->Items(0)->SetUseCount(4);
  auto data = Expand(list);
  EXPECT_EQ(Captions(data.get()), (std::vector<String>{"&1 A", "&2 B", "&3 C"}));
  std::vector<bool> groups;
  for (int i = 0; i < 3; ++i) {
    TdxBarItemLink* link = Generated(data.get(), i);
    groups.push_back(link->BeginGroup());
    EXPECT_EQ(link->Index(), 1 + i) << "behind the list's link";
    EXPECT_EQ(link->ContainerLink(), Menu->ItemLinks()->Items(0));
    EXPECT_EQ(link->UseCount(), 4);
  }
  EXPECT_EQ(groups, (std::vector<bool>{true, true, false}));

  // The buttons belong to the form and to the list, not to the manager's items.
  ASSERT_EQ(list->ItemList()->Count(), 3);
  std::vector<std::intptr_t> tags;
  for (int i = 0; i < 3; ++i) {
    auto* button = static_cast<TdxBarButton*>(list->ItemList()->Items(i));
    tags.push_back(button->Tag());
    EXPECT_EQ(button->Owner(), Form);
    EXPECT_EQ(M->ItemList()->IndexOf(button), -1);
    EXPECT_EQ(button->Hint(), "");
  }
  EXPECT_EQ(tags, (std::vector<std::intptr_t>{0, 2, 3})) << "each button's string index";
  Collapse(list, data);
  EXPECT_EQ(Menu->ItemLinks()->Count(), 1);
  EXPECT_EQ(list->PopulationCount(), 0);
}

TEST_F(BarSubItemTest, EntriesPastNineAreNumberedWithLettersAndEveryNumberEncodes) {
  struct Case {
    int Entry;
    String Number;
  };
  for (Case c : {Case{0, "1"}, Case{8, "9"}, Case{9, "A"}, Case{10, "B"}, Case{34, "Z"}, Case{70, "~"},
                 Case{71, "\x7F"}, Case{200, "\xC4\x80"}})
    EXPECT_EQ(dxBarListItemEntryNumber(c.Entry), c.Number) << c.Entry;

  TdxBarListItem* list = List({});
  for (int i = 1; i <= 12; ++i) list->Items()->Add("W" + IntToStr(i));
  auto data = Expand(list);
  std::vector<String> captions = Captions(data.get());
  ASSERT_EQ(captions.size(), 12u);
  EXPECT_EQ(captions[8], "&9 W9");
  EXPECT_EQ(captions[9], "&A W10");
  EXPECT_EQ(captions[11], "&C W12");

  list->SetShowNumbers(false);
  auto unnumbered = Expand(list);
  EXPECT_EQ(Captions(unnumbered.get())[9], "W10");
}

TEST_F(BarSubItemTest, DataIndexCountsEntriesWithoutSeparators) {
  TdxBarListItem* list = List({"A", "-", "B", "C"});
  struct Case {
    int DataIndex, ItemIndex, ReadBack;
  };
  for (Case c : {Case{0, 0, 0}, Case{1, 2, 1}, Case{2, 3, 2}, Case{5, 4, -1}}) {
    list->SetDataIndex(c.DataIndex);
    EXPECT_EQ(list->ItemIndex(), c.ItemIndex) << c.DataIndex;
    EXPECT_EQ(list->DataIndex(), c.ReadBack) << c.DataIndex;
  }
  list->SetItemIndex(-1);
  EXPECT_EQ(list->DataIndex(), -1);
  list->Items()->Clear();
  list->SetDataIndex(0);
  EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(BarSubItemTest, OnlyTheCurrentEntryIsCheckedAndAReusedButtonFollowsTheCurrentEntry) {
  TdxBarListItem* list = List({"A", "B", "C"});
  list->SetShowCheck(true);
  list->SetItemIndex(2);
  auto checked = [&](TdxBarContainerLinkData* AData) {
    std::vector<bool> states;
    for (int i = 0; i < AData->InPlaceItems->Count(); ++i) {
      auto* b = static_cast<TdxBarButton*>(Generated(AData, i)->Item());
      states.push_back(b->ButtonStyle() == bsChecked && b->Down());
    }
    return states;
  };
  auto first = Expand(list);
  EXPECT_EQ(checked(first.get()), (std::vector<bool>{false, false, true}));
  // The first generation still shows: the second reuses its buttons, checked as the entry is now.
  list->SetItemIndex(0);
  auto second = Expand(list);
  EXPECT_EQ(checked(second.get()), (std::vector<bool>{true, false, false}));
}

TEST_F(BarSubItemTest, AnEntryClickedSetsTheIndexBeforeTheListsOnClick) {
  TdxBarListItem* list = List({"A", "-", "B"});
  int seen = -2;
  list->SetOnClick([&](TObject* Sender) { seen = static_cast<TdxBarListItem*>(Sender)->ItemIndex(); });
  auto data = Expand(list);
  Generated(data.get(), 1)->Item()->Click();
  EXPECT_EQ(seen, 2);
  EXPECT_EQ(list->DataIndex(), 1);
}

TEST_F(BarSubItemTest, AListWithoutStringsOrDataHandlerHasNoContentOutsideCustomizing) {
  TdxBarListItem* list = List({});
  EXPECT_FALSE(list->HasContent());
  EXPECT_FALSE(list->IsVisibleNow());
  EXPECT_EQ(Menu->ItemLinks()->VisibleCount(), 0);
  M->SetCustomizing(true);
  EXPECT_TRUE(list->IsVisibleNow());
  M->SetCustomizing(false);
  list->OnGetData = [](TObject*) {};
  EXPECT_TRUE(list->HasContent());
  list->OnGetData = nullptr;
  list->Items()->Add("A");
  EXPECT_TRUE(list->HasContent());
}

TEST_F(BarSubItemTest, DataIsAskedForOnceWhileGenerationsLiveAndTheirButtonsAreShared) {
  TdxBarListItem* list = List({"A", "B"});
  int asked = 0;
  list->OnGetData = [&](TObject*) { ++asked; };
  auto first = Expand(list);
  auto second = Expand(list);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(list->PopulationCount(), 2);
  EXPECT_EQ(list->ItemList()->Count(), 2);
  for (int i = 0; i < 2; ++i) EXPECT_EQ(Generated(second.get(), i)->Item(), Generated(first.get(), i)->Item());

  // The next clear that finds them unlinked frees them; the next generation asks again.
  Collapse(list, first);
  Collapse(list, second);
  auto third = Expand(list);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(list->ItemList()->Count(), 2);
  EXPECT_EQ(Captions(third.get()), (std::vector<String>{"&1 A", "&2 B"}));
}

TEST_F(BarSubItemTest, DataChangedWhileItIsGeneratedRebuildsNothing) {
  TdxBarListItem* list = List({"A"});
  const int before = M->Refreshes;
  list->Items()->Add("B");
  EXPECT_GT(M->Refreshes, before) << "a change outside a generation reaches the windows";
  const int outside = M->Refreshes;
  list->OnGetData = [&](TObject*) {
    EXPECT_TRUE(list->Populating());
    EXPECT_FALSE(list->CanExpand(list->Items()));
    list->Items()->Add("C");
  };
  auto data = Expand(list);
  EXPECT_EQ(M->Refreshes, outside);
  EXPECT_FALSE(list->Populating());
  EXPECT_EQ(Captions(data.get()).size(), 3u) << "the new string is generated at once";
}

TEST_F(BarSubItemTest, AFailingDataHandlerLeavesNoGenerationBehind) {
  TdxBarListItem* list = List({"A"});
  list->OnGetData = [](TObject*) { throw Exception("no data"); };
  EXPECT_THROW(Expand(list), Exception);
  EXPECT_FALSE(list->Populating());
  EXPECT_TRUE(list->CanExpand(list->Items()));
}

// Reused buttons once ran out: a window rebuilt while another still showed the list found the
// first button linked, kept the three buttons and took a fourth that was never made.
TEST_F(BarSubItemTest, AListThatGrewWhileShownInTwoWindowsGetsAButtonForEveryEntry) {
  TdxBarListItem* list = List({"A", "B", "C"});
  auto parent = Expand(list);
  list->Items()->Insert(0, "Z");
  auto rebuilt = Expand(list);
  EXPECT_EQ(Captions(rebuilt.get()), (std::vector<String>{"&1 Z", "&2 A", "&3 B", "&4 C"}));
  std::vector<std::intptr_t> tags;
  for (int i = 0; i < 4; ++i) tags.push_back(Generated(rebuilt.get(), i)->Item()->Tag());
  EXPECT_EQ(tags, (std::vector<std::intptr_t>{0, 1, 2, 3}));
  EXPECT_EQ(list->ItemList()->Count(), 4);
}

// ---- container items ------------------------------------------------------------------------------

TEST_F(BarSubItemTest, AContainerRepeatsItsVisibleLinksWithOnlyTheFirstStartingAGroup) {
  auto* container = new TdxBarContainerItem(Form);
  TdxBarButton* x = Button("X");
  TdxBarButton* y = Button("Y");
  TdxBarButton* z = Button("Z");
  container->ItemLinks()->AddItem(x)->SetBeginGroup(true);
  container->ItemLinks()->AddItem(y)->SetBeginGroup(true);
  container->ItemLinks()->AddItem(z)->SetVisible(false);
  container->ItemLinks()->Items(0)->SetUserCaption("Ex");
  Menu->ItemLinks()->AddItem(Button("Before"));
  Menu->ItemLinks()->AddItem(container)->SetUseCount(3);
  auto data = Expand(container);
  ASSERT_EQ(data->InPlaceItems->Count(), 2);
  EXPECT_EQ(Generated(data.get(), 0)->Item(), x);
  EXPECT_EQ(Generated(data.get(), 1)->Item(), y);
  EXPECT_EQ(Generated(data.get(), 0)->UserCaption(), "Ex") << "each copy takes over its own link";
  EXPECT_TRUE(Generated(data.get(), 0)->BeginGroup());
  EXPECT_FALSE(Generated(data.get(), 1)->BeginGroup());
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(Generated(data.get(), i)->UseCount(), 3);
    EXPECT_EQ(Generated(data.get(), i)->Index(), 2 + i);
  }
  Collapse(container, data);
  EXPECT_EQ(Menu->ItemLinks()->Count(), 2);

  // Its own menu on a toolbar shows the own links as they are.
  TdxBarContainerLinkData own(container, nullptr, 0);
  container->Populate(container->ItemLinks(), &own, 0);
  EXPECT_EQ(own.InPlaceItems->Count(), 0);
  EXPECT_EQ(container->ItemLinks()->Count(), 3);
  container->Collapse(&own);
}

TEST_F(BarSubItemTest, AContainerHasContentWhileOneOfItsItemsShows) {
  auto* container = new TdxBarContainerItem(Form);
  EXPECT_FALSE(container->HasVisibleLinks()) << "no links";
  TdxBarButton* x = Button("X");
  container->ItemLinks()->AddItem(x);
  EXPECT_TRUE(container->HasContent());
  x->SetVisible(ivNever);
  EXPECT_FALSE(container->HasVisibleLinks());
  EXPECT_FALSE(container->HasContent());
  container->OnGetData = [](TObject*) {};
  EXPECT_TRUE(container->HasContent());
  EXPECT_TRUE(container->IsMergeableWith(new TdxBarContainerItem(Form)));
  EXPECT_FALSE(container->IsMergeableWith(Menu));
}

TEST_F(BarSubItemTest, AContainersOwnLinksChangingReachTheWindowsShowingIt) {
  auto* container = new TdxBarContainerItem(Form);
  Menu->ItemLinks()->AddItem(container);
  const int before = M->Refreshes;
  container->ItemLinks()->AddItem(Button("X"));
  EXPECT_GT(M->Refreshes, before);
}

// ---- the extra pane's file list ---------------------------------------------------------------------

TEST_F(BarSubItemTest, FileTitlesLoseTheirDirectoryAndExtension) {
  struct Case {
    const char* File;
    const char* Title;
  };
  for (Case c : {Case{"C:\\docs\\plan.v2.txt", "plan.v2"}, Case{"/home/op/walls.cfg", "walls"},
                 Case{"dir.d/readme", "readme"}, Case{".profile", ".profile"}, Case{"C:\\a\\.b.ini", ".b"},
                 Case{"plain", "plain"}, Case{"", ""}})
    EXPECT_EQ(dxBarExtraPaneFileTitle(c.File), c.Title) << c.File;
}

TEST_F(BarSubItemTest, ExtraPaneEntriesShowTheirTitleTheirPathAsHintAndTheCaptionFirst) {
  auto* pane = new TdxBarExtraPaneListItem(Form);
  pane->SetCaption("Recent Documents");
  TdxBarExtraPaneItem plan, named, pictured;
  plan.FileName = "C:\\docs\\plan.v2.txt";
  named.FileName = "C:\\docs\\wall.cfg";
  named.DisplayName = "Main wall";
  pane->Items()->AddObject(plan.FileName, &plan);
  pane->Items()->AddObject(named.FileName, &named);
  Menu->ItemLinks()->AddItem(pane);
  EXPECT_EQ(pane->EntryCaption(0), "plan.v2");
  EXPECT_EQ(pane->EntryCaption(1), "Main wall");
  pane->OnGetEntryCaption = [](TObject*, int Index, String& Text) {
    if (Index == 1) Text += " (A)";
  };
  EXPECT_EQ(pane->EntryCaption(1), "Main wall (A)");

  auto data = Expand(pane);
  ASSERT_EQ(data->InPlaceItems->Count(), 3);
  TdxBarItemLink* first = Menu->ItemLinks()->Items(0);
  ASSERT_NE(dynamic_cast<TdxBarLabel*>(first->Item()), nullptr);
  EXPECT_EQ(first->Item()->Caption(), "Recent Documents");
  auto* planButton = static_cast<TdxBarButton*>(Generated(data.get(), 0)->Item());
  EXPECT_EQ(planButton->Caption(), "&1 plan.v2");
  EXPECT_EQ(planButton->Hint(), "C:\\docs\\plan.v2.txt");
  EXPECT_EQ(planButton->PaintStyle(), TdxBarPaintStyle::psStandard);

  // An entry with an image: every button shows caption and glyph. The second generation shares
  // the buttons and the one label, which stays out of the entries' numbering.
  named.ImageIndex = 3;
  auto second = Expand(pane);
  EXPECT_EQ(static_cast<TdxBarButton*>(Generated(second.get(), 1)->Item())->ImageIndex(), 3);
  EXPECT_EQ(planButton->ImageIndex(), -1);
  EXPECT_EQ(planButton->PaintStyle(), TdxBarPaintStyle::psCaptionGlyph);
  EXPECT_EQ(Generated(second.get(), 0)->Item(), planButton);
  int labels = 0;
  for (int i = 0; i < pane->ItemList()->Count(); ++i) labels += dynamic_cast<TdxBarLabel*>(pane->ItemList()->Items(i)) != nullptr;
  EXPECT_EQ(labels, 1);
  EXPECT_EQ(pane->ItemList()->Count(), 3);
  Collapse(pane, data);
  Collapse(pane, second);
}

}  // namespace
