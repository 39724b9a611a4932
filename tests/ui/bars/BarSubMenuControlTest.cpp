// The menu window on the headless backend with time on the virtual clock: placement at the edges of
// a 1024 x 738 work area, the empty menu, scrolling by the arrows, the animation kind of a showing,
// the light brush of rarely used items and the design-time side strip, rebuilding while scrolled,
// large items, closing and lifetime, the active chain, a window kept for a link drag, internal
// menus, and pictures in every painter style.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/win/Hooks.h"
#include "platform/win/Sound.h"
#include "tests/ui/bars/BarItemControlFixture.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "ui/bars/BarButtonControls.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarMenuPlacement.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

namespace {

const TRect kWork{0, 0, 1024, 738};

// A menu row 20 pixels high whatever the font, as the scrolling figures count.
class TTwentyControl : public TStandInButtonControl {
  VW_CLASS(TTwentyControl, TStandInButtonControl)
 public:
  using TStandInButtonControl::TStandInButtonControl;
  int Height() const override { return Base; }
  static inline int Base = 20;
};

// Links whose owner draws a side strip 20 pixels wide in green.
class TStripOwner : public TObject, public IdxBarSubMenuOwner {
  VW_CLASS(TStripOwner, TObject)
 public:
  int BarSize() override { return 20; }
  void PaintBar(TCanvas* Canvas, const TRect& R) override {
    RECT r = R;
    HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
    FillRect(Canvas->Handle(), &r, green);
    DeleteObject(green);
    ++Paints;
  }
  int Paints = 0;
};

struct TAnimateCall {
  HWND Window;
  DWORD Time, Flags;
};
std::vector<TAnimateCall> gAnimateCalls;
BOOL RecordAnimateWindow(HWND Window, DWORD Time, DWORD Flags) {
  gAnimateCalls.push_back({Window, Time, Flags});
  return ShowWindow(Window, SW_SHOWNOACTIVATE);
}

// An animation that only records being started and stopped.
int gAnimationsStarted = 0, gAnimationsStopped = 0;
TObject* gAnimationToken = nullptr;
TObject* StartFakeAnimation(TdxBarSubMenuControl*) {
  ++gAnimationsStarted;
  return gAnimationToken;
}
std::vector<bool> gAnimationStopsFinishing;
void StopFakeAnimation(TObject*, bool AFinish) {
  ++gAnimationsStopped;
  gAnimationStopsFinishing.push_back(AFinish);
}

}  // namespace

