// The bar library's accessible tree on a sample form (two toolbars in one top row, one below, a
// vertical toolbar at the left): its children and states, a helper outliving its toolbar, and the
// spatial, tab-order and selection moves keyboard navigation makes over it.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarNavigation.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/GraphicsUnit.h"

using namespace win;

namespace {

constexpr int kButton = 23, kRow = 22;

// Until the item layout stands: equal buttons in a row, or a column on a vertical toolbar.
class TRowToolbar : public TdxBarControl {
  VW_CLASS(TRowToolbar, TdxBarControl)
 public:
  explicit TRowToolbar(TComponent* AOwner) : TdxBarControl(AOwner) {}
  int Count() const { return ItemLinks() ? ItemLinks()->VisibleCount() : 0; }
  TSize CalcSizeForWidth(TdxBarDockingStyle, int) override {
    return IsVertical() ? TSize{kButton, std::max(Count(), 1) * kRow} : TSize{std::max(Count(), 1) * kButton, kRow};
  }
  void CalcHorizontalItemRects() override {
    for (int i = 0; i < Count(); ++i) {
      TdxBarItemLink* link = ItemLinks()->VisibleLinks(i);
      if (!link->Control()) continue;
      link->SetItemRect(IsVertical() ? TRect{0, i * kRow, kButton, (i + 1) * kRow}
                                     : TRect{i * kButton, 0, (i + 1) * kButton, kRow});
      link->SetLineThickness(kRow);
    }
  }
  void SetMarkState(int AState) override {
    MarkStates.push_back(AState);
    FMarkState = AState;
  }
  std::vector<int> MarkStates;
};

class TRowBar : public TdxBar {
  VW_CLASS(TRowBar, TdxBar)
 public:
  explicit TRowBar(TComponent* AOwner) : TdxBar(AOwner) {}
  TClass BarControlClass() const override { return TRowToolbar::StaticClass(); }
};

class BarAccessibilityTest : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    GraphicsUnitStartup();
    M = new TdxBarManager(Form);
    M->SetStyle(bmsStandard);
    Form->Show();
    M->Bars()->CreateDockControls();
  }
  void TearDown() override {
    TObject::Free(Form);
    Form = nullptr;
    GraphicsUnitShutdown();
    BarItemFixture::TearDown();
  }
  TRowBar* NewBar(const String& ACaption, TdxBarDockingStyle AStyle, int AButtons) {
    auto* bar = new TRowBar(Form);
    bar->AttachToParent(M);
    bar->SetCaption(ACaption);
    for (int i = 0; i < AButtons; ++i) {
      auto* button = new TdxBarButton(Form);
      button->SetCaption(ACaption + std::to_string(i));
      bar->ItemLinks()->AddItem(button);
    }
    bar->SetFloatLeft(500);
    bar->SetFloatTop(400);
    bar->SetDockingStyle(AStyle);
    bar->SetVisible(true);
    Pump();
    return bar;
  }
  // Places the docked toolbar's window in its site, its client area just holding its buttons.
  static void Place(TdxBar* ABar, int ALeft, int ATop) {
    TdxBarControl* w = ABar->Control();
    RECT outer{}, inner{};
    GetWindowRect(w->Handle(), &outer);
    GetClientRect(w->Handle(), &inner);
    const int n = std::max(ABar->ItemLinks()->VisibleCount(), 1);
    const TSize client = w->IsVertical() ? TSize{kButton, n * kRow} : TSize{n * kButton, kRow};
    w->SetBounds(ALeft, ATop, client.cx + (outer.right - outer.left) - inner.right,
                 client.cy + (outer.bottom - outer.top) - inner.bottom);
    Pump();
  }
  static void Pump() { Application->ProcessMessages(); }
  static TRowToolbar* Window(TdxBar* ABar) { return static_cast<TRowToolbar*>(ABar->Control()); }
  static TdxBarControlAccessibilityHelper* HelperOf(TdxBar* ABar) {
    return dynamic_cast<TdxBarControlAccessibilityHelper*>(ABar->Control()->AccessibilityHelper());
  }
  static TdxBarItemControlAccessibilityHelper* ItemHelper(TdxBar* ABar, int AIndex) {
    TdxBarItemControl* control = ABar->ItemLinks()->VisibleLinks(AIndex)->Control();
    return control ? dynamic_cast<TdxBarItemControlAccessibilityHelper*>(control->AccessibilityHelperObject()) : nullptr;
  }
  static TdxBarAccessibilityHelper* Neighbour(TdxBarAccessibilityHelper* AFrom, int ADirection) {
    IdxBarAccessibilityHelper* found = nullptr;
    AFrom->NeighbourInDirection(ADirection, found);
    return BarHelperOf(found);
  }
  static TdxBarAccessibilityHelper* Tab(TdxBarAccessibilityHelper* AFrom, TShiftState AShift = {}) {
    IdxBarAccessibilityHelper* found = nullptr;
    AFrom->NextInTabOrder(AShift, found);
    return BarHelperOf(found);
  }

  TdxBarManager* M = nullptr;
};

