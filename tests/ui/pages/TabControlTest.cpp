// The tab control on the headless screen: selection and its events, keys, the mouse, styles and
// the stored client rectangle.
#include "ui/pages/TabControl.h"

#include <gtest/gtest.h>

#include "platform/classes/FormDescription.h"
#include "platform/classes/Forms.h"
#include "platform/classes/Streams.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "platform/win/Keys.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/pages/TestPainter.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/Core.h"

namespace {

class TTestTabControl : public TcxCustomTabControl {
 public:
  using TcxCustomTabControl::TcxCustomTabControl;
  bool RequiresVisible = false;
  std::vector<int> Clicks;
  bool RequiresVisibleSelection() override { return RequiresVisible; }
  void TabClicked(int TabVisibleIndex, TShiftState) override { Clicks.push_back(TabVisibleIndex); }
  void Scale(int M, int D) { ChangeScale(M, D); }
  void StartLoading() { IncludeState(csLoading); }
  void FinishLoading() { Loaded(); }
  TTestPainter* TestPainter() { return static_cast<TTestPainter*>(Painter()); }
};

class TabControl : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(800, 600));
    InitializeForms();
    Application->Initialize();
    ControlsUnitStartup();
    TcxPCPaintersFactory::RegisterPainterClass(&TestTabsStyle());
    TcxPCPaintersFactory::RegisterPainterClass(&buttons);
    TcxPCPaintersFactory::RegisterPainterClass(&noRotation);
    buttons.ButtonLike = true;
    buttons.Shapes = false;
    buttons.MultiSelect = true;
    noRotation.Rotates = false;
    form = new TForm(Application, 0);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 400, 300);
    control = new TTestTabControl(form);
    control->SetParent(form);
    control->SetBounds(0, 0, 300, 200);
    control->OnChange = [this](TObject*) { ++changes; };
    control->OnTabChanging = [this](TObject*, bool&) { ++changings; };
    form->Show();
    Pump();
  }
  void TearDown() override {
    delete form;
    TcxPCPaintersFactory::UnregisterPainterClass(&noRotation);
    TcxPCPaintersFactory::UnregisterPainterClass(&buttons);
    TcxPCPaintersFactory::UnregisterPainterClass(&TestTabsStyle());
    ControlsUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  void Pump() {
    win::MSG m;
    for (int guard = 0; guard < 1000 && win::PeekMessage(&m, nullptr, 0, 0, win::PM_NOREMOVE); ++guard)
      Application->ProcessMessages();
  }
  // Tabs of the given widths (captions are their widths).
  void AddTabs(std::initializer_list<int> Widths) {
    for (int w : Widths) control->Tabs()->Add(std::to_string(w));
  }
  void Key(unsigned Vk, std::initializer_list<unsigned> Modifiers = {}) {
    for (unsigned m : Modifiers) platform::Headless()->InjectKey(m, true);
    platform::Headless()->InjectKey(Vk, true);
    platform::Headless()->InjectKey(Vk, false);
    for (unsigned m : Modifiers) platform::Headless()->InjectKey(m, false);
    Pump();
  }
  void MoveTo(int X, int Y) {
    platform::Headless()->InjectMouseMove(X, Y);
    Pump();
  }
  void RunFor(std::uint64_t Ms) {
    std::uint64_t end = clock->NowMs() + Ms;
    Pump();
    while (clock->NowMs() < end) {
      clock->Advance(1);
      Pump();
    }
  }
  void Press(bool Down) {
    platform::Headless()->InjectMouseButton(1, Down);
    Pump();
  }

  platform::ScopedVirtualClock clock;
  TTestStyle buttons{2, "Buttons"};
  TTestStyle noRotation{9, "OneNote"};
  TForm* form = nullptr;
  TTestTabControl* control = nullptr;
  int changes = 0, changings = 0;
};

