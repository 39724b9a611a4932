#pragma once
// Bar windows for the painters' tests on windows, headless or real: a form with a manager and its
// dock sites, toolbars of glyph buttons and sub-items whose menus are menu windows, docked windows
// placed by hand, and menus opened as a press on the toolbar opens them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarButtonControls.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/GraphicsUnit.h"

namespace barpainterwindows {

using namespace win;

// A sub-item with links of its own whose menu is a menu window.
using TGallerySubItem = TdxBarSubItem;

inline COLORREF BrushColour(HBRUSH Brush) {
  LOGBRUSH lb{};
  GetObject(Brush, sizeof lb, &lb);
  return lb.lbColor;
}

class BarPaintersOnWindowsFixture : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    GraphicsUnitStartup();
    RECT work{0, 0, 1024, 738};
    SystemParametersInfo(SPI_SETWORKAREA, 0, &work, 0);
    Form->SetBounds(0, 0, 640, 440);
    M = new TdxBarManager(Form);
    M->SetStyle(bmsFlat);
    Form->Show();
    M->Bars()->CreateDockControls();
    Glyph.SetPixelFormat(pf24bit);
    Glyph.SetSize(16, 16);
    Glyph.Canvas()->Brush()->SetColor(clFuchsia);
    Glyph.Canvas()->FillRect(RECT{0, 0, 16, 16});
    Glyph.Canvas()->Brush()->SetColor(clNavy);
    Glyph.Canvas()->FillRect(RECT{2, 2, 14, 14});
    Glyph.Canvas()->Brush()->SetColor(clYellow);
    Glyph.Canvas()->FillRect(RECT{5, 5, 11, 11});
  }
  void TearDown() override {
    for (TdxBar* bar : Opened)
      for (int i = 0; bar->Control() && i < bar->ItemLinks()->Count(); ++i)
        if (auto* c = dynamic_cast<TdxBarButtonLikeControl*>(bar->ItemLinks()->Items(i)->Control()))
          if (c->IsDroppedDown()) c->Deactivate(true);
    TObject::Free(Form);
    Form = nullptr;
    SystemParametersInfo(SPI_SETWORKAREA, 0, nullptr, 0);
    GraphicsUnitShutdown();
    BarItemFixture::TearDown();
  }
  TdxBarButton* Button(const String& Caption, bool AGlyph = true) {
    auto* button = new TdxBarButton(Form);
    button->SetCaption(Caption);
    if (AGlyph) {
      button->Glyph()->Assign(&Glyph);
      button->SetPaintStyle(TdxBarPaintStyle::psCaptionGlyph);
    }
    return button;
  }
  TGallerySubItem* SubItem(const String& Caption, std::initializer_list<TdxBarItem*> Entries) {
    auto* item = new TGallerySubItem(Form);
    item->SetCaption(Caption);
    for (TdxBarItem* entry : Entries) item->ItemLinks()->AddItem(entry);
    return item;
  }
  TdxBar* NewBar(const String& Caption, TdxBarDockingStyle AStyle, std::initializer_list<TdxBarItem*> Items,
                 int AFloatLeft = 420, int AFloatTop = 260) {
    auto* bar = new TdxBar(Form);
    bar->AttachToParent(M);
    bar->SetCaption(Caption);
    for (TdxBarItem* item : Items) bar->ItemLinks()->AddItem(item);
    bar->SetFloatLeft(AFloatLeft);
    bar->SetFloatTop(AFloatTop);
    bar->SetFloatClientWidth(150);
    bar->SetDockingStyle(AStyle);
    bar->SetVisible(true);
    Pump();
    return bar;
  }
  // Until sites lay out their rows, each docked window is placed in its site by hand, at the
  // thickness its layout answers for the length.
  static void Place(TdxBar* ABar, int AAt, int ALength) {
    TdxBarControl* w = ABar->Control();
    TRect insets;
    w->BarPainter()->CalcBarNonClient(w, w->DockingStyle(), insets, false);
    const int bh = insets.Left + insets.Right, bv = insets.Top + insets.Bottom;
    if (w->IsVertical()) {
      const int thickness = w->CalcSizeForHeight(w->DockingStyle(), ALength - bv).cx + bh;
      w->DockControl()->SetWidth(std::max(w->DockControl()->Width(), AAt + thickness));
      w->SetBounds(AAt, 0, thickness, ALength);
    } else {
      const int thickness = w->CalcSizeForWidth(w->DockingStyle(), ALength - bh).cy + bv;
      w->DockControl()->SetHeight(std::max(w->DockControl()->Height(), AAt + thickness));
      w->SetBounds(0, AAt, ALength, thickness);
    }
    w->CalcViewInfo();
  }
  static void Pump() { Application->ProcessMessages(); }
  static void Repaint(TWinControl* W) {
    RedrawWindow(W->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
  }
  // The item's menu opened by a press, as the toolbar hands it on; the toolbar repainted.
  TdxBarSubMenuControl* Open(TdxBar* ABar, int AIndex) {
    TdxBarControl* w = ABar->Control();
    Opened.push_back(ABar);
    w->SetActiveState(true);
    w->SetIsDowned(true);
    ABar->ItemLinks()->Items(AIndex)->Control()->Invoke(true);
    Pump();
    Repaint(w);
    auto* menu = dynamic_cast<TdxBarSubMenuControl*>(ABar->ItemLinks()->Items(AIndex)->Item()->ItemLinks()->BarControl());
    if (menu) Repaint(menu);
    return menu;
  }
  static COLORREF Pixel(TWinControl* W, int X, int Y) {
    HDC dc = GetDC(W->Handle());
    const COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(W->Handle(), dc);
    return c;
  }
  static TRect ScreenRect(TWinControl* W) {
    RECT r;
    GetWindowRect(W->Handle(), &r);
    return r;
  }

  TdxBarManager* M = nullptr;
  TBitmap Glyph;
  std::vector<TdxBar*> Opened;
};

}  // namespace barpainterwindows
