#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/FormDescription.h"
#include "platform/classes/StdCtrls.h"
#include "platform/win/Keys.h"
#include "tests/ui/choice/ChoiceFixture.h"
#include "ui/choice/Label.h"
#include "ui/controls/FilterEditHelpers.h"
#include "ui/editors/TextEdit.h"
#include "ui/foundation/Geometry.h"

namespace choicetest {
namespace {

constexpr Rgb kWhite = 0xFFFFFF, kBlack = 0x000000, kRed = 0x0000FF;

// The label's pixels as a grid, to compare pictures and find where colours lie.
struct Picture {
  int W = 0, H = 0;
  std::vector<Rgb> P;
  Rgb At(int x, int y) const { return x < 0 || y < 0 || x >= W || y >= H ? kWhite : P[y * W + x]; }
  int Count(Rgb c) const { return static_cast<int>(std::count(P.begin(), P.end(), c)); }
  // The box of the pixels of colour c: (right, bottom) exclusive; empty when there are none.
  TRect Extent(Rgb c) const {
    TRect r(W, H, 0, 0);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x)
        if (At(x, y) == c) r = TRect(std::min<int>(r.Left, x), std::min<int>(r.Top, y), std::max<int>(r.Right, x + 1),
                                     std::max<int>(r.Bottom, y + 1));
    return r;
  }
};

class LabelTest : public ChoiceTest {
 protected:
  void SetUp() override {
    ChoiceTest::SetUp();
    TextEditUnitStartup();
    LabelUnitStartup();
  }
  void TearDown() override {
    Pump();
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) delete *it;
    forms_.clear();
    LabelUnitShutdown();
    TextEditUnitShutdown();
    ChoiceTest::TearDown();
  }

  // Black text on white, 14 points, auto-sized.
  TcxLabel* NewLabel(TWinControl* Parent, int Left, int Top, const String& Caption, int Size = 14) {
    auto* label = new TcxLabel(Parent);
    label->Style()->SetColor(clWhite);
    label->Style()->Font()->SetName("DejaVu Sans");
    label->Style()->Font()->SetSize(Size);
    label->Style()->Font()->SetColor(clBlack);
    label->Properties()->SetShadowedColor(clRed);
    label->SetLeft(Left);
    label->SetTop(Top);
    label->SetParent(Parent);
    label->SetCaption(Caption);
    return label;
  }

  Picture Grab(TControl* Control) {
    Pump();
    Picture p;
    p.W = Control->Width();
    p.H = Control->Height();
    for (int y = 0; y < p.H; ++y)
      for (int x = 0; x < p.W; ++x) p.P.push_back(Pixel(Control, x, y));
    return p;
  }
};

TEST_F(LabelTest, DefaultsAndRegistration) {
  TForm* form = MakeForm(0, 0, 300, 200);
  // In place nothing auto-sizes: the label keeps the size it starts with.
  auto* inplace = static_cast<TcxLabel*>(TcxCustomEdit::ConstructInplace(TcxLabel::StaticClass(), form, true));
  EXPECT_EQ(inplace->Width(), 121);
  EXPECT_EQ(inplace->TControl::Height(), 21);
  EXPECT_FALSE(inplace->AutoSize());
  auto* label = new TcxLabel(form);
  EXPECT_FALSE(label->ControlStyle().Contains(csCaptureMouse));
  EXPECT_TRUE(label->AutoSize());
  EXPECT_FALSE(label->Transparent());
  TcxLabelProperties* p = label->Properties();
  EXPECT_EQ(p->Orientation(), cxoRightBottom);
  EXPECT_EQ(p->ShadowedColor(), clGrayText);
  EXPECT_EQ(p->PenWidth(), 1);
  EXPECT_TRUE(p->ShowAccelChar());
  EXPECT_FALSE(p->HasGlyph());
  EXPECT_EQ(p->SupportedOperations(), 1418);
  EXPECT_EQ(p->EditValueSource(false), 1);
  // Reading the glyph makes an empty one.
  EXPECT_TRUE(p->Glyph()->Empty());
  p->SetDepth(-1);
  EXPECT_EQ(p->Depth(), 65535);

  const int index = EditPropertiesClassRegistry()->IndexOfClass(TcxLabelProperties::StaticClass());
  ASSERT_GE(index, 0);
  EXPECT_EQ(EditPropertiesClassRegistry()->DescriptionAt(index), "Label|Represents a Label");
  EXPECT_TRUE(FilterEditsControllerInstance()->FindHelper(TcxLabelProperties::StaticClass()));
}

