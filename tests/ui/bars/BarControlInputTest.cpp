// Bar windows under the mouse and the keyboard: keyboard moves and accelerators, hot tracking with
// its hints, presses, clicks and double clicks, the chain of active bars, design selections and the
// drag threshold of customizing, and bars freed from their own controls' clicks.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/system/Clock.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarItemControlFixture.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarUnit.h"

namespace {

using namespace win;

// A button control that writes what the bar asks of it into a shared log.
class TInputButton : public TStandInButtonControl {
  VW_CLASS(TInputButton, TStandInButtonControl)
 public:
  using TStandInButtonControl::TStandInButtonControl;
  static inline std::vector<std::string>* Log = nullptr;
  void Write(const std::string& What) const {
    if (Log) Log->push_back(What + " " + Item()->Name());
  }
  void MouseEnter(TShiftState Shift, int X, int Y) override {
    Write("enter");
    TStandInButtonControl::MouseEnter(Shift, X, Y);
  }
  void MouseMove(TShiftState Shift, int X, int Y) override {
    Write("move");
    TStandInButtonControl::MouseMove(Shift, X, Y);
  }
  void MouseLeave() override {
    Write("leave");
    TStandInButtonControl::MouseLeave();
  }
  // As a toolbar's button does: the press makes the bar active and holds the mouse.
  void Press(bool AByMouse, bool) override {
    ++Presses;
    if (!AByMouse || !Captures) return;
    Parent()->SetActiveState(true);
    Parent()->SetClickedControl(this);
    SetCapture(Parent()->Handle());
  }
  void Click(bool) override {
    ++Clicks;
    if (OnClicked) OnClicked();
  }
  void DoubleClick() override { ++DoubleClicks; }
  bool WantsDoubleClick() const override { return WantsDouble; }
  bool HasDropDown() const override { return DropDown; }
  bool IsDropDownKey(WORD Key) const override { return DropDown && Key == VK_DOWN; }
  void KeyDown(WORD& Key, TShiftState) override { Keys.push_back(Key); }
  bool IsDroppedDown() const override { return Dropped; }

  bool Captures = true, WantsDouble = false, DropDown = false, Dropped = false;
  int Presses = 0, Clicks = 0, DoubleClicks = 0;
  std::vector<WORD> Keys;
  std::function<void()> OnClicked;
};

// Records what the design controller selects, and answers the selection status it is given.
class TRecordingDesigner : public IdxBarDesigner {
 public:
  bool CanDeleteComponent(TComponent*) override { return false; }
  void GetSelection(TList* AList) override {
    for (TPersistent* p : Selected) AList->Add(p);
  }
  int GetSelectionStatus(TPersistent* AComponent) override { return Selected.count(AComponent) ? 1 : 0; }
  void SelectComponent(TPersistent* AComponent, int AOperation) override { Calls.push_back({AComponent, AOperation}); }
  void SetSelection(TList*) override {}
  void DesignerAction(TComponent*) override {}
  String UniqueName(const String& ABaseName) override { return ABaseName; }
  std::set<TPersistent*> Selected;
  std::vector<std::pair<TPersistent*, int>> Calls;
};

// A toolbar whose window is the stand-in bar.
class TStandInToolbar : public TdxBar {
  VW_CLASS(TStandInToolbar, TdxBar)
 public:
  explicit TStandInToolbar(TComponent* AOwner) : TdxBar(AOwner) {}
  TClass BarControlClass() const override { return TStandInBar::StaticClass(); }
};

class BarControlInputTest : public BarInputFixture {
 protected:
  void SetUp() override {
    BarInputFixture::SetUp();
    UseStandInControls<TInputButton>();
    TInputButton::Log = &Log;
  }
  void TearDown() override {
    TInputButton::Log = nullptr;
    BarInputFixture::TearDown();
    platform::ResetSystemParameters();
  }
  // Five buttons A to E: B disabled, E with a drop-down; the bar closes up for real.
  TStandInBar* Sample(int AKind, int X = 100, int Y = 100) {
    std::vector<TdxBarButton*> items;
    const std::string suffix = FSamples++ ? std::to_string(FSamples) : "";
    for (const char* name : {"A", "B", "C", "D", "E"}) {
      items.push_back(Make(std::string("&") + name));
      items.back()->SetName(name + suffix);
      items.back()->SetHint(std::string(name) + "|Long " + name);
    }
    items[1]->SetEnabled(false);
    TStandInBar* bar = NewBar(AKind, {items[0], items[1], items[2], items[3], items[4]}, X, Y);
    bar->RealCloseUp = true;
    At(bar, 4)->DropDown = true;
    return bar;
  }
  static TInputButton* At(TStandInBar* Bar, int Index) { return static_cast<TInputButton*>(ControlAt(Bar, Index)); }
  static int SelectedIndex(TStandInBar* Bar) { return Bar->SelectedLink() ? Bar->SelectedLink()->Index() : -1; }
  // A key as the manager's keyboard hook hands it to the active bar.
  // The bars, their links and the form with its manager.
  void FreeTheForm() {
    Bars.clear();
    Owned.clear();
    TObject::Free(Form);
    Form = nullptr;
  }
  std::vector<std::string> Log;

