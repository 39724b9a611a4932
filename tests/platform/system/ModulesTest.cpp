#include <gtest/gtest.h>

#include "platform/system/Modules.h"
#include "platform/system/Version.h"

namespace {

using namespace win;

int FakeOpenThemeData(int v) { return v + 1; }
int FakeIsThemeActive() { return 1; }

class ModulesTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::RegisterSystemModules(); }
  platform::ScopedModuleOverrides overrides;
};

TEST_F(ModulesTest, FakeModuleIsFoundUnderEverySpellingOfItsName) {
  platform::InstallFakeModule("UxTheme.dll", {platform::Export("OpenThemeData", &FakeOpenThemeData),
                                              platform::Export("IsThemeActive", &FakeIsThemeActive)});
  EXPECT_EQ(GetModuleHandle("uxtheme"), nullptr) << "not mapped before it is loaded";
  HMODULE theme = LoadLibrary("UxTheme");
  ASSERT_NE(theme, nullptr);
  EXPECT_GT(reinterpret_cast<UINT_PTR>(theme), 32u);
  for (const char* name : {"UXTHEME.DLL", "uxtheme", "C:\\Windows\\System32\\UxTheme.dll"})
    EXPECT_EQ(GetModuleHandle(name), theme) << name;

  auto open = reinterpret_cast<int (*)(int)>(GetProcAddress(theme, "OpenThemeData"));
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open(41), 42);
  SetLastError(0);
  EXPECT_EQ(GetProcAddress(theme, "openthemedata"), nullptr) << "entry names keep their case";
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
}

TEST_F(ModulesTest, HiddenEntryAndHiddenModuleAreMissing) {
  platform::InstallFakeModule("UxTheme.dll", {platform::Export("OpenThemeData", &FakeOpenThemeData),
                                              platform::Export("IsThemeActive", &FakeIsThemeActive)});
  platform::HideModuleEntry("uxtheme.dll", "IsThemeActive");
  HMODULE theme = LoadLibrary("UxTheme.dll");
  ASSERT_NE(theme, nullptr);
  SetLastError(0);
  EXPECT_EQ(GetProcAddress(theme, "IsThemeActive"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  EXPECT_NE(GetProcAddress(theme, "OpenThemeData"), nullptr);

  platform::HideModule("kernel32");
  SetLastError(0);
  EXPECT_EQ(LoadLibrary("kernel32.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  EXPECT_EQ(GetModuleHandle("kernel32.dll"), nullptr);
}

TEST_F(ModulesTest, OverridesEndWithTheirScope) {
  HMODULE fake;
  {
    platform::ScopedModuleOverrides scoped;
    platform::InstallFakeModule("kernel32", {platform::Export("IsThemeActive", &FakeIsThemeActive)});
    fake = GetModuleHandle("kernel32");
    EXPECT_EQ(GetProcAddress(fake, "IsWow64Process"), nullptr) << "the fake stands in for the built-in";
    platform::HideModule("dwmapi");
  }
  SetLastError(0);
  EXPECT_EQ(GetProcAddress(fake, "IsThemeActive"), nullptr) << "a removed fake's handle is stale";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  HMODULE kernel = GetModuleHandle("kernel32");
  ASSERT_NE(kernel, nullptr);
  EXPECT_NE(kernel, fake);
  EXPECT_NE(GetProcAddress(kernel, "IsWow64Process"), nullptr);
}

TEST_F(ModulesTest, LoadsAreCountedAndTheLastFreeUnmaps) {
  platform::InstallFakeModule("dwmapi.dll", {platform::Export("DwmIsCompositionEnabled", &FakeIsThemeActive)});
  HMODULE a = LoadLibrary("dwmapi.dll");
  HMODULE b = LoadLibrary("DWMAPI");
  ASSERT_EQ(a, b);
  EXPECT_TRUE(FreeLibrary(a));
  EXPECT_NE(GetProcAddress(a, "DwmIsCompositionEnabled"), nullptr) << "still loaded once";
  EXPECT_TRUE(FreeLibrary(a));
  EXPECT_EQ(GetModuleHandle("dwmapi"), nullptr);
  SetLastError(0);
  EXPECT_EQ(GetProcAddress(a, "DwmIsCompositionEnabled"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(FreeLibrary(a));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

  // A resident module stays mapped however often it is freed.
  HMODULE kernel = LoadLibrary("kernel32");
  EXPECT_TRUE(FreeLibrary(kernel));
  EXPECT_TRUE(FreeLibrary(kernel));
  EXPECT_EQ(GetModuleHandle("kernel32"), kernel);
}

TEST_F(ModulesTest, BadArgumentsAndTheProgramsOwnModule) {
  SetLastError(0);
  EXPECT_EQ(LoadLibrary(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(LoadLibrary("nosuch.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  EXPECT_EQ(GetProcAddress(nullptr, "IsWow64Process"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  HMODULE kernel = GetModuleHandle("kernel32");
  EXPECT_EQ(GetProcAddress(kernel, nullptr), nullptr);
  EXPECT_EQ(GetProcAddress(kernel, reinterpret_cast<LPCSTR>(1)), nullptr) << "no ordinals";
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);

  HMODULE program = GetModuleHandle(nullptr);
  ASSERT_NE(program, nullptr);
  EXPECT_NE(program, kernel);
  EXPECT_EQ(GetProcAddress(program, "IsWow64Process"), nullptr);
}

TEST_F(ModulesTest, KernelEntriesAreThePlatformsOwnAndErrorModeIsKept) {
  HMODULE kernel = GetModuleHandle("kernel32.dll");
  ASSERT_NE(kernel, nullptr);
  auto isWow64 = reinterpret_cast<decltype(&win::IsWow64Process)>(GetProcAddress(kernel, "IsWow64Process"));
  EXPECT_EQ(isWow64, &win::IsWow64Process);
  BOOL wow64 = TRUE;
  EXPECT_TRUE(isWow64(GetCurrentProcess(), &wow64));
  EXPECT_FALSE(wow64);
  EXPECT_NE(GetCurrentProcessId(), 0u);

  UINT old = SetErrorMode(SEM_NOOPENFILEERRORBOX);
  EXPECT_EQ(SetErrorMode(old), SEM_NOOPENFILEERRORBOX);
  EXPECT_EQ(GetErrorMode(), old);
}

}  // namespace
