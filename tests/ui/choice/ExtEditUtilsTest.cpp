#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "platform/classes/Bitmap.h"
#include "platform/win/Keys.h"
#include "ui/choice/ExtEditStrings.h"
#include "ui/choice/ExtEditUtils.h"
#include "ui/controls/EditProperties.h"

namespace {

TEST(ExtEditUtilsTest, DigitsToIntegerCollectsMinusSignsAndDigits) {
  EXPECT_EQ(DigitsToInteger("a1b2", false), 12);
  EXPECT_EQ(DigitsToInteger("1a2", true), 1);
  EXPECT_EQ(DigitsToInteger("abc", false), 0);
  EXPECT_EQ(DigitsToInteger("", true), 0);
  EXPECT_EQ(DigitsToInteger("x-3y4", false), -34);
  // What is collected must still be an integer.
  EXPECT_THROW(DigitsToInteger("1-2", false), EConvertError);
  EXPECT_THROW(DigitsToInteger("a-b", false), EConvertError);
}

TEST(ExtEditUtilsTest, IsIntegerTextNeedsOneWholeNumber) {
  EXPECT_TRUE(IsIntegerText(" 42 "));
  EXPECT_TRUE(IsIntegerText("-12"));
  EXPECT_TRUE(IsIntegerText("$1F"));
  EXPECT_FALSE(IsIntegerText("4 2"));
  EXPECT_FALSE(IsIntegerText(""));
  EXPECT_FALSE(IsIntegerText("   "));
  EXPECT_FALSE(IsIntegerText("99999999999"));
}

TEST(ExtEditUtilsTest, TextToColor) {
  struct Case {
    const char* text;
    bool result;
    TColor color;  // 12345 when left unchanged
  } cases[] = {
      {" clRed ", true, clRed},      {"clbtnface", true, clBtnFace}, {"$FF", true, 255},
      {"$zz", true, 0},              {"-12", true, -12},             {" 7 ", true, 7},
      {"12 abc", false, 12345},      {"", false, 12345},             {"  ", false, 12345},
      {"Red", false, 12345},
  };
  for (const Case& c : cases) {
    TColor color = 12345;
    EXPECT_EQ(TextToColor(c.text, color), c.result) << c.text;
    EXPECT_EQ(color, c.color) << c.text;
  }
}

TEST(ExtEditUtilsTest, RectSidesNeverNegativeAndNullOrEmptyValues) {
  EXPECT_EQ(RectWidthOrZero(TRect(10, 0, 4, 5)), 0);
  EXPECT_EQ(RectWidthOrZero(TRect(4, 0, 10, 5)), 6);
  EXPECT_EQ(RectHeightOrZero(TRect(0, 9, 1, 2)), 0);
  EXPECT_EQ(RectHeightOrZero(TRect(0, 2, 1, 9)), 7);
  EXPECT_TRUE(IsNullOrEmptyValue(Variant()));
  EXPECT_TRUE(IsNullOrEmptyValue(Variant::Null()));
  EXPECT_FALSE(IsNullOrEmptyValue(Variant(0)));
  EXPECT_FALSE(IsNullOrEmptyValue(Variant(String())));
}

TEST(ExtEditUtilsTest, DrawMRUSeparatorPaintsTwoRowsAndNothingElse) {
  for (bool selected : {false, true}) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetWidth(110);
    bitmap->SetHeight(24);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clFuchsia);
    canvas->FillRect(TRect(0, 0, 110, 24));
    DrawMRUSeparator(canvas, TRect(0, 0, 100, 20), selected);
    const win::COLORREF line = ColorToRGB(selected ? clWindow : clWindowText);
    const win::COLORREF background = ColorToRGB(clFuchsia);
    int drawn = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 110; ++x) {
        const win::COLORREF pixel = win::GetPixel(canvas->Handle(), x, y);
        const bool onLine = (y == 17 || y == 19) && x < 100;
        EXPECT_EQ(pixel, onLine ? line : background) << x << "," << y;
        drawn += onLine;
      }
    EXPECT_EQ(drawn, 200);
  }
}

int Escapement(TCanvas* Canvas) {
  win::LOGFONTA font{};
  win::GetObject(Canvas->Font()->Handle(), sizeof(font), &font);
  return font.lfEscapement;
}

TEST(ExtEditUtilsTest, PrepareRotatedFontTurnsOnlyTrueTypeFaces) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetWidth(8);
  bitmap->SetHeight(8);
  TCanvas* canvas = bitmap->Canvas();
  TFont outline;
  outline.SetName("DejaVu Sans");
  outline.SetSize(12);
  struct Case {
    int angle, escapement;
  } cases[] = {{0, 0}, {360, 0}, {-45, 3150}, {90, 900}, {450, 900}, {-720, 0}};
  for (const Case& c : cases) {
    EXPECT_TRUE(PrepareRotatedFont(canvas, &outline, c.angle)) << c.angle;
    EXPECT_EQ(Escapement(canvas), c.escapement) << c.angle;
    EXPECT_EQ(canvas->Font()->Size(), 12);
  }
  TFont raster;
  raster.SetName("MS Sans Serif");
  EXPECT_FALSE(PrepareRotatedFont(canvas, &raster, 90));
  EXPECT_EQ(Escapement(canvas), 0);
}

