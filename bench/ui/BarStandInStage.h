#pragma once
// What the item-control benchmarks paint on: a form with a bar manager in the standard style and a
// shown stand-in bar window of a kind, whose links the benchmark fills; the units the bars draw
// with are started before and stopped after it, on the virtual clock.
#include <functional>
#include <memory>

#include "bench/ui/BarUnitsStage.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "tests/ui/bars/BarStandIns.h"
#include "ui/bars/BarUnit.h"

namespace barbench {

struct TStandInBarStage {
  platform::ScopedVirtualClock clock;
  barbench::TBarUnits units;
  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TStandInBar* bar = nullptr;
  std::unique_ptr<TdxBarItemLinks> links;

  // AFill adds the items to the links before the bar shows them; without AAutoSize the bar keeps
  // the 200 x 30 it starts with.
  TStandInBarStage(int AKind, const std::function<void(TStandInBarStage&)>& AFill, bool AAutoSize = true) {
    UseStandInControls();
    Application->CreateForm(form);
    manager = new TdxBarManager(form);
    manager->SetStyle(bmsStandard);
    links.reset(AKind == dxBarKindMenu ? static_cast<TdxBarItemLinks*>(new TdxBarSubMenuControlItemLinks(manager, nullptr))
                                       : new TdxBarControlItemLinks(manager, nullptr));
    AFill(*this);
    bar = new TStandInBar(manager, AKind);
    bar->SetItemLinks(links.get());
    bar->SetBounds(10, 10, 200, 30);
    form->Show();
    bar->HandleNeeded();
    bar->ShowNoActivate();
    bar->SetVisible(true);
    bar->AutoSize = AAutoSize;
    bar->Update();
  }
  ~TStandInBarStage() {
    TObject::Free(bar);
    links.reset();
    TObject::Free(form);
    dxBarItemControlFactory = nullptr;
  }
  TStandInBarStage(const TStandInBarStage&) = delete;
  TStandInBarStage& operator=(const TStandInBarStage&) = delete;
  void Repaint() const { win::RedrawWindow(bar->Handle(), nullptr, nullptr, win::RDW_INVALIDATE | win::RDW_UPDATENOW); }
};

}  // namespace barbench
