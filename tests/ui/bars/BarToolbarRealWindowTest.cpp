// A floating toolbar on a real X server through the sdl backend: its own window, owned by the form,
// drawn with the painter's frame and caption where the toolbar stands.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/display/Display.h"
#include "platform/win/Focus.h"
#include "tests/support/RealWindowPump.h"
#include "tests/support/X11.h"
#include "tests/ui/bars/BarStandIns.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarSubItem.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/GraphicsUnit.h"

namespace {

using testsupport::PumpUntil;
using testsupport::Screenshot;

class BarToolbarRealWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { skip_ = new std::string(testsupport::StartForRealWindows(server_)); }
  static void TearDownTestSuite() {
    server_.Stop();
    delete skip_;
  }
  void SetUp() override {
    if (!skip_->empty()) GTEST_SKIP() << "real-window tests skipped: " << *skip_;
    platform::InstallDisplay(platform::CreateSdlDisplay());
    InitializeForms();
    Application->Initialize();
    ControlsUnitStartup();
    GraphicsUnitStartup();
    BarUnitStartup();
    Application->CreateForm(Form);
    Form->SetColor(clWhite);
    Form->SetBounds(100, 100, 500, 400);
    Manager = new TdxBarManager(Form);
    Manager->SetStyle(bmsStandard);
  }
  void TearDown() override {
    if (!skip_->empty()) return;
    TObject::Free(Form);
    BarUnitShutdown();
    GraphicsUnitShutdown();
    ControlsUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }

  static testsupport::XServer server_;
  static std::string* skip_;
  TForm* Form = nullptr;
  TdxBarManager* Manager = nullptr;
};

testsupport::XServer BarToolbarRealWindow::server_;
std::string* BarToolbarRealWindow::skip_ = nullptr;

TEST_F(BarToolbarRealWindow, AFloatingToolbarShowsItsFrameAndCaptionOnItsOwnWindow) {
  Form->Show();
  Screenshot before;
  PumpUntil([&] {
    before = testsupport::GrabScreen();
    return !before.pixels.empty() && before.At(300, 300) == 0xFFFFFFu;
  });
  ASSERT_FALSE(before.pixels.empty());
  TdxBar* bar = Manager->Bars()->Add();
  bar->SetCaption("Wall tools");
  bar->ItemLinks()->AddItem(new TdxBarButton(Form));
  bar->SetFloatLeft(650);
  bar->SetFloatTop(200);
  bar->SetFloatClientWidth(140);
  bar->SetFloatClientHeight(40);
  bar->SetDockingStyle(dsNone);
  bar->SetVisible(true);
  TdxBarControl* window = bar->Control();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(win::GetWindowLong(window->Handle(), win::GWL_STYLE) & win::WS_POPUP);
  EXPECT_EQ(win::GetParent(window->Handle()), Form->Handle()) << "owned by the manager's form";
  const TRect r = window->WindowRect();
  ASSERT_EQ(r.Left, 650);
  // The caption's background, between its text and the close button.
  const TRect caption = window->CaptionBand(true);
  const int cx = window->CloseButtonBounds().Left - 4, cy = (caption.Top + caption.Bottom) / 2;
  const int x = r.Left + cx, y = r.Top + cy;
  // What the toolbar's own window holds there, read back from it once it has painted its frame.
  auto own = [&] {
    win::HDC dc = win::GetWindowDC(window->Handle());
    const win::COLORREF c = win::GetPixel(dc, cx, cy);
    win::ReleaseDC(window->Handle(), dc);
    return static_cast<std::uint32_t>(win::GetRValue(c) << 16 | win::GetGValue(c) << 8 | win::GetBValue(c));
  };
  Screenshot shot;
  const bool shown = PumpUntil([&] {
    shot = testsupport::GrabScreen();
    return !shot.pixels.empty() && shot.At(x, y) == own() && shot.At(x, y) != before.At(x, y);
  });
  testsupport::SaveScreenshot(shot, "bars/toolbar-floating-real-window.png");
  ASSERT_TRUE(shown) << "the toolbar's caption never showed at its place";
  EXPECT_EQ(shot.At(r.Right + 3, r.Top + 10), before.At(r.Right + 3, r.Top + 10)) << "beside it nothing changed";
}

