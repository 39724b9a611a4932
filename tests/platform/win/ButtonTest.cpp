#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "tests/platform/win/ControlFixture.h"

namespace wintest {
namespace {

using namespace win;

class ButtonTest : public ControlTest {
 protected:
  HWND MakeControl(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
    HWND b = CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, form,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    EXPECT_TRUE(b);
    // Dialog order is creation order.
    SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return b;
  }
  POINT Center(HWND h) {
    RECT r;
    GetClientRect(h, &r);
    return ClientPointXY(h, r.right / 2, r.bottom / 2);
  }
  int ClicksFrom(int id) {
    int n = 0;
    for (const Logged& l : log)
      if (l.window == "form" && l.msg == WM_COMMAND && HIWORD(l.wParam) == BN_CLICKED && LOWORD(l.wParam) == id) ++n;
    return n;
  }
};

TEST_F(ButtonTest, PushButtonClicksOnReleaseInsideOnly) {
  HWND ok = MakeControl("Button", "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 20, 20, 90, 26, IDOK);
  ClearLog();
  Click(Center(ok));
  EXPECT_EQ(ClicksFrom(IDOK), 1);
  EXPECT_EQ(GetFocus(), ok);
  // Pressed inside and released outside: no click, and the button comes back up.
  POINT c = Center(ok);
  Drag(c, {c.x + 200, c.y});
  EXPECT_EQ(ClicksFrom(IDOK), 1);
  EXPECT_EQ(SendMessage(ok, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  // Space presses on key-down and clicks on key-up.
  Screen().InjectKey(VK_SPACE, true);
  Pump();
  EXPECT_NE(SendMessage(ok, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  Screen().InjectKey(VK_SPACE, false);
  Pump();
  EXPECT_EQ(ClicksFrom(IDOK), 2);
  SendMessage(ok, BM_CLICK, 0, 0);
  EXPECT_EQ(ClicksFrom(IDOK), 3);
  EnableWindow(ok, FALSE);
  SendMessage(ok, BM_CLICK, 0, 0);
  EXPECT_EQ(ClicksFrom(IDOK), 3);
  EXPECT_EQ(SendMessage(ok, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
}

TEST_F(ButtonTest, CheckBoxesCycleThroughTheirStates) {
  HWND two = MakeControl("Button", "Two", BS_AUTOCHECKBOX, 20, 20, 120, 20, 1);
  HWND three = MakeControl("Button", "Three", BS_AUTO3STATE, 20, 50, 120, 20, 2);
  HWND manual = MakeControl("Button", "Manual", BS_CHECKBOX, 20, 80, 120, 20, 3);
  Click(Center(two));
  EXPECT_EQ(SendMessage(two, BM_GETCHECK, 0, 0), BST_CHECKED);
  Click(Center(two));
  EXPECT_EQ(SendMessage(two, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  LRESULT seen[3];
  for (LRESULT& s : seen) {
    Click(Center(three));
    s = SendMessage(three, BM_GETCHECK, 0, 0);
  }
  EXPECT_EQ(seen[0], BST_CHECKED);
  EXPECT_EQ(seen[1], BST_INDETERMINATE);
  EXPECT_EQ(seen[2], BST_UNCHECKED);
  // A plain check box only reports the click; its owner decides.
  ClearLog();
  Click(Center(manual));
  EXPECT_EQ(ClicksFrom(3), 1);
  EXPECT_EQ(SendMessage(manual, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // Indeterminate is only for three-state boxes.
  SendMessage(two, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(SendMessage(two, BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessage(three, BM_SETCHECK, BST_INDETERMINATE, 0);
  SaveShot("buttons_checks.png");
}

TEST_F(ButtonTest, RadioGroupKeepsOneChecked) {
  HWND r1 = MakeControl("Button", "One", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 20, 30, 150, 20, 11);
  HWND r2 = MakeControl("Button", "Two", BS_AUTORADIOBUTTON, 20, 55, 150, 20, 12);
  HWND r3 = MakeControl("Button", "Three", BS_AUTORADIOBUTTON, 20, 80, 150, 20, 13);
  HWND other = MakeControl("Button", "Other group", BS_AUTORADIOBUTTON | WS_GROUP, 20, 140, 150, 20, 14);
  // The group box goes below the buttons it surrounds.
  MakeControl("Button", "Group", BS_GROUPBOX | WS_GROUP, 10, 10, 200, 120, 10);
  SendMessage(other, BM_SETCHECK, BST_CHECKED, 0);
  auto checked = [&] {
    std::vector<int> out;
    for (HWND h : {r1, r2, r3, other}) out.push_back(static_cast<int>(SendMessage(h, BM_GETCHECK, 0, 0)));
    return out;
  };
  Click(Center(r2));
  EXPECT_EQ(checked(), (std::vector<int>{0, 1, 0, 1}));
  Click(Center(r1));
  EXPECT_EQ(checked(), (std::vector<int>{1, 0, 0, 1}));
  // Arrows move within the group, wrap at its end, and check where they land.
  Key(VK_DOWN);
  EXPECT_EQ(GetFocus(), r2);
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(GetFocus(), r1);
  EXPECT_EQ(checked(), (std::vector<int>{1, 0, 0, 1}));
  Key(VK_UP);
  EXPECT_EQ(GetFocus(), r3);
  EXPECT_EQ(checked(), (std::vector<int>{0, 0, 1, 1}));
  // The checked radio button is the group's tab stop.
  EXPECT_NE(GetWindowLong(r3, GWL_STYLE) & WS_TABSTOP, 0);
  EXPECT_EQ(GetWindowLong(r1, GWL_STYLE) & WS_TABSTOP, 0);
  // A double click on a radio button is reported as such.
  ClearLog();
  RunFor(1000);
  DoubleClick(Center(r2));
  EXPECT_EQ(Codes(BN_DOUBLECLICKED), 1);
  SaveShot("buttons_radio.png");
}

TEST_F(ButtonTest, OwnerDrawButtonIsDrawnByItsOwnerWithItsState) {
  std::vector<UINT> states;
  handlers[form] = [&](HWND, UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg != WM_DRAWITEM) return false;
    auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    EXPECT_EQ(d->CtlType, ODT_BUTTON);
    states.push_back(d->itemState);
    HBRUSH b = CreateSolidBrush((d->itemState & ODS_SELECTED) ? RGB(255, 0, 0) : RGB(0, 128, 0));
    FillRect(d->hDC, &d->rcItem, b);
    DeleteObject(b);
    result = TRUE;
    return true;
  };
  HWND b = MakeControl("Button", "", BS_OWNERDRAW, 20, 20, 60, 30, 5);
  Pump();
  EXPECT_EQ(ScreenPixel(Center(b)), 0x008000u);
  POINT c = Center(b);
  Screen().InjectMouseMove(c.x, c.y);
  Screen().InjectMouseButton(1, true);
  Pump();
  EXPECT_EQ(ScreenPixel(c), 0xFF0000u);
  EXPECT_NE(states.back() & ODS_FOCUS, 0u);
  Screen().InjectMouseButton(1, false);
  Pump();
  EXPECT_EQ(ScreenPixel(c), 0x008000u);
}

TEST_F(ButtonTest, PushButtonLooks) {
  MakeControl("Button", "Default", BS_DEFPUSHBUTTON, 20, 20, 90, 26, 1);
  HWND pressed = MakeControl("Button", "Pressed", BS_PUSHBUTTON, 120, 20, 90, 26, 2);
  HWND off = MakeControl("Button", "Disabled", BS_PUSHBUTTON | WS_DISABLED, 220, 20, 90, 26, 3);
  MakeControl("Button", "A longer caption on two lines", BS_PUSHBUTTON | BS_MULTILINE, 20, 60, 120, 44, 4);
  MakeControl("Button", "Left", BS_PUSHBUTTON | BS_LEFT, 150, 60, 90, 26, 5);
  HWND box = MakeControl("Button", "Check", BS_AUTOCHECKBOX | WS_DISABLED, 20, 120, 90, 20, 6);
  MakeControl("Button", "Text left", BS_AUTOCHECKBOX | BS_LEFTTEXT, 120, 120, 100, 20, 7);
  SendMessage(box, BM_SETCHECK, BST_CHECKED, 0);
  SendMessage(pressed, BM_SETSTATE, TRUE, 0);
  Pump();
  EXPECT_GT(InkOf(off), 0);
  // Pressed and unpressed faces differ.
  std::uint32_t topLeftPressed = ScreenPixel(ClientPointXY(pressed, 1, 1));
  SendMessage(pressed, BM_SETSTATE, FALSE, 0);
  EXPECT_NE(ScreenPixel(ClientPointXY(pressed, 1, 1)), topLeftPressed);
  SendMessage(pressed, BM_SETSTATE, TRUE, 0);
  SaveShot("buttons_push.png");
}

TEST_F(ButtonTest, StaticTextFramesImagesAndClicks) {
  HWND text = MakeControl("Static", "Label &text that wraps onto a second line", SS_LEFT, 20, 20, 120, 40, 20);
  MakeControl("Static", "Centred", SS_CENTER | SS_SUNKEN, 150, 20, 100, 20, 21);
  MakeControl("Static", "", SS_ETCHEDHORZ, 20, 70, 230, 2, 22);
  MakeControl("Static", "", SS_BLACKFRAME, 20, 80, 40, 30, 23);
  HWND notify = MakeControl("Static", "Click me", SS_NOTIFY, 150, 80, 100, 20, 24);
  HWND image = MakeControl("Static", "", SS_BITMAP, 20, 120, 10, 10, 25);
  HBITMAP bmp = CreateBitmap(24, 16, 1, 32, nullptr);
  {
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT all{0, 0, 24, 16};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(mem, &all, red);
    DeleteObject(red);
    SelectObject(mem, old);
    DeleteDC(mem);
  }
  EXPECT_EQ(SendMessage(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bmp)), 0);
  RECT r;
  GetClientRect(image, &r);
  EXPECT_EQ(r.right, 24);
  EXPECT_EQ(r.bottom, 16);
  EXPECT_EQ(ScreenPixel(ClientPointXY(image, 5, 5)), 0xFF0000u);
  EXPECT_GT(InkOf(text), 0);
  // A plain static lets clicks through; one with SS_NOTIFY reports them.
  ClearLog();
  Click(ClientPointXY(text, 5, 5));
  EXPECT_EQ(Names({WM_LBUTTONDOWN}), (std::vector<std::string>{"form:LBUTTONDOWN"}));
  Click(ClientPointXY(notify, 5, 5));
  EXPECT_EQ(Codes(STN_CLICKED), 1);
  SaveShot("statics.png");
  DestroyWindow(image);
  DeleteObject(bmp);
}

TEST_F(ButtonTest, EllipticPopupStaticShowsOnlyInsideItsRegion) {
  HWND popup = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "Static", "", WS_POPUP | SS_BLACKRECT, 500, 100, 80, 80,
                              form, nullptr, nullptr, nullptr);
  ASSERT_TRUE(popup);
  SetWindowRgn(popup, CreateEllipticRgn(0, 0, 80, 80), FALSE);
  ShowWindow(popup, SW_SHOWNOACTIVATE);
  Pump();
  // Black (the frame colour of the classic scheme) inside the ellipse, the desktop at its corner.
  EXPECT_EQ(ScreenPixel({540, 140}), 0u);
  EXPECT_NE(ScreenPixel({501, 101}), 0u);
  SaveShot("static_elliptic.png");
}

}  // namespace
}  // namespace wintest
