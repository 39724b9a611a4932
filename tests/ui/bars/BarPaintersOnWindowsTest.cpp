// The bar painters on real bar windows of the headless backend: a gallery form (main menu, docked,
// vertical, floating and status toolbars, an open menu) in every style, a flat toolbar item joined
// to its open menu below, above and beside it, the Office11 link colour by the menu's side, and
// which windows cast a shadow.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/bars/BarPainterFixture.h"
#include "tests/ui/bars/BarPaintersOnWindowsFixture.h"
#include "ui/bars/BarOffice11Colors.h"
#include "ui/bars/BarShadow.h"

using namespace win;

namespace {

using barpainterwindows::BrushColour;
using barpainterwindows::TGallerySubItem;
using BarPaintersOnWindowsTest = barpainterwindows::BarPaintersOnWindowsFixture;

// ---- the joined owner ----------------------------------------------------------------------------

TEST_F(BarPaintersOnWindowsTest, AFlatItemIsOpenTowardsItsMenuBelowAboveAndBesideAndFramedElsewhere) {
  enum Side { Below, Above, Beside };
  struct Case {
    const char* What;
    TdxBarDockingStyle Docking;
    int FloatTop;
    Side Seam;
  } cases[] = {
      {"a menu below a toolbar button", dsTop, 0, Below},
      {"a menu flipped above it at the screen's bottom", dsNone, 690, Above},
      {"a menu beside a vertical toolbar's button", dsLeft, 0, Beside},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.What);
    TdxBar* bar = NewBar(k.What, k.Docking, {SubItem("Wall", {Button("Split"), Button("Merge")})}, 300, k.FloatTop);
    if (k.Docking == dsTop) Place(bar, 0, 300);
    if (k.Docking == dsLeft) Place(bar, 0, 200);
    TdxBarSubMenuControl* menu = Open(bar, 0);
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(IsWindowVisible(menu->Handle()));
    TdxBarControl* w = bar->Control();
    TdxBarItemControl* item = bar->ItemLinks()->Items(0)->Control();
    const TRect r = bar->ItemLinks()->Items(0)->ItemRect();
    const TRect m = ScreenRect(menu), owner = w->ControlScreenRect(item);
    SaveScreenArea("bars/windows-joined-" + std::to_string(static_cast<int>(k.Seam)) + ".png",
                   {owner.Left - 20, owner.Top - 20, owner.Right + 20, owner.Bottom + 20}, 4);
    switch (k.Seam) {
      case Below: ASSERT_EQ(m.Top, owner.Bottom); break;
      case Above: ASSERT_EQ(m.Bottom, owner.Top); break;
      case Beside: ASSERT_EQ(m.Left, owner.Right); break;
    }
    const COLORREF border = BrushColour(M->FlatToolbarsBorderBrush());
    const COLORREF link = BrushColour(w->BarPainter()->ControlBrush(w));
    ASSERT_NE(border, link);
    // The frame may hold less than the item (a sub-item's arrow lies beside it): its far side is
    // the last frame pixel along its top row.
    int far = r.Left;
    for (int x = r.Left; x < r.Right; ++x)
      if (Pixel(w, x, k.Seam == Above ? r.Bottom - 1 : r.Top) == border) far = x;
    ASSERT_GT(far, r.Left + 4);
    const int midY = (r.Top + r.Bottom) / 2;
    // Along the seam (its end pixels belong to the frame's corners) the control brush, no line.
    if (k.Seam == Beside) {
      EXPECT_EQ(Pixel(w, far, midY), link) << "the seam is open";
      EXPECT_EQ(Pixel(w, far, r.Top + 1), link) << "from its first pixel";
    } else {
      const int seam = k.Seam == Below ? r.Bottom - 1 : r.Top;
      EXPECT_EQ(Pixel(w, r.Left + 1, seam), link) << "the seam is open from its first pixel";
      EXPECT_EQ(Pixel(w, (r.Left + far) / 2, seam), link) << "the seam is open";
      EXPECT_EQ(Pixel(w, far, midY), border) << "right";
    }
    // The other sides are framed.
    EXPECT_EQ(Pixel(w, r.Left, midY), border) << "left";
    if (k.Seam != Above) {
      EXPECT_EQ(Pixel(w, r.Left + 3, r.Top), border) << "top";
    }
    if (k.Seam != Below) {
      EXPECT_EQ(Pixel(w, r.Left + 3, r.Bottom - 1), border) << "bottom";
    }
    // The menu keeps its own whole border: menus do not link to their items.
    const TPoint inMenu = k.Seam == Beside ? TPoint{0, 4} : TPoint{4, k.Seam == Below ? 0 : menu->Height() - 1};
    HDC dc = GetWindowDC(menu->Handle());
    EXPECT_EQ(GetPixel(dc, inMenu.X, inMenu.Y), border) << "the menu's border along the seam";
    ReleaseDC(menu->Handle(), dc);
    item->Deactivate(true);
    Pump();
    bar->SetVisible(false);
  }
}