TEST_F(BarAccessibilityTest, AToolbarListsItsItemsThenItsCaptionButtons) {
  TdxBar* bar = NewBar("A", dsTop, 3);
  for (int i = 0; i < 3; ++i) bar->CaptionButtons()->Add();
  TdxBarControlAccessibilityHelper* toolbar = HelperOf(bar);
  ASSERT_NE(toolbar, nullptr);
  ASSERT_EQ(toolbar->CountChildren(), 4);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(toolbar->ChildAt(i), ItemHelper(bar, i));
    EXPECT_EQ(toolbar->IndexOfChild(ItemHelper(bar, i)), i);
    EXPECT_EQ(ItemHelper(bar, i)->ParentHelper(), toolbar);
    EXPECT_EQ(ItemHelper(bar, i)->OwningBarManager(), M);
  }
  TdxBarCaptionButtonsAccessibilityHelper* captions = toolbar->CaptionButtonsHelper();
  EXPECT_EQ(toolbar->ChildAt(3), captions);
  EXPECT_EQ(toolbar->IndexOfChild(captions), 3) << "the inverse of ChildAt";
  auto* stranger = dynamic_cast<TcxAccessibilityHelper*>(bar->Control()->DockControl()->AccessibilityHelper());
  EXPECT_EQ(toolbar->IndexOfChild(stranger), -1);
  EXPECT_EQ(captions->ParentHelper(), toolbar);
  ASSERT_EQ(captions->CountChildren(), 3);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(captions->ChildAt(i), bar->CaptionButtons()->Items(2 - i)->AccessibilityHelper()) << "reverse order";
  EXPECT_EQ(captions->OwningBarManager(), M);

  auto* dock = dynamic_cast<TdxDockControlAccessibilityHelper*>(toolbar->ParentHelper());
  ASSERT_NE(dock, nullptr) << "a docked toolbar's parent is its site";
  EXPECT_EQ(dock->ChildAt(dock->IndexOfChild(toolbar)), toolbar);
  EXPECT_EQ(dock->OwningBarManager(), M);
  EXPECT_EQ(toolbar->RootHelper(), dock);
  EXPECT_EQ(toolbar->OwnerWindow(), bar->Control()->Handle());
  HWND window = nullptr;
  EXPECT_EQ(ItemHelper(bar, 0)->GetWindow(&window), S_OK);
  EXPECT_EQ(window, bar->Control()->Handle());
  TRect r;
  ItemHelper(bar, 1)->ScreenBounds(0, r);
  EXPECT_EQ(r, bar->Control()->ControlScreenRect(bar->ItemLinks()->VisibleLinks(1)->Control()));
  EXPECT_TRUE(ItemHelper(bar, 1)->IsSelectable());
  IdxBarAccessibilityHelper* self = nullptr;
  toolbar->DefaultSelectable(self);
  EXPECT_EQ(BarHelperOf(self), toolbar);
}