TEST_F(LabelTest, AssignCopiesEverySettingInOneChange) {
  TcxLabelProperties source(nullptr), target(nullptr);
  TBitmap texture;
  texture.SetSize(3, 2);
  source.SetLabelEffect(cxleFun);
  source.SetLabelStyle(cxlsLowered);
  source.SetOrientation(cxoLeftTop);
  source.SetDepth(7);
  source.SetShadowedColor(clRed);
  source.SetAngle(45);
  source.SetPenWidth(3);
  source.SetGlyph(&texture);
  source.SetShowAccelChar(false);
  source.SetWordWrap(true);
  source.LineOptions()->SetVisible(true);
  source.LineOptions()->SetAlignment(cxllaBottom);
  int changes = 0;
  target.OnPropertiesChanged = [&](TObject*) { ++changes; };
  target.Assign(&source);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(target.LabelEffect(), cxleFun);
  EXPECT_EQ(target.LabelStyle(), cxlsLowered);
  EXPECT_EQ(target.Orientation(), cxoLeftTop);
  EXPECT_EQ(target.Depth(), 7);
  EXPECT_EQ(target.ShadowedColor(), clRed);
  EXPECT_EQ(target.Angle(), 45);
  EXPECT_EQ(target.PenWidth(), 3);
  EXPECT_EQ(target.Glyph()->Width(), 3);
  EXPECT_FALSE(target.ShowAccelChar());
  EXPECT_TRUE(target.WordWrap());
  EXPECT_TRUE(target.LineOptions()->Visible());
  EXPECT_EQ(target.LineOptions()->Alignment(), cxllaBottom);
  EXPECT_EQ(target.DepthDelta(), TPoint(7, 7));
  // A source without a glyph leaves an empty one.
  TcxLabelProperties plain(nullptr);
  target.Assign(&plain);
  EXPECT_FALSE(target.HasGlyph());
}

// In place a host lays the label out and paints it into its own canvas, with no control behind it.
TEST_F(LabelTest, InPlaceWithoutAControl) {
  TcxLabelProperties properties(nullptr);
  properties.SetLabelEffect(cxleCool);
  properties.SetOrientation(cxoRight);
  properties.SetDepth(3);
  properties.SetShadowedColor(clRed);
  TcxLabelEditStyle style(nullptr, nullptr, csiNormal);
  style.SetColor(clWhite);
  style.Font()->SetColor(clBlack);
  TBitmap surface;
  surface.SetSize(121, 21);
  TcxCanvas canvas(surface.Canvas());
  TcxCustomLabelViewInfo info;
  std::unique_ptr<TcxCustomEditViewData> data(properties.CreateViewData(&style, true));
  data->PrepareDisplayValue(&canvas, Variant(String("Cell 7")), &info);
  data->CalculateLayout(&canvas, TRect(0, 0, 121, 21), TPoint(-1, -1), 0, TShiftState(), &info, false);
  EXPECT_EQ(info.Text, "Cell 7");
  // In place and level without a line, the text takes the whole client area.
  EXPECT_EQ(info.LabelTextRect, info.ClientRect);
  info.PaintWithHandler(&canvas);
  int black = 0, red = 0;
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 121; ++x) {
      const TColor c = surface.Canvas()->Pixels(x, y);
      black += c == clBlack;
      red += c == clRed;
    }
  EXPECT_GT(black, 20);
  EXPECT_GT(red, 5);
  // Measured for a value: one line of text and the depth.
  TcxEditSizeProperties request;
  const TSize size = data->ContentSizeForValue(&canvas, Variant(String("")), request);
  const TSize text = data->ContentSizeForValue(&canvas, Variant(String("Wg")), request);
  EXPECT_EQ(size.cy, text.cy);
}

TEST_F(LabelTest, CaptionAndEditValueStayEqual) {
  TForm* form = MakeForm(0, 0, 300, 200);
  TcxLabel* label = NewLabel(form, 10, 10, "Input 1");
  int changed = 0;
  label->Properties()->OnEditValueChanged = [&](TObject*) { ++changed; };
  EXPECT_EQ(VarToStr(label->EditValue()), "Input 1");
  label->SetCaption("Input 2");
  EXPECT_EQ(VarToStr(label->EditValue()), "Input 2");
  EXPECT_EQ(changed, 1);
  label->SetEditValue(Variant(String("信号 3")));
  EXPECT_EQ(label->Caption(), "信号 3");
  EXPECT_EQ(label->LabelViewInfo()->Text, "信号 3");
  EXPECT_EQ(changed, 2);
  // The same caption again changes nothing.
  label->SetEditValue(Variant(String("信号 3")));
  EXPECT_EQ(changed, 2);
}


