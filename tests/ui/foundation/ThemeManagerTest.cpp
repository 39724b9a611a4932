#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "tests/support/FakeThemeLibrary.h"
#include "ui/foundation/ThemeManager.h"

namespace {

using namespace win;
using testsupport::FakeThemeLibrary;

class ThemeManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(320, 240));
    InitializeForms();
    Application->Initialize();
  }
  void TearDown() override {
    ThemeAccessShutdown();
    FakeThemeLibrary::Uninstall();
    FinalizeForms();
    platform::ResetDisplay();
  }
  // The theme library present with the listed classes, then the unit started.
  void StartWithFake(std::initializer_list<const char*> classes, const std::vector<std::string>& missing = {}) {
    FakeThemeLibrary::Install(missing);
    for (const char* c : classes) FakeThemeLibrary::OpenableClasses().insert(c);
    ThemeAccessStartup();
  }
  // A theme switch as the system sends it.
  static void SwitchTheme() {
    HWND receiver = ThemeChangedEventReceiver()->WindowHandle();
    SendMessage(receiver, WM_THEMECHANGED, 0, 0);
    SendMessage(receiver, WM_SYSCOLORCHANGE, 0, 0);
  }
};

TEST_F(ThemeManagerTest, WithoutTheLibraryEveryAnswerIsOff) {
  ThemeAccessStartup();
  EXPECT_FALSE(IsUxThemeBound());
  EXPECT_FALSE(HasVisualStyles());
  for (int id = 0; id < ThemeClassIdCount; ++id) {
    EXPECT_EQ(AcquireThemeHandle(static_cast<TdxThemeClassId>(id)), nullptr);
    EXPECT_FALSE(IsThemeClassAvailable(static_cast<TdxThemeClassId>(id)));
    EXPECT_EQ(ReleaseThemeHandle(static_cast<TdxThemeClassId>(id)), 1);
  }
  EXPECT_FALSE(IsLunaOrRoyaleTheme());
  EXPECT_FALSE(IsDwmApiLoaded());
  EXPECT_FALSE(IsDwmCompositionOn());
  EXPECT_EQ(ThemeChangedEventReceiver(), nullptr);

  // The wrappers find no entry points and say so.
  TRect content;
  TSize size;
  COLORREF color = 0;
  EXPECT_EQ(UxDrawThemeBackground(nullptr, nullptr, 1, 1, TRect(0, 0, 5, 5)), E_NOTIMPL);
  EXPECT_EQ(UxGetThemePartSize(nullptr, nullptr, 1, 1, nullptr, TS_TRUE, size), E_NOTIMPL);
  EXPECT_EQ(UxGetThemeBackgroundContentRect(nullptr, nullptr, 1, 1, TRect(0, 0, 5, 5), content), E_NOTIMPL);
  EXPECT_EQ(UxGetThemeColor(nullptr, 1, 1, TMT_TEXTCOLOR, color), E_NOTIMPL);
  EXPECT_FALSE(UxIsThemeBackgroundPartiallyTransparent(nullptr, 1, 1));
  EXPECT_FALSE(UxIsThemeActive());
  EXPECT_EQ(UxOpenThemeData(nullptr, "Button"), nullptr);

  // A notificator never joins, so nothing reaches it.
  int told = 0;
  TdxThemeChangedNotificator notificator;
  notificator.OnThemeChanged = [&] { ++told; };
  EXPECT_EQ(told, 0);
}

TEST_F(ThemeManagerTest, HandlesAreCachedPerTypeAndList) {
  StartWithFake({"Button", "Edit"});
  ASSERT_TRUE(HasVisualStyles());

  HTHEME first = AcquireThemeHandle(tciButton);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(AcquireThemeHandle(tciButton), first);
  EXPECT_EQ(FakeThemeLibrary::CountOf("OpenThemeData(Button)"), 1);
  EXPECT_EQ(AcquireThemeHandle(tciButton, "BUTTON"), first) << "lists compare without case";
  EXPECT_EQ(FakeThemeLibrary::CountOf("OpenThemeData"), 1);

  // Another list closes the handle and opens anew; a later nil keeps to the new list.
  HTHEME second = AcquireThemeHandle(tciButton, "Explorer::Edit;Edit");
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_EQ(FakeThemeLibrary::CountOf("CloseThemeData(BUTTON)"), 1);
  EXPECT_EQ(FakeThemeLibrary::ClassOf(second), "EDIT");
  EXPECT_EQ(AcquireThemeHandle(tciButton), second);

  // A release forgets the list: the next nil acquisition opens the type's own class.
  EXPECT_EQ(ReleaseThemeHandle(tciButton), S_OK);
  EXPECT_EQ(ReleaseThemeHandle(tciButton), 0) << "nothing open";
  EXPECT_EQ(FakeThemeLibrary::ClassOf(AcquireThemeHandle(tciButton)), "BUTTON");
}

TEST_F(ThemeManagerTest, AFailedOpenIsTriedAgain) {
  StartWithFake({"Button"});
  EXPECT_EQ(AcquireThemeHandle(tciHeader), nullptr);
  EXPECT_FALSE(IsThemeClassAvailable(tciHeader));
  EXPECT_EQ(FakeThemeLibrary::CountOf("OpenThemeData(Header)"), 2);
  FakeThemeLibrary::OpenableClasses().insert("Header");
  EXPECT_NE(AcquireThemeHandle(tciHeader), nullptr);
  EXPECT_TRUE(IsThemeClassAvailable(tciHeader));

  EXPECT_TRUE(HasVisualStyles({tciButton}));
  EXPECT_FALSE(HasVisualStyles({tciEdit, tciComboBox}));
  FakeThemeLibrary::OpenableClasses().insert("EDIT");
  EXPECT_FALSE(HasVisualStyles({tciEdit, tciComboBox})) << "one class failing is enough";
  FakeThemeLibrary::OpenableClasses().insert("COMBOBOX");
  EXPECT_TRUE(HasVisualStyles({tciEdit, tciComboBox}));
}

