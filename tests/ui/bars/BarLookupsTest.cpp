// Finding forms, controls and root bar windows from windows and components, and the interface
// queries of bar objects.
#include <gtest/gtest.h>

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/win/Focus.h"
#include "platform/win/Mdi.h"
#include "platform/win/Window.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/ControlsUnit.h"

namespace {

using namespace win;

class BarLookupsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(640, 480));
    InitializeForms();
    Application->Initialize();
    ControlsUnitStartup();
    BarUnitStartup();
  }
  void TearDown() override {
    BarUnitShutdown();
    ControlsUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
};

// A form holding a form that holds a panel (standing in for a frame) with a control on it.
struct NestedForms {
  NestedForms() {
    outer = new TForm(Application, 0);
    inner = new TForm(Application, 0);
    inner->SetParent(outer);
    frame = new TPanel(inner);
    frame->SetParent(inner);
    control = new TPanel(frame);
    control->SetParent(frame);
    control->Handle();
  }
  TForm* outer;
  TForm* inner;
  TPanel* frame;
  TPanel* control;
};

TEST_F(BarLookupsTest, FormOfControlForEachKind) {
  NestedForms f;
  EXPECT_EQ(FormOfControl(f.control, bfkFirst), f.inner);
  EXPECT_EQ(FormOfControl(f.control, bfkTopLevelOrMDIChild), f.outer) << "no MDI child on the way";
  EXPECT_EQ(FormOfControl(f.control, bfkTopLevel), f.outer);
  EXPECT_EQ(FormOfControl(f.outer, bfkFirst), f.outer);
  EXPECT_EQ(FormOfControl(nullptr, bfkFirst), nullptr);
  TPanel windowless(nullptr);
  EXPECT_EQ(FormOfControl(&windowless, bfkTopLevel), nullptr) << "no window, no form";

  auto* component = new TComponent(f.control);
  EXPECT_EQ(WinControlOwnerOf(component), f.control);
  EXPECT_EQ(FormOfComponent(component), f.inner);
}

TEST_F(BarLookupsTest, ControlsAndFocusAreFoundThroughWindows) {
  NestedForms f;
  HWND plain = CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, f.control->Handle(), nullptr,
                              nullptr, nullptr);
  EXPECT_EQ(VclControlOfChildWindow(plain), f.control);
  EXPECT_EQ(VclControlAbove(plain), f.control);
  EXPECT_EQ(VclControlOfChildWindow(nullptr), nullptr);

  EXPECT_TRUE(ControlContains(f.outer, f.control));
  EXPECT_TRUE(ControlContains(f.frame, f.control));
  EXPECT_FALSE(ControlContains(f.control, f.frame));
  TPanel loose(nullptr), looseChild(nullptr);
  looseChild.SetParent(&loose);
  EXPECT_TRUE(ControlContains(&loose, &looseChild)) << "by the parent chain without windows";
  EXPECT_FALSE(ControlContains(&loose, f.control));

  f.outer->Show();
  SetFocus(plain);
  EXPECT_TRUE(FocusWithin(plain));
  EXPECT_TRUE(FocusWithin(f.control->Handle()));
  EXPECT_TRUE(FocusWithin(f.outer->Handle()));
  TForm other(Application, 0);
  EXPECT_FALSE(FocusWithin(other.Handle()));

  EXPECT_TRUE(IsOtherProcessWindow(nullptr));
  EXPECT_FALSE(IsOtherProcessWindow(f.outer->Handle()));
  DestroyWindow(plain);
}

LRESULT DocumentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefMDIChildProc(hwnd, msg, wParam, lParam);
}