TEST_F(BarAccessibilityTest, AHiddenSiteHidesItsToolbarsItems) {
  TdxBar* bar = NewBar("A", dsTop, 2);
  auto* dock = dynamic_cast<TdxDockControlAccessibilityHelper*>(HelperOf(bar)->ParentHelper());
  ASSERT_NE(dock, nullptr);
  EXPECT_EQ(dock->StateOf(0), 0);
  ShowWindow(dock->OwnerWindow(), SW_HIDE);
  EXPECT_EQ(dock->StateOf(0), static_cast<int>(STATE_SYSTEM_INVISIBLE));
  TRect r{1, 1, 2, 2};
  dock->ScreenBounds(0, r);
  EXPECT_EQ(r, TRect());
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(ItemHelper(bar, i)->StateOf(0), static_cast<int>(STATE_SYSTEM_INVISIBLE));
    EXPECT_FALSE(ItemHelper(bar, i)->IsSelectable());
  }
  EXPECT_EQ(dock->FirstSelectableObject(), nullptr);
}

TEST_F(BarAccessibilityTest, TheMarkIsInvisibleWithoutOneAndEnterPressesIt) {
  TdxBar* bar = NewBar("A", dsTop, 2);
  TdxBarAccessibilityHelper* mark = HelperOf(bar)->MarkHelper();
  ASSERT_NE(mark, nullptr);
  EXPECT_EQ(mark->ParentHelper(), HelperOf(bar));
  EXPECT_EQ(mark->OwningBarManager(), M);
  bar->SetShowMark(false);
  Pump();
  EXPECT_FALSE(Window(bar)->HasMark());
  EXPECT_EQ(mark->StateOf(0) & STATE_SYSTEM_INVISIBLE, STATE_SYSTEM_INVISIBLE);
  EXPECT_FALSE(mark->IsSelectable());

  mark->SelectObject(false);
  EXPECT_EQ(BarHelperOf(BarNavigationController->SelectedObject()), mark);
  EXPECT_TRUE(mark->WantsNavigationKey(VK_RETURN));
  WORD key = VK_RETURN;
  EXPECT_TRUE(mark->ProcessNavigationKey(key));
  EXPECT_EQ(BarNavigationController->SelectedObject(), nullptr) << "unselected first";
  ASSERT_FALSE(Window(bar)->MarkStates.empty());
  EXPECT_EQ(Window(bar)->MarkStates.back(), 2) << "pressed, which drops its menu";
  key = VK_LEFT;
  EXPECT_FALSE(mark->ProcessNavigationKey(key));
}

TEST_F(BarAccessibilityTest, AHelperKeptBeyondItsToolbarAnswersEmpty) {
  TdxBar* bar = NewBar("A", dsTop, 3);
  IAccessible* acc = nullptr;
  ASSERT_EQ(HelperOf(bar)->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&acc)), S_OK);
  IOleWindow* ole = nullptr;
  ASSERT_EQ(acc->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&ole)), S_OK);
  HelperOf(bar)->SelectObject(false);
  TObject::Free(bar);
  Pump();

  const VARIANT self{};
  VARIANT one;
  one.vt = VT_I4;
  one.lVal = 1;
  BSTR s = nullptr;
  VARIANT v;
  IDispatch* d = nullptr;
  LONG n = 7;
  HWND w = HWND(1);
  const struct {
    const char* What;
    HRESULT Result;
  } cases[] = {
      {"parent", acc->get_accParent(&d)},
      {"child count", acc->get_accChildCount(&n)},
      {"child", acc->get_accChild(one, &d)},
      {"name", acc->get_accName(self, &s)},
      {"value", acc->get_accValue(self, &s)},
      {"description", acc->get_accDescription(self, &s)},
      {"role", acc->get_accRole(self, &v)},
      {"state", acc->get_accState(self, &v)},
      {"help", acc->get_accHelp(self, &s)},
      {"help topic", acc->get_accHelpTopic(&s, self, &n)},
      {"shortcut", acc->get_accKeyboardShortcut(self, &s)},
      {"focus", acc->get_accFocus(&v)},
      {"selection", acc->get_accSelection(&v)},
      {"default action", acc->get_accDefaultAction(self, &s)},
      {"select", acc->accSelect(SELFLAG_TAKEFOCUS, self)},
      {"location", acc->accLocation(&n, &n, &n, &n, self)},
      {"navigate", acc->accNavigate(NAVDIR_NEXT, self, &v)},
      {"hit test", acc->accHitTest(0, 0, &v)},
      {"do default action", acc->accDoDefaultAction(one)},
      {"put name", acc->put_accName(self, nullptr)},
      {"put value", acc->put_accValue(self, nullptr)},
      {"window", ole->GetWindow(&w)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Result, S_OK) << c.What;
  EXPECT_EQ(s, nullptr);
  EXPECT_EQ(d, nullptr);
  EXPECT_EQ(v.vt, VT_EMPTY);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(w, nullptr);
  EXPECT_EQ(BarNavigationController->SelectedObject(), nullptr) << "navigation forgot the helper";
  ole->Release();
  acc->Release();
}

