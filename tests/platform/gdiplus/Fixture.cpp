#include "tests/platform/gdiplus/Fixture.h"

#include <cstdio>
#include <cstring>

#include "platform/win/Clipboard.h"
#include "tests/support/Artifacts.h"

namespace gptest {

using namespace win;

void GdiPlusTest::SetUp() {
  GdiplusStartupInput input;
  input.SuppressBackgroundThread = TRUE;
  GdiplusStartupOutput output;
  ASSERT_EQ(GdiplusStartup(&token_, &input, &output), Ok);
  objectsBefore_ = platform::gdiplus::LiveObjects();
}

void GdiPlusTest::TearDown() {
  for (GpGraphics* g : graphics_) GdipDeleteGraphics(g);
  for (GpImage* i : images_) GdipDisposeImage(i);
  EXPECT_EQ(platform::gdiplus::LiveObjects(), objectsBefore_) << "a GDI+ object was left behind";
  GdiplusShutdown(token_);
  platform::gdiplus::InjectedFaults() = {};
}

GpBitmap* GdiPlusTest::NewBitmap(int width, int height, GpPixelFormat format, std::uint32_t fill) {
  GpBitmap* b = nullptr;
  EXPECT_EQ(GdipCreateBitmapFromScan0(width, height, 0, format, nullptr, &b), Ok);
  if (fill) SetPixels(b, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, fill));
  return Keep(b);
}

GpGraphics* GdiPlusTest::GraphicsOn(GpBitmap* bitmap) {
  GpGraphics* g = nullptr;
  EXPECT_EQ(GdipGetImageGraphicsContext(bitmap, &g), Ok);
  graphics_.push_back(g);
  return g;
}

namespace {

GpPixelFormat FormatOf(GpBitmap* b) {
  GpPixelFormat f = 0;
  GdipGetImagePixelFormat(b, &f);
  return f;
}

}  // namespace

std::uint32_t PixelAt(GpBitmap* bitmap, int x, int y) {
  BitmapData data;
  GpRect r{x, y, 1, 1};
  GpPixelFormat f = FormatOf(bitmap);
  if (GdipBitmapLockBits(bitmap, &r, ImageLockModeRead, f, &data) != Ok) return 0xDEADBEEF;
  std::uint32_t v = 0;
  std::memcpy(&v, data.Scan0, f == PixelFormat24bppRGB ? 3 : 4);
  GdipBitmapUnlockBits(bitmap, &data);
  return v;
}

std::vector<std::uint32_t> Pixels(GpBitmap* bitmap) {
  UINT w = 0, h = 0;
  GdipGetImageWidth(bitmap, &w);
  GdipGetImageHeight(bitmap, &h);
  std::vector<std::uint32_t> out;
  for (UINT y = 0; y < h; ++y)
    for (UINT x = 0; x < w; ++x) out.push_back(PixelAt(bitmap, static_cast<int>(x), static_cast<int>(y)));
  return out;
}

void SetPixels(GpBitmap* bitmap, const std::vector<std::uint32_t>& pixels) {
  BitmapData data;
  GpPixelFormat f = FormatOf(bitmap);
  ASSERT_NE(f, PixelFormat24bppRGB);
  ASSERT_EQ(GdipBitmapLockBits(bitmap, nullptr, ImageLockModeWrite, f, &data), Ok);
  ASSERT_EQ(pixels.size(), static_cast<std::size_t>(data.Width) * data.Height);
  for (UINT y = 0; y < data.Height; ++y)
    std::memcpy(static_cast<std::uint8_t*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride,
                pixels.data() + static_cast<std::size_t>(y) * data.Width, data.Width * 4u);
  GdipBitmapUnlockBits(bitmap, &data);
}

CLSID PngEncoder() {
  UINT count = 0, size = 0;
  GdipGetImageEncodersSize(&count, &size);
  std::vector<std::uint8_t> buffer(size);
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
  GdipGetImageEncoders(count, size, codecs);
  for (UINT i = 0; i < count; ++i)
    if (std::strcmp(codecs[i].MimeType, "image/png") == 0) return codecs[i].Clsid;
  return {};
}

std::vector<std::uint8_t> EncodePng(GpImage* image) {
  IStream* s = nullptr;
  CreateStreamOnHGlobal(nullptr, TRUE, &s);
  CLSID png = PngEncoder();
  std::vector<std::uint8_t> out;
  if (GdipSaveImageToStream(image, s, &png, nullptr) == Ok) {
    STATSTG st;
    s->Stat(&st, STATFLAG_NONAME);
    out.resize(st.cbSize.QuadPart);
    s->Seek(LARGE_INTEGER{0}, STREAM_SEEK_SET, nullptr);
    s->Read(out.data(), static_cast<ULONG>(out.size()), nullptr);
  }
  s->Release();
  return out;
}

void SaveShot(GpImage* image, const std::string& name) {
  std::vector<std::uint8_t> png = EncodePng(image);
  if (std::FILE* f = std::fopen(testsupport::ArtifactPath(name).c_str(), "wb")) {
    std::fwrite(png.data(), 1, png.size(), f);
    std::fclose(f);
  }
}

GpStatus BitmapFromBytes(const std::vector<std::uint8_t>& bytes, GpBitmap** bitmap) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!bytes.empty()) std::memcpy(GlobalLock(mem), bytes.data(), bytes.size());
  GlobalUnlock(mem);
  IStream* s = nullptr;
  CreateStreamOnHGlobal(mem, FALSE, &s);
  GpStatus status = GdipCreateBitmapFromStream(s, bitmap);
  s->Release();
  // Freed at once, as callers do: the bitmap must not need the stream any more.
  GlobalFree(mem);
  return status;
}

}  // namespace gptest
