// Keyboard cues: a window tree keeps whether focus frames and underlines are hidden; a change
// asked anywhere goes to the top-level window, which tells the whole tree; moving about with the
// keyboard shows them again.
#include "tests/platform/win/WindowFixture.h"

#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"

namespace wintest {
namespace {

using namespace win;

class UiStateTest : public WindowTest {};

TEST_F(UiStateTest, ChangesGoToTheTopAndComeDownToEveryChild) {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200);
  HWND panel = Make("panel", WS_CHILD | WS_VISIBLE, 10, 10, 200, 100, top);
  HWND button = Make("button", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 80, 25, panel);
  EXPECT_EQ(SendMessage(button, WM_QUERYUISTATE, 0, 0), 0);

  SendMessage(button, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
  for (HWND h : {top, panel, button}) EXPECT_EQ(SendMessage(h, WM_QUERYUISTATE, 0, 0), UISF_HIDEFOCUS | UISF_HIDEACCEL);
  EXPECT_EQ(Names({WM_UPDATEUISTATE}), (std::vector<std::string>{"top:0x0128", "panel:0x0128",
                                                                  "button:0x0128"}));
  // A child made later starts as its parent is.
  HWND late = Make("late", WS_CHILD | WS_VISIBLE, 100, 10, 80, 25, panel);
  EXPECT_EQ(SendMessage(late, WM_QUERYUISTATE, 0, 0), UISF_HIDEFOCUS | UISF_HIDEACCEL);

  // No change, no update.
  ClearLog();
  SendMessage(panel, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
  EXPECT_TRUE(Names({WM_UPDATEUISTATE}).empty());
  SendMessage(panel, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
  EXPECT_EQ(SendMessage(button, WM_QUERYUISTATE, 0, 0), UISF_HIDEFOCUS);

  // The keyboard brings both back.
  SetFocus(button);
  Screen().InjectKey(VK_TAB, true);
  Pump();
  Screen().InjectKey(VK_TAB, false);
  Pump();
  EXPECT_EQ(SendMessage(button, WM_QUERYUISTATE, 0, 0), 0);
  EXPECT_EQ(SendMessage(top, WM_QUERYUISTATE, 0, 0), 0);
}

TEST_F(UiStateTest, CuesAlwaysShownWhenTheUserAskedForThem) {
  HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200);
  ASSERT_TRUE(SystemParametersInfo(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(TRUE), 0));
  SendMessage(top, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
  SendMessage(top, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEACCEL), 0);
  EXPECT_EQ(SendMessage(top, WM_QUERYUISTATE, 0, 0), 0);
  platform::ResetSystemParameters();
  SendMessage(top, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
  EXPECT_EQ(SendMessage(top, WM_QUERYUISTATE, 0, 0), UISF_HIDEFOCUS | UISF_HIDEACCEL);
}

}  // namespace
}  // namespace wintest
