// Controls on a form made in code: notifications a property write sends, windows made on
// demand, alignment order, the mouse entering and leaving, tab order.
#include "platform/classes/HintWindow.h"
#include "platform/classes/Menus.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "tests/platform/classes/FormFixture.h"
#include "tests/support/Artifacts.h"

namespace formtest {
namespace {

using namespace win;

std::vector<std::string>* g_log = nullptr;

std::string CmName(UINT msg) {
  switch (msg) {
    case CM_COLORCHANGED: return "COLORCHANGED";
    case CM_PARENTCOLORCHANGED: return "PARENTCOLORCHANGED";
    case CM_FONTCHANGED: return "FONTCHANGED";
    case CM_PARENTFONTCHANGED: return "PARENTFONTCHANGED";
    case CM_ENABLEDCHANGED: return "ENABLEDCHANGED";
    case CM_VISIBLECHANGED: return "VISIBLECHANGED";
    case CM_TEXTCHANGED: return "TEXTCHANGED";
    case CM_SHOWINGCHANGED: return "SHOWINGCHANGED";
    case CM_MOUSEENTER: return "MOUSEENTER";
    case CM_MOUSELEAVE: return "MOUSELEAVE";
    case CM_ENTER: return "ENTER";
    case CM_EXIT: return "EXIT";
    default: return "";
  }
}

template <class Base>
class Logged : public Base {
 public:
  explicit Logged(TComponent* AOwner) : Base(AOwner) {}
  void WndProc(TMessage& m) override {
    if (g_log && !CmName(m.Msg).empty()) g_log->push_back(this->Name() + ":" + CmName(m.Msg));
    Base::WndProc(m);
  }
};

class ControlsTest : public FormTest {
 public:
  void SetUp() override {
    FormTest::SetUp();
    g_log = &log;
    form = new TForm(Application, 0);
    form->SetBounds(50, 50, 400, 300);
    panel = new Logged<TDemoPanel>(form);
    panel->SetName("panel");
    panel->SetParent(form);
    panel->SetBounds(10, 10, 200, 150);
    label = new Logged<TDemoLabel>(form);
    label->SetName("label");
    label->SetParent(panel);
    label->SetBounds(10, 10, 60, 20);
    button = new Logged<TDemoButton>(form);
    button->SetName("button");
    button->SetParent(panel);
    button->SetBounds(10, 50, 75, 25);
    log.clear();
  }
  void TearDown() override {
    g_log = nullptr;
    FormTest::TearDown();
  }
  std::vector<std::string> log;
  TForm* form = nullptr;
  TDemoPanel* panel = nullptr;
  TDemoLabel* label = nullptr;
  TDemoButton* button = nullptr;
};

using Lines = std::vector<std::string>;

TEST_F(ControlsTest, PropertyWritesSendNotifications) {
  struct Case {
    const char* what;
    std::function<void(ControlsTest&)> write;
    Lines expected;
  };
  const Case cases[] = {
      {"colour reaches children that follow their parent",
       [](ControlsTest& t) { t.panel->SetColor(clRed); },
       {"panel:COLORCHANGED", "label:PARENTCOLORCHANGED", "label:COLORCHANGED", "button:PARENTCOLORCHANGED"}},
      {"same colour again", [](ControlsTest& t) { t.panel->SetColor(clRed); }, {}},
      {"font", [](ControlsTest& t) { t.panel->Font()->SetSize(14); },
       {"panel:FONTCHANGED", "label:PARENTFONTCHANGED", "label:FONTCHANGED", "button:PARENTFONTCHANGED",
        "button:FONTCHANGED"}},
      {"caption", [](ControlsTest& t) { t.label->SetCaption("x"); }, {"label:TEXTCHANGED"}},
      {"same caption", [](ControlsTest& t) { t.label->SetCaption("x"); }, {}},
      {"enabled", [](ControlsTest& t) { t.button->SetEnabled(false); }, {"button:ENABLEDCHANGED"}},
      {"visible", [](ControlsTest& t) { t.label->SetVisible(false); }, {"label:VISIBLECHANGED"}},
  };
  button->SetParentColor(false);
  button->SetColor(clLime);
  log.clear();
  for (const Case& c : cases) {
    log.clear();
    c.write(*this);
    EXPECT_EQ(log, c.expected) << c.what;
  }
  EXPECT_EQ(label->Color(), clRed);
  EXPECT_TRUE(label->ParentColor());
  EXPECT_EQ(button->Color(), clLime);
  EXPECT_EQ(label->Font()->Size(), 14);
  EXPECT_TRUE(label->ParentFont());
  // A control given its own font no longer follows the parent's.
  label->Font()->SetSize(9);
  panel->Font()->SetSize(20);
  EXPECT_EQ(label->Font()->Size(), 9);
  EXPECT_FALSE(label->ParentFont());
}

TEST_F(ControlsTest, WindowsAreMadeOnDemandAndFollowTheControl) {
  EXPECT_FALSE(form->HandleAllocated());
  EXPECT_FALSE(button->HandleAllocated());
  HWND h = button->Handle();  // makes the parents' windows first
  ASSERT_TRUE(IsWindow(h));
  EXPECT_TRUE(panel->HandleAllocated());
  EXPECT_EQ(GetParent(h), panel->Handle());
  EXPECT_EQ(TWinControl::FindControl(h), button);
  // Not showing: the form is not visible.
  EXPECT_FALSE(button->Showing());
  EXPECT_FALSE(IsWindowVisible(h));

  button->SetCaption("Go");
  EXPECT_EQ(GetWindowTextString(h), "Go");
  button->SetBounds(20, 30, 90, 28);
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.right - r.left, 90);

