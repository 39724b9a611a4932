// Item links shown in windows: a toolbar definition's links in a stand-in toolbar window and links
// in stand-in menu windows, with the item controls the items' classes name. What shows, keyboard
// movement, toolbar accelerators, the window a collection makes and frees, controls after loading,
// options and recent use taken from the opener, the designer's selection, the registry layout and
// links assigned during a toolbar reset.
#include <gtest/gtest.h>

#include <functional>

#include "platform/classes/IniFiles.h"
#include "platform/classes/Registry.h"
#include "platform/classes/Streams.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/bars/BarItemControlFixture.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/ObjectLinks.h"

namespace {

// A toolbar window the designer selects as the links' parent, and that can be made the active bar.
class TDesignBar : public TStandInBar {
  VW_CLASS(TDesignBar, TStandInBar)
 public:
  using TStandInBar::TStandInBar;
  TPersistent* DesignSelectable() const override { return Selectable; }
  bool IsActive() const override { return ActiveNow; }
  TPersistent* Selectable = nullptr;
  bool ActiveNow = false;
};

// Records the selection calls and answers 1 for what it holds selected.
class TRecordingDesigner : public IdxBarDesigner {
 public:
  bool CanDeleteComponent(TComponent*) override { return false; }
  void GetSelection(TList*) override {}
  int GetSelectionStatus(TPersistent* C) override { return C && C == Selected ? 1 : 0; }
  void SelectComponent(TPersistent* C, int Operation) override { Calls.push_back({C, Operation}); }
  void SetSelection(TList*) override {}
  void DesignerAction(TComponent*) override {}
  String UniqueName(const String& N) override { return N; }
  TPersistent* Selected = nullptr;
  std::vector<std::pair<TPersistent*, int>> Calls;
};

// A button whose sub-item layout restore runs a probe (during a toolbar reset, with its flag set).
class TRestoreProbe : public TdxBarButton {
  VW_CLASS(TRestoreProbe, TdxBarButton)
 public:
  explicit TRestoreProbe(TComponent* AOwner) : TdxBarButton(AOwner) {}
  void RestoreSubItemLayout(TCustomIniFile*, const String&, bool) override {
    if (Probe) Probe();
  }
  std::function<void()> Probe;
};

class TOtherForm : public TForm {
  VW_CLASS(TOtherForm, TForm)
 public:
  explicit TOtherForm(TComponent* AOwner) : TForm(AOwner, 0) {}
};

class BarItemLinksWindowTest : public BarItemControlFixture {
 protected:
  void SetUp() override {
    BarItemControlFixture::SetUp();
    // The controls the items' classes name, not the stand-in buttons.
    dxBarItemControlFactory = nullptr;
  }
  // A toolbar definition with the items, shown in a 200 x 30 stand-in window at (100, 100).
  TDesignBar* Toolbar(std::initializer_list<TdxBarItem*> Items) {
    TdxBar* bar = M->Bars()->Add();
    for (TdxBarItem* item : Items) bar->ItemLinks()->AddItem(item);
    auto* window = new TDesignBar(M, dxBarKindToolbar);
    window->AutoSize = false;
    window->SetItemLinks(bar->ItemLinks());
    Bars.push_back(window);
    Form->Show();
    window->SetBounds(100, 100, 200, 30);
    window->HandleNeeded();
    window->ShowNoActivate();
    window->SetVisible(true);
    return window;
  }
  // Places the links side by side with the widths given, from x = 0; a width of 0 leaves the
  // link's rectangle empty.
  static void Row(TCustomdxBarControl* Window, const std::vector<int>& Widths) {
    TdxBarItemLinks* links = Window->ItemLinks();
    int x = 0, i = 0;
    for (int w : Widths) {
      links->VisibleLinks(i++)->SetItemRect(w ? TRect{x, 0, x + w, 20} : TRect{});
      x += w;
    }
  }
  static TdxBarItemLink* L(TCustomdxBarControl* Window, int Index) { return Window->ItemLinks()->Items(Index); }
  TdxBarLabel* Label(const String& Caption) { return Make<TdxBarLabel>(Caption); }
};

// ---- what a toolbar shows ------------------------------------------------------------------------

TEST_F(BarItemLinksWindowTest, AToolbarShowsLinksUpToTheFirstOutsideItsClientArea) {
  TDesignBar* w = Toolbar({Make("A"), Make("B"), Make("C"), Make("D")});
  TdxBarItemLinks* links = w->ItemLinks();
  ASSERT_FALSE(links->ShowsAllVisible());
  ASSERT_EQ(links->VisibleCount(), 4);
  ASSERT_NE(L(w, 0)->Control(), nullptr) << "the window made the controls";
  const int right = w->ClientWidth();

  // Four links of which the last reaches one pixel past the client area.
  struct Case {
    const char* What;
    std::vector<int> Widths;
    int Shown;
  };
  for (const Case& c : {Case{"all inside", {40, 40, 40, right - 120}, 4}, Case{"the last one pixel out", {40, 40, 40, right - 119}, 3},
                        Case{"an empty rectangle stops the count", {40, 0, 40, 40}, 1},
                        Case{"the first out", {right + 1, 10, 10, 10}, 0}}) {
    Row(w, c.Widths);
    EXPECT_EQ(links->ShownCount(), c.Shown) << c.What;
  }
  links->ClearItemRects();
  EXPECT_EQ(links->ShownCount(), 0);

  // The next link cycles over the shown links only.
  Row(w, {40, 40, 40, right});
  EXPECT_EQ(L(w, 0)->NextLink(), L(w, 1));
  EXPECT_EQ(L(w, 2)->NextLink(), L(w, 0)) << "the last shown link goes back to the first";
  EXPECT_EQ(L(w, 3)->NextLink(), L(w, 0)) << "a link that is not shown starts at the first";
  Row(w, {40, 0, 40, 40});
  EXPECT_EQ(L(w, 0)->NextLink(), nullptr) << "alone on show";
  Row(w, {0, 40, 40, 40});
  EXPECT_EQ(L(w, 1)->NextLink(), nullptr) << "nothing shown";

  // A menu shows every visible link wherever they lie.
  TStandInBar* menu = NewBar(dxBarKindMenu, {Make("M1"), Make("M2")});
  menu->ItemLinks()->ClearItemRects();
  EXPECT_EQ(menu->ItemLinks()->ShownCount(), 2);
  EXPECT_EQ(menu->ItemLinks()->Items(1)->NextLink(), menu->ItemLinks()->Items(0));
}

TEST_F(BarItemLinksWindowTest, KeyboardMovementWrapsOverSelectableShownLinksAndEndsAfterACycle) {
  // A, a label (selectable only while customizing), B, and C beyond the client area.
  TDesignBar* w = Toolbar({Make("A"), Label("Label"), Make("B"), Make("C")});
  TdxBarItemLinks* links = w->ItemLinks();
  Row(w, {40, 40, 40, 200});
  TdxBarItemLink *a = L(w, 0), *label = L(w, 1), *b = L(w, 2), *c = L(w, 3);
  ASSERT_FALSE(label->Control()->IsSelectable());
  struct Case {
    const char* What;
    TdxBarItemLink* Got;
    TdxBarItemLink* Expected;
  };
  for (const Case& k : {Case{"first", links->FirstSelectable(), a}, Case{"last", links->LastSelectable(), b},
                        Case{"next of A skips the label", links->NextSelectable(a), b},
                        Case{"next of B wraps past the unshown C", links->NextSelectable(b), a},
                        Case{"prior of A wraps", links->PriorSelectable(a), b}, Case{"prior of B", links->PriorSelectable(b), a},
                        Case{"next of none is the first", links->NextSelectable(nullptr), a},
                        Case{"prior of none is the last", links->PriorSelectable(nullptr), b},
                        Case{"next of an unshown link starts at the first", links->NextSelectable(c), a},
                        Case{"any: the label", links->NextSelectable(a, true), label},
                        Case{"any: prior of A", links->PriorSelectable(a, true), b}})
    EXPECT_EQ(k.Got, k.Expected) << k.What;

  M->SetCustomizing(true);
  Row(w, {40, 40, 40, 200});
  EXPECT_EQ(links->NextSelectable(a), label) << "customizing selects labels of the manager's own items";
  M->SetCustomizing(false);

  // One selectable link: a full cycle comes back to it and ends with none.
  Row(w, {40, 40, 0, 0});
  EXPECT_EQ(links->FirstSelectable(), a);
  EXPECT_EQ(links->LastSelectable(), a);
  EXPECT_EQ(links->NextSelectable(a), nullptr);
  EXPECT_EQ(links->PriorSelectable(a), nullptr);
  EXPECT_EQ(links->NextSelectable(a, true), label);
  // Nothing selectable on show.
  Row(w, {0, 0, 0, 0});
  EXPECT_EQ(links->FirstSelectable(), nullptr);
  EXPECT_EQ(links->NextSelectable(nullptr), nullptr);
  EXPECT_EQ(links->PriorSelectable(nullptr, true), nullptr);
}

TEST_F(BarItemLinksWindowTest, AToolbarFindsAcceleratorsOnlyWhileShownAmongReachableSelectableLinks) {
  auto* disabled = Make("O&rder");
  disabled->SetEnabled(false);
  TDesignBar* w = Toolbar({Make("&Open"), Label("&Owner"), disabled, Make("&Options"), Make("&Off")});
  TdxBarItemLinks* links = w->ItemLinks();
  Row(w, {30, 30, 30, 30, 200});
  TdxBarItemLink *open = L(w, 0), *options = L(w, 3);
  const TShiftState none;
  EXPECT_EQ(links->FindAccelerator('O', none, nullptr), open);
  EXPECT_EQ(links->FindAccelerator('O', none, open), options) << "the label is no selectable link";
  EXPECT_EQ(links->FindAccelerator('O', none, options), open) << "\"&Off\" lies outside the client area";
  EXPECT_EQ(links->FindAccelerator('R', none, nullptr), nullptr) << "a disabled button cannot be reached";
  EXPECT_EQ(links->FindAccelerator('O', TShiftState{ssCtrl}, nullptr), nullptr);
  EXPECT_EQ(links->FindAcceleratorNoAlt('O', TShiftState{ssAlt}, open), options);
  w->SetVisible(false);
  EXPECT_EQ(links->FindAccelerator('O', none, nullptr), nullptr) << "a hidden toolbar finds nothing";
}

// ---- the window a collection makes, and its controls ---------------------------------------------

TEST_F(BarItemLinksWindowTest, TheOwnerMakesTheWindowOnceAndFreeingSparesAWindowAlreadyGoing) {
  TdxBar* bar = M->Bars()->Add();
  TdxBarItemLinks* links = bar->ItemLinks();
  links->AddItem(Make("A"));
  links->CreateBarControl();
  auto* window = dynamic_cast<TdxBarControl*>(links->BarControl());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->ShownBar(), bar);
  EXPECT_EQ(window->ItemLinks(), links);
  links->CreateBarControl();
  EXPECT_EQ(links->BarControl(), window) << "made once";
  {
    TcxObjectLinkScope alive(window);
    links->FreeBarControl();
    EXPECT_FALSE(alive.Alive());
    EXPECT_EQ(links->BarControl(), nullptr);
  }
  links->FreeBarControl();  // nothing to free

