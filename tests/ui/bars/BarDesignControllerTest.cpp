// The design controller: the popups of customizing (a link's, the toolbars list), the commands
// they run, new items, selection and deletion, at design time with a test designer and at run
// time in customizing mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarToolbarFixture.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarEditItems.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/LibraryStrings.h"

using namespace win;

namespace {

// The form designer's selection: status 1 for what it holds; operation 0 adds, 1 removes, 2
// selects only the object.
class TTestDesigner : public IdxBarDesigner {
 public:
  bool CanDeleteComponent(TComponent*) override { return true; }
  void GetSelection(TList* AList) override {
    for (TPersistent* p : Selection) AList->Add(p);
  }
  int GetSelectionStatus(TPersistent* C) override { return Holds(C) ? 1 : 0; }
  void SelectComponent(TPersistent* C, int Operation) override {
    if (!C) return;
    if (Operation == 2) Selection.clear();
    if (Operation == 1)
      std::erase(Selection, C);
    else if (!Holds(C))
      Selection.push_back(C);
  }
  void SetSelection(TList*) override {}
  void DesignerAction(TComponent*) override {}
  String UniqueName(const String& ABaseName) override { return ABaseName + "1"; }
  bool Holds(TPersistent* C) const { return std::find(Selection.begin(), Selection.end(), C) != Selection.end(); }
  std::vector<TPersistent*> Selection;
};

// A menu window of its own class, so a test can give it a design helper of its own.
class TDesignMenu : public TdxBarSubMenuControl {
  VW_CLASS(TDesignMenu, TdxBarSubMenuControl)
 public:
  explicit TDesignMenu(TComponent* AOwner) : TdxBarSubMenuControl(AOwner) {}
  void CustomizingPopupDone(int AResult) override { Results.push_back(AResult); }
  std::vector<int> Results;
};

// Offers every action the items offer.
class TNoHideHelper : public TdxBarSubMenuControlDesignHelper {
  VW_CLASS(TNoHideHelper, TdxBarSubMenuControlDesignHelper)
 public:
  TNoHideHelper() = default;
  TdxBarCustomizationActions HiddenActions() const override { return 0; }
};

// A menu window whose helper hides nothing.
class TOpenMenu : public TDesignMenu {
  VW_CLASS(TOpenMenu, TDesignMenu)
 public:
  using TDesignMenu::TDesignMenu;
};

// An item whose next selectable object is set by the test.
class TCycleItem : public TdxBarButton {
  VW_CLASS(TCycleItem, TdxBarButton)
 public:
  explicit TCycleItem(TComponent* AOwner) : TdxBarButton(AOwner) {}
  void NextSelectableObject(IdxBarSelectableItem*& AItem) override { AItem = Next; }
  IdxBarSelectableItem* Next = nullptr;
};

struct MessageBoxLog {
  static inline std::vector<String> Texts;
  static inline int Answer = IDNO;
  static int Show(HWND, const String& AText, const String&, int) {
    Texts.push_back(AText);
    return Answer;
  }
};

class BarDesignControllerTest : public BarToolbarFixture {
 protected:
  void SetUp() override {
    BarToolbarFixture::SetUp();
    C = BarDesignController();
    MessageBoxLog::Texts.clear();
    FPreviousMessageBox = TApplication::SetMessageBoxFunc(MessageBoxLog::Show);
  }
  void TearDown() override {
    if (C->CustomizingPopup()) TObject::Free(C->CustomizingPopup());
    C->ClearInternalItems();
    TApplication::SetMessageBoxFunc(FPreviousMessageBox);
    BarToolbarFixture::TearDown();
  }
  void Design() {
    M->SetDesigning(true);
    M->SetDesigner(&Designer);
  }
  // A menu window of the class over links to new buttons (and separators for "-").
  template <class TMenu = TDesignMenu>
  TMenu* Menu(std::initializer_list<const char*> Captions) {
    auto* links = new TdxBarSubMenuControlItemLinks(M, nullptr);
    OwnedLinks.emplace_back(links);
    for (const char* caption : Captions) {
      TdxBarItem* item = String(caption) == "-" ? static_cast<TdxBarItem*>(new TdxBarSeparator(Form))
                                                 : static_cast<TdxBarItem*>(new TdxBarButton(Form));
      item->SetCaption(caption);
      links->AddItem(item);
    }
    auto* menu = new TMenu(M);
    menu->SetItemLinks(links);
    return menu;
  }
  TdxBarItemLinks* Popup() const { return C->CustomizingPopup() ? C->CustomizingPopup()->ItemLinks() : nullptr; }
  // The popup's entries: "|" before one that begins a group, " -" after a disabled one, " *"
  // after one that is down.
  static std::vector<std::string> Describe(TdxBarItemLinks* ALinks) {
    std::vector<std::string> out;
    for (int i = 0; ALinks && i < ALinks->Count(); ++i) {
      TdxBarItemLink* link = ALinks->Items(i);
      TdxBarItem* item = link->Item();
      std::string s = (link->BeginGroup() && i > 0 ? "|" : "") + item->Caption();
      if (!item->Enabled()) s += " -";
      if (auto* button = dynamic_cast<TdxBarButton*>(item); button && button->Down()) s += " *";
      out.push_back(s);
    }
    return out;
  }
  static TdxBarItem* Command(TdxBarItemLinks* ALinks, const String& ACaption) {
    for (int i = 0; ALinks && i < ALinks->Count(); ++i)
      if (ALinks->Items(i)->Item()->Caption() == ACaption) return ALinks->Items(i)->Item();
    return nullptr;
  }
  static void Click(TdxBarItem* ACommand) {
    ASSERT_NE(ACommand, nullptr);
    ACommand->OnClick()(ACommand);
  }
  void PopupFor(TCustomdxBarControl* ABar, TdxBarItemLink* ALink) {
    C->SelectPersistent(M, ALink, 2);
    C->ShowLinkPopup(ABar, ALink);
  }
  TdxBar* Toolbar(int AButtons = 3) { return AddToolbar<TdxBar>("Standard", dsTop, AButtons, 200, 30); }

