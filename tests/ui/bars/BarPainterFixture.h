#pragma once
// What the painter tests draw with until bar windows and item controls stand: a bar-window double
// and an item-control double answering what painters read, a manager on a form for the options
// and brushes, and a 32-bit surface to paint on and read back.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "tests/ui/bars/BarStandIns.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/gdiplus/GdiPlus.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
#include "platform/win/Hooks.h"
#include "platform/win/Metrics.h"
#include "tests/ui/bars/BarTestUnits.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainters.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/bars/Xmas2008BluePainter.h"
#include "ui/foundation/GdiPlusApi.h"
#include "ui/foundation/GraphicsUnit.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/foundation/PNGImage.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/skins/Skin.h"

namespace barpaintertest {

using namespace win;
using surfacetest::Surface;

class TTestBar : public TPlainBarWindow {
  VW_CLASS(TTestBar, TPlainBarWindow)
 public:
  explicit TTestBar(TdxBarManager* AManager) : TPlainBarWindow(AManager), Manager(AManager) {}

  TdxBarManager* Manager;
  HBRUSH Brush = nullptr;
  int Text = 19, IconArea = 19, ComboArrow = 11, Docking = 2, Border = 1, Mark = 0, CloseState = 0;
  bool Vertical = false, Menu = false, MainMenu = false, StatusBar = false, Grip = true, Caption = true,
       Close = false, WithMark = false, Hides = false, Detachable = false, Descriptions = false, OwnBack = false,
       NoShadowFlag = false;
  double Ratio = 1.0;
  TFont* Font = nullptr;

  TdxBarPainter* BarPainter() const override { return Manager ? Manager->Painter() : nullptr; }
  HBRUSH BkBrush() const override { return Brush ? Brush : GetSysColorBrush(COLOR_BTNFACE); }
  int TextSize() const override { return Text; }
  int IconAreaSize() const override { return IconArea; }
  int ComboBoxArrowWidth() const override { return ComboArrow; }
  TFont* ItemsFont() const override { return Font ? Font : (Manager ? Manager->Font() : nullptr); }
  bool HasOwnBackground() const override { return OwnBack; }
  int DockingStyleIndex() const override { return Docking; }
  bool IsVertical() const override { return Vertical; }
  bool IsMainMenu() const override { return MainMenu; }
  bool IsMenu() const override { return Menu; }
  int BorderStyleIndex() const override { return Border; }
  bool IsStatusBar() const override { return StatusBar; }
  bool ShowsGrip() const override { return Grip; }
  bool ShowsCaption() const override { return Caption; }
  bool HasCloseButton() const override { return Close; }
  int CloseButtonState() const override { return CloseState; }
  bool HasMark() const override { return WithMark; }
  int MarkState() const override { return Mark; }
  bool HidesItems() const override { return Hides; }
  double ItemsScaleRatio() const override { return Ratio; }
  bool IsDetachable() const override { return Detachable; }
  bool ShowsDescriptions() const override { return Descriptions; }
  bool NoShadow() const override { return NoShadowFlag; }
};

class TTestItem : public TdxBarItemControl {
  VW_CLASS(TTestItem, TdxBarItemControl)
 public:
  explicit TTestItem(TCustomdxBarControl* AParent) : Bar(AParent) {}
  TCustomdxBarControl* Bar;
  TBitmap* Glyph = nullptr;
  TSize Size{16, 16};
  TdxBarGlyphLayout Layout = glTop;
  TRect Image{};
  bool Rarely = false;
  String Text;
  bool ThrowOnEditText = false;