// Real mouse input through the X server: a press opens the toolbar's sub-item, and resting on a
// sub-item of each open menu opens the next level only after the hover delay.
TEST_F(BarToolbarRealWindow, HoveringThroughACascadeOpensEachLevelAfterItsDelay) {
  // The menus' opening sound would reach the machine's sound device.
  PlaySounds = false;
  struct Restore {
    ~Restore() {
      dxBarItemControlFactory = nullptr;
      PlaySounds = true;
    }
  } restore;
  auto button = [&](const String& ACaption) {
    auto* item = new TdxBarButton(Form);
    item->SetCaption(ACaption);
    return item;
  };
  auto sub = [&](const String& ACaption, std::initializer_list<TdxBarItem*> AEntries) {
    auto* item = new TdxBarSubItem(Form);
    item->SetCaption(ACaption);
    for (TdxBarItem* entry : AEntries) item->ItemLinks()->AddItem(entry);
    return item;
  };
  TdxBarSubItem* walls = sub("Walls", {button("Wall A"), button("Wall B")});
  TdxBarSubItem* recent = sub("Recent", {button("Scene 1"), walls, button("Scene 2")});
  TdxBarSubItem* file = sub("File", {button("Open"), recent, button("Exit")});
  Form->Show();
  TdxBar* bar = Manager->Bars()->Add();
  bar->SetCaption("Menu");
  bar->ItemLinks()->AddItem(file);
  bar->SetFloatLeft(150);
  bar->SetFloatTop(150);
  bar->SetDockingStyle(dsNone);
  bar->SetVisible(true);
  TdxBarControl* window = bar->Control();
  ASSERT_NE(window, nullptr);
  auto shown = [](TdxBarSubItem* AItem) {
    TCustomdxBarControl* menu = AItem->ItemLinks()->BarControl();
    return menu && menu->HandleAllocated() && win::IsWindowVisible(menu->Handle());
  };
  auto at = [](TCustomdxBarControl* ABar, TdxBarItem* AItem) {
    for (int i = 0; i < ABar->ItemLinks()->Count(); ++i)
      if (ABar->ItemLinks()->Items(i)->Item() == AItem) {
        const TRect r = ABar->ControlScreenRect(ABar->ItemLinks()->Items(i)->Control());
        return std::to_string((r.Left + r.Right) / 2) + " " + std::to_string((r.Top + r.Bottom) / 2);
      }
    return std::string();
  };
  ASSERT_TRUE(PumpUntil([&] { return win::IsWindowVisible(window->Handle()) && !at(window, file).empty(); }));
  testsupport::Shell("xdotool mousemove " + at(window, file) + " click 1");
  ASSERT_TRUE(PumpUntil([&] { return shown(file); })) << "a press opens the toolbar's sub-item";
  TCustomdxBarControl* menu = file->ItemLinks()->BarControl();
  for (TdxBarSubItem* next : {recent, walls}) {
    const std::string point = at(menu, next);
    ASSERT_FALSE(point.empty());
    const auto start = std::chrono::steady_clock::now();
    testsupport::Shell("xdotool mousemove " + point);
    ASSERT_TRUE(PumpUntil([&] { return shown(next); })) << next->Caption() << " never opened";
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_GE(waited.count(), 400) << next->Caption() << " opened before the hover delay";
    menu = next->ItemLinks()->BarControl();
  }
  PumpUntil([] { return false; }, 200);
  testsupport::SaveScreenshot(testsupport::GrabScreen(), "bars/cascade-real-window.png");
  static_cast<TdxBarButtonLikeControl*>(bar->ItemLinks()->Items(0)->Control())->Deactivate(true);
  PumpUntil([] { return false; }, 50);
  EXPECT_FALSE(shown(file));
}