TEST_F(TabControl, DefaultsAndTheAutomaticStyle) {
  EXPECT_EQ(control->Style(), 0);
  EXPECT_EQ(control->Painter()->PainterClass(), &TestTabsStyle());
  EXPECT_EQ(control->Options(), cxPCDefaultOptions);
  EXPECT_EQ(control->NavigatorPosition(), npRightTop);
  EXPECT_EQ(control->TabSlants()->Kind(), skSlant);
  EXPECT_EQ(control->TabIndex(), -1);
  EXPECT_TRUE(control->Focusable());
  EXPECT_TRUE(control->TabStop());
}

TEST_F(TabControl, FirstTabIsSelectedSilentlyAndSelectionFiresOnce) {
  AddTabs({50, 50, 50});
  EXPECT_EQ(control->TabIndex(), 0);
  EXPECT_EQ(control->SelectedTabVisibleIndex(), 0);
  EXPECT_EQ(changes + changings, 0);
  control->SetTabIndex(2);
  EXPECT_EQ(changings, 1);
  EXPECT_EQ(changes, 1);
  control->SetTabIndex(2);
  control->SetTabIndex(7);
  control->SetTabIndex(-2);
  EXPECT_EQ(changes, 1);
  control->OnTabChanging = [](TObject*, bool& Allow) { Allow = false; };
  control->SetTabIndex(1);
  EXPECT_EQ(control->TabIndex(), 2);
  control->OnTabChanging = nullptr;
  control->SetTabIndex(-1);
  EXPECT_EQ(control->SelectedTabVisibleIndex(), -1);
  EXPECT_EQ(changes, 2);
}

TEST_F(TabControl, HiddenTabsAndVisibleSelection) {
  control->RequiresVisible = true;
  AddTabs({50, 50, 50, 50});
  control->Tabs()->Tab(2)->SetVisible(false);
  control->SetTabIndex(2);
  EXPECT_EQ(control->TabIndex(), -1);

  // The last visible tab selected and scrolled out of view: hiding it selects the one before.
  control->SetBounds(0, 0, 120, 200);
  control->SetTabIndex(3);
  control->Layout()->SetFirstVisibleTab(0);
  control->Relayout();
  ASSERT_FALSE(control->Tabs()->Tab(3)->IsOnScreen());
  control->Tabs()->Tab(3)->SetVisible(false);
  EXPECT_EQ(control->TabIndex(), 1);
}

TEST_F(TabControl, LoadingAppliesTheStoredIndexSilently) {
  auto* other = new TTestTabControl(form);
  other->OnChange = [this](TObject*) { ++changes; };
  other->StartLoading();
  other->Tabs()->Add("50");
  other->Tabs()->Add("50");
  other->SetTabIndex(1);
  EXPECT_EQ(other->TabIndex(), -1);
  other->FinishLoading();
  EXPECT_EQ(other->TabIndex(), 1);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(other->ChangeEventLock(), 0);
  other->UnlockChangeEvents();
  EXPECT_EQ(other->ChangeEventLock(), 0);
}

TEST_F(TabControl, OptionsRelayoutRepaintOrNothing) {
  AddTabs({50, 50, 50, 50, 50, 50, 50});
  EXPECT_TRUE(control->Layout()->NavigatorButtons().Contains(nbBottomRight));
  control->SetOptions(control->Options() + TcxPCOptions{pcoNoArrows});
  EXPECT_FALSE(control->Layout()->NavigatorButtons().Contains(nbBottomRight));
  control->SetOptions(control->Options() - TcxPCOptions{pcoNoArrows, pcoRedrawOnResize} + TcxPCOptions{pcoSort});
  EXPECT_TRUE(control->Layout()->NavigatorButtons().Contains(nbBottomRight));
}

