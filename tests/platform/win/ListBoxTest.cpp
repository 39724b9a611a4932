#include <vector>

#include "platform/win/Controls.h"
#include "platform/win/Keys.h"
#include "tests/platform/win/ControlFixture.h"

namespace wintest {
namespace {

using namespace win;

class ListBoxTest : public ControlTest {
 protected:
  HWND MakeList(DWORD style, int x = 10, int y = 10, int w = 150, int h = 120) {
    HWND lb = CreateWindowEx(WS_EX_CLIENTEDGE, "ListBox", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | LBS_NOTIFY | style,
                             x, y, w, h, form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(200)), nullptr, nullptr);
    EXPECT_TRUE(lb);
    return lb;
  }
  void Add(HWND lb, std::initializer_list<const char*> items) {
    for (const char* s : items) SendMessage(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  }
  std::string Text(HWND lb, int i) {
    std::string s(static_cast<std::size_t>(SendMessage(lb, LB_GETTEXTLEN, i, 0)), '\0');
    std::vector<char> buf(s.size() + 1);
    SendMessage(lb, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf.data()));
    return buf.data();
  }
  std::vector<int> Selected(HWND lb) {
    std::vector<int> out(64);
    out.resize(static_cast<std::size_t>(SendMessage(lb, LB_GETSELITEMS, 64, reinterpret_cast<LPARAM>(out.data()))));
    return out;
  }
  POINT ItemPoint(HWND lb, int i) {
    RECT r;
    SendMessage(lb, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    return ClientPointXY(lb, r.left + 5, (r.top + r.bottom) / 2);
  }
};

TEST_F(ListBoxTest, SortedStringsWithDataAndFinding) {
  HWND lb = MakeList(LBS_SORT);
  Add(lb, {"delta", "Alpha", "charlie", "bravo", "Bravo two"});
  EXPECT_EQ(SendMessage(lb, LB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(Text(lb, 0), "Alpha");
  EXPECT_EQ(Text(lb, 1), "bravo");
  EXPECT_EQ(Text(lb, 2), "Bravo two");
  EXPECT_EQ(Text(lb, 4), "delta");

  // Prefixes and exact matches ignore case; the search starts after the given index and wraps.
  struct Case {
    UINT msg;
    int start;
    const char* text;
    LRESULT expected;
  } cases[] = {
      {LB_FINDSTRING, -1, "BR", 1},    {LB_FINDSTRING, 1, "br", 2},        {LB_FINDSTRING, 2, "br", 1},
      {LB_FINDSTRING, -1, "x", LB_ERR}, {LB_FINDSTRINGEXACT, -1, "BRAVO", 1}, {LB_FINDSTRINGEXACT, -1, "brav", LB_ERR},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SendMessage(lb, c.msg, static_cast<WPARAM>(c.start), reinterpret_cast<LPARAM>(c.text)), c.expected) << c.text;

  SendMessage(lb, LB_SETITEMDATA, 3, 42);
  EXPECT_EQ(SendMessage(lb, LB_GETITEMDATA, 3, 0), 42);
  // An insertion does not sort and moves the data along with its item.
  EXPECT_EQ(SendMessage(lb, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("zulu")), 0);
  EXPECT_EQ(SendMessage(lb, LB_GETITEMDATA, 4, 0), 42);
  EXPECT_EQ(SendMessage(lb, LB_DELETESTRING, 0, 0), 5);
  EXPECT_EQ(SendMessage(lb, LB_DELETESTRING, 9, 0), LB_ERR);
  SendMessage(lb, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessage(lb, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(ListBoxTest, SingleSelectionByMouseKeysAndTypeAhead) {
  HWND lb = MakeList(0);
  Add(lb, {"apple", "apricot", "banana", "blueberry", "cherry"});
  EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), LB_ERR);
  ClearLog();
  Click(ItemPoint(lb, 2));
  EXPECT_EQ(GetFocus(), lb);
  EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Codes(LBN_SELCHANGE), 1);
  Key(VK_DOWN);
  EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), 3);
  Key(VK_HOME);
  EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), 0);
  // Type-ahead: a prefix typed quickly, and the same letter again steps on.
  RunFor(2000);
  Type("ch");
  EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), 4);
  RunFor(2000);
  Type("b");
  EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), 2);
  Type("b");
  EXPECT_EQ(SendMessage(lb, LB_GETCURSEL, 0, 0), 3);
  // Setting the selection by code tells nobody.
  ClearLog();
  SendMessage(lb, LB_SETCURSEL, 1, 0);
  EXPECT_EQ(Codes(LBN_SELCHANGE), 0);
  DoubleClick(ItemPoint(lb, 1));
  EXPECT_EQ(Codes(LBN_DBLCLK), 1);
  SaveShot("listbox_single.png");
}

