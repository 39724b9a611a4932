#include <string>
#include <vector>

#include "platform/win/Window.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/controls/MessageWindow.h"
#include "ui/controls/WindowProcController.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

constexpr UINT kProbe = WM_APP + 7;

class HookChainTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = NewForm(10, 10, 200, 100);
    original = form->WindowProc;
    // The control's own handling, as a sentinel.
    form->WindowProc = [this](TMessage& m) {
      if (m.Msg == kProbe) {
        log.push_back("window");
        m.Result = 7;
        return;
      }
      original(m);
    };
  }
  void TearDown() override {
    form->WindowProc = original;
    delete form;
    ControlsTest::TearDown();
  }

  // A hook that logs its name and passes the message on.
  TcxWindowProc PassOn(const std::string& name, TcxWindowProcLinkedObject** self) {
    return [this, name, self](TMessage& m) {
      if (m.Msg == kProbe) log.push_back(name);
      CallPreviousWindowProc(*self, m);
    };
  }
  std::vector<std::string> Probe() {
    log.clear();
    form->Perform(kProbe);
    return log;
  }

  TcxWindowProcController& controller() { return *WindowProcControllerInstance(); }
  TForm* form = nullptr;
  TcxWindowProc original;
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST_F(HookChainTest, HooksRunNewestFirstAndLeaveInAnyOrder) {
  TcxWindowProcLinkedObject *a = nullptr, *b = nullptr, *c = nullptr;
  a = controller().HookControl(form, PassOn("A", &a));
  b = controller().HookControl(form, PassOn("B", &b));
  c = controller().HookControl(form, PassOn("C", &c));
  EXPECT_EQ(controller().ChainCount(), 1);
  EXPECT_EQ(Probe(), (Log{"C", "B", "A", "window"}));

  controller().Unhook(b);
  EXPECT_EQ(b, nullptr);
  EXPECT_EQ(Probe(), (Log{"C", "A", "window"}));
  controller().Unhook(c);
  EXPECT_EQ(Probe(), (Log{"A", "window"}));
  EXPECT_NE(controller().FindByControl(form), nullptr);
  controller().Unhook(a);
  EXPECT_EQ(controller().FindByControl(form), nullptr);
  EXPECT_EQ(Probe(), (Log{"window"}));
  // Nothing of the chain stays in front of the control.
  EXPECT_EQ(form->Perform(kProbe), 7);
}

TEST_F(HookChainTest, AHookThatDoesNotPassOnSwallowsTheMessage) {
  TcxWindowProcLinkedObject *older = nullptr, *swallower = nullptr;
  older = controller().HookControl(form, PassOn("older", &older));
  swallower = controller().HookControl(form, [this, &swallower](TMessage& m) {
    if (m.Msg == kProbe) {
      log.push_back("swallower");
      m.Result = 99;
    } else {
      CallPreviousWindowProc(swallower, m);
    }
  });
  log.clear();
  EXPECT_EQ(form->Perform(kProbe), 99);
  EXPECT_EQ(log, (Log{"swallower"}));
  controller().Unhook(swallower);
  controller().Unhook(older);
}

TEST_F(HookChainTest, NullAndForeignHooksChangeNothing) {
  EXPECT_EQ(controller().HookControl(nullptr, [](TMessage&) {}), nullptr);
  EXPECT_EQ(controller().HookWindow(nullptr, [](TMessage&) {}), nullptr);
  TcxWindowProcLinkedObject* none = nullptr;
  controller().Unhook(none);
  // An element of no chain is left alone and not freed.
  TcxWindowProcLinkedObject stray(static_cast<TControl*>(form));
  TcxWindowProcLinkedObject* p = &stray;
  controller().Unhook(p);
  EXPECT_EQ(p, &stray);
  EXPECT_EQ(controller().ChainCount(), 0);
}

