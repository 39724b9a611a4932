// A text editor's layout and painting without an editor: the text rectangle, measuring for auto
// size, the highlight clamped to the text, selection colours, hints for a text cut short.
#include <gtest/gtest.h>

#include <memory>

#include "tests/ui/controls/ControlsFixture.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/editors/TextEditViewInfo.h"

namespace {

using controlstest::ControlsTest;
using surfacetest::Surface;
using win::COLORREF;

// Properties whose typing mode a test chooses.
class TModeProperties : public TcxTextEditProperties {
  VW_CLASS(TModeProperties, TcxTextEditProperties)
 public:
  explicit TModeProperties(TPersistent* AOwner) : TcxTextEditProperties(AOwner) {}
  TcxEditTypingMode Mode = etmFree;
  TcxEditTypingMode TypingMode() override { return Mode; }
};

class TextEditViewTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    properties = std::make_unique<TModeProperties>(nullptr);
    style = std::make_unique<TcxEditStyle>(nullptr, nullptr, csiNormal);
    style->SetEditBorderStyle(ebsSingle);
    style->SetTransparentBorder(false);
    info = std::make_unique<TcxCustomTextEditViewInfo>();
  }
  void TearDown() override {
    info.reset();
    style.reset();
    properties.reset();
    ControlsTest::TearDown();
  }
  std::unique_ptr<TcxCustomTextEditViewData> NewData(bool InPlace = false) {
    return std::unique_ptr<TcxCustomTextEditViewData>(
        static_cast<TcxCustomTextEditViewData*>(properties->CreateViewData(style.get(), InPlace)));
  }
  void Layout(const TRect& Bounds, const String& Text, bool Focused = false) {
    auto data = NewData();
    data->Focused = Focused;
    data->CalculateLayout(&canvas, Bounds, TPoint(-1, -1), 0, TShiftState(), info.get(), false);
    data->PrepareDisplayValue(&canvas, Variant(Text), info.get());
  }

  std::unique_ptr<TModeProperties> properties;
  std::unique_ptr<TcxEditStyle> style;
  std::unique_ptr<TcxCustomTextEditViewInfo> info;
  Surface surface{121, 21};
  TcxCanvas canvas{surface.Canvas()};
};

TEST_F(TextEditViewTest, TextRectangleHoldsAtLeastOneLine) {
  Layout(TRect(0, 0, 121, 21), "abc");
  TRect client = info->ClientRect;
  EXPECT_EQ(info->TextRect.Left, client.Left + 1);
  EXPECT_EQ(info->TextRect.Top, client.Top + 1);
  // Too low for a line of text: the rectangle grows to one line, but not past the client.
  Layout(TRect(0, 0, 121, 8), "abc");
  EXPECT_EQ(info->TextRect.Bottom, info->ClientRect.Bottom);
  EXPECT_EQ(info->DrawFlags, tlfSingleLine | tlfKeepLeft | tlfKeepTop);
}

TEST_F(TextEditViewTest, DrawFlagsFollowTheAlignment) {
  struct Case {
    TAlignment Horz;
    TcxEditVertAlignment Vert;
    TcxTextLayoutFlags Flags;
  } cases[] = {{taLeftJustify, taTopJustify, 0},
               {taRightJustify, taBottomJustify, tlfAlignRight | tlfAlignBottom},
               {taCenter, taVCenter, tlfCenterHorz | tlfCenterVert}};
  for (const Case& c : cases) {
    properties->Alignment()->SetHorz(c.Horz);
    properties->Alignment()->SetVert(c.Vert);
    auto data = NewData();
    data->LoadPropertiesState();
    EXPECT_EQ(data->TextDrawFlags(), c.Flags | tlfSingleLine | tlfKeepLeft | tlfKeepTop);
  }
}

TEST_F(TextEditViewTest, ListOnlyTextSitsOnePixelFurther) {
  TRect plain, listOnly, rightListOnly;
  EditorTextBounds(NewData().get(), plain);
  properties->Mode = etmListOnly;
  EditorTextBounds(NewData().get(), listOnly);
  EXPECT_EQ(listOnly, TRect(plain.Left + 1, plain.Top + 1, plain.Right, plain.Bottom + 1));
  properties->Alignment()->SetHorz(taRightJustify);
  auto data = NewData();
  data->LoadPropertiesState();
  EditorTextBounds(data.get(), rightListOnly);
  // Margins shrink the text rectangle: a smaller right margin puts right-aligned text a pixel right.
  EXPECT_EQ(rightListOnly, TRect(plain.Left, plain.Top + 1, plain.Right - 1, plain.Bottom + 1));
  EditorTextBounds(NewData(true).get(), listOnly);
  EXPECT_EQ(listOnly, NewData(true)->ContentOffsets.Margins) << "in place the inner edit's offsets stay";
}

