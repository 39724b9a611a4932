#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win/Clipboard.h"
#include "platform/win/Controls.h"
#include "platform/win/Keys.h"
#include "tests/platform/win/ControlFixture.h"
#include "tests/support/Artifacts.h"

namespace wintest {
namespace {

using namespace win;

class EditTest : public ControlTest {
 protected:
  HWND MakeEdit(DWORD style, int x, int y, int w, int h, const char* text = "") {
    HWND e = CreateWindowEx(WS_EX_CLIENTEDGE, "Edit", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, w, h, form,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(100)), nullptr, nullptr);
    EXPECT_TRUE(e);
    return e;
  }
  std::pair<int, int> Sel(HWND e) {
    DWORD a = 0, b = 0;
    SendMessage(e, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    return {static_cast<int>(a), static_cast<int>(b)};
  }
};

TEST_F(EditTest, TypingSelectingCuttingPastingAndUndoing) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 10, 10, 200, 22);
  SetFocus(e);
  Type("hello world");
  EXPECT_EQ(GetWindowTextString(e), "hello world");
  EXPECT_EQ(Sel(e), std::make_pair(11, 11));
  // Every typed character changes the text once.
  EXPECT_EQ(Codes(EN_CHANGE), 11);

  // Shift+Ctrl+Left takes the last word; Ctrl+X puts it on the clipboard.
  Chord({VK_SHIFT, VK_CONTROL}, VK_LEFT);
  EXPECT_EQ(Sel(e), std::make_pair(6, 11));
  Chord({VK_CONTROL}, 'X');
  EXPECT_EQ(GetWindowTextString(e), "hello ");
  EXPECT_EQ(platform::CurrentDisplay().ClipboardText(), "world");

  Key(VK_HOME);
  Chord({VK_CONTROL}, 'V');
  EXPECT_EQ(GetWindowTextString(e), "worldhello ");
  EXPECT_EQ(Sel(e), std::make_pair(5, 5));

  EXPECT_TRUE(SendMessage(e, EM_CANUNDO, 0, 0));
  Chord({VK_CONTROL}, 'Z');
  EXPECT_EQ(GetWindowTextString(e), "hello ");
  // Undo undoes itself.
  SendMessage(e, EM_UNDO, 0, 0);
  EXPECT_EQ(GetWindowTextString(e), "worldhello ");

  // Backspace and Delete, then a replacement that can be undone.
  Key(VK_BACK);
  Key(VK_DELETE);
  EXPECT_EQ(GetWindowTextString(e), "worlello ");
  SendMessage(e, EM_SETSEL, 0, -1);
  SendMessage(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("new"));
  EXPECT_EQ(GetWindowTextString(e), "new");
  SendMessage(e, WM_UNDO, 0, 0);
  EXPECT_EQ(GetWindowTextString(e), "worlello ");
  SaveShot("edit_single.png");
}

TEST_F(EditTest, TextFromTheInputMethodCountsInCharacters) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 10, 10, 200, 22);
  SetFocus(e);
  Screen().InjectText("中文");
  Pump();
  Type("ab");
  EXPECT_EQ(GetWindowTextString(e), "中文ab");
  EXPECT_EQ(Sel(e), std::make_pair(4, 4));
  Chord({VK_SHIFT}, VK_HOME);
  EXPECT_EQ(Sel(e), std::make_pair(0, 4));
  SendMessage(e, EM_SETSEL, 1, 2);
  SendMessage(e, WM_CLEAR, 0, 0);
  EXPECT_EQ(GetWindowTextString(e), "中ab");
  // Positions step over whole characters.
  LRESULT p1 = SendMessage(e, EM_POSFROMCHAR, 1, 0);
  LRESULT p2 = SendMessage(e, EM_POSFROMCHAR, 2, 0);
  EXPECT_GT(static_cast<SHORT>(LOWORD(p1)), 0);
  EXPECT_GT(static_cast<SHORT>(LOWORD(p2)), static_cast<SHORT>(LOWORD(p1)));
  EXPECT_EQ(LOWORD(SendMessage(e, EM_CHARFROMPOS, 0, MAKELPARAM(LOWORD(p2), 2))), 2);
}

