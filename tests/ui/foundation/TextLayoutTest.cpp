#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/Accelerators.h"
#include "ui/foundation/Geometry.h"
#include "platform/system/CodePage.h"
#include "ui/foundation/TextLayout.h"

namespace {

using surfacetest::Surface;

// The rows of a layout as their texts, "|" between rows.
std::string RowTexts(const TcxTextRows& Rows, int Count) {
  std::string s;
  for (int i = 0; i < Count; ++i) {
    const TcxTextRowInfo& row = TextRowAt(Rows, i);
    if (i) s += "|";
    s += Rows.Text.Slice(row.TextOffset, row.TextOffset + row.Length);
  }
  return s;
}

class TextLayoutTest : public ::testing::Test {
 protected:
  TextLayoutTest() : S(200, 120) {
    S.Canvas()->Font()->SetName("DejaVu Sans");
    S.Canvas()->Font()->SetHeight(-12);
    DC = S.Canvas()->Handle();
  }
  int Width(const String& Text) { return S.Canvas()->TextWidth(Text); }
  // Lays the text out in a rectangle Width wide and returns the rows as texts.
  std::string Layout(const String& Text, int RectWidth, TcxTextLayoutFlags Flags, bool CharBreak = true) {
    TcxTextLayoutParams params;
    FillTextParams(DC, Flags, params);
    params.CharBreak = CharBreak;
    Rows.Text.Assign(Text);
    int count = 0;
    BuildTextRows(DC, TRect(0, 0, RectWidth, 1000), params, Rows, count);
    return RowTexts(Rows, count);
  }