TEST_F(ListBoxTest, ExtendedSelectionTakesRangesWithShiftAndTogglesWithCtrl) {
  HWND lb = MakeList(LBS_EXTENDEDSEL);
  Add(lb, {"a", "b", "c", "d", "e", "f"});
  Click(ItemPoint(lb, 1));
  EXPECT_EQ(Selected(lb), (std::vector<int>{1}));
  Chord({VK_SHIFT}, VK_DOWN);
  Chord({VK_SHIFT}, VK_DOWN);
  EXPECT_EQ(Selected(lb), (std::vector<int>{1, 2, 3}));
  // Shift+click from the anchor replaces the range.
  Screen().InjectKey(VK_SHIFT, true);
  Pump();
  Click(ItemPoint(lb, 0));
  Screen().InjectKey(VK_SHIFT, false);
  Pump();
  EXPECT_EQ(Selected(lb), (std::vector<int>{0, 1}));
  Screen().InjectKey(VK_CONTROL, true);
  Pump();
  Click(ItemPoint(lb, 4));
  Screen().InjectKey(VK_CONTROL, false);
  Pump();
  EXPECT_EQ(Selected(lb), (std::vector<int>{0, 1, 4}));
  EXPECT_EQ(SendMessage(lb, LB_GETSELCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessage(lb, LB_GETCARETINDEX, 0, 0), 4);

  SendMessage(lb, LB_SELITEMRANGE, TRUE, MAKELPARAM(2, 3));
  EXPECT_EQ(Selected(lb), (std::vector<int>{0, 1, 2, 3, 4}));
  SendMessage(lb, LB_SELITEMRANGE, FALSE, MAKELPARAM(0, 2));
  EXPECT_EQ(Selected(lb), (std::vector<int>{3, 4}));
  SendMessage(lb, LB_SETSEL, TRUE, -1);
  EXPECT_EQ(SendMessage(lb, LB_GETSELCOUNT, 0, 0), 6);
  // Single-selection messages are refused.
  EXPECT_EQ(SendMessage(lb, LB_SETCURSEL, 1, 0), LB_ERR);
  SaveShot("listbox_extended.png");
}

TEST_F(ListBoxTest, ScrollingAndGeometry) {
  HWND lb = MakeList(WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 10, 10, 150, 100);
  for (int i = 0; i < 30; ++i) SendMessage(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("item " + std::to_string(i)).c_str()));
  int h = static_cast<int>(SendMessage(lb, LB_GETITEMHEIGHT, 0, 0));
  EXPECT_GT(h, 8);
  RECT r;
  SendMessage(lb, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.top, 2 * h);
  EXPECT_EQ(SendMessage(lb, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 2 * h + 1)), MAKELRESULT(2, 0));
  SendMessage(lb, LB_SETTOPINDEX, 10, 0);
  EXPECT_EQ(SendMessage(lb, LB_GETTOPINDEX, 0, 0), 10);
  EXPECT_EQ(SendMessage(lb, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 1)), MAKELRESULT(10, 0));
  // Selecting an item out of view brings it in.
  SendMessage(lb, LB_SETCURSEL, 29, 0);
  int top = static_cast<int>(SendMessage(lb, LB_GETTOPINDEX, 0, 0));
  EXPECT_GT(top, 10);
  SendMessage(lb, LB_GETITEMRECT, 29, reinterpret_cast<LPARAM>(&r));
  RECT c;
  GetClientRect(lb, &c);
  EXPECT_LE(r.bottom, c.bottom);
  SendMessage(lb, LB_SETCARETINDEX, 0, FALSE);
  EXPECT_EQ(SendMessage(lb, LB_GETTOPINDEX, 0, 0), 0);
  // The bar's down arrow scrolls one item.
  SCROLLBARINFO sbi;
  ASSERT_TRUE(GetScrollBarInfo(lb, OBJID_VSCROLL, &sbi));
  Click({sbi.rcScrollBar.left + 3, sbi.rcScrollBar.bottom - 3});
  EXPECT_EQ(SendMessage(lb, LB_GETTOPINDEX, 0, 0), 1);
  // The thumb dragged to the bottom shows the last page.
  SendMessage(lb, LB_SETTOPINDEX, 0, 0);
  ASSERT_TRUE(GetScrollBarInfo(lb, OBJID_VSCROLL, &sbi));
  int x = sbi.rcScrollBar.left + 5;
  Drag({x, sbi.rcScrollBar.top + sbi.xyThumbTop + 3}, {x, sbi.rcScrollBar.bottom + 10});
  int last = static_cast<int>(SendMessage(lb, LB_GETTOPINDEX, 0, 0));
  EXPECT_EQ(last, 30 - c.bottom / h);

  // An owner's own bar scrolls the list through its window procedure, position in the high word.
  HWND own = CreateWindowEx(0, "ScrollBar", "", WS_CHILD | SBS_VERT, 0, 0, 17, 60, form, nullptr, nullptr, nullptr);
  SendMessage(lb, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 7), reinterpret_cast<LPARAM>(own));
  EXPECT_EQ(SendMessage(lb, LB_GETTOPINDEX, 0, 0), 7);
  EXPECT_EQ(GetScrollPos(lb, SB_VERT), 7);

  SendMessage(lb, LB_SETHORIZONTALEXTENT, 400, 0);
  EXPECT_EQ(SendMessage(lb, LB_GETHORIZONTALEXTENT, 0, 0), 400);
  SaveShot("listbox_scrolled.png");
}

