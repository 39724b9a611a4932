#include <cstring>

#include "platform/win/Clipboard.h"
#include "platform/win/Controls.h"
#include "platform/win/Keys.h"
#include "tests/platform/win/ControlFixture.h"

namespace wintest {
namespace {

using namespace win;

class ScrollBarTest : public ControlTest {
 protected:
  // The WM_HSCROLL codes (and positions) the form heard from a scroll bar control.
  std::vector<std::pair<int, int>> Scrolls() {
    std::vector<std::pair<int, int>> out;
    for (const Logged& l : log)
      if (l.window == "form" && l.msg == WM_HSCROLL && l.lParam) out.push_back({LOWORD(l.wParam), static_cast<SHORT>(HIWORD(l.wParam))});
    return out;
  }
  int Count(int code) {
    int n = 0;
    for (auto& [c, p] : Scrolls()) n += c == code;
    return n;
  }
};

TEST_F(ScrollBarTest, RangesPagesAndPositionsAreKeptConsistent) {
  HWND bar = CreateWindowEx(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 20, 20, 200, 17, form, nullptr, nullptr, nullptr);
  ASSERT_TRUE(bar);
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = 99;
  si.nPage = 10;
  si.nPos = 200;
  // The position stops where the page reaches the end.
  EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &si, TRUE), 90);
  struct Case {
    int pos;
    int expected;
  } cases[] = {{-5, 0}, {45, 45}, {91, 90}};
  for (const Case& c : cases) {
    SetScrollPos(bar, SB_CTL, c.pos, TRUE);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), c.expected) << c.pos;
  }
  // A page larger than the range is cut to it.
  si.fMask = SIF_PAGE;
  si.nPage = 500;
  SetScrollInfo(bar, SB_CTL, &si, FALSE);
  si.fMask = SIF_ALL;
  GetScrollInfo(bar, SB_CTL, &si);
  EXPECT_EQ(si.nPage, 100u);
  EXPECT_EQ(si.nPos, 0);
  int lo = -1, hi = -1;
  SetScrollRange(bar, SB_CTL, 10, 20, FALSE);
  GetScrollRange(bar, SB_CTL, &lo, &hi);
  EXPECT_EQ(lo, 10);
  EXPECT_EQ(hi, 20);

  SCROLLBARINFO info;
  ASSERT_TRUE(GetScrollBarInfo(bar, OBJID_CLIENT, &info));
  EXPECT_EQ(info.dxyLineButton, 17);
  EXPECT_EQ(info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE), 0u);
  EnableScrollBar(bar, SB_CTL, ESB_DISABLE_LTUP);
  GetScrollBarInfo(bar, OBJID_CLIENT, &info);
  EXPECT_NE(info.rgstate[1] & STATE_SYSTEM_UNAVAILABLE, 0u);
  EXPECT_EQ(info.rgstate[5] & STATE_SYSTEM_UNAVAILABLE, 0u);
  // A window without bars has nothing to report for them; one with them says whether they show.
  EXPECT_FALSE(GetScrollBarInfo(form, OBJID_CLIENT, &info));
  HWND plain = Make("plain", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 250, 20, 100, 100, form);
  ASSERT_TRUE(GetScrollBarInfo(plain, OBJID_VSCROLL, &info));
  EXPECT_EQ(info.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u);
  ASSERT_TRUE(GetScrollBarInfo(plain, OBJID_HSCROLL, &info));
  EXPECT_NE(info.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u);
  ShowScrollBar(plain, SB_VERT, FALSE);
  EXPECT_EQ(GetWindowLong(plain, GWL_STYLE) & WS_VSCROLL, 0);
  RECT c;
  GetClientRect(plain, &c);
  EXPECT_EQ(c.right, 100);
}

