#include <cstring>
#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Hooks.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Metrics.h"
#include "tests/platform/win/ControlFixture.h"

namespace wintest {
namespace {

using namespace win;

class SystemSettingsTest : public ControlTest {
 protected:
  void TearDown() override {
    platform::ResetSystemParameters();
    platform::SetScreenBitsPerPixel(32);
    ControlTest::TearDown();
  }
  BOOL Flag(UINT get) {
    BOOL v = 2;
    EXPECT_TRUE(SystemParametersInfo(get, 0, &v, 0));
    return v;
  }
  UINT Number(UINT get) {
    UINT v = 12345;
    EXPECT_TRUE(SystemParametersInfo(get, 0, &v, 0));
    return v;
  }
};

TEST_F(SystemSettingsTest, SettingsChangeAndTheChangeIsBroadcastOnlyWhenAsked) {
  struct Case {
    UINT get, set;
    bool inPointer;
    UINT initial, changed;
  };
  const Case cases[] = {
      {SPI_GETMENUANIMATION, SPI_SETMENUANIMATION, true, TRUE, FALSE},
      {SPI_GETTOOLTIPANIMATION, SPI_SETTOOLTIPANIMATION, true, TRUE, FALSE},
      {SPI_GETTOOLTIPFADE, SPI_SETTOOLTIPFADE, true, FALSE, TRUE},
      {SPI_GETKEYBOARDCUES, SPI_SETKEYBOARDCUES, true, FALSE, TRUE},
      {SPI_GETWHEELSCROLLLINES, SPI_SETWHEELSCROLLLINES, false, 3, 5},
      {SPI_GETMENUSHOWDELAY, SPI_SETMENUSHOWDELAY, false, 400, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.get);
    EXPECT_EQ(Number(c.get), c.initial);
    ClearLog();
    void* pointer = c.inPointer ? reinterpret_cast<void*>(static_cast<UINT_PTR>(c.changed)) : nullptr;
    UINT param = c.inPointer ? 0 : c.changed;
    EXPECT_TRUE(SystemParametersInfo(c.set, param, pointer, 0));
    EXPECT_EQ(Number(c.get), c.changed);
    EXPECT_TRUE(Names({WM_SETTINGCHANGE}).empty());

    EXPECT_TRUE(SystemParametersInfo(c.set, param, pointer, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE));
    ASSERT_FALSE(log.empty());
    bool heard = false;
    for (const Logged& l : log) heard |= l.window == "form" && l.msg == WM_SETTINGCHANGE && l.wParam == c.set;
    EXPECT_TRUE(heard) << "the top-level form hears which setting changed";
  }
  platform::ResetSystemParameters();
  EXPECT_TRUE(Flag(SPI_GETMENUANIMATION));
  EXPECT_EQ(Number(SPI_GETWHEELSCROLLLINES), 3u);

  SetLastError(0);
  EXPECT_FALSE(SystemParametersInfo(SPI_GETMENUANIMATION, 0, nullptr, 0));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(SystemSettingsTest, TheUserChoosesTheInterfaceFontsAndTheSizesStay) {
  NONCLIENTMETRICS m{};
  m.cbSize = sizeof m;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &m, 0));
  const int captionHeight = m.iCaptionHeight;
  m.lfSmCaptionFont.lfHeight = -9;
  std::strcpy(m.lfSmCaptionFont.lfFaceName, "DejaVu Sans");
  m.iCaptionHeight = 40;
  ASSERT_TRUE(SystemParametersInfo(SPI_SETNONCLIENTMETRICS, sizeof m, &m, 0));
  LOGFONTA icon{};
  icon.lfHeight = -14;
  ASSERT_TRUE(SystemParametersInfo(SPI_SETICONTITLELOGFONT, sizeof icon, &icon, 0));