  // A window going away that asks its links to free it is not freed twice, and lets go of them.
  links->CreateBarControl();
  window = static_cast<TdxBarControl*>(links->BarControl());
  window->OnDestroying = [links](TObject*) { links->FreeBarControl(); };
  TObject::Free(window);
  EXPECT_EQ(links->BarControl(), nullptr);

  // A collection that goes frees its window.
  auto* menuLinks = new TdxBarSubMenuControlItemLinks(M, nullptr);
  auto* menu = new TStandInBar(M, dxBarKindMenu);
  menu->SetItemLinks(menuLinks);
  TcxObjectLinkScope alive(menu);
  delete menuLinks;
  EXPECT_FALSE(alive.Alive());
}

TEST_F(BarItemLinksWindowTest, LoadingALayoutGivesTheWindowControlsForTheLinksItCanShow) {
  auto* a = Make("A");
  auto* b = Make("B");
  auto* c = Make("C");
  TDesignBar* w = Toolbar({a, b, c});
  TdxBarItemLinks* links = w->ItemLinks();
  links->Items(1)->SetVisible(false);
  TMemIniFile ini("");
  links->SaveToLayout(&ini, "Bar0", false);
  links->Items(1)->SetVisible(true);
  links->Move(2, 0);

  links->LoadFromLayout(&ini, "Bar0", false);
  ASSERT_EQ(links->Count(), 3);
  EXPECT_EQ(links->Items(0)->Item(), a);
  for (int i : {0, 2}) {
    TdxBarItemControl* control = links->Items(i)->Control();
    ASSERT_NE(control, nullptr) << i;
    EXPECT_EQ(control->Parent(), w);
    EXPECT_EQ(control->ItemLink(), links->Items(i));
  }
  EXPECT_EQ(links->Items(1)->Control(), nullptr) << "stored hidden";
  w->DestroyItemControls();
  links->AfterLoad(false);
  EXPECT_NE(links->Items(2)->Control(), nullptr) << "made again after loading";
}

