// A transparent subtitle on a real X server: the sdl backend shapes the window by its colour key,
// the text scrolls on the real clock and xdotool drags the window by its text.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "app/Program.h"
#include "dialogs/SubtitleWindow1.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Window.h"
#include "tests/support/Artifacts.h"
#include "tests/support/RealWindowPump.h"
#include "tests/support/X11.h"

namespace {

using testsupport::Screenshot;

constexpr std::uint32_t kYellow = 0xFFFF00;

class SubtitleRealWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    skip_ = new std::string(testsupport::StartForRealWindows(server_));
  }
  static void TearDownTestSuite() {
    server_.Stop();
    delete skip_;
  }
  void SetUp() override {
    if (!skip_->empty()) GTEST_SKIP() << "real-window tests skipped: " << *skip_;
    platform::InstallDisplay(platform::CreateSdlDisplay());
    InitializeForms();
    StartLibraryUnits();
    Application->Initialize();
  }
  void TearDown() override {
    if (!skip_->empty()) return;
    FinalizeForms();
    EndLibraryUnits();
    platform::ResetDisplay();
  }
  static bool PumpUntil(const std::function<bool()>& done, int ms = 4000) { return testsupport::PumpUntil(done, ms); }
  static void Save(const Screenshot& shot, const std::string& name) { testsupport::SaveScreenshot(shot, name); }
  // The text's leftmost column inside the window's rectangle, or -1.
  static int TextLeft(const Screenshot& shot, TForm* w) {
    for (int x = std::max(0, w->Left()); x < std::min(shot.width, w->Left() + w->Width()); ++x)
      for (int y = std::max(0, w->Top()); y < std::min(shot.height, w->Top() + w->Height()); ++y)
        if (shot.At(x, y) == kYellow) return x;
    return -1;
  }

  static testsupport::XServer server_;
  static std::string* skip_;
};

testsupport::XServer SubtitleRealWindow::server_;
std::string* SubtitleRealWindow::skip_ = nullptr;

TEST_F(SubtitleRealWindow, ATransparentSubtitleScrollsAndIsDraggedByItsText) {
  Application->CreateForm(frmLEDDisplay);
  TSubtitleWindow* w = frmLEDDisplay;
  const Screenshot desktop = testsupport::GrabScreen();
  ASSERT_FALSE(desktop.pixels.empty());
  w->ConfigureSubtitle("Subtitle 字幕\r\n", "DejaVu Sans", "clYellow", clWhite, 40, 30, false);
  w->SetColor(clWhite);
  w->SetTransparentColorValue(clWhite);
  w->SetTransparentColor(true);
  w->Show();
  win::ShowWindow(w->Handle(), win::SW_RESTORE);

  // Scrolling: the text comes into view and keeps moving left.
  Screenshot first;
  ASSERT_TRUE(PumpUntil([&] {
    first = testsupport::GrabScreen();
    return TextLeft(first, w) > w->Left() + 100;
  })) << "the text never showed";
  Screenshot later;
  EXPECT_TRUE(PumpUntil([&] {
    later = testsupport::GrabScreen();
    const int x = TextLeft(later, w);
    return x >= 0 && x < TextLeft(first, w);
  })) << "the text did not move";
  // Only the text shows: around it the desktop is as it was.
  const int cx = w->Left() + 3, cy = w->Top() + 3;
  EXPECT_EQ(later.At(cx, cy), desktop.At(cx, cy));
  PumpUntil([&] {
    later = testsupport::GrabScreen();
    const int x = TextLeft(later, w);
    return x >= 0 && x < w->Left() + 480;
  });
  Save(later, "subtitles-real-scrolling.png");

  // Still text, pressed where a letter is solid and dragged.
  w->ConfigureSubtitle("IIIII", "DejaVu Sans", "clYellow", clWhite, 48, 0, false);
  const win::RECT before{w->Left(), w->Top(), w->Left() + w->Width(), w->Top() + w->Height()};
  Screenshot still;
  int px = -1, py = -1;
  ASSERT_TRUE(PumpUntil([&] {
    still = testsupport::GrabScreen();
    for (int y = before.top + 55; y < before.bottom - 5 && px < 0; ++y)
      for (int x = before.left + 5; x < before.right - 5; ++x)
        if (still.At(x - 2, y) == kYellow && still.At(x, y) == kYellow && still.At(x + 2, y) == kYellow) {
          px = x, py = y;
          break;
        }
    return px >= 0;
  })) << "no solid letter below the drag band";
  Save(still, "subtitles-real-before-drag.png");
  // As a hand drags: pressed and nudged, so that the text's mouse-move handler starts the move; the
  // rest of the gesture follows while the program runs its move loop (xdotool in the background,
  // its output elsewhere, so that the shell returns at once).
  const auto point = [](int x, int y) { return std::to_string(x) + " " + std::to_string(y); };
  testsupport::Shell("(xdotool mousemove " + point(px, py) + " sleep 0.2 mousedown 1 sleep 0.1 mousemove " +
                     point(px + 1, py + 1) + " sleep 1 mousemove " + point(px + 31, py + 21) + " sleep 0.1 mousemove " +
                     point(px + 61, py + 41) + " sleep 0.2 mouseup 1 >/dev/null 2>&1 &)");
  // From where the loop began: the nudge's point, or a later one on a machine slow to read it.
  PumpUntil([&] { return w->Left() == before.left + 60 && w->Top() == before.top + 40; });
  const int dx = w->Left() - before.left, dy = w->Top() - before.top;
  EXPECT_TRUE(dx >= 30 && dx <= 60 && dy >= 20 && dy <= 40) << "moved by " << dx << "," << dy;
  Screenshot after;
  EXPECT_TRUE(PumpUntil([&] {
    after = testsupport::GrabScreen();
    return after.At(px + dx, py + dy) == kYellow && after.At(px, py) != kYellow;
  })) << "the native window went along";
  Save(after, "subtitles-real-after-drag.png");
}

}  // namespace
