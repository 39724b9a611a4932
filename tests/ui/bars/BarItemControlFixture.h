#pragma once
// A form with a bar manager and the stand-in bar windows and buttons of BarStandIns.h.
#include "tests/ui/bars/BarItemFixture.h"
#include "tests/ui/bars/BarStandIns.h"
#include "platform/system/Clock.h"
#include "platform/win/Keys.h"
#include "platform/win/Focus.h"
#include "platform/win/Messages.h"
#include "ui/foundation/GraphicsUnit.h"

// A form with a bar manager in the standard style; buttons become stand-in button controls, every
// other item the control its class names.
class BarItemControlFixture : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    // Item images draw through the graphics unit's scratch bitmaps.
    GraphicsUnitStartup();
    M = new TdxBarManager(Form);
    M->SetStyle(bmsStandard);
    UseStandInControls();
  }
  void TearDown() override {
    for (TStandInBar* bar : Bars) TObject::Free(bar);
    Bars.clear();
    Owned.clear();
    dxBarItemControlFactory = nullptr;
    GraphicsUnitShutdown();
    BarItemFixture::TearDown();
  }
  template <class T = TdxBarButton>
  T* Make(const String& Caption) {
    auto* item = new T(Form);
    item->SetName("Item" + std::to_string(++FItemCount));
    item->SetCaption(Caption);
    return item;
  }
  // A bar of the kind showing the items, its window made and shown at the screen place.
  TStandInBar* NewBar(int AKind, std::initializer_list<TdxBarItem*> Items, int X = 100, int Y = 100) {
    auto* bar = new TStandInBar(M, AKind);
    TdxBarItemLinks* links = AKind == dxBarKindMenu ? static_cast<TdxBarItemLinks*>(new TdxBarSubMenuControlItemLinks(M, nullptr))
                                                    : new TdxBarControlItemLinks(M, nullptr);
    for (TdxBarItem* item : Items) links->AddItem(item);
    bar->SetItemLinks(links);
    Owned.emplace_back(links);
    Bars.push_back(bar);
    Form->Show();
    bar->SetBounds(X, Y, 200, 30);
    bar->HandleNeeded();
    bar->ShowNoActivate();
    bar->SetVisible(true);
    bar->Update();
    return bar;
  }
  // Forgets a bar freed by the test itself.
  void Forget(TStandInBar* Bar) { std::erase(Bars, Bar); }
  static TdxBarItemControl* ControlAt(TCustomdxBarControl* Bar, int Index) { return Bar->ItemLinks()->Items(Index)->Control(); }

  TdxBarManager* M = nullptr;
  std::vector<TStandInBar*> Bars;
  std::vector<std::unique_ptr<TdxBarItemLinks>> Owned;

 private:
  int FItemCount = 0;
};

// With time on the virtual clock, and input injected through the headless display.
class BarInputFixture : public BarItemControlFixture {
 protected:
  // A key as the manager's keyboard hook hands it to the active bar.
  static void Key(TCustomdxBarControl* Bar, win::WORD Vk, bool AShift = false, bool ACtrl = false) {
    win::BYTE state[256] = {};
    if (AShift) state[win::VK_SHIFT] = 0x80;
    if (ACtrl) state[win::VK_CONTROL] = 0x80;
    win::SetKeyboardState(state);
    win::SendMessage(Bar->Handle(), win::WM_KEYDOWN, Vk, 0);
    win::BYTE none[256] = {};
    win::SetKeyboardState(none);
  }
  void Pump() {
    win::MSG m;
    for (int guard = 0; guard < 1000 && win::PeekMessage(&m, nullptr, 0, 0, win::PM_NOREMOVE); ++guard)
      Application->ProcessMessages();
  }
  // Time passes a millisecond at a time, so timers and the mouse-leave watch fire when they are due.
  void Wait(int Ms) {
    for (int i = 0; i < Ms; ++i) {
      Clock->Advance(1);
      Pump();
    }
  }
  void MoveTo(const TPoint& P) {
    Headless().InjectMouseMove(P.X, P.Y);
    Pump();
  }
  void MoveOnto(TCustomdxBarControl* Bar, int Index, int DX = 0) {
    TRect r = Bar->ControlScreenRect(ControlAt(Bar, Index));
    MoveTo({(r.Left + r.Right) / 2 + DX, (r.Top + r.Bottom) / 2});
  }
  void Button(bool ADown) {
    Headless().InjectMouseButton(1, ADown);
    Pump();
  }
  static platform::HeadlessControl& Headless() { return *platform::Headless(); }

  platform::ScopedVirtualClock Clock;
};