  button->RecreateWnd();
  HWND again = button->Handle();
  EXPECT_EQ(GetWindowTextString(again), "Go");
  EXPECT_EQ(button->Left(), 20);

  form->Show();
  Pump();
  EXPECT_TRUE(button->Showing());
  EXPECT_TRUE(IsWindowVisible(again));
  panel->SetVisible(false);
  EXPECT_FALSE(button->Showing());
  EXPECT_FALSE(IsWindowVisible(again));

  delete button;
  button = nullptr;
  EXPECT_FALSE(IsWindow(again));
  EXPECT_EQ(panel->ControlCount(), 1);
}

TEST_F(ControlsTest, AlignedControlsStackInTheOrderTheyStand) {
  auto* a = new TDemoPanel(form);
  auto* b = new TDemoPanel(form);
  auto* c = new TDemoPanel(form);
  for (TDemoPanel* p : {a, b, c}) p->SetParent(form);
  panel->SetVisible(false);
  a->SetBounds(0, 100, 50, 30);
  b->SetBounds(0, 10, 50, 20);
  c->SetBounds(0, 0, 50, 40);
  a->SetAlign(alTop);
  b->SetAlign(alTop);
  c->SetAlign(alBottom);
  int cw = form->ClientWidth(), ch = form->ClientHeight();
  // b came to the top after a stood there: it goes below.
  EXPECT_EQ(a->Top(), 0);
  EXPECT_EQ(b->Top(), 30);
  EXPECT_EQ(a->Width(), cw);
  EXPECT_EQ(c->Top(), ch - 40);
  // Moved to the top, b goes in front of a.
  b->SetTop(0);
  EXPECT_EQ(b->Top(), 0);
  EXPECT_EQ(a->Top(), 20);
  // Constraints hold inside alignment too.
  b->Constraints()->SetMaxHeight(10);
  EXPECT_EQ(b->Height(), 10);
  EXPECT_EQ(a->Top(), 10);
}

TEST_F(ControlsTest, MouseEntersAndLeavesWindowlessAndWindowedControls) {
  form->Show();
  Pump();
  Lines events;
  label->OnMouseEnter = [&](TObject*) { events.push_back("label enter"); };
  label->OnMouseLeave = [&](TObject*) { events.push_back("label leave"); };
  button->OnMouseEnter = [&](TObject*) { events.push_back("button enter"); };
  button->OnMouseLeave = [&](TObject*) { events.push_back("button leave"); };
  POINT p = At(label, 5, 5);
  Headless().InjectMouseMove(p.x, p.y);
  Pump();
  p = At(button, 5, 5);
  Headless().InjectMouseMove(p.x, p.y);
  Pump();
  p = At(panel, 150, 140);
  Headless().InjectMouseMove(p.x, p.y);
  Pump();
  EXPECT_EQ(events, (Lines{"label enter", "label leave", "button enter", "button leave"}));
}

TEST_F(ControlsTest, TabOrderListAndNextControl) {
  auto* second = new TDemoButton(form);
  second->SetParent(panel);
  auto* third = new TDemoButton(form);
  third->SetParent(form);
  third->SetTabOrder(0);  // before the panel
  EXPECT_EQ(third->TabOrder(), 0);
  EXPECT_EQ(panel->TabOrder(), 1);
  TControlList list;
  form->GetTabOrderList(list);
  EXPECT_EQ(list, (TControlList{third, panel, button, second}));
  form->Show();
  Pump();
  EXPECT_EQ(form->FindNextControl(third, true, true, false), button);
  EXPECT_EQ(form->FindNextControl(third, false, true, false), second);
  button->SetVisible(false);
  EXPECT_EQ(form->FindNextControl(third, true, true, false), second);

  // Entering a control sends CM_ENTER down its chain and CM_EXIT up the old one.
  third->SetFocus();
  log.clear();
  second->SetFocus();
  EXPECT_EQ(log, (Lines{"panel:ENTER"}));
  EXPECT_EQ(GetFocus(), second->Handle());
  EXPECT_EQ(form->ActiveControl(), second);
}

TEST_F(ControlsTest, ContextPopupMenusAndShortcuts) {
  form->Show();
  Pump();
  auto* menu = new TPopupMenu(form);
  auto* item = new TMenuItem(menu);
  item->SetShortCut(scCtrl | 'S');
  Lines events;
  item->SetOnClick([&](TObject*) { events.push_back("item"); });
  menu->Items()->Add(item);
  menu->OnPopup = [&](TObject*) { events.push_back("popup"); };
  panel->SetPopupMenu(menu);
  bool handled = true;
  label->OnContextPopup = [&](TObject*, POINT p, bool& h) {
    events.push_back("label context " + std::to_string(p.x) + "," + std::to_string(p.y));
    h = handled;
  };
  // The window system sends the context menu message to the window under the mouse; the
  // windowless label has the first say.
  POINT at = At(label, 3, 4);
  SendMessage(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()), PointToLParam(at.x, at.y));
  EXPECT_EQ(events, (Lines{"label context 3,4"}));
  handled = false;
  events.clear();
  // The menu runs until dismissed: Escape is waiting for it.
  Headless().InjectKey(VK_ESCAPE, true);
  Headless().InjectKey(VK_ESCAPE, false);
  SendMessage(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()), PointToLParam(at.x, at.y));
  EXPECT_EQ(events, (Lines{"label context 3,4", "popup"}));
  EXPECT_EQ(menu->PopupComponent(), panel);
  EXPECT_EQ(menu->PopupPoint().x, at.x);

  // The shortcut of a parent's popup menu works in the focused child.
  button->SetFocus();
  events.clear();
  Chord(VK_CONTROL, 'S');
  EXPECT_EQ(events, (Lines{"item"}));

  // Deleting the menu leaves no dangling reference behind.
  delete menu;
  EXPECT_EQ(panel->PopupMenu(), nullptr);
}

