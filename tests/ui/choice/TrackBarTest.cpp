// The slider editor on the headless screen: its layout, ticks and numbers read back from the
// screen, keys, clicks and drags injected as an operator would make them, the shift selection, the
// position's clamping, and ranges and page sizes at the ends of the integers.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/classes/FormDescription.h"
#include "platform/win/Keys.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/choice/ChoiceFixture.h"
#include "ui/choice/TrackBar.h"

namespace {

using namespace win;
using choicetest::ChoiceTest;
using choicetest::Rgb;

constexpr Rgb kBlack = RGB(0, 0, 0);

class TrackBarTest : public ChoiceTest {
 protected:
  void SetUp() override {
    ChoiceTest::SetUp();
    TrackBarUnitStartup();
    form = MakeForm(10, 10, 600, 400);
  }
  void TearDown() override {
    ChoiceTest::TearDown();
    TrackBarUnitShutdown();
  }
  TcxTrackBar* Make(int Left = 10, int Top = 10) {
    auto* t = new TcxTrackBar(form);
    t->SetParent(form);
    t->SetLeft(Left);
    t->SetTop(Top);
    t->Properties()->OnChange = [this](TObject*) { ++changes; };
    Pump();
    return t;
  }
  // The x of every black pixel on row y of the control.
  std::vector<int> BlackColumns(TControl* c, int y) {
    std::vector<int> xs;
    for (int x = 0; x < c->Width(); ++x)
      if (Pixel(c, x, y) == kBlack) xs.push_back(x);
    return xs;
  }
  int BlackPixels(TControl* c, const TRect& R) {
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x) n += Pixel(c, x, y) == kBlack;
    return n;
  }
  void Focus(TcxTrackBar* t) {
    t->SetFocus();
    Pump();
  }
  void Press(unsigned Vk) {
    Key(Vk, true);
    Key(Vk, false);
  }

  TForm* form = nullptr;
  int changes = 0;
};

// Default control: 196 x 76 inside its 2-pixel transparent border, range 0..10, 16.8 pixels a unit
// from x 14; the thumb's bottom is 45.
TEST_F(TrackBarTest, DefaultControlTicksEveryValueBelowTheThumb) {
  TcxTrackBar* t = Make();
  EXPECT_EQ(t->Width(), 196);
  EXPECT_EQ(t->Height(), 76);
  EXPECT_EQ(t->Position(), 0);
  TcxCustomTrackBarViewInfo* info = t->TrackBarViewInfo();
  EXPECT_EQ(info->ThumbBox, TRect(9, 25, 19, 45));
  EXPECT_EQ(info->ChannelRect, TRect(9, 30, 187, 40));
  const std::vector<int> every{14, 31, 48, 64, 81, 98, 115, 132, 148, 165, 182};
  EXPECT_EQ(BlackColumns(t, 49), every);  // 3 long: 47 .. 49
  EXPECT_EQ(BlackColumns(t, 50), (std::vector<int>{14, 182}));  // 4 at the ends
  EXPECT_TRUE(BlackColumns(t, 51).empty());
  EXPECT_TRUE(BlackColumns(t, 23).empty());  // nothing above
  SaveControl("trackbar-default.png", t, 2);
}

TEST_F(TrackBarTest, FrequencyChoosesTheTicks) {
  TcxTrackBar* t = Make();
  struct Case {
    int Frequency;
    std::vector<int> Columns;
  } cases[] = {{0, {14, 182}}, {3, {14, 64, 115, 165, 182}}, {5, {14, 98, 182}}, {10, {14, 182}}};
  for (const Case& c : cases) {
    t->Properties()->SetFrequency(c.Frequency);
    Pump();
    EXPECT_EQ(BlackColumns(t, 48), c.Columns) << "Frequency " << c.Frequency;
  }
  t->Properties()->SetFrequency(-4);
  EXPECT_EQ(t->Properties()->Frequency(), 0);
}

TEST_F(TrackBarTest, ValueNumberFollowsTheThumb) {
  TcxTrackBar* t = Make();
  t->Properties()->SetTickType(tbttValueNumber);
  t->SetPosition(5);
  Pump();
  const TRect at5(92, 46, 105, 64), at6(109, 46, 122, 64);
  const int number5 = BlackPixels(t, at5), line6 = BlackPixels(t, at6);
  EXPECT_GT(number5, 6);
  t->SetPosition(6);
  Pump();
  EXPECT_EQ(BlackPixels(t, at5), line6) << "a plain tick where the number was";
  EXPECT_GT(BlackPixels(t, at6), 6);
  SaveControl("trackbar-value-number.png", t, 2);
}

