// The tear-off caption of a detachable sub-item's menu on the headless screen, with time on the
// virtual clock: its band, hit test and hover, and the drag that floats the sub-item's detaching
// toolbar and puts the menu back; pictures of the caption in every style.
#include <gtest/gtest.h>

#include "platform/system/Clock.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarDragScript.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "tests/ui/bars/BarToolbarFixture.h"
#include "ui/bars/BarButtonControls.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarHintTiming.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarSubItem.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/foundation/Canvas.h"

using namespace win;

namespace {

platform::HeadlessControl& Input() { return *platform::Headless(); }

TRect ScreenRect(TWinControl* W) {
  RECT r;
  GetWindowRect(W->Handle(), &r);
  return {r.left, r.top, r.right, r.bottom};
}

TPoint Centre(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }

}  // namespace

// A main toolbar docked at the top with the sub-item "Tools" (three commands), whose detaching
// toolbar "Wall tools" is hidden until it is torn off.
class BarMenuTearOffTest : public BarToolbarFixture {
 protected:
  void SetUp() override {
    BarToolbarFixture::SetUp();
    Form->SetBounds(100, 100, 600, 400);
    Pump();
    Tools = new TdxBarSubItem(Form);
    Tools->SetCaption("Tools");
    for (const char* caption : {"Select all", "Splice", "Recall scene"}) {
      auto* button = new TdxBarButton(Form);
      button->SetCaption(caption);
      Tools->ItemLinks()->AddItem(button);
    }
    Tools->SetDetachable(true);
    Main = AddToolbar<TdxBar>("Main", dsTop, 0, 60, 20);
    Main->ItemLinks()->AddItem(Tools);
    Floating = AddToolbar<TdxBar>("Wall tools", dsNone, 3, 90, 24);
    Floating->SetVisible(false);
    Tools->SetDetachingBar(Floating->IndexInCollection());
    Tools->OnDetaching = [this](TObject*) { ++Detachings; };
    Pump();
  }
  void TearDown() override {
    if (TCustomdxBarControl* active = ActiveBarWindow) active->CloseUp();
    Pump();
    BarToolbarFixture::TearDown();
  }
  TdxBarItemControl* ToolsControl() const { return Main->ItemLinks()->Items(0)->Control(); }
  TdxBarSubMenuControl* Menu() const {
    auto* menu = dynamic_cast<TdxBarSubMenuControl*>(Tools->ItemLinks()->BarControl());
    return menu && menu->HandleAllocated() && IsWindowVisible(menu->Handle()) ? menu : nullptr;
  }
  // Opens the menu with a click on the sub-item.
  TdxBarSubMenuControl* OpenMenu() {
    const TPoint p = Centre(Main->Control()->ControlScreenRect(ToolsControl()));
    Input().InjectMouseMove(p.X, p.Y);
    Pump();
    Input().InjectMouseButton(1, true);
    Pump();
    Input().InjectMouseButton(1, false);
    Pump();
    return Menu();
  }
  // The caption band on the screen.
  static TRect CaptionOnScreen(TdxBarSubMenuControl* AMenu) {
    const TRect w = ScreenRect(AMenu);
    const TRect c = AMenu->DetachCaptionRect();
    return {w.Left + c.Left, w.Top + c.Top, w.Left + c.Right, w.Top + c.Bottom};
  }
  static void MoveTo(TPoint P) {
    Input().InjectMouseMove(P.X, P.Y);
    Pump();
  }
  static std::function<void()> MoveStep(TPoint P) {
    return [P] { Input().InjectMouseMove(P.X, P.Y); };
  }
  // Presses on the caption, runs the script while the tear-off's loop waits, and handles what
  // is left; true when a WM_QUIT came out.
  bool DragCaption(TDragScript& AScript) {
    TdxBarSubMenuControl* menu = Menu();
    EXPECT_NE(menu, nullptr);
    if (!menu) return false;
    MoveTo(Centre(CaptionOnScreen(menu)));
    EXPECT_TRUE(menu->DetachCaptionSelected());
    Input().InjectMouseButton(1, true);
    const bool quit = AScript.Run();
    EXPECT_EQ(GetCapture(), nullptr) << "the capture goes with the loop";
    return quit;
  }
  bool FloatingShown() const {
    return Floating->Visible() && Floating->Control() && IsWindowVisible(Floating->Control()->Handle());
  }

