// Key tips: making them unique, the tips items wear by default, showing and narrowing them through
// a recording window host, executing a typed tip, Escape back out of a menu's tips, the 500 ms
// wait after Alt, and toolbars that go while tips wait or show.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/system/Clock.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "tests/ui/bars/BarStandIns.h"
#include "tests/ui/bars/BarToolbarFixture.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarNavigation.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/Timer.h"
#include "ui/foundation/Core.h"

using namespace win;

namespace {

// Records what the controller asks of the window host.
class TRecordingHost : public IKeyTipWindowHost {
 public:
  void ShowKeyTip(const String& Text, const TPoint& Anchor, int HorizontalPlacement, int VerticalPlacement,
                  bool Enabled, HWND& Window) override {
    Window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(++FLastWindow));
    Shown.push_back({Text, Anchor, HorizontalPlacement, VerticalPlacement, Enabled, Window});
    Open.push_back(Window);
  }
  void HideKeyTip(HWND Window) override {
    ++Hides;
    Open.erase(std::remove(Open.begin(), Open.end(), Window), Open.end());
  }
  void CommitKeyTips() override { ++Commits; }
  // The texts of the windows still open, in the order they were shown.
  std::vector<String> OpenTexts() const {
    std::vector<String> texts;
    for (const TShown& s : Shown)
      if (std::find(Open.begin(), Open.end(), s.Window) != Open.end()) texts.push_back(s.Text);
    return texts;
  }
  void Clear() {
    Shown.clear();
    Hides = Commits = 0;
  }
  struct TShown {
    String Text;
    TPoint Anchor;
    int Horizontal, Vertical;
    bool Enabled;
    HWND Window;
  };
  std::vector<TShown> Shown;
  std::vector<HWND> Open;
  int Hides = 0, Commits = 0;

 private:
  int FLastWindow = 0;
};

TRecordingHost* gHost = nullptr;

// A toolbar helper that offers key tips through the recording host and groups its items' tips.
class THostedToolbarHelper : public TdxBarControlAccessibilityHelper {
  VW_CLASS(THostedToolbarHelper, TdxBarControlAccessibilityHelper)
 public:
  using TdxBarControlAccessibilityHelper::TdxBarControlAccessibilityHelper;
  bool KeyTipsAvailable(IKeyTipWindowHost*& WindowHost) override {
    WindowHost = gHost;
    return gHost != nullptr;
  }
  bool GroupsKeyTips() override { return true; }
};

class THostedToolbar : public TdxBarControl {
  VW_CLASS(THostedToolbar, TdxBarControl)
 public:
  explicit THostedToolbar(TComponent* AOwner) : TdxBarControl(AOwner) {}
  TClass AccessibilityHelperClass() const override { return THostedToolbarHelper::StaticClass(); }
};

class THostedBar : public TdxBar {
  VW_CLASS(THostedBar, TdxBar)
 public:
  explicit THostedBar(TComponent* AOwner) : TdxBar(AOwner) {}
  TClass BarControlClass() const override { return THostedToolbar::StaticClass(); }
};

std::vector<String> TipsOf(const TdxBarKeyTipDataList& List) {
  std::vector<String> tips;
  for (const auto& data : List) tips.push_back(data->KeyTipInfo.KeyTip);
  return tips;
}

}  // namespace

TEST(BarKeyTipsUniqueTest, CollidingTipsGetNumbersAndPrefixesGetOne) {
  struct Row {
    std::vector<const char*> In;
    std::vector<String> Out;
    int Passes;
  };
  std::vector<String> twelve;
  for (int i = 1; i <= 12; ++i) twelve.push_back((i < 10 ? "B0" : "B") + std::to_string(i));
  const Row rows[] = {
      {{"A", "A", "AB"}, {"A1", "A2", "AB"}, 2},
      {{"F", "FX"}, {"F1", "FX"}, 2},
      {std::vector<const char*>(12, "B"), twelve, 2},
      // The "1" given to "A" collides with "A1": both are split again.
      {{"A", "A1"}, {"A11", "A12"}, 2},
      {{"a", "A"}, {"a", "A"}, 1},
      {{"X", "Y"}, {"X", "Y"}, 1},
  };
  for (const Row& row : rows) {
    TdxBarKeyTipDataList list;
    for (const char* tip : row.In) {
      TdxBarKeyTipInfo info{};
      info.KeyTip = tip;
      list.push_back(std::make_unique<TdxBarKeyTipData>(nullptr, info));
    }
    SCOPED_TRACE(row.In.size() ? row.In[0] : "");
    EXPECT_EQ(MakeKeyTipsUnique(list), row.Passes);
    EXPECT_EQ(TipsOf(list), row.Out);
  }
}