  Surface S;
  win::HDC DC;
  TcxTextRows Rows;
};

TEST_F(TextLayoutTest, RowBreaking) {
  const String chinese = "\u4E2D\u6587\u6587\u5B57\uFF0C\u65AD\u884C\u3002";  // 中文文字，断行。
  const int ideograph = Width("\u4E2D");
  struct Case {
    const char* Name;
    String Text;
    int RectWidth;
    TcxTextLayoutFlags Flags;
    bool CharBreak;
    std::string Rows;
  };
  const Case cases[] = {
      {"two words, the space skipped", "aaaa bbbb", Width("aaaa") + 1, tlfWordBreak, true, "aaaa|bbbb"},
      {"two words, right aligned", "aaaa bbbb", Width("aaaa b"), tlfWordBreak | tlfAlignRight, true, "aaaa|bbbb"},
      {"line breaks of every kind", "a\r\nb\n\rc\rd\ne", 500, tlfWordBreak, true, "a|b|c|d|e"},
      {"ideographs break anywhere but before closing marks", chinese, ideograph * 4 + 2, tlfWordBreak, true,
       "\u4E2D\u6587\u6587|\u5B57\uFF0C\u65AD|\u884C\u3002"},
      {"a word too wide stays whole without character breaking", "aaaaaaaaaa b", Width("aaaa"), tlfWordBreak, false,
       "aaaaaaaaaa|b"},
      {"edit-control rules cut it", "aaaaaaaaaa", Width("aaaa"), tlfWordBreak | tlfEditControl, false,
       "aaaa|aaaa|aa"},
      {"character breaking is on under the Chinese locale", "aaaaaaaaaa", Width("aaaa"), tlfWordBreak, true,
       "aaaa|aaaa|aa"},
      {"no word break: lines only", "aaaa bbbb\ncc", 10, 0, true, "aaaa bbbb|cc"},
      {"justify wraps without the word break flag", "aaaa bbbb", Width("aaaa") + 1, tlfJustifyAll, true,
       "aaaa|bbbb"},
      {"measure-only takes whole lines, cut at characters", "aaaa bbbb", Width("aaaa b"),
       tlfWordBreak | tlfMeasureOnly, true, "aaaa b|bbb"},
      {"count-only wraps between words", "aaaa bbbb", Width("aaaa") + 1, tlfWordBreak | tlfCountRows, true,
       "aaaa|bbbb"},
      {"spaces after a wrap skipped when asked", "aaaa   bbbb", Width("aaaa") + 1,
       tlfWordBreak | tlfSkipSpacesAfterWrap, true, "aaaa|bbbb"},
  };
  for (const Case& c : cases) EXPECT_EQ(Layout(c.Text, c.RectWidth, c.Flags, c.CharBreak), c.Rows) << c.Name;
}

TEST_F(TextLayoutTest, IdeographTestFollowsTheAnsiCodePage) {
  EXPECT_TRUE(IsIdeographChar(U'\u4E2D'));
  EXPECT_TRUE(IsIdeographChar(U'\u3042'));   // kana
  EXPECT_TRUE(IsIdeographChar(U'\u03B1'));   // Greek takes two bytes in GBK
  EXPECT_TRUE(IsIdeographChar(U'\u00E0'));   // as does accented pinyin
  EXPECT_FALSE(IsIdeographChar(U'A'));
  EXPECT_FALSE(IsIdeographChar(U'\u00C5'));  // not in GBK at all
  EXPECT_TRUE(IsNoLineStartChar(U'\uFF0C'));
  EXPECT_TRUE(IsNoLineStartChar(U'\uFFE5'));
  EXPECT_FALSE(IsNoLineStartChar(U'\u4E2D'));
}

TEST_F(TextLayoutTest, JustifiedRowsCountTheirInnerBlanks) {
  Layout("aa bb cc dd", Width("aa bb cc d"), tlfJustifyWrapped);
  ASSERT_EQ(Rows.Count, 2);
  EXPECT_EQ(TextRowAt(Rows, 0).SpaceCount, 2);
  EXPECT_EQ(TextRowAt(Rows, 0).Width, Width("aa bb cc"));
  EXPECT_EQ(TextRowAt(Rows, 1).SpaceCount, 0);  // the last row is not wrapped
}

TEST_F(TextLayoutTest, SpreadRowsHandTheRemainderOutFromTheTop) {
  TcxTextLayoutParams params;
  params.TextHeight = params.RowHeight = 13;
  params.VertAlignment = 3;
  TcxTextRows rows;
  rows.Rows.resize(3);
  rows.Count = 3;
  PositionTextRows(DC, TRect(0, 0, 50, 100), params, rows, 3);
  EXPECT_EQ(TextRowAt(rows, 0).Top, 0);
  EXPECT_EQ(TextRowAt(rows, 1).Top, 44);
  EXPECT_EQ(TextRowAt(rows, 2).Top, 87);
  EXPECT_EQ(params.RowHeight, 43);
}

TEST_F(TextLayoutTest, ParamsTakeTheExternalLeadingWhenAsked) {
  win::TEXTMETRIC tm;
  win::GetTextMetrics(DC, &tm);
  TcxTextLayoutParams plain, leading;
  FillTextParams(DC, 0, plain);
  FillTextParams(DC, tlfExternalLeading, leading);
  EXPECT_EQ(plain.RowHeight, tm.tmHeight);
  EXPECT_EQ(leading.RowHeight, tm.tmHeight + tm.tmExternalLeading);
  EXPECT_EQ(leading.ExternalLeading, tm.tmExternalLeading);
  TcxTextLayoutParams spaced;
  FillTextParams(DC, 0, spaced, 1.5);
  EXPECT_EQ(spaced.RowHeight, static_cast<int>(std::nearbyint(tm.tmHeight * 1.5)));
}

TEST_F(TextLayoutTest, MeasureOnlyWithMaxRows) {
  TcxTextLayoutParams params;
  FillTextParams(DC, 0, params);
  TRect r(10, 10, 300, 300);
  const int height = DrawLayoutText(DC, "first\nsecond row\nthird", r, tlfMeasureOnly | tlfAutoIndents, 0, 0,
                                    nullptr, clDefault, clDefault, 2, 3, 4);
  EXPECT_EQ(height, 2 * params.RowHeight);
  EXPECT_EQ(r, TRect(10, 10, 10 + 2 + 3 + Width("second row") + 4 + 2, 10 + 2 + 2 * params.RowHeight + 2));
  // Count-only answers the rows.
  TRect c(0, 0, 300, 300);
  EXPECT_EQ(DrawLayoutText(DC, "a\nb\nc", c, tlfCountRows | tlfMeasureOnly, 0, 0, nullptr, clDefault, clDefault), 3);
  TRect e(0, 0, 300, 300);
  EXPECT_EQ(DrawLayoutText(DC, "", e, 0, 0, 0, nullptr, clDefault, clDefault), 0);
}

TEST_F(TextLayoutTest, HidePrefixLaysOutTheStrippedCaption) {
  TRect r(0, 0, 300, 300);
  DrawLayoutText(DC, "&File", r, tlfMeasureOnly | tlfSingleLine | tlfHidePrefix, 0, 0, nullptr, clDefault, clDefault);
  EXPECT_EQ(WidthOfRect(r), Width("File"));
  TRect only(0, 0, 300, 300);
  EXPECT_EQ(DrawLayoutText(DC, "&", only, tlfHidePrefix, 0, 0, nullptr, clDefault, clDefault), 0);
}

TEST_F(TextLayoutTest, EndEllipsisFollowsTheCharactersThatFit) {
  S.Clear(clWhite);
  const String text = "An ellipsis cuts this line";
  const TRect r(4, 4, 4 + Width("An ellips"), 30);
  TRect drawn = r;
  DrawLayoutText(DC, text, drawn, tlfSingleLine | tlfEndEllipsis, 0, 0, nullptr, clDefault, clDefault);
  S.Save("layout-ellipsis.png");

  TcxTextLayoutParams params;
  FillTextParams(DC, tlfEndEllipsis, params);
  int fit = 0;
  win::GetTextExtentExPoint(DC, text.c_str(), static_cast<int>(text.size()), WidthOfRect(r) - params.EllipsisWidth,
                            &fit, nullptr, nullptr);
  const String cut = text.substr(0, static_cast<std::size_t>(fit));
  Surface expected(200, 120);
  expected.Canvas()->Font()->Assign(S.Canvas()->Font());
  expected.Canvas()->Brush()->SetStyle(bsClear);
  expected.Canvas()->TextOut(r.Left, r.Top, cut);
  expected.Canvas()->TextOut(r.Left + Width(cut), r.Top, "...");
  EXPECT_EQ(S.Mask(clBlack), expected.Mask(clBlack));
  EXPECT_GT(fit, 0);
}

TEST_F(TextLayoutTest, HighlightFillsExactlyItsCharacters) {
  for (bool chinese : {false, true}) {
    SCOPED_TRACE(chinese ? "GB2312 text" : "Latin text");
    S.Clear(clWhite);
    TFont font;
    font.Assign(S.Canvas()->Font());
    if (chinese) font.SetCharset(win::GB2312_CHARSET);
    S.Canvas()->Font()->Assign(&font);
    const String text = chinese ? "\u4E2D\u6587\u6587\u5B57\u8F93\u5165\u6846" : "abcdefghij";
    const String before = chinese ? "\u4E2D\u6587" : "ab", through = chinese ? "\u4E2D\u6587\u6587\u5B57\u8F93" : "abcde";
    TRect r(10, 10, 190, 60);
    DrawLayoutText(DC, text, r, 0, 2, 3, &font, clRed, clWhite);
    S.Save(chinese ? "layout-highlight-chinese.png" : "layout-highlight.png");
    const int x1 = 10 + Width(before), x2 = 10 + Width(through);
    TcxTextLayoutParams params;
    FillTextParams(DC, 0, params);
    std::string row;
    for (int x = 0; x < 200; ++x) row += S.At(x, 10) == ColorToRGB(clRed) ? '#' : '.';
    EXPECT_EQ(row, std::string(static_cast<std::size_t>(x1), '.') + std::string(static_cast<std::size_t>(x2 - x1), '#') +
                       std::string(static_cast<std::size_t>(200 - x2), '.'));
    EXPECT_EQ(S.At(x1, 10 + params.RowHeight - 1), ColorToRGB(clRed));
    EXPECT_NE(S.At(x1, 10 + params.RowHeight), ColorToRGB(clRed));
    // The highlight's rectangle is not left out of the caller's clip.
    S.Canvas()->Brush()->SetColor(clBlue);
    S.Canvas()->FillRect(Rect(0, 0, 200, 120));
    EXPECT_EQ(S.At(x1 + 1, 11), ColorToRGB(clBlue));
  }
}

TEST_F(TextLayoutTest, TinyTextIsAPattern) {
  for (bool bold : {false, true}) {
    SCOPED_TRACE(bold ? "bold" : "normal");
    S.Clear(clLime);
    TFont font;
    font.SetName("DejaVu Sans");
    font.SetHeight(-3);
    if (bold) font.SetStyle(TFontStyles{fsBold});
    font.SetColor(clBlack);
    TRect r(0, 0, 200, 50);
    DrawLayoutText(DC, "tiny text", r, tlfPatternText, 0, 0, &font, clDefault, clDefault);
    win::HGDIOBJ old = win::SelectObject(DC, font.Handle());
    TcxTextLayoutParams params;
    FillTextParams(DC, tlfPatternText, params);
    win::SIZE extent;
    win::GetTextExtentPoint32(DC, "tiny text", 9, &extent);
    win::SelectObject(DC, old);
    ASSERT_TRUE(params.PatternText);
    ASSERT_GE(params.RowHeight, 3);
    EXPECT_EQ(S.At(0, 0), ColorToRGB(clLime));
    EXPECT_EQ(S.At(0, params.RowHeight - 1), ColorToRGB(clLime));
    EXPECT_EQ(S.At(extent.cx, 1), ColorToRGB(clLime));
    for (int y = 1; y < params.RowHeight - 1; ++y)
      for (int x = 0; x < extent.cx; ++x) {
        const win::COLORREF expected =
            bold || (x + y) % 2 == 0 ? ColorToRGB(clBlack) : ColorToRGB(clWindow);
        ASSERT_EQ(S.At(x, y), expected) << x << "," << y;
      }
  }
}

TEST_F(TextLayoutTest, JustifiedRowsReachTheRightEdgeAndBottomRowsTheBottom) {
  S.Clear(clWhite);
  TRect r(10, 10, 190, 110);
  DrawLayoutText(DC, "ii ii ii", r, tlfJustifyAll | tlfAlignBottom, 0, 0, nullptr, clDefault, clDefault);
  S.Save("layout-justified.png");
  int right = 0, bottom = 0, top = 1000;
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 200; ++x)
      if (S.At(x, y) == ColorToRGB(clBlack)) {
        right = std::max(right, x);
        bottom = std::max(bottom, y);
        top = std::min(top, y);
      }
  TcxTextLayoutParams params;
  FillTextParams(DC, 0, params);
  EXPECT_GE(right, 186);
  EXPECT_LT(right, 190);
  EXPECT_GE(top, 110 - params.RowHeight);
  EXPECT_LT(bottom, 110);
  // The justification is gone afterwards.
  EXPECT_EQ(S.Canvas()->TextWidth("ii ii"), Width("ii") * 2 + Width(" "));
}