TEST_F(EditTest, PasswordShowsOnlyItsCharacterAndNeverReachesTheClipboard) {
  HWND plain = MakeEdit(0, 10, 10, 150, 22);
  HWND pw = MakeEdit(ES_PASSWORD, 10, 40, 150, 22);
  SendMessage(pw, EM_SETPASSWORDCHAR, '*', 0);
  SetWindowText(plain, "WWWW");
  SetFocus(pw);
  Type("WWWW");
  EXPECT_EQ(SendMessage(pw, EM_GETPASSWORDCHAR, 0, 0), '*');
  platform::CurrentDisplay().SetClipboardText("before");
  SendMessage(pw, EM_SETSEL, 0, -1);
  SendMessage(pw, WM_COPY, 0, 0);
  SendMessage(pw, WM_CUT, 0, 0);
  EXPECT_EQ(platform::CurrentDisplay().ClipboardText(), "before");
  EXPECT_EQ(GetWindowTextString(pw), "WWWW");
  SendMessage(pw, EM_SETSEL, -1, 0);
  // The plain edit and the password edit show different pixels for the same text.
  EXPECT_NE(InkOf(plain), InkOf(pw));
  EXPECT_GT(InkOf(pw), 0);
  SaveShot("edit_password.png");
}

TEST_F(EditTest, StylesFilterWhatIsTyped) {
  struct Case {
    DWORD style;
    const char* typed;
    const char* expected;
  } cases[] = {
      {ES_NUMBER, "a1b2", "12"},
      {ES_UPPERCASE, "abC", "ABC"},
      {ES_LOWERCASE, "AbC", "abc"},
      {ES_READONLY, "xyz", "ro"},
  };
  for (const Case& c : cases) {
    HWND e = MakeEdit(c.style, 10, 10, 150, 22, c.style == ES_READONLY ? "ro" : "");
    SetFocus(e);
    Type(c.typed);
    EXPECT_EQ(GetWindowTextString(e), c.expected) << c.typed;
    DestroyWindow(e);
  }
}

TEST_F(EditTest, AlignmentPlacesShortTextAndLongTextStartsAtTheLeft) {
  int x[3];
  DWORD aligns[3] = {ES_LEFT, ES_CENTER, ES_RIGHT};
  for (int k = 0; k < 3; ++k) {
    HWND e = MakeEdit(aligns[k], 10, 10 + 30 * k, 150, 22, "abc");
    x[k] = static_cast<SHORT>(LOWORD(SendMessage(e, EM_POSFROMCHAR, 0, 0)));
    // Text wider than the edit is laid out from the left whatever the alignment.
    SetWindowText(e, "a long text that does not fit into the edit at all");
    EXPECT_EQ(static_cast<SHORT>(LOWORD(SendMessage(e, EM_POSFROMCHAR, 0, 0))), 1) << k;
  }
  EXPECT_EQ(x[0], 1);
  EXPECT_GT(x[1], x[0] + 20);
  EXPECT_GT(x[2], x[1] + 20);
  SaveShot("edit_aligned.png");
}

TEST_F(EditTest, LimitStopsTypingAndSaysSo) {
  HWND e = MakeEdit(0, 10, 10, 150, 22);
  SendMessage(e, EM_LIMITTEXT, 3, 0);
  EXPECT_EQ(SendMessage(e, EM_GETLIMITTEXT, 0, 0), 3);
  SetFocus(e);
  Type("abcde");
  EXPECT_EQ(GetWindowTextString(e), "abc");
  EXPECT_GE(Codes(EN_MAXTEXT), 1);
  // Text set by code is not held to the typing limit.
  SetWindowText(e, "longer text");
  EXPECT_EQ(GetWindowTextString(e), "longer text");
}

TEST_F(EditTest, MarginsAndFormattingRectangle) {
  HWND e = MakeEdit(0, 10, 10, 150, 22);
  SendMessage(e, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 1));
  EXPECT_EQ(SendMessage(e, EM_GETMARGINS, 0, 0), MAKELRESULT(0, 1));
  SetWindowText(e, "x");
  EXPECT_EQ(LOWORD(SendMessage(e, EM_POSFROMCHAR, 0, 0)), 0);
  SendMessage(e, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(7, 0));
  EXPECT_EQ(LOWORD(SendMessage(e, EM_POSFROMCHAR, 0, 0)), 7);
  RECT r{20, 0, 100, 20};
  SendMessage(e, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
  RECT back{};
  SendMessage(e, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&back));
  EXPECT_EQ(back.left, 20);
  EXPECT_EQ(LOWORD(SendMessage(e, EM_POSFROMCHAR, 0, 0)), 20);
}

TEST_F(EditTest, MouseSelectsAndDoubleClickTakesAWord) {
  HWND e = MakeEdit(0, 10, 10, 200, 22, "alpha beta gamma");
  POINT b = ClientPoint(e, SendMessage(e, EM_POSFROMCHAR, 7, 0));  // inside "beta"
  DoubleClick(b);
  EXPECT_EQ(GetFocus(), e);
  EXPECT_EQ(Sel(e), std::make_pair(6, 11));
  // Dragging from the start of "alpha" to inside "gamma".
  POINT from = ClientPoint(e, SendMessage(e, EM_POSFROMCHAR, 0, 0));
  POINT to = ClientPoint(e, SendMessage(e, EM_POSFROMCHAR, 13, 0));
  RunFor(1000);
  Drag(from, to);
  EXPECT_EQ(Sel(e), std::make_pair(0, 13));
}

