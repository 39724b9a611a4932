#include "tests/platform/win/ControlFixture.h"

#include <map>

#include "platform/win/Keyboard.h"
#include "platform/win/Keys.h"
#include "tests/support/Artifacts.h"

namespace wintest {

using namespace win;

void ControlTest::SetUp() {
  WindowTest::SetUp();
  form = Make("form", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 420, 320);
  SetActiveWindow(form);
  Pump();
}

void ControlTest::Key(unsigned vk) {
  Screen().InjectKey(vk, true);
  Pump();
  Screen().InjectKey(vk, false);
  Pump();
}

void ControlTest::Chord(std::initializer_list<unsigned> modifiers, unsigned vk) {
  // Each step is taken before the next, so the key state the messages see is the one of their moment.
  for (unsigned m : modifiers) Screen().InjectKey(m, true);
  Pump();
  Screen().InjectKey(vk, true);
  Pump();
  Screen().InjectKey(vk, false);
  Pump();
  for (unsigned m : modifiers) Screen().InjectKey(m, false);
  Pump();
}

void ControlTest::Type(const std::string& text) {
  for (char c : text) {
    SHORT scan = VkKeyScan(c);
    unsigned vk = static_cast<unsigned>(scan & 0xFF);
    if (scan & 0x100) Chord({VK_SHIFT}, vk);
    else Key(vk);
  }
}

void ControlTest::Click(POINT p, int button) {
  Screen().InjectMouseMove(p.x, p.y);
  Screen().InjectMouseButton(button, true);
  Screen().InjectMouseButton(button, false);
  Pump();
}

void ControlTest::DoubleClick(POINT p) {
  Click(p);
  Click(p);
}

void ControlTest::Drag(POINT from, POINT to) {
  Screen().InjectMouseMove(from.x, from.y);
  // All of it queued before pumping: a control may track the mouse in a loop of its own.
  Screen().InjectMouseButton(1, true);
  Screen().InjectMouseMove((from.x + to.x) / 2, (from.y + to.y) / 2);
  Screen().InjectMouseMove(to.x, to.y);
  Screen().InjectMouseButton(1, false);
  Pump();
}

POINT ControlTest::ClientPoint(HWND hwnd, LRESULT packed, int dx, int dy) {
  return ClientPointXY(hwnd, static_cast<SHORT>(LOWORD(packed)) + dx, static_cast<SHORT>(HIWORD(packed)) + dy);
}

POINT ControlTest::ClientPointXY(HWND hwnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  return p;
}

std::uint32_t ControlTest::ScreenPixel(POINT p) {
  Pump();
  int w = 0, h = 0;
  auto px = Screen().ComposeScreen(w, h);
  if (p.x < 0 || p.y < 0 || p.x >= w || p.y >= h) return 0xDEADBEEF;
  return px[static_cast<std::size_t>(p.y) * w + p.x] & 0xFFFFFF;
}

int ControlTest::InkOf(HWND hwnd) {
  Pump();
  int w = 0, h = 0;
  auto px = Screen().ComposeScreen(w, h);
  RECT c;
  GetClientRect(hwnd, &c);
  POINT o{0, 0};
  ClientToScreen(hwnd, &o);
  std::map<std::uint32_t, int> counts;
  for (int y = o.y; y < o.y + c.bottom && y < h; ++y)
    for (int x = o.x; x < o.x + c.right && x < w; ++x) ++counts[px[static_cast<std::size_t>(y) * w + x] & 0xFFFFFF];
  int most = 0, total = 0;
  for (auto& [k, n] : counts) {
    most = std::max(most, n);
    total += n;
  }
  return total - most;
}

int ControlTest::Codes(WORD code) {
  int n = 0;
  for (const Logged& l : log)
    if (l.window == "form" && l.msg == WM_COMMAND && HIWORD(l.wParam) == code && l.lParam != 0) ++n;
  return n;
}

void ControlTest::SaveShot(const std::string& name) {
  Pump();
  Screen().SaveScreenshot(testsupport::ArtifactPath(name));
}

}  // namespace wintest
