// Fonts, text output and DrawText layouts with the installed test faces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/platform/gdi/Canvas.h"

using namespace win;
using gditest::Canvas;

namespace {

constexpr COLORREF kInk = RGB(0, 0, 0);

HFONT MakeFont(const char* face, int height, int escapement = 0, bool underline = false) {
  LOGFONTA lf;
  lf.lfHeight = height;
  lf.lfEscapement = escapement;
  lf.lfUnderline = underline;
  std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", face);
  return CreateFontIndirect(&lf);
}

// A canvas with a font selected, text drawn black on white without background.
struct TextCanvas : Canvas {
  HFONT font;
  TextCanvas(int w, int h, const char* face = "Tahoma", int height = -11) : Canvas(w, h), font(MakeFont(face, height)) {
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
  }
  ~TextCanvas() {
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
  }
  int Width(const char* s) {
    SIZE sz;
    GetTextExtentPoint32(dc, s, -1, &sz);
    return sz.cx;
  }
  RECT InkBox() const {
    RECT r{width, height, 0, 0};
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (At(x, y) == kInk) {
          r.left = std::min<LONG>(r.left, x);
          r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1);
          r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    return r;
  }
};

TEST(Fonts, WindowsFaceNamesMapToInstalledFaces) {
  struct Case {
    const char* asked;
    const char* got;
  } cases[] = {{"Tahoma", "DejaVu Sans"},
               {"MS Sans Serif", "DejaVu Sans"},
               {"Courier New", "DejaVu Sans Mono"},
               {"宋体", "WenQuanYi Micro Hei"},
               {"No Such Face At All", nullptr}};
  for (const Case& k : cases) {
    TextCanvas c(4, 4, k.asked);
    char name[64];
    GetTextFace(c.dc, sizeof name, name);
    if (k.got)
      EXPECT_STREQ(name, k.got) << k.asked;
    else
      EXPECT_GT(std::strlen(name), 0u) << "an unknown face still falls back to an installed one";
  }
}

TEST(Fonts, HeightsFollowTheSignOfLfHeight) {
  TextCanvas em(4, 4, "Tahoma", -11), cell(4, 4, "Tahoma", 20);
  TEXTMETRICA a, b;
  GetTextMetrics(em.dc, &a);
  GetTextMetrics(cell.dc, &b);
  EXPECT_EQ(a.tmHeight - a.tmInternalLeading, 11);  // negative: the character height
  EXPECT_EQ(b.tmHeight, 20);                        // positive: the cell height
  EXPECT_EQ(a.tmAscent + a.tmDescent, a.tmHeight);
  SIZE sz;
  GetTextExtentPoint32(em.dc, "Hg", -1, &sz);
  EXPECT_EQ(sz.cy, a.tmHeight);
}

TEST(Text, MeasuredWidthIsTheDrawnAdvance) {
  // "ab" drawn at once must be the same pixels as "a" and then "b" at the measured width of "a".
  TextCanvas whole(60, 20), parts(60, 20);
  TextOut(whole.dc, 2, 2, "ab", 2);
  TextOut(parts.dc, 2, 2, "a", 1);
  TextOut(parts.dc, 2 + parts.Width("a"), 2, "b", 1);
  EXPECT_EQ(whole.Mask(kInk), parts.Mask(kInk));
  // The current position moves by the measured width.
  SetTextAlign(whole.dc, TA_UPDATECP);
  MoveToEx(whole.dc, 5, 0, nullptr);
  TextOut(whole.dc, 0, 0, "Wi", 2);
  POINT pos;
  GetCurrentPositionEx(whole.dc, &pos);
  EXPECT_EQ(pos.x, 5 + whole.Width("Wi"));
  // Character spacing is part of both.
  SetTextCharacterExtra(whole.dc, 3);
  EXPECT_EQ(whole.Width("abc"), parts.Width("abc") + 9);
  INT fit = 0, dx[3];
  SIZE sz;
  GetTextExtentExPoint(parts.dc, "abc", 3, parts.Width("ab"), &fit, dx, &sz);
  EXPECT_EQ(fit, 2);
  EXPECT_EQ(dx[2], sz.cx);
}

TEST(Text, ChineseRendersInTheCjkFace) {
  TextCanvas a(40, 20, "宋体", -12), b(40, 20, "Tahoma", -12);
  TextOut(a.dc, 0, 0, "中", -1);
  TextOut(b.dc, 0, 0, "文", -1);
  // Both show ink, and the two characters differ: neither is a missing-glyph box.
  EXPECT_NE(a.InkBox().right, 0);
  EXPECT_NE(b.InkBox().right, 0);
  EXPECT_NE(a.Mask(kInk), b.Mask(kInk));
  EXPECT_GE(a.Width("中"), 10);
}

TEST(Text, EscapementRotatesTheText) {
  TextCanvas c(60, 60);
  HFONT up = MakeFont("Tahoma", -11, 900);
  SelectObject(c.dc, up);
  TextOut(c.dc, 20, 50, "Wide text", -1);
  RECT ink = c.InkBox();
  EXPECT_GT(ink.bottom - ink.top, 2 * (ink.right - ink.left));
  EXPECT_LE(ink.bottom, 51);  // it reads upwards from the reference point
  SelectObject(c.dc, c.font);
  DeleteObject(up);
}

TEST(Text, BitmapFontNamesDoNotTurnUnlessOutlinesAreAskedFor) {
  for (BYTE precision : {BYTE{0}, BYTE{7}}) {
    TextCanvas c(60, 60);
    LOGFONTA lf;
    lf.lfHeight = -11;
    lf.lfEscapement = 900;
    lf.lfOutPrecision = precision;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "MS Sans Serif");
    HFONT f = CreateFontIndirect(&lf);
    SelectObject(c.dc, f);
    TEXTMETRICA tm;
    GetTextMetrics(c.dc, &tm);
    TextOut(c.dc, 10, 50, "Wide text", -1);
    RECT ink = c.InkBox();
    if (precision == 0) {
      EXPECT_EQ(tm.tmPitchAndFamily & 4, 0) << "reports a bitmap font";
      EXPECT_GT(ink.right - ink.left, ink.bottom - ink.top) << "level";
    } else {
      EXPECT_NE(tm.tmPitchAndFamily & 4, 0) << "reports an outline font";
      EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left) << "turned";
    }
    SelectObject(c.dc, c.font);
    DeleteObject(f);
  }
}

