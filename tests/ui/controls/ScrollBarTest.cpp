// The painter-drawn scroll bar as a control: its values, the repeat while a part is held, thumb
// tracking with its snap-back, the order of its events, and how it looks in each painter.
#include "ui/controls/ScrollBar.h"

#include <map>
#include <string>
#include <vector>

#include "platform/classes/Consts.h"
#include "platform/classes/SysUtils.h"
#include "platform/display/Display.h"
#include "platform/win/Metrics.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/controls/ControlsFixture.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

class ScrollBarTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    for (int m : {SM_CXVSCROLL, SM_CYHSCROLL, SM_CXHTHUMB, SM_CYVTHUMB}) {
      saved_[m] = GetSystemMetrics(m);
      SetSystemMetricOverride(m, 16);
    }
    // The client area starts at (100, 100); the bar at (110, 110), 200 x 16.
    form = NewForm(100, 100, 400, 300);
    bar = new TcxScrollBar(form);
    bar->SetParent(form);
    bar->SetBounds(10, 10, 200, 16);
    bar->OnScroll = [this](TObject*, TScrollCode code, int& pos) { scrolls.push_back({code, pos}); };
    bar->OnChange = [this](TObject*) { ++changes; };
    Pump();
  }
  void TearDown() override {
    delete form;
    for (auto [m, v] : saved_) SetSystemMetricOverride(m, v);
    ControlsTest::TearDown();
  }
  // A point of the bar in screen coordinates.
  void MoveTo(int x, int y) { MoveMouse(110 + x, 110 + y); }
  void Press() {
    Headless().InjectMouseButton(1, true);
    Pump();
  }
  void Release() {
    Headless().InjectMouseButton(1, false);
    Pump();
  }
  int Count(TScrollCode code) const {
    int n = 0;
    for (auto& s : scrolls) n += s.first == code;
    return n;
  }

  TForm* form = nullptr;
  TcxScrollBar* bar = nullptr;
  std::vector<std::pair<TScrollCode, int>> scrolls;
  int changes = 0;

 private:
  std::map<int, int> saved_;
};

TEST_F(ScrollBarTest, Values) {
  // Out of range: the error, and the bar keeps what it had.
  bar->ApplyScrollParams(0, 50, 20, 5);
  try {
    bar->ApplyScrollParams(0, 10, 0, 11);
    FAIL() << "no error";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), SScrollBarRange);
  }
  EXPECT_EQ(bar->Max(), 50);
  EXPECT_EQ(bar->PageSize(), 5);
  EXPECT_EQ(bar->Position(), 20);
  EXPECT_THROW(bar->SetMin(51), EInvalidOperation);
  bar->ApplyScrollParams(0, 10, 0, 10);
  EXPECT_EQ(bar->PageSize(), 10);
  // The whole integer line: differences in 64 bits.
  bar->ApplyScrollParams(INT_MIN, INT_MAX, 0, 1000);
  EXPECT_EQ(bar->Max(), INT_MAX);
  bar->ApplyScrollParams(0, 100, 0, 0);

  // A position is clamped, and a new one enables the bar.
  bar->SetEnabled(false);
  bar->SetPosition(500);
  EXPECT_EQ(bar->Position(), 100);
  EXPECT_TRUE(bar->Enabled());

  // Steps are 16-bit and clamped, not wrapped.
  bar->SetSmallChange(70000);
  bar->SetLargeChange(0);
  EXPECT_EQ(bar->SmallChange(), 32767);
  EXPECT_EQ(bar->LargeChange(), 1);

  // 20 px long with 16 px metrics: 10 px arrows, an empty track, no thumb.
  bar->SetBounds(10, 10, 20, 16);
  TcxScrollBarViewInfo* vi = bar->ViewInfo();
  EXPECT_EQ(vi->LineUpArrowRect, TRect(0, 0, 10, 16));
  EXPECT_EQ(vi->LineDownArrowRect, TRect(10, 0, 20, 16));
  EXPECT_EQ(vi->ThumbRect, TRect());

  // 200 x 16 at 50 of 0..100.
  bar->SetBounds(10, 10, 200, 16);
  bar->ApplyScrollParams(0, 100, 50, 0);
  EXPECT_EQ(vi->ThumbRect, TRect(92, 0, 108, 16));
  bar->SetPageSize(20);
  EXPECT_EQ(vi->ThumbRect, TRect(99, 0, 132, 16));
  EXPECT_EQ(bar->PositionFromThumb(), 50);
}

TEST_F(ScrollBarTest, SizeAndKind) {
  TcxScrollBar fresh(nullptr);
  EXPECT_EQ(fresh.Width(), 121);
  EXPECT_EQ(fresh.Height(), 16);
  SetSystemMetricOverride(SM_CYHSCROLL, 17);
  TcxScrollBar other(nullptr);
  EXPECT_EQ(other.Height(), 17);
  other.SetKind(sbVertical);
  EXPECT_EQ(other.Width(), 17);
  EXPECT_EQ(other.Height(), 121);
  // The vertical bar's arrows run along its height.
  EXPECT_EQ(other.ViewInfo()->LineDownArrowRect.Top, 121 - 16);
}

TEST_F(ScrollBarTest, HoldingAnArrowRepeats) {
  for (auto [held, steps] : {std::pair{990, 11}, std::pair{1010, 12}}) {
    bar->SetPosition(0);
    scrolls.clear();
    MoveTo(195, 8);
    Press();
    RunFor(held);
    Release();
    EXPECT_EQ(Count(scLineDown), steps) << held;
    EXPECT_EQ(bar->Position(), steps) << held;
    ASSERT_FALSE(scrolls.empty());
    EXPECT_EQ(scrolls.back().first, scEndScroll);
    RunFor(200);
    EXPECT_EQ(Count(scLineDown), steps) << "released at " << held;
  }
}