// ---- navigation on the sample form ---------------------------------------------------------------

class BarNavigationTest : public BarAccessibilityTest {
 protected:
  void SetUp() override {
    BarAccessibilityTest::SetUp();
    A = NewBar("A", dsTop, 3);
    B = NewBar("B", dsTop, 3);
    C = NewBar("C", dsTop, 3);
    V = NewBar("V", dsLeft, 3);
    Place(A, 0, 0);
    Place(B, 120, 0);
    Place(C, 0, 30);
    Place(V, 0, 0);
  }
  TdxBar *A = nullptr, *B = nullptr, *C = nullptr, *V = nullptr;
};

TEST_F(BarNavigationTest, ArrowsAndTabMoveAlongAToolbar) {
  ASSERT_TRUE(Window(V)->IsVertical());
  EXPECT_EQ(Neighbour(ItemHelper(A, 2), dxNavRight), ItemHelper(A, 0)) << "Right on the last wraps to the first";
  EXPECT_EQ(Neighbour(ItemHelper(A, 0), dxNavLeft), ItemHelper(A, 2));
  EXPECT_EQ(Neighbour(ItemHelper(A, 1), dxNavRight), ItemHelper(A, 2));
  EXPECT_EQ(Tab(ItemHelper(A, 1)), ItemHelper(A, 2));
  EXPECT_EQ(Tab(ItemHelper(A, 2)), ItemHelper(A, 0)) << "Tab on the last selects the first of the same toolbar";
  EXPECT_EQ(Tab(ItemHelper(A, 0), TShiftState{ssShift}), ItemHelper(A, 2));

  EXPECT_EQ(Neighbour(ItemHelper(V, 0), dxNavDown), ItemHelper(V, 1));
  EXPECT_EQ(Tab(ItemHelper(V, 0)), ItemHelper(V, 1));
  EXPECT_EQ(Neighbour(ItemHelper(V, 1), dxNavUp), ItemHelper(V, 0));
  EXPECT_EQ(Neighbour(ItemHelper(V, 0), dxNavRight), nullptr) << "nothing beside a column's buttons inside its bar";

  // Up and down inside a horizontal toolbar search spatially and do not wrap.
  EXPECT_EQ(Neighbour(ItemHelper(A, 0), dxNavUp), nullptr);
}

