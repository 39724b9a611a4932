// A toolbar's quick-customization popup on the headless backend: its add-or-remove list switches
// the toolbar's buttons and stays open, another bar's selection closes it on the hiding timer, its
// frame holds still, a right click shows nothing; pictures with the check cells in every style.
#include <gtest/gtest.h>

#include "platform/system/Clock.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "tests/ui/bars/BarToolbarFixture.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarQuickControl.h"
#include "ui/bars/Bars.h"

using namespace win;

namespace {

class BarQuickControlTest : public BarToolbarFixture {
 protected:
  BarQuickControlTest() : BarToolbarFixture(bmsEnhanced) {}
  void SetUp() override {
    BarToolbarFixture::SetUp();
    Tools = AddToolbar<TdxBar>("Tools", dsTop, 4, 200, 22);
    Other = AddToolbar<TdxBar>("Other", dsBottom, 2, 200, 22);
  }
  static platform::HeadlessControl& Headless() { return *platform::Headless(); }
  static TPoint Centre(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }
  static TdxBarQuickControl* Popup() {
    return dynamic_cast<TdxBarQuickControl*>(BarDesignController()->QuickCustomizationPopup());
  }
  static void ClickAt(TCustomdxBarControl* ABar, TdxBarItemControl* AControl) {
    POINT p = ToPoint(Centre(ABar->ControlRect(AControl)));
    ClientToScreen(ABar->Handle(), &p);
    Headless().InjectMouseMove(p.x, p.y);
    Pump();
    Headless().InjectMouseButton(1, true);
    Pump();
    Headless().InjectMouseButton(1, false);
    Pump();
  }
  static POINT ToPoint(const TPoint& P) { return {P.X, P.Y}; }
  // Opens the popup from the toolbar's mark and its add-or-remove list; answers the list's menu.
  TdxBarQuickAccessSubControl* OpenList() {
    Tools->Control()->SetMarkState(2);
    Pump();
    TdxBarQuickControl* popup = Popup();
    if (!popup) return nullptr;
    TdxBarItemLinks* links = popup->ItemLinks();
    TdxBarItemLink* command = links->Items(links->Count() - 1);
    if (!command->Control()) return nullptr;
    ClickAt(popup, command->Control());
    auto* item = dynamic_cast<TdxBarQuickAccessItem*>(command->Item());
    return item ? dynamic_cast<TdxBarQuickAccessSubControl*>(item->ItemLinks()->BarControl()) : nullptr;
  }