// Depth copies against the plain text: where they lie, in which order and how much room they take.
TEST_F(LabelTest, DepthEffects) {
  TForm* form = MakeForm(0, 0, 600, 300);
  TcxLabel* plain = NewLabel(form, 10, 10, "Wg8");
  auto effect = [&](int Top, TcxLabelEffect Effect, TcxLabelOrientation Orientation, int Depth) {
    TcxLabel* label = NewLabel(form, 10, Top, "Wg8");
    label->Properties()->SetLabelEffect(Effect);
    label->Properties()->SetOrientation(Orientation);
    label->Properties()->SetDepth(Depth);
    return label;
  };
  TcxLabel* extrude = effect(60, cxleExtrude, cxoRightBottom, 5);
  TcxLabel* cool = effect(110, cxleCool, cxoLeft, 6);
  TcxLabel* fun = effect(160, cxleFun, cxoRightBottom, 4);
  TcxLabel* none = effect(210, cxleNormal, cxoRightBottom, 10);
  const Picture base = Grab(plain);
  const TRect text = base.Extent(kBlack);
  ASSERT_FALSE(RectHasNoArea(text));

  // Five copies 5 .. 1 pixels to the lower right, then the text over them.
  const Picture e = Grab(extrude);
  EXPECT_EQ(extrude->Width(), plain->Width() + 5);
  EXPECT_EQ(extrude->Height(), plain->Height() + 5);
  EXPECT_EQ(e.Extent(kBlack), text);
  EXPECT_EQ(e.Count(kBlack), base.Count(kBlack));
  const TRect red = e.Extent(kRed);
  EXPECT_EQ(red.Right, text.Right + 5);
  EXPECT_EQ(red.Bottom, text.Bottom + 5);

  // One copy at the full depth; the text 6 pixels right of it.
  const Picture c = Grab(cool);
  EXPECT_EQ(cool->Width(), plain->Width() + 6);
  EXPECT_EQ(cool->Height(), plain->Height());
  EXPECT_EQ(c.Extent(kBlack), ShiftRect(text, 6, 0, true));
  EXPECT_EQ(c.Extent(kRed).Left, text.Left);

  // The ramp goes a quarter of the way per copy; the farthest copy is drawn first and palest,
  // the nearest last in the shadow colour itself.
  const Picture f = Grab(fun);
  for (int i = 1; i <= 4; ++i) {
    const Rgb colour = LabelFunColor(i, 4, kWhite, kRed);
    ASSERT_GT(f.Count(colour), 0) << i;
    EXPECT_EQ(f.Extent(colour).Right, text.Right + 5 - i) << i;
  }
  EXPECT_EQ(f.Extent(kBlack), text);

  // No effect: a depth changes nothing.
  const Picture n = Grab(none);
  EXPECT_EQ(none->Width(), plain->Width());
  EXPECT_EQ(none->Height(), plain->Height());
  EXPECT_EQ(n.P, base.P);
}