TEST_F(TrackBarTest, KeysStepPageAndJumpToTheEnds) {
  TcxTrackBar* t = Make();
  t->Properties()->SetPageSize(2);
  Focus(t);
  t->SetPosition(9);
  changes = 0;
  Press(VK_NEXT);
  EXPECT_EQ(t->Position(), 10);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(t->Modified());
  Press(VK_END);
  Press(VK_RIGHT);
  EXPECT_EQ(t->Position(), 10);
  EXPECT_EQ(changes, 1) << "keys that change nothing fire nothing";
  Press(VK_HOME);
  EXPECT_EQ(t->Position(), 0);
  Press(VK_DOWN);
  Press(VK_DOWN);
  Press(VK_UP);
  EXPECT_EQ(t->Position(), 1);
  Press(VK_PRIOR);
  EXPECT_EQ(t->Position(), 0);
}

TEST_F(TrackBarTest, CodeWriteClampsFiresOnceAndMarksNothing) {
  TcxTrackBar* t = Make();
  changes = 0;
  t->SetPosition(25);
  EXPECT_EQ(t->Position(), 10);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(t->Modified());
  t->SetPosition(10);
  EXPECT_EQ(changes, 1);
  t->Properties()->SetMax(4);
  EXPECT_EQ(t->Position(), 4) << "reads clamp too";
  t->Properties()->SetMin(20);
  EXPECT_EQ(t->Properties()->Max(), 20);
  t->Properties()->SetMax(-3);
  EXPECT_EQ(t->Properties()->Min(), -3);
}

TEST_F(TrackBarTest, PositionReadFromAFormDescriptionIsStoredUnclamped) {
  std::unique_ptr<TComponent> root(FormTextToComponent(
      "object Bar: TcxTrackBar\n  Properties.Max = 100\n  Position = 250\nend\n", nullptr));
  auto* t = dynamic_cast<TcxTrackBar*>(root.get());
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->EditValue().AsInteger(), 250);
  EXPECT_EQ(t->Position(), 100);
}

TEST_F(TrackBarTest, ValueToPositionReadsOrdinalsAndIntegerTexts) {
  TcxTrackBarProperties p(nullptr);
  p.SetMin(-5);
  p.SetMax(50);
  struct Case {
    Variant Value;
    std::int64_t Position;
  } cases[] = {{Variant::Null(), -5}, {Variant(), -5},        {Variant(7), 7},        {Variant(" 12 "), 12},
               {Variant("-3"), -3},   {Variant("1x"), -5},    {Variant(2.5), -5},     {Variant(true), -1},
               {Variant(9000000000LL), 9000000000LL}};
  for (const Case& c : cases) EXPECT_EQ(p.ValueToPosition(c.Value), c.Position) << VarToStrDef(c.Value, "?");
  EXPECT_EQ(p.ClampPosition(9000000000LL), 50);
  EXPECT_EQ(p.ValueDisplayText(Variant("77")), "50");
}

TEST_F(TrackBarTest, ClicksStepOrJump) {
  TcxTrackBar* t = Make();
  t->SetPosition(2);
  Pump();
  Click(t, 150, 35);
  EXPECT_EQ(t->Position(), 3);
  Click(t, 10, 35);
  EXPECT_EQ(t->Position(), 2);
  t->Properties()->SetThumbStep(cxtsJump);
  Click(t, 150, 35);
  EXPECT_EQ(t->Position(), 8) << "trunc((150 - 9) / 16.8)";
  Click(t, 20, 35);
  EXPECT_EQ(t->Position(), 0);
}

TEST_F(TrackBarTest, JumpOnAChannelNoLongerThanTheThumbStays) {
  TcxTrackBar* t = Make();
  t->Properties()->SetThumbStep(cxtsJump);
  t->SetWidth(24);
  t->SetPosition(4);
  Pump();
  EXPECT_LE(t->Properties()->LastPixelsPerUnit, 0);
  Click(t, 22, 35);
  EXPECT_EQ(t->Position(), 4);
}