TEST_F(ControlsTest, HintShowsAfterThePauseAndHidesAgain) {
  form->Show();
  Pump();
  label->SetHint("Tells you things|The long story");
  label->SetShowHint(true);
  Application->SetHintPause(500);
  Application->SetHintHidePause(2500);
  POINT p = At(label, 5, 5);
  Headless().InjectMouseMove(p.x, p.y);
  Pump();
  EXPECT_EQ(Application->Hint(), "The long story");
  RunFor(400);
  EXPECT_TRUE(Application->HintWindow() == nullptr || !Application->HintWindow()->IsHintShowing());
  RunFor(200);
  ASSERT_NE(Application->HintWindow(), nullptr);
  EXPECT_TRUE(Application->HintWindow()->IsHintShowing());
  EXPECT_EQ(Application->HintWindow()->Caption(), "Tells you things");
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("hint.png")));
  RunFor(2600);
  EXPECT_FALSE(Application->HintWindow()->IsHintShowing());
}

TEST_F(ControlsTest, AHintNamesTheShortcutOfTheControlsAction) {
  form->Show();
  Pump();
  auto* save = new TAction(form);
  save->SetHint("Save the scene");
  save->SetShortCut(scCtrl | 'S');
  save->SetOnExecute([](TObject*) {});
  label->SetAction(save);
  label->SetShowHint(true);
  EXPECT_TRUE(Application->HintShortCuts());
  for (bool withShortCut : {true, false}) {
    Application->SetHintShortCuts(withShortCut);
    POINT away = At(form, form->ClientWidth() - 2, form->ClientHeight() - 2);
    Headless().InjectMouseMove(away.x, away.y);
    Pump();
    RunFor(3000);
    POINT p = At(label, 5, 5);
    Headless().InjectMouseMove(p.x, p.y);
    Pump();
    RunFor(600);
    ASSERT_NE(Application->HintWindow(), nullptr);
    EXPECT_EQ(Application->HintWindow()->Caption(), withShortCut ? "Save the scene (Ctrl+S)" : "Save the scene");
  }
  Application->SetHintShortCuts(true);
}