class BarKeyTipsTest : public BarToolbarFixture {
 protected:
  void SetUp() override {
    BarToolbarFixture::SetUp();
    // Every item gets the control its class names.
    dxBarItemControlFactory = nullptr;
    gHost = &Host;
    SetActiveWindow(Form->Handle());
    Bold = Button("&Bold");
    Back = Button("&Back");
    Italic = Button("&Italic");
    Colour = new TdxBarSubItem(Form);
    Colour->SetCaption("&Colour");
    Red = Button("&Red");
    Green = Button("&Green");
    Colour->ItemLinks()->AddItem(Red);
    Colour->ItemLinks()->AddItem(Green);
    Format = new THostedBar(Form);
    Format->AttachToParent(M);
    Format->SetCaption("Format");
    for (TdxBarItem* item : std::initializer_list<TdxBarItem*>{Bold, Back, Italic, Colour}) Format->ItemLinks()->AddItem(item);
    Format->SetDockingStyle(dsTop);
    Format->SetIsMainMenu(true);
    Format->SetVisible(true);
    Pump();
    ASSERT_NE(Format->Control(), nullptr);
  }
  void TearDown() override {
    if (BarNavigationController) BarNavigationController->EndKeyboardMode();
    BarToolbarFixture::TearDown();
    dxBarItemControlFactory = nullptr;
    gHost = nullptr;
  }
  TdxBarButton* Button(const String& ACaption) {
    auto* button = new TdxBarButton(Form);
    button->SetCaption(ACaption);
    return button;
  }
  IdxBarAccessibilityHelper* Root() { return BarAccessibilityHelperOf(Format->Control()->AccessibilityHelper()); }
  static TdxBarItemControlAccessibilityHelper* HelperOfItem(TdxBarItem* AItem) {
    TdxBarItemControl* control = AItem->Links(0)->Control();
    return control ? dynamic_cast<TdxBarItemControlAccessibilityHelper*>(control->AccessibilityHelperObject()) : nullptr;
  }
  // A key as the keyboard hook hands it to the controller.
  void Type(WORD AKey) {
    if (BarNavigationController->ClaimsKey(AKey, {})) BarNavigationController->ProcessKey(AKey, {});
    Pump();
  }
  static int Beeps() { return static_cast<int>(platform::Headless()->Beeps().size()); }
  TdxBarSubMenuControl* ColourMenu() {
    auto* menu = dynamic_cast<TdxBarSubMenuControl*>(Colour->ItemLinks()->BarControl());
    return menu && menu->HandleAllocated() && IsWindowVisible(menu->Handle()) ? menu : nullptr;
  }

  platform::ScopedVirtualClock Clock;
  TRecordingHost Host;
  THostedBar* Format = nullptr;
  TdxBarButton *Bold = nullptr, *Back = nullptr, *Italic = nullptr, *Red = nullptr, *Green = nullptr;
  TdxBarSubItem* Colour = nullptr;
};

TEST_F(BarKeyTipsTest, ItemsWearTheirShortcutLetterTheirAcceleratorOrY) {
  TdxBar* bar = AddToolbar<TdxBar>("Plain", dsTop, 4, 100, 30);
  TdxBarItem* items[4];
  for (int i = 0; i < 4; ++i) items[i] = bar->ItemLinks()->Items(i)->Item();
  items[0]->SetShortCut(0x4000 | 'S');
  items[1]->SetCaption("&Open");
  items[2]->SetCaption("Plain");
  items[3]->SetKeyTip("ABCD");
  Pump();
  const char* expected[] = {"S", "O", "Y", "ABC"};
  for (int i = 0; i < 4; ++i) {
    TdxBarItemControlAccessibilityHelper* helper = HelperOfItem(items[i]);
    ASSERT_NE(helper, nullptr) << i;
    EXPECT_EQ(helper->KeyTipText(), expected[i]) << i;
  }
  // Ctrl+Shift+S is no Ctrl+letter shortcut: the caption's accelerator decides.
  items[1]->SetShortCut(0x6000 | 'S');
  EXPECT_EQ(HelperOfItem(items[1])->KeyTipText(), "O");
}

