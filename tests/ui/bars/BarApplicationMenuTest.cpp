// The application menu on the headless display: its three areas and their sizes, the pane's
// hidden toolbar and site, the bottom buttons, reopening, customizing mode, accelerators across the
// areas and keyboard navigation between them.
#include <gtest/gtest.h>

#include "tests/ui/bars/BarItemControlFixture.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarApplicationMenu.h"
#include "ui/bars/BarNavigation.h"
#include "ui/bars/BarStandardPainter.h"
#include "ui/bars/BarUnit.h"

using namespace win;

namespace {

// What the component owning an application menu supplies.
class TAppMenuOwner : public TComponent, public IdxBarLinksOwner, public IdxBarApplicationMenuOwner {
  VW_CLASS(TAppMenuOwner, TComponent)
 public:
  TAppMenuOwner(TComponent* AOwner, TdxBarManager* AManager) : TComponent(AOwner), Manager(AManager) {
    Links = new TdxBarSubMenuControlItemLinks(AManager, this);
    Buttons = new TdxBarApplicationMenuButtons(this);
    Entries = new TCollection(TdxBarExtraPaneItem::StaticClass());
    PaneList = new TdxBarExtraPaneListItem(AOwner);
    PaneList->SetCaption("Recent Documents");
  }
  ~TAppMenuOwner() override {
    delete Buttons;
    delete Links;
    delete Entries;
  }
  // ---- IdxBarLinksOwner ----
  bool AcceptsItem(TdxBarItem*, String&) override { return true; }
  TCustomdxBarControl* CreateSubMenuControl() override { return nullptr; }
  TComponent* OwnerComponent() override { return this; }
  TdxBarItemLinks* ItemLinks() override { return Links; }
  // ---- IdxBarApplicationMenuOwner ----
  TdxBarManager* ApplicationMenuBarManager() override { return Manager; }
  TdxBarApplicationMenuButtons* ApplicationMenuButtons() override { return Buttons; }
  int ExtraPaneWidth() override { return PaneWidth; }
  double ExtraPaneSizeRatio() override { return PaneRatio; }
  TCollection* ExtraPaneItems() override { return Entries; }
  TdxBarExtraPaneListItem* ExtraPaneListItem() override { return PaneList; }

  void AddEntry(const String& AFile) {
    auto* entry = new TdxBarExtraPaneItem(Entries);
    entry->FileName = AFile;
  }

  TdxBarManager* Manager;
  TdxBarSubMenuControlItemLinks* Links;
  TdxBarApplicationMenuButtons* Buttons;
  TCollection* Entries;
  TdxBarExtraPaneListItem* PaneList;
  int PaneWidth = 0;
  double PaneRatio = 0;
};

// A menu whose measured items and text size a test decides.
class TMeasuredMenu : public TdxBarApplicationMenuControl {
  VW_CLASS(TMeasuredMenu, TdxBarApplicationMenuControl)
 public:
  using TdxBarApplicationMenuControl::TdxBarApplicationMenuControl;
  TSize CalcItemsSize() override { return ItemsSize.cx >= 0 ? ItemsSize : TdxBarApplicationMenuControl::CalcItemsSize(); }
  int TextSize() const override { return FixedTextSize > 0 ? FixedTextSize : TdxBarApplicationMenuControl::TextSize(); }
  TSize ItemsSize{-1, -1};
  int FixedTextSize = 0;
};

// A painter that reserves a row for the buttons, as a ribbon-like style does.
class TButtonRowPainter : public TdxBarStandardPainter {
  VW_CLASS(TButtonRowPainter, TdxBarStandardPainter)
 public:
  TRect ApplicationMenuInsets() override { return {0, 0, 0, 30}; }
};

}  // namespace

