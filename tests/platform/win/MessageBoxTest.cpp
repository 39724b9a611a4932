#include "platform/win/Controls.h"
#include "platform/win/Keys.h"
#include "platform/win/MessageBox.h"
#include "tests/platform/win/ControlFixture.h"
#include "tests/support/Artifacts.h"

namespace wintest {
namespace {

using namespace win;

class MessageBoxTest : public ControlTest {
 protected:
  void Keys(std::initializer_list<unsigned> keys) {
    for (unsigned k : keys) {
      Screen().InjectKey(k, true);
      Screen().InjectKey(k, false);
    }
  }
};

TEST_F(MessageBoxTest, KeysPressTheButtons) {
  struct Case {
    UINT type;
    std::initializer_list<unsigned> keys;
    int expected;
  } cases[] = {
      {MB_OK, {VK_RETURN}, IDOK},
      {MB_OK, {VK_ESCAPE}, IDOK},
      {MB_YESNO | MB_DEFBUTTON2, {VK_RETURN}, IDNO},
      {MB_YESNO, {VK_ESCAPE, 'Y'}, IDYES},  // no Cancel: Escape does nothing
      {MB_OKCANCEL, {VK_ESCAPE}, IDCANCEL},
      {MB_YESNOCANCEL | MB_ICONQUESTION, {VK_TAB, VK_RETURN}, IDNO},
      {MB_ABORTRETRYIGNORE | MB_ICONERROR, {'I'}, IDIGNORE},
  };
  for (const Case& c : cases) {
    Keys(c.keys);
    EXPECT_EQ(MessageBox(form, "Question?", "Title", c.type), c.expected) << c.type;
    EXPECT_TRUE(IsWindowEnabled(form));
  }
}

TEST_F(MessageBoxTest, ModalToItsOwnerAndClickedWithTheMouse) {
  bool ownerDisabled = false;
  handlers[form] = [&](HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
    if (msg == WM_TIMER && wParam == 5) {
      KillTimer(form, 5);
      ownerDisabled = !IsWindowEnabled(form);
      HWND box = FindWindow("#32770", "串口");
      EXPECT_TRUE(box);
      HWND retry = GetDlgItem(box, IDRETRY);
      EXPECT_TRUE(retry);
      RECT r;
      GetWindowRect(retry, &r);
      Screen().SaveScreenshot(testsupport::ArtifactPath("messagebox.png"));
      Screen().InjectMouseMove((r.left + r.right) / 2, (r.top + r.bottom) / 2);
      Screen().InjectMouseButton(1, true);
      Screen().InjectMouseButton(1, false);
    }
    return false;
  };
  SetTimer(form, 5, 50, nullptr);
  EXPECT_EQ(MessageBox(form, "打开COM1错误，请确认该串口是否存在或被其他程序占用！", "串口", MB_RETRYCANCEL | MB_ICONWARNING), IDRETRY);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(form));
  EXPECT_EQ(GetActiveWindow(), form);
  EXPECT_EQ(FindWindow("#32770", "串口"), nullptr);
  handlers.clear();
}

}  // namespace
}  // namespace wintest
