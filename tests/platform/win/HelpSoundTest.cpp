// F1 and WM_HELP, the help viewer's stand-in, and sounds: what the program asked for is kept so
// that it can be checked.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/win/Controls.h"
#include "platform/win/Help.h"
#include "platform/win/Keys.h"
#include "platform/win/Messages.h"
#include "platform/win/Sound.h"
#include "tests/platform/win/ControlFixture.h"
#include "tests/support/Artifacts.h"

namespace wintest {
namespace {

using namespace win;

// What reached the form's own procedure as WM_HELP, copied while the sender's HELPINFO lived.
std::vector<HELPINFO> g_helps;
WNDPROC g_formProc = nullptr;

LRESULT FormHearingHelp(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_HELP) {
    g_helps.push_back(*reinterpret_cast<const HELPINFO*>(lParam));
    return TRUE;
  }
  return CallWindowProc(g_formProc, hwnd, msg, wParam, lParam);
}

class HelpSoundTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    g_helps.clear();
    platform::ClearWinHelpCalls();
    Screen().ClearSounds();
  }
  void HearHelpAtForm() {
    g_formProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FormHearingHelp)));
  }
};

TEST_F(HelpSoundTest, FOneOnAFocusedControlAsksForHelpAboutIt) {
  HearHelpAtForm();
  HWND edit = CreateWindowEx(0, "Edit", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 22, form,
                             reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(42)), nullptr, nullptr);
  ASSERT_TRUE(SetWindowContextHelpId(edit, 1234));
  SetFocus(edit);
  Screen().InjectMouseMove(70, 80);
  Key(VK_F1);
  ASSERT_EQ(g_helps.size(), 1u) << "the edit does not answer, so the request climbs to the form";
  const HELPINFO& h = g_helps[0];
  EXPECT_EQ(h.cbSize, sizeof(HELPINFO));
  EXPECT_EQ(h.iContextType, HELPINFO_WINDOW);
  EXPECT_EQ(h.iCtrlId, 42);
  EXPECT_EQ(h.hItemHandle, edit);
  EXPECT_EQ(h.dwContextId, 1234u);
  EXPECT_EQ(h.MousePos.x, 70);
  EXPECT_EQ(h.MousePos.y, 80);

  // With Ctrl or Alt held, F1 is another key.
  Chord({VK_CONTROL}, VK_F1);
  Chord({VK_MENU}, VK_F1);
  EXPECT_EQ(g_helps.size(), 1u);

  ASSERT_TRUE(SetWindowContextHelpId(edit, 0));
  EXPECT_EQ(GetWindowContextHelpId(edit), 0u);
  EXPECT_FALSE(SetWindowContextHelpId(nullptr, 5));
}

TEST_F(HelpSoundTest, AnUnansweredHelpRequestGoesToTheOwner) {
  HearHelpAtForm();
  HWND owned = CreateWindowEx(0, "Button", "tool", WS_POPUP | WS_VISIBLE, 300, 300, 80, 30, form, nullptr,
                              nullptr, nullptr);
  HELPINFO info;
  info.hItemHandle = owned;
  SendMessage(owned, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_EQ(g_helps.size(), 1u);
  EXPECT_EQ(g_helps[0].hItemHandle, owned);
  DestroyWindow(owned);
}

TEST_F(HelpSoundTest, WinHelpKeepsEveryCall) {
  EXPECT_TRUE(WinHelp(form, "wall.hlp", HELP_CONTEXT, 17));
  EXPECT_TRUE(WinHelpA(nullptr, nullptr, HELP_QUIT, 0));
  const std::vector<platform::WinHelpCall> expected = {{form, "wall.hlp", HELP_CONTEXT, 17},
                                                       {nullptr, "", HELP_QUIT, 0}};
  EXPECT_EQ(platform::WinHelpCalls(), expected);
  platform::ClearWinHelpCalls();
  EXPECT_TRUE(platform::WinHelpCalls().empty());
}

TEST_F(HelpSoundTest, SoundsAreRecordedWithTheirFlags) {
  const std::string dir = testsupport::TempDir("sound");
  const std::string wave = dir + "/vw_sound_test.wav";
  std::ofstream(wave) << "RIFF";
  const std::string missing = dir + "/vw_no_such_sound.wav";
  constexpr DWORD kMenu = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC;
  ASSERT_EQ(kMenu, 0x12003u);
  EXPECT_TRUE(PlaySoundA("MenuPopup", nullptr, kMenu));
  EXPECT_TRUE(PlaySound(nullptr, nullptr, kMenu)) << "no sound: stop what plays";
  EXPECT_TRUE(PlaySound(wave.c_str(), nullptr, SND_FILENAME | SND_ASYNC));
  EXPECT_FALSE(PlaySound(missing.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT));
  EXPECT_TRUE(PlaySound(missing.c_str(), nullptr, SND_FILENAME)) << "the default sound stands in";
  EXPECT_TRUE(PlaySound(wave.c_str(), nullptr, SND_ASYNC)) << "an existing file, though not named one";
  EXPECT_FALSE(PlaySound("", nullptr, SND_ALIAS | SND_NODEFAULT));
  EXPECT_FALSE(PlaySound(reinterpret_cast<LPCSTR>(wave.data()), nullptr, SND_MEMORY | SND_NODEFAULT));
  const std::vector<platform::SoundRequest> expected = {
      {"MenuPopup", kMenu, true},
      {"", kMenu, false},
      {wave, SND_FILENAME | SND_ASYNC, false},
      {missing, SND_FILENAME | SND_NODEFAULT, false},
      {missing, SND_FILENAME, false},
      {wave, SND_ASYNC, false},
  };
  EXPECT_EQ(Screen().Sounds(), expected);
  std::remove(wave.c_str());
}

}  // namespace
}  // namespace wintest