TEST_F(TextLayoutTest, FontAndTextColourComeBack) {
  win::HGDIOBJ font = win::GetCurrentObject(DC, win::OBJ_FONT);
  win::SetTextColor(DC, win::RGB(1, 2, 3));
  TFont other;
  other.SetHeight(-20);
  TRect r(0, 0, 100, 100);
  DrawLayoutText(DC, "text", r, 0, 0, 0, &other, clDefault, clDefault, 0, 0, 0, clRed);
  TRect m(0, 0, 100, 100);
  DrawLayoutText(DC, "&", m, tlfHidePrefix, 0, 0, &other, clDefault, clDefault, 0, 0, 0, clRed);
  EXPECT_EQ(win::GetCurrentObject(DC, win::OBJ_FONT), font);
  EXPECT_EQ(win::GetTextColor(DC), win::RGB(1, 2, 3));
}

TEST_F(TextLayoutTest, ExtentsOfLongTabbedTextDoNotWrapAt16Bits) {
  S.Canvas()->Font()->SetHeight(-60);
  DC = S.Canvas()->Handle();
  std::string text;
  for (int i = 0; i < 1500; ++i) text += "WWW\t";
  const TIndexedText t(text);
  auto drawTextWidth = [&](int Count) {
    win::RECT rc{0, 0, 0, 0};
    win::DrawText(DC, text.c_str(), Count, &rc,
                  win::DT_CALCRECT | win::DT_NOPREFIX | win::DT_EXPANDTABS | win::DT_SINGLELINE);
    return rc.right;
  };
  for (int count : {4000, 6000}) {
    TSize size;
    CalcTextExtents(DC, t, 0, count, true, size);
    EXPECT_GT(size.cx, 65535) << count;
    EXPECT_EQ(size.cx, drawTextWidth(count)) << count;
  }
}

TEST(Accelerators, Stripping) {
  struct Case {
    const char* In;
    bool Underscore;
    const char* Out;
  };
  const Case cases[] = {{"&File", false, "File"},     {"Save &As", false, "Save As"}, {"A&&B", false, "A&B"},
                        {"End&", true, "End_"},        {"End&", false, "End"},        {"plain", true, "plain"},
                        {"&\u6587\u4EF6", false, "\u6587\u4EF6"}};
  for (const Case& c : cases) {
    String narrow;
    StripAccelerators(c.In, c.Underscore, narrow);
    EXPECT_EQ(narrow, c.Out) << c.In;
    std::u16string wide;
    StripAcceleratorsWide(platform::Utf8ToUtf16(c.In), c.Underscore, wide);
    EXPECT_EQ(wide, platform::Utf8ToUtf16(c.Out)) << c.In;
  }
}

}  // namespace