  TdxBarDesignController* C = nullptr;
  TTestDesigner Designer;
  std::vector<std::unique_ptr<TdxBarItemLinks>> OwnedLinks;

 private:
  TApplication::TMessageBoxFunc FPreviousMessageBox;
};

using Entries = std::vector<std::string>;

// ---- what the link popup offers ----

TEST_F(BarDesignControllerTest, TheLinkPopupOffersWhatTheItemTheBarAndTheTimeAllow) {
  TdxBar* bar = Toolbar();
  TDesignMenu* menu = Menu({"Open", "-"});
  auto* large = new TdxBarLargeButton(Form);
  large->SetCaption("Large");
  TdxBarItemLink* largeLink = bar->ItemLinks()->AddItem(large);
  const TdxBarItemLinks* links = bar->ItemLinks();
  const Entries styles{"|Defa&ult Style *", "&Text Only (Always)", "Text &Only (in Menus)", "Image &and Text"};
  auto join = [](Entries a, const Entries& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  M->SetCustomizing(true);
  struct Case {
    const char* What;
    TCustomdxBarControl* Bar;
    TdxBarItemLink* Link;
    Entries Expected;
  };
  const Case runTime[] = {
      {"a toolbar button", bar->Control(), links->Items(1),
       join(join({"&Reset", "&Delete", "|&Name:"}, styles), {"|Begin a &Group"})},
      {"the first link cannot begin a group", bar->Control(), links->Items(0),
       join(join({"&Reset", "&Delete", "|&Name:"}, styles), {"|Begin a &Group -"})},
      {"a large button has no paint styles", bar->Control(), largeLink, {"&Reset", "&Delete", "|&Name:", "|Begin a &Group"}},
      {"a menu button", menu, menu->ItemLinks()->Items(0), {"&Reset", "&Delete", "|&Name:", "|Begin a &Group -"}},
  };
  for (const Case& c : runTime) {
    PopupFor(c.Bar, c.Link);
    EXPECT_EQ(Describe(Popup()), c.Expected) << c.What;
  }
  M->SetCustomizing(false);

  Design();
  const Entries editors{"Add &SubItem", "Add &Button", "Add &LargeButton", "Add &Item"};
  const Entries tail{"|&Reset", "|&Delete", "Delete Item", "Delete Link", "|&Caption:"};
  const Case designTime[] = {
      {"a menu button", menu, menu->ItemLinks()->Items(0),
       join(join(editors, {"Add Se&parator"}), join(tail, {"|Begin a &Group -", "&Visible *", "&Most Recently Used *"}))},
      {"a toolbar button", bar->Control(), links->Items(1),
       join(join(editors, tail), join(styles, {"|Begin a &Group", "&Visible *"}))},
      {"a menu separator", menu, menu->ItemLinks()->Items(1),
       join(join(editors, {"Add Se&parator"}), join(tail, {"|Begin a &Group", "&Visible *"}))},
  };
  for (const Case& c : designTime) {
    PopupFor(c.Bar, c.Link);
    EXPECT_EQ(Describe(Popup()), c.Expected) << c.What;
  }
  TObject::Free(menu);
}

TEST_F(BarDesignControllerTest, PicturesOfARunTimeAndADesignTimePopup) {
  TdxBar* bar = Toolbar();
  auto save = [&](const std::string& AName) {
    ASSERT_TRUE(C->HasCustomizingPopup());
    RECT r;
    GetWindowRect(C->CustomizingPopup()->Handle(), &r);
    SaveScreenArea("bars/design-popup-" + AName + ".png", TRect(r.left - 4, r.top - 4, r.right + 8, r.bottom + 8), 2);
  };
  SetCursorPos(320, 120);
  M->SetCustomizing(true);
  PopupFor(bar->Control(), bar->ItemLinks()->Items(1));
  save("run-time");
  M->SetCustomizing(false);
  Design();
  PopupFor(bar->Control(), bar->ItemLinks()->Items(1));
  save("design-time");
}

TEST_F(BarDesignControllerTest, PopupCommandsChangeTheLinkAndAtDesignTimeEverySelectedLink) {
  TdxBar* bar = Toolbar(4);
  TdxBarItemLinks* links = bar->ItemLinks();
  M->SetCustomizing(true);
  links->Items(1)->SetUserPaintStyle(TdxBarPaintStyle::psCaptionGlyph);
  PopupFor(bar->Control(), links->Items(1));
  auto* imageAndText = dynamic_cast<TdxBarButton*>(Command(Popup(), "Image &and Text"));
  ASSERT_NE(imageAndText, nullptr);
  EXPECT_TRUE(imageAndText->Down()) << "the link's own style is down";
  Click(Command(Popup(), "&Text Only (Always)"));
  EXPECT_EQ(links->Items(1)->PaintStyle(), TdxBarPaintStyle::psCaption);
  EXPECT_TRUE(links->Items(1)->UserDefine().Contains(udPaintStyle));
  Click(Command(Popup(), "&Reset"));
  EXPECT_TRUE(links->Items(1)->UserDefine().Empty());
  M->SetCustomizing(false);

  // At design time the change reaches each of three selected links.
  Design();
  C->SelectPersistent(M, links->Items(0), 2);
  C->SelectPersistent(M, links->Items(2), 0);
  C->SelectPersistent(M, links->Items(3), 0);
  C->ShowLinkPopup(bar->Control(), links->Items(3));
  Click(Command(Popup(), "&Text Only (Always)"));
  for (int i : {0, 2, 3}) EXPECT_EQ(links->Items(i)->PaintStyle(), TdxBarPaintStyle::psCaption) << i;
  EXPECT_NE(links->Items(1)->PaintStyle(), TdxBarPaintStyle::psCaption);
}

TEST_F(BarDesignControllerTest, AHelperThatHidesNothingOffersGroupsViewLevelsAndPositions) {
  C->RegisterDesignHelper(TOpenMenu::StaticClass(), TNoHideHelper::StaticClass());
  Design();
  auto* menu = Menu<TOpenMenu>({"A", "B", "C", "D"});
  TdxBarItemLinks* links = menu->ItemLinks();
  C->SelectPersistent(M, links->Items(3), 2);
  C->SelectPersistent(M, links->Items(1), 0);
  C->SelectPersistent(M, links->Items(2), 0);
  C->ShowLinkPopup(menu, links->Items(2));

  TdxBarItem* group = Command(Popup(), "Button Group");
  ASSERT_NE(group, nullptr);
  if (!group->ItemLinks()) GTEST_SKIP() << "sub-items hold no links of their own yet";
  Click(Command(group->ItemLinks(), "Group"));
  EXPECT_EQ(links->Items(0)->ButtonGroup(), bgpNone);
  EXPECT_EQ(links->Items(1)->ButtonGroup(), bgpStart);
  EXPECT_EQ(links->Items(2)->ButtonGroup(), bgpMember);
  EXPECT_EQ(links->Items(3)->ButtonGroup(), bgpMember);
  Click(Command(group->ItemLinks(), "Ungroup"));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(links->Items(i)->ButtonGroup(), bgpNone) << i;

  TdxBarItem* levels = Command(Popup(), "View Levels");
  ASSERT_NE(levels, nullptr);
  auto* smallIcon = dynamic_cast<TdxBarButton*>(Command(levels->ItemLinks(), "ivlSmallIcon ONLY"));
  ASSERT_NE(smallIcon, nullptr);
  EXPECT_FALSE(smallIcon->CloseSubMenuOnClick()) << "the sub-menu stays open";
  Click(smallIcon);
  EXPECT_EQ(links->Items(2)->ViewLevels(), TdxBarItemViewLevels{ivlSmallIcon});
  EXPECT_TRUE(smallIcon->Down());

  TdxBarItem* position = Command(Popup(), "Position");
  ASSERT_NE(position, nullptr);
  Click(Command(position->ItemLinks(), "ipContinuesRow"));
  EXPECT_EQ(links->Items(2)->Position(), ipContinuesRow);
  C->UnregisterDesignHelper(TOpenMenu::StaticClass(), TNoHideHelper::StaticClass());
  TObject::Free(menu);
}

TEST_F(BarDesignControllerTest, CaptionsAreCommittedAndABlankOneIsRefused) {
  TdxBar* bar = Toolbar();
  TdxBarItemLink* link = bar->ItemLinks()->Items(1);
  M->SetCustomizing(true);
  PopupFor(bar->Control(), link);
  auto* name = dynamic_cast<TdxBarEdit*>(Command(Popup(), "&Name:"));
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->Text(), "B1");
  name->SetText("保存");
  EXPECT_EQ(link->UserCaption(), "保存");
  EXPECT_EQ(link->Item()->Caption(), "B1");

  TcxObjectLinkScope popup(C->CustomizingPopup());
  name->SetText("  ");
  EXPECT_EQ(MessageBoxLog::Texts, std::vector<String>{"A command name cannot be blank. Please enter a name."});
  EXPECT_EQ(link->UserCaption(), "保存");
  Pump();
  EXPECT_TRUE(!popup.Alive() || !IsWindowVisible(C->CustomizingPopup()->Handle())) << "the popup closed";
  M->SetCustomizing(false);

  Design();
  M->SetModified(false);
  PopupFor(bar->Control(), link);
  auto* caption = dynamic_cast<TdxBarEdit*>(Command(Popup(), "&Caption:"));
  ASSERT_NE(caption, nullptr);
  caption->SetText("Save");
  EXPECT_EQ(link->Item()->Caption(), "Save");
  EXPECT_TRUE(M->Modified()) << "the designer is told";
}

// ---- new items and command items ----

TEST_F(BarDesignControllerTest, AddButtonMakesTheNextLinkANewDesignSelectedButton) {
  TdxBar* bar = Toolbar(3);
  Design();
  cxSetResourceStringReplacement("dxSBAR_DEFAULTCATEGORYNAME", "默认");
  M->Categories()->Add("File");
  M->Categories()->Add("默认");
  int itemListChanges = 0;
  M->ItemList()->OnChange = [&](TObject*, TComponent*, TcxCollectionChangeKind) { ++itemListChanges; };
  PopupFor(bar->Control(), bar->ItemLinks()->Items(2));
  EXPECT_EQ(itemListChanges, 0) << "filling the popup reports no change of the items";
  for (int i = 0; i < Popup()->Count(); ++i)
    EXPECT_LT(M->ItemList()->IndexOf(Popup()->Items(i)->Item()), 0) << "command items stay out of the item list";
  const int internalItems = C->InternalItemCount();
  EXPECT_GT(internalItems, 0);

  Click(Command(Popup(), "Add &Button"));
  cxRemoveResourceStringReplacement("dxSBAR_DEFAULTCATEGORYNAME");
  M->ItemList()->OnChange = nullptr;
  ASSERT_EQ(bar->ItemLinks()->Count(), 4);
  auto* added = dynamic_cast<TdxBarButton*>(bar->ItemLinks()->Items(3)->Item());
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->Name(), "dxBarButton1");
  EXPECT_EQ(added->Caption(), "New Button");
  EXPECT_EQ(added->Category(), M->Categories()->IndexOf("默认"));
  EXPECT_GT(added->Category(), 0);
  EXPECT_GE(M->ItemList()->IndexOf(added), 0);
  EXPECT_EQ(itemListChanges, 1) << "one change at the end";
  EXPECT_TRUE(Designer.Holds(added)) << "the new item is design-selected";

