#include "tests/ui/panels/PanelsFixture.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/system/Registry.h"
#include "tests/support/Artifacts.h"
#include "ui/panels/Drawing.h"

namespace panelstest {

using namespace win;

Surface::Surface(int Width, int Height, Rgb Background) : width_(Width), height_(Height) {
  dc_ = CreateCompatibleDC(nullptr);
  BITMAPINFO bi{};
  bi.bmiHeader.biWidth = Width;
  bi.bmiHeader.biHeight = -Height;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<std::uint32_t*>(bits);
  old_ = SelectObject(dc_, bitmap_);
  canvas_.SetHandle(dc_);
  Fill(Background);
}

Surface::~Surface() {
  canvas_.SetHandle(nullptr);
  SelectObject(dc_, old_);
  DeleteDC(dc_);
  DeleteObject(bitmap_);
}

Rgb Surface::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFF;
  std::uint32_t p = bits_[static_cast<std::size_t>(y) * width_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void Surface::Fill(Rgb Color) {
  std::uint32_t p = ((Color & 0xFF) << 16) | (Color & 0xFF00) | ((Color >> 16) & 0xFF);
  std::fill(bits_, bits_ + static_cast<std::size_t>(width_) * height_, p);
}

std::vector<std::string> Surface::Mask(const std::vector<std::pair<char, Rgb>>& Legend) const {
  std::vector<std::string> rows;
  for (int y = 0; y < height_; ++y) {
    std::string row;
    for (int x = 0; x < width_; ++x) {
      char c = '?';
      for (auto& [letter, color] : Legend)
        if (color == At(x, y)) {
          c = letter;
          break;
        }
      row += c;
    }
    rows.push_back(row);
  }
  return rows;
}

void Surface::Save(const std::string& FileName) const {
  platform::WritePng(testsupport::ArtifactPath(FileName), bits_, width_, height_, width_);
}

namespace {

BOOL Yes() { return TRUE; }

// Theme handles are the class names' addresses; nothing is opened or closed for real.
HANDLE FakeOpenThemeData(HWND, LPCSTR) {
  static char button;
  return &button;
}
long FakeCloseThemeData(HANDLE) { return 0; }
long FakeDrawThemeBackground(HANDLE, HDC dc, int part, int state, const RECT* rect, const RECT*) {
  FakeThemes::DrawnStates().push_back(state);
  HBRUSH b = CreateSolidBrush(FakeThemes::ColorOf(part, state));
  FillRect(dc, rect, b);
  DeleteObject(b);
  return 0;
}
BOOL FakeIsPartiallyTransparent(HANDLE, int, int) { return TRUE; }

}  // namespace

std::vector<int>& FakeThemes::DrawnStates() {
  static std::vector<int> states;
  return states;
}

void FakeThemes::Install() {
  DrawnStates().clear();
  platform::InstallFakeModule(
      "UxTheme.dll",
      {platform::Export("IsAppThemed", &Yes), platform::Export("IsThemeActive", &Yes),
       platform::Export("OpenThemeData", &FakeOpenThemeData), platform::Export("CloseThemeData", &FakeCloseThemeData),
       platform::Export("DrawThemeBackground", &FakeDrawThemeBackground),
       platform::Export("IsThemeBackgroundPartiallyTransparent", &FakeIsPartiallyTransparent)});
  ThemeServices()->UpdateThemes();
}

void FakeThemes::Uninstall() {
  platform::ResetModuleOverrides();
  ThemeServices()->UpdateThemes();
}

void PanelsTest::SetUp() {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
  platform::SetRegistryStorePath(testsupport::TempDir("panels-registry") + "/registry");
  InitializeForms();
  Application->Initialize();
  rz::InitializeDrawing();
}

void PanelsTest::TearDown() {
  Pump();
  themes.Uninstall();
  FinalizeForms();
  platform::ResetDisplay();
}

void PanelsTest::Pump() {
  MSG m;
  for (int guard = 0; guard < 1000 && PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard)
    Application->ProcessMessages();
  screen_.clear();
}

void PanelsTest::RunFor(std::uint64_t ms) {
  std::uint64_t end = clock->NowMs() + ms;
  Pump();
  while (clock->NowMs() < end) {
    clock->Advance(1);
    Pump();
  }
}

TForm* PanelsTest::MakeForm(int Left, int Top, int ClientWidth, int ClientHeight, TColor Color) {
  auto* form = new TForm(Application, 0);
  form->SetBorderStyle(bsNone);
  form->SetBounds(Left, Top, ClientWidth, ClientHeight);
  form->SetColor(Color);
  form->Show();
  Pump();
  return form;
}

Rgb PanelsTest::ScreenPixel(int x, int y) {
  MSG m;
  if (screen_.empty() || PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE)) {
    Pump();
    screen_ = Headless().ComposeScreen(screenWidth_, screenHeight_);
  }
  if (x < 0 || y < 0 || x >= screenWidth_ || y >= screenHeight_) return 0xFFFFFFFF;
  std::uint32_t p = screen_[static_cast<std::size_t>(y) * screenWidth_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void PanelsTest::SaveScreen(const std::string& FileName, const RECT& R) {
  Pump();
  int w = 0, h = 0;
  auto pixels = Headless().ComposeScreen(w, h);
  RECT r{std::max<LONG>(R.left, 0), std::max<LONG>(R.top, 0), std::min<LONG>(R.right, w), std::min<LONG>(R.bottom, h)};
  const std::uint32_t* start = pixels.data() + static_cast<std::size_t>(r.top) * w + r.left;
  platform::WritePng(testsupport::ArtifactPath(FileName), start, r.right - r.left, r.bottom - r.top, w);
}

void PanelsTest::SaveControl(const std::string& FileName, TControl* Control, int Margin) {
  POINT p = Control->ClientToScreen(POINT{0, 0});
  SaveScreen(FileName, RECT{p.x - Margin, p.y - Margin, p.x + Control->Width() + Margin,
                            p.y + Control->Height() + Margin});
}

void PanelsTest::MoveMouse(TControl* Control, int x, int y) {
  POINT p = Control->ClientToScreen(POINT{x, y});
  Headless().InjectMouseMove(p.x, p.y);
  Pump();
}

void PanelsTest::MouseButton(bool Down, int Button) {
  Headless().InjectMouseButton(Button, Down);
  Pump();
}

void PanelsTest::Key(unsigned Vk, bool Down) {
  Headless().InjectKey(Vk, Down);
  Pump();
}

}  // namespace panelstest