  TCustomdxBarControl* Parent() const override { return Bar; }
  // No item stands behind the double: it shows enabled.
  bool IsEnabled() const override { return true; }
  bool HasImage() const override { return Glyph != nullptr; }
  TBitmap* CurrentGlyph() const override { return Glyph; }
  TSize GlyphSize() const override { return Size; }
  bool HasOwnDisabledLook() const override { return false; }
  TRect ImageBounds() const override { return Image; }
  void SetImageBounds(const TRect& R) override { Image = R; }
  TdxBarGlyphLayout GlyphLayout() const override { return Layout; }
  bool IsRarelyUsed() const override { return Rarely; }
  String DisplayText() const override { return Text; }
  void DrawEditText(TCanvas* Canvas, const TRect& R) override {
    if (ThrowOnEditText) throw Exception("edit text failed");
    // As the edit items do through the painter: the canvas brush under the text.
    Canvas->FillRect(R);
    RECT r = R;
    SetBkMode(Canvas->Handle(), TRANSPARENT);
    DrawText(Canvas->Handle(), Text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER);
  }
};

// A dock site with the rows a test gives it.
class TTestDock : public TdxDockControl {
  VW_CLASS(TTestDock, TdxDockControl)
 public:
  TTestDock(TAlign A, const TRect& Bounds) : TdxDockControl(static_cast<TComponent*>(nullptr)) {
    SetAlign(A);
    SetBounds(Bounds.Left, Bounds.Top, Bounds.Right - Bounds.Left, Bounds.Bottom - Bounds.Top);
  }
  struct Row {
    TRect Bounds;
    std::vector<TCustomdxBarControl*> Windows;
  };
  std::vector<Row> Rows;
  void SetRows(std::vector<Row> R) { Rows = std::move(R); }
  int RowCount() const override { return static_cast<int>(Rows.size()); }
  TRect RowBounds(int Row) override { return Rows[Row].Bounds; }
  int ColumnCount(int Row) override { return static_cast<int>(Rows[Row].Windows.size()); }
  TCustomdxBarControl* ColumnWindow(int Row, int Column) override { return Rows[Row].Windows[Column]; }
};

// A toolbar window in a dock site: its own background is its painter's (the toolbar gradient of
// the Office-2003 look), and what its painter paints through it is the dock's, offset by the
// window's place in the dock (as a docked toolbar's window paints through to its site).
class TDockedBar : public TTestBar {
  VW_CLASS(TDockedBar, TTestBar)
 public:
  using TTestBar::TTestBar;
  TdxDockControl* Dock = nullptr;
  TdxBarPainter* Own = nullptr;
  TdxDockControl* DockControl() const override { return Dock; }
  TdxBarPainter* BarPainter() const override { return Own ? Own : TTestBar::BarPainter(); }
  void FillBarBackground(HDC DC, const TRect& R, bool AWithOrigin, TColor Color, HBRUSH Brush) override {
    TdxBarPainter* p = BarPainter();
    if (!Dock || !p) {
      TTestBar::FillBarBackground(DC, R, AWithOrigin, Color, Brush);
    } else if (FInside) {
      p->FillDockBackground(Dock, DC, R, dxbar::Offset(R, Left(), Top()), Brush, Color);
    } else {
      FInside = true;
      try {
        p->FillBarBackground(this, DC, R, R, Brush, Color);
      } catch (...) {
        FInside = false;
        throw;
      }
      FInside = false;
    }
  }

