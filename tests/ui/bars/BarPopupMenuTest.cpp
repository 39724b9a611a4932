// Popup menus on the headless backend with time on the virtual clock: the manager a new menu
// takes, its font and size rules, shortcuts and recursion, and showing with and without the
// modal loop, driven by input injected while the caller waits.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <thread>

#include "platform/classes/Controls.h"
#include "platform/system/Clock.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarPopupMenu.h"
#include "ui/bars/BarSubItem.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/foundation/GraphicsUnit.h"

using namespace win;

namespace {

// Window-less one-shot timers that run a test step inside whatever loop is waiting.
std::map<UINT_PTR, std::function<void()>> gSteps;
void RunStep(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  auto step = gSteps.extract(Id);
  if (!step.empty()) step.mapped()();
}

class BarPopupMenuTest : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    GraphicsUnitStartup();
    M = new TdxBarManager(Form);
    Form->Show();
    Popup = new TdxBarPopupMenu(Form);
    for (const char* caption : {"Open", "Save", "Close"}) {
      auto* button = new TdxBarButton(Form);
      button->SetCaption(caption);
      button->SetOnClick([this, caption](TObject*) { Clicked += caption; });
      Popup->ItemLinks()->AddItem(button);
    }
    Popup->OnPopup = [this](TObject*) { ++Popups; };
    Popup->OnCloseUp = [this](TObject*) { ++CloseUps; };
  }
  void TearDown() override {
    for (auto& [id, step] : gSteps) KillTimer(nullptr, id);
    gSteps.clear();
    TObject::Free(Form);
    Form = nullptr;
    GraphicsUnitShutdown();
    BarItemFixture::TearDown();
  }
  static void At(UINT Ms, std::function<void()> Step) { gSteps[SetTimer(nullptr, 0, Ms, &RunStep)] = std::move(Step); }
  static void Pump() {
    MSG m;
    for (int guard = 0; guard < 1000 && PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard)
      Application->ProcessMessages();
  }
  TdxBarItemControl* ControlOf(int Index) const { return Popup->ItemLinks()->Items(Index)->Control(); }
  // Queues a move onto the popup's item and, when asked, a click on it.
  void Aim(int Index, bool AClick) {
    const TRect r = Popup->MenuControl()->ControlScreenRect(ControlOf(Index));
    platform::Headless()->InjectMouseMove((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    if (!AClick) return;
    platform::Headless()->InjectMouseButton(1, true);
    platform::Headless()->InjectMouseButton(1, false);
  }

  platform::ScopedVirtualClock Clock;
  TdxBarManager* M = nullptr;
  TdxBarPopupMenu* Popup = nullptr;
  String Clicked;
  int Popups = 0, CloseUps = 0;
};

// ---- construction and properties ------------------------------------------------------------------

TEST_F(BarPopupMenuTest, ANewMenuTakesItsOwnersManagerElseTheFirstAndFailsWithoutAny) {
  EXPECT_EQ(Popup->BarManager(), M);
  EXPECT_EQ(M->PopupMenuCount(), 1);
  auto* elsewhere = new TItemFixtureForm(Form);
  auto* second = new TdxBarManager(elsewhere);
  EXPECT_EQ((new TdxBarPopupMenu(elsewhere))->BarManager(), second) << "the manager of the popup's owner";
  EXPECT_EQ((new TdxBarPopupMenu(second))->BarManager(), second) << "a manager owning the popup";
  TComponent bare(nullptr);
  EXPECT_EQ((new TdxBarPopupMenu(&bare))->BarManager(), M) << "no manager beside it: the first of the program";

  // Moving between managers moves the popup between their lists; nil is ignored.
  Popup->SetBarManager(second);
  EXPECT_EQ(M->PopupMenuCount(), 1);
  EXPECT_EQ(second->PopupMenuCount(), 3);
  EXPECT_EQ(Popup->ItemLinks()->BarManager(), second);
  Popup->SetBarManager(nullptr);
  EXPECT_EQ(Popup->BarManager(), second);
  Popup->SetBarManager(M);

  TObject::Free(elsewhere);
  TObject::Free(M);
  try {
    new TdxBarPopupMenu(Form);
    ADD_FAILURE() << "made without a manager";
  } catch (const EdxException& e) {
    EXPECT_EQ(e.Message(), "There are no TdxBarManagers available");
  }
  EXPECT_EQ(Popup->BarManager(), nullptr) << "its manager is gone";
}

TEST_F(BarPopupMenuTest, SizeAndFontRules) {
  Popup->SetBarSize(-5);
  EXPECT_EQ(Popup->BarSize(), 0);
  Popup->SetBarSize(12);
  EXPECT_EQ(Popup->BarSize(), 12);

  // The manager's font reaches a popup without its own.
  M->SetScaled(false);
  M->Font()->SetSize(14);
  EXPECT_EQ(Popup->Font()->Size(), 14);
  EXPECT_FALSE(Popup->UseOwnFont());
  Popup->Font()->SetSize(20);
  EXPECT_TRUE(Popup->UseOwnFont());
  EXPECT_EQ(Popup->ItemFont()->Size(), 20);
  M->Font()->SetSize(9);
  EXPECT_EQ(Popup->Font()->Size(), 20) << "a font of its own stays";
  Popup->SetUseOwnFont(false);
  EXPECT_EQ(Popup->Font()->Size(), 9);
  EXPECT_EQ(Popup->Font()->Name(), M->Font()->Name());
  EXPECT_FALSE(Popup->UseOwnFont()) << "bringing the manager's font back is no change of the user's";
}

TEST_F(BarPopupMenuTest, ShortcutsReachTheItemsAndRecursiveMenusAreRefused) {
  auto* save = static_cast<TdxBarButton*>(Popup->ItemLinks()->Items(1)->Item());
  save->SetShortCut(scCtrl + 'S');
  BYTE state[256] = {};
  state[VK_CONTROL] = 0x80;
  SetKeyboardState(state);
  EXPECT_TRUE(Popup->HandleShortCut(TMessage{WM_KEYDOWN, 'S', 0, 0}));
  EXPECT_EQ(Clicked, "Save");
  // Alt comes from the key data, not from the keyboard state.
  EXPECT_FALSE(Popup->HandleShortCut(TMessage{WM_KEYDOWN, 'S', 0x20000000, 0}));
  BYTE none[256] = {};
  SetKeyboardState(none);
  EXPECT_FALSE(Popup->HandleShortCut(TMessage{WM_KEYDOWN, 'S', 0, 0}));
  EXPECT_EQ(Clicked, "Save");

  // A sub-item whose menu opens this popup through a drop-down button.
  auto* sub = new TdxBarSubItem(Form);
  auto* opener = new TdxBarButton(Form);
  opener->SetButtonStyle(bsDropDown);
  opener->SetDropDownMenu(Popup);
  sub->ItemLinks()->AddItem(opener);
  String error;
  EXPECT_FALSE(Popup->CanLinkItem(sub, error));
  EXPECT_EQ(error, "You cannot create recursive menus");
  EXPECT_THROW(Popup->ItemLinks()->AddItem(sub), EdxException);
  EXPECT_TRUE(Popup->CanLinkItem(new TdxBarButton(Form), error));
}

// ---- showing --------------------------------------------------------------------------------------

TEST_F(BarPopupMenuTest, TheOwnLoopHoldsTheCallerUntilAClickClosesTheMenuAndDropsCommands) {
  int commands = 0, shownAgainReturned = 0;
  HWND target = AllocateHWnd([&](TMessage& Message) {
    if (Message.Msg == WM_COMMAND) ++commands;
  });
  Application->SetHint("");
  String hintOnSave;
  Popup->ItemLinks()->Items(1)->Item()->SetHint("Save|Saves the wall's layout");
  At(50, [&] {
    ASSERT_NE(Popup->MenuControl(), nullptr);
    EXPECT_TRUE(Popup->IsShown());
    Popup->ShowAt(10, 10);
    ++shownAgainReturned;
    PostMessage(target, WM_COMMAND, 1, 0);
    Aim(1, false);
  });
  At(100, [&] {
    hintOnSave = Application->Hint();
    Aim(1, true);
  });
  const auto start = Clock->NowMs();
  Popup->ShowAt(200, 150);
  EXPECT_LT(Clock->NowMs() - start, 1000u) << "no further input was needed to return";
  EXPECT_EQ(shownAgainReturned, 1) << "showing an open popup does nothing";
  EXPECT_EQ(Clicked, "Save");
  EXPECT_EQ(hintOnSave, "Saves the wall's layout");
  EXPECT_EQ(Popup->MenuControl(), nullptr);
  EXPECT_FALSE(Popup->IsShown());
  EXPECT_EQ(Popups, 1);
  EXPECT_EQ(CloseUps, 1);
  Pump();
  EXPECT_EQ(commands, 0) << "the command posted while the menu was open is lost";
  DeallocateHWnd(target);
}

TEST_F(BarPopupMenuTest, AMessageFetchedAfterASentMessageClosedTheMenuGoesBackToTheQueue) {
  int late = 0;
  HWND target = nullptr;
  target = AllocateHWnd([&](TMessage& Message) {
    if (Message.Msg == WM_APP) {
      Popup->MenuControl()->CloseUp();
      PostMessage(target, WM_APP + 1, 0, 0);
    }
    if (Message.Msg == WM_APP + 1) ++late;
  });
  std::atomic<bool> sent{false};
  std::thread sender([&] {
    // Handled inside the caller's GetMessage: it closes the menu and posts the late message.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    SendMessage(target, WM_APP, 0, 0);
    sent = true;
  });
  Popup->ShowAt(200, 150);
  sender.join();
  EXPECT_TRUE(sent);
  EXPECT_EQ(Popup->MenuControl(), nullptr);
  EXPECT_EQ(CloseUps, 1);
  EXPECT_EQ(late, 0) << "not dispatched by the popup's loop";
  MSG m{};
  EXPECT_TRUE(PeekMessage(&m, target, WM_APP + 1, WM_APP + 1, PM_REMOVE)) << "posted back for the caller's loop";
  DeallocateHWnd(target);
}

TEST_F(BarPopupMenuTest, QuitEndsTheLoopAndStaysQueued) {
  At(20, [] { PostQuitMessage(3); });
  Popup->ShowAt(200, 150);
  ASSERT_NE(Popup->MenuControl(), nullptr) << "the menu stays up; the caller goes on";
  MSG m{};
  EXPECT_TRUE(PeekMessage(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(m.wParam, 3u);
  Popup->MenuControl()->CloseUp();
  EXPECT_EQ(CloseUps, 1);
}

TEST_F(BarPopupMenuTest, AFailingPopupHandlerClosesTheMenuAndForgetsTheOwnersBounds) {
  Popup->OnPopup = [](TObject*) { throw Exception("no room"); };
  {
    const TRect owner{100, 100, 180, 122};
    EXPECT_THROW(Popup->ShowForOwner(100, 122, 0, 22, false, &owner, false, nullptr), Exception);
  }
  EXPECT_EQ(Popup->MenuControl(), nullptr);
  EXPECT_FALSE(Popup->IsShown());
  EXPECT_EQ(Popup->OwnerBounds(), nullptr);
  EXPECT_EQ(Popup->OwnerHeight(), 0);
  EXPECT_TRUE(Popup->UseOwnMessageLoop());
  Popup->OnPopup = [this](TObject*) { ++Popups; };
  At(20, [this] { Popup->MenuControl()->CloseUp(); });
  Popup->ShowAt(300, 200);
  EXPECT_EQ(Popups, 1);
  EXPECT_EQ(CloseUps, 1);
}

TEST_F(BarPopupMenuTest, WithoutItsLoopShowAtReturnsAtOnceAndPlacesTheMenuForTheOwner) {
  const TRect owner{300, 100, 380, 122};
  Popup->ShowForOwner(300, 122, 0, 22, false, &owner, false, Form);
  auto* menu = dynamic_cast<TdxBarSubMenuControl*>(Popup->MenuControl());
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(IsWindowVisible(menu->Handle()));
  EXPECT_EQ(menu->Left(), 300);
  EXPECT_EQ(menu->Top(), 122);
  EXPECT_EQ(menu->OwnerScreenBounds(), owner);
  EXPECT_EQ(menu->OwnerHeight(), 22);
  EXPECT_EQ(menu->OwnerControl(), Form);
  EXPECT_EQ(menu->ParentWindow(), Form->Handle()) << "the popup's owner is a windowed control";
  EXPECT_EQ(Popups, 1);
  EXPECT_EQ(Popup->OwnerBounds(), nullptr) << "the defaults are back";
  menu->CloseUp();
  EXPECT_EQ(CloseUps, 1);
  EXPECT_EQ(Popup->MenuControl(), nullptr);
}

}  // namespace