TEST_F(TrackBarTest, DraggingTheThumbScalesByTheControlsWidth) {
  TcxTrackBar* t = Make();
  Pump();
  MoveMouse(t, 12, 35);
  MouseButton(true);
  EXPECT_EQ(t->TrackBarViewInfo()->ThumbState, tbtsPressed);
  // 10 / 196 a pixel: 59 pixels right of the thumb's centre (13) is 3.01 -> 3.
  MoveMouse(t, 72, 35);
  EXPECT_EQ(t->Position(), 3);
  MouseButton(false);
  EXPECT_EQ(t->TrackBarViewInfo()->ThumbState, tbtsNormal);
  EXPECT_TRUE(t->Modified());
}

TEST_F(TrackBarTest, ShiftSelectsAndCtrlClickOnTheThumbClears) {
  TcxTrackBar* t = Make();
  Focus(t);
  t->SetPosition(5);
  Key(VK_SHIFT, true);
  for (int i = 0; i < 3; ++i) Press(VK_RIGHT);
  EXPECT_EQ(t->Properties()->SelectionStart(), 5);
  EXPECT_EQ(t->Properties()->SelectionEnd(), 8);
  SaveControl("trackbar-selection.png", t, 2);
  for (int i = 0; i < 4; ++i) Press(VK_LEFT);
  Key(VK_SHIFT, false);
  EXPECT_EQ(t->Position(), 4);
  EXPECT_EQ(t->Properties()->SelectionStart(), 4);
  EXPECT_EQ(t->Properties()->SelectionEnd(), 5);
  EXPECT_FALSE(t->ShiftSelecting());
  Pump();
  const TRect& thumb = t->Properties()->LastThumbBox;
  MoveMouse(t, (thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2);
  Key(VK_CONTROL, true);
  MouseButton(true);
  MouseButton(false);
  Key(VK_CONTROL, false);
  EXPECT_EQ(t->Properties()->SelectionStart(), 0);
  EXPECT_EQ(t->Properties()->SelectionEnd(), 0);
  EXPECT_EQ(t->Position(), 4);
}

TEST_F(TrackBarTest, AutoSizeTakesTheZoneFromTheBreadth) {
  TcxTrackBar* t = Make();
  t->SetHeight(35);  // 35 less the 5 of the ticks: a breadth of 30
  Pump();
  TcxCustomTrackBarViewInfo* info = t->TrackBarViewInfo();
  EXPECT_EQ(info->ChannelZoneRect.Bottom - info->ChannelZoneRect.Top, 21);
  EXPECT_EQ(info->TrackSize, 10);
  EXPECT_EQ(info->ThumbBox.Right - info->ThumbBox.Left, 10);
  EXPECT_EQ(info->ThumbBox.Bottom - info->ThumbBox.Top, 20);
  t->Properties()->SetAutoSize(false);
  Pump();
  EXPECT_EQ(info->TrackSize, 5);
  EXPECT_EQ(info->ThumbBox.Right - info->ThumbBox.Left, 7);
  EXPECT_EQ(info->ThumbBox.Bottom - info->ThumbBox.Top, 12);
}

TEST_F(TrackBarTest, CustomThumbTakesTheHandlersSize) {
  TcxTrackBar* t = Make();
  int drawn = 0;
  t->Properties()->OnGetThumbRect = [](TObject*, TRect& R) { R = TRect(0, 0, 9, 30); };
  t->Properties()->OnDrawThumb = [&](TObject*, TcxCanvas*, const TRect& R) {
    ++drawn;
    EXPECT_EQ(R.Right - R.Left, 9);
  };
  t->Properties()->SetThumbType(cxttCustom);
  Pump();
  TcxCustomTrackBarViewInfo* info = t->TrackBarViewInfo();
  EXPECT_EQ(info->ThumbWidth, 9);
  EXPECT_EQ(info->ThumbHeight, 30);
  EXPECT_EQ(info->ChannelZoneRect.Bottom - info->ChannelZoneRect.Top, 30);
  EXPECT_GT(drawn, 0);
}

// The whole integer range paints without visiting every value, and page steps saturate.
TEST_F(TrackBarTest, ExtremeRangesAndPageSizesStayInBounds) {
  TcxTrackBar* t = Make();
  t->Properties()->SetMin(-2147483647 - 1);
  t->Properties()->SetMax(2147483647);
  t->Properties()->SetPageSize(2147483647);
  t->Properties()->SetTickType(tbttValueNumber);
  Focus(t);
  const auto start = std::chrono::steady_clock::now();
  t->SetPosition(2147483000);
  Pump();
  Press(VK_NEXT);
  EXPECT_EQ(t->Position(), 2147483647);
  Press(VK_NEXT);
  EXPECT_EQ(t->Position(), 2147483647);
  Press(VK_PRIOR);
  EXPECT_EQ(t->Position(), 0);
  Press(VK_PRIOR);
  Press(VK_PRIOR);
  EXPECT_EQ(t->Position(), -2147483647 - 1);
  Press(VK_LEFT);
  EXPECT_EQ(t->Position(), -2147483647 - 1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_GT(BlackPixels(t, TRect(0, 46, t->Width(), 64)), 20) << "the end numbers are drawn";
}

TEST_F(TrackBarTest, RegisteredUnderItsDescription) {
  TcxRegisteredClasses* registry = EditPropertiesClassRegistry();
  bool found = false;
  for (int i = 0; i < registry->ItemCount(); ++i)
    found = found || registry->ClassAt(i) == TcxTrackBarProperties::StaticClass();
  EXPECT_TRUE(found);
}

// Every look in the shapes the options give, in the normal, hot, pressed and disabled states.
TEST_F(TrackBarTest, GalleryOfEveryLookAndShape) {
  form->SetBounds(0, 0, 1000, 760);
  const TcxLookAndFeelKind kinds[] = {lfFlat, lfStandard, lfUltraFlat, lfOffice11};
  for (int k = 0; k < 4; ++k) {
    auto add = [&](int Row, const std::function<void(TcxTrackBar*)>& Setup) {
      TcxTrackBar* t = Make(10 + 245 * k, 10 + 90 * Row);
      t->SetWidth(235);
      t->SetHeight(80);
      t->Style()->LookAndFeel()->SetKind(kinds[k]);
      t->SetPosition(4);
      Setup(t);
      return t;
    };
    add(0, [](TcxTrackBar*) {});
    add(1, [](TcxTrackBar* t) {
      t->Properties()->SetTickMarks(cxtmBoth);
      t->Properties()->SetTickType(tbttNumbers);
    });
    add(2, [](TcxTrackBar* t) {
      t->Properties()->SetTickMarks(cxtmTopLeft);
      t->Properties()->SetTickType(tbttValueNumber);
      t->Properties()->SetSelectionStart(2);
      t->Properties()->SetSelectionEnd(7);
    });
    add(3, [](TcxTrackBar* t) { t->SetEnabled(false); });
    TcxTrackBar* vertical = add(4, [](TcxTrackBar* t) {
      t->Properties()->SetOrientation(tboVertical);
      t->Properties()->SetTickMarks(cxtmBoth);
      t->Properties()->SetTickType(tbttNumbers);
      t->Properties()->SetTextOrientation(tbtoVertical);
      t->Properties()->SetMax(5);
    });
    vertical->SetHeight(200);
    vertical->SetWidth(110);
    TcxTrackBar* hot = add(7, [](TcxTrackBar* t) { t->Properties()->SetThumbColor(clRed); });
    hot->SetWidth(115);
    TcxTrackBar* pressed = add(7, [](TcxTrackBar* t) { t->Properties()->SetMax(100); t->Properties()->SetFrequency(10); });
    pressed->SetLeft(pressed->Left() + 120);
    pressed->SetWidth(115);
    Pump();
    const TRect& thumb = hot->Properties()->LastThumbBox;
    MoveMouse(hot, (thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2);
    EXPECT_EQ(hot->TrackBarViewInfo()->ThumbState, tbtsHot);
    SaveControl("trackbar-hot-" + std::to_string(k) + ".png", hot, 2);
    const TRect& pthumb = pressed->Properties()->LastThumbBox;
    MoveMouse(pressed, (pthumb.Left + pthumb.Right) / 2, (pthumb.Top + pthumb.Bottom) / 2);
    MouseButton(true);
    SaveControl("trackbar-pressed-" + std::to_string(k) + ".png", pressed, 2);
    MouseButton(false);
    MoveMouse(form, 999, 759);
  }
  SaveScreen("trackbar-gallery.png", RECT{0, 0, 1000, 760});
}

}  // namespace
