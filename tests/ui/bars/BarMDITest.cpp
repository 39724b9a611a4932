// An MDI main form with a main menu bar (File, Window) and two documents, each with a manager and
// a main menu bar of its own (Edit, Tools): the maximized document's window menu on the main menu
// bar, the documents' menus merged into it, the state handlers, and the window menu's commands.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Menus.h"
#include "platform/win/Mdi.h"
#include "platform/win/Menu.h"
#include "tests/support/Icons.h"
#include "tests/ui/bars/BarToolbarFixture.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarMDI.h"
#include "ui/foundation/ObjectLinks.h"

namespace {

using namespace win;

// One document: its form, manager and main menu bar.
struct TDocument {
  String Name;
  // Kept apart from the form, which may be gone when a handler asks.
  HWND Window = nullptr;
  TForm* Form = nullptr;
  TdxBarManager* Manager = nullptr;
  TdxBar* Menu = nullptr;
};

class BarMDITest : public BarToolbarFixture {
 protected:
  // The Standard style takes a double click as a second press.
  BarMDITest() : BarToolbarFixture(bmsEnhanced) {}
  void SetUp() override {
    BarToolbarFixture::SetUp();
    Form->SetFormStyle(fsMDIForm);
    Form->SetBounds(0, 0, 640, 480);
    ASSERT_NE(Form->ClientHandle(), nullptr);
    MainMenu = MakeMenuBar(Form, M, {"File", "Window"}, 60, 500);
    M->OnMerge = [this](TdxBarManager*, TdxBarManager* AChild, bool AAdd) {
      Merges.push_back((AAdd ? "merge " : "unmerge ") + AChild->Owner()->Name());
    };
    M->MDIStateChangedHandlers()->Handlers.push_back([this](TObject*, const void* AArgs) {
      const auto* data = static_cast<const TdxBarMDIStateChangeEventData*>(AArgs);
      static const char* const kinds[] = {"activated ", "deactivated ", "maximized "};
      const TDocument* d = DocumentOf(data->Wnd);
      States.push_back(kinds[data->Change] + (d ? d->Name : String("?")));
    });
    One = MakeDocument("One", 10, RGB(200, 0, 0));
    Two = MakeDocument("Two", 120, RGB(0, 0, 200));
    // The last document made is active.
    SendMessage(Form->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(One.Form->Handle()), 0);
    Pump();
    Merges.clear();
    States.clear();
  }
  void TearDown() override {
    // A document closed by the test has freed itself.
    for (TDocument* d : {&One, &Two})
      if (d->Form && Application->FindComponent(d->Name) == d->Form) delete d->Form;
    BarToolbarFixture::TearDown();
    for (HICON icon : Icons) DestroyIcon(icon);
  }