TEST_F(EditTest, SingleLineScrollsSidewaysToKeepTheCaretInView) {
  HWND e = MakeEdit(ES_AUTOHSCROLL, 10, 10, 60, 22);
  SetFocus(e);
  ClearLog();
  Type("a rather long line of text");
  EXPECT_GE(Codes(EN_HSCROLL), 1);
  // The first visible character is no longer the first one.
  EXPECT_GT(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  POINT caret;
  GetCaretPos(&caret);
  RECT c;
  GetClientRect(e, &c);
  EXPECT_LE(caret.x, c.right);
  Key(VK_HOME);
  EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(EditTest, MultiLineWrapsReportsItsLinesAndScrollsWithItsBar) {
  HWND e = MakeEdit(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 10, 10, 120, 60);
  SetWindowText(e, "one two three four five six seven eight nine ten\r\nshort\r\n\r\nlast");
  int lines = static_cast<int>(SendMessage(e, EM_GETLINECOUNT, 0, 0));
  EXPECT_GT(lines, 4);  // the first paragraph wraps
  // The paragraphs' starts.
  int shortLine = static_cast<int>(SendMessage(e, EM_LINEFROMCHAR, 50, 0));
  EXPECT_EQ(SendMessage(e, EM_LINEINDEX, shortLine, 0), 50);
  EXPECT_EQ(SendMessage(e, EM_LINELENGTH, 50, 0), 5);
  EXPECT_EQ(SendMessage(e, EM_LINELENGTH, 57, 0), 0);
  EXPECT_EQ(SendMessage(e, EM_LINEINDEX, lines - 1, 0), 59);
  EXPECT_EQ(SendMessage(e, EM_LINEINDEX, lines, 0), -1);
  char buf[32] = {};
  WORD size = sizeof buf - 1;
  std::memcpy(buf, &size, sizeof size);
  EXPECT_EQ(SendMessage(e, EM_GETLINE, shortLine, reinterpret_cast<LPARAM>(buf)), 5);
  EXPECT_EQ(std::string(buf, 5), "short");
  // Each wrapped line fits the width.
  for (int l = 0; l < shortLine; ++l) {
    int start = static_cast<int>(SendMessage(e, EM_LINEINDEX, l, 0));
    EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, start, 0), l);
  }

  // A click on the bar's down arrow scrolls one line and tells the parent.
  EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  SCROLLBARINFO sbi;
  ASSERT_TRUE(GetScrollBarInfo(e, OBJID_VSCROLL, &sbi));
  EXPECT_EQ(sbi.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u);
  ClearLog();
  Click({sbi.rcScrollBar.left + 3, sbi.rcScrollBar.bottom - 3});
  EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
  EXPECT_EQ(Codes(EN_VSCROLL), 1);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(e, SB_VERT, &si);
  EXPECT_EQ(si.nPos, 1);
  EXPECT_EQ(si.nMax, lines - 1);

  // An owner's own scroll bar control drives the edit through WM_VSCROLL with the position.
  HWND own = CreateWindowEx(0, "ScrollBar", "", WS_CHILD | SBS_VERT, 0, 0, 17, 60, form, nullptr, nullptr, nullptr);
  SendMessage(e, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3), reinterpret_cast<LPARAM>(own));
  EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 3);
  EXPECT_EQ(GetScrollPos(e, SB_VERT), 3);
  SendMessage(e, EM_LINESCROLL, 0, 100);
  EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), lines - 1);
  SendMessage(e, EM_SETSEL, 0, 0);
  SendMessage(e, EM_SCROLLCARET, 0, 0);
  EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  SaveShot("edit_multiline.png");
}

