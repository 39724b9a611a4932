// Button and sub-item controls on the headless backend, with time on the virtual clock: hover
// timing, drop-downs opened by press, key and hover, check states, content parts, menu positions,
// and the container menus made and freed on each opening.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/bars/BarItemControlFixture.h"
#include "ui/bars/BarButtonControls.h"
#include "ui/bars/BarLookups.h"

using namespace win;


class BarButtonControlsTest : public BarInputFixture {
 protected:
  void SetUp() override {
    BarInputFixture::SetUp();
    // Every item gets the control its class names.
    dxBarItemControlFactory = nullptr;
    TStandInMenu::ShowCount = TStandInMenu::DismissCount = 0;
  }
  void TearDown() override {
    // Menus the tests left open go with the bars that opened them.
    for (TStandInBar* bar : Bars) CloseChain(bar);
    BarInputFixture::TearDown();
  }
  static void CloseChain(TCustomdxBarControl* Bar) {
    for (int i = 0; Bar->ItemLinks() && i < Bar->ItemLinks()->Count(); ++i)
      if (auto* c = dynamic_cast<TdxBarButtonLikeControl*>(Bar->ItemLinks()->Items(i)->Control()))
        if (c->IsDroppedDown()) c->Deactivate(true);
  }
  // A sub-item whose menu holds buttons of the captions.
  TCountingMenuSubItem* SubItem(const String& Caption, std::initializer_list<const char*> Entries) {
    auto* item = Make<TCountingMenuSubItem>(Caption);
    for (const char* entry : Entries) item->ItemLinks()->AddItem(Make(entry));
    return item;
  }
  static TStandInMenu* MenuOf(TdxBarItem* AItem) {
    return AItem->ItemLinks() ? dynamic_cast<TStandInMenu*>(AItem->ItemLinks()->BarControl()) : nullptr;
  }
  // A mouse press as a toolbar window hands it on: the toolbar is downed first.
  static void PressOn(TStandInBar* Bar, int Index) {
    Bar->SetIsDowned(true);
    ControlAt(Bar, Index)->Invoke(true);
  }
  static bool Shown(TCustomdxBarControl* Bar) { return Bar && Bar->HandleAllocated() && IsWindowVisible(Bar->Handle()); }
};

// ---- hover timing -------------------------------------------------------------------------------

TEST_F(BarButtonControlsTest, AMenusSubItemOpensAfterTheHoverDelayAndNotWhenLeftBefore) {
  TCountingMenuSubItem* sub = SubItem("More", {"One", "Two"});
  TStandInBar* menu = NewBar(dxBarKindMenu, {Make("Plain"), sub});
  menu->SetActiveState(true);
  MoveOnto(menu, 1);
  Wait(399);
  EXPECT_FALSE(Shown(MenuOf(sub))) << "399 ms";
  EXPECT_EQ(TdxBarButtonLikeControl::OpenTimerControl(), ControlAt(menu, 1));
  Wait(1);
  EXPECT_TRUE(Shown(MenuOf(sub))) << "400 ms";
  EXPECT_EQ(TdxBarButtonLikeControl::OpenTimerControl(), nullptr);
  EXPECT_TRUE(ControlAt(menu, 1)->IsDroppedDown());
  EXPECT_EQ(menu->ChildBar(), MenuOf(sub));
  CloseChain(menu);

  // Leaving after 200 ms opens nothing and leaves no timer running.
  MoveOnto(menu, 0);
  Wait(10);
  MoveOnto(menu, 1);
  Wait(200);
  MoveOnto(menu, 0);
  Wait(600);
  EXPECT_EQ(TStandInMenu::ShowCount, 1);
  EXPECT_EQ(TdxBarButtonLikeControl::OpenTimerControl(), nullptr);
  EXPECT_EQ(TdxBarButtonLikeControl::CloseTimerControl(), nullptr);
}

TEST_F(BarButtonControlsTest, AControlFreedWhileItsOpenTimerRunsIsNeverReached) {
  TCountingMenuSubItem* sub = SubItem("More", {"One"});
  TStandInBar* menu = NewBar(dxBarKindMenu, {sub});
  menu->SetActiveState(true);
  MoveOnto(menu, 0);
  Wait(100);
  ASSERT_NE(TdxBarButtonLikeControl::OpenTimerControl(), nullptr);
  Forget(menu);
  TObject::Free(menu);
  EXPECT_EQ(TdxBarButtonLikeControl::OpenTimerControl(), nullptr);
  Wait(500);
  EXPECT_EQ(TStandInMenu::ShowCount, 0);
}

