// The sub-menu editor: its menu hangs below the caption bar, follows it and closes with it.
#include <gtest/gtest.h>

#include "platform/win/Keys.h"
#include "tests/ui/bars/BarEditorFormsFixture.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarPopupMenu.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarSubMenuEditor.h"

namespace {

using namespace win;

class BarSubMenuEditorTest : public BarEditorFormsFixture {
 protected:
  void SetUp() override {
    BarEditorFormsFixture::SetUp();
    Menu = new TdxBarPopupMenu(Form);
    Menu->SetBarManager(Manager);
    for (const char* caption : {"Power on", "Power off", "Recall scene"}) {
      auto* item = new TdxBarButton(Form);
      item->SetCaption(caption);
      Menu->ItemLinks()->AddItem(item);
    }
  }
  void TearDown() override {
    if (SubMenuEditorInstance) TObject::Free(SubMenuEditorInstance);
    BarEditorFormsFixture::TearDown();
  }
  // A point of the editor's window frame that answers the hit-test code, scanning its caption row.
  static POINT FramePoint(TForm* AEditor, LRESULT ACode) {
    const TRect r = AEditor->BoundsRect();
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Right - 1; x >= r.Left; --x)
        if (SendMessage(AEditor->Handle(), WM_NCHITTEST, 0, MAKELPARAM(x, y)) == ACode) return POINT{x, y + 2};
    ADD_FAILURE() << "no point answers " << ACode;
    return POINT{};
  }
  TdxBarSubMenuEditor* Open() {
    ShowSubMenuEditor(Menu->ItemLinks());
    Application->ProcessMessages();
    return SubMenuEditorInstance;
  }

  TdxBarPopupMenu* Menu = nullptr;
};

TEST_F(BarSubMenuEditorTest, TheMenuHangsBelowTheCaptionBarAndFollowsIt) {
  TdxBarSubMenuEditor* editor = Open();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(Manager->IsCustomizing());
  EXPECT_EQ(editor->ClientHeight(), 0);
  EXPECT_EQ(editor->Caption(), "Bars SubMenu Editor");
  const DWORD style = static_cast<DWORD>(GetWindowLong(editor->Handle(), GWL_STYLE));
  EXPECT_EQ(style & 0x84C80000u, 0x84C80000u);
  EXPECT_EQ(style & WS_THICKFRAME, 0u);
  TdxBarSubMenuControl* menu = editor->SubMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(IsWindowVisible(menu->Handle()));
  EXPECT_EQ(menu->Left(), editor->Left());
  EXPECT_EQ(menu->Top(), editor->Top() + editor->Height());
  EXPECT_EQ(editor->Width(), menu->Width());
  SaveScreenArea("bar_submenu_editor.png",
                 TRect{editor->Left(), editor->Top(), editor->Left() + editor->Width() + 4,
                       menu->Top() + menu->Height() + 4},
                 2);

  editor->SetBounds(editor->Left() + 40, editor->Top() + 30, editor->Width(), editor->Height());
  Application->ProcessMessages();
  EXPECT_EQ(editor->SubMenu(), menu);
  EXPECT_EQ(menu->Left(), editor->Left());
  EXPECT_EQ(menu->Top(), editor->Top() + editor->Height());

  MINMAXINFO info{};
  SendMessage(editor->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  for (const POINT& p : {info.ptMaxSize, info.ptMinTrackSize, info.ptMaxTrackSize}) {
    EXPECT_EQ(p.x, menu->Width());
    EXPECT_EQ(p.y, editor->Height());
  }
}

// A press on the close button closes the menu; released off the button (here: Escape ends the
// button's tracking), the editor stays. A press on the caption opens the menu again.
TEST_F(BarSubMenuEditorTest, APressOnTheCaptionReopensAClosedMenu) {
  TdxBarSubMenuEditor* editor = Open();
  ASSERT_NE(editor->SubMenu(), nullptr);
  auto pressFrame = [&](LRESULT ACode) {
    const POINT p = FramePoint(editor, ACode);
    PostMessage(editor->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessage(editor->Handle(), WM_NCLBUTTONDOWN, static_cast<WPARAM>(ACode), MAKELPARAM(p.x, p.y));
    Application->ProcessMessages();
  };
  pressFrame(HTCLOSE);
  ASSERT_EQ(SubMenuEditorInstance, editor);
  EXPECT_EQ(editor->SubMenu(), nullptr);
  pressFrame(HTCAPTION);
  ASSERT_NE(editor->SubMenu(), nullptr);
  EXPECT_TRUE(IsWindowVisible(editor->SubMenu()->Handle()));
  EXPECT_EQ(editor->SubMenu()->Top(), editor->Top() + editor->Height());
}

TEST_F(BarSubMenuEditorTest, AnOpenCustomizationDialogShowsItsCommandsPage) {
  std::vector<TdxBarManager*> shown;
  dxBarCustomizingFormShowCommandsPage = [&](TdxBarManager* AManager) { shown.push_back(AManager); };
  auto* dialog = new TItemFixtureForm(Form);
  Manager->SetCustomizingForm(dialog);
  Open();
  dxBarCustomizingFormShowCommandsPage = nullptr;
  Manager->SetCustomizingForm(nullptr);
  EXPECT_EQ(shown, std::vector<TdxBarManager*>{Manager});
}

TEST_F(BarSubMenuEditorTest, ClosingTheEditorClosesTheMenu) {
  TdxBarSubMenuEditor* editor = Open();
  ASSERT_NE(editor->SubMenu(), nullptr);
  editor->Close();
  Application->ProcessMessages();
  EXPECT_EQ(SubMenuEditorInstance, nullptr);
  EXPECT_EQ(Menu->ItemLinks()->BarControl(), nullptr);
}

TEST_F(BarSubMenuEditorTest, FreeingTheLinksOwnerFreesTheEditor) {
  ASSERT_NE(Open(), nullptr);
  TObject::Free(Menu);
  Menu = nullptr;
  Application->ProcessMessages();
  EXPECT_EQ(SubMenuEditorInstance, nullptr);
}

}  // namespace