  platform::ScopedVirtualClock Clock;
  TdxBarSubItem* Tools = nullptr;
  TdxBar* Main = nullptr;
  TdxBar* Floating = nullptr;
  int Detachings = 0;
};

TEST_F(BarMenuTearOffTest, TheCaptionIsAnOddBandAboveTheItemsThatAnswersAsClientArea) {
  TdxBarSubMenuControl* menu = OpenMenu();
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->IsDetachable());
  const int half = menu->DrawCanvas()->MeasureTextHeight("Qq") / 2;
  EXPECT_EQ(menu->DetachCaptionSize(), half | 1) << "half the text height, made odd";
  TdxBarPainter* painter = menu->BarPainter();
  EXPECT_EQ(menu->FrameInsets(true).Top, painter->MenuOuterBorder() + painter->DetachCaptionHeight(half | 1));
  EXPECT_EQ(menu->FrameInsets(false).Top, painter->MenuOuterBorder()) << "the mouse area keeps the caption";
  const TRect band = CaptionOnScreen(menu);
  EXPECT_EQ(band.Bottom - band.Top, half | 1);
  EXPECT_EQ(SendMessage(menu->Handle(), WM_NCHITTEST, 0, MAKELPARAM(band.Left + 2, band.Top)), HTCLIENT);
  EXPECT_NE(SendMessage(menu->Handle(), WM_NCHITTEST, 0, MAKELPARAM(band.Left + 2, band.Top - 1)), HTCLIENT)
      << "the frame above it stays frame";
  menu->CloseUp();
  Pump();

  Tools->SetDetachable(false);
  menu = OpenMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(menu->IsDetachable());
  EXPECT_EQ(menu->FrameInsets(true).Top, painter->MenuOuterBorder());
  EXPECT_EQ(menu->DetachCaptionRect(), TRect{});
}

TEST_F(BarMenuTearOffTest, HoveringTheCaptionSelectsItWithTheMoveCursorAndItsHint) {
  M->SetShowHint(true);
  TdxBarSubMenuControl* menu = OpenMenu();
  ASSERT_NE(menu, nullptr);
  const TRect band = CaptionOnScreen(menu);
  MoveTo(Centre(band));
  EXPECT_TRUE(menu->DetachCaptionSelected());
  EXPECT_TRUE(menu->DetachCaptionHot()) << "the painter draws it hot";
  EXPECT_EQ(menu->Cursor(), crSizeAll);
  EXPECT_EQ(BarHintText(), "Drag to make this menu float");
  // Into the first command.
  MoveTo({Centre(band).X, band.Bottom + 12});
  EXPECT_FALSE(menu->DetachCaptionSelected());
  EXPECT_EQ(menu->Cursor(), crDefault);
  MoveTo(Centre(band));
  ASSERT_TRUE(menu->DetachCaptionSelected());
  MoveTo({20, 380});
  // The leave is seen by the manager's watch of the pointer.
  Clock->Advance(200);
  Pump();
  EXPECT_FALSE(menu->DetachCaptionSelected()) << "leaving the menu deselects it";
}

TEST_F(BarMenuTearOffTest, DraggingPastTheZoneFloatsTheToolbarUnderThePointerAndReleasingKeepsIt) {
  TdxBarSubMenuControl* menu = OpenMenu();
  ASSERT_NE(menu, nullptr);
  const TRect band = CaptionOnScreen(menu);
  const TPoint start = Centre(band);
  const TPoint inside{start.X, band.Top - 15}, outside{start.X, band.Top - 16}, further{start.X + 60, band.Top - 90};
  TdxBarPainter* painter = Floating->Painter();
  TDragScript script;
  script.At(10, MoveStep(inside));
  script.At(15, [&] {
    EXPECT_NE(Menu(), nullptr) << "15 pixels off: still in the zone";
    EXPECT_FALSE(FloatingShown());
    EXPECT_EQ(Detachings, 1) << "OnDetaching fired at the press";
  });
  script.At(20, MoveStep(outside));
  script.At(25, [&] {
    EXPECT_EQ(Menu(), nullptr) << "16 pixels off: the menu closed";
    ASSERT_TRUE(FloatingShown());
    EXPECT_EQ(Floating->DockingStyle(), dsNone);
    EXPECT_EQ(ScreenRect(Floating->Control()).Left, outside.X - 100);
    EXPECT_EQ(Floating->FloatTop(), outside.Y - painter->SmallCaptionHeight() / 2);
  });
  script.At(30, MoveStep(further));
  script.At(35, [&] {
    const TRect r = ScreenRect(Floating->Control());
    const TRect caption = Floating->Control()->CaptionBand(true);
    EXPECT_EQ(r.Left, further.X - (r.Right - r.Left) / 2) << "centred under the pointer";
    EXPECT_EQ(r.Top, further.Y - (caption.Top + caption.Bottom) / 2) << "by its caption";
    EXPECT_NE(GetActiveWindow(), Floating->Control()->Handle()) << "not activated";
  });
  script.At(40, [] { Input().InjectMouseButton(1, false); });
  DragCaption(script);
  EXPECT_TRUE(FloatingShown()) << "dropped: it stays floating";
  EXPECT_EQ(Menu(), nullptr);
  EXPECT_EQ(ActiveBarWindow, nullptr) << "the chain closed";
  EXPECT_FALSE(BarDesignController()->IsDragging());
}

