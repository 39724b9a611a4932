#include <gtest/gtest.h>

#include <cstring>

#include "platform/classes/Streams.h"
#include "ui/foundation/BitmapPixels.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/Locale.h"
#include "ui/foundation/OSVersion.h"
#include "ui/foundation/TextConversion.h"

namespace {

// ---- version flags ------------------------------------------------------------------------------

struct VersionCase {
  const char* Name;
  win::DWORD Platform, Major, Minor;
  // 9x, 95, 98, ME, NT, 2000, 2000+, XP, XP+, 2000|XP, Vista, Vista+, 7
  const char* Flags;
};

std::string CurrentFlags() {
  std::string s;
  for (bool f : {IsWindows9xPlatform, IsWindows95, IsWindows98, IsWindowsME, IsWindowsNTPlatform, IsWindows2000,
                 IsWindows2000OrLater, IsWindowsXP, IsWindowsXPOrLater, IsWindows2000OrXP, IsWindowsVista,
                 IsWindowsVistaOrLater, IsWindows7})
    s += f ? '1' : '0';
  return s;
}

TEST(OSVersionFlags, Table) {
  const VersionCase cases[] = {
      {"95", win::VER_PLATFORM_WIN32_WINDOWS, 4, 0, "1100000000000"},
      {"98", win::VER_PLATFORM_WIN32_WINDOWS, 4, 10, "1010000000000"},
      {"ME", win::VER_PLATFORM_WIN32_WINDOWS, 4, 90, "1001000000000"},
      {"NT 4", win::VER_PLATFORM_WIN32_NT, 4, 0, "0000100000000"},
      {"2000", win::VER_PLATFORM_WIN32_NT, 5, 0, "0000111001000"},
      {"XP", win::VER_PLATFORM_WIN32_NT, 5, 1, "0000101111000"},
      {"Vista", win::VER_PLATFORM_WIN32_NT, 6, 0, "0000101010110"},
      {"7", win::VER_PLATFORM_WIN32_NT, 6, 1, "0000101010111"},
      {"8", win::VER_PLATFORM_WIN32_NT, 6, 2, "0000101010110"},
      {"10", win::VER_PLATFORM_WIN32_NT, 10, 0, "0000101010010"},
  };
  for (const auto& c : cases) {
    win::OSVERSIONINFO v;
    v.dwPlatformId = c.Platform;
    v.dwMajorVersion = c.Major;
    v.dwMinorVersion = c.Minor;
    InitializeOSVersionFlags(v);
    EXPECT_EQ(CurrentFlags(), c.Flags) << c.Name;
    EXPECT_FALSE(IsRunningUnderWow64);
  }
  InitializeOSVersionFlags();
}

TEST(OSVersionFlags, PlatformReportsWindows7) {
  // Set before any test ran, from the platform's own answer.
  EXPECT_EQ(CurrentFlags(), "0000101010111");
  EXPECT_FALSE(IsRunningUnderWow64);
}

// ---- text conversions ---------------------------------------------------------------------------

TEST(TextConversion, CharsetToCodePage) {
  const struct {
    int Charset;
    unsigned CodePage;
  } cases[] = {{0, 0},      {1, 0},      {2, 0},      {128, 932},  {129, 949}, {130, 949}, {134, 936}, {136, 950},
               {161, 1253}, {162, 1254}, {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251}, {222, 874}, {238, 1250},
               {255, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(CharsetToCodePage(static_cast<win::BYTE>(c.Charset)), c.CodePage) << c.Charset;
}

TEST(TextConversion, WideAndCodePages) {
  WideString w = u"x";
  AnsiToWideText("", 936, w);
  EXPECT_TRUE(w.empty());
  MultiByteToWideText(nullptr, 3, 936, w);
  EXPECT_TRUE(w.empty());

  const String gbk = "\xD6\xD0\xCE\xC4" "abc";  // two Chinese characters and "abc" in GBK
  AnsiToWideText(gbk, 936, w);
  EXPECT_EQ(w, u"\u4E2D\u6587abc");
  MultiByteToWideText(gbk.c_str(), 5, 936, w);  // only the first five bytes
  EXPECT_EQ(w, u"\u4E2D\u6587a");
  MultiByteToWideText(gbk.c_str(), -1, 936, w);
  EXPECT_EQ(w, u"\u4E2D\u6587abc");

  String back;
  WideToAnsiText(u"\u4E2D\u6587abc", 936, back);
  EXPECT_EQ(back, gbk);
  WideToMultiByteText(u"\u4E2D\u6587abc", 1, 65001, back);
  EXPECT_EQ(back, "\xE4\xB8\xAD");
  AnsiToWideText("\xE4\xB8\xAD", 65001, w);
  EXPECT_EQ(w, u"\u4E2D");

  String same;
  ConvertToAnsiText("\xE4\xB8\xAD", 936, same);
  EXPECT_EQ(same, "\xE4\xB8\xAD");
  ConvertFromAnsiText("abc", 1252, same);
  EXPECT_EQ(same, "abc");
}

TEST(TextConversion, NinexPlatformConvertsUtf8Itself) {
  win::OSVERSIONINFO v;
  v.dwPlatformId = win::VER_PLATFORM_WIN32_WINDOWS;
  v.dwMajorVersion = 4;
  v.dwMinorVersion = 10;
  InitializeOSVersionFlags(v);
  WideString w;
  AnsiToWideText("\xE4\xB8\xAD!", 65001, w);
  String s;
  WideToAnsiText(w, 65001, s);
  InitializeOSVersionFlags();
  EXPECT_EQ(w, u"\u4E2D!");
  EXPECT_EQ(s, "\xE4\xB8\xAD!");
}

TEST(TextConversion, VariantsAndShortStrings) {
  String s;
  Variant bytes = VarArrayCreate(1, 3, varByte);
  bytes[1] = std::uint8_t{0x41};
  bytes[2] = std::uint8_t{0x00};
  bytes[3] = std::uint8_t{0xFF};
  VariantToAnsiText(bytes, s);
  EXPECT_EQ(s, String("A\0\xFF", 3));
  VariantToAnsiText(Variant("text"), s);
  EXPECT_EQ(s, "text");
  EditValueToAnsiText(Variant(42), s);
  EXPECT_EQ(s, "42");
  VariantToAnsiText(Variant::Null(), s);
  EXPECT_EQ(s, "");

  ShortString shortS;
  LongToShortString(String(300, 'x'), shortS);
  ASSERT_EQ(shortS.size(), 256u);
  EXPECT_EQ(static_cast<unsigned char>(shortS[0]), 255);
  ShortToLongString(shortS, s);
  EXPECT_EQ(s, String(255, 'x'));
  ShortToLongString(String("\x09" "abc", 4), s);  // a length byte beyond the data reads no further
  EXPECT_EQ(s, "abc");
  ShortToLongString("", s);
  EXPECT_EQ(s, "");
}

// ---- locale, memory, streams --------------------------------------------------------------------

TEST(CoreServices, LocaleFollowsTheRunTimeSettings) {
  const TFormatSettings saved = FormatSettings;
  FormatSettings = TFormatSettings::Invariant();
  EXPECT_EQ(GetLocaleLongMonthName(1), FormatSettings.LongMonthNames[0]);
  EXPECT_EQ(GetLocaleShortMonthName(12), FormatSettings.ShortMonthNames[11]);
  EXPECT_EQ(GetLocaleShortMonthName(13), "");
  FormatSettings.DateSeparator = '-';
  FormatSettings.TimeAMString = "am";
  EXPECT_EQ(GetLocaleDateSeparator(), '-');
  EXPECT_EQ(GetLocaleTimeAMString(), "am");
  FormatSettings = saved;
  EXPECT_EQ(GetLocaleShortDateFormat(), saved.ShortDateFormat);
}

TEST(CoreServices, MemoryAndStreamRoutines) {
  char buf[8] = "abcdefg";
  MoveMemoryBlock(buf, buf + 2, 4);  // overlapping
  EXPECT_STREQ(buf, "ababcdg");
  ZeroFillMemory(buf + 1, 2);
  EXPECT_EQ(std::memcmp(buf, "a\0\0bcdg", 7), 0);

  TMemoryStream stream;
  WriteInt32ToStream(&stream, -2);
  WriteInt32ToStream(&stream, 0x01020304);
  ASSERT_EQ(stream.Size(), 8);
  const auto* p = static_cast<const unsigned char*>(stream.Memory());
  const unsigned char expected[8] = {0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01};
  EXPECT_EQ(std::memcmp(p, expected, 8), 0);

  int a = 1, b = 2;
  SwapIntegers(a, b);
  EXPECT_EQ(a * 10 + b, 21);

  TCharSet256 set;
  set.Include('a');
  set.Include(255);
  EXPECT_TRUE(TestCharInSet('a', set));
  EXPECT_TRUE(TestCharInSet(255, set));
  EXPECT_FALSE(TestCharInSet('b', set));

  try {
    throw EdxException("library error");
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "library error");
  }
}

// ---- bitmap pixels ------------------------------------------------------------------------------

// A DIB section, as a 32-bit picture with alpha is held.
win::HBITMAP MakeSection(int Width, int Height, int Bpp) {
  win::BITMAPINFO info;
  info.bmiHeader.biWidth = Width;
  info.bmiHeader.biHeight = Height;
  info.bmiHeader.biBitCount = static_cast<win::WORD>(Bpp);
  void* bits = nullptr;
  win::HBITMAP bm = win::CreateDIBSection(nullptr, &info, win::DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bm && bits) std::memset(bits, 0xFF, static_cast<std::size_t>(((Width * Bpp + 31) / 32) * 4 * Height));
  return bm;
}

TEST(BitmapPixels, ReadAndWriteWholeBitmaps) {
  win::HBITMAP bm = MakeSection(2, 2, 32);
  ASSERT_NE(bm, nullptr);
  TRGBColors clear(4, ColorToRGBQuad(0x123456));
  ASSERT_TRUE(StoreBitmapColors(bm, clear, false));
  EXPECT_FALSE(BitmapUsesAlpha(bm));  // all alpha bytes 0

  // Top row first: red, green; then blue, white with some alpha.
  TRGBColors colors = {ColorToRGBQuad(0x0000FF), ColorToRGBQuad(0x00FF00), ColorToRGBQuad(0xFF0000),
                       ColorToRGBQuad(0xFFFFFF, 0x80)};
  EXPECT_EQ(colors[0].rgbRed, 0xFF);
  EXPECT_EQ(colors[2].rgbBlue, 0xFF);
  ASSERT_TRUE(StoreBitmapColors(bm, colors, true));

  TRGBColors bottomUp;
  ASSERT_TRUE(GetBitmapColors(bm, bottomUp, false));
  ASSERT_EQ(bottomUp.size(), 4u);
  EXPECT_EQ(bottomUp[0].rgbBlue, 0xFF);  // the bottom row comes first
  EXPECT_EQ(bottomUp[1].rgbReserved, 0x80);
  EXPECT_EQ(bottomUp[2].rgbRed, 0xFF);
  EXPECT_TRUE(BitmapUsesAlpha(bm));
  EXPECT_EQ(BitmapBitsPerPixel(bm), 32);

  EXPECT_FALSE(StoreBitmapColors(bm, TRGBColors(3), true));  // too few pixels: nothing written
  win::DeleteObject(bm);

  // No bitmap to read: false, and the buffer stays as it was.
  std::uint32_t untouched[4] = {7, 7, 7, 7};
  EXPECT_FALSE(ReadBitmapPixels(nullptr, untouched, true));
  EXPECT_FALSE(ReadBitmapPixels(bm, untouched, true));  // deleted: a stale handle
  EXPECT_EQ(untouched[0], 7u);
}

TEST(BitmapPixels, TwentyFourBitBitmapsUseNoAlpha) {
  win::HBITMAP bm = MakeSection(1, 2, 24);  // every byte 0xFF
  ASSERT_NE(bm, nullptr);
  EXPECT_EQ(BitmapBitsPerPixel(bm), 24);
  EXPECT_FALSE(BitmapUsesAlpha(bm));
  win::DeleteObject(bm);
}

TEST(BitmapPixels, SystemColoursResolve) {
  const win::COLORREF face = win::GetSysColor(15);  // COLOR_BTNFACE
  const TRGBQuad q = ColorToRGBQuad(static_cast<std::int32_t>(0x8000000F), 0xFF);
  EXPECT_EQ(q.rgbRed, win::GetRValue(face));
  EXPECT_EQ(q.rgbBlue, win::GetBValue(face));
  EXPECT_EQ(q.rgbReserved, 0xFF);
}

}  // namespace
