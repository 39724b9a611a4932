// The bar library's input hooks: their lifetime, the keys they take (menu keys, shortcuts,
// accelerators, keys of an editing edit item), clicks outside open bars, and the messages they
// route to the managers (activation, floating toolbars, work area, colours, help).
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "platform/win/Controls.h"
#include "platform/win/Help.h"
#include "platform/win/Hooks.h"
#include "platform/win/Mdi.h"
#include "tests/ui/bars/BarHooksFixture.h"
#include "ui/bars/BarHintWindow.h"

namespace {

using namespace win;

// A menu window of the form: its links one under another, 20 pixels each. Closing up closes this
// level only (the hook walks the levels); a press in it closes the menu opened from it, as menus do.
class TTestMenu : public TCustomdxBarControl {
  VW_CLASS(TTestMenu, TCustomdxBarControl)
 public:
  explicit TTestMenu(TComponent* AOwner) : TCustomdxBarControl(AOwner) {}
  TClass AccessibilityHelperClass() const override { return nullptr; }
  TBitmap* BackgroundBitmap() const override { return nullptr; }
  int SeparatorSize() const override { return 6; }
  bool IsMainMenu() const override { return false; }
  bool IsStatusBar() const override { return false; }
  TClass ViewInfoClass() const override { return TCustomdxBarControlViewInfo::StaticClass(); }
  void SetMarkState(int AState) override { FMarkState = AState; }
  void AssignFont() override {}
  void InvalidateItemControl(TdxBarItemControl*) override {}
  void FillBarBackground(HDC DC, const TRect& R, bool, TColor AColor, HBRUSH ABrush) override {
    FillPlainBackground(DC, R, AColor, ABrush);
  }
  void Dismiss() override {}
  int BarKind() const override { return dxBarKindMenu; }
  bool IsPopupStyle() const override { return true; }
  void DoCloseUp() override {
    ++CloseUps;
    if (KeepsOpen) return;
    SetActiveState(false);
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
  }
  int CloseUps = 0;
  bool KeepsOpen = false;

 protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomdxBarControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPSIBLINGS;
    Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (auto* form = dynamic_cast<TWinControl*>(BarManager()->Owner())) Params.WndParent = form->Handle();
  }
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_LBUTTONDOWN)
      if (TCustomdxBarControl* child = ChildBar()) child->CloseUp();
    TCustomdxBarControl::WndProc(Message);
  }
};

class BarHooksTest : public BarHooksFixture {
 protected:
  void TearDown() override {
    // Child levels first: a parent bar takes its child with it.
    for (auto it = Menus.rbegin(); it != Menus.rend(); ++it) TObject::Free(*it);
    Menus.clear();
    MenuLinks.clear();
    BarHooksFixture::TearDown();
  }
  // A menu of the items at a screen place, opened (from the parent when given) and active.
  TTestMenu* OpenMenu(int X, int Y, std::initializer_list<TdxBarItem*> AItems, TTestMenu* AParent = nullptr) {
    auto* menu = new TTestMenu(M);
    Menus.push_back(menu);
    auto* links = new TdxBarSubMenuControlItemLinks(M, nullptr);
    MenuLinks.emplace_back(links);
    for (TdxBarItem* item : AItems) links->AddItem(item);
    menu->SetItemLinks(links);
    menu->SetBounds(X, Y, 120, 20 * static_cast<int>(AItems.size()) + 4);
    menu->HandleNeeded();
    for (int i = 0; i < links->Count(); ++i) links->Items(i)->SetItemRect({2, 2 + 20 * i, 118, 22 + 20 * i});
    menu->ShowNoActivate();
    if (AParent) {
      menu->SetParentBar(AParent);
      AParent->SetChildBar(menu);
    }
    menu->SetActiveState(true);
    return menu;
  }
  // Counts the messages of a kind that reach a control.
  struct TMessageCount {
    TControl* Control;
    std::function<void(TMessage&)> Original;
    std::map<UINT, int> Counts;
    explicit TMessageCount(TControl* AControl) : Control(AControl), Original(AControl->WindowProc) {
      AControl->WindowProc = [this](TMessage& M) {
        ++Counts[M.Msg];
        Original(M);
      };
    }
    ~TMessageCount() { Control->WindowProc = Original; }
    int operator[](UINT Message) { return Counts[Message]; }
  };

  std::vector<TTestMenu*> Menus;
  std::vector<std::unique_ptr<TdxBarItemLinks>> MenuLinks;
};

// ---- registration ----

std::vector<std::pair<char, HHOOK>> gHookLog;

HHOOK LoggedInstall(int AKind, HOOKPROC AProc) {
  HHOOK hook = SetWindowsHookEx(AKind, AProc, nullptr, 0);
  gHookLog.emplace_back(AKind == WH_KEYBOARD ? 'K' : AKind == WH_MOUSE ? 'M' : AKind == WH_CALLWNDPROC ? 'W' : '?', hook);
  return hook;
}