// ---- sub-items ----------------------------------------------------------------------------------

TEST_F(BarButtonControlsTest, OpeningASubItemFiresPopupThenClickAndClosingFiresCloseUp) {
  TCountingMenuSubItem* sub = SubItem("More", {"One"});
  TCountingMenuSubItem* empty = SubItem("Empty", {});
  std::vector<std::string> order;
  for (TCountingMenuSubItem* item : {sub, empty}) {
    const std::string name = item->Caption();
    item->OnPopup = [&order, name](TObject*) { order.push_back(name + " popup"); };
    item->SetOnClick([&order, name](TObject*) { order.push_back(name + " click"); });
    item->OnCloseUp = [&order, name](TObject*) { order.push_back(name + " closeup"); };
  }
  TStandInBar* bar = NewBar(dxBarKindToolbar, {sub, empty});
  bar->SetActiveState(true);
  PressOn(bar, 0);
  EXPECT_TRUE(Shown(MenuOf(sub)));
  ControlAt(bar, 0)->Deactivate(true);
  EXPECT_EQ(order, (std::vector<std::string>{"More popup", "More click", "More closeup"}));
  EXPECT_EQ(TStandInMenu::DismissCount, 1);
  EXPECT_EQ(MenuOf(sub), nullptr) << "the dismissed menu freed itself";

  // Without links there is no menu: the notifications run and nothing shows.
  order.clear();
  PressOn(bar, 1);
  EXPECT_EQ(order, (std::vector<std::string>{"Empty popup", "Empty click"}));
  EXPECT_EQ(TStandInMenu::ShowCount, 1);
  EXPECT_FALSE(Shown(MenuOf(empty)));
}

TEST_F(BarButtonControlsTest, OnAToolbarWhoseMenuIsOpenTheMouseOpensTheNextMenuAtOnce) {
  TCountingMenuSubItem* file = SubItem("File", {"Open"});
  TCountingMenuSubItem* edit = SubItem("Edit", {"Copy"});
  TStandInBar* bar = NewBar(dxBarKindToolbar, {file, edit});
  bar->SetActiveState(true);
  MoveOnto(bar, 0);
  PressOn(bar, 0);
  ASSERT_TRUE(Shown(MenuOf(file)));
  MoveOnto(bar, 1);
  EXPECT_TRUE(Shown(MenuOf(edit))) << "no hover delay on a downed toolbar";
  EXPECT_FALSE(ControlAt(bar, 0)->IsDroppedDown());
  EXPECT_EQ(MenuOf(file), nullptr) << "the first menu was dismissed";
  EXPECT_EQ(TdxBarButtonLikeControl::OpenTimerControl(), nullptr);
}

TEST_F(BarButtonControlsTest, ASecondPressClosesAnOpenToolbarSubItemOnlyInTheStandardStyle) {
  for (TdxBarManagerStyle style : {bmsStandard, bmsEnhanced}) {
    M->SetStyle(style);
    TCountingMenuSubItem* sub = SubItem("More", {"One"});
    TStandInBar* bar = NewBar(dxBarKindToolbar, {sub});
    bar->SetActiveState(true);
    TdxBarItemControl* c = ControlAt(bar, 0);
    PressOn(bar, 0);
    ASSERT_TRUE(c->IsDroppedDown());
    PressOn(bar, 0);
    EXPECT_EQ(c->IsDroppedDown(), style != bmsStandard) << static_cast<int>(style);
    CloseChain(bar);
  }
}

TEST_F(BarButtonControlsTest, AMenuOpenedByKeySelectsItsFirstLinkAndByMouseNone) {
  for (bool byMouse : {false, true}) {
    TCountingMenuSubItem* sub = SubItem("More", {"One", "Two"});
    TStandInBar* bar = NewBar(dxBarKindToolbar, {sub});
    bar->SetActiveState(true);
    if (byMouse) {
      PressOn(bar, 0);
    } else {
      WORD down = VK_DOWN;
      ControlAt(bar, 0)->KeyDown(down, {});
    }
    TStandInMenu* menu = MenuOf(sub);
    ASSERT_TRUE(Shown(menu));
    EXPECT_EQ(menu->SelectedLink(), byMouse ? nullptr : sub->ItemLinks()->Items(0)) << byMouse;
    CloseChain(bar);
  }
}

