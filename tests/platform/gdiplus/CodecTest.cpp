// PNG and BMP files: decoding when the bitmap is made, encoding, the encoder list.
#include <cstdio>
#include <cstring>

#include "platform/win/Clipboard.h"
#include "tests/platform/gdiplus/Fixture.h"
#include "tests/support/Artifacts.h"

namespace {

using namespace win;
using gptest::BitmapFromBytes;
using gptest::EncodePng;
using gptest::Pixels;

class GdiPlusCodec : public gptest::GdiPlusTest {
 protected:
  GpBitmap* Decode(const std::vector<std::uint8_t>& bytes) {
    GpBitmap* b = nullptr;
    EXPECT_EQ(BitmapFromBytes(bytes, &b), Ok);
    return b ? Keep(b) : nullptr;
  }
};

const std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

TEST_F(GdiPlusCodec, PngRoundTripsKeepStraightPixelsExactly) {
  for (auto [w, h] : {std::pair{1, 1}, std::pair{300, 7}}) {
    GpBitmap* b = NewBitmap(w, h, PixelFormat32bppARGB);
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h);
    const std::uint32_t alphas[] = {0, 1, 128, 255};
    for (std::size_t i = 0; i < px.size(); ++i)
      px[i] = (alphas[i % 4] << 24) | static_cast<std::uint32_t>((i * 2654435761u) & 0xFFFFFF);
    gptest::SetPixels(b, px);
    std::vector<std::uint8_t> png = EncodePng(b);
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(std::memcmp(png.data(), kPngSignature, 8), 0);
    GpBitmap* back = Decode(png);
    ASSERT_TRUE(back);
    GpPixelFormat f = 0;
    GdipGetImagePixelFormat(back, &f);
    EXPECT_EQ(f, PixelFormat32bppARGB);
    EXPECT_EQ(Pixels(back), px) << w << " x " << h;
  }
}

TEST_F(GdiPlusCodec, PremultipliedPixelsSurviveAPngRoundTrip) {
  // Every valid premultiplied pixel: saving divides by alpha, loading multiplies again.
  const int w = 256, h = 129;
  GpBitmap* b = NewBitmap(w, h, PixelFormat32bppPARGB);
  std::vector<std::uint32_t> px;
  for (std::uint32_t a = 0; a < 256; ++a)
    for (std::uint32_t c = 0; c <= a; ++c) px.push_back((a << 24) | (c << 16) | ((a - c) << 8) | (c / 2));
  px.resize(static_cast<std::size_t>(w) * h, 0);
  gptest::SetPixels(b, px);
  GpBitmap* back = Decode(EncodePng(b));
  ASSERT_TRUE(back);
  BitmapData data;
  ASSERT_EQ(GdipBitmapLockBits(back, nullptr, ImageLockModeRead, PixelFormat32bppPARGB, &data), Ok);
  std::size_t mismatches = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint32_t v;
      std::memcpy(&v, static_cast<std::uint8_t*>(data.Scan0) + y * data.Stride + 4 * x, 4);
      mismatches += v != px[static_cast<std::size_t>(y) * w + x];
    }
  GdipBitmapUnlockBits(back, &data);
  EXPECT_EQ(mismatches, 0u);
}

// A BMP file of 32-bit-aligned rows given bottom row first.
std::vector<std::uint8_t> Bmp(int w, int h, int bpp, const std::vector<std::uint8_t>& rows,
                              const std::vector<std::uint8_t>& palette = {}) {
  std::vector<std::uint8_t> f(54, 0);
  auto put32 = [&f](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) f[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  f[0] = 'B', f[1] = 'M';
  put32(10, static_cast<std::uint32_t>(54 + palette.size()));
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(w));
  put32(22, static_cast<std::uint32_t>(h));
  f[26] = 1;
  f[28] = static_cast<std::uint8_t>(bpp);
  f.insert(f.end(), palette.begin(), palette.end());
  f.insert(f.end(), rows.begin(), rows.end());
  put32(2, static_cast<std::uint32_t>(f.size()));
  return f;
}

