#include <cstring>

#include "platform/win/Controls.h"
#include "platform/win/Keys.h"
#include "platform/win/Menu.h"
#include "tests/platform/win/ControlFixture.h"
#include "tests/support/Artifacts.h"

namespace wintest {
namespace {

using namespace win;

class MenuTest : public ControlTest {
 protected:
  HMENU MakePopup() {
    HMENU m = CreatePopupMenu();
    AppendMenu(m, MF_STRING, 101, "&Open\tCtrl+O");
    AppendMenu(m, MF_STRING | MF_GRAYED, 102, "&Save");
    AppendMenu(m, MF_SEPARATOR, 0, nullptr);
    AppendMenu(m, MF_STRING | MF_CHECKED, 103, "&Wrap lines");
    AppendMenu(m, MF_STRING, 104, "E&xit");
    return m;
  }
  // Commands that reached the form through WM_COMMAND or WM_SYSCOMMAND.
  std::vector<UINT> Commands(UINT msg = WM_COMMAND) {
    std::vector<UINT> out;
    for (const Logged& l : log)
      if (l.window == "form" && l.msg == msg && l.lParam == 0) out.push_back(msg == WM_COMMAND ? LOWORD(l.wParam) : static_cast<UINT>(l.wParam));
    return out;
  }
  void Keys(std::initializer_list<unsigned> keys) {
    for (unsigned k : keys) {
      Screen().InjectKey(k, true);
      Screen().InjectKey(k, false);
    }
  }
};

TEST_F(MenuTest, ItemsStatesStringsAndInfo) {
  HMENU m = MakePopup();
  HMENU sub = CreatePopupMenu();
  AppendMenu(sub, MF_STRING, 201, "Deep");
  AppendMenu(m, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&More");
  EXPECT_TRUE(IsMenu(m));
  EXPECT_EQ(GetMenuItemCount(m), 6);
  EXPECT_EQ(GetMenuItemID(m, 0), 101u);
  EXPECT_EQ(GetMenuItemID(m, 5), static_cast<UINT>(-1));
  EXPECT_EQ(GetSubMenu(m, 5), sub);
  EXPECT_EQ(GetMenuState(m, 5, MF_BYPOSITION), MF_POPUP | (1u << 8));
  EXPECT_EQ(GetMenuState(m, 102, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
  EXPECT_EQ(GetMenuState(m, 2, MF_BYPOSITION) & MF_SEPARATOR, MF_SEPARATOR);
  // Commands are found in sub-menus too.
  EXPECT_EQ(CheckMenuItem(m, 201, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
  EXPECT_EQ(GetMenuState(sub, 0, MF_BYPOSITION) & MF_CHECKED, MF_CHECKED);
  EXPECT_EQ(EnableMenuItem(m, 102, MF_ENABLED), static_cast<int>(MF_GRAYED));
  EXPECT_EQ(EnableMenuItem(m, 999, MF_ENABLED), -1);

  char buf[32];
  EXPECT_EQ(GetMenuString(m, 101, buf, sizeof buf, MF_BYCOMMAND), 12);
  EXPECT_STREQ(buf, "&Open\tCtrl+O");
  MENUITEMINFO mii;
  mii.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE;
  mii.dwTypeData = buf;
  mii.cch = sizeof buf;
  ASSERT_TRUE(GetMenuItemInfo(m, 3, TRUE, &mii));
  EXPECT_EQ(mii.wID, 103u);
  EXPECT_EQ(mii.fState & MFS_CHECKED, MFS_CHECKED);
  EXPECT_STREQ(buf, "&Wrap lines");
  mii.fMask = MIIM_STRING;
  mii.dwTypeData = const_cast<char*>("换行");
  ASSERT_TRUE(SetMenuItemInfo(m, 103, FALSE, &mii));
  EXPECT_EQ(GetMenuString(m, 103, buf, sizeof buf, MF_BYCOMMAND), 6);
  // An older caller's shorter structure is read without its last field.
  MENUITEMINFO small;
  small.cbSize = 44;
  small.fMask = MIIM_ID | MIIM_BITMAP;
  small.hbmpItem = HBMMENU_POPUP_CLOSE;
  ASSERT_TRUE(GetMenuItemInfo(m, 0, TRUE, &small));
  EXPECT_EQ(small.wID, 101u);
  EXPECT_EQ(small.hbmpItem, HBMMENU_POPUP_CLOSE);

  EXPECT_TRUE(SetMenuDefaultItem(m, 104, FALSE));
  EXPECT_EQ(GetMenuDefaultItem(m, FALSE, 0), 104u);
  EXPECT_EQ(GetMenuDefaultItem(m, TRUE, 0), 4u);
  EXPECT_TRUE(RemoveMenu(m, 0, MF_BYPOSITION));
  EXPECT_EQ(GetMenuItemCount(m), 5);
  // Deleting a popup item destroys its menu; removing would not.
  EXPECT_TRUE(DeleteMenu(m, 4, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(sub));
  EXPECT_TRUE(DestroyMenu(m));
  EXPECT_FALSE(IsMenu(m));
  EXPECT_EQ(GetMenuItemCount(m), -1);
}

TEST_F(MenuTest, WindowMenuFollowsTheWindowState) {
  HMENU sys = GetSystemMenu(form, FALSE);
  ASSERT_TRUE(sys);
  EXPECT_EQ(GetSystemMenu(form, FALSE), sys);
  EXPECT_EQ(GetMenuDefaultItem(sys, FALSE, 0), static_cast<UINT>(SC_CLOSE));
  MENUITEMINFO mii;
  mii.fMask = MIIM_BITMAP | MIIM_ID;
  ASSERT_TRUE(GetMenuItemInfo(sys, static_cast<UINT>(SC_MINIMIZE), FALSE, &mii));
  EXPECT_EQ(mii.hbmpItem, HBMMENU_POPUP_MINIMIZE);
  EXPECT_EQ(GetSystemMenu(form, TRUE), nullptr);
  EXPECT_FALSE(IsMenu(sys));
  HMENU loaded = LoadMenu(nullptr, reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(16)));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(loaded, 0)), 7);
  DestroyMenu(loaded);
  EXPECT_EQ(LoadMenu(nullptr, "NOSUCHMENU"), nullptr);
}

TEST_F(MenuTest, PopupPickedByKeyboardReturnsTheCommand) {
  HMENU m = MakePopup();
  SetFocus(form);
  // Down skips the separator but stops on the grayed item, which Enter cannot choose.
  Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  ClearLog();
  EXPECT_EQ(TrackPopupMenu(m, TPM_RETURNCMD | TPM_LEFTALIGN, 100, 100, 0, form, nullptr), 103);
  EXPECT_TRUE(Commands().empty());
  std::vector<std::string> seen = Names({WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_EXITMENULOOP});
  EXPECT_EQ(seen, (std::vector<std::string>{"form:0x0211", "form:0x0116", "form:0x0117", "form:0x0212"}));
  // A mnemonic chooses at once; without TPM_RETURNCMD the command is posted to the owner.
  Keys({'X'});
  ClearLog();
  EXPECT_TRUE(TrackPopupMenu(m, 0, 100, 100, 0, form, nullptr));
  Pump();
  EXPECT_EQ(Commands(), (std::vector<UINT>{104}));
  // Escape chooses nothing.
  Keys({VK_DOWN, VK_ESCAPE});
  EXPECT_EQ(TrackPopupMenu(m, TPM_RETURNCMD, 100, 100, 0, form, nullptr), 0);
  DestroyMenu(m);
}

TEST_F(MenuTest, PopupPickedByMouseReturnsTheCommandAndSubMenusOpen) {
  HMENU m = MakePopup();
  HMENU sub = CreatePopupMenu();
  AppendMenu(sub, MF_STRING, 201, "Deep one");
  AppendMenu(sub, MF_STRING, 202, "Deep two");
  AppendMenu(m, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&More");
  // Items sit below a 3-pixel border, 17 pixels apart, separators 9.
  auto itemY = [](int i) { return 100 + 3 + 17 * i + 8; };
  Screen().InjectMouseMove(130, itemY(1) + 17 + 9);  // "Wrap lines", past the separator
  Screen().InjectMouseButton(1, true);
  Screen().InjectMouseButton(1, false);
  EXPECT_EQ(TrackPopupMenu(m, TPM_RETURNCMD, 100, 100, 0, form, nullptr), 103);

  // Over "More" its sub-menu opens to the right; the second item there is picked.
  int moreY = 100 + 3 + 17 * 4 + 9 + 8;
  Screen().InjectMouseMove(130, moreY);
  Pump();
  bool inject = true;
  handlers[form] = [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT&) {
    if (msg == WM_INITMENUPOPUP && reinterpret_cast<HMENU>(wParam) == sub && inject) {
      EXPECT_EQ(LOWORD(static_cast<DWORD_PTR>(lParam)), 5);  // its position in the parent
      inject = false;
      // The sub-menu opens beside its item; find its second item once it is on screen.
      SetTimer(form, 7, 20, nullptr);
    }
    if (msg == WM_TIMER && wParam == 7) {
      KillTimer(form, 7);
      RECT r;
      EXPECT_TRUE(GetMenuItemRect(form, sub, 1, &r));
      // No pumping here: the menu's own loop must see the input.
      Screen().SaveScreenshot(testsupport::ArtifactPath("menu_popup_sub.png"));
      Screen().InjectMouseMove((r.left + r.right) / 2, (r.top + r.bottom) / 2);
      Screen().InjectMouseButton(1, true);
      Screen().InjectMouseButton(1, false);
    }
    return false;
  };
  Screen().InjectMouseMove(131, moreY);
  EXPECT_EQ(TrackPopupMenu(m, TPM_RETURNCMD, 100, 100, 0, form, nullptr), 202);
  // A click outside closes it with nothing chosen.
  Screen().InjectMouseMove(700, 600);
  Screen().InjectMouseButton(1, true);
  Screen().InjectMouseButton(1, false);
  EXPECT_EQ(TrackPopupMenu(m, TPM_RETURNCMD, 100, 100, 0, form, nullptr), 0);
  handlers.clear();
  DestroyMenu(m);
}

TEST_F(MenuTest, PopupStaysOnScreenAndHonoursAlignment) {
  HMENU m = MakePopup();
  struct Case {
    int x, y;
    UINT flags;
    bool rightOfX, belowY;
  } cases[] = {
      {100, 100, TPM_LEFTALIGN, true, true},
      {300, 300, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, false, false},
      {1020, 760, TPM_LEFTALIGN, false, false},  // flipped to fit the screen
  };
  for (const Case& c : cases) {
    RECT item{};
    handlers[form] = [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT&) {
      if (msg == WM_INITMENUPOPUP) SetTimer(form, 9, 10, nullptr);
      if (msg == WM_TIMER) {
        KillTimer(form, 9);
        GetMenuItemRect(form, m, 0, &item);
        Screen().InjectKey(VK_ESCAPE, true);
        Screen().InjectKey(VK_ESCAPE, false);
      }
      return false;
    };
    TrackPopupMenu(m, c.flags | TPM_RETURNCMD, c.x, c.y, 0, form, nullptr);
    EXPECT_EQ(item.left >= c.x, c.rightOfX) << c.x;
    EXPECT_EQ(item.top >= c.y, c.belowY) << c.y;
    EXPECT_LE(item.right, 1024);
  }
  handlers.clear();
  DestroyMenu(m);
}

TEST_F(MenuTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner) {
  HMENU m = CreatePopupMenu();
  AppendMenu(m, MF_STRING, 1, "Plain");
  AppendMenu(m, MF_OWNERDRAW, 2, reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(0x5A)));
  std::vector<std::pair<UINT, ULONG_PTR>> measured, drawn;
  handlers[form] = [&](HWND, UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg == WM_MEASUREITEM) {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      EXPECT_EQ(mis->CtlType, ODT_MENU);
      measured.push_back({mis->itemID, mis->itemData});
      mis->itemWidth = 120;
      mis->itemHeight = 40;
      result = TRUE;
      return true;
    }
    if (msg == WM_DRAWITEM) {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      drawn.push_back({dis->itemID, dis->itemData});
      EXPECT_EQ(dis->rcItem.bottom - dis->rcItem.top, 40);
      result = TRUE;
      return true;
    }
    return false;
  };
  Keys({VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ(TrackPopupMenu(m, TPM_RETURNCMD, 100, 100, 0, form, nullptr), 2);
  EXPECT_EQ(measured, (std::vector<std::pair<UINT, ULONG_PTR>>{{2, 0x5A}}));
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.front(), (std::pair<UINT, ULONG_PTR>{2, 0x5A}));
  handlers.clear();
  DestroyMenu(m);
}

TEST_F(MenuTest, AltSpaceOpensTheWindowMenu) {
  SetFocus(form);
  bool shot = false;
  handlers[form] = [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT&) {
    if (msg == WM_INITMENUPOPUP) {
      EXPECT_EQ(reinterpret_cast<HMENU>(wParam), GetSystemMenu(form, FALSE));
      EXPECT_EQ(HIWORD(static_cast<DWORD_PTR>(lParam)), 1);  // the window menu
      SetTimer(form, 4, 10, nullptr);
    }
    if (msg == WM_TIMER && wParam == 4) {
      KillTimer(form, 4);
      shot = true;
      Screen().SaveScreenshot(testsupport::ArtifactPath("menu_window.png"));
      // Minimize is the fourth item; its command goes as a system command.
      Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    }
    return false;
  };
  ClearLog();
  Screen().InjectKey(VK_MENU, true);
  Screen().InjectKey(VK_SPACE, true);
  Screen().InjectKey(VK_SPACE, false);
  Screen().InjectKey(VK_MENU, false);
  Pump();
  EXPECT_TRUE(shot);
  EXPECT_EQ(Commands(WM_SYSCOMMAND), (std::vector<UINT>{static_cast<UINT>(SC_MINIMIZE)}));
  handlers.clear();
}

class MenuBarTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenu(file, MF_STRING, 11, "&Open");
    AppendMenu(file, MF_STRING, 12, "E&xit");
    HMENU edit = CreatePopupMenu();
    AppendMenu(edit, MF_STRING, 21, "&Copy");
    AppendMenu(edit, MF_STRING, 22, "&Paste");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "系统(&S)");
    RECT before;
    GetClientRect(form, &before);
    ASSERT_TRUE(SetMenu(form, bar));
    RECT after;
    GetClientRect(form, &after);
    EXPECT_EQ(before.bottom - after.bottom, 19);
    EXPECT_EQ(GetMenu(form), bar);
    SetFocus(form);
    Pump();
  }
  HMENU bar = nullptr;
};

TEST_F(MenuBarTest, AltOpensTheBarAndArrowsWalkIt) {
  ClearLog();
  // Alt alone selects the bar; Right moves to the second menu, Down opens it, Down and Enter pick.
  Keys({VK_MENU, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN});
  Pump();
  EXPECT_EQ(Commands(), (std::vector<UINT>{22}));
  // F10 does the same; Escape twice leaves without a command.
  ClearLog();
  Keys({VK_F10, VK_DOWN, VK_ESCAPE, VK_ESCAPE});
  Pump();
  EXPECT_TRUE(Commands().empty());
  // Alt with a mnemonic opens that menu; a letter there chooses.
  ClearLog();
  Screen().InjectKey(VK_MENU, true);
  Screen().InjectKey('F', true);
  Screen().InjectKey('F', false);
  Screen().InjectKey(VK_MENU, false);
  Screen().InjectKey('X', true);
  Screen().InjectKey('X', false);
  Pump();
  EXPECT_EQ(Commands(), (std::vector<UINT>{12}));
}

TEST_F(MenuBarTest, ClickingTheBarOpensItsMenu) {
  RECT r;
  ASSERT_TRUE(GetMenuItemRect(form, bar, 1, &r));
  RECT wr;
  GetWindowRect(form, &wr);
  EXPECT_GT(r.top, wr.top + 18);  // below the caption
  bool shot = false;
  handlers[form] = [&](HWND, UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_INITMENUPOPUP) SetTimer(form, 3, 10, nullptr);
    if (msg == WM_TIMER && !shot) {
      shot = true;
      KillTimer(form, 3);
      Screen().SaveScreenshot(testsupport::ArtifactPath("menu_bar_open.png"));
      RECT item;
      HMENU edit = GetSubMenu(bar, 1);
      EXPECT_TRUE(GetMenuItemRect(form, edit, 0, &item));
      Screen().InjectMouseMove(item.left + 10, (item.top + item.bottom) / 2);
      Screen().InjectMouseButton(1, true);
      Screen().InjectMouseButton(1, false);
    }
    return false;
  };
  ClearLog();
  Click({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  Pump();
  EXPECT_TRUE(shot);
  EXPECT_EQ(Commands(), (std::vector<UINT>{21}));
  handlers.clear();
}

}  // namespace
}  // namespace wintest
