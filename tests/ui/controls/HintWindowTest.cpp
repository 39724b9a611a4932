#include <string>

#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/HintWindow.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

class HintTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    RECT work{0, 0, 1024, 740};
    SystemParametersInfo(SPI_SETWORKAREA, 0, &work, 0);
    hint = new TcxBaseHintWindow(nullptr);
  }
  void TearDown() override {
    delete hint;
    ControlsTest::TearDown();
  }
  void SetSystemAnimation(bool animation, bool fade) {
    SystemParametersInfo(SPI_SETTOOLTIPANIMATION, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(animation)), 0);
    SystemParametersInfo(SPI_SETTOOLTIPFADE, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(fade)), 0);
  }
  // How long showing took on the virtual clock: an animation steps through AnimationTime.
  std::uint64_t ShowTakes(const String& text) {
    const std::uint64_t start = clock->NowMs();
    hint->ShowHint(RECT{100, 100, 300, 120}, text);
    return clock->NowMs() - start;
  }
  TcxBaseHintWindow* hint = nullptr;
};

TEST_F(HintTest, EffectiveAnimationFollowsTheSystemSettings) {
  struct Case {
    bool animation, fade;
    std::uint8_t kind, effective;
  };
  for (Case c : {Case{false, false, 8, 9}, Case{false, true, 8, 9}, Case{false, true, 3, 9},
                 Case{true, false, 8, 2}, Case{true, true, 8, 7}, Case{true, true, 3, 3}, Case{true, false, 9, 9}}) {
    SetSystemAnimation(c.animation, c.fade);
    hint->AnimationKind = c.kind;
    EXPECT_EQ(hint->EffectiveAnimation(), c.effective)
        << "animation " << c.animation << " fade " << c.fade << " kind " << int(c.kind);
  }
  EXPECT_EQ(HintAnimationFlags(2), AW_VER_POSITIVE | AW_SLIDE);
  EXPECT_EQ(HintAnimationFlags(7), AW_BLEND | AW_SLIDE);
}

TEST_F(HintTest, LongHintsAreNeverAnimated) {
  SetSystemAnimation(true, false);
  EXPECT_GE(ShowTakes(std::string(99, 'x')), 100u);
  hint->ReleaseHandle();
  EXPECT_EQ(ShowTakes(std::string(100, 'x')), 0u);
  // Characters count, not bytes.
  hint->ReleaseHandle();
  std::string chinese;
  for (int i = 0; i < 99; ++i) chinese += "\xE4\xB8\xAD";
  EXPECT_GE(ShowTakes(chinese), 100u);
  hint->ReleaseHandle();
  SetSystemAnimation(false, false);
  EXPECT_EQ(ShowTakes("short"), 0u);
}

TEST_F(HintTest, ShownTopmostInsideTheWorkAreaWithoutTakingActivation) {
  TForm* form = NewForm(50, 50, 300, 200);
  ASSERT_EQ(GetActiveWindow(), form->Handle());
  hint->ShowHint(RECT{1000, 730, 1100, 750}, "Hint text");
  Pump();
  EXPECT_EQ(GetActiveWindow(), form->Handle());
  RECT r;
  GetWindowRect(hint->Handle(), &r);
  EXPECT_EQ(r, (RECT{924, 720, 1024, 740}));
  EXPECT_TRUE(IsWindowVisible(hint->Handle()));
  EXPECT_NE(GetWindowLong(hint->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(GetWindowLong(hint->Handle(), GWL_STYLE) & WS_BORDER, 0);
  EXPECT_EQ(SendMessage(hint->Handle(), WM_NCHITTEST, 0, PointToLParam(950, 730)), HTTRANSPARENT);
  EXPECT_EQ(hint->LastHintRect, (RECT{}));
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("cx_hint.png")));
  delete form;
}

}  // namespace