 private:
  int FSamples = 0;
};

// ---- the keyboard ----------------------------------------------------------------------------------

TEST_F(BarControlInputTest, KeysMoveTheSelectionOnToolbarsVerticalBarsAndMenus) {
  struct Case {
    const char* What;
    int Kind;
    bool Vertical;
    WORD Key;
    bool Shift;
    int Before, After;
  };
  const Case cases[] = {
      {"Right from none", 0, false, VK_RIGHT, false, -1, 0},
      {"Left from none", 0, false, VK_LEFT, false, -1, 0},
      {"Right", 0, false, VK_RIGHT, false, 0, 1},
      {"Left from first wraps", 0, false, VK_LEFT, false, 0, 4},
      {"Right from last wraps", 0, false, VK_RIGHT, false, 4, 0},
      {"Home", 0, false, VK_HOME, false, 3, 0},
      {"End", 0, false, VK_END, false, 1, 4},
      {"Tab", 0, false, VK_TAB, false, 2, 3},
      {"Shift+Tab", 0, false, VK_TAB, true, 2, 1},
      {"Down is no move on a toolbar", 0, false, VK_DOWN, false, 2, 2},
      {"vertical: Down is next", 0, true, VK_DOWN, false, 1, 2},
      {"vertical: Up is previous", 0, true, VK_UP, false, 1, 0},
      {"vertical: Left is no move", 0, true, VK_LEFT, false, 1, 1},
      {"menu: Down is next", 2, false, VK_DOWN, false, 1, 2},
      {"menu: Up from first wraps", 2, false, VK_UP, false, 0, 4},
      {"menu: Right is left to the menu", 2, false, VK_RIGHT, false, 1, 1},
  };
  TStandInBar* toolbar = Sample(0);
  TStandInBar* menu = Sample(2, 100, 200);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    TStandInBar* bar = c.Kind == 2 ? menu : toolbar;
    bar->Vertical = c.Vertical;
    bar->SetActiveState(true);
    bar->SelectControlByKeyboard(c.Before < 0 ? nullptr : ControlAt(bar, c.Before));
    Key(bar, c.Key, c.Shift);
    EXPECT_EQ(SelectedIndex(bar), c.After);
    bar->SetActiveState(false);
  }
  for (TStandInBar* bar : {toolbar, menu})
    for (int i = 0; i < 5; ++i) EXPECT_EQ(At(bar, i)->Clicks + At(bar, i)->Presses, 0) << "moves never press";

  // The drop-down key reaches the selected control turned: Right on a vertical bar is Down.
  toolbar->Vertical = true;
  toolbar->SetActiveState(true);
  toolbar->SelectControlByKeyboard(ControlAt(toolbar, 4));
  Key(toolbar, VK_RIGHT);
  EXPECT_EQ(At(toolbar, 4)->Keys, std::vector<WORD>{VK_DOWN});
  EXPECT_EQ(SelectedIndex(toolbar), 4);
  // A key reaches only an active bar.
  toolbar->SetActiveState(false);
  Key(toolbar, VK_HOME);
  EXPECT_EQ(SelectedIndex(toolbar), -1);

  // Nothing to select: labels are selectable only while customizing.
  TStandInBar* labels = NewBar(0, {Make<TdxBarLabel>("one"), Make<TdxBarLabel>("two")}, 100, 300);
  labels->SetActiveState(true);
  for (WORD key : {VK_RIGHT, VK_LEFT, VK_HOME, VK_END, VK_TAB}) {
    Key(labels, key);
    EXPECT_EQ(labels->SelectedLink(), nullptr) << key;
  }
  labels->SetActiveState(false);
}