TEST_F(BarKeyTipsTest, TypedKeysNarrowTheTipsAndAnExactTipClicksItsButton) {
  int clicks = 0;
  Bold->SetOnClick([&](TObject*) { ++clicks; });
  Bold->SetUnclickAfterDoing(true);
  Bold->SetButtonStyle(bsChecked);
  BarNavigationController->ShowKeyTips(Root(), {});
  EXPECT_EQ(Host.OpenTexts(), (std::vector<String>{"B1", "B2", "I", "C"}));
  EXPECT_EQ(Host.Commits, 1);
  for (const TRecordingHost::TShown& s : Host.Shown) {
    EXPECT_EQ(s.Horizontal, 2);
    EXPECT_EQ(s.Vertical, 2);
    EXPECT_TRUE(s.Enabled);
  }
  RECT r{};
  GetWindowRect(Format->Control()->Handle(), &r);
  const TPoint anchor = Host.Shown[0].Anchor;
  EXPECT_TRUE(anchor.X > r.left && anchor.X < r.right && anchor.Y > r.top && anchor.Y < r.bottom) << "on the button";

  Host.Clear();
  Type('B');
  EXPECT_EQ(BarNavigationController->TypedKeys(), "B");
  EXPECT_EQ(Host.OpenTexts(), (std::vector<String>{}));
  EXPECT_EQ(Host.Hides, 2) << "I and C";
  EXPECT_EQ(Host.Commits, 1);

  const int beeps = Beeps();
  Host.Clear();
  Type('Q');
  EXPECT_EQ(Beeps(), beeps + 1);
  EXPECT_EQ(BarNavigationController->TypedKeys(), "B");
  EXPECT_EQ(Host.Hides + Host.Commits + static_cast<int>(Host.Shown.size()), 0);

  Type('1');
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(Bold->Down()) << "clicked as a check button";
  EXPECT_TRUE(Bold->UnclickAfterDoing()) << "restored after the click";
  EXPECT_FALSE(BarNavigationController->InKeyTipMode());
  EXPECT_TRUE(Host.Open.empty()) << "every window hidden";
  EXPECT_EQ(ActiveBarWindow, nullptr);
}

TEST_F(BarKeyTipsTest, ASubItemsTipDropsItsMenuAndEscapeReturnsToTheToolbarsTips) {
  BarNavigationController->ShowKeyTips(Root(), {});
  Host.Clear();
  Type('C');
  TdxBarSubMenuControl* menu = ColourMenu();
  ASSERT_NE(menu, nullptr) << "the menu dropped";
  EXPECT_EQ(ActiveBarWindow, menu);
  EXPECT_EQ(BarHelperOf(BarNavigationController->KeyTipContainer()), static_cast<TdxBarAccessibilityHelper*>(BarHelperOf(BarAccessibilityHelperOf(menu->AccessibilityHelper()))));
  EXPECT_EQ(Host.OpenTexts(), (std::vector<String>{"R", "G"}));
  ASSERT_EQ(Host.Shown.size(), 2u);
  EXPECT_EQ(Host.Shown[0].Horizontal, 1) << "menu tips sit on the glyph band";

  Host.Clear();
  Type(VK_ESCAPE);
  EXPECT_EQ(ColourMenu(), nullptr) << "the menu closed";
  EXPECT_EQ(BarNavigationController->KeyTipContainer(), Root());
  EXPECT_EQ(Host.OpenTexts(), (std::vector<String>{"B1", "B2", "I", "C"}));
}

