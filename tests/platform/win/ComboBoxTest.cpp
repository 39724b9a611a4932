#include "platform/win/Controls.h"
#include "platform/win/Keys.h"
#include "tests/platform/win/ControlFixture.h"
#include "tests/support/Artifacts.h"

namespace wintest {
namespace {

using namespace win;

class ComboBoxTest : public ControlTest {
 protected:
  HWND MakeCombo(DWORD style, int x = 20, int y = 20) {
    HWND c = CreateWindowEx(0, "ComboBox", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | style, x, y, 160, 150, form,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(300)), nullptr, nullptr);
    EXPECT_TRUE(c);
    for (const char* s : {"COM1", "COM2", "COM3", "COM4"}) SendMessage(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    return c;
  }
};

TEST_F(ComboBoxTest, DropDownListPicksWithTheMouseAndTheKeys) {
  HWND c = MakeCombo(CBS_DROPDOWNLIST);
  RECT wr;
  GetWindowRect(c, &wr);
  // Only the field remains of the height asked for; the rest is the list's.
  EXPECT_LT(wr.bottom - wr.top, 30);
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessage(c, CB_SETCURSEL, 1, 0), 1);
  EXPECT_EQ(GetWindowTextString(c), "COM2");
  ClearLog();
  Click({wr.right - 8, (wr.top + wr.bottom) / 2});
  EXPECT_TRUE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(Codes(CBN_DROPDOWN), 1);
  SaveShot("combo_dropped.png");
  // The third item lies below the field, one item height per row.
  int itemH = static_cast<int>(SendMessage(c, CB_GETITEMHEIGHT, 0, 0));
  Click({wr.left + 20, wr.bottom + 1 + itemH * 2 + itemH / 2});
  EXPECT_FALSE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Codes(CBN_SELCHANGE), 1);
  EXPECT_EQ(Codes(CBN_CLOSEUP), 1);
  // Arrows step through the items; F4 drops down and Escape puts the selection back.
  Key(VK_DOWN);
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 3);
  Key(VK_F4);
  EXPECT_TRUE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
  Key(VK_UP);
  Key(VK_ESCAPE);
  EXPECT_FALSE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 3);
  // Setting the text of a drop-down list selects the matching item, or fails.
  EXPECT_EQ(SendMessage(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("com1")), TRUE);
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendMessage(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("LPT1")), CB_ERR);
  SaveShot("combo_droplist.png");
}

TEST_F(ComboBoxTest, DropDownEditsItsTextAndFindsItems) {
  HWND c = MakeCombo(CBS_DROPDOWN | CBS_SORT);
  SendMessage(c, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("AUTO"));
  EXPECT_EQ(SendMessage(c, CB_GETCOUNT, 0, 0), 5);
  EXPECT_EQ(SendMessage(c, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("com3")), 3);
  SetFocus(c);
  ClearLog();
  Type("COM9");
  EXPECT_EQ(GetWindowTextString(c), "COM9");
  EXPECT_EQ(Codes(CBN_EDITCHANGE), 4);
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessage(c, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("com2")), 2);
  EXPECT_EQ(GetWindowTextString(c), "COM2");
  SendMessage(c, CB_SETITEMDATA, 2, 77);
  EXPECT_EQ(SendMessage(c, CB_GETITEMDATA, 2, 0), 77);
  SendMessage(c, CB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessage(c, CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(GetWindowTextString(c), "");
}

TEST_F(ComboBoxTest, SimpleComboShowsItsListAlways) {
  HWND c = MakeCombo(CBS_SIMPLE);
  RECT wr;
  GetWindowRect(c, &wr);
  EXPECT_EQ(wr.bottom - wr.top, 150);
  HWND list = GetDlgItem(c, 1000);
  ASSERT_TRUE(list);
  EXPECT_TRUE(IsWindowVisible(list));
  RECT item;
  SendMessage(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  ClearLog();
  Click(ClientPointXY(list, item.left + 5, (item.top + item.bottom) / 2));
  EXPECT_EQ(GetWindowTextString(c), "COM2");
  EXPECT_EQ(Codes(CBN_SELCHANGE), 1);
  SaveShot("combo_simple.png");
}

}  // namespace
}  // namespace wintest