TEST_F(BarControlInputTest, AcceleratorsSelectSharedLettersInTurnAndClickUniqueOnes) {
  TdxBarButton* save = Make("&Save");
  TdxBarButton* send = Make("S&end");
  TdxBarButton* sendTo = Make("&Send");
  TdxBarButton* print = Make("&Print");
  TStandInBar* bar = NewBar(0, {save, send, sendTo, print});
  bar->RealCloseUp = true;
  bar->SetActiveState(true);
  Key(bar, 'S');
  EXPECT_EQ(bar->SelectedLink(), save->Links(0));
  Key(bar, 'S');
  EXPECT_EQ(bar->SelectedLink(), sendTo->Links(0)) << "the second S moves on to the other link";
  EXPECT_EQ(At(bar, 0)->Clicks + At(bar, 2)->Clicks, 0) << "a shared letter only selects";
  Key(bar, 'P');
  EXPECT_EQ(bar->SelectedLink(), print->Links(0));
  EXPECT_EQ(At(bar, 3)->Presses, 1);
  EXPECT_EQ(At(bar, 3)->Clicks, 1) << "a unique letter clicks at once";
  Key(bar, 'E');
  EXPECT_EQ(At(bar, 1)->Clicks, 1);

  // F10 closes the bar only when the manager uses it for menus; Alt always does.
  M->SetUseF10ForMenu(false);
  Key(bar, VK_F10);
  EXPECT_TRUE(bar->Active());
  M->SetUseF10ForMenu(true);
  Key(bar, VK_F10);
  EXPECT_FALSE(bar->Active());
  EXPECT_EQ(ActiveBarWindow, nullptr);
  bar->SetActiveState(true);
  Key(bar, VK_MENU);
  EXPECT_FALSE(bar->Active());
}

// ---- the mouse -------------------------------------------------------------------------------------

TEST_F(BarControlInputTest, HotTrackingFollowsTheMouseAndRequestsHints) {
  TStandInBar* bar = Sample(0);
  MoveOnto(bar, 0);
  MoveOnto(bar, 0, 1);
  MoveOnto(bar, 2);
  MoveOnto(bar, 3);
  MoveTo({150, 400});
  Wait(30);
  std::vector<std::string> compact;
  for (const std::string& e : Log)
    if (compact.empty() || compact.back() != e) compact.push_back(e);
  EXPECT_EQ(compact, (std::vector<std::string>{"enter A", "move A", "leave A", "enter C", "move C", "leave C", "enter D",
                                               "move D", "leave D"}));
  EXPECT_EQ(bar->SelectedLink(), nullptr) << "leaving deselects";
  EXPECT_EQ(bar->ViewState(), 0);

  // Hovering selects, marks the control as selected by the mouse and asks for its hint.
  MoveOnto(bar, 2);
  EXPECT_EQ(SelectedIndex(bar), 2);
  EXPECT_TRUE(At(bar, 2)->MouseSelected());
  EXPECT_TRUE(At(bar, 2)->IsActive()) << "hot tracking activates";
  EXPECT_EQ(M->HintObject(), ControlAt(bar, 2));
  EXPECT_EQ(bar->Hint(), "Long C");
  EXPECT_EQ(bar->ViewState(), 1);
  // The tracked area is the whole window: its border is still the bar.
  MoveTo({bar->Left(), bar->Top() + bar->Height() / 2});
  Wait(30);
  EXPECT_EQ(bar->ViewState(), 1);
  // The disabled button's hint shows only while the manager shows hints for disabled items.
  MoveOnto(bar, 1);
  EXPECT_EQ(SelectedIndex(bar), 1);
  EXPECT_EQ(bar->Hint(), "Long B");
  EXPECT_FALSE(At(bar, 2)->IsActive()) << "the control left is deactivated";
  M->SetShowHintForDisabledItems(false);
  MoveOnto(bar, 0);
  MoveOnto(bar, 1);
  EXPECT_EQ(bar->Hint(), "");
  // Leaving with hints for disabled items on asks no missing control for its text.
  M->SetShowHintForDisabledItems(true);
  MoveTo({150, 400});
  Wait(30);
  EXPECT_EQ(bar->SelectedLink(), nullptr);
  EXPECT_EQ(bar->Hint(), "");

  // A dropped-down control keeps the selection when the mouse leaves.
  At(bar, 4)->Dropped = true;
  MoveOnto(bar, 4);
  MoveTo({150, 400});
  Wait(30);
  EXPECT_EQ(SelectedIndex(bar), 4);
  EXPECT_EQ(bar->ViewState(), 0);
}