  static TdxBar* MakeMenuBar(TComponent* AOwner, TdxBarManager* AManager, std::vector<String> ACaptions, int ALeft,
                             int ATop, bool AMainMenu = true) {
    auto* bar = new TdxBar(AOwner);
    bar->AttachToParent(AManager);
    bar->SetCaption("Main Menu");
    for (const String& caption : ACaptions) {
      auto* item = new TdxBarSubItem(AOwner);
      item->SetCaption(caption);
      bar->ItemLinks()->AddItem(item);
    }
    bar->SetIsMainMenu(AMainMenu);
    bar->SetFloatLeft(ALeft);
    bar->SetFloatTop(ATop);
    bar->SetFloatClientWidth(360);
    bar->SetDockingStyle(dsNone);
    bar->SetVisible(true);
    return bar;
  }
  TDocument MakeDocument(const String& AName, int ALeft, COLORREF AIcon, bool AManager = true) {
    TDocument d;
    d.Form = new TForm(Application, 0);
    d.Form->SetName(AName);
    d.Form->SetFormStyle(fsMDIChild);
    d.Form->SetCaption(AName);
    d.Form->SetBounds(ALeft, 10, 260, 180);
    d.Form->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
    d.Form->Show();
    d.Name = AName;
    d.Window = d.Form->Handle();
    Icons.push_back(testsupport::MakeSolidIcon(16, AIcon));
    SendMessage(d.Form->Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icons.back()));
    if (AManager) {
      d.Manager = new TdxBarManager(d.Form);
      d.Menu = MakeMenuBar(d.Form, d.Manager, {"Edit", "Tools"}, 700, 40 + ALeft);
    }
    Pump();
    return d;
  }
  const TDocument* DocumentOf(HWND AWindow) const {
    for (const TDocument* d : {&One, &Two})
      if (d->Window == AWindow) return d;
    return nullptr;
  }
  void Maximize(const TDocument& D) {
    SendMessage(Form->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(D.Form->Handle()), 0);
  }
  void Restore(const TDocument& D) {
    SendMessage(Form->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(D.Form->Handle()), 0);
    Pump();
  }
  static std::vector<String> Captions(TdxBarItemLinks* ALinks) {
    std::vector<String> result;
    for (int i = 0; i < ALinks->Count(); ++i) result.push_back(ALinks->Items(i)->Item()->Caption());
    return result;
  }
  TSystemMenuSubItem* SystemItem() const {
    TdxBarItemLinks* links = MainMenu->ItemLinks();
    return links->Count() > 0 ? dynamic_cast<TSystemMenuSubItem*>(links->Items(0)->Item()) : nullptr;
  }
  static TPoint ScreenCentre(TCustomdxBarControl* ABar, const TRect& R) {
    POINT p{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    ClientToScreen(ABar->Handle(), &p);
    return {p.x, p.y};
  }
  static void MoveTo(const TPoint& P) {
    platform::Headless()->InjectMouseMove(P.X, P.Y);
    Pump();
  }
  static void Click(const TPoint& P) {
    MoveTo(P);
    platform::Headless()->InjectMouseButton(1, true);
    Pump();
    platform::Headless()->InjectMouseButton(1, false);
    Pump();
  }
  // Drops the window menu down from the icon on the main menu bar.
  TCustomdxBarControl* OpenSystemMenu() {
    TdxBarItemControl* icon = MainMenu->ItemLinks()->Items(0)->Control();
    EXPECT_NE(icon, nullptr);
    if (!icon) return nullptr;
    Click(ScreenCentre(MainMenu->Control(), icon->ItemRect()));
    return SystemItem() ? SystemItem()->ItemLinks()->BarControl() : nullptr;
  }

  TdxBar* MainMenu = nullptr;
  TDocument One, Two;
  std::vector<HICON> Icons;
  std::vector<String> Merges, States;
};

TEST_F(BarMDITest, AMaximizedDocumentLendsItsIconAndMenuUntilItIsRestored) {
  Maximize(One);
  MSG pending{};
  EXPECT_TRUE(PeekMessage(&pending, MainMenu->Control()->Handle(), 0x80C8, 0x80C8, PM_NOREMOVE))
      << "the bar is told to update its MDI buttons";
  Pump();
  ASSERT_TRUE(M->ChildMaximized());
  TSystemMenuSubItem* item = SystemItem();
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Child(), One.Form->Handle());
  EXPECT_EQ(M->ItemList()->IndexOf(item), -1) << "an internal item, out of the manager's list";
  EXPECT_EQ(M->InternalItemCount(), 1);
  EXPECT_EQ(Captions(MainMenu->ItemLinks()), (std::vector<String>{"", "File", "Window", "Edit", "Tools"}));
  EXPECT_FALSE(One.Menu->Visible());
  EXPECT_EQ(Merges, (std::vector<String>{"merge One"}));
  EXPECT_TRUE(MainMenu->Control()->ShowsMDIButtons());
  const TRect button = MainMenu->Control()->MDIButtonRect(0);
  EXPECT_GT(button.Right, button.Left);

  // The icon, drawn over the item's whole rectangle.
  TdxBarControl* bar = MainMenu->Control();
  MainMenu->Control()->Repaint();
  const TRect r = MainMenu->ItemLinks()->Items(0)->Control()->ItemRect();
  EXPECT_EQ(r.Right - r.Left, GetSystemMetrics(SM_CXSMICON));
  HDC dc = GetDC(bar->Handle());
  EXPECT_EQ(GetPixel(dc, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2), RGB(200, 0, 0));
  ReleaseDC(bar->Handle(), dc);
  RECT w;
  GetWindowRect(bar->Handle(), &w);
  SaveScreenArea("bars/mdi_main_menu_maximized.png", TRect(w.left, w.top, w.right, w.bottom));

