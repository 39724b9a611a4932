#pragma once
// What the toolbar window benchmarks run on: a form with a bar manager in the standard style, its
// dock sites, and a shown toolbar of numbered buttons with a small glyph and their caption, laid
// out by the toolbar's own layout; the units the bars draw with are started before and stopped
// after it, on the virtual clock.
#include <string>

#include "bench/ui/BarUnitsStage.h"
#include "platform/classes/Bitmap.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Clock.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"

namespace barbench {

struct TToolbarWindowStage {
  platform::ScopedVirtualClock clock;
  barbench::TBarUnits units;
  TForm* form = nullptr;
  TdxBarManager* manager = nullptr;
  TBitmap glyph;
  TdxBar* bar = nullptr;

  // AGroupEvery > 0 begins a group with every such button.
  TToolbarWindowStage(TdxBarDockingStyle AStyle, int AButtons, bool AMultiLine, int AGroupEvery = 0) {
    Application->CreateForm(form);
    form->SetBounds(0, 0, 1500, 1100);
    form->Show();
    manager = new TdxBarManager(form);
    manager->SetStyle(bmsStandard);
    manager->Bars()->CreateDockControls();
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(16, 16);
    glyph.Canvas()->Brush()->SetColor(clNavy);
    glyph.Canvas()->FillRect(win::RECT{2, 2, 14, 14});
    bar = manager->Bars()->Add();
    for (int i = 0; i < AButtons; ++i) {
      auto* button = new TdxBarButton(form);
      button->SetCaption("Scene " + std::to_string(i + 1));
      button->Glyph()->Assign(&glyph);
      button->SetPaintStyle(TdxBarPaintStyle::psCaptionGlyph);
      bar->ItemLinks()->AddItem(button)->SetBeginGroup(AGroupEvery > 0 && i % AGroupEvery == AGroupEvery - 1);
    }
    bar->SetMultiLine(AMultiLine);
    bar->SetFloatLeft(100);
    bar->SetFloatTop(100);
    bar->SetFloatClientWidth(400);
    bar->SetDockingStyle(AStyle);
    bar->SetVisible(true);
    Application->ProcessMessages();
  }
  ~TToolbarWindowStage() {
    TObject::Free(form);
  }
  TToolbarWindowStage(const TToolbarWindowStage&) = delete;
  TToolbarWindowStage& operator=(const TToolbarWindowStage&) = delete;
  TdxBarControl* Window() const { return bar->Control(); }
};

}  // namespace barbench
