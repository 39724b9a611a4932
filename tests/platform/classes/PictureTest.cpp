#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>

#include "platform/classes/FormDescription.h"
#include "platform/classes/JpegImage.h"
#include "platform/classes/Picture.h"
#include "platform/display/Display.h"
#include "tests/support/Artifacts.h"

// After the platform headers: the library defines TRUE and FALSE as macros.
#include <jpeglib.h>
#include <jerror.h>

namespace {

// 0x00RRGGBB of a 32-bit bitmap's pixel.
std::uint32_t Px(TBitmap& b, int x, int y) { return static_cast<std::uint32_t*>(b.ScanLine(y))[x] & 0xFFFFFF; }

// A 32-bit bitmap as a PNG to look at, top row first.
bool SavePng(TBitmap& b, const std::string& name) {
  std::vector<std::uint32_t> rows;
  for (int y = 0; y < b.Height(); ++y) {
    auto* row = static_cast<std::uint32_t*>(b.ScanLine(y));
    rows.insert(rows.end(), row, row + b.Width());
  }
  return platform::WritePng(testsupport::ArtifactPath(name), rows.data(), b.Width(), b.Height(), b.Width());
}

std::uint32_t Rgb(TColor c) {
  win::COLORREF r = ColorToRGB(c);
  return ((r & 0xFF) << 16) | (r & 0xFF00) | ((r >> 16) & 0xFF);
}

bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (d > tolerance || d < -tolerance) return false;
  }
  return true;
}

void WriteFile(const std::string& path, const void* data, std::size_t size) {
  std::ofstream f(path, std::ios::binary);
  f.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// A 40 x 20 logo: left half red, right half blue, written by the decoder's own library.
std::string MakeJpegLogo(const std::string& dir) {
  constexpr int w = 40, h = 20;
  std::vector<std::uint8_t> rgb(w * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = &rgb[(y * w + x) * 3];
      p[0] = x < w / 2 ? 255 : 0;
      p[2] = x < w / 2 ? 0 : 255;
    }
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = w;
  info.image_height = h;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = &rgb[info.next_scanline * w * 3];
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string path = dir + "/logo.jpg";
  WriteFile(path, out, size);
  std::free(out);
  return path;
}

std::string MakeBmp(const std::string& dir) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(10, 10);
  b.Canvas()->Brush()->SetColor(clGreen);
  b.Canvas()->FillRect(Rect(0, 0, 10, 10));
  b.Canvas()->Brush()->SetColor(clYellow);
  b.Canvas()->FillRect(Rect(3, 3, 7, 7));
  std::string path = dir + "/panel.bmp";
  b.SaveToFile(path);
  return path;
}

std::vector<char> ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

class TDibBitmap : public TBitmap {
  VW_CLASS(TDibBitmap, TBitmap)
 public:
  TDibBitmap() = default;
};

class PictureTest : public ::testing::Test {
 protected:
  std::string dir = testsupport::TempDir("picture");
};

TEST_F(PictureTest, LogoAndBitmapDrawStretchedAndCentred) {
  TPicture logo, bmp;
  int changes = 0;
  logo.OnChange = [&](TObject*) { ++changes; };
  logo.LoadFromFile(MakeJpegLogo(dir));
  bmp.LoadFromFile(MakeBmp(dir));
  EXPECT_EQ(changes, 1);
  ASSERT_TRUE(logo.Graphic() && logo.Graphic()->Is<TJPEGImage>());
  ASSERT_TRUE(bmp.Graphic() && bmp.Graphic()->Is<TBitmap>());
  EXPECT_EQ(logo.Width(), 40);
  EXPECT_EQ(logo.Height(), 20);
  EXPECT_EQ(bmp.Width(), 10);

  // What a picture box does: the logo stretched over its whole area, the bitmap at its centre.
  TBitmap screen;
  screen.SetPixelFormat(pf32bit);
  screen.SetSize(160, 120);
  screen.Canvas()->Brush()->SetColor(clBtnFace);
  screen.Canvas()->FillRect(Rect(0, 0, 160, 120));
  screen.Canvas()->StretchDraw(Rect(0, 0, 160, 80), logo.Graphic());
  int x = (160 - bmp.Width()) / 2, y = 80 + (40 - bmp.Height()) / 2;
  screen.Canvas()->Draw(x, y, bmp.Graphic());
  EXPECT_TRUE(SavePng(screen, "picture-logo-and-bitmap.png"));

  EXPECT_TRUE(Near(Px(screen, 10, 10), 0xFF0000, 24)) << std::hex << Px(screen, 10, 10);
  EXPECT_TRUE(Near(Px(screen, 150, 70), 0x0000FF, 24)) << std::hex << Px(screen, 150, 70);
  EXPECT_EQ(Px(screen, x - 1, y), Rgb(clBtnFace));
  EXPECT_EQ(Px(screen, x, y), 0x008000u);
  EXPECT_EQ(Px(screen, x + 5, y + 5), 0xFFFF00u);
}

