// The page control: its events in their order, pages coming, going and hiding their tabs, the
// focus following the page, the navigator's arrows, close button and go menu under injected input.
#include "tests/ui/pages/PageControlFixture.h"

#include "platform/classes/FormDescription.h"
#include "platform/classes/StdCtrls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "ui/pages/PCButtonPainters.h"
#include "ui/pages/PCExtraFlatPainters.h"

namespace pagecontroltest {
namespace {

using Log = std::vector<std::string>;

TEST_F(PageControlTest, AClickAsksThenHidesShowsAndAnnouncesOnce) {
  TcxPageControl* control = MakeControl(300, 200, {"A", "B", "C"});
  ASSERT_EQ(control->ActivePage(), control->Pages(0));
  RecordEvents(control);
  win::POINT p = TabCentre(control, 1);
  Click(control, p.x, p.y);
  EXPECT_EQ(log_, (Log{"TabChanging", "PageChanging B", "Hide A", "Show B", "Change"}));
  EXPECT_EQ(control->ActivePage(), control->Pages(1));
  EXPECT_TRUE(control->Pages(1)->Visible());
  EXPECT_FALSE(control->Pages(0)->Visible());
}

TEST_F(PageControlTest, CodeAsksOnceAndAnnouncesOnce) {
  TcxPageControl* control = MakeControl(300, 200, {"A", "B", "C"});
  RecordEvents(control);
  control->SetActivePage(control->Pages(2));
  EXPECT_EQ(log_, (Log{"PageChanging C", "Hide A", "Show C", "Change"}));
  EXPECT_EQ(control->TabIndex(), 2);
  log_.clear();
  control->SelectPageByIndex(1);
  EXPECT_EQ(log_, (Log{"PageChanging B", "Hide C", "Show B", "Change"}));
  // Outside the pages: asked with no page, then none is active.
  for (int index : {-1, 3}) {
    control->SelectPageByIndex(1);
    log_.clear();
    control->SelectPageByIndex(index);
    EXPECT_EQ(log_, (Log{"PageChanging nil", "Hide B", "Change"})) << index;
    EXPECT_EQ(control->ActivePage(), nullptr);
    EXPECT_EQ(control->TabIndex(), -1);
  }
}

TEST_F(PageControlTest, RefusingKeepsThePageAndItsTab) {
  TcxPageControl* control = MakeControl(300, 200, {"A", "B"});
  RecordEvents(control);
  control->OnPageChanging = [this](TObject*, TcxTabSheet*, bool& Allow) {
    log_.push_back("refused");
    Allow = false;
  };
  win::POINT p = TabCentre(control, 1);
  Click(control, p.x, p.y);
  control->SetActivePage(control->Pages(1));
  PressKey(win::VK_TAB, {win::VK_CONTROL});
  EXPECT_EQ(control->ActivePage(), control->Pages(0));
  EXPECT_EQ(control->TabIndex(), 0);
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "Change"), 0);
  EXPECT_GE(std::count(log_.begin(), log_.end(), "refused"), 2);
}

TEST_F(PageControlTest, LoadingFiresNothing) {
  form_ = MakeForm(340, 240);
  auto* control = new TcxPageControl(form_);
  RecordEvents(control);
  FormTextToComponent(
      "object cxPageControl1: TcxPageControl\n"
      "  Left = 10\n  Top = 10\n  Width = 300\n  Height = 200\n"
      "  ActivePage = cxTabSheet2\n"
      "  object cxTabSheet1: TcxTabSheet\n    Caption = 'One'\n  end\n"
      "  object cxTabSheet2: TcxTabSheet\n    Caption = 'Two'\n  end\n"
      "  object cxTabSheet3: TcxTabSheet\n    Caption = 'Three'\n    TabVisible = False\n  end\n"
      "end\n",
      control);
  control->SetParent(form_);
  Pump();
  EXPECT_TRUE(log_.empty()) << log_.front();
  ASSERT_EQ(control->PageCount(), 3);
  EXPECT_EQ(control->ActivePage(), control->Pages(1));
  EXPECT_EQ(control->TabIndex(), 1);
  EXPECT_FALSE(control->Tabs()->Tab(2)->Visible());
  EXPECT_EQ(control->Pages(2)->Caption(), "Three");
  // And stored back in the pages' order, the active one named.
  String stored = ComponentToFormText(control);
  EXPECT_LT(stored.find("object cxTabSheet1"), stored.find("object cxTabSheet2")) << stored;
  EXPECT_NE(stored.find("ActivePage = cxTabSheet2"), String::npos) << stored;
}