TEST_F(BarControlInputTest, PressAndReleaseClickOnceAndCloseUp) {
  TStandInBar* bar = Sample(0);
  TInputButton* a = At(bar, 0);
  MoveOnto(bar, 0);
  Button(true);
  EXPECT_EQ(a->Presses, 1);
  EXPECT_TRUE(bar->Active());
  EXPECT_EQ(GetCapture(), bar->Handle());
  Button(false);
  EXPECT_EQ(a->Clicks, 1);
  EXPECT_EQ(bar->CloseUps, 1);
  EXPECT_FALSE(bar->Active());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(bar->ClickedControl(), nullptr);

  // Released off the button: no click, and the bar closes up all the same.
  MoveOnto(bar, 0);
  Button(true);
  MoveOnto(bar, 3);
  EXPECT_EQ(SelectedIndex(bar), 0) << "no hot tracking while a control holds the mouse";
  Button(false);
  EXPECT_EQ(a->Presses, 2);
  EXPECT_EQ(a->Clicks, 1);
  EXPECT_EQ(At(bar, 3)->Clicks, 0);
  EXPECT_EQ(bar->CloseUps, 2);

  // A disabled control takes no press.
  MoveOnto(bar, 1);
  Button(true);
  Button(false);
  EXPECT_EQ(At(bar, 1)->Presses, 0);

  // While the next click is to be ignored, the press and the release are swallowed.
  MoveOnto(bar, 2);
  bar->SetIgnoreMouseClick(true);
  Button(true);
  Button(false);
  EXPECT_EQ(At(bar, 2)->Presses, 0);
  EXPECT_FALSE(bar->IgnoreMouseClick()) << "the release clears it";
  Button(true);
  Button(false);
  EXPECT_EQ(At(bar, 2)->Clicks, 1);
}

TEST_F(BarControlInputTest, ADoubleClickGoesToAControlThatWantsItElseItIsASecondPress) {
  M->SetStyle(bmsEnhanced);  // bars of other styles take double clicks
  TStandInBar* bar = Sample(0);
  for (TInputButton* b : {At(bar, 0), At(bar, 2)}) b->Captures = false;
  At(bar, 0)->WantsDouble = true;
  for (int i : {0, 2}) {
    MoveOnto(bar, i);
    for (int click = 0; click < 2; ++click) {
      Button(true);
      Button(false);
    }
  }
  EXPECT_EQ(At(bar, 0)->Presses, 1);
  EXPECT_EQ(At(bar, 0)->DoubleClicks, 1);
  EXPECT_EQ(At(bar, 2)->Presses, 2);
  EXPECT_EQ(At(bar, 2)->DoubleClicks, 0);
  EXPECT_EQ(bar->CurrentMessage().Msg, WM_LBUTTONUP);
}

TEST_F(BarControlInputTest, ClickHandlersMayFreeTheBarOrTheWholeForm) {
  TStandInBar* bar = Sample(0);
  At(bar, 0)->OnClicked = [&] {
    Forget(bar);
    TObject::Free(bar);
  };
  MoveOnto(bar, 0);
  Button(true);
  Button(false);
  EXPECT_FALSE(IsBarControlAlive(bar));
  EXPECT_EQ(ActiveBarWindow, nullptr);

  bar = Sample(0);
  bar->SetActiveState(true);
  // The handler lives in the control it frees: it calls out and touches nothing of its own after.
  At(bar, 2)->OnClicked = [this] { FreeTheForm(); };
  Key(bar, VK_END);
  Key(bar, VK_LEFT);
  Key(bar, VK_LEFT);
  Key(bar, VK_RETURN);
  EXPECT_EQ(Form, nullptr);
  EXPECT_EQ(BarControls->Count(), 0);
  EXPECT_EQ(ActiveBarWindow, nullptr);
}

// ---- the chain of active bars --------------------------------------------------------------------