TEST_F(ControlsTest, AControlShapesOrRefusesItsHint) {
  form->Show();
  Pump();
  button->SetHint("whole");
  button->SetShowHint(true);
  int asked = 0;
  bool refuse = true;
  button->WindowProc = [this, &asked, &refuse](TMessage& m) {
    if (m.Msg == CM_HINTSHOW) {
      ++asked;
      auto* info = reinterpret_cast<THintInfo*>(m.LParam);
      bool left = info->CursorPos.x < 37;
      info->HintStr = left ? "left part" : "right part";
      info->CursorRect = left ? RECT{0, 0, 37, 25} : RECT{37, 0, 75, 25};
      m.Result = refuse ? 1 : 0;
      return;
    }
    button->WndProc(m);
  };
  POINT p = At(button, 5, 5);
  Headless().InjectMouseMove(p.x, p.y);
  RunFor(700);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(Application->HintWindow() == nullptr || !Application->HintWindow()->IsHintShowing());

  refuse = false;
  p = At(panel, 150, 140);
  Headless().InjectMouseMove(p.x, p.y);
  Pump();
  p = At(button, 10, 5);
  Headless().InjectMouseMove(p.x, p.y);
  RunFor(700);
  ASSERT_NE(Application->HintWindow(), nullptr);
  EXPECT_EQ(Application->HintWindow()->Caption(), "left part");
  // Within the part the hint stays; into the other part it is asked for again.
  p = At(button, 20, 6);
  Headless().InjectMouseMove(p.x, p.y);
  RunFor(100);
  EXPECT_EQ(asked, 2);
  p = At(button, 60, 6);
  Headless().InjectMouseMove(p.x, p.y);
  RunFor(700);
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(Application->HintWindow()->Caption(), "right part");
}

TEST_F(ControlsTest, DragAndDropBetweenControls) {
  form->Show();
  Pump();
  label->SetDragMode(dmAutomatic);
  Lines events;
  button->OnDragOver = [&](TObject*, TObject* source, int, int, TDragState state, bool& accept) {
    if (state == dsDragEnter) events.push_back("enter");
    accept = source == label;
  };
  button->OnDragDrop = [&](TObject*, TObject* source, int x, int y) {
    events.push_back(std::string("drop ") + (source == label ? "label " : "? ") + std::to_string(x) + "," +
                     std::to_string(y));
  };
  label->OnEndDrag = [&](TObject*, TObject* target, int, int) {
    events.push_back(std::string("end ") + (target == button ? "button" : "none"));
  };
  POINT from = At(label, 5, 5), to = At(button, 10, 12);
  Headless().InjectMouseMove(from.x, from.y);
  Headless().InjectMouseButton(1, true);
  Pump();
  EXPECT_TRUE(label->Dragging());
  Headless().InjectMouseMove(from.x + 3, from.y);  // under the threshold: no target yet
  Pump();
  EXPECT_TRUE(events.empty());
  Headless().InjectMouseMove(to.x, to.y);
  Pump();
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_FALSE(label->Dragging());
  EXPECT_EQ(events, (Lines{"enter", "drop label 10,12", "end button"}));

  // Escape ends a drag without a drop.
  events.clear();
  Headless().InjectMouseMove(from.x, from.y);
  Headless().InjectMouseButton(1, true);
  Pump();
  Headless().InjectMouseMove(to.x, to.y);
  Pump();
  Key(VK_ESCAPE);
  EXPECT_FALSE(label->Dragging());
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_EQ(events, (Lines{"enter", "end none"}));

  // A drag object of the control's own is what the target hears of.
  events.clear();
  TDragObject own;
  label->OnStartDrag = [&](TObject*, TDragObject*& object) { object = &own; };
  button->OnDragOver = [&](TObject*, TObject* source, int, int, TDragState, bool& accept) { accept = source == &own; };
  button->OnDragDrop = [&](TObject*, TObject* source, int, int) { events.push_back(source == &own ? "own" : "?"); };
  Headless().InjectMouseMove(from.x, from.y);
  Headless().InjectMouseButton(1, true);
  Pump();
  Headless().InjectMouseMove(to.x, to.y);
  Pump();
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_TRUE(own.Dropped());
  EXPECT_EQ(events, (Lines{"own", "end button"}));
}