TEST_F(PageControlTest, ALoadedDisabledActivePageIsDropped) {
  form_ = MakeForm(340, 240);
  auto* control = new TcxPageControl(form_);
  FormTextToComponent(
      "object cxPageControl1: TcxPageControl\n"
      "  Width = 300\n  Height = 200\n  ActivePage = cxTabSheet2\n"
      "  object cxTabSheet1: TcxTabSheet\n    Caption = 'One'\n  end\n"
      "  object cxTabSheet2: TcxTabSheet\n    Caption = 'Two'\n    Enabled = False\n  end\n"
      "end\n",
      control);
  EXPECT_EQ(control->ActivePage(), nullptr);
  EXPECT_EQ(control->TabIndex(), -1);
}

TEST_F(PageControlTest, ExceptionsInShowAndHideGoToTheApplication) {
  TcxPageControl* control = MakeControl(300, 200, {"A", "B"});
  std::vector<String> reported;
  Application->OnException = [&](TObject*, Exception& E) { reported.push_back(E.Message()); };
  control->Pages(0)->OnHide = [](TObject*) { throw Exception("hide failed"); };
  control->Pages(1)->OnShow = [](TObject*) { throw Exception("show failed"); };
  control->SetActivePage(control->Pages(1));
  Application->OnException = nullptr;
  EXPECT_EQ(reported, (std::vector<String>{"hide failed", "show failed"}));
  EXPECT_EQ(control->ActivePage(), control->Pages(1));
  EXPECT_EQ(control->TabIndex(), 1);
}

TEST_F(PageControlTest, TheStyleFollowsTheLookAndFeel) {
  TcxPageControl* control = MakeControl(300, 200, {"A"});
  control->SetStyle(0);
  EXPECT_EQ(control->Style(), 0);
  struct {
    TcxLookAndFeelKind Kind;
    TcxPCPainterClass Style;
  } cases[] = {{lfFlat, cxPCFlatStyle()},
               {lfStandard, cxPCTabsStyle()},
               {lfUltraFlat, cxPCUltraFlatStyle()},
               {lfOffice11, cxPCOffice11Style()}};
  for (const auto& c : cases) {
    control->LookAndFeel()->SetKind(c.Kind);
    EXPECT_EQ(control->Painter()->PainterClass(), c.Style) << c.Style->StyleName();
    EXPECT_EQ(control->Style(), 0);
  }
  // The registry holds the built styles in their places.
  ASSERT_EQ(TcxPCPaintersFactory::PainterClassCount(), 9);
  EXPECT_EQ(TcxPCPaintersFactory::PainterClassAt(1), cxPCButtonsStyle());
  EXPECT_EQ(TcxPCPaintersFactory::PainterClassByStyleID(1), cxPCTabsStyle());
  EXPECT_EQ(TcxPCPaintersFactory::PainterClassByStyleID(7), cxPCFlatStyle());
}

TEST_F(PageControlTest, HidingTheActivePagesTabMovesOnShowingTheOnlyOneComesBack) {
  TcxPageControl* control = MakeControl(300, 200, {"A", "B", "C"});
  control->SetActivePage(control->Pages(1));
  control->Pages(1)->SetTabVisible(false);
  EXPECT_EQ(control->ActivePage(), control->Pages(2));
  control->Pages(2)->SetTabVisible(false);  // the last: the one before
  EXPECT_EQ(control->ActivePage(), control->Pages(0));

  TcxPageControl* single = MakeControl(200, 100, {"Only"});
  single->Pages(0)->SetTabVisible(false);
  single->SetActivePage(nullptr);
  ASSERT_EQ(single->ActivePage(), nullptr);
  single->Pages(0)->SetTabVisible(true);
  EXPECT_EQ(single->ActivePage(), single->Pages(0));
}