TEST_F(BarPaintersOnWindowsTest, Office11TakesTheSecondDroppedColourBelowAndTheFirstAbove) {
  M->SetStyle(bmsOffice11);
  for (const bool below : {true, false}) {
    SCOPED_TRACE(below ? "below" : "above");
    TdxBar* bar = NewBar("Links", dsNone, {SubItem("Wall", {Button("Split")})}, 300, below ? 100 : 690);
    TdxBarSubMenuControl* menu = Open(bar, 0);
    ASSERT_NE(menu, nullptr);
    TdxBarControl* w = bar->Control();
    const TRect r = bar->ItemLinks()->Items(0)->ItemRect();
    const TRect m = ScreenRect(menu), owner = w->ControlScreenRect(bar->ItemLinks()->Items(0)->Control());
    ASSERT_EQ(below ? m.Top : m.Bottom, below ? owner.Bottom : owner.Top);
    const int y = below ? r.Bottom - 1 : r.Top;
    EXPECT_EQ(Pixel(w, (r.Left + r.Right) / 2, y), ColorToRGB(below ? Office11DroppedColor2 : Office11DroppedColor1));
    EXPECT_EQ(Pixel(w, r.Left, (r.Top + r.Bottom) / 2), ColorToRGB(BrushColour(Office11BorderBrush)));
    bar->ItemLinks()->Items(0)->Control()->Deactivate(true);
    Pump();
    bar->SetVisible(false);
  }
}

// ---- shadows -------------------------------------------------------------------------------------

TEST_F(BarPaintersOnWindowsTest, AnOpenMenuCastsAShadowUnderFlatAndOffice11NoneUnderTheClassicStylesAndOffice11ShadesOnlyMenus) {
  struct Case {
    TdxBarManagerStyle Style;
    bool MenuShadow, FloatingShadow;
  } cases[] = {{bmsStandard, false, false}, {bmsEnhanced, false, false}, {bmsFlat, true, true}, {bmsOffice11, true, false}};
  for (const Case& k : cases) {
    SCOPED_TRACE(static_cast<int>(k.Style));
    M->SetStyle(k.Style);
    TdxBar* floating = NewBar("Floating", dsNone, {SubItem("Wall", {Button("Split"), Button("Merge")})}, 300, 100);
    TdxBarSubMenuControl* menu = Open(floating, 0);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Shadow()->Shown(), k.MenuShadow) << "the open menu";
    EXPECT_EQ(floating->Control()->Shadow()->Shown(), k.FloatingShadow) << "the floating toolbar";
    if (k.MenuShadow) {
      EXPECT_EQ(menu->Shadow()->PartCount(), 2) << "strips along the right and bottom edges";
    }
    floating->ItemLinks()->Items(0)->Control()->Deactivate(true);
    Pump();
    floating->SetVisible(false);
  }
}

// ---- the gallery form ----------------------------------------------------------------------------