TEST_F(BarControlInputTest, DeactivatingGivesTheChainBackToTheBarActiveBefore) {
  TStandInBar* first = Sample(0);
  TStandInBar* second = Sample(0, 100, 200);
  first->SetActiveState(true);
  second->SetActiveState(true);
  EXPECT_EQ(ActiveBarWindow, second);
  EXPECT_EQ(second->PreviousActiveBar(), first);
  second->SetActiveState(false);
  EXPECT_EQ(ActiveBarWindow, first);

  second->SetActiveState(true);
  Forget(first);
  TObject::Free(first);
  second->SetActiveState(false);
  EXPECT_EQ(ActiveBarWindow, nullptr) << "the bar active before is gone";

  // Customizing: an inactive bar deactivated all the same drops its selection.
  second->SetSelectedControl(ControlAt(second, 2));
  M->SetCustomizing(true);
  second->SetActiveState(false);
  EXPECT_EQ(second->SelectedLink(), nullptr);
  M->SetCustomizing(false);
}

TEST_F(BarControlInputTest, CtrlTabMovesToTheNextToolbarWithSomethingToSelectAcrossManagers) {
  auto* otherForm = new TItemFixtureForm(Application);
  otherForm->SetBounds(50, 50, 300, 200);
  auto* other = new TdxBarManager(otherForm);
  for (TdxBarManager* m : {M, other}) m->SetHideFloatingBarsWhenInactive(false);
  otherForm->Show();
  Form->Show();
  int y = 300;
  // A floating toolbar of the manager at the next free place, showing the items or hidden.
  auto toolbar = [&](TdxBarManager* AManager, std::initializer_list<TdxBarItem*> AItems, bool AVisible = true) {
    auto* bar = new TStandInToolbar(AManager->Owner());
    bar->SetParentComponent(AManager);
    for (TdxBarItem* item : AItems) bar->ItemLinks()->AddItem(item);
    bar->SetFloatLeft(100);
    bar->SetFloatTop(y += 40);
    bar->SetVisible(AVisible);
    if (auto* window = static_cast<TStandInBar*>(bar->Control())) {
      window->Arrange();
      window->TakesFocus = true;
    }
    return bar;
  };
  TdxBar* first = toolbar(M, {Make("&One"), Make("&Two")});
  toolbar(M, {Make<TdxBarLabel>("nothing to select")});
  toolbar(M, {Make("&Hidden")}, false);
  TdxBar* second = toolbar(other, {new TdxBarButton(otherForm), new TdxBarButton(otherForm)});
  auto* firstWindow = static_cast<TStandInBar*>(first->Control());
  auto* secondWindow = static_cast<TStandInBar*>(second->Control());
  ASSERT_TRUE(firstWindow && secondWindow);
  ASSERT_NE(first->ItemLinks()->FirstSelectable(), nullptr);

  firstWindow->ActivateWithControl(nullptr);
  Key(firstWindow, VK_TAB, false, true);
  EXPECT_FALSE(firstWindow->Active()) << "the bar left loses the focus";
  EXPECT_EQ(ActiveBarWindow, secondWindow) << "over the bars without a selectable link, to the other manager";
  EXPECT_EQ(secondWindow->SelectedLink(), second->ItemLinks()->Items(0));
  Key(secondWindow, VK_TAB, false, true);
  EXPECT_EQ(ActiveBarWindow, firstWindow) << "and round to the first manager again";
  EXPECT_EQ(firstWindow->SelectedLink(), first->ItemLinks()->Items(0));
  Key(firstWindow, VK_TAB, true, true);
  EXPECT_EQ(ActiveBarWindow, secondWindow) << "Ctrl+Shift+Tab goes back";

  // A chain whose root is a menu switches nowhere.
  secondWindow->Kind = dxBarKindMenu;
  Key(secondWindow, VK_TAB, false, true);
  EXPECT_EQ(ActiveBarWindow, secondWindow);
  secondWindow->Kind = dxBarKindToolbar;
  while (ActiveBarWindow) ActiveBarWindow->SetActiveState(false);
  TObject::Free(otherForm);
}

// ---- customizing ---------------------------------------------------------------------------------

