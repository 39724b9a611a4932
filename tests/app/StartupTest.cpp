#include <climits>
#include <filesystem>
#include <fstream>

#include "app/BootWindow.h"
#include "app/PictureChooser.h"
#include "app/Program.h"
#include "app/StartupChooser.h"
#include "app/VideoChooser.h"
#include "console/Config.h"
#include "console/CommSettings.h"
#include "console/GridConsole.h"
#include "matrix/ChannelNaming.h"
#include "platform/win/Hooks.h"
#include "platform/win/Window.h"
#include "ui/controls/PopupWindow.h"
#include "tests/app/AppFixture.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

namespace {

using apptest::AppTest;
using namespace win;

TEST_F(AppTest, EveryWindowIsCreatedOnceInItsOrderAndOnlyTheBootWindowShows) {
  std::vector<std::string> order;
  bool channelNamingMissingAtGridConsole = false;
  CreateProgramWindows([&](TCustomForm* form) {
    order.push_back(form->ClassName());
    if (form == Form1) channelNamingMissingAtGridConsole = Form37 == nullptr;
  });
  const std::vector<std::string> expected = {
      "TForm18", "TForm2",  "TForm3",  "TForm4",  "TForm5",  "TForm6",  "TForm7",
      "TForm8",  "TForm9",  "TForm11", "TForm15", "TForm16", "TfrmPlayMode", "TfrmTimingSetting",
      "TfrmSubtitleSettings", "TfrmLEDDisplay", "TForm20", "TForm22", "TForm23", "TForm24", "TForm25",
      "TForm26", "TForm27", "TForm29", "TForm30", "TForm31", "TForm32", "TForm33", "TForm34",
      "TForm35", "TForm36", "TForm1",  "TForm37"};
  EXPECT_EQ(order, expected);
  // Drop-down editors keep popup windows of their own; those are no program windows.
  int programWindows = 0;
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (!dynamic_cast<TcxPopupWindow*>(Screen->Forms(i))) ++programWindows;
  EXPECT_EQ(programWindows, 33);
  EXPECT_TRUE(channelNamingMissingAtGridConsole);
  EXPECT_EQ(Application->MainForm(), Form18);
  EXPECT_EQ(Application->Title(), "Normal Large-Screen Control System");

  Application->MainForm()->SetVisible(true);
  Pump();
  EXPECT_EQ(VisibleForms(), std::vector<std::string>{"TForm18"});
  // The application window stays off the task bar: its style is the tool window's alone.
  EXPECT_EQ(static_cast<DWORD>(GetWindowLong(Application->Handle(), GWL_EXSTYLE)), WS_EX_TOOLWINDOW);
  EXPECT_EQ(Form18->ConsoleKind, 0);
}

TEST(FadeLength, NegativeHoldsCountAsNoneAndLongOnesDoNotOverflow) {
  struct Case {
    int still, ticks;
  } cases[] = {{3, 220}, {0, 40}, {-1, 40}, {INT_MIN, 40}, {35791393, 2147483620}, {INT_MAX, INT_MAX}};
  for (const auto& c : cases) EXPECT_EQ(FadeTicksFor(c.still), c.ticks) << "Still " << c.still;
}

// The alpha the boot window must have after tick t of a fade that ends on tick total.
int ExpectedAlpha(int t, int total) {
  if (t < 20) return 12 * (t + 1);
  if (t <= total - 20) return 255;
  return 255 - 12 * (t - (total - 20));
}

struct FadeCase {
  int still;
  int total;
};

void PrintTo(const FadeCase& c, std::ostream* os) { *os << "Still " << c.still; }

class Fade : public AppTest, public ::testing::WithParamInterface<FadeCase> {};

TEST_P(Fade, RisesHoldsFallsAndChoosesOnItsTick) {
  const FadeCase c = GetParam();
  std::string logo = WriteQuadrantLogo("logo.jpg");
  WriteConfig("[StartAnimation]\nifshow=1\nlogoPath=" + logo + "\nStill=" + std::to_string(c.still) +
              "\n[config]\nsoftwareType=1\n");
  Start();
  ASSERT_EQ(AnimationRunning, 1);
  ASSERT_EQ(FadeTotalTicks, c.total);
  EXPECT_EQ(BootAlpha(), 0);
  for (int t = 0; t < c.total; ++t) {
    Tick();
    ASSERT_EQ(FadeTick, t + 1);
    ASSERT_EQ(BootAlpha(), ExpectedAlpha(t, c.total)) << "tick " << t;
    ASSERT_FALSE(Form1->Visible()) << "tick " << t;
  }
  EXPECT_EQ(BootAlpha(), 27);
  Tick();  // the choice
  EXPECT_TRUE(Form1->Visible());
  EXPECT_FALSE(Form18->Visible());
  EXPECT_FALSE(Form18->tmr1->Enabled());
  RunFor(100);
  EXPECT_EQ(FadeTick, c.total);
  EXPECT_EQ(BootAlpha(), 27);
}

INSTANTIATE_TEST_SUITE_P(Holds, Fade, ::testing::Values(FadeCase{3, 220}, FadeCase{0, 40}, FadeCase{-5, 40}));

TEST_F(AppTest, WithoutALogoToShowTheChoiceComesOnTheFirstTickUnseen) {
  struct Case {
    const char* name;
    const char* logo;  // what lies at logoPath: "" none, "jpeg" a picture, "text" no picture
    int ifshow;
  } cases[] = {{"ifshow 1, no file", "", 1}, {"ifshow 0, a logo", "jpeg", 0}, {"ifshow 1, not a picture", "text", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string logo = folder + "/logo-" + std::to_string(c.ifshow) + c.logo + ".jpg";
    if (std::string(c.logo) == "jpeg") logo = WriteQuadrantLogo("logo-quadrants.jpg");
    if (std::string(c.logo) == "text") std::ofstream(logo) << "no picture here";
    WriteConfig("[StartAnimation]\nifshow=" + std::to_string(c.ifshow) + "\nlogoPath=" + logo + "\n");
    Start();
    EXPECT_EQ(AnimationRunning, 0);
    EXPECT_EQ(Form18->ClientWidth(), 568);  // as designed
    EXPECT_EQ(Form18->ClientHeight(), 341);
    EXPECT_EQ(BootAlpha(), 0);
    Tick();
    EXPECT_EQ(BootAlpha(), 0);
    EXPECT_EQ(VisibleForms(), std::vector<std::string>{"TForm25"});
    EXPECT_EQ(FadeTick, 0);
    TearDown();
    SetUp();
  }
}

TEST_F(AppTest, TheLogoFillsTheCentredWindowOfItsConfiguredSize) {
  std::string logo = WriteQuadrantLogo("logo.jpg");
  WriteConfig("[StartAnimation]\nifshow=1\nlogoPath=" + logo + "\n");
  Start();
  RECT r;
  GetWindowRect(Form18->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 500);
  EXPECT_EQ(r.bottom - r.top, 400);
  EXPECT_EQ(r.left, (1280 - 500) / 2);
  EXPECT_EQ(r.top, (1024 - 400) / 2);
  for (int t = 0; t < 30; ++t) Tick();
  SaveWindowShot(Form18, "boot-window-logo.png");
  // Inside the one-pixel border the picture is stretched over 498 x 398.
  struct Probe {
    int x, y;
    std::uint32_t rgb;
  } probes[] = {{125, 100, 0xFF0000}, {374, 100, 0x00FF00}, {374, 299, 0xFFFF00}, {125, 299, 0x0000FF}};
  auto pixels = WindowPixels(Form18);
  for (const auto& p : probes) {
    std::uint32_t got = pixels[static_cast<std::size_t>(p.y) * 500 + p.x];
    for (int shift : {16, 8, 0}) {
      int want = (p.rgb >> shift) & 0xFF, have = (got >> shift) & 0xFF;
      EXPECT_NEAR(have, want, 12) << "at " << p.x << "," << p.y << " got " << std::hex << got;
    }
  }
}

TEST_F(AppTest, TheChoiceOpensTheConfiguredWindowAndHidesTheBootWindow) {
  struct Case {
    int mode, type;
    const char* shown;
    int kind;
  } cases[] = {
      {1, 0, "TForm25", 0}, {1, 1, "TForm1", 1},  {1, 2, "TForm23", 2}, {1, 3, "TForm33", 3},
      {2, 0, "TForm26", 0}, {3, 0, "TForm22", 0}, {2, 2, "TForm26", 0},
      // Values nobody knows open the start-up chooser: the program never runs on without a window.
      {1, 4, "TForm25", 0}, {1, -1, "TForm25", 0}, {0, 1, "TForm25", 0}, {4, 1, "TForm25", 0}, {-3, 0, "TForm25", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.mode) + " type " + std::to_string(c.type));
    WriteConfig("[config]\nsoftwareChooseMode=" + std::to_string(c.mode) +
                "\nsoftwareType=" + std::to_string(c.type) + "\n");
    Start();
    EXPECT_EQ(Form18->SoftwareType, c.type);
    Tick();
    EXPECT_EQ(VisibleForms(), std::vector<std::string>{c.shown});
    EXPECT_EQ(Form18->ConsoleKind, c.kind);
    EXPECT_FALSE(Form18->tmr1->Enabled());
    EXPECT_EQ(Application->MainForm(), Form18);
    EXPECT_FALSE(Terminated());
    TearDown();
    SetUp();
  }
}

TEST_F(AppTest, TheStartupChooserPicturesOpenTheirConsoles) {
  struct Case {
    const char* picture;
    TConsoleKind kind;
    const char* console;
    std::vector<const char*> hidden;
  } cases[] = {{"img1", ckGrid, "TForm1", {"img2", "img3"}},
               {"img2", ckSplicing, "TForm23", {"img1", "img3"}},
               {"img4", ckHybrid, "TForm33", {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.picture);
    Start();
    Tick();
    ASSERT_TRUE(Form25->Visible());
    EXPECT_EQ(Form18->ConsoleKind, ckNone);
    auto* img = dynamic_cast<TControl*>(Form25->FindComponent(c.picture));
    ClickAt(img->ClientToScreen(POINT{img->Width() / 2, img->Height() / 2}));
    EXPECT_EQ(Form18->ConsoleKind, c.kind);
    auto visible = VisibleForms();
    EXPECT_NE(std::find(visible.begin(), visible.end(), c.console), visible.end());
    for (const char* name : {"img1", "img2", "img3", "img4"}) {
      bool shouldHide = std::find_if(c.hidden.begin(), c.hidden.end(),
                                     [&](const char* h) { return std::string(h) == name; }) != c.hidden.end();
      EXPECT_EQ(dynamic_cast<TControl*>(Form25->FindComponent(name))->Visible(), !shouldHide) << name;
    }
    EXPECT_FALSE(Terminated());
    TearDown();
    SetUp();
  }
}

TEST_F(AppTest, TheExitPictureEndsTheProgram) {
  Start();
  Tick();
  ClickAt(Form25->img3->ClientToScreen(POINT{150, 40}));
  EXPECT_FALSE(Form25->img1->Visible());
  EXPECT_FALSE(Form25->img2->Visible());
  EXPECT_TRUE(Terminated());
}

TEST_F(AppTest, ClosingAChooserEndsTheProgramButAConsoleHidingItDoesNot) {
  Start();
  Tick();
  Form25->Hide();
  Pump();
  EXPECT_FALSE(Terminated());
  Form26->Show();
  Form26->Close();
  EXPECT_TRUE(Terminated());
  TearDown();
  SetUp();
  Start();
  Tick();
  Form25->Close();
  EXPECT_TRUE(Terminated());
}

TEST_F(AppTest, TheStartupChooserIsLimeWithItsRedSeeThrough) {
  Start();
  Tick();
  Pump();
  EXPECT_EQ(Form25->Color(), clLime);
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(Form25->Handle(), &key, &alpha, &flags));
  EXPECT_TRUE(flags & LWA_COLORKEY);
  EXPECT_EQ(key, RGB(255, 0, 0));
  POINT corner = Form25->ClientToScreen(POINT{4, 4});
  EXPECT_EQ(ScreenPixel(corner.x, corner.y), 0x00FF00u);
  // The first picture's top-left corner is red in the picture and shows what lies below.
  POINT red = Form25->img1->ClientToScreen(POINT{0, 0});
  EXPECT_EQ(WindowPixel(Form25, 48, 16), 0xFF0000u);
  EXPECT_NE(ScreenPixel(red.x, red.y), 0xFF0000u);
  EXPECT_NE(ScreenPixel(red.x, red.y), 0x00FF00u);
  // Painting again changes nothing, so nothing asks for another paint.
  Form25->Invalidate();
  Pump();
  RECT dirty;
  EXPECT_FALSE(GetUpdateRect(Form25->Handle(), &dirty, FALSE));
  SaveWindowShot(Form25, "startup-chooser.png");
  Form26->Show();
  Pump();
  EXPECT_EQ(WindowPixel(Form26, 320, 200), 0xD4D0C8u);  // a plain face with two empty pictures
  SaveWindowShot(Form26, "picture-chooser.png");
}

}  // namespace