TEST_F(BarNavigationTest, CtrlTabMovesToTheNextToolbarAndToolbarsFindEachOtherOnScreen) {
  EXPECT_EQ(Tab(ItemHelper(A, 1), TShiftState{ssCtrl}), HelperOf(B));
  EXPECT_EQ(Tab(ItemHelper(A, 1), TShiftState{ssCtrl, ssShift}), HelperOf(V)) << "backwards, wrapping";

  TdxBarAccessibilityHelper* below = Neighbour(HelperOf(A), dxNavDown);
  ASSERT_NE(below, nullptr);
  EXPECT_EQ(below->ParentHelper(), HelperOf(C));
  TdxBarAccessibilityHelper* above = Neighbour(HelperOf(C), dxNavUp);
  ASSERT_NE(above, nullptr);
  EXPECT_EQ(above->ParentHelper(), HelperOf(A));
  TdxBarAccessibilityHelper* right = Neighbour(HelperOf(A), dxNavRight);
  ASSERT_NE(right, nullptr);
  EXPECT_EQ(right->ParentHelper(), HelperOf(B));
  EXPECT_EQ(Neighbour(HelperOf(A), dxNavNext), nullptr);
}

TEST_F(BarNavigationTest, SelectingAnItemActivatesItsToolbarAndTheControllerMovesTheSelection) {
  ItemHelper(A, 0)->SelectObject(false);
  ASSERT_EQ(ActiveBarWindow, A->Control());
  EXPECT_EQ(A->Control()->SelectedLink(), A->ItemLinks()->VisibleLinks(0));
  EXPECT_EQ(BarHelperOf(BarNavigationController->CurrentSelection()), ItemHelper(A, 0));
  EXPECT_EQ(BarHelperOf(BarNavigationController->CurrentSelectionParent()), HelperOf(A));
  EXPECT_TRUE(ItemHelper(A, 0)->IsCurrentSelection());

  BarNavigationController->ProcessKey(VK_RIGHT, {});
  EXPECT_EQ(A->Control()->SelectedLink(), A->ItemLinks()->VisibleLinks(1));
  BarNavigationController->ProcessKey(VK_TAB, {});
  EXPECT_EQ(A->Control()->SelectedLink(), A->ItemLinks()->VisibleLinks(2));
  BarNavigationController->ProcessKey(VK_RIGHT, {});
  EXPECT_EQ(A->Control()->SelectedLink(), A->ItemLinks()->VisibleLinks(0));

  // Moving to another toolbar's item lets the first toolbar's selection go.
  BarNavigationController->ChangeSelection(false, ItemHelper(C, 1));
  EXPECT_EQ(C->Control()->SelectedLink(), C->ItemLinks()->VisibleLinks(1));
  EXPECT_EQ(A->Control()->SelectedLink(), nullptr);
  BarNavigationController->ProcessKey(VK_ESCAPE, {});
  EXPECT_EQ(C->Control()->SelectedLink(), nullptr);
}

TEST_F(BarNavigationTest, TabAmongCaptionButtonsWrapsToTheFirst) {
  TdxBar* floating = NewBar("F", dsNone, 0);
  for (int i = 0; i < 2; ++i) floating->CaptionButtons()->Add();
  for (int i = 0; i < 2; ++i) floating->CaptionButtons()->Items(i)->SetRect({40 - 14 * i, 2, 52 - 14 * i, 14});
  TdxBarCaptionButtonsAccessibilityHelper* captions = HelperOf(floating)->CaptionButtonsHelper();
  ASSERT_NE(captions, nullptr);
  EXPECT_EQ(HelperOf(floating)->ParentHelper(), nullptr);
  auto* first = dynamic_cast<TdxBarAccessibilityHelper*>(captions->ChildAt(0));
  auto* last = dynamic_cast<TdxBarAccessibilityHelper*>(captions->ChildAt(1));
  ASSERT_TRUE(first->IsSelectable());
  EXPECT_EQ(Tab(first), last);
  EXPECT_EQ(Tab(last), first) << "from the last of the tree to its first";
  EXPECT_EQ(HelperOf(floating)->FirstSelectableObject(), first);

  floating->CaptionButtons()->Items(0)->SetRect({});
  EXPECT_FALSE(last->IsSelectable()) << "a button without bounds is invisible";
  EXPECT_EQ(Tab(first), first) << "the only selectable object";
}

}  // namespace
