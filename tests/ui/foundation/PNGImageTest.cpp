// PNG pictures: streams, alpha, pixel comparison, the picture system, clipboard and drawing.
#include <cstring>
#include <cmath>
#include <memory>

#include "platform/classes/Picture.h"
#include "platform/classes/Streams.h"
#include "platform/win/Clipboard.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/foundation/GdiPlusFixture.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/GPGraphics.h"

namespace {

using gpfixture::NewBitmap32;
using gpfixture::PixelsOf;

const std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

class PNGImage : public gpfixture::GdiPlusUnitTest {
 protected:
  void SetUp() override {
    GdiPlusUnitTest::SetUp();
    ASSERT_TRUE(IsGdiPlusAvailable());
  }
  // A picture of premultiplied pixels.
  static std::unique_ptr<TdxPNGImage> Picture(int w, int h, const std::vector<std::uint32_t>& px) {
    std::unique_ptr<TBitmap> b(NewBitmap32(w, h, px));
    auto png = std::make_unique<TdxPNGImage>();
    png->Assign(b.get());
    return png;
  }
  static std::vector<std::uint8_t> Bytes(TdxPNGImage& png) {
    TMemoryStream s;
    png.SaveToStream(&s);
    auto* p = static_cast<const std::uint8_t*>(s.Memory());
    return std::vector<std::uint8_t>(p, p + s.Size());
  }
  static void Load(TdxPNGImage& png, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream s;
    if (!bytes.empty()) s.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    s.SetPosition(0);
    png.LoadFromStream(&s);
  }
};

TEST_F(PNGImage, RoundTripsKeepEveryPixel) {
  for (auto [w, h] : {std::pair{1, 1}, std::pair{300, 7}}) {
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h);
    const std::uint32_t alphas[] = {0, 1, 128, 255};
    for (std::size_t i = 0; i < px.size(); ++i) {
      std::uint32_t a = alphas[(i + (w == 1 ? 1 : 0)) % 4], v = static_cast<std::uint32_t>(i * 2654435761u);
      auto c = [&](int shift) { return ((v >> shift) & 0xFF) * a / 255; };
      px[i] = (a << 24) | (c(0) << 16) | (c(8) << 8) | c(16);
    }
    auto png = Picture(w, h, px);
    EXPECT_EQ(png->Width(), w);
    EXPECT_EQ(png->Height(), h);
    std::vector<std::uint8_t> bytes = Bytes(*png);
    ASSERT_GE(bytes.size(), 8u);
    EXPECT_EQ(std::memcmp(bytes.data(), kPngSignature, 8), 0);
    TdxPNGImage back;
    Load(back, bytes);
    EXPECT_EQ(PixelsOf(&back), px) << w << " x " << h;
    EXPECT_TRUE(back.SamePixels(png.get()));
  }
}

TEST_F(PNGImage, BmpDataLoadsAndIsWrittenBackAsPng) {
  std::unique_ptr<TBitmap> b(NewBitmap32(3, 2, std::vector<std::uint32_t>(6, 0xFF336699)));
  b->SetPixelFormat(pf24bit);
  TMemoryStream bmp;
  b->SaveToStream(&bmp);
  bmp.SetPosition(0);
  TdxPNGImage png;
  png.LoadFromStream(&bmp);
  EXPECT_EQ(png.Width(), 3);
  EXPECT_EQ(PixelsOf(&png), std::vector<std::uint32_t>(6, 0xFF336699));
  std::vector<std::uint8_t> out = Bytes(png);
  ASSERT_GE(out.size(), 8u);
  EXPECT_EQ(std::memcmp(out.data(), kPngSignature, 8), 0);
}

TEST_F(PNGImage, EmptyStreamsClearAndShortOrForeignOnesAreRefusedOrLeftEmpty) {
  auto png = Picture(2, 2, std::vector<std::uint32_t>(4, 0xFFFFFFFF));
  int changes = 0;
  png->OnChange = [&](TObject*) { ++changes; };
  Load(*png, {});
  EXPECT_TRUE(png->Empty());
  EXPECT_EQ(png->Image(), nullptr);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(Bytes(*png).empty());  // nothing without an image

  Load(*png, {'s', 'h', 'o', 'r', 't'});
  EXPECT_TRUE(png->Empty());
  EXPECT_THROW(Load(*png, std::vector<std::uint8_t>(40, 'x')), EdxGdipException);
}

TEST_F(PNGImage, SizeIsTheImagesAndCannotBeSet) {
  auto png = Picture(5, 3, std::vector<std::uint32_t>(15, 0));
  png->SetWidth(50);
  png->SetHeight(1);
  EXPECT_EQ(png->PictureRect(), (win::RECT{0, 0, 5, 3}));
  EXPECT_TRUE(png->Transparent());
  EXPECT_FALSE(png->Empty());
  TdxPNGImage none;
  EXPECT_TRUE(none.Empty());
  EXPECT_EQ(none.Width(), 0);
}