class BarApplicationMenuTest : public BarInputFixture {
 protected:
  void SetUp() override {
    BarInputFixture::SetUp();
    dxBarItemControlFactory = nullptr;
    Form->Show();
    Owner = new TAppMenuOwner(Form, M);
  }
  void TearDown() override {
    if (Menu && IsBarControlAlive(Menu)) TObject::Free(Menu);
    Menu = nullptr;
    BarInputFixture::TearDown();
  }
  // Five commands, three recent documents, two bottom buttons.
  void Fill() {
    for (const char* caption : {"&New", "&Open", "&Save", "&Print", "&Close"}) Owner->Links->AddItem(Make(caption));
    for (const char* file : {"C:\\Work\\Plan.txt", "C:\\Work\\Budget.xls", "/home/op/Wall layout.cfg"}) Owner->AddEntry(file);
    AddButton("&Options", 0);
    AddButton("E&xit", 0);
  }
  TdxBarButton* AddButton(const String& ACaption, int AWidth) {
    TdxBarButton* source = Make(ACaption);
    TdxBarApplicationMenuButton* button = Owner->Buttons->Add();
    button->SetItem(source);
    button->SetWidth(AWidth);
    return source;
  }
  template <class TMenu = TdxBarApplicationMenuControl>
  TMenu* Open(TdxBarPainter* APainter = nullptr) {
    auto* menu = new TMenu(M);
    Menu = menu;
    menu->SetPainter(APainter);
    menu->SetItemLinks(Owner->Links);
    menu->SetLeft(100);
    menu->SetTop(80);
    menu->PopupMenuWindow();
    Pump();
    return menu;
  }
  static TRect ScreenRectOf(TWinControl* AControl) {
    RECT r{};
    GetWindowRect(AControl->Handle(), &r);
    return r;
  }

  TAppMenuOwner* Owner = nullptr;
  TdxBarApplicationMenuControl* Menu = nullptr;
};

TEST_F(BarApplicationMenuTest, TheButtonRowIsRightAlignedAndStopsAtTheFirstButtonThatDoesNotFit) {
  Owner->Links->AddItem(Make("&New"));
  AddButton("A", 60);
  AddButton("B", 50);
  AddButton("C", 40);
  TdxBarApplicationMenuControl* menu = Open();
  TdxBarApplicationMenuButtonItemLinks* links = menu->ButtonItemLinks();
  ASSERT_EQ(links->VisibleCount(), 3);
  const TRect row{0, 10, 300, 32};
  links->LayOutButtons(row);
  const int lefts[] = {138, 204, 260}, widths[] = {60, 50, 40};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(links->VisibleLinks(i)->ItemRect(), (TRect{lefts[i], 10, lefts[i] + widths[i], 32})) << i;
  }

  AddButton("D", 150);
  menu->PopupMenuWindow();
  Pump();
  ASSERT_EQ(links->VisibleCount(), 4);
  links->LayOutButtons(row);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(links->VisibleLinks(i)->ItemRect().Left, lefts[i]) << i;
  EXPECT_EQ(links->VisibleLinks(3)->ItemRect(), TRect{}) << "it would end at 318";
}

TEST_F(BarApplicationMenuTest, ThePaneTakesTheScaledWidthOrTheRatioOfTheContent) {
  Owner->Links->AddItem(Make("&New"));
  TMeasuredMenu* menu = Open<TMeasuredMenu>();
  const int nominal = menu->BarPainter()->NominalTextSize();
  struct Case {
    int Width;
    double Ratio;
    int TextSize;
    int Pane;
  } cases[] = {{200, 0, 2 * nominal, 400}, {0, 0.5, 0, 90}, {0, 0, 0, 0}, {200, 0.5, nominal, 200}};
  for (const Case& c : cases) {
    Owner->PaneWidth = c.Width;
    Owner->PaneRatio = c.Ratio;
    menu->FixedTextSize = c.TextSize;
    menu->ItemsSize = {180, 60};
    const TSize size = menu->CalcContentSize();
    EXPECT_EQ(menu->ExtraPaneSize(), c.Pane) << c.Width << " " << c.Ratio;
    EXPECT_EQ(size.cx, 180 + c.Pane);
  }
  menu->ItemsSize = {0, 0};
  Owner->PaneWidth = 0;
  Owner->PaneRatio = 0.25;
  EXPECT_EQ(menu->CalcContentSize().cx, 125) << "an empty width counts as 100";
}

