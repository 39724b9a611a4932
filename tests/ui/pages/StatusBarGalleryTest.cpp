// Screenshots of the consoles' bar under each painter, with and without the size grip, and of a
// bar showing every panel style, left under artifacts/statusbar/ to be looked at.
#include "tests/ui/pages/StatusBarFixture.h"

namespace statusbartest {
namespace {

TEST_F(StatusBarTest, GalleryOfTheConsolesBarUnderEachPainter) {
  struct Style {
    TdxStatusBarPaintStyle style;
    const char* name;
  };
  for (bool grip : {false, true}) {
    TForm* form = MakeForm(1000, 60, grip ? bsSizeable : bsNone);
    TdxStatusBar* bar = MakeConsoleBar(form);
    ASSERT_EQ(bar->SizeGripVisible(), grip);
    for (Style s : {Style{stpsStandard, "standard"}, Style{stpsFlat, "flat"}, Style{stpsOffice11, "office11"}}) {
      bar->SetPaintStyle(s.style);
      SaveControl(std::string("statusbar/gallery-") + s.name + (grip ? "-grip" : "") + ".png", bar);
    }
    delete form;
    Pump();
  }
}

TEST_F(StatusBarTest, GalleryOfThePanelStyles) {
  TForm* form = MakeForm(640, 60, bsSizeable);
  auto* bar = new TdxStatusBar(form);
  bar->SetParent(form);
  AddTextPanel(bar, 120, "C:\\VideoWall\\scenes\\evening scene.scn")->PanelStyle();
  static_cast<TdxStatusBarTextPanelStyle*>(bar->Panels()->PanelAt(0)->PanelStyle())->SetEllipsisType(dxetSmartPath);
  TdxStatusBarPanel* lamps = bar->Panels()->Add();
  lamps->SetPanelStyleClass(TdxStatusBarStateIndicatorPanelStyle::StaticClass());
  auto* indicators = static_cast<TdxStatusBarStateIndicatorPanelStyle*>(lamps->PanelStyle());
  for (auto type : {sitOff, sitYellow, sitBlue, sitGreen, sitRed, sitTeal, sitPurple})
    indicators->Indicators()->Add()->SetIndicatorType(type);
  TdxStatusBarPanel* keys = bar->Panels()->Add();
  keys->SetPanelStyleClass(TdxStatusBarKeyboardStatePanelStyle::StaticClass());
  TdxStatusBarPanel* raised = AddTextPanel(bar, 80, "Raised");
  raised->SetBevel(dxpbRaised);
  AddTextPanel(bar, 80, "Centred")->PanelStyle()->SetAlignment(taCenter);
  for (auto s : {stpsStandard, stpsFlat, stpsOffice11}) {
    bar->SetPaintStyle(s);
    SaveControl("statusbar/styles-" + std::to_string(int(s)) + ".png", bar);
  }
}

}  // namespace
}  // namespace statusbartest