TEST_F(EditTest, ReplacementsLayOutAsTheWholeTextWould) {
  // A replacement lays out only the paragraphs it touches; the lines must match a fresh layout of
  // the same text, wrapped or not, wherever the change falls.
  struct Snapshot {
    std::vector<LRESULT> starts, lengths;
    int widest = 0;
    bool operator==(const Snapshot&) const = default;
  };
  auto snapshot = [](HWND e) {
    Snapshot s;
    LRESULT n = SendMessage(e, EM_GETLINECOUNT, 0, 0);
    for (LRESULT l = 0; l < n; ++l) {
      LRESULT start = SendMessage(e, EM_LINEINDEX, static_cast<WPARAM>(l), 0);
      s.starts.push_back(start);
      s.lengths.push_back(SendMessage(e, EM_LINELENGTH, static_cast<WPARAM>(start), 0));
    }
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE;
    GetScrollInfo(e, SB_HORZ, &si);
    s.widest = si.nMax;
    return s;
  };
  const char* pieces[] = {"", "a", "word ", "\r\n", "two words\r\n", "\r\n\r\n", "a rather longer run of words to wrap",
                          "\n", "x\r\ny"};
  for (DWORD style : {DWORD{ES_MULTILINE | WS_VSCROLL}, DWORD{ES_MULTILINE | ES_AUTOHSCROLL | WS_HSCROLL}}) {
    HWND e = MakeEdit(style, 10, 10, 120, 80);
    HWND fresh = MakeEdit(style, 10, 100, 120, 80);
    unsigned seed = 7;
    auto next = [&seed](unsigned n) {
      seed = seed * 1103515245u + 12345u;
      return (seed >> 16) % n;
    };
    for (int round = 0; round < 300; ++round) {
      int length = GetWindowTextLength(e);
      int a = static_cast<int>(next(static_cast<unsigned>(length) + 1));
      int b = std::min(length, a + static_cast<int>(next(6)));
      SendMessage(e, EM_SETSEL, static_cast<WPARAM>(a), b);
      SendMessage(e, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(pieces[next(std::size(pieces))]));
      std::string text = GetWindowTextString(e);
      SetWindowText(fresh, text.c_str());
      ASSERT_EQ(snapshot(e), snapshot(fresh)) << "round " << round << " style " << style << ": " << text;
    }
    DestroyWindow(e);
    DestroyWindow(fresh);
  }
}

TEST_F(EditTest, MultiLineEnterBreaksTheLineAndArrowsMoveBetweenLines) {
  HWND e = MakeEdit(ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, 10, 10, 150, 80);
  SetFocus(e);
  Type("ab");
  Key(VK_RETURN);
  Type("cd");
  EXPECT_EQ(GetWindowTextString(e), "ab\r\ncd");
  EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 2);
  Key(VK_UP);
  EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 0);
  // Backspace at a line's start joins it to the one above, taking the whole break.
  Key(VK_DOWN);
  Key(VK_HOME);
  Key(VK_BACK);
  EXPECT_EQ(GetWindowTextString(e), "abcd");
}

TEST_F(EditTest, FocusAndChangeNotificationsReachTheParent) {
  HWND e = MakeEdit(0, 10, 10, 150, 22);
  HWND other = MakeEdit(0, 10, 40, 150, 22);
  ClearLog();
  SetFocus(e);
  SetFocus(other);
  EXPECT_EQ(Codes(EN_SETFOCUS), 2);
  EXPECT_EQ(Codes(EN_KILLFOCUS), 1);
  ClearLog();
  SetWindowText(e, "x");
  EXPECT_EQ(Codes(EN_CHANGE), 1);
  EXPECT_EQ(Codes(EN_UPDATE), 1);
}

TEST_F(EditTest, ParentChoosesTheColoursAndReadOnlyLooksStatic) {
  HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
  UINT asked = 0;
  handlers[form] = [&](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_CTLCOLOREDIT && msg != WM_CTLCOLORSTATIC) return false;
    asked = msg;
    if (msg == WM_CTLCOLORSTATIC) return false;
    SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 255));
    SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 0));
    result = reinterpret_cast<LRESULT>(yellow);
    return true;
  };
  HWND e = MakeEdit(0, 10, 10, 150, 22, "text");
  Pump();
  EXPECT_EQ(asked, WM_CTLCOLOREDIT);
  EXPECT_EQ(ScreenPixel(ClientPointXY(e, 140, 10)), 0xFFFF00u);
  SendMessage(e, EM_SETREADONLY, TRUE, 0);
  EXPECT_NE(GetWindowLong(e, GWL_STYLE) & ES_READONLY, 0);
  Pump();
  EXPECT_EQ(asked, WM_CTLCOLORSTATIC);
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(ScreenPixel(ClientPointXY(e, 140, 10)),
            (static_cast<std::uint32_t>(GetRValue(face)) << 16) | (GetGValue(face) << 8) | GetBValue(face));
  handlers.clear();
  DestroyWindow(e);
  DeleteObject(yellow);
}

TEST_F(EditTest, CaretBlinksOnTheBlinkTime) {
  HWND e = MakeEdit(0, 10, 10, 150, 22);
  SetFocus(e);
  Pump();
  SetCaretBlinkTime(300);
  EXPECT_EQ(GetCaretBlinkTime(), 300u);
  POINT c;
  GetCaretPos(&c);
  POINT s = ClientPointXY(e, c.x, c.y + 4);
  std::uint32_t first = ScreenPixel(s);
  RunFor(300);
  std::uint32_t second = ScreenPixel(s);
  RunFor(300);
  std::uint32_t third = ScreenPixel(s);
  EXPECT_NE(first, second);
  EXPECT_EQ(first, third);
  SetCaretBlinkTime(530);
}

}  // namespace
}  // namespace wintest