TEST_F(TextEditViewTest, MeasuresOneLineWithMarginsAndTheExtraPixel) {
  auto data = NewData();
  canvas.AssignFont(style->DisplayFont());
  int text = canvas.MeasureTextWidth("Hello"), line = canvas.MeasureTextHeight("Zg");
  TSize margins = data->ContentMarginsTotal();
  TcxEditSizeProperties free;
  TSize size = MeasureEditorText(&canvas, data.get(), "Hello", 0, free, data->TextDrawFlags());
  EXPECT_EQ(size, TSize(text + margins.cx, line + margins.cy));
  EXPECT_EQ(MeasureEditorText(&canvas, data.get(), "", 0, free, data->TextDrawFlags()),
            TSize(margins.cx, line + margins.cy));
  properties->Mode = etmNoCaret;
  auto noCaret = NewData();
  EXPECT_EQ(MeasureEditorText(&canvas, noCaret.get(), "Hello", 0, free, noCaret->TextDrawFlags()).cx,
            text + margins.cx + 1);
  // Within a width: words wrap into rows of one "Zg" line each.
  TcxEditSizeProperties narrow;
  narrow.Width = canvas.MeasureTextWidth("Hello ");
  TSize wrapped = MeasureEditorText(&canvas, data.get(), "Hello Hello Hello", 0, narrow, tlfAlignLeft);
  EXPECT_EQ(wrapped, TSize(narrow.Width, 3 * line + margins.cy));
  narrow.Width = 0;
  EXPECT_EQ(MeasureEditorText(&canvas, data.get(), "Hello", 0, narrow, tlfAlignLeft), TSize(0, line + margins.cy));
  EXPECT_EQ(MeasureEditorText(&canvas, data.get(), "Hello", 2, narrow, tlfAlignLeft), TSize(0, 2 * line + margins.cy));
}

TEST_F(TextEditViewTest, SelectionColoursTable) {
  struct Case {
    TColor Text, Bk, Style, WantText, WantBk;
  } cases[] = {
      {clRed, clBlue, clWindow, clRed, clBlue},
      {static_cast<TColor>(0x123456), clDefault, clWindow, static_cast<TColor>(0x123456),
       static_cast<TColor>(0x123456 ^ 0xFFFFFF)},
      {clDefault, static_cast<TColor>(0x00FF00), clWindow, static_cast<TColor>(0xFF00FF), static_cast<TColor>(0x00FF00)},
      {clDefault, clDefault, clWindow, clHighlightText, clHighlight},
      {clDefault, clDefault, clHighlight, static_cast<TColor>(0xFFFFFF), static_cast<TColor>(0)},
  };
  for (const Case& c : cases) {
    TcxCustomTextEditViewInfo v;
    v.BackgroundColor = c.Style;
    v.HighlightLength = 2;
    FillSelectionColors(&v, c.Text, c.Bk);
    EXPECT_EQ(v.HighlightTextColor, c.WantText);
    EXPECT_EQ(v.HighlightBkColor, c.WantBk);
  }
  TcxCustomTextEditViewInfo none;
  FillSelectionColors(&none, clRed, clBlue);
  EXPECT_EQ(none.HighlightTextColor, clDefault) << "no highlight, no colours";
}

TEST_F(TextEditViewTest, EmptyEditorPaintsBackgroundFrameAndFocusRectOnly) {
  properties->Mode = etmListOnly;
  Layout(TRect(0, 0, 121, 21), "", true);
  info->Focused = true;
  surface.Clear(clFuchsia);
  info->PaintBody(&canvas);
  surface.Save("editors/text-edit-empty-focused.png");
  EXPECT_EQ(surface.CountOf(clFuchsia), 0);
  // Inside the focus rectangle nothing but the background: no text was drawn.
  TRect c = info->ClientRect;
  COLORREF background = ColorToRGB(info->BackgroundColor);
  for (int y = c.Top + 2; y < c.Bottom - 2; ++y)
    for (int x = c.Left + 2; x < c.Right - 2; ++x) ASSERT_EQ(surface.At(x, y), background) << x << "," << y;
  // The focus rectangle: dotted, on the content rectangle one pixel inside the client.
  int dots = 0;
  for (int x = c.Left + 1; x < c.Right - 1; ++x) dots += surface.At(x, c.Top + 1) != background;
  EXPECT_GT(dots, 10);
}

TEST_F(TextEditViewTest, HighlightIsClampedToTheText) {
  properties->Mode = etmListOnly;
  Layout(TRect(0, 0, 121, 21), "0123456789");
  info->HighlightStart = 8;
  info->HighlightLength = 3;
  info->HighlightBkColor = clRed;
  info->HighlightTextColor = clWhite;
  surface.Clear(clWindow);
  info->PaintText(&canvas);
  EXPECT_EQ(info->TextOutData.HighlightLength, 2);
  canvas.AssignFont(style->DisplayFont());
  int two = canvas.MeasureTextWidth("89");
  int redColumns = 0;
  for (int x = 0; x < 121; ++x) redColumns += surface.At(x, info->TextRect.Top + 2) == ColorToRGB(clRed) ||
                                               surface.At(x, info->TextRect.Top + 3) == ColorToRGB(clRed);
  EXPECT_NEAR(redColumns, two, 1);
  struct Case {
    int Start, Length, Want;
  } cases[] = {{-1, 3, 0}, {10, 1, 0}, {0, 20, 10}, {4, 3, 3}};
  for (const Case& c : cases) {
    info->TextOutData.Initialized = false;
    info->HighlightStart = c.Start;
    info->HighlightLength = c.Length;
    info->PaintText(&canvas);
    EXPECT_EQ(info->TextOutData.HighlightLength, c.Want) << c.Start << "+" << c.Length;
  }
}

TEST_F(TextEditViewTest, HintOnlyForTextCutShort) {
  Layout(TRect(0, 0, 60, 21), "A text far wider than the editor");
  TRect r;
  bool multi = true;
  String text;
  TPoint inside(info->TextRect.Left + 2, info->TextRect.Top + 2);
  ASSERT_TRUE(info->HintAt(inside, r, multi, text));
  EXPECT_EQ(text, "A text far wider than the editor");
  EXPECT_FALSE(multi);
  EXPECT_EQ(r, info->TextRect);
  Layout(TRect(0, 0, 121, 21), "Fits");
  EXPECT_FALSE(info->HintAt(inside, r, multi, text));
  EXPECT_TRUE(text.empty());
}

}  // namespace