TEST_F(ThemeManagerTest, AThemeChangeReleasesEveryHandleAndEachReopensWithItsList) {
  StartWithFake({"Button", "Edit", "ScrollBar"});
  AcquireThemeHandle(tciButton);
  AcquireThemeHandle(tciEdit, "Edit");
  AcquireThemeHandle(tciScrollBar, "Explorer::ScrollBar;ScrollBar");
  FakeThemeLibrary::Calls().clear();

  SendMessage(ThemeChangedEventReceiver()->WindowHandle(), WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(FakeThemeLibrary::CountOf("CloseThemeData"), 3);
  AcquireThemeHandle(tciButton);
  AcquireThemeHandle(tciEdit);
  AcquireThemeHandle(tciScrollBar);
  EXPECT_EQ(FakeThemeLibrary::CountOf("OpenThemeData(Button)"), 1);
  EXPECT_EQ(FakeThemeLibrary::CountOf("OpenThemeData(Edit)"), 1);
  EXPECT_EQ(FakeThemeLibrary::CountOf("OpenThemeData(Explorer::ScrollBar;ScrollBar)"), 1);

  // Themes switched off: every acquisition is 0 and a release answers 1.
  FakeThemeLibrary::Active() = false;
  SwitchTheme();
  EXPECT_FALSE(HasVisualStyles());
  EXPECT_EQ(AcquireThemeHandle(tciButton), nullptr);
  EXPECT_EQ(ReleaseThemeHandle(tciButton), 1);
  FakeThemeLibrary::Active() = true;
  SwitchTheme();
  EXPECT_NE(AcquireThemeHandle(tciButton), nullptr);
}

TEST_F(ThemeManagerTest, LunaAndRoyaleAreRecognisedWithoutCase) {
  StartWithFake({"Button"});
  struct Case {
    const char* file;
    bool luna;
  } cases[] = {{"C:\\WINDOWS\\Resources\\Themes\\Luna\\luna.msstyles", true},
               {"luna.msstyles", true},
               {"C:\\Themes\\Royale.MSSTYLES", true},
               {"C:\\Themes\\aero.msstyles", false},
               {"C:\\Themes\\luna.msstyles.bak", false}};
  for (const Case& c : cases) {
    FakeThemeLibrary::ThemeFile() = c.file;
    EXPECT_EQ(IsLunaOrRoyaleTheme(), c.luna) << c.file;
  }
  FakeThemeLibrary::ThemeFile() = "luna.msstyles";
  FakeThemeLibrary::CurrentThemeNameFails() = true;
  EXPECT_FALSE(IsLunaOrRoyaleTheme());
}

TEST_F(ThemeManagerTest, NotificatorsAreToldFirstToLastAndAFailureGoesToTheApplication) {
  StartWithFake({"Button"});
  std::vector<int> order;
  TdxThemeChangedNotificator a, b, c;
  a.OnThemeChanged = [&] { order.push_back(1); };
  b.OnThemeChanged = [&] {
    order.push_back(2);
    throw std::runtime_error("relay failed");
  };
  c.OnThemeChanged = [&] { order.push_back(3); };
  String reported;
  Application->OnException = [&](TObject*, Exception& E) { reported = E.Message(); };

  HWND receiver = ThemeChangedEventReceiver()->WindowHandle();
  EXPECT_EQ(SendMessage(receiver, WM_SYSCOLORCHANGE, 0, 0), 0);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_EQ(reported, "relay failed");

  // Without the failing one every notificator is told, in the order they joined.
  b.OnThemeChanged = [&] { order.push_back(2); };
  order.clear();
  EXPECT_EQ(SendMessage(receiver, WM_THEMECHANGED, 0, 0), 0);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));

  // Other messages go to the default procedure.
  EXPECT_EQ(SendMessage(receiver, WM_USER + 5, 0, 0), 0);
}

TEST_F(ThemeManagerTest, MissingEntryPointsAnswerNotImplemented) {
  StartWithFake({"Button"}, {"GetThemeColor", "GetThemePartSize", "DrawThemeBackground"});
  HTHEME theme = AcquireThemeHandle(tciButton);
  ASSERT_NE(theme, nullptr);
  COLORREF color = 0;
  TSize size;
  EXPECT_EQ(UxGetThemeColor(theme, 1, 1, TMT_TEXTCOLOR, color), E_NOTIMPL);
  EXPECT_EQ(UxGetThemePartSize(theme, nullptr, 1, 1, nullptr, TS_TRUE, size), E_NOTIMPL);
  EXPECT_EQ(UxDrawThemeBackground(theme, nullptr, 1, 1, TRect(0, 0, 4, 4)), E_NOTIMPL);
}

TEST_F(ThemeManagerTest, ParentBackgroundKeepsTheFontOfTheDC) {
  StartWithFake({"Button"});
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFont(-12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "DejaVu Sans");
  HGDIOBJ old = SelectObject(dc, font);
  EXPECT_EQ(UxDrawThemeParentBackground(nullptr, dc, nullptr), S_OK);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
}

}  // namespace
