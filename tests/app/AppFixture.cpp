#include "tests/app/AppFixture.h"

#include <fstream>

#include "app/Program.h"
#include "console/Config.h"
#include "platform/classes/Bitmap.h"
#include "platform/classes/JpegImage.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Hooks.h"
#include "platform/win/Controls.h"
#include "platform/win/Window.h"
#include "tests/support/Artifacts.h"

namespace apptest {

using namespace win;

AppTest* AppTest::current = nullptr;

namespace {

int RecordingMessageBox(HWND, const String& Text, const String& Caption, int) {
  if (!AppTest::current) return IDOK;
  AppTest::current->boxes.push_back(Caption + "|" + Text);
  if (AppTest::current->whileBoxShown) AppTest::current->whileBoxShown(Text);
  return IDOK;
}

}  // namespace

void AppTest::SetUp() {
  current = this;
  boxes.clear();
  platform::InstallDisplay(platform::CreateHeadlessDisplay(1280, 1024));
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string hint = std::string(info->test_suite_name()) + "-" + info->name();
  for (char& ch : hint)
    if (ch == '/') ch = '-';
  folder = testsupport::TempDir(hint);
  SetProgramFolder(folder);
  TApplication::SetMessageBoxFunc(RecordingMessageBox);
  StartProgram();
}

void AppTest::EndProgram() {
  FinalizeForms();
  EndLibraryUnits();
  // A quit the program posted would end the next start's loop at once.
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
}

void AppTest::StartProgram() {
  InitializeForms();
  // As the program starts them: the forms' library controls need their painters and skins.
  StartLibraryUnits();
  Application->Initialize();
  Application->SetTitle(kProgramTitle);
}

void AppTest::Restart() {
  EndProgram();
  StartProgram();
}

void AppTest::TearDown() {
  EndProgram();
  TApplication::SetMessageBoxFunc(nullptr);
  SetProgramFolder("");
  platform::ResetDisplay();
  current = nullptr;
}

void AppTest::WriteConfig(const std::string& text) { std::ofstream(folder + "/cfg.ini") << text; }

std::string AppTest::WriteQuadrantLogo(const std::string& name, int width, int height) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(width, height);
  const TColor colours[] = {clRed, clLime, clYellow, clBlue};
  const RECT quads[] = {{0, 0, width / 2, height / 2},
                        {width / 2, 0, width, height / 2},
                        {width / 2, height / 2, width, height},
                        {0, height / 2, width / 2, height}};
  for (int i = 0; i < 4; ++i) {
    bmp.Canvas()->Brush()->SetColor(colours[i]);
    bmp.Canvas()->FillRect(quads[i]);
  }
  TJPEGImage jpeg;
  jpeg.SetCompressionQuality(95);
  jpeg.Assign(&bmp);
  std::string path = folder + "/" + name;
  jpeg.SaveToFile(path);
  return path;
}

void AppTest::Start() {
  CreateProgramWindows();
  Application->Handle();
  Application->MainForm()->SetVisible(true);
  Pump();
}

void AppTest::Pump() {
  MSG m;
  for (int guard = 0; guard < 1000 && PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard) {
    if (m.message == WM_QUIT) break;
    Application->ProcessMessages();
  }
}

void AppTest::Tick() {
  clock->Advance(10);
  Pump();
}

void AppTest::RunFor(std::uint64_t ms) {
  std::uint64_t end = clock->NowMs() + ms;
  Pump();
  while (clock->NowMs() < end) {
    clock->Advance(1);
    Pump();
  }
}

void AppTest::ClickAt(POINT p) { DragAt(p, p); }

void AppTest::DragAt(POINT from, POINT to, int button) {
  Headless().InjectMouseMove(from.x, from.y);
  Pump();
  Headless().InjectMouseButton(button, true);
  Pump();
  Headless().InjectMouseMove(to.x, to.y);
  Pump();
  Headless().InjectMouseButton(button, false);
  Pump();
}

std::uint8_t AppTest::BootAlpha() {
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  EXPECT_TRUE(GetLayeredWindowAttributes(Form18->Handle(), &key, &alpha, &flags));
  return alpha;
}

std::vector<std::string> AppTest::VisibleForms() {
  std::vector<std::string> out;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (f->HandleAllocated() && IsWindowVisible(f->Handle())) out.push_back(f->ClassName());
  }
  return out;
}

bool AppTest::Terminated() {
  MSG m;
  return Application->Terminated() || PeekMessage(&m, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
}

std::vector<std::uint32_t> AppTest::WindowPixels(TWinControl* control) {
  Pump();
  int w = control->Width(), h = control->Height();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bmp);
  // The window's own backing store: what it painted, before layering or colour keys.
  HDC window = GetWindowDC(control->Handle());
  BitBlt(dc, 0, 0, w, h, window, 0, 0, SRCCOPY);
  ReleaseDC(control->Handle(), window);
  GdiFlush();
  std::vector<std::uint32_t> pixels(static_cast<const std::uint32_t*>(bits),
                                    static_cast<const std::uint32_t*>(bits) + static_cast<std::size_t>(w) * h);
  for (auto& p : pixels) p &= 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  return pixels;
}

std::uint32_t AppTest::WindowPixel(TWinControl* control, int x, int y) {
  auto pixels = WindowPixels(control);
  return pixels.at(static_cast<std::size_t>(y) * control->Width() + x);
}

std::uint32_t AppTest::ScreenPixel(int x, int y) {
  Pump();
  int w = 0, h = 0;
  auto pixels = Headless().ComposeScreen(w, h);
  if (x < 0 || y < 0 || x >= w || y >= h) return 0xDEADBEEF;
  return pixels[static_cast<std::size_t>(y) * w + x] & 0xFFFFFF;
}

void AppTest::SaveWindowShot(TWinControl* control, const std::string& name) {
  auto pixels = WindowPixels(control);
  platform::WritePng(testsupport::ArtifactPath(name), pixels.data(), control->Width(), control->Height(),
                     control->Width());
}

}  // namespace apptest