  Restore(One);
  EXPECT_FALSE(M->ChildMaximized());
  EXPECT_EQ(SystemItem(), nullptr);
  EXPECT_EQ(M->InternalItemCount(), 0);
  EXPECT_EQ(Captions(MainMenu->ItemLinks()), (std::vector<String>{"File", "Window"}));
  EXPECT_TRUE(One.Menu->Visible());
  EXPECT_EQ(Merges, (std::vector<String>{"merge One", "unmerge One"}));
  EXPECT_FALSE(MainMenu->Control()->ShowsMDIButtons());
}

TEST_F(BarMDITest, WithAlwaysMergeActivationMergesAndMaximizingOnlyAddsTheIcon) {
  M->SetAlwaysMerge(true);
  SendMessage(Form->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Two.Form->Handle()), 0);
  Pump();
  EXPECT_EQ(Merges, (std::vector<String>{"unmerge One", "merge Two"}));
  EXPECT_EQ(Captions(MainMenu->ItemLinks()), (std::vector<String>{"File", "Window", "Edit", "Tools"}));
  Merges.clear();
  States.clear();
  Maximize(Two);
  Pump();
  ASSERT_NE(SystemItem(), nullptr);
  EXPECT_EQ(Captions(MainMenu->ItemLinks()).size(), 5u);
  Restore(Two);
  EXPECT_EQ(SystemItem(), nullptr);
  EXPECT_EQ(Captions(MainMenu->ItemLinks()), (std::vector<String>{"File", "Window", "Edit", "Tools"}));
  EXPECT_TRUE(Merges.empty()) << "maximizing and restoring leave the merge alone";
  EXPECT_EQ(States, (std::vector<String>{"maximized Two", "maximized Two"}));
}

TEST_F(BarMDITest, SwitchingBetweenMaximizedDocumentsDeactivatesTheOldOneFirst) {
  Maximize(One);
  Pump();
  States.clear();
  Merges.clear();
  SendMessage(Form->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Two.Form->Handle()), 0);
  Pump();
  ASSERT_TRUE(M->ChildMaximized()) << "the maximized state passes on";
  // The client may pass the maximized state on after the activation: a change of its own then.
  ASSERT_GE(States.size(), 2u);
  EXPECT_EQ(States[0], "deactivated One");
  EXPECT_EQ(States[1], "activated Two");
  EXPECT_EQ(Merges, (std::vector<String>{"unmerge One", "merge Two"}));
  ASSERT_NE(SystemItem(), nullptr);
  EXPECT_EQ(SystemItem()->Child(), Two.Form->Handle());
  EXPECT_EQ(M->InternalItemCount(), 1) << "the old document's item is gone";
  EXPECT_TRUE(One.Menu->Visible());
  EXPECT_FALSE(Two.Menu->Visible());
}

TEST_F(BarMDITest, OnMenuMergeReplacesTheBarMerge) {
  std::vector<String> events;
  M->OnMenuMerge = [&](TdxBarManager*, TdxBarManager* AChild, bool AAdd) {
    events.push_back((AAdd ? "add " : "remove ") + AChild->Owner()->Name());
  };
  Maximize(One);
  Pump();
  EXPECT_EQ(events, (std::vector<String>{"add One"}));
  EXPECT_EQ(Captions(MainMenu->ItemLinks()), (std::vector<String>{"", "File", "Window"}));
  EXPECT_EQ(One.Menu->MergeData()->MergedWith, MainMenu) << "recorded as merged";
  EXPECT_FALSE(One.Menu->Visible());
  EXPECT_EQ(Merges, (std::vector<String>{"merge One"}));
  Restore(One);
  EXPECT_EQ(events, (std::vector<String>{"add One", "remove One"}));
  EXPECT_EQ(One.Menu->MergeData()->MergedWith, nullptr);
  EXPECT_TRUE(One.Menu->Visible());
  M->OnMenuMerge = nullptr;
}

LRESULT PlainDocumentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefMDIChildProc(hwnd, msg, wParam, lParam);
}

