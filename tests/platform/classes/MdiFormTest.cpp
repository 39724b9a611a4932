// MDI forms: a main form with fsMDIForm holds documents with fsMDIChild in its client window,
// under its aligned controls; the active document, the list of them, the window menu, a
// document's main menu merged into the main form's, and maximizing, restoring and closing.
#include "platform/classes/Menus.h"
#include "platform/win/Mdi.h"
#include "platform/win/Menu.h"
#include "tests/platform/classes/FormFixture.h"
#include "tests/support/Artifacts.h"

namespace formtest {
namespace {

using namespace win;

class MdiFormTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    main = static_cast<TForm*>(Application->CreateForm(TForm::StaticClass()));
    main->SetFormStyle(fsMDIForm);
    main->SetBounds(30, 30, 640, 460);
    main->SetCaption("Console");
    auto* menu = new TMainMenu(main);
    file = AddItem(menu->Items(), "&File", 0);
    AddItem(file, "E&xit", 0);
    window = AddItem(menu->Items(), "&Window", 9);
    AddItem(window, "&Tile", 0);
    main->SetMenu(menu);
    main->SetWindowMenu(window);
    toolbar = new TDemoPanel(main);
    toolbar->SetParent(main);
    toolbar->SetAlign(alTop);
    toolbar->SetHeight(30);
    main->Show();
    one = MakeChild("One", 10, 10);
    two = MakeChild("Two", 120, 90);
    Pump();
  }
  TMenuItem* AddItem(TMenuItem* parent, const String& caption, int group) {
    auto* item = new TMenuItem(main);
    item->SetCaption(caption);
    item->SetGroupIndex(static_cast<std::uint8_t>(group));
    parent->Add(item);
    return item;
  }
  TForm* MakeChild(const String& caption, int x, int y) {
    auto* f = new TForm(Application, 0);
    f->SetFormStyle(fsMDIChild);
    f->SetCaption(caption);
    f->SetBounds(x, y, 260, 180);
    f->OnActivate = [this, f](TObject*) { activated.push_back(f->Caption()); };
    f->Show();
    return f;
  }
  HMENU Bar() { return GetMenu(main->Handle()); }
  std::string BarText(int pos) {
    char buf[64] = {};
    GetMenuString(Bar(), static_cast<UINT>(pos), buf, sizeof buf, MF_BYPOSITION);
    return buf;
  }

  TForm* main = nullptr;
  TForm* one = nullptr;
  TForm* two = nullptr;
  TMenuItem* file = nullptr;
  TMenuItem* window = nullptr;
  TDemoPanel* toolbar = nullptr;
  std::vector<String> activated;
};

TEST_F(MdiFormTest, DocumentsLiveInTheClientUnderTheAlignedControls) {
  HWND client = main->ClientHandle();
  ASSERT_NE(client, nullptr);
  EXPECT_EQ(GetParent(one->Handle()), client);
  RECT cr, tr;
  GetWindowRect(client, &cr);
  GetWindowRect(toolbar->Handle(), &tr);
  EXPECT_EQ(cr.top, tr.bottom);
  // The client follows the frame's size, below the aligned panel.
  main->SetBounds(30, 30, 700, 500);
  GetWindowRect(client, &cr);
  GetWindowRect(toolbar->Handle(), &tr);
  EXPECT_EQ(cr.top, tr.bottom);
  EXPECT_EQ(cr.right - cr.left, main->ClientWidth());

  EXPECT_EQ(main->ActiveMDIChild(), two);
  EXPECT_TRUE(two->Active());
  EXPECT_FALSE(one->Active());
  ASSERT_EQ(main->MDIChildCount(), 2);
  EXPECT_EQ(main->MDIChildren(0), two);
  EXPECT_EQ(main->MDIChildren(1), one);
  EXPECT_EQ(main->MDIChildren(2), nullptr);
  EXPECT_EQ(activated, (std::vector<String>{"One", "Two"}));
  // Bounds are the client's coordinates.
  EXPECT_EQ(one->Left(), 10);

  // The window menu lists them.
  HMENU windows = GetSubMenu(Bar(), 1);
  ASSERT_EQ(GetMenuItemCount(windows), 4);
  char buf[32];
  GetMenuString(windows, 2, buf, sizeof buf, MF_BYPOSITION);
  EXPECT_STREQ(buf, "&1 One");

  // A click activates a document; the keyboard's next-window command goes round.
  ClickAt(At(one, 100, 100));
  EXPECT_EQ(main->ActiveMDIChild(), one);
  EXPECT_EQ(Screen->ActiveForm(), one);
  main->Next();
  EXPECT_EQ(main->ActiveMDIChild(), two);
  main->Previous();
  EXPECT_EQ(main->ActiveMDIChild(), one);

  // Without an MDI main form a document cannot be made.
  auto* stray = new TForm(main, 0);
  main->SetFormStyle(fsNormal);
  EXPECT_EQ(main->ClientHandle(), nullptr);
  EXPECT_FALSE(one->HandleAllocated());
  stray->SetFormStyle(fsMDIChild);
  EXPECT_THROW(stray->HandleNeeded(), EInvalidOperation);
}

