#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/win/Clipboard.h"

namespace {

// 0x00RRGGBB of a 32-bit bitmap's pixel, read through its scan lines.
std::uint32_t Px(TBitmap& b, int x, int y) { return static_cast<std::uint32_t*>(b.ScanLine(y))[x] & 0xFFFFFF; }

TEST(BitmapTest, CanvasDrawingReachesTheScanLinesInEveryFormat) {
  struct Case {
    TPixelFormat format;
    int bits;
  } cases[] = {{pf1bit, 1}, {pf4bit, 4}, {pf8bit, 8}, {pf15bit, 16}, {pf24bit, 24}, {pf32bit, 32}, {pfDevice, 32}};
  for (const auto& c : cases) {
    SCOPED_TRACE(TBitmap::BitsOf(c.format));
    TBitmap b;
    b.SetPixelFormat(c.format);
    b.SetSize(9, 3);
    ASSERT_EQ(TBitmap::BitsOf(b.PixelFormat()), c.bits);
    b.Canvas()->Brush()->SetColor(clBlack);
    b.Canvas()->FillRect(Rect(0, 0, 1, 1));  // top-left pixel black, the rest white
    auto* top = static_cast<std::uint8_t*>(b.ScanLine(0));
    auto* next = static_cast<std::uint8_t*>(b.ScanLine(1));
    EXPECT_EQ(next - top, -(((9 * c.bits + 31) / 32) * 4)) << "rows are stored bottom up";
    // The first pixel's bits are all zero (black in every default table), the next are not.
    EXPECT_EQ(top[0] & (c.bits == 1 ? 0x80 : c.bits == 4 ? 0xF0 : 0xFF), 0);
    EXPECT_NE(next[0], 0);
    EXPECT_THROW(b.ScanLine(3), EInvalidGraphic);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clBlack);
    EXPECT_EQ(b.Canvas()->Pixels(8, 2), clWhite);
  }
  TBitmap m;
  m.SetMonochrome(true);
  EXPECT_EQ(m.PixelFormat(), pf1bit);
}

TEST(BitmapTest, BmpFilesRoundTripAndBadOnesRaise) {
  TBitmap a;
  a.SetPixelFormat(pf24bit);
  a.SetSize(5, 4);
  a.Canvas()->SetPixels(0, 0, clRed);
  a.Canvas()->SetPixels(4, 3, clBlue);
  TMemoryStream m;
  a.SaveToStream(&m);
  const auto* bytes = static_cast<const std::uint8_t*>(m.Memory());
  ASSERT_GE(m.Size(), 54);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(m.Size(), 54 + 16 * 4);

  m.SetPosition(0);
  TBitmap b;
  b.LoadFromStream(&m);
  EXPECT_EQ(b.Width(), 5);
  EXPECT_EQ(b.Height(), 4);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(b.Canvas()->Pixels(4, 3), clBlue);

  // Cut short, or with a header that claims what is not there: an error, and the picture stays.
  std::vector<std::uint8_t> file(bytes, bytes + m.Size());
  auto tryLoad = [&](std::vector<std::uint8_t> data) {
    TMemoryStream s;
    s.WriteBuffer(data.data(), static_cast<std::int32_t>(data.size()));
    s.SetPosition(0);
    try {
      b.LoadFromStream(&s);
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), "Bitmap image is not valid");
      return false;
    }
    return true;
  };
  EXPECT_FALSE(tryLoad({file.begin(), file.end() - 1}));
  EXPECT_FALSE(tryLoad({file.begin(), file.begin() + 20}));
  auto huge = file;
  huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F;  // width 2^31-1
  EXPECT_FALSE(tryLoad(huge));
  auto rle = file;
  rle[30] = 1;  // run-length compressed
  EXPECT_FALSE(tryLoad(rle));
  EXPECT_EQ(b.Width(), 5);
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed);

  // A top-down file with a two-colour table of its own keeps its colours.
  std::vector<std::uint8_t> td = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0,  // file header
                                  40, 0, 0, 0, 2, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF,  // width 2, height -2
                                  1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0,
                                  0, 0, 255, 0, 0, 255, 0, 0,  // red, green
                                  0x40, 0, 0, 0, 0x80, 0, 0, 0};
  ASSERT_TRUE(tryLoad(td));
  EXPECT_EQ(b.Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(b.Canvas()->Pixels(1, 0), clLime);
  EXPECT_EQ(b.Canvas()->Pixels(0, 1), clLime);
  TMemoryStream again;
  b.SaveToStream(&again);
  again.SetPosition(0);
  TBitmap c;
  c.LoadFromStream(&again);
  EXPECT_EQ(c.Canvas()->Pixels(1, 0), clLime) << "the file's own colour table is written back";
}

struct DataProbe : TBitmap {
  using TBitmap::ReadData;
  using TBitmap::WriteData;
};

TEST(BitmapTest, FormDataIsALengthThenTheFile) {
  DataProbe a;
  a.SetSize(3, 2);
  a.Canvas()->SetPixels(1, 1, clYellow);
  TMemoryStream data;
  a.WriteData(&data);
  std::int32_t size;
  std::memcpy(&size, data.Memory(), 4);
  EXPECT_EQ(size, data.Size() - 4);
  EXPECT_EQ(static_cast<const char*>(data.Memory())[4], 'B');
  data.SetPosition(0);
  DataProbe b;
  b.ReadData(&data);
  EXPECT_EQ(b.Canvas()->Pixels(1, 1), clYellow);
  EXPECT_EQ(data.Position(), data.Size()) << "reads exactly its own bytes";
}