TEST_F(BarLookupsTest, MDIDocumentsAreFormsOfTheirOwnAndTheActiveOneLeads) {
  auto* main = new TForm(Application, 0);
  main->SetFormStyle(fsMDIForm);
  main->SetBounds(10, 10, 400, 300);
  main->Show();
  HWND client = main->ClientHandle();  // an MDI form makes its client itself
  ASSERT_NE(client, nullptr);
  WNDCLASS wc{};
  wc.lpfnWndProc = DocumentProc;
  wc.lpszClassName = "BarDocument";
  RegisterClass(&wc);
  TForm* documents[2];
  for (int i = 0; i < 2; ++i) {
    HWND h = CreateWindowEx(WS_EX_MDICHILD, "BarDocument", "Document", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10 + 30 * i,
                            10, 200, 150, client, nullptr, nullptr, nullptr);
    documents[i] = new TForm(Application, 0);
    documents[i]->SetFormStyle(fsMDIChild);
    documents[i]->AttachHandle(h);
  }
  auto* frame = new TPanel(documents[0]);
  frame->SetParent(documents[0]);
  auto* control = new TPanel(frame);
  control->SetParent(frame);
  control->Handle();

  EXPECT_EQ(FormOfControl(control, bfkFirst), documents[0]);
  EXPECT_EQ(FormOfControl(control, bfkTopLevelOrMDIChild), documents[0]);
  EXPECT_EQ(FormOfControl(control, bfkTopLevel), main);

  EXPECT_TRUE(IsActiveMDIChild(documents[1])) << "the last one made is active";
  EXPECT_FALSE(IsActiveMDIChild(documents[0]));
  EXPECT_FALSE(IsActiveMDIChild(main));
  SetActiveWindow(main->Handle());
  EXPECT_EQ(ActiveFormOfApplication(), documents[1]);
  SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(documents[0]->Handle()), 0);
  EXPECT_TRUE(IsActiveMDIChild(documents[0]));
  EXPECT_EQ(ActiveFormOfApplication(), documents[0]);
  EnableWindow(main->Handle(), FALSE);
  EXPECT_EQ(ActiveFormOfApplication(), nullptr) << "a disabled form answers nothing";
  EnableWindow(main->Handle(), TRUE);

  // Keyboard routing between the bars of the window passes over documents in the background.
  auto* onMain = new TdxBarManager(main);
  auto* onFirst = new TdxBarManager(documents[0]);
  auto* onSecond = new TdxBarManager(documents[1]);
  EXPECT_EQ(BarManagers->NextOfSameForm(onMain), onFirst) << "the first document is active";
  EXPECT_EQ(BarManagers->PreviousOfSameForm(onMain), onFirst);
  SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(documents[1]->Handle()), 0);
  EXPECT_EQ(BarManagers->NextOfSameForm(onMain), onSecond);
  EXPECT_EQ(FormOfManager(onSecond, bfkTopLevelOrMDIChild), documents[1]);
  EXPECT_EQ(FormOfManager(onSecond, bfkTopLevel), main);
  for (TForm* d : documents) delete d;
  delete main;
  UnregisterClass("BarDocument", nullptr);
}

TEST_F(BarLookupsTest, ManagersAreFoundByOwnerAndTakeTurnsWithinTheirForm) {
  auto* formA = new TForm(Application, 0);
  auto* formB = new TForm(Application, 0);
  auto* panel = new TPanel(formA);
  panel->SetParent(formA);
  formA->Show();
  formB->Show();
  auto* first = new TdxBarManager(formA);
  auto* elsewhere = new TdxBarManager(formB);
  auto* onPanel = new TdxBarManager(panel);

  EXPECT_EQ(FindManagerOf(formA), first);
  EXPECT_EQ(FindManagerOf(panel), onPanel);
  EXPECT_EQ(FindManagerOf(elsewhere), elsewhere) << "a manager is its own";
  EXPECT_EQ(FindManagerOf(Application), nullptr);
  EXPECT_EQ(FindManagerOf(nullptr), nullptr);
  EXPECT_EQ(FormOfManager(onPanel, bfkFirst), formA);
  EXPECT_TRUE(ManagerLiesWithin(onPanel, formA->Handle()));
  EXPECT_TRUE(ManagerLiesWithin(onPanel, panel->Handle()));
  EXPECT_FALSE(ManagerLiesWithin(elsewhere, formA->Handle()));
  EXPECT_FALSE(ManagerLiesWithin(nullptr, formA->Handle()));

  // In creation order first, elsewhere, onPanel: the other form's manager is passed over.
  EXPECT_EQ(BarManagers->NextOfSameForm(first), onPanel);
  EXPECT_EQ(BarManagers->NextOfSameForm(onPanel), first) << "round from the last";
  EXPECT_EQ(BarManagers->PreviousOfSameForm(first), onPanel) << "round from the first";
  EXPECT_EQ(BarManagers->PreviousOfSameForm(onPanel), first);
  EXPECT_EQ(BarManagers->NextOfSameForm(elsewhere), elsewhere) << "alone in its form";
  TObject unlisted;
  EXPECT_EQ(BarManagers->NextOfSameForm(reinterpret_cast<TdxBarManager*>(&unlisted)), nullptr);

  EXPECT_EQ(BarManagers->FirstCustomizing(), nullptr);
  elsewhere->SetCustomizing(true);
  EXPECT_EQ(BarManagers->FirstCustomizing(), elsewhere);
  elsewhere->SetCustomizing(false);
  EXPECT_EQ(BarManagers->FirstCustomizing(), nullptr);
  delete formA;
  delete formB;
}

// A bar window whose opener and kind the test sets.
template <class Base>
class TTestBar : public Base {
 public:
  TTestBar(TCustomdxBarControl* AParent, bool AInternal) : Base(nullptr), FParent(AParent), FInternal(AInternal) {}
  TCustomdxBarControl* ParentBar() const override { return FParent; }
  bool IsInternal() const override { return FInternal; }