// The drag runs its own loop inside the press's dispatch, so the whole gesture is handed to the
// server at once, in the background: a gesture sent step by step from here would wait on a loop
// that waits for the release. Docking comes with a timer tick after the pointer rests, so the
// rest before the release is long enough for a busy machine to get to that tick.
constexpr int kGestureMs = 15000;

TEST_F(BarToolbarRealWindow, DraggingTheCaptionMovesTheToolbarAndDropsItOnTheFormsTopSite) {
  Form->Show();
  TdxBar* bar = Manager->Bars()->Add();
  bar->SetCaption("Wall tools");
  bar->ItemLinks()->AddItem(new TdxBarButton(Form));
  bar->SetFloatLeft(650);
  bar->SetFloatTop(300);
  bar->SetDockingStyle(dsNone);
  bar->SetVisible(true);
  auto rect = [&] {
    win::RECT r{};
    win::GetWindowRect(bar->Control()->Handle(), &r);
    return r;
  };
  ASSERT_TRUE(PumpUntil([&] { return win::IsWindowVisible(bar->Control()->Handle()); }));
  PumpUntil([] { return false; }, 100);
  const win::RECT start = rect();
  const TRect band = bar->Control()->CaptionBand(true);
  const int x = start.left + 12, y = start.top + (band.Top + band.Bottom) / 2;
  auto gesture = [](int AFromX, int AFromY, int AToX, int AToY) {
    const auto p = [](int X, int Y) { return std::to_string(X) + " " + std::to_string(Y); };
    testsupport::Shell("(xdotool mousemove " + p(AFromX, AFromY) + " sleep 0.2 mousedown 1 sleep 0.2 mousemove " +
                       p((AFromX + AToX) / 2, (AFromY + AToY) / 2) + " sleep 0.2 mousemove " + p(AToX, AToY) +
                       " sleep 1 mouseup 1) >/dev/null 2>&1 &");
  };
  gesture(x, y, x + 100, y + 80);
  ASSERT_TRUE(PumpUntil([&] { return rect().left == start.left + 100; }, kGestureMs))
      << "the toolbar stands at " << rect().left << "," << rect().top << ", started at " << start.left << "," << start.top;
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(rect().top, start.top + 80);
  EXPECT_EQ(bar->DockingStyle(), dsNone);
  EXPECT_EQ(bar->FloatLeft(), bar->Control()->Left());

  win::POINT top{200, 2};
  win::ClientToScreen(Form->Handle(), &top);
  const win::RECT moved = rect();
  gesture(moved.left + 12, moved.top + (band.Top + band.Bottom) / 2, top.x, top.y);
  ASSERT_TRUE(PumpUntil([&] { return bar->DockingStyle() == dsTop; }, kGestureMs)) << "the toolbar never docked";
  PumpUntil([] { return false; }, 600);
  testsupport::SaveScreenshot(testsupport::GrabScreen(), "bars/drag-docked-real-window.png");
  EXPECT_EQ(bar->DockingStyle(), dsTop);
}