TEST_F(PageControlTest, RemovingTheActivePageActivatesTheNextUsableOne) {
  TcxPageControl* control = MakeControl(300, 200, {"A", "B", "C", "D"});
  control->Pages(2)->SetEnabled(false);
  control->SetActivePage(control->Pages(1));
  delete control->Pages(1);  // C is disabled: D
  EXPECT_EQ(control->ActivePage(), control->Pages(2));
  EXPECT_EQ(control->ActivePage()->Caption(), "D");
  delete control->Pages(2);  // nothing after D: the one before it that can be used
  EXPECT_EQ(control->ActivePage()->Caption(), "A");
  delete control->Pages(0);
  delete control->Pages(0);
  EXPECT_EQ(control->ActivePage(), nullptr);
  EXPECT_EQ(control->TabIndex(), -1);
  EXPECT_EQ(control->Tabs()->Count(), 0);

  // A page in the background goes: the page shown stays.
  control = MakeControl(300, 200, {"A", "B", "C"});
  control->SetActivePage(control->Pages(2));
  delete control->Pages(0);
  EXPECT_EQ(control->ActivePage()->Caption(), "C");
  EXPECT_EQ(control->TabIndex(), 1);
}

TEST_F(PageControlTest, APageWithAHiddenTabShowsWithNoTabSelected) {
  TcxPageControl* control = MakeControl(300, 200, {"A", "B"});
  control->Pages(1)->SetTabVisible(false);
  // Tab selection cannot reach it: selecting its tab selects nothing.
  control->SetTabIndex(1);
  EXPECT_EQ(control->TabIndex(), -1);
  EXPECT_EQ(control->ActivePage(), nullptr);
  control->SetActivePage(control->Pages(1));
  EXPECT_EQ(control->ActivePage(), control->Pages(1));
  EXPECT_TRUE(control->Pages(1)->Visible());
  EXPECT_EQ(control->TabIndex(), -1);
}

TEST_F(PageControlTest, TheFocusFollowsFromPageToPage) {
  TcxPageControl* control = MakeControl(300, 200, {"A", "B"});
  auto* first = new TEdit(form_);
  first->SetParent(control->Pages(0));
  auto* second = new TEdit(form_);
  second->SetParent(control->Pages(1));
  Pump();
  first->SetFocus();
  Pump();
  ASSERT_TRUE(first->Focused());
  control->SetActivePage(control->Pages(1));
  Pump();
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(form_->ActiveControl(), second);
}

TEST_F(PageControlTest, PageIndexMovesPagesAndTabsAndRefusesOutsideThem) {
  TcxPageControl* control = MakeControl(300, 200, {"A", "B", "C"});
  control->SetActivePage(control->Pages(0));
  control->Pages(0)->SetPageIndex(2);
  EXPECT_EQ(control->Pages(2)->Caption(), "A");
  EXPECT_EQ(control->Tabs()->Strings(2), "A");
  EXPECT_EQ(control->TabIndex(), 2);
  for (int value : {3, -1}) {
    try {
      control->Pages(0)->SetPageIndex(value);
      FAIL() << "no error for " << value;
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), std::to_string(value) +
                                 " is an invalid PageIndex value.  PageIndex must be between 0 and 2");
    }
  }
  // Anything but a page control as parent is refused without a word.
  EXPECT_THROW(control->Pages(0)->SetParent(form_), EAbort);
  EXPECT_EQ(control->Pages(0)->Parent(), control);
}

TEST_F(PageControlTest, DestroyingTheControlLeavesItsPagesToTheirOwner) {
  TcxPageControl* control = MakeControl(300, 200, {"A", "B"});
  TcxTabSheet* page = control->Pages(0);
  page->SetParent(nullptr);  // out of the control, still the form's
  EXPECT_EQ(page->PageControl(), nullptr);
  EXPECT_EQ(control->PageCount(), 1);
  delete control;
  EXPECT_EQ(page->Owner(), form_);
  page->SetPageControl(nullptr);
}