  // The next popup frees the previous command items (LeakSanitizer watches the rest).
  PopupFor(bar->Control(), bar->ItemLinks()->Items(0));
  EXPECT_EQ(C->InternalItemCount(), internalItems);
}

// ---- the toolbars popup ----

TEST_F(BarDesignControllerTest, TheToolbarsPopupListsTheShownToolbarsAndEndsWithCustomize) {
  TdxBar* standard = Toolbar();
  TdxBar* hidden = AddToolbar<TdxBar>("Hidden", dsTop, 1, 100, 30);
  hidden->SetHidden(true);
  TdxBar* merged = AddToolbar<TdxBar>("Merged", dsTop, 1, 100, 30);
  TdxBar* other = AddToolbar<TdxBar>("Other", dsBottom, 1, 100, 30);
  standard->Merge(merged, true);
  other->SetVisible(false);
  M->SetCanCustomize(true);
  TdxBarItemLinks* shown = nullptr;
  M->OnShowToolbarsPopup = [&](TdxBarManager*, TdxBarItemLinks* ALinks) { shown = ALinks; };
  C->ShowToolbarsPopup(M, M->Painter());
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(Describe(shown), (Entries{"Standard *", "Other", "|&Customize..."}));
  Click(Command(shown, "Other"));
  EXPECT_TRUE(other->Visible());
  TObject::Free(dynamic_cast<TObject*>(shown->BarControl()));

  M->SetCustomizing(true);
  C->ShowToolbarsPopup(M, M->Painter());
  EXPECT_EQ(Describe(shown).back(), "|&Customize... -") << "disabled while the dialog is open";
  TObject::Free(dynamic_cast<TObject*>(shown->BarControl()));
  M->SetCustomizing(false);

  // Without CanCustomize the list has no command; an application can add its own.
  M->SetCanCustomize(false);
  M->OnShowToolbarsPopup = [&](TdxBarManager*, TdxBarItemLinks* ALinks) {
    shown = ALinks;
    ALinks->AddItem(standard->ItemLinks()->Items(0)->Item());
  };
  C->ShowToolbarsPopup(M, M->Painter());
  EXPECT_EQ(Describe(shown), (Entries{"Standard *", "Other *", "B0"}));
  TObject::Free(dynamic_cast<TObject*>(shown->BarControl()));

  // With nothing to list nothing shows.
  for (TdxBar* bar : {standard, other}) bar->SetHidden(true);
  M->OnShowToolbarsPopup = nullptr;
  const int menusBefore = static_cast<int>(M->ComponentCount());
  C->ShowToolbarsPopup(M, M->Painter());
  EXPECT_EQ(static_cast<int>(M->ComponentCount()), menusBefore);
}