TEST(Text, OpaqueBackgroundAndClipping) {
  TextCanvas c(40, 20);
  SetBkMode(c.dc, OPAQUE);
  SetBkColor(c.dc, RGB(0, 0, 255));
  RECT clip{0, 0, 5, 20};
  ExtTextOut(c.dc, 0, 0, ETO_CLIPPED, &clip, "MMMM", 4, nullptr);
  EXPECT_EQ(c.At(4, 1), RGB(0, 0, 255));
  EXPECT_EQ(c.At(6, 1), RGB(255, 255, 255));
  RECT fill{10, 10, 12, 12};
  ExtTextOut(c.dc, 0, 0, ETO_OPAQUE, &fill, nullptr, 0, nullptr);
  EXPECT_EQ(c.At(11, 11), RGB(0, 0, 255));
}

TEST(DrawText, CalcRectSizes) {
  TextCanvas c(10, 10);
  TEXTMETRICA tm;
  GetTextMetrics(c.dc, &tm);
  struct Case {
    const char* text;
    UINT format;
    int width;  // of the rectangle given
    int wantWidth, wantLines;
  } cases[] = {
      {"Hello world", DT_SINGLELINE, 0, c.Width("Hello world"), 1},
      {"Hello\nworld", 0, 0, c.Width("world"), 2},
      {"Hello world", DT_WORDBREAK, c.Width("Hello w"), std::max(c.Width("Hello"), c.Width("world")), 2},
      {"one two three", DT_WORDBREAK, 1, c.Width("three"), 3},
      {"abcdef", DT_WORDBREAK | DT_EDITCONTROL, c.Width("abc"), c.Width("abc"), 2},
      {"a&bc", DT_SINGLELINE, 0, c.Width("abc"), 1},
      {"a&bc", DT_SINGLELINE | DT_NOPREFIX, 0, c.Width("a&bc"), 1},
      {"a&&b", DT_SINGLELINE, 0, c.Width("a&b"), 1},
      {"中文字符", DT_WORDBREAK, c.Width("中文") + 1, c.Width("中文"), 2},
      {"中文字符", DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK, c.Width("中文") + 1, c.Width("中文字符"), 1},
      // The full-width comma never starts a line: it pulls the ideograph before it along.
      {"中文，字", DT_WORDBREAK, c.Width("中文") + 1, c.Width("文，"), 3},
      // Measuring with an ellipsis: cut to a given width, the whole text without one.
      {"Caption text", DT_SINGLELINE | DT_END_ELLIPSIS, c.Width("Capt..."), c.Width("Capt..."), 1},
      {"Caption text", DT_SINGLELINE | DT_END_ELLIPSIS, 0, c.Width("Caption text"), 1},
  };
  for (const Case& k : cases) {
    RECT rc{3, 4, 3 + k.width, 4};
    int h = DrawText(c.dc, k.text, -1, &rc, k.format | DT_CALCRECT);
    EXPECT_EQ(rc.right - rc.left, k.wantWidth) << k.text;
    EXPECT_EQ(rc.bottom - rc.top, k.wantLines * tm.tmHeight) << k.text;
    EXPECT_EQ(h, k.wantLines * tm.tmHeight) << k.text;
  }
  RECT empty{1, 1, 50, 50};
  EXPECT_EQ(DrawText(c.dc, "", -1, &empty, DT_CALCRECT), 0);
  EXPECT_EQ(empty, (RECT{1, 1, 1, 1}));
}