TEST_F(PageControlTest, DockedClientsGetAPageEach) {
  TcxPageControl* control = MakeControl(300, 200, {"A"});
  control->SetDockSite(true);
  auto* client = new TForm(Application, 0);
  client->SetCaption("Monitor\nsecond line");
  client->SetBorderStyle(bsNone);
  client->Show();
  int index = control->AcceptDockClient(client);
  ASSERT_EQ(index, 1);
  EXPECT_EQ(control->ActivePage(), control->Pages(1));
  control->DockClientCaptionChanged(client);
  EXPECT_EQ(control->Pages(1)->Caption(), "Monitor");
  client->SetVisible(false);
  control->DockClientVisibilityChanged(client);
  EXPECT_FALSE(control->Pages(1)->TabVisible());
  // Docking it again moves its page to the end.
  AddPage(control, "C");
  EXPECT_EQ(control->AcceptDockClient(client), 2);
  EXPECT_TRUE(control->ReleaseDockClient(nullptr, client));
  client->SetParent(nullptr);
  control->DockClientLeft(client);
  EXPECT_EQ(control->PageCount(), 2);
  delete client;
}

// ---- navigator --------------------------------------------------------------------------------------


TEST_F(PageControlTest, AHeldArrowScrollsWithTheRepeatUntilTheRowEnds) {
  TcxPageControl* control =
      MakeControl(260, 150, {"Scene one", "Scene two", "Scene three", "Scene four", "Scene five", "Scene six"});
  auto* painter = static_cast<TcxPCStandardPainter*>(control->Painter());
  TRect forward;
  for (const auto& b : painter->NavigatorButtonPositions())
    if (b.Button == nbBottomRight) forward = b.Bounds;
  ASSERT_FALSE(forward.Right == forward.Left);
  std::vector<std::pair<int, int>> scrolls;  // (time, first visible tab)
  std::uint64_t start = clock->NowMs();
  MoveMouse(control, forward.Left + 5, forward.Top + 5);
  MouseButton(true);
  int last = control->Layout()->FirstVisibleTab();
  scrolls.emplace_back(0, last);
  for (int t = 0; t < 1200; ++t) {
    RunFor(1);
    if (control->Layout()->FirstVisibleTab() != last) {
      last = control->Layout()->FirstVisibleTab();
      scrolls.emplace_back(static_cast<int>(clock->NowMs() - start), last);
    }
  }
  MouseButton(false);
  ASSERT_GE(scrolls.size(), 3u);
  EXPECT_EQ(scrolls[0].second, 1);
  EXPECT_EQ(scrolls[1].first, 300);
  EXPECT_EQ(scrolls[2].first, 450);
  if (scrolls.size() > 3) {
    EXPECT_EQ(scrolls[3].first, 600);
  }
  EXPECT_EQ(control->NavigatorButtonState(nbBottomRight), nbsDisabled);
  EXPECT_TRUE(control->Layout()->LastTabFullyVisible());
}

TEST_F(PageControlTest, TheCloseButtonAsksAndClosesTheActivePage) {
  TcxPageControl* control = MakeControl(300, 150, {"A", "B", "C"});
  control->SetOptions(control->Options() + TcxPCOptions{pcoCloseButton});
  auto* painter = static_cast<TcxPCStandardPainter*>(control->Painter());
  TRect close;
  for (const auto& b : painter->NavigatorButtonPositions())
    if (b.Button == nbClose) close = b.Bounds;
  control->SelectPageByIndex(-1);
  EXPECT_EQ(control->NavigatorButtonState(nbClose), nbsDisabled);
  control->SelectPageByIndex(1);
  EXPECT_EQ(control->NavigatorButtonState(nbClose), nbsNormal);

  int asked = 0;
  control->OnCanClose = [&](TObject*, bool& Allow) {
    ++asked;
    Allow = false;
  };
  Click(control, close.Left + 5, close.Top + 5);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(control->PageCount(), 3);
  EXPECT_EQ(control->ActivePage(), control->Pages(1));

  // A handler that takes the selection away leaves nothing to close.
  control->OnCanClose = [&](TObject*, bool&) { control->SelectPageByIndex(-1); };
  Click(control, close.Left + 5, close.Top + 5);
  EXPECT_EQ(control->PageCount(), 3);

  control->SelectPageByIndex(1);
  control->OnCanClose = nullptr;
  Click(control, close.Left + 5, close.Top + 5);
  ASSERT_EQ(control->PageCount(), 2);
  EXPECT_EQ(control->ActivePage()->Caption(), "C");
}

