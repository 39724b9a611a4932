#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/StdCtrls.h"
#include "platform/win/Keys.h"
#include "tests/ui/choice/ChoiceFixture.h"
#include "ui/choice/Label.h"
#include "ui/controls/FilterEditHelpers.h"
#include "ui/editors/TextEdit.h"

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
      {"Raised", [](TcxLabel* l) { l->Properties()->SetLabelStyle(cxlsRaised); }},
      {"Lowered", [](TcxLabel* l) { l->Properties()->SetLabelStyle(cxlsLowered); }},
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
         l->Properties()->SetWordWrap(true);
         l->SetWidth(90);
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