TEST_F(GdiPlusCodec, BmpFilesOfTheCommonDepths) {
  // 2 x 2: bottom row first; rows padded to four bytes.
  GpBitmap* b24 = Decode(Bmp(2, 2, 24, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}));
  ASSERT_TRUE(b24);
  EXPECT_EQ(Pixels(b24), (std::vector<std::uint32_t>{0xFF090807, 0xFF0C0B0A, 0xFF030201, 0xFF060504}));

  GpBitmap* b8 = Decode(Bmp(3, 1, 8, {1, 0, 1, 0}, {0, 0, 0, 0, 0x30, 0x20, 0x10, 0}));
  ASSERT_TRUE(b8);
  EXPECT_EQ(Pixels(b8), (std::vector<std::uint32_t>{0xFF102030, 0xFF000000, 0xFF102030}));

  // A plain 32-bit BMP has no alpha, whatever its fourth bytes hold.
  GpBitmap* b32 = Decode(Bmp(1, 1, 32, {0x11, 0x22, 0x33, 0x00}));
  ASSERT_TRUE(b32);
  EXPECT_EQ(Pixels(b32), (std::vector<std::uint32_t>{0xFF332211}));
}

TEST_F(GdiPlusCodec, ForeignBrokenAndShortDataAreRefused) {
  std::vector<std::uint8_t> png = EncodePng(NewBitmap(5, 5, PixelFormat32bppARGB, 0xFF00FF00));
  std::vector<std::uint8_t> bmp = Bmp(2, 2, 24, std::vector<std::uint8_t>(16, 7));
  struct Case {
    std::vector<std::uint8_t> bytes;
    GpStatus status;
  };
  const Case cases[] = {
      {{}, UnknownImageFormat},
      {{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0, 0, 0}, UnknownImageFormat},
      {std::vector<std::uint8_t>(png.begin(), png.begin() + static_cast<long>(png.size() / 2)), GenericError},
      {std::vector<std::uint8_t>(bmp.begin(), bmp.end() - 3), GenericError},
      {std::vector<std::uint8_t>(bmp.begin(), bmp.begin() + 20), GenericError},
  };
  for (const Case& c : cases) {
    GpBitmap* b = nullptr;
    EXPECT_EQ(BitmapFromBytes(c.bytes, &b), c.status) << c.bytes.size() << " bytes";
    EXPECT_EQ(b, nullptr);
  }
}

TEST_F(GdiPlusCodec, TheEncoderListHoldsPngWithItsStringsInTheCallersBuffer) {
  UINT count = 0, size = 0;
  ASSERT_EQ(GdipGetImageEncodersSize(&count, &size), Ok);
  ASSERT_EQ(count, 1u);
  std::vector<std::uint8_t> buffer(size);
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
  EXPECT_EQ(GdipGetImageEncoders(count, size - 1, codecs), GenericError);
  ASSERT_EQ(GdipGetImageEncoders(count, size, codecs), Ok);
  EXPECT_STREQ(codecs[0].MimeType, "image/png");
  auto inside = [&](const void* p) {
    return p >= buffer.data() && p < buffer.data() + buffer.size();
  };
  EXPECT_TRUE(inside(codecs[0].MimeType) && inside(codecs[0].SigPattern));
  EXPECT_EQ(std::memcmp(codecs[0].SigPattern, kPngSignature, 8), 0);

  GpBitmap* b = NewBitmap(1, 1);
  UINT listSize = 0;
  EXPECT_EQ(GdipGetEncoderParameterListSize(b, &codecs[0].Clsid, &listSize), Ok);
  CLSID other = codecs[0].Clsid;
  other.Data1 ^= 1;
  IStream* s = nullptr;
  CreateStreamOnHGlobal(nullptr, TRUE, &s);
  EXPECT_EQ(GdipSaveImageToStream(b, s, &other, nullptr), FileNotFound);
  s->Release();
}

TEST_F(GdiPlusCodec, FilesAreReadWhole) {
  std::string path = testsupport::ArtifactPath("gdiplus-codec-file.png");
  std::vector<std::uint8_t> png = EncodePng(NewBitmap(3, 2, PixelFormat32bppARGB, 0x80402010));
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(f);
  std::fwrite(png.data(), 1, png.size(), f);
  std::fclose(f);
  GpBitmap* b = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromFile(path.c_str(), &b), Ok);
  Keep(b);
  EXPECT_EQ(gptest::PixelAt(b, 2, 1), 0x80402010u);
  GpImage* none = nullptr;
  EXPECT_EQ(GdipLoadImageFromFile((path + ".missing").c_str(), &none), FileNotFound);
}

}  // namespace
