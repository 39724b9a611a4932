#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/classes/MediaPlayer.h"
#include "platform/media/Video.h"
#include "tests/platform/classes/FormFixture.h"
#include "tests/support/Artifacts.h"

namespace {

TEST(MediaPlayer, OpenReportsTheDevicesFailureAndTheOtherCallsNeedAnOpenDevice) {
  TComponent form(nullptr);
  auto* mp = new TMediaPlayer(&form);
  auto* panel = new TCustomControl(&form);
  mp->SetDisplay(panel);

  mp->SetFileName(testsupport::ArtifactPath("no-such-video.wmv"));
  try {
    mp->Open();
    FAIL() << "a missing file opened";
  } catch (const EMCIDeviceError& e) {
    EXPECT_EQ(e.Message(), "The specified file cannot be found. Make sure the path and filename are correct.");
  }
  EXPECT_EQ(mp->Error(), 275);

  String path = testsupport::ArtifactPath("lo.wmv");
  std::ofstream(path) << "not really a video";
  mp->SetFileName(path);
  EXPECT_THROW(mp->Open(), EMCIDeviceError);
  EXPECT_EQ(mp->Error(), 304);
  std::remove(path.c_str());

  EXPECT_THROW(mp->Play(), EMCIDeviceError);
  EXPECT_THROW(mp->SetDisplayRect(win::RECT{0, 0, 720, 576}), EMCIDeviceError);
  EXPECT_EQ(mp->Error(), 263);
  mp->Close();
  EXPECT_EQ(mp->Error(), 0);
  EXPECT_EQ(mp->Mode(), mpNotReady);

  delete panel;
  EXPECT_EQ(mp->Display(), nullptr);
}

// Red, green, blue and white, a tenth of a second each, 64 x 48.
const std::uint32_t kColours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

std::string WriteColours(const std::string& name) {
  std::string path = testsupport::ArtifactPath(name);
  std::string error;
  auto writer = platform::media::VideoWriter::Create(path, 64, 48, 10, error);
  EXPECT_TRUE(writer) << error;
  for (std::uint32_t c : kColours) {
    std::vector<std::uint32_t> frame(64 * 48, c);
    EXPECT_TRUE(writer->Write(frame.data()));
  }
  EXPECT_TRUE(writer->Finish());
  return path;
}

class MediaPlayback : public formtest::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form = new TForm(nullptr, 0);
    form->SetBounds(100, 100, 400, 300);
    panel = new formtest::TDemoPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 320, 240);
    panel->SetColor(clGray);
    mp = new TMediaPlayer(form);
    mp->SetParent(form);
    mp->SetVisible(false);
    mp->SetDisplay(panel);
    form->Show();
    Pump();
  }
  void TearDown() override {
    delete form;
    FormTest::TearDown();
  }
  // The colour at a point of the panel, to the nearest of the four (or the panel's grey).
  std::uint32_t Seen(int x, int y) {
    std::uint32_t px = ScreenPixel(At(panel, x, y).x, At(panel, x, y).y);
    auto near = [&](std::uint32_t c) {
      for (int shift : {16, 8, 0})
        if (std::abs(int((px >> shift) & 0xFF) - int((c >> shift) & 0xFF)) > 40) return false;
      return true;
    };
    for (std::uint32_t c : {0xFF0000u, 0x00FF00u, 0x0000FFu, 0xFFFFFFu, 0x808080u})
      if (near(c)) return c;
    return px | 0xFF000000u;
  }

  TForm* form = nullptr;
  formtest::TDemoPanel* panel = nullptr;
  TMediaPlayer* mp = nullptr;
};

TEST_F(MediaPlayback, FramesShowAtTheirTimesStretchedToTheDisplayRectangle) {
  mp->SetFileName(WriteColours("colours.wmv"));
  mp->Open();
  EXPECT_EQ(mp->Mode(), mpStopped);
  // The rectangle is the video's own size until set.
  EXPECT_EQ(mp->DisplayRect().right, 64);
  mp->SetDisplayRect(win::RECT{10, 20, 210, 120});
  Pump();
  EXPECT_EQ(Seen(100, 60), 0xFF0000u) << "the first frame shows once open";
  EXPECT_EQ(Seen(5, 5), 0x808080u) << "outside the rectangle";
  EXPECT_EQ(Seen(220, 60), 0x808080u);
  std::uint64_t start = clock->NowMs();
  mp->Play();
  for (int i = 0; i < 4; ++i) {
    clock->AdvanceTo(start + 100 * i + 99);
    Pump();
    EXPECT_EQ(Seen(100, 60), kColours[i]) << "frame " << i;
    EXPECT_EQ(Seen(11, 21), kColours[i]) << "frame " << i << " at the rectangle's corner";
  }
  RunFor(200);
  EXPECT_EQ(mp->Mode(), mpStopped);
  EXPECT_EQ(mp->Length(), 400);
  EXPECT_EQ(mp->Position(), 400);
  EXPECT_EQ(Seen(100, 60), 0xFFFFFFu) << "the last frame stays";
  panel->Invalidate();
  RedrawWindow(panel->Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_ALLCHILDREN);
  EXPECT_EQ(Seen(100, 60), 0xFFFFFFu) << "and repaints";
  // Clicks on the picture reach the display.
  int clicks = 0;
  panel->OnClick = [&](TObject*) { ++clicks; };
  ClickAt(At(panel, 100, 60));
  EXPECT_EQ(clicks, 1);
}

TEST_F(MediaPlayback, LateFramesAreSkippedAndAHiddenDisplayShowsNone) {
  mp->SetFileName(WriteColours("colours-late.wmv"));
  mp->Open();
  mp->SetDisplayRect(win::RECT{0, 0, 320, 240});
  std::uint64_t start = clock->NowMs();
  mp->Play();
  Pump();
  EXPECT_EQ(Seen(50, 50), 0xFF0000u);
  // The loop was busy for a quarter of a second: the frame due now shows, not the one missed.
  clock->AdvanceTo(start + 250);
  Pump();
  EXPECT_EQ(Seen(50, 50), 0x0000FFu);
  panel->Hide();
  clock->AdvanceTo(start + 350);
  Pump();
  EXPECT_EQ(mp->Mode(), mpPlaying);
  panel->Show();
  Pump();
  EXPECT_EQ(Seen(50, 50), 0x0000FFu) << "nothing was presented while hidden";
  RunFor(100);
  EXPECT_EQ(mp->Mode(), mpStopped);
  EXPECT_EQ(Seen(50, 50), 0xFFFFFFu) << "the last frame once shown again";
  mp->Close();
  EXPECT_EQ(mp->Mode(), mpNotReady);
  EXPECT_EQ(mp->Length(), 0);
}

}  // namespace