TEST_F(TabControl, KeysMoveTheSelection) {
  AddTabs({50, 50, 50, 50});
  control->SetFocus();
  Pump();
  struct TStep {
    const char* Name;
    unsigned Vk;
    std::initializer_list<unsigned> Modifiers;
    int Expected;
  };
  const TStep steps[] = {
      {"left at the start does not wrap", win::VK_LEFT, {}, 0},
      {"right", win::VK_RIGHT, {}, 1},
      {"end", win::VK_END, {}, 3},
      {"right at the end does not wrap", win::VK_RIGHT, {}, 3},
      {"ctrl+tab wraps", win::VK_TAB, {win::VK_CONTROL}, 0},
      {"ctrl+shift+tab wraps back", win::VK_TAB, {win::VK_CONTROL, win::VK_SHIFT}, 3},
      {"home", win::VK_HOME, {}, 0},
      {"alt+right is not the control's", win::VK_RIGHT, {win::VK_MENU}, 0},
  };
  for (const TStep& step : steps) {
    Key(step.Vk, step.Modifiers);
    EXPECT_EQ(control->TabIndex(), step.Expected) << step.Name;
  }
  win::WORD key = win::VK_RIGHT;
  EXPECT_FALSE(control->HandleNavigationKey(key, TShiftState{ssAlt}));
  // Disabled tabs are skipped; with every tab disabled nothing moves.
  control->Tabs()->Tab(1)->SetEnabled(false);
  Key(win::VK_RIGHT);
  EXPECT_EQ(control->TabIndex(), 2);
  for (int i = 0; i < 4; ++i) control->Tabs()->Tab(i)->SetEnabled(false);
  key = win::VK_LEFT;
  EXPECT_TRUE(control->HandleNavigationKey(key, {}));
  EXPECT_EQ(control->TabIndex(), 2);
}

TEST_F(TabControl, KeysOnTheLeftRunUpTheRow) {
  AddTabs({50, 50, 50, 50});
  control->SetTabPosition(tpLeft);
  win::WORD key = win::VK_UP;
  control->HandleNavigationKey(key, {});
  EXPECT_EQ(control->TabIndex(), 1);
  key = win::VK_HOME;
  control->HandleNavigationKey(key, {});
  EXPECT_EQ(control->TabIndex(), 3);
  key = win::VK_END;
  control->HandleNavigationKey(key, {});
  EXPECT_EQ(control->TabIndex(), 0);
}

TEST_F(TabControl, ButtonStylesMoveTheFocusedTabAndEnterSelects) {
  control->SetStyle(2);
  AddTabs({50, 50, 50});
  win::WORD key = win::VK_RIGHT;
  control->HandleNavigationKey(key, {});
  EXPECT_EQ(control->TabIndex(), 0);
  EXPECT_EQ(control->FocusedTabVisibleIndex(), 1);
  key = win::VK_RETURN;
  EXPECT_TRUE(control->HandleNavigationKey(key, {}));
  EXPECT_EQ(control->TabIndex(), 1);
  EXPECT_EQ(control->FocusedTabVisibleIndex(), -1);
}

TEST_F(TabControl, HotTrackingFollowsThePointer) {
  AddTabs({50, 50, 50});
  MoveTo(60, 10);
  EXPECT_EQ(control->HotTabVisibleIndex(), -1);
  control->SetHotTrack(true);
  EXPECT_EQ(control->HotTabVisibleIndex(), 1);
  MoveTo(110, 10);
  EXPECT_EQ(control->HotTabVisibleIndex(), 2);
  control->Tabs()->Tab(0)->SetEnabled(false);
  MoveTo(10, 10);
  EXPECT_EQ(control->HotTabVisibleIndex(), -1);
  MoveTo(10, 100);
  control->SetHotTrack(false);
  control->TestPainter()->ForcesHotTrack = true;
  MoveTo(60, 10);
  EXPECT_EQ(control->HotTabVisibleIndex(), 1);
}

TEST_F(TabControl, MouseSelectsAndButtonStylesSelectOnRelease) {
  AddTabs({50, 50, 50});
  MoveTo(60, 10);
  Press(true);
  EXPECT_EQ(control->TabIndex(), 1);
  Press(false);
  EXPECT_EQ(control->Clicks, std::vector<int>{1});

  control->SetStyle(2);
  MoveTo(110, 10);
  Press(true);
  EXPECT_EQ(control->PressedTabVisibleIndex(), 2);
  EXPECT_EQ(control->TabIndex(), 1);
  MoveTo(160, 10);  // off the tab: no longer pressed, and the release selects nothing
  EXPECT_EQ(control->PressedTabVisibleIndex(), -1);
  Press(false);
  EXPECT_EQ(control->TabIndex(), 1);
  MoveTo(110, 10);
  Press(true);
  Press(false);
  EXPECT_EQ(control->TabIndex(), 2);

  // Ctrl-click marks tabs once a second one is marked.
  control->Tabs()->Tab(0)->SetSelected(true);
  control->Tabs()->Tab(1)->SetSelected(true);
  EXPECT_TRUE(control->MultiSelectMode());
  platform::Headless()->InjectKey(win::VK_CONTROL, true);
  MoveTo(10, 10);
  Press(true);
  Press(false);
  platform::Headless()->InjectKey(win::VK_CONTROL, false);
  Pump();
  EXPECT_FALSE(control->Tabs()->Tab(0)->Selected());
  EXPECT_EQ(control->TabIndex(), 2);
}