// Each way back puts the menu back and hides the toolbar again.
TEST_F(BarMenuTearOffTest, ComingBackIntoTheZoneOrEscapeReopensTheMenu) {
  struct TCase {
    const char* Name;
    bool Back;  // else Escape
  };
  for (const TCase& c : {TCase{"back into the zone", true}, TCase{"Escape", false}}) {
    SCOPED_TRACE(c.Name);
    TdxBarSubMenuControl* menu = Menu() ? Menu() : OpenMenu();
    ASSERT_NE(menu, nullptr);
    const TRect band = CaptionOnScreen(menu);
    TDragScript script;
    script.At(10, MoveStep({band.Left + 5, band.Top - 40}));
    script.At(15, [&] { EXPECT_TRUE(FloatingShown()); });
    if (c.Back)
      script.At(20, MoveStep({band.Left + 5, band.Bottom}));
    else
      script.At(20, [] { Input().InjectKey(VK_ESCAPE, true); });
    DragCaption(script);
    if (!c.Back) Input().InjectKey(VK_ESCAPE, false);
    Input().InjectMouseButton(1, false);
    Pump();
    EXPECT_FALSE(FloatingShown());
    EXPECT_NE(Menu(), nullptr) << "the menu is open again";
    EXPECT_EQ(ActiveBarWindow, Menu());
  }
}

TEST_F(BarMenuTearOffTest, NoDragWithoutADetachingToolbarOrFromTheToolbarItself) {
  for (int index : {-1, 0}) {
    Tools->SetDetachingBar(index == 0 ? Main->IndexInCollection() : -1);
    TdxBarSubMenuControl* menu = Menu() ? Menu() : OpenMenu();
    ASSERT_NE(menu, nullptr);
    MoveTo(Centre(CaptionOnScreen(menu)));
    ASSERT_TRUE(menu->DetachCaptionSelected());
    Input().InjectMouseButton(1, true);
    Pump();
    EXPECT_EQ(GetCapture(), nullptr) << "no loop for " << index;
    EXPECT_EQ(Detachings, 0);
    Input().InjectMouseButton(1, false);
    Pump();
  }
}

TEST_F(BarMenuTearOffTest, AQuitPostedDuringTheTearOffEndsItAndReachesTheOuterLoop) {
  ASSERT_NE(OpenMenu(), nullptr);
  TDragScript script;
  script.At(10, [] { PostQuitMessage(3); });
  EXPECT_TRUE(DragCaption(script));
  EXPECT_FALSE(FloatingShown());
  Input().InjectMouseButton(1, false);
  Pump();
}

TEST_F(BarMenuTearOffTest, PicturesOfTheCaptionInEveryStyle) {
  auto shoot = [&](const String& name) {
    TdxBarSubMenuControl* menu = OpenMenu();
    ASSERT_NE(menu, nullptr) << name;
    const TRect r = ScreenRect(menu);
    SaveScreenArea("bars/menu-tearoff-" + name + ".png", {r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2}, 3);
    MoveTo(Centre(CaptionOnScreen(menu)));
    SaveScreenArea("bars/menu-tearoff-hot-" + name + ".png", {r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2}, 3);
    menu->CloseUp();
    MoveTo({20, 700});
  };
  barpaintertest::ForEachBarStyle(M, shoot);
}
