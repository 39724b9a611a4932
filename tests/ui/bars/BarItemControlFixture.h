#pragma once
// A form with a bar manager and the stand-in bar windows and buttons of BarStandIns.h.
#include "tests/ui/bars/BarItemFixture.h"
#include "tests/ui/bars/BarStandIns.h"
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
  static TdxBarItemControl* ControlAt(TStandInBar* Bar, int Index) { return Bar->ItemLinks()->Items(Index)->Control(); }

  TdxBarManager* M = nullptr;
  std::vector<TStandInBar*> Bars;
  std::vector<std::unique_ptr<TdxBarItemLinks>> Owned;

 private:
  int FItemCount = 0;
};
