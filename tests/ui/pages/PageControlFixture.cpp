#include "tests/ui/pages/PageControlFixture.h"

#include "tests/support/FakeThemeLibrary.h"
#include "ui/foundation/PaintersUnit.h"

namespace pagecontroltest {

using testsupport::FakeThemeLibrary;

void PageControlTest::UseFakeTabThemes() {
  PCPaintersUnitShutdown();
  PaintingUnitsShutdown();
  FakeThemeLibrary::Install();
  for (const char* name : {"Tab", "Spin", "Window"}) FakeThemeLibrary::OpenableClasses().insert(name);
  PaintingUnitsStartup();
  PCPaintersUnitStartup();
}

TcxPageControl* PageControlTest::MakeControl(int Width, int Height, std::initializer_list<const char*> Captions,
                                             TFormBorderStyle Style) {
  form_ = MakeForm(Width + 40, Height + 40, Style);
  auto* control = new TcxPageControl(form_);
  control->SetParent(form_);
  control->SetBounds(20, 20, Width, Height);
  control->SetStyle(1);  // Tabs, whatever the look-and-feel; tests of the choice set 0 again
  for (const char* caption : Captions) AddPage(control, caption);
  Pump();
  return control;
}

TcxTabSheet* PageControlTest::AddPage(TcxPageControl* Control, const String& Caption) {
  auto* page = new TcxTabSheet(form_);
  page->SetCaption(Caption);
  page->SetPageControl(Control);
  return page;
}

void PageControlTest::RecordEvents(TcxPageControl* Control) {
  Control->OnTabChanging = [this](TObject*, bool&) { log_.push_back("TabChanging"); };
  Control->OnPageChanging = [this](TObject*, TcxTabSheet* NewPage, bool&) {
    log_.push_back("PageChanging " + (NewPage ? NewPage->Caption() : String("nil")));
  };
  Control->OnChange = [this](TObject*) { log_.push_back("Change"); };
  for (int i = 0; i < Control->PageCount(); ++i) {
    TcxTabSheet* page = Control->Pages(i);
    page->OnShow = [this, page](TObject*) { log_.push_back("Show " + page->Caption()); };
    page->OnHide = [this, page](TObject*) { log_.push_back("Hide " + page->Caption()); };
  }
}

void PageControlTest::Click(TControl* Control, int X, int Y) {
  MoveMouse(Control, X, Y);
  MouseButton(true);
  MouseButton(false);
}

void PageControlTest::PressKey(unsigned Vk, std::initializer_list<unsigned> Modifiers) {
  for (unsigned m : Modifiers) Key(m, true);
  Key(Vk, true);
  Key(Vk, false);
  for (unsigned m : Modifiers) Key(m, false);
}

win::POINT PageControlTest::TabCentre(TcxPageControl* Control, int TabVisibleIndex) {
  TRect r = Control->Tabs()->VisibleTab(TabVisibleIndex)->ClippedRect();
  return win::POINT{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

}  // namespace pagecontroltest
