#include "tests/ui/skins/SkinFormFixture.h"

#include <algorithm>

#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "tests/support/Artifacts.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/pages/PCStandardPainter.h"
#include "ui/skins/PCSkinPainter.h"
#include "ui/skins/RegisteredSkins.h"
#include "ui/skins/SkinWinController.h"
#include "ui/skins/StatusBarSkinPainter.h"

namespace skintest {

using namespace win;

void SkinFormTest::SetUp() {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(1280, 720));
  InitializeForms();
  Application->Initialize();
  SkinTest::SetUp();
  PaintingUnitsStartup();
  PCPaintersUnitStartup();
  RegisteredSkinsUnitStartup();
  PCSkinPainterUnitStartup();
  StatusBarSkinPainterUnitStartup();
}

void SkinFormTest::TearDown() {
  Pump();
  FinalizeForms();
  if (formSkinning_) {
    FormSkinsUnitShutdown();
    ControlsUnitShutdown();
  }
  for (const String& name : probeNames_) ExtendedStylePainterRegistry()->UnregisterPainter(name);
  StatusBarSkinPainterUnitShutdown();
  PCSkinPainterUnitShutdown();
  RegisteredSkinsUnitShutdown();
  PCPaintersUnitShutdown();
  PaintingUnitsShutdown();
  SkinTest::TearDown();
  platform::ResetDisplay();
}

void SkinFormTest::StartFormSkinning() {
  ControlsUnitStartup();
  FormSkinsUnitStartup();
  formSkinning_ = true;
}

void SkinFormTest::Pump() {
  MSG m;
  for (int guard = 0; guard < 1000 && PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard)
    Application->ProcessMessages();
  screen_.clear();
}

void SkinFormTest::RunFor(std::uint64_t Ms) {
  const std::uint64_t end = clock->NowMs() + Ms;
  Pump();
  while (clock->NowMs() < end) {
    clock->Advance(1);
    Pump();
  }
}

TForm* SkinFormTest::MakeForm(int ClientWidth, int ClientHeight, TFormBorderStyle Style) {
  auto* form = new TForm(Application, 0);
  form->SetBorderStyle(Style);
  form->SetBounds(10, 10, ClientWidth, ClientHeight);
  form->SetClientSize(ClientWidth, ClientHeight);
  form->SetColor(clBtnFace);
  form->Show();
  Pump();
  return form;
}

TdxSkinInfo* SkinFormTest::RegisterProbe(ProbeSkin& Probe, const String& Name) {
  auto* table = new TdxSkinLookAndFeelPainterInfo(Probe.Skin);
  Probe.Skin = nullptr;
  probePainters_.push_back(std::make_unique<TProbeRegistryPainter>());
  probeNames_.push_back(Name);
  ExtendedStylePainterRegistry()->RegisterPainter(Name, probePainters_.back().get(), table);
  return table;
}

std::uint32_t SkinFormTest::Pixel(TControl* Control, int X, int Y) {
  MSG m;
  if (screen_.empty() || PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE)) {
    Pump();
    screen_ = platform::Headless()->ComposeScreen(screenWidth_, screenHeight_);
  }
  POINT p = Control->ClientToScreen(POINT{X, Y});
  if (p.x < 0 || p.y < 0 || p.x >= screenWidth_ || p.y >= screenHeight_) return 0xFFFFFFFF;
  return screen_[static_cast<std::size_t>(p.y) * screenWidth_ + p.x] & 0xFFFFFF;
}

std::vector<std::uint32_t> SkinFormTest::Pixels(TControl* Control) {
  std::vector<std::uint32_t> out;
  for (int y = 0; y < Control->ClientHeight(); ++y)
    for (int x = 0; x < Control->ClientWidth(); ++x) out.push_back(Pixel(Control, x, y));
  return out;
}

void SkinFormTest::SaveControl(const std::string& FileName, TControl* Control) {
  Pump();
  int w = 0, h = 0;
  auto pixels = platform::Headless()->ComposeScreen(w, h);
  POINT p = Control->ClientToScreen(POINT{0, 0});
  RECT r{std::max<LONG>(p.x, 0), std::max<LONG>(p.y, 0), std::min<LONG>(p.x + Control->ClientWidth(), w),
         std::min<LONG>(p.y + Control->ClientHeight(), h)};
  const std::uint32_t* start = pixels.data() + static_cast<std::size_t>(r.top) * w + r.left;
  platform::WritePng(testsupport::ArtifactPath(FileName), start, r.right - r.left, r.bottom - r.top, w);
}

}  // namespace skintest

namespace skintest {

void SkinFormTest::SaveWindow(const std::string& FileName, TWinControl* Control) {
  Pump();
  int w = 0, h = 0;
  auto pixels = platform::Headless()->ComposeScreen(w, h);
  RECT wr{};
  GetWindowRect(Control->Handle(), &wr);
  RECT r{std::max<LONG>(wr.left, 0), std::max<LONG>(wr.top, 0), std::min<LONG>(wr.right, w), std::min<LONG>(wr.bottom, h)};
  const std::uint32_t* start = pixels.data() + static_cast<std::size_t>(r.top) * w + r.left;
  platform::WritePng(testsupport::ArtifactPath(FileName), start, r.right - r.left, r.bottom - r.top, w);
}

std::uint32_t SkinFormTest::ScreenPixel(int X, int Y) {
  MSG m;
  if (screen_.empty() || PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE)) {
    Pump();
    screen_ = platform::Headless()->ComposeScreen(screenWidth_, screenHeight_);
  }
  if (X < 0 || Y < 0 || X >= screenWidth_ || Y >= screenHeight_) return 0xFFFFFFFF;
  return screen_[static_cast<std::size_t>(Y) * screenWidth_ + X] & 0xFFFFFF;
}

}  // namespace skintest