TEST_F(BarMDITest, DocumentsWithoutManagerOrWindowMenuAreLeftAsTheyAre) {
  TDocument bare = MakeDocument("Bare", 200, RGB(0, 200, 0), false);
  Merges.clear();
  Maximize(bare);
  Pump();
  EXPECT_NE(SystemItem(), nullptr) << "it has a window menu";
  EXPECT_TRUE(Merges.empty()) << "no manager: no merge and no OnMerge";
  EXPECT_EQ(Captions(MainMenu->ItemLinks()), (std::vector<String>{"", "File", "Window"}));
  delete bare.Form;
  Pump();

  WNDCLASS wc{};
  wc.lpfnWndProc = PlainDocumentProc;
  wc.lpszClassName = "BarMDIPlainDocument";
  RegisterClass(&wc);
  HWND plain = CreateWindowEx(WS_EX_MDICHILD, "BarMDIPlainDocument", "Plain", WS_CHILD | WS_CAPTION | WS_VISIBLE, 10,
                              10, 200, 150, Form->ClientHandle(), nullptr, nullptr, nullptr);
  ASSERT_NE(plain, nullptr);
  ASSERT_EQ(GetSystemMenu(plain, FALSE), nullptr);
  SendMessage(Form->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(plain), 0);
  Pump();
  ASSERT_TRUE(M->ChildMaximized());
  EXPECT_EQ(SystemItem(), nullptr);
  EXPECT_EQ(M->InternalItemCount(), 0);
  DestroyWindow(plain);
  Pump();
  UnregisterClass("BarMDIPlainDocument", nullptr);
}

TEST_F(BarMDITest, TheWindowMenuOpensAsBarCommandsMadeAfreshEachTime) {
  Maximize(One);
  Pump();
  HMENU system = GetSystemMenu(One.Form->Handle(), FALSE);
  CheckMenuItem(system, SC_MOVE, MF_BYCOMMAND | MF_CHECKED);
  HMENU more = CreatePopupMenu();
  AppendMenu(more, MF_STRING, 0x1230, "&Inner");
  AppendMenu(system, MF_POPUP, reinterpret_cast<UINT_PTR>(more), "&More");
  TCustomdxBarControl* menu = OpenSystemMenu();
  ASSERT_NE(menu, nullptr);
  TSystemMenuSubItem* item = SystemItem();
  TdxBarItemLinks* links = item->ItemLinks();
  ASSERT_EQ(Captions(links), (std::vector<String>{"&Restore", "&Move", "&Size", "Mi&nimize", "Ma&ximize", "&Close",
                                                    "Nex&t", "&More"}));
  std::vector<bool> groups;
  for (int i = 0; i < links->Count(); ++i) groups.push_back(links->Items(i)->BeginGroup());
  EXPECT_EQ(groups, (std::vector<bool>{false, false, false, false, false, true, true, false}));
  // A sub-menu becomes a sub-item, its entries within it once sub-items hold links.
  auto* sub = dynamic_cast<TdxBarSubItem*>(links->Items(7)->Item());
  ASSERT_NE(sub, nullptr);
  if (TdxBarItemLinks* inner = sub->ItemLinks()) {
    EXPECT_EQ(Captions(inner), (std::vector<String>{"&Inner"}));
  }
  auto* close = dynamic_cast<TdxBarButton*>(links->Items(5)->Item());
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->ShortCut(), TextToShortCut("Ctrl+F4"));
  EXPECT_EQ(close->Tag(), static_cast<std::intptr_t>(SC_CLOSE));
  EXPECT_FALSE(close->Glyph()->Empty()) << "DXBARCLOSE";
  auto* move = static_cast<TdxBarButton*>(links->Items(1)->Item());
  EXPECT_EQ(move->ButtonStyle(), bsChecked);
  EXPECT_TRUE(move->Down());
  EXPECT_FALSE(links->Items(4)->Item()->Enabled()) << "maximize is grayed while maximized";
  EXPECT_TRUE(links->Items(0)->Item()->Enabled());
  EXPECT_EQ(M->ItemList()->IndexOf(close), -1);
  RECT w;
  GetWindowRect(menu->Handle(), &w);
  RECT b;
  GetWindowRect(MainMenu->Control()->Handle(), &b);
  SaveScreenArea("bars/mdi_system_menu.png", TRect(b.left, b.top, std::max(b.right, w.right), w.bottom));

  // Opened again, the first commands are freed and new ones made.
  TcxObjectLinkScope firstClose(close);
  MainMenu->Control()->CloseUp();
  Pump();
  menu = OpenSystemMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(firstClose.Alive());
  EXPECT_GE(item->GeneratedItems()->Count(), 8);

  // A click on Minimize minimizes the document.
  TdxBarItemControl* minimize = links->Items(3)->Control();
  ASSERT_NE(minimize, nullptr);
  Click(ScreenCentre(menu, minimize->ItemRect()));
  EXPECT_TRUE(IsIconic(One.Form->Handle()));
}

