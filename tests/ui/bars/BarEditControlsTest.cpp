// Edit controls on a docked toolbar: pressing shows the inner window with the text selected,
// Enter stores and closes the bars, Escape stores nothing, and long text reads back cut by
// characters, not bytes.
#include <gtest/gtest.h>

#include <string>

#include "platform/win/Controls.h"
#include "tests/ui/bars/BarHooksFixture.h"

namespace {

using namespace win;

class BarEditControlTest : public BarHooksFixture {
 protected:
  // The toolbar active with the name edit focused, its window over the link.
  THookControl* Focus() {
    THookControl* name = ControlOf(Name);
    name->Edit = name->InnerWindowHandle();
    name->SetWindowRect(Name->Links(0)->ItemRect());
    Standard->Control()->ActivateWithControl(name);
    name->Press(false);
    return name;
  }
};

TEST_F(BarEditControlTest, PressShowsTheTextSelectedAndEnterStoresIt) {
  Name->SetText("xy");
  int changes = 0, enters = 0;
  Name->OnChange = [&](TObject*) { ++changes; };
  Name->OnEnter = [&](TObject*) { ++enters; };
  THookControl* name = Focus();
  HWND window = name->InnerWindowHandle();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetFocus(), window);
  EXPECT_EQ(enters, 1);
  DWORD start = 9, end = 9;
  SendMessage(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 2u);

  for (unsigned key : {'A', 'B', 'C'}) Press(key);
  Press(VK_RETURN);
  Pump();
  EXPECT_EQ(Name->Text(), "abc");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(ActiveBarWindow, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  name->Edit = nullptr;
}

TEST_F(BarEditControlTest, EscapeStoresNothing) {
  Name->SetText("xy");
  THookControl* name = Focus();
  Press('Q');
  Press(VK_ESCAPE);
  Pump();
  EXPECT_EQ(Name->Text(), "xy");
  name->Edit = nullptr;
}

TEST_F(BarEditControlTest, LongTextReadsBackAsItsFirst255Characters) {
  THookControl* name = ControlOf(Name);
  struct Case {
    std::string Unit;
    int Count;
    int Kept;
  };
  for (const Case& c : {Case{"a", 300, 255}, Case{"\xE4\xB8\xAD", 120, 120}, Case{"\xE4\xB8\xAD", 300, 255}}) {
    std::string text;
    for (int i = 0; i < c.Count; ++i) text += c.Unit;
    SendMessage(name->InnerWindowHandle(), EM_LIMITTEXT, 0, 0);
    SetWindowText(name->InnerWindowHandle(), text.c_str());
    EXPECT_EQ(name->WindowText().size(), c.Unit.size() * static_cast<std::size_t>(c.Kept)) << c.Count;
  }
}

}  // namespace