// A plain window class whose procedure answers the probe itself.
LRESULT ProbeAnsweringProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kProbe) return 42;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND CreateProbeWindow() {
  WNDCLASS wc;
  if (!GetClassInfo(nullptr, "HookChainProbe", &wc)) {
    wc = WNDCLASS{};
    wc.lpfnWndProc = ProbeAnsweringProc;
    wc.lpszClassName = "HookChainProbe";
    RegisterClass(&wc);
  }
  return CreateWindowEx(0, "HookChainProbe", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

TEST_F(HookChainTest, AHandleHookReturnsTheOldProceduresAnswer) {
  HWND w = CreateProbeWindow();
  const LONG_PTR before = GetWindowLongPtr(w, GWL_WNDPROC);
  bool seen = false;
  TcxWindowProcLinkedObject* hook = nullptr;
  hook = controller().HookWindow(w, [&](TMessage& m) {
    if (m.Msg == kProbe) seen = true;
    CallPreviousWindowProc(hook, m);
  });
  EXPECT_NE(GetWindowLongPtr(w, GWL_WNDPROC), before);
  EXPECT_EQ(SendMessage(w, kProbe, 0, 0), 42);
  EXPECT_TRUE(seen);
  controller().Unhook(hook);
  EXPECT_EQ(GetWindowLongPtr(w, GWL_WNDPROC), before);
  DestroyWindow(w);
}

TEST_F(HookChainTest, AControlAndItsWindowMakeTwoChains) {
  TcxWindowProcLinkedObject *byControl = nullptr, *byHandle = nullptr;
  byControl = controller().HookControl(form, PassOn("control hook", &byControl));
  byHandle = controller().HookWindow(form->Handle(), PassOn("window hook", &byHandle));
  EXPECT_EQ(controller().ChainCount(), 2);
  EXPECT_NE(controller().FindByControl(form), controller().FindByHandle(form->Handle()));
  // The window procedure runs first; the class library then hands the message to WindowProc.
  log.clear();
  EXPECT_EQ(SendMessage(form->Handle(), kProbe, 0, 0), 7);
  EXPECT_EQ(log, (Log{"window hook", "control hook", "window"}));
  controller().Unhook(byHandle);
  controller().Unhook(byControl);
  EXPECT_EQ(controller().ChainCount(), 0);
  log.clear();
  EXPECT_EQ(SendMessage(form->Handle(), kProbe, 0, 0), 7);
  EXPECT_EQ(log, (Log{"window"}));
}

// The last hook leaves the chain from inside its own call and then still passes the message on
// through the element it kept: the element and the chain outlive the dispatch under way.
TEST_F(HookChainTest, AHookMayUnhookItselfWhileItRuns) {
  for (bool byHandle : {false, true}) {
    SCOPED_TRACE(byHandle ? "window chain" : "control chain");
    TcxWindowProcLinkedObject* hook = nullptr;
    auto body = [&](TMessage& m) {
      if (m.Msg != kProbe) {
        CallPreviousWindowProc(hook, m);
        return;
      }
      log.push_back("leaving");
      TcxWindowProcLinkedObject* kept = hook;
      controller().Unhook(hook);
      EXPECT_EQ(hook, nullptr);
      CallPreviousWindowProc(kept, m);
    };
    hook = byHandle ? controller().HookWindow(form->Handle(), body) : controller().HookControl(form, body);
    log.clear();
    EXPECT_EQ(SendMessage(form->Handle(), kProbe, 0, 0), 7);
    EXPECT_EQ(log, (Log{"leaving", "window"}));
    EXPECT_EQ(controller().ChainCount(), 0);
    EXPECT_EQ(Probe(), (Log{"window"}));
  }
}

TEST_F(HookChainTest, ShutdownRestoresHookedWindowsAndMakesNoMoreSingletons) {
  HWND w = CreateProbeWindow();
  const LONG_PTR before = GetWindowLongPtr(w, GWL_WNDPROC);
  TcxWindowProcLinkedObject* hook = nullptr;
  hook = controller().HookWindow(w, [&](TMessage& m) { CallPreviousWindowProc(hook, m); });
  TcxWindowProcLinkedObject* controlHook = nullptr;
  controlHook = controller().HookControl(form, PassOn("control hook", &controlHook));
  ASSERT_NE(MessageWindowInstance(), nullptr);

  ControlsUnitShutdown();
  unitShutDown = true;
  EXPECT_EQ(GetWindowLongPtr(w, GWL_WNDPROC), before);
  EXPECT_EQ(Probe(), (Log{"window"}));
  EXPECT_EQ(WindowProcControllerInstance(), nullptr);
  EXPECT_EQ(MessageWindowInstance(), nullptr);
  EXPECT_EQ(SystemControllerInstance, nullptr);
  DestroyWindow(w);
}

}  // namespace