TEST_F(PictureTest, BrokenFilesRaiseAndThePictureKeepsWhatItHad) {
  std::string logoPath = MakeJpegLogo(dir);
  TPicture pic;
  pic.LoadFromFile(logoPath);
  TGraphic* before = pic.Graphic();

  auto whole = ReadAll(logoPath);
  struct Case {
    const char* name;
    std::vector<char> bytes;
    int code;
  } cases[] = {
      {"cut.jpg", {whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2)}, JWRN_JPEG_EOF},
      {"header.jpg", {whole.begin(), whole.begin() + 30}, JWRN_JPEG_EOF},
      {"empty.jpg", {}, JERR_INPUT_EMPTY},
      {"bitmap.jpeg", {'B', 'M', 0, 0, 0, 0}, JERR_NO_SOI},
  };
  for (const auto& c : cases) {
    std::string path = dir + "/" + c.name;
    WriteFile(path, c.bytes.data(), c.bytes.size());
    try {
      pic.LoadFromFile(path);
      ADD_FAILURE() << c.name << " loaded";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), Format("JPEG error #%d", c.code)) << c.name;
    }
    EXPECT_EQ(pic.Graphic(), before) << c.name;
    EXPECT_EQ(pic.Width(), 40);
  }

  try {
    pic.LoadFromFile(dir + "/notes.txt");
    FAIL();
  } catch (const EInvalidGraphic& e) {
    EXPECT_EQ(e.Message(), "Unknown picture file extension (.txt)");
  }
  EXPECT_THROW(pic.LoadFromFile(dir + "/missing.jpg"), EFOpenError);
  EXPECT_EQ(pic.Graphic(), before);
}

TEST_F(PictureTest, RegistryChoosesByExtensionAndBuildsTheFilter) {
  EXPECT_EQ(TPicture::FileFormatClass("JPG"), TJPEGImage::StaticClass());
  EXPECT_EQ(TPicture::FileFormatClass("bmp"), TBitmap::StaticClass());
  EXPECT_EQ(TPicture::FileFormatClass("png"), nullptr);
  EXPECT_EQ(GraphicFilter(TGraphic::StaticClass()),
            "All (*.jpg;*.jpeg;*.bmp;*.ico)|*.jpg;*.jpeg;*.bmp;*.ico|JPEG Image File (*.jpg)|*.jpg|"
            "JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico");
  EXPECT_EQ(GraphicFilter(TBitmap::StaticClass()), "Bitmaps (*.bmp)|*.bmp");
  EXPECT_EQ(GraphicExtension(TJPEGImage::StaticClass()), ".jpg");

  // A picture saved under a registered extension of our own is read by its class.
  TPicture::RegisterFileFormat("dib", "Device independent", TDibBitmap::StaticClass());
  TPicture pic;
  std::string path = MakeBmp(dir);
  std::rename(path.c_str(), (dir + "/panel.dib").c_str());
  pic.LoadFromFile(dir + "/panel.dib");
  EXPECT_TRUE(pic.Graphic()->Is<TDibBitmap>());
  EXPECT_EQ(GraphicFilter(TDibBitmap::StaticClass()), "Device independent (*.dib)|*.dib");
  TPicture::UnregisterGraphicClass(TDibBitmap::StaticClass());
  EXPECT_EQ(TPicture::FileFormatClass("dib"), nullptr);
  EXPECT_EQ(TPicture::FileFormatClass("bmp"), TBitmap::StaticClass());

  // Asking for the bitmap of a JPEG picture gives an empty bitmap in its place.
  pic.LoadFromFile(MakeJpegLogo(dir));
  TBitmap* b = pic.Bitmap();
  EXPECT_TRUE(b->Empty());
  EXPECT_EQ(pic.Graphic(), b);
}