BOOL LoggedRemove(HHOOK AHook) {
  char kind = '?';
  for (auto& entry : gHookLog)
    if (entry.second == AHook) kind = static_cast<char>(std::tolower(entry.first));
  gHookLog.emplace_back(kind, AHook);
  return UnhookWindowsHookEx(AHook);
}

std::string HookLog() {
  std::string s;
  for (auto& entry : gHookLog) s += entry.first;
  return s;
}

using BarHookLifetimeTest = BarItemFixture;

TEST_F(BarHookLifetimeTest, ThreeHooksLiveFromTheFirstManagerToTheLast) {
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

  // "&Save" and "&Save All" share S: with Alt held, the first press activates the toolbar with the
  // first selected; the toolbar, now active, takes the next press and selects the second.
  TdxBarControl* standard = Standard->Control();
  Key(VK_MENU, true);
  Press('S');
  ASSERT_EQ(ActiveBarWindow, standard);
  EXPECT_EQ(standard->SelectedControl(), ControlOf(Save));
  Press('S');
  EXPECT_EQ(standard->SelectedControl(), ControlOf(SaveAll));
  Key(VK_MENU, false);
  EXPECT_EQ(ActiveBarWindow, standard);
  EXPECT_EQ(ControlOf(Save)->Invocations + ControlOf(SaveAll)->Invocations, 0);
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

// ---- keys of an edit item ----

TEST_F(BarHooksTest, KeysTypedIntoAnEditingEditItemReachOnlyTheEdit) {
  TdxBarControl* standard = Standard->Control();
  THookControl* name = ControlOf(Name);
  const TRect r = Name->Links(0)->ItemRect();
  name->Edit = CreateWindowEx(0, "EDIT", "", WS_CHILD | WS_VISIBLE, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top,
                              standard->Handle(), nullptr, nullptr, nullptr);
  int opens = 0;
  Open->SetOnClick([&](TObject*) { ++opens; });
  standard->ActivateWithControl(name);
  ASSERT_EQ(ActiveBarWindow, standard);
  SetFocus(name->Edit);
  {
    TMessageCount bar(standard);
    Press('A');
    Press('B');
    Chord(VK_CONTROL, 'O');
    char text[16] = {};
    GetWindowText(name->Edit, text, sizeof(text));
    EXPECT_STREQ(text, "ab");
    EXPECT_EQ(bar[WM_KEYDOWN] + bar[WM_KEYUP], 0) << "no bar sees the keys";
    EXPECT_EQ(opens, 0) << "no shortcut while a bar window holds the focus";

    // Not editing: the active bar takes the key in place of the focused window.
    SetFocus(Form->Handle());
    Press('C');
    EXPECT_EQ(bar[WM_KEYDOWN], 1);
    EXPECT_EQ(bar[WM_KEYUP], 1);
  }
  DestroyWindow(name->Edit);
  name->Edit = nullptr;
  standard->CloseUp();
}

TEST_F(BarHooksTest, ADirectKeyQueryAnswersWithoutPassingTheKeyOn) {
  int opens = 0;
  Open->SetOnClick([&](TObject*) { ++opens; });
  Key(VK_CONTROL, true);
  EXPECT_TRUE(BarLibraryTakesKey('O', 0));
  EXPECT_EQ(opens, 1);
  EXPECT_FALSE(BarLibraryTakesKey('Q', 0));
  Key(VK_CONTROL, false);
  EXPECT_FALSE(DirectKeyQuery);
  KeysLocked = true;
  EXPECT_TRUE(BarLibraryTakesKey('Q', 0)) << "a dragged toolbar takes every key";
  KeysLocked = false;
}

// ---- clicks outside open bars ----

TEST_F(BarHooksTest, ClicksOutsideTwoOpenMenuLevels) {
  TTestMenu* first = OpenMenu(320, 230, {Find, Save});
  TTestMenu* second = OpenMenu(442, 250, {Search}, first);
  ASSERT_EQ(ActiveBarWindow, second);
  TMessageCount form(Form);

  Click(600, 420, 3);
  EXPECT_EQ(ActiveBarWindow, second) << "a right click outside leaves both open";
  EXPECT_TRUE(IsWindowVisible(first->Handle()));
  EXPECT_EQ(form[WM_RBUTTONDOWN] + form[WM_RBUTTONUP], 0) << "and is swallowed";

  Headless().InjectWheel(-120);
  Pump();
  EXPECT_EQ(form[WM_MOUSEWHEEL], 0) << "the wheel is consumed while a menu is open";

  Click(330, 240);
  EXPECT_EQ(ActiveBarWindow, first) << "a click in the first level closes only the second";
  EXPECT_EQ(second->CloseUps, 1);
  EXPECT_EQ(first->CloseUps, 0);

  second->ShowNoActivate();
  second->SetActiveState(true);
  Click(600, 420);
  EXPECT_EQ(ActiveBarWindow, nullptr) << "a left click outside closes both, level by level";
  EXPECT_EQ(second->CloseUps, 2);
  EXPECT_EQ(first->CloseUps, 1);
  EXPECT_EQ(form[WM_LBUTTONDOWN], 1) << "the click goes on to the form";

  Headless().InjectWheel(-120);
  Pump();
  EXPECT_EQ(form[WM_MOUSEWHEEL], 1);
}

TEST_F(BarHooksTest, ABarThatDoesNotCloseEndsTheLoop) {
  TTestMenu* menu = OpenMenu(320, 230, {Find});
  // A window that stays active on its close-up must not hold the hook.
  menu->KeepsOpen = true;
  Click(600, 420);
  EXPECT_EQ(ActiveBarWindow, menu);
  EXPECT_EQ(menu->CloseUps, 1);
  menu->KeepsOpen = false;
  menu->CloseUp();
}

// ---- floating toolbars ----

bool Shows(TdxBar* ABar) { return ABar->Control() && IsWindowVisible(ABar->Control()->Handle()); }

TEST_F(BarHooksTest, FloatingToolbarsFollowTheApplicationsActivation) {
  ASSERT_TRUE(Shows(Floating));
  const HWND form = Form->Handle();
  SendMessage(form, WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_FALSE(Shows(Floating)) << "another application took the activation";
  EXPECT_TRUE(Shows(Standard));
  SendMessage(form, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_TRUE(Shows(Floating)) << "the form became active again";

  SendMessage(form, WM_ACTIVATEAPP, FALSE, 0);
  SendMessage(form, WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_FALSE(Shows(Floating)) << "the application alone: the form is not active yet";
  SendMessage(form, WM_ACTIVATE, WA_ACTIVE, 0);

  // A modal dialog had disabled the main form: its return to the application shows them.
  EnableWindow(form, FALSE);
  SendMessage(form, WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_FALSE(Shows(Floating));
  SendMessage(form, WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_TRUE(Shows(Floating));
  EnableWindow(form, TRUE);

  // Without the option only their captions repaint.
  M->SetHideFloatingBarsWhenInactive(false);
  ASSERT_TRUE(Shows(Floating));
  TMessageCount floating(Floating->Control());
  SendMessage(form, WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_TRUE(Shows(Floating));
  EXPECT_GE(floating[WM_NCPAINT], 1);
}

TEST_F(BarHooksTest, ANewWorkAreaMovesFloatingToolbarsIntoIt) {
  TdxBarControl* window = Floating->Control();
  auto screenRect = [&] {
    RECT r;
    GetWindowRect(window->Handle(), &r);
    return TRect(r.left, r.top, r.right, r.bottom);
  };
  SetWindowPos(window->Handle(), nullptr, 1000, 700, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_EQ(screenRect(), TRect(1000, 700, 1200, 800));
  RECT work{0, 0, 1024, 738};
  SystemParametersInfo(SPI_SETWORKAREA, 0, &work, SPIF_SENDCHANGE);
  Pump();
  EXPECT_EQ(screenRect(), TRect(824, 638, 1024, 738)) << "bottom first, then right";
}

// ---- system colours ----

TEST_F(BarHooksTest, ASystemColourChangeRebuildsTheCheckerAndFlatBrushes) {
  const INT elements[] = {COLOR_BTNFACE, COLOR_BTNHIGHLIGHT};
  const COLORREF saved[] = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNHIGHLIGHT)};
  const COLORREF changed[] = {RGB(200, 40, 40), RGB(40, 40, 200)};
  const TColor flatBefore = M->FlatToolbarsColor();
  SetSysColors(2, elements, changed);
  Pump();

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT r{0, 0, 8, 8};
  FillRect(dc, &r, CheckerBrush);
  EXPECT_EQ(GetPixel(dc, 0, 0), changed[0]);
  EXPECT_EQ(GetPixel(dc, 1, 0), changed[1]);
  EXPECT_NE(M->FlatToolbarsColor(), flatBefore);
  FillRect(dc, &r, M->FlatToolbarsBrush());
  EXPECT_EQ(GetPixel(dc, 3, 3), GetNearestColor(dc, ColorToRGB(M->FlatToolbarsColor())));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  SetSysColors(2, elements, saved);
}

// ---- help ----

TEST_F(BarHooksTest, HelpForTheSelectedMenuItem) {
  Save->SetHelpContext(7);
  auto help = [&] {
    HELPINFO info;
    info.iContextType = HELPINFO_WINDOW;
    info.hItemHandle = Form->Handle();
    SendMessage(Form->Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  };
  auto openMenu = [&] {
    TTestMenu* menu = OpenMenu(320, 230, {Find, Save});
    TdxBarItemControl* save = menu->ItemLinks()->Items(1)->Control();
    menu->SelectControlByKeyboard(save);
    return menu->ControlScreenRect(save);
  };

  Form->SetBorderIcons({biSystemMenu, biHelp});
  TRect item = openMenu();
  platform::ClearWinHelpCalls();
  help();
  EXPECT_EQ(ActiveBarWindow, nullptr) << "the menu closes first";
  const HWND form = Form->Handle();
  const std::vector<platform::WinHelpCall> expected{
      {form, "", HELP_SETPOPUP_POS, static_cast<ULONG_PTR>(MAKELONG((item.Left + item.Right) / 2, item.Bottom))},
      {form, "", HELP_CONTEXTPOPUP, 7}};
  EXPECT_EQ(platform::WinHelpCalls(), expected);

  Form->SetBorderIcons({biSystemMenu});
  openMenu();
  platform::ClearWinHelpCalls();
  std::vector<std::intptr_t> contexts;
  Application->OnHelp = [&](WORD, std::intptr_t AData, bool&) {
    contexts.push_back(AData);
    return true;
  };
  help();
  Application->OnHelp = nullptr;
  EXPECT_EQ(contexts, std::vector<std::intptr_t>{7});
  EXPECT_TRUE(platform::WinHelpCalls().empty());
}

// ---- the owner's window: destruction, MDI documents, hiding and cancel mode ----

class TRecordingManager : public TdxBarManager {
  VW_CLASS(TRecordingManager, TdxBarManager)
 public:
  explicit TRecordingManager(TComponent* AOwner) : TdxBarManager(AOwner) {}
  void SaveLayoutToRegistry(const String& APath) override { Calls->push_back("registry " + APath); }
  void SaveLayoutToIniFile(const String& AFile) override { Calls->push_back("ini " + AFile); }
  void RefreshMDIState() override { Calls->push_back("mdi"); }
  std::vector<std::string>* Calls = nullptr;
};

LRESULT DocumentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) { return DefMDIChildProc(hwnd, msg, wParam, lParam); }

TEST_F(BarHookLifetimeTest, TheOwnersDestructionSavesTheLayoutAndMDIDocumentsRefreshTheState) {
  std::vector<std::string> calls;
  auto* other = new TItemFixtureForm(nullptr);
  auto* manager = new TRecordingManager(other);
  manager->Calls = &calls;
  manager->SetStoreInRegistry(true);
  manager->SetStoreInIniFile(true);
  manager->SetRegistryPath("Software\\Wall");
  manager->SetIniFileName("bars.ini");
  other->Show();
  TObject::Free(other);
  EXPECT_EQ(calls, (std::vector<std::string>{"registry \\Software\\Wall\\", "ini bars.ini"}))
      << "the registry first, then the INI file";

  // Documents of the main form's MDI client: their activation and destruction refresh its manager.
  calls.clear();
  Form->SetFormStyle(fsMDIForm);
  Form->Show();
  auto* main = new TRecordingManager(Form);
  main->Calls = &calls;
  WNDCLASS wc{};
  wc.lpfnWndProc = DocumentProc;
  wc.lpszClassName = "HookDocument";
  RegisterClass(&wc);
  HWND document = CreateWindowEx(WS_EX_MDICHILD, "HookDocument", "Document", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                 200, 150, Form->ClientHandle(), nullptr, nullptr, nullptr);
  ASSERT_NE(document, nullptr);
  const auto made = calls.size();
  EXPECT_GE(made, 1u) << "the new document's activation";
  DestroyWindow(document);
  EXPECT_GT(calls.size(), made) << "its destruction";
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "mdi"), static_cast<long>(calls.size()));
  TObject::Free(main);
}

TEST_F(BarHooksTest, HidingTheOwnerHidesFloatingToolbarsWhateverTheOption) {
  M->SetHideFloatingBarsWhenInactive(false);
  ASSERT_TRUE(Shows(Floating));
  Form->Hide();
  EXPECT_FALSE(Shows(Floating));
  Form->Show();
  EXPECT_TRUE(Shows(Floating));
}

TEST_F(BarHooksTest, CancelModeClosesAnOpenMenuAndTheMouseDownLeavesNavigation) {
  TTestMenu* menu = OpenMenu(320, 230, {Find});
  SendMessage(Form->Handle(), WM_CANCELMODE, 0, 0);
  EXPECT_EQ(ActiveBarWindow, nullptr);
  EXPECT_EQ(menu->CloseUps, 1);
  EXPECT_EQ(Navigation->Count("end"), 1) << "a key-tip wait ends without key tips";
  Navigation->Calls.clear();
  Click(600, 420);
  EXPECT_EQ(Navigation->Count("leave"), 1);
}

}  // namespace
