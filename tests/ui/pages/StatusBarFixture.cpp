#include "tests/ui/pages/StatusBarFixture.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "tests/support/Artifacts.h"
#include "tests/support/FakeThemeLibrary.h"
#include "ui/foundation/PaintersUnit.h"

namespace statusbartest {

using namespace win;
using testsupport::FakeThemeLibrary;

void StatusBarTest::SetUp() {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(1200, 400));
  InitializeForms();
  Application->Initialize();
  PaintingUnitsStartup();
}

void StatusBarTest::UseFakeThemes() {
  PaintingUnitsShutdown();
  FakeThemeLibrary::Install();
  FakeThemeLibrary::OpenableClasses().insert("Status");
  PaintingUnitsStartup();
}

void StatusBarTest::TearDown() {
  Pump();
  FinalizeForms();
  PaintingUnitsShutdown();
  FakeThemeLibrary::Uninstall();
  platform::ResetDisplay();
}

void StatusBarTest::Pump() {
  MSG m;
  for (int guard = 0; guard < 1000 && PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard)
    Application->ProcessMessages();
  screen_.clear();
}

void StatusBarTest::RunFor(std::uint64_t ms) {
  std::uint64_t end = clock->NowMs() + ms;
  Pump();
  while (clock->NowMs() < end) {
    clock->Advance(1);
    Pump();
  }
}

TForm* StatusBarTest::MakeForm(int ClientWidth, int ClientHeight, TFormBorderStyle Style) {
  auto* form = new TForm(Application, 0);
  form->SetBorderStyle(Style);
  form->SetBounds(20, 20, ClientWidth, ClientHeight);
  form->SetClientSize(ClientWidth, ClientHeight);
  form->SetColor(clBtnFace);
  form->Show();
  Pump();
  return form;
}

TdxStatusBarPanel* StatusBarTest::AddTextPanel(TdxStatusBar* Bar, int Width, const String& Text) {
  TdxStatusBarPanel* panel = Bar->Panels()->Add();
  panel->SetWidth(Width);
  panel->SetText(Text);
  return panel;
}

TdxStatusBar* StatusBarTest::MakeConsoleBar(TForm* Form) {
  auto* bar = new TdxStatusBar(Form);
  bar->Font()->SetHeight(-11);
  bar->SetParent(Form);
  AddTextPanel(bar, 200, "Link: COM1 open");
  AddTextPanel(bar, 200, "User: operator");
  TdxStatusBarPanel* clock = AddTextPanel(bar, 428, "2026-12-10 20:30:00");
  clock->PanelStyle()->SetAlignment(taRightJustify);
  clock->SetBiDiMode(bdLeftToRight);
  clock->SetParentBiDiMode(false);
  Pump();
  return bar;
}

Rgb StatusBarTest::Pixel(TControl* Control, int x, int y) {
  MSG m;
  if (screen_.empty() || PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE)) {
    Pump();
    screen_ = platform::Headless()->ComposeScreen(screenWidth_, screenHeight_);
  }
  POINT p = Control->ClientToScreen(POINT{x, y});
  if (p.x < 0 || p.y < 0 || p.x >= screenWidth_ || p.y >= screenHeight_) return 0xFFFFFFFF;
  std::uint32_t v = screen_[static_cast<std::size_t>(p.y) * screenWidth_ + p.x];
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

std::string StatusBarTest::Row(TControl* Control, int y, int x0, int x1,
                               const std::vector<std::pair<char, Rgb>>& Legend) {
  std::string row;
  for (int x = x0; x < x1; ++x) {
    Rgb c = Pixel(Control, x, y);
    char letter = '?';
    for (auto& [l, color] : Legend)
      if (color == c) {
        letter = l;
        break;
      }
    row += letter;
  }
  return row;
}

void StatusBarTest::SaveControl(const std::string& FileName, TControl* Control) {
  Pump();
  int w = 0, h = 0;
  auto pixels = platform::Headless()->ComposeScreen(w, h);
  POINT p = Control->ClientToScreen(POINT{0, 0});
  RECT r{std::max<LONG>(p.x, 0), std::max<LONG>(p.y, 0), std::min<LONG>(p.x + Control->Width(), w),
         std::min<LONG>(p.y + Control->Height(), h)};
  const std::uint32_t* start = pixels.data() + static_cast<std::size_t>(r.top) * w + r.left;
  platform::WritePng(testsupport::ArtifactPath(FileName), start, r.right - r.left, r.bottom - r.top, w);
}

void StatusBarTest::MoveMouse(TControl* Control, int x, int y) {
  POINT p = Control->ClientToScreen(POINT{x, y});
  platform::Headless()->InjectMouseMove(p.x, p.y);
  Pump();
}

void StatusBarTest::MouseButton(bool Down) {
  platform::Headless()->InjectMouseButton(1, Down);
  Pump();
}

void StatusBarTest::Key(unsigned Vk, bool Down) {
  platform::Headless()->InjectKey(Vk, Down);
  Pump();
}

}  // namespace statusbartest
