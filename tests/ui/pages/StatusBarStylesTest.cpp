// The panel styles: keyboard lamps on the virtual clock, indicator lamps, hints, streaming by
// style name, and the container panel's control.
#include "platform/classes/FormDescription.h"
#include "platform/classes/StdCtrls.h"
#include "platform/win/Keys.h"
#include "platform/win/Focus.h"
#include "tests/ui/foundation/Surface.h"
#include "tests/ui/pages/StatusBarFixture.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/StandardPainters.h"

namespace statusbartest {
namespace {

using namespace win;

class StatusBarStylesTest : public StatusBarTest {
 protected:
  TdxStatusBar* MakeBar(int Width) {
    form_ = MakeForm(Width, 200);
    auto* bar = new TdxStatusBar(form_);
    bar->SetParent(form_);
    return bar;
  }
  TdxStatusBarPanel* AddStylePanel(TdxStatusBar* Bar, TClass Style) {
    TdxStatusBarPanel* panel = Bar->Panels()->Add();
    panel->SetPanelStyleClass(Style);
    return panel;
  }
  TForm* form_ = nullptr;
};

TEST_F(StatusBarStylesTest, TheKeyboardPanelRepaintsWithinAPollWhenALockKeyToggles) {
  TdxStatusBar* bar = MakeBar(400);
  TdxStatusBarPanel* panel = AddStylePanel(bar, TdxStatusBarKeyboardStatePanelStyle::StaticClass());
  auto* style = static_cast<TdxStatusBarKeyboardStatePanelStyle*>(panel->PanelStyle());
  EXPECT_EQ(style->Notifier()->WatchedKeyCount(), 4);
  EXPECT_EQ(style->InsertKeyAppearance()->KeyCode(), 45);
  EXPECT_EQ(style->ScrollLockKeyAppearance()->ActiveCaption(), "SCRL");
  int paints = 0;
  panel->OnDrawPanel = [&](TdxStatusBarPanel*, TcxCanvas*, const TRect&, bool&) { ++paints; };
  RunFor(200);
  const int before = paints;

  // A key that does not toggle repaints nothing, however long it is held.
  Key('A', true);
  RunFor(300);
  Key('A', false);
  RunFor(150);
  EXPECT_EQ(paints, before);

  const bool wasOn = style->IsKeyOn(style->CapsLockKeyAppearance());
  Key(VK_CAPITAL, true);
  Key(VK_CAPITAL, false);
  RunFor(100);
  EXPECT_EQ(paints, before + 1);
  EXPECT_NE(style->IsKeyOn(style->CapsLockKeyAppearance()), wasOn);
}

TEST_F(StatusBarStylesTest, InsertReadsOvrWhenToggledOnAndInsOtherwise) {
  TdxStatusBar* bar = MakeBar(400);
  TdxStatusBarPanel* panel = AddStylePanel(bar, TdxStatusBarKeyboardStatePanelStyle::StaticClass());
  auto* style = static_cast<TdxStatusBarKeyboardStatePanelStyle*>(panel->PanelStyle());
  style->SetKeyboardStates({dxksInsert});
  TdxStatusBarKeyStateAppearance* insert = style->InsertKeyAppearance();
  insert->SetInactiveFontColor(insert->ActiveFontColor());
  auto snapshot = [&] {
    std::string rows;
    for (int y = 3; y < 19; ++y) rows += Row(bar, y, 0, 60, {{'#', RGB(0, 0, 0)}}) + "\n";
    return rows;
  };
  if (style->IsKeyOn(insert)) {
    Key(VK_INSERT, true);
    Key(VK_INSERT, false);
  }
  RunFor(120);
  ASSERT_FALSE(style->IsKeyOn(insert));
  const std::string ins = snapshot();
  Key(VK_INSERT, true);
  Key(VK_INSERT, false);
  RunFor(120);
  ASSERT_TRUE(style->IsKeyOn(insert));
  const std::string ovr = snapshot();
  EXPECT_NE(ovr, ins);
  // Off again but with "OVR" as the inactive caption: the same pixels as when it was on.
  Key(VK_INSERT, true);
  Key(VK_INSERT, false);
  insert->SetInactiveCaption("OVR");
  RunFor(120);
  EXPECT_EQ(snapshot(), ovr);
}

TEST_F(StatusBarStylesTest, AKeyboardPanelWithoutKeysIsFiftyWideAndOnlyBackground) {
  TdxStatusBar* bar = MakeBar(400);
  TdxStatusBarPanel* panel = AddStylePanel(bar, TdxStatusBarKeyboardStatePanelStyle::StaticClass());
  AddStylePanel(bar, TdxStatusBarTextPanelStyle::StaticClass());
  auto* style = static_cast<TdxStatusBarKeyboardStatePanelStyle*>(panel->PanelStyle());
  EXPECT_TRUE(style->SuppressPanelBevel());
  EXPECT_TRUE(panel->Fixed());
  style->SetKeyboardStates({});
  panel->SetWidth(300);  // ignored: the style sizes its panel
  Pump();
  EXPECT_EQ(bar->ViewInfo()->PanelViewInfo(0)->Bounds(), TRect(0, 2, 50, 20));
  std::string row = Row(bar, 10, 0, 50, {{'.', ColorToRGB(clBtnFace)}});
  EXPECT_EQ(row, std::string(50, '.'));
  EXPECT_EQ(Row(bar, 2, 0, 50, {{'.', ColorToRGB(clBtnFace)}}), std::string(50, '.'));
}

TEST_F(StatusBarStylesTest, IndicatorLampsComeFromTheirBitmapsAndSizeThePanel) {
  TdxStatusBar* bar = MakeBar(400);
  TdxStatusBarPanel* panel = AddStylePanel(bar, TdxStatusBarStateIndicatorPanelStyle::StaticClass());
  auto* style = static_cast<TdxStatusBarStateIndicatorPanelStyle*>(panel->PanelStyle());
  EXPECT_EQ(style->ContentMinWidth(), 20);
  for (auto type : {sitOff, sitYellow, sitBlue, sitGreen, sitRed, sitTeal, sitPurple}) {
    TdxStatusBarStateIndicatorItem* item = style->Indicators()->Add();
    item->SetIndicatorType(type);
    ASSERT_NE(item->IndicatorBitmap(), nullptr) << TdxStatusBarStateIndicatorItem::ResourceName(type);
    EXPECT_EQ(item->IndicatorBitmap()->Width(), 17);
    EXPECT_EQ(item->IndicatorBitmap()->Height(), 8);
  }
  // Spacing, seven lamps with their spacing, and the bevel's content margins (1 + 1).
  EXPECT_EQ(style->ContentMinWidth(), 4 + 7 * (17 + 4) + 2);
  style->Indicators()->ItemAt(6)->SetVisible(false);
  EXPECT_EQ(style->ContentMinWidth(), 4 + 6 * (17 + 4) + 2);
  Pump();
  EXPECT_EQ(WidthOfRect(bar->ViewInfo()->PanelViewInfo(0)->Bounds()), 400);  // the last panel stretches
  // The red lamp (fifth) is filled red in the middle.
  EXPECT_EQ(Pixel(bar, 1 + 4 + 4 * 21 + 8, 11), RGB(128, 0, 0));
  SaveControl("statusbar/indicators.png", bar);
}

TEST_F(StatusBarStylesTest, AutoHintIsExclusiveAndHintActionsWriteIntoItsPanel) {
  TdxStatusBar* bar = MakeBar(400);
  TdxStatusBarPanel* first = AddTextPanel(bar, 100);
  TdxStatusBarPanel* second = AddTextPanel(bar, 100);
  auto* a = static_cast<TdxStatusBarTextPanelStyle*>(first->PanelStyle());
  auto* b = static_cast<TdxStatusBarTextPanelStyle*>(second->PanelStyle());
  a->SetAutoHint(true);
  b->SetAutoHint(true);
  EXPECT_FALSE(a->AutoHint());
  EXPECT_TRUE(b->AutoHint());

  THintAction action(nullptr);
  action.SetHint("Switch the wall to scene 3");
  EXPECT_EQ(bar->Perform(CM_ACTIONEXECUTE, 0, reinterpret_cast<LPARAM>(&action)), 1);
  EXPECT_EQ(second->Text(), "Switch the wall to scene 3");
  EXPECT_EQ(first->Text(), "");

  // An OnHint handler takes the hint itself.
  int hints = 0;
  bar->OnHint = [&](TObject*) { ++hints; };
  action.SetHint("other");
  EXPECT_EQ(bar->Perform(CM_ACTIONEXECUTE, 0, reinterpret_cast<LPARAM>(&action)), 0);
  EXPECT_EQ(hints, 1);
  EXPECT_EQ(second->Text(), "Switch the wall to scene 3");
}

TEST_F(StatusBarStylesTest, AFormDescriptionNamesEachPanelsStyle) {
  form_ = MakeForm(600, 200);
  auto* bar = new TdxStatusBar(form_);
  FormTextToComponent(
      "object dxStatusBar1: TdxStatusBar\n"
      "  Left = 0\n  Top = 180\n  Width = 600\n  Height = 20\n"
      "  Panels = <\n"
      "    item\n"
      "      PanelStyleClassName = 'TdxStatusBarTextPanelStyle'\n"
      "      PanelStyle.Alignment = taRightJustify\n"
      "      BiDiMode = bdLeftToRight\n"
      "      ParentBiDiMode = False\n"
      "      Text = 'COM1'\n"
      "      Width = 428\n"
      "    end\n"
      "    item\n"
      "      PanelStyleClassName = 'TdxStatusBarStateIndicatorPanelStyle'\n"
      "      PanelStyle.Spacing = 6\n"
      "    end\n"
      "    item\n"
      "      PanelStyleClassName = 'TdxStatusBarTextPanelstyle'\n"
      "    end>\n"
      "  Font.Height = -11\n"
      "  ParentFont = False\n"
      "end\n",
      bar);
  bar->SetParent(form_);
  ASSERT_EQ(bar->Panels()->Count(), 3);
  TdxStatusBarPanel* text = bar->Panels()->PanelAt(0);
  ASSERT_NE(dynamic_cast<TdxStatusBarTextPanelStyle*>(text->PanelStyle()), nullptr);
  EXPECT_EQ(text->PanelStyle()->Alignment(), taRightJustify);
  EXPECT_EQ(text->Width(), 428);
  EXPECT_TRUE(text->IsWidthAssigned());
  EXPECT_FALSE(text->IsMinWidthAssigned());
  EXPECT_EQ(text->PanelStyle()->Font()->Height(), -11);
  auto* lamps = dynamic_cast<TdxStatusBarStateIndicatorPanelStyle*>(bar->Panels()->PanelAt(1)->PanelStyle());
  ASSERT_NE(lamps, nullptr);
  EXPECT_EQ(lamps->Spacing(), 6);
  // The misspelt name (case matters) leaves the panel without a style.
  EXPECT_EQ(bar->Panels()->PanelAt(2)->PanelStyle(), nullptr);
  EXPECT_EQ(bar->Panels()->PanelAt(2)->PanelStyleClassName(), "");

  // And back: the stored text names the style first.
  String stored = ComponentToFormText(bar);
  EXPECT_NE(stored.find("PanelStyleClassName = 'TdxStatusBarStateIndicatorPanelStyle'"), String::npos) << stored;
  EXPECT_EQ(stored.find("MinWidth"), String::npos) << stored;
}

TEST_F(StatusBarStylesTest, TheContainerControlSitsInsideTheBevelAndGoesWithItsPanel) {
  form_ = MakeForm(400, 200, bsSizeable);
  auto* bar = new TdxStatusBar(form_);
  bar->SetParent(form_);
  AddTextPanel(bar, 100);
  TdxStatusBarPanel* panel = AddStylePanel(bar, TdxStatusBarContainerPanelStyle::StaticClass());
  auto* style = static_cast<TdxStatusBarContainerPanelStyle*>(panel->PanelStyle());
  TdxStatusBarContainerControl* container = style->Container();
  ASSERT_NE(container, nullptr);
  EXPECT_EQ(container->Parent(), bar);
  auto* edit = new TEdit(form_);
  edit->SetParent(container);
  bar->Recalculate();  // children are fitted when the panel is placed
  Pump();
  // The panel is [104, 400) (the last one stretches); the standard bevel widths are 2; the
  // standard painter draws the grip over the last panel, so the control is not shortened.
  EXPECT_EQ(bar->ViewInfo()->PanelViewInfo(1)->Bounds(), TRect(104, 2, 400, 20));
  EXPECT_EQ(TRect(container->BoundsRect()), TRect(106, 4, 398, 18));
  EXPECT_EQ(TRect(edit->BoundsRect()), TRect(0, 0, 292, 14));

  panel->SetVisible(false);
  EXPECT_FALSE(container->Visible());
  panel->SetVisible(true);

  // Destroying the control leaves the panel without a style; nothing is freed twice (ASan).
  delete container;
  EXPECT_EQ(panel->PanelStyle(), nullptr);
  Pump();

  // And a style removed from its panel frees its control.
  panel->SetPanelStyleClass(TdxStatusBarContainerPanelStyle::StaticClass());
  ASSERT_NE(static_cast<TdxStatusBarContainerPanelStyle*>(panel->PanelStyle())->Container(), nullptr);
  const int children = bar->ControlCount();
  panel->SetPanelStyleClass(nullptr);
  EXPECT_EQ(bar->ControlCount(), children - 1);
}


class TShorteningPainter : public TdxStatusBarStandardPainter {
 public:
  bool GripOverlapsLastPanel(TdxCustomStatusBar*) const override { return false; }
};
const TShorteningPainter kShortening;
class TShorteningSkin : public TcxStandardLookAndFeelPainter {};
const TShorteningSkin kShorteningSkin;

TEST_F(StatusBarStylesTest, AContainerShortensForTheGripOnlyWhenThePainterSaysSo) {
  form_ = MakeForm(400, 200, bsSizeable);
  auto* bar = new TdxStatusBar(form_);
  bar->SetParent(form_);
  AddTextPanel(bar, 100);
  TdxStatusBarPanel* panel = AddStylePanel(bar, TdxStatusBarContainerPanelStyle::StaticClass());
  TdxStatusBarContainerControl* container = static_cast<TdxStatusBarContainerPanelStyle*>(panel->PanelStyle())->Container();
  ASSERT_TRUE(ExtendedStylePainterRegistry()->RegisterPainter("Shortening", &kShorteningSkin, nullptr));
  SetStatusBarSkinPainterClass(&kShortening);
  bar->SetPaintStyle(stpsUseLookAndFeel);
  bar->LookAndFeel()->SetSkinName("Shortening");
  ASSERT_EQ(bar->Painter(), &kShortening);
  EXPECT_EQ(TRect(container->BoundsRect()), TRect(106, 4, 398 - 16, 18));
  // Without the skin the look-and-feel's ultra-flat kind gives the flat painter: 1-pixel bevels,
  // the grip drawn over the panel.
  bar->LookAndFeel()->SetSkinName("");
  ASSERT_EQ(bar->Painter(), StatusBarFlatPainter());
  EXPECT_EQ(TRect(container->BoundsRect()), TRect(105, 3, 399, 19));
  SetStatusBarSkinPainterClass(nullptr);
  ExtendedStylePainterRegistry()->UnregisterPainter("Shortening");
}

TEST_F(StatusBarStylesTest, PointInFormNamesTheBarWhenTheFormIsNotItsParent) {
  auto* bar = new TdxStatusBar(nullptr);
  bar->SetName("dxStatusBar1");
  auto message = [&](TWinControl* Form) {
    try {
      bar->PointInForm(TPoint(0, 0), Form);
    } catch (const EInvalidOperation& e) {
      return e.Message();
    }
    return String("no error");
  };
  EXPECT_EQ(message(nullptr), "Control 'dxStatusBar1' has no parent window");
  TForm* other = MakeForm(100, 100);
  form_ = MakeForm(300, 100);
  bar->SetParent(form_);
  EXPECT_EQ(message(other), "Parent given is not a parent of 'dxStatusBar1'");
  EXPECT_EQ(bar->PointInForm(TPoint(bar->Width(), bar->Height())), TPoint(300, 100));
  delete bar;
}

}  // namespace
}  // namespace statusbartest