TEST_F(BarButtonControlsTest, DropDownKeysOpenTheMenuInMenusAndOnToolbars) {
  struct Case {
    int Kind;
    WORD Key;
    bool Opens;
  };
  for (const Case& k : {Case{dxBarKindMenu, VK_RIGHT, true}, Case{dxBarKindMenu, VK_RETURN, true},
                        Case{dxBarKindMenu, VK_DOWN, false}, Case{dxBarKindToolbar, VK_DOWN, true},
                        Case{dxBarKindToolbar, VK_UP, true}, Case{dxBarKindToolbar, VK_RIGHT, false}}) {
    TCountingMenuSubItem* sub = SubItem("More", {"One"});
    TStandInBar* bar = NewBar(k.Kind, {sub});
    EXPECT_EQ(ControlAt(bar, 0)->IsDropDownKey(k.Key), k.Opens) << k.Kind << " " << k.Key;
    CloseChain(bar);
  }
}

TEST_F(BarButtonControlsTest, ASubItemShowingNeitherCaptionNorImageKeepsItsIconPart) {
  TCountingMenuSubItem* sub = SubItem("More", {"One"});
  sub->SetShowCaption(false);
  TStandInBar* bar = NewBar(dxBarKindToolbar, {sub});
  EXPECT_EQ(ControlAt(bar, 0)->DefaultContentParts(), cpIcon);
  sub->SetShowCaption(true);
  EXPECT_EQ(ControlAt(bar, 0)->DefaultContentParts(), cpText);
}

TEST_F(BarButtonControlsTest, MenuPositionInAMenuAndOnHorizontalAndVerticalToolbars) {
  TCountingMenuSubItem* sub = SubItem("More", {"One"});
  struct Case {
    int Kind;
    bool Vertical;
    TPoint Point;
    int Width, Height;
  };
  // The bars stand at screen (100, 200) with their client at the window's origin; the menu lifts
  // its sub-menus by its own DropDownOffset of 3.
  for (const Case& k : {Case{dxBarKindMenu, false, {250, 237}, 150, 0}, Case{dxBarKindToolbar, false, {100, 260}, 0, 20},
                        Case{dxBarKindToolbar, true, {250, 240}, 150, 0}}) {
    TStandInBar* bar = NewBar(k.Kind, {sub}, 100, 200);
    bar->AutoSize = false;
    bar->Vertical = k.Vertical;
    bar->DropOffset = 3;
    bar->SetBounds(100, 200, 200, 100);
    auto* c = static_cast<TdxBarSubItemControl*>(ControlAt(bar, 0));
    c->ItemLink()->SetItemRect({0, 40, 150, 60});
    const TPoint origin = bar->ClientToScreen({0, 0});
    TPoint p;
    int w = -1, h = -1;
    c->MenuPosition(p, w, h);
    EXPECT_EQ(p.X, k.Point.X - 100 + origin.X) << k.Kind << k.Vertical;
    EXPECT_EQ(p.Y, k.Point.Y - 200 + origin.Y) << k.Kind << k.Vertical;
    EXPECT_EQ(w, k.Width);
    EXPECT_EQ(h, k.Height);
  }
}

// ---- buttons ------------------------------------------------------------------------------------

TEST_F(BarButtonControlsTest, ACheckedButtonsClickInvertsDownBeforeOnClick) {
  TdxBarButton* check = Make("Bold");
  check->SetButtonStyle(bsChecked);
  bool downInClick = false;
  check->SetOnClick([&](TObject*) { downInClick = check->Down(); });
  TStandInBar* bar = NewBar(dxBarKindToolbar, {check});
  ControlAt(bar, 0)->Click(false);
  EXPECT_TRUE(check->Down());
  EXPECT_TRUE(downInClick);
  ControlAt(bar, 0)->Click(false);
  EXPECT_FALSE(check->Down());
}