// ---- keys ----

TEST_F(BarDesignControllerTest, DeleteAndEscapeActOnTheDesignSelection) {
  TdxBar* bar = Toolbar(4);
  TdxBarItemLinks* links = bar->ItemLinks();
  Design();
  SetActiveWindow(Form->Handle());
  auto key = [&](unsigned AKey, bool ACtrl = false) {
    if (ACtrl) platform::Headless()->InjectKey(VK_CONTROL, true);
    platform::Headless()->InjectKey(AKey, true);
    platform::Headless()->InjectKey(AKey, false);
    if (ACtrl) platform::Headless()->InjectKey(VK_CONTROL, false);
    Pump();
  };

  // Delete on a link deletes it and selects the next.
  TdxBarItem* second = links->Items(1)->Item();
  TdxBarItem* third = links->Items(2)->Item();
  C->SelectPersistent(M, links->Items(1), 2);
  key(VK_DELETE);
  ASSERT_EQ(links->Count(), 3);
  EXPECT_EQ(links->Items(1)->Item(), third);
  EXPECT_GE(M->ItemList()->IndexOf(second), 0) << "only the link went";
  EXPECT_EQ(Designer.Selection, std::vector<TPersistent*>{third});

  // Ctrl+Delete with a link and its item selected deletes the item once.
  Designer.Selection = {links->Items(1), third};
  C->SetLastSelected(BarSelectableItemOf(links->Items(1)));
  key(VK_DELETE, true);
  EXPECT_EQ(links->Count(), 2);
  EXPECT_LT(M->ItemList()->IndexOf(third), 0);

  // Deleting links of an item with several asks first; No keeps them.
  TdxBarItem* first = links->Items(0)->Item();
  links->AddItem(first);
  C->SelectPersistent(M, links->Items(0), 2);
  MessageBoxLog::Answer = IDNO;
  key(VK_DELETE);
  ASSERT_EQ(MessageBoxLog::Texts.size(), 1u);
  EXPECT_EQ(links->Count(), 3);
  MessageBoxLog::Answer = IDYES;
  key(VK_DELETE);
  EXPECT_EQ(links->Count(), 1) << "both links of the item went";

  // Escape on a link selects its bar window's design parent, and is consumed.
  C->SelectPersistent(M, links->Items(0), 2);
  TPersistent* parent = links->Items(0)->ParentSelectable();
  ASSERT_NE(parent, nullptr);
  EXPECT_TRUE(C->SelectParentOfSelection());
  EXPECT_EQ(Designer.Selection, std::vector<TPersistent*>{parent});

  // Escape on a toolbar: its built-in site is not streamed, so the form; a stand-alone site is.
  C->SelectPersistent(M, bar, 2);
  ASSERT_EQ(Designer.Selection, std::vector<TPersistent*>{bar});
  key(VK_ESCAPE);
  EXPECT_EQ(Designer.Selection, std::vector<TPersistent*>{Form});
  auto* site = new TdxBarDockControl(Form);
  site->SetParent(Form);
  bar->SetDockControl(site);
  Pump();
  ASSERT_EQ(bar->RealDockControl(), site);
  C->SelectPersistent(M, bar, 2);
  key(VK_ESCAPE);
  EXPECT_EQ(Designer.Selection, std::vector<TPersistent*>{site});
}