TEST_F(BarApplicationMenuTest, TheItemsThePaneAndTheButtonRowShareTheClientToThePixel) {
  Fill();
  Owner->PaneWidth = 150;
  TButtonRowPainter painter;
  auto* menu = new TMeasuredMenu(M);
  Menu = menu;
  menu->SetPainter(&painter);
  menu->SetItemLinks(Owner->Links);
  menu->FixedTextSize = painter.NominalTextSize();
  menu->SetLeft(100);
  menu->SetTop(80);
  menu->PopupMenuWindow();
  Pump();
  const TRect client = TRect(menu->ClientRect());
  const TRect insets = menu->ContentInsets();
  const TRect items = menu->ItemsRect(), pane = menu->ExtraPaneRect(), buttons = menu->ButtonsRect();
  EXPECT_EQ(insets.Bottom, painter.MenuBorderInsets(menu).Bottom + 30);
  EXPECT_EQ(pane, (TRect{client.Right - insets.Right - 150, insets.Top, client.Right - insets.Right,
                         client.Bottom - insets.Bottom}));
  EXPECT_EQ(items, (TRect{insets.Left, insets.Top, pane.Left, pane.Bottom}));
  EXPECT_EQ(buttons, (TRect{insets.Left, items.Bottom + 4, pane.Right + 1, client.Bottom - 1}));
  // The site of the pane lies over the pane, its toolbar window over the whole site.
  TdxBarDockControl* dock = menu->DockControl();
  ASSERT_TRUE(dock && dock->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(dock->Handle()));
  EXPECT_EQ(TRect(dock->BoundsRect()), pane);
  TdxBarControl* window = menu->ExtraPaneBar()->Control();
  ASSERT_TRUE(window);
  EXPECT_EQ(TRect(window->BoundsRect()), (TRect{0, 0, pane.Right - pane.Left, pane.Bottom - pane.Top}));
  EXPECT_EQ(window->ItemsRect().Left, 2);
  menu->SetPainter(nullptr);
  TObject::Free(menu);
  Menu = nullptr;
}

TEST_F(BarApplicationMenuTest, ThePaneIsAHiddenInternalToolbarAndTheButtonsInternalItems) {
  Fill();
  const int bars = M->Bars()->Count();
  TdxBarApplicationMenuControl* menu = Open();
  TdxBar* bar = menu->ExtraPaneBar();
  ASSERT_TRUE(bar);
  EXPECT_EQ(M->Bars()->Count(), bars + 1);
  EXPECT_TRUE(bar->Hidden());
  EXPECT_FALSE(bar->AllowCustomizing());
  EXPECT_FALSE(bar->AllowQuickCustomizing());
  EXPECT_TRUE(bar->NotDocking().Contains(dsNone)) << "it never floats";
  EXPECT_FALSE(bar->UseOwnFont());
  EXPECT_EQ(bar->DockControl(), menu->DockControl());
  EXPECT_EQ(bar->BorderStyle(), bbsNone);
  EXPECT_EQ(menu->DockControl()->Parent(), menu);
  EXPECT_EQ(menu->DockControl()->Align(), dalNone);
  EXPECT_FALSE(menu->DockControl()->AllowDocking());
  auto* pane = dynamic_cast<TdxBarExtraPaneControl*>(bar->Control());
  ASSERT_TRUE(pane);
  // One label and three entries stacked in the pane.
  ASSERT_EQ(bar->ItemLinks()->VisibleCount(), 4);
  EXPECT_EQ(bar->ItemLinks()->VisibleLinks(0)->Item()->Caption(), "Recent Documents");
  EXPECT_EQ(bar->ItemLinks()->VisibleLinks(1)->Item()->Caption(), "&1 Plan");
  const TRect first = bar->ItemLinks()->VisibleLinks(1)->ItemRect(), second = bar->ItemLinks()->VisibleLinks(2)->ItemRect();
  EXPECT_EQ(first.Left, second.Left);
  EXPECT_EQ(first.Bottom, second.Top);
  // With 0x9E the pane keeps the class library's hit test and sizes as floating.
  EXPECT_EQ(pane->BehaviourFlags(), 0x9Eu);
  EXPECT_EQ(menu->BehaviourFlags(), 0x9Eu);
  EXPECT_EQ(pane->SizeForStyle(dsTop).cx, pane->SizeForStyle(dsNone).cx);
  for (int i = 0; i < Owner->Buttons->Count(); ++i) {
    TdxBarItem* item = Owner->Buttons->Items(i)->InternalItem();
    for (int k = 0; k < M->ItemCount(); ++k) EXPECT_NE(M->Items(k), item);
  }
}