// DrawText's output must equal TextOut of the string it is expected to show.
void ExpectShows(const char* text, UINT format, int width, const char* shown, int x = 0) {
  TextCanvas got(120, 16), want(120, 16);
  RECT rc{0, 0, width, 16};
  DrawText(got.dc, text, -1, &rc, format);
  TextOut(want.dc, x, 0, shown, -1);
  EXPECT_EQ(got.Mask(kInk), want.Mask(kInk)) << text << " shown as " << shown;
}

TEST(DrawText, EllipsesAndAlignment) {
  TextCanvas m(1, 1);
  ExpectShows("Caption", DT_SINGLELINE, 100, "Caption");
  ExpectShows("Caption", DT_SINGLELINE | DT_RIGHT, 100, "Caption", 100 - m.Width("Caption"));
  ExpectShows("Caption", DT_SINGLELINE | DT_CENTER, 100, "Caption", (100 - m.Width("Caption")) / 2);
  ExpectShows("Caption text", DT_SINGLELINE | DT_END_ELLIPSIS, m.Width("Capt..."), "Capt...");
  ExpectShows("Caption text", DT_SINGLELINE | DT_WORD_ELLIPSIS, m.Width("Caption te"), "Caption...");
  ExpectShows("C:\\dir\\sub\\file.txt", DT_SINGLELINE | DT_PATH_ELLIPSIS, m.Width("C:\\...\\file.txt"),
              "C:\\...\\file.txt");
  // Fits: no ellipsis.
  ExpectShows("Caption", DT_SINGLELINE | DT_END_ELLIPSIS, m.Width("Caption"), "Caption");
  // Text that does not fit is clipped to the rectangle unless DT_NOCLIP.
  TextCanvas clipped(60, 16), loose(60, 16);
  RECT narrow{0, 0, 5, 16};
  DrawText(clipped.dc, "WWW", -1, &narrow, DT_SINGLELINE);
  DrawText(loose.dc, "WWW", -1, &narrow, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_LE(clipped.InkBox().right, 5);
  EXPECT_GT(loose.InkBox().right, 5);
}

TEST(DrawText, VerticalPlacementAndResult) {
  TextCanvas c(40, 40);
  TEXTMETRICA tm;
  GetTextMetrics(c.dc, &tm);
  RECT rc{0, 0, 40, 40};
  EXPECT_EQ(DrawText(c.dc, "x", -1, &rc, DT_SINGLELINE | DT_VCENTER), (40 - tm.tmHeight) / 2 + tm.tmHeight);
  EXPECT_EQ(DrawText(c.dc, "x", -1, &rc, DT_SINGLELINE | DT_BOTTOM), 40);
  EXPECT_EQ(DrawText(c.dc, "x\ny", -1, &rc, 0), 2 * tm.tmHeight);
}

TEST(DrawText, PrefixUnderlinesOneCharacter) {
  TextCanvas marked(60, 20), hidden(60, 20), plain(60, 20);
  RECT rc{0, 0, 60, 20};
  DrawText(marked.dc, "&File", -1, &rc, DT_SINGLELINE);
  DrawText(hidden.dc, "&File", -1, &rc, DT_SINGLELINE | DT_HIDEPREFIX);
  DrawText(plain.dc, "File", -1, &rc, DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(hidden.Mask(kInk), plain.Mask(kInk));
  // The marked text differs only by a line below the baseline under "F".
  TEXTMETRICA tm;
  GetTextMetrics(marked.dc, &tm);
  int fWidth = marked.Width("F");
  int extra = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x)
      if (marked.At(x, y) != plain.At(x, y)) {
        ++extra;
        EXPECT_GT(y, tm.tmAscent - 1);
        EXPECT_LT(x, fWidth);
      }
  EXPECT_GE(extra, fWidth / 2);
}

TEST(DrawText, WordBreakWithEndEllipsisCutsTheLastVisibleLine) {
  TextCanvas c(200, 40);
  TEXTMETRICA tm;
  GetTextMetrics(c.dc, &tm);
  RECT rc{0, 0, c.Width("alpha beta"), tm.tmHeight};
  int h = DrawText(c.dc, "alpha beta gamma delta", -1, &rc, DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS);
  EXPECT_EQ(h, tm.tmHeight);
  TextCanvas want(200, 40);
  RECT rc2 = rc;
  DrawText(want.dc, "alpha beta...", -1, &rc2, DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_EQ(c.Mask(kInk), want.Mask(kInk));
}

TEST(DrawText, ExpandTabsAndTabbedExtent) {
  TextCanvas c(10, 10);
  TEXTMETRICA tm;
  GetTextMetrics(c.dc, &tm);
  RECT rc{0, 0, 0, 0};
  DrawText(c.dc, "a\tb", -1, &rc, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT);
  EXPECT_EQ(rc.right, 8 * tm.tmAveCharWidth + c.Width("b"));
  INT stops[] = {30};
  DWORD ext = GetTabbedTextExtent(c.dc, "a\tb", 3, 1, stops);
  EXPECT_EQ(LOWORD(ext), 30 + c.Width("b"));
  EXPECT_EQ(HIWORD(ext), tm.tmHeight);
}

}  // namespace

namespace {

TEST(Fonts, EnumerationListsTheInstalledFamiliesAndStops) {
  struct Seen {
    std::vector<std::string> names;
    int stopAfter = 1000;
  } seen;
  auto proc = [](const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM p) -> int {
    auto* s = reinterpret_cast<Seen*>(p);
    EXPECT_EQ(type, TRUETYPE_FONTTYPE);
    s->names.push_back(lf->lfFaceName);
    return static_cast<int>(s->names.size()) < s->stopAfter ? 1 : 0;
  };
  LOGFONTA all;
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesEx(nullptr, &all, proc, reinterpret_cast<LPARAM>(&seen), 0);
  EXPECT_NE(std::find(seen.names.begin(), seen.names.end(), "DejaVu Sans"), seen.names.end());
  EXPECT_NE(std::find(seen.names.begin(), seen.names.end(), "WenQuanYi Micro Hei"), seen.names.end());
  seen.names.clear();
  seen.stopAfter = 1;
  EXPECT_EQ(EnumFontFamiliesEx(nullptr, &all, proc, reinterpret_cast<LPARAM>(&seen), 0), 0);
  EXPECT_EQ(seen.names.size(), 1u);
}

}  // namespace

namespace {

TEST(Text, InsideAPathTextBecomesOutlines) {
  // A large "I": stroking draws its outline only, filling covers its stem, clipping to it
  // confines a fill to the letter.
  TextCanvas stroke(40, 50, "Tahoma", -40), fill(40, 50, "Tahoma", -40), plain(40, 50, "Tahoma", -40);
  TextOut(plain.dc, 5, 0, "I", 1);
  RECT ink = plain.InkBox();
  ASSERT_GT(ink.right - ink.left, 3);
  int cx = (ink.left + ink.right) / 2, cy = (ink.top + ink.bottom) / 2;
  for (TextCanvas* c : {&stroke, &fill}) {
    BeginPath(c->dc);
    TextOut(c->dc, 5, 0, "I", 1);
    EndPath(c->dc);
  }
  EXPECT_EQ(stroke.InkBox().right, 0) << "recording a path draws nothing";
  ASSERT_TRUE(StrokePath(stroke.dc));
  EXPECT_EQ(stroke.At(cx, cy), RGB(255, 255, 255)) << "hollow inside";
  EXPECT_EQ(stroke.At(ink.left, cy), kInk);
  SelectObject(fill.dc, GetStockObject(BLACK_BRUSH));
  SelectObject(fill.dc, GetStockObject(NULL_PEN));
  ASSERT_TRUE(FillPath(fill.dc));
  EXPECT_EQ(fill.At(cx, cy), kInk);
  EXPECT_EQ(fill.At(ink.right + 2, cy), RGB(255, 255, 255));
  SelectObject(fill.dc, GetStockObject(WHITE_BRUSH));
  SelectObject(fill.dc, GetStockObject(BLACK_PEN));
}

}  // namespace

namespace {

TEST(Text, JustificationAndCharWidths) {
  TextCanvas c(10, 10);
  int plain = c.Width("a b c");
  // 5 extra pixels over 2 breaks: 3 to the first space, 2 to the second.
  SetTextJustification(c.dc, 5, 2);
  EXPECT_EQ(c.Width("a b c"), plain + 5);
  SetTextJustification(c.dc, 0, 0);
  EXPECT_EQ(c.Width("a b c"), plain);
  INT widths[3];
  ASSERT_TRUE(GetCharWidth32(c.dc, 'a', 'c', widths));
  EXPECT_EQ(widths[0], c.Width("a"));
  EXPECT_EQ(widths[2], c.Width("c"));
  EXPECT_EQ(widths[0] + widths[1] + widths[2], c.Width("abc"));
}

}  // namespace

namespace {

// Arbitrary bytes, flags and rectangles: DrawText must neither crash nor report a height that
// disagrees with its own measurement.
TEST(DrawText, SurvivesArbitraryInput) {
  TextCanvas c(64, 64);
  TEXTMETRICA tm;
  GetTextMetrics(c.dc, &tm);
  unsigned seed = 12345;
  auto next = [&] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) & 0xFFFF;
  };
  const char* pieces[] = {"a", " ", "&", "&&", "\t", "\r\n", "\n", "中", "，", "\\", "/", "...", "\xC3", "\xFF", "W"};
  for (int round = 0; round < 300; ++round) {
    std::string text;
    int n = static_cast<int>(next() % 20);
    for (int i = 0; i < n; ++i) text += pieces[next() % (sizeof pieces / sizeof *pieces)];
    UINT format = next() | (next() << 16);
    format &= ~DT_TABSTOP;  // its high byte means a tab size
    RECT rc{static_cast<LONG>(next() % 40) - 10, static_cast<LONG>(next() % 40) - 10, 0, 0};
    rc.right = rc.left + static_cast<LONG>(next() % 70) - 5;
    rc.bottom = rc.top + static_cast<LONG>(next() % 70) - 5;
    RECT measured = rc;
    int h = DrawText(c.dc, text.c_str(), -1, &measured, format | DT_CALCRECT);
    // Placed text reports where its bottom lies, which a rectangle upside down puts above the top.
    bool placed = (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM));
    if (!placed) {
      ASSERT_GE(h, 0) << text;
      ASSERT_EQ(h % tm.tmHeight, 0) << text;
    }
    RECT drawn = rc;
    DrawText(c.dc, text.c_str(), static_cast<int>(next() % 30) - 1, &drawn, format & ~DT_CALCRECT);
  }
}

}  // namespace