  TdxBar* Tools = nullptr;
  TdxBar* Other = nullptr;
  platform::ScopedVirtualClock Clock;
};

TEST_F(BarQuickControlTest, TheListSwitchesTheToolbarsButtonsAndStaysOpen) {
  TdxBarQuickAccessSubControl* menu = OpenList();
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(IsWindowVisible(menu->Handle()));
  EXPECT_TRUE(menu->HasQuickAccessExtra());
  TdxBarItemLinks* entries = menu->ItemLinks();
  // B0 to B3, then the customize command.
  ASSERT_EQ(entries->Count(), 5);
  EXPECT_EQ(entries->Items(4)->Item()->Caption(), "&Customize...");
  EXPECT_TRUE(entries->Items(4)->BeginGroup());

  TdxBarItemLinks* buttons = Tools->ItemLinks();
  const TRect b2Before = buttons->Items(2)->ItemRect();
  auto* entry1 = dynamic_cast<TdxBarQuickCustItemControl*>(entries->Items(1)->Control());
  auto* entry2 = dynamic_cast<TdxBarQuickCustItemControl*>(entries->Items(2)->Control());
  ASSERT_NE(entry1, nullptr);
  ASSERT_NE(entry2, nullptr);
  EXPECT_EQ(entry1->CaptionText(), "B1");
  EXPECT_TRUE(entry1->IsLinkShown());

  ClickAt(menu, entry1);
  EXPECT_FALSE(buttons->Items(1)->Visible());
  EXPECT_FALSE(entry1->IsLinkShown());
  EXPECT_LT(buttons->Items(2)->ItemRect().Left, b2Before.Left) << "the toolbar lays out without B1";
  ClickAt(menu, entry2);
  EXPECT_FALSE(buttons->Items(2)->Visible());
  ASSERT_NE(Popup(), nullptr) << "the popup stays open for more";
  EXPECT_TRUE(IsWindowVisible(menu->Handle()));

  ClickAt(menu, entry1);
  ClickAt(menu, entry2);
  EXPECT_TRUE(buttons->Items(1)->Visible());
  EXPECT_TRUE(buttons->Items(2)->Visible());
  EXPECT_EQ(buttons->Items(2)->ItemRect(), b2Before);
}

TEST_F(BarQuickControlTest, AnotherBarsSelectionClosesTheInactivePopupOnTheHidingTick) {
  TdxBarControl* tools = Tools->Control();
  TdxBarControl* other = Other->Control();
  TdxBarItemControl* elsewhere = Other->ItemLinks()->Items(0)->Control();
  ASSERT_NE(elsewhere, nullptr);

  tools->SetMarkState(2);
  TdxBarQuickControl* popup = Popup();
  ASSERT_NE(popup, nullptr);
  ASSERT_FALSE(popup->Active());
  other->SetSelectedControl(elsewhere);
  Clock->Advance(199);
  Pump();
  EXPECT_EQ(Popup(), popup);
  Clock->Advance(1);
  Pump();
  EXPECT_EQ(Popup(), nullptr);
  EXPECT_EQ(tools->MarkState(), 0);
  EXPECT_EQ(tools->OpenQuickControl(), nullptr);

  // The selection comes back into the popup before the tick: it stays.
  tools->SetMarkState(2);
  popup = Popup();
  ASSERT_NE(popup, nullptr);
  other->SetSelectedControl(elsewhere);
  popup->SetSelectedControl(popup->ItemLinks()->Items(0)->Control());
  Clock->Advance(200);
  Pump();
  EXPECT_EQ(Popup(), popup);
  tools->SetMarkState(0);
  EXPECT_EQ(Popup(), nullptr);
}

TEST_F(BarQuickControlTest, TheFrameHoldsStillAndARightClickShowsNothing) {
  Tools->Control()->SetMarkState(2);
  TdxBarQuickControl* popup = Popup();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->BarKind(), dxBarKindQuickCustomization);
  RECT w;
  GetWindowRect(popup->Handle(), &w);
  EXPECT_EQ(SendMessage(popup->Handle(), WM_NCHITTEST, 0, MAKELPARAM(w.left, w.top)), HTBORDER);
  EXPECT_EQ(SendMessage(popup->Handle(), WM_NCHITTEST, 0, MAKELPARAM(w.right - 1, w.bottom - 1)), HTBORDER);
  const TPoint inside = Centre(popup->ControlRect(popup->ItemLinks()->Items(0)->Control()));
  POINT s = ToPoint(inside);
  ClientToScreen(popup->Handle(), &s);
  EXPECT_EQ(SendMessage(popup->Handle(), WM_NCHITTEST, 0, MAKELPARAM(s.x, s.y)), HTCLIENT);

  SendMessage(popup->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(inside.X, inside.Y));
  SendMessage(popup->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(inside.X, inside.Y));
  Pump();
  EXPECT_FALSE(BarDesignController()->HasCustomizingPopup());
  EXPECT_EQ(Popup(), popup);
}

TEST_F(BarQuickControlTest, PicturesOfThePopupAndItsListInEveryStyle) {
  Tools->ItemLinks()->Items(1)->SetVisible(false);
  barpaintertest::ForEachBarStyle(M, [&](const String& AStyle) {
    Pump();
    TdxBarQuickAccessSubControl* menu = OpenList();
    ASSERT_NE(menu, nullptr) << AStyle;
    Pump();
    RECT p, m;
    GetWindowRect(Popup()->Handle(), &p);
    GetWindowRect(menu->Handle(), &m);
    SaveScreenArea("bars/quick-customization-" + AStyle + ".png",
                   TRect(std::min(p.left, m.left) - 4, std::min(p.top, m.top) - 4, std::max(p.right, m.right) + 4,
                         std::max(p.bottom, m.bottom) + 4),
                   2);
    Tools->Control()->SetMarkState(0);
    Pump();
    EXPECT_EQ(Popup(), nullptr) << AStyle;
  });
}

}  // namespace