TEST_F(BarApplicationMenuTest, AButtonCopiesWidthAndItemAndFreesItsInternalItem) {
  TdxBarButton* source = AddButton("&Options", 70);
  TdxBarApplicationMenuButton* copy = Owner->Buttons->Add();
  copy->Assign(Owner->Buttons->Items(0));
  EXPECT_EQ(copy->Width(), 70);
  EXPECT_EQ(copy->Item(), source);
  EXPECT_EQ(copy->InternalItem()->Caption(), "&Options");
  EXPECT_NE(copy->InternalItem(), Owner->Buttons->Items(0)->InternalItem());
  delete copy;
  EXPECT_EQ(Owner->Buttons->Count(), 1);
}

TEST_F(BarApplicationMenuTest, ShowingAgainOrRebuildingKeepsOneLinkPerButtonAndOnePaneLink) {
  Fill();
  TdxBarApplicationMenuControl* menu = Open();
  for (int round = 0; round < 3; ++round) {
    if (round == 1) menu->PopupMenuWindow();
    if (round == 2) menu->RebuildBar(true);
    Pump();
    auto* pane = dynamic_cast<TdxBarExtraPaneControl*>(menu->ExtraPaneBar()->Control());
    ASSERT_TRUE(pane);
    EXPECT_EQ(pane->ExpandedContainerCount(), 1) << round;
    EXPECT_EQ(menu->ButtonItemLinks()->Count(), 2) << round;
    // The list link gave way to its label and three entries.
    EXPECT_EQ(menu->ExtraPaneBar()->ItemLinks()->Count(), 4) << round;
    EXPECT_EQ(menu->ExtraPaneBar()->ItemLinks()->VisibleCount(), 4) << round;
    for (int i = 0; i < menu->ButtonItemLinks()->Count(); ++i)
      EXPECT_TRUE(menu->ButtonItemLinks()->Items(i)->Control()) << round;
  }
}

TEST_F(BarApplicationMenuTest, InCustomizingModeThereIsNoPaneNoSiteAndNoPaneToolbar) {
  Fill();
  Owner->PaneWidth = 150;
  M->SetCustomizing(true);
  const int bars = M->Bars()->Count();
  TdxBarApplicationMenuControl* menu = Open();
  EXPECT_FALSE(menu->DockControl());
  EXPECT_FALSE(menu->ExtraPaneBar());
  EXPECT_EQ(M->Bars()->Count(), bars);
  EXPECT_EQ(menu->ExtraPaneRect(), TRect{});
  EXPECT_EQ(menu->ItemsRect().Right, TRect(menu->ClientRect()).Right - menu->ContentInsets().Right);
  // Its helper counts no child for the missing site.
  auto* helper = dynamic_cast<TdxBarApplicationMenuControlAccessibilityHelper*>(menu->AccessibilityHelper());
  ASSERT_TRUE(helper);
  const int n = helper->CountChildren();
  EXPECT_EQ(n, menu->ViewInfo()->Count());
  EXPECT_EQ(helper->ChildAt(n), nullptr);
  TObject::Free(menu);
  Menu = nullptr;
  M->SetCustomizing(false);
}