TEST_F(BarDesignControllerTest, AtRunTimeDeleteFreesTheLastSelectedLinkOnlyWhileCustomizing) {
  TdxBar* bar = Toolbar(3);
  TdxBarItemLinks* links = bar->ItemLinks();
  C->SelectPersistent(M, links->Items(1), 2);
  EXPECT_FALSE(C->DeleteDesignSelection(false, false));
  EXPECT_EQ(links->Count(), 3) << "not customizing";
  M->SetCustomizing(true);
  EXPECT_FALSE(C->DeleteDesignSelection(false, false));
  EXPECT_EQ(links->Count(), 2);
  EXPECT_EQ(C->LastSelectedObject, nullptr);
  M->SetCustomizing(false);
}

// ---- references kept past their objects ----

TEST_F(BarDesignControllerTest, TheNextObjectWalkEndsWhenItsItemsCycle) {
  // I1 leads to I2, I2 to I3 and I3 back to I2.
  TdxBar* bar = Toolbar(1);
  Design();
  TCycleItem* items[3];
  for (auto*& item : items) {
    item = new TCycleItem(Form);
    bar->ItemLinks()->AddItem(item);
  }
  items[0]->Next = items[1];
  items[1]->Next = items[2];
  items[2]->Next = items[1];
  Designer.Selection = {items[2], items[1], items[0]};
  C->SetLastSelected(items[0]);
  EXPECT_TRUE(C->DeleteDesignSelection(true, false));
  EXPECT_EQ(bar->ItemLinks()->Count(), 1);
}

