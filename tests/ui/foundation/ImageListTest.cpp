#include <gtest/gtest.h>

#include <algorithm>

#include "platform/classes/FormDescription.h"
#include "platform/win/Startup.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/GraphicsUnit.h"
#include "ui/foundation/ImageDrawing.h"
#include "ui/foundation/ImageList.h"

namespace {

using surfacetest::Surface;

class ImageList : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    platform::StartPlatform();
    GraphicsUnitStartup();
  }
};

const TColor kColours[] = {clRed, clLime, clBlue, clYellow, clAqua};

// Columns of 16 pixels in the colours above.
void PaintStrip(TBitmap* Bitmap, int Width, int Height = 16) {
  Bitmap->SetPixelFormat(pf24bit);
  Bitmap->SetSize(Width, Height);
  for (int x = 0; x < Width; x += 16) {
    Bitmap->Canvas()->Brush()->SetColor(kColours[(x / 16) % 5]);
    Bitmap->Canvas()->FillRect(Rect(x, 0, std::min(x + 16, Width), Height));
  }
}

TColor ColourOf(TBitmap* Bitmap, int X = 2, int Y = 2) {
  return static_cast<TColor>(ColorToRGB(Bitmap->Canvas()->Pixels(X, Y)));
}

// The image's colour as the handle holds it and as the collection holds it.
std::pair<TColor, TColor> Image(TcxImageList& List, int Index) {
  TcxBitmap32 fromHandle;
  TcxImageList::ExtractImageInfo(List.Handle(), Index, &fromHandle, nullptr);
  TcxBitmap* stored = List.ImageInfo()->Items(Index)->ImageInfo()->Image();
  return {static_cast<TColor>(ColourOf(&fromHandle) & 0xFFFFFF), ColourOf(stored)};
}

TEST_F(ImageList, StripsAreCutAsTheHandleCutsThem) {
  struct Case {
    int Width, Height, Images;
  };
  // 40 x 16: the last 8 columns are dropped; 32 x 32: two images from the top row.
  const Case cases[] = {{48, 16, 3}, {40, 16, 2}, {16, 16, 1}, {32, 32, 2}};
  for (const Case& c : cases) {
    TcxImageList list(nullptr);
    TBitmap strip;
    PaintStrip(&strip, c.Width, c.Height);
    EXPECT_EQ(list.AddWithMask(&strip, nullptr), 0);
    ASSERT_EQ(list.Count(), c.Images) << c.Width << " x " << c.Height;
    ASSERT_EQ(list.ImageInfo()->Count(), c.Images) << c.Width << " x " << c.Height;
    for (int i = 0; i < c.Images; ++i) {
      EXPECT_EQ(Image(list, i), std::make_pair(kColours[i], kColours[i])) << i;
      EXPECT_EQ(list.ImageInfo()->Items(i)->Image()->Width(), 16);
      EXPECT_EQ(list.ImageInfo()->Items(i)->Image()->Height(), 16);
    }
    // Fetching and deleting the last image stay inside the collection.
    TcxBitmap32 fetched;
    list.FetchImage(c.Images - 1, &fetched, nullptr);
    EXPECT_EQ(ColourOf(&fetched) & 0xFFFFFF, kColours[c.Images - 1]);
    list.DeleteImage(c.Images - 1);
    EXPECT_EQ(list.ImageInfo()->Count(), c.Images - 1);
  }
}

TEST_F(ImageList, MoveInsertReplaceDelete) {
  TcxImageList list(nullptr);
  TBitmap strip;
  PaintStrip(&strip, 64);  // A B C D
  list.AddWithMask(&strip, nullptr);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };

  list.MoveImage(0, 3);
  EXPECT_EQ(changes, 1);
  const TColor moved[] = {clLime, clBlue, clYellow, clRed};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Image(list, i), std::make_pair(moved[i], moved[i])) << i;

  TBitmap two;
  PaintStrip(&two, 32);  // red, lime
  changes = 0;
  list.InsertImages(1, &two, nullptr);
  EXPECT_EQ(changes, 1);
  const TColor inserted[] = {clLime, clRed, clLime, clBlue, clYellow, clRed};
  ASSERT_EQ(list.Count(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Image(list, i), std::make_pair(inserted[i], inserted[i])) << i;
  list.InsertImages(7, &two, nullptr);  // outside 0 .. Count: nothing
  EXPECT_EQ(list.Count(), 6);

  TBitmap aqua;
  aqua.SetSize(16, 16);
  aqua.Canvas()->Brush()->SetColor(clAqua);
  aqua.Canvas()->FillRect(Rect(0, 0, 16, 16));
  changes = 0;
  list.ReplaceImage(2, &aqua, nullptr);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Image(list, 2), std::make_pair(clAqua, clAqua));
  EXPECT_EQ(list.Count(), 6);

  // Indexes outside the list raise, change nothing, and leave the list notifying.
  changes = 0;
  EXPECT_THROW(list.MoveImage(0, 6), EInvalidOperation);
  EXPECT_THROW(list.DeleteImage(6), EInvalidOperation);
  EXPECT_THROW(list.ReplaceImage(-1, &aqua, nullptr), EInvalidOperation);
  EXPECT_EQ(list.Count(), 6);
  EXPECT_EQ(list.ImageInfo()->Count(), 6);
  EXPECT_EQ(changes, 0);
  list.DeleteImage(0);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(list.ImageInfo()->Count(), 5);
  list.ClearImages();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.ImageInfo()->Count(), 0);
  EXPECT_EQ(changes, 2);
}