TEST_F(BarPaintersOnWindowsTest, TheGalleryFormInEveryStyle) {
  auto* checked = Button("Grid");
  checked->SetButtonStyle(bsChecked);
  checked->SetDown(true);
  auto* disabled = Button("Record");
  disabled->SetEnabled(false);
  auto* menuCheck = Button("Show borders", false);
  menuCheck->SetButtonStyle(bsChecked);
  menuCheck->SetDown(true);
  auto* menuDisabled = Button("Undo swap");
  menuDisabled->SetEnabled(false);
  TGallerySubItem* layouts = SubItem("Layouts", {Button("Split"), Button("Merge"), Button("Swap inputs"), menuCheck,
                                                 SubItem("Presets", {Button("Preset 1")}), menuDisabled});
  layouts->ItemLinks()->Items(3)->SetBeginGroup(true);
  layouts->ItemLinks()->Items(5)->SetBeginGroup(true);
  TdxBar* mainMenu = NewBar("Main menu", dsTop,
                            {SubItem("File", {Button("Open")}), SubItem("Wall", {Button("Clear")}),
                             SubItem("Help", {Button("About")})});
  mainMenu->SetIsMainMenu(true);
  TdxBar* tools = NewBar("Tools", dsTop, {Button("Open"), Button("Save"), checked, disabled, layouts, Button("Mute", false)});
  tools->ItemLinks()->Items(2)->SetBeginGroup(true);
  TdxBar* side = NewBar("Inputs", dsLeft, {Button("HDMI 1"), Button("HDMI 2"), Button("DVI")});
  TdxBar* floating = NewBar("Matrix", dsNone, {Button("Route"), Button("Salvo"), Button("Lock")}, 420, 300);
  TdxBar* status = NewBar("Status", dsBottom, {Button("Ready", false), Button("Wall 1", false)});
  status->SetBorderStyle(bbsNone);
  status->SetWholeRow(true);
  status->SetShowMark(false);

  auto shoot = [&](const String& name) {
    for (TdxBar* bar : {mainMenu, tools, side, floating, status}) {
      bar->SetVisible(false);
      bar->SetVisible(true);
    }
    Pump();
    Place(mainMenu, 0, Form->ClientWidth());
    Place(tools, mainMenu->Control()->Height(), 420);
    Place(side, 0, 200);
    Place(status, 0, Form->ClientWidth());
    Pump();
    for (TdxBar* bar : {mainMenu, tools, side, floating, status}) {
      ASSERT_TRUE(IsWindowVisible(bar->Control()->Handle())) << name << " " << bar->Caption();
      Repaint(bar->Control());
    }
    TdxBarSubMenuControl* menu = Open(tools, 4);
    ASSERT_NE(menu, nullptr) << name;
    ASSERT_TRUE(IsWindowVisible(menu->Handle())) << name;
    const TRect f = ScreenRect(Form), m = ScreenRect(menu);
    SaveScreenArea("bars/windows-gallery-" + name + ".png",
                   {f.Left, f.Top, std::max(f.Right, m.Right + 8), std::max(f.Bottom, m.Bottom + 8)}, 2);
    // Each window drew over the form: the main menu, the toolbars, the status bar and the menu.
    // The checked glyph-less menu item shows its check mark, black in the classic and office looks.
    const TRect checkRow = layouts->ItemLinks()->Items(3)->ItemRect();
    int ink = 0;
    for (int y = checkRow.Top; y < checkRow.Bottom; ++y)
      for (int x = checkRow.Left; x < checkRow.Left + checkRow.Bottom - checkRow.Top; ++x) ink += Pixel(menu, x, y) == 0;
    if (name.rfind("skin", 0) != 0) {
      EXPECT_GT(ink, 0) << name << ": no check mark";
    }
    tools->ItemLinks()->Items(4)->Control()->Deactivate(true);
    Pump();
  };
  barpaintertest::ForEachBarStyle(M, shoot);
}

}  // namespace