TEST_F(BarDesignControllerTest, AFreedManagerTakesTheCustomizingReferencesAlong) {
  auto* other = new TForm(Application, 0);
  auto* manager = new TdxBarManager(other);
  TdxBar* bar = manager->Bars()->Add();
  bar->SetVisible(false);
  auto* button = new TdxBarButton(other);
  TdxBarItemLink* link = bar->ItemLinks()->AddItem(button);
  manager->SetCustomizing(true);
  C->SelectPersistent(manager, link, 2);
  C->ShowCustomizingPopup(manager, manager->Painter(), link, nullptr,
                          [](TdxBarItemLinks* ALinks) { ALinks->AddItem(new TdxBarButton(ALinks->BarManager()->Owner())); });
  EXPECT_EQ(C->CustomizingManager(), manager);
  manager->SetCustomizing(false);
  TObject::Free(other);
  EXPECT_EQ(C->CustomizingManager(), nullptr);
  EXPECT_EQ(C->CustomizingItemLink, nullptr);
  EXPECT_EQ(C->CustomizingPopup(), nullptr);
  EXPECT_EQ(C->LastSelectedObject, nullptr);
  // A selection with no manager of its own goes nowhere.
  C->SelectPersistent(nullptr, Form, 2);
}

// ---- keeping the popup on top ----