// ---- what a menu takes from the one that opened it -----------------------------------------------

TEST_F(BarItemLinksWindowTest, MenusTakeOptionsAndRecentUseFromTheMenuThatOpenedThem) {
  M->SetStyle(bmsEnhanced);
  TStandInBar* top = NewBar(dxBarKindMenu, {Make("T")});
  TStandInBar* sub = NewBar(dxBarKindMenu, {Make("S")}, 300, 100);
  TStandInBar* subSub = NewBar(dxBarKindMenu, {Make("SS")}, 500, 100);
  TdxBarItemLinks *topLinks = top->ItemLinks(), *subLinks = sub->ItemLinks(), *deepest = subSub->ItemLinks();
  auto resolved = [](TdxBarItemLinks* Links, TdxBarItemOptionValue Option) {
    int value = -1;
    Links->ResolveOption(Option, Links, value);
    return value;
  };
  topLinks->ItemOptions()->SetSize(misLarge);
  topLinks->ItemOptions()->SetShowShortCuts(false);
  EXPECT_EQ(resolved(deepest, ioSize), misNormal) << "opened by nothing: its own default";

  top->SetChildBar(sub);
  sub->SetChildBar(subSub);
  EXPECT_EQ(resolved(deepest, ioSize), misLarge) << "two menus up";
  EXPECT_EQ(resolved(deepest, ioShowShortCuts), 0);
  EXPECT_EQ(resolved(deepest, ioShowDescriptions), 0) << "assigned nowhere: the top menu's default";
  subLinks->ItemOptions()->SetSize(misNormal);
  EXPECT_EQ(resolved(deepest, ioSize), misNormal) << "the nearest assigned value";
  EXPECT_EQ(resolved(deepest, ioShowShortCuts), 0) << "other options still from the top";

  // Recent use needs every menu up the chain to allow it.
  for (int i = 0; i < 4; ++i) deepest->AddItem(Make("X" + IntToStr(i)));
  deepest->Items(4)->SetUseCount(0);
  deepest->MoveToRecentEnd(deepest->Items(4));
  ASSERT_NE(deepest->RecentCutoff(), -1);
  topLinks->SetUseRecentItems(false);
  EXPECT_EQ(deepest->RecentCutoff(), -1);
  deepest->SetCollapsedCount(2);
  EXPECT_EQ(deepest->CollapsedCount(), -1);
  sub->SetParentBar(nullptr);
  EXPECT_NE(deepest->RecentCutoff(), -1) << "no longer opened from the top menu";
  // A menu frees the one it opened: the fixture frees each itself.
  top->SetChildBar(nullptr);
  sub->SetChildBar(nullptr);
}