TEST_F(TabControl, WheelScrollsOneTabPerNotch) {
  AddTabs({50, 50, 50, 50, 50, 50, 50, 50});
  ASSERT_EQ(control->Layout()->FirstVisibleTab(), 0);
  MoveTo(60, 10);
  platform::Headless()->InjectWheel(-win::WHEEL_DELTA);
  Pump();
  EXPECT_EQ(control->Layout()->FirstVisibleTab(), 1);
  platform::Headless()->InjectWheel(win::WHEEL_DELTA);
  Pump();
  EXPECT_EQ(control->Layout()->FirstVisibleTab(), 0);
}

TEST_F(TabControl, AHeldScrollArrowRepeatsUntilTheEnd) {
  AddTabs({50, 50, 50, 50, 50, 50, 50, 50});  // 260 of row for 400 of tabs: 3 tabs to scroll
  ASSERT_TRUE(control->Layout()->NavigatorButtons().Contains(nbBottomRight));
  MoveTo(290, 10);  // the forward arrow, after the backward one at 260
  Press(true);
  EXPECT_EQ(control->Layout()->FirstVisibleTab(), 1);
  RunFor(299);
  EXPECT_EQ(control->Layout()->FirstVisibleTab(), 1);
  RunFor(1);
  EXPECT_EQ(control->Layout()->FirstVisibleTab(), 2);
  RunFor(150);
  EXPECT_EQ(control->Layout()->FirstVisibleTab(), 3);
  EXPECT_EQ(control->NavigatorButtonState(nbBottomRight), nbsDisabled);
  RunFor(600);
  EXPECT_EQ(control->Layout()->FirstVisibleTab(), 3);
  Press(false);
  // Moving off a pressed arrow releases it and stops the repeat.
  MoveTo(270, 10);
  Press(true);
  EXPECT_EQ(control->Layout()->FirstVisibleTab(), 2);
  MoveTo(100, 100);
  EXPECT_EQ(control->NavigatorButtonState(nbTopLeft), nbsNormal);
  RunFor(600);
  EXPECT_EQ(control->Layout()->FirstVisibleTab(), 2);
  Press(false);
}

TEST_F(TabControl, ALookAndFeelChangeChoosesTheStyleAgain) {
  buttons.Default = true;
  control->LookAndFeel()->SetKind(lfStandard);
  EXPECT_EQ(control->Painter()->PainterClass(), &buttons);
  EXPECT_EQ(control->Style(), 0);
  // A style set by ID stays.
  control->SetStyle(1);
  control->LookAndFeel()->SetKind(lfFlat);
  EXPECT_EQ(control->Painter()->PainterClass(), &TestTabsStyle());
  EXPECT_EQ(control->Style(), 1);
}

TEST_F(TabControl, ImagesTurnWithTheText) {
  TCustomImageList list(nullptr, 16, 12);
  TBitmap picture;
  picture.SetSize(16, 12);
  list.Add(&picture, nullptr);
  control->SetImages(&list);
  AddTabs({50, 50});
  EXPECT_EQ(control->TabImageIndex(0), 0);
  EXPECT_EQ(control->TabImageIndex(1), -1);  // one image only
  EXPECT_EQ(control->TabImages()->ImageRotationAngle(), rcNone);
  control->SetTabPosition(tpLeft);
  EXPECT_EQ(control->TabImages()->ImageRotationAngle(), rcTurnLeft);
  EXPECT_EQ(control->TabImages()->RotatedImageSize(), TSize(12, 16));
  control->SetOptions(control->Options() + TcxPCOptions{pcoTopToBottomText});
  EXPECT_EQ(control->TabImages()->ImageRotationAngle(), rcTurnRight);
  control->OnGetImageIndex = [](TObject*, int, int& ImageIndex) { ImageIndex = -7; };
  EXPECT_EQ(control->TabImageIndex(0), -1);
  control->SetImages(nullptr);
}

