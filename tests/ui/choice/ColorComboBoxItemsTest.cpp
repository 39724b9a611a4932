// The colour combo box's lists and texts: the prepared sets (the X11 sets' shared values listed
// once, under the name that comes first), a colour held once, moves that keep the moved entry,
// custom and prepared entries cleared apart, the value texts and names, and the colour box's
// pixels in each style; and the image combo box's items.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/choice/ChoiceFixture.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/choice/ColorComboBoxItems.h"
#include "ui/choice/ImageComboBoxItems.h"

namespace {

using choicetest::ChoiceTest;
using surfacetest::Surface;

class ColorComboBoxItemsTest : public ChoiceTest {
 protected:
  std::vector<String> Descriptions() {
    std::vector<String> d;
    for (int i = 0; i < items.Count(); ++i) d.push_back(items.Items(i)->Description());
    return d;
  }
  bool Lists(const String& Name) {
    auto d = Descriptions();
    return std::find(d.begin(), d.end(), Name) != d.end();
  }
  TcxColorComboBoxItems items{nullptr};
};

TEST_F(ColorComboBoxItemsTest, PreparedSetsListEachValueOnce) {
  int changes = 0;
  items.OnChange = [&](TObject*) { ++changes; };
  FillColorSet(&items, cxplVintor);
  EXPECT_EQ(items.Count(), 52);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(items.Items(0)->Description(), "clBlack");
  EXPECT_FALSE(items.Items(51)->UserAdded());
  struct Case {
    TcxColorPrepareList Set;
    int Count;
    const char* Kept[2];
    const char* Dropped[2];
  } cases[] = {{cxplX11, 138, {"Aqua", "Fuchsia"}, {"Cyan", "Magenta"}},
               {cxplX11Ordered, 138, {"Cyan", "Magenta"}, {"Aqua", "Fuchsia"}}};
  for (const Case& c : cases) {
    items.Clear();
    FillColorSet(&items, c.Set);
    EXPECT_EQ(items.Count(), c.Count);
    for (const char* name : c.Kept) EXPECT_TRUE(Lists(name)) << name;
    for (const char* name : c.Dropped) EXPECT_FALSE(Lists(name)) << name;
  }
  items.Clear();
  FillColorSet(&items, cxplHTML4);
  EXPECT_EQ(items.Count(), 16);
  FillColorSet(&items, cxplNone);
  EXPECT_EQ(items.Count(), 16);
}

TEST_F(ColorComboBoxItemsTest, AColorIsHeldOnceAndCustomAndPreparedClearApart) {
  FillColorSet(&items, cxplHTML4);
  EXPECT_EQ(items.AddColor(clWhite, "White again"), nullptr);
  TcxColorComboBoxItem* custom = items.InsertColor(0, static_cast<TColor>(0x4080FF), "Orange");
  ASSERT_NE(custom, nullptr);
  EXPECT_TRUE(custom->UserAdded());
  EXPECT_EQ(items.IndexOfColor(static_cast<TColor>(0x4080FF)), 0);
  EXPECT_EQ(items.ColorAt(99, clWindow), clWindow);
  items.ClearPreparedColors();
  EXPECT_EQ(Descriptions(), std::vector<String>{"Orange"});
  FillColorSet(&items, cxplHTML4);
  items.ClearCustomColors();
  EXPECT_EQ(items.Count(), 16);
  EXPECT_EQ(items.FindColorItem(static_cast<TColor>(0x4080FF)), nullptr);
}

TEST_F(ColorComboBoxItemsTest, MoveKeepsTheMovedEntry) {
  items.AddColor(clRed, "A");
  items.AddColor(clLime, "B");
  items.AddColor(clBlue, "C");
  items.MoveColor(2, 0);
  EXPECT_EQ(Descriptions(), (std::vector<String>{"C", "A", "B"}));
  items.MoveColor(0, 2);
  EXPECT_EQ(Descriptions(), (std::vector<String>{"A", "C", "B"}));
  EXPECT_EQ(items.Items(1)->Color(), clBlue);
  items.MoveColor(1, 1);
  EXPECT_EQ(items.Count(), 3);
}

TEST_F(ColorComboBoxItemsTest, ValueTextsAndNames) {
  const TColor orange = static_cast<TColor>(0x4080FF);
  struct Case {
    TColor Color;
    TcxColorValueFormat Format;
    const char* Text;
  } cases[] = {{orange, cxcvHexadecimal, "$ff8040"}, {orange, cxcvRGB, "255.128.64"}, {orange, cxcvInteger, "4227327"},
               {clRed, cxcvRGB, "255.0.0"},          {clRed, cxcvHexadecimal, "$ff0000"}, {clRed, cxcvInteger, "255"},
               {clBtnFace, cxcvInteger, "-16777201"}};
  for (const Case& c : cases) EXPECT_EQ(ColorValueToText(c.Color, c.Format), c.Text) << c.Text;
  EXPECT_NE(ColorValueToText(clBtnFace, cxcvRGB), "-16777201") << "system colours resolve";
  EXPECT_EQ(FindColorName(orange, cxncVintor, cxcvHexadecimal), "$ff8040");
  EXPECT_EQ(FindColorName(clBtnFace, cxncVintor, cxcvRGB), "clBtnFace");
  EXPECT_EQ(FindColorName(static_cast<TColor>(0xFFFF00), cxncX11, cxcvRGB), "Aqua");
  EXPECT_EQ(FindColorName(static_cast<TColor>(0xFF00FF), cxncX11, cxcvRGB), "Fuchsia");
  EXPECT_EQ(FindColorName(static_cast<TColor>(0xFF00FF), cxncHTML4, cxcvRGB), "Fuchsia");
  EXPECT_EQ(ColorToText(clRed, "mine", cxncNone, cxcvRGB), "mine");
  EXPECT_EQ(ColorToText(clRed, "mine", cxncVintor, cxcvRGB), "clRed");
}

TEST_F(ColorComboBoxItemsTest, ColorBoxByStyle) {
  struct Case {
    TcxDefaultColorStyle Style;
    int Inside;  // pixels of the colour inside the two frames (6 x 6)
  } cases[] = {{cxdcColor, 36}, {cxdcText, 36}, {cxdcCustom, 36}, {cxdcClear, 0}};
  for (const Case& c : cases) {
    Surface s(10, 10);
    TcxCanvas canvas(s.Canvas());
    DrawColorBox(&canvas, TRect(0, 0, 10, 10), clBlack, clRed, clWhite, c.Style);
    EXPECT_EQ(s.CountOf(clBlack), 28) << "the frame ring";
    EXPECT_EQ(s.CountOf(clRed), c.Inside);
    EXPECT_EQ(s.At(0, 0), ColorToRGB(clWhite));
  }
  Surface s(20, 20);
  TcxCanvas canvas(s.Canvas());
  DrawColorBox(&canvas, TRect(0, 0, 20, 20), clBlack, clRed, clWhite, cxdcHatched);
  EXPECT_GT(s.CountOf(clRed), 0);
  EXPECT_LT(s.CountOf(clRed), 16 * 16);
  EXPECT_EQ(s.CountOf(clBlack), 4 * 17) << "the frame drawn again over the hatch";
  EXPECT_EQ(canvas.ActiveBrush()->Style(), bsSolid);
  s.Save("color-box-hatched.png");
  DrawColorBox(&canvas, TRect(5, 5, 5, 20), clBlack, clRed, clWhite, cxdcColor);
}

}  // namespace

