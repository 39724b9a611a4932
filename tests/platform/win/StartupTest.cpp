#include <gtest/gtest.h>

#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
#include "platform/system/Resources.h"
#include "platform/win/Controls.h"
#include "platform/win/Hooks.h"
#include "platform/win/Menu.h"
#include "platform/win/Startup.h"

namespace {

using namespace win;

TEST(StartupTest, BuiltInEntriesAreTheFunctionsTheProgramCallsDirectly) {
  platform::StartPlatform();
  HMODULE user = GetModuleHandleA("user32.dll");
  ASSERT_NE(user, nullptr) << "resident from the start";
  EXPECT_EQ(GetProcAddress(user, "SetLayeredWindowAttributes"), reinterpret_cast<FARPROC>(&SetLayeredWindowAttributes));
  EXPECT_EQ(GetProcAddress(user, "UpdateLayeredWindow"), reinterpret_cast<FARPROC>(&UpdateLayeredWindow));
  EXPECT_EQ(GetProcAddress(user, "AnimateWindow"), reinterpret_cast<FARPROC>(&AnimateWindow));
  EXPECT_EQ(GetProcAddress(user, "GetScrollBarInfo"), reinterpret_cast<FARPROC>(&GetScrollBarInfo));
  EXPECT_EQ(GetProcAddress(user, "SetMenuInfo"), reinterpret_cast<FARPROC>(&SetMenuInfo));
  EXPECT_NE(GetProcAddress(GetModuleHandle("kernel32"), "IsWow64Process"), nullptr);

  EXPECT_EQ(GetModuleHandle("msimg32.dll"), nullptr) << "loaded on demand";
  HMODULE img = LoadLibrary("msimg32.dll");
  ASSERT_NE(img, nullptr);
  EXPECT_EQ(GetProcAddress(img, "AlphaBlend"), reinterpret_cast<FARPROC>(&AlphaBlend));
  EXPECT_EQ(GetProcAddress(img, "GradientFill"), reinterpret_cast<FARPROC>(&GradientFill));
  EXPECT_TRUE(FreeLibrary(img));

  // The theme and desktop-composition libraries are absent until the platform offers them.
  for (const char* absent : {"UxTheme.dll", "dwmapi.dll"}) {
    SetLastError(0);
    EXPECT_EQ(LoadLibrary(absent), nullptr) << absent;
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  }
}

}  // namespace

namespace {

TEST(StartupTest, TheWindowSystemsModuleHoldsTheWindowMenuTemplates) {
  platform::StartPlatform();
  HMODULE user = GetModuleHandle("user32.dll");
  struct Case {
    int id;
    std::vector<UINT> items;
  };
  const UINT sep = 0;
  const Case cases[] = {
      {16, {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, sep, SC_CLOSE}},
      {32, {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, sep, SC_CLOSE, sep, SC_NEXTWINDOW}},
      {48, {SC_MOVE, SC_SIZE, sep, SC_CLOSE}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    HMENU bar = LoadMenu(user, MAKEINTRESOURCE(c.id));
    ASSERT_NE(bar, nullptr);
    HMENU menu = GetSubMenu(bar, 0);
    std::vector<UINT> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) items.push_back(GetMenuItemID(menu, i));
    EXPECT_EQ(items, c.items);
    DestroyMenu(bar);
  }
  SetLastError(0);
  EXPECT_EQ(LoadMenu(user, MAKEINTRESOURCE(17)), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  EXPECT_EQ(LoadMenu(GetModuleHandle(nullptr), MAKEINTRESOURCE(16)), nullptr) << "the program has none";
}

}  // namespace