TEST_F(BarApplicationMenuTest, AChildMenuOpenedFromAnItemCoversExactlyThePane) {
  auto* sub = Make<TdxBarSubItem>("&Recent");
  sub->ItemLinks()->AddItem(Make("One"));
  sub->ItemLinks()->AddItem(Make("Two"));
  Owner->Links->AddItem(sub);
  Owner->Links->AddItem(Make("&Save"));
  Owner->AddEntry("C:\\Work\\Plan.txt");
  Owner->PaneWidth = 160;
  TdxBarApplicationMenuControl* menu = Open();
  TdxBarItemControl* control = menu->ItemLinks()->Items(0)->Control();
  menu->SelectControlByKeyboard(control);
  WORD right = VK_RIGHT;
  control->KeyDown(right, {});
  Pump();
  auto* child = dynamic_cast<TdxBarSubMenuControl*>(sub->ItemLinks()->BarControl());
  ASSERT_TRUE(child && child->HandleAllocated());
  TRect pane = menu->ExtraPaneRect();
  POINT a{pane.Left, pane.Top}, b{pane.Right, pane.Bottom};
  ClientToScreen(menu->Handle(), &a);
  ClientToScreen(menu->Handle(), &b);
  EXPECT_EQ(ScreenRectOf(child), (TRect{a.x, a.y, b.x, b.y}));
  control->Deactivate(true);
  Pump();
}

TEST_F(BarApplicationMenuTest, ALetterOfAPaneEntryOrOfAButtonIsFoundThroughTheCopiesAndEnterRunsTheOriginal) {
  Fill();
  int exits = 0, picked = -1;
  Owner->Buttons->Items(1)->Item()->SetOnClick([&](TObject*) { ++exits; });
  Owner->PaneList->SetOnClick([&](TObject*) { picked = Owner->PaneList->ItemIndex(); });
  TdxBarApplicationMenuControl* menu = Open();
  bool ambiguous = true;
  TdxBarItemLink* found = menu->FindEnabledAcceleratedLink('X', {}, ambiguous, nullptr);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->Links(), menu->ButtonItemLinks()) << "the source, not its copy";
  EXPECT_FALSE(ambiguous);
  EXPECT_EQ(menu->TotalItemLinks()->Count(), 5 + 4 + 2);
  found = menu->FindEnabledAcceleratedLink('2', {}, ambiguous, nullptr);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->Links(), menu->ExtraPaneLinks());

  Key(menu, 'X');
  Pump();
  EXPECT_EQ(exits, 1);
  // The click closed the menu.
  EXPECT_FALSE(IsBarControlAlive(menu));
  Menu = nullptr;

  menu = Open();
  Key(menu, '2');
  Pump();
  EXPECT_EQ(picked, 1);
  EXPECT_FALSE(IsBarControlAlive(menu)) << "closed from the pane entry's click";
  Menu = nullptr;
}

class BarApplicationMenuNavigationTest : public BarApplicationMenuTest {
 protected:
  // A key as the keyboard hook hands it to the controller, with the shift keys held.
  void Press(WORD Vk, bool AShift = false) {
    BYTE state[256] = {};
    if (AShift) state[VK_SHIFT] = 0x80;
    SetKeyboardState(state);
    TShiftState shift;
    if (AShift) shift.Include(ssShift);
    BarNavigationController->ProcessKey(Vk, shift);
    BYTE none[256] = {};
    SetKeyboardState(none);
    Pump();
  }
  // The link the keyboard has selected, in whichever area.
  TdxBarItemLink* Selection() {
    IdxBarAccessibilityHelper* current = BarNavigationController->CurrentSelection();
    auto* helper = dynamic_cast<TdxBarItemControlAccessibilityHelper*>(BarHelperOf(current));
    return helper && helper->ItemControl() ? helper->ItemControl()->ItemLink() : nullptr;
  }
};

