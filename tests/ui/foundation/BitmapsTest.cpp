#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "platform/classes/Component.h"
#include "platform/classes/Consts.h"
#include "platform/classes/FormDescription.h"
#include "platform/win/Startup.h"
#include "ui/foundation/Bitmaps.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/DrawingRoutines.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(TMemoryStream& Stream) {
  const auto* p = static_cast<const std::uint8_t*>(Stream.Memory());
  return Bytes(p, p + Stream.Size());
}

Bytes BmpOf(TBitmap* Bitmap) {
  TMemoryStream m;
  Bitmap->SaveToStream(&m);
  return BytesOf(m);
}

Bytes RecordOf(TcxBitmap* Bitmap) {
  TMemoryStream m;
  Bitmap->SaveDataRecord(&m);
  return BytesOf(m);
}

void LoadRecord(TcxBitmap* Bitmap, const Bytes& Data) {
  TMemoryStream m;
  if (!Data.empty()) m.WriteBuffer(Data.data(), static_cast<std::int32_t>(Data.size()));
  m.SetPosition(0);
  Bitmap->LoadDataRecord(&m);
}

// Runs, literal stretches and a few colours, so both kinds of run appear in the record.
void Paint(TBitmap* Bitmap) {
  TCanvas* c = Bitmap->Canvas();
  for (int y = 0; y < Bitmap->Height(); ++y)
    for (int x = 0; x < Bitmap->Width(); ++x)
      c->SetPixels(x, y, x < Bitmap->Width() / 2 ? clRed : ((x * 7 + y * 3) % 4 ? clBlue : clWhite));
}

std::uint32_t& PixelAt(TBitmap* Bitmap, int X, int Y) { return static_cast<std::uint32_t*>(Bitmap->ScanLine(Y))[X]; }

class Bitmaps : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { platform::StartPlatform(); }
};

// ---- the record -------------------------------------------------------------------------------------

TEST_F(Bitmaps, RecordRoundTripsAtEveryDepth) {
  for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) {
    for (auto [w, h] : {std::pair{5, 3}, std::pair{40, 17}}) {
      TcxBitmap source(w, h, format);
      Paint(&source);
      source.SetCompressData(true);
      const Bytes record = RecordOf(&source);
      ASSERT_GE(record.size(), 12u);
      EXPECT_EQ(0, std::memcmp(record.data() + 4, "XDBM", 4));
      EXPECT_EQ(record[8], 2);
      EXPECT_EQ(record[10], std::max(TBitmap::BitsOf(format) / 8, 1)) << "block size";
      std::int32_t bodySize;
      std::memcpy(&bodySize, record.data(), 4);
      EXPECT_EQ(static_cast<std::size_t>(bodySize), record.size() - 10);

      TcxBitmap copy;
      LoadRecord(&copy, record);
      EXPECT_EQ(BmpOf(&copy), BmpOf(&source)) << TBitmap::BitsOf(format) << " bits " << w << " x " << h;
      EXPECT_EQ(copy.PixelFormat(), format);
    }
  }
}

TEST_F(Bitmaps, RunEncodingBytes) {
  const Bytes a{1, 2, 3}, b{9, 8, 7};
  Bytes same;
  for (int i = 0; i < 300; ++i) same.insert(same.end(), a.begin(), a.end());
  Bytes out;
  EncodeBitmapRuns(same.data(), same.size(), 3, out);
  EXPECT_EQ(out, (Bytes{0x7D, 1, 2, 3, 0x7D, 1, 2, 3, 0x32, 1, 2, 3}));

  Bytes mixed = a;
  for (int i = 0; i < 3; ++i) mixed.insert(mixed.end(), b.begin(), b.end());
  out.clear();
  EncodeBitmapRuns(mixed.data(), mixed.size(), 3, out);
  EXPECT_EQ(out, (Bytes{0x81, 1, 2, 3, 0x03, 9, 8, 7}));

  // A long literal stretch is cut at 125 blocks; a lone last block is a literal run of one.
  Bytes ramp;
  for (int i = 0; i < 127; ++i) ramp.push_back(static_cast<std::uint8_t>(i));
  out.clear();
  EncodeBitmapRuns(ramp.data(), ramp.size(), 1, out);
  ASSERT_EQ(out.size(), 1u + 125 + 1 + 2);
  EXPECT_EQ(out[0], 0x80 | 125);
  EXPECT_EQ(out[126], 0x82);
}