TEST_F(BarControlInputTest, DesignSelectionOperationsFollowTheButtonShiftAndSelection) {
  TStandInBar* bar = Sample(0);
  TdxBarItem* item = ControlAt(bar, 2)->Item();
  TRecordingDesigner designer;
  M->SetDesigner(&designer);
  M->SetCustomizing(true);
  auto* elsewhere = new TdxBarControlItemLinks(M, nullptr);
  Owned.emplace_back(elsewhere);
  struct Shift {
    const char* Name;
    TShiftState State;
  };
  const Shift shifts[] = {{"none", {}}, {"Shift", {ssShift}}, {"Ctrl", {ssCtrl}}, {"Shift+Ctrl", {ssShift, ssCtrl}}};
  for (TMouseButton button : {mbLeft, mbRight, mbMiddle})
    for (const Shift& shift : shifts)
      for (bool selected : {false, true})
        for (bool complex : {false, true}) {
          SCOPED_TRACE(std::string(shift.Name) + " button " + std::to_string(static_cast<int>(button)) +
                       (selected ? " selected" : "") + (complex ? " complex" : ""));
          designer.Selected.clear();
          if (selected) designer.Selected.insert(item);
          // An item shown by several links makes the selection complex.
          if (complex && elsewhere->Count() == 0) elsewhere->AddItem(item);
          if (!complex && elsewhere->Count() > 0) elsewhere->Clear();
          designer.Calls.clear();
          bar->DesignSelectControl(ControlAt(bar, 2), button, shift.State);
          int expected = 2;
          if (button == mbRight)
            expected = selected && !complex ? 0 : 2;
          else if (button == mbLeft && shift.State.Contains(ssShift) && !shift.State.Contains(ssCtrl))
            expected = selected ? 1 : 0;
          ASSERT_FALSE(designer.Calls.empty());
          EXPECT_EQ(designer.Calls.back(), (std::pair<TPersistent*, int>{item, expected}));
          EXPECT_EQ(SelectedIndex(bar), 2);
          EXPECT_EQ(M->SelectedItem(), ControlAt(bar, 2));
        }
  M->SetCustomizing(false);
  M->SetDesigner(nullptr);
}

struct TDragSeen {
  TdxBarManager* Manager = nullptr;
  bool Running = false;
  TdxBarItem* Item = nullptr;
  TdxBarItemLink* Link = nullptr;
};
TDragSeen DragSeen;

TEST_F(BarControlInputTest, ALinkDragStartsOutsideTheDragSquareAndKeepsWhatItDrags) {
  SetSystemMetricOverride(SM_CXDRAG, 4);
  SetSystemMetricOverride(SM_CYDRAG, 4);
  TStandInBar* bar = Sample(0);
  TdxBarItemControl* c = ControlAt(bar, 2);
  M->SetCustomizing(true);
  M->SetSelectedItem(c, bar);
  TdxBarDragInfo* drag = M->DragInfo();
  for (int distance : {1, 3})
    for (TPoint step : {TPoint{1, 0}, TPoint{-1, 0}, TPoint{0, 1}, TPoint{0, -1}}) {
      SCOPED_TRACE(std::to_string(distance) + " by " + std::to_string(step.X) + "," + std::to_string(step.Y));
      TRect r = bar->ControlScreenRect(c);
      TPoint p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
      MoveTo(p);
      Button(true);
      ASSERT_TRUE(bar->DragDown());
      EXPECT_EQ(GetCapture(), bar->Handle());
      // Seen from inside the drag's loop, which the release then ends.
      DragSeen = {};
      const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
        if (DragSeen.Running) return;
        TdxBarDragInfo* running = DragSeen.Manager->DragInfo();
        DragSeen = {DragSeen.Manager, running->Running(), running->DraggedItem(), running->DraggedLink()};
        Headless().InjectMouseButton(1, false);
      });
      DragSeen.Manager = M;
      MoveTo({p.X + step.X * distance, p.Y + step.Y * distance});
      KillTimer(nullptr, timer);
      EXPECT_EQ(bar->DragDown(), distance == 1);
      EXPECT_EQ(DragSeen.Running, distance != 1);
      if (distance != 1) {
        // The capture released for the drag forgets nothing of what is dragged.
        EXPECT_EQ(DragSeen.Item, c->Item());
        EXPECT_EQ(DragSeen.Link, c->ItemLink());
        continue;
      }
      EXPECT_EQ(GetCapture(), bar->Handle());
      EXPECT_EQ(drag->DraggedItem(), c->Item());
      EXPECT_EQ(drag->DraggedLink(), c->ItemLink());
      Button(false);
      EXPECT_FALSE(bar->DragDown());
      EXPECT_EQ(GetCapture(), nullptr);
      EXPECT_EQ(drag->DraggedItem(), nullptr) << "a release in place disarms the drag";
    }
  M->SetCustomizing(false);
}

}  // namespace