TEST_F(ScrollBarTest, SlidingOffTheArrowPausesTheRepeat) {
  MoveTo(195, 8);
  Press();
  RunFor(500);  // at once, 400, 460
  EXPECT_EQ(Count(scLineDown), 3);
  MoveTo(100, 40);
  RunFor(500);
  EXPECT_EQ(Count(scLineDown), 3);
  MoveTo(195, 8);
  RunFor(130);
  EXPECT_EQ(Count(scLineDown), 5);
  Release();
}

TEST_F(ScrollBarTest, PagingStopsAtTheCursor) {
  bar->SetLargeChange(10);
  MoveTo(150, 8);
  Press();
  RunFor(3000);
  TRect thumb = bar->ViewInfo()->ThumbRect;
  EXPECT_LE(thumb.Left, 150);
  EXPECT_GT(thumb.Right, 150);
  EXPECT_LT(bar->Position(), 100);
  EXPECT_EQ(bar->PressedPart(), hpPageDown);
  Release();
}

TEST_F(ScrollBarTest, ThumbTrackingAndSnapBack) {
  for (bool unlimited : {false, true}) {
    SCOPED_TRACE(unlimited);
    bar->SetPosition(0);
    bar->SetUnlimitedTracking(unlimited);
    scrolls.clear();
    changes = 0;
    MoveTo(24, 8);  // the thumb spans 16..32
    Press();
    MoveTo(124, 108);  // 100 along, 100 across: still tracking
    EXPECT_EQ(bar->ViewInfo()->ThumbRect.Left, 116);
    EXPECT_EQ(bar->Position(), 66);
    MoveTo(124, 208);  // 200 across
    EXPECT_EQ(bar->Position(), unlimited ? 66 : 0);
    Release();
    EXPECT_EQ(bar->Position(), unlimited ? 66 : 0);
    // OnScroll reports the drag; OnChange fires only for the snap-back.
    EXPECT_EQ(changes, unlimited ? 0 : 1);
    ASSERT_GE(scrolls.size(), 3u);
    EXPECT_EQ(scrolls[scrolls.size() - 2].first, scPosition);
    EXPECT_EQ(scrolls.back().first, scEndScroll);
    for (std::size_t i = 0; i + 2 < scrolls.size(); ++i) EXPECT_EQ(scrolls[i].first, scTrack) << i;
  }
}

TEST_F(ScrollBarTest, ThumbFillingItsTrackKeepsThePosition) {
  // 48 px: 16 px arrows and a 16 px thumb, no room to move.
  bar->SetBounds(10, 10, 48, 16);
  bar->ApplyScrollParams(0, 10, 5, 0);
  MoveTo(24, 8);
  Press();
  MoveTo(40, 8);
  EXPECT_EQ(bar->Position(), 5);
  Release();
  EXPECT_EQ(bar->Position(), 5);
}

TEST_F(ScrollBarTest, PartStates) {
  MoveTo(195, 8);
  EXPECT_EQ(bar->HotPart(), hpLineDown);
  EXPECT_EQ(bar->PartState(hpLineDown), cxbsHot);
  EXPECT_EQ(bar->PartState(hpLineUp), cxbsNormal);
  Press();
  EXPECT_EQ(bar->PartState(hpLineDown), cxbsPressed);
  MoveTo(5, 8);
  EXPECT_EQ(bar->PartState(hpLineUp), cxbsNormal) << "another part is pressed";
  EXPECT_EQ(bar->PartState(hpLineDown), cxbsNormal);
  Release();
  EXPECT_EQ(bar->HotPart(), hpLineUp);
  bar->SetEnabled(false);
  EXPECT_EQ(bar->PartState(hpLineUp), cxbsDisabled);
  EXPECT_EQ(bar->ViewInfo()->ThumbRect, TRect()) << "a disabled bar has no thumb";
}

// Each painter's bar at rest, with the down arrow hot, the up arrow pressed, the thumb pressed and
// disabled, one row per painter.
TEST_F(ScrollBarTest, Gallery) {
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  constexpr int kStates = 5, kCell = 210, kRow = 24;
  std::vector<std::uint32_t> gallery(static_cast<std::size_t>(kCell * kStates * kRow * 4), 0xFFFFFF);
  bar->ApplyScrollParams(0, 100, 30, 20);
  for (int k = 0; k < 4; ++k) {
    bar->LookAndFeel()->SetKind(kinds[k]);
    for (int state = 0; state < kStates; ++state) {
      MoveMouse(450, 350);  // on the form, so the bar hears the mouse leave
      bar->SetEnabled(state != 4);
      if (state == 1) MoveTo(195, 8);
      if (state == 2 || state == 3) {
        MoveTo(state == 2 ? 5 : bar->ViewInfo()->ThumbRect.Left + 4, 8);
        Press();
      }
      Pump();
      int w = 0, h = 0;
      std::vector<std::uint32_t> screen = Headless().ComposeScreen(w, h);
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 200; ++x)
          gallery[static_cast<std::size_t>((k * kRow + y + 4) * kCell * kStates + state * kCell + x + 5)] =
              screen[static_cast<std::size_t>((110 + y) * w + 110 + x)];
      if (state == 2 || state == 3) Release();
    }
  }
  EXPECT_TRUE(platform::WritePng(testsupport::ArtifactPath("cx_scrollbar_gallery.png"), gallery.data(), kCell * kStates,
                                 kRow * 4, kCell * kStates));
}

}  // namespace
