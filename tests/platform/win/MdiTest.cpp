// A frame with an MDI client and two documents: activation by message, by mouse and by the window
// menu, maximizing (the document's window menu and buttons move into the frame's bar), restoring
// and closing; window icons and their 16 x 16 copies.
#include "platform/win/Mdi.h"

#include "platform/system/Version.h"
#include "platform/win/Keys.h"
#include "platform/win/Menu.h"
#include "platform/win/Metrics.h"
#include "tests/platform/win/WindowFixture.h"
#include "tests/support/Artifacts.h"
#include "tests/support/Icons.h"

namespace wintest {
namespace {

using namespace win;

HWND g_client = nullptr;

LRESULT FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto it = WindowTest::names.find(hwnd);
  if (it != WindowTest::names.end()) WindowTest::log.push_back({it->second, msg, wParam, lParam});
  return DefFrameProc(hwnd, g_client, msg, wParam, lParam);
}

LRESULT DocumentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto it = WindowTest::names.find(hwnd);
  if (it != WindowTest::names.end()) WindowTest::log.push_back({it->second, msg, wParam, lParam});
  return DefMDIChildProc(hwnd, msg, wParam, lParam);
}

constexpr UINT kFirstChild = 0xFF00;

class MdiTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    WNDCLASS wc;
    wc.lpfnWndProc = FrameProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = "TestFrame";
    RegisterClass(&wc);
    wc.lpfnWndProc = DocumentProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = "TestDocument";
    RegisterClass(&wc);

    menu = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenu(file, MF_STRING, 100, "E&xit");
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    windows = CreatePopupMenu();
    AppendMenu(windows, MF_STRING, 110, "&Cascade");
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(windows), "&Window");
    frame = CreateWindowEx(0, "TestFrame", "Frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 600, 420, nullptr,
                           menu, nullptr, nullptr);
    names[frame] = "frame";
    CLIENTCREATESTRUCT ccs{windows, kFirstChild};
    g_client = client = CreateWindowEx(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                       WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, frame, nullptr, nullptr, &ccs);
    ShowWindow(frame, SW_SHOW);
    RECT rc;
    GetClientRect(frame, &rc);
    MoveWindow(client, 0, 0, rc.right, rc.bottom, TRUE);
    MDICREATESTRUCT mcs;
    mcs.szClass = "TestDocument";
    mcs.szTitle = "Alpha";
    mcs.x = 10;
    mcs.y = 10;
    mcs.cx = 240;
    mcs.cy = 160;
    mcs.style = WS_OVERLAPPEDWINDOW;
    alpha = reinterpret_cast<HWND>(SendMessage(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    names[alpha] = "alpha";
    beta = CreateWindowEx(WS_EX_MDICHILD, "TestDocument", "Beta", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 80, 240, 160,
                          client, nullptr, nullptr, nullptr);
    names[beta] = "beta";
    Pump();
  }
  void TearDown() override {
    WindowTest::TearDown();
    g_client = nullptr;
    UnregisterClass("TestDocument", nullptr);
    UnregisterClass("TestFrame", nullptr);
  }
  HWND Active(BOOL* maximized = nullptr) {
    return reinterpret_cast<HWND>(SendMessage(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
  }
  std::string MenuText(HMENU m, int pos) {
    char buf[64] = {};
    GetMenuString(m, static_cast<UINT>(pos), buf, sizeof buf, MF_BYPOSITION);
    return buf;
  }
  void ClickScreen(POINT p) {
    Screen().InjectMouseMove(p.x, p.y);
    Screen().InjectMouseButton(1, true);
    Screen().InjectMouseButton(1, false);
    Pump();
  }
  POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
  // The frame's bar item at a position, clicked.
  void ClickBarItem(int pos) {
    RECT r;
    ASSERT_TRUE(GetMenuItemRect(frame, menu, static_cast<UINT>(pos), &r));
    ClickScreen(Centre(r));
  }
  std::vector<HWND> Activations() {
    std::vector<HWND> out;
    for (const Logged& l : log)
      if (l.msg == WM_MDIACTIVATE && names[reinterpret_cast<HWND>(l.lParam)] == l.window)
        out.push_back(reinterpret_cast<HWND>(l.lParam));
    return out;
  }

  HMENU menu = nullptr, windows = nullptr;
  HWND frame = nullptr, client = nullptr, alpha = nullptr, beta = nullptr;
};

TEST_F(MdiTest, DocumentsTakeTurnsAsTheActiveOne) {
  ASSERT_TRUE(alpha && beta);
  EXPECT_EQ(GetClassNameString(client), "MDIClient");
  BOOL maximized = TRUE;
  EXPECT_EQ(Active(&maximized), beta);
  EXPECT_FALSE(maximized);
  EXPECT_TRUE(GetWindowLong(beta, GWL_STYLE) & WS_CHILD);
  // The window menu lists both, the active one checked.
  ASSERT_EQ(GetMenuItemCount(windows), 4);
  EXPECT_EQ(MenuText(windows, 2), "&1 Alpha");
  EXPECT_EQ(MenuText(windows, 3), "&2 Beta");
  EXPECT_EQ(GetMenuState(windows, 3, MF_BYPOSITION) & MF_CHECKED, MF_CHECKED);
  EXPECT_EQ(GetMenuState(windows, 2, MF_BYPOSITION) & MF_CHECKED, 0u);

  // By message: the old one hears of it first, with both windows named; each then WM_CHILDACTIVATE.
  ClearLog();
  SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(alpha), 0);
  EXPECT_EQ(Active(), alpha);
  std::vector<std::string> order = Names({WM_MDIACTIVATE, WM_CHILDACTIVATE, WM_NCACTIVATE});
  EXPECT_EQ(order, (std::vector<std::string>{"beta:NCACTIVATE", "beta:0x0222", "alpha:NCACTIVATE", "alpha:0x0222",
                                             "alpha:0x0022"}));
  EXPECT_EQ(GetWindow(client, GW_CHILD), alpha);  // on top
  EXPECT_EQ(GetFocus(), alpha);

  // By mouse: a press anywhere in the other document.
  RECT br;
  GetWindowRect(beta, &br);
  ClickScreen({br.right - 20, br.bottom - 20});
  EXPECT_EQ(Active(), beta);
  // By the window menu's command, and by the next-window command.
  SendMessage(frame, WM_COMMAND, kFirstChild, 0);
  EXPECT_EQ(Active(), alpha);
  SendMessage(client, WM_MDINEXT, 0, 0);
  EXPECT_EQ(Active(), beta);
  SendMessage(beta, WM_SYSCOMMAND, SC_NEXTWINDOW, 0);
  EXPECT_EQ(Active(), alpha);
  // Commands the frame does not know are the frame's own.
  ClearLog();
  SendMessage(frame, WM_COMMAND, 100, 0);
  EXPECT_EQ(Active(), alpha);
  EXPECT_TRUE(Names({WM_SYSCOMMAND}).empty());
  // A document outside an MDI client is refused.
  EXPECT_EQ(CreateWindowEx(WS_EX_MDICHILD, "TestDocument", "Stray", WS_VISIBLE, 0, 0, 50, 50, frame, nullptr, nullptr,
                           nullptr),
            nullptr);
  EXPECT_EQ(GetMenuItemCount(windows), 4);
}

TEST_F(MdiTest, AMaximizedDocumentLendsTheFrameItsMenuAndButtons) {
  int plain = GetMenuItemCount(menu);
  ASSERT_EQ(plain, 2);
  SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(beta), 0);
  BOOL maximized = FALSE;
  EXPECT_EQ(Active(&maximized), beta);
  EXPECT_TRUE(maximized);
  // The document fills the client area, its caption and frame beyond it.
  RECT cr, bc;
  GetClientRect(client, &cr);
  GetClientRect(beta, &bc);
  EXPECT_EQ(bc.right, cr.right);
  EXPECT_EQ(bc.bottom, cr.bottom);
  POINT origin{0, 0};
  MapWindowPoints(beta, client, &origin, 1);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);

  ASSERT_EQ(GetMenuItemCount(menu), plain + 4);
  HMENU sys = GetSystemMenu(beta, FALSE);
  EXPECT_EQ(GetSubMenu(menu, 0), sys);
  MENUITEMINFO mii;
  mii.fMask = MIIM_BITMAP | MIIM_DATA;
  ASSERT_TRUE(GetMenuItemInfo(menu, 0, TRUE, &mii));
  EXPECT_EQ(mii.hbmpItem, HBMMENU_SYSTEM);
  EXPECT_EQ(reinterpret_cast<HWND>(mii.dwItemData), beta);
  EXPECT_EQ(GetMenuItemID(menu, plain + 1), static_cast<UINT>(SC_MINIMIZE));
  EXPECT_EQ(GetMenuItemID(menu, plain + 2), static_cast<UINT>(SC_RESTORE));
  EXPECT_EQ(GetMenuItemID(menu, plain + 3), static_cast<UINT>(SC_CLOSE));
  // The document's window menu is the MDI one, with its state and the popup pictures.
  EXPECT_EQ(GetMenuState(sys, static_cast<UINT>(SC_MAXIMIZE), MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
  EXPECT_EQ(GetMenuState(sys, static_cast<UINT>(SC_RESTORE), MF_BYCOMMAND) & MF_GRAYED, 0u);
  EXPECT_NE(GetMenuState(sys, static_cast<UINT>(SC_NEXTWINDOW), MF_BYCOMMAND), static_cast<UINT>(-1));
  char close[32] = {};
  GetMenuString(sys, static_cast<UINT>(SC_CLOSE), close, sizeof close, MF_BYCOMMAND);
  EXPECT_STREQ(close, "&Close\tCtrl+F4");
  for (auto [id, bitmap] : {std::pair{SC_CLOSE, HBMMENU_POPUP_CLOSE}, std::pair{SC_RESTORE, HBMMENU_POPUP_RESTORE},
                            std::pair{SC_MAXIMIZE, HBMMENU_POPUP_MAXIMIZE}, std::pair{SC_MINIMIZE, HBMMENU_POPUP_MINIMIZE}}) {
    MENUITEMINFO info;
    info.fMask = MIIM_BITMAP;
    ASSERT_TRUE(GetMenuItemInfo(sys, static_cast<UINT>(id), FALSE, &info));
    EXPECT_EQ(info.hbmpItem, bitmap);
  }
  // The buttons sit at the right end of the bar, the window menu at its left.
  RECT first, last, bar;
  GetMenuItemRect(frame, menu, 0, &first);
  GetMenuItemRect(frame, menu, static_cast<UINT>(plain + 3), &last);
  GetWindowRect(frame, &bar);
  EXPECT_LT(first.left - bar.left, 10);
  EXPECT_GT(last.right, bar.right - 12);
  Pump();
  Screen().SaveScreenshot(testsupport::ArtifactPath("mdi_maximized.png"));

  // Another document activated takes the maximized state over.
  SendMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(alpha), 0);
  EXPECT_TRUE(IsZoomed(alpha));
  EXPECT_FALSE(IsZoomed(beta));
  EXPECT_EQ(GetSubMenu(menu, 0), GetSystemMenu(alpha, FALSE));
  EXPECT_EQ(GetMenuItemCount(menu), plain + 4);

  // The restore button, by mouse.
  ClickBarItem(plain + 2);
  EXPECT_FALSE(IsZoomed(alpha));
  EXPECT_EQ(Active(), alpha);
  EXPECT_EQ(GetMenuItemCount(menu), plain);
  RECT ar;
  GetWindowRect(alpha, &ar);
  EXPECT_EQ(ar.right - ar.left, 240);
  Pump();
  Screen().SaveScreenshot(testsupport::ArtifactPath("mdi_restored.png"));

  // Maximized again through its own caption button, then closed through the frame's bar.
  GetWindowRect(alpha, &ar);
  RECT max;
  SendMessage(alpha, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  (void)max;
  EXPECT_TRUE(IsZoomed(alpha));
  ClickBarItem(plain + 3);
  EXPECT_FALSE(IsWindow(alpha));
  // The one left becomes active and maximized, as the closed one was.
  EXPECT_EQ(Active(&maximized), beta);
  EXPECT_TRUE(maximized);
  ASSERT_EQ(GetMenuItemCount(windows), 3);
  EXPECT_EQ(MenuText(windows, 2), "&1 Beta");
  SendMessage(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(beta), 0);
  EXPECT_EQ(GetMenuItemCount(menu), plain);
  SendMessage(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(beta), 0);
  EXPECT_FALSE(IsWindow(beta));
  EXPECT_EQ(Active(), nullptr);
  EXPECT_EQ(GetMenuItemCount(windows), 1);
}

TEST_F(MdiTest, TheBarsWindowMenuCommandsTheDocument) {
  SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(beta), 0);
  // The window menu's commands reach the frame as commands and go on to the document.
  ClearLog();
  SendMessage(frame, WM_COMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(Names({WM_SYSCOMMAND}), (std::vector<std::string>{"beta:SYSCOMMAND"}));
  EXPECT_TRUE(IsIconic(beta));
  EXPECT_EQ(GetMenuItemCount(menu), 2);
  // A minimized document lies along the bottom of the client area.
  RECT br, cr;
  GetWindowRect(beta, &br);
  GetWindowRect(client, &cr);
  EXPECT_LT(br.bottom, cr.bottom);
  EXPECT_GT(br.bottom, cr.bottom - 6);
  EXPECT_LT(br.bottom - br.top, 40);
}

TEST_F(MdiTest, WindowIconsAndTheirSmallCopies) {

  HICON big = testsupport::MakeSolidIcon(32, RGB(200, 0, 0));
  HICON small = testsupport::MakeSolidIcon(16, RGB(0, 0, 200));
  EXPECT_EQ(SendMessage(beta, WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_EQ(SendMessage(beta, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big)), 0);
  // Without a small icon, the second small kind falls back to the big one.
  EXPECT_EQ(SendMessage(beta, WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(beta, WM_GETICON, ICON_SMALL2, 0)), big);
  EXPECT_EQ(SendMessage(beta, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small)), 0);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(beta, WM_GETICON, ICON_SMALL, 0)), small);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessage(beta, WM_GETICON, ICON_BIG, 0)), big);

  // The big one copied down to 16 x 16, as the bar's window-menu item does.
  auto copy = static_cast<HICON>(CopyImage(big, IMAGE_ICON, 16, 16, LR_COPYFROMRESOURCE));
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, big);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(copy, &info));
  BITMAP bm{};
  GetObject(info.hbmColor, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 16);
  EXPECT_EQ(bm.bmHeight, 16);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_TRUE(DestroyIcon(copy));

  // The maximized document's icon shows in the frame's bar.
  SendMessage(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(beta), 0);
  RECT item;
  ASSERT_TRUE(GetMenuItemRect(frame, menu, 0, &item));
  Pump();
  POINT c = Centre(item);
  RECT fr;
  GetWindowRect(frame, &fr);
  EXPECT_EQ(SurfacePixel(frame, c.x - fr.left, c.y - fr.top), 0x0000C8u);
  SendMessage(beta, WM_SETICON, ICON_SMALL, 0);
  SendMessage(beta, WM_SETICON, ICON_BIG, 0);
  DestroyIcon(big);
  DestroyIcon(small);
}

TEST_F(MdiTest, UserObjectsCountWindowsMenusAndIcons) {
  HANDLE self = GetCurrentProcess();
  DWORD before = GetGuiResources(self, GR_USEROBJECTS);
  EXPECT_GT(before, 4u);  // the frame, its client, two documents and the menus
  HWND third = CreateWindowEx(WS_EX_MDICHILD, "TestDocument", "Gamma", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 80,
                              client, nullptr, nullptr, nullptr);
  HMENU popup = CreatePopupMenu();
  EXPECT_EQ(GetGuiResources(self, GR_USEROBJECTS), before + 2);
  DestroyMenu(popup);
  DestroyWindow(third);
  EXPECT_EQ(GetGuiResources(self, GR_USEROBJECTS), before);
}

}  // namespace
}  // namespace wintest