TEST_F(BarKeyTipsTest, TipsShowAfterHalfASecondOfAltAlone) {
  EXPECT_THROW(BarNavigationController->StartKeyTipsWaiting(nullptr), EdxException);
  TdxBar* other = AddToolbar<TdxBar>("Other", dsTop, 1, 100, 30);
  IdxBarAccessibilityHelper* otherRoot = BarAccessibilityHelperOf(other->Control()->AccessibilityHelper());

  // Through the keyboard hook: Alt held alone waits, and the tips show after 500 ms.
  platform::Headless()->InjectKey(VK_MENU, true);
  Pump();
  ASSERT_TRUE(BarNavigationController->IsWaiting());
  EXPECT_EQ(BarNavigationController->WaitingRoot(), Root());
  EXPECT_THROW(BarNavigationController->StartKeyTipsWaiting(otherRoot), EdxException);
  EXPECT_NO_THROW(BarNavigationController->StartKeyTipsWaiting(Root()));
  Clock->Advance(499);
  Pump();
  EXPECT_TRUE(Host.Shown.empty());
  Clock->Advance(1);
  Pump();
  EXPECT_EQ(Host.OpenTexts(), (std::vector<String>{"B1", "B2", "I", "C"}));
  EXPECT_FALSE(BarNavigationController->IsWaiting());
  platform::Headless()->InjectKey(VK_MENU, false);
  Pump();
  EXPECT_EQ(ActiveBarWindow, nullptr) << "the tips stand for the menu: the release selects nothing";
  EXPECT_EQ(Host.Open.size(), 4u);
  BarNavigationController->EndKeyboardMode();
  Pump();
  EXPECT_TRUE(Host.Open.empty());

  // Without Alt pending when the timer fires, the timer goes and nothing shows.
  Host.Clear();
  BarNavigationController->StartKeyTipsWaiting(Root());
  AltPending = false;
  Clock->Advance(500);
  Pump();
  EXPECT_EQ(BarNavigationController->WaitingTimer(), nullptr);
  EXPECT_FALSE(BarNavigationController->IsWaiting());
  EXPECT_TRUE(Host.Shown.empty());
}

TEST_F(BarKeyTipsTest, AToolbarThatGoesLeavesNothingToCall) {
  // Gone while the controller waits on its helper.
  BarNavigationController->StartKeyTipsWaiting(Root());
  AltPending = true;
  TObject::Free(Format);
  Format = nullptr;
  Pump();
  EXPECT_FALSE(BarNavigationController->IsWaiting());
  EXPECT_EQ(BarNavigationController->WaitingTimer(), nullptr);
  Clock->Advance(1000);
  Pump();
  EXPECT_TRUE(Host.Shown.empty());

  // Gone while its tips show: every window is hidden and the tips go.
  TdxBar* bar = AddToolbar<THostedBar>("Again", dsTop, 3, 100, 30);
  IdxBarAccessibilityHelper* root = BarAccessibilityHelperOf(bar->Control()->AccessibilityHelper());
  BarNavigationController->ShowKeyTips(root, {});
  ASSERT_EQ(Host.Open.size(), 3u);
  // An item that goes takes its own tip along.
  TObject::Free(bar->ItemLinks()->Items(0)->Item());
  Pump();
  EXPECT_EQ(BarNavigationController->KeyTipList().size(), 2u);
  EXPECT_EQ(Host.Open.size(), 2u);
  TObject::Free(bar);
  Pump();
  EXPECT_FALSE(BarNavigationController->InKeyTipMode());
  EXPECT_TRUE(BarNavigationController->KeyTipList().empty());
  EXPECT_TRUE(Host.Open.empty());
}

TEST_F(BarKeyTipsTest, TheKeypadTypesTheDigitItsKeyStandsFor) {
  TdxBar* bar = AddToolbar<THostedBar>("Dozen", dsNone, 12, 300, 30);
  int clicks = 0;
  for (int i = 0; i < 12; ++i) {
    bar->ItemLinks()->Items(i)->Item()->SetCaption("&B" + std::to_string(i));
    if (i == 9) bar->ItemLinks()->Items(i)->Item()->SetOnClick([&](TObject*) { ++clicks; });
  }
  Pump();
  BarNavigationController->ShowKeyTips(BarAccessibilityHelperOf(bar->Control()->AccessibilityHelper()), {});
  ASSERT_EQ(Host.OpenTexts().size(), 12u);
  EXPECT_EQ(Host.OpenTexts()[11], "B12");
  Type('B');
  Type(static_cast<WORD>(VK_NUMPAD0 + 1));
  EXPECT_EQ(BarNavigationController->TypedKeys(), "B1");
  EXPECT_EQ(Host.OpenTexts(), (std::vector<String>{"B10", "B11", "B12"}));
  Type(VK_NUMPAD0);
  EXPECT_EQ(clicks, 1) << "B10 is the tenth button";
}
