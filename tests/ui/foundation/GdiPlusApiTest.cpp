// The GDI+ binding: loading on first use, missing pieces, start-up and its hook, the units
// loader, the wrappers' memory, errors, colours and encoders.
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/classes/Picture.h"
#include "platform/classes/Streams.h"
#include "tests/ui/foundation/GdiPlusFixture.h"
#include "ui/foundation/GPGraphics.h"

namespace {

using gpfixture::GdiPlusUnitTest;

TEST(GdiPlusApi, ColoursBecomeArgbWithTheirAlpha) {
  struct Case {
    TColor colour;
    win::BYTE alpha;
    win::ARGB argb;
  };
  for (Case c : {Case{clRed, 128, 0x80FF0000}, Case{clNone, 255, 0}, Case{clBtnFace, 255, 0xFFD4D0C8},
                 Case{static_cast<TColor>(0x00123456), 0, 0x00563412}})
    EXPECT_EQ(ColorToGPColor(c.colour, c.alpha), c.argb) << std::hex << c.colour;
}

TEST(GdiPlusApi, FailingStatusesRaiseWithTheirCode) {
  EXPECT_EQ(CheckGdipStatus(win::Ok), win::Ok);
  try {
    CheckGdipStatus(win::Win32Error);
    FAIL() << "no exception";
  } catch (const EdxGdipException& e) {
    EXPECT_EQ(e.Message(), "Invalid operation in GDI+ (Code: 7)");
    EXPECT_EQ(e.Status, win::Win32Error);
  }
  try {
    CheckGdipSuccess(false);
    FAIL() << "no exception";
  } catch (const EdxException& e) {
    EXPECT_EQ(dynamic_cast<const EdxGdipException&>(e).Status, win::InvalidParameter);
  }
  EXPECT_NO_THROW(CheckGdipSuccess(true));
}

// The units loader keeps its own order: record what runs.
std::vector<std::string> g_ran;
void InitA() { g_ran.push_back("init A"); }
void FinalA() { g_ran.push_back("final A"); }
void FinalB() { g_ran.push_back("final B"); }
void NeverAdded() { g_ran.push_back("never"); }

TEST(GdiPlusApi, TheUnitsLoaderRunsInitializersAtOnceAndFinalizersOnceLastFirst) {
  g_ran.clear();
  {
    TdxUnitsLoader loader;
    loader.AddUnitProcs(InitA, FinalA);
    EXPECT_EQ(g_ran, std::vector<std::string>{"init A"});
    loader.AddUnitProcs(nullptr, FinalB);
    loader.AddUnitProcs(nullptr, nullptr);
    loader.RemoveUnitProc(NeverAdded);
    EXPECT_EQ(g_ran.size(), 1u);
  }  // the loader's end runs what is left
  EXPECT_EQ(g_ran, (std::vector<std::string>{"init A", "final B", "final A"}));

  g_ran.clear();
  TdxUnitsLoader loader;
  loader.AddUnitProcs(InitA, FinalA);
  loader.AddUnitProcs(nullptr, FinalB);
  loader.RemoveUnitProc(FinalA);
  loader.RemoveUnitProc(FinalA);
  loader.RunFinalizers();
  loader.RunFinalizers();
  EXPECT_EQ(g_ran, (std::vector<std::string>{"init A", "final A", "final B"}));
}

class GdiPlusBinding : public GdiPlusUnitTest {};

TEST_F(GdiPlusBinding, EveryEntryIsBoundToTheModulesOwnInOneFixedOrder) {
  ASSERT_TRUE(IsGdiPlusAvailable());
  const auto& names = GdiPlusEntryNames();
  EXPECT_EQ(names.size(), GdiPlusEntryCount);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
  win::HMODULE module = win::GetModuleHandle("gdiplus.dll");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(reinterpret_cast<void*>(GdipDrawImageRectRectI),
            reinterpret_cast<void*>(win::GetProcAddress(module, "GdipDrawImageRectRectI")));
  EXPECT_NE(GdipSaveImageToStream, nullptr);
  EXPECT_NE(GdiPlusNotificationHook, nullptr);
  EXPECT_EQ(platform::gdiplus::StartupCount(), 1);
}

TEST_F(GdiPlusBinding, WithoutTheModuleNothingIsAvailableOrRegistered) {
  platform::HideModule("gdiplus.dll");
  win::SetErrorMode(0);
  RestartUnits();
  EXPECT_FALSE(IsGdiPlusAvailable());
  EXPECT_FALSE(IsGdiPlusAvailable());
  EXPECT_EQ(win::GetErrorMode(), 0u);
  EXPECT_EQ(GdipAlloc, nullptr);
  EXPECT_EQ(GPImageClass()->Class, TdxGPNullImage::StaticClass());
  EXPECT_EQ(GraphicFilter(TGraphic::StaticClass()).find("PNG graphics"), std::string::npos);
  TPicture picture;
  EXPECT_THROW(picture.LoadFromFile("picture.png"), EInvalidGraphic);
  win::CLSID id{};
  id.Data1 = 42;
  EXPECT_EQ(FindEncoderClsid("image/png", id), 1);
  EXPECT_EQ(id.Data1, 42u);
  TMemoryStream s;
  s.WriteBuffer("0123456789abcdef", 16);
  s.SetPosition(0);
  EXPECT_EQ(GPBitmapFromStreamObject(&s), nullptr);
  // Images stay possible, without GDI+ behind them.
  TdxPNGImage png;
  png.LoadFromStream(&s);
  EXPECT_TRUE(png.Empty());
}

TEST_F(GdiPlusBinding, AMissingEntryEndsTheBindingThere) {
  platform::HideModuleEntry("gdiplus.dll", "GdipCreatePath");
  RestartUnits();
  EXPECT_FALSE(IsGdiPlusAvailable());
  EXPECT_NE(GdipFillClosedCurveI, nullptr);  // bound before it
  EXPECT_EQ(GdipCreatePath, nullptr);
  EXPECT_EQ(GdipDeletePath, nullptr);  // after it: never looked up
  EXPECT_EQ(GdipSaveImageToStream, nullptr);
  EXPECT_EQ(GdiPlusNotificationHook, nullptr);
  EXPECT_EQ(platform::gdiplus::StartupCount(), 0);
}

TEST_F(GdiPlusBinding, AFailingStartUpOrHookLeavesGdiPlusUnavailableAndUnhooked) {
  for (bool hook : {false, true}) {
    platform::gdiplus::InjectedFaults() = {};
    (hook ? platform::gdiplus::InjectedFaults().notificationHook : platform::gdiplus::InjectedFaults().startup) =
        win::GenericError;
    RestartUnits();
    EXPECT_FALSE(IsGdiPlusAvailable()) << hook;
    EXPECT_EQ(GdiPlusNotificationHook, nullptr);
    EXPECT_EQ(GdiPlusNotificationUnhook, nullptr);
    EXPECT_EQ(platform::gdiplus::StartupCount(), 0) << "a start-up whose hook failed is shut down again";
  }
}

TEST_F(GdiPlusBinding, AnUnloadMakesTheNextQueryLoadAgain) {
  ASSERT_TRUE(IsGdiPlusAvailable());
  UnloadGdiPlus();
  EXPECT_EQ(platform::gdiplus::StartupCount(), 0);
  EXPECT_EQ(GdipAlloc, nullptr);
  EXPECT_TRUE(IsGdiPlusAvailable());
  EXPECT_EQ(platform::gdiplus::StartupCount(), 1);
}

TEST_F(GdiPlusBinding, WrappersComeFromGdiPlusMemoryAndNullImagesFromTheHeap) {
  ASSERT_TRUE(IsGdiPlusAvailable());
  std::size_t before = platform::gdiplus::LiveAllocations();
  auto* image = new TdxGPImage();
  EXPECT_EQ(platform::gdiplus::LiveAllocations(), before + 1);
  auto* null = new TdxGPNullImage();
  EXPECT_EQ(platform::gdiplus::LiveAllocations(), before + 1);
  delete null;
  delete image;
  EXPECT_EQ(platform::gdiplus::LiveAllocations(), before);
}

TEST_F(GdiPlusBinding, EncodersAreFoundByMimeTypeInAnyCase) {
  ASSERT_TRUE(IsGdiPlusAvailable());
  win::CLSID id{};
  EXPECT_EQ(FindEncoderClsid("IMAGE/PNG", id), 0);
  EXPECT_NE(id.Data1, 0u);
  win::CLSID untouched{};
  untouched.Data1 = 7;
  EXPECT_EQ(FindEncoderClsid("image/x-unknown", untouched), 1);
  EXPECT_EQ(untouched.Data1, 7u);
  EXPECT_EQ(PngEncoderClsid, id);  // looked up when the PNG format registered
}

TEST_F(GdiPlusBinding, StreamObjectsAreDecodedFromTheirPositionAndRefusedWhenForeign) {
  ASSERT_TRUE(IsGdiPlusAvailable());
  std::unique_ptr<TBitmap> source(gpfixture::NewBitmap32(3, 2, std::vector<std::uint32_t>(6, 0xFF102030)));
  TdxPNGImage png;
  png.Assign(source.get());
  TMemoryStream s;
  s.WriteBuffer("junk", 4);
  png.SaveToStream(&s);
  s.SetPosition(4);
  win::GpBitmap* b = GPBitmapFromStreamObject(&s);
  ASSERT_NE(b, nullptr);
  win::UINT w = 0;
  GdipGetImageWidth(b, &w);
  EXPECT_EQ(w, 3u);
  GdipDisposeImage(b);

  s.SetPosition(0);
  try {
    GPBitmapFromStreamObject(&s);
    FAIL() << "no exception";
  } catch (const EdxGdipException& e) {
    EXPECT_EQ(e.Status, win::UnknownImageFormat);
  }
}

}  // namespace