TEST_F(BarItemLinksWindowTest, UsingALinkOfADropDownMenuMarksTheButtonThatOpenedIt) {
  M->SetStyle(bmsEnhanced);
  auto* opener = Make("Paste");
  TDesignBar* w = Toolbar({Make("Cut"), opener});
  TdxBarItemLink* openerLink = L(w, 1);
  auto* popup = new TdxBarPopupMenu(Form);
  popup->SetBarManager(M);
  TdxBarItemLink* special = popup->ItemLinks()->AddItem(Make("Special"));
  auto* window = new TdxBarSubMenuControl(M);
  window->SetItemLinks(popup->ItemLinks());
  window->SetDropDownButton(openerLink->Control());
  w->ActiveNow = true;
  w->SetSelectedControl(openerLink->Control());
  ASSERT_EQ(opener->ActiveLink(), openerLink);
  openerLink->SetUseCount(3);
  w->ItemLinks()->MoveToRecentEnd(openerLink);

  special->MarkUsed(true);
  EXPECT_EQ(openerLink->UseCount(), 4);
  EXPECT_EQ(openerLink->RecentIndex(), 0);
  special->MarkUsed(false);
  EXPECT_EQ(openerLink->UseCount(), 4) << "marked without counting";

  // Opened by no control: the mark stays in the menu.
  window->SetDropDownButton(nullptr);
  special->MarkUsed(true);
  EXPECT_EQ(openerLink->UseCount(), 4);
  TObject::Free(window);
}

