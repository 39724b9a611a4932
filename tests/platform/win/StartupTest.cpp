#include <gtest/gtest.h>

#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
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