TEST(ExtEditUtilsTest, MeasuresInACopyOfTheFont) {
  TFont font;
  font.SetName("DejaVu Sans");
  font.SetSize(20);
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->Canvas()->Font()->Assign(&font);
  EXPECT_EQ(SampleTextHeight(&font), bitmap->Canvas()->TextHeight("Wg"));
  EXPECT_EQ(MeasureFontTextWidth(&font, "Matrix"), bitmap->Canvas()->TextWidth("Matrix"));
  EXPECT_GT(MeasureFontTextWidth(&font, "Matrix"), MeasureFontTextWidth(&font, "M"));
}

TEST(ExtEditUtilsTest, ShiftStateFromTheKeyboardState) {
  win::BYTE state[256] = {};
  state[win::VK_SHIFT] = 0x80;
  state[win::VK_LBUTTON] = 0x81;
  state[win::VK_CONTROL] = 0x01;  // toggled, not down
  const TShiftState shift = KeyboardStateToShiftState(state);
  EXPECT_TRUE(shift.Contains(ssShift));
  EXPECT_TRUE(shift.Contains(ssLeft));
  EXPECT_FALSE(shift.Contains(ssCtrl));
  EXPECT_FALSE(shift.Contains(ssAlt));
}

TEST(ExtEditStringsTest, TheProductListsItsStringsInOrderWhileTheUnitRuns) {
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  ASSERT_NE(repository, nullptr);
  const int index = repository->IndexOfProduct(cxExtEditProductName);
  ASSERT_GE(index, 0);
  const auto entries = ExtEditStringEntries();
  ASSERT_EQ(entries.size(), 41u);
  EXPECT_STREQ(entries.front().Identifier, "scxSEditRepositoryColorComboBoxItem");
  EXPECT_EQ(entries.front().ResourceNumber, 64793);
  EXPECT_EQ(entries.front().ResString, &scxSEditRepositoryColorComboBoxItem);
  EXPECT_STREQ(entries.back().Identifier, "cxSEditRichEditSelectAllCaption");
  EXPECT_EQ(entries.back().ResourceNumber, 64737);
  TdxProductResourceStrings* product = repository->ProductAt(index);
  EXPECT_EQ(product->ResStringCount(), 41);
  std::set<int> numbers;
  for (const auto& entry : entries) numbers.insert(entry.ResourceNumber);
  EXPECT_EQ(numbers.size(), 41u);
  EXPECT_EQ(GetLocalizedResString(scxSEditRepositoryLabelItem), "Label|Represents a Label");
  EXPECT_EQ(GetLocalizedResString(cxSCheckControlIncorrectItemCount),
            "The number\u00A0of items cannot be greater than 64, if the EditValueFormat is cvfInteger");

  UnregisterExtEditStrings();
  EXPECT_EQ(repository->IndexOfProduct(cxExtEditProductName), -1);
  RegisterExtEditStrings();
  EXPECT_GE(repository->IndexOfProduct(cxExtEditProductName), 0);
}

TEST(ExtEditStringsTest, ColourNameTables) {
  const auto ordered = X11OrderedColorNames();
  const auto alphabetical = X11ColorNames();
  ASSERT_EQ(ordered.size(), 140u);
  ASSERT_EQ(alphabetical.size(), 140u);
  EXPECT_STREQ(ordered.front().Name, "LightPink");
  EXPECT_STREQ(ordered.back().Name, "Black");
  EXPECT_STREQ(alphabetical.front().Name, "AliceBlue");
  EXPECT_STREQ(alphabetical.back().Name, "YellowGreen");
  // Both orders hold the same pairs, the alphabetical one sorted.
  std::set<std::pair<String, TColor>> a, b;
  for (const auto& c : ordered) a.insert({c.Name, c.Color});
  for (std::size_t i = 0; i < alphabetical.size(); ++i) {
    b.insert({alphabetical[i].Name, alphabetical[i].Color});
    if (i > 0) {
      EXPECT_LT(AnsiCompareText(alphabetical[i - 1].Name, alphabetical[i].Name), 0) << alphabetical[i].Name;
    }
  }
  EXPECT_EQ(a, b);
  EXPECT_EQ(a.size(), 140u);
  EXPECT_EQ(a.count({"BlanchedAlmond", 0xCDEBFF}), 1u);
  EXPECT_EQ(a.count({"LightGrey", 0xD3D3D3}), 1u);
  EXPECT_EQ(a.count({"Crimson", 0x3C14DC}), 1u);

  const auto html = HTML4ColorNames();
  ASSERT_EQ(html.size(), 16u);
  EXPECT_STREQ(html.front().Name, "Black");
  EXPECT_STREQ(html.back().Name, "Aqua");
  EXPECT_EQ(html.back().Color, clAqua);

  // Every identifier is the class library's own, with its value.
  const auto idents = ColorIdentifierNames();
  ASSERT_EQ(idents.size(), 52u);
  EXPECT_STREQ(idents.front().Name, "clBlack");
  EXPECT_STREQ(idents.back().Name, "clWindowText");
  for (const auto& c : idents) {
    std::int64_t value;
    ASSERT_TRUE(IdentToColor(c.Name, value)) << c.Name;
    EXPECT_EQ(static_cast<TColor>(value), c.Color) << c.Name;
  }
}

}  // namespace
