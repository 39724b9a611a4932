#pragma once
// A shown main form with a bar manager: a main menu bar ("&File", "&Help"), a docked toolbar
// ("Open" on Ctrl+O, "&Save", "S&earch", an edit item, "&Save All") and a floating toolbar
// ("Find"). Every link shows through a recording control; the windows lay their links out side by
// side. The navigation controller records what the hooks ask of it. Tests inject keys and clicks
// through the headless display and run timers on a virtual clock.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/system/Clock.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "tests/ui/bars/BarTestUnits.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarEditItems.h"
#include "ui/bars/BarHintViewInfo.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarNavigation.h"
#include "ui/bars/Bars.h"

// The control of every link: an edit-type control (editing while its edit window has the focus)
// that counts its invocations; only edit items keep the bars open on a click.
class THookControl : public TdxBarEditControl {
  VW_CLASS(THookControl, TdxBarEditControl)
 public:
  using TdxBarEditControl::TdxBarEditControl;
  bool Focused() const override { return Edit && win::GetFocus() == Edit; }
  bool ClosesBarsOnClick() const override { return Closes; }
  void Invoke(bool AByMouse, bool AFlag = false) override {
    ++Invocations;
    if (OnInvoke)
      OnInvoke();
    else
      TdxBarEditControl::Invoke(AByMouse, AFlag);
  }
  bool OwnsWindow(win::HWND AWindow) const override {
    return (Edit && AWindow == Edit) || TdxBarEditControl::OwnsWindow(AWindow);
  }
  // Hints in the screen-tip style, as the skin painter makes them.
  TdxBarCustomHintViewInfo* MakeHintViewInfo(const String& AHint, const String& AShortCut) override {
    if (!ScreenTipStyle) return TdxBarEditControl::MakeHintViewInfo(AHint, AShortCut);
    return CreateScreenTipStyleHintViewInfo(ControlPainter(), Manager(), AHint, AShortCut, nullptr);
  }
  win::HWND Edit = nullptr;
  bool ScreenTipStyle = false;
  bool Closes = true;
  int Invocations = 0;
  std::function<void()> OnInvoke;
};

// Records what the hooks ask of keyboard navigation.
class TRecordingNavigation : public TdxBarNavigationController {
  VW_CLASS(TRecordingNavigation, TdxBarNavigationController)
 public:
  void EnterNavigation(IdxBarAccessibilityHelper* Root) override {
    Calls.push_back("enter");
    Entered = Root ? Root->OwningBarManager() : nullptr;
  }
  void LeaveNavigation() override { Calls.push_back("leave"); }
  void StartKeyTipsWaiting(IdxBarAccessibilityHelper*) override { Calls.push_back("wait"); }
  void StopKeyTipsWaiting(bool AShow) override { Calls.push_back(AShow ? "end+show" : "end"); }
  bool RootOffersKeyTips(IdxBarAccessibilityHelper*) override { return KeyTips; }
  int Count(const std::string& ACall) const { return static_cast<int>(std::count(Calls.begin(), Calls.end(), ACall)); }
  std::vector<std::string> Calls;
  TdxBarManager* Entered = nullptr;
  bool KeyTips = false;
};

class BarHooksFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    StartBarTestUnits();
    Application->CreateForm(Form);
    Form->SetBounds(300, 200, 400, 300);
    dxBarItemControlFactory = [](TdxBarItemLink* ALink) {
      auto* control = new THookControl(ALink);
      control->Closes = !dynamic_cast<TdxBarWindowItem*>(ALink->Item());
      return control;
    };
    SavedNavigation = BarNavigationController;
    BarNavigationController = Navigation = new TRecordingNavigation;
    Form->SetCaption("Main");
    Form->Show();
    SetActiveWindow(Form->Handle());
    M = new TdxBarManager(Form);
    File = NewItem<TdxBarSubItem>("&File");
    Help = NewItem<TdxBarSubItem>("&Help");
    Open = NewItem<TdxBarButton>("Open");
    Open->SetShortCut(0x4000 | 'O');
    Save = NewItem<TdxBarButton>("&Save");
    Search = NewItem<TdxBarButton>("S&earch");
    Name = NewItem<TdxBarEdit>("&Name");
    Name->SetShowCaption(true);
    Find = NewItem<TdxBarButton>("Find");
    SaveAll = NewItem<TdxBarButton>("&Save All");
    // Toolbar buttons are reached by accelerator only while they show their caption.
    for (TdxBarButton* button : {Open, Save, Search, Find, SaveAll}) button->SetPaintStyle(TdxBarPaintStyle::psCaption);
    MainMenu = NewBar("Main Menu", dsTop, {File, Help});
    MainMenu->SetIsMainMenu(true);
    Standard = NewBar("Standard", dsTop, {Open, Save, Search, Name, SaveAll});
    Floating = NewBar("Tools", dsNone, {Find});
    Floating->SetFloatLeft(720);
    Floating->SetFloatTop(100);
    for (TdxBar* bar : {MainMenu, Standard, Floating}) bar->SetVisible(true);
    Layout();
    Pump();
  }
  void TearDown() override {
    Pump();
    TObject::Free(Form);
    Form = nullptr;
    dxBarItemControlFactory = nullptr;
    BarNavigationController = SavedNavigation;
    delete Navigation;
    EXPECT_EQ(ActiveBarWindow, nullptr);
    StopBarTestUnits();
  }


 public:
  template <class TItem>
  TItem* NewItem(const String& ACaption) {
    auto* item = new TItem(Form);
    item->SetCaption(ACaption);
    return item;
  }
  TdxBar* NewBar(const String& ACaption, TdxBarDockingStyle AStyle, std::initializer_list<TdxBarItem*> AItems) {
    TdxBar* bar = M->Bars()->Add();
    bar->SetCaption(ACaption);
    bar->SetDockingStyle(AStyle);
    for (TdxBarItem* item : AItems) bar->ItemLinks()->AddItem(item);
    return bar;
  }
  // Links side by side from the left of each window, 60 pixels wide.
  void Layout() {
    for (TdxBar* bar : {MainMenu, Standard, Floating}) {
      TdxBarControl* window = bar->Control();
      ASSERT_NE(window, nullptr) << bar->Caption();
      window->HandleNeeded();
      // The toolbar windows stand in by showing their window alone; the links read the property.
      if (win::IsWindowVisible(window->Handle())) window->SetVisible(true);
      if (window->ClientWidth() < 330) window->SetClientWidth(330);
      if (window->ClientHeight() < 24) window->SetClientHeight(24);
      TdxBarItemLinks* links = bar->ItemLinks();
      // Hit tests go through the window's view info, which the toolbar windows do not fill yet.
      window->ViewInfo()->Clear();
      for (int i = 0; i < links->VisibleCount(); ++i) {
        links->VisibleLinks(i)->SetItemRect({2 + 64 * i, 2, 62 + 64 * i, window->ClientHeight() - 2});
        if (TdxBarItemControl* control = links->VisibleLinks(i)->Control()) window->ViewInfo()->AddItemControl(control);
      }
    }
  }
  static THookControl* ControlOf(TdxBarItem* AItem, int ALink = 0) {
    return static_cast<THookControl*>(AItem->Links(ALink)->Control());
  }
  void Pump() { Application->ProcessMessages(); }
  void Key(unsigned AKey, bool ADown) {
    Headless().InjectKey(AKey, ADown);
    Pump();
  }
  void Press(unsigned AKey) {
    Key(AKey, true);
    Key(AKey, false);
  }
  // Holds the modifier while the key is pressed.
  void Chord(unsigned AModifier, unsigned AKey) {
    Key(AModifier, true);
    Press(AKey);
    Key(AModifier, false);
  }
  void MoveTo(int X, int Y) {
    Headless().InjectMouseMove(X, Y);
    Pump();
  }
  void Click(int X, int Y, int AButton = 1) {
    Headless().InjectMouseMove(X, Y);
    Headless().InjectMouseButton(AButton, true);
    Headless().InjectMouseButton(AButton, false);
    Pump();
  }
  static platform::HeadlessControl& Headless() { return *platform::Headless(); }

  platform::ScopedVirtualClock Clock;
  TRecordingNavigation* Navigation = nullptr;
  TdxBarNavigationController* SavedNavigation = nullptr;
  TItemFixtureForm* Form = nullptr;
  TdxBarManager* M = nullptr;
  TdxBar *MainMenu = nullptr, *Standard = nullptr, *Floating = nullptr;
  TdxBarSubItem *File = nullptr, *Help = nullptr;
  TdxBarButton *Open = nullptr, *Save = nullptr, *Search = nullptr, *Find = nullptr, *SaveAll = nullptr;
  TdxBarEdit* Name = nullptr;
};
