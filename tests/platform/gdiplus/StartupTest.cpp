// Start-up with the notification hook, memory, and the module's exports.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/gdiplus/GdiPlus.h"
#include "platform/system/Modules.h"
#include "platform/win/Startup.h"

namespace {

using namespace win;

TEST(GdiPlusStartup, SuppressedBackgroundThreadHandsOutTheHookPair) {
  GdiplusStartupInput input;
  input.SuppressBackgroundThread = TRUE;
  GdiplusStartupOutput output;
  ULONG_PTR token = 0;
  int before = platform::gdiplus::StartupCount();
  ASSERT_EQ(GdiplusStartup(&token, &input, &output), Ok);
  EXPECT_NE(token, 0u);
  ASSERT_TRUE(output.NotificationHook && output.NotificationUnhook);
  ULONG_PTR hookToken = 0;
  EXPECT_EQ(output.NotificationHook(&hookToken), Ok);
  EXPECT_NE(hookToken, 0u);
  output.NotificationUnhook(hookToken);
  EXPECT_EQ(platform::gdiplus::StartupCount(), before + 1);
  GdiplusShutdown(token);
  EXPECT_EQ(platform::gdiplus::StartupCount(), before);

  // With its own background thread the caller has nothing to hook.
  input.SuppressBackgroundThread = FALSE;
  ASSERT_EQ(GdiplusStartup(&token, &input, &output), Ok);
  EXPECT_EQ(output.NotificationHook, nullptr);
  GdiplusShutdown(token);
}

TEST(GdiPlusStartup, RefusalsAndInjectedFaults) {
  GdiplusStartupInput input;
  input.SuppressBackgroundThread = TRUE;
  GdiplusStartupOutput output;
  ULONG_PTR token = 0;
  input.GdiplusVersion = 2;
  EXPECT_EQ(GdiplusStartup(&token, &input, &output), UnsupportedGdiplusVersion);
  input.GdiplusVersion = 1;
  EXPECT_EQ(GdiplusStartup(&token, &input, nullptr), InvalidParameter);

  platform::gdiplus::InjectedFaults().startup = GenericError;
  EXPECT_EQ(GdiplusStartup(&token, &input, &output), GenericError);
  platform::gdiplus::InjectedFaults() = {};

  platform::gdiplus::InjectedFaults().notificationHook = Win32Error;
  ASSERT_EQ(GdiplusStartup(&token, &input, &output), Ok);
  ULONG_PTR hookToken = 0;
  EXPECT_EQ(output.NotificationHook(&hookToken), Win32Error);
  GdiplusShutdown(token);
  platform::gdiplus::InjectedFaults() = {};
}

TEST(GdiPlusMemory, BlocksAreCountedUntilFreed) {
  std::size_t before = platform::gdiplus::LiveAllocations();
  void* p = GdipAlloc(64);
  ASSERT_NE(p, nullptr);
  std::memset(p, 0xAB, 64);
  EXPECT_EQ(platform::gdiplus::LiveAllocations(), before + 1);
  GdipFree(p);
  GdipFree(nullptr);
  EXPECT_EQ(platform::gdiplus::LiveAllocations(), before);
}

TEST(GdiPlusModule, TheBinderFindsTheEntriesTheProgramCallsDirectly) {
  platform::StartPlatform();
  platform::RegisterGdiPlusModule();
  HMODULE module = LoadLibrary("GdiPlus.dll");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(module, "GdipDrawImageRectRectI")),
            reinterpret_cast<void*>(&GdipDrawImageRectRectI));
  for (const char* name : {"GdiplusStartup", "GdipAlloc", "GdipCreateFromHDC", "GdipCreateLineBrushFromRectI",
                           "GdipSaveImageToStream", "GdipFillClosedCurveI", "GdipCreateBitmapFromStreamICM"})
    EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
  EXPECT_EQ(GetProcAddress(module, "GdipDrawString"), nullptr);
  FreeLibrary(module);
}

}  // namespace