TEST_F(BarApplicationMenuNavigationTest, UpAndDownCycleThroughTheItemsThePaneAndTheButtons) {
  Fill();
  Owner->PaneWidth = 160;
  TButtonRowPainter painter;
  TdxBarApplicationMenuControl* menu = Open(&painter);
  TdxBarItemLinks* items = menu->ItemLinks();
  TdxBarItemLinks* pane = menu->ExtraPaneLinks();
  TdxBarItemLinks* buttons = menu->ButtonItemLinks();
  menu->SelectControlByKeyboard(items->Items(4)->Control());
  ASSERT_EQ(Selection(), items->Items(4));
  Press(VK_DOWN);
  EXPECT_EQ(Selection(), pane->FirstSelectable()) << "the first pane entry";
  EXPECT_EQ(Selection()->Item()->Caption(), "&1 Plan");
  Press(VK_TAB);
  EXPECT_EQ(Selection(), pane->VisibleLinks(2)) << "Tab in the pane moves like Down";
  Press(VK_TAB, true);
  EXPECT_EQ(Selection(), pane->VisibleLinks(1));
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(Selection(), pane->LastSelectable());
  Press(VK_DOWN);
  EXPECT_EQ(Selection(), buttons->FirstSelectable()) << "from the last pane entry the first button";
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(Selection(), items->FirstSelectable()) << "past the buttons back to the items";
  Press(VK_UP);
  EXPECT_EQ(Selection(), buttons->LastSelectable()) << "up from the first item the last button";
  TObject::Free(menu);
  Menu = nullptr;
}

TEST_F(BarApplicationMenuNavigationTest, CtrlTabFromAToolbarPassesThePanesHiddenToolbar) {
  Fill();
  Owner->PaneWidth = 160;
  M->Bars()->CreateDockControls();
  TdxBar* bar = M->Bars()->Add();
  bar->ItemLinks()->AddItem(Make("Tool"));
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  Pump();
  TdxBarApplicationMenuControl* menu = Open();
  TdxBarControl* pane = menu->ExtraPaneBar()->Control();
  ASSERT_TRUE(pane && IsWindowVisible(pane->Handle()));
  ASSERT_TRUE(bar->Control());
  bar->Control()->SwitchBar(true);
  EXPECT_FALSE(pane->Active());
  // Nor is it a toolbar the user may list.
  EXPECT_TRUE(menu->ExtraPaneBar()->Hidden());
}

TEST_F(BarApplicationMenuTest, EveryPainterStyleDrawsTheMenuWithItsPaneAndButtons) {
  Fill();
  Owner->PaneWidth = 160;
  auto shoot = [&](const std::string& AStyle) {
    TdxBarApplicationMenuControl* menu = Open();
    ASSERT_TRUE(menu->HandleAllocated()) << AStyle;
    RedrawWindow(menu->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    SaveScreenArea("bars/application-menu-" + AStyle + ".png", ScreenRectOf(menu), 2);
    TObject::Free(menu);
    Menu = nullptr;
  };
  barpaintertest::ForEachBarStyle(M, shoot);
}

namespace {

// An owner that names the helper holding the menu's key tips.
class TKeyTipOwner : public TAppMenuOwner, public IdxBarApplicationMenuKeyTipParent {
  VW_CLASS(TKeyTipOwner, TAppMenuOwner)
 public:
  using TAppMenuOwner::TAppMenuOwner;
  TdxBarAccessibilityHelper* ApplicationMenuKeyTipParent() override { return Parent; }
  TdxBarAccessibilityHelper* Parent = nullptr;
};

}  // namespace

TEST_F(BarApplicationMenuNavigationTest, TheHelperEndsWithThePaneSiteAndPlacesButtonTipsAtTheirCentres) {
  Fill();
  Owner->PaneWidth = 160;
  TButtonRowPainter painter;
  TdxBarApplicationMenuControl* menu = Open(&painter);
  auto* helper = dynamic_cast<TdxBarApplicationMenuControlAccessibilityHelper*>(menu->AccessibilityHelper());
  ASSERT_TRUE(helper);
  const int n = helper->CountChildren();
  ASSERT_EQ(n, menu->ViewInfo()->Count() + 1);
  TcxAccessibilityHelper* site = helper->ChildAt(n - 1);
  EXPECT_EQ(site, menu->DockControl()->AccessibilityHelper());
  EXPECT_EQ(helper->IndexOfChild(site), n - 1);
  EXPECT_EQ(site->ParentHelper(), helper);
  EXPECT_EQ(helper->KeyTipParent(), nullptr) << "an owner without the query names none";

  TdxBarItemControl* button = menu->ButtonItemLinks()->Items(0)->Control();
  ASSERT_TRUE(button);
  TPoint p{};
  int vertical = 0, horizontal = 0;
  helper->ItemKeyTipPlacement(button, p, vertical, horizontal);
  const TRect r = menu->ControlScreenRect(button);
  EXPECT_EQ(p, (TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}));
  EXPECT_EQ(horizontal, 1);
  EXPECT_EQ(vertical, 2);
  TObject::Free(menu);
  Menu = nullptr;

  auto* owner = new TKeyTipOwner(Form, M);
  owner->Links->AddItem(Make("&New"));
  auto* other = new TdxBarApplicationMenuControl(M);
  owner->Parent = dynamic_cast<TdxBarAccessibilityHelper*>(other->AccessibilityHelper());
  menu = new TdxBarApplicationMenuControl(M);
  Menu = menu;
  menu->SetItemLinks(owner->Links);
  auto* asked = dynamic_cast<TdxBarApplicationMenuControlAccessibilityHelper*>(menu->AccessibilityHelper());
  EXPECT_EQ(asked->KeyTipParent(), owner->Parent);
  TObject::Free(other);
}

