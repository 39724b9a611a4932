#include <fstream>

#include "app/BootWindow.h"
#include "app/VideoChooser.h"
#include "console/GridConsole.h"
#include "platform/media/Video.h"
#include "tests/app/AppFixture.h"
#include "variants/SplicingConsole.h"

namespace {

using apptest::AppTest;
using namespace win;

// Red, green, blue, then white, a tenth of a second each.
const std::vector<std::uint32_t> kColours = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

void WriteVideo(const std::string& path) {
  constexpr int w = 64, h = 48;
  std::string error;
  auto writer = platform::media::VideoWriter::Create(path, w, h, 10, error);
  ASSERT_TRUE(writer) << error;
  for (std::uint32_t c : kColours) {
    std::vector<std::uint32_t> frame(w * h, c);
    ASSERT_TRUE(writer->Write(frame.data()));
  }
  ASSERT_TRUE(writer->Finish());
}

void ExpectColour(std::uint32_t got, std::uint32_t want, const std::string& where) {
  for (int shift : {16, 8, 0}) {
    int g = (got >> shift) & 0xFF, e = (want >> shift) & 0xFF;
    EXPECT_NEAR(g, e, 40) << where << ": got " << std::hex << got << " want " << want;
  }
}

class VideoChooser : public AppTest {
 protected:
  void StartChooser() {
    WriteConfig("[config]\nsoftwareChooseMode=3\n");
    Start();
    Tick();
    ASSERT_TRUE(Form22->Visible());
  }
  std::uint32_t VideoPixel(int x, int y) {
    POINT p = Form22->rzpnl1->ClientToScreen(POINT{x, y});
    return ScreenPixel(p.x, p.y);
  }
};

TEST_F(VideoChooser, EachColourFillsThePanelAtItsTimeAndTheLastStays) {
  WriteVideo(folder + "/lo.wmv");
  StartChooser();
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(Form22->mp1->Mode(), mpPlaying);
  RECT r = Form22->mp1->DisplayRect();
  EXPECT_EQ(r.right, Form22->rzpnl1->Width());
  EXPECT_EQ(r.bottom, Form22->rzpnl1->Height());
  std::uint64_t start = clock->NowMs();
  for (std::size_t i = 0; i < kColours.size(); ++i) {
    clock->AdvanceTo(start + 100 * i + 50);
    Pump();
    for (POINT p : {POINT{2, 2}, POINT{360, 288}, POINT{717, 573}})
      ExpectColour(VideoPixel(p.x, p.y), kColours[i], "frame " + std::to_string(i) + " at " + std::to_string(p.x));
  }
  RunFor(1000);
  EXPECT_EQ(Form22->mp1->Mode(), mpStopped);
  ExpectColour(VideoPixel(360, 288), kColours.back(), "after the end");
  // A repaint shows the frame again.
  Form22->Invalidate();
  RedrawWindow(Form22->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  ExpectColour(VideoPixel(360, 288), kColours.back(), "repainted");
}

TEST_F(VideoChooser, TheVideoIsStretchedOverThePanelWithoutKeepingItsShape) {
  // Eight colour bars on a wide picture: on the 720 x 576 panel each bar is 90 pixels wide and
  // the picture reaches the top and the bottom.
  constexpr int w = 160, h = 48;
  const std::uint32_t bars[] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00, 0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
  std::vector<std::uint32_t> frame(w * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) frame[y * w + x] = bars[x * 8 / w];
  std::string error;
  auto writer = platform::media::VideoWriter::Create(folder + "/lo.wmv", w, h, 10, error);
  ASSERT_TRUE(writer) << error;
  ASSERT_TRUE(writer->Write(frame.data()));
  ASSERT_TRUE(writer->Write(frame.data()));
  ASSERT_TRUE(writer->Finish());
  StartChooser();
  RunFor(50);
  for (int i = 0; i < 8; ++i)
    for (int y : {3, 288, 572}) ExpectColour(VideoPixel(i * 90 + 45, y), bars[i], "bar " + std::to_string(i));
  SaveWindowShot(Form22, "video-chooser.png");
}

TEST_F(VideoChooser, ClicksOnThePlayingPictureOpenTheGridOrTheSplicingConsole) {
  struct Case {
    int y;
    TConsoleKind kind;
  } cases[] = {{360, ckGrid}, {361, ckSplicing}};
  for (const auto& c : cases) {
    SCOPED_TRACE("y " + std::to_string(c.y));
    WriteVideo(folder + "/lo.wmv");
    StartChooser();
    RunFor(120);
    POINT p = Form22->rzpnl1->ClientToScreen(POINT{300, c.y});
    Headless().InjectMouseMove(p.x, p.y);
    Pump();
    EXPECT_EQ(Headless().Cursor(), platform::CursorShape::Hand);
    ClickAt(p);
    EXPECT_EQ(Form18->ConsoleKind, c.kind);
    EXPECT_FALSE(Form22->Visible());
    EXPECT_EQ(Form1->Visible(), c.kind == ckGrid);
    EXPECT_EQ(Form23->Visible(), c.kind == ckSplicing);
    TearDown();
    SetUp();
  }
}

TEST_F(VideoChooser, AVideoThatDoesNotPlayIsReportedAndTheClicksStillWork) {
  struct Case {
    const char* name;
    bool write;
    const char* message;
  } cases[] = {
      {"missing", false, "The specified file cannot be found. Make sure the path and filename are correct."},
      {"text", true,
       "The specified file cannot be played on the specified MCI device. The file may be corrupt, or not in the "
       "correct format."}};
  for (const auto& c : cases) {
    for (int y : {360, 361}) {
      SCOPED_TRACE(std::string(c.name) + " y " + std::to_string(y));
      if (c.write) std::ofstream(folder + "/lo.wmv") << "this is no video";
      StartChooser();
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_NE(boxes[0].find(c.message), std::string::npos) << boxes[0];
      if (!c.write) SaveWindowShot(Form22, "video-chooser-no-video.png");
      ClickAt(Form22->rzpnl1->ClientToScreen(POINT{300, y}));
      EXPECT_EQ(Form18->ConsoleKind, y < 361 ? ckGrid : ckSplicing);
      EXPECT_FALSE(Form22->Visible());
      TearDown();
      SetUp();
    }
  }
}

TEST_F(VideoChooser, ClosingItEndsTheProgram) {
  WriteVideo(folder + "/lo.wmv");
  StartChooser();
  Form22->Close();
  EXPECT_TRUE(Terminated());
}

}  // namespace