TEST_F(ImageList, MaskColourAndAssign) {
  TcxImageList list(nullptr);
  TBitmap image;
  image.SetSize(16, 16);
  image.Canvas()->Brush()->SetColor(clFuchsia);
  image.Canvas()->FillRect(Rect(0, 0, 16, 16));
  image.Canvas()->Brush()->SetColor(clBlue);
  image.Canvas()->FillRect(Rect(4, 4, 12, 12));
  EXPECT_EQ(list.AddWithMaskColor(&image, clFuchsia), 0);
  EXPECT_EQ(ColourOf(&image), ColorToRGB(clFuchsia));  // the caller's bitmap is left alone
  EXPECT_EQ(list.ImageInfo()->Items(0)->MaskColor(), clFuchsia);

  Surface s(16, 16, clWhite);
  list.Draw(s.Canvas(), 0, 0, 0);
  EXPECT_EQ(s.CountOf(clBlue), 64);
  EXPECT_EQ(s.CountOf(clWhite), 256 - 64);

  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  list.Assign(&image);  // not an image list
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(changes, 0);

  TcxImageList copy(nullptr, 16, 16);
  copy.Assign(&list);
  ASSERT_EQ(copy.Count(), 1);
  EXPECT_EQ(copy.ImageInfo()->Count(), 1);
  Surface t(16, 16, clWhite);
  copy.Draw(t.Canvas(), 0, 0, 0);
  EXPECT_EQ(t.CountOf(clBlue), 64);
  EXPECT_EQ(t.CountOf(clWhite), 256 - 64);

  TImageList plain(nullptr);
  plain.AddMasked(&image, clFuchsia);
  TcxImageList fromPlain(nullptr);
  fromPlain.Assign(&plain);
  ASSERT_EQ(fromPlain.Count(), 1);
  Surface u(16, 16, clWhite);
  fromPlain.Draw(u.Canvas(), 0, 0, 0);
  EXPECT_EQ(u.CountOf(clBlue), 64);
  EXPECT_EQ(u.CountOf(clWhite), 256 - 64);
}

TEST_F(ImageList, DrawingCentredStretchedAndDisabled) {
  TcxImageList list(nullptr);
  TcxBitmap32 image(16, 16, true);
  for (int y = 4; y < 12; ++y)
    for (int x = 4; x < 12; ++x) static_cast<std::uint32_t*>(image.ScanLine(y))[x] = 0xFFFF0000;
  list.AddWithMask(&image, nullptr);
  EXPECT_TRUE(list.AlphaBlending());

  Surface s(32, 32, clWhite);
  list.DrawImageEx(0, s.Canvas(), TRect(0, 0, 32, 32), 0, false, false, true);  // centred
  EXPECT_EQ(s.CountOf(clRed), 64);
  EXPECT_EQ(s.At(12, 12), ColorToRGB(clRed));
  EXPECT_EQ(s.At(11, 11), ColorToRGB(clWhite));
  s.Clear(clWhite);
  list.DrawImageEx(0, s.Canvas(), TRect(0, 0, 32, 32), 0, true, false, true);
  EXPECT_EQ(s.CountOf(clRed), 256);
  s.Clear(clWhite);
  list.DrawImageEx(0, s.Canvas(), TRect(8, 8, 24, 24), 0, true, false, true);  // the exact size
  EXPECT_EQ(s.CountOf(clRed), 64);
  s.Clear(clWhite);
  list.Draw(s.Canvas(), 0, 0, 0, false);
  EXPECT_EQ(s.CountOf(clRed), 0);
  EXPECT_EQ(s.At(0, 0), ColorToRGB(clWhite));
  EXPECT_NE(s.At(6, 6), ColorToRGB(clWhite));
}