TEST_F(PictureTest, JpegToBitmapAndBack) {
  TJPEGImage jpeg;
  jpeg.LoadFromFile(MakeJpegLogo(dir));
  TBitmap bmp;
  bmp.Assign(&jpeg);
  EXPECT_EQ(bmp.Width(), 40);
  EXPECT_TRUE(Near(static_cast<std::uint32_t>(bmp.Canvas()->Pixels(39, 19)), static_cast<std::uint32_t>(clBlue), 24));
  EXPECT_TRUE(Near(static_cast<std::uint32_t>(bmp.Canvas()->Pixels(0, 0)), static_cast<std::uint32_t>(clRed), 24));

  TJPEGImage again;
  again.SetCompressionQuality(80);
  again.Assign(&bmp);
  TMemoryStream m;
  again.SaveToStream(&m);
  ASSERT_GT(m.Size(), 2);
  EXPECT_EQ(static_cast<const std::uint8_t*>(m.Memory())[0], 0xFF);
  EXPECT_EQ(static_cast<const std::uint8_t*>(m.Memory())[1], 0xD8);
  m.SetPosition(0);
  TJPEGImage back;
  back.LoadFromStream(&m);
  EXPECT_EQ(back.Width(), 40);
  EXPECT_EQ(back.Height(), 20);

  // A grey file is read in colour as grey pixels.
  TJPEGImage gray;
  gray.SetGrayscale(true);
  gray.Assign(&bmp);
  TMemoryStream g;
  gray.SaveToStream(&g);
  g.SetPosition(0);
  TJPEGImage read;
  read.LoadFromStream(&g);
  TBitmap pixels;
  pixels.Assign(&read);
  auto p = static_cast<std::uint32_t>(pixels.Canvas()->Pixels(5, 5));
  EXPECT_EQ(p & 0xFF, (p >> 8) & 0xFF);
  EXPECT_EQ(p & 0xFF, (p >> 16) & 0xFF);
  EXPECT_GT(p & 0xFF, 40u) << "red is a mid grey, not black";
}

// A component with a picture, as a form stores an image's picture.
class TPictureHolder : public TComponent {
  VW_CLASS(TPictureHolder, TComponent)
 public:
  explicit TPictureHolder(TComponent* AOwner) : TComponent(AOwner) {}
  ~TPictureHolder() override { delete FPicture; }
  TPicture* Picture() const { return FPicture; }
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  static void DeclareProperties(TPropTable& t) { t.Add("Picture", &TPictureHolder::Picture, &TPictureHolder::SetPicture); }

 private:
  TPicture* FPicture = new TPicture;
};

TEST_F(PictureTest, FormDescriptionsCarryTheClassNameThenTheData) {
  RegisterClass(TPictureHolder::StaticClass());
  TPictureHolder a(nullptr);
  a.SetName("Image1");
  a.Picture()->LoadFromFile(MakeBmp(dir));
  String text = ComponentToFormText(&a);
  // "TBitmap" as a short string, then the 32-bit length of the BMP file, then "BM".
  EXPECT_NE(text.find("Picture.Data = {"), String::npos) << text;
  EXPECT_NE(text.find("07544269746D6170"), String::npos) << text;
  EXPECT_NE(text.find("424D"), String::npos);

  TPictureHolder b(nullptr);
  FormTextToComponent(text, &b);
  ASSERT_TRUE(b.Picture()->Graphic() && b.Picture()->Graphic()->Is<TBitmap>());
  EXPECT_EQ(b.Picture()->Bitmap()->Canvas()->Pixels(5, 5), clYellow);

  TPictureHolder empty(nullptr);
  empty.SetName("Image2");
  EXPECT_EQ(ComponentToFormText(&empty).find("Picture.Data"), String::npos) << "an empty picture stores nothing";

  a.Picture()->LoadFromFile(MakeJpegLogo(dir));
  FormTextToComponent(ComponentToFormText(&a), &b);
  ASSERT_TRUE(b.Picture()->Graphic() && b.Picture()->Graphic()->Is<TJPEGImage>());
  EXPECT_EQ(b.Picture()->Width(), 40);
  UnRegisterClass(TPictureHolder::StaticClass());
}

}  // namespace