TEST_F(PNGImage, UsesAlphaIsAnsweredOncePerImage) {
  auto png = Picture(2, 1, {0xFF000000, 0xFFFFFFFF});
  EXPECT_FALSE(png->UsesAlpha());
  auto other = Picture(2, 1, {0xFF000000, 0x80404040});
  Load(*png, Bytes(*other));
  EXPECT_TRUE(png->UsesAlpha());
  png->SetImage(png->Image());  // the same image: nothing happens
  EXPECT_TRUE(png->UsesAlpha());
}

TEST_F(PNGImage, SamePixelsComparesSizesThenEveryByte) {
  auto a = Picture(2, 1, {0xFF000000, 0x80402010});
  auto same = Picture(2, 1, {0xFF000000, 0x80402010});
  auto different = Picture(2, 1, {0xFF000000, 0x80402011});
  auto wider = Picture(3, 1, {0, 0, 0});
  TdxPNGImage empty1, empty2;
  EXPECT_TRUE(a->SamePixels(same.get()));
  EXPECT_FALSE(a->SamePixels(different.get()));
  EXPECT_FALSE(a->SamePixels(wider.get()));
  EXPECT_FALSE(a->SamePixels(&empty1));
  EXPECT_TRUE(empty1.SamePixels(&empty2));
}

TEST_F(PNGImage, AssignsToAndFromBitmapsAndPictures) {
  auto png = Picture(2, 2, {0xFF0000FF, 0x80008000, 0, 0xFFFFFFFF});
  TdxPNGImage copy;
  copy.Assign(png.get());
  EXPECT_TRUE(copy.SamePixels(png.get()));
  EXPECT_NE(copy.Image(), png->Image());
  TBitmap bitmap;
  bitmap.Assign(png.get());
  EXPECT_EQ(TBitmap::BitsOf(bitmap.PixelFormat()), 32);
  EXPECT_EQ(gpfixture::PixelsOf(&bitmap), (std::vector<std::uint32_t>{0xFF0000FF, 0x80008000, 0, 0xFFFFFFFF}));
  TdxPNGImage none;
  copy.Assign(&none);
  EXPECT_EQ(copy.Image(), nullptr);
  TFont font;
  EXPECT_THROW(copy.Assign(&font), EConvertError);
}

TEST_F(PNGImage, TheClipboardCarriesThePictureOverWhite) {
  auto png = Picture(2, 1, {0xFF0000FF, 0});
  win::WORD format = 0;
  win::HANDLE data = nullptr;
  win::HPALETTE palette = nullptr;
  png->SaveToClipboardFormat(format, data, palette);
  EXPECT_EQ(format, win::CF_DIB);
  TdxPNGImage back;
  back.LoadFromClipboardFormat(format, data, palette);
  win::GlobalFree(data);
  ASSERT_EQ(back.Width(), 2);
  std::vector<std::uint32_t> px = PixelsOf(&back);
  EXPECT_EQ(px[0] & 0xFFFFFF, 0x0000FFu);
}

TEST_F(PNGImage, ThePictureSystemReadsPngFiles) {
  EXPECT_NE(GraphicFilter(TGraphic::StaticClass()).find("PNG graphics (*.png)"), std::string::npos);
  auto png = Picture(4, 4, std::vector<std::uint32_t>(16, 0x80800000));
  std::string path = testsupport::ArtifactPath("pngimage-picture.png");
  png->SaveToFile(path);
  TPicture picture;
  picture.LoadFromFile(path);
  ASSERT_TRUE(picture.Graphic());
  EXPECT_TRUE(picture.Graphic()->Is<TdxPNGImage>());
  EXPECT_EQ(picture.Width(), 4);
  EXPECT_TRUE(static_cast<TdxPNGImage*>(picture.Graphic())->SamePixels(png.get()));
}

TEST_F(PNGImage, PaintsWithItsAlphaOntoCanvases) {
  // A soft-edged disc over a chequered background, scaled up, to look at.
  const int n = 16;
  std::vector<std::uint32_t> px(n * n);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      double dx = x - 7.5, dy = y - 7.5, d = std::sqrt(dx * dx + dy * dy);
      std::uint32_t a = d < 6 ? 255 : d < 8 ? static_cast<std::uint32_t>(255 * (8 - d) / 2) : 0;
      px[static_cast<std::size_t>(y) * n + x] = (a << 24) | ((a * 200 / 255) << 16) | ((a * 40 / 255) << 8);
    }
  auto png = Picture(n, n, px);
  surfacetest::Surface s(80, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 80; ++x) s.Raw(x, y) = ((x / 8 + y / 8) % 2) ? 0x00FFFFFF : 0x00C0C0C0;
  s.Canvas()->Draw(4, 4, png.get());
  s.Canvas()->StretchDraw(Rect(28, 4, 76, 44), png.get());
  s.Save("pngimage-alpha.png");
  EXPECT_EQ(s.At(12, 12), win::RGB(200, 40, 0));    // the opaque middle
  EXPECT_EQ(s.At(4, 4), win::RGB(192, 192, 192));   // a transparent corner
  win::COLORREF edge = s.At(4 + 7, 4 + 15);         // partly covered
  EXPECT_NE(edge, win::RGB(200, 40, 0));
  EXPECT_NE(edge, win::RGB(255, 255, 255));
}

}  // namespace