TEST_F(BarButtonControlsTest, AMouseClickOffTheButtonPartRunsNoItemClick) {
  TdxBarButton* button = Make("Paste");
  button->SetButtonStyle(bsDropDown);
  int clicks = 0;
  button->SetOnClick([&](TObject*) { ++clicks; });
  TStandInBar* bar = NewBar(dxBarKindToolbar, {button});
  auto* c = static_cast<TdxBarButtonControl*>(ControlAt(bar, 0));
  EXPECT_EQ(c->PartCount(), 2);
  ASSERT_EQ(c->PartRectCount(), 2);
  const TRect arrow = c->PartRects(1);
  EXPECT_EQ(arrow.Right, c->ItemRect().Right);
  EXPECT_GT(arrow.Left, c->ItemRect().Left);
  c->MouseMoveAt({(arrow.Left + arrow.Right) / 2, (arrow.Top + arrow.Bottom) / 2});
  ASSERT_EQ(c->HotPartIndex(), 1);
  c->Click(true);
  EXPECT_EQ(clicks, 0);
  const TRect face = c->PartRects(0);
  c->MouseMoveAt({face.Left + 2, (face.Top + face.Bottom) / 2});
  c->Click(true);
  EXPECT_EQ(clicks, 1);
}

TEST_F(BarButtonControlsTest, AStandardButtonWithoutImageShowsItsCaptionOnAToolbar) {
  TdxBarButton* button = Make("Print");
  TStandInBar* bar = NewBar(dxBarKindToolbar, {button});
  auto* c = static_cast<TdxBarButtonControl*>(ControlAt(bar, 0));
  EXPECT_EQ(c->EffectivePaintStyle(), TdxBarPaintStyle::psCaption);
  EXPECT_EQ(c->DefaultContentParts(), cpText);
  EXPECT_EQ(c->ContentPartsForLevel(ivlSmallIcon), cpIcon) << "the icon level shows the icon with or without image";
  TStandInBar* menu = NewBar(dxBarKindMenu, {button});
  EXPECT_EQ(static_cast<TdxBarButtonControl*>(ControlAt(menu, 0))->EffectivePaintStyle(), TdxBarPaintStyle::psStandard);
}

TEST_F(BarButtonControlsTest, ALargeButtonOfFixedSizeOnlyRepaintsWhenItsGlyphChanges) {
  auto* large = Make<TdxBarLargeButton>("Big");
  TStandInBar* bar = NewBar(dxBarKindToolbar, {large});
  for (bool fixed : {true, false}) {
    large->SetWidth(fixed ? 60 : 0);
    large->SetHeight(fixed ? 50 : 0);
    TdxBarItemControl* c = ControlAt(bar, 0);
    ASSERT_EQ(c->DrawInfo()->ViewSize, cvsLarge);
    bar->Invalidations = bar->Relayouts = 0;
    c->LargeGlyphChanged();
    EXPECT_EQ(bar->Invalidations, fixed ? 1 : 0) << fixed;
    EXPECT_EQ(bar->Relayouts, fixed ? 0 : 1) << fixed;
  }
}

// ---- container menus ------------------------------------------------------------------------------

TEST_F(BarButtonControlsTest, AListItemsMenuIsMadeOnEachOpeningAndFreedWithItsLinksOnClose) {
  auto* list = Make<TdxBarListItem>("Recent");
  int asked = 0, clicks = 0;
  list->OnGetData = [&](TObject*) { ++asked; };
  list->SetOnClick([&](TObject*) { ++clicks; });
  TStandInBar* bar = NewBar(dxBarKindToolbar, {list});
  bar->SetActiveState(true);
  auto* c = static_cast<TdxBarSubItemControl*>(ControlAt(bar, 0));
  // As under the mouse: the pressed control is the bar's selected one.
  bar->SetSelectedControl(c);

  // Nothing to show: the empty menu goes at once and the next opening asks again.
  PressOn(bar, 0);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(list->PopulationCount(), 0);
  EXPECT_EQ(list->ItemLinks()->BarControl(), nullptr);
  c->Deactivate(true);

  list->Items()->Add("a.txt");
  list->Items()->Add("b.txt");
  for (int opening = 2; opening <= 3; ++opening) {
    PressOn(bar, 0);
    EXPECT_EQ(asked, opening);
    auto* menu = dynamic_cast<TContainerItemSubMenuControl*>(list->ItemLinks()->BarControl());
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(Shown(menu));
    EXPECT_EQ(list->ItemLinks()->Count(), 2);
    EXPECT_EQ(list->PopulationCount(), 1);
    c->Deactivate(true);
    EXPECT_EQ(list->ItemLinks()->BarControl(), nullptr) << "freed on close";
    EXPECT_EQ(list->ItemLinks()->Count(), 0) << "its links collapsed";
    EXPECT_EQ(list->PopulationCount(), 0);
  }
  EXPECT_EQ(clicks, 0) << "opening the list's own menu chooses no entry";
}

