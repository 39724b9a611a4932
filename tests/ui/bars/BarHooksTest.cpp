// The bar library's input hooks: their lifetime, the keys they take (menu keys, shortcuts,
// accelerators, keys of an editing edit item), clicks outside open bars, and the messages they
// route to the managers (activation, floating toolbars, work area, colours, help).
#include <gtest/gtest.h>

#include "platform/win/Controls.h"
#include "platform/win/Help.h"
#include "platform/win/Hooks.h"
#include "tests/ui/bars/BarHooksFixture.h"
#include "ui/bars/BarHintWindow.h"

namespace {

using namespace win;

class BarHooksTest : public BarHooksFixture {};

// ---- registration ----

std::vector<std::pair<char, HHOOK>> gHookLog;

HHOOK LoggedInstall(int AKind, HOOKPROC AProc) {
  HHOOK hook = SetWindowsHookEx(AKind, AProc, nullptr, 0);
  gHookLog.emplace_back(AKind == WH_KEYBOARD ? 'K' : AKind == WH_MOUSE ? 'M' : AKind == WH_CALLWNDPROC ? 'W' : '?', hook);
  return hook;
}

BOOL LoggedRemove(HHOOK AHook) {
  for (auto& [kind, hook] : gHookLog)
    if (hook == AHook) gHookLog.emplace_back(static_cast<char>(std::tolower(kind)), AHook);
  return UnhookWindowsHookEx(AHook);
}

std::string HookLog() {
  std::string s;
  for (auto& entry : gHookLog) s += entry.first;
  return s;
}

TEST_F(BarItemFixture, ThreeHooksLiveFromTheFirstManagerToTheLast) {
  const TdxBarHookApi saved = BarHookApi;
  BarHookApi = {&LoggedInstall, &LoggedRemove};
  gHookLog.clear();
  EXPECT_FALSE(BarHooksInstalled());
  auto* first = new TdxBarManager(Form);
  EXPECT_EQ(HookLog(), "KMW");
  ASSERT_NE(BarHintWindow(), nullptr) << "the hint window comes with the first manager";
  auto* other = new TItemFixtureForm(nullptr);
  auto* second = new TdxBarManager(other);
  EXPECT_EQ(HookLog(), "KMW") << "only the first manager installs";
  TObject::Free(first);
  EXPECT_TRUE(BarHooksInstalled());
  EXPECT_NE(BarHintWindow(), nullptr);
  TObject::Free(other);
  (void)second;
  EXPECT_EQ(HookLog(), "KMWwmk") << "removed message, mouse, keyboard";
  EXPECT_FALSE(BarHooksInstalled());
  EXPECT_EQ(BarHintWindow(), nullptr);

  // A manager alive at shutdown: freeing the list removes them the same way.
  gHookLog.clear();
  new TdxBarManager(Form);
  BarUnitShutdown();
  EXPECT_EQ(HookLog(), "KMWwmk");
  EXPECT_EQ(BarHintWindow(), nullptr);
  BarUnitStartup();
  BarHookApi = saved;
}

// ---- menu keys ----

TEST_F(BarHooksTest, AltAloneEntersTheMainMenuOnItsRelease) {
  Press(VK_MENU);
  EXPECT_EQ(Navigation->Count("enter"), 1);
  EXPECT_EQ(Navigation->Entered, M);
  EXPECT_FALSE(AltPending);
  EXPECT_EQ(Navigation->Count("wait"), 0) << "key tips wait only where the root supports them";

  Navigation->Calls.clear();
  Navigation->KeyTips = true;
  Key(VK_MENU, true);
  EXPECT_TRUE(AltPending);
  EXPECT_EQ(Navigation->Calls, (std::vector<std::string>{"wait"}));
  Key(VK_MENU, false);
  EXPECT_EQ(Navigation->Calls, (std::vector<std::string>{"wait", "enter", "end+show"}));
}

TEST_F(BarHooksTest, MenuKeysThatDoNotEnterTheMainMenu) {
  struct Case {
    const char* name;
    std::function<void(BarHooksTest*)> keys;
    bool useF10;
  };
  const Case cases[] = {
      {"Ctrl+Alt", [](BarHooksTest* t) { t->Chord(VK_CONTROL, VK_MENU); }, true},
      {"F10 without UseF10ForMenu", [](BarHooksTest* t) { t->Press(VK_F10); }, false},
      {"Alt then a key without an accelerator", [](BarHooksTest* t) { t->Chord(VK_MENU, 'Q'); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Navigation->Calls.clear();
    M->SetUseF10ForMenu(c.useF10);
    c.keys(this);
    EXPECT_EQ(Navigation->Count("enter"), 0);
    EXPECT_FALSE(AltPending);
  }
  M->SetUseF10ForMenu(true);
  Navigation->Calls.clear();
  Press(VK_F10);
  EXPECT_EQ(Navigation->Count("enter"), 1) << "F10 with UseF10ForMenu";
}

// ---- shortcuts ----

TEST_F(BarHooksTest, ShortcutsRunTheMainFormsItemAndSurviveAThrowingHandler) {
  int opens = 0;
  Open->SetOnClick([&](TObject*) { ++opens; });
  Chord(VK_CONTROL, 'O');
  EXPECT_EQ(opens, 1);

  // From a second form only with AllowCallFromAnotherForm.
  auto* second = new TItemFixtureForm(nullptr);
  second->SetBounds(20, 20, 200, 100);
  second->Show();
  SetActiveWindow(second->Handle());
  ASSERT_EQ(GetActiveWindow(), second->Handle());
  Chord(VK_CONTROL, 'O');
  EXPECT_EQ(opens, 1);
  M->SetAllowCallFromAnotherForm(true);
  Chord(VK_CONTROL, 'O');
  EXPECT_EQ(opens, 2);
  TObject::Free(second);
  SetActiveWindow(Form->Handle());

  // A handler that throws reaches the application's error handling; the next key still works.
  std::vector<String> errors;
  Application->OnException = [&](TObject*, Exception& E) { errors.push_back(E.Message()); };
  Open->SetOnClick([&](TObject*) {
    ++opens;
    throw Exception("open failed");
  });
  Chord(VK_CONTROL, 'O');
  EXPECT_EQ(errors, std::vector<String>{"open failed"});
  Open->SetOnClick([&](TObject*) { ++opens; });
  Chord(VK_CONTROL, 'O');
  EXPECT_EQ(opens, 4);
  Application->OnException = nullptr;
}

// ---- accelerators ----

TEST_F(BarHooksTest, AUniqueAcceleratorInvokesASharedOneSelectsInTurn) {
  THookControl* file = ControlOf(File);
  file->OnInvoke = [] {};
  Chord(VK_MENU, 'F');
  EXPECT_EQ(file->Invocations, 1) << "Alt+F opens the unique \"&File\"";
  EXPECT_EQ(Navigation->Count("enter"), 0);

  // "&Save" and "&Save All" share S: the first press activates the toolbar with the first selected.
  // The active toolbar then takes the keys; its accelerator step is the toolbar's own (a double here).
  TdxBarControl* standard = Standard->Control();
  auto original = standard->WindowProc;
  standard->WindowProc = [&](TMessage& AMessage) {
    if (AMessage.Msg == WM_KEYDOWN && AMessage.WParam == 'S') {
      bool ambiguous = false;
      if (TdxBarItemLink* link = standard->FindEnabledAcceleratedLink('S', {}, ambiguous, standard->SelectedLink()))
        standard->SelectByAccelerator(link->Control(), ambiguous);
      return;
    }
    original(AMessage);
  };
  Chord(VK_MENU, 'S');
  ASSERT_EQ(ActiveBarWindow, standard);
  EXPECT_EQ(standard->SelectedControl(), ControlOf(Save));
  Chord(VK_MENU, 'S');
  EXPECT_EQ(standard->SelectedControl(), ControlOf(SaveAll));
  EXPECT_EQ(ControlOf(Save)->Invocations + ControlOf(SaveAll)->Invocations, 0);
  standard->WindowProc = original;
  standard->CloseUp();

  // An edit item's control keeps the bars open on a click: its unique accelerator selects it.
  Chord(VK_MENU, 'N');
  EXPECT_EQ(ActiveBarWindow, standard);
  EXPECT_EQ(standard->SelectedControl(), ControlOf(Name));
  EXPECT_EQ(ControlOf(Name)->Invocations, 0);
  standard->CloseUp();
  // A disabled item's accelerator is not handled.
  Search->SetEnabled(false);
  Chord(VK_MENU, 'E');
  EXPECT_EQ(ControlOf(Search)->Invocations, 0);
  EXPECT_EQ(ActiveBarWindow, nullptr);
}

}  // namespace