TEST_F(LabelTest, RaisedLoweredAndOutlinedLetters) {
  TForm* form = MakeForm(0, 0, 600, 400);
  const Rgb grey = 0xC0C0C0, highlight = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
  auto make = [&](int Top, int Size, TcxLabelStyle Style) {
    TcxLabel* label = NewLabel(form, 10, Top, "Wg8", Size);
    label->Style()->SetColor(clSilver);
    label->Properties()->SetLabelStyle(Style);
    return label;
  };
  struct Case {
    int Size;
    TcxLabelStyle Style;
    int Grows;
    bool ShadowCopy;
  };
  const Case cases[] = {{10, cxlsRaised, 1, false}, {12, cxlsRaised, 2, true}, {10, cxlsLowered, 1, false},
                        {12, cxlsLowered, 2, true}};
  int top = 10;
  for (const Case& k : cases) {
    TcxLabel* plain = make(top, k.Size, cxlsNormal);
    TcxLabel* styled = make(top + 30, k.Size, k.Style);
    top += 70;
    const Picture p = Grab(plain), s = Grab(styled);
    EXPECT_EQ(styled->Width(), plain->Width() + k.Grows) << k.Size << " " << k.Style;
    EXPECT_EQ(styled->Height(), plain->Height() + k.Grows) << k.Size << " " << k.Style;
    // The text itself one pixel down and right.
    EXPECT_EQ(s.Extent(kBlack), ShiftRect(p.Extent(kBlack), 1, 1, true)) << k.Size << " " << k.Style;
    EXPECT_GT(s.Count(highlight), 0);
    EXPECT_EQ(s.Count(shadow) > 0, k.ShadowCopy) << k.Size << " " << k.Style;
    EXPECT_GT(p.Count(grey), 0);
  }

  // An outline without a texture is hollow: the strokes' insides keep the background.
  TcxLabel* solid = NewLabel(form, 300, 10, "WM", 28);
  solid->Style()->Font()->SetStyle(TFontStyles{fsBold});
  TcxLabel* outline = NewLabel(form, 300, 80, "WM", 28);
  outline->Style()->Font()->SetStyle(TFontStyles{fsBold});
  outline->Properties()->SetLabelStyle(cxlsOutLine);
  const Picture a = Grab(solid), b = Grab(outline);
  ASSERT_EQ(a.W, b.W);
  int hollow = 0;
  for (int y = 0; y < a.H; ++y)
    for (int x = 0; x < a.W; ++x)
      if (a.At(x, y) == kBlack && a.At(x - 2, y) == kBlack && a.At(x + 2, y) == kBlack && b.At(x, y) == kWhite) ++hollow;
  EXPECT_GT(b.Count(kBlack), 0);
  EXPECT_GT(hollow, 20);
}

TEST_F(LabelTest, TurnedText) {
  TForm* form = MakeForm(0, 0, 600, 400);
  TcxLabel* level = NewLabel(form, 10, 10, "File");
  TcxLabel* down = NewLabel(form, 100, 10, "File");
  down->Properties()->SetAngle(-90);
  TcxLabel* marked = NewLabel(form, 150, 10, "&File");
  marked->Properties()->SetAngle(-90);
  marked->Properties()->SetWordWrap(true);
  TcxLabel* up = NewLabel(form, 200, 10, "File");
  up->Properties()->SetAngle(270);
  Pump();
  // -90 lays out as 270: the level box turned a quarter.
  EXPECT_EQ(down->Width() - 4, level->Height() - 4);
  EXPECT_EQ(down->Height() - 4, level->Width() - 4);
  const Picture d = Grab(down), u = Grab(up), m = Grab(marked);
  EXPECT_EQ(d.P, u.P);
  // Turned, "&File" shows as "File": no underline, and word wrapping plays no part.
  EXPECT_EQ(marked->Width(), down->Width());
  EXPECT_EQ(m.P, d.P);
  // Read from top to bottom: a tall narrow run of ink.
  const TRect ink = d.Extent(kBlack);
  EXPECT_GT(WidthOfRect(ink), 8);
  EXPECT_GT(HeightOfRect(ink), WidthOfRect(ink));

  // A face that cannot be turned is drawn level, its accelerator underlined.
  auto raster = [&](int Left, int Angle) {
    TcxLabel* label = NewLabel(form, Left, 200, "&File");
    label->Style()->Font()->SetName("MS Sans Serif");
    label->Properties()->SetAngle(Angle);
    return label;
  };
  TcxLabel* turned = raster(10, 30);
  TcxLabel* flat = raster(100, 0);
  const Picture t = Grab(turned), f = Grab(flat);
  TcxLabel* bare = NewLabel(form, 200, 200, "File");
  bare->Style()->Font()->SetName("MS Sans Serif");
  EXPECT_EQ(t.P, f.P);
  EXPECT_GT(t.Count(kBlack), Grab(bare).Count(kBlack));
  EXPECT_GT(WidthOfRect(t.Extent(kBlack)), HeightOfRect(t.Extent(kBlack)));
}