TEST_F(Bitmaps, PlainDataAndEmptyBitmapsLoad) {
  TcxBitmap source(6, 4);
  Paint(&source);
  const Bytes plain = RecordOf(&source);  // without CompressData
  EXPECT_NE(0, std::memcmp(plain.data() + 4, "XDBM", 4));
  TcxBitmap copy;
  LoadRecord(&copy, plain);
  EXPECT_EQ(BmpOf(&copy), BmpOf(&source));

  // The plain record of an empty bitmap is its length 0 alone, shorter than a record header.
  TcxBitmap empty;
  EXPECT_EQ(RecordOf(&empty), (Bytes{0, 0, 0, 0}));
  LoadRecord(&copy, Bytes{0, 0, 0, 0});
  EXPECT_TRUE(copy.Empty());

  empty.SetCompressData(true);
  LoadRecord(&copy, RecordOf(&empty));
  EXPECT_TRUE(copy.Empty());
}

TEST_F(Bitmaps, BadRecordsRaiseAndKeepThePicture) {
  TcxBitmap source(9, 7);
  Paint(&source);
  source.SetCompressData(true);
  const Bytes record = RecordOf(&source);

  TcxBitmap target(3, 3);
  Paint(&target);
  const Bytes before = BmpOf(&target);

  Bytes version3 = record;
  version3[8] = 3;
  try {
    LoadRecord(&target, version3);
    FAIL() << "version 3 loaded";
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), SReadError);
  }
  EXPECT_EQ(BmpOf(&target), before);

  // Cut inside the raw prefix or a run (a read error), or between runs (too little bitmap data).
  int raised = 0;
  for (std::size_t keep = 11; keep < record.size(); keep += 3) {
    Bytes cut(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(keep));
    try {
      LoadRecord(&target, cut);
    } catch (const EReadError&) {
      ++raised;
    } catch (const EInvalidGraphic&) {
      ++raised;
    }
    EXPECT_EQ(BmpOf(&target), before) << keep;
  }
  EXPECT_EQ(raised, static_cast<int>((record.size() - 11 + 2) / 3));
}

TEST_F(Bitmaps, RandomRecordsStayInBounds) {
  TcxBitmap source(13, 5, pf32bit);
  Paint(&source);
  source.SetCompressData(true);
  const Bytes record = RecordOf(&source);
  std::mt19937 random(20);
  for (int round = 0; round < 400; ++round) {
    Bytes data = record;
    if (round % 2) {
      data.resize(10 + random() % 200);
      for (std::size_t i = 10; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(random());
    } else {
      for (int k = 0; k < 4; ++k) data[10 + random() % (data.size() - 10)] = static_cast<std::uint8_t>(random());
    }
    TcxBitmap target;
    try {
      LoadRecord(&target, data);
    } catch (const Exception&) {
    }
  }
}

// A component with a compressed glyph, as the library's buttons store theirs.
class TGlyphHolder : public TComponent {
  VW_CLASS(TGlyphHolder, TComponent)
 public:
  TGlyphHolder() : TComponent(nullptr) { FGlyph.SetCompressData(true); }
  static void DeclareProperties(TPropTable& t) { t.Add("Glyph", &TGlyphHolder::Glyph, &TGlyphHolder::SetGlyph); }
  TBitmap* Glyph() const { return const_cast<TcxBitmap*>(&FGlyph); }
  void SetGlyph(TBitmap* Value) { FGlyph.Assign(Value); }
  TcxBitmap FGlyph{0, 0, pf32bit};
};

TEST_F(Bitmaps, CompressedGlyphInAFormDescription) {
  TGlyphHolder stored;
  stored.SetName("Holder");
  stored.FGlyph.Resize(20, 12);
  Paint(&stored.FGlyph);
  PixelAt(&stored.FGlyph, 3, 2) = 0x80102030;
  const String text = ComponentToFormText(&stored);
  EXPECT_NE(text.find("Glyph.Data"), String::npos);

  TGlyphHolder loaded;
  FormTextToComponent(text, &loaded);
  EXPECT_EQ(BmpOf(&loaded.FGlyph), BmpOf(&stored.FGlyph));
  EXPECT_EQ(PixelAt(&loaded.FGlyph, 3, 2), 0x80102030u);
}

// ---- update lock and sizes ------------------------------------------------------------------------

TEST_F(Bitmaps, ResizeAndLockNotifyAtMostOnce) {
  TcxBitmap bitmap(4, 4);
  int changes = 0;
  bitmap.OnChange = [&](TObject*) { ++changes; };
  bitmap.Resize(-5, 10);
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Height(), 10);
  EXPECT_EQ(changes, 1);
  bitmap.Resize(0, 10);
  EXPECT_EQ(changes, 1);

  changes = 0;
  bitmap.LockUpdates();
  bitmap.LockUpdates();
  bitmap.Resize(8, 8);
  bitmap.SetPixelFormat(pf32bit);
  bitmap.UnlockUpdates();
  EXPECT_EQ(changes, 0);
  bitmap.UnlockUpdates();
  EXPECT_EQ(changes, 1);
  bitmap.UnlockUpdates(true);  // not locked: nothing
  EXPECT_EQ(changes, 1);
  bitmap.LockUpdates();
  bitmap.UnlockUpdates(true);
  EXPECT_EQ(changes, 2);
}