TEST_F(BarButtonControlsTest, AContainerInAMenuWhileCustomizingShowsItsCaptionInParentheses) {
  auto* list = Make<TdxBarListItem>("Recent");
  M->SetCustomizing(true);  // outside customizing a menu shows the entries in its place
  TStandInBar* menu = NewBar(dxBarKindMenu, {list});
  TStandInBar* bar = NewBar(dxBarKindToolbar, {list});
  EXPECT_EQ(ControlAt(menu, 0)->CaptionText(), "(Recent)");
  EXPECT_EQ(ControlAt(bar, 0)->CaptionText(), "Recent");
  EXPECT_FALSE(ControlAt(menu, 0)->HostsSubMenu());
  M->SetCustomizing(false);
}

// ---- fading pictures ----------------------------------------------------------------------------

namespace {
// A painter that fades, drawing each button face as a filled rectangle in its state's colour.
class TFadingTestPainter : public TdxBarPainter, public IdxBarPainterFading {
  VW_CLASS(TFadingTestPainter, TdxBarPainter)
 public:
  bool MakesImagesOpaque() override { return Opaque; }
  void DrawMarkForFade(TCustomdxBarControl*, HDC, bool, const TRect&) override {}
  void DrawButtonForFade(TdxBarButtonLikeControlDrawParams& P) override {
    Selected.push_back(P.IsSelected);
  }
  bool Opaque = false;
  std::vector<bool> Selected;
};

BYTE FirstAlpha(TBitmap* B) {
  TRGBColors colors;
  static_cast<TcxBitmap32*>(B)->ReadPixels(colors);
  return colors.empty() ? 0 : colors.front().rgbReserved;
}
}  // namespace

TEST_F(BarButtonControlsTest, FadingPicturesHaveTheControlsSizeAreOpaqueOnlyWhenAskedAndAreNotMadeInMenus) {
  TFadingTestPainter painter;
  TdxBarButton* button = Make("Fade");
  TStandInBar* bar = NewBar(dxBarKindToolbar, {button});
  TStandInBar* menu = NewBar(dxBarKindMenu, {button});
  bar->SetPainter(&painter);
  menu->SetPainter(&painter);
  for (bool opaque : {false, true}) {
    painter.Opaque = opaque;
    painter.Selected.clear();
    TBitmap* normal = nullptr;
    TBitmap* hot = nullptr;
    int a = 0, b = 0, c = 0, d = 0;
    ControlAt(bar, 0)->PrepareFadingImages(normal, hot, a, b, c, d);
    ASSERT_TRUE(normal && hot);
    const TRect r = ControlAt(bar, 0)->ItemRect();
    EXPECT_EQ(normal->Width(), r.Right - r.Left);
    EXPECT_EQ(hot->Height(), r.Bottom - r.Top);
    EXPECT_EQ(painter.Selected, (std::vector<bool>{false, true}));
    EXPECT_EQ(FirstAlpha(normal), opaque ? 255 : 0) << opaque;
    EXPECT_EQ(FirstAlpha(hot), opaque ? 255 : 0) << opaque;
    delete normal;
    delete hot;
  }
  TBitmap* normal = nullptr;
  TBitmap* hot = nullptr;
  int a = 0, b = 0, c = 0, d = 0;
  ControlAt(menu, 0)->PrepareFadingImages(normal, hot, a, b, c, d);
  EXPECT_EQ(normal, nullptr);
  EXPECT_EQ(hot, nullptr);
  bar->SetPainter(nullptr);
  menu->SetPainter(nullptr);
}