TEST_F(LabelTest, EtchedLine) {
  TForm* form = MakeForm(0, 0, 600, 400);
  const Rgb line = ColorToRGB(clBtnShadow);
  auto make = [&](int Top, TAlignment Horz, int Angle) {
    TcxLabel* label = NewLabel(form, 10, Top, "Line");
    label->Properties()->SetAngle(Angle);
    label->Properties()->Alignment()->SetHorz(Horz);
    label->Properties()->LineOptions()->SetVisible(true);
    EXPECT_FALSE(label->AutoSize());
    label->SetBounds(10, Top, 200, Angle == 0 ? 24 : 100);
    return label;
  };
  TcxLabel* left = make(10, taLeftJustify, 0);
  TcxLabel* centre = make(40, taCenter, 0);
  TcxLabel* slanted = make(80, taLeftJustify, 45);
  TcxLabel* upright = make(200, taLeftJustify, 90);
  Pump();

  // Left-aligned text: the line starts 3 pixels after it and runs to the right edge.
  TcxCustomLabelViewInfo* info = left->LabelViewInfo();
  const TRect& t = info->LabelTextRect;
  EXPECT_EQ(info->LineRect.Left, t.Right + 3);
  EXPECT_EQ(info->LineRect.Right, info->ClientRect.Right);
  EXPECT_EQ(HeightOfRect(info->LineRect), 2);
  const int y = info->LineRect.Top;
  EXPECT_EQ(Pixel(left, info->LineRect.Left + 1, y), line);
  EXPECT_EQ(Pixel(left, t.Right + 1, y), kWhite);

  // Centred text: the line runs on both sides, 3 pixels clear of it.
  TcxCustomLabelViewInfo* c = centre->LabelViewInfo();
  const int cy = c->LineRect.Top;
  EXPECT_EQ(Pixel(centre, c->LabelTextRect.Left - 4, cy), line);
  EXPECT_EQ(Pixel(centre, c->LabelTextRect.Left - 3, cy), kWhite);
  EXPECT_EQ(Pixel(centre, c->LabelTextRect.Right + 2, cy), kWhite);
  EXPECT_EQ(Pixel(centre, c->LabelTextRect.Right + 3, cy), line);

  // No line beside slanted text; a vertical one beside text at 90 degrees.
  EXPECT_TRUE(RectHasNoArea(slanted->LabelViewInfo()->LineRect));
  EXPECT_TRUE(upright->LabelViewInfo()->LineVertical);
  EXPECT_EQ(WidthOfRect(upright->LabelViewInfo()->LineRect), 2);
  EXPECT_GT(HeightOfRect(upright->LabelViewInfo()->LineRect), 0);
}

TEST_F(LabelTest, AutoSizeAndTheLineExcludeEachOther) {
  TForm* form = MakeForm(0, 0, 300, 200);
  TcxLabel* empty = NewLabel(form, 10, 10, "");
  TcxLabel* sample = NewLabel(form, 10, 50, "Wg");
  Pump();
  // An empty label is one line high.
  EXPECT_EQ(empty->Height(), sample->Height());
  EXPECT_TRUE(sample->AutoSize());
  sample->Properties()->LineOptions()->SetVisible(true);
  EXPECT_FALSE(sample->AutoSize());
  sample->SetAutoSize(true);
  EXPECT_FALSE(sample->Properties()->LineOptions()->Visible());
}

TEST_F(LabelTest, TextureFillsTheLetters) {
  TForm* form = MakeForm(0, 0, 300, 200);
  TBitmap texture;
  texture.SetSize(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) texture.Canvas()->SetPixels(x, y, x < 2 ? clBlue : clLime);
  TcxLabel* label = NewLabel(form, 10, 10, "WM", 28);
  label->Properties()->SetGlyph(&texture);
  EXPECT_TRUE(label->Properties()->HasGlyph());
  const Picture p = Grab(label);
  EXPECT_EQ(p.Count(kBlack), 0);
  EXPECT_GT(p.Count(ColorToRGB(clBlue)), 20);
  EXPECT_GT(p.Count(ColorToRGB(clLime)), 20);
  // Outside the letters the background stays.
  EXPECT_EQ(p.At(p.W - 3, p.H - 3), kWhite);
  label->Properties()->SetGlyph(nullptr);
  EXPECT_FALSE(label->Properties()->HasGlyph());
  EXPECT_GT(Grab(label).Count(kBlack), 0);
}