TEST_F(BarApplicationMenuTest, AClickOnAPaneEntryRunsItAndClosesTheMenu) {
  Fill();
  Owner->PaneWidth = 160;
  int picked = -1;
  Owner->PaneList->SetOnClick([&](TObject*) { picked = Owner->PaneList->ItemIndex(); });
  TdxBarApplicationMenuControl* menu = Open();
  TdxBarControl* pane = menu->ExtraPaneBar()->Control();
  ASSERT_TRUE(pane);
  TdxBarItemLinks* links = menu->ExtraPaneLinks();
  ASSERT_EQ(links->VisibleCount(), 4);
  TdxBarItemControl* entry = links->VisibleLinks(3)->Control();
  const TRect r = pane->ControlScreenRect(entry);
  MoveTo({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  Button(true);
  Button(false);
  EXPECT_EQ(picked, 2);
  EXPECT_FALSE(IsBarControlAlive(menu));
  Menu = nullptr;
}

TEST_F(BarApplicationMenuNavigationTest, RightAndLeftGoByGeometryBetweenTheItemsAndThePane) {
  Fill();
  Owner->PaneWidth = 160;
  TdxBarApplicationMenuControl* menu = Open();
  TdxBarItemLinks* items = menu->ItemLinks();
  menu->SelectControlByKeyboard(items->Items(1)->Control());
  Press(VK_RIGHT);
  TdxBarItemLink* selected = Selection();
  ASSERT_TRUE(selected);
  EXPECT_EQ(selected->Links(), menu->ExtraPaneLinks()) << "the pane entry beside the item";
  Press(VK_LEFT);
  ASSERT_TRUE(Selection());
  EXPECT_EQ(Selection()->Links(), items);
}

TEST_F(BarApplicationMenuNavigationTest, ABottomButtonFindsItsNeighbourAboveOverTheItemsAndThePane) {
  Fill();
  Owner->PaneWidth = 160;
  TButtonRowPainter painter;
  TdxBarApplicationMenuControl* menu = Open(&painter);
  auto* helper = dynamic_cast<TdxBarApplicationMenuControlAccessibilityHelper*>(menu->AccessibilityHelper());
  TdxBarItemLinks* buttons = menu->ButtonItemLinks();
  ASSERT_TRUE(helper && buttons->LastSelectable());
  // The last button stands under the pane: the nearest object above it is a pane entry.
  IdxBarAccessibilityHelper* found = nullptr;
  helper->ItemNeighbour(buttons->LastSelectable()->Control(), dxNavUp, found);
  auto* item = dynamic_cast<TdxBarItemControlAccessibilityHelper*>(BarHelperOf(found));
  ASSERT_TRUE(item && item->ItemControl());
  EXPECT_EQ(item->ItemControl()->ItemLink()->Links(), menu->ExtraPaneLinks());
  TObject::Free(menu);
  Menu = nullptr;
}