namespace {

using apptest::AppTest;
using namespace win;

TEST_F(AppTest, OnlyTheConsolesHaveTaskBarButtons) {
  Start();
  EXPECT_TRUE(Headless().TaskBarSurfaces().empty()) << "boot window";
  Tick();
  POINT centre = Form25->ClientToScreen(POINT{4, 4});
  platform::SurfaceId chooser = Headless().SurfaceAt(centre.x, centre.y);
  ASSERT_NE(chooser, 0u);
  // A borderless chooser is an ordinary desktop window, not a menu that never takes the focus.
  EXPECT_FALSE(Headless().Flags(chooser).popup);
  EXPECT_TRUE(Headless().TaskBarSurfaces().empty()) << "start-up chooser";
  Form2->Show();
  Pump();
  EXPECT_TRUE(Headless().TaskBarSurfaces().empty()) << "a dialog";
  Form2->Hide();
  ClickAt(Form25->img1->ClientToScreen(POINT{150, 40}));
  Form25->Hide();
  Pump();
  POINT console = Form1->ClientToScreen(POINT{Form1->ClientWidth() / 2, Form1->ClientHeight() / 2});
  EXPECT_EQ(Headless().TaskBarSurfaces(), std::vector<platform::SurfaceId>{Headless().SurfaceAt(console.x, console.y)});
}

}  // namespace

TEST_F(AppTest, StartingWithoutCfgIniLeavesTheFolderEmptyUntilTheFirstSettingIsWritten) {
  namespace fs = std::filesystem;
  auto files = [&] {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    return names;
  };
  ASSERT_TRUE(files().empty());
  Start();
  Tick();  // no logo: the choice comes on the first tick and opens the start-up chooser
  EXPECT_EQ(VisibleForms(), std::vector<std::string>{"TForm25"});
  EXPECT_TRUE(files().empty());

  ::WriteConfig(*OpenConfigFile(), cfg::config::SoftwareType, 1);
  EXPECT_EQ(files(), std::vector<std::string>{"cfg.ini"});
}
