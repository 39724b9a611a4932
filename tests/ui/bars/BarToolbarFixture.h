#pragma once
// A shown form with a bar manager of one style and its built-in dock sites, toolbars of numbered
// buttons made on it, and the points the toolbar window tests aim at.
#include <string>

#include "platform/win/Window.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/GraphicsUnit.h"

class BarToolbarFixture : public BarItemFixture {
 protected:
  explicit BarToolbarFixture(TdxBarManagerStyle AStyle = bmsStandard) : FStyle(AStyle) {}
  void SetUp() override {
    BarItemFixture::SetUp();
    GraphicsUnitStartup();
    M = new TdxBarManager(Form);
    M->SetStyle(FStyle);
    Form->Show();
    M->Bars()->CreateDockControls();
  }
  void TearDown() override {
    TObject::Free(Form);
    Form = nullptr;
    GraphicsUnitShutdown();
    BarItemFixture::TearDown();
  }
  // A shown toolbar of the class with buttons "B0", "B1", ..., the one at ABeginGroup (if any)
  // beginning a group; floating at (200, 150) with the client size given.
  template <class TBar>
  TBar* AddToolbar(const String& ACaption, TdxBarDockingStyle AStyle, int AButtons, int AFloatClientWidth,
                   int AFloatClientHeight, int ABeginGroup = -1) {
    auto* bar = new TBar(Form);
    bar->AttachToParent(M);
    bar->SetCaption(ACaption);
    for (int i = 0; i < AButtons; ++i) {
      auto* button = new TdxBarButton(Form);
      button->SetCaption("B" + std::to_string(i));
      bar->ItemLinks()->AddItem(button)->SetBeginGroup(i == ABeginGroup);
    }
    bar->SetFloatLeft(200);
    bar->SetFloatTop(150);
    bar->SetFloatClientWidth(AFloatClientWidth);
    bar->SetFloatClientHeight(AFloatClientHeight);
    bar->SetDockingStyle(AStyle);
    bar->SetVisible(true);
    Pump();
    return bar;
  }
  static void Pump() { Application->ProcessMessages(); }
  static TPoint ScreenOf(TdxBarControl* W, TPoint ClientPoint) {
    win::POINT p{ClientPoint.X, ClientPoint.Y};
    win::ClientToScreen(W->Handle(), &p);
    return {p.x, p.y};
  }
  // A point in window coordinates on the screen.
  static TPoint WindowPoint(TdxBarControl* W, TPoint P) {
    win::RECT r;
    win::GetWindowRect(W->Handle(), &r);
    return {r.left + P.X, r.top + P.Y};
  }

  TdxBarManager* M = nullptr;

 private:
  TdxBarManagerStyle FStyle;
};