 private:
  TCustomdxBarControl* FParent;
  bool FInternal;
};
using TToolbar = TTestBar<TdxBarControl>;
using TMenu = TTestBar<TdxBarSubMenuControl>;

TEST_F(BarLookupsTest, RootBarWindowsStopAtInternalPopupsOfOrdinaryBars) {
  TToolbar toolbar(nullptr, false);
  TMenu menu(&toolbar, false), subMenu(&menu, false);
  TMenu popup(&toolbar, true), popupMenu(&popup, true), popupChild(&popupMenu, false);
  TMenu lonely(nullptr, false);
  struct Case {
    TCustomdxBarControl* window;
    TCustomdxBarControl* root;
    TCustomdxBarControl* toolbar;
  };
  const Case cases[] = {
      {&toolbar, &toolbar, &toolbar},
      {&subMenu, &toolbar, &toolbar},
      {&popup, &popup, nullptr},           // internal with an ordinary parent: a root of its own
      {&popupMenu, &popup, nullptr},       // internal under internal walks on
      {&popupChild, &popup, nullptr},
      {&lonely, &lonely, nullptr},         // a menu is no toolbar
      {nullptr, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RootBarWindow(c.window), c.root) << &c - cases;
    EXPECT_EQ(RootToolbar(c.window), c.toolbar) << &c - cases;
  }
}

class TLinksOwner : public TObject, public IdxBarLinksOwner {
 public:
  bool AcceptsItem(TdxBarItem*, String&) override { return true; }
  TCustomdxBarControl* CreateSubMenuControl() override { return nullptr; }
  TComponent* OwnerComponent() override { return nullptr; }
  TdxBarItemLinks* ItemLinks() override { return reinterpret_cast<TdxBarItemLinks*>(this); }
};

class THelper : public TObject, public IdxBarAccessibilityHelper {
 public:
  int OwnerGoneCalls = 0;
  TObject* HelperObject() override { return this; }
  void OwnerGone() override { ++OwnerGoneCalls; }
  bool KeyTipsAvailable(IKeyTipWindowHost*&) override { return false; }
  bool AllowsChildNavigation(WORD) override { return true; }
  TdxBarAccessibilityHelper* BarHelperObject() override { return nullptr; }
  TdxBarManager* OwningBarManager() override { return nullptr; }
  void DefaultSelectable(IdxBarAccessibilityHelper*&) override {}
  void NeighbourInDirection(int, IdxBarAccessibilityHelper*&) override {}
  void RootObject(IdxBarAccessibilityHelper*&) override {}
  bool ProcessNavigationKey(WORD&) override { return false; }
  bool WantsNavigationKey(WORD) override { return false; }
  bool IsCurrentSelection() override { return false; }
  void NextInTabOrder(TShiftState, IdxBarAccessibilityHelper*&) override {}
  void SelectObject(bool) override {}
  void UnselectObject(IdxBarAccessibilityHelper*) override {}
};

TEST(BarInterfaces, QueriesAnswerNilForObjectsWithoutTheInterface) {
  TLinksOwner owner;
  THelper helper;
  TObject plain;
  EXPECT_EQ(BarLinksOwnerOf(&owner), static_cast<IdxBarLinksOwner*>(&owner));
  EXPECT_EQ(ItemLinksOf(&owner), reinterpret_cast<TdxBarItemLinks*>(&owner));
  EXPECT_EQ(BarLinksOwnerOf(&plain), nullptr);
  EXPECT_EQ(ItemLinksOf(&plain), nullptr);
  EXPECT_EQ(ItemLinksOf(nullptr), nullptr);
  EXPECT_EQ(BarAccessibilityHelperOf(&helper), static_cast<IdxBarAccessibilityHelper*>(&helper));
  EXPECT_EQ(BarAccessibilityHelperOf(&owner), nullptr);

  IdxBarAccessibilityHelper* reference = &helper;
  ReleaseAccessibilityHelper(reference);
  EXPECT_EQ(reference, nullptr);
  EXPECT_EQ(helper.OwnerGoneCalls, 1) << "the helper hears that its owner is gone";
  ReleaseAccessibilityHelper(reference);
  EXPECT_EQ(helper.OwnerGoneCalls, 1);

  TcxObjectLink* link = CreateObjectLink(&plain);
  EXPECT_EQ(LinkedObjectOf(link), &plain);
  InvalidateObjectLinks(&plain);
  EXPECT_EQ(LinkedObjectOf(link), nullptr);
  EXPECT_EQ(LinkedObjectOf(nullptr), nullptr);
  FreeObjectLinkAndNil(link);
  EXPECT_EQ(link, nullptr);
  EXPECT_EQ(ObjectLinkUsers(), 0);
}

}  // namespace
