// The status bar under a skin: the bar element behind everything, panel bevels from the static
// link, the grip inside the bar's offsets, the skin's text colours, and the standard painter
// wherever the skin is missing.
#include "tests/ui/skins/SkinFormFixture.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/pages/StatusBar.h"
#include "ui/pages/StatusBarPanelStyles.h"
#include "ui/skins/SkinInfo.h"
#include "ui/skins/StatusBarSkinPainter.h"

namespace {

using skintest::ProbeSkin;
using skintest::SkinFormTest;

// A bar that can be handed the skin painter whatever its look-and-feel says.
class TForcedBar : public TdxStatusBar {
 public:
  using TdxStatusBar::TdxStatusBar;
  bool ForceSkinPainter = false;
  TdxStatusBarPainterClass PainterClass() override {
    return ForceSkinPainter ? StatusBarSkinPainter() : TdxStatusBar::PainterClass();
  }
};

TdxStatusBarPanel* AddPanel(TdxStatusBar* Bar, int Width, const String& Text) {
  TdxStatusBarPanel* panel = Bar->Panels()->Add();
  panel->SetWidth(Width);
  panel->SetText(Text);
  return panel;
}

// The consoles' three panels.
template <class Bar = TdxStatusBar>
Bar* MakeConsoleBar(TForm* Form) {
  auto* bar = new Bar(Form);
  bar->SetParent(Form);
  AddPanel(bar, 200, "Link: COM1 open");
  AddPanel(bar, 200, "User: operator");
  AddPanel(bar, 428, "2026-12-10 20:30:00")->PanelStyle()->SetAlignment(taRightJustify);
  return bar;
}

const TRect kBarOffsets(3, 5, 7, 2);

TEST_F(SkinFormTest, StatusBarDrawnFromAProbeSkin) {
  ProbeSkin probe;
  probe.Add("Bars", "StatusBar", 1)->ContentOffset()->AssignRect(kBarOffsets);
  probe.Add("Bars", "LinkStatic", 1)->ContentOffset()->AssignRect({2, 1, 2, 1});
  probe.Add("Common", "SizeGrip", 1);
  probe.Skin->GroupByName("Bars")->Properties()->AddColor("DisabledTextColor", static_cast<TColor>(0x123456));
  const std::uint32_t bar = probe.Code("Bars/StatusBar", 0, esNormal);
  const std::uint32_t link = probe.Code("Bars/LinkStatic", 0, esNormal);
  const std::uint32_t grip = probe.Code("Common/SizeGrip", 0, esNormal);
  TdxSkinInfo* info = RegisterProbe(probe, "Probe");

  TForm* form = MakeForm(1000, 60, bsSizeable);
  TdxStatusBar* sb = MakeConsoleBar(form);
  sb->SetPaintStyle(stpsUseLookAndFeel);
  sb->LookAndFeel()->SetSkinName("Probe");
  sb->SetBorderWidth(2);
  sb->SetHeight(40);
  Pump();
  ASSERT_EQ(sb->Painter(), StatusBarSkinPainter());
  ASSERT_TRUE(sb->SizeGripVisible());

  // Border widths (1, top offset, 1, 1), each plus BorderWidth.
  const TRect client = sb->ClientBounds();
  const TRect content = sb->ContentBounds();
  EXPECT_EQ(content, TRect(client.Left + 3, client.Top + 7, client.Right - 3, client.Bottom - 3));

  // The bar element fills the whole bar: its border lies outside the bar on the left, right and
  // bottom, so every border pixel shows the one flat frame.
  for (auto [x, y] : {std::pair{0, 0}, {client.Right - 1, 0}, {0, client.Bottom - 1}, {client.Right - 1, client.Bottom - 1}})
    EXPECT_EQ(Pixel(sb, x, y), bar) << x << "," << y;

  // Panels: the static link's bevel over each panel, the bar showing in the one-pixel gaps.
  TdxStatusBarViewInfo* vi = sb->ViewInfo();
  ASSERT_EQ(vi->PanelCount(), 3);
  for (int i = 0; i < 3; ++i) {
    const TRect b = vi->PanelViewInfo(i)->Bounds();
    EXPECT_EQ(Pixel(sb, b.Left, b.Top), link) << i;
    EXPECT_EQ(Pixel(sb, b.Left, b.Bottom - 1), link) << i;
    if (i < 2) {
      EXPECT_EQ(WidthOfRect(vi->PanelViewInfo(i)->SeparatorBounds), 1) << i;
      EXPECT_EQ(Pixel(sb, b.Right, b.Top + 2), bar) << i;
    }
  }
  // The last panel is shortened by the grip's width, and the grip is drawn over it, inside the
  // bar's offsets and at the image's size.
  const int gx = content.Right - kBarOffsets.Right, gy = content.Bottom - kBarOffsets.Bottom;
  const int lastRight = vi->PanelViewInfo(2)->Bounds().Right - StatusBarSkinPainter()->SizeGripSize().cx;
  EXPECT_EQ(Pixel(sb, lastRight - 1, content.Top + 1), link);
  EXPECT_EQ(Pixel(sb, lastRight, content.Top + 1), bar);
  EXPECT_LT(gx - skintest::kFrame, lastRight) << "the grip overlaps the panel";
  int gripPixels = 0;
  for (int y = 0; y < sb->Height(); ++y)
    for (int x = 0; x < sb->Width(); ++x) {
      const bool inGrip = x >= gx - skintest::kFrame && x < gx && y >= gy - skintest::kFrame && y < gy;
      gripPixels += Pixel(sb, x, y) == grip;
      if (inGrip) {
        EXPECT_EQ(Pixel(sb, x, y), grip) << x << "," << y;
      }
    }
  EXPECT_EQ(gripPixels, skintest::kFrame * skintest::kFrame);

  // Captions in the bar element's text colour.
  const TRect first = vi->PanelViewInfo(0)->Bounds();
  int inText = 0;
  for (int y = first.Top; y < first.Bottom; ++y)
    for (int x = first.Left; x < first.Right; ++x)
      inText += Pixel(sb, x, y) == skintest::RgbOf(info->BarsStatusBar->TextColor());
  EXPECT_GT(inText, 10);

  // Only clWindowText is replaced: by the bar's text colour, or for disabled text by the skin's.
  TColor c = clWindowText;
  StatusBarSkinPainter()->AdjustTextColor(sb, c, true);
  EXPECT_EQ(c, info->BarsStatusBar->TextColor());
  c = clWindowText;
  StatusBarSkinPainter()->AdjustTextColor(sb, c, false);
  EXPECT_EQ(c, static_cast<TColor>(0x123456));
  c = clRed;
  StatusBarSkinPainter()->AdjustTextColor(sb, c, true);
  EXPECT_EQ(c, clRed);

  // A panel without a bevel has no margins and no static link: the bar shows through it.
  TdxStatusBarPanel* flat = sb->Panels()->PanelAt(1);
  flat->SetBevel(dxpbNone);
  Pump();
  EXPECT_EQ(StatusBarSkinPainter()->PanelContentMargins(flat, false), TRect());
  EXPECT_EQ(StatusBarSkinPainter()->PanelContentMargins(flat, true), TRect(2, 1, 2, 1));
  const TRect b1 = vi->PanelViewInfo(1)->Bounds();
  EXPECT_EQ(Pixel(sb, b1.Left, b1.Top), bar);
  SaveControl("skins/statusbar-probe.png", sb);
}

TEST_F(SkinFormTest, StatusBarSkinPainterWithoutASkinPaintsAsTheStandardPainter) {
  TForm* form = MakeForm(1000, 60, bsSizeable);
  auto* sb = MakeConsoleBar<TForcedBar>(form);
  sb->SetBorderWidth(2);
  sb->Panels()->PanelAt(1)->SetBevel(dxpbRaised);
  Pump();
  ASSERT_EQ(sb->Painter(), StatusBarStandardPainter());
  const std::vector<std::uint32_t> standard = Pixels(sb);
  const TRect standardContent = sb->ContentBounds();
  sb->ForceSkinPainter = true;
  sb->PainterChanged();
  Pump();
  ASSERT_EQ(sb->Painter(), StatusBarSkinPainter());
  EXPECT_EQ(sb->ContentBounds(), standardContent);
  const std::vector<std::uint32_t> skinned = Pixels(sb);
  ASSERT_EQ(skinned.size(), standard.size());
  int differ = 0;
  for (std::size_t i = 0; i < skinned.size(); ++i)
    if (skinned[i] != standard[i] && differ++ < 5)
      ADD_FAILURE() << "pixel " << i % sb->ClientWidth() << "," << i / sb->ClientWidth() << ": " << std::hex
                    << skinned[i] << " against " << standard[i];
  EXPECT_EQ(differ, 0);
}

TEST_F(SkinFormTest, TheSkinsStatusBarPainterStandsInItsSlotWhileTheUnitRuns) {
  EXPECT_EQ(StatusBarSkinPainterClass(), StatusBarSkinPainter());
  TForm* form = MakeForm(1000, 60, bsSizeable);
  TdxStatusBar* sb = MakeConsoleBar(form);
  sb->SetPaintStyle(stpsUseLookAndFeel);
  sb->LookAndFeel()->SetSkinName("Foggy");
  EXPECT_EQ(sb->Painter(), StatusBarSkinPainter());
  StatusBarSkinPainterUnitShutdown();
  EXPECT_EQ(StatusBarSkinPainterClass(), nullptr);
  sb->PainterChanged();
  EXPECT_NE(sb->Painter(), StatusBarSkinPainter());
  StatusBarSkinPainterUnitStartup();
}

}  // namespace