TEST_F(TabControl, StylesAndRotation) {
  control->SetStyle(77);
  EXPECT_EQ(control->Style(), 0);
  control->SetRotate(true);
  control->SetStyle(9);
  EXPECT_EQ(control->Style(), 9);
  EXPECT_FALSE(control->Rotate());
  try {
    control->SetRotate(true);
    FAIL() << "no error";
  } catch (const EdxException& e) {
    EXPECT_STREQ(e.what(), "OneNote style does not support rotation of tabs");
  }
  EXPECT_FALSE(control->Rotate());
  control->SetStyle(0);
  EXPECT_EQ(control->Style(), 0);
  EXPECT_EQ(control->Painter()->PainterClass(), &TestTabsStyle());
}

TEST_F(TabControl, ClientRectangleIsStoredReadAndScaled) {
  AddTabs({50, 50});
  TMemoryStream stream;
  stream.WriteComponent(control);
  stream.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(&stream, &text);
  String description(static_cast<const char*>(text.Memory()), static_cast<std::size_t>(text.Size()));
  EXPECT_EQ(description.find("ClientRectLeft"), String::npos);  // 0 is not written
  EXPECT_NE(description.find("ClientRectTop = 20"), String::npos);
  EXPECT_NE(description.find("ClientRectRight = 300"), String::npos);
  EXPECT_NE(description.find("ClientRectBottom = 200"), String::npos);

  auto* copy = new TTestTabControl(form);
  stream.SetPosition(0);
  stream.ReadComponent(copy);
  EXPECT_TRUE(copy->StoredClientRectValid());
  EXPECT_EQ(copy->StoredClientRect(), TRect(0, 20, 300, 200));
  copy->Scale(3, 2);
  EXPECT_EQ(copy->StoredClientRect(), TRect(0, 30, 450, 300));
}

TEST_F(TabControl, FocusComesOnlyWithAClickOnTheSelectedTab) {
  AddTabs({50, 50});
  MoveTo(60, 10);
  EXPECT_FALSE(control->CanFocusOnClick());
  MoveTo(10, 10);
  EXPECT_TRUE(control->CanFocusOnClick());
  MoveTo(10, 100);
  EXPECT_FALSE(control->CanFocusOnClick());
  control->SetFocusable(false);
  EXPECT_FALSE(control->CanFocus());
}

TEST_F(TabControl, PaintsThroughItsPainter) {
  AddTabs({80, 80, 80});
  control->Tabs()->Tab(1)->SetCaption("80 &Second");
  control->Tabs()->Tab(2)->SetCaption("80 Disabled");
  control->Tabs()->Tab(2)->SetEnabled(false);
  control->Invalidate();
  Pump();
  platform::Headless()->SaveScreenshot(testsupport::ArtifactPath("pages/tab-control.png"));
  win::HDC dc = win::GetDC(control->Handle());
  // The page below the row in the page colour, the tab frames in the shadow colour.
  EXPECT_EQ(win::GetPixel(dc, 150, 100), ColorToRGB(clBtnFace));
  EXPECT_EQ(win::GetPixel(dc, 0, 10), ColorToRGB(clBtnShadow));
  win::ReleaseDC(control->Handle(), dc);
}

TEST_F(TabControl, AHandlerMayFreeTheControlOnRelease) {
  control->SetStyle(2);
  AddTabs({50, 50});
  // The handler is freed with the control: nothing of it may be touched after the delete.
  control->OnChange = [this](TObject*) {
    TTestTabControl* doomed = control;
    control = nullptr;
    delete doomed;
  };
  MoveTo(60, 10);
  Press(true);
  Press(false);
  EXPECT_EQ(control, nullptr);
}

}  // namespace