TEST_F(Bitmaps, Bitmap32KeepsThirtyTwoBits) {
  TcxBitmap32 bitmap(4, 4);
  try {
    bitmap.SetPixelFormat(pf24bit);
    FAIL() << "pf24bit accepted";
  } catch (const EdxException& e) {
    EXPECT_STREQ(e.what(), "Wrong PixelFormat");
  }
  TcxBitmap32 device;
  EXPECT_NO_THROW(device.SetPixelFormat(pfDevice));

  TBitmap plain24;
  plain24.SetPixelFormat(pf24bit);
  plain24.SetSize(5, 3);
  Paint(&plain24);
  TMemoryStream bmp;
  plain24.SaveToStream(&bmp);
  bmp.SetPosition(0);
  TcxBitmap32 loaded;
  ASSERT_NO_THROW(loaded.LoadFromStream(&bmp));
  EXPECT_EQ(loaded.PixelFormat(), pf32bit);
  EXPECT_EQ(PixelAt(&loaded, 0, 0) & 0xFFFFFF, 0xFF0000u);

  // The same for stored data, plain and compressed.
  TcxBitmap record24(5, 3);
  Paint(&record24);
  for (bool compress : {false, true}) {
    record24.SetCompressData(compress);
    TcxBitmap32 target;
    ASSERT_NO_THROW(LoadRecord(&target, RecordOf(&record24)));
    EXPECT_EQ(target.PixelFormat(), pf32bit);
    EXPECT_EQ(target.Width(), 5);
  }
}

TEST_F(Bitmaps, PixelsBottomRowFirstAndMaskOut) {
  TcxBitmap32 bitmap(3, 2, true);
  PixelAt(&bitmap, 0, 1) = 0x11223344;  // bottom-left
  TRGBColors colors;
  ASSERT_TRUE(bitmap.ReadPixels(colors));
  ASSERT_EQ(colors.size(), 6u);
  EXPECT_EQ(colors[0].rgbBlue, 0x44);
  EXPECT_EQ(colors[0].rgbReserved, 0x11);
  EXPECT_TRUE(bitmap.UsesAlpha());
  bitmap.SetAllAlpha(0);
  EXPECT_FALSE(bitmap.UsesAlpha());
  bitmap.MakeOpaque();
  EXPECT_EQ(PixelAt(&bitmap, 2, 0), 0xFF000000u);

  TcxBitmap32 mask(3, 2, true);
  PixelAt(&mask, 1, 0) = 0xFFFFFFFF;
  MaskOutBitmap(&bitmap, &mask);
  EXPECT_EQ(PixelAt(&bitmap, 1, 0), 0u);
  EXPECT_EQ(PixelAt(&bitmap, 0, 1), 0xFF223344u);
}

// ---- alpha bitmap -------------------------------------------------------------------------------------

TEST_F(Bitmaps, PixelOperationsOnOneRow) {
  struct Case {
    TcxPixelOperation Operation;
    std::uint32_t Before, After;
  };
  const Case cases[] = {
      {poLighten, 0xFF646464, 0xFF939393},      // opaque grey 100: 147
      {poLighten, 0x80646464, 0x644E4E4E},      // grey 100 at alpha 128: 78, alpha 100
      {poGreyByAverage, 0xFF0A141E, 0xFF141414},
      {poFadedGrey, 0xFF0000FF, 0xFF1D1D1D},    // blue 255 * 0.114 = 29.07
      {poWeightedGrey, 0xFF00FF00, 0xFFB6B6B6},  // green 255 * 0.7146 = 182.2
      {poOpaque, 0x00123456, 0xFF123456},
      {poAlphaRecovery, 0x00123456, 0xFF123456},
      {poAlphaOff, 0xFF123456, 0x00123456},
  };
  for (const Case& c : cases) {
    TcxAlphaBitmap bitmap(2, 1);
    PixelAt(&bitmap, 0, 0) = c.Before;
    PixelAt(&bitmap, 1, 0) = 0;  // the transparent background: left alone
    bitmap.ApplyPixelOperation(c.Operation);
    EXPECT_EQ(PixelAt(&bitmap, 0, 0), c.After) << int(c.Operation);
    if (c.Operation != poOpaque) {
      EXPECT_EQ(PixelAt(&bitmap, 1, 0), 0u) << int(c.Operation);
    }
  }

  // Disabled grey: the grey, then the button shadow at 0xC0 blended at 238.
  TcxAlphaBitmap disabled(1, 1);
  PixelAt(&disabled, 0, 0) = 0xFF646464;
  disabled.ApplyPixelOperation(poDisabledGrey);
  TRGBQuad expected{100, 100, 100, 255};
  BlendPixel(ColorToRGBQuad(clBtnShadow, 0xC0), expected, 238);
  EXPECT_EQ(PixelAt(&disabled, 0, 0), static_cast<std::uint32_t>(expected.rgbBlue | expected.rgbGreen << 8 |
                                                                   expected.rgbRed << 16 | expected.rgbReserved << 24));
}