// ---- the designer's selection --------------------------------------------------------------------

TEST_F(BarItemLinksWindowTest, DesignSelectionGoesThroughTheManagersDesigner) {
  auto* a = Make("A");
  TDesignBar* w = Toolbar({a, Make("B")});
  TRecordingDesigner designer;
  M->SetDesigner(&designer);
  w->Selectable = Form;
  Row(w, {40, 40});
  TdxBarItemLink *link = L(w, 0), *second = L(w, 1);

  link->SelectInDesigner(0);
  link->SelectInDesigner(1);
  using Calls = std::vector<std::pair<TPersistent*, int>>;
  EXPECT_EQ(designer.Calls, (Calls{{a, 0}, {link, 1}, {a, 1}})) << "the link itself only for operation 1";

  EXPECT_FALSE(link->IsSelectedInDesigner());
  designer.Selected = a;
  EXPECT_TRUE(link->IsSelectedInDesigner()) << "its item is selected";
  EXPECT_EQ(link->SelectionStatus(), 0);
  designer.Selected = link;
  EXPECT_TRUE(link->IsSelectedInDesigner());
  EXPECT_EQ(link->SelectionStatus(), 1);

  TList masters;
  link->AddMasterObjects(&masters);
  ASSERT_EQ(masters.Count(), 2);
  EXPECT_EQ(masters.Items(0), Form);
  EXPECT_EQ(masters.Items(1), a);
  EXPECT_EQ(link->ParentSelectable(), Form);
  IdxBarSelectableItem* next = nullptr;
  link->NextSelectableObject(next);
  EXPECT_EQ(next, second);
  EXPECT_EQ(link->AvailableActions(), a->AvailableActions());

  // Selecting the parent drops the keyboard selection and the manager's control, then selects the
  // window's design parent exclusively.
  w->SetSelectedControl(link->Control());
  M->SetSelectedItem(link->Control(), w);
  designer.Calls.clear();
  EXPECT_TRUE(link->SelectParent());
  EXPECT_EQ(w->SelectedLink(), nullptr);
  EXPECT_EQ(M->SelectedItem(), nullptr);
  EXPECT_EQ(designer.Calls, (Calls{{Form, 2}}));

  IdxBarSelectableItem* reference = second;
  second->DeleteSelected(reference, false);
  EXPECT_EQ(reference, nullptr);
  EXPECT_EQ(w->ItemLinks()->Count(), 1);
  M->SetDesigner(nullptr);

  // Outside any window there is no parent to select.
  TdxBarSubMenuControlItemLinks loose(M, nullptr);
  EXPECT_EQ(loose.AddItem(a)->ParentSelectable(), nullptr);
}

// ---- layouts -------------------------------------------------------------------------------------