TEST_F(PageControlTest, TheGoMenuListsTheUsableTabsAndChoosesOne) {
  TcxPageControl* control = MakeControl(300, 150, {"&Zebra", "Alpha", "Beta", "Gamma", "M&ike"});
  control->SetOptions(control->Options() + TcxPCOptions{pcoGoDialog, pcoSort});
  control->Pages(2)->SetEnabled(false);
  control->Pages(3)->SetTabVisible(false);
  control->SetActivePage(control->Pages(4));
  RecordEvents(control);
  TRect go = control->Painter()->NavigatorButtonsRect();
  ASSERT_FALSE(go.Right == go.Left);

  TcxPCGoDialog* menu = control->GoDialog();
  std::vector<std::string> items;
  int popups = 0;
  win::POINT openedAt{};
  menu->OnPopup = [&](TObject*) {
    ++popups;
    openedAt = menu->PopupPoint();
    items.clear();
    for (int i = 0; i < menu->Items()->Count(); ++i) {
      TMenuItem* item = menu->Items()->Items(i);
      items.push_back(item->Caption() + (item->Checked() ? " checked" : "") + (item->Default() ? " default" : "") +
                      " " + std::to_string(item->Tag()));
    }
    platform::Headless()->InjectKey('Z', true);
    platform::Headless()->InjectKey('Z', false);
  };
  Click(control, go.Left + 3, go.Top + 5);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(items, (std::vector<std::string>{"Alpha 1", "M&ike checked default 4", "&Zebra 0"}));
  win::POINT corner = control->ClientToScreen(win::POINT{go.Left, go.Bottom});
  EXPECT_EQ(openedAt.x, corner.x);
  EXPECT_EQ(openedAt.y, corner.y);
  EXPECT_EQ(log_, (Log{"TabChanging", "PageChanging &Zebra", "Hide M&ike", "Show &Zebra", "Change"}));
  EXPECT_EQ(control->ActivePage(), control->Pages(0));
  EXPECT_FALSE(control->GoDialogShowing());
  EXPECT_EQ(control->NavigatorButtonState(nbGoDialog), nbsNormal);

  // Clicking the go button while the menu is open closes it and does not open it again.
  menu->OnPopup = [&](TObject*) {
    ++popups;
    win::POINT p = control->ClientToScreen(win::POINT{go.Left + 3, go.Top + 5});
    platform::Headless()->InjectMouseMove(p.x, p.y);
    platform::Headless()->InjectMouseButton(1, true);
    platform::Headless()->InjectMouseButton(1, false);
  };
  Click(control, go.Left + 3, go.Top + 5);
  RunFor(50);
  EXPECT_EQ(popups, 2);
  EXPECT_EQ(control->ActivePage(), control->Pages(0));

  // A choice whose OnChange frees the control: nothing of it is touched afterwards (ASan).
  menu->OnPopup = [&](TObject*) {
    platform::Headless()->InjectKey('A', true);
    platform::Headless()->InjectKey('A', false);
  };
  control->Pages(1)->SetCaption("&Alpha");
  control->OnChange = [&](TObject*) {
    TcxPageControl* doomed = control;
    control = nullptr;
    delete doomed;
  };
  Click(control, go.Left + 3, go.Top + 5);
  EXPECT_EQ(control, nullptr);
}

}  // namespace
}  // namespace pagecontroltest