class BarSubMenuControlTest : public BarInputFixture {
 protected:
  void SetUp() override {
    BarInputFixture::SetUp();
    RECT work = kWork;
    SystemParametersInfo(SPI_SETWORKAREA, 0, &work, 0);
    UseStandInControls<TTwentyControl>();
    TTwentyControl::Base = 20;
    Form->Show();
  }
  void TearDown() override {
    for (TdxBarSubMenuControl* menu : Menus)
      if (IsBarControlAlive(menu)) TObject::Free(menu);
    Menus.clear();
    SystemParametersInfo(SPI_SETWORKAREA, 0, nullptr, 0);
    dxBarMenuRandom = FRandom;
    AnimateWindowProc = FAnimate;
    dxBarMenuAnimator = {};
    BarInputFixture::TearDown();
  }
  TdxBarSubMenuControlItemLinks* NewLinks(int ACount, int AGroupEvery = 0) {
    auto* links = new TdxBarSubMenuControlItemLinks(M, nullptr);
    Owned.emplace_back(links);
    for (int i = 0; i < ACount; ++i) {
      TdxBarItemLink* link = links->AddItem(Make("Command " + std::to_string(i + 1)));
      if (AGroupEvery > 0 && i > 0 && i % AGroupEvery == 0) link->SetBeginGroup(true);
    }
    return links;
  }
  // A menu shown at the point, as a popup menu or an opener hands it over.
  TdxBarSubMenuControl* Open(TdxBarItemLinks* ALinks, int X, int Y, int AOwnerWidth = 0, int AOwnerHeight = 0) {
    auto* menu = new TdxBarSubMenuControl(M);
    Menus.push_back(menu);
    menu->SetItemLinks(ALinks);
    menu->SetOwnerSize(AOwnerWidth, AOwnerHeight);
    menu->SetLeft(X);
    menu->SetTop(Y);
    menu->PopupMenuWindow();
    Pump();
    return menu;
  }
  static TRect Bounds(TCustomdxBarControl* Bar) {
    RECT r;
    GetWindowRect(Bar->Handle(), &r);
    return r;
  }
  static TPoint ScreenCentre(TCustomdxBarControl* Bar, const TRect& R) {
    POINT p{(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
    ClientToScreen(Bar->Handle(), &p);
    return {p.x, p.y};
  }
  static COLORREF Pixel(TCustomdxBarControl* Bar, int X, int Y) {
    HDC dc = GetDC(Bar->Handle());
    COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(Bar->Handle(), dc);
    return c;
  }
  void Repaint(TCustomdxBarControl* Bar) {
    RedrawWindow(Bar->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
  }
  // The frame and content insets of a menu added on both axes.
  static TSize Chrome(TdxBarSubMenuControl* Menu) {
    const TRect f = Menu->FrameInsets(true), c = Menu->ContentInsets();
    return {f.Left + f.Right + c.Left + c.Right, f.Top + f.Bottom + c.Top + c.Bottom};
  }

  std::vector<TdxBarSubMenuControl*> Menus;

 private:
  std::function<int(int)> FRandom = dxBarMenuRandom;
  TAnimateWindowProc FAnimate = AnimateWindowProc;
};

// ---- placement ------------------------------------------------------------------------------------

TEST(BarMenuPlacementTest, TheEdgesOfTheWorkArea) {
  const TSize menu{150, 200};
  struct Row {
    const char* Opener;
    TPoint At;
    TSize Size;
    int OwnerWidth, OwnerHeight;
    TdxBarMenuPlacement Expected;
  } rows[] = {
      {"at a point, room everywhere", {100, 100}, menu, 0, 0, {100, 100, 150, 200, false, false}},
      {"at a point near the corner", {1000, 700}, menu, 0, 0, {850, 500, 150, 200, true, true}},
      {"drop-down near the bottom", {100, 700}, menu, 0, 22, {100, 478, 150, 200, false, true}},
      {"drop-down near the right edge", {1000, 100}, menu, 0, 22, {874, 100, 150, 200, false, false}},
      {"drop-down, more room below but too tall", {100, 300}, {150, 600}, 0, 22, {100, 300, 150, 438, false, false}},
      {"drop-down above, taller than the room", {100, 500}, {150, 600}, 0, 22, {100, 0, 150, 478, false, true}},
      {"sub-menu at the right edge", {950, 100}, menu, 150, 0, {650, 100, 150, 200, true, false}},
      {"sub-menu with less room on the left", {960, 100}, menu, 900, 0, {874, 100, 150, 200, false, false}},
      {"sub-menu near the bottom", {500, 700}, menu, 150, 0, {500, 538, 150, 200, false, false}},
      {"at a point, larger than the work area", {100, 100}, {1200, 900}, 0, 0, {0, 0, 1200, 738, false, false}},
      {"at a point, taller than the room above", {100, 600}, {150, 700}, 0, 0, {100, 38, 150, 700, false, false}},
  };
  for (const Row& r : rows) {
    const TdxBarMenuPlacement p = dxBarPlaceMenu(kWork, r.At, r.Size, r.OwnerWidth, r.OwnerHeight, false);
    EXPECT_EQ(p.Left, r.Expected.Left) << r.Opener;
    EXPECT_EQ(p.Top, r.Expected.Top) << r.Opener;
    EXPECT_EQ(p.Width, r.Expected.Width) << r.Opener;
    EXPECT_EQ(p.Height, r.Expected.Height) << r.Opener;
    EXPECT_EQ(p.FlippedHorizontally, r.Expected.FlippedHorizontally) << r.Opener;
    EXPECT_EQ(p.FlippedVertically, r.Expected.FlippedVertically) << r.Opener;
  }
  // A menu that fits its width to the screen is cut at the right edge instead of overhanging it.
  const TdxBarMenuPlacement cut = dxBarPlaceMenu(kWork, {100, 100}, {1200, 100}, 0, 0, true);
  EXPECT_EQ(cut.Left, 0);
  EXPECT_EQ(cut.Width, 1024);
}

TEST_F(BarSubMenuControlTest, AMenuOpenedNearTheCornerOpensLeftAndAboveThePointItsWindowAtTheMeasuredSize) {
  TdxBarSubMenuControl* menu = Open(NewLinks(3), 1000, 700);
  const TSize chrome = Chrome(menu);
  const TRect r = Bounds(menu);
  EXPECT_EQ(r.Right, 1000);
  EXPECT_EQ(r.Bottom, 700);
  EXPECT_EQ(r.Bottom - r.Top, 3 * 20 + chrome.cy);
  EXPECT_TRUE(IsWindowVisible(menu->Handle()));
  EXPECT_EQ(menu->OnShowLeft(), 1000) << "the position the opener gave";
  // The window's own frame: a topmost popup of the form, redrawn on every size change.
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtr(menu->Handle(), GWL_STYLE)) & ~WS_VISIBLE, 0x86000000u);
  EXPECT_NE(GetWindowLongPtr(menu->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(GetClassLongPtr(menu->Handle(), GCL_STYLE), 0x082Bu);
  EXPECT_EQ(GetWindow(menu->Handle(), GW_OWNER), Form->Handle());
  EXPECT_EQ(SendMessage(menu->Handle(), WM_GETDLGCODE, 0, 0), 7);
}

TEST_F(BarSubMenuControlTest, AnEmptyMenuIsAHundredWideAndOneTextSizeHigh) {
  TdxBarSubMenuControl* menu = Open(NewLinks(0), 200, 200);
  const TSize chrome = Chrome(menu);
  EXPECT_EQ(menu->Width(), 100 + chrome.cx);
  EXPECT_EQ(menu->Height(), menu->TextSize() + chrome.cy);
  Repaint(menu);  // the items rectangle filled with the background, nothing else
}

// ---- scrolling ------------------------------------------------------------------------------------

TEST_F(BarSubMenuControlTest, TheArrowsScrollEveryEightyMillisecondsAndStopAtTheEnd) {
  TdxBarSubMenuControl* menu = Open(NewLinks(60), 100, 10);
  ASSERT_EQ(menu->Height(), 738) << "60 rows of 20 are cut to the work area";
  EXPECT_EQ(menu->Top(), 0);
  EXPECT_FALSE(menu->CanScrollUp());
  ASSERT_TRUE(menu->CanScrollDown());
  TdxBarItemLinks* links = menu->ItemLinks();
  // The lower arrow covers the last laid-out link, which is not drawn.
  const int laidOut = menu->LaidOutCount();
  EXPECT_EQ(menu->LastDrawnIndex(), laidOut - 2);
  EXPECT_FALSE(menu->ViewInfo()->Contains(links->VisibleLinks(laidOut - 1)->Control()));

  MoveTo(ScreenCentre(menu, menu->ScrollButtonBounds(false)));
  EXPECT_TRUE(menu->Scrolling());
  for (int tick : {1, 2, 3}) {
    Wait(79);
    EXPECT_EQ(menu->TopIndex(), tick - 1) << tick * 80 - 1 << " ms";
    Wait(1);
    EXPECT_EQ(menu->TopIndex(), tick) << tick * 80 << " ms";
  }
  // Scrolled: the upper arrow covers the top link; the first drawn one is the next.
  EXPECT_TRUE(menu->CanScrollUp());
  EXPECT_EQ(menu->FirstDrawnIndex(), 4);
  EXPECT_FALSE(menu->ViewInfo()->Contains(links->VisibleLinks(3)->Control()));
  Repaint(menu);
  SaveScreenArea("bars/menu-scrolled-standard.png", Bounds(menu), 1);

  // Resting on the lower arrow for 6 s: the view stops at the end and so does the timer.
  Wait(6000);
  EXPECT_FALSE(menu->Scrolling());
  EXPECT_FALSE(menu->CanScrollDown());
  EXPECT_EQ(menu->LastDrawnIndex(), 59);
  EXPECT_LE(menu->TopIndex() + menu->LaidOutCount(), 60);
  Repaint(menu);

  // The keyboard reaches a link scrolled away: the view comes back to it.
  menu->SelectControlByKeyboard(links->VisibleLinks(1)->Control());
  EXPECT_EQ(menu->TopIndex(), 0);
  EXPECT_TRUE(menu->ViewInfo()->Contains(links->VisibleLinks(1)->Control()));
  // Dragging over a scrolling menu drops nothing on the arrows.
  TdxBarItemLink* link = nullptr;
  bool vertical = false, before = false, onSeparator = false;
  const TRect down = menu->ScrollButtonBounds(false);
  EXPECT_FALSE(menu->DropPositionAt({down.Left + 5, down.Top + 2}, link, vertical, before, onSeparator));
  EXPECT_EQ(link, nullptr);
}

TEST_F(BarSubMenuControlTest, LeavingTheArrowStopsScrolling) {
  TdxBarSubMenuControl* menu = Open(NewLinks(60), 100, 10);
  MoveTo(ScreenCentre(menu, menu->ScrollButtonBounds(false)));
  Wait(160);
  EXPECT_EQ(menu->TopIndex(), 2);
  MoveTo(ScreenCentre(menu, menu->ViewInfo()->Items(5)->ItemRect()));
  EXPECT_FALSE(menu->Scrolling());
  Wait(400);
  EXPECT_EQ(menu->TopIndex(), 2);
  EXPECT_EQ(menu->SelectedControl(), menu->ViewInfo()->Items(5)) << "the link under the mouse is hot again";
}

// ---- showing --------------------------------------------------------------------------------------

TEST_F(BarSubMenuControlTest, TheAnimationKindOfAShowingAndTheSoundOfEveryOpening) {
  const bool sounds = PlaySounds;
  PlaySounds = true;
  AnimateWindowProc = RecordAnimateWindow;
  M->SetMenuAnimations(maRandom);
  const struct {
    int Random;
    TdxBarMenuAnimations Kind;
  } rows[] = {{0, maUnfold}, {32, maUnfold}, {33, maSlide}, {65, maSlide}, {66, maFade}, {99, maFade}};
  for (const auto& row : rows) {
    dxBarMenuRandom = [&](int ABound) {
      EXPECT_EQ(ABound, 100);
      return row.Random;
    };
    gAnimateCalls.clear();
    Headless().ClearSounds();
    TdxBarSubMenuControl* menu = Open(NewLinks(2), 200, 200);
    EXPECT_EQ(menu->MenuAnimationKind(), row.Kind) << row.Random;
    EXPECT_TRUE(IsWindowVisible(menu->Handle())) << "without an animation unit the window shows at once";
    if (row.Kind == maFade) {
      ASSERT_EQ(gAnimateCalls.size(), 1u);
      EXPECT_EQ(gAnimateCalls[0].Window, menu->Handle());
      EXPECT_EQ(gAnimateCalls[0].Time, 150u);
      EXPECT_EQ(gAnimateCalls[0].Flags, AW_BLEND);
    } else {
      EXPECT_TRUE(gAnimateCalls.empty());
    }
    ASSERT_FALSE(Headless().Sounds().empty());
    EXPECT_EQ(Headless().Sounds()[0].name, "MenuPopup");
    menu->CloseUp();
  }
  // While customizing nothing animates, fading included.
  M->SetMenuAnimations(maFade);
  M->SetCustomizing(true);
  gAnimateCalls.clear();
  TdxBarSubMenuControl* menu = Open(NewLinks(2), 200, 200);
  EXPECT_EQ(menu->MenuAnimationKind(), maNone);
  EXPECT_TRUE(gAnimateCalls.empty());
  EXPECT_TRUE(IsWindowVisible(menu->Handle()));
  M->SetCustomizing(false);
  PlaySounds = sounds;
}

TEST_F(BarSubMenuControlTest, AnUnfoldingMenuLeavesItsShowingToTheAnimation) {
  TObject token;
  gAnimationToken = &token;
  gAnimationsStarted = gAnimationsStopped = 0;
  dxBarMenuAnimator = {StartFakeAnimation, StopFakeAnimation};
  M->SetMenuAnimations(maUnfold);
  auto* menu = new TdxBarSubMenuControl(M);
  Menus.push_back(menu);
  menu->SetItemLinks(NewLinks(2));
  menu->SetLeft(200);
  menu->SetTop(200);
  menu->SetShowAnimation(true);
  menu->PopupMenuWindow();
  EXPECT_EQ(gAnimationsStarted, 1);
  EXPECT_EQ(menu->AnimationThread(), &token);
  EXPECT_FALSE(IsWindowVisible(menu->Handle())) << "the animation shows the window itself";
  EXPECT_FALSE(menu->ShowsShadow());
  menu->CloseUp();
  EXPECT_EQ(gAnimationsStopped, 1) << "stopped before the window goes";
  // Asked for no animation, or without links to show, the menu shows at once.
  auto* plain = Open(NewLinks(0), 200, 200);
  EXPECT_FALSE(plain->ShowAnimation());
  EXPECT_TRUE(IsWindowVisible(plain->Handle()));
  EXPECT_EQ(gAnimationsStarted, 1);
}

TEST_F(BarSubMenuControlTest, AKeyAClickAndAMoveFinishARunningAnimationAndClosingStopsIt) {
  TObject token;
  gAnimationToken = &token;
  dxBarMenuAnimator = {StartFakeAnimation, StopFakeAnimation};
  M->SetMenuAnimations(maUnfold);
  auto openAnimated = [&] {
    auto* menu = new TdxBarSubMenuControl(M);
    Menus.push_back(menu);
    menu->SetItemLinks(NewLinks(3));
    menu->SetLeft(200);
    menu->SetTop(200);
    menu->SetShowAnimation(true);
    menu->PopupMenuWindow();
    // The animation would show the window; here it stays running while the test acts.
    ShowWindow(menu->Handle(), SW_SHOWNOACTIVATE);
    Pump();
    return menu;
  };
  const std::function<void(TdxBarSubMenuControl*)> actions[] = {
      [&](TdxBarSubMenuControl* m) { Key(m, VK_DOWN); },
      [&](TdxBarSubMenuControl* m) {
        const TPoint p = ScreenCentre(m, m->ItemLinks()->Items(0)->ItemRect());
        SendMessage(m->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.X - m->Left(), p.Y - m->Top()));
      },
      [&](TdxBarSubMenuControl* m) { MoveOnto(m, 1); },
  };
  for (const auto& act : actions) {
    gAnimationStopsFinishing.clear();
    TdxBarSubMenuControl* menu = openAnimated();
    ASSERT_EQ(menu->AnimationThread(), &token);
    TcxObjectLinkScope alive(menu);
    act(menu);
    EXPECT_EQ(gAnimationStopsFinishing, std::vector<bool>{true}) << "stopped once, finishing";
    if (alive.Alive()) {
      EXPECT_EQ(menu->AnimationThread(), nullptr);
      menu->CloseUp();
    }
    Pump();
  }
  gAnimationStopsFinishing.clear();
  TdxBarSubMenuControl* menu = openAnimated();
  menu->CloseUp();
  EXPECT_EQ(gAnimationStopsFinishing, std::vector<bool>{false}) << "closing stops without finishing";
}

TEST_F(BarSubMenuControlTest, ARightClickClicksOnlyInAMenuOpenedAtAPoint) {
  for (const bool atPoint : {true, false}) {
    TdxBarSubMenuControlItemLinks* links = NewLinks(3);
    int clicks = 0;
    static_cast<TdxBarButton*>(links->Items(1)->Item())->SetOnClick([&](TObject*) { ++clicks; });
    // An owner size makes the menu a drop-down of the item it came from.
    TdxBarSubMenuControl* menu = atPoint ? Open(links, 200, 200) : Open(links, 200, 200, 60, 22);
    EXPECT_EQ(menu->AcceptsRightButton(), atPoint);
    TcxObjectLinkScope alive(menu);
    MoveOnto(menu, 1);
    Headless().InjectMouseButton(platform::kButtonRight, true);
    Pump();
    Headless().InjectMouseButton(platform::kButtonRight, false);
    Pump();
    EXPECT_EQ(clicks, atPoint ? 1 : 0) << (atPoint ? "at a point" : "dropped down");
    if (alive.Alive()) menu->CloseUp();
    Pump();
  }
}

// ---- pixels ---------------------------------------------------------------------------------------

TEST_F(BarSubMenuControlTest, RarelyUsedItemsLieOnTheLightBrushUnlessThePainterKeepsItsShade) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF light = RGB(std::min(255, GetRValue(face) + 20), std::min(255, GetGValue(face) + 20),
                             std::min(255, GetBValue(face) + 20));
  for (TdxBarManagerStyle style : {bmsStandard, bmsOffice11}) {
    M->SetStyle(style);
    TdxBarSubMenuControl* menu = Open(NewLinks(3), 200, 200);
    TdxBarItemControl* rare = menu->ItemLinks()->Items(1)->Control();
    rare->SetOutsideRecent(true);
    Repaint(menu);
    const TRect r = rare->ItemRect();
    const COLORREF at = Pixel(menu, r.Right - 3, (r.Top + r.Bottom) / 2);
    if (style == bmsStandard)
      EXPECT_EQ(at, light) << "button face + 20 per channel";
    else
      EXPECT_NE(at, light);
    const TRect usual = menu->ItemLinks()->Items(0)->Control()->ItemRect();
    EXPECT_NE(Pixel(menu, usual.Right - 3, (usual.Top + usual.Bottom) / 2), light);
    menu->CloseUp();
  }
}

TEST_F(BarSubMenuControlTest, TheSideStripIsTheOwnersAndAGradientAtDesignTime) {
  TStripOwner owner;
  TdxBarSubMenuControlItemLinks* links = NewLinks(4);
  links->SetOwnerObject(&owner);
  TdxBarSubMenuControl* menu = Open(links, 200, 200);
  EXPECT_EQ(menu->SideStripWidth(), 20);
  EXPECT_EQ(menu->ContentInsets().Left, 20 + menu->BarPainter()->MenuBorderInsets(menu).Left);
  Repaint(menu);
  const TRect items = menu->ItemsRect();
  EXPECT_GT(owner.Paints, 0);
  EXPECT_EQ(Pixel(menu, items.Left - 10, items.Top + 5), RGB(0, 160, 0));
  menu->CloseUp();

  M->SetDesigning(true);
  menu = Open(links, 200, 200);
  Repaint(menu);
  const TRect strip = menu->ItemsRect();
  const COLORREF top = Pixel(menu, strip.Left - 10, strip.Top);
  const COLORREF bottom = Pixel(menu, strip.Left - 10, strip.Bottom - 1);
  EXPECT_LT(GetBValue(top), 16) << "black at the top";
  EXPECT_GT(GetBValue(bottom), 230) << "blue at the bottom";
  EXPECT_EQ(GetRValue(bottom), 0);
  SaveScreenArea("bars/menu-design-strip.png", Bounds(menu), 2);
  menu->CloseUp();
  M->SetDesigning(false);
  links->SetOwnerObject(nullptr);
}

// ---- rebuild, item sizes and lifetime --------------------------------------------------------------

TEST_F(BarSubMenuControlTest, DeletingTheLastLinksOfAScrolledMenuKeepsAValidView) {
  TdxBarSubMenuControl* menu = Open(NewLinks(60), 100, 10);
  MoveTo(ScreenCentre(menu, menu->ScrollButtonBounds(false)));
  Wait(5000);
  ASSERT_FALSE(menu->CanScrollDown());
  TdxBarItemLinks* links = menu->ItemLinks();
  MoveTo({900, 700});
  for (int i = 0; i < 5; ++i) delete links->Items(links->Count() - 1);
  Pump();
  menu->RebuildRecreating();
  ASSERT_EQ(links->VisibleCount(), 55);
  EXPECT_TRUE(menu->CanScrollUp());
  EXPECT_FALSE(menu->CanScrollDown()) << "the view fills the menu down to its new end";
  EXPECT_EQ(menu->LastDrawnIndex(), 54);
  EXPECT_EQ(menu->TopIndex() + menu->LaidOutCount(), 55);
  EXPECT_TRUE(IsWindowVisible(menu->Handle()));
  Repaint(menu);
}

TEST_F(BarSubMenuControlTest, LargeItemsAreTwiceOrTwoAndAHalfTimesTheirHeight) {
  TdxBarSubMenuControlItemLinks* links = NewLinks(2);
  links->ItemOptions()->SetSize(misLarge);
  TdxBarSubMenuControl* menu = Open(links, 200, 200);
  TdxBarItemControl* c = links->Items(0)->Control();
  const struct {
    int Base;
    bool Descriptions;
    int Height;
  } rows[] = {{20, false, 40}, {20, true, 50}, {21, true, 52}, {23, true, 58}};
  for (const auto& row : rows) {
    TTwentyControl::Base = row.Base;
    links->ItemOptions()->SetShowDescriptions(row.Descriptions);
    EXPECT_EQ(menu->ItemHeight(c), row.Height) << row.Base << (row.Descriptions ? " with descriptions" : "");
  }
  links->ItemOptions()->SetSize(misNormal);
  EXPECT_EQ(menu->ItemHeight(c), 23);
}

TEST_F(BarSubMenuControlTest, AMenuOpenedAtAPointFreesItselfAndItsCloseUpComesAfterItsWindow) {
  TdxBarSubMenuControl* menu = Open(NewLinks(3), 200, 200);
  const HWND window = menu->Handle();
  bool windowGone = false;
  int closeUps = 0;
  menu->OnCloseUp = [&](TObject*) {
    ++closeUps;
    windowGone = !IsWindow(window);
  };
  EXPECT_EQ(ActiveBarWindow, menu);
  TcxObjectLinkScope alive(menu);
  menu->CloseUp();
  EXPECT_FALSE(alive.Alive());
  EXPECT_EQ(closeUps, 1) << "once";
  EXPECT_TRUE(windowGone);
  EXPECT_EQ(ActiveBarWindow, nullptr);
}

TEST_F(BarSubMenuControlTest, AThousandOpeningsLeaveNoWindowOrObjectBehind) {
  TdxBarSubMenuControlItemLinks* links = NewLinks(5, 2);
  TdxBarSubMenuControl* warm = Open(links, 200, 200);
  warm->CloseUp();
  Pump();
  const DWORD gdi = GetGuiResources(nullptr, GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(nullptr, GR_USEROBJECTS);
  for (int i = 0; i < 1000; ++i) {
    TdxBarSubMenuControl* menu = Open(links, 200 + i % 7, 200);
    if (i % 2) Repaint(menu);
    menu->CloseUp();
  }
  Pump();
  EXPECT_EQ(GetGuiResources(nullptr, GR_GDIOBJECTS), gdi);
  EXPECT_EQ(GetGuiResources(nullptr, GR_USEROBJECTS), user);
  EXPECT_EQ(links->BarControl(), nullptr);
}

TEST_F(BarSubMenuControlTest, TheActiveChainFromToolbarToSubMenuClosesAtOnceOnAClick) {
  auto sub = [&](const String& Caption, std::initializer_list<TdxBarItem*> Items) {
    auto* item = Make<TdxBarSubItem>(Caption);
    for (TdxBarItem* i : Items) item->ItemLinks()->AddItem(i);
    return item;
  };
  dxBarItemControlFactory = [](TdxBarItemLink* L) -> TdxBarItemControl* {
    if (dynamic_cast<TdxBarSubItem*>(L->Item())) return new TdxBarSubItemControl(L);
    if (dynamic_cast<TdxBarButton*>(L->Item())) return new TTwentyControl(L);
    return nullptr;
  };
  TdxBarButton* deepest = Make("Deepest");
  int clicks = 0;
  deepest->SetOnClick([&](TObject*) { ++clicks; });
  TdxBarSubItem* inner = sub("Inner", {Make("One"), deepest});
  TdxBarSubItem* outer = sub("Outer", {Make("Plain"), inner});
  TStandInBar* toolbar = NewBar(dxBarKindToolbar, {outer}, 100, 100);
  toolbar->RealCloseUp = true;

  // A press on a toolbar item activates the toolbar with it, downed.
  toolbar->ActivateWithControl(ControlAt(toolbar, 0));
  EXPECT_EQ(ActiveBarWindow, toolbar);
  toolbar->SetIsDowned(true);
  ControlAt(toolbar, 0)->Invoke(true);
  auto* first = dynamic_cast<TdxBarSubMenuControl*>(outer->ItemLinks()->BarControl());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(ActiveBarWindow, first);
  EXPECT_EQ(first->ParentBar(), toolbar);
  EXPECT_EQ(first->Top(), toolbar->ControlScreenRect(ControlAt(toolbar, 0)).Bottom) << "below the toolbar's item";

  first->SelectControlByKeyboard(ControlAt(first, 1));
  ControlAt(first, 1)->Invoke(false);
  auto* second = dynamic_cast<TdxBarSubMenuControl*>(inner->ItemLinks()->BarControl());
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(ActiveBarWindow, second);
  EXPECT_EQ(second->Left(), first->ControlScreenRect(ControlAt(first, 1)).Right) << "beside the menu's item";
  EXPECT_EQ(second->SelectedControl(), ControlAt(second, 0)) << "opened by key: the first link is selected";

  TcxObjectLinkScope firstAlive(first), secondAlive(second);
  MoveOnto(second, 1);
  Button(true);
  Button(false);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(secondAlive.Alive());
  EXPECT_FALSE(firstAlive.Alive());
  EXPECT_EQ(ActiveBarWindow, nullptr);
}

TEST_F(BarSubMenuControlTest, AMenuWhoseLinkIsDraggedKeepsItsWindowForTheDrag) {
  TdxBarSubMenuControl* menu = Open(NewLinks(3), 200, 200);
  const HWND window = menu->Handle();
  TdxBarItemLink* dragged = menu->ItemLinks()->Items(1);
  TdxBarDragInfo* drag = M->DragInfo();
  drag->BeginDrag(dragged->Item(), dragged);
  TcxObjectLinkScope alive(menu);
  int closeUps = 0;
  menu->OnCloseUp = [&](TObject*) { ++closeUps; };
  menu->Dismiss();
  EXPECT_FALSE(alive.Alive());
  EXPECT_EQ(closeUps, 1);
  EXPECT_EQ(drag->LinkParentWindow(), window);
  EXPECT_TRUE(IsWindow(window)) << "kept for the drag";
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(dragged->Control(), nullptr) << "the controls went with the menu";
  drag->EndDrag();
  EXPECT_FALSE(IsWindow(window)) << "the drag destroys it";
  EXPECT_EQ(drag->LinkParentWindow(), nullptr);
}

// ---- what the menu answers -------------------------------------------------------------------------

TEST_F(BarSubMenuControlTest, BehaviourFlagsAndInternalMenus) {
  TStandInBar* parent = NewBar(dxBarKindToolbar, {Make("A")});
  auto* menu = new TdxBarSubMenuControl(M);
  Menus.push_back(menu);
  EXPECT_EQ(menu->BehaviourFlags(), 0x13u) << "a root's flags with 0x02 and 0x10";
  menu->SetParentBar(parent);
  for (unsigned flags : {0x01u, 0x241u, 0xFFFu}) {
    parent->Flags = flags;
    EXPECT_EQ(menu->BehaviourFlags(), (flags & ~0x240u) | 0x12u) << flags;
  }
  parent->SetChildBar(nullptr);
  menu->SetParentBar(nullptr);

  auto* internal = new TdxBarInternalSubMenuControl(M);
  Menus.push_back(internal);
  ASSERT_NE(internal->ItemLinks(), nullptr);
  EXPECT_TRUE(internal->ItemLinks()->Internal());
  EXPECT_EQ(internal->ItemLinks()->OwnerObject(), internal);
  EXPECT_EQ(internal->ItemLinks()->BarControl(), internal);
  EXPECT_TRUE(internal->IsInternal());
  M->SetCustomizing(true);
  EXPECT_FALSE(internal->InCustomizingMode());
  M->SetCustomizing(false);

  // The customizing popup is filled by the manager and never animates.
  AnimateWindowProc = RecordAnimateWindow;
  gAnimateCalls.clear();
  M->SetMenuAnimations(maFade);
  auto* popup = new TdxBarCustomizingPopup(M);
  Menus.push_back(popup);
  TdxBarItemLinks* asked = nullptr;
  M->OnShowCustomizingPopup = [&](TdxBarManager*, TdxBarItemLinks* ALinks) {
    asked = ALinks;
    ALinks->AddItem(Make("Reset"));
  };
  popup->SetLeft(300);
  popup->SetTop(300);
  popup->PopupMenuWindow();
  EXPECT_EQ(asked, popup->ItemLinks());
  EXPECT_EQ(popup->ItemLinks()->Count(), 1);
  EXPECT_TRUE(gAnimateCalls.empty());
  EXPECT_TRUE(IsWindowVisible(popup->Handle()));
}

TEST_F(BarSubMenuControlTest, WhileLockedTheOutermostChangedMenuIsRecordedAndForgottenWhenFreed) {
  TdxBarSubMenuControl* outer = Open(NewLinks(2), 100, 100);
  TdxBarSubMenuControl* inner = Open(NewLinks(2), 300, 100);
  inner->SetParentBar(outer);
  M->BeginUpdate();
  EXPECT_TRUE(inner->IsUpdateLocked());
  EXPECT_EQ(M->ChangedSubMenuControl(), inner);
  EXPECT_TRUE(outer->IsUpdateLocked());
  EXPECT_EQ(M->ChangedSubMenuControl(), outer) << "the record climbs to the outer menu";
  inner->IsUpdateLocked();
  EXPECT_EQ(M->ChangedSubMenuControl(), outer) << "and stays there";
  std::erase(Menus, outer);
  TObject::Free(outer);
  EXPECT_EQ(M->ChangedSubMenuControl(), nullptr);
  M->EndUpdate();
}

TEST_F(BarSubMenuControlTest, PrintingDrawsTheFrameAndTheItemsAsTheWindowShows) {
  TdxBarSubMenuControl* menu = Open(NewLinks(3, 2), 200, 200);
  Repaint(menu);
  const int w = menu->Width(), h = menu->Height();
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(memory, bitmap);
  SendMessage(menu->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_NONCLIENT);
  HDC window = GetWindowDC(menu->Handle());
  int differing = 0;
  for (int y = 0; y < h; y += 3)
    for (int x = 0; x < w; x += 3) differing += GetPixel(memory, x, y) != GetPixel(window, x, y);
  ReleaseDC(menu->Handle(), window);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EXPECT_EQ(differing, 0);
}

// ---- pictures -------------------------------------------------------------------------------------

TEST_F(BarSubMenuControlTest, PicturesOfMenusInEveryStyle) {
  TdxBarSubMenuControlItemLinks* plain = NewLinks(6, 3);
  TdxBarSubMenuControlItemLinks* tall = NewLinks(60, 4);
  auto shoot = [&](const String& name) {
    TdxBarSubMenuControl* a = Open(plain, 40, 40);
    Repaint(a);
    SaveScreenArea("bars/menu-separators-" + name + ".png", Bounds(a), 2);
    a->ItemLinks()->Items(2)->Control()->SetOutsideRecent(true);
    a->SelectControlByKeyboard(a->ItemLinks()->Items(4)->Control());
    Repaint(a);
    SaveScreenArea("bars/menu-selected-rarely-used-" + name + ".png", Bounds(a), 2);
    a->CloseUp();
    TdxBarSubMenuControl* b = Open(tall, 300, 300);
    MoveTo(ScreenCentre(b, b->ScrollButtonBounds(false)));
    Wait(400);
    MoveTo({900, 700});
    Wait(100);
    Repaint(b);
    ASSERT_TRUE(b->CanScrollUp() && b->CanScrollDown()) << name;
    const TRect r = Bounds(b);
    SaveScreenArea("bars/menu-arrows-" + name + ".png", {r.Left, r.Top, r.Right, r.Top + 200}, 2);
    SaveScreenArea("bars/menu-arrows-bottom-" + name + ".png", {r.Left, r.Bottom - 200, r.Right, r.Bottom}, 2);
    b->CloseUp();
  };
  barpaintertest::ForEachBarStyle(M, shoot);
}