TEST(BitmapTest, DormantResizeAssignAndReleaseKeepThePicture) {
  TBitmap a;
  a.SetPixelFormat(pf32bit);
  a.SetSize(4, 4);
  a.Canvas()->SetPixels(1, 2, clGreen);
  a.Dormant();
  EXPECT_FALSE(a.HandleAllocated());
  EXPECT_EQ(a.Width(), 4);
  EXPECT_EQ(Px(a, 1, 2), 0x008000u) << "comes back when used";

  a.SetSize(6, 3);
  EXPECT_EQ(Px(a, 1, 2), 0x008000u) << "the top-left part stays";
  EXPECT_EQ(Px(a, 5, 0), 0xFFFFFFu) << "new area is white";

  TBitmap b;
  b.Assign(&a);
  a.Canvas()->SetPixels(1, 2, clRed);
  EXPECT_EQ(Px(b, 1, 2), 0x008000u) << "a copy, not a share";
  EXPECT_EQ(b.PixelFormat(), pf32bit);

  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  win::HBITMAP h = b.ReleaseHandle();
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(changes, 1);
  b.SetHandle(h);  // owned again
  EXPECT_EQ(b.Width(), 6);
  EXPECT_EQ(b.Canvas()->Pixels(1, 2), clGreen);
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
}

TEST(BitmapTest, TransparentDrawLeavesTheKeyColourAndMasksMarkIt) {
  TBitmap pic;
  pic.SetSize(4, 4);
  pic.Canvas()->Brush()->SetColor(clFuchsia);
  pic.Canvas()->FillRect(Rect(0, 0, 4, 4));
  pic.Canvas()->Brush()->SetColor(clBlue);
  pic.Canvas()->FillRect(Rect(1, 1, 3, 3));
  EXPECT_EQ(pic.TransparentColor(), clFuchsia) << "bottom-left pixel";
  EXPECT_EQ(pic.TransparentMode(), tmAuto);

  TBitmap dest;
  dest.SetPixelFormat(pf32bit);
  dest.SetSize(8, 8);
  dest.Canvas()->Brush()->SetColor(clLime);
  dest.Canvas()->FillRect(Rect(0, 0, 8, 8));
  pic.SetTransparent(true);
  dest.Canvas()->StretchDraw(Rect(0, 0, 8, 8), &pic);
  EXPECT_EQ(Px(dest, 0, 0), 0x00FF00u);
  EXPECT_EQ(Px(dest, 3, 3), 0x0000FFu);

  pic.SetTransparentColor(clBlue);
  EXPECT_EQ(pic.TransparentMode(), tmFixed);
  win::HBITMAP mask = pic.MaskHandle();
  ASSERT_NE(mask, nullptr);
  win::BITMAP bm;
  ASSERT_GT(win::GetObject(mask, sizeof bm, &bm), 0);
  EXPECT_EQ(bm.bmBitsPixel, 1);

  // BrushCopy paints the key colour with the brush and copies the rest.
  dest.Canvas()->Brush()->SetColor(clYellow);
  dest.Canvas()->BrushCopy(Rect(0, 0, 4, 4), &pic, Rect(0, 0, 4, 4), clFuchsia);
  EXPECT_EQ(Px(dest, 0, 0), 0xFFFF00u);
  EXPECT_EQ(Px(dest, 1, 1), 0x0000FFu);
}

TEST(BitmapTest, PatternBrushFromABitmapCopy) {
  TBitmap pattern;
  pattern.SetSize(2, 2);
  pattern.Canvas()->SetPixels(0, 0, clBlack);
  pattern.Canvas()->SetPixels(1, 1, clBlack);
  TBitmap dest;
  dest.SetPixelFormat(pf32bit);
  dest.SetSize(4, 4);
  dest.Canvas()->Brush()->SetBitmap(&pattern);
  pattern.Canvas()->SetPixels(1, 0, clBlack);  // the brush holds its own copy
  dest.Canvas()->FillRect(Rect(0, 0, 4, 4));
  EXPECT_EQ(Px(dest, 0, 0), 0u);
  EXPECT_EQ(Px(dest, 1, 0), 0xFFFFFFu);
  EXPECT_EQ(Px(dest, 2, 2), 0u);
  EXPECT_EQ(Px(dest, 3, 2), 0xFFFFFFu);
}

}  // namespace

namespace {

TEST(BitmapClipboardTest, APackedDibGoesOutAndComesBackWithItsPixels) {
  TBitmap b;
  b.SetPixelFormat(pf24bit);
  b.SetSize(3, 2);
  b.Canvas()->Brush()->SetColor(clRed);
  b.Canvas()->FillRect(Rect(1, 1, 2, 2));
  win::WORD format = 0;
  win::HANDLE data = nullptr;
  win::HPALETTE palette = nullptr;
  b.SaveToClipboardFormat(format, data, palette);
  EXPECT_EQ(format, win::CF_DIB);
  ASSERT_NE(data, nullptr);
  // No file header: the data begin with the bitmap's own header.
  auto* p = static_cast<const std::uint8_t*>(win::GlobalLock(data));
  EXPECT_EQ(p[0], 40);
  win::GlobalUnlock(data);

  TBitmap back;
  back.LoadFromClipboardFormat(format, data, palette);
  win::GlobalFree(data);
  EXPECT_EQ(back.Width(), 3);
  EXPECT_EQ(back.PixelFormat(), pf24bit);
  EXPECT_EQ(back.Canvas()->Pixels(1, 1), clRed);
  EXPECT_EQ(back.Canvas()->Pixels(0, 0), clWhite);

  EXPECT_THROW(back.LoadFromClipboardFormat(win::CF_TEXT, data, nullptr), EInvalidGraphic);
  EXPECT_EQ(back.Width(), 3);
}

}  // namespace