 private:
  bool FInside = false;
};

// GDI+, the skin engine, the painters' registry and the bar library's skin "Xmas2008Blue", as the
// program starts them, for a scope.
class TScopedBarSkin {
 public:
  TScopedBarSkin() {
    platform::RegisterGdiPlusModule();
    GdiPlusUnitStartup();
    PNGImageUnitStartup();
    SkinUnitStartup();
    PaintingUnitsStartup();
    Xmas2008BlueSkinUnitStartup();
  }
  ~TScopedBarSkin() {
    Xmas2008BlueSkinUnitShutdown();
    PaintingUnitsShutdown();
    SkinUnitShutdown();
    PNGImageUnitShutdown();
    GdiPlusUnitShutdown();
  }
  TScopedBarSkin(const TScopedBarSkin&) = delete;
  TScopedBarSkin& operator=(const TScopedBarSkin&) = delete;
};

// Runs AShoot once for each bar painter style the manager can take, the skin "Xmas2008Blue" last,
// with the style's name; the manager is back in the standard style afterwards.
inline void ForEachBarStyle(TdxBarManager* AManager, const std::function<void(const String&)>& AShoot) {
  for (TdxBarManagerStyle style : {bmsStandard, bmsEnhanced, bmsFlat, bmsOffice11, bmsXP}) {
    AManager->SetStyle(style);
    AShoot(GetEnumName(TypeInfo<TdxBarManagerStyle>(), style));
  }
  TScopedBarSkin units;
  AManager->SetStyle(bmsUseLookAndFeel);
  AManager->LookAndFeel()->SetSkinName("Xmas2008Blue");
  AShoot("skin-Xmas2008Blue");
  AManager->LookAndFeel()->SetSkinName("");
  AManager->SetStyle(bmsStandard);
}

// System colours changed for a scope and put back when it ends.
class TScopedSysColors {
 public:
  TScopedSysColors(std::initializer_list<std::pair<int, COLORREF>> Colors) {
    for (auto [index, color] : Colors) {
      FSaved.push_back({index, GetSysColor(index)});
      INT e = index;
      SetSysColors(1, &e, &color);
    }
  }
  ~TScopedSysColors() {
    for (auto [index, color] : FSaved) {
      INT e = index;
      SetSysColors(1, &e, &color);
    }
  }

 private:
  std::vector<std::pair<int, COLORREF>> FSaved;
};

class BarPainterFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    StartBarTestUnits();
    Application->CreateForm(Form);
    Form->SetBounds(100, 100, 400, 300);
    Manager = new TdxBarManager(Form);
    Bar = new TTestBar(Manager);
    BarAlive = CreateObjectLink(Bar);
    Item = new TTestItem(Bar);
  }
  void TearDown() override {
    delete Item;
    // The manager owns the bar: a test that freed the manager freed it too.
    if (BarAlive->LinkedObject) delete Bar;
    FreeObjectLink(BarAlive);
    for (TBitmap* b : Glyphs) delete b;
    TObject::Free(Form);
    StopBarTestUnits();
  }
  // A 16 x 16 glyph of one colour with a marker pixel at its top-left corner; the bottom-left
  // pixel is clFuchsia, the transparent colour, so the glyph's extent is told by the marker.
  TBitmap* MarkedGlyph(TColor Body = clNavy, TColor Marker = clRed) {
    auto* b = new TBitmap;
    b->SetPixelFormat(pf24bit);
    b->SetSize(16, 16);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(Body);
    c->FillRect(TRect(0, 0, 16, 16));
    c->SetPixels(0, 0, Marker);
    c->SetPixels(0, 15, clFuchsia);
    Glyphs.push_back(b);
    return b;
  }
  // The first pixel of a colour, row by row; (-1, -1) when none.
  static TPoint FirstOf(Surface& S, TColor Ink) {
    for (int y = 0; y < S.Height; ++y)
      for (int x = 0; x < S.Width; ++x)
        if (S.At(x, y) == ColorToRGB(Ink)) return {x, y};
    return {-1, -1};
  }
  static bool Same(COLORREF A, int SysColor) { return A == GetSysColor(SysColor); }
  // A font whose "0" is H pixels high on the DC; nil when no size gives that.
  static HFONT FontWithDigitHeight(HDC DC, int H) {
    for (int size = 4; size < 60; ++size) {
      LOGFONT lf{};
      lf.lfHeight = -size;
      std::snprintf(lf.lfFaceName, sizeof(lf.lfFaceName), "DejaVu Sans");
      HFONT f = CreateFontIndirect(&lf);
      HGDIOBJ old = SelectObject(DC, f);
      SIZE s{};
      GetTextExtentPoint32(DC, "0", 1, &s);
      SelectObject(DC, old);
      if (s.cy == H) return f;
      DeleteObject(f);
    }
    return nullptr;
  }

  TForm* Form = nullptr;
  TdxBarManager* Manager = nullptr;
  TTestBar* Bar = nullptr;
  TcxObjectLink* BarAlive = nullptr;
  TTestItem* Item = nullptr;
  std::vector<TBitmap*> Glyphs;
};

}  // namespace barpaintertest