TEST_F(BarDesignControllerTest, KeepPopupOnTopStacksTheBarChainBelowThePopup) {
  // A floating toolbar: a window of its own in the stacking order.
  TdxBar* bar = AddToolbar<TdxBar>("Floating", dsNone, 3, 200, 30);
  M->SetCustomizing(true);
  PopupFor(bar->Control(), bar->ItemLinks()->Items(1));
  ASSERT_TRUE(C->HasCustomizingPopup());
  const HWND popup = C->CustomizingPopup()->Handle();
  C->KeepPopupOnTop(true);
  EXPECT_TRUE(GetWindowLong(popup, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(popup, GW_HWNDNEXT), bar->Control()->Handle());
  C->KeepPopupOnTop(false);
  EXPECT_FALSE(GetWindowLong(popup, GWL_EXSTYLE) & WS_EX_TOPMOST);
  M->SetCustomizing(false);
}

// ---- the menu window's customizing popup ----

TEST_F(BarDesignControllerTest, AMenuOutsideCustomizingShowsTheApplicationsPopupForItsLink) {
  TDesignMenu* menu = Menu({"Open", "Save"});
  int asked = 0;
  M->OnShowCustomizingPopup = [&](TdxBarManager*, TdxBarItemLinks* ALinks) {
    ++asked;
    if (ALinks->Count() == 0) ALinks->AddItem(new TdxBarButton(Form))->Item()->SetCaption("Properties");
  };
  menu->CreateItemControls();
  TdxBarItemControl* control = menu->ItemLinks()->Items(1)->Control();
  ASSERT_NE(control, nullptr);
  menu->ShowCustomizingPopup(control);
  EXPECT_EQ(asked, 1) << "the application is asked once";
  EXPECT_EQ(Describe(Popup()), Entries{"Properties"});
  EXPECT_EQ(C->CustomizingItemLink, menu->ItemLinks()->Items(1));
  EXPECT_EQ(menu->Results, std::vector<int>{1});
  TObject::Free(C->CustomizingPopup());

  // Nothing to show: the result says so.
  M->OnShowCustomizingPopup = nullptr;
  menu->ShowCustomizingPopup(control);
  EXPECT_EQ(menu->Results, (std::vector<int>{1, 0}));
  TObject::Free(menu);
}

}  // namespace