// Real mouse input through the X server: the tear-off caption of a detachable sub-item's menu
// dragged off the menu floats the sub-item's toolbar, dragged back reopens the menu, and a second
// drag released away leaves the toolbar floating with the menus closed.
TEST_F(BarToolbarRealWindow, TearingOffAMenuFloatsItsToolbarAndBringingItBackReopensTheMenu) {
  PlaySounds = false;
  struct Restore {
    ~Restore() { PlaySounds = true; }
  } restore;
  auto* tools = new TdxBarSubItem(Form);
  tools->SetCaption("Tools");
  for (const char* caption : {"Select all", "Splice", "Recall scene"}) {
    auto* button = new TdxBarButton(Form);
    button->SetCaption(caption);
    tools->ItemLinks()->AddItem(button);
  }
  tools->SetDetachable(true);
  Form->Show();
  TdxBar* bar = Manager->Bars()->Add();
  bar->SetCaption("Menu");
  bar->ItemLinks()->AddItem(tools);
  bar->SetFloatLeft(150);
  bar->SetFloatTop(150);
  bar->SetDockingStyle(dsNone);
  bar->SetVisible(true);
  TdxBar* wall = Manager->Bars()->Add();
  wall->SetCaption("Wall tools");
  wall->ItemLinks()->AddItem(new TdxBarButton(Form));
  wall->SetDockingStyle(dsNone);
  tools->SetDetachingBar(wall->IndexInCollection());
  TdxBarControl* window = bar->Control();
  ASSERT_NE(window, nullptr);
  auto menu = [&]() -> TdxBarSubMenuControl* {
    auto* m = dynamic_cast<TdxBarSubMenuControl*>(tools->ItemLinks()->BarControl());
    return m && m->HandleAllocated() && win::IsWindowVisible(m->Handle()) ? m : nullptr;
  };
  auto floating = [&] { return wall->Visible() && wall->Control() && win::IsWindowVisible(wall->Control()->Handle()); };
  auto point = [](int X, int Y) { return std::to_string(X) + " " + std::to_string(Y); };
  ASSERT_TRUE(PumpUntil([&] { return win::IsWindowVisible(window->Handle()); }));
  const TRect item = window->ControlScreenRect(bar->ItemLinks()->Items(0)->Control());
  testsupport::Shell("xdotool mousemove " + point((item.Left + item.Right) / 2, (item.Top + item.Bottom) / 2) + " click 1");
  ASSERT_TRUE(PumpUntil([&] { return menu() != nullptr; })) << "a press opens the sub-item";
  const TRect w = menu()->WindowRect(), c = menu()->DetachCaptionRect();
  const int x = w.Left + (c.Left + c.Right) / 2, y = w.Top + (c.Top + c.Bottom) / 2;
  // What the screen shows, sampled while the drag's own loop runs: 1 floating, 2 the menu open.
  static std::vector<int>* states = nullptr;
  static std::function<int()> sample;
  std::vector<int> seen;
  states = &seen;
  sample = [&] { return floating() && !menu() ? 1 : !floating() && menu() ? 2 : 0; };
  const win::UINT_PTR timer = win::SetTimer(nullptr, 0, 15, [](win::HWND, win::UINT, win::UINT_PTR, win::DWORD) {
    const int state = sample();
    if (state && (states->empty() || states->back() != state)) states->push_back(state);
    if (state == 1 && states->size() == 2)
      testsupport::SaveScreenshot(testsupport::GrabScreen(), "bars/menu-tearoff-floating-real-window.png");
  });
  testsupport::Shell("(xdotool mousemove " + point(x, y) + " sleep 0.3 mousedown 1 sleep 0.3 mousemove " + point(x, y - 70) +
                     " sleep 0.5 mousemove " + point(x, y) + " sleep 0.4 mouseup 1 sleep 0.2 mousemove " + point(x + 1, y) +
                     " sleep 0.3 mousedown 1 sleep 0.3 mousemove " + point(x + 30, y - 90) + " sleep 0.4 mouseup 1) >/dev/null 2>&1 &");
  const bool ended = PumpUntil([&] { return seen.size() >= 4 && !win::GetCapture() && !menu(); }, 8000);
  win::KillTimer(nullptr, timer);
  states = nullptr;
  sample = nullptr;
  ASSERT_TRUE(ended) << "states seen: " << seen.size();
  EXPECT_EQ(seen, (std::vector<int>{2, 1, 2, 1})) << "open, floated, menu back, floated again";
  EXPECT_TRUE(floating()) << "dropped away: the toolbar stays floating";
  EXPECT_EQ(ActiveBarWindow, nullptr) << "the chain closed";
  const TRect r = wall->Control()->WindowRect();
  EXPECT_EQ(r.Left, x + 30 - 100) << "floated where the pointer left the zone";
  testsupport::SaveScreenshot(testsupport::GrabScreen(), "bars/menu-tearoff-dropped-real-window.png");
}

}  // namespace