TEST_F(ScrollBarTest, ArrowsRepeatWhileHeldAndTheThumbTracks) {
  HWND bar = CreateWindowEx(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 20, 20, 217, 17, form, nullptr, nullptr, nullptr);
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMax = 99;
  si.nPage = 10;
  SetScrollInfo(bar, SB_CTL, &si, TRUE);
  // The form follows the bar as a real owner would.
  handlers[form] = [&](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
    if (msg == WM_HSCROLL) {
      int pos = GetScrollPos(bar, SB_CTL);
      switch (LOWORD(wParam)) {
        case SB_LINERIGHT: SetScrollPos(bar, SB_CTL, pos + 1, TRUE); break;
        case SB_PAGERIGHT: SetScrollPos(bar, SB_CTL, pos + 10, TRUE); break;
        case SB_THUMBPOSITION: SetScrollPos(bar, SB_CTL, static_cast<SHORT>(HIWORD(wParam)), TRUE); break;
        default: break;
      }
    }
    return false;
  };
  // Held on the right arrow for a second: one step, then repeats after the first delay.
  POINT right = ClientPointXY(bar, 217 - 8, 8);
  Screen().InjectMouseMove(right.x, right.y);
  Screen().InjectMouseButton(1, true);
  SetTimer(form, 21, 1000, nullptr);
  handlers[form] = [&, old = handlers[form]](HWND h, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& r) {
    if (msg == WM_TIMER && wParam == 21) {
      KillTimer(form, 21);
      Screen().InjectMouseButton(1, false);
      return true;
    }
    return old(h, msg, wParam, lParam, r);
  };
  ClearLog();
  Pump();
  int lines = Count(SB_LINERIGHT);
  // 1 at once, then one after 400 ms and one every 50 ms to the end of the second.
  EXPECT_GE(lines, 10);
  EXPECT_LE(lines, 14);
  EXPECT_EQ(Count(SB_ENDSCROLL), 1);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), lines);

  // Dragging the thumb to the far end: tracking positions, then the final one.
  SetScrollPos(bar, SB_CTL, 0, TRUE);
  SCROLLBARINFO info;
  GetScrollBarInfo(bar, OBJID_CLIENT, &info);
  ClearLog();
  POINT from{info.rcScrollBar.left + info.xyThumbTop + 3, info.rcScrollBar.top + 8};
  Drag(from, {info.rcScrollBar.right + 40, from.y});
  auto s = Scrolls();
  ASSERT_GE(s.size(), 3u);
  EXPECT_EQ(s[s.size() - 3].first, SB_THUMBTRACK);
  EXPECT_EQ(s[s.size() - 2], std::make_pair(static_cast<int>(SB_THUMBPOSITION), 90));
  EXPECT_EQ(s.back().first, SB_ENDSCROLL);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 90);
  // A click in the page area pages.
  ClearLog();
  SetScrollPos(bar, SB_CTL, 0, TRUE);
  Click(ClientPointXY(bar, 150, 8));
  EXPECT_EQ(Count(SB_PAGERIGHT), 1);
  SaveShot("scrollbar.png");
  handlers.clear();
}

TEST_F(ScrollBarTest, ClipboardTextInBothForms) {
  ASSERT_TRUE(OpenClipboard(form));
  ASSERT_TRUE(EmptyClipboard());
  const char16_t wide[] = u"串口 COM1";
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, sizeof wide);
  std::memcpy(GlobalLock(h), wide, sizeof wide);
  GlobalUnlock(h);
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, h), h);
  EXPECT_TRUE(CloseClipboard());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(platform::CurrentDisplay().ClipboardText(), "串口 COM1");
  // Read back as UTF-8 without opening the clipboard: refused.
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE t = GetClipboardData(CF_TEXT);
  ASSERT_TRUE(t);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(t)), "串口 COM1");
  GlobalUnlock(t);
  EXPECT_EQ(GetClipboardOwner(), form);
  EmptyClipboard();
  CloseClipboard();
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(RegisterClipboardFormat("Private")));
}

}  // namespace
}  // namespace wintest