namespace {

// The image combo box's items: their own position as the image while the list has one for them,
// values compared exactly when set.
TEST(ImageComboBoxItemsTest, NewItemsTakeTheirPositionWhileThereIsAnImage) {
  TcxImageComboBoxItems items(nullptr);
  int images = 2, changes = 0;
  items.ImageCount = [&] { return images; };
  items.OnOwnerChanged = [&] { ++changes; };
  for (int i = 0; i < 3; ++i) items.AddItem();
  EXPECT_EQ(items.Items(0)->ImageIndex(), 0);
  EXPECT_EQ(items.Items(1)->ImageIndex(), 1);
  EXPECT_EQ(items.Items(2)->ImageIndex(), -1);
  items.ImageCount = nullptr;
  EXPECT_EQ(items.AddItem()->ImageIndex(), -1);
  TcxImageComboBoxItem* item = items.Items(0);
  EXPECT_TRUE(VarIsNull(item->Value()));
  changes = 0;
  item->SetValue(Variant(1));
  item->SetValue(Variant(1));
  EXPECT_EQ(changes, 1);
  item->SetValue(Variant("1"));
  EXPECT_EQ(changes, 2) << "another type is another value";
  item->SetDescription("One");
  item->SetImageIndex(5);
  EXPECT_EQ(changes, 4);
}

}  // namespace