TEST_F(LabelTest, FocusGoesToTheFocusControlOnly) {
  TForm* form = MakeForm(0, 0, 300, 200);
  auto* first = new TEdit(form);
  first->SetParent(form);
  first->SetBounds(10, 10, 80, 20);
  TcxLabel* label = NewLabel(form, 10, 40, "&Target");
  auto* target = new TEdit(form);
  target->SetParent(form);
  target->SetBounds(10, 70, 80, 20);
  label->SetFocusControl(target);
  label->SetFocusControl(label);
  EXPECT_EQ(label->FocusControl(), target);
  Pump();
  first->SetFocus();
  Pump();
  // Neither a click nor Tab stops on the label.
  Click(label, 5, 5);
  EXPECT_TRUE(first->Focused());
  EXPECT_FALSE(label->CanFocus());
  Key(win::VK_TAB, true);
  Key(win::VK_TAB, false);
  EXPECT_TRUE(target->Focused());
  first->SetFocus();
  Pump();

  auto alt = [&](unsigned Letter) {
    Key(win::VK_MENU, true);
    Key(Letter, true);
    Key(Letter, false);
    Key(win::VK_MENU, false);
  };
  alt('T');
  EXPECT_TRUE(target->Focused());
  // Disabled, or without accelerators, the key is not the label's.
  first->SetFocus();
  label->SetEnabled(false);
  alt('T');
  EXPECT_TRUE(first->Focused());
  label->SetEnabled(true);
  label->Properties()->SetShowAccelChar(false);
  alt('T');
  EXPECT_TRUE(first->Focused());

  // A freed focus control is forgotten.
  delete target;
  EXPECT_EQ(label->FocusControl(), nullptr);
}

}  // namespace
}  // namespace choicetest

namespace choicetest {
namespace {

// How the consoles store their labels: fixed size, see-through, their own font.
TEST_F(LabelTest, ReadAndWrittenAsFormsStoreIt) {
  std::unique_ptr<TComponent> root(FormTextToComponent(
      "object Title: TcxLabel\n  Left = 8\n  Top = 8\n  Caption = '\u4FE1\u53F7\u6E90 1'\n  AutoSize = False\n"
      "  Properties.Alignment.Horz = taCenter\n  Properties.LabelEffect = cxleExtrude\n  Properties.Depth = 2\n"
      "  Properties.ShowEndEllipsis = True\n  Properties.Transparent = True\n  Style.Font.Name = 'DejaVu Sans'\n"
      "  Transparent = True\n  Height = 30\n  Width = 120\nend\n",
      nullptr));
  auto* label = dynamic_cast<TcxLabel*>(root.get());
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Caption(), "\u4FE1\u53F7\u6E90 1");
  EXPECT_EQ(VarToStr(label->EditValue()), label->Caption());
  EXPECT_FALSE(label->AutoSize());
  EXPECT_TRUE(label->Transparent());
  EXPECT_EQ(label->Width(), 120);
  EXPECT_EQ(label->Properties()->Alignment()->Horz(), taCenter);
  EXPECT_EQ(label->Properties()->LabelEffect(), cxleExtrude);
  EXPECT_EQ(label->Properties()->Depth(), 2);
  EXPECT_TRUE(label->Properties()->ShowEndEllipsis());
  const String text = ComponentToFormText(label);
  for (const char* stored : {"Caption = ", "AutoSize = False", "Properties.LabelEffect = cxleExtrude",
                             "Properties.Depth = 2", "Transparent = True"})
    EXPECT_NE(text.find(stored), String::npos) << stored << "\n" << text;
  for (const char* unstored : {"ShowEndEllipsis", "Properties.Transparent", "TabOrder", "Glyph", "ShadowedColor"})
    EXPECT_EQ(text.find(unstored), String::npos) << unstored << "\n" << text;
}

}  // namespace
}  // namespace choicetest