TEST_F(BarItemLinksWindowTest, OnlyTheRegistryKeepsAUserGlyph) {
  platform::SetRegistryStorePath(testsupport::TempDir("links-registry") + "/registry");
  TdxBar* bar = M->Bars()->Add();
  TdxBarItemLink* link = bar->ItemLinks()->AddItem(Make("A"));
  TBitmap glyph;
  glyph.SetSize(6, 5);
  glyph.Canvas()->Brush()->SetColor(clRed);
  glyph.Canvas()->FillRect(TRect{0, 0, 6, 5});
  link->SetUserGlyph(&glyph);
  link->SetUserCaption("Mine");
  ASSERT_EQ(link->UserDefine(), (TdxBarUserDefines{udCaption, udGlyph}));

  TMemIniFile ini("");
  bar->ItemLinks()->SaveToLayout(&ini, "Bar0", false);
  EXPECT_FALSE(ini.ValueExists("Bar0.ItemLink0", "UserGlyph"));
  EXPECT_EQ(ini.ReadString("Bar0.ItemLink0", "UserCaption", ""), "Mine");
  {
    TRegistryIniFile reg("\\Software\\Wall\\");
    bar->ItemLinks()->SaveToLayout(&reg, "Bar0", true);
    TMemoryStream stored;
    EXPECT_GT(reg.ReadBinaryStream("Bar0\\ItemLink0", "UserGlyph", &stored), 0);
  }

  // Read back from the registry into a changed toolbar.
  link->SetUserDefine({});
  bar->ItemLinks()->AddItem(Make("B"));
  {
    TRegistryIniFile reg("\\Software\\Wall\\");
    bar->ItemLinks()->LoadFromLayout(&reg, "Bar0", true);
  }
  ASSERT_EQ(bar->ItemLinks()->Count(), 1);
  link = bar->ItemLinks()->Items(0);
  EXPECT_EQ(link->UserDefine(), (TdxBarUserDefines{udCaption, udGlyph}));
  EXPECT_EQ(link->Caption(), "Mine");
  ASSERT_EQ(link->Glyph()->Width(), 6);
  EXPECT_EQ(link->Glyph()->Height(), 5);
  EXPECT_EQ(link->Glyph()->Canvas()->Pixels(3, 2), clRed);
  platform::SetRegistryStorePath("");
}

TEST_F(BarItemLinksWindowTest, ALinkAssignedDuringAToolbarResetTakesTheFormsItemOfThatName) {
  auto* otherForm = new TOtherForm(nullptr);
  auto* otherManager = new TdxBarManager(otherForm);
  auto* foreign = new TdxBarButton(otherForm);
  foreign->SetName("Open");
  TdxBarSubMenuControlItemLinks source(otherManager, nullptr);
  TdxBarItemLink* from = source.AddItem(foreign);
  from->SetUserCaption("Foreign");
  auto* own = Make("Open here");
  own->SetName("Open");

  TdxBarSubMenuControlItemLinks target(M, nullptr);
  TdxBarItemLink* outside = target.Add();
  outside->Assign(from);
  EXPECT_EQ(outside->Item(), foreign) << "outside a reset the source's item stays";

  // The designed toolbar with a probe whose layout restore runs inside the reset.
  auto* probe = new TRestoreProbe(Form);
  probe->SetName("Probe");
  TdxBar* bar = M->Bars()->Add();
  bar->SetCaption("Designed");
  bar->ItemLinks()->AddItem(probe);
  TMemIniFile* saved = M->SavedState();
  const String base = dxBarLayoutSectionBase(M);
  saved->WriteInteger(base + "Main", "BarCount", 1);
  bar->SaveToLayout(saved, base + "Bar0", false);
  bar->SetPredefined(true);
  TdxBarItemLink* during = nullptr;
  probe->Probe = [&] {
    during = target.Add();
    during->Assign(from);
  };
  bar->Reset();
  ASSERT_NE(during, nullptr);
  ASSERT_EQ(target.IndexOf(during), 1);
  EXPECT_EQ(during->Item(), own);
  EXPECT_EQ(during->Caption(), "Foreign");

  // A name the form does not carry gives no item; the rest is copied.
  foreign->SetName("Elsewhere");
  bar->Reset();
  ASSERT_EQ(target.Count(), 3);
  EXPECT_EQ(during->Item(), nullptr);
  EXPECT_EQ(during->UserCaption(), "Foreign");
  probe->Probe = nullptr;
  target.Clear();
  source.Clear();
  TObject::Free(otherForm);
}

}  // namespace