struct Drawn {
  std::vector<UINT> items;
  std::vector<UINT> states;
};

TEST_F(ListBoxTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner) {
  Drawn drawn;
  int measured = 0;
  handlers[form] = [&](HWND, UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg == WM_MEASUREITEM) {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      m->itemHeight = 20 + static_cast<UINT>(m->itemData);
      ++measured;
      result = TRUE;
      return true;
    }
    if (msg == WM_DRAWITEM) {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      drawn.items.push_back(d->itemID);
      drawn.states.push_back(d->itemState);
      HBRUSH b = CreateSolidBrush((d->itemState & ODS_SELECTED) ? RGB(200, 0, 0) : RGB(0, 0, 200 - 40 * static_cast<BYTE>(d->itemData)));
      FillRect(d->hDC, &d->rcItem, b);
      DeleteObject(b);
      result = TRUE;
      return true;
    }
    return false;
  };
  HWND lb = MakeList(LBS_OWNERDRAWVARIABLE);
  for (int i = 0; i < 3; ++i) SendMessage(lb, LB_ADDSTRING, 0, i);  // no strings: the value is the item data
  EXPECT_EQ(SendMessage(lb, LB_GETITEMDATA, 2, 0), 2);
  EXPECT_EQ(SendMessage(lb, LB_GETITEMHEIGHT, 0, 0), 20);
  EXPECT_EQ(SendMessage(lb, LB_GETITEMHEIGHT, 2, 0), 22);
  EXPECT_GE(measured, 3);
  RECT r;
  SendMessage(lb, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.top, 41);
  SendMessage(lb, LB_SETCURSEL, 1, 0);
  drawn = {};
  Pump();
  ASSERT_FALSE(drawn.items.empty());
  bool sawSelected = false;
  for (std::size_t k = 0; k < drawn.items.size(); ++k)
    if (drawn.items[k] == 1) sawSelected = (drawn.states[k] & ODS_SELECTED) != 0;
  EXPECT_TRUE(sawSelected);
  POINT mid = ClientPointXY(lb, 10, r.top + 5);
  EXPECT_EQ(ScreenPixel(mid), 0x000078u);  // item 2 in the owner's colour
  SaveShot("listbox_ownerdraw.png");
  DestroyWindow(lb);
}

TEST_F(ListBoxTest, AListLiftedOutOfItsParentStillReportsToIt) {
  std::vector<UINT> ids;
  int drawn = 0, commands = 0;
  handlers[form] = [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == WM_MEASUREITEM) {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      ids.push_back(m->CtlID);
      m->itemHeight = 18;
      result = TRUE;
      return true;
    }
    if (msg == WM_DRAWITEM) ++drawn;
    if (msg == WM_COMMAND && HIWORD(wParam) == LBN_SELCHANGE && LOWORD(wParam) == 200) ++commands;
    return false;
  };
  HWND lb = MakeList(LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS);
  SetParent(lb, nullptr);
  ASSERT_EQ(GetParent(lb), nullptr);
  ids.clear();
  Add(lb, {"one", "two"});
  EXPECT_EQ(ids, (std::vector<UINT>{200, 200})) << "measured by the window it was made under, by its id";
  EXPECT_EQ(SendMessage(lb, LB_GETITEMHEIGHT, 1, 0), 18);
  ShowWindow(lb, SW_SHOWNA);
  Pump();
  EXPECT_GT(drawn, 0);
  SendMessage(lb, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(commands, 1);
  DestroyWindow(lb);
}

TEST_F(ListBoxTest, RedrawOffDefersPaintingButKeepsTheWindowShown) {
  HWND lb = MakeList(0);
  SendMessage(lb, WM_SETREDRAW, FALSE, 0);
  Add(lb, {"one", "two"});
  EXPECT_TRUE(IsWindowVisible(lb));
  Pump();
  EXPECT_EQ(InkOf(lb), 0);
  SendMessage(lb, WM_SETREDRAW, TRUE, 0);
  EXPECT_GT(InkOf(lb), 0);
}

}  // namespace
}  // namespace wintest