namespace choicetest {
namespace {

// Every effect on one form: look at build/<preset>/artifacts/label-effects.png.
TEST_F(LabelTest, EffectsGallery) {
  TForm* form = MakeForm(0, 0, 760, 520, clBtnFace);
  auto texture = std::make_unique<TBitmap>();
  texture->SetSize(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) texture->Canvas()->SetPixels(x, y, (x / 2 + y / 2) % 2 ? clBlue : clLime);
  struct Cell {
    const char* Caption;
    std::function<void(TcxLabel*)> Set;
  };
  const std::vector<Cell> cells = {
      {"Plain", [](TcxLabel*) {}},
      {"&File 45", [](TcxLabel* l) { l->Properties()->SetAngle(45); }},
      {"&File 90", [](TcxLabel* l) { l->Properties()->SetAngle(90); }},
      {"&File -90", [](TcxLabel* l) { l->Properties()->SetAngle(-90); }},
      {"Extrude 5",
       [](TcxLabel* l) {
         l->Properties()->SetLabelEffect(cxleExtrude);
         l->Properties()->SetDepth(5);
       }},
      {"Cool 6 left",
       [](TcxLabel* l) {
         l->Properties()->SetLabelEffect(cxleCool);
         l->Properties()->SetOrientation(cxoLeft);
         l->Properties()->SetDepth(6);
       }},
      {"Fun 4",
       [](TcxLabel* l) {
         l->Properties()->SetLabelEffect(cxleFun);
         l->Properties()->SetDepth(4);
       }},
      {"Fun 8 top",
       [](TcxLabel* l) {
         l->Properties()->SetLabelEffect(cxleFun);
         l->Properties()->SetOrientation(cxoRightTop);
         l->Properties()->SetDepth(8);
       }},
      {"Raised 14",
       [](TcxLabel* l) {
         l->Style()->SetColor(clSilver);
         l->Properties()->SetLabelStyle(cxlsRaised);
       }},
      {"Lowered 14",
       [](TcxLabel* l) {
         l->Style()->SetColor(clSilver);
         l->Properties()->SetLabelStyle(cxlsLowered);
       }},
      {"Raised 10",
       [](TcxLabel* l) {
         l->Style()->SetColor(clSilver);
         l->Style()->Font()->SetSize(10);
         l->Properties()->SetLabelStyle(cxlsRaised);
       }},
      {"Outline",
       [](TcxLabel* l) {
         l->Style()->Font()->SetSize(24);
         l->Style()->Font()->SetStyle(TFontStyles{fsBold});
         l->Properties()->SetLabelStyle(cxlsOutLine);
       }},
      {"Texture",
       [&](TcxLabel* l) {
         l->Style()->Font()->SetSize(24);
         l->Style()->Font()->SetStyle(TFontStyles{fsBold});
         l->Properties()->SetGlyph(texture.get());
       }},
      {"Turned 30 extrude",
       [](TcxLabel* l) {
         l->Properties()->SetAngle(30);
         l->Properties()->SetLabelEffect(cxleExtrude);
         l->Properties()->SetDepth(4);
       }},
      {"Line left",
       [](TcxLabel* l) {
         l->SetAutoSize(false);
         l->SetWidth(170);
         l->Properties()->LineOptions()->SetVisible(true);
       }},
      {"Line centre",
       [](TcxLabel* l) {
         l->SetAutoSize(false);
         l->SetWidth(170);
         l->Properties()->Alignment()->SetHorz(taCenter);
         l->Properties()->LineOptions()->SetVisible(true);
       }},
      {"Vertical",
       [](TcxLabel* l) {
         l->SetAutoSize(false);
         l->SetHeight(110);
         l->SetWidth(40);
         l->Properties()->SetAngle(90);
         l->Properties()->LineOptions()->SetVisible(true);
       }},
      {"Transparent",
       [](TcxLabel* l) {
         l->SetTransparent(true);
         l->Properties()->SetLabelEffect(cxleExtrude);
         l->Properties()->SetDepth(3);
       }},
      {"Word wrap in a narrow label",
       [](TcxLabel* l) {
         l->SetAutoSize(false);
         l->Properties()->SetWordWrap(true);
         l->SetBounds(0, 0, 110, 70);
       }},
  };
  auto* backdrop = new TPanel(form);
  backdrop->SetParent(form);
  backdrop->SetBounds(560, 300, 190, 210);
  backdrop->SetColor(clSkyBlue);
  int x = 10, y = 10, rowHeight = 0;
  for (const Cell& cell : cells) {
    TWinControl* parent = String(cell.Caption) == "Transparent" ? static_cast<TWinControl*>(backdrop) : form;
    TcxLabel* label = NewLabel(parent, 0, 0, cell.Caption);
    cell.Set(label);
    Pump();
    if (parent == backdrop) {
      label->SetLeft(10);
      label->SetTop(10);
      continue;
    }
    if (x + label->Width() > 550) {
      x = 10;
      y += rowHeight + 12;
      rowHeight = 0;
    }
    label->SetLeft(x);
    label->SetTop(y);
    x += label->Width() + 14;
    rowHeight = std::max(rowHeight, label->Height());
  }
  Pump();
  SaveControl("label-effects.png", form);
}

}  // namespace
}  // namespace choicetest