TEST_F(MdiFormTest, TheActiveDocumentsMenuJoinsTheMainMenu) {
  auto* menu = new TMainMenu(one);
  auto* edit = new TMenuItem(one);
  edit->SetCaption("&Edit");
  edit->SetGroupIndex(1);
  menu->Items()->Add(edit);
  auto* copy = new TMenuItem(one);
  copy->SetCaption("&Copy");
  int copies = 0;
  copy->SetOnClick([&](TObject*) { ++copies; });
  edit->Add(copy);
  auto* own = new TMenuItem(one);
  own->SetCaption("&Window");  // replaces the main form's group 9
  own->SetGroupIndex(9);
  menu->Items()->Add(own);
  one->SetMenu(menu);

  EXPECT_EQ(GetMenuItemCount(Bar()), 2);
  one->SetFocus();
  EXPECT_EQ(main->ActiveMDIChild(), one);
  ASSERT_EQ(GetMenuItemCount(Bar()), 3);
  EXPECT_EQ(BarText(0), "&File");
  EXPECT_EQ(BarText(1), "&Edit");
  EXPECT_EQ(BarText(2), "&Window");
  EXPECT_EQ(GetSubMenu(Bar(), 2), nullptr);  // the document's own, a command
  SendMessage(main->Handle(), WM_COMMAND, copy->Command(), 0);
  EXPECT_EQ(copies, 1);

  // Maximized, it lends the bar its window menu and buttons as well.
  one->SetWindowState(wsMaximized);
  EXPECT_EQ(one->WindowState(), wsMaximized);
  ASSERT_EQ(GetMenuItemCount(Bar()), 7);
  EXPECT_EQ(GetSubMenu(Bar(), 0), GetSystemMenu(one->Handle(), FALSE));
  EXPECT_EQ(BarText(2), "&Edit");
  Pump();
  Headless().SaveScreenshot(testsupport::ArtifactPath("mdi_forms_maximized.png"));

  // Another document active: the menu goes back, and the maximized state moves on.
  two->SetFocus();
  EXPECT_EQ(main->ActiveMDIChild(), two);
  EXPECT_EQ(two->WindowState(), wsMaximized);
  EXPECT_EQ(one->WindowState(), wsNormal);
  ASSERT_EQ(GetMenuItemCount(Bar()), 6);
  EXPECT_EQ(BarText(1), "&File");
  EXPECT_EQ(BarText(2), "&Window");
  SendMessage(main->Handle(), WM_COMMAND, copy->Command(), 0);
  EXPECT_EQ(copies, 1);

  // Closing a document minimizes it unless its handler frees it.
  two->SetWindowState(wsNormal);
  two->Close();
  EXPECT_EQ(two->WindowState(), wsMinimized);
  one->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
  one->Close();
  Pump();
  EXPECT_EQ(main->MDIChildCount(), 1);
  Pump();
  Headless().SaveScreenshot(testsupport::ArtifactPath("mdi_forms_minimized.png"));
}

}  // namespace
}  // namespace formtest