TEST_F(ImageList, FormDescriptions) {
  TcxImageList empty(nullptr);
  empty.SetName("Empty");
  String text = ComponentToFormText(&empty);
  EXPECT_NE(text.find("FormatVersion = 1"), String::npos);
  EXPECT_NE(text.find("DesignInfo"), String::npos);
  EXPECT_EQ(text.find("ImageInfo"), String::npos);
  EXPECT_EQ(text.find("AllocBy"), String::npos);

  TcxImageList stored(nullptr);
  stored.SetName("Images");
  stored.SetCompressData(true);
  TcxBitmap32 image(16, 16, true);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      static_cast<std::uint32_t*>(image.ScanLine(y))[x] = static_cast<std::uint32_t>(x * 16) << 24 | 0x102030;
  stored.AddWithMask(&image, nullptr);
  TBitmap strip;
  PaintStrip(&strip, 32);
  stored.AddWithMaskColor(&strip, clLime);
  ASSERT_EQ(stored.Count(), 3);
  text = ComponentToFormText(&stored);
  String packed = text;
  std::erase_if(packed, [](char c) { return c == ' ' || c == '\n' || c == '\r'; });
  EXPECT_NE(packed.find("Image.Data={"), String::npos);
  // Every stored image is a record: its size, then the signature.
  std::size_t records = 0;
  for (std::size_t at = packed.find("Image.Data={"); at != String::npos; at = packed.find("Image.Data={", at + 1)) {
    EXPECT_EQ(packed.substr(at + 12 + 8, 8), "5844424D");
    ++records;
  }
  EXPECT_EQ(records, 3u);
  EXPECT_NE(text.find("MaskColor = clLime"), String::npos);

  TcxImageList loaded(nullptr);
  FormTextToComponent(text, &loaded);
  ASSERT_EQ(loaded.Count(), 3);
  EXPECT_EQ(loaded.ImageInfo()->Count(), 3);
  EXPECT_TRUE(loaded.CompressData());
  TcxBitmap32 back, original;
  loaded.FetchImage(0, &back, nullptr);
  stored.FetchImage(0, &original, nullptr);
  for (int x = 0; x < 16; ++x)
    EXPECT_EQ(static_cast<std::uint32_t*>(back.ScanLine(3))[x], static_cast<std::uint32_t*>(original.ScanLine(3))[x])
        << x;
  EXPECT_EQ(Image(loaded, 2), std::make_pair(clBlack, clLime));  // the mask colour

  // What the class library's image list stores loads too.
  TImageList plain(nullptr);
  plain.SetName("Images");
  PaintStrip(&strip, 48);
  plain.Add(&strip, nullptr);
  String plainText = ComponentToFormText(&plain);
  const std::size_t cls = plainText.find("TImageList");
  ASSERT_NE(cls, String::npos);
  plainText.replace(cls, 10, "TcxImageList");
  TcxImageList fromPlain(nullptr);
  FormTextToComponent(plainText, &fromPlain);
  ASSERT_EQ(fromPlain.Count(), 3);
  EXPECT_EQ(fromPlain.ImageInfo()->Count(), 3);
  EXPECT_EQ(Image(fromPlain, 2), std::make_pair(clBlue, clBlue));
}

}  // namespace

namespace {

TEST_F(ImageList, ReplacingTheLinkMovesSubscriptions) {
  TcxImageList first(nullptr), second(nullptr);
  TComponent owner(nullptr);
  TChangeLink link;
  int changes = 0;
  link.OnChange = [&](TObject*) { ++changes; };
  TCustomImageList* field = nullptr;
  ReplaceImageListLink(&first, field, &link, &owner);
  EXPECT_EQ(field, &first);
  EXPECT_EQ(changes, 1);
  ReplaceImageListLink(&first, field, &link, &owner);  // the same list: nothing
  EXPECT_EQ(changes, 1);
  ReplaceImageListLink(&second, field, &link, &owner);
  EXPECT_EQ(changes, 2);
  TBitmap image;
  image.SetSize(16, 16);
  first.AddWithMask(&image, nullptr);
  EXPECT_EQ(changes, 2);
  second.AddWithMask(&image, nullptr);
  EXPECT_EQ(changes, 3);
  ReplaceImageListLink(nullptr, field, &link, &owner);
  EXPECT_EQ(field, nullptr);
}

}  // namespace