  NONCLIENTMETRICS read{};
  read.cbSize = sizeof read;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &read, 0));
  EXPECT_EQ(read.lfSmCaptionFont.lfHeight, -9);
  EXPECT_STREQ(read.lfSmCaptionFont.lfFaceName, "DejaVu Sans");
  EXPECT_EQ(read.iCaptionHeight, captionHeight) << "the classic sizes are fixed";
  LOGFONTA readIcon{};
  ASSERT_TRUE(SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof readIcon, &readIcon, 0));
  EXPECT_EQ(readIcon.lfHeight, -14);

  platform::ResetSystemParameters();
  ASSERT_TRUE(SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof readIcon, &readIcon, 0));
  EXPECT_EQ(readIcon.lfHeight, -11);
}

TEST_F(SystemSettingsTest, AWheelNotchScrollsTheLinesTheUserChose) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "line " + std::to_string(i) + "\r\n";
  HWND memo = CreateWindowEx(0, "Edit", text.c_str(), WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL, 10, 10, 200,
                             120, form, nullptr, nullptr, nullptr);
  HWND list = CreateWindowEx(0, "ListBox", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 220, 10, 150, 120, form, nullptr,
                             nullptr, nullptr);
  for (int i = 0; i < 40; ++i) SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
  Pump();
  const WPARAM down = MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA));

  ASSERT_TRUE(SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 5, nullptr, SPIF_SENDCHANGE));
  SendMessage(memo, WM_MOUSEWHEEL, down, 0);
  EXPECT_EQ(SendMessage(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 5);
  SendMessage(list, WM_MOUSEWHEEL, down, 0);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 5);

  // "A page per notch".
  ASSERT_TRUE(SystemParametersInfo(SPI_SETWHEELSCROLLLINES, WHEEL_PAGESCROLL, nullptr, 0));
  const LRESULT before = SendMessage(memo, EM_GETFIRSTVISIBLELINE, 0, 0);
  SendMessage(memo, WM_MOUSEWHEEL, down, 0);
  EXPECT_GT(SendMessage(memo, EM_GETFIRSTVISIBLELINE, 0, 0), before + 5);
}

TEST_F(SystemSettingsTest, SchemeColourChangeReachesTopLevelWindows) {
  HWND child = Make("child", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, form);
  ASSERT_TRUE(child);
  const INT which[] = {COLOR_BTNFACE};
  const COLORREF olive[] = {RGB(128, 128, 0)}, classic[] = {GetSysColor(COLOR_BTNFACE)};
  ClearLog();
  ASSERT_TRUE(SetSysColors(1, which, olive));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(128, 128, 0));
  EXPECT_EQ(Names({WM_SYSCOLORCHANGE}), std::vector<std::string>{"form:0x0015"})
      << "the top-level windows hear it, their children through them";
  SetSysColors(1, which, classic);
  EXPECT_FALSE(SetSysColors(1, nullptr, olive));
}

TEST_F(SystemSettingsTest, TheScreenCanReportSixteenBitsPerPixel) {
  HDC screen = GetDC(nullptr);
  HDC window = GetDC(form);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  platform::SetScreenBitsPerPixel(16);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 16);
  EXPECT_EQ(GetDeviceCaps(window, BITSPIXEL), 16);
  ReleaseDC(form, window);
  ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace wintest

namespace wintest {
namespace {

TEST_F(SystemSettingsTest, BeepsAreCountedWithTheirKind) {
  HWND numbers = CreateWindowEx(0, "Edit", "", WS_CHILD | WS_VISIBLE | ES_NUMBER, 10, 10, 100, 22, form, nullptr,
                                nullptr, nullptr);
  SetFocus(numbers);
  Screen().ClearBeeps();
  Type("1x");
  EXPECT_EQ(GetWindowTextString(numbers), "1");
  Beep(440, 50);
  MessageBeep(MB_ICONHAND);
  const std::vector<platform::BeepSound> expected = {
      {0, 880, 150}, {platform::BeepSound::kToneBeep, 440, 50}, {MB_ICONHAND, 880, 150}};
  EXPECT_EQ(Screen().Beeps(), expected) << "the refused letter, the tone, the error sound";
}

}  // namespace
}  // namespace wintest