TEST_F(Bitmaps, TransparencyMaskTakesTheColourList) {
  TcxAlphaBitmap bitmap(4, 1);
  const std::uint32_t row[] = {0xFFFF00FF, 0xFF00FF00, 0x00FF00FF, 0xFFFF00FE};
  for (int x = 0; x < 4; ++x) PixelAt(&bitmap, x, 0) = row[x];
  bitmap.SetTransparentBkColor(0x12345678);  // matches nothing
  AddColorToList(bitmap.TransparentPixels(), clFuchsia);
  bitmap.ApplyPixelOperation(poTransparencyMask);
  EXPECT_EQ(PixelAt(&bitmap, 0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(PixelAt(&bitmap, 1, 0), 0u);
  EXPECT_EQ(PixelAt(&bitmap, 2, 0), 0xFFFFFFFFu);  // magenta whatever its alpha
  EXPECT_EQ(PixelAt(&bitmap, 3, 0), 0u);

  // One colour: the list, the background with alpha 0, and the rest made opaque.
  TcxAlphaBitmap keyed(2, 1);
  PixelAt(&keyed, 0, 0) = 0x0000FF00;
  PixelAt(&keyed, 1, 0) = 0x00102030;
  keyed.SetTransparentColor(clLime);
  EXPECT_EQ(keyed.TransparentBkColor(), 0x0000FF00u);
  EXPECT_EQ(PixelAt(&keyed, 0, 0), 0x0000FF00u);
  EXPECT_EQ(PixelAt(&keyed, 1, 0), 0xFF102030u);
}

TEST_F(Bitmaps, HatchAndClear) {
  TcxAlphaBitmap bitmap(4, 4, 0xFFFFFFFF);
  bitmap.ClearImage();
  EXPECT_EQ(PixelAt(&bitmap, 3, 3), 0xFFFFFFFFu);
  bitmap.SetTransparentBkColor(0x00FFFFFF);
  bitmap.ClearImage();
  EXPECT_EQ(PixelAt(&bitmap, 0, 0), 0u);

  bitmap.DrawHatch(clRed, clBlue, 2, 255, 255);
  const std::uint32_t red = 0xFFFF0000, blue = 0xFF0000FF;
  // Rows from the top: the bottom-left cell (rows 2 and 3, columns 0 and 1) is Color1.
  const std::uint32_t expected[4][4] = {
      {blue, blue, red, red}, {blue, blue, red, red}, {red, red, blue, blue}, {red, red, blue, blue}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(PixelAt(&bitmap, x, y), expected[y][x]) << x << "," << y;

  TcxAlphaBitmap untouched(2, 2, 0xFF808080);
  untouched.ClearImage();
  untouched.DrawHatch(clRed, clBlue, 0, 255, 255);  // no cells: nothing to draw
  EXPECT_EQ(PixelAt(&untouched, 1, 1), 0xFF808080u);
}

TEST_F(Bitmaps, ShadowUnderTheShape) {
  // A 2 x 2 shape at the top-left of a 4 x 4 image.
  TcxAlphaBitmap image(4, 4), mask(4, 4, 0xFFFFFFFF);
  image.ClearImage();
  mask.ClearImage();
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) {
      PixelAt(&image, x, y) = 0xFF0000FF;
      PixelAt(&mask, x, y) = 0;
    }
  TcxAlphaBitmap enlarged(4, 4);
  enlarged.Assign(&image);
  AddImageShadow(&image, &mask, 1, clBlack, false);
  EXPECT_EQ(PixelAt(&image, 1, 1), 0xFF0000FFu);
  EXPECT_EQ(PixelAt(&image, 2, 2), 0xFF000000u);
  EXPECT_EQ(PixelAt(&image, 2, 1), 0xFF000000u);
  EXPECT_EQ(PixelAt(&image, 3, 3), 0u);

  AddImageShadow(&enlarged, &mask, 3, clWhite, true);
  EXPECT_EQ(enlarged.Width(), 7);
  EXPECT_EQ(enlarged.Height(), 7);
  EXPECT_EQ(PixelAt(&enlarged, 0, 0), 0xFF0000FFu);
  EXPECT_EQ(PixelAt(&enlarged, 4, 4), 0xFFFFFFFFu);
  EXPECT_EQ(PixelAt(&enlarged, 6, 6), 0u);

  ResetScratchBitmap(&enlarged, 2, 3);
  EXPECT_EQ(enlarged.Width(), 2);
  EXPECT_EQ(PixelAt(&enlarged, 1, 2), 0u);
}

}  // namespace