TEST_F(BarMDITest, ADoubleClickOnTheIconClosesTheDocumentAndTheCommandsReachIt) {
  Maximize(One);
  Pump();
  TdxBarItemControl* icon = MainMenu->ItemLinks()->Items(0)->Control();
  ASSERT_NE(icon, nullptr);
  const TPoint p = ScreenCentre(MainMenu->Control(), icon->ItemRect());
  const HWND one = One.Form->Handle();
  Click(p);
  Click(p);
  EXPECT_FALSE(IsWindow(one));
  One.Form = nullptr;
  ASSERT_NE(SystemItem(), nullptr) << "the next document, maximized in turn";
  EXPECT_EQ(SystemItem()->Child(), Two.Form->Handle());

  const HWND two = Two.Form->Handle();
  ASSERT_EQ(M->ActiveMDIChild(), two);
  M->ExecuteMDICommand(0);
  EXPECT_TRUE(IsIconic(two));
  M->ExecuteMDICommand(1);
  EXPECT_FALSE(IsIconic(two));
  M->ExecuteMDICommand(2);
  Pump();
  EXPECT_FALSE(IsWindow(two));
  EXPECT_EQ(M->ActiveMDIChild(), nullptr);
}

TEST_F(BarMDITest, CustomizingPutsMergesAsideUntilItEnds) {
  // A toolbar made to take a document's other toolbar.
  TdxBar* taker = MakeMenuBar(Form, M, {"Main"}, 60, 560, false);
  taker->MergeData()->CreatedByMerging = true;
  TdxBar* tools = MakeMenuBar(One.Form, One.Manager, {"Draw"}, 700, 300, false);
  taker->Merge(tools);
  Maximize(One);
  Pump();
  ASSERT_FALSE(One.Menu->Visible());

  M->SetCustomizing(true);
  EXPECT_EQ(Captions(MainMenu->ItemLinks()), (std::vector<String>{"", "File", "Window"}));
  EXPECT_TRUE(One.Menu->Visible());
  EXPECT_TRUE(tools->Visible());
  TcxObjectLinkScope takerAlive(taker);
  ASSERT_TRUE(takerAlive.Alive()) << "kept, hidden, instead of freed";
  EXPECT_FALSE(taker->Visible());

  M->SetCustomizing(false);
  EXPECT_EQ(Captions(MainMenu->ItemLinks()), (std::vector<String>{"", "File", "Window", "Edit", "Tools"}));
  EXPECT_FALSE(One.Menu->Visible());
  EXPECT_FALSE(tools->Visible());
  EXPECT_TRUE(taker->Visible());
  EXPECT_EQ(Captions(taker->ItemLinks()), (std::vector<String>{"Main", "Draw"}));
}

TEST_F(BarMDITest, KeyboardRoutingStaysWithTheMainFormAndTheActiveDocument) {
  SendMessage(Form->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Two.Form->Handle()), 0);
  auto* other = new TForm(Application, 0);
  other->Show();
  auto* elsewhere = new TdxBarManager(other);
  EXPECT_EQ(BarManagers->NextOfSameForm(M), Two.Manager) << "the documents in the background are passed over";
  EXPECT_EQ(BarManagers->NextOfSameForm(Two.Manager), M);
  EXPECT_EQ(BarManagers->PreviousOfSameForm(M), Two.Manager);
  EXPECT_EQ(BarManagers->NextOfSameForm(elsewhere), elsewhere) << "alone in its form";

  auto* frame = new TPanel(One.Form);
  frame->SetParent(One.Form);
  auto* control = new TPanel(frame);
  control->SetParent(frame);
  EXPECT_EQ(FormOfControl(control, bfkFirst), One.Form);
  EXPECT_EQ(FormOfControl(control, bfkTopLevelOrMDIChild), One.Form);
  EXPECT_EQ(FormOfControl(control, bfkTopLevel), Form);
  delete other;
}

}  // namespace