TEST_F(ControlsTest, HiddenWindowsForObjects) {
  UINT heard = 0;
  HWND h = AllocateHWnd([&](TMessage& m) {
    if (m.Msg >= WM_USER) {
      heard = m.Msg;
      m.Result = 7;
    }
  });
  ASSERT_TRUE(IsWindow(h));
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_EQ(SendMessage(h, WM_USER + 5, 0, 0), 7);
  EXPECT_EQ(heard, WM_USER + 5);
  DeallocateHWnd(h);
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(ControlsTest, CancelModeLetsTheButtonGoWithoutAClick) {
  form->Show();
  Pump();
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  POINT p = At(button, 5, 5);
  ClickAt(p);
  EXPECT_EQ(clicks, 1);
  Headless().InjectMouseMove(p.x, p.y);
  Headless().InjectMouseButton(1, true);
  Pump();
  EXPECT_TRUE(button->MouseCapture());
  SendMessage(button->Handle(), WM_CANCELMODE, 0, 0);
  EXPECT_FALSE(button->MouseCapture());
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, AFormInsideAControlIsAChildWindow) {
  auto* inner = new TForm(form, 0);
  inner->SetBorderStyle(bsNone);
  inner->SetParent(panel);
  inner->SetBounds(5, 5, 100, 60);
  inner->SetVisible(true);
  form->Show();
  Pump();
  ASSERT_TRUE(inner->HandleAllocated());
  EXPECT_EQ(GetParent(inner->Handle()), panel->Handle());
  EXPECT_TRUE(GetWindowLong(inner->Handle(), GWL_STYLE) & WS_CHILD);
  EXPECT_TRUE(IsWindowVisible(inner->Handle()));
  EXPECT_EQ(GetParentForm(inner), form);
}

TEST_F(ControlsTest, ACaptionThatIsTheNameFollowsARename) {
  auto* b = new TDemoButton(form);
  b->SetName("Button7");
  EXPECT_EQ(b->Caption(), "Button7");
  b->SetName("btnGo");
  EXPECT_EQ(b->Caption(), "btnGo");
  b->SetCaption("Go");
  b->SetName("btnStart");
  EXPECT_EQ(b->Caption(), "Go");
  // Without the style the caption stays as it is.
  auto* p = new TDemoPanel(form);
  p->SetControlStyle(p->ControlStyle() - TControlStyle{csSetCaption});
  p->SetName("Panel9");
  EXPECT_EQ(p->Caption(), "");
}

TEST_F(ControlsTest, AnActionDrivesItsControls) {
  auto* action = new TAction(form);
  action->SetCaption("Connect");
  action->SetHint("Opens the port");
  int executed = 0;
  action->SetOnExecute([&](TObject*) { ++executed; });
  button->SetAction(action);
  EXPECT_EQ(button->Caption(), "Connect");
  EXPECT_EQ(button->Hint(), "Opens the port");
  action->SetEnabled(false);
  EXPECT_FALSE(button->Enabled());
  action->SetEnabled(true);
  action->SetCaption("Disconnect");
  EXPECT_EQ(button->Caption(), "Disconnect");
  // A caption of the control's own is no longer the action's to change.
  button->SetCaption("Mine");
  action->SetCaption("Other");
  EXPECT_EQ(button->Caption(), "Mine");

  button->Click();
  EXPECT_EQ(executed, 1);
  int own = 0;
  button->OnClick = [&](TObject*) { ++own; };
  button->Click();
  EXPECT_EQ(own, 1);
  EXPECT_EQ(executed, 1);

  delete action;
  EXPECT_EQ(button->Action(), nullptr);
  button->Click();
  EXPECT_EQ(own, 2);
}

TEST_F(ControlsTest, AcceleratorsReachTheControlsOfTheForm) {
  form->Show();
  Pump();
  std::vector<unsigned> heard;
  label->WindowProc = [this, &heard](TMessage& m) {
    if (m.Msg == CM_DIALOGCHAR) {
      heard.push_back(static_cast<unsigned>(m.WParam));
      if (IsAccel(static_cast<unsigned>(m.WParam), "&Port")) m.Result = 1;
      return;
    }
    label->WndProc(m);
  };
  button->SetFocus();
  Key('P');  // the button has no use for characters
  Chord(VK_MENU, 'Q');
  EXPECT_EQ(heard, (std::vector<unsigned>{'p', 'q'}));
  EXPECT_TRUE(IsAccel('P', "&Port"));
  EXPECT_FALSE(IsAccel('P', "&&Port"));
  EXPECT_FALSE(IsAccel('o', "&Port"));
}

TEST_F(ControlsTest, PointsBetweenAControlAndItsParents) {
  EXPECT_EQ(label->ClientToParent(POINT{1, 2}).x, 11);
  POINT inForm = label->ClientToParent(POINT{1, 2}, form);
  EXPECT_EQ(inForm.x, 21);
  EXPECT_EQ(inForm.y, 22);
  POINT back = label->ParentToClient(inForm, form);
  EXPECT_EQ(back.x, 1);
  EXPECT_EQ(back.y, 2);
  auto* stranger = new TDemoPanel(form);
  EXPECT_THROW(label->ClientToParent(POINT{0, 0}, stranger), EInvalidOperation);
}

TEST_F(ControlsTest, SetParentRefusesACycle) {
  EXPECT_THROW(panel->SetParent(panel), EInvalidOperation);
  auto* inner = new TDemoPanel(form);
  inner->SetParent(panel);
  EXPECT_THROW(panel->SetParent(inner), EInvalidOperation);
  EXPECT_EQ(panel->Parent(), form);
}


// A window that changes hands: the bar library keeps a menu's window alive while one of its items
// is dragged, and a window may pass to another control.
TEST_F(ControlsTest, AWindowGivenUpAndAdoptedKeepsItsPixelsAndChildren) {
  struct Counting : TDemoPanel {
    using TDemoPanel::TDemoPanel;
    void WndProc(TMessage& m) override {
      if (m.Msg == WM_USER + 7) ++heard;
      TDemoPanel::WndProc(m);
    }
    int heard = 0;
  };
  auto* first = new Counting(form);
  first->SetParent(form);
  first->SetBounds(220, 10, 120, 100);
  first->SetColor(clRed);
  HWND h = first->Handle();
  HWND inner = CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 30, 20, h, nullptr, nullptr, nullptr);
  form->Show();
  POINT p = At(first, 60, 80);
  EXPECT_EQ(ScreenPixel(p.x, p.y), 0xFF0000u);

  EXPECT_EQ(first->DetachHandle(), h);
  EXPECT_FALSE(first->HandleAllocated());
  EXPECT_EQ(TWinControl::FindControl(h), nullptr);
  SendMessage(h, WM_USER + 7, 0, 0);
  EXPECT_EQ(first->heard, 0);
  // Nothing paints it now, and nothing wipes what it shows.
  InvalidateRect(h, nullptr, TRUE);
  EXPECT_EQ(ScreenPixel(p.x, p.y), 0xFF0000u);
  delete first;
  ASSERT_TRUE(IsWindow(h));

  auto* second = new Counting(form);
  second->SetColor(clLime);
  EXPECT_THROW(second->AttachHandle(reinterpret_cast<HWND>(std::uintptr_t{0x7777})), EInvalidOperation);
  EXPECT_THROW(second->AttachHandle(panel->Handle()), EInvalidOperation);
  second->AttachHandle(h);
  EXPECT_EQ(second->WindowHandle(), h);
  EXPECT_EQ(TWinControl::FindControl(h), second);
  EXPECT_EQ(second->BoundsRect().left, 220);
  EXPECT_EQ(second->Width(), 120);
  EXPECT_TRUE(second->Showing());
  EXPECT_EQ(GetWindow(h, GW_CHILD), inner);
  SendMessage(h, WM_USER + 7, 0, 0);
  EXPECT_EQ(second->heard, 1);
  EXPECT_EQ(ScreenPixel(p.x, p.y), 0xFF0000u);
  second->Invalidate();
  EXPECT_EQ(ScreenPixel(p.x, p.y), 0x00FF00u);

  // Handing the window back to its default procedure leaves the control its handle.
  second->RestoreDefWndProc();
  SendMessage(h, WM_USER + 7, 0, 0);
  EXPECT_EQ(second->heard, 1);
  EXPECT_EQ(second->WindowHandle(), h);
  second->AttachHandle(h);  // its own window: nothing to do
  delete second;
  EXPECT_FALSE(IsWindow(h));
  EXPECT_FALSE(IsWindow(inner));
}

}  // namespace
}  // namespace formtest
